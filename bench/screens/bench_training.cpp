// The training screens with the generated archives, texts and the shipped
// world: 100 frames of the training sheet, of the talents tree, of the
// training film screen with a running training and its video, of the camp
// choice and of a camp's run.
// Each screen's frame is meant to stay under 1 ms, the film screen's with
// its video under 2 ms.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "base/files.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "graphics/video.h"
#include "gui/gesicht.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "screens/anmelden.h"
#include "screens/screens.h"
#include "screens/training/ablauf.h"
#include "screens/training/film.h"
#include "screens/training/lager.h"
#include "screens/training/talente.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/welt.h"
#include "bench_hilfen.h"

namespace {

constexpr int TEAM = 1;

bool bereit() {
    static const bool ok = [] {
        if (!bench_hilfen::Grafik_Bereit()) return false;
        Menue_Init();
        Screens_Anmelden();
        Gesicht_Teile_Laden();
        Bink_InitBink(800, 600, 0, nullptr, 16);
        if (!Welt_Laden_Ordner(W32_Dir_Tabelle[W32_DIR_CONFIG], 0)) return false;
        Bank_Init();
        Team_Aktiv = Team_Ansicht = TEAM;
        Bank_Konto_Anlegen(TEAM, 1e9, 0);
        return true;
    }();
    return ok;
}

// n frames as the display makes them: the screen drawn, the videos over it.
void frames(int n) {
    Rastport* s = Screen_Rastport;
    for (int f = 0; f < n; ++f) {
        Menue_Screen_Refresh();
        Bnk_Frame_Alle(s->bitmap->pixel16(), s->breite * 2, s->hoehe);
    }
}

void plan_100_frames(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    for (auto _ : st) {
        Screen_Oeffnen(Screen_Id::TRAININGSPLAN);
        frames(100);
        Screen_Schliessen(Screen_Id::TRAININGSPLAN);
    }
}

void film_mit_video_100_frames(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    i32 kader[20];
    const int n = Teamspieler_Ins_Array(TEAM, kader, 20, 0);
    i32 p = -1;
    for (int i = 0; i < n && p < 0; ++i)
        if (Spieler_Wert(67, kader[i], 0, OP_LESEN) != 0) p = kader[i];
    if (p < 0) return st.SkipWithError("kein Feldspieler");
    for (auto _ : st) {
        Spieler_Wert(12, p, 0, OP_SCHREIBEN);
        Spieler_Training2_Screen_Init(p, 12);
        Training_Start_Klick();
        frames(100);
        Spieler_Training2_Screen_Schliessen();
    }
}

void talente_100_frames(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    i32 kader[20];
    if (Teamspieler_Ins_Array(TEAM, kader, 20, 0) == 0) return st.SkipWithError("kein Spieler");
    for (auto _ : st) {
        Spieler_Talente_Screen_Init(kader[0], TALENTE_EIGENES_TEAM);
        frames(100);
        Spieler_Talente_Screen_Schliessen();
    }
}

void lager_wahl_100_frames(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    for (auto _ : st) {
        Screen_Oeffnen(Screen_Id::TRAININGSLAGER);
        frames(100);
        Screen_Schliessen(Screen_Id::TRAININGSLAGER);
    }
}

void lager_lauf_100_frames(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    for (auto _ : st) {
        Trainings_Lager_Run_Screen_Init(2);
        frames(100);
        Trainings_Lager_Ergebnis_Schliessen();
    }
}

BENCHMARK(plan_100_frames)->Unit(benchmark::kMillisecond);
BENCHMARK(talente_100_frames)->Unit(benchmark::kMillisecond);
BENCHMARK(film_mit_video_100_frames)->Unit(benchmark::kMillisecond);
BENCHMARK(lager_wahl_100_frames)->Unit(benchmark::kMillisecond);
BENCHMARK(lager_lauf_100_frames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
