// The matchday pitch overview: one running match from above on the whole
// screen, with both clubs' names and crests, the score, the minute and the
// match's progress, the sides' strengths, the players as markers with
// their shirt numbers (tired players pulse), the ball by its height, the
// duel's names, and an info box for the player under the mouse.
#pragma once

#include "base/types.h"

struct Rastport;
struct Spielfeld_Inhalt;
struct Spielfeld_Uhr;

// Pitch centimetres to screen pixels; mirrored when the ends changed
// (the _Fest forms never mirror).
i32 Spieltag_Bild_X(const Spielfeld_Inhalt& sf, i32 x);
i32 Spieltag_Bild_Y(const Spielfeld_Inhalt& sf, i32 y);
i32 Spieltag_Bild_X_Fest(i32 x);
i32 Spieltag_Bild_Y_Fest(i32 y);
// The ball picture (0..30) for a height in centimetres.
i32 Spieltag_Ball_Bild(i32 hoehe);

// The minute the clock of a shown match reads (Spielfeld_Uhr_Lesen), its
// stoppage time standing at the half's end minute from the match's competition.
i32 Spieltag_Uhr_Lesen(Spielfeld_Uhr* uhr, const Spielfeld_Inhalt& sf);

// Draws the overview of the pitch record onto `ziel` (the mouse at mx, my).
// Nothing is drawn unless its pictures could be loaded; false then.
bool Spieltag_Blit_Spielfeld(const Spielfeld_Inhalt& sf, Rastport* ziel, i32 mx, i32 my);
// The info box of one player slot.
void Spieltag_Blit_Spielerinfo(const Spielfeld_Inhalt& sf, i32 slot, Rastport* ziel);
void Spieltag_Free_Grafik();
// The pulse of tired players (30..100 %), one step per drawn frame.
i32 Spieltag_Blinkstufe();
