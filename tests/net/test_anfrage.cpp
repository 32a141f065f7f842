// The client's request path against a raw server on its own thread.

#include "base/memory.h"
#include "net/netz_start.h"
#include "netz_test.h"
#include "platform/hooks.h"

namespace {

enum class Verhalten { Echo, Schliessen, Signal_Zuerst, Stumm };

std::vector<u8> Signal() {
    std::vector<u8> s(12);
    put_u32le(&s[0], NETZ_SIGNAL_MAGIC);
    put_u32le(&s[4], 1);
    put_u32le(&s[8], 7);
    return s;
}

// A raw server that answers each frame as told.
Roh_Server::Handler Verhalten_Von(Verhalten v) {
    return [v](int c, const std::vector<u8>& daten) {
        if (v == Verhalten::Schliessen) return false;
        if (v == Verhalten::Stumm) return true;
        if (v == Verhalten::Signal_Zuerst && !Roh_Schreiben(c, Test_Rahmen(251, Signal()))) return false;
        return Roh_Schreiben(c, Test_Rahmen(251, daten));
    };
}

int signale = 0;
u32 signal_laenge = 0;
int verloren = 0;
int anzeige = 0;
u8* innere_antwort = reinterpret_cast<u8*>(1);

class Anfrage : public Netz_Test {
  protected:
    void SetUp() override {
        Netz_Test::SetUp();
        signale = verloren = anzeige = 0;
        Test_Adresse(1, adresse);
        Internet_Modus = INTERNET_MODUS_CLIENT;
        Main_Set_Hooks(Netz_Main_Hooks());
        Netz_Set_Hooks({.client_signal =
                            [](const u8*, u32 n) {
                                signale++;
                                signal_laenge = n;
                                // Game code inside a waiting request cannot start another one.
                                const u8 x = 1;
                                innere_antwort = Verbindung_Send_And_Read(Internet_Server_Verbindung, &x, 1, nullptr);
                            },
                        .warteanzeige = [](int) { anzeige++; },
                        .verbindung_verloren = [] { verloren++; }});
    }
    void TearDown() override {
        Main_Hooks_Zuruecksetzen();
        Netz_Test::TearDown();
    }
    Verbindung* Verbinden() {
        Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, INTERNET_PORT, adresse);
        EXPECT_NE(Internet_Server_Verbindung, nullptr);
        return Internet_Server_Verbindung;
    }
    std::vector<u8> Fragen(const std::vector<u8>& frage) {
        u32 n = 0;
        u8* a = Verbindung_Send_And_Read(Internet_Server_Verbindung, frage.data(), static_cast<u32>(frage.size()), &n);
        std::vector<u8> antwort(a, a + (a ? n : 0));
        W32_Memory_H_Free(a);
        return antwort;
    }
    u8 adresse[4];
};

TEST_F(Anfrage, EchoServerAnswersRequestsOfEverySize) {
    Roh_Server server(adresse, Verhalten_Von(Verhalten::Echo));
    ASSERT_TRUE(server.ok());
    Verbinden();
    for (size_t groesse : {size_t{1}, size_t{16}, size_t{100000}, size_t{16}}) {
        std::vector<u8> frage(groesse);
        for (size_t i = 0; i < groesse; i++) frage[i] = static_cast<u8>(i * 7 + groesse);
        EXPECT_EQ(Fragen(frage), frage) << groesse;
    }
    EXPECT_EQ(verloren, 0);
    EXPECT_EQ(signale, 0);
}

TEST_F(Anfrage, SignalBeforeTheAnswerGoesToItsHook) {
    Roh_Server server(adresse, Verhalten_Von(Verhalten::Signal_Zuerst));
    Verbinden();
    EXPECT_EQ(Fragen({'f', 'r', 'a', 'g', 'e'}), (std::vector<u8>{'f', 'r', 'a', 'g', 'e'}));
    EXPECT_EQ(signale, 1);
    EXPECT_EQ(signal_laenge, 12u);
    EXPECT_EQ(innere_antwort, nullptr);
    EXPECT_EQ(verloren, 0);
}

// The echo of the client's own signal arrives while the request is being
// sent: neither disturbs the other.
TEST_F(Anfrage, SignalSentBeforeARequestDoesNotDisturbIt) {
    Roh_Server server(adresse, Verhalten_Von(Verhalten::Echo));
    Verbinden();
    const std::vector<u8> s = Signal();
    CLIENT_SIGNAL(Internet_Server_Verbindung, s.data(), static_cast<u32>(s.size()));
    EXPECT_EQ(Fragen({'a', 'b'}), (std::vector<u8>{'a', 'b'}));
    EXPECT_EQ(signale, 1);
    EXPECT_EQ(verloren, 0);
}

TEST_F(Anfrage, ServerClosingMidRequestOrStayingSilentFailsOnce) {
    for (Verhalten v : {Verhalten::Schliessen, Verhalten::Stumm}) {
        verloren = anzeige = 0;
        Verbindung_Limits.anfrage = 300;
        Roh_Server server(adresse, Verhalten_Von(v));
        Verbinden();
        EXPECT_TRUE(Fragen({1, 2, 3}).empty());
        EXPECT_EQ(verloren, 1);
        EXPECT_EQ(Internet_Server_Verbindung, nullptr);
        EXPECT_EQ(Verbindung_Get_Freier_Platz(), 0) << "the connection is closed";
        if (v == Verhalten::Stumm) {
            EXPECT_GE(anzeige, 1);
        }
    }
}

TEST_F(Anfrage, SignalToAServerThatHasGoneFailsOnce) {
    Roh_Server server(adresse, Verhalten_Von(Verhalten::Schliessen));
    Verbinden();
    const std::vector<u8> s = Signal();
    // The server closes once it has the signal; the close may already be
    // seen while the signal goes out, else by the next signal.
    CLIENT_SIGNAL(Internet_Server_Verbindung, s.data(), static_cast<u32>(s.size()));
    if (Internet_Server_Verbindung) {
        ASSERT_TRUE(Pumpen_Bis([] { return Verbindung_Zustand(Internet_Server_Verbindung) == VERBINDUNG_KAPUTT; }));
        EXPECT_EQ(Verbindung_Read(Internet_Server_Verbindung, nullptr), nullptr);
        EXPECT_EQ(verloren, 0);
        CLIENT_SIGNAL(Internet_Server_Verbindung, s.data(), static_cast<u32>(s.size()));
    }
    EXPECT_EQ(verloren, 1);
    EXPECT_EQ(Internet_Server_Verbindung, nullptr);
}

}  // namespace
