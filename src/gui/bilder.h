// Picture folders: JPEG photos of managers, players and crests that the
// player may put into the game folder, read through our JPEG codec.
#pragma once

#include "base/types.h"

struct Rastport;

enum Bilder_Ordner : i32 { BILDER_MANAGER = 0, BILDER_SPIELER = 1, BILDER_WAPPEN = 2, BILDER_CONFIG = 3 };

// Number of "*.jpg" files in the folder.
i32 Bilder_Anzahl(i32 ordner);
// The numbers of up to n pictures (file names read as numbers from their
// first five characters); their count.
i32 Bilder_Liste(i32 n, i32* nummern, i32 ordner);
// The picture "<name>.jpg" or "<nummer>.jpg" of the folder at depth 16, or
// null when it is missing, damaged or larger than 2048 x 2048.
Rastport* Bilder_Laden(i32 nummer, const char* name, i32 ordner);
