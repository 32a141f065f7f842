// A new game played headless into the main menu, with the program's real
// wiring and the generated archives: the dialog pop-up, its entries under
// the mouse, the end-of-turn question with ten players answered "no", and
// the match control bar with its pause button. Each step leaves a PNG and is
// compared with its golden frame hash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/globals.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "main/registrierung.h"
#include "main/spielstart.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/season_hooks.h"
#include "spielordner.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/welt.h"

#ifndef KORDAVO_SPIELORDNER
#define KORDAVO_SPIELORDNER "game"
#endif

namespace fs = std::filesystem;

namespace {

u64 fnv(const std::vector<u16>& b) {
    u64 h = 1469598103934665603ull;
    for (u16 p : b) h = (h ^ p) * 1099511628211ull;
    return h;
}

class Hauptmenue : public ::testing::Test {
  protected:
    void SetUp() override {
        ordner = Test_Spielordner_Anlegen("kordavo_menue");
        std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Quit_Status = QUIT_STATUS_LAEUFT;
        Kalender_Lauf_Reset();  // a new game after the previous test's end
        Main_Registrieren();
        Main_Spielstart_Registrieren();
        ASSERT_TRUE(Headless_Starten());
        ASSERT_TRUE(Main_Hooks.Archive_Oeffnen());
        ASSERT_TRUE(Main_Hooks.Fonts_Laden());
    }
    void TearDown() override {
        Headless_Lauf("quit\n", 5);
        Main_Hooks.Grafik_Sound_Freigeben();
        Main_Hooks.Archive_Schliessen();
        Headless_Beenden();
        Main_Hooks_Zuruecksetzen();
        Season_Hooks_Zuruecksetzen();
        std::error_code ec;
        fs::remove_all(ordner, ec);
    }
    // Runs the script part, writes its PNG and checks the frame's hash.
    void schritt(const std::string& name, const std::string& skript, i32 frames, u64 golden) {
        ASSERT_GT(Headless_Lauf(skript + "screenshot hauptmenue_" + name + ".png\n", frames + 2), 0) << name;
        const u64 h = fnv(Headless_Bildpuffer());
        EXPECT_EQ(h, golden) << name << ": 0x" << std::hex << h;
    }
    std::string ordner;
};

TEST_F(Hauptmenue, NeuesSpielPopupRequesterUndKontrollleiste) {
    // A new game: the set-up reads the world and the first club gets its
    // manager; the first day ends in normal play with the main menu.
    schritt("1_start", "wait 12\n", 12, 0x8275eb6302cde732ull);
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    ASSERT_EQ(Manager_Anzahl_Menschen(), 1);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));

    // The "Team" button opens upwards in 20-pixel steps.
    schritt("2_popup", "move 324 580\nwait 2\nclick left\nwait 14\n", 18, 0xad0af564b0339064ull);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM)->y, 436);

    // Hovering the entries: the third one is highlighted.
    schritt("3_eintrag", "move 324 470\nwait 2\nmove 324 520\nwait 2\n", 6, 0x6e5793e1cf0c78b3ull);
    EXPECT_EQ(Menue_Dialog_Eintrag(ICON_DIALOG_TEAM), 2);

    // Closed again; with a starter taken out the end of the turn asks first.
    ASSERT_GT(Headless_Lauf("move 324 445\nwait 2\nclick left\nwait 14\n", 20), 0);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM)->y, 571);
    i32 elf[64];
    ASSERT_EQ(Teamspieler_Ins_Array(Team_Aktiv, elf, 64, 16), 11);
    Spieler_Daten[elf[10]].status &= ~16u;
    schritt("4_requester", "move 750 583\nwait 2\nclick left\nwait 3\n", 8, 0x75687d533bad9665ull);
    ASSERT_TRUE(Menue_Requester_Offen());

    // "Nein": the requester closes and the turn goes on.
    schritt("5_nein", "move 694 421\nwait 2\nclick left\nwait 3\n", 8, 0x8275eb6302cde732ull);
    EXPECT_FALSE(Menue_Requester_Offen());
    EXPECT_EQ(Menue_Modus, 0);
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));

    // The control bar of a match, its pause button toggled on.
    Menue_Kontrollleiste_Zeigen();
    schritt("6_pause", "move 196 582\nwait 2\nclick left\nwait 2\n", 7, 0xc2cefee20e0536aeull);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_PAUSE)->status & MENUE_S_AN);
}

TEST_F(Hauptmenue, NachDemZugendeKommtDasMenueAmSpieltagWieder) {
    // The first day: the main menu; the end of the turn runs the days on until
    // the first matchday, where the manager's turn and the menu come back.
    ASSERT_GT(Headless_Lauf("wait 12\n", 12), 0);
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    const i32 erster_tag = Kalender_Get_Tag();
    ASSERT_GT(Headless_Lauf("move 750 583\nwait 2\nclick left\nwait 600\n", 610), 0);
    const i32 spieltag = Kalender_Get_Tag();
    EXPECT_GT(spieltag, erster_tag);
    EXPECT_GT(Kalender_Spieltage_Heute(-1, 0, nullptr), 0);
    ASSERT_GT(Headless_Lauf("wait 300\n", 300), 0);
    EXPECT_EQ(Kalender_Get_Tag(), spieltag);
    // The page before the menu shows the day's opponents until it is clicked away.
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIELTAG);
    ASSERT_GT(Headless_Lauf("screenshot vor_dem_spiel.png\nclick left\nwait 20\n", 25), 0);
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));
}

}  // namespace
