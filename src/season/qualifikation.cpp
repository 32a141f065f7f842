#include "season/qualifikation.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "season/kalender.h"
#include "season/paarungen.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_schreiben.h"
#include "season/wettbewerb_werte.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr int ZUFALLS_VERSUCHE = 400;   // random draws of a fill-up range before it is walked
constexpr int GRUPPEN_VERSUCHE = 1000;  // draws of a group with room for a qualified team
constexpr u8 SCHALTER_MENSCH = 2;       // a human manager's team qualified (fourth switch byte)
constexpr u32 TEAM_ART_AUFFUELLEN_HOCH = TEAM_ART_AUFFUELLEN >> 8;

Wettbewerb* tabelle() { return Wettbewerb_Tabelle; }
bool gueltig(i32 i) { return i >= 0 && i < WETTBEWERB_ANZAHL && Wettbewerb_Tabelle && Wettbewerb_Tabelle[i].name[0]; }
i32 index_von(const Wettbewerb& w) { return static_cast<i32>(&w - Wettbewerb_Tabelle); }
i32 feld(const Wettbewerb& w) { return std::clamp(w.teams, 0, WETTBEWERB_MAX_TEAMS); }
i32 eingetragen(const Wettbewerb& w) { return std::clamp(w.startteam_anzahl, 0, WETTBEWERB_MAX_TEAMS); }

// The groups of a round, first group first (bounded, so a broken chain
// cannot loop).
std::vector<i32> gruppen(i32 erste) {
    std::vector<i32> g;
    for (i32 i = erste; gueltig(i) && static_cast<int>(g.size()) < WETTBEWERB_ANZAHL;
         i = tabelle()[i].naechste_gruppe) {
        if (std::find(g.begin(), g.end(), i) != g.end()) break;
        g.push_back(i);
    }
    return g;
}
i32 erste_gruppe(i32 i) {
    for (int n = 0; gueltig(i) && tabelle()[i].vorherige_gruppe >= 0 && n < WETTBEWERB_ANZAHL; ++n)
        i = tabelle()[i].vorherige_gruppe;
    return i;
}

bool ist_club(i32 t) {
    return t > 0 && t < Team_Anzahl && t != Team_Transfermarkt && !(Team_Get_Art(t) & TEAM_ART_NATIONALTEAM);
}

void eintragen(Wettbewerb& w, i32 team, i32 herkunft) {
    const i32 n = eingetragen(w);
    if (n >= feld(w)) return;
    w.start_team[n] = static_cast<i16>(team);
    w.slot_worte[n] = herkunft;
    w.startteam_anzahl = n + 1;
}

bool gleiche_art_eingetragen(const Wettbewerb& w, i32 team) {
    return Wettbewerb_Team_Eingetragen(index_von(w), team, true, LISTE_NACH_STAND);
}

// A team 0 that stands in a list is replaced by a club not yet in a
// competition of this kind: random draws first, then one walk over the
// clubs, so the search always ends; -1 when no club is left.
i32 ersatz_fuer_team_0(const Wettbewerb& w) {
    if (Team_Anzahl < 2) return -1;
    for (int v = 0; v < GRUPPEN_VERSUCHE; ++v) {
        const i32 t = Rnd_Basis(1, Team_Anzahl - 1);
        if (ist_club(t) && !gleiche_art_eingetragen(w, t)) return t;
    }
    for (i32 t = 1; t < Team_Anzahl; ++t)
        if (ist_club(t) && !gleiche_art_eingetragen(w, t)) return t;
    return -1;
}

