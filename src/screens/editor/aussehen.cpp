#include "screens/editor/aussehen.h"

#include <algorithm>

#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "gui/gesicht.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "screens/editor/editor.h"
#include "screens/teile/drossel.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/trikot.h"
#include "world/welt.h"

namespace {

constexpr u32 SCHRITT_MS = 200;
constexpr i32 T_FELD = 25, T_FERTIG = 32, T_RESET = 33;  // EDITOR_SCREEN
constexpr i32 RASTER_X = 73, RASTER_Y = 126, ZELLE_B = 88, ZELLE_H = 103;
constexpr i32 FELD_Y[3] = {50, 76, 102};
constexpr i32 SPALTE_X[2] = {160, 408};  // the previous arrow of each column
// The look value's fields: first bit and width.
constexpr i32 BIT[6] = {0, 2, 7, 13, 20, 26}, BREITE[6] = {2, 5, 6, 7, 6, 6};

Aussehen_Zustand az;
Screen_Drossel zurueck_drossel, vor_drossel;
Rastport_Bild raster_bild;
Icon_Textzeile knopf_texte[2]{}, feld_texte[AUSSEHEN_FELDER]{};
Move_Struktur scroll{Editor_Aussehen_Scroll, 0, 0, -1, RASTER_Y + 21, RASTER_Y + 412 - 28, 695, 0,
                     ICON_AUSSEHEN_BALKEN};

i32 feld_x(i32 f) { return SPALTE_X[f / 3]; }
i32 feld_y(i32 f) { return FELD_Y[f % 3]; }

// The six fields in two columns of three, each with its arrows before and
// after it and its grid button; every one of them carries its field in
// user word 0.
constexpr auto FELD_YS = Kit_Lagen<AUSSEHEN_FELDER>([](i32 f) { return FELD_Y[f % 3]; });
constexpr auto ZURUECK_XS = Kit_Lagen<AUSSEHEN_FELDER>([](i32 f) { return SPALTE_X[f / 3]; });
constexpr auto FELD_XS = Kit_Lagen<AUSSEHEN_FELDER>([](i32 f) { return SPALTE_X[f / 3] + 24; });
constexpr auto VOR_XS = Kit_Lagen<AUSSEHEN_FELDER>([](i32 f) { return SPALTE_X[f / 3] + 193; });
constexpr auto GITTER_XS = Kit_Lagen<AUSSEHEN_FELDER>([](i32 f) { return SPALTE_X[f / 3] + 217; });
constexpr auto FELDER = Kit_Zeilen<AUSSEHEN_FELDER>({.nummer = ICON_AUSSEHEN_FELD,
                                                     .grafik = GRAFIK_AUSSEHEN_FELD,
                                                     .status = MENUE_S_TRANSPARENT,
                                                     .klick = Editor_Aussehen_Feld_Klick,
                                                     .zeichnen = Editor_Aussehen_Feld_Zeichnen,
                                                     .ebene = 20,
                                                     .w = 169,
                                                     .h = 24},
                                                    {.texte = feld_texte, .x = FELD_XS.data(), .y = FELD_YS.data()});
constexpr auto ZURUECK = Kit_Zeilen<AUSSEHEN_FELDER>({.nummer = ICON_AUSSEHEN_ZURUECK,
                                                      .grafik = GRAFIK_AUSSEHEN_ZURUECK,
                                                      .grafik_gedrueckt = GRAFIK_AUSSEHEN_ZURUECK_AN,
                                                      .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
                                                      .klick = Editor_Aussehen_Zurueck_Klick,
                                                      .ebene = 20,
                                                      .w = 22,
                                                      .h = 24},
                                                     {.x = ZURUECK_XS.data(), .y = FELD_YS.data()});
constexpr auto VOR = Kit_Zeilen<AUSSEHEN_FELDER>({.nummer = ICON_AUSSEHEN_VOR,
                                                  .grafik = GRAFIK_AUSSEHEN_VOR,
                                                  .grafik_gedrueckt = GRAFIK_AUSSEHEN_VOR_AN,
                                                  .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
                                                  .klick = Editor_Aussehen_Vor_Klick,
                                                  .ebene = 20,
                                                  .w = 22,
                                                  .h = 24},
                                                 {.x = VOR_XS.data(), .y = FELD_YS.data()});
constexpr auto GITTER = Kit_Zeilen<AUSSEHEN_FELDER>({.nummer = ICON_AUSSEHEN_GITTER,
                                                     .grafik = GRAFIK_AUSSEHEN_GITTER,
                                                     .grafik_gedrueckt = GRAFIK_AUSSEHEN_GITTER_AN,
                                                     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
                                                     .klick = Editor_Aussehen_Feld_Klick,
                                                     .ebene = 20,
                                                     .w = 22,
                                                     .h = 24},
                                                    {.x = GITTER_XS.data(), .y = FELD_YS.data()});

// The page's two buttons at its right edge, labelled.
constexpr Kit_Bildknopf_Def SEITEN_KNOPF{
    .grafik = GRAFIK_AUSSEHEN_KNOPF, .gedrueckt = GRAFIK_AUSSEHEN_KNOPF_AN, .x = 656, .w = 76, .h = 34, .ebene = 20};
constexpr auto SEITE_EINZELN = Icon_Liste({
    {.nummer = ICON_AUSSEHEN_HINTERGRUND, .zeichnen = Editor_Aussehen_Hintergrund, .ebene = 17, .w = 800, .h = 600},
    {.nummer = ICON_AUSSEHEN_RAHMEN,
     .grafik = GRAFIK_AUSSEHEN_RAHMEN,
     .x = 58,
     .y = 20,
     .status = MENUE_S_TRANSPARENT,
     .klick = Editor_Aussehen_Rahmen_Klick,
     .zeichnen = Editor_Aussehen_Zeichnen,
     .ebene = 19,
     .w = 684,
     .h = 560},
    Kit_Bildknopf(SEITEN_KNOPF, {.nummer = ICON_AUSSEHEN_FERTIG, .y = 52, .klick = Editor_Aussehen_Fertig_Klick, .text = &knopf_texte[0]}),
    Kit_Bildknopf(SEITEN_KNOPF, {.nummer = ICON_AUSSEHEN_RESET, .y = 94, .klick = Editor_Aussehen_Zuruecksetzen, .text = &knopf_texte[1]}),
});
constexpr auto SEITE = Icon_Tabelle_Aus<Icon_Besitzer::EDITOR_AUSSEHEN>(SEITE_EINZELN, FELDER, ZURUECK, VOR, GITTER);

// The grid's scroll bar: the wheel turns it over the grid.
constexpr Scrollbalken BALKEN{.spur = ICON_AUSSEHEN_BALKEN, .knopf = ICON_AUSSEHEN_KNOPF,
                              .liste = ICON_AUSSEHEN_RASTER, .grafik_spur = GRAFIK_AUSSEHEN_SPUR,
                              .grafik_knopf = GRAFIK_SCROLLKNOPF, .x = 695, .spur_y = RASTER_Y + 21, .spur_b = 14,
                              .spur_h = 412, .knopf_x = 695, .knopf_y = RASTER_Y + 21, .knopf_b = 14, .knopf_h = 28,
                              .move = &scroll, .ebene = 22};
constexpr auto RASTER = Icon_Tabelle_Bauen<Icon_Besitzer::EDITOR_AUSSEHEN>({
    {.nummer = ICON_AUSSEHEN_RASTER,
     .grafik = GRAFIK_AUSSEHEN_RASTER,
     .flags = MENUE_F_BEIDE_TASTEN,
     .x = RASTER_X,
     .y = RASTER_Y,
     .status = MENUE_S_TRANSPARENT,
     .klick = Editor_Aussehen_Raster_Klick,
     .zeichnen = Editor_Aussehen_Raster_Zeichnen,
     .ebene = 21,
     .w = 640,
     .h = 440},
    Icon_Scrollspur(BALKEN),
    Icon_Scrollknopf(BALKEN),
});

bool raster_offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_AUSSEHEN_RASTER); }

