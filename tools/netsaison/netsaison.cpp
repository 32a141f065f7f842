// netsaison: a network game of the shipped world, headless, over TCP. One
// process serves the season; clients join, each takes a club by block 19 and
// plays its days by script: after every day it reads the calendar, its club
// and squad, and its league's fixtures from the server and prints a digest of
// that view (with the league table those fixtures give), which the server
// prints for the same day from its own data.
// A client's club plays its matches through the game's matchday runner, in
// lockstep with the server (per-minute signals, a mismatch repaired by
// fetching the whole pitch record).
//
//   netsaison -s PORT [-m CLIENTS] [-c CLUB] [-t DAYS] [-w DAYS] [-a ADDRESS]
//   netsaison -j PORT -c CLUB [-t DAYS] [-f MINUTE] [-x DAY] [-a ADDRESS]
//     -s  serve on the port setting PORT (1..65535; TCP port with its bytes swapped)
//     -j  join the server on PORT
//     -m  clients the server waits for before the first day (1..6; 2)
//     -c  the server's human club (assistant line-up), or the client's club
//     -t  days played together (1..366; 30)
//     -w  days the server plays alone before the clients join (0..300; 34)
//     -f  the client disturbs its copy of its first match in this minute (1..89)
//     -x  from its DAY-th day on the client holds its club and says nothing
//         (1..366), until the server ends the connection
//     -a  address (127.0.0.1)
// Output lines for the comparison: "SICHT <day> <team> <digest>" and
// "ENDSTAND <game> <a>:<b>"; the client also prints "ABWEICHUNG", "REPARIERT",
// and "OFFEN <game>" for a match whose final record did not come. A client
// that loses its server says so ("Die Verbindung zum Server ist
// abgebrochen.") and ends with 1.
// With NETSAISON_TEILE set, the digest after each part is printed too.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "gemeinsam/argumente.h"
#include "main/registrierung.h"
#include "match/spielfeld.h"
#include "matchday/saison.h"
#include "matchday/season_netz.h"
#include "matchday/spieltag.h"
#include "matchday/spieltag_netz.h"
#include "net/netz_start.h"
#include "net/protokoll.h"
#include "net/slots.h"
#include "platform/hooks.h"
#include "platform/mainloop.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/optionen.h"
#include "season/spiele.h"
#include "season/startkonten.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/netz.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/welt_pruefen.h"

namespace {

constexpr const char* NUTZUNG =
    "usage: netsaison -s PORT [-m CLIENTS] [-c CLUB] [-t DAYS] [-w DAYS] [-a ADDRESS]\n"
    "       netsaison -j PORT -c CLUB [-t DAYS] [-f MINUTE] [-x DAY] [-a ADDRESS]\n";
constexpr werkzeug::Aufruf AUFRUF{"netsaison", NUTZUNG};

struct Optionen {
    bool server = false;
    u16 port = 0;
    long long clients = 2, tage = 30, vorlauf = 34, stoerung = 0, stumm_ab = 0;
    std::string club;
    u8 adresse[4] = {127, 0, 0, 1};
};

Optionen lesen(int argc, char** argv) {
    Optionen o;
    bool s = false, j = false;
    werkzeug::Optionen_Lesen(AUFRUF, argc, argv, "sjmctwfxa", [&](char x, auto wert) {
        switch (x) {
            case 's': s = true, o.port = static_cast<u16>(werkzeug::Zahl(AUFRUF, "-s", wert(), 1, 65535)); break;
            case 'j': j = true, o.port = static_cast<u16>(werkzeug::Zahl(AUFRUF, "-j", wert(), 1, 65535)); break;
            case 'm': o.clients = werkzeug::Zahl(AUFRUF, "-m", wert(), 1, VERBINDUNG_CLIENT_SLOTS); break;
            case 'c': o.club = wert(); break;
            case 't': o.tage = werkzeug::Zahl(AUFRUF, "-t", wert(), 1, 366); break;
            case 'w': o.vorlauf = werkzeug::Zahl(AUFRUF, "-w", wert(), 0, 300); break;
            case 'f': o.stoerung = werkzeug::Zahl(AUFRUF, "-f", wert(), 1, 89); break;
            case 'x': o.stumm_ab = werkzeug::Zahl(AUFRUF, "-x", wert(), 1, 366); break;
            case 'a': {
                i32 teile[4];
                const char* text = wert();
                if (!Tools_IP_Parsen(text, teile))
                    werkzeug::Abbruch(AUFRUF, std::string("-a wants an address A.B.C.D, not \"") + text + "\"");
                for (int i = 0; i < 4; i++) o.adresse[i] = static_cast<u8>(teile[i]);
                break;
            }
        }
    });
    if (s == j) werkzeug::Abbruch(AUFRUF, "give exactly one of -s and -j");
    if (j && o.club.empty()) werkzeug::Abbruch(AUFRUF, "a client needs its club (-c)");
    o.server = s;
    return o;
}

[[noreturn]] void fehler(const std::string& text) { werkzeug::Abbruch(AUFRUF, text, 1); }

double jetzt_ms() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

i32 team_von_name(const std::string& n) {
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Cp1252_To_Utf8(Team_Fix_Daten[t].name) == n) return t;
    return -1;
}

