// Forward DCTs in SIMD form (SSE2 intrinsics, eight 16-bit lanes).
//
// Fast form: the AAN graph in 16-bit lanes whose additions wrap, products as
// truncating high-half multiplies with 8-bit constants (181/256 for 0.7071
// as 23168 on 2x, 98/256 for 0.3827 as 25088 on x, 139/256 for 0.5412 as
// 17792 on 2x, 334/256 for 1.3066 as 21376 on 4x); rows first, then
// columns; no final shift.
//
// Accurate form: a column pass in saturating 16-bit arithmetic with the
// tangent factorisation, then a row pass of 32-bit multiply-adds against the
// scaled DCT matrix, rounded by 2^19, shifted by 20 and packed with signed
// saturation. The MMX, SSE and SSE2 entry points compute identical values.
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"

const int16_t Jpeg_DCT_Matrix[4][8][8] = {
    {
        {16384, 22725, 21407, 19266, 16384, 12873, 8867, 4520},
        {16384, 19266, 8867, -4520, -16384, -22725, -21407, -12873},
        {16384, 12873, -8867, -22725, -16384, 4520, 21407, 19266},
        {16384, 4520, -21407, -12873, 16384, 19266, -8867, -22725},
        {16384, -4520, -21407, 12873, 16384, -19266, -8867, 22725},
        {16384, -12873, -8867, 22725, -16384, -4520, 21407, -19266},
        {16384, -19266, 8867, 4520, -16384, 22725, -21407, 12873},
        {16384, -22725, 21407, -19266, 16384, -12873, 8867, -4520},
    },
    {
        {22725, 31521, 29692, 26722, 22725, 17855, 12299, 6270},
        {22725, 26722, 12299, -6270, -22725, -31521, -29692, -17855},
        {22725, 17855, -12299, -31521, -22725, 6270, 29692, 26722},
        {22725, 6270, -29692, -17855, 22725, 26722, -12299, -31521},
        {22725, -6270, -29692, 17855, 22725, -26722, -12299, 31521},
        {22725, -17855, -12299, 31521, -22725, -6270, 29692, -26722},
        {22725, -26722, 12299, 6270, -22725, 31521, -29692, 17855},
        {22725, -31521, 29692, -26722, 22725, -17855, 12299, -6270},
    },
    {
        {21407, 29692, 27969, 25172, 21407, 16819, 11585, 5906},
        {21407, 25172, 11585, -5906, -21407, -29692, -27969, -16819},
        {21407, 16819, -11585, -29692, -21407, 5906, 27969, 25172},
        {21407, 5906, -27969, -16819, 21407, 25172, -11585, -29692},
        {21407, -5906, -27969, 16819, 21407, -25172, -11585, 29692},
        {21407, -16819, -11585, 29692, -21407, -5906, 27969, -25172},
        {21407, -25172, 11585, 5906, -21407, 29692, -27969, 16819},
        {21407, -29692, 27969, -25172, 21407, -16819, 11585, -5906},
    },
    {
        {19266, 26722, 25172, 22654, 19266, 15137, 10426, 5315},
        {19266, 22654, 10426, -5315, -19266, -26722, -25172, -15137},
        {19266, 15137, -10426, -26722, -19266, 5315, 25172, 22654},
        {19266, 5315, -25172, -15137, 19266, 22654, -10426, -26722},
        {19266, -5315, -25172, 15137, 19266, -22654, -10426, 26722},
        {19266, -15137, -10426, 26722, -19266, -5315, 25172, -22654},
        {19266, -22654, 10426, 5315, -19266, 26722, -25172, 15137},
        {19266, -26722, 25172, -22654, 19266, -15137, 10426, -5315},
    },
};

#if JPEG_SIMD

using namespace jpeg_simd;

