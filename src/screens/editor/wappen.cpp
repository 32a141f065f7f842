#include "screens/editor/wappen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/meldung.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "gui/eingabe.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "screens/editor/aussehen.h"
#include "screens/editor/editor.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "world/modi.h"
#include "world/stadion.h"
#include "world/trikot.h"
#include "world/welt.h"

namespace {

constexpr u32 SCHRITT_MS = 200, TAB_MS = 200;
constexpr i32 TAB_X[WAPPEN_TABS] = {63, 213, 363, 513}, TAB_Y = 26;
// The tabs of crest and kits: 140 px wide, the caption 17 px below the top.
constexpr Kit_Reiter_Def REITER{
    .grafik = GRAFIK_WAPPEN_TAB, .aktiv = GRAFIK_WAPPEN_TAB_AN, .breite = 140, .text_y = 17};
constexpr i32 RASTER_X = 73, RASTER_Y = 187, ZELLE = 78, SPALTEN = 7, ZEILEN = 4;
constexpr i32 STADION_MAX = 200000;
// EDITOR_SCREEN texts.
enum : i32 { T_FERTIG = 32, T_ALLES = 33, T_FELD = 36, T_TRIKOT = 44, T_VERBOTEN = 45, T_WAPPEN = 23,
             T_GRENZE = 57, T_ZAHL_FEHLT = 56 };
// The fields' places (label and button), the field being edited's place
// and the most characters (bounded by the club record's fields).
constexpr i32 FELD_X[WAPPEN_FELDER] = {63, 63, 63, 353, 353, 353};
constexpr i32 FELD_Y[WAPPEN_FELDER] = {160, 182, 204, 160, 182, 204};
constexpr i32 FELD_MAX[WAPPEN_FELDER] = {24, 10, 27, 6, 15, 24};
constexpr i32 TAB_ORDNUNG = 5;  // name, short name, stadium name, stadium size, city

Wappen_Zustand wz;
Screen_Drossel zurueck_drossel, vor_drossel, tab_drossel;
Rastport_Bild raster_bild;
Rastport_Bild wappen_bild;
i32 wappen_bild_nummer = -1;
Icon_Textzeile knopf_texte[2]{};
Move_Struktur scroll{Editor_Wappen_Scroll, 0, 0, -1, 250, 250 + 312 - 28, 655, 0, ICON_WAPPEN_BALKEN};
char tab_text[WAPPEN_TABS][48];

const char* text(i32 n) { return Text_cfg_Text(TEXT_EDITOR, n); }

// The tab's icons: previous, next, grid, undo.
constexpr i16 TAB_ICONS[WAPPEN_TABS][4] = {
    {3835, 3836, 3837, 3838}, {3842, 3843, 3844, 3845}, {3846, 3847, 3848, 3849}, {3850, 3851, 3852, 3853}};

// Each tab's buttons (previous, next, undo, grid from its left edge) carry
// their tab in user word 0; the fields their field.
constexpr auto TAB_ZURUECK_NUMMERN = Kit_Lagen<WAPPEN_TABS>([](i32 t) { return static_cast<i32>(TAB_ICONS[t][0]); });
constexpr auto TAB_ZURUECK_XS = Kit_Lagen<WAPPEN_TABS>([](i32 t) { return TAB_X[t] + 1 + 30 * 0; });
constexpr auto TAB_ZURUECK =
    Kit_Zeilen<WAPPEN_TABS>({.grafik = GRAFIK_WAPPEN_ZURUECK,
                             .grafik_gedrueckt = GRAFIK_WAPPEN_ZURUECK_AN,
                             .y = 132,
                             .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
                             .klick = Editor_Wappen_Zurueck_Klick,
                             .ebene = 20,
                             .w = 28,
                             .h = 22},
                            {.nummern = TAB_ZURUECK_NUMMERN.data(), .x = TAB_ZURUECK_XS.data()});
constexpr auto TAB_VOR_NUMMERN = Kit_Lagen<WAPPEN_TABS>([](i32 t) { return static_cast<i32>(TAB_ICONS[t][1]); });
constexpr auto TAB_VOR_XS = Kit_Lagen<WAPPEN_TABS>([](i32 t) { return TAB_X[t] + 1 + 30 * 1; });
constexpr auto TAB_VOR = Kit_Zeilen<WAPPEN_TABS>({.grafik = GRAFIK_WAPPEN_VOR,
                                                  .grafik_gedrueckt = GRAFIK_WAPPEN_VOR_AN,
                                                  .y = 132,
                                                  .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
                                                  .klick = Editor_Wappen_Vor_Klick,
                                                  .ebene = 20,
                                                  .w = 28,
                                                  .h = 22},
                                                 {.nummern = TAB_VOR_NUMMERN.data(), .x = TAB_VOR_XS.data()});
constexpr auto TAB_RASTER_NUMMERN = Kit_Lagen<WAPPEN_TABS>([](i32 t) { return static_cast<i32>(TAB_ICONS[t][2]); });
constexpr auto TAB_RASTER_XS = Kit_Lagen<WAPPEN_TABS>([](i32 t) { return TAB_X[t] + 1 + 30 * 3; });
constexpr auto TAB_RASTER = Kit_Zeilen<WAPPEN_TABS>({.grafik = GRAFIK_WAPPEN_RASTER_KNOPF,
                                                     .grafik_gedrueckt = GRAFIK_WAPPEN_RASTER_KNOPF_AN,
                                                     .y = 132,
                                                     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
                                                     .klick = Editor_Wappen_Raster_Oeffnen_Klick,
                                                     .ebene = 20,
                                                     .w = 28,
                                                     .h = 22},
                                                    {.nummern = TAB_RASTER_NUMMERN.data(), .x = TAB_RASTER_XS.data()});
constexpr auto TAB_UNDO_NUMMERN = Kit_Lagen<WAPPEN_TABS>([](i32 t) { return static_cast<i32>(TAB_ICONS[t][3]); });
constexpr auto TAB_UNDO_XS = Kit_Lagen<WAPPEN_TABS>([](i32 t) { return TAB_X[t] + 1 + 30 * 2; });
constexpr auto TAB_UNDO = Kit_Zeilen<WAPPEN_TABS>({.grafik = GRAFIK_WAPPEN_UNDO,
                                                   .grafik_gedrueckt = GRAFIK_WAPPEN_UNDO_AN,
                                                   .y = 132,
                                                   .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
                                                   .klick = Editor_Wappen_Zurueck_Setzen_Klick,
                                                   .ebene = 20,
                                                   .w = 28,
                                                   .h = 22},
                                                  {.nummern = TAB_UNDO_NUMMERN.data(), .x = TAB_UNDO_XS.data()});
constexpr auto FELD_XS = Kit_Lagen<WAPPEN_FELDER>([](i32 k) { return FELD_X[k]; });
constexpr auto FELD_YS = Kit_Lagen<WAPPEN_FELDER>([](i32 k) { return FELD_Y[k]; });
constexpr auto FELDER = Kit_Zeilen<WAPPEN_FELDER>({.nummer = ICON_WAPPEN_FELD,
                                                   .grafik = GRAFIK_WAPPEN_FELD,
                                                   .grafik_an = GRAFIK_WAPPEN_FELD_AN,
                                                   .status = MENUE_S_TRANSPARENT,
                                                   .klick = Editor_Wappen_Feld_Klick,
                                                   .zeichnen = Editor_Wappen_Felder_Zeichnen,
                                                   .ebene = 20,
                                                   .w = 280,
                                                   .h = 20},
                                                  {.x = FELD_XS.data(), .y = FELD_YS.data()});

// The page's two buttons at its right edge, labelled.
constexpr Kit_Bildknopf_Def SEITEN_KNOPF{
    .grafik = GRAFIK_AUSSEHEN_KNOPF, .gedrueckt = GRAFIK_AUSSEHEN_KNOPF_AN, .x = 656, .w = 76, .h = 34, .ebene = 20};
constexpr auto SEITE_EINZELN = Icon_Liste({
    {.nummer = ICON_WAPPEN_HINTERGRUND, .zeichnen = Editor_Wappen_Hintergrund, .ebene = 17, .w = 800, .h = 600},
    {.nummer = ICON_WAPPEN_RAHMEN,
     .grafik = GRAFIK_WAPPEN_RAHMEN,
     .x = 58,
     .y = 20,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Editor_Wappen_Zeichnen,
     .ebene = 19,
     .w = 684,
     .h = 560},
    Kit_Bildknopf(
        SEITEN_KNOPF,
        {.nummer = ICON_WAPPEN_FERTIG, .y = 60, .klick = Editor_Wappen_Schliessen_Klick, .text = &knopf_texte[0]}),
    Kit_Bildknopf(SEITEN_KNOPF, {.nummer = ICON_WAPPEN_ALLES_ZURUECK,
                                 .y = 104,
                                 .klick = Editor_Wappen_Alles_Zurueck_Klick,
                                 .text = &knopf_texte[1]}),
});
constexpr auto SEITE =
    Icon_Tabelle_Aus<Icon_Besitzer::EDITOR_WAPPEN>(SEITE_EINZELN, TAB_ZURUECK, TAB_VOR, TAB_RASTER, TAB_UNDO, FELDER);

// The grid's scroll bar: the wheel turns it over the grid.
constexpr Scrollbalken BALKEN{.spur = ICON_WAPPEN_BALKEN, .knopf = ICON_WAPPEN_KNOPF, .liste = ICON_WAPPEN_RASTER,
                              .grafik_spur = GRAFIK_AUSSEHEN_SPUR, .grafik_knopf = GRAFIK_SCROLLKNOPF, .x = 655,
                              .spur_y = 250, .spur_b = 14, .spur_h = 312, .knopf_x = 655, .knopf_y = 250,
                              .knopf_b = 14, .knopf_h = 28, .move = &scroll, .ebene = 22};
constexpr auto RASTER = Icon_Tabelle_Bauen<Icon_Besitzer::EDITOR_WAPPEN>({
    {.nummer = ICON_WAPPEN_RASTER,
     .grafik = GRAFIK_WAPPEN_RASTER,
     .flags = MENUE_F_BEIDE_TASTEN,
     .x = RASTER_X,
     .y = RASTER_Y,
     .status = MENUE_S_TRANSPARENT,
     .klick = Editor_Wappen_Raster_Klick,
     .zeichnen = Editor_Wappen_Raster_Zeichnen,
     .ebene = 21,
     .w = 640,
     .h = 390},
    Icon_Scrollspur(BALKEN),
    Icon_Scrollknopf(BALKEN),
});

i32 wert_lesen(i32 t) {
    if (wz.team < 0) return 0;
    return t == 0 ? Team_Wert(TEAM_WERT_WAPPEN, wz.team, 0, OP_LESEN) : Trikot_Get_TrikotNr(wz.team, t - 1);
}

void wert_setzen(i32 t, i32 w) {
    if (wz.team < 0) return;
    if (t == 0) Team_Wert(TEAM_WERT_WAPPEN, wz.team, std::clamp(w, WAPPEN_MIN, WAPPEN_MAX), OP_SCHREIBEN);
    else Trikot_Set_TrikotNr(wz.team, w, t - 1);
    wz.neu_zeichnen = true;
    Blt_Cache_Leeren();
}

i32 eintraege(i32 t) { return t == 0 ? WAPPEN_MAX - WAPPEN_MIN + 1 : TRIKOT_ANZAHL; }
// The grid's entry index to the value it stands for (crests count from 1).
i32 eintrag_wert(i32 t, i32 e) { return t == 0 ? e + WAPPEN_MIN : e; }

bool raster_offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_WAPPEN_RASTER); }
void raster_schliessen() {
    if (raster_offen()) Menue_Screen_Icon_Tabelle_Loeschen(RASTER.daten());
    wz.raster = false;
    Blt_Cache_Leeren();
}

