// Inverse DCTs (full and reduced sizes), dequantisers and their tables.
#include "jpeg/dec_intern.h"
#include "jpeg/dec_simd.h"
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

struct Benannt {
    const char* name;
    Block_Fn fn;
    int seite;  // output side: 8, 4, 2 or 1
    bool schnell;
};

const Benannt alle[] = {
    {"genau 8x8", Jpeg_IDCT_Genau, 8, false},        {"genau MMX", Jpeg_IDCT_Genau_MMX, 8, false},
    {"genau SSE", Jpeg_IDCT_Genau_SSE, 8, false},    {"genau SSE2", Jpeg_IDCT_Genau_SSE2, 8, false},
    {"genau 4x4", Jpeg_IDCT_Genau_4x4, 4, false},    {"genau 2x2", Jpeg_IDCT_Genau_2x2, 2, false},
    {"genau 1x1", Jpeg_IDCT_Genau_1x1, 1, false},    {"schnell 8x8", Jpeg_IDCT_Schnell, 8, true},
    {"schnell MMX", Jpeg_IDCT_Schnell_MMX, 8, true}, {"schnell 4x4", Jpeg_IDCT_Schnell_4x4, 4, true},
    {"schnell 2x2", Jpeg_IDCT_Schnell_2x2, 2, true}, {"schnell 1x1", Jpeg_IDCT_Schnell_1x1, 1, true},
};

// A prepared table with every entry q.
struct Tabelle {
    alignas(16) int16_t w[JPEG_QTAB_WORTE];
    Tabelle(int q, bool schnell) {
        std::fill(w, w + JPEG_QTAB_WORTE, int16_t(0x7F7F));
        std::fill(w, w + 64, int16_t(q));
        (schnell ? Jpeg_Dqtab_Schnell : Jpeg_Dqtab_Genau)(w);
    }
};

// Dequantised coefficients of a random sample block (accurate scaling: F).
void zufallskoeffizienten(modell::Bloecke& z, int16_t* c, double* probe) {
    double f[64];
    z.proben(c);
    modell::dct_exakt(c, f);
    // Coarse quantisation now and then, as in real pictures.
    const int q = z.zahl(0, 3) == 0 ? z.zahl(2, 40) : 1;
    for (int i = 0; i < 64; ++i) c[i] = int16_t(std::lround(f[i] / q) * q);
    for (int i = 0; i < 64; ++i) f[i] = c[i];
    modell::idct_exakt(f, probe);
}

// Mean of an s x s group of the exact output, clamped as the kernels clamp.
double gruppe(const double* probe, int y, int x, int s) {
    double summe = 0;
    for (int j = 0; j < s; ++j)
        for (int i = 0; i < s; ++i) summe += probe[8 * (y * s + j) + x * s + i];
    return std::clamp(summe / (s * s) + 128, 0.0, 255.0);
}

// The byte forms' output: block 0 written 3 bytes into za with rows
// abstand_a apart, block 1 at the start of zb with rows abstand_b apart, each
// equal to its model block; every 16th block also every byte between and
// after the rows still 0xCD (untouched).
void zeilen_pruefen(const uint8_t* za, int64_t na, int64_t abstand_a, const uint8_t* zb, int64_t nb,
                    int64_t abstand_b, const modell::Block (&soll)[2], int k) {
    for (int r = 0; r < 8; ++r)
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(za[3 + abstand_a * r + x], soll[0].w[8 * r + x]) << "Block " << k << " " << r << "," << x;
            ASSERT_EQ(zb[abstand_b * r + x], soll[1].w[8 * r + x]) << "Block " << k << " " << r << "," << x;
        }
    if (k % 16) return;
    for (int64_t i = 0; i < na; ++i)
        if (i < 3 || (i - 3) % abstand_a >= 8 || (i - 3) / abstand_a >= 8) {
            ASSERT_EQ(za[i], 0xCD) << i;
        }
    for (int64_t i = 0; i < nb; ++i)
        if (i % abstand_b >= 8 || i / abstand_b >= 8) {
            ASSERT_EQ(zb[i], 0xCD) << i;
        }
}

