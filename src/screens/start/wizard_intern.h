// What the new game's wizard's files share (wizard.cpp, wizard_zeichnen.cpp):
// its settings, texts and places, and the helpers that read them.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/cp1252.h"
#include "base/ruf.h"
#include "grafik_nummern.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/video.h"
#include "gui/eingabe.h"
#include "gui/hauptmenue.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "platform/input.h"
#include "screens/start/spielstart.h"
#include "screens/start/start_intern.h"
#include "screens/teile/scroll.h"
#include "screens/teile/sterne.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "world/aufstellung.h"
#include "world/team.h"
#include "world/welt.h"

namespace wizard_intern {

// Pages.
enum : i32 { S_ANZAHL, S_SCHWIERIGKEIT, S_NAME, S_GESICHT, S_LAND, S_VEREIN, S_LIGA, S_FRAGE };

// The count's panel and a row of the digit strip.
constexpr i32 ICON_WIZ_ANZAHL_BREITE = 80, ICON_WIZ_ANZAHL_HOEHE = 72, ZIFFER_BREITE = 40, ZIFFER_HOEHE = 46;
extern Move_Struktur scroll;
constexpr u32 KNOPF = MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD;

const char* text(i32 n);
i32 liga_bild(i32 liga);
Spielstart_Zustand& Z();
Spielstart_Slot& aktueller();
const char* schwierigkeit_name(i32 s);
// The number of entries of the current page's list.
i32 eintraege();
}  // namespace wizard_intern
