// The way into the player information card from every list that opens it
// (transfer screen, negotiation, scouting). The card screen registers its
// opening procedure here at start-up; until one is registered the lists'
// card buttons do nothing and say so by their result.
#pragma once

#include "base/types.h"

// What the card shows: a player of a team, in a mode (0 the own squad,
// 2 a prospect or a negotiated player, 3 the transfer window).
using Spielerkarte_Prozedur = bool (*)(i32 spieler, i32 team, i32 modus);
void Spielerkarte_Anmelden(Spielerkarte_Prozedur oeffnen);
// Opens the card; false when no card is registered or it did not open.
bool Spielerkarte_Zeigen(i32 spieler, i32 team, i32 modus);
// Whether the card is on the screen (its icon 3302).
bool Spielerkarte_Offen();
constexpr i32 ICON_SPIELERKARTE = 3302;
