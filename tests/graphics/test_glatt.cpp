// Smoothed text: the soft shadow and the blit cache, whose key includes the
// text (a new text at the same place is drawn afresh).
#include <gtest/gtest.h>

#include <memory>

#include "graphics/blitter.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "testfont.h"

namespace {

u16 px(Rastport* rp, i32 x, i32 y) { return rp->bitmap->pixel16()[y * rp->breite + x]; }

TEST(Glatt, SchattenUndCache) {
    std::unique_ptr<Font> f(testfont::neu());
    std::unique_ptr<Rastport> rp(Rastport_Neu_Einfach(200, 60, 16));
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
