// AVX2 forms of the encoder's three-byte colour kernels, chosen at
// initialisation when the processor has AVX2 (the body in enc_farbe_avx2.h).
#include "jpeg/enc_intern.h"

#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC target("avx2")
#endif

#include "jpeg/enc_farbe_avx2.h"
#include "jpeg/enc_farbe_simd.h"

ENC_DREI_BYTE_KERNE(AVX2, Kern3)

#if defined(__clang__)
#pragma clang attribute pop
#endif
