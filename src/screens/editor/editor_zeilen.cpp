// The editor's drawing: its background and frame texts, the club, player and
// market rows and their markers.
#include "screens/editor/editor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/config.h"
#include "base/cp1252.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/spielstand.h"
#include "base/tempstr.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/eingabe.h"
#include "gui/gesicht.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "screens/editor/attribut_edit.h"
#include "screens/editor/aussehen.h"
#include "screens/editor/editor_intern.h"
#include "screens/editor/wappen.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "season/freundschaft.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_schreiben.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

using namespace editor_intern;

// --- Drawing ------------------------------------------------------------------------------

namespace {
constexpr Kit_Stelle TITEL{Kit_Ausrichtung::MITTE, 400};
// The player list's heads that stand at their column's right edge.
constexpr Kit_Stelle KOPF_NUMMER{Kit_Ausrichtung::RECHTS, 414};
constexpr Kit_Stelle KOPF_STAERKE{Kit_Ausrichtung::RECHTS, 590};
constexpr Kit_Stelle KOPF_SPIELE{Kit_Ausrichtung::RECHTS, 623};
}  // namespace

void Editor_Hintergrund_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Font* k = Kit_Font(Kit_Schrift::KNOPF);
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::TITEL), FARBE_KREIDE, 0, 40, Kit_Schein::GLATT, TITEL, "%s",
                      text(T_TITEL));
    // Column heads over both lists.
    Kit_Printf(ziel, k, FARBE_KOPF, 28, 84, "%s", text(T_VEREINE));
    const i32 kopf_y = 108;
    Font* z = Kit_Font(Kit_Schrift::ZAHL);
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 28, kopf_y, "%s", text(T_VEREIN));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 154, kopf_y, "%s", text(T_LAENDER));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 8 + LIGA_X, kopf_y, "%s", text(T_LIGEN));
    Kit_Printf(ziel, k, FARBE_KOPF, 400, 84, "%s",
               text(st.markt == 1   ? T_SCOUTLISTE
                    : st.markt == 0 ? T_MARKT
                                    : T_SPIELERLISTE));
    Kit_Printf_Stelle(ziel, z, FARBE_KREIDE_2, 0, kopf_y, Kit_Schein::SCHLICHT, KOPF_NUMMER, "%s", text(T_NUMMER));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 420, kopf_y, "%s", text(T_POSITION));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 475, kopf_y, "%s", text(T_SPIELER));
    Kit_Printf_Stelle(ziel, z, FARBE_KREIDE_2, 0, kopf_y, Kit_Schein::SCHLICHT, KOPF_STAERKE, "%s", text(T_STAERKE));
    Kit_Printf_Stelle(ziel, z, FARBE_KREIDE_2, 0, kopf_y, Kit_Schein::SCHLICHT, KOPF_SPIELE, "%s", text(T_SPIELE));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 633, kopf_y, "%s", text(T_ATTRIBUTE));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 698, kopf_y, "%s", text(T_NATION));
}

void Editor_Rahmen_Text(Screen_Icon*, Rastport* ziel, i32, i32) {
    i32 mt = -1;
    const i32 m = spieler_marke(&mt);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (m >= 0) {
        Kit_Printf(ziel, f, FARBE_GOLD, 390, 484, "%s %s", text(T_SPIELER_GEMERKT), team_name(mt));
        Kit_Printf(ziel, f, FARBE_KREIDE_2, 390, 540, "%s", text(T_HINWEIS_SPIELER));
    } else if (!ist_markt()) {
        Kit_Printf(ziel, f, FARBE_KREIDE_2, 390, 500, "%s", text(T_TIPP_SPIELER));
    }
    if (team_marke() >= 0) {
        Kit_Printf(ziel, f, FARBE_GOLD, 12, 510, "%s", text(T_TEAM_GEMERKT));
        Kit_Printf(ziel, f, FARBE_KREIDE_2, 12, 548, "%s", text(T_HINWEIS_TEAM));
    } else {
        Kit_Printf(ziel, f, FARBE_KREIDE_2, 12, 524, "%s", text(T_TIPP_TEAM));
    }
    // The pointed player's face beside the list.
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    if (mx >= 762 && mx <= 782 && my >= EDITOR_ZEILE_Y0 && my < EDITOR_ZEILE_Y0 + EDITOR_ZEILE_H * EDITOR_ZEILEN &&
        st.wahl_spieler < 0) {
        const i32 zeile = (my - EDITOR_ZEILE_Y0) / EDITOR_ZEILE_H;
        const i32 p = listen_spieler(zeile);
        if (p >= 0) {
            const i32 y = std::min(EDITOR_ZEILE_Y0 + EDITOR_ZEILE_H * zeile + 20, 440);
            Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_GESICHT_RAHMEN, 670, y);
            Gesicht_Holen(p, st.team, ziel, 674, y + 4, 85, 100);
        }
    }
}

