// The in-match tactics screen: a small movable window over the live match
// view in which the manager changes the running match's tactics of the club
// shown on the in-match line-up screen: two switches and four values from 0
// to 100 in steps of 5. The values are the pitch record's (the engine's
// in-match services write them, in a networked match through the side's
// command slots). Opened by the control bar's tactics button
// (Screen_Id::IM_SPIEL_TAKTIK); a second opening closes it.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_TAKTIK_IM_SPIEL_FENSTER = 2613,
    ICON_TAKTIK_IM_SPIEL_SCHALTER1 = 2614,
    ICON_TAKTIK_IM_SPIEL_SCHALTER2 = 2615,
    ICON_TAKTIK_IM_SPIEL_MINUS = 2616,  // 2616/2617, 2618/2619, 2620/2621, 2622/2623: value i minus / plus
};
constexpr i32 TAKTIK_IM_SPIEL_WERTE = 4;
constexpr i32 TAKTIK_IM_SPIEL_B = 200, TAKTIK_IM_SPIEL_H = 114;
constexpr i32 TAKTIK_IM_SPIEL_X = 466, TAKTIK_IM_SPIEL_Y = 451;
constexpr u32 TAKTIK_IM_SPIEL_DROSSEL_MS = 50;

Screen_Def Taktik_Im_Spiel_Screen_Def();

void Taktik_Im_Spiel_Screen_Init();
void Taktik_Im_Spiel_Screen_Schliessen();
bool Taktik_Im_Spiel_Screen_Ist_Offen();
// Places the window (the manager's remembered place) and sets the switches
// from the pitch record.
void Taktik_Im_Spiel_Screen_Werte_Setzen();
// Value i (0..3) as the window shows it: single play cuts values 2..4 down
// to a multiple of 5; a networked match shows them as stored. -1 without a
// current match of the club shown.
i32 Taktik_Im_Spiel_Screen_Wert(i32 i);

void Taktik_Im_Spiel_Screen_Fenster_Klick(Screen_Icon* icon, u32 ereignis);
void Taktik_Im_Spiel_Screen_Knopf_Klick(Screen_Icon* icon, u32 ereignis);
void Taktik_Im_Spiel_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Taktik_Im_Spiel_Screen_Schalter_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
const char* Taktik_Im_Spiel_Screen_Hilfetext(Screen_Icon* icon);
