// The menu engine's lookups in the world data (see anmelden.h).
#include "gui/anmelden.h"

#include <cstdio>

#include "base/files.h"
#include "gui/gesicht.h"
#include "gui/wappen.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {

// A photo is used only when the player's picture exists.
bool Bilder_Laden_Moeglich(i32 spieler) {
    char name[16];
    std::snprintf(name, sizeof name, "%d.jpg", spieler);
    return W32_Dir_Count_Files(W32_Dir_Tabelle[W32_DIR_SPIELERBILDER], name) > 0;
}

bool team_ok(i32 team) { return team >= 0 && team < Team_Anzahl; }

}  // namespace

u32 Gui_Welt_Aussehen(i32 spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl) return Gesicht_Aussehen_Aus_Nummer(spieler);
    const u32 v = static_cast<u32>(Spieler_Wert(SPIELER_WERT_AUSSEHEN, spieler, 0, OP_LESEN));
    if (static_cast<i32>(v) < 0 && Bilder_Laden_Moeglich(spieler)) return v;  // a photo
    const bool stil1 = (v & 3) != 0;
    const u32 f1 = (v >> 2) & 31, f2 = (v >> 7) & 63, f3 = (v >> 13) & 127, f4 = (v >> 20) & 63, f5 = (v >> 26) & 63;
    const bool passt = stil1 ? (f1 <= 9 && f2 <= 1 && f3 <= 9 && f4 <= 9 && f5 <= 9)
                             : (f1 <= 11 && f2 <= 30 && f3 <= 61 && f4 <= 30 && f5 <= 31);
    return passt ? v : Gesicht_Aussehen_Aus_Nummer(static_cast<i32>(v ^ static_cast<u32>(spieler)));
}

void Gui_Welt_Farben(i32 spieler, i32 team, u32* a, u32* b) {
    *a = 0xB4B4B4;
    *b = 0xF0F0F0;
    if (!team_ok(team)) return;
    const u8* f = static_cast<const u8*>(Team_Zeiger(700, team, nullptr, 0));
    if (!f) return;
    const bool feld =
        spieler >= 0 && spieler < Spieler_Anzahl && Spieler_Wert(SPIELER_WERT_POSITION, spieler, 0, OP_LESEN) != 0;
    const u8* p = feld ? f : f + 24;
    *a = static_cast<u32>(p[0]) << 16 | p[1] << 8 | p[2];
    *b = static_cast<u32>(p[3]) << 16 | p[4] << 8 | p[5];
}

i32 Gui_Welt_Wappen_Nummer(i32 team) {
    return team_ok(team) ? Team_Wert(TEAM_WERT_WAPPEN, team, 0, OP_LESEN) : WAPPEN_NEUTRAL;
}
