// Accurate inverse DCT, AVX2 form: two blocks at once, one in each 128-bit
// half of every register. Every instruction works within its half, so each
// block runs through exactly the lane arithmetic of the SSE2 form (multiply-
// add row pass, saturating column pass) and gets identical samples, which go
// out as bytes straight into the caller's rows. Used by the decoder only when
// the processor has AVX2 (Jpeg_Hat_AVX2).
#include "jpeg/dec_simd.h"
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"

#if JPEG_SIMD

#include <immintrin.h>

namespace {

// Made before the AVX2 part, so that start-up runs no AVX2 instruction.
// Row-pass weights of the SSE2 form, [n][gerade/ungerade][paar][haelfte]
// with the eight lanes repeated in both halves.
struct Gewichte {
    alignas(32) int16_t w[4][2][2][2][16];
    Gewichte() {
        static constexpr int paar_u[2][2][2] = {{{0, 2}, {4, 6}}, {{1, 3}, {5, 7}}};
        for (int n = 0; n < 4; ++n)
            for (int art = 0; art < 2; ++art)
                for (int paar = 0; paar < 2; ++paar)
                    for (int h = 0; h < 2; ++h)
                        for (int j = 0; j < 8; ++j) {
                            const int kl = Jpeg_DCT_Zeilenklasse[4 * h + (j & 3)];
                            w[n][art][paar][h][2 * j] = Jpeg_DCT_Matrix[kl][n][paar_u[art][paar][0]];
                            w[n][art][paar][h][2 * j + 1] = Jpeg_DCT_Matrix[kl][n][paar_u[art][paar][1]];
                        }
    }
};
const Gewichte gewichte;

}  // namespace

// Everything below is compiled for AVX2; nothing from the headers above is
// instantiated here, so no inline function leaves this file in AVX2 form.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC target("avx2")
#endif

#include "jpeg/jpeg_avx2.h"

