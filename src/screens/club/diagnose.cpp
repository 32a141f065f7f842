#include "screens/club/diagnose.h"

#include <algorithm>
#include <climits>

#include "base/debug.h"
#include "base/tools.h"
#include "graphics/alpha.h"
#include "graphics/font.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "world/modi.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr i32 X = 5;
constexpr i32 TEAMS_PLATZ = 128, MAX_SPIELER = 1700, MAX_ATTRIBUTE = 18;
constexpr i32 RECHTS_X = 600;  // the market and squad figures beside the competitions
constexpr i32 DECKKRAFT = 70;
bool gezeichnet = false;  // the short clubs go to the debug log on the first draw only
bool team_ok(i32 t) { return t >= 0 && t < Team_Anzahl; }

// The clubs of a competition: its current ones, or, not started yet, those
// entered for it (places not filled yet left out).
i32 gueltige_teams(i32 id, i32 aus[TEAMS_PLATZ]) {
    i32 roh[TEAMS_PLATZ];
    i32 m = 0;
    const i32 n = std::clamp(Wettbewerb_Get_Teams(id, roh), 0, TEAMS_PLATZ);
    for (i32 k = 0; k < n; ++k)
        if (team_ok(roh[k])) aus[m++] = roh[k];
    if (m > 0) return m;
    if (const Wettbewerb* r = Wettbewerb_Get_Zeiger(id))
        for (i32 k = 0; k < std::clamp(r->startteam_anzahl, 0, TEAMS_PLATZ); ++k)
            if (team_ok(r->start_team[k])) aus[m++] = r->start_team[k];
    return m;
}

constexpr auto TABELLE = Icon_Tabelle_Bauen<Icon_Besitzer::DIAGNOSE>({
    {.nummer = ICON_DIAGNOSE,
     .flags = MENUE_F_NICHT_ABFRAGEN,
     .x = 0,
     .y = 100,
     .zeichnen = Diagnose_Screen_Zeichnen,
     .ebene = 1,
     .w = 800,
     .h = 460},
});

void markt_zaehlen(u32 filter, i32 klassen[DIAGNOSE_STERNE_KLASSEN]) {
    if (Team_Transfermarkt < 0 || Team_Transfermarkt >= Team_Anzahl) return;
    std::vector<i32> spieler(MAX_SPIELER);
    const int n = Teamspieler_Ins_Array(Team_Transfermarkt, spieler.data(), MAX_SPIELER, filter);
    for (int i = 0; i < n; ++i)
        ++klassen[Diagnose_Sterne_Klasse(
            Spieler_Wert(SPIELER_WERT_STAERKE, spieler[static_cast<size_t>(i)], 0, OP_LESEN))];
}

}  // namespace

i32 Diagnose_Sterne_Klasse(i32 sterne) { return std::clamp(sterne / 2, 0, DIAGNOSE_STERNE_KLASSEN - 1); }

Diagnose_Zahlen Diagnose_Zaehlen() {
    Diagnose_Zahlen z;
    std::vector<i32> spieler(MAX_SPIELER);
    i32 teams[TEAMS_PLATZ];
    // Every competition held this year (a walk that ends even on a damaged chain).
    for (i32 id = Wettbewerb_Get_Erster_Aktiver(), k = 0; id >= 0 && k < WETTBEWERB_ANZAHL;
         id = Wettbewerb_Get_Naechster_Aktiver(id), ++k) {
        Diagnose_Wettbewerb w;
        w.id = id;
        w.teams = gueltige_teams(id, teams);
        i64 summe = 0, werte = 0;
        i32 minimum = INT_MAX, maximum = -1;
        for (i32 t = 0; t < w.teams; ++t) {
            const i32 s = Team_Get_Staerke(teams[t]);
            summe += s;
            minimum = std::min(minimum, s);
            maximum = std::max(maximum, s);
            const int n = Teamspieler_Ins_Array(teams[t], spieler.data(), MAX_SPIELER, 0);
            for (int i = 0; i < n; ++i)
                werte += Spieler_Wert(SPIELER_WERT_MAX_STAERKE, spieler[static_cast<size_t>(i)], 0, OP_LESEN);
        }
        // A competition without clubs shows zeros.
        if (w.teams > 0) {
            w.schnitt = static_cast<i32>(summe / w.teams);
            w.minimum = minimum, w.maximum = maximum;
            w.wert_schnitt = static_cast<i32>(werte / (w.teams * 20));
        }
        z.wettbewerbe.push_back(w);
    }
    markt_zaehlen(SP_FILTER_OHNE_SCOUT, z.markt);
    markt_zaehlen(SP_STATUS_SCOUT, z.markt_scouts);
    i32 attribute[MAX_ATTRIBUTE];
    z.spieler = std::max(0, Spieler_Anzahl);
    for (i32 p = 0; p < z.spieler; ++p) z.attribute += Attribute_Get_Attribute(p, attribute, MAX_ATTRIBUTE, 0);
    // Every club, not only those of the competitions listed.
    for (i32 t = 0; t < Team_Anzahl; ++t) {
        if (!Team_Ist_Verein(t)) continue;
        i32 art[4];
        Team_Get_Spieler_Art_Array(t, art, 0, 0);
        for (int k = 0; k < 4; ++k)
            if (art[k] < DIAGNOSE_MINDESTKADER[k]) {
                z.kurze_teams.push_back(t);
                break;
            }
    }
    return z;
}

