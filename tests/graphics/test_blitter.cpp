// Blitter, pixel arithmetic, colours and the recoloured-picture cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/zeichenspur.h"

namespace {

Rastport_Bild bild(i32 w, i32 h, i32 t = 16, u16 fuell = 0) {
    Rastport_Bild rp(Rastport_Neu_Einfach(w, h, t));
    if (t != 8) Blt_Rechteck(rp.get(), 0, 0, -1, -1, fuell);
    return rp;
}
u16& px(Rastport* rp, i32 x, i32 y) { return rp->bitmap->pixel16()[static_cast<size_t>(y) * rp->breite + x]; }

TEST(Blitter, Clip) {
    struct Fall {
        i32 sx, sy, w, h, dx, dy;            // in
        i32 ok, csx, csy, cw, ch, cdx, cdy;  // out
    } faelle[] = {
        {0, 0, 10, 10, 5, 5, 1, 0, 0, 10, 10, 5, 5},          // inside: unchanged
        {-5, 0, 10, 10, 0, 0, 1, 0, 0, 5, 10, 5, 0},          // source left of its edge
        {0, 0, 10, 10, -3, -4, 1, 3, 4, 7, 6, 0, 0},          // negative destination
        {0, 0, 10, 10, 95, 0, 1, 0, 0, 5, 10, 95, 0},         // past the right edge
        {0, 0, 10, 10, 100, 0, 0, 0, 0, 0, 0, 0, 0},          // starts past the edge
        {0, 0, 10, 10, -10, 0, 0, 0, 0, 0, 0, 0, 0},          // ends before the edge
        {-20, 0, 10, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0},          // nothing of the source
        {0, 0, 0x7FFFFFF0, 10, 0, 0, 1, 0, 0, 20, 10, 0, 0},  // huge width cannot wrap
    };
    for (const Fall& f : faelle) {
        i32 sx = f.sx, sy = f.sy, w = f.w, h = f.h, dx = f.dx, dy = f.dy;
        const i32 ok = Blt_Clip(&sx, &sy, &w, &h, 20, 20, &dx, &dy, 100, 100);
        EXPECT_EQ(ok, f.ok) << f.sx << "," << f.dx;
        if (ok) {
            EXPECT_EQ((std::array<i32, 6>{sx, sy, w, h, dx, dy}),
                      (std::array<i32, 6>{f.csx, f.csy, f.cw, f.ch, f.cdx, f.cdy}));
        }
    }
}

TEST(Farbe, PackenUndZurueck) {
    EXPECT_EQ(Farbe_Pack_565(255, 255, 255), 0xFFFF);
    EXPECT_EQ(Farbe_Pack_555(255, 255, 255), 0x7FFF);
    EXPECT_EQ(Farbe_Pack_565(-4, 300, 8), 0x07E1);
    u8 r, g, b;
    Farbe_Get_RGB(0x7FFF, 15, &r, &g, &b);
    EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{248, 248, 248}));
    Farbe_Get_RGB(0xF81F, 16, &r, nullptr, &b);  // null outputs allowed
    EXPECT_EQ(r, 248);
    for (u32 p = 0; p < 0x8000; p += 97) EXPECT_EQ(Farbe_565_Zu_555(Farbe_555_Zu_565(static_cast<u16>(p))), p);
    EXPECT_EQ(Farbe_Screen_Pixel(-1, 0, 300), Farbe_Pack_565(255, 0, 255));  // red and blue outside 0..255 become 255
    EXPECT_EQ(Farbe_Helligkeit_RGB(255, 255, 255), 326);
    EXPECT_EQ(Farbe_Kontrast(0, 16), 65535);
    EXPECT_EQ(Farbe_Kontrast(0xFFFF, 16), 1);
    u8 pal[768] = {};
    pal[3 * 7] = 248, pal[3 * 7 + 1] = 248, pal[3 * 7 + 2] = 248;
    EXPECT_EQ(Farbe_Palette_Naechste(0xFFFF, 16, pal), 7);
    EXPECT_NE(Farbe_Palette_Naechste(0, 16, pal), 0);  // never 0, even for black
    i32 y, i, q, R, G, B;
    Farbe_RGB_Zu_YIQ(200, 100, 50, &y, &i, &q);
    Farbe_YIQ_Zu_RGB(y, i, q, &R, &G, &B);
    EXPECT_NEAR(R, 200, 2);
    EXPECT_NEAR(G, 100, 2);
    EXPECT_NEAR(B, 50, 2);
}

