// Knock-out decisions, the table preparation, the forecast, the series and
// head-to-head queries and the server rows 1010, 1033..1036.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/compress.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "matchday/season_netz.h"
#include "season/ankuendigung.h"
#include "season/netz_rufe.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/aufstellung.h"
#include "world/konfig.h"
#include "world/welt.h"

namespace {

constexpr i32 LIGA = 50, POKAL = 51, SERIE = 52;

class Abfragen : public ::testing::Test {
  protected:
    void SetUp() override {
        season_test::Spielplaene_Anlegen(
            "NEUER_WETTBEWERB\nIDENTIFIKATION LIGA\nNAME \"Liga\"\nTEAMS 7\nSPIELTAGE 14\nMODUS HEIMRECHT\n"
            "NEUER_WETTBEWERB\nIDENTIFIKATION POKAL\nNAME \"Pokal\"\nTEAMS 16\nMODUS KO_SYSTEM\nMODUS RUECKSPIELE\n"
            "NEUER_WETTBEWERB\nIDENTIFIKATION SERIE\nNAME \"Serie\"\nTEAMS 2\nMODUS KO_SYSTEM\nBEST_OF_X 3\n",
            3);
        if (HasFatalFailure()) return;
        ASSERT_TRUE(Welt_Anlegen(20, 0));
    }
    void TearDown() override {
        season_test::Spielplaene_Freigeben();
        Welt_Freigeben();
        Season_Hooks_Zuruecksetzen();
    }
    // Sets one game: teams, and the score when `a` is not negative.
    static void spiel(i32 id, u32 md, u32 leg, u32 k, i32 team_a, i32 team_b, i32 a = -1, i32 b = -1) {
        Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(id), md, leg, k));
        ASSERT_TRUE(h) << id << " " << md << " " << leg << " " << k;
        Spiele_Set_Teams(h.Handle(), team_a, team_b);
        if (a >= 0) Spiele_Set_Ergebnis(h.Handle(), static_cast<u8>(a), static_cast<u8>(b), 0);
    }
};

TEST_F(Abfragen, KnockoutEntscheidungUeberZweiSpiele) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(POKAL);
    ASSERT_EQ(w->best_of_x, 2);
    struct Fall {
        i32 hin_a, hin_b, rueck_a, rueck_b;  // first leg X:Y at X, return leg Y:X at Y
        bool auswaertstore;
        i32 erwartet;  // 3 = X, 4 = Y, -1 level, -2 open
    };
    const Fall faelle[] = {
        {-1, -1, -1, -1, false, -2},  // nothing played
        {2, 0, -1, -1, false, -2},    // first leg only: still open
        {2, 0, 1, 0, false, 3},       // aggregate 2:1
        {0, 1, 3, 0, false, 4},       // Y wins both legs
        {1, 0, 2, 1, false, -1},      // 2:2, away goals do not count here
        {1, 0, 2, 1, true, 3},        // 2:2, X scored away
        {0, 0, 0, 0, true, -1},       // nothing separates them
    };
    for (const Fall& f : faelle) {
        w->modus = WB_KO_SYSTEM | WB_RUECKSPIELE | (f.auswaertstore ? WB_AUSWTORE_DOPPELT : 0);
        Spiele_Ergebnisse_Loeschen(POKAL);
        spiel(POKAL, 0, 0, 5, 3, 4, f.hin_a, f.hin_b);
        spiel(POKAL, 0, 1, 5, 4, 3, f.rueck_a, f.rueck_b);
        i32 sieger = 0, verlierer = 0;
        EXPECT_EQ(Wettbewerb_KO_Sieger(w, 0, 5, &sieger, &verlierer, -1, 0, 0), f.erwartet)
            << f.hin_a << ":" << f.hin_b << " " << f.rueck_a << ":" << f.rueck_b;
        EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(POKAL, 0, 5, -1, 0, 0), f.erwartet);
        if (f.erwartet >= 0) {
            EXPECT_EQ(sieger, f.erwartet);
            EXPECT_EQ(verlierer, f.erwartet == 3 ? 4 : 3);
        } else {
            EXPECT_EQ(sieger, -1);
        }
    }
    // Extra goals for the home side of the return leg turn a level tie.
    w->modus = WB_KO_SYSTEM | WB_RUECKSPIELE;
    spiel(POKAL, 0, 0, 5, 3, 4, 1, 0);
    spiel(POKAL, 0, 1, 5, 4, 3, 1, 0);
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(POKAL, 0, 5, 1, 0, 0), -1);
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(POKAL, 0, 5, 1, 1, 0), 4);
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(POKAL, 0, 5, 0, 0, 1), 4);
    // A league without extra time has no decision; with it a level game is -1.
    w->modus = 0;
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(POKAL, 0, 5, -1, 0, 0), -2);
    w->modus = WB_VERLAENGERUNG;
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(POKAL, 0, 5, -1, 0, 0), -1);
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(999, 0, 5, -1, 0, 0), -1);
    EXPECT_EQ(Wettbewerb_KO_Sieger(nullptr, 0, 0, nullptr, nullptr, -1, 0, 0), -1);
    // A tie not drawn yet is open.
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(POKAL, 2, 0, -1, 0, 0), -2);
}

