// A new game played headless into the main menu, with the program's real
// wiring and the generated archives: the dialog pop-up, its entries under
// the mouse, the end-of-turn question with ten players answered "no", and
// the match control bar with its pause button. Each step leaves a PNG and is
// compared with its golden frame hash.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <thread>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/settings.h"
#include "base/spielstand.h"
#include "base/globals.h"
#include "graphics/sound.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "main/registrierung.h"
#include "main/spielstart.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "platform/mainloop.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "matchday/spieltag.h"
#include "season/startkonten.h"
#include "season/wettbewerb_werte.h"
#include "match/spielfeld.h"
#include "programm.h"
#include "world/aufstellung.h"
#include "world/bank.h"
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
        ASSERT_TRUE(Test_Programm_Starten("kordavo_menue", &ordner));
    }
    void TearDown() override { Test_Programm_Beenden(ordner); }
    // Runs the script part, writes its PNG and checks the frame's hash.
    void schritt(const std::string& name, const std::string& skript, i32 frames, u64 golden) {
        ASSERT_GT(Headless_Lauf(skript + "screenshot hauptmenue_" + name + ".png\n", frames + 2), 0) << name;
        const u64 h = fnv(Headless_Bildpuffer());
        EXPECT_EQ(h, golden) << name << ": 0x" << std::hex << h;
    }
    // Ends the turn by its button and waits until a main menu is up again.
    void zug_beenden() {
        ASSERT_GT(Headless_Lauf("move 750 583\nwait 2\nclick left\nwait 3\n", 8), 0);
        // Fewer than eleven starters after a match: the turn ends all the same.
        if (Menue_Requester_Offen()) {
            ASSERT_GT(Headless_Lauf("move 116 424\nwait 2\nclick left\nwait 3\n", 8), 0);
        }
        for (int n = 0; n < 2000 && !(Kalender_Get_Runmodus() == RUNMODUS_SPIEL &&
                                      Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) && Menue_Modus == 0);
             ++n) {
            // Announcement pages are clicked away, their screens closed by their button.
            ASSERT_GT(Headless_Lauf(std::string(Ankuendigung_Wegklicken()) + "wait 5\n", 8), 0);
        }
    }
    std::string ordner;
};

TEST_F(Hauptmenue, NeuesSpielPopupRequesterUndKontrollleiste) {
    // A new game: the set-up reads the world and the first club gets its
    // manager; the first day ends in normal play with the main menu. The
    // club starts with the money of the difficulty at its league's level, a
    // computer club with that of the default difficulty.
    schritt("1_start", "wait 12\n", 12, 0x476849cab83b9de4ull);
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    ASSERT_EQ(Manager_Anzahl_Menschen(), 1);
    EXPECT_EQ(Bank_Get_Kontostand(Team_Aktiv, 0, -1),
              static_cast<f64>(Startkonto_Betrag(Schwierigkeit, Wettbewerb_Get_Liga_Prozent(Team_Aktiv))));
    EXPECT_GE(Bank_Get_Kontostand(Team_Aktiv + 1, 0, -1), 500000.0);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));

    // The "Team" button opens upwards in 20-pixel steps.
    schritt("2_popup", "move 324 580\nwait 2\nclick left\nwait 14\n", 18, 0xcc17238cc3947c4full);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM)->y, 436);

    // Hovering the entries: the third one is highlighted.
    schritt("3_eintrag", "move 324 470\nwait 2\nmove 324 520\nwait 2\n", 6, 0x57cbb66bba23f8e3ull);
    EXPECT_EQ(Menue_Dialog_Eintrag(ICON_DIALOG_TEAM), 2);

    // Closed again; with a starter taken out the end of the turn asks first.
    ASSERT_GT(Headless_Lauf("move 324 445\nwait 2\nclick left\nwait 14\n", 20), 0);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM)->y, 571);
    i32 elf[64];
    ASSERT_EQ(Teamspieler_Ins_Array(Team_Aktiv, elf, 64, 16), 11);
    Spieler_Daten[elf[10]].status &= ~16u;
    schritt("4_requester", "move 750 583\nwait 2\nclick left\nwait 3\n", 8, 0xc305e09f37c8ce7full);
    ASSERT_TRUE(Menue_Requester_Offen());

    // "Nein": the requester closes and the turn goes on.
    schritt("5_nein", "move 694 421\nwait 2\nclick left\nwait 3\n", 8, 0xf750a1ae2725b983ull);  // the video moved on
    EXPECT_FALSE(Menue_Requester_Offen());
    EXPECT_EQ(Menue_Modus, 0);
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));

    // The control bar of a match, its pause button toggled on.
    Menue_Kontrollleiste_Zeigen();
    schritt("6_pause", "move 196 582\nwait 2\nclick left\nwait 2\n", 7, 0x3ef3d4890eb1e4baull);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_PAUSE)->status & MENUE_S_AN);
}

