// Match events, cards and suspensions, the after-match stores (all-time
// table, series, head-to-head), winners, and the stores' growth through a
// save and a load.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/pruefsumme.h"
#include "base/random.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/welt.h"

namespace {

constexpr i32 LIGA = 50, POKAL = 51;
constexpr i32 SPIELER = 5;  // a player of team 1 (team 0 is the transfer market)
constexpr u32 GESPERRT = STATUS_GESPERRT_GELB | STATUS_GESPERRT_GELBROT | STATUS_GESPERRT_ROT;

class Ereignisse : public ::testing::Test {
  protected:
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Anlegen(3, 12));
        for (int s = 0; s < 12; ++s) Spieler_Daten[s].team = s / 4;
        Team_Kader_Neu_Aufbauen();
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
        const std::string text =
            "NEUER_WETTBEWERB\nIDENTIFIKATION L\nNAME \"Liga\"\nTEAMS 2\nSPIELTAGE 40\nERSTE_GELBSPERRE 2\n"
            "INTERVALL_GELBSPERRE 2\nMODUS ENGLISCHE_TABELLE\n"
            "NEUER_WETTBEWERB\nIDENTIFIKATION P\nNAME \"Pokal\"\nTEAMS 2\nMODUS KO_SYSTEM\n";
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
        ASSERT_EQ(Wettbewerb_Spielplaene_Erstellen(), 2);
    }
    void TearDown() override {
        Spiele_Free();
        Wettbewerb_Free();
        Welt_Freigeben();
    }
    // Matchday md of the league between teams 1 and 2, its events reserved.
    static i32 Ligaspiel(u32 md) {
        const i32 h = Spiele_Lock(LIGA, md, 0, 0);
        Spiele_Set_Teams(h, 1, 2);
        EXPECT_TRUE(Spiele_Ereignisse_Reservieren(h));
        return h;
    }
};

// The matches in which the player is suspended after his cards: a ban is
// never served in the check right after the match that caused it.
TEST_F(Ereignisse, SperrenNachKartenNachDenRegelnDesWettbewerbs) {
    struct Fall {
        const char* was;
        std::vector<u32> karten;  // card of each match (0 none)
        std::set<int> gesperrt;   // matches he misses
    };
    const Fall faelle[] = {
        {"second yellow card", {SFE_GELB, SFE_GELB}, {2}},
        {"yellow cards 1, 2 and 4", {SFE_GELB, SFE_GELB, 0, SFE_GELB, SFE_GELB}, {2, 5}},
        {"yellow-red card", {SFE_GELBROT}, {1}},
        {"one yellow card", {SFE_GELB}, {}},
    };
    for (const Fall& f : faelle) {
        Spiele_Loesche_Wettbewerb_Ereignis(-1);
        std::set<int> gesperrt;
        for (int m = 0; m < 8; ++m) {
            Spiele_Setze_Sperren_Spieler_Vor_Spiel(LIGA, 1, true);
            if (Spieler_Daten[SPIELER].status & GESPERRT) {
                gesperrt.insert(m);
                continue;
            }
            const u32 k = m < static_cast<int>(f.karten.size()) ? f.karten[static_cast<size_t>(m)] : 0;
            if (k) Spiele_Ereignis_Eintragen(Ligaspiel(static_cast<u32>(m)), k | SFE_TEAM_A, 50, SPIELER, -1);
        }
        EXPECT_EQ(gesperrt, f.gesperrt) << f.was;
        Spiele_Unlock(-1);
    }
}

