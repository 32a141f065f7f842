// The display's scaling maths (letterbox bars, window -> game pixels), its
// colours, and the PNG screenshots read back pixel for pixel.
#include <gtest/gtest.h>

#include <vector>

#include "platform/display.h"
#include "platform/png.h"
#include "platform_test.h"

TEST(Letterbox, BalkenJeNachSeitenverhaeltnis) {
    // Exact fits; bars left and right (wider than 4:3) or above and below; rounded to the nearest pixel; no area.
    const struct {
        i32 fw, fh, x, y, w, h;
    } tabelle[] = {{800, 600, 0, 0, 800, 600},     {1600, 1200, 0, 0, 1600, 1200}, {1920, 1080, 240, 0, 1440, 1080},
                   {1366, 768, 171, 0, 1024, 768}, {800, 1000, 0, 200, 800, 600},  {1000, 599, 100, 0, 799, 599},
                   {0, 600, 0, 0, 0, 0},           {800, -1, 0, 0, 0, 0}};
    for (const auto& t : tabelle) {
        Display_Rechteck r = Display_Letterbox(t.fw, t.fh);
        EXPECT_EQ((std::vector<i32>{r.x, r.y, r.w, r.h}), (std::vector<i32>{t.x, t.y, t.w, t.h}))
            << t.fw << "x" << t.fh;
    }
    // Odd and tiny areas: the picture fits inside, touches two edges and is never empty.
    for (i32 w : {1, 3, 7, 799, 801, 1023, 1366}) {
        for (i32 h : {1, 2, 599, 601, 767, 768}) {
            Display_Rechteck r = Display_Letterbox(w, h);
            EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= w && r.y + r.h <= h) << w << "x" << h;
            EXPECT_TRUE(r.w >= 1 && r.h >= 1 && (r.w == w || r.h == h)) << w << "x" << h;
        }
    }
}

TEST(Letterbox, FensterpunkteWerdenSpielpixelBisAnDieRaender) {
    // In 1920 x 1080 the picture covers x 240..1679; points on the bars and outside the window (a drag) go to the edge.
    const struct {
        i32 fw, fh, px, py, sx, sy;
    } tabelle[] = {{1600, 1200, 0, 0, 0, 0},
                   {1600, 1200, 2, 3, 1, 1},
                   {1600, 1200, 1599, 1199, 799, 599},
                   {1920, 1080, 0, 540, 0, 300},
                   {1920, 1080, 239, 0, 0, 0},
                   {1920, 1080, 240, 0, 0, 0},
                   {1920, 1080, 1679, 1079, 799, 599},
                   {1920, 1080, 1680, 0, 799, 0},
                   {1920, 1080, -50, -50, 0, 0},
                   {1920, 1080, 5000, 5000, 799, 599},
                   {0, 0, 100, 100, 0, 0}};
    for (const auto& t : tabelle) {
        i32 x = -1, y = -1;
        Display_Fenster_Zu_Spiel(t.px, t.py, Display_Letterbox(t.fw, t.fh), &x, &y);
        EXPECT_TRUE(x == t.sx && y == t.sy)
            << t.fw << "x" << t.fh << " at " << t.px << "," << t.py << ": " << x << "," << y;
    }
    // At a fractional scale every game column and row still has a window pixel that maps to it.
    Display_Rechteck r = Display_Letterbox(1366, 768);
    std::vector<bool> spalte(800), zeile(600);
    for (i32 i = 0; i < r.w || i < r.h; i++) {
        i32 x, y;
        Display_Fenster_Zu_Spiel(r.x + i, r.y + i, r, &x, &y);
        if (i < r.w) spalte[x] = true;
        if (i < r.h) zeile[y] = true;
    }
    EXPECT_EQ(std::count(spalte.begin(), spalte.end(), false), 0);
    EXPECT_EQ(std::count(zeile.begin(), zeile.end(), false), 0);
}

TEST(Farben, RgbIn565Und555UndZurueck) {
    // Channels are widened by repeating their top bits (white stays 255); the unused top bit of 555 is ignored.
    const struct {
        i32 tiefe;
        u16 pixel;
        u8 r, g, b;
    } tabelle[] = {{16, 0xFFFF, 255, 255, 255}, {16, 0xF800, 255, 0, 0},     {16, 0x07E0, 0, 255, 0},
                   {16, 0x0010, 0, 0, 132},     {15, 0x7FFF, 255, 255, 255}, {15, 0x7C00, 255, 0, 0},
                   {15, 0x03E0, 0, 255, 0},     {15, 0x8000, 0, 0, 0}};
    for (const auto& t : tabelle) {
        u8 r, g, b;
        Png_Pixel_Rgb(t.pixel, t.tiefe, &r, &g, &b);
        EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{t.r, t.g, t.b})) << std::hex << t.pixel;
        Display_Farbtiefe = t.tiefe;
        EXPECT_EQ(Display_Farbe(t.r, t.g, t.b), t.tiefe == 15 ? t.pixel & 0x7FFF : t.pixel) << std::hex << t.pixel;
    }
    Display_Farbtiefe = 16;
}

TEST(Png, KodiertesBildStimmtPixelGenau) {
    // 5 x 3 pixels with a pitch of 7 (the two extra pixels per row must not leak in), then a full 555 frame.
    std::vector<u16> klein(7 * 3, 0xAAAA);
    for (i32 y = 0; y < 3; y++)
        for (i32 x = 0; x < 5; x++) klein[y * 7 + x] = static_cast<u16>((x * 6) << 11 | (y * 20) << 5 | (x + y));
    std::vector<u16> voll(800 * 600);
    for (size_t i = 0; i < voll.size(); i++) voll[i] = static_cast<u16>(i * 2654435761u >> 16) & 0x7FFF;
    std::vector<u8> daten;
    Test_Png png;
    ASSERT_TRUE(Png_Kodieren(klein.data(), 5, 3, 7, 16, daten));
    ASSERT_TRUE(Test_Png_Lesen(daten, png)) << png.fehler;
    EXPECT_EQ(Test_Png_Abweichungen(png, klein.data(), 5, 3, 7, 16), 0u);
    daten[40] ^= 1;  // inside IDAT: the reader's CRC check is sharp
    EXPECT_FALSE(Test_Png_Lesen(daten, png));
    ASSERT_TRUE(Png_Kodieren(voll.data(), 800, 600, 800, 15, daten));
    ASSERT_TRUE(Test_Png_Lesen(daten, png)) << png.fehler;
    EXPECT_EQ(Test_Png_Abweichungen(png, voll.data(), 800, 600, 800, 15), 0u);
}

TEST(Png, UnsinnigeAngabenWerdenAbgelehnt) {
    u16 p[4] = {};
    std::vector<u8> daten{1, 2, 3};
    EXPECT_FALSE(Png_Kodieren(nullptr, 2, 2, 2, 16, daten));
    EXPECT_TRUE(daten.empty());
    EXPECT_FALSE(Png_Kodieren(p, 0, 2, 2, 16, daten));
    EXPECT_FALSE(Png_Kodieren(p, 2, -1, 2, 16, daten));
    EXPECT_FALSE(Png_Kodieren(p, 2, 2, 1, 16, daten));
    EXPECT_FALSE(Png_Kodieren(p, 2, 2, 2, 24, daten));
    EXPECT_FALSE(Png_Schreiben("/nonexistent-folder/x.png", p, 2, 2, 2, 16));
}