namespace {

// Weights of the accurate row pass, arranged for multiply-adds on pairs of
// columns (x, x + 1) of four rows at a time: [u][paar][haelfte][lane].
// The first two pairs also weigh the mirrored sums and differences (see
// below); w[u][paar] read as one 256-bit vector covers all eight rows.
struct Vorwaerts_Gewichte {
    alignas(32) int16_t w[8][4][2][8];
    Vorwaerts_Gewichte()
    {
        for (int u = 0; u < 8; ++u)
            for (int paar = 0; paar < 4; ++paar)
                for (int h = 0; h < 2; ++h)
                    for (int j = 0; j < 4; ++j) {
                        const int k = 4 * h + j;  // block row of this lane pair
                        const int kl = Jpeg_DCT_Zeilenklasse[k];
                        w[u][paar][h][2 * j] = Jpeg_DCT_Matrix[kl][2 * paar][u];
                        w[u][paar][h][2 * j + 1] = Jpeg_DCT_Matrix[kl][2 * paar + 1][u];
                    }
    }
};
const Vorwaerts_Gewichte gewichte;

inline __m128i k16(int v) { return _mm_set1_epi16(int16_t(v)); }

// One AAN step on eight vectors in place (fast form).
inline void aan_vorwaerts(__m128i x[8])
{
    const __m128i t0 = _mm_add_epi16(x[0], x[7]), t7 = _mm_sub_epi16(x[0], x[7]);
    const __m128i t1 = _mm_add_epi16(x[1], x[6]), t6 = _mm_sub_epi16(x[1], x[6]);
    const __m128i t2 = _mm_add_epi16(x[2], x[5]), t5 = _mm_sub_epi16(x[2], x[5]);
    const __m128i t3 = _mm_add_epi16(x[3], x[4]), t4 = _mm_sub_epi16(x[3], x[4]);

    const __m128i t10 = _mm_add_epi16(t0, t3), t13 = _mm_sub_epi16(t0, t3);
    const __m128i t11 = _mm_add_epi16(t1, t2), t12 = _mm_sub_epi16(t1, t2);
    x[0] = _mm_add_epi16(t10, t11);
    x[4] = _mm_sub_epi16(t10, t11);
    const __m128i z1 = _mm_mulhi_epi16(_mm_slli_epi16(_mm_add_epi16(t12, t13), 1), k16(23168));
    x[2] = _mm_add_epi16(t13, z1);
    x[6] = _mm_sub_epi16(t13, z1);

    const __m128i a = _mm_add_epi16(t4, t5), b = _mm_add_epi16(t5, t6), c = _mm_add_epi16(t6, t7);
    const __m128i z5 = _mm_mulhi_epi16(_mm_sub_epi16(a, c), k16(25088));
    const __m128i z2 = _mm_add_epi16(_mm_mulhi_epi16(_mm_slli_epi16(a, 1), k16(17792)), z5);
    const __m128i z4 = _mm_add_epi16(_mm_mulhi_epi16(_mm_slli_epi16(c, 2), k16(21376)), z5);
    const __m128i z3 = _mm_mulhi_epi16(_mm_slli_epi16(b, 1), k16(23168));
    const __m128i z11 = _mm_add_epi16(t7, z3), z13 = _mm_sub_epi16(t7, z3);
    x[5] = _mm_add_epi16(z13, z2);
    x[3] = _mm_sub_epi16(z13, z2);
    x[1] = _mm_add_epi16(z11, z4);
    x[7] = _mm_sub_epi16(z11, z4);
}

inline __m128i tan1(__m128i v) { return _mm_mulhi_epi16(v, k16(13036)); }
inline __m128i tan2(__m128i v) { return _mm_mulhi_epi16(v, k16(27146)); }
inline __m128i tan3(__m128i v) { return _mm_adds_epi16(v, _mm_mulhi_epi16(v, k16(-21746))); }
inline __m128i cos4(__m128i v) { return _mm_mulhi_epi16(v, k16(23170)); }

// Column pass of the accurate form on the eight rows x[] (lanes = columns);
// y[] receives the eight outputs, each scaled for its row class.
inline void genau_spalten(const __m128i x[8], __m128i y[8])
{
    const __m128i S07 = _mm_slli_epi16(_mm_adds_epi16(x[0], x[7]), 3);
    const __m128i S16 = _mm_slli_epi16(_mm_adds_epi16(x[1], x[6]), 3);
    const __m128i S25 = _mm_slli_epi16(_mm_adds_epi16(x[2], x[5]), 3);
    const __m128i S34 = _mm_slli_epi16(_mm_adds_epi16(x[3], x[4]), 3);
    const __m128i D07 = _mm_slli_epi16(_mm_subs_epi16(x[0], x[7]), 3);
    const __m128i D34 = _mm_slli_epi16(_mm_subs_epi16(x[3], x[4]), 3);
    const __m128i D16 = _mm_slli_epi16(_mm_subs_epi16(x[1], x[6]), 4);
    const __m128i D25 = _mm_slli_epi16(_mm_subs_epi16(x[2], x[5]), 4);
    const __m128i eins = k16(1);

    const __m128i e0 = _mm_adds_epi16(S07, S34), e1 = _mm_adds_epi16(S16, S25);
    const __m128i e2 = _mm_subs_epi16(S07, S34), e3 = _mm_subs_epi16(S16, S25);
    y[0] = _mm_adds_epi16(e0, e1);
    y[4] = _mm_subs_epi16(e0, e1);
    y[2] = _mm_or_si128(_mm_adds_epi16(e2, tan2(e3)), eins);
    y[6] = _mm_or_si128(_mm_subs_epi16(tan2(e2), e3), eins);

    const __m128i p = _mm_or_si128(cos4(_mm_adds_epi16(D16, D25)), eins);
    const __m128i m = cos4(_mm_subs_epi16(D16, D25));
    const __m128i a = _mm_adds_epi16(D34, m), b = _mm_subs_epi16(D34, m);
    const __m128i c = _mm_subs_epi16(D07, p), d = _mm_adds_epi16(D07, p);
    y[1] = _mm_or_si128(_mm_adds_epi16(d, tan1(a)), eins);
    y[7] = _mm_subs_epi16(tan1(d), a);
    y[3] = _mm_subs_epi16(c, tan3(b));
    y[5] = _mm_adds_epi16(tan3(c), b);
}

// True when every value lies in -16384..16383. Column-pass outputs of
// level-shifted 8-bit samples always do (they stay below 8200 in size).
inline bool halbe_breite(const __m128i y[8])
{
    const __m128i versatz = k16(0x4000);
    __m128i o = _mm_add_epi16(y[0], versatz);
    for (int i = 1; i < 8; ++i) o = _mm_or_si128(o, _mm_add_epi16(y[i], versatz));
    return (_mm_movemask_epi8(o) & 0xAAAA) == 0;
}

// Row pass on y[x] = column x of all rows (lanes = rows), aus[u] = lane k:
// coefficient (k, u). Every product sum is formed whole, in any order: the
// 32-bit sums wrap alike.
inline void genau_zeilen_voll(const __m128i y[8], __m128i aus[8])
{
    __m128i paare[4][2];
    for (int paar = 0; paar < 4; ++paar) {
        paare[paar][0] = _mm_unpacklo_epi16(y[2 * paar], y[2 * paar + 1]);
        paare[paar][1] = _mm_unpackhi_epi16(y[2 * paar], y[2 * paar + 1]);
    }
    const __m128i rund = _mm_set1_epi32(1 << 19);
    for (int u = 0; u < 8; ++u) {
        __m128i s[2];
        for (int h = 0; h < 2; ++h) {
            __m128i acc = rund;
            for (int paar = 0; paar < 4; ++paar)
                acc = _mm_add_epi32(acc, _mm_madd_epi16(paare[paar][h],
                                                        laden_a(gewichte.w[u][paar][h])));
            s[h] = _mm_srai_epi32(acc, 20);
        }
        aus[u] = _mm_packs_epi32(s[0], s[1]);
    }
}

// The same row pass for inputs within -16384..16383: the weights of column
// 7 - x equal those of column x, negated for odd u, so the sums and
// differences of the mirrored columns (exact in 16 bits there) halve the
// multiply-adds without changing a single sum.
inline void genau_spiegel_paare(const __m128i y[8], __m128i ps[2][2], __m128i pd[2][2])
{
    __m128i s[4], d[4];
    for (int x = 0; x < 4; ++x) {
        s[x] = _mm_add_epi16(y[x], y[7 - x]);
        d[x] = _mm_sub_epi16(y[x], y[7 - x]);
    }
    for (int j = 0; j < 2; ++j) {
        ps[j][0] = _mm_unpacklo_epi16(s[2 * j], s[2 * j + 1]);
        ps[j][1] = _mm_unpackhi_epi16(s[2 * j], s[2 * j + 1]);
        pd[j][0] = _mm_unpacklo_epi16(d[2 * j], d[2 * j + 1]);
        pd[j][1] = _mm_unpackhi_epi16(d[2 * j], d[2 * j + 1]);
    }
}

inline void genau_zeilen_gespiegelt(const __m128i y[8], __m128i aus[8])
{
    __m128i ps[2][2], pd[2][2];
    genau_spiegel_paare(y, ps, pd);
    const __m128i rund = _mm_set1_epi32(1 << 19);
    for (int u = 0; u < 8; ++u) {
        const __m128i(*q)[2] = (u & 1) ? pd : ps;
        __m128i s[2];
        for (int h = 0; h < 2; ++h) {
            const __m128i a = _mm_madd_epi16(q[0][h], laden_a(gewichte.w[u][0][h]));
            const __m128i b = _mm_madd_epi16(q[1][h], laden_a(gewichte.w[u][1][h]));
            s[h] = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(a, b), rund), 20);
        }
        aus[u] = _mm_packs_epi32(s[0], s[1]);
    }
}

