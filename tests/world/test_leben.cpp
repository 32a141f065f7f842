// A world that lives: the age curve, retirements, youth players who take
// the retired players' places, wages through the bank, computer clubs that
// trade with the market as their money says, and the day's rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/random.h"
#include "welt_test.h"
#include "world/bank.h"
#include "world/leben.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

class Leben : public Geladene_Welt {
  protected:
    void SetUp() override {
        Bank_Init();
        Stadion_Init();
        Welt_Zahlen_Zuruecksetzen();
    }
    void TearDown() override {
        Stadion_Free();
        Bank_Free();
    }
};

TEST_F(Leben, AgeCurveGrowsYoungPlayersKeepsThePrimeAndWearsVeteransDown) {
    struct Fall {
        const char* name;
        i32 alter;
        bool torwart;
        i32 fein, max, talent;
        i32 von, bis;  // expected change
    } faelle[] = {
        {"talented 18-year-old far below his potential", 18, false, 3000, 9, 50, 3150, 3350},
        {"untalented 18-year-old", 18, false, 3000, 9, 0, 1500, 1800},
        {"young player at his potential", 20, false, 9500, 9, 30, -100, 100},
        {"25-year-old closes the gap slowly", 25, false, 8000, 9, 30, 75, 375},
        {"in his prime", 29, false, 8000, 9, 30, -225, 175},
        {"31-year-old outfield player still in his prime", 31, false, 8000, 9, 30, -225, 175},
        {"32-year-old outfield player declines", 32, false, 8000, 9, 30, -400, -200},
        {"31-year-old goalkeeper still in his prime", 31, true, 8000, 9, 30, -225, 175},
        {"35-year-old declines fast", 35, false, 8000, 9, 30, -1000, -800},
        {"35-year-old goalkeeper declines slowly", 35, true, 8000, 9, 30, -600, -400},
        // A weaker veteran loses the same share of his strength as one of
        // 5,000, not the same amount.
        {"32-year-old of 2,500 loses half of what a top player loses", 32, false, 2500, 3, 30, -200, -100},
        {"third-division 35-year-old (1,600)", 35, false, 1600, 2, 30, -320, -256},
        {"35-year-old of exactly 5,000 loses the full amount", 35, false, 5000, 5, 30, -1000, -800},
    };
    for (const Fall& f : faelle) {
        for (i32 z : {-100, 0, 100}) {
            const i32 d = Leben_Staerke_Aenderung(f.alter, f.torwart, f.fein, f.max, f.talent, z);
            EXPECT_GE(d, f.von) << f.name << " (" << z << ")";
            EXPECT_LE(d, f.bis) << f.name << " (" << z << ")";
        }
    }
}

TEST_F(Leben, RetirementComesLaterForGoalkeepersAndEarlierForWeakPlayers) {
    struct Fall {
        i32 alter;
        bool torwart;
        i32 fein, prozent;
    } faelle[] = {
        {29, false, 8000, 0},  {32, false, 8000, 0},   {33, false, 8000, 20}, {33, false, 2000, 40},
        {35, false, 8000, 60}, {33, true, 8000, 0},    {35, true, 8000, 20},  {38, false, 8000, 100},
        {38, true, 8000, 100}, {37, true, 8000, 60},    {31, false, 1000, 20}, {28, false, 1000, 0},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Leben_Ruecktritt_Prozent(f.alter, f.torwart, f.fein), f.prozent)
            << f.alter << (f.torwart ? " goalkeeper " : " ") << f.fein;
    }
}

TEST_F(Leben, AYouthPlayerTakesTheRetiredPlayersPlaceInHisClub) {
    const int t = 30;
    const int s = Team_Kader(t)[3];
    Spieler_Daten[s].status |= SP_STATUS_AUFGESTELLT | SP_STATUS_VERLETZT;
    Spieler_Daten[s].erschoepfung = 7;
    const Spieler_Struktur vorher = Spieler_Daten[s];
    const Spieler_Fix fix = Spieler_Fix_Daten[s];
    const std::string name = Spieler_Texte[s].nachname;
    const int kader = Team_Kader_Anzahl(t);
    Rnd_Set_Index(17, 0);
    Leben_Jugendspieler(s, 2010, 9000);
    const Spieler_Struktur& p = Spieler_Daten[s];
    EXPECT_EQ(Team_Kader_Anzahl(t), kader);
    EXPECT_EQ(Spieler_Get_Team(s), t);
    EXPECT_EQ(p.slot, vorher.slot);
    EXPECT_EQ(Spieler_Fix_Daten[s].position, fix.position);
    EXPECT_GE(2010 - Spieler_Fix_Daten[s].geburtsjahr, 16);
    EXPECT_LE(2010 - Spieler_Fix_Daten[s].geburtsjahr, 18);
    EXPECT_EQ(p.status & SP_STATUS_NICHT_SPIELBEREIT, 0u) << "a new player is fit";
    EXPECT_NE(p.status & SP_STATUS_AUFGESTELLT, 0u) << "his slot's role stays";
    EXPECT_EQ(p.erschoepfung, 0);
    EXPECT_EQ(p.spiele, 0);
    EXPECT_GE(p.max_staerke, 4);
    EXPECT_LE(p.max_staerke, 12);
    EXPECT_LT(p.staerke_fein, p.max_staerke * 1000 + 500);
    EXPECT_EQ(p.staerke, p.staerke_fein / 1000);
    EXPECT_EQ(p.marktwert, Spieler_Berechne_Marktwert(s));
    EXPECT_GT(std::strlen(Spieler_Texte[s].nachname), 0u);
    EXPECT_GT(std::strlen(Spieler_Texte[s].vorname), 0u);
    (void)name;
    EXPECT_EQ(Welt_Zahlen_Lesen().jugend, 1);
}

