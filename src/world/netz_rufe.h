// The world's remote calls and blocks, each declared once with its arguments
// and its answer (base/ruf.h). The server rows are registered by
// Welt_Netz_Anmelden (netz.cpp); the client functions of netz.h call them.
#pragma once

#include <array>
#include <tuple>
#include <vector>

#include "base/ruf.h"
#include "world/bank.h"
#include "world/welt.h"
#include "world/werbung.h"

// Block 1: a player record the client sends back (number -1 ends the list).
struct Spieler_Zurueck {
    i32 nummer = -1;
    Spieler_Struktur daten{};
};
template <class V, bytes::Art<Spieler_Zurueck> S>
constexpr void felder(V& v, S& r) {
    v(r.nummer), v(r.daten);
}
constexpr int NETZ_SPIELER_ZURUECK_ANZAHL = 20;
using Spieler_Zurueck_Liste = std::array<Spieler_Zurueck, NETZ_SPIELER_ZURUECK_ANZAHL>;

// Block 16.
struct Team_Startinfo {
    u32 teams = 0, kopie = 0, markt = 0;
    u16 heimnation = 65535, schwierigkeit = 0;
};
template <class V, bytes::Art<Team_Startinfo> S>
constexpr void felder(V& v, S& r) {
    v(r.teams), v(r.kopie), v(r.markt), v(r.heimnation), v(r.schwierigkeit);
}

// Blocks 30 and 33: what a client's manager changes besides the icons.
struct Manager_Teil {
    Manager_Daten daten{};
    u32 menue_wahl[2] = {};
    u8 einstellungen[3] = {};
};
template <class V, bytes::Art<Manager_Teil> S>
constexpr void felder(V& v, S& r) {
    v(r.daten), v(r.menue_wahl), v(r.einstellungen);
}

// Block 34: the icon states and words of a manager.
struct Manager_Icons {
    u32 status[MANAGER_ICONS] = {};
    u32 wort[MANAGER_ICONS] = {};
};
template <class V, bytes::Art<Manager_Icons> S>
constexpr void felder(V& v, S& r) {
    v(r.status), v(r.wort);
}

// Call 1024: the bank's tables and the team's figures (netz.h).
struct Bank_Daten_Antwort {
    std::vector<Bank_Waehrung> waehrungen;
    f32 faktoren[3] = {};
    f32 zinsen[7] = {};
    i32 grenzen[7] = {};
    f32 kredit_min = 0, kredit_max = 0, kreditrahmen = 0, kontostand = 0;
    i32 konto[13] = {};
};
template <class V, bytes::Art<Bank_Daten_Antwort> S>
void felder(V& v, S& r) {
    v(r.waehrungen), v(r.faktoren), v(r.zinsen), v(r.grenzen), v(r.kredit_min), v(r.kredit_max);
    v(r.kreditrahmen), v(r.kontostand), v(r.konto);
}

using Name36 = std::array<char, 36>;
using ruf::Nichts;
using ruf::Ruf;

// Blocks.
inline constexpr Ruf<std::vector<u8>, i32, i32, i32> RUF_SPIELER_DATEN{0, "Spieler_Daten"};  // mode, team, player
inline constexpr Ruf<Nichts, Spieler_Zurueck_Liste> RUF_SPIELER_ZURUECK{1, "Spieler_Zurueck"};
inline constexpr Ruf<u32> RUF_SPIELER_STARTINFO{2, "Spieler_Startinfo"};
inline constexpr Ruf<u32, i32, i32, i32, i32, i32> RUF_SPIELER_TAUSCH{4, "Spieler_Tausch"};  // teams, players, price
inline constexpr Ruf<std::tuple<u16, Team_Own>, i32> RUF_TEAM_OWN{12, "Team_Own"};
// A team's squad as block 0's entries (team, bit 1 of the selection: full records).
inline constexpr Ruf<std::vector<u8>, i32, i32> RUF_TEAM_SPIELERBLOCK{18, "Team_Spielerblock"};
// One club's records (an unknown club: empty records).
inline constexpr Ruf<Team_Struktur, i32> RUF_TEAM_T{10, "Team_T"};
inline constexpr Ruf<Team_Fix, i32> RUF_TEAM_T_FIX{11, "Team_T_Fix"};
inline constexpr Ruf<std::vector<Team_Struktur>> RUF_TEAM_BLOCK{13, "Team_Block"};
inline constexpr Ruf<std::vector<Team_Fix>> RUF_TEAM_FIX_BLOCK{14, "Team_Fix_Block"};
inline constexpr Ruf<Nichts, Team_Own, u8, u8> RUF_TEAM_OWN_ZURUECK{15, "Team_Own_Zurueck"};
inline constexpr Ruf<Team_Startinfo> RUF_TEAM_STARTINFO{16, "Team_Startinfo"};
inline constexpr Ruf<std::vector<u8>> RUF_STARTTEAMS{17, "Startteams"};                // 80-byte entries
inline constexpr Ruf<Nichts, i32, i32, Name36, i32> RUF_USER_AKTIV{19, "User_Aktiv"};  // slot, team, name, value
inline constexpr Ruf<Manager_Teil> RUF_MANAGER_DATEN{30, "Manager_Daten"};
inline constexpr Ruf<std::tuple<u32, u32>> RUF_MANAGER_STARTINFO_1{31, "Manager_Startinfo_1"};  // count, difficulty
inline constexpr Ruf<std::tuple<u8, Name36>, i32> RUF_MANAGER_STARTINFO_2{32, "Manager_Startinfo_2"};
inline constexpr Ruf<Nichts, Manager_Teil> RUF_MANAGER_ZURUECK{33, "Manager_Zurueck"};
// Direction 1 writes the icons sent, 0 reads them (the icons sent are ignored).
inline constexpr Ruf<Manager_Icons, u8, Manager_Icons> RUF_MANAGER_ICONS{34, "Manager_Icons"};

