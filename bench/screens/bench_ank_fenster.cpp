// The floating table and results windows over a running match of the
// largest league in a new game of the shipped world: a frame with both
// windows shown against one without them (the windows' share is the
// difference), and a frame in which both are composed anew, as after every
// recorded match event.
#include <benchmark/benchmark.h>

#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "kit.h"
#include "match/spielfeld.h"
#include "screens/match/ank_fenster.h"
#include "season/paarungen.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "world/welt.h"

namespace {

bool bereit() {
    static const bool ok = [] {
        if (!kit::Starten(1)) return false;
        Zeichenspur_Ausschalten();
        const i32 liga = Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true);
        Wettbewerb* w = Wettbewerb_Get_Zeiger(liga);
        if (!w || w->startteam_anzahl < 2) return false;
        // The league starts: its entered clubs play, the first matchday runs.
        for (i32 k = 0; k < w->startteam_anzahl; ++k) {
            w->aktuelle_team[k] = w->start_team[k];
            w->team_slots[k] = static_cast<u8>(k);
        }
        w->aktuelle_teams = w->startteam_anzahl;
        w->flags[0] = 0, w->flags[1] = 1, w->aktueller_spieltag = 0;
        if (!Wettbewerb_Spielplan_Mischen(*w)) return false;
        Wettbewerb_Paarungen_Setzen(*w);
        const i32 h = Spiele_Lock(static_cast<u32>(liga), 0, 0, 0);
        if (h <= 0) return false;
        Spiele_Set_Ergebnis(h, 1, 0, 0);
        const Spiel* s = Spiele_Get_Spiel(h, false);
        if (!Spielfeld_Neu(static_cast<u32>(h), 1, 1, 20000, static_cast<u32>(s->team_a), 1)) return false;
        if (!Spielfeld_Anzeige_Hinzufuegen(Spielfeld_Zeiger(static_cast<u32>(h)), 1)) return false;
        Menue_Kontrollleiste_Zeigen();
        kit::Frames(2);
        return true;
    }();
    return ok;
}

void fenster(bool an) {
    for (i32 w : {ANK_FENSTER_TABELLE, ANK_FENSTER_ERGEBNISSE})
        if (an) Spielankuendigung_Blit_Seite(w);
        else Spielankuendigung_Set_Icons(w);
}

// Argument 0: the control bar alone; 1: both windows steady; 2: both
// windows composed anew every frame.
void frames(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("kein Spiel");
    const i64 art = st.range(0);
    fenster(art != 0);
    if (art != 0 && !(Ank_Fenster_Offen(ANK_FENSTER_TABELLE) && Ank_Fenster_Offen(ANK_FENSTER_ERGEBNISSE)))
        return st.SkipWithError("Fenster nicht offen");
    kit::Frames(2);
    for (auto _ : st) {
        if (art == 2) Spielankuendigung_Set_Refresh();
        kit::Frames(1);
    }
    fenster(false);
}

}  // namespace

BENCHMARK(frames)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
