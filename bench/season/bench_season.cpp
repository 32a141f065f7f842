// Season speed: reading the shipped competition file, 10,000 calendar days,
// placing matchdays, building every competition's fixture plan.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/config.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/optionen.h"
#include "season/paarungen.h"
#include "season/qualifikation.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/konfig.h"
#include "world/welt.h"

namespace {

void still(const char*) {}

std::string quelle(const char* relativ) {
    const char* q = std::getenv("KORDAVO_SOURCE_DIR");
    return std::string(q ? q : KORDAVO_QUELLE) + "/" + relativ;
}

void vorbereiten() {
    Read_Config_Set_Melder(still);
    Meldung_Hooks h;
    h.zeigen = still;
    Meldung_Set_Hooks(h);
    Kalender_Init(nullptr);
    Wettbewerb_Init();
    Spiele_Init();
}

void Wettbewerbsdatei_Lesen(benchmark::State& state) {
    vorbereiten();
    const std::string pfad = quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = quelle("data/config/1_wettbewerb_alias.cfg");
    for (auto _ : state) {
        if (!Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str())) state.SkipWithError("file missing");
    }
}
BENCHMARK(Wettbewerbsdatei_Lesen)->Unit(benchmark::kMillisecond);

void Kalender_10000_Tage(benchmark::State& state) {
    vorbereiten();
    Option_Wert(19, 1, 0);  // the tick itself, without the weekly autosave
    for (auto _ : state) {
        Kalender_Init(nullptr);
        for (int i = 0; i < 10000; ++i) Kalender_Jeden_Tag();
        benchmark::DoNotOptimize(Kalender_Get_Tag());
    }
}
BENCHMARK(Kalender_10000_Tage)->Unit(benchmark::kMillisecond);

void Datum_Von_Tag(benchmark::State& state) {
    vorbereiten();
    int tag = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Kalender_Get_Datum_Von_Tag(tag, true));
        tag = (tag + 97) % 40000;
    }
}
BENCHMARK(Datum_Von_Tag);

void Termine_Verteilen_Saison(benchmark::State& state) {
    vorbereiten();
    for (auto _ : state) {
        Kalender_Init(nullptr);
        // A season of a dozen leagues and cups.
        for (int i = 0; i < 12; ++i)
            Kalender_Termine_Verteilen(i % 3 ? 34 : 6, -1, 0, i % 2 ? 0 : 4, 90, 3, 44, i % 4, 24, 29, -1, false,
                                       false);
    }
}
BENCHMARK(Termine_Verteilen_Saison)->Unit(benchmark::kMicrosecond);

void Alle_Spielplaene_Erstellen(benchmark::State& state) {
    vorbereiten();
    const std::string pfad = quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = quelle("data/config/1_wettbewerb_alias.cfg");
    if (!Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str())) {
        state.SkipWithError("file missing");
        return;
    }
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Spiele_Init();
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) Wettbewerb_Tabelle[i].spielplan = -1;
        state.ResumeTiming();
        n = Wettbewerb_Spielplaene_Erstellen();
    }
    state.counters["plaene"] = n;
}
BENCHMARK(Alle_Spielplaene_Erstellen)->Unit(benchmark::kMicrosecond);

// Forecasts of a whole league season (18 teams, 306 games), as a fixture
// screen shows them for unplayed games.
void Prognosen_Einer_Saison(benchmark::State& state) {
    Welt_Anlegen(18, 0);
    for (int t = 0; t < 18; ++t) std::snprintf(Team_Fix_Daten[t].name, sizeof Team_Fix_Daten[t].name, "Verein %d", t);
    for (auto _ : state) {
        i32 summe = 0;
        for (int a = 0; a < 18; ++a)
            for (int b = 0; b < 18; ++b) {
                if (a == b) continue;
                i32 ta = 0, tb = 0;
                Spiele_Berechne_Ergebnis(a, b, &ta, &tb);
                summe += ta + tb;
            }
        benchmark::DoNotOptimize(summe);
    }
    Welt_Freigeben();
}
BENCHMARK(Prognosen_Einer_Saison)->Unit(benchmark::kMicrosecond);

