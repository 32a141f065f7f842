// A manager who reads a page for longer than the server's idle limit keeps
// his place: his client sends a sign of life; a client that has really gone
// silent is still dropped. A server that goes between two requests is told
// at the client's next frame.
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "base/ruf.h"
#include "client_server.h"
#include "net/protokoll.h"
#include "net/slots.h"
#include "netz_test.h"

namespace {

constexpr u32 LEERLAUF_MS = 600;

// The server in its child process: the sign-of-life row and the shortened
// idle limit, then it serves until its client has come and gone.
void Server_Laufen(const u8 adresse[4], int bereit) {
    Verbindung_Limits.leerlauf = LEERLAUF_MS;
    Netz_Lebenszeichen_Anmelden();
    Server_Bedienen(adresse, bereit);
    _exit(0);
}

// Client passes as the main loop runs them: the pump, and with `frame` the
// client's frame (which sends the sign of life).
bool Client_Laeuft_Noch(int ms, bool frame) {
    const i64 ende = Verbindung_Jetzt_Ms() + ms;
    while (Verbindung_Jetzt_Ms() < ende) {
        Verbindung_Pump();
        if (frame) Verbindung_Client_Frame();
        if (Verbindung_Zustand(Internet_Server_Verbindung) == VERBINDUNG_KAPUTT) return false;
        Verbindung_Warten(5);
    }
    return true;
}

// A server that answers its client's first request and then quits.
void Server_Geht(const u8 adresse[4], int bereit) {
    Netz_Lebenszeichen_Anmelden();
    Internet_Listen_Verbindung = Verbindung_Open(VERBINDUNG_SERVER, INTERNET_PORT, adresse);
    Netz_Set_Hooks({.server_paket = Netz_Server_Paket});
    const u8 ok = Internet_Listen_Verbindung ? 1 : 0;
    if (write(bereit, &ok, 1) != 1 || !ok) _exit(1);
    // Serving until the client says its request was answered.
    Pumpen_Bis(
        [&] {
            pollfd p{bereit, POLLIN, 0};
            return poll(&p, 1, 0) > 0;
        },
        20000);
    _exit(0);
}

int verloren = 0;

}  // namespace

// The client's frames run (a match watched, nothing asked): the line that
// broke when the server quit is told once, at once, not at the next request.
TEST(Lebenszeichen, AServerThatQuitsBetweenRequestsIsToldAtTheNextFrame) {
    ASSERT_EQ(Verbindung_Start("", 0), 1);
    u8 adresse[4];
    Test_Adresse(10, adresse);
    int rohr[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, rohr), 0);
    const pid_t server = fork();
    ASSERT_GE(server, 0);
    if (server == 0) Server_Geht(adresse, rohr[1]);
    u8 ok = 0;
    ASSERT_EQ(read(rohr[0], &ok, 1), 1);
    ASSERT_EQ(ok, 1);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, INTERNET_PORT, adresse);
    ASSERT_NE(Internet_Server_Verbindung, nullptr);
    ruf::Leitung_Setzen(Netz_Leitung);
    Netz_Protokoll_Set_Hooks({.eigenes_team = [] { return i32{-1}; }, .team_anzahl = [] { return i32{0}; }});
    verloren = 0;
    Netz_Set_Hooks({.verbindung_verloren = [] { ++verloren; }});
    EXPECT_TRUE(ruf::Rufen(RUF_LEBENSZEICHEN).has_value());
    const u8 weiter = 1;
    ASSERT_EQ(write(rohr[0], &weiter, 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(server, &status, 0), server);
    // Two seconds of frames: far below the sign of life's interval.
    for (const i64 ende = Verbindung_Jetzt_Ms() + 2000; Verbindung_Jetzt_Ms() < ende; Verbindung_Warten(5)) {
        Verbindung_Pump();
        Verbindung_Client_Frame();
    }
    EXPECT_EQ(verloren, 1) << "der Client erfuhr nicht, dass der Server weg ist";
    EXPECT_EQ(Internet_Server_Verbindung, nullptr);
    close(rohr[0]), close(rohr[1]);
    ruf::Leitung_Setzen(nullptr);
    Netz_Protokoll_Set_Hooks({});
    if (Internet_Server_Verbindung) Verbindung_Close(Internet_Server_Verbindung);
    Internet_Server_Verbindung = nullptr;
    Verbindung_Stop();
    Netz_Hooks_Zuruecksetzen();
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

TEST(Lebenszeichen, AClientKeepingAliveOutlastsTheIdleLimitASilentOneIsDropped) {
    ASSERT_EQ(Verbindung_Start("", 0), 1);
    const u32 alt = Verbindung_Limits.leerlauf;
    Verbindung_Limits.leerlauf = LEERLAUF_MS;
    u8 adresse[4];
    Test_Adresse(9, adresse);
    int rohr[2];
    ASSERT_EQ(pipe(rohr), 0);
    const pid_t server = fork();
    ASSERT_GE(server, 0);
    if (server == 0) Server_Laufen(adresse, rohr[1]);
    u8 ok = 0;
    ASSERT_EQ(read(rohr[0], &ok, 1), 1);
    close(rohr[0]);
    close(rohr[1]);
    ASSERT_EQ(ok, 1);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, INTERNET_PORT, adresse);
    ASSERT_NE(Internet_Server_Verbindung, nullptr);
    ruf::Leitung_Setzen(Netz_Leitung);
    Netz_Protokoll_Set_Hooks({.eigenes_team = [] { return i32{-1}; }, .team_anzahl = [] { return i32{0}; }});
    // One request, so the server counts the client as talking.
    EXPECT_TRUE(ruf::Rufen(RUF_LEBENSZEICHEN).has_value());

    // Four idle limits on a page with only the client's frame running.
    EXPECT_TRUE(Client_Laeuft_Noch(static_cast<int>(4 * LEERLAUF_MS), true));
    EXPECT_TRUE(ruf::Rufen(RUF_LEBENSZEICHEN).has_value());

    // Without its frame the client says nothing, and the server lets it go.
    EXPECT_FALSE(Client_Laeuft_Noch(static_cast<int>(6 * LEERLAUF_MS), false));

    ruf::Leitung_Setzen(nullptr);
    Netz_Protokoll_Set_Hooks({});
    Verbindung_Close(Internet_Server_Verbindung);
    Internet_Server_Verbindung = nullptr;
    int status = 0;
    for (int k = 0; k < 500 && waitpid(server, &status, WNOHANG) == 0; k++) usleep(10000);
    if (waitpid(server, &status, WNOHANG) == 0) {
        kill(server, SIGKILL);
        waitpid(server, &status, 0);
    }
    Verbindung_Stop();
    Netz_Hooks_Zuruecksetzen();
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Verbindung_Limits.leerlauf = alt;
}
