// Full-size inverse DCTs in SIMD form (SSE2 intrinsics, eight 16-bit lanes).
//
// Fast form: the AAN graph in its unregrouped form in 16-bit lanes whose
// additions wrap, columns first, then rows; products as truncating high-half
// multiplies (360/256 for sqrt 2 as 23040 on 4x, -669/256 as -21408 on 8x,
// 277/256 as 17728 on 4x, 473/256 as 30272 on 4x); at the end an arithmetic
// shift right by 4 without rounding, +128 with signed saturation and the
// unsigned saturating pack to 0..255.
//
// Accurate form: a row pass of 32-bit multiply-adds against the scaled
// inverse DCT matrix (even sum with +2048, odd sum; outputs n and 7 - n as
// (E +- O) >> 12, packed with signed saturation), then a column pass in
// saturating 16-bit arithmetic with the tangent factorisation, the rounding
// constants 16 and 15, a shift right by 5, +128 with signed saturation and
// the unsigned saturating pack. The MMX, SSE and SSE2 entry points compute
// identical values.
#include "jpeg/dec_simd.h"
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"

#include <cstring>

#if JPEG_SIMD

using namespace jpeg_simd;

namespace {

// Weights of the accurate row pass for multiply-adds on coefficient pairs
// (0,2), (4,6) (even) and (1,3), (5,7) (odd) of four rows at a time:
// [n][gerade/ungerade][paar][haelfte][lane].
struct Rueck_Gewichte {
    alignas(16) int16_t w[4][2][2][2][8];
    Rueck_Gewichte() {
        static constexpr int paar_u[2][2][2] = {{{0, 2}, {4, 6}}, {{1, 3}, {5, 7}}};
        for (int n = 0; n < 4; ++n)
            for (int art = 0; art < 2; ++art)
                for (int paar = 0; paar < 2; ++paar)
                    for (int h = 0; h < 2; ++h)
                        for (int j = 0; j < 4; ++j) {
                            const int kl = Jpeg_DCT_Zeilenklasse[4 * h + j];
                            w[n][art][paar][h][2 * j] = Jpeg_DCT_Matrix[kl][n][paar_u[art][paar][0]];
                            w[n][art][paar][h][2 * j + 1] = Jpeg_DCT_Matrix[kl][n][paar_u[art][paar][1]];
                        }
    }
};
const Rueck_Gewichte gewichte;

inline __m128i k16(int v) { return _mm_set1_epi16(int16_t(v)); }

// One AAN step on eight vectors in place (unregrouped form). With Tief the
// caller has seen that x[4..7] are zero: they are taken as the constant zero
// (sums with zero, products of zero: nothing changes).
template <bool Tief = false>
inline void aan_rueck(__m128i x[8]) {
    if (Tief) x[4] = x[5] = x[6] = x[7] = _mm_setzero_si128();
    const __m128i z13 = _mm_add_epi16(x[5], x[3]), z10 = _mm_sub_epi16(x[5], x[3]);
    const __m128i z11 = _mm_add_epi16(x[1], x[7]), z12 = _mm_sub_epi16(x[1], x[7]);
    const __m128i t7 = _mm_add_epi16(z11, z13);
    const __m128i t11 = _mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(z11, z13), 2), k16(23040));
    const __m128i z5 = _mm_mulhi_epi16(_mm_slli_epi16(_mm_add_epi16(z10, z12), 2), k16(30272));
    const __m128i t10 = _mm_sub_epi16(_mm_mulhi_epi16(_mm_slli_epi16(z12, 2), k16(17728)), z5);
    const __m128i t12 = _mm_add_epi16(_mm_mulhi_epi16(_mm_slli_epi16(z10, 3), k16(-21408)), z5);
    const __m128i t6 = _mm_sub_epi16(t12, t7);
    const __m128i t5 = _mm_sub_epi16(t11, t6);
    const __m128i t4 = _mm_add_epi16(t10, t5);

    const __m128i a = _mm_add_epi16(x[0], x[4]), b = _mm_sub_epi16(x[0], x[4]);
    const __m128i z = _mm_add_epi16(x[2], x[6]);
    const __m128i w = _mm_sub_epi16(_mm_mulhi_epi16(_mm_slli_epi16(_mm_sub_epi16(x[2], x[6]), 2), k16(23040)), z);
    const __m128i e0 = _mm_add_epi16(a, z), e3 = _mm_sub_epi16(a, z);
    const __m128i e1 = _mm_add_epi16(b, w), e2 = _mm_sub_epi16(b, w);

    x[0] = _mm_add_epi16(e0, t7);
    x[7] = _mm_sub_epi16(e0, t7);
    x[1] = _mm_add_epi16(e1, t6);
    x[6] = _mm_sub_epi16(e1, t6);
    x[2] = _mm_add_epi16(e2, t5);
    x[5] = _mm_sub_epi16(e2, t5);
    x[3] = _mm_sub_epi16(e3, t4);
    x[4] = _mm_add_epi16(e3, t4);
}

