// A competition's structure as the competition screen walks it: its rounds
// and groups, matchdays counted over all rounds (wettbewerb_screen.h).
#include "screens/club/wettbewerb_screen.h"

#include <algorithm>

#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"

namespace {

i32 spieltage(i32 id) {
    const Wettbewerb_Info* i = Wettbewerb_Get_Info(id);
    return i ? std::max(i->spieltage, 0) : 0;
}

}  // namespace

// --- structure -------------------------------------------------------------------------------

i32 Wettbewerb_Runden_Liste(i32 wettbewerb, i32* ids) {
    i32 n = 0;
    for (i32 r = Wettbewerb_Get_Erste_Runde(wettbewerb); r >= 0 && n < WB_LISTE_MAX; r = Wettbewerb_Get_Naechste_Runde())
        if (ids) ids[n++] = r;
        else ++n;
    if (ids) ids[n] = -1;
    return n;
}

i32 Wettbewerb_Gruppen_Liste(i32 wettbewerb, i32* ids) {
    Wettbewerb_Gruppen_Iterator it(wettbewerb);
    i32 n = 0;
    for (i32 g = it.Erste(); g >= 0 && n < WB_LISTE_MAX; g = it.Naechste())
        if (ids) ids[n++] = g;
        else ++n;
    if (ids) ids[n] = -1;
    return n;
}

i32 Wettbewerb_Spieltage_Gesamt(i32 wettbewerb) {
    i32 r[WB_LISTE_MAX + 1];
    const i32 n = Wettbewerb_Runden_Liste(wettbewerb, r);
    i32 s = 0;
    for (i32 k = 0; k < n; ++k) s += spieltage(r[k]);
    return s;
}

i32 Wettbewerb_Aktueller_Spieltag_Gesamt(i32 wettbewerb) {
    i32 r[WB_LISTE_MAX + 1];
    const i32 n = Wettbewerb_Runden_Liste(wettbewerb, r);
    i32 s = 0;
    for (i32 k = 0; k < n; ++k)
        if (const Wettbewerb_Info* i = Wettbewerb_Get_Info(r[k])) s += std::clamp(i->aktueller_spieltag, 0, spieltage(r[k]));
    return s;
}

i32 Wettbewerb_Runde_Zu_Spieltag(i32 wettbewerb, i32 spieltag_gesamt) {
    i32 r[WB_LISTE_MAX + 1];
    const i32 n = Wettbewerb_Runden_Liste(wettbewerb, r);
    if (n == 0) return -1;
    i32 s = 0;
    for (i32 k = 0; k < n; ++k) {
        s += spieltage(r[k]);
        if (s > spieltag_gesamt) return r[k];
    }
    return r[n - 1];
}

void Wettbewerb_Spieltag_In_Runde(i32* wettbewerb, i32* spieltag) {
    i32 r[WB_LISTE_MAX + 1];
    const i32 n = Wettbewerb_Runden_Liste(*wettbewerb, r);
    for (i32 k = 0; k < n; ++k) {
        const i32 t = spieltage(r[k]);
        if (*spieltag <= t) {
            *wettbewerb = r[k];
            return;
        }
        *spieltag -= t;
    }
    if (n > 0) *spieltag = spieltage(r[n - 1]);
}

void Wettbewerb_Gruppe_Waehlen(i32* gruppe, i32 n) {
    i32 g[WB_LISTE_MAX + 1];
    const i32 anzahl = Wettbewerb_Gruppen_Liste(*gruppe, g);
    for (i32 k = 0; k < anzahl; ++k)
        if (g[k] == *gruppe) {
            *gruppe = k + n < anzahl && k + n >= 0 ? g[k + n] : -1;
            return;
        }
    // The round's first group is not in its own walk: count from the start.
    *gruppe = n >= 0 && n < anzahl ? g[n] : -1;
}
