// Connections, frames and the server's client slots against raw POSIX peers.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/debug.h"
#include "net/sockets.h"
#include "netz_test.h"

namespace {

constexpr u16 TCP_PORT = 57355;  // the port setting 3040 on the wire

class Server : public Server_Test {
  protected:
    void SetUp() override {
        Netz_Test::SetUp();
        Server_Starten(1, Echo_Paket);
    }
};

std::vector<u8> Zehn() { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}; }

TEST_F(Server, ListensOnTheUnconvertedPortAndFramesTheServersPacket) {
    sockaddr_in sa{};
    socklen_t l = sizeof sa;
    ASSERT_EQ(getsockname(Internet_Listen_Verbindung->socket->sock, reinterpret_cast<sockaddr*>(&sa), &l), 0);
    EXPECT_EQ(ntohs(sa.sin_port), TCP_PORT);

    int fd = Client();
    Verbindung_Client_Slot& s = Verbindung_Client_Slots[0];
    const std::vector<u8> daten = Zehn();
    ASSERT_EQ(Verbindung_Server_Send(&s, daten.data(), 10), 1);
    EXPECT_EQ(Verbindung_Server_Send(&s, daten.data(), 10), 0) << "one frame at a time";
    std::vector<u8> gelesen;
    ASSERT_TRUE(Roh_Lesen(fd, 26, gelesen));
    EXPECT_EQ(gelesen, Test_Rahmen(VERBINDUNG_TAG_SERVER, daten));
    EXPECT_EQ(gelesen[0], 0x1A);
    EXPECT_EQ(gelesen[12], 0xFB);
}

TEST_F(Netz_Test, ClientFramesATenBytePacketAndRefusesEmptyOnes) {
    u8 adresse[4];
    Test_Adresse(2, adresse);
    int lauscher = Roh_Lauschen(adresse, TCP_PORT);
    ASSERT_GE(lauscher, 0);
    Verbindung* v = Verbindung_Open(VERBINDUNG_CLIENT, INTERNET_PORT, adresse);
    ASSERT_NE(v, nullptr);
    int peer = accept4(lauscher, nullptr, nullptr, SOCK_NONBLOCK);
    ASSERT_GE(peer, 0);
    const std::vector<u8> daten = Zehn();
    EXPECT_EQ(Verbindung_Send(v, daten.data(), 0, 250), 0);
    EXPECT_EQ(Verbindung_Send(v, nullptr, 10, 250), 0);
    ASSERT_EQ(Verbindung_Send(v, daten.data(), 10, 250), 1);
    std::vector<u8> gelesen;
    ASSERT_TRUE(Roh_Lesen(peer, 26, gelesen));
    EXPECT_EQ(gelesen, (std::vector<u8>{0x1A, 0, 0, 0, 0, 0, 0, 0, 0x0A, 0, 0, 0, 0xFA,
                                        0,    0, 0, 1, 2, 3, 4, 5, 6,    7, 8, 9, 10}));
    EXPECT_EQ(Verbindung_Zustand(v), VERBINDUNG_GESENDET);
    // The peer goes: the bridge reports the close, the connection is broken but stays.
    close(peer);
    ASSERT_TRUE(Pumpen_Bis([&] { return Verbindung_Zustand(v) == VERBINDUNG_KAPUTT; }));
    EXPECT_EQ(v->socket, nullptr);
    EXPECT_EQ(Verbindung_Send(v, daten.data(), 10, 250), 0);
    Verbindung_Close(v);
    close(lauscher);
}

TEST_F(Server, SixClientsGetSlotsTheSeventhIsClosed) {
    for (int i = 0; i < 5; i++) Client();
    // The sixth with the pump alone: its new flag is still set.
    int sechster = Roh_Verbinden(adresse, TCP_PORT);
    roh.push_back(sechster);
    for (int i = 0; i < 10000 && Slots_Benutzt() < 6; i++) {
        Verbindung_Pump();
        Verbindung_Warten(1);
    }
    EXPECT_EQ(Verbindung_Client_Slots[5].neu, 1u);
    for (int i = 0; i < 6; i++) {
        const Verbindung_Client_Slot& s = Verbindung_Client_Slots[i];
        EXPECT_EQ(s.index, static_cast<u32>(i));
        EXPECT_EQ(s.benutzt, 1u);
        EXPECT_EQ(s.team, -1);
    }
    int siebter = Roh_Verbinden(adresse, TCP_PORT);
    ASSERT_GE(siebter, 0);
    roh.push_back(siebter);
    EXPECT_TRUE(Roh_Ende(siebter));
    EXPECT_EQ(Slots_Benutzt(), 6);
    // The server's frame clears the new flag.
    EXPECT_EQ(Verbindung_Client_Slots[5].neu, 0u);
}

