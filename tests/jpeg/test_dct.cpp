// Forward DCTs, quantisers and their table preparation.
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"
#include "jpeg/kern_modelle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

using Block_Fn = void (*)(int16_t*);
using Quant_Fn = void (*)(int16_t*, const int16_t*);

struct Benannt {
    const char* name;
    Block_Fn fn;
};

const Benannt genaue_fdcts[] = {
    {"generisch", Jpeg_FDCT_Genau},
    {"MMX", Jpeg_FDCT_Genau_MMX},
    {"SSE", Jpeg_FDCT_Genau_SSE},
    {"SSE2", Jpeg_FDCT_Genau_SSE2},
};
const Benannt schnelle_fdcts[] = {
    {"generisch", Jpeg_FDCT_Schnell},
    {"MMX", Jpeg_FDCT_Schnell_MMX},
};

double s_faktor(int k)
{
    return k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * 3.14159265358979323846 / 16);
}

TEST(Tabellen, ZickzackUndMatrix)
{
    // Zigzag: a permutation of 0..63 that walks the anti-diagonals, then 16 x 63.
    bool gesehen[64] = {};
    for (int i = 0; i < 64; ++i) {
        ASSERT_LT(Jpeg_Zickzack[i], 64u);
        gesehen[Jpeg_Zickzack[i]] = true;
        if (i > 0) {
            const int d0 = int(Jpeg_Zickzack[i - 1] / 8 + Jpeg_Zickzack[i - 1] % 8);
            const int d1 = int(Jpeg_Zickzack[i] / 8 + Jpeg_Zickzack[i] % 8);
            EXPECT_LE(d0, d1);
        }
    }
    for (bool g : gesehen) EXPECT_TRUE(g);
    for (int i = 64; i < 80; ++i) EXPECT_EQ(Jpeg_Zickzack[i], 63u);
    EXPECT_EQ(Jpeg_Zickzack[2], 8u);
    EXPECT_EQ(Jpeg_Zickzack[5], 2u);

    // The scaled DCT matrix of the SIMD forms.
    for (int k = 0; k < 4; ++k)
        for (int n = 0; n < 8; ++n)
            for (int u = 0; u < 8; ++u) EXPECT_EQ(Jpeg_DCT_Matrix[k][n][u], modell::matrix(k, n, u));
    EXPECT_EQ(Jpeg_DCT_Matrix[0][0][1], 22725);
    EXPECT_EQ(Jpeg_DCT_Matrix[0][0][7], 4520);

    // The AAN numerators lie within 1 of 2^15 / (8 s(u) s(v)); the factors are
    // s(u) s(v) / 8 to six decimals.
    for (int i = 0; i < 64; ++i) {
        const int n = int(Jpeg_Zickzack[i]);
        const double ss = s_faktor(n / 8) * s_faktor(n % 8);
        EXPECT_NEAR(Jpeg_AAN_Zaehler[i], 32768.0 / (8 * ss), 1.0) << i;
        EXPECT_NEAR(Jpeg_AAN_Faktoren[i], ss / 8, 0.5e-6) << i;
    }
    EXPECT_EQ(Jpeg_AAN_Zaehler[63], 53810);
    EXPECT_EQ(Jpeg_AAN_Faktoren[64], 32768.0);
    EXPECT_EQ(Jpeg_AAN_Faktoren[65], 0.0625);
    EXPECT_EQ(Jpeg_AAN_Faktoren[66], 0.5);
}

TEST(FDCT, GleicheProbenGebenNurDC)
{
    for (int v : {-128, -1, 0, 1, 77, 127}) {
        for (const Benannt& f : genaue_fdcts) {
            alignas(16) int16_t b[64];
            std::fill(b, b + 64, int16_t(v));
            f.fn(b);
            EXPECT_EQ(b[0], 8 * v) << f.name;
            for (int i = 1; i < 64; ++i) EXPECT_EQ(b[i], 0) << f.name << " " << i;
        }
        for (const Benannt& f : schnelle_fdcts) {
            int16_t b[64];
            std::fill(b, b + 64, int16_t(v));
            f.fn(b);
            EXPECT_EQ(b[0], 64 * v) << f.name;
            for (int i = 1; i < 64; ++i) EXPECT_EQ(b[i], 0) << f.name << " " << i;
        }
    }
}

