// The program's start-up wiring, headless, for a test: a game folder of its
// own, every hook registered, the archives and fonts loaded; and the way
// back, so the next test starts a new game.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/globals.h"
#include "main/registrierung.h"
#include "main/spielstart.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "season/ankuendigung.h"
#include "season/kalender_lauf.h"
#include "season/season_hooks.h"
#include "spielordner.h"

#ifndef KORDAVO_SPIELORDNER
#define KORDAVO_SPIELORDNER "game"
#endif

// False when the headless display, the archives or the fonts fail. With
// `bildschirme` the game starts at the start screen and its wizard, as the
// program does; else the scripted start gives the first club its manager.
inline bool Test_Programm_Starten(const char* praefix, std::string* ordner, bool bildschirme = false) {
    *ordner = Test_Spielordner_Anlegen(praefix);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Quit_Status = QUIT_STATUS_LAEUFT;
    Kalender_Lauf_Reset();  // a new game after the previous test's end
    if (bildschirme) {
        Main_Spielstart_Bildschirme_Registrieren();
        Main_Registrieren(Main_Spielstart_Bildschirme);
    } else {
        Main_Registrieren(Main_Spielstart_Pruefen);
        Main_Spielstart_Registrieren();
    }
    return Headless_Starten() && Main_Hooks.Archive_Oeffnen() && Main_Hooks.Fonts_Laden();
}

// The input that takes the announcement on the screen away: a screen by its
// close button (the winners screen has its own place), a page by a click.
inline const char* Ankuendigung_Wegklicken() {
    if (Spielankuendigung_Screen_Offen())
        return Spielankuendigung_Laufende_Art() == ANK_SIEGER ? "move 410 562\nwait 2\nclick left\n"
                                                              : "move 570 562\nwait 2\nclick left\n";
    // The picture before a managed club's match goes by a click too.
    if (Spielankuendigung_Laufende_Art() == ANK_VOR_SPIEL) return "click left\n";
    return Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG ? "click left\n" : "";
}

inline void Test_Programm_Beenden(const std::string& ordner) {
    Headless_Lauf("quit\n", 5);
    Main_Hooks.Grafik_Sound_Freigeben();
    Main_Hooks.Archive_Schliessen();
    Headless_Beenden();
    Main_Hooks_Zuruecksetzen();
    Season_Hooks_Zuruecksetzen();
    std::error_code ec;
    std::filesystem::remove_all(ordner, ec);
}
