// The value accessors: every mode reads, writes within its bounds, refuses
// outside them, and bad numbers or modes touch nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "world/welt.h"

namespace {

class Zugriff : public ::testing::Test {
  protected:
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Anlegen(4, 3 * 20 + TRANSFERMARKT_SPIELER));
        Team_Transfermarkt = 0;
        for (int s = 0; s < Spieler_Anzahl; s++)
            Spieler_Daten[s].team = s < TRANSFERMARKT_SPIELER ? 0 : 1 + (s - TRANSFERMARKT_SPIELER) / 20;
        Team_Kader_Neu_Aufbauen();
        Team_Aktiv = 1;
    }
    void TearDown() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Welt_Freigeben();
    }
};

std::vector<int> spieler_modi() {
    std::vector<int> m;
    for (int i = 0; i < 54; i++) m.push_back(i);
    for (int i : {55, 56, 57, 58, 65, 67, 68, 70, 71, 72, 73, 74, 75, 76, 77,
                  78, 82, 83, 84, 85, 87, 88, 90, 92, 93, 97, 98, 99, 100})
        m.push_back(i);
    return m;
}

TEST_F(Zugriff, EverySpielerModeWritesItsBoundsAndRefusesBeyond) {
    const int s = 1705;
    for (int m : spieler_modi()) {
        i64 lo, hi;
        ASSERT_TRUE(Spieler_Wert_Grenzen(m, &lo, &hi)) << m;
        // Keep the writes within i32 (the u32 look and status fields take bit patterns).
        i64 wlo = lo < INT32_MIN ? INT32_MIN : lo, whi = hi > INT32_MAX ? INT32_MAX : hi;
        EXPECT_EQ(Spieler_Wert(m, s, static_cast<i32>(whi), OP_SCHREIBEN), static_cast<i32>(whi)) << m;
        EXPECT_EQ(Spieler_Wert(m, s, 0, OP_LESEN), static_cast<i32>(whi)) << m;
        EXPECT_EQ(Spieler_Wert(m, s, static_cast<i32>(wlo), OP_SCHREIBEN), static_cast<i32>(wlo)) << m;
        if (hi < INT32_MAX) {
            Debug_Mitschnitt log;
            EXPECT_EQ(Spieler_Wert(m, s, static_cast<i32>(hi + 1), OP_SCHREIBEN), static_cast<i32>(wlo)) << m;
            EXPECT_TRUE(log.Enthaelt("ausserhalb")) << m;
        }
        if (lo > INT32_MIN && lo > -2147483647LL && m != 65 && m != 75) {
            EXPECT_EQ(Spieler_Wert(m, s, static_cast<i32>(lo - 1), OP_SCHREIBEN), static_cast<i32>(wlo)) << m;
        }
    }
}

TEST_F(Zugriff, EveryTeamModeWritesItsBoundsAndRefusesBeyond) {
    for (int m : {4, 5, 6, 7, 9, 10, 11, 16, 17, 20, 21}) {
        i64 lo, hi;
        ASSERT_TRUE(Team_Wert_Grenzen(m, &lo, &hi)) << m;
        i64 whi = hi > INT32_MAX ? INT32_MAX : hi;
        EXPECT_EQ(Team_Wert(m, 2, static_cast<i32>(whi), OP_SCHREIBEN), static_cast<i32>(whi)) << m;
        EXPECT_EQ(Team_Wert(m, 2, static_cast<i32>(lo), OP_SCHREIBEN), static_cast<i32>(lo)) << m;
        if (hi < INT32_MAX) {
            EXPECT_EQ(Team_Wert(m, 2, static_cast<i32>(hi + 1), OP_SCHREIBEN), static_cast<i32>(lo)) << m;
        }
        if (lo > 0) {
            EXPECT_EQ(Team_Wert(m, 2, static_cast<i32>(lo - 1), OP_SCHREIBEN), static_cast<i32>(lo)) << m;
        }
        if (lo == 0 && m != 7) {
            EXPECT_EQ(Team_Wert(m, 2, -1, OP_SCHREIBEN), 0) << m;
        }
    }
}

TEST_F(Zugriff, FormationNumberKeepsIndexBelowSixteenAndAutomaticBit) {
    EXPECT_EQ(Team_Wert(8, 1, 5, OP_SCHREIBEN), 5);
    EXPECT_EQ(Team_Wert(8, 1, 128, OP_BITS_SETZEN), static_cast<i8>(128 | 5));
    EXPECT_EQ(Team_Wert(8, 1, 0, OP_LESEN) & 0x7F, 5);
    EXPECT_EQ(Team_Wert(8, 1, 128, OP_BITS_LOESCHEN), 5);
    EXPECT_EQ(Team_Wert(8, 1, 16, OP_SCHREIBEN), 5);  // index 16 does not exist
    EXPECT_EQ(Team_Wert(8, 1, 0x90, OP_SCHREIBEN), 5);
}

