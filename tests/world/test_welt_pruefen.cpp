// The check of a world folder before a game: made in the frame or ahead on
// a worker, it gives the same answer and message, and a check made ahead is
// never taken for files that changed after it read them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "base/config.h"
#include "welt_test.h"
#include "world/welt_pruefen.h"

namespace {

void schreiben(const std::string& pfad, const std::string& text) {
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f << text;
}

// Every file of set 1 of the shipped world in a test folder.
std::string ganze_kopie(const char* name) {
    const std::string o = welt_temp_ordner(name);
    for (const auto& e : std::filesystem::directory_iterator(welt_quelle())) {
        const std::string n = e.path().filename().string();
        if (n.rfind("1_", 0) == 0 && n.size() > 4 && n.substr(n.size() - 4) == ".cfg")
            schreiben(o + "/" + n, datei_lesen(e.path().string()));
    }
    return o;
}

struct Antwort {
    bool ok = false;
    std::string meldung;
    bool operator==(const Antwort&) const = default;
};

// The check made ahead, waited for until the worker has made it.
bool vorab(const std::string& ordner) {
    for (int i = 0; i < 20000; ++i) {
        if (Welt_Ordner_Vorab_Pruefen(ordner, 0)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

Antwort pruefen(const std::string& ordner) {
    Antwort a;
    a.ok = Welt_Ordner_Pruefen(ordner, 0, &a.meldung, false);
    return a;
}

// Each way of breaking a file changes its size, so that a check made ahead
// sees the change whatever the clock of the file system.
struct Fall {
    const char* was;
    const char* datei;
    std::function<std::string(std::string)> kaputt;  // the broken contents (null: the file deleted)
    const char* meldung;                             // a part of the message
};

const Fall FAELLE[] = {
    {"missing", "1_team_alias.cfg", nullptr, "1_team_alias.cfg: Datei fehlt."},
    {"empty", "1_text.cfg", [](std::string) { return std::string(" \n"); }, "1_text.cfg: Datei ist leer."},
    {"a control character", "1_ereignis.cfg", [](std::string t) { return t.insert(t.find('\n') + 1, "\x01\n"); },
     "1_ereignis.cfg, Zeile 2: keine Textdatei (Steuerzeichen)."},
    {"without its checksum line", "1_personal.cfg",
     [](std::string t) {
         const size_t a = t.find("CHECKSUMME");
         return t.erase(a, t.find('\n', a) - a + 1);
     },
     "1_personal.cfg: die Zeile CHECKSUMME fehlt"},
    {"cut short", "1_spieler.cfg", [](std::string t) { return t.substr(0, t.size() / 2); },
     "die Prüfsumme stimmt nicht"},
};

class WeltPruefen : public ::testing::Test {
  protected:
    void SetUp() override { ordner_ = ganze_kopie("pruefen"); }
    void brechen(const Fall& f) {
        const std::string pfad = ordner_ + "/" + f.datei;
        alt_ = datei_lesen(pfad);
        if (f.kaputt) schreiben(pfad, f.kaputt(alt_));
        else std::remove(pfad.c_str());
    }
    void heilen(const Fall& f) { schreiben(ordner_ + "/" + f.datei, alt_); }
    std::string ordner_, alt_;
};

TEST_F(WeltPruefen, TheCheckMadeAheadAnswersAsTheCheckInTheFrame) {
    const Antwort ganz = pruefen(ordner_);
    ASSERT_TRUE(ganz.ok) << ganz.meldung;
    EXPECT_FALSE(Welt_Ordner_Vorab_Pruefen(ordner_, 0)) << "handed to the worker";
    ASSERT_TRUE(vorab(ordner_));
    EXPECT_TRUE(Welt_Ordner_Vorab_Pruefen(ordner_, 0)) << "made already";
    EXPECT_EQ(pruefen(ordner_), ganz);
    // Another set or folder than the one checked ahead is checked in the frame.
    ASSERT_TRUE(vorab(ordner_));
    EXPECT_FALSE(Welt_Ordner_Pruefen(ordner_, 4, nullptr, false)) << "set 5 has no files";
    EXPECT_FALSE(Welt_Ordner_Vorab_Pruefen(ordner_ + "/fehlt", 0));
    EXPECT_EQ(pruefen(ordner_), ganz);

    for (const Fall& f : FAELLE) {
        SCOPED_TRACE(f.was);
        brechen(f);
        const Antwort kaputt = pruefen(ordner_);
        EXPECT_FALSE(kaputt.ok);
        EXPECT_NE(kaputt.meldung.find(f.meldung), std::string::npos) << kaputt.meldung;
        // Checked ahead while broken: the same message.
        ASSERT_TRUE(vorab(ordner_));
        EXPECT_EQ(pruefen(ordner_), kaputt);
        // Checked ahead while broken and mended since: whole.
        ASSERT_TRUE(vorab(ordner_));
        heilen(f);
        EXPECT_EQ(pruefen(ordner_), ganz);
        // Checked ahead while whole and broken since: never the old answer.
        ASSERT_TRUE(vorab(ordner_));
        brechen(f);
        EXPECT_EQ(pruefen(ordner_), kaputt);
        heilen(f);
        // Broken while the worker reads: never the answer of the file before.
        EXPECT_FALSE(Welt_Ordner_Vorab_Pruefen(ordner_, 0)) << "handed to the worker";
        brechen(f);
        EXPECT_EQ(pruefen(ordner_), kaputt);
        heilen(f);
    }
}

TEST_F(WeltPruefen, TheWorkersMessagesAreShownByTheFrame) {
    // A whole file the reader has something to say about (a line too long,
    // the checksum switched off) is checked again in the frame, which shows
    // the message as a check without a worker does; the worker shows
    // nothing of its own.
    const std::string pfad = ordner_ + "/1_global.cfg";
    const std::string alt = datei_lesen(pfad);
    std::string geaendert = alt;
    const size_t a = geaendert.find("CHECKSUMME");
    geaendert.replace(a, geaendert.find('\n', a) - a, "CHECKSUMME 0");
    geaendert += "LANG " + std::string(CONFIG_MAX_ZEILE, 'x') + "\n";
    schreiben(pfad, geaendert);
    Melder_Mitschnitt m;
    const Antwort frame = pruefen(ordner_);
    EXPECT_TRUE(frame.ok) << frame.meldung;
    const std::string gezeigt = m.alle();
    EXPECT_NE(gezeigt.find("Zeile zu lang"), std::string::npos) << gezeigt;
    Melder_Mitschnitt::texte().clear();
    ASSERT_TRUE(vorab(ordner_));
    EXPECT_EQ(pruefen(ordner_), frame);
    EXPECT_EQ(m.alle(), gezeigt) << "shown once, by the frame";
    schreiben(pfad, alt);
}

}  // namespace
