// The competition table on the wire (1004, 1005) and in the configuration
// cache of its set.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/compress.h"
#include "base/datei.h"
#include "base/globals.h"
#include "base/spielstand.h"
#include "season/freundschaft.h"
#include "season/kalender.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/welt.h"

namespace {

const char* const TEXT =
    "CHECKSUMME 0\n"
    "NEUER_WETTBEWERB\nIDENTIFIKATION L1\nNAME \"Liga\"\nGRUPPEN_NAME \"Gruppe\"\nTEAMS 18\nBASISLIGA JA\n"
    "QUALI_FUER POKAL,,POKAL\nSTARTTEILNEHMER 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18\nRUNDENTEXT FINALE\n"
    "NEUER_WETTBEWERB\nIDENTIFIKATION POKAL\nNAME \"Pokal\"\nTEAMS 16\nMODUS KO_SYSTEM\nMODUS RUECKSPIELE\n"
    "WER_GEGEN_WEN 0,1,2,3,4,5,6,7\nSIEGER 4\n"
    "NEUER_WETTBEWERB\nIDENTIFIKATION GROSS\nNAME \"Gross\"\nTEAMS 24\nSPIELTAGE 46\n";

class Transfer : public ::testing::Test {
  protected:
    void SetUp() override {
        Season_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Quit_Status = QUIT_STATUS_LAEUFT;
        Kalender_Init(nullptr);
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(TEXT, static_cast<u32>(std::strlen(TEXT))));
        Wettbewerb_Tabelle[1].aktuelle_team[3] = 77;
        Wettbewerb_Tabelle[1].kalendermarke = 4;
    }
    void TearDown() override {
        Spielstand_Config_Modul_Abmelden(CONFIG_BLOCK_WETTBEWERBE);
        Spiele_Free();
        Wettbewerb_Free();
        Kalender_Free();
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
    static std::vector<u8> strom() {
        std::vector<u8> s;
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) EXPECT_TRUE(Wettbewerb_Serialisieren(i, s));
        return s;
    }
};

TEST_F(Transfer, FreierDatensatzZweiBytesUndLeereQualiListeEinByte) {
    std::vector<u8> s;
    ASSERT_TRUE(Wettbewerb_Serialisieren(100, s));
    EXPECT_EQ(s, (std::vector<u8>{1, 0}));
    EXPECT_FALSE(Wettbewerb_Serialisieren(128, s));
}

TEST_F(Transfer, Tabelle1004HinUndZurueck) {
    // The server's leagues have their pairing orders; the client keeps them.
    Wettbewerb_Spielplaene_Erstellen();
    for (int i = 0; i < 3; ++i) Wettbewerb_Tabelle[i].spielplan = -1;
    const std::vector<u8> vorher = strom();
    i32 freund = 0, dummy = 0;
    Wettbewerb_Dummy_Anzahl = 2;
    std::vector<u8> gepackt = Wettbewerb_Internet_Server_Send_Tabelle(&freund, &dummy);
    ASSERT_FALSE(gepackt.empty());
    EXPECT_EQ(dummy, 2);
    // A client with an empty table takes it over and builds every plan.
    Spiele_Init();
    Wettbewerb_Reset(-1);
    ASSERT_TRUE(Wettbewerb_Tabelle_Empfangen(gepackt.data(), static_cast<u32>(gepackt.size()), freund, 3));
    EXPECT_EQ(Wettbewerb_Dummy_Anzahl, 3);
    EXPECT_STREQ(Wettbewerb_Tabelle[0].gruppen_name, "Gruppe");
    EXPECT_EQ(Wettbewerb_Tabelle[1].aktuelle_team[3], 77);
    EXPECT_EQ(Wettbewerb_Tabelle[0].quali_fuer[0][2], 1);
    EXPECT_EQ(Wettbewerb_Tabelle[3].name[0], 0);
    for (int i = 0; i < 3; ++i) EXPECT_GT(Spiele_Anzahl_Spiele(Wettbewerb_Tabelle[i].spielplan), 0u) << i;
    // Everything that travels is the same (the plan keys are the client's own).
    for (int i = 0; i < 3; ++i) Wettbewerb_Tabelle[i].spielplan = -1;
    EXPECT_EQ(strom(), vorher);
}

