// The client side of the world's blocks, against a loop-back of the server rows.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/memory.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "welt_test.h"

namespace {

std::vector<std::pair<int, std::string>> aufrufe;
u8* letzter_block = nullptr;

// Runs the server row as the server would: single play, the asking team current.
i32 schleife(i32 id, const char* typen, ...) {
    aufrufe.emplace_back(id, typen);
    va_list a;
    va_start(a, typen);
    u32 modus = Internet_Modus;
    Internet_Modus = INTERNET_MODUS_SERVER;
    i32 alt = Aktuelles_Team;
    Aktuelles_Team = Team_Aktiv;
    i32 r = 0;
    switch (id) {
        case 0: {
            u8** aus = va_arg(a, u8**);
            int m = va_arg(a, int), t = va_arg(a, int), s = va_arg(a, int), x = va_arg(a, int);
            W32_Memory_H_Free(letzter_block);
            r = static_cast<i32>(Spieler_Internet_Server_Send(&letzter_block, m, t, s, x));
            *aus = letzter_block;
            break;
        }
        case 2: Spieler_Internet_Server_Send_Startinfo(va_arg(a, u32*)); break;
        case 1015: {
            u8** aus = va_arg(a, u8**);
            int t = va_arg(a, int);
            W32_Memory_H_Free(letzter_block);
            r = static_cast<i32>(Stadion_Internet_Server_Send_Liste(&letzter_block, t));
            *aus = letzter_block;
            break;
        }
        case 4: {
            int ta = va_arg(a, int), tb = va_arg(a, int), sa = va_arg(a, int), sb = va_arg(a, int), p = va_arg(a, int);
            Spieler_Tausch_Ausfuehren(ta, tb, sa, sb, p, va_arg(a, u32*));
            break;
        }
        case 16: {
            u32* t = va_arg(a, u32*);
            u32* k = va_arg(a, u32*);
            u32* m = va_arg(a, u32*);
            u16* h = va_arg(a, u16*);
            Team_Internet_Server_Send_Startinfo(t, k, m, h, va_arg(a, u16*));
            break;
        }
        case 1026: {
            int v[6];
            for (int& x : v) x = va_arg(a, int);
            r = Bank_Internet_Server_Buchung(v[0], v[1], v[2], v[3], v[4], v[5]);
            break;
        }
        case 1024: {
            u8** aus = va_arg(a, u8**);
            u8* w = va_arg(a, u8*);
            u8* z = va_arg(a, u8*);
            u8* g = va_arg(a, u8*);
            f32* f[4];
            for (auto& x : f) x = va_arg(a, f32*);
            u8* k = va_arg(a, u8*);
            int t = va_arg(a, int);
            W32_Memory_H_Free(letzter_block);
            r = static_cast<i32>(Bank_Internet_Server_Send_Bankdaten(&letzter_block, w, z, g, f[0], f[1], f[2], f[3], k, t));
            *aus = letzter_block;
            break;
        }
        case 31: {
            u32* x = va_arg(a, u32*);
            Manager_Internet_Server_Send_Startinfo_1(x, va_arg(a, u32*));
            break;
        }
    }
    Internet_Modus = modus;
    Aktuelles_Team = alt;
    va_end(a);
    return r;
}

class NetzClient : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Welt_Netz_Hooks h;
        h.client_lesen = schleife;
        Welt_Set_Netz_Hooks(h);
    }
    static void TearDownTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        letzter_block = static_cast<u8*>(W32_Memory_H_Free(letzter_block));
        Bank_Free();
        Welt_Freigeben();
    }
    void SetUp() override { aufrufe.clear(); }
    void TearDown() override { Internet_Modus = INTERNET_MODUS_EINZEL; }
};

TEST_F(NetzClient, NothingIsSentOutsideAClient) {
    EXPECT_FALSE(Spieler_Internet_Client_Send_Data_Back());
    EXPECT_FALSE(Team_Internet_Client_Refresh());
    Bank_Init();
    Bank_Konto_Anlegen(20, 100000.0, 0);
    EXPECT_EQ(Bank_Buchen(20, -1, 10.0f, 27, 0, -1), 1);
    EXPECT_TRUE(aufrufe.empty());
}