void kit_malen(Rastport* ziel, i32 trikot, i32 x, i32 y, bool blass) {
    const Trikot_Def* d = Trikot_Get_TrikotStructure(trikot);
    if (!d) return;
    Rastport* b = Kit_Bild(GRAFIK_VORSPIEL_HINTERGRUND + d->bild);
    if (!b) return;
    if (blass) Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, x, y, 40);
    else Blt_Blit(b, 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
}

void wappen_malen(Rastport* ziel, i32 nummer, i32 x, i32 y) {
    if (const Rastport_Bild w{Wappen_Aus_Archiv(nummer)})
        Blt_Blit(w.get(), 0, 0, -1, -1, ziel, x, y, Blt_Opt_Transparent);
}

void texte_setzen() {
    for (i32 k = 0; k < 2; ++k)
        knopf_texte[k] = Kit_Knopf_Beschriftung(text(k ? T_ALLES : T_FERTIG), Kit_Schrift::TEXT);
    // Every kit tab from the one "%s" text: its number or the keeper's position.
    std::snprintf(tab_text[0], sizeof tab_text[0], "%s", text(T_WAPPEN));
    std::snprintf(tab_text[1], sizeof tab_text[1], text(T_TRIKOT), "1");
    std::snprintf(tab_text[2], sizeof tab_text[2], text(T_TRIKOT), "2");
    std::snprintf(tab_text[3], sizeof tab_text[3], text(T_TRIKOT), Positions_Text(0));
}

}  // namespace

