// The encoder's colour kernels: the inverted RGBA form, the rounding of
// sub-sampled groups, and the SIMD forms against the generic ones on random
// pixels, on built pictures and on every colour.
#include "jpeg/enc_intern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Ausgabe {
    alignas(32) int16_t b[10 * 64];
};

using Kern = void (*)(const uint8_t*, int64_t, int16_t*, int16_t*, int16_t*, int16_t*);

// Runs a kernel whose MCU is w x h pixels of bpp bytes, with ny Y blocks
// and (for four-channel members) ny alpha blocks after Cb and Cr.
void Laufen(Kern k, const uint8_t* p, int64_t st, int ny, bool alpha, Ausgabe& a) {
    std::fill(std::begin(a.b), std::end(a.b), int16_t(0x5A5A));
    int16_t* y = a.b;
    int16_t* cb = y + 64 * ny;
    int16_t* cr = cb + 64;
    k(p, st, y, cb, cr, alpha ? cr + 64 : nullptr);
}

}  // namespace

// RGBA inverts the colour bytes and keeps alpha minus 128. (The colour
// transform of three-byte pixels shows in the pictures compared with
// cjpeg's in the tool tests.)
TEST(JpegEncFarbe, RgbaIsInvertedWithAlpha) {
    std::vector<uint8_t> rgba(8 * 32);
    for (int i = 0; i < 64; ++i) rgba[4 * i] = 0, rgba[4 * i + 1] = 0, rgba[4 * i + 2] = 0, rgba[4 * i + 3] = 40;
    for (Kern k : {Jpeg_Kod_RGBA_1111, Jpeg_Kod_RGBA_1111_SSE2}) {
        Ausgabe a;
        Laufen(k, rgba.data(), 32, 1, true, a);
        EXPECT_EQ((std::vector<int16_t>{a.b[5], a.b[64 + 5], a.b[192 + 5]}), (std::vector<int16_t>{127, 0, 40 - 128}));
    }
}

TEST(JpegEncFarbe, SubsampledKernelsRoundTheGroupSumOnce) {
    // A 2x2 group (1,0,0), (1,0,0), (0,0,0), (0,0,0): Cr = (256 + 512) >> 10 = 0.
    std::vector<uint8_t> px(16 * 48, 0);
    px[0] = 1;
    px[3] = 1;
    for (Kern k : {Jpeg_Kod_RGB_411, Jpeg_Kod_RGB_411_SSE2}) {
        Ausgabe a;
        Laufen(k, px.data(), 48, 4, false, a);
        EXPECT_EQ(a.b[4 * 64 + 64], 0);
    }
}

