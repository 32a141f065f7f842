// The world's blocks of the save game (bank 8, advertising 9, managers 10,
// players 11, teams 12, stadiums 14) and of the configuration cache
// (players 1, teams 2, stadiums 4).
#pragma once

#include "base/types.h"

struct Datei_Status;

// Registers every block with the save-game driver (called once at start-up).
void Welt_Spielstand_Anmelden();

// The blocks themselves (tests and the cache use them directly). Reading
// parses into staging state; Welt_Block_Uebernehmen takes players, teams and
// managers over together, Welt_Block_Verwerfen drops them.
bool Spieler_Block_Schreiben(Datei_Status* d);
bool Spieler_Block_Lesen(Datei_Status* d);
bool Team_Block_Schreiben(Datei_Status* d);
bool Team_Block_Lesen(Datei_Status* d);
bool Manager_Block_Schreiben(Datei_Status* d);
bool Manager_Block_Lesen(Datei_Status* d);
void Welt_Block_Uebernehmen();
void Welt_Block_Verwerfen();
// The teams of the world a load has read and not yet taken over (the
// running world's count when none was read): other blocks of the same save
// check their clubs against it.
i32 Welt_Block_Team_Anzahl();
