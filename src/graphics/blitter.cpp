// The blitter: clipping, dispatch to one pixel loop, fills and frames.
#include "graphics/blitter.h"

#include "graphics/abdruck.h"
#include "graphics/rle.h"
#include "graphics/zeichenspur.h"

#include <algorithm>
#include <type_traits>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define KORDAVO_DUNKEL_AVX2 1
#endif

namespace {

Blt_Optionen opt_standard{};
Blt_Optionen opt_transparent{.schluessel = 1};
Blt_Optionen opt_maske{.maske = 1};
Blt_Optionen opt_schatten{.deckung = 1};
Blt_Optionen opt_einfaerben{.schluessel = 1, .toenen = 1, .gewicht = 0, .farbe = 1};
Blt_Optionen opt_sprite{.sprite = 1};
Blt_Optionen opt_maske_alpha{.maske = 1, .alpha = 1, .sprite = 1};
Blt_Optionen opt_alpha_transparent{.schluessel = 1, .alpha = 1};
Blt_Optionen opt_alpha{.alpha = 1};

// One clipped rectangle between two surfaces.
struct Feld {
    i32 sx, sy, w, h, sstride, dx, dy, dstride;
    size_t s(i32 x, i32 y) const { return static_cast<size_t>(sy + y) * sstride + sx + x; }
    size_t d(i32 x, i32 y) const { return static_cast<size_t>(dy + y) * dstride + dx + x; }
};

// Runs `f(source index, destination index)` over every pixel of the field.
template <class F>
void jedes_pixel(const Feld& f, F&& fn) {
    for (i32 y = 0; y < f.h; ++y) {
        size_t s = f.s(0, y), d = f.d(0, y);
        for (i32 x = 0; x < f.w; ++x) fn(s + x, d + x);
    }
}

void kopie(const u16* src, u16* dst, const Feld& f) {
    for (i32 y = 0; y < f.h; ++y) std::memcpy(dst + f.d(0, y), src + f.s(0, y), static_cast<size_t>(f.w) * 2);
}

void kopie8(const u8* src, u8* dst, const Feld& f) {
    for (i32 y = 0; y < f.h; ++y) std::memcpy(dst + f.d(0, y), src + f.s(0, y), static_cast<size_t>(f.w));
}

#if defined(KORDAVO_DUNKEL_AVX2)
// Whether the processor has the wide registers (sixteen pixels a step).
const bool breit_da = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

// A row of a colour-key copy, sixteen pixels a step; returns the pixels done.
__attribute__((target("avx2"))) i32 schluessel_breit(const u16* s, u16* d, i32 w, u16 key) {
    const __m256i k = _mm256_set1_epi16(static_cast<short>(key));
    i32 x = 0;
    for (; x + 16 <= w; x += 16) {
        const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + x));
        const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + x));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + x), _mm256_blendv_epi8(sv, dv, _mm256_cmpeq_epi16(sv, k)));
    }
    return x;
}
#endif

// Colour-key copy: sixteen pixels a step with the wide registers, eight with
// SSE2, the rest singly.
void kopie_schluessel(const u16* src, u16* dst, const Feld& f, u16 key) {
    for (i32 y = 0; y < f.h; ++y) {
        const u16* s = src + f.s(0, y);
        u16* d = dst + f.d(0, y);
        i32 x = 0;
#if defined(KORDAVO_DUNKEL_AVX2)
        if (breit_da && f.w >= 16) x = schluessel_breit(s, d, f.w, key);
#endif
#if defined(__SSE2__)
        const __m128i k = _mm_set1_epi16(static_cast<short>(key));
        for (; x + 8 <= f.w; x += 8) {
            const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
            const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + x));
            const __m128i leer = _mm_cmpeq_epi16(sv, k);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x),
                             _mm_or_si128(_mm_and_si128(leer, dv), _mm_andnot_si128(leer, sv)));
        }
#endif
        for (; x < f.w; ++x)
            if (s[x] != key) d[x] = s[x];
    }
}

void kopie_maske(const u16* src, u16* dst, const Feld& f, const u8* m) {
    jedes_pixel(f, [&](size_t s, size_t d) {
        if (pixel::maske_bit(m, static_cast<i64>(s))) dst[d] = src[s];
    });
}

