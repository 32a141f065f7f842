// Uniform-alpha blits (see alpha.h).
#include "graphics/alpha.h"

#include "graphics/abdruck.h"
#include "graphics/zeichenspur.h"

#include <algorithm>
#include <array>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/debug.h"
#include "base/tools.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"

namespace {

#if defined(__SSE2__)
// Eight 565 pixels at once, bit-exact with pixel::mischen<16> (every
// product stays below 65,536 and no channel sum exceeds 255, so 16-bit
// lanes need no clamping); with `transparent` a source pixel 0 keeps the
// destination.
i32 mischen_565_x8(u16* d, const u16* s, i32 n, i32 a, bool transparent) {
    const __m128i va = _mm_set1_epi16(static_cast<short>(a)), vinv = _mm_set1_epi16(static_cast<short>(256 - a));
    const __m128i m248 = _mm_set1_epi16(248), m252 = _mm_set1_epi16(252), m31 = _mm_set1_epi16(31);
    const __m128i null = _mm_setzero_si128(), eins = _mm_set1_epi16(1);
    auto mix = [&](__m128i x, __m128i y, __m128i m, int rechts, int links) {
        // ((x8 * inv) >> 8) + ((y8 * a) >> 8), x8 = the channel as 8 bits
        const __m128i x8 = rechts >= 0 ? _mm_and_si128(_mm_srli_epi16(x, rechts), m)
                                       : _mm_slli_epi16(_mm_and_si128(x, m), links);
        const __m128i y8 = rechts >= 0 ? _mm_and_si128(_mm_srli_epi16(y, rechts), m)
                                       : _mm_slli_epi16(_mm_and_si128(y, m), links);
        return _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(x8, vinv), 8), _mm_srli_epi16(_mm_mullo_epi16(y8, va), 8));
    };
    i32 i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i vd = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        const __m128i vs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i r = mix(vd, vs, m248, 8, 0), g = mix(vd, vs, m252, 3, 0), b = mix(vd, vs, m31, -1, 3);
        __m128i p = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 11),
                                              _mm_slli_epi16(_mm_srli_epi16(g, 2), 5)),
                                 _mm_srli_epi16(b, 3));
        p = _mm_or_si128(p, _mm_and_si128(_mm_cmpeq_epi16(p, null), eins));
        if (transparent) {
            const __m128i leer = _mm_cmpeq_epi16(vs, null);
            p = _mm_or_si128(_mm_and_si128(leer, vd), _mm_andnot_si128(leer, p));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), p);
    }
    return i;
}
#endif

template <int T>
void mischen_zeile(u16* d, const u16* s, i32 n, i32 a, bool transparent) {
    i32 i = 0;
#if defined(__SSE2__)
    if constexpr (T == 16) i = mischen_565_x8(d, s, n, a, transparent);
#endif
    for (; i < n; ++i)
        if (!transparent || s[i]) {
            const u16 p = pixel::mischen<T>(d[i], s[i], a, 256 - a);
            d[i] = p ? p : 1;
        }
}

i32 alpha_blit(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy, i32 prozent,
               bool transparent) {
    if (!src || !dst || !src->bitmap || !dst->bitmap || src->tiefe() != dst->tiefe()) return 0;
    if (Abdruck_Trifft(dst)) [[unlikely]] {
        if (w < 0) w = src->breite;
        if (h < 0) h = src->hoehe;
        const i64 art = 4 + (transparent ? 2 : 0) + 8 * static_cast<i64>(prozent);
        if (Abdruck_Blit(src, &sx, &sy, &w, &h, &dx, &dy, nullptr, art, false) == Abdruck_Folge::FERTIG) return 1;
    }
    if (dst->tiefe() != 15 && dst->tiefe() != 16) return 0;
    if (!Rastport_Lock(src) || !dst->bitmap->hat_pixel()) return 0;
    if (w < 0) w = src->breite;
    if (h < 0) h = src->hoehe;
    if (!Blt_Clip(&sx, &sy, &w, &h, src->breite, src->hoehe, &dx, &dy, dst->breite, dst->hoehe)) return 0;
    if (Zeichenspur_An) [[unlikely]]
        Zeichenspur_Blit_Merken(src, dst, dx, dy, w, h);
    const i32 a = Blt_Alpha_Aus_Prozent(prozent);
    for (i32 y = 0; y < h; ++y) {
        u16* d = dst->bitmap->pixel16() + static_cast<i64>(dy + y) * dst->breite + dx;
        const u16* s = src->bitmap->pixel16() + static_cast<i64>(sy + y) * src->breite + sx;
        if (dst->tiefe() == 16) mischen_zeile<16>(d, s, w, a, transparent);
        else mischen_zeile<15>(d, s, w, a, transparent);
    }
    return 1;
}

}  // namespace