Screen_Def Editor_Wappen_Screen_Def() {
    return {.name = "Wappen und Trikots",
            .icons = Icon_Besitzer::EDITOR_WAPPEN,
            .rahmen = ICON_WAPPEN_RAHMEN,
            .schliessen = Editor_Wappen_Schliessen,
            .oeffnen_fuer = [](const Screen_Anlass& a) { Editor_Wappen_Init(a.team); }};
}

const Wappen_Zustand& Editor_Wappen_Zustand() { return wz; }
bool Editor_Wappen_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_WAPPEN_RAHMEN); }
const char* Editor_Wappen_Tab_Text(i32 t) { return t >= 0 && t < WAPPEN_TABS ? tab_text[t] : ""; }

i32 Wappen_Nummer_Schritt(i32 n, bool vor) {
    if (vor) return n >= WAPPEN_MAX || n < WAPPEN_MIN ? WAPPEN_MIN : n + 1;
    return n <= WAPPEN_MIN || n > WAPPEN_MAX ? WAPPEN_MAX : n - 1;
}

bool Wappen_Trikot_Erlaubt(i32 team, i32 slot, i32 trikot) {
    if (trikot < 0 || trikot >= TRIKOT_ANZAHL || team < 0) return false;
    for (i32 s = 0; s < 3; ++s)
        if (s != slot && Trikot_Get_TrikotNr(team, s) == trikot) return false;
    return true;
}