TEST_F(Leben, NoYouthPlayerGetsAFullNameAlreadyInUse) {
    // Many youth players come through one after another, alone and in a
    // season change: no two players of the world share first name and surname.
    auto doppelte = []() {
        std::map<std::string, int> namen;
        for (int s = 0; s < Spieler_Anzahl; ++s)
            namen[std::string(Spieler_Texte[s].vorname) + "|" + Spieler_Texte[s].nachname]++;
        int n = 0;
        for (const auto& [name, k] : namen) n += k > 1 ? k : 0;
        return n;
    };
    ASSERT_EQ(doppelte(), 0) << "the shipped world has no repeat";
    struct Fall {
        const char* wie;
        i32 cursor;
    } faelle[] = {{"one by one", 5}, {"one by one", 3777}, {"season change", 211}, {"season change", 4999}};
    for (const Fall& f : faelle) {
        Rnd_Set_Index(f.cursor, 0);
        if (std::string(f.wie) == "one by one") {
            for (int i = 0; i < 600; ++i) Leben_Jugendspieler((i * 7) % Spieler_Anzahl, 2010, 5000);
        } else {
            // Every player of these ages retires: thousands of new names at
            // once (the birth years put back for the tests that follow).
            std::vector<i32> jahre;
            for (int s = 0; s < Spieler_Anzahl; ++s) {
                jahre.push_back(Spieler_Fix_Daten[s].geburtsjahr);
                Spieler_Fix_Daten[s].geburtsjahr = 1960 + s % 40;
            }
            Leben_Saisonwechsel(2011);
            for (int s = 0; s < Spieler_Anzahl; ++s) Spieler_Fix_Daten[s].geburtsjahr = jahre[static_cast<size_t>(s)];
        }
        EXPECT_EQ(doppelte(), 0) << f.wie << " at " << f.cursor;
    }
}

TEST_F(Leben, AYouthPlayersPotentialIsHeldByHisClubsStarPlaces) {
    // A star talent's potential is at least a star's, one who finds the
    // places taken stays below it, a free one follows the club's level alone
    // (60 to 130 per cent of it, a rare talent half as much again).
    struct Fall {
        i32 niveau;
        Leben_Stern stern;
        i32 min, max;  // potential
    } faelle[] = {
        {2000, Leben_Stern::talent, 10, 12},  {9000, Leben_Stern::talent, 10, 12},
        {12000, Leben_Stern::talent, 10, 12}, {12000, Leben_Stern::darunter, 6, 9},
        {9000, Leben_Stern::darunter, 4, 9},  {2000, Leben_Stern::darunter, 0, 3},
        {12000, Leben_Stern::frei, 6, 12},    {2000, Leben_Stern::frei, 0, 3},
    };
    const int s = Team_Kader(30)[4];
    for (const Fall& f : faelle)
        for (i32 index : {0, 101, 2024, 4999}) {
            Rnd_Set_Index(index, 0);
            Leben_Jugendspieler(s, 2010, f.niveau, f.stern);
            const Spieler_Struktur& p = Spieler_Daten[s];
            EXPECT_GE(p.max_staerke, f.min) << f.niveau << " at " << index;
            EXPECT_LE(p.max_staerke, f.max) << f.niveau << " at " << index;
            EXPECT_LT(p.staerke_fein, LEBEN_STAR_FEIN) << "a youth player is no star yet";
        }
}

TEST_F(Leben, StarsAndTalentsHoldTheirClubsStarPlaces) {
    const int t = 31;
    const i32 jahr = 2010;
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
        const int s = Team_Kader(t)[i];
        Spieler_Daten[s].staerke_fein = 6000;
        Spieler_Daten[s].max_staerke = 7;
    }
    struct Fall {
        const char* name;
        i32 alter, fein, max;
        int nachfolge, alle;  // places held for a youth player's and for a signing's count
    } faelle[] = {
        {"star in his prime", 24, 10800, 11, 1, 1},
        {"star at the last age he holds his place", LEBEN_STAR_BIS, 10200, 10, 1, 1},
        {"older star leaves his place to a successor", LEBEN_STAR_BIS + 1, 10600, 11, 0, 1},
        {"talent on his way", 19, 6500, 10, 1, 1},
        {"talent at the last age he holds his place", LEBEN_TALENT_BIS, 9600, 10, 1, 1},
        {"talent who never made it", LEBEN_TALENT_BIS + 1, 9600, 10, 0, 0},
        {"good player without a star's potential", 20, 8000, 9, 0, 0},
    };
    for (const Fall& f : faelle) {
        const int s = Team_Kader(t)[0];
        Spieler_Daten[s].staerke_fein = static_cast<u16>(f.fein);
        Spieler_Daten[s].max_staerke = static_cast<u8>(f.max);
        Spieler_Fix_Daten[s].geburtsjahr = jahr - f.alter;
        EXPECT_EQ(Leben_Stars_Belegt(t, jahr, false), f.nachfolge) << f.name;
        EXPECT_EQ(Leben_Stars_Belegt(t, jahr, true), f.alle) << f.name;
    }
}

