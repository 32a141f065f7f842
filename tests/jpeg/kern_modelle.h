// The exact (floating-point) DCT, random test blocks and the bit-for-bit
// comparison of a kernel's forms, shared by the transform tests.
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

// Runs every form of a kernel on `n` mixed blocks, on aligned and on
// unaligned addresses, and compares its result bit for bit with the first
// form's: block transforms, or (de)quantisers with a table drawn by
// `tabelle`, on addresses of its own.
template <class Kern>
inline void bitgleich(uint32_t saat, int n, std::initializer_list<Kern> kerne,
                      void (*tabelle)(Bloecke&, int16_t*) = nullptr) {
    Bloecke z(saat);
    alignas(16) int16_t bp[72], tp[72];
    for (int k = 0; k < n; ++k) {
        int16_t ein[64], m[64], soll[64];
        z.gemischt(ein, k);
        if (tabelle) tabelle(z, m);
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
            if (nummer++ == 0) {
                std::memcpy(soll, b, sizeof soll);
            } else {
                ASSERT_EQ(0, std::memcmp(b, soll, sizeof soll)) << "Form " << nummer - 1 << ", Block " << k;
            }
        }
    }
}

}  // namespace modell
