// The tactics screen: the manager of the active team sets his team's seven
// tactic values (three switches: offside trap, pressing, man-marking; four
// steps: attacking urge, risk, playing style, hardness) and hands out four
// roles to the players of his starting eleven (penalty taker, free-kick
// taker, corner taker; and one captain in the whole squad). The values are
// the team's tactic bytes the match engine plays with; the roles are bits
// of the players' status words. Opened from the main menu (dialog button
// 702, entry 2) as Screen_Id::TAKTIK.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_TAKTIK_RAHMEN = 2505,
    ICON_TAKTIK_GROSS = 2507,   // 2507..2513: the seven values' big icons
    ICON_TAKTIK_KLEIN_0 = 2514,  // small switches of values 0, 1 and 3
    ICON_TAKTIK_KLEIN_1 = 2515,
    ICON_TAKTIK_PFEIL_2 = 2516,  // down, up of value 2
    ICON_TAKTIK_KLEIN_3 = 2518,
    ICON_TAKTIK_PFEIL_4 = 2519,
    ICON_TAKTIK_PFEIL_5 = 2521,
    ICON_TAKTIK_PFEIL_6 = 2523,
    ICON_TAKTIK_ZEILE = 2525,   // 2525..2535: the starting eleven
    ICON_TAKTIK_ROLLE = 2536,   // 2536..2579: four role buttons a row
};
constexpr i32 TAKTIK_ZEILEN = 11, TAKTIK_ROLLEN = 4;
// The role bits by column; column 3 (captain) is held by one player only.
constexpr u32 TAKTIK_ROLLE_BIT[TAKTIK_ROLLEN] = {0x4000, 0x1000, 0x2000, 0x800};

Screen_Def Taktik_Screen_Def();
void Taktik_Screen_Init();
// Fills rows, values and roles for a team.
void Taktik_Screen_Fuellen(i32 team);

// One step of stepped value v (2, 4, 5, 6), down or up, wrapping round;
// at most one every 150 ms. False when throttled or refused.
bool Taktik_Screen_Stufe(i32 wert, bool hoch);
// Switches value v (0, 1, 3) as its small button does (value 3 with the
// marking assistant).
void Taktik_Screen_Schalten(i32 wert);
// Gives or takes role column c of the starter in row k.
void Taktik_Screen_Rolle(i32 zeile, i32 spalte);

// The icons' procedures.
void Taktik_Screen_Titel_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Taktik_Screen_Zeile_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Taktik_Screen_Schalter_Klick(Screen_Icon* icon, u32 ereignis);
void Taktik_Screen_Knopf_Klick(Screen_Icon* icon, u32 ereignis);
void Taktik_Screen_Stufe_Klick(Screen_Icon* icon, u32 ereignis);
void Taktik_Screen_Zeile_Klick(Screen_Icon* icon, u32 ereignis);
void Taktik_Screen_Rolle_Klick(Screen_Icon* icon, u32 ereignis);
void Taktik_Screen_Menue_Klick(Screen_Icon* icon, u32 ereignis);
const char* Taktik_Screen_Hilfetext(Screen_Icon* icon);
