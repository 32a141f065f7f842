#include "screens/start/diagnose.h"

#include <algorithm>

#include "base/debug.h"
#include "graphics/alpha.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/icon_tabelle.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "screens/club/wettbewerb_screen.h"
#include "season/wettbewerb_abfragen.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr i32 FONT = 10;
constexpr i32 LISTE_MAX = 128, SPIELER_MAX = 1700;
i32 liste[LISTE_MAX];
i32 anzahl = 0;
bool gezeichnet = false;
Diagnose_Werte werte;

constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::DIAGNOSE>({
    {.nummer = ICON_DIAGNOSE, .y = 100, .zeichnen = Diagnose_Screen_Zeichnen, .ebene = 1, .w = 800, .h = 460},
});

}  // namespace

Screen_Def Diagnose_Screen_Def() {
    return {.name = "Diagnose", .icons = Icon_Besitzer::DIAGNOSE, .rahmen = ICON_DIAGNOSE, .arbeitsflaeche = true,
            .oeffnen = Diagnose_Screen_Init};
}

void Diagnose_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_DIAGNOSE)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    anzahl = std::clamp(Manager_Wettbewerbsliste_Bauen(liste, false), 0, LISTE_MAX);
    gezeichnet = false;
    // The world does not change under the page: its numbers are taken once.
    werte = Diagnose_Berechnen(liste, anzahl);
    gezeichnet = true;
}

Diagnose_Werte Diagnose_Berechnen(const i32* wettbewerbe, i32 n) {
    Diagnose_Werte d;
    static i32 spieler[SPIELER_MAX];
    for (i32 i = 0; i < n; ++i) {
        Diagnose_Liga l;
        l.wettbewerb = wettbewerbe[i];
        i32 teams[LISTE_MAX * 4];
        const i32 nt = std::clamp(Wettbewerb_Get_Teams(l.wettbewerb, teams), 0, LISTE_MAX * 4);
        i64 summe = 0, max_summe = 0, spieler_zahl = 0;
        i32 mn = 999999, mx = -1;
        for (i32 k = 0; k < nt; ++k) {
            if (teams[k] < 0 || teams[k] >= Team_Anzahl) continue;
            const i32 s = Team_Get_Staerke(teams[k]);
            summe += s, mn = std::min(mn, s), mx = std::max(mx, s);
            ++l.teams;
            const i32 np = std::max(0, Teamspieler_Ins_Array(teams[k], spieler, SPIELER_MAX, 0));
            for (i32 p = 0; p < np; ++p) max_summe += Spieler_Wert(97, spieler[p], 0, OP_LESEN);
            spieler_zahl += np;
        }
        // A competition without clubs or players shows zeros, not a division by zero.
        if (l.teams > 0) l.schnitt = static_cast<i32>(summe / l.teams), l.min = mn, l.max = mx;
        if (l.teams > 0) l.max_schnitt = static_cast<i32>(max_summe / (static_cast<i64>(l.teams) * 20));
        (void)spieler_zahl;
        d.ligen.push_back(l);
    }
    for (i32 art = 0; art < 2 && Team_Transfermarkt >= 0 && Team_Transfermarkt < Team_Anzahl; ++art) {
        const i32 np = std::max(0, Teamspieler_Ins_Array(Team_Transfermarkt, spieler, SPIELER_MAX,
                                                         art == 0 ? SP_FILTER_OHNE_SCOUT : SP_STATUS_SCOUT));
        for (i32 p = 0; p < np; ++p) ++d.klassen[art][Diagnose_Klasse(Spieler_Wert(92, spieler[p], 0, OP_LESEN))];
    }
    for (i32 p = 0; p < Spieler_Anzahl; ++p) {
        i32 a[18];
        const i32 k = std::clamp(Attribute_Get_Attribute(p, a, 18, 0), 0, 18);
        for (i32 j = 0; j < k; ++j) d.attribute += a[j] >= 0;
    }
    d.spieler = Spieler_Anzahl;
    d.attribute_schnitt = d.spieler > 0 ? static_cast<f64>(d.attribute) / d.spieler : 0.0;
    // Every club is checked, not only those of the listed competitions.
    for (i32 t = 0; t < Team_Anzahl; ++t) {
        if (t == Team_Transfermarkt || !(Team_Get_Art(t) & TEAM_ART_VEREIN)) continue;
        i32 art[4] = {};
        Team_Get_Spieler_Art_Array(t, art, 0, 0);
        bool knapp = false;
        for (i32 k = 0; k < 4; ++k) knapp = knapp || art[k] < DIAGNOSE_MINDEST[k];
        if (knapp) {
            ++d.not_teams;
            if (!gezeichnet) Debug_Printf("NOT-Team: %s\n", Team_String(721, t, nullptr, 0));
        }
    }
    return d;
}

void Diagnose_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32, i32 y) {
    Font* f = Font_Tabelle_Holen(FONT);
    const Diagnose_Werte& d = werte;
    constexpr u16 W = FARBE_WEISS;
    // A dark ground under the numbers, whatever lies beneath.
    if (icon) Blt_Rechteck_Alpha(ziel, 0, y, icon->w, icon->h, FARBE_NAVY, 85);
    for (const Diagnose_Liga& l : d.ligen) {
        y += 12;
        Font_Printf_Glatt(ziel, f, "^c%05d%s^fb0010^tr0270D=%4d^tr0370Min=%4d^tr0470Max=%4d^tr0570D-Max=%2d^fe", 5, y, W,
                          Wettbewerb_Get_Name(l.wettbewerb, false).c_str(), l.schnitt, l.min, l.max, l.max_schnitt);
    }
    // The two histograms side by side under the competitions.
    static const char* const KOPF[2] = {"Transfermarkt-Stärken (ohne Scouts):", "Transfermarkt-Stärken (nur Scouts):"};
    y += 22;
    for (i32 art = 0; art < 2; ++art) {
        const i32 x = 5 + 300 * art;
        Font_Printf_Glatt(ziel, f, "^c%05d%s", x, y, W, KOPF[art]);
        for (i32 k = 0; k < 6; ++k)
            Font_Printf_Glatt(ziel, f, "^c%05d^fb0010<%d: %d^fe", x, y + 12 * (k + 1), W, k + 1, d.klassen[art][k]);
    }
    y += 12 * 6 + 22;
    Font_Printf_Glatt(ziel, f, "^c%05d%d Spieler, %d Attribute, Schnitt=%2.2f pro Spieler", 5, y, W, d.spieler,
                      d.attribute, d.attribute_schnitt);
    y += 12;
    Font_Printf_Glatt(ziel, f, "^c%05dNOT-Teams: %d", 5, y, W, d.not_teams);
}