TEST_F(NetzClient, StartInfoAndRefreshFillTheLocalArrays) {
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Team_Aktiv = 20;
    ASSERT_TRUE(Team_Internet_Client_Get_Startinfo());
    ASSERT_TRUE(Spieler_Internet_Client_Get_Startinfo());
    ASSERT_TRUE(Spieler_Internet_Client_Init());
    EXPECT_EQ(Team_Anzahl, 280);
    EXPECT_EQ(Spieler_Anzahl, 7280);
    Schwierigkeit = 2;
    ASSERT_TRUE(Manager_Internet_Client_Get_Startinfo_1());
    ASSERT_GE(aufrufe.size(), 3u);
    EXPECT_EQ(aufrufe[0], (std::pair<int, std::string>{16, "vI4I4I4W2W2"}));
    EXPECT_EQ(aufrufe[1], (std::pair<int, std::string>{2, "vI4"}));
    EXPECT_EQ(aufrufe.back().first, 31);
}

i32 keine_antwort(i32 id, const char* typen, ...) {
    aufrufe.emplace_back(id, typen);
    return 0;
}

TEST_F(NetzClient, BankTablesComeWithCall1024AndAFailedCallChangesNothing) {
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(72, 1000000.0, 0));  // an English club: pounds
    f64 rahmen = Bank_Get_Kreditrahmen(72);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Team_Aktiv = 72;
    Welt_Netz_Hooks h;
    h.client_lesen = keine_antwort;
    Welt_Set_Netz_Hooks(h);
    EXPECT_FALSE(Bank_Internet_Client_Get_Bankdaten(72));
    EXPECT_EQ(Bank_Get_Waehrung(72), BANK_PFUND);
    EXPECT_DOUBLE_EQ(Bank_Get_Kreditrahmen(72), rahmen);
    h.client_lesen = schleife;
    Welt_Set_Netz_Hooks(h);
    aufrufe.clear();
    EXPECT_TRUE(Bank_Internet_Client_Get_Bankdaten(72));
    ASSERT_FALSE(aufrufe.empty());
    EXPECT_EQ(aufrufe[0], (std::pair<int, std::string>{1024, "iC<=0C<12C<28C<28F<4F<4F<4F<4C<52i"}));
    EXPECT_EQ(Bank_Get_Waehrung(72), BANK_PFUND);
    EXPECT_DOUBLE_EQ(Bank_Get_Kreditrahmen(72), rahmen);
    Bank_Free();
}

TEST_F(NetzClient, BookingsAndExchangesGoToTheServer) {
    // The world of the loop-back is the local one: load it again.
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
    Bank_Init();
    Bank_Konto_Anlegen(20, 1000000.0, 0);
    Bank_Konto_Anlegen(21, 1000000.0, 0);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Team_Aktiv = 20;
    EXPECT_EQ(Bank_Buchen(20, -1, 5000.0f, 27, 0, -1), 1);
    EXPECT_EQ(Bank_Buchen(21, 20, 5000.0f, 22, 0, -1), 0);  // the server refuses another team's money
    EXPECT_EQ(aufrufe.back(), (std::pair<int, std::string>{1026, "ciiiiii"}));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, -1), 995000.0);
    int geht = Team_Kader(20)[19];
    i32 markt[20] = {};
    int n = 0;
    for (int i = 0; i < Team_Kader_Anzahl(0) && n < 1; i++)
        if (!(Spieler_Wert(75, Team_Kader(0)[i], 0, 0) & SP_STATUS_SCOUT)) markt[n++] = Team_Kader(0)[i];
    EXPECT_EQ(Spieler_Tauschen(20, 0, geht, markt[0], 10000), 1);
    EXPECT_EQ(aufrufe.back().first, 4);
    EXPECT_EQ(Spieler_Get_Team(markt[0]), 20);
    // A client without a manager says so.
    Debug_Mitschnitt log;
    EXPECT_FALSE(Manager_Internet_Client_Send_Data_Back());
    EXPECT_TRUE(log.Enthaelt("CLIENT: KEIN MANAGER !!!"));
    // The stadium record comes as a list image.
    Stadion_Init();
    EXPECT_TRUE(Stadion_Internet_Client_Get(20));
    EXPECT_EQ(aufrufe.back(), (std::pair<int, std::string>{1015, "iC<=0i"}));
    EXPECT_FALSE(Stadion_Internet_Client_Get(0));
    Stadion_Free();
    // Fetching one player's record goes through block 0.
    ASSERT_TRUE(Spieler_Internet_Client_Get_Data(3, -1, 77, -1));
    EXPECT_EQ(aufrufe.back(), (std::pair<int, std::string>{0, "iV<=0iiii"}));
}

}  // namespace
