#include "season/wettbewerb_abfragen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <strings.h>
#include <vector>

#include "season/kalender.h"
#include "season/paarungen.h"
#include "season/qualifikation.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/ereignisse.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "world/welt.h"

namespace {

Wettbewerb* tab() { return Wettbewerb_Tabelle; }
bool in_gebrauch(i32 i) { return tab() && i >= 0 && i < WETTBEWERB_ANZAHL && tab()[i].name[0]; }
// The records in use run from index 0 up to the first free one.
i32 anzahl_in_gebrauch() {
    i32 n = 0;
    while (n < WETTBEWERB_ANZAHL && in_gebrauch(n)) ++n;
    return n;
}

i32 erste_gruppe(i32 i) {
    for (int n = 0; n < WETTBEWERB_ANZAHL && in_gebrauch(tab()[i].vorherige_gruppe); ++n)
        i = tab()[i].vorherige_gruppe;
    return i;
}
i32 erste_runde(i32 i) {
    i = erste_gruppe(i);
    for (int n = 0; n < WETTBEWERB_ANZAHL && in_gebrauch(tab()[i].vorherige_runde); ++n)
        i = erste_gruppe(tab()[i].vorherige_runde);
    return i;
}
// The root of a chain: the index the season set-up stored, else the first
// round (a chain not set up yet).
i32 wurzel_index(i32 i) { return in_gebrauch(tab()[i].wurzel) ? tab()[i].wurzel : erste_runde(i); }

// The first groups of the rounds of a chain from its first round, each once.
std::vector<i32> runden_ab(i32 erste) {
    std::vector<i32> r;
    for (i32 i = erste; in_gebrauch(i) && static_cast<int>(r.size()) < WETTBEWERB_ANZAHL;
         i = tab()[i].naechste_runde) {
        i = erste_gruppe(i);
        if (std::find(r.begin(), r.end(), i) != r.end()) break;
        r.push_back(i);
    }
    return r;
}
std::vector<i32> gruppen_von(i32 erste) {
    std::vector<i32> g;
    for (i32 i = erste_gruppe(erste); in_gebrauch(i) && static_cast<int>(g.size()) < WETTBEWERB_ANZAHL;
         i = tab()[i].naechste_gruppe) {
        if (std::find(g.begin(), g.end(), i) != g.end()) break;
        g.push_back(i);
    }
    return g;
}

bool faellig(const Wettbewerb& w) {
    const i32 jahr = Kalender_Get_Jahr();
    if (w.alle_x_jahre < 0 || w.startjahr > jahr) return false;
    return w.alle_x_jahre == 0 || (jahr - w.startjahr) % w.alle_x_jahre == 0;
}
bool gehalten(i32 i) { return in_gebrauch(i) && tab()[i].spieltage != 0 && faellig(tab()[i]); }

const Wettbewerb* wb(i32 id) { return Wettbewerb_Get_Zeiger(id); }

// The team numbers of the pairs of leg 0 of matchday d.
std::vector<i32> paar_teams(const Wettbewerb& w, i32 d) {
    std::vector<i32> v;
    if (d < 0 || d >= std::min(w.spieltage, WETTBEWERB_MAX_SPIELTAGE)) return v;
    Wettbewerb_Paar paare[PAARUNGEN_MAX_SPIELE];
    const int n = Wettbewerb_Get_Spieltag_Paarungen(w, d, 0, paare, PAARUNGEN_MAX_SPIELE);
    const bool variabel = (w.modus & WB_SPIELE_VARIABEL) != 0;
    for (int k = 0; k < n; ++k) {
        v.push_back(variabel ? paare[k].a : Wettbewerb_Team_An_Position(w, paare[k].a));
        v.push_back(variabel ? paare[k].b : Wettbewerb_Team_An_Position(w, paare[k].b));
    }
    return v;
}
bool hat_paar(const Wettbewerb& w, i32 d, i32 team) {
    const std::vector<i32> v = paar_teams(w, d);
    return std::find(v.begin(), v.end(), team) != v.end();
}

// A table built into a module-owned record.
Tabelle* tabelle_bauen(const Wettbewerb& w, i32 erster, i32 letzter, i32 optionen, bool prognose, i32 live_minute,
                       Tabelle* ziel = nullptr) {
    static std::unique_ptr<Tabelle> eigene;
    if (!ziel) {
        if (!eigene) eigene = std::make_unique<Tabelle>();
        ziel = eigene.get();
    }
    Wettbewerb_Tabelle_Vorbereiten(&w, ziel);
    Tabelle_Argumente a;
    a.wettbewerb = w.id;
    a.erster_spieltag = erster;
    a.letzter_spieltag = letzter;
    a.optionen = optionen < 0 ? TABELLE_OPTIONEN_VOLL : static_cast<u32>(optionen);
    a.prognose = prognose ? 1 : 0;
    a.live_minute = live_minute;
    Spiele_Get_Tabelle(a, ziel);
    ziel->wettbewerb = static_cast<u32>(w.id);
    return ziel;
}
// The standings alone (rows, counters, keys and order) into a module-owned record.
const Tabelle& stand_bauen(const Wettbewerb& w) {
    static std::unique_ptr<Tabelle> eigene;
    if (!eigene) eigene = std::make_unique<Tabelle>();
    Wettbewerb_Tabelle_Vorbereiten(&w, eigene.get());
    Tabelle_Argumente a;
    a.wettbewerb = w.id;
    a.optionen = TABELLE_OPTIONEN_VOLL;
    Spiele_Get_Tabelle_Stand(a, eigene.get());
    eigene->wettbewerb = static_cast<u32>(w.id);
    return *eigene;
}
bool mit_tabelle(const Wettbewerb* w) { return w && !(w->modus & WB_KO_SYSTEM) && Spiele_Get_Kopf(w->spielplan); }
i32 zeile_von(const Tabelle& t, i32 team) {
    for (u32 r = 0; r < std::min<u32>(t.zeilen, TABELLE_ZEILEN); ++r)
        if (static_cast<i32>(t.team[r]) == team) return static_cast<i32>(r);
    return -1;
}

}  // namespace