// ---------------------------------------------------------------------------
// The view of a club: its records and squad, its league's fixtures and table.

struct Pruefer {
    u32 h = 2166136261u;
    void operator()(const std::vector<u8>& b) {
        for (u8 c : b) h = (h ^ c) * 16777619u;
    }
};

// The league of a team: the first base league it plays in this season.
i32 liga_von(i32 team) {
    for (i32 id = 0; id < WETTBEWERB_ANZAHL; ++id) {
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
        if (!w || !w->name[0] || !Wettbewerb_Ist_Basisliga(id)) continue;
        for (int k = 0; k < w->aktuelle_teams && k < 128; ++k)
            if (w->aktuelle_team[k] == team) return id;
    }
    return -1;
}

u32 sicht(i32 team) {
    Pruefer p;
    const bool teile = std::getenv("NETSAISON_TEILE") != nullptr;
    auto teil = [&](const char* name) {
        if (teile) std::printf("  %s %08x\n", name, p.h);
    };
    p(bytes::bild(&Team_Daten[team], 1));
    teil("team");
    p(bytes::bild(&Team_Own_Daten[team], 1));
    teil("own");
    // The squad by player number (its order is the line-up's business).
    std::vector<i32> kader(Team_Kader(team), Team_Kader(team) + Team_Kader_Anzahl(team));
    std::sort(kader.begin(), kader.end());
    for (i32 s : kader) {
        p(bytes::bild(&s, 1));
        p(bytes::bild(&Spieler_Daten[s], 1));
    }
    teil("kader");
    const i32 liga = liga_von(team);
    std::vector<u8> spiele;
    std::vector<Spiel> gespielt;
    for (u32 md = 0; md < 100 && liga >= 0; ++md) {
        u32 i = 0;
        for (;; ++i) {
            const i32 h = Spiele_Lock(static_cast<u32>(liga), md, 0, i);
            if (!h) break;
            const Spiel* s = Spiele_Get_Spiel(h, false);
            bytes::Schreiber w{spiele};
            w(s->team_a), w(s->team_b), w(s->spieltag), w(s->index), w(s->minute), w(s->tore_a), w(s->tore_b);
            if (s->minute >= 90) gespielt.push_back(*s);
            Spiele_Unlock(h);
        }
        if (i == 0) break;
    }
    p(spiele);
    teil("spiele");
    // The league table from those games: points, goal difference, goals.
    struct Zeile {
        i32 team = 0, spiele = 0, punkte = 0, tore = 0, gegentore = 0;
    };
    std::map<i32, Zeile> zeilen;
    for (const Spiel& s : gespielt) {
        Zeile &a = zeilen[s.team_a], &b = zeilen[s.team_b];
        a.team = s.team_a, b.team = s.team_b;
        a.spiele++, b.spiele++;
        a.tore += s.tore_a, a.gegentore += s.tore_b, b.tore += s.tore_b, b.gegentore += s.tore_a;
        a.punkte += s.tore_a > s.tore_b ? 3 : s.tore_a == s.tore_b ? 1 : 0;
        b.punkte += s.tore_b > s.tore_a ? 3 : s.tore_a == s.tore_b ? 1 : 0;
    }
    std::vector<Zeile> tabelle;
    for (const auto& [t, z] : zeilen) tabelle.push_back(z);
    std::sort(tabelle.begin(), tabelle.end(), [](const Zeile& x, const Zeile& y) {
        return std::tuple(-x.punkte, x.gegentore - x.tore, -x.tore, x.team) <
               std::tuple(-y.punkte, y.gegentore - y.tore, -y.tore, y.team);
    });
    std::vector<u8> b;
    bytes::Schreiber w{b};
    for (const Zeile& z : tabelle) w(z.team), w(z.spiele), w(z.punkte), w(z.tore), w(z.gegentore);
    p(b);
    if (teile && !tabelle.empty())
        std::printf("  erster %s %d Punkte\n", Cp1252_To_Utf8(Team_Fix_Daten[tabelle[0].team].name).c_str(),
                    tabelle[0].punkte);
    teil("tabelle");
    return p.h;
}

