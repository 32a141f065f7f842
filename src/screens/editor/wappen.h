// The data editor's crest and kits page for one club: its texts (name,
// short name, stadium name, stadium size, city; the country shown only),
// its crest (1..1000) and its three kits (first, second, goalkeeper; 0..79,
// no kit twice). Four tabs show crest and kits, each with arrows, an undo
// and a grid to pick from; "undo all" brings back the values of the
// moment the page was opened.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_WAPPEN_RAHMEN = 3830,
    ICON_WAPPEN_HINTERGRUND = 3831,
    ICON_WAPPEN_FERTIG = 3832,
    ICON_WAPPEN_ALLES_ZURUECK = 3833,
    ICON_WAPPEN_ZURUECK = 3835,   // crest; kits 3842, 3846, 3850
    ICON_WAPPEN_VOR = 3836,       // crest; kits 3843, 3847, 3851
    ICON_WAPPEN_RASTER_AUF = 3837,  // crest; kits 3844, 3848, 3852
    ICON_WAPPEN_UNDO = 3838,      // crest; kits 3845, 3849, 3853
    ICON_WAPPEN_RASTER = 3839,
    ICON_WAPPEN_BALKEN = 3840,
    ICON_WAPPEN_KNOPF = 3841,
    ICON_WAPPEN_FELD = 3854,  // 3854..3859: name, short name, stadium, size, city, country
};
constexpr i32 WAPPEN_MIN = 1, WAPPEN_MAX = 1000;
constexpr i32 WAPPEN_TABS = 4;  // crest, first, second and goalkeeper kit
constexpr i32 WAPPEN_FELDER = 6;
// The text fields: the club text mode each edits (4: the stadium size).
inline constexpr i32 WAPPEN_FELD_MODUS[WAPPEN_FELDER] = {721, 706, 702, 4, 703, 6};

Screen_Def Editor_Wappen_Screen_Def();
// Opens the page for the club (nothing while the look page is up).
void Editor_Wappen_Init(i32 team);
void Editor_Wappen_Schliessen();
bool Editor_Wappen_Offen();

struct Wappen_Zustand {
    i32 team = -1;
    i32 start[WAPPEN_TABS] = {};  // crest and kits at opening
    i32 tab = -1;                 // current tab, -1 none
    i32 feld = -1;                // the text field edited (0..4), -1 none
    char puffer[64] = {};
    i32 erste_zeile = 0;
    bool raster = false;
    bool neu_zeichnen = true;
};
const Wappen_Zustand& Editor_Wappen_Zustand();
// One step of a tab's arrows (kits skip the other slots' kits).
void Editor_Wappen_Schritt(i32 tab, bool vor);
// The next crest number stepping back or on (1..1000, round).
i32 Wappen_Nummer_Schritt(i32 nummer, bool vor);
// Whether kit k may be a club's kit in slot `slot`.
bool Wappen_Trikot_Erlaubt(i32 team, i32 slot, i32 trikot);
// Picks the grid's entry (crest number or kit) as a click on its cell does.
bool Editor_Wappen_Raster_Waehlen(i32 wert);
void Editor_Wappen_Raster_Oeffnen(i32 tab);
void Editor_Wappen_Tab_Zuruecksetzen(i32 tab);
void Editor_Wappen_Alles_Zuruecksetzen();
// Text fields: begin editing field k (0..4); take the buffer over (false
// with the reason shown when refused); move along the Tab order.
void Editor_Wappen_Feld_Beginnen(i32 feld);
bool Editor_Wappen_Feld_Speichern();
void Editor_Wappen_Naechstes_Feld(bool rueckwaerts);
void Editor_Wappen_Eingabe_Beenden();
// The tab captions as drawn (crest, "Trikot 1", "Trikot 2", the goalkeeper's).
const char* Editor_Wappen_Tab_Text(i32 tab);

void Editor_Wappen_Feld_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Wappen_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Wappen_Vor_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Wappen_Zurueck_Setzen_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Wappen_Alles_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Wappen_Schliessen_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Wappen_Raster_Oeffnen_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Wappen_Raster_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Wappen_Scroll(Screen_Icon* knopf, i32 index, u32 ereignis);
void Editor_Wappen_Raster_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Wappen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Wappen_Felder_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Wappen_Hintergrund(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
