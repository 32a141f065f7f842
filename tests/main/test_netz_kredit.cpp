// Credits in a network game, in two processes on a loopback address of this
// test's own: a child process hosts (its manager set up through the
// wizard), this process joins as a client through the start screen.
// The host asks the client's manager for a credit on its bank screen; the
// question reaches the client's inbox as a yes/no box; "Nein" books nothing,
// "Ja" books the credit on both machines. The client's own credits from the
// bank are granted and refused by the same rules as the host's.
#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

#include "base/globals.h"
#include "base/ruf.h"
#include "base/settings.h"
#include "fahrer.h"
#include "net/verbindung.h"
#include "screens/club/bank.h"
#include "screens/start/spielstart.h"
#include "season/news.h"
#include "start_klick.h"
#include "zwei_prozesse.h"
#include "world/bank.h"
#include "world/manager.h"

namespace f = fahrer;

namespace {

using Uhr = std::chrono::steady_clock;

const std::string& eigene_adresse() {
    static const std::string a = zwei_prozesse::Adresse(11);
    return a;
}

// The records between the two processes: a kind and three numbers.
struct Satz {
    char art = 0;
    i32 wert = 0;
    f64 a = 0, b = 0;
};
bool schreiben(int fd, const Satz& s) { return write(fd, &s, sizeof s) == static_cast<ssize_t>(sizeof s); }
// One record within `ms`, frames running meanwhile (the network goes on).
bool lesen(int fd, Satz* s, int ms) { return zwei_prozesse::Lesen(fd, s, sizeof *s, ms, [] { Headless_Frames(1); }); }

// The bank's credits of the table below, as bits: bit k set when case k was granted.
struct Bankfall {
    f32 betrag;
    i32 laufzeit;
    bool anlage;  // the club's money invested at the bank (the bank borrows)
};
constexpr Bankfall BANKFAELLE[] = {
    {200000.0f, 24, true},     // invested: the club has it
    {12000000.0f, 24, true},   // more than the club has
    {100000.0f, 10, false},    // the smallest credit
    {12000000.0f, 50, false},  // the largest
    {90000.0f, 10, false},     // below the smallest
    {12500000.0f, 24, false},  // above the largest
    {1000000.0f, 9, false},    // a term too short
    {1000000.0f, 51, false},   // a term too long
};
u32 bankfaelle(i32 team) {
    u32 bits = 0;
    for (size_t k = 0; k < std::size(BANKFAELLE); ++k) {
        const Bankfall& f = BANKFAELLE[k];
        const f64 vorher = Bank_Get_Kontostand(team, 0, 0);
        const bool ok = f.anlage ? Bank_Kredit(team, -1, f.betrag, f.laufzeit, 0, BANK_ZINS_DER_BANK, 0)
                                 : Bank_Kredit(-1, team, f.betrag, f.laufzeit, 0, BANK_ZINS_DER_BANK, 0);
        // Nothing moves on a refusal.
        if (!ok && Bank_Get_Kontostand(team, 0, 0) != vorher) bits |= 1u << 31;
        if (ok) bits |= 1u << k;
    }
    return bits;
}

void menue_frei() {
    for (int n = 0; n < 20 && Menue_Requester_Offen(); ++n) f::antworten(false);
}

// The host: into its main menu through the wizard, then serving:
//   'F' (wert: the client's club): a credit asked of that club on the bank
//       screen; answered 'F' with the host's balance.
//   'K' (wert: a club): answered 'K' with the host's and that club's balance
//       and, in wert, the credits each lists (host * 100 + club).
//   'R': the bank's cases for the host's club; answered 'R' (wert: bits).
// Message boxes that come up are read and closed.
[[noreturn]] void host(int befehle, int antworten) {
    std::string ordner;
    if (!Test_Programm_Starten("kordavo_netz_kredit_server", &ordner, true)) _exit(10);
    W32_Registry_Write("Netz_Adresse", eigene_adresse().c_str());
    if (!Main_Hooks.Verbindung_Start("", 0) || !Main_Hooks.Verbindung_Get_Local_Host()) _exit(11);
    f::lauf("wait 5\n", 8);
    f::lauf(Start_Klick(ICON_START_NETZ), 8);
    f::lauf(Start_Klick(ICON_START_ROLLE), 8);
    f::lauf(Start_Klick(ICON_START_NEU), 12);
    if (!ruf::Server()) _exit(12);
    f::lauf(Start_Klick(ICON_WIZ_WEITER), 8);
    f::lauf(Start_Eintrag(2), 8);
    f::lauf(Start_Klick(ICON_WIZ_WEITER), 8);
    for (i32 k : {0, 0, 0, 0}) f::lauf(Start_Eintrag(k), 8);
    if (!Menue_Requester_Offen()) _exit(13);
    f::lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20);
    if (!f::bis_menue()) _exit(14);
    const i32 eigenes = Team_Aktiv;
    if (!schreiben(antworten, {'B', eigenes})) _exit(15);
    const auto ende = Uhr::now() + std::chrono::seconds(500);
    while (Uhr::now() < ende) {
        menue_frei();
        pollfd p{befehle, POLLIN, 0};
        if (poll(&p, 1, 0) <= 0) {
            Headless_Frames(1);
            continue;
        }
        Satz b;
        if (read(befehle, &b, sizeof b) != static_cast<ssize_t>(sizeof b)) break;  // the client is done
        Satz a{b.art};
        if (b.art == 'F') {
            if (!f::oeffnen(2, 0, Screen_Id::BANK)) _exit(20);
            for (int n = 0; n < 8 && Bank_Screen_Partner() != b.wert; ++n)
                if (!f::icon(ICON_BANK_PARTNER)) _exit(21);
            if (Bank_Screen_Partner() != b.wert) _exit(22);
            a.a = Bank_Get_Kontostand(eigenes, 0, 0);
            a.b = Bank_Screen_Betrag();
            if (!f::icon(ICON_BANK_KREDIT)) _exit(23);
            if (!f::bis_menue()) _exit(24);
        } else if (b.art == 'K') {
            a.a = Bank_Get_Kontostand(eigenes, 0, 0);
            a.b = Bank_Get_Kontostand(b.wert, 0, 0);
            a.wert = Bank_Get_Anzahl_Kredite(eigenes) * 100 + Bank_Get_Anzahl_Kredite(b.wert);
        } else if (b.art == 'R') {
            a.wert = static_cast<i32>(bankfaelle(eigenes));
        }
        if (!schreiben(antworten, a)) _exit(25);
    }
    ruf::Als_Einzel();
    Verbindung_Stop();
    Test_Programm_Beenden(ordner);
    _exit(0);
}