TEST(JpegEncFarbe, SimdKernelsEqualTheGenericOnes) {
    std::mt19937 rnd(11);
    struct Paar {
        Kern g, s;
        int b, w, h, ny;
        bool alpha;
    };
    std::vector<Paar> paare = {{Jpeg_Kod_Grau, Jpeg_Kod_Grau_SSE2, 1, 8, 8, 1, false},
                               {Jpeg_Kod_RGBA_1111, Jpeg_Kod_RGBA_1111_SSE2, 4, 8, 8, 1, true}};
    // The three-byte kernels: generic, then the SSE2, SSSE3, AVX2 and
    // AVX-512 VNNI forms the processor can run.
    const Kern drei[6][5] = {
        {Jpeg_Kod_RGB_111, Jpeg_Kod_RGB_111_SSE2, Jpeg_Kod_RGB_111_SSSE3, Jpeg_Kod_RGB_111_AVX2, Jpeg_Kod_RGB_111_VNNI},
        {Jpeg_Kod_BGR_111, Jpeg_Kod_BGR_111_SSE2, Jpeg_Kod_BGR_111_SSSE3, Jpeg_Kod_BGR_111_AVX2, Jpeg_Kod_BGR_111_VNNI},
        {Jpeg_Kod_RGB_422, Jpeg_Kod_RGB_422_SSE2, Jpeg_Kod_RGB_422_SSSE3, Jpeg_Kod_RGB_422_AVX2, Jpeg_Kod_RGB_422_VNNI},
        {Jpeg_Kod_BGR_422, Jpeg_Kod_BGR_422_SSE2, Jpeg_Kod_BGR_422_SSSE3, Jpeg_Kod_BGR_422_AVX2, Jpeg_Kod_BGR_422_VNNI},
        {Jpeg_Kod_RGB_411, Jpeg_Kod_RGB_411_SSE2, Jpeg_Kod_RGB_411_SSSE3, Jpeg_Kod_RGB_411_AVX2, Jpeg_Kod_RGB_411_VNNI},
        {Jpeg_Kod_BGR_411, Jpeg_Kod_BGR_411_SSE2, Jpeg_Kod_BGR_411_SSSE3, Jpeg_Kod_BGR_411_AVX2, Jpeg_Kod_BGR_411_VNNI},
    };
    const int formen = Jpeg_Simd_Hat(JSIMD_AVX512_VNNI)  ? 5
                       : __builtin_cpu_supports("avx2")  ? 4
                       : __builtin_cpu_supports("ssse3") ? 3
                                                         : 2;
    for (int i = 0; i < 6; ++i)
        for (int f = 1; f < formen; ++f) {
            const int hf = i < 2 ? 1 : 2, vf = i < 4 ? 1 : 2;
            paare.push_back({drei[i][0], drei[i][f], 3, 8 * hf, 8 * vf, hf * vf, false});
        }
    for (const Paar& p : paare) {
        for (int runde = 0; runde < 200; ++runde) {
            // Rows exactly as long as the MCU (plus fill bytes in half of the
            // rounds), so that a read past a row's end would be caught.
            int st = p.w * p.b + (runde % 2 ? 5 : 0);
            std::vector<uint8_t> pixel(static_cast<size_t>(st) * (p.h - 1) + p.w * p.b);
            for (uint8_t& v : pixel) v = static_cast<uint8_t>(runde < 4 ? (runde & 1) * 255 : rnd());
            for (bool rueckwaerts : {false, true}) {
                const uint8_t* start = rueckwaerts ? pixel.data() + static_cast<size_t>(st) * (p.h - 1) : pixel.data();
                int64_t schritt = rueckwaerts ? -st : st;
                Ausgabe a, b;
                Laufen(p.g, start, schritt, p.ny, p.alpha, a);
                Laufen(p.s, start, schritt, p.ny, p.alpha, b);
                int n = p.b == 1 ? 64 : (p.ny + 2 + (p.alpha ? p.ny : 0)) * 64;
                ASSERT_TRUE(std::equal(a.b, a.b + n, b.b)) << "kernel " << (&p - paare.data()) << " round " << runde;
            }
        }
    }
}

