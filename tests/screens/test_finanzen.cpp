// The finance screen in a new game: opened from the main menu, the rows and
// their shares, the balance's mark, the match line and browsing the periods.
#include <gtest/gtest.h>

#include <string>

#include "base/globals.h"
#include "grafik_nummern.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "kit.h"
#include "screens/club/finanzen.h"
#include "screens/screens.h"
#include "season/kalender.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

// Centres of the period buttons.
constexpr i32 AELTER_X = 96, NEUER_X = 128, PFEIL_Y = 481;

class Finanzen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(2));
        a = Team_Aktiv;
    }
    void TearDown() override { kit::Beenden(); }
    // A new month whose only bookings are those the test makes.
    void neuer_monat() { Bank_Neue_Periode(); }
    void einnahme(i32 kategorie, f32 betrag) { ASSERT_TRUE(Bank_Buchen(-1, a, betrag, kategorie, 1, -1)); }
    void ausgabe(i32 kategorie, f32 betrag) { ASSERT_TRUE(Bank_Buchen(a, -1, betrag, kategorie, 1, -1)); }
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(2, 3));
        ASSERT_TRUE(Screen_Offen(Screen_Id::FINANZEN));
        kit::Frames(40);
    }
    void zeichnen() {
        kit::Spur_Leeren();
        kit::Frames(1);
    }
    void klick(i32 x) {
        kit::Warten(100);
        kit::Klick(x, PFEIL_Y);
    }
    i32 a = -1;
};

TEST(FinanzAnteil, Runden) {
    struct Fall {
        i32 betrag, summe, erwartet;
    } faelle[] = {{300, 400, 75}, {100, 400, 25}, {1, 3, 33}, {2, 3, 67}, {0, 0, 0}, {0, 500, 0}, {400, 400, 100}};
    for (const Fall& f : faelle) EXPECT_EQ(Finanz_Anteil(f.betrag, f.summe), f.erwartet) << f.betrag << "/" << f.summe;
}

TEST_F(Finanzen, AnteileUndPositiveBilanz) {
    neuer_monat();
    einnahme(4, 300000);   // gate money
    einnahme(13, 100000);  // advertising
    ausgabe(BANK_GEHALT, 150000);
    ausgabe(BANK_TRAINING, 50000);
    oeffnen();
    // Nothing was booked in the month before: the screen opens on this one.
    EXPECT_EQ(Finanz_Screen_Periode(), 0);
    const Finanz_Zahlen& z = Finanz_Screen_Zahlen();
    EXPECT_EQ(z.einnahmen, 400000);
    EXPECT_EQ(z.ausgaben, 200000);
    i32 anteil_ein = 0, anteil_aus = 0;
    for (i32 i = 0; i < FINANZ_ZEILEN; ++i)
        (i < FINANZ_EINNAHMEN ? anteil_ein : anteil_aus) +=
            Finanz_Anteil(z.betrag[i], i < FINANZ_EINNAHMEN ? z.einnahmen : z.ausgaben);
    EXPECT_EQ(anteil_ein, 100);
    EXPECT_EQ(anteil_aus, 100);
    zeichnen();
    struct Zeile {
        const char* text;
        i32 y;
    } zeilen[] = {
        {"Finanzen", 108}, {"Einnahmen", 131}, {"Ausgaben", 245}, {"Zuschauer\t300.000", 151}, {"75 %", 151},
        {"Werbung\t100.000", 168}, {"25 %", 168}, {"Gehälter\t150.000", 265}, {"Training\t50.000", 350},
        {"400.000", 222}, {"200.000", 388}, {"Bilanz\t200.000", 417},
    };
    for (const Zeile& e : zeilen) EXPECT_TRUE(kit::Text_Auf_Zeile(e.text, e.y)) << e.text;
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_FINANZ_PLUS, 430, 405));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_FINANZ_RAHMEN, 100, 120));
    // No match this month: the active team against the viewed one, no result.
    EXPECT_EQ(z.tore1, -1);
    EXPECT_TRUE(kit::Text_Auf_Zeile("( - : - )", 508));
    // The period is named: this month, above the arrows that leaf through them.
    const Datum heute = Kalender_Get_Datum_Von_Tag(-1, false);
    const std::string monat = std::string(Kalender_Get_Monat_Text(heute.monat)) + " " + std::to_string(heute.jahr);
    const Zeichenspur_Eintrag* name = kit::Text(monat.c_str());
    ASSERT_TRUE(name) << monat;
    const Screen_Icon* pfeil = Menue_Screen_Icon_Aus_Nummer(ICON_FINANZ_AELTER);
    ASSERT_TRUE(pfeil);
    EXPECT_LE(name->y, pfeil->y);
    EXPECT_GE(name->x, pfeil->x - 8);
    EXPECT_LE(name->x, pfeil->x + 8);
    kit::Png("finanzen");
}

