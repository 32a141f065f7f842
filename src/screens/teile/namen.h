// The "*n" name tables of the player lists (docs/formats/text-cfg.md):
// position abbreviations "*6".."*9", injury kinds "*18".."*59" and the
// status and morale names "*60".."*68".
#pragma once

#include "base/types.h"

struct Font;

// The name of "*n" (n 6..9, 18..59, 60..68); "" for any other n.
const char* Spieler_Name_Text(i32 n);
// Position abbreviation of class 0..3 ("*6" + class).
const char* Positions_Text(i32 klasse);
// Injury kind 0..41 ("*18" + kind).
const char* Verletzungs_Text(i32 art);
// Morale grade 0..6, 7 unavailable, 8 injured ("*60" + entry).
const char* Status_Text(i32 eintrag);
// Resolves a "*n" text of these tables in place (other texts stay).
const char* Spieler_Namen_Aufloesen(const char** text);

// A player's full name within `breite` pixels of the font, written into
// `aus` (96 bytes): "first last" when it fits, else the first name's
// initial and the surname, else the surname cut at its end.
const char* Spieler_Name_Passend(i32 spieler, Font* font, i32 breite, char aus[96]);
