// The competitions' lookups on the shipped world, checked against values
// worked out from the shipped configuration: held competitions, chains,
// names and captions, league values, the places a team can still reach and
// what a game means to it, table values, the games of a team and the
// switches a chain shares.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/compress.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "season/archiv.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/paarungen.h"
#include "season/qualifikation.h"
#include "matchday/saison.h"
#include "matchday/season_netz.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_werte.h"
#include "saison_am_start.h"
#include "season_test_hilfen.h"
#include "world/bank.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

class Abfragen : public season_test::Saison_Am_Start {
  protected:
    // Id of a shipped competition by its identification.
    static i32 Id(const char* kennung) {
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
            if (Wettbewerb_Tabelle[i].name[0] && std::strcmp(Wettbewerb_Tabelle[i].identifikation, kennung) == 0)
                return Wettbewerb_Tabelle[i].id;
        ADD_FAILURE() << "no competition " << kennung;
        return -1;
    }
    static Wettbewerb& W(const char* kennung) { return *Wettbewerb_Get_Zeiger(Id(kennung)); }
    // The current teams of a league, lowest number first.
    static std::vector<i32> Teams(const char* kennung) {
        const Wettbewerb& w = W(kennung);
        std::vector<i32> v(w.aktuelle_team, w.aktuelle_team + w.aktuelle_teams);
        std::sort(v.begin(), v.end());
        return v;
    }
    // Plays matchdays 0..bis-1 of a league: the lower team number always
    // wins 1:0.
    static void Spielen(i32 id, i32 bis) {
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
        for (i32 d = 0; d < bis; ++d)
            for (i32 k = 0; k < Wettbewerb_Spiele_Pro_Spieltag(w, d); ++k) {
                Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(id), static_cast<u32>(d), 0, static_cast<u32>(k)));
                ASSERT_TRUE(h);
                const Spiel* s = Spiele_Get_Spiel(h.Handle(), true);
                const bool a = s->team_a < s->team_b;
                Spiele_Set_Ergebnis(h.Handle(), a ? 1 : 0, a ? 0 : 1, 0);
            }
    }
};

TEST_F(Abfragen, GehalteneWettbewerbeUndLaender) {
    struct Fall {
        const char* land;
        bool nur_basis;
        std::vector<const char*> erwartet;
    } faelle[] = {
        {"#DEU", true, {"D1", "D2", "RN", "RS"}},
        {"#DEU", false, {"D1", "D2", "RN", "RS", "POKAL_D"}},
        {"#ENG", false, {"E1", "E2", "POKAL_E"}},
    };
    for (const auto& f : faelle) {
        const i32 land = W(f.erwartet[0]).land;
        i32 ids[WETTBEWERB_ANZAHL];
        const i32 n = Wettbewerb_Get_Aktive(land, ids, f.nur_basis);
        std::vector<i32> erwartet;
        for (const char* k : f.erwartet) erwartet.push_back(Id(k));
        EXPECT_EQ(std::vector<i32>(ids, ids + n), erwartet) << f.land << " " << f.nur_basis;
        EXPECT_EQ(Wettbewerb_Get_Aktive(land, nullptr, f.nur_basis), n) << f.land;
    }
    // The European cup counts once, by its base id (the first group), as
    // the knock-out round ends the chain.
    i32 ids[WETTBEWERB_ANZAHL];
    const i32 n = Wettbewerb_Get_Aktive(-1, ids, false);
    EXPECT_EQ(std::count(ids, ids + n, Id("EC_A")), 1);
    EXPECT_EQ(std::count(ids, ids + n, Id("EC_B")), 0);
    // The walk visits exactly the held records, in table order.
    std::vector<i32> walk;
    for (i32 id = Wettbewerb_Get_Erster_Aktiver(); id != -1; id = Wettbewerb_Get_Naechster_Aktiver(id))
        walk.push_back(id);
    ASSERT_FALSE(walk.empty());
    EXPECT_TRUE(std::is_sorted(walk.begin(), walk.end(),
                               [](i32 a, i32 b) { return Wettbewerb_Get_Index(a) < Wettbewerb_Get_Index(b); }));
    for (const char* k : {"D1", "RS", "EC_C", "EC_KO", "POKAL_F"})
        EXPECT_NE(std::find(walk.begin(), walk.end(), Id(k)), walk.end()) << k;
    EXPECT_EQ(Wettbewerb_Get_Naechster_Aktiver(99999), -1);
}

TEST_F(Abfragen, RundeEinesKettenspieltags) {
    // The European cup: four groups of four (six matchdays), then the
    // knock-out round (quarter-final, semi-final, final).
    ASSERT_EQ(W("EC_A").spieltage, 6);
    ASSERT_EQ(W("EC_KO").spieltage, 3);
    struct Fall {
        const char* von;
        i32 spieltag;
        const char* runde;
        i32 in_runde;
    } faelle[] = {
        {"EC_A", 0, "EC_A", 0}, {"EC_C", 5, "EC_A", 5}, {"EC_KO", 6, "EC_KO", 0},
        {"EC_B", 8, "EC_KO", 2}, {"EC_A", 40, "EC_KO", 2},  // past the end: the last round, held below it
        {"D1", 3, "D1", 3},     {"D1", -1, "D1", 0},       // the open matchday of the league
    };
    for (const auto& f : faelle) {
        i32 d = -9;
        EXPECT_EQ(Wettbewerb_Get_Runde_Von_Spieltag(Id(f.von), f.spieltag, &d), Id(f.runde)) << f.von << f.spieltag;
        EXPECT_EQ(d, f.in_runde) << f.von << " " << f.spieltag;
    }
    EXPECT_EQ(Wettbewerb_Get_Runde_Von_Spieltag(12345, 0, nullptr), -1);
}

TEST_F(Abfragen, SpieleNamenUndBilder) {
    struct Fall {
        const char* k;
        i32 spieltag;
        i32 spiele;
    } spiele[] = {{"D1", 0, 9}, {"RN", 20, 5}, {"E1", 0, 10}, {"POKAL_D", 0, 16}, {"POKAL_D", 1, 8}, {"EC_KO", 2, 1}};
    for (const auto& f : spiele) EXPECT_EQ(Wettbewerb_Get_Anz_Spiele(Id(f.k), f.spieltag), f.spiele) << f.k;
    EXPECT_EQ(Wettbewerb_Get_Anz_Spiele(Id("D1"), -2), -1);
    EXPECT_EQ(Wettbewerb_Get_Anz_Spiele(777, 0), -1);

    EXPECT_TRUE(Wettbewerb_Ist_Englische_Tabelle(Id("D1")));
    EXPECT_FALSE(Wettbewerb_Ist_Englische_Tabelle(Id("POKAL_D")));

    struct Name {
        const char* k;
        bool gruppe;
        std::string name;
    } namen[] = {
        {"D1", true, "1. Liga Deutschland"},
        {"EC_A", false, "Europapokal"},
        {"EC_A", true, "Europapokal - Gruppe A"},
        {"POKAL_D", false, "Deutscher Pokal"},  // the national cup's display name
        {"POKAL_E", false, "Pokal England"},
    };
    for (const auto& f : namen) EXPECT_EQ(Wettbewerb_Get_Name(Id(f.k), f.gruppe), f.name) << f.k;
    EXPECT_EQ(Wettbewerb_Get_Name(-5, true), "");
    EXPECT_EQ(Wettbewerb_Get_Zweitname(Id("EC_B")), "Gruppe B");
    EXPECT_EQ(Wettbewerb_Get_Zweitname(Id("D1")), "");
    EXPECT_EQ(Wettbewerb_Get_Drittname(Id("D2")), "D2");
    EXPECT_EQ(Wettbewerb_Get_Drittname(4711), "");

    // Captions: the round texts of the knock-out round (quarter-final,
    // semi-final, final), the matchday number otherwise, the group name
    // in the group form.
    const char* viertel = Wettbewerb_Rundenname_Symbol(Wettbewerb_Rundenname_Index("VIERTELFINALE"));
    const char* finale = Wettbewerb_Rundenname_Symbol(Wettbewerb_Rundenname_Index("FINALE"));
    ASSERT_TRUE(viertel && finale);
    struct Titel {
        const char* k;
        i32 spieltag;
        bool gruppe;
        std::string text;
    } titel[] = {
        {"EC_KO", 0, false, viertel}, {"EC_KO", 2, true, finale}, {"D1", 3, false, "4. Spieltag"},
        {"D1", 0, true, "1. Spieltag"}, {"EC_C", 1, false, "2. Spieltag"}, {"EC_C", 1, true, "Gruppe C"},
    };
    for (const auto& f : titel)
        EXPECT_EQ(f.gruppe ? Wettbewerb_Get_Runden_Name_Gruppe(Id(f.k), f.spieltag, 0)
                           : Wettbewerb_Get_Runden_Name(Id(f.k), f.spieltag, 0),
                  f.text)
            << f.k << " " << f.spieltag;
    EXPECT_EQ(Wettbewerb_Get_Runden_Name(Id("D1"), -1, -1), "1. Spieltag");

    i32 position = -9;
    EXPECT_EQ(Wettbewerb_Get_Grafik_Nummer(Id("D1"), &position), W("D1").grafik_nummer);
    EXPECT_EQ(position, 4);  // KALENDER_POSITION 4
    EXPECT_EQ(Wettbewerb_Get_Grafik_Nummer(999, &position), -1);
    EXPECT_EQ(position, -1);
}

