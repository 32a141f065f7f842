#include "matchday/saison.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <numeric>
#include <vector>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/memory.h"
#include "base/random.h"
#include "base/ruf.h"
#include "match/spielfeld.h"
#include "matchday/spieltag.h"
#include "season/ankuendigung.h"
#include "season/archiv.h"
#include "season/ereignisse.h"
#include "season/freundschaft.h"
#include "season/kalender.h"
#include "season/paarungen.h"
#include "season/qualifikation.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/welt.h"
#include "world/team.h"

namespace {

constexpr int TERMIN_VERSUCHE = 50;  // placings of a season before a competition without days is stopped

Wettbewerb* tab() { return Wettbewerb_Tabelle; }
bool gueltig(i32 i) { return i >= 0 && i < WETTBEWERB_ANZAHL && Wettbewerb_Tabelle && Wettbewerb_Tabelle[i].name[0]; }
i32 index_von(const Wettbewerb& w) { return static_cast<i32>(&w - Wettbewerb_Tabelle); }
bool ist_ko(const Wettbewerb& w) { return (w.modus & WB_KO_SYSTEM) != 0; }
i32 legs(const Wettbewerb& w) { return std::max<i32>(w.best_of_x, 1); }

// Walks along a link, bounded so a broken chain cannot loop.
template <class Link>
i32 ende_von(i32 i, Link link) {
    for (int n = 0; gueltig(i) && gueltig(link(tab()[i])) && n < WETTBEWERB_ANZAHL; ++n) i = link(tab()[i]);
    return i;
}
i32 erste_gruppe(i32 i) {
    return ende_von(i, [](const Wettbewerb& w) { return w.vorherige_gruppe; });
}
i32 erste_runde(i32 i) {
    return ende_von(erste_gruppe(i), [](const Wettbewerb& w) { return w.vorherige_runde; });
}
std::vector<i32> gruppen(i32 erste) {
    std::vector<i32> g;
    for (i32 i = erste; gueltig(i) && static_cast<int>(g.size()) < WETTBEWERB_ANZAHL; i = tab()[i].naechste_gruppe) {
        if (std::find(g.begin(), g.end(), i) != g.end()) break;
        g.push_back(i);
    }
    return g;
}
// The first groups of the rounds of a chain, from its first round on.
std::vector<i32> runden(i32 erste) {
    std::vector<i32> r;
    for (i32 i = erste; gueltig(i) && static_cast<int>(r.size()) < WETTBEWERB_ANZAHL; i = tab()[i].naechste_runde) {
        i = erste_gruppe(i);
        if (std::find(r.begin(), r.end(), i) != r.end()) break;
        r.push_back(i);
    }
    return r;
}
i32 spieltage_von(i32 i) { return gueltig(i) ? tab()[i].spieltage : 0; }

void rangliste_aus_aktuellen(Wettbewerb& w) {
    for (i32 k = 0; k < std::clamp(w.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS); ++k)
        w.teilnehmer[k] = w.aktuelle_team[k];
}

// Root and chain sums of a record.
void kette_setzen(Wettbewerb& w) {
    const i32 wurzel = erste_runde(index_von(w));
    w.wurzel = wurzel;
    w.ketten_spieltage[0] = w.ketten_spieltage[1] = 0;
    const i32 eigene = erste_gruppe(index_von(w));
    bool erreicht = false;
    for (i32 r : runden(wurzel)) {
        if (r == eigene) erreicht = true;
        w.ketten_spieltage[0] += tab()[r].spieltage;
        if (!erreicht) w.ketten_spieltage[1] += tab()[r].spieltage;
    }
}

void marke_setzen(i32 erste, i32 marke) {
    const Wettbewerb& e = tab()[erste];
    for (i32 g : gruppen(erste)) {
        tab()[g].kalendermarke = marke;
        tab()[g].ketten_spieltage[0] = e.ketten_spieltage[0];
        tab()[g].ketten_spieltage[1] = e.ketten_spieltage[1];
    }
}

// A round without matches passes its entered teams on (shuffled by lot).
void runde_ohne_spiele(i32 erste) {
    for (i32 gi : gruppen(erste)) {
        Wettbewerb& g = tab()[gi];
        g.kalendermarke = Kalender_Neuer_Slot();
        const i32 n = std::clamp(g.teams, 0, WETTBEWERB_MAX_TEAMS);
        std::vector<u32> ordnung(static_cast<size_t>(n));
        std::iota(ordnung.begin(), ordnung.end(), 0u);
        if (g.modus & WB_LOSEN) SortMisch_Mische(ordnung.data(), n);
        for (i32 k = 0; k < n; ++k) {
            g.aktuelle_team[k] = g.start_team[k];
            g.teilnehmer[k] = g.start_team[ordnung[static_cast<size_t>(k)]];
        }
        g.aktuelle_teams = n;
    }
    Wettbewerb_Qualifikanten_Verteilen(tab()[erste]);
}

// The calendar's per-day tables and slot counter as they were.
void kalender_zurueck(const Kalender_Zustand& alt) {
    Kalender_Zustand& z = Kalender_Get_Zustand();
    std::memcpy(z.bits, alt.bits, sizeof z.bits);
    std::memcpy(z.art, alt.art, sizeof z.art);
    z.slot_zaehler = alt.slot_zaehler;
}

// Places the matchdays of a round (its first group); the mark or -1.
i32 termine_verteilen(Wettbewerb& w, bool alle_folgenden) {
    const i32 vorher = gueltig(w.vorherige_runde) ? tab()[w.vorherige_runde].kalendermarke : -1;
    i32 folgend = 0;
    for (i32 r : runden(w.naechste_runde))
        if (alle_folgenden || tab()[r].startwoche <= w.endwoche) folgend += tab()[r].spieltage * legs(tab()[r]);
    Debug_Printf("WETTBEWERB '%s' wird eingetragen\n", w.name);
    return Kalender_Termine_Verteilen(w.spieltage * legs(w), vorher, folgend, w.wochentag, w.quote_wochentag,
                                      w.startwoche, w.endwoche, w.super_alias, w.spielfrei_start, w.spielfrei_ende, -1,
                                      w.mehrmals_pro_jahr != 0, w.best_of_x == 2 && w.rueckspiel_zwei_wochen);
}

void stoppen(i32 erste_r) {
    for (i32 r : runden(erste_r))
        for (i32 g : gruppen(r)) {
            Kalender_Termine_Loeschen(tab()[g].id);
            tab()[g].alle_x_jahre = -1;
            tab()[g].flags[1] = 0;
        }
}

// Enters the teams of every group of a round that has not started.
bool runde_eintragen(i32 erste) {
    bool ok = true;
    for (i32 g : gruppen(erste))
        if (!tab()[g].flags[1]) ok = Wettbewerb_Teilnehmer_Eintragen(tab()[g], false) && ok;
    return ok;
}

// One placing pass over the due rounds (earlier rounds of a chain first);
// the first round that found no days, or -1.
i32 platzieren(i32 jahr) {
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!gueltig(i) || tab()[i].vorherige_runde >= 0 || tab()[i].vorherige_gruppe >= 0) continue;
        for (i32 r : runden(i)) {
            Wettbewerb& w = tab()[r];
            w.aktueller_spieltag = w.aktuelle_runde = 0;
            if (!Wettbewerb_Faellig(w, jahr) || w.kalendermarke >= 0) continue;
            const bool vorrunde = gueltig(w.vorherige_runde) && spieltage_von(w.vorherige_runde) != 0;
            if (!vorrunde && !w.flags[1] && !runde_eintragen(r)) break;
            for (i32 s : runden(w.naechste_runde))
                if (!tab()[s].flags[1] && tab()[s].kalendermarke < 0) runde_eintragen(s);
            if (!vorrunde && w.flags[1])
                for (i32 g : gruppen(r)) Wettbewerb_Runde_Vorbereiten(tab()[g]);
            if (w.spieltage <= 0) continue;
            const i32 marke = termine_verteilen(w, false);
            if (marke >= 0) {
                Spiele_Loesche_Wettbewerb_Ereignis(w.id);
                marke_setzen(r, marke);
            } else if (!w.mehrmals_pro_jahr) {
                Debug_Printf("Keine Termine für Wettbewerb %s\n", w.name);
                return r;
            }
        }
    }
    return -1;
}

