// A player at the headless program, for the long play-through tests: input
// scripts for clicks on icons and places, the main menu's dialog entries, a
// requester's answer, the pages after a match taken away, a turn ended; and
// the state questions those steps wait on. Every step goes through the
// program's own input (no screen function is called for a click).
#pragma once

#include <time.h>

#include <string>

#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "platform/headless.h"
#include "programm.h"
#include "screens/screens.h"
#include "screens/squad/kader.h"
#include "world/aufstellung.h"
#include "world/welt.h"
#include "season/ankuendigung.h"
#include "season/kalender_lauf.h"

namespace fahrer {

// A benchmark's measure of each frame run (the processor time of the thread
// running it, in ms: work handed to other threads is not the frame's); none
// by default.
inline void (*&frame_messung())(double) {
    static void (*m)(double) = nullptr;
    return m;
}
inline void Frame_Messung(void (*m)(double)) { frame_messung() = m; }

inline void frame() {
    if (!frame_messung()) {
        Headless_Frames(1);
        return;
    }
    const auto cpu_ms = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    const double t0 = cpu_ms();
    Headless_Frames(1);
    frame_messung()(cpu_ms() - t0);
}

// What ends a player's steps early (none by default): while it says so,
// every script run fails at once and the loops below give up, so a test
// whose other side has gone fails with its own message instead of
// answering boxes until its time is up.
inline bool (*&halt())() {
    static bool (*h)() = nullptr;
    return h;
}
inline void Halt(bool (*h)()) { halt() = h; }
inline bool angehalten() { return halt() && halt()(); }

// Runs the whole script, then `danach` frames for what it started. False
// when the script is bad or does not come to its end.
inline bool lauf(const std::string& skript, i32 danach = 4) {
    if (angehalten() || !Headless_Skript(skript)) return false;
    i32 n = 0;
    do frame();
    while (++n < 5000 && !Headless_Skript_Zu_Ende() && !angehalten());
    if (!Headless_Skript_Zu_Ende()) return false;
    for (i32 k = 0; k < danach; ++k) frame();
    return !angehalten();
}

inline std::string ort(i32 x, i32 y) { return std::to_string(x) + " " + std::to_string(y); }

// A click at a place as a hand makes it: move, press, release. The pause
// before lets the screens' repeat throttles (up to 300 ms) run out.
inline bool klick(i32 x, i32 y, i32 danach = 4) {
    return lauf("wait 16\nmove " + ort(x, y) + "\nwait 2\npress left\nwait 2\nrelease left\nwait 2\n", danach);
}
inline bool rechtsklick(i32 x, i32 y, i32 danach = 4) {
    return lauf("wait 16\nmove " + ort(x, y) + "\nwait 2\npress right\nwait 2\nrelease right\nwait 2\n", danach);
}

// The middle of an icon on the screen (false when it is not there).
inline bool icon(i32 nummer, i32 danach = 4) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    if (!i || (i->status & MENUE_S_VERSTECKT)) return false;
    return klick(i->x + i->w / 2, i->y + i->h / 2, danach);
}
inline bool da(i32 nummer) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    return i && !(i->status & MENUE_S_VERSTECKT);
}

// A drag from one place to another in six steps.
inline bool ziehen(i32 x0, i32 y0, i32 x1, i32 y1) {
    std::string s = "wait 16\nmove " + ort(x0, y0) + "\nwait 2\npress left\nwait 2\n";
    for (i32 k = 1; k <= 6; ++k) s += "move " + ort(x0 + (x1 - x0) * k / 6, y0 + (y1 - y0) * k / 6) + "\nwait 2\n";
    return lauf(s + "release left\nwait 4\n", 8);
}

// The manager's main menu, nothing over it.
inline bool im_menue() {
    return Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) &&
           Menue_Modus == 0 && !Menue_Requester_Offen() && !Spielankuendigung_Screen_Offen() &&
           Spielankuendigung_Puffer_Leer();
}

// A quick click on a button that has no repeat throttle (a requester's,
// the end of the turn): a move, a press and a release a frame apart.
inline bool tippen(i32 x, i32 y, i32 danach = 2) {
    return lauf("move " + ort(x, y) + "\nwait 1\npress left\nwait 1\nrelease left\nwait 1\n", danach);
}

