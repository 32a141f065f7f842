// The figures of simulated seasons (see saisonbericht.h).
#include "seasonsim/saisonbericht.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "base/cp1252.h"
#include "match/spielfeld.h"
#include "matchday/spieltag.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"
#include "world/bank.h"
#include "world/leben.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

bool ist_liga(const Wettbewerb* w) { return w && w->basisliga && !(w->modus & WB_KO_SYSTEM); }

// The season's last matchday of a competition's last round.
bool letzter_spieltag(const Wettbewerb* w) {
    return w && w->vorherige_gruppe < 0 && w->naechste_runde < 0 &&
           w->aktuelle_runde + 1 >= std::max(w->best_of_x, 1) && w->aktueller_spieltag + 1 >= w->spieltage;
}

int luecke_klasse(i32 d) { return d < 500 ? 0 : d < 1000 ? 1 : d < 2000 ? 2 : d < 3000 ? 3 : 4; }

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

bool ist_verein(i32 t) {
    return t >= 0 && t < Team_Anzahl && t != Team_Transfermarkt && (Team_Daten[t].art & TEAM_ART_VEREIN);
}

// Median club strength by the level (league percentage) of the club's league.
std::map<i32, double, std::greater<i32>> staerke_nach_stufe() {
    std::map<i32, std::vector<double>> v;
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (ist_verein(t) && Wettbewerb_Get_Liga_Von_Team(t, true) >= 0)
            v[Wettbewerb_Get_Liga_Prozent(t)].push_back(Bericht_Staerke(t));
    std::map<i32, double, std::greater<i32>> m;
    for (auto& [stufe, staerken] : v) m[stufe] = median(staerken);
    return m;
}

// Each player's club or the transfer market (-1: a national team or none).
std::vector<i32> vereine_der_spieler() {
    std::vector<i32> v(static_cast<size_t>(std::max(0, Spieler_Anzahl)), -1);
    for (i32 s = 0; s < Spieler_Anzahl; ++s)
        if (const i32 t = Spieler_Daten[s].team; ist_verein(t) || (t >= 0 && t == Team_Transfermarkt))
            v[static_cast<size_t>(s)] = t;
    return v;
}

}  // namespace

i32 Bericht_Staerke(i32 team) {
    if (team < 0 || team >= Team_Anzahl) return 0;
    std::vector<i32> f;
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) f.push_back(Spieler_Daten[Team_Kader(team)[i]].staerke_fein);
    std::sort(f.rbegin(), f.rend());
    if (f.size() > 11) f.resize(11);
    i64 summe = 0;
    for (i32 x : f) summe += x;
    return f.empty() ? 0 : static_cast<i32>(summe / static_cast<i64>(f.size()));
}

void Saison_Bericht::Vor_Beendet(i32 id) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!w) return;
    if (saldo_start_ < 0) {
        // The top-division clubs' balances when the game's first matches are played.
        std::vector<double> salden;
        for (i32 t = 0; t < Team_Anzahl; ++t)
            if ((Team_Daten[t].art & TEAM_ART_VEREIN) && t != Team_Transfermarkt &&
                Wettbewerb_Get_Liga_Von_Team(t, true) >= 0 && Wettbewerb_Get_Liga_Prozent(t) == 100)
                salden.push_back(Bank_Get_Kontostand(t, 0, -1));
        saldo_start_ = median(salden);
        staerke_stufe_start_ = staerke_nach_stufe();
        verein_vorher_ = vereine_der_spieler();
        for (i32 t = 0; t < Team_Anzahl; ++t)
            if (ist_verein(t)) staerke_start_[t] = Bericht_Staerke(t);
    }
    if (ist_liga(w) && !staerkster_.count(id)) {
        i32 best = -1;
        for (i32 p = 0; p < w->teams; ++p) {
            const i32 t = w->teilnehmer[p];
            if (t > 0 && (best < 0 || Bericht_Staerke(t) > Bericht_Staerke(best))) best = t;
        }
        staerkster_[id] = best;
        stufe_[id] = Wettbewerb_Get_Wettbewerb_Prozent(id);
    }
    for (const Spieltag_Slot& r : Spieltag_Slots()) {
        const Spiel* s = r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr;
        if (!s || s->wettbewerb != id || s->tore_a < 0 || s->tore_b < 0) continue;
        const int a = s->tore_a, b = s->tore_b;
        if (ist_liga(w)) {
            Stand& h = stand_[{id, s->team_a}];
            Stand& g = stand_[{id, s->team_b}];
            h.spiele++, g.spiele++;
            h.punkte += a > b ? 3 : a == b ? 1 : 0;
            g.punkte += b > a ? 3 : a == b ? 1 : 0;
        }
        if (ist_liga(w) && Wettbewerb_Get_Wettbewerb_Prozent(id) == 100) {
            s_.oben_spiele++;
            if (a > b) s_.oben_heimsiege++;
            if (a < b) s_.oben_auswaertssiege++;
            if (a == 0 && b == 0) s_.oben_null_null++;
        }
        const Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
        if (!sf) continue;
        const i32 d = (Spielfeld_Seitenwert(sf, 0) - Spielfeld_Seitenwert(sf, 1)) * SF_SEITENWERT_TEILER;
        const int tore_staerker = d >= 0 ? a : b, tore_schwaecher = d >= 0 ? b : a;
        const int ausgang = tore_staerker > tore_schwaecher ? 0 : tore_staerker == tore_schwaecher ? 1 : 2;
        (sf->engine ? s_.luecke_engine : s_.luecke)[luecke_klasse(std::abs(d))][ausgang]++;
        if (sf->engine) continue;
        s_.spiele++;
        s_.tore += static_cast<u32>(a + b);
        if (a == b) s_.remis++;
        if (a == 0 && b == 0) s_.null_null++;
    }
}