// --- held competitions ------------------------------------------------------------

i32 Wettbewerb_Get_Erster_Aktiver() { return Wettbewerb_Get_Naechster_Aktiver(-1); }

i32 Wettbewerb_Get_Naechster_Aktiver(i32 id) {
    if (!tab()) return -1;
    i32 ab = 0;
    if (id != -1) {
        const i32 i = Wettbewerb_Get_Index(id);
        if (i < 0) return -1;
        ab = i + 1;
    }
    for (i32 i = ab; i < WETTBEWERB_ANZAHL; ++i)
        if (gehalten(i)) return tab()[i].id;
    return -1;
}

i32 Wettbewerb_Get_Aktive(i32 land, i32* ids, bool nur_basisligen) {
    if (!tab()) return 0;
    i32 n = 0;
    for (i32 i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!gehalten(i)) continue;
        const Wettbewerb& w = tab()[i];
        const Wettbewerb* naechste = Wettbewerb_Naechste_Runde(&w);
        const bool ende = !naechste || (w.basisliga && !naechste->basisliga);
        if (!ende || (land != -1 && w.land != land) || (nur_basisligen && !w.basisliga)) continue;
        if (!ids) {
            ++n;
            continue;
        }
        const i32 basis = Wettbewerb_Get_Basis_Id(w.id);
        if (std::find(ids, ids + n, basis) == ids + n && n < WETTBEWERB_ANZAHL) ids[n++] = basis;
    }
    return n;
}

// --- chains and matchdays -----------------------------------------------------------

i32 Wettbewerb_Get_Runde_Von_Spieltag(i32 id, i32 d, i32* in_runde) {
    if (in_runde) *in_runde = 0;
    const i32 i = Wettbewerb_Get_Index(id);
    if (i < 0) return -1;
    const std::vector<i32> runden = runden_ab(wurzel_index(i));
    i32 offset = 0, treffer = -1, rest = 0;
    for (i32 r : runden) {
        const Wettbewerb& w = tab()[r];
        const i32 tage = std::max(w.spieltage, 0);
        if (d < 0) {
            // The first round with a group whose current matchday is open.
            for (i32 g : gruppen_von(r))
                if (tab()[g].aktueller_spieltag < tab()[g].spieltage) {
                    treffer = g;
                    rest = tab()[g].aktueller_spieltag;
                    break;
                }
        } else if (d < offset + tage) {
            treffer = r;
            rest = d - offset;
        }
        if (treffer >= 0) break;
        offset += tage;
    }
    if (treffer < 0) {
        // Past the chain's end (or every round finished): its last round.
        treffer = runden.empty() ? i : runden.back();
        rest = d < 0 ? tab()[treffer].aktueller_spieltag : d - (offset - std::max(tab()[treffer].spieltage, 0));
    }
    if (in_runde) *in_runde = std::clamp(rest, 0, std::max(tab()[treffer].spieltage - 1, 0));
    return tab()[treffer].id;
}

