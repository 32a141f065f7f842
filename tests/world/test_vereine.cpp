// Crest flags from the crest-picture folder, the league slots of all teams,
// contract offers between clubs and the union president in the save game.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/datei.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/globals.h"
#include "welt_test.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/speichern.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

class Vereine : public ::testing::Test {
  protected:
    void SetUp() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
    }
    void TearDown() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Bank_Free();
        Spieler_Free();
    }
};

TEST_F(Vereine, CrestFlagsFollowThePicturesInTheFolder) {
    std::string ordner = welt_temp_ordner("wappen");
    std::system(("rm -f '" + ordner + "'/*").c_str());
    for (const char* n : {"17.jpg", "3.JPG", "abc.jpg", "99999.jpg", "18.txt", "0020x.jpg"}) {
        FILE* f = std::fopen((ordner + "/" + n).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    char alt[W32_DIR_LAENGE];
    std::memcpy(alt, W32_Dir_Tabelle[W32_DIR_WAPPENBILDER], W32_DIR_LAENGE);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_WAPPENBILDER], W32_DIR_LAENGE, "%s", ordner.c_str());
    Team_Wert(7, 5, TEAM_STATUS_WAPPENFOTO, OP_BITS_SETZEN);
    Team_Set_Wappen_Flags();
    for (int t = 0; t < Team_Anzahl; t++) {
        bool foto = t == 17 || t == 3 || t == 20;  // "0020x" counts as 20: the first five characters
        EXPECT_EQ((Team_Wert(7, t, 0, OP_LESEN) & TEAM_STATUS_WAPPENFOTO) != 0, foto) << t;
    }
    EXPECT_TRUE(Team_Wert(7, 2, 0, OP_LESEN) & TEAM_STATUS_LAND);  // other bits stay
    // No folder: no team has a photo.
    W32_Dir_Tabelle[W32_DIR_WAPPENBILDER][0] = 0;
    Team_Set_Wappen_Flags();
    EXPECT_EQ(Team_Wert(7, 17, 0, OP_LESEN) & TEAM_STATUS_WAPPENFOTO, 0);
    std::memcpy(W32_Dir_Tabelle[W32_DIR_WAPPENBILDER], alt, W32_DIR_LAENGE);
}

i32 basisliga(int team) { return team == 16 ? 7 : team == 17 ? -1 : -2; }

TEST_F(Vereine, LeagueSlotsOfAllTeams) {
    Team_Set_Basisdaten(4, 18);
    int spieler = Team_Kader(18)[3];
    Spieler_Wert(88, spieler, 9, OP_SCHREIBEN);
    // Without the competitions' hook every team keeps its slot and its players follow it.
    Team_Set_Basisdaten(-1, -1);
    EXPECT_EQ(Team_Wert(11, 18, 0, OP_LESEN), 4);
    EXPECT_EQ(Spieler_Wert(88, spieler, 0, OP_LESEN), 4);
    Team_Hooks h;
    h.basisliga = basisliga;
    Team_Set_Hooks(h);
    Team_Set_Basisdaten(5, 17);
    Team_Set_Basisdaten(-1, -1);
    EXPECT_EQ(Team_Wert(11, 16, 0, OP_LESEN), 7);
    EXPECT_EQ(Spieler_Wert(88, Team_Kader(16)[0], 0, OP_LESEN), 7);
    EXPECT_EQ(Team_Wert(11, 17, 0, OP_LESEN), -1);
    EXPECT_EQ(Team_Wert(11, 18, 0, OP_LESEN), 4);
    // Not on a client.
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Team_Set_Basisdaten(3, 18);
    EXPECT_EQ(Team_Wert(11, 18, 0, OP_LESEN), 4);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    // A hook that knows nothing leaves the slots alone.
    h.basisliga = [](int) { return -2; };
    Team_Set_Hooks(h);
}

// A request of kind 12: club 16 wants player `gewollt` of club 17 and gives `abgabe`.
std::vector<i32> anfrage(int gewollt, int abgabe, i32 abloese, i32 antwort) {
    return {VERTRAG_ANFRAGE_ART, 16, 17, 100, abloese, 30000, 3, gewollt, abgabe, antwort};
}