TEST_F(Abfragen, LigaWerteNachEbene) {
    // Germany's league system: D1, D2, then the two regional leagues (three
    // levels, counted as four: 100, 75, 50).
    struct Fall {
        const char* liga;
        i32 liga_wert;     // Liga_Wert(team, 200, 50)
        i32 bedeutung;     // (70 x percentage + 30 x WICHTIG) / 100
        i32 groesse_ja;    // Liga_Groesse_Anteil(team, 1000, true): TEAMS x 5 %
        i32 groesse_nein;  // and the complement
    } faelle[] = {
        {"D1", 200, 97, 900, 100},  // 100 + 100 x 100 / 100; (7000 + 2700) / 100
        {"D2", 175, 75, 900, 100},  // 100 + 75 x 100 / 100; (5250 + 2250) / 100
        {"RN", 150, 51, 500, 500},  // 100 + 50; (3500 + 1650) / 100
        {"E1", 200, 95, 1000, 0},   // 20 teams: 100 %
    };
    for (const auto& f : faelle) {
        const i32 team = Teams(f.liga)[0];
        EXPECT_EQ(Wettbewerb_Get_Liga_Wert(team, 200, 50), f.liga_wert) << f.liga;
        EXPECT_EQ(Wettbewerb_Get_Liga_Bedeutung(team), f.bedeutung) << f.liga;
        EXPECT_EQ(Wettbewerb_Get_Liga_Groesse_Anteil(team, 1000, true), f.groesse_ja) << f.liga;
        EXPECT_EQ(Wettbewerb_Get_Liga_Groesse_Anteil(team, 1000, false), f.groesse_nein) << f.liga;
    }
    // A national team has no base league: the value unchanged.
    i32 national = -1;
    for (i32 t = 1; t < Team_Anzahl && national < 0; ++t)
        if (Team_Get_Art(t) & TEAM_ART_NATIONALTEAM) national = t;
    ASSERT_GT(national, 0);
    EXPECT_EQ(Wettbewerb_Get_Liga_Groesse_Anteil(national, 1000, true), 1000);
    EXPECT_EQ(Wettbewerb_Get_Liga_Wert(national, 200, 50), 200);
    i32 platz = 5;
    EXPECT_EQ(Wettbewerb_Get_Platz_Prozent(national, &platz), 80);
    EXPECT_EQ(platz, -1);
}

TEST_F(Abfragen, ErreichbarePlaetzeUndSpielbedeutung) {
    // Regionalliga Nord after one full round (nine matchdays): the lower
    // team number always won, so team k of the sorted list has 3 x (9 - k)
    // points: 27, 24, ..., 0.
    const i32 rn = Id("RN");
    Spielen(rn, 9);
    const std::vector<i32> t = Teams("RN");
    ASSERT_EQ(t.size(), 10u);
    for (size_t k = 0; k < t.size(); ++k)
        ASSERT_EQ(Wettbewerb_Tabelle_Wert(rn, t[k], -1, -1, -1, false, TABELLE_WERT_PUNKTE), 3 * (9 - (i32)k)) << k;
    Wettbewerb& w = W("RN");
    struct Fall {
        i32 aktuell;  // current matchday: 36 - it matchdays left
        size_t team;
        i32 schlecht, best, platz, bedeutung;
    } faelle[] = {
        // One matchday left (3 points): team 5 (12 points) can still pass
        // the teams of 15 and less and be passed by those of 10 and more:
        // places 4..6. Value (10 - 6) x 100 / 10 = 40; the places give
        // WICHTIG 50 against 75 of place 0: q = 66; (2800 + 1980) / 100.
        {35, 5, 6, 4, 5, 47},
        // Team 0 (27): places 0..1; value 90; q from 75 and 50: 63 -> 84.
        {35, 0, 1, 0, 0, 88},
        // Team 9 (0): places 8..9; value 10; q 50 -> 66; (700 + 1980) / 100.
        {35, 9, 9, 8, 9, 26},
        // Nothing left: best = worst = the place; (10 - 5) x 10 = 50 ->
        // (3500 + 1980) / 100.
        {36, 5, 5, 5, 5, 54},
        // Two matchdays left (6 points): team 5 reaches 3..7; the span of 4
        // is not below 10 / 2 = 5 either: (10 - 7) x 10 = 30 -> 30 x 0.7 +
        // 66 x 0.3 = 40.
        {34, 5, 7, 3, 5, 40},
        // Nine left: the whole table; the span is too wide for the places'
        // value: (10 - 9) x 10 = 10.
        {27, 5, 9, 0, 5, 10},
    };
    for (const auto& f : faelle) {
        w.aktueller_spieltag = f.aktuell;
        i32 s = -9, b = -9, c = -9;
        const i32 team = t[f.team];
        EXPECT_EQ(Wettbewerb_Platz_Spanne(rn, 1, &team, &s, &b, &c), 10) << f.aktuell << " " << f.team;
        EXPECT_EQ(s, f.schlecht) << f.aktuell << " " << f.team;
        EXPECT_EQ(b, f.best) << f.aktuell << " " << f.team;
        EXPECT_EQ(c, f.platz) << f.aktuell << " " << f.team;
        i32 wert = -1;
        ASSERT_TRUE(Wettbewerb_Get_Spiel_Bedeutung(rn, &team, &wert, 1));
        EXPECT_EQ(wert, f.bedeutung) << f.aktuell << " " << f.team;
    }
    // Two teams at once; a team of another league keeps the start value.
    w.aktueller_spieltag = 35;
    const i32 paar[2] = {t[0], Teams("D1")[0]};
    i32 werte[2] = {0, 0};
    ASSERT_TRUE(Wettbewerb_Get_Spiel_Bedeutung(rn, paar, werte, 2));
    EXPECT_EQ(werte[0], 88);
    EXPECT_EQ(werte[1], 80);
    const i32 fremd = Teams("D1")[0];
    EXPECT_EQ(Wettbewerb_Platz_Spanne(rn, 1, &fremd, nullptr, nullptr, nullptr), -1);
    // Knock-out competitions and bad counts are refused.
    EXPECT_FALSE(Wettbewerb_Get_Spiel_Bedeutung(Id("POKAL_D"), paar, werte, 2));
    EXPECT_FALSE(Wettbewerb_Get_Spiel_Bedeutung(rn, paar, werte, 3));

    // The other table values of team 5: nine games, four won (against the
    // higher numbers), five lost, four goals for, five against; at home
    // only, the games it hosted.
    struct Wert {
        i32 art, erwartet;
    } werte5[] = {{TABELLE_WERT_SPIELE, 9}, {TABELLE_WERT_SIEGE, 4},     {TABELLE_WERT_REMIS, 0},
                  {TABELLE_WERT_NIEDERLAGEN, 5}, {TABELLE_WERT_TORE, 4}, {TABELLE_WERT_GEGENTORE, 5},
                  {TABELLE_WERT_PLATZ, 5}};
    for (const auto& f : werte5) EXPECT_EQ(Wettbewerb_Tabelle_Wert(rn, t[5], -1, -1, -1, false, f.art), f.erwartet);
    const i32 heim = Wettbewerb_Tabelle_Wert(rn, t[5], -1, -1, 31 & ~16, false, TABELLE_WERT_SPIELE);
    const i32 aus = Wettbewerb_Tabelle_Wert(rn, t[5], -1, -1, 31 & ~8, false, TABELLE_WERT_SPIELE);
    EXPECT_EQ(heim + aus, 9);
    EXPECT_GT(heim, 0);
    EXPECT_EQ(Wettbewerb_Tabelle_Wert(Id("POKAL_D"), t[5], -1, -1, -1, false, TABELLE_WERT_PUNKTE), -1);
    EXPECT_EQ(Wettbewerb_Tabelle_Wert(rn, fremd, -1, -1, -1, false, TABELLE_WERT_PUNKTE), -1);
    // The league's place percentage: 100 - 5 x 100 / 10.
    i32 platz = -1;
    EXPECT_EQ(Wettbewerb_Get_Platz_Prozent(t[5], &platz), 50);
    EXPECT_EQ(platz, 5);
    EXPECT_EQ(Wettbewerb_Get_Platz_Prozent(t[0], nullptr), 100);
}

