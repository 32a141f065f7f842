// The season's part of the program's start-up registration: its save
// blocks, its module table (matchday, season cycle, news, random events,
// arbiter, rankings, statistics, match announcements), the matchday's and
// the match engine's tables the matchday answers, the world's calls up into
// the season and the server rows. It needs no window, so the headless runs
// (tools, tests, benchmarks) use the very set the game uses.
#pragma once

#include "match/spielfeld.h"
#include "season/season_hooks.h"
#include "world/team.h"

// The season's module table as the game installs it.
Season_Module_Hooks Saison_Module_Tabelle();
// The match engine's table as the matchday answers it (fixture lookup, end
// check, events, pace, fines, readiness); other entries at their defaults.
Spielfeld_Hooks Saison_Spielfeld_Tabelle();

// The world's team calls into the season (a country's competitions, a
// club's base league); the program adds the screens' automatic training.
Team_Hooks Saison_Team_Tabelle();

// Installs everything above: the module table is Saison_Module_Tabelle()
// and the engine's Saison_Spielfeld_Tabelle() unless the caller hands its
// own (the headless season game changes the yearly set-up; the program adds
// the engine's network entries).
void Saison_Module_Anmelden();
void Saison_Module_Anmelden(const Season_Module_Hooks& module);
void Saison_Module_Anmelden(const Season_Module_Hooks& module, const Spielfeld_Hooks& spielfeld);
