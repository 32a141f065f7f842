// Registers the season's blocks with the save-game driver: the calendar
// (block 4), the fixture database (block 7) and the competition block of
// the configuration cache. src/main calls it once at start-up.
#pragma once

void Season_Spielstand_Anmelden();
void Season_Spielstand_Abmelden();
