// The table builder: a competition's table from its fixture plan (total,
// home and away, two- or three-point rule, matchday and minute ranges, the
// live table, forecasts of unplayed games), its sort key, form and the
// table without the last matchday; and the cache of recent tables.
#include <algorithm>
#include <array>
#include <bitset>
#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

#include "base/compress.h"
#include "base/ruf.h"
#include "base/types.h"
#include "season/ereignisse.h"
#include "season/netz_rufe.h"
#include "season/spiele.h"
#include "season/spiele_saetze.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "world/welt.h"

namespace {

constexpr int CACHE_EINTRAEGE = 16;
constexpr u32 KEIN_SCHLUESSEL = 0xFFFFFFFFu;
constexpr int RASTER_SPIELTAGE = TABELLE_RASTER / TABELLE_RASTER_ZEILEN;  // 245
constexpr int FORM_SPIELE = 5;
// Goal events: flag bits of an event record (u32 at byte 4, minute at byte 8).
constexpr u32 SFE_TOR = 4, EREIGNIS_TEAM_A = 1;

struct Cache_Eintrag {
    i32 plan = -1;
    Tabelle_Argumente argumente;
    bool drei_punkte = false;
    u32 wert = KEIN_SCHLUESSEL;
    std::unique_ptr<Tabelle> tabelle;
};
std::array<Cache_Eintrag, CACHE_EINTRAEGE> cache;
int cache_naechster = 0;
bool cache_an = true;

bool gleich(const Tabelle_Argumente& a, const Tabelle_Argumente& b) {
    return a.wettbewerb == b.wettbewerb && a.erster_spieltag == b.erster_spieltag &&
           a.letzter_spieltag == b.letzter_spieltag && a.optionen == b.optionen && a.team == b.team &&
           a.frei == b.frei && a.erste_minute == b.erste_minute && a.letzte_minute == b.letzte_minute &&
           a.prognose == b.prognose && a.live_minute == b.live_minute && a.drei_punkte == b.drei_punkte;
}

// The counters of one table while it is built.
struct Zaehler {
    u32 spiele[3][TABELLE_ZEILEN] = {};
    u32 punkte[3][TABELLE_ZEILEN] = {};
    u32 tore[3][TABELLE_ZEILEN] = {};
    u32 gegentore[3][TABELLE_ZEILEN] = {};
};

// One counted game: a row's side of it.
struct Seite {
    int zeile;
    i32 tore, gegentore;
};

class Bau {
  public:
    // `nur_stand`: the standings alone (counters, keys and order), without
    // the grid, the form and the order before the last matchday.
    Bau(const Tabelle_Argumente& a, const Wettbewerb& w, Tabelle& t, bool nur_stand = false)
        : a_(a), t_(t), nur_stand_(nur_stand) {
        drei_ = a.drei_punkte == 255 ? (w.modus & WB_ENGLISCHE_TABELLE) != 0 : a.drei_punkte != 0;
        sieg_ = drei_ ? 3 : 2;
        zeilen_ = static_cast<int>(std::min<u32>(t.zeilen, TABELLE_ZEILEN));
        // Each team's first row, looked up by the team's number for every
        // game counted.
        index_team_.fill(-1);
        for (int r = 0; r < zeilen_; ++r) {
            const i32 team = static_cast<i32>(t.team[r]);
            if (team < 0) continue;
            u32 h = static_cast<u32>(team) & (INDEX_PLAETZE - 1);
            while (index_team_[h] >= 0 && index_team_[h] != team) h = (h + 1) & (INDEX_PLAETZE - 1);
            if (index_team_[h] < 0) {
                index_team_[h] = team;
                index_zeile_[h] = static_cast<i16>(r);
            }
        }
    }
    bool Drei_Punkte() const { return drei_; }