TEST(Farbe, EinfaerbenUndHsl) {
    // Grey recolouring (I = Q = 0) keeps a pixel's brightness and removes its colour.
    u16 px[2] = {Farbe_Pack_565(200, 60, 40), Farbe_Pack_565(200, 60, 40)};
    const u8 maske[5] = {1, 0, 0, 0, 0};
    Farbe_Maske_Einfaerben(px, maske, Farbe_Pack_565(128, 128, 128), 16, 2);
    u8 r, g, b;
    Farbe_Get_RGB(px[0], 16, &r, &g, &b);
    EXPECT_LE(std::max({r, g, b}) - std::min({r, g, b}), 8);
    i32 y_vorher, y_nachher;
    Farbe_RGB_Zu_YIQ(200, 56, 40, &y_vorher, nullptr, nullptr);
    Farbe_RGB_Zu_YIQ(r, g, b, &y_nachher, nullptr, nullptr);
    EXPECT_NEAR(y_nachher, y_vorher, 250);          // the same luminance (Y of YIQ, out of 10,000)
    EXPECT_EQ(px[1], Farbe_Pack_565(200, 60, 40));  // outside the mask: unchanged
    // The base entry of a recoloured palette takes the target colour.
    u8 pal6[768] = {};
    for (int k = 0; k < 256; ++k) pal6[3 * k] = pal6[3 * k + 1] = pal6[3 * k + 2] = static_cast<u8>(k / 4);
    const i32 liste[3] = {40, 120, 200};
    u16 aus[256] = {};
    Farbe_Palette_Einfaerben(30, 80, 200, pal6, liste, 1, 3, aus);
    Farbe_Get_RGB(aus[120], 16, &r, &g, &b);
    EXPECT_NEAR(r, 30, 12);
    EXPECT_NEAR(b, 200, 12);
    EXPECT_LT(Farbe_Helligkeit(aus[40], 16), Farbe_Helligkeit(aus[200], 16));
    // HSL there and back.
    for (u32 rgb : {0x0000FFu, 0x3DB3F2u, 0x808080u, 0x2B1A0Eu}) {
        f32 h, l, sat;
        Farbe_RGB_Zu_HSL(rgb, &h, &l, &sat);
        const u32 z = Farbe_HSL_Zu_RGB(h, l, sat);
        for (int k = 0; k < 24; k += 8)
            EXPECT_NEAR(static_cast<int>((z >> k) & 255), static_cast<int>((rgb >> k) & 255), 2) << std::hex << rgb;
    }
}

TEST(Pixel, Formeln) {
    using namespace pixel;
    const u16 w565 = 0xFFFF, rot = Farbe_Pack_565(248, 0, 0);
    EXPECT_EQ(mischen<16>(rot, w565, 0, 256), rot);  // keyed form, alpha 0: the destination
    u8 r, g, b;
    Farbe_Get_RGB(mischen<16>(rot, w565, 255, 0), 16, &r, &g, &b);
    EXPECT_GE(g, 248);                              // alpha 255 gives the source within a step
    EXPECT_EQ(toenen<16>(rot, w565, 128), rot);     // weight 128: the source
    EXPECT_EQ(toenen<16>(rot, 0x001F, 0), 0x001F);  // weight 0: the colour
    EXPECT_EQ(toenen<16>(0, 0, 64), 1);             // never 0
    EXPECT_EQ(grau<15>(0x7FFF), 0x7FFF);
    EXPECT_EQ(grau<16>(0xFFFF) & 0x7E0, 0x7C0);  // 565 green takes six bits of the grey
    EXPECT_EQ(abdunkeln<16>(0x0001, 120), 1);    // a non-zero pixel stays non-zero
    EXPECT_EQ(abdunkeln<16>(0, 120), 0);
}

