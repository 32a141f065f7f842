// Building at a stadium: each step's price and effect, refusals that book
// and change nothing, and a network client's steps going through the server.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/globals.h"
#include "base/ruf.h"
#include "welt_test.h"
#include "world/bank.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/stadion.h"
#include "world/stadion_bau.h"
#include "world/welt.h"

namespace {

std::vector<int> aufrufe;
bool schleife(u16 nummer, const std::vector<u8>& ein, std::vector<u8>* aus) {
    aufrufe.push_back(nummer);
    return ruf::Lokale_Leitung(nummer, ein, aus);
}

constexpr int TEAM = 20;

f64 geld_aller() {
    f64 s = 0;
    for (int t = 0; t < Team_Anzahl; ++t)
        if (Bank_Konto_Offen(t)) s += Bank_Get_Kontostand(t, 0, 0);
    return s;
}

class StadionBau : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Welt_Netz_Anmelden();
    }
    static void TearDownTestSuite() { Welt_Freigeben(); }
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Stadion_Init();
        Bank_Init();
        ASSERT_TRUE(Bank_Konto_Anlegen(TEAM, 200000000.0, 0));
        Team_Aktiv = TEAM;
    }
    void TearDown() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ruf::Leitung_Setzen(nullptr);
        Bank_Free();
        Stadion_Free();
    }
    // The stadium as a given class with its start values.
    Stadion_Daten& stadion(int klasse, i32 kapazitaet, i32 komfort) {
        Stadion_Daten* s = Stadion_Get(TEAM, 1);
        s->klasse = klasse;
        s->sitzplaetze = kapazitaet, s->stehplaetze = 0, s->kapazitaet = kapazitaet;
        s->komfort = komfort;
        return *s;
    }
};

TEST_F(StadionBau, StepsCostWhatTheClassTableSaysAndBuildIt) {
    struct Fall {
        const char* name;
        int klasse;
        i32 kapazitaet, komfort;
        Stadion_Bau (*schritt)(i32 wert);
        i32 wert;
        Stadion_Bau ergebnis;
        f64 kosten;
        int klasse_nach;
        i32 kapazitaet_nach, komfort_nach;
    } faelle[] = {
        {"build from class 0", 0, 5000, 30, [](i32) { return Stadion_Klasse_Bauen(TEAM); }, 0, Stadion_Bau::GEBUCHT,
         1200000, 1, 5000, 40},
        {"build from class 3 resets to the start values", 3, 40000, 75, [](i32) { return Stadion_Klasse_Bauen(TEAM); },
         0, Stadion_Bau::GEBUCHT, 35000000, 4, 35000, 80},
        {"build at class 5", 5, 80000, 90, [](i32) { return Stadion_Klasse_Bauen(TEAM); }, 0,
         Stadion_Bau::HOECHSTE_KLASSE, 0, 5, 80000, 90},
        {"renovate by 10 points at class 1", 1, 8000, 40, [](i32 w) { return Stadion_Renovieren(TEAM, w); }, 50,
         Stadion_Bau::GEBUCHT, 300000, 1, 8000, 50},
        {"renovate to the current level", 2, 20000, 50, [](i32 w) { return Stadion_Renovieren(TEAM, w); }, 50,
         Stadion_Bau::GEBUCHT, 0, 2, 20000, 50},
        {"renovate below the current level", 2, 20000, 50, [](i32 w) { return Stadion_Renovieren(TEAM, w); }, 49,
         Stadion_Bau::UNGUELTIG, 0, 2, 20000, 50},
        {"renovate beyond 100", 2, 20000, 50, [](i32 w) { return Stadion_Renovieren(TEAM, w); }, 101,
         Stadion_Bau::UNGUELTIG, 0, 2, 20000, 50},
        {"add 1,000 seats at class 2", 2, 20000, 50, [](i32 w) { return Stadion_Kapazitaet_Aendern(TEAM, w); },
         21000, Stadion_Bau::GEBUCHT, 300000, 2, 21000, 50},
        {"remove 1,000 seats", 2, 20000, 50, [](i32 w) { return Stadion_Kapazitaet_Aendern(TEAM, w); }, 19000,
         Stadion_Bau::GEBUCHT, 50000, 2, 19000, 50},
        {"remove more seats than the class allows", 2, 20000, 50,
         [](i32 w) { return Stadion_Kapazitaet_Aendern(TEAM, w); }, -5000, Stadion_Bau::UNGUELTIG, 0, 2, 20000, 50},
        {"more seats than the class holds", 1, 15000, 40, [](i32 w) { return Stadion_Kapazitaet_Aendern(TEAM, w); },
         17000, Stadion_Bau::UNGUELTIG, 0, 1, 15000, 40},
        {"seats in the next class's range keep the class", 1, 15000, 40,
         [](i32 w) { return Stadion_Kapazitaet_Aendern(TEAM, w); }, 16000, Stadion_Bau::GEBUCHT, 150000, 1, 16000,
         40},
        {"class 0 to its top at 100 a seat", 0, 1000, 30, [](i32 w) { return Stadion_Kapazitaet_Aendern(TEAM, w); },
         9000, Stadion_Bau::GEBUCHT, 800000, 0, 9000, 30},
        {"class 4 to its top at 800 a seat", 4, 35000, 80, [](i32 w) { return Stadion_Kapazitaet_Aendern(TEAM, w); },
         70000, Stadion_Bau::GEBUCHT, 28000000, 4, 70000, 80},
        {"class 5 by 10,000 at 1,200 a seat", 5, 60000, 90, [](i32 w) { return Stadion_Kapazitaet_Aendern(TEAM, w); },
         70000, Stadion_Bau::GEBUCHT, 12000000, 5, 70000, 90},
        {"a ticket price of 61", 1, 8000, 40, [](i32 w) { return Stadion_Preis_Setzen(TEAM, w); }, 61,
         Stadion_Bau::UNGUELTIG, 0, 1, 8000, 40},
    };
    for (const Fall& f : faelle) {
        stadion(f.klasse, f.kapazitaet, f.komfort);
        const f64 vorher = Bank_Get_Kontostand(TEAM, 0, 0), alle = geld_aller();
        EXPECT_EQ(f.schritt(f.wert), f.ergebnis) << f.name;
        const Stadion_Daten& s = *Stadion_Get(TEAM, 1);
        EXPECT_DOUBLE_EQ(vorher - Bank_Get_Kontostand(TEAM, 0, 0), f.kosten) << f.name;
        EXPECT_DOUBLE_EQ(alle - geld_aller(), f.kosten) << f.name << ": money moves only by the booking";
        EXPECT_EQ(s.klasse, f.klasse_nach) << f.name;
        EXPECT_EQ(s.kapazitaet, f.kapazitaet_nach) << f.name;
        EXPECT_EQ(s.sitzplaetze + s.stehplaetze, f.kapazitaet_nach) << f.name;
        EXPECT_EQ(s.komfort, f.komfort_nach) << f.name;
    }
}