bool Wettbewerb_Ist_Englische_Tabelle(i32 id) {
    const Wettbewerb* w = wb(id);
    return w && (w->modus & WB_ENGLISCHE_TABELLE);
}

i32 Wettbewerb_Get_Anz_Spiele(i32 id, i32 d) {
    const Wettbewerb* w = wb(id);
    if (!w || d < -1) return -1;
    return Wettbewerb_Spiele_Pro_Spieltag(w, d);
}

void Wettbewerb_Indizes_Verschieben(i32 index, bool einfuegen) {
    if (!tab() || index < 0) return;
    const i32 schritt = einfuegen ? 1 : -1;
    auto schieben = [&](i32& v) {
        if (v >= index) v += schritt;
    };
    for (i32 i = 0; i < anzahl_in_gebrauch(); ++i) {
        Wettbewerb& w = tab()[i];
        schieben(w.vorherige_runde);
        schieben(w.naechste_runde);
        schieben(w.vorherige_gruppe);
        schieben(w.naechste_gruppe);
        schieben(w.visuell_nachfolger);
        schieben(w.visuell_vorgaenger);
        schieben(w.visuell_gruppe);
        schieben(w.wurzel);
        for (auto& liste : w.quali_fuer)
            for (auto& q : liste) schieben(q);
    }
}

// --- league values -------------------------------------------------------------------

i32 Wettbewerb_Get_Liga_Wert(i32 team, i32 wert, i32 anteil) {
    return (100 - anteil) * wert / 100 + Wettbewerb_Get_Liga_Prozent(team) * (wert * anteil / 100) / 100;
}

i32 Wettbewerb_Get_Liga_Bedeutung(i32 team) {
    if (!tab()) return 0;
    const Wettbewerb* liga = wb(Wettbewerb_Get_Liga_Von_Team(team, true));
    const i32 wichtig = liga ? liga->wichtig : 0;
    return std::min((70 * Wettbewerb_Get_Liga_Prozent(team) + 30 * wichtig) / 100, 100);
}

i32 Wettbewerb_Get_Platz_Prozent(i32 team, i32* platz) {
    constexpr i32 UNBEKANNT = 80;
    if (platz) *platz = -1;
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(team, true);
    const Wettbewerb* w = wb(liga);
    if (!w || w->teams <= 0) return UNBEKANNT;
    const i32 p = Wettbewerb_Get_Tabellenplatz(liga, team);
    if (p < 0) return UNBEKANNT;
    if (platz) *platz = p;
    return std::clamp(100 - p * 100 / w->teams, 0, 100);
}

i32 Wettbewerb_Platz_Spanne(i32 id, i32 anzahl, const i32* teams, i32* schlechtester, i32* bester, i32* aktuell) {
    const Wettbewerb* w = wb(id);
    if (!mit_tabelle(w) || !teams || anzahl <= 0) return -1;
    const Tabelle& t = stand_bauen(*w);
    const i32 zeilen = static_cast<i32>(std::min<u32>(t.zeilen, TABELLE_ZEILEN));
    const i32 rest = std::max(w->spieltage - w->aktueller_spieltag, 0);
    const i64 spanne = static_cast<i64>(rest) * ((w->modus & WB_ENGLISCHE_TABELLE) ? 3 : 2);
    bool einer = false;
    for (i32 k = 0; k < anzahl; ++k) {
        i32 s = -1, b = -1, c = -1;
        const i32 zeile = zeile_von(t, teams[k]);
        if (zeile >= 0) {
            einer = true;
            c = Tabelle_Rang_Von_Team(t, teams[k]);
            const i64 eigene = t.punkte[0][zeile];
            s = zeilen - 1;
            b = 0;
            for (i32 r = 0; r < zeilen; ++r) {
                if (r == zeile) continue;
                if (t.punkte[0][r] + spanne < eigene) --s;
                if (t.punkte[0][r] > eigene + spanne) ++b;
            }
            if (rest == 0) s = b = c;
        }
        if (schlechtester) schlechtester[k] = s;
        if (bester) bester[k] = b;
        if (aktuell) aktuell[k] = c;
    }
    return einer ? zeilen : -1;
}