// The accurate forward transform is the orthonormal DCT within about 0.55
// (its fixed-point steps reach 0.6 on rare blocks); the SIMD forms (another
// factorisation) within 1.
TEST(FDCT, GenauNaheAmExaktenDCT)
{
    const int n = modell::anzahl_bloecke(100000);
    modell::Bloecke z(11);
    double max_generisch = 0, max_simd = 0;
    long ueber_055 = 0;
    for (int k = 0; k < n; ++k) {
        int16_t b[64], c[64];
        z.proben(b);
        if (k < 4) std::fill(b, b + 64, int16_t(k % 2 ? 127 : -128));
        if (k == 4)
            for (int i = 0; i < 64; ++i) b[i] = int16_t(((i / 8 + i) % 2) ? 127 : -128);
        double p[64], f[64];
        for (int i = 0; i < 64; ++i) p[i] = b[i];
        modell::dct_exakt(p, f);
        std::memcpy(c, b, sizeof b);
        Jpeg_FDCT_Genau(b);
        Jpeg_FDCT_Genau_SSE2(c);
        for (int i = 0; i < 64; ++i) {
            max_generisch = std::max(max_generisch, std::abs(b[i] - f[i]));
            max_simd = std::max(max_simd, std::abs(c[i] - f[i]));
            ueber_055 += std::abs(b[i] - f[i]) > 0.55;
        }
    }
    EXPECT_LE(max_generisch, 0.6);
    EXPECT_LE(ueber_055, long(n) * 64 / 10000);
    EXPECT_LE(max_simd, 1.0);
}

// The fast transforms give 8 s(u) s(v) F; measured in units of F they stay
// close to the exact transform.
TEST(FDCT, SchnellSkaliertNaheAmExaktenDCT)
{
    modell::Bloecke z(12);
    double max_generisch = 0, max_simd = 0, summe_generisch = 0, summe_simd = 0;
    const int n = 20000;
    for (int k = 0; k < n; ++k) {
        int16_t b[64], c[64];
        z.proben(b);
        double p[64], f[64];
        for (int i = 0; i < 64; ++i) p[i] = b[i];
        modell::dct_exakt(p, f);
        std::memcpy(c, b, sizeof b);
        Jpeg_FDCT_Schnell(b);
        Jpeg_FDCT_Schnell_MMX(c);
        for (int i = 0; i < 64; ++i) {
            const double skala = 8 * s_faktor(i / 8) * s_faktor(i % 8);
            const double dg = std::abs(b[i] / skala - f[i]), ds = std::abs(c[i] / skala - f[i]);
            max_generisch = std::max(max_generisch, dg);
            max_simd = std::max(max_simd, ds);
            summe_generisch += dg;
            summe_simd += ds;
        }
    }
    // Rounded 15-bit products (generic) and 8-bit truncating ones (SIMD):
    // small on average, a few units at most on the weakly scaled corners.
    EXPECT_LE(max_generisch, 4.5);
    EXPECT_LE(max_simd, 6.5);
    EXPECT_LE(summe_generisch / n / 64, 0.25);
    EXPECT_LE(summe_simd / n / 64, 0.45);
}

TEST(FDCT, SimdFormenGleichIhremModell)
{
    const int n = modell::anzahl_bloecke(50000);
    modell::Bloecke z(13);
    alignas(16) int16_t puffer[80];
    for (int k = 0; k < n; ++k) {
        int16_t ein[64];
        z.gemischt(ein, k);
        int16_t erwartet[64];
        std::memcpy(erwartet, ein, sizeof ein);
        modell::fdct_schnell_simd(erwartet);
        int16_t b[64];
        std::memcpy(b, ein, sizeof ein);
        Jpeg_FDCT_Schnell_MMX(b);
        ASSERT_EQ(0, std::memcmp(b, erwartet, sizeof b)) << "schnell, Block " << k;

        std::memcpy(erwartet, ein, sizeof ein);
        modell::fdct_genau_simd(erwartet);
        for (const Benannt& f : genaue_fdcts) {
            if (f.fn == Jpeg_FDCT_Genau) continue;
            // Aligned and unaligned blocks alike.
            int16_t* ziel = puffer + (k % 2 ? 1 : 0);
            std::memcpy(ziel, ein, sizeof ein);
            f.fn(ziel);
            ASSERT_EQ(0, std::memcmp(ziel, erwartet, sizeof ein)) << f.name << ", Block " << k;
        }
    }
}

