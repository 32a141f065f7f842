// The competition screen's table view drawn: its heading, the league's and
// the knockout round's rows, the captions of matchday and group, the cups
// of the competitions beside the chosen one.
#include <algorithm>
#include <cstdio>
#include <string>

#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "grafik_nummern.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "screens/club/wettbewerb_intern.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {

// Texts of the TABELLE section (wettbewerb_intern.h).
using namespace wb_text;

// Form thresholds by matchday class min(matchday - 1, 4).
constexpr i32 FORM_SCHWELLEN[5][4] = {{0, 1, 2, 3}, {1, 2, 3, 5}, {2, 4, 5, 7}, {2, 5, 7, 9}, {4, 7, 8, 11}};

const char* text(i32 n) { return Text_cfg_Text(TEXT_TABELLE, n); }
i32 wort(i32 icon) { return Wb_Wort(icon); }
i32 knopf(i32 icon) { return Wb_Knopf(icon); }
bool heimisch(i32 land) { return Wb_Heimisch(land); }
i32 liga_von(i32 team) { return Wb_Liga_Von(team); }
std::string runden_name(i32 id, i32 spieltag) { return Wb_Runden_Name(id, spieltag); }

// The league table's columns: the place (its head over the place and the
// place before), crest and club, games, wins, draws, defeats, points,
// goals (their head a little right of the score), difference and form (a
// picture under its head).
constexpr Kit_Spalte LIGA[] = {
    {.x = 49, .ausrichtung = Kit_Ausrichtung::RECHTS, .kopf = Kit_Kopf::KEINER},
    {.x = 8, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 86, .kopf = Kit_Kopf::MITTE},
    {.x = 99, .kopf = Kit_Kopf::KEINER},
    {.x = 124, .breite = 154, .kopf = Kit_Kopf::MITTE},
    {.x = 333, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 379, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 412, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 444, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 496, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 586, .ausrichtung = Kit_Ausrichtung::MITTE, .kopf_versatz = 3},
    {.x = 685, .ausrichtung = Kit_Ausrichtung::MITTE},
    {.x = 746, .breite = 10, .kopf = Kit_Kopf::MITTE},
};
enum Liga_Spalte { L_VORHER = 1, L_FORM = 11 };
// A knockout round's columns: crest and club, where the club comes from
// (its league, or its nation's flag and name), the state of its tie.
constexpr Kit_Spalte KO[] = {
    {.x = 18, .kopf = Kit_Kopf::KEINER},
    {.x = 43, .breite = 212, .kopf = Kit_Kopf::MITTE},
    {.x = 301, .breite = 258, .kopf = Kit_Kopf::MITTE},
    {.x = 580, .breite = 194, .kopf = Kit_Kopf::MITTE},
};
enum Ko_Spalte { K_HERKUNFT = 2 };
constexpr i32 FLAGGE_BREITE = 22;  // a flag before the nation's name
constexpr Kit_Stelle POKAL_NAME{Kit_Ausrichtung::MITTE, 435};
constexpr Kit_Stelle SPIELTAG_TEXT{Kit_Ausrichtung::MITTE, 150};

// The matchday the rows show: the round's count with projection.
i32 zeilen_spieltag() {
    const Wb_Stand& stand = Wb_Stand_Holen();
    return stand.prognose ? stand.info.spieltage : stand.spieltag_in_runde;
}