TEST_F(Finanzen, NegativeBilanzUndSpielzeile) {
    neuer_monat();
    einnahme(4, 100000);
    ausgabe(BANK_STADIONBAU, 1200000);
    i32 teams[1000];
    ASSERT_EQ(Manager_Ist_Dran(teams, 0, 0), 2);
    const i32 b = teams[0] == a ? teams[1] : teams[0];
    Welt_Spiel_Info spiel;
    spiel.heim = a, spiel.gast = b, spiel.tore_heim = 3, spiel.tore_gast = 1, spiel.zuschauer = 23456;
    ASSERT_TRUE(Bank_Buche_Spieldaten_Info(a, spiel));
    oeffnen();
    const Finanz_Zahlen& z = Finanz_Screen_Zahlen();
    EXPECT_EQ(z.team1, a);
    EXPECT_EQ(z.team2, b);
    zeichnen();
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_FINANZ_MINUS, 430, 405));
    EXPECT_FALSE(kit::Grafik_Bei(GRAFIK_FINANZ_PLUS, 430, 405));
    const Zeichenspur_Eintrag* bilanz = kit::Text_Auf_Zeile("Bilanz", 417);
    ASSERT_TRUE(bilanz);
    EXPECT_NE(std::string(bilanz->text).find("1.100.000"), std::string::npos);
    EXPECT_TRUE(kit::Text_Auf_Zeile(Team_String(721, a, nullptr, 0), 475));
    EXPECT_TRUE(kit::Text_Auf_Zeile("3\t:\t1", 495));
    EXPECT_TRUE(kit::Text_Auf_Zeile("23.456 Zuschauer", 515));
    // The match line is no money: the income is only the gate.
    EXPECT_EQ(z.einnahmen, 100000);
    kit::Png("finanzen_minus");
}

TEST_F(Finanzen, ZeitraeumeBlaettern) {
    // Months -3..-1 with bookings after an empty month -4.
    neuer_monat();
    neuer_monat();
    for (int i = 0; i < 3; ++i) {
        einnahme(4, 1000.0f * static_cast<f32>(i + 1));
        neuer_monat();
    }
    ASSERT_FALSE(Bank_Hat_Buchung_In_Periode(a, 4));
    oeffnen();
    EXPECT_EQ(Finanz_Screen_Periode(), -1);
    EXPECT_EQ(Finanz_Screen_Zahlen().betrag[0], 3000);
    std::vector<i32> folge;
    for (int i = 0; i < 4; ++i) {
        klick(AELTER_X);
        folge.push_back(Finanz_Screen_Periode());
    }
    // Older past the oldest month with bookings: back to the current one.
    EXPECT_EQ(folge, (std::vector<i32>{-2, -3, 0, -1}));
    klick(NEUER_X);
    EXPECT_EQ(Finanz_Screen_Periode(), 0);
    // Newer from the current month: the oldest month of the unbroken run.
    klick(NEUER_X);
    EXPECT_EQ(Finanz_Screen_Periode(), -3);
    EXPECT_EQ(Finanz_Screen_Zahlen().betrag[0], 1000);
    zeichnen();
    EXPECT_TRUE(kit::Text_Auf_Zeile("Zuschauer\t1.000", 151));
}

TEST_F(Finanzen, AndererManagerSiehtSeinenVerein) {
    neuer_monat();
    einnahme(4, 250000);
    oeffnen();
    ASSERT_EQ(Finanz_Screen_Zahlen().einnahmen, 250000);
    i32 teams[1000];
    ASSERT_EQ(Manager_Ist_Dran(teams, 0, 0), 2);
    const i32 b = teams[0] == a ? teams[1] : teams[0];
    ASSERT_TRUE(Bank_Buchen(-1, b, 7000, 13, 1, -1));
    for (i32 team : {b, a}) {
        Menue_Manager_Wechsel(team);
        kit::Frames(2);
        if (!Screen_Offen(Screen_Id::FINANZEN)) {
            ASSERT_TRUE(Screen_Oeffnen(Screen_Id::FINANZEN));
        }
        zeichnen();
        EXPECT_EQ(Finanz_Screen_Zahlen().einnahmen, team == a ? 250000 : 7000) << team;
    }
}

}  // namespace
