// The load screen's slot list: the ten slots' descriptions read from their
// files (each a save game's head; the rest does not matter here).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/files.h"
#include "base/spielstand.h"
#include "screens/club/spielstand.h"

namespace {

bool bereit() {
    static const bool ok = [] {
        const std::filesystem::path ordner = std::filesystem::temp_directory_path() / "kordavo_bench_spielstand";
        std::filesystem::create_directories(ordner);
        std::snprintf(W32_Dir_Tabelle[W32_DIR_SPIELSTAND], W32_DIR_LAENGE, "%s", ordner.c_str());
        for (int s = 0; s < SPIELSTAND_SLOTS; ++s) {
            char kopf[SPIELSTAND_KOPF_GROESSE + 4096] = {};
            std::memcpy(kopf, SPIELSTAND_MAGIC, 10);
            std::memcpy(kopf + 10, SPIELSTAND_VERSION, 5);
            std::snprintf(kopf + 15, 30, "Spielstand %d", s);
            std::snprintf(kopf + 45, 30, "Manager %d", s);
            std::ofstream(W32_Pfad_Uebersetzen(Spielstand_Pfad(s)), std::ios::binary).write(kopf, sizeof kopf);
        }
        Spielstand_Beschreibung b;
        return Spielstand_Get_Beschreibung(9, &b) == 1;
    }();
    return ok;
}

void slotliste_zehn_slots(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Spielstände fehlen");
    for (auto _ : st) {
        Disk_Screen_Slots_Aktualisieren();
        benchmark::DoNotOptimize(Disk_Screen_Slot(9));
    }
}
BENCHMARK(slotliste_zehn_slots)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