// Stores two result rows as samples 0..255 widened to 16 bits.
inline void zwei_zeilen(int16_t* ziel, __m128i a, __m128i b, bool ausgerichtet) {
    const __m128i bytes = _mm_packus_epi16(a, b);
    const __m128i null = _mm_setzero_si128();
    if (ausgerichtet) {
        speichern_a(ziel, _mm_unpacklo_epi8(bytes, null));
        speichern_a(ziel + 8, _mm_unpackhi_epi8(bytes, null));
    } else {
        speichern(ziel, _mm_unpacklo_epi8(bytes, null));
        speichern(ziel + 8, _mm_unpackhi_epi8(bytes, null));
    }
}

inline __m128i tan1(__m128i v) { return _mm_mulhi_epi16(v, k16(13036)); }
inline __m128i tan2(__m128i v) { return _mm_mulhi_epi16(v, k16(27146)); }
inline __m128i tan3(__m128i v) { return _mm_adds_epi16(v, _mm_mulhi_epi16(v, k16(-21746))); }
inline __m128i cos4(__m128i v) { return _mm_adds_epi16(v, _mm_mulhi_epi16(v, k16(-19195))); }

// The accurate inverse on eight loaded coefficient rows; y[r] receives output
// row r (16-bit, before the unsigned pack). With Tief the caller has seen
// that coefficient rows 4..7 and columns 4..7 are zero: those rows then give
// row-pass outputs of (2048 >> 12) = 0 and those columns add products of 0,
// so leaving them out changes no value.
template <bool Tief>
inline void idct_genau_kern(__m128i x[8], __m128i y[8]) {
    // Row pass: after the transposition x[u] holds coefficient u of all rows.
    transponieren(x);
    __m128i paare[2][2][2];  // [gerade/ungerade][paar][haelfte]
    paare[0][0][0] = _mm_unpacklo_epi16(x[0], x[2]);
    paare[0][0][1] = _mm_unpackhi_epi16(x[0], x[2]);
    paare[0][1][0] = _mm_unpacklo_epi16(x[4], x[6]);
    paare[0][1][1] = _mm_unpackhi_epi16(x[4], x[6]);
    paare[1][0][0] = _mm_unpacklo_epi16(x[1], x[3]);
    paare[1][0][1] = _mm_unpackhi_epi16(x[1], x[3]);
    paare[1][1][0] = _mm_unpacklo_epi16(x[5], x[7]);
    paare[1][1][1] = _mm_unpackhi_epi16(x[5], x[7]);
    const __m128i rund = _mm_set1_epi32(2048);
    __m128i z[8];
    for (int n = 0; n < 4; ++n) {
        __m128i vorn[2], hinten[2];
        for (int h = 0; h < (Tief ? 1 : 2); ++h) {
            __m128i E = _mm_add_epi32(rund, _mm_madd_epi16(paare[0][0][h], laden_a(gewichte.w[n][0][0][h])));
            __m128i O = _mm_madd_epi16(paare[1][0][h], laden_a(gewichte.w[n][1][0][h]));
            if (!Tief) {
                E = _mm_add_epi32(E, _mm_madd_epi16(paare[0][1][h], laden_a(gewichte.w[n][0][1][h])));
                O = _mm_add_epi32(O, _mm_madd_epi16(paare[1][1][h], laden_a(gewichte.w[n][1][1][h])));
            }
            vorn[h] = _mm_srai_epi32(_mm_add_epi32(E, O), 12);
            hinten[h] = _mm_srai_epi32(_mm_sub_epi32(E, O), 12);
        }
        if (Tief) vorn[1] = hinten[1] = _mm_setzero_si128();
        z[n] = _mm_packs_epi32(vorn[0], vorn[1]);  // lane r: output n of row r
        z[7 - n] = _mm_packs_epi32(hinten[0], hinten[1]);
    }
    transponieren(z);  // z[r]: row r, lanes = columns
    if (Tief) z[4] = z[5] = z[6] = z[7] = _mm_setzero_si128();

    // Column pass.
    const __m128i eins = k16(1);
    const __m128i u1 = _mm_adds_epi16(z[1], tan1(z[7]));
    const __m128i u3 = _mm_adds_epi16(z[3], tan3(z[5]));
    const __m128i P = _mm_adds_epi16(_mm_adds_epi16(u1, u3), eins);
    const __m128i Q = _mm_subs_epi16(u1, u3);
    const __m128i v1 = _mm_subs_epi16(tan1(z[1]), z[7]);
    const __m128i v3 = _mm_subs_epi16(z[5], tan3(z[3]));
    const __m128i R = _mm_adds_epi16(_mm_subs_epi16(v1, v3), eins);
    const __m128i S = _mm_adds_epi16(v1, v3);
    const __m128i C1 = _mm_or_si128(cos4(_mm_adds_epi16(Q, R)), eins);
    const __m128i C2 = _mm_or_si128(cos4(_mm_subs_epi16(Q, R)), eins);

    const __m128i A = _mm_adds_epi16(z[0], z[4]), B = _mm_subs_epi16(z[0], z[4]);
    const __m128i U = _mm_adds_epi16(z[2], tan2(z[6]));
    const __m128i V = _mm_subs_epi16(tan2(z[2]), z[6]);
    const __m128i k15 = k16(15), k16_ = k16(16), k128 = k16(128);
    const __m128i au = _mm_adds_epi16(_mm_adds_epi16(A, U), k16_);
    const __m128i bv = _mm_adds_epi16(_mm_adds_epi16(B, V), k16_);
    const __m128i bmv = _mm_adds_epi16(_mm_subs_epi16(B, V), k15);
    const __m128i amu = _mm_adds_epi16(_mm_subs_epi16(A, U), k15);

    y[0] = _mm_adds_epi16(au, P);
    y[7] = _mm_subs_epi16(au, P);
    y[1] = _mm_adds_epi16(bv, C1);
    y[6] = _mm_subs_epi16(bv, C1);
    y[2] = _mm_adds_epi16(bmv, C2);
    y[5] = _mm_subs_epi16(bmv, C2);
    y[3] = _mm_adds_epi16(amu, S);
    y[4] = _mm_subs_epi16(amu, S);
    for (int i = 0; i < 8; ++i) y[i] = _mm_adds_epi16(_mm_srai_epi16(y[i], 5), k128);
}

