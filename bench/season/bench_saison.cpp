// One full season of the shipped world through the run loop, headless: dice
// minutes for every match, or the match engine for one human club's; and
// the memory in use over twenty seasons (it must stay flat beyond the
// archives).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/config.h"
#include "base/meldung.h"
#include "main/heap.h"
#include "main/saison_lauf.h"
#include "season/kalender.h"
#include "matchday/spieltag.h"
#include "base/globals.h"
#include "base/random.h"
#include "match/partie.h"
#include "match/spielfeld.h"
#include "world/konfig.h"
#include "world/welt.h"

#include <algorithm>
#include <ctime>

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

// Memory after seasons 1, 5, 10 and 20 (kB), as counters, and the growth
// from season 5 to season 20 in percent (goal: at most 1).
void Zwanzig_Saisons_Speicher(benchmark::State& state) {
    for (auto _ : state) {
        Saison_Spiel_Starten({daten(), {}, 0});
        Saison_Lauf lauf;
        bool ok = Saison_Lauf_Tag(lauf);
        double nach_5 = 0;
        for (int s = 1; s <= 20 && ok; ++s) {
            ok = saisons_spielen(lauf, 1);
            const double kb = static_cast<double>(Saison_Lauf_Speicher_kB());
            if (s == 1 || s == 5 || s == 10 || s == 20) state.counters["kB_nach_" + std::to_string(s)] = kb;
            if (s == 5) nach_5 = kb;
            if (s == 20 && nach_5 > 0) state.counters["zuwachs_5_20_prozent"] = (kb - nach_5) * 100 / nach_5;
        }
        if (!ok) state.SkipWithError("the seasons stalled");
        Saison_Spiel_Beenden();
    }
}
BENCHMARK(Zwanzig_Saisons_Speicher)->Unit(benchmark::kSecond)->Iterations(1);

// What one engine match costs inside a season against what it costs on its
// own (as matchsim plays it): a season with one human club minus the same
// season without, over the engine matches played; then the same number of
// matches of the club's league played alone. The goal: at most 1.5 times.
// Processor time of this process (a shared machine's wall clock is noisy).
double sekunden(std::clock_t a) { return static_cast<double>(std::clock() - a) / CLOCKS_PER_SEC; }

void Engine_Spiel_In_Saison(benchmark::State& state) {
    Read_Config_Set_Melder(still);
    Meldung_Hooks h;
    h.zeigen = still;
    Meldung_Set_Hooks(h);
    for (auto _ : state) {
        // The season without human club runs first and last (the first run
        // also warms the caches); the faster of the two counts.
        double zeit[2] = {1e9, 1e9};
        u32 engine = 0;
        for (int mensch : {0, 1, 0}) {
            Saison_Spiel_Starten({daten(), mensch ? std::vector<i32>{16} : std::vector<i32>{}, 0});
            Saison_Lauf lauf;
            const std::clock_t start = std::clock();
            if (!Saison_Lauf_Tag(lauf) || !saisons_spielen(lauf, 1)) state.SkipWithError("the season stalled");
            zeit[mensch] = std::min(zeit[mensch], sekunden(start));
            if (mensch) engine = Spieltag_Get_Zahlen().spiele[1];
            Saison_Spiel_Beenden();
        }
        // The same number of engine matches alone, between the league's clubs.
        Internet_Modus = INTERNET_MODUS_EINZEL;
        if (!Welt_Laden_Ordner(daten().c_str(), 0)) state.SkipWithError("world not found");
        Spielfeld_Init();
        Spielfeld_Set_Hooks(Partie_Hooks());
        const std::vector<u32> liga = Liga_Vereine(Liga_Groesste());
        Partie_Optionen o;
        const std::clock_t start = std::clock();
        for (u32 i = 0; i < engine && liga.size() >= 2; ++i) {
            const u32 heim = liga[i % liga.size()], gast = liga[(i + 1 + i / liga.size()) % liga.size()];
            Partie_Spiel_Anmelden(i + 1, heim, gast, 7);
            Rnd_Set_Index(static_cast<i32>((i * 131u) % RND_TABELLE_GROESSE), 0);
            if (Spielfeld_Neu(i + 1, 0, 0, 20000, heim, 1)) Partie_Spielen(i + 1, o);
            Spielfeld_Loeschen(7);
            Partie_Spiele_Leeren();
        }
        const double allein = sekunden(start);
        Spielfeld_DeInit();
        Welt_Freigeben();
        const double in_saison = engine ? (zeit[1] - zeit[0]) / engine : 0, einzeln = engine ? allein / engine : 0;
        state.counters["engine_spiele"] = engine;
        state.counters["ms_in_saison"] = in_saison * 1000;
        state.counters["ms_allein"] = einzeln * 1000;
        state.counters["verhaeltnis"] = einzeln > 0 ? in_saison / einzeln : 0;
    }
}
BENCHMARK(Engine_Spiel_In_Saison)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

// The program's heap (one arena for all threads): the world's check and
// pre-read at a new game run on workers, whose own arenas would otherwise
// count in the figures as the program never has them.
int main(int argc, char** argv) {
    Main_Heap_Einrichten();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
