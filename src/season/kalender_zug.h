// Turns of the human managers: the day's turn order, the hand-over from one
// manager to the next, the turn timer and the keys the calendar serves.
#pragma once

#include "base/types.h"

// The option that limits a turn (milliseconds, 0: no limit).
constexpr i32 OPTION_ZUGZEIT = 0;

// Hands the controls to the next manager of the turn list whose team is not
// played elsewhere (a network game); false when the list is exhausted.
bool K_Setze_Manager_Im_Menue();
// Hands out the day's turn list when no turn has started today and nothing
// else holds the day; with nobody to play the day is done and advances.
// True (and no turn) while a match of a club at this machine is played.
bool Kalender_Pruefe_Zugende();
// True when a manager at this machine takes a turn each day.
bool Kalender_Hat_Zuege();
// True when a later entry of the turn list has a manager at this machine.
bool Kalender_Weitere_Manager();
// Does nothing (a screen hook that needs no calendar work).
void Kalender_Leer2(i32 team);
// The turn timer: a turn that ran out ends; a stall of more than a second
// (the game held, a slow frame) restarts it.
void Kalender_Zugzeit_Pruefen();
// Milliseconds left of the turn, -1 without a limit.
i32 Kalender_Zugzeit_Rest();
// The limit of a turn in milliseconds (0: none).
i32 Kalender_Zugzeit_Limit();
// Keys and queued requests: "l" asks to load slot 0, "k" saves slot 0, a
// pending load or save request is served. 1 when the key was used.
i32 Kalender_Taste(int zeichen);
// The team's manager plays at another machine of a network game.
bool Kalender_Team_Online_Woanders(i32 team);
