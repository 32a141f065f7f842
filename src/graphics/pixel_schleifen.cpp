// Pixel loops for direct callers (see pixel_schleifen.h).
#include "graphics/pixel_schleifen.h"

#include <algorithm>
#include <cstring>

#include "graphics/blitter.h"
#include "graphics/rle.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline const u16* zeile(const u16* p, i32 x, i32 y, i32 stride) {
    return p + static_cast<size_t>(y) * static_cast<size_t>(stride) + x;
}
inline u16* zeile(u16* p, i32 x, i32 y, i32 stride) {
    return p + static_cast<size_t>(y) * static_cast<size_t>(stride) + x;
}

#if defined(__SSE2__)
// Eight lanes: the destination keeps its pixel where the source lane equals
// the key, else takes the source.
inline void schluessel8(const u16* s, u16* d, __m128i key) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    const __m128i leer = _mm_cmpeq_epi16(sv, key);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_or_si128(_mm_and_si128(leer, dv), _mm_andnot_si128(leer, sv)));
}

// Eight pixels of pixel::abdunkeln (level 0..256, so c * level fits 16 bits).
template <int T>
inline __m128i abdunkeln8(__m128i s, __m128i stufe) {
    const __m128i m248 = _mm_set1_epi16(248), mg = _mm_set1_epi16(T == 16 ? 252 : 248), m255 = _mm_set1_epi16(255);
    auto teil = [&](__m128i c) { return _mm_min_epi16(_mm_srli_epi16(_mm_mullo_epi16(c, stufe), 7), m255); };
    const __m128i r = teil(_mm_and_si128(_mm_srli_epi16(s, T == 16 ? 8 : 7), m248));
    const __m128i g = teil(_mm_and_si128(_mm_srli_epi16(s, T == 16 ? 3 : 2), mg));
    const __m128i b = teil(_mm_and_si128(_mm_slli_epi16(s, 3), m248));
    __m128i p = _mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), T == 16 ? 11 : 10), _mm_srli_epi16(b, 3));
    p = _mm_or_si128(p, _mm_slli_epi16(_mm_srli_epi16(g, T == 16 ? 2 : 3), 5));
    // A non-zero pixel whose result is 0 becomes 1.
    const __m128i null = _mm_setzero_si128();
    const __m128i eins = _mm_andnot_si128(_mm_cmpeq_epi16(s, null), _mm_cmpeq_epi16(p, null));
    return _mm_or_si128(p, _mm_and_si128(eins, _mm_set1_epi16(1)));
}
#endif

template <int T>
void abdunkeln_maske(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds,
                     i32 stufe, const u8* m) {
    stufe = std::clamp(stufe, 0, 256);
    for (i32 y = 0; y < h; ++y) {
        const u16* s = zeile(src, sx, sy + y, ss);
        u16* d = zeile(dst, dx, dy + y, ds);
        const i64 i0 = static_cast<i64>(sy + y) * ss + sx;
        for (i32 x = 0; x < w; ++x)
            if (pixel::maske_bit(m, i0 + x)) d[x] = pixel::abdunkeln<T>(s[x], stufe);
    }
}

template <int T>
void abdunkeln_schluessel(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds,
                          i32 stufe, u16 key) {
    stufe = std::clamp(stufe, 0, 256);
    for (i32 y = 0; y < h; ++y) {
        const u16* s = zeile(src, sx, sy + y, ss);
        u16* d = zeile(dst, dx, dy + y, ds);
        i32 x = 0;
#if defined(__SSE2__)
        const __m128i k = _mm_set1_epi16(static_cast<short>(key));
        const __m128i st = _mm_set1_epi16(static_cast<short>(stufe));
        for (; x + 8 <= w; x += 8) {
            const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
            const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + x));
            const __m128i leer = _mm_cmpeq_epi16(sv, k);
            const __m128i neu = abdunkeln8<T>(sv, st);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x),
                             _mm_or_si128(_mm_and_si128(leer, dv), _mm_andnot_si128(leer, neu)));
        }