TEST_F(Server, HeaderFedOneBytePerPassAndTwoFramesInOrder) {
    int fd = Client();
    Verbindung* v = Verbindung_Client_Slots[0].verbindung;
    const std::vector<u8> rahmen = Test_Rahmen(250, {'a', 'b', 'c'});
    for (size_t i = 0; i < rahmen.size(); i++) {
        ASSERT_TRUE(Roh_Schreiben(fd, {rahmen[i]}));
        // Each byte in its own pass (wait until the socket has it).
        pollfd p{v->socket->sock, POLLIN, 0};
        poll(&p, 1, 1000);
        Verbindung_Pump();
        EXPECT_EQ(v->empfang.phase, i + 1 < 16              ? VERBINDUNG_PHASE_KOPF
                                    : i + 1 < rahmen.size() ? VERBINDUNG_PHASE_DATEN
                                                            : VERBINDUNG_PHASE_FERTIG)
            << "byte " << i;
    }
    std::vector<u8> antwort;
    ASSERT_TRUE(Roh_Lesen(fd, rahmen.size(), antwort));
    EXPECT_EQ(antwort, Test_Rahmen(251, {'a', 'b', 'c'}));

    // Two frames in one write: answered one after the other, in order.
    std::vector<u8> zwei = Test_Rahmen(250, {'X'});
    const std::vector<u8> b = Test_Rahmen(250, {'Y', 'Z'});
    zwei.insert(zwei.end(), b.begin(), b.end());
    ASSERT_TRUE(Roh_Schreiben(fd, zwei));
    ASSERT_TRUE(Roh_Lesen(fd, zwei.size(), antwort));
    std::vector<u8> erwartet = Test_Rahmen(251, {'X'});
    const std::vector<u8> b2 = Test_Rahmen(251, {'Y', 'Z'});
    erwartet.insert(erwartet.end(), b2.begin(), b2.end());
    EXPECT_EQ(antwort, erwartet);
}

// Each bad peer loses its own connection; a good client is still answered.
TEST_F(Server, MalformedFramesAndSilentPeersBreakOnlyTheirOwnConnection) {
    struct Fall {
        const char* name;
        std::vector<u8> bytes;
    };
    const std::vector<Fall> faelle = {
        {"Länge 0", Test_Rahmen(0, 0, 0, 250, {})},
        {"Länge 3", {3, 0, 0, 0}},
        {"Länge 4", {4, 0, 0, 0, 9, 9, 9, 9}},
        {"Länge 15", Test_Rahmen(15, 0, 0, 250, {})},
        {"Länge 0x7FFFFFFF", Test_Rahmen(0x7FFFFFFF, 0, 0x7FFFFFEF, 250, {1, 2, 3})},
        {"Datenlänge hinter dem Rahmen", Test_Rahmen(26, 0, 20, 250, Zehn())},
        {"gepackt", Test_Rahmen(26, 1, 10, 250, Zehn())},
        {"halber Rahmen", {26, 0, 0, 0, 0, 0}},
        {"stumm", {}},
    };
    int gut = Client();
    const std::vector<u8> frage = Test_Rahmen(250, {'o', 'k'});
    std::vector<u8> antwort;
    ASSERT_TRUE(Roh_Schreiben(gut, frage));
    ASSERT_TRUE(Roh_Lesen(gut, frage.size(), antwort));
    // Short limits from here on; the good client has spoken already.
    Verbindung_Limits.stumm = 300;
    Verbindung_Limits.teilrahmen = 300;
    Debug_Mitschnitt log;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        int boese = Client();
        const int slot = Slots_Benutzt() - 1;
        if (!f.bytes.empty()) {
            ASSERT_TRUE(Roh_Schreiben(boese, f.bytes));
        }
        // The good client is answered meanwhile.
        ASSERT_TRUE(Roh_Schreiben(gut, frage));
        ASSERT_TRUE(Roh_Lesen(gut, frage.size(), antwort));
        EXPECT_EQ(antwort, Test_Rahmen(251, {'o', 'k'}));
        EXPECT_TRUE(Roh_Ende(boese));
        ASSERT_TRUE(Pumpen_Bis([&] { return !Verbindung_Client_Slots[slot].benutzt; }));
        EXPECT_EQ(Slots_Benutzt(), 1);
    }
    EXPECT_EQ(log.Anzahl("getrennt"), static_cast<int>(faelle.size()));
    EXPECT_TRUE(log.Enthaelt("ungültige Rahmenlänge 3"));
    EXPECT_TRUE(log.Enthaelt("gepackter Rahmen"));
    EXPECT_TRUE(log.Enthaelt("stumm"));
}

