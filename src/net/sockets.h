// The socket layer: a table of socket records over POSIX TCP sockets.
//
// Every connection of the game goes through these Socket_* procedures. They
// report by their result (1 success, 0 failure; a record pointer or null) and
// name a failing call's error in the trace with the Winsock name of its errno
// ("connect returns WSAECONNREFUSED"). The trace is written only after
// Socket_Log_Open; the game never opens it.
//
// Socket notifications: a socket selected with Socket_Async_Select_Event is
// watched by the event bridge. Socket_Bruecke_Abfragen (run by every pass of
// the connection pump, so by the main loop's network step and by every
// waiting loop) polls the watched sockets without waiting and hands what it
// finds to Socket_Event: a waiting connection on a listening socket as
// FD_ACCEPT, a peer that closed or failed as FD_CLOSE (only once every byte
// it sent has been read, so a last answer before a close is not lost).
// Readiness for reading and writing is not reported: the pump reads and
// writes without waiting for it.
//
// Port numbers: the game's port setting is stored into the socket address
// without conversion to network byte order, as the game has always done, so
// the setting 3040 (0x0BE0) is TCP port 57355 (0xE00B) on the wire.
#pragma once

#include <cstdint>

#include "base/types.h"

constexpr i32 SOCKET_UNGUELTIG = -1;  // "no socket"

// Event bits of a notification.
constexpr u32 FD_READ = 1;
constexpr u32 FD_WRITE = 2;
constexpr u32 FD_OOB = 4;
constexpr u32 FD_ACCEPT = 8;
constexpr u32 FD_CONNECT = 16;
constexpr u32 FD_CLOSE = 32;

// Event codes of the four event procedures.
constexpr i32 SOCKET_EREIGNIS_ACCEPT = 1001;
constexpr i32 SOCKET_EREIGNIS_READ = 1002;
constexpr i32 SOCKET_EREIGNIS_WRITE = 1003;
constexpr i32 SOCKET_EREIGNIS_CLOSE = 1004;

// Option codes of Socket_Option.
constexpr i32 SOCKET_OPT_BROADCAST = 300;
constexpr i32 SOCKET_OPT_DEBUG = 301;
constexpr i32 SOCKET_OPT_DONTLINGER = 302;
constexpr i32 SOCKET_OPT_DONTROUTE = 303;
constexpr i32 SOCKET_OPT_KEEPALIVE = 304;
constexpr i32 SOCKET_OPT_OOBINLINE = 306;
constexpr i32 SOCKET_OPT_REUSEADDR = 308;
constexpr i32 SOCKET_OPT_DEBUG_2 = 310;

// Most records the table holds.
constexpr i32 SOCKET_MAX_RECORDS = 1024;

struct Socket_Info {
    i32 sock = SOCKET_UNGUELTIG;
    u8 benutzt = 0;
    // The peer's IPv4 socket address as accept fills it: u16 family, u16
    // port field, 4 address bytes, 8 zero bytes (accepted sockets only).
    u8 peer[16] = {};
    // Event bridge: the selected event bits (0 = not watched) and the window
    // that the selection names.
    u32 maske = 0;
    uintptr_t fenster = 0;
};

using Socket_Ereignis_Fn = void (*)(Socket_Info*);

// The port setting as TCP port number (3040 -> 57355), and back.
constexpr u16 Socket_Port_Leitung(u16 wert) { return static_cast<u16>((wert >> 8) | (wert << 8)); }

// Start and table.
i32 Socket_Start(u32* max_sockets);
i32 Socket_End();
i32 Socket_Init(i32 anzahl);
i32 Socket_DeInit();
i32 Socket_Anzahl();  // records in the table
Socket_Info* Socket_Init_Get_Socket_Info();
i32 Socket_Init_Clear_Socket_Info(Socket_Info* info);
Socket_Info* Socket_Init_Search_Socket(i32 sock);

// One socket's life.
i32 Socket_Create(Socket_Info* info);
i32 Socket_Destroy(Socket_Info* info);
i32 Socket_Bind(Socket_Info* info, u16 port, const u8* adresse);
i32 Socket_Listen(Socket_Info* info);
Socket_Info* Socket_Accept(Socket_Info* info);
// Connects without blocking for longer than `zeitlimit_ms` (refused at
// once, unreachable after the time limit).
i32 Socket_Connect(Socket_Info* info, u16 port, const u8* adresse, u32 zeitlimit_ms = 5000);
i32 Socket_Get_Peer(const Socket_Info* info, u16* port, u8* adresse);
i32 Socket_Option(Socket_Info* info, i32 code, i32 wert);
i32 Socket_Async_Select_Event(Socket_Info* info, uintptr_t fenster, u32 maske);
i32 Socket_Async_Select_Stop_Events(Socket_Info* info, uintptr_t fenster);

// Data: one recv / send without waiting. 1 with the count when bytes moved,
// 1 with the count untouched when nothing can move now, 0 when the
// connection has failed or the peer has closed it.
i32 Socket_Read(Socket_Info* info, void* puffer, u32 laenge, u32* anzahl);
i32 Socket_Write(Socket_Info* info, const void* puffer, u32 laenge, u32* anzahl);

// Host look-up (forward only). The local host: the host name, and the first
// IPv4 address of an interface that is up and not loopback (else the host
// name's own address).
i32 Socket_Host_Get_IP_ADDR(const char* name, u8* adresse);
i32 Socket_Host_Get_Local_Host(char* name, i32 laenge, u8* adresse);

// Event procedures and notifications.
void Socket_Set_Callbacks(Socket_Ereignis_Fn accept, Socket_Ereignis_Fn read, Socket_Ereignis_Fn write,
                          Socket_Ereignis_Fn close);
void Socket_Callback(i32 code, Socket_Info* info);
// A notification for that socket with those event bits; the socket's record or null.
Socket_Info* Socket_Event(uintptr_t sock, u32 ereignisse);
// The event bridge (see above). Refuses to run inside itself.
void Socket_Bruecke_Abfragen();

// The Winsock name of an errno value ("WSAECONNRESET"), null when it has none.
const char* Socket_Fehlername(int fehler);

// Trace log: off until opened; every operation writes BEGIN and END lines
// and its messages into it.
i32 Socket_Log_Open(const char* dateiname);
void Socket_Log_Close();
