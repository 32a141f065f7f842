// The developers' balance page, opened only from the calendar's hidden key
// mode: per competition held this year the spread of its clubs' strengths,
// the transfer market's players by stars (with and without scouts), the
// special attributes per player, and the clubs whose squad lacks players of
// a position. It has no buttons; the next screen that clears the work area
// takes it away.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"
#include "screens/screens.h"

struct Rastport;
struct Screen_Icon;

enum : i16 { ICON_DIAGNOSE = 867 };
// The smallest squad by position class (keepers, defenders, midfielders,
// forwards) a club must have not to count as short.
constexpr i32 DIAGNOSE_MINDESTKADER[4] = {2, 4, 5, 4};
constexpr i32 DIAGNOSE_STERNE_KLASSEN = 6;

// The figures the page prints (tests).
struct Diagnose_Wettbewerb {
    i32 id = -1, teams = 0;
    i32 schnitt = 0, minimum = 0, maximum = 0, wert_schnitt = 0;
};
struct Diagnose_Zahlen {
    std::vector<Diagnose_Wettbewerb> wettbewerbe;
    i32 markt[DIAGNOSE_STERNE_KLASSEN] = {};        // without scouts, by star class
    i32 markt_scouts[DIAGNOSE_STERNE_KLASSEN] = {};  // scout players only
    i32 spieler = 0, attribute = 0;
    std::vector<i32> kurze_teams;  // clubs short of a position
};
Diagnose_Zahlen Diagnose_Zaehlen();
// The star class of a player's stars 0..12: stars / 2, at most 5.
i32 Diagnose_Sterne_Klasse(i32 sterne);

void Diagnose_Screen_Init();
Screen_Def Diagnose_Screen_Def();
void Diagnose_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
