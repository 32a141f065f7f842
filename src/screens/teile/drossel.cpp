#include "screens/teile/drossel.h"

#include "base/tools.h"

bool Screen_Drossel_Frei(Screen_Drossel* d, u32 periode_ms) {
    if (!d) return false;
    const u32 jetzt = W32_Get_Time();
    // Unsigned difference: correct across the clock's wrap.
    if (d->gelaufen && jetzt - d->letzte < periode_ms) return false;
    d->letzte = jetzt;
    d->gelaufen = true;
    return true;
}

u16 Screen_Puls_Farbe(Screen_Puls* p) {
    if (!p) return PULS_FARBEN[0];
    const u32 jetzt = W32_Get_Time();
    if (jetzt - p->letzte > 10) {
        p->letzte = jetzt;
        if (p->index + p->richtung < 0 || p->index + p->richtung >= PULS_STUFEN) p->richtung = -p->richtung;
        p->index += p->richtung;
    }
    return PULS_FARBEN[p->index];
}
