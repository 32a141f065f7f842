// SSSE3 forms of the encoder's three-byte colour kernels, chosen at
// initialisation when the processor has SSSE3 (every current x86-64 one).
// They give exactly the samples of the generic kernels: a byte shuffle
// spreads each pixel pair into 16-bit words [c0 c1 c2 1 | c0 c1 c2 1]; one
// multiply-add with [k0 k1 k2 k3] and a horizontal add give
// k0 c0 + k1 c1 + k2 c2 + k3, the constant term riding in the fourth word
// (n for a group of n summed pixels, which scales the rounding constant).
#include "jpeg/enc_intern.h"

#include <tmmintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("ssse3"))), apply_to = function)
#else
#pragma GCC target("ssse3")
#endif

#include "jpeg/enc_farbe_simd.h"

namespace {

// Byte selections that widen the pixel pair at byte offset o of a 16-byte
// load into 16-bit words (0x80 gives a zero byte).
inline __m128i Auswahl(int o) {
    const char z = static_cast<char>(0x80);
    return _mm_setr_epi8(static_cast<char>(o), z, static_cast<char>(o + 1), z, static_cast<char>(o + 2), z, z, z,
                         static_cast<char>(o + 3), z, static_cast<char>(o + 4), z, static_cast<char>(o + 5), z, z, z);
}

struct Lader {
    template <int SH>
    static __m128i Summe(__m128i a, __m128i b, __m128i k) {
        return _mm_srai_epi32(_mm_hadd_epi32(_mm_madd_epi16(a, k), _mm_madd_epi16(b, k)), SH);
    }

    // One row of 8*HF three-byte pixels as pairs px[i] = pixels 2i, 2i+1,
    // without reading a byte past the row.
    template <int HF>
    static void Zeile_Laden(const uint8_t* q, __m128i* px) {
        const __m128i eins = _mm_setr_epi16(0, 0, 0, 1, 0, 0, 0, 1);
        const __m128i a0 = Auswahl(0), a6 = Auswahl(6), a4 = Auswahl(4), a10 = Auswahl(10);
        // Windows of 16 bytes that hold whole pixel pairs and end inside the row.
        for (int g = 0; g < 2 * HF; ++g) {
            const bool letztes = g == 2 * HF - 1;
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + (letztes ? 24 * HF - 16 : 12 * g)));
            px[2 * g] = _mm_or_si128(_mm_shuffle_epi8(v, letztes ? a4 : a0), eins);
            px[2 * g + 1] = _mm_or_si128(_mm_shuffle_epi8(v, letztes ? a10 : a6), eins);
        }
    }
};

template <bool BGR, int HF, int VF>
void Kern3(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr) {
    Enc_Kern3<Lader, BGR, HF, VF>(p, st, y, cb, cr);
}

}  // namespace

ENC_DREI_BYTE_KERNE(SSSE3, Kern3)

// ---------------------------------------------------------------------------
// Grey from three-byte pixels: per pixel (77 R + 150 G + 29 B - 32640) >> 8,
// the general converter's value. A byte shuffle widens each four pixels into
// words [R G] and [B 1]; two multiply-adds with [77 150] and [29 -32640]
// give the exact 32-bit sum.

namespace {

struct Grau_Maske {
    alignas(16) char m[16];
    constexpr Grau_Maske(int o, int erstes, int zweites) : m{} {
        const char z = static_cast<char>(0x80);
        for (int i = 0; i < 4; ++i) {
            m[4 * i] = static_cast<char>(o + 3 * i + erstes);
            m[4 * i + 1] = z;
            m[4 * i + 2] = zweites < 0 ? z : static_cast<char>(o + 3 * i + zweites);
            m[4 * i + 3] = z;
        }
    }
    __m128i Laden() const { return _mm_load_si128(reinterpret_cast<const __m128i*>(m)); }
};

// The byte selections, built at compile time ([RGB, BGR]): a table built
// per call costs more than the block's arithmetic.
constexpr Grau_Maske k_grau_rg0[2] = {{0, 0, 1}, {0, 2, 1}}, k_grau_b0[2] = {{0, 2, -1}, {0, 0, -1}};
constexpr Grau_Maske k_grau_rg4[2] = {{4, 0, 1}, {4, 2, 1}}, k_grau_b4[2] = {{4, 2, -1}, {4, 0, -1}};

}  // namespace

