// The matchday table and its runner: rows move 0 waiting → 1 kicked off →
// 2 running ↔ 4 half-time break / 32 shoot-out → 8 finished → 16 done.
#include "matchday/spieltag.h"


#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "match/spielfeld.h"
#include "matchday/nachspiel.h"
#include "matchday/spieltag_intern.h"
#include "matchday/spieltag_netz.h"
#include "season/ankuendigung.h"
#include "season/ereignis_zufall.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace spieltag_intern {

std::vector<std::pair<i16, u32>> anstoss_seit;
Zustand z;
u32 zeilen_stand = 0;
bool neue_spiele = false;

Spiel* spiel_von(const Spieltag_Slot& r) { return r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr; }

Spieltag_Slot* slot_von_spiel(i32 spiel) {
    // The match engine asks on every tick: the last row found is tried first.
    static size_t zuletzt = 0;
    if (spiel <= 0) return nullptr;
    if (zuletzt < z.slots.size() && z.slots[zuletzt].spiel == spiel) return &z.slots[zuletzt];
    for (size_t i = 0; i < z.slots.size(); ++i)
        if (z.slots[i].spiel == spiel) {
            zuletzt = i;
            return &z.slots[i];
        }
    return nullptr;
}

// The row already holding the game a fresh lock points at: every lock is a
// handle of its own, so a game entered twice has two different handles.
Spieltag_Slot* slot_mit_spiel_von(i32 handle) {
    const Spiel* s = handle > 0 ? Spiele_Get_Spiel(handle, true) : nullptr;
    for (auto& r : z.slots)
        if (s && spiel_von(r) == s) return &r;
    return nullptr;
}

Spieltag_Elfmeter* elfmeter_von(i32 spiel) {
    for (auto& e : z.elfmeter)
        if (e.spiel == spiel) return &e.e;
    return nullptr;
}

}  // namespace spieltag_intern

using namespace spieltag_intern;

namespace {
Spieltag_Hooks hooks;
}  // namespace

// --- module ---------------------------------------------------------------------------

void Spieltag_Set_Hooks(const Spieltag_Hooks& h) { hooks = h; }
const Spieltag_Hooks& Spieltag_Get_Hooks() { return hooks; }

void Spieltag_Init() {
    ++zeilen_stand;
    Spieltag_DeInit();
    z = Zustand{};
    neue_spiele = false;
    Spieltag_Netz_Zuruecksetzen();
    z.initialisiert = true;
    Spielfeld_Init();
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELTAG,
                              {"Spieltag", Spieltag_Save, spieltag_lesen, spieltag_uebernehmen, spieltag_verwerfen});
}

void Spieltag_DeInit() {
    ++zeilen_stand;
    if (!z.initialisiert) return;
    for (auto& r : z.slots)
        if (r.spiel > 0) Spiele_Unlock(r.spiel);
    z.slots.clear();
    z.elfmeter.clear();
    Spielfeld_DeInit();
    z.initialisiert = false;
}

bool Spieltag_Initialisiert() { return z.initialisiert; }

const std::vector<Spieltag_Slot>& Spieltag_Slots() { return z.slots; }
std::vector<Spieltag_Slot>& Spieltag_Slots_Bearbeiten() {
    ++zeilen_stand;
    return z.slots;
}
u32 Spieltag_Anzahl_Eingetragen() { return z.eingetragen; }
u32 Spieltag_Anzahl_Fertig() { return z.fertig; }
const Spieltag_Zahlen& Spieltag_Get_Zahlen() { return z.zahlen; }

int Spieltag_Slots_Fuellen(i32 wettbewerb, i32 spieltag, i32 runde) {
    ++zeilen_stand;
    if (!z.initialisiert) return 0;
    if (spieltag < 0) spieltag = Kalender_Get_Spieltag_Nummer(Kalender_Get_Tag(), wettbewerb, &runde);
    const i32 plan = Wettbewerb_Get_Spielplan(wettbewerb);
    const Spiel* spiele = Spiele_Get_Spiele(plan);
    const Spielplan_Kopf* kopf = Spiele_Get_Kopf(plan);
    if (spieltag < 0 || !spiele || !kopf) return 0;
    int n = 0;
    for (u32 i = 0; i < kopf->spiele; ++i) {
        const Spiel& s = spiele[i];
        // A bye (a side without a team) is no match: the tie's decision sends
        // the other side through.
        if (s.spieltag != spieltag || s.runde != runde || s.tore_a >= 0 || s.team_a <= 0 || s.team_b <= 0) continue;
        const i32 h = Spiele_Lock(static_cast<u32>(wettbewerb), s.spieltag, s.runde, s.index);
        if (h <= 0) {
            Debug_Printf("Spieltag: kein Lock frei fuer Wettbewerb %d\n", wettbewerb);
            continue;
        }
        if (slot_mit_spiel_von(h)) {
            Spiele_Unlock(h);
            continue;
        }
        z.slots.push_back(neue_zeile(h));
        ++z.eingetragen;
        ++n;
    }
    for (size_t i = z.slots.size() - static_cast<size_t>(n); i < z.slots.size(); ++i) Spieltag_Spiel_Vorbereiten(z.slots[i]);
    return n;
}

