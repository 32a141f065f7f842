// The small tools: arithmetic edge cases, text helpers, timers and the end of
// the program.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <utility>

#include "base/debug.h"
#include "base/globals.h"
#include "base/tools.h"

namespace {

// Integer tools: bounds, rounding away from zero, no overflow, exact roots.
TEST(Tools, ArithmeticEdgeCases) {
    const std::pair<i32, i32> faelle[] = {
        // Clamp: bounds included; outside the default, or with default -1 the bound crossed.
        {Tools_Clamp(5, 0, 10, 7), 5},
        {Tools_Clamp(0, 0, 10, 7), 0},
        {Tools_Clamp(10, 0, 10, 7), 10},
        {Tools_Clamp(11, 0, 10, 7), 7},
        {Tools_Clamp(-1, 0, 10, 7), 7},
        {Tools_Clamp(11, 0, 10, -1), 10},
        {Tools_Clamp(-5, 0, 10, -1), 0},
        {Tools_Clamp(INT_MIN, -3, 3, -1), -3},
        // Prozent: halves away from zero, no division by zero, clamped.
        {Tools_Prozent(1, 3), 33},
        {Tools_Prozent(2, 3), 67},
        {Tools_Prozent(1, 8), 13},
        {Tools_Prozent(-1, 8), -13},
        {Tools_Prozent(1, -8), -13},
        {Tools_Prozent(7, 0), 0},
        {Tools_Prozent(INT_MAX, 1), INT_MAX},
        {Tools_Prozent(INT_MIN, -1), INT_MAX},
        // Runden: halves away from zero, clamped to the i32 range.
        {Tools_Runden(2.5), 3},
        {Tools_Runden(-2.5), -3},
        {Tools_Runden(2.4999), 2},
        {Tools_Runden(-0.4), 0},
        {Tools_Runden(1e20), INT_MAX},
        {Tools_Runden(-1e20), INT_MIN},
        {Tools_Abs_Diff(INT_MIN, INT_MAX), INT_MAX},
        // Abstand: truncated, exact near perfect squares where floating point is off by one.
        {Tools_Abstand(3, 4), 5},
        {Tools_Abstand(-3, 4), 5},
        {Tools_Abstand(1, 1), 1},
        {Tools_Abstand(0, 0), 0},
        {Tools_Abstand(10800, 6806), 12765},  // the pitch diagonal in cm
        {Tools_Abstand(46340, 0), 46340},
        {Tools_Abstand(INT_MAX, 0), INT_MAX},
        {Tools_Abstand(INT_MIN, INT_MIN), INT_MAX},
        {Tools_Abstand(99999, 1), 99999},
    };
    for (size_t i = 0; i < std::size(faelle); ++i) EXPECT_EQ(faelle[i].first, faelle[i].second) << "Fall " << i;
}

// Numbers with decimals are written with a German comma.
TEST(Tools, KommaZahl) {
    struct Fall {
        f64 wert;
        i32 stellen;
        const char* soll;
    } faelle[] = {{75.5, 1, "75,5"}, {-1.5, 1, "-1,5"}, {3.0, 2, "3,00"}, {12.0, 0, "12"}, {0.125, 9, "0,125000"}};
    for (const Fall& f : faelle) EXPECT_STREQ(Tools_Komma_Zahl(f.wert, f.stellen), f.soll) << f.wert;
}

TEST(Tools, StrncpyAndLeerzeichen) {
    char ziel[8];
    std::memset(ziel, 'X', sizeof ziel);
    EXPECT_STREQ(Tools_Strncpy(ziel, "Fussball", 5), "Fussb");
    EXPECT_EQ(ziel[6], 'X');  // nothing written past n + 1
    EXPECT_STREQ(Tools_Strncpy(ziel, "ab", 5), "ab");
    EXPECT_STREQ(Tools_Strncpy(ziel, nullptr, 5), "");
    EXPECT_STREQ(Tools_Strncpy(ziel, "abc", 0), "");
    EXPECT_STREQ(Tools_Strncpy(ziel, "abc", -3), "");

    EXPECT_STREQ(Tools_Leerzeichen("abc", 6), "   ");
    EXPECT_STREQ(Tools_Leerzeichen("abcdef", 6), "");
    EXPECT_STREQ(Tools_Leerzeichen("abcdefgh", 6), "");
    EXPECT_STREQ(Tools_Leerzeichen(nullptr, 2), "  ");
    EXPECT_EQ(std::strlen(Tools_Leerzeichen("", 100000)), 799u);
}

TEST(Tools, IpParsen) {
    i32 ip[4] = {-1, -1, -1, -1};
    EXPECT_TRUE(Tools_IP_Parsen("192.168.0.17", ip));
    EXPECT_EQ(ip[0], 192);
    EXPECT_EQ(ip[3], 17);
    EXPECT_TRUE(Tools_IP_Parsen(" 10.0.0.1 ", ip));
    EXPECT_EQ(ip[0], 10);

    const char* falsch[] = {"",         "1.2.3",    "1.2.3.4.5",  "256.1.1.1", "1..2.3",   "a.b.c.d",
                            "1.2.3.4x", "-1.2.3.4", "1.2.3.0004", "1.2 .3.4",  "localhost"};
    for (const char* t : falsch) {
        i32 aus[4] = {7, 7, 7, 7};
        EXPECT_FALSE(Tools_IP_Parsen(t, aus)) << t;
        EXPECT_EQ(aus[0], 7) << "written although invalid: " << t;
        EXPECT_EQ(aus[3], 7) << t;
    }
    EXPECT_FALSE(Tools_IP_Parsen(nullptr, ip));
}

u32 g_jetzt = 1000;
u32 Falsche_Uhr() { return g_jetzt; }

TEST(Tools, TimerSlotsAreClamped) {
    Uhr_Set_Hooks({.jetzt = &Falsche_Uhr});
    g_jetzt = 1000;
    Tools_Timer_Start(0);
    Tools_Timer_Start(5);
    g_jetzt = 1250;
    Tools_Timer_Start(99);  // clamped to slot 5
    g_jetzt = 1300;
    EXPECT_EQ(Tools_Timer_Dauer(0), 300u);
    EXPECT_EQ(Tools_Timer_Dauer(5), 50u);
    EXPECT_EQ(Tools_Timer_Dauer(6), 50u);
    Tools_Timer_Start(-3);  // clamped to slot 0
    EXPECT_EQ(Tools_Timer_Dauer(0), 0u);
    Uhr_Set_Hooks({});
}

// A headless run's fixed steps: the clock stands at its start whatever its
// source says and moves only by the steps; switched off it follows the
// source again; a source installed while they run takes over.
TEST(Tools, FesteSchritteStehenUndFolgenDannWiederDerQuelle) {
    Uhr_Set_Hooks({.jetzt = &Falsche_Uhr});
    g_jetzt = 50;
    W32_Uhr_Fest(true);
    g_jetzt = 9000;
    EXPECT_EQ(W32_Get_Time(), 1000u);
    W32_Uhr_Vor(20);
    W32_Uhr_Vor(5);
    EXPECT_EQ(W32_Get_Time(), 1025u);
    W32_Uhr_Fest(true, 70);
    EXPECT_EQ(W32_Get_Time(), 70u);
    W32_Uhr_Fest(false);
    EXPECT_EQ(W32_Get_Time(), 9000u);
    // A source installed while the steps run takes over from them.
    W32_Uhr_Fest(true);
    Uhr_Set_Hooks({.jetzt = &Falsche_Uhr});
    EXPECT_EQ(W32_Get_Time(), 9000u);
    W32_Uhr_Vor(20);
    EXPECT_EQ(W32_Get_Time(), 9000u);
    Uhr_Set_Hooks({});
    EXPECT_LT(W32_Get_Time(), 9000u * 1000u);
}

TEST(Tools, ProgrammBeendenLeavesTheNetworkAndRequestsQuitOnce) {
    static int aufrufe = 0;
    Tools_Set_Hooks({.programm_beenden = [] { ++aufrufe; }});
    Debug_Mitschnitt log;
    Quit_Status = 0;
    EXPECT_EQ(Tools_Programm_Beenden("Internet: Typespointer zu lang", 0), 0u);
    EXPECT_EQ(Quit_Status, 1u);
    EXPECT_EQ(aufrufe, 1);
    EXPECT_TRUE(log.Enthaelt("Internet: Typespointer zu lang"));
    Quit_Status = 2;
    EXPECT_EQ(Tools_Programm_Beenden(nullptr, 0), 2u);
    EXPECT_EQ(Quit_Status, 2u);  // never moved back
    Tools_Hooks_Zuruecksetzen();
    Quit_Status = 0;
}

}  // namespace
