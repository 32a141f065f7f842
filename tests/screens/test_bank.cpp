// The bank screen in a new game: opened from the main menu, the steppers and
// their bounds, the lender cycling between the bank and the other manager,
// the credit offer as news, a credit from the bank, a refused credit, and
// that money summed over all clubs moves only by the credit booked.
#include <gtest/gtest.h>

#include "base/globals.h"
#include "grafik_nummern.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "kit.h"
#include "screens/club/bank.h"
#include "screens/screens.h"
#include "season/kalender.h"
#include "season/news.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

constexpr i32 STEPPER_X = 95;
constexpr i32 Y_BETRAG = 347 + 10, Y_LAUFZEIT = 412 + 10, Y_ZINS = 477 + 10, Y_PARTNER = 284 + 10;
// Mouse x offsets inside a stepper: -10, -1, +1, +10 steps.
constexpr i32 MINUS_10 = 10, MINUS_1 = 40, PLUS_1 = 58, PLUS_10 = 85;

f64 geld_aller_vereine() {
    f64 s = 0;
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Bank_Konto_Offen(t)) s += Bank_Get_Kontostand(t, 0, 0);
    return s;
}

i32 anderer_manager() {
    i32 teams[1000];
    const int n = Manager_Ist_Dran(teams, 0, 0);
    for (int i = 0; i < n; ++i)
        if (teams[i] != Team_Aktiv) return teams[i];
    return -1;
}

class Bank : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(2)); }
    void TearDown() override { kit::Beenden(); }
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(2, 0));
        ASSERT_TRUE(Screen_Offen(Screen_Id::BANK));
        kit::Frames(40);
    }
    // One click, after the throttle's time has passed.
    void klick(i32 x, i32 y) {
        kit::Warten(200);
        kit::Klick(x, y);
    }
    void zeichnen() {
        kit::Spur_Leeren();
        kit::Frames(1);
    }
};

TEST_F(Bank, AusDemHauptmenueGezeichnet) {
    oeffnen();
    zeichnen();
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_BANK_RAHMEN, 400, 300));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_BANK_BILD, 634, 316));
    struct Zeile {
        const char* text;
        i32 font, x, y;
    } zeilen[] = {
        {"Laufende Kredite", 11, 198, 125}, {"Kreditgeber", 9, 100, 273}, {"Betrag", 9, 100, 337},
        {"Laufzeit", 9, 100, 403},          {"Zinssatz", 9, 100, 468},    {"Hausbank", 11, -1, 300},
        {"100.000", 11, -1, 365},           {"10 Monate", 11, -1, 430},   {"8%", 11, -1, 495},
    };
    for (const Zeile& z : zeilen) {
        const Zeichenspur_Eintrag* e = kit::Text_Auf_Zeile(z.text, z.y);
        ASSERT_TRUE(e) << z.text;
        EXPECT_EQ(e->font, z.font) << z.text;
        if (z.x >= 0) {
            EXPECT_EQ(e->x, z.x) << z.text;
        }
    }
    // Two managers and the bank as lender: the selector is live, the rate fixed.
    EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_BANK_PARTNER)->status & MENUE_S_GRAU);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_BANK_ZINS)->status & MENUE_S_GRAU);
    kit::Png("bank");
}

