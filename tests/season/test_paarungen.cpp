// Pairings: double round robins of every league size with and without the
// immediate return leg, knock-out rounds with byes, the draw's same-nation
// rule and the pairs written into the fixture plan.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/random.h"
#include "season/paarungen.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/welt.h"

namespace {

class Paarungen : public ::testing::Test {
  protected:
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
    }
    void TearDown() override {
        Spiele_Free();
        Wettbewerb_Free();
        Welt_Freigeben();
    }
    // Reads one competition and builds its plan.
    static Wettbewerb& Lesen(const std::string& zeilen) {
        const std::string text = "NEUER_WETTBEWERB\nIDENTIFIKATION X\nNAME \"X\"\n" + zeilen;
        season_test::Meldungen m;
        EXPECT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
        EXPECT_EQ(Wettbewerb_Spielplaene_Erstellen(), 1) << m.Alle();
        return Wettbewerb_Tabelle[0];
    }
};

// Every size 2..24 (the six fixed orders among them), with the return
// round after the first half or at once: every pair meets twice, once at
// home each; no team plays twice on a matchday; an odd size leaves exactly
// one team out of each round.
TEST_F(Paarungen, DoppelteRundeJederLigagroesse) {
    for (const char* modus : {"", "MODUS RUECKSPIEL_SOFORT\n"}) {
        for (int n = 2; n <= PAARUNGEN_MAX_LIGA; ++n) {
            Wettbewerb_Reset(-1);
            Wettbewerb& w = Lesen("TEAMS " + std::to_string(n) + "\n" + modus);
            ASSERT_EQ(w.spieltage, n % 2 ? 2 * n : 2 * (n - 1)) << n;
            std::map<std::pair<int, int>, int> heim;  // (home, away) -> times
            for (i32 d = 0; d < w.spieltage; ++d) {
                Wettbewerb_Paar p[PAARUNGEN_MAX_SPIELE];
                const int k = Wettbewerb_Get_Spieltag_Paarungen(w, d, 0, p, PAARUNGEN_MAX_SPIELE);
                ASSERT_EQ(k, n / 2) << n << " " << d;
                std::set<int> heute;
                for (int g = 0; g < k; ++g) {
                    ASSERT_TRUE(p[g].a >= 0 && p[g].a < n && p[g].b >= 0 && p[g].b < n) << n;
                    EXPECT_TRUE(heute.insert(p[g].a).second && heute.insert(p[g].b).second) << n << " " << d;
                    ++heim[{p[g].a, p[g].b}];
                }
                EXPECT_EQ(static_cast<int>(heute.size()), n - n % 2) << n << " " << d;
            }
            for (int a = 0; a < n; ++a)
                for (int b = 0; b < n; ++b)
                    if (a != b) {
                        EXPECT_EQ((heim[{a, b}]), 1) << n << modus << ": " << a << " at home to " << b;
                    }
            EXPECT_EQ(w.paarungs_tabelle, (n == 4 || n == 6 || n == 10 || n == 16 || n == 18 || n == 20) ? n : 0);
            Spiele_Free();
            ASSERT_TRUE(Spiele_Init());
        }
    }
}

TEST_F(Paarungen, KreismethodeUndRueckspielSofort) {
    u8 r[60];
    ASSERT_EQ(Wettbewerb_Rundenturnier(6, r), 5);
    EXPECT_EQ(std::vector<u8>(r, r + 30), (std::vector<u8>{0, 5, 1, 4, 2, 3, 5, 3, 4, 2, 0, 1, 1, 5, 2,
                                                           0, 3, 4, 5, 4, 0, 3, 1, 2, 2, 5, 3, 1, 4, 0}));
    EXPECT_EQ(Wettbewerb_Rundenturnier(25, nullptr), 0);
    EXPECT_EQ(Wettbewerb_Rundenturnier(1, nullptr), 0);
    // With the immediate return leg matchday 1 is matchday 0 turned round.
    Wettbewerb& w = Lesen("TEAMS 8\nMODUS RUECKSPIEL_SOFORT\n");
    Wettbewerb_Paar hin[4], rueck[4];
    ASSERT_EQ(Wettbewerb_Get_Spieltag_Paarungen(w, 0, 0, hin, 4), 4);
    ASSERT_EQ(Wettbewerb_Get_Spieltag_Paarungen(w, 1, 0, rueck, 4), 4);
    for (int g = 0; g < 4; ++g) {
        EXPECT_EQ(hin[g].a, rueck[g].b);
        EXPECT_EQ(hin[g].b, rueck[g].a);
    }
}

