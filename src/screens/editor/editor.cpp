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

namespace {
// The club rows: the country column cut at LAND_B, the league column from
// LIGA_X, LIGA_B wide (whole names of the shipped leagues), before the crest
// button at x + 340.
constexpr i32 LAND_B = 82, LIGA_X = 232, LIGA_B = 102;

constexpr i32 SATZ = 0;
constexpr i32 TEAM_NAME_MAX = 24, SPIELER_NAME_MAX = 25;
constexpr u32 STERNE_MS = 200, POSITION_MS = 300, TAB_MS = 150;

// Texts of the editor's section.
enum : i32 {
    T_VEREINE = 0, T_SPIELER = 1, T_LAENDER = 2, T_LIGEN = 3, T_STAERKE = 4, T_DATEN = 5, T_SPIELERLISTE = 6,
    T_SPIELER_GEMERKT = 7, T_TEAM_GEMERKT = 8, T_VEREIN = 9, T_NUMMER = 10, T_POSITION = 11, T_WERTE = 12,
    T_NEU_LADEN = 13, T_SPEICHERN = 14, T_AUSSEHEN = 17, T_JA = 18, T_NEIN = 19, T_GESPEICHERT = 20, T_OK = 21,
    T_SCOUTLISTE = 22, T_BEENDEN = 24, T_TITEL = 31, T_HINWEIS_SPIELER = 34, T_HINWEIS_TEAM = 35,
    T_KONTINENTE = 42, T_LAENDER_WAHL = 43, T_MARKT = 47, T_SCOUTS = 48, T_SPIELE = 49, T_ATTRIBUTE = 50,
    T_SPEICHERN_FEHLER = 51, T_LADEN_FEHLER = 52, T_NAME_LEER = 53, T_NAME_LANG = 54, T_NAME_ZEICHEN = 55,
    T_ZAHL_FEHLT = 56, T_GRENZE = 57, T_INITIAL = 58, T_NATION = 59, T_TIPP_TEAM = 60, T_TIPP_SPIELER = 61,
};

Editor_Zustand st;
std::vector<i16> verdeckt;  // the editor's icons a page hid
Screen_Drossel tab_drossel, sterne_drossel, position_drossel;
u32 alte_tasten = 0;

const char* text(i32 n) { return Text_cfg_Text(TEXT_EDITOR, n); }
void zeigen(i32 n, bool an) {
    if (Screen_Icon* i = Kit_Icon(n)) i->status = an ? i->status & ~MENUE_S_VERSTECKT : i->status | MENUE_S_VERSTECKT;
}
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
bool ist_markt() { return st.markt >= 0; }

i32 team_marke() {
    const Screen_Icon* i = Kit_Icon(ICON_EDITOR_TEAM_MARKE);
    return i ? static_cast<i32>(i->user[0]) : -1;
}
void team_marke_setzen(i32 team) {
    if (Screen_Icon* i = Kit_Icon(ICON_EDITOR_TEAM_MARKE)) i->user[0] = static_cast<u32>(team);
    zeigen(ICON_EDITOR_TEAM_MARKE, team >= 0);
}
i32 spieler_marke(i32* team = nullptr) {
    const Screen_Icon* i = Kit_Icon(ICON_EDITOR_SPIELER_MARKE);
    if (team) *team = i ? static_cast<i32>(i->user[1]) : -1;
    return i ? static_cast<i32>(i->user[0]) : -1;
}
void spieler_marke_setzen(i32 spieler, i32 team) {
    if (Screen_Icon* i = Kit_Icon(ICON_EDITOR_SPIELER_MARKE)) {
        i->user[0] = static_cast<u32>(spieler);
        i->user[1] = static_cast<u32>(team);
    }
    zeigen(ICON_EDITOR_SPIELER_MARKE, spieler >= 0);
}

Move_Struktur team_scroll{Editor_Team_Scrollen, 0, 0, -1, EDITOR_ZEILE_Y0, EDITOR_ZEILE_Y0 + 340 - 28, 361, 0,
                          ICON_EDITOR_TEAM_BALKEN};
Move_Struktur spieler_scroll{Editor_Spieler_Scrollen, 0, 0, -1, EDITOR_ZEILE_Y0, EDITOR_ZEILE_Y0 + 340 - 28, 776, 0,
                             ICON_EDITOR_SPIELER_BALKEN};

// The first club row and the first player row; the lists repeat them down.
constexpr Screen_Icon TEAM_ZEILE{.nummer = ICON_EDITOR_TEAM,
                                 .flags = MENUE_F_BEIDE_TASTEN,
                                 .x = EDITOR_TEAM_X,
                                 .y = EDITOR_ZEILE_Y0,
                                 .klick = Editor_Team_Klick,
                                 .zeichnen = Editor_Team_Zeile,
                                 .ebene = 15,
                                 .w = 352,
                                 .h = EDITOR_ZEILE_H,
                                 .hilfe_prozedur = Editor_Team_Hilfe};
constexpr Screen_Icon SPIELER_ZEILE{.nummer = ICON_EDITOR_SPIELER,
                                    .flags = MENUE_F_BEIDE_TASTEN,
                                    .x = EDITOR_SPIELER_X,
                                    .y = EDITOR_ZEILE_Y0,
                                    .klick = Editor_Spieler_Klick,
                                    .zeichnen = Editor_Spieler_Zeile,
                                    .ebene = 15,
                                    .w = 392,
                                    .h = EDITOR_ZEILE_H};
constexpr Kit_Bildknopf_Def KNOPF{.ebene = 15};

constexpr auto TABELLE = Icon_Tabelle_Aus<Icon_Besitzer::EDITOR>(
    Icon_Liste({
        {.nummer = ICON_EDITOR_HINTERGRUND,
         .grafik = GRAFIK_EDITOR,
         .flags = MENUE_F_NICHT_ABFRAGEN,
         .zeichnen = Editor_Hintergrund_Zeichnen,
         .ebene = 12,
         .w = 800,
         .h = 600},
        {.nummer = ICON_EDITOR_RAHMEN,
         .grafik = GRAFIK_EDITOR_RAHMEN,
         .flags = MENUE_F_NICHT_ABFRAGEN,
         .x = 3,
         .y = 82,
         .status = MENUE_S_TRANSPARENT,
         .zeichnen = Editor_Rahmen_Text,
         .ebene = 13,
         .w = 794,
         .h = 480},
        {.nummer = ICON_EDITOR_TEAM_BALKEN,
         .grafik = GRAFIK_EDITOR_SPUR,
         .x = 361,
         .y = EDITOR_ZEILE_Y0,
         .status = MENUE_S_TRANSPARENT,
         .klick = Menue_Scrollbar_Klick,
         .ebene = 14,
         .w = 14,
         .h = 340,
         .verknuepft = ICON_EDITOR_TEAM_KNOPF},
        {.nummer = ICON_EDITOR_TEAM_KNOPF,
         .grafik = GRAFIK_SCROLLKNOPF,
         .flags = MENUE_F_SCROLLBUTTON | MENUE_F_ZIEHBAR,
         .x = 361,
         .y = EDITOR_ZEILE_Y0,
         .daten = &team_scroll,
         .status = MENUE_S_TRANSPARENT,
         .ebene = 16,
         .w = 14,
         .h = 28,
         .verknuepft = ICON_EDITOR_TEAM + 9},
        {.nummer = ICON_EDITOR_SPIELER_BALKEN,
         .grafik = GRAFIK_EDITOR_SPUR,
         .x = 776,
         .y = EDITOR_ZEILE_Y0,
         .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
         .klick = Menue_Scrollbar_Klick,
         .ebene = 14,
         .w = 14,
         .h = 340,
         .verknuepft = ICON_EDITOR_SPIELER_KNOPF},
        {.nummer = ICON_EDITOR_SPIELER_KNOPF,
         .grafik = GRAFIK_SCROLLKNOPF,
         .flags = MENUE_F_SCROLLBUTTON | MENUE_F_ZIEHBAR,
         .x = 776,
         .y = EDITOR_ZEILE_Y0,
         .daten = &spieler_scroll,
         .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
         .ebene = 16,
         .w = 14,
         .h = 28,
         .verknuepft = ICON_EDITOR_SPIELER + 9},
        Kit_Bildknopf(KNOPF, {.nummer = ICON_EDITOR_NEU_LADEN,
                              .grafik = GRAFIK_EDITOR_NEU_LADEN,
                              .gedrueckt = GRAFIK_EDITOR_NEU_LADEN_AN,
                              .x = 486,
                              .y = 569,
                              .w = 100,
                              .h = 26,
                              .ebene = 14,
                              .klick = Editor_Neu_Laden_Frage}),
        Kit_Bildknopf(KNOPF, {.nummer = ICON_EDITOR_SPEICHERN,
                              .grafik = GRAFIK_EDITOR_SPEICHERN,
                              .gedrueckt = GRAFIK_EDITOR_SPEICHERN_AN,
                              .x = 590,
                              .y = 569,
                              .w = 100,
                              .h = 26,
                              .ebene = 14,
                              .klick = Editor_Speichern_Frage}),
        Kit_Bildknopf(KNOPF, {.nummer = ICON_EDITOR_BEENDEN,
                              .grafik = GRAFIK_EDITOR_BEENDEN,
                              .gedrueckt = GRAFIK_EDITOR_BEENDEN_AN,
                              .x = 694,
                              .y = 569,
                              .w = 100,
                              .h = 26,
                              .ebene = 14,
                              .klick = Editor_Beenden_Frage}),
        Kit_Bildknopf(KNOPF, {.nummer = ICON_EDITOR_SORT_NAME,
                              .grafik = GRAFIK_EDITOR_TAB_NAME,
                              .gedrueckt = GRAFIK_EDITOR_TAB_NAME_AN,
                              .x = 130,
                              .y = 66,
                              .w = 112,
                              .h = 22,
                              .klick = Editor_Sort_Name}),
        Kit_Bildknopf(KNOPF, {.nummer = ICON_EDITOR_SORT_LAND,
                              .grafik = GRAFIK_EDITOR_TAB_LAND,
                              .gedrueckt = GRAFIK_EDITOR_TAB_LAND_AN,
                              .x = 246,
                              .y = 66,
                              .w = 112,
                              .h = 22,
                              .klick = Editor_Sort_Land}),
    }),
    Icon_Reihe<EDITOR_ZEILEN>(TEAM_ZEILE, 0, EDITOR_ZEILE_H),
    Icon_Liste({
        {.nummer = ICON_EDITOR_MARKT,
         .x = EDITOR_TEAM_X,
         .y = 462,
         .klick = Editor_Transfermarkt_Klick,
         .zeichnen = Editor_Transfermarkt_Zeile,
         .ebene = 15,
         .w = 352,
         .h = EDITOR_ZEILE_H,
         .user = {0}},
        {.nummer = ICON_EDITOR_SCOUTS,
         .x = EDITOR_TEAM_X,
         .y = 479,
         .klick = Editor_Transfermarkt_Klick,
         .zeichnen = Editor_Transfermarkt_Zeile,
         .ebene = 15,
         .w = 352,
         .h = EDITOR_ZEILE_H,
         .user = {1}},
        {.nummer = ICON_EDITOR_TEAM_MARKE,
         .flags = MENUE_F_BEIDE_TASTEN,
         .x = EDITOR_TEAM_X,
         .y = 515,
         .status = MENUE_S_VERSTECKT,
         .klick = Editor_Team_Marke_Klick,
         .zeichnen = Editor_Team_Marke_Zeile,
         .ebene = 15,
         .w = 352,
         .h = 20,
         .user = {0xFFFFFFFFu, 0}},
    }),
    Icon_Reihe<EDITOR_ZEILEN>(SPIELER_ZEILE, 0, EDITOR_ZEILE_H),
    Icon_Liste({
        {.nummer = ICON_EDITOR_SPIELER_MARKE,
         .flags = MENUE_F_BEIDE_TASTEN,
         .x = EDITOR_SPIELER_X,
         .y = 490,
         .status = MENUE_S_VERSTECKT,
         .klick = Editor_Spieler_Marke_Klick,
         .zeichnen = Editor_Spieler_Marke_Zeile,
         .ebene = 15,
         .w = 392,
         .h = 20,
         .user = {0xFFFFFFFFu, 0xFFFFFFFFu}},
        {.nummer = ICON_EDITOR_EINGABE,
         .flags = MENUE_F_NICHT_ABFRAGEN,
         .zeichnen = Editor_Eingabe_Zeichnen,
         .ebene = 17,
         .w = 1,
         .h = 1},
    }));

// A choice list's title row: its user word 0 names no row.
bool ist_titel(const Screen_Icon* i) { return i->user[0] == static_cast<u32>(-1); }

// A choice list: its title row above its rows, each row's user word 0 its
// row.
constexpr auto WAHL = Icon_Tabelle_Aus<Icon_Besitzer::EDITOR>(
    Kit_Zeilen<1>({.nummer = ICON_EDITOR_KONTINENT_TITEL,
                   .grafik = GRAFIK_EDITOR_WAHL,
                   .grafik_an = GRAFIK_EDITOR_WAHL_AN,
                   .flags = MENUE_F_BEIDE_TASTEN | MENUE_F_HOVER,
                   .x = 300,
                   .y = 78,
                   .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
                   .klick = Editor_Kontinent_Klick,
                   .zeichnen = Editor_Kontinent_Zeile,
                   .ebene = 20,
                   .w = 176,
                   .h = 22},
                  {.erster_index = -1}),
    Kit_Zeilen<EDITOR_KONTINENTE>({.nummer = ICON_EDITOR_KONTINENT,
                                   .grafik = GRAFIK_EDITOR_WAHL,
                                   .grafik_an = GRAFIK_EDITOR_WAHL_AN,
                                   .flags = MENUE_F_BEIDE_TASTEN | MENUE_F_HOVER,
                                   .x = 300,
                                   .y = 100,
                                   .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
                                   .klick = Editor_Kontinent_Klick,
                                   .zeichnen = Editor_Kontinent_Zeile,
                                   .ebene = 20,
                                   .w = 176,
                                   .h = 22},
                                  {.dy = 22}),
    Kit_Zeilen<1>({.nummer = ICON_EDITOR_LAND_TITEL,
                   .grafik = GRAFIK_EDITOR_WAHL,
                   .grafik_an = GRAFIK_EDITOR_WAHL_AN,
                   .flags = MENUE_F_BEIDE_TASTEN | MENUE_F_HOVER,
                   .x = 300,
                   .y = 78,
                   .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
                   .klick = Editor_Land_Klick,
                   .zeichnen = Editor_Land_Zeile,
                   .ebene = 20,
                   .w = 176,
                   .h = 22},
                  {.erster_index = -1}),
    Kit_Zeilen<EDITOR_LAENDER>({.nummer = ICON_EDITOR_LAND,
                                .grafik = GRAFIK_EDITOR_WAHL,
                                .grafik_an = GRAFIK_EDITOR_WAHL_AN,
                                .flags = MENUE_F_BEIDE_TASTEN | MENUE_F_HOVER,
                                .x = 300,
                                .y = 100,
                                .status = MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT,
                                .klick = Editor_Land_Klick,
                                .zeichnen = Editor_Land_Zeile,
                                .ebene = 20,
                                .w = 176,
                                .h = 22},
                               {.dy = 22}));

// --- Lists ------------------------------------------------------------------------------

const char* team_name(i32 t) { return t >= 0 && t < Team_Anzahl ? Team_String(721, t, nullptr, 0) : ""; }
const char* land_name(i32 t) {
    const i32 n = t >= 0 && t < Team_Anzahl ? Team_Wert(6, t, 0, OP_LESEN) : -1;
    return n >= 0 && n < Team_Anzahl ? Team_Fix_Daten[n].name : "";
}

// A plain comparison of Windows-1252 names (case folded for A..Z).
int vergleichen(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const int x = std::tolower(static_cast<u8>(*a)), y = std::tolower(static_cast<u8>(*b));
        if (x != y || !x) return x - y;
    }
}