TEST_F(Abfragen, KnockoutSerieEntscheidenGewonneneSpiele) {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(SERIE);
    ASSERT_EQ(Spiele_Get_Kopf(w->spielplan)->runden, 3u);
    // Y wins two games 1:0 and 1:0 (at home and away) and loses one 0:5:
    // more goals do not outweigh more games won.
    spiel(SERIE, 0, 0, 0, 7, 8, 5, 0);
    spiel(SERIE, 0, 1, 0, 8, 7, 1, 0);
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(SERIE, 0, 0, -1, 0, 0), -2);
    spiel(SERIE, 0, 2, 0, 7, 8, 0, 1);
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(SERIE, 0, 0, -1, 0, 0), 8);
    // Two games won decide before the third is played.
    spiel(SERIE, 0, 0, 0, 7, 8, 0, 1);
    spiel(SERIE, 0, 2, 0, 7, 8, -1, -1);
    Spiele_Lock_Halter h(Spiele_Lock(SERIE, 0, 2, 0));
    Spiele_Get_Spiel(h.Handle(), true)->tore_a = -1;
    EXPECT_EQ(Wettbewerb_Get_Runden_Sieger(SERIE, 0, 0, -1, 0, 0), 8);
}

TEST_F(Abfragen, TabelleVorbereitenUndBasis) {
    Tabelle t;
    std::memset(&t, 0x5A, sizeof t);
    EXPECT_FALSE(Wettbewerb_Get_Tabellen_Teams(999, &t));
    EXPECT_FALSE(Wettbewerb_Get_Tabellen_Teams(LIGA, nullptr));
    // Not started: no rows.
    ASSERT_TRUE(Wettbewerb_Get_Tabellen_Teams(LIGA, &t));
    EXPECT_EQ(t.zeilen, 0u);
    EXPECT_EQ(t.ergebnis[5887], 0xFFFF);
    EXPECT_EQ(t.heim[0], 0xFF);
    EXPECT_EQ(t.punkte[2][127], 0u);
    EXPECT_EQ(t.reserviert[511], 0u);
    Wettbewerb* w = Wettbewerb_Get_Zeiger(LIGA);
    w->flags[1] = 1;
    for (int i = 0; i < 7; ++i) w->aktuelle_team[i] = static_cast<i16>(10 + i);
    ASSERT_TRUE(Wettbewerb_Get_Tabellen_Teams(LIGA, &t));
    EXPECT_EQ(t.zeilen, 7u);
    EXPECT_EQ(t.team[6], 16u);
    EXPECT_EQ(Tabelle_Rang_Von_Team(t, 13), 3);
    EXPECT_EQ(Tabelle_Rang_Von_Team(t, 99), -1);
    // Base competition: a record with matchdays is its own base.
    EXPECT_EQ(Wettbewerb_Get_Basis_Id(POKAL), POKAL);
    EXPECT_EQ(Wettbewerb_Get_Basis_Id(999), -1);
}

TEST_F(Abfragen, TabellenbildHatSeineOffsets) {
    Tabelle t;
    std::memset(&t, 0, sizeof t);
    t.zeilen = 0x01020304;
    t.ergebnis[1] = 0xBEEF;
    t.heim[2] = 7;
    t.wettbewerb = 51;
    std::vector<u8> bild(TABELLE_GROESSE);
    Tabelle_Bild_Schreiben(t, bild.data());
    EXPECT_EQ(get_u32le(&bild[1024]), 0x01020304u);
    EXPECT_EQ(get_u16le(&bild[8196 + 2]), 0xBEEF);
    EXPECT_EQ(bild[19972 + 2], 7);
    EXPECT_EQ(get_u32le(&bild[26504]), 51u);
    Tabelle zurueck;
    Tabelle_Bild_Lesen(zurueck, bild.data());
    EXPECT_EQ(std::memcmp(&zurueck, &t, sizeof t), 0);
}

// The league started with teams 1..7 (the competition's current teams).
void liga_starten() {
    Wettbewerb* w = Wettbewerb_Get_Zeiger(LIGA);
    w->flags[1] = 1;
    for (int i = 0; i < 7; ++i) w->aktuelle_team[i] = static_cast<i16>(i + 1);
}

