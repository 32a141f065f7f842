// Currencies, the finance screen's match line, the bank's tables for a
// network client, the stadium's extension table and the ranking surcharge of
// advertising prices, on the shipped world.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/memory.h"
#include "welt_test.h"
#include "world/bank.h"
#include "world/finanz_zahlen.h"
#include "world/global.h"
#include "world/leben.h"
#include "world/team.h"
#include "world/konfig.h"
#include "world/netz.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

// In the shipped world: 16.. German clubs, 72.. English, 270.. Swiss.
constexpr int DEUTSCH = 16, DEUTSCH2 = 17, ENGLISCH = 72, SCHWEIZ = 270;

class Finanzen : public Geladene_Welt {
  protected:
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Bank_Init();
        Stadion_Init();
        for (int t : {DEUTSCH, DEUTSCH2, ENGLISCH, SCHWEIZ}) ASSERT_TRUE(Bank_Konto_Anlegen(t, 1000000.0, 0));
    }
    void TearDown() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Welt_Set_Hooks({});
        Werbung_Einstellung = Werbung_Einstellungen{};
        Werbung_Free();
        Stadion_Free();
        Bank_Free();
    }
};

TEST_F(Finanzen, ClubsKeepEurosAndShowTheirCountrysCurrency) {
    EXPECT_EQ(Bank_Get_Waehrung(DEUTSCH), BANK_EURO);
    EXPECT_EQ(Bank_Get_Waehrung(ENGLISCH), BANK_PFUND);
    EXPECT_EQ(Bank_Get_Waehrung(SCHWEIZ), BANK_FRANKEN);
    EXPECT_EQ(Bank_Get_Waehrung(2), BANK_PFUND);  // England's national team, no account
    EXPECT_EQ(Bank_Get_Waehrung(-1), BANK_EURO);
    EXPECT_STREQ(Bank_Geld_String(1000000.0, DEUTSCH, -1, 0), "1.000.000 €");
    EXPECT_STREQ(Bank_Geld_String(1000000.0, ENGLISCH, -1, 0), "690.000 £");
    EXPECT_STREQ(Bank_Geld_String(1000000.0, SCHWEIZ, -1, 0), "1.520.000 CHF");
    EXPECT_STREQ(Bank_Geld_String(-1000000.0, -1, -1, 0), "-1.000.000 €");
    // An explicit currency wins over the team's; an unknown one is the team's.
    EXPECT_STREQ(Bank_Geld_String(1000000.0, ENGLISCH, BANK_EURO, 0), "1.000.000 €");
    EXPECT_STREQ(Bank_Geld_String(1000000.0, DEUTSCH, 7, 0), "1.000.000 €");
    // The balance is always in euros, so a balance shown as money is converted once.
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(ENGLISCH, 0, -1), 1000000.0);
    // An amount given in pounds is booked as its value in euros.
    ASSERT_EQ(Bank_Buchen(-1, ENGLISCH, 69000.0f, BANK_EINNAHME, 1, BANK_PFUND), 1);
    EXPECT_NEAR(Bank_Get_Kontostand(ENGLISCH, 0, -1), 1100000.0, 1.0);
    EXPECT_EQ(Bank_Buchen(-1, ENGLISCH, 0.6f, BANK_EINNAHME, 1, BANK_PFUND), 0);
}