TEST_F(Leben, ASeasonChangeAgesTheWorldKeepsSquadsFullAndRenewsTheMarket) {
    std::vector<int> kader(static_cast<size_t>(Team_Anzahl));
    for (int t = 0; t < Team_Anzahl; ++t) kader[static_cast<size_t>(t)] = Team_Kader_Anzahl(t);
    Rnd_Set_Index(5, 0);
    // Ten season changes from 2004 on.
    for (i32 jahr = 2004; jahr < 2014; ++jahr) Leben_Saisonwechsel(jahr);
    for (int t = 0; t < Team_Anzahl; ++t) EXPECT_EQ(Team_Kader_Anzahl(t), kader[static_cast<size_t>(t)]) << t;
    int alt = 0, jung = 0, markt_jung = 0, n = 0;
    for (int s = 0; s < Spieler_Anzahl; ++s) {
        const i32 a = 2013 - Spieler_Fix_Daten[s].geburtsjahr;
        ++n;
        if (a > 40) ++alt;
        if (a <= 25) ++jung;
        if (a <= 25 && Spieler_Get_Team(s) == Team_Transfermarkt) ++markt_jung;
        ASSERT_GE(Spieler_Daten[s].staerke_fein, 300);
        ASSERT_LE(Spieler_Daten[s].staerke_fein, 12000);
    }
    EXPECT_EQ(alt, 0) << "nobody plays on past 40";
    EXPECT_GT(jung, n / 4) << "young players come through";
    EXPECT_GT(markt_jung, 100) << "the market renews too";
    EXPECT_GT(Welt_Zahlen_Lesen().ruecktritte, n / 4);
    EXPECT_EQ(Welt_Zahlen_Lesen().ruecktritte, Welt_Zahlen_Lesen().jugend);
}

TEST_F(Leben, YouthFillsOpenStarPlacesOnlyOneASeasonAndNoneElsewhere) {
    Leben_Sterne sterne;
    sterne.plaetze.assign(static_cast<size_t>(Team_Anzahl), 0);
    sterne.liga.assign(static_cast<size_t>(Team_Anzahl), -1);
    const int gross = 32;
    sterne.plaetze[static_cast<size_t>(gross)] = 3;
    for (int t = 0; t < Team_Anzahl; ++t)
        if (Team_Daten[t].art & TEAM_ART_NATIONALTEAM) sterne.plaetze[static_cast<size_t>(t)] = -1;
    Rnd_Set_Index(9, 0);
    int talente = 0;
    // The ten seasons after the world test above.
    for (i32 jahr = 2014; jahr < 2024; ++jahr) {
        // A new youth player has a new look.
        std::vector<u32> aussehen(static_cast<size_t>(Spieler_Anzahl));
        for (int s = 0; s < Spieler_Anzahl; ++s) aussehen[static_cast<size_t>(s)] = Spieler_Fix_Daten[s].aussehen;
        Leben_Saisonwechsel(jahr, &sterne);
        int talente_jahr = 0;
        for (int t = 0; t < Team_Anzahl; ++t) {
            if (Team_Daten[t].art & TEAM_ART_NATIONALTEAM) continue;
            for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
                const int s = Team_Kader(t)[i];
                if (Spieler_Fix_Daten[s].aussehen == aussehen[static_cast<size_t>(s)]) continue;
                if (t == gross)
                    talente_jahr += Spieler_Daten[s].max_staerke >= 10;
                else
                    ASSERT_LT(Spieler_Daten[s].max_staerke, 10) << "youth of a club without star places, team " << t;
            }
        }
        EXPECT_LE(talente_jahr, 1) << "one star talent a season at most, " << jahr;
        talente += talente_jahr;
    }
    EXPECT_GE(talente, 1) << "the club with open places brought talents through";
}

TEST_F(Leben, WagesAreBookedThroughTheBankAndMayTakeAClubIntoTheRed) {
    const int t = 40;
    ASSERT_TRUE(Bank_Konto_Anlegen(t, 1000.0, 0));
    f64 summe = 0;
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i) summe += Spieler_Berechne_Gehalt(Team_Kader(t)[i]);
    EXPECT_DOUBLE_EQ(Leben_Gehaltssumme(t), summe);
    EXPECT_DOUBLE_EQ(Leben_Gehaelter_Zahlen(t), summe);
    EXPECT_NEAR(Bank_Get_Kontostand(t, 0, -1), 1000.0 - summe, 1.0);
    EXPECT_NEAR(Bank_Summe_Buchungen(t, 0, BANK_GEHALT | BANK_RICHTUNG_AUS, 0), summe, 1.0);
    EXPECT_DOUBLE_EQ(Welt_Zahlen_Lesen().gehaelter, summe);
    EXPECT_EQ(Leben_Gehaelter_Zahlen(Team_Anzahl), 0.0) << "no club, nothing booked";
}

