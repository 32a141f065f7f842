// Word wrap with German hyphenation (see umbruch.h).
#include "gui/umbruch.h"

#include <cstring>

#include "graphics/font.h"
#include "graphics/rastport.h"

namespace {

constexpr const char* VOKALE = "AEIOUaeiou\xE4\xF6\xFC\xC4\xD6\xDCy";
// Letter groups that must not be split.
constexpr const char* CLUSTER[] = {"sch",
                                   "ch",
                                   "sp",
                                   "bl",
                                   "pl",
                                   "fl",
                                   "gl",
                                   "cl",
                                   "kl",
                                   "phl",
                                   "br",
                                   "pr",
                                   "dr",
                                   "tr",
                                   "fr",
                                   "vr",
                                   "gr",
                                   "cr",
                                   "kr",
                                   "phr",
                                   "str",
                                   "thr",
                                   "th",
                                   "gn",
                                   "kn",
                                   "chp",
                                   "chr",
                                   "\xFC\x62",  // "\xFCb": the b as a hex escape too
                                   "ver",
                                   "st",
                                   " !",
                                   " ?",
                                   " %",
                                   "Ver"};

bool vokal(char c) { return c && std::strchr(VOKALE, c) != nullptr; }

struct Lauf {
    Rastport* rp = nullptr;
    Font* f = nullptr;
    u16 farbe = 0;
    i32 flags = 0;
    i32 x0 = 0, x1 = 0, links = 0, breite = 0;
    i32 y = 0, unten = 0, zeilenhoehe = 0, blatt = 0;
    i32 einzug = 0, extra = 0;
    bool ueberlauf = false;
    std::string zeile;
    std::vector<std::string> zeilen;
};

Lauf L;

i32 breite_von(const std::string& s) { return s.empty() ? 0 : Font_Breite_Bis_Code(L.f, s.c_str()); }

void zeile_ende() {
    if (L.ueberlauf) return;
    if (L.y + L.blatt > L.unten) {
        L.ueberlauf = true;
        return;
    }
    const i32 w = breite_von(L.zeile);
    if (w <= L.breite + 2 && !L.zeile.empty()) {
        const i32 x = (L.flags & UMBRUCH_ZENTRIERT) ? (L.x0 + L.x1) / 2 - w / 2 : L.links;
        if (L.rp) Font_Markup_Ausgabe(L.rp, L.f, L.farbe, L.zeile.c_str(), x, L.y, 0);
        L.zeilen.push_back(L.zeile);
    }
    L.y += L.zeilenhoehe;
    if ((L.flags & UMBRUCH_KOMPAKT) && L.y >= 94) L.y -= 7;
    L.zeile.clear();
}

void blocksatz() {
    std::vector<size_t> luecken;
    for (size_t i = 0; i < L.zeile.size(); ++i)
        if (L.zeile[i] == ' ' && i > 0 && L.zeile[i - 1] != ' ') luecken.push_back(i);
    for (size_t k = 0; !luecken.empty() && breite_von(L.zeile) < L.breite - 3 && k < 400; ++k) {
        const size_t j = k % luecken.size();
        L.zeile.insert(luecken[j], 1, ' ');
        for (size_t m = j; m < luecken.size(); ++m) ++luecken[m];
    }
}

void wort_setzen(std::string wort) {
    while (!wort.empty() && !L.ueberlauf) {
        const std::string probe = L.zeile.empty() ? wort : L.zeile + " " + wort;
        if (breite_von(probe) <= L.breite - 4) break;
        const i32 n = static_cast<i32>(wort.size());
        i32 teil = -1;
        if (L.flags & UMBRUCH_TRENNEN) {
            const i32 basis = breite_von(L.zeile);
            for (i32 p = n - 1; p >= 0 && teil < 0; --p)
                if (Umbruch_Trennbar(wort.c_str(), n, p) && basis + breite_von(wort.substr(0, p + 1)) < L.breite - 8)
                    teil = p + 1;
        }
        if (teil < 0) {
            if (!L.zeile.empty()) {
                if (L.flags & UMBRUCH_BLOCKSATZ) blocksatz();
                zeile_ende();
                continue;
            }
            if (n < 2) break;
            // Cut in the middle; a half that is still too wide is halved again,
            // so that no piece is lost for being wider than the box.
            teil = n / 2;
            while (teil > 1 && breite_von(wort.substr(0, teil) + "-") > L.breite + 2) teil /= 2;
        }
        std::string erst = wort.substr(0, teil);
        if (teil < n && erst.back() == 'c' && wort[teil] == 'k') erst.back() = 'k';
        if (!L.zeile.empty()) L.zeile += ' ';
        L.zeile += erst;
        if (L.zeile.back() != '-') L.zeile += '-';
        if (L.flags & UMBRUCH_BLOCKSATZ) blocksatz();
        zeile_ende();
        wort.erase(0, teil);
    }
    if (wort.empty() || L.ueberlauf) return;
    if (!L.zeile.empty()) L.zeile += ' ';
    L.zeile += wort;
}

i32 zahl4(const char* t) {
    i32 v = 0;
    for (i32 i = 0; i < 4; ++i) {
        if (t[i] < '0' || t[i] > '9') return v;
        v = v * 10 + (t[i] - '0');
    }
    return v;
}

}  // namespace