TEST_F(Vereine, ContractOffersExchangeThePlayersWithTheFee) {
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(16, 2000000.0, 0));
    ASSERT_TRUE(Bank_Konto_Anlegen(17, 1000000.0, 0));
    int gewollt = Team_Kader(17)[5], abgabe = Team_Kader(16)[7];
    // No answer yet, a no, another kind, a null block: nothing happens.
    EXPECT_EQ(Spieler_Vertrag_Ergebnis(anfrage(gewollt, abgabe, 500000, -1).data()), 0);
    EXPECT_EQ(Spieler_Vertrag_Ergebnis(anfrage(gewollt, abgabe, 500000, -2).data()), 0);
    EXPECT_EQ(Spieler_Vertrag_Ergebnis(anfrage(gewollt, abgabe, 500000, 0).data()), 0);
    std::vector<i32> falsch = anfrage(gewollt, abgabe, 500000, 1);
    falsch[0] = 11;
    EXPECT_EQ(Spieler_Vertrag_Ergebnis(falsch.data()), 0);
    {
        Debug_Mitschnitt log;
        EXPECT_EQ(Spieler_Vertrag_Ergebnis(nullptr), 0);
        EXPECT_TRUE(log.Enthaelt("Spieler_Vertrag_Ergebnis: NULL-Pointer!"));
    }
    // A fee the club cannot cover, a player who already left, a negative fee.
    EXPECT_EQ(Spieler_Vertrag_Ergebnis(anfrage(gewollt, abgabe, 90000000, 1).data()), 0);
    EXPECT_EQ(Spieler_Vertrag_Ergebnis(anfrage(Team_Kader(18)[0], abgabe, 500000, 1).data()), 0);
    EXPECT_EQ(Spieler_Vertrag_Ergebnis(anfrage(gewollt, abgabe, -5, 1).data()), 0);
    EXPECT_EQ(Spieler_Get_Team(gewollt), 17);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(16, 0, -1), 2000000.0);
    // On a client it is the server's business.
    Internet_Modus = INTERNET_MODUS_CLIENT;
    {
        Debug_Mitschnitt log;
        EXPECT_EQ(Spieler_Vertrag_Ergebnis(anfrage(gewollt, abgabe, 500000, 1).data()), 0);
        EXPECT_TRUE(log.Enthaelt("Client-Zugriff: Spieler_Vertrag_Ergebnis()"));
    }
    Internet_Modus = INTERNET_MODUS_EINZEL;
    // A yes: the players change clubs, the fee goes from 16 to 17.
    ASSERT_EQ(Spieler_Vertrag_Ergebnis(anfrage(gewollt, abgabe, 500000, 1).data()), 1);
    EXPECT_EQ(Spieler_Get_Team(gewollt), 16);
    EXPECT_EQ(Spieler_Get_Team(abgabe), 17);
    EXPECT_EQ(Team_Kader_Anzahl(16), 20);
    EXPECT_EQ(Team_Kader_Anzahl(17), 20);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(16, 0, -1), 1500000.0);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(17, 0, -1), 1500000.0);
    // The same answer again finds the players gone.
    EXPECT_EQ(Spieler_Vertrag_Ergebnis(anfrage(gewollt, abgabe, 500000, 1).data()), 0);
}

std::vector<u8> teams_schreiben() { return block_schreiben(Team_Block_Schreiben); }

bool teams_lesen(const std::vector<u8>& daten) {
    const bool ok = block_lesen(daten, Team_Block_Lesen);
    if (ok) Welt_Block_Uebernehmen();
    else Welt_Block_Verwerfen();
    return ok;
}

