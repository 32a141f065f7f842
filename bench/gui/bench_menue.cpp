// A frame of the GUI demonstration (refresh and input check, the mouse over
// a button) and a word wrap of 100 lines, with the generated help font.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "base/tools.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/demo.h"
#include "gui/umbruch.h"
#include "platform/input.h"

// Counts the allocations, so that the menu frame can show it makes none.
// (GCC cannot see that this operator new allocates with malloc.)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static size_t allokationen = 0;
void* operator new(size_t n) {
    ++allokationen;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { ::operator delete(p); }

namespace {

Font* spielfont() {
    static Font* f = static_cast<Font*>(
        Resf_Lade_Eintrag(Resf_Oeffnen(KORDAVO_SPIELORDNER "/resfile/fontres.res", 0), 9, 16, nullptr));
    return f;
}

u32 uhr = 1000;
u32 uhr_lesen() { return uhr; }

void menue_frame(benchmark::State& st) {
    if (!spielfont()) return st.SkipWithError("fontres.res fehlt");
    Uhr_Set_Hooks({.jetzt = uhr_lesen});
    Rastport_Init_Screen();
    Gui_Demo_Starten(spielfont());
    Eingabe_Maus_Position(100, 94);
    for (int i = 0; i < 3; ++i) Eingabe_Neuer_Durchgang(), Gui_Demo_Frame();
    const size_t vorher = allokationen;
    for (auto _ : st) {
        uhr += 20;
        Eingabe_Neuer_Durchgang();
        Gui_Demo_Frame();
    }
    st.counters["allok/frame"] = static_cast<double>(allokationen - vorher) / static_cast<double>(st.iterations());
    Gui_Demo_Beenden();
    Uhr_Set_Hooks({});
}
BENCHMARK(menue_frame)->Unit(benchmark::kMicrosecond);

void umbruch_100_zeilen(benchmark::State& st) {
    if (!spielfont()) return st.SkipWithError("fontres.res fehlt");
    Rastport_Init_Screen();
    std::string text;
    while (text.size() < 100 * 57)
        text += "Der Trainer lobte die Mannschaftsleistung nach dem Zuckerpass zum Ausgleich in der Nachspielzeit. ";
    i32 zeilen = 0;
    for (auto _ : st) {
        Umbruch_Text_Ausgabe(Screen_Rastport, spielfont(), text.c_str(), 10, 310, 0, 5000, 0xFFFF, UMBRUCH_TRENNEN, 11);
        zeilen = static_cast<i32>(Umbruch_Zeilen().size());
    }
    st.counters["zeilen"] = zeilen;
}
BENCHMARK(umbruch_100_zeilen)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