namespace {

using V = __m256i;

inline V k16(int v) { return _mm256_set1_epi16(int16_t(v)); }
inline V gewicht(int n, int art, int paar, int h) {
    return _mm256_load_si256(reinterpret_cast<const V*>(gewichte.w[n][art][paar][h]));
}

using jpeg_avx2::transponieren;

inline V tan1(V v) { return _mm256_mulhi_epi16(v, k16(13036)); }
inline V tan2(V v) { return _mm256_mulhi_epi16(v, k16(27146)); }
inline V tan3(V v) { return _mm256_adds_epi16(v, _mm256_mulhi_epi16(v, k16(-21746))); }
inline V cos4(V v) { return _mm256_adds_epi16(v, _mm256_mulhi_epi16(v, k16(-19195))); }

// The upper eight bytes of v to any address (a plain store, where an
// extraction would take the shuffle unit).
inline void hoch_speichern(uint8_t* ziel, __m128i v) {
    _mm_storeh_pi(reinterpret_cast<__m64*>(ziel), _mm_castsi128_ps(v));
}

// With Tief coefficient rows 4..7 and columns 4..7 of both blocks are zero
// (their row-pass outputs are 2048 >> 12 = 0, their products 0), and the
// steps on them are left out.
template <bool Tief>
inline void kern(V x[8], uint8_t* za, int64_t aa, uint8_t* zb, int64_t ab) {
    transponieren(x);  // x[u]: coefficient u of every row
    V paare[2][2][2];  // [gerade/ungerade][paar][haelfte]
    paare[0][0][0] = _mm256_unpacklo_epi16(x[0], x[2]);
    paare[0][0][1] = _mm256_unpackhi_epi16(x[0], x[2]);
    paare[0][1][0] = _mm256_unpacklo_epi16(x[4], x[6]);
    paare[0][1][1] = _mm256_unpackhi_epi16(x[4], x[6]);
    paare[1][0][0] = _mm256_unpacklo_epi16(x[1], x[3]);
    paare[1][0][1] = _mm256_unpackhi_epi16(x[1], x[3]);
    paare[1][1][0] = _mm256_unpacklo_epi16(x[5], x[7]);
    paare[1][1][1] = _mm256_unpackhi_epi16(x[5], x[7]);
    const V rund = _mm256_set1_epi32(2048);
    V z[8];
    for (int n = 0; n < 4; ++n) {
        V vorn[2], hinten[2];
        for (int h = 0; h < (Tief ? 1 : 2); ++h) {
            V E = _mm256_add_epi32(rund, _mm256_madd_epi16(paare[0][0][h], gewicht(n, 0, 0, h)));
            V O = _mm256_madd_epi16(paare[1][0][h], gewicht(n, 1, 0, h));
            if (!Tief) {
                E = _mm256_add_epi32(E, _mm256_madd_epi16(paare[0][1][h], gewicht(n, 0, 1, h)));
                O = _mm256_add_epi32(O, _mm256_madd_epi16(paare[1][1][h], gewicht(n, 1, 1, h)));
            }
            vorn[h] = _mm256_srai_epi32(_mm256_add_epi32(E, O), 12);
            hinten[h] = _mm256_srai_epi32(_mm256_sub_epi32(E, O), 12);
        }
        if (Tief) vorn[1] = hinten[1] = _mm256_setzero_si256();
        z[n] = _mm256_packs_epi32(vorn[0], vorn[1]);
        z[7 - n] = _mm256_packs_epi32(hinten[0], hinten[1]);
    }
    transponieren(z);  // z[r]: row r, lanes = columns
    if (Tief) z[4] = z[5] = z[6] = z[7] = _mm256_setzero_si256();

    const V eins = k16(1);
    const V u1 = _mm256_adds_epi16(z[1], tan1(z[7]));
    const V u3 = _mm256_adds_epi16(z[3], tan3(z[5]));
    const V P = _mm256_adds_epi16(_mm256_adds_epi16(u1, u3), eins);
    const V Q = _mm256_subs_epi16(u1, u3);
    const V v1 = _mm256_subs_epi16(tan1(z[1]), z[7]);
    const V v3 = _mm256_subs_epi16(z[5], tan3(z[3]));
    const V R = _mm256_adds_epi16(_mm256_subs_epi16(v1, v3), eins);
    const V S = _mm256_adds_epi16(v1, v3);
    const V C1 = _mm256_or_si256(cos4(_mm256_adds_epi16(Q, R)), eins);
    const V C2 = _mm256_or_si256(cos4(_mm256_subs_epi16(Q, R)), eins);

    const V A = _mm256_adds_epi16(z[0], z[4]), B = _mm256_subs_epi16(z[0], z[4]);
    const V U = _mm256_adds_epi16(z[2], tan2(z[6]));
    const V W = _mm256_subs_epi16(tan2(z[2]), z[6]);
    const V k15 = k16(15), k16_ = k16(16), k128 = k16(128);
    const V au = _mm256_adds_epi16(_mm256_adds_epi16(A, U), k16_);
    const V bv = _mm256_adds_epi16(_mm256_adds_epi16(B, W), k16_);
    const V bmv = _mm256_adds_epi16(_mm256_subs_epi16(B, W), k15);
    const V amu = _mm256_adds_epi16(_mm256_subs_epi16(A, U), k15);

    V y[8];
    y[0] = _mm256_adds_epi16(au, P);
    y[7] = _mm256_subs_epi16(au, P);
    y[1] = _mm256_adds_epi16(bv, C1);
    y[6] = _mm256_subs_epi16(bv, C1);
    y[2] = _mm256_adds_epi16(bmv, C2);
    y[5] = _mm256_subs_epi16(bmv, C2);
    y[3] = _mm256_adds_epi16(amu, S);
    y[4] = _mm256_subs_epi16(amu, S);
    for (int i = 0; i < 8; ++i) y[i] = _mm256_adds_epi16(_mm256_srai_epi16(y[i], 5), k128);
    for (int i = 0; i < 8; i += 2) {
        const V bytes = _mm256_packus_epi16(y[i], y[i + 1]);  // per half: row i, row i + 1
        const __m128i a = _mm256_castsi256_si128(bytes), b = _mm256_extracti128_si256(bytes, 1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(za + aa * i), a);
        hoch_speichern(za + aa * (i + 1), a);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(zb + ab * i), b);
        hoch_speichern(zb + ab * (i + 1), b);
    }
}

