// The advertising screen: the active club's eight board contracts and its
// main sponsor with what each pays, what a replacement partner pays for the
// boards still free, the current offer, and three controls: accept the
// offer, search for a new one (a fee, a few times a season), and the board
// switch (free boards filled at once and after every match). Opened from the
// main menu (dialog button 704, entry 1) as Screen_Id::WERBUNG. On a network
// client every change is the server's (world/werbung.h).
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_WERBUNG_SEITE = 1734,     // page and all its text: the screen's frame icon
    ICON_WERBUNG_ANNEHMEN = 1735,  // accept the offer
    ICON_WERBUNG_SUCHEN = 1736,    // search for a new offer
    ICON_WERBUNG_BANDEN = 1737,    // board switch (its state remembered per manager)
};

// The y of slot 0..8's row (slot 8 the main sponsor).
constexpr i16 WERBUNG_ZEILE_Y[9] = {154, 187, 220, 249, 278, 307, 336, 365, 430};
// Every partner has a logo, large (the offer) and small (the slot rows).
constexpr i32 WERBUNG_LOGOS = 24;
// The logo picture of a partner (large or small); -1 for no partner.
i32 Werbung_Logo_Grafik(bool gross, i32 sponsor);

Screen_Def Werbung_Screen_Def();

void Werbung_Screen_Init();
void Werbung_Annehmen_Klick(Screen_Icon* icon, u32 ereignis);
void Werbung_Suchen_Klick(Screen_Icon* icon, u32 ereignis);
void Werbung_Banden_Klick(Screen_Icon* icon, u32 ereignis);
void Werbung_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);

// The search button's help: what it does and the fee the next search costs.
const char* Werbung_Suchen_Hilfe(Screen_Icon* icon);
