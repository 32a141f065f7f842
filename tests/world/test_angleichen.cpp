// A new game's clubs fitted to the leagues they start in: the ground to the
// league's average, the squad's strength towards the league's average team,
// the league's averages taken once and kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "welt_test.h"
#include "world/angleichen.h"
#include "world/aufstellung.h"
#include "world/modi.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

class Angleichen : public Geladene_Welt {
  protected:
    void SetUp() override { Stadion_Init(); }
    void TearDown() override { Stadion_Free(); }
    // The clubs of the league slot of club `t` in the shipped world.
    static std::vector<i32> liga_von(i32 t) {
        std::vector<i32> v;
        const i32 liga = Team_Wert(TEAM_WERT_LIGA, t, 0, OP_LESEN);
        for (i32 c = 0; c < Team_Anzahl; ++c)
            if (Team_Ist_Verein(c) && Team_Wert(TEAM_WERT_LIGA, c, 0, OP_LESEN) == liga) v.push_back(c);
        return v;
    }
};

TEST_F(Angleichen, DerPlatzWirdDerSchnittDerLigaUndDieElfRueckenZumSchnittTeam) {
    i32 verein = -1;
    for (i32 c = 0; c < Team_Anzahl && verein < 0; ++c)
        if (Team_Ist_Verein(c) && liga_von(c).size() >= 10) verein = c;
    ASSERT_GE(verein, 0);
    const std::vector<i32> liga = liga_von(verein);
    i64 sitze = 0, steh = 0, staerke = 0;
    for (i32 c : liga) {
        sitze += Team_Wert(TEAM_WERT_SITZPLAETZE, c, 0, OP_LESEN);
        steh += Team_Wert(TEAM_WERT_STEHPLAETZE, c, 0, OP_LESEN);
        staerke += Team_Get_Staerke(c);
    }
    const i32 n = static_cast<i32>(liga.size());
    // The club furthest from the league's average team.
    i32 t = liga[0];
    for (i32 c : liga)
        if (std::abs(Team_Get_Staerke(c) * n - staerke) > std::abs(Team_Get_Staerke(t) * n - staerke)) t = c;
    const i32 vorher = Team_Get_Staerke(t);
    Liga_Schnitt schnitt;
    Team_Angleichen(t, liga.data(), n, 100, schnitt);
    EXPECT_EQ(schnitt.sitze, static_cast<i32>(sitze / n));
    EXPECT_EQ(schnitt.steh, static_cast<i32>(steh / n));
    EXPECT_EQ(schnitt.staerke, static_cast<i32>(staerke / n));
    const Stadion_Daten* s = Stadion_Get(t, 1);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->sitzplaetze, schnitt.sitze);
    EXPECT_EQ(s->stehplaetze, schnitt.steh);
    EXPECT_GE(s->kapazitaet, 8000);
    const i32 nachher = Team_Get_Staerke(t);
    EXPECT_LT(std::abs(nachher - schnitt.staerke), std::abs(vorher - schnitt.staerke))
        << "before " << vorher << ", after " << nachher << ", the league's team " << schnitt.staerke;

    // The next club of the league takes the kept averages, whatever list it is handed.
    const Liga_Schnitt gemerkt = schnitt;
    const i32 zweiter = liga[0] == t ? liga[1] : liga[0];
    const i32 fremd[1] = {zweiter};
    Team_Angleichen(zweiter, fremd, 1, 100, schnitt);
    EXPECT_EQ(schnitt.sitze, gemerkt.sitze);
    EXPECT_EQ(schnitt.staerke, gemerkt.staerke);
    EXPECT_EQ(Stadion_Get(zweiter, 1)->sitzplaetze, gemerkt.sitze);
}

// Without clubs in the league, or for no club, nothing is fitted.
TEST_F(Angleichen, OhneLigaBleibtAllesWieEsWar) {
    Liga_Schnitt schnitt;
    const i32 t = 0;
    const i32 vorher = Team_Get_Staerke(t);
    Team_Angleichen(t, nullptr, 0, 100, schnitt);
    Team_Angleichen(Team_Anzahl, &t, 1, 100, schnitt);
    EXPECT_EQ(schnitt.sitze, 0);
    EXPECT_EQ(schnitt.staerke, 0);
    EXPECT_EQ(Team_Get_Staerke(t), vorher);
}

}  // namespace