// The friendlies competition (no teams of its own) travels to a client
// with the table and its status, and a client takes it over.
TEST_F(Transfer, FreundschaftsspieleReisenMit) {
    const i32 id = Wettbewerb_Freundschaftsspiele_Anlegen();
    ASSERT_GE(id, 0);
    Wettbewerb_Spielplaene_Erstellen();
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) Wettbewerb_Tabelle[i].spielplan = -1;
    const std::vector<u8> vorher = strom();
    i32 freund = -1, dummy = 0;
    std::vector<u8> gepackt = Wettbewerb_Internet_Server_Send_Tabelle(&freund, &dummy);
    EXPECT_EQ(freund, id);
    EXPECT_EQ(dummy, 1);
    const std::vector<u8> status = Wettbewerb_Internet_Server_Send_Tabelle_2();
    Spiele_Init();
    Wettbewerb_Reset(-1);
    ASSERT_TRUE(Wettbewerb_Tabelle_Empfangen(gepackt.data(), static_cast<u32>(gepackt.size()), freund, dummy));
    EXPECT_EQ(Wettbewerb_Get_Freundschaftsspiele(), id);
    ASSERT_NE(Wettbewerb_Get_Zeiger(id), nullptr);
    EXPECT_EQ(Wettbewerb_Get_Zeiger(id)->teams, 0);
    EXPECT_TRUE(Wettbewerb_Status_Empfangen(status.data(), static_cast<u32>(status.size())));
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) Wettbewerb_Tabelle[i].spielplan = -1;
    EXPECT_EQ(strom(), vorher);
}

TEST_F(Transfer, GrosseLigaSprengtDasPaarungsfeldNicht) {
    // 24 teams x 46 matchdays would need 552 pairing entries; the field holds 513.
    std::vector<u8> s;
    ASSERT_TRUE(Wettbewerb_Serialisieren(2, s));
    u32 pos = 0;
    ASSERT_TRUE(Wettbewerb_Deserialisieren(2, s.data(), static_cast<u32>(s.size()), &pos));
    EXPECT_EQ(pos, s.size());
}

TEST_F(Transfer, BeschaedigterStromLaesstDieTabelleUnveraendert) {
    std::vector<u8> s = strom();
    std::vector<u8> gepackt(Tools_RLE_Max_Gepackt(static_cast<u32>(s.size())));
    // Cut the stream short: every cut position is refused.
    for (size_t cut : {size_t{1}, size_t{30}, s.size() / 2, s.size() - 1}) {
        u32 n = Tools_RLE_Packen(s.data(), gepackt.data(), static_cast<u32>(cut));
        EXPECT_FALSE(Wettbewerb_Tabelle_Empfangen(gepackt.data(), n, -1, 0)) << cut;
        EXPECT_STREQ(Wettbewerb_Tabelle[0].name, "Liga");
        EXPECT_EQ(Wettbewerb_Tabelle[1].aktuelle_team[3], 77);
    }
    // A team count beyond the lists.
    std::vector<u8> b = s;
    size_t teams = 1 + std::strlen("Liga") + 1 + 1 + std::strlen("Gruppe") + 1;
    put_i32le(b.data() + teams, 200);
    u32 n = Tools_RLE_Packen(b.data(), gepackt.data(), static_cast<u32>(b.size()));
    EXPECT_FALSE(Wettbewerb_Tabelle_Empfangen(gepackt.data(), n, -1, 0));
    EXPECT_EQ(Wettbewerb_Tabelle[0].teams, 18);
    EXPECT_FALSE(Wettbewerb_Tabelle_Empfangen(gepackt.data(), 5, -1, 0));
    // Records that name a round, a group or a qualification target that does
    // not exist, or a team the world does not have, are refused as a table.
    const struct {
        const char* was;
        void (*verderben)(Wettbewerb& w);
    } faelle[] = {
        {"next round free", [](Wettbewerb& w) { w.naechste_runde = 100; }},
        {"next group free", [](Wettbewerb& w) { w.naechste_gruppe = 50; }},
        {"qualification target free", [](Wettbewerb& w) { w.quali_fuer[0][1] = 90; }},
        {"team beyond the world", [](Wettbewerb& w) { w.aktuelle_team[0] = 5000; }},
    };
    ASSERT_TRUE(Welt_Anlegen(100, 0));
    for (const auto& f : faelle) {
        const Wettbewerb vorher = Wettbewerb_Tabelle[0];
        f.verderben(Wettbewerb_Tabelle[0]);
        Wettbewerb_Tabelle[0].aktuelle_teams = std::max(Wettbewerb_Tabelle[0].aktuelle_teams, 1);
        i32 freund = 0, dummy = 0;
        std::vector<u8> p = Wettbewerb_Internet_Server_Send_Tabelle(&freund, &dummy);
        Wettbewerb_Tabelle[0] = vorher;
        EXPECT_FALSE(Wettbewerb_Tabelle_Empfangen(p.data(), static_cast<u32>(p.size()), freund, dummy)) << f.was;
        EXPECT_EQ(std::memcmp(&Wettbewerb_Tabelle[0], &vorher, sizeof vorher), 0) << f.was;
    }
    Welt_Freigeben();
}

