// Encoder colour conversion and down-sampling: the choice of the per-MCU
// converter, the fast workers with their whole-MCU kernels (generic forms
// here, SSE2 forms in enc_farbe_sse2.cpp) and their partial-MCU fillers.
//
// Samples are 16-bit, level-shifted: luminance and copied components are the
// byte minus 128, Cb and Cr are centred on 0, alpha is the byte minus 128.
// Three-byte pixels (RGB, BGR) are converted with 14-bit weights, rounded to
// nearest:
//   Y  = ((4899 R + 9617 G + 1868 B + 8192) >> 14) - 128
//   Cb = (-2765 R - 5427 G + 8192 B + 8192 n) >> (14 + log2 n)
//   Cr = (8192 R - 6860 G - 1332 B + 8192 n) >> (14 + log2 n)
// four-byte pixels with the 8-bit weights
//   Y  = (77 R + 150 G + 29 B - 32640) >> 8
//   Cb = (-43 R - 85 G + 128 B + 128 n) >> (8 + log2 n)
//   Cr = (128 R - 107 G - 21 B + 128 n) >> (8 + log2 n)
// where R, G, B are sums over the n pixels of a down-sampling group.
#include "jpeg/enc_intern.h"

#include <cstdlib>
#include <cstring>

namespace {

inline int32_t Y_Wert(int32_t r, int32_t g, int32_t b) { return (77 * r + 150 * g + 29 * b - 32640) >> 8; }
inline int32_t Cb_Wert(int32_t r, int32_t g, int32_t b, int32_t n, int32_t sh) {
    return (-43 * r - 85 * g + 128 * b + 128 * n) >> sh;
}
inline int32_t Cr_Wert(int32_t r, int32_t g, int32_t b, int32_t n, int32_t sh) {
    return (128 * r - 107 * g - 21 * b + 128 * n) >> sh;
}
// The 14-bit weights of three-byte pixels (sh = 14 + log2 n).
inline int32_t Y_Genau(int32_t r, int32_t g, int32_t b) { return ((4899 * r + 9617 * g + 1868 * b + 8192) >> 14) - 128; }
inline int32_t Cb_Genau(int32_t r, int32_t g, int32_t b, int32_t n, int32_t sh) {
    return (-2765 * r - 5427 * g + 8192 * b + 8192 * n) >> sh;
}
inline int32_t Cr_Genau(int32_t r, int32_t g, int32_t b, int32_t n, int32_t sh) {
    return (8192 * r - 6860 * g - 1332 * b + 8192 * n) >> sh;
}

// The colour bytes of a pixel at ri, gi, bi, inverted for the four-channel
// members.
inline void Farbe_Lesen(const uint8_t* px, int ri, int gi, int bi, bool inv, int32_t& r, int32_t& g, int32_t& b) {
    const int32_t x = inv ? 255 : 0;
    r = px[ri] ^ x;
    g = px[gi] ^ x;
    b = px[bi] ^ x;
}

// Index of pixel (x, y) of an MCU in the raster of its 8x8 blocks, for a
// component with hb blocks across.
inline int32_t Block_Index(int32_t x, int32_t y, int32_t hb) {
    return ((y >> 3) * hb + (x >> 3)) * 64 + (y & 7) * 8 + (x & 7);
}

// Colour kernels: B bytes per pixel, colour bytes at RI, GI, BI, inverted
// for the four-channel members (whose fourth byte becomes alpha); chroma
// groups of HF x VF pixels.
template <int B, int RI, int GI, int BI, bool INV, int HF, int VF>
void Farbe_Kern(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* a) {
    const int32_t n = HF * VF;
    const int32_t sh = (B == 3 ? 14 : 8) + (n == 4 ? 2 : n == 2 ? 1 : 0);
    for (int zy = 0; zy < 8 * VF; ++zy) {
        const uint8_t* q = p + zy * st;
        for (int x = 0; x < 8 * HF; ++x) {
            const uint8_t* px = q + x * B;
            int32_t r, g, b;
            Farbe_Lesen(px, RI, GI, BI, INV, r, g, b);
            int32_t i = Block_Index(x, zy, HF);
            y[i] = static_cast<int16_t>(B == 3 ? Y_Genau(r, g, b) : Y_Wert(r, g, b));
            if (B == 4) a[i] = static_cast<int16_t>(px[3] - 128);
        }
    }
    for (int cy = 0; cy < 8; ++cy)
        for (int cx = 0; cx < 8; ++cx) {
            int32_t sr = 0, sg = 0, sb = 0;
            for (int j = 0; j < VF; ++j)
                for (int i = 0; i < HF; ++i) {
                    const uint8_t* px = p + (cy * VF + j) * st + (cx * HF + i) * B;
                    int32_t r, g, b;
                    Farbe_Lesen(px, RI, GI, BI, INV, r, g, b);
                    sr += r;
                    sg += g;
                    sb += b;
                }
            cb[cy * 8 + cx] = static_cast<int16_t>(B == 3 ? Cb_Genau(sr, sg, sb, n, sh) : Cb_Wert(sr, sg, sb, n, sh));
            cr[cy * 8 + cx] = static_cast<int16_t>(B == 3 ? Cr_Genau(sr, sg, sb, n, sh) : Cr_Wert(sr, sg, sb, n, sh));
        }
}

// Copying kernels: component 1 at full resolution, components 2 and 3
// averaged over HF x VF pixels, NK components of NK bytes.
template <int NK, int HF, int VF>
void Kopie_Kern(const uint8_t* p, int64_t st, int16_t* c1, int16_t* c2, int16_t* c3, int16_t* c4) {
    const int32_t n = HF * VF;
    for (int zy = 0; zy < 8 * VF; ++zy) {
        const uint8_t* q = p + zy * st;
        for (int x = 0; x < 8 * HF; ++x) {
            c1[Block_Index(x, zy, HF)] = static_cast<int16_t>(q[x * NK] - 128);
            if (NK == 4) c4[Block_Index(x, zy, HF)] = static_cast<int16_t>(q[x * NK + 3] - 128);
        }
    }
    for (int cy = 0; cy < 8; ++cy)
        for (int cx = 0; cx < 8; ++cx) {
            int32_t s2 = 0, s3 = 0;
            for (int j = 0; j < VF; ++j)
                for (int i = 0; i < HF; ++i) {
                    const uint8_t* px = p + (cy * VF + j) * st + (cx * HF + i) * NK;
                    s2 += px[1];
                    s3 += px[2];
                }
            c2[cy * 8 + cx] = static_cast<int16_t>((s2 + n / 2) / n - 128);
            c3[cy * 8 + cx] = static_cast<int16_t>((s3 + n / 2) / n - 128);
        }
}

}  // namespace

