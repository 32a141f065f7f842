// The competition configuration writer: the shipped competitions and edited
// records read back equal, without a message; a failed write says so.
#include <gtest/gtest.h>

#include <vector>

#include "base/globals.h"
#include "season/kalender.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_schreiben.h"
#include "season_test_hilfen.h"

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

TEST_F(WettbewerbSchreiben, AusgelieferteWettbewerbeUnveraendertZurueck) {
    const std::string alias = Quelle("data/config/1_wettbewerb_alias.cfg");
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(Quelle("data/config/1_wettbewerb.cfg").c_str(), alias.c_str()));
    rundreise(alias);
    const std::string datei = season_test::Datei_Lesen(ordner.pfad + "/config/1_wettbewerb.cfg");
    EXPECT_NE(datei.find("\tLAND" + std::string(31, ' ') + "#DEU\r\n"), std::string::npos);
}

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

}  // namespace
