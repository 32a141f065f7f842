// A network game started through the screens in two processes on a loopback
// address of this test's own: a child process hosts (network switch, the
// server role, the wizard for its manager, its main menu), this process
// joins as a client through the start screen (address typed, connection
// tested, a free club taken) and reaches its own main menu. The client is
// not offered the host's club, and its header shows the balance the server
// keeps for its club.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/globals.h"
#include "base/ruf.h"
#include "base/settings.h"
#include "graphics/glatt.h"
#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "net/slots.h"
#include "net/sockets.h"
#include "net/start_netz.h"
#include "net/verbindung.h"
#include "platform/headless.h"
#include "programm.h"
#include "screens/screens.h"
#include "screens/start/spielstart.h"
#include "season/kalender.h"
#include "season/ankuendigung.h"
#include "season/kalender_lauf.h"
#include "season/wettbewerb.h"
#include "start_klick.h"
#include "world/bank.h"
#include "world/finanz_zahlen.h"
#include "world/manager.h"
#include "world/welt.h"
#include "zwei_prozesse.h"

namespace {

using Uhr = std::chrono::steady_clock;

// 127.A.B.9 with A and B from the test's process id (taken before the host
// is forked): test programs running side by side never share an address
// (the game's port is fixed).
std::string adresse_von(unsigned pid) {
    return "127." + std::to_string(100 + (pid >> 8) % 100) + "." + std::to_string(pid & 255) + ".9";
}
const std::string& eigene_adresse() {
    static const std::string a = adresse_von(static_cast<unsigned>(getpid()));
    return a;
}

// Runs a script part to its end, then `danach` frames.
bool lauf(const std::string& skript, i32 danach = 8) {
    if (!Headless_Skript(skript)) return false;
    for (i32 n = 0; n < 5000 && !Headless_Skript_Zu_Ende(); ++n) Headless_Frames(1);
    Headless_Frames(danach);
    return Headless_Skript_Zu_Ende();
}

// Frames until the main menu stands without a requester (one is clicked
// away), at most `sekunden`.
bool bis_hauptmenue(int sekunden) {
    const auto ende = Uhr::now() + std::chrono::seconds(sekunden);
    while (Uhr::now() < ende) {
        if (Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) && !Menue_Requester_Offen() &&
            Kalender_Get_Runmodus() == RUNMODUS_SPIEL)
            return true;
        lauf(std::string(Menue_Requester_Offen() ? "click right 400 300\n" : "") + "wait 5\n", 5);
    }
    return false;
}

bool schreiben(int fd, const void* d, size_t n) { return write(fd, d, n) == static_cast<ssize_t>(n); }
// Reads exactly n bytes within `sekunden`; false on a timeout or a closed pipe.
bool lesen(int fd, void* d, size_t n, int sekunden) {
    auto* p = static_cast<char*>(d);
    const auto ende = Uhr::now() + std::chrono::seconds(sekunden);
    while (n > 0) {
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(ende - Uhr::now()).count();
        pollfd f{fd, POLLIN, 0};
        if (rest <= 0 || poll(&f, 1, static_cast<int>(rest)) <= 0) return false;
        const ssize_t r = read(fd, p, n);
        if (r <= 0) return false;
        p += r, n -= static_cast<size_t>(r);
    }
    return true;
}

