// Smoothed text, soft shadows and the blit cache (see glatt.h).
#include "graphics/glatt.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "graphics/abdruck.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"

namespace {

struct Eintrag {
    Rastport_Bild bild;
    u32 groesse = 0, quelle = 0, position = 0, text = 0;
};
Eintrag cache[BLT_CACHE_GROESSE];

u32 schluessel(i32 a, i32 b) { return static_cast<u32>(b) * 2000u + static_cast<u32>(a); }

constexpr i32 KERN_N[3] = {2, 3, 5};
constexpr u16 KERN_TEXT[3][25] = {
    {75, 88, 88, 97},
    {75, 80, 90, 80, 85, 95, 90, 95, 98},
    {50, 75, 85, 95, 98, 55, 63, 83, 95, 95, 72, 78, 78, 85, 95, 83, 88, 88, 96, 99, 90, 95, 95, 99, 99},
};
constexpr u16 KERN_WAPPEN[3][25] = {
    {75, 88, 88, 97},
    {75, 80, 90, 80, 85, 95, 90, 95, 98},
    {45, 70, 80, 92, 98, 50, 58, 78, 92, 95, 67, 73, 76, 82, 95, 78, 78, 86, 93, 99, 90, 95, 95, 99, 99},
};

// v * prozent / 100 for every 8-bit channel value and per cent 0..100.
struct Abdunkeln {
    u8 t[101][256];
    constexpr Abdunkeln() : t{} {
        for (i32 p = 0; p <= 100; ++p)
            for (i32 v = 0; v < 256; ++v) t[p][v] = static_cast<u8>(v * p / 100);
    }
};
constexpr Abdunkeln ABDUNKELN{};

template <int T>
u16 dunkler(u16 p, i32 prozent) {
    using K = pixel::Kanal<T>;
    const u8* t = ABDUNKELN.t[prozent];
    const u16 v = K::pack(t[K::r8(p)], t[K::g8(p)], t[K::b8(p)]);
    return v ? v : 1;
}

// The shadow map: for every pixel of the area grown by the kernel, the
// least kernel value of the mask pixels that reach it (100: none).
// Built a kernel cell at a time over whole rows (the same minima as mask
// pixel by mask pixel, in loops without branches).
template <int N>
void karte_bauen(std::vector<u8>& karte, const u16* mp, i32 mb, i32 w, i32 h, i32 mw, const u16* kern) {
    static std::vector<u8> zeile;
    zeile.resize(static_cast<size_t>(w));
    for (i32 y = 0; y < h; ++y) {
        const u16* m = mp + static_cast<i64>(y) * mb;
        i32 x = 0;
        u16 belegt = 0;
#if defined(__SSE2__)
        // Sixteen pixels a step: any mask pixel, the row's marks.
        for (; x + 16 <= w; x += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + x));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + x + 8));
            const __m128i leer = _mm_packs_epi16(_mm_cmpeq_epi16(a, _mm_setzero_si128()),
                                                 _mm_cmpeq_epi16(b, _mm_setzero_si128()));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(zeile.data() + x), leer);
            belegt |= static_cast<u16>(~_mm_movemask_epi8(leer));
        }
#endif
        for (; x < w; ++x) {
            zeile[x] = m[x] ? 0 : 255;  // 255: no mask pixel
            belegt |= m[x] != 0;
        }
        if (!belegt) continue;
        for (i32 ky = 0; ky < N; ++ky) {
            u8* z0 = &karte[static_cast<size_t>(y + 1 + ky) * mw + 1];
            for (i32 kx = 0; kx < N; ++kx) {
                const u8 k = static_cast<u8>(kern[ky * N + kx]);
                u8* z = z0 + kx;
                const u8* a = zeile.data();
                i32 i = 0;
#if defined(__SSE2__)
                const __m128i kv = _mm_set1_epi8(static_cast<char>(k));
                for (; i + 16 <= w; i += 16) {
                    const __m128i zv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z + i));
                    const __m128i av = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(z + i), _mm_min_epu8(zv, _mm_or_si128(av, kv)));
                }
#endif
                for (; i < w; ++i) z[i] = std::min<u8>(z[i], static_cast<u8>(a[i] | k));
            }
        }
    }
}