#if defined(__SSE2__)
// Eight pixels of the plain alpha blend at once, with exactly the arithmetic
// of pixel::mischen (channels as 8-bit values, d * (255 - a) >> 8 + s * a >> 8).
template <int T>
inline __m128i alpha8(__m128i s, __m128i d, __m128i a) {
    const __m128i inv = _mm_sub_epi16(_mm_set1_epi16(255), a);
    const __m128i m248 = _mm_set1_epi16(248), mg = _mm_set1_epi16(T == 16 ? 252 : 248), m255 = _mm_set1_epi16(255);
    auto r8 = [&](__m128i p) { return _mm_and_si128(_mm_srli_epi16(p, T == 16 ? 8 : 7), m248); };
    auto g8 = [&](__m128i p) { return _mm_and_si128(_mm_srli_epi16(p, T == 16 ? 3 : 2), mg); };
    auto b8 = [&](__m128i p) { return _mm_and_si128(_mm_slli_epi16(p, 3), m248); };
    auto mix = [&](__m128i dc, __m128i sc) {
        const __m128i x =
            _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(dc, inv), 8), _mm_srli_epi16(_mm_mullo_epi16(sc, a), 8));
        return _mm_min_epi16(x, m255);
    };
    const __m128i r = mix(r8(d), r8(s)), g = mix(g8(d), g8(s)), b = mix(b8(d), b8(s));
    __m128i p;
    if (T == 16)
        p = _mm_or_si128(
            _mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 11), _mm_slli_epi16(_mm_srli_epi16(g, 2), 5)),
            _mm_srli_epi16(b, 3));
    else
        p = _mm_or_si128(
            _mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 10), _mm_slli_epi16(_mm_srli_epi16(g, 3), 5)),
            _mm_srli_epi16(b, 3));
    const __m128i null = _mm_cmpeq_epi16(a, _mm_setzero_si128());  // alpha 0 keeps the destination
    return _mm_or_si128(_mm_and_si128(null, d), _mm_andnot_si128(null, p));
}
#endif

template <int T, int ART>
void alpha_ebene(const u16* src, u16* dst, const Feld& f, const u8* a, u16 key, const u8* m) {
    // ART 0: plain (255 - a); 1: keyed (256 - a); 2: masked (255 - a).
#if defined(__SSE2__)
    if (ART == 0) {
        for (i32 y = 0; y < f.h; ++y) {
            const u16* s = src + f.s(0, y);
            const u8* al = a + f.s(0, y);
            u16* d = dst + f.d(0, y);
            i32 x = 0;
            for (; x + 8 <= f.w; x += 8) {
                const __m128i av =
                    _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(al + x)), _mm_setzero_si128());
                const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
                const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + x));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x), alpha8<T>(sv, dv, av));
            }
            for (; x < f.w; ++x)
                if (al[x]) d[x] = pixel::mischen<T>(d[x], s[x], al[x], 255 - al[x]);
        }
        return;
    }
#endif
    jedes_pixel(f, [&](size_t s, size_t d) {
        const int al = a[s];
        if (!al) return;
        if (ART == 1 && src[s] == key) return;
        if (ART == 2 && !pixel::maske_bit(m, static_cast<i64>(s))) return;
        dst[d] = pixel::mischen<T>(dst[d], src[s], al, (ART == 1 ? 256 : 255) - al);
    });
}

template <int T>
void alpha_ebene(const u16* src, u16* dst, const Feld& f, const u8* a, int art, u16 key, const u8* m) {
    if (art == 0) alpha_ebene<T, 0>(src, dst, f, a, key, m);
    else if (art == 1) alpha_ebene<T, 1>(src, dst, f, a, key, m);
    else alpha_ebene<T, 2>(src, dst, f, a, key, m);
}

template <int T>
void deckung(const u8* cov, u16* dst, const Feld& f, u16 farbe) {
    for (i32 y = 0; y < f.h; ++y) {
        const u8* c = cov + f.s(0, y);
        u16* d = dst + f.d(0, y);
        i32 x = 0;
#if defined(__SSE2__)
        // Eight pixels a step: the blend of alpha8 (alpha 0 where the cover is
        // at most 2), the colour itself from 240 on.
        const __m128i fv = _mm_set1_epi16(static_cast<short>(farbe)), drei = _mm_set1_epi16(3),
                      voll_ab = _mm_set1_epi16(239);
        // A narrow glyph's rest takes one more step when both rows reach eight
        // pixels further: the lanes past it have no cover and keep their pixel.
        const bool rest_breit = f.sx + f.w + 8 <= f.sstride && f.dx + f.w + 8 <= f.dstride;
        for (; x < f.w && (x + 8 <= f.w || rest_breit); x += 8) {
            __m128i k =
                _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(c + x)), _mm_setzero_si128());
            if (x + 8 > f.w)
                k = _mm_and_si128(k, _mm_cmplt_epi16(_mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7),
                                                     _mm_set1_epi16(static_cast<short>(f.w - x))));
            // Eight pixels without cover (the empty margins of a glyph) keep theirs.
            if (_mm_movemask_epi8(_mm_cmpgt_epi16(k, _mm_set1_epi16(2))) == 0) continue;
            const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + x));
            const __m128i a = _mm_andnot_si128(_mm_cmplt_epi16(k, drei), k);
            const __m128i voll = _mm_cmpgt_epi16(k, voll_ab);
            const __m128i p = alpha8<T>(fv, dv, a);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x),
                             _mm_or_si128(_mm_and_si128(voll, fv), _mm_andnot_si128(voll, p)));
        }