i32 Blt_Alpha_Aus_Prozent(i32 prozent) { return std::clamp(prozent * 255 / 100, 0, 255); }

i32 Blt_Alpha_Prozent(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy, i32 prozent) {
    return alpha_blit(src, sx, sy, w, h, dst, dx, dy, prozent, false);
}

i32 Blt_Alpha_Prozent_Transparent(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy,
                                  i32 prozent) {
    return alpha_blit(src, sx, sy, w, h, dst, dx, dy, prozent, true);
}

i32 Blt_Rechteck_Alpha(Rastport* dst, i32 x, i32 y, i32 w, i32 h, u16 farbe, i32 prozent) {
    if (Abdruck_Trifft(dst)) [[unlikely]] {
        const i64 werte[] = {5, farbe, prozent};
        if (Abdruck_Flaeche(&x, &y, &w, &h, werte, 3) == Abdruck_Folge::FERTIG) return 1;
    }
    if (!dst || !dst->bitmap || !dst->bitmap->hat_pixel() || (dst->tiefe() != 15 && dst->tiefe() != 16)) return 0;
    const i32 x0 = std::max(x, 0), y0 = std::max(y, 0);
    const i32 x1 = std::min(x + w, dst->breite), y1 = std::min(y + h, dst->hoehe);
    const i32 a = Blt_Alpha_Aus_Prozent(prozent);
    if (Zeichenspur_An && x1 > x0 && y1 > y0) [[unlikely]]
        Zeichenspur_Flaeche_Merken(dst, x0, y0, x1 - x0, y1 - y0, farbe);
    const bool t16 = dst->tiefe() == 16;
    // Eight pixels a step: the colour's part of each channel is the same for
    // every pixel; a channel times 256 - a stays below 2^16.
    const auto kanal_teile = [&](auto k) {
        using K = decltype(k);
        return std::array<i32, 3>{(K::r8(farbe) * a) >> 8, (K::g8(farbe) * a) >> 8, (K::b8(farbe) * a) >> 8};
    };
    const std::array<i32, 3> teil = t16 ? kanal_teile(pixel::Kanal<16>{}) : kanal_teile(pixel::Kanal<15>{});
    const __m128i inv = _mm_set1_epi16(static_cast<short>(256 - a)), null = _mm_setzero_si128(),
                  eins = _mm_set1_epi16(1), m248 = _mm_set1_epi16(248), mg = _mm_set1_epi16(t16 ? 252 : 248),
                  m255 = _mm_set1_epi16(255);
    const __m128i tr = _mm_set1_epi16(static_cast<short>(teil[0])), tg = _mm_set1_epi16(static_cast<short>(teil[1])),
                  tb = _mm_set1_epi16(static_cast<short>(teil[2]));
    for (i32 yy = y0; yy < y1; ++yy) {
        u16* d = dst->bitmap->pixel16() + static_cast<i64>(yy) * dst->breite;
        i32 xx = x0;
        for (; xx + 8 <= x1; xx += 8) {
            const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + xx));
            auto mix = [&](__m128i c, __m128i t) {
                return _mm_min_epi16(_mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(c, inv), 8), t), m255);
            };
            const __m128i r = mix(_mm_and_si128(_mm_srli_epi16(p, t16 ? 8 : 7), m248), tr);
            const __m128i g = mix(_mm_and_si128(_mm_srli_epi16(p, t16 ? 3 : 2), mg), tg);
            const __m128i b = mix(_mm_and_si128(_mm_slli_epi16(p, 3), m248), tb);
            __m128i n = t16 ? _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 11),
                                                        _mm_slli_epi16(_mm_srli_epi16(g, 2), 5)),
                                           _mm_srli_epi16(b, 3))
                            : _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_srli_epi16(r, 3), 10),
                                                        _mm_slli_epi16(_mm_srli_epi16(g, 3), 5)),
                                           _mm_srli_epi16(b, 3));
            n = _mm_or_si128(n, _mm_and_si128(_mm_cmpeq_epi16(n, null), eins));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + xx), n);
        }
        for (; xx < x1; ++xx) {
            const u16 p =
                t16 ? pixel::mischen<16>(d[xx], farbe, a, 256 - a) : pixel::mischen<15>(d[xx], farbe, a, 256 - a);
            d[xx] = p ? p : 1;
        }
    }
    return x1 > x0 && y1 > y0;
}