// ---------------------------------------------------------------------------
// The shipped world and its first season (the server's, and the client's
// local frame that the server's data fills).

void welt_laden() {
    const char* src = std::getenv("KORDAVO_SOURCE_DIR");
    const std::string daten = std::string(src ? src : ".") + "/data/config";
    // A world that cannot be read whole is refused before anything is played.
    std::string meldung;
    if (!Welt_Ordner_Pruefen(daten, 0, &meldung)) fehler(Cp1252_To_Utf8(meldung));
    if (!Welt_Laden_Ordner(daten.c_str(), 0)) fehler("the world in " + daten + " cannot be read");
    Stadion_Init();
    Bank_Init();
    Rnd_Set_Index(0, 0);
    if (!Wettbewerb_Init() || !Spiele_Init() || !Kalender_Init(nullptr)) fehler("the season cannot start");
    const std::string cfg = daten + "/1_wettbewerb.cfg", alias = daten + "/1_wettbewerb_alias.cfg";
    if (!Wettbewerb_Config_Lesen_Pfad(cfg.c_str(), alias.c_str())) fehler("the competitions cannot be read");
    Wettbewerb_Spielplaene_Erstellen();
    Startkonten_Eroeffnen();
}

void mensch(i32 team, const char* name) {
    if (Team_Hat_Manager(team)) return;
    Manager_Neuer_Mitspieler(team, name, -1);
    // Nobody sits at the screen: the assistant picks the line-up.
    Team_Own_Daten[team].formation = static_cast<i8>(Team_Own_Daten[team].formation | 0x80);
}

void pumpen() {
    Main_Network_Pump();
    if (ruf::Server()) Verbindung_Server_Frame();
    else Verbindung_Client_Frame();
}

// ---------------------------------------------------------------------------
// Server

std::vector<i32> client_teams() {
    std::vector<i32> t;
    for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots)
        if (s.benutzt && s.team >= 0) t.push_back(s.team);
    return t;
}

bool hat_client(i32 team) {
    const std::vector<i32> t = client_teams();
    return std::find(t.begin(), t.end(), team) != t.end();
}

