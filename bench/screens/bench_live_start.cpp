// The live view's start at a kick-off with the generated archives: the
// animation sets read from stadion_gfx.res and checked, the pictures, the
// sprites and the stadium sounds (Spielansicht_Init), after the end of the
// matchday before let them go (Spielansicht_Free).
#include <benchmark/benchmark.h>

#include "base/files.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/text_cfg.h"
#include "screens/live_view/figuren.h"
#include "screens/live_view/spielansicht.h"
#include "bench_hilfen.h"

namespace {

void BM_LiveAnsichtStart(benchmark::State& st) {
    static const bool ok = bench_hilfen::Grafik_Bereit();
    if (!ok) return st.SkipWithError("Archive fehlen");
    for (auto _ : st) {
        st.PauseTiming();
        Spielansicht_Free();
        st.ResumeTiming();
        if (!Spielansicht_Init()) return st.SkipWithError("die Live-Ansicht startet nicht");
    }
    st.counters["animsets_mb"] = static_cast<double>(Spielansicht_Animsets_Bytes()) / (1024.0 * 1024.0);
    Spielansicht_Free();
}
BENCHMARK(BM_LiveAnsichtStart)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
