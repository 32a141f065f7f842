// AVX-512 VNNI forms of the encoder's three-byte colour kernels (on 256-bit
// vectors), chosen at initialisation when the processor has AVX2 and
// AVX-512 VNNI with VL; the body of the AVX2 forms in enc_farbe_avx2.h.
#include "jpeg/enc_intern.h"

#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,avx512f,avx512vl,avx512bw,avx512vnni"))), apply_to = function)
#else
#pragma GCC target("avx2,avx512f,avx512vl,avx512bw,avx512vnni")
#endif

#define ENC_FARBE_VNNI 1
#include "jpeg/enc_farbe_avx2.h"
#include "jpeg/enc_farbe_simd.h"

ENC_DREI_BYTE_KERNE(VNNI, Kern3)

#if defined(__clang__)
#pragma clang attribute pop
#endif
