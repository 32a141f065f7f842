// The world's and the news' calls and blocks between two processes: a
// server with the shipped world in a child process, this process as its
// client (two connections, two teams).
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstring>

#include "base/ruf.h"
#include "matchday/season_netz.h"
#include "net/protokoll.h"
#include "client_server.h"
#include "netz_test.h"
#include "welt_verdrahten.h"
#include "season/netz_rufe.h"
#include "season/news.h"
#include "season/rangliste.h"
#include "season/richter.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "welt_test.h"
#include "world/manager.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/bank.h"
#include "world/finanz_zahlen.h"
#include "world/markt.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/stadion_bau.h"
#include "world/werbung.h"

namespace {

// The first two ranked clubs (both ends load the same world).
std::pair<i32, i32> Zwei_Vereine() {
    std::vector<i32> t;
    for (i32 k = 0; k < Team_Anzahl && t.size() < 2; ++k)
        if (Rangliste_Get_Eintrag(k, nullptr)) t.push_back(k);
    return t.size() == 2 ? std::pair{t[0], t[1]} : std::pair{-1, -1};
}

// A won match of the first ranked club over the second counted in the
// ranking, which is sorted.
void Rangliste_Spiel_Werten() {
    const auto [a, b] = Zwei_Vereine();
    Spiel s{};
    s.team_a = static_cast<i16>(a), s.team_b = static_cast<i16>(b), s.tore_a = 3, s.tore_b = 0;
    Rangliste_Nach_Spiel(a, s);
    Rangliste_Nach_Spiel(b, s);
    Rangliste_Sortieren();
}

// The ranking's first places as the ranking screen reads them (order 1:
// total points, order 2: form).
std::vector<i32> Rangliste_Seite(int ordnung) {
    std::vector<i32> teams(20, -1), werte(20, -1);
    Rangliste_Get_Bereich(0, 20, teams.data(), werte.data(), ordnung);
    teams.insert(teams.end(), werte.begin(), werte.end());
    return teams;
}

// The server: serves until its client has gone (at most 60 s).
[[noreturn]] void Server_Laufen(const u8 adresse[4], int bereit) {
    Internet_Modus = INTERNET_MODUS_SERVER;
    // The news of three human clubs, and the season's rows.
    Season_Netz_Anmelden();
    Richter_Netz_Anmelden();
    Rangliste_Anmelden();
    Rangliste_Aufbauen();
    Rangliste_Spiel_Werten();
    for (i32 t : {20, 21, 22}) {
        Manager_Neuer_Mitspieler(t, "Netz", 0);
        Team_Daten[t].status |= TEAM_STATUS_USER;  // clubs of network users
    }
    Team_Daten[20].transfers = 3;
    // The server's game is some months on (a client may join late).
    for (int m = 0; m < 3; ++m) Bank_Neue_Periode();
    Werbung_Init();
    Werbung_Init_Team(20, 1);
    News_Init();
    News_Daten binaer;
    binaer.w[0] = 4;
    News_Neu_Text(0, 20, -1, NEWS_NACHRICHT, nullptr, "an 20");
    News_Neu_Text(0, 20, -1, NEWS_BINAER, &binaer, "a\0b");
    News_Neu_Text(0, 21, -1, NEWS_NACHRICHT, nullptr, "an 21");
    News_Neu_Text(0, -1, -1, NEWS_NACHRICHT, nullptr, "an alle");
    Server_Bedienen(adresse, bereit);
    _exit(0);
}

class Welt_Netz : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Welt_Netz_Anmelden();
        Welt_Netz_Verdrahten();
        Bank_Init();
        ASSERT_TRUE(Bank_Konto_Anlegen(20, 1000000.0, 0));
        ASSERT_TRUE(Bank_Konto_Anlegen(21, 1000000.0, 0));
        Stadion_Init();
        // The competitions (the ranking counts the clubs of the leagues).
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad((welt_quelle() + "/1_wettbewerb.cfg").c_str(),
                                                 (welt_quelle() + "/1_wettbewerb_alias.cfg").c_str()));
        ASSERT_EQ(Verbindung_Start("", 0), 1);
        Client_Mit_Server_Verbinden(4, adresse, server, Server_Laufen);
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
        Welt_Netz_Set_Hooks({});
        News_Free();
        Wettbewerb_Free();
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

