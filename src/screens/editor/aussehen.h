// The data editor's look page: a player's face put together from its look
// value (style and five part fields). Each field steps back and on with its
// arrows or is picked from a grid of faces (four rows of seven, scrolled);
// the style field switches between the two styles; reset gives look 0. The
// look is written to the player while the page is up; leaving it sets his
// hair and skin colours from the look.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_AUSSEHEN_RAHMEN = 3796,
    ICON_AUSSEHEN_FELD = 3797,  // 3797..3802: the field name buttons (fields 0..5)
    ICON_AUSSEHEN_RASTER = 3804,
    ICON_AUSSEHEN_FERTIG = 3805,
    ICON_AUSSEHEN_RESET = 3806,
    ICON_AUSSEHEN_HINTERGRUND = 3808,
    ICON_AUSSEHEN_ZURUECK = 3809,  // 3809..3814
    ICON_AUSSEHEN_VOR = 3815,      // 3815..3820
    ICON_AUSSEHEN_GITTER = 3821,   // 3821..3826: open the grid of a field
    ICON_AUSSEHEN_BALKEN = 3827,
    ICON_AUSSEHEN_KNOPF = 3828,
};
constexpr i32 AUSSEHEN_FELDER = 6;
constexpr i32 AUSSEHEN_SPALTEN = 7, AUSSEHEN_RASTER_ZEILEN = 4;

Screen_Def Editor_Aussehen_Screen_Def();
// Opens the page for the player (nothing while it is up).
void Editor_Aussehen_Init(i32 spieler);
void Editor_Aussehen_Schliessen();
bool Editor_Aussehen_Offen();

// The look value's fields: 0 the style, 1..5 the parts.
u32 Aussehen_Feld(u32 aussehen, i32 feld);
u32 Aussehen_Feld_Setzen(u32 aussehen, i32 feld, u32 wert);
// The number of parts of a field for the look's style (the style field: 2).
i32 Aussehen_Teile(u32 aussehen, i32 feld);
// A field stepped one back or on, round within its parts.
u32 Aussehen_Schritt(u32 aussehen, i32 feld, bool vor);
// The style switched as the page does: from the starting look to the other
// style with every part 0, and back to the starting look.
u32 Aussehen_Art_Wechseln(u32 aktuell, u32 start);

// The page's state (tests).
struct Aussehen_Zustand {
    i32 spieler = -1;
    u32 arbeit = 0, start = 0, raster_start = 0;
    i32 feld = -1;         // the selected field
    i32 raster_feld = -1;  // the field whose grid is open, -1 none
    i32 erste_zeile = 0;
    bool neu_zeichnen = true;
};
const Aussehen_Zustand& Editor_Aussehen_Zustand();
// Picks part `teil` in the open grid as a click on its cell does.
bool Editor_Aussehen_Raster_Waehlen(i32 teil);

void Editor_Aussehen_Feld_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Aussehen_Rahmen_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Aussehen_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Aussehen_Vor_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Aussehen_Raster_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Aussehen_Raster_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Aussehen_Scroll(Screen_Icon* knopf, i32 index, u32 ereignis);
void Editor_Aussehen_Zuruecksetzen(Screen_Icon* icon, u32 ereignis);
void Editor_Aussehen_Fertig_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Aussehen_Feld_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Aussehen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Aussehen_Hintergrund(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
