// A team's fixture list: its games over the coming year, day by day in the
// calendar, with opponent, venue and (once played) the score.
#pragma once

#include "base/types.h"

constexpr i32 TERMINE_TAGE = 366;

struct Statistik_Termin {
    i32 gegner;     // -1 while the opponent is not known yet
    i32 tag;        // day index
    i32 wettbewerb;
    i32 ort;        // 0 home, 1 away, 2 no home right
    i32 tore;       // -1 unplayed
    i32 gegentore;
    i32 spieltag;
    i32 runde;      // leg
    i32 index;      // game of the matchday
};

// The team's games (team -1: every game) from the first day (-1: today) to
// today + 366, of one competition (-1: all), at a venue (0 all, 1 home,
// 2 away), only unplayed ones when asked; at most `max`. Returns the count.
int Statistik_Naechstes_Spiel(i32 team, i32 erster_tag, i32 wettbewerb, Statistik_Termin* aus, int max, i32 ort,
                              bool nur_ungespielt);