TEST_F(Abfragen, SpieleUndPaareEinesTeams) {
    const i32 d1 = Id("D1");
    const Wettbewerb& w = W("D1");
    i32 paare[2 * PAARUNGEN_MAX_SPIELE];
    ASSERT_EQ(Wettbewerb_Get_Paarungen(d1, 0, paare), 18);  // nine pairs
    std::vector<i32> alle(paare, paare + 18);
    std::sort(alle.begin(), alle.end());
    EXPECT_EQ(alle, Teams("D1"));  // every team once
    EXPECT_EQ(Wettbewerb_Get_Paarungen(d1, -1, nullptr), 18);
    EXPECT_EQ(Wettbewerb_Get_Paarungen(424242, 0, paare), 0);

    // The game of each team on matchday 2 holds the team; its handle names
    // the matchday and the pair of the matchday's list.
    i32 p2[2 * PAARUNGEN_MAX_SPIELE];
    ASSERT_EQ(Wettbewerb_Get_Paarungen(d1, 2, p2), 18);
    for (int k = 0; k < 18; ++k) {
        const i32 h = Wettbewerb_Get_Spiel_Von_Team(d1, p2[k], 2, 0);
        ASSERT_GT(h, 0) << k;
        const Spiel* s = Spiele_Get_Spiel(h, true);
        EXPECT_EQ(s->spieltag, 2);
        EXPECT_EQ(s->index, k / 2);
        EXPECT_TRUE(s->team_a == p2[k] || s->team_b == p2[k]);
        Spiele_Unlock(h);
    }
    EXPECT_EQ(Wettbewerb_Get_Spiel_Von_Team(d1, Teams("D2")[0], 2, 0), -1);

    // Plays in: a D1 team in the current and next matchday (100 %); a D2
    // team not.
    i32 prozent = -1;
    EXPECT_TRUE(Wettbewerb_Team_Spielt_In(d1, Teams("D1")[4], false, &prozent));
    EXPECT_EQ(prozent, 100);
    EXPECT_FALSE(Wettbewerb_Team_Spielt_In(d1, Teams("D2")[4], false, &prozent));
    EXPECT_EQ(prozent, 0);
    // The root flag asks the lists of the chain's first record (the
    // current teams once it has started).
    ASSERT_TRUE(W("EC_A").flags[1]);
    const i32 ec_a = W("EC_A").aktuelle_team[0];
    EXPECT_TRUE(Wettbewerb_Team_Spielt_In(Id("EC_KO"), ec_a, true, nullptr));
    EXPECT_FALSE(Wettbewerb_Team_Spielt_In(Id("EC_KO"), Teams("RN")[0], true, nullptr));

    // Progress through the league: matchdays with a pair from the chain's
    // start; the current one is ahead, so the team has reached it.
    i32 anzahl = -1, summe = -1;
    EXPECT_TRUE(Wettbewerb_Team_Fortschritt(d1, Teams("D1")[0], &prozent, &anzahl, &summe, false));
    EXPECT_EQ(summe, w.spieltage);
    EXPECT_EQ(anzahl, w.spieltage);  // a league team has a pair every matchday
    EXPECT_EQ(prozent, 100);
    EXPECT_FALSE(Wettbewerb_Team_Fortschritt(d1, Teams("RN")[0], &prozent, &anzahl, &summe, false));
    EXPECT_EQ(anzahl, 0);

    // Importance: a regional team plays only in its league (55 / 2), unless
    // the cup holds it too (60 / 2).
    const i32 rn_team = Teams("RN")[0];
    const bool pokal = Wettbewerb_Team_Spielt_In(Id("POKAL_D"), rn_team, false, nullptr);
    i32 zahl = 0, anteil = 0;
    EXPECT_EQ(Wettbewerb_Get_Team_Wichtigkeit(rn_team, false, &zahl, &anteil), 27 + (pokal ? 30 : 0));
    EXPECT_EQ(zahl, pokal ? 2 : 1);
    // A European group team counts its group once (95 / 2), not once per
    // group of the round.
    const i32 d1_team = Teams("D1")[0];
    const bool europa = Wettbewerb_Team_Spielt_In(Id("EC_A"), d1_team, false, nullptr);
    const bool cup = Wettbewerb_Team_Spielt_In(Id("POKAL_D"), d1_team, false, nullptr);
    EXPECT_EQ(Wettbewerb_Get_Team_Wichtigkeit(d1_team, false, &zahl, nullptr),
              std::min(45 + (europa ? 47 : 0) + (cup ? 30 : 0), 100));
    EXPECT_EQ(zahl, 1 + (europa ? 1 : 0) + (cup ? 1 : 0));
}

TEST_F(Abfragen, RundenSiegerEinesTeams) {
    // The first cup round: the tie's winner is decided by its one game.
    const i32 pokal = Id("POKAL_D");
    i32 paare[2 * PAARUNGEN_MAX_SPIELE];
    const i32 n = Wettbewerb_Get_Paarungen(pokal, 0, paare);
    if (n == 0) GTEST_SKIP() << "the cup has not drawn its first round yet";
    const i32 a = paare[0], b = paare[1];
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger_Von_Team(pokal, a, 0, 0), -2);  // not played
    const i32 h = Wettbewerb_Get_Spiel_Von_Team(pokal, a, 0, 0);
    ASSERT_GT(h, 0);
    const Spiel* s = Spiele_Get_Spiel(h, true);
    const bool a_heim = s->team_a == a;
    Spiele_Set_Ergebnis(h, a_heim ? 0 : 3, a_heim ? 3 : 0, 0);  // b wins 3:0
    Spiele_Unlock(h);
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger_Von_Team(pokal, a, 0, 0), b);
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger_Von_Team(pokal, b, 0, 0), b);
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger_Von_Team(pokal, Teams("E1")[0], 0, 0), -1);
}

TEST_F(Abfragen, EwigeTabelle) {
    // Three all-time entries: 7 points, 4 points, and 4 points with a
    // better goal difference.
    const i32 d1 = Id("D1");
    const std::vector<i32> t = Teams("D1");
    Spiele_Set_Ewige_Tabelle(d1, t[0], 3, 2, 0, 1, 0);
    Spiele_Set_Ewige_Tabelle(d1, t[0], 3, 1, 0, 1, 1);
    Spiele_Set_Ewige_Tabelle(d1, t[0], 1, 1, 1, 0, 1);
    Spiele_Set_Ewige_Tabelle(d1, t[1], 3, 1, 0, 1, 0);
    Spiele_Set_Ewige_Tabelle(d1, t[1], 1, 0, 0, 0, 0);
    Spiele_Set_Ewige_Tabelle(d1, t[2], 3, 5, 0, 1, 0);
    Spiele_Set_Ewige_Tabelle(d1, t[2], 1, 0, 0, 0, 1);
    struct Fall {
        i32 team, platz;
    } faelle[] = {{t[0], 1}, {t[2], 2}, {t[1], 3}, {t[3], -1}};
    for (const auto& f : faelle) EXPECT_EQ(Wettbewerb_Get_Tabellenplatz_Gesamt(d1, f.team), f.platz) << f.team;
    EXPECT_EQ(Wettbewerb_Get_Tabellenplatz_Gesamt(-1, t[0]), -1);
}

TEST_F(Abfragen, IndizesVerschiebenHinUndZurueck) {
    // The editor inserts a record before the second group: the links at or
    // past it move up by one, the ones before stay; deleting it again gives
    // the old table back.
    const i32 b = Wettbewerb_Get_Index(Id("EC_B"));
    const i32 a = Wettbewerb_Get_Index(Id("EC_A"));
    const i32 ko = Wettbewerb_Get_Index(Id("EC_KO"));
    const i32 d1 = Wettbewerb_Get_Index(Id("D1"));
    std::vector<Wettbewerb> vorher(Wettbewerb_Tabelle, Wettbewerb_Tabelle + WETTBEWERB_ANZAHL);
    Wettbewerb_Indizes_Verschieben(b, true);
    const Wettbewerb* t = Wettbewerb_Tabelle;
    struct Fall {
        i32 ist, soll;
    } faelle[] = {
        {t[a].naechste_gruppe, b + 1},
        {t[a].naechste_runde, ko + 1},
        {t[a].vorherige_gruppe, -1},
        {t[d1].visuell_nachfolger, vorher[static_cast<size_t>(d1)].visuell_nachfolger},  // D2 is before
        {t[d1].quali_fuer[0][0], vorher[static_cast<size_t>(d1)].quali_fuer[0][0] + (a >= b ? 1 : 0)},
        {t[a].quali_fuer[0][0], ko + 1},
    };
    for (size_t k = 0; k < std::size(faelle); ++k) EXPECT_EQ(faelle[k].ist, faelle[k].soll) << k;
    Wettbewerb_Indizes_Verschieben(b, false);
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        EXPECT_EQ(std::memcmp(&vorher[static_cast<size_t>(i)], &Wettbewerb_Tabelle[i], sizeof(Wettbewerb)), 0) << i;
}

