// The competition configuration writer: the shipped competitions and edited
// records read back equal, without a message; a failed write says so. The
// data editor's edit: written and begun again gives the same table; a set
// naming a team the world does not have is refused and changes nothing; a
// new game waits while the edit is open.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "base/globals.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/qualifikation.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_schreiben.h"
#include "season/wettbewerb_werte.h"
#include "season_test_hilfen.h"
#include "world/welt.h"

namespace {

using season_test::Quelle;

// Every record's image.
std::vector<std::vector<u8>> tabelle() {
    std::vector<std::vector<u8>> t(WETTBEWERB_ANZAHL, std::vector<u8>(WETTBEWERB_GROESSE));
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) Wettbewerb_Bild_Schreiben(Wettbewerb_Tabelle[i], t[i].data());
    return t;
}

class WettbewerbSchreiben : public ::testing::Test {
  protected:
    void SetUp() override {
        Season_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Kalender_Init(nullptr);
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
    }
    void TearDown() override {
        Config_Modify_Free();
        Spiele_Free();
        Wettbewerb_Free();
        Kalender_Free();
    }
    // Writes the table, reads it again and checks that nothing changed and
    // nothing was reported.
    void rundreise(const std::string& alias) {
        const auto vorher = tabelle();
        const std::string datei = ordner.pfad + "/config/1_wettbewerb.cfg";
        season_test::Meldungen m;
        ASSERT_TRUE(Wettbewerb_Config_Schreiben_Pfad(datei.c_str(), alias.c_str(), "test01"));
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(datei.c_str(), alias.c_str()));
        EXPECT_TRUE(m.texte.empty()) << m.Alle() << season_test::Datei_Lesen(datei);
        const auto nachher = tabelle();
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) EXPECT_TRUE(vorher[i] == nachher[i]) << Wettbewerb_Tabelle[i].name;
    }
    season_test::Spielordner ordner;
};

// What a writer lost before: a round text after matchdays without one, texts
// beyond matchday 16, an empty qualification list before a full one, a team
// 0 inside the start list, a calendar position of its own.
TEST_F(WettbewerbSchreiben, BearbeiteteDatensaetzeVerlierenNichts) {
    const std::string text =
        "NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"Liga\"\nTEAMS 20\nSTARTTEILNEHMER 7,0,9\n"
        "NEUER_WETTBEWERB\nIDENTIFIKATION B\nNAME \"Pokal\"\nTEAMS 4\nMODUS KO_SYSTEM\n";
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
    Wettbewerb& a = Wettbewerb_Tabelle[0];
    a.rundentext[2] = 5;
    a.rundentext[30] = 7;
    a.quali_fuer[1][3] = 1;
    a.quali_fuer_anzahl = 2;
    a.kalender_position = 120;
    rundreise("");
    // A file that cannot be written is reported.
    EXPECT_FALSE(Wettbewerb_Config_Schreiben_Pfad((ordner.pfad + "/fehlt/1_wettbewerb.cfg").c_str(), nullptr, nullptr));
}

