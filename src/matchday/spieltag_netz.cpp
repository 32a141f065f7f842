// The matchday in a network game.
#include "matchday/spieltag_netz.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "match/spielfeld.h"
#include "matchday/season_netz.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "world/modi.h"
#include "world/netz.h"
#include "world/welt.h"

namespace {

constexpr u32 ABRUF_ABSTAND_MS = 400;
// A copy held at its limit this long in real time asks for the server's
// record (an answer may have been lost). Not sooner: the record jumps the
// copy to the server's minute, up to two minutes the player never sees, and
// a busy server's answers take a few of its frames. Real time, as the
// server's frames come at their own pace: this machine's frame clock may run
// far ahead of the wall's (frames not drawn in fast play at a fixed step).
constexpr u32 WARTEN_MAX_MS = 3000;
constexpr i32 TEAM_STATUS_BEREIT = 2048;

// A question to the server asked at most once per ABRUF_ABSTAND_MS (the
// first time at once).
struct Abruf {
    bool gefragt = false;
    u32 zuletzt = 0;
    bool faellig() {
        if (gefragt && Kalender_Jetzt - zuletzt <= ABRUF_ABSTAND_MS) return false;
        gefragt = true;
        zuletzt = Kalender_Jetzt;
        return true;
    }
};

struct Client_Zustand {
    bool kein_spiel = false;
    bool server_weg = false;
    Abruf zeile;
    // The row taken from the server: its local lock and the server's game.
    i32 lokal = 0;
    u32 server_spiel = 0;
    Abruf feld;
    u32 wartet_seit = 0;
    bool wartet = false;
    Spieltag_Client_Zahlen zahlen;
};
Client_Zustand client;

const Spiel* spiel_von(const Spieltag_Slot& r) { return r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr; }

// The side (0 home, 1 away) of the team in the row, -1 when it does not play.
int seite_von(const Spieltag_Slot& r, i32 team) {
    const Spiel* s = spiel_von(r);
    if (!s || team <= 0) return -1;
    return s->team_a == team ? 0 : s->team_b == team ? 1 : -1;
}

}  // namespace

Spieltag_Slot_Antwort Spieltag_Internet_Server_Send_Slot(i32 team) {
    Spieltag_Slot_Antwort a;
    std::memset(&a.zeile, 0xFF, sizeof a.zeile);
    if (team == 0) {
        a.wettbewerb = -2;
        return a;
    }
    if (team != Aktuelles_Team || !Spieltag_Initialisiert()) return a;
    // A question during the turn takes an earlier readiness back; once the
    // team's turns of today are over (call 1029) it stays ready.
    if (Season_Netz_Bereit_Tag(team) != Kalender_Get_Tag()) Spieltag_Internet_Bereit_Zuruecknehmen(team);
    for (const Spieltag_Slot& r : Spieltag_Slots()) {
        const Spiel* s = spiel_von(r);
        if (!s || seite_von(r, team) < 0) continue;
        if (s->tore_a >= 0 && (r.status == ST_BEENDET || r.status == ST_FERTIG)) continue;
        a.zeile = r;
        a.wettbewerb = s->wettbewerb;
        a.spieltag = s->spieltag;
        a.runde = s->runde;
        a.index = s->index;
    }
    return a;
}

// KEIN_AUFRUFER: one of the module's named procedures; the game itself has no call for it.
void Spieltag_Internet_Server_Team_Bereit(i32 team) {
    for (Spieltag_Slot& r : Spieltag_Slots_Bearbeiten()) {
        const int seite = seite_von(r, team);
        if (seite < 0) continue;
        r.bereit[seite] = std::max<i8>(r.bereit[seite], 1);
        Team_Wert(TEAM_WERT_STATUS, team, TEAM_STATUS_BEREIT, OP_BITS_SETZEN);
    }
}

void Spieltag_Internet_Bereit_Zuruecknehmen(i32 team) {
    for (Spieltag_Slot& r : Spieltag_Slots_Bearbeiten()) {
        const int seite = seite_von(r, team);
        if (seite < 0 || r.bereit[seite] != 1) continue;
        r.bereit[seite] = 0;
        Team_Wert(TEAM_WERT_STATUS, team, TEAM_STATUS_BEREIT, OP_BITS_LOESCHEN);
    }
}

void Spieltag_Internet_Client_Zug_Ende(i32 team) {
    if (!ruf::Client()) return;
    if (!Internet_Client_Send_Data_Back()) Debug_Printf("Spieltag_Internet_Client_Zug_Ende: Daten nicht zurueckgeschickt\n");
    Spieltag_Internet_Client_Bereit(team);
}