// Whether coefficient rows 4..7 and columns 4..7 of the loaded rows are zero.
inline bool tief(const __m128i x[8]) {
    const __m128i oben = _mm_or_si128(_mm_or_si128(x[0], x[1]), _mm_or_si128(x[2], x[3]));
    const __m128i unten = _mm_or_si128(_mm_or_si128(x[4], x[5]), _mm_or_si128(x[6], x[7]));
    const __m128i rest = _mm_or_si128(unten, _mm_unpackhi_epi64(oben, oben));
    return _mm_movemask_epi8(_mm_cmpeq_epi8(rest, _mm_setzero_si128())) == 0xFFFF;
}

template <bool Ausgerichtet>
inline void idct_genau(int16_t* block) {
    __m128i x[8], y[8];
    for (int i = 0; i < 8; ++i) x[i] = Ausgerichtet ? laden_a(block + 8 * i) : laden(block + 8 * i);
    if (tief(x)) idct_genau_kern<true>(x, y);
    else idct_genau_kern<false>(x, y);
    for (int i = 0; i < 8; i += 2) zwei_zeilen(block + 8 * i, y[i], y[i + 1], Ausgerichtet);
}

}  // namespace

void Jpeg_IDCT_Schnell_MMX(int16_t* block) {
    __m128i x[8];
    for (int i = 0; i < 8; ++i) x[i] = laden(block + 8 * i);
    aan_rueck(x);      // column pass, lanes = columns
    transponieren(x);  // x[i]: column i, lanes = rows
    aan_rueck(x);      // row pass
    const __m128i k128 = k16(128);
    for (int i = 0; i < 8; ++i) x[i] = _mm_adds_epi16(_mm_srai_epi16(x[i], 4), k128);
    transponieren(x);
    for (int i = 0; i < 8; i += 2) zwei_zeilen(block + 8 * i, x[i], x[i + 1], false);
}

