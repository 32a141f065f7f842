// Season speed: reading the shipped competition file, 10,000 calendar days,
// placing matchdays, building every competition's fixture plan.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "base/config.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"

namespace {

void still(const char*) {}

std::string quelle(const char* relativ) {
    const char* q = std::getenv("KORDAVO_SOURCE_DIR");
    return std::string(q ? q : SEASON_QUELLE) + "/" + relativ;
}

void vorbereiten() {
    Read_Config_Set_Melder(still);
    Meldung_Hooks h;
    h.zeigen = still;
    Meldung_Set_Hooks(h);
    Kalender_Init(nullptr);
    Wettbewerb_Init();
    Spiele_Init();
}

void Wettbewerbsdatei_Lesen(benchmark::State& state) {
    vorbereiten();
    const std::string pfad = quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = quelle("data/config/1_wettbewerb_alias.cfg");
    for (auto _ : state) {
        if (!Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str())) state.SkipWithError("file missing");
    }
}
BENCHMARK(Wettbewerbsdatei_Lesen)->Unit(benchmark::kMillisecond);

void Kalender_10000_Tage(benchmark::State& state) {
    vorbereiten();
    Option_Wert(19, 1, 0);  // the tick itself, without the weekly autosave
    for (auto _ : state) {
        Kalender_Init(nullptr);
        for (int i = 0; i < 10000; ++i) Kalender_Jeden_Tag();
        benchmark::DoNotOptimize(Kalender_Get_Tag());
    }
}
BENCHMARK(Kalender_10000_Tage)->Unit(benchmark::kMillisecond);

void Datum_Von_Tag(benchmark::State& state) {
    vorbereiten();
    int tag = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Kalender_Get_Datum_Von_Tag(tag, true));
        tag = (tag + 97) % 40000;
    }
}
BENCHMARK(Datum_Von_Tag);

void Termine_Verteilen_Saison(benchmark::State& state) {
    vorbereiten();
    for (auto _ : state) {
        Kalender_Init(nullptr);
        // A season of a dozen leagues and cups.
        for (int i = 0; i < 12; ++i)
            Kalender_Termine_Verteilen(i % 3 ? 34 : 6, -1, 0, i % 2 ? 0 : 4, 90, 3, 44, i % 4, 24, 29, -1, false,
                                       false);
    }
}
BENCHMARK(Termine_Verteilen_Saison)->Unit(benchmark::kMicrosecond);

void Alle_Spielplaene_Erstellen(benchmark::State& state) {
    vorbereiten();
    const std::string pfad = quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = quelle("data/config/1_wettbewerb_alias.cfg");
    if (!Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str())) {
        state.SkipWithError("file missing");
        return;
    }
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Spiele_Init();
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) Wettbewerb_Tabelle[i].spielplan = -1;
        state.ResumeTiming();
        n = Wettbewerb_Spielplaene_Erstellen();
    }
    state.counters["plaene"] = n;
}
BENCHMARK(Alle_Spielplaene_Erstellen)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
