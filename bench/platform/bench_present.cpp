// Presenting a full 800x600 frame (headless, and through SDL when a display
// exists), a whole idle frame of the main loop, a PNG screenshot, and the
// resident memory of the idle loop (goal: below 64 MB).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/globals.h"
#include "platform/display.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "platform/mainloop.h"
#include "platform/png.h"
#include "platform/window.h"

namespace {

// Resident memory of this process in MB (VmRSS).
double Resident_Mb() {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char zeile[256];
    double kb = -1;
    while (std::fgets(zeile, sizeof zeile, f))
        if (std::strncmp(zeile, "VmRSS:", 6) == 0) kb = std::atof(zeile + 6);
    std::fclose(f);
    return kb / 1024.0;
}

void Bild_Fuellen() {
    for (i32 i = 0; i < DISPLAY_BREITE * DISPLAY_HOEHE; i++) W32_Display.puffer[i] = static_cast<u16>(i * 31);
}

void BM_Present_Headless(benchmark::State& state) {
    Headless_Starten();
    Bild_Fuellen();
    for (auto _ : state) {
        W32_Present_Now();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * DISPLAY_BREITE * DISPLAY_HOEHE * 2);
    Headless_Beenden();
}
BENCHMARK(BM_Present_Headless);

// One whole frame of the idle main loop: messages, network pump, the plain
// screen drawn by the default frame, present.
void BM_Frame_Leerlauf_Headless(benchmark::State& state) {
    Main_Hooks_Zuruecksetzen();
    Headless_Starten();
    Headless_Frames(10);
    for (auto _ : state) Headless_Frames(1);
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["rss_mb"] = Resident_Mb();
    Headless_Beenden();
}
BENCHMARK(BM_Frame_Leerlauf_Headless);

void BM_Present_Sdl(benchmark::State& state) {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!display || !display[0]) && (!wayland || !wayland[0])) {
        state.SkipWithError("keine Anzeige (DISPLAY)");
        return;
    }
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");  // measure the copy and scaling, not the refresh rate
    W32_Set_Headless(false);
    unsetenv("KORDAVO_HEADLESS");
    if (!W32_Init_Window() || !W32_Init_Display(16)) {
        W32_Close_Window();
        state.SkipWithError("kein Fenster");
        return;
    }
    Bild_Fuellen();
    for (auto _ : state) W32_Present_Now();
    state.SetBytesProcessed(state.iterations() * DISPLAY_BREITE * DISPLAY_HOEHE * 2);
    state.counters["rss_mb"] = Resident_Mb();
    W32_Release_Display();
    W32_Close_Window();
    W32_Set_Headless(true);
}
BENCHMARK(BM_Present_Sdl)->Unit(benchmark::kMicrosecond);

void BM_Png_Screenshot(benchmark::State& state) {
    Main_Hooks_Zuruecksetzen();
    Headless_Starten();
    Headless_Frames(1);  // the plain screen
    std::vector<u8> daten;
    for (auto _ : state) {
        Png_Kodieren(W32_Display.puffer, DISPLAY_BREITE, DISPLAY_HOEHE, DISPLAY_BREITE, 16, daten);
        benchmark::DoNotOptimize(daten.data());
    }
    state.counters["png_bytes"] = static_cast<double>(daten.size());
    Headless_Beenden();
}
BENCHMARK(BM_Png_Screenshot)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