bool Wettbewerb_Get_Spiel_Bedeutung(i32 id, const i32* teams, i32* werte, i32 anzahl) {
    constexpr i32 GRUNDWERT = 80;
    const Wettbewerb* w = wb(id);
    if (!w || (w->modus & WB_KO_SYSTEM) || !teams || !werte || anzahl < 0 || anzahl > 2) return false;
    for (i32 k = 0; k < anzahl; ++k) werte[k] = GRUNDWERT;
    i32 schlecht[2], best[2], jetzt[2];
    const i32 zeilen = Wettbewerb_Platz_Spanne(id, anzahl, teams, schlecht, best, jetzt);
    if (zeilen <= 0) return true;
    const i32 q0 = std::max(Wettbewerb_Platz_Quali_Wichtig(id, 0), 1);
    for (i32 k = 0; k < anzahl; ++k) {
        if (schlecht[k] < 0) continue;
        i32 wert = (zeilen - schlecht[k]) * 100 / zeilen;
        if (schlecht[k] - best[k] < zeilen / 2) {
            i32 qb = Wettbewerb_Platz_Quali_Wichtig(id, best[k]);
            const i32 qw = Wettbewerb_Platz_Quali_Wichtig(id, schlecht[k]);
            if (qb != qw) qb += (qw - qb) / 2;
            const i32 q = std::clamp(qb * 100 / q0, 0, 100);
            wert = (70 * wert + 30 * q) / 100;
        }
        werte[k] = wert;
    }
    return true;
}

i32 Wettbewerb_Get_Liga_Groesse_Anteil(i32 team, i32 wert, bool flag) {
    const Wettbewerb* liga = tab() ? wb(Wettbewerb_Get_Liga_Von_Team(team, true)) : nullptr;
    if (!liga) return wert;
    i32 s = std::clamp(static_cast<i32>(liga->teams * 5.0 + 0.5), 1, 100);
    if (!flag) s = 100 - s;
    return wert * s / 100;
}

// --- tables ---------------------------------------------------------------------------

i32 Wettbewerb_Tabelle_Wert(i32 id, i32 team, i32 erster, i32 letzter, i32 optionen, bool prognose, i32 art) {
    const Wettbewerb* w = wb(id);
    if (!mit_tabelle(w)) return -1;
    const Tabelle& t = *tabelle_bauen(*w, erster, letzter, optionen, prognose, -1);
    const i32 zeile = zeile_von(t, team);
    if (zeile < 0) return -1;
    const u32 o = optionen < 0 ? TABELLE_OPTIONEN_VOLL : static_cast<u32>(optionen);
    const bool heim = o & 8, aus = o & 16;
    const int v = heim && !aus ? 1 : aus && !heim ? 2 : 0;
    switch (art) {
    case TABELLE_WERT_SPIELE: return static_cast<i32>(t.spiele[v][zeile]);
    case TABELLE_WERT_PUNKTE: return static_cast<i32>(t.punkte[v][zeile]);
    case TABELLE_WERT_TORE: return static_cast<i32>(t.tore[v][zeile]);
    case TABELLE_WERT_GEGENTORE: return static_cast<i32>(t.gegentore[v][zeile]);
    case TABELLE_WERT_SIEGE:
    case TABELLE_WERT_REMIS:
    case TABELLE_WERT_NIEDERLAGEN:
        return Spiele_Tabelle_Zaehle_Ergebnisse(t, static_cast<u32>(zeile), art - TABELLE_WERT_SIEGE, erster, letzter,
                                                v);
    default: return Tabelle_Rang_Von_Team(t, team);
    }
}