// A club whose client has gone plays on without it.
std::vector<i32> frueher;
// Clients that let a day pass without reading it.
std::vector<i32> stumm;
void verlorene_clients() {
    for (i32 t : frueher)
        if (!hat_client(t) && (Team_Daten[t].status & TEAM_STATUS_USER_AKTIV)) {
            Team_Daten[t].status &= ~TEAM_STATUS_USER_AKTIV;
            Spieltag_Team_Bereit(t, 2);
            std::printf("the client of %s has gone\n", Cp1252_To_Utf8(Team_Fix_Daten[t].name).c_str());
            std::fflush(stdout);
        }
}

// The clients' new clubs are human clubs.
void neue_clients() {
    frueher = client_teams();
    for (i32 t : client_teams())
        if (!Team_Hat_Manager(t)) {
            mensch(t, "Netz");
            std::printf("client club: %s\n", Cp1252_To_Utf8(Team_Fix_Daten[t].name).c_str());
        }
}

// Plays one day; the matches of the clients' clubs in lockstep.
void server_tag(bool mit_clients) {
    Kalender_Runmodus = RUNMODUS_SPIELTAG;
    Kalender_Jeden_Tag();
    Wettbewerb_Jeden_Tag();
    Spieltag_Vorbereiten();
    if (Spieltag_Slots().empty()) return;
    Spieltag_Gruppe_Starten();
    struct Netzspiel {
        u32 spiel;
        double wartet_seit;
        bool allein;
    };
    std::vector<Netzspiel> netz;
    for (long long i = 0; i < 10000000 && Spieltag_Spiele_Offen(); ++i) {
        // The clients' clubs are announced for their matches (a client is
        // there to play; its question for its row takes the announcement
        // back); each kicks off once its client has fetched the pitch.
        for (i32 t : mit_clients ? client_teams() : std::vector<i32>{}) Spieltag_Team_Bereit(t, 1);
        // A client's club plays its match in lockstep with that client.
        for (const Spieltag_Slot& r : Spieltag_Slots()) {
            Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
            if (!mit_clients || !sf || !sf->engine || sf->netz > 1 || sf->ausgewertet ||
                std::any_of(netz.begin(), netz.end(), [&](const Netzspiel& n) { return n.spiel == sf->spiel; }))
                continue;
            // The runner puts a client's club's match into lockstep at its
            // kick-off; one it did not is put there here.
            const bool schon = sf->netz == 1;
            for (int seite = 0; seite < 2 && (schon || !sf->netz); ++seite)
                if (hat_client(static_cast<i32>(sf->team[seite]))) {
                    if (!schon) Spielfeld_Set_Netz(sf, 1, 1 - seite);
                    netz.push_back({sf->spiel, 0, false});
                    std::printf("LOCKSTEP %u %s - %s\n", sf->spiel,
                                Cp1252_To_Utf8(Team_Fix_Daten[sf->team[0]].name).c_str(),
                                Cp1252_To_Utf8(Team_Fix_Daten[sf->team[1]].name).c_str());
                    std::fflush(stdout);
                    break;
                }
        }
        Kalender_Jetzt += 45;
        Spieltag_Run(0);
        pumpen();
        verlorene_clients();
        bool wartet = false;
        for (Netzspiel& n : netz) {
            Spielfeld_Daten* sf = Spielfeld_Zeiger(n.spiel);
            if (!sf || !sf->netz) continue;
            if (!sf->wartet) n.wartet_seit = 0;
            else if (n.wartet_seit == 0) n.wartet_seit = jetzt_ms();
            // A client that went away or stays silent no longer holds its match.
            const bool da = hat_client(static_cast<i32>(sf->team[0])) || hat_client(static_cast<i32>(sf->team[1]));
            if (n.allein) {
                Spielfeld_Netz_Freigeben(sf);  // each new half sets the limit again
            } else if (!da || (n.wartet_seit > 0 && jetzt_ms() - n.wartet_seit > 10000)) {
                std::printf("the match %u goes on without its client\n", n.spiel);
                Spielfeld_Netz_Freigeben(sf);
                n.allein = true;
            }
            wartet = wartet || sf->wartet;
        }
        if (wartet) Verbindung_Warten(1);
    }
    if (Spieltag_Spiele_Offen()) fehler("a matchday did not end");
    for (const Netzspiel& n : netz)
        if (const Spiel* s = Spiele_Get_Spiel(static_cast<i32>(n.spiel), true))
            std::printf("ENDSTAND %u %d:%d\n", n.spiel, s->tore_a, s->tore_b);
}

