// The program's start-up wiring, headless, for a test: a game folder of its
// own, every hook registered, the archives and fonts loaded; and the way
// back, so the next test starts a new game.
#pragma once

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <utility>
#include <string>

#include "base/globals.h"
#include "base/settings.h"
#include "main/registrierung.h"
#include "main/spielbeginn.h"
#include "matchday/spieltag.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "screens/match/ank_bild.h"
#include "season/ankuendigung.h"
#include "season/kalender_lauf.h"
#include "season/season_hooks.h"
#include "spielordner.h"

#ifndef KORDAVO_SPIELORDNER
#define KORDAVO_SPIELORDNER "game"
#endif

// Whether the human managers' matches are shown live. The program shows
// them; a test starts with them played unseen (at the engine's full speed,
// as every test written before the live view expects) and switches the view
// on when it is about the live view.
inline void Test_Live_Ansicht(bool an) {
    Spieltag_Hooks h = Spieltag_Get_Hooks();
    h.live_ansicht = an ? +[] { return true; } : +[] { return false; };
    Spieltag_Set_Hooks(h);
}

// False when the headless display, the archives or the fonts fail. With
// `bildschirme` the game starts at the start screen and its wizard, as the
// program does; else the scripted start gives the first club its manager.
// `einstellungen` are written into the game folder's settings first; with
// `wie_das_programm` the start is the one the program's entry chooses from
// them (Main_Spielstart_Waehlen).
inline bool Test_Programm_Starten(const char* praefix, std::string* ordner, bool bildschirme = false,
                                  std::initializer_list<std::pair<const char*, const char*>> einstellungen = {},
                                  bool wie_das_programm = false) {
    *ordner = Test_Spielordner_Anlegen(praefix);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
    for (const auto& [name, wert] : einstellungen)
        if (!W32_Registry_Write(name, wert)) return false;
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Quit_Status = QUIT_STATUS_LAEUFT;
    Kalender_Lauf_Reset();  // a new game after the previous test's end
    Main_Spielstart_Anmelden(wie_das_programm ? Main_Spielstart_Waehlen()
                             : bildschirme    ? Main_Spielstart_Bildschirme
                                              : Main_Spielstart_Pruefen);
    Test_Live_Ansicht(false);
    return Headless_Starten() && Main_Hooks.Archive_Oeffnen() && Main_Hooks.Fonts_Laden();
}

// The input that takes the announcement on the screen away: a screen by its
// close button (the winners screen has its own place), a page by a click.
inline const char* Ankuendigung_Wegklicken() {
    if (Spielankuendigung_Screen_Offen())
        return Spielankuendigung_Laufende_Art() == ANK_SIEGER ? "move 410 562\nwait 2\nclick left\n"
                                                              : "move 570 562\nwait 2\nclick left\n";
    // The picture before a managed club's match goes by a click too (its
    // figures stand while it is up).
    if (!Ank_Bild_Figuren_Gezeichnet().empty()) return "click left\n";
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
