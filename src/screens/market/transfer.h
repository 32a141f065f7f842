// The transfer screen: the own squad (20 rows in line-up order) beside the
// club's transfer window (eleven market players suggested to the club and the
// player its scout found). A squad player is sold to the market, which sends
// one of its weakest players in exchange; a marked market player is bought by
// a negotiation (verhandlung.h) against a squad player who goes the other way,
// so a squad never changes its size here. Below the window the manager picks
// one of four scouts and sends him off (Screen_Id::SCOUTING). Opened from the
// main menu (dialog button 702, entry 3) as Screen_Id::TRANSFER.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_TRANSFER_RAHMEN = 3310,         // frame with the column heads: the frame icon
    ICON_TRANSFER_EIGEN = 3311,          // 3311..3330: the own squad's rows
    ICON_TRANSFER_MARKT = 3331,          // 3331..3341: the transfer window's rows
    ICON_TRANSFER_SCOUTSPIELER = 3342,   // the player the club's scout found
    ICON_TRANSFER_SCOUT_ZURUECK = 3343,  // previous scout
    ICON_TRANSFER_SCOUT_VOR = 3344,      // next scout
    ICON_TRANSFER_SCOUT_SCHICKEN = 3345, // send the chosen scout (its remembered state: the scout)
};
constexpr i32 TRANSFER_EIGENE_ZEILEN = 20, TRANSFER_MARKT_ZEILEN = 12;  // the window's 11 and the scout's player

// The screen's record for the registry.
Screen_Def Transfer_Screen_Def();

void Transfer_Screen_Init();
// What the market pays for a player who leaves the club (world/markt.h).
i32 Transfer_Screen_Angebot_Differenz(i32 spieler);
// Rebuilds both lists from the world (after an exchange, a refresh).
void Transfer_Screen_Listen_Bauen();
// The selected market player, -1 none; the chosen scout 0..3.
i32 Transfer_Screen_Markt_Auswahl();
i32 Transfer_Screen_Scout();
// The player a row shows, -1.
i32 Transfer_Screen_Spieler_Von(i32 icon);
// Both lists unmarked and no market player selected (after an exchange).
void Transfer_Screen_Auswahl_Loeschen();

// The icons' procedures.
void Transfer_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Transfer_Screen_Eigen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Transfer_Screen_Markt_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Transfer_Screen_Eigen_Klick(Screen_Icon* icon, u32 ereignis);
void Transfer_Screen_Markt_Klick(Screen_Icon* icon, u32 ereignis);
void Transfer_Screen_Scout_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
void Transfer_Screen_Scout_Vor_Klick(Screen_Icon* icon, u32 ereignis);
void Transfer_Screen_Scout_Schicken_Klick(Screen_Icon* icon, u32 ereignis);
const char* Transfer_Screen_Kopf_Hilfe(Screen_Icon* icon);
const char* Transfer_Screen_Zeile_Hilfe(Screen_Icon* icon);
const char* Transfer_Screen_Scout_Hilfe(Screen_Icon* icon);
const char* Transfer_Screen_Schicken_Hilfe(Screen_Icon* icon);
