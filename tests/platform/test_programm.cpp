// The game program as a whole: a headless run with an input script that
// takes a screenshot and quits, start-up errors with their German messages
// and exit codes, termination by signal, the intro program, and a run in a
// real window under Xvfb (skipped when xvfb-run is missing).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/files.h"
#include "base/settings.h"
#include "platform/errorbox.h"
#include "platform/intro.h"
#include "png_lesen.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct Ergebnis {
    int code = -100;  // exit code; -1 after a signal, -2 when it had to be killed
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
        temp = fs::temp_directory_path() / ("kordavo_prog_" + std::to_string(getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(temp);
        fs::create_directories(temp / "config");
    }
    void TearDown() override {
        if (!temp.empty()) fs::remove_all(temp);
    }

    // Runs a program with extra environment variables, stdout and stderr into
    // one file; gives up (and kills it) after `sekunden`.
    Ergebnis Starten(const std::vector<std::string>& argv, std::map<std::string, std::string> env, int sekunden = 60,
                     int signal_nach_ms = -1) {
        Ergebnis e;
        std::vector<std::string> env_text;
        for (char** p = environ; *p; p++) {
            std::string s = *p;
            std::string name = s.substr(0, s.find('='));
            if (!env.count(name)) env_text.push_back(s);
        }
        for (auto& [k, v] : env) env_text.push_back(k + "=" + v);
        std::vector<char*> envp, args;
        for (auto& s : env_text) envp.push_back(s.data());
        envp.push_back(nullptr);
        std::vector<std::string> argv_kopie = argv;
        for (auto& s : argv_kopie) args.push_back(s.data());
        args.push_back(nullptr);
        std::string log = (temp / "ausgabe.txt").string();
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&fa, 1, 2);
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        posix_spawnattr_setpgroup(&attr, 0);  // its own group, so a stuck run can be ended whole
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
        pid_t pid;
        int rc = posix_spawnp(&pid, args[0], &fa, &attr, args.data(), envp.data());
        posix_spawn_file_actions_destroy(&fa);
        posix_spawnattr_destroy(&attr);
        if (rc != 0) {
            e.ausgabe = "spawn failed";
            return e;
        }
        auto anfang = std::chrono::steady_clock::now();
        bool signal_gesendet = false;
        int status = 0;
        for (;;) {
            pid_t w = waitpid(pid, &status, WNOHANG);
            if (w == pid) {
                e.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                break;
            }
            auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - anfang)
                          .count();
            if (signal_nach_ms >= 0 && !signal_gesendet && ms >= signal_nach_ms) {
                kill(pid, SIGTERM);
                signal_gesendet = true;
            }
            if (ms > sekunden * 1000) {
                kill(-pid, SIGKILL);
                waitpid(pid, &status, 0);
                e.code = -2;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream f(log);
        std::stringstream ss;
        ss << f.rdbuf();
        e.ausgabe = ss.str();
        return e;
    }

    std::string Skript(const std::string& text) {
        std::string pfad = (temp / "skript.txt").string();
        std::ofstream(pfad) << text;
        return pfad;
    }

    std::map<std::string, std::string> Env(const std::string& skript) {
        return {{"KORDAVO_HEADLESS", "1"},
                {"KORDAVO_SCRIPT", skript},
                {"KORDAVO_CONFIG_DIR", (temp / "config").string()},
                {"KORDAVO_GAME_DIR", spiel}};
    }

    std::string Kordavo() const { return binaer + "/kordavo"; }

    std::string binaer, spiel;
    fs::path temp;
};

}  // namespace

TEST_F(Programm, HeadlessMitSkriptMachtScreenshotUndEndetMitNull) {
    std::string bild = (temp / "bild.png").string();
    Ergebnis e = Starten({Kordavo()}, Env(Skript("move 400 300\nclick left\nwait 5\nscreenshot " + bild +
                                                 "\nwait 1\nquit\n")));
    ASSERT_EQ(e.code, 0) << e.ausgabe;
    Test_Png png;
    ASSERT_TRUE(Test_Png_Datei(bild, png)) << png.fehler;
    EXPECT_EQ(png.breite, 800u);
    EXPECT_EQ(png.hoehe, 600u);
    EXPECT_EQ(e.ausgabe.find("nicht freigegeben"), std::string::npos) << e.ausgabe;
}

TEST_F(Programm, SkriptEndeOhneQuitBeendetAuch) {
    Ergebnis e = Starten({Kordavo()}, Env(Skript("wait 3\n")));
    EXPECT_EQ(e.code, 0) << e.ausgabe;
}

TEST_F(Programm, FehlerhaftesSkriptWirdMitZeileGemeldet) {
    Ergebnis e = Starten({Kordavo()}, Env(Skript("wait 1\n\nklick left\n")));
    EXPECT_EQ(e.code, 1);
    EXPECT_NE(e.ausgabe.find("Zeile 3: unbekannter Befehl \"klick\""), std::string::npos) << e.ausgabe;
}

TEST_F(Programm, FehlendesSkriptWirdGemeldet) {
    Ergebnis e = Starten({Kordavo()}, Env((temp / "gibtsnicht.txt").string()));
    EXPECT_EQ(e.code, 1);
    EXPECT_NE(e.ausgabe.find("kann nicht gelesen werden"), std::string::npos) << e.ausgabe;
}