// The host: its manager set up through the wizard; once in its main menu it
// says so ('B' and its club as i32 on `antwort`), then serves until the
// client has asked for a club's balance (a team number on `frage`, the
// balance as f64 back) and closed the pipe.
[[noreturn]] void server(int frage, int antwort) {
    std::string ordner;
    if (!Test_Programm_Starten("kordavo_netz_server", &ordner, true)) _exit(10);
    // The network starts as the program starts it, listening on this address.
    W32_Registry_Write("Netz_Adresse", eigene_adresse().c_str());
    if (!Main_Hooks.Verbindung_Start("", 0) || !Main_Hooks.Verbindung_Get_Local_Host()) _exit(17);
    lauf("wait 5\n");
    lauf(Start_Klick(ICON_START_NETZ));
    lauf(Start_Klick(ICON_START_ROLLE));
    if (!ruf::Server()) _exit(11);
    lauf(Start_Klick(ICON_START_NEU), 12);
    if (!ruf::Server()) _exit(18);  // could not listen: back to single play
    // One manager at difficulty 2, the name to start from, face 0, the first
    // country's first club in its own league.
    lauf(Start_Klick(ICON_WIZ_WEITER));
    lauf(Start_Eintrag(2));
    lauf(Start_Klick(ICON_WIZ_WEITER));
    for (i32 k : {0, 0, 0, 0}) lauf(Start_Eintrag(k));
    if (!Menue_Requester_Offen()) _exit(12);
    lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20);
    if (!bis_hauptmenue(240)) _exit(13);
    const i32 eigenes = Team_Aktiv;
    const char bereit = 'B';
    if (!schreiben(antwort, &bereit, 1) || !schreiben(antwort, &eigenes, sizeof eigenes)) _exit(14);
    // Serving: the frames run the network until the client asks.
    const auto ende = Uhr::now() + std::chrono::seconds(400);
    while (Uhr::now() < ende) {
        pollfd f{frage, POLLIN, 0};
        if (poll(&f, 1, 0) > 0) {
            i32 team = -1;
            if (read(frage, &team, sizeof team) != sizeof team) {
                // The client is done.
                std::error_code ec;
                std::filesystem::remove_all(ordner, ec);
                _exit(0);
            }
            const f64 konto = Bank_Get_Kontostand(team, 0, 0);
            // The client's manager as the host knows him.
            char name[36] = {};
            if (team >= 0 && team < Team_Anzahl && Team_Manager[team])
                std::snprintf(name, sizeof name, "%s", Team_Manager[team]->daten.name);
            if (!schreiben(antwort, &konto, sizeof konto) || !schreiben(antwort, name, sizeof name)) _exit(15);
        }
        Headless_Frames(1);
    }
    _exit(16);
}