// The ranking after a knock-out matchday: winners in places 0..n-1, the
// losers behind them; a tie left level is decided by lot.
void ko_auswerten(Wettbewerb& g) {
    const i32 n = Wettbewerb_Spiele_Pro_Spieltag(&g, -1);
    const bool finale = g.aktueller_spieltag + 1 >= g.spieltage && !gueltig(g.naechste_runde);
    for (i32 k = 0; k < n && n + k < WETTBEWERB_MAX_TEAMS; ++k) {
        i32 sieger = -1, verlierer = -1;
        const i32 r = Wettbewerb_KO_Sieger(&g, -1, k, &sieger, &verlierer, -1, 0, 0);
        if (r < 0) {
            Debug_Printf("Fehler: Kein Sieger in Wettbewerb %s\n", g.name);
            const bool b = Rnd_Basis(0, 1) == 1;
            Wettbewerb_KO_Sieger(&g, -1, k, &sieger, &verlierer, 0, b ? 0 : 1, b ? 1 : 0);
        }
        g.teilnehmer[k] = static_cast<i16>(sieger);
        g.teilnehmer[n + k] = static_cast<i16>(verlierer);
        g.platz_slots[k] = k;
        g.platz_slots[n + k] = n + k;
        g.ranglisten_wert[k] = static_cast<u32>(2 * n - k);
        g.ranglisten_wert[n + k] = static_cast<u32>(n - k);
        if (!finale || sieger < 0) continue;
        i32 hoch = 0, tief = 0;
        const Spiel* spiele = Spiele_Get_Spiele(g.spielplan);
        const Spielplan_Kopf* kopf = Spiele_Get_Kopf(g.spielplan);
        for (u32 i = 0; spiele && kopf && i < kopf->spiele; ++i) {
            const Spiel& s = spiele[i];
            if (s.spieltag != g.aktueller_spieltag || s.runde != 0 || s.index != k) continue;
            hoch = std::max<i32>(s.tore_a, s.tore_b);
            tief = std::min<i32>(s.tore_a, s.tore_b);
        }
        Spiele_Set_Wettbewerb_Sieger(g.id, sieger, Kalender_Get_Jahr(), verlierer, std::max(hoch, 0),
                                     std::max(tief, 0));
    }
}