bool Wettbewerb_Tabelle_Fuer_Spiel(i32 handle, Tabelle* t, i32 erster, i32 letzter, i32 optionen, i32 live_minute) {
    const Spiel* s = t ? Spiele_Get_Spiel(handle, true) : nullptr;
    const Wettbewerb* w = s ? wb(s->wettbewerb) : nullptr;
    if (!w || !Spiele_Get_Kopf(w->spielplan)) return false;
    tabelle_bauen(*w, erster, letzter, optionen, false, live_minute, t);
    return true;
}

bool Wettbewerb_Tabelle_Fuellen(i32 id, Tabelle* t, i32 erster, i32 letzter, i32 optionen,
                                Wettbewerb_Tabelle_Heute* heute) {
    const Wettbewerb* w = wb(id);
    if (!w || !t || !Spiele_Get_Kopf(w->spielplan)) return false;
    tabelle_bauen(*w, erster, letzter, optionen, false, -1, t);
    if (heute) {
        for (u32 r = 0; r < TABELLE_ZEILEN; ++r) {
            heute->gegner[r] = heute->wettbewerb[r] = -1;
            heute->auswaerts[r] = 0;
            if (r >= t->zeilen) continue;
            bool aus = false;
            int wettbewerb = -1;
            heute->gegner[r] = Season_Module.Spieltag_Get_Gegner(static_cast<int>(t->team[r]), &aus, &wettbewerb);
            heute->auswaerts[r] = aus ? 1 : 0;
            heute->wettbewerb[r] = wettbewerb;
        }
    }
    return true;
}

i32 Wettbewerb_Get_Tabellenplatz_Gesamt(i32 id, i32 team) {
    const Wettbewerb* w = wb(id);
    u32 eigene[6];
    if (!w || team < 0 || !Spiele_Get_Ewige_Tabelle(id, team, eigene, 2)) return -1;
    const bool drei = (w->modus & WB_ENGLISCHE_TABELLE) != 0;
    auto schluessel = [&](const u32* e) {
        return Tabelle_Schluessel_Berechnen(TABELLE_OPTIONEN_VOLL, drei, e[0], u64{e[3]} + e[4] + e[5], e[1], e[2]);
    };
    const u64 mein = schluessel(eigene);
    i32 platz = 1;
    // Ahead: a better key, or the same key and an earlier team number (the
    // all-time table's stable order).
    for (i32 x = 0; x < Team_Anzahl; ++x) {
        u32 e[6];
        if (x == team || !Spiele_Get_Ewige_Tabelle(id, x, e, 2)) continue;
        const u64 k = schluessel(e);
        if (k > mein || (k == mein && x < team)) ++platz;
    }
    return platz;
}

// --- games of a team ------------------------------------------------------------------

i32 Wettbewerb_Get_Spiel_Von_Team(i32 id, i32 team, i32 d, i32 runde) {
    const Wettbewerb* w = wb(id);
    if (!w || team < 0) return -1;
    if (d < 0) d = w->aktueller_spieltag;
    if (runde < 0) runde = w->aktuelle_runde;
    const i32 spiele = Wettbewerb_Spiele_Pro_Spieltag(w, d);
    for (i32 k = 0; k < spiele; ++k) {
        const i32 h =
            Spiele_Lock(static_cast<u32>(id), static_cast<u32>(d), static_cast<u32>(runde), static_cast<u32>(k));
        if (!h) continue;
        const Spiel* s = Spiele_Get_Spiel(h, true);
        if (s && (s->team_a == team || s->team_b == team)) return h;
        Spiele_Unlock(h);
    }
    return -1;
}

bool Wettbewerb_Spiel_Team_Pruefen(i32 handle, i32 team) {
    const Spiel* s = Spiele_Get_Spiel(handle, true);
    const Wettbewerb* w = s ? wb(s->wettbewerb) : nullptr;
    if (!w || w->kalendermarke < 0) return false;
    i32 runde = 0;
    const i32 d = Kalender_Get_Spieltag_Nummer(Kalender_Get_Tag(), w->id, &runde);
    if (d < 0) return false;
    const i32 h = Wettbewerb_Get_Spiel_Von_Team(w->id, team, d, runde);
    if (h < 0) return false;
    Spiele_Unlock(h);
    return true;
}