TEST_F(Transfer, Status1005HinUndZurueck) {
    Wettbewerb_Tabelle[1].aktueller_spieltag = 3;
    Wettbewerb_Tabelle[1].flags[1] = 1;
    std::vector<u8> gepackt = Wettbewerb_Internet_Server_Send_Tabelle_2();
    Wettbewerb_Tabelle[1].aktueller_spieltag = 0;
    Wettbewerb_Tabelle[1].flags[1] = 0;
    ASSERT_TRUE(Wettbewerb_Status_Empfangen(gepackt.data(), static_cast<u32>(gepackt.size())));
    EXPECT_EQ(Wettbewerb_Tabelle[1].aktueller_spieltag, 3);
    EXPECT_EQ(Wettbewerb_Tabelle[1].flags[1], 1);
    EXPECT_EQ(Wettbewerb_Tabelle[0].startteam_anzahl, 18);
    // A status of a bigger table is refused, and nothing changes.
    EXPECT_FALSE(Wettbewerb_Status_Empfangen(gepackt.data(), static_cast<u32>(gepackt.size()) - 3));
    // The client calls report the failure of the network honestly.
    Internet_Modus = INTERNET_MODUS_CLIENT;
    EXPECT_FALSE(Wettbewerb_Internet_Client_Hole_Status());
    EXPECT_FALSE(Wettbewerb_Internet_Client_Hole_Tabelle());
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

TEST_F(Transfer, CacheBlockByteGleichUndMitLuecken) {
    // A free record between named ones: the records after it stay.
    Wettbewerb_Tabelle[5] = Wettbewerb_Tabelle[2];
    Wettbewerb_Tabelle[5].id = 99;
    Wettbewerb_Reset(2);
    std::memset(Wettbewerb_Tabelle[2].name, 0, 25);
    Wettbewerb_Config_Bin_Set(3);
    Wettbewerb_Spielplaene_Erstellen();
    std::vector<u8> a = season_test::Block_Bytes(Wettbewerb_Config_Bin_Save);
    Wettbewerb_Reset(-1);
    Spiele_Init();
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(a.data(), static_cast<u32>(a.size()));
    ASSERT_TRUE(Wettbewerb_Config_Bin_Load(d));
    Datei_Schliessen(d);
    EXPECT_EQ(Wettbewerb_Tabelle[0].name[0], 0);  // staged only
    Wettbewerb_Config_Bin_Uebernehmen();
    EXPECT_STREQ(Wettbewerb_Tabelle[5].name, "Gross");
    EXPECT_GT(Spiele_Anzahl_Spiele(Wettbewerb_Tabelle[5].spielplan), 0u);
    EXPECT_EQ(season_test::Block_Bytes(Wettbewerb_Config_Bin_Save), a);
}

TEST_F(Transfer, CacheEinesAnderenSatzesWirdAbgelehnt) {
    Wettbewerb_Config_Bin_Set(1);
    std::vector<u8> a = season_test::Block_Bytes(Wettbewerb_Config_Bin_Save);
    Wettbewerb_Config_Bin_Set(2);
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(a.data(), static_cast<u32>(a.size()));
    EXPECT_FALSE(Wettbewerb_Config_Bin_Load(d));
    Datei_Schliessen(d);
    Wettbewerb_Config_Bin_Set(1);
    std::vector<u8> b = a;
    put_u32le(b.data(), 200);  // another version
    d = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
    EXPECT_FALSE(Wettbewerb_Config_Bin_Load(d));
    Datei_Schliessen(d);
    b = a;
    put_u32le(b.data() + 8, 129);  // more records than the table holds
    d = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
    EXPECT_FALSE(Wettbewerb_Config_Bin_Load(d));
    Datei_Schliessen(d);
    b = a;
    put_u32le(b.data() + 8, 2);  // a size that does not match the data
    d = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
    EXPECT_FALSE(Wettbewerb_Config_Bin_Load(d));
    Datei_Schliessen(d);
    EXPECT_STREQ(Wettbewerb_Tabelle[0].name, "Liga");
}

TEST_F(Transfer, SpielstartLiestDenCacheSeinesSatzesSonstDenText) {
    season_test::Spielordner ordner;
    season_test::Meldungen m;
    ordner.Schreiben("2_wettbewerb.cfg", TEXT);
    ordner.Schreiben("2_wettbewerb_alias.cfg", "; leer\n");
    Wettbewerb_Reset(-1);
    Spiele_Init();
    // No cache yet: the text is read and the cache of set 1 (file 2) written.
    ASSERT_TRUE(Wettbewerb_Config_Spielstart(1, 1));
    EXPECT_TRUE(Wettbewerb_Config_Cache_Geschrieben());
    EXPECT_TRUE(std::filesystem::exists(ordner.pfad + "/config/2_config.bin"));
    EXPECT_FALSE(std::filesystem::exists(ordner.pfad + "/config/1_config.bin"));
    EXPECT_STREQ(Wettbewerb_Tabelle[1].name, "Pokal");
    // The second start reads the cache: a changed text is not read.
    ordner.Schreiben("2_wettbewerb.cfg", "NEUER_WETTBEWERB\nIDENTIFIKATION X\nNAME \"Anders\"\n");
    Wettbewerb_Reset(-1);
    Spiele_Init();
    ASSERT_TRUE(Wettbewerb_Config_Spielstart(1, 1));
    EXPECT_STREQ(Wettbewerb_Tabelle[0].name, "Liga");
    EXPECT_GT(Spiele_Anzahl_Spiele(Wettbewerb_Tabelle[0].spielplan), 0u);
    // The cache of set 1 is refused for set 2 (copied under its name): rebuilt from the text.
    std::filesystem::copy_file(ordner.pfad + "/config/2_config.bin", ordner.pfad + "/config/3_config.bin");
    ordner.Schreiben("3_wettbewerb.cfg", "NEUER_WETTBEWERB\nIDENTIFIKATION X\nNAME \"Drei\"\n");
    Wettbewerb_Reset(-1);
    Spiele_Init();
    ASSERT_TRUE(Wettbewerb_Config_Spielstart(2, -1));
    EXPECT_STREQ(Wettbewerb_Tabelle[0].name, "Drei");
    EXPECT_EQ(Wettbewerb_Config_Letzter_Set(), 2);
}

}  // namespace
