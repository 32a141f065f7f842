#include "season/paarungen.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/random.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "world/welt.h"

namespace {

// The fixed pairing orders: letters are slots ('a' slot 0), each round its
// pairs, the first-named team at home.
struct Feste_Tabelle {
    int teams;
    const char* runden;  // rounds separated by '/', pairs by ' '
};
const Feste_Tabelle FESTE[] = {
    {4, "ab cd/ca db/ad bc"},
    {6, "ab cd ef/da fc be/af bd ce/ea fd cb/ac bf de"},
    {10,
     "ae cg fi bh dj/bc jf ed ha ig/gj ab ci fe dh/ac bd ji eg hf/gh cj fb ie da/af bg ej hi dc/"
     "ga ce fd jh ib/ai fc bj he dg/gf ch ja eb id"},
    {16,
     "ab cd ef gh ij kl mn op/da bc he fg jk li pm no/af ch eb gd in kp mj ol/ha fc de bg pi nk lm jo/"
     "al cj en gp ib kd mf oh/bk di hm fo ja lc pe ng/an cp ej gl if kh mb od/hi fk dm bo pa nc le jg/"
     "ac eg bd fh ik mo jl np/ga ce hb df oi km pj ln/ak eo bl fp ic mg jd nh/gi cm hj dn oa ke pb lf/"
     "ae cg bf dh im ko jn lp/ma oc nb pd ei gk fj hl/ai ck em go bj dl fn hp"},
    {18,
     "ab cd ef gh ij kl mn op qr/ro nk li jg he fc da bq pm/af ch ej gl in kp mr bd qo/"
     "rk ng le jc ha fb dq om pi/aj cl en gp ir ko df bh qm/rg nc la jb hd fq mk oi pe/"
     "fh an cp er go im dj bl qk/rc nb ld jf hq ki mg oe pa/ar co em gk hj fl dn bp qi/"
     "rb nf lh jq ig ke mc oa pd/am ck ei jl hn fp dr bo qg/rf nj lq ge ic ka mb od ph/"
     "ai cg ln jp hr fo dm bk qe/rj nq ec ga ib kd mf oh pl/ae cq lr jo hm fk di bg pn/"
     "rn ca eb gd if kh mj ol qp/aq no lm jk hi fg de bc pr"},
    {20,
     "ab cd ef gh ij kl mn op qr st/da hc nk li be tq ro pm jg fs/ca gl in kp qf sb ed hj mr ot/"
     "ds tm lh bq rk pi ng jc ae fo/gp ce ob sa ir kt mf qd jl hn/ph aq do ti rg nj es fk lc bm/"
     "oa hr cs gt if kb qe ln jp md/bi th rj am pl eo fg dk sq nc/me cq lr gb ka os jt np id hf/"
     "tl ai bh qo fj dg rn pc sm ek/mq hd co ie nt jb ks ga pr lf/si tp eg dj rc om ah fn bl qk/"
     "he cm nb gs iq ko pf ld rt ja/mk tc ej bp oi qg al dn sh fr/na go im rb js ck pd hq tf le/"
     "sl en dr ki ap fc qj bt mg oh/hm pe td ns gk ra lq ic jo fb/mj df qn at cb kh ol sp ig er/"
     "lm bd rs no jk fa hi gc te pq"},
};

const Feste_Tabelle* feste_tabelle(int teams) {
    for (const Feste_Tabelle& f : FESTE)
        if (f.teams == teams) return &f;
    return nullptr;
}

// Rounds of a league of t teams: t - 1, one more for an odd count (a bye).
int liga_runden(int teams) { return teams % 2 ? teams : teams - 1; }
int paare_pro_runde(const Wettbewerb& w) {
    return w.paare_pro_runde > 0 ? std::min(w.paare_pro_runde, w.teams / 2) : w.teams / 2;
}

bool ist_ko(const Wettbewerb& w) { return (w.modus & WB_KO_SYSTEM) != 0; }
bool ist_variabel(const Wettbewerb& w) { return (w.modus & WB_SPIELE_VARIABEL) != 0; }

i32 spieltag(const Wettbewerb& w, i32 d) { return d < 0 ? w.aktueller_spieltag : d; }

// Games of a knock-out round d (0 past the last round).
i32 ko_spiele(const Wettbewerb& w, i32 d) {
    u32 g = static_cast<u32>(std::clamp(w.teams, 0, WETTBEWERB_MAX_TEAMS) + 1) / 2;
    for (i32 r = 0; r < d && g > 1; ++r) g = Spiele_KO_Folgerunde(g);
    return d < std::max(w.spieltage, 0) || d == 0 ? static_cast<i32>(g) : 0;
}

i32 nation(i32 team) { return team >= 0 && team < Team_Anzahl ? Team_Daten[team].nation : -1; }

// The pairs of one knock-out matchday: slot bytes, or the fixed WER_GEGEN_WEN
// sequence over them.
int ko_paare(const Wettbewerb& w, i32 d, Wettbewerb_Paar* aus, int max) {
    const i32 start = Wettbewerb_Get_Slot_Offset(&w, d);
    const i32 n = std::min(ko_spiele(w, d), max);
    auto slot = [&](i32 i) -> i32 {
        if (w.paarungs_anzahl >= start + 1 && i < w.paarungs_anzahl && i < WETTBEWERB_PAARUNGS_BYTES)
            i = start + w.paarungen[i];
        return i >= 0 && i < static_cast<i32>(sizeof w.team_slots) ? w.team_slots[i] : 255;
    };
    for (i32 g = 0; g < n; ++g) aus[g] = {slot(start + 2 * g), slot(start + 2 * g + 1)};
    return n;
}

// The pairs of one league matchday from the pairing order: the second half
// of the season (or with RUECKSPIEL_SOFORT every second matchday) repeats
// the rounds with home and away exchanged.
int liga_paare(const Wettbewerb& w, i32 d, Wettbewerb_Paar* aus, int max, bool tauschen) {
    if (w.teams < 2 || w.teams > PAARUNGEN_MAX_LIGA) return 0;
    const i32 runden = liga_runden(w.teams);
    if (!(w.modus & WB_RUECKSPIEL_SOFORT)) {
        tauschen ^= ((d / runden) % 2) != 0;
        d %= runden;
    } else {
        tauschen ^= (d % 2) != 0;
        tauschen ^= ((d / (2 * runden)) % 2) != 0;
        d = (d % (2 * runden)) / 2;
    }
    const int p_max = w.teams / 2;
    const int n = std::min(paare_pro_runde(w), max);
    for (int p = 0; p < n; ++p) {
        const int i = (d * p_max + p) * 2;
        if (i + 1 >= WETTBEWERB_PAARUNGS_BYTES) return p;
        const i32 a = w.paarungen[i], b = w.paarungen[i + 1];
        aus[p] = tauschen ? Wettbewerb_Paar{b, a} : Wettbewerb_Paar{a, b};
    }
    return n;
}

// The games a variable competition's plan holds on matchday d and a leg.
int variable_paare(const Wettbewerb& w, i32 d, i32 leg, Wettbewerb_Paar* aus, int max) {
    int n = 0;
    while (n < max) {
        Spiele_Lock_Halter h(
            Spiele_Lock(static_cast<u32>(w.id), static_cast<u32>(d), static_cast<u32>(leg), static_cast<u32>(n)));
        if (!h) break;
        const Spiel* s = Spiele_Get_Spiel(h.Handle(), true);
        if (!s) break;
        aus[n++] = {s->team_a, s->team_b};
    }
    return n;
}

bool gleiche_nation_trifft(const Wettbewerb& w, const u8* slots, i32 n) {
    for (i32 g = 0; g < n; ++g) {
        const i32 a = nation(Wettbewerb_Team_An_Position(w, slots[2 * g]));
        const i32 b = nation(Wettbewerb_Team_An_Position(w, slots[2 * g + 1]));
        if (a >= 0 && a == b) return true;
    }
    return false;
}

}  // namespace

