// Strength stars and the out-of-position deduction every player list shares.
//
// A player's strength is counted in half stars (0..12); a place in the
// formation that is not his own costs half stars (the deduction), drawn as
// lost stars. The star pictures are laid out first (Sterne_Gross /
// Sterne_Klein: which picture where, no drawing) and then drawn, so that
// the layout is tested without a screen.
#pragma once

#include "base/types.h"

struct Rastport;

// The line of formation row 0..10: 0 keeper (row 0), 1 defence (1..3),
// 2 midfield (4..7), 3 attack (8..10); 2 for any other value.
i32 Formation_Linie(i32 reihe);
// Half stars lost by a player of position class `klasse` (0 keeper ..
// 3 attack) and strength `halbe` half stars at formation row `reihe`: none
// in his own line; 80 % of his strength for a keeper out of goal or a field
// player in goal; 2 per line away otherwise; all of it when he cannot play.
i32 Positionsabzug(i32 klasse, i32 halbe, bool verfuegbar, i32 reihe);
// The same for a player of the world (position class, strength and status).
i32 Spieler_Positionsabzug(i32 spieler, i32 reihe);

constexpr i32 STERNE_MAX = 16;  // pictures of a row at most
struct Sterne_Bild {
    struct Stern {
        i32 grafik;
        i32 x;
    } stern[STERNE_MAX];
    i32 anzahl = 0;
};
// Every row of stars has six places (12 half stars), empty ones drawn.
constexpr i32 STERNE_PLAETZE = 6;
// The large stars (15 px apart from x): the six empty places behind (the
// selected row's own picture), then the strength `halbe` with the deduction.
Sterne_Bild Sterne_Gross(i32 halbe, i32 abzug, bool gewaehlt, i32 x);
// The small stars (7 px apart), over six small empty places.
Sterne_Bild Sterne_Klein(i32 halbe, i32 abzug, i32 x);
// Draws them with colour key at y (pictures through the menu engine).
void Sterne_Zeichnen(Rastport* ziel, const Sterne_Bild& b, i32 y);
// A player's shown strength (Spieler_Staerke_Anzeige) in large stars.
void Spieler_Sterne_Zeichnen(Rastport* ziel, i32 spieler, i32 x, i32 y, i32 abzug, bool gewaehlt);
// The same in small stars.
void Spieler_Sterne_Klein_Zeichnen(Rastport* ziel, i32 spieler, i32 x, i32 y, i32 abzug);
