// A hostile client against a server process with the shipped world. It
// holds a club, as any player of a network game does, and tries to take what
// is not his: other clubs' players (block 4), their money (call 1026, forged
// replies to the arbiter through call 1013), the transfer market or a
// national team as its club (block 19). The server refuses every attack and,
// once the client has gone and the arbiter has settled, finds every other
// club's squad, records, account and credits byte for byte as they were. A
// paying call of its own sent again and again pays once.
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/ruf.h"
#include "matchday/season_netz.h"
#include "net/protokoll.h"
#include "client_server.h"
#include "netz_test.h"
#include "welt_verdrahten.h"
#include "season/kalender.h"
#include "season/netz_rufe.h"
#include "season/news.h"
#include "season/richter.h"
#include "welt_test.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/markt.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/spieler.h"
#include "world/werbung.h"

namespace {

constexpr i32 BOESE = 20, EHRLICH = 21, COMPUTER = 30;
// The club the server's own manager runs at the server's machine.
constexpr i32 HEIM = 22;

// Everything of every club but the attacker's that an attack could change.
std::vector<u8> Abdruck() {
    std::vector<u8> b;
    bytes::Schreiber w{b};
    for (i32 t = 0; t < Team_Anzahl; ++t) {
        if (t == BOESE) continue;
        w(t), w(Team_Daten[t]), w(Team_Own_Daten[t]);
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
            const i32 s = Team_Kader(t)[i];
            w(s), w(Spieler_Daten[s]);
        }
        if (const Bank_Konto* k = Bank_Get_Konto(t)) w(*k);
        int cursor = 0;
        while (const Bank_Kredit_Eintrag* e = Bank_Get_Naechster_Kredit(t, &cursor)) w(*e);
    }
    return b;
}

// The server: serves until its client has gone (at most 60 s), lets the
// arbiter settle, and ends with 0 when no other club changed, 3 otherwise.
[[noreturn]] void Server_Laufen(const u8 adresse[4], int bereit) {
    Internet_Modus = INTERNET_MODUS_SERVER;
    Season_Netz_Anmelden();
    Richter_Netz_Anmelden();
    Kalender_Init(nullptr);
    for (i32 t : {BOESE, EHRLICH, HEIM}) Manager_Neuer_Mitspieler(t, "Netz", 0);
    // The two clients' clubs are network users' (they joined before); the
    // server's own club is not.
    for (i32 t : {BOESE, EHRLICH}) Team_Daten[t].status |= TEAM_STATUS_USER;
    for (i32 t : {BOESE, EHRLICH, COMPUTER}) Team_Daten[t].transfers = 3;
    News_Init();
    const std::vector<u8> vorher = Abdruck();
    Server_Bedienen(adresse, bereit);
    Richter_Jeden_Tag();
    // Whatever a client sent of its own, the server's save game loads again:
    // every manager's record within what a load accepts.
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Team_Manager[t] && Manager_Werte_Pruefen(*Team_Manager[t]) >= 0) {
            std::fprintf(stderr, "Server: Manager von Team %d laedt nicht mehr\n", t);
            _exit(4);
        }
    const std::vector<u8> nachher = Abdruck();
    if (nachher != vorher) {
        const auto stelle = std::mismatch(vorher.begin(), vorher.end(), nachher.begin(), nachher.end());
        std::fprintf(stderr, "Server: fremde Daten verändert ab Byte %zd\n", stelle.first - vorher.begin());
        _exit(3);
    }
    _exit(0);
}

