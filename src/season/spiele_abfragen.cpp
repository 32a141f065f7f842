// Queries of the fixture database beside the games: the forecast of an
// unplayed game, the series and head-to-head stores, and the server rows of
// the table, series, head-to-head and statistics calls.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

#include "base/compress.h"
#include "base/random.h"
#include "base/ruf.h"
#include "season/netz_rufe.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/spiele_saetze.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "world/aufstellung.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

i32 R(i32 von, i32 bis) { return Rnd_Basis(von, bis); }

// R(0, x) > R(0, 2) with the left draw first.
bool groesser(i32 links_bis) {
    const i32 l = R(0, links_bis);
    return l > R(0, 2);
}

constexpr i32 WETTBEWERB_NUMMERN = 384;
constexpr i32 GEGEN_MAX = 50;  // games one head-to-head answer carries
std::map<std::pair<i32, i32>, std::tuple<i32, i32, i32, i32>> sieger_cache;  // a client's winners answers

// A client's head-to-head from the server (call 1034). The items go out only
// when every one of them names a base competition, and the sums only with
// them.
i32 gegen_vom_server(i32 wettbewerb, i32 heim, i32 gast, u32* siege, u32* unentschieden, u32* niederlagen,
                     u8* ergebnisse, i32 maximum) {
    maximum = std::clamp(maximum, 0, GEGEN_MAX);
    const auto antwort = ruf::Rufen(RUF_SPIELE_GEGEN, wettbewerb, heim, gast, std::max(maximum, 1));
    if (!antwort) return 0;
    const auto& [ok, s, u, n, items] = *antwort;
    if (ok > 1 || items.size() != static_cast<size_t>(std::max(maximum, 1)) * 12) return 0;
    // The server's items: the first that does not name a base competition
    // ends them (the rest of the array is 0xFF).
    i32 zahl = 0;
    while (zahl < maximum) {
        const auto z = bytes::aus_bild<spiele_satz::Gegen_Zeile>(items.data() + 12 * zahl);
        if (z.tore_heim == 0xFFFFFFFFu) break;
        if (z.tore_heim > 15 || z.tore_gast > 15 || z.basis >= static_cast<u32>(WETTBEWERB_NUMMERN)) return 0;
        ++zahl;
    }
    if (siege) *siege = s;
    if (unentschieden) *unentschieden = u;
    if (niederlagen) *niederlagen = n;
    if (ergebnisse && zahl > 0) std::memcpy(ergebnisse, items.data(), static_cast<size_t>(zahl) * 12);
    return zahl;
}

bool schluessel(u64 k, u32* aus) {
    if (k > 0xFFFFFFFFu) return false;
    *aus = static_cast<u32>(k);
    return true;
}

// Team count of the world, 0 when unknown.
u64 team_anzahl() { return static_cast<u64>(std::max(0, Team_Anzahl)); }

// The line-up filter of the forecast: the starters.
constexpr u32 STARTELF = 16;

bool ist_team(i32 t) { return t >= 0 && t < Team_Anzahl; }
i32 staerke(i32 t) { return ist_team(t) ? Team_Get_Staerke_Modus(t, STARTELF) : 0; }

}  // namespace

bool Spiele_Schluessel_Serien(i32 basis, i32 team, u32* aus) {
    const u64 t = team_anzahl();
    if (basis < 0 || team < 0 || static_cast<u64>(team) >= t) return false;
    return schluessel(static_cast<u64>(basis) * t + static_cast<u64>(team) + 1, aus);
}

bool Spiele_Schluessel_Ewig(i32 basis, i32 team, u32* aus) { return Spiele_Schluessel_Serien(basis, team, aus); }

bool Spiele_Schluessel_Direkt(i32 basis, i32 heim, i32 gast, u32* aus) {
    const u64 t = team_anzahl();
    if (basis < 0 || heim < 0 || gast < 0 || static_cast<u64>(heim) >= t || static_cast<u64>(gast) >= t) return false;
    return schluessel(static_cast<u64>(basis) * t * t + static_cast<u64>(heim) * t + static_cast<u64>(gast) + 1, aus);
}

