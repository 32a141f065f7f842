// Row converters of the decoder and the full-MCU kernels of the kernel table.
#include "jpeg/dec_farbe.h"
#include "jpeg/jpeg_kern.h"

#include <emmintrin.h>
#include <immintrin.h>
#include <tmmintrin.h>

#include <cstring>

using namespace jpeg_dek;

namespace {

// ---------------------------------------------------------------------------
// Generic forms

// YCbCr (or inverted YCbCr with a fourth component, `inv`) to pixels with the
// red byte at ro and the blue byte at bo; kan bytes per pixel, alpha 255 (or
// the fourth component) in byte 3 when kan is 4 or more.
template <int RO, int BO, int KAN, bool HALB, bool INV>
void YCC_Allgemein(const uint8_t* const* q, uint8_t* d, int32_t n, int32_t kanaele, int32_t) {
    const int32_t kan = KAN ? KAN : kanaele;
    const uint8_t *qy = q[0], *qb = q[1], *qr = q[2], *qa = q[3];
    for (int32_t i = 0; i < n; ++i, d += kan) {
        int32_t ic = HALB ? i >> 1 : i;
        uint8_t r, g, b;
        YCC_Pixel(qy[i], qb[ic], qr[ic], &r, &g, &b);
        if (INV) {
            r = static_cast<uint8_t>(255 - r);
            g = static_cast<uint8_t>(255 - g);
            b = static_cast<uint8_t>(255 - b);
        }
        d[RO] = r;
        d[1] = g;
        d[BO] = b;
        if (kan >= 4) d[3] = INV ? qa[i] : 255;
    }
}

// ---------------------------------------------------------------------------
// SSE2 forms: R and B terms by 16-bit high-half products, G as the generic.

struct Farben16 {
    __m128i r, g, b;  // 16 bytes each
};

// Eight pixels in 16-bit lanes, with exactly the generic form's arithmetic.
// With c' = c - 128 the terms are (359 Cr' + 128) >> 8, (454 Cb' + 128) >> 8
// and (88 Cb' + 183 Cr' + 128) >> 8; splitting off whole multiples of 256
// (359 = 256 + 103, 454 = 512 - 58, 183 = 256 - 73) leaves products that fit
// in 16 bits.
static_assert(ROT_KONSTANTE == 128 * 359 - 128 && GRUEN_KONSTANTE == 128 * 271 - 128 &&
              BLAU_KONSTANTE == 128 * 454 - 128);
inline void YCC_8(__m128i y, __m128i cb, __m128i cr, __m128i* r, __m128i* g, __m128i* b) {
    const __m128i mitte = _mm_set1_epi16(128);
    const __m128i cb1 = _mm_sub_epi16(cb, mitte), cr1 = _mm_sub_epi16(cr, mitte);
    const __m128i rt =
        _mm_add_epi16(cr1, _mm_srai_epi16(_mm_add_epi16(_mm_mullo_epi16(cr1, _mm_set1_epi16(103)), mitte), 8));
    const __m128i bt = _mm_add_epi16(
        _mm_add_epi16(cb1, cb1), _mm_srai_epi16(_mm_add_epi16(_mm_mullo_epi16(cb1, _mm_set1_epi16(-58)), mitte), 8));
    const __m128i gs =
        _mm_sub_epi16(_mm_mullo_epi16(cb1, _mm_set1_epi16(88)), _mm_mullo_epi16(cr1, _mm_set1_epi16(73)));
    const __m128i gt = _mm_add_epi16(cr1, _mm_srai_epi16(_mm_add_epi16(gs, mitte), 8));
    *r = _mm_add_epi16(y, rt);
    *g = _mm_sub_epi16(y, gt);
    *b = _mm_add_epi16(y, bt);
}

// Sixteen pixels whose chroma comes at half width: the chroma terms are
// formed once for eight samples and used for two pixels each.
inline Farben16 YCC_16_Halb(__m128i y, __m128i cb8, __m128i cr8) {
    const __m128i null = _mm_setzero_si128();
    __m128i rt, gt, bt;
    YCC_8(null, _mm_unpacklo_epi8(cb8, null), _mm_unpacklo_epi8(cr8, null), &rt, &gt, &bt);
    // YCC_8 with y = 0 gives the terms (gt negated).
    const __m128i y0 = _mm_unpacklo_epi8(y, null), y1 = _mm_unpackhi_epi8(y, null);
    __m128i r0 = _mm_add_epi16(y0, _mm_unpacklo_epi16(rt, rt)), r1 = _mm_add_epi16(y1, _mm_unpackhi_epi16(rt, rt));
    __m128i g0 = _mm_add_epi16(y0, _mm_unpacklo_epi16(gt, gt)), g1 = _mm_add_epi16(y1, _mm_unpackhi_epi16(gt, gt));
    __m128i b0 = _mm_add_epi16(y0, _mm_unpacklo_epi16(bt, bt)), b1 = _mm_add_epi16(y1, _mm_unpackhi_epi16(bt, bt));
    return {_mm_packus_epi16(r0, r1), _mm_packus_epi16(g0, g1), _mm_packus_epi16(b0, b1)};
}

inline Farben16 YCC_16(__m128i y, __m128i cb, __m128i cr) {
    const __m128i null = _mm_setzero_si128();
    __m128i r0, g0, b0, r1, g1, b1;
    YCC_8(_mm_unpacklo_epi8(y, null), _mm_unpacklo_epi8(cb, null), _mm_unpacklo_epi8(cr, null), &r0, &g0, &b0);
    YCC_8(_mm_unpackhi_epi8(y, null), _mm_unpackhi_epi8(cb, null), _mm_unpackhi_epi8(cr, null), &r1, &g1, &b1);
    return {_mm_packus_epi16(r0, r1), _mm_packus_epi16(g0, g1), _mm_packus_epi16(b0, b1)};
}

template <int RO, int BO, int KAN, bool INV>
inline void Schreiben16(const Farben16& f, __m128i a, uint8_t* d, int32_t n, int32_t kan) {
    __m128i r = f.r, g = f.g, b = f.b;
    if (INV) {
        const __m128i eins = _mm_set1_epi8(static_cast<char>(0xFF));
        r = _mm_xor_si128(r, eins);
        g = _mm_xor_si128(g, eins);
        b = _mm_xor_si128(b, eins);
    }
    const __m128i c0 = RO == 0 ? r : b;
    const __m128i c2 = RO == 0 ? b : r;
    if (KAN == 4 && n == 16) {
        __m128i c01l = _mm_unpacklo_epi8(c0, g), c01h = _mm_unpackhi_epi8(c0, g);
        __m128i c23l = _mm_unpacklo_epi8(c2, a), c23h = _mm_unpackhi_epi8(c2, a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_unpacklo_epi16(c01l, c23l));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), _mm_unpackhi_epi16(c01l, c23l));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 32), _mm_unpacklo_epi16(c01h, c23h));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 48), _mm_unpackhi_epi16(c01h, c23h));
        return;
    }
    if (KAN == 3 && n == 16) {
        // Four-byte pixels first, then each group of four squeezed to 12 bytes:
        // in every 64-bit lane the two pixels' three bytes are joined, then the
        // upper lane moves down by two bytes.
        const __m128i leer = _mm_setzero_si128();
        __m128i c01l = _mm_unpacklo_epi8(c0, g), c01h = _mm_unpackhi_epi8(c0, g);
        __m128i c23l = _mm_unpacklo_epi8(c2, leer), c23h = _mm_unpackhi_epi8(c2, leer);
        __m128i v[4] = {_mm_unpacklo_epi16(c01l, c23l), _mm_unpackhi_epi16(c01l, c23l), _mm_unpacklo_epi16(c01h, c23h),
                        _mm_unpackhi_epi16(c01h, c23h)};
        const __m128i unten = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
        const __m128i lo64 = _mm_set_epi32(0, 0, -1, -1);
        for (int j = 0; j < 4; ++j) {
            __m128i x = _mm_or_si128(_mm_and_si128(v[j], unten), _mm_srli_epi64(_mm_andnot_si128(unten, v[j]), 8));
            x = _mm_or_si128(_mm_and_si128(x, lo64), _mm_srli_si128(_mm_andnot_si128(lo64, x), 2));
            if (j < 3) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 12 * j), x);
            } else {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(d + 36), x);
                const int32_t rest = _mm_cvtsi128_si32(_mm_srli_si128(x, 8));
                std::memcpy(d + 44, &rest, 4);
            }
        }
        return;
    }
    alignas(16) uint8_t t0[16], t1[16], t2[16], t3[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(t0), c0);
    _mm_store_si128(reinterpret_cast<__m128i*>(t1), g);
    _mm_store_si128(reinterpret_cast<__m128i*>(t2), c2);
    _mm_store_si128(reinterpret_cast<__m128i*>(t3), a);
    for (int32_t i = 0; i < n; ++i, d += kan) {
        d[0] = t0[i];
        d[1] = t1[i];
        d[2] = t2[i];
        if (kan >= 4) d[3] = t3[i];
    }
}

