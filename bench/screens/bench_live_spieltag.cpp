// Four human managers' matches shown at once through the matchday runner of
// a new game (the shipped world, the program's own run loop): the time of a
// whole program frame while the four matches play (engine, four live views,
// control bar) and of the four views' composition alone over the runner's
// pitch records. Counted: the heap allocations a frame of the views makes.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "kit.h"
#include "main/programm.h"
#include "match/spielfeld.h"
#include "platform/headless.h"
#include "screens/live_view/spielansicht.h"
#include "season/kalender.h"

namespace {
std::atomic<long> zuteilungen{0};
}  // namespace

#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t n) {
    ++zuteilungen;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

void lauf(const std::string& skript, int frames) {
    Headless_Skript(skript + "wait 1\n");
    for (int i = 0; i < frames; ++i) {
        kit::Warten(20);
        Headless_Frames(1);
    }
}

// Notices, pages and the end of a turn are taken away as a player would.
void weiter() {
    std::string skript = Ankuendigung_Wegklicken();
    if (Menue_Requester_Offen()) {
        if (const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_2))
            skript = "move " + std::to_string(k->x + k->w / 2) + " " + std::to_string(k->y + k->h / 2) +
                     "\nwait 2\nclick left\n";
    } else if (Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) &&
               Menue_Modus == 0) {
        skript = "move 750 583\nwait 2\nclick left\n";
    }
    lauf(skript, 6);
}

int gezeigt() {
    Spielfeld_Daten* liste[SF_MAX_ANZEIGE];
    return Spielansicht_Laufzustand() == 1 ? Spielfeld_Anzeigeliste(liste) : 0;
}

// A new game with four managers, days and matchdays played until four
// matches are shown at once, then a few minutes into them.
bool bereit() {
    static const bool ok = [] {
        setenv("KORDAVO_SOURCE_DIR", KORDAVO_QUELLE, 0);
        if (!kit::Starten(4)) return false;
        Zeichenspur_Ausschalten();
        Test_Live_Ansicht(true);
        for (int n = 0; n < 60000 && gezeigt() < 4; ++n) {
            const bool live = gezeigt() > 0;
            Spielfeld_Set_Fast(live ? 1 : 0);  // a matchday of fewer views is played through
            if (!live || Menue_Requester_Offen()) weiter();
            else lauf("", 1);
        }
        if (gezeigt() < 4) return false;
        Spielfeld_Set_Fast(0);
        lauf("move 400 300\n", 600);  // twelve seconds of play
        return gezeigt() == 4;
    }();
    return ok;
}

void programm_frame(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("keine vier Spiele live");
    for (auto _ : st) {
        kit::Warten(20);
        Headless_Frames(1);
    }
    st.counters["views"] = gezeigt();
}

void vier_views(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("keine vier Spiele live");
    Spielfeld_Daten* liste[SF_MAX_ANZEIGE];
    const int anzahl = Spielfeld_Anzeigeliste(liste);
    const long vorher = zuteilungen;
    long frames = 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(Spielansicht_Run(liste, anzahl, Spielfeld_Get_Steuerung(), 0));
        ++frames;
    }
    st.counters["views"] = anzahl;
    st.counters["zuteilungen_pro_frame"] = frames ? static_cast<double>(zuteilungen - vorher) / frames : 0;
}

BENCHMARK(vier_views)->Unit(benchmark::kMicrosecond);
BENCHMARK(programm_frame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
