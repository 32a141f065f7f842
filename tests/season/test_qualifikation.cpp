// Entering teams on the shipped world: national quotas take the strongest
// clubs first, a team never stands in two competitions of one kind, and the
// best third-placed teams of parallel groups go on by table key.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/globals.h"
#include "season/paarungen.h"
#include "season/qualifikation.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

class Qualifikation : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        season_test::Meldungen m;
        ASSERT_TRUE(Welt_Laden_Ordner(season_test::Quelle("data/config").c_str(), 0)) << m.Alle();
    }
    static void TearDownTestSuite() {
        Bank_Free();
        Welt_Freigeben();
    }
    void SetUp() override {
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
    }
    void TearDown() override {
        Spiele_Free();
        Wettbewerb_Free();
    }
    // Clubs of a nation, strongest first.
    static std::vector<i32> Clubs(i32 nation) {
        std::vector<i32> v;
        for (i32 t = 1; t < Team_Anzahl; ++t)
            if (t != Team_Transfermarkt && !(Team_Get_Art(t) & TEAM_ART_NATIONALTEAM) && Team_Daten[t].nation == nation)
                v.push_back(t);
        std::stable_sort(v.begin(), v.end(), [](i32 a, i32 b) { return Team_Get_Staerke(a) > Team_Get_Staerke(b); });
        return v;
    }
    static std::vector<i32> Aktuell(const Wettbewerb& w) {
        return std::vector<i32>(w.aktuelle_team, w.aktuelle_team + w.aktuelle_teams);
    }
};

TEST_F(Qualifikation, QuotenGruppenUndDieBestenDritten) {
    // The four nations with the most clubs.
    std::map<i32, int> clubs;
    for (i32 t = 1; t < Team_Anzahl; ++t)
        if (!(Team_Get_Art(t) & TEAM_ART_NATIONALTEAM) && t != Team_Transfermarkt) ++clubs[Team_Daten[t].nation];
    std::vector<std::pair<int, i32>> nach_zahl;
    for (auto [n, z] : clubs) nach_zahl.push_back({z, n});
    std::sort(nach_zahl.rbegin(), nach_zahl.rend());
    ASSERT_GE(nach_zahl.size(), 4u);
    ASSERT_GE(nach_zahl[3].first, 6);
    std::vector<i32> nationen;
    for (int i = 0; i < 4; ++i) nationen.push_back(nach_zahl[static_cast<size_t>(i)].second);

    std::string text;
    const char* gruppen[] = {"GA", "GB", "GC", "GD"};
    for (int g = 0; g < 4; ++g) {
        text += std::string("NEUER_WETTBEWERB\nIDENTIFIKATION ") + gruppen[g] +
                "\nNAME \"Pokal\"\nSUPER_ART EUROPA\nTEAMS 4\nANZ_PARALLEL_GRUPPEN 4\nNACHFOLGERUNDE KO\nWICHTIG 90\n"
                "MODUS ENGLISCHE_TABELLE\n";
        if (g < 3) text += std::string("PARALLELGRUPPE ") + gruppen[g + 1] + "\n";
        if (g == 0) {
            text += "QUALI_FUER KO,KO,KO\nQUALIFIKANTEN_MISCHEN 1\nWEITERKOMM_ANZ 10\n";
            for (i32 n : nationen) text += "QUALI_LAND " + std::to_string(n) + ",4\n";
        }
    }
    text +=
        "NEUER_WETTBEWERB\nIDENTIFIKATION KO\nNAME \"Finalrunde\"\nSUPER_ART EUROPA\nTEAMS 10\nMODUS KO_SYSTEM\n"
        "WICHTIG 90\n";
    text += "NEUER_WETTBEWERB\nIDENTIFIKATION ZWEI\nNAME \"Zweiter Pokal\"\nSUPER_ART EUROPA\nTEAMS 8\nWICHTIG 50\n";
    for (i32 n : nationen) text += "QUALI_LAND " + std::to_string(n) + ",2\n";
    season_test::Meldungen m;
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
    ASSERT_TRUE(m.texte.empty()) << m.Alle();
    Wettbewerb_Spielplaene_Erstellen();
    Wettbewerb* t = Wettbewerb_Tabelle;
    for (int g = 0; g < 4; ++g) ASSERT_TRUE(Wettbewerb_Teilnehmer_Eintragen(t[g], false)) << g;
    ASSERT_TRUE(Wettbewerb_Teilnehmer_Eintragen(t[5], false));

    // Each nation's four strongest clubs in the groups, the next two in the
    // second competition; no club in both.
    std::set<i32> europa, zweite(t[5].aktuelle_team, t[5].aktuelle_team + t[5].aktuelle_teams);
    for (int g = 0; g < 4; ++g) {
        EXPECT_EQ(t[g].aktuelle_teams, 4);
        for (i32 x : Aktuell(t[g])) EXPECT_TRUE(europa.insert(x).second) << x;
    }
    for (i32 n : nationen) {
        const std::vector<i32> c = Clubs(n);
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(europa.count(c[i]), i < 4 ? 1u : 0u) << n << " " << i;
            EXPECT_EQ(zweite.count(c[i]), i < 4 ? 0u : 1u) << n << " " << i;
        }
    }

    // The groups are played; their first two and the two best third-placed
    // teams by table key go on.
    std::vector<std::pair<u64, i32>> dritte;
    std::set<i32> soll;
    for (int g = 0; g < 4; ++g) {
        Wettbewerb_Paarungen_Setzen(t[g]);
        for (u32 d = 0; d < static_cast<u32>(t[g].spieltage); ++d)
            for (u32 k = 0; k < 2; ++k) {
                Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(t[g].id), d, 0, k));
                ASSERT_TRUE(h);
                const ::Spiel* s = Spiele_Get_Spiel(h.Handle(), true);
                Spiele_Set_Ergebnis(h.Handle(), static_cast<u8>((s->team_a * 7 + d) % 5),
                                    static_cast<u8>((s->team_b * 3 + k) % 4), 0);
            }
        Tabelle tab;
        Wettbewerb_Get_Tabellen_Teams(t[g].id, &tab);
        Tabelle_Argumente a;
        a.wettbewerb = t[g].id;
        Spiele_Get_Tabelle(a, &tab);
        soll.insert(static_cast<i32>(tab.team[tab.reihenfolge[0]]));
        soll.insert(static_cast<i32>(tab.team[tab.reihenfolge[1]]));
        dritte.push_back({Tabelle_Schluessel(tab, tab.reihenfolge[2]), static_cast<i32>(tab.team[tab.reihenfolge[2]])});
    }
    std::stable_sort(dritte.begin(), dritte.end(), [](auto& a, auto& b) { return a.first > b.first; });
    ASSERT_GT(dritte[1].first, dritte[2].first) << "the test's results must separate the thirds";
    soll.insert(dritte[0].second);
    soll.insert(dritte[1].second);
    Wettbewerb_Qualifikanten_Verteilen(t[0]);
    EXPECT_EQ(std::set<i32>(t[4].start_team, t[4].start_team + t[4].startteam_anzahl), soll);
    EXPECT_EQ(t[4].startteam_anzahl, 10);
    ASSERT_TRUE(Wettbewerb_Teilnehmer_Eintragen(t[4], false));
    EXPECT_EQ(t[4].aktuelle_teams, 10);
}