void Spieltag_Vorbereiten() {
    ++zeilen_stand;
    if (!z.initialisiert) return;
    // Every day's matches begin at the pitch clock: fast play switched on in
    // an earlier match does not run the next one while its pre-match pictures
    // show, and no manager's fast button comes back pressed.
    Spielfeld_Set_Fast(0);
    Spielfeld_Set_Spulen(false);
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Team_Hat_Manager(t)) Manager_Icon_Button_An_Aus(t, SPIELTAG_KNOPF_SCHNELL, 0);
    // A client follows its team's match on the server.
    if (ruf::Client()) {
        Spieltag_Internet_Client_Slot_Aktualisieren(Team_Aktiv);
        return;
    }
    anstoss_seit.clear();
    // Once a day, before any match of the day begins or ends: the order of
    // the competitions' player counters is checked and the passing marks of
    // the qualification lists are cleared.
    Spiele_Check_Wettbewerb_Ereignis();
    if (Wettbewerb_Modul_Bereit()) Wettbewerb_Quali_Markierungen_Loeschen();
    // Done rows leave; the others keep their order. While no row still
    // running had to move, yesterday's games are over: the event store is
    // packed once after new games (their unused reserved entries freed).
    bool luecke = false, bewegt = false;
    for (const Spieltag_Slot& r : z.slots) {
        if (r.status == ST_FERTIG || r.spiel <= 0) luecke = true;
        else if (luecke) bewegt = true;
    }
    std::erase_if(z.slots, [](const Spieltag_Slot& r) {
        if (r.status != ST_FERTIG && r.spiel > 0) return false;
        if (r.spiel > 0) Spiele_Unlock(r.spiel);
        std::erase_if(z.elfmeter, [&](const Elfmeter_Eintrag& e) { return e.spiel == r.spiel; });
        return true;
    });
    if (!bewegt && neue_spiele) {
        neue_spiele = false;
        Spiele_Alle_Ereignisse_Packen();
    }
    i32 liste[256];
    const int n = Kalender_Spieltage_Heute(-1, 1, liste);
    for (int i = 0; i < std::min(n, 256); ++i) Spieltag_Slots_Fuellen(liste[i], -1, -1);
}

i32 Spieltag_Einzelspiel_Eintragen(i32 wettbewerb, u32 spieltag, u32 runde, u32 index) {
    ++zeilen_stand;
    if (!z.initialisiert) return 0;
    const i32 h = Spiele_Lock(static_cast<u32>(wettbewerb), spieltag, runde, index);
    if (h <= 0) return 0;
    if (const Spieltag_Slot* r = slot_mit_spiel_von(h)) {
        Spiele_Unlock(h);
        return r->spiel;
    }
    z.slots.push_back(neue_zeile(h));
    ++z.eingetragen;
    Spieltag_Spiel_Vorbereiten(z.slots.back());
    return h;
}

void Spieltag_Einzelspiel_Starten(i32 spiel) {
    ++zeilen_stand;
    Spieltag_Slot* r = slot_von_spiel(spiel);
    if (!r || r->status != ST_WARTET) return;
    r->bereit[0] = r->bereit[1] = 2;
    r->gruppe = 0;
    r->start = r->start2 = Kalender_Jetzt;
    Spiele_Ereignisse_Reservieren(spiel);
    Spiele_Ergebnis_Nullen(spiel);
}

