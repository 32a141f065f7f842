// The bookings after a match: the stadium's records, form, the computer
// club's step, stadium costs, advertising income, the match figures in the
// bank, points money, the match report for human managers and the events
// after the match; the news of a match cancelled for too few players.
#pragma once

#include "base/types.h"

struct Spielfeld_Bericht;

// The human-facing steps after a match. Defaults do nothing.
struct Nachspiel_Hooks {
    // The announcement of a finished match for the manager of `team` with
    // its report (292 bytes: teams, score, corners, competition,
    // attendance, the players' match figures), and a page of it buffered
    // with its kind and priority.
    void (*ankuendigung)(i32 wettbewerb, i32 team, i32 gegner, i32 spiel,
                         const Spielfeld_Bericht* bericht) = [](i32, i32, i32, i32, const Spielfeld_Bericht*) {};
    void (*puffern)(i32 art, i32 prioritaet) = [](i32, i32) {};
};
void Nachspiel_Set_Hooks(const Nachspiel_Hooks& h);

// Everything after the match of one fixture (lock handle), in order. Not on
// a network client.
void Spieltag_Nachspiel_Spiel(i32 spiel);
// Form of both sides' players after the match.
void Spieltag_Form_Nach_Spiel(i32 spiel);

struct Welt_Spiel_Info;
// The world's view of a fixture (teams, goals, attendance, competition,
// today's day); false when there is no such fixture. Goals not yet played
// count as 0.
bool Spieltag_Spiel_Daten(i32 spiel, Welt_Spiel_Info* aus);
// The fine of a side that had too few players: its manager's news.
void Spieltag_Absage_Melden(i32 team, i32 strafe);