i32 Wettbewerb_Get_Runden_Sieger_Von_Team(i32 id, i32 team, i32 d, i32 runde) {
    const Wettbewerb* w = wb(id);
    if (!w) return -1;
    if (d < 0) d = w->aktueller_spieltag;
    const i32 h = Wettbewerb_Get_Spiel_Von_Team(id, team, d, runde);
    if (h < 0) return -1;
    const Spiel* s = Spiele_Get_Spiel(h, true);
    const i32 k = s ? s->index : -1;
    Spiele_Unlock(h);
    return k < 0 ? -1 : Wettbewerb_KO_Sieger(w, d, k, nullptr, nullptr, -1, 0, 0);
}

i32 Wettbewerb_Get_Paarungen(i32 id, i32 d, i32* aus) {
    const Wettbewerb* w = wb(id);
    if (!w) return 0;
    if (d < 0) d = w->aktueller_spieltag;
    std::vector<i32> v = paar_teams(*w, d);
    if (v.empty() && d > 0) v = paar_teams(*w, d - 1);
    if (aus) std::copy(v.begin(), v.end(), aus);
    return static_cast<i32>(v.size());
}

bool Wettbewerb_Team_Spielt_In(i32 id, i32 team, bool wurzel, i32* prozent) {
    if (prozent) *prozent = 0;
    const i32 i = Wettbewerb_Get_Index(id);
    if (i < 0 || team < 0) return false;
    if (wurzel) {
        const bool drin = Wettbewerb_Team_Eingetragen(wurzel_index(i), team, false, LISTE_NACH_STAND);
        if (prozent) *prozent = drin ? 100 : 0;
        return drin;
    }
    const Wettbewerb& eigen = tab()[i];
    const i32 runde = Wettbewerb_Get_Index(
        Wettbewerb_Get_Runde_Von_Spieltag(id, eigen.ketten_spieltage[1] + eigen.aktueller_spieltag, nullptr));
    if (runde < 0) return false;
    i32 gefunden = 0, angesehen = 0;
    for (i32 g : gruppen_von(runde)) {
        const Wettbewerb& w = tab()[g];
        const i32 jetzt = w.aktueller_spieltag;
        i32 bis = jetzt + 1;
        if (w.modus & WB_KO_SYSTEM) bis = jetzt;
        if (w.modus & WB_SPIELE_VARIABEL) bis = jetzt + w.spieltage - 1;
        for (i32 d = jetzt; d <= bis; ++d) {
            // A matchday without games stands for the one before the current.
            const i32 tag = Wettbewerb_Spiele_Pro_Spieltag(&w, d) > 0 || d == 0 ? d : jetzt - 1;
            ++angesehen;
            if (hat_paar(w, tag, team)) ++gefunden;
        }
    }
    if (prozent && angesehen) *prozent = gefunden * 100 / angesehen;
    return gefunden > 0;
}

bool Wettbewerb_Team_Fortschritt(i32 id, i32 team, i32* prozent, i32* anzahl, i32* summe, bool alle_runden) {
    if (prozent) *prozent = 0;
    if (anzahl) *anzahl = 0;
    if (summe) *summe = 0;
    const i32 i = Wettbewerb_Get_Index(id);
    if (i < 0 || team < 0) return false;
    const i32 wurzel = wurzel_index(i);
    const i32 gesamt = tab()[wurzel].ketten_spieltage[0];
    const std::vector<i32> runden = runden_ab(wurzel);
    bool erreicht = false, vorher_offen = false;
    i32 zahl = 0;
    for (size_t n = 0; n < runden.size(); ++n) {
        const bool letzte = n + 1 == runden.size();
        bool runde_offen = false;
        for (i32 g : gruppen_von(runden[n])) {
            const Wettbewerb& w = tab()[g];
            if (w.aktueller_spieltag < w.spieltage) runde_offen = true;
            if (vorher_offen) {
                // Entered for a round still to come.
                const i16* l = w.start_team;
                const i32 k = std::clamp(w.startteam_anzahl, 0, WETTBEWERB_MAX_TEAMS);
                if (std::find(l, l + k, team) != l + k) {
                    zahl = w.ketten_spieltage[1] + 1;
                    erreicht = true;
                }
                continue;
            }
            const i32 bis = (w.modus & WB_KO_SYSTEM) ? std::min(w.aktueller_spieltag, w.spieltage - 1) : w.spieltage - 1;
            i32 treffer = 0;
            for (i32 d = 0; d <= bis; ++d) {
                if (!hat_paar(w, d, team)) continue;
                ++treffer;
                const bool fertig = w.aktueller_spieltag >= w.spieltage;
                if (d >= w.aktueller_spieltag || (letzte && fertig && d == w.spieltage - 1)) erreicht = true;
            }
            if (treffer) zahl = w.ketten_spieltage[1] + treffer;
        }
        if (runde_offen) vorher_offen = true;
        if (tab()[runden[n]].basisliga && !alle_runden) break;
    }
    if (anzahl) *anzahl = zahl;
    if (summe) *summe = gesamt;
    if (erreicht && prozent && gesamt > 0) *prozent = std::min(zahl * 100 / gesamt, 100);
    return erreicht;
}