namespace {

// A row of the club list, or (marke) the remembered club under it.
void team_zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y, bool marke) {
    if (!i) return;
    const i32 t = marke ? team_marke() : listen_team(static_cast<i32>(i->user[0]));
    if (t < 0 || t >= Team_Anzahl) return;
    const i32 zeile = static_cast<i32>(i->user[0]);
    if (!marke && (zeile & 1)) Blt_Rechteck_Alpha(ziel, x, y, i->w, i->h, FARBE_WEISS, 4);
    if (Menue_Get_Aktives_Icon() == i) Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_HELL_TEAM, x, y);
    if (t == st.team && !ist_markt()) Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_MARKE_TEAM, x, y);
    const i32 gemerkt = team_marke();
    if (gemerkt >= 0 && !marke)
        Kit_Bild_Zeichnen(ziel, gemerkt == t ? GRAFIK_EDITOR_GEMERKT : GRAFIK_EDITOR_ANDERER, x + 3, y + 2);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    const bool im_feld = st.feld.aktiv && st.feld.wert == FELD_TEAMNAME && st.feld.team == t && !marke;
    if (im_feld) {
        Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_FELD_TEAM, x + 16, y);
        Kit_Printf(ziel, f, FARBE_GOLD, x + 176, y + 12, "%s %d", text(T_STAERKE), Team_Get_Staerke(t));
    } else {
        char name[64];
        Tools_Text_Kuerzen(team_name(t), name, f, 125);
        Kit_Printf(ziel, f, t == Team_Aktiv ? FARBE_GOLD : FARBE_WEISS, x + 20, y + 12, "%s", name);
        char land[64];
        Tools_Text_Kuerzen(land_name(t), land, f, LAND_B);
        Kit_Printf(ziel, f, FARBE_KREIDE_2, x + 146, y + 12, "%s", land);
    }
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(t, true);
    if (liga >= 0) {
        char name[64];
        Tools_Text_Kuerzen(Wettbewerb_Get_Name(liga, false).c_str(), name, Kit_Font(Kit_Schrift::ZAHL), LIGA_B);
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::ZAHL), FARBE_KREIDE_2, x + LIGA_X, y + 12, "%s", name);
    }
    Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_WAPPEN_KNOPF, x + 340, y + 2);
}

}  // namespace

void Editor_Transfermarkt_Zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!i) return;
    const i32 art = static_cast<i32>(i->user[0]);  // 0 the market, 1 the scouts
    if (Menue_Get_Aktives_Icon() == i) Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_HELL_TEAM, x, y);
    if (st.markt == art) Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_MARKE_MARKT, x, y);
    Kit_Printf(ziel, Kit_Font(Kit_Schrift::TEXT), st.markt == art ? FARBE_GOLD : FARBE_WEISS, x + 20, y + 12, "%s",
               text(art == 0 ? T_MARKT : T_SCOUTS));
}

