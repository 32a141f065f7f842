// Save and reload give identical world records; damaged blocks change nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "base/datei.h"
#include "base/files.h"
#include "base/globals.h"
#include "welt_test.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/speichern.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

class Speichern : public ::testing::Test {
  protected:
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Bank_Init();
        Stadion_Init();
        Werbung_Init();
        ASSERT_TRUE(Manager_Neuer_Mitspieler(20, "Heiko Tramm", -1));
        ASSERT_TRUE(Manager_Neuer_Mitspieler(33, "Sina Obermoos", 4));
        Manager_Icon_Button_An_Aus(20, 4000, 77);
        Werbung_Init_Team(20, 1);
        Bank_Konto_Anlegen(20, 3000000.0, 0);
        Bank_Buchen(20, -1, 12345.0f, 27, 0, -1);
        Team_Aktiv = 20;
        Schwierigkeit = 3;
        Spieler_Wert(90, 100, 6, OP_SCHREIBEN);
    }
    void TearDown() override {
        Bank_Free();
        Stadion_Free();
        Werbung_Free();
        Welt_Freigeben();
        Schwierigkeit = 2;
    }
};

std::vector<u8> alles_schreiben() {
    return block_schreiben([](Datei_Status* d) {
        return Bank_Speichern(d) && Werbung_Speichern(d) && Manager_Block_Schreiben(d) && Spieler_Block_Schreiben(d) &&
               Team_Block_Schreiben(d) && Stadion_Speichern(d);
    });
}

bool alles_lesen(const std::vector<u8>& daten) {
    const bool ok = block_lesen(daten, [](Datei_Status* d) {
        return Bank_Laden(d) && Werbung_Laden(d) && Manager_Block_Lesen(d) && Spieler_Block_Lesen(d) &&
               Team_Block_Lesen(d) && Stadion_Laden(d);
    });
    if (ok) {
        Bank_Uebernehmen();
        Werbung_Uebernehmen();
        Welt_Block_Uebernehmen();
        Stadion_Uebernehmen();
    } else {
        Bank_Verwerfen();
        Werbung_Verwerfen();
        Welt_Block_Verwerfen();
        Stadion_Verwerfen();
    }
    return ok;
}

TEST_F(Speichern, SaveAndReloadGiveIdenticalRecords) {
    Abbild vorher;
    vorher.nehmen();
    std::vector<u8> daten = alles_schreiben();
    f64 stand = Bank_Get_Kontostand(20, 0, -1);
    // Change everything, then load the saved state back.
    Spieler_Wert(90, 100, 1, OP_SCHREIBEN);
    Manager_Loeschen(33);
    Team_Aktiv = 5;
    Bank_Buchen(-1, 20, 5.0f, 40, 1, -1);
    Welt_Freigeben();
    Welt_Anlegen(3, 10);
    ASSERT_TRUE(alles_lesen(daten));
    Abbild nachher;
    nachher.nehmen();
    EXPECT_TRUE(vorher == nachher);
    EXPECT_EQ(Manager_Anzahl, 2);
    EXPECT_EQ(Manager_Icon_Button_Lesen(20, 4000), 77u);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, -1), stand);
    EXPECT_NE(Werbung_Get(20), nullptr);
    EXPECT_GT(Stadion_Get_Kapazitaet(30), 0);
    // Writing again gives the same bytes.
    EXPECT_EQ(alles_schreiben(), daten);
}

TEST_F(Speichern, DamagedOrShortBlocksChangeNothing) {
    std::vector<u8> daten = alles_schreiben();
    Abbild vorher;
    vorher.nehmen();
    // Every cut of the stream and a few flipped bytes must be refused or read cleanly.
    for (size_t laenge : {size_t(0), size_t(5), daten.size() / 3, daten.size() / 2, daten.size() - 1}) {
        std::vector<u8> kurz(daten.begin(), daten.begin() + static_cast<long>(laenge));
        EXPECT_FALSE(alles_lesen(kurz)) << laenge;
        Abbild jetzt;
        jetzt.nehmen();
        EXPECT_TRUE(vorher == jetzt) << laenge;
    }
    std::vector<u8> kaputt = daten;
    kaputt[4] = 0xFF;  // the bank's team count
    kaputt[5] = 0xFF;
    EXPECT_FALSE(alles_lesen(kaputt));
    Abbild jetzt;
    jetzt.nehmen();
    EXPECT_TRUE(vorher == jetzt);
}

// Blocks with right framing but impossible values are refused as a whole.
TEST_F(Speichern, ImpossibleValuesAreRefused) {
    const std::vector<u8> daten = alles_schreiben();
    const struct {
        const char* was;
        void (*setzen)();
    } faelle[] = {
        {"moral", [] { Spieler_Daten[100].moral = 200; }},
        {"injury kind", [] { Spieler_Daten[5].verletzung_art = 99; }},
        {"player's team beyond the teams", [] { Spieler_Daten[5].team = Team_Anzahl; }},
        {"continent", [] { Team_Daten[3].kontinent = 99; }},
        {"formation cell", [] { Team_Own_Daten[3].formationen[0].spalte[0] = 40; }},
        {"away team", [] { Team_Auswaerts = 99999; }},
        {"start flag", [] { Spielstart_Beendet = 7; }},
        {"manager's menu choice", [] { Team_Manager[20]->menue_wahl[0] = 9; }},
        {"balance", [] { const_cast<Bank_Konto*>(Bank_Get_Konto(20))->kontostand = std::nan(""); }},
        {"stadium class", [] { Stadion_Get(30, 0)->klasse = 9; }},
        {"sponsor", [] { Werbung_Get(20)->slot[0].sponsor = 200; }},
        {"stadium comfort 101", [] { Stadion_Get(30, 0)->komfort = 101; }},
        {"stadium income infinite", [] { Stadion_Get(30, 0)->einnahme = HUGE_VALF; }},
    };
    for (const auto& f : faelle) {
        f.setzen();
        const std::vector<u8> schlecht = alles_schreiben();
        ASSERT_TRUE(alles_lesen(daten)) << f.was;
        Abbild vorher;
        vorher.nehmen();
        EXPECT_FALSE(alles_lesen(schlecht)) << f.was;
        Abbild nachher;
        nachher.nehmen();
        EXPECT_TRUE(vorher == nachher) << f.was;
    }
    EXPECT_EQ(alles_schreiben(), daten);
}