TEST_F(Abfragen, SchalterEinerKette) {
    struct Schritt {
        const char* k;
        i32 art, op;
        // Switch `art` afterwards in EC_A, EC_KO (one chain) and D1, D2.
        u8 ec_a, ec_ko, d1, d2;
    } schritte[] = {
        {"EC_KO", 1, SCHALTER_SETZEN, 1, 1, 0, 0},
        {"EC_C", 1, SCHALTER_UMSCHALTEN, 0, 0, 0, 0},
        {"D1", 2, SCHALTER_SETZEN, 0, 0, 1, 0},  // a league is its own chain
        {"D1", 2, SCHALTER_LOESCHEN, 0, 0, 0, 0},
        {"EC_A", 4, SCHALTER_SETZEN, 1, 1, 0, 0},
        {"EC_A", 5, SCHALTER_UMSCHALTEN, 1, 1, 0, 0},
        {"EC_A", 4, SCHALTER_LOESCHEN, 0, 0, 0, 0},  // kind 5 stays
        {"D2", 3, 3, 0, 0, 0, 0},                    // no such operation
        {"D2", 9, SCHALTER_SETZEN, 0, 0, 0, 0},      // no such kind
    };
    for (const auto& s : schritte) {
        Wettbewerb_Set_Schalter(Id(s.k), s.art, s.op);
        EXPECT_EQ(Wettbewerb_Get_Schalter(Id("EC_A"), s.art), s.ec_a) << s.k << s.art;
        EXPECT_EQ(Wettbewerb_Get_Schalter(Id("EC_KO"), s.art), s.ec_ko) << s.k << s.art;
        EXPECT_EQ(Wettbewerb_Get_Schalter(Id("D1"), s.art), s.d1) << s.k << s.art;
        EXPECT_EQ(Wettbewerb_Get_Schalter(Id("D2"), s.art), s.d2) << s.k << s.art;
    }
    EXPECT_EQ(Wettbewerb_Get_Schalter(Id("EC_D"), 5), 1);
    EXPECT_EQ(Wettbewerb_Get_Schalter(Id("EC_D"), 4), 0);
    // All competitions: kind 5 toggled once each (the chain's set bit goes
    // off, every other comes on).
    Wettbewerb_Schalter_Alle(0, SCHALTER_UMSCHALTEN);
    EXPECT_EQ(Wettbewerb_Get_Schalter(Id("EC_KO"), 5), 0);
    EXPECT_EQ(Wettbewerb_Get_Schalter(Id("D1"), 5), 1);
    Wettbewerb_Schalter_Alle(0, SCHALTER_LOESCHEN);
    // A team's competitions: its league (and the others it plays in).
    const i32 team = Teams("RN")[3];
    Wettbewerb_Schalter_Team(team);
    EXPECT_EQ(Wettbewerb_Get_Schalter(Id("RN"), 5), 1);
    EXPECT_EQ(Wettbewerb_Get_Schalter(Id("RS"), 5), 0);
    EXPECT_EQ(Wettbewerb_Get_Schalter(Id("D1"), 5), 0);
}

TEST_F(Abfragen, TeamsUndLigasystem) {
    i32 teams[WETTBEWERB_MAX_TEAMS];
    EXPECT_EQ(Wettbewerb_Get_Teams(Id("D1"), teams), 18);
    std::vector<i32> v(teams, teams + 18);
    std::sort(v.begin(), v.end());
    EXPECT_EQ(v, Teams("D1"));
    EXPECT_EQ(Wettbewerb_Get_Teams(-3, teams), 0);
    // Germany: 18 + 18 + 10 + 10 clubs, each once (the cup is no part of
    // the league system).
    std::vector<i32> alle(WETTBEWERB_ANZAHL * WETTBEWERB_MAX_TEAMS);
    EXPECT_EQ(Wettbewerb_Get_Teams_Ligasystem(Id("RS"), alle.data()), 56);
    EXPECT_EQ(Wettbewerb_Get_Teams_Ligasystem(Id("E2"), nullptr), 40);
}

}  // namespace

namespace {

TEST_F(Abfragen, TabelleMitDenGegnernVonHeute) {
    // The matchday tells today's opponents: team x plays x + 1000 away when
    // x is odd, in the cup.
    static i32 pokal = Id("POKAL_D");
    Season_Module_Set_Hooks({.Spieltag_Get_Gegner = [](int team, bool* aus, int* wettbewerb) {
        *aus = team % 2 == 1;
        *wettbewerb = pokal;
        return team + 1000;
    }});
    const i32 rn = Id("RN");
    Spielen(rn, 2);
    auto t = std::make_unique<Tabelle>();
    auto heute = std::make_unique<Wettbewerb_Tabelle_Heute>();
    ASSERT_TRUE(Wettbewerb_Tabelle_Fuellen(rn, t.get(), -1, -1, -1, heute.get()));
    ASSERT_EQ(t->zeilen, 10u);
    EXPECT_EQ(t->wettbewerb, static_cast<u32>(rn));
    for (u32 r = 0; r < 10; ++r) {
        EXPECT_EQ(heute->gegner[r], static_cast<i32>(t->team[r]) + 1000);
        EXPECT_EQ(heute->auswaerts[r], t->team[r] % 2);
        EXPECT_EQ(heute->wettbewerb[r], pokal);
        EXPECT_EQ(t->spiele[0][r], 2u);
    }
    EXPECT_EQ(heute->gegner[10], -1);
    EXPECT_FALSE(Wettbewerb_Tabelle_Fuellen(-1, t.get(), -1, -1, -1, nullptr));
    Season_Module_Set_Hooks({});

    // The table of a game: its competition's, up to the first matchday.
    Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(rn), 1, 0, 0));
    ASSERT_TRUE(Wettbewerb_Tabelle_Fuer_Spiel(h.Handle(), t.get(), 0, 0, -1, -1));
    EXPECT_EQ(t->wettbewerb, static_cast<u32>(rn));
    for (u32 r = 0; r < 10; ++r) EXPECT_EQ(t->spiele[0][r], 1u);
    EXPECT_FALSE(Wettbewerb_Tabelle_Fuer_Spiel(0, t.get(), -1, -1, -1, -1));
}

TEST_F(Abfragen, SpielTeamPruefenAmSpieltag) {
    const i32 d1 = Id("D1");
    // On to the league's first day.
    for (int i = 0; i < 60 && Kalender_Get_Spieltag_Nummer(Kalender_Get_Tag(), d1, nullptr) < 0; ++i)
        Kalender_Jeden_Tag();
    i32 runde = 0;
    const i32 d = Kalender_Get_Spieltag_Nummer(Kalender_Get_Tag(), d1, &runde);
    ASSERT_GE(d, 0);
    Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(d1), static_cast<u32>(d), static_cast<u32>(runde), 0));
    const Spiel* s = Spiele_Get_Spiel(h.Handle(), true);
    ASSERT_TRUE(s);
    EXPECT_TRUE(Wettbewerb_Spiel_Team_Pruefen(h.Handle(), s->team_a));
    EXPECT_TRUE(Wettbewerb_Spiel_Team_Pruefen(h.Handle(), W("D1").aktuelle_team[5]));  // another D1 game today
    EXPECT_FALSE(Wettbewerb_Spiel_Team_Pruefen(h.Handle(), Teams("D2")[0]));
    // The next day has no league game.
    Kalender_Jeden_Tag();
    if (Kalender_Get_Spieltag_Nummer(Kalender_Get_Tag(), d1, nullptr) < 0) {
        EXPECT_FALSE(Wettbewerb_Spiel_Team_Pruefen(h.Handle(), s->team_a));
    }
}