// The shipped European cup enters its groups by its national quotas: each
// nation's strongest clubs, each club once.
TEST_F(Qualifikation, AusgelieferterEuropapokalNachQuoten) {
    season_test::Meldungen m;
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(season_test::Quelle("data/config/1_wettbewerb.cfg").c_str(),
                                             season_test::Quelle("data/config/1_wettbewerb_alias.cfg").c_str()));
    i32 erste = -1;
    for (int i = 0; i < WETTBEWERB_ANZAHL && erste < 0; ++i)
        if (Wettbewerb_Tabelle[i].quali_land_anzahl > 0) erste = i;
    if (erste < 0) GTEST_SKIP() << "no national quotas in the shipped competitions";
    std::vector<i32> gruppen;
    for (i32 g = erste; g >= 0 && gruppen.size() < 16; g = Wettbewerb_Tabelle[g].naechste_gruppe) gruppen.push_back(g);
    for (i32 g : gruppen) {
        Wettbewerb_Tabelle[g].startteam_anzahl = 0;  // a later season: no start teams
        Wettbewerb_Tabelle[g].qualiwoche = 0;
    }
    for (i32 g : gruppen) ASSERT_TRUE(Wettbewerb_Teilnehmer_Eintragen(Wettbewerb_Tabelle[g], false)) << g;
    std::set<i32> drin;
    size_t summe = 0;
    for (i32 g : gruppen) {
        summe += static_cast<size_t>(Wettbewerb_Tabelle[g].aktuelle_teams);
        for (i32 x : Aktuell(Wettbewerb_Tabelle[g])) drin.insert(x);
    }
    EXPECT_EQ(drin.size(), summe);
    const Wettbewerb& w = Wettbewerb_Tabelle[erste];
    for (i32 q = 0; q < w.quali_land_anzahl; ++q) {
        const std::vector<i32> c = Clubs(w.quali_land[q][0]);
        for (i32 k = 0; k < w.quali_land[q][1] && k < static_cast<i32>(c.size()); ++k)
            EXPECT_EQ(drin.count(c[static_cast<size_t>(k)]), 1u) << "nation " << w.quali_land[q][0] << " club " << k;
    }
}

