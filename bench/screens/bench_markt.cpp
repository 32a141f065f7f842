// The transfer market with the shipped world (1,700 market players): a frame
// of the transfer screen, of the negotiation window and of the scout's
// journey; the search's sort of the whole market, the search's results and
// the transfer window's refill. Goals: a frame under 1 ms, the market sorted
// under 5 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "base/files.h"
#include "base/random.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "screens/anmelden.h"
#include "screens/market/scout_suche.h"
#include "screens/market/scouting.h"
#include "screens/market/transfer.h"
#include "screens/market/verhandlung.h"
#include "screens/screens.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/markt.h"
#include "world/welt.h"
#include "bench_hilfen.h"

namespace {

constexpr i32 TEAM = 20;

bool bereit() {
    static const bool ok = [] {
        if (!bench_hilfen::Grafik_Bereit()) return false;
        Menue_Init();
        Screens_Anmelden();
        if (!Welt_Laden_Ordner(KORDAVO_SPIELORDNER "/config", 0)) return false;
        Bank_Init();
        Bank_Konto_Anlegen(TEAM, 50000000.0, 0);
        Team_Aktiv = TEAM;
        return Team_Kader_Anzahl(Team_Transfermarkt) == 1700;
    }();
    return ok;
}

void transfer_frame(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    Screen_Oeffnen(Screen_Id::TRANSFER);
    for (auto _ : st) Menue_Screen_Refresh();
    Screen_Schliessen(Screen_Id::TRANSFER);
}
BENCHMARK(transfer_frame)->Unit(benchmark::kMicrosecond);

void verhandlung_frame(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    Screen_Oeffnen(Screen_Id::TRANSFER);
    Verhandlung_Oeffnen(Transfer_Screen_Spieler_Von(ICON_TRANSFER_EIGEN + 19),
                        Transfer_Screen_Spieler_Von(ICON_TRANSFER_MARKT));
    for (auto _ : st) Menue_Screen_Refresh();
    Screen_Schliessen(Screen_Id::TRANSFER);
}
BENCHMARK(verhandlung_frame)->Unit(benchmark::kMicrosecond);

void reise_frame(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    Screen_Oeffnen(Screen_Id::SCOUTING);
    i32 ergebnis[SUCHE_ERGEBNISSE];
    Scout_Suche_Ergebnisse(TEAM, 0, 6, ergebnis);
    Scout_Suche_Starten(0, 6, ergebnis);
    for (auto _ : st) Menue_Screen_Refresh();
    Screen_Schliessen(Screen_Id::SCOUTING);
}
BENCHMARK(reise_frame)->Unit(benchmark::kMicrosecond);

// The search's shuffle and sort by maximum strength over the whole market.
void markt_sortieren(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    std::vector<i32> markt(1700);
    const int n = Teamspieler_Ins_Array(Team_Transfermarkt, markt.data(), 1700, 0);
    std::vector<u32> liste(static_cast<size_t>(n));
    std::vector<i32> schluessel(static_cast<size_t>(n));
    for (auto _ : st) {
        for (int i = 0; i < n; ++i) liste[static_cast<size_t>(i)] = static_cast<u32>(markt[static_cast<size_t>(i)]);
        SortMisch_Mische(liste.data(), n);
        for (int i = 0; i < n; ++i)
            schluessel[static_cast<size_t>(i)] = Spieler_Wert(97, static_cast<i32>(liste[static_cast<size_t>(i)]), 0, OP_LESEN);
        SortMisch_Sortiere(liste.data(), schluessel.data(), n, 1);
        benchmark::DoNotOptimize(liste.data());
    }
    st.counters["spieler"] = n;
}
BENCHMARK(markt_sortieren)->Unit(benchmark::kMicrosecond);

void suche_ergebnisse(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    i32 ergebnis[SUCHE_ERGEBNISSE];
    for (auto _ : st) {
        Scout_Suche_Ergebnisse(TEAM, 0, 6, ergebnis);
        benchmark::DoNotOptimize(ergebnis);
    }
}
BENCHMARK(suche_ergebnisse)->Unit(benchmark::kMicrosecond);

void fenster_fuellen(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive oder Welt fehlen");
    for (auto _ : st) {
        for (i32& s : Team_Own_Daten[TEAM].transferfenster) s = -1;
        Transfer_Fenster_Fuellen(TEAM);
    }
}
BENCHMARK(fenster_fuellen)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
