// The world's calls and blocks between two processes: a server with the
// shipped world in a child process, this process as its client.
#include <signal.h>
#include <sys/wait.h>

#include <cstring>

#include "base/ruf.h"
#include "net/protokoll.h"
#include "netz_test.h"
#include "welt_test.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/spieler.h"
#include "world/stadion.h"

namespace {

// The wiring of the program's start-up.
void Verdrahten() {
    ruf::Team_Rahmen_Setzen([](i32 team, bool an) {
        static i32 alt = -1;
        if (an) alt = Aktuelles_Team, Aktuelles_Team = team;
        else Aktuelles_Team = alt;
    });
    Welt_Set_Netz_Hooks({
        .slot_anzahl = [] { return static_cast<int>(VERBINDUNG_CLIENT_SLOTS); },
        .slot_team = [](int slot) { return Netz_Slot_Team(slot); },
        .slot_setzen = [](int slot, i32 team, const char*, i32) { return Netz_Slot_Team_Setzen(slot, team); },
        .aktuelle_verbindung = [] { return static_cast<int>(Netz_Aktuelle_Verbindung()); },
    });
}

// The server: serves until its client has gone (at most 60 s).
[[noreturn]] void Server_Laufen(const u8 adresse[4], int bereit) {
    Internet_Modus = INTERNET_MODUS_SERVER;
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
    _exit(0);
}

class Welt_Netz : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Welt_Netz_Anmelden();
        Verdrahten();
        Bank_Init();
        ASSERT_TRUE(Bank_Konto_Anlegen(20, 1000000.0, 0));
        ASSERT_TRUE(Bank_Konto_Anlegen(21, 1000000.0, 0));
        Stadion_Init();
        ASSERT_EQ(Verbindung_Start("", 0), 1);
        Test_Adresse(4, adresse);
        int rohr[2];
        ASSERT_EQ(pipe(rohr), 0);
        server = fork();
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
        Netz_Protokoll_Set_Hooks(
            {.eigenes_team = [] { return Team_Aktiv; }, .team_anzahl = [] { return Team_Anzahl; }});
    }
    void TearDown() override {
        ruf::Leitung_Setzen(nullptr);
        Netz_Protokoll_Set_Hooks({});
        Verbindung_Close(Internet_Server_Verbindung);
        Internet_Server_Verbindung = nullptr;
        if (server > 0) {
            int status = 0;
            // The server ends once its client has gone; a stuck one is ended.
            for (int k = 0; k < 500 && waitpid(server, &status, WNOHANG) == 0; k++) usleep(10000);
            if (waitpid(server, &status, WNOHANG) == 0) {
                kill(server, SIGKILL);
                waitpid(server, &status, 0);
                ADD_FAILURE() << "der Server endete nicht";
            } else {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            }
        }
        Verbindung_Stop();
        Netz_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Welt_Set_Netz_Hooks({});
        Stadion_Free();
        Bank_Free();
        Welt_Freigeben();
    }
    pid_t server = -1;
    u8 adresse[4];
};

TEST_F(Welt_Netz, AClientStartsTakesItsTeamAndReadsAndWritesOnlyItsOwn) {
    // Start blocks before the team is taken.
    ASSERT_TRUE(Team_Internet_Client_Get_Startinfo());
    EXPECT_EQ(Team_Anzahl, 280);
    std::vector<u8> eintraege(NETZ_STARTTEAMS);
    u32 anzahl = 0;
    ASSERT_TRUE(Team_Internet_Client_Get_Startteams(eintraege.data(), &anzahl));
    EXPECT_GT(anzahl, 0u);
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(0, 20, "Netz", 0));
    Team_Aktiv = 20;

    // The blocks of all teams and one player's record put the server's data back.
    const Team_Struktur vorher = Team_Daten[5];
    std::memset(&Team_Daten[5], 0x77, sizeof Team_Daten[5]);
    ASSERT_TRUE(Team_Internet_Client_Refresh());
    EXPECT_EQ(std::memcmp(&Team_Daten[5], &vorher, sizeof vorher), 0);
    const Spieler_Struktur spieler = Spieler_Daten[77];
    std::memset(&Spieler_Daten[77], 0x55, sizeof spieler);
    ASSERT_TRUE(Spieler_Internet_Client_Get_Data(3, -1, 77, -1));
    EXPECT_EQ(std::memcmp(&Spieler_Daten[77], &spieler, sizeof spieler), 0);

    // Money moves only from the client's own team.
    EXPECT_EQ(Bank_Buchen(20, -1, 5000.0f, 27, 0, -1), 1);
    EXPECT_EQ(Bank_Buchen(21, 20, 5000.0f, 22, 0, -1), 0);
    ASSERT_TRUE(Bank_Internet_Client_Get_Bankdaten(20));
    EXPECT_EQ(ruf::Rufen(RUF_BANKDATEN, 20)->kontostand, 995000.0f);
    EXPECT_EQ(ruf::Rufen(RUF_BANKDATEN, 21)->kontostand, 1000000.0f);
    EXPECT_TRUE(Stadion_Internet_Client_Get(20));
}

}  // namespace