// The shipped competitions through the data editor's edit: written and
// begun again, the same table and no message.
TEST_F(WettbewerbSchreiben, AusgelieferteWettbewerbeUnveraendertZurueck) {
    for (std::string n : {"1_wettbewerb.cfg", "1_wettbewerb_alias.cfg"})
        ordner.Schreiben(n, season_test::Datei_Lesen(Quelle("data/config/" + n)));
    const i32 team_anzahl = Team_Anzahl;
    Team_Anzahl = 30000;
    season_test::Meldungen m;
    EXPECT_FALSE(Wettbewerb_Config_Schreiben(0, "test01"));  // no edit open
    ASSERT_TRUE(Config_Modify_Init(0, 0));
    i32 hoechstes = -1;
    for (const Wettbewerb* w = Wettbewerb_Tabelle; w < Wettbewerb_Tabelle + WETTBEWERB_ANZAHL; ++w)
        if (w->name[0]) hoechstes = std::max<i32>(hoechstes, *std::max_element(w->start_team, w->start_team + w->teams));
    auto index = [](const char* ident) {
        for (i32 i = 0; i < WETTBEWERB_ANZAHL; ++i)
            if (std::string(Wettbewerb_Tabelle[i].identifikation) == ident) return i;
        return -1;
    };
    const i32 d1 = index("D1"), d2 = index("D2"), pokal = index("POKAL_D");
    ASSERT_GE(std::min({d1, d2, pokal}), 0);
    const auto gelesen = tabelle();
    ASSERT_TRUE(Wettbewerb_Config_Schreiben(0, "test01"));
    ASSERT_TRUE(Config_Modify_Init(0, 0));
    EXPECT_TRUE(tabelle() == gelesen);
    const std::string datei = season_test::Datei_Lesen(ordner.pfad + "/config/1_wettbewerb.cfg");
    EXPECT_NE(datei.find("\tLAND" + std::string(31, ' ') + "#DEU\r\n"), std::string::npos);
    // A club moved from the top of the first league to the second is written
    // as moved; the cup that takes the league tree's top four names the club
    // now at its place, not the moved one; the home nation's leagues get
    // their level as calendar row, the others rows 4 and 5 in turn.
    const i16* oben = Wettbewerb_Tabelle[d1].aktuelle_team;
    const i16 a = oben[0], b = Wettbewerb_Tabelle[d2].aktuelle_team[0];
    const std::vector<i16> vier{oben[3], oben[2], oben[1], b};
    Wettbewerb_Tabelle[d1].aktuelle_team[0] = b, Wettbewerb_Tabelle[d2].aktuelle_team[0] = a;
    Wettbewerb_Tabelle[pokal].modus |= WB_QUALI_AUS_LIGABAUM;
    Wettbewerb_Tabelle[pokal].quali_aus_ligabaum = 4;
    Team_Heimnation = static_cast<u16>(Wettbewerb_Tabelle[d1].land);
    ASSERT_TRUE(Wettbewerb_Config_Schreiben(0, "test01"));
    Team_Heimnation = 65535;
    ASSERT_TRUE(Config_Modify_Init(0, 0));
    EXPECT_EQ(Wettbewerb_Tabelle[d1].start_team[0], b);
    EXPECT_EQ(Wettbewerb_Tabelle[d2].start_team[0], a);
    const Wettbewerb& p = Wettbewerb_Tabelle[pokal];
    EXPECT_EQ(std::vector<i16>(p.start_team, p.start_team + 4), vier);
    EXPECT_EQ(std::find(p.start_team, p.start_team + p.teams, a), p.start_team + p.teams);
    EXPECT_TRUE(Wettbewerb_Tabelle[d1].quali_fuer[4][3] == pokal && Wettbewerb_Tabelle[d1].quali_fuer[4][4] == -1);
    std::vector<i32> reihen;
    for (const char* liga : {"D1", "D2", "RN", "RS", "E1", "E2", "I1"})
        reihen.push_back(Wettbewerb_Tabelle[index(liga)].kalender_position);
    EXPECT_EQ(reihen, (std::vector<i32>{0, 1, 2, 2, 4, 5, 4}));
    EXPECT_TRUE(m.texte.empty()) << m.Alle();

    // Refused sets, each with its message; the edit stays as it was and the
    // program goes on: a world without the highest team (the line of its
    // start list), a record without identification, no file.
    ordner.Schreiben("2_wettbewerb.cfg", "NEUER_WETTBEWERB\nNAME \"A\"\nNEUER_WETTBEWERB\nIDENTIFIKATION B\n");
    const auto laufend = tabelle();
    const size_t listen = Wettbewerb_Config_Liste(6).size();
    const struct {
        int set;
        i32 teams;
        std::string meldung;
    } faelle[] = {{0, hoechstes, "] Error in wettbewerb.cfg:\n - (110) Team " + std::to_string(hoechstes) + " im "},
                  {1, 30000, "(102) Identifikation"},
                  {2, 30000, "3_wettbewerb.cfg fehlt"}};
    for (const auto& f : faelle) {
        m.texte.clear();
        Team_Anzahl = f.teams;
        EXPECT_FALSE(Config_Modify_Init(f.set, 0));
        EXPECT_TRUE(m.Enthaelt(f.meldung) && !m.Enthaelt("[0]")) << m.Alle();
        EXPECT_TRUE(tabelle() == laufend) << f.set;
        EXPECT_EQ(Wettbewerb_Config_Liste(6).size(), listen);
        EXPECT_TRUE(Config_Modify_Set() == 0 && Kalender_Ist_Initialisiert() && Quit_Status == QUIT_STATUS_LAEUFT);
    }
    m.texte.clear();

    // A new game waits for the edit without a box (the data editor that
    // holds it is open; nobody asked for a game); the program goes on.
    Kalender_Lauf_Reset();
    for (int i = 0; i < 3; ++i) Kalender_Run();
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_NEUES_SPIEL);
    EXPECT_EQ(m.texte.size(), 0u) << m.Alle();
    EXPECT_TRUE(Config_Modify_Free());
    EXPECT_FALSE(Config_Modify_Free());
    Kalender_Lauf_Reset();
    Team_Anzahl = team_anzahl;
}

}  // namespace

