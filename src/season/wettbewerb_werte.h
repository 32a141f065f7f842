// Derived values of the competitions: qualification targets of table places
// and their colours, promotion and relegation places, league and matchday
// importance, whether a competition is international, a team's place.
#pragma once

#include "base/types.h"

// The competition ids of the five qualification lists for a table place
// (0-based), -1 ending the list; null for an unknown id or place.
const i32* Wettbewerb_Get_Qualifikanten(i32 id, i32 platz);
// The target id of one list (0..4) for a place, -1 for none.
i32 Wettbewerb_Get_Qu(i32 id, i32 platz, i32 liste);
// Sum of the targets' WICHTIG for a place; 50 without a target, for a
// knock-out competition or one not in the calendar; -1 without the module.
i32 Wettbewerb_Platz_Quali_Wichtig(i32 id, i32 platz);
// A base league's last promotion place and first relegation place (1-based,
// 0 none): targets in its hierarchy on a higher or a lower level.
void Wettbewerb_Get_Auf_Abstieg(i32 id, i32* aufstieg, i32* abstieg);
// The colour of a table place (0xRRGGBB) from its qualification targets:
// international targets by their importance, promotion green, relegation
// red; -1 when none applies.
i32 Wettbewerb_Get_Platz_Farbe(i32 id, i32 platz);
constexpr i32 WETTBEWERB_FARBE_AUFSTIEG = 0x11FF22, WETTBEWERB_FARBE_ABSTIEG = 0xC57139;
// League percentage of a team's base league (100 at the top of four or more
// levels, 25 at the fourth); 100 without a base league.
i32 Wettbewerb_Get_Liga_Prozent(i32 team);
i32 Wettbewerb_Get_Wettbewerb_Prozent(i32 id);
// Importance of a matchday, 0..100 (the later matchdays of a season count
// more; the bonus of a matchday past the season's end is the last one).
i32 Wettbewerb_Get_Wichtigkeit(i32 id, i32 spieltag);
// A competition that is not a base league whose teams come from more than
// one nation, or whose root enters teams by national quota.
bool Wettbewerb_Ist_International(i32 id);
// 0-based place of a team in the competition's table, -1 for a knock-out
// competition, no plan or no row.
i32 Wettbewerb_Get_Tabellenplatz(i32 id, i32 team);

// Match time. The end minute of a half (0-based; the extra-time halves
// follow the regular ones) once the minute has reached it, else -1; -1 past
// the last half, 0 without the module.
i32 Wettbewerb_Get_Halbzeit_Ende(i32 id, i32 minute, i32 halbzeit);
// Regular playing time (with extra time when asked).
i32 Wettbewerb_Get_Spielzeit(i32 id, bool mit_verlaengerung);
// Phases of a match: halves, extra-time halves with extra time, and one for
// a shoot-out (penalties or a knock-out competition).
i32 Wettbewerb_Get_Anz_Halbzeiten(i32 id);
// Golden goal in this half (extra time of a competition with it).
bool Wettbewerb_Ist_Sudden_Death(i32 id, i32 halbzeit);
// After the last half of play (extra time included), with penalties set,
// when the tie has no winner (leg and extra goals as for the tie decision).
bool Wettbewerb_Elfmeterschiessen_Noetig(i32 id, i32 spieltag, i32 k, i32 halbzeit, i32 runde, i32 extra_a,
                                         i32 extra_b);
// The stoppage decision at a half's end: 2 play on, 4 the half ends, 8 the
// match ends (regular time or extra time over). Draws from the shared random
// table: one number, a second only when the first is not 5, so peers stay in
// step. `erzwingen` ends at once; without `bereit` play goes on until five
// minutes of added time.
i32 Wettbewerb_Halbzeit_Pruefen(i32 id, i32 minute, i32 halbzeit, bool erzwingen, bool bereit);
// The points money of a result (1 won, 0 drawn) booked to the team from
// nobody (forced); not on a client. False when nothing was booked.
bool Wettbewerb_Zahle_Punkt_U(i32 id, i32 team, i32 ergebnis);