void archivieren(const Wettbewerb& g) {
    auto t = std::make_unique<Tabelle>();
    Wettbewerb_Tabelle_Vorbereiten(&g, t.get());
    Tabelle_Argumente a;
    a.wettbewerb = g.id;
    Spiele_Get_Tabelle(a, t.get());
    Statistik_Archiv_Speichern(*t, Kalender_Get_Jahr());
}

// A finished round: winner, runner-up; for the last round the winners
// store, the archive and promotion and relegation.
void runde_ende(Wettbewerb& g) {
    g.sieger = g.teilnehmer[0];
    g.zweiter = g.teilnehmer[1];
    const bool liga = !ist_ko(g) && Spiele_Get_Kopf(g.spielplan);
    if (g.basisliga && liga) archivieren(g);
    if (gueltig(g.naechste_runde)) return;
    Spielankuendigung_Sieger(g.id, g.sieger, g.zweiter, static_cast<i32>(g.modus));
    if (g.sieger >= 0 && !ist_ko(g)) Spiele_Set_Wettbewerb_Sieger(g.id, g.sieger, Kalender_Get_Jahr(), -1, 0, 0);
    if (g.basisliga && g.sieger >= 0) Wettbewerb_Auf_Abstieg_Anwenden(g);
}

// The knock-out slots of the new matchday: the previous matchday's winners
// in game order; positions past the winners are byes.
void ko_slots_setzen(Wettbewerb& g) {
    const i32 neu = Wettbewerb_Spiele_Pro_Spieltag(&g, -1);
    const i32 start = Wettbewerb_Get_Slot_Offset(&g, -1);
    const i32 vorher = Wettbewerb_Spiele_Pro_Spieltag(&g, g.aktueller_spieltag - 1);
    for (i32 s = 0; s < 2 * neu && start + s < static_cast<i32>(sizeof g.team_slots); ++s) {
        const i32 team = s < vorher ? g.teilnehmer[s] : -1;
        g.team_slots[start + s] = 255;
        for (i32 p = 0; team >= 0 && p < std::clamp(g.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS); ++p)
            if (g.aktuelle_team[p] == team) g.team_slots[start + s] = static_cast<u8>(p);
    }
}