// A team that moves up to a more important competition of its kind leaves
// its old entry to the next free team of the table it came from; an entry of
// team 0 is replaced by a club that stands nowhere of that kind.
TEST_F(Qualifikation, AufsteigerMachtPlatzFuerDenNaechstenSeinerHerkunft) {
    const std::string text =
        "NEUER_WETTBEWERB\nIDENTIFIKATION L\nNAME \"Liga\"\nSUPER_ART LIGA\nTEAMS 4\n"
        "NEUER_WETTBEWERB\nIDENTIFIKATION S\nNAME \"Quelle\"\nSUPER_ART QUELLE\nTEAMS 2\nMODUS KO_SYSTEM\n"
        "QUALI_FUER EINS\n"
        "NEUER_WETTBEWERB\nIDENTIFIKATION EINS\nNAME \"Eins\"\nSUPER_ART EUROPA\nTEAMS 2\nWICHTIG 90\n"
        "NEUER_WETTBEWERB\nIDENTIFIKATION ZWEI\nNAME \"Zwei\"\nSUPER_ART EUROPA\nTEAMS 2\nWICHTIG 50\n";
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
    Wettbewerb* t = Wettbewerb_Tabelle;
    std::vector<i32> c;
    for (i32 x = 1; x < Team_Anzahl && c.size() < 5; ++x)
        if (x != Team_Transfermarkt && !(Team_Get_Art(x) & TEAM_ART_NATIONALTEAM)) c.push_back(x);
    for (int p = 0; p < 4; ++p) t[0].teilnehmer[p] = static_cast<i16>(c[static_cast<size_t>(p)]);
    t[1].teilnehmer[0] = static_cast<i16>(c[0]);
    t[1].teilnehmer[1] = static_cast<i16>(c[4]);
    t[2].start_team[0] = 0;  // a team 0 from the configuration
    t[2].slot_worte[0] = -1;
    t[2].startteam_anzahl = 1;
    t[3].start_team[0] = static_cast<i16>(c[0]);
    t[3].start_team[1] = static_cast<i16>(c[1]);
    t[3].slot_worte[0] = t[3].slot_worte[1] = 0;  // both came from the league
    t[3].startteam_anzahl = 2;
    Wettbewerb_Qualifikanten_Verteilen(t[1]);
    ASSERT_EQ(t[2].startteam_anzahl, 2);
    EXPECT_EQ(t[2].start_team[1], c[0]);
    // c[1] already stands in ZWEI, so the league's next free team is c[2].
    EXPECT_EQ(std::vector<i32>(t[3].start_team, t[3].start_team + 2), (std::vector<i32>{c[2], c[1]}));
    ASSERT_TRUE(Wettbewerb_Teilnehmer_Eintragen(t[2], false));
    const i32 ersatz = t[2].aktuelle_team[0];
    EXPECT_GT(ersatz, 0);
    EXPECT_NE(Team_Get_Art(ersatz) & TEAM_ART_NATIONALTEAM, TEAM_ART_NATIONALTEAM);
    for (i32 x : {c[0], c[1], c[2]}) EXPECT_NE(ersatz, x);
}

// A competition without enough teams stops instead of starting short, and
// a fill-up walk over a range without fitting teams ends.
TEST_F(Qualifikation, ZuWenigTeamsHaeltDenWettbewerbAn) {
    const std::string text =
        "NEUER_WETTBEWERB\nIDENTIFIKATION X\nNAME \"X\"\nTEAMS 8\nSUPER_ART A\n"
        "AUFFUELL_MIT_TEAMS 1,3,1\nKONTINENT Europa\n";
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
    Wettbewerb& w = Wettbewerb_Tabelle[0];
    EXPECT_FALSE(Wettbewerb_Teilnehmer_Eintragen(w, false));
    EXPECT_EQ(w.alle_x_jahre, -1);
    EXPECT_EQ(w.startteam_anzahl, 0);
    EXPECT_EQ(w.flags[1], 0);
}

}  // namespace
