// Connects the season's hook table of the world data to the world library.
// src/main calls it once at start-up; `set` is the configuration set whose
// global.cfg a new game loads. (The world's calls upwards into the season
// are filled in src/main.)
#pragma once

void Season_Welt_Anbinden(int set);