void knopf_stellen(i32 knopf, Move_Struktur* s, i32 anzahl, i32 erster) {
    s->stufen = static_cast<i16>(anzahl > EDITOR_ZEILEN ? anzahl - EDITOR_ZEILEN + 1 : 0);
    const bool rollen = s->stufen > 1;
    zeigen(knopf, rollen);
    zeigen(s->balken, rollen);
    if (Screen_Icon* k = Kit_Icon(knopf); k && rollen)
        Menue_Scrollbutton_Setzen(k, std::clamp(erster, 0, s->stufen - 1));
}

void zeilen_zeigen() {
    const i32 nt = static_cast<i32>(st.teams.size()) - st.team_erster;
    for (i32 k = 0; k < EDITOR_ZEILEN; ++k) zeigen(ICON_EDITOR_TEAM + k, k < nt);
    const i32 ns = static_cast<i32>(st.spieler.size()) - st.spieler_erster;
    for (i32 k = 0; k < EDITOR_ZEILEN; ++k) zeigen(ICON_EDITOR_SPIELER + k, k < ns);
}

i32 listen_spieler(i32 zeile) {
    const i32 i = st.spieler_erster + zeile;
    return i >= 0 && i < static_cast<i32>(st.spieler.size()) ? st.spieler[static_cast<size_t>(i)] : -1;
}
i32 listen_team(i32 zeile) {
    const i32 i = st.team_erster + zeile;
    return i >= 0 && i < static_cast<i32>(st.teams.size()) ? st.teams[static_cast<size_t>(i)] : -1;
}

