// Questions the screens and the matchday ask of the competitions: which are
// held this year, which round holds a matchday, names and captions, pairs,
// where a team stands and what it may still reach, how much a game means to
// it, one value of a table, the tables of today's games, and the switches
// the competitions of one chain share. None of them changes the game state
// except the switches and the index shift of the configuration editor.
#pragma once

#include <string>

#include "base/types.h"

struct Tabelle;

// --- held competitions ------------------------------------------------------------
// A held competition is due this year and has matchdays. The walk goes in
// table order; with an id it continues after that record (-1 at the end).
i32 Wettbewerb_Get_Erster_Aktiver();
i32 Wettbewerb_Get_Naechster_Aktiver(i32 id);
// The held competitions that end their chain (the last round, or a base
// league whose next round is no base league) of a country (-1 any), only
// base leagues with the flag. With an array (room for 128) their base ids
// are written, each once, and counted; without it they are only counted.
i32 Wettbewerb_Get_Aktive(i32 land, i32* ids, bool nur_basisligen);

// --- chains and matchdays -----------------------------------------------------------
// The round of the chain (walked from the root along groups and rounds) that
// holds a chain matchday (-1: the first round whose current matchday is not
// finished); the matchday within that round goes to the out value (held
// below the round's SPIELTAGE). -1 for an unknown id.
i32 Wettbewerb_Get_Runde_Von_Spieltag(i32 id, i32 ketten_spieltag, i32* spieltag_in_runde);
bool Wettbewerb_Ist_Englische_Tabelle(i32 id);
// Games of a matchday (-1 the current one); -1 for an unknown id or a
// matchday below -1.
i32 Wettbewerb_Get_Anz_Spiele(i32 id, i32 spieltag);
// The configuration editor inserted (true) or deleted a record at `index`:
// every link, root index and qualification target at or above it moves by
// one, in the records in use up to the first free one.
void Wettbewerb_Indizes_Verschieben(i32 index, bool einfuegen);

// --- league values -------------------------------------------------------------------
// (100 - share) x value / 100 + league percentage x (value x share / 100) / 100.
i32 Wettbewerb_Get_Liga_Wert(i32 team, i32 wert, i32 anteil);
// (70 x league percentage + 30 x WICHTIG of the team's league) / 100, at
// most 100.
i32 Wettbewerb_Get_Liga_Bedeutung(i32 team);
// 100 - place x 100 / TEAMS of the team's base league (0..100); the 0-based
// place to the out value (may be null). 80 when the team has no place.
i32 Wettbewerb_Get_Platz_Prozent(i32 team, i32* platz);
// Per team the worst and best place it can still reach with the matchdays
// left and its current place (each out array may be null; -1 for a team
// without a row). Returns the table's rows; -1 when none of the teams has a
// row.
i32 Wettbewerb_Platz_Spanne(i32 id, i32 anzahl, const i32* teams, i32* schlechtester, i32* bester, i32* aktuell);
// How much the game means to each of up to two teams (0..100; 80 when the
// table says nothing): the places still within reach and what they qualify
// for. False for a knock-out competition or bad arguments.
bool Wettbewerb_Get_Spiel_Bedeutung(i32 id, const i32* teams, i32* werte, i32 anzahl);
// With a base league: s = TEAMS x 5 held to 1..100 (its complement 100 - s
// when the flag is clear), value x s / 100; the value unchanged without.
i32 Wettbewerb_Get_Liga_Groesse_Anteil(i32 team, i32 wert, bool flag);

// --- tables ---------------------------------------------------------------------------
// Kinds of Wettbewerb_Tabelle_Wert.
constexpr i32 TABELLE_WERT_SPIELE = 0, TABELLE_WERT_PUNKTE = 1, TABELLE_WERT_SIEGE = 2, TABELLE_WERT_REMIS = 3,
              TABELLE_WERT_NIEDERLAGEN = 4, TABELLE_WERT_TORE = 5, TABELLE_WERT_GEGENTORE = 6,
              TABELLE_WERT_PLATZ = 7;
// One value of a team's row in the competition's table over the matchdays
// (-1 open), options (-1 all; 8 only home games, 16 only away games pick
// that variant) and forecast flag: games, points, goals, goals against, the
// wins, draws and defeats, or (other kinds) the 0-based place. -1 for a
// knock-out or unscheduled competition or a team without a row.
i32 Wettbewerb_Tabelle_Wert(i32 id, i32 team, i32 erster, i32 letzter, i32 optionen, bool prognose, i32 art);
// Today's opponent of each row's team (-1 none), whether it plays away, and
// the competition of that game.
struct Wettbewerb_Tabelle_Heute {
    i32 gegner[128];
    u8 auswaerts[128];
    i32 wettbewerb[128];
};
// The table of a game's competition up to a live minute (-1 none); false
// for a bad handle or a competition without a plan.
bool Wettbewerb_Tabelle_Fuer_Spiel(i32 handle, Tabelle* t, i32 erster, i32 letzter, i32 optionen, i32 live_minute);
// The competition's table and, when asked, today's opponents of its rows.
bool Wettbewerb_Tabelle_Fuellen(i32 id, Tabelle* t, i32 erster, i32 letzter, i32 optionen,
                                Wettbewerb_Tabelle_Heute* heute);
