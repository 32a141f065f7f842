// The game's main menu with the program's real wiring, headless: one whole
// frame (run loop, menu, music update, videos over the frame) while the
// music plays, and a day's hand-over between three managers at one machine.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "../../tests/main/spielordner.h"
#include "base/globals.h"
#include "base/settings.h"
#include "graphics/sound.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "main/registrierung.h"
#include "main/spielstart.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "world/manager.h"

namespace {

// A new game of three managers, played into the first manager's main menu.
bool spiel_starten() {
    static int bereit = -1;
    if (bereit >= 0) return bereit != 0;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Test_Spielordner_Anlegen("kordavo_bench_menue");
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
    W32_Registry_Write("Mitspieler", "3");
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Main_Registrieren();
    Main_Spielstart_Registrieren();
    // The headless loop opens no sound: the dummy device plays the music.
    bereit = Headless_Starten() && Main_Hooks.Archive_Oeffnen() && Main_Hooks.Fonts_Laden() &&
             Main_Hooks.Sound_Starten() &&
             Headless_Lauf("wait 12\n", 12) > 0 && Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) &&
             Manager_Anzahl_Menschen() == 3;
    return bereit != 0;
}

void hauptmenue_frame(benchmark::State& st) {
    if (!spiel_starten()) return st.SkipWithError("kein Hauptmenü");
    Headless_Lauf("move 324 580\nwait 2\n", 2);  // the mouse over a dialog button
    for (auto _ : st) Headless_Lauf("wait 1\n", 1);
    st.counters["video"] = Menue_Hintergrund_Video_Laeuft() ? 1 : 0;
    st.counters["musik"] = Backsound_Zustand() == 1 ? 1 : 0;
}
BENCHMARK(hauptmenue_frame)->Unit(benchmark::kMicrosecond);

// The turn list drawn and the controls handed to each of the three
// managers in turn, each hand-over building his main menu and drawing it once.
void zug_uebergabe_drei(benchmark::State& st) {
    if (!spiel_starten()) return st.SkipWithError("kein Hauptmenü");
    for (auto _ : st) {
        Kalender_Neue_Zugliste();
        Menue_Manager_Wechsel(Team_Aktiv);
        Menue_Tick();
        while (K_Setze_Manager_Im_Menue()) Menue_Tick();
    }
}
BENCHMARK(zug_uebergabe_drei)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