void kontinente_zaehlen() {
    std::fill(std::begin(st.kontinent_zahl), std::end(st.kontinent_zahl), 0);
    i32 liste[EDITOR_MARKT_MAX];
    const i32 n = Teamspieler_Ins_Array(Team_Transfermarkt, liste, EDITOR_MARKT_MAX, SP_STATUS_SCOUT);
    for (i32 i = 0; i < n; ++i) {
        const i32 k = Editor_Kontinent_Von_Spieler(liste[i]);
        if (k >= 0 && k < EDITOR_KONTINENTE) ++st.kontinent_zahl[k];
    }
}

// --- Drawing helpers ----------------------------------------------------------------------

void zahl(Rastport* ziel, i32 x, i32 y, u16 farbe, i32 n) {
    Kit_Printf(ziel, Kit_Font(Kit_Schrift::TEXT), farbe, 0, y, "^tr%04d%d", x, n);
}

bool feld_bei(i32 spieler, i32 wert_) { return st.feld.aktiv && st.feld.spieler == spieler && st.feld.wert == wert_; }

}  // namespace

// --- State ---------------------------------------------------------------------------------

Editor_Zustand& Editor_Get_Zustand() { return st; }
i32 Editor_Satz() { return SATZ; }

Screen_Def Editor_Screen_Def() {
    return {.name = "Daten-Editor", .icons = Icon_Besitzer::EDITOR, .rahmen = ICON_EDITOR_RAHMEN,
            .arbeitsflaeche = true, .oeffnen = Editor_Screen_Init, .schliessen = Editor_Screen_Schliessen};
}

i32 Editor_Kontinent_Von_Spieler(i32 spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl) return -1;
    const i32 n = wert(68, spieler);
    if (n < 0 || n >= Team_Anzahl) return -1;
    const i32 k = Global_Get_Kontinent_Nummer(Team_String(721, n, nullptr, 0));
    return k >= 0 ? k : Team_Wert(10, n, 0, OP_LESEN);
}

void Editor_Teams_Sortieren(std::vector<i32>& teams, i32 sortierung) {
    if (sortierung < 0) return;
    auto nach_name = [](i32 a, i32 b) { return vergleichen(team_name(a), team_name(b)) < 0; };
    if (sortierung == 0) std::stable_sort(teams.begin(), teams.end(), nach_name);
    else if (sortierung == 1) std::stable_sort(teams.begin(), teams.end(), [&](i32 a, i32 b) { return nach_name(b, a); });
    else
        std::stable_sort(teams.begin(), teams.end(), [](i32 a, i32 b) {
            if (const int v = vergleichen(land_name(a), land_name(b))) return v < 0;
            const i32 la = Team_Wert(11, a, 0, OP_LESEN), lb = Team_Wert(11, b, 0, OP_LESEN);
            if (la != lb) return la < lb;
            return vergleichen(team_name(a), team_name(b)) < 0;
        });
}

void Editor_Teamliste(i32 erster, i32 sortierung) {
    if (sortierung >= 0) {
        st.teams.clear();
        for (i32 t = 0; t < Team_Anzahl; ++t)
            if (t != Team_Transfermarkt) st.teams.push_back(t);
        st.sortierung = sortierung;
        Editor_Teams_Sortieren(st.teams, sortierung);
    }
    const i32 n = static_cast<i32>(st.teams.size());
    st.team_erster = std::clamp(erster, 0, std::max(0, n - EDITOR_ZEILEN));
    knopf_stellen(ICON_EDITOR_TEAM_KNOPF, &team_scroll, n, st.team_erster);
    zeilen_zeigen();
    Blt_Cache_Leeren();
}

void Editor_Spielerliste(i32 team) {
    st.team = team;
    st.markt = -1;
    st.spieler.clear();
    st.spieler_erster = 0;
    if (team >= 0 && team < Team_Anzahl) {
        i32 liste[EDITOR_ZEILEN];
        const i32 n = Teamspieler_Ins_Array(team, liste, EDITOR_ZEILEN, 0);
        st.spieler.assign(liste, liste + std::max(n, 0));
        std::stable_sort(st.spieler.begin(), st.spieler.end(), [](i32 a, i32 b) { return wert(87, a) < wert(87, b); });
    }
    knopf_stellen(ICON_EDITOR_SPIELER_KNOPF, &spieler_scroll, static_cast<i32>(st.spieler.size()), 0);
    zeilen_zeigen();
    Blt_Cache_Leeren();
}

void Editor_Transfermarkt_Liste(i32 erster, i32 art) {
    st.team = Team_Transfermarkt;
    if (art >= 0) {
        st.markt = art;
        static i32 liste[EDITOR_MARKT_MAX];
        const i32 n = Teamspieler_Ins_Array(Team_Transfermarkt, liste, EDITOR_MARKT_MAX,
                                            art == 0 ? SP_FILTER_OHNE_SCOUT : SP_STATUS_SCOUT);
        st.spieler.assign(liste, liste + std::max(n, 0));
        if (art == 0) {
            std::stable_sort(st.spieler.begin(), st.spieler.end(), [](i32 a, i32 b) {
                const i32 na = wert(68, a), nb = wert(68, b);
                return na != nb ? na < nb : wert(67, a) < wert(67, b);
            });
        } else {
            // By the name of the continent, then the position class; the
            // continent's name read once per player, not per comparison.
            std::vector<std::pair<std::string, i32>> k;
            k.reserve(st.spieler.size());
            for (i32 p : st.spieler) {
                const i32 c = Editor_Kontinent_Von_Spieler(p);
                k.emplace_back(c >= 0 && c < KONTINENT_ANZAHL ? Kontinent_Tabelle[c].name : "", p);
            }
            std::stable_sort(k.begin(), k.end(), [](const auto& a, const auto& b) {
                if (const int v = vergleichen(a.first.c_str(), b.first.c_str())) return v < 0;
                return wert(67, a.second) < wert(67, b.second);
            });
            for (size_t i = 0; i < k.size(); ++i) st.spieler[i] = k[i].second;
            kontinente_zaehlen();
        }
    }
    const i32 n = static_cast<i32>(st.spieler.size());
    st.spieler_erster = std::clamp(erster, 0, std::max(0, n - EDITOR_ZEILEN));
    knopf_stellen(ICON_EDITOR_SPIELER_KNOPF, &spieler_scroll, n, st.spieler_erster);
    zeilen_zeigen();
    Blt_Cache_Leeren();
}

