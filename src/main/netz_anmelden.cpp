// The network's start-up wiring.
#include "main/netz_anmelden.h"

#include <array>
#include <cstdio>

#include "base/globals.h"
#include "base/meldung.h"
#include "base/ruf.h"
#include "platform/mainloop.h"

#include "net/protokoll.h"
#include "net/slots.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/netz.h"
#include "world/team.h"
#include "world/welt.h"
#include "match/netz_rufe.h"
#include "match/spielfeld.h"
#include "matchday/season_netz.h"
#include "matchday/spieltag_netz.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/news.h"
#include "season/season_hooks.h"
#include "gui/hauptmenue.h"
#include "gui/text_cfg.h"
#include "platform/display.h"
#include "platform/window.h"
#include "screens/start/spielstart.h"

namespace {

// The options screen's text that tells a client's manager the server's
// clock ended his turn.
constexpr i32 T_ZUGZEIT_ABGELAUFEN = 34;

// A client's request waits: the blinking network picture, shown at once.
void warteanzeige(int blinken) {
    if (Quit_Status != QUIT_STATUS_LAEUFT) return;
    Menue_Modus_Zeichnen(blinken);
    if (blinken) W32_Present_Now();
}

// The server has gone. In a running game the manager reads why in the
// game's own box, and its OK takes the program back to the start screen;
// before a game runs the program ends with the message as before.
void verbindung_verloren() {
    const bool im_spiel = Kalender_Ist_Initialisiert() && Kalender_Get_Runmodus() != RUNMODUS_WIZARD &&
                          Kalender_Get_Runmodus() != RUNMODUS_NEUES_SPIEL;
    if (!im_spiel) {
        Netz_Verbindung_Verloren_Melden();
        return;
    }
    // Told once: the requests that fail after it come to the same box.
    static bool gemeldet = false;
    if (gemeldet && Menue_Requester_Offen()) return;
    gemeldet = true;
    Spieltag_Client_Server_Weg();
    char text[200];
    std::snprintf(text, sizeof text, "%s Es geht zurück zum Startbildschirm.", NETZ_TEXT_VERLOREN);
    Meldung_Auf_Stderr(text);
    constexpr Requester_Prozedur zum_start = [](i32, const i32*) {
        gemeldet = false;
        Spielstart_Zuruecksetzen();  // the start screen opens anew
        Kalender_Zurueck_Zum_Start();
    };
    Menue_Requester(REQUESTER_OK, Team_Aktiv, text, nullptr, nullptr, zum_start, zum_start);
}

// The club each client slot held at the server's last pass (-1 none).
std::array<i32, VERBINDUNG_CLIENT_SLOTS> gemeldet = [] {
    std::array<i32, VERBINDUNG_CLIENT_SLOTS> a{};
    a.fill(-1);
    return a;
}();

// The club a slot's client manages now: connected, bound and active.
i32 slot_team(const Verbindung_Client_Slot& s) {
    const bool da = s.benutzt && s.verbindung && s.team >= 0 && s.team < Team_Anzahl &&
                    (Team_Daten[s.team].status & TEAM_STATUS_USER_AKTIV);
    return da ? s.team : -1;
}

// True when a slot's client holds the club.
bool von_client(i32 team) {
    for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots)
        if (slot_team(s) == team) return true;
    return false;
}

// Every other manager in the game hears that a client came or went: those
// at the server's machine and the other clients' (through their inbox); the
// client himself is never told of himself.
void melden(i32 team, bool gekommen) {
    const char* manager = Team_Manager[team] ? Team_Manager[team]->daten.name : "";
    char text[200];
    std::snprintf(text, sizeof text, gekommen ? "%s spielt jetzt mit (%s)." : "%s hat das Spiel verlassen (%s).",
                  manager[0] ? manager : "Ein Mitspieler", Team_Fix_Daten[team].name);
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (t != team && Team_Mensch_Spielt(t)) News_Neu_Text(-1, t, -1, NEWS_NACHRICHT, nullptr, text);
}

// The server's pass of normal play: the start teams its clients read change
// with each client that joins or leaves, and the host is told of each.
void startteams_senden() {
    for (int k = 0; k < VERBINDUNG_CLIENT_SLOTS; ++k) {
        const i32 team = slot_team(Verbindung_Client_Slots[k]);
        i32& alt = gemeldet[static_cast<size_t>(k)];
        if (team == alt) continue;
        if (alt >= 0 && alt < Team_Anzahl) {
            // A client gone without its goodbye (its window closed, its line
            // broken) leaves its club as the goodbye does: no longer played
            // at another machine, free for its manager to take again.
            if (!von_client(alt)) Team_Reset_User_Active(alt);
            melden(alt, false);
        }
        if (team >= 0) melden(team, true);
        alt = team;
    }
}

