#include "season/wettbewerb_werte.h"

#include <algorithm>
#include <memory>

#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
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
constexpr i32 FARBE_AUFSTIEG = 0x11FF22, FARBE_ABSTIEG = 0xC57139;

const Wettbewerb* wb(i32 id) { return Wettbewerb_Tabelle ? Wettbewerb_Get_Zeiger(id) : nullptr; }

bool ziel_gueltig(i32 index) {
    return index >= 0 && index < WETTBEWERB_ANZAHL && Wettbewerb_Tabelle[index].name[0];
}

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
    for (const Wettbewerb* r = Wettbewerb_Vorherige_Runde(w), *s = nullptr; r && r != s; s = r, r = Wettbewerb_Vorherige_Runde(r))
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
