// After-match events: a riot needs a home defeat (over every position of the
// random table), and it books its fine and costs comfort; a strong player
// left out sulks; whether a talent is open to a player, down its chain.
#include <gtest/gtest.h>

#include <string>

#include "base/globals.h"
#include "base/random.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/news.h"
#include "world/bank.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/welt.h"

namespace {

TEST(EreignisNachSpiel, RandaleNurNachHeimniederlage) {
    ASSERT_TRUE(Welt_Anlegen(4, 3 * 20 + TRANSFERMARKT_SPIELER));
    for (int s = 0; s < Spieler_Anzahl; s++)
        Spieler_Daten[s].team = s < TRANSFERMARKT_SPIELER ? 0 : 1 + (s - TRANSFERMARKT_SPIELER) / 20;
    Team_Kader_Neu_Aufbauen();
    ASSERT_TRUE(Manager_Neuer_Mitspieler(1, "Test", 0) && Kalender_Init(nullptr));
    Bank_Init();
    Stadion_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(1, 1000000.0, 0));
    Stadion_Daten* st = Stadion_Get(1, 1);
    ASSERT_NE(st, nullptr);
    Schwierigkeit = 2;
    const std::string cfg = "NEUES_EREIGNIS\nKATEGORIE RANDALE\nTEXT \"Randale: %s, %d\"\nWERT1 50000\nWERT2 10\n";
    Ereignis_Init();
    ASSERT_TRUE(Ereignis_Laden_Text(cfg.data(), static_cast<u32>(cfg.size())));
    int randale[3] = {};  // away defeat, home win, home defeat
    const i32 faelle[3][3] = {{1, 3, 0}, {0, 3, 0}, {0, 0, 3}};
    for (int f = 0; f < 3; ++f)
        for (i32 c = 0; c < 6000; ++c) {
            News_Init();
            st->komfort = 50, st->klasse = 5;
            const f64 vorher = Bank_Get_Kontostand(1, 0, -1);
            Rnd_Set_Index(c, 0);
            Ereignis_Nach_Spiel(1, faelle[f][0], faelle[f][1], faelle[f][2]);
            if (News_Anzahl() == 0) continue;
            ++randale[f];
            ASSERT_EQ(News_Get_Text(0).rfind("Randale: ", 0), 0u) << News_Get_Text(0);
            EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(1, 0, -1), vorher - 50000.0);
            EXPECT_TRUE(st->komfort >= 35 && st->komfort <= 45) << st->komfort;
        }
    EXPECT_EQ(randale[0] + randale[1], 0);
    EXPECT_GT(randale[2], 0);
    News_Free();
    Stadion_Free();
    Bank_Free();
    Kalender_Free();
    Ereignis_Free();
    Welt_Freigeben();
}

// Four clubs of 20 and the market; team 1 has a manager.
class EreignisWelt : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Welt_Anlegen(4, 3 * 20 + TRANSFERMARKT_SPIELER));
        for (int s = 0; s < Spieler_Anzahl; s++) {
            Spieler_Daten[s].team = s < TRANSFERMARKT_SPIELER ? 0 : 1 + (s - TRANSFERMARKT_SPIELER) / 20;
            Spieler_Fix_Daten[s].position = 2;
            Spieler_Daten[s].staerke = 4;
        }
        Team_Kader_Neu_Aufbauen();
        ASSERT_TRUE(Manager_Neuer_Mitspieler(1, "Test", 0) && Kalender_Init(nullptr));
        Schwierigkeit = 2;
        std::copy(Attribut_Tabelle, Attribut_Tabelle + 54, tabelle);
        Ereignis_Init();
    }
    void TearDown() override {
        std::copy(tabelle, tabelle + 54, Attribut_Tabelle);
        News_Free();
        Ereignis_Free();
        Kalender_Free();
        Welt_Freigeben();
    }
    Attribut_Def tabelle[54];
};

