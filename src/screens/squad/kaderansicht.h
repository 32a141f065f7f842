// The squad view: the starting eleven as cards on a large pitch (shirt,
// number, name, small stars with what the cell costs him, his special
// attributes) and beside it the team's first three formations as small
// pitches. The manager of the active team chooses a formation, moves
// starters to other cells (select and click, or drag), swaps two starters,
// resets the current formation to its built-in shape, or switches to the
// viewed club (Team_Ansicht), shown read-only and mirrored. The view switch
// is shared with the squad and line-up screen. Opened from the main menu
// (dialog button 702, entry 1) as Screen_Id::KADER_ANSICHT.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_E2_RAHMEN = 2437,     // frame and large pitch
    ICON_E2_FORMATION = 2438,  // 2438..2440: the three formation pitches
    ICON_E2_KARTE = 2442,      // 2442..2452: the eleven cards
    ICON_E2_PUNKT = 2462,      // 2462..2494: eleven dots on each formation pitch
    ICON_E2_MENUE = 2495,
    ICON_E2_ANSICHT = 2496,    // on/off: the viewed club
    ICON_E2_ZURUECK = 2497,    // reset the current formation
};
constexpr i32 E2_KARTEN = 11, E2_FORMATIONEN = 3;

Screen_Def E2_Screen_Def();
void E2_Screen_Init();
void E2_Screen_Fuellen(i32 team);
// The team shown, -1 before the screen opened.
i32 E2_Screen_Gezeigtes_Team();
// The card's place of cell (c, r) for the own team (mirrored for another).
void E2_Screen_Karten_Platz(i32 c, i32 r, bool eigen, i32* x, i32* y);
// A point of the large pitch (a card's top-left corner) to a cell, in place;
// the goalkeeper's row only in the middle column (elsewhere row 1).
void E2_Screen_Maus_In_Feld(i32* x, i32* y);
// Whether the mouse is over the large pitch.
bool E2_Screen_Maus_Im_Feld();
// Chooses formation m (0..2) of the own team; the automatic bit stays.
void E2_Screen_Formation_Waehlen(i32 m);

// The icons' procedures.
void E2_Screen_Titel_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E2_Screen_Karte_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E2_Screen_Ansicht_Pruefen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E2_Screen_Karte_Klick(Screen_Icon* icon, u32 ereignis);
void E2_Screen_Spielfeld_Klick(Screen_Icon* icon, u32 ereignis);
void E2_Screen_Formation_Klick(Screen_Icon* icon, u32 ereignis);
void E2_Screen_Formation_Zuruecksetzen_Klick(Screen_Icon* icon, u32 ereignis);
void E2_Screen_Ansicht_Klick(Screen_Icon* icon, u32 ereignis);
void E2_Screen_Menue_Klick(Screen_Icon* icon, u32 ereignis);
void E2_Screen_Karte_Ablegen(Screen_Icon* gezogen, Screen_Icon* ziel, i32 x, i32 y, u32 ereignis);
const char* E2_Screen_Hilfetext(Screen_Icon* icon);
