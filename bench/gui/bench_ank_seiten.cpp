// The announcement pages and the pitch overview with the generated archives:
// a goals page built and put on the screen, a results screen of ten games,
// a table screen of 18 clubs, and one frame of the pitch overview with 22
// players and the ball.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/files.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/ank_seiten.h"
#include "gui/anmelden.h"
#include "gui/gesicht.h"
#include "gui/spielfeld_uebersicht.h"
#include "gui/wappen.h"
#include "match/spielfeld.h"
#include "world/welt.h"

namespace {

bool bereit() {
    static const bool ok = [] {
        std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
        if (!Resf_Init() || !Font_Init(Resf_Spiel_Slot(RESF_FONT_ARCHIV), 0, 17)) return false;
        Rastport_Init_Screen();
        Wappen_Set_Hooks({.nummer_von_team = Gui_Welt_Wappen_Nummer});
        Gesicht_Set_Hooks({.aussehen = Gui_Welt_Aussehen, .farben = Gui_Welt_Farben});
        return Welt_Anlegen(20, 0);
    }();
    return ok;
}

void ergebnis_seite(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    Spielankuendigung a;
    a.team_a = 1, a.team_b = 2;
    Ank_Nach_Spiel d;
    d.team1 = 1, d.team2 = 2, d.tore1 = 3, d.tore2 = 2;
    Ank_Daten_Schreiben(d, a.daten);
    const std::vector<Ank_Tor> tore = {
        {1, 0, true, "Halke", 12}, {1, 1, false, "Wenbold", 28}, {2, 1, true, "Trebberg", 51},
        {2, 2, false, "Brinkberg", 77}, {3, 2, true, "Mettstedt", 89}};
    for (auto _ : st) {
        const Rastport_Bild p(Ank_Seite_Tore(a, tore));
        Blt_Blit(p.get(), 0, 0, -1, -1, Screen_Rastport, 20, 15, Blt_Opt_Standard);
    }
}
BENCHMARK(ergebnis_seite)->Unit(benchmark::kMicrosecond);

void ergebnis_screen(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    std::vector<Ank_Ergebniszeile> z(10);
    for (int i = 0; i < 10; ++i) z[i].team_a = 2 * i, z[i].team_b = 2 * i + 1, z[i].tore_a = i % 4, z[i].tore_b = 1;
    for (auto _ : st) Ank_Screen_Ergebnisse_Zeichnen(Screen_Rastport, -1, 5, z, 0, 10);
}
BENCHMARK(ergebnis_screen)->Unit(benchmark::kMicrosecond);

void tabelle_screen(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    std::vector<Ank_Tabellenzeile> z(18);
    for (int i = 0; i < 18; ++i) z[i].team = i, z[i].platz = i + 1, z[i].punkte = 50 - 2 * i;
    for (auto _ : st) Ank_Screen_Tabelle_Zeichnen(Screen_Rastport, -1, z, 0, 18);
}
BENCHMARK(tabelle_screen)->Unit(benchmark::kMicrosecond);

void spielfeld_frame(benchmark::State& st) {
    if (!bereit()) return st.SkipWithError("Archive fehlen");
    static Spielfeld_Inhalt sf;
    std::memset(static_cast<void*>(&sf), 0, sizeof sf);
    sf.team[0] = 1, sf.team[1] = 2, sf.minute = 40;
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 11; ++k) {
            const int i = s * 17 + k;
            sf.spieler[i].spieler = i, sf.spieler[i].status = SFS_AUF_DEM_PLATZ, sf.spieler[i].ausdauer = k ? 8000 : 2000;
            sf.objekt[i].x = static_cast<f32>(800 + 900 * k + 200 * s), sf.objekt[i].y = static_cast<f32>(600 + 520 * k);
        }
    sf.objekt[37].x = 5400, sf.objekt[37].y = 3400, sf.objekt[37].z = 300;
    sf.zweikampf[0] = sf.zweikampf[1] = -1;
    for (auto _ : st) Spieltag_Blit_Spielfeld(sf, Screen_Rastport, 400, 20);
}
BENCHMARK(spielfeld_frame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