    // Walks the plan and fills the record; the key of the team's row.
    u32 Bauen(const Spielplan_Kopf& kopf, const Spiel* spiele) {
        const i32 erster = std::max(a_.erster_spieltag, 0);
        const i32 letzter = a_.letzter_spieltag < 0 ? static_cast<i32>(kopf.spieltage) - 1 : a_.letzter_spieltag;
        // Games of leg 0 are paired with the same game of leg 1 (the second
        // leg of a tie), found in storage order within their matchday.
        u32 i = 0;
        while (i < kopf.spiele) {
            const u32 tag = spiele[i].spieltag;
            u32 ende = i;
            while (ende < kopf.spiele && spiele[ende].spieltag == tag) ++ende;
            if (static_cast<i32>(tag) >= erster && static_cast<i32>(tag) <= letzter) {
                u32 leg0 = i, n0 = 0;
                while (leg0 + n0 < ende && spiele[leg0 + n0].runde == 0) ++n0;
                for (u32 k = 0; k < n0; ++k) {
                    const Spiel* rueck = nullptr;
                    if (kopf.runden > 1 && leg0 + n0 + k < ende && spiele[leg0 + n0 + k].runde == 1)
                        rueck = &spiele[leg0 + n0 + k];
                    spiel_zaehlen(spiele[leg0 + k], rueck, static_cast<i32>(tag), letzter);
                }
            }
            i = ende;
        }
        abschliessen();
        for (int r = 0; r < zeilen_; ++r)
            if (a_.team >= 0 && static_cast<i32>(t_.team[r]) == a_.team) return t_.schluessel[r];
        return KEIN_SCHLUESSEL;
    }

  private:
    int zeile_von(i32 team) const {
        if (team < 0) return -1;
        for (u32 h = static_cast<u32>(team) & (INDEX_PLAETZE - 1);; h = (h + 1) & (INDEX_PLAETZE - 1)) {
            if (index_team_[h] == team) return index_zeile_[h];
            if (index_team_[h] < 0) return -1;
        }
    }

    // The goals of a game: from the record, or from its goal events within
    // the minute limits (a live table counts only the goals so far).
    bool tore(const Spiel& s, i32 tag, i32 letzter, i32* ga, i32* gb) const {
        i32 von = a_.erste_minute, bis = a_.letzte_minute;
        if (a_.live_minute >= 0 && tag == letzter)
            bis = a_.live_minute - 2 > 0 ? a_.live_minute - 2 : a_.live_minute - 1;
        const bool live = a_.live_minute >= 0 && tag == letzter;
        if (von < 0 && bis < 0) {
            if (s.tore_a < 0) {
                if (!a_.prognose || s.team_a < 0 || s.team_b < 0) return false;
                Spiele_Berechne_Ergebnis(s.team_a, s.team_b, ga, gb);
                return true;
            }
            *ga = s.tore_a;
            *gb = s.tore_b;
            return true;
        }
        if (s.tore_a < 0 && !(live && s.minute > 0)) return false;
        *ga = *gb = 0;
        for (u32 e = 0; s.erstes_ereignis && e < s.ereignis_anzahl; ++e) {
            const u8* bild = Spiele_Ereignis(s.erstes_ereignis + e);
            if (!bild) break;
            const auto r = bytes::aus_bild<spiele_satz::Ereignis>(bild);
            const u32 flags = r.flags;
            const i32 minute = r.minute;
            if (!(flags & SFE_TOR) || (von >= 0 && minute < von) || (bis >= 0 && minute > bis)) continue;
            ++*((flags & EREIGNIS_TEAM_A) ? ga : gb);
        }
        return true;
    }

    void spiel_zaehlen(const Spiel& s, const Spiel* rueck, i32 tag, i32 letzter) {
        if ((a_.optionen & 32) && s.team_a != a_.team && s.team_b != a_.team) return;
        const int za = zeile_von(s.team_a), zb = zeile_von(s.team_b);
        if (za < 0 || zb < 0) return;
        i32 ga = 0, gb = 0, ra = 0, rb = 0;
        if (!tore(s, tag, letzter, &ga, &gb)) return;
        if (rueck && !tore(*rueck, tag, letzter, &rb, &ra)) return;  // second leg: team A is its team B
        const bool vorher = tag < letzter;
        buchen(za, zb, ga, gb, rueck != nullptr, ra, rb, tag, vorher);
    }

