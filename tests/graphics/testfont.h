// A small fixed bitmap font compiled into the tests, so that golden pictures
// do not depend on the FreeType version: 3 x 5 glyphs drawn at twice their
// size (digits, letters, a few signs; lower case looks like upper case).
#pragma once

#include <cstring>

#include "graphics/font.h"

namespace testfont {

// Rows of a glyph, three bits each (bit 2 = left column).
inline const unsigned char* zeilen(unsigned char c) {
    static const unsigned char ziffern[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7},
                                                 {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2},
                                                 {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
    static const unsigned char buchstaben[26][5] = {
        {2, 5, 7, 5, 5}, {6, 5, 6, 5, 6}, {3, 4, 4, 4, 3}, {6, 5, 5, 5, 6}, {7, 4, 6, 4, 7}, {7, 4, 6, 4, 4},
        {3, 4, 5, 5, 3}, {5, 5, 7, 5, 5}, {7, 2, 2, 2, 7}, {1, 1, 1, 5, 2}, {5, 5, 6, 5, 5}, {4, 4, 4, 4, 7},
        {5, 7, 7, 5, 5}, {6, 5, 5, 5, 5}, {2, 5, 5, 5, 2}, {6, 5, 6, 4, 4}, {2, 5, 5, 6, 3}, {6, 5, 6, 5, 5},
        {3, 4, 2, 1, 6}, {7, 2, 2, 2, 2}, {5, 5, 5, 5, 7}, {5, 5, 5, 5, 2}, {5, 5, 7, 7, 5}, {5, 5, 2, 5, 5},
        {5, 5, 2, 2, 2}, {7, 1, 2, 4, 7}};
    static const struct {
        unsigned char c, z[5];
    } zeichen[] = {{'.', {0, 0, 0, 0, 2}}, {',', {0, 0, 0, 2, 4}}, {':', {0, 2, 0, 2, 0}}, {'-', {0, 0, 7, 0, 0}},
                   {'%', {5, 1, 2, 4, 5}}, {'!', {2, 2, 2, 0, 2}}, {'?', {7, 1, 2, 0, 2}}, {'/', {1, 1, 2, 4, 4}},
                   {'(', {1, 2, 2, 2, 1}}, {')', {4, 2, 2, 2, 4}}, {'+', {0, 2, 7, 2, 0}}, {'=', {0, 7, 0, 7, 0}}};
    if (c >= '0' && c <= '9') return ziffern[c - '0'];
    if (c >= 'A' && c <= 'Z') return buchstaben[c - 'A'];
    if (c >= 'a' && c <= 'z') return buchstaben[c - 'a'];
    for (const auto& z : zeichen)
        if (z.c == c) return z.z;
    return nullptr;
}

// Glyph cells of 8 pixels (6 drawn, 2 apart), the space 4 wide; sheet height
// 12 with the glyphs on rows 1..10. Mode 1: an 8-bit coverage sheet; mode 0:
// a 565 sheet (every set pixel 0xFFFF).
inline Font* neu(int modus = 1) {
    auto* f = new Font;
    f->hoehe = 12;
    f->modus = modus;
    f->farbe = 0xFFFF;
    const int zellen = 224;
    f->blatt.reset(Rastport_Neu_Einfach(zellen * 8, 12, modus ? 8 : 16));
    for (int g = 0; g < zellen; ++g) {
        const unsigned char c = static_cast<unsigned char>(g + 32);
        f->x[g] = g * 8;
        const unsigned char* z = zeilen(c);
        f->breite[g] = c == ' ' || c == 0xA0 ? 4 : z ? 8 : 0;
        if (!z) continue;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 6; ++x) {
                if (!((z[y / 2] >> (2 - x / 2)) & 1)) continue;
                const size_t i = static_cast<size_t>(1 + y) * f->blatt->breite + g * 8 + x;
                if (modus) f->blatt->bitmap->pixel8()[i] = 255;
                else f->blatt->bitmap->pixel16()[i] = 0xFFFF;
            }
    }
    return f;
}

}  // namespace testfont
