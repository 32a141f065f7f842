// Forward 8x8 DCTs, generic forms.
//
// Both work in place on 64 int16 values in natural order (level-shifted
// samples in, coefficients out). Products are formed in 64 bits so that no
// input, however wild, overflows; for level-shifted 8-bit samples every
// intermediate fits the 32 bits the methods are defined in.
#include "jpeg/jpeg_kern.h"

namespace {

// (v * k + 2^14) >> 15, the products rounded one by one.
inline int64_t r15(int64_t v, int64_t k) { return (v * k + 16384) >> 15; }

// One step of the fast AAN transform on x[0], x[s], ..., x[7s].
template <typename T>
inline void aan_vorwaerts(const T* x, int s, int64_t* y) {
    const int64_t t0 = int64_t(x[0]) + x[7 * s], t7 = int64_t(x[0]) - x[7 * s];
    const int64_t t1 = int64_t(x[s]) + x[6 * s], t6 = int64_t(x[s]) - x[6 * s];
    const int64_t t2 = int64_t(x[2 * s]) + x[5 * s], t5 = int64_t(x[2 * s]) - x[5 * s];
    const int64_t t3 = int64_t(x[3 * s]) + x[4 * s], t4 = int64_t(x[3 * s]) - x[4 * s];

    const int64_t t10 = t0 + t3, t13 = t0 - t3, t11 = t1 + t2, t12 = t1 - t2;
    y[0] = t10 + t11;
    y[4] = t10 - t11;
    const int64_t z1 = r15(t12 + t13, 23170);
    y[2] = t13 + z1;
    y[6] = t13 - z1;

    const int64_t a = t4 + t5, b = t5 + t6, c = t6 + t7;
    const int64_t z5 = r15(a - c, 12540);
    const int64_t z2 = r15(a, 17734) + z5;
    const int64_t z4 = r15(c, 42813) + z5;
    const int64_t z3 = r15(b, 23170);
    const int64_t z11 = t7 + z3, z13 = t7 - z3;
    y[5] = z13 + z2;
    y[3] = z13 - z2;
    y[1] = z11 + z4;
    y[7] = z11 - z4;
}

// One step of the accurate transform. zeile: the row pass's descaling,
// otherwise the column pass's.
inline void llm_vorwaerts(int16_t* x, int s, bool zeile) {
    const int64_t t0 = int64_t(x[0]) + x[7 * s], t7 = int64_t(x[0]) - x[7 * s];
    const int64_t t1 = int64_t(x[s]) + x[6 * s], t6 = int64_t(x[s]) - x[6 * s];
    const int64_t t2 = int64_t(x[2 * s]) + x[5 * s], t5 = int64_t(x[2 * s]) - x[5 * s];
    const int64_t t3 = int64_t(x[3 * s]) + x[4 * s], t4 = int64_t(x[3 * s]) - x[4 * s];

    const int64_t p = t0 + t3, q = t1 + t2, d = t0 - t3, e = t1 - t2;
    const int schub = zeile ? 12 : 21;
    const int64_t rund = int64_t(1) << (schub - 1);
    if (zeile) {
        x[0] = int16_t((p + q) * 8);
        x[4 * s] = int16_t((p - q) * 8);
    } else {
        x[0] = int16_t((p + q + 32) >> 6);
        x[4 * s] = int16_t((p - q + 32) >> 6);
    }
    x[2 * s] = int16_t((d * 42813 + e * 17734 + rund) >> schub);
    x[6 * s] = int16_t((d * 17734 - e * 42813 + rund) >> schub);

    const int64_t A = (t7 * 46341 + 2048) >> 12;
    const int64_t B = (t4 * 46341 + 2048) >> 12;
    const int64_t P = (t6 + t5) * 8, M = (t6 - t5) * 8;
    const int64_t U = A + P, V = B + M, W = A - P, X = B - M;
    x[s] = int16_t((U * 4017 + V * 799 + rund) >> schub);
    x[7 * s] = int16_t((U * 799 - V * 4017 + rund) >> schub);
    x[5 * s] = int16_t((W * 2276 + X * 3406 + rund) >> schub);
    x[3 * s] = int16_t((W * 3406 - X * 2276 + rund) >> schub);
}

}  // namespace

void Jpeg_FDCT_Schnell(int16_t* block) {
    int64_t arbeit[64];
    for (int z = 0; z < 8; ++z) aan_vorwaerts(block + 8 * z, 1, arbeit + 8 * z);
    for (int sp = 0; sp < 8; ++sp) {
        int64_t y[8];
        aan_vorwaerts(arbeit + sp, 8, y);
        for (int k = 0; k < 8; ++k) block[8 * k + sp] = int16_t(y[k]);
    }
}

void Jpeg_FDCT_Genau(int16_t* block) {
    for (int z = 0; z < 8; ++z) llm_vorwaerts(block + 8 * z, 1, true);
    for (int sp = 0; sp < 8; ++sp) llm_vorwaerts(block + sp, 8, false);
}

void Jpeg_FDCT_Praezise(int16_t* block) {
    // The SIMD forms' arithmetic: per pass mirrored sums and differences
    // (16 bits), products summed in 32 bits, rounded and shifted, packed to
    // 16 bits with saturation.
    auto pass = [](const int16_t* v, int schritt, int schub, int16_t* aus, int aus_schritt) {
        int16_t s[4], d[4];
        for (int x = 0; x < 4; ++x) {
            s[x] = int16_t(v[x * schritt] + v[(7 - x) * schritt]);
            d[x] = int16_t(v[x * schritt] - v[(7 - x) * schritt]);
        }
        for (int u = 0; u < 8; ++u) {
            const int16_t* q = (u & 1) ? d : s;
            int32_t summe = int32_t(1) << (schub - 1);
            for (int x = 0; x < 4; ++x) summe += int32_t(q[x]) * Jpeg_DCT_Praezise_Matrix[u][x];
            summe >>= schub;
            aus[u * aus_schritt] = int16_t(summe < -32768 ? -32768 : summe > 32767 ? 32767 : summe);
        }
    };
    int16_t a[64];
    for (int r = 0; r < 8; ++r) pass(block + 8 * r, 1, 10, a + r, 8);  // a[u * 8 + r]
    for (int u = 0; u < 8; ++u) pass(a + 8 * u, 1, 17, block + u, 8);
}