void Editor_Team_Scrollen(Screen_Icon*, i32 index, u32) {
    if (index == st.team_erster) return;
    Editor_Feld_Zuruecksetzen();
    Editor_Teamliste(index, -1);
}

void Editor_Spieler_Scrollen(Screen_Icon*, i32 index, u32) {
    if (index == st.spieler_erster) return;
    Editor_Feld_Zuruecksetzen();
    if (ist_markt()) Editor_Transfermarkt_Liste(index, -1);
}

void Editor_Screen_Init() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_EDITOR_RAHMEN)) return;
    Menue_Screen_Icons_Loeschen_Bereich(4, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    st = Editor_Zustand{};
    verdeckt.clear();
    tab_drossel = sterne_drossel = position_drossel = {};
    // The competitions are edited in place; a set that cannot be read leaves
    // the league exchange without effect (the message says why).
    if (Config_Modify_Set() != SATZ) Config_Modify_Init(SATZ, SATZ);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(TABELLE.daten());
    Menue_Set_Rechtsklick_Icon(-1);
    Editor_Teamliste(0, 0);
    Editor_Spielerliste(listen_team(0));
    spieler_marke_setzen(-1, -1);
    team_marke_setzen(-1);
    Blt_Cache_Leeren();
}

void Editor_Verdecken(bool an) {
    if (!an) {
        for (i16 n : verdeckt) zeigen(n, true);
        verdeckt.clear();
        Blt_Cache_Leeren();
        return;
    }
    if (!verdeckt.empty()) return;
    for (i32 n = ICON_EDITOR_RAHMEN; n <= ICON_EDITOR_LAND_TITEL; ++n)
        if (Screen_Icon* i = Kit_Icon(n); i && !(i->status & MENUE_S_VERSTECKT)) {
            i->status |= MENUE_S_VERSTECKT;
            verdeckt.push_back(static_cast<i16>(n));
        }
    Blt_Cache_Leeren();
}

void Editor_Screen_Schliessen() {
    // Its pages go with it.
    Attribut_Edit_Schliessen();
    Editor_Aussehen_Schliessen();
    Editor_Wappen_Schliessen();
    Editor_Wahl_Schliessen();
    Eingabefeld_Free();
    for (i32 n = ICON_EDITOR_RAHMEN; n <= ICON_EDITOR_LAND_TITEL; ++n) Menue_Screen_Icon_Loeschen(n);
    st.feld = {};
    Blt_Cache_Leeren();
}

// --- Values ---------------------------------------------------------------------------------

i32 Editor_Sterne_Schritt(i32 sterne, i32 max, bool hoch) {
    max = std::clamp(max, 0, 12);
    if (hoch) return sterne >= max ? 0 : sterne + 1;
    return sterne <= 0 ? max : sterne - 1;
}

i32 Editor_Maxsterne_Schritt(i32 max, i32 sterne, bool hoch) {
    if (hoch) return max < 11 ? max + 2 : std::min(12, (sterne + 1) / 2 * 2);
    return max > sterne + 1 ? max - 2 : 12;
}

i32 Editor_Maxsterne_Aus_Eingabe(i32 eingabe, i32 sterne) {
    i32 m = std::max(eingabe, 2);
    if (m > 12 || (m & 1) || m < sterne) m = 12;
    return m;
}

bool Editor_Name_Pruefen(const char* t, i32 max, std::string* grund) {
    auto nein = [&](i32 n, i32 a = 0) {
        if (grund) {
            char b[200];
            std::snprintf(b, sizeof b, text(n), a);
            *grund = b;
        }
        return false;
    };
    if (!t) return nein(T_NAME_LEER);
    const size_t n = std::strlen(t);
    bool leer = true;
    for (size_t i = 0; i < n; ++i) leer = leer && t[i] == ' ';
    if (leer) return nein(T_NAME_LEER);
    if (n > static_cast<size_t>(max)) return nein(T_NAME_LANG, max);
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    for (size_t i = 0; i < n; ++i) {
        const u8 c = static_cast<u8>(t[i]);
        if (c < 32 || c == 127 || c == '^' || c == '"') return nein(T_NAME_ZEICHEN);
        const u32 u = Cp1252_Zeichen_Unicode(c);
        if (u >= 0x80 && u < 0xA0) return nein(T_NAME_ZEICHEN);
        if (f && c != ' ' && Font_Zeichen_Breite(f, c) - f->abstand <= 0) return nein(T_NAME_ZEICHEN);
    }
    return true;
}

void Editor_Position_Setzen(i32 spieler, i32 klasse) {
    if (spieler < 0 || spieler >= Spieler_Anzahl) return;
    const i32 alt = wert(67, spieler);
    klasse = ((klasse % 4) + 4) % 4;
    Spieler_Wert(67, spieler, klasse, OP_SCHREIBEN);
    if ((alt == 0) == (klasse == 0)) return;
    // The attributes of the other kind of player go; his own become open.
    const bool torwart = klasse == 0;
    for (i32 a = 47; a <= 52; ++a) Attribut_Spieler_Setze_Wert_Screen(spieler, a, torwart ? 3 : 2);
    for (i32 a = 0; a <= 39; ++a) Attribut_Spieler_Setze_Wert_Screen(spieler, a, torwart ? 2 : 3);
}

// --- The edit field ----------------------------------------------------------------------

void Editor_Feld_Zuruecksetzen() {
    if (st.feld.aktiv) Eingabefeld_Free();
    const bool tab = st.feld.tab;
    const i32 spalte = st.feld.spalte;
    st.feld = {};
    st.feld.tab = tab;
    st.feld.spalte = spalte;
    Blt_Cache_Leeren();
}

void Editor_Feld_Beginnen(i32 w, i32 spieler, i32 team, i32 x, i32 y) {
    if (st.feld.aktiv) Eingabefeld_Free();
    Editor_Feld_Zuruecksetzen();
    Editor_Eingabefeld& f = st.feld;
    f.aktiv = true;
    f.spieler = spieler;
    f.team = team;
    f.wert = w;
    f.x = x, f.y = y;
    f.ziffern = w == FELD_NUMMER || w == FELD_STERNE || w == FELD_MAXSTERNE || w == FELD_SPIELE;
    switch (w) {
        case FELD_NUMMER: f.laenge = 2; break;
        case FELD_POSITION: f.laenge = 0; break;
        case FELD_INITIAL: f.laenge = 1; break;
        case FELD_NAME: f.laenge = SPIELER_NAME_MAX; break;
        case FELD_STERNE:
        case FELD_MAXSTERNE: f.laenge = 2; break;
        case FELD_SPIELE: f.laenge = 3; break;
        case FELD_TEAMNAME: f.laenge = TEAM_NAME_MAX; break;
        default: f.aktiv = false; return;
    }
    for (i32 k = 0; k < 7; ++k)
        if (EDITOR_SPALTEN[k] == w) f.spalte = k;
    if (w == FELD_TEAMNAME) std::snprintf(f.puffer, sizeof f.puffer, "%s", team_name(team));
    else if (w == FELD_NAME) std::snprintf(f.puffer, sizeof f.puffer, "%s", Spieler_String(63, spieler, nullptr, 0));
    else if (w == FELD_INITIAL) {
        const char* v = Spieler_String(64, spieler, nullptr, 0);
        std::snprintf(f.puffer, sizeof f.puffer, "%c", v[0] ? v[0] : ' ');
        if (f.puffer[0] == ' ') f.puffer[0] = 0;
    } else if (w != FELD_POSITION) {
        std::snprintf(f.puffer, sizeof f.puffer, "%d", wert(w, spieler));
    }
    Blt_Cache_Leeren();
}