#endif
        for (; x < w; ++x)
            if (s[x] != key) d[x] = pixel::abdunkeln<T>(s[x], stufe);
    }
}

// The three brightening loops: ZIEL tests the key on the destination.
template <bool ZIEL>
void aufhellen(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds, u16 key,
               i32 stufe) {
    stufe = std::clamp(stufe, 0, 256);
    auto eins = [&](u16 s, u16 d) -> u16 { return (ZIEL ? d : s) == key ? d : Blt_Aufhellen_Pixel(s, d, stufe); };
    for (i32 y = 0; y < h; ++y) {
        const u16* s = zeile(src, sx, sy + y, ss);
        u16* d = zeile(dst, dx, dy + y, ds);
        i32 x = 0;
        for (; x + 2 <= w; x += 2) {
            u32 sp, dp;
            std::memcpy(&sp, s + x, 4);
            std::memcpy(&dp, d + x, 4);
            const u32 neu = static_cast<u32>(eins(static_cast<u16>(sp), static_cast<u16>(dp))) |
                            static_cast<u32>(eins(static_cast<u16>(sp >> 16), static_cast<u16>(dp >> 16))) << 16;
            std::memcpy(d + x, &neu, 4);
        }
        if (x < w) d[x] = eins(s[x], d[x]);
    }
}

// Walks rows sy..sy+h-1 of a sprite and copies the literals inside columns
// sx..sx+w-1 to (dx + x - sx, dy + y - sy).
void rle_teil(const Rle_Sprite& sp, i32 sx, i32 sy, i32 w, i32 h, u16* dst, i32 dx, i32 dy, i32 ds) {
    const i32 hoehe = std::min<i32>(sp.hoehe, static_cast<i32>(sp.zeilen.size()));
    if (sx < 0) w += sx, dx -= sx, sx = 0;
    if (sy < 0) h += sy, dy -= sy, sy = 0;
    w = std::min(w, sp.breite - sx);
    h = std::min(h, hoehe - sy);
    if (w < 1 || h < 1) return;
    const i32 x_ende = sx + w;
    const u16* daten = sp.daten.data();
    for (i32 y = 0; y < h; ++y) {
        size_t i = sp.zeilen[static_cast<size_t>(sy + y)];
        u16* d = zeile(dst, dx, dy + y, ds);
        for (i32 x = 0; x < x_ende;) {
            const u16 c = daten[i++];
            const i32 n = c & 0x7FFF;
            if (c & 0x8000) {
                const i32 a = std::max(x, sx), e = std::min(x + n, x_ende);
                if (a < e) std::memcpy(d + (a - sx), daten + i + (a - x), static_cast<size_t>(e - a) * 2);
                i += static_cast<size_t>(n);
            }
            x += n;
        }
    }
}

}  // namespace

i32 Blt_Kopie_Schluessel_Einzeln(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy,
                                 i32 ds, u16 key) {
    for (i32 y = 0; y < h; ++y) {
        const u16* s = zeile(src, sx, sy + y, ss);
        u16* d = zeile(dst, dx, dy + y, ds);
        for (i32 x = 0; x < w; ++x)
            if (s[x] != key) d[x] = s[x];
    }
    return 1;
}

i32 Blt_Kopie_Breit(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds) {
    for (i32 y = 0; y < h; ++y) {
        const u8* s = reinterpret_cast<const u8*>(zeile(src, sx, sy + y, ss));
        u8* d = reinterpret_cast<u8*>(zeile(dst, dx, dy + y, ds));
        const size_t n = static_cast<size_t>(w) * 2;
        size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            u64 v;
            std::memcpy(&v, s + i, 8);
            std::memcpy(d + i, &v, 8);
        }
        if (i < n) std::memcpy(d + i, s + i, n - i);
    }
    return 1;
}

i32 Blt_Zeile_Transparent(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds) {
    for (i32 y = 0; y < h; ++y) {
        const u16* s = zeile(src, sx, sy + y, ss);
        u16* d = zeile(dst, dx, dy + y, ds);
        i32 x = 0;
#if defined(__SSE2__)
        const __m128i null = _mm_setzero_si128();
        for (; x + 8 <= w; x += 8) schluessel8(s + x, d + x, null);
#endif
        for (; x < w; ++x)
            if (s[x]) d[x] = s[x];
    }
    return 1;
}