#endif
        for (; x < f.w; ++x) {
            const int k = c[x];
            if (k <= 2) continue;
            d[x] = k >= 240 ? farbe : pixel::mischen<T>(d[x], farbe, k, 255 - k);
        }
    }
}

// Tint and grey with an optional key (art 1) or mask (art 2).
template <int T>
void toenen(const u16* src, u16* dst, const Feld& f, int art, u16 key, const u8* m, u16 farbe, int w, bool grau) {
    jedes_pixel(f, [&](size_t s, size_t d) {
        const u16 p = src[s];
        if (art == 1 && p == key) return;
        if (art == 2 && !pixel::maske_bit(m, static_cast<i64>(s))) return;
        if (grau) dst[d] = pixel::grau<T>(p);
        else if (art == 1 && w == 0) dst[d] = farbe;
        else dst[d] = pixel::toenen<T>(p, farbe, w);
    });
}

// A tint of weight 0 through a colour key (a glyph in its colour): every
// source pixel but the key becomes `farbe`, eight a step with SSE2.
void fuellen_schluessel(const u16* src, u16* dst, const Feld& f, u16 key, u16 farbe) {
    for (i32 y = 0; y < f.h; ++y) {
        const u16* s = src + f.s(0, y);
        u16* d = dst + f.d(0, y);
        i32 x = 0;
#if defined(__SSE2__)
        const __m128i k = _mm_set1_epi16(static_cast<short>(key)), c = _mm_set1_epi16(static_cast<short>(farbe));
        for (; x + 8 <= f.w; x += 8) {
            const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
            const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + x));
            const __m128i leer = _mm_cmpeq_epi16(sv, k);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x),
                             _mm_or_si128(_mm_and_si128(leer, dv), _mm_andnot_si128(leer, c)));
        }
#endif
        for (; x < f.w; ++x)
            if (s[x] != key) d[x] = farbe;
    }
}

// Walks a sprite row by row; `fn(x, y, pixel)` for every literal pixel.
template <class F>
void sprite_laufen(const Rle_Sprite& sp, F&& fn) {
    rle::laufen(sp.breite, sp.zeilen, sp.daten, fn);
}

// Destination of a sprite loop: pixels and bounds, so that a loop called
// directly can never write outside.
struct Ziel {
    u16* p = nullptr;
    i32 w = 0, h = 0, tiefe = 0;
    explicit Ziel(Rastport* rp) {
        if (rp && Rastport_Lock(rp) && rp->tiefe() != 8) {
            p = rp->bitmap->pixel16();
            w = rp->breite;
            h = rp->hoehe;
            tiefe = rp->tiefe();
        }
    }
    u16* an(i32 x, i32 y) const {
        return (x >= 0 && y >= 0 && x < w && y < h) ? p + static_cast<size_t>(y) * w + x : nullptr;
    }
};

}  // namespace

Blt_Optionen* const Blt_Opt_Standard = &opt_standard;
Blt_Optionen* const Blt_Opt_Transparent = &opt_transparent;
Blt_Optionen* const Blt_Opt_Maske = &opt_maske;
Blt_Optionen* const Blt_Opt_Schatten = &opt_schatten;
Blt_Optionen* const Blt_Opt_Einfaerben = &opt_einfaerben;
Blt_Optionen* const Blt_Opt_Sprite = &opt_sprite;
Blt_Optionen* const Blt_Opt_Maske_Alpha = &opt_maske_alpha;
Blt_Optionen* const Blt_Opt_Alpha_Transparent = &opt_alpha_transparent;
Blt_Optionen* const Blt_Opt_Alpha = &opt_alpha;

i32 Blt_Clip(i32* sx, i32* sy, i32* w, i32* h, i32 sw, i32 sh, i32* dx, i32* dy, i32 dw, i32 dh) {
    // Sums are taken in 64 bits so that huge arguments cannot wrap.
    auto S = [](i32 a, i32 b) { return static_cast<i64>(a) + b; };
    if (*sx >= 0 && S(*sx, *w) <= sw && *sy >= 0 && S(*sy, *h) <= sh && *dx >= 0 && S(*dx, *w) <= dw && *dy >= 0 &&
        S(*dy, *h) <= dh && *h >= 1 && *w >= 1)
        return 1;
    if (*sx >= sw || *sy >= sh || S(*sx, *w) < 1 || S(*sy, *h) < 1 || *dx >= dw || *dy >= dh) return 0;
    if (*sx < 0) {
        *w += *sx, *dx -= *sx, *sx = 0;
        if (*w < 1) return 0;
    }
    if (S(*sx, *w) > sw) *w = sw - *sx;
    if (*sy < 0) {
        *h += *sy, *dy -= *sy, *sy = 0;
        if (*h < 1) return 0;
    }
    if (S(*sy, *h) > sh) *h = sh - *sy;
    if (*h < 1 || *w < 1 || S(*dx, *w) < 1 || S(*dy, *h) < 1) return 0;
    if (*dx < 0) {
        *sx -= *dx, *w += *dx, *dx = 0;
        if (*w < 1) return 0;
    }
    if (*dy < 0) {
        *sy -= *dy, *h += *dy, *dy = 0;
        if (*h < 1) return 0;
    }
    if (S(*dx, *w) > dw) {
        *w = dw - *dx;
        if (*w < 1) return 0;
    }
    if (S(*dy, *h) > dh) {
        *h = dh - *dy;
        if (*h < 1) return 0;
    }
    return (*w >= 0 && *h >= 0 && *dx >= 0 && *dy >= 0 && *sx >= 0 && *sy >= 0) ? 1 : 0;
}

