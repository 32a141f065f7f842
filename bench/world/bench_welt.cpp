// The shipped world: loading from text and from the binary blocks, accessor
// calls, automatic line-ups.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "base/datei.h"
#include "base/memory.h"
#include "world/aufstellung.h"
#include "world/konfig.h"
#include "world/speichern.h"
#include "world/welt.h"

namespace {

bool laden() { return Welt_Laden_Ordner(KORDAVO_QUELLE "/data/config", 0); }

void BM_Welt_Text_Laden(benchmark::State& state) {
    for (auto _ : state) {
        if (!laden()) state.SkipWithError("world did not load");
    }
    state.counters["Teams"] = Team_Anzahl;
    state.counters["Spieler"] = Spieler_Anzahl;
    state.counters["MB"] = static_cast<double>(W32_Memory_Anzahl_Bytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_Welt_Text_Laden)->Unit(benchmark::kMillisecond);

void BM_Welt_Cache_Laden(benchmark::State& state) {
    if (!laden()) {
        state.SkipWithError("world did not load");
        return;
    }
    std::string pfad = "/tmp/kordavo_bench_welt.bin";
    Datei_Status* d = Datei_Oeffnen_Schreiben(pfad.c_str());
    Spieler_Block_Schreiben(d);
    Team_Block_Schreiben(d);
    Datei_Schliessen(d);
    for (auto _ : state) {
        Datei_Status* l = Datei_Oeffnen_Lesen(pfad.c_str());
        bool ok = Spieler_Block_Lesen(l) && Team_Block_Lesen(l);
        Datei_Schliessen(l);
        if (ok) Welt_Block_Uebernehmen();
        else state.SkipWithError("cache did not load");
    }
    std::remove(pfad.c_str());
}
BENCHMARK(BM_Welt_Cache_Laden)->Unit(benchmark::kMillisecond);

void BM_Million_Zugriffe(benchmark::State& state) {
    if (!laden()) {
        state.SkipWithError("world did not load");
        return;
    }
    for (auto _ : state) {
        i64 summe = 0;
        for (int i = 0; i < 250000; i++) {
            int s = i % Spieler_Anzahl;
            summe += Spieler_Wert(92, s, 0, OP_LESEN);
            summe += Spieler_Wert(75, s, 0, OP_LESEN);
            Spieler_Wert(56, s, i % 10, OP_SCHREIBEN);
            summe += Team_Wert(7, i % Team_Anzahl, 0, OP_LESEN);
        }
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_Million_Zugriffe)->Unit(benchmark::kMillisecond);

void BM_Aufstellung_Alle_Vereine(benchmark::State& state) {
    if (!laden()) {
        state.SkipWithError("world did not load");
        return;
    }
    for (auto _ : state) {
        for (int t = 0; t < Team_Anzahl; t++) Aufstellung_Automatisch(t);
    }
    state.counters["Teams"] = Team_Anzahl;
}
BENCHMARK(BM_Aufstellung_Alle_Vereine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
