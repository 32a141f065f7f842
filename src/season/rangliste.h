// The ranking of the league clubs: every match adds points that depend on
// the club's own strength and its opponent's (a win both, a draw its own and
// half the opponent's, a defeat its own), and the clubs are ranked by all
// points gathered and by the points of their last ten matches (form). Built
// at a new game, updated after every match, sorted once a day, saved in
// block 15. A game loaded from a save without ranking builds it at its next
// match or sort.
#pragma once

#include <tuple>
#include <vector>

#include "base/bytes.h"
#include "base/feld_grenze.h"
#include "base/ruf.h"
#include "base/types.h"

struct Datei_Status;
struct Spiel;

constexpr int RANGLISTE_HISTORIE = 10;

// A ranked club (136 bytes): histories newest first.
struct Rangliste_Eintrag {
    i32 wert;   // total points at the last sort
    i32 summe;  // points gathered since the ranking was built
    i32 form;   // points of the last ten matches at the last sort
    i32 team;
    i32 form_platz;                  // 0 = best
    i32 platz;                       // by total points, 0 = best
    i32 gegner[RANGLISTE_HISTORIE];  // -1 none
    u8 ort[RANGLISTE_HISTORIE];      // 0 home, 1 away
    u8 tore[RANGLISTE_HISTORIE];
    u8 gegentore[RANGLISTE_HISTORIE];
    u8 frei[2];
    i32 punkte[RANGLISTE_HISTORIE];
};
template <class V, bytes::Art<Rangliste_Eintrag> S>
constexpr void felder(V& v, S& r) {
    v(r.wert), v(r.summe), v(r.form), v(r.team), v(r.form_platz), v(r.platz);
    v(r.gegner), v(r.ort), v(r.tore), v(r.gegentore), v(r.frei), v(r.punkte);
}
static_assert(bytes::groesse<Rangliste_Eintrag>() == 136, "a ranking record is 136 bytes");

// The points of one match: the club's strength (its eleven starters, 12 at
// most each) and its opponent's; a club's total is held at
// RANGLISTE_SUMME_MAX (some 3,700 seasons of wins against the strongest).
constexpr i32 RANGLISTE_STAERKE_MAX = 11 * 12;
constexpr i32 RANGLISTE_PUNKTE_MAX = 2 * RANGLISTE_STAERKE_MAX;
constexpr i32 RANGLISTE_FORM_MAX = RANGLISTE_HISTORIE * RANGLISTE_PUNKTE_MAX;
constexpr i32 RANGLISTE_SUMME_MAX = 1000000000;
// The range of every number of a ranked club that a save brings back; the
// team, the two places and the opponents lie within the saved world and
// ranking (-1 no opponent), which the reader checks beside this table.
#define RL_FELD(feld, unten, oben) FELD_GRENZE(Rangliste_Eintrag, feld, unten, oben)
#define RL_HISTORIE(k) RL_FELD(ort[k], 0, 1), RL_FELD(punkte[k], 0, RANGLISTE_PUNKTE_MAX)
inline constexpr Feld_Grenze<Rangliste_Eintrag> RANGLISTE_FELDER[] = {
    RL_FELD(wert, 0, RANGLISTE_SUMME_MAX),
    RL_FELD(summe, 0, RANGLISTE_SUMME_MAX),
    RL_FELD(form, 0, RANGLISTE_FORM_MAX),
    RL_HISTORIE(0), RL_HISTORIE(1), RL_HISTORIE(2), RL_HISTORIE(3), RL_HISTORIE(4),
    RL_HISTORIE(5), RL_HISTORIE(6), RL_HISTORIE(7), RL_HISTORIE(8), RL_HISTORIE(9),
};
#undef RL_HISTORIE
#undef RL_FELD
static_assert(std::size(RANGLISTE_FELDER) == 3 + 2 * RANGLISTE_HISTORIE, "a range for every number");

// Builds the ranking afresh: a record for every club that counts in the
// rankings and plays in a league. Init builds it only when there is none.
void Rangliste_Aufbauen();
void Rangliste_Init_Falls_Noetig();
void Rangliste_Free();
bool Rangliste_Bereit();
int Rangliste_Anzahl();

// The points of a finished fixture for one of its teams (nothing for a team
// without record or a fixture without result).
void Rangliste_Nach_Spiel(i32 team, const Spiel& spiel);
// The daily sort (only after a change): values, forms and both places.
void Rangliste_Sortieren();

// Fills the lists at (place - erster) for the records whose place lies in
// [erster, erster + anzahl): order 1 by total place with the value, order 2
// by form place with the form, another order by form place with the value.
// True when any record was in the range.
bool Rangliste_Get_Bereich(i32 erster, i32 anzahl, i32* teams, i32* werte, int ordnung);
// The team's record; false (and the output zeroed) without one.
bool Rangliste_Get_Eintrag(i32 team, Rangliste_Eintrag* aus);

// Save block 15: count, needs-sort flag, then one record per team. An empty
// block (a save without ranking) leaves the ranking to be built; a block
// whose records contradict themselves is refused and the running ranking
// kept.
bool Rangliste_Save(Datei_Status* datei);
bool Rangliste_Lesen(Datei_Status* datei);
void Rangliste_Uebernehmen();
void Rangliste_Verwerfen();

// Remote call 1020: the server answers the asking team with the ranking
// (its count and every team's record), another team with nothing. A client
// fetches it once after each reset; a wrong answer changes nothing.
inline constexpr ruf::Ruf<std::tuple<i32, std::vector<Rangliste_Eintrag>>, i32> RUF_RANGLISTE{1020, "Rangliste"};
bool Rangliste_Internet_Client_Get();
void Rangliste_Internet_Client_Reset();

// Registers save block 15 and the server row of call 1020 (src/main).
void Rangliste_Anmelden();