template <int RO, int BO, int KAN, bool HALB, bool INV>
void YCC_SSE2(const uint8_t* const* q, uint8_t* d, int32_t n, int32_t kanaele, int32_t) {
    const int32_t kan = KAN ? KAN : kanaele;
    const uint8_t *qy = q[0], *qb = q[1], *qr = q[2], *qa = q[3];
    const __m128i voll = _mm_set1_epi8(static_cast<char>(0xFF));
    int32_t i = 0;
    for (; i + 16 <= n; i += 16) {
        __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(qy + i));
        __m128i a = INV ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(qa + i)) : voll;
        if (HALB) {
            __m128i cb = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(qb + i / 2));
            __m128i cr = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(qr + i / 2));
            Schreiben16<RO, BO, KAN, INV>(YCC_16_Halb(y, cb, cr), a, d + static_cast<int64_t>(i) * kan, 16, kan);
        } else {
            __m128i cb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(qb + i));
            __m128i cr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(qr + i));
            Schreiben16<RO, BO, KAN, INV>(YCC_16(y, cb, cr), a, d + static_cast<int64_t>(i) * kan, 16, kan);
        }
    }
    if (i < n) {
        // The last pixels through zero-padded copies, with the same arithmetic.
        alignas(16) uint8_t ty[16] = {}, tb[16] = {}, tr[16] = {}, ta[16] = {};
        int32_t rest = n - i;
        for (int32_t j = 0; j < rest; ++j) {
            int32_t ic = HALB ? (i + j) >> 1 : i + j;
            ty[j] = qy[i + j];
            tb[j] = qb[ic];
            tr[j] = qr[ic];
            ta[j] = INV ? qa[i + j] : 255;
        }
        __m128i y = _mm_load_si128(reinterpret_cast<const __m128i*>(ty));
        __m128i cb = _mm_load_si128(reinterpret_cast<const __m128i*>(tb));
        __m128i cr = _mm_load_si128(reinterpret_cast<const __m128i*>(tr));
        __m128i a = _mm_load_si128(reinterpret_cast<const __m128i*>(ta));
        Schreiben16<RO, BO, 0, INV>(YCC_16(y, cb, cr), a, d + static_cast<int64_t>(i) * kan, rest, kan);
    }
}

