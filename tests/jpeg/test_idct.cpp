// Inverse DCTs (full and reduced sizes), dequantisers and their tables.
#include "jpeg/jpeg_kern.h"
#include "jpeg/kern_modelle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using Block_Fn = void (*)(int16_t*);
using Quant_Fn = void (*)(int16_t*, const int16_t*);

struct Benannt {
    const char* name;
    Block_Fn fn;
    int seite;  // output side: 8, 4, 2 or 1
};

const Benannt genaue[] = {
    {"genau 8x8", Jpeg_IDCT_Genau, 8},         {"genau MMX", Jpeg_IDCT_Genau_MMX, 8},
    {"genau SSE", Jpeg_IDCT_Genau_SSE, 8},     {"genau SSE2", Jpeg_IDCT_Genau_SSE2, 8},
    {"genau 4x4", Jpeg_IDCT_Genau_4x4, 4},     {"genau 2x2", Jpeg_IDCT_Genau_2x2, 2},
    {"genau 1x1", Jpeg_IDCT_Genau_1x1, 1},
};
const Benannt schnelle[] = {
    {"schnell 8x8", Jpeg_IDCT_Schnell, 8}, {"schnell MMX", Jpeg_IDCT_Schnell_MMX, 8},
    {"schnell 4x4", Jpeg_IDCT_Schnell_4x4, 4}, {"schnell 2x2", Jpeg_IDCT_Schnell_2x2, 2},
    {"schnell 1x1", Jpeg_IDCT_Schnell_1x1, 1},
};

void alle_gleich(const int16_t* b, int seite, int wert, const char* name)
{
    for (int y = 0; y < seite; ++y)
        for (int x = 0; x < seite; ++x) EXPECT_EQ(b[8 * y + x], wert) << name << " " << y << "," << x;
}

// Prepared tables: every entry q, or the entries given.
void tabelle(int16_t* t, int q, bool schnell)
{
    std::fill(t, t + JPEG_QTAB_WORTE, int16_t(0x7F7F));
    std::fill(t, t + 64, int16_t(q));
    if (schnell)
        Jpeg_Dqtab_Schnell(t);
    else
        Jpeg_Dqtab_Genau(t);
}

TEST(Dequant, TabellenVorbereitung)
{
    alignas(16) int16_t t[JPEG_QTAB_WORTE];
    // Accurate: natural order, the words after the 64 entries zeroed.
    std::fill(t, t + JPEG_QTAB_WORTE, int16_t(0x7F7F));
    for (int i = 0; i < 64; ++i) t[i] = int16_t(i + 1);
    Jpeg_Dqtab_Genau(t);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(t[Jpeg_Zickzack[i]], i + 1);
    for (int i = 64; i < 80; ++i) EXPECT_EQ(t[i], 0);

    // Fast: q * f * 2048 rounded; q = 16 at the DC gives 4096; q = 0 gives 0.
    std::fill(t, t + JPEG_QTAB_WORTE, int16_t(0x7F7F));
    for (int i = 0; i < 64; ++i) t[i] = int16_t(i % 5 * 8);
    t[0] = 16;
    Jpeg_Dqtab_Schnell(t);
    EXPECT_EQ(t[0], 4096);
    for (int i = 1; i < 64; ++i) {
        const double v = (i % 5 * 8) * Jpeg_AAN_Faktoren[i] * 2048.0 + 0.5;
        EXPECT_EQ(t[Jpeg_Zickzack[i]], v < 1.0 ? 0 : int(v)) << i;
    }
    for (int i = 64; i < 80; ++i) EXPECT_EQ(t[i], 0);
}

TEST(IDCT, NurDCGibt148Ueberall)
{
    // c0 = 10 with q = 16: 128 + 20 everywhere, in every form and size.
    alignas(16) int16_t tg[JPEG_QTAB_WORTE], ts[JPEG_QTAB_WORTE];
    tabelle(tg, 16, false);
    tabelle(ts, 16, true);
    EXPECT_EQ(ts[0], 4096);
    for (const Benannt& f : genaue) {
        for (Quant_Fn dq : {Jpeg_Dequant_Genau, Jpeg_Dequant_Genau_MMX, Jpeg_Dequant_Genau_SSE2}) {
            alignas(16) int16_t b[64] = {};
            b[0] = 10;
            dq(b, tg);
            EXPECT_EQ(b[0], 160);
            f.fn(b);
            alle_gleich(b, f.seite, 148, f.name);
        }
    }
    for (const Benannt& f : schnelle) {
        alignas(16) int16_t b[64] = {};
        b[0] = 10;
        Jpeg_Dequant_Schnell(b, ts);
        EXPECT_EQ(b[0], 320);
        f.fn(b);
        alle_gleich(b, f.seite, 148, f.name);
    }
}

