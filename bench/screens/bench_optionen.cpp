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

namespace {
std::atomic<long> zuteilungen{0};
}  // namespace

void* operator new(std::size_t n) {
    ++zuteilungen;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

bool bereit() {
    static const bool ok = [] {
        std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
        std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s/config", KORDAVO_SPIELORDNER);
        if (!Resf_Init() || !Font_Init(Resf_Spiel_Slot(RESF_FONT_ARCHIV), 0, FONT_ANZAHL)) return false;
        Rastport_Init_Screen();
        Text_cfg_Init();
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
        const long vorher = zuteilungen;
        for (int f = 0; f < 100; ++f) Menue_Screen_Refresh();
        pro_frame = (zuteilungen - vorher) / 100;
        Screen_Schliessen(Screen_Id::OPTIONEN);
    }
    st.counters["zuteilungen_pro_frame"] = static_cast<double>(pro_frame);
}
BENCHMARK(optionen_100_frames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
