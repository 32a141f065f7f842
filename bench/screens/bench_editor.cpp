// The data editor on the shipped world (7,280 players): a frame of the main
// screen with a club's squad and with the transfer market's 1,700 players
// listed (the mouse on a row), of the attribute edit, of the look page and of
// the crest page with their grids open; sorting the market's lists and the
// club list; writing the three files of the world.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "graphics/zeichenspur.h"
#include "gui/menue.h"
#include "kit.h"
#include "screens/editor/attribut_edit.h"
#include "screens/editor/aussehen.h"
#include "screens/editor/editor.h"
#include "screens/editor/wappen.h"
#include "screens/screens.h"
#include "season/wettbewerb_schreiben.h"
#include "world/welt.h"

namespace {

bool bereit() {
    static const bool ok = [] {
        setenv("KORDAVO_SOURCE_DIR", KORDAVO_QUELLE, 0);
        if (!kit::Starten(1)) return false;
        Zeichenspur_Ausschalten();
        Menue_Screen_Icons_Loeschen_Bereich(BEREICH_AUCH_BLEIBENDE, -9999, -9999, 9999, 9999);
        return Screen_Oeffnen(Screen_Id::EDITOR);
    }();
    return ok;
}

void seiten_zu() {
    Attribut_Edit_Schliessen();
    Editor_Aussehen_Schliessen();
    Editor_Wappen_Schliessen();
}

template <class Vorher>
void frames(benchmark::State& st, Vorher vorher) {
    if (!bereit()) return st.SkipWithError("Editor startet nicht");
    seiten_zu();
    vorher();
    kit::Maus(500, EDITOR_ZEILE_Y0 + EDITOR_ZEILE_H * 6 + 8);
    kit::Frames(20);
    for (auto _ : st) kit::Frames(1);
    st.counters["spieler"] = Spieler_Anzahl;
}

void haupt_verein(benchmark::State& st) { frames(st, [] { Editor_Spielerliste(Editor_Get_Zustand().teams[0]); }); }
void haupt_transfermarkt(benchmark::State& st) { frames(st, [] { Editor_Transfermarkt_Liste(800, 0); }); }
void attribute(benchmark::State& st) {
    frames(st, [] {
        Editor_Spielerliste(Editor_Get_Zustand().teams[0]);
        Attribut_Edit_Screen_Init(Editor_Get_Zustand().spieler[3], 30, 100, Editor_Get_Zustand().team);
    });
}
void aussehen_raster(benchmark::State& st) {
    frames(st, [] {
        Editor_Spielerliste(Editor_Get_Zustand().teams[0]);
        Editor_Aussehen_Init(Editor_Get_Zustand().spieler[3]);
        if (Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_AUSSEHEN_GITTER + 3)) Editor_Aussehen_Feld_Klick(i, MENUE_E_LINKS);
    });
}
void wappen_raster(benchmark::State& st) {
    frames(st, [] {
        Editor_Wappen_Init(Editor_Get_Zustand().teams[0]);
        Editor_Wappen_Raster_Oeffnen(0);
    });
    seiten_zu();
}

// Sorting: the market without scouts (by nation, class), the scouts (by
// continent's name, class), the clubs by country and league.
void sortieren(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Editor startet nicht");
    const i32 art = static_cast<i32>(st.range(0));
    for (auto _ : st) {
        if (art < 2) Editor_Transfermarkt_Liste(0, art);
        else Editor_Teamliste(0, 2);
    }
    st.counters["eintraege"] = static_cast<double>(art < 2 ? Editor_Get_Zustand().spieler.size() : Editor_Get_Zustand().teams.size());
}

void schreiben(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Editor startet nicht");
    for (auto _ : st) {
        if (!Editor_Speichern()) return st.SkipWithError("nicht geschrieben");
        st.PauseTiming();
        while (kit::Requester_Offen()) kit::Requester_Antworten(true);
        st.ResumeTiming();
    }
}

BENCHMARK(haupt_verein)->Unit(benchmark::kMicrosecond);
BENCHMARK(haupt_transfermarkt)->Unit(benchmark::kMicrosecond);
BENCHMARK(attribute)->Unit(benchmark::kMicrosecond);
BENCHMARK(aussehen_raster)->Unit(benchmark::kMicrosecond);
BENCHMARK(wappen_raster)->Unit(benchmark::kMicrosecond);
BENCHMARK(sortieren)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(schreiben)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
