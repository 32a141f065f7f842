// Inverse DCTs, generic forms: full size and the reduced sizes 1/2, 1/4 and
// 1/8, for the fast (AAN) and the accurate (LLM) method.
//
// Each works in place on 64 int16 values in natural order: dequantised
// coefficients in, samples 0..255 out. The full-size kernels fill all 64
// positions, the 4x4 kernels rows 0..3 / columns 0..3, the 2x2 kernels
// positions 0, 1, 8, 9 and the 1x1 kernels position 0. Products are formed in
// 64 bits, so no input overflows.
#include "jpeg/jpeg_kern.h"

namespace {

inline int16_t klemme(int64_t v) { return int16_t(v < 0 ? 0 : (v > 255 ? 255 : v)); }
inline int64_t r15(int64_t v, int64_t k) { return (v * k + 16384) >> 15; }

// One step of the fast inverse on x[0], x[s], ..., x[7s] (regrouped AAN).
template <typename T>
inline void aan_rueck(const T* x, int s, int64_t* y) {
    const int64_t x0 = x[0], x1 = x[s], x2 = x[2 * s], x3 = x[3 * s];
    const int64_t x4 = x[4 * s], x5 = x[5 * s], x6 = x[6 * s], x7 = x[7 * s];

    const int64_t z13 = x5 + x3, z10 = x5 - x3, z11 = x1 + x7, z12 = x1 - x7;
    const int64_t k = r15(z10 - z12, 25080);
    const int64_t t7 = z11 + z13;
    const int64_t t6 = r15(z12, 35468) - k - t7;
    const int64_t t5 = r15(z11 - z13, 46341) - t6;
    const int64_t t4 = k - r15(z10, 85627) + t5;

    const int64_t a = x0 + x4, b = x0 - x4, z = x2 + x6;
    const int64_t w = r15(x2 - x6, 46341) - z;
    const int64_t e0 = a + z, e3 = a - z, e1 = b + w, e2 = b - w;

    y[0] = e0 + t7;
    y[7] = e0 - t7;
    y[1] = e1 + t6;
    y[6] = e1 - t6;
    y[2] = e2 + t5;
    y[5] = e2 - t5;
    y[3] = e3 - t4;
    y[4] = e3 + t4;
}

// One step of the accurate inverse; the outputs before descaling.
template <typename T>
inline void llm_rueck(const T* x, int s, int64_t* y) {
    const int64_t x0 = x[0], x1 = x[s], x2 = x[2 * s], x3 = x[3 * s];
    const int64_t x4 = x[4 * s], x5 = x[5 * s], x6 = x[6 * s], x7 = x[7 * s];

    const int64_t r1 = x1 * 32138 + x7 * 6393, r7 = x1 * 6393 - x7 * 32138;
    const int64_t r5 = x5 * 18205 + x3 * 27246, r3 = x5 * 27246 - x3 * 18205;
    const int64_t d = r1 - r5;
    const int64_t g = d + (r3 - r7), h = d + (r7 - r3);
    const int64_t A = ((r1 + r5 + 2048) >> 12) * 5793;
    const int64_t B = ((r7 + r3 + 2048) >> 12) * 5793;

    const int64_t E = (x0 + x4) * 32768, D = (x0 - x4) * 32768;
    const int64_t P = x2 * 42813 + x6 * 17734, Q = x2 * 17734 - x6 * 42813;
    const int64_t p0 = E + P, p3 = E - P, p1 = D + Q, p2 = D - Q;

    y[0] = p0 + A;
    y[7] = p0 - A;
    y[1] = p1 + h;
    y[6] = p1 - h;
    y[2] = p2 + g;
    y[5] = p2 - g;
    y[3] = p3 + B;
    y[4] = p3 - B;
}

// The 4-point step of the fast 1/2-size inverse (x4 is not used).
template <typename T>
inline void aan_rueck_4(const T* x, int s, int64_t* y) {
    const int64_t a = int64_t(x[5 * s]) - x[3 * s];
    const int64_t b = int64_t(x[s]) - x[7 * s];
    const int64_t c = int64_t(x[2 * s]) - x[6 * s];
    const int64_t e = r15(c, 46341) / 2;
    const int64_t E0 = x[0] + e, E1 = x[0] - e;
    const int64_t O0 = (a * -25080 + b * 60548 + 32768) >> 16;
    const int64_t O1 = (a * 60547 + b * 25080 + 32768) >> 16;
    y[0] = E0 + O0;
    y[1] = E1 + O1;
    y[2] = E1 - O1;
    y[3] = E0 - O0;
}

// The odd term of the fast 1/4-size inverse.
template <typename T>
inline int64_t aan_rueck_2(const T* x, int s) {
    return ((int64_t(x[s]) - x[7 * s]) * 85627 + (int64_t(x[5 * s]) - x[3 * s]) * 35468 + 65536) >> 17;
}

// The accurate 4-point step: T0 + T2 + U2, T0 - T2 + U0, T0 - T2 - U0, T0 + T2 - U2.
template <typename T>
inline void llm_rueck_4(const T* x, int s, int64_t* y) {
    const int64_t x0 = x[0], x1 = x[s], x2 = x[2 * s], x3 = x[3 * s];
    const int64_t x5 = x[5 * s], x6 = x[6 * s], x7 = x[7 * s];
    const int64_t T0 = x0 * 16384;
    const int64_t T2 = x2 * 15137 - x6 * 6270;
    const int64_t U0 = -x7 * 1730 + x5 * 11893 - x3 * 17799 + x1 * 8697;
    const int64_t U2 = -x7 * 4176 - x5 * 4926 + x3 * 7373 + x1 * 20995;
    y[0] = T0 + T2 + U2;
    y[1] = T0 - T2 + U0;
    y[2] = T0 - T2 - U0;
    y[3] = T0 + T2 - U2;
}

template <typename T>
inline int64_t llm_rueck_2_ungerade(const T* x, int s) {
    return -int64_t(x[7 * s]) * 5906 + int64_t(x[5 * s]) * 6967 - int64_t(x[3 * s]) * 10426 + int64_t(x[s]) * 29692;
}

}  // namespace

