// The bookings after a match: the stadium's records, form, the computer
// club's step, stadium costs, advertising income, the match figures in the
// bank, points money, the managed club made the active one and the events
// after the match; the news of a match cancelled for too few players.
#pragma once

#include "base/types.h"

// Everything after the match of one fixture (lock handle), in order. Not on
// a network client.
void Spieltag_Nachspiel_Spiel(i32 spiel);
// Form of both sides' players after the match.
void Spieltag_Form_Nach_Spiel(i32 spiel);

struct Welt_Spiel_Info;
// The world's view of a fixture (teams, goals, attendance, competition,
// today's day); false when there is no such fixture. Goals not yet played
// count as 0.
bool Spieltag_Spiel_Daten(i32 spiel, Welt_Spiel_Info* aus);
// The fine of a side that had too few players: its manager's news.
void Spieltag_Absage_Melden(i32 team, i32 strafe);