// Offers after a managed club's match arrive at their rate: a chance in
// three that anything happens, then one in eleven for the maximum-strength
// offer (about 3 % of the matches); the counts tools read say the same as
// the questions in the inbox.
TEST_F(EreignisWelt, AngeboteNachDemSpielInIhrerRate) {
    const std::string cfg =
        "NEUES_EREIGNIS\nKATEGORIE SPIELER_MAXSTAEKE_VERAENDERT\nTEXT \"%s von %d auf %d fuer %s?\"\n"
        "JA_TEXT \"ja\"\nNEIN_TEXT \"nein\"\n";
    ASSERT_TRUE(Ereignis_Laden_Text(cfg.data(), static_cast<u32>(cfg.size())));
    for (i32 i = 0; i < Team_Kader_Anzahl(1); ++i) Spieler_Wert(97, Team_Kader(1)[i], 6, OP_SCHREIBEN);
    constexpr i32 SPIELE = 6000;
    i64 fragen = 0;
    for (i32 c = 0; c < SPIELE; ++c) {
        News_Init();
        Rnd_Set_Index(c, 0);
        Ereignis_Nach_Spiel(1, c % 2, 1, 1);
        for (i32 i = 0; i < News_Anzahl(); ++i)
            fragen += News_Get_Flags(i, 1) >= 0 && (News_Get_Flags(i, 1) & NEWS_FRAGE) != 0;
    }
    const Ereignis_Zahlen& z = Ereignis_Get_Zahlen();
    EXPECT_EQ(z.spiele, SPIELE);
    EXPECT_EQ(z.fragen[EREIGNIS_MAXSTAERKE_VERAENDERT], fragen);
    EXPECT_GE(fragen, SPIELE / 33 / 2);
    EXPECT_LE(fragen, SPIELE / 33 * 2);
    EXPECT_GE(z.erste_frage_tag, 0);
}