TEST(IDCT, GrosseDCWerteWerdenGeklemmt)
{
    for (int dc : {4200, 32767, -4200, -32768}) {
        const int soll = dc > 0 ? 255 : 0;
        for (const Benannt& f : genaue) {
            alignas(16) int16_t b[64] = {};
            b[0] = int16_t(dc);
            f.fn(b);
            alle_gleich(b, f.seite, soll, f.name);
        }
        for (const Benannt& f : schnelle) {
            alignas(16) int16_t b[64] = {};
            b[0] = int16_t(dc);
            f.fn(b);
            alle_gleich(b, f.seite, soll, f.name);
        }
    }
}

// Dequantised coefficients of a random sample block (accurate scaling: F).
void zufallskoeffizienten(modell::Bloecke& z, int16_t* c, double* probe)
{
    double p[64];
    for (int i = 0; i < 64; ++i) p[i] = z.zahl(-128, 127);
    double f[64];
    modell::dct_exakt(p, f);
    // Coarse quantisation now and then, as in real pictures.
    const int q = z.zahl(0, 3) == 0 ? z.zahl(2, 40) : 1;
    for (int i = 0; i < 64; ++i) c[i] = int16_t(std::lround(f[i] / q) * q);
    for (int i = 0; i < 64; ++i) f[i] = c[i];
    modell::idct_exakt(f, probe);
}

// Mean of an s x s group of the exact output, clamped as the kernels clamp.
double gruppe(const double* probe, int y, int x, int s)
{
    double summe = 0;
    for (int j = 0; j < s; ++j)
        for (int i = 0; i < s; ++i) summe += probe[8 * (y * s + j) + x * s + i];
    const double v = summe / (s * s) + 128;
    return std::clamp(v, 0.0, 255.0);
}

TEST(IDCT, GenauigkeitGegenExakteInverse)
{
    const int n = modell::anzahl_bloecke(100000);
    modell::Bloecke z(41);
    double max_g = 0, max_s = 0, max_f = 0, max_m = 0, summe_m = 0, summe_f = 0;
    double max_red[3] = {}, max_red_f[3] = {};
    alignas(16) int16_t t_schnell[JPEG_QTAB_WORTE];
    tabelle(t_schnell, 1, true);
    for (int k = 0; k < n; ++k) {
        int16_t c[64];
        double probe[64];
        zufallskoeffizienten(z, c, probe);
        alignas(16) int16_t g[64], s[64], f[64], m[64];
        std::memcpy(g, c, sizeof c);
        std::memcpy(s, c, sizeof c);
        Jpeg_IDCT_Genau(g);
        Jpeg_IDCT_Genau_SSE2(s);
        // The fast method works on scaled coefficients.
        std::memcpy(f, c, sizeof c);
        Jpeg_Dequant_Schnell(f, t_schnell);
        std::memcpy(m, f, sizeof f);
        Jpeg_IDCT_Schnell(f);
        Jpeg_IDCT_Schnell_MMX(m);
        for (int i = 0; i < 64; ++i) {
            const double soll = std::clamp(std::round(probe[i] + 128), 0.0, 255.0);
            max_g = std::max(max_g, std::abs(g[i] - soll));
            max_s = std::max(max_s, std::abs(s[i] - soll));
            max_f = std::max(max_f, std::abs(f[i] - soll));
            max_m = std::max(max_m, std::abs(m[i] - soll));
            summe_m += m[i] - std::clamp(probe[i] + 128, 0.0, 255.0);
            summe_f += f[i] - std::clamp(probe[i] + 128, 0.0, 255.0);
        }
        // Reduced sizes against the means of the exact output's groups.
        const Block_Fn reduziert[3] = {Jpeg_IDCT_Genau_4x4, Jpeg_IDCT_Genau_2x2, Jpeg_IDCT_Genau_1x1};
        const Block_Fn reduziert_f[3] = {Jpeg_IDCT_Schnell_4x4, Jpeg_IDCT_Schnell_2x2,
                                         Jpeg_IDCT_Schnell_1x1};
        for (int r = 0; r < 3; ++r) {
            const int seite = 4 >> r, gr = 8 / seite;
            int16_t a[64], b[64];
            std::memcpy(a, c, sizeof c);
            std::memcpy(b, c, sizeof c);
            Jpeg_Dequant_Schnell(b, t_schnell);
            reduziert[r](a);
            reduziert_f[r](b);
            for (int y = 0; y < seite; ++y)
                for (int x = 0; x < seite; ++x) {
                    const double soll = gruppe(probe, y, x, gr);
                    max_red[r] = std::max(max_red[r], std::abs(a[8 * y + x] - soll));
                    max_red_f[r] = std::max(max_red_f[r], std::abs(b[8 * y + x] - soll));
                }
        }
    }
    // Accurate: within 1 of the rounded exact inverse, generic and SIMD alike.
    EXPECT_LE(max_g, 1.0);
    EXPECT_LE(max_s, 1.0);
    // Fast: a few units at most; the SIMD form lacks the rounding term and
    // comes out about half a step low on average.
    EXPECT_LE(max_f, 4.0);
    EXPECT_LE(max_m, 5.0);
    EXPECT_LE(std::abs(summe_f / n / 64), 0.1);
    EXPECT_GE(summe_m / n / 64, -0.6);
    EXPECT_LE(summe_m / n / 64, -0.3);
    // Reduced sizes: within 1 of the group means.
    for (int r = 0; r < 3; ++r) {
        EXPECT_LE(max_red[r], 1.0) << r;
        EXPECT_LE(max_red_f[r], 1.0) << r;
    }
}

