// What the in-match line-up windows' files share (im_spiel.cpp,
// im_spiel_zeichnen.cpp): their state, places and the helpers that read them.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/random.h"
#include "base/ruf.h"
#include "base/tools.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "match/spielfeld.h"
#include "platform/input.h"
#include "screens/match/im_spiel.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/drossel.h"
#include "world/modi.h"
#include "screens/teile/sterne.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/welt.h"

namespace im_spiel_intern {

// Slot states that keep a player out: injured, sent off, substituted off.
constexpr u32 NICHT_EINSETZBAR = SFS_VERLETZT | SFS_GELBROT | SFS_ROT | SFS_AUSGEWECHSELT;

// Slot states that grey a figure and take its player away.
constexpr u32 FIGUR_GRAU = SFS_VERLETZT | SFS_GELBROT | SFS_ROT | SFS_AUSGEWECHSELT;
constexpr i32 MELDUNG_SCHRITTE = 102;
constexpr u32 MELDUNG_TAKT_MS = 20;
constexpr i32 AUSDAUER_WARNUNG = 30;

// Texts of the screen's section.
enum : i32 { T_NR = 0, T_NAME = 1, T_KONDITION = 2, T_STAERKE = 3, T_ATTRIBUTE = 4, T_PLATZ = 5, T_BANK = 6,
             T_SCHALTER = 7, T_MELDUNG = 8 };

// Help texts (section ZUSATZTEXTE_BEXOT).
enum : i32 { H_SCHALTER = 11, H_LISTE = 12, H_FELD = 13 };

// Shirt and badge pictures by position class 0..3 (entries of their groups).
constexpr i32 KLASSE_BILD[4] = {3, 1, 0, 2};

struct Zustand {
    i32 team = -1;
    i32 feld[IM_SPIEL_FELDZEILEN];
    i32 bank[IM_SPIEL_BANKZEILEN];
    i32 meldung = 0, meldung_schritt = 0;
    u32 meldung_zeit = 0;
    Screen_Puls puls;
    // Dragging: 1 the list window, 2 the pitch window, 3 a figure.
    i32 ziehen = 0, figur = -1, griff_x = 0, griff_y = 0;
    bool gesehen = false;
    bool angehalten = false;  // the match waits for this screen
    char hilfe[512] = {};
};

extern Zustand Z;
Spielfeld_Daten* spielfeld();
const char* text(i32 n);
i32 wert(int modus, i32 p);
i32 klasse_von(i32 p);
bool an(i32 n);
bool ist_spieler(i32 p);
// The side of the club shown in the match (-1: it does not play there).
int seite(const Spielfeld_Daten* sf);
// The slot of a player of the side, -1.
int slot_von(const Spielfeld_Daten* sf, int s, i32 p);
// Queued to come on (rein) or go off (raus): in the side's pending lists or
// in a command of the side that has not taken effect yet.
bool wartet(const Spielfeld_Daten* sf, int s, int slot, bool rein);
bool wartet(const Spielfeld_Daten* sf, int s, int slot);
void meldung(i32 m);
struct Grenzen {
    i32 x0, x1, h;
};

// One set of limits for each window (the list window was held to two
// different right edges; it keeps the pitch window's 758).
constexpr Grenzen LISTE_GRENZEN{-345, 758, IM_SPIEL_LISTE_H};

constexpr Grenzen FELD_GRENZEN{-142, 758, IM_SPIEL_FELD_H};

void halten(const Grenzen& g, i32* x, i32* y);
void platz_merken(i32 nummer, i32 x, i32 y);
// Rows, switch and figures follow the windows.
void zeilen_setzen(i32 lx, i32 ly);
// The first row of the line-up list and the first figure on the pitch.
constexpr Screen_Icon ZEILE{.nummer = ICON_IM_SPIEL_ZEILE,
                            .grafik = GRAFIK_IM_SPIEL_ZEILE,
                            .grafik_an = GRAFIK_IM_SPIEL_ZEILE_AN,
                            .flags = MENUE_F_BEIDE_TASTEN,
                            .status = MENUE_S_TRANSPARENT | MENUE_S_AN,
                            .klick = E_Im_Spiel_Screen_Zeile_Klick,
                            .zeichnen = E_Im_Spiel_Screen_Zeile_Zeichnen,
                            .ebene = 21,
                            .w = IM_SPIEL_LISTE_B - 4,
                            .h = 17,
                            .hilfe_prozedur = E_Im_Spiel_Screen_Hilfetext};

constexpr Screen_Icon FIGUR{.nummer = ICON_IM_SPIEL_FIGUR,
                            .flags = MENUE_F_BEIDE_TASTEN,
                            .status = MENUE_S_TRANSPARENT,
                            .klick = E_Im_Spiel_Screen_Figur_Klick,
                            .zeichnen = E_Im_Spiel_Screen_Figur_Zeichnen,
                            .ebene = 22,
                            .w = IM_SPIEL_FIGUR_B,
                            .h = IM_SPIEL_FIGUR_H,
                            .hilfe_prozedur = E_Im_Spiel_Screen_Hilfetext};

i32 spieler_der_zeile(i32 k);
bool nur_links();
// Held inside the pitch so that the figure stays wholly inside it.
void figur_halten(i32* x, i32* y);
}  // namespace im_spiel_intern