TEST_F(Bank, StepperGrenzenUndBankzins) {
    oeffnen();
    struct Fall {
        i32 y, start, dx, erwartet;
        const char* was;
    } faelle[] = {
        {Y_BETRAG, 11500000, PLUS_10, 12000000, "11,5 Mio +10 Schritte"},
        {Y_BETRAG, 300000, MINUS_10, 100000, "300.000 -10 Schritte"},
        {Y_BETRAG, 500000, PLUS_1, 600000, "+1 Schritt"},
        {Y_BETRAG, 500000, MINUS_1, 400000, "-1 Schritt"},
        {Y_LAUFZEIT, 10, MINUS_1, 10, "Laufzeit unter 10"},
        {Y_LAUFZEIT, 45, PLUS_10, 50, "Laufzeit ueber 50"},
        {Y_LAUFZEIT, 20, PLUS_1, 21, "Laufzeit +1"},
    };
    for (const Fall& f : faelle) {
        Menue_Icon_Zustand_Setzen(f.y == Y_BETRAG ? ICON_BANK_BETRAG : ICON_BANK_LAUFZEIT, static_cast<u32>(f.start));
        Bank_Screen_Daten_Holen();
        klick(STEPPER_X + f.dx, f.y);
        const i32 ist = f.y == Y_BETRAG ? static_cast<i32>(Bank_Screen_Betrag()) : Bank_Screen_Laufzeit();
        EXPECT_EQ(ist, f.erwartet) << f.was;
        EXPECT_EQ(Menue_Icon_Zustand(f.y == Y_BETRAG ? ICON_BANK_BETRAG : ICON_BANK_LAUFZEIT),
                  static_cast<u32>(f.erwartet))
            << f.was;
    }
    // The pressed part shows the zone hit.
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_BANK_LAUFZEIT)->grafik_gedrueckt, static_cast<u32>(GRAFIK_STEPPER_PLUS_1));
    // With the bank as lender the term sets the rate: the whole per cent of its class.
    for (i32 laufzeit : {10, 30, 50}) {
        Menue_Icon_Zustand_Setzen(ICON_BANK_LAUFZEIT, static_cast<u32>(laufzeit - 1));
        Bank_Screen_Daten_Holen();
        klick(STEPPER_X + PLUS_1, Y_LAUFZEIT);
        EXPECT_EQ(Bank_Screen_Zins(), static_cast<i32>(Bank_Get_Zins(Bank_Get_Laufzeit_Klasse(laufzeit)))) << laufzeit;
    }
    // The rate stepper is grey with the bank: a click changes nothing.
    const i32 zins = Bank_Screen_Zins();
    klick(STEPPER_X + PLUS_10, Y_ZINS);
    EXPECT_EQ(Bank_Screen_Zins(), zins);
    // Clicks inside the throttle's 150 ms make one step.
    Menue_Icon_Zustand_Setzen(ICON_BANK_BETRAG, 500000);
    Bank_Screen_Daten_Holen();
    kit::Warten(200);
    for (int i = 0; i < 3; ++i) kit::Klick(STEPPER_X + PLUS_1, Y_BETRAG);
    EXPECT_EQ(Bank_Screen_Betrag(), 600000.0f);
}

TEST_F(Bank, PartnerZyklusMitZweiManagern) {
    oeffnen();
    const i32 b = anderer_manager();
    ASSERT_GT(b, 0);
    std::vector<i32> folge;
    for (int i = 0; i < 3; ++i) {
        klick(STEPPER_X + 100, Y_PARTNER);
        folge.push_back(Bank_Screen_Partner());
    }
    EXPECT_EQ(folge, (std::vector<i32>{b, 0, b}));
    EXPECT_EQ(Menue_Icon_Zustand(ICON_BANK_PARTNER), static_cast<u32>(b));
    // With a team as lender the rate is free and stays when the term changes.
    klick(STEPPER_X + PLUS_10, Y_ZINS);
    const i32 zins = Bank_Screen_Zins();
    EXPECT_EQ(zins, Bank_Screen_Bankzins(Bank_Screen_Laufzeit()) + 10);
    klick(STEPPER_X + PLUS_10, Y_LAUFZEIT);
    EXPECT_EQ(Bank_Screen_Zins(), zins);
    zeichnen();
    EXPECT_TRUE(kit::Text_Auf_Zeile(Team_String(721, b, nullptr, 0), 290));
    EXPECT_FALSE(kit::Grafik_Bei(GRAFIK_BANK_BILD, 634, 316));  // the crest stands in for the bank
    kit::Png("bank_partner");
}