void Editor_Wappen_Init(i32 team) {
    if (Editor_Aussehen_Offen() || Editor_Wappen_Offen() || team < 0 || team >= Team_Anzahl) return;
    texte_setzen();
    Editor_Verdecken(true);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(SEITE.daten());
    Menue_Set_Rechtsklick_Icon(ICON_WAPPEN_FERTIG);
    wz = Wappen_Zustand{};
    wz.team = team;
    for (i32 t = 0; t < WAPPEN_TABS; ++t) wz.start[t] = wert_lesen(t);
    zurueck_drossel = vor_drossel = tab_drossel = {};
    Blt_Cache_Leeren();
}

void Editor_Wappen_Schliessen() {
    if (!Editor_Wappen_Offen()) return;
    Editor_Wappen_Eingabe_Beenden();
    raster_schliessen();
    Menue_Screen_Icon_Tabelle_Loeschen(SEITE.daten());
    Menue_Set_Rechtsklick_Icon(-1);
    Editor_Verdecken(false);
    raster_bild.reset();
    wappen_bild.reset();
    wappen_bild_nummer = -1;
    wz.team = -1;
    Blt_Cache_Leeren();
}

void Editor_Wappen_Eingabe_Beenden() {
    if (wz.feld >= 0) Eingabefeld_Free();
    wz.feld = -1;
    for (i32 k = 0; k < WAPPEN_FELDER; ++k) Menue_Icon_Zustand_Setzen(ICON_WAPPEN_FELD + k, 0);
    Blt_Cache_Leeren();
}