// One step of the fast inverse (the AAN graph of the SSE2 form, lane for
// lane the same wrapping 16-bit arithmetic) on eight vectors in place. The
// caller has seen that x[Voll..7] are zero: they are taken as the constant
// zero (sums with zero, products of zero: nothing changes).
template <int Voll>
inline void aan_rueck(V x[8]) {
    for (int i = Voll; i < 8; ++i) x[i] = _mm256_setzero_si256();
    const V z13 = _mm256_add_epi16(x[5], x[3]), z10 = _mm256_sub_epi16(x[5], x[3]);
    const V z11 = _mm256_add_epi16(x[1], x[7]), z12 = _mm256_sub_epi16(x[1], x[7]);
    const V t7 = _mm256_add_epi16(z11, z13);
    const V t11 = _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(z11, z13), 2), k16(23040));
    const V z5 = _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_add_epi16(z10, z12), 2), k16(30272));
    const V t10 = _mm256_sub_epi16(_mm256_mulhi_epi16(_mm256_slli_epi16(z12, 2), k16(17728)), z5);
    const V t12 = _mm256_add_epi16(_mm256_mulhi_epi16(_mm256_slli_epi16(z10, 3), k16(-21408)), z5);
    const V t6 = _mm256_sub_epi16(t12, t7);
    const V t5 = _mm256_sub_epi16(t11, t6);
    const V t4 = _mm256_add_epi16(t10, t5);

    const V a = _mm256_add_epi16(x[0], x[4]), b = _mm256_sub_epi16(x[0], x[4]);
    const V z = _mm256_add_epi16(x[2], x[6]);
    const V w =
        _mm256_sub_epi16(_mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(x[2], x[6]), 2), k16(23040)), z);
    const V e0 = _mm256_add_epi16(a, z), e3 = _mm256_sub_epi16(a, z);
    const V e1 = _mm256_add_epi16(b, w), e2 = _mm256_sub_epi16(b, w);

    x[0] = _mm256_add_epi16(e0, t7);
    x[7] = _mm256_sub_epi16(e0, t7);
    x[1] = _mm256_add_epi16(e1, t6);
    x[6] = _mm256_sub_epi16(e1, t6);
    x[2] = _mm256_add_epi16(e2, t5);
    x[5] = _mm256_sub_epi16(e2, t5);
    x[3] = _mm256_sub_epi16(e3, t4);
    x[4] = _mm256_add_epi16(e3, t4);
}

// The low 16 bits of (c * m + 64) >> 7 from the product's halves: bits 7..22
// of the 32-bit sum, the carry of the low half's +64 taken into the high one.
inline V dequant_schnell(V c, V m) {
    const V lo = _mm256_add_epi16(_mm256_mullo_epi16(c, m), k16(64));
    const V uebertrag = _mm256_cmpeq_epi16(_mm256_srli_epi16(lo, 6), _mm256_setzero_si256());
    const V hi = _mm256_sub_epi16(_mm256_mulhi_epi16(c, m), uebertrag);
    return _mm256_or_si256(_mm256_srli_epi16(lo, 7), _mm256_slli_epi16(hi, 9));
}

inline V zwei(const int16_t* a, const int16_t* b) {
    return _mm256_setr_m128i(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a)),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)));
}

// Columns 0..3 of eight rows (both halves) as four vectors of eight rows
// each: lanes 0..3 of a transposition, the rest of it being zero columns.
inline void vier_spalten(V x[8]) {
    const V a0 = _mm256_unpacklo_epi16(x[0], x[1]), a2 = _mm256_unpacklo_epi16(x[2], x[3]);
    const V a4 = _mm256_unpacklo_epi16(x[4], x[5]), a6 = _mm256_unpacklo_epi16(x[6], x[7]);
    const V b0 = _mm256_unpacklo_epi32(a0, a2), b1 = _mm256_unpackhi_epi32(a0, a2);
    const V b4 = _mm256_unpacklo_epi32(a4, a6), b5 = _mm256_unpackhi_epi32(a4, a6);
    x[0] = _mm256_unpacklo_epi64(b0, b4);
    x[1] = _mm256_unpackhi_epi64(b0, b4);
    x[2] = _mm256_unpacklo_epi64(b1, b5);
    x[3] = _mm256_unpackhi_epi64(b1, b5);
}