TEST_F(Abfragen, GepackteTabelleFuerDenClient) {
    std::vector<u8> aus;
    Tabelle_Argumente a;
    a.wettbewerb = 999;
    EXPECT_EQ(Spiele_Internet_Server_Send_Tabelle_Gepackt(a, aus), 0u);
    EXPECT_TRUE(aus.empty());
    // Before the start: the prepared record without rows.
    a.wettbewerb = LIGA;
    u32 n = Spiele_Internet_Server_Send_Tabelle_Gepackt(a, aus);
    ASSERT_GT(n, 0u);
    std::vector<u8> bild(TABELLE_GROESSE);
    ASSERT_EQ(Tools_RLE_Entpacken_Sicher(aus.data(), n, bild.data(), TABELLE_GROESSE), TABELLE_GROESSE);
    EXPECT_EQ(get_u32le(&bild[1024]), 0u);
    EXPECT_EQ(get_u16le(&bild[8196]), 0xFFFF);
    // Started, one game played: team 3 leads.
    liga_starten();
    spiel(LIGA, 0, 0, 0, 3, 4, 2, 0);
    n = Spiele_Internet_Server_Send_Tabelle_Gepackt(a, aus);
    ASSERT_EQ(Tools_RLE_Entpacken_Sicher(aus.data(), n, bild.data(), TABELLE_GROESSE), TABELLE_GROESSE);
    Tabelle t;
    Tabelle_Bild_Lesen(t, bild.data());
    EXPECT_EQ(t.zeilen, 7u);
    EXPECT_EQ(t.team[t.reihenfolge[0]], 3u);
    EXPECT_EQ(t.punkte[0][2], 2u);  // the two-point rule of the league
    EXPECT_EQ(t.wettbewerb, static_cast<u32>(LIGA));
}

TEST_F(Abfragen, PlatzVerlaufNachJedemSpieltag) {
    liga_starten();
    // Team 1 loses on matchday 0 and wins on 1 and 2.
    spiel(LIGA, 0, 0, 0, 1, 2, 0, 1);
    spiel(LIGA, 1, 0, 0, 1, 3, 3, 0);
    spiel(LIGA, 2, 0, 0, 4, 1, 0, 2);
    u8 aus[SPIELE_VERLAUF_BYTES];
    Tabelle_Argumente a;
    a.wettbewerb = LIGA;
    ASSERT_EQ(Spiele_Internet_Server_Send_Tabelle(a, -1, -1, 1, aus), 14);
    EXPECT_EQ(get_u32le(aus), 6u);      // last of seven on goal difference
    EXPECT_EQ(get_u32le(aus + 4), 1u);  // level with team 2 on points, but two lost
    EXPECT_EQ(get_u32le(aus + 8), 0u);
    EXPECT_EQ(aus[4 * 14], 0xFF);
    EXPECT_EQ(aus[SPIELE_VERLAUF_BYTES - 1], 0xFF);
    // A long range stops at 46; a team without a row is -1; a range inside.
    EXPECT_EQ(Spiele_Internet_Server_Send_Tabelle(a, 0, 100, 1, aus), SPIELE_VERLAUF_MAX);
    EXPECT_EQ(Spiele_Internet_Server_Send_Tabelle(a, 2, 4, 55, aus), 2);
    EXPECT_EQ(static_cast<i32>(get_u32le(aus)), -1);
    a.wettbewerb = 999;
    EXPECT_EQ(Spiele_Internet_Server_Send_Tabelle(a, -1, -1, 1, aus), 0);
    EXPECT_EQ(Spiele_Internet_Server_Send_Tabelle(a, -1, -1, 1, nullptr), 0);

    // Call 1036's row: the same ranks for good arguments, none when any one
    // is out of its range (argument k set to the value).
    Season_Netz_Anmelden();
    const auto rufen = [](std::array<i64, 13> v) {
        return ruf::Rufen(RUF_SPIELE_VERLAUF, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11],
                          v[12]);
    };
    const std::array<i64, 13> gut = {LIGA, 0, -1, -1, 255, TABELLE_OPTIONEN_VOLL, -1, 0, -1, -1, 0, 0, 1};
    EXPECT_EQ(get_u32le(std::get<1>(rufen(gut).value()).data() + 4), 1u);
    const std::pair<int, i64> falsch[] = {{0, 999}, {2, -2},  {3, 15}, {4, 2},  {5, 64},  {6, 20},
                                          {8, -2},  {9, 256}, {10, 2}, {11, 2}, {12, 20}, {12, -1}};
    std::array<u8, SPIELE_VERLAUF_BYTES> keine;
    keine.fill(0xFF);
    for (const auto& [k, wert] : falsch) {
        std::array<i64, 13> v = gut;
        v[static_cast<size_t>(k)] = wert;
        EXPECT_EQ(rufen(v), std::make_optional(std::make_tuple(i32{0}, keine))) << k;
    }
}