void liga_zeile(Rastport* ziel, i32 zeile, i32 y) {
    const Wb_Stand& stand = Wb_Stand_Holen();
    const Tabelle& tabelle = Tabelle_Screen_Tabelle();
    const u32 slot = tabelle.reihenfolge[zeile];
    if (slot >= TABELLE_ZEILEN) return;
    const i32 team = static_cast<i32>(tabelle.team[slot]);
    const i32 platz = zeile + 1;
    i32 vorher = static_cast<i32>(tabelle.zeilen) + 1;
    for (u32 k = 0; k < tabelle.zeilen; ++k)
        if (tabelle.vorherige[k] == slot) vorher = static_cast<i32>(k) + 1;
    const i32 spieltag = zeilen_spieltag();
    const i32 filter = std::clamp(knopf(ICON_WB_FILTER), 0, 2);
    i32 ergebnisse[3] = {0, 0, 0};
    if (spieltag > 0)
        for (i32 art = 0; art < 3; ++art)
            ergebnisse[art] = Spiele_Tabelle_Zaehle_Ergebnisse(tabelle, slot, art, 0, spieltag - 1, filter);
    const i32 spiele = static_cast<i32>(tabelle.spiele[filter][slot]);
    const i32 punkte = static_cast<i32>(tabelle.punkte[filter][slot]);
    const i32 tore = static_cast<i32>(tabelle.tore[filter][slot]);
    const i32 gegen = static_cast<i32>(tabelle.gegentore[filter][slot]);
    const i32 diff = tore - gegen;
    char diff_text[24], vorher_text[24];
    // The difference and the goals each one text centred in its column:
    // padded digits would stand apart from their sign and colon.
    if (diff > 0) std::snprintf(diff_text, sizeof diff_text, "+%d", diff);
    else if (diff < 0) std::snprintf(diff_text, sizeof diff_text, "-%d", -diff);
    else std::snprintf(diff_text, sizeof diff_text, "0");
    // The place before: its number, a dash before the second matchday; its
    // closing bracket at the column's edge either way.
    const Kit_Einzug vorher_stelle = Kit_Einzug_Bei(Kit_Spalte_Stelle(LIGA[L_VORHER]));
    if (spieltag < 2) std::snprintf(vorher_text, sizeof vorher_text, "%s(-)", vorher_stelle.code);
    else std::snprintf(vorher_text, sizeof vorher_text, "%s(%2d.)", vorher_stelle.code, vorher);
    const char* name = Team_String(0, team, nullptr, 0);
    if (!name) name = "";
    const u16 platz_farbe = Kit_Platz_Farbe(stand.gruppe, platz - 1, FARBE_WEISS);
    Kit_Tabelle_Zeile_Printf(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), platz_farbe, 0, y + 12, Kit_Schein::GLATT, LIGA,
                             "\t^fb0011%d.^fe\v%s^c%05d\t^gll%04d\t%s^fb0011\t%2d\t%2d\t%2d\t%2d\t%3d\t%d:%d\t%s^fe",
                             platz, vorher_text, Farbe_Team_Name(team, stand.gruppe), team, name, spiele, ergebnisse[0],
                             ergebnisse[1], ergebnisse[2], punkte, tore, gegen, diff_text);
    Kit_Bild_Zeichnen(ziel,
                      GRAFIK_WB_FORM_0 + Tabelle_Screen_Form_Klasse(static_cast<i8>(tabelle.form[slot]), spieltag),
                      Kit_Spalte_X(LIGA[L_FORM]), y);
}

void ko_zeile(Rastport* ziel, i32 zeile, i32 x, i32 y) {
    const Wb_Stand& stand = Wb_Stand_Holen();
    const Tabelle& tabelle = Tabelle_Screen_Tabelle();
    const u32 slot = tabelle.reihenfolge[zeile];
    if (slot >= TABELLE_ZEILEN) return;
    const i32 team = static_cast<i32>(tabelle.team[slot]);
    const i32 spieltag = zeilen_spieltag();
    const char* status_text = text(T_NICHT_AUSGELOST);
    if (spieltag > 0) {
        const i32 sieger = Wettbewerb_Get_Runden_Sieger_Von_Team(stand.gruppe, team, spieltag - 1, 0);
        const bool letzter = wort(ICON_WB_SPIELTAG) == stand.gesamt;
        i32 bild = -1;
        if (sieger == team) {
            bild = GRAFIK_WB_WEITER;
            status_text = text(letzter ? T_SIEGER : T_WEITER);
        } else if (sieger >= 0) {
            bild = GRAFIK_WB_RAUS;
            status_text = text(letzter ? T_FINALIST : T_AUSGESCHIEDEN);
        } else {
            status_text = "";
        }
        if (bild >= 0)
            if (Rastport* b = Kit_Bild(bild)) Blt_Alpha_Prozent(b, 0, 0, 768, 16, ziel, x, y, 35);
    }
    char herkunft[96] = "";
    const char* name = Team_String(0, team, nullptr, 0);
    if (!name) name = "";
    // A club of the home country comes from its league; another shows its
    // nation's flag right after its name and the nation's name past the flag.
    const Kit_Stelle stelle = Kit_Spalte_Stelle(KO[K_HERKUNFT]);
    if (heimisch(stand.info.land)) {
        std::snprintf(herkunft, sizeof herkunft, "%s%s", Kit_Einzug_Bei(stelle).code,
                      Wettbewerb_Get_Name(liga_von(team), false).c_str());
    } else {
        const i32 nation = Team_Wert(TEAM_WERT_NATION, team, 0, OP_LESEN);
        const char* land = Team_String(0, nation, nullptr, 0);
        std::snprintf(herkunft, sizeof herkunft, "^gll%04d%s%s", nation,
                      Kit_Einzug_Bei({stelle.ausrichtung, stelle.x + FLAGGE_BREITE}).code, land ? land : "");
    }
    Kit_Tabelle_Zeile_Printf(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), Farbe_Team_Name(team, stand.gruppe), 0, y + 12,
                             Kit_Schein::GLATT, KO, "\t^gll%04d\t%s\v%s\t%s", team, name, herkunft, status_text);
}

void pokale(Rastport* ziel) {
    i32 liste_anzahl = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&liste_anzahl);
    if (liste_anzahl <= 0) return;
    const i32 i = std::clamp(wort(ICON_WB_HINTERGRUND), 0, liste_anzahl - 1);
    const i32 id = liste[i];
    Pokal_Blit(liste[(i + liste_anzahl - 1) % liste_anzahl], -1, ziel, 340, 500, 40, 40, nullptr);
    Pokal_Blit(liste[(i + 1) % liste_anzahl], -1, ziel, 490, 500, 40, 40, nullptr);
    Pokal_Blit(id, -1, ziel, 405, 488, 60, 60, nullptr);
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, 0, 482, Kit_Schein::GLATT, POKAL_NAME,
                      "%s", Wettbewerb_Get_Name(id, false).c_str());
}

}  // namespace

