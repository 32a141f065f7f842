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
#include "jpeg/jpeg_dct_genau.h"
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

const int16_t Jpeg_DCT_Praezise_Matrix[8][8] = {
    {11585, 11585, 11585, 11585, 11585, 11585, 11585, 11585},
    {16069, 13623, 9102, 3196, -3196, -9102, -13623, -16069},
    {15137, 6270, -6270, -15137, -15137, -6270, 6270, 15137},
    {13623, -3196, -16069, -9102, 9102, 16069, 3196, -13623},
    {11585, -11585, -11585, 11585, 11585, -11585, -11585, 11585},
    {9102, -16069, 3196, 13623, -13623, -3196, 16069, -9102},
    {6270, -15137, 15137, -6270, -6270, 15137, -15137, 6270},
    {3196, -9102, 13623, -16069, 16069, -13623, 9102, -3196},
};

const Jpeg_DCT_Praezise_T Jpeg_DCT_Praezise_Gewichte = [] {
    Jpeg_DCT_Praezise_T g{};
    for (int u = 0; u < 8; ++u)
        for (int paar = 0; paar < 2; ++paar)
            for (int j = 0; j < 4; ++j) {
                g.w[u][paar][2 * j] = Jpeg_DCT_Praezise_Matrix[u][2 * paar];
                g.w[u][paar][2 * j + 1] = Jpeg_DCT_Praezise_Matrix[u][2 * paar + 1];
            }
    return g;
}();

#if JPEG_SIMD

using namespace jpeg_simd;

const Jpeg_DCT_Gewichte_T Jpeg_DCT_Gewichte = [] {
    Jpeg_DCT_Gewichte_T g{};
    for (int u = 0; u < 8; ++u)
        for (int paar = 0; paar < 4; ++paar)
            for (int h = 0; h < 2; ++h)
                for (int j = 0; j < 4; ++j) {
                    const int kl = Jpeg_DCT_Zeilenklasse[4 * h + j];  // class of the lane pair's block row
                    g.w[u][paar][h][2 * j] = Jpeg_DCT_Matrix[kl][2 * paar][u];
                    g.w[u][paar][h][2 * j + 1] = Jpeg_DCT_Matrix[kl][2 * paar + 1][u];
                }
    return g;
}();

namespace {

// The SSE2 instructions of the shared arithmetic (jpeg_dct_genau.h).
struct O128 {
    using V = __m128i;
    static V add(V a, V b) { return _mm_add_epi16(a, b); }
    static V sub(V a, V b) { return _mm_sub_epi16(a, b); }
    static V adds(V a, V b) { return _mm_adds_epi16(a, b); }
    static V subs(V a, V b) { return _mm_subs_epi16(a, b); }
    static V mulhi(V a, V b) { return _mm_mulhi_epi16(a, b); }
    static V oder(V a, V b) { return _mm_or_si128(a, b); }
    template <int N>
    static V shl(V a) {
        return _mm_slli_epi16(a, N);
    }
    static V k16(int v) { return _mm_set1_epi16(int16_t(v)); }
    static V lo(V a, V b) { return _mm_unpacklo_epi16(a, b); }
    static V hi(V a, V b) { return _mm_unpackhi_epi16(a, b); }
    static V madd(V a, V b) { return _mm_madd_epi16(a, b); }
    static V add32(V a, V b) { return _mm_add_epi32(a, b); }
    static V madd_add(V acc, V a, V b) { return _mm_add_epi32(acc, _mm_madd_epi16(a, b)); }
    template <int N>
    static V sar32(V a) {
        return _mm_srai_epi32(a, N);
    }
    static V k32(int v) { return _mm_set1_epi32(v); }
    static V packs(V a, V b) { return _mm_packs_epi32(a, b); }
    static bool ohne_hohe(V v) { return (_mm_movemask_epi8(v) & 0xAAAA) == 0; }
    static V gewicht(int u, int paar, int h) { return laden_a(Jpeg_DCT_Gewichte.w[u][paar][h]); }
    static V gewicht_p(int u, int paar) { return laden_a(Jpeg_DCT_Praezise_Gewichte.w[u][paar]); }
    static void transponieren(V r[8]) { jpeg_simd::transponieren(r); }
};

template <bool Ausgerichtet>
inline void fdct_genau(int16_t* block) {
    __m128i x[8], aus[8];
    for (int i = 0; i < 8; ++i) x[i] = Ausgerichtet ? laden_a(block + 8 * i) : laden(block + 8 * i);
    DCT_Genau<O128>::rechnen(x, aus);
    for (int i = 0; i < 8; ++i) {
        if (Ausgerichtet) speichern_a(block + 8 * i, aus[i]);
        else speichern(block + 8 * i, aus[i]);
    }
}

}  // namespace

void Jpeg_FDCT_Schnell_MMX(int16_t* block) {
    __m128i x[8];
    for (int i = 0; i < 8; ++i) x[i] = laden(block + 8 * i);
    transponieren(x);  // x[i]: column i, lanes = rows
    aan_vorwaerts<O128>(x);  // row pass
    transponieren(x);  // x[i]: row i, lanes = columns
    aan_vorwaerts<O128>(x);  // column pass
    for (int i = 0; i < 8; ++i) speichern(block + 8 * i, x[i]);
}

void Jpeg_FDCT_Genau_MMX(int16_t* block) { fdct_genau<false>(block); }
void Jpeg_FDCT_Genau_SSE(int16_t* block) { fdct_genau<false>(block); }

void Jpeg_FDCT_Genau_SSE2(int16_t* block) {
    if (ausgerichtet(block)) fdct_genau<true>(block);
    else fdct_genau<false>(block);
}

void Jpeg_FDCT_Praezise_SSE2(int16_t* block) {
    __m128i x[8], aus[8];
    for (int i = 0; i < 8; ++i) x[i] = laden(block + 8 * i);
    DCT_Genau<O128>::praezise(x, aus);
    for (int i = 0; i < 8; ++i) speichern(block + 8 * i, aus[i]);
}

bool Jpeg_Hat_AVX2() {
    static const bool hat = Jpeg_Simd_Hat(JSIMD_AVX2);
    return hat;
}

bool Jpeg_Hat_VNNI() {
    static const bool hat = Jpeg_Simd_Hat(JSIMD_AVX2 | JSIMD_AVX512_VNNI);
    return hat;
}

#else  // without SSE2 the processor codes 3..6 are never chosen

bool Jpeg_Hat_AVX2() { return false; }

void Jpeg_FDCT_Schnell_MMX(int16_t* block) { Jpeg_FDCT_Schnell(block); }
void Jpeg_FDCT_Genau_MMX(int16_t* block) { Jpeg_FDCT_Genau(block); }
void Jpeg_FDCT_Genau_SSE(int16_t* block) { Jpeg_FDCT_Genau(block); }
void Jpeg_FDCT_Genau_SSE2(int16_t* block) { Jpeg_FDCT_Genau(block); }
void Jpeg_FDCT_Praezise_SSE2(int16_t* block) { Jpeg_FDCT_Praezise(block); }

#endif