namespace {

// A row of the player list, or (marke) the remembered player under it.
void spieler_zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y, bool marke) {
    if (!i) return;
    const i32 zeile = static_cast<i32>(i->user[0]);
    const i32 p = marke ? spieler_marke() : listen_spieler(zeile);
    if (p < 0 || p >= Spieler_Anzahl) return;
    if (!marke && (zeile & 1)) Blt_Rechteck_Alpha(ziel, x, y, i->w, i->h, FARBE_WEISS, 4);
    const bool zeigt = Menue_Get_Aktives_Icon() == i;
    if (zeigt) Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_HELL_SPIELER, x, y);
    if (!marke && (spieler_marke() == p || (st.feld.aktiv && st.feld.spieler == p)))
        Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_MARKE_SPIELER, x, y);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    const i32 klasse = std::clamp(wert(67, p), 0, 3);
    const u16 farbe = FARBE_KLASSE[klasse];
    auto feld = [&](i32 w, i32 grafik, i32 fx) {
        if (!feld_bei(p, w) || marke) return false;
        Kit_Bild_Zeichnen(ziel, grafik, fx, y);
        return true;
    };
    if (!feld(FELD_NUMMER, GRAFIK_EDITOR_FELD_ZAHL, x + 14)) zahl(ziel, x + 32, y + 12, FARBE_WEISS, wert(74, p));
    if (!feld_bei(p, FELD_POSITION) || marke) {
        Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_POSITION + klasse, x + 38, y + 2);
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::ZAHL), farbe, x + 53, y + 12, "%s", Positions_Text(klasse));
    }
    if (!feld(FELD_INITIAL, GRAFIK_EDITOR_FELD_INITIAL, x + 67))
        Kit_Printf(ziel, f, FARBE_WEISS, x + 74, y + 12, "%s", Spieler_String(64, p, nullptr, 0));
    if (!feld(FELD_NAME, GRAFIK_EDITOR_FELD_NAME, x + 85)) {
        char name[64];
        Tools_Text_Kuerzen(Spieler_String(63, p, nullptr, 0), name, f, 88);
        Kit_Printf(ziel, f, farbe, x + 93, y + 12, "%s", name);
    }
    if (!feld(FELD_STERNE, GRAFIK_EDITOR_FELD_ZAHL, x + 175)) zahl(ziel, x + 190, y + 12, FARBE_GOLD, wert(92, p));
    if (!feld(FELD_MAXSTERNE, GRAFIK_EDITOR_FELD_ZAHL, x + 190))
        zahl(ziel, x + 208, y + 12, FARBE_KREIDE_2, wert(97, p));
    if (!feld(FELD_SPIELE, GRAFIK_EDITOR_FELD_SPIELE, x + 218)) zahl(ziel, x + 241, y + 12, FARBE_WEISS, wert(55, p));
    i32 liste[3];
    const i32 n = std::clamp(Attribute_Get_Attribute(p, liste, 3, 0), 0, 3);
    for (i32 k = 0; k < n; ++k)
        if (liste[k] >= 0) Kit_Bild_Zeichnen(ziel, GRAFIK_ATTRIBUT_KLEIN + liste[k], x + 251 + 18 * k, y + 2);
    // The nationality, or a scout player's continent.
    const i32 nation = wert(68, p);
    const char* herkunft = nation >= 0 && nation < Team_Anzahl ? team_name(nation) : "";
    if (wert(75, p) & SP_STATUS_SCOUT) {
        const i32 c = Editor_Kontinent_Von_Spieler(p);
        if (c >= 0 && c < KONTINENT_ANZAHL && Kontinent_Tabelle[c].hat_laender) herkunft = Kontinent_Tabelle[c].name;
    }
    char name[64];
    Tools_Text_Kuerzen(herkunft, name, Kit_Font(Kit_Schrift::ZAHL), 64);
    Kit_Printf(ziel, Kit_Font(Kit_Schrift::ZAHL), FARBE_KREIDE_2, x + 316, y + 12, "%s", name);
    Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_GESICHT_KNOPF, x + 381, y + 2);
}

}  // namespace

void Editor_Team_Zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) { team_zeile(i, ziel, x, y, false); }
void Editor_Team_Marke_Zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) { team_zeile(i, ziel, x, y, true); }
void Editor_Spieler_Zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) { spieler_zeile(i, ziel, x, y, false); }
void Editor_Spieler_Marke_Zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) { spieler_zeile(i, ziel, x, y, true); }

const char* Editor_Team_Hilfe(Screen_Icon* i) {
    const i32 t = i ? listen_team(static_cast<i32>(i->user[0])) : -1;
    if (t < 0) return nullptr;
    return Temp_Sprintf("%s : %d", text(T_STAERKE), Team_Get_Staerke(t));
}
