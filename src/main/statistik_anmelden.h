// The player statistics as the match engine feeds them after a match: the
// career records (goals, minutes, grade and substitution marks, minutes of
// the last matches) and the competition counters (goals, assists, grade
// points) of every player who took part.
#pragma once

#include "match/spielfeld.h"

// Fills the engine's after-match bookings of `h`; the other entries stay.
void Statistik_Spielfeld_Eintragen(Spielfeld_Hooks& h);

// The two bookings themselves (the server's; a client books nothing).
void Statistik_Spieler_Nach_Spiel(i32 spieler, u32 wettbewerb, int tore, int minuten, int note, int wechsel);
void Statistik_Wettbewerb_Zaehler(u32 wettbewerb, i32 spieler, int zaehler, int wert);