TEST(IDCT, GenauigkeitGegenExakteInverse) {
    const int n = modell::anzahl_bloecke(100000);
    modell::Bloecke z(41);
    // Largest error of every form (order of `alle`); the mean error of the fast 8x8 forms.
    double max[12] = {}, summe_f = 0, summe_m = 0;
    const Tabelle t_schnell(1, true);
    for (int k = 0; k < n; ++k) {
        int16_t c[64], cs[64];
        double probe[64];
        zufallskoeffizienten(z, c, probe);
        // The fast method works on scaled coefficients.
        std::memcpy(cs, c, sizeof c);
        Jpeg_Dequant_Schnell(cs, t_schnell.w);
        for (int f = 0; f < 12; ++f) {
            if (f == 1 || f == 2) continue;  // the MMX and SSE forms equal SSE2 (bit-exact test)
            const Benannt& b = alle[f];
            const modell::Block e = nach(b.schnell ? cs : c, b.fn);
            const int gr = 8 / b.seite;
            for (int y = 0; y < b.seite; ++y)
                for (int x = 0; x < b.seite; ++x) {
                    const double genau = gruppe(probe, y, x, gr);
                    const double soll = b.seite == 8 ? std::round(genau) : genau;
                    max[f] = std::max(max[f], std::abs(e.w[8 * y + x] - soll));
                    if (f == 7) summe_f += e.w[8 * y + x] - genau;
                    if (f == 8) summe_m += e.w[8 * y + x] - genau;
                }
        }
    }
    // Accurate: within 1 of the rounded exact inverse, generic and SIMD alike.
    EXPECT_LE(max[0], 1.0);
    EXPECT_LE(max[3], 1.0);
    // Fast: a few units at most; the SIMD form lacks the rounding term and
    // comes out about half a step low on average.
    EXPECT_LE(max[7], 4.0);
    EXPECT_LE(max[8], 5.0);
    EXPECT_LE(std::abs(summe_f / n / 64), 0.1);
    EXPECT_GE(summe_m / n / 64, -0.6);
    EXPECT_LE(summe_m / n / 64, -0.3);
    // Reduced sizes: within 1 of the means of the exact output's groups.
    for (int f : {4, 5, 6, 9, 10, 11}) EXPECT_LE(max[f], 1.0) << alle[f].name;
}

// The accurate SIMD forms give the same samples bit for bit on any input;
// the test above ties them to the exact inverse.
TEST(IDCT, SimdFormenGleich) {
    modell::bitgleich<Block_Fn>(43, modell::anzahl_bloecke(50000),
                                {Jpeg_IDCT_Genau_SSE2, Jpeg_IDCT_Genau_MMX, Jpeg_IDCT_Genau_SSE});
}

// The decoder's byte-writing forms of the accurate SIMD inverse (one block,
// and two at once with AVX2) give the samples of the block form, written into rows of
// any distance without touching the bytes between them. Half of the blocks
// carry coefficients only in rows and columns 0..3 (the shortened road),
// with extreme values, so saturation shows there as well.
TEST(IDCT, ByteFormenGleichModell) {
    const int n = modell::anzahl_bloecke(20000);
    modell::Bloecke z(61);
    const bool avx2 = Jpeg_Hat_AVX2();
    constexpr int64_t ABSTAND_A = 13, ABSTAND_B = 24;
    uint8_t za[8 * ABSTAND_A + 8], zb[8 * ABSTAND_B + 8];
    alignas(16) int16_t vorrat[2][64];
    for (int k = 0; k < n; ++k) {
        int16_t* ein[2] = {vorrat[0], vorrat[1]};
        modell::Block soll[2];
        for (int j = 0; j < 2; ++j) {
            z.gemischt(ein[j], k + j);
            // Low frequencies only in most blocks; now and then only one of the pair.
            const bool tief = (k % 4 != 3) && !(j == 1 && k % 8 == 1);
            if (tief)
                for (int i = 0; i < 64; ++i)
                    if (i >= 32 || (i & 7) >= 4) ein[j][i] = 0;
            std::memcpy(soll[j].w, ein[j], sizeof soll[j].w);
            Jpeg_IDCT_Genau_SSE2(soll[j].w);
        }
        std::memset(za, 0xCD, sizeof za);
        std::memset(zb, 0xCD, sizeof zb);
        Jpeg_IDCT_Genau_SSE2_Bytes(ein[0], za + 3, ABSTAND_A);
        if (avx2) Jpeg_IDCT_Genau_AVX2_Paar(ein[0], ein[1], za + 3, ABSTAND_A, zb, ABSTAND_B);
        else Jpeg_IDCT_Genau_SSE2_Bytes(ein[1], zb, ABSTAND_B);
        ASSERT_NO_FATAL_FAILURE(zeilen_pruefen(za, sizeof za, ABSTAND_A, zb, sizeof zb, ABSTAND_B, soll, k));
    }
}