    void buchen(int za, int zb, i32 ga, i32 gb, bool zwei, i32 ra, i32 rb, i32 tag, bool vorher) {
        for (Zaehler* z : {&gesamt_, vorher && !nur_stand_ ? &ohne_letzten_ : nullptr}) {
            if (!z) continue;
            seite(*z, za, 1, ga, gb);
            seite(*z, zb, 2, gb, ga);
            if (zwei) {
                seite(*z, za, 2, ra, rb, false);
                seite(*z, zb, 1, rb, ra, false);
            }
            const i32 a_summe = ga + ra, b_summe = gb + rb;
            if (a_summe > b_summe) {
                z->punkte[0][za] += sieg_;
                z->punkte[1][za] += sieg_;
            } else if (a_summe < b_summe) {
                z->punkte[0][zb] += sieg_;
                z->punkte[2][zb] += sieg_;
            } else {
                z->punkte[0][za] += 1;
                z->punkte[1][za] += 1;
                z->punkte[0][zb] += 1;
                z->punkte[2][zb] += 1;
            }
        }
        ++gezaehlt_;
        if (nur_stand_) return;
        const int ergebnis_a = ga + ra > gb + rb ? 0 : ga + ra == gb + rb ? 1 : 2;
        raster(za, tag, static_cast<u16>(ergebnis_a), 1);
        raster(zb, tag, static_cast<u16>(2 - ergebnis_a), 0);
        form_[za] = static_cast<u16>(form_[za] << 2);
        form_[zb] = static_cast<u16>(form_[zb] << 2);
        if (ergebnis_a == 0) form_[za] |= 3;
        if (ergebnis_a == 2) form_[zb] |= 3;
        if (ergebnis_a == 1) {
            form_[za] |= 1;
            form_[zb] |= 1;
        }
        spieltage_.set(static_cast<size_t>(std::clamp(tag, 0, 511)));
    }

    // A row's side of a game in variant 0 and its venue variant.
    static void seite(Zaehler& z, int zeile, int ort, i32 tore, i32 gegen, bool gesamt = true) {
        for (int v : {0, ort}) {
            if (v == 0 && !gesamt) {
                z.tore[0][zeile] += static_cast<u32>(tore);
                z.gegentore[0][zeile] += static_cast<u32>(gegen);
                continue;
            }
            ++z.spiele[v][zeile];
            z.tore[v][zeile] += static_cast<u32>(tore);
            z.gegentore[v][zeile] += static_cast<u32>(gegen);
        }
    }

    // Grids have room for 24 rows and 245 matchdays; rows and days past
    // them are not written.
    void raster(int zeile, i32 tag, u16 ergebnis, u8 heim) {
        if (zeile >= TABELLE_RASTER_ZEILEN || tag < 0 || tag >= RASTER_SPIELTAGE) return;
        t_.ergebnis[tag * TABELLE_RASTER_ZEILEN + zeile] = ergebnis;
        t_.heim[tag * TABELLE_RASTER_ZEILEN + zeile] = heim;
    }

    u64 schluessel(const Zaehler& z, int r) const {
        u64 p = 0, g = 0, f = 0, a = 0;
        for (int v = 1; v <= 2; ++v) {
            if (!(a_.optionen & (v == 1 ? 8u : 16u))) continue;
            p += z.punkte[v][r];
            g += z.spiele[v][r];
            f += z.tore[v][r];
            a += z.gegentore[v][r];
        }
        return Tabelle_Schluessel_Berechnen(a_.optionen, drei_, p, g, f, a);
    }

