// The matchday on the shipped world: every game of a day is entered once,
// kicked off, played (dice minutes, or the match engine for a human club)
// and done with its result in the fixture database; short sides forfeit;
// friendlies finish and free their pitches; the shoot-out's early decision.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "base/datei.h"
#include "base/globals.h"
#include "base/tools.h"
#include "match/spielfeld.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/paarungen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/spieltag.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

using Schluessel = std::tuple<int, int, int, int>;  // competition, matchday, leg, index

class Spieltag : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        season_test::Meldungen m;
        ASSERT_TRUE(Welt_Laden_Ordner(season_test::Quelle("data/config").c_str(), 0)) << m.Alle();
        Stadion_Init();
        Bank_Init();
    }
    static void TearDownTestSuite() {
        Bank_Free();
        Welt_Freigeben();
    }
    void SetUp() override {
        Season_Hooks_Zuruecksetzen();
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
        ASSERT_TRUE(Kalender_Init(nullptr));
        const std::string pfad = season_test::Quelle("data/config/1_wettbewerb.cfg");
        const std::string alias = season_test::Quelle("data/config/1_wettbewerb_alias.cfg");
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str()));
        Wettbewerb_Spielplaene_Erstellen();
        ligen = Spieltag_Ligen_Starten();
        ASSERT_GE(ligen.size(), 4u);
        Spieltag_Hooks_Installieren();
        Spieltag_Init();
    }
    void TearDown() override {
        Spieltag_DeInit();
        Spiele_Free();
        Wettbewerb_Free();
        Kalender_Free();
        Season_Hooks_Zuruecksetzen();
        for (i32 t : menschen) Manager_Loeschen(t);
    }
    // Plays today's matches to the end; false when a pass limit is hit.
    static bool Tag_Spielen() {
        Spieltag_Gruppe_Starten();
        for (int i = 0; i < 200000 && Spieltag_Spiele_Offen(); ++i) {
            Kalender_Jetzt += SF_FRAME_MS;
            Spieltag_Run(0);
        }
        return !Spieltag_Spiele_Offen();
    }
    // The games of the rows, by fixture key.
    static std::vector<Schluessel> Zeilen() {
        std::vector<Schluessel> v;
        for (const auto& r : Spieltag_Slots())
            if (const Spiel* s = Spiele_Get_Spiel(r.spiel, true))
                v.emplace_back(s->wettbewerb, s->spieltag, s->runde, s->index);
        return v;
    }
    // Advances to the next day on which a league plays.
    static void Naechster_Spieltag() {
        for (int i = 0; i < 60; ++i) {
            Kalender_Jeden_Tag();
            if (Kalender_Spieltage_Heute(-1, 1, nullptr) > 0) return;
        }
    }
    // Leaves a team `bleiben` starters.
    static void kuerzen(i32 team, int bleiben) {
        const i32* k = Team_Kader(team);
        int n = 0;
        for (int i = 0; i < Team_Kader_Anzahl(team); ++i)
            if ((Spieler_Daten[k[i]].status & SP_STATUS_AUFGESTELLT) && n++ >= bleiben)
                Spieler_Daten[k[i]].status &= ~SP_STATUS_AUFGESTELLT;
    }
    std::vector<i32> ligen;
    std::vector<i32> menschen;
};