// A competition's counters go at its new season, every player's from the
// first to the last; the other competition's stay.
TEST_F(Ereignisse, DieZaehlerEinesWettbewerbsGehenAlleUndNurSie) {
    Spiele_Loesche_Wettbewerb_Ereignis(-1);
    const i32 letzter = Spieler_Anzahl - 1;
    for (i32 w : {LIGA, POKAL})
        for (i32 s : {0, SPIELER, letzter}) Spiele_Set_Wettbewerb_Ereignis(w, s, ZAEHLER_GELB, 3);
    Spiele_Loesche_Wettbewerb_Ereignis(Wettbewerb_Get_Basis_Id(LIGA));
    for (i32 s : {0, SPIELER, letzter}) {
        EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, ZAEHLER_GELB, s), 0) << s;
        EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(POKAL, ZAEHLER_GELB, s), 3) << s;
    }
    EXPECT_EQ(Spiele_Get_Speicher(SPEICHER_EREIGNIS_ERW)->Anzahl(), 3u);
}

TEST_F(Ereignisse, RoteKarteSperrtSoVieleSpieleWieVerhaengt) {
    Spiele_Ereignis_Eintragen(Ligaspiel(0), SFE_ROT | SFE_TEAM_A, 30, SPIELER, -1);
    const i32 sperre = Spiele_Get_Wettbewerb_Ereignis(LIGA, ZAEHLER_SPERRE, SPIELER);
    const i32 spiele = sperre & SPERRE_SPIELE;
    EXPECT_TRUE(sperre & SPERRE_ROT);
    EXPECT_TRUE(spiele >= 2 && spiele <= 6) << spiele;
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, ZAEHLER_ROT, SPIELER), 1);
    int verpasst = 0;
    // A cup match in between does not count for the league's ban.
    Spiele_Setze_Sperren_Spieler_Vor_Spiel(POKAL, 1, true);
    for (int m = 1; m < 12; ++m) {
        Spiele_Setze_Sperren_Spieler_Vor_Spiel(LIGA, 1, true);
        verpasst += (Spieler_Daten[SPIELER].status & GESPERRT) != 0;
    }
    EXPECT_EQ(verpasst, spiele);
    Spiele_Unlock(-1);
}

TEST_F(Ereignisse, ToreZaehlenSofortUndDasSpeicherendeIstSicher) {
    const i32 h = Ligaspiel(0);
    EXPECT_EQ(Spiele_Ereignis_Eintragen(h, SFE_TOR | SFE_TEAM_A, 10, 1, -1), 1);
    Spiel* s = Spiele_Get_Spiel(h, true);
    EXPECT_EQ(s->tore_a, 1);
    EXPECT_EQ(s->tore_b, 0);
    // The player's goals and cards in the competition, as the world asks them.
    Spiele_Ereignis_Eintragen(h, SFE_TOR | SFE_TEAM_A, 70, SPIELER, 6);
    Spiele_Ereignis_Eintragen(h, SFE_GELB | SFE_TEAM_A, 80, SPIELER, -1);
    const i32 soll[][2] = {
        {STATISTIK_TORE, 1}, {STATISTIK_VORLAGEN, 0}, {STATISTIK_SCORER, 1}, {STATISTIK_GELB, 1}, {STATISTIK_ROT, 0}};
    for (const auto& [art, wert] : soll) EXPECT_EQ(Spiele_Spieler_Statistik(art, LIGA, 1, SPIELER), wert) << art;
    EXPECT_EQ(Spiele_Spieler_Statistik(STATISTIK_VORLAGEN, LIGA, 1, 6), 1);
    i32 a = -1, b = -1;
    ASSERT_TRUE(Spiele_Get_Tore_Zeitraum(h, 20, -1, &a, &b));
    EXPECT_EQ(a, 1);  // only the goal of minute 70
    EXPECT_EQ(b, 0);
    for (int i = 1; i < 170; ++i) Spiele_Ereignis_Eintragen(h, i == 165 ? SFE_TOR : 0, 20, 1, -1);
    EXPECT_EQ(s->ereignis_anzahl, EREIGNISSE_PRO_SPIEL);
    EXPECT_EQ(s->tore_b, 1);  // the goal past the block still counts
    // Without a reserved block nothing is recorded.
    Spiele_Lock_Halter ohne(Spiele_Lock(LIGA, 1, 0, 0));
    EXPECT_EQ(Spiele_Ereignis_Eintragen(ohne.Handle(), SFE_TOR, 5, 1, -1), -1);
    Spiele_Unlock(-1);
}

