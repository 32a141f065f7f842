// The option block, the team options and the season keys of global.cfg.
#include <gtest/gtest.h>

#include "base/datei.h"
#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "season/optionen_block.h"
#include "season_test_hilfen.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

// Runs first: no stadium model has been selected yet in this program.
TEST(Optionen, StadionSchluesselVorDemModell) {
    Stadion_Modelle_Zuruecksetzen();
    const i32 vorher = Stadion_Get_Klasse(0).baupreis;
    season_test::Meldungen m;
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("BAUPREIS", 5), 1);
    EXPECT_TRUE(m.Genau("Kein Stadion initialisiert"));
    EXPECT_EQ(Stadion_Get_Klasse(0).baupreis, vorher);
}

TEST(Optionen, StandardwerteUndBlock) {
    Optionen_Reset();
    EXPECT_EQ(Option_Wert(OPTION_AUTOSAVE, 0, 7), 1);  // the weekly autosave is on in a new game
    EXPECT_EQ(Option_Wert(19, 1, 0), 0);
    EXPECT_EQ(Option_Wert(19, 0, 5), 0);
    u8 a[140], b[140];
    Optionen_Schreiben(a);
    EXPECT_EQ(get_i32le(a), 1);
    EXPECT_EQ(get_i32le(a + 20 + 2 * 4), 1);
    Optionen_Reset();
    Optionen_Lesen(a);
    Optionen_Schreiben(b);
    EXPECT_EQ(0, std::memcmp(a, b, sizeof a));
    EXPECT_EQ(Option_Wert(19, 0, 5), 0);
    Optionen_Reset();
}

TEST(Optionen, ManagerTeamUndUnbekannteIndizes) {
    Optionen_Reset();
    EXPECT_EQ(Option_Wert(201, 1, 9), 9);
    EXPECT_EQ(Option_Wert(201, 0, 1), 2);  // 9 stores 2 in entry 1
    EXPECT_EQ(Option_Wert(201, 0, 7), 7);  // another entry value is returned unchanged
    EXPECT_EQ(Option_Wert(35, 1, 12), 12);
    EXPECT_EQ(Option_Wert(47, 0, 13), 13);
    EXPECT_EQ(Option_Wert(500, 0, 14), 14);
    Option_Wert(200, 1, 3);
    EXPECT_EQ(Option_Wert(200, 0, 0), 3);
    Optionen_Reset();
}

TEST(Optionen, TeamOptionen) {
    Welt_Freigeben();
    EXPECT_EQ(Option_Wert(40, 0, 77), 77);  // no team record: the value comes back
    ASSERT_TRUE(Welt_Anlegen(10, 0));
    Team_Aktiv = 3;
    EXPECT_EQ(Option_Wert(40, 0, 77), 77);  // a team without a manager has none either
    ASSERT_TRUE(Manager_Neuer_Mitspieler(3, "Test", 0));
    u8* team_optionen = static_cast<u8*>(Team_Zeiger(306, 3, nullptr, 0));
    ASSERT_NE(team_optionen, nullptr);
    team_optionen[2] = 0;
    EXPECT_EQ(Option_Wert(40, 1, -3), -3);
    EXPECT_EQ(Option_Wert(40, 0, 0), -3);
    EXPECT_EQ(Option_Wert(41, 1, 5), 5);
    EXPECT_EQ(Option_Wert(42, 1, 3), 1);
    EXPECT_EQ(Option_Wert(43, 1, 0), 0);
    EXPECT_EQ(team_optionen[2], 1);
    Option_Wert(43, 1, 1);
    EXPECT_EQ(team_optionen[2], 3);
    EXPECT_EQ(Option_Wert(42, 1, 2), 0);  // bit 0 of the value
    EXPECT_EQ(team_optionen[2], 2);
    Welt_Freigeben();
}

TEST(Optionen, GlobaleSchluesselMitGrenzen) {
    Stadion_Modelle_Zuruecksetzen();
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("STADION_MODELL_3", 0), 1);
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("MAX_KAPAZITAET", 200000), 1);
    EXPECT_EQ(Stadion_Get_Klasse(2).max_kapazitaet, 150000);
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("NORMKOMFORT", -5), 1);
    EXPECT_EQ(Stadion_Get_Klasse(2).normkomfort, 0);
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("WERBUNG_VERTRAGSDAUER", 2), 1);
    EXPECT_EQ(Werbung_Einstellung.vertragsdauer, 5);
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("OPTION_TIMER", 600000), 1);
    EXPECT_EQ(Option_Wert(0, 0, 0), 540000);
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("ANZ_TEAMS", 9), 1);
    EXPECT_EQ(Option_Wert(200, 0, 0), 4);
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("SPIEL_FAST", 1), 1);
    EXPECT_EQ(Kalender_Get_Spiel_Fast(), 1);
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("STADION_NORMPREIS_LEVEL", 0), 1);
    EXPECT_EQ(Stadion_Get_Level(1), 1);
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("INFOTEXT", 0), 0);
    EXPECT_EQ(Global_Cfg_Schluessel_Wert("stadion_modell_1", 0), 0);  // exact text only
    EXPECT_EQ(Global_Cfg_Schluessel(nullptr), 0);
    Kalender_Set_Spiel_Fast(0);
    Optionen_Reset();
    Stadion_Modelle_Zuruecksetzen();
}

TEST(Optionen, HoechstensVierManagerTeams) {
    Optionen_Reset();
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Global_Cfg_Schluessel_Wert("MANAGER_TEAM", 10 + i), 1);
    EXPECT_EQ(Global_Cfg_Manager_Team_Anzahl(), 4);
    EXPECT_EQ(Option_Wert(201, 0, 3), 13);
    // Reading the global configuration again changes no entry.
    Global_Cfg_Schluessel_Wert("MANAGER_TEAM", 99);
    EXPECT_EQ(Option_Wert(201, 0, 0), 10);
    Optionen_Reset();
}

// Every option of the saved block at its two edges and one past them: the
// edges load, a value past them refuses the block and the running options
// stay as they were.
TEST(Optionen, JedeOptionInIhremBereich) {
    Optionen_Reset();
    u8 vorher[OPTIONEN_GROESSE];
    Optionen_Schreiben(vorher);
    int geprueft = 0;
    for (const Feld_Grenze<Optionen_Block>& b : OPTIONEN_FELDER)
        for (const auto& [wert, gut] : {std::pair{b.min - 1, false}, {b.min, true}, {b.max, true}, {b.max + 1, false}}) {
            Optionen_Block block = Optionen_Get();
            b.setzen(block, wert);
            u8 bild[OPTIONEN_GROESSE];
            bytes::bild_schreiben(bild, OPTIONEN_GROESSE, [&](bytes::Schreiber& s) { s(block); });
            EXPECT_EQ(Optionen_Gueltig(bild), gut) << b.name << " = " << wert;
            Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(bild, OPTIONEN_GROESSE);
            const bool ok = Optionen_Lesen_Block(d);
            Datei_Schliessen(d);
            EXPECT_EQ(ok, gut) << b.name << " = " << wert;
            if (ok) Optionen_Uebernehmen();
            else Optionen_Verwerfen();
            u8 jetzt[OPTIONEN_GROESSE];
            Optionen_Schreiben(jetzt);
            EXPECT_EQ(std::memcmp(jetzt, gut ? bild : vorher, OPTIONEN_GROESSE), 0) << b.name << " = " << wert;
            Optionen_Reset();
            ++geprueft;
        }
    EXPECT_EQ(geprueft, 4 * (5 + OPTIONEN_WERTE));
}

}  // namespace