// 1-based place of a team in the competition's all-time table; -1.
i32 Wettbewerb_Get_Tabellenplatz_Gesamt(i32 id, i32 team);

// --- games of a team ------------------------------------------------------------------
// The lock handle of the team's game on a matchday and leg (-1 current);
// the caller unlocks it. -1 when the team has none.
i32 Wettbewerb_Get_Spiel_Von_Team(i32 id, i32 team, i32 spieltag, i32 runde);
// The game's competition plays today and the team has a game in it today.
bool Wettbewerb_Spiel_Team_Pruefen(i32 handle, i32 team);
// The decision of the tie in which the team plays (Wettbewerb_KO_Sieger);
// -1 when the team has no game then.
i32 Wettbewerb_Get_Runden_Sieger_Von_Team(i32 id, i32 team, i32 spieltag, i32 runde);
// The team numbers of each pair of leg 0 of a matchday (-1 current; a
// matchday without games gives the one before), two values a pair, into
// `aus` (room for 512, may be null); the number of values.
i32 Wettbewerb_Get_Paarungen(i32 id, i32 spieltag, i32* aus);
// Without the root flag: the team has a pair in the current or the next
// matchday (a knock-out competition: the current one) of any group of the
// round that holds the competition's current chain matchday. With it: the
// team is in the entered list of the chain's root (its current teams once
// it has started: the entered list is emptied then). The percentage (may be
// null) is the matchdays with the team x 100 / the matchdays looked at.
bool Wettbewerb_Team_Spielt_In(i32 id, i32 team, bool wurzel, i32* prozent);
// Whether the team has reached a round that is not behind it, walking the
// chain from the root (up to a base league unless all rounds are asked):
// the matchdays reached to `anzahl`, the chain's matchdays to `summe` and,
// when reached, anzahl x 100 / summe to `prozent` (each may be null).
bool Wettbewerb_Team_Fortschritt(i32 id, i32 team, i32* prozent, i32* anzahl, i32* summe, bool alle_runden);
// Sum of WICHTIG / 2 over the important competitions (WICHTIG 30 and more)
// the team plays in, each round counted once, at most 100; their number and
// the sum of percentage x WICHTIG / 100 to the outs (may be null).
i32 Wettbewerb_Get_Team_Wichtigkeit(i32 team, bool alle_runden, i32* anzahl, i32* praemien_anteil);

// --- names and pictures ------------------------------------------------------------------
// The display name; with the flag and a group name, " - " and the group
// name follow. Empty for an unknown id.
std::string Wettbewerb_Get_Name(i32 id, bool mit_gruppe);
std::string Wettbewerb_Get_Zweitname(i32 id);  // the group name
std::string Wettbewerb_Get_Drittname(i32 id);  // the identification text
// The caption of a matchday (-1 current) and leg: its round text symbol
// ("*33".."*48"), else "<n>. Spieltag". The group form gives the group name
// instead of the number when the round has no text.
std::string Wettbewerb_Get_Runden_Name(i32 id, i32 spieltag, i32 runde);
std::string Wettbewerb_Get_Runden_Name_Gruppe(i32 id, i32 spieltag, i32 runde);
// GRAFIK_NUMMER and KALENDER_POSITION (may be null); -1.
i32 Wettbewerb_Get_Grafik_Nummer(i32 id, i32* kalender_position);

// --- teams -----------------------------------------------------------------------------------
// The current teams of a competition (at most 128) into `aus` (may be null);
// their count, 0 for an unknown id.
i32 Wettbewerb_Get_Teams(i32 id, i32* aus);
// The distinct teams of every competition of the league system (the same
// hierarchy root) into `aus` (room for 128 x 128, may be null); their count.
i32 Wettbewerb_Get_Teams_Ligasystem(i32 id, i32* aus);

// --- switches -----------------------------------------------------------------------------------
// Five switches shared by the competitions of one root: kinds 1..3 a byte
// each, 4 and 5 a bit of the fourth byte.
constexpr i32 SCHALTER_SETZEN = 8, SCHALTER_LOESCHEN = 4, SCHALTER_UMSCHALTEN = 2;
u8 Wettbewerb_Get_Schalter(i32 id, i32 art);
// Sets (8), clears (4) or toggles (2) the switch in every record of the
// same root; other operations and kinds do nothing.
void Wettbewerb_Set_Schalter(i32 id, i32 art, i32 operation);
// Kind 5 with the operation in every competition in use.
void Wettbewerb_Schalter_Alle(i32 unbenutzt, i32 operation);
// Sets kind 5 of every competition the team plays in.
void Wettbewerb_Schalter_Team(i32 team);