// The sponsors pay WELT_SPONSOR_PROZENT of the wage bill to a club that
// holds at most WELT_SPONSOR_POLSTER months' wages, less above that, nothing
// from one and a half cushions on (with a quarter left at twice the
// cushion, a big ground's gate money and the sponsors' rest kept a star's
// sale in the bank for seasons: the richest club stood up to 17 times the
// top divisions' median); the booking is advertising money (category 13).
TEST_F(Leben, SponsorsPayTheirShareOfTheWagesLessToARichClub) {
    const int t = 40;
    const f64 monat = Leben_Gehaltssumme(t);
    ASSERT_GT(monat, 1.0);
    const f64 voll = monat * WELT_SPONSOR_PROZENT / 100;
    const struct {
        const char* name;
        f64 monate;  // balance in months of wages
        f64 anteil;  // of the full money
    } faelle[] = {
        {"in the red", -2, 1.0},
        {"at the cushion", WELT_SPONSOR_POLSTER, 1.0},
        {"a tenth beyond it", 1.1 * WELT_SPONSOR_POLSTER, 0.8},
        {"a quarter beyond it", 1.25 * WELT_SPONSOR_POLSTER, 0.5},
        {"at one and a half cushions", 1.5 * WELT_SPONSOR_POLSTER, 0.0},
        {"at twice the cushion", 2.0 * WELT_SPONSOR_POLSTER, 0.0},
        {"far beyond it", 10.0 * WELT_SPONSOR_POLSTER, 0.0},
    };
    for (const auto& f : faelle) {
        Bank_Free();
        Bank_Init();
        ASSERT_TRUE(Bank_Konto_Anlegen(t, monat * f.monate, 0)) << f.name;
        EXPECT_NEAR(Werbung_Sponsorgeld(t), voll * f.anteil, 1.0) << f.name;
    }
    Bank_Free();
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(t, 0.0, 0));
    Werbung_Sponsorgeld_Buchen(t);
    EXPECT_NEAR(Bank_Get_Kontostand(t, 0, -1), voll, 1.0);
    EXPECT_NEAR(Bank_Summe_Buchungen(t, 0, BANK_WERBUNG, 0), voll, 1.0);
    EXPECT_EQ(Werbung_Sponsorgeld(Team_Anzahl), 0.0) << "no club, no sponsors";
}

// The money beyond WELT_UEBERSCHUSS_AB_PROZENT of the cushion is the
// surplus a computer club spends from; within it, or in the red, none.
TEST_F(Leben, TheSurplusIsTheMoneyBeyondTheCushionsUpperMark) {
    const int t = 40;
    const f64 monat = Leben_Gehaltssumme(t), polster = monat * WELT_SPONSOR_POLSTER;
    const f64 marke = WELT_UEBERSCHUSS_AB_PROZENT / 100.0;
    ASSERT_GT(marke, WELT_SPONSOR_BIS_PROZENT / 100.0) << "spending begins where the sponsors have stopped";
    const struct {
        const char* name;
        f64 polster;      // balance in cushions
        f64 ueberschuss;  // in cushions
    } faelle[] = {
        {"in the red", -1, 0},
        {"at the cushion", 1, 0},
        {"where the sponsors stop", WELT_SPONSOR_BIS_PROZENT / 100.0, 0},
        {"at the mark", marke, 0},
        {"a cushion beyond the mark", marke + 1, 1},
        {"far beyond it", 10, 10 - marke},
    };
    for (const auto& f : faelle) {
        Bank_Free();
        Bank_Init();
        ASSERT_TRUE(Bank_Konto_Anlegen(t, polster * f.polster, 0)) << f.name;
        EXPECT_NEAR(Werbung_Ueberschuss(t), polster * f.ueberschuss, 2.0) << f.name;
    }
    EXPECT_EQ(Werbung_Ueberschuss(Team_Anzahl), 0.0) << "no club, no surplus";
    Bank_Free();
    Bank_Init();
}

TEST_F(Leben, ComputerClubsTradeWithTheMarketAsTheirMoneySays) {
    const int arm = 50, reich = 51, mittel = 52;
    struct Fall {
        const char* name;
        int team;
        f64 monate;  // balance in months of wages (negative: in the red)
        bool handel;
        int staerker;  // +1 the squad's eleven gets stronger, -1 weaker, 0 unchanged
    } faelle[] = {
        {"deep in the red: sells his best-paid player", arm, -3, true, -1},
        {"a little in the red: keeps his squad", mittel, -1, false, 0},
        {"rich: buys a better player", reich, 24, true, +1},
    };
    // The rich club's better player comes from another club (the market
    // sells only stars): every club's account is open.
    for (int c = 0; c < Team_Anzahl; ++c)
        if ((Team_Daten[c].art & TEAM_ART_VEREIN) && c != Team_Transfermarkt && !Bank_Konto_Offen(c)) {
            ASSERT_TRUE(Bank_Konto_Anlegen(c, 1e6, 0));
        }
    for (const Fall& f : faelle) {
        const f64 monat = Leben_Gehaltssumme(f.team);
        ASSERT_TRUE(Bank_Konto_Anlegen(f.team, monat * f.monate, 0));
        const f64 vorher_konto = Bank_Get_Kontostand(f.team, 0, -1);
        const f64 vorher_gehalt = Leben_Gehaltssumme(f.team);
        i32 vorher = 0;
        for (int i = 0; i < Team_Kader_Anzahl(f.team); ++i) vorher += Spieler_Daten[Team_Kader(f.team)[i]].staerke_fein;
        EXPECT_EQ(Leben_Transfer(f.team), f.handel) << f.name;
        i32 nachher = 0;
        for (int i = 0; i < Team_Kader_Anzahl(f.team); ++i) nachher += Spieler_Daten[Team_Kader(f.team)[i]].staerke_fein;
        EXPECT_EQ((nachher > vorher) - (nachher < vorher), f.staerker) << f.name;
        if (f.staerker < 0) {
            EXPECT_GT(Bank_Get_Kontostand(f.team, 0, -1), vorher_konto) << f.name << ": the sale brings money";
            EXPECT_LT(Leben_Gehaltssumme(f.team), vorher_gehalt) << f.name << ": and lowers the wages";
        }
        if (f.staerker > 0) {
            EXPECT_GT(Bank_Get_Kontostand(f.team, 0, -1), 0.0) << f.name << ": never spends into the red";
        }
    }
    EXPECT_FALSE(Leben_Transfer(Team_Transfermarkt));
}