template <bool Ausgerichtet>
inline void fdct_genau(int16_t* block)
{
    __m128i x[8], y[8], aus[8];
    for (int i = 0; i < 8; ++i) x[i] = Ausgerichtet ? laden_a(block + 8 * i) : laden(block + 8 * i);
    genau_spalten(x, y);
    // After the transposition y[x] holds column x of all rows.
    transponieren(y);
    if (__builtin_expect(halbe_breite(y), 1))
        genau_zeilen_gespiegelt(y, aus);
    else
        genau_zeilen_voll(y, aus);
    transponieren(aus);
    for (int i = 0; i < 8; ++i) {
        if (Ausgerichtet)
            speichern_a(block + 8 * i, aus[i]);
        else
            speichern(block + 8 * i, aus[i]);
    }
}

}  // namespace

void Jpeg_FDCT_Schnell_MMX(int16_t* block)
{
    __m128i x[8];
    for (int i = 0; i < 8; ++i) x[i] = laden(block + 8 * i);
    transponieren(x);  // x[i]: column i, lanes = rows
    aan_vorwaerts(x);  // row pass
    transponieren(x);  // x[i]: row i, lanes = columns
    aan_vorwaerts(x);  // column pass
    for (int i = 0; i < 8; ++i) speichern(block + 8 * i, x[i]);
}

void Jpeg_FDCT_Genau_MMX(int16_t* block) { fdct_genau<false>(block); }
void Jpeg_FDCT_Genau_SSE(int16_t* block) { fdct_genau<false>(block); }

void Jpeg_FDCT_Genau_SSE2(int16_t* block)
{
    if (ausgerichtet(block))
        fdct_genau<true>(block);
    else
        fdct_genau<false>(block);
}

bool Jpeg_Hat_AVX2()
{
    static const bool hat = __builtin_cpu_supports("avx2");
    return hat;
}

#else  // without SSE2 the processor codes 3..6 are never chosen

bool Jpeg_Hat_AVX2() { return false; }

void Jpeg_FDCT_Schnell_MMX(int16_t* block) { Jpeg_FDCT_Schnell(block); }
void Jpeg_FDCT_Genau_MMX(int16_t* block) { Jpeg_FDCT_Genau(block); }
void Jpeg_FDCT_Genau_SSE(int16_t* block) { Jpeg_FDCT_Genau(block); }
void Jpeg_FDCT_Genau_SSE2(int16_t* block) { Jpeg_FDCT_Genau(block); }

#endif
