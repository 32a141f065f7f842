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
// ten was in the red after the first season (now none). At 90 per cent one
// top-division club in nine was in the red after the first season.
constexpr int WELT_SPONSOR_PROZENT = 95;
// A club holding more than WELT_SPONSOR_POLSTER months' wages gets less
// from its sponsors, down to WELT_SPONSOR_REST per cent at twice that: money
// beyond what the club needs does not pile up (without it the top
// divisions' median grew sevenfold in twenty seasons, the richest club to
// twenty times it; at six months it still ended five to six times the
// start, at three two and a half).
constexpr int WELT_SPONSOR_POLSTER = 3;
constexpr int WELT_SPONSOR_REST = 25;

// Each team's star places (world/leben.h) for the season change and the
// transfer windows, by its standing in its league (the mean fine strength
// of its eleven best, ties by the ground): in a top division with
// divisions below it these (every big league alike), in every other league
// none; -1 for a team that is not a club; with each club's league and its
// division's level.
constexpr i32 WELT_STERNPLAETZE_OBEN[] = {4, 3, 3, 2, 2, 1, 1, 1, 1, 1, 1};
Leben_Sterne Welt_Tag_Sterne();

// A club's monthly sponsor and broadcasting money.
f64 Welt_Tag_Sponsorgeld(int team);
// The step itself, told whether the day that has just begun opens a new
// month and a new season.
void Welt_Tag(bool neuer_monat, bool neue_saison);