template <int T>
void schatten_auftragen(const std::vector<u8>& karte, const u16* mp, i32 mb, const u16* bp, i32 bb, i32 w, i32 h,
                        i32 mw, i32 mh, u16* zp, i32 zb, i32 zh, i32 dx, i32 dy) {
    const i32 x0 = std::max(0, -dx), x1 = std::min(mw, zb - dx);
    for (i32 y = std::max(0, -dy); y < mh && dy + y < zh; ++y) {
        u16* z = zp + static_cast<i64>(dy + y) * zb;
        const u8* k = &karte[static_cast<size_t>(y) * mw];
        const u16* m = y < h ? mp + static_cast<i64>(y) * mb : nullptr;
        const u16* b = y < h ? bp + static_cast<i64>(y) * bb : nullptr;
        auto pixel = [&](i32 x) {
            u16& d = z[dx + x];
            if (m && x < w && m[x]) {
                d = b[x];
                return;
            }
            const i32 p = k[x];
            if (p == 0) d = 0;
            else if (d && p < 100) d = dunkler<T>(d, p);
        };
        i32 x = x0;
#if defined(__SSE2__)
        // Eight pixels a step with the table's values: v * p / 100 is
        // (v * p * 5243) >> 19 for every v * p up to 25,500.
        const __m128i null = _mm_setzero_si128(), eins = _mm_set1_epi16(1), hundert = _mm_set1_epi16(100),
                      m248 = _mm_set1_epi16(248), mg = _mm_set1_epi16(T == 16 ? 252 : 248),
                      kehrwert = _mm_set1_epi16(5243);
        for (; x + 8 <= x1; x += 8) {
            const bool mit_maske = m && x < w;
            if (mit_maske && x + 8 > w) {
                for (i32 i = x; i < x + 8; ++i) pixel(i);
                continue;
            }
            u16* dz = z + dx + x;
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dz));
            const __m128i p = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(k + x)), null);
            auto teil = [&](__m128i c) {
                return _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(c, p), kehrwert), 3);
            };
            const __m128i r = teil(_mm_and_si128(_mm_srli_epi16(d, T == 16 ? 8 : 7), m248));
            const __m128i g = teil(_mm_and_si128(_mm_srli_epi16(d, T == 16 ? 3 : 2), mg));
            const __m128i bl = teil(_mm_and_si128(_mm_slli_epi16(d, 3), m248));
            __m128i n = T == 16 ? _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 11),
                                                            _mm_slli_epi16(_mm_srli_epi16(g, 2), 5)),
                                               _mm_srli_epi16(bl, 3))
                                : _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 10),
                                                            _mm_slli_epi16(_mm_srli_epi16(g, 3), 5)),
                                               _mm_srli_epi16(bl, 3));
            n = _mm_or_si128(n, _mm_and_si128(_mm_cmpeq_epi16(n, null), eins));
            const __m128i dunkel = _mm_andnot_si128(_mm_cmpeq_epi16(d, null), _mm_cmplt_epi16(p, hundert));
            __m128i e = _mm_or_si128(_mm_and_si128(dunkel, n), _mm_andnot_si128(dunkel, d));
            e = _mm_andnot_si128(_mm_cmpeq_epi16(p, null), e);
            if (mit_maske) {
                const __m128i frei = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(m + x)), null);
                e = _mm_or_si128(_mm_and_si128(frei, e),
                                 _mm_andnot_si128(frei, _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x))));
            }
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dz), e);
        }
#endif
        for (; x < x1; ++x) pixel(x);
    }
}

i32 schatten(Rastport* bild, i32 sx, i32 sy, i32 w, i32 h, Rastport* ziel, i32 dx, i32 dy, i32 stufe, Rastport* maske,
             const u16 (*kerne)[25]) {
    if (!bild || !ziel || !maske || stufe < 0 || stufe > 2) return 0;
    if (Abdruck_Trifft(ziel)) [[unlikely]]
        Abdruck_Unsicher();
    if (!bild->bitmap || !ziel->bitmap || !maske->bitmap || !Rastport_Lock(bild) || !Rastport_Lock(maske)) return 0;
    const i32 t = ziel->tiefe();
    if ((t != 15 && t != 16) || bild->tiefe() != t || maske->tiefe() != t || !ziel->bitmap->hat_pixel()) return 0;
    w = std::min({w, bild->breite - sx, maske->breite - sx});
    h = std::min({h, bild->hoehe - sy, maske->hoehe - sy});
    if (sx < 0 || sy < 0 || w < 1 || h < 1) return 0;
    const i32 n = KERN_N[stufe], mw = w + n + 1, mh = h + n + 1;
    static std::vector<u8> karte;
    karte.assign(static_cast<size_t>(mw) * mh, 100);
    const u16* mp = maske->bitmap->pixel16() + static_cast<i64>(sy) * maske->breite + sx;
    if (n == 2) karte_bauen<2>(karte, mp, maske->breite, w, h, mw, kerne[stufe]);
    else if (n == 3) karte_bauen<3>(karte, mp, maske->breite, w, h, mw, kerne[stufe]);
    else karte_bauen<5>(karte, mp, maske->breite, w, h, mw, kerne[stufe]);
    const u16* bp = bild->bitmap->pixel16() + static_cast<i64>(sy) * bild->breite + sx;
    u16* zp = ziel->bitmap->pixel16();
    if (t == 16)
        schatten_auftragen<16>(karte, mp, maske->breite, bp, bild->breite, w, h, mw, mh, zp, ziel->breite, ziel->hoehe,
                               dx, dy);
    else
        schatten_auftragen<15>(karte, mp, maske->breite, bp, bild->breite, w, h, mw, mh, zp, ziel->breite, ziel->hoehe,
                               dx, dy);
    return 1;
}