// Three-byte pixels on processors with SSSE3: the same values, packed by
// byte shuffles (four-byte pixels squeezed to three, then joined into three
// 16-byte stores). The last pixels of a row go through the SSE2 form.
template <int RO, bool HALB>
__attribute__((target("ssse3"))) void YCC_SSSE3_3(const uint8_t* const* q, uint8_t* d, int32_t n, int32_t kanaele,
                                                  int32_t x) {
    const uint8_t *qy = q[0], *qb = q[1], *qr = q[2];
    const __m128i drei = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int32_t i = 0;
    for (; i + 16 <= n; i += 16) {
        __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(qy + i));
        Farben16 f;
        if (HALB)
            f = YCC_16_Halb(y, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(qb + i / 2)),
                            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(qr + i / 2)));
        else
            f = YCC_16(y, _mm_loadu_si128(reinterpret_cast<const __m128i*>(qb + i)),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(qr + i)));
        const __m128i c0 = RO == 0 ? f.r : f.b, c2 = RO == 0 ? f.b : f.r;
        const __m128i c01l = _mm_unpacklo_epi8(c0, f.g), c01h = _mm_unpackhi_epi8(c0, f.g);
        const __m128i c2l = _mm_unpacklo_epi8(c2, c2), c2h = _mm_unpackhi_epi8(c2, c2);
        const __m128i a = _mm_shuffle_epi8(_mm_unpacklo_epi16(c01l, c2l), drei);
        const __m128i b = _mm_shuffle_epi8(_mm_unpackhi_epi16(c01l, c2l), drei);
        const __m128i c = _mm_shuffle_epi8(_mm_unpacklo_epi16(c01h, c2h), drei);
        const __m128i e = _mm_shuffle_epi8(_mm_unpackhi_epi16(c01h, c2h), drei);
        uint8_t* z = d + static_cast<int64_t>(i) * 3;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(z), _mm_or_si128(a, _mm_slli_si128(b, 12)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(z + 16), _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(z + 32), _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(e, 4)));
    }
    if (i < n) {
        const uint8_t* rest[4] = {qy + i, qb + (HALB ? i / 2 : i), qr + (HALB ? i / 2 : i), nullptr};
        YCC_SSE2<RO, 2 - RO, 3, HALB, false>(rest, d + static_cast<int64_t>(i) * 3, n - i, kanaele, x + i);
    }
}