TEST(NetzKredit, AnfrageDesServersUndBankkrediteDesClients) {
    eigene_adresse();
    zwei_prozesse::Host h(host);
    ASSERT_TRUE(h.laeuft());
    const int an = h.an, von = h.von;
    Satz s;
    ASSERT_TRUE(lesen(von, &s, 300000)) << "der Server hat sein Hauptmenü nicht erreicht";
    ASSERT_EQ(s.art, 'B');
    const i32 server_team = s.wert;

    std::string ordner;
    ASSERT_TRUE(Test_Programm_Starten("kordavo_netz_kredit_client", &ordner, true));
    ASSERT_TRUE(Main_Hooks.Verbindung_Start("", 0));
    ASSERT_TRUE(f::lauf("wait 5\n", 8));
    ASSERT_TRUE(f::lauf(Start_Klick(ICON_START_NETZ), 8));
    ASSERT_TRUE(f::lauf(Start_Klick(ICON_START_ADRESSE), 8));
    std::string tippen;
    for (int i = 0; i < 16; ++i) tippen += "key backspace\n";
    ASSERT_TRUE(f::lauf(tippen + "text " + eigene_adresse() + "\nwait 12\nkey return\nwait 3\n", 20));
    ASSERT_TRUE(f::lauf(Start_Klick(ICON_START_NEU), 20));
    ASSERT_TRUE(f::lauf("text Gast\nwait 10\nkey return\nwait 3\n", 20));
    for (i32 k : {1, 0, 0}) ASSERT_TRUE(f::lauf(Start_Eintrag(k), 8));
    const i32 team = Spielstart_Slots[0].team;
    ASSERT_GE(team, 0);
    for (int i = 0; i < 3 && !Menue_Requester_Offen() && Spielstart_Beendet == 0; ++i) f::lauf("wait 5\n", 4);
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(f::lauf("move 116 424\nwait 2\nclick left\nwait 10\n", 20));
    }
    ASSERT_TRUE(f::bis_menue()) << "der Client hat sein Hauptmenü nicht erreicht";
    ASSERT_TRUE(ruf::Client());
    ASSERT_EQ(Team_Aktiv, team);
    ASSERT_NE(team, server_team);

    auto konten = [&](f64* server, f64* client, i32* kredite) {
        ASSERT_TRUE(schreiben(an, {'K', team}));
        Satz k;
        ASSERT_TRUE(lesen(von, &k, 60000));
        ASSERT_EQ(k.art, 'K');
        *server = k.a, *client = k.b, *kredite = k.wert;
    };

    // The host asks twice: "Nein" first, then "Ja".
    for (const bool ja : {false, true}) {
        SCOPED_TRACE(ja ? "Ja" : "Nein");
        f64 server_vorher = 0, client_vorher = 0;
        i32 kredite_vorher = 0;
        konten(&server_vorher, &client_vorher, &kredite_vorher);
        ASSERT_TRUE(schreiben(an, {'F', team}));
        Satz a;
        ASSERT_TRUE(lesen(von, &a, 120000)) << "keine Antwort des Servers";
        ASSERT_EQ(a.art, 'F');
        const f64 betrag = a.b;
        ASSERT_GT(betrag, 0.0);
        // The question comes up in the client's inbox as a box with two
        // buttons; message boxes before it are closed.
        bool frage = false;
        for (int n = 0; n < 3000 && !frage; ++n) {
            if (Menue_Requester_Offen() && f::da(ICON_REQ_KNOPF_1)) frage = true;
            else if (Menue_Requester_Offen()) ASSERT_TRUE(f::antworten(false));
            else f::frame();
        }
        ASSERT_TRUE(frage) << "die Anfrage des Servers kam beim Client nicht an";
        ASSERT_TRUE(f::antworten(ja));
        // The server's arbiter carries the answer out; the client's header
        // follows the server's account.
        f64 server_nach = server_vorher, client_nach = client_vorher;
        i32 kredite_nach = kredite_vorher;
        for (int n = 0; n < 40; ++n) {
            for (int k = 0; k < 30; ++k) {
                if (Menue_Requester_Offen() && !f::da(ICON_REQ_KNOPF_1)) ASSERT_TRUE(f::antworten(false));
                else f::frame();
            }
            konten(&server_nach, &client_nach, &kredite_nach);
            if (ja ? kredite_nach != kredite_vorher : n >= 10) break;
        }
        EXPECT_DOUBLE_EQ(server_nach - server_vorher, ja ? betrag : 0.0);
        EXPECT_DOUBLE_EQ(client_vorher - client_nach, ja ? betrag : 0.0);
        EXPECT_EQ(kredite_nach - kredite_vorher, ja ? 101 : 0) << "each side lists the credit";
        // The client's own machine shows the server's account of its club.
        for (int k = 0; k < 600 && Bank_Get_Kontostand(team, 0, 0) != client_nach; ++k) {
            if (Menue_Requester_Offen()) ASSERT_TRUE(f::antworten(false));
            else f::frame();
        }
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(team, 0, 0), client_nach);
        EXPECT_EQ(Bank_Get_Anzahl_Kredite(team), kredite_nach % 100);
    }

    // A credit from the bank on the client's bank screen, as its manager takes it.
    ASSERT_TRUE(f::oeffnen(2, 0, Screen_Id::BANK));
    ASSERT_EQ(Bank_Screen_Partner(), 0);
    const f64 vorher = Bank_Get_Kontostand(team, 0, 0);
    const f64 betrag = Bank_Screen_Betrag();
    ASSERT_TRUE(f::icon(ICON_BANK_KREDIT));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(team, 0, 0), vorher + betrag);
    ASSERT_TRUE(f::bis_menue());
    f64 server_konto = 0, client_konto = 0;
    i32 kredite = 0;
    konten(&server_konto, &client_konto, &kredite);
    EXPECT_DOUBLE_EQ(client_konto, vorher + betrag) << "beim Server";

    // The bank's cases: the same answers for the client's club as for the host's.
    ASSERT_TRUE(schreiben(an, {'R'}));
    Satz r;
    ASSERT_TRUE(lesen(von, &r, 60000));
    ASSERT_EQ(r.art, 'R');
    const u32 client_bits = bankfaelle(team);
    EXPECT_EQ(client_bits, static_cast<u32>(r.wert));
    EXPECT_EQ(client_bits, 0b1101u) << "granted: the smallest and the largest credit, an investment covered";
    konten(&server_konto, &client_konto, &kredite);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(team, 0, 0), client_konto);

    ruf::Als_Einzel();
    Verbindung_Stop();
    Test_Programm_Beenden(ordner);
}

}  // namespace