// National quotas of a round: the strongest clubs of each nation that are
// not yet in a competition of this kind, spread over the round's groups.
void nationale_quoten(Wettbewerb& runde) {
    const std::vector<i32> g = gruppen(index_von(runde));
    i32 summe = 0;
    for (int q = 0; q < std::clamp(runde.quali_land_anzahl, 0, 64); ++q)
        summe += std::max<i32>(runde.quali_land[q][1], 0);
    size_t besuch = 0;
    for (int q = 0; q < std::clamp(runde.quali_land_anzahl, 0, 64); ++q) {
        const i32 nation = runde.quali_land[q][0];
        i32 noch = runde.quali_land[q][1];
        for (i32 gi : g)
            for (int e = 0; e < eingetragen(tabelle()[gi]); ++e) {
                const i32 t = tabelle()[gi].start_team[e];
                if (t >= 0 && t < Team_Anzahl && Team_Daten[t].nation == nation) --noch;
            }
        std::vector<i32> teams;
        for (i32 t = 0; t < Team_Anzahl; ++t)
            if (ist_club(t) && Team_Daten[t].nation == nation) teams.push_back(t);
        std::stable_sort(teams.begin(), teams.end(),
                         [](i32 a, i32 b) { return Team_Get_Staerke(a) > Team_Get_Staerke(b); });
        for (i32 t : teams) {
            if (noch <= 0) break;
            if (gleiche_art_eingetragen(runde, t)) continue;
            // The next group (cycling) with room below its size and the round's quota.
            bool genommen = false;
            for (size_t v = 0; v < g.size() && !genommen; ++v) {
                Wettbewerb& ziel = tabelle()[g[(besuch + v) % g.size()]];
                if (eingetragen(ziel) >= std::min(feld(ziel), summe)) continue;
                eintragen(ziel, t, -1);
                besuch = (besuch + v + 1) % g.size();
                genommen = true;
            }
            if (!genommen) return;
            --noch;
        }
    }
}

// Fill-up ranges: random draws first, then one walk over the range.
void auffuellen(Wettbewerb& w) {
    const bool international = Wettbewerb_Ist_International(w.id);
    auto passt = [&](i32 t) {
        if (!ist_club(t) || gleiche_art_eingetragen(w, t)) return false;
        if (international && Wettbewerb_Get_Liga_Von_Team(t, true) != -1) return false;
        return !international || (Team_Daten[t].art_hoch & TEAM_ART_AUFFUELLEN_HOCH);
    };
    for (int e = 0; e < std::clamp(w.auffuell_anzahl, 0, 32) && eingetragen(w) < feld(w); ++e) {
        const i32 von = std::max<i32>(w.auffuellen[e][0], 0), bis = std::min<i32>(w.auffuellen[e][1], Team_Anzahl - 1);
        if (!w.auffuellen[e][2] || von > bis) continue;
        for (int versuch = 0; versuch < ZUFALLS_VERSUCHE && eingetragen(w) < feld(w); ++versuch) {
            const i32 t = Rnd_Basis(von, bis);
            if (passt(t)) {
                eintragen(w, t, -1);
                versuch = -1;
            }
        }
        for (i32 t = von; t <= bis && eingetragen(w) < feld(w); ++t)
            if (passt(t)) eintragen(w, t, -1);
    }
}

// Places that neither qualification nor fill-up filled keep last season's
// field (a league's staying teams, a cup or tournament without entry
// rules), as far as those teams are not entered in another competition of
// the kind.
void vorjahres_feld(Wettbewerb& w) {
    for (i32 k = 0; k < std::clamp(w.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS) && eingetragen(w) < feld(w); ++k) {
        const i32 t = w.aktuelle_team[k];
        if (t > 0 && t < Team_Anzahl && t != Team_Transfermarkt && !gleiche_art_eingetragen(w, t)) eintragen(w, t, -1);
    }
}

// The start: the entered teams become the season's current teams.
void starten(Wettbewerb& w) {
    for (i32 k = 0; k < eingetragen(w); ++k) {
        if (w.start_team[k] != 0) continue;
        Debug_Printf("c:Team 0 eingetragen\n");
        const i32 t = ersatz_fuer_team_0(w);
        if (t > 0) {
            w.start_team[k] = static_cast<i16>(t);
            continue;
        }
        for (i32 j = k; j + 1 < eingetragen(w); ++j) {  // no club left: the entry goes
            w.start_team[j] = w.start_team[j + 1];
            w.slot_worte[j] = w.slot_worte[j + 1];
        }
        --w.startteam_anzahl;
        --k;
    }
    const i32 n = eingetragen(w);
    const Wettbewerb* erste_runde = &w;
    for (int k = 0; k < WETTBEWERB_ANZAHL && gueltig(erste_runde->vorherige_runde); ++k)
        erste_runde = &tabelle()[erste_runde->vorherige_runde];
    for (i32 k = 0; k < n; ++k) {
        const i32 t = w.start_team[k];
        w.aktuelle_team[k] = static_cast<i16>(t);
        if (w.basisliga) Team_Set_Basisdaten(w.id, t);
        if (t >= 0 && t < Team_Anzahl && Team_Daten[t].liga == -1) Team_Set_Basisdaten(erste_runde->id, t);
        w.team_slots[k] = static_cast<u8>(k);
    }
    w.aktuelle_teams = n;
    w.flags[0] = 0;
    w.flags[1] = 1;
    w.startteam_anzahl = 0;
}

