// Entering teams and qualification: a competition collects its teams for a
// season from national quotas (the strongest teams of a nation first), its
// fill-up ranges and the teams that other competitions hand on, then starts
// with them; a finished round hands the teams of its table places to the
// targets of its five qualification lists. One team stands in at most one
// competition of a kind (SUPER_ART).
#pragma once

#include "base/types.h"

struct Wettbewerb;

// Lists of Wettbewerb_Team_Eingetragen.
constexpr i32 LISTE_NACH_STAND = -1, LISTE_AKTUELL = 0, LISTE_EINGETRAGEN = 1;

// Collects and enters the teams (the daily work only in the qualification
// week, the season set-up and a finished round only without one); true when
// the competition started now, or when nothing was due.
bool Wettbewerb_Teilnehmer_Eintragen(Wettbewerb& w, bool taeglich);
// Hands the teams of the table places of a finished round (all its groups)
// on to the targets of its qualification lists; with QUALIFIKANTEN_MISCHEN
// and WEITERKOMM_ANZ the best of the groups' places by table key go on.
void Wettbewerb_Qualifikanten_Verteilen(Wettbewerb& w);
// Appends a team to a group of the target (the given group first, else a
// random group with room); false when no group has room.
bool Team_Qualifiziert(const Wettbewerb& quelle, Wettbewerb& ziel, i32 gruppe, i32 team);
// True when the team stands in a list of the competition (or, with the
// flag, of any competition of the same SUPER_ART).
bool Wettbewerb_Team_Eingetragen(i32 index, i32 team, bool gleiche_art, i32 liste);
// Free entry places of a round over its groups.
i32 Wettbewerb_Freie_Plaetze(const Wettbewerb& w);
// A league's final table into its ranking list (team, key, slot by place).
void Wettbewerb_Tabelle_Uebernehmen(Wettbewerb& w);
// The configuration editor's target of a place (list 0): the target's
// table index (-1 for the target id -1: no target). Only while an edit is
// open and not on a client; false for an unknown competition or target or
// a place outside 0..TEAMS-1 (with a debug line).
bool Wettbewerb_Set_Qu(i32 id, i32 platz, i32 ziel_id);
// Repairs the league of every current team that has none: the first round
// of its competition, or another competition its players name; players
// without a competition get that one. Returns the teams repaired.
i32 Wettbewerb_Ligen_Reparieren();