// Three-byte pixels on processors with AVX2: 32 pixels per step, the lanes
// of the SSE2 form in both 128-bit halves (pixels 0..15 in the lower, 16..31
// in the upper half; with half-width chroma the eight chroma samples of each
// half widened in place), packed as in the SSSE3 form. The last pixels of a
// row go through the SSSE3 form.
#define DEK_AVX2 __attribute__((target("avx2")))

DEK_AVX2 inline void YCC_8_AVX2(__m256i y, __m256i cb, __m256i cr, __m256i* r, __m256i* g, __m256i* b) {
    const __m256i mitte = _mm256_set1_epi16(128);
    const __m256i cb1 = _mm256_sub_epi16(cb, mitte), cr1 = _mm256_sub_epi16(cr, mitte);
    const __m256i rt = _mm256_add_epi16(
        cr1, _mm256_srai_epi16(_mm256_add_epi16(_mm256_mullo_epi16(cr1, _mm256_set1_epi16(103)), mitte), 8));
    const __m256i bt = _mm256_add_epi16(
        _mm256_add_epi16(cb1, cb1),
        _mm256_srai_epi16(_mm256_add_epi16(_mm256_mullo_epi16(cb1, _mm256_set1_epi16(-58)), mitte), 8));
    const __m256i gs = _mm256_sub_epi16(_mm256_mullo_epi16(cb1, _mm256_set1_epi16(88)),
                                        _mm256_mullo_epi16(cr1, _mm256_set1_epi16(73)));
    const __m256i gt = _mm256_add_epi16(cr1, _mm256_srai_epi16(_mm256_add_epi16(gs, mitte), 8));
    *r = _mm256_add_epi16(y, rt);
    *g = _mm256_sub_epi16(y, gt);
    *b = _mm256_add_epi16(y, bt);
}

// 32 pixels (r, g and b bytes in pixel order) as three-byte pixels at z.
template <int RO>
DEK_AVX2 inline void Speichern_AVX2_3(__m256i r, __m256i g, __m256i b, uint8_t* z) {
    const __m256i drei = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6, 8,
                                          9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i c0 = RO == 0 ? r : b, c2 = RO == 0 ? b : r;
    const __m256i c01l = _mm256_unpacklo_epi8(c0, g), c01h = _mm256_unpackhi_epi8(c0, g);
    const __m256i c2l = _mm256_unpacklo_epi8(c2, c2), c2h = _mm256_unpackhi_epi8(c2, c2);
    const __m256i a = _mm256_shuffle_epi8(_mm256_unpacklo_epi16(c01l, c2l), drei);
    const __m256i bb = _mm256_shuffle_epi8(_mm256_unpackhi_epi16(c01l, c2l), drei);
    const __m256i c = _mm256_shuffle_epi8(_mm256_unpacklo_epi16(c01h, c2h), drei);
    const __m256i e = _mm256_shuffle_epi8(_mm256_unpackhi_epi16(c01h, c2h), drei);
    // Per half: the 48 bytes of its 16 pixels in three registers.
    const __m256i o0 = _mm256_or_si256(a, _mm256_bslli_epi128(bb, 12));
    const __m256i o1 = _mm256_or_si256(_mm256_bsrli_epi128(bb, 4), _mm256_bslli_epi128(c, 8));
    const __m256i o2 = _mm256_or_si256(_mm256_bsrli_epi128(c, 8), _mm256_bslli_epi128(e, 4));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(z), _mm256_permute2x128_si256(o0, o1, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(z + 32), _mm256_permute2x128_si256(o2, o0, 0x30));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(z + 64), _mm256_permute2x128_si256(o1, o2, 0x31));
}