// A round's ranking by place: the team and its key (table key for a
// league, the ranking value of a knock-out).
struct Platz {
    i32 team;
    u64 wert;
};
std::vector<Platz> rangliste(Wettbewerb& w) {
    Wettbewerb_Tabelle_Uebernehmen(w);
    std::vector<Platz> r;
    const Spielplan_Kopf* kopf = Spiele_Get_Kopf(w.spielplan);
    std::unique_ptr<Tabelle> t;
    if (!(w.modus & WB_KO_SYSTEM) && kopf) {
        t = std::make_unique<Tabelle>();
        Wettbewerb_Tabelle_Vorbereiten(&w, t.get());
        Tabelle_Argumente a;
        a.wettbewerb = w.id;
        Spiele_Get_Tabelle(a, t.get());
    }
    for (i32 p = 0; p < feld(w); ++p)
        r.push_back({w.teilnehmer[p], t ? Tabelle_Schluessel(*t, t->reihenfolge[p]) : w.ranglisten_wert[p]});
    return r;
}

// A team entered in a less important competition of the kind leaves it
// for this one; false when it stands in one as important or more.
bool platz_frei_machen(const Wettbewerb& ziel, i32 team) {
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = tabelle()[i];
        if (!w.name[0] || w.super_alias != ziel.super_alias) continue;
        for (i32 e = 0; e < eingetragen(w); ++e) {
            if (w.start_team[e] != team) continue;
            if (ziel.wichtig <= w.wichtig) return false;
            // The next team of the origin's table that stands nowhere of
            // this kind takes the entry; without one the entry goes.
            const i32 herkunft = w.slot_worte[e];
            if (gueltig(herkunft) && herkunft != i) {
                const Wettbewerb& h = tabelle()[herkunft];
                i32 nachfolger = -1;
                for (i32 p = 0; p < feld(h) && nachfolger < 0; ++p) {
                    const i32 t = h.teilnehmer[p];
                    if (t != team && ist_club(t) && !Wettbewerb_Team_Eingetragen(i, t, true, LISTE_NACH_STAND))
                        nachfolger = t;
                }
                if (nachfolger > 0) {
                    w.start_team[e] = static_cast<i16>(nachfolger);
                    break;
                }
            }
            for (i32 k = e; k + 1 < eingetragen(w); ++k) {
                w.start_team[k] = w.start_team[k + 1];
                w.slot_worte[k] = w.slot_worte[k + 1];
            }
            --w.startteam_anzahl;
            break;
        }
        if (w.flags[1] && !w.flags[0])
            for (i32 e = 0; e < std::clamp(w.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS); ++e)
                if (w.aktuelle_team[e] == team && i != index_von(ziel)) return false;
    }
    return true;
}

}  // namespace

bool Wettbewerb_Team_Eingetragen(i32 index, i32 team, bool gleiche_art, i32 liste) {
    if (!gueltig(index)) return false;
    const i32 art = tabelle()[index].super_alias;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = tabelle()[i];
        if (!w.name[0] || (i != index && !(gleiche_art && w.super_alias == art))) continue;
        const bool eingetragene =
            liste == LISTE_EINGETRAGEN || (liste == LISTE_NACH_STAND && (!w.flags[1] || w.flags[0]));
        const i16* l = eingetragene ? w.start_team : w.aktuelle_team;
        const i32 n = eingetragene ? eingetragen(w) : std::clamp(w.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS);
        if (std::find(l, l + n, team) != l + n) return true;
    }
    return false;
}

i32 Wettbewerb_Freie_Plaetze(const Wettbewerb& w) {
    i32 frei = 0;
    for (i32 g : gruppen(erste_gruppe(index_von(w)))) frei += feld(tabelle()[g]) - eingetragen(tabelle()[g]);
    return frei;
}