// A later round whose previous round is still being played waits for it.
bool vorrunde_laeuft(const Wettbewerb& w) {
    const i32 v = erste_gruppe(w.vorherige_runde);
    return gueltig(v) && tab()[v].kalendermarke >= 0 && tab()[v].aktueller_spieltag < tab()[v].spieltage;
}

// A round whose qualification week has come while its previous round was
// still being played enters when that round ends.
void verspaetet_eintragen(Wettbewerb& g) {
    const i32 woche = (Kalender_Get_Tag() - Kalender_Get_Basistag() + 6) / 7;
    if (g.flags[1] || g.qualiwoche == 0 || woche < g.qualiwoche) return;
    const i8 qualiwoche = g.qualiwoche;
    g.qualiwoche = 0;
    Wettbewerb_Teilnehmer_Eintragen(g, false);
    g.qualiwoche = qualiwoche;
}

// After a finished round of a chain: the next round enters its teams,
// rounds without matches pass theirs on, the next round is prepared.
void naechste_runde_starten(const Wettbewerb& w) {
    const i32 jahr = Kalender_Get_Jahr();
    i32 r = erste_gruppe(w.naechste_runde);
    runde_eintragen(r);
    for (i32 g : gruppen(r)) verspaetet_eintragen(tab()[g]);
    for (int n = 0; gueltig(r) && tab()[r].spieltage == 0 && n < WETTBEWERB_ANZAHL; ++n) {
        for (i32 g : gruppen(r)) rangliste_aus_aktuellen(tab()[g]);
        Wettbewerb_Qualifikanten_Verteilen(tab()[r]);
        r = erste_gruppe(tab()[r].naechste_runde);
    }
    if (!gueltig(r)) return;
    for (i32 g : gruppen(r)) {
        Wettbewerb& x = tab()[g];
        if (x.flags[1] && x.spieltage > 0 && Wettbewerb_Faellig(x, jahr)) Wettbewerb_Runde_Vorbereiten(x);
    }
}

// Legs of a competition played so far by the calendar (its marked days up
// to today), -1 without a mark.
i32 legs_bis_heute(const Wettbewerb& w) {
    if (w.kalendermarke < 0) return -1;
    i32 runde = 0;
    const i32 d = Kalender_Get_Spieltag_Nummer(Kalender_Get_Tag(), w.id, &runde);
    return d < 0 ? 0 : d * legs(w) + runde + 1;
}

}  // namespace

bool Wettbewerb_Faellig(const Wettbewerb& w, i32 jahr) {
    if (w.alle_x_jahre < 0 || w.startjahr > jahr) return false;
    return w.alle_x_jahre == 0 || (jahr - w.startjahr) % w.alle_x_jahre == 0;
}

namespace {

// At game start each base league's value A: the average strength of the
// squads of the clubs it holds, known before any
// line-up is picked.
// Each club's league is looked up once: a search per league and club went
// through every competition's list for every pair.
void ligawerte_setzen() {
    std::map<i32, std::pair<i64, i32>> ligen;  // league -> (strength summed, clubs)
    for (i32 t = 0; t < Team_Anzahl; ++t) {
        auto& [summe, n] = ligen[Wettbewerb_Get_Liga_Von_Team(t, true)];
        summe += std::max(Team_Get_Staerke_Modus(t, 0), 0);
        ++n;
    }
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!gueltig(i) || !tab()[i].basisliga) continue;
        const auto l = ligen.find(tab()[i].id);
        if (l != ligen.end() && l->second.second > 0)
            Wettbewerb_Set_Wert_A(tab()[i].id, static_cast<i32>(l->second.first / l->second.second));
    }
}

}  // namespace

