// The attribute popup: a small window beside the mouse listing one player's
// learned and negative special attributes, where the manager switches on
// the ones he plays with (at most three less the negative ones; choosing
// one more drops the oldest). It can be dragged by its frame; two arrows
// step through the player's team. Rows of another club's player are shown
// greyed and do nothing.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_POPUP_RAHMEN = 3509,
    ICON_POPUP_ZEILE = 3510,  // 3510..3530: the rows
    ICON_POPUP_LEER = 3529,   // the row shown for a player without attributes
    ICON_POPUP_SCHLIESSEN = 3532,
    ICON_POPUP_ZURUECK = 3533,
    ICON_POPUP_VOR = 3534,
};
constexpr i32 POPUP_ZEILEN = 21;  // 18 learned + 3 negative
constexpr i32 POPUP_BREITE = 246, POPUP_KOPF = 42, POPUP_ZEILE_H = 18;

// The popup as a screen (Screen_Id::ATTRIBUT_POPUP): other screens open it
// for a player by its id; an open popup then shows that player.
Screen_Def Attribut_Popup_Def();
// Opens the popup for the player at mouse (x, y) (nothing while it is open).
void Attribut_Popup_Oeffnen(i32 spieler, i32 x, i32 y, i32 team);
// Once every attribute was given by the cheat (the world's attribute-choice
// flag), opening hands over to the attribute choice (Screen_Id::ATTRIBUT_WAHL)
// instead, opened by its id (not registered: the popup opens as ever).
// Reads the shown player's attributes again and lays the rows out where
// the popup stands (after a training has changed them); nothing when closed.
void Attribut_Popup_Aktualisieren();
// Closes it; whether it was open. The squad screen's selection is reset.
bool Attribut_Popup_Schliessen();
// Whether a window with its top-left at (x, y) lies over the squad screen's
// pitch shirts, which are then locked while it stands there.
bool Attribut_Popup_Deckt_Feld(i32 x, i32 y);
bool Attribut_Popup_Offen();
i32 Attribut_Popup_Spieler();
// Shows another player in the open popup, laid out again where it stands.
void Attribut_Popup_Spieler_Zeigen(i32 spieler, i32 team);
// Places the icons: open mode (true) beside the mouse at (x, y); otherwise
// (x, y) is the frame's place. The rows keep one spacing in both.
void Attribut_Popup_Layout(i32 x, i32 y, bool oeffnen);
// The frame's place.
void Attribut_Popup_Position(i32* x, i32* y);
// Chooses attribute a of the shown player as a click on its row does; false
// when nothing changed (another club's player, not a learned attribute).
bool Attribut_Popup_Waehlen(i32 attribut);

// The icons' procedures.
void Attribut_Popup_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Attribut_Popup_Rahmen_Klick(Screen_Icon* icon, u32 ereignis);
void Attribut_Popup_Zeile_Klick(Screen_Icon* icon, u32 ereignis);
void Attribut_Popup_Schliessen_Klick(Screen_Icon* icon, u32 ereignis);
void Attribut_Popup_Blaettern_Klick(Screen_Icon* icon, u32 ereignis);