TEST_F(Spieltag, JedesSpielDesTagesGenauEinmalMitErgebnis) {
    // A human club: its matches run on the engine.
    const Wettbewerb* liga = Wettbewerb_Get_Zeiger(ligen[0]);
    const i32 mensch = liga->aktuelle_team[3];
    ASSERT_TRUE(Manager_Neuer_Mitspieler(mensch, "Test", 0)) << mensch << " of " << Team_Anzahl;
    menschen.push_back(mensch);
    // Nobody sits at the screen: the assistant picks the line-up.
    Team_Own_Daten[mensch].formation = static_cast<i8>(Team_Own_Daten[mensch].formation | 0x80);
    std::set<Schluessel> gespielt;
    int engine_spiele = 0, tore = 0, spiele = 0;
    for (int tag = 0; tag < 3; ++tag) {
        Naechster_Spieltag();
        Spieltag_Vorbereiten();
        const auto zeilen = Zeilen();
        ASSERT_FALSE(zeilen.empty());
        // Every game of today's matchday of each league is in the table.
        std::map<int, int> pro_wettbewerb;
        for (auto& k : zeilen) {
            EXPECT_TRUE(gespielt.insert(k).second) << "twice: " << std::get<0>(k) << "/" << std::get<1>(k);
            ++pro_wettbewerb[std::get<0>(k)];
        }
        for (auto [id, n] : pro_wettbewerb) EXPECT_EQ(n, Wettbewerb_Get_Zeiger(id)->teams / 2) << id;
        // Kick-off of the human club's match makes an engine pitch.
        Spieltag_Gruppe_Starten();
        Kalender_Jetzt += SF_FRAME_MS;
        Spieltag_Run(0);
        for (const auto& r : Spieltag_Slots())
            if (const Spiel* s = Spiele_Get_Spiel(r.spiel, true); s->team_a == mensch || s->team_b == mensch) {
                const Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
                if (sf && sf->engine) ++engine_spiele;
            }
        ASSERT_TRUE(Tag_Spielen());
        for (const auto& r : Spieltag_Slots()) {
            const Spiel* s = Spiele_Get_Spiel(r.spiel, true);
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(r.status, ST_FERTIG);
            EXPECT_GE(s->tore_a, 0);
            EXPECT_GE(s->tore_b, 0);
            EXPECT_GT(s->zuschauer, 0u);
            EXPECT_GE(s->minute, 90) << "a whole match is played";
            tore += s->tore_a + s->tore_b;
            ++spiele;
        }
        EXPECT_EQ(Spielfeld_Anzahl(), 0) << "pitches of finished competitions are deleted";
    }
    EXPECT_EQ(engine_spiele, 3);
    // Dice minutes give a football score, not a handball one.
    EXPECT_GT(tore, spiele);
    EXPECT_LT(tore, spiele * 5);
    EXPECT_EQ(Spieltag_Anzahl_Eingetragen(), Spieltag_Anzahl_Fertig());
    // Done rows leave the table the next morning.
    Spieltag_Vorbereiten();
    for (const auto& r : Spieltag_Slots()) EXPECT_NE(r.status, ST_FERTIG);
}

// Sides with fewer than eight starters lose at the green table and are
// fined; when both are short neither side wins.
TEST_F(Spieltag, ZuWenigSpielerVerlierenAmGruenenTisch) {
    Naechster_Spieltag();
    Spieltag_Vorbereiten();
    const auto& slots = Spieltag_Slots();
    ASSERT_GE(slots.size(), 3u);
    struct Fall {
        int heim, gast;  // starters left (-1 untouched)
        int tore_a, tore_b;
        bool heim_strafe, gast_strafe;
    } faelle[] = {{7, -1, 0, 2, true, false}, {-1, 7, 2, 0, false, true}, {7, 7, 0, 0, true, true}};
    std::vector<f64> vorher;
    for (int f = 0; f < 3; ++f) {
        const Spiel* s = Spiele_Get_Spiel(slots[static_cast<size_t>(f)].spiel, true);
        for (i32 t : {s->team_a, s->team_b}) Bank_Konto_Anlegen(t, 1000000.0, 0);
        if (faelle[f].heim >= 0) kuerzen(s->team_a, faelle[f].heim);
        if (faelle[f].gast >= 0) kuerzen(s->team_b, faelle[f].gast);
        vorher.push_back(Bank_Get_Kontostand(s->team_a, 0, 0));
        vorher.push_back(Bank_Get_Kontostand(s->team_b, 0, 0));
    }
    // The fourth game, with exactly eight starters a side, is played.
    const Spiel* vierter = Spiele_Get_Spiel(slots[3].spiel, true);
    kuerzen(vierter->team_a, 8);
    ASSERT_TRUE(Tag_Spielen());
    for (int f = 0; f < 3; ++f) {
        const Spiel* s = Spiele_Get_Spiel(slots[static_cast<size_t>(f)].spiel, true);
        EXPECT_EQ(s->tore_a, faelle[f].tore_a) << f;
        EXPECT_EQ(s->tore_b, faelle[f].tore_b) << f;
        EXPECT_EQ(s->flags & SPIEL_FLAG_ABGESAGT, SPIEL_FLAG_ABGESAGT) << f;
        EXPECT_EQ(s->zuschauer, 0u);
        EXPECT_EQ(Bank_Get_Kontostand(s->team_a, 0, 0) < vorher[static_cast<size_t>(2 * f)], faelle[f].heim_strafe)
            << f;
        EXPECT_EQ(Bank_Get_Kontostand(s->team_b, 0, 0) < vorher[static_cast<size_t>(2 * f + 1)], faelle[f].gast_strafe)
            << f;
    }
    EXPECT_EQ(vierter->flags & SPIEL_FLAG_ABGESAGT, 0);
    EXPECT_GT(vierter->zuschauer, 0u);
}

