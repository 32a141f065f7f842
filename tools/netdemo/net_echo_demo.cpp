// The network demonstration: one process serves, another sends requests and
// measures the round trips, both through the game's own network layer.
//
//   net_echo_demo --server [--adresse A.B.C.D] [--port N]
//   net_echo_demo --client A.B.C.D [--port N] [--runden N] [--groesse BYTES]
//
// The port is the game's port setting (3040, TCP port 57355 on the wire).
// The server answers every packet with the same bytes and ends when its
// client has gone (or on SIGINT / SIGTERM). The client sends N requests of
// the given size, checks every answer and prints the byte counts and the
// round-trip times. Bad arguments: a message and exit code 2.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/memory.h"
#include "base/tools.h"
#include "net/netz_start.h"
#include "net/slots.h"
#include "platform/hooks.h"
#include "platform/mainloop.h"

namespace {

struct Optionen {
    bool server = false;
    bool client = false;
    bool adresse_gegeben = false;
    u8 adresse[4] = {127, 0, 0, 1};
    u16 port = INTERNET_PORT;
    u32 runden = 1000;
    u32 groesse = 16;
};

constexpr const char* AUFRUF =
    "Aufruf: net_echo_demo --server [--adresse A.B.C.D] [--port N]\n"
    "        net_echo_demo --client A.B.C.D [--port N] [--runden N] [--groesse BYTES]\n";

[[noreturn]] void Abbruch(const char* text, const char* wert = "") {
    std::fprintf(stderr, "net_echo_demo: %s%s\n", text, wert);
    std::fputs(AUFRUF, stderr);
    std::exit(2);
}

u32 Zahl(const char* text, u32 min, u32 max, const char* name) {
    char* ende = nullptr;
    errno = 0;
    const unsigned long long w = std::strtoull(text, &ende, 10);
    if (!text[0] || *ende || errno || text[0] == '-' || w < min || w > max) Abbruch(name, text);
    return static_cast<u32>(w);
}

void Adresse(const char* text, u8 aus[4]) {
    i32 teile[4];
    if (!Tools_IP_Parsen(text, teile)) Abbruch("keine Adresse der Form A.B.C.D: ", text);
    for (int i = 0; i < 4; i++) aus[i] = static_cast<u8>(teile[i]);
}

Optionen Lesen(int argc, char** argv) {
    Optionen o;
    for (int i = 1; i < argc; i++)
        if (std::string(argv[i]) == "-h" || std::string(argv[i]) == "--help") {
            std::fputs(AUFRUF, stdout);
            std::exit(0);
        }
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        auto wert = [&]() -> const char* {
            if (i + 1 >= argc) Abbruch("Wert fehlt nach ", argv[i]);
            return argv[++i];
        };
        if (a == "--server") {
            o.server = true;
        } else if (a == "--client") {
            o.client = true;
            Adresse(wert(), o.adresse);
            o.adresse_gegeben = true;
        } else if (a == "--adresse") {
            Adresse(wert(), o.adresse);
            o.adresse_gegeben = true;
        } else if (a == "--port") {
            o.port = static_cast<u16>(Zahl(wert(), 1, 65535, "Port ausserhalb 1..65535: "));
        } else if (a == "--runden") {
            o.runden = Zahl(wert(), 1, 10000000, "Runden ausserhalb 1..10000000: ");
        } else if (a == "--groesse") {
            o.groesse = Zahl(wert(), 1, VERBINDUNG_MAX_DATEN, "Groesse ausserhalb 1..5040009: ");
        } else {
            Abbruch("unbekanntes Argument: ", argv[i]);
        }
    }
    if (o.server == o.client) Abbruch("genau eines von --server und --client angeben");
    return o;
}

volatile std::sig_atomic_t beenden = 0;

u64 pakete = 0, bytes_ein = 0;
void Echo(Verbindung_Client_Slot* slot, const u8* daten, u32 laenge) {
    pakete++;
    bytes_ein += laenge + VERBINDUNG_KOPF;
    Verbindung_Server_Send(slot, daten, laenge);
}

