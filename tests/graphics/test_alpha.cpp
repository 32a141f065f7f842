// Uniform alpha and the pulse sequence.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "base/tools.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "testfont.h"

namespace {

u32 uhr = 5000;

TEST(Alpha, ProzentUndPulsfolge) {
    EXPECT_EQ(Blt_Alpha_Aus_Prozent(100), 255);
    EXPECT_EQ(Blt_Alpha_Aus_Prozent(50), 127);
    Rastport_Bild q(Rastport_Neu_Einfach(2, 1, 16)), z(Rastport_Neu_Einfach(2, 1, 16));
    q->bitmap->pixel16()[0] = 0xFFFF;
    q->bitmap->pixel16()[1] = 0;
    z->bitmap->pixel16()[0] = z->bitmap->pixel16()[1] = 0x0000;
    Blt_Alpha_Prozent_Transparent(q.get(), 0, 0, -1, -1, z.get(), 0, 0, 50);
    EXPECT_EQ(z->bitmap->pixel16()[0], 0x7BEF) << "half of white";
    EXPECT_EQ(z->bitmap->pixel16()[1], 0) << "key 0 stays out";

    Uhr_Set_Hooks({.jetzt = [] { return uhr; }});
    std::vector<i32> folge;
    for (int i = 0; i < 46; ++i, uhr += 50) folge.push_back(Blt_Pulsieren_Stufe(7, 9));
    const std::vector<i32> erwartet = {5,  10,  15, 20, 25, 30, 35, 40, 45, 50, 60, 70, 75, 80, 85, 90,
                                       95, 100, 95, 90, 85, 80, 75, 70, 60, 50, 45, 40, 35, 30, 25, 20,
                                       15, 10,  5,  10, 15, 20, 25, 30, 35, 40, 45, 50, 60, 70};
    EXPECT_EQ(folge, erwartet);
    uhr += 20;
    EXPECT_EQ(Blt_Pulsieren_Stufe(7, 9), 75) << "one step per 50 ms at most";
    EXPECT_EQ(Blt_Pulsieren_Stufe(7, 9), 75);
    Uhr_Set_Hooks({});
}

// Rows of every length 1..40 with random pixels (0 and 1 among them) at
// every level and offset: the eight-at-once loop gives the single-pixel
// formula's result exactly, plain and with colour key.
TEST(Alpha, AchtAufEinmalWieEinzeln) {
    u32 z = 12345;
    auto zufall = [&] { return z = z * 1103515245u + 12345u, static_cast<u16>(z >> 8); };
    for (i32 prozent : {0, 1, 35, 50, 90, 99, 100})
        for (bool transparent : {false, true})
            for (i32 n = 1; n <= 40; ++n) {
                Rastport_Bild q(Rastport_Neu_Einfach(n + 3, 1, 16)), d(Rastport_Neu_Einfach(n + 3, 1, 16));
                std::vector<u16> soll(static_cast<size_t>(n + 3));
                const i32 a = Blt_Alpha_Aus_Prozent(prozent);
                for (i32 i = 0; i < n + 3; ++i) {
                    const u16 qs = i % 7 == 0 ? 0 : i % 11 == 0 ? 1 : zufall(), ds = i % 5 == 0 ? 0 : zufall();
                    q->bitmap->pixel16()[i] = qs;
                    d->bitmap->pixel16()[i] = ds;
                    const u16 p = pixel::mischen<16>(ds, qs, a, 256 - a);
                    soll[static_cast<size_t>(i)] = i < 3 || (transparent && !qs) ? ds : p ? p : 1;
                }
                transparent ? Blt_Alpha_Prozent_Transparent(q.get(), 3, 0, n, 1, d.get(), 3, 0, prozent)
                            : Blt_Alpha_Prozent(q.get(), 3, 0, n, 1, d.get(), 3, 0, prozent);
                for (i32 i = 0; i < n + 3; ++i)
                    ASSERT_EQ(d->bitmap->pixel16()[i], soll[static_cast<size_t>(i)])
                        << prozent << "% n=" << n << " i=" << i << (transparent ? " key" : "");
            }
}

TEST(Alpha, FremdeAlphaEbeneUndHalbdurchsichtigerText) {
    Rastport_Bild src(Rastport_Neu_Einfach(3, 1, 16)), ziel(Rastport_Neu_Einfach(3, 1, 16));
    Rastport_Bild ebene(Rastport_Neu_Einfach(3, 1, 8)), falsch(Rastport_Neu_Einfach(2, 1, 8));
    Blt_Rechteck(src.get(), 0, 0, 3, 1, 0xFFFF);
    const u8 a[3] = {255, 0, 128};
    std::copy(a, a + 3, ebene->bitmap->pixel8());
    // Null or unfit planes draw nothing; the source keeps no alpha plane.
    EXPECT_EQ(Blt_Alpha(src.get(), nullptr, 0, 0, -1, -1, ziel.get(), 0, 0), 0);
    EXPECT_EQ(Blt_Alpha(src.get(), falsch.get(), 0, 0, -1, -1, ziel.get(), 0, 0), 0);
    EXPECT_EQ(Blt_Alpha(src.get(), ebene.get(), 0, 0, -1, -1, ziel.get(), 0, 0), 1);
    const u16* p = ziel->bitmap->pixel16();
    EXPECT_GE(p[0], 0xF000);  // alpha 255: (nearly) the source
    EXPECT_EQ(p[1], 0);
    EXPECT_TRUE(p[2] > 0x6000 && p[2] < 0x9000) << p[2];
    EXPECT_TRUE(src->alpha.empty());

    std::unique_ptr<Font> f(testfont::neu());
    Rastport_Bild bild(Rastport_Neu_Einfach(60, 20, 16));
    Blt_Rechteck(bild.get(), 0, 0, 60, 20, 0);
    EXPECT_EQ(Font_Printf_Alpha(bild.get(), f.get(), "8", 2, 15, 50), 1);
    u16 hellster = 0;
    for (i32 i = 0; i < 60 * 20; ++i) hellster = std::max(hellster, bild->bitmap->pixel16()[i]);
    EXPECT_GT(hellster, 0x6000) << "the text is there";
    EXPECT_LT(hellster, 0x9000) << "at half strength";
}

}  // namespace