TEST_F(Abfragen, SerienEinesTeams) {
    // Team 4 in the cup: stored order no goal, no conceded, defeats, wins,
    // draws, no win, unbeaten, each [home, away, all].
    const u32 t = 20;
    u8* e = Spiele_Get_Speicher(SPEICHER_SERIEN)->Holen(static_cast<u32>(POKAL) * t + 4 + 1);
    ASSERT_NE(e, nullptr);
    for (int s = 0; s < 7; ++s)
        for (int v = 0; v < 3; ++v) e[4 + 3 * s + v] = static_cast<u8>(10 * s + v);
    u8* alle = Spiele_Get_Speicher(SPEICHER_SERIEN)->Holen(640 * t + 4 + 1);
    alle[4 + 3 * 3 + 2] = 9;  // wins over all competitions
    u32 aus[7];
    ASSERT_TRUE(Spiele_Get_Serien(POKAL, 4, aus, 2));
    EXPECT_EQ((std::vector<u32>(aus, aus + 7)), (std::vector<u32>{2, 12, 32, 42, 22, 52, 62}));
    ASSERT_EQ(Spiele_Internet_Server_Send_Serien(POKAL, 4, 0, aus), 1);
    EXPECT_EQ(aus[2], 30u);
    ASSERT_TRUE(Spiele_Get_Serien(-1, 4, aus, 2));
    EXPECT_EQ(aus[2], 9u);
    // Missing entries and bad arguments.
    EXPECT_FALSE(Spiele_Get_Serien(LIGA, 4, aus, 0));
    EXPECT_EQ(aus[0], 0u);
    EXPECT_FALSE(Spiele_Get_Serien(POKAL, 4, aus, 3));
    EXPECT_FALSE(Spiele_Get_Serien(POKAL, 20, aus, 0));
    EXPECT_FALSE(Spiele_Get_Serien(999, 4, aus, 0));
    EXPECT_EQ(Spiele_Internet_Server_Send_Serien(POKAL, -1, 0, aus), 0);
}

TEST_F(Abfragen, DirekterVergleichUeberWettbewerbe) {
    const u32 t = 20;
    auto eintrag = [&](i32 basis, i32 heim, i32 gast, u8 s, u8 u, u8 n, std::vector<u8> letzte) {
        u8* e = Spiele_Get_Speicher(SPEICHER_DIREKT)->Holen(static_cast<u32>(basis) * t * t + heim * t + gast + 1);
        e[4] = s;
        e[5] = u;
        e[6] = n;
        std::memset(e + 7, 255, 5);
        std::memcpy(e + 7, letzte.data(), letzte.size());
    };
    eintrag(LIGA, 3, 4, 2, 1, 1, {0x1F, 0x00, 0x21, 0x12});  // 15:1 newest
    eintrag(POKAL, 3, 4, 1, 0, 0, {0x02});
    eintrag(POKAL, 4, 3, 5, 5, 5, {0x11});  // the other direction
    u32 s = 0, u = 0, n = 0;
    u8 erg[12 * 10];
    i32 k = Spiele_Internet_Server_Send_Spiele_Gegen(-1, 3, 4, 10, &s, &u, &n, erg);
    EXPECT_EQ(k, 5);
    EXPECT_EQ(s, 3u);
    EXPECT_EQ(u, 1u);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(get_u32le(erg), 15u);
    EXPECT_EQ(get_u32le(erg + 4), 1u);
    EXPECT_EQ(get_u32le(erg + 8), static_cast<u32>(LIGA));
    EXPECT_EQ(get_u32le(erg + 12 * 4), 2u);
    EXPECT_EQ(get_u32le(erg + 12 * 4 + 8), static_cast<u32>(POKAL));
    EXPECT_EQ(erg[12 * 5], 0xFF);  // unused items stay 0xFF
    // One competition; the maximum cuts the list.
    EXPECT_EQ(Spiele_Get_Spiele_Gegen(LIGA, 3, 4, &s, &u, &n, erg, 2), 2);
    EXPECT_EQ(s, 2u);
    EXPECT_EQ(Spiele_Get_Spiele_Gegen(LIGA, 3, 4, &s, &u, &n, nullptr, 5), 0);
    EXPECT_EQ(s, 2u);
    EXPECT_EQ(Spiele_Get_Spiele_Gegen(LIGA, 3, 21, &s, &u, &n, erg, 5), 0);
    EXPECT_EQ(s, 0u);
    // A world too large for the store's keys answers nothing.
    const i32 teams = Team_Anzahl;
    Team_Anzahl = 100000;
    EXPECT_EQ(Spiele_Get_Spiele_Gegen(-1, 3, 4, &s, &u, &n, erg, 10), 0);
    Team_Anzahl = teams;
}

// The forecast on the shipped world: the strongest and the weakest team.
struct Prognose_Teams {
    i32 stark = -1, schwach = -1;
};
Prognose_Teams prognose_welt() {
    Welt_Freigeben();
    const std::string ordner = season_test::Quelle("data/config");
    Prognose_Teams p;
    if (!Welt_Laden_Ordner(ordner.c_str(), 0)) return p;
    for (i32 t = 0; t < Team_Anzahl; ++t) {
        if (t == Team_Transfermarkt) continue;
        const int s = Team_Get_Staerke_Modus(t, 16);
        if (p.stark < 0 || s > Team_Get_Staerke_Modus(p.stark, 16)) p.stark = t;
        if (p.schwach < 0 || s < Team_Get_Staerke_Modus(p.schwach, 16)) p.schwach = t;
    }
    {
        Season_Gui_Hooks h = Season_Gui;
        h.Text = [](const char* id) -> const char* { return std::strcmp(id, "*161") == 0 ? "(Prognose)" : ""; };
        Season_Gui_Set_Hooks(h);
    }
    return p;
}

