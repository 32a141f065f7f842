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
#include "base/pruefsumme.h"
#include "base/settings.h"
#include "base/spielstand.h"
#include "base/globals.h"
#include "graphics/sound.h"
#include "gui/hauptmenue.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "platform/input.h"
#include "gui/text_cfg.h"
#include "gui/palette.h"
#include "main/registrierung.h"
#include "main/spielbeginn.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "platform/mainloop.h"
#include "screens/club/spielstand.h"
#include "screens/screens.h"
#include "screens/match/ank_bild.h"
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
#include "spur.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"

#ifndef KORDAVO_SPIELORDNER
#define KORDAVO_SPIELORDNER "game"
#endif

namespace fs = std::filesystem;

namespace {

class Hauptmenue : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Test_Programm_Starten("kordavo_menue", &ordner));
    }
    void TearDown() override { Test_Programm_Beenden(ordner); }
    // Runs the script part and writes its PNG.
    void schritt(const std::string& name, const std::string& skript, i32 frames) {
        ASSERT_GT(Headless_Lauf(skript + "screenshot hauptmenue_" + name + ".png\n", frames + 2), 0) << name;
    }
    // Ends the turn by its button and waits until a main menu is up again.
    void zug_beenden() {
        // The notice whose turn it is (several managers at one machine) is
        // taken away first, as is any message of the day (by its button).
        for (int n = 0; n < 8 && Menue_Requester_Offen(); ++n) {
            const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_2);
            if (!k || (k->status & MENUE_S_VERSTECKT)) k = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_1);
            const std::string klick = k ? "move " + std::to_string(k->x + k->w / 2) + " " +
                                              std::to_string(k->y + k->h / 2) + "\nwait 2\nclick left\nwait 3\n"
                                        : std::string("click right 400 300\nwait 3\n");
            ASSERT_GT(Headless_Lauf(klick, 6), 0);
        }
        ASSERT_FALSE(Menue_Requester_Offen());
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

// A hash of the screen inside the menu clip's box (x 200-600, y 100-400).
u64 clip_bereich() {
    const std::vector<u16> b = Headless_Bildpuffer();
    u64 h = pruef::FNV_START;
    for (i32 y = 100; y < 400; ++y) h = pruef::fnv_worte(b.data() + static_cast<size_t>(y) * 800 + 200, 400, h);
    return h;
}

// What the colour of a text drawn before leaves in the fonts (the money
// page's gain, a teal): every text of the frame must come out in its own colour.
void fonts_vergiften() {
    for (i32 n = 0; n < FONT_ANZAHL; ++n)
        if (Font* f = Font_Tabelle_Holen(n)) f->farbe = 0x4E53;
}

