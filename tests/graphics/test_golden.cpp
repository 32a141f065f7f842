// The golden picture: an 800 x 600 scene with every kind of blit, pinned
// area by named area (each blit kind's cell, the bands that cover the whole
// picture) and written as PNG for review (build/.../golden/grafik.png).
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>
#include <iterator>
#include <filesystem>
#include <memory>

#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "platform/png.h"
#include "base/pruefsumme.h"
#include "testfont.h"

namespace {

Rastport_Bild bild(Rastport* rp) { return Rastport_Bild(rp); }

// A 64 x 64 test picture: a ring in two colours on colour key 0, with a
// mask (the upper half of the ring) and an alpha ramp from left to right.
Rastport_Bild motiv(i32 tiefe) {
    Rastport_Bild rp = bild(Rastport_Neu_Einfach(64, 64, tiefe));
    rp->maske.assign(Rastport_Maske_Groesse(64, 64), 0);
    rp->alpha.assign(64 * 64, 0);
    for (i32 y = 0; y < 64; ++y)
        for (i32 x = 0; x < 64; ++x) {
            const i32 dx = x - 32, dy = y - 32, r2 = dx * dx + dy * dy;
            const size_t i = static_cast<size_t>(y) * 64 + x;
            u16 p = 0;
            if (r2 < 30 * 30 && r2 > 12 * 12) p = Farbe_Get_Pixel(tiefe, 242, 179, 61);
            if (r2 <= 12 * 12) p = Farbe_Get_Pixel(tiefe, 63, 178, 107);
            if ((x / 8 + y / 8) % 2 && r2 >= 30 * 30) p = 0;
            if (x < 16 && y > 44) p = Farbe_Get_Pixel(tiefe, 74, 144, 217);  // makes mirroring visible
            rp->bitmap->pixel16()[i] = p;
            if (p && y < 40) rp->maske[i / 8] |= static_cast<u8>(1u << (i % 8));
            rp->alpha[i] = p ? static_cast<u8>(x * 4) : 0;
        }
    return rp;
}

// Every blit kind at one depth into `ziel`, in a row of cells from (x0, y0).
void alle_blits(Rastport* ziel, i32 x0, i32 y0) {
    const i32 t = ziel->tiefe();
    Rastport_Bild m = motiv(t);
    Blt_Optionen o{};
    const Blt_Optionen tint{.schluessel = 1, .toenen = 1, .gewicht = 40, .farbe = Farbe_Get_Pixel(t, 74, 144, 217)};
    const Blt_Optionen grau{.schluessel = 1, .grau = 1};
    const Blt_Optionen* opts[] = {
        nullptr, Blt_Opt_Transparent, Blt_Opt_Maske, Blt_Opt_Alpha, Blt_Opt_Alpha_Transparent, &tint, &grau};
    i32 x = x0;
    for (const Blt_Optionen* op : opts) {
        Blt_Blit(m.get(), 0, 0, -1, -1, ziel, x, y0, op);
        x += 70;
    }
    // Alpha with mask, and grey through the mask.
    o.alpha = o.maske = 1;
    Blt_Blit(m.get(), 0, 0, -1, -1, ziel, x, y0, &o);
    o = Blt_Optionen{.maske = 1, .grau = 1};
    Blt_Blit(m.get(), 0, 0, -1, -1, ziel, x + 70, y0, &o);
    // Coverage: the alpha plane painted in a colour.
    o = Blt_Optionen{.deckung = 1, .farbe = Farbe_Get_Pixel(t, 217, 72, 59)};
    Blt_Blit(m.get(), 0, 0, -1, -1, ziel, x + 140, y0, &o);
}

TEST(Golden, AlleBlitArten) {
    Rastport_Bild screen = bild(Rastport_Neu_Einfach(800, 600, 16));
    ASSERT_TRUE(screen);
    // Background: a vertical gradient, navy to panel blue.
    for (i32 y = 0; y < 600; ++y)
        Blt_Rechteck(screen.get(), 0, y, -1, 1, Farbe_Pack_565(14 + y / 30, 26 + y / 25, 43 + y / 14));
    alle_blits(screen.get(), 10, 10);

    // The same in 555, converted for the snapshot.
    Rastport_Bild s555 = bild(Rastport_Neu_Einfach(780, 70, 15));
    Blt_Rechteck(s555.get(), 0, 0, -1, -1, Farbe_Pack_555(22, 38, 61));
    alle_blits(s555.get(), 0, 3);
    Rastport_Bitmap_Wandeln(s555->bitmap.get(), 16, nullptr);
    Blt_Blit(s555.get(), 0, 0, -1, -1, screen.get(), 10, 90, nullptr);

    // Clipping at negative coordinates and past the right edge.
    Rastport_Bild m = motiv(16);
    Blt_Blit(m.get(), 0, 0, -1, -1, screen.get(), -20, 170, Blt_Opt_Transparent);
    Blt_Blit(m.get(), -5, -5, -1, -1, screen.get(), 60, 170, Blt_Opt_Transparent);
    Blt_Blit(m.get(), 0, 0, -1, -1, screen.get(), 770, 170, Blt_Opt_Transparent);

    // Sprites: plain, mirrored through the blitter, half size, blended.
    Rastport_Bild sp = bild(Rastport_Neu(64, 64, 16, 1, 0));
    sp->sprite = Rle_Sprite_Aus_Pixeln(m->bitmap->pixel16(), 64, 64);
    Blt_Blit(sp.get(), 0, 0, -1, -1, screen.get(), 150, 170, Blt_Opt_Sprite);
    sp->sprite->gespiegelt = 1;
    Blt_Blit(sp.get(), 0, 0, -1, -1, screen.get(), 230, 170, Blt_Opt_Sprite);
    Blt_Rle_Halb(*sp->sprite, screen.get(), 310, 186);
    Blt_Rle_Alpha(*sp->sprite, screen.get(), 360, 170, 64);
    Blt_Kopie_Transparent_Halb(m.get(), screen.get(), 440, 186);

    // Drop shadow and frames.
    Farbe_Schatten_Init(16);
    Blt_Schatten(m.get(), 0, 0, -1, -1, screen.get(), 500, 170, nullptr);
    const i32 gross[4] = {4, 6, 9, 2};
    Blt_Schatten(m.get(), 0, 0, -1, -1, screen.get(), 590, 170, gross);
    Blt_Rahmen(screen.get(), 680, 170, 100, 64, Farbe_Pack_565(242, 179, 61), 2);
    Blt_Rahmen(screen.get(), 690, 180, 80, 44, Farbe_Pack_565(60, 90, 130), 1);
    Blt_Abdunkeln(screen.get(), 10, 250, 780, 40, 80);

    // Three lines of markup in the test font.
    std::unique_ptr<Font> f(testfont::neu(1));
    std::unique_ptr<Font> f0(testfont::neu(0));
    ASSERT_EQ(Font_Printf(screen.get(), f.get(), "^c%05dTABELLE^tr0300%d.^tl0340^c%05dPUNKTE %d", 10, 320,
                          Farbe_Pack_565(242, 179, 61), 12, Farbe_Pack_565(242, 244, 240), 38),
              1);
    ASSERT_EQ(Font_Markup_Ausgabe(screen.get(), f.get(), 0xFFFF, "^fb0012^c65535 12.5 ^fe ^bbFETT^be^l^tz0200MITTE", 10,
                                  345, 0),
              1);
    f0->farbe = Farbe_Pack_565(63, 178, 107);
    ASSERT_EQ(Font_Printf(screen.get(), f0.get(), "^bbGETOENT %d%%^be ^q^tk", 10, 380, 75), 1);
    const u32 h = Markup_Handle_Bild(m.get());
    char text[64];
    std::snprintf(text, sizeof text, "BILD ^gnk..%08x DANACH", h);
    Font_Markup_Ausgabe(screen.get(), f.get(), 0xFFFF, text, 400, 380, 0);
    Markup_Handle_Freigeben(h);

    const char* bin = std::getenv("KORDAVO_BINARY_DIR");
    const std::string ordner = std::string(bin ? bin : ".") + "/golden";
    std::filesystem::create_directories(ordner);
    EXPECT_TRUE(Png_Schreiben(ordner + "/grafik.png", screen->bitmap->pixel16(), 800, 600, 800, 16));
    // Each blit kind in its cell, then bands that together cover the picture.
    static const char* const ART[10] = {"Kopie",   "Transparent",     "Maske",       "Alpha",      "Alpha transparent",
                                        "Toenen",  "Grau",            "Alpha+Maske", "Grau+Maske", "Deckung"};
    std::vector<pruef::Bereich> bereiche;
    for (i32 k = 0; k < 10; ++k) {
        bereiche.push_back({ART[k], 10 + 70 * k, 10, 64, 64});
        bereiche.push_back({ART[k], 10 + 70 * k, 93, 64, 64});  // the 555 row
    }
    const pruef::Bereich weitere[] = {
        {"Ausschnitt links", 0, 170, 44, 64},       {"Ausschnitt versetzt", 60, 170, 64, 64},
        {"Ausschnitt rechts", 770, 170, 30, 64},    {"Sprite", 150, 170, 64, 64},
        {"Sprite gespiegelt", 230, 170, 64, 64},    {"Sprite halb", 310, 186, 32, 32},
        {"Sprite Alpha", 360, 170, 64, 64},         {"Kopie halb", 440, 186, 32, 32},
        {"Schatten", 500, 170, 80, 80},             {"Schatten gross", 590, 170, 80, 80},
        {"Rahmen", 680, 170, 100, 64},              {"Abdunkeln", 10, 250, 780, 40},
        {"Markup", 0, 295, 800, 105},               {"Band 565", 0, 0, 800, 85},
        {"Band 555", 0, 85, 800, 80},               {"Band Sprites", 0, 165, 800, 85},
        {"Band Abdunkeln", 0, 250, 800, 45},        {"Band unten", 0, 400, 800, 200},
    };
    bereiche.insert(bereiche.end(), std::begin(weitere), std::end(weitere));
    static const u64 SUMME[] = {
        0x46f7c827d8b5f887ull, 0xcf74a00e85af5927ull, 0xf049179d985c9e72ull,
        0xfd5a44abf6799013ull, 0x77d6b7f9d47a0b0cull, 0xfe2f1922610138b1ull,
        0x6e453e97e4dc231aull, 0x03bdad4a2b2a5eb6ull, 0x59191943380e4795ull,
        0xf415c0a3ac44781full, 0xde5177f660e5345aull, 0xcd5e241e6d2e09ebull,
        0xbae03d929a6eb29aull, 0xa66f782156fb34bbull, 0xed058999a5b009bbull,
        0xdd844e47a1241457ull, 0xd81a9c5dd071fae5ull, 0xbadf0820f7a318e0ull,
        0x0e2a19eca4cf3842ull, 0xc0470d375c1c6d58ull, 0xb14332151c6574aeull,
        0x452647cb74c82d8full, 0x2b79440d910f8594ull, 0xdeea160ba4b3ab4aull,
        0x27f86a3b90538dcaull, 0xaacce10b700fbf95ull, 0x3e4c0d38963eb4eeull,
        0xaacce10b700fbf95ull, 0x01b049444e4048efull, 0xdf6ca329ab1d1010ull,
        0xae0f26b5cfe04219ull, 0x5e69dae3238e5c25ull, 0xae353c6819e7b14eull,
        0x62e58dab6e26e1dfull, 0x09a61c63a133dda2ull, 0x47b14cd194c9ee3dull,
        0xfa42f090c08d61a5ull, 0x7e675a692c4040afull
    };
    ASSERT_EQ(bereiche.size(), std::size(SUMME));
    for (size_t i = 0; i < bereiche.size(); ++i) {
        const pruef::Bereich& b = bereiche[i];
        const u64 s = pruef::Bereich_Summe(screen->bitmap->pixel16(), 800, 600, b.x, b.y, b.w, b.h);
        EXPECT_EQ(s, SUMME[i]) << b.name << " bei " << b.x << "," << b.y << " (" << b.w << " x " << b.h << ")";
    }
    Farbe_Schatten_Free();
}

}  // namespace
