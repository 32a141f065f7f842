// One match after its kick-off: the halves of its competition, the shoot-out,
// finishing a row and its group, the venue and the values reset after it.
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

// --- halves of a competition ------------------------------------------------------

// The tie of the game is still level after its last leg (a knock-out
// competition only): extra time or a shoot-out must follow.
bool unentschieden(const Spiel& s) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(s.wettbewerb);
    if (!w || !(w->modus & WB_KO_SYSTEM)) return false;
    const i32 legs = std::max(1, Wettbewerb_Get_Best_Of(s.wettbewerb));
    if (s.runde + 1 < legs) return false;
    return Wettbewerb_Get_Runden_Sieger(s.wettbewerb, s.spieltag, s.index, -1, 0, 0) == -1;
}

i32 ende_von(i32 wettbewerb, i32 halbzeit) { return Wettbewerb_Get_Halbzeit_Ende(wettbewerb, 0x7fff, halbzeit); }

i32 regulaere_halbzeiten(i32 wettbewerb) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(wettbewerb);
    return w ? w->halbzeiten : 2;
}

// A half the engine has ended itself (a golden goal may end it before its
// minute): the answer the competition gives at the half's end.
i32 halbzeit_ergebnis_erzwungen(i32 wettbewerb, i32 minute, i32 halbzeit, bool bereit) {
    const i32 e = Wettbewerb_Halbzeit_Pruefen(wettbewerb, minute, halbzeit, true, bereit);
    if (e != HZ_WEITER) return e;
    return halbzeit + 1 >= regulaere_halbzeiten(wettbewerb) ? HZ_SPIELENDE : 4;
}


// --- shoot-out ---------------------------------------------------------------------

// Sets up the engine's kick for a side: the pitch slot the turn names, or
// the next one whose player is still on the pitch (a starter may have been
// sent off or substituted). False when the side has nobody left to kick.
bool engine_schuss(i32 spiel, int seite, int naechster) {
    for (int i = 0; i < SF_PRO_SEITE; ++i)
        if (Spielfeld_Set_Elfmeter(static_cast<u32>(spiel), seite,
                                   seite * SF_PRO_SEITE + (naechster + i) % SF_PRO_SEITE))
            return true;
    return false;
}

void Spieltag_Elfmeterschiessen_Start(Spieltag_Slot& r) {
    r.status = ST_ELFMETER;
    r.uhr_steht = 1;
    Spiel* s = spiel_von(r);
    if (!s) return;
    Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
    Elfmeter_Eintrag neu{};
    neu.spiel = r.spiel;
    Spieltag_Elfmeter& e = neu.e;
    e.start_tore[0] = std::max<int>(0, s->tore_a);
    e.start_tore[1] = std::max<int>(0, s->tore_b);
    const i32 teams[2] = {s->team_a, s->team_b};
    for (int k = 0; k < 2; ++k) {
        i32 liste[MAX_STARTER];
        int n = starter(teams[k], liste);
        n = std::clamp(n, 0, 11);
        for (int i = 0; i < n; ++i) e.schuetzen[k][i] = static_cast<u32>(liste[i]);
        for (int i = n - 1; i > 0; --i) std::swap(e.schuetzen[k][i], e.schuetzen[k][Rnd_Basis(0, i)]);
        // A side without players still kicks (and misses): never index an empty list.
        e.anzahl[k] = static_cast<i8>(std::max(n, 1));
    }
    e.erste_seite = e.seite = static_cast<i8>(Rnd_Basis(0, 1));
    e.pro_runde = 5;
    e.runden = 5;
    z.elfmeter.push_back(neu);
    if (sf && sf->engine) engine_schuss(r.spiel, e.seite, 0);
    // A shoot-out the live view shows (KORDAVO_DEBUG): a watching script
    // reads it there.
    if (sf && sf->anzeige)
        Debug_Printf("Spieltag: Elfmeterschießen im gezeigten Spiel, Team %d - Team %d", teams[0], teams[1]);
}