void Spieltag_Internet_Client_Bereit(i32 team) {
    if (ruf::Client() && team != 0) ruf::Rufen(RUF_TEAM_BEREIT, team);
}

void Spieltag_Internet_Client_Hole_Slot(i32 team) {
    if (!ruf::Client() || team != Team_Aktiv || client.kein_spiel) return;
    const std::optional<Spieltag_Slot_Antwort> a = ruf::Rufen(RUF_SPIELTAG_SLOT, team);
    // No answer: the rows stay as they are and the next pass asks again.
    if (!a || a->wettbewerb == -2) return;
    std::vector<Spieltag_Slot>& zeilen = Spieltag_Slots_Bearbeiten();
    // The rows of before go, with the local pitch records of their matches.
    for (const Spieltag_Slot& r : zeilen) {
        if (r.spiel <= 0) continue;
        if (const Spiel* s = spiel_von(r); s && Spielfeld_Zeiger(Spieltag_Spielfeld_Nummer(r)))
            Spielfeld_Loeschen(s->wettbewerb);
        Spiele_Unlock(r.spiel);
    }
    zeilen.clear();
    client.lokal = 0;
    if (a->wettbewerb < 0) {
        client.kein_spiel = true;
        return;
    }
    const i32 h = Spiele_Lock(static_cast<u32>(a->wettbewerb), static_cast<u32>(a->spieltag),
                              static_cast<u32>(a->runde), static_cast<u32>(a->index));
    if (h <= 0) return;
    Spieltag_Slot r = a->zeile;
    client.server_spiel = static_cast<u32>(static_cast<u16>(a->zeile.spiel));
    client.lokal = h;
    client.feld = {};
    r.spiel = static_cast<i16>(h);
    zeilen.push_back(r);
}

bool Spieltag_Internet_Client_Slot_Aktualisieren(i32 team) {
    client.kein_spiel = false;
    Spieltag_Internet_Bereit_Zuruecknehmen(team);
    Spieltag_Internet_Client_Hole_Slot(team);
    Spieltag_Internet_Bereit_Zuruecknehmen(team);
    return false;
}

void Spieltag_Netz_Zuruecksetzen() {
    const Spieltag_Client_Zahlen zahlen = client.zahlen;
    client = Client_Zustand{};
    client.zahlen = zahlen;
}
void Spieltag_Client_Server_Weg() { client.server_weg = true; }
bool Spieltag_Kein_Spiel() { return client.kein_spiel; }
void Spieltag_Kein_Spiel_Loeschen() { client.kein_spiel = false; }

void Spieltag_Client_Verfolgen() {
    if (!ruf::Client() || client.kein_spiel || client.server_weg) return;
    // While a match runs its pitch record leads; otherwise the server's row.
    for (const Spieltag_Slot& r : Spieltag_Slots())
        if (r.status == ST_LAEUFT || r.status == ST_PAUSE || r.status == ST_ELFMETER || r.status == ST_BEENDET) return;
    if (!client.zeile.faellig()) return;
    Spieltag_Internet_Client_Hole_Slot(Team_Aktiv);
}

u32 Spieltag_Spielfeld_Nummer(const Spieltag_Slot& r) {
    if (ruf::Client() && client.lokal > 0 && r.spiel == client.lokal) return client.server_spiel;
    return static_cast<u32>(r.spiel);
}

bool Spieltag_Client_Spielfeld_Holen(Spieltag_Slot& r) {
    const u32 nummer = Spieltag_Spielfeld_Nummer(r);
    if (Spielfeld_Zeiger(nummer)) return true;
    if (!client.feld.faellig()) return false;
    const Spiel* s = spiel_von(r);
    if (!s) return false;
    // A local record the server's image is laid over (it then carries the
    // server's game number); without the image it goes again (the client's
    // table holds its own match alone).
    const int zeigen = Spieltag_Get_Hooks().live_ansicht() ? 1 : 0;
    if (!Spielfeld_Neu(static_cast<u32>(r.spiel), zeigen, zeigen, s->zuschauer, static_cast<u32>(Spiele_Ort(*s)), 1))
        return false;
    Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
    if (!Spielfeld_Internet_Client_Get_Spielfeld(sf, nummer)) {
        Spielfeld_Loeschen(s->wettbewerb);
        return false;
    }
    Spielfeld_Set_Netz(sf, 2, sf->team[1] == static_cast<u32>(Team_Aktiv) ? 1 : 0);
    client.wartet = false;
    r.bereit[0] = r.bereit[1] = 2;
    return true;
}

