// The decoder's own entry points into the inverse transform: the accurate
// inverse DCT of the SIMD forms with its samples written as bytes straight
// into the rows of the caller (the decoder's strips), one block at a time
// (SSE2) or two at once (AVX2). Both give exactly the samples of
// Jpeg_IDCT_Genau_SSE2 followed by the byte store.
#pragma once

#include <cstdint>

// Eight rows of eight samples into ziel, ziel + abstand, ... (coefficients
// dequantised, natural order; the block is only read).
void Jpeg_IDCT_Genau_SSE2_Bytes(const int16_t* block, uint8_t* ziel, int64_t abstand);
// The fast inverse DCT of the SIMD form (Jpeg_IDCT_Schnell_MMX) with its
// samples written as bytes: the block holds quantised coefficients in
// natural order, dequantised here as Jpeg_Dequant_Schnell does with the
// prepared table; the samples are exactly those of dequantisation, inverse
// and byte store one after the other; with a null table the block is
// dequantised already. The block is only read.
void Jpeg_IDCT_Schnell_SSE2_Bytes(const int16_t* block, const int16_t* tabelle, uint8_t* ziel, int64_t abstand);
// Blocks a and b into za and zb (rows abstand_a and abstand_b bytes apart).
// Call only when
// Jpeg_Hat_AVX2() is true.
void Jpeg_IDCT_Genau_AVX2_Paar(const int16_t* a, const int16_t* b, uint8_t* za, int64_t abstand_a, uint8_t* zb,
                               int64_t abstand_b);
// The fast form of two blocks at once (qa and qb their prepared tables, or
// both null);
// the samples of Jpeg_IDCT_Schnell_SSE2_Bytes for each. Call only when
// Jpeg_Hat_AVX2() is true.
void Jpeg_IDCT_Schnell_AVX2_Paar(const int16_t* a, const int16_t* qa, const int16_t* b, const int16_t* qb,
                                 uint8_t* za, int64_t abstand_a, uint8_t* zb, int64_t abstand_b);