void raster_schliessen() {
    if (raster_offen()) Menue_Screen_Icon_Tabelle_Loeschen(RASTER.daten());
    az.raster_feld = -1;
    Blt_Cache_Leeren();
}

void raster_oeffnen(i32 f) {
    if (f <= 0 || f >= AUSSEHEN_FELDER) return;
    if (!raster_offen()) Menue_Screen_Icon_Tabelle_Hinzufuegen(RASTER.daten());
    az.raster_feld = f;
    az.raster_start = az.arbeit;
    az.erste_zeile = 0;
    az.neu_zeichnen = true;
    az.feld = f;
    const i32 zeilen = (Aussehen_Teile(az.arbeit, f) + AUSSEHEN_SPALTEN - 1) / AUSSEHEN_SPALTEN;
    scroll.stufen = static_cast<i16>(zeilen > AUSSEHEN_RASTER_ZEILEN ? zeilen - AUSSEHEN_RASTER_ZEILEN + 1 : 0);
    const bool rollen = scroll.stufen > 1;
    for (i32 n : {ICON_AUSSEHEN_BALKEN, ICON_AUSSEHEN_KNOPF})
        if (Screen_Icon* i = Kit_Icon(n))
            i->status = rollen ? i->status & ~MENUE_S_VERSTECKT : i->status | MENUE_S_VERSTECKT;
    if (Screen_Icon* k = Kit_Icon(ICON_AUSSEHEN_KNOPF); k && rollen) Menue_Scrollbutton_Setzen(k, 0);
    Blt_Cache_Leeren();
}