template <int RO, bool HALB>
DEK_AVX2 void YCC_AVX2_3(const uint8_t* const* q, uint8_t* d, int32_t n, int32_t kanaele, int32_t x) {
    const uint8_t *qy = q[0], *qb = q[1], *qr = q[2];
    const __m256i null = _mm256_setzero_si256();
    int32_t i = 0;
    for (; i + 32 <= n; i += 32) {
        const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(qy + i));
        const __m256i y0 = _mm256_unpacklo_epi8(y, null), y1 = _mm256_unpackhi_epi8(y, null);
        __m256i r, g, b;
        if (HALB) {
            const __m256i cb = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(qb + i / 2)));
            const __m256i cr = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(qr + i / 2)));
            __m256i rt, gt, bt;
            YCC_8_AVX2(null, cb, cr, &rt, &gt, &bt);  // the terms (gt negated)
            r = _mm256_packus_epi16(_mm256_add_epi16(y0, _mm256_unpacklo_epi16(rt, rt)),
                                    _mm256_add_epi16(y1, _mm256_unpackhi_epi16(rt, rt)));
            g = _mm256_packus_epi16(_mm256_add_epi16(y0, _mm256_unpacklo_epi16(gt, gt)),
                                    _mm256_add_epi16(y1, _mm256_unpackhi_epi16(gt, gt)));
            b = _mm256_packus_epi16(_mm256_add_epi16(y0, _mm256_unpacklo_epi16(bt, bt)),
                                    _mm256_add_epi16(y1, _mm256_unpackhi_epi16(bt, bt)));
        } else {
            const __m256i cb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(qb + i));
            const __m256i cr = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(qr + i));
            __m256i r0, g0, b0, r1, g1, b1;
            YCC_8_AVX2(y0, _mm256_unpacklo_epi8(cb, null), _mm256_unpacklo_epi8(cr, null), &r0, &g0, &b0);
            YCC_8_AVX2(y1, _mm256_unpackhi_epi8(cb, null), _mm256_unpackhi_epi8(cr, null), &r1, &g1, &b1);
            r = _mm256_packus_epi16(r0, r1);
            g = _mm256_packus_epi16(g0, g1);
            b = _mm256_packus_epi16(b0, b1);
        }
        Speichern_AVX2_3<RO>(r, g, b, d + static_cast<int64_t>(i) * 3);
    }
    if (i < n) {
        const uint8_t* rest[4] = {qy + i, qb + (HALB ? i / 2 : i), qr + (HALB ? i / 2 : i), nullptr};
        YCC_SSSE3_3<RO, HALB>(rest, d + static_cast<int64_t>(i) * 3, n - i, kanaele, x + i);
    }
}

// The smooth sideways doubling of both chroma components and the
// conversion in one pass (Glatt_Fn): sixteen sums give the chroma of 32
// pixels in 16-bit lanes, already in the order the unpacked luma has
// (pixels 0..7 and 16..23 in the lower, 8..15 and 24..31 in the upper
// register).
DEK_AVX2 inline void Doppeln_16_AVX2(const uint16_t* c, __m256i k0, __m256i k1, __m256i* lo, __m256i* hi) {
    const __m256i m = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c));
    const __m256i l = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c - 1));
    const __m256i r = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + 1));
    const __m256i m3 = _mm256_add_epi16(_mm256_add_epi16(m, m), m);
    const __m256i g = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(m3, l), k0), 4);
    const __m256i u = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(m3, r), k1), 4);
    *lo = _mm256_unpacklo_epi16(g, u);
    *hi = _mm256_unpackhi_epi16(g, u);
}

