// The live match view with the generated archives: one frame of one full
// view and of four quarter views (camera, background, weather, bars,
// frames, a ticker line: two lines in the quarter views); the heap allocations a frame makes are counted.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "base/files.h"
#include "base/random.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/text_cfg.h"
#include "screens/live_view/kommentar.h"
#include "screens/live_view/spielansicht.h"
#define BENCH_ZUTEILUNGEN_ZAEHLEN
#include "bench_hilfen.h"

namespace {

bool bereit() {
    static const bool ok = [] {
        if (!bench_hilfen::Grafik_Bereit()) return false;
        return true;
    }();
    return ok;
}

// The screen's pixels as one number (FNV-1a): runs of two builds that
// draw the same show the same number.
double bild_summe() {
    if (!Screen_Rastport || !Rastport_Lock(Screen_Rastport)) return 0;
    const u16* p = Screen_Rastport->bitmap->pixel16();
    u32 h = 2166136261u;
    for (size_t i = 0, n = static_cast<size_t>(Screen_Rastport->breite) * Screen_Rastport->hoehe; i < n; ++i)
        h = (h ^ p[i]) * 16777619u;
    return h;
}

// vorher: the frame as it was before, which cleared every empty view slot
// again each frame (the same run, so that both stand like for like).
// publikum: full stands around the pitch (three tiers, 80 % occupied).
// The screen's pixels after the fiftieth frame are reported (bild_summe).
void frames(benchmark::State& st, int anzahl, bool vorher_frame = false, bool publikum = false) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    std::unique_ptr<Spielfeld_Daten> felder[4];
    Spielfeld_Daten* liste[4];
    for (int i = 0; i < 4; ++i) {
        felder[i] = std::make_unique<Spielfeld_Daten>();
        felder[i]->team[0] = static_cast<u32>(2 * i + 1), felder[i]->team[1] = static_cast<u32>(2 * i + 2);
        felder[i]->bild_art = static_cast<u8>(i);
        felder[i]->zuschauer = 30000;
        felder[i]->regen_staerke = static_cast<u8>(i == 0 ? 100 : 0);  // rain in view 0
        if (publikum)
            for (int j = 0; j < 6; ++j) felder[i]->tribuene[j] = SF_Tribuene_Byte(3), felder[i]->belegung[j] = 80;
        liste[i] = felder[i].get();
    }
    const Spielfeld_Steuerung steuerung{.pause = 0, .schnell = 0, .frei = 0, .periode_ms = 45};
    Rnd_Deko_Seed(20240);  // the same rain and crowd each run
    Spielansicht_Run(liste, anzahl, &steuerung, 0);
    Spielansicht_Run(liste, anzahl, &steuerung, 0);
    // A ticker line in two lines on every view (the pitch's clock stands).
    for (int i = 0; i < anzahl; ++i)
        Spielansicht_Ticker_Setzen(liste[i], "Freistoß nach Fahne des Linienrichters (Halford) in der eigenen Hälfte");
    long vorher = bench_hilfen::zuteilungen, frames = 0;
    f32 x = 800;
    for (auto _ : st) {
        // The play moves along the pitch: the camera follows every frame.
        x = x >= 10000 ? 800 : x + 40;
        for (int i = 0; i < anzahl; ++i) {
            liste[i]->kamera[0] = x, liste[i]->kamera[1] = 3403;
            liste[i]->kamera_schritte = 1;
        }
        benchmark::DoNotOptimize(Spielansicht_Run(liste, anzahl, &steuerung, 0));
        if (vorher_frame)
            for (int s = anzahl; s < SA_VIEWS; ++s) Spielansicht_View_Leeren(&Spielansicht_Views()[s]);
        if (++frames == 50) st.counters["bild_summe"] = bild_summe();
    }
    st.counters["zuteilungen_pro_frame"] = frames ? static_cast<double>(bench_hilfen::zuteilungen - vorher) / frames : 0;
    Spielansicht_Free();
}