namespace {

// The three-byte kernels in the order 4:4:4, 4:2:2, 4:2:0, RGB then BGR
// within each: the generic form and the SIMD forms this processor runs.
struct Drei_Form {
    const char* name;
    Kern k[6];
};

std::vector<Drei_Form> Drei_Formen() {
    std::vector<Drei_Form> f = {
        {"allgemein",
         {Jpeg_Kod_RGB_111, Jpeg_Kod_BGR_111, Jpeg_Kod_RGB_422, Jpeg_Kod_BGR_422, Jpeg_Kod_RGB_411, Jpeg_Kod_BGR_411}},
        {"SSE2",
         {Jpeg_Kod_RGB_111_SSE2, Jpeg_Kod_BGR_111_SSE2, Jpeg_Kod_RGB_422_SSE2, Jpeg_Kod_BGR_422_SSE2,
          Jpeg_Kod_RGB_411_SSE2, Jpeg_Kod_BGR_411_SSE2}}};
    if (__builtin_cpu_supports("ssse3"))
        f.push_back({"SSSE3",
                     {Jpeg_Kod_RGB_111_SSSE3, Jpeg_Kod_BGR_111_SSSE3, Jpeg_Kod_RGB_422_SSSE3, Jpeg_Kod_BGR_422_SSSE3,
                      Jpeg_Kod_RGB_411_SSSE3, Jpeg_Kod_BGR_411_SSSE3}});
    if (__builtin_cpu_supports("avx2"))
        f.push_back({"AVX2",
                     {Jpeg_Kod_RGB_111_AVX2, Jpeg_Kod_BGR_111_AVX2, Jpeg_Kod_RGB_422_AVX2, Jpeg_Kod_BGR_422_AVX2,
                      Jpeg_Kod_RGB_411_AVX2, Jpeg_Kod_BGR_411_AVX2}});
    if (Jpeg_Simd_Hat(JSIMD_AVX512_VNNI))
        f.push_back({"VNNI",
                     {Jpeg_Kod_RGB_111_VNNI, Jpeg_Kod_BGR_111_VNNI, Jpeg_Kod_RGB_422_VNNI, Jpeg_Kod_BGR_422_VNNI,
                      Jpeg_Kod_RGB_411_VNNI, Jpeg_Kod_BGR_411_VNNI}});
    return f;
}

}  // namespace

// Pictures built to expose mistakes a random one hides: pixels that differ
// by position (a pixel or group read from the wrong place or stored to the
// wrong one), one channel alone at full strength (a weight at the wrong
// byte, R and B swapped), the largest group sums, and neighbours at the
// extremes (the rounding of a group's sum, a carry between sums).
TEST(JpegEncFarbe, SimdKernelsEqualTheGenericOnesOnBuiltPictures) {
    using Muster = std::function<uint8_t(int x, int y, int c)>;
    const struct {
        const char* name;
        Muster m;
    } muster[] = {
        {"Stellen", [](int x, int y, int c) { return uint8_t(x * 7 + y * 29 + c * 83); }},
        {"nur R", [](int, int, int c) { return uint8_t(c == 0 ? 255 : 0); }},
        {"nur G", [](int, int, int c) { return uint8_t(c == 1 ? 255 : 0); }},
        {"nur B", [](int, int, int c) { return uint8_t(c == 2 ? 255 : 0); }},
        {"weiss", [](int, int, int) { return uint8_t(255); }},
        {"Schachbrett", [](int x, int y, int c) { return uint8_t(((x ^ y ^ c) & 1) ? 255 : 0); }},
        {"Spalten", [](int x, int, int c) { return uint8_t((x & 1) ? 255 - c : c); }},
        {"Zeilen", [](int, int y, int c) { return uint8_t((y & 1) ? 255 : 1 + c); }},
        {"Ecken", [](int x, int y, int c) { return uint8_t((x * 5 + y * 3 + c) % 4 < 2 ? 254 + (x & 1) : y & 1); }},
        {"Verlauf",
         [](int x, int y, int c) {
             return uint8_t(c == 1 ? x * 16 + y : c == 0 ? y * 16 + x : 255 - x - y);
         }},
    };
    const std::vector<Drei_Form> formen = Drei_Formen();
    for (int i = 0; i < 6; ++i) {
        const int hf = i < 2 ? 1 : 2, vf = i < 4 ? 1 : 2, ny = hf * vf, w = 8 * hf, h = 8 * vf;
        const int n = (ny + 2) * 64;
        for (const auto& mu : muster) {
            // Rows exactly as long as the MCU: a read past a row's end is caught.
            std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    for (int c = 0; c < 3; ++c) px[(y * w + x) * 3 + c] = mu.m(x, y, c);
            Ausgabe soll;
            Laufen(formen[0].k[i], px.data(), w * 3, ny, false, soll);
            for (size_t f = 1; f < formen.size(); ++f) {
                Ausgabe ist;
                Laufen(formen[f].k[i], px.data(), w * 3, ny, false, ist);
                for (int k = 0; k < n; ++k)
                    ASSERT_EQ(ist.b[k], soll.b[k])
                        << formen[f].name << " kernel " << i << " " << mu.name << " sample " << k;
            }
        }
    }
}

