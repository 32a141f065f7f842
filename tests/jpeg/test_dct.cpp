// Forward DCTs, quantisers and their table preparation.
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"
#include "jpeg/kern_modelle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using modell::Block_Fn;
using modell::nach;
using modell::Quant_Fn;

double s_faktor(int k) { return k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * 3.14159265358979323846 / 16); }

// Against the exact transform: the accurate generic form within about 0.55
// (its fixed-point steps reach 0.6 on rare blocks), its SIMD forms (another
// factorisation) within 1; the fast forms give 8 s(u) s(v) F and, measured in
// units of F, stay close: rounded 15-bit products (generic) and 8-bit
// truncating ones (SIMD) are small on average, a few units on the weakly
// scaled corners.
TEST(FDCT, NaheAmExaktenDCT) {
    const int n = modell::anzahl_bloecke(100000);
    modell::Bloecke z(11);
    double max_genau = 0, max_simd = 0, max_schnell[2] = {}, summe_schnell[2] = {};
    long ueber_055 = 0;
    for (int k = 0; k < n; ++k) {
        int16_t b[64];
        z.proben(b);
        if (k < 4) std::fill(b, b + 64, int16_t(k % 2 ? 127 : -128));
        if (k == 4)
            for (int i = 0; i < 64; ++i) b[i] = int16_t(((i / 8 + i) % 2) ? 127 : -128);
        double f[64];
        modell::dct_exakt(b, f);
        const modell::Block g = nach(b, Jpeg_FDCT_Genau), s = nach(b, Jpeg_FDCT_Genau_SSE2);
        const modell::Block sg = nach(b, Jpeg_FDCT_Schnell), sm = nach(b, Jpeg_FDCT_Schnell_MMX);
        for (int i = 0; i < 64; ++i) {
            max_genau = std::max(max_genau, std::abs(g.w[i] - f[i]));
            max_simd = std::max(max_simd, std::abs(s.w[i] - f[i]));
            ueber_055 += std::abs(g.w[i] - f[i]) > 0.55;
            if (k >= 20000) continue;
            const double skala = 8 * s_faktor(i / 8) * s_faktor(i % 8);
            for (int j = 0; j < 2; ++j) {
                const double d = std::abs((j ? sm : sg).w[i] / skala - f[i]);
                max_schnell[j] = std::max(max_schnell[j], d);
                summe_schnell[j] += d;
            }
        }
    }
    EXPECT_LE(max_genau, 0.6);
    EXPECT_LE(ueber_055, long(n) * 64 / 10000);
    EXPECT_LE(max_simd, 1.0);
    const double m = std::min(n, 20000) * 64.0;
    EXPECT_LE(max_schnell[0], 4.5);
    EXPECT_LE(max_schnell[1], 6.5);
    EXPECT_LE(summe_schnell[0] / m, 0.25);
    EXPECT_LE(summe_schnell[1] / m, 0.45);
}

// The accurate SIMD forms give the same coefficients bit for bit on any
// input (extremes included); the test above ties them to the exact DCT.
TEST(FDCT, SimdFormenGleich) {
    modell::bitgleich<Block_Fn>(13, modell::anzahl_bloecke(50000),
                                {Jpeg_FDCT_Genau_SSE2, Jpeg_FDCT_Genau_MMX, Jpeg_FDCT_Genau_SSE});
}

// --- quantisation ---------------------------------------------------------------