// Block 3: the numbers of the players changed since the last asking (u16
// count, then u16 numbers).
inline constexpr Ruf<std::vector<u8>> RUF_SPIELER_NEU{3, "Spieler_Neu"};

// Calls.
inline constexpr Ruf<std::vector<u8>, i32> RUF_STADION_LISTE{1015, "Stadion_Liste"};
// A team's stadium capacity (0 for a team number out of range).
inline constexpr Ruf<i32, i32> RUF_STADION_KAPAZITAET{1017, "Stadion_Kapazitaet"};
// The stadium's building steps of the asking team (world/stadion_bau.h):
// the next class (team, the class it builds) and a renovation (team,
// comfort), each answered with the step's result; price and capacity
// (team, the class to build first or 0, price, seats, terraces; -1 keeps the
// capacity), answered with nothing (the client reads the record back). Each
// names the state it asks for, so that the same request again pays nothing.
inline constexpr Ruf<u8, i32, i32> RUF_STADION_NEUBAU{1018, "Stadion_Neubau"};
inline constexpr Ruf<u8, i32, i32> RUF_STADION_RENOVIERUNG{1019, "Stadion_Renovierung"};
inline constexpr Ruf<Nichts, i32, i32, i32, i32, i32> RUF_STADION_SETZEN{1016, "Stadion_Setzen"};
// An advertising step of the asking team (team, action, value, and for a
// sponsor search, which pays a fee, the request's number: once per club).
inline constexpr Ruf<i32, i32, i32, i32, i32> RUF_WERBUNG_SETZEN{1022, "Werbung_Setzen"};
// A team's advertising record: present (1) or not (0), and the record.
inline constexpr Ruf<std::tuple<u8, Werbung_Daten>, i32> RUF_WERBUNG_DATEN{1023, "Werbung_Daten"};
inline constexpr Ruf<Bank_Daten_Antwort, i32> RUF_BANKDATEN{1024, "Bankdaten"};
// payer, payee, amount, kind, forced, currency, the request's number
// (ruf::Anfrage_Nummer: the server books a number of a club once)
inline constexpr Ruf<u8, i32, i32, i32, i32, i32, i32, u32> RUF_BANK_BUCHUNG{1026, "Bank_Buchung"};
inline constexpr Ruf<std::tuple<std::array<Bank_Buchung, BANK_BUCHUNGEN>, i32, i32>, i32> RUF_BANK_BUCHUNGEN{
    1027, "Bank_Buchungen"};  // bookings, ring index, period
// giver, taker, amount, term, option, rate, the request's number (once per club)
inline constexpr Ruf<u8, i32, i32, f32, i32, u8, f32, u32> RUF_BANK_KREDIT{1028, "Bank_Kredit"};
// The market's steps of a managed club (world/markt.h), for the asking team
// only: a negotiation's start (team, market player; the transfers left, -1
// refused), a scout's paid search (team, scout, area) and the hiring of its
// prospect (team, scout, player).
inline constexpr Ruf<i32, i32, i32> RUF_TRANSFER_VERHANDLUNG{1046, "Transfer_Verhandlung"};
inline constexpr Ruf<u8, i32, i32, i32> RUF_SCOUT_BEZAHLEN{1047, "Scout_Bezahlen"};
inline constexpr Ruf<u8, i32, i32, i32> RUF_SCOUT_VERPFLICHTEN{1048, "Scout_Verpflichten"};
// The asking club's highest request number carried out (ruf::Anfrage_Stand):
// a client numbers its next paying request above it.
inline constexpr Ruf<u32> RUF_ANFRAGE_STAND{1049, "Anfrage_Stand"};
// Call 1025: a team's balance, credit line, currency and credits (its
// borrowings and what it lent), to mirror them on a client.
// The 20-byte head (balance, credit line, currency, the credits' count),
// then the credits.
struct Bank_Kredite_Antwort {
    f64 kontostand = 0;
    f32 kreditrahmen = 0;
    i32 waehrung = 0;
    i32 anzahl = 0;
    std::vector<Bank_Kredit_Eintrag> kredite;
};
template <class V, bytes::Art<Bank_Kredite_Antwort> S>
void felder(V& v, S& r) {
    v(r.kontostand), v(r.kreditrahmen), v(r.waehrung), v(r.anzahl), v(r.kredite);
}
inline constexpr Ruf<Bank_Kredite_Antwort, i32> RUF_BANK_KREDITE{1025, "Bank_Kredite"};

// Registers the world's server rows with the call layer (start-up).
void Welt_Netz_Anmelden();
