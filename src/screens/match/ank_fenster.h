// The two small floating windows over a running match: the table of the
// shown match's competition up to and including its matchday, and the
// results of that matchday (the other games, live). The control bar's table
// and results buttons open and close them (Screen_Id::SPIEL_TABELLE and
// Screen_Id::SPIEL_ERGEBNISSE); a left press drags a window, a right click
// takes it away and switches the manager's button off. Each window keeps its
// place per manager in the states of its two icons.
//
// A window is composed once into a picture and redrawn when the match
// engine records an event (Spielankuendigung_Set_Refresh), when the shown
// match changes and, on a network client, when the shown match's minute
// moves on.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"
#include "screens/screens.h"

struct Rastport;
struct Screen_Icon;

enum : i16 {
    ICON_ANK_FENSTER_TABELLE = 1711,         // the table window's frame
    ICON_ANK_FENSTER_TABELLE_INHALT = 1712,  // its rows
    ICON_ANK_FENSTER_ERGEBNISSE = 1713,      // the results window's frame
    ICON_ANK_FENSTER_ERGEBNISSE_INHALT = 1714,
};
// Which window: the table (0) or the results (1).
constexpr i32 ANK_FENSTER_TABELLE = 0, ANK_FENSTER_ERGEBNISSE = 1;
constexpr i32 ANK_FENSTER_BREITE[2] = {164, 186};
// Where a window opens while no place is remembered.
constexpr i32 ANK_FENSTER_X[2] = {350, 150}, ANK_FENSTER_Y = 120;
// Rows: 8 pixels each from y 7, the window rows x 8 + 2 high.
constexpr i32 ANK_FENSTER_ZEILE = 8, ANK_FENSTER_ERSTE_ZEILE = 7;

// Builds and shows the window (0 table, 1 results) for the competition of
// the shown match; true when it is on the screen (also when it was already).
// False without a shown match or without rows (a competition without a
// table, a matchday without games).
bool Spielankuendigung_Blit_Seite(i32 welche);
// Takes the window off the screen (its place stays remembered).
void Spielankuendigung_Set_Icons(i32 welche);
// Marks both windows for redrawing.
void Spielankuendigung_Set_Refresh();
bool Ank_Fenster_Offen(i32 welche);

// What a window shows, row by row (tests): the text of each row without
// markup, and whether the row belongs to a managed club.
struct Ank_Fenster_Zeile {
    std::string text;
    i32 team = -1, gegner = -1;  // the table's club; the results' two clubs as shown
    bool mensch = false;
};
struct Ank_Fenster_Stand {
    i32 wettbewerb = -1, spieltag = -1, runde = -1;
    i32 x = 0, y = 0, breite = 0, hoehe = 0;
    std::vector<Ank_Fenster_Zeile> zeilen;
    i32 aufbauten = 0;  // how often the picture was composed
};
Ank_Fenster_Stand Ank_Fenster_Holen(i32 welche);

// The control bar's launch: opens the window, or closes it when it is up;
// the control bar's button follows (on only while the window is shown).
Screen_Def Ank_Fenster_Tabelle_Screen_Def();
Screen_Def Ank_Fenster_Ergebnisse_Screen_Def();

// The icons' procedures.
void Ank_Fenster_Klick(Screen_Icon* icon, u32 ereignis);
void Ank_Fenster_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Ank_Fenster_Inhalt_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