bool Spiele_Schluessel_Spieler(i32 basis, i32 spieler, u32* aus) {
    const u64 n = static_cast<u64>(std::max(Spieler_Anzahl, 0));
    if (basis < 0 || spieler < 0 || static_cast<u64>(spieler) >= n) return false;
    return schluessel(static_cast<u64>(basis) * n + static_cast<u64>(spieler) + 1, aus);
}

bool Spiele_Schluessel_Sieger(i32 basis, i32 jahr, u32* aus) {
    if (basis < 0 || jahr < 0) return false;
    return schluessel(static_cast<u64>(jahr) * SPIELE_ALLE_WETTBEWERBE + static_cast<u64>(basis) + 1, aus);
}

void Spiele_Berechne_Ergebnis(i32 team_a, i32 team_b, i32* aus_a, i32* aus_b) {
    const i32 sa = staerke(team_a);
    const i32 sb = staerke(team_b);
    Rnd_Push();
    // The seed comes from team A's name, so a pairing always gets the same
    // forecast.
    const char* n = ist_team(team_a) ? Team_Fix_Daten[team_a].name : "";
    i32 saat = 1234;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(n); *c; ++c) saat = (saat + 10 * *c) % 9999;
    Rnd_Set_Index(saat, 0);

    i32 a = R(0, sa - 20 > sb ? 2 : 1);
    {
        const i32 r = R(2, 20);
        a += R(0, sa - r > sb ? 1 : 0);
    }
    i32 b = R(0, sb - 30 > sa ? 1 : 0);
    {
        const i32 r = R(2, 30);
        b += R(0, sb - 20 - r > sa ? 1 : 0);
    }

    i32 p[4] = {};
    if (ist_team(team_a) && ist_team(team_b)) Team_Vergleiche_Abw_Mit_Stu(team_a, team_b, p, STARTELF);
    const i32 pa = std::clamp((100 - p[1]) / 5, 5, 15);
    const i32 pb = std::clamp((p[2] - 50) / 5, -5, 5);
    const i32 pc = std::clamp(p[3] / 5, 5, 15);
    auto chance_a = [&]() { return groesser(pb + 5) && R(0, pc) >= 5; };
    for (int i = 0; i < 4; ++i) {
        if (groesser(5 - pb) && R(0, pa) >= 5) ++b;
        if (chance_a() || chance_a()) ++a;
    }

    if (R(0, 2) != 0 && a > 0 && b > 0) --a, --b;
    if (a > 2 && b > 2 && a + b > 4) --a, --b;
    while (a + b >= 4) {
        if (Rnd(0, 8) == 0) break;
        const bool seite_a = R(0, 1) == 0;
        if ((seite_a && a > 0) || b == 0) --a;
        else --b;
    }
    if (R(0, 1) && a == 0) ++a;
    if (R(0, 1) && b == 0) ++b;
    Rnd_Pop();
    if (aus_a) *aus_a = a;
    if (aus_b) *aus_b = b;
}

bool Spiele_Get_Serien(i32 wettbewerb, i32 team, u32 aus[7], i32 ort) {
    if (aus) std::fill(aus, aus + 7, 0u);
    if (ruf::Client()) {
        if (!aus || ort < 0 || ort > 2) return false;
        const auto antwort = ruf::Rufen(RUF_SPIELE_SERIEN, wettbewerb, team, ort);
        if (!antwort || std::get<0>(*antwort) > 1) return false;
        // Runs count matches in a row and are held at 255.
        const auto& z = std::get<1>(*antwort);
        if (std::any_of(z.begin(), z.end(), [](u32 x) { return x > 255; })) return false;
        if (!std::get<0>(*antwort)) return false;
        std::copy(z.begin(), z.end(), aus);
        return true;
    }
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_SERIEN);
    u32 k = 0;
    if (!s || !aus || ort < 0 || ort > 2) return false;
    if (!Spiele_Schluessel_Serien(wettbewerb == -1 ? SPIELE_ALLE_WETTBEWERBE : Wettbewerb_Get_Basis_Id(wettbewerb),
                                  team, &k))
        return false;
    const i32 i = s->Finden(k);
    if (i < 0) return false;
    // Stored order: no goal scored, no goal conceded, defeats, wins, draws,
    // no win, unbeaten; each as [home, away, all].
    static constexpr int REIHE[7] = {0, 1, 3, 4, 2, 5, 6};
    const auto e = bytes::aus_bild<spiele_satz::Serien>(s->Eintrag(static_cast<u32>(i)));
    for (int k = 0; k < 7; ++k) aus[k] = e.reihe[REIHE[k]][ort];
    return true;
}