    // Rows by key, highest first; equal keys keep the row order.
    void sortieren(const Zaehler& z, u32* reihenfolge, std::array<u64, TABELLE_ZEILEN>& keys) const {
        std::array<u32, TABELLE_ZEILEN> o{};
        for (int r = 0; r < zeilen_; ++r) {
            keys[static_cast<size_t>(r)] = schluessel(z, r);
            o[static_cast<size_t>(r)] = static_cast<u32>(r);
        }
        std::stable_sort(o.begin(), o.begin() + zeilen_, [&](u32 x, u32 y) { return keys[x] > keys[y]; });
        for (int r = 0; r < zeilen_; ++r) reihenfolge[r] = o[static_cast<size_t>(r)];
    }

    void abschliessen() {
        for (int v = 0; v < 3; ++v)
            for (int r = 0; r < zeilen_; ++r) {
                t_.spiele[v][r] = gesamt_.spiele[v][r];
                t_.punkte[v][r] = gesamt_.punkte[v][r];
                t_.tore[v][r] = gesamt_.tore[v][r];
                t_.gegentore[v][r] = gesamt_.gegentore[v][r];
            }
        for (int r = 0; r < zeilen_ && !nur_stand_; ++r) {
            int summe = 0;
            for (int k = 0; k < FORM_SPIELE; ++k) summe += (form_[r] >> (2 * k)) & 3;
            t_.form[r] = static_cast<u8>(summe);
        }
        std::array<u64, TABELLE_ZEILEN> keys{}, vorher_keys{};
        if (gezaehlt_ > 0) {
            sortieren(gesamt_, t_.reihenfolge, keys);
        } else {
            for (int r = 0; r < zeilen_; ++r) keys[static_cast<size_t>(r)] = schluessel(gesamt_, r);
        }
        for (int r = 0; r < zeilen_; ++r)
            Tabelle_Schluessel_Setzen(t_, static_cast<u32>(r), keys[static_cast<size_t>(r)]);
        if (!nur_stand_ && spieltage_.count() >= 2) {
            u32 vorher[TABELLE_ZEILEN];
            sortieren(ohne_letzten_, vorher, vorher_keys);
            std::copy(vorher, vorher + zeilen_, t_.vorherige);
        }
        t_.optionen = a_.optionen;
        t_.wettbewerb = static_cast<u32>(a_.wettbewerb);
    }

    const Tabelle_Argumente& a_;
    Tabelle& t_;
    bool nur_stand_ = false;
    bool drei_ = false;
    u32 sieg_ = 2;
    int zeilen_ = 0;
    // Open addressing over twice the most rows: a free place always ends a search.
    static constexpr u32 INDEX_PLAETZE = 2 * TABELLE_ZEILEN;
    std::array<i32, INDEX_PLAETZE> index_team_;
    std::array<i16, INDEX_PLAETZE> index_zeile_{};
    Zaehler gesamt_, ohne_letzten_;
    u16 form_[TABELLE_ZEILEN] = {};
    std::bitset<512> spieltage_;
    int gezaehlt_ = 0;
};

// The all-time table of a competition: the 24 best teams of its all-time
// entries, each with its three variants and its wins, draws and defeats in
// the grid area.
u32 ewige_tabelle(const Tabelle_Argumente& a, const Wettbewerb& w, Tabelle& t) {
    const bool drei = a.drei_punkte == 255 ? (w.modus & WB_ENGLISCHE_TABELLE) != 0 : a.drei_punkte != 0;
    const bool heim = a.optionen & 8, aus = a.optionen & 16;
    const i32 art = heim && aus ? 2 : heim ? 0 : 1;
    struct Zeile {
        i32 team;
        u64 schluessel;
    };
    std::vector<Zeile> zeilen;
    for (i32 team = 0; team < Team_Anzahl; ++team) {
        u32 e[6];
        if (!Spiele_Get_Ewige_Tabelle(w.id, team, e, art)) continue;
        const u64 spiele = u64{e[3]} + e[4] + e[5];
        zeilen.push_back({team, Tabelle_Schluessel_Berechnen(a.optionen | 1, drei, e[0], spiele, e[1], e[2])});
    }
    std::stable_sort(zeilen.begin(), zeilen.end(),
                     [](const Zeile& x, const Zeile& y) { return x.schluessel > y.schluessel; });
    if (zeilen.size() > TABELLE_RASTER_ZEILEN) zeilen.resize(TABELLE_RASTER_ZEILEN);
    t.zeilen = static_cast<u32>(zeilen.size());
    u32 wert = KEIN_SCHLUESSEL;
    for (u32 r = 0; r < t.zeilen; ++r) {
        const i32 team = zeilen[r].team;
        t.team[r] = static_cast<u32>(team);
        t.reihenfolge[r] = r;
        Tabelle_Schluessel_Setzen(t, r, zeilen[r].schluessel);
        if (team == a.team) wert = t.schluessel[r];
        // Variant 0 from both venues, 1 from home, 2 from away games.
        for (int v = 0; v < 3; ++v) {
            u32 e[6] = {};
            Spiele_Get_Ewige_Tabelle(w.id, team, e, v == 0 ? 2 : v - 1);
            t.punkte[v][r] = e[0];
            t.tore[v][r] = e[1];
            t.gegentore[v][r] = e[2];
            t.spiele[v][r] = e[3] + e[4] + e[5];
            for (int k = 0; k < 3; ++k)
                t.ergebnis[(3 * v + k) * TABELLE_RASTER_ZEILEN + r] = static_cast<u16>(std::min<u32>(e[3 + k], 0xFFFF));
        }
    }
    t.optionen = a.optionen;
    t.wettbewerb = static_cast<u32>(a.wettbewerb);
    return wert;
}

}  // namespace

