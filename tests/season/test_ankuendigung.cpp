// Match announcements: kinds in their priority order with a fake clock,
// clicks and time-outs, the screens' series rule, and records from the
// network checked before they are buffered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/globals.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "season/ankuendigung.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season_test_hilfen.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

u32 uhr = 1000;
u32 uhr_lesen() { return uhr; }
int tasten = 0;
bool screen = false;
std::vector<std::string> gezeigt;

class Ankuendigung : public ::testing::Test {
  protected:
    void SetUp() override {
        Welt_Freigeben();
        ASSERT_TRUE(Welt_Anlegen(10, 0));
        Uhr_Set_Hooks({.jetzt = uhr_lesen});
        Optionen_Reset();
        for (int o : {4, 5, 11, 12, 14, 24}) Option_Wert(o, 1, 1);
        Option_Wert(24, 1, 0);
        Ankuendigung_Set_Hooks({
            .seite_bauen = [](u32 art, const Spielankuendigung& a) {
                gezeigt.push_back(std::to_string(art) + ":" + std::to_string(a.team_a));
                return true;
            },
            .screen_oeffnen = [](int modus, const Spielankuendigung& a) {
                gezeigt.push_back("screen" + std::to_string(modus) + ":" + std::to_string(a.wettbewerb));
                return screen = true;
            },
            .screen_offen = [] { return screen; },
            .maus_tasten = [] { return tasten; },
        });
        Spielankuendigung_Init();
        gezeigt.clear();
        tasten = 0, screen = false, uhr = 1000;
    }
    void TearDown() override {
        Ankuendigung_Set_Hooks({});
        Season_Hooks_Zuruecksetzen();
        Uhr_Set_Hooks({});
        Welt_Freigeben();
    }
    // One frame 20 ms later.
    static int frame() { return Spielankuendigung_Run(uhr += 20); }
    // Runs frames, clicking every page away (release, press) and closing
    // screens, until nothing is left.
    static void alles_wegklicken() {
        for (int i = 0; i < 200 && (frame() || !Spielankuendigung_Puffer_Leer() || screen); ++i) {
            if (screen) {
                screen = false;
                Spielankuendigung_Screen_Schliessen();
            }
            tasten = tasten ? 0 : 1;
        }
    }
    static void puffern(u32 art, u32 prio, i32 team = 3, i32 wettbewerb = 0) {
        Spielankuendigung_Setzen(wettbewerb, team, 4, 0, 0, 0, nullptr);
        ASSERT_TRUE(Spielankuendigung_Puffern(art, prio));
    }
};

TEST_F(Ankuendigung, ArtenKommenInIhrerRangfolge) {
    // The matchday runner's priorities after a match of team 3 (10 teams),
    // buffered in a shuffled order; the line-ups picture comes last here.
    const i32 t = 3, n = Team_Anzahl;
    puffern(ANK_TABELLE, t * 50 + 6);
    puffern(ANK_GELD, t * 50 + n * 50 + 8);
    puffern(ANK_VOR_SPIEL, t + 8 * n);
    puffern(ANK_TORE, t * 50 + n * 50 + 10);
    puffern(ANK_ERGEBNISSE, t * 50 + 7);
    puffern(ANK_STATISTIK, t * 50 + n * 50 + 9);
    alles_wegklicken();
    const std::vector<std::string> erwartet = {"2:3", "3:3", "4:3", "screen1:0", "screen0:0", "1:3"};
    EXPECT_EQ(gezeigt, erwartet);
    EXPECT_TRUE(Spielankuendigung_Puffer_Leer());
}

TEST_F(Ankuendigung, KlickZeitueberschreitungUndSerien) {
    // A click already held when the page appears does not close it.
    tasten = 1;
    ASSERT_TRUE(Spielankuendigung_Jetzt(ANK_TORE, false));
    EXPECT_EQ(frame(), 2);
    EXPECT_EQ(frame(), 2);
    tasten = 0;
    EXPECT_EQ(frame(), 2);
    tasten = 1;
    EXPECT_EQ(frame(), 0);  // released and pressed again: closed
    tasten = 0;
    // Not clicked: over after 50 seconds. The line-ups picture holds the
    // matches meanwhile (the other pages let them run behind).
    ASSERT_TRUE(Spielankuendigung_Jetzt(ANK_VOR_SPIEL, false));
    EXPECT_EQ(frame(), 1);
    uhr += ANK_DAUER_MS;
    frame();
    EXPECT_EQ(frame(), 0);
    // Equal priorities: the lower slot first. A results screen takes the
    // other results screens of its competition with it, not its table.
    gezeigt.clear();
    puffern(ANK_TORE, 500, 5);
    puffern(ANK_TORE, 500, 6);
    puffern(ANK_ERGEBNISSE, 400, 5, 2);
    puffern(ANK_ERGEBNISSE, 300, 6, 2);
    puffern(ANK_TABELLE, 200, 6, 2);
    alles_wegklicken();
    const std::vector<std::string> erwartet = {"2:5", "2:6", "screen1:2", "screen0:2"};
    EXPECT_EQ(gezeigt, erwartet);
    // A second line-ups picture for the same team is refused.
    puffern(ANK_VOR_SPIEL, 10, 7);
    Spielankuendigung_Setzen(0, 7, 4, 0, 0, 0, nullptr);
    EXPECT_FALSE(Spielankuendigung_Puffern(ANK_VOR_SPIEL, 11));
}