TEST_F(Abfragen, PrognoseFuerUngespielteSpiele) {
    const Prognose_Teams p = prognose_welt();
    ASSERT_GE(p.stark, 0);
    spiel(LIGA, 4, 0, 0, p.stark, p.schwach);
    spiel(LIGA, 4, 0, 1, p.schwach, p.stark, 2, 2);
    Spiele_Lock_Halter h(Spiele_Lock(LIGA, 4, 0, 0));
    const u32 cursor = Rnd_Get_Index();
    i32 a = -9, b = -9, a2 = -9, b2 = -9;
    char text[64], text2[64];
    EXPECT_TRUE(Spiele_Get_Ergebnis(h.Handle(), &a, &b, text, 1));
    EXPECT_TRUE(Spiele_Get_Ergebnis(h.Handle(), &a2, &b2, text2, 0));
    EXPECT_EQ(Rnd_Get_Index(), cursor);
    EXPECT_EQ(a, a2);
    EXPECT_EQ(b, b2);
    EXPECT_GE(a, 0);
    EXPECT_GE(b, 0);
    EXPECT_EQ(std::string(text), std::to_string(a) + ":" + std::to_string(b) + " (Prognose)");
    EXPECT_STREQ(text2, "(Prognose)");
    EXPECT_EQ(Spiele_Get_Spiel(h.Handle(), true)->tore_a, -1);  // still unplayed
    EXPECT_EQ(Spiele_Get_Spiel(h.Handle(), true)->flags, 0);
    // A played game answers its own score; an unknown side gives no forecast.
    Spiele_Lock_Halter g(Spiele_Lock(LIGA, 4, 0, 1));
    EXPECT_FALSE(Spiele_Get_Ergebnis(g.Handle(), &a, &b, text, 1));
    EXPECT_EQ(a, 2);
    Spiele_Lock_Halter leer(Spiele_Lock(LIGA, 5, 0, 0));
    EXPECT_FALSE(Spiele_Get_Ergebnis(leer.Handle(), &a, &b, nullptr, 1));
    EXPECT_EQ(a, -1);
    EXPECT_FALSE(Spiele_Get_Ergebnis(0, &a, &b, text, 1));
}

TEST_F(Abfragen, PrognoseBleibtImRahmen) {
    // Without world data a forecast still comes out.
    i32 a = -1, b = -1;
    Welt_Freigeben();
    Spiele_Berechne_Ergebnis(0, 1, &a, &b);
    EXPECT_GE(a, 0);
    EXPECT_GE(b, 0);
    // Many seeds (names): scores stay small and non-negative, and the
    // stronger side is ahead on the whole.
    const Prognose_Teams p = prognose_welt();
    ASSERT_GE(p.stark, 0);
    char* name = Team_Fix_Daten[p.stark].name;
    int vorne = 0, hinten = 0;
    for (int i = 0; i < 300; ++i) {
        std::snprintf(name, sizeof Team_Fix_Daten[p.stark].name, "Team%d", i);
        Spiele_Berechne_Ergebnis(p.stark, p.schwach, &a, &b);
        ASSERT_GE(a, 0);
        ASSERT_GE(b, 0);
        ASSERT_LE(a + b, 12);
        vorne += a > b;
        hinten += a < b;
    }
    EXPECT_GT(vorne, hinten);
}

TEST_F(Abfragen, TeamStatistikFuerDenClient) {
    u8 aus[STATISTIK_GROESSE];
    Statistik_Argumente a;
    a.team = 3;
    // Nothing played yet: nothing counted, positions -1.
    EXPECT_EQ(Spiele_Internet_Server_Send_Statistik(a, aus), 0);
    EXPECT_EQ(get_u32le(aus + 4 * 804), 0u);
    for (int w : {828, 829, 830, 831, 833, 835, 837, 839}) EXPECT_EQ(get_u32le(aus + 4 * w), 0xFFFFFFFFu) << w;
    for (int w : {832, 834, 836, 838, 840, 841}) EXPECT_EQ(get_u32le(aus + 4 * w), 0u) << w;
    {
        Spiele_Lock_Halter h(Spiele_Lock(LIGA, 0, 0, 0));
        Spiele_Set_Teams(h.Handle(), 3, 4);
        Spiele_Set_Ergebnis(h.Handle(), 2, 0, 0);
        Spiele_Set_Minute(h.Handle(), 90);
    }
    Wettbewerb_Get_Zeiger(LIGA)->kalendermarke = 0;
    EXPECT_EQ(Spiele_Internet_Server_Send_Statistik(a, aus), 1);
    EXPECT_EQ(get_u32le(aus + 4 * 804), 1u);
    EXPECT_EQ(get_u32le(aus + 4 * 805), 1u);
    EXPECT_EQ(Spiele_Internet_Server_Send_Statistik(a, nullptr), 0);
}

