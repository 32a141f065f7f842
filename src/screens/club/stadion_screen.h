// The stadium screen: the active club's ground at its class, the ticket
// price, a renovation up to a planned comfort level, a planned capacity
// within the class's range and the next class. Every step is paid through
// the bank (on a network client carried out by the server); a step done is
// confirmed in a popup with a picture and a sound. Opened from the main menu
// (dialog button 704, entry 2) as Screen_Id::STADION.
//
// The planned values live in the active manager's record by icon number:
// 1725 the planned comfort, 1726 the planned capacity; 1724 mirrors the
// ticket price.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_STADION_SEITE = 1720,       // page and its texts: the screen's frame icon
    ICON_STADION_AUSBAU = 1721,      // build the next class
    ICON_STADION_RENOVIEREN = 1722,  // renovate to the planned comfort
    ICON_STADION_UMBAU = 1723,       // change to the planned capacity
    ICON_STADION_PREIS = 1724,       // ticket price stepper
    ICON_STADION_KOMFORT = 1725,     // planned comfort stepper
    ICON_STADION_KAPAZITAET = 1726,  // planned capacity stepper
    ICON_STADION_BILD = 1727,        // the ground at its class
    ICON_STADION_SPERRE = 1728,      // popup: the whole screen under it
    ICON_STADION_POPUP = 1729,       // popup: picture and text
};

// Popup kinds: the picture shown (building or capacity, renovation).
constexpr i32 STADION_POPUP_BAU = 1, STADION_POPUP_RENOVIERUNG = 3;
constexpr i32 STADION_KLANG_GEBAUT = 17, STADION_KLANG_POPUP = 14;
constexpr i32 STADION_KAPAZITAET_SCHRITT = 1000;

Screen_Def Stadion_Screen_Def();

void Stadion_Screen_Init();
void Stadion_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Stadion_Screen_Bild(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
// The steppers, one procedure each (at most one step per 100 ms).
void Stadion_Preis_Klick(Screen_Icon* icon, u32 ereignis);
void Stadion_Komfort_Klick(Screen_Icon* icon, u32 ereignis);
void Stadion_Kapazitaet_Klick(Screen_Icon* icon, u32 ereignis);
// The three building buttons.
void Stadion_Ausbau_Klick(Screen_Icon* icon, u32 ereignis);
void Stadion_Renovieren_Klick(Screen_Icon* icon, u32 ereignis);
void Stadion_Umbau_Klick(Screen_Icon* icon, u32 ereignis);
// The confirmation popup: opened with a kind and a text, closed by a click.
void Stadion_Popup(i32 art, const char* text);
void Stadion_Popup_Text(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Stadion_Popup_Klick(Screen_Icon* icon, u32 ereignis);

// The planned values and what carrying them out costs now.
i32 Stadion_Screen_Komfort();
i32 Stadion_Screen_Kapazitaet();
i64 Stadion_Screen_Renovierung_Kosten();
i64 Stadion_Screen_Kapazitaet_Kosten();