namespace {

// The client's match has ended on the server: its fixture as the server has
// it now (the score and the events the pages after the match read).
void spiel_abgeschlossen(const Spieltag_Slot& r) {
    if (const Spiel* s = spiel_von(r))
        Spiele_Client_Spiel_Holen(static_cast<u32>(s->wettbewerb), static_cast<u32>(s->spieltag),
                                  static_cast<u32>(s->runde), static_cast<u32>(s->index));
    else
        Spiele_Tabellen_Cache_Leeren();
}

// One pass of the client's copy of its match.
bool client_laufen(Spieltag_Slot& r, Spielfeld_Daten* sf, int durchreichen) {
    // Held at the limit for long: an answer may have been lost; the
    // server's record tells.
    if (!sf->wartet) {
        client.wartet = false;
    } else if (!client.wartet) {
        client.wartet = true;
        client.wartet_seit = Season_Netz.Echtzeit_Ms();
    } else if (Season_Netz.Echtzeit_Ms() - client.wartet_seit > WARTEN_MAX_MS) {
        Debug_Printf("Spieltag: Spiel %u wartet in Minute %d auf den Server, sein Stand wird geholt\n", sf->spiel,
                     sf->minute);
        sf->sync_fehler = 2;
        client.wartet = false;
    }
    if (sf->sync_fehler) {
        const bool abweichung = sf->sync_fehler == 1;
        if (abweichung) ++client.zahlen.abweichungen;
        const i32 minute = sf->minute;
        if (Spielfeld_Sync_Fehler_Beheben(sf)) {
            if (abweichung) {
                ++client.zahlen.reparaturen;
                Debug_Printf("Spieltag: Spiel %u in Minute %d vom Server repariert (jetzt %d)\n", sf->spiel, minute,
                             sf->minute);
            }
        } else {
            sf->sync_fehler = 0;
            // No record of the match left on the server (it went on without
            // this copy, or its answer said the match is over and its record
            // has gone since): the copy ends too, whatever the server's
            // manager is doing; the result is the server's.
            if (!abweichung) {
                Debug_Printf("Spieltag: Spiel %u ohne Endstand des Servers beendet\n", sf->spiel);
                r.status = ST_BEENDET;
                spiel_abgeschlossen(r);
                return false;
            }
        }
    }
    // The server's final record ends the match here.
    if (sf->beendet) {
        r.status = ST_BEENDET;
        // The tables and the fixture this client keeps from the server lack
        // this result.
        spiel_abgeschlossen(r);
        return false;
    }
    i32 steht = 0;
    Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, static_cast<u8>(durchreichen), Kalender_Jetzt);
    r.minute = static_cast<u8>(std::clamp<int>(sf->minute, 0, 255));
    r.uhr_steht = static_cast<i8>(steht != 0);
    // The copy waits in a break until the server's record shows what follows.
    const bool pause = sf->halbzeit_status == 2 && sf->situation == SIT_HALBZEIT_ENDE;
    if (pause) r.status = ST_PAUSE;
    else if (r.status == ST_PAUSE) r.status = ST_LAEUFT;
    // The end of the server's match comes with its answer to this copy's
    // signal; the copy never goes back to the server's record only because
    // the server's manager is not in the matchday's announcements (he
    // watches his own match, reads his pages, sits in his menu or has a box
    // open): that threw away every minute begun and held the match.
    return sf->engine != 0;
}

}  // namespace

bool Spieltag_Client_Zeile(Spieltag_Slot& r, int durchreichen, bool* gelaufen) {
    if (!ruf::Client()) return false;
    if (client.server_weg) return true;
    switch (r.status) {
        case ST_WARTET: return true;  // the kick-off is the server's
        case ST_ANGEPFIFFEN:
            if (!Spieltag_Client_Spielfeld_Holen(r)) return true;
            r.status = ST_LAEUFT;
            break;
        case ST_LAEUFT:
        case ST_PAUSE:
        case ST_ELFMETER:
            if (!Spieltag_Client_Spielfeld_Holen(r)) return true;
            break;
        default: return false;
    }
    Spielfeld_Daten* sf = Spielfeld_Zeiger(Spieltag_Spielfeld_Nummer(r));
    if (sf && client_laufen(r, sf, durchreichen) && gelaufen) *gelaufen = true;
    return true;
}

Spielfeld_Daten* Spieltag_Client_Spielfeld() {
    if (!ruf::Client()) return nullptr;
    for (const Spieltag_Slot& r : Spieltag_Slots())
        if (r.spiel > 0 && r.spiel == client.lokal) return Spielfeld_Zeiger(client.server_spiel);
    return nullptr;
}

const Spieltag_Client_Zahlen& Spieltag_Client_Get_Zahlen() { return client.zahlen; }

void Spieltag_Netz_Anmelden() { ruf::Zeile_Anmelden(RUF_SPIELTAG_SLOT, Spieltag_Internet_Server_Send_Slot); }
