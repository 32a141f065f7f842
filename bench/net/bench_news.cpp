// The server's work for the news rows with the real store: unpacking the
// request, the row, packing the answer. A full store of 1,500 items for six
// human clubs (250 for the asking club 3).
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "antwort_messen.h"
#include "matchday/season_netz.h"
#include "net/protokoll.h"
#include "season/netz_rufe.h"
#include "season/news.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

void vorbereiten() {
    static const bool fertig = [] {
        Welt_Anlegen(280, 0);
        for (i32 t = 0; t < 6; ++t) Manager_Neuer_Mitspieler(t, "Bank", 0);
        Season_Netz_Anmelden();
        ruf::Team_Rahmen_Setzen([](i32 team, bool an) { Aktuelles_Team = an ? team : -1; });
        News_Init();
        for (int i = 0; i < NEWS_MAX; ++i)
            News_Neu(i % 6, (i + 1) % 6, -1, NEWS_NACHRICHT, nullptr,
                     "Nachricht Nummer %d an einen Manager, mit einem Satz Text dazu.", i);
        return true;
    }();
    (void)fertig;
}

void antworten(benchmark::State& state, const std::vector<u8>& anfrage) {
    Antworten_Messen(state, Netz_Packen(anfrage));
}

// 1012: a client that knows none of its 250 items, or all of them (the
// usual inbox pass: only the end word comes back).
void BM_News_Holen(benchmark::State& state) {
    vorbereiten();
    std::vector<u32> ids = {0};
    if (state.range(0))
        for (i32 i = 0; i < News_Anzahl(); ++i)
            if (News_Get_Flags(i, 3) >= 0) ids.push_back(News_Get_Id(i));
    ids[0] = static_cast<u32>(ids.size() - 1);
    const std::string typen = "iC<=0C<4C<4C" + std::to_string(4 * ids.size()) + "i";
    const u8* p = nullptr;
    u32 n = 0, w[2];
    std::vector<u8> a;
    Netz_Anfrage_Bauen(1012, 3, typen,
                       {netz_arg(Netz_Zeiger{&p, &n}), netz_arg(Netz_Feld{&w[0], 4}), netz_arg(Netz_Feld{&w[1], 4}),
                        netz_arg(Netz_Feld{ids.data(), 4 * ids.size()}), netz_arg(3)},
                       &a);
    antworten(state, a);
}

// 1013: a question of club 3 to club 4 (the full store drops its oldest).
void BM_News_Eintragen(benchmark::State& state) {
    vorbereiten();
    std::array<i32, 10> kopf = {5, 3, 4, 100, 500000, 6, 12, 0, 0, -1};
    char text[] = "Würden Sie uns einen Kredit über 500.000 geben?";
    std::vector<u8> a;
    Netz_Anfrage_Bauen(1013, 3, "iiiiiC40C" + std::to_string(sizeof text),
                       {netz_arg(3), netz_arg(4), netz_arg(-1), netz_arg(NEWS_FRAGE),
                        netz_arg(Netz_Feld{kopf.data(), 40}), netz_arg(Netz_Feld{text, sizeof text})},
                       &a);
    antworten(state, a);
}

}  // namespace

BENCHMARK(BM_News_Holen)->Arg(0)->Arg(1);
BENCHMARK(BM_News_Eintragen);
BENCHMARK_MAIN();
