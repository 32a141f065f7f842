// The diagnostic page of the hidden key mode: the balance of the world in
// numbers. Per competition the clubs' mean, least and greatest strength and
// the players' mean potential; the transfer market's stars in six classes
// (without scouts, and the scouts); the special attributes per player; and
// how many clubs lack players of some position.
#pragma once

#include <vector>

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 { ICON_DIAGNOSE = 867 };
// Least players per position class (goal, defence, midfield, attack).
inline constexpr i32 DIAGNOSE_MINDEST[4] = {2, 4, 5, 4};

Screen_Def Diagnose_Screen_Def();
void Diagnose_Screen_Init();
void Diagnose_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);

// What the page shows (computed from the world).
struct Diagnose_Liga {
    i32 wettbewerb = -1;
    i32 teams = 0;
    i32 schnitt = 0, min = 0, max = 0;  // strengths; 0 for a competition without clubs
    i32 max_schnitt = 0;                // the players' mean maximum stars (value 97)
};
struct Diagnose_Werte {
    std::vector<Diagnose_Liga> ligen;
    i32 klassen[2][6] = {};  // transfer market without scouts, scouts: stars / 2
    i32 spieler = 0, attribute = 0;
    f64 attribute_schnitt = 0;
    i32 not_teams = 0;  // clubs short of some position, over every club
};
Diagnose_Werte Diagnose_Berechnen(const i32* wettbewerbe, i32 anzahl);
// The star class of a player (0..5).
constexpr i32 Diagnose_Klasse(i32 sterne) { return sterne < 0 ? 0 : sterne / 2 > 5 ? 5 : sterne / 2; }