u32 text_hash(const char* t, u16 farbe) {
    u32 h = 2166136261u ^ farbe;
    for (; *t; ++t) h = (h ^ static_cast<u8>(*t)) * 16777619u;
    return h ? h : 1;
}

// A number for what lies under a patch (its part inside the surface): a
// patch keeps the ground it was drawn on, so a text over a changed ground (a
// row lit under the mouse) must not take the patch drawn over the old one.
u32 grund_hash(Rastport* rp, i32 x, i32 y, i32 w, i32 h) {
    const i32 x0 = std::max(x, 0), y0 = std::max(y, 0);
    const i32 x1 = std::min(x + w, rp->breite), y1 = std::min(y + h, rp->hoehe);
    if (x0 >= x1 || y0 >= y1) return 0;
    const i32 bpp = (rp->tiefe() + 1) / 8;
    const u8* basis = rp->bitmap->pixel8();
    const size_t zeile = static_cast<size_t>(rp->breite) * static_cast<size_t>(bpp);
    const size_t n = static_cast<size_t>(x1 - x0) * static_cast<size_t>(bpp);
    u64 hash = 0x9E3779B97F4A7C15ull;
    for (i32 j = y0; j < y1; ++j) {
        const u8* p = basis + static_cast<size_t>(j) * zeile + static_cast<size_t>(x0) * static_cast<size_t>(bpp);
        size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            u64 v;
            std::memcpy(&v, p + i, 8);
            hash = (hash ^ v) * 0xFF51AFD7ED558CCDull;
            hash ^= hash >> 29;
        }
        u64 rest = 0;
        std::memcpy(&rest, p + i, n - i);
        hash = (hash ^ rest ^ static_cast<u64>(j)) * 0xC4CEB9FE1A85EC53ull;
        hash ^= hash >> 32;
    }
    return static_cast<u32>(hash ^ (hash >> 32));
}

}  // namespace

Rastport* Blt_Cache_Suchen(i32 sx, i32 sy, i32 w, i32 h, i32 x, i32 y, u32 text) {
    const u32 g = schluessel(w, h), q = schluessel(sx, sy), p = schluessel(x, y);
    for (const Eintrag& e : cache)
        if (e.bild && e.groesse == g && e.quelle == q && e.position == p && e.text == text) return e.bild.get();
    return nullptr;
}

void Blt_Cache_Ablegen(Rastport* rp, i32 sx, i32 sy, i32 w, i32 h, i32 x, i32 y, u32 text) {
    if (!rp || w < 1 || h < 1) return;
    Rastport_Bild bild(Rastport_Neu_Einfach(w, h, rp->tiefe()));
    if (!bild) return;
    Blt_Blit(rp, x, y, w, h, bild.get(), 0, 0, nullptr);
    // Slot 0 is the newest: the entries before the first free slot (or all,
    // dropping the oldest) move up by one.
    i32 frei = 0;
    while (frei < BLT_CACHE_GROESSE - 1 && cache[frei].bild) ++frei;
    std::move_backward(cache, cache + frei, cache + frei + 1);
    cache[0] = Eintrag{std::move(bild), schluessel(w, h), schluessel(sx, sy), schluessel(x, y), text};
}

void Blt_Cache_Position_Leeren(i32 x, i32 y) {
    for (Eintrag& e : cache)
        if (e.bild && e.position == schluessel(x, y)) e = Eintrag{};
}