TEST(SpielstartNetz, ClientTrittDurchDieScreensBeiUndSiehtSeinKonto) {
    int frage[2], antwort[2];
    ASSERT_EQ(pipe(frage), 0);
    ASSERT_EQ(pipe(antwort), 0);
    eigene_adresse();  // fixed before the fork: the host listens where this process looks
    const pid_t kind = fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        close(frage[1]), close(antwort[0]);
        server(frage[0], antwort[1]);
    }
    close(frage[0]), close(antwort[1]);
    struct Aufraeumen {
        pid_t kind;
        int fd;
        ~Aufraeumen() {
            close(fd);  // the server's end
            zwei_prozesse::Kind_Beenden(kind, 5000);
        }
    } aufraeumen{kind, frage[1]};
    char bereit = 0;
    i32 server_team = -1;
    if (!lesen(antwort[0], &bereit, 1, 300)) {
        int status = 0;
        const bool weg = waitpid(kind, &status, WNOHANG) == kind;
        FAIL() << "der Server hat sein Hauptmenü nicht erreicht (Ende "
               << (weg && WIFEXITED(status) ? WEXITSTATUS(status) : -1) << ")";
    }
    ASSERT_EQ(bereit, 'B');
    ASSERT_TRUE(lesen(antwort[0], &server_team, sizeof server_team, 10));

    std::string ordner;
    ASSERT_TRUE(Test_Programm_Starten("kordavo_netz_client", &ordner, true));
    ASSERT_TRUE(Main_Hooks.Verbindung_Start("", 0));
    ASSERT_TRUE(lauf("wait 5\n"));
    // Network on (a client), the server's address typed and tested.
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_NETZ)));
    ASSERT_TRUE(ruf::Client());
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_ADRESSE)));
    std::string tippen;
    for (int i = 0; i < 16; ++i) tippen += "key backspace\n";
    ASSERT_TRUE(lauf(tippen + "text " + eigene_adresse() + "\nwait 12\nkey return\nwait 3\n", 20));
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_PRUEFEN), 20));
    {
        const Spielstart_Netz& n = Spielstart_Get_Netz();
        ASSERT_EQ(n.test, 1) << "der Verbindungstest fand den Server nicht: " << n.adresse[0] << "." << n.adresse[1]
                             << "." << n.adresse[2] << "." << n.adresse[3] << " statt " << eigene_adresse();
    }
    // New game: the client's manager types his name and picks a face, then
    // the countries.
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_NEU), 20));
    Spielstart_Zustand& z = Spielstart_Get_Zustand();
    ASSERT_EQ(z.seite, 2);
    ASSERT_TRUE(lauf("text Gastwirt\nwait 10\nkey return\nwait 3\n", 40));
    ASSERT_EQ(z.seite, 3);
    ASSERT_TRUE(lauf(Start_Eintrag(1)));
    ASSERT_EQ(z.seite, 4);
    ASSERT_TRUE(lauf(Start_Eintrag(0)));
    ASSERT_EQ(z.seite, 5);
    // The host's club is not offered.
    ASSERT_GT(z.teams_anzahl, 0);
    for (i32 i = 0; i < z.teams_anzahl; ++i) EXPECT_NE(z.teams[i], server_team) << i;
    ASSERT_TRUE(lauf(Start_Eintrag(0)));
    ASSERT_GE(Spielstart_Slots[0].team, 0);
    const i32 team = Spielstart_Slots[0].team;
    for (int i = 0; i < 3 && !Menue_Requester_Offen() && Spielstart_Beendet == 0; ++i) lauf("wait 5\n");
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20));
    }
    ASSERT_TRUE(bis_hauptmenue(240)) << "der Client hat sein Hauptmenü nicht erreicht";
    ASSERT_TRUE(ruf::Client());
    EXPECT_EQ(Team_Aktiv, team);

    // The balance the server keeps for the club, shown in the client's header.
    ASSERT_TRUE(schreiben(frage[1], &team, sizeof team));
    f64 konto = 0;
    ASSERT_TRUE(lesen(antwort[0], &konto, sizeof konto, 60));
    char name[36] = {};
    ASSERT_TRUE(lesen(antwort[0], name, sizeof name, 60));
    // The manager is named as he typed, on both machines, with his face.
    EXPECT_STREQ(name, "Gastwirt");
    ASSERT_TRUE(Team_Manager[team]);
    EXPECT_STREQ(Team_Manager[team]->daten.name, "Gastwirt");
    EXPECT_EQ(Team_Manager[team]->daten.gesicht, 1);
    EXPECT_NE(server_team, team);
    EXPECT_GT(konto, 0.0);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(team, 0, 0), konto);
    Menue_Hauptmenue_Zeigen();
    lauf("wait 3\n", 3);
    Zeichenspur_Einschalten();
    Blt_Cache_Leeren();
    Menue_Screen_Refresh();
    bool gezeigt = false;
    const std::string geld = Menue_Geld_Text(konto);
    std::string texte;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_TEXT) {
            if (e.sichtbar.find(geld) != std::string::npos) gezeigt = true;
            texte += e.sichtbar + " | ";
        }
    Zeichenspur_Ausschalten();
    EXPECT_TRUE(gezeigt) << geld << " nicht unter: " << texte;
    const char* png = std::getenv("KORDAVO_SPIELSTART_PNG");
    if (png) lauf(std::string("screenshot ") + png + "/spielstart_netz_client.png\nwait 2\n");

    // The money page after a match: the client's bookings come from the
    // server (with the booking itself, and again before the page is drawn),
    // so a payment booked there counts.
    const i64 vorher = Finanz_Summen_Holen(team, 0).ausgaben;
    ASSERT_EQ(Bank_Buchen(team, -1, 4321.0f, BANK_TRAINING, 0, BANK_EURO), 1);
    EXPECT_EQ(Finanz_Summen_Holen(team, 0).ausgaben, vorher + 4321);
    u8 daten[ANK_DATEN] = {};
    Spielankuendigung_Setzen(Wettbewerb_Get_Liga_Von_Team(team, true), team, server_team, 0, 0, 0, daten);
    Spielankuendigung_Puffern(ANK_GELD, static_cast<u32>(team + Team_Anzahl) * 50 + 8);
    for (int i = 0; i < 20 && !Spielankuendigung_Screen_Offen(); ++i) lauf("wait 5\n", 1);
    EXPECT_EQ(Finanz_Summen_Holen(team, 0).ausgaben, vorher + 4321);
    EXPECT_TRUE(bis_hauptmenue(60));
    // Off the network before the host goes (a client that loses its server ends the program).
    ruf::Als_Einzel();
    Verbindung_Stop();
    Test_Programm_Beenden(ordner);
}

// A host alone through the start screen (network switch, server role, the
// wizard) into its main menu, listening on `adresse`.
void host_allein(const std::string& adresse, std::string* ordner) {
    ASSERT_TRUE(Test_Programm_Starten("kordavo_netz_host", ordner, true));
    W32_Registry_Write("Netz_Adresse", adresse.c_str());
    ASSERT_TRUE(Main_Hooks.Verbindung_Start("", 0));
    ASSERT_TRUE(Main_Hooks.Verbindung_Get_Local_Host());
    ASSERT_TRUE(lauf("wait 5\n"));
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_NETZ)));
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_ROLLE)));
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_NEU), 12));
    ASSERT_TRUE(ruf::Server());
    ASSERT_TRUE(lauf(Start_Klick(ICON_WIZ_WEITER)));
    ASSERT_TRUE(lauf(Start_Eintrag(2)));
    ASSERT_TRUE(lauf(Start_Klick(ICON_WIZ_WEITER)));
    for (i32 k : {0, 0, 0, 0}) ASSERT_TRUE(lauf(Start_Eintrag(k)));
    ASSERT_TRUE(Menue_Requester_Offen());
    ASSERT_TRUE(lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20));
    ASSERT_TRUE(bis_hauptmenue(240));
}

