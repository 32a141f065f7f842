// AVX2 forms of the encoder's three-byte colour kernels, chosen at
// initialisation when the processor has AVX2. Two pixel rows travel side by
// side, one in each 128-bit half, through the arithmetic of the SSSE3 forms
// (byte shuffles into [c0 c1 c2 1] words, multiply-adds, horizontal adds),
// so they give exactly the samples of the generic kernels.
#include "jpeg/enc_intern.h"

#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC target("avx2")
#endif

#include "jpeg/enc_farbe_simd.h"

namespace {

inline __m256i K4(int16_t a, int16_t b, int16_t c, int16_t d) {
    return _mm256_setr_epi16(a, b, c, d, a, b, c, d, a, b, c, d, a, b, c, d);
}

inline __m256i Auswahl(int o) {
    const char z = static_cast<char>(0x80);
    __m128i m =
        _mm_setr_epi8(static_cast<char>(o), z, static_cast<char>(o + 1), z, static_cast<char>(o + 2), z, z, z,
                      static_cast<char>(o + 3), z, static_cast<char>(o + 4), z, static_cast<char>(o + 5), z, z, z);
    return _mm256_broadcastsi128_si256(m);
}

template <int SH>
inline __m256i Summe(__m256i a, __m256i b, __m256i k) {
    return _mm256_srai_epi32(_mm256_hadd_epi32(_mm256_madd_epi16(a, k), _mm256_madd_epi16(b, k)), SH);
}

template <int SH>
inline __m128i Summe128(__m128i a, __m128i b, __m128i k) {
    return _mm_srai_epi32(_mm_hadd_epi32(_mm_madd_epi16(a, k), _mm_madd_epi16(b, k)), SH);
}

inline __m256i Paare(__m256i p01, __m256i p23) {
    return _mm256_add_epi16(_mm256_unpacklo_epi64(p01, p23), _mm256_unpackhi_epi64(p01, p23));
}

// Rows q0 and q1, 8*HF pixels each, as pairs px[i] (row q0 in the low half).
template <int HF>
inline void Zeilen_Laden(const uint8_t* q0, const uint8_t* q1, __m256i* px) {
    const __m256i eins = _mm256_setr_epi16(0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1);
    const __m256i a0 = Auswahl(0), a6 = Auswahl(6), a4 = Auswahl(4), a10 = Auswahl(10);
    auto laden = [&](int off) {
        return _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q0 + off))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(q1 + off)), 1);
    };
    // Windows of 16 bytes that hold whole pixel pairs and end inside the row.
    constexpr int fenster = 2 * HF;
    for (int g = 0; g < fenster; ++g) {
        const bool letztes = g == fenster - 1;
        const int off = letztes ? 24 * HF - 16 : 12 * g;
        __m256i v = laden(off);
        px[2 * g] = _mm256_or_si256(_mm256_shuffle_epi8(v, letztes ? a4 : a0), eins);
        px[2 * g + 1] = _mm256_or_si256(_mm256_shuffle_epi8(v, letztes ? a10 : a6), eins);
    }
}

// Packs and stores sixteen samples, less `minus` (128 for luminance).
inline void Speichern2(int16_t* z0, int16_t* z1, __m256i lo, __m256i hi, int16_t minus = 0) {
    __m256i p = _mm256_sub_epi16(_mm256_packs_epi32(lo, hi), _mm256_set1_epi16(minus));
    _mm_store_si128(reinterpret_cast<__m128i*>(z0), _mm256_castsi256_si128(p));
    _mm_store_si128(reinterpret_cast<__m128i*>(z1), _mm256_extracti128_si256(p, 1));
}

template <bool BGR, int HF, int VF>
void Kern3(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr) {
    // 14-bit weights; the constant word rounds (128 is taken from Y after).
    const __m256i ky = BGR ? K4(1868, 9617, 4899, 8192) : K4(4899, 9617, 1868, 8192);
    const __m256i kb = BGR ? K4(8192, -5427, -2765, 8192) : K4(-2765, -5427, 8192, 8192);
    const __m256i kr = BGR ? K4(-1332, -6860, 8192, 8192) : K4(8192, -6860, -1332, 8192);
    for (int zy = 0; zy < 8 * VF; zy += 2) {
        __m256i px[4 * HF];
        Zeilen_Laden<HF>(p + zy * st, p + (zy + 1) * st, px);
        for (int b = 0; b < HF; ++b) {
            int16_t* blk = y + ((zy >> 3) * HF + b) * 64 + (zy & 7) * 8;
            Speichern2(blk, blk + 8, Summe<14>(px[4 * b], px[4 * b + 1], ky),
                       Summe<14>(px[4 * b + 2], px[4 * b + 3], ky), 128);
        }
        if (HF == 1) {
            Speichern2(cb + zy * 8, cb + zy * 8 + 8, Summe<14>(px[0], px[1], kb), Summe<14>(px[2], px[3], kb));
            Speichern2(cr + zy * 8, cr + zy * 8 + 8, Summe<14>(px[0], px[1], kr), Summe<14>(px[2], px[3], kr));
            continue;
        }
        __m256i s[4];
        for (int g = 0; g < 4; ++g) s[g] = Paare(px[2 * g], px[2 * g + 1]);
        if (VF == 1) {
            Speichern2(cb + zy * 8, cb + zy * 8 + 8, Summe<15>(s[0], s[1], kb), Summe<15>(s[2], s[3], kb));
            Speichern2(cr + zy * 8, cr + zy * 8 + 8, Summe<15>(s[0], s[1], kr), Summe<15>(s[2], s[3], kr));
            continue;
        }
        // 2x2 groups: the two rows' pair sums added.
        __m128i v[4];
        for (int g = 0; g < 4; ++g)
            v[g] = _mm_add_epi16(_mm256_castsi256_si128(s[g]), _mm256_extracti128_si256(s[g], 1));
        const int cy = zy >> 1;
        const __m128i kb1 = _mm256_castsi256_si128(kb), kr1 = _mm256_castsi256_si128(kr);
        _mm_store_si128(reinterpret_cast<__m128i*>(cb + cy * 8),
                        _mm_packs_epi32(Summe128<16>(v[0], v[1], kb1), Summe128<16>(v[2], v[3], kb1)));
        _mm_store_si128(reinterpret_cast<__m128i*>(cr + cy * 8),
                        _mm_packs_epi32(Summe128<16>(v[0], v[1], kr1), Summe128<16>(v[2], v[3], kr1)));
    }
}

}  // namespace

ENC_DREI_BYTE_KERNE(AVX2, Kern3)

#if defined(__clang__)
#pragma clang attribute pop
#endif
