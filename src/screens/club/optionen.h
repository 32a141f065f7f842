// The options screen: the game's options as a scrolling list of 18 rows
// (headings, blank lines, options); a left click on an option row changes it.
// Opened from the main menu (dialog button 705, entry 2) as Screen_Id::OPTIONEN.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_OPTIONEN_BALKEN = 1744,     // scroll bar
    ICON_OPTIONEN_KNOPF = 1745,      // scroll button (its place is the manager's remembered state)
    ICON_OPTIONEN_LISTE = 1746,      // list frame: the screen's frame icon
    ICON_OPTIONEN_SCHLIESSEN = 1747, // close; also the right-click icon
    ICON_OPTIONEN_SCHLEIER = 1748,   // the whole screen behind the list
};

constexpr i32 OPTIONEN_ZEILEN = 19;
constexpr i32 OPTIONEN_SICHTBAR = 10;
constexpr i32 OPTIONEN_ZEILE_H = 27;

// The screen's record for the registry.
Screen_Def Optionen_Screen_Def();

// Open procedure: adds the table, the close button as right-click icon, the
// scroll bar and the texts; nothing when the list is on the screen already.
void Optionen_Screen_Init();
// Shows the scroll bar when there is something to scroll.
void Optionen_Scrollbar_Zeigen();
// Resolves the row texts, the close button's caption and help text.
void Optionen_Texte_Setzen();
// The icons' procedures.
void Optionen_Scroll(Screen_Icon* knopf, i32 index, u32 ereignis);
void Optionen_Klick(Screen_Icon* icon, u32 ereignis);
void Optionen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Optionen_Schliessen_Klick(Screen_Icon* icon, u32 ereignis);

// The first row shown (0..8).
i32 Optionen_Erste_Zeile();
// The table row (0..17) a mouse point on the list hits, or -1 (outside the
// list, a heading or a blank line).
i32 Optionen_Zeile_Bei(i32 x, i32 y);