void Wettbewerb_Jedes_Jahr() {
    if (ruf::Client()) {
        Debug_Printf("Cl: Wettbewerb Jedes_Jahr");
        return;
    }
    if (!Wettbewerb_Modul_Bereit()) return;
    // Last season's friendlies go with their competition; a new one opens
    // at the end, empty, for the games arranged during this season.
    if (Wettbewerb_Freundschaft_Id != -1) Dummy_Free(Wettbewerb_Freundschaft_Id);
    const i32 jahr = Kalender_Get_Jahr();
    std::vector<bool> fertig(WETTBEWERB_ANZAHL, false);
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!gueltig(i)) continue;
        Wettbewerb& w = tab()[i];
        const bool faellig = Wettbewerb_Faellig(w, jahr);
        // Competitions that hand their qualifiers on at the season start.
        if (faellig && w.flags[1] && w.quali_saisonstart && !w.mehrmals_pro_jahr && !gueltig(w.naechste_runde) &&
            w.vorherige_gruppe < 0) {
            fertig[static_cast<size_t>(i)] = true;
            if (w.spieltage == 0)
                for (i32 g : gruppen(i)) rangliste_aus_aktuellen(tab()[g]);
            Wettbewerb_Qualifikanten_Verteilen(w);
        }
        w.kalendermarke = -1;
        if (faellig && !fertig[static_cast<size_t>(i)] && w.spieltage == 0 && w.vorherige_gruppe < 0 &&
            (w.quali_saisonstart || w.vorherige_runde < 0)) {
            fertig[static_cast<size_t>(i)] = true;
            runde_ohne_spiele(i);
        }
        w.flags[1] = 0;
        w.aktueller_ausrichter = w.ausrichter;
        if (Spiele_Get_Kopf(w.spielplan)) {
            Wettbewerb_Spielplan_Mischen(w);
            Spiele_Ergebnisse_Loeschen(w.id);
        }
        w.aktueller_spieltag = w.aktuelle_runde = 0;
        kette_setzen(w);
    }
    // Place the matchdays; a competition without days makes the season try
    // again from a clean calendar, and after 50 tries it is stopped.
    std::vector<Wettbewerb> sicherung(tab(), tab() + WETTBEWERB_ANZAHL);
    const Kalender_Zustand kalender = Kalender_Get_Zustand();
    for (int versuch = 1;; ++versuch) {
        const i32 ohne = platzieren(jahr);
        if (ohne < 0) break;
        if (versuch >= TERMIN_VERSUCHE) {
            Meldung_Printf("Wettbewerb %s konnte nicht eingetragen werden\n", tab()[ohne].name);
            stoppen(ohne);
            sicherung.assign(tab(), tab() + WETTBEWERB_ANZAHL);
            versuch = 0;
        } else {
            std::copy(sicherung.begin(), sicherung.end(), tab());
        }
        kalender_zurueck(kalender);
    }
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!gueltig(i)) continue;
        Wettbewerb& w = tab()[i];
        if (!Wettbewerb_Faellig(w, jahr) || w.spieltage != 0 || w.vorherige_runde >= 0 || w.vorherige_gruppe >= 0 ||
            fertig[static_cast<size_t>(i)])
            continue;
        for (i32 g : gruppen(i)) {
            rangliste_aus_aktuellen(tab()[g]);
            tab()[g].ketten_spieltage[0] = w.ketten_spieltage[0];
            tab()[g].ketten_spieltage[1] = w.ketten_spieltage[1];
        }
        Wettbewerb_Qualifikanten_Verteilen(w);
    }
    Wettbewerb_Freundschaftsspiele_Anlegen();
    if (jahr == 0) ligawerte_setzen();
}

void Wettbewerb_Jeden_Tag() {
    if (ruf::Client()) {
        Debug_Printf("Cl: Wettbewerb Jeden_Tag");
        return;
    }
    if (!Wettbewerb_Modul_Bereit()) return;
    const i32 jahr = Kalender_Get_Jahr();
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!gueltig(i)) continue;
        Wettbewerb& w = tab()[i];
        const u8 vorher = w.flags[1];
        if (!w.flags[1] && Wettbewerb_Faellig(w, jahr) && !vorrunde_laeuft(w)) Wettbewerb_Teilnehmer_Eintragen(w, true);
        if (w.flags[1] != vorher) Wettbewerb_Runde_Vorbereiten(w);
    }
    // A leg whose day has come with nothing left to play (every game of it
    // decided before, or none at all) ends today, so the competition never
    // waits for a day that will not come again.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!gueltig(i) || tab()[i].vorherige_gruppe >= 0) continue;
        const Wettbewerb& w = tab()[i];
        if (w.aktueller_spieltag >= w.spieltage || w.kalendermarke < 0) continue;
        if (legs_bis_heute(w) != w.aktueller_spieltag * legs(w) + w.aktuelle_runde + 1) continue;
        if (!Kalender_Termin_Gesetzt(Kalender_Get_Tag() - Kalender_Get_Basistag(), w.kalendermarke)) continue;
        bool zeilen = false;
        for (const auto& r : Spieltag_Slots())
            if (const Spiel* s = r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr)
                for (i32 g : gruppen(i)) zeilen = zeilen || static_cast<i32>(s->wettbewerb) == tab()[g].id;
        if (!zeilen) Wettbewerb_Spiele_Beendet(w.id);
    }
}

