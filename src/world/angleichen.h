// A new game's clubs fitted to the leagues they start in: the rule of the
// world the new game's finishing (screens/start) applies to every club.
#pragma once

#include "base/types.h"

// The averages of one league a fitting works from, kept across the clubs
// of one new game (0: not yet known).
struct Liga_Schnitt {
    i32 sitze = 0, steh = 0, staerke = 0;
};

// Fits club `t` to its league, whose clubs are `teams[0..n)`: its ground
// to the league's average (in small leagues without the three largest, at
// least 8,000; the ticket price stays, the comfort at least the class's
// usual), its players' strength to the league's average team (a club far
// below it gets new stars drawn around the average); `prozent` is the
// league percentage of the start's extra players. The league's averages
// are taken from its clubs once and kept in `schnitt`.
void Team_Angleichen(i32 t, const i32* teams, i32 n, i32 prozent, Liga_Schnitt& schnitt);
