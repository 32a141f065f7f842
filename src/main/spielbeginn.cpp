// The scripted start of a new game (see spielbeginn.h).
#include "main/spielbeginn.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/debug.h"
#include "base/settings.h"
#include "gui/hauptmenue.h"

#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"
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

// The set-up step: reads the world once and gives the chosen club its
// human manager; finished when a manager exists.
bool spielstart(int, u8* wizard_byte) {
    if (wizard_byte) *wizard_byte = 0;
    if (Manager_Anzahl_Menschen() > 0) return true;
    // The main menu comes next: its pictures are unpacked on the workers
    // while the game is made.
    Menue_Hauptmenue_Vorab();
    // The world's files were handed to a worker when the start was chosen
    // (Main_Spielstart_Registrieren): Team takes what it read, waiting for
    // it only when it is still at it.
    Welt_Vorab_Lesen(kStartSet);
    int ok = 0;
    if (!(Team(kStartSet) && Spieler(&ok) && ok)) {
        Debug_Printf("Neues Spiel: die Welt von Satz %d konnte nicht gelesen werden\n", kStartSet);
        return true;  // the game runs on without a manager rather than hang
    }
    Personal_Cfg_Laden(kStartSet);
    // The setting "Mitspieler" (1 to 4) gives hot-seat managers to the clubs
    // that follow the chosen one.
    int mitspieler = 1;
    char text[16] = "";
    if (W32_Registry_Read("Mitspieler", text, sizeof text)) mitspieler = std::clamp(std::atoi(text), 1, 4);
    int team = verein_waehlen();
    for (int n = 0; team >= 0 && team < Team_Anzahl && n < mitspieler; ++team) {
        if (!Team_Ist_Verein(team)) continue;
        char name[32];
        std::snprintf(name, sizeof name, n ? "Manager %d" : "Manager", n + 1);
        Manager_Neuer_Mitspieler(team, name, -1);
        // A new manager hears the music and the sounds (his options 42, 43).
        const i32 aktiv = Team_Aktiv;
        Team_Aktiv = team;
        Option_Wert(OPTION_TEAM_BIT_0, 1, 1);
        Option_Wert(OPTION_TEAM_LETZTE, 1, 1);
        Team_Aktiv = aktiv;
        ++n;
    }
    return true;
}

}  // namespace

bool Main_Spielstart_Pruefen(int arg, u8* wizard_byte) { return spielstart(arg, wizard_byte); }

void Main_Spielstart_Registrieren() {
    Kalender_Set_Spielstart(kStartSet, kStartSet, kStartSet);
    // The world is read on a worker from now on, while the program opens its
    // archives and fonts, so that the first frame of the game takes it ready.
    Welt_Vorab_Lesen(kStartSet);
}

bool Main_Spielstart_Bildschirme(int arg, u8* wizard_byte) { return Spielstart_Pruefen(arg, wizard_byte); }
void Main_Spielstart_Bildschirme_Registrieren() {
    Spielstart_Zuruecksetzen();
    Kalender_Set_Spielstart(kStartSet, -1, -1);
}

Main_Spielstart_Prozedur Main_Spielstart_Waehlen() {
    char text[8] = "";
    if (W32_Registry_Read("Schnellstart", text, sizeof text) && std::atoi(text) == 1) {
        Main_Spielstart_Registrieren();
        return Main_Spielstart_Pruefen;
    }
    Main_Spielstart_Bildschirme_Registrieren();
    return Main_Spielstart_Bildschirme;
}
