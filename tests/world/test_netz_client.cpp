// The client side of the world's blocks through the call layer's local line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/memory.h"
#include "welt_test.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/markt.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/welt.h"

namespace {

std::vector<int> aufrufe;

// The local line, recording every call's number.
bool schleife(u16 nummer, const std::vector<u8>& ein, std::vector<u8>* aus) {
    aufrufe.push_back(nummer);
    return ruf::Lokale_Leitung(nummer, ein, aus);
}
// The argument bytes of the last call sent, by number (a replay sends them again).
std::map<u16, std::vector<u8>> gesendet;
bool mitschneiden(u16 nummer, const std::vector<u8>& ein, std::vector<u8>* aus) {
    gesendet[nummer] = ein;
    return schleife(nummer, ein, aus);
}
bool keine_antwort(u16 nummer, const std::vector<u8>&, std::vector<u8>*) {
    aufrufe.push_back(nummer);
    return false;
}

class NetzClient : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Welt_Netz_Anmelden();
        ruf::Leitung_Setzen(schleife);
    }
    static void TearDownTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ruf::Leitung_Setzen(nullptr);
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
    EXPECT_EQ(aufrufe, (std::vector<int>{16, 2, 31}));
}

TEST_F(NetzClient, BankTablesComeWithCall1024AndAFailedCallChangesNothing) {
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(72, 1000000.0, 0));  // an English club: pounds
    f64 rahmen = Bank_Get_Kreditrahmen(72);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Team_Aktiv = 72;
    ruf::Leitung_Setzen(keine_antwort);
    EXPECT_FALSE(Bank_Internet_Client_Get_Bankdaten(72));
    EXPECT_EQ(Bank_Get_Waehrung(72), BANK_PFUND);
    EXPECT_DOUBLE_EQ(Bank_Get_Kreditrahmen(72), rahmen);
    ruf::Leitung_Setzen(schleife);
    aufrufe.clear();
    EXPECT_TRUE(Bank_Internet_Client_Get_Bankdaten(72));
    EXPECT_EQ(aufrufe, (std::vector<int>{1024, 1027}));
    EXPECT_EQ(Bank_Get_Waehrung(72), BANK_PFUND);
    EXPECT_DOUBLE_EQ(Bank_Get_Kreditrahmen(72), rahmen);
    Bank_Free();
}

TEST_F(NetzClient, BookingsAndExchangesGoToTheServer) {
    // The world of the loop-back is the local one: load it again.
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
    Bank_Init();
    Bank_Konto_Anlegen(20, 10000000.0, 0);
    Bank_Konto_Anlegen(21, 1000000.0, 0);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Team_Aktiv = 20;
    // (Bookings refused for another team, the stadium and one player's record: the two-process test in tests/net.)
    aufrufe.clear();
    EXPECT_EQ(Bank_Buchen(20, -1, 5000.0f, 27, 0, -1), 1);
    // The booking goes to the server once; the client's account comes back
    // after it (balance, then bookings).
    const auto buchung = std::find(aufrufe.begin(), aufrufe.end(), 1026);
    ASSERT_NE(buchung, aufrufe.end());
    EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1026), 1);
    EXPECT_EQ(std::vector<int>(buchung + 1, aufrufe.end()), (std::vector<int>{1025, 1027}));
    int geht = Team_Kader(20)[19];
    i32 markt[20] = {};
    int n = 0;
    for (int i = 0; i < Team_Kader_Anzahl(0) && n < 1; i++)
        if (!(Spieler_Wert(75, Team_Kader(0)[i], 0, 0) & SP_STATUS_SCOUT)) markt[n++] = Team_Kader(0)[i];
    // The server makes a purchase only after a negotiation for that player
    // started (spending a transfer there) and at a price it reaches.
    const i32 preis = Global_Transfer_Forderung(markt[0]);
    Team_Daten[20].transfers = 3;
    ASSERT_LT(preis, 10000000);
    EXPECT_EQ(Spieler_Tauschen(20, 0, geht, markt[0], preis), 0) << "no negotiation";
    ASSERT_TRUE(Transfer_Verhandlung_Beginnen(20, markt[0]));
    EXPECT_EQ(aufrufe.back(), 1046);
    EXPECT_EQ(Team_Daten[20].transfers, 2);
    EXPECT_EQ(Spieler_Tauschen(20, 0, geht, markt[0], preis), 1);
    EXPECT_EQ(aufrufe.back(), 4);
    EXPECT_EQ(Team_Daten[20].transfers, 2) << "the purchase spent no second transfer";
    EXPECT_EQ(Spieler_Get_Team(markt[0]), 20);
    // A client without a manager says so.
    Debug_Mitschnitt log;
    EXPECT_FALSE(Manager_Internet_Client_Send_Data_Back());
    EXPECT_TRUE(log.Enthaelt("CLIENT: KEIN MANAGER !!!"));
    Stadion_Init();
    EXPECT_FALSE(Stadion_Internet_Client_Get(0)) << "the market has no stadium";
    Stadion_Free();
}

}  // namespace