i32 Wettbewerb_Get_Team_Wichtigkeit(i32 team, bool alle_runden, i32* anzahl, i32* praemien_anteil) {
    constexpr i32 MIN_WICHTIG = 30;
    i32 summe = 0, zahl = 0, anteil = 0;
    std::vector<i32> gezaehlt;
    for (i32 i = 0; i < anzahl_in_gebrauch(); ++i) {
        const Wettbewerb& w = tab()[i];
        if (w.wichtig < MIN_WICHTIG) continue;
        // The groups of a round are one competition for the team.
        const i32 schluessel = alle_runden ? wurzel_index(i) : erste_gruppe(i);
        if (std::find(gezaehlt.begin(), gezaehlt.end(), schluessel) != gezaehlt.end()) continue;
        i32 prozent = 0;
        const bool drin = alle_runden ? Wettbewerb_Team_Spielt_In(tab()[schluessel].id, team, true, &prozent)
                                      : Wettbewerb_Team_Spielt_In(w.id, team, false, &prozent);
        if (!drin) continue;
        gezaehlt.push_back(schluessel);
        summe += w.wichtig / 2;
        ++zahl;
        anteil += prozent * w.wichtig / 100;
    }
    if (anzahl) *anzahl = zahl;
    if (praemien_anteil) *praemien_anteil = anteil;
    return std::min(summe, 100);
}

// --- names and pictures ------------------------------------------------------------------

namespace {
// The national cup's internal identification and the name it is shown by.
constexpr const char* NATIONALPOKAL_INTERN = "POKAL_D";
constexpr const char* NATIONALPOKAL_NAME = "Deutscher Pokal";
constexpr i32 TEXT_SPIELTAG = 162;

std::string spieltag_wort() {
    char id[16];
    std::snprintf(id, sizeof id, "*%d", TEXT_SPIELTAG);
    const char* t = Season_Gui.Text(id);
    return t && *t ? t : "Spieltag";
}

std::string runden_name(i32 id, i32 d, bool gruppe) {
    const Wettbewerb* w = wb(id);
    if (!w) return "";
    if (d < 0) d = w->aktueller_spieltag;
    if (d >= 0 && d < WETTBEWERB_MAX_SPIELTAGE)
        if (const char* s = Wettbewerb_Rundenname_Symbol(w->rundentext[d])) return s;
    if (gruppe && w->gruppen_name[0]) return w->gruppen_name;
    return std::to_string(d + 1) + ". " + spieltag_wort();
}
}  // namespace

std::string Wettbewerb_Get_Name(i32 id, bool mit_gruppe) {
    const Wettbewerb* w = wb(id);
    if (!w) return "";
    std::string s = strcasecmp(w->identifikation, NATIONALPOKAL_INTERN) == 0 ? NATIONALPOKAL_NAME : w->name;
    if (mit_gruppe && w->gruppen_name[0]) s += std::string(" - ") + w->gruppen_name;
    return s;
}

std::string Wettbewerb_Get_Zweitname(i32 id) {
    const Wettbewerb* w = wb(id);
    return w ? w->gruppen_name : "";
}

std::string Wettbewerb_Get_Drittname(i32 id) {
    const Wettbewerb* w = wb(id);
    return w ? w->identifikation : "";
}

// The leg does not change the caption: every leg of a matchday has its text.
std::string Wettbewerb_Get_Runden_Name(i32 id, i32 d, i32) { return runden_name(id, d, false); }
std::string Wettbewerb_Get_Runden_Name_Gruppe(i32 id, i32 d, i32) { return runden_name(id, d, true); }