// A player's goals are the ones he scored for his side: an own goal counts
// for the other side and never for him, nor does a kick of the shoot-out;
// both still count in the score.
TEST_F(Ereignisse, EigentorUndElfmeterschiessenSindKeineToreDesSpielers) {
    const i32 h = Ligaspiel(0);
    constexpr i32 GEGNER = 9;  // a player of team 2
    struct Tor {
        u32 flags;
        i32 spieler, minute;
    } const tore[] = {
        {SFE_TOR | SFE_TEAM_A, SPIELER, 10},                     // his goal for team 1
        {SFE_TOR | SFE_TEAM_A | SFE_EIGENTOR, GEGNER, 30},       // team 2's man into his own net
        {SFE_TOR | SFE_EIGENTOR, SPIELER, 50},                   // his own goal: team 2's
        {SFE_ELFMETERSCHIESSEN | SFE_TEAM_A, -1, 120},           // the shoot-out begins
        {SFE_TOR | SFE_TEAM_A, SPIELER, 120},                    // his kick
        {SFE_TOR, GEGNER, 120},                                  // theirs
    };
    for (const Tor& t : tore) Spiele_Ereignis_Eintragen(h, t.flags, t.minute, t.spieler, 32767);
    const Spiel* s = Spiele_Get_Spiel(h, true);
    EXPECT_EQ(s->tore_a, 3);
    EXPECT_EQ(s->tore_b, 2);
    const struct {
        i32 spieler, tore;
    } soll[] = {{SPIELER, 1}, {GEGNER, 0}};
    const i32 ids[] = {LIGA};
    const u32 sel = SFE_TOR;
    std::vector<u32> aus(static_cast<size_t>(Spieler_Anzahl));
    ASSERT_TRUE(Spiele_Get_Statistik(true, ids, 1, &sel, 1, -1, -1, -1, -1, aus.data(), 0));
    for (const auto& [spieler, n] : soll) {
        EXPECT_EQ(Spiele_Spieler_Statistik(STATISTIK_TORE, LIGA, 1, spieler), n) << spieler;
        EXPECT_EQ(aus[static_cast<size_t>(spieler)], static_cast<u32>(n)) << spieler;
    }
    Spiele_Unlock(-1);
}