bool Spieltag_Gruppe_Starten() {
    ++zeilen_stand;
    if (!z.initialisiert) return false;
    i8 gruppe = 1;
    while (std::any_of(z.slots.begin(), z.slots.end(), [&](const Spieltag_Slot& r) { return r.gruppe == gruppe; }))
        ++gruppe;
    bool gestartet = false;
    for (auto& r : z.slots) {
        if (r.spiel <= 0 || r.status != ST_WARTET) continue;
        // A row is started once; a row of a started group whose sides have
        // both given no word yet moves on to the new group. A client's word
        // may come before the first start (its manager ended his turn
        // first): that side keeps it, the other side is started.
        if (r.gruppe != 0 ? (r.bereit[0] || r.bereit[1]) : (r.bereit[0] && r.bereit[1])) continue;
        const Spiel* s = spiel_von(r);
        const i32 teams[2] = {s ? s->team_a : -1, s ? s->team_b : -1};
        for (int k = 0; k < 2; ++k) {
            if (r.bereit[k]) continue;
            if (ruf::Einzel()) r.bereit[k] = 2;
            else if (ruf::Server() && (teams[k] <= 0 || !(Team_Wert(TEAM_WERT_STATUS, teams[k], 0, 0) & 32)))
                r.bereit[k] = 2;
        }
        r.gruppe = gruppe;
        r.start = r.start2 = Kalender_Jetzt;
        Spiele_Ereignisse_Reservieren(r.spiel);
        gestartet = true;
    }
    return gestartet;
}

bool Spieltag_Set_Bereit(i32 spiel, int seite) {
    ++zeilen_stand;
    Spieltag_Slot* r = slot_von_spiel(spiel);
    if (!r || seite < 0 || seite > 1 || r->bereit[0] < 1 || r->bereit[1] < 1) return false;
    r->bereit[seite] = 2;
    return true;
}

bool Spieltag_Team_Bereit(i32 team, int stufe) {
    ++zeilen_stand;
    if (!z.initialisiert || team <= 0 || stufe < 1 || stufe > 2) return false;
    bool geaendert = false;
    for (auto& r : z.slots) {
        const Spiel* s = spiel_von(r);
        if (!s || r.status == ST_BEENDET || r.status == ST_FERTIG) continue;
        for (int k = 0; k < 2; ++k)
            if ((k ? s->team_b : s->team_a) == team && r.bereit[k] < stufe) {
                r.bereit[k] = static_cast<i8>(stufe);
                geaendert = true;
            }
    }
    return geaendert;
}

namespace {

// A row waiting in a break, finished or done (status 4, 8, 16) does nothing
// on a pass unless something its group or its pitch depends on changed:
// the rows' statuses and groups, the pitch table, the match pause. While
// one engine match runs on, its group's other rows wait thousands of
// passes: after a pass that changed none of that, the next pass that finds
// the table as it was left (nothing added, dropped or changed from outside)
// visits only the rows that are not waiting, until one of them changes;
// the rows behind it are then visited as usual. The answers are those of a
// full pass.
bool wartend(const Spieltag_Slot& r) { return r.status == ST_PAUSE || r.status == ST_BEENDET || r.status == ST_FERTIG; }

struct Ruhe {
    bool gueltig = false;
    u32 zeilen = 0, spielfelder = 0;
    bool pause = false;
    size_t groesse = 0;
    std::vector<size_t> aktiv;  // rows that are not waiting
} ruhe;

bool pause_gilt() { return Spielfeld_Get_Pause() && Spielfeld_Get_Anzeige(); }

}  // namespace