void Jpeg_Kod_Grau_Drei_SSSE3(const uint8_t* p, int64_t st, int16_t* y, bool bgr) {
    const int f = bgr ? 1 : 0;
    const __m128i rg0 = k_grau_rg0[f].Laden(), b0 = k_grau_b0[f].Laden();
    const __m128i rg4 = k_grau_rg4[f].Laden(), b4 = k_grau_b4[f].Laden();
    const __m128i eins = _mm_setr_epi16(0, 1, 0, 1, 0, 1, 0, 1);
    const __m128i k_rg = _mm_setr_epi16(77, 150, 77, 150, 77, 150, 77, 150);
    const __m128i k_b = _mm_setr_epi16(29, -32640, 29, -32640, 29, -32640, 29, -32640);
    for (int r = 0; r < 8; ++r) {
        const uint8_t* q = p + r * st;
        // Bytes 0..15 (pixels 0..3) and 8..23 (pixels 4..7 from byte 4): no
        // byte past the row's 24 is read.
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 8));
        const __m128i s0 = _mm_add_epi32(_mm_madd_epi16(_mm_shuffle_epi8(v0, rg0), k_rg),
                                         _mm_madd_epi16(_mm_or_si128(_mm_shuffle_epi8(v0, b0), eins), k_b));
        const __m128i s1 = _mm_add_epi32(_mm_madd_epi16(_mm_shuffle_epi8(v1, rg4), k_rg),
                                         _mm_madd_epi16(_mm_or_si128(_mm_shuffle_epi8(v1, b4), eins), k_b));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(y + 8 * r),
                         _mm_packs_epi32(_mm_srai_epi32(s0, 8), _mm_srai_epi32(s1, 8)));
    }
}

// ---------------------------------------------------------------------------
// Mask of the non-zero coefficients of a block in zigzag order (bit k for
// zigzag position k), for the fast block coder: the natural-order byte mask
// is permuted by byte shuffles.

namespace {

struct Zickzack_Auswahl {
    alignas(16) int8_t m[4][4][16];  // [output vector][input vector][byte]
};

constexpr Zickzack_Auswahl Auswahl_Bauen() {
    constexpr uint8_t zz[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
                                41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
                                30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    Zickzack_Auswahl a{};
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            for (int t = 0; t < 16; ++t) {
                int n = zz[16 * j + t];
                a.m[j][i][t] = static_cast<int8_t>(n / 16 == i ? n % 16 : -128);
            }
    return a;
}

constexpr Zickzack_Auswahl k_zz_auswahl = Auswahl_Bauen();

}  // namespace

uint64_t Jpeg_Zickzack_Maske_SSSE3(const int16_t* block) {
    const __m128i null = _mm_setzero_si128();
    __m128i n[4];
    for (int i = 0; i < 4; ++i) {
        __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i));
        __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i + 8));
        // 0xFF for a zero coefficient
        n[i] = _mm_packs_epi16(_mm_cmpeq_epi16(a0, null), _mm_cmpeq_epi16(a1, null));
    }
    uint64_t null_maske = 0;
    for (int j = 0; j < 4; ++j) {
        __m128i z = _mm_setzero_si128();
        for (int i = 0; i < 4; ++i)
            z = _mm_or_si128(
                z, _mm_shuffle_epi8(n[i], _mm_load_si128(reinterpret_cast<const __m128i*>(k_zz_auswahl.m[j][i]))));
        null_maske |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(z))) << (16 * j);
    }
    return ~null_maske;
}

#if defined(__clang__)
#pragma clang attribute pop
#endif