TEST_F(EreignisWelt, SpielerNachSpielNurDerStarkeFitteUnzufriedene) {
    const std::string cfg = "NEUES_EREIGNIS\nKATEGORIE SPIELER_NICHT_EINGESETZT\nTEXT \"%s ist sauer\"\n";
    ASSERT_TRUE(Ereignis_Laden_Text(cfg.data(), static_cast<u32>(cfg.size())));
    const i32 s = Team_Kader(1)[0];
    struct Fall {
        const char* name;
        i32 staerke, erschoepfung, status, moral;
        bool sauer;
    };
    const Fall faelle[] = {
        {"strong, moody", 9, 9, 0, 4, true},
        {"just above the team", 6, 9, 0, 4, true},
        {"not above the team", 5, 9, 0, 4, false},
        {"low value 56", 9, 3, 0, 4, false},
        {"injured", 9, 9, 0x40, 4, false},
        {"suspended", 9, 9, 0x400, 4, false},
        {"morale already 0", 9, 9, 0, 0, false},
        {"morale 1 drops to 0", 9, 9, 0, 1, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        int sauer = 0, zwei = 0;
        for (i32 c = 0; c < 3000; ++c) {
            Spieler_Daten[s].staerke = static_cast<u8>(f.staerke);
            Spieler_Wert(56, s, f.erschoepfung, OP_SCHREIBEN);
            Spieler_Wert(75, s, f.status, OP_SCHREIBEN);
            Spieler_Wert(90, s, f.moral, OP_SCHREIBEN);
            News_Init();
            Rnd_Set_Index(c, 0);
            Ereignis_Spieler_Nach_Spiel(1, s);
            const i32 moral = Spieler_Wert(90, s, 0, OP_LESEN);
            if (News_Anzahl() == 0) {
                ASSERT_EQ(moral, f.moral);
                continue;
            }
            ++sauer;
            EXPECT_EQ(News_Get_Text(0).find(" ist sauer"), News_Get_Text(0).size() - 10) << News_Get_Text(0);
            ASSERT_TRUE(moral == f.moral - 1 || (f.moral > 1 && moral == f.moral - 2)) << moral;
            zwei += moral == f.moral - 2;
        }
        EXPECT_EQ(sauer > 0, f.sauer) << sauer;
        if (f.sauer && f.moral > 1) {
            EXPECT_GT(zwei, 0);
            EXPECT_LT(zwei, sauer);
        }
    }
}

// Talent 30 needs 20, which needs 10; the check never writes.
TEST_F(EreignisWelt, AttributMoeglichDieGanzeKette) {
    for (int a = 0; a < 54; ++a) std::fill(std::begin(Attribut_Tabelle[a].voraussetzung), std::end(Attribut_Tabelle[a].voraussetzung), -1);
    Attribut_Tabelle[30].voraussetzung[0] = 20;
    Attribut_Tabelle[20].voraussetzung[0] = 10;
    const i32 s = Team_Kader(1)[1];
    struct Fall {
        const char* name;
        i32 wert10, wert20, position, spiele, attribut;
        bool moeglich;
    };
    const Fall faelle[] = {
        {"nothing learned yet", 0, 0, 2, 0, 30, true},
        {"the chain's root blocked", -1, 0, 2, 0, 30, false},
        {"the middle in training", 0, 1, 2, 0, 30, true},
        {"the middle blocked", 0, -1, 2, 0, 30, false},
        {"a goalkeeper, outfield talent", 0, 0, 0, 0, 30, false},
        {"a negative attribute, young player", 0, 0, 2, 10, 41, false},
        {"a negative attribute, old hand", 0, 0, 2, 60, 41, true},
        {"no such attribute", 0, 0, 2, 0, 54, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Spieler_Daten[s].attribut[10] = static_cast<i16>(f.wert10);
        Spieler_Daten[s].attribut[20] = static_cast<i16>(f.wert20);
        Spieler_Fix_Daten[s].position = static_cast<u8>(f.position);
        Spieler_Daten[s].spiele = static_cast<i16>(f.spiele);
        EXPECT_EQ(Ereignis_Attribut_Moeglich(s, f.attribut), f.moeglich);
        EXPECT_EQ(Spieler_Daten[s].attribut[10], f.wert10);
        EXPECT_EQ(Spieler_Daten[s].attribut[20], f.wert20);
    }
    // A table whose prerequisites run in a circle answers, and answers no.
    Attribut_Tabelle[10].voraussetzung[0] = 30;
    EXPECT_FALSE(Ereignis_Attribut_Moeglich(s, 30));
    EXPECT_FALSE(Ereignis_Attribut_Moeglich(-1, 30));
}

// After a series of three: a talent opens (fewer than three defeats) or
// one closes (blocked); the random table decides when.
TEST_F(EreignisWelt, SerieOeffnetOderSchliesstEinTalent) {
    for (int a = 0; a < 54; ++a) std::fill(std::begin(Attribut_Tabelle[a].voraussetzung), std::end(Attribut_Tabelle[a].voraussetzung), -1);
    const std::string cfg =
        "NEUES_EREIGNIS\nKATEGORIE SPIELER_TALENT_JETZT_ERLERNBAR\nTEXT \"offen: %s fuer %s\"\n"
        "NEUES_EREIGNIS\nKATEGORIE SPIELER_TALENT_NICHT_MEHR_ERLERNBAR\nTEXT \"zu: %s fuer %s\"\n";
    ASSERT_TRUE(Ereignis_Laden_Text(cfg.data(), static_cast<u32>(cfg.size())));
    struct Fall {
        i32 siege, niederlagen;
        const char* praefix;  // nullptr: never
    };
    const Fall faelle[] = {{3, 0, "offen: "}, {4, 1, "offen: "}, {0, 3, "zu: "}, {0, 7, "zu: "}, {2, 2, nullptr}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.siege) + "/" + std::to_string(f.niederlagen));
        int treffer = 0;
        for (i32 c = 0; c < 3000; ++c) {
            News_Init();
            for (int i = 0; i < 20; ++i)
                for (int a = 20; a < 40; ++a) Spieler_Daten[Team_Kader(1)[i]].attribut[a] = 0;
            Rnd_Set_Index(c, 0);
            Ereignis_Serie(1, f.siege, f.niederlagen);
            if (News_Anzahl() == 0) continue;
            ++treffer;
            ASSERT_EQ(News_Get_Text(0).rfind(f.praefix ? f.praefix : "-", 0), 0u) << News_Get_Text(0);
            int gesperrt = 0;
            for (int i = 0; i < 20; ++i)
                for (int a = 20; a < 40; ++a) gesperrt += Spieler_Daten[Team_Kader(1)[i]].attribut[a] == -1;
            EXPECT_EQ(gesperrt, std::string(f.praefix) == "zu: " ? 1 : 0);
        }
        EXPECT_EQ(treffer > 0, f.praefix != nullptr) << treffer;
    }
}

}  // namespace