// The general counter by selector: events per player (or his second
// player), per team or its opponent, games, home games and attendance,
// within minutes and sides; unplayed games count nothing.
TEST_F(Ereignisse, AllgemeinerZaehlerNachSelektoren) {
    const i32 h = Ligaspiel(0);
    Spiele_Ereignis_Eintragen(h, SFE_TOR | SFE_TEAM_A, 10, SPIELER, 6);
    Spiele_Ereignis_Eintragen(h, SFE_GELB, 20, 9, -1);
    Spiele_Ereignis_Eintragen(h, SFE_TOR, 80, 9, -1);
    Spiele_Get_Spiel(h, true)->zuschauer = 1000;
    Spiele_Set_Ergebnis(Ligaspiel(1), 0, 0, 0);
    const i32 offen = Ligaspiel(2);
    Spiele_Ereignis_Eintragen(offen, SFE_GELB, 5, 9, -1);
    Spiele_Get_Spiel(offen, true)->tore_a = -1;
    const i32 liga[] = {LIGA};
    struct Fall {
        bool spieler;
        u32 selektor;
        i32 minute_bis;
        u32 seite;
        std::vector<std::pair<i32, u32>> soll;  // row, count (all other rows 0)
    };
    const Fall faelle[] = {
        {true, SFE_TOR, -1, 0, {{SPIELER, 1}, {9, 1}}},
        {true, SFE_TOR | STATISTIK_ZWEITER_SPIELER, -1, 0, {{6, 1}}},
        {true, SFE_TOR, -1, 1, {{SPIELER, 1}}},
        {true, SFE_GELB, 15, 0, {}},
        {false, SFE_TOR, -1, 0, {{1, 1}, {2, 1}}},
        {false, SFE_GELB | STATISTIK_FUER_GEGNER, -1, 0, {{1, 1}}},
        {false, STATISTIK_SPIELE, -1, 0, {{1, 2}, {2, 2}}},
        {false, STATISTIK_HEIMSPIELE, -1, 0, {{1, 2}}},
        {false, STATISTIK_ZUSCHAUER, -1, 0, {{1, 1000}}},
    };
    for (const Fall& f : faelle) {
        const i32 zeilen = f.spieler ? Spieler_Anzahl : Team_Anzahl;
        std::vector<u32> aus(static_cast<size_t>(zeilen), 7), soll(static_cast<size_t>(zeilen), 0);
        for (auto [z, n] : f.soll) soll[static_cast<size_t>(z)] = n;
        ASSERT_TRUE(
            Spiele_Get_Statistik(f.spieler, liga, 1, &f.selektor, 1, -1, -1, -1, f.minute_bis, aus.data(), f.seite));
        EXPECT_EQ(aus, soll) << std::hex << f.selektor << " " << f.spieler;
    }
    std::vector<u32> aus(static_cast<size_t>(Team_Anzahl) * 11);
    const u32 elf[11] = {};
    EXPECT_FALSE(Spiele_Get_Statistik(false, liga, 1, elf, 11, -1, -1, -1, -1, aus.data(), 0));
    EXPECT_FALSE(Spiele_Get_Statistik(false, liga, 1, elf, 0, -1, -1, -1, -1, aus.data(), 0));
    Spiele_Unlock(-1);
}

TEST_F(Ereignisse, NachspielStatistikSerienUndDirekterVergleich) {
    const i32 ergebnisse[][2] = {{2, 1}, {0, 0}, {3, 0}, {20, 3}};
    for (u32 m = 0; m < 4; ++m) {
        const i32 h = Spiele_Lock(LIGA, m, 0, 0);
        Spiele_Set_Teams(h, 1, 2);
        Spiele_Set_Ergebnis(h, static_cast<u8>(ergebnisse[m][0]), static_cast<u8>(ergebnisse[m][1]), 0);
        Spiele_Set_Nachspiel_Statistik(h);
    }
    u32 ewig[6];
    ASSERT_TRUE(Spiele_Get_Ewige_Tabelle(LIGA, 1, ewig, 0));
    EXPECT_EQ(std::vector<u32>(ewig, ewig + 6), (std::vector<u32>{10, 25, 4, 3, 1, 0}));
    ASSERT_TRUE(Spiele_Get_Ewige_Tabelle(LIGA, 2, ewig, 2));
    EXPECT_EQ(std::vector<u32>(ewig, ewig + 6), (std::vector<u32>{1, 4, 25, 0, 1, 3}));
    u32 serie[7];
    // Order: no goal scored, no goal conceded, wins, draws, defeats, no win, unbeaten.
    ASSERT_TRUE(Spiele_Get_Serien(LIGA, 1, serie, 2));
    EXPECT_EQ(std::vector<u32>(serie, serie + 7), (std::vector<u32>{0, 0, 2, 0, 0, 0, 4}));
    ASSERT_TRUE(Spiele_Get_Serien(-1, 2, serie, 1));
    EXPECT_EQ(std::vector<u32>(serie, serie + 7), (std::vector<u32>{0, 0, 0, 0, 2, 4, 0}));
    u32 s = 0, u = 0, n = 0;
    u8 erg[12 * 5];
    EXPECT_EQ(Spiele_Get_Spiele_Gegen(LIGA, 1, 2, &s, &u, &n, erg, 5), 4);
    EXPECT_EQ(s, 3u);
    EXPECT_EQ(u, 1u);
    EXPECT_EQ(get_u32le(erg), 15u);  // 20:3 kept as 15:3, newest first
    EXPECT_EQ(get_u32le(erg + 4), 3u);
    EXPECT_EQ(get_u32le(erg + 12 * 3), 2u);
    // The all-time table: team 1 ahead with its wins, draws, defeats.
    Tabelle t{};
    Tabelle_Argumente a;
    a.wettbewerb = LIGA;
    a.ewig = 1;
    a.team = 2;
    EXPECT_NE(Spiele_Get_Tabelle(a, &t), 0xFFFFFFFFu);
    ASSERT_EQ(t.zeilen, 2u);
    EXPECT_EQ(t.team[0], 1u);
    EXPECT_EQ(t.punkte[0][0], 10u);
    EXPECT_EQ(t.spiele[2][1], 4u);                                      // team 2's away games
    EXPECT_EQ(t.ergebnis[(3 * 0 + 2) * TABELLE_RASTER_ZEILEN + 1], 3);  // team 2: three defeats
    // A run stops at 255 instead of wrapping.
    for (int i = 0; i < 300; ++i) Spiele_Set_Serien(LIGA, 1, 1, 0, 0);
    ASSERT_TRUE(Spiele_Get_Serien(LIGA, 1, serie, 0));
    EXPECT_EQ(serie[2], 255u);
    Spiele_Unlock(-1);
}