// The decoder's byte-writing forms of the fast inverse take quantised
// coefficients and the prepared table and give the samples of dequantiser,
// fast SIMD inverse and byte store one after the other: one block, and two
// at once with AVX2 (different tables for the two, as luma and chroma), for
// tables whose multipliers fit 16 bits and for coarse ones that do not, on
// wild coefficients (products that wrap, carries of the rounding into the
// high half), and with null tables for blocks dequantised already (every
// fifth pair), without touching the bytes between the rows.
TEST(IDCT, SchnelleByteFormenGleichBlockform) {
    const int n = modell::anzahl_bloecke(20000);
    modell::Bloecke z(67);
    const bool avx2 = Jpeg_Hat_AVX2();
    constexpr int64_t ABSTAND_A = 11, ABSTAND_B = 24;
    uint8_t za[8 * ABSTAND_A + 8], zb[8 * ABSTAND_B + 8];
    alignas(16) int16_t tabellen[3][JPEG_QTAB_WORTE];
    for (int k = 0; k < n; ++k) {
        if (k % 500 == 0) {
            // Fine, medium and (every other time) coarse tables.
            for (int t = 0; t < 3; ++t) {
                const int grob = t == 2 && (k / 500) % 2 ? 255 : (t == 0 ? 12 : 60);
                for (int i = 0; i < 64; ++i) tabellen[t][i] = int16_t(z.zahl(1, grob));
                Jpeg_Dqtab_Schnell(tabellen[t]);
            }
        }
        const bool fertig = k % 5 == 4;
        const int16_t* qa = fertig ? nullptr : tabellen[k % 3];
        const int16_t* qb = fertig ? nullptr : tabellen[(k / 3) % 3];
        alignas(16) int16_t ein[2][64];
        modell::Block soll[2];
        for (int j = 0; j < 2; ++j) {
            z.gemischt(ein[j], k + j);
            // Low frequencies only now and then (the shortened steps).
            if (k % 3 == 1)
                for (int i = 0; i < 64; ++i)
                    if (i >= 32 || (i & 7) >= 4) ein[j][i] = 0;
            std::memcpy(soll[j].w, ein[j], sizeof soll[j].w);
            if (!fertig) Jpeg_Dequant_Schnell(soll[j].w, j ? qb : qa);
            Jpeg_IDCT_Schnell_MMX(soll[j].w);
        }
        std::memset(za, 0xCD, sizeof za);
        std::memset(zb, 0xCD, sizeof zb);
        if (avx2 && k % 2) {
            Jpeg_IDCT_Schnell_AVX2_Paar(ein[0], qa, ein[1], qb, za + 3, ABSTAND_A, zb, ABSTAND_B);
        } else {
            Jpeg_IDCT_Schnell_SSE2_Bytes(ein[0], qa, za + 3, ABSTAND_A);
            Jpeg_IDCT_Schnell_SSE2_Bytes(ein[1], qb, zb, ABSTAND_B);
        }
        ASSERT_NO_FATAL_FAILURE(zeilen_pruefen(za, sizeof za, ABSTAND_A, zb, sizeof zb, ABSTAND_B, soll, k));
    }
}

