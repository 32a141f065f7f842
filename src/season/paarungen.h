// Who plays whom: the league pairing orders (six fixed tables and the
// circle method), the pairs of a matchday for leagues, knock-out and
// variable competitions, the knock-out draw, writing the pairs into the
// fixture plan and the home right and game order.
#pragma once

#include "base/types.h"

struct Wettbewerb;

// Largest league with a pairing order.
constexpr int PAARUNGEN_MAX_LIGA = 24;
// Games one matchday of one competition can hold (a knock-out round of 128
// teams, a variable competition's matchday).
constexpr int PAARUNGEN_MAX_SPIELE = 256;

// One game of a matchday: two positions in the current teams (a knock-out
// position past the field is a bye), or, for a variable competition, two
// team numbers.
struct Wettbewerb_Paar {
    i32 a;
    i32 b;
};

// The circle method for t teams (2..24): an odd count gets a bye slot, and
// the pair holding it is left out of its round. Writes rounds × pairs × 2
// slot numbers into `aus` (may be null) and returns the number of rounds;
// 0 for a count outside 2..24.
int Wettbewerb_Rundenturnier(int teams, u8* aus);
// The team count of the fixed pairing table for `teams` (4, 6, 10, 16, 18,
// 20), else 0.
int Wettbewerb_Paarungstabelle(int teams);
// A league's pairing order for one season (leagues of 2..24 teams): the
// fixed table or the circle method, mapped through a shuffled slot order
// (one shuffle through the random table). False for another competition.
bool Wettbewerb_Spielplan_Mischen(Wettbewerb& w);

// Games of matchday d (-1: the current one): league TEAMS / 2; knock-out
// the first round (TEAMS + 1) / 2 and then (g + 1) / 2 after a round of g;
// a variable competition the games its plan holds on that matchday.
i32 Wettbewerb_Spiele_Pro_Spieltag(const Wettbewerb* w, i32 d);
// 2 × the games of all matchdays before d (-1: the current one).
i32 Wettbewerb_Get_Slot_Offset(const Wettbewerb* w, i32 d);
// The games of the matchdays before d, each counted once per leg below
// `leg` (-1: the current matchday and leg).
i32 Wettbewerb_Get_Spiele_Bis(const Wettbewerb* w, i32 d, i32 leg);
// The pairs of matchday d and leg `leg`, at most `max`; the count written.
int Wettbewerb_Get_Spieltag_Paarungen(const Wettbewerb& w, i32 d, i32 leg, Wettbewerb_Paar* aus, int max);

// The knock-out draw of the current matchday (KO_SYSTEM with LOSEN): the
// slots are shuffled; an international competition of more than 4 games
// draws again (at most 4 checks) while two teams of one nation meet.
void Wettbewerb_KO_Auslosung(Wettbewerb& w);
// Writes the teams of the pairs into the fixture plan: knock-out the current
// matchday, a league every matchday when it stands at matchday 0.
void Wettbewerb_Paarungen_Setzen(const Wettbewerb& w);
// The team at a position of the current teams, -1 for none (a bye).
i32 Wettbewerb_Team_An_Position(const Wettbewerb& w, i32 position);
// Home right and game order of the matchdays Wettbewerb_Paarungen_Setzen
// writes (single games only): with AMATEUR_HEIMRECHT an amateur side plays
// at home against a professional one; the highest-rated game (by the teams'
// league percentages) comes first, a knock-out round orders all its games.
void Wettbewerb_Heimrecht_Anpassen(const Wettbewerb& w);
// A team without a base league of the home nation, or one listed in an
// AMATEUR_LIGA competition.
bool Wettbewerb_Ist_Amateur(i32 team);