std::string host_adresse(char letzte) {
    std::string a = adresse_von(static_cast<unsigned>(getpid()));
    a.back() = letzte;
    return a;
}

void host_ende(const std::string& ordner) {
    ruf::Als_Einzel();
    Verbindung_Stop();
    Test_Programm_Beenden(ordner);
}

// The host's game saved and loaded again by the host: it stays a server,
// its port answers again, and the club a client played (marked taken when
// the game was saved) is free for that client to take again.
TEST(SpielstartNetz, GeladenesNetzwerkspielBleibtServer) {
    const std::string adresse = host_adresse('7');
    std::string ordner;
    host_allein(adresse, &ordner);
    if (HasFatalFailure()) return host_ende(ordner);
    // A club a client plays, as the save keeps it.
    const i32 client_team = Team_Aktiv == 1 ? 2 : 1;
    Team_Daten[client_team].status |= TEAM_STATUS_USER | TEAM_STATUS_USER_AKTIV;
    constexpr int SLOT = 4;
    ASSERT_EQ(K_NEUER_TAG(KALENDER_SPEICHERN, SLOT), 1);
    ASSERT_TRUE(lauf("wait 3\n", 2));
    ASSERT_TRUE(bis_hauptmenue(60));
    ASSERT_EQ(K_NEUER_TAG(KALENDER_LADEN, SLOT), 1);
    ASSERT_TRUE(lauf("wait 3\n", 2));
    ASSERT_TRUE(bis_hauptmenue(60));
    EXPECT_TRUE(ruf::Server()) << "nach dem Laden kein Server mehr";
    EXPECT_NE(Internet_Listen_Verbindung, nullptr);
    i32 a[4] = {};
    ASSERT_EQ(std::sscanf(adresse.c_str(), "%d.%d.%d.%d", &a[0], &a[1], &a[2], &a[3]), 4);
    EXPECT_EQ(Netz_Start_Server_Pruefen(a, true), 1) << "niemand hört auf " << adresse;
    EXPECT_EQ(Team_Daten[client_team].status & TEAM_STATUS_USER_AKTIV, 0u) << "der Verein des Clients bleibt belegt";
    EXPECT_NE(Team_Daten[client_team].status & TEAM_STATUS_USER, 0u);
    host_ende(ordner);
}

// The host's window closed while a client is connected: the manager is
// asked first; "Nein" keeps the game, the second close ends it. Without a
// client the window closes at once.
TEST(SpielstartNetz, ServerFragtVorDemBeendenMitVerbundenenClients) {
    const std::string adresse = host_adresse('8');
    std::string ordner;
    host_allein(adresse, &ordner);
    if (HasFatalFailure()) return host_ende(ordner);
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(Socket_Port_Leitung(INTERNET_PORT));
    ASSERT_EQ(inet_pton(AF_INET, adresse.c_str(), &sa.sin_addr), 1);
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa), 0);
    bool verbunden = false;
    for (int n = 0; n < 200 && !verbunden; ++n) {
        Headless_Frames(1);
        for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots) verbunden |= s.benutzt && s.verbindung;
    }
    ASSERT_TRUE(verbunden);
    ASSERT_TRUE(lauf("quit\n", 4));
    EXPECT_EQ(Quit_Status, QUIT_STATUS_LAEUFT) << "das Fenster schloss ohne Frage";
    ASSERT_TRUE(Menue_Requester_Offen());
    // "Nein": the game goes on.
    const Screen_Icon* nein = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_2);
    ASSERT_TRUE(nein);
    ASSERT_TRUE(lauf("move " + std::to_string(nein->x + nein->w / 2) + " " + std::to_string(nein->y + nein->h / 2) +
                         "\nwait 1\npress left\nwait 1\nrelease left\nwait 4\n",
                     4));
    EXPECT_FALSE(Menue_Requester_Offen());
    EXPECT_EQ(Quit_Status, QUIT_STATUS_LAEUFT);
    // Asked again, and closed again while the question stands.
    ASSERT_TRUE(lauf("quit\n", 4));
    ASSERT_TRUE(Menue_Requester_Offen());
    ASSERT_TRUE(lauf("quit\n", 4));
    EXPECT_NE(Quit_Status, QUIT_STATUS_LAEUFT);
    close(fd);
    host_ende(ordner);
}