TEST_F(Zugriff, BitOperationsOnStatusWord) {
    const int s = 1701;
    Spieler_Wert(75, s, SP_STATUS_AUFGESTELLT | SP_STATUS_VERLETZT, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(75, s, SP_STATUS_ROT, OP_BITS_SETZEN),
              static_cast<i32>(SP_STATUS_AUFGESTELLT | SP_STATUS_VERLETZT | SP_STATUS_ROT));
    EXPECT_EQ(Spieler_Wert(75, s, SP_STATUS_AUFGESTELLT, OP_BITS_LOESCHEN),
              static_cast<i32>(SP_STATUS_VERLETZT | SP_STATUS_ROT));
    EXPECT_EQ(Spieler_Wert(75, s, SP_STATUS_VERLETZT | SP_STATUS_ERSATZ, OP_BITS_TAUSCHEN),
              static_cast<i32>(SP_STATUS_ROT | SP_STATUS_ERSATZ));
    Team_Wert(7, 2, TEAM_STATUS_USER_AKTIV | TEAM_STATUS_SPIEL_BEREIT, OP_BITS_SETZEN);
    EXPECT_EQ(Team_Wert(7, 2, TEAM_STATUS_USER_AKTIV, OP_BITS_LOESCHEN), static_cast<i32>(TEAM_STATUS_SPIEL_BEREIT));
}

TEST_F(Zugriff, StrengthScalesFollowEachOther) {
    const int s = 1720;
    Spieler_Wert(58, s, 7400, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(92, s, 0, OP_LESEN), 7);
    Spieler_Wert(92, s, 9, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(58, s, 0, OP_LESEN), 9500);
    Spieler_Wert(92, s, 12, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Wert(58, s, 0, OP_LESEN), 12000);
}

