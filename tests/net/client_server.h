// A real server in a child process and this test process as its network
// client: the set-up the world's network tests share.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include "base/ruf.h"
#include "net/protokoll.h"
#include "net/slots.h"
#include "netz_test.h"
#include "season/news.h"
#include "world/welt.h"

// Forks a server running `laufen` on this test's address (last number
// `letzte`), waits until it reports that it listens (one byte 1 on the pipe),
// then connects as a client: the call layer on the connection, the news
// store, the protocol's own-team hooks.
inline void Client_Mit_Server_Verbinden(u8 letzte, u8 adresse[4], pid_t& server,
                                        void (*laufen)(const u8 adresse[4], int bereit)) {
    Test_Adresse(letzte, adresse);
    int rohr[2];
    ASSERT_EQ(pipe(rohr), 0);
    server = fork();
    ASSERT_GE(server, 0);
    if (server == 0) laufen(adresse, rohr[1]);
    u8 ok = 0;
    ASSERT_EQ(read(rohr[0], &ok, 1), 1);
    close(rohr[0]);
    close(rohr[1]);
    ASSERT_EQ(ok, 1);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, INTERNET_PORT, adresse);
    ASSERT_NE(Internet_Server_Verbindung, nullptr);
    ruf::Leitung_Setzen(Netz_Leitung);
    News_Init();
    Netz_Protokoll_Set_Hooks({.eigenes_team = [] { return Team_Aktiv; }, .team_anzahl = [] { return Team_Anzahl; }});
}

// The server's side in its child process: listens on the address, tells
// the test over the pipe whether it does (a server that cannot listen ends
// with 1), then serves until its client has come and gone (at most 60 s).
inline void Server_Bedienen(const u8 adresse[4], int bereit) {
    Internet_Listen_Verbindung = Verbindung_Open(VERBINDUNG_SERVER, INTERNET_PORT, adresse);
    Netz_Set_Hooks({.server_paket = Netz_Server_Paket});
    const u8 ok = Internet_Listen_Verbindung ? 1 : 0;
    if (write(bereit, &ok, 1) != 1 || !ok) _exit(1);
    bool gesehen = false;
    Pumpen_Bis(
        [&] {
            gesehen = gesehen || Slots_Benutzt() > 0;
            return gesehen && Slots_Benutzt() == 0;
        },
        60000);
}
