// What the competition screen's views share inside the screen: the state of
// the last rebuild and the helpers the views' files use.
#pragma once

#include <string>

#include "base/types.h"
#include "screens/club/wettbewerb_screen.h"

// Texts of the TABELLE section the screen and its table view read.
namespace wb_text {
enum : i32 {
    T_FILTER_0 = 0,      // 0..2 the filter switch's states
    T_EIGENE = 25,       // the own-games switch
    T_AUSWAHL_0 = 55,    // 55..58 the player selection switch's states
    T_ERGEBNISSE_TAG = 42,
    T_UEBERSICHT_TAG = 29,
    T_PROGNOSE_0 = 3,    // 3..4 the projection switch's states
    T_TABELLE = 5,
    T_SPALTEN_0 = 7,     // 7..16 the league columns
    T_VOR_SPIELTAG = 17,
    T_NACH_SPIELTAG = 18,
    T_SPIELTAG = 33,
    T_VOR_ERSTEM = 34,
    T_MANNSCHAFTEN = 35,
    T_WEITER = 36,
    T_AUSGESCHIEDEN = 37,
    T_RUNDE = 38,
    T_BEGEGNUNG = 39,
    T_HERKUNFT_LIGA = 40,
    T_NICHT_AUSGELOST = 41,
    T_SIEGER = 46,
    T_FINALIST = 47,
};
}  // namespace wb_text

struct Wb_Stand {
    i32 runde = -1, gruppe = -1, spieltag_in_runde = 0, gesamt = 0, aktuell = 0;
    bool ko = false, prognose = false;
    Wb_Auswahl_Info info;
};
const Wb_Stand& Wb_Stand_Holen();
// The knob's steps of the view built (the rows not shown at once).
void Wb_Scroll_Stufen(i32 stufen);
// The first row shown: the scroll position while the track is shown, else 0.
i32 Wb_Erste_Zeile();
// The active manager's word and switch state of an icon.
i32 Wb_Wort(i32 icon);
i32 Wb_Knopf(i32 icon);
void Wb_Knopf_Setzen(i32 icon, i32 wert);
void Wb_Status(i16 icon, u32 bit, bool an);
// A round's name for a matchday, a club's league, whether a country is the home nation.
std::string Wb_Runden_Name(i32 id, i32 spieltag);
i32 Wb_Liga_Von(i32 team);
bool Wb_Heimisch(i32 land);

// The views' steps of the rebuild and their headings (wettbewerb_ansichten.cpp).
void Wb_Ergebnisse_Bauen();
void Wb_Uebersicht_Bauen();
void Wb_Ergebnisse_Kopf(Rastport* ziel, i32 x, i32 y);
void Wb_Uebersicht_Kopf(Rastport* ziel, i32 x, i32 y);