// A game started on its own (a friendly) finishes, closes its competition
// and frees its pitch.
TEST_F(Spieltag, EinzelspielWirdFertigUndGibtDasSpielfeldFrei) {
    const Wettbewerb* liga = Wettbewerb_Get_Zeiger(ligen[1]);
    const i32 h = Spieltag_Einzelspiel_Eintragen(liga->id, 0, 0, 0);
    ASSERT_GT(h, 0);
    Spieltag_Einzelspiel_Starten(h);
    for (int i = 0; i < 1000 && Spieltag_Spiele_Offen(); ++i) Spieltag_Run(0);
    EXPECT_EQ(Spieltag_Get_Status(h), ST_FERTIG);
    EXPECT_GE(Spiele_Get_Spiel(h, true)->tore_a, 0);
    EXPECT_EQ(Spielfeld_Anzahl(), 0);
}

// A knock-out round of the shipped world: every tie has exactly one winner,
// level ties go to extra time or a shoot-out as the competition says.
TEST_F(Spieltag, KoRundeHatJeBegegnungEinenSieger) {
    Wettbewerb* pokal = nullptr;
    for (int i = 0; i < WETTBEWERB_ANZAHL && !pokal; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (w.name[0] && (w.modus & WB_KO_SYSTEM) && (w.modus & WB_ELFMETERSCHIESSEN) && w.teams >= 16 &&
            w.vorherige_runde < 0 && Spiele_Get_Kopf(w.spielplan))
            pokal = &w;
    }
    ASSERT_NE(pokal, nullptr);
    // The field: clubs of the leagues.
    std::vector<i32> clubs;
    for (i32 id : ligen) {
        const Wettbewerb* l = Wettbewerb_Get_Zeiger(id);
        for (int k = 0; k < l->aktuelle_teams; ++k) clubs.push_back(l->aktuelle_team[k]);
    }
    ASSERT_GE(clubs.size(), static_cast<size_t>(pokal->teams));
    for (int k = 0; k < pokal->teams; ++k) {
        pokal->aktuelle_team[k] = static_cast<i16>(clubs[static_cast<size_t>(k)]);
        pokal->team_slots[k] = static_cast<u8>(k);
    }
    pokal->aktuelle_teams = pokal->teams;
    pokal->aktueller_spieltag = 0;
    Wettbewerb_Paarungen_Setzen(*pokal);
    const int legs = std::max(1, pokal->best_of_x);
    for (int leg = 0; leg < legs; ++leg) {
        ASSERT_EQ(Spieltag_Slots_Fuellen(pokal->id, 0, leg), Wettbewerb_Spiele_Pro_Spieltag(pokal, 0)) << leg;
        // Tie 0 cannot be played: both sides are short in every leg.
        for (i32 t : {pokal->aktuelle_team[0], pokal->aktuelle_team[1]}) kuerzen(t, 7);
        ASSERT_TRUE(Tag_Spielen());
        Spieltag_Vorbereiten();
    }
    int verlaengert = 0;
    for (int k = 0; k < Wettbewerb_Spiele_Pro_Spieltag(pokal, 0); ++k) {
        const i32 sieger = Wettbewerb_Get_Runden_Sieger(pokal->id, 0, k, -1, 0, 0);
        EXPECT_GE(sieger, 0) << "tie " << k;
        if (k == 0) {
            EXPECT_TRUE(sieger == pokal->aktuelle_team[0] || sieger == pokal->aktuelle_team[1]);
        }
        Spiele_Lock_Halter h(
            Spiele_Lock(static_cast<u32>(pokal->id), 0, static_cast<u32>(legs - 1), static_cast<u32>(k)));
        // Extra time (bit 0) or a shoot-out (bit 1) decided some ties.
        if (Spiele_Get_Spiel(h.Handle(), true)->flags & 3) ++verlaengert;
    }
    EXPECT_GT(verlaengert, 0);
    EXPECT_EQ(Spielfeld_Anzahl(), 0);
}

