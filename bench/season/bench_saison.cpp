// One full season of the shipped world through the run loop, headless: dice
// minutes for every match, or the match engine for one human club's; and
// the memory in use after each of ten seasons (it must stay flat beyond
// the archives).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/config.h"
#include "base/meldung.h"
#include "main/saison_lauf.h"
#include "season/kalender.h"

namespace {

void still(const char*) {}

std::string daten() {
    const char* q = std::getenv("KORDAVO_SOURCE_DIR");
    return std::string(q ? q : KORDAVO_QUELLE) + "/data/config";
}

// Plays from the current day until the season year has moved on `saisons` times.
bool saisons_spielen(Saison_Lauf& lauf, int saisons) {
    const i32 ende = Kalender_Get_Jahr() + saisons;
    while (Kalender_Get_Jahr() < ende)
        if (!Saison_Lauf_Tag(lauf)) return false;
    return true;
}

void Saison(benchmark::State& state) {
    Read_Config_Set_Melder(still);
    Meldung_Hooks h;
    h.zeigen = still;
    Meldung_Set_Hooks(h);
    for (auto _ : state) {
        Saison_Spiel_Starten({daten(), state.range(0) ? std::vector<i32>{16} : std::vector<i32>{}, 0});
        Saison_Lauf lauf;
        if (!Saison_Lauf_Tag(lauf) || !saisons_spielen(lauf, 1)) state.SkipWithError("the season stalled");
        Saison_Spiel_Beenden();
    }
}
BENCHMARK(Saison)->Arg(0)->Arg(1)->ArgName("menschen")->Unit(benchmark::kSecond)->Iterations(1);

// Memory after seasons 1, 5 and 10 (kB), as counters.
void Zehn_Saisons_Speicher(benchmark::State& state) {
    for (auto _ : state) {
        Saison_Spiel_Starten({daten(), {}, 0});
        Saison_Lauf lauf;
        bool ok = Saison_Lauf_Tag(lauf);
        for (int s = 1; s <= 10 && ok; ++s) {
            ok = saisons_spielen(lauf, 1);
            if (s == 1 || s == 5 || s == 10)
                state.counters["kB_nach_" + std::to_string(s)] = static_cast<double>(Saison_Lauf_Speicher_kB());
        }
        if (!ok) state.SkipWithError("the seasons stalled");
        Saison_Spiel_Beenden();
    }
}
BENCHMARK(Zehn_Saisons_Speicher)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
