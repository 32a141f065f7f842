// The connection check, the server search and opening the role's connection.
//
// A check tries a TCP connection to one address (the game's port rule: the
// setting 3040 is TCP port 57355) and records the outcome in a table indexed
// by the address's last byte: 0 no result yet, 1 a server answered, 2 no
// answer. Checks run on a small pool of worker threads, each of which tries
// many addresses at once without blocking, so a whole /24 is searched within
// the connect time limit. Dotted addresses are used as they stand (no name
// look-up in either direction); names are looked up with getaddrinfo. The
// workers share only the result table with the main thread.
//
// Any program that listens on the port counts as a server: the check does
// not speak the game's protocol.
#pragma once

#include <atomic>

#include "base/types.h"

constexpr i8 SUCHE_OFFEN = 0;
constexpr i8 SUCHE_SERVER = 1;
constexpr i8 SUCHE_KEINER = 2;

// The server address a client uses: four numbers, one per byte of the dotted form.
extern u32 Internet_Server_Adresse[4];
extern std::atomic<i8> Internet_Server_Suche_Tabelle[256];

struct Suche_Zeitlimits {
    u32 connect = 1500;  // one test connection
    u32 warten = 4000;   // a waiting check in all (look-up and connection)
};
extern Suche_Zeitlimits Suche_Limits;

// Opens the connection of the network role: the listening connection of a
// server (on every address, or on Internet_Lokale_Adresse when
// Internet_Alle_Adressen is false), or a client's connection to
// Internet_Server_Adresse (an earlier one is closed first). A failure sets
// the role to single play.
void Internet_Connect();

// Starts a check of a.b.c.d. With the wait flag: waits (at most
// Suche_Limits.warten) for this check's own outcome and returns 1 when a
// server answered; without it returns 0 at once.
i32 Internet_Check_Server(u32 a, u32 b, u32 c, u32 d, u16 port, u8 warten);
// -1 when some address answered (its last byte is stored through pd);
// otherwise the number of last bytes 0..254 still without a result, which
// are written to the list (at least 255 bytes, may be null).
i32 Internet_Get_Server_Index(u32* pa, u32* pb, u32* pc, u32* pd, u16 port, u8* liste);
void Internet_Server_Suche_Ergebnis(u32 a, u32 b, u32 c, u32 d, u16 port, u8 geantwortet);
i32 SocketTools_IP_Text(u32 a, u32 b, u32 c, u32 d, char* text);
// Queues one check of the text address; its outcome goes to the table entry
// `index`. False (and the entry says "no answer") when no worker can run.
bool SocketTools_CheckConnection(const char* text, u16 port, u32 index);
// Stops the workers and joins them (checks under way finish first).
void SocketTools_Beenden();