void Saison_Bericht::Nach_Beendet(i32 id) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(id);
    if (!letzter_spieltag(w)) return;
    const std::string name = Cp1252_To_Utf8(w->name);
    if (w->modus & WB_KO_SYSTEM) {
        // A national cup's final (the last call of the season counts: the
        // runner calls in once more after the final's day).
        if (Wettbewerb_Ist_International(id) || w->teams < 16 || w->sieger <= 0 || w->sieger == w->zweiter) return;
        finale_[id] = {w->sieger, w->zweiter};
        return;
    }
    if (!ist_liga(w) || w->teams < 2) return;
    Bericht_Liga l;
    l.id = id;
    l.name = name;
    i32 auf = 0, ab = 0;
    Wettbewerb_Get_Auf_Abstieg(id, &auf, &ab);
    l.gross = auf == 0 && ab > 0;
    l.meister = w->teilnehmer[0];
    l.letzter = w->teilnehmer[w->teams - 1];
    auto ppg = [&](i32 t) {
        const Stand& x = stand_[{id, t}];
        return x.spiele ? static_cast<double>(x.punkte) / x.spiele : 0.0;
    };
    l.meister_ppg = ppg(l.meister);
    l.letzter_ppg = ppg(l.letzter);
    l.staerkster = staerkster_.count(id) ? staerkster_[id] : -1;
    for (i32 p = 0; p < w->teams; ++p) {
        l.tabelle.push_back(w->teilnehmer[p]);
        if (w->teilnehmer[p] == l.staerkster) l.staerkster_platz = p + 1;
    }
    l.abstieg = ab;
    ligen_[id] = l;
}