int Wettbewerb_Rundenturnier(int teams, u8* aus) {
    if (teams < 2 || teams > PAARUNGEN_MAX_LIGA) return 0;
    const int n = teams + teams % 2, p_anz = n / 2, runden = n - 1, m = n - 1;
    auto mod = [m](int x) { return ((x % m) + m) % m; };
    int o = 0;
    for (int r = 0; r < runden; ++r) {
        const int k = r / 2;
        u8 paare[PAARUNGEN_MAX_LIGA / 2][2];
        for (int p = 0; p < p_anz; ++p) {
            int a, b;
            if (r % 2 == 0) {
                a = p == 0 ? k : p + k;
                b = p == 0 ? n - 1 : mod(n - 1 - p + k);
            } else {
                a = p == 0 ? n - 1 : mod(p - p_anz + 1 + k);
                b = p == 0 ? mod(p_anz + k) : mod(p_anz - p + k);
            }
            paare[p][0] = static_cast<u8>(a);
            paare[p][1] = static_cast<u8>(b);
        }
        int anzahl = p_anz;
        if (teams % 2) {
            // The pair holding the bye slot gives way to the round's last pair.
            for (int p = 0; p < p_anz; ++p)
                if (paare[p][0] == n - 1 || paare[p][1] == n - 1) {
                    paare[p][0] = paare[p_anz - 1][0];
                    paare[p][1] = paare[p_anz - 1][1];
                    break;
                }
            anzahl = p_anz - 1;
        }
        for (int p = 0; p < anzahl; ++p, o += 2)
            if (aus) {
                aus[o] = paare[p][0];
                aus[o + 1] = paare[p][1];
            }
    }
    return runden;
}

