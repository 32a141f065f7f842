// The game's main menu with the program's real wiring, headless: one whole
// frame (run loop, menu, music update, videos over the frame) while the
// music plays, and a day's hand-over between three managers at one machine.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "../../tests/main/fahrer.h"
#include "base/globals.h"
#include "base/settings.h"
#include "graphics/sound.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "main/registrierung.h"
#include "main/spielbeginn.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "world/manager.h"

namespace {

// A new game of three managers, started as the play-through tests start it
// and played into the first manager's main menu; the music plays on the
// dummy device.
bool spiel_starten() {
    static int bereit = -1;
    if (bereit >= 0) return bereit != 0;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("KORDAVO_SOURCE_DIR", KORDAVO_QUELLE, 0);
    std::string ordner;
    bereit = Test_Programm_Starten("kordavo_bench_menue", &ordner) && W32_Registry_Write("Mitspieler", "3");
    if (bereit) {
        Test_Live_Ansicht(true);
        bereit = Main_Hooks.Sound_Starten() && fahrer::lauf("wait 12\n", 14) && fahrer::bis_menue() &&
                 Manager_Anzahl_Menschen() == 3;
    }
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

// The same frame with a message box up over the main menu (the mouse on
// its button), as after a notice in a manager's turn.
void hauptmenue_frame_mit_box(benchmark::State& st) {
    if (!spiel_starten()) return st.SkipWithError("kein Hauptmenü");
    Menue_Requester(REQUESTER_OK, 0, "Mitteilung", nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
    if (!Menue_Requester_Offen()) return st.SkipWithError("keine Mitteilung");
    Headless_Lauf("move 400 330\nwait 2\n", 2);
    for (auto _ : st) Headless_Lauf("wait 1\n", 1);
    st.counters["box"] = Menue_Requester_Offen() ? 1 : 0;
    while (Menue_Requester_Offen()) fahrer::antworten(false);
}
BENCHMARK(hauptmenue_frame_mit_box)->Unit(benchmark::kMicrosecond);

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
