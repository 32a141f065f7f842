// The server rows of the season's remote calls (season/netz_rufe.h) and the
// client's cache reset. They live with the matchday because the readiness
// row and the news row ask the matchday runner.
#pragma once

#include "base/types.h"

// Registers the season's server rows with the call layer (start-up).
void Season_Netz_Anmelden();

// Server: the day each team last declared itself ready (1029; -1 never), and
// whether the developer commands (1043) are allowed (off by default).
i32 Season_Netz_Bereit_Tag(i32 team);
// Forgets a team's word (a client has just taken the club, in this game or a
// new one): its day counts only once it is given again.
void Season_Netz_Bereit_Vergessen(i32 team);
// Ends a client's team's turns of today as its word (1029) does: ready for
// its matches of the day, and for the next day once they are over.
void Season_Netz_Zug_Beenden(i32 team);
void Season_Netz_Befehle_Erlauben(bool an);

// Client: empties the caches of the calendar, the fixtures and the news, so
// that the next look fetches the server's state (after connecting).
void Netz_Client_Reset();
