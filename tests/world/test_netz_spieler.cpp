// A client fetching players from a server whose records differ from its own
// (the line swaps the server's arrays in while a row runs), and the rows that
// only a peer sends: block 3 and calls 1017 to 1019.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/globals.h"
#include "welt_test.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/stadion.h"
#include "world/stadion_bau.h"
#include "world/welt.h"

namespace {

std::vector<Spieler_Struktur> server;
std::vector<Spieler_Fix> server_fix;
std::vector<int> aufrufe;

bool zwei_seiten(u16 nummer, const std::vector<u8>& ein, std::vector<u8>* aus) {
    aufrufe.push_back(nummer);
    Spieler_Struktur* c = Spieler_Daten;
    Spieler_Fix* cf = Spieler_Fix_Daten;
    Spieler_Daten = server.data(), Spieler_Fix_Daten = server_fix.data();
    const bool ok = ruf::Lokale_Leitung(nummer, ein, aus);
    Spieler_Daten = c, Spieler_Fix_Daten = cf;
    return ok;
}
bool stumm(u16 nummer, const std::vector<u8>&, std::vector<u8>*) {
    aufrufe.push_back(nummer);
    return false;
}

bool gleich(const Spieler_Struktur& a, const Spieler_Struktur& b) {
    return bytes::bild(&a, 1) == bytes::bild(&b, 1);
}
bool gleich(const Spieler_Fix& a, const Spieler_Fix& b) { return bytes::bild(&a, 1) == bytes::bild(&b, 1); }

class NetzSpieler : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Stadion_Init();
        Welt_Netz_Anmelden();
    }
    static void TearDownTestSuite() {
        ruf::Leitung_Setzen(nullptr);
        Stadion_Free();
        Welt_Freigeben();
    }
    void SetUp() override {
        // The server's records: the client's with every player's bytes changed.
        server.assign(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
        server_fix.assign(Spieler_Fix_Daten, Spieler_Fix_Daten + Spieler_Anzahl);
        for (auto& s : server) {
            std::vector<u8> b = bytes::bild(&s, 1);
            for (size_t i = 0; i < b.size(); i += 7) b[i] ^= 0x5A;
            bytes::Leser(b.data(), b.size())(s);
        }
        for (auto& f : server_fix) {
            std::vector<u8> b = bytes::bild(&f, 1);
            for (size_t i = 1; i < b.size(); i += 5) b[i] ^= 0x33;
            bytes::Leser(b.data(), b.size())(f);
        }
        ruf::Leitung_Setzen(zwei_seiten);
        aufrufe.clear();
        Internet_Modus = INTERNET_MODUS_CLIENT;
    }
    void TearDown() override { Internet_Modus = INTERNET_MODUS_EINZEL; }
};

TEST_F(NetzSpieler, EinSpielerKommtWieDerServerIhnHat) {
    const i32 n = Spieler_Anzahl;
    const struct {
        i32 spieler;
        bool ok;
    } faelle[] = {{123, true}, {0, true}, {n - 1, true}, {-1, false}, {n, false}};
    for (const auto& f : faelle) {
        const std::vector<Spieler_Struktur> vorher(Spieler_Daten, Spieler_Daten + n);
        aufrufe.clear();
        EXPECT_EQ(Internet_Client_Get_Spieler(f.spieler), f.ok) << f.spieler;
        EXPECT_EQ(aufrufe.size(), f.ok ? 1u : 0u);
        for (i32 s = 0; s < n; ++s) {
            const bool geholt = f.ok && s == f.spieler;
            ASSERT_TRUE(gleich(Spieler_Daten[s], geholt ? server[static_cast<size_t>(s)] : vorher[static_cast<size_t>(s)]))
                << f.spieler << " / " << s;
        }
    }
    // Without an answer, or outside a client, the record stays.
    const Spieler_Struktur alt = Spieler_Daten[200];
    ruf::Leitung_Setzen(stumm);
    EXPECT_FALSE(Internet_Client_Get_Spieler(200));
    ruf::Leitung_Setzen(zwei_seiten);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    EXPECT_FALSE(Internet_Client_Get_Spieler(200));
    EXPECT_TRUE(gleich(Spieler_Daten[200], alt));
}

TEST_F(NetzSpieler, TestblockHoltNeunundvierzigFesteSaetze) {
    EXPECT_EQ(Internet_Test_Lese_Spieler(), 49);
    EXPECT_EQ(aufrufe, std::vector<int>(49, 0));
    for (i32 s = 0; s <= 50; ++s)
        EXPECT_EQ(gleich(Spieler_Fix_Daten[s], server_fix[static_cast<size_t>(s)]), s >= 1 && s <= 49) << s;
}

TEST_F(NetzSpieler, ZeilenFuerGegenstellen) {
    for (u16 nummer : {3, 1017, 1018, 1019}) EXPECT_TRUE(ruf::Zeile_Vorhanden(nummer)) << nummer;
    // Capacity of a team, 0 for a number out of range; building and
    // renovating for a club other than the asking one change nothing.
    const i32 team = 12;
    const struct {
        i32 team, kapazitaet;
    } faelle[] = {{team, Stadion_Get_Kapazitaet(team)}, {-1, 0}, {Team_Anzahl, 0}, {1 << 30, 0}};
    for (const auto& f : faelle) EXPECT_EQ(ruf::Rufen(RUF_STADION_KAPAZITAET, f.team), f.kapazitaet) << f.team;
    EXPECT_GT(Stadion_Get_Kapazitaet(team), 0);
    const i32 fremd = Team_Aktiv == team ? team + 1 : team;
    EXPECT_EQ(ruf::Rufen(RUF_STADION_NEUBAU, fremd, i32{1}), static_cast<u8>(Stadion_Bau::KEIN_STADION));
    EXPECT_EQ(ruf::Rufen(RUF_STADION_RENOVIERUNG, fremd, 100), static_cast<u8>(Stadion_Bau::KEIN_STADION));
    EXPECT_EQ(Stadion_Get_Kapazitaet(team), faelle[0].kapazitaet);
    // Argument bytes that do not fit a row are refused.
    const u8 drei[3] = {1, 2, 3};
    std::vector<u8> aus;
    EXPECT_FALSE(ruf::Zeile_Ausfuehren(1017, drei, sizeof drei, &aus));
    EXPECT_FALSE(ruf::Zeile_Ausfuehren(1018, drei, 1, &aus));
    EXPECT_FALSE(ruf::Zeile_Ausfuehren(3, drei, 2, &aus));
    // Block 3: the players changed on the server since the last asking.
    std::fill(Spieler_Flags, Spieler_Flags + Spieler_Anzahl, 0);
    Spieler_Flags[7] = 1, Spieler_Flags[4000] = 1;
    const auto neu = ruf::Rufen(RUF_SPIELER_NEU);
    ASSERT_TRUE(neu);
    EXPECT_EQ(*neu, (std::vector<u8>{2, 0, 7, 0, 0xA0, 0x0F}));
    EXPECT_EQ(*ruf::Rufen(RUF_SPIELER_NEU), (std::vector<u8>{0, 0}));
}

}  // namespace