namespace {

// A shaded rectangle gives every pixel value of both depths as the formula
// blends it with the colour (never the key 0), at the shares the screens use
// and the ends; the pixels beside it keep theirs.
TEST(Alpha, RechteckJederPixelwert) {
    for (int tiefe : {16, 15})
        for (i32 prozent : {0, 1, 20, 35, 50, 99, 100}) {
            Rastport_Bild rp(Rastport_Neu_Einfach(258, 256, tiefe));
            u16* p = rp->bitmap->pixel16();
            for (u32 i = 0; i < 258u * 256u; ++i)
                p[i] = static_cast<u16>(i % 258 == 257 ? 0x1234 : (i / 258) * 256 + i % 258);
            const u16 farbe = 0x4A69;
            ASSERT_EQ(Blt_Rechteck_Alpha(rp.get(), 1, 0, 256, 256, farbe, prozent), 1);
            const i32 a = Blt_Alpha_Aus_Prozent(prozent);
            int falsch = 0;
            for (u32 y = 0; y < 256; ++y)
                for (u32 x = 0; x < 258; ++x) {
                    const u16 alt = static_cast<u16>(x == 257 ? 0x1234 : y * 256 + x);
                    u16 soll = alt;
                    if (x >= 1 && x <= 256) {
                        soll = tiefe == 16 ? pixel::mischen<16>(alt, farbe, a, 256 - a)
                                           : pixel::mischen<15>(alt, farbe, a, 256 - a);
                        soll = soll ? soll : 1;
                    }
                    falsch += p[y * 258 + x] != soll;
                }
            EXPECT_EQ(falsch, 0) << tiefe << " " << prozent;
        }
}

}  // namespace
