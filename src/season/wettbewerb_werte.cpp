#include "season/wettbewerb_werte.h"

#include <algorithm>
#include <memory>

#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "world/bank.h"
#include "world/welt.h"

namespace {

constexpr i32 MIN_EBENEN = 4;
constexpr i32 OHNE_ZIEL_WICHTIG = 50;
// Matchday bonus by tenths of the season; the last one (12) also for later
// matchdays.
constexpr i32 BONUS[] = {0, 0, 0, 0, 2, 4, 5, 6, 7, 9, 12};
constexpr i32 BONUS_HOECHST = 100 + BONUS[10];
// Colours of international targets by importance, promotion and relegation.
constexpr i32 FARBEN_INTERNATIONAL[] = {0xC6D8F4, 0xA4DDF4, 0x35E3FD, 0x009FFA, 0xFCFE28};
constexpr i32 FARBE_AUFSTIEG = WETTBEWERB_FARBE_AUFSTIEG, FARBE_ABSTIEG = WETTBEWERB_FARBE_ABSTIEG;

const Wettbewerb* wb(i32 id) { return Wettbewerb_Tabelle ? Wettbewerb_Get_Zeiger(id) : nullptr; }

bool ziel_gueltig(i32 index) { return index >= 0 && index < WETTBEWERB_ANZAHL && Wettbewerb_Tabelle[index].name[0]; }

// Level (0 top) and level count (at least four) of a competition.
void ebene(i32 id, i32* ebene, i32* ebenen) {
    Wettbewerb_Visuell_Vertikal_Anz(id, ebenen, ebene);
    *ebenen = std::max(*ebenen, MIN_EBENEN);
}

i32 prozent_von(i32 id) {
    i32 e = 0, n = MIN_EBENEN;
    ebene(id, &e, &n);
    return std::clamp(100 - e * (100 / n), 0, 100);
}

}  // namespace

const i32* Wettbewerb_Get_Qualifikanten(i32 id, i32 platz) {
    static i32 ziele[WETTBEWERB_QUALI_LISTEN + 1];
    const Wettbewerb* w = wb(id);
    if (!w || platz < 0 || platz >= std::min(w->teams, WETTBEWERB_MAX_TEAMS)) return nullptr;
    int n = 0;
    for (int k = 0; k < WETTBEWERB_QUALI_LISTEN; ++k)
        if (ziel_gueltig(w->quali_fuer[k][platz])) ziele[n++] = Wettbewerb_Tabelle[w->quali_fuer[k][platz]].id;
    ziele[n] = -1;
    return ziele;
}

i32 Wettbewerb_Get_Qu(i32 id, i32 platz, i32 liste) {
    const Wettbewerb* w = wb(id);
    if (!w || platz < 0 || platz >= std::min(w->teams, WETTBEWERB_MAX_TEAMS) || liste < 0 ||
        liste >= WETTBEWERB_QUALI_LISTEN)
        return -1;
    const i32 z = w->quali_fuer[liste][platz];
    return ziel_gueltig(z) ? Wettbewerb_Tabelle[z].id : -1;
}

i32 Wettbewerb_Platz_Quali_Wichtig(i32 id, i32 platz) {
    if (!Wettbewerb_Tabelle) return -1;
    const Wettbewerb* w = wb(id);
    if (!w || w->kalendermarke < 0 || (w->modus & WB_KO_SYSTEM)) return OHNE_ZIEL_WICHTIG;
    const i32* z = Wettbewerb_Get_Qualifikanten(id, platz);
    i32 summe = 0;
    for (; z && *z != -1; ++z) summe += wb(*z)->wichtig;
    return summe ? summe : OHNE_ZIEL_WICHTIG;
}

void Wettbewerb_Get_Auf_Abstieg(i32 id, i32* aufstieg, i32* abstieg) {
    if (aufstieg) *aufstieg = 0;
    if (abstieg) *abstieg = 0;
    const Wettbewerb* w = wb(id);
    if (!w || !w->basisliga) return;
    i32 eigene = 0, n = 0;
    ebene(id, &eigene, &n);
    const i32 wurzel = Wettbewerb_Get_Hierarchie_Wurzel(id);
    for (i32 p = 0; p < std::min(w->teams, WETTBEWERB_MAX_TEAMS); ++p)
        for (int k = 0; k < WETTBEWERB_QUALI_LISTEN; ++k) {
            const i32 z = w->quali_fuer[k][p];
            if (!ziel_gueltig(z) || Wettbewerb_Tabelle[z].id == id) continue;
            if (Wettbewerb_Get_Hierarchie_Wurzel(Wettbewerb_Tabelle[z].id) != wurzel) continue;
            i32 e = 0;
            ebene(Wettbewerb_Tabelle[z].id, &e, &n);
            if (e < eigene && aufstieg) *aufstieg = p + 1;
            if (e > eigene && abstieg && *abstieg == 0) *abstieg = p + 1;
        }
}