// One kick; true when the shoot-out is decided.
bool Spieltag_Elfmeterschiessen_Schritt(Spieltag_Slot& r) {
    Spieltag_Elfmeter* e = elfmeter_von(r.spiel);
    Spiel* s = spiel_von(r);
    if (!e || !s) return true;
    Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
    const bool engine = sf && sf->engine;
    const int seite = e->seite;
    if (!engine && Rnd_Basis(0, 3) != 0) {
        ereignis(r.spiel, seite == 0 ? 5u : 4u, s->minute, static_cast<i32>(e->schuetzen[seite][e->naechster[seite]]),
                 32767);
        s = spiel_von(r);
    }
    const int tore[2] = {std::max<int>(0, s->tore_a) - e->start_tore[0],
                         std::max<int>(0, s->tore_b) - e->start_tore[1]};
    if (Spieltag_Elfmeter_Entschieden(*e, tore[seite], tore[1 - seite])) return true;
    if (engine) engine_schuss(r.spiel, e->seite, e->naechster[e->seite]);
    return false;
}

// --- finishing -----------------------------------------------------------------------

void Spieltag_Nachspiel(i32 wettbewerb) {
    for (auto& r : z.slots) {
        Spiel* s = spiel_von(r);
        if (!s || s->wettbewerb != wettbewerb) continue;
        Spiele_Set_Nachspiel_Statistik(r.spiel);
        if (s->team_a > 0) Spiele_Setze_Sperren_Spieler_Vor_Spiel(wettbewerb, s->team_a, false);
        if (s->team_b > 0) Spiele_Setze_Sperren_Spieler_Vor_Spiel(wettbewerb, s->team_b, false);
        Spieltag_Nachspiel_Spiel(r.spiel);
    }
}

void Spieltag_Weiterschalten(const Spieltag_Slot& r) {
    if (ruf::Client()) return;
    Spiel* s = spiel_von(r);
    if (!s) return;
    const i32 w = s->wettbewerb;
    if (!Spieltag_Wettbewerb_Fertig(w)) return;
    Spieltag_Nachspiel(w);
    Spielfeld_Auswertung(static_cast<u32>(w));
    Spieltag_Get_Hooks().wettbewerb_fertig(w);
    Spielfeld_Loeschen(static_cast<u32>(w));
}

void fertig_setzen(Spieltag_Slot& r) {
    if (r.status == ST_FERTIG) return;
    r.status = ST_FERTIG;
    ++z.fertig;
    const auto it = std::find(z.mit_engine.begin(), z.mit_engine.end(), r.spiel);
    const int e = it != z.mit_engine.end() ? 1 : 0;
    if (e) z.mit_engine.erase(it);
    const Spiel* s = spiel_von(r);
    if (!s || s->tore_a < 0 || s->tore_b < 0 || (s->flags & SPIEL_FLAG_ABGESAGT)) return;
    ++z.zahlen.spiele[e];
    z.zahlen.tore[e] += static_cast<u32>(s->tore_a + s->tore_b);
    ++(s->tore_a > s->tore_b   ? z.zahlen.heimsiege
       : s->tore_a < s->tore_b ? z.zahlen.auswaertssiege
                               : z.zahlen.remis)[e];
    // The pages after the match for the managers of its teams. A client's
    // come from the server (made from its record of the match, sent as news
    // once the server's row is done); pages of the client's own copy would
    // come a second time.
    if (ruf::Client()) return;
    Ank_Nach_Spiel d;
    d.team1 = s->team_a, d.team2 = s->team_b, d.tore1 = s->tore_a, d.tore2 = s->tore_b;
    d.wettbewerb = s->wettbewerb, d.zuschauer = s->zuschauer;
    if (const Spielfeld_Daten* sf = Spielfeld_Zeiger(Spieltag_Spielfeld_Nummer(r))) {
        d.wert1 = sf->weitere[0], d.wert2 = sf->weitere[1];
        for (int i = 0; i < SF_SPIELER; ++i) std::memcpy(d.spieler[i].b, sf->statistik[i], 8);
    }
    Spielankuendigung_Nach_Spiel(s->spieltag, s->index, s->runde, d);
}

// A finished row waits for its group; the last of the group closes it. A row
// of its own (a friendly) is done at once, so its competition and its pitch
// are closed too.
// Whether a row of r's group other than r is still open. While one match
// of a group runs on, the others ask on every pass: the row found last
// time is tried first.
bool offen_in_gruppe(const Spieltag_Slot& o, const Spieltag_Slot& r) {
    return &o != &r && o.gruppe == r.gruppe && o.spiel > 0 && o.status != ST_BEENDET && o.status != ST_FERTIG;
}
bool gruppe_hat_offene(const Spieltag_Slot& r) {
    static size_t hinweis[256] = {};
    size_t& h = hinweis[static_cast<u8>(r.gruppe)];
    if (h < z.slots.size() && offen_in_gruppe(z.slots[h], r)) return true;
    for (size_t i = 0; i < z.slots.size(); ++i)
        if (offen_in_gruppe(z.slots[i], r)) {
            h = i;
            return true;
        }
    return false;
}

