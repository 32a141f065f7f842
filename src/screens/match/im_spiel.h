// The in-match line-up screen: two movable windows laid over the live match
// view while a match is shown. The list window holds the side's eleven on
// the pitch and up to six players of the bench (shirt number, position,
// status, name, stamina, strength stars with the deduction for the place
// they stand, three main attributes); the pitch window shows the eleven at
// their tactical positions, upright with the side's own goal at the bottom.
//
// Clicking a player on the pitch and one on the bench queues a substitution,
// dragging a figure moves the player's tactical position, and the switch
// flips the side's all-forward switch. Everything goes through the match
// engine's in-match services (match/spielfeld.h), so on a networked match
// the change travels in the side's command slots and both machines carry it
// out in the same minute. The club shown follows the live view's focus
// click (E_Im_Spiel_Screen_Team). Opened by the control bar's line-up
// button (Screen_Id::IM_SPIEL_AUFSTELLUNG); a second opening closes it.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;
struct Spielfeld_Daten;

enum : i16 {
    ICON_IM_SPIEL_LISTE = 2580,     // the list window: frame, column heads, messages
    ICON_IM_SPIEL_FELD = 2581,      // the pitch window
    ICON_IM_SPIEL_ZEILE = 2582,     // 2582..2598: rows 0..10 on the pitch, 11..16 the bench
    ICON_IM_SPIEL_FIGUR = 2599,     // 2599..2609: the figures of rows 0..10
    ICON_IM_SPIEL_SCHALTER = 2610,  // the side's switch
    ICON_IM_SPIEL_LEGENDE = 2611,   // the legend strip beside the list window (hidden without a strip)
};
constexpr i32 IM_SPIEL_ZEILEN = 17, IM_SPIEL_FELDZEILEN = 11, IM_SPIEL_BANKZEILEN = 6;

// Window sizes and the pitch inside the pitch window (153 x 257 pixels, the
// own goal at the bottom).
constexpr i32 IM_SPIEL_LISTE_B = 416, IM_SPIEL_LISTE_H = 382;
constexpr i32 IM_SPIEL_FELD_B = 177, IM_SPIEL_FELD_H = 296;
constexpr i32 IM_SPIEL_PLATZ_X = 12, IM_SPIEL_PLATZ_Y = 27, IM_SPIEL_PLATZ_B = 153, IM_SPIEL_PLATZ_H = 257;
constexpr i32 IM_SPIEL_FIGUR_B = 25, IM_SPIEL_FIGUR_H = 23;
// Where the windows go while no place is remembered.
constexpr i32 IM_SPIEL_LISTE_X = 350, IM_SPIEL_LISTE_Y = 120, IM_SPIEL_FELD_X = 150, IM_SPIEL_FELD_Y = 120;

// Messages of a refused click (texts 9..11 of the screen's section).
enum : i32 { IM_SPIEL_KEINE_MELDUNG = 0, IM_SPIEL_KEINE_WECHSEL = 1, IM_SPIEL_ZU_VIELE = 2, IM_SPIEL_NICHT_MOEGLICH = 3 };

Screen_Def E_Im_Spiel_Screen_Def();

// The match the windows act on: the one the live view shows (its focused
// view), else the running match of a manager at this machine that the
// control bar's overview shows; null between matches.
Spielfeld_Daten* E_Im_Spiel_Screen_Spielfeld();

// Opens both windows with the match held (single play), or closes them when
// they are up already.
void E_Im_Spiel_Screen_Init();
void E_Im_Spiel_Screen_Schliessen();
// -1: the club shown (-1 none). A team: shown when its manager plays at this
// machine, else the current match's home or away club with one, else the
// screen closes. The club shown.
i32 E_Im_Spiel_Screen_Team(i32 team);
bool E_Im_Spiel_Screen_Ist_Offen();
// Builds the rows and figures anew for the current pitch and the club shown.
void E_Im_Spiel_Screen_Aufbauen();

// Half stars lost by the player at tactical point (x, y) of his side: none
// for a keeper in goal, 80 % of his strength for a keeper anywhere else;
// for a field player 2 per line between his position class and the line of
// the point (rows 0..3 defence, 4..7 midfield, 8..10 attack). 0 for a
// player number outside the player table.
i32 E_Im_Spiel_Screen_Positionsabzug(const Spielfeld_Daten* sf, i32 team, i32 spieler, i32 x, i32 y);
// The formation row 0..10 (0 at the own goal) of a tactical point.
i32 E_Im_Spiel_Screen_Reihe(i32 x, i32 y);

// A tactical point (x 1000..9800 from the own goal, y 400..6406 across) as
// a pixel of the window's pitch (x across 0..153, y 0..257 with the own goal
// at the bottom), and back.
struct Im_Spiel_Punkt {
    i32 x = 0, y = 0;
};
Im_Spiel_Punkt E_Im_Spiel_Screen_Abbilden(i32 tx, i32 ty);
Im_Spiel_Punkt E_Im_Spiel_Screen_Zurueck(i32 px, i32 py);

// What the screen holds (tests and the frame benchmark).
struct Im_Spiel_Stand {
    i32 team = -1;
    i32 feld[IM_SPIEL_FELDZEILEN];  // player numbers of the rows, -1 empty
    i32 bank[IM_SPIEL_BANKZEILEN];
    i32 meldung = 0;  // 0 none, 1..3
};
Im_Spiel_Stand E_Im_Spiel_Screen_Stand();

// The icons' procedures.
void E_Im_Spiel_Screen_Zeile_Klick(Screen_Icon* icon, u32 ereignis);
void E_Im_Spiel_Screen_Fenster_Klick(Screen_Icon* icon, u32 ereignis);
void E_Im_Spiel_Screen_Figur_Klick(Screen_Icon* icon, u32 ereignis);
void E_Im_Spiel_Screen_Schalter_Klick(Screen_Icon* icon, u32 ereignis);
// The strip under (or over) the list window that names the badges the
// window's own bands have no room for; h 0 while the window names them all.
struct Im_Spiel_Kasten {
    i32 x = 0, y = 0, w = 0, h = 0;
};
Im_Spiel_Kasten E_Im_Spiel_Screen_Legende_Leiste();
void E_Im_Spiel_Screen_Liste_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E_Im_Spiel_Screen_Feld_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E_Im_Spiel_Screen_Zeile_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E_Im_Spiel_Screen_Figur_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void E_Im_Spiel_Screen_Schalter_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
const char* E_Im_Spiel_Screen_Hilfetext(Screen_Icon* icon);