void Jpeg_Kod_Grau(const uint8_t* p, int64_t st, int16_t* y, int16_t*, int16_t*, int16_t*) {
    for (int zy = 0; zy < 8; ++zy)
        for (int x = 0; x < 8; ++x) y[zy * 8 + x] = static_cast<int16_t>(p[zy * st + x] - 128);
}

// The entry points of the generic whole-MCU kernels.
#define ENC_KERN(NAME, ...)                                                                       \
    void NAME(const uint8_t* p, int64_t st, int16_t* k1, int16_t* k2, int16_t* k3, int16_t* k4) { \
        __VA_ARGS__(p, st, k1, k2, k3, k4);                                                       \
    }
ENC_KERN(Jpeg_Kod_RGB_111, Farbe_Kern<3, 0, 1, 2, false, 1, 1>)
ENC_KERN(Jpeg_Kod_BGR_111, Farbe_Kern<3, 2, 1, 0, false, 1, 1>)
ENC_KERN(Jpeg_Kod_RGB_422, Farbe_Kern<3, 0, 1, 2, false, 2, 1>)
ENC_KERN(Jpeg_Kod_BGR_422, Farbe_Kern<3, 2, 1, 0, false, 2, 1>)
ENC_KERN(Jpeg_Kod_RGB_411, Farbe_Kern<3, 0, 1, 2, false, 2, 2>)
ENC_KERN(Jpeg_Kod_BGR_411, Farbe_Kern<3, 2, 1, 0, false, 2, 2>)
ENC_KERN(Jpeg_Kod_RGBA_1111, Farbe_Kern<4, 0, 1, 2, true, 1, 1>)
ENC_KERN(Jpeg_Kod_RGBA_4224, Farbe_Kern<4, 0, 1, 2, true, 2, 1>)
ENC_KERN(Jpeg_Kod_RGBA_4114, Farbe_Kern<4, 0, 1, 2, true, 2, 2>)
ENC_KERN(Jpeg_Kod_Kopie_111, Kopie_Kern<3, 1, 1>)
ENC_KERN(Jpeg_Kod_Kopie_422, Kopie_Kern<3, 2, 1>)
ENC_KERN(Jpeg_Kod_Kopie_411, Kopie_Kern<3, 2, 2>)
#undef ENC_KERN

