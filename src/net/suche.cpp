// The connection check and the server search (see suche.h).
#include "net/suche.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "net/sockets.h"
#include "net/verbindung.h"

u32 Internet_Server_Adresse[4] = {192, 168, 0, 1};
std::atomic<i8> Internet_Server_Suche_Tabelle[256] = {};
Suche_Zeitlimits Suche_Limits;

namespace {

using Uhr = std::chrono::steady_clock;

struct Auftrag {
    char text[256];
    u16 port;
    u32 index;
};

// One worker's round: up to this many addresses are tried at once.
constexpr size_t RUNDE_MAX = 64;
constexpr size_t WORKER_MAX = 4;

bool Aufloesen(const char* text, in_addr* adresse) {
    if (inet_pton(AF_INET, text, adresse) == 1) return true;
    addrinfo hinweis{};
    hinweis.ai_family = AF_INET;
    hinweis.ai_socktype = SOCK_STREAM;
    addrinfo* ergebnis = nullptr;
    if (getaddrinfo(text, nullptr, &hinweis, &ergebnis) != 0 || !ergebnis) return false;
    *adresse = reinterpret_cast<sockaddr_in*>(ergebnis->ai_addr)->sin_addr;
    freeaddrinfo(ergebnis);
    return true;
}

// Starts a connection without waiting: the socket, or -1 when the address
// cannot be reached at all; `verbunden` when it connected at once.
int Verbinden_Anstossen(const Auftrag& a, bool* verbunden) {
    *verbunden = false;
    in_addr adresse{};
    if (!Aufloesen(a.text, &adresse)) return -1;
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    linger l{0, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(Socket_Port_Leitung(a.port));
    sa.sin_addr = adresse;
    if (connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0) {
        *verbunden = true;
    } else if (errno != EINPROGRESS) {
        close(fd);
        return -1;
    }
    return fd;
}

void Schliessen(int fd) {
    shutdown(fd, SHUT_RDWR);
    close(fd);
}

class Pruefer {
  public:
    ~Pruefer() { Beenden(); }

    bool Einreihen(const Auftrag& a) {
        std::lock_guard<std::mutex> lk(m_);
        schlange_.push_back(a);
        if (untaetig_ < schlange_.size() && threads_.size() < WORKER_MAX) {
            try {
                threads_.emplace_back([this] { Arbeiten(); });
            } catch (...) {
                if (threads_.empty()) {
                    schlange_.pop_back();
                    return false;
                }
            }
        }
        arbeit_.notify_one();
        return true;
    }

    void Beenden() {
        {
            std::lock_guard<std::mutex> lk(m_);
            stopp_ = true;
            schlange_.clear();
        }
        arbeit_.notify_all();
        for (std::thread& t : threads_) t.join();
        threads_.clear();
        std::lock_guard<std::mutex> lk(m_);
        stopp_ = false;
    }

    void Ergebnis(u32 index, bool geantwortet) {
        std::lock_guard<std::mutex> lk(m_);
        Internet_Server_Suche_Tabelle[index & 255].store(geantwortet ? SUCHE_SERVER : SUCHE_KEINER,
                                                         std::memory_order_relaxed);
        ergebnis_.notify_all();
    }

    // Waits until the entry has a result or the time is up.
    i8 Warten(u32 index, Uhr::time_point ende) {
        std::unique_lock<std::mutex> lk(m_);
        ergebnis_.wait_until(lk, ende, [&] {
            return Internet_Server_Suche_Tabelle[index].load(std::memory_order_relaxed) != SUCHE_OFFEN;
        });
        return Internet_Server_Suche_Tabelle[index].load(std::memory_order_relaxed);
    }

  private:
    void Arbeiten() {
        for (;;) {
            std::vector<Auftrag> runde;
            {
                std::unique_lock<std::mutex> lk(m_);
                untaetig_++;
                arbeit_.wait(lk, [&] { return stopp_ || !schlange_.empty(); });
                untaetig_--;
                if (stopp_) return;
                while (!schlange_.empty() && runde.size() < RUNDE_MAX) {
                    runde.push_back(schlange_.front());
                    schlange_.pop_front();
                }
            }
            Runde(runde);
        }
    }

    // Tries every address of the round at once; those that have neither
    // connected nor failed by the time limit count as "no answer".
    void Runde(const std::vector<Auftrag>& runde) {
        const auto ende = Uhr::now() + std::chrono::milliseconds(Suche_Limits.connect);
        std::vector<pollfd> offen;
        std::vector<u32> offen_index;
        for (const Auftrag& a : runde) {
            bool verbunden;
            int fd = Verbinden_Anstossen(a, &verbunden);
            if (fd < 0 || verbunden) {
                if (fd >= 0) Schliessen(fd);
                Ergebnis(a.index, fd >= 0);
                continue;
            }
            offen.push_back(pollfd{fd, POLLOUT, 0});
            offen_index.push_back(a.index);
        }
        while (!offen.empty()) {
            const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(ende - Uhr::now()).count();
            int r = rest > 0 ? poll(offen.data(), offen.size(), static_cast<int>(rest)) : 0;
            if (r < 0 && errno == EINTR) continue;
            for (size_t i = offen.size(); i-- > 0;) {
                const bool fertig = r > 0 && offen[i].revents != 0;
                if (!fertig && r > 0) continue;
                bool ok = false;
                if (fertig) {
                    int fehler = 0;
                    socklen_t l = sizeof fehler;
                    ok = getsockopt(offen[i].fd, SOL_SOCKET, SO_ERROR, &fehler, &l) == 0 && fehler == 0;
                }
                Schliessen(offen[i].fd);
                Ergebnis(offen_index[i], ok);
                offen.erase(offen.begin() + static_cast<std::ptrdiff_t>(i));
                offen_index.erase(offen_index.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }

    std::mutex m_;
    std::condition_variable arbeit_;
    std::condition_variable ergebnis_;
    std::deque<Auftrag> schlange_;
    std::vector<std::thread> threads_;
    size_t untaetig_ = 0;
    bool stopp_ = false;
};

Pruefer pruefer;

}  // namespace

i32 SocketTools_IP_Text(u32 a, u32 b, u32 c, u32 d, char* text) {
    return std::sprintf(text, "%u.%u.%u.%u", a, b, c, d);
}

bool SocketTools_CheckConnection(const char* text, u16 port, u32 index) {
    Auftrag a{};
    std::snprintf(a.text, sizeof a.text, "%s", text ? text : "");
    a.port = port;
    a.index = index & 255;
    if (pruefer.Einreihen(a)) return true;
    pruefer.Ergebnis(a.index, false);
    return false;
}

void SocketTools_Beenden() { pruefer.Beenden(); }

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Internet_Server_Suche_Ergebnis(u32, u32, u32, u32 d, u16, u8 geantwortet) {
    pruefer.Ergebnis(d & 255, geantwortet != 0);
}

i32 Internet_Check_Server(u32 a, u32 b, u32 c, u32 d, u16 port, u8 warten) {
    const u32 index = d & 255;
    char text[48];
    SocketTools_IP_Text(a, b, c, d, text);
    // A waiting check waits for its own outcome, not for an earlier one.
    if (warten) Internet_Server_Suche_Tabelle[index].store(SUCHE_OFFEN, std::memory_order_relaxed);
    SocketTools_CheckConnection(text, port, index);
    if (!warten) return 0;
    const i8 e = pruefer.Warten(index, Uhr::now() + std::chrono::milliseconds(Suche_Limits.warten));
    return e == SUCHE_SERVER ? 1 : 0;
}

i32 Internet_Get_Server_Index(u32*, u32*, u32*, u32* pd, u16, u8* liste) {
    i8 e[255];
    for (int i = 0; i < 255; i++) e[i] = Internet_Server_Suche_Tabelle[i].load(std::memory_order_relaxed);
    int keiner = 0;
    for (int i = 0; i < 255; i++) {
        if (e[i] == SUCHE_SERVER) {
            if (pd) *pd = static_cast<u32>(i);
            return -1;
        }
        if (e[i] == SUCHE_KEINER) keiner++;
    }
    Debug_Printf("No Server at %d IP's", keiner);
    i32 n = 0;
    for (int i = 0; i < 255; i++) {
        if (e[i] == SUCHE_KEINER) continue;
        if (liste) liste[n] = static_cast<u8>(i);
        n++;
        if (keiner > 250) Debug_Printf("No Answer from IP: %d", i);
    }
    Debug_Printf("Index:%d", n);
    return n;
}

void Internet_Connect() {
    if (ruf::Server() && !Internet_Listen_Verbindung) {
        // Every address of the machine unless the settings name one: a
        // client on the same machine joins at 127.0.0.1 as well.
        const u8 alle[4] = {0, 0, 0, 0};
        Internet_Listen_Verbindung =
            Verbindung_Open(VERBINDUNG_SERVER, Internet_Port, Internet_Alle_Adressen ? alle : Internet_Lokale_Adresse);
        if (!Internet_Listen_Verbindung) Internet_Modus = INTERNET_MODUS_EINZEL;
    }
    if (ruf::Client()) {
        // A connection of an earlier attempt would hold one of the 16 places for ever.
        Verbindung_Close(Internet_Server_Verbindung);
        u8 adresse[4];
        for (int i = 0; i < 4; i++) adresse[i] = static_cast<u8>(Internet_Server_Adresse[i]);
        Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, INTERNET_PORT, adresse);
        if (!Internet_Server_Verbindung) Internet_Modus = INTERNET_MODUS_EINZEL;
    }
}