void Diagnose_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_DIAGNOSE)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, 799, 565);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    gezeichnet = false;
}

Screen_Def Diagnose_Screen_Def() {
    return {
        .name = "Diagnose", .icons = Icon_Besitzer::DIAGNOSE, .rahmen = ICON_DIAGNOSE, .oeffnen = Diagnose_Screen_Init};
}

namespace {
// A competition's line: its name, then mean, least, most and the mean of
// the values, each at its right edge.
constexpr Kit_Spalte WERTE[] = {{.x = 270, .ausrichtung = Kit_Ausrichtung::RECHTS},
                                {.x = 370, .ausrichtung = Kit_Ausrichtung::RECHTS},
                                {.x = 470, .ausrichtung = Kit_Ausrichtung::RECHTS},
                                {.x = 570, .ausrichtung = Kit_Ausrichtung::RECHTS}};
}  // namespace

void Diagnose_Screen_Zeichnen(Screen_Icon* i, Rastport* ziel, i32, i32) {
    Font* f = Kit_Font(Kit_Schrift::SCHMAL);
    if (!i || !ziel || !f) return;
    const Diagnose_Zahlen z = Diagnose_Zaehlen();
    // A dark veil keeps the lines readable over the menu's picture.
    Blt_Rechteck_Alpha(ziel, i->x, i->y, i->w, i->h, FARBE_NAVY, DECKKRAFT);
    i32 y = i->y;
    for (const Diagnose_Wettbewerb& w : z.wettbewerbe) {
        y += 12;
        const std::string name = Wettbewerb_Get_Name(w.id, true);
        Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, X, y, Kit_Schein::SCHLICHT, WERTE,
                                 "%s^fb0010\tD=%4d\tMin=%4d\tMax=%4d\tD-Max=%2d^fe", name.c_str(), w.schnitt, w.minimum,
                                 w.maximum, w.wert_schnitt);
    }
    const struct {
        const char* titel;
        const i32* klassen;
    } markt[2] = {{"Transfermarkt-St\xE4rken (ohne Scouts):", z.markt},
                  {"Transfermarkt-St\xE4rken (nur Scouts):", z.markt_scouts}};
    // Thirty competitions fill the page's height: the rest stands beside them.
    y = i->y - 10;
    for (const auto& m : markt) {
        y += 22;
        Kit_Printf(ziel, f, FARBE_WEISS, RECHTS_X, y, "%s", m.titel);
        for (i32 k = 0; k < DIAGNOSE_STERNE_KLASSEN; ++k) {
            y += 12;
            Kit_Printf(ziel, f, FARBE_WEISS, RECHTS_X, y, "^fb0010<%d: %d^fe", k + 1, m.klassen[k]);
        }
    }
    y += 42;
    // A game without players shows a mean of 0.
    const double schnitt = z.spieler > 0 ? static_cast<double>(z.attribute) / z.spieler : 0.0;
    Kit_Printf(ziel, f, FARBE_WEISS, RECHTS_X, y, "%d Spieler, %d Attribute,", z.spieler, z.attribute);
    y += 12;
    Kit_Printf(ziel, f, FARBE_WEISS, RECHTS_X, y, "Schnitt=%s pro Spieler", Tools_Komma_Zahl(schnitt, 2));
    y += 12;
    Kit_Printf(ziel, f, FARBE_WEISS, RECHTS_X, y, "NOT-Teams: %d", static_cast<i32>(z.kurze_teams.size()));
    if (!gezeichnet)
        for (i32 t : z.kurze_teams) Debug_Printf("NOT-Team: %s\n", Team_String(0, t, nullptr, 0));
    gezeichnet = true;
}
