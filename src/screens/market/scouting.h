// The scouting screen: the scout chosen on the transfer screen travels to one
// of fifteen areas of the world to look for players among the market's scout
// players. Stage 1 picks the area on a map (hovering shows the prices), stage
// 2 pays his fee, stage 3 follows the journey (scout_suche.h) and hires a
// willing prospect, who then stands in the club's transfer window as its
// scout player (bought there by a negotiation at 90 % of his value). Opened
// from the transfer screen's send button as Screen_Id::SCOUTING; leaving and
// hiring return to the transfer screen.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_SCOUTING_RAHMEN = 3355,      // stages 1 and 2: the frame icon
    ICON_SCOUTING_BEZAHLEN = 3356,    // stage 2: pay and send the scout
    ICON_SCOUTING_ZURUECK = 3357,     // stages 1 and 2
    ICON_SCOUTING_BEZAHLEN_GRUND = 3358,
    ICON_SCOUTING_ZURUECK_GRUND = 3359,
    ICON_SCOUTING_ZEILE_1 = 3360,     // the information lines 3360, 3361, 3396
    ICON_SCOUTING_ZEILE_2 = 3361,
    ICON_SCOUTING_GEBIET = 3362,      // 3362..3375 areas 0..13; 3391 area 14
    ICON_SCOUTING_GEBIET_14 = 3391,
    ICON_SCOUTING_REISE = 3394,       // stage 3's frame
    ICON_SCOUTING_ZEILE_3 = 3396,
    ICON_SUCHE_KARTE = 3398,          // the prospect's card
    ICON_SCOUTING_SPERRE = 3402,      // blocks the screen beneath
    ICON_SUCHE_SPIELERKARTE = 3403,   // the prospect's player card
    ICON_SUCHE_VERPFLICHTEN = 3407,   // hire
    ICON_SUCHE_VERLASSEN = 3411,      // back to the transfer screen
    ICON_SUCHE_ABWEISEN = 3412,       // turn the prospect away
};

// The screen's record for the registry.
Screen_Def Scouting_Screen_Def();

// Opens the screen for the transfer screen's chosen scout.
void Scouting_Screen_Init();
// Whether area 14 may be chosen on a day: after day 500, in the first of
// every six 30-day periods.
bool Scouting_Gebiet_14_Offen(i32 tag);
i32 Scouting_Stufe();
i32 Scouting_Gebiet();
i32 Scouting_Scout();

// The icons' procedures.
void Scouting_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Scouting_Karte_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Scouting_Gebiet_Klick(Screen_Icon* icon, u32 ereignis);
void Scouting_Bezahlen_Klick(Screen_Icon* icon, u32 ereignis);
void Scouting_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
void Scouting_Verlassen_Klick(Screen_Icon* icon, u32 ereignis);
void Scouting_Abweisen_Klick(Screen_Icon* icon, u32 ereignis);
void Scouting_Verpflichten_Klick(Screen_Icon* icon, u32 ereignis);
void Scouting_Spielerkarte_Klick(Screen_Icon* icon, u32 ereignis);
const char* Scouting_Bezahlen_Hilfe(Screen_Icon* icon);
const char* Scouting_Abweisen_Hilfe(Screen_Icon* icon);
const char* Scouting_Verpflichten_Hilfe(Screen_Icon* icon);