TEST(Blitter, Verzweigungen) {
    // Source 4 x 1: pixels {0, A, B, 0}, alpha {0, 128, 255, 255}, mask {1, 1, 0, 1}.
    const u16 A = Farbe_Pack_565(248, 0, 0), B = Farbe_Pack_565(0, 0, 248), D = Farbe_Pack_565(0, 252, 0);
    Rastport_Bild s = bild(4, 1);
    px(s.get(), 1, 0) = A, px(s.get(), 2, 0) = B;
    s->alpha = {0, 128, 255, 255};
    s->maske = {0b1011, 0, 0, 0, 0};
    struct Fall {
        const char* name;
        Blt_Optionen o;
        std::array<bool, 4> geaendert;  // which destination pixels change
    } faelle[] = {
        {"opak", {}, {true, true, true, true}},
        {"schluessel", {.schluessel = 1}, {false, true, true, false}},
        {"maske", {.maske = 1}, {true, true, false, true}},
        {"alpha", {.alpha = 1}, {false, true, true, true}},
        {"alpha+schluessel", {.schluessel = 1, .alpha = 1}, {false, true, true, false}},
        {"alpha+maske", {.maske = 1, .alpha = 1}, {false, true, false, true}},
        {"alpha+grau", {.alpha = 1, .grau = 1}, {false, false, false, false}},  // nothing is drawn
        {"deckung", {.deckung = 1, .farbe = 0x1234}, {false, true, true, true}},
        {"grau+toenen", {.schluessel = 1, .toenen = 1, .grau = 1}, {false, true, true, false}},
    };
    for (const Fall& f : faelle) {
        Rastport_Bild d = bild(4, 1, 16, D);
        Blt_Blit(s.get(), 0, 0, -1, -1, d.get(), 0, 0, &f.o);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(px(d.get(), x, 0) != D, f.geaendert[x]) << f.name << " x=" << x;
    }
    // Grey wins over tint; coverage >= 240 paints the exact colour.
    Rastport_Bild d = bild(4, 1, 16, D);
    Blt_Optionen o{.schluessel = 1, .toenen = 1, .grau = 1, .farbe = 0x001F};
    Blt_Blit(s.get(), 0, 0, -1, -1, d.get(), 0, 0, &o);
    EXPECT_EQ(px(d.get(), 1, 0), pixel::grau<16>(A));
    o = {.deckung = 1, .farbe = 0x1234};
    Blt_Blit(s.get(), 0, 0, -1, -1, d.get(), 0, 0, &o);
    EXPECT_EQ(px(d.get(), 3, 0), 0x1234);
    // Depths differ: nothing converts, nothing is drawn.
    Rastport_Bild d15 = bild(4, 1, 15, 0x1111);
    EXPECT_EQ(Blt_Blit(s.get(), 0, 0, -1, -1, d15.get(), 0, 0, nullptr), 0);
}

// A colour-key copy (sixteen, eight and one pixel a step) against the plain
// form: widths around each step's size, from an odd column, the key in runs
// and alone; nothing outside the rectangle changes.
TEST(Blitter, SchluesselkopieJedeBreite) {
    const u16 key = 0x1234, D = 0x0F0F;
    Rastport_Bild s = bild(96, 3);
    s->bitmap->farbschluessel = key;
    u32 saat = 7;
    for (i32 y = 0; y < 3; ++y)
        for (i32 x = 0; x < 96; ++x) {
            saat = saat * 1103515245u + 12345u;
            const u32 z = saat >> 16;
            px(s.get(), x, y) = (x / 5) % 3 == 0 || z % 7 == 0 ? key : static_cast<u16>(z | 1);
        }
    for (const i32 w : {1, 7, 8, 9, 15, 16, 17, 31, 32, 33, 47, 63, 64, 65, 80}) {
        Rastport_Bild d = bild(100, 5, 16, D);
        Blt_Blit(s.get(), 3, 0, w, 3, d.get(), 5, 1, Blt_Opt_Transparent);
        for (i32 y = 0; y < 5; ++y)
            for (i32 x = 0; x < 100; ++x) {
                const bool drin = x >= 5 && x < 5 + w && y >= 1 && y < 4;
                const u16 q = drin ? px(s.get(), x - 2, y - 1) : key;
                ASSERT_EQ(px(d.get(), x, y), q == key ? D : q) << "w=" << w << " x=" << x << " y=" << y;
            }
    }
}