// Answers the open requester: the first button (yes) or the last one.
inline bool antworten(bool ja) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ja && da(ICON_REQ_KNOPF_1) ? ICON_REQ_KNOPF_1 : ICON_REQ_KNOPF_2);
    return i && tippen(i->x + i->w / 2, i->y + i->h / 2, 4);
}

// Dialog button `knopf` (0..3: icons 702..705) of the main menu and its
// entry, picked with the mouse as a player picks it.
inline bool menue(i32 knopf, i32 eintrag) {
    const i32 nummer = ICON_DIALOG_TEAM + knopf;
    const Screen_Icon* b = Menue_Screen_Icon_Aus_Nummer(nummer);
    if (!b) return false;
    const i32 x = b->x + b->w / 2;
    if (!lauf("wait 16\nmove " + ort(x, b->y + 10) + "\nwait 2\npress left\nwait 3\nrelease left\nwait 3\n", 2))
        return false;
    // The button slides up: until it stands still.
    for (i32 n = 0, y = -1; n < 100 && b->y != y; ++n) {
        y = b->y;
        for (i32 k = 0; k < 3; ++k) frame();
    }
    for (i32 y = b->y + 23; y < b->y + b->h; ++y) {
        if (!lauf("move " + ort(x, y) + "\nwait 1\n", 0)) return false;
        if (Menue_Dialog_Eintrag(nummer) == eintrag)
            return lauf("move " + ort(x, y) + "\nwait 1\npress left\nwait 3\nrelease left\nwait 6\n", 12);
    }
    return false;
}

// The screen `id` opened through dialog button `knopf`'s entry, from the
// main menu. The inbox shows a message the moment it arrives, also while the
// menu is open: its box takes the click, so it is answered and the menu
// opened again; a box over the opened screen is answered too.
inline bool oeffnen(i32 knopf, i32 eintrag, Screen_Id id);

// One step toward the main menu: a requester answered by its last button,
// a page or screen after a match clicked away, else a few frames.
inline bool weiter() {
    if (Menue_Requester_Offen()) return antworten(false);
    return lauf(std::string(Ankuendigung_Wegklicken()) + "wait 1\n", 1);
}

// Until the manager's main menu is up (false when it does not come).
inline bool bis_menue(i32 max = 4000) {
    for (i32 n = 0; n < max && !im_menue(); ++n)
        if (angehalten() || !weiter()) return false;
    return im_menue();
}

// Messages answered until none has come for 30 frames.
inline bool ohne_meldung() {
    for (int n = 0, k = 0; n < 30 && k < 200; ++n, ++k) {
        if (angehalten()) return false;
        if (!Menue_Requester_Offen()) {
            frame();
            continue;
        }
        if (!antworten(false)) return false;
        n = 0;
    }
    return !Menue_Requester_Offen();
}

inline bool oeffnen(i32 knopf, i32 eintrag, Screen_Id id) {
    for (int versuch = 0; versuch < 6 && !Screen_Offen(id); ++versuch)
        if (!bis_menue() || !ohne_meldung() || !menue(knopf, eintrag)) return false;
    return ohne_meldung() && Screen_Offen(id);
}

// The end of the active manager's turn (the bottom bar's button).
inline bool zug_ende() { return tippen(750, 583, 2); }

// The end of the turn as a player makes it: with fewer than eleven players
// in the line-up the squad screen's automatic line-up is switched on first;
// when the squad has not eleven players at all, the question that follows
// is answered with "end the turn anyway".
inline bool zug_beenden() {
    i32 elf[64];
    if (Teamspieler_Ins_Array(Team_Aktiv, elf, 64, 16) < 11 && menue(0, 0) && da(ICON_KADER_AUTO)) {
        const Screen_Icon* a = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_AUTO);
        if (!(a->status & MENUE_S_AN) && !icon(ICON_KADER_AUTO)) return false;
    }
    if (!zug_ende()) return false;
    if (Menue_Requester_Offen() && da(ICON_REQ_KNOPF_1) && Teamspieler_Ins_Array(Team_Aktiv, elf, 64, 16) < 11)
        return antworten(true);
    return true;
}

inline bool bild(const std::string& datei) { return lauf("screenshot " + datei + "\nwait 1\n", 1); }

}  // namespace fahrer