i32 Wettbewerb_Get_Platz_Farbe(i32 id, i32 platz) {
    const i32* z = Wettbewerb_Get_Qualifikanten(id, platz);
    if (!z) return -1;
    i32 eigene = 0, n = 0;
    ebene(id, &eigene, &n);
    for (; *z != -1; ++z) {
        if (*z == id) continue;
        const Wettbewerb* ziel = wb(*z);
        if (Wettbewerb_Ist_International(*z) && !ziel->basisliga) {
            const i32 k = ziel->wichtig >= 70 ? 4 : std::clamp(ziel->wichtig * 5 / 101, 0, 4);
            return FARBEN_INTERNATIONAL[k];
        }
        if (ziel->basisliga) {
            i32 e = 0;
            ebene(*z, &e, &n);
            if (e > eigene) return FARBE_ABSTIEG;
            if (e < eigene) return FARBE_AUFSTIEG;
        }
    }
    return -1;
}

i32 Wettbewerb_Get_Liga_Prozent(i32 team) {
    if (!Wettbewerb_Tabelle) return 0;
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(team, true);
    return liga < 0 ? 100 : prozent_von(liga);
}

i32 Wettbewerb_Get_Wettbewerb_Prozent(i32 id) { return wb(id) ? prozent_von(id) : 0; }

i32 Wettbewerb_Get_Wichtigkeit(i32 id, i32 d) {
    const Wettbewerb* w = wb(id);
    if (!w) return 0;
    if (d < 0 || d > w->spieltage) d = w->aktueller_spieltag;
    i32 wichtig = w->wichtig, vorher = 0;
    for (const Wettbewerb *r = Wettbewerb_Vorherige_Runde(w), *s = nullptr; r && r != s;
         s = r, r = Wettbewerb_Vorherige_Runde(r))
        vorher += std::max(r->spieltage, 0);
    if (w->spieltage > 2) {
        const i32 zehntel = ((d + 2 * vorher) * 100 / (w->spieltage + vorher)) / 10;
        wichtig += BONUS[std::clamp(zehntel, 0, 10)];
    }
    i32 e = 0, n = MIN_EBENEN;
    ebene(id, &e, &n);
    const i32 stufe = 100 / n, basis = 100 - e * stufe - stufe / 2;
    return std::clamp(basis + ((wichtig * 100 / BONUS_HOECHST) * 2 - 100) * basis / 100, 0, 100);
}

bool Wettbewerb_Ist_International(i32 id) {
    const Wettbewerb* w = wb(id);
    if (!w || w->basisliga) return false;
    i32 erste = -1;
    auto andere_nation = [&](i32 team) {
        if (team < 0 || team >= Team_Anzahl) return false;
        const i32 n = Team_Daten[team].nation;
        if (erste == -1) erste = n;
        return n != erste;
    };
    for (i32 i = 0; i < std::clamp(w->aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS); ++i)
        if (andere_nation(w->aktuelle_team[i])) return true;
    for (i32 i = 0; i < std::clamp(w->startteam_anzahl, 0, WETTBEWERB_MAX_TEAMS); ++i)
        if (andere_nation(w->start_team[i])) return true;
    const i32 wurzel = Wettbewerb_Get_Wurzel_Id(id);
    if (wurzel != id && wb(wurzel)) return wb(wurzel)->quali_land_anzahl > 0;
    return w->quali_land_anzahl > 0;
}

i32 Wettbewerb_Get_Tabellenplatz(i32 id, i32 team) {
    const Wettbewerb* w = wb(id);
    if (!w || (w->modus & WB_KO_SYSTEM) || !Spiele_Get_Kopf(w->spielplan)) return -1;
    auto t = std::make_unique<Tabelle>();
    Wettbewerb_Tabelle_Vorbereiten(w, t.get());
    Tabelle_Argumente a;
    a.wettbewerb = id;
    Spiele_Get_Tabelle(a, t.get());
    return Tabelle_Rang_Von_Team(*t, team);
}