TEST(Blitter, RechteckRahmenUndSprite) {
    Rastport_Bild d = bild(10, 10);
    EXPECT_EQ(Blt_Rechteck(d.get(), -5, -5, 8, 8, 7), 0);  // the result is always 0
    EXPECT_EQ(px(d.get(), 2, 2), 7);
    EXPECT_EQ(px(d.get(), 3, 3), 0);
    Rastport_Bild d8 = bild(4, 4, 8);
    Blt_Rechteck(d8.get(), 0, 0, -1, -1, 9);  // 8-bit surfaces are not filled
    EXPECT_EQ(d8->bitmap->pixel8()[0], 0);
    Rastport_Bild r = bild(10, 10);
    Blt_Rahmen(r.get(), 0, 0, 10, 10, 5, 0);  // thickness 0 draws nothing
    EXPECT_EQ(px(r.get(), 0, 0), 0);
    Blt_Rahmen(r.get(), 0, 0, 10, 10, 5, 2);
    EXPECT_EQ(px(r.get(), 9, 9), 5);
    EXPECT_EQ(px(r.get(), 1, 5), 5);
    EXPECT_EQ(px(r.get(), 2, 5), 0);

    // A sprite: a partial blit draws nothing; mirrored column x lands at w - 1 - x.
    const u16 pix[3] = {0, 0xAAAA, 0xBBBB};
    Rastport_Bild sp(Rastport_Neu(3, 1, 16, 1, 0));
    sp->sprite = Rle_Sprite_Aus_Pixeln(pix, 3, 1);
    Rastport_Bild z = bild(3, 1);
    EXPECT_EQ(Blt_Blit(sp.get(), 1, 0, 2, 1, z.get(), 0, 0, Blt_Opt_Sprite), 0);
    EXPECT_EQ(Blt_Blit(sp.get(), 0, 0, -1, -1, z.get(), 0, 0, Blt_Opt_Sprite), 1);
    EXPECT_EQ((std::array<u16, 3>{px(z.get(), 0, 0), px(z.get(), 1, 0), px(z.get(), 2, 0)}),
              (std::array<u16, 3>{0, 0xAAAA, 0xBBBB}));
    sp->sprite->gespiegelt = 1;
    Rastport_Bild zm = bild(3, 1);
    Blt_Blit(sp.get(), 0, 0, -1, -1, zm.get(), 0, 0, Blt_Opt_Sprite);
    EXPECT_EQ((std::array<u16, 3>{px(zm.get(), 0, 0), px(zm.get(), 1, 0), px(zm.get(), 2, 0)}),
              (std::array<u16, 3>{0xBBBB, 0xAAAA, 0}));
    // A sprite partly outside the destination: the blitter refuses, the direct loop clips.
    Rastport_Bild klein = bild(2, 1);
    EXPECT_EQ(Blt_Blit(sp.get(), 0, 0, -1, -1, klein.get(), 0, 0, Blt_Opt_Sprite), 0);
    EXPECT_EQ(Blt_Rle(*sp->sprite, klein.get(), -1, 0), 1);
    EXPECT_EQ(px(klein.get(), 0, 0), 0xAAAA);
}