// The matchday block: a table saved in the middle of the day loads back
// byte for byte; a contradicting block is refused and the running day kept.
TEST_F(Spieltag, SpeichernLadenUndWidersprueche) {
    Naechster_Spieltag();
    Spieltag_Vorbereiten();
    Spieltag_Gruppe_Starten();
    for (int i = 0; i < 30; ++i) Spieltag_Run(0);
    const std::vector<u8> bild = season_test::Block_Bytes(Spieltag_Save);
    auto laden = [](const std::vector<u8>& b) {
        Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
        const bool ok = Spieltag_Load(d);
        Datei_Schliessen(d);
        return ok;
    };
    ASSERT_TRUE(laden(bild));
    EXPECT_EQ(season_test::Block_Bytes(Spieltag_Save), bild);
    // Row fields start after the 4-byte size, the flag and the row count.
    const size_t zeile0 = 4 + 1 + 4;
    struct Fall {
        const char* name;
        size_t offset;
        u8 wert;
    } faelle[] = {{"status 3", zeile0 + 13, 3},
                  {"game 0", zeile0 + 0, 0},
                  {"ready 7", zeile0 + 2, 7},
                  {"same game twice", zeile0 + 24, 0xFF}};
    for (const auto& f : faelle) {
        std::vector<u8> b = bild;
        b[f.offset] = f.wert;
        if (f.offset == zeile0 + 24) std::memcpy(&b[zeile0 + 24], &b[zeile0], 2);
        EXPECT_FALSE(laden(b)) << f.name;
        EXPECT_EQ(season_test::Block_Bytes(Spieltag_Save), bild) << f.name;
    }
    std::vector<u8> kurz(bild.begin(), bild.end() - 3);
    EXPECT_FALSE(laden(kurz));
    EXPECT_EQ(season_test::Block_Bytes(Spieltag_Save), bild);
}

// The game's main loop with the matchday: a new game of the shipped world,
// the human manager ends every turn, the days run into matchdays and out
// again; every game entered is done and the loop never waits.
u32 lauf_uhr = 0;
void lauf_jahr() {
    const std::string pfad = season_test::Quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = season_test::Quelle("data/config/1_wettbewerb_alias.cfg");
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str()));
    Wettbewerb_Spielplaene_Erstellen();
    ASSERT_FALSE(Spieltag_Ligen_Starten().empty());
}

TEST(SpieltagLauf, RunModiUndKeinWarten) {
    season_test::Spielordner ordner;
    season_test::Meldungen meldungen;
    for (const char* datei : {"1_global.cfg", "1_global_alias.cfg"})
        ordner.Schreiben(datei, season_test::Datei_Lesen(season_test::Quelle(std::string("data/config/") + datei)));
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Season_Hooks_Zuruecksetzen();
    // The set-up reads the shipped world once, as the wizard does.
    Season_Gui.Spielstart_Pruefen = [](int, u8* wizard_byte) {
        if (wizard_byte) *wizard_byte = 0;
        if (Team_Anzahl == 0 || Team_Kader_Anzahl(1) == 0) {
            EXPECT_TRUE(Welt_Laden_Ordner(season_test::Quelle("data/config").c_str(), 0));
            Stadion_Init();
        }
        return true;
    };
    Spieltag_Hooks_Installieren();
    Season_Module.Wettbewerb_Jedes_Jahr = lauf_jahr;
    Kalender_Set_Spielstart(0);
    Kalender_Free();
    Kalender_Lauf_Reset();
    lauf_uhr = 1000;
    W32_Set_Time_Source([]() { return lauf_uhr; });
    std::vector<i32> modi;
    for (int i = 0; i < 400000 && Kalender_Get_Tag() < 45; ++i) {
        lauf_uhr += 20;
        Kalender_Run();
        const i32 m = Kalender_Get_Runmodus();
        if (modi.empty() || modi.back() != m) modi.push_back(m);
        // The manager ends his turn when the day's matches are over or
        // wait for him to start them.
        const auto& z = Spieltag_Slots();
        const bool warten =
            std::any_of(z.begin(), z.end(), [](auto& r) { return r.status == ST_WARTET && !r.bereit[0]; });
        if (m == RUNMODUS_SPIEL && (warten || !Spieltag_Spiele_Offen())) {
            K_NEUER_TAG(6, 0);
            if (modi.back() != Kalender_Get_Runmodus()) modi.push_back(Kalender_Get_Runmodus());
        }
    }
    EXPECT_EQ(Kalender_Get_Tag(), 45) << "the loop stalled";
    ASSERT_GE(modi.size(), 5u);
    EXPECT_EQ(std::vector<i32>(modi.begin(), modi.begin() + 3),
              (std::vector<i32>{RUNMODUS_WIZARD, RUNMODUS_TAGE_LAUFEN, RUNMODUS_SPIEL}));
    EXPECT_NE(std::find(modi.begin(), modi.end(), RUNMODUS_SPIELTAG), modi.end());
    for (size_t i = 3; i < modi.size(); ++i)
        EXPECT_TRUE(modi[i] == RUNMODUS_SPIEL || modi[i] == RUNMODUS_SPIELTAG) << i << ": " << modi[i];
    // Two league matchdays of the shipped world were played, every game to its end.
    EXPECT_GE(Spieltag_Anzahl_Fertig(), 60u);
    EXPECT_EQ(Spieltag_Anzahl_Eingetragen(), Spieltag_Anzahl_Fertig());
    W32_Set_Time_Source(nullptr);
    Spieltag_DeInit();
    Spiele_Free();
    Wettbewerb_Free();
    Kalender_Free();
    Kalender_Lauf_Reset();
    Season_Hooks_Zuruecksetzen();
    Bank_Free();
    Welt_Freigeben();
}

