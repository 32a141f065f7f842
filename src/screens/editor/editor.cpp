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
#include "world/modi.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

namespace editor_intern {

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
i32 spieler_marke(i32* team) {
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
// The lists' scroll bars (the wheel turns them over the tenth row); their
// knobs lie above the rows. The players' bar starts hidden.
constexpr Scrollbalken TEAM_BALKEN{.spur = ICON_EDITOR_TEAM_BALKEN, .knopf = ICON_EDITOR_TEAM_KNOPF,
                                   .liste = ICON_EDITOR_TEAM + 9, .grafik_spur = GRAFIK_EDITOR_SPUR,
                                   .grafik_knopf = GRAFIK_SCROLLKNOPF, .x = 361, .spur_y = EDITOR_ZEILE_Y0,
                                   .spur_b = 14, .spur_h = 340, .knopf_x = 361, .knopf_y = EDITOR_ZEILE_Y0,
                                   .knopf_b = 14, .knopf_h = 28, .move = &team_scroll, .ebene = 14, .knopf_ebene = 16};
constexpr Scrollbalken SPIELER_BALKEN{.spur = ICON_EDITOR_SPIELER_BALKEN, .knopf = ICON_EDITOR_SPIELER_KNOPF,
                                      .liste = ICON_EDITOR_SPIELER + 9, .grafik_spur = GRAFIK_EDITOR_SPUR,
                                      .grafik_knopf = GRAFIK_SCROLLKNOPF, .x = 776, .spur_y = EDITOR_ZEILE_Y0,
                                      .spur_b = 14, .spur_h = 340, .knopf_x = 776, .knopf_y = EDITOR_ZEILE_Y0,
                                      .knopf_b = 14, .knopf_h = 28, .move = &spieler_scroll, .ebene = 14,
                                      .status = MENUE_S_VERSTECKT, .knopf_ebene = 16};

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
        Icon_Scrollspur(TEAM_BALKEN),
        Icon_Scrollknopf(TEAM_BALKEN),
        Icon_Scrollspur(SPIELER_BALKEN),
        Icon_Scrollknopf(SPIELER_BALKEN),
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


// --- Lists ------------------------------------------------------------------------------

const char* team_name(i32 t) { return t >= 0 && t < Team_Anzahl ? Team_String(721, t, nullptr, 0) : ""; }
const char* land_name(i32 t) {
    const i32 n = t >= 0 && t < Team_Anzahl ? Team_Wert(TEAM_WERT_NATION, t, 0, OP_LESEN) : -1;
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

// A number at its column's right edge x.
void zahl(Rastport* ziel, i32 x, i32 y, u16 farbe, i32 n) {
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::TEXT), farbe, 0, y, Kit_Schein::SCHLICHT,
                      {Kit_Ausrichtung::RECHTS, x}, "%d", n);
}

bool feld_bei(i32 spieler, i32 wert_) { return st.feld.aktiv && st.feld.spieler == spieler && st.feld.wert == wert_; }

}  // namespace editor_intern

using namespace editor_intern;

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
    return k >= 0 ? k : Team_Wert(TEAM_WERT_KONTINENT, n, 0, OP_LESEN);
}

void Editor_Teams_Sortieren(std::vector<i32>& teams, i32 sortierung) {
    if (sortierung < 0) return;
    auto nach_name = [](i32 a, i32 b) { return vergleichen(team_name(a), team_name(b)) < 0; };
    if (sortierung == 0) std::stable_sort(teams.begin(), teams.end(), nach_name);
    else if (sortierung == 1) std::stable_sort(teams.begin(), teams.end(), [&](i32 a, i32 b) { return nach_name(b, a); });
    else
        std::stable_sort(teams.begin(), teams.end(), [](i32 a, i32 b) {
            if (const int v = vergleichen(land_name(a), land_name(b))) return v < 0;
            const i32 la = Team_Wert(TEAM_WERT_LIGA, a, 0, OP_LESEN), lb = Team_Wert(TEAM_WERT_LIGA, b, 0, OP_LESEN);
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