bool Editor_Eingabe_Uebernehmen() {
    Editor_Eingabefeld& f = st.feld;
    if (!f.aktiv) return false;
    st.fehler.clear();
    auto grenze = [&](i32 von, i32 bis, i32 war) {
        char b[200];
        std::snprintf(b, sizeof b, text(T_GRENZE), von, bis, war);
        st.fehler = b;
    };
    const i32 p = f.spieler;
    if (f.wert == FELD_TEAMNAME) {
        if (!Editor_Name_Pruefen(f.puffer, TEAM_NAME_MAX, &st.fehler)) return false;
        Team_String(721, f.team, f.puffer, 1);
        return true;
    }
    if (p < 0 || p >= Spieler_Anzahl) return false;
    if (f.wert == FELD_POSITION) return true;  // stepped in place
    if (f.wert == FELD_NAME) {
        if (!Editor_Name_Pruefen(f.puffer, SPIELER_NAME_MAX, &st.fehler)) return false;
        Spieler_String(63, p, f.puffer, 1);
        return true;
    }
    if (f.wert == FELD_INITIAL) {
        u8 c = static_cast<u8>(f.puffer[0]);
        const u32 u = Cp1252_Zeichen_Unicode(c);
        if (!c || f.puffer[1] || !(std::isalpha(c) || (u >= 0xC0 && u <= 0xFE && u != 0xD7 && u != 0xF7))) {
            st.fehler = text(T_INITIAL);
            return false;
        }
        if (c >= 'a' && c <= 'z') c = static_cast<u8>(c - 32);
        else if (u >= 0xE0 && u <= 0xFE && u != 0xF7) c = static_cast<u8>(c - 32);  // à..þ to À..Þ
        char v[3] = {static_cast<char>(c), '.', 0};
        std::string grund;
        if (!Editor_Name_Pruefen(v, 2, &grund)) {
            st.fehler = grund;
            return false;
        }
        Spieler_String(64, p, v, 1);
        std::snprintf(f.puffer, sizeof f.puffer, "%c", c);
        return true;
    }
    // Numbers.
    if (!f.puffer[0]) {
        st.fehler = text(T_ZAHL_FEHLT);
        return false;
    }
    char* ende = nullptr;
    const long v = std::strtol(f.puffer, &ende, 10);
    if (!ende || *ende) {
        st.fehler = text(T_ZAHL_FEHLT);
        return false;
    }
    i32 n = static_cast<i32>(std::clamp(v, -99999L, 99999L));
    switch (f.wert) {
        case FELD_NUMMER:
            if (n < 1 || n > 50) grenze(1, 50, n);
            n = std::clamp(n, 1, 50);
            break;
        case FELD_SPIELE:
            if (n < 1 || n > 150) grenze(1, 150, n);
            n = std::clamp(n, 1, 150);
            break;
        case FELD_STERNE: {
            const i32 max = wert(97, p);
            if (n < 0 || n > max) grenze(0, max, n);
            n = std::clamp(n, 0, max);
            break;
        }
        case FELD_MAXSTERNE: {
            const i32 m = Editor_Maxsterne_Aus_Eingabe(n, wert(92, p));
            if (m != n) grenze(2, 12, n);
            n = m;
            break;
        }
        default: return false;
    }
    Spieler_Wert(f.wert, p, n, OP_SCHREIBEN);
    std::snprintf(f.puffer, sizeof f.puffer, "%d", n);
    return true;
}

void Editor_Tab_Weiter(bool rueckwaerts) {
    if (!Screen_Drossel_Frei(&tab_drossel, TAB_MS)) return;
    const i32 n = static_cast<i32>(st.spieler.size());
    if (n == 0) return;
    const i32 p = st.feld.spieler;
    auto it = std::find(st.spieler.begin(), st.spieler.end(), p);
    i32 index = it == st.spieler.end() ? 0 : static_cast<i32>(it - st.spieler.begin());
    i32 spalte = st.feld.spalte + (rueckwaerts ? -1 : 1);
    if (spalte < 0) spalte = 6, index = (index + n - 1) % n;
    if (spalte > 6) spalte = 0, index = (index + 1) % n;
    // The list follows the walk.
    if (index < st.spieler_erster || index >= st.spieler_erster + EDITOR_ZEILEN) {
        if (ist_markt()) Editor_Transfermarkt_Liste(index < st.spieler_erster ? index : index - EDITOR_ZEILEN + 1, -1);
    }
    const i32 zeile = index - st.spieler_erster;
    Editor_Feld_Beginnen(EDITOR_SPALTEN[spalte], st.spieler[static_cast<size_t>(index)], st.team,
                         EDITOR_SPALTEN_X[spalte], EDITOR_ZEILE_Y0 + EDITOR_ZEILE_H * zeile);
    st.feld.tab = true;
    st.feld.spalte = spalte;
}

namespace {

// The position and the stars step in place.
void schritt(bool hoch) {
    Editor_Eingabefeld& f = st.feld;
    const i32 p = f.spieler;
    if (p < 0) return;
    if (f.wert == FELD_POSITION) {
        Editor_Position_Setzen(p, wert(67, p) + (hoch ? 1 : -1));
    } else if (f.wert == FELD_STERNE) {
        Spieler_Wert(92, p, Editor_Sterne_Schritt(wert(92, p), wert(97, p), hoch), OP_SCHREIBEN);
        std::snprintf(f.puffer, sizeof f.puffer, "%d", wert(92, p));
    } else if (f.wert == FELD_MAXSTERNE) {
        Spieler_Wert(97, p, Editor_Maxsterne_Schritt(wert(97, p), wert(92, p), hoch), OP_SCHREIBEN);
        std::snprintf(f.puffer, sizeof f.puffer, "%d", wert(97, p));
    }
    Eingabefeld_Free();  // the field shows the new value
    Blt_Cache_Leeren();
}

// A key's end of the edit: dropped, or taken over and, on Tab (or Return
// in the Tab walk), on to the next field.
void ende(Editor_Tastenwirkung w) {
    Editor_Eingabefeld& f = st.feld;
    if (w == Editor_Tastenwirkung::VERWERFEN) {
        f.tab = false;
        Editor_Feld_Zuruecksetzen();
        return;
    }
    const bool ok = Editor_Eingabe_Uebernehmen();
    if (!ok) f.tab = false;
    const bool weiter = w == Editor_Tastenwirkung::WEITER || w == Editor_Tastenwirkung::ZURUECK;
    if (ok && (weiter || (w == Editor_Tastenwirkung::UEBERNEHMEN && f.tab))) {
        Editor_Tab_Weiter(w == Editor_Tastenwirkung::ZURUECK);
        return;
    }
    Editor_Feld_Zuruecksetzen();
}

bool beendet(Editor_Tastenwirkung w) {
    return w == Editor_Tastenwirkung::UEBERNEHMEN || w == Editor_Tastenwirkung::WEITER ||
           w == Editor_Tastenwirkung::ZURUECK || w == Editor_Tastenwirkung::VERWERFEN;
}

i32 feld_breite(i32 w) {
    switch (w) {
        case FELD_NAME: return 100;
        case FELD_TEAMNAME: return 150;
        case FELD_SPIELE: return 28;
        case FELD_INITIAL: return 18;
        default: return 22;
    }
}

}  // namespace

