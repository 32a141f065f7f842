// Fuzz target: a client's raw bytes into the server's block protocol.
// The first byte chooses the way in: bit 0 clear feeds the rest through a
// connection's frame reader into the server's packet hook (signals and
// packed requests), bit 0 set hands the rest to the dispatch as an unpacked
// request; bit 1 binds the client's slot to a team first; bit 2 makes the
// rest the server's answer to a client's season queries instead. Rows of every
// answer shape are registered. The server must answer or drop the client,
// never read or write outside its buffers.
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

#include "base/memory.h"
#include "base/ruf.h"
#include "match/netz_rufe.h"
#include "matchday/spieltag_netz.h"
#include "net/protokoll.h"
#include "season/archiv.h"
#include "season/ereignisse.h"
#include "season/netz_rufe.h"
#include "season/rangliste.h"
#include "season/richter.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace {

inline constexpr ruf::Ruf<std::vector<u8>, i32, i32, i32> F_SPIELER{0, "Spieler"};
inline constexpr ruf::Ruf<u32> F_STARTINFO{2, "Startinfo"};
inline constexpr ruf::Ruf<std::tuple<u16, std::array<u8, 768>>, i32> F_OWN{12, "Own"};
inline constexpr ruf::Ruf<std::vector<std::array<u8, 52>>> F_BLOCK{13, "Block"};
inline constexpr ruf::Ruf<ruf::Nichts, std::array<u8, 768>, u8, u8> F_ZURUECK{15, "Zurueck"};
inline constexpr ruf::Ruf<std::vector<u8>> F_STARTTEAMS{17, "Startteams"};
inline constexpr ruf::Ruf<ruf::Nichts, i32, i32, std::array<char, 36>, i32> F_AKTIV{19, "Aktiv"};
inline constexpr ruf::Ruf<std::array<u8, 33616>, u8, std::array<u8, 33616>> F_ICONS{34, "Icons"};
inline constexpr ruf::Ruf<u8, i32, i32, f32, i32, u8, f32> F_KREDIT{1028, "Kredit"};

