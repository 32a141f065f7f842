// What a frame of the running game showed, from the draw trace: the texts
// on the screen with their boxes, and the checks the screen tests share
// (a text in its colour at its place, texts inside a panel, no two texts
// over each other).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "platform/headless.h"

namespace spur {

struct Text {
    std::string sichtbar;
    i32 font = -1;
    u16 farbe = 0;
    i32 x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // the glyphs' box (the font's line height, above the given bottom)
    bool platziert = true;               // false: tab stops or line codes place the glyphs, the box is unknown
    i32 mitte() const { return (x0 + x1) / 2; }
};

// Whether a text's box follows from its start and width: no tab stop or
// line code moves its glyphs.
inline bool platziert(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '^' && (text[i + 1] == 't' || text[i + 1] == 'z' || text[i + 1] == 'l')) return false;
    return true;
}

// Whether a picture drawn later onto the screen covers the text: a large
// one (a requester or a window over the screen the text belongs to) its
// start point; a pop-up, a window's row strip or a panel's row the lower
// half of its box, where the glyphs stand (the text lies under it, cut
// where it ends). The box is the font's whole line height, taller than a
// table's row pitch: the strip of the row above ends in its empty top.
inline bool verdeckt(const std::vector<Zeichenspur_Eintrag>& spur, size_t i) {
    const Zeichenspur_Eintrag& e = spur[i];
    Font* f = Font_Tabelle_Holen(e.font);
    const i32 h = f ? f->hoehe : 0, w = f ? Font_Text_Breite(f, e.sichtbar.c_str()) : 0;
    for (size_t j = i + 1; j < spur.size(); ++j) {
        const Zeichenspur_Eintrag& b = spur[j];
        if (b.ziel != Screen_Rastport) continue;
        if (b.art == SPUR_BLIT && b.breite >= 200 && b.hoehe >= 100 && e.x >= b.x && e.x < b.x + b.breite &&
            e.y > b.y && e.y <= b.y + b.hoehe)
            return true;
        const bool popup = b.art == SPUR_BLIT && (b.breite >= 200 || (b.breite >= 60 && b.hoehe >= 60));
        const bool tafel = b.art == SPUR_FLAECHE && b.breite >= 60;
        if ((popup || tafel) && b.x < e.x + w && e.x < b.x + b.breite && b.y < e.y && e.y - h / 2 < b.y + b.hoehe)
            return true;
    }
    return false;
}

// The texts drawn onto the screen during the last of `frames` more frames
// (texts a later large picture covers are not seen).
inline std::vector<Text> frame(i32 frames = 2) {
    Zeichenspur_Einschalten();
    if (frames > 1) Headless_Frames(frames - 1);
    Zeichenspur_Leeren();
    Headless_Frames(1);
    std::vector<Text> t;
    const std::vector<Zeichenspur_Eintrag>& spur = Zeichenspur_Eintraege();
    for (size_t i = 0; i < spur.size(); ++i) {
        const Zeichenspur_Eintrag& e = spur[i];
        if (e.art != SPUR_TEXT || e.ziel != Screen_Rastport || e.sichtbar.empty()) continue;
        if (verdeckt(spur, i)) continue;
        Font* f = Font_Tabelle_Holen(e.font);
        const i32 zeilen = 1 + static_cast<i32>(std::count(e.sichtbar.begin(), e.sichtbar.end(), '\n'));
        const i32 h = f ? f->hoehe : 0;
        t.push_back({e.sichtbar, e.font, e.farbe, e.x, e.y - h, e.x + (f ? Font_Text_Breite(f, e.sichtbar.c_str()) : 0),
                     e.y - h + zeilen * h, platziert(e.text)});
    }
    Zeichenspur_Ausschalten();
    return t;
}

// The last text drawn whose visible characters are exactly `s` (null if none).
inline const Text* finden(const std::vector<Text>& t, const std::string& s) {
    for (auto i = t.rbegin(); i != t.rend(); ++i)
        if (i->sichtbar == s) return &*i;
    return nullptr;
}

// Pairs of texts whose boxes overlap (a text drawn twice at one place counts once).
inline std::vector<std::string> ueberlappungen(const std::vector<Text>& t) {
    std::vector<std::string> aus;
    for (size_t i = 0; i < t.size(); ++i)
        for (size_t j = i + 1; j < t.size(); ++j) {
            const Text &a = t[i], &b = t[j];
            if (!a.platziert || !b.platziert) continue;
            // A text drawn twice at one place, or a pixel or two apart as its
            // own shadow, counts once.
            if (a.sichtbar == b.sichtbar && std::abs(a.x0 - b.x0) <= 2 && std::abs(a.y1 - b.y1) <= 2) continue;
            // Boxes are a line high; two lines may share 3 pixels of it.
            if (a.x0 < b.x1 && b.x0 < a.x1 && a.y0 + 3 < b.y1 && b.y0 + 3 < a.y1)
                aus.push_back("\"" + a.sichtbar + "\" / \"" + b.sichtbar + "\"");
        }
    return aus;
}

// Texts whose box leaves the rectangle.
inline std::vector<std::string> ausserhalb(const std::vector<Text>& t, i32 x0, i32 y0, i32 x1, i32 y1) {
    std::vector<std::string> aus;
    for (const Text& a : t)
        if (a.platziert && (a.x0 < x0 || a.x1 > x1 || a.y0 < y0 || a.y1 > y1)) aus.push_back(a.sichtbar);
    return aus;
}

}  // namespace spur
