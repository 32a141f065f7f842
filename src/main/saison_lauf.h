// Headless play of the game's run loop for tools and tests: a clock of its
// own, the passes of Kalender_Run until the day moves on, the human
// managers' turns ended at once (the end-of-turn command), the run modes
// recorded in the order they came.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

// The run modes a run recorded: the first SAISON_LAUF_MODI in the order
// they came (each change once), and every mode reached as a bit (modes 0
// to 62; bit 63 for any other). A long run keeps no more than these.
constexpr size_t SAISON_LAUF_MODI = 64;
struct Saison_Lauf {
    std::vector<i32> modi;  // the first run modes, each change once
    u64 wechsel = 0;        // changes of the run mode so far
    u64 gesehen = 0;        // bit m: mode m was reached
    i32 letzter = -1;       // the mode of the last change
    u64 paesse = 0;         // passes of the run loop so far
};
// The bit of a run mode in Saison_Lauf::gesehen.
constexpr u64 Saison_Lauf_Modus_Bit(i32 m) { return u64{1} << (m >= 0 && m < 63 ? m : 63); }

// Takes over the clock (W32_Get_Time) until Saison_Lauf_Ende.
void Saison_Lauf_Start();
void Saison_Lauf_Ende();
// Runs passes until the day index has moved on; false when `grenze` passes
// did not get there (the loop stalled) or the game ended.
bool Saison_Lauf_Tag(Saison_Lauf& lauf, u64 grenze = 4000000);

// The resident memory of the process in kB (0 when unknown).
long Saison_Lauf_Speicher_kB();

// A new game headless through the run loop (tools, tests, benchmarks): the
// season's modules and save blocks as the game registers them (news, random
// events from the configuration folder, arbiter, rankings, announcements
// whose pages stay at their do-nothing defaults unless the caller installs
// its own), the world's save blocks,
// a wizard that reads the world of `daten` (a folder of configuration set
// 1), sets the random cursor and gives the human clubs their managers (the
// assistant picks their line-ups); the competitions are read from the same
// folder at the first season's set-up. The clock is the run's own.
struct Saison_Spiel {
    std::string daten;
    std::vector<i32> menschen;
    i32 saat = -1;          // random table cursor, -1 left as it is
    bool autosave = false;  // the weekly autosave (off: the run keeps no saves)
};
void Saison_Spiel_Starten(const Saison_Spiel& spiel);
// Frees every module of the game and the world.
void Saison_Spiel_Beenden();