// A peer that trickles a frame one byte at a time, each byte well within the
// partial-frame limit, is cut off once the frame has taken longer than the
// limit since its first byte; a client sending whole frames stays.
TEST_F(Server, AByteTricklerIsCutOffByTheFramesTime) {
    Verbindung_Limits.teilrahmen = 600;
    const std::vector<u8> frage = Test_Rahmen(250, {'h', 'i'});
    int gut = Client();
    std::vector<u8> antwort;
    ASSERT_TRUE(Roh_Schreiben(gut, frage));
    ASSERT_TRUE(Roh_Lesen(gut, frage.size(), antwort));
    Debug_Mitschnitt log;
    const int boese = Client();
    const int slot = Slots_Benutzt() - 1;
    const i64 start = Verbindung_Jetzt_Ms();
    size_t gesendet = 0;
    i64 zuletzt = start;
    ASSERT_TRUE(Pumpen_Bis(
        [&] {
            if (Verbindung_Jetzt_Ms() - zuletzt >= 200 && gesendet < frage.size() &&
                Verbindung_Client_Slots[slot].benutzt) {
                Roh_Schreiben(boese, {frage[gesendet++]});
                zuletzt = Verbindung_Jetzt_Ms();
            }
            return !Verbindung_Client_Slots[slot].benutzt;
        },
        6000));
    const i64 dauer = Verbindung_Jetzt_Ms() - start;
    EXPECT_GE(dauer, 600);
    EXPECT_LT(dauer, 600 + 2000);
    EXPECT_LT(gesendet, frage.size());
    EXPECT_TRUE(log.Enthaelt("mitten im Rahmen"));
    // The honest client is still served.
    ASSERT_TRUE(Roh_Schreiben(gut, frage));
    ASSERT_TRUE(Roh_Lesen(gut, frage.size(), antwort));
    EXPECT_EQ(Slots_Benutzt(), 1);
}

