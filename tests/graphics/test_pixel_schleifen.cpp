// The direct pixel loops, each against a plain one-pixel-at-a-time form,
// over rectangles that cross every edge of source and destination. The
// surfaces have wider strides than widths, so a loop that writes past its
// rectangle or row end shows in the guard pixels.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "graphics/blitter.h"
#include "graphics/pixel_schleifen.h"

namespace {

struct Flaeche {
    i32 w, h, stride;
    std::vector<u16> p;
    Flaeche(i32 w_, i32 h_, u32 saat, i32 rand = 5) : w(w_), h(h_), stride(w_ + rand), p(size_t(stride) * h_) {
        for (u16& v : p) {
            saat = saat * 1103515245u + 12345u;
            const u32 z = saat >> 16;
            v = (z % 7 == 0) ? 0 : (z % 11 == 0) ? 0x1234 : static_cast<u16>(z * 2654435761u >> 8);
        }
    }
    u16& at(i32 x, i32 y) { return p[size_t(y) * stride + x]; }
};

std::vector<u8> maske(size_t pixel, u32 saat) {
    std::vector<u8> m((pixel + 7) / 8);
    for (u8& b : m) saat = saat * 69069u + 1, b = static_cast<u8>(saat >> 24);
    return m;
}

// Plain channel forms, written out per layout.
struct K {
    int t;
    int r(u32 p) const { return t == 16 ? (p & 0xF800) >> 8 : (p & 0x7C00) >> 7; }
    int g(u32 p) const { return t == 16 ? (p & 0x7E0) >> 3 : (p & 0x3E0) >> 2; }
    int b(u32 p) const { return (p & 31) * 8; }
    u16 pack(int r_, int g_, int b_) const {
        r_ = std::min(r_, 255), g_ = std::min(g_, 255), b_ = std::min(b_, 255);
        return t == 16 ? u16((r_ >> 3) << 11 | (g_ >> 2) << 5 | b_ >> 3) : u16((r_ >> 3) << 10 | (g_ >> 3) << 5 | b_ >> 3);
    }
};

u16 dunkel(int t, u16 p, int l) {
    const K k{t};
    const u16 e = k.pack((k.r(p) * l) >> 7, (k.g(p) * l) >> 7, (k.b(p) * l) >> 7);
    return p && !e ? 1 : e;
}

u16 hell(u16 s, u16 d, int l) {
    const K k{16};
    const int q = l / 4, g = l - q;
    auto c = [&](int a, int b) { return ((a * (256 - g) + b * g) >> 8) + q; };
    return k.pack(c(k.r(s), k.r(d)), c(k.g(s), k.g(d)), c(k.b(s), k.b(d)));
}

constexpr u16 KEY = 0x1234;

// One loop of the common shape and its one-pixel form: given source pixel,
// destination pixel and source index, the new destination pixel.
struct Schleife {
    const char* name;
    std::function<void(Flaeche&, i32, i32, i32, i32, Flaeche&, i32, i32, const u8*)> lauf;
    std::function<u16(u16 s, u16 d, i64 i, const u8* m)> eins;
};

bool bit(const u8* m, i64 i) { return (m[i >> 3] >> (i & 7)) & 1; }

std::vector<Schleife> schleifen() {
#define SHAPE(f) f(q.p.data(), sx, sy, w, h, q.stride, z.p.data(), dx, dy, z.stride
    using F = Flaeche;
    return {
        {"Schluessel_Einzeln", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                  const u8*) { SHAPE(Blt_Kopie_Schluessel_Einzeln), KEY); },
         [](u16 s, u16 d, i64, const u8*) { return s == KEY ? d : s; }},
        {"Breit", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy, const u8*) { SHAPE(Blt_Kopie_Breit)); },
         [](u16 s, u16, i64, const u8*) { return s; }},
        {"Zeile_Transparent", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                 const u8*) { SHAPE(Blt_Zeile_Transparent)); },
         [](u16 s, u16 d, i64, const u8*) { return s ? s : d; }},
        {"Abdunkeln_Maske_555", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                   const u8* m) { SHAPE(Blt_Abdunkeln_Maske_555), 100, m); },
         [](u16 s, u16 d, i64 i, const u8* m) { return bit(m, i) ? dunkel(15, s, 100) : d; }},
        {"Abdunkeln_Maske_565", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                   const u8* m) { SHAPE(Blt_Abdunkeln_Maske_565), 300, m); },  // level taken as 256
         [](u16 s, u16 d, i64 i, const u8* m) { return bit(m, i) ? dunkel(16, s, 256) : d; }},
        {"Abdunkeln_Schluessel_555", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                        const u8*) { SHAPE(Blt_Abdunkeln_Schluessel_555), 120, KEY); },
         [](u16 s, u16 d, i64, const u8*) { return s == KEY ? d : dunkel(15, s, 120); }},
        {"Abdunkeln_Schluessel_565", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                        const u8*) { SHAPE(Blt_Abdunkeln_Schluessel_565), 7, KEY); },
         [](u16 s, u16 d, i64, const u8*) { return s == KEY ? d : dunkel(16, s, 7); }},
        {"Abdunkeln_Schluessel_565_hell", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                             const u8*) { SHAPE(Blt_Abdunkeln_Schluessel_565), 200, KEY); },
         [](u16 s, u16 d, i64, const u8*) { return s == KEY ? d : dunkel(16, s, 200); }},
        {"Aufhellen_Schluessel", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                    const u8*) { SHAPE(Blt_Aufhellen_Schluessel), KEY, 90); },
         [](u16 s, u16 d, i64, const u8*) { return s == KEY ? d : hell(s, d, 90); }},
        {"Aufhellen_Doppel", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                const u8*) { SHAPE(Blt_Aufhellen_Doppel), KEY, 255); },
         [](u16 s, u16 d, i64, const u8*) { return s == KEY ? d : hell(s, d, 255); }},
        {"Aufhellen_Doppel_B", [](F& q, i32 sx, i32 sy, i32 w, i32 h, F& z, i32 dx, i32 dy,
                                  const u8*) { SHAPE(Blt_Aufhellen_Doppel_B), KEY, 33); },
         [](u16 s, u16 d, i64, const u8*) { return d == KEY ? d : hell(s, d, 33); }},
    };