TEST_F(Hauptmenue, NeuesSpielPopupRequesterUndKontrollleiste) {
    // A new game: the set-up reads the world and the first club gets its
    // manager; the first day ends in normal play with the main menu. The
    // club starts with the money of the difficulty at its league's level, a
    // computer club with that of the default difficulty.
    schritt("1_start", "wait 12\n", 12);
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    ASSERT_EQ(Manager_Anzahl_Menschen(), 1);
    EXPECT_EQ(Bank_Get_Kontostand(Team_Aktiv, 0, -1),
              static_cast<f64>(Startkonto_Betrag(Schwierigkeit, Wettbewerb_Get_Liga_Prozent(Team_Aktiv))));
    EXPECT_GE(Bank_Get_Kontostand(Team_Aktiv + 1, 0, -1), 500000.0);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));
    {
        // The header: the club's name centred at 182 in white, today's date
        // under the money line; the end-of-turn label; nothing over another.
        fonts_vergiften();
        const auto t = spur::frame();
        const spur::Text* name = spur::finden(t, Team_String(721, Team_Aktiv, nullptr, 0));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->farbe, FARBE_WEISS);
        EXPECT_NEAR(name->mitte(), 182, 1);
        const spur::Text* datum = spur::finden(t, Kalender_Get_Datum_Text(Kalender_Get_Tag(), true));
        ASSERT_NE(datum, nullptr);
        EXPECT_NE(datum->sichtbar.find(". Juli 2003"), std::string::npos) << datum->sichtbar;
        EXPECT_NEAR(datum->mitte(), 718, 1);
        EXPECT_EQ(datum->farbe, FARBE_HELL);
        ASSERT_NE(spur::finden(t, "Weiter"), nullptr);
        EXPECT_EQ(spur::finden(t, "Weiter")->farbe, FARBE_WEISS);
        EXPECT_EQ(spur::ueberlappungen(t), std::vector<std::string>{});
        // The screen used last (at first the squad) reopens over the menu:
        // the menu's clip stands still under it and leaves it untouched.
        ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(2401));
        const u64 vorher = clip_bereich();
        ASSERT_GT(Headless_Lauf("wait 25\n", 26), 0);
        EXPECT_FALSE(Menue_Hintergrund_Video_Laeuft());
        EXPECT_EQ(clip_bereich(), vorher);
    }

    // The "Team" button opens upwards in 20-pixel steps: its label in gold,
    // its entries white, however the fonts were left.
    schritt("2_popup", "move 324 580\nwait 2\nclick left\nwait 14\n", 18);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM)->y, 436);
    {
        fonts_vergiften();
        const auto t = spur::frame();
        struct Farbe {
            const char* text;
            u16 farbe;
        } faelle[] = {{"Team", FARBE_GEWAEHLT}, {"Aufstellung", FARBE_WEISS}, {"Training", FARBE_WEISS},
                      {"Trainingslager", FARBE_GEWAEHLT},  // under the mouse
                      {"Liga", FARBE_WEISS},    {"Spiel", FARBE_WEISS},       {"Weiter", FARBE_WEISS}};
        for (const Farbe& f : faelle) {
            const spur::Text* e = spur::finden(t, f.text);
            ASSERT_NE(e, nullptr) << f.text;
            EXPECT_EQ(e->farbe, f.farbe) << f.text;
        }
        // The drawer's last entry ends above the dialog bar's gold rule.
        EXPECT_LE(spur::finden(t, "Trainingslager")->y1, 592);
        EXPECT_EQ(spur::ueberlappungen(t), std::vector<std::string>{});
    }

    // Hovering the entries: the third one is highlighted in gold.
    schritt("3_eintrag", "move 324 470\nwait 2\nmove 324 520\nwait 2\n", 6);
    EXPECT_EQ(Menue_Dialog_Eintrag(ICON_DIALOG_TEAM), 2);
    {
        fonts_vergiften();
        const auto t = spur::frame();
        EXPECT_EQ(spur::finden(t, "Taktik")->farbe, FARBE_GEWAEHLT);
        EXPECT_EQ(spur::finden(t, "Kader")->farbe, FARBE_WEISS);
    }

    // Closed again; with a starter taken out the end of the turn asks first.
    ASSERT_GT(Headless_Lauf("move 324 445\nwait 2\nclick left\nwait 14\n", 20), 0);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM)->y, 571);
    i32 elf[64];
    ASSERT_EQ(Teamspieler_Ins_Array(Team_Aktiv, elf, 64, 16), 11);
    Spieler_Daten[elf[10]].status &= ~16u;
    schritt("4_requester", "move 750 583\nwait 2\nclick left\nwait 3\n", 8);
    ASSERT_TRUE(Menue_Requester_Offen());
    {
        // A question is titled as one; its texts sit inside the panel, the
        // answers centred on their buttons in the button colour; the menu's
        // clip stands still under it.
        fonts_vergiften();
        const auto t = spur::frame(3);
        ASSERT_NE(spur::finden(t, "Frage"), nullptr);
        EXPECT_EQ(spur::finden(t, "Mitteilung"), nullptr);
        const spur::Text* ja = spur::finden(t, "Ja");
        const spur::Text* nein = spur::finden(t, "Nein");
        ASSERT_TRUE(ja && nein);
        EXPECT_EQ(ja->farbe, FARBE_KNOPF_TEXT);
        EXPECT_EQ(nein->farbe, FARBE_KNOPF_TEXT);
        EXPECT_NEAR(ja->mitte(), 84 + 31, 1);  // the left button starts with the text column
        EXPECT_NEAR(nein->mitte(), 649 + 31, 1);
        std::vector<spur::Text> seite;
        // The requester's texts, not the button labels of the squad screen
        // behind it (the main menu opens the screen used last, at first that one).
        auto knopf_dahinter = [](const std::string& s) {
            for (i32 n = 11; n <= 14; ++n)
                if (s == Text_cfg_Text(TEXT_EINSETZEN_1, n)) return true;
            return false;
        };
        for (const spur::Text& e : t)
            if (e.y0 >= 158 && e.y1 <= 458 && !knopf_dahinter(e.sichtbar)) seite.push_back(e);
        EXPECT_GE(seite.size(), 5u);
        EXPECT_EQ(spur::ausserhalb(seite, 66 + 16, 158, 734 - 16, 458), std::vector<std::string>{});
        EXPECT_EQ(spur::ueberlappungen(t), std::vector<std::string>{});
        EXPECT_FALSE(Menue_Hintergrund_Video_Laeuft());
        // Nothing of the clip shows over the requester: the box stays still.
        const u64 vorher = clip_bereich();
        ASSERT_GT(Headless_Lauf("wait 25\n", 26), 0);
        EXPECT_EQ(clip_bereich(), vorher);
    }

    // "Nein": the requester closes and the turn goes on.
    schritt("5_nein", "move 694 421\nwait 2\nclick left\nwait 3\n", 8);
    EXPECT_FALSE(Menue_Requester_Offen());
    EXPECT_EQ(Menue_Modus, 0);
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));

    // The control bar of a match, its pause button toggled on.
    Menue_Kontrollleiste_Zeigen();
    schritt("6_pause", "move 196 582\nwait 2\nclick left\nwait 2\n", 7);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_PAUSE)->status & MENUE_S_AN);
}

