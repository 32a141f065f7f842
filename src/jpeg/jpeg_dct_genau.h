// The lane arithmetic of the SIMD forward DCTs (the accurate one and the fast
// form's AAN step), written once for the
// SSE2 form (one block in eight 16-bit lanes) and the AVX2 form (two blocks,
// one in each 128-bit half: every instruction used works within its half).
// A form passes its instruction set as O, a struct of static functions on its
// vector type O::V:
//   add sub adds subs mulhi oder (16-bit lanes), shl<N>, k16(v),
//   lo hi (unpack 16-bit lanes), madd add32 sar32<N> k32(v) packs,
//   madd_add(acc, a, b)  acc + madd(a, b) (32-bit lanes, wrapping),
//   ohne_hohe(v)   no lane has bit 15 set,
//   gewicht(u, paar, h)  the row-pass weights Jpeg_DCT_Gewichte.w[u][paar][h].
// Included after jpeg_simd.h and the form's target pragma: the templates live in an unnamed
// namespace, so each file compiles its own copy for its instruction set.
#pragma once

#include <cstdint>

// Weights of the accurate row pass, arranged for multiply-adds on pairs of
// columns (x, x + 1) of four rows at a time: [u][paar][haelfte][lane]. The
// first two pairs also weigh the mirrored sums and differences.
struct Jpeg_DCT_Gewichte_T {
    alignas(32) int16_t w[8][4][2][8];
};
extern const Jpeg_DCT_Gewichte_T Jpeg_DCT_Gewichte;

// Weights of the precise transform's two passes: round(2^15 a(u) cos((2x+1)
// u pi / 16)) with a(0) = sqrt(1/8), a(u) = 1/2, arranged for multiply-adds
// on the mirrored sums (even u) or differences (odd u) of columns x, 3 - x
// ... : [u][paar][lane], lanes (W(u, 2 paar), W(u, 2 paar + 1)) four times.
struct Jpeg_DCT_Praezise_T {
    alignas(32) int16_t w[8][2][8];
};
extern const Jpeg_DCT_Praezise_T Jpeg_DCT_Praezise_Gewichte;

namespace {

// The fast form's AAN step (Jpeg_FDCT_Schnell_MMX) on eight vectors in
// place, in wrapping 16-bit arithmetic; with its two transposes around it a
// row pass, then a column pass.
template <class O>
inline void aan_vorwaerts(typename O::V x[8]) {
    using V = typename O::V;
    const V t0 = O::add(x[0], x[7]), t7 = O::sub(x[0], x[7]);
    const V t1 = O::add(x[1], x[6]), t6 = O::sub(x[1], x[6]);
    const V t2 = O::add(x[2], x[5]), t5 = O::sub(x[2], x[5]);
    const V t3 = O::add(x[3], x[4]), t4 = O::sub(x[3], x[4]);

    const V t10 = O::add(t0, t3), t13 = O::sub(t0, t3);
    const V t11 = O::add(t1, t2), t12 = O::sub(t1, t2);
    x[0] = O::add(t10, t11);
    x[4] = O::sub(t10, t11);
    const V z1 = O::mulhi(O::template shl<1>(O::add(t12, t13)), O::k16(23168));
    x[2] = O::add(t13, z1);
    x[6] = O::sub(t13, z1);

    const V a = O::add(t4, t5), b = O::add(t5, t6), c = O::add(t6, t7);
    const V z5 = O::mulhi(O::sub(a, c), O::k16(25088));
    const V z2 = O::add(O::mulhi(O::template shl<1>(a), O::k16(17792)), z5);
    const V z4 = O::add(O::mulhi(O::template shl<2>(c), O::k16(21376)), z5);
    const V z3 = O::mulhi(O::template shl<1>(b), O::k16(23168));
    const V z11 = O::add(t7, z3), z13 = O::sub(t7, z3);
    x[5] = O::add(z13, z2);
    x[3] = O::sub(z13, z2);
    x[1] = O::add(z11, z4);
    x[7] = O::sub(z11, z4);
}

template <class O>
struct DCT_Genau {
    using V = typename O::V;