TEST_F(Leben, ARichClubSignsAStarOnlyForAnOpenStarPlace) {
    // The market's best player of each club's weakest player's position is
    // made a star the rich club can pay.
    auto vorbereiten = [](int team) {
        int ab = -1;
        for (int i = 0; i < Team_Kader_Anzahl(team); ++i) {
            const int s = Team_Kader(team)[i];
            if (ab < 0 || Spieler_Daten[s].staerke_fein < Spieler_Daten[ab].staerke_fein) ab = s;
        }
        int star = -1;
        for (int i = 0; i < Team_Kader_Anzahl(Team_Transfermarkt) && star < 0; ++i) {
            const int s = Team_Kader(Team_Transfermarkt)[i];
            if (Spieler_Fix_Daten[s].position == Spieler_Fix_Daten[ab].position &&
                !(Spieler_Daten[s].status & (SP_STATUS_SCOUT | SP_STATUS_NICHT_SPIELBEREIT)))
                star = s;
        }
        Spieler_Daten[star].staerke_fein = 11950;  // above any other of the market
        // Earlier season changes may have grown a market player of the
        // position above him: none stays a star.
        for (int i = 0; i < Team_Kader_Anzahl(Team_Transfermarkt); ++i)
            if (const int s = Team_Kader(Team_Transfermarkt)[i];
                s != star && Spieler_Fix_Daten[s].position == Spieler_Fix_Daten[star].position &&
                Spieler_Daten[s].staerke_fein >= 10000)
                Spieler_Daten[s].staerke_fein = 3000;
        Spieler_Daten[star].staerke = 11;
        Spieler_Daten[star].max_staerke = 11;
        Spieler_Daten[star].marktwert = Spieler_Berechne_Marktwert(star);
        // A club signs a step above its level: this one plays at a star's.
        for (int i = 0; i < Team_Kader_Anzahl(team); ++i)
            if (const int s = Team_Kader(team)[i]; s != ab) Spieler_Daten[s].staerke_fein = 10500;
        EXPECT_TRUE(Bank_Konto_Anlegen(team, 1e9, 0));
        return star;
    };
    struct Fall {
        int team;
        i32 offen;
        bool star_kommt;
    } faelle[] = {{53, 0, false}, {54, 1, true}, {55, -1, true}};
    for (const Fall& f : faelle) {
        const int star = vorbereiten(f.team);
        // A division level of its own: no other club's young star competes
        // with the market's (the shipped middle clubs hold some).
        std::vector<i32> stufen(static_cast<size_t>(Team_Anzahl), 100);
        stufen[static_cast<size_t>(f.team)] = 1;
        Leben_Transfer(f.team, f.offen, &stufen);
        EXPECT_EQ(Spieler_Get_Team(star) == f.team, f.star_kommt) << "open places " << f.offen;
        if (star >= 0 && Spieler_Get_Team(star) == Team_Transfermarkt) Spieler_Daten[star].staerke_fein = 3000;
    }
}

TEST_F(Leben, ARichClubSignsFromAnotherClubWhoTakesItsWeakestInPartPayment) {
    // Deals of a rich club from many cursors: those with another club are
    // exchanges (both squads keep their size, the seller takes the weakest
    // and the price less his value); each comes a step above the club's
    // level at most and leaves it in the black.
    const int t = 56;
    for (int c = 0; c < Team_Anzahl; ++c)
        if ((Team_Daten[c].art & TEAM_ART_VEREIN) && c != Team_Transfermarkt && !Bank_Konto_Offen(c)) {
            ASSERT_TRUE(Bank_Konto_Anlegen(c, 1e6, 0));
        }
    int vereine = 0;
    for (i32 cursor = 0; cursor < 3000; cursor += 150) {
        const f64 monat = Leben_Gehaltssumme(t);
        ASSERT_TRUE(Bank_Konto_Anlegen(t, monat * 6, 0));
        int ab = -1;
        i32 niveau = 0;
        std::vector<i32> f;
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
            const int s = Team_Kader(t)[i];
            f.push_back(Spieler_Daten[s].staerke_fein);
            if (ab < 0 || Spieler_Daten[s].staerke_fein < Spieler_Daten[ab].staerke_fein) ab = s;
        }
        std::sort(f.rbegin(), f.rend());
        for (int i = 0; i < 11; ++i) niveau += f[static_cast<size_t>(i)] / 11;
        const std::vector<int> kader(Team_Kader(t), Team_Kader(t) + Team_Kader_Anzahl(t));
        std::vector<f64> konten;
        for (int c = 0; c < Team_Anzahl; ++c) konten.push_back(Bank_Get_Kontostand(c, 0, -1));
        Rnd_Set_Index(cursor, 0);
        if (!Leben_Transfer(t)) continue;
        const int verkaeufer = Spieler_Get_Team(ab);
        int zu = -1;
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i)
            if (std::find(kader.begin(), kader.end(), Team_Kader(t)[i]) == kader.end()) zu = Team_Kader(t)[i];
        ASSERT_GE(zu, 0) << "a deal brings a player";
        EXPECT_EQ(Team_Kader_Anzahl(t), static_cast<int>(kader.size()));
        EXPECT_LE(Spieler_Daten[zu].staerke_fein, niveau + LEBEN_KAUF_UEBER + 11) << "at " << cursor;
        EXPECT_GT(Bank_Get_Kontostand(t, 0, -1), 0.0) << "at " << cursor;
        if (verkaeufer == Team_Transfermarkt) continue;
        ++vereine;
        EXPECT_EQ(Team_Kader_Anzahl(verkaeufer), MAX_SPIELER_PRO_TEAM) << "the seller keeps his squad's size";
        EXPECT_FALSE(Team_Hat_Manager(verkaeufer));
        const f64 preis = static_cast<f64>(Spieler_Berechne_Marktwert(zu)) * LEBEN_WECHSEL_AUFSCHLAG / 100.0 -
                          Spieler_Berechne_Marktwert(ab);
        EXPECT_NEAR(Bank_Get_Kontostand(verkaeufer, 0, -1) - konten[static_cast<size_t>(verkaeufer)], preis,
                    1.0 + preis * 1e-6);
    }
    EXPECT_GE(vereine, 3) << "other clubs' players come, not the market's alone";
}