TEST(Blitter, Rle8) {
    // One row of 4: a transparent pixel, then indices 1, 2, 3.
    Rle8_Sprite sp{.breite = 4, .hoehe = 2, .zeilen = {0, 5}, .daten = {1, 0x83, 1, 2, 3, 0x84, 1, 1, 1, 1}};
    u16 tabelle[256] = {};
    tabelle[1] = 0x1111, tabelle[2] = 0x2222, tabelle[3] = 0x3333;
    struct Fall {
        i32 art;
        std::array<u16, 4> zeile0;
    } faelle[] = {
        {0, {0, 0x1111, 0x2222, 0x3333}},
        {RLE_GESPIEGELT, {0x3333, 0x2222, 0x1111, 0}},
        {RLE_HALB, {0x1111, 0x3333, 0, 0}},  // columns 1 and 3 of row 0
    };
    for (const Fall& f : faelle) {
        Rastport_Bild z = bild(4, 2);
        EXPECT_EQ(Blt_Rle8(sp, tabelle, z.get(), 0, 0, f.art), 1);
        EXPECT_EQ((std::array<u16, 4>{px(z.get(), 0, 0), px(z.get(), 1, 0), px(z.get(), 2, 0), px(z.get(), 3, 0)}),
                  f.zeile0)
            << f.art;
    }
    sp.daten[1] = 0x85;  // the row now passes the width
    Rastport_Bild z = bild(4, 2);
    EXPECT_EQ(Blt_Rle8(sp, tabelle, z.get(), 0, 0), 0);
    EXPECT_EQ(px(z.get(), 1, 0), 0);
}

TEST(Schatten, KernUndTabelle) {
    const std::pair<i32, i32> kerne[] = {{1, 3}, {3, 3}, {4, 5}, {5, 5}, {7, 7}, {9, 9}, {12, 9}, {-4, 3}};
    for (auto [groesse, k] : kerne) EXPECT_EQ(Blt_Schatten_Kern_Groesse(groesse), k) << groesse;
    for (i32 t : {15, 16}) {
        Farbe_Schatten_Init(t);
        const u16* tab = Farbe_Schatten_Tabelle();
        EXPECT_EQ(tab[0], 0);
        for (u32 p = 1; p < (t == 15 ? 0x8000u : 0x10000u); ++p) ASSERT_NE(tab[p], 0) << p;
        if (t == 15) {
            EXPECT_EQ(tab[0x7FFF], pixel::abdunkeln<15>(0x7FFF, 120));
        }
    }
    // The shadow darkens beside the object, never under it.
    Farbe_Schatten_Init(16);
    Rastport_Bild ziel = bild(40, 40, 16, 0xFFFF);
    Rastport_Bild obj = bild(8, 8, 16, 0x1234);
    EXPECT_EQ(Blt_Schatten(obj.get(), 0, 0, -1, -1, ziel.get(), 10, 10, nullptr), 1);
    EXPECT_EQ(px(ziel.get(), 12, 12), 0x1234);
    EXPECT_LT(px(ziel.get(), 18, 18), 0xFFFF);
    EXPECT_EQ(px(ziel.get(), 2, 2), 0xFFFF);
    Farbe_Schatten_Free();
}

TEST(Farbe, Cache) {
    const u32 liste[2] = {1, 2};
    Rastport* a = Rastport_Neu_Einfach(2, 2, 16);
    Rastport* b = Rastport_Neu_Einfach(2, 2, 16);
    ASSERT_EQ(Farbe_Cache_Ablegen(a, liste, 2, 7), 1);
    ASSERT_EQ(Farbe_Cache_Ablegen(b, liste, 1, 7), 1);
    Farbe_Cache_Aufraeumen();  // both were stored this frame
    EXPECT_EQ(Farbe_Cache_Suchen(liste, 2, 7), a);
    EXPECT_EQ(Farbe_Cache_Suchen(liste, 2, 8), nullptr);
    Farbe_Cache_Aufraeumen();  // b was not looked up: freed
    EXPECT_EQ(Farbe_Cache_Anzahl(), 1);
    EXPECT_EQ(Farbe_Cache_Suchen(liste, 1, 7), nullptr);
    for (int i = 0; i < FARBE_CACHE_GROESSE - 1; ++i) Farbe_Cache_Ablegen(Rastport_Neu_Einfach(1, 1, 16), liste, 0, i);
    const Rastport_Bild zuviel(Rastport_Neu_Einfach(1, 1, 16));
    EXPECT_EQ(Farbe_Cache_Ablegen(zuviel.get(), liste, 0, 999), 0);  // full: the caller keeps it
    Farbe_Cache_Free();
    EXPECT_EQ(Farbe_Cache_Anzahl(), 0);
}

}  // namespace

