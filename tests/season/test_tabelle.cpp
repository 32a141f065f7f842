// The table builder on a mini-league with scripted results: points, goals,
// form, grids and order under both point rules, home and away, the table
// without the last matchday, the live table and keys of extreme counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/ruf.h"
#include "season/archiv.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"

namespace {

constexpr i32 LIGA = 50;

class Tabellen : public ::testing::Test {
  protected:
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
        const std::string text = "NEUER_WETTBEWERB\nIDENTIFIKATION L\nNAME \"Liga\"\nTEAMS 4\nSPIELTAGE 3\n";
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
        ASSERT_EQ(Wettbewerb_Spielplaene_Erstellen(), 1);
        Wettbewerb* w = Wettbewerb_Get_Zeiger(LIGA);
        w->flags[1] = 1;
        for (int i = 0; i < 4; ++i) w->aktuelle_team[i] = static_cast<i16>(10 + i);
        // md 0: 10-11 1:0, 12-13 1:1; md 1: 11-12 2:0, 13-10 5:0; md 2: 10-12 1:0, 11-13 2:2
        const int ergebnisse[6][6] = {{0, 0, 10, 11, 1, 0}, {0, 1, 12, 13, 1, 1}, {1, 0, 11, 12, 2, 0},
                                      {1, 1, 13, 10, 5, 0}, {2, 0, 10, 12, 1, 0}, {2, 1, 11, 13, 2, 2}};
        for (const auto& e : ergebnisse) {
            Spiele_Lock_Halter h(Spiele_Lock(LIGA, static_cast<u32>(e[0]), 0, static_cast<u32>(e[1])));
            ASSERT_TRUE(h);
            Spiele_Set_Teams(h.Handle(), e[2], e[3]);
            Spiele_Set_Ergebnis(h.Handle(), static_cast<u8>(e[4]), static_cast<u8>(e[5]), 0);
        }
    }
    void TearDown() override {
        Spiele_Free();
        Wettbewerb_Free();
    }
    static Tabelle Bauen(u8 drei_punkte, u32 optionen = TABELLE_OPTIONEN_VOLL, i32 letzter = -1, i32 live = -1) {
        Tabelle t;
        Wettbewerb_Get_Tabellen_Teams(LIGA, &t);
        Tabelle_Argumente a;
        a.wettbewerb = LIGA;
        a.drei_punkte = drei_punkte;
        a.optionen = optionen;
        a.letzter_spieltag = letzter;
        a.live_minute = live;
        Spiele_Get_Tabelle(a, &t);
        return t;
    }
    static std::vector<u32> Reihenfolge(const Tabelle& t, const u32* o) {
        std::vector<u32> v;
        for (u32 r = 0; r < t.zeilen; ++r) v.push_back(t.team[o[r]]);
        return v;
    }
};

TEST_F(Tabellen, PunkteToreFormUndOrdnungBeiderRegeln) {
    // Rows are the teams 10..13 in order. Per row: games, points (3 and 2 per
    // win), goals for, against, form.
    const u32 soll[4][6] = {{3, 6, 4, 2, 5, 6}, {3, 4, 3, 4, 3, 4}, {3, 1, 1, 1, 4, 1}, {3, 5, 4, 8, 3, 5}};
    const Tabelle drei = Bauen(1), zwei = Bauen(0);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(drei.spiele[0][r], soll[r][0]) << r;
        EXPECT_EQ(drei.punkte[0][r], soll[r][1]) << r;
        EXPECT_EQ(zwei.punkte[0][r], soll[r][2]) << r;
        EXPECT_EQ(drei.tore[0][r], soll[r][3]) << r;
        EXPECT_EQ(drei.gegentore[0][r], soll[r][4]) << r;
        EXPECT_EQ(drei.form[r], soll[r][5]) << r;
    }
    // Three points: 10 ahead on wins; two points: 13 level with 10 and
    // ahead on goal difference.
    EXPECT_EQ(Reihenfolge(drei, drei.reihenfolge), (std::vector<u32>{10, 13, 11, 12}));
    EXPECT_EQ(Reihenfolge(zwei, zwei.reihenfolge), (std::vector<u32>{13, 10, 11, 12}));
    // Without the last matchday: 13, 11 (goal difference +1), 10 (-4), 12.
    EXPECT_EQ(Reihenfolge(drei, drei.vorherige), (std::vector<u32>{13, 11, 10, 12}));
    // Grids: team 10 (row 0) lost away on matchday 1, won at home on 2.
    EXPECT_EQ(drei.ergebnis[1 * TABELLE_RASTER_ZEILEN + 0], 2);
    EXPECT_EQ(drei.heim[1 * TABELLE_RASTER_ZEILEN + 0], 0);
    EXPECT_EQ(drei.ergebnis[2 * TABELLE_RASTER_ZEILEN + 0], 0);
    EXPECT_EQ(drei.heim[2 * TABELLE_RASTER_ZEILEN + 0], 1);
    EXPECT_EQ(Spiele_Tabelle_Zaehle_Ergebnisse(drei, 3, 1, -1, -1, 2), 2);  // 13's two away draws
    // The key of a team's row comes back.
    Tabelle t;
    Wettbewerb_Get_Tabellen_Teams(LIGA, &t);
    Tabelle_Argumente a;
    a.wettbewerb = LIGA;
    a.team = 13;
    EXPECT_EQ(Spiele_Get_Tabelle(a, &t), t.schluessel[3]);
    a.team = 99;
    EXPECT_EQ(Spiele_Get_Tabelle(a, &t), 0xFFFFFFFFu);
}

