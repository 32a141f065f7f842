// Friendlies and team changes: the dummy competitions added at run time
// (the friendlies competition among them), a friendly arranged on a day,
// and the operations that move or exchange teams between competitions.
#pragma once

#include "base/types.h"

// Dummy competitions get ids from this number upward.
constexpr i32 WETTBEWERB_DUMMY_ERSTE_ID = 179;

// A new dummy competition (no teams, no matchdays) in the first free record;
// its id, -1 when the table is full. A null name gives "Dummy-Wettbewerb".
i32 Dummy_Init(const char* name);
// Frees a dummy competition with its fixture plan; false when unknown.
bool Dummy_Free(i32 id);

// The friendlies competition of a season: a former one is freed, a new one
// is made (home right, a variable number of games per matchday) with its
// own calendar mark. Its id, -1 when the table is full.
i32 Wettbewerb_Freundschaftsspiele_Anlegen();

// Arranges a friendly of team A at home to team B on a day (day index): it
// joins the friendlies' matchday of that day, or opens a new one. The
// friendlies' calendar mark comes from the calendar's slot counter. The
// game's matchday, leg and index go to the outs (each may be null). False
// on a client, without a friendlies competition or when the game could not
// be inserted.
bool Wettbewerb_Freundschaftsspiel_Einfuegen(i32 tag, i32 team_a, i32 team_b, u32* spieltag, u32* runde, u32* index);

// Exchanges teams X and Y in every competition (current, ranking and start
// lists, fixture plans). Nothing when X or Y is -1 or neither competition
// exists.
void Wettbewerb_Team_Tauschen(i32 wettbewerb_a, i32 wettbewerb_b, i32 team_x, i32 team_y);
// Moves a team from one competition to another (its league slot follows a
// base league); true when every step succeeded.
bool Wettbewerb_Team_Wettbewerb_Wechsel(i32 team, i32 von, i32 nach);
// Replaces the human managers' teams in international competitions by the
// first free team of their nation.
void Wettbewerb_Team_Ersetzen();
// Puts a manager's team into the first international competition that has
// room for it (a computer team of its nation first); true when placed.
bool Wettbewerb_Manager_Team_Einsetzen(i32 team);