// Darkening a whole area gives every pixel value of both depths exactly as
// the pixel formula does, at the levels the menus use and above 128.
TEST(Blitter, AbdunkelnJederPixelwert) {
    for (int tiefe : {16, 15}) {
        Rastport_Bild rp(Rastport_Neu_Einfach(256, 256, tiefe));
        ASSERT_TRUE(rp);
        for (int stufe : {0, 1, 64, 90, 96, 127, 128, 129, 200, -5}) {
            u16* p = rp->bitmap->pixel16();
            for (u32 i = 0; i < 65536; ++i) p[i] = static_cast<u16>(i);
            ASSERT_EQ(Blt_Abdunkeln(rp.get(), 0, 0, 256, 256, stufe), 1);
            int falsch = 0;
            for (u32 i = 0; i < 65536; ++i)
                falsch += p[i] != (tiefe == 16 ? pixel::abdunkeln<16>(i, stufe) : pixel::abdunkeln<15>(i, stufe));
            EXPECT_EQ(falsch, 0) << tiefe << " " << stufe;
        }
    }
}

// A tint of weight 0 through the key (a glyph in its colour) gives every
// source pixel but the key the colour and leaves the destination under the
// key, for widths around the eight-pixel step and at an offset.
TEST(Blitter, EinfaerbenDurchDenSchluessel) {
    for (int tiefe : {16, 15})
        for (i32 w : {1, 7, 8, 9, 16, 23}) {
            Rastport_Bild q(Rastport_Neu_Einfach(w, 3, tiefe));
            Rastport_Bild z(Rastport_Neu_Einfach(40, 5, tiefe));
            ASSERT_TRUE(q && z);
            for (i32 i = 0; i < w * 3; ++i) q->bitmap->pixel16()[i] = static_cast<u16>(i % 3 == 0 ? 0 : 0x1234 + i);
            for (i32 i = 0; i < 40 * 5; ++i) z->bitmap->pixel16()[i] = static_cast<u16>(0x0F00 + i);
            Blt_Optionen o = *Blt_Opt_Einfaerben;
            o.farbe = 0x7BEF;
            ASSERT_EQ(Blt_Blit(q.get(), 0, 0, -1, -1, z.get(), 3, 1, &o), 1);
            int falsch = 0;
            for (i32 y = 0; y < 5; ++y)
                for (i32 x = 0; x < 40; ++x) {
                    const bool drin = x >= 3 && x < 3 + w && y >= 1 && y < 4;
                    const bool schluessel = drin && q->bitmap->pixel16()[(y - 1) * w + (x - 3)] == 0;
                    const u16 soll = drin && !schluessel ? 0x7BEF : static_cast<u16>(0x0F00 + y * 40 + x);
                    falsch += z->bitmap->pixel16()[y * 40 + x] != soll;
                }
            EXPECT_EQ(falsch, 0) << tiefe << " " << w;
        }
}