i32 Blt_Kopie_Maske_Halb(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds,
                         const u8* m) {
    for (i32 y = 0; y < h; y += 2) {
        const u16* s = zeile(src, sx, sy + y, ss);
        u16* d = zeile(dst, dx, dy + y / 2, ds);
        const i64 i0 = static_cast<i64>(sy + y) * ss + sx;
        for (i32 x = 1; x < w; x += 2)
            if (pixel::maske_bit(m, i0 + x)) d[x / 2] = s[x];
    }
    return 1;
}

i32 Blt_Abdunkeln_Maske_555(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds,
                            i32 stufe, const u8* m) {
    abdunkeln_maske<15>(src, sx, sy, w, h, ss, dst, dx, dy, ds, stufe, m);
    return 1;
}
i32 Blt_Abdunkeln_Maske_565(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds,
                            i32 stufe, const u8* m) {
    abdunkeln_maske<16>(src, sx, sy, w, h, ss, dst, dx, dy, ds, stufe, m);
    return 1;
}
i32 Blt_Abdunkeln_Schluessel_555(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy,
                                 i32 ds, i32 stufe, u16 key) {
    abdunkeln_schluessel<15>(src, sx, sy, w, h, ss, dst, dx, dy, ds, stufe, key);
    return 1;
}
i32 Blt_Abdunkeln_Schluessel_565(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy,
                                 i32 ds, i32 stufe, u16 key) {
    abdunkeln_schluessel<16>(src, sx, sy, w, h, ss, dst, dx, dy, ds, stufe, key);
    return 1;
}

u16 Blt_Aufhellen_Pixel(u16 s, u16 d, i32 stufe) {
    using K = pixel::Kanal<16>;
    stufe = std::clamp(stufe, 0, 256);
    const int hell = stufe / 4, g = stufe - hell, v = 256 - g;
    auto c = [&](int sc, int dc) { return std::min(255, ((sc * v + dc * g) >> 8) + hell); };
    return K::pack(c(K::r8(s), K::r8(d)), c(K::g8(s), K::g8(d)), c(K::b8(s), K::b8(d)));
}

i32 Blt_Aufhellen_Schluessel(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds,
                             u16 key, i32 stufe) {
    stufe = std::clamp(stufe, 0, 256);
    for (i32 y = 0; y < h; ++y) {
        const u16* s = zeile(src, sx, sy + y, ss);
        u16* d = zeile(dst, dx, dy + y, ds);
        for (i32 x = 0; x < w; ++x)
            if (s[x] != key) d[x] = Blt_Aufhellen_Pixel(s[x], d[x], stufe);
    }
    return 1;
}
i32 Blt_Aufhellen_Doppel(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds,
                         u16 key, i32 stufe) {
    aufhellen<false>(src, sx, sy, w, h, ss, dst, dx, dy, ds, key, stufe);
    return 1;
}
i32 Blt_Aufhellen_Doppel_B(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 ss, u16* dst, i32 dx, i32 dy, i32 ds,
                           u16 key, i32 stufe) {
    aufhellen<true>(src, sx, sy, w, h, ss, dst, dx, dy, ds, key, stufe);
    return 1;
}

i32 Blt_Linie_Waagrecht(u16* dst, i32 x, i32 y, i32 laenge, i32 ds, u16 farbe) {
    if (laenge > 0) std::fill_n(zeile(dst, x, y, ds), laenge, farbe);
    return 1;
}

i32 Blt_Linie_Senkrecht(u16* dst, i32 x, i32 y, i32 laenge, i32 ds, u16 farbe) {
    for (i32 i = 0; i < laenge; ++i) *zeile(dst, x, y + i, ds) = farbe;
    return 1;
}