namespace {
i32 blit(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy, const Blt_Optionen* opt);
i32 rechteck(Rastport* rp, i32 x, i32 y, i32 w, i32 h, u32 farbe);
i32 abdunkeln(Rastport* rp, i32 x, i32 y, i32 w, i32 h, i32 stufe);

#if defined(KORDAVO_DUNKEL_AVX2)
// A row of 5-6-5 pixels darkened at a level up to 128, sixteen a step on a
// processor that has the wide registers (a message box darkens the whole
// screen): the arithmetic of the eight-pixel step. Returns the pixels done.
__attribute__((target("avx2"))) i32 dunkler_565_breit(u16* d, i32 w, u32 k) {
    const __m256i kv = _mm256_set1_epi16(static_cast<short>(k)), null = _mm256_setzero_si256();
    const __m256i m248 = _mm256_set1_epi16(248), m252 = _mm256_set1_epi16(252), eins = _mm256_set1_epi16(1);
    i32 xx = 0;
    for (; xx + 16 <= w; xx += 16) {
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + xx));
        const __m256i r = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(p, 8), m248), kv), 7);
        const __m256i g = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(p, 3), m252), kv), 7);
        const __m256i b = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_and_si256(_mm256_slli_epi16(p, 3), m248), kv), 7);
        const __m256i n = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(_mm256_srli_epi16(r, 3), 11),
                                                          _mm256_slli_epi16(_mm256_srli_epi16(g, 2), 5)),
                                          _mm256_srli_epi16(b, 3));
        // A pixel that was not black never turns into the key 0.
        const __m256i schwarz = _mm256_andnot_si256(_mm256_cmpeq_epi16(p, null), _mm256_cmpeq_epi16(n, null));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + xx), _mm256_or_si256(n, _mm256_and_si256(schwarz, eins)));
    }
    return xx;
}
#endif
}  // namespace

i32 Blt_Blit(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy, const Blt_Optionen* opt) {
    if (!src || !dst) return 0;
    if (Abdruck_Ziel) [[unlikely]] {
        if (dst == Abdruck_Ziel) {
            if (w == -1) w = src->breite;
            if (h == -1) h = src->hoehe;
            const bool sprite = opt && opt->sprite && src->sprite;
            if (Abdruck_Blit(src, &sx, &sy, &w, &h, &dx, &dy, opt, 1, sprite) == Abdruck_Folge::FERTIG) return 1;
        }
        const Abdruck_Schutz schutz;
        return blit(src, sx, sy, w, h, dst, dx, dy, opt);
    }
    return blit(src, sx, sy, w, h, dst, dx, dy, opt);
}

i32 Blt_Rechteck(Rastport* rp, i32 x, i32 y, i32 w, i32 h, u32 farbe, const void*) {
    if (!rp) return 0;
    if (Abdruck_Trifft(rp)) [[unlikely]] {
        if (w == -1) w = rp->breite;
        if (h == -1) h = rp->hoehe;
        const i64 werte[] = {2, farbe};
        if (Abdruck_Flaeche(&x, &y, &w, &h, werte, 2) == Abdruck_Folge::FERTIG) return 0;
        const Abdruck_Schutz schutz;
        return rechteck(rp, x, y, w, h, farbe);
    }
    return rechteck(rp, x, y, w, h, farbe);
}

i32 Blt_Abdunkeln(Rastport* rp, i32 x, i32 y, i32 w, i32 h, i32 stufe) {
    if (Abdruck_Trifft(rp)) [[unlikely]] {
        const i64 werte[] = {3, stufe};
        if (Abdruck_Flaeche(&x, &y, &w, &h, werte, 2) == Abdruck_Folge::FERTIG) return 1;
        const Abdruck_Schutz schutz;
        return abdunkeln(rp, x, y, w, h, stufe);
    }
    return abdunkeln(rp, x, y, w, h, stufe);
}