// What a view's build adds for its ground besides the pitch picture and
// the stands: the light over the grass and the players' tunnel (once a
// view, never a frame).
void licht_und_tunnel(benchmark::State& st, u32 layout) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    auto sf = std::make_unique<Spielfeld_Daten>();
    sf->bild_art = 4;
    auto v = std::make_unique<Spielansicht_View>();
    v->pitch = sf.get(), v->layout = layout;
    if (!Spielansicht_Bild_Neu(v.get())) return st.SkipWithError("kein Rasenbild");
    for (auto _ : st) {
        Spielansicht_Rasen_Licht(v.get());
        Spielansicht_Tunnel_Zeichnen(v.get());
    }
    Spielansicht_View_Leeren(v.get());
}

// A view's whole build at kick-off (pitch picture, light, six stands,
// tunnel); the first build of a live view loads the pictures it keeps,
// every later one reuses them. The built picture itself is dropped before
// each build (a ground not shown lately); view_bauen_gehalten takes it kept.
void view_bauen(benchmark::State& st, u32 layout) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    auto sf = std::make_unique<Spielfeld_Daten>();
    sf->bild_art = 2;
    for (int j = 0; j < 6; ++j) sf->tribuene[j] = SF_Tribuene_Byte(1 + j % 3);
    auto v = std::make_unique<Spielansicht_View>();
    v->pitch = sf.get(), v->layout = layout;
    for (auto _ : st) {
        st.PauseTiming();
        Spielansicht_View_Leeren(v.get());
        Spielansicht_Gebaute_Freigeben();
        v->pitch = sf.get(), v->layout = layout;
        st.ResumeTiming();
        if (!Spielansicht_Bild_Neu(v.get())) return st.SkipWithError("kein Rasenbild");
    }
    Spielansicht_View_Leeren(v.get());
    Spielansicht_Free();
}

// The same build on a ground built lately: the kept picture is taken.
void view_bauen_gehalten(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    auto sf = std::make_unique<Spielfeld_Daten>();
    sf->bild_art = 2;
    for (int j = 0; j < 6; ++j) sf->tribuene[j] = SF_Tribuene_Byte(1 + j % 3);
    auto v = std::make_unique<Spielansicht_View>();
    v->pitch = sf.get(), v->layout = SA_HALB;
    for (auto _ : st)
        if (!Spielansicht_Bild_Neu(v.get())) return st.SkipWithError("kein Rasenbild");
    Spielansicht_View_Leeren(v.get());
    Spielansicht_Free();
}
BENCHMARK(view_bauen_gehalten)->Unit(benchmark::kMicrosecond);

void view_bauen_voll(benchmark::State& st) { view_bauen(st, SA_VOLL); }
void view_bauen_halb(benchmark::State& st) { view_bauen(st, SA_HALB); }
BENCHMARK(view_bauen_voll)->Unit(benchmark::kMillisecond);
BENCHMARK(view_bauen_halb)->Unit(benchmark::kMillisecond);

// The full view against the old figure: 127-130 us a frame before the
// live view grew (ALT_US, same machine, unloaded), and the old frame's way
// measured in the same run (ein_voller_view_vorher).
constexpr double ALT_US = 130;
void ein_voller_view(benchmark::State& st) {
    frames(st, 1);
    st.counters["alt_us"] = ALT_US;
}
void ein_voller_view_vorher(benchmark::State& st) { frames(st, 1, true); }
void licht_und_tunnel_voll(benchmark::State& st) { licht_und_tunnel(st, SA_VOLL); }
void licht_und_tunnel_halb(benchmark::State& st) { licht_und_tunnel(st, SA_HALB); }
BENCHMARK(licht_und_tunnel_voll)->Unit(benchmark::kMillisecond);
BENCHMARK(licht_und_tunnel_halb)->Unit(benchmark::kMillisecond);
void vier_viertel_views(benchmark::State& st) { frames(st, 4); }
// The views with their crowds (thousands of spectators a view).
void ein_voller_view_publikum(benchmark::State& st) { frames(st, 1, false, true); }
void zwei_halbe_views_publikum(benchmark::State& st) { frames(st, 2, false, true); }
BENCHMARK(ein_voller_view_publikum)->Unit(benchmark::kMicrosecond);
BENCHMARK(zwei_halbe_views_publikum)->Unit(benchmark::kMicrosecond);
BENCHMARK(ein_voller_view)->Unit(benchmark::kMicrosecond);
BENCHMARK(ein_voller_view_vorher)->Unit(benchmark::kMicrosecond);
BENCHMARK(vier_viertel_views)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
