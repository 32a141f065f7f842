// The matchday in a network game: the server answers a client's question
// for its team's running match (call 1031) and its ready signal (call 1029);
// a client follows its match through these calls and the pitch record
// (call 1032), and never ends a running match only because the pitch has
// not arrived yet.
#pragma once

#include <tuple>

#include "base/ruf.h"
#include "matchday/spieltag.h"

// The answer of call 1031: the team's row (0xFF bytes when none) and the
// key of its fixture; competition -1 when the team has no running match
// today, -2 for team 0.
struct Spieltag_Slot_Antwort {
    Spieltag_Slot zeile{};
    i32 wettbewerb = -1, spieltag = -1, runde = -1, index = -1;
};
template <class V, bytes::Art<Spieltag_Slot_Antwort> S>
constexpr void felder(V& v, S& r) {
    v(r.zeile), v(r.wettbewerb), v(r.spieltag), v(r.runde), v(r.index);
}
static_assert(bytes::groesse<Spieltag_Slot_Antwort>() == 40);

inline constexpr ruf::Ruf<Spieltag_Slot_Antwort, i32> RUF_SPIELTAG_SLOT{1031, "Spieltag_Get_Slot"};

// Server rows.
Spieltag_Slot_Antwort Spieltag_Internet_Server_Send_Slot(i32 team);
void Spieltag_Internet_Server_Team_Bereit(i32 team);
void Spieltag_Internet_Bereit_Zuruecknehmen(i32 team);

// The end of a manager's turn at a client: what changed during the turn goes
// back to the server and the team's match is reported ready. Nothing on a
// server or a single machine.
void Spieltag_Internet_Client_Zug_Ende(i32 team);
// Client side: the ready signal of the active team (team -1 at the end of
// the game); the active team's row fetched from the server (the table then
// holds that row alone, with the local lock of its fixture); a refresh.
void Spieltag_Internet_Client_Bereit(i32 team);
void Spieltag_Internet_Client_Hole_Slot(i32 team);
bool Spieltag_Internet_Client_Slot_Aktualisieren(i32 team);
bool Spieltag_Kein_Spiel();
// Forgets the client's state (a new or loaded game).
void Spieltag_Netz_Zuruecksetzen();
// The server has gone (the box that says so stands until its OK takes the
// player to the start screen): the client's match stands where it is and
// nothing more is asked of the server for it, so no end of the match, no
// page and no new screen pushes the box away.
void Spieltag_Client_Server_Weg();
void Spieltag_Kein_Spiel_Loeschen();

// A client without a running match follows the server's row of its team
// (asked at most every 400 ms, and no more once the server said there is
// no match, until that flag is cleared).
void Spieltag_Client_Verfolgen();
// A client's row that has kicked off or runs, without its pitch record: the
// record is fetched from the server at most every 400 ms; the row keeps its
// status until it arrives. True when the pitch is there now.
bool Spieltag_Client_Spielfeld_Holen(Spieltag_Slot& r);
// The number of a row's pitch record: on a client the server's game number
// of its match (its record is the server's image), else the row's game.
u32 Spieltag_Spielfeld_Nummer(const Spieltag_Slot& r);
// On a client, a row that waits, kicks off, runs or pauses follows the
// server: its copy of the match repairs a mismatch or a lost answer by
// fetching the whole record, waits at a break until the server's record
// shows the next half, and ends only with the server's final record (then
// the row goes to 8; never a result of its own). True when the runner
// leaves the row to this (*gelaufen: a pitch was stepped). False on a
// server or in a local game.
bool Spieltag_Client_Zeile(Spieltag_Slot& r, int durchreichen, bool* gelaufen);
// The client's copy of its running match (nullptr when none).
Spielfeld_Daten* Spieltag_Client_Spielfeld();
// Mismatches the server reported and those repaired from its record.
struct Spieltag_Client_Zahlen {
    u32 abweichungen = 0, reparaturen = 0;
};
const Spieltag_Client_Zahlen& Spieltag_Client_Get_Zahlen();

// Registers the server row of call 1031 (the ready signal 1029, the pitch
// record 1032 and the statistics 1035 are the season's and the engine's
// rows of their own).
void Spieltag_Netz_Anmelden();