void Spieltag_Spiel_Abschliessen(Spieltag_Slot& r) {
    if (r.status != ST_BEENDET) return;
    if (r.gruppe != 0 && gruppe_hat_offene(r)) return;
    if (r.gruppe != 0) {
        // The group is done together; each competition it touched is
        // checked once.
        std::vector<const Spieltag_Slot*> neu;
        for (auto& o : z.slots)
            if (o.gruppe == r.gruppe && o.spiel > 0 && o.status == ST_BEENDET) {
                fertig_setzen(o);
                neu.push_back(&o);
            }
        std::vector<i32> geprueft;
        for (const Spieltag_Slot* o : neu) {
            const Spiel* s = spiel_von(*o);
            if (!s || std::find(geprueft.begin(), geprueft.end(), s->wettbewerb) != geprueft.end()) continue;
            geprueft.push_back(s->wettbewerb);
            Spieltag_Weiterschalten(*o);
        }
        return;
    }
    fertig_setzen(r);
    Spieltag_Weiterschalten(r);
}

// --- groups ---------------------------------------------------------------------------

bool gruppe_alle(const Spieltag_Slot& r, bool (*test)(const Spieltag_Slot&)) {
    if (r.gruppe == 0) return test(r);
    // The row that failed last time for this group and test usually still
    // fails (the group waits for one match): it is tried first.
    struct Hinweis {
        bool (*test)(const Spieltag_Slot&);
        i8 gruppe;
        size_t zeile;
    };
    static Hinweis hinweise[8] = {};
    static size_t naechster = 0;
    Hinweis* h = nullptr;
    for (Hinweis& x : hinweise)
        if (x.test == test && x.gruppe == r.gruppe) h = &x;
    auto faellt = [&](const Spieltag_Slot& o) { return o.spiel > 0 && o.gruppe == r.gruppe && !test(o); };
    if (h && h->zeile < z.slots.size() && faellt(z.slots[h->zeile])) return false;
    for (size_t i = 0; i < z.slots.size(); ++i)
        if (faellt(z.slots[i])) {
            if (!h) h = &hinweise[naechster++ % 8];
            *h = {test, r.gruppe, i};
            return false;
        }
    return true;
}

bool angekuendigt(const Spieltag_Slot& r) { return r.bereit[0] && r.bereit[1]; }
bool alle_bereit(const Spieltag_Slot& r) { return r.bereit[0] >= 2 && r.bereit[1] >= 2; }

// A client that was announced for its match and never fetches its pitch
// holds the kick-off only for a bounded time (a silent or hostile client
// must not stop the matchday), counted in real time as the server's other
// waits for a client are.
void anstoss_frist(Spieltag_Slot& r) {
    auto it = std::find_if(anstoss_seit.begin(), anstoss_seit.end(), [&](const auto& e) { return e.first == r.spiel; });
    if (alle_bereit(r)) {
        if (it != anstoss_seit.end()) anstoss_seit.erase(it);
        return;
    }
    const u32 jetzt = Season_Netz.Echtzeit_Ms();
    if (it == anstoss_seit.end()) {
        anstoss_seit.emplace_back(r.spiel, jetzt);
        return;
    }
    if (jetzt - it->second < ANSTOSS_WARTEN_MS) return;
    Debug_Printf("Spieltag: Spiel %d beginnt ohne den Client, der sein Spielfeld nicht holte\n", r.spiel);
    r.bereit[0] = r.bereit[1] = 2;
    anstoss_seit.erase(it);
}
bool in_pause(const Spieltag_Slot& r) {
    if (r.status == ST_PAUSE || r.status == ST_BEENDET || r.status == ST_FERTIG || r.status == ST_ELFMETER) return true;
    // A network client's match played here unseen holds no break of its
    // group: it goes into its next half at the client's pace, and the
    // matches watched here never wait for what the client watches.
    const Spielfeld_Daten* sf = Spielfeld_Zeiger(Spieltag_Spielfeld_Nummer(r));
    return sf && sf->netz == 1 && !sf->anzeige;
}

