// Four human managers' matches shown at once through the matchday runner of
// a new game (the shipped world, the program's own run loop): the time of a
// whole program frame while the four matches play (engine, four live views,
// control bar) and of the four views' composition alone over the runner's
// pitch records. Counted: the heap allocations a frame of the views makes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#define BENCH_ZUTEILUNGEN_ZAEHLEN
#include "bench_hilfen.h"
#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "kit.h"
#include "main/programm.h"
#include "main/spieltag_weiter.h"
#include "match/spielfeld.h"
#include "platform/headless.h"
#include "screens/live_view/spielansicht.h"
#include "season/kalender.h"

namespace {

int gezeigt() {
    Spielfeld_Daten* liste[SF_MAX_ANZEIGE];
    return Spielansicht_Laufzustand() == 1 ? Spielfeld_Anzeigeliste(liste) : 0;
}

// A new game with four managers, days and matchdays played until four
// matches are shown at once, then a few minutes into them.
bool bereit() {
    static const bool ok = [] {
        setenv("KORDAVO_SOURCE_DIR", KORDAVO_QUELLE, 0);
        if (!kit::Starten(4)) return false;
        Zeichenspur_Ausschalten();
        Test_Live_Ansicht(true);
        for (int n = 0; n < 60000 && gezeigt() < 4; ++n) {
            const bool live = gezeigt() > 0;
            Spielfeld_Set_Fast(live ? 1 : 0);  // a matchday of fewer views is played through
            if (!live || Menue_Requester_Offen()) Spieltag_Weiter();
            else Spieltag_Lauf("", 1);
        }
        if (gezeigt() < 4) return false;
        Spielfeld_Set_Fast(0);
        Spieltag_Lauf("move 400 300\n", 600);  // twelve seconds of play
        return gezeigt() == 4;
    }();
    return ok;
}

void programm_frame(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("keine vier Spiele live");
    for (auto _ : st) {
        kit::Warten(20);
        Headless_Frames(1);
    }
    st.counters["views"] = gezeigt();
}

void vier_views(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("keine vier Spiele live");
    Spielfeld_Daten* liste[SF_MAX_ANZEIGE];
    const int anzahl = Spielfeld_Anzeigeliste(liste);
    const long vorher = bench_hilfen::zuteilungen;
    long frames = 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(Spielansicht_Run(liste, anzahl, Spielfeld_Get_Steuerung(), 0));
        ++frames;
    }
    st.counters["views"] = anzahl;
    st.counters["zuteilungen_pro_frame"] = frames ? static_cast<double>(bench_hilfen::zuteilungen - vorher) / frames : 0;
}

BENCHMARK(vier_views)->Unit(benchmark::kMicrosecond);
BENCHMARK(programm_frame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