// The shoot-out: goals of the side that kicked (k) and of the other (o)
// after each kick, and whether that kick decided it.
TEST(Elfmeterschiessen, FruehEntschiedenUndSuddenDeath) {
    struct Fall {
        const char* name;
        std::vector<int> treffer;  // 1 scored, 0 missed, in kick order (the first side starts)
        int entschieden_nach;      // kick that decides, -1 none
    } faelle[] = {
        {"3:0 nach drei Runden", {1, 0, 1, 0, 1, 0}, 6},
        {"5:4 regulaer", {1, 1, 1, 1, 1, 1, 1, 1, 1, 0}, 10},
        {"Sudden Death in der zweiten Runde", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1}, 14},
        {"Sudden Death entschieden", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}, 12},
        {"3:2 nach vier Runden noch offen", {1, 0, 1, 1, 1, 1, 0, 0, 1}, 9},
        {"4:1 vor dem letzten Schuss", {1, 0, 1, 1, 1, 0, 1}, 7},
    };
    for (const auto& f : faelle) {
        Spieltag_Elfmeter e{};
        e.anzahl[0] = e.anzahl[1] = 11;
        e.pro_runde = 5;
        e.runden = 5;
        int tore[2] = {0, 0}, entschieden = -1;
        for (size_t i = 0; i < f.treffer.size() && entschieden < 0; ++i) {
            const int seite = e.seite;
            ASSERT_EQ(seite, static_cast<int>(i % 2)) << f.name;
            tore[seite] += f.treffer[i];
            if (Spieltag_Elfmeter_Entschieden(e, tore[seite], tore[1 - seite])) entschieden = static_cast<int>(i) + 1;
        }
        EXPECT_EQ(entschieden, f.entschieden_nach) << f.name;
    }
}

}  // namespace

namespace {
// A row of the season's calls as the server runs it for a client's team.
template <class... A>
std::vector<u8> Fuer(i32 team, u16 nummer, A... args) {
    std::vector<u8> ein, aus;
    bytes::Schreiber w{ein};
    (w(args), ...);
    EXPECT_TRUE(ruf::Zeile_Ausfuehren_Fuer(team, nummer, ein.data(), ein.size(), &aus)) << nummer;
    return aus;
}
}  // namespace