TEST(IDCT, SimdFormenGleichIhremModell)
{
    const int n = modell::anzahl_bloecke(50000);
    modell::Bloecke z(43);
    alignas(16) int16_t puffer[72];
    for (int k = 0; k < n; ++k) {
        int16_t ein[64];
        z.gemischt(ein, k);
        int16_t erwartet[64], b[64];
        std::memcpy(erwartet, ein, sizeof ein);
        modell::idct_schnell_simd(erwartet);
        std::memcpy(b, ein, sizeof ein);
        Jpeg_IDCT_Schnell_MMX(b);
        ASSERT_EQ(0, std::memcmp(b, erwartet, sizeof b)) << "schnell, Block " << k;

        std::memcpy(erwartet, ein, sizeof ein);
        modell::idct_genau_simd(erwartet);
        for (Block_Fn f : {Jpeg_IDCT_Genau_MMX, Jpeg_IDCT_Genau_SSE, Jpeg_IDCT_Genau_SSE2}) {
            int16_t* ziel = puffer + (k % 2);
            std::memcpy(ziel, ein, sizeof ein);
            f(ziel);
            ASSERT_EQ(0, std::memcmp(ziel, erwartet, sizeof ein)) << "genau, Block " << k;
        }
    }
}

TEST(Dequant, SimdFormenGleichGenerisch)
{
    const int n = modell::anzahl_bloecke(50000);
    modell::Bloecke z(47);
    alignas(16) int16_t bp[72], tp[72];
    for (int k = 0; k < n; ++k) {
        int16_t c[64], q[64];
        z.gemischt(c, k);
        z.gemischt(q, k + 1);
        int16_t erwartet[64];
        for (int i = 0; i < 64; ++i) erwartet[i] = modell::w16(int32_t(c[i]) * q[i]);
        int16_t g[64];
        std::memcpy(g, c, sizeof c);
        Jpeg_Dequant_Genau(g, q);
        ASSERT_EQ(0, std::memcmp(g, erwartet, sizeof g));
        for (Quant_Fn f : {Jpeg_Dequant_Genau_MMX, Jpeg_Dequant_Genau_SSE2}) {
            int16_t* bz = bp + (k % 2);
            int16_t* tz = tp + (k % 4 < 2 ? 0 : 1);
            std::memcpy(bz, c, sizeof c);
            std::memcpy(tz, q, sizeof q);
            f(bz, tz);
            ASSERT_EQ(0, std::memcmp(bz, erwartet, sizeof erwartet)) << k;
        }
    }
}

// Coarse tables (q * f >= 16, e.g. a DC step of 128 or more) need fast
// multipliers beyond 16 bits; the fast path must still give the picture of the
// accurate one.
TEST(Dequant, SchnelleGrobeTabellenBleibenRichtig)
{
    alignas(16) int16_t ts[JPEG_QTAB_WORTE], tg[JPEG_QTAB_WORTE];
    for (int q : {128, 200, 255}) {
        tabelle(ts, q, true);
        tabelle(tg, q, false);
        modell::Bloecke z{uint32_t(q)};
        for (int k = 0; k < 2000; ++k) {
            int16_t c[64] = {};
            for (int i = 0; i < 64; ++i)
                if (z.zahl(0, 3) == 0) c[i] = int16_t(z.zahl(-1024 / q - 1, 1024 / q + 1));
            int16_t a[64], b[64];
            std::memcpy(a, c, sizeof c);
            std::memcpy(b, c, sizeof c);
            Jpeg_Dequant_Schnell(a, ts);
            Jpeg_IDCT_Schnell(a);
            Jpeg_Dequant_Genau(b, tg);
            Jpeg_IDCT_Genau(b);
            for (int i = 0; i < 64; ++i) ASSERT_LE(std::abs(a[i] - b[i]), 4) << "q " << q << " Block " << k;
        }
        // A DC of 3 steps: 2 q c after dequantisation, 128 + 3 q / 8 after the transform.
        int16_t b[64] = {};
        b[0] = 3;
        Jpeg_Dequant_Schnell(b, ts);
        EXPECT_EQ(b[0], 2 * q * 3);
        Jpeg_IDCT_Schnell_1x1(b);
        EXPECT_EQ(b[0], std::min(255, 128 + (6 * q + 8) / 16));
    }
}