TEST_F(Abfragen, AufUndAbstiegNimmtDieSchalterMit) {
    // A human manager's club wins D2 and goes up: D2's switches 1 and 2
    // move on to D1 and, with its only managed club gone, leave D2.
    Wettbewerb& d2 = W("D2");
    const i32 mensch = d2.aktuelle_team[0];
    ASSERT_TRUE(Manager_Neuer_Mitspieler(mensch, "Test", 0));
    for (i32 p = 0; p < d2.teams; ++p) d2.teilnehmer[p] = d2.aktuelle_team[p];
    Wettbewerb_Set_Schalter(d2.id, 1, SCHALTER_SETZEN);
    Wettbewerb_Set_Schalter(d2.id, 2, SCHALTER_SETZEN);
    Wettbewerb_Set_Schalter(d2.id, 3, SCHALTER_SETZEN);
    Wettbewerb_Auf_Abstieg_Anwenden(d2);
    struct Fall {
        const char* k;
        i32 art;
        u8 wert;
    } faelle[] = {{"D1", 1, 1}, {"D1", 2, 1}, {"D1", 3, 0}, {"D2", 1, 0}, {"D2", 2, 0}, {"D2", 3, 1}, {"RN", 1, 0}};
    for (const auto& f : faelle) EXPECT_EQ(Wettbewerb_Get_Schalter(Id(f.k), f.art), f.wert) << f.k << f.art;
    Manager_Loeschen(mensch);
    // Without a managed club the switches stay where they are.
    Wettbewerb_Set_Schalter(d2.id, 1, SCHALTER_SETZEN);
    Wettbewerb_Auf_Abstieg_Anwenden(d2);
    EXPECT_EQ(Wettbewerb_Get_Schalter(d2.id, 1), 1);
}

}  // namespace

namespace {

TEST_F(Abfragen, LigenReparieren) {
    // Three clubs lost their league: one whose players name none, one whose
    // players name the second league, one whose players name a competition
    // that does not exist.
    const std::vector<i32> d1 = Teams("D1");
    const i32 d1_id = Id("D1"), d2_id = Id("D2");
    const i32 ohne = d1[0], zweite = d1[1], falsch = d1[2];
    auto kader_setzen = [](i32 team, i32 wert) {
        for (i32 s = 0; s < Team_Kader_Anzahl(team); ++s) Spieler_Daten[Team_Kader(team)[s]].wettbewerb = wert;
    };
    Team_Daten[ohne].liga = Team_Daten[zweite].liga = Team_Daten[falsch].liga = -1;
    kader_setzen(ohne, -1);
    kader_setzen(zweite, d2_id);
    kader_setzen(falsch, 9999);
    ASSERT_GT(Team_Kader_Anzahl(ohne), 0);
    EXPECT_EQ(Wettbewerb_Ligen_Reparieren(), 3);
    struct Fall {
        i32 team, liga, spieler;
    } faelle[] = {{ohne, d1_id, d1_id}, {zweite, d2_id, d2_id}, {falsch, d1_id, 9999}, {d1[3], d1_id, d1_id}};
    for (const auto& f : faelle) {
        EXPECT_EQ(Team_Daten[f.team].liga, f.liga) << f.team;
        EXPECT_EQ(Spieler_Daten[Team_Kader(f.team)[0]].wettbewerb, f.spieler) << f.team;
    }
    EXPECT_EQ(Wettbewerb_Ligen_Reparieren(), 0);  // nothing left to repair
    kader_setzen(zweite, d1_id);
    kader_setzen(falsch, d1_id);
}

}  // namespace

namespace {

TEST_F(Abfragen, TabelleNeuSortierenWieNeuGebaut) {
    // A re-sort for other options gives the order and keys a table built
    // with those options has.
    const i32 rn = Id("RN");
    Spielen(rn, 9);
    // A few home sides win instead, so that home and away tables differ.
    for (u32 k = 0; k < 3; ++k) {
        Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(rn), 4, 0, k));
        Spiele_Set_Ergebnis(h.Handle(), 4, 1, 0);
    }
    auto bauen = [&](u32 optionen, u8 drei) {
        auto t = std::make_unique<Tabelle>();
        Wettbewerb_Tabelle_Vorbereiten_Id(rn, t.get());
        Tabelle_Argumente a;
        a.wettbewerb = rn;
        a.optionen = optionen;
        a.drei_punkte = drei;
        Spiele_Get_Tabelle(a, t.get());
        return t;
    };
    struct Fall {
        u32 optionen;
    } faelle[] = {{1 | 2 | 4 | 8}, {1 | 2 | 4 | 16}, {1 | 8 | 16}, {2 | 4 | 8 | 16}, {31}};
    for (const auto& f : faelle) {
        auto t = bauen(31, 1);
        ASSERT_TRUE(Spiele_Tabelle_Neu_Sortieren(*t, f.optionen, true));
        const auto soll = bauen(f.optionen, 1);
        for (u32 r = 0; r < 10; ++r) {
            EXPECT_EQ(t->reihenfolge[r], soll->reihenfolge[r]) << f.optionen << " " << r;
            EXPECT_EQ(Tabelle_Schluessel(*t, r), Tabelle_Schluessel(*soll, r)) << f.optionen << " " << r;
        }
        EXPECT_EQ(t->optionen, f.optionen);
    }
    // The two-point rule ranks by points lost too (nine games, so 18 less
    // the points): the leader (27 points) has lost none, the row key tells.
    auto zwei = bauen(31, 1);
    ASSERT_TRUE(Spiele_Tabelle_Neu_Sortieren(*zwei, 1, false));
    const u32 erster = zwei->reihenfolge[0];
    EXPECT_EQ(zwei->punkte[0][erster], 27u);
    EXPECT_EQ((Tabelle_Schluessel(*zwei, erster) >> 32) & 0xFFF, 0xFFFu);
    // Tables past the grid's 24 rows are left alone.
    auto gross = bauen(31, 1);
    gross->zeilen = 25;
    const u32 erste = gross->reihenfolge[0];
    EXPECT_FALSE(Spiele_Tabelle_Neu_Sortieren(*gross, 1, true));
    EXPECT_EQ(gross->reihenfolge[0], erste);
}

}  // namespace

// --- a network client's queries ----------------------------------------------------------

