// The menu engine's lookups in the world data: crest numbers, faces and
// shirt colours. src/main installs them in the crest and face tables.
#pragma once

#include "base/types.h"

i32 Gui_Welt_Wappen_Nummer(i32 team);
// A stored look whose fields lie within the part groups is used as it is;
// any other value (the shipped world stores free 32-bit values) seeds a
// stable look of its own, so that every player gets a varied face.
u32 Gui_Welt_Aussehen(i32 spieler);
void Gui_Welt_Farben(i32 spieler, i32 team, u32* farbe1, u32* farbe2);