void Jpeg_Kod_Kopie_1111(const uint8_t* p, int64_t st, int16_t* c1, int16_t* c2, int16_t* c3, int16_t* c4) {
    for (int zy = 0; zy < 8; ++zy)
        for (int x = 0; x < 8; ++x) {
            const uint8_t* px = p + zy * st + x * 4;
            c1[zy * 8 + x] = static_cast<int16_t>(px[0] - 128);
            c2[zy * 8 + x] = static_cast<int16_t>(px[1] - 128);
            c3[zy * 8 + x] = static_cast<int16_t>(px[2] - 128);
            c4[zy * 8 + x] = static_cast<int16_t>(px[3] - 128);
        }
}

void Jpeg_Kod_YCbYCr(const uint8_t* p, int64_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    for (int zy = 0; zy < 8; ++zy) {
        const uint8_t* q = p + zy * st;
        for (int x = 0; x < 16; ++x) y[(x >> 3) * 64 + zy * 8 + (x & 7)] = static_cast<int16_t>(q[2 * x] - 128);
        for (int i = 0; i < 8; ++i) {
            cb[zy * 8 + i] = static_cast<int16_t>(q[4 * i + 1] - 128);
            cr[zy * 8 + i] = static_cast<int16_t>(q[4 * i + 3] - 128);
        }
    }
}

// ---------------------------------------------------------------------------
// Members of the worker family and their partial-MCU filler

