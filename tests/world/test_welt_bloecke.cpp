// World arrays made apart from the running world and swapped in.
#include <gtest/gtest.h>

#include <vector>

#include "world/welt.h"

namespace {

struct Anzahlen {
    int teams, spieler;
    bool ok;
};

// Counts outside the world's bounds make nothing; inside, every array is
// there with the values Welt_Anlegen gives.
TEST(WeltBloecke, CountsAreCheckedAndTheArraysStartAsTheWorldsDo) {
    const Anzahlen faelle[] = {
        {0, 10, false},        {-1, 10, false},     {MAX_TEAMS + 1, 10, false}, {3, -1, false},
        {3, 200001, false},    {1, 0, true},        {3, 10, true},              {MAX_TEAMS, 200000, true},
    };
    for (const Anzahlen& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.teams << " teams, " << f.spieler << " players");
        Welt_Bloecke b;
        ASSERT_EQ(Welt_Bloecke_Anlegen(&b, f.teams, f.spieler), f.ok);
        if (!f.ok) {
            EXPECT_EQ(b.teams, 0);
            EXPECT_EQ(b.spieler, 0);
            EXPECT_EQ(b.team, nullptr);
            EXPECT_EQ(b.spieler_daten, nullptr);
            continue;
        }
        EXPECT_EQ(b.teams, f.teams);
        EXPECT_EQ(b.spieler, f.spieler);
        EXPECT_EQ(static_cast<int>(b.kader.size()), f.teams);
        for (int t = 0; t < f.teams; ++t) {
            EXPECT_EQ(b.team[t].liga, -1);
            EXPECT_EQ(b.team[t].scout_spieler, -1);
            EXPECT_EQ(b.team_own[t].transferfenster[10], -1);
            EXPECT_EQ(b.manager[t], nullptr);
        }
        for (int s = 0; s < f.spieler; ++s) {
            EXPECT_EQ(b.spieler_daten[s].team, -1);
            EXPECT_EQ(b.spieler_daten[s].gedeckt_von, -1);
            EXPECT_EQ(b.flags[s], 0);
        }
        if (f.spieler == 0) {
            EXPECT_EQ(b.spieler_daten, nullptr);
        }
    }
}

// Squads built in the blocks are those the world builds for itself: in
// player order, a club's full at its limit, the market's at the market's.
TEST(WeltBloecke, SquadsMadeApartEqualTheWorldsOwn) {
    struct Fall {
        int markt;
        int je_team;  // players of each club
    };
    const Fall faelle[] = {{0, MAX_SPIELER_PRO_TEAM + 3}, {2, MAX_SPIELER_PRO_TEAM}, {-1, 5}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << "market " << f.markt << ", " << f.je_team << " a club");
        const int teams = 3;
        const int spieler = teams * f.je_team + TRANSFERMARKT_SPIELER + 2;
        Welt_Bloecke b;
        ASSERT_TRUE(Welt_Bloecke_Anlegen(&b, teams, spieler));
        // Players spread over the clubs in a mixed order; the rest on the market.
        for (int s = 0; s < spieler; ++s)
            b.spieler_daten[s].team = s < teams * f.je_team ? (s * 7) % teams : (f.markt >= 0 ? f.markt : 1);
        Welt_Bloecke_Kader(&b, f.markt);
        std::vector<std::vector<i32>> apart = b.kader;

        Welt_Bloecke_Einsetzen(&b);
        EXPECT_EQ(b.teams, 0) << "the blocks are handed over";
        EXPECT_EQ(b.team, nullptr);
        EXPECT_TRUE(b.kader.empty());
        ASSERT_EQ(Team_Anzahl, teams);
        ASSERT_EQ(Spieler_Anzahl, spieler);
        Team_Transfermarkt = f.markt;
        for (int t = 0; t < teams; ++t)
            EXPECT_EQ(std::vector<i32>(Team_Kader(t), Team_Kader(t) + Team_Kader_Anzahl(t)), apart[t]) << t;
        Team_Kader_Neu_Aufbauen();
        for (int t = 0; t < teams; ++t) {
            EXPECT_EQ(std::vector<i32>(Team_Kader(t), Team_Kader(t) + Team_Kader_Anzahl(t)), apart[t]) << t;
            EXPECT_LE(Team_Kader_Anzahl(t), t == f.markt ? TRANSFERMARKT_SPIELER : MAX_SPIELER_PRO_TEAM);
        }
        Welt_Freigeben();
    }
    Team_Transfermarkt = 0;
}

// Blocks that were never put in place go with their owner; a move hands
// them on whole.
TEST(WeltBloecke, AMoveHandsTheArraysOn) {
    Welt_Bloecke a;
    ASSERT_TRUE(Welt_Bloecke_Anlegen(&a, 2, 30));
    a.spieler_daten[29].team = 1;
    Welt_Bloecke b(std::move(a));
    EXPECT_EQ(a.team, nullptr);
    EXPECT_EQ(a.teams, 0);
    ASSERT_EQ(b.spieler, 30);
    EXPECT_EQ(b.spieler_daten[29].team, 1);
    // Made anew: the old arrays are freed first (ASan would find a leak).
    ASSERT_TRUE(Welt_Bloecke_Anlegen(&b, 1, 1));
    EXPECT_EQ(b.spieler_daten[0].team, -1);
}

}  // namespace