void Editor_Wappen_Feld_Beginnen(i32 k) {
    Editor_Wappen_Eingabe_Beenden();
    if (k < 0 || k >= TAB_ORDNUNG || wz.team < 0) return;  // the country is shown only
    wz.feld = k;
    if (WAPPEN_FELD_MODUS[k] == 4)
        std::snprintf(wz.puffer, sizeof wz.puffer, "%d",
                      Team_Wert(TEAM_WERT_SITZPLAETZE, wz.team, 0, OP_LESEN) +
                          Team_Wert(TEAM_WERT_STEHPLAETZE, wz.team, 0, OP_LESEN));
    else std::snprintf(wz.puffer, sizeof wz.puffer, "%s", Team_String(WAPPEN_FELD_MODUS[k], wz.team, nullptr, 0));
    Menue_Icon_Zustand_Setzen(ICON_WAPPEN_FELD + k, 1);
}

bool Editor_Wappen_Feld_Speichern() {
    const i32 k = wz.feld;
    if (k < 0 || k >= TAB_ORDNUNG || wz.team < 0) return false;
    Editor_Zustand& es = Editor_Get_Zustand();
    es.fehler.clear();
    if (WAPPEN_FELD_MODUS[k] == 4) {
        char* ende = nullptr;
        const long n = std::strtol(wz.puffer, &ende, 10);
        if (!wz.puffer[0] || !ende || *ende) {
            es.fehler = text(T_ZAHL_FEHLT);
            return false;
        }
        if (n < 0 || n > STADION_MAX) {
            char b[200];
            std::snprintf(b, sizeof b, text(T_GRENZE), 0, STADION_MAX, static_cast<int>(std::min(n, 9999999L)));
            es.fehler = b;
            return false;
        }
        const i32 plaetze = static_cast<i32>(n);
        Team_Wert(TEAM_WERT_SITZPLAETZE, wz.team, plaetze, OP_SCHREIBEN);
        Team_Wert(TEAM_WERT_STEHPLAETZE, wz.team, 0, OP_SCHREIBEN);
        if (Stadion_Daten* s = Stadion_Get(wz.team, 0)) {
            s->kapazitaet = s->sitzplaetze = plaetze;
            s->stehplaetze = 0;
            s->groesse = plaetze / 1000;
        }
        return true;
    }
    if (!Editor_Name_Pruefen(wz.puffer, FELD_MAX[k], &es.fehler)) return false;
    Team_String(WAPPEN_FELD_MODUS[k], wz.team, wz.puffer, 1);
    return true;
}

void Editor_Wappen_Naechstes_Feld(bool rueckwaerts) {
    if (!Screen_Drossel_Frei(&tab_drossel, TAB_MS)) return;
    const i32 k = wz.feld < 0 ? 0 : (wz.feld + (rueckwaerts ? TAB_ORDNUNG - 1 : 1)) % TAB_ORDNUNG;
    Editor_Wappen_Feld_Beginnen(k);
}

void Editor_Wappen_Schritt(i32 t, bool vor) {
    if (t < 0 || t >= WAPPEN_TABS || wz.team < 0) return;
    Editor_Wappen_Eingabe_Beenden();
    if (t != wz.tab) raster_schliessen();
    if (t == 0) {
        wert_setzen(0, Wappen_Nummer_Schritt(wert_lesen(0), vor));
    } else {
        i32 k = wert_lesen(t);
        for (i32 n = 0; n < TRIKOT_ANZAHL; ++n) {
            k = vor ? (k >= TRIKOT_ANZAHL - 1 ? 0 : k + 1) : (k <= 0 ? TRIKOT_ANZAHL - 1 : k - 1);
            if (Wappen_Trikot_Erlaubt(wz.team, t - 1, k)) break;
        }
        wert_setzen(t, k);
    }
    wz.tab = t;
}

void Editor_Wappen_Tab_Zuruecksetzen(i32 t) {
    if (t < 0 || t >= WAPPEN_TABS) return;
    Editor_Wappen_Eingabe_Beenden();
    // A kit another slot took meanwhile is given back first.
    if (t > 0)
        for (i32 s = 1; s < WAPPEN_TABS; ++s)
            if (s != t && wert_lesen(s) == wz.start[t]) wert_setzen(s, wz.start[s]);
    wert_setzen(t, wz.start[t]);
    wz.tab = t;
}

void Editor_Wappen_Alles_Zuruecksetzen() {
    Editor_Wappen_Eingabe_Beenden();
    raster_schliessen();
    // The kits through a free number first, so no slot collides on the way back.
    for (i32 t = 1; t < WAPPEN_TABS; ++t) Trikot_Set_TrikotNr(wz.team, wz.start[t], t - 1);
    wert_setzen(0, wz.start[0]);
}

