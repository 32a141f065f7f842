// What the squad screen's files share (kader.cpp, kader_zeichnen.cpp): its
// texts and places, the state of the squad shown and the helpers that read it.
#pragma once

#include "base/types.h"
#include "screens/squad/kader.h"
#include "screens/teile/attribut_legende.h"

namespace kader_intern {

constexpr u32 NICHT_VERFUEGBAR = 0x7c0, STAMM_BITS = 0x30;
constexpr i32 TEAM_FORMATION = 8, AUTOMATISCH = 128;
constexpr u32 AUSWAHL_FRIST_MS = 300;

// Texts of the screen's section.
enum : i32 {
    T_STARTELF = 0,
    T_KOPF_ERSTER = 3,  // 3..10 the column headers
    T_MENUE = 11,
    T_AUTO = 12,
    T_EIGENES = 13,     // the label while the viewed club is shown
    T_ANDERES = 14,     // ... while the own team is shown
    T_HILFE_KOPF = 16,  // 16..23 the column headers' help
    T_HILFE_ELF = 24,
    T_HILFE_BANK = 25,
    T_HILFE_RESERVE = 26,
    T_HILFE_LISTE = 27,
    T_HILFE_FELD = 28,
    T_HILFE_KNOPF = 34,  // 34..36 the three buttons
    T_GEHT_NICHT = 48,
};

// List geometry.
constexpr i32 ZEILE_X = 204, ZEILE_B = 578, ZEILE_H = 17;
// The badges' legend: three lines of small badges under the reserves' rows, inside the frame.
constexpr Attribut_Legende_Platz KADER_LEGENDE{
    .x0 = 206, .x1 = 789, .y = 528, .zeilen = 3, .zeilenhoehe = 13, .verdichten = false};
constexpr i32 FELD_B = 29, FELD_H = 23;
constexpr i32 KADER_OBEN = 84;  // the screen's top: the main menu's header lies above

// Shirt pictures on the pitch by position class (entries of their groups):
// classes 0..3 -> 24057, 24055, 24054, 24056 and lifted 24065, 24063, 24062, 24064.
constexpr i32 TRIKOT_BILD[4] = {3, 1, 0, 2};
// The attribute pictures of a row: a click there opens the attribute popup.
constexpr i32 ATTRIBUTE_X0 = 549, ATTRIBUTE_X1 = 630;
// A menu button's user word 1.
constexpr u32 WORT_KNOPF = 0xB0;

// While a starter is dragged over the pitch: the eleven in the order the
// drop would give them (row k of the list shows entry k), their cells.
struct Vorschau {
    bool an = false;
    i32 spieler[KADER_FELDER];
    i32 reihe[KADER_FELDER];
};
// Where each pitch shirt stands in the formation (a dragged one is drawn
// elsewhere while it moves).
extern i32 feld_heim[KADER_FELDER][2];
extern i32 gezeigt;                    // the team shown
extern i32 liste_team, feld_team;      // whose players the rows and the shirts hold
extern bool feld_gesperrt;             // a window lies over the pitch shirts
extern bool geaendert;                 // a swap was made: selection clears 300 ms later
extern u32 geaendert_zeit;
extern i32 verknuepft_zeile[KADER_ZEILEN];  // pitch icon hovered for a row, -1
extern i32 verknuepft_feld[KADER_FELDER];   // row hovered for a pitch icon, -1
extern char hilfe[1024];
extern Vorschau vorschau;

const char* text(i32 n);
i32 wert(int modus, i32 p);
bool verfuegbar(i32 p);
bool eigenes_gezeigt();
bool an(i32 n);
void auswahl_zuruecksetzen();
bool ist_zeile(const Screen_Icon* i);
bool ist_feld(const Screen_Icon* i);
void setzen(i32 n, bool ein);
// The selection: cleared, or cleared a moment after a swap.
void auswahl_loeschen();
void geaendert_setzen();
i32 zeile_von_spieler(i32 p);
i32 erste_gewaehlte_zeile();
// A row clicked: chosen, or swapped with the row chosen before.
void waehlen_oder_tauschen(i32 k);
// Whether player p may go to the pitch cell (c, r); the first of the eleven
// who cannot play, -1.
bool aufs_feld(i32 p, i32 c, i32 r);
i32 erster_ausfall_in_elf();
void ablegen_tauschen(i32 p, i32 q);
void neu_fuellen();
void refuse();

}  // namespace kader_intern
