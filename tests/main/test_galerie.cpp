// Sixty days of a new game with two managers at one machine, played
// headless as a player would: each manager's menu, an open pop-up with an
// entry under the mouse, a screen still to come, the notice whose turn it
// is, the question before a turn with too few players, the running match
// under the control bar, every page and screen after a match, a save and a
// load question. The first sight of each is written as a PNG into the
// folder named by KORDAVO_GALERIE (default: "galerie" beside the test), and
// every one of them is checked: no text over another.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "base/settings.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "programm.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "season/optionen.h"
#include "matchday/spieltag.h"
#include "spur.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/welt.h"

namespace fs = std::filesystem;

namespace {

class Galerie : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Test_Programm_Starten("kordavo_galerie", &ordner));
        const char* z = std::getenv("KORDAVO_GALERIE");
        ziel = z && *z ? z : "galerie";
        fs::create_directories(ziel);
    }
    void TearDown() override { Test_Programm_Beenden(ordner); }

    // The first sight of `name`: its picture, its texts checked.
    void aufnahme(const std::string& name) {
        if (!gesehen.insert(name).second) return;
        ASSERT_GT(Headless_Lauf("screenshot " + ziel + "/" + name + ".png\n", 3), 0) << name;
        const auto t = spur::frame();
        EXPECT_EQ(spur::ueberlappungen(t), std::vector<std::string>{}) << name;
    }
    void lauf(const char* skript, i32 frames) { ASSERT_GT(Headless_Lauf(skript, frames), 0) << skript; }

    // One manager's turn: a look around on the first turns, then its end.
    void zug(int tag) {
        if (Menue_Requester_Offen()) {
            aufnahme(gesehen.count("wechsel_hinweis") ? "wechsel_hinweis_2" : "wechsel_hinweis");
            lauf("click right 400 300\nwait 3\n", 6);
        }
        if (tag == 0) {
            aufnahme(Team_Aktiv == erster ? "menue_manager_1" : "menue_manager_2");
            // The screen used last (at first the squad) reopens over the menu;
            // the menu's clip stands still under it and is not drawn.
            if (Menue_Screen_Icon_Ist_Vorhanden(2401)) {
                EXPECT_FALSE(Menue_Hintergrund_Video_Laeuft());
            }
            if (Team_Aktiv == erster) {
                lauf("move 324 580\nwait 2\nclick left\nwait 14\nmove 324 520\nwait 2\n", 22);
                aufnahme("menue_team_offen");
                lauf("click right 400 300\nwait 3\n", 6);
            }
        }
        // With a player short the question comes first; the manager then
        // sets his line-up and ends the turn.
        i32 elf[64];
        if (Teamspieler_Ins_Array(Team_Aktiv, elf, 64, 16) < 11) {
            lauf("move 750 583\nwait 2\nclick left\nwait 4\n", 10);
            if (Menue_Requester_Offen()) aufnahme("frage_zu_wenige_spieler");
            lauf("move 694 421\nwait 2\nclick left\nwait 3\n", 8);
            Aufstellung_Automatisch(Team_Aktiv);
        }
        lauf("move 750 583\nwait 2\nclick left\nwait 3\n", 8);
        for (int n = 0; n < 3000; ++n) {
            if (Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) &&
                Menue_Modus == 0)
                break;
            if (Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIEL_BILD)) {
                if (!gesehen.count("spiel_kontrollleiste")) lauf("move 400 300\nwait 20\n", 22);
                aufnahme("spiel_kontrollleiste");
            }
            if (Spielankuendigung_Screen_Offen() ||
                (Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG && !Spielankuendigung_Puffer_Leer())) {
                static const char* const namen[ANK_ARTEN] = {"seite_vor_menue", "seite_vor_spiel", "seite_tore",
                                                             "seite_statistik", "seite_finanzen", "screen_ergebnisse",
                                                             "screen_tabelle", "", "screen_sieger"};
                const u32 art = Spielankuendigung_Laufende_Art();
                if (art < ANK_ARTEN && *namen[art] && !gesehen.count(namen[art])) {
                    lauf("wait 12\n", 13);  // the page has opened
                    aufnahme(namen[art]);
                }
            }
            lauf((std::string(Ankuendigung_Wegklicken()) + "wait 5\n").c_str(), 8);
        }
    }

    std::string ordner, ziel;
    std::set<std::string> gesehen;
    i32 erster = -1;
};

TEST_F(Galerie, SechzigTageZweiManager) {
    ASSERT_TRUE(W32_Registry_Write("Mitspieler", "2"));
    lauf("wait 12\n", 14);
    ASSERT_EQ(Manager_Anzahl_Menschen(), 2);
    Option_Wert(OPTION_ZUGZEIT, 1, 300000);  // the turn clock shows
    erster = Team_Aktiv;
    const i32 start = Kalender_Get_Tag();
    while (Kalender_Get_Tag() < start + 60) {
        const i32 tag = Kalender_Get_Tag() - start;
        zug(tag);
        if (HasFatalFailure()) return;
    }
    // Spiel > Speichern, then Spiel > Laden's question.
    if (Menue_Requester_Offen()) lauf("click right 400 300\nwait 3\n", 6);
    lauf("move 624 583\nwait 2\nclick left\nwait 14\nmove 624 536\nwait 2\nclick left\nwait 3\n", 24);
    aufnahme("mitteilung_gespeichert");
    lauf("click right 400 300\nwait 3\n", 6);
    lauf("move 624 583\nwait 2\nclick left\nwait 14\nmove 624 514\nwait 2\nclick left\nwait 3\n", 24);
    aufnahme("frage_laden");
    lauf("move 694 421\nwait 2\nclick left\nwait 3\n", 8);
    // Everything a player meets in these days was seen.
    for (const char* n : {"menue_manager_1", "menue_manager_2", "menue_team_offen",
                          "wechsel_hinweis", "spiel_kontrollleiste", "seite_tore", "seite_statistik", "seite_finanzen",
                          "screen_ergebnisse", "screen_tabelle", "mitteilung_gespeichert", "frage_laden"})
        EXPECT_TRUE(gesehen.count(n)) << n;
}

}  // namespace