TEST_F(Ankuendigung, NetzwerkSaetzeWerdenGeprueft) {
    struct Fall {
        const char* was;
        u32 art, prio;
        i32 wettbewerb, team_a, team_b;
        u32 laenge;
        bool gut;
    };
    const Fall faelle[] = {
        {"gut", ANK_TORE, 600, 60, 1, 2, 336, true},
        {"Art 7", 7, 600, 60, 1, 2, 336, false},
        {"Art 99", 99, 600, 60, 1, 2, 336, false},
        {"Priorität 0", ANK_TORE, 0, 60, 1, 2, 336, false},
        {"Priorität negativ", ANK_TORE, 0x80000000u, 60, 1, 2, 336, false},
        {"Wettbewerb 256", ANK_TORE, 600, 256, 1, 2, 336, false},
        {"Wettbewerb 3", ANK_TORE, 600, 3, 1, 2, 336, false},
        {"Team A zu groß", ANK_TORE, 600, 60, 10, 2, 336, false},
        {"Team B -2", ANK_TORE, 600, 60, 1, -2, 336, false},
        {"zu kurz", ANK_TORE, 600, 60, 1, 2, 335, false},
    };
    for (const Fall& f : faelle) {
        Spielankuendigung_Init();
        Spielankuendigung a;
        a.art = f.art, a.prioritaet = f.prio, a.wettbewerb = f.wettbewerb, a.team_a = f.team_a, a.team_b = f.team_b;
        std::vector<u8> b;
        bytes::Schreiber s{b};
        s(a);
        b.resize(f.laenge);
        EXPECT_EQ(Spielankuendigung_Aus_News(b.data(), f.laenge), f.gut) << f.was;
        EXPECT_EQ(Spielankuendigung_Puffer_Leer(), !f.gut) << f.was;
    }
    // As a news item (the way a client gets it) the record stays whole.
    ASSERT_TRUE(Manager_Neuer_Mitspieler(1, "Test", 0));
    News_Init();
    Spielankuendigung_Init();
    Spielankuendigung a;
    a.art = ANK_TORE, a.prioritaet = 600, a.wettbewerb = 60, a.team_a = 1, a.team_b = 2;
    Spielankuendigung_Als_News(a, 1);
    const std::string& t = News_Get_Text(0);
    EXPECT_TRUE(Spielankuendigung_Aus_News(reinterpret_cast<const u8*>(t.data()), static_cast<u32>(t.size())));
    News_Free();
}

TEST_F(Ankuendigung, SpielstandHinUndZurueckUndBeschaedigtAbgelehnt) {
    Spielankuendigung_Spielstand_Anmelden();
    const Spielstand_Modul m = Spielstand_Modul_Holen(SPIELSTAND_BLOCK_ANKUENDIGUNGEN);
    auto laden = [&](const std::vector<u8>& b) {
        Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
        const bool gut = m.lesen(d);
        Datei_Schliessen(d);
        gut ? m.uebernehmen() : m.verwerfen();
        return gut;
    };
    // Nothing ever set: an empty block, as in games saved before.
    EXPECT_TRUE(season_test::Block_Bytes(Spielankuendigung_Save).empty());
    puffern(ANK_TORE, 900, 2, 60);
    puffern(ANK_TABELLE, 300, 5, 61);
    const std::vector<u8> gut = season_test::Block_Bytes(Spielankuendigung_Save);
    Spielankuendigung_Init();
    ASSERT_TRUE(laden(gut));
    EXPECT_EQ(Spielankuendigung_Puffer()[1].prioritaet, 300u);
    EXPECT_EQ(Spielankuendigung_Puffer()[1].wettbewerb, 61);
    EXPECT_TRUE(season_test::Block_Bytes(Spielankuendigung_Save) == gut);
    // A record of an unknown kind: the block is refused, the game keeps its buffer.
    Spielankuendigung schlecht[ANK_PUFFER];
    schlecht[0].art = 7, schlecht[0].prioritaet = 5;
    const std::vector<u8> kaputt = season_test::Block_Bytes(
        [&](Datei_Status* d) { return Datei_Schreiben_Felder(d, [&](bytes::Schreiber& w) { w(schlecht); }, true); },
        [&](Datei_Status* d) { return Datei_Schreiben_Felder(d, [&](bytes::Schreiber& w) { w(schlecht[1]); }, true); });
    EXPECT_FALSE(laden(kaputt));
    EXPECT_FALSE(laden(std::vector<u8>(gut.begin(), gut.end() - 3)));
    EXPECT_EQ(Spielankuendigung_Puffer()[0].prioritaet, 900u);
    Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_ANKUENDIGUNGEN);
}

}  // namespace
