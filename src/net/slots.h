// The server's six client slots and the client's request path.
//
// Server: each accepted connection gets a slot; the server pass
// (Verbindung_Server_Clients) moves complete packets from the connections
// into the slots, re-arms a connection once the server's answer has been
// written (so a client's next packet is read only after its previous one was
// answered) and clears the slot of a client that went away or broke the
// rules, with one line in the debug log. The server's frame
// (Verbindung_Server_Frame) hands each waiting packet to the packet hook.
//
// Client: Verbindung_Send_And_Read sends a request and waits for the
// answer, pumping messages and the network; a match signal of the server
// that arrives meanwhile goes to the signal hook. Verbindung_Read is the
// per-frame read, CLIENT_SIGNAL sends a match signal without waiting for an
// answer. When the connection to the server fails, the connection is closed
// and the lost-connection hook runs once (by default an error box, then
// the game ends the normal way).
#pragma once

#include "base/types.h"
#include "base/ruf.h"
#include "net/verbindung.h"

constexpr i32 VERBINDUNG_CLIENT_SLOTS = 6;
// What a client tells its player when the connection to the server is lost.
constexpr char NETZ_TEXT_VERLOREN[] = "Die Verbindung zum Server ist abgebrochen.";
// First word of a match sync signal.
constexpr u32 NETZ_SIGNAL_MAGIC = 0xCFCECDCC;

struct Verbindung_Client_Slot {
    u32 index;
    u32 benutzt;
    u32 neu;  // 1 when accepted; the server's next frame clears it
    Verbindung* verbindung;
    u32 paket_laenge;
    u8* paket;                     // a complete packet not yet handled by the server's frame
    i32 team;                      // -1 until the client takes over its team
    void (*schliessen)(i32 team);  // called when the connection breaks (none installed)
    // Since when the slot's address has been without a club: its accept
    // time, or earlier when a club-less connection of the same address was
    // dropped just before (reconnecting does not give the time again).
    i64 ohne_verein_seit;
};
// Slots one address may hold at most (one is always left for others), and
// those of them without a club. The server's own machine (127.0.0.1 and the
// address it listens on) is not limited: several players of one machine.
constexpr i32 VERBINDUNG_SLOTS_PRO_ADRESSE = VERBINDUNG_CLIENT_SLOTS - 1;
constexpr i32 VERBINDUNG_OHNE_VEREIN_PRO_ADRESSE = 2;
// A club-less connection of an address that comes within this time of the
// address's last one going on goes on with that one's time without a club.
constexpr i64 VERBINDUNG_OHNE_VEREIN_KETTE_MS = 10000;

extern Verbindung_Client_Slot Verbindung_Client_Slots[VERBINDUNG_CLIENT_SLOTS];

// The default of a failed connection to the server: an error box, then the
// game ends the normal way.
void Netz_Verbindung_Verloren_Melden();

// The calls of the network layer into the game above it.
struct Netz_Hooks {
    // Client: a match signal of the server (the packet stays the caller's).
    void (*client_signal)(const u8* daten, u32 laenge) = [](const u8*, u32) {};
    // Server: a client's packet, detached from its slot (the caller releases
    // it afterwards); the answer goes out with Verbindung_Server_Send.
    void (*server_paket)(Verbindung_Client_Slot* slot, const u8* daten, u32 laenge) =
        [](Verbindung_Client_Slot*, const u8*, u32) {};
    // Client: the waiting indicator while a request waits (blink flag).
    void (*warteanzeige)(int blinken) = [](int) {};
    // Client: the connection to the server has failed.
    void (*verbindung_verloren)() = Netz_Verbindung_Verloren_Melden;
};
// Installs the table whole (entries left out keep their defaults).
void Netz_Set_Hooks(const Netz_Hooks& hooks);
const Netz_Hooks& Netz_Get_Hooks();
void Netz_Hooks_Zuruecksetzen();

// Server.
void Verbindung_Server_Neuer_Client(Verbindung* v);
void Verbindung_Server_Clients();
i32 Verbindung_Server_Send(Verbindung_Client_Slot* slot, const void* daten, u32 laenge);
void Verbindung_Client_Slot_Free(Verbindung_Client_Slot* slot);
// Frees every slot (used at network stop).
void Verbindung_Server_Slots_Leeren();
// Closes the role's connections (Internet_Server_Verbindung,
// Internet_Listen_Verbindung, the clients of the slots) and clears the
// pointers: after a game was loaded and when the program ends.
void Netz_Verbindungen_Schliessen();
// The server's part of the frame: for each used slot in order, clears the
// new flag and hands a waiting packet to the packet hook, then releases it.
void Verbindung_Server_Frame();

// Client. The answer's data (a guarded block for the caller), or null when
// the request failed (the lost-connection hook has run) or was made while
// another request waits.
u8* Verbindung_Send_And_Read(Verbindung* v, const void* daten, u32 laenge, u32* antwort_laenge);
u8* Verbindung_Read(Verbindung* v, u32* laenge);
void CLIENT_SIGNAL(Verbindung* v, const void* daten, u32 laenge);
// The client's part of the frame: a packet read by Verbindung_Read on the
// server connection goes to the signal hook. A client that has sent nothing
// for LEBENSZEICHEN_TEIL-th of the server's idle limit sends a sign of life
// (call 1050), so a manager reading a page keeps his place in the game.
void Verbindung_Client_Frame();
constexpr u32 LEBENSZEICHEN_TEIL = 4;
inline constexpr ruf::Ruf<ruf::Nichts> RUF_LEBENSZEICHEN{1050, "Lebenszeichen"};
// Registers the server's row of the sign of life (it answers nothing).
void Netz_Lebenszeichen_Anmelden();
// True when the packet is a match signal.
bool Netz_Ist_Signal(const u8* daten, u32 laenge);
