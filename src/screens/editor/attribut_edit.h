// The two attribute windows built like the attribute popup:
// - the attribute edit of the data editor: every attribute the player's
//   position can have, each none, learned or blocked; a click moves a row
//   on through these states with the prerequisites (missing ones are learned
//   with it, dependants go with it);
// - the attribute choice, which takes the popup's place once every
//   attribute was given by the hidden cheat: every learned attribute
//   switched on or off without the limit of three. It is dragged by its
//   title like the popup.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_WAHL_RAHMEN = 3547,
    ICON_WAHL_ZEILE = 3548,  // 3548..3600: the rows
    ICON_WAHL_ENDE = 3601,
    ICON_WAHL_SCHLIESSEN = 3602,
    ICON_WAHL_ZURUECK = 3603,
    ICON_WAHL_VOR = 3604,
    ICON_AEDIT_RAHMEN = 3736,
    ICON_AEDIT_ZEILE = 3737,  // 3737..3789: the rows
    ICON_AEDIT_ENDE = 3790,
    ICON_AEDIT_SCHLIESSEN = 3791,
    ICON_AEDIT_ZURUECK = 3792,
    ICON_AEDIT_VOR = 3793,
};
constexpr i32 WAHL_ZEILEN = 53, AEDIT_ZEILEN = 53;
constexpr i32 AEDIT_MAX_GELERNT = 18;

// --- Attribute edit ------------------------------------------------------------------
Screen_Def Attribut_Edit_Screen_Def();
// Opens it for the player of `team` (the transfer market: the editor's
// market list is stepped through).
void Attribut_Edit_Screen_Init(i32 spieler, i32 x, i32 y, i32 team);
bool Attribut_Edit_Schliessen();
i32 Attribut_Edit_Spieler();
// Rows shown and the attribute of row k (0-based); its state 0 none, 1 learned, 2 blocked.
i32 Attribut_Edit_Zeilen();
i32 Attribut_Edit_Attribut(i32 zeile);
i32 Attribut_Edit_Zustand(i32 spieler, i32 attribut);
// Moves the attribute's state on as a click on its row does; the new state.
i32 Attribut_Edit_Schalten(i32 spieler, i32 attribut);
// The attributes the player misses on the way to `attribut` (its whole
// prerequisite chain), deepest first.
i32 Attribut_Edit_Fehlende(i32 spieler, i32 attribut, i32* aus, i32 n);
void Attribut_Edit_Layout();
void Attribut_Edit_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Attribut_Edit_Zeile_Klick(Screen_Icon* icon, u32 ereignis);
void Attribut_Edit_Schliessen_Klick(Screen_Icon* icon, u32 ereignis);
void Attribut_Edit_Blaettern_Klick(Screen_Icon* icon, u32 ereignis);

// --- Attribute choice --------------------------------------------------------------
Screen_Def Attribut_Wahl_Screen_Def();
void Attribut_Wahl_Screen_Init(i32 spieler, i32 x, i32 y, i32 team);
bool Attribut_Wahl_Schliessen();
// Locks (or frees) the squad screen's pitch shirts as the attribute popup
// does; the choice locks them while it stands over them and frees them when
// it moves away or closes.
void Attribut_Wahl_E1_Sperren(bool sperren);
i32 Attribut_Wahl_Spieler();
void Attribut_Wahl_Position(i32* x, i32* y);
i32 Attribut_Wahl_Zeilen();
void Attribut_Wahl_Layout(i32 x, i32 y, bool neu);
void Attribut_Wahl_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Attribut_Wahl_Rahmen_Klick(Screen_Icon* icon, u32 ereignis);
void Attribut_Wahl_Zeile_Klick(Screen_Icon* icon, u32 ereignis);
void Attribut_Wahl_Schliessen_Klick(Screen_Icon* icon, u32 ereignis);
void Attribut_Wahl_Blaettern_Klick(Screen_Icon* icon, u32 ereignis);
