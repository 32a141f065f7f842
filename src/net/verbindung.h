// Connections and packet frames.
//
// A connection (Verbindung) wraps one TCP socket and carries whole packets
// over it, one at a time in each direction. Sending and receiving have
// separate state: a frame being written never disturbs a frame being read.
// Verbindung_Send only queues a frame; the pump (Verbindung_Pump, run
// several times per main-loop pass and by every waiting loop) writes queued
// frames and reads incoming ones piece by piece without blocking. Up to 16
// connections exist at once.
//
// The frame on the wire (every word little-endian; docs/formats/netz-rahmen.md):
//   u32 total length (16 + data length), u32 packed flag (always 0),
//   u32 data length, u32 tag (250 client to server, 251 server to client),
//   then the data.
// An incoming frame is checked before anything is allocated for it: a total
// length outside 17..VERBINDUNG_MAX_RAHMEN, a packed flag other than 0 or a
// data length other than total - 16 breaks that connection (no sender packs,
// and an empty packet is never sent). So does a peer that stops in the
// middle of a frame for longer than the partial-frame time limit, an
// accepted peer that sends nothing at all for the silence time limit, and
// one that, after a packet, sends nothing more for the idle time limit while
// nothing is being written to it.
//
// A broken connection stays in the table with both phases at
// VERBINDUNG_PHASE_KAPUTT until its owner closes it; its socket is gone at
// once (the record no longer refers to it).
#pragma once

#include "base/types.h"
#include "net/sockets.h"

// Kinds.
constexpr u32 VERBINDUNG_SERVER = 0xF0001;  // listening
constexpr u32 VERBINDUNG_CLIENT = 0xF0002;  // a client's connection to the server
constexpr u32 VERBINDUNG_PEER = 0xF0003;    // a client accepted by the server

// Phases of the send side and of the receive side.
constexpr u32 VERBINDUNG_PHASE_KEINE = 0;
constexpr u32 VERBINDUNG_PHASE_GEQUEUED = 0xFF01;
constexpr u32 VERBINDUNG_PHASE_SCHREIBT = 0xFF02;
constexpr u32 VERBINDUNG_PHASE_GESCHRIEBEN = 0xFF04;
constexpr u32 VERBINDUNG_PHASE_KOPF = 0xFF08;    // armed, reading the 16-byte header
constexpr u32 VERBINDUNG_PHASE_DATEN = 0xFF10;   // reading the data
constexpr u32 VERBINDUNG_PHASE_FERTIG = 0xFF20;  // a packet is complete
constexpr u32 VERBINDUNG_PHASE_KAPUTT = 0xFF80;

// The state as one number: 0 idle, 1 sending, 2 sent, 8 packet in, 16 broken.
constexpr u32 VERBINDUNG_FREI = 0;
constexpr u32 VERBINDUNG_SENDET = 1;
constexpr u32 VERBINDUNG_GESENDET = 2;
constexpr u32 VERBINDUNG_PAKET_DA = 8;
constexpr u32 VERBINDUNG_KAPUTT = 16;

constexpr u32 VERBINDUNG_TAG_CLIENT = 250;
constexpr u32 VERBINDUNG_TAG_SERVER = 251;

constexpr i32 VERBINDUNG_MAX = 16;
constexpr u32 VERBINDUNG_KOPF = 16;
// Largest packet: a 5,000,000-byte block packed by the run-length packer
// in the worst case (a control byte per 125 bytes, 8 bytes of header, the
// end byte).
constexpr u32 VERBINDUNG_MAX_DATEN = 5000000 + 5000000 / 125 + 9;
constexpr u32 VERBINDUNG_MAX_RAHMEN = VERBINDUNG_KOPF + VERBINDUNG_MAX_DATEN;

// The port setting of the game (3040: TCP port 57355 on the wire).
constexpr u16 INTERNET_PORT = 3040;

struct Verbindung_Senden {
    u8* puffer;   // the whole frame being written
    u32 rest;     // bytes not yet written
    u32 versatz;  // bytes written
    u32 phase;
};

struct Verbindung_Empfang {
    u8* puffer;   // the data being read, then the packet's data
    u32 laenge;   // data length of the frame
    u32 versatz;  // bytes read into the header, then into the data
    u8 kopf[VERBINDUNG_KOPF];
    u32 phase;
};