// Knock-out rounds: games per round, byes of an odd field, the pairs of a
// round from the slot bytes (a second leg turned round).
TEST_F(Paarungen, KoRundenUndFreilose) {
    const struct {
        int teams;
        std::vector<i32> spiele;
    } faelle[] = {{16, {8, 4, 2, 1}}, {15, {8, 4, 2, 1}}, {20, {10, 5, 3, 2, 1}}};
    for (const auto& f : faelle) {
        Wettbewerb_Reset(-1);
        Wettbewerb& w = Lesen("MODUS KO_SYSTEM\nMODUS RUECKSPIELE\nTEAMS " + std::to_string(f.teams) + "\n");
        std::vector<i32> spiele;
        for (i32 d = 0; d < w.spieltage; ++d) spiele.push_back(Wettbewerb_Spiele_Pro_Spieltag(&w, d));
        EXPECT_EQ(spiele, f.spiele) << f.teams;
        Spiele_Free();
        ASSERT_TRUE(Spiele_Init());
    }
    // 15 teams: the eighth game of the first round is a bye.
    Wettbewerb_Reset(-1);
    Wettbewerb& w = Lesen("MODUS KO_SYSTEM\nMODUS RUECKSPIELE\nTEAMS 15\n");
    w.aktuelle_teams = 15;
    for (int i = 0; i < 15; ++i) w.aktuelle_team[i] = static_cast<i16>(100 + i);
    for (int i = 0; i < 16; ++i) w.team_slots[i] = static_cast<u8>(i);
    Wettbewerb_Paarungen_Setzen(w);
    Spiele_Lock_Halter erstes(Spiele_Lock(50, 0, 0, 0)), freilos(Spiele_Lock(50, 0, 0, 7)),
        rueck(Spiele_Lock(50, 0, 1, 0));
    EXPECT_EQ(Spiele_Get_Spiel(erstes.Handle(), true)->team_a, 100);
    EXPECT_EQ(Spiele_Get_Spiel(erstes.Handle(), true)->team_b, 101);
    EXPECT_EQ(Spiele_Get_Spiel(freilos.Handle(), true)->team_a, 114);
    EXPECT_EQ(Spiele_Get_Spiel(freilos.Handle(), true)->team_b, -1);
    EXPECT_EQ(Spiele_Get_Spiel(rueck.Handle(), true)->team_a, 101);
    // The bye sends its team through unplayed; a drawn tie waits for its games.
    i32 sieger = 0, verlierer = 0;
    EXPECT_EQ(Wettbewerb_KO_Sieger(&w, 0, 7, &sieger, &verlierer, -1, 0, 0), 114);
    EXPECT_EQ(verlierer, -1);
    EXPECT_EQ(Wettbewerb_KO_Sieger(&w, 0, 0, &sieger, &verlierer, -1, 0, 0), -2);
}

// The draw of an international competition keeps teams of one nation
// apart when it can.
TEST_F(Paarungen, AuslosungTrenntGleicheNationen) {
    ASSERT_TRUE(Welt_Anlegen(16, 0));
    Wettbewerb& w = Lesen("MODUS KO_SYSTEM\nMODUS LOSEN\nTEAMS 16\n");
    w.aktuelle_teams = 16;
    for (int i = 0; i < 16; ++i) {
        w.aktuelle_team[i] = static_cast<i16>(i);
        Team_Daten[i].nation = static_cast<i16>(i / 2);  // eight pairs of one nation
    }
    int getrennt = 0;
    for (u32 cursor = 0; cursor < 40; ++cursor) {
        Rnd_Set_Index(static_cast<i32>(cursor * 97), 0);
        for (int i = 0; i < 16; ++i) w.team_slots[i] = static_cast<u8>(i);
        Wettbewerb_KO_Auslosung(w);
        std::set<int> gezogen(w.team_slots, w.team_slots + 16);
        ASSERT_EQ(gezogen.size(), 16u);
        bool gleiche = false;
        for (int g = 0; g < 8; ++g) gleiche |= w.team_slots[2 * g] / 2 == w.team_slots[2 * g + 1] / 2;
        getrennt += !gleiche;
    }
    // One random draw of 16 keeps all eight pairs apart in about 58 % of
    // draws; with up to four re-draws nearly always.
    EXPECT_GE(getrennt, 36);
}

// Home right and game order: an amateur side plays at home, the game of the
// highest leagues comes first.
TEST_F(Paarungen, AmateurHeimrechtUndSpielreihenfolge) {
    ASSERT_TRUE(Welt_Anlegen(20, 0));
    Team_Heimnation = 7;
    for (int t = 0; t < 20; ++t) Team_Daten[t].nation = 7;
    const std::string text =
        "NEUER_WETTBEWERB\nIDENTIFIKATION L1\nNAME \"Oben\"\nBASISLIGA JA\nTEAMS 4\nVISUELL_NACHFOLGER L2\n"
        "STARTTEILNEHMER 1,2,3,4\n"
        "NEUER_WETTBEWERB\nIDENTIFIKATION L2\nNAME \"Unten\"\nBASISLIGA JA\nTEAMS 4\nSTARTTEILNEHMER 5,6,7,8\n"
        "NEUER_WETTBEWERB\nIDENTIFIKATION P\nNAME \"Pokal\"\nTEAMS 8\nMODUS KO_SYSTEM\nMODUS AMATEUR_HEIMRECHT\n";
    season_test::Meldungen m;
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
    ASSERT_EQ(Wettbewerb_Spielplaene_Erstellen(), 3);
    Wettbewerb& w = Wettbewerb_Tabelle[2];
    // Pairs: 5-6 (second level), 1-15 (an amateur away), 7-2, 3-4 (top level).
    const i16 teams[8] = {5, 6, 1, 15, 7, 2, 3, 4};
    w.aktuelle_teams = 8;
    for (int i = 0; i < 8; ++i) {
        w.aktuelle_team[i] = teams[i];
        w.team_slots[i] = static_cast<u8>(i);
    }
    Wettbewerb_Paarungen_Setzen(w);
    Wettbewerb_Heimrecht_Anpassen(w);
    std::vector<std::pair<int, int>> spiele;
    for (u32 k = 0; k < 4; ++k) {
        Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(w.id), 0, 0, k));
        spiele.push_back({Spiele_Get_Spiel(h.Handle(), true)->team_a, Spiele_Get_Spiel(h.Handle(), true)->team_b});
    }
    EXPECT_EQ(spiele, (std::vector<std::pair<int, int>>{{3, 4}, {7, 2}, {15, 1}, {5, 6}})) << m.Alle();
    EXPECT_TRUE(Wettbewerb_Ist_Amateur(15));
    EXPECT_FALSE(Wettbewerb_Ist_Amateur(1));
    Team_Heimnation = 65535;
}

}  // namespace
