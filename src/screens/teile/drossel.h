// Time helpers every screen shares: the throttle of held buttons and
// repeated clicks, and the pulsing text colour. Both read the millisecond
// clock (W32_Get_Time); nothing waits.
#pragma once

#include "base/types.h"
#include "gui/palette.h"

// A procedure throttled to one action per `periode` ms: Screen_Drossel_Frei
// says whether it may act now and, if so, remembers the time.
struct Screen_Drossel {
    u32 letzte = 0;
    bool gelaufen = false;
};
bool Screen_Drossel_Frei(Screen_Drossel* d, u32 periode_ms);

// The pulsing colour of a hint text: 17 colours from white to red and back,
// one step whenever more than 10 ms have passed.
constexpr i32 PULS_STUFEN = 17;
inline constexpr const u16 (&PULS_FARBEN)[PULS_STUFEN] = FARBE_PULS;
struct Screen_Puls {
    i32 index = 0;
    i32 richtung = 1;
    u32 letzte = 0;
};
u16 Screen_Puls_Farbe(Screen_Puls* p);