TEST_F(Vereine, UnionPresidentIsSavedWithTheTeams) {
    EXPECT_EQ(Spieler_Get_Gewerkschafts_Praesi(), -1);
    EXPECT_FALSE(Spieler_Setze_Gewerkschafts_Praesi(2));
    for (int seite : {0, 1}) {
        ASSERT_TRUE(Spieler_Setze_Gewerkschafts_Praesi(seite));
        i32 praesi = Spieler_Get_Gewerkschafts_Praesi();
        EXPECT_TRUE(seite == 0 ? praesi >= 0 && Spieler_Wert(55, praesi, 0, 0) >= 100 : praesi <= -2);
        std::vector<u8> daten = teams_schreiben();
        Spieler_Set_Gewerkschafts_Praesi_Wert(-1);
        EXPECT_EQ(Spieler_Get_Gewerkschafts_Praesi(), -1);
        ASSERT_TRUE(teams_lesen(daten));
        EXPECT_EQ(Spieler_Get_Gewerkschafts_Praesi(), praesi);
    }
    // A block written before the president was saved (slot 9 not 1) means none.
    std::vector<u8> daten = teams_schreiben();
    put_i32le(&daten[8 + 36], 0);
    ASSERT_TRUE(teams_lesen(daten));
    EXPECT_EQ(Spieler_Get_Gewerkschafts_Praesi(), -1);
    // A number outside the players means none.
    Spieler_Set_Gewerkschafts_Praesi_Wert(Spieler_Anzahl);
    EXPECT_EQ(Spieler_Get_Gewerkschafts_Praesi(), -1);
    Spieler_Set_Gewerkschafts_Praesi_Wert(-2 - Spieler_Anzahl);
    EXPECT_EQ(Spieler_Get_Gewerkschafts_Praesi(), -1);
}

// A new world: every club's eleven has its penalty, free-kick and corner
// takers (field players; free kicks and corners with two different men) and
// the squad one captain from the eleven. A role given by hand stays.
TEST_F(Vereine, JederVereinHatSchuetzenUndKapitaenVomStart) {
    int vereine = 0;
    for (int t = 0; t < Team_Anzahl; t++) {
        if (t == Team_Transfermarkt || Team_Kader_Anzahl(t) < 11) continue;
        ++vereine;
        i32 elf[64];
        const int n = Teamspieler_Ins_Array(t, elf, 64, SP_STATUS_AUFGESTELLT);
        ASSERT_EQ(n, 11) << t;
        struct Rolle {
            u32 bit;
            int in_elf = 0, im_kader = 0, feld = 0;
            i32 wer = -1;
        } rollen[] = {{SP_STATUS_ELFMETER}, {SP_STATUS_FREISTOSS}, {SP_STATUS_ECKEN}, {SP_STATUS_KAPITAEN}};
        for (Rolle& r : rollen) {
            for (int i = 0; i < n; ++i)
                if (Spieler_Daten[elf[i]].status & r.bit) {
                    ++r.in_elf;
                    r.feld += Spieler_Fix_Daten[elf[i]].position != 0;
                    r.wer = elf[i];
                }
            for (int i = 0; i < Team_Kader_Anzahl(t); ++i) r.im_kader += (Spieler_Daten[Team_Kader(t)[i]].status & r.bit) != 0;
        }
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(rollen[k].in_elf, 1) << "club " << t << " role " << k;
            EXPECT_EQ(rollen[k].feld, 1) << "club " << t << " role " << k << ": a field player";
        }
        EXPECT_NE(rollen[1].wer, rollen[2].wer) << "club " << t;
        EXPECT_EQ(rollen[3].in_elf, 1) << "club " << t;
        EXPECT_EQ(rollen[3].im_kader, 1) << "club " << t;
    }
    EXPECT_GT(vereine, 20);
    // The manager makes another player the penalty taker: a new line-up keeps him.
    const int t = 1;
    i32 elf[64];
    ASSERT_EQ(Teamspieler_Ins_Array(t, elf, 64, SP_STATUS_AUFGESTELLT), 11);
    for (int i = 0; i < 11; ++i) Spieler_Daten[elf[i]].status &= ~SP_STATUS_ELFMETER;
    Spieler_Daten[elf[1]].status |= SP_STATUS_ELFMETER;
    Aufstellung_Rollen_Vergeben(t);
    for (int i = 0; i < 11; ++i) EXPECT_EQ((Spieler_Daten[elf[i]].status & SP_STATUS_ELFMETER) != 0, i == 1) << i;
}

}  // namespace