// The standings alone (a match's meaning at kick-off) are the whole
// table's rows, counters, keys and order, under both rules, with the cache
// off and with a whole table cached.
TEST_F(Tabellen, StandGleichtDerGanzenTabelle) {
    for (bool cache : {false, true})
        for (u8 drei : {u8{0}, u8{1}, u8{255}}) {
            Spiele_Tabellen_Cache_Leeren();
            const Tabelle ganz = Bauen(drei);
            if (!cache) Spiele_Tabellen_Cache_Leeren();
            Tabelle t;
            Wettbewerb_Get_Tabellen_Teams(LIGA, &t);
            Tabelle_Argumente a;
            a.wettbewerb = LIGA;
            a.drei_punkte = drei;
            a.team = 12;
            EXPECT_EQ(Spiele_Get_Tabelle_Stand(a, &t), ganz.schluessel[2]);
            SCOPED_TRACE(std::to_string(cache) + " " + std::to_string(drei));
            ASSERT_EQ(t.zeilen, ganz.zeilen);
            for (u32 r = 0; r < t.zeilen; ++r) {
                EXPECT_EQ(t.team[r], ganz.team[r]) << r;
                EXPECT_EQ(t.reihenfolge[r], ganz.reihenfolge[r]) << r;
                EXPECT_EQ(Tabelle_Schluessel(t, r), Tabelle_Schluessel(ganz, r)) << r;
                for (int v = 0; v < 3; ++v) {
                    EXPECT_EQ(t.spiele[v][r], ganz.spiele[v][r]) << r;
                    EXPECT_EQ(t.punkte[v][r], ganz.punkte[v][r]) << r;
                    EXPECT_EQ(t.tore[v][r], ganz.tore[v][r]) << r;
                    EXPECT_EQ(t.gegentore[v][r], ganz.gegentore[v][r]) << r;
                }
            }
        }
}

TEST_F(Tabellen, HeimUndAuswaerts) {
    const Tabelle heim = Bauen(1, 1 | 2 | 4 | 8), aus = Bauen(1, 1 | 2 | 4 | 16);
    EXPECT_EQ(Reihenfolge(heim, heim.reihenfolge), (std::vector<u32>{10, 11, 13, 12}));
    EXPECT_EQ(heim.punkte[1][0], 6u);
    EXPECT_EQ(heim.spiele[1][1], 2u);
    EXPECT_EQ(Reihenfolge(aus, aus.reihenfolge), (std::vector<u32>{13, 11, 12, 10}));
    EXPECT_EQ(aus.punkte[2][3], 2u);
    EXPECT_EQ(aus.gegentore[2][0], 5u);
}

// While matchday 2 runs, the live table counts the goals up to the minute.
TEST_F(Tabellen, LiveTabelleZaehltNurDieToreBisher) {
    Spiele_Lock_Halter h(Spiele_Lock(LIGA, 2, 0, 0));  // 10-12
    Spiel* s = Spiele_Get_Spiel(h.Handle(), true);
    s->tore_a = s->tore_b = -1;
    s->minute = 60;
    s->erstes_ereignis = 1;
    s->ereignis_anzahl = 2;
    const u32 tor_b = 4, tor_a = 4 | 1;
    u8* e = Spiele_Ereignis(1);
    put_u32le(e + 4, tor_b);
    e[8] = 30;
    e = Spiele_Ereignis(2);
    put_u32le(e + 4, tor_a);
    e[8] = 70;  // still to come
    const Tabelle t = Bauen(1, TABELLE_OPTIONEN_VOLL, 2, 60);
    EXPECT_EQ(t.punkte[0][0], 3u);  // 10: the win of matchday 0 only
    EXPECT_EQ(t.gegentore[0][0], 6u);
    EXPECT_EQ(t.punkte[0][2], 4u);  // 12: the draw and the live lead
    // Without the live minute the unplayed game is not counted.
    EXPECT_EQ(Bauen(1, TABELLE_OPTIONEN_VOLL, 2).punkte[0][2], 1u);
}