i32 Spiele_Get_Spiele_Gegen(i32 wettbewerb, i32 heim, i32 gast, u32* siege, u32* unentschieden, u32* niederlagen,
                            u8* ergebnisse, i32 maximum) {
    if (siege) *siege = 0;
    if (unentschieden) *unentschieden = 0;
    if (niederlagen) *niederlagen = 0;
    if (ruf::Client()) return gegen_vom_server(wettbewerb, heim, gast, siege, unentschieden, niederlagen, ergebnisse,
                                               ergebnisse ? maximum : 0);
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_DIREKT);
    const u64 t = team_anzahl();
    if (!s || heim < 0 || gast < 0 || static_cast<u64>(heim) >= t || static_cast<u64>(gast) >= t) return 0;
    if (!ergebnisse) maximum = 0;
    maximum = std::max(maximum, 0);
    bool gesehen[WETTBEWERB_NUMMERN] = {};
    i32 n = 0;
    for (i32 c = 0; c < WETTBEWERB_NUMMERN; ++c) {
        const i32 basis = Wettbewerb_Get_Basis_Id(wettbewerb == -1 ? c : wettbewerb);
        if (basis >= 0 && basis < WETTBEWERB_NUMMERN && !gesehen[basis]) {
            gesehen[basis] = true;
            u32 k = 0;
            const i32 i = Spiele_Schluessel_Direkt(basis, heim, gast, &k) ? s->Finden(k) : -1;
            if (i >= 0) {
                const auto e = bytes::aus_bild<spiele_satz::Direkt>(s->Eintrag(static_cast<u32>(i)));
                if (siege) *siege += e.ergebnis[0];
                if (unentschieden) *unentschieden += e.ergebnis[1];
                if (niederlagen) *niederlagen += e.ergebnis[2];
                for (int j = 0; j < 5 && n < maximum; ++j) {
                    const u8 r = e.letzte[j];
                    if (r == 255) break;
                    bytes::in_bild(ergebnisse + 12 * n++, spiele_satz::Gegen_Zeile{r & 15u, static_cast<u32>(r >> 4),
                                                                                   static_cast<u32>(basis)});
                }
            }
        }
        if (wettbewerb != -1) break;
    }
    return n;
}

i32 Spiele_Get_Wettbewerb_Sieger(i32 wettbewerb, i32 jahr, i32* zweiter, i32* tore_hoch, i32* tore_tief) {
    if (zweiter) *zweiter = -1;
    if (tore_hoch) *tore_hoch = 0;
    if (tore_tief) *tore_tief = 0;
    if (ruf::Client()) {
        // Asked once per competition and year until the client's cache reset
        // (a titles list asks every year of every competition).
        const auto schluessel = std::make_pair(wettbewerb, jahr);
        auto it = sieger_cache.find(schluessel);
        if (it == sieger_cache.end()) {
            const auto antwort = ruf::Rufen(RUF_SPIELE_SIEGER, wettbewerb, jahr);
            if (!antwort) return -1;
            const auto [sieger, z, hoch, tief] = *antwort;
            // Teams are numbers of the world or -1; the scores were stored as
            // bytes. A winner comes with its runner-up and scores.
            auto team = [](i32 t) { return t >= -1 && t < Team_Anzahl; };
            if (!team(sieger) || !team(z) || hoch < 0 || hoch > 255 || tief < 0 || tief > 255) return -1;
            it = sieger_cache.emplace(schluessel, *antwort).first;
        }
        const auto [sieger, z, hoch, tief] = it->second;
        if (sieger == -1) return -1;
        if (zweiter) *zweiter = z;
        if (tore_hoch) *tore_hoch = hoch;
        if (tore_tief) *tore_tief = tief;
        return sieger;
    }
    Spiele_Speicher* s = Spiele_Get_Speicher(SPEICHER_SIEGER);
    u32 k = 0;
    if (!s || !Spiele_Schluessel_Sieger(Wettbewerb_Get_Basis_Id(wettbewerb), jahr, &k)) return -1;
    const i32 i = s->Finden(k);
    if (i < 0) return -1;
    const auto e = bytes::aus_bild<spiele_satz::Sieger>(s->Eintrag(static_cast<u32>(i)));
    if (zweiter) *zweiter = e.zweiter;
    if (tore_hoch) *tore_hoch = e.tore_hoch;
    if (tore_tief) *tore_tief = e.tore_tief;
    return e.sieger;
}