int Server(const Optionen& o) {
    u8 adresse[4];
    std::memcpy(adresse, o.adresse, 4);
    if (!o.adresse_gegeben) {
        char name[256];
        if (!Verbindung_Get_Local_Host(name, sizeof name, nullptr, adresse)) {
            std::fprintf(stderr, "net_echo_demo: keine Netzwerkadresse gefunden\n");
            return 1;
        }
    }
    Internet_Modus = INTERNET_MODUS_SERVER;
    Internet_Listen_Verbindung = Verbindung_Open(VERBINDUNG_SERVER, o.port, adresse);
    if (!Internet_Listen_Verbindung) {
        std::fprintf(stderr, "net_echo_demo: kann auf %u.%u.%u.%u nicht lauschen\n", adresse[0], adresse[1], adresse[2],
                     adresse[3]);
        return 1;
    }
    std::printf("Server lauscht auf %u.%u.%u.%u, Port-Einstellung %u (TCP %u)\n", adresse[0], adresse[1], adresse[2],
                adresse[3], o.port, Socket_Port_Leitung(o.port));
    std::fflush(stdout);
    Netz_Set_Hooks({.server_paket = Echo});
    std::signal(SIGINT, [](int) { beenden = 1; });
    std::signal(SIGTERM, [](int) { beenden = 1; });
    bool client_gesehen = false;
    while (!beenden) {
        Main_Network_Pump();
        Verbindung_Server_Frame();
        bool belegt = false;
        for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots) belegt = belegt || s.benutzt;
        client_gesehen = client_gesehen || belegt;
        if (client_gesehen && !belegt) break;
        Verbindung_Warten(5);
    }
    std::printf("Server: %llu Pakete beantwortet, %llu Bytes empfangen, %llu Bytes gesendet\n",
                static_cast<unsigned long long>(pakete), static_cast<unsigned long long>(bytes_ein),
                static_cast<unsigned long long>(bytes_ein));
    return 0;
}

int Client(const Optionen& o) {
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Netz_Set_Hooks({.verbindung_verloren = [] { std::fprintf(stderr, "net_echo_demo: Verbindung verloren\n"); }});
    // The server may still be starting: try for a few seconds.
    const auto bis = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!(Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, o.port, o.adresse)) &&
           std::chrono::steady_clock::now() < bis)
        Verbindung_Warten(50);
    if (!Internet_Server_Verbindung) {
        std::fprintf(stderr, "net_echo_demo: kein Server auf %u.%u.%u.%u\n", o.adresse[0], o.adresse[1], o.adresse[2],
                     o.adresse[3]);
        return 1;
    }
    std::vector<u8> frage(o.groesse);
    std::vector<double> zeiten;
    zeiten.reserve(o.runden);
    for (u32 r = 0; r < o.runden; r++) {
        for (u32 i = 0; i < o.groesse; i++) frage[i] = static_cast<u8>(i * 31 + r);
        const auto t0 = std::chrono::steady_clock::now();
        u32 n = 0;
        u8* antwort = Verbindung_Send_And_Read(Internet_Server_Verbindung, frage.data(), o.groesse, &n);
        const auto t1 = std::chrono::steady_clock::now();
        if (!antwort) return 1;
        const bool gleich = n == o.groesse && std::memcmp(antwort, frage.data(), n) == 0;
        W32_Memory_H_Free(antwort);
        if (!gleich) {
            std::fprintf(stderr, "net_echo_demo: Antwort %u weicht ab\n", r);
            return 1;
        }
        zeiten.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::vector<double> sortiert = zeiten;
    std::sort(sortiert.begin(), sortiert.end());
    double summe = 0;
    for (double z : zeiten) summe += z;
    const unsigned long long rahmen = static_cast<unsigned long long>(o.runden) * (o.groesse + VERBINDUNG_KOPF);
    std::printf("%u Runden zu %u Bytes: %llu Bytes gesendet, %llu Bytes empfangen (mit Rahmenkopf)\n", o.runden,
                o.groesse, rahmen, rahmen);
    std::printf("Umlaufzeit in us: Mittel %.1f, Median %.1f, kleinste %.1f, groesste %.1f\n", summe / o.runden,
                sortiert[sortiert.size() / 2], sortiert.front(), sortiert.back());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Optionen o = Lesen(argc, argv);
    if (!Verbindung_Start("", 0)) {
        std::fprintf(stderr, "net_echo_demo: das Netzwerk laesst sich nicht starten\n");
        return 1;
    }
    Main_Set_Hooks(Netz_Main_Hooks());
    const int ergebnis = o.server ? Server(o) : Client(o);
    Verbindung_Stop();
    return ergebnis;
}
