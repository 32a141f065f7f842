// Helpers of the network tests: a loopback address of this test process's
// own (so test programs running side by side never meet), raw POSIX peers,
// frames built by hand, and pumping the server until something holds.
#pragma once

#include <algorithm>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/globals.h"
#include "base/types.h"
#include "net/slots.h"

// 127.A.B.letzte with A and B taken from the process id.
inline void Test_Adresse(u8 letzte, u8 aus[4]) {
    const unsigned pid = static_cast<unsigned>(getpid());
    aus[0] = 127;
    aus[1] = static_cast<u8>(100 + (pid >> 8) % 100);
    aus[2] = static_cast<u8>(pid & 255);
    aus[3] = letzte;
}

inline sockaddr_in Test_Sockaddr(const u8 adresse[4], u16 tcp_port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(tcp_port);
    std::memcpy(&sa.sin_addr, adresse, 4);
    return sa;
}

// A raw, non-blocking client connected to adresse:tcp_port; -1 on failure.
inline int Roh_Verbinden(const u8 adresse[4], u16 tcp_port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa = Test_Sockaddr(adresse, tcp_port);
    if (connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

// A raw listener on adresse:tcp_port; -1 on failure.
inline int Roh_Lauschen(const u8 adresse[4], u16 tcp_port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int eins = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &eins, sizeof eins);
    sockaddr_in sa = Test_Sockaddr(adresse, tcp_port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(fd, 8) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

inline std::vector<u8> Test_Rahmen(u32 gesamt, u32 gepackt, u32 laenge, u32 tag, const std::vector<u8>& daten) {
    // Sized once and filled (an insert behind 16 bytes draws a false
    // -Warray-bounds from GCC 12 in optimised builds).
    std::vector<u8> r(16 + daten.size());
    put_u32le(&r[0], gesamt);
    put_u32le(&r[4], gepackt);
    put_u32le(&r[8], laenge);
    put_u32le(&r[12], tag);
    std::copy(daten.begin(), daten.end(), r.begin() + 16);
    return r;
}
inline std::vector<u8> Test_Rahmen(u32 tag, const std::vector<u8>& daten) {
    const u32 n = static_cast<u32>(daten.size());
    return Test_Rahmen(n + 16, 0, n, tag, daten);
}

inline bool Roh_Schreiben(int fd, const std::vector<u8>& d) {
    return send(fd, d.data(), d.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(d.size());
}

// The server's work of one main-loop pass, then a short wait for the sockets.
inline void Server_Durchgang() {
    Verbindung_Pump();
    Verbindung_Server_Clients();
    Verbindung_Pump();
    Verbindung_Server_Frame();
    Verbindung_Warten(1);
}

// Runs server passes until the condition holds (at most `ms` milliseconds).
inline bool Pumpen_Bis(const std::function<bool()>& bedingung, int ms = 10000) {
    const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!bedingung()) {
        if (std::chrono::steady_clock::now() > ende) return false;
        Server_Durchgang();
    }
    return true;
}

// Reads exactly n bytes from a raw non-blocking peer while the server runs;
// an end of file or error before that gives false.
inline bool Roh_Lesen(int fd, size_t n, std::vector<u8>& aus, int ms = 10000) {
    aus.clear();
    bool zu = false;
    Pumpen_Bis(
        [&] {
            u8 puffer[65536];
            const size_t wunsch = std::min(sizeof puffer, n - aus.size());
            if (wunsch == 0) return true;
            ssize_t r = recv(fd, puffer, wunsch, 0);
            if (r > 0) aus.insert(aus.end(), puffer, puffer + r);
            if (r == 0 || (r < 0 && errno != EAGAIN)) zu = true;
            return zu || aus.size() == n;
        },
        ms);
    return !zu && aus.size() == n;
}

// True once the raw peer sees its connection end (end of file or reset).
inline bool Roh_Ende(int fd, int ms = 10000) {
    return Pumpen_Bis(
        [&] {
            u8 b[256];
            ssize_t r = recv(fd, b, sizeof b, 0);
            return r == 0 || (r < 0 && errno != EAGAIN);
        },
        ms);
}

inline int Slots_Benutzt() {
    int n = 0;
    for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots) n += s.benutzt ? 1 : 0;
    return n;
}

// Every test starts networking and leaves nothing behind.
class Netz_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(Verbindung_Start("", 0), 1);
        Verbindung_Limits = Verbindung_Zeitlimits{};
    }
    void TearDown() override {
        Verbindung_Stop();
        Netz_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Verbindung_Limits = Verbindung_Zeitlimits{};
    }
};

// A server listening on this test's address (last number `letzte`), its
// packets going to `paket`, and raw clients that are closed at the end.
class Server_Test : public Netz_Test {
  protected:
    void Server_Starten(u8 letzte, void (*paket)(Verbindung_Client_Slot*, const u8*, u32)) {
        Test_Adresse(letzte, adresse);
        Internet_Listen_Verbindung = Verbindung_Open(VERBINDUNG_SERVER, INTERNET_PORT, adresse);
        ASSERT_NE(Internet_Listen_Verbindung, nullptr);
        Netz_Set_Hooks({.server_paket = paket});
    }
    void TearDown() override {
        for (int fd : roh) close(fd);
        Netz_Test::TearDown();
    }
    // A raw client that has got its slot.
    int Client() {
        const int vorher = Slots_Benutzt();
        int fd = Roh_Verbinden(adresse, 57355);
        EXPECT_GE(fd, 0);
        roh.push_back(fd);
        EXPECT_TRUE(Pumpen_Bis([&] { return Slots_Benutzt() > vorher; }));
        return fd;
    }
    u8 adresse[4];
    std::vector<int> roh;
};

// The echo server's packet hook: every packet goes back as it came.
inline void Echo_Paket(Verbindung_Client_Slot* slot, const u8* daten, u32 laenge) {
    Verbindung_Server_Send(slot, daten, laenge);
}

// A raw server on its own thread: accepts one client on port 57355 and hands
// the data of each of its frames to the handler (with the client's socket)
// until the handler says stop or the client goes.
class Roh_Server {
  public:
    using Handler = std::function<bool(int fd, const std::vector<u8>& daten)>;
    Roh_Server(const u8 adresse[4], Handler handler) : lauscher_(Roh_Lauschen(adresse, 57355)) {
        thread_ = std::thread([this, handler] { Laufen(handler); });
    }
    ~Roh_Server() {
        shutdown(lauscher_, SHUT_RDWR);
        if (int c = client_.load(); c >= 0) shutdown(c, SHUT_RDWR);
        thread_.join();
        close(lauscher_);
    }
    bool ok() const { return lauscher_ >= 0; }

  private:
    static bool Ganz_Lesen(int fd, u8* p, size_t n) { return recv(fd, p, n, MSG_WAITALL) == static_cast<ssize_t>(n); }
    void Laufen(const Handler& handler) {
        int c = accept(lauscher_, nullptr, nullptr);
        if (c < 0) return;
        client_.store(c);
        u8 kopf[16];
        while (Ganz_Lesen(c, kopf, 16)) {
            std::vector<u8> daten(get_u32le(kopf + 8));
            if (!Ganz_Lesen(c, daten.data(), daten.size()) || !handler(c, daten)) break;
        }
        shutdown(c, SHUT_RDWR);
        client_.store(-1);
        close(c);
    }
    int lauscher_;
    std::atomic<int> client_{-1};
    std::thread thread_;
};