namespace {

enum Art { GRAU, FARBE, KOPIE, YCBYCR };

struct Glied {
    int32_t code;  // Schnellweg
    int32_t art;
    int32_t b;       // bytes per pixel
    int32_t hf, vf;  // MCU of 8hf x 8vf pixels; chroma groups of hf x vf
    int32_t ri, gi, bi;
    bool inv;    // colour bytes inverted, fourth byte alpha
    int32_t nk;  // components
    Jpeg_Kod_Kern_Fn Jpeg_Kern_Tabelle::*slot;
};

constexpr Glied G_GRAU{20, GRAU, 1, 1, 1, 0, 0, 0, false, 1, &Jpeg_Kern_Tabelle::Kod_Grau};
constexpr Glied G_RGB_111{1, FARBE, 3, 1, 1, 0, 1, 2, false, 3, &Jpeg_Kern_Tabelle::Kod_RGB_111};
constexpr Glied G_BGR_111{2, FARBE, 3, 1, 1, 2, 1, 0, false, 3, &Jpeg_Kern_Tabelle::Kod_BGR_111};
constexpr Glied G_RGB_411{3, FARBE, 3, 2, 2, 0, 1, 2, false, 3, &Jpeg_Kern_Tabelle::Kod_RGB_411};
constexpr Glied G_BGR_411{4, FARBE, 3, 2, 2, 2, 1, 0, false, 3, &Jpeg_Kern_Tabelle::Kod_BGR_411};
constexpr Glied G_RGB_422{5, FARBE, 3, 2, 1, 0, 1, 2, false, 3, &Jpeg_Kern_Tabelle::Kod_RGB_422};
constexpr Glied G_BGR_422{6, FARBE, 3, 2, 1, 2, 1, 0, false, 3, &Jpeg_Kern_Tabelle::Kod_BGR_422};
constexpr Glied G_RGBA_1111{10, FARBE, 4, 1, 1, 0, 1, 2, true, 4, &Jpeg_Kern_Tabelle::Kod_RGBA_1111};
constexpr Glied G_RGBA_4114{11, FARBE, 4, 2, 2, 0, 1, 2, true, 4, &Jpeg_Kern_Tabelle::Kod_RGBA_4114};
constexpr Glied G_RGBA_4224{12, FARBE, 4, 2, 1, 0, 1, 2, true, 4, &Jpeg_Kern_Tabelle::Kod_RGBA_4224};
constexpr Glied G_KOPIE_1111{14, KOPIE, 4, 1, 1, 0, 0, 0, false, 4, &Jpeg_Kern_Tabelle::Kod_Kopie_1111};
constexpr Glied G_KOPIE_111{15, KOPIE, 3, 1, 1, 0, 0, 0, false, 3, &Jpeg_Kern_Tabelle::Kod_Kopie_111};
constexpr Glied G_KOPIE_411{16, KOPIE, 3, 2, 2, 0, 0, 0, false, 3, &Jpeg_Kern_Tabelle::Kod_Kopie_411};
constexpr Glied G_KOPIE_422{17, KOPIE, 3, 2, 1, 0, 0, 0, false, 3, &Jpeg_Kern_Tabelle::Kod_Kopie_422};
constexpr Glied G_YCBYCR{18, YCBYCR, 2, 2, 1, 0, 0, 0, false, 3, &Jpeg_Kern_Tabelle::Kod_YCbYCr};

// Converts the c x r present pixels into full-resolution planes, continues
// them by replication to the whole MCU and produces its blocks. Colour
// members round every pixel before chroma is averaged.
void Rand_Fuellen(const Glied& g, const uint8_t* p, int64_t st, int32_t c, int32_t r, int16_t* ab, bool erste_spalte) {
    const int32_t w = 8 * g.hf, h = 8 * g.vf;
    alignas(32) int16_t t[4][16 * 16];
    for (int zy = 0; zy < r; ++zy) {
        const uint8_t* q = p + zy * st;
        for (int x = 0; x < c; ++x) {
            int32_t i = zy * 16 + x;
            const uint8_t* px = q + x * g.b;
            switch (g.art) {
                case GRAU: t[0][i] = static_cast<int16_t>(px[0]); break;
                case FARBE: {
                    int32_t rr, gg, bb;
                    Farbe_Lesen(px, g.ri, g.gi, g.bi, g.inv, rr, gg, bb);
                    const bool genau = g.b == 3;
                    t[0][i] = static_cast<int16_t>(genau ? Y_Genau(rr, gg, bb) : Y_Wert(rr, gg, bb));
                    t[1][i] = static_cast<int16_t>(genau ? Cb_Genau(rr, gg, bb, 1, 14) : Cb_Wert(rr, gg, bb, 1, 8));
                    t[2][i] = static_cast<int16_t>(genau ? Cr_Genau(rr, gg, bb, 1, 14) : Cr_Wert(rr, gg, bb, 1, 8));
                    if (g.inv) t[3][i] = static_cast<int16_t>(px[3] - 128);
                    break;
                }
                case KOPIE:
                    for (int k = 0; k < g.nk; ++k) t[k][i] = px[k];
                    break;
                case YCBYCR: {
                    const uint8_t* paar = q + (x & ~1) * 2;
                    t[0][i] = px[0];
                    t[1][i] = paar[1];
                    if ((x & 1) == 0 && x == c - 1) {
                        // The last pixel of an odd row has no Cr of its own: it
                        // takes the preceding pair's, and a picture one pixel
                        // wide gets neutral chroma.
                        t[2][i] = (x == 0 && erste_spalte) ? 128 : paar[-1];
                    } else {
                        t[2][i] = paar[3];
                    }
                    break;
                }
            }
        }
    }
    int32_t nplanes = g.art == FARBE ? (g.inv ? 4 : 3) : g.nk;
    for (int k = 0; k < nplanes; ++k) {
        for (int zy = 0; zy < r; ++zy)
            for (int x = c; x < w; ++x) t[k][zy * 16 + x] = t[k][zy * 16 + c - 1];
        for (int zy = r; zy < h; ++zy) std::memcpy(&t[k][zy * 16], &t[k][(r - 1) * 16], sizeof(int16_t) * 16);
    }
    // Raw members (copy, gray, packed) are shifted by 128 at the end.
    const int32_t versatz = g.art == FARBE ? 0 : 128;
    const int32_t nvoll = g.hf * g.vf;  // blocks of a full-resolution component
    int16_t* aus = ab;
    for (int k = 0; k < nplanes; ++k) {
        bool voll = (k == 0 || k == 3);
        if (voll) {
            for (int zy = 0; zy < h; ++zy)
                for (int x = 0; x < w; ++x)
                    aus[Block_Index(x, zy, g.hf)] = static_cast<int16_t>(t[k][zy * 16 + x] - versatz);
            aus += 64 * nvoll;
        } else {
            const int32_t n = g.hf * g.vf;
            for (int cy = 0; cy < 8; ++cy)
                for (int cx = 0; cx < 8; ++cx) {
                    int32_t s = 0;
                    for (int j = 0; j < g.vf; ++j)
                        for (int i = 0; i < g.hf; ++i) s += t[k][(cy * g.vf + j) * 16 + cx * g.hf + i];
                    // Floor division (arithmetic shift) of the rounded mean.
                    int32_t m = n == 4 ? (s + 2) >> 2 : n == 2 ? (s + 1) >> 1 : s;
                    aus[cy * 8 + cx] = static_cast<int16_t>(m - versatz);
                }
            aus += 64;
        }
    }
}

// The partial-MCU filler of the three-byte colour members on the SIMD
// processor codes, with the filler's exact results: the present pixels are
// replicated to the whole MCU first (replication commutes with the per-pixel
// transform), the 4:4:4 kernel gives every pixel's Y, Cb and Cr, and the
// chroma of a down-sampling member is the rounded mean of the per-pixel
// values.
template <const Glied& G>
void Rand_Schnell(const Jpeg_Kern_Tabelle* kt, const uint8_t* p, int64_t st, int32_t c, int32_t r, int16_t* ab) {
    constexpr int32_t w = 8 * G.hf, h = 8 * G.vf, zb = w * 3;
    alignas(32) uint8_t px[16 * 16 * 3];
    for (int zy = 0; zy < r; ++zy) {
        uint8_t* ziel = px + zy * zb;
        std::memcpy(ziel, p + zy * st, static_cast<size_t>(c) * 3);
        for (int x = c; x < w; ++x) std::memcpy(ziel + x * 3, ziel + (c - 1) * 3, 3);
    }
    for (int zy = r; zy < h; ++zy) std::memcpy(px + zy * zb, px + (r - 1) * zb, zb);
    Jpeg_Kod_Kern_Fn k111 = G.ri == 0 ? kt->Kod_RGB_111 : kt->Kod_BGR_111;
    constexpr int32_t ny = G.hf * G.vf;
    if (ny == 1) {
        k111(px, zb, ab, ab + 64, ab + 128, nullptr);
        return;
    }
    alignas(32) int16_t cb[4][64], cr[4][64];
    for (int by = 0; by < G.vf; ++by)
        for (int bx = 0; bx < G.hf; ++bx) {
            int32_t b = by * G.hf + bx;
            k111(px + by * 8 * zb + bx * 24, zb, ab + 64 * b, cb[b], cr[b], nullptr);
        }
    int16_t* acb = ab + 64 * ny;
    int16_t* acr = acb + 64;
    for (int cy = 0; cy < 8; ++cy)
        for (int cx = 0; cx < 8; ++cx) {
            int32_t sb = 0, sr = 0;
            for (int j = 0; j < G.vf; ++j)
                for (int i = 0; i < 2; ++i) {
                    int32_t yy = cy * G.vf + j, xx = cx * 2 + i;
                    int32_t b = (yy >> 3) * G.hf + (xx >> 3), k = (yy & 7) * 8 + (xx & 7);
                    sb += cb[b][k];
                    sr += cr[b][k];
                }
            acb[cy * 8 + cx] = static_cast<int16_t>(ny == 4 ? (sb + 2) >> 2 : (sb + 1) >> 1);
            acr[cy * 8 + cx] = static_cast<int16_t>(ny == 4 ? (sr + 2) >> 2 : (sr + 1) >> 1);
        }
}

template <const Glied& G>
void Glied_Arbeiter(JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile) {
    const int32_t w = 8 * G.hf, h = 8 * G.vf;
    int32_t c, r;
    Jpeg_MCU_Ausschnitt(p, spalte, zeile, w, h, &c, &r);
    const int64_t st = p->Bild_Zeilenlaenge;
    // Rows counted from the first the caller's pixels hold (Band_Oben).
    const int64_t y = static_cast<int64_t>(zeile) * h - p->Band_Oben;
    uint8_t* pos = p->Bild_Pixel + y * st + static_cast<int64_t>(spalte) * w * G.b;
    if (spalte == p->MCU_Spalten - 1) p->Strom.Bild_Zeile = p->Bild_Pixel + (y + h) * st;
    else p->Strom.Bild_Zeile = pos + w * G.b;
    int16_t* ab = p->Arbeitsbereich;
    if (c == w && r == h) {
        const int32_t ny = G.hf * G.vf;
        int16_t* y = ab;
        int16_t *cb = nullptr, *cr = nullptr, *a = nullptr;
        if (G.nk >= 3) {
            bool voll = G.art == KOPIE && G.nk == 4;  // four full components
            cb = y + 64 * (voll ? 1 : ny);
            cr = cb + 64;
            if (G.nk == 4) a = cr + 64;
        }
        (p->Strom.Kern_Tabelle->*G.slot)(pos, st, y, cb, cr, a);
    } else if (G.art == FARBE && !G.inv && p->Strom.Prozessor >= JCPU_F5_MMX) {
        Rand_Schnell<G>(p->Strom.Kern_Tabelle, pos, st, c, r, ab);
    } else {
        Rand_Fuellen(G, pos, st, c, r, ab, spalte == 0);
    }
}

}  // namespace