TEST_F(Programm, FehlenderSpielordnerBeendetMitDeutscherMeldung) {
    auto env = Env(Skript("quit\n"));
    env["KORDAVO_GAME_DIR"] = (temp / "kein_spiel").string();
    Ergebnis e = Starten({Kordavo()}, env);
    EXPECT_EQ(e.code, 1);
    EXPECT_NE(e.ausgabe.find("Der Spielordner"), std::string::npos) << e.ausgabe;
    EXPECT_NE(e.ausgabe.find("fehlt"), std::string::npos) << e.ausgabe;
}

TEST_F(Programm, UnvollstaendigeOrdnerstrukturBeendetMitDeutscherMeldung) {
    fs::path ordner = temp / "halbes_spiel";
    for (const char* d : {"libraries", "config", "spielstand", "resfile", "backup", "intro"})
        fs::create_directories(ordner / d);
    auto env = Env(Skript("quit\n"));
    env["KORDAVO_GAME_DIR"] = ordner.string();
    Ergebnis e = Starten({Kordavo()}, env);
    EXPECT_EQ(e.code, 1);
    // The message is UTF-8 on the terminal.
    EXPECT_NE(e.ausgabe.find("spielerbilder fehlt: die Ordnerstruktur des Spiels ist unvollst\xC3\xA4ndig"),
              std::string::npos)
        << e.ausgabe;
}

TEST_F(Programm, OhneSkriptLaeuftEsBisZumSignal) {
    auto env = Env("");
    env.erase("KORDAVO_SCRIPT");
    Ergebnis e = Starten({Kordavo()}, env, 60, 1500);
    EXPECT_EQ(e.code, 0) << e.ausgabe;
}

TEST_F(Programm, IntroProgrammLaeuftUndPrueftSeineArgumente) {
    std::string intro = spiel + "/" + INTRO_PROGRAMM;
    ASSERT_TRUE(fs::exists(intro)) << intro;
    setenv("KORDAVO_CONFIG_DIR", (temp / "config").c_str(), 1);
    Settings_Neu_Laden();
    ASSERT_TRUE(W32_Dir_Init());
    i32 code = -5;
    std::vector<std::string> a = Intro_Argumente(false);
    ASSERT_EQ(a.size(), 5u);
    EXPECT_EQ(a[0], "-Intro");
    EXPECT_EQ(a[1], "-WndClass:Kordavo");
    EXPECT_EQ(a[2].rfind("-File1:", 0), 0u);
    EXPECT_NE(a[2].find("intro\\intro_1.vid"), std::string::npos) << a[2];
    EXPECT_TRUE(Intro_Ausfuehren(intro, a, &code));
    EXPECT_EQ(code, 0);
    std::vector<std::string> o = Intro_Argumente(true);
    ASSERT_EQ(o.size(), 3u);
    EXPECT_EQ(o[0], "-Ontro");
    EXPECT_NE(o[2].find("intro\\ontro.vid"), std::string::npos) << o[2];
    EXPECT_TRUE(Intro_Ausfuehren(intro, o, &code));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(Intro_Ausfuehren(intro, {"-Intro", "-Unsinn"}, &code));
    EXPECT_EQ(code, 2);
    EXPECT_FALSE(Intro_Ausfuehren((temp / "gibtsnicht").string(), a, &code));
    EXPECT_FALSE(Intro_Ausfuehren("", a, &code));
}

TEST_F(Programm, FehlendesIntroProgrammWirdGemeldetDasSpielGehtWeiter) {
    setenv("KORDAVO_CONFIG_DIR", (temp / "config").c_str(), 1);
    setenv("KORDAVO_GAME_DIR", temp.c_str(), 1);  // a working folder without the program
    Settings_Neu_Laden();
    W32_Dir_Init();
    u32 vorher = W32_Error_Box_Anzahl();
    EXPECT_EQ(Intro_Programm_Pfad(), "");
    EXPECT_FALSE(Intro_Starten(false));
    EXPECT_EQ(W32_Error_Box_Anzahl(), vorher + 1);
    setenv("KORDAVO_GAME_DIR", spiel.c_str(), 1);
    Settings_Neu_Laden();
}

TEST_F(Programm, EchtesFensterUnterXvfb) {
    if (std::system("command -v xvfb-run > /dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run fehlt";
    std::string bild = (temp / "fenster.png").string();
    auto env = Env(Skript("move 10 10\nwait 20\nscreenshot " + bild + "\nwait 5\n"));
    env["KORDAVO_HEADLESS"] = "0";
    // The X11 and D-Bus client libraries keep a few blocks until the process
    // ends; leak checking of our own code is done by the headless runs.
    env["ASAN_OPTIONS"] = "detect_leaks=0";
    Ergebnis e = Starten({"xvfb-run", "-a", "-s", "-screen 0 1024x768x24", Kordavo()}, env, 120);
    if (e.code != 0 && e.ausgabe.find("xvfb-run: error") != std::string::npos) GTEST_SKIP() << "Xvfb startet nicht: " << e.ausgabe;
    ASSERT_EQ(e.code, 0) << e.ausgabe;
    EXPECT_EQ(e.ausgabe.find("ohne Fenster"), std::string::npos) << "it must have had a window: " << e.ausgabe;
    Test_Png png;
    EXPECT_TRUE(Test_Png_Datei(bild, png)) << png.fehler;
}