// The fast pair takes its shortened roads only when both blocks have
// nothing outside rows and columns 0..3, or outside rows 0..1 and columns
// 0..3: pairs of every mix of full blocks, corner blocks and corner blocks
// with one coefficient just outside the corner (column 4, row 4, at 4,4, or
// in row 2 or 3 of a two-row corner), with wild and extreme values, with
// and without tables, each give the block form's samples.
TEST(IDCT, SchnellesPaarJedeMischungGleichBlockform) {
    if (!Jpeg_Hat_AVX2()) GTEST_SKIP() << "no AVX2";
    enum Art { Voll, Ecke, Nur_DC, Spalte_4, Zeile_4, Mitte, Flach, Zeile_2 };
    struct Fall {
        const char* name;
        Art a, b;
    };
    const Fall faelle[] = {
        {"Ecke/Ecke", Ecke, Ecke},         {"Ecke/Voll", Ecke, Voll},         {"Voll/Ecke", Voll, Ecke},
        {"Voll/Voll", Voll, Voll},         {"DC/Ecke", Nur_DC, Ecke},         {"Spalte4/Ecke", Spalte_4, Ecke},
        {"Ecke/Spalte4", Ecke, Spalte_4},  {"Zeile4/Ecke", Zeile_4, Ecke},    {"Ecke/Zeile4", Ecke, Zeile_4},
        {"Mitte/Nur_DC", Mitte, Nur_DC},   {"Nur_DC/Mitte", Nur_DC, Mitte},   {"Flach/Flach", Flach, Flach},
        {"Flach/Nur_DC", Flach, Nur_DC},   {"Flach/Ecke", Flach, Ecke},       {"Zeile2/Flach", Zeile_2, Flach},
        {"Flach/Zeile2", Flach, Zeile_2},  {"Flach/Voll", Flach, Voll},       {"Spalte4/Flach", Spalte_4, Flach},
    };
    auto machen = [](modell::Bloecke& z, Art art, int k, int16_t* b) {
        z.gemischt(b, k % 2 ? 2 : 1);  // extremes or any 16-bit values
        if (art == Voll) return;
        const bool zwei = art == Flach || art == Zeile_2;
        for (int i = 0; i < 64; ++i)
            if (i >= (zwei ? 16 : 32) || (i & 7) >= 4 || (art == Nur_DC && i)) b[i] = 0;
        const int16_t v = int16_t(z.zahl(0, 1) ? z.zahl(1, 32767) : z.zahl(-32768, -1));
        if (art == Zeile_2) b[8 * z.zahl(2, 3) + z.zahl(0, 3)] = v;
        if (art == Spalte_4) b[8 * z.zahl(0, 3) + 4] = v;
        if (art == Zeile_4) b[32 + z.zahl(0, 3)] = v;
        if (art == Mitte) b[36] = v;
    };
    modell::Bloecke z(71);
    alignas(16) int16_t tabelle[JPEG_QTAB_WORTE];
    for (int i = 0; i < 64; ++i) tabelle[i] = int16_t(z.zahl(1, 40));
    Jpeg_Dqtab_Schnell(tabelle);
    ASSERT_EQ(tabelle[JPEG_QTAB_SCHMAL], 1);
    for (const Fall& f : faelle)
        for (int k = 0; k < 200; ++k) {
            const int16_t* q = k % 3 ? nullptr : tabelle;
            alignas(16) int16_t ein[2][64];
            modell::Block soll[2];
            machen(z, f.a, k, ein[0]);
            machen(z, f.b, k + 1, ein[1]);
            for (int j = 0; j < 2; ++j) {
                std::memcpy(soll[j].w, ein[j], sizeof soll[j].w);
                if (q) Jpeg_Dequant_Schnell(soll[j].w, q);
                Jpeg_IDCT_Schnell_MMX(soll[j].w);
            }
            uint8_t za[8 * 9 + 8], zb[8 * 16 + 8];
            std::memset(za, 0xCD, sizeof za);
            std::memset(zb, 0xCD, sizeof zb);
            Jpeg_IDCT_Schnell_AVX2_Paar(ein[0], q, ein[1], q, za + 3, 9, zb, 16);
            SCOPED_TRACE(f.name);
            ASSERT_NO_FATAL_FAILURE(zeilen_pruefen(za, sizeof za, 9, zb, sizeof zb, 16, soll, k));
        }
}

TEST(Dequant, SimdFormenGleichGenerisch) {
    const int n = modell::anzahl_bloecke(50000);
    auto tabelle = [](modell::Bloecke& z, int16_t* q) { z.gemischt(q, z.zahl(0, 3)); };
    modell::bitgleich<Quant_Fn>(47, n, {Jpeg_Dequant_Genau, Jpeg_Dequant_Genau_MMX, Jpeg_Dequant_Genau_SSE2}, tabelle);
}

// Coarse tables (q * f >= 16, e.g. a DC step of 128 or more) need fast
// multipliers beyond 16 bits; the fast path must still give the picture of the
// accurate one.
TEST(Dequant, SchnelleGrobeTabellenBleibenRichtig) {
    for (int q : {128, 200, 255}) {
        const Tabelle ts(q, true), tg(q, false);
        modell::Bloecke z{uint32_t(q)};
        for (int k = 0; k < 2000; ++k) {
            int16_t a[64] = {}, b[64];
            for (int i = 0; i < 64; ++i)
                if (z.zahl(0, 3) == 0) a[i] = int16_t(z.zahl(-1024 / q - 1, 1024 / q + 1));
            std::memcpy(b, a, sizeof a);
            Jpeg_Dequant_Schnell(a, ts.w);
            Jpeg_IDCT_Schnell(a);
            Jpeg_Dequant_Genau(b, tg.w);
            Jpeg_IDCT_Genau(b);
            for (int i = 0; i < 64; ++i) ASSERT_LE(std::abs(a[i] - b[i]), 4) << "q " << q << " Block " << k;
        }
        // A DC of 3 steps: 2 q c after dequantisation, 128 + 3 q / 8 after the transform.
        int16_t b[64] = {3};
        Jpeg_Dequant_Schnell(b, ts.w);
        EXPECT_EQ(b[0], 2 * q * 3);
        Jpeg_IDCT_Schnell_1x1(b);
        EXPECT_EQ(b[0], std::min(255, 128 + (6 * q + 8) / 16));
    }
}

