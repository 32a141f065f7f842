// The display's scaling maths (window -> game pixels, letterbox bars) and
// the PNG screenshots.
#include <gtest/gtest.h>

#include <vector>

#include "platform/display.h"
#include "platform/png.h"
#include "png_lesen.h"

namespace {

void Spiel(i32 fx, i32 fy, const Display_Rechteck& r, i32* sx, i32* sy) { Display_Fenster_Zu_Spiel(fx, fy, r, sx, sy); }

}  // namespace

TEST(Letterbox, GenauePassformUndGanzzahligeVielfache) {
    Display_Rechteck r = Display_Letterbox(800, 600);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.w, 800);
    EXPECT_EQ(r.h, 600);
    r = Display_Letterbox(1600, 1200);
    EXPECT_EQ(r.w, 1600);
    EXPECT_EQ(r.h, 1200);
}

TEST(Letterbox, BreitesFensterBekommtBalkenLinksUndRechts) {
    Display_Rechteck r = Display_Letterbox(1920, 1080);
    EXPECT_EQ(r.h, 1080);
    EXPECT_EQ(r.w, 1440);
    EXPECT_EQ(r.x, 240);
    EXPECT_EQ(r.y, 0);
}

TEST(Letterbox, HohesFensterBekommtBalkenObenUndUnten) {
    Display_Rechteck r = Display_Letterbox(800, 1000);
    EXPECT_EQ(r.w, 800);
    EXPECT_EQ(r.h, 600);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 200);
}

TEST(Letterbox, UngeradeUndWinzigeFlaechen) {
    // The picture always fits inside the area and keeps its aspect within one pixel.
    for (i32 w : {1, 3, 7, 799, 801, 1023, 1366}) {
        for (i32 h : {1, 2, 599, 601, 767, 768}) {
            Display_Rechteck r = Display_Letterbox(w, h);
            EXPECT_GE(r.x, 0);
            EXPECT_GE(r.y, 0);
            EXPECT_LE(r.x + r.w, w) << w << "x" << h;
            EXPECT_LE(r.y + r.h, h) << w << "x" << h;
            EXPECT_GE(r.w, 1);
            EXPECT_GE(r.h, 1);
            EXPECT_TRUE(r.w == w || r.h == h) << w << "x" << h;
        }
    }
    Display_Rechteck null = Display_Letterbox(0, 600);
    EXPECT_EQ(null.w, 0);
    EXPECT_EQ(null.h, 0);
}

