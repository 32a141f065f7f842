// Registers every screen and the ways into them; the program calls it once
// at start-up.
#pragma once

void Screens_Anmelden();
