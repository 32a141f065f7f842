// The scripted start of a new game (see spielbeginn.h).
#include "main/spielbeginn.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/debug.h"
#include "base/files.h"
#include "base/settings.h"
#include "main/registrierung.h"

#include "season/kalender_lauf.h"
#include "season/wettbewerb_config.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"
#include "world/welt_pruefen.h"
#include "screens/start/spielstart.h"

namespace {

constexpr int kStartSet = 0;

int verein_waehlen() {
    char text[16] = "";
    if (W32_Registry_Read("Verein", text, sizeof text)) {
        char* ende = nullptr;
        const long n = std::strtol(text, &ende, 10);
        if (ende != text && *ende == 0 && Team_Ist_Verein(static_cast<int>(n))) return static_cast<int>(n);
        Debug_Printf("Einstellung Verein=%s ist kein Verein; der erste Verein wird genommen\n", text);
    }
    for (int t = 0; t < Team_Anzahl; ++t)
        if (Team_Ist_Verein(t)) return t;
    return -1;
}

// The set-up step: the wizard's lobby filled as a player would fill it
// (the chosen club in its own league, its data fitted, the default
// difficulty) and the wizard's own finishing run on it: the world and its
// competitions read, the managers made, the clubs fitted, start money and
// advertising. Finished when a manager exists.
//
// Each step has a frame of its own, as with the wizard's screens: the pass
// that empties the game's modules sets nothing up, the next reads the
// world and its competitions, the next seats the managers and finishes the
// game, and the first season begins in the pass after that.
bool welt_gelesen = false;  // the world of this start was read in an earlier pass

bool spielstart(int, u8* wizard_byte) {
    if (wizard_byte) *wizard_byte = 0;
    // (The world read holds the market's placeholder manager until the
    // managers are seated.)
    if (!welt_gelesen && Manager_Anzahl_Menschen() > 0) return true;
    if (Kalender_Get_Runmodus() == RUNMODUS_NEUES_SPIEL) {
        welt_gelesen = false;
        return false;
    }
    if (!welt_gelesen) {
        // The world's files were handed to a worker when the start was chosen
        // (Main_Spielstart_Registrieren): Team takes what it read, waiting for
        // it only when it is still at it.
        Welt_Vorab_Lesen(kStartSet);
        Spielstart_Zuruecksetzen();
        if (!Spielstart_Neues_Spiel()) {
            Debug_Printf("Neues Spiel: die Welt von Satz %d konnte nicht gelesen werden\n", kStartSet);
            return true;  // the game runs on without a manager rather than hang
        }
        welt_gelesen = true;
        return false;
    }
    welt_gelesen = false;
    // The setting "Mitspieler" (1 to 4) gives hot-seat managers to the clubs
    // that follow the chosen one.
    int mitspieler = 1;
    char text[16] = "";
    if (W32_Registry_Read("Mitspieler", text, sizeof text)) mitspieler = std::clamp(std::atoi(text), 1, 4);
    Spielstart_Zustand& z = Spielstart_Get_Zustand();
    z.schwierigkeit = 2;
    z.anzahl = 0;
    for (int team = verein_waehlen(); team >= 0 && team < Team_Anzahl && z.anzahl < mitspieler; ++team) {
        if (!Team_Ist_Verein(team)) continue;
        Spielstart_Slot& s = Spielstart_Slots[z.anzahl];
        s = {.name = {}, .land = -1, .liga = -1, .team = team, .gesicht = -1, .behalten = 0};
        std::snprintf(s.name, sizeof s.name, z.anzahl ? "Manager %d" : "Manager", z.anzahl + 1);
        ++z.anzahl;
    }
    if (z.anzahl == 0) return true;
    Spielstart_Abschliessen();
    return Manager_Anzahl_Menschen() == 0;  // the season begins in the next pass
}

}  // namespace

bool Main_Spielstart_Pruefen(int arg, u8* wizard_byte) { return spielstart(arg, wizard_byte); }

void Main_Spielstart_Registrieren() {
    // The wizard's finishing reads the competitions itself.
    Kalender_Set_Spielstart(kStartSet, -1, -1);
    // The world and the competitions are read on workers from now on, while
    // the program opens its archives and fonts, so that the first frame of
    // the game takes them ready; so are the world's files checked, on another.
    Welt_Vorab_Lesen(kStartSet);
    Wettbewerb_Config_Vorab_Lesen(kStartSet, kStartSet);
    if (W32_Dir_Tabelle[W32_DIR_CONFIG][0] == 0) W32_Dir_Init();
    Welt_Ordner_Vorab_Pruefen(W32_Dir_Tabelle[W32_DIR_CONFIG], kStartSet);
}

bool Main_Spielstart_Bildschirme(int arg, u8* wizard_byte) { return Spielstart_Pruefen(arg, wizard_byte); }
void Main_Spielstart_Bildschirme_Registrieren() {
    Spielstart_Zuruecksetzen();
    Kalender_Set_Spielstart(kStartSet, -1, -1);
}

Main_Spielstart_Prozedur Main_Spielstart_Waehlen() {
    char text[8] = "";
    if (W32_Registry_Read("Schnellstart", text, sizeof text) && std::atoi(text) == 1) return Main_Spielstart_Pruefen;
    return Main_Spielstart_Bildschirme;
}

void Main_Spielstart_Anmelden(Main_Spielstart_Prozedur prozedur) {
    // The season's registration sets the calendar's start set to its
    // default: the start's own set comes after it.
    Main_Registrieren(prozedur);
    if (prozedur == Main_Spielstart_Pruefen) Main_Spielstart_Registrieren();
    else Main_Spielstart_Bildschirme_Registrieren();
}