// A cover blit (smoothed glyphs) gives for every cover value and a spread of
// destination pixels the formula's pixel: untouched up to 2, the colour from
// 240 on, the blend between; at widths around the eight-pixel step, with the
// pictures as wide as the blit and wider (the pixels beside it untouched).
TEST(Blitter, DeckungJederWert) {
    for (int tiefe : {16, 15})
        for (i32 breite : {0, 256})
            for (i32 w : {5, 8, 13, 251, 256}) {
                const i32 b = breite ? breite : w;
                Rastport_Bild q(Rastport_Neu_Einfach(b, 256, 8));
                Rastport_Bild z(Rastport_Neu_Einfach(b, 256, tiefe));
                ASSERT_TRUE(q && z);
                for (i32 i = 0; i < b * 256; ++i) {
                    q->bitmap->pixel8()[i] = static_cast<u8>(i * 7 % 256);
                    z->bitmap->pixel16()[i] = static_cast<u16>(i * 2654435761u >> 16);
                }
                std::vector<u16> vorher(z->bitmap->pixel16(), z->bitmap->pixel16() + b * 256);
                Blt_Optionen o = *Blt_Opt_Schatten;
                o.farbe = 0x5AB3;
                ASSERT_EQ(Blt_Blit(q.get(), 0, 0, w, 256, z.get(), 0, 0, &o), 1);
                int falsch = 0;
                for (i32 i = 0; i < b * 256; ++i) {
                    const int k = i % b < w ? q->bitmap->pixel8()[i] : 0;
                    const u16 soll = k <= 2 ? vorher[i] : k >= 240 ? 0x5AB3
                                     : tiefe == 16 ? pixel::mischen<16>(vorher[i], 0x5AB3, k, 255 - k)
                                                   : pixel::mischen<15>(vorher[i], 0x5AB3, k, 255 - k);
                    falsch += z->bitmap->pixel16()[i] != soll;
                }
                EXPECT_EQ(falsch, 0) << tiefe << " " << b << " " << w;
            }
}

// The grass light: every pixel of both depths, plain and mirrored, as the
// pixel formula blends it through the alpha plane; alpha 0 keeps the pixel,
// a blend that comes out black is 1; pictures of another size are refused.
TEST(Blitter, LichtMischenWieDieFormel) {
    for (int tiefe : {16, 15})
        for (bool gespiegelt : {false, true})
            for (i32 w : {1, 8, 13, 37}) {
                const i32 h = 3;
                Rastport_Bild q(Rastport_Neu_Einfach(w, h, tiefe));
                Rastport_Bild z(Rastport_Neu_Einfach(w, h, tiefe));
                ASSERT_TRUE(q && z);
                q->alpha.assign(static_cast<size_t>(w) * h, 0);
                for (i32 i = 0; i < w * h; ++i) {
                    q->bitmap->pixel16()[i] = static_cast<u16>(i % 5 == 0 ? 0 : i * 40503u);
                    q->alpha[static_cast<size_t>(i)] = static_cast<u8>(i % 4 == 0 ? 0 : i % 4 == 1 ? 255 : i * 37 % 256);
                    z->bitmap->pixel16()[i] = static_cast<u16>(i % 7 == 0 ? 0 : i * 2654435761u >> 16);
                }
                std::vector<u16> soll(z->bitmap->pixel16(), z->bitmap->pixel16() + w * h);
                for (i32 y = 0; y < h; ++y)
                    for (i32 x = 0; x < w; ++x) {
                        const size_t i = static_cast<size_t>(y) * w + (gespiegelt ? w - 1 - x : x);
                        const int a = q->alpha[i];
                        if (!a) continue;
                        u16& d = soll[static_cast<size_t>(y) * w + x];
                        const u16 p = tiefe == 16 ? pixel::mischen<16>(d, q->bitmap->pixel16()[i], a, 255 - a)
                                                  : pixel::mischen<15>(d, q->bitmap->pixel16()[i], a, 255 - a);
                        d = p ? p : 1;
                    }
                ASSERT_EQ(Blt_Licht_Mischen(*q, *z, gespiegelt), 1);
                int falsch = 0;
                for (i32 i = 0; i < w * h; ++i) falsch += z->bitmap->pixel16()[i] != soll[static_cast<size_t>(i)];
                EXPECT_EQ(falsch, 0) << tiefe << " " << gespiegelt << " " << w;
            }
    Rastport_Bild q(Rastport_Neu_Einfach(8, 2, 16));
    Rastport_Bild z(Rastport_Neu_Einfach(9, 2, 16));
    q->alpha.assign(16, 255);
    EXPECT_EQ(Blt_Licht_Mischen(*q, *z, false), 0);
    q->alpha.clear();
    EXPECT_EQ(Blt_Licht_Mischen(*q, *q, false), 0);
}