// The club screens' steps over the wire: a credit at the bank's rate (1028)
// mirrored with the account's head and credits (1025), building the next
// class (1018), renovating (1019), a new capacity paid on the server (1016),
// and advertising actions (1022) with the record read back (1023); another
// club's steps are refused.
TEST_F(Welt_Netz, TheClubsStepsCrossTheWire) {
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(0, 20, "Netz", 0));
    Team_Aktiv = 20;
    ASSERT_TRUE(Bank_Kredit(-1, 20, 1000000.0f, 24, 0, -1.0f, 0));
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(20), 1);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, 0), 2000000.0);
    EXPECT_FALSE(Bank_Kredit(-1, 21, 1000000.0f, 24, 0, -1.0f, 0)) << "another club";

    ASSERT_TRUE(Stadion_Internet_Client_Get(20));
    Stadion_Daten* s = Stadion_Get(20, 1);
    const Stadion_Daten vorher = *s;
    const Stadion_Bauklasse& k = Stadion_Bauklasse_Holen(s->klasse);
    // The next class costs more than the club can pay: refused, nothing changed.
    ASSERT_GT(Stadion_Bauklasse_Holen(s->klasse + 1).baupreis, 2000000 + 1000000);
    EXPECT_EQ(Stadion_Klasse_Bauen(20), Stadion_Bau::ABGELEHNT);
    EXPECT_EQ(s->klasse, vorher.klasse);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, 0), 2000000.0);
    EXPECT_EQ(Stadion_Renovieren(20, s->komfort + 2), Stadion_Bau::GEBUCHT);
    EXPECT_EQ(s->komfort, vorher.komfort + 2) << "the record read back";
    // Up to a thousand places fewer, within the class's range.
    const i32 weniger = std::min(1000, vorher.kapazitaet - k.von);
    ASSERT_GT(weniger, 0);
    EXPECT_EQ(Stadion_Kapazitaet_Aendern(20, s->kapazitaet - weniger), Stadion_Bau::GEBUCHT);
    EXPECT_EQ(s->kapazitaet, vorher.kapazitaet - weniger);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(20, 0, 0), 2000000.0 - 2.0 * k.punktpreis - weniger * STADION_ABBAU_PRO_PLATZ);
    EXPECT_EQ(Stadion_Renovieren(21, 100), Stadion_Bau::KEIN_STADION) << "another club";

    ASSERT_TRUE(Manager_Neuer_Mitspieler(20, "Netz", 0));  // the client's own manager
    ASSERT_TRUE(Werbung_Internet_Client_Get(20));
    Werbung_Daten* w = Werbung_Get(20);
    ASSERT_TRUE(w);
    w->slot[1].betrag = 0;  // only here: the server's record comes back
    EXPECT_TRUE(Werbung_Banden_Automatik(20, true));
    EXPECT_EQ(w->banden_flag, 1);
    EXPECT_GT(w->slot[1].betrag, 0);
    EXPECT_FALSE(Werbung_Internet_Client_Get(21)) << "a club without record";
    Manager_Loeschen(20);
}

// The texts of the team's items that a fresh client store takes from the server.
std::string Holen(Verbindung* v, i32 team) {
    Internet_Server_Verbindung = v, Team_Aktiv = team;
    News_Init();
    std::string s = News_Internet_Client_Holen(team) ? "" : "-";
    for (i32 i = 0; i < News_Anzahl(); ++i) s += News_Get_Text(i) + "|";
    return s;
}