namespace {

// The editor's target of a place: only while the edit is open; an unknown
// competition, target or place is refused and changes nothing.
TEST_F(WettbewerbSchreiben, ZielEinesPlatzesSetzen) {
    for (std::string n : {"1_wettbewerb.cfg", "1_wettbewerb_alias.cfg"})
        ordner.Schreiben(n, season_test::Datei_Lesen(Quelle("data/config/" + n)));
    const i32 team_anzahl = Team_Anzahl;
    Team_Anzahl = 30000;
    season_test::Meldungen m;
    ASSERT_TRUE(Config_Modify_Init(0, 0));
    Team_Anzahl = team_anzahl;
    auto index = [](const char* ident) {
        for (i32 i = 0; i < WETTBEWERB_ANZAHL; ++i)
            if (std::string(Wettbewerb_Tabelle[i].identifikation) == ident) return i;
        return -1;
    };
    const i32 d2 = index("D2"), rn = index("RN"), d1 = index("D1");
    const i32 d2_id = Wettbewerb_Tabelle[d2].id, d1_id = Wettbewerb_Tabelle[d1].id, rn_id = Wettbewerb_Tabelle[rn].id;
    struct Fall {
        i32 id, platz, ziel;
        bool ok;
        i32 eintrag_platz, eintrag;  // list 0 at that place afterwards
    } faelle[] = {
        {d2_id, 2, d1_id, true, 2, d1},    // third place goes up too
        {d2_id, 17, rn_id, true, 17, rn},  // the last place
        {d2_id, 0, -1, true, 0, -1},       // no target
        {d2_id, 18, d1_id, false, 17, rn}, // place outside the league
        {d2_id, -1, d1_id, false, 2, d1},
        {d2_id, 3, 9999, false, 3, -1},    // unknown target
        {9999, 0, d1_id, false, 0, -1},    // unknown competition
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(Wettbewerb_Set_Qu(f.id, f.platz, f.ziel), f.ok) << f.platz << " " << f.ziel;
        EXPECT_EQ(Wettbewerb_Tabelle[d2].quali_fuer[0][f.eintrag_platz], f.eintrag) << f.platz << " " << f.ziel;
    }
    EXPECT_EQ(Wettbewerb_Get_Qu(d2_id, 2, 0), d1_id);
    // Without the edit nothing is set.
    Config_Modify_Free();
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad((ordner.pfad + "/config/1_wettbewerb.cfg").c_str(),
                                             (ordner.pfad + "/config/1_wettbewerb_alias.cfg").c_str()));
    const i32 vorher = Wettbewerb_Tabelle[d2].quali_fuer[0][2];
    EXPECT_FALSE(Wettbewerb_Set_Qu(Wettbewerb_Tabelle[d2].id, 2, Wettbewerb_Tabelle[d1].id));
    EXPECT_EQ(Wettbewerb_Tabelle[d2].quali_fuer[0][2], vorher);
}

}  // namespace

namespace {

// The keyword table is the only spelling of wettbewerb.cfg's keywords: every
// key line the writer puts into the file is a keyword of the table, and
// every keyword it writes, misspelt in the file, is reported with its line
// and the wrong word.
TEST_F(WettbewerbSchreiben, SchluesselStehenEinmalInDerTabelle) {
    for (std::string n : {"1_wettbewerb.cfg", "1_wettbewerb_alias.cfg"})
        ordner.Schreiben(n, season_test::Datei_Lesen(Quelle("data/config/" + n)));
    const i32 team_anzahl = Team_Anzahl;
    Team_Anzahl = 30000;
    ASSERT_TRUE(Config_Modify_Init(0, 0));
    ASSERT_TRUE(Wettbewerb_Config_Schreiben(0, "test01"));
    const std::string alias = ordner.pfad + "/config/1_wettbewerb_alias.cfg";
    const std::string datei = ordner.pfad + "/config/1_wettbewerb.cfg";
    const std::string gut = season_test::Datei_Lesen(datei);
    auto bekannt = [](const std::string& k) {
        for (int i = 0; i < WETTBEWERB_CONFIG_SCHLUESSEL; ++i)
            if (k == Wettbewerb_Config_Schluessel(i, false)) return true;
        return k == "INFOTEXT";
    };
    std::vector<std::string> gesehen;
    std::istringstream zeilen(gut);
    std::string zeile;
    size_t offset = 0;
    for (int nr = 1; std::getline(zeilen, zeile); nr++, offset += zeile.size() + 1) {
        const size_t a = zeile.find_first_not_of(" \t\r");
        if (a == std::string::npos || zeile[a] == ';') continue;
        const std::string k = zeile.substr(a, zeile.find_first_of(" \t\r", a) - a);
        if (k == "CHECKSUMME" || std::find(gesehen.begin(), gesehen.end(), k) != gesehen.end()) continue;
        gesehen.push_back(k);
        EXPECT_TRUE(bekannt(k)) << k << " (Zeile " << nr << ") steht nicht in der Tabelle";
        std::string falsch = gut;
        falsch.insert(offset + a + k.size(), "Q");
        ordner.Schreiben("1_wettbewerb.cfg", falsch);
        season_test::Meldungen m;
        Wettbewerb_Config_Lesen_Pfad(datei.c_str(), alias.c_str());
        std::string meldung = "[";
        meldung += std::to_string(nr);
        meldung += "] Syntax-Error in wettbewerb.cfg:\n - (101) Unbekannter Befehl (";
        meldung += k;
        meldung += "Q)";
        EXPECT_TRUE(m.Enthaelt(meldung)) << m.Alle();
    }
    EXPECT_GT(gesehen.size(), 40u);
    Team_Anzahl = team_anzahl;
}

}  // namespace