int server(const Optionen& o) {
    welt_laden();
    Wettbewerb_Jedes_Jahr();
    if (!o.club.empty()) {
        const i32 t = team_von_name(o.club);
        if (t < 0) werkzeug::Abbruch(AUFRUF, "no club is called \"" + o.club + "\"");
        mensch(t, "netsaison");
        std::printf("server club: %s\n", o.club.c_str());
    }
    Option_Wert(OPTION_AUTOSAVE, 1, 0);
    Spieltag_Init();
    for (long long d = 0; d < o.vorlauf; ++d) server_tag(false);

    Internet_Modus = INTERNET_MODUS_SERVER;
    Internet_Listen_Verbindung = Verbindung_Open(VERBINDUNG_SERVER, o.port, o.adresse);
    if (!Internet_Listen_Verbindung) fehler("cannot listen");
    Kalender_Runmodus = RUNMODUS_WARTEN_24;
    std::printf("listening, %s\n", Cp1252_To_Utf8(Kalender_Get_Datum().zahl_text).c_str());
    std::fflush(stdout);
    const double bis = jetzt_ms() + 60000;
    while (static_cast<long long>(client_teams().size()) < o.clients && jetzt_ms() < bis) {
        pumpen();
        Verbindung_Warten(2);
    }
    if (static_cast<long long>(client_teams().size()) < o.clients) fehler("the clients did not come");
    neue_clients();
    const Netz_Statistik start = Netz_Zaehler;
    const u64 block_start = Netz_Zaehler.block_bytes;
    for (long long d = 0; d < o.tage; ++d) {
        server_tag(true);
        Kalender_Runmodus = RUNMODUS_TAGE_LAUFEN;
        const i32 tag = Kalender_Get_Tag();
        for (i32 t : client_teams()) std::printf("SICHT %d %d %08x\n", tag, t, sicht(t));
        std::printf("day %lld: %s\n", d + 1, Cp1252_To_Utf8(Kalender_Get_Datum().zahl_text).c_str());
        std::fflush(stdout);
        // Every client still there has read this day before the next one
        // starts; one that let a day pass unanswered is not waited for again.
        const double warten_bis = jetzt_ms() + 30000;
        for (;;) {
            pumpen();
            verlorene_clients();
            std::vector<i32> t = client_teams();
            std::erase_if(t, [](i32 x) { return std::find(stumm.begin(), stumm.end(), x) != stumm.end(); });
            if (std::all_of(t.begin(), t.end(), [&](i32 x) { return Season_Netz_Bereit_Tag(x) == tag; })) break;
            if (jetzt_ms() > warten_bis) {
                std::printf("day %d: a client did not answer in time\n", tag);
                for (i32 x : t)
                    if (Season_Netz_Bereit_Tag(x) != tag) stumm.push_back(x);
                break;
            }
            Verbindung_Warten(1);
        }
    }
    (void)start;
    std::printf("server: %lld days, %llu block bytes answered (%.0f per day)\n", o.tage,
                static_cast<unsigned long long>(Netz_Zaehler.block_bytes - block_start),
                static_cast<double>(Netz_Zaehler.block_bytes - block_start) / static_cast<double>(o.tage));
    Netz_Verbindungen_Schliessen();
    Spieltag_DeInit();
    return 0;
}

// ---------------------------------------------------------------------------
// Client

bool verloren = false;

