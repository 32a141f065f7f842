// The crowd and the gate of a match belong to the ground it is played at: a
// cup tie without home right moves to a neutral ground, whose capacity holds
// the crowd and whose ticket price makes the gate; a tie with home right and
// a league match stay at the home side's ground. The figure the fixture
// shows is the one the bank books and the ground records.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/globals.h"
#include "main/saison_anmelden.h"
#include "match/spielfeld.h"
#include "matchday/spieltag.h"
#include "season/kalender_lauf.h"
#include "season/paarungen.h"
#include "season/saison_am_start.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/bank.h"
#include "world/modi.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

class Zuschauer_Kasse : public season_test::Saison_Am_Start {
  protected:
    void SetUp() override {
        Saison_Am_Start::SetUp();
        if (HasFatalFailure()) return;
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
            if (Wettbewerb_Tabelle[i].basisliga && Wettbewerb_Tabelle[i].flags[1])
                ligen.push_back(Wettbewerb_Tabelle[i].id);
        ASSERT_FALSE(ligen.empty());
        Saison_Module_Anmelden();
        Spieltag_Init();
        for (int t = 0; t < Team_Anzahl; ++t)
            if (const Stadion_Daten* s = Stadion_Get(t, 0)) stadien.emplace_back(t, *s);
    }
    void TearDown() override {
        for (const auto& [t, s] : stadien) *Stadion_Get(t, 0) = s;
        Stadion_Modelle_Zuruecksetzen();
        Spieltag_DeInit();
        Saison_Am_Start::TearDown();
    }
    std::vector<i32> ligen;
    std::vector<std::pair<int, Stadion_Daten>> stadien;  // the grounds as the world had them
};

// The gate money every club took in this month.
f64 alle_einnahmen() {
    f64 summe = 0;
    for (int t = 0; t < Team_Anzahl; ++t) summe += Bank_Summe_Buchungen(t, 0, BANK_ZUSCHAUER, 0);
    return summe;
}

void platz_setzen(int team, i32 kapazitaet, i32 preis) {
    Stadion_Daten* s = Stadion_Get(team, 0);
    ASSERT_NE(s, nullptr) << team;
    s->kapazitaet = kapazitaet;
    s->eintrittspreis = preis;
}

