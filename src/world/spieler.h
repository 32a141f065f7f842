// Player operations.
#pragma once

#include "base/types.h"

constexpr int VERLETZUNG_ANZAHL = 42;

// Exhaustion 0..4 (mode 56 halved).
int Spieler_Get_Erschoepfung(int spieler);
// Market value: grows with the square of the strength, raised by the room
// to the maximum strength, rounded down to 10,000.
i32 Spieler_Berechne_Marktwert(int spieler);
// Monthly salary: a fortieth of the market value, at least 5,000, rounded to 1,000.
i32 Spieler_Berechne_Gehalt(int spieler);
// Name of an injury kind 0..41 ("" outside).
const char* Spieler_Get_Verletzungs_Text(int art);
// Injures a player: status 0x40, kind, a length in days drawn from the
// shared random table. Refused on a network client.
bool Spieler_Verletzen(int team, int spieler, int art);
// The team whose squad holds the player, -1.
int Spieler_Get_Team(int spieler);
// The player's status word: the bits of `weg` cleared, those of `dazu` set.
void Spieler_Status_Aendern(int spieler, u32 weg, u32 dazu);
// The competition a player's league statistics count for (-1: none yet).
void Spieler_Set_Wettbewerb(int spieler, i32 wettbewerb);
// The trainings the player has had this week start again at none.
void Spieler_Trainings_Zuruecksetzen(int spieler);
// Maximum strength (97) at least the current strength (92).
void Spieler_Set_Maxstaerke(int spieler);
// Exchanges players between two teams: team a gives spieler_a and takes
// spieler_b (-1: a pick among the market's 16 weakest). With a price team a
// pays it (category 31; the market receives nothing, another club receives
// it) and is credited the proceeds of its leaving player (category 30, from
// Welt_Hooks::transfer_erloes); it fails when team a's balance is below
// price minus proceeds. Price 0 uses one of team a's transfers of the
// season. 1 on success.
int Spieler_Tauschen(int team_a, int team_b, int spieler_a, int spieler_b, i32 preis);

// Swaps the line-up slots and starter/substitute bits of two players.
void Spieler_Tauschen_Intern(int a, int b, int team_a, int team_b);
// Moves a starter of the active team to a cell of its current formation,
// re-sorts the 11 starters by 10 x row + column (largest first) into slots
// 0..10 and writes the formation back. False for anyone else.
bool Spieler_Setze_Formationsposition(int spieler, int spalte, int zeile);
// A contract offer between two clubs is a request of kind 12 (the 40-byte
// data block of a news item, ten i32): 0 the kind 12, 1 the asking club
// (it wants the player), 2 the asked club, 3 the deadline (day index), 4 the
// fee the asking club pays (0: it uses one of its transfers of the season),
// 5 the monthly salary offered, 6 the contract's length in seasons (both for
// the request's text only: salaries follow the market value), 7 the wanted
// player of the asked club, 8 the asking club's player who goes the other
// way (every squad keeps its size), 9 the answer (-1 or -2 none yet, 0 no,
// anything else yes).
constexpr int VERTRAG_ANFRAGE_ART = 12;
// Applies the outcome: with a yes the two players are exchanged with the fee
// (Spieler_Tauschen); 1 when done. 0 for a no, no answer yet, a malformed
// block, or when either player is no longer with his club or the fee is not
// covered. Not on a network client ("Client-Zugriff: ...").
int Spieler_Vertrag_Ergebnis(const i32* anfrage);
// The union president: his player number (-1 none; -2 - n for the second side's n).
i32 Spieler_Get_Gewerkschafts_Praesi();
// Elects the president of side 0 (the strongest experienced player of the
// ordinary clubs) or side 1 (of the national teams); false when none.
bool Spieler_Setze_Gewerkschafts_Praesi(int seite);
// Restores the president from the value Spieler_Get_Gewerkschafts_Praesi
// gave (saved with the teams); a number outside the players means none.
void Spieler_Set_Gewerkschafts_Praesi_Wert(i32 wert);
// At game start: attribute states drawn for a player by league percentage
// (0..100: the higher, the more learned attributes stay).
void Spieler_Init_Start_Dummies(int spieler, int liga_prozent);
void Spieler_Init_Texte();
void Spieler_Free();

// A player's statistic in a league system (statistic 0, 1, 2, 22, 23, 24),
// from the fixtures through Welt_Hooks::spieler_statistik; 0 without it. The
// work buffer and the further arguments of the callers are accepted and not
// needed; *aus (may be null) gets the value too.
i32 Spieler_Get_Spieler_Statistik(int statistik, int liga, int, int team, int spieler, int, int, int, int, void* arbeit,
                                  i32* aus, int, int erster_aufruf, i32* aus2);