// The client's match of the day, played by the matchday runner as the game
// plays it: the row and the pitch come from the server, the copy plays in
// lockstep and ends with the server's final record. The copy of the first
// match may be disturbed in one minute (it then draws from another place
// of the table and runs apart).
void client_spieltag(long long stoerung) {
    static bool gestoert = false;
    Spieltag_Kein_Spiel_Loeschen();
    Spieltag_Client_Zahlen zahlen = Spieltag_Client_Get_Zahlen();
    const double bis = jetzt_ms() + 120000;
    double naechste_frage = jetzt_ms() + 500;
    bool gespielt = false;
    u32 spiel = 0;
    while (!verloren && jetzt_ms() < bis) {
        Kalender_Jetzt = static_cast<u32>(jetzt_ms());
        Spieltag_Run(0);
        const std::vector<Spieltag_Slot>& zeilen = Spieltag_Slots();
        const bool fertig = !zeilen.empty() && zeilen[0].status == ST_FERTIG;
        Spielfeld_Daten* sf = Spieltag_Client_Spielfeld();
        if (sf && !gespielt && !fertig) {
            gespielt = true;
            spiel = sf->spiel;
            std::printf("match %u: minute %d\n", sf->spiel, sf->minute);
        }
        if (sf && gespielt && stoerung && !gestoert && sf->minute == stoerung) {
            gestoert = true;
            sf->zufall = (sf->zufall + 1) % RND_TABELLE_GROESSE;
            std::printf("STOERUNG %u minute %d\n", sf->spiel, sf->minute);
        }
        const Spieltag_Client_Zahlen& neu = Spieltag_Client_Get_Zahlen();
        if (neu.abweichungen != zahlen.abweichungen) std::printf("ABWEICHUNG %u\n", spiel);
        if (neu.reparaturen != zahlen.reparaturen) std::printf("REPARIERT %u minute %d\n", spiel, sf ? sf->minute : -1);
        zahlen = neu;
        if (Spieltag_Kein_Spiel()) return;
        if (gespielt && fertig && sf) {
            // The result as the season books it: a shoot-out's goals count.
            std::printf("ENDSTAND %u %d:%d\n", sf->spiel, sf->tore[0] + sf->seite[0].elfer_tore,
                        sf->tore[1] + sf->seite[1].elfer_tore);
            std::fflush(stdout);
            return;
        }
        pumpen();
        if (!sf || sf->wartet || sf->situation == SIT_HALBZEIT_ENDE) Verbindung_Warten(1);
        if (!sf && jetzt_ms() > naechste_frage) {
            // No copy running: once the server has finished its day, so has the client.
            naechste_frage = jetzt_ms() + 500;
            i32 tag = 0, modus = 0;
            if (Kalender_Internet_Client_Stand(&tag, &modus) && modus != RUNMODUS_SPIELTAG) break;
        }
    }
    // Never a result of the copy's own: without the server's final record
    // the match stays open here.
    if (gespielt) std::printf("OFFEN %u\n", spiel);
    std::fflush(stdout);
}

// Holds the club and the connection, asks nothing; the server's closing
// ends it (at most 360 s).
void stumm_bleiben() {
    std::printf("client goes silent\n");
    std::fflush(stdout);
    const double bis = jetzt_ms() + 360000;
    while (Verbindung_Zustand(Internet_Server_Verbindung) != VERBINDUNG_KAPUTT && jetzt_ms() < bis) {
        Verbindung_Pump();
        Verbindung_Warten(50);
    }
    std::printf("client: the server closed the connection\n");
}

