// The matchday in a network game.
#include "season/spieltag_netz.h"

#include <array>
#include <cstring>

#include "base/globals.h"
#include "match/spielfeld.h"
#include "season/kalender_lauf.h"
#include "season/netz_rufe.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "world/welt.h"

namespace {

constexpr u32 ABRUF_ABSTAND_MS = 400;
constexpr i32 TEAM_STATUS_BEREIT = 2048;

struct Client_Zustand {
    bool kein_spiel = false;
    u32 letzter_abruf = 0;
    bool abgerufen = false;
};
Client_Zustand client;

const Spiel* spiel_von(const Spieltag_Slot& r) { return r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr; }

// The side (0 home, 1 away) of the team in the row, -1 when it does not play.
int seite_von(const Spieltag_Slot& r, i32 team) {
    const Spiel* s = spiel_von(r);
    if (!s || team <= 0) return -1;
    return s->team_a == team ? 0 : s->team_b == team ? 1 : -1;
}

bool client_modus() { return Internet_Modus == INTERNET_MODUS_CLIENT; }

}  // namespace

Spieltag_Slot_Antwort Spieltag_Internet_Server_Send_Slot(i32 team) {
    Spieltag_Slot_Antwort a;
    std::memset(&a.zeile, 0xFF, sizeof a.zeile);
    if (team == 0) {
        a.wettbewerb = -2;
        return a;
    }
    if (team != Aktuelles_Team || !Spieltag_Initialisiert()) return a;
    Spieltag_Internet_Bereit_Zuruecknehmen(team);
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

void Spieltag_Internet_Server_Team_Bereit(i32 team) {
    for (Spieltag_Slot& r : Spieltag_Slots_Bearbeiten()) {
        const int seite = seite_von(r, team);
        if (seite < 0) continue;
        r.bereit[seite] = std::max<i8>(r.bereit[seite], 1);
        Team_Wert(7, team, TEAM_STATUS_BEREIT, OP_BITS_SETZEN);
    }
}

void Spieltag_Internet_Bereit_Zuruecknehmen(i32 team) {
    for (Spieltag_Slot& r : Spieltag_Slots_Bearbeiten()) {
        const int seite = seite_von(r, team);
        if (seite < 0 || r.bereit[seite] != 1) continue;
        r.bereit[seite] = 0;
        Team_Wert(7, team, TEAM_STATUS_BEREIT, OP_BITS_LOESCHEN);
    }
}

void Spieltag_Internet_Client_Bereit(i32 team) {
    if (client_modus() && team != 0) ruf::Rufen(RUF_TEAM_BEREIT, team);
}

void Spieltag_Internet_Client_Hole_Slot(i32 team) {
    if (!client_modus() || team != Team_Aktiv || client.kein_spiel) return;
    const std::optional<Spieltag_Slot_Antwort> a = ruf::Rufen(RUF_SPIELTAG_SLOT, team);
    // No answer: the rows stay as they are and the next pass asks again.
    if (!a || a->wettbewerb == -2) return;
    std::vector<Spieltag_Slot>& zeilen = Spieltag_Slots_Bearbeiten();
    // The rows of before go, with the local pitch records of their matches.
    for (const Spieltag_Slot& r : zeilen) {
        if (r.spiel <= 0) continue;
        if (const Spiel* s = spiel_von(r); s && Spielfeld_Zeiger(static_cast<u32>(r.spiel)))
            Spielfeld_Loeschen(s->wettbewerb);
        Spiele_Unlock(r.spiel);
    }
    zeilen.clear();
    if (a->wettbewerb < 0) {
        client.kein_spiel = true;
        return;
    }
    const i32 h = Spiele_Lock(static_cast<u32>(a->wettbewerb), static_cast<u32>(a->spieltag),
                              static_cast<u32>(a->runde), static_cast<u32>(a->index));
    if (h <= 0) return;
    Spieltag_Slot r = a->zeile;
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

void Spieltag_Netz_Zuruecksetzen() { client = Client_Zustand{}; }
bool Spieltag_Kein_Spiel() { return client.kein_spiel; }
void Spieltag_Kein_Spiel_Loeschen() { client.kein_spiel = false; }

void Spieltag_Client_Verfolgen() {
    if (!client_modus() || client.kein_spiel) return;
    // While a match runs its pitch record leads; otherwise the server's row.
    for (const Spieltag_Slot& r : Spieltag_Slots())
        if (r.status == ST_LAEUFT || r.status == ST_PAUSE || r.status == ST_ELFMETER || r.status == ST_BEENDET) return;
    if (client.abgerufen && Kalender_Jetzt - client.letzter_abruf <= ABRUF_ABSTAND_MS) return;
    client.abgerufen = true;
    client.letzter_abruf = Kalender_Jetzt;
    Spieltag_Internet_Client_Hole_Slot(Team_Aktiv);
}

bool Spieltag_Client_Spielfeld_Holen(Spieltag_Slot& r) {
    if (Spielfeld_Zeiger(static_cast<u32>(r.spiel))) return true;
    if (client.abgerufen && Kalender_Jetzt - client.letzter_abruf <= ABRUF_ABSTAND_MS) return false;
    client.abgerufen = true;
    client.letzter_abruf = Kalender_Jetzt;
    const Spiel* s = spiel_von(r);
    if (!s) return false;
    // A local record the server's image is laid over; without the image it
    // goes again (the client's table holds its own match alone).
    if (!Spielfeld_Neu(static_cast<u32>(r.spiel), 1, 1, s->zuschauer, static_cast<u32>(s->team_a), 1)) return false;
    Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
    if (!Spielfeld_Internet_Client_Get_Spielfeld(sf, static_cast<u32>(r.spiel))) {
        Spielfeld_Loeschen(s->wettbewerb);
        return false;
    }
    r.bereit[0] = r.bereit[1] = 2;
    return true;
}

bool Spieltag_Client_Wartet(Spieltag_Slot& r) {
    if (!client_modus()) return false;
    switch (r.status) {
        case ST_WARTET:
        case ST_ANGEPFIFFEN: return true;
        case ST_LAEUFT:
        case ST_PAUSE:
        case ST_ELFMETER: return !Spieltag_Client_Spielfeld_Holen(r);
        default: return false;
    }
}

void Spieltag_Netz_Anmelden() { ruf::Zeile_Anmelden(RUF_SPIELTAG_SLOT, Spieltag_Internet_Server_Send_Slot); }
