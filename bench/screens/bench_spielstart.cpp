// The finishing of a new game's set-up with four managers on the shipped
// world (clubs moved into the chosen leagues and fitted to them, managers,
// accounts, advertising), and one frame of the wizard's club page.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "base/files.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "screens/start/spielstart.h"
#include "screens/start/start_intern.h"
#include "season/wettbewerb_abfragen.h"
#include "world/team.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

bool bereit() {
    static const bool ok = [] {
        std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
        // The shipped world of the source tree (run from the build folder).
        const char* quelle = std::getenv("KORDAVO_SOURCE_DIR");
        std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s/data/config", quelle ? quelle : "../..");
        if (!Resf_Init() || !Font_Init(Resf_Spiel_Slot(RESF_FONT_ARCHIV), 0, FONT_ANZAHL)) return false;
        Rastport_Init_Screen();
        Text_cfg_Init();
        Menue_Init();
        return true;
    }();
    return ok;
}

// A new game's world, read afresh: the modules a new game starts with.
bool welt() {
    Wettbewerb_Init();
    Spiele_Init();
    Bank_Init();
    Stadion_Init();
    Werbung_Init();
    Global_Cfg_Laden(0);
    Team_Init_Leer();
    Spielstart_Zuruecksetzen();
    return Spielstart_Neues_Spiel();
}

// Four managers: the first four clubs of the first country, each into the
// first league offered.
void vier_manager() {
    Spielstart_Zustand& z = Spielstart_Get_Zustand();
    Spielstart_Laender_Bauen();
    z.anzahl = 4, z.schwierigkeit = 2, z.slot = 3;
    u32 teams[1000];
    const i32 n = Team_Get_Teams_Von_Nation(z.laender[0], teams, 1, 1);
    i32 ligen[128];
    Wettbewerb_Get_Aktive(-1, ligen, true);
    for (i32 i = 0; i < 4 && i < n; ++i) {
        Spielstart_Slot& s = Spielstart_Slots[i];
        std::snprintf(s.name, sizeof s.name, "Manager %d", i + 1);
        s.gesicht = i, s.land = z.laender[0], s.team = static_cast<i32>(teams[i]), s.liga = ligen[i % 2], s.behalten = 0;
    }
}

void abschliessen_vier_manager(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    for (auto _ : st) {
        st.PauseTiming();
        if (!welt()) return st.SkipWithError("die Welt fehlt");
        vier_manager();
        st.ResumeTiming();
        Spielstart_Abschliessen();
        if (Manager_Anzahl_Menschen() != 4 || !Spielstart_Beendet) return st.SkipWithError("nicht fertig");
    }
}
BENCHMARK(abschliessen_vier_manager)->Unit(benchmark::kMillisecond)->Iterations(3);

// One frame of the wizard's club page (the summary, six clubs with crests,
// stars and leagues, the buttons) on the shipped world.
void wizard_seite_verein(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    if (!welt()) return st.SkipWithError("die Welt fehlt");
    Spielstart_Laender_Bauen();
    Spielstart_Zustand& z = Spielstart_Get_Zustand();
    z.anzahl = 1, z.slot = 0, z.schwierigkeit = 2;
    Spielstart_Slot& s = Spielstart_Slots[0];
    std::snprintf(s.name, sizeof s.name, "Manager 1");
    s.gesicht = 0, s.land = z.laender[0];
    z.seite = 4;
    Spielstart_Seite_Init(1);
    if (z.seite != 5) return st.SkipWithError("keine Vereinsseite");
    Menue_Screen_Refresh();
    for (auto _ : st) Menue_Screen_Refresh();
    Spielstart_Videos_Schliessen();
}
BENCHMARK(wizard_seite_verein)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
