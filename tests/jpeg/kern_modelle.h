// Scalar models of the SIMD kernels' lane arithmetic, written lane by lane
// with explicit 16-bit wrap, saturation and high-half multiplies, and the
// exact (floating-point) DCT. The tests compare the kernels against these.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <random>
#include <string>
#include <type_traits>

namespace modell {

inline int16_t w16(int64_t v) { return int16_t(uint16_t(uint64_t(v))); }
inline int16_t sat16(int64_t v) { return int16_t(v < -32768 ? -32768 : (v > 32767 ? 32767 : v)); }
inline int16_t add(int16_t a, int16_t b) { return w16(int32_t(a) + b); }
inline int16_t sub(int16_t a, int16_t b) { return w16(int32_t(a) - b); }
inline int16_t adds(int16_t a, int16_t b) { return sat16(int32_t(a) + b); }
inline int16_t subs(int16_t a, int16_t b) { return sat16(int32_t(a) - b); }
inline int16_t mulhi(int16_t a, int16_t b) { return int16_t((int32_t(a) * int32_t(b)) >> 16); }
inline int16_t shl(int16_t a, int n) { return w16(int32_t(uint16_t(a)) << n); }
inline int16_t sar(int16_t a, int n) { return int16_t(a >> n); }
inline uint16_t addus(uint16_t a, uint16_t b) { return uint16_t(a + b > 65535 ? 65535 : a + b); }
inline uint16_t subus(uint16_t a, uint16_t b) { return uint16_t(a > b ? a - b : 0); }
inline int32_t w32(int64_t v) { return int32_t(uint32_t(uint64_t(v))); }
inline int16_t packus(int16_t v) { return int16_t(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// round(16384 f c(u) cos((2n + 1) u pi / 16)) for the four row classes.
inline int16_t matrix(int klasse, int n, int u) {
    const double pi = 3.14159265358979323846;
    auto g = [&](int k) { return k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * pi / 16); };
    const double f = g(klasse);
    const double c = u == 0 ? 1.0 : std::sqrt(2.0);
    return int16_t(std::lround(16384.0 * f * c * std::cos((2 * n + 1) * u * pi / 16)));
}
inline int klasse(int zeile) {
    static const int k[8] = {0, 1, 2, 3, 0, 3, 2, 1};
    return k[zeile];
}

// --- forward DCTs -----------------------------------------------------------

// Fast form: the AAN step in wrapping 16-bit lanes, 8-bit constants.
inline void aan_vor(int16_t* x, int s) {
    int16_t v[8];
    for (int i = 0; i < 8; ++i) v[i] = x[i * s];
    const int16_t t0 = add(v[0], v[7]), t7 = sub(v[0], v[7]);
    const int16_t t1 = add(v[1], v[6]), t6 = sub(v[1], v[6]);
    const int16_t t2 = add(v[2], v[5]), t5 = sub(v[2], v[5]);
    const int16_t t3 = add(v[3], v[4]), t4 = sub(v[3], v[4]);
    const int16_t t10 = add(t0, t3), t13 = sub(t0, t3), t11 = add(t1, t2), t12 = sub(t1, t2);
    int16_t y[8];
    y[0] = add(t10, t11);
    y[4] = sub(t10, t11);
    const int16_t z1 = mulhi(shl(add(t12, t13), 1), 23168);
    y[2] = add(t13, z1);
    y[6] = sub(t13, z1);
    const int16_t a = add(t4, t5), b = add(t5, t6), c = add(t6, t7);
    const int16_t z5 = mulhi(sub(a, c), 25088);
    const int16_t z2 = add(mulhi(shl(a, 1), 17792), z5);
    const int16_t z4 = add(mulhi(shl(c, 2), 21376), z5);
    const int16_t z3 = mulhi(shl(b, 1), 23168);
    const int16_t z11 = add(t7, z3), z13 = sub(t7, z3);
    y[5] = add(z13, z2);
    y[3] = sub(z13, z2);
    y[1] = add(z11, z4);
    y[7] = sub(z11, z4);
    for (int i = 0; i < 8; ++i) x[i * s] = y[i];
}

inline void fdct_schnell_simd(int16_t* b) {
    for (int z = 0; z < 8; ++z) aan_vor(b + 8 * z, 1);
    for (int s = 0; s < 8; ++s) aan_vor(b + s, 8);
}

inline int16_t tan1(int16_t v) { return mulhi(v, 13036); }
inline int16_t tan2(int16_t v) { return mulhi(v, 27146); }
inline int16_t tan3(int16_t v) { return adds(v, mulhi(v, -21746)); }

// Accurate form: saturating column pass, then multiply-add row pass.
inline void fdct_genau_simd(int16_t* b) {
    int16_t y[8][8];
    for (int s = 0; s < 8; ++s) {
        int16_t x[8];
        for (int i = 0; i < 8; ++i) x[i] = b[8 * i + s];
        const int16_t S07 = shl(adds(x[0], x[7]), 3), S16 = shl(adds(x[1], x[6]), 3);
        const int16_t S25 = shl(adds(x[2], x[5]), 3), S34 = shl(adds(x[3], x[4]), 3);
        const int16_t D07 = shl(subs(x[0], x[7]), 3), D34 = shl(subs(x[3], x[4]), 3);
        const int16_t D16 = shl(subs(x[1], x[6]), 4), D25 = shl(subs(x[2], x[5]), 4);
        const int16_t e0 = adds(S07, S34), e1 = adds(S16, S25);
        const int16_t e2 = subs(S07, S34), e3 = subs(S16, S25);
        y[0][s] = adds(e0, e1);
        y[4][s] = subs(e0, e1);
        y[2][s] = int16_t(adds(e2, tan2(e3)) | 1);
        y[6][s] = int16_t(subs(tan2(e2), e3) | 1);
        const int16_t p = int16_t(mulhi(adds(D16, D25), 23170) | 1);
        const int16_t m = mulhi(subs(D16, D25), 23170);
        const int16_t a = adds(D34, m), bb = subs(D34, m), c = subs(D07, p), d = adds(D07, p);
        y[1][s] = int16_t(adds(d, tan1(a)) | 1);
        y[7][s] = subs(tan1(d), a);
        y[3][s] = subs(c, tan3(bb));
        y[5][s] = adds(tan3(c), bb);
    }
    for (int k = 0; k < 8; ++k)
        for (int u = 0; u < 8; ++u) {
            int64_t summe = 1 << 19;
            for (int x = 0; x < 8; ++x) summe += int64_t(y[k][x]) * matrix(klasse(k), x, u);
            b[8 * k + u] = sat16(w32(summe) >> 20);
        }
}

// --- quantisers ---------------------------------------------------------------

inline int16_t quant_schnell_simd(int16_t c, int16_t m) {
    uint16_t u = uint16_t(add(c, int16_t(-32768)));
    u = addus(u, 24576);
    u = subus(u, 49152);
    const int16_t k = add(int16_t(u), int16_t(57344 - 65536));
    return sar(add(mulhi(shl(k, 2), m), 1), 1);
}

inline int16_t quant_genau_simd(int16_t c, int16_t m) {
    return sar(add(mulhi(shl(c, 3), int16_t(uint16_t(m) >> 1)), 1), 1);
}

// --- inverse DCTs -------------------------------------------------------------

inline void aan_rueck(int16_t* x, int s) {
    int16_t v[8];
    for (int i = 0; i < 8; ++i) v[i] = x[i * s];
    const int16_t z13 = add(v[5], v[3]), z10 = sub(v[5], v[3]);
    const int16_t z11 = add(v[1], v[7]), z12 = sub(v[1], v[7]);
    const int16_t t7 = add(z11, z13);
    const int16_t t11 = mulhi(shl(sub(z11, z13), 2), 23040);
    const int16_t z5 = mulhi(shl(add(z10, z12), 2), 30272);
    const int16_t t10 = sub(mulhi(shl(z12, 2), 17728), z5);
    const int16_t t12 = add(mulhi(shl(z10, 3), -21408), z5);
    const int16_t t6 = sub(t12, t7), t5 = sub(t11, t6), t4 = add(t10, t5);
    const int16_t a = add(v[0], v[4]), b = sub(v[0], v[4]), z = add(v[2], v[6]);
    const int16_t w = sub(mulhi(shl(sub(v[2], v[6]), 2), 23040), z);
    const int16_t e0 = add(a, z), e3 = sub(a, z), e1 = add(b, w), e2 = sub(b, w);
    const int16_t y[8] = {add(e0, t7), add(e1, t6), add(e2, t5), sub(e3, t4),
                          add(e3, t4), sub(e2, t5), sub(e1, t6), sub(e0, t7)};
    for (int i = 0; i < 8; ++i) x[i * s] = y[i];
}

inline void idct_schnell_simd(int16_t* b) {
    for (int s = 0; s < 8; ++s) aan_rueck(b + s, 8);
    for (int z = 0; z < 8; ++z) aan_rueck(b + 8 * z, 1);
    for (int i = 0; i < 64; ++i) b[i] = packus(adds(sar(b[i], 4), 128));
}

inline void idct_genau_simd(int16_t* b) {
    int16_t z[8][8];
    for (int r = 0; r < 8; ++r) {
        const int16_t* X = b + 8 * r;
        for (int n = 0; n < 4; ++n) {
            int64_t E = 2048, O = 0;
            for (int u = 0; u < 8; u += 2) E += int64_t(X[u]) * matrix(klasse(r), n, u);
            for (int u = 1; u < 8; u += 2) O += int64_t(X[u]) * matrix(klasse(r), n, u);
            z[r][n] = sat16(w32(E + O) >> 12);
            z[r][7 - n] = sat16(w32(E - O) >> 12);
        }
    }
    auto cos4 = [](int16_t v) { return adds(v, mulhi(v, -19195)); };
    for (int s = 0; s < 8; ++s) {
        int16_t x[8];
        for (int i = 0; i < 8; ++i) x[i] = z[i][s];
        const int16_t u1 = adds(x[1], tan1(x[7])), u3 = adds(x[3], tan3(x[5]));
        const int16_t P = adds(adds(u1, u3), 1), Q = subs(u1, u3);
        const int16_t v1 = subs(tan1(x[1]), x[7]), v3 = subs(x[5], tan3(x[3]));
        const int16_t R = adds(subs(v1, v3), 1), S = adds(v1, v3);
        const int16_t C1 = int16_t(cos4(adds(Q, R)) | 1), C2 = int16_t(cos4(subs(Q, R)) | 1);
        const int16_t A = adds(x[0], x[4]), B = subs(x[0], x[4]);
        const int16_t U = adds(x[2], tan2(x[6])), V = subs(tan2(x[2]), x[6]);
        const int16_t au = adds(adds(A, U), 16), bv = adds(adds(B, V), 16);
        const int16_t bmv = adds(subs(B, V), 15), amu = adds(subs(A, U), 15);
        const int16_t y[8] = {adds(au, P),  adds(bv, C1),  adds(bmv, C2), adds(amu, S),
                              subs(amu, S), subs(bmv, C2), subs(bv, C1),  subs(au, P)};
        for (int i = 0; i < 8; ++i) b[8 * i + s] = packus(adds(sar(y[i], 5), 128));
    }
}

// --- exact DCT ------------------------------------------------------------------

inline double kosinus(int x, int u) {
    static double t[8][8];
    static bool fertig = false;
    if (!fertig) {
        const double pi = 3.14159265358979323846;
        for (int i = 0; i < 8; ++i)
            for (int k = 0; k < 8; ++k)
                t[i][k] = (k == 0 ? std::sqrt(0.125) : 0.5) * std::cos((2 * i + 1) * k * pi / 16);
        fertig = true;
    }
    return t[x][u];
}

// Orthonormal 2-D DCT of 64 values (natural order), or its inverse.
inline void dct_2d(const double* ein, double* aus, bool invers) {
    double z[64];
    for (int r = 0; r < 8; ++r)
        for (int k = 0; k < 8; ++k) {
            double s = 0;
            for (int j = 0; j < 8; ++j) s += ein[8 * r + j] * (invers ? kosinus(k, j) : kosinus(j, k));
            z[8 * r + k] = s;
        }
    for (int r = 0; r < 8; ++r)
        for (int k = 0; k < 8; ++k) {
            double s = 0;
            for (int j = 0; j < 8; ++j) s += z[8 * j + k] * (invers ? kosinus(r, j) : kosinus(j, r));
            aus[8 * r + k] = s;
        }
}
inline void dct_exakt(const double* ein, double* aus) { dct_2d(ein, aus, false); }
inline void idct_exakt(const double* ein, double* aus) { dct_2d(ein, aus, true); }
// The exact DCT of an integer block.
inline void dct_exakt(const int16_t* ein, double* aus) {
    double p[64];
    for (int i = 0; i < 64; ++i) p[i] = ein[i];
    dct_2d(p, aus, false);
}

// --- test data --------------------------------------------------------------------

// How many random blocks the bit-exactness tests run (KORDAVO_JPEG_BLOECKE
// raises it, e.g. to a million).
inline int anzahl_bloecke(int standard) {
    if (const char* t = std::getenv("KORDAVO_JPEG_BLOECKE")) {
        const long n = std::strtol(t, nullptr, 10);
        if (n > 0) return int(n);
    }
    return standard;
}

// Random blocks of several kinds: level-shifted samples, full 16-bit values,
// extremes only, coefficients of samples, low-frequency extremes.
class Bloecke {
  public:
    explicit Bloecke(uint32_t saat) : zufall_(saat) {}

    void proben(int16_t* b) {
        std::uniform_int_distribution<int> d(-128, 127);
        for (int i = 0; i < 64; ++i) b[i] = int16_t(d(zufall_));
    }
    void beliebig(int16_t* b) {
        std::uniform_int_distribution<int> d(-32768, 32767);
        for (int i = 0; i < 64; ++i) b[i] = int16_t(d(zufall_));
    }
    void extrem(int16_t* b) {
        static const int16_t werte[] = {-32768, 32767, 0, -1, 1, -128, 127, -2048, 2047};
        std::uniform_int_distribution<int> d(0, int(std::size(werte)) - 1);
        for (int i = 0; i < 64; ++i) b[i] = werte[d(zufall_)];
    }
    // Coefficients of a level-shifted sample block after an exact DCT.
    void koeffizienten(int16_t* b) {
        double f[64];
        proben(b);
        dct_exakt(b, f);
        for (int i = 0; i < 64; ++i) b[i] = int16_t(std::lround(f[i]));
    }
    // A mix of the kinds above, chosen by the index, and extremes in rows
    // and columns 0..3 only (the shortened road of the inverses).
    void gemischt(int16_t* b, int i) {
        switch (i % 5) {
            case 0: proben(b); break;
            case 1: beliebig(b); break;
            case 2: extrem(b); break;
            case 3: koeffizienten(b); break;
            default:
                extrem(b);
                for (int k = 0; k < 64; ++k)
                    if (k >= 32 || (k & 7) >= 4) b[k] = 0;
        }
    }
    int zahl(int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall_); }

  private:
    std::mt19937 zufall_;
};

// --- checks shared by the transform tests ------------------------------------------

using Block_Fn = void (*)(int16_t*);
using Quant_Fn = void (*)(int16_t*, const int16_t*);

// A copy of the block after the kernel ran on it.
struct Block {
    alignas(16) int16_t w[64];
};
inline Block nach(const int16_t* ein, Block_Fn f) {
    Block b;
    std::memcpy(b.w, ein, sizeof b.w);
    f(b.w);
    return b;
}

// Runs every kernel on `n` mixed blocks, on aligned and on unaligned
// addresses, and compares its result bit for bit with the model's: a block
// kernel with a block model, or a (de)quantiser with a model of one
// coefficient and a table, drawn by `tabelle`, on addresses of its own.
template <class Kern, class Modell>
inline void bitgleich(uint32_t saat, int n, Modell modell, std::initializer_list<Kern> kerne,
                      void (*tabelle)(Bloecke&, int16_t*) = nullptr) {
    Bloecke z(saat);
    alignas(16) int16_t bp[72], tp[72];
    for (int k = 0; k < n; ++k) {
        int16_t ein[64], m[64], soll[64];
        z.gemischt(ein, k);
        std::memcpy(soll, ein, sizeof ein);
        if constexpr (std::is_same_v<Kern, Block_Fn>) {
            modell(soll);
        } else {
            tabelle(z, m);
            for (int i = 0; i < 64; ++i) soll[i] = modell(ein[i], m[i]);
        }
        int nummer = 0;
        for (Kern f : kerne) {
            int16_t* b = bp + (k % 2);
            int16_t* t = tp + (k % 4 < 2 ? 0 : 1);
            std::memcpy(b, ein, sizeof ein);
            if constexpr (std::is_same_v<Kern, Block_Fn>) {
                f(b);
            } else {
                std::memcpy(t, m, sizeof m);
                f(b, t);
            }
            ASSERT_EQ(0, std::memcmp(b, soll, sizeof soll)) << "Kern " << nummer << ", Block " << k;
            ++nummer;
        }
    }
}

}  // namespace modell
