// The squad and line-up screen: the 20 squad places of a team as a list in
// line-up order (11 starters, 6 substitutes, 3 reserves) beside a small
// pitch with the starters at their formation cells. The manager whose turn
// it is edits his own line-up here (click two players to swap them, a
// selected player and a click on the pitch to move him, the automatic
// line-up switch); the view switch shows the viewed club (Team_Ansicht)
// read-only and mirrored. Opened from the main menu (dialog button 702,
// entry 0) as Screen_Id::KADER. What it changes is the world's line-up
// (slots, cells, starter bits, the automatic bit of the formation number),
// which the next match plays with.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_KADER_RAHMEN = 2401,    // frame with column headers: the frame icon
    ICON_KADER_SPIELFELD = 2402, // the pitch preview's background
    ICON_KADER_ZEILE = 2403,     // 2403..2422: the 20 list rows
    ICON_KADER_FELD = 2423,      // 2423..2433: the 11 starters on the pitch
    ICON_KADER_MENUE = 2434,     // back to the team menu
    ICON_KADER_AUTO = 2435,      // on/off: automatic line-up
    ICON_KADER_ANSICHT = 2436,   // on/off: the viewed club instead of the own
};
constexpr i32 KADER_ZEILEN = 20, KADER_FELDER = 11;
// The squad view's switch that also selects the viewed club here.
constexpr i32 ICON_KADERANSICHT_ANSICHT = 2496;

// The screen's record for the registry.
Screen_Def E1_Screen_Def();

void E1_Screen_Init();
// Decides which team is shown and fills rows and pitch icons.
void E1_Screen_Anzeigen();
// Redraw request of other modules: only while the screen is up.
void E1_Screen_Aktualisieren();
// Orders the team's squad into the rows and the pitch icons: the own team
// by slot; a viewed team as seen from the other side, starters, substitutes
// and reserves each in reverse slot order, its pitch mirrored.
void E1_Screen_Liste_Fuellen(i32 team);
void E1_Screen_Feld_Positionen(i32 team);
// The team shown (the own or the viewed), -1 before the screen opened.
i32 E1_Screen_Gezeigtes_Team();
// Screen point to formation cell in place (column, row); false and
// unchanged outside the pitch.
bool E1_Screen_Maus_In_Feld(i32* x, i32* y);
// The drop preview while player d (a starter) is dragged over the pitch:
// the eleven in the order the drop would give them; nothing for anyone else,
// or when the eleven are not exactly 11 (a debug message).
void E1_Screen_Set_Preview_Array(i32 d);
// Entry k of the preview (-1 when none is shown).
i32 E1_Screen_Vorschau(i32 k);
// The click-swap rule for two players of the own team.
bool E1_Screen_Tausch_Erlaubt(i32 p, i32 q);
// Switches a team to the automatic line-up (button on for its manager).
void E1_Screen_Auto_Aufstellung(i32 team);
// The player a row or pitch icon shows (-1 none).
i32 E1_Screen_Spieler_Von(i32 icon);
// Clears the selection and links of rows and pitch shirts (300 ms after a
// swap, at once otherwise); nothing while the screen is not up.
void E1_Screen_Auswahl_Zuruecksetzen();
// Locks (greys) the pitch shirts while a window lies over them, or frees them.
void E1_Screen_Feld_Sperren(bool sperren);

// The icons' procedures.
void E1_Screen_Titel_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E1_Screen_Zeile_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E1_Screen_Feld_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E1_Screen_Ansicht_Pruefen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E1_Screen_Zeile_Klick(Screen_Icon* icon, u32 ereignis);
void E1_Screen_Feld_Klick(Screen_Icon* icon, u32 ereignis);
void E1_Screen_Spielfeld_Klick(Screen_Icon* icon, u32 ereignis);
void E1_Screen_Menue_Klick(Screen_Icon* icon, u32 ereignis);
void E1_Screen_Auto_Klick(Screen_Icon* icon, u32 ereignis);
void E1_Screen_Ansicht_Klick(Screen_Icon* icon, u32 ereignis);
const char* E1_Screen_Hilfetext(Screen_Icon* icon);
// Drop procedures of a dragged row and a dragged shirt (x, y: where it was drawn).
void E1_Screen_Zeile_Ablegen(Screen_Icon* gezogen, Screen_Icon* ziel, i32 x, i32 y, u32 ereignis);
void E1_Screen_Feld_Ablegen(Screen_Icon* gezogen, Screen_Icon* ziel, i32 x, i32 y, u32 ereignis);
