// The body of the AVX2 forms of the encoder's three-byte colour kernels,
// compiled twice: with AVX2 alone (enc_farbe_avx2.cpp) and with the
// accumulating multiply-add of AVX-512 VNNI on 256-bit vectors
// (enc_farbe_vnni.cpp, ENC_FARBE_VNNI 1). Included after the form's target
// pragma: everything is in an unnamed namespace.
//
// Byte shuffles spread four pixels of each 128-bit half into two vectors of
// 32-bit pairs of words, [R G] and [B 64]; a multiply-add of each with a
// pair of weights and one addition give a pixel's weighted sum, exactly the
// generic kernels' integer sum:
//   Y  = (4899 R + 9617 G) + (1868 B - 32640 * 64)          >> 14
//      (the constant rounds and takes 128 off: 8192 - 128 * 16384)
//   Cb = (-2765 R - 5427 G) + (8192 B + 128 * 64 n)          >> (14 + log2 n)
//   Cr = (8192 R - 6860 G) + (-1332 B + 128 * 64 n)          >> (14 + log2 n)
// The accumulating form takes pairs [B 0] and starts each sum from the
// constant instead. Down-sampled chroma adds the pairs before the weights:
// rows add word by word, and horizontal neighbours by adding the 32-bit
// pairs, whose low words never carry (a group's sums stay below 2^16); the
// constant word then holds 64 n.
#pragma once

#include <immintrin.h>

#include <cstdint>

#ifndef ENC_FARBE_VNNI
#define ENC_FARBE_VNNI 0
#endif

namespace {

// A pair of weights for the words [lo hi] of every 32-bit element.
inline __m256i Gewichte(int16_t lo, int16_t hi) {
    return _mm256_set1_epi32(
        static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(hi)) << 16) | static_cast<uint16_t>(lo)));
}

// Shuffle of the four pixels starting at byte o0 (low half) and o1 (high
// half) into 32-bit pairs of words: [byte a, byte b] of each pixel, or
// [byte a, 0] when b < 0.
struct Maske {
    alignas(32) char m[32];
    constexpr Maske(int o0, int o1, int a, int b) : m{} {
        for (int h = 0; h < 2; ++h)
            for (int i = 0; i < 4; ++i) {
                const int o = (h ? o1 : o0) + 3 * i;
                char* z = m + 16 * h + 4 * i;
                z[0] = static_cast<char>(o + a);
                z[1] = static_cast<char>(0x80);
                z[2] = b >= 0 ? static_cast<char>(o + b) : static_cast<char>(0x80);
                z[3] = static_cast<char>(0x80);
            }
    }
    __m256i Laden() const { return _mm256_load_si256(reinterpret_cast<const __m256i*>(m)); }
};

// Sixteen bytes from a (low half) and b (high half).
inline __m256i Laden(const uint8_t* a, const uint8_t* b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
}

// The weights of a sum: for the pairs [R G] and [B c], and the constant
// that stands for c where the pairs carry 0 (the accumulating form).
struct Gewicht_Satz {
    __m256i rg, bc, c;
};

// Luminance: the constant rounds and takes 128 off; chroma of groups of n
// pixels: it rounds.
inline Gewicht_Satz Satz_Y() { return {Gewichte(4899, 9617), Gewichte(1868, -32640), _mm256_set1_epi32(-32640 * 64)}; }
inline Gewicht_Satz Satz_Cb(int n) {
    return {Gewichte(-2765, -5427), Gewichte(8192, 128), _mm256_set1_epi32(8192 * n)};
}
inline Gewicht_Satz Satz_Cr(int n) {
    return {Gewichte(8192, -6860), Gewichte(-1332, 128), _mm256_set1_epi32(8192 * n)};
}

// The weighted sums of eight pairs, shifted by SH.
template <int SH>
inline __m256i Summe(__m256i rg, __m256i bc, const Gewicht_Satz& k) {
#if ENC_FARBE_VNNI
    return _mm256_srai_epi32(_mm256_dpwssd_epi32(_mm256_dpwssd_epi32(k.c, rg, k.rg), bc, k.bc), SH);
#else
    return _mm256_srai_epi32(_mm256_add_epi32(_mm256_madd_epi16(rg, k.rg), _mm256_madd_epi16(bc, k.bc)), SH);
#endif
}

// The shuffles of a form: BGR swaps R and B. The second load of each step
// has its first pixel O2 bytes into the low half and four bytes into the
// high half, so that no load reaches past a row's end.
template <bool BGR, int O2>
struct Zerleger {
    static constexpr int R = BGR ? 2 : 0, B = BGR ? 0 : 2;
    static constexpr Maske RG0{0, 0, R, 1}, B0{0, 0, B, -1}, RG1{O2, 4, R, 1}, B1{O2, 4, B, -1};
    __m256i rg0, b0, rg1, b1, konstante;
    Zerleger() {
        rg0 = RG0.Laden();
        b0 = B0.Laden();
        rg1 = RG1.Laden();
        b1 = B1.Laden();
        konstante = _mm256_set1_epi32(ENC_FARBE_VNNI ? 0 : 64 << 16);
    }
    // Pixels of v into pairs [R G] and [B 64] ([B 0] in the accumulating
    // form).
    __m256i Konstante(__m256i bc) const { return ENC_FARBE_VNNI ? bc : _mm256_or_si256(bc, konstante); }
    void Erste(__m256i v, __m256i& rg, __m256i& bc) const {
        rg = _mm256_shuffle_epi8(v, rg0);
        bc = Konstante(_mm256_shuffle_epi8(v, b0));
    }
    void Zweite(__m256i v, __m256i& rg, __m256i& bc) const {
        rg = _mm256_shuffle_epi8(v, rg1);
        bc = Konstante(_mm256_shuffle_epi8(v, b1));
    }
};

