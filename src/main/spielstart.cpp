// The scripted start of a new game (see spielstart.h).
#include "main/spielstart.h"

#include <cstdlib>

#include "base/debug.h"
#include "base/settings.h"

#if KORDAVO_HAT_SEASON
#include "season/kalender_lauf.h"
#include "season/season_hooks.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

constexpr int kStartSet = 0;

bool ist_verein(int team) {
    return team >= 0 && team < Team_Anzahl && Team_Daten && (Team_Daten[team].art & TEAM_ART_VEREIN);
}

int verein_waehlen() {
    char text[16] = "";
    if (W32_Registry_Read("Verein", text, sizeof text)) {
        char* ende = nullptr;
        const long n = std::strtol(text, &ende, 10);
        if (ende != text && *ende == 0 && ist_verein(static_cast<int>(n))) return static_cast<int>(n);
        Debug_Printf("Einstellung Verein=%s ist kein Verein; der erste Verein wird genommen\n", text);
    }
    for (int t = 0; t < Team_Anzahl; ++t)
        if (ist_verein(t)) return t;
    return -1;
}

// The set-up step: reads the world once and gives the chosen club its
// human manager; finished when a manager exists.
bool spielstart(int, u8* wizard_byte) {
    if (wizard_byte) *wizard_byte = 0;
    if (Manager_Anzahl_Menschen() > 0) return true;
    int ok = 0;
    if (!(Team(kStartSet) && Spieler(&ok) && ok)) {
        Debug_Printf("Neues Spiel: die Welt von Satz %d konnte nicht gelesen werden\n", kStartSet);
        return true;  // the game runs on without a manager rather than hang
    }
    Personal_Cfg_Laden(kStartSet);
    const int team = verein_waehlen();
    if (team >= 0) Manager_Neuer_Mitspieler(team, "Manager", -1);
    return true;
}

}  // namespace

void Main_Spielstart_Registrieren() {
    Season_Gui.Spielstart_Pruefen = spielstart;
    Kalender_Set_Spielstart(kStartSet, kStartSet, kStartSet);
}
#else
void Main_Spielstart_Registrieren() {}
#endif