// The stadium block's attendance percentage (after version and count) is
// held to 25..200 wherever it is set; a block with another is refused.
TEST_F(Speichern, StadiumPercentageOutsideItsRangeIsRefused) {
    Datei_Status* d = Datei_Oeffnen_Speicher();
    ASSERT_TRUE(Stadion_Speichern(d));
    u32 n = 0;
    const u8* p = Datei_Speicher_Daten(d, &n);
    const std::vector<u8> block(p, p + n);
    Datei_Schliessen(d);
    auto lesen = [](const std::vector<u8>& b) {
        Datei_Status* l = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
        const bool ok = Stadion_Laden(l);
        Datei_Schliessen(l);
        Stadion_Verwerfen();
        return ok;
    };
    for (const auto& [prozent, gut] : {std::pair{25, true}, {200, true}, {100, true}, {-5, false}, {24, false},
                                       {201, false}, {0x7FFFFFFF, false}}) {
        std::vector<u8> b = block;
        put_u32le(b.data() + 8, static_cast<u32>(prozent));
        EXPECT_EQ(lesen(b), gut) << prozent;
    }
    EXPECT_EQ(Stadion_Get_Prozent(), 100);
}

// Every bounded field of a stadium record, at both edges and one past them:
// the edges load, the values past them are refused and the running game
// keeps its stadium. The seats and terraces beside the field under test are
// moved so that the capacity stays their sum.
TEST_F(Speichern, EveryStadiumFieldIsHeldToItsRange) {
    const Stadion_Daten alt = *Stadion_Get(30, 0);
    auto stimmig = [](Stadion_Daten& r, i32 Stadion_Daten::*feld) {
        const i32 wert = r.*feld;
        if (feld == &Stadion_Daten::kapazitaet || feld == &Stadion_Daten::zuschauer) r.sitzplaetze = wert, r.stehplaetze = 0;
        if (feld == &Stadion_Daten::groesse) r.sitzplaetze = wert * 1000, r.stehplaetze = 0;
        if (feld == &Stadion_Daten::sitzplaetze) r.stehplaetze = 0;
        if (feld == &Stadion_Daten::stehplaetze) r.sitzplaetze = 0;
        if (feld != &Stadion_Daten::kapazitaet) r.kapazitaet = r.sitzplaetze + r.stehplaetze;
        if (feld != &Stadion_Daten::groesse) r.groesse = r.kapazitaet / 1000;
    };
    auto versuchen = [&](const Stadion_Daten& r) {
        *Stadion_Get(30, 0) = r;
        Datei_Status* d = Datei_Oeffnen_Speicher();
        EXPECT_TRUE(Stadion_Speichern(d));
        u32 n = 0;
        const u8* p = Datei_Speicher_Daten(d, &n);
        const std::vector<u8> block(p, p + n);
        Datei_Schliessen(d);
        *Stadion_Get(30, 0) = alt;
        Datei_Status* l = Datei_Oeffnen_Speicher_Lesen(block.data(), n);
        const bool ok = Stadion_Laden(l);
        Datei_Schliessen(l);
        if (ok) Stadion_Uebernehmen();
        else Stadion_Verwerfen();
        return ok;
    };
    for (const Feld_Bereich<Stadion_Daten>& b : STADION_FELDER) {
        for (const auto& [wert, gut] : {std::pair{b.min - 1, false}, {b.min, true}, {b.max, true}, {b.max + 1, false}}) {
            Stadion_Daten r = alt;
            r.zuschauer = 0, r.einnahme = 0.0f;
            r.*b.feld = static_cast<i32>(wert);
            stimmig(r, b.feld);
            EXPECT_EQ(versuchen(r), gut) << b.name << " = " << wert;
            if (!gut) {
                EXPECT_EQ(std::memcmp(Stadion_Get(30, 0), &alt, sizeof alt), 0) << b.name << " = " << wert;
            }
            *Stadion_Get(30, 0) = alt;
        }
    }
    // Fields that must agree with each other, and the gate income.
    const struct {
        const char* was;
        void (*setzen)(Stadion_Daten&);
        bool gut;
    } faelle[] = {
        {"capacity 0 beside its seats", [](Stadion_Daten& r) { r.kapazitaet = 0; }, false},
        {"size not the capacity's thousands", [](Stadion_Daten& r) { r.groesse += 1; }, false},
        {"income negative", [](Stadion_Daten& r) { r.einnahme = -1.0f; }, false},
        {"income of a full stadium at the top price", [](Stadion_Daten& r) { r.einnahme = STADION_EINNAHME_MAX; }, true},
        {"income beyond it", [](Stadion_Daten& r) { r.einnahme = 9.9e29f; }, false},
    };
    for (const auto& f : faelle) {
        Stadion_Daten r = alt;
        f.setzen(r);
        EXPECT_EQ(versuchen(r), f.gut) << f.was;
        *Stadion_Get(30, 0) = alt;
    }
}

}  // namespace