TEST_F(Welt_Netz, NewsReachOnlyTheirTeamsClientAndBadItemsChangeNothing) {
    Verbindung* a = Internet_Server_Verbindung;
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(0, 20, "A", 0));
    Verbindung* b = Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, INTERNET_PORT, adresse);
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(1, 21, "B", 0));
    EXPECT_EQ(Holen(b, 21), "an 21|an alle|");
    EXPECT_EQ(Holen(a, 20), std::string("an 20|a\0b|an alle|", 18));
    EXPECT_TRUE(News_Internet_Client_Holen(20));
    EXPECT_EQ(News_Anzahl(), 3);  // nothing twice

    // A question to club 21 reaches the server; another sender, a reply in
    // another club's name and a text without its end are refused; a shown
    // item is gone from the server for this club.
    News_Daten d;
    d.w[0] = 5, d.w[1] = 20, d.w[2] = 21, d.w[3] = NEWS_ANGEBOT_FRIST, d.w[4] = 500000, d.w[5] = 8, d.w[6] = 20;
    d.w[9] = -1;
    const u32 frage = News_Neu_Text(20, 21, -1, NEWS_FRAGE, &d, "Kredit?");
    EXPECT_NE(frage, 0u);
    EXPECT_GE(News_Suche_Id(frage), 0);
    EXPECT_EQ(News_Neu_Text(22, 21, -1, NEWS_NACHRICHT, nullptr, "von 22"), 0u);
    d.w[9] = 1;
    EXPECT_EQ(News_Neu_Text(21, 20, -1, NEWS_ANTWORT, &d, "ja"), 0u);
    News_Set(0, 20, 0, NEWS_SETZEN);
    EXPECT_EQ(Holen(a, 20), std::string("a\0b|an alle|Falscher Absender: 22|", 34));
    std::array<u8, 40> kopf{};
    char text[4] = {'o', 'h', 'n', 'e'};
    EXPECT_FALSE(
        Internet_Client_Read(1013, "iiiiiC40C4", 20, 21, -1, 4, Netz_Feld{kopf.data(), 40}, Netz_Feld{text, 4}));
    EXPECT_EQ(Internet_Server_Verbindung, nullptr);  // that client was dropped

    EXPECT_EQ(Holen(b, 21), "an 21|an alle|Kredit?|");
    EXPECT_TRUE(std::get<0>(ruf::Rufen(RUF_NEWS_NEU, std::vector<u32>{}, 20).value()).empty());  // not its team
    EXPECT_EQ(Richter_Internet_Client_Get_Liste(), 0);  // the arbiter's list comes back empty
    EXPECT_TRUE(Rangliste_Internet_Client_Get());       // the ranking, one record a club
}

// The ranking screen of a client shows the server's ranking, not one its
// own machine never counted a match into.
TEST_F(Welt_Netz, AClientsRankingPageEqualsTheServers) {
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(0, 20, "Netz", 0));
    Team_Aktiv = 20;
    Rangliste_Aufbauen();
    Rangliste_Internet_Client_Reset();
    const std::vector<i32> client_gesamt = Rangliste_Seite(1), client_form = Rangliste_Seite(2);
    // The server's steps on this machine give the same pages.
    Verbindung* v = Internet_Server_Verbindung;
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Rangliste_Aufbauen();
    const auto [sieger, verlierer] = Zwei_Vereine();
    ASSERT_GE(verlierer, 0);
    Rangliste_Spiel_Werten();
    EXPECT_EQ(client_gesamt, Rangliste_Seite(1));
    EXPECT_EQ(client_form, Rangliste_Seite(2));
    EXPECT_EQ(client_gesamt[0], sieger);
    EXPECT_GT(client_gesamt[20], 0);
    // The team's own record too (the ranking screen's head line).
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Internet_Server_Verbindung = v;
    Rangliste_Aufbauen();
    Rangliste_Internet_Client_Reset();
    Rangliste_Eintrag e{};
    ASSERT_TRUE(Rangliste_Get_Eintrag(sieger, &e));
    EXPECT_EQ(e.gegner[0], verlierer);
}

// A client's manager moves a substitute into the team and then sells
// another player: the records read back after the sale keep the new line-up.
TEST_F(Welt_Netz, AClientsSaleKeepsItsLineUp) {
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(0, 20, "Netz", 0));
    Team_Aktiv = 20;
    i32 starter = -1, ersatz = -1, verkauf = -1;
    for (int i = 0; i < Team_Kader_Anzahl(20); ++i) {
        const i32 s = Team_Kader(20)[i];
        if (Spieler_Daten[s].slot <= 10 && starter < 0) starter = s;
        else if (Spieler_Daten[s].slot > 10 && ersatz < 0) ersatz = s;
        else if (Spieler_Daten[s].slot > 10) verkauf = s;
    }
    ASSERT_GE(starter, 0);
    ASSERT_GE(ersatz, 0);
    ASSERT_GE(verkauf, 0);
    const u8 slot_starter = Spieler_Daten[starter].slot, slot_ersatz = Spieler_Daten[ersatz].slot;
    Spieler_Tauschen_Intern(starter, ersatz, 20, 20);
    ASSERT_EQ(Spieler_Tauschen(20, Team_Transfermarkt, verkauf, -1, 0), 1);
    ASSERT_TRUE(Transfer_Client_Nachladen(20));
    EXPECT_EQ(Spieler_Get_Team(verkauf), Team_Transfermarkt);
    EXPECT_EQ(Spieler_Daten[ersatz].slot, slot_starter);
    EXPECT_EQ(Spieler_Daten[starter].slot, slot_ersatz);
    EXPECT_TRUE(Spieler_Daten[ersatz].status & SP_STATUS_AUFGESTELLT);
}