void Spieltag_Halbzeit_Weiter(Spieltag_Slot& r0, bool allein) {
    if (r0.status != ST_PAUSE) return;
    const i8 gruppe = r0.gruppe;
    for (auto& r : z.slots) {
        if (r.status != ST_PAUSE || r.spiel <= 0) continue;
        if (gruppe == 0 || allein ? &r != &r0 : r.gruppe != gruppe) continue;
        Spiel* s = spiel_von(r);
        if (!s) continue;
        const i32 w = s->wettbewerb;
        const int ende = ende_von(w, r.halbzeit);
        Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
        // The competition decides the shoot-out; a tie still level with no
        // half left to play takes one too (it could not end otherwise).
        const bool elfmeter = Wettbewerb_Elfmeterschiessen_Noetig(w, s->spieltag, s->index, r.halbzeit, -1, 0, 0) ||
                              (ende_von(w, r.halbzeit + 1) < 0 && unentschieden(*s));
        if (elfmeter) {
            s->flags |= 2;
            Spieltag_Elfmeterschiessen_Start(r);
            if (sf && sf->engine) Spielfeld_Ereignis_Eintragen(sf, 0x2000000, -1, -1);
        } else {
            r.status = ST_LAEUFT;
            s->minute = static_cast<u8>(ende);
            r.minute = static_cast<u8>(ende);
            z.schrittzaehler = 1.0f;
            if (sf) {
                if (r.halbzeit + 1 == regulaere_halbzeiten(w)) Spielfeld_Ereignis_Eintragen(sf, 0x1000000, -1, -1);
                sf->minute = static_cast<i16>(ende);
                sf->minuten_teil = 0;
                sf->minuten_korrektur = 0;
                Spielfeld_Halbzeit_Start(static_cast<u32>(r.spiel));
            }
        }
        ++r.halbzeit;
    }
}

// The end of a half with the competition's answer (4 or 8): a tie the
// competition has decided ends; a break when the competition has a further
// phase (extra time after the regular time, a shoot-out after it), else the
// end of the match.
void halbzeit_ende_behandeln(Spieltag_Slot& r, Spiel& s, Spielfeld_Daten* sf, i32 ergebnis) {
    const bool entschieden =
        ergebnis == HZ_SPIELENDE && Wettbewerb_Get_Runden_Sieger(s.wettbewerb, s.spieltag, s.index, -1, 0, 0) != -1;
    if (!entschieden && r.halbzeit + 1 < Wettbewerb_Get_Anz_Halbzeiten(s.wettbewerb)) {
        r.status = ST_PAUSE;
        if (ergebnis == HZ_SPIELENDE) s.flags |= 1;
        // The manager watching this match may want it to stop at the break.
        if (sf && sf->anzeige == 1 && Option_Wert(OPTION_HALBZEIT_PAUSE, 0, 0)) {
            Season_Gui.Spiel_Anhalten();
            // What a watching script reads of the break (KORDAVO_DEBUG).
            Debug_Printf("Spieltag: Pause im gezeigten Spiel nach Halbzeit %d", r.halbzeit + 1);
        }
        return;
    }
    r.status = ST_BEENDET;
    if (sf) Spielfeld_Set_Beendet(static_cast<u32>(r.spiel));
}