namespace {
// Rastport_Lock without the call where the pixels are there and no probe
// is on (a probe's target must see every lock).
inline bool bereit(Rastport* rp) {
    if (!Abdruck_Ziel && rp->bitmap && rp->bitmap->hat_pixel()) [[likely]]
        return true;
    return Rastport_Lock(rp) != 0;
}

i32 blit(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy, const Blt_Optionen* opt) {
    Blt_Optionen o = opt ? *opt : opt_standard;
    if (w == -1) w = src->breite;
    if (h == -1) h = src->hoehe;
    // The sprite branch needs the whole source inside the destination.
    if (o.sprite && src->sprite) {
        const bool ganz = sx == 0 && sy == 0 && w == src->breite && h == src->hoehe;
        i32 csx = sx, csy = sy, cw = w, ch = h, cdx = dx, cdy = dy;
        if (!ganz || !Blt_Clip(&csx, &csy, &cw, &ch, src->breite, src->hoehe, &cdx, &cdy, dst->breite, dst->hoehe) ||
            cw != w || ch != h)
            return 0;
        if (Zeichenspur_An) [[unlikely]]
            Zeichenspur_Blit_Merken(src, dst, dx, dy, w, h);
        return src->sprite->gespiegelt ? Blt_Rle_Gespiegelt(*src->sprite, dst, dx, dy)
                                       : Blt_Rle(*src->sprite, dst, dx, dy);
    }
    if (!Blt_Clip(&sx, &sy, &w, &h, src->breite, src->hoehe, &dx, &dy, dst->breite, dst->hoehe)) return 0;
    if (Zeichenspur_An) [[unlikely]]
        Zeichenspur_Blit_Merken(src, dst, dx, dy, w, h);
    // Options the source cannot serve are dropped.
    if (src->alpha.empty()) o.alpha = 0;
    if (src->maske.empty()) o.maske = 0;
    const Feld f{sx, sy, w, h, src->breite, dx, dy, dst->breite};
    const u16 farbe = static_cast<u16>(o.farbe & 0xFFFF);
    const u16 key_wert = static_cast<u16>(o.farbe >> 16);

    if (o.deckung) {
        if (!Rastport_Lock(dst) || dst->tiefe() == 8) return 0;
        const u8* cov = nullptr;
        if (!src->alpha.empty()) cov = src->alpha.data();
        else if (Rastport_Lock(src) && src->tiefe() == 8) cov = src->bitmap->pixel8();
        if (!cov) return 0;
        if (dst->tiefe() == 16) deckung<16>(cov, dst->bitmap->pixel16(), f, farbe);
        else deckung<15>(cov, dst->bitmap->pixel16(), f, farbe);
        return 1;
    }
    if (!bereit(src) || !bereit(dst)) return 0;
    const i32 t = src->tiefe();
    if (t == 8) {
        if (o.alpha || o.maske || o.schluessel || o.grau || o.toenen || dst->tiefe() != 8) return 0;
        kopie8(src->bitmap->pixel8(), dst->bitmap->pixel8(), f);
        return 1;
    }
    if (dst->tiefe() != t) return 0;  // nothing converts between depths
    const u16* s = src->bitmap->pixel16();
    u16* d = dst->bitmap->pixel16();
    const bool t16 = t == 16;
    if (o.alpha) {
        if (o.grau || o.toenen) return 0;
        const int art = o.maske ? 2 : o.schluessel ? 1 : 0;
        const u16 key = src->bitmap->farbschluessel;
        if (t16) alpha_ebene<16>(s, d, f, src->alpha.data(), art, key, src->maske.data());
        else alpha_ebene<15>(s, d, f, src->alpha.data(), art, key, src->maske.data());
        return 1;
    }
    if (o.grau || o.toenen) {
        const int art = o.maske ? 2 : o.schluessel ? 1 : 0;
        const int gew = std::clamp(o.gewicht, -255, 255);
        if (art == 1 && gew == 0 && !o.grau) {
            fuellen_schluessel(s, d, f, key_wert, farbe);
            return 1;
        }
        if (t16) toenen<16>(s, d, f, art, key_wert, src->maske.data(), farbe, gew, o.grau != 0);
        else toenen<15>(s, d, f, art, key_wert, src->maske.data(), farbe, gew, o.grau != 0);
        return 1;
    }
    if (o.maske) kopie_maske(s, d, f, src->maske.data());
    else if (o.schluessel) kopie_schluessel(s, d, f, src->bitmap->farbschluessel);
    else kopie(s, d, f);
    return 1;
}

i32 rechteck(Rastport* rp, i32 x, i32 y, i32 w, i32 h, u32 farbe) {
    if (w == -1) w = rp->breite;
    if (h == -1) h = rp->hoehe;
    const i64 W = rp->breite, H = rp->hoehe;
    if (x > W || y > H || static_cast<i64>(x) + w < 1 || static_cast<i64>(y) + h < 1) return 0;
    if (x < 0) w += x, x = 0;
    if (y < 0) h += y, y = 0;
    if (x + static_cast<i64>(w) > W) w = static_cast<i32>(W - x);
    if (y + static_cast<i64>(h) > H) h = static_cast<i32>(H - y);
    if (w < 1 || h < 1 || !Rastport_Lock(rp) || rp->tiefe() == 8) return 0;
    if (Zeichenspur_An) [[unlikely]]
        Zeichenspur_Flaeche_Merken(rp, x, y, w, h, static_cast<u16>(farbe));
    u16* p = rp->bitmap->pixel16();
    for (i32 yy = y; yy < y + h; ++yy)
        std::fill_n(p + static_cast<size_t>(yy) * rp->breite + x, w, static_cast<u16>(farbe));
    return 0;
}
}  // namespace