// The home side's ground holds 45,000 at 20 a ticket; demand is far above
// every ground. Each case plays the first game of its competition on its own.
TEST_F(Zuschauer_Kasse, DieMengeUndDieKasseDesPlatzesAufDemGespieltWird) {
    const i32 liga = ligen[0];
    const i32 land = Team_Wert(TEAM_WERT_NATION, Wettbewerb_Get_Zeiger(liga)->aktuelle_team[0], 0, OP_LESEN);
    // A national cup, its first round drawn from the clubs of the league's country.
    std::vector<i32> clubs;
    for (i32 id : ligen) {
        const Wettbewerb* l = Wettbewerb_Get_Zeiger(id);
        for (int k = 0; k < l->aktuelle_teams; ++k)
            if (Team_Wert(TEAM_WERT_NATION, l->aktuelle_team[k], 0, OP_LESEN) == land)
                clubs.push_back(l->aktuelle_team[k]);
    }
    Wettbewerb* pokal = nullptr;
    for (int i = 0; i < WETTBEWERB_ANZAHL && !pokal; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (w.name[0] && (w.modus & WB_KO_SYSTEM) && !Wettbewerb_Ist_International(w.id) && w.vorherige_runde < 0 &&
            Spiele_Get_Kopf(w.spielplan) && w.teams >= 8 && w.teams < static_cast<i32>(clubs.size()))
            pokal = &w;
    }
    ASSERT_NE(pokal, nullptr) << "the shipped world has a national cup";
    for (int k = 0; k < pokal->teams; ++k) {
        pokal->aktuelle_team[k] = static_cast<i16>(clubs[static_cast<size_t>(k)]);
        pokal->team_slots[k] = static_cast<u8>(k);
    }
    pokal->aktuelle_teams = pokal->teams;
    pokal->aktueller_spieltag = 0;
    Wettbewerb_Paarungen_Setzen(*pokal);
    const u32 modus = pokal->modus;
    const i32 ausrichter = pokal->ausrichter_stadion;
    // Two clubs of the country outside the cup: a small host ground and a big one.
    std::vector<i32> frei;
    for (int t = 1; t < Team_Anzahl && frei.size() < 2; ++t) {
        const bool im_pokal = std::find(pokal->aktuelle_team, pokal->aktuelle_team + pokal->teams, t) !=
                              pokal->aktuelle_team + pokal->teams;
        if (!im_pokal && Team_Ist_Verein(t) && Stadion_Get(t, 0) && Team_Ist_Normal(t, SPIELTAG_NEUTRAL_MASKE) &&
            Team_Wert(TEAM_WERT_NATION, t, 0, OP_LESEN) == land)
            frei.push_back(t);
    }
    ASSERT_EQ(frei.size(), 2u);
    const i32 klein = frei[0], gross = frei[1];
    Stadion_Level_Setzen(0, 1000);  // ten times the usual crowd wants in
    for (int t = 1; t < Team_Anzahl; ++t)
        if (Team_Ist_Verein(t) && !Bank_Konto_Offen(t)) Bank_Konto_Anlegen(t, 0.0, 0);

    constexpr i32 HEIM = -1, GEZOGEN = -2;
    struct Fall {
        const char* name;
        i32 wettbewerb;
        bool heimrecht;
        i32 ausrichter;  // the host's ground, -1 none
        u32 spiel;       // the fixture's index on the first matchday
        i32 ort;         // the ground expected: a club's, the home side's or one drawn in the country
    } faelle[] = {
        {"cup without home right at the host's ground, smaller than the home side's", pokal->id, false, klein, 0,
         klein},
        {"cup without home right at the host's ground, bigger than the home side's", pokal->id, false, gross, 1, gross},
        {"cup without home right at a drawn ground of the country", pokal->id, false, -1, 2, GEZOGEN},
        {"cup with home right at the home side's ground", pokal->id, true, -1, 3, HEIM},
        {"league match at the home side's ground", liga, true, -1, 0, HEIM},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Spieltag_DeInit();
        Spieltag_Init();
        Stadion_Init();  // no ground has a match on record yet
        pokal->modus = f.heimrecht ? modus | WB_HEIMRECHT : modus & ~static_cast<u32>(WB_HEIMRECHT);
        pokal->ausrichter_stadion = f.ausrichter;
        i32 heim = -1;
        {
            Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(f.wettbewerb), 0, 0, f.spiel));
            ASSERT_TRUE(h);
            heim = Spiele_Get_Spiel(h.Handle(), false)->team_a;
        }
        ASSERT_GT(heim, 0);
        // Every other ground of the country is small, so a drawn one is the big one.
        for (int t = 1; t < Team_Anzahl; ++t)
            if (Stadion_Daten* s = Stadion_Get(t, 0); s && Team_Wert(TEAM_WERT_NATION, t, 0, OP_LESEN) == land)
                s->kapazitaet = std::min(s->kapazitaet, 15000);
        ASSERT_NO_FATAL_FAILURE(platz_setzen(heim, 45000, 20));
        ASSERT_NO_FATAL_FAILURE(platz_setzen(klein, 20000, 35));
        ASSERT_NO_FATAL_FAILURE(platz_setzen(gross, 80000, 45));
        const f64 vorher = alle_einnahmen();

        const i32 spiel = Spieltag_Einzelspiel_Eintragen(f.wettbewerb, 0, 0, f.spiel);
        ASSERT_GT(spiel, 0);
        Spieltag_Einzelspiel_Starten(spiel);
        for (int i = 0; i < 2000 && Spieltag_Spiele_Offen(); ++i) Spieltag_Run(0);
        ASSERT_FALSE(Spieltag_Spiele_Offen());
        const Spiel* s = Spiele_Get_Spiel(spiel, true);
        ASSERT_NE(s, nullptr);
        ASSERT_GE(s->tore_a, 0);

        // The ground played at is the one whose record holds the match.
        std::vector<i32> mit_spiel;
        for (int t = 0; t < Team_Anzahl; ++t)
            if (Stadion_Get_Erweiterung(t)) mit_spiel.push_back(t);
        ASSERT_EQ(mit_spiel.size(), 1u);
        const i32 ort = mit_spiel[0];
        if (f.ort == GEZOGEN) {
            EXPECT_EQ(Team_Wert(TEAM_WERT_NATION, ort, 0, OP_LESEN), land);
        } else {
            EXPECT_EQ(ort, f.ort == HEIM ? heim : f.ort);
        }
        // The crowd fills that ground and no more.
        const Stadion_Daten* platz = Stadion_Get(ort, 0);
        EXPECT_EQ(static_cast<i64>(s->zuschauer), platz->kapazitaet);
        EXPECT_EQ(platz->zuschauer, static_cast<i32>(s->zuschauer));
        // The gate: that crowd at that ground's price, booked once.
        const f64 kasse = static_cast<f64>(s->zuschauer) * platz->eintrittspreis;
        EXPECT_EQ(alle_einnahmen() - vorher, kasse);
        EXPECT_EQ(static_cast<f64>(platz->einnahme), kasse);
        // The ground's own record of its matches holds the same figures.
        const Stadion_Erweiterung* e = Stadion_Get_Erweiterung(ort);
        ASSERT_EQ(e->anzahl, 1);
        const Stadion_Erweiterung_Slot* slot = &e->slot[0];
        EXPECT_EQ(slot->spiel, spiel);
        EXPECT_EQ(slot->heim, heim);
        EXPECT_EQ(slot->zuschauer, static_cast<i32>(s->zuschauer));
        EXPECT_EQ(static_cast<f64>(slot->einnahme), kasse);
    }
    pokal->modus = modus;
    pokal->ausrichter_stadion = ausrichter;
}

}  // namespace
