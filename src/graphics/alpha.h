// Uniform-alpha blits: a whole picture or a coloured rectangle laid over a
// surface at a given opacity (percent; 100 % is alpha 255, 50 % alpha 127).
// Depth 15 and 16 surfaces; the channel layout follows the destination.
#pragma once

#include "base/types.h"

struct Rastport;
struct Font;

// Alpha of a percentage: percent * 255 / 100, clamped to 0..255.
i32 Blt_Alpha_Aus_Prozent(i32 prozent);
// Draws (sx, sy, w, h) of src at (dx, dy) of dst at the given opacity (w or
// h -1: full size); the transparent variant skips source pixels of value 0.
// 1 when something was drawn.
i32 Blt_Alpha_Prozent(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy, i32 prozent);
i32 Blt_Alpha_Prozent_Transparent(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy,
                                  i32 prozent);
// Lays a rectangle of one colour over the area at the given opacity.
i32 Blt_Rechteck_Alpha(Rastport* dst, i32 x, i32 y, i32 w, i32 h, u16 farbe, i32 prozent);

// A uniform-alpha blit whose level pulses with time: 5 -> 100 -> 5 % in
// steps of 5 (10 between 50 and 70), at most one step every 50 ms, per
// place on the target (up to 10 places at once).
i32 Blt_Pulsieren(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy);
i32 Blt_Pulsieren_Transparent(Rastport* src, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy);
// The level the next pulsing blit at (dx, dy) uses (after stepping it).
i32 Blt_Pulsieren_Stufe(i32 dx, i32 dy);

// Draws (sx, sy, w, h) of src through the 8-bit pixels of `alpha` (a surface
// of depth 8 and the source's size) used as the source's alpha plane, with
// colour key 0. 0 with a debug message for a missing or unfit surface.
i32 Blt_Alpha(Rastport* src, Rastport* alpha, i32 sx, i32 sy, i32 w, i32 h, Rastport* dst, i32 dx, i32 dy);
// Text laid over the surface at the given opacity; y is the bottom of the
// line (as for Font_Printf). 1 when drawn.
i32 Font_Printf_Alpha(Rastport* rp, Font* f, const char* text, i32 x, i32 y, i32 prozent);
