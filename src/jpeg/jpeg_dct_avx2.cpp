// Accurate forward DCT, AVX2 form: two blocks at once, one in each 128-bit
// half of every register. All instructions work within their half, so each
// block runs through exactly the lane arithmetic of the SSE2 form (saturating
// column pass, multiply-add row pass, the mirrored row pass when the column
// outputs allow it) and gets identical coefficients. Chosen by the encoder
// only when the processor has AVX2 (Jpeg_Hat_AVX2).
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"

#if JPEG_SIMD

#include <immintrin.h>

// Everything below is compiled for AVX2; nothing from the headers above is
// instantiated here, and the shared arithmetic (jpeg_dct_genau.h) lives in
// an unnamed namespace, so no inline function leaves this file in AVX2 form.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC target("avx2")
#endif

#include "jpeg/jpeg_avx2.h"
#include "jpeg/jpeg_dct_genau.h"

namespace {

using V = __m256i;

// The AVX2 instructions of the accurate form (jpeg_dct_genau.h): each
// works within its 128-bit half.
struct O256 {
    using V = __m256i;
    static V add(V a, V b) { return _mm256_add_epi16(a, b); }
    static V sub(V a, V b) { return _mm256_sub_epi16(a, b); }
    static V adds(V a, V b) { return _mm256_adds_epi16(a, b); }
    static V subs(V a, V b) { return _mm256_subs_epi16(a, b); }
    static V mulhi(V a, V b) { return _mm256_mulhi_epi16(a, b); }
    static V oder(V a, V b) { return _mm256_or_si256(a, b); }
    template <int N>
    static V shl(V a) {
        return _mm256_slli_epi16(a, N);
    }
    static V k16(int v) { return _mm256_set1_epi16(int16_t(v)); }
    static V lo(V a, V b) { return _mm256_unpacklo_epi16(a, b); }
    static V hi(V a, V b) { return _mm256_unpackhi_epi16(a, b); }
    static V madd(V a, V b) { return _mm256_madd_epi16(a, b); }
    static V add32(V a, V b) { return _mm256_add_epi32(a, b); }
    template <int N>
    static V sar32(V a) {
        return _mm256_srai_epi32(a, N);
    }
    static V k32(int v) { return _mm256_set1_epi32(v); }
    static V packs(V a, V b) { return _mm256_packs_epi32(a, b); }
    static bool ohne_hohe(V v) { return (static_cast<uint32_t>(_mm256_movemask_epi8(v)) & 0xAAAAAAAAu) == 0; }
    // The weights of one half for both blocks.
    static V gewicht(int u, int paar, int h) {
        return _mm256_broadcastsi128_si256(
            _mm_load_si128(reinterpret_cast<const __m128i*>(Jpeg_DCT_Gewichte.w[u][paar][h])));
    }
    static V gewicht_p(int u, int paar) {
        return _mm256_broadcastsi128_si256(
            _mm_load_si128(reinterpret_cast<const __m128i*>(Jpeg_DCT_Praezise_Gewichte.w[u][paar])));
    }
    static void transponieren(V r[8]) { jpeg_avx2::transponieren(r); }
};

using V = __m256i;

// Both blocks transformed; aus[i] holds row i of a (low half) and of b.
template <bool Praezise = false>
inline void paar_rechnen(const int16_t* a, const int16_t* b, V aus[8]) {
    V x[8];
    for (int i = 0; i < 8; ++i)
        x[i] = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 8 * i))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 8 * i)), 1);
    if (Praezise) DCT_Genau<O256>::praezise(x, aus);
    else DCT_Genau<O256>::rechnen(x, aus);
}

// Eight words of a in the low half, eight of b in the high half.
inline V paar_laden(const int16_t* a, const int16_t* b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
}

inline void paar_speichern(int16_t* a, int16_t* b, const V aus[8]) {
    for (int i = 0; i < 8; ++i) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(a + 8 * i), _mm256_castsi256_si128(aus[i]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + 8 * i), _mm256_extracti128_si256(aus[i], 1));
    }
}

}  // namespace

void Jpeg_FDCT_Genau_AVX2_Paar(int16_t* a, int16_t* b) {
    V aus[8];
    paar_rechnen(a, b, aus);
    paar_speichern(a, b, aus);
}

void Jpeg_FDCT_Quant_Genau_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb) {
    V aus[8];
    paar_rechnen(a, b, aus);
    // The accurate quantiser's lanes: (hi((8c) * (m >> 1)) + 1) >> 1.
    const V eins = O256::k16(1);
    for (int i = 0; i < 8; ++i) {
        V m = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(qa + 8 * i))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(qb + 8 * i)), 1);
        m = _mm256_srli_epi16(m, 1);
        const V c = _mm256_slli_epi16(aus[i], 3);
        aus[i] = _mm256_srai_epi16(_mm256_add_epi16(_mm256_mulhi_epi16(c, m), eins), 1);
    }
    paar_speichern(a, b, aus);
}

void Jpeg_FDCT_Praezise_AVX2_Paar(int16_t* a, int16_t* b) {
    V aus[8];
    paar_rechnen<true>(a, b, aus);
    paar_speichern(a, b, aus);
}

void Jpeg_FDCT_Quant_Praezise_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb) {
    V aus[8];
    paar_rechnen<true>(a, b, aus);
    // The precise quantiser's lanes (Jpeg_Quant_Praezise).
    const int16_t* ta = qa + JPEG_QTAB_PRAEZISE;
    const int16_t* tb = qb + JPEG_QTAB_PRAEZISE;
    for (int i = 0; i < 8; ++i) {
        const V vz = _mm256_srai_epi16(aus[i], 15);
        V x = _mm256_sub_epi16(_mm256_xor_si256(aus[i], vz), vz);
        x = _mm256_add_epi16(x, paar_laden(ta + 8 * i, tb + 8 * i));
        x = _mm256_mulhi_epu16(x, paar_laden(ta + 64 + 8 * i, tb + 64 + 8 * i));
        x = _mm256_mulhi_epu16(x, paar_laden(ta + 128 + 8 * i, tb + 128 + 8 * i));
        aus[i] = _mm256_sub_epi16(_mm256_xor_si256(x, vz), vz);
    }
    paar_speichern(a, b, aus);
}

#if defined(__clang__)
#pragma clang attribute pop
#endif

#else  // without SSE2 the encoder never asks for this form

void Jpeg_FDCT_Genau_AVX2_Paar(int16_t* a, int16_t* b) {
    Jpeg_FDCT_Genau(a);
    Jpeg_FDCT_Genau(b);
}

void Jpeg_FDCT_Quant_Genau_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb) {
    Jpeg_FDCT_Genau(a);
    Jpeg_FDCT_Genau(b);
    Jpeg_Quant_Genau(a, qa);
    Jpeg_Quant_Genau(b, qb);
}

void Jpeg_FDCT_Praezise_AVX2_Paar(int16_t* a, int16_t* b) {
    Jpeg_FDCT_Praezise(a);
    Jpeg_FDCT_Praezise(b);
}

void Jpeg_FDCT_Quant_Praezise_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb) {
    Jpeg_FDCT_Praezise(a);
    Jpeg_FDCT_Praezise(b);
    Jpeg_Quant_Praezise(a, qa);
    Jpeg_Quant_Praezise(b, qb);
}
#endif