int client(const Optionen& o) {
    welt_laden();
    const i32 team = team_von_name(o.club);
    if (team < 0) werkzeug::Abbruch(AUFRUF, "no club is called \"" + o.club + "\"");
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Netz_Hooks netz = Netz_Get_Hooks();  // the game's entries, with the lost connection noted
    netz.verbindung_verloren = [] {
        if (!verloren) std::fprintf(stderr, "netsaison: %s\n", NETZ_TEXT_VERLOREN);
        verloren = true;
    };
    Netz_Set_Hooks(netz);
    Spieltag_Init();
    const double bis = jetzt_ms() + 60000;
    while (!(Internet_Server_Verbindung = Verbindung_Open(VERBINDUNG_CLIENT, o.port, o.adresse)) && jetzt_ms() < bis)
        Verbindung_Warten(50);
    if (!Internet_Server_Verbindung) fehler("no server");
    // The start blocks, the club taken in the slot the server names.
    std::vector<u8> eintraege(NETZ_STARTTEAMS);
    u32 anzahl = 0;
    if (!Team_Internet_Client_Get_Startinfo() || !Team_Internet_Client_Get_Startteams(eintraege.data(), &anzahl) ||
        anzahl == 0)
        fehler("the server sent no teams");
    const i32 slot = get_i32le(&eintraege[72]);
    Team_Internet_Client_Set_User_Active(slot, team, "netsaison", 0);
    Team_Aktiv = team;
    Netz_Client_Reset();
    std::printf("client club: %s (slot %d)\n", o.club.c_str(), slot);
    std::fflush(stdout);

    i32 gelesen = -1, gespielt = -1;
    long long tage = 0;
    double warten = 0, warten_max = 0;
    const u64 anfang = Netz_Zaehler.gesamt_in + Netz_Zaehler.gesamt_out;
    while (!verloren && tage < o.tage) {
        if (o.stumm_ab && tage + 1 >= o.stumm_ab) {
            stumm_bleiben();
            break;
        }
        i32 tag = 0, modus = 0;
        if (!Kalender_Internet_Client_Stand(&tag, &modus)) break;
        if (modus == RUNMODUS_SPIELTAG && tag != gespielt) {
            client_spieltag(o.stoerung);
            gespielt = tag;
            continue;
        }
        if (modus != RUNMODUS_TAGE_LAUFEN || tag == gelesen) {
            // The server plays its day: asking less often leaves it the time.
            Verbindung_Warten(20);
            continue;
        }
        // The day is over on the server: read it, compare, say ready.
        const double t0 = jetzt_ms();
        Kalender_Internet_Client_Laden();
        Team_Internet_Client_Refresh();
        Team_Internet_Client_Get_Spielerblock(team);
        Spiele_Internet_Client_Reset();
        // A day whose reading lost the connection was read only in part:
        // it is not shown.
        if (verloren) break;
        std::printf("SICHT %d %d %08x\n", tag, team, sicht(team));
        std::fflush(stdout);
        ruf::Rufen(RUF_TEAM_BEREIT, team);
        const double dauer = jetzt_ms() - t0;
        warten += dauer;
        warten_max = std::max(warten_max, dauer);
        gelesen = tag;
        ++tage;
    }
    const u64 bytes_gesamt = Netz_Zaehler.gesamt_in + Netz_Zaehler.gesamt_out - anfang;
    std::printf(
        "client: %lld days, %.0f bytes per day, waiting %.1f ms per day (at most %.1f), %d mismatches, %d "
        "repairs\n",
        tage, tage ? static_cast<double>(bytes_gesamt) / static_cast<double>(tage) : 0.0,
        tage ? warten / static_cast<double>(tage) : 0.0, warten_max, Spieltag_Client_Get_Zahlen().abweichungen,
        Spieltag_Client_Get_Zahlen().reparaturen);
    Netz_Verbindungen_Schliessen();
    Spieltag_DeInit();
    if (o.stumm_ab) return 0;
    return tage == o.tage ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const Optionen o = lesen(argc, argv);
    if (!Verbindung_Start("", 0)) fehler("the network cannot start");
    Main_Registrieren();
    const int r = o.server ? server(o) : client(o);
    Verbindung_Stop();
    return r;
}
