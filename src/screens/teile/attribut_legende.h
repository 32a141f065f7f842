// What the special attributes' badges stand for. A badge shows only a short
// form ("Kof", "Rou"); every screen that shows badges draws a legend: each
// badge its players show, once, with the attribute's full name beside it,
// left to right in as many lines as the screen has room for.
#pragma once

#include <vector>

#include "base/types.h"

struct Rastport;

// The badges a player's row or card shows: his active special attributes,
// up to three, in `aus`; their count. Rows and legends both ask here.
constexpr i32 SPIELER_MARKEN_MAX = 3;
i32 Spieler_Marken(i32 spieler, i32 aus[SPIELER_MARKEN_MAX]);

// The attributes the players show on their rows and cards (Spieler_Marken),
// each once: the most shown first, then in the order they first show.
std::vector<i32> Attribut_Legende_Sammeln(const i32* spieler, i32 anzahl);

// Where a legend is drawn: from x0 to x1 (never beyond), the first line's
// text bottom at y, further lines `zeilenhoehe` lower, at most `zeilen`.
struct Attribut_Legende_Platz {
    i32 x0 = 0, x1 = 800;
    i32 y = 0;
    i32 zeilen = 1;
    i32 zeilenhoehe = 18;
    // Whether the entries may take the small font to fit (they always may
    // move closer): not where the left-over entries have a second place.
    bool verdichten = true;
    // In the small font the lines may stand closer (0: as usual).
    i32 zeilenhoehe_dicht = 0;
};
// Draws each attribute's picture (grafik_basis + attribute: the same badge
// the screen shows) and its name. Each goes on the first line with room for
// it; when they do not all fit, the entries move closer and then take the
// narrow small font, so that every badge is named. Returns those that fit
// nowhere even so (left out whole), for a second place.
std::vector<i32> Attribut_Legende_Zeichnen(Rastport* ziel, const std::vector<i32>& attribute, u32 grafik_basis,
                                           const Attribut_Legende_Platz& platz);

// A legend spread over several places in turn (a screen's free bands), in
// one look: the same font and gaps in every place. Laid out first, so that
// a screen can size a panel for it, then drawn.
struct Attribut_Legende_Plan {
    struct Eintrag {
        i32 attribut, x, y;  // y: the name's text bottom
        i32 platz, zeile;
    };
    std::vector<Eintrag> eintraege;
    std::vector<i32> uebrig;  // named nowhere
    i32 schrift = -1;         // the Kit_Schrift taken; -1: none (no fonts)
    // The lines each place fills (0: none).
    std::vector<i32> zeilen;
};
// Tries the usual look, closer entries, then (when every place allows it)
// the narrow small font with the places' closer lines, and takes the first
// that names every attribute, else the one naming the most. The last few
// plans are kept: the same entries, pictures, places and fonts again give
// the kept plan.
Attribut_Legende_Plan Attribut_Legende_Legen(const std::vector<i32>& attribute, u32 grafik_basis,
                                             const std::vector<Attribut_Legende_Platz>& plaetze);
// Forgets the kept plans.
void Attribut_Legende_Vergessen();
void Attribut_Legende_Plan_Zeichnen(Rastport* ziel, const Attribut_Legende_Plan& plan, u32 grafik_basis);

// Where a screen draws a row of badges itself (not in a player row with its
// own hover text): `n` badges (grafik_basis + attribute) from (x, y), `dx`
// apart. The attribute whose badge the point (px, py) is on, or -1.
i32 Attribut_Marke_Bei(const i32* attribute, i32 n, u32 grafik_basis, i32 x, i32 y, i32 dx, i32 px, i32 py);
// The hover text of a badge: the attribute's whole name (null for none).
const char* Attribut_Marke_Hilfe(i32 attribut);