struct Verbindung {
    Socket_Info* socket;  // null once the socket has failed
    u8 adresse[4];        // as opened, or the peer's address
    u16 port;             // as opened, or the peer's raw port field
    u32 art;
    u32 offen;
    Verbindung_Senden senden;
    Verbindung_Empfang empfang;
    i64 fortschritt_ms;  // last time a byte moved or a frame was queued
    i64 empfang_ab_ms;   // first byte of the frame being read
    i64 senden_ab_ms;    // the frame being written was queued at
    i64 seit_ms;         // opened or accepted at
    u32 pakete;          // packets received so far
    char fehler[80];     // why it broke ("" while it works)
};

// Time limits (milliseconds).
struct Verbindung_Zeitlimits {
    u32 connect = 5000;      // opening a client connection
    u32 teilrahmen = 30000;  // a frame not moved whole this long after its first byte (either direction)
    u32 stumm = 60000;       // an accepted peer that has not sent one whole packet
    u32 anfrage = 60000;     // a client's request without an answer
    u32 leerlauf = 900000;   // an accepted peer silent after a packet (nothing on the way either way)
    u32 ohne_team = 180000;  // a server's client slot that has not taken its club (block 19)
};
extern Verbindung_Zeitlimits Verbindung_Limits;

extern Verbindung* Verbindung_Tabelle[VERBINDUNG_MAX];
extern Verbindung* Internet_Server_Verbindung;  // a client's connection to the server
extern Verbindung* Internet_Listen_Verbindung;  // the server's listening connection
extern char Internet_Hostname[256];
extern u16 Internet_Port;
extern u8 Internet_Lokale_Adresse[4];
// Whether a server listens on every address of this machine (loopback
// included) rather than on Internet_Lokale_Adresse alone: set by
// Verbindung_Get_Local_Host when the setting "Netz_Adresse" names no address.
extern bool Internet_Alle_Adressen;

// Networking start-up (the arguments are not used); the started flag.
i32 Verbindung_Start(const char* logdatei, i32 nummer);
// Closes every connection, clears the server's client slots and the socket
// table; the started flag becomes 0.
i32 Verbindung_Stop();
i32 Verbindung_Ist_Gestartet();
// This machine's host name, the port setting and the address shown to the
// players: the setting "Netz_Adresse" when it holds a dotted address (a
// server then listens there alone), else the first non-loopback IPv4
// address (a server then listens on every address). 0 before start-up or
// when nothing is found.
i32 Verbindung_Get_Local_Host(char* name, i32 laenge, u16* port, u8* adresse);

Verbindung* Verbindung_Open(u32 art, u16 port, const u8* adresse);
i32 Verbindung_Close(Verbindung* v);  // always 0; releases the buffers too
// Takes an accepted socket into the table as a peer connection; the
// socket's accept event hands it on to the slot table
// (Verbindung_Server_Neuer_Client) directly.
Verbindung* Verbindung_Accept(Socket_Info* info);
i32 Verbindung_Get_Freier_Platz();

// Queues one frame; 0 (nothing changed) for a broken connection, one still
// sending, no data, length 0 or above VERBINDUNG_MAX_DATEN, or no memory.
// A written frame is released first.
i32 Verbindung_Send(Verbindung* v, const void* daten, u32 laenge, u32 tag);
// One pass over every connection (the event bridge is asked first).
void Verbindung_Pump();
// Arms the receive side; a frame already being read goes on, a complete
// packet nobody took is released. 0 for null or broken.
i32 Verbindung_Read_Start(Verbindung* v);
// Takes the complete packet (a guarded block, released by the taker with
// W32_Memory_H_Free) and its length; null when none is complete.
u8* Verbindung_Paket_Nehmen(Verbindung* v, u32* laenge);
// Releases the frame being sent and the packet being read or waiting.
void Verbindung_Transfer_Free(Verbindung* v);
// Releases a written frame (the send side becomes idle).
void Verbindung_Gesendet_Freigeben(Verbindung* v);
void Verbindung_Socket_Fehler(Socket_Info* info);
// Marks the connection broken with a reason (its socket is closed).
void Verbindung_Brechen(Verbindung* v, const char* grund);
u32 Verbindung_Zustand(const Verbindung* v);
// True while a frame is queued or being written.
bool Verbindung_Sendet(const Verbindung* v);

// Waits up to `ms` milliseconds until some connection can move bytes
// (or a listening socket has a caller); returns at once when one can, or
// when a connection holds a complete packet or a written frame.
void Verbindung_Warten(u32 ms);

void Verbindung_On_Accept(Socket_Info* info);
void Verbindung_On_Read(Socket_Info* info);
void Verbindung_On_Write(Socket_Info* info);
void Verbindung_On_Close(Socket_Info* info);

// Monotonic milliseconds of the time limits.
i64 Verbindung_Jetzt_Ms();