// Two managers at one machine for 30 days: each day both take a turn in
// the order drawn for the day, each ended by the end-of-turn button; the
// hand-over shows the next manager's club in the header. Saving from the
// "Spiel" menu works; a damaged save is refused and the game goes on.
TEST_F(Hauptmenue, ZweiManagerDreissigTageAmSelbenRechner) {
    ASSERT_TRUE(W32_Registry_Write("Mitspieler", "2"));
    schritt("7_erster", "wait 12\n", 12, 0x476849cab83b9de4ull);
    ASSERT_EQ(Manager_Anzahl_Menschen(), 2);
    Option_Wert(OPTION_ZUGZEIT, 1, 300000);  // five minutes a turn: the clock shows
    const i32 start = Kalender_Get_Tag();
    std::vector<std::vector<i32>> tage;
    for (int tag = 0; tag < 30; ++tag) {
        std::vector<i32> teams;
        for (int zug = 0; zug < 2; ++zug) {
            ASSERT_EQ(Kalender_Get_Tag(), start + tag);
            teams.push_back(Team_Aktiv);
            if (tag == 0 && zug == 1) schritt("8_zweiter", "wait 2\n", 2, 0x9f300b48f57ad5eaull);
            zug_beenden();
        }
        tage.push_back(teams);
    }
    EXPECT_EQ(Kalender_Get_Tag(), start + 30);
    bool gewechselt = false;
    for (const auto& t : tage) {
        ASSERT_EQ(t.size(), 2u);
        EXPECT_NE(t[0], t[1]);
        gewechselt |= t != tage[0];
    }
    EXPECT_TRUE(gewechselt);  // the order is drawn anew each day

    // Spiel > Speichern writes slot 1 and says so.
    schritt("9_gespeichert", "move 624 583\nwait 2\nclick left\nwait 14\nmove 624 536\nwait 2\nclick left\nwait 3\n", 24,
            0x4e5aaf8acbee911cull);
    std::string datei = Kalender_Spielstand_Pfad(0);
    std::replace(datei.begin(), datei.end(), '\\', '/');
    EXPECT_TRUE(fs::exists(datei));
    EXPECT_TRUE(Menue_Requester_Offen());
    ASSERT_GT(Headless_Lauf("move 694 421\nwait 2\nclick left\nwait 3\n", 8), 0);
    EXPECT_FALSE(Menue_Requester_Offen());

    // A damaged save: Spiel > Laden, "Ja", the load is refused with a message.
    { std::FILE* f = std::fopen(datei.c_str(), "r+b"); ASSERT_NE(f, nullptr); std::fseek(f, 40, SEEK_SET); std::fputs("kaputt", f); std::fclose(f); }
    const i32 tag = Kalender_Get_Tag(), team = Team_Aktiv;
    ASSERT_GT(Headless_Lauf("move 624 583\nwait 2\nclick left\nwait 14\nmove 624 514\nwait 2\nclick left\nwait 3\n", 24), 0);
    ASSERT_TRUE(Menue_Requester_Offen());
    schritt("10_laden_kaputt", "move 116 424\nwait 2\nclick left\nwait 4\n", 8, 0xb6af523275a00174ull);
    EXPECT_STRNE(Spielstand_Letzter_Fehler(), "");
    EXPECT_TRUE(Menue_Requester_Offen());
    EXPECT_EQ(Kalender_Get_Tag(), tag);
    EXPECT_EQ(Team_Aktiv, team);
}