i32 Blt_Linie(u16* dst, i32 breite, i32 hoehe, i32 ds, i32 x0, i32 y0, i32 x1, i32 y1, u16 farbe) {
    if (!dst || breite < 1 || hoehe < 1) return 1;
    // Major axis a, minor axis b; step i = 0..n along a.
    const i64 ddx = static_cast<i64>(x1) - x0, ddy = static_cast<i64>(y1) - y0;
    const bool x_haupt = (ddx < 0 ? -ddx : ddx) >= (ddy < 0 ? -ddy : ddy);
    const i64 a0 = x_haupt ? x0 : y0, b0 = x_haupt ? y0 : x0;
    const i64 da = x_haupt ? ddx : ddy, db = x_haupt ? ddy : ddx;
    const i64 sa = da < 0 ? -1 : 1, sb = db < 0 ? -1 : 1;
    const i64 n = da * sa, m = db * sb;
    const i64 a_max = x_haupt ? breite - 1 : hoehe - 1, b_max = x_haupt ? hoehe - 1 : breite - 1;
    // Steps whose major coordinate lies on the surface.
    i64 i_von = 0, i_bis = n;
    if (sa > 0) i_von = std::max<i64>(i_von, -a0), i_bis = std::min<i64>(i_bis, a_max - a0);
    else i_von = std::max<i64>(i_von, a0 - a_max), i_bis = std::min<i64>(i_bis, a0);
    if (i_von > i_bis) return 1;
    // Minor offset at step i: floor((n + 2 i m) / 2n), carried as a remainder.
    const i64 zwei_n = 2 * std::max<i64>(n, 1);
    const i64 start = n + 2 * i_von * m;
    i64 b = b0 + sb * (start / zwei_n), rest = start % zwei_n;
    for (i64 i = i_von; i <= i_bis; ++i) {
        if (b >= 0 && b <= b_max) {
            const i64 a = a0 + sa * i;
            const i64 x = x_haupt ? a : b, y = x_haupt ? b : a;
            dst[static_cast<size_t>(y) * static_cast<size_t>(ds) + static_cast<size_t>(x)] = farbe;
        }
        rest += 2 * m;
        if (rest >= zwei_n) rest -= zwei_n, b += sb;
    }
    return 1;
}

i32 Blt_Rle_Ausschnitt(const Rle_Sprite& sp, i32 sx, i32 sy, i32 w, i32 h, u16* dst, i32 dx, i32 dy, i32 ds) {
    if (dst) rle_teil(sp, sx, sy, w, h, dst, dx, dy, ds);
    return 1;
}

i32 Blt_Rle_Ab_Zeile(const Rle_Sprite& sp, i32 erste_zeile, i32 sx, i32 w, u16* dst, i32 dx, i32 dy, i32 ds) {
    if (dst) rle_teil(sp, sx, erste_zeile, w, sp.hoehe - erste_zeile, dst, dx, dy, ds);
    return 1;
}

i32 Blt_Rle_Alpha_Halb(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy, i32 stufe) {
    if (!dst || !Rastport_Lock(dst) || dst->tiefe() == 8) return 0;
    u16* p = dst->bitmap->pixel16();
    const i32 bw = dst->breite, bh = dst->hoehe;
    const bool t16 = dst->tiefe() == 16;
    stufe = std::clamp(stufe, 0, 128);
    rle::laufen(sp.breite, sp.zeilen, sp.daten, [&](i32 x, i32 y, u16 s) {
        if ((y & 1) || !(x & 1)) return;
        const i64 zx = static_cast<i64>(dx) + x / 2, zy = static_cast<i64>(dy) + y / 2;
        if (zx < 0 || zy < 0 || zx >= bw || zy >= bh) return;
        u16& d = p[static_cast<size_t>(zy) * static_cast<size_t>(bw) + static_cast<size_t>(zx)];
        d = t16 ? pixel::mischen<16>(d, s, stufe * 2, (128 - stufe) * 2)
                : pixel::mischen<15>(d, s, stufe * 2, (128 - stufe) * 2);
    });
    return 1;
}

i32 Blt_Leer_A(const Rle_Sprite&, Rastport*, i32, i32) { return 0; }
i32 Blt_Leer_B(const Rle_Sprite&, Rastport*, i32, i32) { return 0; }
