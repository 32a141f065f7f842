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
    ICON_WB_EIGENE = 836,            // results: the own club's games of the whole competition
    ICON_WB_ERGEBNIS_ZEILE_0 = 837,  // the results view's rows 837..845: its frame icon
    ICON_WB_AUSWAHL_A = 846,         // overview: player selection A (stays 0, always hidden)
    ICON_WB_AUSWAHL_B = 847,         // overview: player selection B (all players, starters)
    ICON_WB_UEBERSICHT_ZEILE_0 = 849,  // the team overview's rows 849..866: its frame icon
};

constexpr i32 WB_ERGEBNIS_ZEILEN = 9, WB_ERGEBNIS_ZEILE_H = 34;
constexpr i32 WB_ERGEBNISSE_MAX = 131;  // result rows held
constexpr i32 WB_TEAM_SPIELE_MAX = 256;
constexpr i32 WB_UEBERSICHT_ZEILEN = 18, WB_UEBERSICHT_MAX = 128;

constexpr i32 WB_LISTE_MAX = 128;
constexpr i32 WB_TABELLE_ZEILEN = 18;
constexpr i32 WB_ZEILE_H = 17;

Screen_Def Wettbewerb_Tabelle_Screen_Def();
// The results and fixtures view (dialog button 703, entry 1; the match
// control bar's results button) and the team overview (703, entry 2).
Screen_Def Wettbewerb_Ergebnisse_Screen_Def();
Screen_Def Wettbewerb_Uebersicht_Screen_Def();
void Tabelle_Screen_Ergebnisse_Init();
void Tabelle_Screen_Uebersicht_Init();
// The two views' row tables.
const Screen_Icon* Wb_Ergebnis_Zeilen();
const Screen_Icon* Wb_Uebersicht_Zeilen();

// One listed game of the results view; -1 for a missing club, a leg not
// played or not there.
struct Tabelle_Ergebnis_Zeile {
    i32 heim = -1, gast = -1, heim_platz = 0, gast_platz = 0;
    i32 tore[2][2] = {{-1, -1}, {-1, -1}};  // [leg][home, away]
    i32 tag = -1;                           // the first leg's day index
    char text[2][10] = {};                  // each leg's result suffix (at most 9 characters)
};
// One entry of the own club's games: group, matchday index, leg, game index.
struct Tabelle_Team_Spiel {
    i32 gruppe, spieltag, runde, index;
};
// The club's games in every round and group of the competition (at most
// `max`); games with a club number 0 or below are never listed.
i32 Tabelle_Team_Spiele_Sammeln(i32 wettbewerb, i32 team, Tabelle_Team_Spiel* liste, i32 max);
// One row of the team overview.
struct Tabelle_Uebersicht_Zeile {
    i32 team = -1, staerke = 0, spieler = 0;
    i64 wert = 0;
    i32 attribute = 0;
};
// What the two views list (tests).
const Tabelle_Ergebnis_Zeile* Tabelle_Screen_Ergebnisse(i32* anzahl);
const Tabelle_Uebersicht_Zeile* Tabelle_Screen_Uebersicht(i32* anzahl);
void Tabelle_Screen_Ergebniszeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Tabelle_Screen_Uebersichtzeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);

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
// A network client's news pass: with one of the screen's views up, the
// server's competition state is taken anew and the view rebuilt when it
// changed (a table on the latest matchday goes on to the new one); nothing
// otherwise, and nothing is asked of the server while no view is up.
void Tabelle_Screen_Stand_Folgen();
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