void uebernehmen(u32 look) {
    az.arbeit = look;
    if (az.spieler >= 0) Spieler_Wert(SPIELER_WERT_AUSSEHEN, az.spieler, static_cast<i32>(look), OP_SCHREIBEN);
    Farbe_Cache_Free();
    az.neu_zeichnen = true;
    Blt_Cache_Leeren();
}

void texte_setzen() {
    for (i32 k = 0; k < 2; ++k)
        knopf_texte[k] = Kit_Knopf_Beschriftung(Text_cfg_Text(TEXT_EDITOR, k ? T_RESET : T_FERTIG), Kit_Schrift::TEXT);
    for (i32 f = 0; f < AUSSEHEN_FELDER; ++f)
        feld_texte[f] = {.font = Kit_Font(Kit_Schrift::TEXT),
                         .flags = ZEILE_ZENTRIERT | ZEILE_V_ZENTRIERT,
                         .farbe_aktiv = FARBE_GOLD,
                         .farbe = FARBE_WEISS,
                         .text = Text_cfg_Text(TEXT_EDITOR, T_FELD + f)};
}

void farben(i32 team, u32* f1, u32* f2) {
    const Trikot_Def* t = Trikot_Get_TrikotStructure(team >= 0 ? Trikot_Get_TrikotNr(team, 0) : -1);
    *f1 = t ? t->hemd : 0xB4B4B4;
    *f2 = t ? t->hemd2 : 0xF0F0F0;
}

}  // namespace

// --- The look value -------------------------------------------------------------------------

u32 Aussehen_Feld(u32 a, i32 f) {
    if (f < 0 || f >= AUSSEHEN_FELDER) return 0;
    return (a >> BIT[f]) & ((1u << BREITE[f]) - 1);
}

u32 Aussehen_Feld_Setzen(u32 a, i32 f, u32 w) {
    if (f < 0 || f >= AUSSEHEN_FELDER) return a;
    const u32 maske = ((1u << BREITE[f]) - 1) << BIT[f];
    return (a & ~maske) | ((w << BIT[f]) & maske);
}

i32 Aussehen_Teile(u32 a, i32 f) {
    if (f == 0) return 2;
    if (f < 1 || f >= AUSSEHEN_FELDER) return 1;
    return GESICHT_TEILE[Gesicht_Stil(a)][f - 1];
}

u32 Aussehen_Schritt(u32 a, i32 f, bool vor_) {
    const i32 n = Aussehen_Teile(a, f);
    const i32 t = std::min(static_cast<i32>(Aussehen_Feld(a, f)), n - 1);
    return Aussehen_Feld_Setzen(a, f, static_cast<u32>(vor_ ? (t + 1) % n : (t + n - 1) % n));
}

