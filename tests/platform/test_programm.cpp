// The game program as a whole: a headless run with an input script that
// takes a screenshot and quits, fatal start-up errors with their German
// messages and exit code 1, termination by signal, the intro program, and a
// run in a real window under Xvfb (skipped when xvfb-run is missing).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/settings.h"
#include "platform/errorbox.h"
#include "platform/intro.h"
#include "platform_test.h"

namespace fs = std::filesystem;

namespace {

struct Ergebnis {
    int code;  // exit code; 124 when timeout had to end the run
    std::string ausgabe;
};

std::string Umgebung(const char* name) {
    const char* w = std::getenv(name);
    return w ? w : "";
}

class Programm : public ::testing::Test {
  protected:
    void SetUp() override {
        binaer = Umgebung("KORDAVO_BINARY_DIR");
        spiel = Umgebung("KORDAVO_GAME_DIR");
        if (binaer.empty() || spiel.empty()) GTEST_SKIP() << "only under ctest";
        temp = Test_Temp(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(temp);
        fs::create_directories(temp / "config");
    }
    void TearDown() override {
        if (spiel.empty()) return;
        fs::remove_all(temp);
        setenv("KORDAVO_GAME_DIR", spiel.c_str(), 1);
        Settings_Neu_Laden();
    }

    // Runs the game headless (with `env` on top) under timeout, after `vorne`
    // (such as xvfb-run); stdout and stderr into one text. `zeit` is what
    // timeout is given: "60" ends a stuck run, "--preserve-status 4" sends
    // SIGTERM after 4 s (room for a start-up on a loaded machine) and keeps
    // the game's own exit code.
    Ergebnis Starten(const std::map<std::string, std::string>& env, const std::string& zeit = "60",
                     const std::string& vorne = "") {
        std::map<std::string, std::string> alle = {
            {"KORDAVO_HEADLESS", "1"}, {"KORDAVO_CONFIG_DIR", (temp / "config").string()}, {"KORDAVO_GAME_DIR", spiel}};
        for (const auto& [k, v] : env) alle[k] = v;
        std::string log = (temp / "ausgabe.txt").string();
        std::string befehl = "env -u KORDAVO_SCRIPT";
        for (const auto& [k, v] : alle) befehl += " '" + k + "=" + v + "'";
        befehl += " timeout -k 10 " + zeit + " " + vorne + " '" + binaer + "/kordavo' > '" + log + "' 2>&1";
        int status = std::system(befehl.c_str());
        std::stringstream ss;
        ss << std::ifstream(log).rdbuf();
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ss.str()};
    }

    std::string Skript(const std::string& name, const std::string& text) {
        std::string pfad = (temp / name).string();
        std::ofstream(pfad) << text;
        return pfad;
    }

    std::string binaer, spiel;
    fs::path temp;
};

}  // namespace

TEST_F(Programm, HeadlessMitSkriptMachtScreenshotUndEndetMitNull) {
    std::string bild = (temp / "bild.png").string();
    Ergebnis e = Starten({{"KORDAVO_SCRIPT", Skript("a.txt", "move 400 300\nclick left\nwait 5\nscreenshot " + bild +
                                                                 "\nwait 1\nquit\n")}});
    ASSERT_EQ(e.code, 0) << e.ausgabe;
    Test_Png png;
    ASSERT_TRUE(Test_Png_Datei(bild, png)) << png.fehler;
    EXPECT_EQ(png.breite, 800u);
    EXPECT_EQ(png.hoehe, 600u);
    EXPECT_EQ(e.ausgabe.find("nicht freigegeben"), std::string::npos) << e.ausgabe;
    e = Starten({{"KORDAVO_SCRIPT", Skript("b.txt", "wait 3\n")}});
    EXPECT_EQ(e.code, 0) << "the end of the script without quit ends the program too: " << e.ausgabe;
    e = Starten({}, "--preserve-status 4");
    EXPECT_EQ(e.code, 0) << "without a script it runs until a signal ends it: " << e.ausgabe;
}

