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

// ---------------------------------------------------------------------------
// Grey from three-byte pixels, two rows at a time (one in each 128-bit
// half): the lanes of the SSSE3 form (Jpeg_Kod_Grau_Drei_SSSE3), so the same
// values, (77 R + 150 G + 29 B - 32640) >> 8. Each row's bytes 0..15 and
// 8..23 are loaded (no byte past the row's 24); a byte shuffle widens four
// pixels into words [R G] and [B 1], two multiply-adds give the sums.

namespace {

// The byte selection of four pixels from byte o of each half: [a, b] of
// each pixel as words ([a, 0] when b < 0).
struct Grau_Maske {
    alignas(32) char m[32];
    constexpr Grau_Maske(int o, int a, int b) : m{} {
        for (int h = 0; h < 2; ++h)
            for (int i = 0; i < 4; ++i) {
                char* z = m + 16 * h + 4 * i;
                z[0] = static_cast<char>(o + 3 * i + a);
                z[1] = static_cast<char>(0x80);
                z[2] = b < 0 ? static_cast<char>(0x80) : static_cast<char>(o + 3 * i + b);
                z[3] = static_cast<char>(0x80);
            }
    }
    __m256i Laden() const { return _mm256_load_si256(reinterpret_cast<const __m256i*>(m)); }
};

// [RGB, BGR]: pixels 0..3 from byte 0 of the first load, 4..7 from byte 4
// of the second.
constexpr Grau_Maske k_rg0[2] = {{0, 0, 1}, {0, 2, 1}}, k_b0[2] = {{0, 2, -1}, {0, 0, -1}};
constexpr Grau_Maske k_rg4[2] = {{4, 0, 1}, {4, 2, 1}}, k_b4[2] = {{4, 2, -1}, {4, 0, -1}};

inline __m256i Zwei_Zeilen(const uint8_t* a, const uint8_t* b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
}

}  // namespace

void Jpeg_Kod_Grau_Drei_AVX2(const uint8_t* p, int64_t st, int16_t* y, bool bgr) {
    const int f = bgr ? 1 : 0;
    const __m256i rg0 = k_rg0[f].Laden(), b0 = k_b0[f].Laden(), rg4 = k_rg4[f].Laden(), b4 = k_b4[f].Laden();
    const __m256i eins = _mm256_set1_epi32(1 << 16);
    const __m256i k_rg = _mm256_set1_epi32((150 << 16) | 77);
    const __m256i k_b = _mm256_set1_epi32(static_cast<int32_t>((static_cast<uint32_t>(-32640) << 16) | 29u));
    for (int r = 0; r < 8; r += 2) {
        const uint8_t* q0 = p + r * st;
        const uint8_t* q1 = q0 + st;
        const __m256i v0 = Zwei_Zeilen(q0, q1), v1 = Zwei_Zeilen(q0 + 8, q1 + 8);
        const __m256i s0 = _mm256_add_epi32(_mm256_madd_epi16(_mm256_shuffle_epi8(v0, rg0), k_rg),
                                            _mm256_madd_epi16(_mm256_or_si256(_mm256_shuffle_epi8(v0, b0), eins), k_b));
        const __m256i s1 = _mm256_add_epi32(_mm256_madd_epi16(_mm256_shuffle_epi8(v1, rg4), k_rg),
                                            _mm256_madd_epi16(_mm256_or_si256(_mm256_shuffle_epi8(v1, b4), eins), k_b));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(y + 8 * r),
                            _mm256_packs_epi32(_mm256_srai_epi32(s0, 8), _mm256_srai_epi32(s1, 8)));
    }
}

#if defined(__clang__)
#pragma clang attribute pop
#endif
