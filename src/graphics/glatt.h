// Smoothed text with a soft shadow, the soft shadows themselves and the
// blit cache that keeps finished text patches.
//
// The blit cache holds 90 patches keyed by source, size, position and a
// text key (a hash of the expanded text, its colour and the ground under
// the patch), so a different text at the same place, or the same text over
// a changed ground, is drawn afresh.
#pragma once

#include "base/types.h"

struct Rastport;
struct Font;

constexpr i32 BLT_CACHE_GROESSE = 90;

// The cached patch for the keys, or null.
Rastport* Blt_Cache_Suchen(i32 sx, i32 sy, i32 w, i32 h, i32 x, i32 y, u32 text_schluessel);
// Copies (x, y, w, h) of the surface into a new cache patch (the oldest goes
// when all slots are taken).
void Blt_Cache_Ablegen(Rastport* rp, i32 sx, i32 sy, i32 w, i32 h, i32 x, i32 y, u32 text_schluessel);
// Frees every patch at that position.
void Blt_Cache_Position_Leeren(i32 x, i32 y);
// Frees every patch and empties the recoloured-picture cache.
void Blt_Cache_Leeren();
i32 Blt_Cache_Anzahl();

// Soft shadow to the lower right of the non-zero pixels of `maske` (area
// sx, sy, w, h), drawn with the picture's own pixels where the mask is set;
// level 0..2 (kernel 2, 3, 5). Depth 15 and 16.
i32 Blt_Text_Schatten(Rastport* bild, i32 sx, i32 sy, i32 w, i32 h, Rastport* ziel, i32 dx, i32 dy, i32 stufe,
                      Rastport* maske);
// The same for a picture that is its own mask (crests), crest kernel.
i32 Blt_Filter(Rastport* bild, i32 sx, i32 sy, i32 w, i32 h, Rastport* ziel, i32 dx, i32 dy, i32 stufe);

// printf-formatted text with a soft shadow, y being the bottom of the first
// line; kept in the blit cache. A leading '#' draws afresh and frees the
// patches at that place. 1 when drawn.
i32 Font_Printf_Glatt(Rastport* rp, Font* f, const char* format, i32 x, i32 y, ...)
    __attribute__((format(printf, 3, 6)));