u64 Tabelle_Schluessel_Berechnen(u32 optionen, bool drei_punkte, u64 punkte, u64 spiele, u64 tore, u64 gegentore) {
    u64 k = 0;
    if (optionen & 1) {
        k |= std::min<u64>(punkte, 0xFFFFF) << 44;
        // Under the two-point rule, of two sides level on points the one
        // with fewer points lost ranks higher.
        if (!drei_punkte) {
            const u64 verloren = 2 * spiele > punkte ? 2 * spiele - punkte : 0;
            k |= (0xFFF - std::min<u64>(verloren, 0xFFF)) << 32;
        }
    }
    if (optionen & (2 | 4)) {
        const i64 f = (optionen & 2) ? static_cast<i64>(std::min<u64>(tore, 0x7FFF)) : 0;
        const i64 a = (optionen & 4) ? static_cast<i64>(std::min<u64>(gegentore, 0x7FFF)) : 0;
        k |= static_cast<u64>(f - a + 0x8000) << 16;
        k |= static_cast<u64>(f);
    }
    return k;
}

void Tabelle_Schluessel_Setzen(Tabelle& t, u32 zeile, u64 schluessel) {
    if (zeile >= TABELLE_ZEILEN) return;
    t.schluessel[zeile] = static_cast<u32>(schluessel);
    put_u32le(t.reserviert + 4 * zeile, static_cast<u32>(schluessel >> 32));
}

u64 Tabelle_Schluessel(const Tabelle& t, u32 zeile) {
    if (zeile >= TABELLE_ZEILEN) return 0;
    return (static_cast<u64>(get_u32le(t.reserviert + 4 * zeile)) << 32) | t.schluessel[zeile];
}