bool Umbruch_Trennbar(const char* w, i32 n, i32 p) {
    if (!w || p < 1 || p + 1 < 2 || n - p - 1 < 2) return false;
    bool v1 = false, v2 = false;
    for (i32 i = 0; i <= p; ++i) v1 |= vokal(w[i]);
    for (i32 i = p + 1; i < n; ++i) v2 |= vokal(w[i]);
    if (!v1 || !v2 || vokal(w[p + 1])) return false;
    for (i32 k = p; k >= 0; --k) {
        for (const char* c : CLUSTER) {
            const i32 l = static_cast<i32>(std::strlen(c));
            if (k + l - 1 > p && k + l <= n && !std::strncmp(w + k, c, l)) return false;
        }
        if (vokal(w[k])) return true;
    }
    return false;
}

i32 Umbruch_Text_Ausgabe(Rastport* rp, Font* f, const char* text, i32 x0, i32 x1, i32 y0, i32 y1, u16 farbe, i32 flags,
                         i32 zeilenhoehe) {
    L.zeilen.clear();
    L.zeile.clear();
    L.ueberlauf = false;
    if (!f || !text) return y0;
    L.rp = rp;
    L.f = f;
    L.farbe = farbe;
    f->farbe = farbe;  // the text comes out in its colour, not in what the text before left in the font
    L.flags = flags;
    if (*text == '#') L.flags &= ~UMBRUCH_ZENTRIERT, ++text;
    L.einzug = L.extra = 0;
    L.x0 = x0;
    L.x1 = x1;
    L.breite = x1 - x0 - 2;
    L.links = x0;
    L.y = y0 + f->hoehe;
    L.unten = y1 + f->hoehe;
    L.blatt = f->blatt ? f->blatt->hoehe : f->hoehe;
    L.zeilenhoehe = zeilenhoehe < 0 ? L.blatt - 1 : zeilenhoehe;
    std::string wort;
    auto anhaengen = [&](char c) {
        if (static_cast<i32>(wort.size()) >= UMBRUCH_MAX_WORT) wort_setzen(std::move(wort)), wort.clear();
        wort += c;
    };
    for (const char* t = text; *t && !L.ueberlauf; ++t) {
        const char c = *t;
        if (c == ' ' && (t[1] == '!' || t[1] == '?')) {
            anhaengen(c);
        } else if (c == ' ' || c == '\xA0') {
            wort_setzen(std::move(wort)), wort.clear();
        } else if (c == 13 || (c == '^' && t[1] == 'l')) {
            wort_setzen(std::move(wort)), wort.clear();
            zeile_ende();
            if (c == '^') ++t;
        } else if (c == '^' && t[1] == '#') {
            wort_setzen(std::move(wort)), wort.clear();
            zeile_ende();
            L.einzug = L.extra = 0;
            t += 2;
            if (*t == 'e' || *t == 's') {
                const i32 v = zahl4(t + 1);
                (*t == 'e' ? L.extra : L.einzug) = v;
                for (i32 i = 0; i < 4 && t[1] >= '0' && t[1] <= '9'; ++i) ++t;
            } else if (*t == 'l') {
                L.flags &= ~UMBRUCH_ZENTRIERT;
            } else if (*t == 'm') {
                L.flags |= UMBRUCH_ZENTRIERT;
            } else if (!*t) {
                break;
            }
            L.links = x0 + L.einzug;
            L.breite = x1 - x0 - 2 - L.einzug;
        } else {
            anhaengen(c);
        }
    }
    wort_setzen(std::move(wort));
    if (!L.zeile.empty()) zeile_ende();
    return L.y;
}

bool Umbruch_Ueberlauf() { return L.ueberlauf; }
const std::vector<std::string>& Umbruch_Zeilen() { return L.zeilen; }
