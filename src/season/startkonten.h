// The bank accounts a new game opens: every club starts with money that
// follows its league level; a human manager's club also with the chosen
// difficulty.
#pragma once

#include "base/types.h"

// The start balance at a difficulty (0..4, others count as the default 2)
// for a league level in per cent (100 the top): the difficulty's amount
// (6, 4.5, 3, 2.5 or 2 million) scaled by the level, plus 500,000,
// rounded down to 100,000.
i64 Startkonto_Betrag(i32 schwierigkeit, i32 liga_prozent);
// Opens the account of every club of the world: a managed club at the
// game's difficulty, the others at the default one, each at its league's
// level. Accounts that are open already keep their money.
void Startkonten_Eroeffnen();
