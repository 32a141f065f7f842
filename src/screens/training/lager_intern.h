// What the training camp's files share (lager.cpp, lager_lauf.cpp): its texts,
// places and tables, the course of the run and the helpers that read it.
#pragma once

#include <algorithm>
#include <cstdio>

#include "base/random.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/sound.h"
#include "graphics/video.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/umbruch.h"
#include "platform/input.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "world/modi.h"
#include "screens/teile/sterne.h"
#include "screens/training/ablauf.h"
#include "screens/training/lager.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/netz.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace lager_intern {

constexpr u32 VERLETZT = 0x40, NICHT_SPIELBEREIT = 0x7c0;

constexpr i32 BADGE[4] = {3, 1, 0, 2};

constexpr i32 VERLETZUNG_LAGER = 2;
constexpr i32 KLANG_LAGER = 0;
constexpr u16 FARBE_GEFAHR = FARBE_MARKE;

// Camp texts.
enum : i32 {
    T_TITEL = 0, T_MORAL = 1, T_ERHOLUNG = 2, T_STAERKE = 3, T_KOSTEN = 4, T_GEFAHR = 5, T_LAEUFT = 9,
    T_ERSCHOEPFT = 10, T_ERGEBNIS = 11, T_SPALTE = 12, T_VERLETZT = 18, T_STAERKER = 19, T_POTENTIAL = 20,
    T_SCHWAECHE = 21, T_SCHWAECHE_2 = 22, T_GELD = 24, T_LEER = 25, T_KEIN_FILM = 26,
};

// ZUSATZTEXTE_DOLV.
enum : i32 { H_LOS = 7, H_ENDE = 8, H_BLAETTERN = 10, H_STAERKE = 19, H_MAXIMUM = 20, H_EREIGNIS = 21 };

constexpr i32 E1_SPALTE = 16;
extern Lager_Lauf lauf;
extern Bnk_Video* video;
const char* text(i32 n);
const char* dolv(i32 n);
i32 wert(int m, i32 p);
void schreiben(int m, i32 p, i32 w);
bool verletzt(i32 p);
i32 gezeigt();
i32 prozent(i32 p);
u32 jetzt_ms();
constexpr u32 MODAL = MENUE_F_MODAL;

constexpr auto LAUF = Icon_Tabelle_Bauen<Icon_Besitzer::TRAININGSLAGER>({
    {.nummer = ICON_LAUF_BLOCKER, .flags = MODAL | MENUE_F_GANZER_SCREEN, .ebene = 14, .w = 800, .h = 600},
    {.nummer = ICON_LAUF_PANEL,
     .grafik = GRAFIK_LAGER_LAUF,
     .flags = MODAL | MENUE_F_NICHT_ABFRAGEN,
     .x = 66,
     .y = 87,
     .status = MENUE_S_TRANSPARENT,
     .zeichnen = Trainings_Lager_Run_Zeichnen,
     .ebene = 15,
     .w = 668,
     .h = 360},
    {.nummer = ICON_LAUF_ENDE,
     .grafik = GRAFIK_LAGER_ENDE,
     .grafik_gedrueckt = GRAFIK_LAGER_ENDE_GEDRUECKT,
     .flags = MODAL,
     .x = 446,
     .y = 269,
     .status = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD,
     .klick = Trainings_Lager_Ende_Klick,
     .ebene = 16,
     .w = 180,
     .h = 34},
});

// The rows below the frame's header rule (frame top + 48) with a few pixels
// of air; a gap before the substitutes and another before the rest.
constexpr i32 ergebnis_y(i32 i) { return 134 + 17 * i + (i > 10 ? 21 : 0) + (i > 16 ? 21 : 0); }

constexpr auto ERGEBNIS_Y = Kit_Lagen<20>(ergebnis_y);

constexpr auto ERGEBNIS_RAHMEN = Icon_Liste({
    {.nummer = ICON_LAUF_BLOCKER,
     .flags = MODAL | MENUE_F_GANZER_SCREEN,
     .klick = Trainings_Lager_Ergebnis_Klick,
     .ebene = 14,
     .w = 800,
     .h = 600},
    {.nummer = ICON_ERGEBNIS_RAHMEN,
     .grafik = GRAFIK_LAGER_ERGEBNIS,
     .flags = MODAL,
     .x = 65,
     .y = 79,
     .status = MENUE_S_TRANSPARENT,
     .klick = Trainings_Lager_Ergebnis_Klick,
     .ebene = 17,
     .w = 670,
     .h = 470,
     .hilfe_prozedur = Trainings_Lager_Ergebnis_Spalte},
});

// A row's user word 0: its row.
constexpr auto ERGEBNIS_ZEILEN = Kit_Zeilen<20>({.nummer = ICON_ERGEBNIS_ZEILE,
                                                 .flags = MODAL,
                                                 .x = 100,
                                                 .status = MENUE_S_TRANSPARENT,
                                                 .klick = Trainings_Lager_Ergebnis_Klick,
                                                 .zeichnen = Trainings_Lager_Ergebnis_Zeile,
                                                 .ebene = 18,
                                                 .w = 600,
                                                 .h = 17},
                                                {.y = ERGEBNIS_Y.data()});

constexpr auto ERGEBNIS = Icon_Tabelle_Aus<Icon_Besitzer::TRAININGSLAGER>(ERGEBNIS_RAHMEN, ERGEBNIS_ZEILEN);

// A bar's top: held below the end of the bar.
i32 oben_halten(i32 top);
// The stage targets after the first: m draws from lo..top, highest first.
void ziele(Lager_Balken& b, i32 m, i32 lo, i32 top);
// The morale (k 0) and recovery (k 1) bars.
void balken_schritt(i32 k);
// A random player of the squad (never outside the list).
i32 zufallsspieler();
void staerke_schritt();
// The change of morale (d >= 0) and exhaustion (d <= 0) for a bar at p per cent.
i32 aenderung(i32 p, i32 r, bool moral);
void lauf_aus();
}  // namespace lager_intern