u32 Aussehen_Art_Wechseln(u32 aktuell, u32 start) {
    if (Gesicht_Stil(aktuell) == Gesicht_Stil(start)) return Gesicht_Stil(start) ? 0u : 1u;
    return start;
}

// --- The page ------------------------------------------------------------------------------

Screen_Def Editor_Aussehen_Screen_Def() {
    return {.name = "Aussehen",
            .icons = Icon_Besitzer::EDITOR_AUSSEHEN,
            .rahmen = ICON_AUSSEHEN_RAHMEN,
            .schliessen = Editor_Aussehen_Schliessen,
            .oeffnen_fuer = [](const Screen_Anlass& a) { Editor_Aussehen_Init(a.spieler); }};
}

const Aussehen_Zustand& Editor_Aussehen_Zustand() { return az; }
bool Editor_Aussehen_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_AUSSEHEN_RAHMEN); }

void Editor_Aussehen_Init(i32 spieler) {
    if (Editor_Aussehen_Offen() || spieler < 0 || spieler >= Spieler_Anzahl) return;
    texte_setzen();
    Editor_Verdecken(true);
    Menue_Screen_Icon_Tabelle_Hinzufuegen(SEITE.daten());
    Menue_Set_Rechtsklick_Icon(ICON_AUSSEHEN_FELD);
    az = Aussehen_Zustand{};
    az.spieler = spieler;
    az.arbeit = az.start = static_cast<u32>(Spieler_Wert(SPIELER_WERT_AUSSEHEN, spieler, 0, OP_LESEN));
    zurueck_drossel = vor_drossel = {};
    Blt_Cache_Leeren();
}

void Editor_Aussehen_Schliessen() {
    if (!Editor_Aussehen_Offen()) return;
    if (az.spieler >= 0) {
        u16 haar = 0, haut = 0;
        Gesicht_Farben(az.arbeit, &haar, &haut);
        Spieler_Wert(SPIELER_WERT_HAARFARBE, az.spieler, haar, OP_SCHREIBEN);
        Spieler_Wert(SPIELER_WERT_HAUTFARBE, az.spieler, haut, OP_SCHREIBEN);
    }
    raster_schliessen();
    Menue_Screen_Icon_Tabelle_Loeschen(SEITE.daten());
    Menue_Set_Rechtsklick_Icon(-1);
    Editor_Verdecken(false);
    raster_bild.reset();
    az.spieler = -1;
    Farbe_Cache_Free();
    Blt_Cache_Leeren();
}

void Editor_Aussehen_Feld_Klick(Screen_Icon* i, u32 ereignis) {
    if (!i) return;
    // The page's right click: an open grid is cancelled, else the page closes.
    if (ereignis & MENUE_E_RECHTS) {
        if (raster_offen()) Editor_Aussehen_Raster_Klick(nullptr, MENUE_E_RECHTS);
        else Editor_Aussehen_Schliessen();
        return;
    }
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 f = static_cast<i32>(i->user[0]);
    az.feld = f;
    if (f == 0) raster_schliessen();
    else raster_oeffnen(f);
    Blt_Cache_Leeren();
}

void Editor_Aussehen_Rahmen_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_RECHTS) {
        Editor_Aussehen_Schliessen();
        return;
    }
    const i32 x = Maus_Get_X(), y = Maus_Get_Y();
    if ((ereignis & MENUE_E_LINKS) && x >= 77 && x <= 711 && y >= 132 && y <= 140 && az.feld > 0) raster_oeffnen(az.feld);
}

namespace {
void schritt(Screen_Icon* i, u32 ereignis, bool vorwaerts) {
    if (!i || !(ereignis & MENUE_E_LINKS)) return;
    if (!Screen_Drossel_Frei(vorwaerts ? &vor_drossel : &zurueck_drossel, SCHRITT_MS)) return;
    const i32 f = static_cast<i32>(i->user[0]);
    if (f == 0) {
        raster_schliessen();
        uebernehmen(Aussehen_Art_Wechseln(az.arbeit, az.start));
        az.feld = 0;
        return;
    }
    uebernehmen(Aussehen_Schritt(az.arbeit, f, vorwaerts));
    az.feld = f;
    if (raster_offen()) raster_oeffnen(f);
}
}  // namespace