// The fast inverse of two blocks, one in each half, written as bytes: the
// column pass on the rows, a transposition, the row pass on the columns;
// its output columns are shifted, narrowed and transposed as bytes.
// (v >> 4) + 128 clamped to 0..255 is (v >> 4) clamped to -128..127 with
// the top bit flipped: the signed pack and an exclusive or take the place
// of the addition and the unsigned pack. The caller has seen that
// coefficient rows Zeilen..7 are zero, and with Zeilen below 8 columns 4..7
// as well: the column pass then gives zero columns 4..7, and only columns
// 0..3 go on to the row pass.
template <int Zeilen>
inline void schnell_kern(V x[8], uint8_t* za, int64_t aa, uint8_t* zb, int64_t ab) {
    aan_rueck<Zeilen>(x);  // column pass, lanes = columns
    if (Zeilen < 8) vier_spalten(x);
    else transponieren(x);                // x[i]: column i, lanes = rows
    aan_rueck<Zeilen < 8 ? 4 : 8>(x);  // row pass: x[i] output column i
    for (int i = 0; i < 8; ++i) x[i] = _mm256_srai_epi16(x[i], 4);
    // Per half: columns 0 and 4, 1 and 5, 2 and 6, 3 and 7 as bytes.
    const V p0 = _mm256_packs_epi16(x[0], x[4]), p1 = _mm256_packs_epi16(x[1], x[5]);
    const V p2 = _mm256_packs_epi16(x[2], x[6]), p3 = _mm256_packs_epi16(x[3], x[7]);
    // Pairs of columns (0,1), (4,5), (2,3), (6,7) row by row, then groups of four.
    const V e = _mm256_unpacklo_epi8(p0, p1), f = _mm256_unpackhi_epi8(p0, p1);
    const V g = _mm256_unpacklo_epi8(p2, p3), h = _mm256_unpackhi_epi8(p2, p3);
    const V links_oben = _mm256_unpacklo_epi16(e, g), links_unten = _mm256_unpackhi_epi16(e, g);
    const V rechts_oben = _mm256_unpacklo_epi16(f, h), rechts_unten = _mm256_unpackhi_epi16(f, h);
    const V oben = _mm256_set1_epi8(int8_t(0x80));
    V zeilen[4];  // rows 2k and 2k + 1 of each block
    zeilen[0] = _mm256_xor_si256(_mm256_unpacklo_epi32(links_oben, rechts_oben), oben);
    zeilen[1] = _mm256_xor_si256(_mm256_unpackhi_epi32(links_oben, rechts_oben), oben);
    zeilen[2] = _mm256_xor_si256(_mm256_unpacklo_epi32(links_unten, rechts_unten), oben);
    zeilen[3] = _mm256_xor_si256(_mm256_unpackhi_epi32(links_unten, rechts_unten), oben);
    for (int k = 0; k < 4; ++k) {
        const __m128i lo = _mm256_castsi256_si128(zeilen[k]), hi = _mm256_extracti128_si256(zeilen[k], 1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(za + aa * (2 * k)), lo);
        hoch_speichern(za + aa * (2 * k + 1), lo);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(zb + ab * (2 * k)), hi);
        hoch_speichern(zb + ab * (2 * k + 1), hi);
    }
}

}  // namespace

