// The scripted start of a new game, used until the new-game screens exist:
// the world of the start set is read and the player takes over a club.
#pragma once

#include "base/types.h"

// The scripted start as the season's set-up step (Main_Registrieren installs
// it): reads the world of the start set once and gives the club of the
// setting "Verein" (a team number; else the first club of the world) its
// human manager.
bool Main_Spielstart_Pruefen(int arg, u8* wizard_byte);
// The start set of a new game, its competitions and events.
void Main_Spielstart_Registrieren();