TEST(FensterZuSpiel, EckenUndMitteBeiDoppelterGroesse) {
    Display_Rechteck r = Display_Letterbox(1600, 1200);
    i32 x, y;
    Spiel(0, 0, r, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    Spiel(1, 1, r, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    Spiel(2, 3, r, &x, &y);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
    Spiel(1599, 1199, r, &x, &y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 599);
    Spiel(800, 600, r, &x, &y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
}

TEST(FensterZuSpiel, BalkenUndAussenLiegendesGehenAnDenRand) {
    Display_Rechteck r = Display_Letterbox(1920, 1080);  // picture at x 240..1679
    i32 x, y;
    Spiel(0, 540, r, &x, &y);  // on the left bar
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 300);
    Spiel(239, 0, r, &x, &y);  // last pixel of the bar
    EXPECT_EQ(x, 0);
    Spiel(240, 0, r, &x, &y);  // first pixel of the picture
    EXPECT_EQ(x, 0);
    Spiel(1679, 1079, r, &x, &y);  // last pixel of the picture
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 599);
    Spiel(1680, 0, r, &x, &y);  // right bar
    EXPECT_EQ(x, 799);
    Spiel(-50, -50, r, &x, &y);  // outside the window (a drag)
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    Spiel(5000, 5000, r, &x, &y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 599);
}

TEST(FensterZuSpiel, JedesSpielpixelIstErreichbar) {
    // At a fractional scale every game column still has a window column that maps to it.
    Display_Rechteck r = Display_Letterbox(1366, 768);
    std::vector<bool> spalte(800), zeile(600);
    for (i32 fx = r.x; fx < r.x + r.w; fx++) {
        i32 x, y;
        Spiel(fx, r.y, r, &x, &y);
        spalte[x] = true;
    }
    for (i32 fy = r.y; fy < r.y + r.h; fy++) {
        i32 x, y;
        Spiel(r.x, fy, r, &x, &y);
        zeile[y] = true;
    }
    for (i32 i = 0; i < 800; i++) EXPECT_TRUE(spalte[i]) << i;
    for (i32 i = 0; i < 600; i++) EXPECT_TRUE(zeile[i]) << i;
}

TEST(FensterZuSpiel, LeeresBildGibtNull) {
    i32 x = 7, y = 7;
    Spiel(100, 100, Display_Rechteck{0, 0, 0, 0}, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST(Farben, RgbIn565Und555UndZurueck) {
    u8 r, g, b;
    Png_Pixel_Rgb(0xFFFF, 16, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 255);
    Png_Pixel_Rgb(0xF800, 16, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);
    Png_Pixel_Rgb(0x07E0, 16, &r, &g, &b);
    EXPECT_EQ(g, 255);
    Png_Pixel_Rgb(0x7C00, 15, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    Png_Pixel_Rgb(0x03E0, 15, &r, &g, &b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 255);
    Png_Pixel_Rgb(0x8000, 15, &r, &g, &b);  // the unused top bit of 555 is ignored
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);

    Display_Farbtiefe = 16;
    EXPECT_EQ(Display_Farbe(255, 0, 0), 0xF800);
    EXPECT_EQ(Display_Farbe(0, 255, 0), 0x07E0);
    EXPECT_EQ(Display_Farbe(0, 0, 255), 0x001F);
    Display_Farbtiefe = 15;
    EXPECT_EQ(Display_Farbe(255, 0, 0), 0x7C00);
    EXPECT_EQ(Display_Farbe(0, 255, 0), 0x03E0);
    EXPECT_EQ(Display_Farbe(255, 255, 255), 0x7FFF);
    Display_Farbtiefe = 16;
}

TEST(Png, KodiertesBildLaesstSichLesenUndStimmt) {
    // 5 x 3 pixels with a pitch of 7: the two extra pixels per row must not leak in.
    std::vector<u16> pixel(7 * 3, 0xAAAA);
    for (i32 y = 0; y < 3; y++)
        for (i32 x = 0; x < 5; x++) pixel[y * 7 + x] = static_cast<u16>((x * 6) << 11 | (y * 20) << 5 | (x + y));
    std::vector<u8> daten;
    ASSERT_TRUE(Png_Kodieren(pixel.data(), 5, 3, 7, 16, daten));
    Test_Png png;
    ASSERT_TRUE(Test_Png_Lesen(daten, png)) << png.fehler;
    EXPECT_EQ(png.breite, 5u);
    EXPECT_EQ(png.hoehe, 3u);
    for (i32 y = 0; y < 3; y++)
        for (i32 x = 0; x < 5; x++) {
            u8 r, g, b;
            Png_Pixel_Rgb(pixel[y * 7 + x], 16, &r, &g, &b);
            const u8* p = &png.rgb[(y * 5 + x) * 3];
            EXPECT_EQ(p[0], r);
            EXPECT_EQ(p[1], g);
            EXPECT_EQ(p[2], b);
        }
}

TEST(Png, VollesBildUnd555) {
    std::vector<u16> pixel(800 * 600);
    for (size_t i = 0; i < pixel.size(); i++) pixel[i] = static_cast<u16>(i * 2654435761u >> 16) & 0x7FFF;
    std::vector<u8> daten;
    ASSERT_TRUE(Png_Kodieren(pixel.data(), 800, 600, 800, 15, daten));
    Test_Png png;
    ASSERT_TRUE(Test_Png_Lesen(daten, png)) << png.fehler;
    u8 r, g, b;
    Png_Pixel_Rgb(pixel[123456], 15, &r, &g, &b);
    EXPECT_EQ(png.rgb[123456 * 3], r);
    EXPECT_EQ(png.rgb[123456 * 3 + 1], g);
    EXPECT_EQ(png.rgb[123456 * 3 + 2], b);
}

TEST(Png, EinGekipptesBitFaelltDerPruefsummeAuf) {
    std::vector<u16> pixel(16 * 16, 0x1234);
    std::vector<u8> daten;
    ASSERT_TRUE(Png_Kodieren(pixel.data(), 16, 16, 16, 16, daten));
    Test_Png png;
    ASSERT_TRUE(Test_Png_Lesen(daten, png));
    daten[40] ^= 1;  // inside IDAT
    EXPECT_FALSE(Test_Png_Lesen(daten, png));
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
