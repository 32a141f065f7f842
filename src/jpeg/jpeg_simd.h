// Helpers of the SIMD kernels: eight 16-bit lanes per SSE2 register, every
// x86-64 processor has them. Without SSE2 JPEG_SIMD is 0 and the processor
// codes that need these kernels are never chosen.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#define JPEG_SIMD 1
#else
#define JPEG_SIMD 0
#endif

#if JPEG_SIMD

namespace jpeg_simd {

inline __m128i laden(const int16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline __m128i laden_a(const int16_t* p) { return _mm_load_si128(reinterpret_cast<const __m128i*>(p)); }
inline void speichern(int16_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline void speichern_a(int16_t* p, __m128i v) { _mm_store_si128(reinterpret_cast<__m128i*>(p), v); }

// True when the addresses are 16-byte aligned: the kernels then take their
// aligned loads and stores.
inline bool ausgerichtet(const void* a, const void* b = nullptr) {
    return ((reinterpret_cast<uintptr_t>(a) | reinterpret_cast<uintptr_t>(b)) & 15) == 0;
}

// Transposes eight rows of eight 16-bit values in place.
inline void transponieren(__m128i r[8]) {
    const __m128i a0 = _mm_unpacklo_epi16(r[0], r[1]);
    const __m128i a1 = _mm_unpackhi_epi16(r[0], r[1]);
    const __m128i a2 = _mm_unpacklo_epi16(r[2], r[3]);
    const __m128i a3 = _mm_unpackhi_epi16(r[2], r[3]);
    const __m128i a4 = _mm_unpacklo_epi16(r[4], r[5]);
    const __m128i a5 = _mm_unpackhi_epi16(r[4], r[5]);
    const __m128i a6 = _mm_unpacklo_epi16(r[6], r[7]);
    const __m128i a7 = _mm_unpackhi_epi16(r[6], r[7]);

    const __m128i b0 = _mm_unpacklo_epi32(a0, a2);
    const __m128i b1 = _mm_unpackhi_epi32(a0, a2);
    const __m128i b2 = _mm_unpacklo_epi32(a1, a3);
    const __m128i b3 = _mm_unpackhi_epi32(a1, a3);
    const __m128i b4 = _mm_unpacklo_epi32(a4, a6);
    const __m128i b5 = _mm_unpackhi_epi32(a4, a6);
    const __m128i b6 = _mm_unpacklo_epi32(a5, a7);
    const __m128i b7 = _mm_unpackhi_epi32(a5, a7);

    r[0] = _mm_unpacklo_epi64(b0, b4);
    r[1] = _mm_unpackhi_epi64(b0, b4);
    r[2] = _mm_unpacklo_epi64(b1, b5);
    r[3] = _mm_unpackhi_epi64(b1, b5);
    r[4] = _mm_unpacklo_epi64(b2, b6);
    r[5] = _mm_unpackhi_epi64(b2, b6);
    r[6] = _mm_unpacklo_epi64(b3, b7);
    r[7] = _mm_unpackhi_epi64(b3, b7);
}

}  // namespace jpeg_simd

#endif

// round(16384 * f(k) * c(u) * cos((2n + 1) u pi / 16)) with c(0) = 1,
// c(u) = sqrt(2) otherwise, and f(k) = 1, g(1), g(2), g(3) for the four
// row classes (g(k) = sqrt(2) cos(k pi / 16)). Index [klasse][n][u].
extern const int16_t Jpeg_DCT_Matrix[4][8][8];
// Row class of block row k: 0 for rows 0 and 4, 1 for 1 and 7, 2 for 2 and
// 6, 3 for 3 and 5.
inline constexpr int Jpeg_DCT_Zeilenklasse[8] = {0, 1, 2, 3, 0, 3, 2, 1};

// Whether the processor runs AVX2 (asked once).
bool Jpeg_Hat_AVX2();
// The accurate forward DCT of the SSE2 form on two blocks at once (AVX2;
// call only when Jpeg_Hat_AVX2()): each block gets exactly the coefficients
// Jpeg_FDCT_Genau_SSE2 gives it. The blocks may lie anywhere, not overlapping.
void Jpeg_FDCT_Genau_AVX2_Paar(int16_t* a, int16_t* b);
// The same followed by the accurate quantiser of the SIMD forms, block a
// with table qa, b with qb (tables as Jpeg_Qtab_Genau prepares them).
void Jpeg_FDCT_Quant_Genau_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb);
// The same pair for the precise quantiser: eight times the coefficients,
// divided exactly (Jpeg_Quant_Praezise).
void Jpeg_FDCT_Praezise_AVX2_Paar(int16_t* a, int16_t* b);
void Jpeg_FDCT_Quant_Praezise_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb);
// The fast transform and quantiser on two blocks at once (AVX2): exactly
// what Jpeg_FDCT_Schnell_MMX and Jpeg_Quant_Schnell_MMX give each block
// (tables as Jpeg_Qtab_Schnell prepares them).
void Jpeg_FDCT_Quant_Schnell_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb);
// Whether the processor runs the VNNI multiply-add on 256-bit registers
// (AVX-512 F, BW, VL and VNNI with the system saving their state; asked
// once).
bool Jpeg_Hat_VNNI();
// The precise pair with the VNNI multiply-add (call only when
// Jpeg_Hat_VNNI()): the same coefficients as the AVX2 pair.
void Jpeg_FDCT_Praezise_VNNI_Paar(int16_t* a, int16_t* b);
void Jpeg_FDCT_Quant_Praezise_VNNI_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb);