TEST(Quant, TabellenVorbereitung) {
    int16_t t[64];
    std::fill(t, t + 64, int16_t(1));
    ASSERT_EQ(Jpeg_Qtab_Genau(t), 0);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(uint16_t(t[i]), 32768u);

    // Zigzag order in, natural order out; 32768 / q truncated.
    for (int i = 0; i < 64; ++i) t[i] = int16_t(i + 1);
    ASSERT_EQ(Jpeg_Qtab_Genau(t), 0);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(uint16_t(t[Jpeg_Zickzack[i]]), 32768u / (i + 1));

    // Fast: (numerator + q/2) / q at natural position; a last entry of 1 counts as 2.
    for (int i = 0; i < 64; ++i) t[i] = int16_t(i % 7 + 1);
    t[63] = 1;
    ASSERT_EQ(Jpeg_Qtab_Schnell(t), 0);
    for (int i = 0; i < 63; ++i)
        EXPECT_EQ(t[Jpeg_Zickzack[i]], (Jpeg_AAN_Zaehler[i] + (i % 7 + 1) / 2) / (i % 7 + 1)) << i;
    EXPECT_EQ(t[63], (53810 + 1) / 2);

    // A zero or negative entry is refused and the table stays as it was.
    for (auto fn : {Jpeg_Qtab_Schnell, Jpeg_Qtab_Genau}) {
        std::fill(t, t + 64, int16_t(16));
        t[10] = 0;
        EXPECT_EQ(fn(t), JPEG_ERG_QUANT);
        EXPECT_EQ(t[10], 0);
        EXPECT_EQ(t[11], 16);
        t[10] = -3;
        EXPECT_EQ(fn(t), JPEG_ERG_QUANT);
    }
}

void quant_tabelle(modell::Bloecke& z, int16_t* m) {
    if (z.zahl(0, 2) == 0) z.beliebig(m);
    else
        for (int i = 0; i < 64; ++i) m[i] = int16_t(32768 / z.zahl(1, 255));
}

// The accurate SIMD quantisers agree bit for bit and round
// (c * (m & ~1) + 16384) >> 15 inside -4096..4095; the fast SIMD one gives
// the generic quantiser's values inside -8192..8191.
TEST(Quant, SimdFormenUndRelationZumGenerischen) {
    modell::bitgleich<Quant_Fn>(21, modell::anzahl_bloecke(50000),
                                {Jpeg_Quant_Genau_SSE2, Jpeg_Quant_Genau_MMX, Jpeg_Quant_Genau_SSE}, quant_tabelle);
    modell::Bloecke z(22);
    for (int k = 0; k < 2000; ++k) {
        int16_t c[64], m[64], g[64], s[64], a[64];
        z.gemischt(c, k);
        quant_tabelle(z, m);
        std::memcpy(g, c, sizeof c);
        std::memcpy(s, c, sizeof c);
        std::memcpy(a, c, sizeof c);
        Jpeg_Quant_Schnell(g, m);
        Jpeg_Quant_Schnell_MMX(s, m);
        Jpeg_Quant_Genau_SSE2(a, m);
        for (int i = 0; i < 64; ++i) {
            if (c[i] >= -8192 && c[i] <= 8191) {
                ASSERT_EQ(s[i], g[i]) << k << " " << i;
            }
            if (c[i] >= -4096 && c[i] <= 4095) {
                ASSERT_EQ(a[i], int16_t((int32_t(c[i]) * int32_t(uint16_t(m[i]) & ~1u) + 16384) >> 15));
            }
        }
    }
}