void Editor_Wappen_Raster_Oeffnen(i32 t) {
    if (t < 0 || t >= WAPPEN_TABS) return;
    Editor_Wappen_Eingabe_Beenden();
    if (!raster_offen()) Menue_Screen_Icon_Tabelle_Hinzufuegen(RASTER.daten());
    wz.raster = true;
    wz.tab = t;
    wz.neu_zeichnen = true;
    const i32 zeilen = (eintraege(t) + SPALTEN - 1) / SPALTEN;
    // Start at the row of the current value.
    const i32 aktuell = t == 0 ? wert_lesen(0) - WAPPEN_MIN : wert_lesen(t);
    scroll.stufen = static_cast<i16>(zeilen - ZEILEN + 1);
    wz.erste_zeile = std::clamp(aktuell / SPALTEN, 0, std::max(0, scroll.stufen - 1));
    if (Screen_Icon* k = Kit_Icon(ICON_WAPPEN_KNOPF)) Menue_Scrollbutton_Setzen(k, wz.erste_zeile);
    Blt_Cache_Leeren();
}

bool Editor_Wappen_Raster_Waehlen(i32 w) {
    const i32 t = wz.tab;
    if (t < 0 || !wz.raster) return false;
    if (t == 0 ? (w < WAPPEN_MIN || w > WAPPEN_MAX) : !Wappen_Trikot_Erlaubt(wz.team, t - 1, w)) return false;
    raster_schliessen();
    wert_setzen(t, w);
    return true;
}

void Editor_Wappen_Feld_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i || !(ereignis & MENUE_E_LINKS)) return;
    Editor_Wappen_Feld_Beginnen(static_cast<i32>(i->user[0]));
}

void Editor_Wappen_Zurueck_Klick(Screen_Icon* i, u32 ereignis) {
    if (i && (ereignis & MENUE_E_LINKS) && Screen_Drossel_Frei(&zurueck_drossel, SCHRITT_MS))
        Editor_Wappen_Schritt(static_cast<i32>(i->user[0]), false);
}

void Editor_Wappen_Vor_Klick(Screen_Icon* i, u32 ereignis) {
    if (i && (ereignis & MENUE_E_LINKS) && Screen_Drossel_Frei(&vor_drossel, SCHRITT_MS))
        Editor_Wappen_Schritt(static_cast<i32>(i->user[0]), true);
}

void Editor_Wappen_Zurueck_Setzen_Klick(Screen_Icon* i, u32 ereignis) {
    if (i && (ereignis & MENUE_E_LINKS)) Editor_Wappen_Tab_Zuruecksetzen(static_cast<i32>(i->user[0]));
}

void Editor_Wappen_Alles_Zurueck_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_LINKS) Editor_Wappen_Alles_Zuruecksetzen();
}

void Editor_Wappen_Schliessen_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) Editor_Wappen_Schliessen();
}

void Editor_Wappen_Raster_Oeffnen_Klick(Screen_Icon* i, u32 ereignis) {
    if (i && (ereignis & MENUE_E_LINKS)) Editor_Wappen_Raster_Oeffnen(static_cast<i32>(i->user[0]));
}

void Editor_Wappen_Scroll(Screen_Icon*, i32 index, u32) {
    if (index == wz.erste_zeile) return;
    wz.erste_zeile = index;
    wz.neu_zeichnen = true;
    Blt_Cache_Leeren();
}

void Editor_Wappen_Raster_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_RECHTS) {
        raster_schliessen();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 x = Maus_Get_X(), y = Maus_Get_Y();
    if (x >= 77 && x <= 711 && y >= 560 && y <= 575) {
        raster_schliessen();
        return;
    }
    const i32 gx = x - RASTER_X - 38, gy = y - RASTER_Y - 64;
    if (gx < 0 || gy < 0 || gx >= ZELLE * SPALTEN || gy >= ZELLE * ZEILEN) return;
    const i32 e = gx / ZELLE + SPALTEN * (gy / ZELLE + wz.erste_zeile);
    if (e < eintraege(wz.tab)) Editor_Wappen_Raster_Waehlen(eintrag_wert(wz.tab, e));
}

