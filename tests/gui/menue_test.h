// Shared helpers of the menu tests: a clock the test moves on and scripted
// mouse frames.
#pragma once

#include <string>
#include <vector>

#include "base/tools.h"
#include "gui/menue.h"
#include "platform/input.h"

namespace menue_test {

inline u32 uhr = 100000;
inline u32 uhr_lesen() { return uhr; }

// The click procedures' log: "icon:event" entries.
inline std::vector<std::string> log;
inline void protokoll(Screen_Icon* i, u32 e) { log.push_back(std::to_string(i->nummer) + ":" + std::to_string(e)); }

inline void starten() {
    Uhr_Set_Hooks({.jetzt = uhr_lesen});
    Eingabe_Zuruecksetzen();
    Maus_Rechts_Sperre = 0;
    Menue_Init();
    log.clear();
}
inline void beenden() {
    Menue_Free_All();
    Uhr_Set_Hooks({});
}

// One frame: the clock moves on by `ms`, the mouse goes to (x, y) with the
// buttons `tasten` held, the wheel turns `rad` notches, then the check runs.
inline i32 frame(u32 ms, i32 x, i32 y, u32 tasten, i32 rad = 0) {
    static u32 gehalten = 0;
    uhr += ms;
    Eingabe_Maus_Position(x, y);
    for (u32 b : {MAUS_LINKS, MAUS_RECHTS})
        if ((tasten & b) != (gehalten & b)) Eingabe_Maus_Taste(b, (tasten & b) != 0);
    gehalten = tasten;
    if (rad) Eingabe_Maus_Rad(rad);
    Eingabe_Neuer_Durchgang();
    return Menue_Icons_Check();
}

inline Screen_Icon knopf(i16 nr, i16 x, i16 y, i16 w, i16 h, i8 ebene = 0, u32 status = 0, u32 flags = 0) {
    Screen_Icon i;
    i.nummer = nr;
    i.x = x, i.y = y, i.w = w, i.h = h;
    i.ebene = ebene;
    i.status = status;
    i.flags = flags;
    i.klick = protokoll;
    i.farbe = 0x4208;
    return i;
}

}  // namespace menue_test