// A player's career record: counters add up, histories move back, a match
// entry is closed by its grade; appearances before a match.
TEST_F(Ereignisse, KarrierewerteEinesSpielers) {
    Statistik_Spieler_Leeren();
    Statistik_Spieler u = Statistik_Spieler_Unveraendert(SPIELER);
    u.tore = 2;
    EXPECT_FALSE(Statistik_Spieler_Setze(SPIELER, u, false));  // no record, none created
    ASSERT_TRUE(Statistik_Spieler_Setze(SPIELER, u, true));
    const u8 eintraege[] = {2, 8, 3};  // grade 2; came on; his grade 3
    for (u8 e : eintraege) {
        u = Statistik_Spieler_Unveraendert(SPIELER);
        u.spiele[0] = e;
        u.h3[0] = 90;
        ASSERT_TRUE(Statistik_Spieler_Setze(SPIELER, u, false));
    }
    Statistik_Spieler s;
    ASSERT_TRUE(Statistik_Spieler_Get(SPIELER, &s));
    EXPECT_EQ(s.tore, 2);
    EXPECT_EQ(s.spiele[0], 8 | 3 | 32);
    EXPECT_EQ(s.spiele[1], 2 | 32);
    EXPECT_EQ(s.spiele[2], 255);
    EXPECT_EQ(s.h3[2], 90);
    EXPECT_EQ(s.h3[3], 255);
    EXPECT_EQ(s.h2[0], 0xFFFF);
    // Before a match: the line-up's appearances.
    Spieler_Daten[SPIELER].status |= 16;
    Spiele_Setze_Eingesetzte_Spieler_Gesamtstatistik_Vor_Spiel(LIGA, 1);
    ASSERT_TRUE(Statistik_Spieler_Get(SPIELER, &s));
    EXPECT_EQ(s.einsaetze, 1);
    EXPECT_EQ(s.international, 0);
    EXPECT_TRUE(Statistik_Spieler_Loesche(SPIELER));
    EXPECT_FALSE(Statistik_Spieler_Get(SPIELER, &s));
}

