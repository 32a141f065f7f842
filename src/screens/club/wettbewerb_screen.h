// The competition screen: one competition held this year at a time, picked
// from a list with arrows and the cup strip, its matchday and its parallel
// group; the table view shows the league table after the chosen matchday
// (all, home or away games, qualification colours, previous place, form
// arrow) or, for a knock-out round, the clubs of the ties and who went
// through. Opened from the main menu (dialog button 703, entry 0) and from
// the match control bar's table button as Screen_Id::WETTBEWERB_TABELLE.
//
// Every choice lives in the active manager's record by icon number: word
// 802 the list index (-1 not chosen yet), 834 the overall matchday
// (1-based, 0 before the first), 835 the group index; button states 803
// (filter 0..2) and 804 (projection 0..1).
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;
struct Tabelle;

enum : i16 {
    ICON_WB_HINTERGRUND = 802,  // background panel, headings, cup strip
    ICON_WB_FILTER = 803,       // table filter: all, home, away
    ICON_WB_PROGNOSE = 804,     // projection: unplayed games with computed results
    ICON_WB_WETTBEWERB_ZURUECK = 807,
    ICON_WB_WETTBEWERB_VOR = 808,
    ICON_WB_SPIELTAG_ZURUECK = 809,
    ICON_WB_SPIELTAG_VOR = 810,
    ICON_WB_GRUPPE_ZURUECK = 811,
    ICON_WB_GRUPPE_VOR = 812,
    ICON_WB_KNOPF = 813,  // scroll knob
    ICON_WB_SPUR = 814,   // scroll track
    ICON_WB_ZEILE_0 = 815,  // table rows 815..832: the table view's frame icon
    ICON_WB_SPIELTAG = 834,
    ICON_WB_GRUPPE = 835,
    ICON_WB_ERGEBNIS_ZEILE_0 = 837,  // the results view's first row
    ICON_WB_UEBERSICHT_ZEILE_0 = 849,
};

constexpr i32 WB_LISTE_MAX = 128;
constexpr i32 WB_TABELLE_ZEILEN = 18;
constexpr i32 WB_ZEILE_H = 17;

Screen_Def Wettbewerb_Tabelle_Screen_Def();

// The competitions held this year into the array (room for 128), or into
// the screen's own list when none is given; with the check flag a manager
// who has not chosen yet (word 802 = -1) gets his team's league, or index 0
// when it is not held ("Manager: Wettbew. nicht gef.!" in the debug log).
i32 Manager_Wettbewerbsliste_Bauen(i32* liste, bool pruefen);
// The screen's list (valid after a build) and its count.
const i32* Tabelle_Wettbewerbsliste(i32* anzahl);

void Tabelle_Screen_Tabelle_Init();
// Rebuilds the screen's data whether or not it is shown (the ranking calls
// it after a matchday): the list, the matchday set to the current one + 1.
void Tabelle_Screen_Aktualisieren();
// The common rebuild; the new scroll position.
i32 Tabelle_Screen_Aufbauen();
// 0 table (row 815 on the screen), 1 results (837), 2 team overview.
i32 Tabelle_Screen_Get_Ansicht();
// The selection: the round of the chosen competition that holds matchday
// word 834 - 1, a copy of its summary's fields that matter here, word 834
// and the group (0 when the round has one group). Nothing without `runde`.
struct Wb_Auswahl_Info {
    u32 modus = 0;
    i32 teams = 0, spieltage = 0, aktueller_spieltag = 0, land = -1;
};
void Tabelle_Screen_Get_Auswahl(i32* runde, Wb_Auswahl_Info* info, i32* spieltag, i32* gruppe);

// Competition structure (rounds from the first round, groups of a round).
i32 Wettbewerb_Runden_Liste(i32 wettbewerb, i32* ids);   // ids: room for 129, ended by -1; may be null
i32 Wettbewerb_Gruppen_Liste(i32 wettbewerb, i32* ids);  // the same for the parallel groups
i32 Wettbewerb_Spieltage_Gesamt(i32 wettbewerb);
i32 Wettbewerb_Aktueller_Spieltag_Gesamt(i32 wettbewerb);
i32 Wettbewerb_Runde_Zu_Spieltag(i32 wettbewerb, i32 spieltag_gesamt);
void Wettbewerb_Spieltag_In_Runde(i32* wettbewerb, i32* spieltag);
void Wettbewerb_Gruppe_Waehlen(i32* gruppe, i32 n);

// The icons' procedures.
// An arrow's click: the arrow's own procedure below (one per arrow).
void Tabelle_Screen_Pfeil_Klick(Screen_Icon* icon, u32 ereignis);
void Tabelle_Screen_Wettbewerb_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
void Tabelle_Screen_Wettbewerb_Vor_Klick(Screen_Icon* icon, u32 ereignis);
void Tabelle_Screen_Spieltag_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
void Tabelle_Screen_Spieltag_Vor_Klick(Screen_Icon* icon, u32 ereignis);
void Tabelle_Screen_Gruppe_Zurueck_Klick(Screen_Icon* icon, u32 ereignis);
void Tabelle_Screen_Gruppe_Vor_Klick(Screen_Icon* icon, u32 ereignis);
void Tabelle_Screen_Pokal_Klick(Screen_Icon* icon, u32 ereignis);
void Tabelle_Screen_Schalter_Klick(Screen_Icon* icon, u32 ereignis);
void Tabelle_Screen_Kopf(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Tabelle_Screen_Spieltag_Text(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Tabelle_Screen_Gruppe_Text(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Tabelle_Screen_Tabellenzeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Tabelle_Screen_Scroll(Screen_Icon* knopf, i32 index, u32 ereignis);

// What the table view shows (tests): the table record, the scroll position,
// the form class (0 best .. 4) of a form value after a matchday.
const Tabelle& Tabelle_Screen_Tabelle();
i32 Tabelle_Screen_Scrollposition();
i32 Tabelle_Screen_Form_Klasse(i32 form, i32 spieltag);
