// Pixel loops for callers that draw directly, beside the ones Blt_Blit
// dispatches to.
//
// The rectangle loops share one calling shape: source pixels, sx, sy, width,
// height, source row stride (pixels), destination pixels, dx, dy,
// destination row stride, then their own inputs. Pixel (x, y) of a surface
// is element y * stride + x. The rectangle must already be clipped (Blt_Clip
// with the two surfaces' sizes); the loops trust it. Mask planes index a
// pixel as row * source stride + column, bit (i mod 8) of byte i / 8. Every
// loop returns 1.
//
// Half size: only source rows 0, 2, 4, ... of the rectangle and, within them,
// columns 1, 3, 5, ... are drawn, each at the next destination column and row.
#pragma once

#include "base/types.h"
#include "graphics/rastport.h"

// Copy; source pixels equal to the key value are transparent. One pixel a
// step.
i32 Blt_Kopie_Schluessel_Einzeln(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx,
                                 i32 dy, i32 dstride, u16 schluessel);
// Opaque copy, eight bytes a step.
i32 Blt_Kopie_Breit(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx, i32 dy,
                    i32 dstride);
// Every source pixel that is not 0 replaces the destination pixel (made for
// one row; h rows are drawn alike).
i32 Blt_Zeile_Transparent(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx, i32 dy,
                          i32 dstride);
// Copy at half size where the mask bit of the source pixel is set. The
// destination receives ceil((w - 1) / 2) x ceil(h / 2) pixels.
i32 Blt_Kopie_Maske_Halb(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx, i32 dy,
                         i32 dstride, const u8* maske);
// The size a half-size copy of w x h source pixels covers.
inline i32 Blt_Halb_Breite(i32 w) { return w > 1 ? w / 2 : 0; }
inline i32 Blt_Halb_Hoehe(i32 h) { return (h + 1) / 2; }

// Darkens by level/128 (level taken into 0..256): the destination receives
// the darkened source pixel where the mask bit is set / where the source is
// not the key value. A non-zero pixel never becomes 0.
i32 Blt_Abdunkeln_Maske_555(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx, i32 dy,
                            i32 dstride, i32 stufe, const u8* maske);
i32 Blt_Abdunkeln_Maske_565(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx, i32 dy,
                            i32 dstride, i32 stufe, const u8* maske);
i32 Blt_Abdunkeln_Schluessel_555(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx,
                                 i32 dy, i32 dstride, i32 stufe, u16 schluessel);
i32 Blt_Abdunkeln_Schluessel_565(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx,
                                 i32 dy, i32 dstride, i32 stufe, u16 schluessel);

// Brightening blend (565): for every source pixel s that is not the key
// colour, each channel becomes
//     (s.c * (256 - g) + d.c * g) >> 8  +  level / 4,   g = level - level / 4,
// clamped to 255: the source is drawn towards the destination by the level
// with the quarter of the level taken out of the blend added as brightness.
// Level taken into 0..256. _Schluessel works one pixel a step, _Doppel two
// pixels per 32-bit load and store; _Doppel_B tests the key on the destination
// instead (destination pixels holding the key colour stay).
i32 Blt_Aufhellen_Schluessel(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx, i32 dy,
                             i32 dstride, u16 schluessel, i32 stufe);
i32 Blt_Aufhellen_Doppel(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx, i32 dy,
                         i32 dstride, u16 schluessel, i32 stufe);
i32 Blt_Aufhellen_Doppel_B(const u16* src, i32 sx, i32 sy, i32 w, i32 h, i32 sstride, u16* dst, i32 dx, i32 dy,
                           i32 dstride, u16 schluessel, i32 stufe);
// One pixel of that blend (the single-pixel form of the three loops).
u16 Blt_Aufhellen_Pixel(u16 s, u16 d, i32 stufe);

// One-pixel lines as fills of height or width 1 (already clipped).
i32 Blt_Linie_Waagrecht(u16* dst, i32 x, i32 y, i32 laenge, i32 dstride, u16 farbe);
i32 Blt_Linie_Senkrecht(u16* dst, i32 x, i32 y, i32 laenge, i32 dstride, u16 farbe);
// A line from (x0, y0) to (x1, y1), both ends included, on a surface of
// breite x hoehe: one pixel per step along the longer axis, the other
// coordinate the nearest to the exact line (halves away from the start);
// points off the surface are left out.
i32 Blt_Linie(u16* dst, i32 breite, i32 hoehe, i32 dstride, i32 x0, i32 y0, i32 x1, i32 y1, u16 farbe);

// Run-length sprites (checked rows, see rle.h). Ausschnitt draws the part
// sx..sx+w-1, sy..sy+h-1 of the sprite at (dx, dy); Ab_Zeile the rows from
// `erste_zeile` to the end, columns sx..sx+w-1. The part is clipped to the
// sprite; the destination must hold it (Blt_Clip with the sprite's size).
i32 Blt_Rle_Ausschnitt(const Rle_Sprite& sp, i32 sx, i32 sy, i32 w, i32 h, u16* dst, i32 dx, i32 dy, i32 dstride);
i32 Blt_Rle_Ab_Zeile(const Rle_Sprite& sp, i32 erste_zeile, i32 sx, i32 w, u16* dst, i32 dx, i32 dy, i32 dstride);
// A whole sprite at half size blended by level/128 (level 0..128) in the
// destination's channel layout, clipped against the destination.
i32 Blt_Rle_Alpha_Halb(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy, i32 stufe);

// Sprite drawers that draw nothing (result 0): the empty entries of sprite
// tables, in the shape of Blt_Rle.
i32 Blt_Leer_A(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy);
i32 Blt_Leer_B(const Rle_Sprite& sp, Rastport* dst, i32 dx, i32 dy);