// The host goes while a client plays: the client's manager reads why in a
// box of the game, and its OK takes the program back to the start screen,
// off the network.
TEST(SpielstartNetz, ClientOhneServerZurueckZumStart) {
    int frage[2], antwort[2];
    ASSERT_EQ(pipe(frage), 0);
    ASSERT_EQ(pipe(antwort), 0);
    eigene_adresse();
    const pid_t kind = fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        close(frage[1]), close(antwort[0]);
        server(frage[0], antwort[1]);
    }
    close(frage[0]), close(antwort[1]);
    struct Aufraeumen {
        pid_t kind;
        int fd;
        ~Aufraeumen() {
            if (fd >= 0) close(fd);
            zwei_prozesse::Kind_Beenden(kind, 5000);
        }
    } aufraeumen{kind, frage[1]};
    char bereit = 0;
    i32 server_team = -1;
    ASSERT_TRUE(lesen(antwort[0], &bereit, 1, 300));
    ASSERT_EQ(bereit, 'B');
    ASSERT_TRUE(lesen(antwort[0], &server_team, sizeof server_team, 10));
    std::string ordner;
    ASSERT_TRUE(Test_Programm_Starten("kordavo_netz_client", &ordner, true));
    ASSERT_TRUE(Main_Hooks.Verbindung_Start("", 0));
    ASSERT_TRUE(lauf("wait 5\n"));
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_NETZ)));
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_ADRESSE)));
    std::string tippen;
    for (int i = 0; i < 16; ++i) tippen += "key backspace\n";
    ASSERT_TRUE(lauf(tippen + "text " + eigene_adresse() + "\nwait 12\nkey return\nwait 3\n", 20));
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_NEU), 20));
    // Name (the next free number), face, country, club.
    ASSERT_TRUE(lauf("key return\nwait 3\n", 20));
    ASSERT_TRUE(lauf(Start_Eintrag(0)));
    ASSERT_TRUE(lauf(Start_Eintrag(0)));
    ASSERT_TRUE(lauf(Start_Eintrag(0)));
    for (int i = 0; i < 3 && !Menue_Requester_Offen() && Spielstart_Beendet == 0; ++i) lauf("wait 5\n");
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20));
    }
    ASSERT_TRUE(bis_hauptmenue(240)) << "der Client hat sein Hauptmenü nicht erreicht";
    ASSERT_TRUE(ruf::Client());
    // The host goes (its pipe closes, it ends).
    close(frage[1]);
    aufraeumen.fd = -1;
    int status = 0;
    ASSERT_EQ(waitpid(kind, &status, 0), kind);
    for (int n = 0; n < 600 && !Menue_Requester_Offen(); ++n) Headless_Frames(1);
    ASSERT_TRUE(Menue_Requester_Offen()) << "keine Meldung beim Client";
    // A page of the lost game still waits under the box (the money page
    // after its match): it is neither shown in nor saved with the new game
    // started next.
    u8 daten[ANK_DATEN] = {};
    Spielankuendigung_Setzen(Wettbewerb_Get_Liga_Von_Team(1, true), 1, 2, 0, 0, 0, daten);
    ASSERT_TRUE(Spielankuendigung_Puffern(ANK_GELD, 2 * 50 + 8));
    EXPECT_EQ(Quit_Status, QUIT_STATUS_LAEUFT);
    ASSERT_TRUE(lauf("move 400 300\nwait 2\nclick right\nwait 10\n", 20));
    for (int n = 0; n < 400 && !Screen_Offen(Screen_Id::SPIELSTART); ++n) Headless_Frames(1);
    EXPECT_TRUE(Screen_Offen(Screen_Id::SPIELSTART)) << "nicht zurück am Startbildschirm";
    EXPECT_EQ(Quit_Status, QUIT_STATUS_LAEUFT);
    EXPECT_TRUE(ruf::Einzel());
    Verbindung_Stop();
    ASSERT_TRUE(lauf(Start_Klick(ICON_START_NEU), 12));
    ASSERT_TRUE(lauf(Start_Klick(ICON_WIZ_WEITER)));
    ASSERT_TRUE(lauf(Start_Eintrag(2)));
    ASSERT_TRUE(lauf(Start_Klick(ICON_WIZ_WEITER)));
    for (i32 k : {0, 0, 0, 0}) ASSERT_TRUE(lauf(Start_Eintrag(k)));
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20));
    }
    ASSERT_TRUE(bis_hauptmenue(240)) << "das neue Spiel erreichte sein Hauptmenü nicht";
    EXPECT_TRUE(Spielankuendigung_Puffer_Leer()) << "eine Seite des alten Spiels wartet im neuen";
    EXPECT_NE(Spielankuendigung_Laufende_Art(), static_cast<u32>(ANK_GELD));
    Test_Programm_Beenden(ordner);
}

}  // namespace