// Tables whose multipliers all fit 16 bits take a shorter path; it gives the
// same results as the full multipliers.
TEST(Dequant, SchnellerPfadGleichVollenMultiplikatoren)
{
    modell::Bloecke z(53);
    alignas(16) int16_t t[JPEG_QTAB_WORTE];
    for (int runde = 0; runde < 200; ++runde) {
        const int grob = runde % 4 == 0 ? 255 : 60;
        for (int i = 0; i < 64; ++i) t[i] = int16_t(z.zahl(0, grob));
        Jpeg_Dqtab_Schnell(t);
        int32_t breit[64];
        std::memcpy(breit, t + JPEG_QTAB_BREIT, sizeof breit);
        bool passt = true;
        for (int32_t m : breit) passt = passt && m <= 32767;
        ASSERT_EQ(t[JPEG_QTAB_SCHMAL], passt ? 1 : 0);
        for (int k = 0; k < 50; ++k) {
            int16_t c[64];
            z.gemischt(c, k);
            int16_t b[64];
            std::memcpy(b, c, sizeof c);
            Jpeg_Dequant_Schnell(b, t);
            for (int i = 0; i < 64; ++i)
                ASSERT_EQ(b[i], modell::w16((int64_t(c[i]) * breit[i] + 64) >> 7)) << runde << " " << i;
        }
    }
}

// Any 16-bit input, however wild, gives samples 0..255 (and, in the
// sanitizer build, no undefined arithmetic).
TEST(IDCT, JedeEingabeGibtProben)
{
    modell::Bloecke z(59);
    alignas(16) int16_t ts[JPEG_QTAB_WORTE], tg[JPEG_QTAB_WORTE];
    tabelle(ts, 255, true);
    tabelle(tg, 255, false);
    for (int k = 0; k < 4000; ++k) {
        int16_t ein[64];
        z.gemischt(ein, k % 3 == 0 ? 1 : k);
        for (const Benannt* gruppe : {genaue, schnelle}) {
            const int anzahl = gruppe == genaue ? int(std::size(genaue)) : int(std::size(schnelle));
            for (int f = 0; f < anzahl; ++f) {
                alignas(16) int16_t b[64];
                std::memcpy(b, ein, sizeof b);
                if (k % 2) {
                    if (gruppe == genaue)
                        Jpeg_Dequant_Genau(b, tg);
                    else
                        Jpeg_Dequant_Schnell(b, ts);
                }
                gruppe[f].fn(b);
                for (int y = 0; y < gruppe[f].seite; ++y)
                    for (int x = 0; x < gruppe[f].seite; ++x) {
                        ASSERT_GE(b[8 * y + x], 0) << gruppe[f].name;
                        ASSERT_LE(b[8 * y + x], 255) << gruppe[f].name;
                    }
            }
        }
    }
}

TEST(IDCT, VerkleinerteGenaueAbkuerzungen)
{
    // Only x0 in each column: the 2x2 column pass gives 4 x0, the row pass
    // then the DC path.
    int16_t b[64] = {};
    for (int s = 0; s < 8; ++s) b[s] = 0;
    b[0] = 80;
    Jpeg_IDCT_Genau_2x2(b);
    EXPECT_EQ(b[0], 128 + 10);
    EXPECT_EQ(b[1], 138);
    EXPECT_EQ(b[8], 138);
    EXPECT_EQ(b[9], 138);
    // A horizontal frequency only: the left and right halves differ, the
    // rows agree.
    int16_t c[64] = {};
    c[1] = 200;
    Jpeg_IDCT_Genau_2x2(c);
    EXPECT_GT(c[0], c[1]);
    EXPECT_EQ(c[0], c[8]);
    EXPECT_EQ(c[1], c[9]);
    int16_t d[64] = {};
    d[8] = 200;
    Jpeg_IDCT_Genau_4x4(d);
    for (int x = 0; x < 4; ++x) {
        EXPECT_GT(d[x], d[24 + x]);
        EXPECT_EQ(d[x], d[0]);
    }
}

}  // namespace
