// Save-game writing and reading of a 20 MB state (atomic write with fsync,
// full verification and the two-phase hand-over on reading), and the
// autosave's part in the frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/meldung.h"
#include "base/spielstand.h"

namespace {

constexpr u32 ZUSTAND = 20u << 20;
std::vector<u8> g_live, g_staging;

bool schreiben(Datei_Status* d) { return Datei_Schreiben(d, g_live.data(), static_cast<u32>(g_live.size())); }
bool lesen(Datei_Status* d) {
    g_staging.resize(ZUSTAND);
    return Datei_Lesen(d, g_staging.data(), ZUSTAND) == ZUSTAND;
}
void uebernehmen() { g_live.swap(g_staging); }
void verwerfen() { g_staging.clear(); }
void still(const char*) {}

std::string einrichten() {
    Meldung_Hooks h;
    h.zeigen = still;
    Meldung_Set_Hooks(h);
    std::mt19937 rng(7);
    g_live.resize(ZUSTAND);
    for (size_t i = 0; i < g_live.size(); ++i) g_live[i] = (i / 64) % 2 ? static_cast<u8>(rng()) : 0;
    Spielstand_Modul m;
    m.name = "Bench";
    m.schreiben = schreiben;
    m.lesen = lesen;
    m.uebernehmen = uebernehmen;
    m.verwerfen = verwerfen;
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELER, m);
    std::string ordner = "/tmp/kordavo_bench_save_" + std::to_string(getpid());
    std::filesystem::create_directories(ordner);
    return ordner + "/game_0.kdv";
}

void BM_Spielstand_Speichern(benchmark::State& state) {
    std::string pfad = einrichten();
    for (auto _ : state) {
        if (!Spielstand_Speichern(pfad.c_str(), 0)) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * ZUSTAND);
    std::filesystem::remove_all(std::filesystem::path(pfad).parent_path());
}
BENCHMARK(BM_Spielstand_Speichern)->Unit(benchmark::kMillisecond);

void BM_Spielstand_Laden(benchmark::State& state) {
    std::string pfad = einrichten();
    Spielstand_Speichern(pfad.c_str(), 0);
    for (auto _ : state) {
        if (!Spielstand_Laden(pfad.c_str())) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * ZUSTAND);
    std::filesystem::remove_all(std::filesystem::path(pfad).parent_path());
}
BENCHMARK(BM_Spielstand_Laden)->Unit(benchmark::kMillisecond);

// The weekly autosave's part in the day's frame: every block of a 20 MB
// state written packed (as the game's modules write theirs); the writer
// thread's packing, writing and syncing is waited for outside the timing.
bool gepackt_schreiben(Datei_Status* d) {
    return Datei_Schreiben_Gepackt(d, g_live.data(), static_cast<u32>(g_live.size()));
}

void BM_Autosave_Im_Frame(benchmark::State& state) {
    std::string pfad = einrichten();
    Spielstand_Modul m = Spielstand_Modul_Holen(SPIELSTAND_BLOCK_SPIELER);
    m.schreiben = gepackt_schreiben;
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELER, m);
    for (auto _ : state) {
        if (!Spielstand_Speichern_Hintergrund(pfad.c_str(), 1)) state.SkipWithError("save failed");
        state.PauseTiming();
        if (!Spielstand_Hintergrund_Pruefen(true)) state.SkipWithError("write failed");
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * ZUSTAND);
    std::filesystem::remove_all(std::filesystem::path(pfad).parent_path());
}
BENCHMARK(BM_Autosave_Im_Frame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
