// What the training plan's files share (plan.cpp, plan_klicks.cpp): its
// texts, the plan shown and the helpers that read and change it.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/gesicht.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "platform/input.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/drossel.h"
#include "screens/teile/namen.h"
#include "screens/teile/requester.h"
#include "screens/teile/schritt.h"
#include "screens/teile/spieler_hilfe.h"
#include "world/modi.h"
#include "screens/teile/sterne.h"
#include "screens/training/ablauf.h"
#include "screens/training/film.h"
#include "screens/training/plan.h"
#include "screens/training/talente.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace plan_intern {

constexpr u32 VERLETZT = 0x40, NICHT_SPIELBEREIT = 0x7c0;

// Texts of the sheet's section.
enum : i32 {
    T_SPALTE = 0,  // 0..7 the column captions
    T_PUNKTE = 13, T_BENOETIGT = 14, T_KOSTEN = 15, T_TITEL = 16, T_TRAINER = 17, T_KEIN_SLOT = 25,
    T_WECHSEL = 26, T_WECHSEL_ALT = 27, T_WECHSEL_NEU = 28, T_JA = 29, T_NEIN = 30, T_VERLETZT = 31,
    T_VERLETZT_2 = 32, T_VERLETZT_3 = 33, T_VERLETZT_4 = 34, T_LIMIT = 39, T_FREI = 40,
};

extern i32 gewaehlt;
extern i32 slots[3];
extern i32 zeile_spieler[PLAN_ZEILEN];
extern Screen_Drossel pfeil_drossel;
const char* text(i32 n);
i32 wert(int modus, i32 p);
void schreiben(int modus, i32 p, i32 w);
const char* name(i32 a);
// The arrows' user word 0: WORT_VOR steps forward. A row's user words: 0 its
// player, 1 its row; the rows stand in three blocks (the eleven, the
// substitutes, the reserves).
constexpr u32 WORT_VOR = 1;

i32 zeile_von(const Screen_Icon* icon);
// A bare training mark (value 1, no points) of the player is taken off.
void marke_loeschen(i32 p);
void auswaehlen(i32 p);
void wechsel_bestaetigt(i32 anzahl, const i32* liste);
}  // namespace plan_intern