void Tabelle_Screen_Kopf(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    const Wb_Stand& stand = Wb_Stand_Holen();
    const Tabelle& tabelle = Tabelle_Screen_Tabelle();
    const i32 ansicht = Tabelle_Screen_Get_Ansicht();
    if (ansicht == 1) Wb_Ergebnisse_Kopf(ziel, x, y);
    else if (ansicht == 2) Wb_Uebersicht_Kopf(ziel, x, y);
    else if (stand.gruppe >= 0) {
        char art[64];
        if (stand.ko) std::snprintf(art, sizeof art, "%u %s", tabelle.zeilen, text(T_MANNSCHAFTEN));
        else std::snprintf(art, sizeof art, "%s", text(T_TABELLE));
        const i32 tag = std::max(stand.spieltag_in_runde, 1);
        // A table is before or after its numbered matchday ("vor dem
        // 1. Spieltag"); a knockout round goes by its own name.
        if (stand.ko)
            Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, x + 10, y + 21, "%s %s: %s", art,
                             Wettbewerb_Get_Name(stand.gruppe, true).c_str(),
                             runden_name(stand.gruppe, tag - 1).c_str());
        else
            Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, x + 10, y + 21, "%s %s %s %d. %s",
                             art, Wettbewerb_Get_Name(stand.gruppe, true).c_str(),
                             text(stand.spieltag_in_runde == 0 ? T_VOR_SPIELTAG : T_NACH_SPIELTAG), tag,
                             text(T_SPIELTAG));
        if (stand.ko) {
            Kit_Tabelle_Kopf_Printf(ziel, Kit_Font(Kit_Schrift::SCHMAL), FARBE_KOPF, 0, y + 45, Kit_Schein::GLATT, KO,
                                    "\t%s\t%s\t%s", text(T_MANNSCHAFTEN),
                                    text(heimisch(stand.info.land) ? T_HERKUNFT_LIGA : T_RUNDE), text(T_BEGEGNUNG));
        } else {
            Kit_Tabelle_Kopf_Printf(ziel, Kit_Font(Kit_Schrift::SCHMAL), FARBE_KOPF, 0, y + 45, Kit_Schein::GLATT, LIGA,
                                    "\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s", text(7), text(8), text(9), text(10),
                                    text(11), text(12), text(15), text(13), text(14), text(16));
        }
    }
    pokale(ziel);
}

void Tabelle_Screen_Spieltag_Text(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    const Wb_Stand& stand = Wb_Stand_Holen();
    if (stand.gruppe < 0) return;
    const i32 wort834 = wort(ICON_WB_SPIELTAG);
    const i32 ansicht = Tabelle_Screen_Get_Ansicht();
    const i32 erste = ansicht == 1 ? T_ERGEBNISSE_TAG
                      : ansicht == 2 ? T_UEBERSICHT_TAG
                      : wort834 == 0 ? T_VOR_ERSTEM
                                     : T_SPIELTAG;
    const i32 tag = std::max(stand.spieltag_in_runde, 1);
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_WEISS, 0, y + 25, Kit_Schein::GLATT,
                      SPIELTAG_TEXT, "%s", text(erste));
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::SCHMAL_GROSS), FARBE_GOLD, 0, y + 43, Kit_Schein::GLATT,
                      SPIELTAG_TEXT, "%s", runden_name(stand.runde, tag - 1).c_str());
    (void)x;
}

void Tabelle_Screen_Tabellenzeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y) {
    const Wb_Stand& stand = Wb_Stand_Holen();
    const Tabelle& tabelle = Tabelle_Screen_Tabelle();
    if (!icon || stand.gruppe < 0) return;
    i32 zeile = static_cast<i32>(icon->user[0]);
    if (const Screen_Icon* spur = Kit_Icon(ICON_WB_SPUR); spur && !(spur->status & MENUE_S_VERSTECKT))
        zeile += Tabelle_Screen_Scrollposition();
    if (zeile < 0 || zeile >= static_cast<i32>(tabelle.zeilen) || zeile >= TABELLE_ZEILEN) return;
    if (zeile % 2) Blt_Rechteck_Alpha(ziel, x, y, 768, 16, FARBE_ZEILE_HELL, 60);
    if (stand.ko) ko_zeile(ziel, zeile, x, y);
    else liga_zeile(ziel, zeile, y);
}

i32 Tabelle_Screen_Form_Klasse(i32 form, i32 spieltag) {
    if (spieltag < 1) return 2;
    const i32* t = FORM_SCHWELLEN[std::min(spieltag - 1, 4)];
    if (form > t[3]) return 0;
    if (form > t[2]) return 1;
    if (form < t[0]) return 4;
    if (form < t[1]) return 3;
    return 2;
}