// ---------------------------------------------------------------------------
// Server rows

i32 Spiele_Internet_Server_Send_Wettbewerb_Sieger(i32 wettbewerb, i32 jahr, u8* aus) {
    if (!aus) return -1;
    spiele_satz::Sieger_Zeile z;
    z.sieger = Spiele_Get_Wettbewerb_Sieger(wettbewerb, jahr, &z.zweiter, &z.tore_hoch, &z.tore_tief);
    bytes::in_bild(aus, z);
    return z.sieger;
}

u32 Spiele_Internet_Server_Send_Tabelle_Gepackt(const Tabelle_Argumente& a, std::vector<u8>& aus) {
    aus.clear();
    auto t = std::make_unique<Tabelle>();
    if (!Wettbewerb_Get_Tabellen_Teams(a.wettbewerb, t.get())) return 0;
    Spiele_Tabellen_Cache_Leeren_Plan(Wettbewerb_Get_Spielplan(a.wettbewerb));
    Spiele_Get_Tabelle(a, t.get());
    std::vector<u8> bild(TABELLE_GROESSE);
    Tabelle_Bild_Schreiben(*t, bild.data());
    aus.resize(Tools_RLE_Max_Gepackt(TABELLE_GROESSE));
    aus.resize(Tools_RLE_Packen(bild.data(), aus.data(), TABELLE_GROESSE));
    return static_cast<u32>(aus.size());
}

i32 Spiele_Internet_Server_Send_Serien(i32 wettbewerb, i32 team, i32 ort, u32 aus[7]) {
    return Spiele_Get_Serien(wettbewerb, team, aus, ort) ? 1 : 0;
}

i32 Spiele_Internet_Server_Send_Spiele_Gegen(i32 wettbewerb, i32 heim, i32 gast, i32 maximum, u32* siege,
                                             u32* unentschieden, u32* niederlagen, u8* ergebnisse) {
    if (ergebnisse && maximum > 0) std::memset(ergebnisse, 0xFF, static_cast<size_t>(maximum) * 12);
    return Spiele_Get_Spiele_Gegen(wettbewerb, heim, gast, siege, unentschieden, niederlagen, ergebnisse, maximum);
}

i32 Spiele_Internet_Server_Send_Statistik(const Statistik_Argumente& a, u8* aus) {
    if (!aus) return 0;
    u32 worte[STATISTIK_WORTE];
    const bool gezaehlt = Spiele_Get_Team_Statistik(a, worte);
    bytes::bild_schreiben(aus, sizeof worte, [&worte](bytes::Schreiber& s) { s(worte); });
    return gezaehlt ? 1 : 0;
}

i32 Spiele_Internet_Server_Send_Tabelle(const Tabelle_Argumente& a, i32 erster, i32 letzter, i32 team, u8* aus) {
    if (!aus) return 0;
    std::memset(aus, 0xFF, SPIELE_VERLAUF_BYTES);
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(a.wettbewerb);
    if (!w) return 0;
    if (erster < 0) erster = 0;
    if (letzter < 0) letzter = w->spieltage;
    auto t = std::make_unique<Tabelle>();
    Spiele_Tabellen_Cache_Schalter(false);
    i32 n = 0;
    for (i32 md = erster; md < letzter && n < SPIELE_VERLAUF_MAX; ++md) {
        Wettbewerb_Get_Tabellen_Teams(a.wettbewerb, t.get());
        Tabelle_Argumente bis = a;
        bis.erster_spieltag = 0;
        bis.letzter_spieltag = md;
        Spiele_Get_Tabelle(bis, t.get());
        put_i32le(aus + 4 * n++, Tabelle_Rang_Von_Team(*t, team));
    }
    Spiele_Tabellen_Cache_Schalter(true);
    return n;
}

void Spiele_Sieger_Vergessen() { sieger_cache.clear(); }
