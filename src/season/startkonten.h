// The bank accounts a new game opens: every club starts with money that
// follows its league level and its size; a human manager's club with the
// chosen difficulty.
#pragma once

#include "base/types.h"

// The start balance at a difficulty (0..4, others count as the default 2)
// for a league level in per cent (100 the top): the difficulty's amount
// (6, 4.5, 3, 2.5 or 2 million) scaled by the level, plus 500,000,
// rounded down to 100,000.
i64 Startkonto_Betrag(i32 schwierigkeit, i32 liga_prozent);
// A computer club's start balance: the default difficulty's amount for its
// league level times its size (its ground against its league's median,
// STARTKONTO_GROESSE_MIN to STARTKONTO_GROESSE_MAX), rounded down to
// 100,000. Why: with the same money for every club of a level a small
// club started as rich as the biggest of its league.
constexpr f64 STARTKONTO_GROESSE_MIN = 0.5, STARTKONTO_GROESSE_MAX = 2.5;
i64 Startkonto_Computerclub(i32 liga_prozent, f64 groesse);
// Opens the account of every club of the world: a managed club at the
// game's difficulty and its league's level, the others as their size says
// (Startkonto_Computerclub). Accounts that are open already keep their
// money.
void Startkonten_Eroeffnen();