// One pass of a running row (status 2 or 32); true when a pitch was stepped.
bool laufen(Spieltag_Slot& r, int durchreichen) {
    Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
    if (!sf) {
        // A pitch that is gone ends its match (a client's rows follow the
        // server's instead).
        r.status = ST_BEENDET;
        return false;
    }
    const int vorher = sf->minute;
    bool erzwungen = false;
    f32 ergebnis;
    if (!sf->engine) {
        ergebnis = 2.0f;
        if (r.status != ST_ELFMETER) ++sf->minute;
        else r.uhr_steht = 1;
    } else {
        i32 steht = r.uhr_steht;
        const i32 sekunde =
            static_cast<i32>(GESCHWINDIGKEIT - z.schrittzaehler) * 60 / static_cast<i32>(GESCHWINDIGKEIT);
        ergebnis = Spielfeld_Run(z.minute, sekunde, 1, sf, 1, &steht, static_cast<u8>(durchreichen), Kalender_Jetzt);
        r.uhr_steht = static_cast<i8>(steht != 0 || r.status == ST_ELFMETER);
        r.minute = static_cast<u8>(std::clamp<int>(sf->minute, 0, 255));
        if (ergebnis == 1000.0f) erzwungen = true;
    }
    // A stopped clock (the shoot-out) is handled every pass.
    if (r.uhr_steht && sf->minute != 0) erzwungen = true;
    z.minute = sf->minute;
    // An idle pitch in a shoot-out (a kick over, or none set up) still takes
    // the next turn: the shoot-out never waits on a pitch that does nothing.
    if (ergebnis == -1.0f && r.status != ST_ELFMETER) return false;
    if (!erzwungen && vorher == sf->minute) return sf->engine != 0;
    z.schrittzaehler = GESCHWINDIGKEIT;
    Spiel* s = spiel_von(r);
    if (!s) {
        Debug_Printf("Spieltag_Run: sp==NULL!");
        r.status = ST_BEENDET;
        return true;
    }
    s->minute = static_cast<u8>(std::clamp<int>(sf->minute, 0, 255));
    if (r.status == ST_LAEUFT) {
        if (!sf->engine) {
            Spieltag_Minute_Wuerfeln(r, *s, sf->minute, nullptr, sf);
            s = spiel_von(r);
            if (!s || r.status != ST_LAEUFT) return true;
            // A half end found arms the end test; without the engine the
            // decision is forced.
            if (Wettbewerb_Get_Halbzeit_Ende(s->wettbewerb, sf->minute, r.halbzeit) != -1) {
                const i32 e = Wettbewerb_Halbzeit_Pruefen(s->wettbewerb, s->minute, r.halbzeit, true, true);
                if (e != HZ_WEITER) halbzeit_ende_behandeln(r, *s, sf, e);
            }
        } else if (sf->halbzeit_status == 2 && sf->situation == SIT_HALBZEIT_ENDE) {
            // The engine has ended the half itself.
            halbzeit_ende_behandeln(r, *s, sf,
                                    halbzeit_ergebnis_erzwungen(s->wettbewerb, s->minute, r.halbzeit, false));
        }
        r.minute = static_cast<u8>(std::clamp<int>(s->minute, 0, 255));
        r.schritt = z.schrittzaehler;
    } else if (r.status == ST_ELFMETER) {
        if (Spielfeld_Darf_Enden(static_cast<u32>(r.spiel)) && Spieltag_Elfmeterschiessen_Schritt(r)) {
            r.status = ST_BEENDET;
            Spielfeld_Set_Spielende(static_cast<u32>(r.spiel));
            Spielfeld_Set_Beendet(static_cast<u32>(r.spiel));
        }
    }
    return sf->engine != 0;
}

Spieltag_Slot neue_zeile(i32 spiel) {
    neue_spiele = true;
    Spieltag_Slot r{};
    r.spiel = static_cast<i16>(spiel);
    r.status = ST_WARTET;
    return r;
}

// Weather and line-ups of a new row.
void Spieltag_Spiel_Vorbereiten(Spieltag_Slot& r) {
    static const i8 kalt[12] = {90, 100, 84, 66, 50, 34, 16, 0, 16, 33, 55, 76};
    static const i8 warm[12] = {10, 0, 16, 33, 50, 66, 84, 100, 84, 66, 45, 24};
    const i32 t = Rnd_Basis(0, 6) - 3, w = Rnd_Basis(0, 100), m = Rnd_Basis(0, 50);
    Spiel* s = spiel_von(r);
    if (!s) return;
    // The crowd and the gate are taken at kick-off, when the ground is known
    // (a tie without home right moves to a neutral one).
    const int monat = std::clamp<int>(Kalender_Get_Datum().monat, 1, 12) - 1;
    const int temp = std::clamp((-5 * kalt[monat] + 25 * warm[monat]) / 100 + Rnd_Basis(0, 4) - 2 + t, -43, 50);
    int regen = std::clamp((50 * m + w * (100 - m)) / 100 + Rnd_Basis(0, 20) - 10, 0, 100);
    if (temp < 2 && Rnd_Basis(0, 4) == 0 && regen < 76) regen = 77;
    s->temperatur = static_cast<i8>(temp);
    s->niederschlag = static_cast<u8>(regen);
    for (i32 team : {static_cast<i32>(s->team_a), static_cast<i32>(s->team_b)}) {
        if (team <= 0) continue;
        Spiele_Setze_Sperren_Spieler_Vor_Spiel(s->wettbewerb, team, true);
        if (Team_Hat_Manager(team)) Check_Und_Set_Aa(team);
        else Aufstellung_Automatisch(team);
    }
}


}  // namespace spieltag_intern

