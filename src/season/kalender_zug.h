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
// A server: the network clients' turns of today are bounded by the turn
// time, counted in real time (Season_Netz.Echtzeit_Ms) from the day's start
// on this machine (held while the turn clock is frozen); when it runs out
// the clients still in their turns have them ended. Without a turn time the
// server's client bound (option 26, minutes) takes its place.
void Kalender_Client_Zugzeit_Pruefen();
// Milliseconds left of the turn, -1 without a limit.
i32 Kalender_Zugzeit_Rest();
// The limit of a turn in milliseconds (0: none).
i32 Kalender_Zugzeit_Limit();
// Keys and queued requests: "l" asks to load slot 0, "k" saves slot 0, a
// pending load or save request is served. 1 when the key was used.
i32 Kalender_Taste(int zeichen);
// The team's manager plays at another machine of a network game.
bool Kalender_Team_Online_Woanders(i32 team);
// A network client whose turns are over follows the server's day (see
// kalender_zug.cpp); false while the server is still on the client's day.
bool Kalender_Client_Tag_Folgen();

// The hidden key mode: while Shift is held and the pointer stands at (1, 1)
// typed letters go to a detector of 15 codes instead of the game; a code
// typed in full runs its action. Letters may come in either case.
constexpr int KALENDER_GEHEIM_ANZAHL = 16;  // index 0 is empty
// The code of an action (1..15), "" outside.
const char* Kalender_Geheim_Code(int aktion);
// Actions: 1 and 2 book 1,000,000 / 10,000,000 into the active club's
// account (a network client asks the server) and reset its players'
// training counters; 3 reloads global.cfg; 4 the match engine's fast flag;
// 5 the fast day switch; 6 every special attribute learned; 7 the test
// switch; 8 the diagnosis screen; 9 freezes the turn timer; 10 plays the
// computer clubs' season steps; 12 continuous play (switched on, every
// managed club gets automatic boards and line-up); 15 the network read
// test; 11, 13 and 14 do nothing. False for an index outside 1..15.
bool Kalender_Geheimtaste_Ausfuehren(int aktion);
// The detector's state is dropped (a new game, a test).
void Kalender_Geheim_Zuruecksetzen();
