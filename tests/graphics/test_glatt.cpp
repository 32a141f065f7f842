// Smoothed text: the soft shadow and the blit cache, whose key includes the
// text (a new text at the same place is drawn afresh).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "testfont.h"

namespace {

u16 px(Rastport* rp, i32 x, i32 y) { return rp->bitmap->pixel16()[y * rp->breite + x]; }

TEST(Glatt, SchattenUndCache) {
    std::unique_ptr<Font> f(testfont::neu());
    Rastport_Bild rp(Rastport_Neu_Einfach(200, 60, 16));
    Blt_Rechteck(rp.get(), 0, 0, 200, 60, 0x8410);  // mid grey
    ASSERT_EQ(Font_Printf_Glatt(rp.get(), f.get(), "%s", 10, 30, "I"), 1);
    // Glyph "I": top bar on sheet rows 1-2, x 0..5 (drawn at top = 30 - 12 = 18).
    EXPECT_EQ(px(rp.get(), 11, 19), 0xFFFF);
    EXPECT_LT(px(rp.get(), 16, 21), 0x8410) << "shadow to the lower right";
    EXPECT_EQ(px(rp.get(), 30, 50), 0x8410) << "far away untouched";
    EXPECT_EQ(Blt_Cache_Anzahl(), 1);
    // Same text, same place: one copy from the cache.
    Blt_Rechteck(rp.get(), 0, 0, 200, 60, 0x8410);
    Font_Printf_Glatt(rp.get(), f.get(), "I", 10, 30);
    EXPECT_EQ(Blt_Cache_Anzahl(), 1);
    EXPECT_EQ(px(rp.get(), 11, 19), 0xFFFF);
    // Another text of the same width at the same place is drawn anew.
    Blt_Rechteck(rp.get(), 0, 0, 200, 60, 0x8410);
    Font_Printf_Glatt(rp.get(), f.get(), "L", 10, 30);
    EXPECT_EQ(Blt_Cache_Anzahl(), 2);
    EXPECT_NE(px(rp.get(), 15, 19), 0xFFFF) << "the L has no top bar";
    // The same text over a changed ground (a row lit under the mouse) is
    // drawn anew: the patch keeps the ground it was drawn on.
    for (u16 grund : {u16{0x8410}, u16{0x4208}, u16{0x8410}}) {
        Blt_Rechteck(rp.get(), 0, 0, 200, 60, grund);
        Font_Printf_Glatt(rp.get(), f.get(), "L", 10, 30);
        const i32 rechts = 10 + Font_Text_Breite(f.get(), "L") + 8;  // the patch's last columns but one
        EXPECT_EQ(px(rp.get(), rechts, 18), grund) << "ground above the shadow, inside the patch";
        EXPECT_EQ(px(rp.get(), 11, 19), 0xFFFF);
    }
    EXPECT_EQ(Blt_Cache_Anzahl(), 3) << "one patch per ground and text";
    // '#' bypasses the cache and frees the patches there.
    Font_Printf_Glatt(rp.get(), f.get(), "#I", 10, 30);
    EXPECT_EQ(Blt_Cache_Anzahl(), 0);
    // The 91st patch drops the oldest.
    for (i32 i = 0; i < BLT_CACHE_GROESSE + 1; ++i) Blt_Cache_Ablegen(rp.get(), 0, 0, 4, 4, i, 0, 0);
    EXPECT_EQ(Blt_Cache_Anzahl(), BLT_CACHE_GROESSE);
    EXPECT_EQ(Blt_Cache_Suchen(0, 0, 4, 4, 0, 0, 0), nullptr);
    EXPECT_NE(Blt_Cache_Suchen(0, 0, 4, 4, 90, 0, 0), nullptr);
    Blt_Cache_Leeren();
    EXPECT_EQ(Blt_Cache_Anzahl(), 0);
}

}  // namespace