// Every one of the 2^24 colours through the 4:4:4 kernels of every form,
// the colour's bytes in RGB and BGR order alike.
TEST(JpegEncFarbe, EveryColourGivesTheGenericSamples) {
    const std::vector<Drei_Form> formen = Drei_Formen();
    std::vector<uint8_t> px(64 * 3);
    for (int bgr = 0; bgr < 2; ++bgr)
        for (uint32_t farbe = 0; farbe < (1u << 24); farbe += 64) {
            for (uint32_t i = 0; i < 64; ++i) {
                const uint32_t v = farbe + i;
                px[3 * i] = uint8_t(v >> 16);
                px[3 * i + 1] = uint8_t(v >> 8);
                px[3 * i + 2] = uint8_t(v);
            }
            Ausgabe soll;
            Laufen(formen[0].k[bgr], px.data(), 24, 1, false, soll);
            for (size_t f = 1; f < formen.size(); ++f) {
                Ausgabe ist;
                Laufen(formen[f].k[bgr], px.data(), 24, 1, false, ist);
                if (!std::equal(soll.b, soll.b + 3 * 64, ist.b)) {
                    FAIL() << formen[f].name << (bgr ? " BGR" : " RGB") << " colours from " << farbe;
                    return;
                }
            }
        }
}

// Grey from three-byte pixels: the AVX2 form gives the SSSE3 form's values
// and both (77 R + 150 G + 29 B - 32640) >> 8, for every colour in RGB and
// BGR order, with rows packed (24 bytes) and apart (a longer or a negative
// step, the picture stored bottom up).
TEST(JpegEncFarbe, GreyFromThreeBytesGivesTheGeneralValues) {
    using Grau = void (*)(const uint8_t*, int64_t, int16_t*, bool);
    std::vector<std::pair<const char*, Grau>> formen = {{"SSSE3", Jpeg_Kod_Grau_Drei_SSSE3}};
    if (!__builtin_cpu_supports("ssse3")) GTEST_SKIP() << "processor without SSSE3";
    if (__builtin_cpu_supports("avx2")) formen.push_back({"AVX2", Jpeg_Kod_Grau_Drei_AVX2});
    const int64_t schritte[] = {24, 40, -40};
    std::vector<uint8_t> px(8 * 40);
    for (const int64_t st : schritte)
        for (int bgr = 0; bgr < 2; ++bgr)
            for (uint32_t farbe = 0; farbe < (1u << 24); farbe += (st == 24 ? 64 : 64 * 97)) {
                const int64_t betrag = st < 0 ? -st : st;
                uint8_t* erste = px.data() + (st < 0 ? 7 * betrag : 0);
                int16_t soll[64];
                for (uint32_t i = 0; i < 64; ++i) {
                    const uint32_t v = farbe + i;
                    uint8_t* q = erste + (i / 8) * st + 3 * (i % 8);
                    q[0] = uint8_t(v >> 16), q[1] = uint8_t(v >> 8), q[2] = uint8_t(v);
                    const int32_t r = bgr ? q[2] : q[0], b = bgr ? q[0] : q[2];
                    soll[i] = int16_t((77 * r + 150 * q[1] + 29 * b - 32640) >> 8);
                }
                for (const auto& [name, f] : formen) {
                    alignas(32) int16_t ist[64];
                    f(erste, st, ist, bgr != 0);
                    if (!std::equal(soll, soll + 64, ist)) {
                        FAIL() << name << (bgr ? " BGR" : " RGB") << " step " << st << " colours from " << farbe;
                        return;
                    }
                }
            }
}