// A client's credit from the bank goes to the server as call 1028 (never as
// a booking of kind 41, which the server refuses) and the client's account
// then mirrors the server's balance and credits (call 1025). A refused
// request books nothing.
TEST_F(NetzClient, ACreditOfTheClientGoesThroughTheServer) {
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(20, 2000000.0, 0));
    ASSERT_TRUE(Bank_Konto_Anlegen(21, 2000000.0, 0));
    Team_Aktiv = 20;
    const f32 bankzins = Bank_Get_Zins(Bank_Get_Laufzeit_Klasse(24));
    struct Fall {
        const char* name;
        int geber, nehmer;
        f32 betrag, zins;
        int laufzeit;
        bool gebucht;
    } faelle[] = {
        {"from the bank at its rate", -1, 20, 1000000.0f, bankzins, 24, true},
        {"the bank's rate asked for as -1", -1, 20, 500000.0f, -1.0f, 24, true},
        {"a rate other than the bank's", -1, 20, 1000000.0f, bankzins + 1.0f, 24, false},
        {"beyond the largest credit", -1, 20, 20000000.0f, -1.0f, 24, false},
        {"a term beyond 50 months", -1, 20, 1000000.0f, -1.0f, 60, false},
        {"for another club", -1, 21, 1000000.0f, -1.0f, 24, false},
    };
    for (const Fall& f : faelle) {
        Internet_Modus = INTERNET_MODUS_CLIENT;
        aufrufe.clear();
        const f64 vorher20 = Bank_Get_Kontostand(20, 0, 0), vorher21 = Bank_Get_Kontostand(21, 0, 0);
        const int kredite = Bank_Get_Anzahl_Kredite(20);
        EXPECT_EQ(Bank_Kredit(f.geber, f.nehmer, f.betrag, f.laufzeit, 0, f.zins, 0), f.gebucht) << f.name;
        EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1026), 0) << f.name;
        if (f.zins == -1.0f || f.zins == bankzins) {
            EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1028), 1) << f.name;
        }
        EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), 1025), f.gebucht ? 1 : 0) << f.name;
        Internet_Modus = INTERNET_MODUS_EINZEL;
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, 0), vorher20 + (f.gebucht ? f.betrag : 0.0)) << f.name;
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(21, 0, 0), vorher21) << f.name;
        EXPECT_EQ(Bank_Get_Anzahl_Kredite(20), kredite + (f.gebucht ? 1 : 0)) << f.name;
    }
    // The mirror refuses a team without account and keeps the old state
    // when no answer comes.
    Internet_Modus = INTERNET_MODUS_CLIENT;
    ruf::Leitung_Setzen(keine_antwort);
    EXPECT_FALSE(Bank_Internet_Client_Get_Kredite(20));
    EXPECT_FALSE(Bank_Kredit(-1, 20, 1000000.0f, 24, 0, -1.0f, 0));
    ruf::Leitung_Setzen(schleife);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(20), 2);
    Bank_Free();
}

// A payment and a credit of a client, sent again byte for byte (a replay, a
// request repeated on the line): the server carries each request out once;
// the same payment asked for anew is a new request and books again.
TEST_F(NetzClient, AReplayedPaymentOrCreditBooksNothing) {
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(20, 5000000.0, 0));
    Team_Aktiv = 20;
    ruf::Leitung_Setzen(mitschneiden);
    const struct {
        const char* was;
        u16 nummer;
        bool (*anfragen)();
        f64 aenderung;
    } faelle[] = {
        {"a training paid", 1026, [] { return Bank_Buchen(20, -1, 5000.0f, 27, 0, -1) == 1; }, -5000.0},
        {"a credit from the bank", 1028, [] { return Bank_Kredit(-1, 20, 500000.0f, 24, 0, -1.0f, 0); }, 500000.0},
    };
    for (const auto& f : faelle) {
        Internet_Modus = INTERNET_MODUS_CLIENT;
        const f64 vorher = Bank_Get_Kontostand(20, 0, 0);
        const int kredite = Bank_Get_Anzahl_Kredite(20);
        ASSERT_TRUE(f.anfragen()) << f.was;
        const std::vector<u8> anfrage = gesendet.at(f.nummer);
        for (int k = 0; k < 3; ++k) {
            std::vector<u8> antwort;
            ASSERT_TRUE(ruf::Lokale_Leitung(f.nummer, anfrage, &antwort)) << f.was;
            ASSERT_EQ(antwort.size(), 1u) << f.was;
            EXPECT_EQ(antwort[0], 0) << f.was << ", replay " << k;
        }
        Internet_Modus = INTERNET_MODUS_EINZEL;
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, 0), vorher + f.aenderung) << f.was << ": booked once";
        EXPECT_EQ(Bank_Get_Anzahl_Kredite(20), kredite + (f.nummer == 1028 ? 1 : 0)) << f.was;
        Internet_Modus = INTERNET_MODUS_CLIENT;
        EXPECT_TRUE(f.anfragen()) << f.was << ": asked for again";
        Internet_Modus = INTERNET_MODUS_EINZEL;
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, 0), vorher + 2 * f.aenderung) << f.was;
    }
    // Number 0 is no request number.
    EXPECT_FALSE(ruf::Anfrage_Neu(20, 0));
    ruf::Leitung_Setzen(schleife);
    Bank_Free();
}