// A slot is held for a bounded time only: by a peer that never speaks (the
// silence limit), one that stops after a packet (the idle limit), one that
// keeps talking but takes no club (the club limit); never before its limit.
TEST_F(Server, SilentIdleAndClublessClientsLoseTheirSlotsInTime) {
    Verbindung_Limits.stumm = 400;
    Verbindung_Limits.leerlauf = 700;
    Verbindung_Limits.ohne_team = 1500;
    enum Art { STUMM, EIN_PAKET, EIN_PAKET_MIT_VEREIN, REDET_OHNE_VEREIN };
    const struct {
        const char* name;
        Art art;
        u32 grenze;
        const char* grund;
    } faelle[] = {
        {"stumm", STUMM, 400, "stumm"},
        {"ein Paket, dann nichts", EIN_PAKET, 700, "keine Anfrage mehr"},
        {"mit Verein, dann nichts", EIN_PAKET_MIT_VEREIN, 700, "keine Anfrage mehr"},
        {"redet, nimmt keinen Verein", REDET_OHNE_VEREIN, 1500, "ohne Verein"},
    };
    const std::vector<u8> frage = Test_Rahmen(250, {'h', 'i'});
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        Debug_Mitschnitt log;
        const i64 start = Verbindung_Jetzt_Ms();
        const int fd = Client();
        const int slot = Slots_Benutzt() - 1;
        std::vector<u8> antwort;
        if (f.art != STUMM) {
            ASSERT_TRUE(Roh_Schreiben(fd, frage));
            ASSERT_TRUE(Roh_Lesen(fd, frage.size(), antwort));
        }
        if (f.art == EIN_PAKET_MIT_VEREIN) Verbindung_Client_Slots[slot].team = 7;
        i64 zuletzt = Verbindung_Jetzt_Ms();
        ASSERT_TRUE(Pumpen_Bis(
            [&] {
                if (f.art == REDET_OHNE_VEREIN && Verbindung_Jetzt_Ms() - zuletzt > 200 &&
                    Verbindung_Client_Slots[slot].benutzt) {
                    Roh_Schreiben(fd, frage);
                    zuletzt = Verbindung_Jetzt_Ms();
                }
                return !Verbindung_Client_Slots[slot].benutzt;
            },
            10000));
        const i64 dauer = Verbindung_Jetzt_Ms() - start;
        EXPECT_GE(dauer, f.grenze);
        EXPECT_LT(dauer, f.grenze + 3000);
        EXPECT_TRUE(log.Enthaelt(f.grund));
    }
    // Six clients that said one thing and then nothing: the seventh is turned
    // away, a later one gets in once the idle limit has freed a slot.
    for (int i = 0; i < 6; i++) {
        const int fd = Client();
        std::vector<u8> antwort;
        ASSERT_TRUE(Roh_Schreiben(fd, frage));
        ASSERT_TRUE(Roh_Lesen(fd, frage.size(), antwort));
    }
    const int siebter = Roh_Verbinden(adresse, TCP_PORT);
    roh.push_back(siebter);
    EXPECT_TRUE(Roh_Ende(siebter, 500));
    ASSERT_TRUE(Pumpen_Bis([] { return Slots_Benutzt() == 0; }, 5000));
    Client();
    EXPECT_EQ(Slots_Benutzt(), 1);
}

// A raw client from another address of this test's loopback net
// (127.A.B.von) to the server; -1 on failure.
int Roh_Verbinden_Von(u8 von, const u8 server[4]) {
    // Not blocking: the server accepts only while the test pumps.
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    u8 eigen[4];
    Test_Adresse(von, eigen);
    sockaddr_in quelle = Test_Sockaddr(eigen, 0), ziel = Test_Sockaddr(server, TCP_PORT);
    if (bind(fd, reinterpret_cast<sockaddr*>(&quelle), sizeof quelle) != 0 ||
        (connect(fd, reinterpret_cast<sockaddr*>(&ziel), sizeof ziel) != 0 && errno != EINPROGRESS)) {
        close(fd);
        return -1;
    }
    return fd;
}

int Slots_Von(u8 von) {
    u8 a[4];
    Test_Adresse(von, a);
    int n = 0;
    for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots)
        n += s.benutzt && s.verbindung && std::memcmp(s.verbindung->adresse, a, 4) == 0;
    return n;
}

// Five connections of one address that reconnect at once whenever one is
// dropped, beside a player with a club: a real player of another address
// gets a slot within 30 seconds, and the squatters' time without a club is
// not given again by reconnecting (they hold nothing once it is spent).
TEST_F(Server, SquattingConnectionsLeaveRoomForARealPlayer) {
    Verbindung_Limits.ohne_team = 1500;
    Client();
    Verbindung_Client_Slots[0].team = 3;
    constexpr u8 BESETZER = 9, SPIELER = 5;
    std::vector<int> besetzer(5, -1);
    const i64 start = Verbindung_Jetzt_Ms();
    i64 versuch = 0, herein = -1;
    int spieler = -1;
    while (Verbindung_Jetzt_Ms() - start < 4 * static_cast<i64>(Verbindung_Limits.ohne_team)) {
        // Every squatter's connection that is gone comes back at once.
        for (int& fd : besetzer) {
            if (fd >= 0) {
                u8 b[64];
                const ssize_t r = recv(fd, b, sizeof b, 0);
                if (r == 0 || (r < 0 && errno != EAGAIN)) close(fd), fd = -1;
            }
            if (fd < 0) fd = Roh_Verbinden_Von(BESETZER, adresse);
        }
        // The real player tries every 200 ms until he is in.
        if (herein < 0 && Verbindung_Jetzt_Ms() - versuch >= 200) {
            if (spieler >= 0) close(spieler);
            spieler = Roh_Verbinden_Von(SPIELER, adresse);
            versuch = Verbindung_Jetzt_Ms();
        }
        Verbindung_Pump();
        Verbindung_Server_Clients();
        if (herein < 0 && Slots_Von(SPIELER) > 0) herein = Verbindung_Jetzt_Ms() - start;
        EXPECT_LE(Slots_Von(BESETZER), VERBINDUNG_OHNE_VEREIN_PRO_ADRESSE);
        Verbindung_Warten(5);
    }
    EXPECT_GE(herein, 0) << "the real player never got a slot";
    EXPECT_LT(herein, 30000);
    EXPECT_EQ(Slots_Von(BESETZER), 0) << "reconnecting gave the time without a club again";
    for (int fd : besetzer)
        if (fd >= 0) close(fd);
    if (spieler >= 0) close(spieler);
}

