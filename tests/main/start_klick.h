// Input-script pieces of the start screen tests: a click in the middle of an
// icon as the player makes it, and the wizard's list entries.
#pragma once

#include <string>

#include "gui/menue.h"
#include "screens/start/spielstart.h"

// Press and release in the middle of an icon (a short wait when it is not there).
inline std::string Start_Klick(i32 icon) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(icon);
    if (!i) return "wait 1\n";
    return "move " + std::to_string(i->x + i->w / 2) + " " + std::to_string(i->y + i->h / 2) +
           "\nwait 2\npress left\nwait 2\nrelease left\nwait 3\n";
}
// Entry k of the wizard's list.
inline std::string Start_Eintrag(i32 k) { return Start_Klick(ICON_WIZ_EINTRAG + k); }