void Editor_Aussehen_Zurueck_Klick(Screen_Icon* i, u32 ereignis) { schritt(i, ereignis, false); }
void Editor_Aussehen_Vor_Klick(Screen_Icon* i, u32 ereignis) { schritt(i, ereignis, true); }

bool Editor_Aussehen_Raster_Waehlen(i32 teil) {
    const i32 f = az.raster_feld;
    if (f <= 0 || teil < 0 || teil >= Aussehen_Teile(az.arbeit, f)) return false;
    raster_schliessen();
    uebernehmen(Aussehen_Feld_Setzen(az.arbeit, f, static_cast<u32>(teil)));
    return true;
}

void Editor_Aussehen_Raster_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & MENUE_E_RECHTS) {
        const u32 zurueck_zu = az.raster_start;
        raster_schliessen();
        uebernehmen(zurueck_zu);
        return;
    }
    if (!(ereignis & MENUE_E_LINKS)) return;
    const i32 x = Maus_Get_X(), y = Maus_Get_Y();
    if (x >= 77 && x <= 711 && y >= 568 && y <= 575) {
        raster_schliessen();
        az.feld = -1;
        return;
    }
    const i32 gx = x - RASTER_X - 7, gy = y - RASTER_Y - 22;
    if (gx < 0 || gy < 0 || gx >= ZELLE_B * AUSSEHEN_SPALTEN || gy >= ZELLE_H * AUSSEHEN_RASTER_ZEILEN) return;
    Editor_Aussehen_Raster_Waehlen(gx / ZELLE_B + AUSSEHEN_SPALTEN * (gy / ZELLE_H + az.erste_zeile));
}

void Editor_Aussehen_Scroll(Screen_Icon*, i32 index, u32) {
    if (index == az.erste_zeile) return;
    az.erste_zeile = index;
    az.neu_zeichnen = true;
    Blt_Cache_Leeren();
}

void Editor_Aussehen_Raster_Zeichnen(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    const i32 f = az.raster_feld;
    if (f <= 0 || az.spieler < 0) return;
    if (!raster_bild) raster_bild.reset(Rastport_Neu_Einfach(640, 440, 16));
    if (!raster_bild) return;
    if (az.neu_zeichnen) {
        // The faces of the grid are built once per change, not every frame.
        Blt_Rechteck(raster_bild.get(), 0, 0, 640, 440, FARBE_NAVY);
        if (Rastport* g = Kit_Bild(GRAFIK_AUSSEHEN_RASTER)) Blt_Blit(g, 0, 0, -1, -1, raster_bild.get(), 0, 0, nullptr);
        u32 f1 = 0, f2 = 0;
        farben(Spieler_Get_Team(az.spieler), &f1, &f2);
        const i32 n = Aussehen_Teile(az.arbeit, f);
        for (i32 r = 0; r < AUSSEHEN_RASTER_ZEILEN; ++r)
            for (i32 c = 0; c < AUSSEHEN_SPALTEN; ++c) {
                const i32 teil = c + AUSSEHEN_SPALTEN * (r + az.erste_zeile);
                const i32 cx = 7 + ZELLE_B * c, cy = 22 + ZELLE_H * r;
                if (teil >= n) continue;
                if (Rastport* k = Kit_Bild(GRAFIK_AUSSEHEN_KACHEL))
                    Blt_Blit(k, 0, 0, -1, -1, raster_bild.get(), cx, cy, nullptr);
                if (const Rastport_Bild g{Gesicht_Bauen(Aussehen_Feld_Setzen(az.arbeit, f, static_cast<u32>(teil)), f1, f2)})
                    Blt_Blit(g.get(), 0, 0, -1, -1, raster_bild.get(), cx + 1, cy + 1, Blt_Opt_Transparent);
                Kit_Printf_Stelle(raster_bild.get(), Kit_Font(Kit_Schrift::ZAHL),
                                  teil == static_cast<i32>(Aussehen_Feld(az.arbeit, f)) ? FARBE_GOLD : FARBE_KREIDE_2,
                                  0, cy + 99, Kit_Schein::GLATT, {Kit_Ausrichtung::RECHTS, cx + 84}, "%d", teil);
            }
        az.neu_zeichnen = false;
    }
    Blt_Blit(raster_bild.get(), 0, 0, -1, -1, ziel, x, y, nullptr);
    // The cell under the mouse.
    const i32 gx = Maus_Get_X() - x - 7, gy = Maus_Get_Y() - y - 22;
    if (gx >= 0 && gy >= 0 && gx < ZELLE_B * AUSSEHEN_SPALTEN && gy < ZELLE_H * AUSSEHEN_RASTER_ZEILEN &&
        gx / ZELLE_B + AUSSEHEN_SPALTEN * (gy / ZELLE_H + az.erste_zeile) < Aussehen_Teile(az.arbeit, f))
        Kit_Bild_Zeichnen(ziel, GRAFIK_AUSSEHEN_HOVER, x + 7 + gx / ZELLE_B * ZELLE_B, y + 22 + gy / ZELLE_H * ZELLE_H);
}

