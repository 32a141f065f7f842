// Colour conversions and the recoloured-picture cache.
#include "graphics/farbe.h"

#include <algorithm>
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

void Farbe_565_To_555(u16* ziel, const u16* quelle, u32 anzahl) {
    for (u32 i = 0; i < anzahl; ++i) ziel[i] = Farbe_565_Zu_555(quelle[i]);
}

void Farbe_Block_555_Zu_565(u16* pixel, u32 anzahl) {
    for (u32 i = 0; i < anzahl; ++i) pixel[i] = Farbe_555_Zu_565(pixel[i]);
}

u16 Farbe_Screen_Pixel(i32 r, i32 g, i32 b) {
    // Red and blue compared as unsigned values.
    if (static_cast<u32>(r) > 255) r = 255;
    if (static_cast<u32>(b) > 255) b = 255;
    return Farbe_Get_Pixel(Display_Farbtiefe, r, Farbe_Clamp(g), b);
}

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
    *y = 2990 * r + 5870 * g + 1140 * b;
    *i = 5960 * r - 2740 * g - 3220 * b;
    *q = 2110 * r - 5230 * g + 3120 * b;
}

void Farbe_YIQ_Zu_RGB(i32 y, i32 i, i32 q, i32* r, i32* g, i32* b) {
    const i64 Y = y, I = i, Q = q;
    *r = Farbe_Clamp(static_cast<i32>((10000 * Y + 9560 * I + 6210 * Q) / 100000000));
    *g = Farbe_Clamp(static_cast<i32>((10000 * Y - 2720 * I - 6470 * Q) / 100000000));
    *b = Farbe_Clamp(static_cast<i32>((10000 * Y - 11060 * I + 17030 * Q) / 100000000));
}

i32 Farbe_Palette_Naechste(u16 p, i32 tiefe, const u8* pal) {
    u8 r, g, b;
    Farbe_Get_RGB(p, tiefe, &r, &g, &b);
    i32 beste = 1;
    i64 abstand = -1;
    for (i32 k = 1; k < 256; ++k) {
        const i64 dr = r - pal[3 * k], dg = g - pal[3 * k + 1], db = b - pal[3 * k + 2];
        const i64 d = 35 * dr * dr + 47 * dg * dg + 18 * db * db;
        if (abstand < 0 || d < abstand) abstand = d, beste = k;
        if (d < 400) break;
    }
    return beste;
}

void Farbe_Palette_Zu_Pixel(const u8* pal6, u16* aus, i32 tiefe) {
    for (i32 k = 0; k < 256; ++k)
        aus[k] = Farbe_Get_Pixel(tiefe, (pal6[3 * k] & 63) << 2, (pal6[3 * k + 1] & 63) << 2, (pal6[3 * k + 2] & 63) << 2);
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
        for (size_t i = 0; i < n; ++i) z[i] = static_cast<u8>(Farbe_Palette_Naechste(bm->pixel16()[i], bm->tiefe, pal8));
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
    Rastport* bild = nullptr;
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
        return e.bild;
    }
    return nullptr;
}

i32 Farbe_Cache_Ablegen(Rastport* bild, const u32* liste, i32 laenge, u32 schluessel) {
    if (!bild || laenge < 0 || (laenge && !liste)) return 0;
    for (Cache_Eintrag& e : cache) {
        if (e.bild) continue;
        e.bild = bild;
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
            Rastport_Free(e.bild);
            e = Cache_Eintrag{};
        }
        e.benutzt = false;
    }
}

void Farbe_Cache_Free() {
    for (Cache_Eintrag& e : cache) {
        Rastport_Free(e.bild);
        e = Cache_Eintrag{};
    }
}

i32 Farbe_Cache_Anzahl() {
    i32 n = 0;
    for (const Cache_Eintrag& e : cache) n += e.bild != nullptr;
    return n;
}