class Angriff : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
        Welt_Netz_Anmelden();
        Welt_Netz_Verdrahten();
        Bank_Init();
        for (i32 t : {BOESE, EHRLICH, COMPUTER}) ASSERT_TRUE(Bank_Konto_Anlegen(t, 5000000.0, 0));
        Werbung_Init();
        ASSERT_TRUE(Werbung_Init_Team(BOESE, 1));
        ASSERT_EQ(Verbindung_Start("", 0), 1);
        Client_Mit_Server_Verbinden(5, adresse, server, Server_Laufen);
    }
    void TearDown() override {
        ruf::Leitung_Setzen(nullptr);
        Netz_Protokoll_Set_Hooks({});
        Verbindung_Close(Internet_Server_Verbindung);
        Internet_Server_Verbindung = nullptr;
        Verbindung_Stop();
        Netz_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Welt_Netz_Set_Hooks({});
        News_Free();
        Werbung_Free();
        Bank_Free();
        Welt_Freigeben();
    }
    // The server's verdict once the client has gone: 0 when nothing of
    // another club changed.
    int Server_Urteil() {
        Verbindung_Close(Internet_Server_Verbindung);
        Internet_Server_Verbindung = nullptr;
        int status = 0;
        for (int k = 0; k < 1000 && waitpid(server, &status, WNOHANG) == 0; k++) usleep(10000);
        if (waitpid(server, &status, WNOHANG) == 0) {
            kill(server, SIGKILL);
            waitpid(server, &status, 0);
            server = -1;
            return -1;
        }
        server = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    }
    pid_t server = -1;
    u8 adresse[4];
};

// A player of the market the attacker does not have, and one of a club.
i32 Marktspieler() {
    for (int i = 0; i < Team_Kader_Anzahl(Team_Transfermarkt); i++) {
        const i32 s = Team_Kader(Team_Transfermarkt)[i];
        if (!(Spieler_Daten[s].status & SP_STATUS_SCOUT)) return s;
    }
    return -1;
}

i32 Nationalteam() {
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Team_Daten[t].art & TEAM_ART_NATIONALTEAM) return t;
    return -1;
}

News_Daten Anfrage(std::initializer_list<i32> w) {
    News_Daten d;
    std::fill(d.w, d.w + 10, 0);
    std::copy(w.begin(), w.end(), d.w);
    return d;
}

// The attacker's client takes its club (block 19); the slot it was given.
i32 Club_Nehmen() {
    if (!Team_Internet_Client_Get_Startinfo()) return -1;
    std::vector<u8> eintraege(NETZ_STARTTEAMS);
    u32 anzahl = 0;
    if (!Team_Internet_Client_Get_Startteams(eintraege.data(), &anzahl)) return -1;
    return get_i32le(&eintraege[72]);
}