Editor_Tastenwirkung Editor_Taste(i32 feld_ergebnis, u32 code, bool shift) {
    switch (feld_ergebnis) {
        case EINGABE_FERTIG: return Editor_Tastenwirkung::UEBERNEHMEN;
        case EINGABE_TAB: return Editor_Tastenwirkung::WEITER;
        case EINGABE_SHIFT_TAB: return Editor_Tastenwirkung::ZURUECK;
        case EINGABE_ABBRUCH: return Editor_Tastenwirkung::VERWERFEN;
        default: break;
    }
    switch (code) {
        case VK_RETURN: return Editor_Tastenwirkung::UEBERNEHMEN;
        case VK_TAB: return shift ? Editor_Tastenwirkung::ZURUECK : Editor_Tastenwirkung::WEITER;
        case VK_ESCAPE: return Editor_Tastenwirkung::VERWERFEN;
        case VK_UP: return Editor_Tastenwirkung::HOCH;
        case VK_DOWN: return Editor_Tastenwirkung::RUNTER;
        default: return Editor_Tastenwirkung::KEINE;
    }
}

Editor_Tastenwirkung Editor_Taste(i32 feld_ergebnis) {
    return Editor_Taste(feld_ergebnis, Taste_Get_Code(), Taste_Shift());
}

void Editor_Eingabe() {
    Editor_Eingabefeld& f = st.feld;
    if (!f.aktiv) return;
    const u32 tasten = Maus_Get_Tasten();
    const bool neu_links = (tasten & MAUS_LINKS) && !(alte_tasten & MAUS_LINKS);
    const bool neu_rechts = (tasten & MAUS_RECHTS) && !(alte_tasten & MAUS_RECHTS);
    alte_tasten = tasten;
    const i32 mx = Maus_Get_X(), my = Maus_Get_Y();
    const bool auf_feld = mx >= f.x - 5 && mx <= f.x + 40 && my >= f.y && my < f.y + EDITOR_ZEILE_H;
    // The steppers take the key before any text field.
    const Editor_Tastenwirkung taste = Editor_Taste(EINGABE_LAEUFT);
    const bool hoch = taste == Editor_Tastenwirkung::HOCH || (neu_links && auf_feld);
    const bool runter = !hoch && (taste == Editor_Tastenwirkung::RUNTER || (neu_rechts && auf_feld));
    if (f.wert == FELD_POSITION) {
        // Not typed: the keys alone step it, take it over or drop it.
        if (hoch || runter) {
            if (Screen_Drossel_Frei(&position_drossel, POSITION_MS)) schritt(hoch);
        } else if (beendet(taste)) {
            ende(taste);
        }
        return;
    }
    if ((f.wert == FELD_STERNE || f.wert == FELD_MAXSTERNE) && (hoch || runter) &&
        Screen_Drossel_Frei(&sterne_drossel, STERNE_MS)) {
        schritt(hoch);
        return;
    }
    const u32 flags = f.ziffern ? EINGABE_ZAHL | EINGABE_ALLES_WAEHLEN : EINGABE_STANDARD | EINGABE_ALLES_WAEHLEN;
    const i32 r =
        Eingabefeld_Bearbeiten(Kit_Font(Kit_Schrift::TEXT), f.puffer, sizeof f.puffer, f.laenge, flags, f.x + 4, f.y,
                               feld_breite(f.wert), EDITOR_ZEILE_H, 2, 0, nullptr, 0, 0, nullptr, FARBE_WEISS);
    // The field read the key; what it ended with decides.
    const Editor_Tastenwirkung w = Editor_Taste(r, 0, false);
    if (beendet(w)) ende(w);
}

void Editor_Eingabe_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Editor_Eingabefeld& f = st.feld;
    if (f.aktiv && f.wert == FELD_POSITION && f.spieler >= 0) {
        const i32 k = std::clamp(wert(67, f.spieler), 0, 3);
        Kit_Bild_Zeichnen(ziel, GRAFIK_EDITOR_FELD_ZAHL, f.x, f.y);
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_GOLD, f.x + 18, f.y + 12, "%s", Positions_Text(k));
    }
    Editor_Eingabe();
    if (!st.fehler.empty())
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_FEHLER, 12, 556, "%s", st.fehler.c_str());
}

// --- Clicks ------------------------------------------------------------------------------

void Editor_Team_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i || !(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    const i32 t = listen_team(static_cast<i32>(i->user[0]));
    if (t < 0) return;
    const i32 x = Maus_Get_X();
    const i32 alt_markiert = team_marke();
    const i32 sp = spieler_marke();
    Editor_Wahl_Schliessen();
    st.feld.tab = false;
    Editor_Feld_Zuruecksetzen();
    st.fehler.clear();
    // A marked player stays marked: he is exchanged with one of this club.
    Editor_Spielerliste(t);
    if (ereignis & MENUE_E_RECHTS) {
        team_marke_setzen(t);
        return;
    }
    if (x >= 9 && x <= 23) {
        if (alt_markiert >= 0 && alt_markiert != t) {
            const i32 la = Wettbewerb_Get_Liga_Von_Team(alt_markiert, true);
            const i32 lb = Wettbewerb_Get_Liga_Von_Team(t, true);
            if (la >= 0 && lb >= 0 && la != lb) {
                Wettbewerb_Team_Wettbewerb_Wechsel(alt_markiert, la, lb);
                Wettbewerb_Team_Wettbewerb_Wechsel(t, lb, la);
                Team_Wert(11, alt_markiert, lb, OP_SCHREIBEN);
                Team_Wert(11, t, la, OP_SCHREIBEN);
                if (!Wettbewerb_Config_Schreiben(SATZ, EDITOR_INFOTEXT)) {
                    Meldung_Printf("%s", text(T_SPEICHERN_FEHLER));
                } else {
                    Spielstand_Config_Loeschen(SATZ);
                }
            }
            team_marke_setzen(-1);
            Editor_Teamliste(st.team_erster, st.sortierung);
        } else if (alt_markiert < 0 && sp < 0) {
            team_marke_setzen(t);
        }
        return;
    }
    if (x >= 348 && x <= 360) {
        Screen_Oeffnen_Fuer(Screen_Id::EDITOR_WAPPEN, {.team = t});
        return;
    }
    if (x >= 25 && x <= 178 && sp < 0) {
        Editor_Feld_Beginnen(FELD_TEAMNAME, -1, t, i->x + 16, i->y);
    }
}

void Editor_Team_Marke_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) team_marke_setzen(-1);
}

void Editor_Spieler_Marke_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) spieler_marke_setzen(-1, -1);
}

void Editor_Transfermarkt_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i || !(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    Editor_Wahl_Schliessen();
    st.feld.tab = false;
    Editor_Feld_Zuruecksetzen();
    spieler_marke_setzen(-1, -1);
    Editor_Transfermarkt_Liste(0, static_cast<i32>(i->user[0]));
}

