// Matchdays of a competition played the season's way, for the competition
// screen's tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "season/paarungen.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "world/welt.h"

namespace {

inline std::string name(i32 team) {
    // The visible characters: without the underline of a managed club.
    std::string s = Team_String(0, team, nullptr, 0);
    for (const char* m : {"^ub", "^ue"})
        for (size_t p; (p = s.find(m)) != std::string::npos;) s.erase(p, 3);
    return s.empty() ? "?" : s;
}

// Starts a competition the season's way on its first matchday: the entered
// clubs become the current ones, a league's pairing order is shuffled, a
// knock-out round drawn, and the pairs written into the plan.
inline void starten(Wettbewerb* w) {
    ASSERT_GT(w->startteam_anzahl, 1);
    for (i32 k = 0; k < w->startteam_anzahl; ++k) {
        w->aktuelle_team[k] = w->start_team[k];
        w->team_slots[k] = static_cast<u8>(k);
    }
    w->aktuelle_teams = w->startteam_anzahl;
    w->flags[0] = 0;
    w->flags[1] = 1;
    w->aktueller_spieltag = 0;
    if (Wettbewerb_Ist_KO(w->id)) Wettbewerb_KO_Auslosung(*w);
    else ASSERT_TRUE(Wettbewerb_Spielplan_Mischen(*w));
    Wettbewerb_Paarungen_Setzen(*w);
}

// Plays matchday `tag` (0-based) of a competition (started on its first):
// every game gets a result from the table (home wins, draws and away wins
// by game index; a knock-out round without draws), then the competition
// counts it as played.
inline void spieltag_spielen(i32 liga, i32 tag) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(liga);
    ASSERT_TRUE(w);
    if (tag == 0) starten(w);
    const bool ko = Wettbewerb_Ist_KO(liga);
    const i32 n = Wettbewerb_Get_Anz_Spiele(liga, tag);
    ASSERT_GT(n, 0);
    static const u8 tore[][2] = {{2, 0}, {1, 1}, {0, 3}, {4, 2}, {0, 0}, {1, 2}};
    for (i32 k = 0; k < n; ++k) {
        Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(liga), static_cast<u32>(tag), 0, static_cast<u32>(k)));
        ASSERT_TRUE(h);
        const u8* t = tore[ko ? (k % 2) * 2 : k % 6];
        Spiele_Set_Ergebnis(h.Handle(), t[0], t[1], 0);

    }
    w->aktueller_spieltag = tag + 1;
    Spiele_Tabellen_Cache_Leeren();
}

}  // namespace
