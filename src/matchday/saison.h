// The competitions' season cycle: the set-up of a season (entry, pairing
// orders, matchdays placed in the calendar), the daily start of competitions
// in their qualification week, the end of a matchday and of a round
// (knock-out decisions, the next round's draw, the winner, the archive,
// promotion and relegation, the hand-on of qualified teams, the repeat of a
// competition held several times a year) and the season change on 3 July.
//
// The season year counts seasons from the first one (0 = 2003/04) and rises
// on 3 July; STARTJAHR and ALLE_X_JAHRE are read against it.
#pragma once

#include "base/types.h"

struct Wettbewerb;

// Whether a competition is held in season `jahr`: STARTJAHR <= jahr and
// (jahr - STARTJAHR) divisible by ALLE_X_JAHRE; -1 (stopped) never.
bool Wettbewerb_Faellig(const Wettbewerb& w, i32 jahr);

// The season set-up: qualifiers handed on at the season start, every
// competition reset for the new season, the due rounds' matchdays placed
// (earlier rounds first; a competition that finds no days after 50 tries
// is stopped with a message).
void Wettbewerb_Jedes_Jahr();
// The daily work: competitions due this season enter their teams in their
// qualification week and prepare their first round; a competition whose
// matchday falls on today without a game left to play ends it at once.
void Wettbewerb_Jeden_Tag();
// The season change: on 3 July (the first tick of a new season) the per-day
// tables start again at today and the season is set up.
void Saison_Wechsel();

// The end of a leg of a competition's matchday (the matchday runner calls
// it when all of the competition's games of the day are done).
void Wettbewerb_Spiele_Beendet(i32 id);
// A complete matchday into the ranking list: a league's table, or a
// knock-out matchday's winners (places 0..n-1) and losers (n..2n-1).
void Wettbewerb_Runde_Auswerten(Wettbewerb& g);
// The round preparation: byes of a first knock-out matchday, the draw, the
// pairs into the fixture plan, home right and game order.
void Wettbewerb_Runde_Vorbereiten(Wettbewerb& g);
// A base league's promotion and relegation effects on its teams.
void Wettbewerb_Auf_Abstieg_Anwenden(Wettbewerb& g);
// A competition held several times a year enters again once every
// competition of its kind has finished; false when it found no days.
bool Wettbewerb_Neu_Eintragen(Wettbewerb& w);

