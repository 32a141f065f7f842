// Word wrap with German hyphenation: lays a text into a box line by line,
// centred, left-aligned or justified, and stops at the bottom of the box.
//
// Words end at a space (a space before '!' or '?' stays with the word), at
// character 160, at "^l" and at CR; "^l" and CR also end the line. Own codes:
// "^#l" left-aligned, "^#m" centred, "^#sDDDD" indent, "^#eDDDD" extra value
// (each ends the line). Other markup passes through inside the words.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

struct Rastport;
struct Font;

enum : i32 {
    UMBRUCH_ZENTRIERT = 1,  // a leading '#' in the text forces left-aligned
    UMBRUCH_KOMPAKT = 2,    // after a line, a y of 94 or more moves up by 7
    UMBRUCH_BLOCKSATZ = 4,  // lines broken by the wrap are justified
    UMBRUCH_TRENNEN = 8,    // long words are hyphenated
};

// Longest word kept; longer words are cut into pieces of this length.
constexpr i32 UMBRUCH_MAX_WORT = 399;

// Lays the text into the box x0..x1 from the line y0 + font height down to
// y1 + font height and draws it (rp may be null: layout only). Line height
// -1: the glyph sheet's height - 1. The y below the last line drawn.
i32 Umbruch_Text_Ausgabe(Rastport* rp, Font* f, const char* text, i32 x0, i32 x1, i32 y0, i32 y1, u16 farbe, i32 flags,
                         i32 zeilenhoehe);
// True when the last call ran out of room at the bottom.
bool Umbruch_Ueberlauf();
// The lines of the last call, as drawn (without colour code).
const std::vector<std::string>& Umbruch_Zeilen();
// Whether the word of length n may be split after position p (0-based).
bool Umbruch_Trennbar(const char* wort, i32 n, i32 p);