TEST_F(Programm, StartfehlerEndenMitDeutscherMeldung) {
    fs::path halb = temp / "halbes_spiel";
    for (const char* d : {"libraries", "config", "spielstand", "resfile", "backup", "intro"})
        fs::create_directories(halb / d);
    std::string quit = Skript("quit.txt", "quit\n");
    std::string datei = Skript("eine_datei", "x");
    // No display at all, as over ssh; a display SDL cannot open (its D-Bus client may keep a block until the end).
    using Env = std::map<std::string, std::string>;
    const Env ohne_anzeige = {
        {"KORDAVO_HEADLESS", "0"}, {"SDL_VIDEODRIVER", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}};
    const Env falsche_anzeige = {{"KORDAVO_HEADLESS", "0"},
                                 {"SDL_VIDEODRIVER", "x11"},
                                 {"DISPLAY", ":4711"},
                                 {"ASAN_OPTIONS", "detect_leaks=0"}};
    const struct {
        std::string skript, spielordner, meldung1, meldung2;
        const Env* ohne_fenster = nullptr;
        int code = 1;
    } faelle[] = {
        {Skript("fehler.txt", "wait 1\n\nklick left\n"), spiel, "ERROR: ", "Zeile 3: unbekannter Befehl \"klick\""},
        {(temp / "gibtsnicht.txt").string(), spiel, "ERROR: ", "kann nicht gelesen werden"},
        {temp.string(), spiel, "ERROR: ", "kann nicht gelesen werden"},  // a folder as script
        {quit, (temp / "kein_spiel").string(), "Der Spielordner", "fehlt"},
        {quit, datei, "Der Spielordner", "ist kein Ordner"},
        // The message is UTF-8 on the terminal.
        {quit, halb.string(), "spielerbilder fehlt: die Ordnerstruktur des Spiels ist unvollst\xC3\xA4ndig",
         "Bitte das Spiel neu installieren"},
        {"", spiel, "ERROR: Kein Fenster m\xC3\xB6glich (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt)",
         "nur mit einem Eingabeskript", &ohne_anzeige},
        {quit, spiel, "Kein Fenster m\xC3\xB6glich (", "): Kordavo l\xC3\xA4uft ohne Fenster.", &falsche_anzeige, 0},
    };
    for (const auto& f : faelle) {
        std::map<std::string, std::string> env = {{"KORDAVO_SCRIPT", f.skript}, {"KORDAVO_GAME_DIR", f.spielordner}};
        if (f.ohne_fenster) env.insert(f.ohne_fenster->begin(), f.ohne_fenster->end());
        Ergebnis e = Starten(env);
        EXPECT_EQ(e.code, f.code) << e.ausgabe;
        EXPECT_NE(e.ausgabe.find(f.meldung1), std::string::npos) << e.ausgabe;
        EXPECT_NE(e.ausgabe.find(f.meldung2), std::string::npos) << e.ausgabe;
        if (f.ohne_fenster) {
            EXPECT_EQ(std::count(e.ausgabe.begin(), e.ausgabe.end(), '\n'), 1) << "one line: " << e.ausgabe;
        }
    }
}

TEST_F(Programm, IntroProgramm) {
    std::string intro = spiel + "/" + INTRO_PROGRAMM;
    setenv("KORDAVO_CONFIG_DIR", (temp / "config").c_str(), 1);
    Settings_Neu_Laden();
    ASSERT_TRUE(W32_Dir_Init());
    std::vector<std::string> a = Intro_Argumente(false), o = Intro_Argumente(true);
    ASSERT_TRUE(a.size() == 5 && o.size() == 3);
    EXPECT_EQ(a[0] + " " + a[1] + " " + o[0], "-Intro -WndClass:Kordavo -Ontro");
    EXPECT_TRUE(a[2].starts_with("-File1:") && a[2].ends_with("intro\\intro_1.vid")) << a[2];
    EXPECT_TRUE(o[2].starts_with("-File1:") && o[2].ends_with("intro\\ontro.vid")) << o[2];
    const struct {
        std::string programm;
        std::vector<std::string> argumente;
        bool laeuft;
        i32 code;
    } faelle[] = {{intro, a, true, 0},
                  {intro, o, true, 0},
                  {intro, {"-Intro", "-Unsinn"}, true, 2},
                  {(temp / "gibtsnicht").string(), a, false, -1},
                  {"", a, false, -1}};
    for (const auto& f : faelle) {
        i32 code = -5;
        EXPECT_EQ(Intro_Ausfuehren(f.programm, f.argumente, &code), f.laeuft) << f.programm;
        EXPECT_EQ(code, f.code) << f.programm;
    }
    // A working folder without the program: the message is shown and the game goes on.
    setenv("KORDAVO_GAME_DIR", temp.c_str(), 1);
    Settings_Neu_Laden();
    W32_Dir_Init();
    u32 vorher = W32_Error_Box_Anzahl();
    EXPECT_EQ(Intro_Programm_Pfad(), "");
    EXPECT_FALSE(Intro_Starten(false));
    EXPECT_EQ(W32_Error_Box_Anzahl(), vorher + 1);
}

TEST_F(Programm, EchtesFensterUnterXvfb) {
    if (std::system("command -v xvfb-run > /dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run fehlt";
    std::string bild = (temp / "fenster.png").string();
    // The X11 and D-Bus client libraries keep a few blocks until the process
    // ends; leak checking of our own code is done by the headless runs.
    // No sound device: the game starts silent with one quiet line, no box
    // that would wait for a click.
    Ergebnis e = Starten({{"KORDAVO_SCRIPT", Skript("x.txt", "move 10 10\nwait 20\nscreenshot " + bild + "\nwait 5\n")},
                          {"KORDAVO_HEADLESS", "0"},
                          {"SDL_AUDIODRIVER", "gibt_es_nicht"},
                          {"ASAN_OPTIONS", "detect_leaks=0"}},
                         "120", "xvfb-run -a -s '-screen 0 1024x768x24'");
    if (e.code != 0 && e.ausgabe.find("xvfb-run: error") != std::string::npos)
        GTEST_SKIP() << "Xvfb startet nicht: " << e.ausgabe;
    ASSERT_EQ(e.code, 0) << e.ausgabe;
    EXPECT_EQ(e.ausgabe.find("ohne Fenster"), std::string::npos) << "it must have had a window: " << e.ausgabe;
    EXPECT_NE(e.ausgabe.find("Kein Sound! Das Spiel l\xC3\xA4uft ohne Ton.\n"), std::string::npos) << e.ausgabe;
    EXPECT_EQ(e.ausgabe.find("ERROR"), std::string::npos) << e.ausgabe;
    Test_Png png;
    EXPECT_TRUE(Test_Png_Datei(bild, png)) << png.fehler;
}