// Two managers at one machine for 30 days: each day both take a turn in
// the order drawn for the day, each ended by the end-of-turn button; the
// hand-over shows the next manager's club in the header. Saving from the
// "Spiel" menu works; a damaged save is refused and the game goes on.
TEST_F(Hauptmenue, ZweiManagerDreissigTageAmSelbenRechner) {
    ASSERT_TRUE(W32_Registry_Write("Mitspieler", "2"));
    schritt("7_erster", "wait 12\n", 12);
    ASSERT_EQ(Manager_Anzahl_Menschen(), 2);
    Option_Wert(OPTION_ZUGZEIT, 1, 300000);  // five minutes a turn: the clock shows
    const i32 start = Kalender_Get_Tag();
    std::vector<std::vector<i32>> tage;
    i32 voriger = -1;
    for (int tag = 0; tag < 30; ++tag) {
        std::vector<i32> teams;
        for (int zug = 0; zug < 2; ++zug) {
            ASSERT_EQ(Kalender_Get_Tag(), start + tag);
            teams.push_back(Team_Aktiv);
            // A hand-over to the other manager tells whose turn it is. (The
            // first turn's notice comes only when the drawn first manager is
            // not the one the start left active: not asked.)
            if (voriger >= 0) {
                EXPECT_EQ(Menue_Requester_Offen(), Team_Aktiv != voriger) << "day " << tag << " turn " << zug;
            }
            voriger = Team_Aktiv;
            if (tag == 0 && zug == 1) {
                schritt("8_zweiter", "wait 2\n", 2);
                const auto t = spur::frame();
                const std::string wer = std::string(Team_String(721, Team_Aktiv, nullptr, 0)) + " ist am Zug.";
                EXPECT_NE(spur::finden(t, wer), nullptr) << wer;
                EXPECT_NE(spur::finden(t, "Mitteilung"), nullptr);
            }
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

    // Spiel > Speichern opens the save screen; its button with no slot chosen
    // writes the first free one, slot 1, and says so.
    if (Menue_Requester_Offen()) {
        ASSERT_GT(Headless_Lauf("click right 400 300\nwait 3\n", 6), 0);
    }
    ASSERT_GT(Headless_Lauf("move 624 583\nwait 2\nclick left\nwait 14\nmove 624 536\nwait 2\nclick left\nwait 3\n", 24), 0);
    ASSERT_TRUE(Screen_Offen(Screen_Id::SPEICHERN));
    schritt("9_gespeichert", "move 712 383\nwait 2\nclick left\nwait 6\n", 12);
    EXPECT_NE(spur::finden(spur::frame(), "Das Spiel wurde in Platz 1 gespeichert."), nullptr);
    std::string datei = Kalender_Spielstand_Pfad(0);
    std::replace(datei.begin(), datei.end(), '\\', '/');
    EXPECT_TRUE(fs::exists(datei));
    EXPECT_TRUE(Menue_Requester_Offen());
    ASSERT_GT(Headless_Lauf("move 694 421\nwait 2\nclick left\nwait 3\n", 8), 0);
    EXPECT_FALSE(Menue_Requester_Offen());

    // A damaged save: Spiel > Laden, "Ja", the load is refused with a message.
    { std::FILE* f = std::fopen(datei.c_str(), "r+b"); ASSERT_NE(f, nullptr); std::fseek(f, 40, SEEK_SET); std::fputs("kaputt", f); std::fclose(f); }
    const i32 tag = Kalender_Get_Tag(), team = Team_Aktiv;
    // The load screen keeps slot 1 chosen; its load button sends the request.
    ASSERT_GT(Headless_Lauf("move 624 583\nwait 2\nclick left\nwait 14\nmove 624 514\nwait 2\nclick left\nwait 3\n", 24), 0);
    ASSERT_TRUE(Screen_Offen(Screen_Id::LADEN));
    schritt("10_laden_kaputt", "move 712 383\nwait 2\nclick left\nwait 6\n", 12);
    // The message counts the places as the question did.
    EXPECT_NE(std::string(Spielstand_Letzter_Fehler()).find("game_0.kdv (Platz 1)"), std::string::npos)
        << Spielstand_Letzter_Fehler();
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
        if (status == ST_WARTET) {
            // While his match runs the manager sees it under the control bar:
            // both clubs, the minute; the menu has gone.
            ASSERT_GT(Headless_Lauf("move 750 583\nwait 2\nclick left\nwait 1\n", 6), 0);
            for (int n = 0; n < 200 && !Spieltag_Team_Im_Spiel(team); ++n) Headless_Lauf("wait 1\n", 2);
            ASSERT_TRUE(Spieltag_Team_Im_Spiel(team));
            // The picture before his match waits for a click (while it is
            // up, the picture's figures stand).
            for (int n = 0; n < 100 && !Ank_Bild_Figuren_Gezeichnet().empty(); ++n)
                ASSERT_GT(Headless_Lauf("wait 2\nclick left\nwait 2\n", 6), 0);
            const auto t = spur::frame();
            EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_PAUSE));
            EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));
            const std::string name = Team_String(721, team, nullptr, 0);
            EXPECT_TRUE(std::any_of(t.begin(), t.end(), [&](const spur::Text& e) {
                return e.sichtbar.find(name) != std::string::npos;
            })) << name;
            EXPECT_TRUE(std::any_of(t.begin(), t.end(), [](const spur::Text& e) {
                return e.sichtbar.size() > 7 && e.sichtbar.ends_with(".Minute");
            }));
        }
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
            // The menu comes back with the result and "Weiter", not the fixture.
            const auto t = spur::frame();
            EXPECT_NE(spur::finden(t, std::to_string(s->tore_a) + " : " + std::to_string(s->tore_b)), nullptr);
            EXPECT_NE(spur::finden(t, "Weiter"), nullptr);
            EXPECT_EQ(spur::finden(t, "Zum Spiel"), nullptr);
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