TEST_F(Finanzen, MatchLineHoldsTheLastMatchOfThePeriod) {
    f64 geld = Bank_Summe_Buchungen(DEUTSCH, 0, -1, 0);
    Welt_Spiel_Info a;
    a.heim = DEUTSCH;
    a.gast = DEUTSCH2;
    a.tore_heim = 2;
    a.tore_gast = 1;
    a.zuschauer = 30000;
    ASSERT_TRUE(Bank_Buche_Spieldaten_Info(DEUTSCH, a));
    auto zeile = [](int team, int offset) {
        std::vector<f64> r;
        for (int k = BANK_SPIEL_HEIM; k <= BANK_SPIEL_ZUSCHAUER; k++)
            r.push_back(Bank_Summe_Buchungen(team, offset, k, 0));
        return r;
    };
    EXPECT_EQ(zeile(DEUTSCH, 0), (std::vector<f64>{16, 17, 2, 1, 30000}));
    // A second match of the period replaces the first, even with zero goals.
    Welt_Spiel_Info b = a;
    b.heim = 18;
    b.gast = DEUTSCH;
    b.tore_heim = 0;
    b.tore_gast = 3;
    b.zuschauer = 12000;
    ASSERT_TRUE(Bank_Buche_Spieldaten_Info(DEUTSCH, b));
    EXPECT_EQ(zeile(DEUTSCH, 0), (std::vector<f64>{18, 16, 0, 3, 12000}));
    // The records are no money.
    EXPECT_DOUBLE_EQ(Bank_Summe_Buchungen(DEUTSCH, 0, -1, 0), geld);
    // The next period starts empty and keeps the old line one period back.
    Bank_Neue_Periode();
    EXPECT_EQ(zeile(DEUTSCH, 0), (std::vector<f64>{0, 0, 0, 0, 0}));
    EXPECT_EQ(zeile(DEUTSCH, 1), (std::vector<f64>{18, 16, 0, 3, 12000}));
    // A team that did not play and a team without account get nothing.
    EXPECT_FALSE(Bank_Buche_Spieldaten_Info(ENGLISCH, a));
    EXPECT_FALSE(Bank_Buche_Spieldaten_Info(5, a));
    // Through the fixtures' hook.
    Welt_Set_Hooks({.spiel_daten = [](i32 spiel, Welt_Spiel_Info* aus) {
        if (spiel != 7) return false;
        aus->heim = DEUTSCH2;
        aus->gast = DEUTSCH;
        aus->tore_heim = 4;
        aus->zuschauer = 8000;
        return true;
    }});
    Bank_Buche_Spieldaten(DEUTSCH2, 8);
    EXPECT_DOUBLE_EQ(Bank_Summe_Buchungen(DEUTSCH2, 0, BANK_SPIEL_HEIM, 0), 0.0);
    Bank_Buche_Spieldaten(DEUTSCH2, 7);
    EXPECT_EQ(zeile(DEUTSCH2, 0), (std::vector<f64>{17, 16, 4, 0, 8000}));
    // A network client records nothing.
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Debug_Mitschnitt log;
    EXPECT_FALSE(Bank_Buche_Spieldaten_Info(DEUTSCH, a));
    EXPECT_TRUE(log.Enthaelt("Client-Zugriff: Bank_Buche_Spieldaten()"));
}

TEST_F(Finanzen, BankTablesForTheClient) {
    ASSERT_TRUE(Bank_Kredit(-1, ENGLISCH, 200000.0f, 12, 0, -1.0f, 0));
    Bank_Buchen(ENGLISCH, -1, 5000.0f, BANK_AUSGABE, 1, -1);
    Bank_Neue_Periode();
    Bank_Buchen(ENGLISCH, -1, 5000.0f, BANK_AUSGABE, 1, -1);
    u8* block = nullptr;
    u8 w[12], z[28], g[28], k[52];
    f32 kmin, kmax, rahmen, stand;
    u32 n = Bank_Internet_Server_Send_Bankdaten(&block, w, z, g, &kmin, &kmax, &rahmen, &stand, k, ENGLISCH);
    ASSERT_EQ(n, 3 * sizeof(Bank_Waehrung));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block) + 24 + 8), "Pfund");
    W32_Memory_H_Free(block);
    EXPECT_FLOAT_EQ(get_f32le(w + 4), 0.69f);
    EXPECT_FLOAT_EQ(get_f32le(z + 24), 7.2f);
    EXPECT_FLOAT_EQ(rahmen, static_cast<f32>(Bank_Get_Kreditrahmen(ENGLISCH)));
    EXPECT_FLOAT_EQ(stand, static_cast<f32>(Bank_Get_Kontostand(ENGLISCH, 0, -1)));
    EXPECT_EQ(get_i32le(k), BANK_PFUND);
    EXPECT_EQ(get_i32le(k + 4), Bank_Get_Periode());
    EXPECT_EQ(get_i32le(k + 8), 1);   // one credit
    EXPECT_EQ(get_i32le(k + 36), 1);  // bookings one period back, none two back
    // A team without account gets the tables and zeros.
    n = Bank_Internet_Server_Send_Bankdaten(&block, w, z, g, &kmin, &kmax, &rahmen, &stand, k, 5);
    W32_Memory_H_Free(block);
    EXPECT_FLOAT_EQ(get_f32le(z), 8.5f);
    EXPECT_EQ(rahmen, 0.0f);
    EXPECT_EQ(stand, 0.0f);
    for (int i = 0; i < 13; i++) EXPECT_EQ(get_i32le(k + 4 * i), 0);
}

