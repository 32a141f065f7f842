// Frames of the club and competition screens in a new game of the shipped
// world, steady (argument 0) and right after a change, when every smoothed
// text is laid out anew (argument 1, the text cache emptied): the stadium, advertising
// and finance screens (finance with ten seasons of bookings), the
// competition screen's three views on the largest league and on a cup's
// group stage, and the ranking's pages.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

#include "graphics/glatt.h"
#include "graphics/zeichenspur.h"
#include "gui/menue.h"
#include "gui/wappen.h"
#include "kit.h"
#include "screens/club/rangliste_screen.h"
#include "screens/club/wettbewerb_screen.h"
#include "screens/screens.h"
#include "season/wettbewerb.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

bool bereit() {
    static const bool ok = [] {
        // The new game copies the shipped configuration from the sources.
        setenv("KORDAVO_SOURCE_DIR", KORDAVO_QUELLE, 0);
        if (!kit::Starten(1)) return false;
        Zeichenspur_Ausschalten();
        // Ten seasons of bookings: every month a few payments in and out.
        for (int monat = 0; monat < 120; ++monat) {
            for (int k = 0; k < 6; ++k) Bank_Buchen(-1, Team_Aktiv, 10000.0f + 1000.0f * k, 4 + k * 3, 1, -1);
            Bank_Buchen(Team_Aktiv, -1, 50000.0f, BANK_GEHALT, 1, -1);
            Bank_Neue_Periode();
        }
        return true;
    }();
    return ok;
}

void frames(benchmark::State& st, Screen_Id id) {
    if (!bereit()) return st.SkipWithError("kein Spiel");
    Screen_Oeffnen(id);
    kit::Frames(2);
    const bool neu = st.range(0) != 0;
    for (auto _ : st) {
        if (neu) Blt_Cache_Leeren();
        kit::Frames(1);
    }
}

// The competition with the most clubs in one group, and a round of several groups.
void wettbewerb_waehlen(bool gruppenphase) {
    i32 n = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&n);
    i32 bester = 0, wert = -1;
    for (i32 k = 0; k < n; ++k) {
        i32 runden[WB_LISTE_MAX + 1];
        const i32 rn = Wettbewerb_Runden_Liste(liste[k], runden);
        for (i32 r = 0; r < rn; ++r) {
            const i32 gruppen = Wettbewerb_Gruppen_Liste(runden[r], nullptr);
            const Wettbewerb_Info* info = Wettbewerb_Get_Info(runden[r]);
            const i32 w = gruppenphase ? gruppen : (info ? info->teams : 0);
            if (w > wert) wert = w, bester = k;
        }
    }
    Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_HINTERGRUND, static_cast<u32>(bester));
    Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_SPIELTAG, 1);
}

void wettbewerb(benchmark::State& st, Screen_Id id, bool gruppenphase) {
    if (!bereit()) return st.SkipWithError("kein Spiel");
    Screen_Oeffnen(id);
    wettbewerb_waehlen(gruppenphase);
    Tabelle_Screen_Aufbauen();
    kit::Frames(2);
    const i64 neu = st.range(0);
    for (auto _ : st) {
        if (neu) Blt_Cache_Leeren();
        if (neu == 2) Wappen_Verkleinerungen_Leeren();
        kit::Frames(1);
    }
}

void stadion(benchmark::State& st) { frames(st, Screen_Id::STADION); }
void werbung(benchmark::State& st) { frames(st, Screen_Id::WERBUNG); }
void finanzen_zehn_saisons(benchmark::State& st) { frames(st, Screen_Id::FINANZEN); }
void tabelle_groesste_liga(benchmark::State& st) { wettbewerb(st, Screen_Id::WETTBEWERB_TABELLE, false); }
void ergebnisse_groesste_liga(benchmark::State& st) { wettbewerb(st, Screen_Id::WETTBEWERB_ERGEBNISSE, false); }
void uebersicht_groesste_liga(benchmark::State& st) { wettbewerb(st, Screen_Id::WETTBEWERB_UEBERSICHT, false); }
void tabelle_gruppenphase(benchmark::State& st) { wettbewerb(st, Screen_Id::WETTBEWERB_TABELLE, true); }
void ergebnisse_gruppenphase(benchmark::State& st) { wettbewerb(st, Screen_Id::WETTBEWERB_ERGEBNISSE, true); }
void uebersicht_gruppenphase(benchmark::State& st) { wettbewerb(st, Screen_Id::WETTBEWERB_UEBERSICHT, true); }
void rangliste(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("kein Spiel");
    Menue_Icon_Zustand_Setzen(ICON_RL_SCHALTER, static_cast<u32>(st.range(1)));
    frames(st, Screen_Id::RANGLISTE);
}

BENCHMARK(stadion)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(werbung)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(finanzen_zehn_saisons)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(tabelle_groesste_liga)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(ergebnisse_groesste_liga)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(uebersicht_groesste_liga)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(tabelle_gruppenphase)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(ergebnisse_gruppenphase)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(uebersicht_gruppenphase)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(rangliste)->ArgsProduct({{0, 1}, {0, 1, 3}})->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
