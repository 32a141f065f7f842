// Turning a game on one machine into a network server and back (the
// options screen's switch).
#pragma once

#include "base/types.h"

// The role becomes server and the listening connection is opened; true when
// it listens. On failure the role is single play again.
bool Netz_Server_Oeffnen();
// Closes the listening connection (when there is one); the role becomes
// single play.
void Netz_Server_Schliessen();
// The address the server listens on.
void Netz_Lokale_Adresse(u8 adresse[4]);