int Wettbewerb_Paarungstabelle(int teams) { return feste_tabelle(teams) ? teams : 0; }

bool Wettbewerb_Spielplan_Mischen(Wettbewerb& w) {
    if (ist_ko(w) || w.teams < 2 || w.teams > PAARUNGEN_MAX_LIGA) return false;
    u32 ordnung[PAARUNGEN_MAX_LIGA];
    for (int i = 0; i < PAARUNGEN_MAX_LIGA; ++i) ordnung[i] = static_cast<u32>(i);
    SortMisch_Mische(ordnung, w.teams);
    const int runden = liga_runden(w.teams), p_anz = w.teams / 2;
    std::memset(w.paarungen, 0, sizeof w.paarungen);
    w.paarungs_tabelle = Wettbewerb_Paarungstabelle(w.teams);
    if (const Feste_Tabelle* f = feste_tabelle(w.teams)) {
        int o = 0;
        for (const char* c = f->runden; *c; ++c)
            if (*c >= 'a' && *c <= 'z') w.paarungen[o++] = static_cast<u8>(ordnung[*c - 'a']);
    } else {
        Wettbewerb_Rundenturnier(w.teams, w.paarungen);
        for (int i = 0; i < runden * p_anz * 2; ++i) w.paarungen[i] = static_cast<u8>(ordnung[w.paarungen[i]]);
    }
    return true;
}

i32 Wettbewerb_Spiele_Pro_Spieltag(const Wettbewerb* w, i32 d) {
    if (!w) return 0;
    d = spieltag(*w, d);
    if (ist_variabel(*w)) {
        Wettbewerb_Paar paare[PAARUNGEN_MAX_SPIELE];
        return variable_paare(*w, d, 0, paare, PAARUNGEN_MAX_SPIELE);
    }
    if (ist_ko(*w)) return ko_spiele(*w, d);
    return std::clamp(w->teams, 0, WETTBEWERB_MAX_TEAMS) / 2;
}

i32 Wettbewerb_Get_Slot_Offset(const Wettbewerb* w, i32 d) {
    if (!w) return 0;
    d = std::min(spieltag(*w, d), WETTBEWERB_MAX_SPIELTAGE);
    i32 summe = 0;
    for (i32 r = 0; r < d; ++r) summe += 2 * Wettbewerb_Spiele_Pro_Spieltag(w, r);
    return summe;
}