TEST_F(Finanzen, StadiumExtensionRecordsHomeMatchesAndIsSaved) {
    Welt_Spiel_Info s;
    s.heim = DEUTSCH;
    s.gast = DEUTSCH2;
    s.tore_heim = 2;
    s.tore_gast = 2;
    s.zuschauer = 9999999;  // more than fit in: held to the capacity
    s.wettbewerb = 3;
    s.tag = 40;
    ASSERT_TRUE(Stadion_Set_Erweiterung_Slots_Info(500, s));
    EXPECT_TRUE(Stadion_Set_Erweiterung_Slots_Info(500, s));  // the same match again: no new slot
    const Stadion_Erweiterung* e = Stadion_Get_Erweiterung(DEUTSCH);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(Stadion_Get_Erweiterung(DEUTSCH2), nullptr);
    EXPECT_EQ(e->anzahl, 1);
    const Stadion_Daten* d = Stadion_Get(DEUTSCH, 1);
    EXPECT_EQ(e->slot[0].zuschauer, d->kapazitaet);
    EXPECT_FLOAT_EQ(e->slot[0].einnahme, static_cast<f32>(d->kapazitaet) * static_cast<f32>(d->eintrittspreis));
    EXPECT_EQ(e->slot[0].gast, DEUTSCH2);
    EXPECT_EQ(e->slot[0].wettbewerb, 3);
    // A full table replaces its oldest slot.
    for (int i = 1; i <= STADION_ERWEITERUNG_SLOTS; i++) {
        s.tag = 40 + i;
        s.zuschauer = i;
        ASSERT_TRUE(Stadion_Set_Erweiterung_Slots_Info(500 + i, s));
    }
    EXPECT_EQ(e->anzahl, STADION_ERWEITERUNG_SLOTS);
    EXPECT_EQ(e->slot[0].spiel, 500 + STADION_ERWEITERUNG_SLOTS);
    EXPECT_EQ(e->naechster, 1);
    // No stadium, a bad away team: nothing.
    s.heim = Team_Transfermarkt;
    EXPECT_FALSE(Stadion_Set_Erweiterung_Slots_Info(1, s));
    s.heim = DEUTSCH2;
    s.gast = 5000;
    EXPECT_FALSE(Stadion_Set_Erweiterung_Slots_Info(1, s));
    // Through the hook.
    Welt_Set_Hooks({.spiel_daten = [](i32 spiel, Welt_Spiel_Info* aus) {
        aus->heim = DEUTSCH2;
        aus->gast = DEUTSCH;
        aus->zuschauer = 1000;
        return spiel == 9;
    }});
    Stadion_Set_Erweiterung_Slots(8);
    EXPECT_EQ(Stadion_Get_Erweiterung(DEUTSCH2), nullptr);
    Stadion_Set_Erweiterung_Slots(9);
    ASSERT_NE(Stadion_Get_Erweiterung(DEUTSCH2), nullptr);
    EXPECT_EQ(Stadion_Get_Erweiterung(DEUTSCH2)->slot[0].zuschauer, 1000);

    // Save and reload give the same tables.
    Stadion_Erweiterung vorher = *Stadion_Get_Erweiterung(DEUTSCH);
    const std::vector<u8> daten = block_schreiben(Stadion_Speichern);
    Stadion_Init();
    EXPECT_EQ(Stadion_Get_Erweiterung(DEUTSCH), nullptr);
    ASSERT_TRUE(block_lesen(daten, Stadion_Laden));
    Stadion_Uebernehmen();
    ASSERT_NE(Stadion_Get_Erweiterung(DEUTSCH), nullptr);
    EXPECT_EQ(0, std::memcmp(&vorher, Stadion_Get_Erweiterung(DEUTSCH), sizeof vorher));
    // An extension flag without a record, or a bad slot index, is refused.
    std::vector<u8> kaputt = daten;
    kaputt[12] = 2;
    EXPECT_FALSE(block_lesen(kaputt, Stadion_Laden));
    Stadion_Verwerfen();
    kaputt = daten;
    size_t erster = 12 + static_cast<size_t>(DEUTSCH) * (1 + sizeof(Stadion_Daten));
    ASSERT_EQ(kaputt[erster], 3);
    put_i32le(&kaputt[erster + 1 + sizeof(Stadion_Daten) + 4], STADION_ERWEITERUNG_SLOTS);
    EXPECT_FALSE(block_lesen(kaputt, Stadion_Laden));
    Stadion_Verwerfen();
    EXPECT_EQ(0, std::memcmp(&vorher, Stadion_Get_Erweiterung(DEUTSCH), sizeof vorher));
}