namespace {
constexpr i32 NACHSPIELZEIT_HOECHST = 5;  // minutes of added time at most
constexpr i32 WEITER = 2, HALBZEIT_AUS = 4, SPIEL_AUS = 8;

i32 halbzeiten_mit_verl(const Wettbewerb& w) {
    return std::max(w.halbzeiten, 0) + ((w.modus & WB_VERLAENGERUNG) ? std::max(w.halbzeiten_verl, 0) : 0);
}
}  // namespace

i32 Wettbewerb_Get_Halbzeit_Ende(i32 id, i32 minute, i32 h) {
    if (!Wettbewerb_Tabelle) return 0;
    const Wettbewerb* w = wb(id);
    if (!w || h < 0) return -1;
    i32 ende = -1;
    if (h < w->halbzeiten) ende = w->halbzeit_laenge * (h + 1);
    else if (h < w->halbzeiten + w->halbzeiten_verl)
        ende = w->halbzeiten * w->halbzeit_laenge + w->halbzeit_laenge_verl * (h - w->halbzeiten + 1);
    return ende >= 0 && minute >= ende ? ende : -1;
}

i32 Wettbewerb_Get_Spielzeit(i32 id, bool mit_verl) {
    const Wettbewerb* w = wb(id);
    if (!w) return 0;
    return w->halbzeiten * w->halbzeit_laenge + (mit_verl ? w->halbzeiten_verl * w->halbzeit_laenge_verl : 0);
}

i32 Wettbewerb_Get_Anz_Halbzeiten(i32 id) {
    const Wettbewerb* w = wb(id);
    if (!w) return 0;
    return halbzeiten_mit_verl(*w) + ((w->modus & (WB_ELFMETERSCHIESSEN | WB_KO_SYSTEM)) ? 1 : 0);
}

bool Wettbewerb_Ist_Sudden_Death(i32 id, i32 h) {
    const Wettbewerb* w = wb(id);
    return w && (w->modus & WB_SUDDEN_DEATH) && h >= w->halbzeiten;
}

// "All halves" are the halves of play: a shoot-out follows the last of them.
bool Wettbewerb_Elfmeterschiessen_Noetig(i32 id, i32 spieltag, i32 k, i32 h, i32 runde, i32 extra_a, i32 extra_b) {
    const Wettbewerb* w = wb(id);
    if (!w || !(w->modus & WB_ELFMETERSCHIESSEN) || h + 1 < halbzeiten_mit_verl(*w)) return false;
    return Wettbewerb_KO_Sieger(w, spieltag, k, nullptr, nullptr, runde, extra_a, extra_b) == -1;
}

i32 Wettbewerb_Halbzeit_Pruefen(i32 id, i32 minute, i32 h, bool erzwingen, bool bereit) {
    const i32 ende = Wettbewerb_Get_Halbzeit_Ende(id, minute, h);
    const Wettbewerb* w = wb(id);
    if (ende == -1 || !w) return WEITER;
    const i32 s = std::min(std::abs(ende - minute), NACHSPIELZEIT_HOECHST);
    const i32 r1 = Rnd_Basis(s, NACHSPIELZEIT_HOECHST);
    const i32 r2 = r1 != NACHSPIELZEIT_HOECHST ? Rnd_Basis(0, 2) : 0;
    if (!erzwingen && s < NACHSPIELZEIT_HOECHST && (!bereit || (r1 != NACHSPIELZEIT_HOECHST && r2 != 0))) return WEITER;
    return h + 1 == w->halbzeiten || h + 1 == w->halbzeiten + w->halbzeiten_verl ? SPIEL_AUS : HALBZEIT_AUS;
}

bool Wettbewerb_Zahle_Punkt_U(i32 id, i32 team, i32 ergebnis) {
    if (ruf::Client()) {
        Debug_Printf("Cl: Wettbewerb Zahle_Punkt_U\n");
        return false;
    }
    const Wettbewerb* w = wb(id);
    if (!w || team <= 0 || (ergebnis != 0 && ergebnis != 1)) return false;
    const i32 betrag = ergebnis == 1 ? w->sieg_praemie : w->unentschieden_praemie;
    return betrag > 0 && Bank_Buchen(-1, team, static_cast<f32>(betrag), BANK_EINNAHME, 1, -1) != 0;
}
