// The world's own daily step. The run loop runs it right after the daily
// tick, which it leaves as it is: on the first day of a month the bank
// starts its next booking period (loans pay their monthly part) and every
// club pays its players' wages and receives its sponsor and broadcasting
// money, and in July, August and January the computer clubs trade with the
// transfer market as their money says; on 3 July, when a new season begins,
// the players age, retire and come through; every day they rest
// (world/leben.h). Not on a network client.
#pragma once

#include <vector>

#include "base/types.h"
#include "world/leben.h"

// A club's monthly sponsor and broadcasting money: this share (per cent) of
// its league's median wage bill, times its ground's size against the
// league's median ground (a quarter to four times): a big club earns more.
// Gate money and prizes come on top; a club whose wages run above what its
// size brings in loses money.
constexpr int WELT_SPONSOR_PROZENT = 90;

// Each team's star places (world/leben.h) for the season change and the
// transfer windows, by its ground's rank among its league's grounds: in a
// top division with divisions below it these (every big league alike,
// whatever its grounds), in a small country's single division 2, 1, 1, in
// a lower division one each for the two biggest grounds; -1 for a team
// that is not a club.
constexpr i32 WELT_STERNPLAETZE_OBEN[] = {4, 3, 3, 2, 2, 1, 1, 1, 1, 1, 1};
Leben_Sterne Welt_Tag_Sterne();

// A club's monthly sponsor and broadcasting money.
f64 Welt_Tag_Sponsorgeld(int team);
// The step itself, told whether the day that has just begun opens a new
// month and a new season.
void Welt_Tag(bool neuer_monat, bool neue_saison);