Bericht_Saison Saison_Bericht::Saison_Ende() {
    // The leagues' and cups' final states.
    for (auto& [id, l] : ligen_) {
        const i32 stufe = stufe_[id];
        for (size_t p = 0; p < l.tabelle.size(); ++p) {
            const i32 t = l.tabelle[p];
            liga_stufe_jetzt_[t] = stufe;
            // Promoted: last season in a league of a lower level.
            if (auto v = liga_stufe_vorher_.find(t); v != liga_stufe_vorher_.end() && v->second < stufe) {
                s_.aufsteiger++;
                if (l.abstieg > 0 && static_cast<i32>(p) + 1 >= l.abstieg) s_.aufsteiger_ab++;
            }
        }
        if (l.gross) meister_[l.name].push_back(l.meister);
        s_.ligen.push_back(l);
    }
    for (const auto& [id, f] : finale_)
        for (i32 t : {f.first, f.second}) {
            s_.pokal_finalisten++;
            if (liga_stufe_jetzt_.count(t) && liga_stufe_jetzt_[t] < 100) s_.pokal_unten++;
        }
    const i32 jahr = 2003 + Kalender_Get_Jahr();
    std::vector<double> alter, salden, monate;
    s_.alter_min = 1000, s_.alter_max = 0, s_.kader_min = 1000, s_.kader_max = 0;
    std::set<i32> top;
    for (const Bericht_Liga& l : s_.ligen) {
        i32 auf = 0, ab = 0;
        Wettbewerb_Get_Auf_Abstieg(l.id, &auf, &ab);
        if (auf != 0) continue;
        top.insert(l.tabelle.begin(), l.tabelle.end());
        if (l.gross) {
            u32 n = 0;
            for (i32 t : l.tabelle)
                for (int i = 0; i < Team_Kader_Anzahl(t); ++i)
                    if (Spieler_Daten[Team_Kader(t)[i]].staerke_fein >= 10000) n++;
            s_.stars[l.name] = n;
        }
    }
    for (i32 t = 0; t < Team_Anzahl; ++t) {
        if (!(Team_Daten[t].art & TEAM_ART_VEREIN) || t == Team_Transfermarkt) continue;
        const u32 n = static_cast<u32>(Team_Kader_Anzahl(t));
        s_.kader_min = std::min(s_.kader_min, n);
        s_.kader_max = std::max(s_.kader_max, n);
        for (u32 i = 0; i < n; ++i) {
            const i32 a = jahr - Spieler_Fix_Daten[Team_Kader(t)[i]].geburtsjahr;
            alter.push_back(a);
            s_.alter_min = std::min(s_.alter_min, a);
            s_.alter_max = std::max(s_.alter_max, a);
            if (Spieler_Daten[Team_Kader(t)[i]].staerke_fein >= 9000) s_.stark++;
        }
        s_.clubs++;
        s_.kader_groessen[n]++;
        if (const double k = Bank_Get_Kontostand(t, 0, -1); s_.reichster < 0 || k > s_.reichster_saldo)
            s_.reichster = t, s_.reichster_saldo = k;
        if (Bank_Get_Kontostand(t, 0, -1) < 0) s_.im_minus_clubs.push_back(t);
        if (top.count(t)) {
            const double k = Bank_Get_Kontostand(t, 0, -1);
            salden.push_back(k);
            if (const double g = Leben_Gehaltssumme(t); g >= 1) monate.push_back(k / g);
            s_.top_clubs++;
            if (k < 0) s_.im_minus++;
        }
    }
    // Human clubs against the computer clubs of their league.
    for (const Bericht_Liga& l : s_.ligen)
        for (i32 t : l.tabelle) {
            if (!Team_Hat_Manager(t)) continue;
            Bericht_Mensch m;
            m.team = t;
            auto ppg = [&](i32 x) {
                const Stand& st = stand_[{l.id, x}];
                return st.spiele ? static_cast<double>(st.punkte) / st.spiele : 0.0;
            };
            auto zustand = [](i32 x, double* e, double* v, double* mo) {
                const int n = Team_Kader_Anzahl(x);
                for (int i = 0; i < n; ++i) {
                    const Spieler_Struktur& p = Spieler_Daten[Team_Kader(x)[i]];
                    *e += static_cast<double>(p.erschoepfung) / n;
                    *mo += static_cast<double>(p.moral) / n;
                    if (p.status & SP_STATUS_VERLETZT) *v += 1;
                }
            };
            m.ppg = ppg(t);
            zustand(t, &m.erschoepfung, &m.verletzt, &m.moral);
            u32 computer = 0;
            for (i32 x : l.tabelle) {
                if (Team_Hat_Manager(x)) continue;
                computer++;
                zustand(x, &m.erschoepfung_liga, &m.verletzt_liga, &m.moral_liga);
                if (std::abs(Bericht_Staerke(x) - Bericht_Staerke(t)) <= 700) m.ppg_gleich += ppg(x), m.gleich++;
            }
            if (computer) m.erschoepfung_liga /= computer, m.verletzt_liga /= computer, m.moral_liga /= computer;
            if (m.gleich) m.ppg_gleich /= m.gleich;
            s_.menschen.push_back(m);
        }
    // Full names carried by more than one player of the world.
    std::unordered_map<std::string, u32> namen;
    auto voller_name = [](i32 x) {
        const Spieler_Client_Egal& n = Spieler_Texte[x];
        return std::string(n.vorname, strnlen(n.vorname, sizeof n.vorname)) + '\x1f' +
               std::string(n.nachname, strnlen(n.nachname, sizeof n.nachname));
    };
    for (i32 x = 0; x < Spieler_Anzahl; ++x)
        if (Spieler_Daten[x].team >= 0 && Spieler_Daten[x].team < Team_Anzahl) namen[voller_name(x)]++, s_.spieler++;
    for (const auto& [n, k] : namen)
        if (k > 1) s_.namensgleiche += k;
    // Players at another club than a season ago.
    const std::vector<i32> vereine = vereine_der_spieler();
    for (size_t x = 0; x < vereine.size() && x < verein_vorher_.size(); ++x) {
        if (vereine[x] < 0 || verein_vorher_[x] < 0 || vereine[x] == verein_vorher_[x]) continue;
        if (vereine[x] == Team_Transfermarkt || verein_vorher_[x] == Team_Transfermarkt) {
            s_.markt_wechsel++;
            continue;
        }
        s_.wechsel++;
        if (Spieler_Daten[x].staerke_fein >= 9000) s_.wechsel_stark++;
    }
    verein_vorher_ = vereine;
    s_.staerke_stufe = staerke_nach_stufe();
    s_.staerke_stufe_start = staerke_stufe_start_;
    s_.alter_median = median(alter);
    s_.saldo_median = median(salden);
    s_.monate_median = median(monate);
    if (const double g = s_.reichster >= 0 ? Leben_Gehaltssumme(s_.reichster) : 0; g >= 1)
        s_.reichster_monate = s_.reichster_saldo / g;
    s_.saldo_start = saldo_start_;
    // The season's wages, retirements and youth: differences of the
    // world's running totals.
    const Welt_Zahlen& w = Welt_Zahlen_Lesen();
    s_.gehaelter = w.gehaelter - vorher_.gehaelter;
    s_.abgaenge = w.ruecktritte - vorher_.ruecktritte;
    s_.zugaenge = w.jugend - vorher_.jugend;
    s_.markt_deals = (w.transfers - vorher_.transfers) - (w.vereinswechsel - vorher_.vereinswechsel) / 2;
    vorher_ = w;
    Bericht_Saison fertig = s_;
    s_ = Bericht_Saison{};
    stand_.clear();
    staerkster_.clear();
    liga_stufe_vorher_ = liga_stufe_jetzt_;
    liga_stufe_jetzt_.clear();
    ligen_.clear();
    finale_.clear();
    stufe_.clear();
    return fertig;
}