namespace {

// The client's calls go over the call layer's local line to the server rows
// of this process; a line that answers given bytes stands in for a server
// that sends rubbish.
std::vector<u8> falsche_antwort;
u16 letzte_nummer = 0;
bool rubbish_leitung(u16 nummer, const std::vector<u8>&, std::vector<u8>* antwort) {
    letzte_nummer = nummer;
    *antwort = falsche_antwort;
    return true;
}

class ClientAbfragen : public Abfragen {
  protected:
    void SetUp() override {
        Abfragen::SetUp();
        Season_Netz_Anmelden();
    }
    void TearDown() override {
        ruf::Leitung_Setzen(nullptr);
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Abfragen::TearDown();
    }
    // (No cache reset: in one process it would drop the server's stores.)
    static void Client() {
        Internet_Modus = INTERNET_MODUS_CLIENT;
        Spiele_Wettbewerb_Ereignisse_Vergessen();
        Spiele_Sieger_Vergessen();
    }
    static void Server() { Internet_Modus = INTERNET_MODUS_EINZEL; }
};

TEST_F(ClientAbfragen, AntwortenGleichDenenDesServers) {
    const i32 rn = Id("RN"), d1 = Id("D1");
    Spielen(rn, 5);
    const std::vector<i32> t = Teams("RN");
    Spiele_Set_Serien(rn, t[0], 2, 0, 0);
    Spiele_Set_Serien(rn, t[0], 1, 0, 1);
    Spiele_Set_Spiele_Gegen(rn, t[0], t[1], 3, 1);
    Spiele_Set_Spiele_Gegen(rn, t[0], t[1], 0, 0);
    Spiele_Set_Spiele_Gegen(d1, t[0], t[1], 1, 2);
    Spiele_Set_Wettbewerb_Sieger(d1, t[2], 2004, t[3], 3, 1);
    const i32 spieler = Team_Kader(t[4])[2];
    Spiele_Set_Wettbewerb_Ereignis(rn, spieler, 1, 4);
    Spiele_Set_Wettbewerb_Ereignis(rn, spieler, 8, 2);

    // 1010 for several argument sets, 1033 for each venue, 1034, 1041, 1042.
    struct Antworten {
        std::vector<u8> tabellen;
        std::vector<u32> schluessel, serien, gegen;
        std::vector<u8> gegen_items;
        std::vector<i32> sieger, zaehler;
    };
    auto fragen = [&]() {
        Antworten a;
        const u32 optionen[] = {31, 1 | 2 | 4 | 8, 1 | 16};
        for (u32 o : optionen)
            for (i32 letzter : {-1, 2}) {
                auto tab = std::make_unique<Tabelle>();
                Wettbewerb_Tabelle_Vorbereiten_Id(rn, tab.get());
                Tabelle_Argumente arg;
                arg.wettbewerb = rn;
                arg.letzter_spieltag = letzter;
                arg.optionen = o;
                arg.team = t[3];
                a.schluessel.push_back(Spiele_Get_Tabelle(arg, tab.get()));
                std::vector<u8> bild(TABELLE_GROESSE);
                Tabelle_Bild_Schreiben(*tab, bild.data());
                a.tabellen.insert(a.tabellen.end(), bild.begin(), bild.end());
            }
        for (i32 ort = 0; ort < 3; ++ort) {
            u32 s[7];
            a.serien.push_back(Spiele_Get_Serien(rn, t[0], s, ort));
            a.serien.insert(a.serien.end(), s, s + 7);
        }
        u32 s = 9, u = 9, n = 9;
        u8 items[12 * 6];
        std::memset(items, 0xEE, sizeof items);
        a.gegen.push_back(static_cast<u32>(Spiele_Get_Spiele_Gegen(-1, t[0], t[1], &s, &u, &n, items, 6)));
        a.gegen.insert(a.gegen.end(), {s, u, n});
        a.gegen_items.assign(items, items + a.gegen[0] * 12);
        a.gegen.push_back(static_cast<u32>(Spiele_Get_Spiele_Gegen(rn, t[0], t[1], &s, &u, &n, nullptr, 0)));
        a.gegen.insert(a.gegen.end(), {s, u, n});
        for (i32 jahr : {2004, 2005}) {
            i32 z = 0, h = 0, ti = 0;
            a.sieger.push_back(Spiele_Get_Wettbewerb_Sieger(d1, jahr, &z, &h, &ti));
            a.sieger.insert(a.sieger.end(), {z, h, ti});
        }
        for (i32 art = 1; art <= 8; ++art) a.zaehler.push_back(Spiele_Get_Wettbewerb_Ereignis(rn, art, spieler));
        a.zaehler.push_back(Spiele_Get_Wettbewerb_Ereignis(rn, 1, Team_Kader(t[5])[0]));
        return a;
    };
    Server();
    const Antworten server = fragen();
    Client();
    const Antworten client = fragen();
    EXPECT_TRUE(client.tabellen == server.tabellen);
    EXPECT_EQ(client.schluessel, server.schluessel);
    EXPECT_EQ(client.serien, server.serien);
    EXPECT_EQ(client.gegen, server.gegen);
    EXPECT_EQ(client.gegen_items, server.gegen_items);
    EXPECT_EQ(client.sieger, server.sieger);
    EXPECT_EQ(client.zaehler, server.zaehler);
    // The stored values themselves, worked out: the final 3:1, two games
    // of the pairing in the league (a win, a draw), a yellow count of 4.
    EXPECT_EQ(server.sieger, (std::vector<i32>{t[2], t[3], 3, 1, -1, -1, 0, 0}));
    // In RN: a win and a draw of the home side; over all: the D1 defeat too.
    EXPECT_EQ(std::vector<u32>(server.gegen.begin() + 5, server.gegen.end()), (std::vector<u32>{1, 1, 0}));
    EXPECT_EQ(std::vector<u32>(server.gegen.begin(), server.gegen.begin() + 4), (std::vector<u32>{3, 1, 1, 1}));
    EXPECT_EQ(server.zaehler[0], 4);
    EXPECT_EQ(server.zaehler[7], 2);
}

TEST_F(ClientAbfragen, FalscheAntwortenAendernNichts) {
    ruf::Leitung_Setzen(rubbish_leitung);
    Client();
    const i32 rn = Id("RN");
    const i32 spieler = Team_Kader(Teams("RN")[0])[0];
    auto wort = [](std::vector<u8>& v, u32 x) {
        for (int i = 0; i < 4; ++i) v.push_back(static_cast<u8>(x >> (8 * i)));
    };
    // 1010: a table that does not unpack to one record, or whose rows or
    // order lie outside the record.
    std::vector<u8> bild(TABELLE_GROESSE, 0);
    auto packen = [&](std::vector<u8> roh) {
        std::vector<u8> p(Tools_RLE_Max_Gepackt(static_cast<u32>(roh.size())));
        p.resize(Tools_RLE_Packen(roh.data(), p.data(), static_cast<u32>(roh.size())));
        // Sized once, then filled: an insert behind the size word draws a
        // false -Wstringop-overread from GCC 12 in optimised builds.
        std::vector<u8> v(4 + p.size());
        put_u32le(v.data(), static_cast<u32>(p.size()));
        std::copy(p.begin(), p.end(), v.begin() + 4);
        return v;
    };
    std::vector<u8> viele_zeilen = bild;
    put_u32le(viele_zeilen.data() + 1024, 129);
    std::vector<u8> falsche_ordnung = bild;
    put_u32le(falsche_ordnung.data() + 1024, 2);
    put_u32le(falsche_ordnung.data() + 0, 5);
    const std::vector<std::vector<u8>> tabellen = {
        {},
        {1, 2, 3},
        packen(std::vector<u8>(TABELLE_GROESSE - 4, 0)),
        packen(viele_zeilen),
        packen(falsche_ordnung),
    };
    for (size_t k = 0; k < tabellen.size(); ++k) {
        falsche_antwort = tabellen[k];
        auto t = std::make_unique<Tabelle>();
        t->zeilen = 77;
        Tabelle_Argumente a;
        a.wettbewerb = rn;
        EXPECT_EQ(Spiele_Get_Tabelle(a, t.get()), 0xFFFFFFFFu) << k;
        EXPECT_EQ(t->zeilen, 77u) << k;
        EXPECT_EQ(letzte_nummer, 1010) << k;
    }
    // A good one is taken.
    falsche_antwort = packen(bild);
    auto t = std::make_unique<Tabelle>();
    t->zeilen = 77;
    Tabelle_Argumente a;
    a.wettbewerb = rn;
    Spiele_Get_Tabelle(a, t.get());
    EXPECT_EQ(t->zeilen, 0u);

    // 1033: a run above 255, a flag above 1.
    struct Serie {
        u8 ok;
        u32 wert;
    } serien[] = {{1, 256}, {2, 1}};
    for (const auto& f : serien) {
        falsche_antwort = {f.ok};
        for (int i = 0; i < 7; ++i) wort(falsche_antwort, f.wert);
        u32 aus[7] = {5, 5, 5, 5, 5, 5, 5};
        EXPECT_FALSE(Spiele_Get_Serien(rn, 1, aus, 0));
        EXPECT_EQ(aus[0], 0u);
    }
    // 1034: items of the wrong length, goals above 15, an unknown base.
    struct Gegen {
        u32 laenge;  // items in the answer (the client asks for 2)
        u32 tore, basis;
    } gegen[] = {{1, 1, 3}, {3, 1, 3}, {2, 16, 3}, {2, 1, 384}};
    for (const auto& f : gegen) {
        falsche_antwort = {1};
        for (u32 x : {3u, 2u, 1u}) wort(falsche_antwort, x);
        wort(falsche_antwort, 12 * f.laenge);
        for (u32 i = 0; i < f.laenge; ++i)
            for (u32 x : {f.tore, 0u, f.basis}) wort(falsche_antwort, x);
        u32 s = 7, u = 7, n = 7;
        u8 items[24];
        EXPECT_EQ(Spiele_Get_Spiele_Gegen(-1, 1, 2, &s, &u, &n, items, 2), 0) << f.laenge << " " << f.tore;
        EXPECT_EQ(s + u + n, 0u);
    }
    // 1041: a winner or runner-up outside the world, a score above a byte.
    const i32 sieger[][4] = {{Team_Anzahl, -1, 1, 0}, {3, -2, 1, 0}, {3, 4, 256, 0}, {3, 4, 1, -1}};
    for (const auto& f : sieger) {
        falsche_antwort.clear();
        for (i32 x : f) wort(falsche_antwort, static_cast<u32>(x));
        i32 z = 9;
        EXPECT_EQ(Spiele_Get_Wettbewerb_Sieger(rn, 2004, &z, nullptr, nullptr), -1);
        EXPECT_EQ(z, -1);
    }
    // 1042: a count past 100 or not matching the bytes, a player outside the
    // world, a key outside the asked block; nothing is stored.
    u32 k = 0;
    ASSERT_TRUE(Spiele_Schluessel_Spieler(Wettbewerb_Get_Basis_Id(rn), spieler, &k));
    const u32 block = (k - 1) / 100 * 100 + 1;
    const u32 basis = static_cast<u32>(Wettbewerb_Get_Basis_Id(rn));
    auto eintraege = [&](std::vector<std::pair<u32, u32>> e, i32 zahl) {
        std::vector<u8> v;
        wort(v, static_cast<u32>(e.size() * 16));
        for (auto [b, s] : e) {
            wort(v, b);
            wort(v, s);
            for (u8 x : {7, 0, 0, 0, 0, 0, 0, 1}) v.push_back(x);
        }
        wort(v, static_cast<u32>(zahl));
        return v;
    };
    const u32 sp = static_cast<u32>(spieler);
    const std::vector<std::vector<u8>> ereignisse = {
        eintraege({{basis, sp}}, 2),
        eintraege(std::vector<std::pair<u32, u32>>(101, {basis, sp}), 101),
        eintraege({{basis, static_cast<u32>(Spieler_Anzahl)}}, 1),
        eintraege({{basis + 1, sp}}, 1),
    };
    for (size_t i = 0; i < ereignisse.size(); ++i) {
        falsche_antwort = ereignisse[i];
        EXPECT_FALSE(Spiele_Hole_Wettbewerb_Ereignisse(block)) << i;
        Spiele_Wettbewerb_Ereignisse_Vergessen();
        EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(rn, 1, spieler), 0) << i;
    }
    // The right answer is kept: seven yellow cards, one match banned.
    falsche_antwort = eintraege({{basis, sp}}, 1);
    Spiele_Wettbewerb_Ereignisse_Vergessen();
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(rn, 1, spieler), 7);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(rn, 8, spieler), 1);
    EXPECT_EQ(letzte_nummer, 1042);
}

}  // namespace