// The client's own payments are booked on the server; fetching the
// bookings brings each of them into the client's finance sums, month by
// month as the server has them (the answer carries no count of bookings).
TEST_F(Welt_Netz, AClientsFetchedBookingsAllCountInItsSums) {
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(0, 20, "Netz", 0));
    Team_Aktiv = 20;
    const struct {
        int kategorie;
        f32 betrag;
    } zahlungen[] = {{BANK_STADIONBAU, 12000.0f}, {BANK_TRAINING, 3500.0f}, {BANK_AUSGABE, 777.0f}};
    i64 gezahlt = 0;
    for (const auto& z : zahlungen) {
        ASSERT_EQ(Bank_Buchen(20, -1, z.betrag, z.kategorie, 0, BANK_EURO), 1) << z.kategorie;
        gezahlt += static_cast<i64>(z.betrag);
        ASSERT_TRUE(Bank_Internet_Client_Refresh(20));
        const Finanz_Summen s = Finanz_Summen_Holen(20, 0);
        EXPECT_EQ(s.ausgaben, gezahlt) << "nach der Buchung der Art " << z.kategorie;
    }
}

// A client's payment shows at once in its balance and in its finance rows,
// with no fetch of its own: the booking brings back the server's account.
TEST_F(Welt_Netz, AClientsPaymentShowsAtOnceInItsBalanceAndRows) {
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(0, 20, "Netz", 0));
    Team_Aktiv = 20;
    ASSERT_TRUE(Bank_Internet_Client_Get_Kredite(20));
    ASSERT_TRUE(Bank_Internet_Client_Refresh(20));
    const f64 vorher = Bank_Get_Kontostand(20, 0, 0);
    const Finanz_Summen anfang = Finanz_Summen_Holen(20, 0);
    const struct {
        int kategorie;
        f32 betrag;
        int zeile;
    } zahlungen[] = {{BANK_STADIONBAU, 12000.0f, 6}, {BANK_TRAINING, 3500.0f, 9}, {BANK_TRANSFER_AUSGABE, 4100.0f, 7},
                     {BANK_AUSGABE, 777.0f, 10}};
    i64 gezahlt = 0;
    for (const auto& z : zahlungen) {
        ASSERT_EQ(Bank_Buchen(20, -1, z.betrag, z.kategorie, 0, BANK_EURO), 1) << z.kategorie;
        gezahlt += static_cast<i64>(z.betrag);
        const Finanz_Summen s = Finanz_Summen_Holen(20, 0);
        EXPECT_EQ(s.betrag[z.zeile] - anfang.betrag[z.zeile], static_cast<i64>(z.betrag)) << z.kategorie;
        EXPECT_EQ(s.ausgaben - anfang.ausgaben, gezahlt) << z.kategorie;
        EXPECT_NEAR(Bank_Get_Kontostand(20, 0, 0), vorher - static_cast<f64>(gezahlt), 0.5) << z.kategorie;
    }
}

// A credit the client takes for ten months is listed with ten months left
// on the client, which counts the months as the server does.
TEST_F(Welt_Netz, AClientsCreditHasTheMonthsItWasTakenFor) {
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(0, 20, "Netz", 0));
    Team_Aktiv = 20;
    ASSERT_TRUE(Bank_Kredit(-1, 20, 200000.0f, 10, 0, BANK_ZINS_DER_BANK, 0));
    ASSERT_TRUE(Bank_Internet_Client_Get_Kredite(20));
    ASSERT_TRUE(Bank_Internet_Client_Refresh(20));
    int cursor = 0;
    const Bank_Kredit_Eintrag* e = Bank_Get_Naechster_Kredit(20, &cursor);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->laufzeit, 10);
    EXPECT_EQ(Bank_Kredit_Restmonate(*e), 10);
    EXPECT_EQ(Bank_Get_Periode(), 3);
}

}  // namespace