std::vector<std::pair<i32, i32>> Saison_Bericht::Staerke_Anstieg() const {
    std::vector<std::pair<i32, i32>> v;
    for (const auto& [t, vorher] : staerke_start_) v.emplace_back(t, Bericht_Staerke(t) - vorher);
    std::stable_sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    return v;
}

double Bericht_Summe::sieg_anteil(int k) const {
    const u32 n = luecke[k][0] + luecke[k][1] + luecke[k][2];
    return n ? static_cast<double>(luecke[k][0]) / n : 0;
}

void Bericht_Summe_Dazu(Bericht_Summe& m, const Bericht_Saison& s) {
    if (m.saisons == 0) m.saldo_start = s.saldo_start;
    m.saisons++;
    for (const Bericht_Liga& l : s.ligen) {
        if (!l.gross) continue;
        const double n = m.ligen++;
        m.meister_ppg = (m.meister_ppg * n + l.meister_ppg) / (n + 1);
        m.letzter_ppg = (m.letzter_ppg * n + l.letzter_ppg) / (n + 1);
        if (l.staerkster_platz == 1) m.staerkster_meister++;
    }
    m.aufsteiger += s.aufsteiger, m.aufsteiger_ab += s.aufsteiger_ab;
    m.pokal_finalisten += s.pokal_finalisten, m.pokal_unten += s.pokal_unten;
    m.spiele += s.spiele, m.tore += s.tore, m.null_null += s.null_null, m.remis += s.remis;
    for (int k = 0; k < 5; ++k)
        for (int e = 0; e < 3; ++e) m.luecke[k][e] += s.luecke[k][e], m.luecke_engine[k][e] += s.luecke_engine[k][e];
    m.oben_spiele += s.oben_spiele, m.oben_heimsiege += s.oben_heimsiege, m.oben_null_null += s.oben_null_null;
    m.oben_auswaertssiege += s.oben_auswaertssiege;
    m.markt_deals += s.markt_deals;
    m.monate_min = std::min(m.monate_min, s.monate_median), m.monate_max = std::max(m.monate_max, s.monate_median);
    m.reich_monate_min = std::min(m.reich_monate_min, s.reichster_monate);
    m.reich_monate_max = std::max(m.reich_monate_max, s.reichster_monate);
    m.alter_median = s.alter_median, m.alter_min = s.alter_min, m.alter_max = s.alter_max;
    m.kader_min = s.kader_min, m.kader_max = s.kader_max;
    m.stars_min = 1000, m.stars_max = 0;
    for (const auto& [liga, n] : s.stars)
        m.stars_min = std::min(m.stars_min, n), m.stars_max = std::max(m.stars_max, n);
    m.saldo_median = s.saldo_median, m.im_minus = s.im_minus;
    m.namensgleiche_max = std::max(m.namensgleiche_max, s.namensgleiche);
    m.wechsel += s.wechsel, m.wechsel_clubs += s.clubs;
    if (s.saldo_start > 0) m.saldo_anteil_min = std::min(m.saldo_anteil_min, s.saldo_median / s.saldo_start);
    if (m.saisons == 1) m.im_minus_erste = s.im_minus, m.top_clubs_erste = s.top_clubs;
    for (const auto& [n, k] : s.kader_groessen) m.kader_groessen.insert(n);
    if (s.saldo_median > 0) m.reich_anteil_max = std::max(m.reich_anteil_max, s.reichster_saldo / s.saldo_median);
    if (s.saldo_median > 0) m.reich_anteil_min = std::min(m.reich_anteil_min, s.reichster_saldo / s.saldo_median);
    m.minus_clubs.insert(s.im_minus_clubs.begin(), s.im_minus_clubs.end());
    m.im_minus_jetzt = s.im_minus_clubs;
    m.minus_erholt = 0;
    for (i32 t : m.minus_clubs)
        m.minus_erholt += std::find(m.im_minus_jetzt.begin(), m.im_minus_jetzt.end(), t) == m.im_minus_jetzt.end();
    m.alle_clubs = s.clubs, m.wechsel_stark += s.wechsel_stark;
    if (m.saisons == 2) m.markt_wechsel_min = m.markt_wechsel_max = s.markt_wechsel;
    if (m.saisons > 2)
        m.markt_wechsel_min = std::min(m.markt_wechsel_min, s.markt_wechsel),
        m.markt_wechsel_max = std::max(m.markt_wechsel_max, s.markt_wechsel);
    m.abgaenge_min = std::min(m.abgaenge_min, s.abgaenge), m.abgaenge_max = std::max(m.abgaenge_max, s.abgaenge);
    m.alter_median_min = std::min(m.alter_median_min, s.alter_median);
    m.alter_median_max = std::max(m.alter_median_max, s.alter_median);
    m.staerke_stufe = s.staerke_stufe, m.staerke_stufe_start = s.staerke_stufe_start;
    for (const Bericht_Mensch& h : s.menschen) {
        m.mensch_saisons++;
        m.mensch_ppg += h.ppg, m.mensch_moral += h.moral, m.mensch_moral_liga += h.moral_liga;
        if (h.gleich) m.mensch_gleich_saisons++, m.mensch_ppg_gleich += h.ppg_gleich, m.mensch_ppg_bei_gleich += h.ppg;
    }
}

void Bericht_Summe_Meister(Bericht_Summe& m, const std::map<std::string, std::vector<i32>>& meister) {
    double summe = 0;
    int n = 0;
    for (const auto& [liga, liste] : meister) {
        if (liste.empty()) continue;
        // Each full run of ten seasons; a shorter run counts in proportion.
        if (liste.size() < 10) {
            const std::set<i32> verschieden(liste.begin(), liste.end());
            summe += static_cast<double>(verschieden.size()) * 10.0 / static_cast<double>(liste.size());
            n++;
            continue;
        }
        for (size_t a = 0; a + 10 <= liste.size(); a += 10) {
            summe += static_cast<double>(
                std::set<i32>(liste.begin() + static_cast<long>(a), liste.begin() + static_cast<long>(a) + 10).size());
            n++;
        }
    }
    m.meister_je_10 = n ? summe / n : 0;
}