// Knock-out decisions of every tie of a 64-team two-legged cup.
void KO_Entscheidungen(benchmark::State& state) {
    vorbereiten();
    const std::string text =
        "NEUER_WETTBEWERB\nIDENTIFIKATION POKAL\nNAME \"Pokal\"\nTEAMS 64\n"
        "MODUS KO_SYSTEM\nMODUS RUECKSPIELE\n";
    Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size()));
    Wettbewerb_Spielplaene_Erstellen();
    for (u32 k = 0; k < 32; ++k)
        for (u32 leg = 0; leg < 2; ++leg) {
            Spiele_Lock_Halter h(Spiele_Lock(50, 0, leg, k));
            Spiele_Set_Teams(h.Handle(), leg ? 2 * k + 2 : 2 * k + 1, leg ? 2 * k + 1 : 2 * k + 2);
            Spiele_Set_Ergebnis(h.Handle(), static_cast<u8>(k % 3), static_cast<u8>(leg), 0);
        }
    for (auto _ : state) {
        i32 summe = 0;
        for (i32 k = 0; k < 32; ++k) summe += Wettbewerb_Get_Runden_Sieger(50, 0, k, -1, 0, 0);
        benchmark::DoNotOptimize(summe);
    }
}
BENCHMARK(KO_Entscheidungen)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

