// The season's part of the program's start-up registration: its save
// blocks, its module table (matchday, season cycle, news, random events,
// arbiter, rankings, statistics, match announcements), the matchday's and
// the match engine's tables the matchday answers, the world's calls up into
// the season and the server rows. It needs no window, so the headless runs
// (tools, tests, benchmarks) use the very set the game uses.
#pragma once

#include "match/spielfeld.h"
#include "matchday/spieltag.h"
#include "season/season_hooks.h"
#include "world/team.h"

// The season's module table as the game installs it.
Season_Module_Hooks Saison_Module_Tabelle();
// The match engine's table as the matchday answers it (fixture lookup, end
// check, events, pace, fines, readiness); other entries at their defaults.
Spielfeld_Hooks Saison_Spielfeld_Tabelle();

// The world's team calls into the season (a country's competitions, a
// club's base league).
Team_Hooks Saison_Team_Tabelle();
// The matchday's calls up: a competition's games of the day ended go to the
// season cycle; no live view.
Spieltag_Hooks Saison_Spieltag_Tabelle();

// The season's tables, each installed once by Saison_Module_Anmelden. The
// headless runs take them as they are (the season game changes the yearly
// set-up); the program builds its own from the season's and adds the
// entries of the screens, the sound and the network.
struct Saison_Tabellen {
    Season_Module_Hooks module = Saison_Module_Tabelle();
    Season_Gui_Hooks gui{};
    Spielfeld_Hooks spielfeld = Saison_Spielfeld_Tabelle();
    Team_Hooks team = Saison_Team_Tabelle();
    Spieltag_Hooks spieltag = Saison_Spieltag_Tabelle();
};

// Installs the tables, the world's calls into the season, the season's save
// blocks and its server rows.
void Saison_Module_Anmelden(const Saison_Tabellen& tabellen = {});