// One manager ends his turns past the first two matchdays. Without a live
// match view his club's match is played on the engine at full speed and no
// turn is handed out meanwhile; his menu comes back on the matchday with the
// result, and the turn after it ends the day. The match pause of the control
// bar, left on, holds no match that nobody watches.
TEST_F(Hauptmenue, EinManagerUeberZweiSpieltage) {
    ASSERT_GT(Headless_Lauf("wait 12\n", 14), 0);
    Spielfeld_Set_Pause(1);
    const i32 team = Team_Aktiv;
    auto zeile = [&]() -> const Spieltag_Slot* {
        for (const auto& r : Spieltag_Slots())
            if (const Spiel* s = Spiele_Get_Spiel(r.spiel, true); s && (s->team_a == team || s->team_b == team))
                return &r;
        return nullptr;
    };
    int gespielt = 0;
    for (int zug = 0; gespielt < 2; ++zug) {
        ASSERT_LT(zug, 150) << "the season stalls on day " << Kalender_Get_Tag();
        const i32 tag = Kalender_Get_Tag();
        const int status = zeile() ? zeile()->status : -1;
        const u32 mit_engine = Spieltag_Get_Zahlen().spiele[1];
        zug_beenden();
        ASSERT_EQ(Team_Aktiv, team);
        if (status == ST_WARTET) {
            // The morning's turn: the match is over when the menu is back.
            ASSERT_EQ(Kalender_Get_Tag(), tag);
            ASSERT_NE(zeile(), nullptr);
            ASSERT_EQ(zeile()->status, ST_FERTIG);
            const Spiel* s = Spiele_Get_Spiel(zeile()->spiel, true);
            EXPECT_TRUE(s->tore_a >= 0 && s->tore_b >= 0);
            EXPECT_EQ(Spieltag_Get_Zahlen().spiele[1], mit_engine + 1);
            EXPECT_FALSE(Season_Module.Spieltag_Spiele_Offen());
            ++gespielt;
        } else if (status == ST_FERTIG) {
            EXPECT_EQ(Kalender_Get_Tag(), tag + 1);
        }
    }
    Spielfeld_Set_Pause(0);
}

// The main menu through SDL's disk driver, paced in real time: a second of
// music, then a click on a dialog button that ducks it; the file is not
// silent and the music under the duck (1.5 s on) is quieter than before.
TEST_F(Hauptmenue, ZweiSekundenMenueMitKlickAufDisk) {
    fs::copy_file(std::string(KORDAVO_SPIELORDNER) + "/background.wav", ordner + "/background.wav");
    const std::string datei = ordner + "/ausgabe.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", datei.c_str(), 1);
    const bool an = Main_Hooks.Sound_Starten();
    unsetenv("SDL_AUDIODRIVER");
    ASSERT_TRUE(an);
    auto sekunde = [](const char* skript, u32 ms = 1000) {
        ASSERT_TRUE(Headless_Skript(skript));
        for (u32 t = 0; t < ms; t += HEADLESS_ZEITSCHRITT_MS) {
            Headless_Frames(1);
            std::this_thread::sleep_for(std::chrono::milliseconds(HEADLESS_ZEITSCHRITT_MS));
        }
    };
    // The music fades in over many seconds; here it starts at full volume.
    sekunde("wait 100\n");
    ASSERT_EQ(Backsound_Zustand(), 1);
    Backsound_Set_Lautstaerke(BACKSOUND_MAX);
    sekunde("wait 100\n");
    const size_t klick = fs::file_size(datei) / 2;
    sekunde("move 324 580\nwait 1\nclick left\nwait 100\n", 1600);
    Sound_Alles_Freigeben();
    std::ifstream in(datei, std::ios::binary);
    const std::vector<char> roh((std::istreambuf_iterator<char>(in)), {});
    std::vector<i16> pcm(roh.size() / 2);
    std::memcpy(pcm.data(), roh.data(), pcm.size() * 2);
    ASSERT_GT(pcm.size(), klick + 22050);
    auto rms = [&](size_t von, size_t bis) {
        double s = 0;
        for (size_t i = von; i < bis; ++i) s += double(pcm[i]) * pcm[i];
        return std::sqrt(s / double(bis - von));
    };
    const size_t n = pcm.size();
    const double vorher = rms(klick - 22050, klick), danach = rms(n - 22050 / 4, n);
    EXPECT_GT(vorher, 500);
    EXPECT_GT(danach, 100);
    EXPECT_LT(danach, vorher * 0.85) << vorher << " " << danach;
}

}  // namespace