using namespace spieltag_intern;

// --- shoot-out bookkeeping ---------------------------------------------------------

bool Spieltag_Elfmeter_Entschieden(Spieltag_Elfmeter& e, int k, int o) {
    int zweite = e.seite != e.erste_seite;
    if (e.runden > 0 && (k - 1 + e.runden < o || o + e.runden - zweite < k)) {
        e.runden = 0;
        zweite = 1;
    }
    if (e.runden == 0 && k != o && zweite) return true;
    const int s = e.seite;
    if (++e.naechster[s] >= std::max<int>(1, e.anzahl[s])) e.naechster[s] = 0;
    if (zweite && e.runden > 0 && --e.runden == 0) {
        e.pro_runde = 1;
        e.runden = 1;
    }
    e.seite = static_cast<i8>(1 - s);
    return false;
}

// --- venue, marking, value reset -------------------------------------------------------

i32 Spieltag_Neutraler_Ort(i32 wettbewerb, i32 heim, i32 gast, i32 wichtigkeit) {
    const Wettbewerb_Info* info = Wettbewerb_Get_Info(wettbewerb);
    if (info && info->ausrichter_stadion >= 0 && info->ausrichter_stadion < Team_Anzahl &&
        Stadion_Get(info->ausrichter_stadion, 0))
        return info->ausrichter_stadion;
    if (Team_Anzahl <= 0) return -1;
    const bool international = Wettbewerb_Ist_International(wettbewerb);
    const i32 land_heim = Team_Wert(TEAM_WERT_NATION, heim, 0, OP_LESEN),
              land_gast = Team_Wert(TEAM_WERT_NATION, gast, 0, OP_LESEN);
    // The needed size shrinks by 1,000 places every 100 failed draws, so the
    // search ends after at most (size / 1,000) x 100 draws.
    i32 noetig = static_cast<i32>(static_cast<i64>(std::max(0, wichtigkeit)) * 70000 / 100);
    for (int fehl = 0; noetig > 1000;) {
        const i32 t = Rnd_Basis(0, Team_Anzahl - 1);
        const i32 land = Team_Wert(TEAM_WERT_NATION, t, 0, OP_LESEN);
        const bool land_passt = international ? land != land_heim && land != land_gast
                                              : land_heim != land_gast || land == land_heim;
        if (Stadion_Get_Kapazitaet(t) >= noetig && Team_Ist_Normal(t, SPIELTAG_NEUTRAL_MASKE) && Stadion_Get(t, 0) &&
            land_passt)
            return t;
        if (++fehl % 100 == 0) noetig -= 1000;
    }
    return -1;
}

void Spieltag_Manndeckung(i32 team, i32 gegner) {
    if (team <= 0) return;
    i32 prozent;
    if (Team_Hat_Manager(team)) {
        u8 taktik[7] = {};
        Team_Get_Aktuelle_Taktik(team, taktik);
        // Byte 3 is the tactics screen's man-marking switch: on gives every
        // dangerous opponent a marker, off takes the markers away.
        prozent = taktik[3] ? 100 : 0;
    } else {
        prozent = Rnd_Basis(0, 100);
    }
    Assi_Mannschaftsaufstellung(team, gegner, prozent);
}

void Spieltag_Team_Werte_Zuruecksetzen(i32 team) {
    if (team <= 0 || Schwierigkeit != 0 || Kalender_Get_Tag() >= 90) return;
    i32 kader[MAX_STARTER];
    const int n = Teamspieler_Ins_Array(team, kader, MAX_STARTER, 0);
    for (int i = 0; i < n; ++i) {
        Spieler_Wert(SPIELER_WERT_MORAL, kader[i], 4, OP_SCHREIBEN);
        Spieler_Wert(SPIELER_WERT_ERSCHOEPFUNG, kader[i], 0, OP_SCHREIBEN);
        for (int a = 0; a < ATTRIBUT_ANZAHL; ++a)
            if (Attribute_Hat_Attribut(kader[i], a)) Spieler_Wert(a, kader[i], 0, OP_SCHREIBEN);
    }
}