// The season's and the match's calls with their real declarations and
// answers of every length their schema allows.
void season_anmelden() {
    using V = std::vector<u8>;
    ruf::Zeile_Anmelden(RUF_KALENDER_SAISON, [] { return std::tuple<i32, i32, std::array<u8, 140>>{4, 38, {}}; });
    ruf::Zeile_Anmelden(RUF_KALENDER_DATUM, [] {
        return std::tuple<std::vector<i32>, std::array<u8, 132>, i32, i32, i32>{std::vector<i32>(5, 7), {}, 5, 22, 0};
    });
    ruf::Zeile_Anmelden(RUF_KALENDER_KALENDER, [] {
        return std::tuple<std::vector<i32>, V, i32>{std::vector<i32>(3), V(7468, 1), 3};
    });
    ruf::Zeile_Anmelden(RUF_KALENDER_ZEITPLAN, [] { return ruf::Nichts{}; });
    ruf::Zeile_Anmelden(RUF_WETTBEWERB_TABELLE, [] { return std::tuple<V, i32, i32>{V(3000, 5), 1, 2}; });
    ruf::Zeile_Anmelden(RUF_WETTBEWERB_STATUS, [] { return V(300, 6); });
    ruf::Zeile_Anmelden(RUF_SPIELE_SEITE, [](u32, u32, u32, u32 i) {
        return std::tuple<std::vector<Spiel>, i32>{std::vector<Spiel>(i % 51), static_cast<i32>(i % 51)};
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_ANZAHL, [] { return std::tuple<u32, u32>{100, 5}; });
    ruf::Zeile_Anmelden(RUF_SPIELE_EREIGNISSE, [](u32, u32 n) { return V(std::min<u32>(n, 6000) * 9u, 3); });
    ruf::Zeile_Anmelden(RUF_SPIELE_TABELLE, [](i32, Tabelle_Wunsch w) { return V(std::get<0>(w) & 0xFFFF, 4); });
    ruf::Zeile_Anmelden(RUF_SPIELE_TORE, [](u32 a, u32, u32, i32) {
        return std::tuple<V, i32>{V(6u * (a % 300), 1), static_cast<i32>(a % 300)};
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_SIEGER, [](i32 a, i32 j) { return std::tuple<i32, i32, i32, i32>{a, j, a, j}; });
    ruf::Zeile_Anmelden(RUF_WETTBEWERB_EREIGNISSE, [](u32 k) {
        return std::tuple<V, i32>{V(16u * (k % 101), 2), static_cast<i32>(k % 101)};
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_SERIEN, [](i32, i32, i32) {
        return std::tuple<u8, std::array<u32, 7>>{1, {1, 2, 3, 4, 5, 6, 7}};
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_GEGEN, [](i32, i32, i32, i32 m) {
        return std::tuple<u8, u32, u32, u32, V>{1, 2, 3, 4, V(static_cast<size_t>(std::clamp(m, 0, 60)) * 12u, 5)};
    });
    ruf::Zeile_Anmelden(RUF_SPIELE_STATISTIK, [](i32, i32, i32, i32, i32, i32, i32) {
        return std::tuple<i32, V>{1, V(3368, 8)};
    });
    ruf::Zeile_Anmelden(RUF_TEAM_BEREIT, [](i32) { return ruf::Nichts{}; });
    ruf::Zeile_Anmelden(RUF_SPIELTAG_SLOT, [](i32 t) {
        Spieltag_Slot_Antwort a;
        a.wettbewerb = 1, a.spieltag = 2, a.runde = 3, a.index = t;
        return a;
    });
    ruf::Zeile_Anmelden(RUF_NEWS_SETZEN, [](i32, i32, i32, i32) { return ruf::Nichts{}; });
    ruf::Zeile_Anmelden(RUF_NEWS_NEU, [](std::vector<u32> ids, i32 t) {
        return std::tuple<V, i32, i32>{V(4u * (ids.size() % 2000) + 4, 0), t, -1};
    });
    ruf::Zeile_Anmelden(RUF_NEWS_EINTRAGEN,
                        [](i32, i32, i32, u32, std::array<i32, 10>, V text) { return static_cast<u32>(text.size()); });
    ruf::Zeile_Anmelden(RUF_SPIELE_VERLAUF, [](i32 w, i32, i32, i32, u8, u32, i32, u8, i32, i32, u8, u8, i32) {
        return std::tuple<i32, std::array<u8, 368>>{w % 47, {}};
    });
    ruf::Zeile_Anmelden(RUF_RANGLISTE, [](i32 t) {
        return std::tuple<i32, std::vector<Rangliste_Eintrag>>{t, std::vector<Rangliste_Eintrag>(t & 0x1FF)};
    });
    ruf::Zeile_Anmelden(RUF_RICHTER_LISTE, [] { return V(4, 0xF0); });
    ruf::Zeile_Anmelden(RUF_RICHTER_NEU, [](std::array<i32, 10>, i32, i32) { return i32{0}; });
    ruf::Zeile_Anmelden(RUF_KALENDER_BEFEHL, [](i32, i32) { return i32{0}; });
    ruf::Zeile_Anmelden(RUF_STATISTIK_ARCHIV, [](i32 w, i32, i32) { return V(static_cast<size_t>(w & 0xFFFF), 7); });
    ruf::Zeile_Anmelden(RUF_SPIELFELD_LADEN, [] {
        return std::tuple<u8, V, u32, f32, u32, u32>{1, V(SPIELFELD_GROESSE, 9), 12, 12.5f, 3, 4};
    });
}

void anmelden() {
    ruf::Zeile_Anmelden(F_SPIELER, [](i32 a, i32, i32) { return std::vector<u8>(static_cast<size_t>(a & 0xFFFF), 1); });
    ruf::Zeile_Anmelden(F_STARTINFO, [] { return u32{7280}; });
    ruf::Zeile_Anmelden(F_OWN, [](i32 t) { return std::tuple<u16, std::array<u8, 768>>{static_cast<u16>(t), {}}; });
    ruf::Zeile_Anmelden(F_BLOCK, [] { return std::vector<std::array<u8, 52>>(280); });
    ruf::Zeile_Anmelden(F_ZURUECK, [](std::array<u8, 768>, u8, u8) { return ruf::Nichts{}; });
    ruf::Zeile_Anmelden(F_STARTTEAMS, [] { return std::vector<u8>(80 * 12, 2); });
    ruf::Zeile_Anmelden(F_AKTIV, [](i32 slot, i32 team, std::array<char, 36>, i32) {
        Netz_Slot_Team_Setzen(slot, team);
        return ruf::Nichts{};
    });
    ruf::Zeile_Anmelden(F_ICONS, [](u8, std::array<u8, 33616> a) { return a; });
    ruf::Zeile_Anmelden(F_KREDIT, [](i32, i32, f32, i32, u8, f32) -> u8 { return 1; });
    Netz_Protokoll_Set_Hooks({.team_anzahl = [] { return 280; }});
    season_anmelden();
}

// A client's side of the season's queries: the fuzz bytes are the server's
// answer to whatever the client asks (tables, series, head-to-head, winners,
// competition counters); each must be checked before any of it is used.
std::vector<u8> client_antwort;
bool antwort_leitung(u16, const std::vector<u8>&, std::vector<u8>* antwort) {
    *antwort = client_antwort;
    return true;
}
void client_fragen(const u8* data, size_t size) {
    static const bool bereit = [] {
        Wettbewerb_Init();
        Spiele_Init();
        return true;
    }();
    (void)bereit;
    client_antwort.assign(data, data + size);
    ruf::Leitung_Setzen(antwort_leitung);
    const u32 rolle = Internet_Modus;
    Internet_Modus = INTERNET_MODUS_CLIENT;
    auto t = std::make_unique<Tabelle>();
    Tabelle_Argumente a;
    a.wettbewerb = 50;
    a.team = 3;
    Spiele_Get_Tabelle(a, t.get());
    if (t->zeilen > TABELLE_ZEILEN) std::abort();
    u32 serien[7];
    Spiele_Get_Serien(50, 3, serien, 2);
    u32 s = 0, u = 0, n = 0;
    u8 ergebnisse[12 * 10];
    if (Spiele_Get_Spiele_Gegen(-1, 3, 4, &s, &u, &n, ergebnisse, 10) > 10) std::abort();
    Spiele_Get_Wettbewerb_Sieger(50, 2004, nullptr, nullptr, nullptr);
    Spiele_Hole_Wettbewerb_Ereignisse(1 + (size % 7) * 100);
    Statistik_Archiv_Holen(*t, 50, 2004, 0);
    if (t->zeilen > TABELLE_ZEILEN) std::abort();
    Statistik_Archiv_Platz plaetze[8];
    if (Statistik_Archiv_Team(3, plaetze, 8) > 8) std::abort();
    Internet_Modus = rolle;
    ruf::Leitung_Setzen(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool gestartet = [] {
        Verbindung_Start("", 0);
        anmelden();
        Netz_Set_Hooks({.server_paket = Netz_Server_Paket});
        return true;
    }();
    (void)gestartet;
    if (size < 1 || size > 200000) return 0;
    const u8 art = data[0];
    data++, size--;
    if (art & 4) {
        client_fragen(data, size);
        return 0;
    }
    if (art & 1) {
        std::vector<u8> antwort;
        const char* grund = nullptr;
        if (Netz_Block_Beantworten(0, (art & 2) ? 3 : -1, data, size, &antwort, &grund) &&
            (antwort.size() < 12 || get_u32le(antwort.data()) != NETZ_BLOCK_MAGIC))
            std::abort();
        return 0;
    }
    int paar[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, paar) != 0) return 0;
    Socket_Info* info = Socket_Init_Get_Socket_Info();
    if (!info) std::abort();
    info->sock = paar[0];
    Verbindung* v = Verbindung_Accept(info);
    if (!v) std::abort();
    Verbindung_Server_Neuer_Client(v);
    if (art & 2) Verbindung_Client_Slots[0].team = 3;
    if (size && write(paar[1], data, size) != static_cast<ssize_t>(size)) std::abort();
    shutdown(paar[1], SHUT_WR);
    for (int runde = 0; runde < 2000 && Verbindung_Client_Slots[0].benutzt; runde++) {
        Verbindung_Pump();
        Verbindung_Server_Clients();
        Verbindung_Server_Frame();
        // Drain what the server answered so its writes never block.
        u8 puffer[65536];
        while (recv(paar[1], puffer, sizeof puffer, MSG_DONTWAIT) > 0) {
        }
    }
    Verbindung_Server_Slots_Leeren();
    close(paar[1]);
    return 0;
}
