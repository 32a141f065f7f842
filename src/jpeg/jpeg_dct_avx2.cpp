// Accurate forward DCT, AVX2 form: two blocks at once, one in each 128-bit
// half of every register. All instructions work within their half, so each
// block runs through exactly the lane arithmetic of the SSE2 form (saturating
// column pass, multiply-add row pass, the mirrored row pass when the column
// outputs allow it) and gets identical coefficients. Chosen by the encoder
// only when the processor has AVX2 (Jpeg_Hat_AVX2).
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"

#if JPEG_SIMD

#include <immintrin.h>

// Everything below is compiled for AVX2; nothing from the headers above is
// instantiated here, so no inline function leaves this file in AVX2 form.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC target("avx2")
#endif

namespace {

using V = __m256i;

// Row-pass weights as in the SSE2 form: [u][paar][haelfte][lane].
struct Gewichte {
    alignas(32) int16_t w[8][4][2][8];
    Gewichte()
    {
        for (int u = 0; u < 8; ++u)
            for (int paar = 0; paar < 4; ++paar)
                for (int h = 0; h < 2; ++h)
                    for (int j = 0; j < 4; ++j) {
                        const int kl = Jpeg_DCT_Zeilenklasse[4 * h + j];
                        w[u][paar][h][2 * j] = Jpeg_DCT_Matrix[kl][2 * paar][u];
                        w[u][paar][h][2 * j + 1] = Jpeg_DCT_Matrix[kl][2 * paar + 1][u];
                    }
    }
};
const Gewichte gewichte;

// The weights of one half for both blocks.
inline V gewicht(int u, int paar, int h)
{
    return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(gewichte.w[u][paar][h])));
}

inline V k16(int v) { return _mm256_set1_epi16(int16_t(v)); }
inline V tan1(V v) { return _mm256_mulhi_epi16(v, k16(13036)); }
inline V tan2(V v) { return _mm256_mulhi_epi16(v, k16(27146)); }
inline V tan3(V v) { return _mm256_adds_epi16(v, _mm256_mulhi_epi16(v, k16(-21746))); }
inline V cos4(V v) { return _mm256_mulhi_epi16(v, k16(23170)); }

// Transposes the 8x8 block of each half.
inline void transponieren(V r[8])
{
    const V a0 = _mm256_unpacklo_epi16(r[0], r[1]), a1 = _mm256_unpackhi_epi16(r[0], r[1]);
    const V a2 = _mm256_unpacklo_epi16(r[2], r[3]), a3 = _mm256_unpackhi_epi16(r[2], r[3]);
    const V a4 = _mm256_unpacklo_epi16(r[4], r[5]), a5 = _mm256_unpackhi_epi16(r[4], r[5]);
    const V a6 = _mm256_unpacklo_epi16(r[6], r[7]), a7 = _mm256_unpackhi_epi16(r[6], r[7]);
    const V b0 = _mm256_unpacklo_epi32(a0, a2), b1 = _mm256_unpackhi_epi32(a0, a2);
    const V b2 = _mm256_unpacklo_epi32(a1, a3), b3 = _mm256_unpackhi_epi32(a1, a3);
    const V b4 = _mm256_unpacklo_epi32(a4, a6), b5 = _mm256_unpackhi_epi32(a4, a6);
    const V b6 = _mm256_unpacklo_epi32(a5, a7), b7 = _mm256_unpackhi_epi32(a5, a7);
    r[0] = _mm256_unpacklo_epi64(b0, b4);
    r[1] = _mm256_unpackhi_epi64(b0, b4);
    r[2] = _mm256_unpacklo_epi64(b1, b5);
    r[3] = _mm256_unpackhi_epi64(b1, b5);
    r[4] = _mm256_unpacklo_epi64(b2, b6);
    r[5] = _mm256_unpackhi_epi64(b2, b6);
    r[6] = _mm256_unpacklo_epi64(b3, b7);
    r[7] = _mm256_unpackhi_epi64(b3, b7);
}

inline void spalten(const V x[8], V y[8])
{
    const V S07 = _mm256_slli_epi16(_mm256_adds_epi16(x[0], x[7]), 3);
    const V S16 = _mm256_slli_epi16(_mm256_adds_epi16(x[1], x[6]), 3);
    const V S25 = _mm256_slli_epi16(_mm256_adds_epi16(x[2], x[5]), 3);
    const V S34 = _mm256_slli_epi16(_mm256_adds_epi16(x[3], x[4]), 3);
    const V D07 = _mm256_slli_epi16(_mm256_subs_epi16(x[0], x[7]), 3);
    const V D34 = _mm256_slli_epi16(_mm256_subs_epi16(x[3], x[4]), 3);
    const V D16 = _mm256_slli_epi16(_mm256_subs_epi16(x[1], x[6]), 4);
    const V D25 = _mm256_slli_epi16(_mm256_subs_epi16(x[2], x[5]), 4);
    const V eins = k16(1);

    const V e0 = _mm256_adds_epi16(S07, S34), e1 = _mm256_adds_epi16(S16, S25);
    const V e2 = _mm256_subs_epi16(S07, S34), e3 = _mm256_subs_epi16(S16, S25);
    y[0] = _mm256_adds_epi16(e0, e1);
    y[4] = _mm256_subs_epi16(e0, e1);
    y[2] = _mm256_or_si256(_mm256_adds_epi16(e2, tan2(e3)), eins);
    y[6] = _mm256_or_si256(_mm256_subs_epi16(tan2(e2), e3), eins);

    const V p = _mm256_or_si256(cos4(_mm256_adds_epi16(D16, D25)), eins);
    const V m = cos4(_mm256_subs_epi16(D16, D25));
    const V a = _mm256_adds_epi16(D34, m), b = _mm256_subs_epi16(D34, m);
    const V c = _mm256_subs_epi16(D07, p), d = _mm256_adds_epi16(D07, p);
    y[1] = _mm256_or_si256(_mm256_adds_epi16(d, tan1(a)), eins);
    y[7] = _mm256_subs_epi16(tan1(d), a);
    y[3] = _mm256_subs_epi16(c, tan3(b));
    y[5] = _mm256_adds_epi16(tan3(c), b);
}

