// Line-ups, formations, tactics and the marking assistant.
#pragma once

#include <vector>

#include "base/types.h"
#include "world/welt.h"

// The built-in formation n (0..15): the cells of the 11 starters, the
// goalkeeper first. Lines by row: 0 goalkeeper, 1..3 defence, 4..7 midfield,
// 8..10 attack; columns 0..6.
Formation Formation_Standard(int n);
// Line of a formation row: 0 goalkeeper, 1 defence, 2 midfield, 3 attack.
int Aufstellung_Linie(int zeile);

// Builds the team's line-up: the best available goalkeeper in goal, the
// formation's cells filled by position class and strength (92) less the
// out-of-position deduction, six substitutes (a goalkeeper among them when
// one is left), the rest reserves; a place up front takes a defender or a
// goalkeeper only when no fresh (exhaustion up to 4) midfielder or forward
// can play. Sets slots (87), cells (82/83), the starter/substitute bits and
// the roles.
void Aufstellung_Automatisch(int team);
// Roles are held by starters who can play: a holder on the bench, in the
// reserve or out loses his. Then hands out the roles nobody of the eleven
// holds: penalty taker (the strongest field player, the forward line
// first), free-kick and corner takers (the strongest field players,
// midfielders first, two different ones when the eleven has them); the
// captain (the most experienced of the eleven). Roles a starter holds stay.
void Aufstellung_Rollen_Vergeben(int team);
// Checks and repairs a team's line-up before a match, roles included.
void Check_Und_Set_Aa(int team);
// Every managed club's line-up checked as before a match. The machine that
// holds the game runs it as each day begins, after the day's changes to the
// players: a holder who was injured or banned has handed his role to a
// starter before a client takes its squad, so the check its squad screen
// runs there finds nothing to hand over and both ends keep the same roles.
void Aufstellung_Verwaltete_Pruefen();
// A line-up as the team's records hold it, player by player in squad
// order: slot, cell and the starter, substitute and role bits.
struct Aufstellung_Stand {
    struct Platz {
        i32 spieler;
        u8 slot, spalte, zeile;
        u32 bits;
        bool operator==(const Platz&) const = default;
    };
    std::vector<Platz> plaetze;
    bool operator==(const Aufstellung_Stand&) const = default;
};
Aufstellung_Stand Aufstellung_Lesen(int team);
// Writes a line-up read before back into the records of those of its
// players who are still the team's.
void Aufstellung_Schreiben(int team, const Aufstellung_Stand& stand);
// True when the team's slots can be a line-up: each below
// MAX_SPIELER_PRO_TEAM and no two players in one.
bool Aufstellung_Plaetze_Gueltig(int team);
// The machine that holds the game takes a line-up a client sent with its
// records: slots that cannot be a line-up leave the line-up as it was
// (`vorher`, when that was one), a second captain is no captain; then the line-up is checked as
// before a match (Check_Und_Set_Aa), so the roles pass to starters by the
// same rule as at the client. False when the client's line-up was refused.
bool Aufstellung_Von_Client_Nehmen(int team, const Aufstellung_Stand& vorher);
// After the manager changed the line-up: the roles follow it
// (Aufstellung_Rollen_Vergeben). On a network client the club's and its
// players' records go to the server (Aufstellung_Internet_Client_Senden),
// which checks the line-up and hands the roles over by the same rule, and
// the client takes the squad as the server holds it; without an answer the
// line-up stays as it is here and goes with the turn's end. False when the
// server did not answer.
bool Aufstellung_Gesetzt(int team);
// True when the team's line-up is left to the assistant (automatic).
bool Team_Aufstellung_Automatisch(int team);
void Team_Aufstellung_Manuell(int team);
void Team_Positionen_Aus_Formation(int team);
void Bexot_Spieler_Formation_Zuruecksetzen(int team);
// Starters per line: out[0] attack, [1] midfield, [2] defence, [3] goalkeeper.
void Aufstellung_Linien_Zaehlen(int team, int out[4]);
// Out-of-position deduction in half stars: a goalkeeper in goal 0, anyone
// else in goal or a goalkeeper in the field 6; a field player 2 per line away.
int Aufstellung_Abzug(int klasse, int zeile);
// The marking assistant (mode 99 of the opponent's players: the marker).
void Assi_Mannschaftsaufstellung(int team, int gegner, int prozent);

// Tactic bytes, each cut to its TAKTIK_GRENZE.
void Team_Get_Aktuelle_Taktik(int team, u8 taktik[7]);
bool Team_Set_Aktuelle_Taktik(int team, const u8 taktik[7]);

constexpr u32 TEAM_STAERKE_STARTELF = 16;

// Players of a team by filter: 0 all, 16 starters, 48 starters and
// substitutes, 0x10000 reserve status, 0x20000 scout players only, 0x40000
// without scout players. Squad order; at most `kapazitaet`; `aus` may be null.
int Teamspieler_Ins_Array(int team, i32* aus, int kapazitaet, u32 filter);
// Sum of strength (92) over up to 20 players chosen by a filter of
// Teamspieler_Ins_Array (mode 0 all, 16 starters); 0 without players.
int Team_Get_Staerke_Modus(int team, u32 modus);
int Team_Get_Staerke(int team);

// The strength a player reads, the same figure on every screen.
// A player's: his strength in half stars held to 0..12 (six stars).
int Spieler_Staerke_Anzeige(int spieler);
// A team's: the sum of its players' shown strengths over a selection of
// Teamspieler_Ins_Array (the starters unless told otherwise), in half stars;
// 0 for no team.
int Team_Staerke_Anzeige(int team, u32 modus = TEAM_STAERKE_STARTELF);
// The same as text in stars with one decimal ("32,5").
const char* Team_Staerke_Anzeige_Text(int team, u32 modus = TEAM_STAERKE_STARTELF);