void Saison_Wechsel() {
    if (!ruf::Client() && Kalender_Ist_Initialisiert()) {
        // The tables start on the Thursday on or before 3 July: weekdays and
        // weeks are counted from the base day as in the first season (day 0
        // is a Thursday).
        const i32 heute = Kalender_Get_Tag();
        Kalender_Get_Zustand().basistag = heute - heute % 7;
        Kalender_Jedes_Jahr();
        // Every managed club has its transfers of the new season (by its league now).
        for (i32 t = 0; t < Team_Anzahl; ++t)
            if (Team_Hat_Manager(t)) Team_Set_Finanzdaten(t, 0);
        // Last season's cleared games leave their events behind.
        Spiele_Ereignisse_Verdichten();
    }
    // What the season's large blocks (the yearly set-up's among them) left
    // in the heap goes back, with the pitch records kept for the matches:
    // in the calendar's next pass, not in this one's full frame.
    Spielfeld_Vorrat_Freigeben();
    W32_Memory_Zurueckgeben_Spaeter();
}

void Wettbewerb_Runde_Vorbereiten(Wettbewerb& g) {
    if (ist_ko(g) && g.aktueller_spieltag == 0) {
        // Positions past the field of a first knock-out matchday are byes.
        const i32 n = Wettbewerb_Spiele_Pro_Spieltag(&g, 0);
        for (i32 s = std::clamp(g.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS);
             s < 2 * n && s < static_cast<i32>(sizeof g.team_slots); ++s)
            g.team_slots[s] = 255;
    }
    Wettbewerb_KO_Auslosung(g);
    Wettbewerb_Paarungen_Setzen(g);
    Wettbewerb_Heimrecht_Anpassen(g);
}

void Wettbewerb_Runde_Auswerten(Wettbewerb& g) {
    if (ist_ko(g)) {
        ko_auswerten(g);
        return;
    }
    const u8 endgueltig = g.flags[0];
    Wettbewerb_Tabelle_Uebernehmen(g);
    g.flags[0] = endgueltig;
}

void Wettbewerb_Spiele_Beendet(i32 id) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Wettbewerb Spiele_Beendet");
        return;
    }
    if (!Wettbewerb_Modul_Bereit()) return;
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    // Only the first group drives the round; a finished round ends once.
    if (!w || w->vorherige_gruppe >= 0 || w->aktueller_spieltag >= w->spieltage) return;
    ++w->aktuelle_runde;
    Spiele_Tabellen_Cache_Leeren();
    if (w->aktuelle_runde < legs(*w)) return;
    for (i32 gi : gruppen(index_von(*w))) {
        Wettbewerb& g = tab()[gi];
        Wettbewerb_Runde_Auswerten(g);
        ++g.aktueller_spieltag;
        g.aktuelle_runde = 0;
        if (g.aktueller_spieltag < g.spieltage) {
            if (ist_ko(g)) ko_slots_setzen(g);
            Wettbewerb_Runde_Vorbereiten(g);
        } else {
            runde_ende(g);
        }
    }
    if (w->aktueller_spieltag < w->spieltage) return;
    if (!(w->quali_saisonstart && !gueltig(w->naechste_runde) && !w->mehrmals_pro_jahr))
        Wettbewerb_Qualifikanten_Verteilen(*w);
    if (gueltig(w->naechste_runde)) {
        naechste_runde_starten(*w);
    } else if (w->mehrmals_pro_jahr) {
        w->flags[1] = 0;
        for (i32 r : runden(erste_runde(index_von(*w))))
            for (i32 g : gruppen(r)) {
                tab()[g].flags[1] = 0;
                Kalender_Termine_Loeschen(tab()[g].id);
                tab()[g].kalendermarke = -1;
            }
        Wettbewerb_Neu_Eintragen(*w);
    }
}