// The records stand sorted by player number whatever the order they came
// in; the search names each one's place and -1 for a player without one.
TEST_F(Ereignisse, SpielerSucheNachNummer) {
    Statistik_Spieler_Leeren();
    for (i32 p : {40, 7, 19, 3}) ASSERT_TRUE(Statistik_Spieler_Setze(p, Statistik_Spieler_Unveraendert(p), true));
    struct Fall {
        i32 spieler, index;
    } faelle[] = {{3, 0}, {7, 1}, {19, 2}, {40, 3}, {8, -1}, {0, -1}, {41, -1}, {-5, -1}};
    for (const Fall& f : faelle) EXPECT_EQ(Statistik_Spieler_Suche(f.spieler), f.index) << f.spieler;
    ASSERT_TRUE(Statistik_Spieler_Loesche(7));
    EXPECT_EQ(Statistik_Spieler_Suche(19), 1);
    EXPECT_EQ(Statistik_Spieler_Suche(7), -1);
    Statistik_Spieler_Leeren();
}

// Every store grows past its first capacity and comes back from a save byte
// for byte.
// A team's titles from the winners store, newest season first.
TEST_F(Ereignisse, TitelEinesTeams) {
    Kalender_Init(nullptr);
    const i32 jahr = Kalender_Get_Jahr();
    Spiele_Set_Wettbewerb_Sieger(LIGA, 1, jahr + 1, 2, 2, 0);
    Spiele_Set_Wettbewerb_Sieger(POKAL, 1, jahr + 2, 2, 1, 0);
    Spiele_Set_Wettbewerb_Sieger(LIGA, 2, jahr + 2, 1, 3, 0);
    Statistik_Titel t[4];
    ASSERT_EQ(Statistik_Team_Titel(1, -1, t, 4), 2);
    EXPECT_EQ(t[0].wettbewerb, POKAL);
    EXPECT_EQ(t[0].jahr, jahr + 2);
    EXPECT_EQ(t[1].wettbewerb, LIGA);
    EXPECT_EQ(t[1].jahr, jahr + 1);
    EXPECT_EQ(Statistik_Team_Titel(1, LIGA, t, 4), 1);
    EXPECT_EQ(Statistik_Team_Titel(1, -1, t, 1), 1);
    EXPECT_EQ(Statistik_Team_Titel(0, -1, t, 4), 0);
    Kalender_Free();
}

TEST_F(Ereignisse, SpeicherWachsenUndKommenGleichZurueck) {
    ASSERT_TRUE(Welt_Anlegen(60, 200));
    const u32 vorher = Spiele_Get_Speicher(SPEICHER_SIEGER)->Kapazitaet();
    for (i32 jahr = 0; jahr < 600; ++jahr) Spiele_Set_Wettbewerb_Sieger(LIGA, jahr % 60, jahr, (jahr + 1) % 60, 3, 1);
    for (i32 a = 0; a < 60; ++a)
        for (i32 b = 0; b < 60; ++b)
            if (a != b) Spiele_Set_Spiele_Gegen(LIGA, a, b, a % 4, b % 3);
    for (i32 p = 0; p < 200; ++p) Spiele_Set_Wettbewerb_Ereignis(POKAL, p, ZAEHLER_EINSAETZE, p % 7);
    EXPECT_GT(Spiele_Get_Speicher(SPEICHER_SIEGER)->Kapazitaet(), vorher);
    EXPECT_EQ(Spiele_Get_Speicher(SPEICHER_DIREKT)->Anzahl(), 60u * 59u);
    i32 zweiter = 0, hoch = 0, tief = 0;
    EXPECT_EQ(Spiele_Get_Wettbewerb_Sieger(LIGA, 599, &zweiter, &hoch, &tief), 599 % 60);
    i32 sieger[4], jahre[4];
    ASSERT_EQ(Spiele_Get_Wettbewerb_Sieger_Array(LIGA, 700, sieger, jahre, 4), 4);
    EXPECT_EQ(jahre[3], 3);
    EXPECT_EQ(sieger[3], 3);
    const std::vector<u8> bild = season_test::Block_Bytes(Spiele_Save);
    ASSERT_TRUE(Spiele_Init());
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(bild.data(), static_cast<u32>(bild.size()));
    ASSERT_TRUE(Spiele_Load(d));
    Datei_Schliessen(d);
    EXPECT_TRUE(season_test::Block_Bytes(Spiele_Save) == bild);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(POKAL, ZAEHLER_EINSAETZE, 13), 13 % 7);
}

}  // namespace

