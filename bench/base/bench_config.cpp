// Configuration reading speed (lines per second): a file shaped like a
// competition configuration, read key by key with every value converted.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/config.h"

namespace {

void still(const char*) {}

std::string datei_anlegen(int zeilen) {
    std::string pfad = "/tmp/kordavo_bench_config_" + std::to_string(getpid()) + ".cfg";
    std::FILE* f = std::fopen(pfad.c_str(), "wb");
    std::fputs("; Kommentar\r\nCHECKSUMME 0\r\n", f);
    for (int i = 0; i < zeilen; ++i) {
        switch (i % 5) {
            case 0: std::fprintf(f, "\r\nNEUER_WETTBEWERB\r\n"); break;
            case 1: std::fprintf(f, "\tNAME                               \"Liga %d\"\r\n", i); break;
            case 2: std::fprintf(f, "\tTEAMS                              %d\r\n", i % 200); break;
            case 3: std::fprintf(f, "\tGOLDEN_GOAL                        JA\r\n"); break;
            default: std::fprintf(f, "\tSTARTTEILNEHMER                    %d,%d,%d,%d\r\n", i, i + 1, i + 2, i + 3);
        }
    }
    std::fclose(f);
    return pfad;
}

void BM_Config_Lesen(benchmark::State& state) {
    Read_Config_Set_Melder(still);
    const int zeilen = static_cast<int>(state.range(0));
    std::string pfad = datei_anlegen(zeilen);
    for (auto _ : state) {
        Read_Config_Open_Pfad(pfad.c_str(), nullptr);
        i64 summe = 0;
        while (*Read_Config_Next(nullptr, 0)) summe += Read_Config_Get_Wert();
        benchmark::DoNotOptimize(summe);
        Read_Config_Close();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * zeilen);
    std::remove(pfad.c_str());
}
BENCHMARK(BM_Config_Lesen)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