namespace {

TEST_F(ClientAbfragen, ArchivEinesTeamsUndDesClients) {
    // Regionalliga Nord under the two-point rule after its first round: team
    // k won 9 - k games 1:0 and lost k games 0:1.
    const i32 rn = Id("RN");
    W("RN").modus &= ~WB_ENGLISCHE_TABELLE;
    Spielen(rn, 9);
    auto t = std::make_unique<Tabelle>();
    Wettbewerb_Tabelle_Vorbereiten_Id(rn, t.get());
    Tabelle_Argumente a;
    a.wettbewerb = rn;
    Spiele_Get_Tabelle(a, t.get());
    Statistik_Archiv_Leeren();
    ASSERT_TRUE(Statistik_Archiv_Speichern(*t, 2004));
    ASSERT_TRUE(Statistik_Archiv_Speichern(*t, 2006));
    const std::vector<i32> teams = Teams("RN");
    struct Fall {
        size_t k;
        i32 platz, verlust, punkte, tore, gegentore;
    } faelle[] = {{0, 0, 0, 18, 9, 0}, {5, 5, 10, 8, 4, 5}, {9, 9, 18, 0, 0, 9}};
    for (const auto& f : faelle) {
        Statistik_Archiv_Platz p[4];
        ASSERT_EQ(Statistik_Archiv_Team(teams[f.k], p, 4), 2) << f.k;
        EXPECT_EQ(p[0].jahr, 2004);
        EXPECT_EQ(p[1].jahr, 2006);
        for (const auto& x : p)
            if (&x < p + 2) {
                EXPECT_EQ(x.wettbewerb, rn);
                EXPECT_EQ(x.platz, f.platz) << f.k;
                EXPECT_EQ(x.verlustpunkte, f.verlust) << f.k;
                EXPECT_EQ(x.punkte, f.punkte) << f.k;
                EXPECT_EQ(x.tore, f.tore) << f.k;
                EXPECT_EQ(x.gegentore, f.gegentore) << f.k;
            }
        EXPECT_EQ(Statistik_Archiv_Team(teams[f.k], p, 1), 1);  // held to the maximum
    }
    Statistik_Archiv_Platz p[2];
    EXPECT_EQ(Statistik_Archiv_Team(Teams("D1")[0], p, 2), 0);
    // Under the three-point rule no points are lost.
    W("RN").modus |= WB_ENGLISCHE_TABELLE;
    ASSERT_EQ(Statistik_Archiv_Team(teams[5], p, 2), 2);
    EXPECT_EQ(p[0].verlustpunkte, -1);

    // A client asks the server for the archived table and gets the same.
    auto server = std::make_unique<Tabelle>();
    ASSERT_TRUE(Statistik_Archiv_Holen(*server, rn, 2006, 0));
    Client();
    auto client = std::make_unique<Tabelle>();
    ASSERT_TRUE(Statistik_Archiv_Holen(*client, rn, 2006, 0));
    std::vector<u8> bs(TABELLE_GROESSE), bc(TABELLE_GROESSE);
    Tabelle_Bild_Schreiben(*server, bs.data());
    Tabelle_Bild_Schreiben(*client, bc.data());
    EXPECT_TRUE(bs == bc);
    EXPECT_FALSE(Statistik_Archiv_Holen(*client, rn, 2005, 0));  // none that season

    // An answer for another competition, or one that does not unpack, is refused.
    ruf::Leitung_Setzen(rubbish_leitung);
    std::vector<u8> bild(TABELLE_GROESSE);
    server->wettbewerb = static_cast<u32>(Id("RS"));
    Tabelle_Bild_Schreiben(*server, bild.data());
    std::vector<u8> gepackt(Tools_RLE_Max_Gepackt(TABELLE_GROESSE));
    gepackt.resize(Tools_RLE_Packen(bild.data(), gepackt.data(), TABELLE_GROESSE));
    for (const auto& roh : {gepackt, std::vector<u8>(gepackt.begin(), gepackt.end() - 9)}) {
        falsche_antwort.clear();
        const u32 n = static_cast<u32>(roh.size());
        for (int i = 0; i < 4; ++i) falsche_antwort.push_back(static_cast<u8>(n >> (8 * i)));
        falsche_antwort.insert(falsche_antwort.end(), roh.begin(), roh.end());
        client->zeilen = 3;
        EXPECT_FALSE(Statistik_Archiv_Holen(*client, rn, 2006, 0));
        EXPECT_EQ(client->zeilen, 3u);
        EXPECT_EQ(letzte_nummer, 1044);
    }
    Server();
    Statistik_Archiv_Leeren();
}

namespace {

int tabellen_rufe = 0;
bool zaehlende_leitung(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort) {
    if (nummer == 1010) ++tabellen_rufe;
    return ruf::Lokale_Leitung(nummer, argumente, antwort);
}

}  // namespace

// A client keeps the tables the server gave it: the same question again
// costs no call; a cleared cache, the cache switched off, other arguments
// or a refused answer ask the server again.
TEST_F(ClientAbfragen, ClientBehaeltDieTabellenDesServers) {
    const i32 rn = Id("RN");
    Spielen(rn, 5);
    auto frage = [&](i32 letzter) {
        auto tab = std::make_unique<Tabelle>();
        Wettbewerb_Tabelle_Vorbereiten_Id(rn, tab.get());
        Tabelle_Argumente arg;
        arg.wettbewerb = rn;
        arg.letzter_spieltag = letzter;
        Spiele_Get_Tabelle(arg, tab.get());
        std::vector<u8> bild(TABELLE_GROESSE);
        Tabelle_Bild_Schreiben(*tab, bild.data());
        return bild;
    };
    const std::vector<u8> server = frage(-1), server_2 = frage(2);
    ASSERT_NE(server, server_2);
    ruf::Leitung_Setzen(zaehlende_leitung);
    Client();
    Spiele_Tabellen_Cache_Leeren();
    struct Schritt {
        const char* name;
        void (*vorher)();
        i32 letzter;
        int rufe;  // calls 1010 so far
    } schritte[] = {
        {"the first question asks", [] {}, -1, 1},
        {"the same again is kept", [] {}, -1, 1},
        {"other matchdays ask", [] {}, 2, 2},
        {"and are kept too", [] {}, 2, 2},
        {"a cleared cache asks again", Spiele_Tabellen_Cache_Leeren, -1, 3},
        {"storing switched off, every question asks",
         [] {
             Spiele_Tabellen_Cache_Leeren();
             Spiele_Tabellen_Cache_Schalter(false);
         },
         -1, 4},
        {"and once more", [] {}, -1, 5},
    };
    tabellen_rufe = 0;
    for (const Schritt& s : schritte) {
        s.vorher();
        EXPECT_EQ(frage(s.letzter), s.letzter == 2 ? server_2 : server) << s.name;
        EXPECT_EQ(tabellen_rufe, s.rufe) << s.name;
    }
    Spiele_Tabellen_Cache_Schalter(true);
    // A refused answer is not kept: the next question asks again.
    Spiele_Tabellen_Cache_Leeren();
    ruf::Leitung_Setzen(rubbish_leitung);
    falsche_antwort = {1, 2, 3};
    letzte_nummer = 0;
    frage(-1);
    EXPECT_EQ(letzte_nummer, 1010);
    ruf::Leitung_Setzen(zaehlende_leitung);
    tabellen_rufe = 0;
    EXPECT_EQ(frage(-1), server);
    EXPECT_EQ(tabellen_rufe, 1);
    Server();
    Spiele_Tabellen_Cache_Leeren();
}

// A client's view of a team's archived places is the server's; an answer
// longer than asked or with a place out of range is refused whole.
TEST_F(ClientAbfragen, ArchivPlaetzeEinesTeamsAufDemClient) {
    const i32 rn = Id("RN");
    Spielen(rn, 9);
    auto t = std::make_unique<Tabelle>();
    Wettbewerb_Tabelle_Vorbereiten_Id(rn, t.get());
    Tabelle_Argumente a;
    a.wettbewerb = rn;
    Spiele_Get_Tabelle(a, t.get());
    Statistik_Archiv_Leeren();
    ASSERT_TRUE(Statistik_Archiv_Speichern(*t, 2004));
    ASSERT_TRUE(Statistik_Archiv_Speichern(*t, 2006));
    const i32 team = Teams("RN")[5];
    auto gleich = [](const Statistik_Archiv_Platz& x, const Statistik_Archiv_Platz& y) {
        return std::memcmp(&x, &y, sizeof x) == 0;
    };
    Statistik_Archiv_Platz server[4], client[4];
    ASSERT_EQ(Statistik_Archiv_Team(team, server, 4), 2);
    EXPECT_EQ(server[1].platz, 5);
    Client();
    ASSERT_EQ(Statistik_Archiv_Team(team, client, 4), 2);
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(gleich(server[i], client[i])) << i;
    EXPECT_EQ(Statistik_Archiv_Team(team, client, 1), 1);  // held to the maximum
    EXPECT_EQ(Statistik_Archiv_Team(Teams("D1")[0], client, 4), 0);

    ruf::Leitung_Setzen(rubbish_leitung);
    auto antwort = [](std::vector<Statistik_Archiv_Platz> v) {
        falsche_antwort.clear();
        bytes::Schreiber w{falsche_antwort};
        w(v);
    };
    struct Fall {
        const char* name;
        std::vector<Statistik_Archiv_Platz> plaetze;
        int max;
    } faelle[] = {
        {"more places than asked", {server[0], server[1], server[1]}, 2},
        {"a place beyond the table", {{2004, rn, TABELLE_ZEILEN, 0, 0, 0, 0}}, 4},
        {"a competition beyond the list", {{2004, 1 << 20, 1, 0, 0, 0, 0}}, 4},
        {"negative goals", {{2004, rn, 1, 0, 0, -3, 0}}, 4},
    };
    for (const Fall& f : faelle) {
        antwort(f.plaetze);
        Statistik_Archiv_Platz p[4] = {};
        EXPECT_EQ(Statistik_Archiv_Team(team, p, f.max), 0) << f.name;
        EXPECT_EQ(p[0].jahr, 0) << f.name;
        EXPECT_EQ(letzte_nummer, 1045) << f.name;
    }
    // Bytes that are no list at all.
    falsche_antwort = {0xFF, 0xFF, 0xFF, 0x7F, 1};
    EXPECT_EQ(Statistik_Archiv_Team(team, client, 4), 0);
    Server();
    Statistik_Archiv_Leeren();
}

}  // namespace

