// SSE2 forms of the encoder's common colour kernels. They give exactly the
// samples of the generic kernels: the same 16-bit coefficients (14-bit
// weights for three-byte pixels, 8-bit for four-byte ones), 32-bit sums of
// products (pmaddwd) and arithmetic shifts.
//
// Three-byte pixels are spread into 32-bit lanes [c0 c1 c2 1] four at a
// time; widened to 16 bits, one multiply-add with [k0 k1 k2 k3] gives
// k0 c0 + k1 c1 and k2 c2 + k3, so the constant term rides in the fourth
// word. Summed groups of n pixels carry n there, which scales the rounding
// constant with the group.
#include "jpeg/enc_farbe_simd.h"
#include "jpeg/enc_intern.h"

#include <emmintrin.h>

namespace {

// Four pixels of three bytes in bytes 0..11 of v -> two vectors of 16-bit
// words [c0 c1 c2 1 | c0 c1 c2 1].
inline void Drei_Spreizen(__m128i v, __m128i& p01, __m128i& p23) {
    const __m128i m0 = _mm_setr_epi32(0x00FFFFFF, 0, 0, 0);
    const __m128i m1 = _mm_setr_epi32(0, 0x00FFFFFF, 0, 0);
    const __m128i m2 = _mm_setr_epi32(0, 0, 0x00FFFFFF, 0);
    const __m128i m3 = _mm_setr_epi32(0, 0, 0, 0x00FFFFFF);
    const __m128i eins = _mm_set1_epi32(0x01000000);
    __m128i t = _mm_and_si128(v, m0);
    t = _mm_or_si128(t, _mm_and_si128(_mm_slli_si128(v, 1), m1));
    t = _mm_or_si128(t, _mm_and_si128(_mm_slli_si128(v, 2), m2));
    t = _mm_or_si128(t, _mm_and_si128(_mm_slli_si128(v, 3), m3));
    t = _mm_or_si128(t, eins);
    const __m128i null = _mm_setzero_si128();
    p01 = _mm_unpacklo_epi8(t, null);
    p23 = _mm_unpackhi_epi8(t, null);
}

// Four pixels of four bytes: colour bytes inverted into [c0 c1 c2 1]; the
// alpha samples (byte 3 - 128) as four 32-bit values.
inline void Vier_Spreizen(__m128i v, __m128i& p01, __m128i& p23, __m128i& alpha) {
    const __m128i farbe = _mm_set1_epi32(0x00FFFFFF);
    const __m128i eins = _mm_set1_epi32(0x01000000);
    alpha = _mm_sub_epi32(_mm_srli_epi32(v, 24), _mm_set1_epi32(128));
    __m128i t = _mm_or_si128(_mm_and_si128(_mm_xor_si128(v, farbe), farbe), eins);
    const __m128i null = _mm_setzero_si128();
    p01 = _mm_unpacklo_epi8(t, null);
    p23 = _mm_unpackhi_epi8(t, null);
}

struct Lader {
    // Weighted sums of four pixels (two vectors of two) -> four 32-bit values.
    template <int SH>
    static __m128i Summe(__m128i a, __m128i b, __m128i k) {
        __m128 ma = _mm_castsi128_ps(_mm_madd_epi16(a, k));
        __m128 mb = _mm_castsi128_ps(_mm_madd_epi16(b, k));
        __m128i g = _mm_castps_si128(_mm_shuffle_ps(ma, mb, _MM_SHUFFLE(2, 0, 2, 0)));
        __m128i u = _mm_castps_si128(_mm_shuffle_ps(ma, mb, _MM_SHUFFLE(3, 1, 3, 1)));
        return _mm_srai_epi32(_mm_add_epi32(g, u), SH);
    }

    // Loads the pixels of one row of 8*HF three-byte pixels, without reading
    // a byte past the row.
    template <int HF>
    static void Zeile_Laden(const uint8_t* q, __m128i* px) {
        for (int g = 0; g < 2 * HF; ++g) {
            __m128i v = (g & 1) ? _mm_srli_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 12 * g - 4)), 4)
                                : _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 12 * g));
            Drei_Spreizen(v, px[2 * g], px[2 * g + 1]);
        }
    }
};

template <bool BGR, int HF, int VF>
void Kern3(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr) {
    Enc_Kern3<Lader, BGR, HF, VF>(p, st, y, cb, cr);
}

}  // namespace

void Jpeg_Kod_Grau_SSE2(const uint8_t* p, int64_t st, int16_t* y, int16_t*, int16_t*, int16_t*) {
    const __m128i null = _mm_setzero_si128();
    const __m128i k128 = _mm_set1_epi16(128);
    for (int zy = 0; zy < 8; ++zy) {
        __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + zy * st));
        _mm_store_si128(reinterpret_cast<__m128i*>(y + zy * 8), _mm_sub_epi16(_mm_unpacklo_epi8(v, null), k128));
    }
}

ENC_DREI_BYTE_KERNE(SSE2, Kern3)

void Jpeg_Kod_RGBA_1111_SSE2(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* a) {
    const __m128i ky = Enc_K4(77, 150, 29, -32640);
    const __m128i kb = Enc_K4(-43, -85, 128, 128);
    const __m128i kr = Enc_K4(128, -107, -21, 128);
    for (int zy = 0; zy < 8; ++zy) {
        const uint8_t* q = p + zy * st;
        __m128i px[4], al[2];
        Vier_Spreizen(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), px[0], px[1], al[0]);
        Vier_Spreizen(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 16)), px[2], px[3], al[1]);
        Enc_Speichern(y + zy * 8, Lader::Summe<8>(px[0], px[1], ky), Lader::Summe<8>(px[2], px[3], ky));
        Enc_Speichern(cb + zy * 8, Lader::Summe<8>(px[0], px[1], kb), Lader::Summe<8>(px[2], px[3], kb));
        Enc_Speichern(cr + zy * 8, Lader::Summe<8>(px[0], px[1], kr), Lader::Summe<8>(px[2], px[3], kr));
        Enc_Speichern(a + zy * 8, al[0], al[1]);
    }
}