void Editor_Aussehen_Zuruecksetzen(Screen_Icon* i, u32 ereignis) {
    if (!i || !(ereignis & MENUE_E_LINKS)) return;
    raster_schliessen();
    uebernehmen(i->user[0]);
}

void Editor_Aussehen_Fertig_Klick(Screen_Icon*, u32 ereignis) {
    if (ereignis & (MENUE_E_LINKS | MENUE_E_RECHTS)) Editor_Aussehen_Schliessen();
}

void Editor_Aussehen_Hintergrund(Screen_Icon*, Rastport* ziel, i32, i32) {
    Blt_Rechteck(ziel, 0, 0, 800, 600, FARBE_NAVY);
}

void Editor_Aussehen_Zeichnen(Screen_Icon*, Rastport* ziel, i32 x, i32 y) {
    const i32 p = az.spieler;
    if (p < 0) return;
    if (static_cast<u32>(Spieler_Wert(SPIELER_WERT_AUSSEHEN, p, 0, OP_LESEN)) != az.arbeit) {
        Spieler_Wert(SPIELER_WERT_AUSSEHEN, p, static_cast<i32>(az.arbeit), OP_SCHREIBEN);
        Farbe_Cache_Free();
    }
    Gesicht_Holen(p, Spieler_Get_Team(p), ziel, x + 13, y + 5, 85, 100);
    // The player's name on the place of the closed grid (the open grid covers it).
    if (!raster_offen()) {
        Kit_Bild_Zeichnen(ziel, GRAFIK_AUSSEHEN_ZU, RASTER_X, 130);
        Kit_Printf_Glatt(ziel, Kit_Font(Kit_Schrift::MITTEL), FARBE_WEISS, RASTER_X + 14, 154, "%s",
                         Spieler_String(505, p, nullptr, 0));
    }
    if (az.feld >= 0) Kit_Bild_Zeichnen(ziel, GRAFIK_AUSSEHEN_MARKE, feld_x(az.feld) - 2, feld_y(az.feld) - 1);
}

void Editor_Aussehen_Feld_Zeichnen(Screen_Icon* i, Rastport* ziel, i32 x, i32 y) {
    if (!i || az.spieler < 0) return;
    // The part shown of the field's parts, at the button's right end.
    const i32 f = static_cast<i32>(i->user[0]);
    const i32 n = Aussehen_Teile(az.arbeit, f);
    const i32 t = std::min(static_cast<i32>(f == 0 ? Gesicht_Stil(az.arbeit) : Aussehen_Feld(az.arbeit, f)), n - 1);
    Kit_Printf_Stelle(ziel, Kit_Font(Kit_Schrift::ZAHL), f == az.feld ? FARBE_GOLD : FARBE_KREIDE_2, 0, y + 16,
                      Kit_Schein::GLATT, {Kit_Ausrichtung::RECHTS, x + i->w - 6}, "%d/%d", t + 1, n);
}