// The two-block AVX2 forms give each block exactly the SSE2 form's
// coefficients (and, fused with the quantiser, the SSE2 quantiser's values
// under the block's own table), whatever the partner block holds: mixed kinds of input
// side by side, and flat blocks on both sides of the range in which the
// mirrored row pass is taken (a flat block of v gives a first column output
// of 64 v).
TEST(FDCT, AVX2PaarGleichSSE2) {
    if (!Jpeg_Hat_AVX2()) GTEST_SKIP() << "processor without AVX2";
    const int n = modell::anzahl_bloecke(20000) / 4;
    modell::Bloecke z(29);
    const int16_t flach[] = {255, 256, -256, -257, 127, -128, 0};
    alignas(32) int16_t paar[2][72];
    for (int k = 0; k < n; ++k) {
        int16_t ein[2][64], soll[2][64], tab[2][64], soll_q[2][64];
        for (int s = 0; s < 2; ++s) {
            if (k % 5 == 4 && s == k % 2) std::fill(ein[s], ein[s] + 64, flach[(k / 5) % 7]);
            else z.gemischt(ein[s], k + 3 * s);
            std::memcpy(soll[s], ein[s], sizeof soll[s]);
            Jpeg_FDCT_Genau_SSE2(soll[s]);
            quant_tabelle(z, tab[s]);
            std::memcpy(soll_q[s], soll[s], sizeof soll[s]);
            Jpeg_Quant_Genau_SSE2(soll_q[s], tab[s]);
        }
        // Unaligned placement every other time.
        int16_t* a = paar[0] + (k % 2);
        int16_t* b = paar[1] + (k % 3 == 0 ? 0 : 4);
        for (const bool quant : {false, true}) {
            std::memcpy(a, ein[0], sizeof ein[0]);
            std::memcpy(b, ein[1], sizeof ein[1]);
            if (quant) Jpeg_FDCT_Quant_Genau_AVX2_Paar(a, b, tab[0], tab[1]);
            else Jpeg_FDCT_Genau_AVX2_Paar(a, b);
            ASSERT_EQ(0, std::memcmp(a, quant ? soll_q[0] : soll[0], sizeof soll[0])) << "Block " << k << " links";
            ASSERT_EQ(0, std::memcmp(b, quant ? soll_q[1] : soll[1], sizeof soll[1])) << "Block " << k << " rechts";
        }
    }
}

// The fast pair (transform and quantiser of two blocks in one AVX2 call)
// gives each block what the single-block SIMD forms give it, whatever the
// partner holds: mixed inputs, flat blocks at the ends of the sample range
// and beyond (the 16-bit lanes wrap, the quantiser clamps), tables of every
// kind, blocks placed unaligned.
TEST(FDCT, SchnellesPaarGleichEinzelnem) {
    if (!Jpeg_Hat_AVX2()) GTEST_SKIP() << "processor without AVX2";
    const int n = modell::anzahl_bloecke(20000) / 4;
    modell::Bloecke z(31);
    const int16_t flach[] = {-128, 127, 0, 255, -256, 1024, -2048};
    alignas(32) int16_t paar[2][72];
    for (int k = 0; k < n; ++k) {
        int16_t ein[2][64], tab[2][64], soll[2][64];
        for (int s = 0; s < 2; ++s) {
            if (k % 5 == 4 && s == k % 2) std::fill(ein[s], ein[s] + 64, flach[(k / 5) % 7]);
            else z.gemischt(ein[s], k + 3 * s);
            // Tables as the encoder prepares them from quantiser steps 1..255
            // (or arbitrary multipliers).
            if (k % 3 == 0) {
                z.beliebig(tab[s]);
            } else {
                for (int i = 0; i < 64; ++i) tab[s][i] = int16_t(z.zahl(1, 255));
                ASSERT_EQ(Jpeg_Qtab_Schnell(tab[s]), 0);
            }
            std::memcpy(soll[s], ein[s], sizeof soll[s]);
            Jpeg_FDCT_Schnell_MMX(soll[s]);
            Jpeg_Quant_Schnell_MMX(soll[s], tab[s]);
        }
        int16_t* a = paar[0] + (k % 2);
        int16_t* b = paar[1] + (k % 3 == 0 ? 0 : 4);
        std::memcpy(a, ein[0], sizeof ein[0]);
        std::memcpy(b, ein[1], sizeof ein[1]);
        Jpeg_FDCT_Quant_Schnell_AVX2_Paar(a, b, tab[0], tab[1]);
        ASSERT_EQ(0, std::memcmp(a, soll[0], sizeof soll[0])) << "Block " << k << " links";
        ASSERT_EQ(0, std::memcmp(b, soll[1], sizeof soll[1])) << "Block " << k << " rechts";
    }
}

}  // namespace