// The players' records, put back after a test that changes them (the
// squads rebuilt from the players' clubs).
struct Spielerstand {
    std::vector<Spieler_Struktur> s;
    std::vector<Spieler_Fix> f;
    std::vector<Spieler_Client_Egal> x;
    Spielerstand()
        : s(Spieler_Daten, Spieler_Daten + Spieler_Anzahl), f(Spieler_Fix_Daten, Spieler_Fix_Daten + Spieler_Anzahl),
          x(Spieler_Texte, Spieler_Texte + Spieler_Anzahl) {}
    void zurueck() const {
        std::copy(s.begin(), s.end(), Spieler_Daten);
        std::copy(f.begin(), f.end(), Spieler_Fix_Daten);
        std::copy(x.begin(), x.end(), Spieler_Texte);
        Team_Kader_Neu_Aufbauen();
    }
};

TEST_F(Leben, AYouthPlayersPotentialIsHisClubsLevelOnAverageAtEveryLevel) {
    // Many youth players of a club at each level: the potential they grow
    // towards (their step's middle) averages the level within a tenth, a
    // third division's (a step is most of it) as a top club's.
    const Spielerstand vorher;
    const int s = Team_Kader(30)[5];
    for (i32 niveau : {1200, 1600, 3000, 5500, 8000}) {
        f64 summe = 0;
        int n = 0;
        for (i32 index = 0; index < 6000; index += 29, ++n) {
            Rnd_Set_Index(index, 0);
            Leben_Jugendspieler(s, 2010, niveau);
            summe += Spieler_Daten[s].max_staerke * 1000 + 500;
        }
        EXPECT_NEAR(summe / n, niveau, niveau * 0.1) << "level " << niveau;
    }
    vorher.zurueck();
}

TEST_F(Leben, AClubsYouthComesAQuarterOfTheWayFromItsOwnLevelToItsLeagues) {
    // Every club in one league; the strongest club's whole squad retires.
    // Its youth comes at its own median player's level moved a quarter of
    // the way towards the league's median club's (a club that rose early
    // does not keep the height through its youth for good).
    const Spielerstand vorher;
    auto median = [](std::vector<i32> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    auto eigen = [&](int t) {
        std::vector<i32> f;
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i) f.push_back(Spieler_Daten[Team_Kader(t)[i]].staerke_fein);
        return median(f);
    };
    Leben_Sterne sterne;
    sterne.plaetze.assign(static_cast<size_t>(Team_Anzahl), -1);
    sterne.liga.assign(static_cast<size_t>(Team_Anzahl), -1);
    std::vector<i32> clubs;
    int a = -1;
    for (int t = 0; t < Team_Anzahl; ++t)
        if ((Team_Daten[t].art & TEAM_ART_VEREIN) && Team_Kader_Anzahl(t) > 0) {
            sterne.liga[static_cast<size_t>(t)] = 7;
            clubs.push_back(eigen(t));
            if (a < 0 || eigen(t) > eigen(a)) a = t;
        }
    const i32 eigen_a = eigen(a), liga = median(clubs);
    ASSERT_GT(eigen_a, 2 * liga);
    const i32 erwartet = eigen_a + (liga - eigen_a) / LEBEN_JUGEND_LIGA_TEIL;
    f64 summe = 0;
    int n = 0;
    for (i32 index : {5, 1201, 2407, 3613, 4819}) {
        vorher.zurueck();
        for (int i = 0; i < Team_Kader_Anzahl(a); ++i) Spieler_Fix_Daten[Team_Kader(a)[i]].geburtsjahr = 1960;
        Rnd_Set_Index(index, 0);
        Leben_Saisonwechsel(2010, &sterne);
        for (int i = 0; i < Team_Kader_Anzahl(a); ++i, ++n)
            summe += Spieler_Daten[Team_Kader(a)[i]].max_staerke * 1000 + 500;
    }
    EXPECT_NEAR(summe / n, erwartet, erwartet * 0.06) << "own " << eigen_a << ", league " << liga;
    vorher.zurueck();
}

