// The scroll-knob callback every list screen shares.
#pragma once

#include "base/types.h"

// A knob reported value index `index`: when it differs from *gespeichert it
// is stored, menu sound 13 plays alone at effect volume 100 and the blit
// cache is emptied. True when the value changed.
bool Screen_Scroll_Gemeldet(i32* gespeichert, i32 index);

constexpr i32 KLANG_SCROLL = 13;
constexpr i32 KLANG_SCROLL_LAUTSTAERKE = 100;