TEST_F(Angriff, AClientWithAClubTakesNothingOfAnotherClub) {
    std::vector<u8> eintraege(NETZ_STARTTEAMS);
    u32 anzahl = 0;
    const i32 slot = Club_Nehmen();
    ASSERT_GE(slot, 0);

    // Block 19: neither the transfer market nor a national team is a club to
    // take, nor the club the server's own manager runs.
    const i32 national = Nationalteam();
    ASSERT_GE(national, 0);
    for (i32 t : {Team_Transfermarkt, national, HEIM}) {
        ASSERT_TRUE(Team_Internet_Client_Set_User_Active(slot, t, "Boese", 0));
        ASSERT_TRUE(Team_Internet_Client_Get_Startteams(eintraege.data(), &anzahl));
        EXPECT_EQ(get_i32le(&eintraege[STARTTEAM_GROESSE * t + 68]), -1) << "team " << t;
    }
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(slot, BOESE, "Boese", 0));
    Team_Aktiv = BOESE;
    ASSERT_TRUE(Team_Internet_Client_Get_Startteams(eintraege.data(), &anzahl));
    EXPECT_EQ(get_i32le(&eintraege[STARTTEAM_GROESSE * BOESE + 68]), slot);

    // Block 4: exchanges a client's screens never make.
    const i32 mein = Team_Kader(BOESE)[0], fremd = Team_Kader(EHRLICH)[0], computer = Team_Kader(COMPUTER)[0];
    const i32 markt = Marktspieler();
    ASSERT_GE(markt, 0);
    const struct {
        const char* was;
        i32 ta, tb, sa, sb, preis;
    } tausch[] = {
        {"a computer club gives a player for nothing", COMPUTER, BOESE, computer, mein, 0},
        {"the honest club pays 2,000,000 for a player", EHRLICH, BOESE, fremd, mein, 2000000},
        {"with another club, not the market", BOESE, COMPUTER, mein, computer, 0},
        {"another club's player sold to the market", BOESE, Team_Transfermarkt, fremd, -1, 0},
        {"a market player for nothing", BOESE, Team_Transfermarkt, mein, markt, 0},
        {"a market player for 1", BOESE, Team_Transfermarkt, mein, markt, 1},
        {"a market player far above his asking price", BOESE, Team_Transfermarkt, mein, markt, 2000000000},
        {"a sale with a price", BOESE, Team_Transfermarkt, mein, -1, 5000000},
        {"the market as the buyer", Team_Transfermarkt, BOESE, markt, mein, 0},
    };
    for (const auto& t : tausch)
        EXPECT_EQ(ruf::Rufen(RUF_SPIELER_TAUSCH, t.ta, t.tb, t.sa, t.sb, t.preis).value_or(9), 0u) << t.was;

    // Call 1026: payments to another club, from another club, forced past the
    // credit line, from nobody, replayed; only its own payment to nobody.
    const struct {
        const char* was;
        i32 zahler, empfaenger, betrag, kategorie, erzwingen;
    } buchung[] = {
        {"to the honest club", BOESE, EHRLICH, 1000000, 22, 0},
        {"from the honest club", EHRLICH, BOESE, 1000000, 22, 0},
        {"from a computer club", COMPUTER, -1, 1000000, 27, 0},
        {"from nobody to itself", -1, BOESE, 1000000, 40, 1},
        {"forced past its credit line", BOESE, -1, 900000000, 27, 1},
        {"transfer proceeds", BOESE, -1, 1000, 30, 0},
    };
    for (const auto& b : buchung)
        EXPECT_EQ(Bank_Buchen(b.zahler, b.empfaenger, static_cast<f32>(b.betrag), b.kategorie, b.erzwingen, -1), 0)
            << b.was;
    for (int k = 0; k < 10; ++k) EXPECT_EQ(Bank_Buchen(BOESE, EHRLICH, 100000.0f, 31, 0, -1), 0) << "replay " << k;
    EXPECT_EQ(Bank_Buchen(BOESE, -1, 5000.0f, 27, 0, -1), 1) << "a training of its own";

    // Call 1013: questions in another club's name or to itself are refused;
    // forged replies to requests nobody made reach the arbiter and are dropped.
    const i32 frist = Kalender_Get_Tag() + NEWS_ANGEBOT_FRIST;
    const News_Daten kredit_fuer_ehrlich = Anfrage({ANFRAGE_KREDIT, EHRLICH, BOESE, frist, 1000000, 100, 50, 0, 0, -1});
    const News_Daten kredit_an_sich = Anfrage({ANFRAGE_KREDIT, BOESE, BOESE, frist, 1000000, 0, 1, 0, 0, -1});
    const News_Daten ereignis = Anfrage({ANFRAGE_EREIGNIS, BOESE, mein, frist, 0, 0, 0, 0, 0, -1});
    EXPECT_EQ(News_Neu_Text(BOESE, BOESE, -1, NEWS_FRAGE, &kredit_fuer_ehrlich, "?"), 0u);
    EXPECT_EQ(News_Neu_Text(BOESE, BOESE, -1, NEWS_FRAGE, &kredit_an_sich, "?"), 0u);
    EXPECT_EQ(News_Neu_Text(BOESE, BOESE, -1, NEWS_FRAGE, &ereignis, "?"), 0u);
    News_Daten vertrag = Anfrage({ANFRAGE_VERTRAG, EHRLICH, BOESE, frist, 1500000, 0, 0, mein, fremd, 1});
    News_Daten kredit = kredit_fuer_ehrlich;
    kredit.w[ANFRAGE_ANTWORT] = 1;
    for (const News_Daten* d : {&vertrag, &kredit})
        EXPECT_NE(News_Neu_Text(BOESE, EHRLICH, -1, NEWS_ANTWORT, d, "ja"), 0u);
    // A reply whose words the game cannot write (a credit at 0 %) stays out
    // of the server's store, so its save game loads again.
    News_Daten kredit_null = kredit;
    kredit_null.w[ANFRAGE_ZINS] = 0;
    EXPECT_EQ(News_Neu_Text(BOESE, EHRLICH, -1, NEWS_ANTWORT, &kredit_null, "ja"), 0u);

    EXPECT_EQ(Server_Urteil(), 0);
}