template <int RO>
DEK_AVX2 int32_t YCC_AVX2_3_Glatt(const uint8_t* qy, const uint16_t* sb, const uint16_t* sr, int32_t r0, int32_t r1,
                                  uint8_t* d, int32_t n) {
    const __m256i null = _mm256_setzero_si256();
    const __m256i k0 = _mm256_set1_epi16(static_cast<int16_t>(r0)), k1 = _mm256_set1_epi16(static_cast<int16_t>(r1));
    int32_t i = 0;
    for (; i + 32 <= n; i += 32) {
        const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(qy + i));
        __m256i cb0, cb1, cr0, cr1;
        Doppeln_16_AVX2(sb + i / 2, k0, k1, &cb0, &cb1);
        Doppeln_16_AVX2(sr + i / 2, k0, k1, &cr0, &cr1);
        __m256i ra, ga, ba, rb, gb, bb;
        YCC_8_AVX2(_mm256_unpacklo_epi8(y, null), cb0, cr0, &ra, &ga, &ba);
        YCC_8_AVX2(_mm256_unpackhi_epi8(y, null), cb1, cr1, &rb, &gb, &bb);
        Speichern_AVX2_3<RO>(_mm256_packus_epi16(ra, rb), _mm256_packus_epi16(ga, gb), _mm256_packus_epi16(ba, bb),
                             d + static_cast<int64_t>(i) * 3);
    }
    return i;
}

// ---------------------------------------------------------------------------
// Copies

void Grau_1(const uint8_t* const* q, uint8_t* d, int32_t n, int32_t kan, int32_t) {
    if (kan == 1) {
        std::memcpy(d, q[0], static_cast<size_t>(n));
        return;
    }
    for (int32_t i = 0; i < n; ++i) d[static_cast<int64_t>(i) * kan] = q[0][i];
}

// Grey into three colour bytes (and alpha 255 with four or more bytes).
void Grau_Farbe(const uint8_t* const* q, uint8_t* d, int32_t n, int32_t kan, int32_t) {
    for (int32_t i = 0; i < n; ++i, d += kan) {
        d[0] = d[1] = d[2] = q[0][i];
        if (kan >= 4) d[3] = 255;
    }
}

// Three or four colour components without conversion; `tausch` swaps the
// first and third byte, missing alpha becomes 255.
template <bool TAUSCH>
void Farbe_Kopie(const uint8_t* const* q, uint8_t* d, int32_t n, int32_t kan, int32_t) {
    const bool alpha = q[3] != nullptr;
    for (int32_t i = 0; i < n; ++i, d += kan) {
        d[TAUSCH ? 2 : 0] = q[0][i];
        d[1] = q[1][i];
        d[TAUSCH ? 0 : 2] = q[2][i];
        if (kan >= 4) d[3] = alpha ? q[3][i] : 255;
    }
}

// Components into the first channels, as many as both sides have.
template <int N>
void Kopie(const uint8_t* const* q, uint8_t* d, int32_t n, int32_t kan, int32_t) {
    const int m = N < kan ? N : kan;
    for (int32_t i = 0; i < n; ++i, d += kan)
        for (int c = 0; c < m; ++c) d[c] = q[c][i];
}

// Packed 4:2:2: Y, then Cb at even and Cr at odd columns.
void Gepackt_422(const uint8_t* const* q, uint8_t* d, int32_t n, int32_t, int32_t x) {
    for (int32_t i = 0; i < n; ++i) {
        d[2 * i] = q[0][i];
        d[2 * i + 1] = ((x + i) & 1) ? q[2][i] : q[1][i];
    }
}

template <bool SIMD, int RO, int BO, int KAN, bool INV>
Farbwahl YCC_Wahl() {
    Farbwahl w;
    if (SIMD) {
        w.fn = YCC_SSE2<RO, BO, KAN, false, INV>;
        w.halb_fn = INV ? nullptr : YCC_SSE2<RO, BO, KAN, true, INV>;
        if (KAN == 3 && !INV && Jpeg_Simd_Hat(JSIMD_SSSE3)) {
            w.fn = YCC_SSSE3_3<RO, false>;
            w.halb_fn = YCC_SSSE3_3<RO, true>;
        }
        if (KAN == 3 && !INV && Jpeg_Simd_Hat(JSIMD_AVX2)) {
            w.fn = YCC_AVX2_3<RO, false>;
            w.halb_fn = YCC_AVX2_3<RO, true>;
            w.glatt_fn = YCC_AVX2_3_Glatt<RO>;
        }
    } else {
        w.fn = YCC_Allgemein<RO, BO, KAN, false, INV>;
        w.halb_fn = INV ? nullptr : YCC_Allgemein<RO, BO, KAN, true, INV>;
    }
    return w;
}