namespace {

// A shadow drawn over a whole row at once is the one drawn in strips seven
// pixels wide (each strip its own destination, shifted): the eight-pixel
// steps give the pixels of the single ones, at every level and both depths,
// the picture's own pixels included.
TEST(Glatt, SchattenInStreifenWieAmStueck) {
    constexpr i32 W = 43, H = 11, STREIFEN = 7;
    for (int tiefe : {16, 15})
        for (i32 stufe = 0; stufe <= 2; ++stufe) {
            Rastport_Bild bild(Rastport_Neu_Einfach(W, H, tiefe));
            for (i32 i = 0; i < W * H; ++i)
                bild->bitmap->pixel16()[i] = static_cast<u16>((i * 7 % 11 < 4) ? 0 : 0x1000 + i * 97);
            const i32 zb = W + 8, zh = H + 8;
            Rastport_Bild ganz(Rastport_Neu_Einfach(zb, zh, tiefe));
            for (i32 i = 0; i < zb * zh; ++i) ganz->bitmap->pixel16()[i] = static_cast<u16>(i % 13 == 0 ? 0 : i * 40503u);
            const std::vector<u16> vorher(ganz->bitmap->pixel16(), ganz->bitmap->pixel16() + zb * zh);
            ASSERT_EQ(Blt_Text_Schatten(bild.get(), 0, 0, W, H, ganz.get(), 0, 0, stufe, bild.get()), 1);
            int falsch = 0;
            for (i32 s0 = 0; s0 < zb; s0 += STREIFEN) {
                Rastport_Bild streifen(Rastport_Neu_Einfach(STREIFEN, zh, tiefe));
                for (i32 y = 0; y < zh; ++y)
                    for (i32 x = 0; x < STREIFEN; ++x)
                        streifen->bitmap->pixel16()[y * STREIFEN + x] = s0 + x < zb ? vorher[y * zb + s0 + x] : 0;
                ASSERT_EQ(Blt_Text_Schatten(bild.get(), 0, 0, W, H, streifen.get(), -s0, 0, stufe, bild.get()), 1);
                for (i32 y = 0; y < zh; ++y)
                    for (i32 x = 0; x < STREIFEN && s0 + x < zb; ++x)
                        falsch += streifen->bitmap->pixel16()[y * STREIFEN + x] != px(ganz.get(), s0 + x, y);
            }
            EXPECT_EQ(falsch, 0) << tiefe << " " << stufe;
        }
}

}  // namespace

namespace {

// A picture's shadow is the same when the picture stands at the left of a
// wider one that is empty beside it (the wider map is built sixteen pixels
// a step, the narrow one pixel by pixel).
TEST(Glatt, SchattenEinesSchmalenBildesImBreiten) {
    constexpr i32 W = 15, BREIT = 47, H = 9;
    for (int tiefe : {16, 15})
        for (i32 stufe = 0; stufe <= 2; ++stufe) {
            Rastport_Bild schmal(Rastport_Neu_Einfach(W, H, tiefe));
            Rastport_Bild breit(Rastport_Neu_Einfach(BREIT, H, tiefe));
            for (i32 y = 0; y < H; ++y)
                for (i32 x = 0; x < BREIT; ++x) {
                    const u16 p = x < W && (x * 5 + y * 3) % 7 < 3 ? static_cast<u16>(0x2000 + x * 31 + y) : 0;
                    breit->bitmap->pixel16()[y * BREIT + x] = p;
                    if (x < W) schmal->bitmap->pixel16()[y * W + x] = p;
                }
            Rastport_Bild a(Rastport_Neu_Einfach(BREIT + 8, H + 8, tiefe));
            Rastport_Bild b(Rastport_Neu_Einfach(BREIT + 8, H + 8, tiefe));
            for (i32 i = 0; i < (BREIT + 8) * (H + 8); ++i)
                a->bitmap->pixel16()[i] = b->bitmap->pixel16()[i] = static_cast<u16>(0x7BEF + i);
            ASSERT_EQ(Blt_Text_Schatten(schmal.get(), 0, 0, W, H, a.get(), 0, 0, stufe, schmal.get()), 1);
            ASSERT_EQ(Blt_Text_Schatten(breit.get(), 0, 0, BREIT, H, b.get(), 0, 0, stufe, breit.get()), 1);
            int falsch = 0;
            for (i32 y = 0; y < H + 8; ++y)
                for (i32 x = 0; x < W + 6; ++x) falsch += px(a.get(), x, y) != px(b.get(), x, y);
            EXPECT_EQ(falsch, 0) << tiefe << " " << stufe;
        }
}

}  // namespace