namespace {

// A client's table from the server (call 1010): the record run-length
// packed. It is taken only when it unpacks to exactly one record whose rows,
// order and teams are in range; otherwise the caller's record is left alone.
u32 tabelle_vom_server(const Tabelle_Argumente& a, Tabelle* t, bool* gegeben) {
    const auto antwort = ruf::Rufen(RUF_SPIELE_TABELLE, 0,
                                    Tabelle_Wunsch{a.wettbewerb, a.erster_spieltag, a.letzter_spieltag, a.drei_punkte,
                                                   a.optionen, a.team, a.frei, a.erste_minute, a.letzte_minute,
                                                   a.prognose, a.ewig, a.live_minute});
    if (!antwort || antwort->size() < RLE_KOPF_GROESSE) return KEIN_SCHLUESSEL;
    std::vector<u8> bild(TABELLE_GROESSE);
    if (Tools_RLE_Entpacken_Sicher(antwort->data(), static_cast<u32>(antwort->size()), bild.data(),
                                   TABELLE_GROESSE) != TABELLE_GROESSE)
        return KEIN_SCHLUESSEL;
    auto neu = std::make_unique<Tabelle>();
    Tabelle_Bild_Lesen(*neu, bild.data());
    const u32 n = neu->zeilen;
    if (n > TABELLE_ZEILEN) return KEIN_SCHLUESSEL;
    for (u32 r = 0; r < n; ++r)
        if (neu->reihenfolge[r] >= n || static_cast<i32>(neu->team[r]) < -1 ||
            static_cast<i32>(neu->team[r]) >= Team_Anzahl)
            return KEIN_SCHLUESSEL;
    *t = *neu;
    *gegeben = true;
    for (u32 r = 0; r < n; ++r)
        if (static_cast<i32>(t->team[r]) == a.team) return t->schluessel[r];
    return KEIN_SCHLUESSEL;
}

}  // namespace

namespace {

// A cached table for these arguments and the teams the caller prepared.
bool aus_cache(i32 plan, bool drei_punkte, const Tabelle_Argumente& a, Tabelle* t, u32* wert) {
    for (const Cache_Eintrag& c : cache)
        if (c.plan == plan && c.tabelle && c.drei_punkte == drei_punkte && gleich(c.argumente, a) &&
            c.tabelle->zeilen == t->zeilen && std::equal(t->team, t->team + t->zeilen, c.tabelle->team)) {
            *t = *c.tabelle;
            *wert = c.wert;
            return true;
        }
    return false;
}

void in_cache(i32 plan, bool drei_punkte, const Tabelle_Argumente& a, const Tabelle& t, u32 wert) {
    if (!cache_an || a.prognose > 1) return;
    Cache_Eintrag& c = cache[static_cast<size_t>(cache_naechster)];
    cache_naechster = (cache_naechster + 1) % CACHE_EINTRAEGE;
    c.plan = plan;
    c.argumente = a;
    c.drei_punkte = drei_punkte;
    c.wert = wert;
    if (!c.tabelle) c.tabelle = std::make_unique<Tabelle>();
    *c.tabelle = t;
}

// A client keeps the server's tables as the server keeps its own (until a
// client reset or the competition's matchday ends); only a table the
// server gave is kept.
u32 tabelle_als_client(const Tabelle_Argumente& a, Tabelle* t) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(a.wettbewerb);
    const i32 plan = w && !a.ewig ? w->spielplan : -1;
    u32 wert = KEIN_SCHLUESSEL;
    if (plan >= 0 && aus_cache(plan, false, a, t, &wert)) return wert;
    bool gegeben = false;
    wert = tabelle_vom_server(a, t, &gegeben);
    if (plan >= 0 && gegeben) in_cache(plan, false, a, *t, wert);
    return wert;
}

}  // namespace

u32 Spiele_Get_Tabelle(const Tabelle_Argumente& a, Tabelle* t) {
    if (!t) return KEIN_SCHLUESSEL;
    if (ruf::Client()) return tabelle_als_client(a, t);
    if (!Spiele_Bereit()) return KEIN_SCHLUESSEL;
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(a.wettbewerb);
    if (!w) return KEIN_SCHLUESSEL;
    if (a.ewig) return ewige_tabelle(a, *w, *t);
    const i32 plan = w->spielplan;
    const Spielplan_Kopf* kopf = Spiele_Get_Kopf(plan);
    const Spiel* spiele = Spiele_Get_Spiele(plan);
    if (!kopf || !spiele) return KEIN_SCHLUESSEL;
    Bau bau(a, *w, *t);
    u32 wert = KEIN_SCHLUESSEL;
    if (aus_cache(plan, bau.Drei_Punkte(), a, t, &wert)) return wert;
    wert = bau.Bauen(*kopf, spiele);
    in_cache(plan, bau.Drei_Punkte(), a, *t, wert);
    return wert;
}