#undef SHAPE
}

// Rectangles (source x, y, w, h, destination x, y) over a 37 x 23 source and
// a 41 x 19 destination: inside, and across each edge of each surface.
struct Rechteck {
    i32 sx, sy, w, h, dx, dy;
};
const Rechteck RECHTECKE[] = {
    {0, 0, 37, 23, 0, 0},   {3, 2, 17, 9, 5, 4},    {-4, 1, 20, 5, 2, 2},   {1, -3, 9, 12, 2, 1},
    {30, 0, 20, 6, 0, 0},   {0, 18, 9, 20, 0, 0},   {2, 2, 15, 7, -6, 3},   {2, 2, 15, 7, 3, -5},
    {2, 2, 15, 9, 33, 3},   {2, 2, 15, 9, 4, 14},   {-9, -9, 60, 60, -2, -1}, {0, 0, 37, 23, 40, 18},
    {0, 0, 1, 1, 40, 18},   {5, 5, 8, 3, 33, 16},
};

TEST(PixelSchleifen, GleichDerEinzelpixelFormUndGeclippt) {
    const auto m = maske(size_t(42) * 23, 77);
    for (const Schleife& s : schleifen())
        for (const Rechteck& r : RECHTECKE) {
            Flaeche q(37, 23, 11), z(41, 19, 29);
            // A few key pixels in the destination for the _B member.
            for (i32 i = 0; i < 41; i += 6) z.at(i, i % 19) = KEY;
            Flaeche erwartet = z;
            for (i32 y = 0; y < r.h; ++y)
                for (i32 x = 0; x < r.w; ++x) {
                    const i32 qx = r.sx + x, qy = r.sy + y, zx = r.dx + x, zy = r.dy + y;
                    if (qx < 0 || qy < 0 || qx >= q.w || qy >= q.h || zx < 0 || zy < 0 || zx >= z.w || zy >= z.h)
                        continue;
                    erwartet.at(zx, zy) = s.eins(q.at(qx, qy), z.at(zx, zy), i64(qy) * q.stride + qx, m.data());
                }
            i32 sx = r.sx, sy = r.sy, w = r.w, h = r.h, dx = r.dx, dy = r.dy;
            if (Blt_Clip(&sx, &sy, &w, &h, q.w, q.h, &dx, &dy, z.w, z.h)) s.lauf(q, sx, sy, w, h, z, dx, dy, m.data());
            EXPECT_EQ(z.p, erwartet.p) << s.name << " rect " << r.sx << "," << r.sy << " " << r.w << "x" << r.h
                                       << " at " << r.dx << "," << r.dy;
        }
}

TEST(PixelSchleifen, AufhellenGrenzwerte) {
    // Level 0 gives the source itself; the brightness is added after the blend.
    for (u32 p = 1; p < 0x10000; p += 251) EXPECT_EQ(Blt_Aufhellen_Pixel(u16(p), 0, 0), p);
    EXPECT_EQ(Blt_Aufhellen_Pixel(0, 0, 256), K{16}.pack(64, 64, 64));
    EXPECT_EQ(Blt_Aufhellen_Pixel(0xFFFF, 0xFFFF, 256), 0xFFFF);  // clamped, no wrap
}