void Editor_Wappen_Raster_Zeichnen(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    const i32 t = wz.tab;
    if (t < 0 || wz.team < 0) return;
    if (!raster_bild) raster_bild.reset(Rastport_Neu_Einfach(640, 390, 16));
    if (!raster_bild) return;
    if (wz.neu_zeichnen) {
        Blt_Rechteck(raster_bild.get(), 0, 0, 640, 390, FARBE_NAVY);
        if (Rastport* g = Kit_Bild(GRAFIK_WAPPEN_RASTER)) Blt_Blit(g, 0, 0, -1, -1, raster_bild.get(), 0, 0, nullptr);
        for (i32 r = 0; r < ZEILEN; ++r)
            for (i32 c = 0; c < SPALTEN; ++c) {
                const i32 e = c + SPALTEN * (r + wz.erste_zeile);
                if (e >= eintraege(t)) continue;
                const i32 w = eintrag_wert(t, e), cx = 38 + ZELLE * c, cy = 64 + ZELLE * r;
                Kit_Bild_Zeichnen(raster_bild.get(), t == 0 ? GRAFIK_WAPPEN_KACHEL : GRAFIK_TRIKOT_KACHEL, cx, cy);
                const bool aktuell = w == wert_lesen(t);
                if (t == 0) {
                    wappen_malen(raster_bild.get(), w, cx + 3, cy + 3);
                } else if (Wappen_Trikot_Erlaubt(wz.team, t - 1, w)) {
                    kit_malen(raster_bild.get(), w, cx + 11, cy - 1, false);
                } else {
                    kit_malen(raster_bild.get(), w, cx + 11, cy - 1, true);
                    char nr[16];
                    std::snprintf(nr, sizeof nr, "%d", w);
                    char kopf[48];
                    std::snprintf(kopf, sizeof kopf, text(T_TRIKOT), nr);
                    // Both lines centred on the cell.
                    const Kit_Einzug mitte = Kit_Einzug_Bei({Kit_Ausrichtung::MITTE, cx + 38});
                    Kit_Printf_Glatt(raster_bild.get(), Kit_Font(Kit_Schrift::ZAHL), FARBE_FEHLER, 0, cy + 30,
                                     "%s%s^l%s%s", mitte.code, kopf, mitte.code, text(T_VERBOTEN));
                }
                Kit_Printf_Stelle(raster_bild.get(), Kit_Font(Kit_Schrift::ZAHL), aktuell ? FARBE_GOLD : FARBE_KREIDE_2,
                                  0, cy + 74, Kit_Schein::GLATT, {Kit_Ausrichtung::RECHTS, cx + 74}, "%d", w);
            }
        wz.neu_zeichnen = false;
    }
    Blt_Blit(raster_bild.get(), 0, 0, -1, -1, ziel, x, y, nullptr);
    const i32 gx = Maus_Get_X() - x - 38, gy = Maus_Get_Y() - y - 64;
    if (gx >= 0 && gy >= 0 && gx < ZELLE * SPALTEN && gy < ZELLE * ZEILEN) {
        const i32 e = gx / ZELLE + SPALTEN * (gy / ZELLE + wz.erste_zeile);
        if (e < eintraege(t) && (t == 0 || Wappen_Trikot_Erlaubt(wz.team, t - 1, e)))
            Kit_Bild_Zeichnen(ziel, GRAFIK_WAPPEN_HOVER, x + 38 + gx / ZELLE * ZELLE, y + 64 + gy / ZELLE * ZELLE);
    }
}

void Editor_Wappen_Hintergrund(Screen_Icon*, Rastport* ziel, i32, i32) {
    Blt_Rechteck(ziel, 0, 0, 800, 600, FARBE_NAVY);
}