// Tables whose multipliers all fit 16 bits take a shorter path; it gives the
// same results as the full multipliers.
TEST(Dequant, SchnellerPfadGleichVollenMultiplikatoren) {
    modell::Bloecke z(53);
    alignas(16) int16_t t[JPEG_QTAB_WORTE];
    for (int runde = 0; runde < 200; ++runde) {
        const int grob = runde % 4 == 0 ? 255 : 60;
        for (int i = 0; i < 64; ++i) t[i] = int16_t(z.zahl(0, grob));
        Jpeg_Dqtab_Schnell(t);
        int32_t breit[64];
        std::memcpy(breit, t + JPEG_QTAB_BREIT, sizeof breit);
        ASSERT_EQ(t[JPEG_QTAB_SCHMAL], std::all_of(breit, breit + 64, [](int32_t m) { return m <= 32767; }) ? 1 : 0);
        for (int k = 0; k < 50; ++k) {
            int16_t c[64], b[64];
            z.gemischt(c, k);
            std::memcpy(b, c, sizeof c);
            Jpeg_Dequant_Schnell(b, t);
            for (int i = 0; i < 64; ++i)
                ASSERT_EQ(b[i], modell::w16((int64_t(c[i]) * breit[i] + 64) >> 7)) << runde << " " << i;
        }
    }
}

// Any 16-bit input, however wild, gives samples 0..255 (and, in the
// sanitizer build, no undefined arithmetic).
TEST(IDCT, JedeEingabeGibtProben) {
    modell::Bloecke z(59);
    const Tabelle ts(255, true), tg(255, false);
    for (int k = 0; k < 4000; ++k) {
        int16_t ein[64];
        z.gemischt(ein, k % 3 == 0 ? 1 : k);
        for (const Benannt& f : alle) {
            alignas(16) int16_t b[64];
            std::memcpy(b, ein, sizeof b);
            if (k % 2) (f.schnell ? Jpeg_Dequant_Schnell : Jpeg_Dequant_Genau)(b, f.schnell ? ts.w : tg.w);
            f.fn(b);
            for (int y = 0; y < f.seite; ++y)
                for (int x = 0; x < f.seite; ++x) {
                    ASSERT_GE(b[8 * y + x], 0) << f.name;
                    ASSERT_LE(b[8 * y + x], 255) << f.name;
                }
        }
    }
}

}  // namespace

// Gathered (zigzag) blocks placed and dequantised by whole vectors give, on
// wild values, extremes and sparse blocks, with accurate and fast tables,
// every place as placing and dequantising the non-zero ones one by one.
TEST(Dequant, GesammeltGestreutGleichEinzeln) {
    alignas(64) int16_t zz[64] = {}, q[JPEG_QTAB_WORTE] = {}, ist[64];
    if (!jpeg_dek::Gesammelt_Streuen(zz, q, false, ist)) GTEST_SKIP() << "no AVX-512";
    modell::Bloecke z(73);
    for (int k = 0; k < 3000; ++k) {
        const bool schnell = k % 2;
        z.gemischt(zz, k / 2);
        if (k % 3 == 0)
            for (int i = 1; i < 64; ++i)
                if (z.zahl(0, 5)) zz[i] = 0;  // sparse, as most blocks are
        for (int i = 0; i < 64; ++i) q[i] = int16_t(z.zahl(1, k % 7 ? 60 : 255));
        if (schnell) {
            Jpeg_Dqtab_Schnell(q);
            if (q[JPEG_QTAB_SCHMAL] != 1) continue;  // coarse tables never take this road
        } else {
            Jpeg_Dqtab_Genau(q);
        }
        int16_t soll[64] = {};
        for (int i = 0; i < 64; ++i) {
            const int n = jpeg_dek::Natuerlich[i];
            if (zz[i])
                soll[n] = schnell ? modell::w16((int64_t(zz[i]) * q[n] + 64) >> 7) : modell::w16(int64_t(zz[i]) * q[n]);
        }
        std::memset(ist, 0xCD, sizeof ist);
        ASSERT_TRUE(jpeg_dek::Gesammelt_Streuen(zz, q, schnell, ist));
        for (int n = 0; n < 64; ++n) ASSERT_EQ(ist[n], soll[n]) << "block " << k << " place " << n;
    }
}
