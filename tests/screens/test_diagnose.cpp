// The hidden key mode's two developer actions through the program's wiring:
// action 8 opens the balance page (its figures, the star classes, a club
// short of keepers, competitions without clubs), action 15 reads players
// 1..49 from the server on a network client.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/bytes.h"
#include "base/ruf.h"
#include "gui/menue.h"
#include "kit.h"
#include "screens/club/diagnose.h"
#include "screens/screens.h"
#include "season/wettbewerb.h"
#include "season/kalender_zug.h"
#include "world/aufstellung.h"
#include "world/netz_rufe.h"
#include "world/welt.h"

namespace {

class Diagnose : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(1)); }
    void TearDown() override {
        ruf::Leitung_Setzen(nullptr);
        ruf::Als_Einzel();
        kit::Beenden();
    }
};

TEST_F(Diagnose, SterneKlassen) {
    struct Fall {
        i32 sterne, klasse;
    } faelle[] = {{0, 0}, {1, 0}, {2, 1}, {5, 2}, {9, 4}, {10, 5}, {11, 5}, {12, 5}, {-4, 0}, {40, 5}};
    for (const Fall& f : faelle) EXPECT_EQ(Diagnose_Sterne_Klasse(f.sterne), f.klasse) << f.sterne;
}

// Action 8 opens the page over the work area; a second time changes nothing.
TEST_F(Diagnose, AktionAchtZeigtDieBilanzseite) {
    ASSERT_TRUE(Kalender_Geheimtaste_Ausfuehren(8));
    ASSERT_TRUE(Screen_Offen(Screen_Id::DIAGNOSE));
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text("Transfermarkt-St\xE4rken (ohne Scouts):"));
    EXPECT_TRUE(kit::Text("Transfermarkt-St\xE4rken (nur Scouts):"));
    EXPECT_TRUE(kit::Text("NOT-Teams:"));
    EXPECT_TRUE(kit::Text(" pro Spieler"));
    kit::Png("diagnose");
    ASSERT_TRUE(Kalender_Geheimtaste_Ausfuehren(8));
    EXPECT_TRUE(Screen_Offen(Screen_Id::DIAGNOSE));
}

// The figures against the world: the market's classes add up to its players,
// a club that loses its keepers counts as short, a competition without
// clubs shows zeros instead of dividing by none.
TEST_F(Diagnose, ZahlenDerWelt) {
    const Diagnose_Zahlen z = Diagnose_Zaehlen();
    ASSERT_FALSE(z.wettbewerbe.empty());
    std::vector<i32> markt(2000);
    const struct {
        u32 filter;
        const i32* klassen;
    } maerkte[] = {{SP_FILTER_OHNE_SCOUT, z.markt}, {SP_STATUS_SCOUT, z.markt_scouts}};
    for (const auto& m : maerkte) {
        const int n = Teamspieler_Ins_Array(Team_Transfermarkt, markt.data(), 2000, m.filter);
        i32 summe = 0;
        for (i32 k = 0; k < DIAGNOSE_STERNE_KLASSEN; ++k) summe += m.klassen[k];
        EXPECT_EQ(summe, n) << m.filter;
    }
    EXPECT_EQ(z.spieler, Spieler_Anzahl);
    // Before the season starts a league counts the clubs entered for it.
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true);
    const auto l = std::find_if(z.wettbewerbe.begin(), z.wettbewerbe.end(),
                                [&](const Diagnose_Wettbewerb& w) { return w.id == liga; });
    ASSERT_NE(l, z.wettbewerbe.end());
    EXPECT_GE(l->teams, 10);
    EXPECT_GT(l->schnitt, 0);
    EXPECT_GE(l->maximum, Team_Get_Staerke(Team_Aktiv));
    EXPECT_LE(l->minimum, Team_Get_Staerke(Team_Aktiv));
    EXPECT_GT(z.attribute, 0);
    for (const Diagnose_Wettbewerb& w : z.wettbewerbe) {
        SCOPED_TRACE(w.id);
        if (w.teams == 0) {
            EXPECT_EQ(w.schnitt, 0);
            EXPECT_EQ(w.minimum, 0);
            EXPECT_EQ(w.maximum, 0);
        } else {
            EXPECT_LE(w.minimum, w.schnitt);
            EXPECT_LE(w.schnitt, w.maximum);
        }
    }
    // The active club's keepers become defenders: it is short of keepers.
    const i32 team = Team_Aktiv;
    ASSERT_EQ(std::count(z.kurze_teams.begin(), z.kurze_teams.end(), team), 0);
    std::vector<i32> torhueter;
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i)
        if ((Spieler_Fix_Daten[Team_Kader(team)[i]].position & 3) == 0) torhueter.push_back(Team_Kader(team)[i]);
    ASSERT_GE(torhueter.size(), 2u);
    // One keeper left: still short (two are needed).
    for (size_t i = 1; i < torhueter.size(); ++i) Spieler_Fix_Daten[torhueter[i]].position = 1;
    const Diagnose_Zahlen kurz = Diagnose_Zaehlen();
    EXPECT_EQ(std::count(kurz.kurze_teams.begin(), kurz.kurze_teams.end(), team), 1);
    EXPECT_EQ(kurz.kurze_teams.size(), z.kurze_teams.size() + 1);
    for (size_t i = 1; i < torhueter.size(); ++i) Spieler_Fix_Daten[torhueter[i]].position = 0;
}

// Action 15 on a network client asks the server for the fixed data of
// players 1..49, one call each.
std::vector<i32> gelesen;
bool aufzeichnen(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>*) {
    if (nummer == RUF_SPIELER_DATEN.nummer && argumente.size() == 12) {
        i32 modus = 0, team = 0, spieler = 0;
        bytes::Leser l(argumente.data(), argumente.size());
        l(modus), l(team), l(spieler);
        if (modus == 0 && team == -1) gelesen.push_back(spieler);
    }
    return false;  // no answer: nothing is taken over
}

TEST_F(Diagnose, AktionFuenfzehnLiestSpielerVomServer) {
    gelesen.clear();
    ruf::Leitung_Setzen(aufzeichnen);
    ruf::Als_Netz(false);
    ASSERT_TRUE(Kalender_Geheimtaste_Ausfuehren(15));
    ruf::Als_Einzel();
    ASSERT_EQ(gelesen.size(), 49u);
    for (i32 i = 0; i < 49; ++i) EXPECT_EQ(gelesen[static_cast<size_t>(i)], i + 1);
    // In single play nothing goes out.
    gelesen.clear();
    ASSERT_TRUE(Kalender_Geheimtaste_Ausfuehren(15));
    EXPECT_TRUE(gelesen.empty());
}

}  // namespace