TEST_F(Finanzen, AdvertisingPricesFollowTheRankings) {
    Welt_Set_Hooks({.rangliste_platz = [](i32 team) {
        return team == DEUTSCH ? 1 : team == DEUTSCH2 ? 10 : team == 18 ? 11 : 0;
    }});
    EXPECT_EQ(Werbung_Ranglisten_Aufschlag(DEUTSCH), 0);  // both settings 0
    Werbung_Init();
    ASSERT_TRUE(Werbung_Init_Team(DEUTSCH, 1));
    i32 ohne = Werbung_Get_Sponsorbetrag(DEUTSCH);
    Werbung_Wert_Setzen(5, 200);
    Werbung_Wert_Setzen(6, 10);
    EXPECT_EQ(Werbung_Ranglisten_Aufschlag(DEUTSCH), 200);
    EXPECT_EQ(Werbung_Ranglisten_Aufschlag(DEUTSCH2), 20);
    EXPECT_EQ(Werbung_Ranglisten_Aufschlag(18), 0);
    EXPECT_EQ(Werbung_Ranglisten_Aufschlag(19), 0);
    ASSERT_TRUE(Werbung_Init_Team(DEUTSCH, 1));
    i32 mit = Werbung_Get_Sponsorbetrag(DEUTSCH);
    ASSERT_GT(ohne, 10000);
    EXPECT_NEAR(mit, ohne * 1.2, 1000.0);  // nine contracts, each rounded to 100
    // Settings beyond their bounds are held to them.
    Werbung_Wert_Setzen(5, 5000);
    Werbung_Wert_Setzen(6, 1);
    EXPECT_EQ(Werbung_Ranglisten_Aufschlag(DEUTSCH), 999);
}

}  // namespace

namespace {

// Promotion brings money once, relegation and an ordinary season none; a
// club without account, a national team and a network client book nothing.
TEST_F(Finanzen, PromotionMoneyIsBookedOnceForAPromotedClub) {
    const f64 lohn = Leben_Gehaltssumme(DEUTSCH);
    ASSERT_GT(lohn, 100000.0);
    EXPECT_DOUBLE_EQ(Team_Aufstiegsgeld(DEUTSCH), lohn * TEAM_AUFSTIEG_MONATE);
    EXPECT_EQ(Team_Aufstiegsgeld(2), 0.0) << "a national team";
    EXPECT_EQ(Team_Aufstiegsgeld(-1), 0.0);
    EXPECT_EQ(Team_Aufstiegsgeld(Team_Anzahl), 0.0);
    constexpr int OHNE_KONTO = 18;
    ASSERT_FALSE(Bank_Konto_Offen(OHNE_KONTO));
    struct Fall {
        const char* was;
        int team, art;
        bool client;
        f64 geld;  // the balance's change
        i32 transfers;  // the season's transfers against an ordinary season's
    };
    const Fall faelle[] = {
        {"an ordinary season", DEUTSCH, 0, false, 0, 0},
        {"relegated", DEUTSCH, 2, false, 0, -1},
        {"promoted", DEUTSCH, 1, false, lohn * TEAM_AUFSTIEG_MONATE, 1},
        {"promoted, on a network client", DEUTSCH2, 1, true, 0, 1},
        {"promoted without an account", OHNE_KONTO, 1, false, 0, 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        const f64 vorher = Bank_Get_Kontostand(f.team, 0, -1);
        const Finanz_Summen s_vorher = Finanz_Summen_Holen(f.team, 0);
        Team_Set_Finanzdaten(f.team, 0);
        const i32 gewoehnlich = Team_Daten[f.team].transfers;
        ASSERT_EQ(Bank_Get_Kontostand(f.team, 0, -1), vorher);
        Internet_Modus = f.client ? INTERNET_MODUS_CLIENT : INTERNET_MODUS_EINZEL;
        Team_Set_Finanzdaten(f.team, f.art);
        Internet_Modus = INTERNET_MODUS_EINZEL;
        // The balance is kept in single precision by the bookings.
        EXPECT_NEAR(Bank_Get_Kontostand(f.team, 0, -1) - vorher, f.geld, 4.0);
        EXPECT_EQ(Team_Daten[f.team].transfers, gewoehnlich + f.transfers);
        // The finance screen shows it among the premiums and other income.
        const Finanz_Summen s = Finanz_Summen_Holen(f.team, 0);
        EXPECT_NEAR(static_cast<f64>(s.betrag[FINANZ_SONSTIGE_EINNAHMEN] - s_vorher.betrag[FINANZ_SONSTIGE_EINNAHMEN]),
                    f.geld, 4.0);
    }
    EXPECT_FALSE(Team_Aufstiegsgeld_Buchen(OHNE_KONTO));
}

}  // namespace