TEST(PixelSchleifen, HalbeMaskenkopie) {
    // (source rectangle, destination place) with the half-size result
    // touching each edge of the 20 x 12 destination.
    const Rechteck faelle[] = {{0, 0, 37, 23, 2, 0}, {4, 3, 9, 7, 0, 0}, {1, 1, 10, 5, 15, 9},
                               {6, 0, 2, 1, 19, 11}, {0, 0, 1, 3, 5, 5}, {3, 8, 30, 15, 0, 4}};
    const auto m = maske(size_t(42) * 23, 5);
    for (const Rechteck& r : faelle) {
        Flaeche q(37, 23, 3), z(20, 12, 8);
        Flaeche erwartet = z;
        for (i32 y = 0; y < r.h; y += 2)
            for (i32 x = 1; x < r.w; x += 2) {
                const i32 qx = r.sx + x, qy = r.sy + y;
                if (bit(m.data(), i64(qy) * q.stride + qx)) erwartet.at(r.dx + x / 2, r.dy + y / 2) = q.at(qx, qy);
            }
        ASSERT_LE(r.dx + Blt_Halb_Breite(r.w), z.w);
        ASSERT_LE(r.dy + Blt_Halb_Hoehe(r.h), z.h);
        Blt_Kopie_Maske_Halb(q.p.data(), r.sx, r.sy, r.w, r.h, q.stride, z.p.data(), r.dx, r.dy, z.stride, m.data());
        EXPECT_EQ(z.p, erwartet.p) << r.sx << "," << r.sy << " " << r.w << "x" << r.h;
    }
}

TEST(PixelSchleifen, Linien) {
    struct Fall {
        i32 x0, y0, x1, y1;
    } faelle[] = {
        {0, 0, 15, 4},   {15, 4, 0, 0},    {3, 1, 3, 1},       {2, 9, 9, 2},      {0, 0, 4, 15},   {-20, -3, 40, 9},
        {5, -30, 7, 40}, {-9, 5, -1, 7},   {17, 0, 17, 9},     {0, 11, 16, 11},   {1, 2, 13, 8},   {14, 2, 2, 8},
        {-2000000000, 5, 2000000000, 6},   {8, 2000000000, 8, -2000000000},
    };
    for (const Fall& f : faelle) {
        Flaeche z(16, 11, 1, 3);
        Flaeche erwartet = z;
        // One point per step along the longer axis, the other rounded.
        const i64 dx = i64(f.x1) - f.x0, dy = i64(f.y1) - f.y0;
        const bool xh = std::abs(dx) >= std::abs(dy);
        const i64 n = xh ? std::abs(dx) : std::abs(dy), m = xh ? std::abs(dy) : std::abs(dx);
        const i64 a0 = xh ? f.x0 : f.y0, sa = (xh ? dx : dy) < 0 ? -1 : 1;
        for (i64 a = 0; a < (xh ? z.w : z.h); ++a) {
            const i64 i = (a - a0) * sa;
            if (i < 0 || i > n) continue;
            const i64 off = n ? (n + 2 * i * m) / (2 * n) : 0;
            const i64 b = (xh ? f.y0 : f.x0) + ((xh ? dy : dx) < 0 ? -off : off);
            const i64 x = xh ? a : b, y = xh ? b : a;
            if (x >= 0 && y >= 0 && x < z.w && y < z.h) erwartet.at(i32(x), i32(y)) = 0xBEEF;
        }
        Blt_Linie(z.p.data(), z.w, z.h, z.stride, f.x0, f.y0, f.x1, f.y1, 0xBEEF);
        EXPECT_EQ(z.p, erwartet.p) << f.x0 << "," << f.y0 << " -> " << f.x1 << "," << f.y1;
    }
    // The straight lines are fills of height or width 1 (clipped like a blit).
    for (const Rechteck& r : RECHTECKE) {
        Flaeche z(41, 19, 2), erwartet = z;
        i32 sx = 0, sy = 0, w = r.w, h = 1, dx = r.dx, dy = r.dy;
        for (i32 x = std::max(0, r.dx); x < std::min(41, r.dx + r.w); ++x)
            if (r.dy >= 0 && r.dy < 19) erwartet.at(x, r.dy) = 7;
        if (Blt_Clip(&sx, &sy, &w, &h, 9999, 9999, &dx, &dy, z.w, z.h)) Blt_Linie_Waagrecht(z.p.data(), dx, dy, w, z.stride, 7);
        EXPECT_EQ(z.p, erwartet.p);
        Flaeche s(41, 19, 2), erwartet_s = s;
        sx = 0, sy = 0, w = 1, h = r.h, dx = r.dx, dy = r.dy;
        for (i32 y = std::max(0, r.dy); y < std::min(19, r.dy + r.h); ++y)
            if (r.dx >= 0 && r.dx < 41) erwartet_s.at(r.dx, y) = 7;
        if (Blt_Clip(&sx, &sy, &w, &h, 9999, 9999, &dx, &dy, s.w, s.h)) Blt_Linie_Senkrecht(s.p.data(), dx, dy, h, s.stride, 7);
        EXPECT_EQ(s.p, erwartet_s.p);
    }
}