TEST_F(Netz_Test, SocketErrorsAreNamedInTheTrace) {
    const std::filesystem::path datei =
        std::filesystem::temp_directory_path() / ("kordavo_spur_" + std::to_string(getpid()) + ".txt");
    ASSERT_EQ(Socket_Log_Open(datei.c_str()), 1);
    u8 adresse[4];
    Test_Adresse(3, adresse);  // nobody listens here
    EXPECT_EQ(Verbindung_Open(VERBINDUNG_CLIENT, INTERNET_PORT, adresse), nullptr);
    Socket_Info* s = Socket_Init_Get_Socket_Info();
    ASSERT_EQ(Socket_Create(s), 1);
    EXPECT_EQ(Socket_Option(s, 305, 1), 0);
    EXPECT_EQ(Socket_Option(s, SOCKET_OPT_KEEPALIVE, 1), 1);
    EXPECT_EQ(Socket_Bind(s, 0, adresse), 0);
    EXPECT_EQ(Socket_Bind(s, INTERNET_PORT, nullptr), 0);
    Socket_Destroy(s);
    Socket_Log_Close();
    std::ifstream ein(datei);
    std::stringstream text;
    text << ein.rdbuf();
    std::filesystem::remove(datei);
    for (const char* zeile : {"connect returns WSAECONNREFUSED", "parameter not available",
                              "no Port Address specified.", "no IP Address specified.", "Socket_Connect  END"})
        EXPECT_NE(text.str().find(zeile), std::string::npos) << zeile;
    EXPECT_STREQ(Socket_Fehlername(EPIPE), "WSAESHUTDOWN");
    EXPECT_STREQ(Socket_Fehlername(EWOULDBLOCK), "WSAEWOULDBLOCK");
    EXPECT_EQ(Socket_Port_Leitung(3040), 57355);
}

std::vector<int> ereignisse;
template <int CODE>
void Merken(Socket_Info*) {
    ereignisse.push_back(CODE);
}

// Several bits in one notification are handled in their order; an unknown
// socket and a full table do nothing.
TEST_F(Netz_Test, SocketEventsCallTheirProceduresInOrder) {
    Socket_Set_Callbacks(Merken<1001>, Merken<1002>, Merken<1003>, Merken<1004>);
    int paar[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, paar), 0);
    Socket_Info* info = Socket_Init_Get_Socket_Info();
    info->sock = paar[0];
    ereignisse.clear();
    EXPECT_EQ(Socket_Event(static_cast<uintptr_t>(paar[0]), FD_READ | FD_CLOSE | FD_OOB), info);
    EXPECT_EQ(ereignisse, (std::vector<int>{1002, 1004}));
    EXPECT_EQ(Socket_Event(static_cast<uintptr_t>(paar[1]), FD_CLOSE), nullptr);
    std::vector<Socket_Info*> belegt;
    while (Socket_Info* s = Socket_Init_Get_Socket_Info()) belegt.push_back(s);
    EXPECT_EQ(static_cast<i32>(belegt.size()) + 1, Socket_Anzahl());
    EXPECT_EQ(Socket_Event(static_cast<uintptr_t>(paar[0]), FD_ACCEPT), info);
    EXPECT_EQ(ereignisse.size(), 2u);
    for (Socket_Info* s : belegt) Socket_Init_Clear_Socket_Info(s);
    Socket_Destroy(info);
    close(paar[1]);
}

}  // namespace
