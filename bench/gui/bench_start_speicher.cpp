// What the program's start costs in memory and processor time, each in a
// process of its own (forked before anything is loaded, so one does not
// inherit what the other loaded): the start screen shown for a second, and
// a new game played into the first manager's main menu. Reports the
// process's largest resident size (MB), its processor time (user + system,
// its worker threads included) and whether the size keeps to its goal
// (start screen 30 MB, main menu 40 MB).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../../tests/main/fahrer.h"
#include "base/settings.h"
#include "main/registrierung.h"

namespace {

// The program as a player starts it, up to `bis`; the exit code says
// whether it got there.
int kind(bool hauptmenue) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("KORDAVO_SOURCE_DIR", KORDAVO_QUELLE, 0);
    std::string ordner;
    bool ok = Test_Programm_Starten("kordavo_bench_start", &ordner, !hauptmenue);
    if (ok && hauptmenue) ok = fahrer::lauf("wait 12\n", 14) && fahrer::bis_menue();
    if (ok && !hauptmenue) ok = fahrer::lauf("wait 50\n", 2);  // a second of the start screen
    Test_Programm_Beenden(ordner);
    return ok ? 0 : 1;
}

void messen(benchmark::State& st, bool hauptmenue, double ziel_mb) {
    for (auto _ : st) {
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) _exit(kind(hauptmenue));
        int status = 0;
        rusage ru{};
        if (pid < 0 || wait4(pid, &status, 0, &ru) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return st.SkipWithError("der Start kam nicht an");
        const double mb = static_cast<double>(ru.ru_maxrss) / 1024.0;
        st.counters["max_rss_mb"] = mb;
        st.counters["cpu_s"] = static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
                               static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
        st.counters["ziel_mb"] = ziel_mb;
        st.counters["haelt"] = mb <= ziel_mb ? 1 : 0;
    }
}

void startbildschirm(benchmark::State& st) { messen(st, false, 30); }
BENCHMARK(startbildschirm)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void neues_spiel_bis_hauptmenue(benchmark::State& st) { messen(st, true, 40); }
BENCHMARK(neues_spiel_bis_hauptmenue)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