// Every change of a game through the database drops its plan's cached
// tables: the next table shows the change.
TEST_F(Abfragen, GeaenderteSpieleMachenTabellenUngueltig) {
    liga_starten();
    auto punkte_von_3 = []() {
        Tabelle t;
        Wettbewerb_Get_Tabellen_Teams(LIGA, &t);
        Tabelle_Argumente a;
        a.wettbewerb = LIGA;
        Spiele_Get_Tabelle(a, &t);
        return t.punkte[0][2];
    };
    spiel(LIGA, 1, 0, 0, 3, 4, 1, 0);
    EXPECT_EQ(punkte_von_3(), 2u);
    const struct {
        const char* was;
        void (*aendern)();
        u32 punkte;
    } faelle[] = {
        {"result", [] { spiel(LIGA, 1, 0, 0, 3, 4, 0, 0); }, 1},
        {"teams", [] { spiel(LIGA, 1, 0, 0, 5, 4, -1, -1); }, 0},
        {"swap", [] { Spiele_Team_Tausch(Wettbewerb_Get_Spielplan(LIGA), 5, 3); }, 1},
        {"clear", [] { Spiele_Ergebnisse_Loeschen(LIGA); }, 0},
    };
    for (const auto& f : faelle) {
        f.aendern();
        EXPECT_EQ(punkte_von_3(), f.punkte) << f.was;
    }
    // The client's reset also clears the matchday's no-match flag.
    static int kein_spiel = 0;
    {
        Season_Module_Hooks h = Season_Module;
        h.Spieltag_Kein_Spiel_Loeschen = []() { ++kein_spiel; };
        Season_Module_Set_Hooks(h);
    }
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Spiele_Internet_Client_Reset();
    Internet_Modus = INTERNET_MODUS_EINZEL;
    EXPECT_EQ(kein_spiel, 1);
}

// A client and its server in one process: the fixtures are the server's
// (the client keeps its copies), the league's record on the server is laid
// in only while a call is answered (the client has its own).
Wettbewerb server_liga{};
int aufrufe_1010 = 0;
bool server_leitung(u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort) {
    if (nummer == 1010) ++aufrufe_1010;
    Wettbewerb* w = Wettbewerb_Get_Zeiger(LIGA);
    std::swap(*w, server_liga);
    const bool ok = ruf::Lokale_Leitung(nummer, argumente, antwort);
    std::swap(*w, server_liga);
    return ok;
}

// A score on the server as its match engine keeps it (the record alone).
void server_tore(u32 md, u32 k, i32 a, i32 b) {
    const u32 modus = Internet_Modus;
    Internet_Modus = INTERNET_MODUS_EINZEL;
    {
        Spiele_Lock_Halter h(Spiele_Lock(LIGA, md, 0, k));
        ASSERT_TRUE(h);
        Spiel* s = Spiele_Get_Spiel(h.Handle(), true);
        s->tore_a = static_cast<i8>(a);
        s->tore_b = static_cast<i8>(b);
    }
    Internet_Modus = modus;
}

// The league table as the client's table page reads it: after the current
// matchday, with its points per club (club k in row k - 1).
std::vector<u32> client_seite(i32* datum) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(LIGA);
    *datum = w->aktueller_spieltag;
    Tabelle t;
    Wettbewerb_Get_Tabellen_Teams(LIGA, &t);
    Tabelle_Argumente a;
    a.wettbewerb = LIGA;
    a.erster_spieltag = 0;
    a.letzter_spieltag = w->aktueller_spieltag - 1;
    Spiele_Get_Tabelle(a, &t);
    return std::vector<u32>(t.punkte[0], t.punkte[0] + 7);
}