// A keyed picture drawn through its runs lands exactly as the keyed blit
// does, wherever it stands; where it does not lie wholly inside, is of
// another depth or the drawing is recorded, the blit itself draws it.
TEST(Blitter, LaeufeWieDerSchluesselBlit) {
    struct Fall {
        const char* muster;  // a row after another, '.' the key, letters colours
        i32 w, dx, dy, ziel_tiefe;
    } faelle[] = {
        {"a.b.c..ddd", 5, 3, 4, 16},             // runs of one and three, a key row end
        {"..........", 5, 0, 0, 16},             // nothing but the key
        {"abcdefghij", 10, 10, 19, 16},          // no key, at the corner
        {".ab..cd.ef", 5, 17, 2, 16},            // partly past the right edge
        {"ab..cd..ef", 2, -1, 3, 16},            // partly left of the destination
        {"a..bc.d..e", 5, 2, 2, 15},             // another depth: not drawn
        {"ab", 1, 5, 19, 16},                    // partly below the last row
    };
    for (const Fall& f : faelle) {
        const i32 h = static_cast<i32>(std::strlen(f.muster)) / f.w;
        Rastport_Bild q = bild(f.w, h, 16, 0);
        for (i32 i = 0; i < f.w * h; ++i)
            px(q.get(), i % f.w, i / f.w) = f.muster[i] == '.' ? 0 : static_cast<u16>(0x1234 + 97 * f.muster[i]);
        Blt_Laeufe l;
        ASSERT_TRUE(Blt_Laeufe_Bauen(q.get(), &l));
        Rastport_Bild a = bild(20, 20, f.ziel_tiefe, 0x0F0F), b = bild(20, 20, f.ziel_tiefe, 0x0F0F);
        const i32 erwartet = Blt_Blit(q.get(), 0, 0, -1, -1, a.get(), f.dx, f.dy, Blt_Opt_Transparent);
        EXPECT_EQ(Blt_Laeufe_Zeichnen(l, q.get(), b.get(), f.dx, f.dy), erwartet) << f.muster;
        EXPECT_TRUE(std::equal(a->bitmap->pixel16(), a->bitmap->pixel16() + 400, b->bitmap->pixel16())) << f.muster;
    }
    // Runs made of another picture are not used: the picture given is drawn.
    Rastport_Bild q1 = bild(2, 1, 16, 5), q2 = bild(2, 1, 16, 9), z = bild(4, 4, 16, 0);
    Blt_Laeufe l;
    ASSERT_TRUE(Blt_Laeufe_Bauen(q1.get(), &l));
    Blt_Laeufe_Zeichnen(l, q2.get(), z.get(), 1, 1);
    EXPECT_EQ(px(z.get(), 1, 1), 9);
    // An 8-bit picture has no runs.
    Rastport_Bild acht = bild(2, 2, 8);
    EXPECT_FALSE(Blt_Laeufe_Bauen(acht.get(), &l));
    EXPECT_TRUE(l.laeufe.empty());
}

TEST(Blitter, LaeufeImProtokollWieDerBlit) {
    Rastport_Bild q = bild(3, 2, 16, 7), z = bild(10, 10, 16, 0);
    q->grafik = 4711;
    Blt_Laeufe l;
    ASSERT_TRUE(Blt_Laeufe_Bauen(q.get(), &l));
    Zeichenspur_Einschalten();
    Blt_Laeufe_Zeichnen(l, q.get(), z.get(), 2, 3);
    const auto spur = Zeichenspur_Eintraege();
    Zeichenspur_Ausschalten();
    ASSERT_EQ(spur.size(), 1u);
    EXPECT_EQ((std::array<i32, 5>{spur[0].grafik, spur[0].x, spur[0].y, spur[0].breite, spur[0].hoehe}),
              (std::array<i32, 5>{4711, 2, 3, 3, 2}));
}