void Jpeg_IDCT_Schnell(int16_t* block) {
    int64_t y[8];
    for (int sp = 0; sp < 8; ++sp) {
        aan_rueck(block + sp, 8, y);
        for (int k = 0; k < 8; ++k) block[8 * k + sp] = int16_t(y[k]);
    }
    for (int z = 0; z < 8; ++z) {
        aan_rueck(block + 8 * z, 1, y);
        for (int k = 0; k < 8; ++k) block[8 * z + k] = klemme(((y[k] + 8) >> 4) + 128);
    }
}

void Jpeg_IDCT_Schnell_4x4(int16_t* block) {
    static constexpr int spalten[7] = {0, 1, 2, 3, 5, 6, 7};
    int64_t y[4];
    for (int sp : spalten) {
        aan_rueck_4(block + sp, 8, y);
        for (int k = 0; k < 4; ++k) block[8 * k + sp] = int16_t(y[k]);
    }
    for (int z = 0; z < 4; ++z) {
        aan_rueck_4(block + 8 * z, 1, y);
        for (int k = 0; k < 4; ++k) block[8 * z + k] = klemme(((y[k] + 8) >> 4) + 128);
    }
}

void Jpeg_IDCT_Schnell_2x2(int16_t* block) {
    static constexpr int spalten[5] = {0, 1, 3, 5, 7};
    for (int sp : spalten) {
        const int64_t o = aan_rueck_2(block + sp, 8);
        const int64_t x0 = block[sp];
        block[sp] = int16_t(x0 + o);
        block[8 + sp] = int16_t(x0 - o);
    }
    for (int z = 0; z < 2; ++z) {
        int16_t* r = block + 8 * z;
        const int64_t o = aan_rueck_2(r, 1);
        const int64_t r0 = r[0];
        r[0] = klemme(((r0 + o + 8) >> 4) + 128);
        r[1] = klemme(((r0 - o + 8) >> 4) + 128);
    }
}