i32 Blt_Rahmen(Rastport* rp, i32 x, i32 y, i32 w, i32 h, u32 farbe, i32 t, const void* fo) {
    if (t < 1) return 1;
    Blt_Rechteck(rp, x, y, w, t, farbe, fo);
    Blt_Rechteck(rp, x, y + t, t, h - t, farbe, fo);
    Blt_Rechteck(rp, x + t, y + h - t, w - t, t, farbe, fo);
    Blt_Rechteck(rp, x + w - t, y + t, t, h - 2 * t, farbe, fo);
    return 1;
}

i32 Blt_Rle(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy) {
    const Ziel z(dst);
    if (!z.p) return 0;
    sprite_laufen(sp, [&](i32 x, i32 y, u16 p) {
        if (u16* d = z.an(dx + x, dy + y)) *d = p;
    });
    return 1;
}

i32 Blt_Rle_Gespiegelt(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy) {
    const Ziel z(dst);
    if (!z.p) return 0;
    sprite_laufen(sp, [&](i32 x, i32 y, u16 p) {
        if (u16* d = z.an(dx + sp.breite - 1 - x, dy + y)) *d = p;
    });
    return 1;
}

i32 Blt_Rle_Halb(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy) {
    const Ziel z(dst);
    if (!z.p) return 0;
    sprite_laufen(sp, [&](i32 x, i32 y, u16 p) {
        if ((y & 1) == 0 && (x & 1) == 1)
            if (u16* d = z.an(dx + x / 2, dy + y / 2)) *d = p;
    });
    return 1;
}

i32 Blt_Rle_Gespiegelt_Halb(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy) {
    const Ziel z(dst);
    if (!z.p) return 0;
    sprite_laufen(sp, [&](i32 x, i32 y, u16 p) {
        if ((y & 1) == 0 && (x & 1) == 1)
            if (u16* d = z.an(dx + (sp.breite - 1 - x) / 2, dy + y / 2)) *d = p;
    });
    return 1;
}

i32 Blt_Rle_Alpha(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy, i32 stufe) {
    const Ziel z(dst);
    if (!z.p) return 0;
    stufe = std::clamp(stufe, 0, 128);
    sprite_laufen(sp, [&](i32 x, i32 y, u16 p) {
        if (u16* d = z.an(dx + x, dy + y))
            *d = z.tiefe == 16 ? pixel::mischen<16>(*d, p, stufe * 2, (128 - stufe) * 2)
                               : pixel::mischen<15>(*d, p, stufe * 2, (128 - stufe) * 2);
    });
    return 1;
}

namespace {
i32 abdunkeln(Rastport* rp, i32 x, i32 y, i32 w, i32 h, i32 stufe) {
    i32 sx = x, sy = y, dx = x, dy = y;
    if (!rp || !Blt_Clip(&sx, &sy, &w, &h, rp->breite, rp->hoehe, &dx, &dy, rp->breite, rp->hoehe)) return 0;
    const Ziel z(rp);
    if (!z.p) return 0;
    // Clipped above: whole rows, one depth per call.
    auto zeilen = [&](auto tiefe) {
        for (i32 yy = dy; yy < dy + h; ++yy) {
            u16* d = z.p + static_cast<size_t>(yy) * z.w + dx;
            for (i32 xx = 0; xx < w; ++xx) d[xx] = pixel::abdunkeln<decltype(tiefe)::value>(d[xx], stufe);
        }
    };
    // A level up to 128 only darkens: no channel leaves its range, so the
    // rows need no clamping and run without branches (the same pixels).
    auto dunkler = [&](auto tiefe) {
        constexpr int T = decltype(tiefe)::value;
        const u32 k = static_cast<u32>(stufe);
        for (i32 yy = dy; yy < dy + h; ++yy) {
            u16* d = z.p + static_cast<size_t>(yy) * z.w + dx;
            i32 xx = 0;
#if defined(KORDAVO_DUNKEL_AVX2)
            if (T == 16 && breit_da) xx = dunkler_565_breit(d, w, k);
#endif
#if defined(__SSE2__)
            // Eight pixels a step with the same arithmetic (every product stays
            // below 2^15: a channel of at most 252 times a level of at most 128).
            const __m128i kv = _mm_set1_epi16(static_cast<short>(k)), null = _mm_setzero_si128();
            const __m128i m248 = _mm_set1_epi16(248), mg = _mm_set1_epi16(T == 16 ? 252 : 248),
                          eins = _mm_set1_epi16(1);
            for (; xx + 8 <= w; xx += 8) {
                const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + xx));
                auto kanal = [&](__m128i c, __m128i maske) {
                    return _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(c, maske), kv), 7);
                };
                const __m128i r = kanal(_mm_srli_epi16(p, T == 16 ? 8 : 7), m248);
                const __m128i g = kanal(_mm_srli_epi16(p, T == 16 ? 3 : 2), mg);
                const __m128i b = kanal(_mm_slli_epi16(p, 3), m248);
                const __m128i n =
                    T == 16 ? _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 11),
                                                        _mm_slli_epi16(_mm_srli_epi16(g, 2), 5)),
                                           _mm_srli_epi16(b, 3))
                            : _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 10),
                                                        _mm_slli_epi16(_mm_srli_epi16(g, 3), 5)),
                                           _mm_srli_epi16(b, 3));
                // A pixel that was not black never turns into the key 0.
                const __m128i schwarz = _mm_andnot_si128(_mm_cmpeq_epi16(p, null), _mm_cmpeq_epi16(n, null));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + xx), _mm_or_si128(n, _mm_and_si128(schwarz, eins)));
            }
