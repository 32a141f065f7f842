// A training camp in progress goes into the save game with the menu's block
// and comes back with it: the loaded game's camp runs on from the step it
// was saved at, with the same bars, messages and start values, so a game
// reloaded in the middle of a camp ends it as the uninterrupted one does.
#pragma once

#include "base/bytes.h"

// Appends the running camp of the manager at this machine: u8 0 when none
// runs; else u8 1, i32 team, i32 the calendar's day and the course (see
// lager_stand.cpp).
void Lager_Stand_Schreiben(bytes::Schreiber& s);
// Reads what Lager_Stand_Schreiben wrote into staging; false (nothing
// staged) for a record that does not hold together.
bool Lager_Stand_Lesen(bytes::Leser& l);
// The staged camp becomes the one waiting to run on (none when the game
// loaded had none); Lager_Stand_Verwerfen drops it.
void Lager_Stand_Uebernehmen();
void Lager_Stand_Verwerfen();
// At a manager's hand-over (the load ends with one): a loaded camp runs on
// when its manager is the one at the machine on the camp's day (its run
// screen opens over the main menu the hand-over shows); once that day has
// passed it is dropped.
void Lager_Stand_Fortsetzen();
// True while a loaded camp waits for its manager.
bool Lager_Stand_Wartet();
