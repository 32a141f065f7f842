#include "screens/teile/attribut_legende.h"

#include <algorithm>

#include "graphics/font.h"
#include "graphics/rastport.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/welt.h"

namespace {
constexpr i32 BILD_LUECKE = 3;
}  // namespace

i32 Spieler_Marken(i32 spieler, i32 aus[SPIELER_MARKEN_MAX]) {
    if (!aus || spieler < 0 || spieler >= Spieler_Anzahl) return 0;
    const i32 n = std::clamp(Attribute_Get_Attribute(spieler, aus, SPIELER_MARKEN_MAX, 0), 0, SPIELER_MARKEN_MAX);
    i32 k = 0;
    for (i32 i = 0; i < n; ++i)
        if (aus[i] >= 0 && aus[i] < ATTRIBUT_ANZAHL) aus[k++] = aus[i];
    return k;
}

std::vector<i32> Attribut_Legende_Sammeln(const i32* spieler, i32 anzahl) {
    std::vector<i32> r;
    std::vector<i32> wie_oft(ATTRIBUT_ANZAHL, 0);
    for (i32 i = 0; spieler && i < anzahl; ++i) {
        i32 a[SPIELER_MARKEN_MAX];
        const int n = Spieler_Marken(spieler[i], a);
        for (int k = 0; k < n; ++k) {
            if (a[k] < 0 || a[k] >= ATTRIBUT_ANZAHL) continue;
            if (wie_oft[static_cast<size_t>(a[k])]++ == 0) r.push_back(a[k]);
        }
    }
    // The most shown first: when the room runs out, the rarest are left out.
    std::stable_sort(r.begin(), r.end(), [&](i32 a, i32 b) {
        return wie_oft[static_cast<size_t>(a)] > wie_oft[static_cast<size_t>(b)];
    });
    return r;
}

namespace {
struct Legende_Satz {
    Kit_Schrift schrift;
    i32 luecke;  // between two entries
};
// Tried in order until every entry fits: the usual look, closer entries,
// then the narrow small font.
constexpr Legende_Satz SAETZE[] = {{Kit_Schrift::SCHMAL, 8}, {Kit_Schrift::SCHMAL, 4}, {Kit_Schrift::WINZIG, 4}};

struct Legende_Eintrag {
    i32 a, x, zeile;
};

// Where each entry goes with font f and gap `luecke`; the left-over ones in `uebrig`.
std::vector<Legende_Eintrag> legen(const std::vector<i32>& attribute, u32 grafik_basis,
                                   const Attribut_Legende_Platz& platz, Font* f, i32 luecke, std::vector<i32>& uebrig) {
    // Each entry goes on the first line with room left for it: the lines
    // fill up, and a long name that no longer fits leaves its place to a
    // shorter one further on.
    std::vector<i32> x(static_cast<size_t>(std::max(platz.zeilen, 0)), platz.x0);
    std::vector<Legende_Eintrag> r;
    uebrig.clear();
    for (i32 a : attribute) {
        if (a < 0 || a >= ATTRIBUT_ANZAHL) continue;
        const Rastport* b = Kit_Bild(grafik_basis + static_cast<u32>(a));
        const i32 bw = b ? b->breite : 0;
        const i32 w = bw + BILD_LUECKE + Font_Text_Breite(f, Attribut_Tabelle[a].name);
        size_t zeile = 0;
        while (zeile < x.size() && x[zeile] + w > platz.x1) ++zeile;
        if (zeile == x.size()) {
            uebrig.push_back(a);
            continue;
        }
        r.push_back({a, x[zeile], static_cast<i32>(zeile)});
        x[zeile] += w + luecke;
    }
    return r;
}
}  // namespace

std::vector<i32> Attribut_Legende_Zeichnen(Rastport* ziel, const std::vector<i32>& attribute, u32 grafik_basis,
                                           const Attribut_Legende_Platz& platz) {
    if (!ziel) return attribute;
    std::vector<Legende_Eintrag> eintraege;
    std::vector<i32> uebrig = attribute;
    Font* f = nullptr;
    for (const Legende_Satz& s : SAETZE) {
        if (!platz.verdichten && s.schrift != SAETZE[0].schrift) break;
        Font* fs = Kit_Font(s.schrift);
        if (!fs) continue;
        std::vector<i32> rest;
        std::vector<Legende_Eintrag> e = legen(attribute, grafik_basis, platz, fs, s.luecke, rest);
        // The first set that names everything; else the one naming the most.
        if (!f || rest.size() < uebrig.size()) f = fs, eintraege = std::move(e), uebrig = std::move(rest);
        if (uebrig.empty()) break;
    }
    if (!f) return attribute;
    for (const Legende_Eintrag& e : eintraege) {
        const Rastport* b = Kit_Bild(grafik_basis + static_cast<u32>(e.a));
        const i32 bw = b ? b->breite : 0, bh = b ? b->hoehe : 0;
        const i32 y = platz.y + e.zeile * platz.zeilenhoehe;
        // The badge stands on the text's line, centred on its letters.
        if (b) Kit_Bild_Zeichnen(ziel, grafik_basis + static_cast<u32>(e.a), e.x, y - f->hoehe / 2 - bh / 2 - 1);
        Kit_Printf(ziel, f, FARBE_KREIDE_2, e.x + bw + BILD_LUECKE, y, "%s", Attribut_Tabelle[e.a].name);
    }
    return uebrig;
}

i32 Attribut_Marke_Bei(const i32* attribute, i32 n, u32 grafik_basis, i32 x, i32 y, i32 dx, i32 px, i32 py) {
    for (i32 i = 0; attribute && i < n; ++i) {
        const i32 a = attribute[i];
        if (a < 0 || a >= ATTRIBUT_ANZAHL) continue;
        const Rastport* b = Kit_Bild(grafik_basis + static_cast<u32>(a));
        if (!b) continue;
        const i32 bx = x + dx * i;
        if (px >= bx && px < bx + b->breite && py >= y && py < y + b->hoehe) return a;
    }
    return -1;
}

const char* Attribut_Marke_Hilfe(i32 a) { return a >= 0 && a < ATTRIBUT_ANZAHL ? Attribut_Tabelle[a].name : nullptr; }
