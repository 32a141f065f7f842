// The resource archives of the game folder: what a start of the game pays
// to open the 22 archives and load the 17 fonts, what the first kick-off
// pays to read the live view's animation sets (the bytes of every set of
// stadion_gfx.res), and the bytes the archives take on disk.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "graphics/font.h"
#include "graphics/resf.h"

namespace {

constexpr i32 ARCHIV_GFX = 12;  // stadion_gfx.res

void ordner_setzen() {
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
}

// Opening the game archives and loading the fonts, as the start-up does.
void BM_ArchiveUndFontsLaden(benchmark::State& st) {
    ordner_setzen();
    for (auto _ : st) {
        Font_Free_All();
        Resf_Free();
        if (!Resf_Init() || !Font_Init(Resf_Spiel_Slot(RESF_FONT_ARCHIV), 0, FONT_ANZAHL))
            return st.SkipWithError("Archive fehlen");
    }
    u64 bytes = 0;
    for (const auto& e : std::filesystem::directory_iterator(W32_Dir_Tabelle[W32_DIR_RESFILE]))
        if (e.is_regular_file()) bytes += e.file_size();
    st.counters["archive_mb"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ArchiveUndFontsLaden)->Unit(benchmark::kMillisecond);

// Every animation set's bytes read from the opened archive (the live
// view's start reads them all at the first kick-off).
void BM_AnimsetsLesen(benchmark::State& st) {
    ordner_setzen();
    if (!Resf_Init()) return st.SkipWithError("Archive fehlen");
    const i32 slot = Resf_Spiel_Slot(ARCHIV_GFX);
    u64 bytes = 0;
    for (auto _ : st) {
        bytes = 0;
        std::vector<u8> d;
        for (i32 e = 0; e < Resf_Anzahl(slot); ++e) {
            i16 typ = 0;
            if (Resf_Eintrag_Daten(slot, e, &typ, d) && typ == RESF_ANIMSET) bytes += d.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    st.counters["mb"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_AnimsetsLesen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