// Each paying call of its own club sent five times, as a replaying client
// would: the scout's search (1047), a negotiation's start (1046), a sponsor
// search (1022) and a booking (1026) each with the same request. The server
// carries each out once: one fee, one transfer, one booking.
TEST_F(Angriff, ARepeatedPayingCallPaysOnce) {
    const i32 slot = Club_Nehmen();
    ASSERT_GE(slot, 0);
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(slot, BOESE, "Boese", 0));
    Team_Aktiv = BOESE;
    ASSERT_TRUE(Bank_Internet_Client_Get_Kredite(BOESE));
    const auto werbung = ruf::Rufen(RUF_WERBUNG_DATEN, BOESE);
    ASSERT_TRUE(werbung && std::get<0>(*werbung) == 1);
    const f64 vorher = Bank_Get_Kontostand(BOESE, 0, -1);
    const i32 scout = 1, gebiet = 2, markt = Marktspieler();
    ASSERT_GE(markt, 0);
    const f64 scout_gebuehr = Scout_Gebuehr(scout, BOESE, gebiet);
    const f64 such_gebuehr = Werbung_Einstellung.suchpreis +
                             static_cast<f64>(Werbung_Einstellung.suchpreis_add) * std::get<1>(*werbung).zaehler[1];
    ASSERT_GT(scout_gebuehr, 0);
    ASSERT_GT(such_gebuehr, 0);
    const u32 suche = ruf::Anfrage_Nummer(), buchung = ruf::Anfrage_Nummer();
    std::vector<i32> antworten;
    for (int k = 0; k < 5; ++k) {
        antworten.push_back(ruf::Rufen(RUF_SCOUT_BEZAHLEN, BOESE, scout, gebiet).value_or(9));
        antworten.push_back(ruf::Rufen(RUF_TRANSFER_VERHANDLUNG, BOESE, markt).value_or(9));
        antworten.push_back(
            ruf::Rufen(RUF_WERBUNG_SETZEN, BOESE, i32{WERBUNG_AKTION_SUCHEN}, 0, static_cast<i32>(suche)).value_or(9));
        antworten.push_back(ruf::Rufen(RUF_BANK_BUCHUNG, BOESE, -1, 5000, 27, 0, 0, buchung).value_or(9));
    }
    // The search stays paid, the negotiation open with two transfers left;
    // the sponsor search and the booking are carried out the first time only.
    EXPECT_EQ(antworten, (std::vector<i32>{1, 2, 1, 1, 1, 2, 0, 0, 1, 2, 0, 0, 1, 2, 0, 0, 1, 2, 0, 0}));
    ASSERT_TRUE(Bank_Internet_Client_Get_Kredite(BOESE));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(BOESE, 0, -1), vorher - scout_gebuehr - such_gebuehr - 5000.0);
    ASSERT_TRUE(Team_Internet_Client_Refresh());
    EXPECT_EQ(Team_Daten[BOESE].transfers, 2);
    EXPECT_EQ(Server_Urteil(), 0);
}

// A captured booking replayed after 300 others, and a number below the
// club's last that was never used, book nothing; a client that starts its
// numbering anew (a new process, a reconnect) goes on above the server's.
TEST_F(Angriff, ARequestReplayedAfterManyOthersBooksNothing) {
    const i32 slot = Club_Nehmen();
    ASSERT_GE(slot, 0);
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(slot, BOESE, "Boese", 0));
    Team_Aktiv = BOESE;
    ASSERT_TRUE(Bank_Internet_Client_Get_Kredite(BOESE));
    const f64 vorher = Bank_Get_Kontostand(BOESE, 0, -1);
    const u32 erste = Welt_Anfrage_Nummer();
    ASSERT_EQ(ruf::Rufen(RUF_BANK_BUCHUNG, BOESE, -1, 1000, 27, 0, 0, erste).value_or(9), 1);
    const u32 ausgelassen = ruf::Anfrage_Nummer();
    for (int k = 0; k < 300; ++k)
        ASSERT_EQ(ruf::Rufen(RUF_BANK_BUCHUNG, BOESE, -1, 1, 27, 0, 0, ruf::Anfrage_Nummer()).value_or(9), 1) << k;
    const struct {
        const char* was;
        u32 nummer;
    } alt[] = {{"the first request again", erste}, {"a skipped lower number", ausgelassen}, {"zero", 0}};
    for (const auto& a : alt)
        EXPECT_EQ(ruf::Rufen(RUF_BANK_BUCHUNG, BOESE, -1, 1000, 27, 0, 0, a.nummer).value_or(9), 0) << a.was;
    ruf::Anfrage_Ab(0);
    const u32 neu = Welt_Anfrage_Nummer();
    EXPECT_GT(neu, erste + 300);
    EXPECT_EQ(ruf::Rufen(RUF_BANK_BUCHUNG, BOESE, -1, 7, 27, 0, 0, neu).value_or(9), 1);
    ASSERT_TRUE(Bank_Internet_Client_Get_Kredite(BOESE));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(BOESE, 0, -1), vorher - 1000.0 - 300.0 - 7.0);
    EXPECT_EQ(Server_Urteil(), 0);
}