i32 Wettbewerb_Get_Spiele_Bis(const Wettbewerb* w, i32 d, i32 leg) {
    if (!w) return 0;
    if (d < 0) d = w->aktueller_spieltag;
    if (leg < 0) leg = w->aktuelle_runde;
    d = std::min(d, WETTBEWERB_MAX_SPIELTAGE);
    leg = std::clamp(leg, 0, 255);
    i32 summe = 0;
    for (i32 r = 0; r < d; ++r) summe += Wettbewerb_Spiele_Pro_Spieltag(w, r) * leg;
    return summe;
}

int Wettbewerb_Get_Spieltag_Paarungen(const Wettbewerb& w, i32 d, i32 leg, Wettbewerb_Paar* aus, int max) {
    if (!aus || max <= 0 || d < 0 || leg < 0) return 0;
    if (ist_variabel(w)) return variable_paare(w, d, leg, aus, max);
    const bool ungerade = leg % 2 != 0;
    int n = ist_ko(w) ? ko_paare(w, d, aus, max) : liga_paare(w, d, aus, max, ungerade);
    if (ist_ko(w) && ungerade)
        for (int g = 0; g < n; ++g) std::swap(aus[g].a, aus[g].b);
    return n;
}

i32 Wettbewerb_Team_An_Position(const Wettbewerb& w, i32 position) {
    if (position < 0 || position >= std::min(w.aktuelle_teams, WETTBEWERB_MAX_TEAMS)) return -1;
    return w.aktuelle_team[position];
}

void Wettbewerb_KO_Auslosung(Wettbewerb& w) {
    if (!ist_ko(w) || !(w.modus & WB_LOSEN)) return;
    const i32 n = ko_spiele(w, w.aktueller_spieltag);
    const i32 start = Wettbewerb_Get_Slot_Offset(&w, -1);
    if (n <= 0 || start + 2 * n > static_cast<i32>(sizeof w.team_slots)) return;
    u8* slots = w.team_slots + start;
    constexpr int PRUEFUNGEN = 4;
    const bool pruefen = n > 4 && Wettbewerb_Ist_International(w.id);
    for (int versuch = 0;; ++versuch) {
        SortMisch_Mische8(slots, 2 * n);
        if (!pruefen || versuch >= PRUEFUNGEN || !gleiche_nation_trifft(w, slots, n)) break;
    }
}

namespace {

// The matchdays a round's set-up covers (within the competition's plan): a
// knock-out competition's current one, every matchday of a league before
// its first. False when there is nothing to do (a league that has started,
// a day outside the plan).
bool runden_tage(const Wettbewerb& w, const Spielplan_Kopf& kopf, i32* von, i32* bis) {
    const i32 tage = std::min<i32>(w.spieltage, static_cast<i32>(std::min<u32>(kopf.spieltage, 65535)));
    *von = *bis = w.aktueller_spieltag;
    if (!ist_ko(w)) {
        if (w.aktueller_spieltag != 0) return false;
        *von = 0;
        *bis = tage - 1;
    }
    return *von >= 0 && *bis < tage;
}

}  // namespace

void Wettbewerb_Paarungen_Setzen(const Wettbewerb& w) {
    // Matchdays and legs within the competition's plan.
    const Spielplan_Kopf* kopf = Spiele_Get_Kopf(w.spielplan);
    if (w.spieltage <= 0 || !kopf) return;
    const i32 legs = std::clamp<i32>(w.best_of_x, 1, static_cast<i32>(std::min<u32>(kopf->runden, 255)));
    i32 von = 0, bis = 0;
    if (!runden_tage(w, *kopf, &von, &bis)) return;
    Wettbewerb_Paar paare[PAARUNGEN_MAX_SPIELE];
    for (i32 d = von; d <= bis; ++d)
        for (i32 leg = 0; leg < legs; ++leg) {
            const int n = Wettbewerb_Get_Spieltag_Paarungen(w, d, leg, paare, PAARUNGEN_MAX_SPIELE);
            for (int g = 0; g < n; ++g) {
                Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(w.id), static_cast<u32>(d), static_cast<u32>(leg),
                                                 static_cast<u32>(g)));
                if (!h) continue;
                const i32 a = ist_variabel(w) ? paare[g].a : Wettbewerb_Team_An_Position(w, paare[g].a);
                const i32 b = ist_variabel(w) ? paare[g].b : Wettbewerb_Team_An_Position(w, paare[g].b);
                Spiele_Set_Teams(h.Handle(), a, b);
            }
        }
}

