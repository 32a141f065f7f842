// The two requesters screens ask with: a message with one button and a
// yes/no question, for the active manager, with the game's button words.
#pragma once

#include "base/types.h"
#include "gui/hauptmenue.h"

// A message with one button ("OK"); `weiter` (may be null) runs when it is
// answered, with the numbers given.
void Screen_Mitteilung(const char* text, Requester_Prozedur weiter = nullptr, i32 anzahl = 0,
                       const i32* liste = nullptr);
// A yes/no question; `ja` / `nein` (either may be null) get the numbers.
void Screen_Frage(const char* text, Requester_Prozedur ja, Requester_Prozedur nein = nullptr, i32 anzahl = 0,
                  const i32* liste = nullptr);
