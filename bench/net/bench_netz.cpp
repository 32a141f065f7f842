// Network figures over loopback: round trips per second of a request of
// 16 bytes and of 100 KB through Verbindung_Send_And_Read against an echo
// server in its own process (the demonstration program), and the connection
// check of 255 addresses (a whole /24, one of them listening).
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/globals.h"
#include "base/memory.h"
#include "net/slots.h"
#include "net/suche.h"

extern char** environ;

namespace {

// The echo server process and the connection to it, for every round-trip benchmark.
struct Echo_Server {
    pid_t pid = -1;
    u16 port = 0;
    Echo_Server() {
        Verbindung_Start("", 0);
        Internet_Modus = INTERNET_MODUS_CLIENT;
        port = static_cast<u16>(20000 + getpid() % 20000);
        const std::string p = std::to_string(port);
        const char* argv[] = {NET_ECHO_DEMO, "--server", "--adresse", "127.0.0.1", "--port", p.c_str(), nullptr};
        posix_spawn(&pid, NET_ECHO_DEMO, nullptr, nullptr, const_cast<char**>(argv), environ);
        const u8 adresse[4] = {127, 0, 0, 1};
        for (int i = 0; i < 100 && !Internet_Server_Verbindung; i++) {
            Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, port, adresse);
            if (!Internet_Server_Verbindung) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    ~Echo_Server() {
        Verbindung_Stop();  // the server ends when its client has gone
        if (pid > 0) waitpid(pid, nullptr, 0);
    }
};

Echo_Server& Server() {
    static Echo_Server s;
    return s;
}

void BM_Umlauf(benchmark::State& state) {
    if (!Server().pid || !Internet_Server_Verbindung) {
        state.SkipWithError("kein Echo-Server");
        return;
    }
    std::vector<u8> frage(static_cast<size_t>(state.range(0)), 0x5A);
    for (auto _ : state) {
        u32 n = 0;
        u8* a = Verbindung_Send_And_Read(Internet_Server_Verbindung, frage.data(), static_cast<u32>(frage.size()), &n);
        if (!a || n != frage.size()) {
            state.SkipWithError("Anfrage fehlgeschlagen");
            break;
        }
        W32_Memory_H_Free(a);
    }
    state.counters["Umlaeufe/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0) * 2);
}
BENCHMARK(BM_Umlauf)->Arg(16)->Arg(100 * 1024)->UseRealTime();

// 127.x.y.0 to 127.x.y.254 with a listener on .42: until every address has its outcome.
void BM_Suche_255(benchmark::State& state) {
    const u8 a[4] = {127, 77, static_cast<u8>(getpid() & 255), 42};
    int lauscher = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(Socket_Port_Leitung(INTERNET_PORT));
    std::memcpy(&sa.sin_addr, a, 4);
    if (bind(lauscher, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(lauscher, 64) != 0) {
        state.SkipWithError("kein Lauscher");
        close(lauscher);
        return;
    }
    for (auto _ : state) {
        for (auto& e : Internet_Server_Suche_Tabelle) e.store(SUCHE_OFFEN);
        for (u32 d = 0; d < 255; d++) Internet_Check_Server(a[0], a[1], a[2], d, INTERNET_PORT, 0);
        u32 pd = 0;
        while (Internet_Get_Server_Index(nullptr, nullptr, nullptr, &pd, 0, nullptr) > 0 || [] {
            for (int i = 0; i < 255; i++)
                if (Internet_Server_Suche_Tabelle[i].load() == SUCHE_OFFEN) return true;
            return false;
        }())
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        // Accepted test connections are dropped again.
        for (int c; (c = accept4(lauscher, nullptr, nullptr, SOCK_NONBLOCK)) >= 0;) close(c);
    }
    SocketTools_Beenden();
    close(lauscher);
}
BENCHMARK(BM_Suche_255)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