void Editor_Spieler_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i || !(ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS))) return;
    const i32 zeile = static_cast<i32>(i->user[0]);
    const i32 p = listen_spieler(zeile);
    if (p < 0) return;
    const i32 x = Maus_Get_X();
    const i32 y = i->y;
    const bool rechts = (ereignis & MENUE_E_RECHTS) != 0;
    if (st.wahl_spieler >= 0) Editor_Wahl_Schliessen();
    // Moving players (a club's list only): the first click, or a right
    // click, marks; the same player again clears the mark; another player is
    // exchanged with the marked one.
    if (!ist_markt() && ((x >= 382 && x <= 396) || rechts)) {
        i32 mt = -1;
        const i32 m = spieler_marke(&mt);
        st.feld.tab = false;
        Editor_Feld_Zuruecksetzen();
        if (m < 0 || rechts) {
            spieler_marke_setzen(p, st.team);
        } else if (m == p) {
            spieler_marke_setzen(-1, -1);
        } else {
            if (mt == st.team) Spieler_Tauschen_Intern(m, p, mt, st.team);
            else Team_Spieler_Tauschen(mt, st.team, m, p, 0);
            spieler_marke_setzen(-1, -1);
            Editor_Spielerliste(st.team);
        }
        return;
    }
    if (rechts) return;
    st.feld.tab = false;
    struct Bereich {
        i32 von, bis, wert, feld_x;
    };
    // Where two ranges overlap the later one takes the click.
    static constexpr Bereich BEREICHE[] = {
        {399, 415, FELD_NUMMER, 396},  {419, 449, FELD_POSITION, 420}, {453, 471, FELD_INITIAL, 449},
        {474, 588, FELD_NAME, 467},    {559, 574, FELD_STERNE, 557},   {575, 590, FELD_MAXSTERNE, 572},
        {599, 624, FELD_SPIELE, 600},
    };
    i32 treffer = -1, fx = 0;
    for (const Bereich& b : BEREICHE)
        if (x >= b.von && x <= b.bis) treffer = b.wert, fx = b.feld_x;
    if (treffer >= 0) {
        if (feld_bei(p, treffer)) return;  // the running field keeps the click
        Editor_Feld_Beginnen(treffer, p, st.team, fx, y);
        return;
    }
    Editor_Feld_Zuruecksetzen();
    if (x >= 631 && x <= 684)
        Screen_Oeffnen_Fuer(Screen_Id::EDITOR_ATTRIBUTE, {.spieler = p, .team = st.team, .x = 30, .y = 100});
    else if (x >= 698 && x <= 761) Editor_Wahl_Oeffnen(p);
    else if (x >= 762 && x <= 782) Screen_Oeffnen_Fuer(Screen_Id::EDITOR_AUSSEHEN, {.spieler = p});
}

void Editor_Sort_Name(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Editor_Feld_Zuruecksetzen();
    Editor_Teamliste(0, st.sortierung == 0 ? 1 : 0);
}

void Editor_Sort_Land(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Editor_Feld_Zuruecksetzen();
    Editor_Teamliste(0, 2);
}

// --- Nationality chooser ---------------------------------------------------------------

void Editor_Wahl_Oeffnen(i32 spieler) {
    Editor_Wahl_Schliessen();
    if (spieler < 0 || spieler >= Spieler_Anzahl) return;
    st.wahl_spieler = spieler;
    st.wahl_kontinent = -1;
    Menue_Screen_Icon_Tabelle_Hinzufuegen(WAHL.daten());
    const bool scout = (wert(75, spieler) & SP_STATUS_SCOUT) != 0;
    zeigen(ICON_EDITOR_KONTINENT_TITEL, true);
    if (Screen_Icon* t = Kit_Icon(ICON_EDITOR_KONTINENT_TITEL)) t->y = 76;
    i32 k = 0;
    for (i32 c = 0; c < EDITOR_KONTINENTE; ++c) {
        Screen_Icon* r = Kit_Icon(ICON_EDITOR_KONTINENT + c);
        if (!r) continue;
        const bool da = Kontinent_Tabelle[c].name[0] && (scout || Kontinent_Tabelle[c].hat_laender);
        r->user[1] = static_cast<u32>(c);
        if (!da) continue;
        r->x = 300, r->y = static_cast<i16>(100 + 22 * k++);
        r->status &= ~MENUE_S_VERSTECKT;
    }
    // The last row gets the rounded piece.
    for (i32 c = EDITOR_KONTINENTE - 1; c >= 0; --c)
        if (Screen_Icon* r = Kit_Icon(ICON_EDITOR_KONTINENT + c); r && !(r->status & MENUE_S_VERSTECKT)) {
            r->grafik = GRAFIK_EDITOR_WAHL_LETZTE, r->grafik_an = GRAFIK_EDITOR_WAHL_LETZTE_AN;
            break;
        }
    Blt_Cache_Leeren();
}

void Editor_Wahl_Schliessen() {
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_EDITOR_KONTINENT_TITEL)) {
        st.wahl_spieler = st.wahl_kontinent = -1;
        return;
    }
    Menue_Screen_Icon_Tabelle_Loeschen(WAHL.daten());
    st.wahl_spieler = st.wahl_kontinent = -1;
    st.wahl_laender.clear();
    Blt_Cache_Leeren();
}

void Editor_Wahl_Kontinent(i32 c) {
    if (st.wahl_spieler < 0 || c == st.wahl_kontinent || c < 0 || c >= EDITOR_KONTINENTE) return;
    st.wahl_kontinent = c;
    st.wahl_laender.clear();
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if ((Team_Wert(7, t, 0, OP_LESEN) & TEAM_STATUS_LAND) &&
            (Global_Get_Kontinent_Nummer(team_name(t)) == c ||
             (Global_Get_Kontinent_Nummer(team_name(t)) < 0 && Team_Wert(10, t, 0, OP_LESEN) == c)))
            st.wahl_laender.push_back(t);
    std::stable_sort(st.wahl_laender.begin(), st.wahl_laender.end(),
                     [](i32 a, i32 b) { return vergleichen(team_name(a), team_name(b)) < 0; });
    if (st.wahl_laender.empty()) {
        const i32 t = Team_Suche_Zufaelligen_Spieler_Von_Kontinent(c);
        if (t >= 0) st.wahl_laender.push_back(t);
    }
    if (st.wahl_laender.size() > static_cast<size_t>(EDITOR_LAENDER)) st.wahl_laender.resize(EDITOR_LAENDER);
    const Screen_Icon* k = nullptr;
    for (i32 r = 0; r < EDITOR_KONTINENTE; ++r)
        if (const Screen_Icon* q = Kit_Icon(ICON_EDITOR_KONTINENT + r); q && static_cast<i32>(q->user[1]) == c) k = q;
    const i32 x = (k ? k->x : 300) + 178;
    const i32 n = static_cast<i32>(st.wahl_laender.size());
    const i32 y0 = std::clamp(k ? static_cast<i32>(k->y) : 100, 100, 560 - 22 * n);
    if (Screen_Icon* t = Kit_Icon(ICON_EDITOR_LAND_TITEL)) {
        t->x = static_cast<i16>(x), t->y = static_cast<i16>(y0 - 24);
        t->status &= ~MENUE_S_VERSTECKT;
    }
    for (i32 r = 0; r < EDITOR_LAENDER; ++r) {
        Screen_Icon* q = Kit_Icon(ICON_EDITOR_LAND + r);
        if (!q) continue;
        q->x = static_cast<i16>(x), q->y = static_cast<i16>(y0 + 22 * r);
        q->grafik = r == n - 1 ? GRAFIK_EDITOR_WAHL_LETZTE : GRAFIK_EDITOR_WAHL;
        q->grafik_an = r == n - 1 ? GRAFIK_EDITOR_WAHL_LETZTE_AN : GRAFIK_EDITOR_WAHL_AN;
        q->status = r < n ? q->status & ~MENUE_S_VERSTECKT : q->status | MENUE_S_VERSTECKT;
    }
    Blt_Cache_Leeren();
}

void Editor_Kontinent_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) {
        Editor_Wahl_Schliessen();
        return;
    }
    if (ist_titel(i)) return;
    if (ereignis & (MENUE_E_HOVER_REIN | MENUE_E_LINKS)) Editor_Wahl_Kontinent(static_cast<i32>(i->user[1]));
}