template <bool SIMD, bool INV>
Farbwahl YCC_Nach(int32_t oc, int32_t kan) {
    if (oc == FARBE_BGR) return kan == 3 ? YCC_Wahl<SIMD, 2, 0, 3, INV>() : YCC_Wahl<SIMD, 2, 0, 0, INV>();
    if (kan == 3) return YCC_Wahl<SIMD, 0, 2, 3, INV>();
    if (kan == 4) return YCC_Wahl<SIMD, 0, 2, 4, INV>();
    return YCC_Wahl<SIMD, 0, 2, 0, INV>();
}

Zeilen_Fn Kopie_N(int32_t n) {
    switch (n) {
        case 1: return Kopie<1>;
        case 2: return Kopie<2>;
        case 3: return Kopie<3>;
        default: return Kopie<4>;
    }
}

}  // namespace

namespace jpeg_dek {

Farbwahl Farbe_Waehlen(int32_t jc, int32_t n, int32_t oc, int32_t kan, int32_t prozessor) {
    Farbwahl w;
    const bool simd = prozessor >= JCPU_F5_MMX;
    if (kan < 1) return w;
    if (oc == FARBE_YCBCR && jc == FARBE_YCBCR && n == 3) {
        if (kan != 2) return w;
        w.fn = Gepackt_422;
        w.gepackt = true;
        return w;
    }
    const bool farbig = (oc == FARBE_RGB || oc == FARBE_BGR || oc == FARBE_RGBA) && kan >= 3;
    if (farbig) {
        if (jc == FARBE_YCBCR && n == 3) return simd ? YCC_Nach<true, false>(oc, kan) : YCC_Nach<false, false>(oc, kan);
        if (jc == FARBE_YCBCRA && n == 4) return simd ? YCC_Nach<true, true>(oc, kan) : YCC_Nach<false, true>(oc, kan);
        if (jc == FARBE_GRAU) {
            w.fn = Grau_Farbe;
            return w;
        }
        if ((jc == FARBE_RGB && n == 3) || (jc == FARBE_RGBA && n == 4)) {
            w.fn = oc == FARBE_BGR ? Farbe_Kopie<true> : Farbe_Kopie<false>;
            return w;
        }
    }
    if (oc == FARBE_GRAU) {
        w.fn = Grau_1;
        w.nur_erste = true;
        return w;
    }
    w.fn = Kopie_N(n);
    return w;
}

}  // namespace jpeg_dek

// ---------------------------------------------------------------------------
// Full-MCU kernels of the kernel table: the MCU's blocks (16-bit samples) are
// turned into rows and handed to the row converters.

