// The season's part of the program's start-up registration: its save
// blocks, the hook tables it fills with its own modules (matchday, season
// cycle, news, random events, arbiter, rankings, match announcements), the
// world's calls up into it and its server rows. It needs no window, so the
// headless runs (tools, tests, benchmarks) use the very set the game uses.
#pragma once

void Saison_Module_Anmelden();
