// Colour conversions and the recoloured-picture cache.
#include "graphics/farbe.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "graphics/blitter.h"
#include "platform/display.h"

void Farbe_Get_RGB(u16 p, i32 tiefe, u8* r, u8* g, u8* b) {
    const bool t15 = tiefe == 15;
    if (r) *r = static_cast<u8>(t15 ? pixel::Kanal<15>::r8(p) : pixel::Kanal<16>::r8(p));
    if (g) *g = static_cast<u8>(t15 ? pixel::Kanal<15>::g8(p) : pixel::Kanal<16>::g8(p));
    if (b) *b = static_cast<u8>(pixel::Kanal<16>::b8(p));
}

u16 Farbe_565_Zu_555(u16 p) { return static_cast<u16>(((p >> 1) & 0x7FE0) | (p & 31)); }
u16 Farbe_555_Zu_565(u16 p) { return static_cast<u16>(((p << 1) & 0xFFC0) | ((p >> 4) & 0x20) | (p & 31)); }

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Farbe_565_To_555(u16* ziel, const u16* quelle, u32 anzahl) {
    for (u32 i = 0; i < anzahl; ++i) ziel[i] = Farbe_565_Zu_555(quelle[i]);
}

void Farbe_Block_Rgb_Zu_Pixel(const u8* q, i32 bpp, bool bgr, u16* ziel, u32 anzahl, i32 tiefe) {
    const int r = bgr ? 2 : 0, b = bgr ? 0 : 2;
    for (u32 i = 0; i < anzahl; ++i, q += bpp) ziel[i] = Farbe_Get_Pixel(tiefe, q[r], q[1], q[b]);
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Farbe_Block_555_Zu_565(u16* pixel, u32 anzahl) {
    for (u32 i = 0; i < anzahl; ++i) pixel[i] = Farbe_555_Zu_565(pixel[i]);
}

u16 Farbe_Screen_Pixel(i32 r, i32 g, i32 b) {
    // Red and blue compared as unsigned values.
    if (static_cast<u32>(r) > 255) r = 255;
    if (static_cast<u32>(b) > 255) b = 255;
    return Farbe_Get_Pixel(Display_Farbtiefe, r, Farbe_Clamp(g), b);
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
u16 Farbe_Screen_Pixel_Hex(u32 rgb) {
    return Farbe_Screen_Pixel(static_cast<i32>((rgb >> 16) & 255), static_cast<i32>((rgb >> 8) & 255),
                              static_cast<i32>(rgb & 255));
}

i32 Farbe_Helligkeit_RGB(i32 r, i32 g, i32 b) { return (45 * r + 60 * g + 23 * b) / 100; }

i32 Farbe_Helligkeit(u16 p, i32 tiefe) {
    u8 r, g, b;
    Farbe_Get_RGB(p, tiefe, &r, &g, &b);
    return Farbe_Helligkeit_RGB(r, g, b);
}

u16 Farbe_Kontrast(u16 p, i32 tiefe) { return Farbe_Helligkeit(p, tiefe) < 181 ? 65535 : 1; }

void Farbe_RGB_Zu_YIQ(i32 r, i32 g, i32 b, i32* y, i32* i, i32* q) {
    const double R = r / 255.0, G = g / 255.0, B = b / 255.0;
    if (y) *y = static_cast<i32>((0.299 * R + 0.587 * G + 0.114 * B) * 10000);
    if (i) *i = static_cast<i32>((0.596 * R - 0.275 * G - 0.321 * B) * 10000);
    if (q) *q = static_cast<i32>((0.212 * R - 0.523 * G + 0.311 * B) * 10000);
}

void Farbe_YIQ_Zu_RGB(i32 y, i32 i, i32 q, i32* r, i32* g, i32* b) {
    const double Y = y / 10000.0, I = i / 10000.0, Q = q / 10000.0;
    if (r) *r = Farbe_Clamp(static_cast<i32>((Y + 0.956 * I + 0.621 * Q) * 255));
    if (g) *g = Farbe_Clamp(static_cast<i32>((Y - 0.272 * I - 0.647 * Q) * 255));
    if (b) *b = Farbe_Clamp(static_cast<i32>((Y - 1.105 * I + 1.702 * Q) * 255));
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
u16 Farbe_Helligkeit_Setzen(i32 ziel, u16 p, i32 tiefe) {
    u8 r, g, b;
    Farbe_Get_RGB(p, tiefe, &r, &g, &b);
    const i32 d = (ziel - (r * 35 + g * 47 + b * 18) / 100) / 3;
    return Farbe_Get_Pixel(tiefe, r + d, g + d, b + d);
}

void Farbe_Palette_Einfaerben(i32 r, i32 g, i32 b, const u8* pal6, const i32* liste, i32 basis, i32 anzahl, u16* aus) {
    if (!pal6 || !liste || !aus || anzahl < 1 || basis < 0 || basis >= anzahl) return;
    auto helligkeit = [&](i32 k) {
        const i32 n = liste[k] & 255;
        i32 y = 0;
        Farbe_RGB_Zu_YIQ((pal6[3 * n] & 63) * 4, (pal6[3 * n + 1] & 63) * 4, (pal6[3 * n + 2] & 63) * 4, &y, nullptr,
                         nullptr);
        return y;
    };
    i32 y, i, q;
    Farbe_RGB_Zu_YIQ(r, g, b, &y, &i, &q);
    const i32 dy = y - helligkeit(basis);
    for (i32 k = 0; k < anzahl; ++k) {
        i32 R, G, B;
        Farbe_YIQ_Zu_RGB(helligkeit(k) + dy, i, q, &R, &G, &B);
        aus[liste[k] & 255] = Farbe_Get_Pixel(Display_Farbtiefe, R, G, B);
    }
}

void Farbe_Maske_Einfaerben(u16* pixel, const u8* maske, u16 farbe, i32 tiefe, i32 anzahl) {
    if (!pixel || !maske) return;
    u8 r, g, b;
    Farbe_Get_RGB(farbe, tiefe, &r, &g, &b);
    i32 fi, fq;
    Farbe_RGB_Zu_YIQ(r, g, b, nullptr, &fi, &fq);
    for (i32 k = 0; k < anzahl; ++k) {
        if (!pixel::maske_bit(maske, k)) continue;
        Farbe_Get_RGB(pixel[k], tiefe, &r, &g, &b);
        i32 y, R, G, B;
        Farbe_RGB_Zu_YIQ(r, g, b, &y, nullptr, nullptr);
        Farbe_YIQ_Zu_RGB(y, fi, fq, &R, &G, &B);
        pixel[k] = Farbe_Get_Pixel(tiefe, R, G, B);
    }
}

i32 Farbe_Palette_Naechste(u16 p, i32 tiefe, const u8* pal) {
    u8 r, g, b;
    Farbe_Get_RGB(p, tiefe, &r, &g, &b);
    i32 beste = 1, abstand = -1;
    for (i32 k = 1; k < 256; ++k) {
        const i32 d =
            std::abs(r - pal[3 * k]) * 35 + std::abs(g - pal[3 * k + 1]) * 47 + std::abs(b - pal[3 * k + 2]) * 18;
        if (abstand < 0 || d < abstand) {
            abstand = d, beste = k;
            if (d < 400) break;
        }
    }
    return beste;
}

void Farbe_RGB_Zu_HSL(u32 rgb, f32* h, f32* l, f32* s) {
    const i32 r = rgb & 255, g = (rgb >> 8) & 255, b = (rgb >> 16) & 255;
    const i32 mx = std::max({r, g, b}), mn = std::min({r, g, b});
    *l = static_cast<f32>(mx + mn) / 510.0f;
    if (mx == mn) {
        *h = *s = 0;
        return;
    }
    const f32 d = static_cast<f32>(mx - mn);
    *s = *l < 0.5f ? d / static_cast<f32>(mx + mn) : d / static_cast<f32>(510 - mx - mn);
    f32 hue;
    if (b == mx) hue = 60.0f * (4 + (r - g) / d);
    else if (g == mx) hue = 60.0f * (2 + (b - r) / d);
    else hue = 60.0f * (6 + (g - b) / d);
    if (hue >= 360) hue -= 360;
    *h = hue;
}

f32 Farbe_HSL_Kanal(f32 m1, f32 m2, f32 h) {
    while (h < 0) h += 360;
    while (h >= 360) h -= 360;
    if (h < 60) return m1 + (m2 - m1) * h / 60;
    if (h < 180) return m2;
    if (h < 240) return m1 + (m2 - m1) * (240 - h) / 60;
    return m1;
}

u32 Farbe_HSL_Zu_RGB(f32 h, f32 l, f32 s) {
    if (s == 0) {
        const i32 v = Farbe_Clamp(static_cast<i32>(l * 255));
        return Farbe_RGB_Pack(v, v, v);
    }
    const f32 m2 = l < 0.5f ? l * (1 + s) : l + s - l * s, m1 = 2 * l - m2;
    return Farbe_RGB_Pack(static_cast<i32>(Farbe_HSL_Kanal(m1, m2, h + 120) * 255),
                          static_cast<i32>(Farbe_HSL_Kanal(m1, m2, h) * 255),
                          static_cast<i32>(Farbe_HSL_Kanal(m1, m2, h - 120) * 255));
}

void Farbe_Palette_Zu_Pixel(const u8* pal6, u16* aus, i32 tiefe) {
    for (i32 k = 0; k < 256; ++k)
        aus[k] =
            Farbe_Get_Pixel(tiefe, (pal6[3 * k] & 63) << 2, (pal6[3 * k + 1] & 63) << 2, (pal6[3 * k + 2] & 63) << 2);
}

i32 Rastport_Bitmap_Wandeln(Rastport_Bitmap* bm, i32 tiefe, const u8* pal6) {
    if (!bm || !Rastport_Bitmap_Entpacken(bm) || bm->fremd) return 0;
    if (bm->tiefe == tiefe) return 1;
    const size_t n = static_cast<size_t>(bm->breite) * bm->hoehe;
    std::vector<u16> neu;
    if (bm->tiefe == 8 && (tiefe == 15 || tiefe == 16)) {
        if (!pal6) return 0;
        u16 tab[256];
        Farbe_Palette_Zu_Pixel(pal6, tab, tiefe);
        neu.resize(n);
        for (size_t i = 0; i < n; ++i) neu[i] = tab[bm->pixel8()[i]];
    } else if (tiefe == 8) {
        if (!pal6) return 0;
        u8 pal8[768];
        for (int i = 0; i < 768; ++i) pal8[i] = static_cast<u8>((pal6[i] & 63) << 2);
        neu.resize((n + 1) / 2);
        u8* z = reinterpret_cast<u8*>(neu.data());
        for (size_t i = 0; i < n; ++i) {
            const u16 p = bm->pixel16()[i];
            z[i] = p ? static_cast<u8>(Farbe_Palette_Naechste(p, bm->tiefe, pal8)) : 0;  // 0 stays the key
        }
    } else if (tiefe == 15 || tiefe == 16) {
        neu.resize(n);
        for (size_t i = 0; i < n; ++i)
            neu[i] = tiefe == 15 ? Farbe_565_Zu_555(bm->pixel16()[i]) : Farbe_555_Zu_565(bm->pixel16()[i]);
    } else {
        return 0;
    }
    bm->speicher = std::move(neu);
    bm->tiefe = tiefe;
    bm->gepackt.clear();
    bm->packart = PACK_KEINE;
    return 1;
}

// --- Cache ----------------------------------------------------------------------------

namespace {
struct Cache_Eintrag {
    u32 schluessel = 0;
    Rastport_Bild bild;
    std::vector<u32> liste;
    bool benutzt = false;
};
Cache_Eintrag cache[FARBE_CACHE_GROESSE];
}  // namespace

Rastport* Farbe_Cache_Suchen(const u32* liste, i32 laenge, u32 schluessel) {
    if (laenge < 0 || (laenge && !liste)) return nullptr;
    for (Cache_Eintrag& e : cache) {
        if (!e.bild || e.schluessel != schluessel || e.liste.size() != static_cast<size_t>(laenge)) continue;
        if (!std::equal(e.liste.begin(), e.liste.end(), liste)) continue;
        e.benutzt = true;
        return e.bild.get();
    }
    return nullptr;
}

i32 Farbe_Cache_Ablegen(Rastport* bild, const u32* liste, i32 laenge, u32 schluessel) {
    if (!bild || laenge < 0 || (laenge && !liste)) return 0;
    for (Cache_Eintrag& e : cache) {
        if (e.bild) continue;
        e.bild.reset(bild);
        e.liste.assign(liste, liste + laenge);
        e.schluessel = schluessel;
        e.benutzt = true;
        return 1;
    }
    return 0;
}

void Farbe_Cache_Aufraeumen() {
    for (Cache_Eintrag& e : cache) {
        if (e.bild && !e.benutzt) {
            e = Cache_Eintrag{};
        }
        e.benutzt = false;
    }
}

void Farbe_Cache_Free() {
    for (Cache_Eintrag& e : cache) {
        e = Cache_Eintrag{};
    }
}

i32 Farbe_Cache_Anzahl() {
    i32 n = 0;
    for (const Cache_Eintrag& e : cache) n += e.bild != nullptr;
    return n;
}