// Keys of extreme counts keep their order (a 32-bit key overflowed at 128
// points).
TEST_F(Tabellen, ExtremePunkteSortierenRichtig) {
    struct Seite {
        u64 punkte, spiele, tore, gegentore;
    };
    const struct {
        Seite vorn, hinten;
        bool drei;
    } faelle[] = {
        {{200, 70, 10, 0}, {130, 70, 500, 0}, true},
        {{(1u << 19) + 1, 1u << 18, 0, 0}, {1u << 19, 1u << 18, 99999, 0}, true},
        {{100, 60, 0, 0}, {100, 70, 0, 0}, false},      // fewer points lost
        {{10, 5, 20, 30000}, {10, 5, 0, 40000}, true},  // goal difference far below zero
        {{10, 5, 30000, 1}, {10, 5, 29999, 0}, true},   // same difference, more goals
    };
    for (const auto& f : faelle) {
        const u64 a = Tabelle_Schluessel_Berechnen(TABELLE_OPTIONEN_VOLL, f.drei, f.vorn.punkte, f.vorn.spiele,
                                                   f.vorn.tore, f.vorn.gegentore);
        const u64 b = Tabelle_Schluessel_Berechnen(TABELLE_OPTIONEN_VOLL, f.drei, f.hinten.punkte, f.hinten.spiele,
                                                   f.hinten.tore, f.hinten.gegentore);
        EXPECT_GT(a, b) << f.vorn.punkte;
    }
    Tabelle t{};
    Tabelle_Schluessel_Setzen(t, 5, 0x123456789ABCull);
    EXPECT_EQ(Tabelle_Schluessel(t, 5), 0x123456789ABCull);
}

// A season's table in the archive expands back to the same order, teams,
// counters and grids; a second table of the season keeps its own key.
TEST_F(Tabellen, ArchivGibtDieTabelleGleichZurueck) {
    Statistik_Archiv_Leeren();
    const Tabelle t = Bauen(1);
    ASSERT_TRUE(Statistik_Archiv_Speichern(t, 7));
    const Tabelle zweite = Bauen(0);
    ASSERT_TRUE(Statistik_Archiv_Speichern(zweite, 7));
    Tabelle z;
    Wettbewerb_Get_Tabellen_Teams(LIGA, &z);
    ASSERT_TRUE(Statistik_Archiv_Holen(z, LIGA, 7));
    EXPECT_EQ(z.zeilen, t.zeilen);
    auto gleich = [](const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    EXPECT_TRUE(gleich(z.reihenfolge, t.reihenfolge) && gleich(z.vorherige, t.vorherige) && gleich(z.team, t.team));
    EXPECT_TRUE(gleich(z.spiele, t.spiele) && gleich(z.punkte, t.punkte) && gleich(z.tore, t.tore) &&
                gleich(z.gegentore, t.gegentore));
    EXPECT_TRUE(gleich(z.ergebnis, t.ergebnis) && gleich(z.heim, t.heim));
    ASSERT_TRUE(Statistik_Archiv_Holen(z, LIGA, 7, 1));
    EXPECT_TRUE(gleich(z.reihenfolge, zweite.reihenfolge));
    EXPECT_FALSE(Statistik_Archiv_Holen(z, LIGA, 8));
    i32 jahre[4];
    EXPECT_EQ(Statistik_Archiv_Jahre(LIGA, jahre, 4), 1);
    // Twenty-one seasons later the old tables go.
    ASSERT_TRUE(Statistik_Archiv_Speichern(t, 28));
    EXPECT_FALSE(Statistik_Archiv_Holen(z, LIGA, 7));
    // Through a save block and back.
    const std::vector<u8> bild = season_test::Block_Bytes(Archiv_Save);
    Statistik_Archiv_Leeren();
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(bild.data(), static_cast<u32>(bild.size()));
    ASSERT_TRUE(Archiv_Lesen(d));
    Datei_Schliessen(d);
    Archiv_Uebernehmen();
    EXPECT_TRUE(Statistik_Archiv_Holen(z, LIGA, 28));
    // 18 rows over 34 matchdays: 2 + 18 x 15 words, 612 venue bits, 612 results.
    Tabelle gross{};
    gross.zeilen = 18;
    EXPECT_EQ(Archiv_Kompakt(gross, 34).size(), 2u + 270u + 39u + 77u);
}

// A team's fixture list from the calendar: its three games with opponent
// and score; unplayed ones only when asked.
TEST_F(Tabellen, SpieleEinesTeamsAusDemKalender) {
    Kalender_Init(nullptr);
    Wettbewerb_Get_Zeiger(LIGA)->kalendermarke = 0;
    for (i32 tag : {10, 17, 24}) ASSERT_TRUE(Kalender_Termin_Setzen(tag, 0, -1));
    Statistik_Termin t[8];
    ASSERT_EQ(Statistik_Naechstes_Spiel(13, -1, -1, t, 8, 0, false), 3);
    const i32 soll[3][4] = {{10, 12, 1, 1}, {17, 10, 5, 0}, {24, 11, 2, 2}};  // day, opponent, goals for, against
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t[i].tag, soll[i][0]);
        EXPECT_EQ(t[i].gegner, soll[i][1]);
        EXPECT_EQ(t[i].tore, soll[i][2]);
        EXPECT_EQ(t[i].gegentore, soll[i][3]);
        EXPECT_EQ(t[i].spieltag, i);
    }
    EXPECT_EQ(Statistik_Naechstes_Spiel(13, -1, -1, t, 8, 0, true), 0);
    EXPECT_EQ(Statistik_Naechstes_Spiel(-1, -1, LIGA, t, 8, 0, false), 6);
    EXPECT_EQ(Statistik_Naechstes_Spiel(13, 18, -1, t, 8, 0, false), 1);
    Kalender_Free();
}

