// Colour conversions (555, 565, 24 and 32 bit), luminance, palettes and the
// cache of recoloured pictures that is swept every frame.
#pragma once

#include "base/types.h"
#include "graphics/rastport.h"

inline i32 Farbe_Clamp(i32 v) { return v < 0 ? 0 : v > 255 ? 255 : v; }
inline u16 Farbe_Pack_565(i32 r, i32 g, i32 b) {
    return static_cast<u16>(((Farbe_Clamp(r) >> 3) << 11) | ((Farbe_Clamp(g) >> 2) << 5) | (Farbe_Clamp(b) >> 3));
}
inline u16 Farbe_Pack_555(i32 r, i32 g, i32 b) {
    return static_cast<u16>(((Farbe_Clamp(r) >> 3) << 10) | ((Farbe_Clamp(g) >> 3) << 5) | (Farbe_Clamp(b) >> 3));
}
// Depth 15 packs 555; 8 and 16 pack 565.
inline u16 Farbe_Get_Pixel(i32 tiefe, i32 r, i32 g, i32 b) {
    return tiefe == 15 ? Farbe_Pack_555(r, g, b) : Farbe_Pack_565(r, g, b);
}
// Channels of a pixel as 8-bit values (low bits zero: 555 white = 248).
void Farbe_Get_RGB(u16 p, i32 tiefe, u8* r, u8* g, u8* b);
u16 Farbe_565_Zu_555(u16 p);
u16 Farbe_555_Zu_565(u16 p);
void Farbe_565_To_555(u16* ziel, const u16* quelle, u32 anzahl);
// 24- or 32-bit pixels (3 or 4 bytes each, red first, or blue first when
// `bgr`; a fourth byte is skipped) into 15- or 16-bit pixels.
void Farbe_Block_Rgb_Zu_Pixel(const u8* quelle, i32 bytes_pro_pixel, bool bgr, u16* ziel, u32 anzahl, i32 tiefe);
void Farbe_Block_555_Zu_565(u16* pixel, u32 anzahl);

// Packed RGB word r | g << 8 | b << 16.
inline u32 Farbe_RGB_Pack(i32 r, i32 g, i32 b) {
    return static_cast<u32>(Farbe_Clamp(r)) | static_cast<u32>(Farbe_Clamp(g)) << 8 |
           static_cast<u32>(Farbe_Clamp(b)) << 16;
}
inline void Farbe_RGB_Unpack(u32 rgb, i32* r, i32* g, i32* b) {
    *r = rgb & 255, *g = (rgb >> 8) & 255, *b = (rgb >> 16) & 255;
}
// A pixel at the display's depth. Red or blue outside 0..255 (negative too)
// becomes 255, green is clamped: callers rely on this.
u16 Farbe_Screen_Pixel(i32 r, i32 g, i32 b);
// The same from 0xRRGGBB.
u16 Farbe_Screen_Pixel_Hex(u32 rgb);

// Luminance (45 r + 60 g + 23 b) / 100 (white = 326) and the contrasting
// text colour (below 181: white, else 1).
i32 Farbe_Helligkeit_RGB(i32 r, i32 g, i32 b);
i32 Farbe_Helligkeit(u16 p, i32 tiefe);
u16 Farbe_Kontrast(u16 p, i32 tiefe);

// YIQ (values x 10,000).
void Farbe_RGB_Zu_YIQ(i32 r, i32 g, i32 b, i32* y, i32* i, i32* q);
void Farbe_YIQ_Zu_RGB(i32 y, i32 i, i32 q, i32* r, i32* g, i32* b);

// Moves a pixel's brightness towards a target: each channel by a third of
// the difference of (35 r + 47 g + 18 b) / 100 from it.
u16 Farbe_Helligkeit_Setzen(i32 ziel, u16 p, i32 tiefe);
// Recolours palette entries list[0..count-1] (6-bit triples) into `aus` at
// the display depth: the target's hue and saturation, brightness shifted so
// that entry list[base] gets the target's brightness.
void Farbe_Palette_Einfaerben(i32 r, i32 g, i32 b, const u8* palette6, const i32* liste, i32 basis, i32 anzahl,
                              u16* aus);
// Pixels under the mask take the colour's hue and saturation, keeping their
// own brightness.
void Farbe_Maske_Einfaerben(u16* pixel, const u8* maske, u16 farbe, i32 tiefe, i32 anzahl);

// HSL: hue 0..360, lightness and saturation 0..1; RGB packed r | g << 8 | b << 16.
void Farbe_RGB_Zu_HSL(u32 rgb, f32* h, f32* l, f32* s);
u32 Farbe_HSL_Zu_RGB(f32 h, f32 l, f32 s);
f32 Farbe_HSL_Kanal(f32 m1, f32 m2, f32 h);

// Nearest palette entry (8-bit triples; weights 35/47/18 of the absolute
// differences; stops below 400), never 0.
i32 Farbe_Palette_Naechste(u16 p, i32 tiefe, const u8* palette8);
// Expands a palette of 256 6-bit triples into 16-bit pixels.
void Farbe_Palette_Zu_Pixel(const u8* palette6, u16* aus, i32 tiefe);
// Converts a bitmap to another depth (8 <-> 15/16 through the palette, 15 <-> 16).
i32 Rastport_Bitmap_Wandeln(Rastport_Bitmap* bm, i32 tiefe, const u8* palette6);

// --- Recoloured-picture cache -------------------------------------------------------

constexpr i32 FARBE_CACHE_GROESSE = 256;
// The cached picture for (colour list, key), or null; marks it used.
Rastport* Farbe_Cache_Suchen(const u32* liste, i32 laenge, u32 schluessel);
// Stores a picture (the cache takes ownership); 0 when full or the list
// cannot be kept (the caller keeps ownership then).
i32 Farbe_Cache_Ablegen(Rastport* bild, const u32* liste, i32 laenge, u32 schluessel);
// Frees entries not looked up since the last sweep, then clears the marks.
void Farbe_Cache_Aufraeumen();
void Farbe_Cache_Free();
i32 Farbe_Cache_Anzahl();