// A client at the end of its wizard and at each day it takes from the
// server: its club's stadium, advertising and bank as the server keeps
// them; the other clubs' managers are not at this machine.
void client_teamdaten_abgleichen() {
    const i32 t = Team_Aktiv;
    if (t < 0 || t >= Team_Anzahl) return;
    Stadion_Internet_Client_Get(t);
    Werbung_Internet_Client_Get(t);
    Bank_Internet_Client_Get_Kredite(t);
    Bank_Internet_Client_Refresh(t);
    Team_Reset_User_Active_Andere();
}

// A client still there whose manager has not ended his turns of today.
bool zug_offen(const Verbindung_Client_Slot& s) {
    return s.benutzt && s.verbindung && s.team >= 0 && s.team < Team_Anzahl &&
           (Team_Daten[s.team].status & TEAM_STATUS_USER_AKTIV) && Season_Netz_Bereit_Tag(s.team) != Kalender_Get_Tag();
}

}  // namespace

// The network: start, frame, block protocol, call lines and the match signal relay.
void Netz_Anmelden() {
    // The block protocol: the server answers its clients' packets; on a
    // client the typed calls go over the wire.
    Netz_Set_Hooks({
        .client_signal = Netz_Client_Signal,
        .server_paket = Netz_Server_Paket,
        .warteanzeige = warteanzeige,
        .verbindung_verloren = verbindung_verloren,
    });
    ruf::Leitung_Setzen([](u16 nummer, const std::vector<u8>& argumente, std::vector<u8>* antwort) {
        return ruf::Client() ? Netz_Leitung(nummer, argumente, antwort)
                             : ruf::Lokale_Leitung(nummer, argumente, antwort);
    });
    // A row runs for the team of the asking client's slot; block 19 binds it.
    ruf::Team_Rahmen_Setzen([](i32 team, bool an) {
        static i32 alt = -1;
        if (an) {
            alt = Aktuelles_Team;
            Aktuelles_Team = team;
        } else {
            Aktuelles_Team = alt;
        }
    });
    Netz_Protokoll_Set_Hooks({
        .eigenes_team = [] { return Team_Aktiv; },
        .team_anzahl = [] { return Team_Anzahl; },
        // The match signal relay: the server merges a client's minute into
        // its pitch and answers; a client takes the answer into its own copy
        // (the runner repairs a mismatch it reports with call 1032).
        .server_signal = [](i32 team, u8* signal,
                            u32 laenge) { Spielfeld_Internet_Server_Read_Signal(signal, laenge, static_cast<u32>(team)); },
        .client_signal =
            [](const u8* signal, u32 laenge) {
                Spielfeld_Internet_Client_Read_Signal(Spielfeld_Zeiger(Spielfeld_Signal_Spiel(signal, laenge)), signal,
                                                      laenge, static_cast<u32>(Team_Aktiv));
            },
    });
    Spielfeld_Netz_Anmelden();
    Netz_Lebenszeichen_Anmelden();
    Welt_Netz_Set_Hooks({
        .slot_anzahl = [] { return static_cast<int>(VERBINDUNG_CLIENT_SLOTS); },
        .slot_team = [](int slot) { return Netz_Slot_Team(slot); },
        .slot_setzen =
            [](int slot, i32 team, const char* name, i32 gesicht) {
                if (!Netz_Slot_Team_Setzen(slot, team)) return false;
                // A user who joins a game set up through the start screen is
                // his club's human manager on the server too (with the name
                // and face he chose), so the club is no longer the computer's.
                if (Spielstart_Beendet && !Team_Hat_Manager(team)) Manager_Neuer_Mitspieler(team, name, gesicht);
                // A word given for this club in an earlier game (the same day
                // number of a new one) must not count for the new client.
                Season_Netz_Bereit_Vergessen(team);
                return true;
            },
        .aktuelle_verbindung = [] { return static_cast<int>(Netz_Aktuelle_Verbindung()); },
    });
    // A server's day goes on once the manager of every client still there
    // has ended his turns of today (call 1029); a client that left holds
    // nothing back.
    Season_Netz_Set_Hooks({
        .Startteams_Senden = startteams_senden,
        .Client_Teamdaten_Abgleichen = client_teamdaten_abgleichen,
        .Clients_Fertig =
            [] {
                for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots)
                    if (zug_offen(s)) return false;
                return true;
            },
        // The turn clock ends the turns of those that have not.
        // The client's manager reads why his turn ended (his inbox shows it
        // on his next turn).
        .Clients_Zug_Beenden =
            [] {
                for (const Verbindung_Client_Slot& s : Verbindung_Client_Slots)
                    if (zug_offen(s)) {
                        Season_Netz_Zug_Beenden(s.team);
                        News_Neu_Text(-1, s.team, -1, NEWS_NACHRICHT, nullptr,
                                      Text_cfg_Text(TEXT_OPTIONEN, T_ZUGZEIT_ABGELAUFEN));
                    }
            },
        // Counted in real time: the clients' managers sit at their own machines.
        .Echtzeit_Ms = W32_Echtzeit_Ms,
    });
}
