// The options screen with the generated archives and texts: opened, 100
// frames drawn, closed; the heap allocations a frame makes are counted.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "base/files.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "screens/anmelden.h"
#include "screens/club/optionen.h"
#include "screens/screens.h"
#define BENCH_ZUTEILUNGEN_ZAEHLEN
#include "bench_hilfen.h"

namespace {

bool bereit() {
    static const bool ok = [] {
        if (!bench_hilfen::Grafik_Bereit()) return false;
        Menue_Init();
        Screens_Anmelden();
        return true;
    }();
    return ok;
}

void optionen_100_frames(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    long pro_frame = 0;
    for (auto _ : st) {
        Screen_Oeffnen(Screen_Id::OPTIONEN);
        const long vorher = bench_hilfen::zuteilungen;
        for (int f = 0; f < 100; ++f) Menue_Screen_Refresh();
        pro_frame = (bench_hilfen::zuteilungen - vorher) / 100;
        Screen_Schliessen(Screen_Id::OPTIONEN);
    }
    st.counters["zuteilungen_pro_frame"] = static_cast<double>(pro_frame);
}
BENCHMARK(optionen_100_frames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