#endif
            for (; xx < w; ++xx) {
                const u32 p = d[xx];
                const u32 r = ((T == 16 ? (p >> 8) & 248u : (p >> 7) & 248u) * k) >> 7;
                const u32 g = ((T == 16 ? (p >> 3) & 252u : (p >> 2) & 248u) * k) >> 7;
                const u32 b = (((p & 31u) << 3) * k) >> 7;
                const u32 n = T == 16 ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                                      : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
                d[xx] = static_cast<u16>(n | static_cast<u32>(p != 0 && n == 0));
            }
        }
    };
    const bool nur_dunkler = stufe >= 0 && stufe <= 128;
    if (z.tiefe == 16) nur_dunkler ? dunkler(std::integral_constant<int, 16>{}) : zeilen(std::integral_constant<int, 16>{});
    else nur_dunkler ? dunkler(std::integral_constant<int, 15>{}) : zeilen(std::integral_constant<int, 15>{});
    return 1;
}
}  // namespace

namespace {
#if defined(__SSE2__)
// The eight 16-bit lanes in reverse order.
inline __m128i umdrehen(__m128i v) {
    v = _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2));
    v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
    return _mm_shufflehi_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
}
#endif

template <int T>
void licht_zeilen(const u16* q, const u8* alpha, u16* z, i32 w, i32 h, bool gespiegelt) {
    for (i32 y = 0; y < h; ++y) {
        const size_t zeile = static_cast<size_t>(y) * w;
        i32 x = 0;
#if defined(__SSE2__)
        const __m128i null = _mm_setzero_si128(), eins = _mm_set1_epi16(1);
        for (; x + 8 <= w; x += 8) {
            // The source's eight pixels for destination x..x+7 (mirrored:
            // w-1-x down to w-8-x).
            const size_t i = zeile + (gespiegelt ? static_cast<size_t>(w - 8 - x) : static_cast<size_t>(x));
            __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + i));
            __m128i av = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(alpha + i)), null);
            if (gespiegelt) sv = umdrehen(sv), av = umdrehen(av);
            u16* d = z + zeile + x;
            const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
            const __m128i p = alpha8<T>(sv, dv, av);
            const __m128i schwarz = _mm_andnot_si128(_mm_cmpeq_epi16(av, null), _mm_cmpeq_epi16(p, null));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_or_si128(p, _mm_and_si128(schwarz, eins)));
        }
#endif
        for (; x < w; ++x) {
            const size_t i = zeile + (gespiegelt ? static_cast<size_t>(w - 1 - x) : static_cast<size_t>(x));
            const int a = alpha[i];
            if (a == 0) continue;
            u16& d = z[zeile + x];
            const u16 neu = pixel::mischen<T>(d, q[i], a, 255 - a);
            d = neu ? neu : 1;
        }
    }
}
}  // namespace

i32 Blt_Licht_Mischen(const Rastport& quelle, Rastport& ziel, bool gespiegelt) {
    if (!quelle.bitmap || !ziel.bitmap || quelle.breite != ziel.breite || quelle.hoehe != ziel.hoehe ||
        quelle.tiefe() != ziel.tiefe() || (ziel.tiefe() != 15 && ziel.tiefe() != 16) ||
        quelle.alpha.size() < static_cast<size_t>(ziel.breite) * ziel.hoehe)
        return 0;
    const u16* q = quelle.bitmap->pixel16();
    u16* z = ziel.bitmap->pixel16();
    if (ziel.tiefe() == 16) licht_zeilen<16>(q, quelle.alpha.data(), z, ziel.breite, ziel.hoehe, gespiegelt);
    else licht_zeilen<15>(q, quelle.alpha.data(), z, ziel.breite, ziel.hoehe, gespiegelt);
    return 1;
}