void Jpeg_MCU_Ausschnitt(const JPEG_PROPERTIES* p, int32_t spalte, int32_t zeile, int32_t w, int32_t h, int32_t* c,
                         int32_t* r) {
    // The picture's size is the frame's; the driver has made sure that the
    // caller's pixel rows are at least that large.
    int64_t rest_x = static_cast<int64_t>(p->Rahmen_Breite) - static_cast<int64_t>(spalte) * w;
    int64_t rest_y = static_cast<int64_t>(p->Rahmen_Hoehe) - static_cast<int64_t>(zeile) * h;
    *c = static_cast<int32_t>(rest_x >= w ? w : rest_x < 1 ? 1 : rest_x);
    *r = static_cast<int32_t>(rest_y >= h ? h : rest_y < 1 ? 1 : rest_y);
}

// ---------------------------------------------------------------------------
// The choice

namespace {

enum Muster { M_KEINE, M_411, M_422, M_4114, M_4224, M_ANDERE };

Muster Muster_Von(const JPEG_PROPERTIES* p) {
    const Jpeg_Komponente* k = p->Komponenten;
    int32_t n = p->Anzahl_Komponenten;
    auto ist = [&](int i, int h, int v) { return k[i].H == h && k[i].V == v; };
    bool rest11 = true;
    for (int i = 1; i < n && i < 3; ++i) rest11 = rest11 && ist(i, 1, 1);
    if (n == 3 && rest11) {
        if (ist(0, 2, 2)) return M_411;
        if (ist(0, 2, 1)) return M_422;
    }
    if (n == 4 && rest11) {
        if (ist(0, 2, 2) && ist(3, 2, 2)) return M_4114;
        if (ist(0, 2, 1) && ist(3, 2, 1)) return M_4224;
    }
    bool alle11 = true;
    for (int i = 0; i < n; ++i) alle11 = alle11 && ist(i, 1, 1);
    return alle11 ? M_KEINE : M_ANDERE;
}

// Whether the general converters can serve the frame's factors: at most 2,
// and each dividing the largest.
bool Faktoren_Passend(const JPEG_PROPERTIES* p) {
    if (p->Max_H < 1 || p->Max_H > 2 || p->Max_V < 1 || p->Max_V > 2) return false;
    for (int i = 0; i < p->Anzahl_Komponenten; ++i) {
        const Jpeg_Komponente& k = p->Komponenten[i];
        if (k.H < 1 || k.V < 1 || p->Max_H % k.H || p->Max_V % k.V) return false;
    }
    return true;
}

}  // namespace