TEST_F(Zugriff, BadNumbersAndModesTouchNothing) {
    std::vector<Spieler_Struktur> vorher(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
    std::vector<Team_Struktur> tvorher(Team_Daten, Team_Daten + Team_Anzahl);
    Debug_Mitschnitt log;
    EXPECT_EQ(Spieler_Wert(92, -1, 5, OP_SCHREIBEN), 0);
    EXPECT_EQ(Spieler_Wert(92, Spieler_Anzahl, 5, OP_SCHREIBEN), 0);
    EXPECT_EQ(Spieler_Wert(54, 3, 5, OP_SCHREIBEN), 0);
    EXPECT_EQ(Spieler_Wert(1000, 3, 5, OP_SCHREIBEN), 0);
    EXPECT_EQ(Spieler_Wert(92, 3, 5, 3), 0);  // unknown operation
    EXPECT_EQ(Team_Wert(6, Team_Anzahl, 1, OP_SCHREIBEN), 0);
    EXPECT_EQ(Team_Wert(3, 1, 1, OP_SCHREIBEN), 0);
    EXPECT_EQ(Team_Zeiger(704, 1, nullptr, 0), nullptr);
    EXPECT_EQ(Spieler_Zeiger(3, 1, nullptr, 0), nullptr);
    EXPECT_STREQ(Team_String(999, 1, nullptr, 0), "");
    EXPECT_STREQ(Spieler_String(62, 1, nullptr, 0), "");
    EXPECT_EQ(Manager_Wert(7, 1, 0, OP_LESEN), 0);
    EXPECT_GE(log.Anzahl("Falscher Parameter!"), 12);
    EXPECT_EQ(0, std::memcmp(vorher.data(), Spieler_Daten, vorher.size() * sizeof(Spieler_Struktur)));
    EXPECT_EQ(0, std::memcmp(tvorher.data(), Team_Daten, tvorher.size() * sizeof(Team_Struktur)));
}

TEST_F(Zugriff, TextsAreCutToTheirFieldsAndComposed) {
    const int s = 1700;
    char name[] = "Brommelkamp";
    Spieler_String(63, s, name, 1);
    char vor[] = "Jannek";
    Spieler_String(64, s, vor, 1);
    EXPECT_STREQ(Spieler_String(63, s, nullptr, 0), "Brommelkamp");
    EXPECT_STREQ(Spieler_String(64, s, nullptr, 0), "J.");
    EXPECT_STREQ(Spieler_String(505, s, nullptr, 0), "Jannek Brommelkamp");
    char land[] = "Deutschland";
    Team_String(721, 3, land, 1);
    Spieler_Wert(68, s, 3, OP_SCHREIBEN);
    EXPECT_STREQ(Spieler_String(508, s, nullptr, 0), "Jannek Brommelkamp (Deutschland)");
    char lang[] = "Ein viel zu langer Vereinsname fuer das Feld";
    Team_String(721, 2, lang, 1);
    EXPECT_EQ(std::strlen(Team_String(721, 2, nullptr, 0)), 24u);
    Team_Aktiv = 2;
    EXPECT_EQ(std::strncmp(Team_String(0, 2, nullptr, 0), "^ub", 3), 0);
    EXPECT_EQ(std::strncmp(Team_String(0, 3, nullptr, 0), "Deutschland", 11), 0);
    char puffer[64];
    EXPECT_EQ(Team_String(722, 3, puffer, 0), puffer);
    EXPECT_STREQ(Team_String(710, 3, nullptr, 0), "^gll0003 Deutschland");
}

TEST_F(Zugriff, TeamBlocksPointCopyAndWrite) {
    u8 farben[36];
    for (int i = 0; i < 36; i++) farben[i] = static_cast<u8>(i * 7);
    ASSERT_NE(Team_Zeiger(700, 1, farben, 1), nullptr);
    u8 zurueck[36] = {};
    Team_Zeiger(700, 1, zurueck, 32);
    EXPECT_EQ(0, std::memcmp(farben, zurueck, 36));
    EXPECT_EQ(Team_Zeiger(700, 1, nullptr, 0), Team_Fix_Daten[1].farben);
    // Manager blocks are null without a manager; installing one gives them.
    EXPECT_EQ(Team_Zeiger(306, 1, nullptr, 0), nullptr);
    static Manager_Struktur m{};
    std::strcpy(m.daten.name, "Heiko Tramm");
    m.daten.gesicht = 12;
    ASSERT_NE(Team_Zeiger(701, 1, &m, 1), nullptr);
    EXPECT_STREQ(Team_String(300, 1, nullptr, 0), "Heiko Tramm");
    EXPECT_EQ(Manager_Wert(0, 1, 0, OP_LESEN), 12);
    EXPECT_EQ(Manager_Wert(1, 1, 0, OP_LESEN), 1);
    u32 wahl[2] = {3, 5};
    Team_Zeiger(307, 1, wahl, 1);
    u32 w2[2] = {};
    Team_Zeiger(307, 1, w2, 32);
    EXPECT_EQ(w2[1], 5u);
    EXPECT_EQ(Manager_Wert(0, 1, 1000, OP_SCHREIBEN), 12);
}

TEST_F(Zugriff, ClientWritesToAnotherTeamAreRefusedWithTheExactText) {
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Team_Aktiv = 1;
    const int eigener = TRANSFERMARKT_SPIELER, fremder = TRANSFERMARKT_SPIELER + 25;
    Debug_Mitschnitt log;
    EXPECT_EQ(Spieler_Wert(90, eigener, 4, OP_SCHREIBEN), 4);
    EXPECT_EQ(Spieler_Wert(90, fremder, 4, OP_SCHREIBEN), 0);
    EXPECT_TRUE(log.Enthaelt("Spieler_Wert: CLIENT-WRITE!"));
    EXPECT_EQ(Spieler_Wert(90, fremder, 0, OP_LESEN), 0);
    EXPECT_EQ(Team_Wert(20, 2, 3, OP_SCHREIBEN), 0);
    EXPECT_TRUE(log.Enthaelt("Team_Wert: CLIENT-WRITE!"));
    EXPECT_EQ(Team_Wert(20, 1, 3, OP_SCHREIBEN), 3);
    char name[] = "X";
    Team_String(721, 2, name, 1);
    EXPECT_TRUE(log.Enthaelt("Team_String: CLIENT-WRITE!"));
    u8 farben[36] = {1};
    EXPECT_EQ(Team_Zeiger(700, 2, farben, 1), nullptr);
    EXPECT_TRUE(log.Enthaelt("Team_Zeiger: CLIENT-WRITE!"));
    EXPECT_EQ(Team_Fix_Daten[2].farben[0], 0);
    Spieler_String(63, fremder, name, 1);
    EXPECT_TRUE(log.Enthaelt("Spieler_String: CLIENT-WRITE!"));
}

TEST_F(Zugriff, WritingTheTeamMovesThePlayerBetweenSquads) {
    const int s = TRANSFERMARKT_SPIELER + 3;             // of team 1
    EXPECT_EQ(Spieler_Wert(86, s, 3, OP_SCHREIBEN), 1);  // team 3 is full
    EXPECT_TRUE(Team_Kader_Entfernen(3, TRANSFERMARKT_SPIELER + 45));
    Spieler_Daten[TRANSFERMARKT_SPIELER + 45].team = -1;
    EXPECT_EQ(Spieler_Wert(86, s, 3, OP_SCHREIBEN), 3);
    EXPECT_EQ(Team_Kader_Anzahl(1), 19);
    EXPECT_EQ(Team_Kader(3)[19], s);
    EXPECT_EQ(Spieler_Wert(86, s, 128, OP_BITS_SETZEN), 3);  // no bit games with a team number
    EXPECT_EQ(Spieler_Wert(86, s, Team_Anzahl, OP_SCHREIBEN), 3);
}

}  // namespace