bool Wettbewerb_Teilnehmer_Eintragen(Wettbewerb& w, bool taeglich) {
    if (ruf::Client()) return true;
    if (!Wettbewerb_Tabelle || !w.name[0]) return false;
    if (taeglich) {
        const i32 woche = (Kalender_Get_Tag() - Kalender_Get_Basistag() + 6) / 7;
        if (w.qualiwoche == 0 || w.qualiwoche != woche) return true;
    } else if (w.qualiwoche != 0) {
        return true;
    }
    if (w.vorherige_gruppe < 0 && w.vorherige_runde < 0) {
        for (i32 r = index_von(w), n = 0; gueltig(r) && n < WETTBEWERB_ANZAHL; r = tabelle()[r].naechste_runde, ++n)
            if (tabelle()[r].quali_land_anzahl > 0) nationale_quoten(tabelle()[r]);
    }
    // A later group drawn anew: its entered teams swap places with the
    // current teams of the group before it.
    if (gueltig(w.vorherige_gruppe) && (w.modus & WB_LOSEN) && eingetragen(w) > 0) {
        Wettbewerb& vor = tabelle()[w.vorherige_gruppe];
        const i32 vor_n = std::clamp(vor.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS);
        if (vor.flags[1] && vor_n > 0)
            for (i32 k = 0; k < feld(w); ++k) {
                const i32 a = Rnd_Basis(0, eingetragen(w) - 1), b = Rnd_Basis(0, vor_n - 1);
                std::swap(w.start_team[a], vor.aktuelle_team[b]);
                std::swap(w.slot_worte[a], vor.slot_worte[b]);
            }
    }
    if (w.flags[1] && !w.flags[0]) return false;
    auffuellen(w);
    if (eingetragen(w) < feld(w) && w.vorherige_runde < 0) vorjahres_feld(w);
    if (eingetragen(w) < feld(w)) {
        Debug_Printf("Wettbewerb %s angehalten: Zu wenig Teams\n", w.name);
        w.alle_x_jahre = -1;
        w.startteam_anzahl = 0;
        return false;
    }
    starten(w);
    return true;
}

bool Team_Qualifiziert(const Wettbewerb& quelle, Wettbewerb& ziel, i32 gruppe, i32 team) {
    const std::vector<i32> g = gruppen(erste_gruppe(index_von(ziel)));
    if (team == 0) {
        Debug_Printf("e:Team 0 eingetragen\n");
        team = ersatz_fuer_team_0(ziel);
    }
    if (g.empty() || !ist_club(team)) return false;
    Wettbewerb* wahl = nullptr;
    if (gueltig(gruppe) && eingetragen(tabelle()[gruppe]) < feld(tabelle()[gruppe])) wahl = &tabelle()[gruppe];
    for (int v = 0; !wahl && v < GRUPPEN_VERSUCHE; ++v) {
        Wettbewerb& w = tabelle()[g[static_cast<size_t>(Rnd_Basis(0, static_cast<i32>(g.size()) - 1))]];
        if (eingetragen(w) < feld(w)) wahl = &w;
    }
    for (size_t v = 0; !wahl && v < g.size(); ++v)
        if (eingetragen(tabelle()[g[v]]) < feld(tabelle()[g[v]])) wahl = &tabelle()[g[v]];
    if (!wahl) {
        Debug_Printf("Team_Qualifiziert: kein Platz mehr!\n");
        return false;
    }
    if (Team_Hat_Manager(team)) wahl->schalter[3] |= SCHALTER_MENSCH;
    eintragen(*wahl, team, index_von(quelle));
    return true;
}

void Wettbewerb_Tabelle_Uebernehmen(Wettbewerb& w) {
    w.flags[0] = 1;
    if (w.modus & WB_KO_SYSTEM || !Spiele_Get_Kopf(w.spielplan)) return;
    auto t = std::make_unique<Tabelle>();
    Wettbewerb_Tabelle_Vorbereiten(&w, t.get());
    Tabelle_Argumente a;
    a.wettbewerb = w.id;
    Spiele_Get_Tabelle(a, t.get());
    for (u32 p = 0; p < t->zeilen; ++p) {
        const u32 zeile = t->reihenfolge[p];
        w.teilnehmer[p] = static_cast<i16>(t->team[zeile]);
        w.ranglisten_wert[p] = t->schluessel[zeile];
        w.platz_slots[p] = static_cast<i32>(zeile);
    }
}