    static V tan1(V v) { return O::mulhi(v, O::k16(13036)); }
    static V tan2(V v) { return O::mulhi(v, O::k16(27146)); }
    static V tan3(V v) { return O::adds(v, O::mulhi(v, O::k16(-21746))); }
    static V cos4(V v) { return O::mulhi(v, O::k16(23170)); }

    // Column pass on the eight rows x[] (lanes = columns) in saturating
    // arithmetic with the tangent factorisation; y[] receives the eight
    // outputs, each scaled for its row class.
    static void spalten(const V x[8], V y[8]) {
        const V S07 = O::template shl<3>(O::adds(x[0], x[7]));
        const V S16 = O::template shl<3>(O::adds(x[1], x[6]));
        const V S25 = O::template shl<3>(O::adds(x[2], x[5]));
        const V S34 = O::template shl<3>(O::adds(x[3], x[4]));
        const V D07 = O::template shl<3>(O::subs(x[0], x[7]));
        const V D34 = O::template shl<3>(O::subs(x[3], x[4]));
        const V D16 = O::template shl<4>(O::subs(x[1], x[6]));
        const V D25 = O::template shl<4>(O::subs(x[2], x[5]));
        const V eins = O::k16(1);

        const V e0 = O::adds(S07, S34), e1 = O::adds(S16, S25);
        const V e2 = O::subs(S07, S34), e3 = O::subs(S16, S25);
        y[0] = O::adds(e0, e1);
        y[4] = O::subs(e0, e1);
        y[2] = O::oder(O::adds(e2, tan2(e3)), eins);
        y[6] = O::oder(O::subs(tan2(e2), e3), eins);

        const V p = O::oder(cos4(O::adds(D16, D25)), eins);
        const V m = cos4(O::subs(D16, D25));
        const V a = O::adds(D34, m), b = O::subs(D34, m);
        const V c = O::subs(D07, p), d = O::adds(D07, p);
        y[1] = O::oder(O::adds(d, tan1(a)), eins);
        y[7] = O::subs(tan1(d), a);
        y[3] = O::subs(c, tan3(b));
        y[5] = O::adds(tan3(c), b);
    }

    // True when every value lies in -16384..16383. Column-pass outputs of
    // level-shifted 8-bit samples always do (they stay below 8200 in size).
    static bool halbe_breite(const V y[8]) {
        const V versatz = O::k16(0x4000);
        V o = O::add(y[0], versatz);
        for (int i = 1; i < 8; ++i) o = O::oder(o, O::add(y[i], versatz));
        return O::ohne_hohe(o);
    }

    // Row pass on y[x] = column x of all rows (lanes = rows), aus[u] = lane k:
    // coefficient (k, u), rounded and shifted by S (20: the coefficients;
    // 17: eight times them, for the precise quantiser). Every product sum is
    // formed whole, in any order: the 32-bit sums wrap alike.
    template <int S>
    static void zeilen_voll(const V y[8], V aus[8]) {
        V paare[4][2];
        for (int paar = 0; paar < 4; ++paar) {
            paare[paar][0] = O::lo(y[2 * paar], y[2 * paar + 1]);
            paare[paar][1] = O::hi(y[2 * paar], y[2 * paar + 1]);
        }
        const V rund = O::k32(1 << (S - 1));
        for (int u = 0; u < 8; ++u) {
            V s[2];
            for (int h = 0; h < 2; ++h) {
                V acc = rund;
                for (int paar = 0; paar < 4; ++paar)
                    acc = O::add32(acc, O::madd(paare[paar][h], O::gewicht(u, paar, h)));
                s[h] = O::template sar32<S>(acc);
            }
            aus[u] = O::packs(s[0], s[1]);
        }
    }

