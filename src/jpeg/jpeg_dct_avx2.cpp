// Forward DCTs, AVX2 form (the accurate one, and the fast one fused with its
// quantiser): two blocks at once, one in each 128-bit half of every
// register. All instructions work within their half, so each block runs
// through exactly the lane arithmetic of the SSE2 form (accurate: saturating
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
#include "jpeg/jpeg_dct_paar.h"

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
    paar_quant_praezise(aus, qa, qb);
    paar_speichern(a, b, aus);
}

void Jpeg_FDCT_Quant_Schnell_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb) {
    V x[8];
    for (int i = 0; i < 8; ++i) x[i] = paar_laden(a + 8 * i, b + 8 * i);
    jpeg_avx2::transponieren(x);  // x[i]: column i, lanes = rows
    aan_vorwaerts<O256>(x);       // row pass
    jpeg_avx2::transponieren(x);  // x[i]: row i, lanes = columns
    aan_vorwaerts<O256>(x);       // column pass
    // The fast quantiser's lanes (Jpeg_Quant_Schnell_MMX): clamped to
    // -8192..8191 by the saturating sequence, then (hi((4c) * m) + 1) >> 1.
    const V k32768 = _mm256_set1_epi16(int16_t(0x8000));
    const V k24576 = _mm256_set1_epi16(24576);
    const V k49152 = _mm256_set1_epi16(int16_t(49152 - 65536));
    const V k57344 = _mm256_set1_epi16(int16_t(57344 - 65536));
    const V eins = _mm256_set1_epi16(1);
    for (int i = 0; i < 8; ++i) {
        V c = _mm256_add_epi16(x[i], k32768);
        c = _mm256_adds_epu16(c, k24576);
        c = _mm256_subs_epu16(c, k49152);
        c = _mm256_add_epi16(c, k57344);
        c = _mm256_mulhi_epi16(_mm256_slli_epi16(c, 2), paar_laden(qa + 8 * i, qb + 8 * i));
        x[i] = _mm256_srai_epi16(_mm256_add_epi16(c, eins), 1);
    }
    paar_speichern(a, b, x);
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

void Jpeg_FDCT_Quant_Schnell_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb) {
    Jpeg_FDCT_Schnell(a);
    Jpeg_FDCT_Schnell(b);
    Jpeg_Quant_Schnell(a, qa);
    Jpeg_Quant_Schnell(b, qb);
}
#endif