TEST_F(Spieltag, ANetworkClubWaitsForItsClientAndDeveloperCommandsAreOffUnlessAllowed) {
    Internet_Modus = INTERNET_MODUS_SERVER;
    Season_Netz_Anmelden();
    ruf::Team_Rahmen_Setzen([](i32 team, bool an) { Aktuelles_Team = an ? team : -1; });
    const i32 mensch = Wettbewerb_Get_Zeiger(ligen[0])->aktuelle_team[2];
    const i32 anderer = Wettbewerb_Get_Zeiger(ligen[0])->aktuelle_team[5];
    ASSERT_TRUE(Manager_Neuer_Mitspieler(mensch, "Netz", 0));
    menschen.push_back(mensch);
    Team_Own_Daten[mensch].formation = static_cast<i8>(Team_Own_Daten[mensch].formation | 0x80);
    Team_Daten[mensch].status |= TEAM_STATUS_USER_AKTIV;
    Naechster_Spieltag();
    Spieltag_Vorbereiten();
    Spieltag_Gruppe_Starten();
    i32 spiel = -1;
    for (const auto& r : Spieltag_Slots())
        if (const Spiel* s = Spiele_Get_Spiel(r.spiel, true); s && (s->team_a == mensch || s->team_b == mensch))
            spiel = r.spiel;
    ASSERT_GT(spiel, 0);
    auto laufen = [] {
        for (int i = 0; i < 50; ++i) Kalender_Jetzt += SF_FRAME_MS, Spieltag_Run(0);
    };
    // Without its client's word, and with another club's word for it, the match waits.
    laufen();
    Fuer(anderer, 1029, mensch);
    laufen();
    EXPECT_EQ(Spieltag_Get_Status(spiel), ST_WARTET);
    Fuer(mensch, 1029, mensch);
    laufen();
    EXPECT_NE(Spieltag_Get_Status(spiel), ST_WARTET);
    EXPECT_EQ(Season_Netz_Bereit_Tag(mensch), -1);  // ready for its match, not yet for the next day
    // The row of the club's match, for the club only.
    const std::vector<u8> zeile = Fuer(mensch, 1031, mensch), fremd = Fuer(anderer, 1031, mensch);
    ASSERT_EQ(zeile.size(), 24u + 16);
    EXPECT_EQ(get_i16le(zeile.data()), spiel);
    EXPECT_EQ(get_u32le(&zeile[36]), static_cast<u32>(spiel));
    EXPECT_EQ(fremd, std::vector<u8>(40, 0));

    // 1043: nothing unless the server allows it; then only the asking team's booking.
    ASSERT_TRUE(Bank_Konto_Anlegen(mensch, 1000.0, 0));
    const f64 vorher = Bank_Get_Kontostand(mensch, 0, 0);
    EXPECT_EQ(get_i32le(Fuer(mensch, 1043, i32{2}, i32{500}).data()), 0);
    EXPECT_EQ(Bank_Get_Kontostand(mensch, 0, 0), vorher);
    Season_Netz_Befehle_Erlauben(true);
    EXPECT_EQ(get_i32le(Fuer(mensch, 1043, i32{1}, i32{0}).data()), 0);
    EXPECT_EQ(get_i32le(Fuer(mensch, 1043, i32{2}, i32{500}).data()), 1);
    EXPECT_EQ(Bank_Get_Kontostand(mensch, 0, 0), vorher + 500);
    Season_Netz_Befehle_Erlauben(false);

    // Queries with numbers out of range answer "not found" and nothing else.
    struct Frage {
        u16 nummer;
        std::vector<u8> aus;
        size_t laenge;
        u8 gefunden;
    };
    const Frage fragen[] = {
        {1033, Fuer(mensch, 1033, i32{9999}, mensch, i32{0}), 29, 0},
        {1033, Fuer(mensch, 1033, ligen[0], i32{-5}, i32{0}), 29, 0},
        {1034, Fuer(mensch, 1034, ligen[0], mensch, i32{100000}, i32{3}), 13 + 4 + 36, 0},
        {1034, Fuer(mensch, 1034, ligen[0], mensch, anderer, i32{51}), 13 + 4, 0},
        {1035, Fuer(mensch, 1035, i32{-1}, i32{-1}, i32{-1}, i32{-1}, i32{-1}, i32{-1}, i32{0}), 4 + 4 + 3368, 0},
        {1035, Fuer(mensch, 1035, mensch, i32{1 << 30}, i32{-1}, i32{-1}, i32{-1}, i32{-1}, i32{0}), 4 + 4 + 3368, 0},
    };
    for (const Frage& f : fragen) {
        EXPECT_EQ(f.aus.size(), f.laenge) << f.nummer;
        EXPECT_EQ(f.aus.empty() ? 255 : f.aus[0], f.gefunden) << f.nummer;
    }
    Team_Daten[mensch].status &= ~TEAM_STATUS_USER_AKTIV;
    ruf::Team_Rahmen_Setzen(nullptr);
    Internet_Modus = INTERNET_MODUS_EINZEL;
}