i32 Blt_Kopie_Transparent_Halb(Rastport* src, Rastport* dst, i32 dx, i32 dy) {
    if (!src || !Rastport_Lock(src) || src->tiefe() == 8) return 0;
    const Ziel z(dst);
    if (!z.p || z.tiefe != src->tiefe()) return 0;
    const u16* s = src->bitmap->pixel16();
    for (i32 y = 0; y < src->hoehe; y += 2)
        for (i32 x = 1; x < src->breite; x += 2) {
            const u16 p = s[static_cast<size_t>(y) * src->breite + x];
            if (p)
                if (u16* d = z.an(dx + x / 2, dy + y / 2)) *d = p;
        }
    return 1;
}

bool Blt_Laeufe_Bauen(Rastport* src, Blt_Laeufe* aus) {
    *aus = Blt_Laeufe{};
    if (!src || !Rastport_Lock(src) || (src->tiefe() != 15 && src->tiefe() != 16) || src->breite > 0xFFFF)
        return false;
    const u16* p = src->bitmap->pixel16();
    const u16 key = src->bitmap->farbschluessel;
    aus->quelle = src, aus->serie = src->serie;
    aus->breite = src->breite, aus->hoehe = src->hoehe;
    aus->zeilen.reserve(static_cast<size_t>(src->hoehe) + 1);
    for (i32 y = 0; y < src->hoehe; ++y) {
        aus->zeilen.push_back(static_cast<u32>(aus->laeufe.size()));
        const u16* z = p + static_cast<size_t>(y) * src->breite;
        for (i32 x = 0; x < src->breite;) {
            if (z[x] == key) {
                ++x;
                continue;
            }
            i32 e = x;
            while (e < src->breite && z[e] != key) ++e;
            aus->laeufe.push_back({static_cast<u16>(x), static_cast<u16>(e - x), static_cast<u32>(aus->pixel.size())});
            aus->pixel.insert(aus->pixel.end(), z + x, z + e);
            x = e;
        }
    }
    aus->zeilen.push_back(static_cast<u32>(aus->laeufe.size()));
    return true;
}

__attribute__((optimize("no-tree-loop-distribute-patterns"))) i32 Blt_Laeufe_Zeichnen(const Blt_Laeufe& l,
                                                                                       Rastport* src, Rastport* dst,
                                                                                       i32 dx, i32 dy) {
    if (!src || !dst) return 0;
    const bool passt = l.quelle == src && l.serie == src->serie && l.breite == src->breite && l.hoehe == src->hoehe &&
                       !Zeichenspur_An && !Abdruck_Ziel && dx >= 0 && dy >= 0 &&
                       static_cast<i64>(dx) + l.breite <= dst->breite && static_cast<i64>(dy) + l.hoehe <= dst->hoehe &&
                       src->bitmap && dst->bitmap && dst->bitmap->hat_pixel() && dst->tiefe() == src->tiefe();
    if (!passt) return Blt_Blit(src, 0, 0, -1, -1, dst, dx, dy, Blt_Opt_Transparent);
    u16* ziel = dst->bitmap->pixel16() + static_cast<size_t>(dy) * dst->breite + dx;
    for (i32 y = 0; y < l.hoehe; ++y, ziel += dst->breite)
        for (u32 i = l.zeilen[y]; i < l.zeilen[y + 1]; ++i) {
            const Blt_Laeufe::Lauf& r = l.laeufe[i];
            const u16* q = l.pixel.data() + r.pixel;
            u16* z = ziel + r.x;
            // Short runs: a call to copy them would cost more than the copy.
            for (u32 k = 0; k < r.n; ++k) z[k] = q[k];
        }
    return 1;
}

bool Rle8_Sprite_Pruefen(const Rle8_Sprite& sp) {
    size_t zeile = 0;
    return sp.breite > 0 && sp.hoehe > 0 && sp.zeilen.size() == static_cast<size_t>(sp.hoehe) &&
           rle::zeilen_gueltig(sp.breite, sp.zeilen, sp.daten, &zeile);
}

i32 Blt_Rle8(const Rle8_Sprite& sp, const u16* tabelle, Rastport* dst, i32 dx, i32 dy, i32 art) {
    const Ziel z(dst);
    if (!z.p || !tabelle || !Rle8_Sprite_Pruefen(sp)) return 0;
    const bool gespiegelt = art & RLE_GESPIEGELT, halb = art & RLE_HALB;
    rle::laufen(sp.breite, sp.zeilen, sp.daten, [&](i32 x, i32 y, u8 i) {
        if (halb && ((y & 1) || !(x & 1))) return;
        i32 zx = gespiegelt ? sp.breite - 1 - x : x, zy = y;
        if (halb) zx /= 2, zy /= 2;
        if (u16* d = z.an(dx + zx, dy + zy)) *d = tabelle[i];
    });
    return 1;
}