int32_t Jpeg_Wandler_Waehlen(JPEG_PROPERTIES* p) {
    Jpeg_Kern_Tabelle* kt = p->Strom.Kern_Tabelle;
    kt->Kod_Zeile = nullptr;
    p->Schnellweg = 0;
    const int32_t n = p->Anzahl_Komponenten;
    // Encoding is always interleaved; a state left by a decode is refused
    // rather than run without a converter.
    if (p->Verschachtelung != 0) return JPEG_ERG_PROPERTIES;
    if (n < 1 || n > 4 || !p->Komponenten) return JPEG_ERG_KOMPONENTE;
    if (!Faktoren_Passend(p)) return JPEG_ERG_ABTASTUNG;
    // The caller's rows must hold the whole picture; reading a smaller pixel
    // area would run past its end.
    // (In bands: the rows of the band.)
    const int64_t zeilen = p->Band_Unten > 0 ? int64_t{p->Band_Unten} - p->Band_Oben : int64_t{p->Rahmen_Hoehe};
    if (p->Bild_Breite < static_cast<uint32_t>(p->Rahmen_Breite) ||
        static_cast<int64_t>(std::llabs(p->Bild_Hoehe)) < zeilen || !p->Bild_Pixel)
        return JPEG_ERG_PROPERTIES;

    const uint32_t k = p->Bild_Kanaele;
    const int32_t f = p->Bild_Farbraum, j = p->Jpg_Farbraum;
    const bool s = p->Abtastung_Wandeln != 0, t = p->Farbwandlung != 0;
    const Muster m = Muster_Von(p);

    Jpeg_Kod_Zeile_Fn wahl = nullptr;
    int32_t code = 0;
    auto nimm = [&](Jpeg_Kod_Zeile_Fn fn, int32_t c) {
        wahl = fn;
        code = c;
    };

    // Packed 4:2:2 pixels (two pixels in four bytes) can only be read by the
    // packed converter; any other road would read them as wider pixels.
    if (p->Bild_Abtastung == 2) {
        if (f == FARBE_YCBCR && n == 3 && m == M_422 && s && !t) nimm(Glied_Arbeiter<G_YCBYCR>, G_YCBYCR.code);
        else return JPEG_ERG_ABTASTUNG;
    } else if (s && t) {
        if (n == 3 && f == FARBE_RGB && k == 3 && m == M_411) nimm(Glied_Arbeiter<G_RGB_411>, 3);
        else if (n == 3 && f == FARBE_RGB && k == 3 && m == M_422) nimm(Glied_Arbeiter<G_RGB_422>, 5);
        else if (n == 3 && f == FARBE_RGB && k == 4 && (m == M_411 || m == M_422)) nimm(Kod_Allgemein_Vierkanal, 0);
        else if (n == 3 && f == FARBE_BGR && k == 3 && m == M_411) nimm(Glied_Arbeiter<G_BGR_411>, 4);
        else if (n == 3 && f == FARBE_BGR && k == 3 && m == M_422) nimm(Glied_Arbeiter<G_BGR_422>, 6);
        else if (n == 4 && f == FARBE_RGBA && k == 4 && m == M_4114) nimm(Glied_Arbeiter<G_RGBA_4114>, 11);
        else if (n == 4 && f == FARBE_RGBA && k == 4 && m == M_4224) nimm(Glied_Arbeiter<G_RGBA_4224>, 12);
    } else if (s && !t) {
        if (n == 3 && k == 3 && f != FARBE_BGR) {
            if (m == M_411) nimm(Glied_Arbeiter<G_KOPIE_411>, 16);
            else if (m == M_422) nimm(Glied_Arbeiter<G_KOPIE_422>, 17);
        } else {
            nimm(Kod_Allgemein_Abtasten, 0);
        }
    } else if (!s && t) {
        if (n == 1 && k == 3 && (f == FARBE_RGB || f == FARBE_BGR))
            nimm(p->Strom.Prozessor >= JCPU_F5_MMX && Jpeg_Simd_Hat(JSIMD_SSSE3) ? Kod_Grau_Drei_SSSE3
                                                                               : Kod_Allgemein_Grau,
                 0);
        else if (n == 3 && k == 3 && f == FARBE_RGB) nimm(Glied_Arbeiter<G_RGB_111>, 1);
        else if (n == 3 && k == 3 && f == FARBE_BGR) nimm(Glied_Arbeiter<G_BGR_111>, 2);
        else if (n == 3 && k == 4 && f == FARBE_RGB) nimm(Kod_Allgemein_Vierkanal, 0);
        else if (n == 4 && k == 4 && f == FARBE_RGBA) nimm(Glied_Arbeiter<G_RGBA_1111>, 10);
    } else {
        if (n == 1 && f == FARBE_GRAU && j == FARBE_GRAU && k == 1) nimm(Glied_Arbeiter<G_GRAU>, 20);
        else if (n == 3 && k == 1 && j == FARBE_YCBCR) nimm(Kod_Allgemein_Kopie, 0);
        else if (n == 3 && k == 3 && f == FARBE_BGR) nimm(Kod_Allgemein_Kopie, 0);
        else if (n == 3 && k == 3) nimm(Glied_Arbeiter<G_KOPIE_111>, 15);
        else if (n == 3 && k == 4) nimm(Kod_Allgemein_Kopie, 0);
        // Four components from pixels of exactly four bytes; wider pixels go
        // through the general copy, which steps by the real pixel size.
        else if (n == 4 && k == 4) nimm(Glied_Arbeiter<G_KOPIE_1111>, 14);
        else if (n == 4 && k > 4) nimm(Kod_Allgemein_Kopie, 0);
        else if (j == FARBE_ANDERE && f == FARBE_ANDERE) nimm(Kod_Allgemein_Kopie, 0);
    }
    // No converter for this combination: refuse instead of running without one.
    if (!wahl) return JPEG_ERG_PROPERTIES;
    kt->Kod_Zeile = wahl;
    p->Schnellweg = code;
    return 0;
}