TEST_F(Leben, TheMarketsYouthComesAtThePotentialOfThePlayerHeSucceeds) {
    // Every market player retires (aged 45) with a modest potential: his
    // successors' potentials stay around it, not around a fixed range.
    const Spielerstand vorher;
    const int m = Team_Transfermarkt;
    for (int i = 0; i < Team_Kader_Anzahl(m); ++i) {
        const int s = Team_Kader(m)[i];
        Spieler_Fix_Daten[s].geburtsjahr = 1965;
        Spieler_Daten[s].max_staerke = 3;
    }
    Rnd_Set_Index(11, 0);
    Leben_Saisonwechsel(2010);
    f64 summe = 0;
    for (int i = 0; i < Team_Kader_Anzahl(m); ++i) {
        const Spieler_Struktur& p = Spieler_Daten[Team_Kader(m)[i]];
        ASSERT_LE(p.max_staerke, 7);
        summe += p.max_staerke * 1000 + 500;
    }
    EXPECT_NEAR(summe / Team_Kader_Anzahl(m), 3500, 350);
    vorher.zurueck();
}

TEST_F(Leben, YoungPlayersGrowAtTheirDivisionsPace) {
    // The same world's season change from the same cursor, every club once
    // in a top division and once in a third (level 34, growing at
    // LEBEN_TEMPO_MIN per cent of the pace): the young club players' growth
    // is that share of the top division's; the market's is the same.
    const Spielerstand vorher;
    auto wachstum = [&](i32 stufe, bool markt) {
        vorher.zurueck();
        Leben_Sterne sterne;
        sterne.plaetze.assign(static_cast<size_t>(Team_Anzahl), -1);
        sterne.liga.assign(static_cast<size_t>(Team_Anzahl), -1);
        sterne.stufe.assign(static_cast<size_t>(Team_Anzahl), stufe);
        std::vector<i32> fein(static_cast<size_t>(Spieler_Anzahl));
        for (int s = 0; s < Spieler_Anzahl; ++s) fein[static_cast<size_t>(s)] = Spieler_Daten[s].staerke_fein;
        const std::vector<u32> aussehen = [] {
            std::vector<u32> a;
            for (int s = 0; s < Spieler_Anzahl; ++s) a.push_back(Spieler_Fix_Daten[s].aussehen);
            return a;
        }();
        Rnd_Set_Index(23, 0);
        Leben_Saisonwechsel(2004, &sterne);
        i64 summe = 0;
        for (int s = 0; s < Spieler_Anzahl; ++s) {
            const int t = Spieler_Daten[s].team;
            if (t < 0 || (t == Team_Transfermarkt) != markt || (!markt && !(Team_Daten[t].art & TEAM_ART_VEREIN)) ||
                Spieler_Fix_Daten[s].aussehen != aussehen[static_cast<size_t>(s)] ||
                2004 - Spieler_Fix_Daten[s].geburtsjahr > 23)
                continue;
            summe += std::max(0, Spieler_Daten[s].staerke_fein - fein[static_cast<size_t>(s)]);
        }
        return static_cast<f64>(summe);
    };
    const f64 oben = wachstum(100, false), unten = wachstum(34, false);
    ASSERT_GT(oben, 0.0);
    EXPECT_NEAR(unten / oben, LEBEN_TEMPO_MIN / 100.0, 0.03);
    EXPECT_DOUBLE_EQ(wachstum(34, true), wachstum(100, true)) << "the market's players grow at the full pace";
    vorher.zurueck();
}

TEST_F(Leben, AClubTradesWithClubsOfItsOwnDivisionLevel) {
    // Every other club plays a division lower: given the levels, a rich
    // club's deals with other clubs all stay within its own level; without
    // them some cross it.
    const int t = 56;
    for (int c = 0; c < Team_Anzahl; ++c)
        if ((Team_Daten[c].art & TEAM_ART_VEREIN) && c != Team_Transfermarkt && !Bank_Konto_Offen(c)) {
            ASSERT_TRUE(Bank_Konto_Anlegen(c, 1e6, 0));
        }
    std::vector<i32> stufen(static_cast<size_t>(Team_Anzahl));
    for (int c = 0; c < Team_Anzahl; ++c) stufen[static_cast<size_t>(c)] = c % 2 ? 67 : 100;
    const Spielerstand vorher;
    for (const bool mit_stufen : {true, false}) {
        int gleich = 0, quer = 0;
        for (i32 cursor = 0; cursor < 3000; cursor += 100) {
            vorher.zurueck();
            ASSERT_TRUE(Bank_Konto_Anlegen(t, Leben_Gehaltssumme(t) * 6, 0));
            const std::vector<int> kader(Team_Kader(t), Team_Kader(t) + Team_Kader_Anzahl(t));
            Rnd_Set_Index(cursor, 0);
            if (!Leben_Transfer(t, -1, mit_stufen ? &stufen : nullptr)) continue;
            for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
                const int s = Team_Kader(t)[i];
                if (std::find(kader.begin(), kader.end(), s) != kader.end()) continue;
                // The player who left went to the seller.
                for (int ab : kader)
                    if (Spieler_Get_Team(ab) != t && Spieler_Get_Team(ab) != Team_Transfermarkt)
                        (stufen[static_cast<size_t>(Spieler_Get_Team(ab))] == stufen[static_cast<size_t>(t)] ? gleich
                                                                                                          : quer)++;
            }
        }
        if (mit_stufen) {
            EXPECT_GE(gleich, 3) << "deals within the level are made";
            EXPECT_EQ(quer, 0) << "and none across it";
        } else {
            EXPECT_GE(quer, 1) << "without the levels the deals cross them";
        }
    }
    vorher.zurueck();
}