TEST(BankPartner, Reihenfolge) {
    const i32 teams[] = {4, 9, 12};
    struct Fall {
        i32 partner, aktiv, erwartet;
    } faelle[] = {
        {0, 4, 9},  {9, 4, 12}, {12, 4, 0},  // bank, each other team in list order, bank
        {0, 9, 4},  {4, 9, 12},              // the active team is skipped
        {0, 12, 4}, {9, 12, 0},              // the active team last: back to the bank
        {77, 4, 77},                         // a lender no longer listed stays
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Bank_Screen_Naechster_Partner(f.partner, f.aktiv, teams, 3), f.erwartet)
            << f.partner << " " << f.aktiv;
    const i32 allein[] = {4};
    EXPECT_EQ(Bank_Screen_Naechster_Partner(0, 4, allein, 1), 0);
}

TEST_F(Bank, AngebotAnAnderenManagerAlsNachricht) {
    oeffnen();
    const i32 a = Team_Aktiv, b = anderer_manager();
    klick(STEPPER_X + 100, Y_PARTNER);
    ASSERT_EQ(Bank_Screen_Partner(), b);
    klick(STEPPER_X + PLUS_10, Y_BETRAG);  // 1.1 Mio
    const f64 geld = geld_aller_vereine();
    const i32 nachrichten = News_Anzahl();
    kit::Meldungen_Leeren();
    klick(450, 485);
    ASSERT_EQ(News_Anzahl(), nachrichten + 1);
    const i32 n = News_Anzahl() - 1;
    const News_Daten d = News_Get_Daten(n);
    const i32 erwartet[7] = {5, a, b, Kalender_Get_Tag() + 40, 1100000, Bank_Screen_Zins(), Bank_Screen_Laufzeit()};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(d.w[i], erwartet[i]) << i;
    EXPECT_EQ(News_Get_Absender(n), a);
    EXPECT_EQ(static_cast<u32>(News_Get_Flags(n, b)) & 0x1005u, 0x1005u);
    EXPECT_NE(News_Get_Text(n).find(Team_String(721, a, nullptr, 0)), std::string::npos);
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_NE(kit::Meldungen()[0].find(Team_String(300, b, nullptr, 0)), std::string::npos);
    // An offer moves no money and makes no credit.
    EXPECT_EQ(geld_aller_vereine(), geld);
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(a), 0);
}

TEST_F(Bank, KreditVonDerBank) {
    oeffnen();
    const i32 a = Team_Aktiv;
    const f64 geld = geld_aller_vereine(), eigen = Bank_Get_Kontostand(a, 0, 0);
    klick(STEPPER_X + PLUS_10, Y_BETRAG);  // 1.1 Mio
    klick(450, 485);
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(a), 1);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(a, 0, 0), eigen + 1100000);
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), geld + 1100000);
    // The manager is told his new balance.
    ASSERT_FALSE(kit::Meldungen().empty());
    EXPECT_EQ(kit::Meldungen().back(), Menue_Kontostand_Danach(a));
    EXPECT_NE(kit::Meldungen().back().find(Menue_Geld_Text(eigen + 1100000)), std::string::npos);
    int cursor = 0;
    const Bank_Kredit_Eintrag* e = Bank_Get_Naechster_Kredit(a, &cursor);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->partner, -1);
    // At the bank's own rate for the term, not the whole percent the screen shows
    // (a client's server books only at that rate).
    EXPECT_EQ(e->zins, Bank_Get_Zins(Bank_Get_Laufzeit_Klasse(10)));
    // The list shows it as a debt to the bank, and its sum.
    zeichnen();
    const Zeichenspur_Eintrag* zeile = kit::Text_Auf_Zeile("Hausbank", 145);
    ASSERT_TRUE(zeile);
    EXPECT_EQ(zeile->farbe, FARBE_FEHLER);
    const std::string schuld = Bank_Geld_String(static_cast<i32>(e->betrag_zins), a, -1, 0);
    EXPECT_GT(e->betrag_zins, 1100000.0f);
    const Zeichenspur_Eintrag* summe = kit::Text_Auf_Zeile(schuld.c_str(), 218);
    ASSERT_TRUE(summe);
    EXPECT_EQ(summe->farbe, FARBE_FEHLER);
    kit::Png("bank_kredit");
}

