// The windows around a running match with the generated archives and the
// shipped world: one frame of the in-match line-up windows and one of the
// tactics window, each drawn over a live match view that runs beside them
// (the view's own frame is measured apart, so the window's share is the
// difference), and the pre-match picture: built once, then 300 frames of
// its sliding labels.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/files.h"
#include "base/globals.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "match/partie.h"
#include "match/spielfeld.h"
#include "screens/anmelden.h"
#include "screens/live_view/spielansicht.h"
#include "screens/match/ank_bild.h"
#include "screens/match/im_spiel.h"
#include "screens/match/taktik_im_spiel.h"
#include "screens/screens.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/welt.h"
#include "bench_hilfen.h"

namespace {

constexpr u32 SPIEL = 7700;
Spielfeld_Daten* sf = nullptr;

bool bereit() {
    static const bool ok = [] {
        if (!bench_hilfen::Grafik_Bereit()) return false;
        Menue_Init();
        Screens_Anmelden();
        const char* quelle = std::getenv("KORDAVO_SOURCE_DIR");
        const std::string welt = std::string(quelle ? quelle : KORDAVO_QUELLE) + "/data/config";
        Internet_Modus = INTERNET_MODUS_EINZEL;
        if (!Welt_Laden_Ordner(welt.c_str(), 0)) return false;
        Spielfeld_Init();
        Spielfeld_Set_Hooks(Partie_Hooks());
        // A human manager's club at home against the next club.
        i32 heim = -1, gast = -1;
        for (i32 t = 0; t < Team_Anzahl && gast < 0; ++t)
            if (Team_Daten[t].art & TEAM_ART_VEREIN) (heim < 0 ? heim : gast) = t;
        if (gast < 0 || !Manager_Neuer_Mitspieler(heim, "Bench", -1)) return false;
        Team_Aktiv = heim;
        Partie_Spiel_Anmelden(SPIEL, static_cast<u32>(heim), static_cast<u32>(gast), 7);
        if (!Spielfeld_Neu(SPIEL, 1, 1, 20000, static_cast<u32>(heim), 1)) return false;
        sf = Spielfeld_Zeiger(SPIEL);
        while (sf->minute < 30 && Partie_Schritt(sf, 45)) {
        }
        return Spielfeld_Anzeige_Hinzufuegen(sf, 1);
    }();
    return ok;
}

// One frame: the live view, then the menu engine's icons over it.
void frame(bool fenster) {
    Spielfeld_Daten* liste[1] = {sf};
    const Spielfeld_Steuerung st{.pause = 0, .schnell = 0, .frei = 0, .periode_ms = 45};
    Spielansicht_Run(liste, 1, &st, 0);
    if (fenster) Menue_Screen_Refresh();
}

void messen(benchmark::State& st, Screen_Id id, bool fenster) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    if (fenster && !Screen_Oeffnen(id)) return st.SkipWithError("Fenster nicht offen");
    frame(fenster), frame(fenster);
    for (auto _ : st) frame(fenster);
    if (fenster) Screen_Schliessen(id);
}

void live_view_allein(benchmark::State& st) { messen(st, Screen_Id::IM_SPIEL_AUFSTELLUNG, false); }
void live_view_mit_aufstellung(benchmark::State& st) { messen(st, Screen_Id::IM_SPIEL_AUFSTELLUNG, true); }
void live_view_mit_taktik(benchmark::State& st) { messen(st, Screen_Id::IM_SPIEL_TAKTIK, true); }
BENCHMARK(live_view_allein)->Unit(benchmark::kMicrosecond);
BENCHMARK(live_view_mit_aufstellung)->Unit(benchmark::kMicrosecond);
BENCHMARK(live_view_mit_taktik)->Unit(benchmark::kMicrosecond);

// The windows' frame alone: the menu engine draws only their icons.
void aufstellung_fenster(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    Screen_Oeffnen(Screen_Id::IM_SPIEL_AUFSTELLUNG);
    Menue_Screen_Refresh();
    for (auto _ : st) Menue_Screen_Refresh();
    Screen_Schliessen(Screen_Id::IM_SPIEL_AUFSTELLUNG);
}
void taktik_fenster(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    Screen_Oeffnen(Screen_Id::IM_SPIEL_TAKTIK);
    Menue_Screen_Refresh();
    for (auto _ : st) Menue_Screen_Refresh();
    Screen_Schliessen(Screen_Id::IM_SPIEL_TAKTIK);
}
BENCHMARK(aufstellung_fenster)->Unit(benchmark::kMicrosecond);
BENCHMARK(taktik_fenster)->Unit(benchmark::kMicrosecond);

// The pre-match picture: 300 frames of the labels (the goal: under 0.3 s).
void vor_spiel_300_frames(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    const Rastport_Bild bild(Ank_Bild_Init(static_cast<i32>(sf->team[0]), static_cast<i32>(sf->team[1])));
    if (!bild) return st.SkipWithError("kein Bild");
    for (auto _ : st)
        for (int f = 0; f < 300; ++f) Ank_Bild_Zeichnen(bild.get());
    Ank_Bild_Free();
}
void vor_spiel_aufbauen(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    for (auto _ : st) {
        const Rastport_Bild bild(Ank_Bild_Init(static_cast<i32>(sf->team[0]), static_cast<i32>(sf->team[1])));
    }
    Ank_Bild_Free();
}
BENCHMARK(vor_spiel_300_frames)->Unit(benchmark::kMillisecond);
BENCHMARK(vor_spiel_aufbauen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
