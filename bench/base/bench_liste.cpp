// Lists, guarded blocks and the random table under load.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "base/liste.h"
#include "base/memory.h"
#include "base/random.h"

namespace {

// Building a list node by node (loader style) and freeing it.
void BM_Liste_Aufbauen(benchmark::State& state) {
    const u32 n = static_cast<u32>(state.range(0));
    Liste_Kopf liste{};
    Liste_Init(&liste);
    u8 nutzlast[32] = {};
    for (auto _ : state) {
        Liste_Element* letzter = nullptr;
        for (u32 i = 0; i < n; ++i) letzter = Liste_Insert_Element(&liste, letzter, nutzlast, sizeof nutzlast, i);
        Liste_Delete_All(&liste);
    }
    state.SetItemsProcessed(state.iterations() * n);
    Liste_Freigeben(&liste);
}
BENCHMARK(BM_Liste_Aufbauen)->Arg(100)->Arg(10000);

// The memory image both ways (what a remote call of a list costs).
void BM_Liste_Abbild(benchmark::State& state) {
    const u32 n = static_cast<u32>(state.range(0));
    Liste_Kopf liste{}, kopie{};
    Liste_Init(&liste);
    Liste_Init(&kopie);
    Liste_Element* letzter = nullptr;
    u8 nutzlast[64] = {};
    for (u32 i = 0; i < n; ++i) letzter = Liste_Insert_Element(&liste, letzter, nutzlast, sizeof nutzlast, i);
    u32 groesse = 0;
    for (auto _ : state) {
        void* bild = Liste_To_Mem(&liste, &groesse);
        benchmark::DoNotOptimize(Liste_From_Mem(&kopie, bild, groesse));
        W32_Memory_H_Free(bild);
    }
    state.SetBytesProcessed(state.iterations() * groesse);
    Liste_Freigeben(&kopie);
    Liste_Freigeben(&liste);
}
BENCHMARK(BM_Liste_Abbild)->Arg(1000);

// A find by id at the end of a long list (a linear walk).
void BM_Liste_Find(benchmark::State& state) {
    const u32 n = static_cast<u32>(state.range(0));
    Liste_Kopf liste{};
    Liste_Init(&liste);
    Liste_Element* letzter = nullptr;
    for (u32 i = 0; i < n; ++i) letzter = Liste_Insert_Element(&liste, letzter, nullptr, 8, i);
    for (auto _ : state) benchmark::DoNotOptimize(Liste_Find_Element(&liste, n - 1));
    Liste_Freigeben(&liste);
}
BENCHMARK(BM_Liste_Find)->Arg(1000);

// Guarded blocks against plain malloc.
void BM_Memory_H_Alloc_Free(benchmark::State& state) {
    const size_t n = static_cast<size_t>(state.range(0));
    for (auto _ : state) {
        void* p = W32_Memory_H_Alloc(n, "Bench");
        benchmark::DoNotOptimize(p);
        W32_Memory_H_Free(p);
    }
}
BENCHMARK(BM_Memory_H_Alloc_Free)->Arg(64)->Arg(4096);

void BM_Malloc_Free(benchmark::State& state) {
    const size_t n = static_cast<size_t>(state.range(0));
    for (auto _ : state) {
        void* p = std::calloc(1, n);
        benchmark::DoNotOptimize(p);
        std::free(p);
    }
}
BENCHMARK(BM_Malloc_Free)->Arg(64)->Arg(4096);

void BM_Rnd(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Rnd(0, 99));
}
BENCHMARK(BM_Rnd);

void BM_Sortiere(benchmark::State& state) {
    const i32 n = static_cast<i32>(state.range(0));
    std::vector<u32> werte(n);
    std::vector<i32> schluessel(n);
    for (auto _ : state) {
        state.PauseTiming();
        Rnd_Set_Index(0, 0);
        for (i32 i = 0; i < n; ++i) schluessel[i] = Rnd(-100000, 100000);
        state.ResumeTiming();
        SortMisch_Sortiere(werte.data(), schluessel.data(), n, 1);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Sortiere)->Arg(2000);

}  // namespace

BENCHMARK_MAIN();