// Block 33 sends the client's own manager back: a face or a menu choice no
// load accepts would leave the server with a save game that no longer
// loads. Such a record is refused whole; a sound one is taken.
TEST_F(Angriff, AClientsManagerRecordKeepsTheSaveGameLoadable) {
    const i32 slot = Club_Nehmen();
    ASSERT_GE(slot, 0);
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(slot, BOESE, "Boese", 0));
    Team_Aktiv = BOESE;
    const auto vorher = ruf::Rufen(RUF_MANAGER_DATEN);
    ASSERT_TRUE(vorher);
    EXPECT_EQ(vorher->daten.team, BOESE);
    Manager_Teil gut = *vorher;
    gut.daten.gesicht = 7;
    const struct {
        const char* was;
        i32 gesicht;
        u32 knopf, eintrag;
    } falsch[] = {
        {"a face beyond the pictures", 5000, 0, 0},
        {"a negative face", -3, 0, 0},
        {"a menu button that is not there", 7, 99, 0},
        {"a menu entry that is not there", 7, 0, 6},
    };
    ASSERT_TRUE(ruf::Rufen(RUF_MANAGER_ZURUECK, gut));
    for (const auto& f : falsch) {
        Manager_Teil m = gut;
        m.daten.gesicht = f.gesicht;
        m.menue_wahl[0] = f.knopf, m.menue_wahl[1] = f.eintrag;
        std::snprintf(m.daten.name, sizeof m.daten.name, "%s", "Falsch");
        ASSERT_TRUE(ruf::Rufen(RUF_MANAGER_ZURUECK, m)) << f.was;
        const auto jetzt = ruf::Rufen(RUF_MANAGER_DATEN);
        ASSERT_TRUE(jetzt) << f.was;
        EXPECT_EQ(jetzt->daten.gesicht, 7) << f.was;
        EXPECT_STRNE(jetzt->daten.name, "Falsch") << f.was;
        EXPECT_EQ(jetzt->menue_wahl[0], gut.menue_wahl[0]) << f.was;
    }
    EXPECT_EQ(Server_Urteil(), 0);
}