inline bool halbe_breite(const V y[8])
{
    const V versatz = k16(0x4000);
    V o = _mm256_add_epi16(y[0], versatz);
    for (int i = 1; i < 8; ++i) o = _mm256_or_si256(o, _mm256_add_epi16(y[i], versatz));
    return (static_cast<uint32_t>(_mm256_movemask_epi8(o)) & 0xAAAAAAAAu) == 0;
}

inline void zeilen_voll(const V y[8], V aus[8])
{
    V paare[4][2];
    for (int paar = 0; paar < 4; ++paar) {
        paare[paar][0] = _mm256_unpacklo_epi16(y[2 * paar], y[2 * paar + 1]);
        paare[paar][1] = _mm256_unpackhi_epi16(y[2 * paar], y[2 * paar + 1]);
    }
    const V rund = _mm256_set1_epi32(1 << 19);
    for (int u = 0; u < 8; ++u) {
        V s[2];
        for (int h = 0; h < 2; ++h) {
            V acc = rund;
            for (int paar = 0; paar < 4; ++paar)
                acc = _mm256_add_epi32(acc, _mm256_madd_epi16(paare[paar][h], gewicht(u, paar, h)));
            s[h] = _mm256_srai_epi32(acc, 20);
        }
        aus[u] = _mm256_packs_epi32(s[0], s[1]);
    }
}

inline void zeilen_gespiegelt(const V y[8], V aus[8])
{
    V s[4], d[4], ps[2][2], pd[2][2];
    for (int x = 0; x < 4; ++x) {
        s[x] = _mm256_add_epi16(y[x], y[7 - x]);
        d[x] = _mm256_sub_epi16(y[x], y[7 - x]);
    }
    for (int j = 0; j < 2; ++j) {
        ps[j][0] = _mm256_unpacklo_epi16(s[2 * j], s[2 * j + 1]);
        ps[j][1] = _mm256_unpackhi_epi16(s[2 * j], s[2 * j + 1]);
        pd[j][0] = _mm256_unpacklo_epi16(d[2 * j], d[2 * j + 1]);
        pd[j][1] = _mm256_unpackhi_epi16(d[2 * j], d[2 * j + 1]);
    }
    const V rund = _mm256_set1_epi32(1 << 19);
    for (int u = 0; u < 8; ++u) {
        const V(*q)[2] = (u & 1) ? pd : ps;
        V r[2];
        for (int h = 0; h < 2; ++h) {
            const V a = _mm256_madd_epi16(q[0][h], gewicht(u, 0, h));
            const V b = _mm256_madd_epi16(q[1][h], gewicht(u, 1, h));
            r[h] = _mm256_srai_epi32(_mm256_add_epi32(_mm256_add_epi32(a, b), rund), 20);
        }
        aus[u] = _mm256_packs_epi32(r[0], r[1]);
    }
}

// Both blocks transformed; aus[i] holds row i of a (low half) and of b.
inline void paar_rechnen(const int16_t* a, const int16_t* b, V aus[8])
{
    V x[8], y[8];
    for (int i = 0; i < 8; ++i)
        x[i] = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 8 * i))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 8 * i)), 1);
    spalten(x, y);
    transponieren(y);
    if (__builtin_expect(halbe_breite(y), 1))
        zeilen_gespiegelt(y, aus);
    else
        zeilen_voll(y, aus);
    transponieren(aus);
}

inline void paar_speichern(int16_t* a, int16_t* b, const V aus[8])
{
    for (int i = 0; i < 8; ++i) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(a + 8 * i), _mm256_castsi256_si128(aus[i]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + 8 * i), _mm256_extracti128_si256(aus[i], 1));
    }
}

}  // namespace

void Jpeg_FDCT_Genau_AVX2_Paar(int16_t* a, int16_t* b)
{
    V aus[8];
    paar_rechnen(a, b, aus);
    paar_speichern(a, b, aus);
}

void Jpeg_FDCT_Quant_Genau_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb)
{
    V aus[8];
    paar_rechnen(a, b, aus);
    // The accurate quantiser's lanes: (hi((8c) * (m >> 1)) + 1) >> 1.
    const V eins = k16(1);
    for (int i = 0; i < 8; ++i) {
        V m = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(qa + 8 * i))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(qb + 8 * i)), 1);
        m = _mm256_srli_epi16(m, 1);
        const V c = _mm256_slli_epi16(aus[i], 3);
        aus[i] = _mm256_srai_epi16(_mm256_add_epi16(_mm256_mulhi_epi16(c, m), eins), 1);
    }
    paar_speichern(a, b, aus);
}

#if defined(__clang__)
#pragma clang attribute pop
#endif

#else  // without SSE2 the encoder never asks for this form

void Jpeg_FDCT_Genau_AVX2_Paar(int16_t* a, int16_t* b)
{
    Jpeg_FDCT_Genau(a);
    Jpeg_FDCT_Genau(b);
}

void Jpeg_FDCT_Quant_Genau_AVX2_Paar(int16_t* a, int16_t* b, const int16_t* qa, const int16_t* qb)
{
    Jpeg_FDCT_Genau(a);
    Jpeg_FDCT_Genau(b);
    Jpeg_Quant_Genau(a, qa);
    Jpeg_Quant_Genau(b, qb);
}

#endif