void Wettbewerb_Auf_Abstieg_Anwenden(Wettbewerb& g) {
    if (!g.basisliga) return;
    i32 ebenen = 0, eigene = 0;
    Wettbewerb_Visuell_Vertikal_Anz(g.id, &ebenen, &eigene);
    const i32 n = std::clamp(g.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS);
    std::vector<i32> teams(g.aktuelle_team, g.aktuelle_team + n);
    Team_Init_Spieler_Nach_Liga(teams.data(), n);
    const i32 wurzel = Wettbewerb_Get_Hierarchie_Wurzel(g.id);
    // The human managers' teams of the league and the leagues their moves
    // go to (a league's switches 1 and 2 follow its managers).
    i32 gemanagt = 0;
    std::vector<i32> ziele_der_menschen;
    for (i32 p = 0; p < std::min(g.teams, n); ++p) {
        if (Team_Hat_Manager(g.aktuelle_team[p])) ++gemanagt;
        const i32* ziele = Wettbewerb_Get_Qualifikanten(g.id, p);
        for (int k = 0; ziele && k < WETTBEWERB_QUALI_LISTEN && ziele[k] >= 0; ++k) {
            if (ziele[k] == g.id || Wettbewerb_Get_Hierarchie_Wurzel(ziele[k]) != wurzel) continue;
            i32 z_ebenen = 0, z_ebene = 0;
            Wettbewerb_Visuell_Vertikal_Anz(ziele[k], &z_ebenen, &z_ebene);
            const i32 team = g.teilnehmer[p];
            if (team > 0 && z_ebene != eigene) {
                Team_Set_Finanzdaten(team, z_ebene > eigene ? 2 : 1);
                if (Team_Hat_Manager(team)) ziele_der_menschen.push_back(ziele[k]);
            }
        }
    }
    i32 bleiben = gemanagt;
    for (i32 ziel : ziele_der_menschen) {
        --bleiben;
        for (i32 art : {1, 2})
            if (Wettbewerb_Get_Schalter(g.id, art)) Wettbewerb_Set_Schalter(ziel, art, SCHALTER_SETZEN);
    }
    if (gemanagt > 0 && bleiben <= 0)
        for (i32 art : {1, 2}) Wettbewerb_Set_Schalter(g.id, art, SCHALTER_LOESCHEN);
}

bool Wettbewerb_Neu_Eintragen(Wettbewerb& w) {
    if (!Wettbewerb_Modul_Bereit()) return false;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        if (gueltig(i) && i != index_von(w) && tab()[i].super_alias == w.super_alias && tab()[i].kalendermarke >= 0 &&
            tab()[i].aktueller_spieltag < tab()[i].spieltage)
            return false;
    const i32 erste = erste_runde(index_von(w));
    for (i32 r : runden(erste))
        for (i32 gi : gruppen(r)) {
            Wettbewerb& g = tab()[gi];
            g.aktueller_spieltag = g.aktuelle_runde = 0;
            g.aktueller_ausrichter = g.ausrichter;
            if (Spiele_Get_Kopf(g.spielplan)) {
                Wettbewerb_Spielplan_Mischen(g);
                Spiele_Ergebnisse_Loeschen(g.id);
            }
        }
    Wettbewerb& e = tab()[erste];
    if (!runde_eintragen(erste)) return false;
    for (i32 g : gruppen(erste)) Wettbewerb_Runde_Vorbereiten(tab()[g]);
    const i32 marke = termine_verteilen(e, true);
    if (marke < 0) {
        // No days left this season: the field waits for the next one.
        for (i32 gi : gruppen(erste)) {
            Wettbewerb& g = tab()[gi];
            g.flags[1] = 0;
            const i32 n = std::clamp(g.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS);
            std::copy(g.aktuelle_team, g.aktuelle_team + n, g.start_team);
            g.startteam_anzahl = n;
        }
        return false;
    }
    Spiele_Loesche_Wettbewerb_Ereignis(e.id);
    for (i32 r : runden(erste)) kette_setzen(tab()[r]);
    marke_setzen(erste, marke);
    return true;
}

