// Helpers of the match tests: the shipped world, fixtures, whole matches.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/random.h"
#include "match/partie.h"
#include "match/spielfeld.h"
#include "world/konfig.h"
#include "world/welt.h"

inline std::string match_welt() {
    const char* s = std::getenv("KORDAVO_SOURCE_DIR");
    return std::string(s ? s : ".") + "/data/config";
}

inline std::string match_temp(const char* name) {
    const char* b = std::getenv("KORDAVO_BINARY_DIR");
    return std::string(b ? b : "/tmp") + "/" + name;
}

// The largest top division of the world (the key Liga_Vereine takes): the
// lower levels of the shipped world are far weaker, as in real football.
inline int groesste_erste_liga() {
    std::map<int, int> n;
    for (int t = 0; t < Team_Anzahl; t++)
        if ((Team_Daten[t].art & TEAM_ART_VEREIN) && Team_Get_Ebene(t) == 1) n[Team_Wert(6, t, 0, OP_LESEN) * 10 + 1]++;
    int best = -1, bn = 0;
    for (auto& [l, c] : n)
        if (c > bn) bn = c, best = l;
    return best;
}

// Loads the world once per test program and installs the fixture table.
class MatchTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Laden_Ordner(match_welt().c_str(), 0));
        Spielfeld_Init();
    }
    static void TearDownTestSuite() {
        Spielfeld_DeInit();
        Welt_Freigeben();
    }
    void SetUp() override {
        Spielfeld_DeInit();
        Spielfeld_Set_Hooks(Spielfeld_Hooks{});
        Partie_Spiele_Leeren();
        Spielfeld_Set_Hooks(Partie_Hooks());
        Spielfeld_Set_Pause(0);
        Spielfeld_Set_Fast(0);
        liga = Liga_Vereine(groesste_erste_liga());
        ASSERT_GE(liga.size(), 10u);
    }
    void TearDown() override { Spielfeld_DeInit(); }

    // Creates the pitch of a game between two clubs with a start cursor.
    Spielfeld_Daten* neu(u32 spiel, u32 heim, u32 gast, i32 cursor, int angezeigt = 0) {
        Partie_Spiel_Anmelden(spiel, heim, gast, 7);
        Rnd_Set_Index(cursor, 0);
        if (!Spielfeld_Neu(spiel, angezeigt, angezeigt, 25000, heim, 1)) return nullptr;
        return Spielfeld_Zeiger(spiel);
    }

    std::vector<u32> liga;
};

// Steps a pitch until the given minute (or the end of the half).
inline void bis_minute(Spielfeld_Daten* sf, int minute, int halbzeit_ende) {
    while (sf->minute < minute && Partie_Schritt(sf, halbzeit_ende)) {
    }
}