// ---------------------------------------------------------------------------
// The encoder's slots of the kernel table

void Jpeg_Kod_Kerne_Fuellen(Jpeg_Kern_Tabelle* t, int32_t prozessor) {
    const bool simd = prozessor >= JCPU_F5_MMX;
    t->Kod_Zeile = nullptr;
    t->Bits_Start = simd ? Jpeg_Ausgabe_Start_Schnell : Jpeg_Ausgabe_Start;
    t->Bits_Leeren = simd ? Jpeg_Bytes_Schreiben_Schnell : Jpeg_Bytes_Schreiben;
    t->Huffman_Kodieren = simd ? Jpeg_Encode_Block_Schnell : Jpeg_Encode_Block;
    t->Huffman_Bauen = Jpeg_Knappe_Huffman;
    t->Kod_Grau = simd ? Jpeg_Kod_Grau_SSE2 : Jpeg_Kod_Grau;
    // The three-byte colour kernels: generic, SSE2, SSSE3, AVX2, AVX-512 VNNI form.
    struct Drei_Formen {
        Jpeg_Kod_Kern_Fn Jpeg_Kern_Tabelle::*slot;
        Jpeg_Kod_Kern_Fn form[5];
    };
    static constexpr Drei_Formen drei[] = {
        {&Jpeg_Kern_Tabelle::Kod_RGB_111,
         {Jpeg_Kod_RGB_111, Jpeg_Kod_RGB_111_SSE2, Jpeg_Kod_RGB_111_SSSE3, Jpeg_Kod_RGB_111_AVX2,
          Jpeg_Kod_RGB_111_VNNI}},
        {&Jpeg_Kern_Tabelle::Kod_RGB_422,
         {Jpeg_Kod_RGB_422, Jpeg_Kod_RGB_422_SSE2, Jpeg_Kod_RGB_422_SSSE3, Jpeg_Kod_RGB_422_AVX2,
          Jpeg_Kod_RGB_422_VNNI}},
        {&Jpeg_Kern_Tabelle::Kod_RGB_411,
         {Jpeg_Kod_RGB_411, Jpeg_Kod_RGB_411_SSE2, Jpeg_Kod_RGB_411_SSSE3, Jpeg_Kod_RGB_411_AVX2,
          Jpeg_Kod_RGB_411_VNNI}},
        {&Jpeg_Kern_Tabelle::Kod_BGR_111,
         {Jpeg_Kod_BGR_111, Jpeg_Kod_BGR_111_SSE2, Jpeg_Kod_BGR_111_SSSE3, Jpeg_Kod_BGR_111_AVX2,
          Jpeg_Kod_BGR_111_VNNI}},
        {&Jpeg_Kern_Tabelle::Kod_BGR_422,
         {Jpeg_Kod_BGR_422, Jpeg_Kod_BGR_422_SSE2, Jpeg_Kod_BGR_422_SSSE3, Jpeg_Kod_BGR_422_AVX2,
          Jpeg_Kod_BGR_422_VNNI}},
        {&Jpeg_Kern_Tabelle::Kod_BGR_411,
         {Jpeg_Kod_BGR_411, Jpeg_Kod_BGR_411_SSE2, Jpeg_Kod_BGR_411_SSSE3, Jpeg_Kod_BGR_411_AVX2,
          Jpeg_Kod_BGR_411_VNNI}},
    };
    const int form = !simd                              ? 0
                     : Jpeg_Simd_Hat(JSIMD_AVX512_VNNI) ? 4
                     : Jpeg_Simd_Hat(JSIMD_AVX2)        ? 3
                     : Jpeg_Simd_Hat(JSIMD_SSSE3)       ? 2
                                                        : 1;
    for (const Drei_Formen& d : drei) t->*d.slot = d.form[form];
    if (simd && Jpeg_Simd_Hat(JSIMD_SSSE3)) t->Huffman_Kodieren = Jpeg_Encode_Block_Schnell_SSSE3;
    if (simd && Jpeg_Hat_BMI2_Kodierer()) t->Huffman_Kodieren = Jpeg_Encode_Block_Schnell_BMI2;
    t->Kod_Kopie_111 = Jpeg_Kod_Kopie_111;
    t->Kod_Kopie_422 = Jpeg_Kod_Kopie_422;
    t->Kod_Kopie_411 = Jpeg_Kod_Kopie_411;
    t->Kod_YCbYCr = Jpeg_Kod_YCbYCr;
    t->Kod_RGBA_1111 = simd ? Jpeg_Kod_RGBA_1111_SSE2 : Jpeg_Kod_RGBA_1111;
    t->Kod_RGBA_4224 = Jpeg_Kod_RGBA_4224;
    t->Kod_RGBA_4114 = Jpeg_Kod_RGBA_4114;
    t->Kod_Kopie_1111 = Jpeg_Kod_Kopie_1111;
}