void Jpeg_IDCT_Schnell_SSE2_Bytes(const int16_t* block, const int16_t* tabelle, uint8_t* ziel, int64_t abstand) {
    __m128i x[8];
    if (!tabelle) {
        for (int i = 0; i < 8; ++i) x[i] = laden(block + 8 * i);
    } else if (tabelle[JPEG_QTAB_SCHMAL] == 1) {
        // The fast dequantisation in the registers: (c * m + 64) >> 7, low 16 bits.
        // Bits 7..22 of the 32-bit sum from the product's halves, the carry
        // of the low half's +64 taken into the high one.
        for (int i = 0; i < 8; ++i) {
            const __m128i c = laden(block + 8 * i), m = laden(tabelle + 8 * i);
            const __m128i lo = _mm_add_epi16(_mm_mullo_epi16(c, m), k16(64));
            const __m128i uebertrag = _mm_cmpeq_epi16(_mm_srli_epi16(lo, 6), _mm_setzero_si128());
            const __m128i hi = _mm_sub_epi16(_mm_mulhi_epi16(c, m), uebertrag);
            x[i] = _mm_or_si128(_mm_srli_epi16(lo, 7), _mm_slli_epi16(hi, 9));
        }
    } else {
        alignas(16) int16_t b[64];
        std::memcpy(b, block, sizeof b);
        Jpeg_Dequant_Schnell(b, tabelle);
        for (int i = 0; i < 8; ++i) x[i] = laden_a(b + 8 * i);
    }
    // Rows 4..7 and columns 4..7 zero: the row pass's inputs 4..7 are zero too.
    if (tief(x)) {
        aan_rueck<true>(x);
        transponieren(x);
        aan_rueck<true>(x);
    } else {
        aan_rueck(x);
        transponieren(x);
        aan_rueck(x);
    }
    const __m128i k128 = k16(128);
    for (int i = 0; i < 8; ++i) x[i] = _mm_adds_epi16(_mm_srai_epi16(x[i], 4), k128);
    transponieren(x);
    for (int i = 0; i < 8; i += 2) {
        const __m128i bytes = _mm_packus_epi16(x[i], x[i + 1]);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(ziel + abstand * i), bytes);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(ziel + abstand * (i + 1)), _mm_unpackhi_epi64(bytes, bytes));
    }
}

void Jpeg_IDCT_Genau_SSE2_Bytes(const int16_t* block, uint8_t* ziel, int64_t abstand) {
    __m128i x[8], y[8];
    for (int i = 0; i < 8; ++i) x[i] = laden(block + 8 * i);
    if (tief(x)) idct_genau_kern<true>(x, y);
    else idct_genau_kern<false>(x, y);
    for (int i = 0; i < 8; i += 2) {
        const __m128i bytes = _mm_packus_epi16(y[i], y[i + 1]);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(ziel + abstand * i), bytes);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(ziel + abstand * (i + 1)), _mm_unpackhi_epi64(bytes, bytes));
    }
}

void Jpeg_IDCT_Genau_MMX(int16_t* block) { idct_genau<false>(block); }
void Jpeg_IDCT_Genau_SSE(int16_t* block) { idct_genau<false>(block); }

void Jpeg_IDCT_Genau_SSE2(int16_t* block) {
    if (ausgerichtet(block)) idct_genau<true>(block);
    else idct_genau<false>(block);
}

#else  // without SSE2 the processor codes 3..6 are never chosen

void Jpeg_IDCT_Schnell_MMX(int16_t* block) { Jpeg_IDCT_Schnell(block); }
void Jpeg_IDCT_Genau_MMX(int16_t* block) { Jpeg_IDCT_Genau(block); }
void Jpeg_IDCT_Genau_SSE(int16_t* block) { Jpeg_IDCT_Genau(block); }
void Jpeg_IDCT_Genau_SSE2(int16_t* block) { Jpeg_IDCT_Genau(block); }

void Jpeg_IDCT_Schnell_SSE2_Bytes(const int16_t* block, const int16_t* tabelle, uint8_t* ziel, int64_t abstand) {
    alignas(16) int16_t b[64];
    for (int i = 0; i < 64; ++i) b[i] = block[i];
    if (tabelle) Jpeg_Dequant_Schnell(b, tabelle);
    Jpeg_IDCT_Schnell(b);
    for (int r = 0; r < 8; ++r)
        for (int x = 0; x < 8; ++x) ziel[abstand * r + x] = uint8_t(b[8 * r + x]);
}

void Jpeg_IDCT_Genau_SSE2_Bytes(const int16_t* block, uint8_t* ziel, int64_t abstand) {
    alignas(16) int16_t b[64];
    for (int i = 0; i < 64; ++i) b[i] = block[i];
    Jpeg_IDCT_Genau(b);
    for (int r = 0; r < 8; ++r)
        for (int x = 0; x < 8; ++x) ziel[abstand * r + x] = uint8_t(b[8 * r + x]);
}

#endif