// Any 16-bit input runs through every forward kernel and quantiser without
// undefined arithmetic (checked by the sanitizer build).
TEST(FDCT, JedeEingabeOhneUndefiniertesVerhalten)
{
    modell::Bloecke z(17);
    int16_t tabelle[64];
    for (int i = 0; i < 64; ++i) tabelle[i] = int16_t(i % 3 + 1);
    int16_t schnell[64], genau[64];
    std::memcpy(schnell, tabelle, sizeof tabelle);
    std::memcpy(genau, tabelle, sizeof tabelle);
    ASSERT_EQ(Jpeg_Qtab_Schnell(schnell), 0);
    ASSERT_EQ(Jpeg_Qtab_Genau(genau), 0);
    long summe = 0;
    for (int k = 0; k < 4000; ++k) {
        int16_t ein[64];
        z.gemischt(ein, k);
        for (const Benannt& f : genaue_fdcts) {
            alignas(16) int16_t b[64];
            std::memcpy(b, ein, sizeof b);
            f.fn(b);
            Jpeg_Quant_Genau(b, genau);
            summe += b[0];
        }
        for (const Benannt& f : schnelle_fdcts) {
            int16_t b[64];
            std::memcpy(b, ein, sizeof b);
            f.fn(b);
            Jpeg_Quant_Schnell(b, schnell);
            summe += b[0];
        }
    }
    EXPECT_NE(summe, 1);  // keeps the work from being dropped
}

// --- quantisation ---------------------------------------------------------------

