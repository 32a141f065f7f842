// The match engine's remote call: a client fetches the whole record of its
// team's running match (at kick-off and to repair a lockstep mismatch).
#pragma once

#include <tuple>
#include <vector>

#include "base/ruf.h"
#include "match/spielfeld.h"

// ok, the record (SPIELFELD_GROESSE bytes), minute, time, competition, game.
inline constexpr ruf::Ruf<std::tuple<u8, std::vector<u8>, u32, f32, u32, u32>> RUF_SPIELFELD_LADEN{1032,
                                                                                                   "Spielfeld_Laden"};

// Registers the server row (start-up); the row answers for the asking team.
void Spielfeld_Netz_Anmelden();
// The client's fetch for Spielfeld_Hooks::hole_spielfeld: the record of its
// team's running match if it is game `spiel`; werte gets minute, time (as
// bits), competition and game.
bool Spielfeld_Netz_Holen(u32 spiel, u8* aus, u32 werte[4]);
