// The scripted start of a new game, used until the new-game screens exist:
// the world of the start set is read and the player takes over a club.
#pragma once

// Installs the scripted start as the season's set-up step. The club is the
// setting "Verein" (a team number) when it names a club, else the first club
// of the world.
void Main_Spielstart_Registrieren();