// A 37 x 23 sprite from pixels with transparent (0) runs of every length.
struct Sprite {
    Flaeche bild{37, 23, 13, 0};
    std::unique_ptr<Rle_Sprite> sp;
    Sprite() {
        for (i32 y = 0; y < bild.h; ++y)
            for (i32 x = 0; x < bild.w; ++x)
                if ((x * 7 + y * 3) % 11 < 3 || x == 36) bild.at(x, y) = 0;
        sp = Rle_Sprite_Aus_Pixeln(bild.p.data(), bild.w, bild.h);
    }
};

TEST(PixelSchleifen, SpriteAusschnitte) {
    Sprite s;
    ASSERT_TRUE(s.sp);
    for (const Rechteck& r : RECHTECKE) {
        Flaeche z(41, 19, 4), erwartet = z;
        for (i32 y = 0; y < r.h; ++y)
            for (i32 x = 0; x < r.w; ++x) {
                const i32 qx = r.sx + x, qy = r.sy + y, zx = r.dx + x, zy = r.dy + y;
                if (qx < 0 || qy < 0 || qx >= 37 || qy >= 23 || zx < 0 || zy < 0 || zx >= z.w || zy >= z.h) continue;
                if (s.bild.at(qx, qy)) erwartet.at(zx, zy) = s.bild.at(qx, qy);
            }
        i32 sx = r.sx, sy = r.sy, w = r.w, h = r.h, dx = r.dx, dy = r.dy;
        if (Blt_Clip(&sx, &sy, &w, &h, 37, 23, &dx, &dy, z.w, z.h))
            Blt_Rle_Ausschnitt(*s.sp, sx, sy, w, h, z.p.data(), dx, dy, z.stride);
        EXPECT_EQ(z.p, erwartet.p) << r.sx << "," << r.sy << " " << r.w << "x" << r.h << " at " << r.dx << "," << r.dy;
    }
    // From row 17 to the end, columns 4..15, equals the same part.
    Flaeche a(41, 19, 4), b = a;
    Blt_Rle_Ab_Zeile(*s.sp, 17, 4, 12, a.p.data(), 3, 2, a.stride);
    Blt_Rle_Ausschnitt(*s.sp, 4, 17, 12, 6, b.p.data(), 3, 2, b.stride);
    EXPECT_EQ(a.p, b.p);
    EXPECT_NE(a.p, Flaeche(41, 19, 4).p);
}

TEST(PixelSchleifen, SpriteAlphaHalbGeclippt) {
    Sprite s;
    struct Fall {
        i32 dx, dy, stufe;
    } faelle[] = {{0, 0, 64}, {-5, -3, 128}, {10, 5, 0}, {20, 2, 100}, {-17, 12, 77}, {30, -11, 200}};
    for (const Fall& f : faelle)
        for (i32 t : {15, 16}) {
            Rastport_Bild rp(Rastport_Neu_Einfach(24, 14, t));
            Flaeche z(24, 14, 9, 0);
            std::copy(z.p.begin(), z.p.end(), rp->bitmap->pixel16());
            const i32 l = std::clamp(f.stufe, 0, 128);
            const K k{t};
            for (i32 y = 0; y < 23; y += 2)
                for (i32 x = 1; x < 37; x += 2) {
                    const u16 q = s.bild.at(x, y);
                    const i32 zx = f.dx + x / 2, zy = f.dy + y / 2;
                    if (!q || zx < 0 || zy < 0 || zx >= 24 || zy >= 14) continue;
                    const u16 d = z.at(zx, zy);
                    auto c = [&](int a, int b) { return ((a * l) >> 7) + ((b * (128 - l)) >> 7); };
                    z.at(zx, zy) = k.pack(c(k.r(q), k.r(d)), c(k.g(q), k.g(d)), c(k.b(q), k.b(d)));
                }
            EXPECT_EQ(Blt_Rle_Alpha_Halb(*s.sp, rp.get(), f.dx, f.dy, f.stufe), 1);
            EXPECT_TRUE(std::equal(z.p.begin(), z.p.end(), rp->bitmap->pixel16())) << f.dx << "," << f.dy << " t" << t;
            EXPECT_EQ(Blt_Leer_A(*s.sp, rp.get(), 0, 0) + Blt_Leer_B(*s.sp, rp.get(), 0, 0), 0);
        }
}

}  // namespace