void Editor_Wappen_Zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    if (wz.team < 0) return;
    for (i32 t = 0; t < WAPPEN_TABS; ++t) {
        Kit_Reiter(ziel, REITER, tab_text[t], TAB_X[t], TAB_Y, t == wz.tab);
    }
    const i32 nummer = wert_lesen(0);
    if (nummer != wappen_bild_nummer) {
        wappen_bild.reset(Wappen_Aus_Archiv(nummer));
        wappen_bild_nummer = nummer;
    }
    if (wappen_bild) Blt_Blit(wappen_bild.get(), 0, 0, -1, -1, ziel, 97, 56, Blt_Opt_Transparent);
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::ZAHL), FARBE_KREIDE_2, 0, 128, Kit_Schein::GLATT,
                      {Kit_Ausrichtung::MITTE, TAB_X[0] + 70}, "%d", nummer);
    for (i32 t = 1; t < WAPPEN_TABS; ++t) {
        kit_malen(ziel, wert_lesen(t), TAB_X[t] + 42, 50, false);
        Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::ZAHL), FARBE_KREIDE_2, 0, 128, Kit_Schein::GLATT,
                          {Kit_Ausrichtung::RECHTS, TAB_X[t] + 136}, "%d", wert_lesen(t));
    }
    if (!raster_offen()) Kit_Bild_Zeichnen(ziel, GRAFIK_WAPPEN_ZU, 73, 230);
    const std::string& f = Editor_Get_Zustand().fehler;
    if (!f.empty()) Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::TEXT), FARBE_FEHLER, 68, 570, "%s", f.c_str());
}

void Editor_Wappen_Felder_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!i || wz.team < 0) return;
    const i32 k = static_cast<i32>(i->user[0]);
    Font* f = Kit_Font(Kit_Schrift::MITTEL);
    if (Menue_Get_Aktives_Icon() == i && k != 5 && k != wz.feld) Kit_Bild_Zeichnen(ziel, GRAFIK_WAPPEN_FELD_HELL, x, y);
    const i32 rechts = x + (k == 5 ? 320 : 274);
    if (k != wz.feld) {
        Kit_Printf_Glatt(ziel, f, FARBE_KREIDE_2, x + 5, y + 16, "%s", text(T_FELD + k));
        if (WAPPEN_FELD_MODUS[k] == 4)
            Kit_Printf_Stelle(ziel, f, FARBE_WEISS, 0, y + 16, Kit_Schein::GLATT, {Kit_Ausrichtung::RECHTS, rechts},
                              "%d",
                              Team_Wert(TEAM_WERT_SITZPLAETZE, wz.team, 0, OP_LESEN) +
                                  Team_Wert(TEAM_WERT_STEHPLAETZE, wz.team, 0, OP_LESEN));
        else
            Kit_Printf_Stelle(ziel, f, k == 5 ? FARBE_KREIDE_2 : FARBE_WEISS, 0, y + 16, Kit_Schein::GLATT,
                              {Kit_Ausrichtung::RECHTS, rechts}, "%s",
                              Team_String(WAPPEN_FELD_MODUS[k], wz.team, nullptr, 0));
        return;
    }
    // The field being edited: its input, and the keys after it.
    Kit_Bild_Zeichnen(ziel, GRAFIK_WAPPEN_FELD_AN, x, y);
    const bool zahl = WAPPEN_FELD_MODUS[k] == 4;
    const i32 r = Eingabefeld_Bearbeiten(Kit_Font(Kit_Schrift::SCHMAL_GROSS), wz.puffer, sizeof wz.puffer, FELD_MAX[k],
                                         (zahl ? EINGABE_ZAHL : EINGABE_STANDARD) | EINGABE_ALLES_WAEHLEN, x + 7, y + 1,
                                         266, 18, 0, 0, nullptr, 0, 0, nullptr, FARBE_WEISS);
    // The editor's keyboard: Return stores, Tab and Shift+Tab store and walk, Escape drops.
    const Editor_Tastenwirkung w = Editor_Taste(r, 0, false);
    switch (w) {
        case Editor_Tastenwirkung::UEBERNEHMEN:
            Editor_Wappen_Feld_Speichern();
            Editor_Wappen_Eingabe_Beenden();
            break;
        case Editor_Tastenwirkung::WEITER:
        case Editor_Tastenwirkung::ZURUECK:
            if (Editor_Wappen_Feld_Speichern()) {
                Editor_Wappen_Naechstes_Feld(w == Editor_Tastenwirkung::ZURUECK);
            } else {
                Editor_Wappen_Eingabe_Beenden();
            }
            break;
        case Editor_Tastenwirkung::VERWERFEN: Editor_Wappen_Eingabe_Beenden(); break;
        default: break;
    }
}