// A seat costs the stadium models' price per place built, and filling a
// class's whole range stays cheaper than building the next class.
TEST_F(StadionBau, SeatsCostTheModelsPricePerPlace) {
    Stadion_Modelle_Zuruecksetzen();
    for (int k = 0; k < STADION_KLASSEN; ++k) {
        const Stadion_Bauklasse& b = Stadion_Bauklasse_Holen(k);
        EXPECT_EQ(b.platzpreis, Stadion_Get_Klasse(k).platz_baupreis) << k;
        EXPECT_LE(b.platzpreis, 5000) << k;
        if (k + 1 < STADION_KLASSEN) {
            EXPECT_LT(static_cast<i64>(b.bis - b.von) * b.platzpreis, Stadion_Bauklasse_Holen(k + 1).baupreis) << k;
        }
    }
}

TEST_F(StadionBau, WithoutTheMoneyNothingIsBuilt) {
    ASSERT_TRUE(Bank_Konto_Anlegen(TEAM, 0.0, 0));
    const f64 rahmen = Bank_Get_Kreditrahmen(TEAM);
    const Stadion_Daten alt = stadion(3, 30000, 60);
    // Building class 4 costs more than the credit line covers.
    ASSERT_LT(rahmen, 35000000.0);
    EXPECT_EQ(Stadion_Klasse_Bauen(TEAM), Stadion_Bau::ABGELEHNT);
    EXPECT_EQ(Stadion_Renovieren(TEAM, 100), rahmen < 40 * 70000.0 ? Stadion_Bau::ABGELEHNT : Stadion_Bau::GEBUCHT);
    stadion(3, 30000, 60);
    // 15,000 seats for 9 M, beyond what the renovation left of the credit line.
    ASSERT_LT(rahmen, 40 * 70000.0 + 15000 * 600.0);
    EXPECT_EQ(Stadion_Kapazitaet_Aendern(TEAM, 45000), Stadion_Bau::ABGELEHNT);
    EXPECT_EQ(0, std::memcmp(Stadion_Get(TEAM, 1), &alt, sizeof alt));
    EXPECT_EQ(Stadion_Klasse_Bauen(-1), Stadion_Bau::KEIN_STADION);
    EXPECT_EQ(Stadion_Klasse_Bauen(Team_Anzahl), Stadion_Bau::KEIN_STADION);
}