// One sample (the weights k) of eight plus eight pixels, packed in the order
// lo then hi in each 128-bit half.
inline __m256i Summe16(__m256i rg_lo, __m256i bc_lo, __m256i rg_hi, __m256i bc_hi, const Gewicht_Satz& k) {
    return _mm256_packs_epi32(Summe<14>(rg_lo, bc_lo, k), Summe<14>(rg_hi, bc_hi, k));
}

inline void Speichern(int16_t* z, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(z), v); }

inline void Haelften_Speichern(int16_t* lo, int16_t* hi, __m256i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(lo), _mm256_castsi256_si128(v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(hi), _mm256_extracti128_si256(v, 1));
}

// 4:4:4: two rows of eight pixels at a time, one row in each half.
template <bool BGR>
void Kern_111(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr) {
    const Zerleger<BGR, 4> z;
    const Gewicht_Satz ky = Satz_Y(), kb = Satz_Cb(1), kr = Satz_Cr(1);
#pragma GCC unroll 4
    for (int zy = 0; zy < 8; zy += 2) {
        const uint8_t* q0 = p + zy * st;
        const uint8_t* q1 = q0 + st;
        __m256i rg_a, bc_a, rg_b, bc_b;
        z.Erste(Laden(q0, q1), rg_a, bc_a);           // pixels 0..3 of both rows
        z.Zweite(Laden(q0 + 8, q1 + 8), rg_b, bc_b);  // pixels 4..7
        Speichern(y + zy * 8, Summe16(rg_a, bc_a, rg_b, bc_b, ky));
        Speichern(cb + zy * 8, Summe16(rg_a, bc_a, rg_b, bc_b, kb));
        Speichern(cr + zy * 8, Summe16(rg_a, bc_a, rg_b, bc_b, kr));
    }
}

// One row of sixteen pixels: pairs of pixels 0..3 | 8..11 and 4..7 | 12..15.
template <bool BGR>
inline void Zeile16(const Zerleger<BGR, 0>& z, const uint8_t* q, __m256i& rg_a, __m256i& bc_a, __m256i& rg_b,
                    __m256i& bc_b) {
    z.Erste(Laden(q, q + 24), rg_a, bc_a);
    z.Zweite(Laden(q + 12, q + 32), rg_b, bc_b);
}

// Eight chroma groups from the pairs of pixels 0..3 | 8..11 and 4..7 |
// 12..15 summed over the group's rows: neighbours added, weighted, shifted;
// Cb and Cr stored.
template <int SH>
inline void Chroma8(__m256i rg_a, __m256i bc_a, __m256i rg_b, __m256i bc_b, const Gewicht_Satz& kb,
                    const Gewicht_Satz& kr, int16_t* cb, int16_t* cr) {
    // Groups 0 1 2 3 | 4 5 6 7.
    const __m256i rg = _mm256_hadd_epi32(rg_a, rg_b), bc = _mm256_hadd_epi32(bc_a, bc_b);
    const __m256i v = _mm256_packs_epi32(Summe<SH>(rg, bc, kb), Summe<SH>(rg, bc, kr));
    // [Cb 0..3 Cr 0..3 | Cb 4..7 Cr 4..7] -> [Cb 0..7 | Cr 0..7]
    Haelften_Speichern(cb, cr, _mm256_permute4x64_epi64(v, 0xD8));
}

// 4:2:2 (VF 1) and 4:2:0 (VF 2): MCUs of sixteen pixels across.
template <bool BGR, int VF>
void Kern_2(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr) {
    const Zerleger<BGR, 0> z;
    const Gewicht_Satz ky = Satz_Y(), kb = Satz_Cb(2 * VF), kr = Satz_Cr(2 * VF);
#pragma GCC unroll 8
    for (int cy = 0; cy < 8; ++cy) {
        __m256i rg_a, bc_a, rg_b, bc_b;
        const uint8_t* q = p + cy * VF * st;
        Zeile16(z, q, rg_a, bc_a, rg_b, bc_b);
        // Pixel row zy of the MCU: blocks (zy / 8) * 2 and the next one.
        int zy = cy * VF;
        int16_t* blk = y + (zy >> 3) * 128 + (zy & 7) * 8;
        Haelften_Speichern(blk, blk + 64, Summe16(rg_a, bc_a, rg_b, bc_b, ky));
        if (VF == 2) {
            __m256i rg_c, bc_c, rg_d, bc_d;
            Zeile16(z, q + st, rg_c, bc_c, rg_d, bc_d);
            ++zy;
            blk = y + (zy >> 3) * 128 + (zy & 7) * 8;
            Haelften_Speichern(blk, blk + 64, Summe16(rg_c, bc_c, rg_d, bc_d, ky));
            rg_a = _mm256_add_epi16(rg_a, rg_c);
            bc_a = _mm256_add_epi16(bc_a, bc_c);
            rg_b = _mm256_add_epi16(rg_b, rg_d);
            bc_b = _mm256_add_epi16(bc_b, bc_d);
        }
        Chroma8<VF == 2 ? 16 : 15>(rg_a, bc_a, rg_b, bc_b, kb, kr, cb + cy * 8, cr + cy * 8);
    }
}

template <bool BGR, int HF, int VF>
void Kern3(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr) {
    if constexpr (HF == 1) Kern_111<BGR>(p, st, y, cb, cr);
    else Kern_2<BGR, VF>(p, st, y, cb, cr);
}

}  // namespace