bool Wettbewerb_Ist_Amateur(i32 team) {
    if (team < 0 || team >= Team_Anzahl || !Wettbewerb_Tabelle) return false;
    if (Wettbewerb_Get_Liga_Von_Team(team, true) == -1 && Team_Daten[team].nation == Team_Heimnation) return true;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || !w.amateur_liga) continue;
        const i16* l = w.flags[1] ? w.aktuelle_team : w.start_team;
        const i32 n = std::clamp(w.flags[1] ? w.aktuelle_teams : w.startteam_anzahl, 0, WETTBEWERB_MAX_TEAMS);
        for (i32 k = 0; k < n && l[k] != -1; ++k)
            if (l[k] == team) return true;
    }
    return false;
}

namespace {

// A game's rating: 1000 x the higher league percentage + the lower one
// (-1 for a team without a base league).
i32 spiel_wert(i32 a, i32 b) {
    auto wert = [](i32 t) { return Wettbewerb_Get_Liga_Von_Team(t, true) == -1 ? -1 : Wettbewerb_Get_Liga_Prozent(t); };
    const i32 x = wert(a), y = wert(b);
    return 1000 * std::max(x, y) + std::min(x, y);
}

}  // namespace

void Wettbewerb_Heimrecht_Anpassen(const Wettbewerb& w) {
    const Spielplan_Kopf* kopf = Spiele_Get_Kopf(w.spielplan);
    if (w.spieltage <= 0 || !kopf || (w.basisliga && !(w.modus & WB_AMATEUR_HEIMRECHT))) return;
    // Two-legged ties keep their legs: only single games change.
    if (w.best_of_x > 1) return;
    i32 von = 0, bis = 0;
    if (!runden_tage(w, *kopf, &von, &bis)) return;
    for (i32 d = von; d <= bis; ++d) {
        struct Spiel_Paar {
            i32 a, b, wert;
        };
        std::vector<Spiel_Paar> spiele;
        for (u32 k = 0;; ++k) {
            Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(w.id), static_cast<u32>(d), 0, k));
            if (!h) break;
            const Spiel* s = Spiele_Get_Spiel(h.Handle(), true);
            Spiel_Paar p{s->team_a, s->team_b, 0};
            // The amateur side plays at home.
            if ((w.modus & WB_AMATEUR_HEIMRECHT) && Wettbewerb_Ist_Amateur(p.b) && !Wettbewerb_Ist_Amateur(p.a))
                std::swap(p.a, p.b);
            p.wert = spiel_wert(p.a, p.b);
            spiele.push_back(p);
        }
        if (spiele.empty()) continue;
        // The highest-rated game first: a league moves it to the front, a
        // knock-out round orders all its games.
        auto hoeher = [](const Spiel_Paar& x, const Spiel_Paar& y) { return x.wert > y.wert; };
        if (ist_ko(w)) {
            std::stable_sort(spiele.begin(), spiele.end(), hoeher);
        } else {
            auto beste = std::min_element(spiele.begin(), spiele.end(), hoeher);
            std::iter_swap(spiele.begin(), beste);
        }
        for (u32 k = 0; k < spiele.size(); ++k) {
            Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(w.id), static_cast<u32>(d), 0, k));
            const Spiel* s = Spiele_Get_Spiel(h.Handle(), true);
            if (s && (s->team_a != spiele[k].a || s->team_b != spiele[k].b))
                Spiele_Set_Teams(h.Handle(), spiele[k].a, spiele[k].b);
        }
    }
}