TEST_F(Leben, AClubFillsItsSquadFromTheMarketWhichTakesItsSurplus) {
    // A club alone at its division level (no other club's player fits)
    // whose players are all at 5,000 but one of the defence; the market's
    // only defender stronger than him is at `markt`.
    const int t = 57;
    const Spielerstand vorher;
    auto setzen = [](int s, i32 fein, i32 potential) {
        Spieler_Daten[s].staerke_fein = static_cast<u16>(fein);
        Spieler_Daten[s].staerke = static_cast<u8>(fein / 1000);
        Spieler_Daten[s].max_staerke = static_cast<u8>(potential / 1000);
        Spieler_Daten[s].marktwert = Spieler_Berechne_Marktwert(s);
    };
    struct Fall {
        const char* name;
        i32 fein, potential;  // the defender's
        f64 monate;           // the club's money in months of wages
        i32 markt;            // the market's defender
        bool kommt;
    } faelle[] = {
        {"a grown player far below the eleven goes, the market's better one comes", 1500, 1500, 6, 3800, true},
        {"a young player growing into his place stays", 1500, 9000, 6, 3800, false},
        {"a player near the eleven's level stays", 3500, 3500, 6, 3800, false},
        {"a club without money beyond its reserve keeps its squad", 1500, 1500, 0.5, 3800, false},
        {"the market fills a squad, not an eleven: its player of the eleven's level stays", 1500, 1500, 6, 4900, false},
    };
    std::vector<i32> stufen(static_cast<size_t>(Team_Anzahl), 100);
    stufen[static_cast<size_t>(t)] = 1;
    for (const Fall& f : faelle) {
        vorher.zurueck();
        int ab = -1;
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
            const int s = Team_Kader(t)[i];
            setzen(s, 5000, 5000);
            if (ab < 0 && Spieler_Fix_Daten[s].position == 1) ab = s;
        }
        ASSERT_GE(ab, 0);
        setzen(ab, f.fein, f.potential);
        int zu = -1;
        for (int i = 0; i < Team_Kader_Anzahl(Team_Transfermarkt); ++i) {
            const int s = Team_Kader(Team_Transfermarkt)[i];
            if (Spieler_Fix_Daten[s].position != 1) continue;
            if (zu < 0 && !(Spieler_Daten[s].status & (SP_STATUS_SCOUT | SP_STATUS_NICHT_SPIELBEREIT))) {
                zu = s;
                setzen(s, f.markt, f.markt);
            } else if (Spieler_Daten[s].staerke_fein >= f.fein) {
                setzen(s, 1000, 1000);
            }
        }
        ASSERT_GE(zu, 0);
        ASSERT_TRUE(Bank_Konto_Anlegen(t, Leben_Gehaltssumme(t) * f.monate, 0));
        const f64 konto = Bank_Get_Kontostand(t, 0, -1);
        const f64 wert_ab = Spieler_Berechne_Marktwert(ab), wert_zu = Spieler_Berechne_Marktwert(zu);
        EXPECT_EQ(Leben_Transfer(t, -1, &stufen), f.kommt) << f.name;
        EXPECT_EQ(Spieler_Get_Team(zu), f.kommt ? t : Team_Transfermarkt) << f.name;
        EXPECT_EQ(Spieler_Get_Team(ab), f.kommt ? Team_Transfermarkt : t) << f.name;
        EXPECT_EQ(Team_Kader_Anzahl(t), MAX_SPIELER_PRO_TEAM) << f.name;
        const f64 erwartet = f.kommt ? wert_ab * 0.8 - wert_zu : 0;
        EXPECT_NEAR(Bank_Get_Kontostand(t, 0, -1) - konto, erwartet, 1.0 + wert_zu * 1e-6) << f.name;
    }
    vorher.zurueck();
}

TEST_F(Leben, AManagedClubsPlayersRegainMoraleMonthByMonth) {
    // Only a managed club's players lose morale by sulking: below two they
    // regain a step a month, two and above stay; a computer club's morale is
    // left as it is.
    const int mensch = 70, computer = 71;
    ASSERT_TRUE(Manager_Neuer_Mitspieler(mensch, "Heiko Tramm", -1));
    struct Fall {
        int team;
        u8 vorher, nachher;
    } faelle[] = {{mensch, 0, 1}, {mensch, 1, 2}, {mensch, 2, 2}, {mensch, 6, 6}, {computer, 0, 0}, {computer, 1, 1}};
    for (const Fall& f : faelle) {
        const int s = Team_Kader(f.team)[0];
        Spieler_Daten[s].moral = f.vorher;
        Leben_Moral_Monat();
        EXPECT_EQ(Spieler_Daten[s].moral, f.nachher) << (f.team == mensch ? "managed " : "computer ") << int{f.vorher};
    }
    EXPECT_TRUE(Manager_Loeschen(mensch));
}

TEST_F(Leben, ADayOfRestLowersEveryPlayersExhaustion) {
    const int a = Team_Kader(60)[0], b = Team_Kader(61)[0];
    Spieler_Daten[a].erschoepfung = 9;
    Spieler_Daten[b].erschoepfung = 0;
    ASSERT_TRUE(Spieler_Verletzen(61, b, 0));
    const int tage = Spieler_Daten[b].verletzung_dauer;
    ASSERT_GT(tage, 0);
    Leben_Erholung();
    EXPECT_EQ(Spieler_Daten[a].erschoepfung, 8);
    EXPECT_EQ(Spieler_Daten[b].erschoepfung, 0);
    EXPECT_EQ(Spieler_Daten[b].verletzung_dauer, tage - 1);
    for (int i = 1; i < tage; ++i) Leben_Erholung();
    EXPECT_EQ(Spieler_Daten[b].status & SP_STATUS_VERLETZT, 0u) << "healed when his days have run out";
}

}  // namespace