bool Spieltag_Run(int durchreichen) {
    if (!z.initialisiert) return false;
    Spieltag_Client_Verfolgen();
    if (netz_spiele_offen()) netz_pruefen();
    bool ergebnis = false, wartet = false;
    const bool client = ruf::Client();
    const bool schnell = !client && ruhe.gueltig && ruhe.zeilen == zeilen_stand &&
                         ruhe.spielfelder == Spielfeld_Register_Stand() && ruhe.pause == pause_gilt() &&
                         ruhe.groesse == z.slots.size();
    bool ruhig = !client;
    // One row's step; false when the row changed (status or group).
    auto zeile = [&](Spieltag_Slot& r) {
        if (r.spiel <= 0) return true;
        // A client's running match follows the server's.
        if (Spieltag_Client_Zeile(r, durchreichen, &ergebnis)) return true;
        const i8 status_vorher = r.status, gruppe_vorher = r.gruppe;
        switch (r.status) {
            case ST_LAEUFT:
            case ST_ELFMETER: ergebnis |= laufen(r, durchreichen); break;
            case ST_WARTET: {
                const Spiel* s = spiel_von(r);
                if (!s || s->team_a <= 0 || s->team_b <= 0) {
                    r.status = ST_BEENDET;
                    break;
                }
                if (!r.bereit[0] || !r.bereit[1]) break;
                if (gruppe_alle(r, angekuendigt)) {
                    r.status = ST_ANGEPFIFFEN;
                    Spiele_Ereignisse_Reservieren(r.spiel);
                    Spiele_Ergebnis_Nullen(r.spiel);
                    Spieltag_Anpfiff(r);
                } else {
                    wartet = true;
                }
                break;
            }
            case ST_ANGEPFIFFEN:
                if (ruf::Server()) anstoss_frist(r);
                if (alle_bereit(r) && gruppe_alle(r, alle_bereit)) r.status = ST_LAEUFT;
                else wartet = true;
                break;
            case ST_FERTIG: break;
            default: {  // 4 and 8
                Spielfeld_Daten* sf = Spielfeld_Zeiger(Spieltag_Spielfeld_Nummer(r));
                if (!sf || r.status == ST_BEENDET) {
                    // A break whose pitch is gone ends its match; the table
                    // is never cut short.
                    r.status = ST_BEENDET;
                    Spieltag_Spiel_Abschliessen(r);
                } else if (sf->netz == 1 && !sf->anzeige) {
                    // A network client's match is watched at the client's
                    // machine, at the client's pace: it goes on into its
                    // next half at once, waiting neither for the other
                    // matches of its group nor for a pause that holds the
                    // matches watched here.
                    Spieltag_Halbzeit_Weiter(r, true);
                } else if (!(Spielfeld_Get_Pause() && Spielfeld_Get_Anzeige()) && gruppe_alle(r, in_pause)) {
                    // The match pause holds the break of a match being watched only.
                    Spieltag_Halbzeit_Weiter(r);
                    if (sf->anzeige) ergebnis = true;
                }
                break;
            }
        }
        return r.status == status_vorher && r.gruppe == gruppe_vorher;
    };
    // Rows are visited by index: finishing a row never adds or drops rows.
    // In a quiet pass the rows not waiting stand for the table until one of
    // them changes; every row behind that one is then visited.
    size_t ab = 0;
    if (schnell) {
        ab = z.slots.size();
        for (size_t i : ruhe.aktiv)
            if (!zeile(z.slots[i])) {
                ruhig = false;
                ab = i + 1;
                break;
            }
    }
    for (size_t i = ab; i < z.slots.size(); ++i)
        if (!zeile(z.slots[i])) ruhig = false;
    Spielfeld_Zeit_Fortsetzen(Kalender_Jetzt);
    if (wartet && Spieltag_Gruppe_Starten()) ruhig = false;
    // A quiet pass leaves the table as it found it: remember it.
    if (ruhig && !schnell) {
        ruhe.aktiv.clear();
        for (size_t i = 0; i < z.slots.size(); ++i)
            if (z.slots[i].spiel > 0 && !wartend(z.slots[i])) ruhe.aktiv.push_back(i);
    }
    ruhe.gueltig = ruhig;
    ruhe.zeilen = zeilen_stand;
    ruhe.spielfelder = Spielfeld_Register_Stand();
    ruhe.pause = pause_gilt();
    ruhe.groesse = z.slots.size();
    return ergebnis;
}

bool Spieltag_Check_Spielende(Spielfeld_Daten* sf) {
    if (!sf || !sf->engine) return false;
    // A client's copy carries the server's game number and has no row of
    // that number: it ends its halves by the record alone.
    if (ruf::Client()) return Spieltag_Halbzeit_Pruefen(sf);
    const Spieltag_Slot* r = slot_von_spiel(static_cast<i32>(sf->spiel));
    if (!r || !spiel_von(*r)) return true;
    return Spieltag_Halbzeit_Pruefen(sf);
}

bool Spieltag_Halbzeit_Pruefen(Spielfeld_Daten* sf) {
    if (!sf || !sf->engine) return false;
    if (sf->halbzeit_status == 2) return true;
    // Everything asked comes from the record and the competition's rules, so
    // that a client's copy decides as the server does.
    const int halbzeit = std::max(0, sf->halbzeit - 1);
    const i32 w = static_cast<i32>(sf->wettbewerb);
    // The golden goal: the first goal of extra time ends the match.
    if (Wettbewerb_Ist_Sudden_Death(w, halbzeit) && sf->tore[0] != sf->tore[1]) {
        Spielfeld_Set_Spielende_Feld(sf);
        return true;
    }
    // Stoppage time begins at the half's minute and is decided once per
    // minute; the competition lets play go on up to five minutes over.
    const i32 ende = Wettbewerb_Get_Halbzeit_Ende(w, sf->minute, halbzeit);
    if (ende != -1 && sf->minute - sf->minuten_korrektur + 1 >= ende) sf->halbzeit_status = 1;
    if (sf->halbzeit_status != 1 || sf->minuten_teil != 0) return false;
    if (Wettbewerb_Halbzeit_Pruefen(w, sf->minute, halbzeit, false, false) == HZ_WEITER) return false;
    Spielfeld_Set_Spielende_Feld(sf);
    return true;
}