void Jpeg_IDCT_Schnell_1x1(int16_t* block) { block[0] = klemme(((int64_t(block[0]) + 8) >> 4) + 128); }

void Jpeg_IDCT_Genau(int16_t* block) {
    alignas(32) int64_t arbeit[64];
    int64_t y[8];
    for (int z = 0; z < 8; ++z) {
        llm_rueck(block + 8 * z, 1, y);
        for (int k = 0; k < 8; ++k) arbeit[8 * z + k] = (y[k] + 2048) >> 12;
    }
    for (int sp = 0; sp < 8; ++sp) {
        llm_rueck(arbeit + sp, 8, y);
        for (int k = 0; k < 8; ++k) block[8 * k + sp] = klemme(((y[k] + (1 << 20)) >> 21) + 128);
    }
}

void Jpeg_IDCT_Genau_4x4(int16_t* block) {
    int64_t arbeit[4 * 8] = {};
    int64_t y[4];
    for (int sp = 0; sp < 8; ++sp) {
        if (sp == 4) continue;
        const int16_t* x = block + sp;
        if ((x[8] | x[16] | x[24] | x[40] | x[48] | x[56]) == 0) {
            for (int k = 0; k < 4; ++k) arbeit[8 * k + sp] = int64_t(x[0]) * 4;
            continue;
        }
        llm_rueck_4(x, 8, y);
        for (int k = 0; k < 4; ++k) arbeit[8 * k + sp] = (y[k] + 2048) >> 12;
    }
    for (int z = 0; z < 4; ++z) {
        const int64_t* w = arbeit + 8 * z;
        int16_t* aus = block + 8 * z;
        if ((w[1] | w[2] | w[3] | w[5] | w[6] | w[7]) == 0) {
            const int16_t v = klemme(((w[0] + 16) >> 5) + 128);
            for (int k = 0; k < 4; ++k) aus[k] = v;
            continue;
        }
        llm_rueck_4(w, 1, y);
        for (int k = 0; k < 4; ++k) aus[k] = klemme(((y[k] + (1 << 18)) >> 19) + 128);
    }
}

void Jpeg_IDCT_Genau_2x2(int16_t* block) {
    static constexpr int spalten[5] = {0, 1, 3, 5, 7};
    int64_t arbeit[2 * 8] = {};
    for (int sp : spalten) {
        const int16_t* x = block + sp;
        if ((x[8] | x[24] | x[40] | x[56]) == 0) {
            arbeit[sp] = arbeit[8 + sp] = int64_t(x[0]) * 4;
            continue;
        }
        const int64_t T = int64_t(x[0]) * 32768;
        const int64_t U = llm_rueck_2_ungerade(x, 8);
        arbeit[sp] = (T + U + 4096) >> 13;
        arbeit[8 + sp] = (T - U + 4096) >> 13;
    }
    for (int z = 0; z < 2; ++z) {
        const int64_t* w = arbeit + 8 * z;
        int16_t* aus = block + 8 * z;
        if ((w[1] | w[3] | w[5] | w[7]) == 0) {
            aus[0] = aus[1] = klemme(((w[0] + 16) >> 5) + 128);
            continue;
        }
        const int64_t T = w[0] * 32768;
        const int64_t U = llm_rueck_2_ungerade(w, 1);
        aus[0] = klemme(((T + U + (1 << 19)) >> 20) + 128);
        aus[1] = klemme(((T - U + (1 << 19)) >> 20) + 128);
    }
}

void Jpeg_IDCT_Genau_1x1(int16_t* block) { block[0] = klemme(((int64_t(block[0]) + 4) >> 3) + 128); }