    // The sums and differences of the mirrored columns x and 7 - x, paired
    // for the multiply-adds: ps from the sums (even u), pd from the
    // differences (odd u).
    static void spiegel_paare(const V v[8], V ps[2][2], V pd[2][2]) {
        V s[4], d[4];
        for (int x = 0; x < 4; ++x) {
            s[x] = O::add(v[x], v[7 - x]);
            d[x] = O::sub(v[x], v[7 - x]);
        }
        for (int j = 0; j < 2; ++j) {
            ps[j][0] = O::lo(s[2 * j], s[2 * j + 1]);
            ps[j][1] = O::hi(s[2 * j], s[2 * j + 1]);
            pd[j][0] = O::lo(d[2 * j], d[2 * j + 1]);
            pd[j][1] = O::hi(d[2 * j], d[2 * j + 1]);
        }
    }

    // The same row pass for inputs within -16384..16383: the weights of
    // column 7 - x equal those of column x, negated for odd u, so the sums
    // and differences of the mirrored columns (exact in 16 bits there) halve
    // the multiply-adds without changing a single sum.
    template <int S>
    static void zeilen_gespiegelt(const V y[8], V aus[8]) {
        V ps[2][2], pd[2][2];
        spiegel_paare(y, ps, pd);
        const V rund = O::k32(1 << (S - 1));
        for (int u = 0; u < 8; ++u) {
            const V(*q)[2] = (u & 1) ? pd : ps;
            V r[2];
            for (int h = 0; h < 2; ++h) {
                const V a = O::madd(q[0][h], O::gewicht(u, 0, h));
                const V b = O::madd(q[1][h], O::gewicht(u, 1, h));
                r[h] = O::template sar32<S>(O::add32(O::add32(a, b), rund));
            }
            aus[u] = O::packs(r[0], r[1]);
        }
    }

    // One pass of the precise transform over v[x] (lanes: the other
    // direction): aus[u] = sum over x of W(u, x) v[x] on the mirrored sums
    // and differences, rounded and shifted by S.
    template <int S>
    static void praezise_pass(const V v[8], V aus[8]) {
        V ps[2][2], pd[2][2];
        spiegel_paare(v, ps, pd);
        const V rund = O::k32(1 << (S - 1));
        for (int u = 0; u < 8; ++u) {
            const V(*q)[2] = (u & 1) ? pd : ps;
            const V w0 = O::gewicht_p(u, 0), w1 = O::gewicht_p(u, 1);
            V r[2];
            for (int h = 0; h < 2; ++h)
                r[h] = O::template sar32<S>(O::madd_add(O::madd_add(rund, q[0][h], w0), q[1][h], w1));
            aus[u] = O::packs(r[0], r[1]);
        }
    }

    // The precise transform of the rows x[] of level-shifted samples:
    // aus[i] receives row i of eight times the coefficients. Rows first with
    // five fraction bits kept, then columns; every product is exact and
    // each pass rounds once.
    static void praezise(const V x[8], V aus[8]) {
        V t[8], a[8];
        for (int i = 0; i < 8; ++i) t[i] = x[i];
        O::transponieren(t);      // t[c]: column c, lanes = rows
        praezise_pass<10>(t, a);  // a[u]: horizontal frequency u of every row (x 32)
        O::transponieren(a);      // a[r]: row r, lanes = horizontal frequencies
        praezise_pass<17>(a, aus);
    }

    // The whole transform of the rows x[]; aus[i] receives coefficient row i
    // (scaled by 8 with S = 17).
    template <int S = 20>
    static void rechnen(const V x[8], V aus[8]) {
        V y[8];
        spalten(x, y);
        // After the transposition y[x] holds column x of all rows.
        O::transponieren(y);
        if (__builtin_expect(halbe_breite(y), 1)) zeilen_gespiegelt<S>(y, aus);
        else zeilen_voll<S>(y, aus);
        O::transponieren(aus);
    }
};

}  // namespace