i32 Wettbewerb_Get_Grafik_Nummer(i32 id, i32* kalender_position) {
    const Wettbewerb* w = wb(id);
    if (kalender_position) *kalender_position = w ? w->kalender_position : -1;
    return w ? w->grafik_nummer : -1;
}

// --- teams -----------------------------------------------------------------------------------

i32 Wettbewerb_Get_Teams(i32 id, i32* aus) {
    const Wettbewerb* w = wb(id);
    if (!w) return 0;
    const i32 n = std::clamp(w->aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS);
    if (aus)
        for (i32 k = 0; k < n; ++k) aus[k] = w->aktuelle_team[k];
    return n;
}

i32 Wettbewerb_Get_Teams_Ligasystem(i32 id, i32* aus) {
    if (!wb(id)) return 0;
    const i32 wurzel = Wettbewerb_Get_Hierarchie_Wurzel(id);
    std::vector<i32> teams;
    for (i32 i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!in_gebrauch(i) || Wettbewerb_Vertikal().Wurzel(tab()[i].id) != wurzel) continue;
        const Wettbewerb& w = tab()[i];
        for (i32 k = 0; k < std::clamp(w.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS); ++k)
            if (std::find(teams.begin(), teams.end(), w.aktuelle_team[k]) == teams.end())
                teams.push_back(w.aktuelle_team[k]);
    }
    if (aus) std::copy(teams.begin(), teams.end(), aus);
    return static_cast<i32>(teams.size());
}

// --- switches -----------------------------------------------------------------------------------

namespace {
// The byte and bit of a switch kind; null for a kind outside 1..5.
u8* schalter_von(Wettbewerb& w, i32 art, u8* bit) {
    if (art >= 1 && art <= 3) {
        *bit = 1;
        return &w.schalter[art - 1];
    }
    if (art == 4 || art == 5) {
        *bit = art == 4 ? 1 : 2;
        return &w.schalter[3];
    }
    return nullptr;
}
}  // namespace

u8 Wettbewerb_Get_Schalter(i32 id, i32 art) {
    const i32 i = Wettbewerb_Get_Index(id);
    if (i < 0) return 0;
    u8 bit = 0;
    const u8* s = schalter_von(tab()[wurzel_index(i)], art, &bit);
    return s && (*s & bit) ? 1 : 0;
}

void Wettbewerb_Set_Schalter(i32 id, i32 art, i32 operation) {
    const i32 i = Wettbewerb_Get_Index(id);
    if (i < 0 || (operation != SCHALTER_SETZEN && operation != SCHALTER_LOESCHEN && operation != SCHALTER_UMSCHALTEN))
        return;
    const i32 wurzel = wurzel_index(i);
    for (i32 k = 0; k < anzahl_in_gebrauch(); ++k) {
        if (wurzel_index(k) != wurzel) continue;
        u8 bit = 0;
        u8* s = schalter_von(tab()[k], art, &bit);
        if (!s) return;
        if (operation == SCHALTER_SETZEN) *s = static_cast<u8>(*s | bit);
        else if (operation == SCHALTER_LOESCHEN) *s = static_cast<u8>(*s & ~bit);
        else *s = static_cast<u8>(*s ^ bit);
    }
}

// Each record once: going through the shared switch of each chain would
// toggle a chain once per member.
void Wettbewerb_Schalter_Alle(i32, i32 operation) {
    for (i32 k = 0; k < anzahl_in_gebrauch(); ++k) {
        u8 bit = 0;
        u8* s = schalter_von(tab()[k], 5, &bit);
        if (operation == SCHALTER_SETZEN) *s = static_cast<u8>(*s | bit);
        else if (operation == SCHALTER_LOESCHEN) *s = static_cast<u8>(*s & ~bit);
        else if (operation == SCHALTER_UMSCHALTEN) *s = static_cast<u8>(*s ^ bit);
    }
}

void Wettbewerb_Schalter_Team(i32 team) {
    for (i32 k = 0; k < anzahl_in_gebrauch(); ++k)
        if (Wettbewerb_Team_Spielt_In(tab()[k].id, team, false, nullptr))
            Wettbewerb_Set_Schalter(tab()[k].id, 5, SCHALTER_SETZEN);
}
