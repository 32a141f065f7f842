// The announcement pages and screens: the page before the menu, the goals,
// statistics and money pages after a match, the results and table screens
// of a matchday with paging, and the winners screen. Pages are composed
// once into a picture and opened onto the screen by the announcement
// module (season/ankuendigung.h); the screens are icons of the menu engine.
//
// What a page shows is gathered first (plain rows, testable alone), then
// drawn.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"
#include "season/ankuendigung.h"

struct Rastport;
struct Spiel;
struct Wettbewerb_Info;

// Rows of the pages and screens.
struct Ank_Tor {
    i32 heim = 0, gast = 0;  // score after the goal
    bool fuer_heim = true;
    std::string name;
    i32 minute = 0;
    bool elfmeterschiessen = false;  // a kick of the penalty shoot-out
    bool eigentor = false;           // the scorer put it into his own net
};
struct Ank_Tabellenzeile {
    i32 team = -1, platz = 0, vorher = -1;  // previous place, -1 none
    i32 punkte = 0, tore = 0, gegentore = 0, spiele = 0;
};
struct Ank_Ergebniszeile {
    i32 team_a = -1, team_b = -1;
    i32 tore_a = -1, tore_b = -1;  // -1: not played
    i32 halb_a = 0, halb_b = 0;
    i32 sieger = -1;
    std::string zusatz;  // "n.V.", "i.E."
};
struct Ank_Finanzen {
    double einnahmen[4] = {};
    double ausgaben[7] = {};
    i32 periode = 0;  // the bank's booking period read, from the current one (0)
    i32 tag = -1;     // the match day, whose month names the books (-1: the period's from today)
};

// Gathering from the season's data.
std::vector<Ank_Tor> Ank_Tore_Sammeln(i32 wettbewerb, i32 spieltag, i32 runde, i32 index);
// The league table up to the last played matchday, or up to and including
// matchday `bis` (0-based) when it is given (empty: none).
std::vector<Ank_Tabellenzeile> Ank_Tabelle_Sammeln(i32 wettbewerb, i32 bis = -1);
// The results of one leg of a matchday.
std::vector<Ank_Ergebniszeile> Ank_Ergebnisse_Sammeln(i32 wettbewerb, i32 spieltag, i32 runde);
// The matchday and leg played last ({0, 0} before the first).
struct Ank_Spieltag {
    i32 spieltag = 0, runde = 0;
};
Ank_Spieltag Ank_Letzter_Spieltag(const Wettbewerb_Info& w);
// The team's bookings of one period, the finance screen's rows: income
// from spectators, advertising, transfers and the rest; expenses for
// wages, staff, stadium building, transfers, stadium running, training,
// and the rest (fees, fines, credits). The period is that of the team's
// match against `gegner` on day `tag`: the month the match line records it
// in, else the day's month; the current one without them. A page shown
// after the bank has begun the next month still shows the match's month.
Ank_Finanzen Ank_Finanzen_Holen(i32 team, i32 gegner = -1, i32 tag = -1);

// Rows per page: all below 10, else the size between `maximum` and 6 that
// leaves the smallest remainder, the larger size winning ties.
i32 Ank_Zeilen_Pro_Seite(i32 zeilen, i32 maximum);

// Drawing into a picture of the page's size (the page backgrounds of the
// archive when loaded, else a plain panel). The caller frees the picture.
Rastport* Ank_Seite_Tore(const Spielankuendigung& a, const std::vector<Ank_Tor>& tore);
Rastport* Ank_Seite_Statistik(const Spielankuendigung& a);
Rastport* Ank_Seite_Geld(const Spielankuendigung& a, const Ank_Finanzen& f);
// Before the menu: the team's fixture today (else team 2 as given).
Rastport* Ank_Seite_Vor_Menue(i32 team1, i32 team2);
bool Ank_Heutiges_Spiel(i32 team, Spiel* aus);
// The screens (800 x 600) at a first row, dated `tag`, the day the page
// was announced (-1: today; a client shows its pages after the server has
// moved on to the next day).
void Ank_Screen_Tabelle_Zeichnen(Rastport* ziel, i32 wettbewerb, const std::vector<Ank_Tabellenzeile>& zeilen,
                                 i32 erste, i32 pro_seite, i32 tag = -1);
void Ank_Screen_Ergebnisse_Zeichnen(Rastport* ziel, i32 wettbewerb, i32 spieltag,
                                    const std::vector<Ank_Ergebniszeile>& zeilen, i32 erste, i32 pro_seite,
                                    i32 tag = -1);

// Calls of the pages upward and sideways (src/main fills them).
struct Ank_Seiten_Hooks {
    bool (*mensch)(i32 team) = [](i32) { return false; };
    void (*hauptmenue)() = [] {};
    // The line-ups picture before a match (the page of kind 1, freed with
    // the page; null: none, the announcement ends at once) and the redraw
    // of its moving parts into it, every frame it is shown.
    Rastport* (*vor_spiel_bild)(const Spielankuendigung& a) = [](const Spielankuendigung&) -> Rastport* {
        return nullptr;
    };
    void (*vor_spiel_zeichnen)(Rastport* seite) = [](Rastport*) {};
    // Lets go of what the picture kept besides the page (with the page).
    void (*vor_spiel_free)() = [] {};
    // The goals page after a match silences the stadium: the live view's
    // crowd set and its general samples are freed (the view loads them
    // again when it next starts).
    void (*stadion_ton_free)() = [] {};
};
void Ank_Seiten_Set_Hooks(const Ank_Seiten_Hooks& h);
// The hooks installed (a human's mark on the pages is `mensch`).
const Ank_Seiten_Hooks& Ank_Seiten_Get_Hooks();

// The announcement module's page hooks, all of them.
Ankuendigung_Hooks Ank_Seiten_Ankuendigung_Hooks();
// Screen icons.
constexpr i32 ICON_ANK_RAHMEN = 1705, ICON_ANK_HOCH = 1706, ICON_ANK_RUNTER = 1707, ICON_ANK_ZU = 1708;
constexpr i32 ICON_ANK_SIEGER = 1709, ICON_ANK_SIEGER_ZU = 1710;
bool Ank_Screen_Oeffnen(int modus, const Spielankuendigung& a);
bool Ank_Screen_Offen();
void Ank_Screen_Blaettern(i32 richtung);  // -1 up, +1 down
void Ank_Seiten_Free();