namespace {

struct Puls {
    i32 schluessel = 0;
    u32 zeit = 0;
    i32 stufe = 5;
    i32 richtung = 1;
};
Puls pulse[10];

}  // namespace

i32 Blt_Pulsieren_Stufe(i32 dx, i32 dy) {
    const i32 k = dx + dy * 1000 + 1;
    const u32 jetzt = W32_Get_Time();
    Puls* p = nullptr;
    for (Puls& q : pulse)
        if (q.schluessel == k) p = &q;
    if (!p) {
        // A new place takes a free slot, or the one unused longest.
        p = &pulse[0];
        for (Puls& q : pulse)
            if (!q.schluessel || q.zeit < p->zeit) p = &q;
        *p = Puls{k, jetzt, 5, 1};
        return p->stufe;
    }
    if (jetzt - p->zeit >= 50) {
        p->zeit = jetzt;
        const bool mitte = p->richtung > 0 ? (p->stufe >= 50 && p->stufe < 70) : (p->stufe > 50 && p->stufe <= 70);
        p->stufe += p->richtung * (mitte ? 10 : 5);
        if (p->stufe >= 100) p->stufe = 100, p->richtung = -1;
        if (p->stufe <= 5) p->stufe = 5, p->richtung = 1;
    }
    return p->stufe;
}

i32 Blt_Pulsieren(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy) {
    return alpha_blit(src, sx, sy, w, h, dst, dx, dy, Blt_Pulsieren_Stufe(dx, dy), false);
}

i32 Blt_Pulsieren_Transparent(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy) {
    return alpha_blit(src, sx, sy, w, h, dst, dx, dy, Blt_Pulsieren_Stufe(dx, dy), true);
}

i32 Blt_Alpha(Rastport* src, Rastport* alpha, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy) {
    if (!alpha || !src || !dst) {
        Debug_Printf(!alpha ? "Blt_Alpha() rpAlpha == NULL\n"
                     : !src ? "Blt_Alpha() rpSrc   == NULL\n"
                            : "Blt_Alpha() rpDest  == NULL\n");
        return 0;
    }
    if (!alpha->bitmap || alpha->tiefe() != 8 || alpha->breite != src->breite || alpha->hoehe != src->hoehe ||
        !alpha->bitmap->pixel8()) {
        Debug_Printf("Blt_Alpha() rpAlpha passt nicht (%dx%d)\n", alpha->breite, alpha->hoehe);
        return 0;
    }
    // The alpha plane is lent to the source for this one blit: no fingerprint.
    if (Abdruck_Trifft(dst)) [[unlikely]]
        Abdruck_Unsicher();
    const u8* a = alpha->bitmap->pixel8();
    std::vector<u8> eigene(a, a + static_cast<size_t>(src->breite) * static_cast<size_t>(src->hoehe));
    src->alpha.swap(eigene);
    const i32 r = Blt_Blit(src, sx, sy, w, h, dst, dx, dy, Blt_Opt_Alpha_Transparent);
    src->alpha.swap(eigene);
    return r;
}

i32 Font_Printf_Alpha(Rastport* rp, Font* f, const char* text, i32 x, i32 y, i32 prozent) {
    if (!rp || !f || !text || !*text || !rp->bitmap) return 0;
    const i32 w = Font_Text_Breite(f, text);
    if (w <= 0) return 0;
    const Rastport_Bild tmp(Rastport_Neu_Einfach(w, f->hoehe * 2, rp->tiefe()));
    if (!tmp) return 0;
    Blt_Rechteck(tmp.get(), 0, 0, w, f->hoehe * 2, 0);
    Font_Markup_Ausgabe(tmp.get(), f, f->farbe, text, 0, f->hoehe, 0);
    return Blt_Alpha_Prozent_Transparent(tmp.get(), 0, 0, -1, -1, rp, x, y - f->hoehe, prozent);
}
