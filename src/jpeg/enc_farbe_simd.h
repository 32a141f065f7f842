// The body shared by the 128-bit three-byte colour kernels (SSE2 and SSSE3
// forms). The forms differ only in how a row of pixels is spread into 16-bit
// words [c0 c1 c2 1 | c0 c1 c2 1] and how two multiply-adds are summed
// across; each passes that step as its loader L:
//   L::template Zeile_Laden<HF>(q, px)  row of 8*HF pixels -> pairs px[0..4HF)
//   L::template Summe<SH>(a, b, k)      four weighted sums, shifted by SH
// Included after the form's target pragma: everything is in an unnamed
// namespace, so each file compiles its own copy for its instruction set.
#pragma once

#include <emmintrin.h>

#include <cstdint>

namespace {

inline __m128i Enc_K4(int16_t a, int16_t b, int16_t c, int16_t d) { return _mm_setr_epi16(a, b, c, d, a, b, c, d); }

inline void Enc_Speichern(int16_t* ziel, __m128i lo, __m128i hi) {
    _mm_store_si128(reinterpret_cast<__m128i*>(ziel), _mm_packs_epi32(lo, hi));
}

// Luminance: 128 taken off after the rounded shift.
inline void Enc_Speichern_Y(int16_t* ziel, __m128i lo, __m128i hi) {
    _mm_store_si128(reinterpret_cast<__m128i*>(ziel), _mm_sub_epi16(_mm_packs_epi32(lo, hi), _mm_set1_epi16(128)));
}

// Pairs of horizontally neighbouring pixels summed: from the pixels 0..3
// in (p01, p23) -> [p0 + p1 | p2 + p3].
inline __m128i Enc_Paare(__m128i p01, __m128i p23) {
    return _mm_add_epi16(_mm_unpacklo_epi64(p01, p23), _mm_unpackhi_epi64(p01, p23));
}

// One MCU of 8HF x 8VF pixels: HF*VF luminance blocks, chroma summed over
// groups of HF x VF pixels (the constant word carries the group's size).
template <class L, bool BGR, int HF, int VF>
void Enc_Kern3(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr) {
    // 14-bit weights; the constant word rounds (128 is taken from Y after).
    const __m128i ky = BGR ? Enc_K4(1868, 9617, 4899, 8192) : Enc_K4(4899, 9617, 1868, 8192);
    const __m128i kb = BGR ? Enc_K4(8192, -5427, -2765, 8192) : Enc_K4(-2765, -5427, 8192, 8192);
    const __m128i kr = BGR ? Enc_K4(-1332, -6860, 8192, 8192) : Enc_K4(8192, -6860, -1332, 8192);
    constexpr int SH = 14 + (HF * VF == 4 ? 2 : HF * VF == 2 ? 1 : 0);
    __m128i summe[4] = {_mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128()};
    for (int zy = 0; zy < 8 * VF; ++zy) {
        __m128i px[4 * HF];
        L::template Zeile_Laden<HF>(p + zy * st, px);
        for (int b = 0; b < HF; ++b)
            Enc_Speichern_Y(y + ((zy >> 3) * HF + b) * 64 + (zy & 7) * 8,
                            L::template Summe<14>(px[4 * b], px[4 * b + 1], ky),
                            L::template Summe<14>(px[4 * b + 2], px[4 * b + 3], ky));
        if (HF == 1) {
            Enc_Speichern(cb + zy * 8, L::template Summe<14>(px[0], px[1], kb),
                          L::template Summe<14>(px[2], px[3], kb));
            Enc_Speichern(cr + zy * 8, L::template Summe<14>(px[0], px[1], kr),
                          L::template Summe<14>(px[2], px[3], kr));
            continue;
        }
        for (int g = 0; g < 4; ++g) {
            __m128i s = Enc_Paare(px[2 * g], px[2 * g + 1]);
            summe[g] = (VF == 2 && (zy & 1)) ? _mm_add_epi16(summe[g], s) : s;
        }
        if (VF == 2 && !(zy & 1)) continue;
        int cy = VF == 2 ? zy >> 1 : zy;
        Enc_Speichern(cb + cy * 8, L::template Summe<SH>(summe[0], summe[1], kb),
                      L::template Summe<SH>(summe[2], summe[3], kb));
        Enc_Speichern(cr + cy * 8, L::template Summe<SH>(summe[0], summe[1], kr),
                      L::template Summe<SH>(summe[2], summe[3], kr));
    }
}

}  // namespace

// Defines the six three-byte entry points Jpeg_Kod_{RGB,BGR}_{111,422,411}_<FORM>
// of a form whose kernel template is KERN<BGR, HF, VF>.
#define ENC_DREI_BYTE_KERNE(FORM, KERN)                                                                          \
    void Jpeg_Kod_RGB_111_##FORM(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) { \
        KERN<false, 1, 1>(p, st, y, cb, cr);                                                                     \
    }                                                                                                            \
    void Jpeg_Kod_BGR_111_##FORM(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) { \
        KERN<true, 1, 1>(p, st, y, cb, cr);                                                                      \
    }                                                                                                            \
    void Jpeg_Kod_RGB_422_##FORM(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) { \
        KERN<false, 2, 1>(p, st, y, cb, cr);                                                                     \
    }                                                                                                            \
    void Jpeg_Kod_BGR_422_##FORM(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) { \
        KERN<true, 2, 1>(p, st, y, cb, cr);                                                                      \
    }                                                                                                            \
    void Jpeg_Kod_RGB_411_##FORM(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) { \
        KERN<false, 2, 2>(p, st, y, cb, cr);                                                                     \
    }                                                                                                            \
    void Jpeg_Kod_BGR_411_##FORM(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) { \
        KERN<true, 2, 2>(p, st, y, cb, cr);                                                                      \
    }
