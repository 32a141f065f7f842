// Connects the season's hook table of the world data to the world library,
// and the world's calls upwards (the season keys of global.cfg, today's day)
// to the season. src/main calls it once at start-up; `set` is the
// configuration set whose global.cfg a new game loads.
#pragma once

void Season_Welt_Anbinden(int set);