namespace {

// Pairing orders and every matchday's pairs for each league size 2..24.
void Paarungen_Aller_Ligagroessen(benchmark::State& state) {
    vorbereiten();
    Wettbewerb w;
    Wettbewerb_Paar p[PAARUNGEN_MAX_SPIELE];
    for (auto _ : state) {
        i32 summe = 0;
        for (int n = 2; n <= PAARUNGEN_MAX_LIGA; ++n) {
            std::memset(&w, 0, sizeof w);
            w.teams = n;
            Wettbewerb_Spielplan_Mischen(w);
            for (i32 d = 0; d < 2 * n; ++d)
                summe += Wettbewerb_Get_Spieltag_Paarungen(w, d, 0, p, PAARUNGEN_MAX_SPIELE);
        }
        benchmark::DoNotOptimize(summe);
    }
}
BENCHMARK(Paarungen_Aller_Ligagroessen)->Unit(benchmark::kMicrosecond);

// Every table of the shipped competitions after a full season of results
// (the cache off, so each table is built).
void Alle_Tabellen_Nach_Einer_Saison(benchmark::State& state) {
    vorbereiten();
    const std::string pfad = quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = quelle("data/config/1_wettbewerb_alias.cfg");
    if (!Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str())) state.SkipWithError("file missing");
    Wettbewerb_Spielplaene_Erstellen();
    int tabellen = 0;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || (w.modus & WB_KO_SYSTEM) || w.spielplan < 0) continue;
        w.flags[1] = 1;
        w.aktuelle_teams = std::min(w.teams, WETTBEWERB_MAX_TEAMS);
        for (int t = 0; t < w.aktuelle_teams; ++t) w.aktuelle_team[t] = static_cast<i16>(1000 + 40 * i + t);
        Wettbewerb_Paarungen_Setzen(w);
        Wettbewerb_Paar p[PAARUNGEN_MAX_SPIELE];
        for (i32 d = 0; d < w.spieltage; ++d) {
            const int n = Wettbewerb_Get_Spieltag_Paarungen(w, d, 0, p, PAARUNGEN_MAX_SPIELE);
            for (int g = 0; g < n; ++g) {
                Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(w.id), static_cast<u32>(d), 0, static_cast<u32>(g)));
                if (h) Spiele_Set_Ergebnis(h.Handle(), static_cast<u8>((d + g) % 4), static_cast<u8>((d * g) % 3), 0);
            }
        }
        ++tabellen;
    }
    Spiele_Tabellen_Cache_Schalter(false);
    Tabelle t;
    for (auto _ : state) {
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            const Wettbewerb& w = Wettbewerb_Tabelle[i];
            if (!w.name[0] || (w.modus & WB_KO_SYSTEM) || w.spielplan < 0) continue;
            Wettbewerb_Get_Tabellen_Teams(w.id, &t);
            Tabelle_Argumente a;
            a.wettbewerb = w.id;
            benchmark::DoNotOptimize(Spiele_Get_Tabelle(a, &t));
        }
    }
    Spiele_Tabellen_Cache_Schalter(true);
    state.counters["tabellen"] = tabellen;
}
BENCHMARK(Alle_Tabellen_Nach_Einer_Saison)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// Entering every shipped competition on the shipped world, as the yearly
// set-up of a season change does.
void Alle_Wettbewerbe_Eintragen(benchmark::State& state) {
    vorbereiten();
    if (!Welt_Laden_Ordner(quelle("data/config").c_str(), 0)) state.SkipWithError("world missing");
    const std::string pfad = quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = quelle("data/config/1_wettbewerb_alias.cfg");
    int gestartet = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str());
        state.ResumeTiming();
        gestartet = 0;
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            Wettbewerb& w = Wettbewerb_Tabelle[i];
            if (!w.name[0]) continue;
            w.qualiwoche = 0;
            gestartet += Wettbewerb_Teilnehmer_Eintragen(w, false) && w.flags[1];
        }
    }
    state.counters["gestartet"] = gestartet;
}
BENCHMARK(Alle_Wettbewerbe_Eintragen)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The competitions' part of a season change on the shipped world: every
// finished league hands on its places, every competition is entered and
// started again, and its pairings are drawn and written into its plan.
void Saisonwechsel_Der_Wettbewerbe(benchmark::State& state) {
    vorbereiten();
    if (!Welt_Laden_Ordner(quelle("data/config").c_str(), 0)) state.SkipWithError("world missing");
    const std::string pfad = quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = quelle("data/config/1_wettbewerb_alias.cfg");
    for (auto _ : state) {
        state.PauseTiming();
        Spiele_Init();
        Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str());
        Wettbewerb_Spielplaene_Erstellen();
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            Wettbewerb& w = Wettbewerb_Tabelle[i];
            if (!w.name[0]) continue;
            w.qualiwoche = 0;
            Wettbewerb_Teilnehmer_Eintragen(w, false);
            Wettbewerb_Paarungen_Setzen(w);
        }
        // A season of results in every plan.
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            const Wettbewerb& w = Wettbewerb_Tabelle[i];
            const Spielplan_Kopf* k = Spiele_Get_Kopf(w.spielplan);
            if (!w.name[0] || !k) continue;
            for (u32 g = 0; g < k->spiele; ++g) {
                Spiele_Lock_Halter h(Spiele_Lock_Nummer(w.spielplan, g));
                if (h) Spiele_Set_Ergebnis(h.Handle(), static_cast<u8>(g % 4), static_cast<u8>((g / 3) % 3), 0);
            }
        }
        state.ResumeTiming();
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            Wettbewerb& w = Wettbewerb_Tabelle[i];
            if (w.name[0] && w.vorherige_gruppe < 0) Wettbewerb_Qualifikanten_Verteilen(w);
        }
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
            Wettbewerb& w = Wettbewerb_Tabelle[i];
            if (!w.name[0]) continue;
            w.flags[0] = 1;
            Wettbewerb_Teilnehmer_Eintragen(w, false);
            Wettbewerb_Spielplan_Mischen(w);
            Wettbewerb_Paarungen_Setzen(w);
        }
    }
}
BENCHMARK(Saisonwechsel_Der_Wettbewerbe)->Unit(benchmark::kMillisecond);

}  // namespace
