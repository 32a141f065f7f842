// Run-length packing and unpacking speed (MB/s of unpacked data) on data
// shaped like game records: zero stretches, repeated values and noise.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "base/compress.h"

namespace {

std::vector<u8> spieldaten(size_t n) {
    std::mt19937 rng(42);
    std::vector<u8> b(n);
    for (size_t i = 0; i < n;) {
        size_t lauf = rng() % 200 + 1;
        int art = rng() % 3;
        for (size_t k = 0; k < lauf && i < n; ++k, ++i)
            b[i] = art == 0 ? 0 : art == 1 ? static_cast<u8>(lauf) : static_cast<u8>(rng());
    }
    return b;
}

void BM_RLE_Packen(benchmark::State& state) {
    auto roh = spieldaten(static_cast<size_t>(state.range(0)));
    std::vector<u8> p(Tools_RLE_Max_Gepackt(static_cast<u32>(roh.size())));
    for (auto _ : state) {
        u32 n = Tools_RLE_Packen(roh.data(), p.data(), static_cast<u32>(roh.size()));
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(roh.size()));
}
BENCHMARK(BM_RLE_Packen)->Arg(4000)->Arg(1 << 20);

void BM_RLE_Entpacken(benchmark::State& state) {
    auto roh = spieldaten(static_cast<size_t>(state.range(0)));
    std::vector<u8> p(Tools_RLE_Max_Gepackt(static_cast<u32>(roh.size())));
    u32 g = Tools_RLE_Packen(roh.data(), p.data(), static_cast<u32>(roh.size()));
    std::vector<u8> aus(roh.size());
    for (auto _ : state) {
        u32 n = Tools_RLE_Entpacken_Sicher(p.data(), g, aus.data(), static_cast<u32>(aus.size()));
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(roh.size()));
}
BENCHMARK(BM_RLE_Entpacken)->Arg(4000)->Arg(1 << 20);

void BM_LZW_Entpacken(benchmark::State& state) {
    auto roh = spieldaten(1 << 20);
    std::vector<u8> p(W32_Cmp_Max_Gepackt(static_cast<u32>(roh.size()), CMP_METHODE_LZW));
    u32 g =
        W32_Cmp_Pack(roh.data(), static_cast<u32>(roh.size()), p.data(), static_cast<u32>(p.size()), CMP_METHODE_LZW);
    std::vector<u8> aus(roh.size());
    for (auto _ : state) {
        u32 n = 0;
        W32_Cmp_Unpack_Sicher(p.data(), g, aus.data(), static_cast<u32>(aus.size()), CMP_METHODE_LZW, &n);
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(roh.size()));
}
BENCHMARK(BM_LZW_Entpacken);

}  // namespace

BENCHMARK_MAIN();
