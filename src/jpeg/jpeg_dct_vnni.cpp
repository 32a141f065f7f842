// The precise forward DCT on two blocks with the VNNI multiply-add: the
// AVX2 form (jpeg_dct_avx2.cpp) with each multiply-add and the sum after it
// in one instruction on 256-bit registers. The 32-bit sums wrap alike, so
// every coefficient equals the AVX2 form's. Chosen by the encoder only when
// the processor has it (Jpeg_Hat_VNNI).
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"

#if JPEG_SIMD

#include <immintrin.h>

// As in jpeg_dct_avx2.cpp, everything below is compiled for the wider
// instruction set and nothing from the headers above is instantiated here.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,avx512f,avx512vl,avx512bw,avx512vnni"))), \
                             apply_to = function)
#else
#pragma GCC target("avx2,avx512f,avx512vl,avx512bw,avx512vnni")
#endif

#include "jpeg/jpeg_avx2.h"
#include "jpeg/jpeg_dct_genau.h"
#include "jpeg/jpeg_dct_paar.h"

namespace {

struct O256_VNNI : O256 {
    static V madd_add(V acc, V a, V b) { return _mm256_dpwssd_epi32(acc, a, b); }
};

}  // namespace

void Jpeg_FDCT_Praezise_VNNI_Paar(int16_t* a, int16_t* b) {
    V aus[8];
    paar_rechnen<true, O256_VNNI>(a, b, aus);
    paar_speichern(a, b, aus);
}

void Jpeg_FDCT_Quant_Praezise_VNNI_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb) {
    V aus[8];
    paar_rechnen<true, O256_VNNI>(a, b, aus);
    paar_quant_praezise(aus, qa, qb);
    paar_speichern(a, b, aus);
}

#if defined(__clang__)
#pragma clang attribute pop
#endif

#else  // without SSE2 the encoder never asks for this form

void Jpeg_FDCT_Praezise_VNNI_Paar(int16_t* a, int16_t* b) { Jpeg_FDCT_Praezise_AVX2_Paar(a, b); }

void Jpeg_FDCT_Quant_Praezise_VNNI_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb) {
    Jpeg_FDCT_Quant_Praezise_AVX2_Paar(a, b, qa, qb);
}
#endif
