#include "screens/screens.h"

#include <array>

#include "graphics/glatt.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"

namespace {
constexpr i32 ANZAHL = static_cast<i32>(Screen_Id::ANZAHL);
constexpr i32 LAUNCH_KNOEPFE = 5, LAUNCH_EINTRAEGE = 9;

struct Eintrag {
    Screen_Def def;
    bool da = false;
    // A screen that comes back: the main-menu screen it was opened over.
    Screen_Id vorher = Screen_Id::ANZAHL;
};
std::array<Eintrag, ANZAHL> screens;
std::array<std::array<i32, LAUNCH_EINTRAEGE>, LAUNCH_KNOEPFE> launch = [] {
    std::array<std::array<i32, LAUNCH_EINTRAEGE>, LAUNCH_KNOEPFE> l;
    for (auto& k : l) k.fill(-1);
    return l;
}();
Screens_Hooks hooks;

Eintrag* eintrag(Screen_Id id) {
    const i32 i = static_cast<i32>(id);
    return i >= 0 && i < ANZAHL ? &screens[static_cast<size_t>(i)] : nullptr;
}

// The screen shown now, other than `ausser` (ANZAHL: none); the main-menu
// screens come first in the list, the windows over them after.
Screen_Id offener_screen(Screen_Id ausser) {
    for (i32 i = 0; i < ANZAHL; ++i) {
        const Eintrag& e = screens[static_cast<size_t>(i)];
        if (static_cast<Screen_Id>(i) != ausser && e.da && e.def.oeffnen && e.def.rahmen >= 0 &&
            Menue_Screen_Icon_Ist_Vorhanden(e.def.rahmen))
            return static_cast<Screen_Id>(i);
    }
    return Screen_Id::ANZAHL;
}
}  // namespace

void Screen_Registrieren(Screen_Id id, const Screen_Def& def) {
    if (Eintrag* e = eintrag(id)) *e = {def, true};
}

const Screen_Def* Screen_Holen(Screen_Id id) {
    const Eintrag* e = eintrag(id);
    return e && e->da ? &e->def : nullptr;
}

bool Screen_Offen(Screen_Id id) {
    const Screen_Def* d = Screen_Holen(id);
    return d && d->rahmen >= 0 && Menue_Screen_Icon_Ist_Vorhanden(d->rahmen);
}

bool Screen_Oeffnen(Screen_Id id) {
    const Screen_Def* d = Screen_Holen(id);
    if (!d || !d->oeffnen || Screen_Offen(id)) return false;
    // The main menu's header (club, next match, balance, date) stays over
    // every main-menu screen: the screens lie below it.
    const bool kopf = d->arbeitsflaeche && Menue_Screen_Icon_Ist_Vorhanden(ICON_KOPF_ZEILEN);
    if (d->zurueck) eintrag(id)->vorher = offener_screen(id);
    if (d->arbeitsflaeche) Menue_Screen_Icons_Loeschen_Bereich(0, 0, 0, ARBEITSFLAECHE_X1, ARBEITSFLAECHE_Y1);
    d->oeffnen();
    if (kopf) Menue_Kopf_Zeigen();
    Blt_Cache_Leeren();
    return true;
}

bool Screen_Oeffnen_Darueber(Screen_Id id) {
    const Screen_Def* d = Screen_Holen(id);
    if (!d || !d->oeffnen || Screen_Offen(id)) return false;
    d->oeffnen();
    Blt_Cache_Leeren();
    return true;
}

bool Screen_Oeffnen_Fuer(Screen_Id id, const Screen_Anlass& anlass) {
    const Screen_Def* d = Screen_Holen(id);
    if (!d || !d->oeffnen_fuer) return false;
    d->oeffnen_fuer(anlass);
    Blt_Cache_Leeren();
    return true;
}

void Screen_Schliessen(Screen_Id id) {
    const Screen_Def* d = Screen_Holen(id);
    if (!d) return;
    if (d->schliessen) {
        d->schliessen();
    } else if (d->icons != Icon_Besitzer::ANZAHL) {
        const Icon_Bereich& b = Icon_Bereich_Von(d->icons);
        for (i32 n = b.erstes; n <= b.letztes; ++n) Menue_Screen_Icon_Loeschen(n);
    }
    Blt_Cache_Leeren();
    if (d->zurueck) {
        Eintrag* e = eintrag(id);
        const Screen_Id vorher = e->vorher;
        e->vorher = Screen_Id::ANZAHL;
        if (vorher != Screen_Id::ANZAHL && vorher != id && offener_screen(id) == Screen_Id::ANZAHL)
            Screen_Oeffnen(vorher);
    }
}

void Screens_Zuruecksetzen() {
    screens.fill(Eintrag{});
    for (auto& k : launch) k.fill(-1);
}

void Screen_Launch_Eintragen(i32 knopf, i32 eintrag, Screen_Id id) {
    if (knopf >= 0 && knopf < LAUNCH_KNOEPFE && eintrag >= 0 && eintrag < LAUNCH_EINTRAEGE)
        launch[static_cast<size_t>(knopf)][static_cast<size_t>(eintrag)] = static_cast<i32>(id);
}

bool Screen_Launch(i32 knopf, i32 eintrag) {
    if (knopf < 0 || knopf >= LAUNCH_KNOEPFE || eintrag < 0 || eintrag >= LAUNCH_EINTRAEGE) return false;
    const i32 id = launch[static_cast<size_t>(knopf)][static_cast<size_t>(eintrag)];
    if (id < 0) return false;
    // An open screen counts as served: the launch brought it up before.
    return Screen_Oeffnen(static_cast<Screen_Id>(id)) || Screen_Offen(static_cast<Screen_Id>(id));
}

bool Screen_Launch_Schliessen(i32 knopf, i32 eintrag) {
    if (knopf < 0 || knopf >= LAUNCH_KNOEPFE || eintrag < 0 || eintrag >= LAUNCH_EINTRAEGE) return false;
    const i32 id = launch[static_cast<size_t>(knopf)][static_cast<size_t>(eintrag)];
    if (id < 0 || !Screen_Offen(static_cast<Screen_Id>(id))) return false;
    Screen_Schliessen(static_cast<Screen_Id>(id));
    return true;
}

void Screens_Set_Hooks(const Screens_Hooks& h) { hooks = h; }
const Screens_Hooks& Screens_Hooks_Holen() { return hooks; }
