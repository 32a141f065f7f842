// The live match view with its figures, boards and crowd over real engine
// matches of the shipped world: one full view and four quarter views, each
// frame a later moment of play (the records were played ahead and are laid
// in turn). Counted: the heap allocations a frame makes, the bytes of the
// loaded animation sets and the time the view's start takes.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/globals.h"
#include "base/random.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/text_cfg.h"
#include "match/partie.h"
#include "screens/live_view/spielansicht.h"
#include "world/konfig.h"
#include "world/welt.h"
#define BENCH_ZUTEILUNGEN_ZAEHLEN
#include "bench_hilfen.h"

namespace {

constexpr int AUFNAHMEN = 120;  // moments of play per match, 0.4 s apart

// Four matches, each recorded at AUFNAHMEN moments from minute 5 on.
std::vector<std::unique_ptr<Spielfeld_Daten>> aufnahmen[4];

bool bereit() {
    static const bool ok = [] {
        if (!bench_hilfen::Grafik_Bereit()) return false;
        const char* s = std::getenv("KORDAVO_SOURCE_DIR");
        const std::string welt = std::string(s ? s : KORDAVO_QUELLE) + "/data/config";
        Internet_Modus = INTERNET_MODUS_EINZEL;
        if (!Welt_Laden_Ordner(welt.c_str(), 0)) return false;
        Spielfeld_Init();
        Spielfeld_Set_Hooks(Partie_Hooks());
        const std::vector<u32> liga = Liga_Vereine(Liga_Groesste());
        if (liga.size() < 8) return false;
        for (u32 i = 0; i < 4; ++i) {
            const u32 spiel = 500 + i;
            Partie_Spiel_Anmelden(spiel, liga[2 * i], liga[2 * i + 1], 7);
            if (!Spielfeld_Neu(spiel, 0, 0, 30000, liga[2 * i], 1)) return false;
            Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel);
            Spielfeld_Set_Zufall(sf, 4711 + i);
            sf->bild_art = static_cast<u8>(2 * i);
            for (int t = 0; t < 6; ++t) sf->tribuene[t] = 5;
            while (sf->minute < 5 && Partie_Schritt(sf, 45)) {
            }
            for (int k = 0; k < AUFNAHMEN; ++k) {
                for (int n = 0; n < 9 && Partie_Schritt(sf, 45); ++n) {
                }
                auto kopie = std::make_unique<Spielfeld_Daten>();
                std::memcpy(static_cast<void*>(kopie.get()), sf, sizeof(Spielfeld_Daten));
                aufnahmen[i].push_back(std::move(kopie));
            }
        }
        return true;
    }();
    return ok;
}

void frames(benchmark::State& st, int anzahl) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    std::unique_ptr<Spielfeld_Daten> felder[4];
    Spielfeld_Daten* liste[4];
    for (int i = 0; i < 4; ++i) {
        felder[i] = std::make_unique<Spielfeld_Daten>();
        std::memcpy(static_cast<void*>(felder[i].get()), aufnahmen[i][0].get(), sizeof(Spielfeld_Daten));
        liste[i] = felder[i].get();
    }
    const Spielfeld_Steuerung steuerung{.pause = 0, .schnell = 0, .frei = 0, .periode_ms = 45};
    Spielansicht_Free();
    const auto t0 = std::chrono::steady_clock::now();
    Spielansicht_Run(liste, anzahl, &steuerung, 0);  // the start: sets, pictures
    st.counters["start_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    Spielansicht_Run(liste, anzahl, &steuerung, 0);
    st.counters["animsets_mb"] = static_cast<double>(Spielansicht_Animsets_Bytes()) / 1e6;
    long vorher = bench_hilfen::zuteilungen, frames = 0;
    int k = 0;
    for (auto _ : st) {
        // The next moment of play, laid into the shown records (the view's
        // drawing memory goes with them, as when the engine steps).
        st.PauseTiming();
        k = (k + 1) % AUFNAHMEN;
        for (int i = 0; i < anzahl; ++i)
            std::memcpy(static_cast<void*>(liste[i]), aufnahmen[i][static_cast<size_t>(k)].get(), sizeof(Spielfeld_Daten));
        st.ResumeTiming();
        benchmark::DoNotOptimize(Spielansicht_Run(liste, anzahl, &steuerung, 0));
        ++frames;
    }
    st.counters["zuteilungen_pro_frame"] = frames ? static_cast<double>(bench_hilfen::zuteilungen - vorher) / frames : 0;
    Spielansicht_Free();
}

void ein_voller_view_mit_figuren(benchmark::State& st) { frames(st, 1); }
void vier_viertel_views_mit_figuren(benchmark::State& st) { frames(st, 4); }
BENCHMARK(ein_voller_view_mit_figuren)->Unit(benchmark::kMicrosecond);
BENCHMARK(vier_viertel_views_mit_figuren)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