// Numbers no screen sends: every row asked with teams, players, matches,
// pages and sums out of range (negative, the count itself, the largest).
// The server answers or refuses each and stays up; the attacker's own
// money stays where it was and no other club changes.
TEST_F(Angriff, OutOfRangeNumbersAreRefused) {
    const i32 slot = Club_Nehmen();
    ASSERT_GE(slot, 0);
    ASSERT_TRUE(Team_Internet_Client_Set_User_Active(slot, BOESE, "Boese", 0));
    Team_Aktiv = BOESE;
    ASSERT_TRUE(Bank_Internet_Client_Get_Kredite(BOESE));
    const f64 vorher = Bank_Get_Kontostand(BOESE, 0, -1);
    const i32 ganz_gross = std::numeric_limits<i32>::max(), ganz_klein = std::numeric_limits<i32>::min();
    const std::vector<i32> zahlen = {-1, -2, ganz_klein, ganz_gross, Team_Anzahl, Spieler_Anzahl, 1 << 20};
    for (i32 z : zahlen) {
        const u32 u = static_cast<u32>(z);
        SCOPED_TRACE(z);
        EXPECT_TRUE(ruf::Rufen(RUF_SPIELER_DATEN, 3, z, -1));
        EXPECT_TRUE(ruf::Rufen(RUF_SPIELER_DATEN, z, -1, z));
        EXPECT_TRUE(ruf::Rufen(RUF_TEAM_OWN, z));
        EXPECT_TRUE(ruf::Rufen(RUF_TEAM_SPIELERBLOCK, z, z));
        EXPECT_TRUE(ruf::Rufen(RUF_TEAM_T, z));
        EXPECT_TRUE(ruf::Rufen(RUF_TEAM_T_FIX, z));
        EXPECT_TRUE(ruf::Rufen(RUF_MANAGER_STARTINFO_2, z));
        EXPECT_TRUE(ruf::Rufen(RUF_STADION_LISTE, z));
        (void)ruf::Rufen(RUF_STADION_KAPAZITAET, z);  // the client's line may refuse to ask it
        EXPECT_TRUE(ruf::Rufen(RUF_WERBUNG_DATEN, z));
        EXPECT_TRUE(ruf::Rufen(RUF_BANKDATEN, z));
        EXPECT_TRUE(ruf::Rufen(RUF_BANK_BUCHUNGEN, z));
        EXPECT_TRUE(ruf::Rufen(RUF_BANK_KREDITE, z));
        EXPECT_TRUE(ruf::Rufen(RUF_SPIELE_SEITE, u, u, u, u));
        (void)ruf::Rufen(RUF_SPIELE_EREIGNISSE, u, u);  // the client's line may refuse to ask it
        EXPECT_TRUE(ruf::Rufen(RUF_SPIELE_TORE, u, u, u, z));
        EXPECT_TRUE(ruf::Rufen(RUF_SPIELE_SIEGER, z, z));
        EXPECT_TRUE(ruf::Rufen(RUF_SPIELE_SERIEN, z, z, z));
        (void)ruf::Rufen(RUF_SPIELE_GEGEN, z, z, z, z);  // the client's line may refuse to ask it
        EXPECT_TRUE(ruf::Rufen(RUF_SPIELE_STATISTIK, z, z, z, z, z, z, z));
        EXPECT_TRUE(ruf::Rufen(RUF_WETTBEWERB_EREIGNISSE, u));
        EXPECT_TRUE(ruf::Rufen(RUF_STATISTIK_ARCHIV, z, z, z));
        (void)ruf::Rufen(RUF_STATISTIK_ARCHIV_TEAM, z, z);  // the client's line may refuse to ask it
        EXPECT_TRUE(ruf::Rufen(RUF_NEWS_NEU, std::vector<u32>{u, u}, z));
        EXPECT_TRUE(ruf::Rufen(RUF_NEWS_SETZEN, z, z, z, z));
        EXPECT_TRUE(ruf::Rufen(RUF_KALENDER_BEFEHL, 2, z));
        // Its own club's dealings with numbers out of range: nothing is paid.
        EXPECT_NE(ruf::Rufen(RUF_STADION_NEUBAU, BOESE, z).value_or(0), 0);
        EXPECT_TRUE(ruf::Rufen(RUF_STADION_RENOVIERUNG, BOESE, z));
        EXPECT_EQ(ruf::Rufen(RUF_SCOUT_BEZAHLEN, BOESE, z, z).value_or(9), 0);
        EXPECT_EQ(ruf::Rufen(RUF_SCOUT_VERPFLICHTEN, BOESE, z, z).value_or(9), 0);
        EXPECT_TRUE(ruf::Rufen(RUF_WERBUNG_SETZEN, BOESE, z, z, static_cast<i32>(ruf::Anfrage_Nummer())));
        if (z >= 0 && z < (1 << 30)) continue;  // a player of the world, a sum a club may pay
        EXPECT_EQ(ruf::Rufen(RUF_TRANSFER_VERHANDLUNG, BOESE, z).value_or(9), -1);
        EXPECT_TRUE(ruf::Rufen(RUF_STADION_SETZEN, BOESE, z, z, z, z));
        EXPECT_EQ(ruf::Rufen(RUF_BANK_BUCHUNG, BOESE, -1, z, 27, 0, 0, ruf::Anfrage_Nummer()).value_or(9), 0);
        EXPECT_EQ(ruf::Rufen(RUF_BANK_KREDIT, BOESE, -1, static_cast<f32>(z), z, u8{0}, -1.0f, ruf::Anfrage_Nummer())
                      .value_or(9),
                  0);
    }
    ASSERT_TRUE(Bank_Internet_Client_Get_Kredite(BOESE));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(BOESE, 0, -1), vorher);
    EXPECT_EQ(Server_Urteil(), 0);
}

}  // namespace