void Wettbewerb_Qualifikanten_Verteilen(Wettbewerb& w) {
    const std::vector<i32> g = gruppen(erste_gruppe(index_von(w)));
    if (g.empty()) return;
    Wettbewerb& erste = tabelle()[g[0]];
    std::vector<std::vector<Platz>> ranglisten;
    i32 plaetze = 0;
    for (i32 gi : g) {
        ranglisten.push_back(rangliste(tabelle()[gi]));
        plaetze = std::max(plaetze, feld(tabelle()[gi]));
    }
    for (int k = 0; k < WETTBEWERB_QUALI_LISTEN; ++k) {
        const bool mischen = erste.quali_mischen && erste.weiterkommen[k] >= 0;
        i32 rest = mischen ? erste.weiterkommen[k] : WETTBEWERB_MAX_TEAMS * WETTBEWERB_ANZAHL;
        // A place whose targets were not all filled (no room, or a team that
        // stays in a more important competition) passes them to the next
        // place: its contenders read the same targets.
        i32 verschiebung = 0;
        for (i32 p = 0; p < plaetze && rest > 0; ++p) {
            const i32 q = p - verschiebung;
            struct Kandidat {
                i32 team, ziel, quelle;
                u64 wert;
            };
            std::vector<Kandidat> kandidaten;
            for (size_t i = 0; i < g.size(); ++i) {
                const Wettbewerb& gruppe = tabelle()[g[i]];
                const i32 ziel = (mischen ? erste : gruppe).quali_fuer[k][q];
                if (p >= static_cast<i32>(ranglisten[i].size()) || !gueltig(ziel)) continue;
                const Platz& pl = ranglisten[i][static_cast<size_t>(p)];
                if (pl.team >= 0) kandidaten.push_back({pl.team, ziel, g[i], pl.wert});
            }
            // The best of a place by key go on while the list's count allows.
            std::stable_sort(kandidaten.begin(), kandidaten.end(),
                             [](const Kandidat& a, const Kandidat& b) { return a.wert > b.wert; });
            i32 offen = std::min<i32>(rest, static_cast<i32>(kandidaten.size()));
            for (const Kandidat& c : kandidaten) {
                if (rest <= 0 || offen <= 0) break;
                Wettbewerb& ziel = tabelle()[c.ziel];
                if (Wettbewerb_Freie_Plaetze(ziel) == 0 || !platz_frei_machen(ziel, c.team)) continue;
                if (Team_Qualifiziert(tabelle()[c.quelle], ziel, -1, c.team)) {
                    --rest;
                    --offen;
                }
            }
            if (offen > 0) ++verschiebung;
        }
    }
}

bool Wettbewerb_Set_Qu(i32 id, i32 platz, i32 ziel_id) {
    if (ruf::Client() || Config_Modify_Set() < 0) return false;
    Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w) {
        Debug_Printf("Wettbewerb_Set_Qu.: Wettbewerb nicht da!\n");
        return false;
    }
    if (platz < 0 || platz >= feld(*w)) {
        Debug_Printf("Wettbewerb_Set_Qu.: Platzangabe falsch!\n");
        return false;
    }
    const i32 ziel = ziel_id == -1 ? -1 : Wettbewerb_Get_Index(ziel_id);
    if (ziel_id != -1 && ziel < 0) {
        Debug_Printf("Wettbewerb_Set_Qu.: Wettbewerb nicht da!\n");
        return false;
    }
    w->quali_fuer[0][platz] = ziel;
    return true;
}

i32 Wettbewerb_Ligen_Reparieren() {
    if (!Wettbewerb_Tabelle || ruf::Client()) return 0;
    i32 repariert = 0;
    for (i32 i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (!gueltig(i)) continue;
        const Wettbewerb& w = tabelle()[i];
        const Wettbewerb* erste = &w;
        for (int k = 0; k < WETTBEWERB_ANZAHL && gueltig(erste->vorherige_runde); ++k)
            erste = &tabelle()[erste->vorherige_runde];
        for (i32 k = 0; k < std::clamp(w.aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS); ++k) {
            const i32 t = w.aktuelle_team[k];
            if (t < 0 || t >= Team_Anzahl || Team_Daten[t].liga != -1) continue;
            i32 liga = erste->id;
            const i32* kader = Team_Kader(t);
            for (i32 s = 0; s < Team_Kader_Anzahl(t); ++s) {
                const i32 wettbewerb = Spieler_Daten[kader[s]].wettbewerb;
                if (wettbewerb == -1) Spieler_Set_Wettbewerb(kader[s], erste->id);
                else if (wettbewerb != erste->id && Wettbewerb_Get_Index(wettbewerb) >= 0) liga = wettbewerb;
            }
            Team_Set_Liga(t, liga);
            ++repariert;
        }
    }
    return repariert;
}
