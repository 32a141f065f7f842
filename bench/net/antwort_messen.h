// The server's work for one packed request, measured: unpacking, the
// dispatch with its row (for the slot of team 3), packing the answer.
#pragma once

#include <benchmark/benchmark.h>

#include <vector>

#include "net/protokoll.h"

inline void Antworten_Messen(benchmark::State& state, const std::vector<u8>& gepackt) {
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<u8> roh, antwort;
        const char* grund = nullptr;
        Netz_Entpacken(gepackt.data(), static_cast<u32>(gepackt.size()), &roh);
        if (!Netz_Block_Beantworten(0, 3, roh.data(), roh.size(), &antwort, &grund)) state.SkipWithError(grund);
        const std::vector<u8> p = Netz_Packen(antwort);
        bytes += p.size();
        benchmark::DoNotOptimize(p.data());
    }
    state.counters["gepackt"] = static_cast<double>(bytes) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations());
}
