// The player information card: a window over the current screen with one
// player's face, name, position, number, exhaustion, stars, whether he is
// fit, injured or suspended, the attribute in training, his special
// attributes, this year's match statistics, salary and market value. The
// arrows step through his team (or the transfer list), a button opens the
// talents screen when one is installed, any other click closes the card.
//
// Every screen that lists players opens it the same way, by its id:
//
//   Screen_Oeffnen_Fuer(Screen_Id::SPIELERKARTE, {.spieler = p, .team = t, .modus = SPIELERKARTE_EIGEN});
//
// (without a mode the card takes the own or the other team's by the club).
// The modes say what the arrows step through: the own team in slot order,
// another team in list order, nothing (scouting), or the active club's
// transfer list.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_KARTE_SCHIRM = 3301,   // the whole screen: a click closes
    ICON_KARTE_RAHMEN = 3302,   // the card
    ICON_KARTE_ZURUECK = 3304,  // previous player
    ICON_KARTE_VOR = 3305,      // next player
    ICON_KARTE_SCHLIESSEN = 3307,
    ICON_KARTE_TALENTE = 3308,
};

enum Spielerkarte_Modus : i32 {
    SPIELERKARTE_EIGEN = 0,     // the active team: slots 0..19 in order
    SPIELERKARTE_ANDERE = 1,    // another team: the order its list shows
    SPIELERKARTE_SCOUTING = 2,  // no stepping
    SPIELERKARTE_TRANSFER = 3,  // the active club's transfer list
};

// The mode for a player of `team` on a squad list: own or other.
i32 Spielerkarte_Modus_Fuer(i32 team);

Screen_Def Spielerkarte_Screen_Def();

// Opens the card (nothing while it is open: the player shown stays).
void Spieler_Info_Screen_Init(i32 spieler, i32 team, i32 modus);
void Spieler_Info_Schliessen();
bool Spieler_Info_Offen();
// Reads the shown player afresh (his slot, this year's counts) and draws
// the card anew; nothing when closed.
void Spieler_Info_Aktualisieren();
// The player shown (-1 when closed).
i32 Spieler_Info_Spieler();

// A right click on a squad screen closes an open card or attribute popup
// first; true when one was open.
bool Spielerfenster_Schliessen();

// The counts the card shows of this year's competitions (goals, assists and
// the three card kinds), kept per day while the card is open; 0 for all
// without a count buffer.
struct Spielerkarte_Zahlen {
    i32 tore = 0, vorlagen = 0, gelb = 0, gelbrot = 0, rot = 0;
};
Spielerkarte_Zahlen Spieler_Info_Zahlen(i32 spieler);

// The icons' procedures.
void Spieler_Info_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Spieler_Info_Klick(Screen_Icon* icon, u32 ereignis);
// The card's hover text: the name of the learned badge under the mouse.
const char* Spieler_Info_Hilfe(Screen_Icon* icon);
void Spieler_Info_Blaettern_Klick(Screen_Icon* icon, u32 ereignis);
void Spieler_Info_Talente_Klick(Screen_Icon* icon, u32 ereignis);
void Spieler_Info_Schliessen_Klick(Screen_Icon* icon, u32 ereignis);
