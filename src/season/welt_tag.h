// The world's own daily step. The run loop runs it right after the daily
// tick, which it leaves as it is: on the first day of a month the bank
// starts its next booking period (loans pay their monthly part) and every
// club pays its players' wages and receives its sponsor and broadcasting
// money, a managed club's players below the middle regain a step of
// morale, and in July, August and January the computer clubs trade with
// other clubs of their division level (and the transfer market) as their
// money says; on 3 July, when a new season begins,
// the players age, retire and come through; every day they rest
// (world/leben.h). Not on a network client.
#pragma once

#include <vector>

#include "base/types.h"
#include "world/leben.h"

// A club's monthly sponsor and broadcasting money: WELT_SPONSOR_PROZENT of
// its own wage bill; gate money and prizes come on top. Sponsors pay for the
// squad a club fields, the fans for its ground: a ground big for its squad
// earns more through the gate alone. Why not half the league's median wage
// bill and the ground's root against the league's median ground (within a
// quarter), as before: both paid a club more than its squad cost wherever
// the start world had given it a big ground or a cheap squad for its
// league, and that decided who bought his way up. The French second
// division's biggest grounds with squads of the middle rose far in game
// after game (without a managed club US Pontay was among the world's five
// biggest risers in 6 of 15 games of twenty seasons; now in none of 45).
// With only the ground's factor gone, the league's median still lifted its
// cheap squads and sank its dear ones, and up to one top-division club in
// ten was in the red after the first season (now none). At 90 per cent
// (every club's start money and reserve alike) one top-division club in
// nine was in the red after the first season.
constexpr int WELT_SPONSOR_PROZENT = 83;
// Sponsors and broadcasters pay a league's club for at least this share of
// the league's median wage bill, per cent: a promoted club's squad costs
// a second division's wages, the top division's money lets it build one
// that can stay up. Why: on its own wage bill alone a promoted club came
// at 0.72 of its new league's median strength and 55-61 % went straight
// down again (real football 30-50 %); at 85 per cent of the median 49-51 %
// (at 60 per cent 52 %).
constexpr int WELT_SPONSOR_LIGA_BODEN = 85;
// A club holding more than WELT_SPONSOR_POLSTER months' wages gets less
// from its sponsors, down to WELT_SPONSOR_REST per cent at twice that: money
// beyond what the club needs does not pile up (without it the top
// divisions' median grew sevenfold in twenty seasons, the richest club to
// twenty times it; at six months it still ended five to six times the
// start, at three two and a half).
//
// The reserve grows with the square of the club's size (its ground against
// its league's median, Welt_Tag_Groesse), WELT_POLSTER_MIN to
// WELT_POLSTER_MAX times: a big club builds real reserves, a small one
// lives from month to month. Why: with the same three months for all,
// every club settled at 2.4-6.9 months' wages, the richest never above
// 8.5 times the top divisions' median; now 5-12 times. And sponsors pay
// WELT_SPONSOR_PROZENT, not all of the wage bill: at 95 per cent the gate
// money alone kept every club in the black for ever (no club was in the
// red once in 240 season-runs), so a squad dearer than its ground could
// carry cost nothing; at 83 (with WELT_SPONSOR_LIGA_BODEN) the gate
// decides, 2-4 % of the clubs end a season in the red and sell or recover
// (at 80 a third of them, at 88 none).
constexpr int WELT_SPONSOR_POLSTER = 3;
constexpr int WELT_SPONSOR_REST = 25;
constexpr f64 WELT_POLSTER_MIN = 0.5, WELT_POLSTER_MAX = 2.5;

// Each team's star places (world/leben.h) for the season change and the
// transfer windows, by its standing in its league (the mean fine strength
// of its eleven best, ties by the ground): in a top division with
// divisions below it these (every big league alike), in every other league
// none; -1 for a team that is not a club; with each club's league and its
// division's level.
constexpr i32 WELT_STERNPLAETZE_OBEN[] = {4, 3, 3, 2, 2, 1, 1, 1, 1, 1, 1};
Leben_Sterne Welt_Tag_Sterne();

// A club's size: its ground against the median ground of league `liga`'s
// clubs (1 when the league has none).
f64 Welt_Tag_Groesse(int team, i32 liga);
// A club's monthly sponsor and broadcasting money.
f64 Welt_Tag_Sponsorgeld(int team);
// The step itself, told whether the day that has just begun opens a new
// month and a new season.
void Welt_Tag(bool neuer_monat, bool neue_saison);