namespace {

TEST_F(Abfragen, EreignisseLaufenPackenUndZeitraum) {
    // Three games of a matchday reserve their event blocks one after the
    // other; two are played (three and two events), the third still runs.
    const i32 rn = Id("RN");
    i32 h[3];
    for (u32 k = 0; k < 3; ++k) {
        h[k] = Spiele_Lock(static_cast<u32>(rn), 0, 0, k);
        ASSERT_GT(h[k], 0);
        ASSERT_TRUE(Spiele_Ereignisse_Reservieren(h[k]));
    }
    const u32 start = Spiele_Get_Spiel(h[0], true)->erstes_ereignis;
    EXPECT_EQ(Spiele_Get_Spiel(h[1], true)->erstes_ereignis, start + 160);
    EXPECT_EQ(Spiele_Get_Spiel(h[2], true)->erstes_ereignis, start + 320);
    struct Ereignis {
        int spiel;
        u32 flags;
        i32 minute, spieler;
    } ereignisse[] = {
        {0, SFE_TOR | SFE_TEAM_A, 12, 101}, {0, SFE_TOR, 40, 202}, {0, SFE_TOR | SFE_TEAM_A, 88, 103},
        {1, SFE_TOR, 5, 301},               {1, SFE_TOR, 70, 302},
    };
    for (const auto& e : ereignisse) Spiele_Ereignis_Eintragen(h[e.spiel], e.flags, e.minute, e.spieler, -1);
    for (int k = 0; k < 2; ++k) {
        Spiel* s = Spiele_Get_Spiel(h[k], true);
        Spiele_Set_Ergebnis(h[k], static_cast<u8>(s->tore_a), static_cast<u8>(s->tore_b), 0);
    }
    // The score of a time span: game 0 stood 1:1 at half time, 2:1 at the end.
    struct Spanne {
        int spiel;
        i32 von, bis, a, b;
    } spannen[] = {{0, 0, 45, 1, 1}, {0, 46, -1, 1, 0}, {0, -1, -1, 2, 1}, {1, 0, 45, 0, 1}, {2, -1, -1, -1, 0}};
    for (const auto& f : spannen) {
        Spiel kopie{};
        ASSERT_TRUE(Spiele_Get_Spiel_Zeitraum(h[f.spiel], f.von, f.bis, &kopie));
        EXPECT_EQ(kopie.tore_a, f.a) << f.spiel << " " << f.von;
        EXPECT_EQ(kopie.tore_b, f.b) << f.spiel << " " << f.von;
        EXPECT_EQ(kopie.index, f.spiel);
    }
    EXPECT_FALSE(Spiele_Get_Spiel_Zeitraum(0, -1, -1, nullptr));

    // Packing: the running game keeps its block; game 1 moves down behind
    // game 0's three events; the last block gives its rest back.
    EXPECT_FALSE(Spiele_Ereignis_Speicher_Packen(h[2]));
    ASSERT_TRUE(Spiele_Ereignis_Speicher_Packen(h[1]));
    EXPECT_EQ(Spiele_Get_Spiel(h[1], true)->erstes_ereignis, start + 3);
    EXPECT_EQ(Spiele_Get_Spiel(h[2], true)->erstes_ereignis, start + 320);
    Spiele_Ereignis_Eintragen(h[2], SFE_TOR, 33, 401, -1);
    Spiele_Set_Ergebnis(h[2], 0, 1, 0);
    ASSERT_TRUE(Spiele_Ereignis_Speicher_Packen(h[2]));
    EXPECT_EQ(Spiele_Get_Spiel(h[2], true)->erstes_ereignis, start + 5);
    EXPECT_EQ(Spiele_Ereignis_Anzahl(), start + 6);
    // Every game still walks its own events, in order.
    for (int k = 0; k < 3; ++k) {
        std::vector<i32> gesehen;
        Spiele_Ereignis_Daten d{};
        for (bool ok = Spiele_Erstes_Ereignis(h[k], &d); ok; ok = Spiele_Naechstes_Ereignis(&d))
            gesehen.push_back(d.spieler * 1000 + d.minute);
        std::vector<i32> soll;
        for (const auto& e : ereignisse)
            if (e.spiel == k) soll.push_back(e.spieler * 1000 + e.minute);
        if (k == 2) soll = {401033};
        EXPECT_EQ(gesehen, soll) << k;
    }
    // Two walks side by side keep their own places.
    Spiele_Ereignis_Iterator x, y;
    Spiele_Ereignis_Daten dx{}, dy{};
    ASSERT_TRUE(x.Erstes(h[0], &dx));
    ASSERT_TRUE(y.Erstes(h[1], &dy));
    ASSERT_TRUE(x.Naechstes(&dx));
    EXPECT_EQ(dx.spieler, 202);
    EXPECT_EQ(dy.spieler, 301);
    for (i32 k : h) Spiele_Unlock(k);
    EXPECT_FALSE(x.Naechstes(&dx));  // the lock is gone
}

TEST_F(Abfragen, ZaehlerInFalscherOrdnungWerdenEntfernt) {
    const i32 rn = Id("RN");
    const std::vector<i32> t = Teams("RN");
    for (int k = 0; k < 4; ++k) Spiele_Set_Wettbewerb_Ereignis(rn, Team_Kader(t[0])[k], 1, k + 1);
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW);
    ASSERT_EQ(s->Anzahl(), 4u);
    EXPECT_EQ(Spiele_Check_Wettbewerb_Ereignis(), 0);
    // The third entry's key falls below the second's (a damaged store).
    put_u32le(s->Eintrag(2), get_u32le(s->Eintrag(1)) - 1);
    EXPECT_EQ(Spiele_Check_Wettbewerb_Ereignis(), 1);
    ASSERT_EQ(s->Anzahl(), 3u);
    for (u32 i = 1; i < s->Anzahl(); ++i) EXPECT_GT(get_u32le(s->Eintrag(i)), get_u32le(s->Eintrag(i - 1)));
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(rn, 1, Team_Kader(t[0])[3]), 4);
}

}  // namespace
