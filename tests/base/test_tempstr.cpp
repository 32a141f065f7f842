// Temporary strings, the debug log capture and the message hooks.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/debug.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/tempstr.h"

namespace {

TEST(TempString, HundredRotatingBuffersEachValidFor99FurtherCalls) {
    char* erster = Temp_Sprintf("erster %d", 1);
    std::vector<char*> puffer{erster};
    for (int i = 1; i < TEMP_STRING_ANZAHL; ++i) {
        puffer.push_back(Temp_Sprintf("%d", i));
        EXPECT_STREQ(erster, "erster 1") << "overwritten after " << i << " calls";
    }
    // All 100 are distinct; the 101st call hands out the first again.
    for (size_t i = 0; i < puffer.size(); ++i)
        for (size_t j = i + 1; j < puffer.size(); ++j) ASSERT_NE(puffer[i], puffer[j]);
    char* wieder = Temp_String();
    EXPECT_EQ(wieder, erster);
    EXPECT_STREQ(wieder, "");
}

TEST(TempString, LongOutputIsCutSafely) {
    const std::string lang(5000, 'x');
    char* p = Temp_Sprintf("%s-Ende", lang.c_str());
    EXPECT_EQ(std::strlen(p), static_cast<size_t>(TEMP_STRING_GROESSE - 1));
    char* q = Temp_Sprintf("%s", "kurz");  // the next buffer is unharmed
    EXPECT_STREQ(q, "kurz");
}

TEST(Debug, CaptureSeesFormattedLinesAndNests) {
    Debug_Mitschnitt aussen;
    Debug_Printf("Spieler_Wert: Falscher Parameter! (%d)", 999);
    {
        Debug_Mitschnitt innen;
        EXPECT_TRUE(Debug_Aktiv());
        Debug_Out(DEBUG_FEHLER, "Team %s", "Köln");
        EXPECT_EQ(innen.Zeilen().size(), 1u);
        EXPECT_EQ(innen.Zeilen()[0], "Team Köln");  // CP1252 bytes, as the game uses them
    }
    EXPECT_TRUE(aussen.Enthaelt("Falscher Parameter!"));
    EXPECT_TRUE(aussen.Enthaelt("Team Köln"));
    EXPECT_EQ(aussen.Anzahl("Team"), 1);
}

// Runs this test program again with the given environment and returns what
// the named test wrote to stderr.
std::string Kind_Stderr(const char* env, const char* test) {
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return "<kein Programm>";
    exe[n] = '\0';
    const std::string befehl =
        std::string(env) + " KORDAVO_TEST_KIND=1 '" + exe + "' --gtest_filter=" + test + " 2>&1 >/dev/null";
    std::string aus;
    if (FILE* p = popen(befehl.c_str(), "r")) {
        char buf[512];
        size_t k;
        while ((k = std::fread(buf, 1, sizeof buf, p)) > 0) aus.append(buf, k);
        pclose(p);
    }
    return aus;
}

// The debug log reaches stderr only with KORDAVO_DEBUG, a message without a
// GUI always; both in UTF-8, each line ended.
TEST(Debug, StderrOnlyWithKordavoDebugMessagesAlwaysInUtf8) {
    if (std::getenv("KORDAVO_TEST_KIND") != nullptr) {
        Debug_Printf("Spieler %s verletzt", "Müller");
        Debug_Out(DEBUG_FEHLER, "ohne Zeilenende");
        Meldung_Printf("Kein Geld für %s!", "Transfers");
        return;
    }
    const char* test = "Debug.StderrOnlyWithKordavoDebugMessagesAlwaysInUtf8";
    const std::string an = Kind_Stderr("KORDAVO_DEBUG=1", test);
    EXPECT_NE(an.find("Spieler M\xC3\xBCller verletzt\n"), std::string::npos) << an;
    EXPECT_NE(an.find("ohne Zeilenende\n"), std::string::npos) << an;
    const std::string aus = Kind_Stderr("KORDAVO_DEBUG=", test);
    EXPECT_EQ(aus.find("verletzt"), std::string::npos) << aus;
    EXPECT_NE(aus.find("Meldung: Kein Geld f\xC3\xBCr Transfers!\n"), std::string::npos) << aus;
}

// The quit question: yes moves the quit state from 0 to 1 only; without a
// GUI the answer is yes.
TEST(Meldung, BeendenFragtUndSetztDenQuitStatusNurVonNull) {
    static bool antwort = false;
    Meldung_Set_Hooks({.beenden_fragen = [] { return antwort; }});
    Debug_Mitschnitt log;
    Meldung_Printf("Kein Platz mehr für %d Spieler!", 3);
    EXPECT_TRUE(log.Enthaelt("Meldung: Kein Platz mehr für 3 Spieler!"));
    Quit_Status = 0;
    EXPECT_FALSE(Meldung_Beenden());
    EXPECT_EQ(Quit_Status, 0u);
    antwort = true;
    EXPECT_TRUE(Meldung_Beenden());
    EXPECT_EQ(Quit_Status, 1u);
    Quit_Status = 2;  // leaving already: stays
    EXPECT_TRUE(Meldung_Beenden());
    EXPECT_EQ(Quit_Status, 2u);
    Meldung_Hooks_Zuruecksetzen();
    Quit_Status = 0;
    EXPECT_TRUE(Meldung_Beenden());
    EXPECT_EQ(Quit_Status, 1u);
    Quit_Status = 0;
}

}  // namespace