// The header (club, next match, balance, date) stays over every main-menu
// screen, the transfer market's among them, and over what is left when the
// options close; money spent or lent shows in it at once. The balance and
// the date stand wholly above y 83, where the screens' panels begin (the
// options' list at (32, 83)), one under the other.
TEST_F(Hauptmenue, KopfBleibtUeberJedemScreen) {
    schritt("kopf_start", "wait 12\n", 12);
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    // The club's strength on the scale of every other page: half steps, the
    // starters' (so named).
    const std::string staerke = std::string("Stärke (Stammelf): ") + Team_Halbwert_String(Team_Get_Staerke_Modus(Team_Aktiv, 16));
    EXPECT_NE(spur::finden(spur::frame(), staerke), nullptr) << staerke;
    auto kopf_zeigt = [](const std::string& was) {
        const auto t = spur::frame();
        const std::string geld = Menue_Geld_Text(Bank_Get_Kontostand(Team_Aktiv, 0, 0));
        const spur::Text* konto = nullptr;
        for (const spur::Text& e : t)
            if (e.y0 < 90 && e.sichtbar.find(geld) != std::string::npos) konto = &e;
        EXPECT_NE(konto, nullptr) << was << ": no " << geld << " in the header";
        const spur::Text* datum = spur::finden(t, Kalender_Get_Datum_Text(Kalender_Get_Tag(), true));
        ASSERT_NE(datum, nullptr) << was;
        constexpr i32 SCREENS_OBEN = 83;
        EXPECT_LE(datum->y1, SCREENS_OBEN) << was;
        if (konto) {
            EXPECT_LE(konto->y1, datum->y0) << was;
        }
        EXPECT_NE(spur::finden(t, Team_String(721, Team_Aktiv, nullptr, 0)), nullptr) << was;
    };
    struct Fall {
        const char* was;
        i32 knopf, eintrag;
        Screen_Id id;
    } faelle[] = {
        {"Transfermarkt", 0, 3, Screen_Id::TRANSFER}, {"Kader", 0, 0, Screen_Id::KADER},
        {"Bank", 2, 0, Screen_Id::BANK},              {"Stadion", 2, 2, Screen_Id::STADION},
        {"Finanzen", 2, 3, Screen_Id::FINANZEN},      {"Optionen", 3, 2, Screen_Id::OPTIONEN},
    };
    for (const Fall& f : faelle) {
        ASSERT_TRUE(Screen_Launch(f.knopf, f.eintrag)) << f.was;
        ASSERT_TRUE(Screen_Offen(f.id)) << f.was;
        kopf_zeigt(f.was);
    }
    schritt("kopf_optionen", "wait 1\n", 1);
    // A credit of a million: the new balance in the header straight away.
    ASSERT_TRUE(Bank_Buchen(-1, Team_Aktiv, 1000000.0f, 0, 1, -1));
    kopf_zeigt("nach dem Kredit");
    // The options closed: the header is still there.
    Screen_Schliessen(Screen_Id::OPTIONEN);
    ASSERT_FALSE(Screen_Offen(Screen_Id::OPTIONEN));
    kopf_zeigt("Optionen geschlossen");
}

}  // namespace

