// The news store full (1,500 items for three managers): one inbox pass of
// a manager, writing one more item (the oldest goes), and saving the store.
#include <benchmark/benchmark.h>

#include <vector>

#include "base/datei.h"
#include "season/news.h"
#include "season/optionen.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

void voll() {
    Welt_Freigeben();
    Welt_Anlegen(10, 0);
    for (int t : {1, 2, 3}) Manager_Neuer_Mitspieler(t, "Bench", 0);
    Optionen_Reset();
    News_Init();
    News_Set_Hooks({});
    for (int i = 0; i < NEWS_MAX; ++i) News_Neu(0, 1 + i % 3, -1, NEWS_NACHRICHT, nullptr, "Nachricht Nr. %d", i);
}

void Pruefen(benchmark::State& state) {
    voll();
    for (auto _ : state) benchmark::DoNotOptimize(News_Pruefen(1 + static_cast<i32>(state.iterations() % 3)));
    News_Free();
    Welt_Freigeben();
}
BENCHMARK(Pruefen);

void Schreiben(benchmark::State& state) {
    voll();
    for (auto _ : state) benchmark::DoNotOptimize(News_Neu_Text(0, 2, -1, NEWS_NACHRICHT, nullptr, "Noch eine"));
    News_Free();
    Welt_Freigeben();
}
BENCHMARK(Schreiben);

void Speichern(benchmark::State& state) {
    voll();
    for (auto _ : state) {
        Datei_Status* d = Datei_Oeffnen_Speicher();
        benchmark::DoNotOptimize(News_Save(d));
        Datei_Schliessen(d);
    }
    News_Free();
    Welt_Freigeben();
}
BENCHMARK(Speichern);

}  // namespace
BENCHMARK_MAIN();
