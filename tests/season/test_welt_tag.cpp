// The world's daily step on the shipped season at its first matchdays: the
// league a club plays in next and the deals it makes there, as the summer
// window sees them.
#include <gtest/gtest.h>

#include "season/kalender_lauf.h"
#include "saison_am_start.h"
#include "season/welt_tag.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/werbung.h"

namespace {

using season_test::Saison_Am_Start;

// In the shipped world: 16 plays in the German top division, 35 in the second.
constexpr int OBEN = 16, ZWEITE = 35;

class Welt_Tag_Liga : public Saison_Am_Start {};

TEST_F(Welt_Tag_Liga, TheNextSeasonsFieldDecidesTheLeagueTheWindowSees) {
    const i32 erste = Wettbewerb_Get_Liga_Von_Team(OBEN, true), zweite = Wettbewerb_Get_Liga_Von_Team(ZWEITE, true);
    ASSERT_GE(erste, 0);
    ASSERT_GE(zweite, 0);
    ASSERT_NE(erste, zweite);
    ASSERT_GT(Wettbewerb_Get_Wettbewerb_Prozent(erste), Wettbewerb_Get_Wettbewerb_Prozent(zweite));
    // A cup that lists a club for its next round is no league.
    i32 pokal = -1;
    for (int i = 0; i < WETTBEWERB_ANZAHL && pokal < 0; ++i)
        if (Wettbewerb_Tabelle[i].name[0] && !Wettbewerb_Tabelle[i].basisliga && Wettbewerb_Tabelle[i].teams > 0)
            pokal = Wettbewerb_Tabelle[i].id;
    ASSERT_GE(pokal, 0);

    struct Fall {
        const char* was;
        int team;
        i32 eintragen_in;  // the competition whose next field lists the team, -1 none
        i32 liga;          // the league expected
    };
    const Fall faelle[] = {
        {"no next field: the league it plays in", OBEN, -1, erste},
        {"promoted: the division above", ZWEITE, erste, erste},
        {"relegated: the division below", OBEN, zweite, zweite},
        {"entered for a cup only", OBEN, pokal, erste},
        {"not a team", -1, -1, -1},
        {"beyond the teams", Team_Anzahl, -1, -1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Wettbewerb* w = f.eintragen_in >= 0 ? Wettbewerb_Get_Zeiger(f.eintragen_in) : nullptr;
        ASSERT_EQ(w == nullptr, f.eintragen_in < 0);
        i32 vorher_anzahl = 0;
        if (w) {
            vorher_anzahl = w->startteam_anzahl;
            ASSERT_LT(vorher_anzahl, WETTBEWERB_MAX_TEAMS);
            w->start_team[vorher_anzahl] = static_cast<i16>(f.team);
            w->startteam_anzahl = vorher_anzahl + 1;
        }
        EXPECT_EQ(Welt_Tag_Naechste_Liga(f.team), f.liga);
        if (f.team >= 0 && f.team < Team_Anzahl) {
            // The window trades at the next league's level; the season
            // change still sees the league the club has played in.
            const Leben_Sterne naechste = Welt_Tag_Sterne(true), jetzt = Welt_Tag_Sterne(false);
            EXPECT_EQ(naechste.liga[static_cast<size_t>(f.team)], f.liga);
            EXPECT_EQ(naechste.stufe[static_cast<size_t>(f.team)], Wettbewerb_Get_Wettbewerb_Prozent(f.liga));
            EXPECT_EQ(jetzt.liga[static_cast<size_t>(f.team)], Wettbewerb_Get_Liga_Von_Team(f.team, true));
        }
        if (w) w->startteam_anzahl = vorher_anzahl;
    }
}

TEST_F(Welt_Tag_Liga, StarPlacesFollowTheLeagueOfTheNextSeason) {
    // Star places are held in a top division only: a club entered for the
    // second division has none in the window, one entered for the top
    // division is ranked among its clubs.
    const i32 erste = Wettbewerb_Get_Liga_Von_Team(OBEN, true), zweite = Wettbewerb_Get_Liga_Von_Team(ZWEITE, true);
    ASSERT_TRUE(Wettbewerb_Get_Zeiger(erste) && Wettbewerb_Get_Zeiger(zweite));
    Wettbewerb& unten = *Wettbewerb_Get_Zeiger(zweite);
    Wettbewerb& oben = *Wettbewerb_Get_Zeiger(erste);
    const i32 n_unten = unten.startteam_anzahl, n_oben = oben.startteam_anzahl;
    // The strongest club of the top division goes down, the second division's club goes up.
    int staerkster = OBEN;
    {
        const Leben_Sterne s = Welt_Tag_Sterne(false);
        for (int t = 0; t < Team_Anzahl; ++t)
            if (s.liga[static_cast<size_t>(t)] == erste &&
                s.plaetze[static_cast<size_t>(t)] > s.plaetze[static_cast<size_t>(staerkster)])
                staerkster = t;
        ASSERT_GT(s.plaetze[static_cast<size_t>(staerkster)], 0);
        EXPECT_EQ(s.plaetze[static_cast<size_t>(ZWEITE)], 0);
    }
    unten.start_team[n_unten] = static_cast<i16>(staerkster);
    unten.startteam_anzahl = n_unten + 1;
    oben.start_team[n_oben] = static_cast<i16>(ZWEITE);
    oben.startteam_anzahl = n_oben + 1;
    const Leben_Sterne s = Welt_Tag_Sterne(true);
    EXPECT_EQ(s.plaetze[static_cast<size_t>(staerkster)], 0);
    // The top division still hands out all its places, now among the clubs
    // it will hold.
    i32 summe = 0, soll = 0;
    for (int t = 0; t < Team_Anzahl; ++t)
        if (s.liga[static_cast<size_t>(t)] == erste) summe += s.plaetze[static_cast<size_t>(t)];
    for (i32 p : WELT_STERNPLAETZE_OBEN) soll += p;
    EXPECT_EQ(summe, soll);
    EXPECT_EQ(s.liga[static_cast<size_t>(ZWEITE)], erste);
    unten.startteam_anzahl = n_unten;
    oben.startteam_anzahl = n_oben;
}

TEST_F(Welt_Tag_Liga, APromotedClubMakesMoreDealsBeforeTheNewSeason) {
    const i32 erste = Wettbewerb_Get_Liga_Von_Team(OBEN, true), zweite = Wettbewerb_Get_Liga_Von_Team(ZWEITE, true);
    ASSERT_TRUE(Wettbewerb_Get_Zeiger(erste) && Wettbewerb_Get_Zeiger(zweite));
    struct Fall {
        const char* was;
        int team;
        i32 eintragen_in;  // the league whose next field lists the team, -1 none
        i32 deals;
    };
    const Fall faelle[] = {
        {"stays", OBEN, -1, WELT_DEALS},
        {"stays, entered again", OBEN, erste, WELT_DEALS},
        {"promoted", ZWEITE, erste, WELT_DEALS_AUFSTEIGER},
        {"relegated", OBEN, zweite, WELT_DEALS},
        {"not a team", -1, -1, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Wettbewerb* w = f.eintragen_in >= 0 ? Wettbewerb_Get_Zeiger(f.eintragen_in) : nullptr;
        const i32 n = w ? w->startteam_anzahl : 0;
        if (w) {
            w->start_team[n] = static_cast<i16>(f.team);
            w->startteam_anzahl = n + 1;
        }
        EXPECT_EQ(Welt_Tag_Deals(f.team, Welt_Tag_Sterne(true)), f.deals);
        // Once the new season has started the club plays in its league: an
        // ordinary window again.
        if (w) w->startteam_anzahl = n;
        if (f.team >= 0) {
            EXPECT_EQ(Welt_Tag_Deals(f.team, Welt_Tag_Sterne(true)), WELT_DEALS);
        }
    }
    EXPECT_EQ(Welt_Tag_Deals(OBEN, Leben_Sterne{}), 0) << "no list of leagues";
}

TEST_F(Welt_Tag_Liga, TheLeagueMediansTakenOnceAreThoseAskedClubByClub) {
    // The month's money books every club with its league's medians taken in
    // one pass: each club's league, size and sponsor money must be what the
    // club-by-club questions answer, to the last bit.
    const Welt_Tag_Ligen ligen = Welt_Tag_Ligen_Erfassen();
    ASSERT_EQ(ligen.liga.size(), static_cast<size_t>(Team_Anzahl));
    int vereine = 0;
    for (int t = 0; t < Team_Anzahl; ++t) {
        SCOPED_TRACE(t);
        const i32 liga = Team_Ist_Verein(t) ? Wettbewerb_Get_Liga_Von_Team(t, true) : -1;
        ASSERT_EQ(ligen.liga[static_cast<size_t>(t)], liga);
        if (liga < 0) continue;
        ++vereine;
        EXPECT_EQ(ligen.Groesse(t), Welt_Tag_Groesse(t, liga));
        EXPECT_EQ(Werbung_Sponsorgeld(t, ligen.Gehalt(t), ligen.Groesse(t)), Welt_Tag_Sponsorgeld(t));
    }
    EXPECT_GT(vereine, 100);
    EXPECT_GE(ligen.gehalt.size(), 5u);

    struct Fall {
        const char* was;
        int team;
    };
    const Fall ohne[] = {{"not a team", -1}, {"beyond the teams", Team_Anzahl}, {"the market", Team_Transfermarkt}};
    for (const Fall& f : ohne) {
        SCOPED_TRACE(f.was);
        EXPECT_EQ(ligen.Gehalt(f.team), 0);
        EXPECT_EQ(ligen.Groesse(f.team), 1);
    }
}

// A computer club spends WELT_UEBERSCHUSS_PROZENT of what it holds beyond
// its reserve's upper mark each month, booked as training; a club within
// it, and a managed club however rich, spends nothing.
TEST_F(Welt_Tag_Liga, AComputerClubSpendsAShareOfWhatItHoldsBeyondItsReserve) {
    const int mensch = 20;
    ASSERT_TRUE(Manager_Neuer_Mitspieler(mensch, "Test", -1));
    auto ausgeben = [](int t, f64 konto, f64* gebucht) {
        Bank_Free();
        Bank_Init();
        EXPECT_TRUE(Bank_Konto_Anlegen(t, konto, 0));
        const f64 training = Bank_Summe_Buchungen(t, 0, BANK_TRAINING | BANK_RICHTUNG_AUS, 0);
        const f64 geld = Welt_Tag_Ueberschuss_Ausgeben(t);
        EXPECT_NEAR(Bank_Get_Kontostand(t, 0, -1), konto - geld, 2.0);
        *gebucht = Bank_Summe_Buchungen(t, 0, BANK_TRAINING | BANK_RICHTUNG_AUS, 0) - training;
        return geld;
    };
    const struct {
        const char* was;
        int team;
        f64 konto;
        bool gibt_aus;
    } faelle[] = {
        {"in the red", OBEN, -1e6, false},
        {"a month's wages", OBEN, 2e6, false},
        {"far beyond", OBEN, 150e6, true},
        {"managed, far beyond", mensch, 150e6, false},
        {"second division, far beyond", ZWEITE, 150e6, true},
        {"not a team", -1, 0, false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.was);
        if (f.team < 0) {
            EXPECT_EQ(Welt_Tag_Ueberschuss_Ausgeben(f.team), 0.0);
            continue;
        }
        f64 gebucht = 0;
        const f64 geld = ausgeben(f.team, f.konto, &gebucht);
        EXPECT_EQ(geld > 0, f.gibt_aus);
        EXPECT_NEAR(gebucht, geld, 2.0);
        if (!f.gibt_aus) continue;
        // Ten million more beyond the mark: the share of it more spent.
        f64 mehr_gebucht = 0;
        const f64 mehr = ausgeben(f.team, f.konto + 10e6, &mehr_gebucht);
        EXPECT_NEAR(mehr - geld, 10e6 * WELT_UEBERSCHUSS_PROZENT / 100, 100.0);
    }
    Manager_Loeschen(mensch);
    Bank_Free();
    Bank_Init();
}

}  // namespace