void Jpeg_IDCT_Schnell_AVX2_Paar(const int16_t* a, const int16_t* qa, const int16_t* b, const int16_t* qb,
                                 uint8_t* za, int64_t abstand_a, uint8_t* zb, int64_t abstand_b) {
    if ((qa && qa[JPEG_QTAB_SCHMAL] != 1) || (qb && qb[JPEG_QTAB_SCHMAL] != 1) || !qa != !qb) {
        // Multipliers beyond 16 bits, or one block dequantised already: one at a time.
        Jpeg_IDCT_Schnell_SSE2_Bytes(a, qa, za, abstand_a);
        Jpeg_IDCT_Schnell_SSE2_Bytes(b, qb, zb, abstand_b);
        return;
    }
    V x[8];
    for (int i = 0; i < 8; ++i) x[i] = zwei(a + 8 * i, b + 8 * i);
    // Coefficient rows 4..7 and columns 4..7 zero in both blocks: the column
    // pass has zero inputs 4..7, and its outputs' columns 4..7 (the row
    // pass's inputs 4..7 after the transposition) are zero as well. Smooth
    // pictures often have rows 2..3 zero besides. The quantised values
    // decide (a zero stays zero in the dequantisation, so only the rows
    // that may be non-zero are dequantised; a value that becomes zero only
    // leaves a longer road, with the same samples).
    const V mitte = _mm256_or_si256(x[2], x[3]);
    const V oben = _mm256_or_si256(_mm256_or_si256(x[0], x[1]), mitte);
    const V unten = _mm256_or_si256(_mm256_or_si256(x[4], x[5]), _mm256_or_si256(x[6], x[7]));
    const V rest = _mm256_or_si256(unten, _mm256_unpackhi_epi64(oben, oben));
    const int zeilen = !_mm256_testz_si256(rest, rest) ? 8 : (!_mm256_testz_si256(mitte, mitte) ? 4 : 2);
    if (qa)
        for (int i = 0; i < zeilen; ++i) x[i] = dequant_schnell(x[i], zwei(qa + 8 * i, qb + 8 * i));
    if (zeilen == 8) schnell_kern<8>(x, za, abstand_a, zb, abstand_b);
    else if (zeilen == 4) schnell_kern<4>(x, za, abstand_a, zb, abstand_b);
    else schnell_kern<2>(x, za, abstand_a, zb, abstand_b);
}

void Jpeg_IDCT_Genau_AVX2_Paar(const int16_t* a, const int16_t* b, uint8_t* za, int64_t abstand_a, uint8_t* zb,
                               int64_t abstand_b) {
    V x[8];
    for (int i = 0; i < 8; ++i)
        x[i] = _mm256_setr_m128i(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 8 * i)),
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 8 * i)));
    // Rows 4..7 and the right halves of rows 0..3, of both blocks together.
    const V oben = _mm256_or_si256(_mm256_or_si256(x[0], x[1]), _mm256_or_si256(x[2], x[3]));
    const V unten = _mm256_or_si256(_mm256_or_si256(x[4], x[5]), _mm256_or_si256(x[6], x[7]));
    const V rest = _mm256_or_si256(unten, _mm256_unpackhi_epi64(oben, oben));
    if (_mm256_testz_si256(rest, rest)) kern<true>(x, za, abstand_a, zb, abstand_b);
    else kern<false>(x, za, abstand_a, zb, abstand_b);
}

#if defined(__clang__)
#pragma clang attribute pop
#endif

#else  // without SSE2 the processor codes 3..6 are never chosen

void Jpeg_IDCT_Schnell_AVX2_Paar(const int16_t* a, const int16_t* qa, const int16_t* b, const int16_t* qb,
                                 uint8_t* za, int64_t abstand_a, uint8_t* zb, int64_t abstand_b) {
    Jpeg_IDCT_Schnell_SSE2_Bytes(a, qa, za, abstand_a);
    Jpeg_IDCT_Schnell_SSE2_Bytes(b, qb, zb, abstand_b);
}

void Jpeg_IDCT_Genau_AVX2_Paar(const int16_t* a, const int16_t* b, uint8_t* za, int64_t abstand_a, uint8_t* zb,
                               int64_t abstand_b) {
    Jpeg_IDCT_Genau_SSE2_Bytes(a, za, abstand_a);
    Jpeg_IDCT_Genau_SSE2_Bytes(b, zb, abstand_b);
}

#endif