u32 Spiele_Get_Tabelle_Stand(const Tabelle_Argumente& a, Tabelle* t) {
    if (!t) return KEIN_SCHLUESSEL;
    if (ruf::Client() || a.ewig) return Spiele_Get_Tabelle(a, t);
    if (!Spiele_Bereit()) return KEIN_SCHLUESSEL;
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(a.wettbewerb);
    if (!w) return KEIN_SCHLUESSEL;
    const i32 plan = w->spielplan;
    const Spielplan_Kopf* kopf = Spiele_Get_Kopf(plan);
    const Spiel* spiele = Spiele_Get_Spiele(plan);
    if (!kopf || !spiele) return KEIN_SCHLUESSEL;
    Bau bau(a, *w, *t, true);
    u32 wert = KEIN_SCHLUESSEL;
    // A whole table of these arguments serves as well; the standings alone
    // are not kept (the cache hands out whole tables).
    if (aus_cache(plan, bau.Drei_Punkte(), a, t, &wert)) return wert;
    return bau.Bauen(*kopf, spiele);
}

void Spiele_Tabellen_Cache_Leeren() {
    for (Cache_Eintrag& c : cache) c.plan = -1;
}

void Spiele_Tabellen_Cache_Leeren_Plan(i32 plan) {
    for (Cache_Eintrag& c : cache)
        if (c.plan == plan) c.plan = -1;
}

void Spiele_Tabellen_Cache_Schalter(bool an) { cache_an = an; }

i32 Spiele_Tabelle_Zaehle_Ergebnisse(const Tabelle& t, u32 zeile, i32 art, i32 erster, i32 letzter, i32 ort) {
    if (zeile >= TABELLE_RASTER_ZEILEN || art < 0 || art > 2) return 0;
    erster = std::max(erster, 0);
    letzter = std::min(letzter < 0 ? RASTER_SPIELTAGE - 1 : letzter, RASTER_SPIELTAGE - 1);
    i32 n = 0;
    for (i32 d = erster; d <= letzter; ++d) {
        const u32 i = static_cast<u32>(d) * TABELLE_RASTER_ZEILEN + zeile;
        if (t.ergebnis[i] != art) continue;
        if ((ort == 1 && t.heim[i] != 1) || (ort == 2 && t.heim[i] != 0)) continue;
        ++n;
    }
    return n;
}

bool Spiele_Tabelle_Neu_Sortieren(Tabelle& t, u32 optionen, bool drei_punkte) {
    if (t.zeilen > TABELLE_RASTER_ZEILEN) return false;
    const u32 n = t.zeilen;
    std::array<u64, TABELLE_ZEILEN> keys{};
    std::array<u32, TABELLE_ZEILEN> o{};
    for (u32 r = 0; r < n; ++r) {
        u64 p = 0, g = 0, f = 0, a = 0;
        for (int v = 1; v <= 2; ++v) {
            if (!(optionen & (v == 1 ? 8u : 16u))) continue;
            p += t.punkte[v][r];
            g += t.spiele[v][r];
            f += t.tore[v][r];
            a += t.gegentore[v][r];
        }
        keys[r] = Tabelle_Schluessel_Berechnen(optionen, drei_punkte, p, g, f, a);
        o[r] = r;
    }
    std::stable_sort(o.begin(), o.begin() + n, [&](u32 x, u32 y) { return keys[x] > keys[y]; });
    for (u32 r = 0; r < n; ++r) {
        t.reihenfolge[r] = o[r];
        Tabelle_Schluessel_Setzen(t, r, keys[r]);
    }
    t.optionen = optionen;
    return true;
}