void Editor_Land_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    if (ereignis & MENUE_E_RECHTS) {
        Editor_Wahl_Schliessen();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS) || ist_titel(i)) return;
    const i32 r = static_cast<i32>(i->user[0]);
    if (r < 0 || r >= static_cast<i32>(st.wahl_laender.size()) || st.wahl_spieler < 0) return;
    const i32 p = st.wahl_spieler;
    Spieler_Wert(68, p, st.wahl_laender[static_cast<size_t>(r)], OP_SCHREIBEN);
    if (wert(75, p) & SP_STATUS_SCOUT) kontinente_zaehlen();
    Editor_Wahl_Schliessen();
}

void Editor_Kontinent_Zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!i) return;
    Font* f = Kit_Font(Kit_Schrift::TEXT);
    if (ist_titel(i)) {
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::KNOPF), FARBE_GOLD, x + 10, y + 16, "%s", text(T_KONTINENTE));
        return;
    }
    const i32 c = static_cast<i32>(i->user[1]);
    if (c < 0 || c >= KONTINENT_ANZAHL) return;
    const bool scout = st.wahl_spieler >= 0 && (wert(75, st.wahl_spieler) & SP_STATUS_SCOUT);
    const u16 farbe = c == st.wahl_kontinent ? FARBE_GOLD : FARBE_WEISS;
    if (scout) Kit_Printf(ziel, f, farbe, x + 10, y + 15, "%s (%d)", Kontinent_Tabelle[c].name, st.kontinent_zahl[c]);
    else Kit_Printf(ziel, f, farbe, x + 10, y + 15, "%s", Kontinent_Tabelle[c].name);
}

void Editor_Land_Zeile(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!i) return;
    if (ist_titel(i)) {
        Kit_Printf(ziel, Kit_Font(Kit_Schrift::KNOPF), FARBE_GOLD, x + 10, y + 16, "%s", text(T_LAENDER_WAHL));
        return;
    }
    const i32 r = static_cast<i32>(i->user[0]);
    if (r < 0 || r >= static_cast<i32>(st.wahl_laender.size())) return;
    const i32 t = st.wahl_laender[static_cast<size_t>(r)];
    char name[64];
    Tools_Text_Kuerzen(team_name(t), name, Kit_Font(Kit_Schrift::TEXT), 130);
    Kit_Printf(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_WEISS, x + 10, y + 15, "%s", name);
    if (st.wahl_spieler >= 0 && wert(68, st.wahl_spieler) == t)
        Kit_Bild_Zeichnen(ziel, GRAFIK_POPUP_AKTIV, x + 154, y + 4);
}

// --- Drawing ------------------------------------------------------------------------------

void Editor_Hintergrund_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Font* k = Kit_Font(Kit_Schrift::KNOPF);
    Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::TITEL), FARBE_KREIDE, 0, 40, "^tz0400%s", text(T_TITEL));
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
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 0, kopf_y, "^tr%04d%s", 414, text(T_NUMMER));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 420, kopf_y, "%s", text(T_POSITION));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 475, kopf_y, "%s", text(T_SPIELER));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 0, kopf_y, "^tr%04d%s", 590, text(T_STAERKE));
    Kit_Printf(ziel, z, FARBE_KREIDE_2, 0, kopf_y, "^tr%04d%s", 623, text(T_SPIELE));
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

// --- The buttons ----------------------------------------------------------------------------

namespace {

std::string pfad(int art, int alias) {
    const char* p = Read_Config_Get_Filenamen(art, SATZ, alias);
    return p ? p : "";
}

// The files written aside first and swapped in together: the old files
// stay whole when any of them cannot be written.
bool alle_schreiben() {
    struct Datei {
        std::string ziel, neu;
    };
    const std::string team = pfad(CONFIG_TEAM, 0), team_alias = pfad(CONFIG_TEAM, 1);
    const std::string spieler = pfad(CONFIG_SPIELER, 0), spieler_alias = pfad(CONFIG_SPIELER, 1);
    if (team.empty() || spieler.empty()) return false;
    const std::string n = ".neu";
    std::vector<Datei> dateien = {{team, team + n}, {spieler, spieler + n}};
    if (!team_alias.empty()) dateien.push_back({team_alias, team_alias + n});
    if (!spieler_alias.empty() && spieler_alias != team_alias) dateien.push_back({spieler_alias, spieler_alias + n});
    auto aufraeumen = [&] {
        for (const Datei& d : dateien) std::remove(W32_Pfad_Uebersetzen(d.neu.c_str()).c_str());
    };
    bool ok = Convert_Team_Config_Speichern_Pfad((team + n).c_str(),
                                                 team_alias.empty() ? nullptr : (team_alias + n).c_str(),
                                                 EDITOR_INFOTEXT) &&
              Convert_Spieler_Config_Speichern_Pfad(
                  (spieler + n).c_str(), spieler_alias.empty() ? nullptr : (spieler_alias + n).c_str(),
                  EDITOR_INFOTEXT);
    // The competitions last: their writer replaces its file whole itself.
    if (ok) ok = Config_Modify_Set() == SATZ && Wettbewerb_Config_Schreiben(SATZ, EDITOR_INFOTEXT);
    if (!ok) {
        aufraeumen();
        return false;
    }
    for (const Datei& d : dateien) {
        const std::string von = W32_Pfad_Uebersetzen(d.neu.c_str()), nach = W32_Pfad_Uebersetzen(d.ziel.c_str());
        if (std::rename(von.c_str(), nach.c_str()) != 0) {
            aufraeumen();
            return false;
        }
    }
    return true;
}

void speichern_ja(i32, const i32*) { Editor_Speichern(); }
void laden_ja(i32, const i32*) { Editor_Neu_Laden(); }
void beenden_ja(i32, const i32*) { Editor_Beenden(); }

}  // namespace

bool Editor_Speichern() {
    if (st.feld.aktiv) Editor_Feld_Zuruecksetzen();
    if (!alle_schreiben()) {
        Meldung_Printf("%s", text(T_SPEICHERN_FEHLER));
        return false;
    }
    // The binary cache of the set would hide the new text from the next game.
    Spielstand_Config_Loeschen(SATZ);
    Menue_Requester(1, Team_Aktiv, text(T_GESPEICHERT), text(T_OK), nullptr, nullptr, nullptr);
    return true;
}

bool Editor_Neu_Laden() {
    Editor_Feld_Zuruecksetzen();
    Editor_Wahl_Schliessen();
    int ok = 0;
    if (!Team(SATZ) || !Spieler(&ok) || !ok) {
        Team_Free_Ladepuffer();
        Meldung_Printf("%s", text(T_LADEN_FEHLER));
        return false;
    }
    Team_Set_Wappen_Flags();
    Config_Modify_Init(SATZ, SATZ);
    if (Team_Aktiv < 0 || Team_Aktiv >= Team_Anzahl) Team_Aktiv = Aktuelles_Team = 0;
    spieler_marke_setzen(-1, -1);
    team_marke_setzen(-1);
    Editor_Teamliste(0, st.sortierung);
    Editor_Spielerliste(Team_Aktiv);
    return true;
}

void Editor_Beenden() {
    Editor_Feld_Zuruecksetzen();
    Config_Modify_Free();
    Screen_Schliessen(Screen_Id::EDITOR);
    Screen_Oeffnen(Screen_Id::SPIELSTART);
}

void Editor_Speichern_Frage(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Menue_Requester(2, Team_Aktiv, text(T_SPEICHERN), text(T_JA), text(T_NEIN), speichern_ja, nullptr);
}

void Editor_Neu_Laden_Frage(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Menue_Requester(2, Team_Aktiv, text(T_NEU_LADEN), text(T_JA), text(T_NEIN), laden_ja, nullptr);
}

void Editor_Beenden_Frage(Screen_Icon*, u32 ereignis) {
    if (!(ereignis & MENUE_E_LINKS)) return;
    Menue_Requester(2, Team_Aktiv, text(T_BEENDEN), text(T_JA), text(T_NEIN), beenden_ja, nullptr);
}
