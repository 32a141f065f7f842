// The two-block helpers of the AVX2 forward DCT (one block in each 128-bit
// half of every register), shared by the AVX2 form (jpeg_dct_avx2.cpp) and
// the form with the VNNI multiply-add (jpeg_dct_vnni.cpp). Include this only
// after the file has switched its code to its instruction set (its target
// pragma) and after jpeg_avx2.h and jpeg_dct_genau.h: everything here lives
// in an unnamed namespace, so each file compiles its own copy.
#pragma once

#include <immintrin.h>

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
    static V madd_add(V acc, V a, V b) { return _mm256_add_epi32(acc, _mm256_madd_epi16(a, b)); }
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
template <bool Praezise = false, class O = O256>
inline void paar_rechnen(const int16_t* a, const int16_t* b, V aus[8]) {
    V x[8];
    for (int i = 0; i < 8; ++i)
        x[i] = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 8 * i))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 8 * i)), 1);
    if (Praezise) DCT_Genau<O>::praezise(x, aus);
    else DCT_Genau<O>::rechnen(x, aus);
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

// The precise quantiser's lanes (Jpeg_Quant_Praezise) on both blocks: the
// size (-32768 stays 0x8000, as an unsigned 32768), and the sign back by the
// coefficient with its lowest bit set: negative stays negative, 0 counts as
// positive.
inline void paar_quant_praezise(V aus[8], const int16_t* qa, const int16_t* qb) {
    const int16_t* ta = qa + JPEG_QTAB_PRAEZISE;
    const int16_t* tb = qb + JPEG_QTAB_PRAEZISE;
    const V eins = _mm256_set1_epi16(1);
    for (int i = 0; i < 8; ++i) {
        V x = _mm256_abs_epi16(aus[i]);
        x = _mm256_add_epi16(x, paar_laden(ta + 8 * i, tb + 8 * i));
        x = _mm256_mulhi_epu16(x, paar_laden(ta + 64 + 8 * i, tb + 64 + 8 * i));
        x = _mm256_mulhi_epu16(x, paar_laden(ta + 128 + 8 * i, tb + 128 + 8 * i));
        aus[i] = _mm256_sign_epi16(x, _mm256_or_si256(aus[i], eins));
    }
}

}  // namespace