TEST_F(Bank, VierKrediteMachenDasAngebotZumBankkredit) {
    const i32 a = Team_Aktiv;
    for (int i = 0; i < BANK_SCREEN_MAX_KREDITE; ++i) ASSERT_TRUE(Bank_Kredit(-1, a, 100000.0f, 10, 0, -1.0f, 0));
    oeffnen();
    klick(STEPPER_X + 100, Y_PARTNER);
    ASSERT_NE(Bank_Screen_Partner(), 0);
    const i32 nachrichten = News_Anzahl();
    klick(450, 485);
    EXPECT_EQ(News_Anzahl(), nachrichten);
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(a), BANK_SCREEN_MAX_KREDITE + 1);
}

TEST_F(Bank, KreditUeberDerGrenzeBuchtNichts) {
    // A remembered amount beyond the bank's limit (an old or damaged save).
    Menue_Icon_Zustand_Setzen(ICON_BANK_BETRAG, 20000000);
    oeffnen();
    const f64 geld = geld_aller_vereine();
    kit::Meldungen_Leeren();
    klick(450, 485);
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(Team_Aktiv), 0);
    EXPECT_EQ(geld_aller_vereine(), geld);
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_NE(kit::Meldungen()[0].find("nichts gebucht"), std::string::npos);
}

TEST_F(Bank, JederManagerFindetSeineWahlWieder) {
    oeffnen();
    const i32 erster = Team_Aktiv, zweiter = anderer_manager();
    klick(STEPPER_X + PLUS_10, Y_BETRAG);
    klick(STEPPER_X + PLUS_1, Y_LAUFZEIT);
    klick(STEPPER_X + 100, Y_PARTNER);
    ASSERT_EQ(Bank_Screen_Partner(), zweiter);
    struct Stand {
        i32 manager, partner, betrag, laufzeit;
    } staende[] = {{zweiter, 0, 100000, 10}, {erster, zweiter, 1100000, 11}};
    for (const Stand& st : staende) {
        Screen_Schliessen(Screen_Id::BANK);
        kit::Frames(2);
        ASSERT_FALSE(Screen_Offen(Screen_Id::BANK));
        Menue_Manager_Wechsel(st.manager);
        kit::Frames(2);
        if (kit::Requester_Offen()) kit::Requester_Antworten(true);  // "... ist am Zug"
        kit::Frames(2);
        // A manager back at the machine finds the screen he left open.
        if (!Screen_Offen(Screen_Id::BANK)) {
            ASSERT_TRUE(Screen_Oeffnen(Screen_Id::BANK));
        }
        EXPECT_EQ(Bank_Screen_Partner(), st.partner) << st.manager;
        EXPECT_EQ(static_cast<i32>(Bank_Screen_Betrag()), st.betrag) << st.manager;
        EXPECT_EQ(Bank_Screen_Laufzeit(), st.laufzeit) << st.manager;
    }
}

class BankAllein : public Bank {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(1)); }
};

TEST_F(BankAllein, EinManagerBleibtBeiDerBank) {
    oeffnen();
    klick(STEPPER_X + 100, Y_PARTNER);
    EXPECT_EQ(Bank_Screen_Partner(), 0);
    zeichnen();
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_BANK_PARTNER)->status & MENUE_S_GRAU);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_BANK_ZINS)->status & MENUE_S_GRAU);
    EXPECT_TRUE(kit::Text_Auf_Zeile("Hausbank", 300));
}

}  // namespace
