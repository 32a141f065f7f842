// Playing on headless towards the matches as a player does, shared by the
// live matchday tests and benchmarks: frames of the program's run loop
// under an input script with the kit's clock moving 20 ms a frame, and
// what stands between the player and his match taken away (pages, notices,
// a requester's yes, the end of his turn).
#pragma once

#include <string>

#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "kit.h"
#include "platform/headless.h"
#include "programm.h"
#include "season/kalender.h"

// False when the script is refused.
inline bool Spieltag_Lauf(const std::string& skript, int frames) {
    if (!Headless_Skript(skript + "wait 1\n")) return false;
    for (int i = 0; i < frames; ++i) {
        kit::Warten(20);
        Headless_Frames(1);
    }
    return true;
}

inline bool Spieltag_Weiter() {
    std::string skript = Ankuendigung_Wegklicken();
    if (Menue_Requester_Offen()) {
        if (const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_2))
            skript = "move " + std::to_string(k->x + k->w / 2) + " " + std::to_string(k->y + k->h / 2) +
                     "\nwait 2\nclick left\n";
    } else if (Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) &&
               Menue_Modus == 0) {
        skript = "move 750 583\nwait 2\nclick left\n";  // end of the turn
    }
    return Spieltag_Lauf(skript, 6);
}