namespace {

// With a turn time limit the clock is drawn once a frame, in its field
// beside the dialog buttons of the menu: the run loop's clock step draws
// nothing of its own over it.
TEST_F(Hauptmenue, ZugzeitUhrEinmalImFeldDesMenues) {
    schritt("zugzeit_start", "wait 12\n", 12);
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    Option_Wert(OPTION_ZUGZEIT, 1, 120000);
    ASSERT_GT(Headless_Lauf("wait 20\n", 22), 0);
    const auto t = spur::frame();
    std::vector<const spur::Text*> uhren;
    for (const spur::Text& e : t)
        if (e.sichtbar.size() >= 7 && e.sichtbar[1] == ':' && e.sichtbar[4] == ',') uhren.push_back(&e);
    ASSERT_EQ(uhren.size(), 1u);
    EXPECT_GE(uhren[0]->x0, 206);
    EXPECT_LE(uhren[0]->x1, 206 + 66);
    EXPECT_GE(uhren[0]->y0, 566);
    Option_Wert(OPTION_ZUGZEIT, 1, 0);
}

}  // namespace

namespace {

// The screen's pixels inside the end-of-turn button.
std::vector<u16> weiter_pixel() {
    const std::vector<u16> b = Headless_Bildpuffer();
    std::vector<u16> r;
    for (i32 y = 570; y < 598; ++y)
        for (i32 x = 712; x < 792; ++x) r.push_back(b[static_cast<size_t>(y) * 800 + static_cast<size_t>(x)]);
    return r;
}

// Whether the end-of-turn button is lit under the mouse at (750, 583): its
// state, and its pixels against those with the mouse away (a frame later).
struct Weiter_Licht {
    bool zustand, bild;
};
Weiter_Licht weiter_licht() {
    const Screen_Icon* w = Menue_Screen_Icon_Aus_Nummer(ICON_ZUG_ENDE);
    if (!w || Headless_Lauf("move 750 583\nwait 3\n", 4) <= 0) return {};
    const bool zustand = Kit_Zustand_Von(w) == Kit_Zustand::UEBER;
    const std::vector<u16> unter = weiter_pixel();
    if (Headless_Lauf("move 400 300\nwait 3\n", 4) <= 0) return {};
    return {zustand, unter != weiter_pixel()};
}

// After a game is loaded (the cup save: its message, then the page before
// the club's match, both over the menu) the end-of-turn button lights under
// the mouse as before the load; not while the message or the page is up.
void weiter_nach_dem_laden(const char* laden_klick) {
    std::string datei = Kalender_Spielstand_Pfad(0);
    std::replace(datei.begin(), datei.end(), '\\', '/');
    fs::create_directories(fs::path(datei).parent_path());
    fs::copy_file(Test_Quelle("tests/data/pokal_elfmeter.kdv"), datei, fs::copy_options::overwrite_existing);
    ASSERT_GT(Headless_Lauf(laden_klick, 40), 0);
    ASSERT_TRUE(Screen_Offen(Screen_Id::LADEN));
    // The slot used last is chosen already; without one, slot 1 is chosen.
    if (Disk_Screen_Gewaehlt() != 0) {
        ASSERT_GT(Headless_Lauf("move 300 197\nwait 2\nclick left\nwait 3\n", 6), 0);
    }
    ASSERT_EQ(Disk_Screen_Gewaehlt(), 0);
    ASSERT_GT(Headless_Lauf("move 712 383\nwait 2\nclick left\nwait 6\n", 10), 0);
    if (Menue_Requester_Offen() && Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Spielstand_Get_Letzter() != 0) {
        ASSERT_GT(Headless_Lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 14), 0);  // "Ja"
    }
    for (int n = 0; n < 100 && !Menue_Screen_Icon_Ist_Vorhanden(ICON_ZUG_ENDE); ++n)
        ASSERT_GT(Headless_Lauf("wait 5\n", 6), 0);
    ASSERT_GT(Headless_Lauf("wait 5\n", 6), 0);
    ASSERT_EQ(Spielstand_Get_Letzter(), 0);
    ASSERT_TRUE(Menue_Requester_Offen());  // "Das Spiel aus Platz 1 wurde geladen."
    // The message and then (on the cup save's day) the page before the
    // match stand over the menu: the button stays dark under them.
    Weiter_Licht l{};
    for (int n = 0; n < 6 && (Menue_Requester_Offen() || Spielankuendigung_Stufe() > 0); ++n) {
        l = weiter_licht();
        EXPECT_FALSE(l.zustand || l.bild) << (Menue_Requester_Offen() ? "under the message" : "under the page");
        ASSERT_GT(Headless_Lauf(Menue_Requester_Offen() ? "move 680 421\nwait 2\nclick left\nwait 10\n"
                                                        : "move 100 540\nwait 20\nclick left\nwait 20\n",
                                44),
                  0);
    }
    ASSERT_FALSE(Menue_Requester_Offen());
    ASSERT_EQ(Spielankuendigung_Stufe(), 0);
    l = weiter_licht();
    EXPECT_TRUE(l.zustand);
    EXPECT_TRUE(l.bild);
}

// Two managers at one machine play a day; "Spiel > Laden" then loads the
// cup save over the running game.
TEST_F(Hauptmenue, WeiterLeuchtetNachDemLaden) {
    ASSERT_TRUE(W32_Registry_Write("Mitspieler", "2"));
    ASSERT_GT(Headless_Lauf("wait 12\n", 14), 0);
    for (int z = 0; z < 2; ++z) zug_beenden();
    if (Menue_Requester_Offen()) {
        ASSERT_GT(Headless_Lauf("click right 400 300\nwait 3\n", 6), 0);
    }
    const Weiter_Licht vorher = weiter_licht();
    ASSERT_TRUE(vorher.zustand && vorher.bild);
    weiter_nach_dem_laden("move 624 583\nwait 2\nclick left\nwait 14\nmove 624 514\nwait 2\nclick left\nwait 3\n");
}

}  // namespace