TEST(Quant, TabellenVorbereitung)
{
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
    for (int i = 0; i < 63; ++i) {
        const int q = i % 7 + 1;
        EXPECT_EQ(t[Jpeg_Zickzack[i]], (Jpeg_AAN_Zaehler[i] + q / 2) / q) << i;
    }
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

const Quant_Fn genaue_quantisierer[] = {Jpeg_Quant_Genau, Jpeg_Quant_Genau_MMX, Jpeg_Quant_Genau_SSE,
                                        Jpeg_Quant_Genau_SSE2};
const Quant_Fn schnelle_quantisierer[] = {Jpeg_Quant_Schnell, Jpeg_Quant_Schnell_MMX};

TEST(Quant, EinsIstIdentitaetUndHalbeRundenAuf)
{
    alignas(16) int16_t t[64];
    std::fill(t, t + 64, int16_t(1));
    Jpeg_Qtab_Genau(t);
    for (Quant_Fn q : genaue_quantisierer) {
        alignas(16) int16_t b[64];
        for (int i = 0; i < 64; ++i) b[i] = int16_t(i * 61 - 2000);
        int16_t vorher[64];
        std::memcpy(vorher, b, sizeof b);
        q(b, t);
        EXPECT_EQ(0, std::memcmp(b, vorher, sizeof b));
    }
    // c * m = +16384 gives 1, -16384 gives 0 (halves round towards +infinity).
    std::fill(t, t + 64, int16_t(16384));
    for (Quant_Fn q : genaue_quantisierer) {
        alignas(16) int16_t b[64] = {};
        b[0] = 1;
        b[1] = -1;
        b[2] = 3;   // 49152 -> 1.5 -> 2
        b[3] = -3;  // -1.5 -> -1
        q(b, t);
        EXPECT_EQ(b[0], 1);
        EXPECT_EQ(b[1], 0);
        EXPECT_EQ(b[2], 2);
        EXPECT_EQ(b[3], -1);
    }
    for (Quant_Fn q : schnelle_quantisierer) {
        int16_t b[64] = {};
        b[0] = 1;
        b[1] = -1;
        q(b, t);
        EXPECT_EQ(b[0], 1);
        EXPECT_EQ(b[1], 0);
    }
}

TEST(Quant, SchnellerSimdQuantisiererKlemmt)
{
    int16_t t[64];
    std::fill(t, t + 64, int16_t(32767));
    int16_t a[64] = {}, b[64] = {};
    a[0] = b[0] = 9000;
    a[1] = b[1] = -9000;
    a[2] = b[2] = 8191;
    a[3] = b[3] = -8192;
    Jpeg_Quant_Schnell_MMX(a, t);
    Jpeg_Quant_Schnell(b, t);
    EXPECT_EQ(a[0], (8191 * 32767 + 16384) >> 15);
    EXPECT_EQ(b[0], (9000 * 32767 + 16384) >> 15);
    EXPECT_EQ(a[1], (-8192 * 32767 + 16384) >> 15);
    EXPECT_EQ(a[2], b[2]);
    EXPECT_EQ(a[3], b[3]);
}

TEST(Quant, SimdFormenGleichModellUndRelationZumGenerischen)
{
    const int n = modell::anzahl_bloecke(50000);
    modell::Bloecke z(21);
    alignas(16) int16_t bp[72], tp[72];
    for (int k = 0; k < n; ++k) {
        int16_t c[64], m[64];
        z.gemischt(c, k);
        if (k % 3 == 0) {
            z.beliebig(m);
        } else {
            for (int i = 0; i < 64; ++i) m[i] = int16_t(32768 / z.zahl(1, 255));
        }
        // Fast SIMD quantiser: its model, and the generic one inside -8192..8191.
        int16_t b[64], g[64];
        std::memcpy(b, c, sizeof c);
        std::memcpy(g, c, sizeof c);
        Jpeg_Quant_Schnell_MMX(b, m);
        Jpeg_Quant_Schnell(g, m);
        for (int i = 0; i < 64; ++i) {
            ASSERT_EQ(b[i], modell::quant_schnell_simd(c[i], m[i])) << k << " " << i;
            if (c[i] >= -8192 && c[i] <= 8191) {
                ASSERT_EQ(b[i], g[i]) << k << " " << i;
            }
        }
        // Accurate SIMD quantisers: identical to each other and to the model;
        // (c * (m & ~1) + 16384) >> 15 inside -4096..4095.
        int16_t erwartet[64];
        for (int i = 0; i < 64; ++i) erwartet[i] = modell::quant_genau_simd(c[i], m[i]);
        for (int f = 1; f < 4; ++f) {
            int16_t* bz = bp + (k % 2);
            int16_t* tz = tp + (k % 4 < 2 ? 0 : 1);
            std::memcpy(bz, c, sizeof c);
            std::memcpy(tz, m, sizeof m);
            genaue_quantisierer[f](bz, tz);
            ASSERT_EQ(0, std::memcmp(bz, erwartet, sizeof erwartet)) << "Form " << f << ", Block " << k;
        }
        for (int i = 0; i < 64; ++i) {
            if (c[i] >= -4096 && c[i] <= 4095) {
                ASSERT_EQ(erwartet[i],
                          int16_t((int32_t(c[i]) * int32_t(uint16_t(m[i]) & ~1u) + 16384) >> 15));
            }
        }
    }
}

// Transform and quantiser together give round(F / q) for both methods.
TEST(Quant, KetteAusTransformUndQuantisierer)
{
    modell::Bloecke z(31);
    int16_t basis[64];
    for (int i = 0; i < 64; ++i) basis[i] = int16_t(z.zahl(2, 99));
    int16_t schnell[64], genau[64];
    std::memcpy(schnell, basis, sizeof basis);
    std::memcpy(genau, basis, sizeof basis);
    ASSERT_EQ(Jpeg_Qtab_Schnell(schnell), 0);
    ASSERT_EQ(Jpeg_Qtab_Genau(genau), 0);
    int q_natuerlich[64];
    for (int i = 0; i < 64; ++i) q_natuerlich[Jpeg_Zickzack[i]] = basis[i];

    int abweichungen = 0;
    for (int k = 0; k < 5000; ++k) {
        int16_t p[64];
        z.proben(p);
        double d[64], f[64];
        for (int i = 0; i < 64; ++i) d[i] = p[i];
        modell::dct_exakt(d, f);
        int16_t a[64], b[64], c[64], e[64];
        std::memcpy(a, p, sizeof p);
        std::memcpy(b, p, sizeof p);
        std::memcpy(c, p, sizeof p);
        std::memcpy(e, p, sizeof p);
        Jpeg_FDCT_Genau(a);
        Jpeg_Quant_Genau(a, genau);
        Jpeg_FDCT_Schnell(b);
        Jpeg_Quant_Schnell(b, schnell);
        Jpeg_FDCT_Genau_SSE2(c);
        Jpeg_Quant_Genau_SSE2(c, genau);
        Jpeg_FDCT_Schnell_MMX(e);
        Jpeg_Quant_Schnell_MMX(e, schnell);
        for (int i = 0; i < 64; ++i) {
            const double soll = f[i] / q_natuerlich[i];
            const double q = q_natuerlich[i];
            ASSERT_LE(std::abs(a[i] - soll), 0.51 + 0.6 / q) << i;
            ASSERT_LE(std::abs(b[i] - soll), 0.51 + 4.5 / q) << i;
            ASSERT_LE(std::abs(c[i] - soll), 0.51 + 1.0 / q) << i;
            ASSERT_LE(std::abs(e[i] - soll), 0.51 + 6.5 / q) << i;
            abweichungen += a[i] != c[i];
        }
    }
    // The two accurate forms differ only now and then by one step.
    EXPECT_LT(abweichungen, 5000 * 64 / 50);
}

}  // namespace
