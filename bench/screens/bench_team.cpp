// The team screens in a new game with a full squad: a frame of the squad
// and line-up screen, the squad view and the tactics screen with the mouse
// resting on a player so that his hover text shows, and of the squad screen
// with the player card and with the attribute popup open. The heap
// allocations a frame makes are counted (none are wanted).
#include <benchmark/benchmark.h>

#include <cstdlib>

#define BENCH_ZUTEILUNGEN_ZAEHLEN
#include "bench_hilfen.h"
#include "graphics/zeichenspur.h"
#include "gui/menue.h"
#include "kit.h"
#include "screens/screens.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/kader.h"
#include "screens/squad/kaderansicht.h"
#include "screens/squad/spielerkarte.h"
#include "world/welt.h"

namespace {

bool bereit() {
    static const bool ok = [] {
        setenv("KORDAVO_SOURCE_DIR", KORDAVO_QUELLE, 0);
        if (!kit::Starten(1)) return false;
        Zeichenspur_Ausschalten();
        return true;
    }();
    return ok;
}

struct Punkt {
    i32 x, y;
};

// Opens the screen (entry of the team menu), runs the set-up, which gives
// the place where the mouse rests for the hover text, then times single frames.
template <class Vorher>
void frames(benchmark::State& st, int eintrag, Screen_Id id, Vorher vorher) {
    if (!bereit()) return st.SkipWithError("Spiel startet nicht");
    if (!Screen_Offen(id) && !kit::Hauptmenue_Eintrag(0, eintrag)) return st.SkipWithError("Screen fehlt");
    kit::Frames(30);
    const Punkt p = vorher();
    kit::Maus(p.x, p.y);
    kit::Frames(150);  // the hover text shows after a second
    long pro_frame = 0;
    for (auto _ : st) {
        const long a = bench_hilfen::zuteilungen;
        kit::Frames(1);
        pro_frame = bench_hilfen::zuteilungen - a;
    }
    st.counters["zuteilungen_pro_frame"] = static_cast<double>(pro_frame);
}

void kader_frame(benchmark::State& st) {
    frames(st, 0, Screen_Id::KADER, [] { return Punkt{300, 136 + 17 * 4 + 8}; });
}
void kaderansicht_frame(benchmark::State& st) {
    frames(st, 1, Screen_Id::KADER_ANSICHT, [] {
        const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ICON_E2_KARTE);
        return k ? Punkt{k->x + 20, k->y + 8} : Punkt{400, 300};
    });
}
void taktik_frame(benchmark::State& st) {
    frames(st, 2, Screen_Id::TAKTIK, [] { return Punkt{300, 136 + 17 * 4 + 8}; });
}
void kader_mit_karte(benchmark::State& st) {
    frames(st, 0, Screen_Id::KADER, [] {
        Spieler_Info_Schliessen();
        Spieler_Info_Screen_Init(E1_Screen_Spieler_Von(ICON_KADER_ZEILE + 3), Team_Aktiv, SPIELERKARTE_EIGEN);
        return Punkt{400, 300};
    });
    Spieler_Info_Schliessen();
}
void kader_mit_popup(benchmark::State& st) {
    frames(st, 0, Screen_Id::KADER, [] {
        Attribut_Popup_Schliessen();
        Attribut_Popup_Oeffnen(E1_Screen_Spieler_Von(ICON_KADER_ZEILE + 2), 560, 170, Team_Aktiv);
        return Punkt{300, 136 + 17 * 8 + 8};
    });
    Attribut_Popup_Schliessen();
}

BENCHMARK(kader_frame)->Unit(benchmark::kMicrosecond);
BENCHMARK(kaderansicht_frame)->Unit(benchmark::kMicrosecond);
BENCHMARK(taktik_frame)->Unit(benchmark::kMicrosecond);
BENCHMARK(kader_mit_karte)->Unit(benchmark::kMicrosecond);
BENCHMARK(kader_mit_popup)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
