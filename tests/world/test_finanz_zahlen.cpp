// A club's finance figures of a period: each row reads its kind, the
// "others" rows take every money kind no row reads, the match line's
// records and other periods stay out, and the totals are the period's whole
// income and expenses.
#include <gtest/gtest.h>

#include "base/globals.h"
#include "welt_test.h"
#include "world/bank.h"
#include "world/finanz_zahlen.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

constexpr int TEAM = 30;

class FinanzZahlen : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0)); }
    static void TearDownTestSuite() { Welt_Freigeben(); }
    void SetUp() override {
        Bank_Init();
        ASSERT_TRUE(Bank_Konto_Anlegen(TEAM, 5000000.0, 0));
    }
    void TearDown() override { Bank_Free(); }
};

TEST_F(FinanzZahlen, ZeilenSonstigesUndSummen) {
    // Last month: must not count.
    Bank_Buchen(-1, TEAM, 999.0f, 4, 1, -1);
    Bank_Neue_Periode();
    const f64 vorher = Bank_Get_Kontostand(TEAM, 0, 0);
    struct Buchung {
        int zahler, empfaenger;
        f32 betrag;
        int kategorie;
        int zeile;  // the row it lands in
    } buchungen[] = {
        {-1, TEAM, 300000, 4, 0},                       // gate money
        {-1, TEAM, 120000, BANK_WERBUNG, 1},            // advertising
        {-1, TEAM, 2000000, BANK_TRANSFER_EINNAHME, 2}, // a sale
        {-1, TEAM, 70000, BANK_EINNAHME, 3},            // other income
        {-1, TEAM, 1000000, BANK_KREDIT, 3},            // a credit: no row of its own, counted with the others
        {TEAM, -1, 150000, BANK_GEHALT, 4},
        {TEAM, -1, 1200000, BANK_STADIONBAU, 6},
        {TEAM, -1, 20000, BANK_AUSGABE, 10},
        {TEAM, -1, 33000, BANK_KREDIT, 10},             // a credit's monthly rate
        {TEAM, -1, 5000, 60, 10},                       // a kind no row names
    };
    i64 erwartet[FINANZ_ZEILEN] = {};
    for (const Buchung& b : buchungen) {
        ASSERT_TRUE(Bank_Buchen(b.zahler, b.empfaenger, b.betrag, b.kategorie, 1, -1)) << b.kategorie;
        erwartet[b.zeile] += static_cast<i64>(b.betrag);
    }
    // The match line's records move no money.
    Welt_Spiel_Info spiel;
    spiel.heim = TEAM, spiel.gast = TEAM + 1, spiel.tore_heim = 2, spiel.tore_gast = 0, spiel.zuschauer = 12345;
    ASSERT_TRUE(Bank_Buche_Spieldaten_Info(TEAM, spiel));
    const Finanz_Summen s = Finanz_Summen_Holen(TEAM, 0);
    for (int i = 0; i < FINANZ_ZEILEN; ++i) EXPECT_EQ(s.betrag[i], erwartet[i]) << "row " << i;
    EXPECT_EQ(s.einnahmen - s.ausgaben, static_cast<i64>(Bank_Get_Kontostand(TEAM, 0, 0) - vorher))
        << "the balance of the rows is the account's change";
    EXPECT_EQ(Finanz_Summen_Holen(TEAM, 1).betrag[0], 999);
    EXPECT_EQ(Finanz_Summen_Holen(TEAM, 2).einnahmen, 0);
    EXPECT_EQ(Finanz_Summen_Holen(-1, 0).einnahmen, 0);
    EXPECT_EQ(Finanz_Summen_Holen(Team_Anzahl, 0).ausgaben, 0);
}


// The period of a match is the current one or the one before, whichever's
// match line names the two clubs (in either order); an older match of the
// two, one against another club, or no match line at all give none.
TEST_F(FinanzZahlen, PeriodeDesSpiels) {
    const auto spiel = [](int heim, int gast) {
        Welt_Spiel_Info s;
        s.heim = heim, s.gast = gast, s.tore_heim = 1, s.tore_gast = 1, s.zuschauer = 9000;
        ASSERT_TRUE(Bank_Buche_Spieldaten_Info(TEAM, s));
    };
    EXPECT_EQ(Finanz_Periode_Des_Spiels(TEAM, TEAM, TEAM + 1), -1) << "no match line";
    spiel(TEAM, TEAM + 1);  // period 0
    Bank_Neue_Periode();
    spiel(TEAM + 2, TEAM);  // period 1
    const struct {
        int neue_perioden;  // since the second match
        int heim, gast;
        i32 zurueck;
    } faelle[] = {
        {0, TEAM, TEAM + 2, 0}, {0, TEAM + 2, TEAM, 0}, {0, TEAM, TEAM + 1, 1}, {0, TEAM + 1, TEAM, 1},
        {0, TEAM, TEAM + 3, -1}, {1, TEAM, TEAM + 2, 1}, {0, TEAM, TEAM + 1, -1},  // two months back
        {1, TEAM, TEAM + 2, -1},
    };
    for (const auto& f : faelle) {
        for (int i = 0; i < f.neue_perioden; ++i) Bank_Neue_Periode();
        EXPECT_EQ(Finanz_Periode_Des_Spiels(TEAM, f.heim, f.gast), f.zurueck)
            << f.heim << "-" << f.gast << " in period " << Bank_Get_Periode();
    }
    EXPECT_EQ(Finanz_Periode_Des_Spiels(-1, TEAM, TEAM + 1), -1);
    EXPECT_EQ(Finanz_Periode_Des_Spiels(TEAM, -1, TEAM + 1), -1);
}

}  // namespace