TEST_F(Abfragen, ClientSiehtDieTabelleDesServersNachDessenSpieltag) {
    liga_starten();
    // Matchday 0 played (1 beat 2); today matchday 1: the client's club 3
    // against 4, and 5 against 6.
    spiel(LIGA, 0, 0, 0, 1, 2, 1, 0);
    spiel(LIGA, 1, 0, 0, 3, 4);
    spiel(LIGA, 1, 0, 1, 5, 6);
    Wettbewerb_Get_Zeiger(LIGA)->aktueller_spieltag = 1;
    server_liga = *Wettbewerb_Get_Zeiger(LIGA);
    Season_Netz_Anmelden();
    ruf::Leitung_Setzen(server_leitung);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    struct Ende {
        ~Ende() {
            Spiele_Unlock(-1);
            ruf::Leitung_Setzen(nullptr);
            Internet_Modus = INTERNET_MODUS_EINZEL;
        }
    } ende;
    Spiele_Internet_Client_Reset();
    Tabelle_Argumente live;
    live.wettbewerb = LIGA;
    live.erster_spieltag = 0;
    live.letzter_spieltag = 1;
    auto live_punkte = [&live](i32 team) {
        Tabelle t;
        Wettbewerb_Get_Tabellen_Teams(LIGA, &t);
        Spiele_Get_Tabelle(live, &t);
        return t.punkte[0][team - 1];
    };
    // During the matches: the results page has read the other game, the
    // live table counts the scores so far (3 leads, 5 and 6 level).
    i32 anderes = Spiele_Lock(LIGA, 1, 0, 1);
    ASSERT_NE(anderes, 0);
    server_tore(1, 0, 1, 0);
    server_tore(1, 1, 1, 1);
    EXPECT_EQ(live_punkte(3), 2u);
    EXPECT_EQ(live_punkte(5), 1u);
    // The client's match ends first (its fixture comes anew); the server's
    // other match runs on, its matchday is not over: the page stays on
    // matchday 0 and the live table is the server's of the moment.
    server_tore(1, 0, 2, 0);
    Spiele_Client_Spiel_Holen(LIGA, 1, 0, 0);
    EXPECT_FALSE(Wettbewerb_Internet_Client_Stand_Auffrischen());
    i32 datum = -1;
    EXPECT_EQ(client_seite(&datum), (std::vector<u32>{2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(datum, 1);
    EXPECT_EQ(live_punkte(5), 1u);
    // The server's last match ends 3:1 and with it its matchday: the
    // client's page is then dated and counted as the server's.
    server_tore(1, 1, 3, 1);
    server_liga.aktueller_spieltag = 2;
    // Not while a match of the client's still runs: its copy leads.
    Season_Module_Hooks laeuft = Season_Module;
    laeuft.Spieltag_Spiel_Angepfiffen = [] { return true; };
    Season_Module_Set_Hooks(laeuft);
    EXPECT_FALSE(Wettbewerb_Internet_Client_Stand_Auffrischen());
    EXPECT_EQ(Wettbewerb_Get_Zeiger(LIGA)->aktueller_spieltag, 1);
    Season_Hooks_Zuruecksetzen();
    const int fragen = aufrufe_1010;
    EXPECT_TRUE(Wettbewerb_Internet_Client_Stand_Auffrischen());
    EXPECT_EQ(client_seite(&datum), (std::vector<u32>{2, 0, 2, 0, 2, 0, 0}));
    EXPECT_EQ(datum, 2);
    EXPECT_EQ(live_punkte(5), 2u);
    EXPECT_EQ(aufrufe_1010, fragen + 1);  // the same arguments: one question
    // The results page's copy of the other game has its final score.
    EXPECT_EQ(Spiele_Get_Spiel(anderes, true)->tore_a, 3);
    EXPECT_EQ(Spiele_Get_Spiel(anderes, true)->tore_b, 1);
    // Nothing new on the server: the kept table serves.
    EXPECT_FALSE(Wettbewerb_Internet_Client_Stand_Auffrischen());
    client_seite(&datum);
    EXPECT_EQ(aufrufe_1010, fragen + 1);
}

// What a client's results or table screen read as it opened: the matchday
// shown (the competition's last one played), the scores of its two games
// and the table's points after it.
struct Gelesen {
    i32 spieltag = -1;
    std::vector<std::pair<i32, i32>> tore;
    std::vector<u32> punkte;
};
std::vector<Gelesen> screens_gelesen;
bool screen_lesen(int, const Spielankuendigung&) {
    Gelesen g;
    g.spieltag = std::max(0, Wettbewerb_Get_Zeiger(LIGA)->aktueller_spieltag - 1);
    Tabelle t;
    Wettbewerb_Get_Tabellen_Teams(LIGA, &t);
    Tabelle_Argumente a;
    a.wettbewerb = LIGA;
    a.erster_spieltag = 0;
    a.letzter_spieltag = g.spieltag;
    Spiele_Get_Tabelle(a, &t);
    g.punkte.assign(t.punkte[0], t.punkte[0] + 7);
    for (u32 k = 0; k < 2; ++k) {
        Spiele_Lock_Halter h(Spiele_Lock(LIGA, static_cast<u32>(g.spieltag), 0, k));
        const Spiel* s = h ? Spiele_Get_Spiel(h.Handle(), false) : nullptr;
        g.tore.emplace_back(s ? s->tore_a : -9, s ? s->tore_b : -9);
    }
    screens_gelesen.push_back(g);
    return true;
}

// The server's record of a page after a match, as its news brings it.
std::vector<u8> seite_als_news(u32 art, i32 team_a, i32 team_b, i32 spieltag, i32 index) {
    Spielankuendigung a;
    a.art = art, a.prioritaet = static_cast<u32>(team_a) * 50 + (art == ANK_ERGEBNISSE ? 7 : 6);
    a.wettbewerb = LIGA, a.team_a = team_a, a.team_b = team_b, a.spieltag = spieltag, a.index = index;
    std::vector<u8> b;
    bytes::Schreiber s{b};
    s(a);
    return b;
}

TEST_F(Abfragen, ClientSeitenNachDemSpieltagZeigenNurErgebnisseBeendeterSpiele) {
    // Today's matchday: this client's club 3 against 4 (game 0), another
    // client's club 5 against 6 (game 1). On the first matchday the
    // competition's matchday read before the matches is that of the page
    // too; on a later one (matchday 0 played, 1 beat 2) it is the one before.
    struct Fall {
        i32 heute;
        std::vector<u32> punkte;
    };
    const Fall faelle[] = {{0, {0, 0, 2, 0, 2, 0, 0}}, {1, {2, 0, 2, 0, 2, 0, 0}}};
    liga_starten();
    Season_Netz_Anmelden();
    Optionen_Reset();
    for (int o : {11, 12}) Option_Wert(o, 1, 1);
    Ankuendigung_Set_Hooks({.screen_oeffnen = screen_lesen});
    struct Ende {
        ~Ende() {
            Spiele_Unlock(-1);
            ruf::Leitung_Setzen(nullptr);
            Internet_Modus = INTERNET_MODUS_EINZEL;
            Ankuendigung_Set_Hooks({});
            Spielankuendigung_Init();
            Optionen_Reset();
        }
    } ende;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.heute);
        const u32 md = static_cast<u32>(f.heute);
        Spiele_Unlock(-1);
        ruf::Leitung_Setzen(nullptr);
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Spiele_Ergebnisse_Loeschen(LIGA);
        if (f.heute > 0) spiel(LIGA, 0, 0, 0, 1, 2, 1, 0);
        spiel(LIGA, md, 0, 0, 3, 4);
        spiel(LIGA, md, 0, 1, 5, 6);
        Wettbewerb_Get_Zeiger(LIGA)->aktueller_spieltag = f.heute;
        server_liga = *Wettbewerb_Get_Zeiger(LIGA);
        ruf::Leitung_Setzen(server_leitung);
        Internet_Modus = INTERNET_MODUS_CLIENT;
        Spiele_Internet_Client_Reset();
        Spielankuendigung_Init();
        screens_gelesen.clear();
        // Both matches kick off; this client's ends 2:0 first and its
        // fixtures come anew (the other match's with its score of then).
        server_tore(md, 0, 0, 0);
        server_tore(md, 1, 0, 0);
        server_tore(md, 0, 2, 0);
        Spiele_Client_Spiel_Holen(LIGA, md, 0, 0);
        // The other client's match ends 3:1 and the group with it: the
        // server's matchday is over and its pages come as news, results
        // then table.
        server_tore(md, 1, 3, 1);
        server_liga.aktueller_spieltag = f.heute + 1;
        for (u32 art : {ANK_ERGEBNISSE, ANK_TABELLE}) {
            const std::vector<u8> b = seite_als_news(art, 3, 4, f.heute, 0);
            ASSERT_TRUE(Spielankuendigung_Aus_News(b.data(), static_cast<u32>(b.size())));
        }
        for (int n = 0; n < 2; ++n) {
            ASSERT_TRUE(Spielankuendigung_Aus_Puffer()) << n;
            Spielankuendigung_Screen_Schliessen();
        }
        ASSERT_EQ(screens_gelesen.size(), 2u);
        for (const Gelesen& g : screens_gelesen) {
            // Today's matchday with both final scores, never the other
            // client's match as it stood when this client's ended.
            EXPECT_EQ(g.spieltag, f.heute);
            EXPECT_EQ(g.tore, (std::vector<std::pair<i32, i32>>{{2, 0}, {3, 1}}));
            EXPECT_EQ(g.punkte, f.punkte);
        }
    }
}

TEST_F(Abfragen, SiegerEinesJahresAuchFuerDenClient) {
    // Entry of the cup in 2005: winner 12, runner-up 7, final 3:1.
    u8* e = Spiele_Get_Speicher(SPEICHER_SIEGER)->Holen(2005u * 640 + POKAL + 1);
    ASSERT_NE(e, nullptr);
    put_u16le(e + 4, 12);
    put_u16le(e + 6, 7);
    e[8] = 3;
    e[9] = 1;
    i32 zweiter = 0, hoch = 0, tief = 0;
    EXPECT_EQ(Spiele_Get_Wettbewerb_Sieger(POKAL, 2005, &zweiter, &hoch, &tief), 12);
    EXPECT_EQ(zweiter, 7);
    EXPECT_EQ(hoch, 3);
    EXPECT_EQ(tief, 1);
    u8 aus[16];
    EXPECT_EQ(Spiele_Internet_Server_Send_Wettbewerb_Sieger(POKAL, 2005, aus), 12);
    EXPECT_EQ(get_u32le(aus + 4), 7u);
    EXPECT_EQ(get_u32le(aus + 8), 3u);
    // No winner that year, another competition, an unknown one.
    EXPECT_EQ(Spiele_Internet_Server_Send_Wettbewerb_Sieger(POKAL, 2006, aus), -1);
    EXPECT_EQ(static_cast<i32>(get_u32le(aus + 4)), -1);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Sieger(LIGA, 2005, nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Sieger(999, 2005, &zweiter, nullptr, nullptr), -1);
    EXPECT_EQ(zweiter, -1);
}

}  // namespace