// A team's match statistics from hand-built events (team 11: lost 0:1 at
// 10; won 2:1 against 12 after being behind; 2:2 against 13 after extra
// time from 0:2 down): results, goals by minute and count, who scored
// first, comebacks, positions and minutes since the last goal; venues.
TEST_F(Tabellen, TeamStatistikAusEreignissen) {
    struct Spiel_Def {
        u32 md, idx;
        int minute;
        u8 flags;
        std::vector<std::pair<int, bool>> tore;  // minute, for team A
    };
    const Spiel_Def spiele[] = {{0, 0, 90, 0, {{30, true}}},
                                {1, 0, 90, 0, {{10, false}, {50, true}, {80, true}}},
                                {2, 1, 120, 2, {{20, false}, {30, false}, {100, true}, {110, true}}}};
    for (u32 d = 0; d < 3; ++d)
        for (u32 k = 0; k < 2; ++k) {
            Spiele_Lock_Halter h(Spiele_Lock(LIGA, d, 0, k));
            Spiele_Set_Minute(h.Handle(), 90);
        }
    for (const Spiel_Def& d : spiele) {
        Spiele_Lock_Halter h(Spiele_Lock(LIGA, d.md, 0, d.idx));
        ASSERT_TRUE(Spiele_Ereignisse_Reservieren(h.Handle()));
        Spiele_Set_Ergebnis(h.Handle(), 0, 0, d.flags);
        Spiele_Set_Minute(h.Handle(), d.minute);
        for (auto [m, a] : d.tore) Spiele_Ereignis_Eintragen(h.Handle(), SFE_TOR | (a ? SFE_TEAM_A : 0), m, 1, -1);
    }
    struct Fall {
        i32 team, ort;
        std::vector<std::pair<int, u32>> soll;  // word, value
    };
    const u32 KEINE = 0xFFFFFFFFu;
    const Fall faelle[] = {
        {11, 0, {{804, 3}, {805, 1}, {806, 1}, {807, 1},     {800, 4},     {802, 4},  {50, 1},  {80, 1},
                 {100, 1}, {110, 1}, {410, 1}, {420, 1},     {430, 2},     {808, 1},  {810, 1}, {819, 2},
                 {809, 0}, {832, 0}, {834, 3}, {836, 1},     {838, 0},     {828, 1},  {829, 2}, {830, 2},
                 {831, 0}, {835, 5}, {837, 2}, {833, KEINE}, {839, KEINE}, {840, 10}, {841, 90}}},
        // Only its away game; 12 never scored: all its minutes since a goal.
        {11, 2, {{804, 1}, {807, 1}, {800, 0}, {840, 90}}},
        {12, 0, {{804, 3}, {800, 1}, {832, 1}, {838, 1}}},
        {13, 1, {{804, 1}, {805, 1}, {836, 0}, {818, 1}}},
    };
    for (const Fall& f : faelle) {
        Statistik_Argumente a;
        a.team = f.team;
        a.wettbewerb = LIGA;
        a.ort = f.ort;
        u32 w[STATISTIK_WORTE];
        ASSERT_TRUE(Spiele_Get_Team_Statistik(a, w));
        for (const auto& [wort, wert] : f.soll) EXPECT_EQ(w[wort], wert) << "team " << f.team << " word " << wort;
        EXPECT_EQ(w[805] + w[806] + w[807], w[804]);
    }
}

}  // namespace