TEST_F(StadionBau, AClientBuildsThroughTheServer) {
    ruf::Leitung_Setzen(schleife);
    stadion(0, 5000, 30);
    const f64 vorher = Bank_Get_Kontostand(TEAM, 0, 0);
    struct Fall {
        const char* name;
        Stadion_Bau (*schritt)();
        int aufruf;
        Stadion_Bau ergebnis;
    } faelle[] = {
        {"build", [] { return Stadion_Klasse_Bauen(TEAM); }, 1018, Stadion_Bau::GEBUCHT},
        {"renovate", [] { return Stadion_Renovieren(TEAM, 45); }, 1019, Stadion_Bau::GEBUCHT},
        {"capacity", [] { return Stadion_Kapazitaet_Aendern(TEAM, 6000); }, 1016, Stadion_Bau::GEBUCHT},
        {"price", [] { return Stadion_Preis_Setzen(TEAM, 35); }, 1016, Stadion_Bau::GEBUCHT},
        {"a price beyond 60 (refused before asking)", [] { return Stadion_Preis_Setzen(TEAM, 70); }, 0,
         Stadion_Bau::UNGUELTIG},
        {"for another club", [] { return Stadion_Klasse_Bauen(TEAM + 1); }, 1018, Stadion_Bau::KEIN_STADION},
    };
    for (const Fall& f : faelle) {
        aufrufe.clear();
        Internet_Modus = INTERNET_MODUS_CLIENT;
        EXPECT_EQ(f.schritt(), f.ergebnis) << f.name;
        Internet_Modus = INTERNET_MODUS_EINZEL;
        if (f.aufruf == 0) {
            EXPECT_TRUE(aufrufe.empty()) << f.name;
        } else {
            ASSERT_FALSE(aufrufe.empty()) << f.name;
            EXPECT_EQ(aufrufe.front(), f.aufruf) << f.name;
        }
        EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1026), 0) << f.name << ": the server books";
    }
    const Stadion_Daten& s = *Stadion_Get(TEAM, 1);
    EXPECT_EQ(s.klasse, 1);
    EXPECT_EQ(s.komfort, 45);
    EXPECT_EQ(s.kapazitaet, 6000);
    EXPECT_EQ(s.eintrittspreis, 35);
    EXPECT_DOUBLE_EQ(vorher - Bank_Get_Kontostand(TEAM, 0, 0), 1200000.0 + 5 * 30000.0 + 1000 * 150.0);
    // A peer's capacity through the old record call is paid too, and an
    // absurd one is refused.
    Aktuelles_Team = TEAM;
    EXPECT_EQ(Stadion_Internet_Server_Setzen(TEAM, 0, 35, 2000000000, 2000000000), static_cast<u8>(Stadion_Bau::UNGUELTIG));
    EXPECT_EQ(Stadion_Get(TEAM, 1)->kapazitaet, 6000);
}

// The building steps name the state they ask for: the same request again,
// a second click or a replayed call, pays nothing (1018, 1016's build flag,
// 1019, a capacity); a class beyond the next is refused.
TEST_F(StadionBau, ARepeatedBuildingRequestPaysOnce) {
    stadion(0, 5000, 30);
    Aktuelles_Team = TEAM;
    const f64 vorher = Bank_Get_Kontostand(TEAM, 0, 0);
    const auto bauen = static_cast<u8>(Stadion_Bau::GEBUCHT), ungueltig = static_cast<u8>(Stadion_Bau::UNGUELTIG);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Stadion_Internet_Server_Bauen(TEAM, 1), bauen) << i;
    EXPECT_EQ(Stadion_Get(TEAM, 1)->klasse, 1);
    EXPECT_EQ(Stadion_Internet_Server_Bauen(TEAM, 3), ungueltig);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Stadion_Internet_Server_Setzen(TEAM, 2, 30, -1, -1), bauen) << i;
    EXPECT_EQ(Stadion_Get(TEAM, 1)->klasse, 2);
    const i32 kapazitaet = Stadion_Get(TEAM, 1)->kapazitaet;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Stadion_Internet_Server_Renovieren(TEAM, 55), bauen) << i;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Stadion_Internet_Server_Setzen(TEAM, 0, 30, kapazitaet + 1000, 0), bauen) << i;
    const Stadion_Daten& s = *Stadion_Get(TEAM, 1);
    EXPECT_EQ(s.kapazitaet, kapazitaet + 1000);
    EXPECT_DOUBLE_EQ(vorher - Bank_Get_Kontostand(TEAM, 0, 0),
                     1200000.0 + 3500000.0 + (55 - 50) * 50000.0 + 1000 * 300.0);
    Aktuelles_Team = -1;
}

}  // namespace