// The byte images of the event records and of every after-match store, as a
// save and the server's answers carry them, are pinned: a change to how a
// record is written (field order, width, sign) shows up here. The games
// cover both teams' goals with assists, every card, counters that saturate,
// winners with and without a runner-up and a head-to-head history longer
// than it keeps.
TEST_F(Ereignisse, DatensaetzeBehaltenIhrBytebild) {
    struct Ereignis {
        u32 flags;
        i32 minute, spieler, spieler2;
    };
    const Ereignis ereignisse[] = {
        {SFE_TOR | SFE_TEAM_A, 12, 5, 6}, {SFE_GELB | SFE_TEAM_A, 30, 7, -1}, {SFE_TOR, 44, 9, -1},
        {SFE_GELBROT, 61, 10, -1},        {SFE_ROT | SFE_TEAM_A, 75, 4, -1},  {SFE_TOR | SFE_TEAM_A, 300, 6, 5},
    };
    const i32 ergebnisse[][2] = {{2, 1}, {0, 0}, {3, 0}, {20, 3}, {1, 2}, {4, 4}, {0, 1}};
    Rnd_Set_Index(0, 0);
    for (u32 m = 0; m < 7; ++m) {
        const i32 h = Ligaspiel(m);
        for (const Ereignis& e : ereignisse)
            if ((e.minute + static_cast<i32>(m)) % 3)
                Spiele_Ereignis_Eintragen(h, e.flags, e.minute, e.spieler, e.spieler2);
        Spiele_Set_Ergebnis(h, static_cast<u8>(ergebnisse[m][0]), static_cast<u8>(ergebnisse[m][1]), 0);
        Spiele_Set_Nachspiel_Statistik(h);
        Spiele_Setze_Sperren_Spieler_Vor_Spiel(LIGA, 1, true);
        Spiele_Setze_Eingesetzte_Spieler_Vor_Spiel(LIGA, 2);
    }
    for (int i = 0; i < 300; ++i) Spiele_Set_Wettbewerb_Ereignis(POKAL, 8, ZAEHLER_EINSAETZE, -1);
    Spiele_Set_Wettbewerb_Ereignis(POKAL, 9, ZAEHLER_ROT, 1000);
    Spiele_Set_Wettbewerb_Sieger(LIGA, 1, 3, 2, 4, 1);
    Spiele_Set_Wettbewerb_Sieger(POKAL, 2, 4, -1, 300, 0);
    Spiele_Set_Ewige_Tabelle(POKAL, 2, 70000, 3, 1, 1, 1);
    const std::vector<u8> bild = season_test::Block_Bytes(Spiele_Save);
    u8 roh[SPIELE_EREIGNIS_GROESSE * 64];
    const i32 n = Spiele_Internet_Server_Send_Ereignisse(0, 64, roh, sizeof roh);
    std::vector<u8> tore, zaehler;
    Spiele_Internet_Server_Send_Tore(LIGA, 3, 0, 60, tore);
    Spiele_Internet_Server_Send_Wettbewerb_Ereignisse(1, Spieler_Anzahl, zaehler);
    u8 gegen[12 * 6];
    u32 s = 0, u = 0, nl = 0;
    const i32 g = Spiele_Internet_Server_Send_Spiele_Gegen(LIGA, 1, 2, 6, &s, &u, &nl, gegen);
    EXPECT_EQ(g, 5);
    EXPECT_EQ(n, 64);
    EXPECT_EQ(tore.size(), 6u);
    // Each image by its name, row by row: a difference names the image, the
    // row and the byte (the record's field) that changed. The after-match
    // stores are pinned as they stand in memory, which is what the save
    // block packs; the block itself must come back byte for byte.
    const struct {
        const char* name;
        std::vector<u8> bytes;
        size_t zeile;
        std::vector<std::string> zeilen;
    } bilder[] = {
        {"Ereigniszeilen", {roh, roh + static_cast<size_t>(std::max(n, 0)) * SPIELE_EREIGNIS_GROESSE},
         SPIELE_EREIGNIS_GROESSE, {"000000000000000000", "0900ffff040000002c", "0a00ffff200000003d"}},
        {"Torzeilen", tore, 6, {"010000000001"}},
        {"Zaehlerzeilen", zaehler, 16, {}},
        {"Direktvergleich", {gegen, gegen + sizeof gegen}, 12,
         {"000000000100000032000000", "040000000400000032000000", "010000000200000032000000",
          "0f0000000300000032000000", "030000000000000032000000", "ffffffffffffffffffffffff"}},
    };
    const size_t groessen[] = {576, 6, 0, 72};
    for (size_t i = 0; i < std::size(bilder); ++i) {
        const auto& b = bilder[i];
        EXPECT_EQ(b.bytes.size(), groessen[i]) << b.name;
        EXPECT_EQ(pruef::Zeilen_Abweichung(b.bytes.data(), b.bytes.size(), b.zeile, b.zeilen), "") << b.name;
    }
    const struct {
        const char* name;
        int welcher;
        u32 groesse;
        std::vector<std::string> zeilen;
    } speicher[] = {
        {"Zaehler", SPEICHER_EREIGNIS_ERW, 12, {"5d0200000000040000000084", "600200000400000000000000", "630200008005000000000041", "6d020000000000ff00000000", "6e0200000000ff0000000000"}},
        {"Ewige Tabelle", SPEICHER_EWIG, 28, {"980000000b0000001e0000000b000000030000000200000002000000", "990000000000080000000b0000001e00000002000000020000000300", "9c0000000000ffff0000030000000100000001000000000000000000"}},
        {"Serien", SPEICHER_SERIEN, 25, {"98000000010001000000010001000000000000030003000000", "99000000000000000101000000000101000000000000000303", "82070000010001000000010001000000000000030003000000", "83070000000000000101000000000101000000000000000303"}},
        {"Direktvergleich", SPEICHER_DIREKT, 12, {"c80100000302021044213f03"}},
        {"Sieger", SPEICHER_SIEGER, 10, {"b3070000010002000401", "340a00000200ffffff00"}},
    };
    for (const auto& s : speicher) {
        const Spiele_Speicher& sp = *Spiele_Get_Speicher(s.welcher);
        EXPECT_EQ(sp.Groesse(), s.groesse) << s.name;
        EXPECT_EQ(sp.Anzahl(), s.zeilen.size()) << s.name;
        EXPECT_EQ(pruef::Zeilen_Abweichung(sp.Eintrag(0), static_cast<size_t>(sp.Anzahl()) * sp.Groesse(), sp.Groesse(),
                                           s.zeilen),
                  "")
            << s.name;
    }
    ASSERT_TRUE(Spiele_Init());
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(bild.data(), static_cast<u32>(bild.size()));
    ASSERT_TRUE(Spiele_Load(d));
    Datei_Schliessen(d);
    EXPECT_TRUE(season_test::Block_Bytes(Spiele_Save) == bild) << "the save block comes back byte for byte";
    for (const auto& s : speicher) {
        const Spiele_Speicher& sp = *Spiele_Get_Speicher(s.welcher);
        EXPECT_EQ(pruef::Zeilen_Abweichung(sp.Eintrag(0), static_cast<size_t>(sp.Anzahl()) * sp.Groesse(), sp.Groesse(),
                                           s.zeilen),
                  "")
            << s.name << " nach dem Laden";
    }
    Spiele_Unlock(-1);
}