namespace {

// The encoder's precise pair: the transform gives eight times F within 0.25
// (one rounding per pass), every form the generic one's values bit for bit,
// and the quantiser the exact quotient 8F / 8q rounded half away from zero,
// whatever the partner block of the AVX2 forms holds.
TEST(Quant, PraezisesPaarRundetEinmal) {
    const int n = modell::anzahl_bloecke(20000);
    modell::Bloecke z(37);
    alignas(16) int16_t tab[2][JPEG_QTAB_WORTE];
    for (auto& t : tab) {
        for (int i = 0; i < 64; ++i) t[i] = int16_t(z.zahl(1, 255));
        ASSERT_EQ(Jpeg_Qtab_Praezise(t), 0);
        ASSERT_EQ(Jpeg_Qtab_Genau(t), 0);  // leaves the precise rows standing
    }
    for (int k = 0; k < n; ++k) {
        int16_t ein[2][64], soll[2][64], soll_q[2][64];
        for (int s = 0; s < 2; ++s) {
            z.proben(ein[s]);
            if (k < 2) std::fill(ein[s], ein[s] + 64, int16_t(k ? 127 : -128));
            std::memcpy(soll[s], ein[s], sizeof soll[s]);
            Jpeg_FDCT_Praezise(soll[s]);
            double f[64];
            modell::dct_exakt(ein[s], f);
            for (int i = 0; i < 64; ++i) {
                ASSERT_LE(std::abs(soll[s][i] / 8.0 - f[i]), 0.25) << k << " " << i;
                const int d = 2 * tab[s][JPEG_QTAB_PRAEZISE + i], c = soll[s][i];  // 8q (half stored)
                soll_q[s][i] = int16_t(c < 0 ? -((-c + d / 2) / d) : (c + d / 2) / d);
            }
        }
        modell::Block g = nach(ein[0], Jpeg_FDCT_Praezise_SSE2);
        ASSERT_EQ(0, std::memcmp(g.w, soll[0], sizeof soll[0])) << k;
        for (const Quant_Fn quant : {Jpeg_Quant_Praezise, Jpeg_Quant_Praezise_SSE2}) {
            int16_t b[64];
            std::memcpy(b, soll[1], sizeof b);
            quant(b, tab[1]);
            ASSERT_EQ(0, std::memcmp(b, soll_q[1], sizeof b)) << k;
        }
        // Every pair form the processor runs, with and without the quantiser.
        struct Paarform {
            const char* name;
            bool da;
            void (*dct)(int16_t*, int16_t*);
            void (*dct_quant)(int16_t*, int16_t*, const int16_t*, const int16_t*);
        };
        const Paarform formen[] = {
            {"AVX2", Jpeg_Hat_AVX2(), Jpeg_FDCT_Praezise_AVX2_Paar, Jpeg_FDCT_Quant_Praezise_AVX2_Paar},
            {"VNNI", Jpeg_Hat_VNNI(), Jpeg_FDCT_Praezise_VNNI_Paar, Jpeg_FDCT_Quant_Praezise_VNNI_Paar},
        };
        for (const Paarform& form : formen) {
            if (!form.da) continue;
            for (const bool mit_quant : {false, true}) {
                int16_t a[64], b[64];
                std::memcpy(a, ein[0], sizeof a);
                std::memcpy(b, ein[1], sizeof b);
                if (mit_quant) form.dct_quant(a, b, tab[0], tab[1]);
                else form.dct(a, b);
                ASSERT_EQ(0, std::memcmp(a, mit_quant ? soll_q[0] : soll[0], sizeof a)) << form.name << " " << k;
                ASSERT_EQ(0, std::memcmp(b, mit_quant ? soll_q[1] : soll[1], sizeof b)) << form.name << " " << k;
            }
        }
    }
}

}  // namespace