namespace {

template <int H, int V>
void MCU_Zeilen(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* a, uint8_t* ziel,
                int64_t zeilenlaenge, Zeilen_Fn fn, int32_t kan, bool halb_chroma) {
    alignas(16) uint8_t zy[16], zb[16], zr[16], za[16];
    auto byte = [](int16_t v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    for (int r = 0; r < 8 * V; ++r) {
        for (int x = 0; x < 8 * H; ++x) {
            const int blk = (r / 8) * H + x / 8;
            zy[x] = byte(y[blk * 64 + (r % 8) * 8 + x % 8]);
            if (a) za[x] = byte(a[blk * 64 + (r % 8) * 8 + x % 8]);
        }
        const int cr_zeile = r / V;
        const int nc = halb_chroma ? 8 : 8 * H;
        for (int x = 0; x < nc; ++x) {
            int sx = halb_chroma ? x : x / H;
            if (cb) zb[x] = byte(cb[cr_zeile * 8 + sx]);
            if (cr) zr[x] = byte(cr[cr_zeile * 8 + sx]);
        }
        const uint8_t* q[4] = {zy, cb ? zb : nullptr, cr ? zr : nullptr, a ? za : nullptr};
        fn(q, ziel + r * zeilenlaenge, 8 * H, kan, 0);
    }
}

template <int H, int V, int OC, int KAN, bool INV, bool SIMD>
void Dek_YCC(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* a, uint8_t* ziel, int64_t zl) {
    Farbwahl w = Farbe_Waehlen(INV ? FARBE_YCBCRA : FARBE_YCBCR, INV ? 4 : 3, OC, KAN, SIMD ? JCPU_F6_SSE : 0);
    const bool halb = H == 2 && w.halb_fn;
    MCU_Zeilen<H, V>(y, cb, cr, INV ? a : nullptr, ziel, zl, halb ? w.halb_fn : w.fn, KAN, halb);
}

// Components copied without conversion: N of them (3, or 4 with the fourth
// block in a) into KAN-byte pixels (a fourth byte without a fourth
// component is 255).
template <int H, int V, int N, int KAN>
void Dek_Kopie(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* a, uint8_t* ziel, int64_t zl) {
    Zeilen_Fn fn = N == 4 ? Kopie<4> : (KAN == 4 ? Farbe_Kopie<false> : Kopie<3>);
    MCU_Zeilen<H, V>(y, cb, cr, N == 4 ? a : nullptr, ziel, zl, fn, KAN, false);
}

void Dek_Grau(const int16_t* y, const int16_t*, const int16_t*, const int16_t*, uint8_t* ziel, int64_t zl) {
    MCU_Zeilen<1, 1>(y, nullptr, nullptr, nullptr, ziel, zl, Grau_1, 1, false);
}

void Dek_422_YCbYCr(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t*, uint8_t* ziel, int64_t zl) {
    MCU_Zeilen<2, 1>(y, cb, cr, nullptr, ziel, zl, Gepackt_422, 2, false);
}

template <bool SIMD>
void Fuellen(Jpeg_Kern_Tabelle* t) {
    t->Dek_Grau = Dek_Grau;
    t->Dek_444_RGB = Dek_YCC<1, 1, FARBE_RGB, 3, false, SIMD>;
    t->Dek_422_RGB = Dek_YCC<2, 1, FARBE_RGB, 3, false, SIMD>;
    t->Dek_411_RGB = Dek_YCC<2, 2, FARBE_RGB, 3, false, SIMD>;
    t->Dek_444_BGR = Dek_YCC<1, 1, FARBE_BGR, 3, false, SIMD>;
    t->Dek_422_BGR = Dek_YCC<2, 1, FARBE_BGR, 3, false, SIMD>;
    t->Dek_411_BGR = Dek_YCC<2, 2, FARBE_BGR, 3, false, SIMD>;
    t->Dek_444_RGBA = Dek_YCC<1, 1, FARBE_RGBA, 4, false, SIMD>;
    t->Dek_422_RGBA = Dek_YCC<2, 1, FARBE_RGBA, 4, false, SIMD>;
    t->Dek_411_RGBA = Dek_YCC<2, 2, FARBE_RGBA, 4, false, SIMD>;
    t->Dek_444_Kopie = Dek_Kopie<1, 1, 3, 3>;
    t->Dek_422_Kopie = Dek_Kopie<2, 1, 3, 3>;
    t->Dek_411_Kopie = Dek_Kopie<2, 2, 3, 3>;
    t->Dek_444_RGBA_Kopie = Dek_Kopie<1, 1, 3, 4>;
    t->Dek_422_YCbYCr = Dek_422_YCbYCr;
    t->Dek_4444_RGBA = Dek_YCC<1, 1, FARBE_RGBA, 4, true, SIMD>;
    t->Dek_4224_RGBA = Dek_YCC<2, 1, FARBE_RGBA, 4, true, SIMD>;
    t->Dek_4114_RGBA = Dek_YCC<2, 2, FARBE_RGBA, 4, true, SIMD>;
    t->Dek_4444_Kopie = Dek_Kopie<1, 1, 4, 4>;
}

}  // namespace

void Jpeg_Dek_Kerne_Fuellen(Jpeg_Kern_Tabelle* t, int32_t prozessor) {
    t->Dek_Zeile = nullptr;
    if (prozessor >= JCPU_F5_MMX) Fuellen<true>(t);
    else Fuellen<false>(t);
    t->Huffman_Dekodieren = prozessor >= JCPU_F6_MMX ? Jpeg_Decode_Block_Breit : Jpeg_Decode_Block;
    t->Huffman_Dekodieren_2 = Jpeg_Decode_Block_DC;
}