void Blt_Cache_Leeren() {
    for (Eintrag& e : cache) e = Eintrag{};
    Farbe_Cache_Free();
}

i32 Blt_Cache_Anzahl() {
    i32 n = 0;
    for (const Eintrag& e : cache) n += e.bild != nullptr;
    return n;
}

i32 Blt_Text_Schatten(Rastport* bild, i32 sx, i32 sy, i32 w, i32 h, Rastport* ziel, i32 dx, i32 dy, i32 stufe,
                      Rastport* maske) {
    return schatten(bild, sx, sy, w, h, ziel, dx, dy, stufe, maske, KERN_TEXT);
}

i32 Blt_Filter(Rastport* bild, i32 sx, i32 sy, i32 w, i32 h, Rastport* ziel, i32 dx, i32 dy, i32 stufe) {
    return schatten(bild, sx, sy, w, h, ziel, dx, dy, stufe, bild, KERN_WAPPEN);
}

namespace {
i32 glatt_zeichnen(Rastport* rp, Font* f, const char* t, i32 x, i32 y, bool mit_cache);
}  // namespace

i32 Font_Printf_Glatt(Rastport* rp, Font* f, const char* format, i32 x, i32 y, ...) {
    if (!rp || !f || !format || !*format || !f->blatt || !rp->bitmap) return 0;
    char text[1024];
    va_list ap;
    va_start(ap, y);
    std::vsnprintf(text, sizeof text, format, ap);
    va_end(ap);
    const char* t = text;
    // The shadow depends on what lies under the text: the same text at the
    // same place over an unchanged frame draws the same.
    if (Abdruck_Trifft(rp)) [[unlikely]] {
        const Abdruck_Rechteck r{x, y - f->hoehe, x + Font_Text_Breite(f, t) + 10, y - f->hoehe + f->blatt->hoehe + 5};
        const i64 werte[] = {6, reinterpret_cast<intptr_t>(f), f->farbe, x, y};
        if (Abdruck_Ganz(r, werte, 5, t) == Abdruck_Folge::FERTIG) return 1;
    }
    bool mit_cache = true;
    if (*t == '#') {
        ++t;
        mit_cache = false;
        Blt_Cache_Position_Leeren(x, y - f->hoehe);
    }
    if (!*t) return 0;
    if (Zeichenspur_An) [[unlikely]] {
        // Traced: one record at the real place, drawn afresh every time.
        Zeichenspur_Text_Beginn(rp, f, x, y, t);
        glatt_zeichnen(rp, f, t, x, y, false);
        Zeichenspur_Text_Ende();
        return 1;
    }
    return glatt_zeichnen(rp, f, t, x, y, mit_cache);
}

namespace {
i32 glatt_zeichnen(Rastport* rp, Font* f, const char* t, i32 x, i32 y, bool mit_cache) {
    const i32 blatt = f->blatt->hoehe;
    const i32 w = Font_Text_Breite(f, t) + 10, h = blatt + 5, oben = y - f->hoehe;
    const u32 k = text_hash(t, f->farbe) ^ (mit_cache ? grund_hash(rp, x, oben, w, h) : 0u);
    if (mit_cache)
        if (Rastport* c = Blt_Cache_Suchen(0, 0, w, h, x, oben, k)) {
            Blt_Blit(c, 0, 0, -1, -1, rp, x, oben, nullptr);
            return 1;
        }
    const Rastport_Bild a(Rastport_Neu_Einfach(w, h, rp->tiefe()));
    const Rastport_Bild b(Rastport_Neu_Einfach(w, h, rp->tiefe()));
    if (!a || !b) return Font_Markup_Ausgabe(rp, f, f->farbe, t, x, y, 0);
    Blt_Blit(rp, x, oben, w, h, b.get(), 0, 0, nullptr);
    Font_Markup_Ausgabe(b.get(), f, f->farbe, t, 0, f->hoehe, 0);
    Font_Markup_Ausgabe(a.get(), f, f->farbe, t, 0, f->hoehe, 0);
    const i32 stufe = f->hoehe < 17 ? 0 : f->hoehe < 23 ? 1 : 2;
    Blt_Text_Schatten(stufe == 1 ? a.get() : b.get(), 0, 0, w, blatt, rp, x, oben, stufe, a.get());
    if (mit_cache) Blt_Cache_Ablegen(rp, 0, 0, w, h, x, oben, k);
    return 1;
}
}  // namespace
