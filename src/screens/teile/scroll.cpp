#include "screens/teile/scroll.h"

#include "graphics/glatt.h"
#include "graphics/sound.h"

bool Screen_Scroll_Gemeldet(i32* gespeichert, i32 index) {
    if (!gespeichert || *gespeichert == index) return false;
    *gespeichert = index;
    Sound_Effekt_Solo_Lautstaerke(KLANG_SCROLL, false, KLANG_SCROLL_LAUTSTAERKE);
    Blt_Cache_Leeren();
    return true;
}
