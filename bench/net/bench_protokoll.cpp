// The server's work for one request of the largest blocks: unpacking the
// request, the dispatch with the row, and packing the answer (the socket's
// part is bench_netz's round trip). Rows of the shipped world's sizes: 280
// teams, 7,280 players of 174 bytes each.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "base/ruf.h"
#include "net/protokoll.h"

namespace {

inline constexpr ruf::Ruf<std::vector<u8>, i32, i32, i32> B_SPIELER{0, "Spieler"};
inline constexpr ruf::Ruf<std::vector<std::array<u8, 52>>> B_TEAMS{13, "Teams"};
inline constexpr ruf::Ruf<std::vector<u8>> B_STARTTEAMS{17, "Startteams"};

std::vector<u8> anfrage_packen(u32 code, const char* typen, const std::vector<Netz_Arg>& args) {
    std::vector<u8> a;
    Netz_Anfrage_Bauen(code, 3, typen, args, &a);
    return Netz_Packen(a);
}

void antworten(benchmark::State& state, const std::vector<u8>& gepackt) {
    ruf::Zeile_Anmelden(B_SPIELER, [](i32 n, i32, i32) {
        std::vector<u8> b(static_cast<size_t>(n) * 174);
        for (size_t k = 0; k < b.size(); k++) b[k] = static_cast<u8>(k % 174 < 40 ? k : 0);
        return b;
    });
    ruf::Zeile_Anmelden(B_TEAMS, [] { return std::vector<std::array<u8, 52>>(280, std::array<u8, 52>{1, 2, 3}); });
    ruf::Zeile_Anmelden(B_STARTTEAMS, [] { return std::vector<u8>(280 * 80, 7); });
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<u8> roh, antwort;
        const char* grund = nullptr;
        Netz_Entpacken(gepackt.data(), static_cast<u32>(gepackt.size()), &roh);
        if (!Netz_Block_Beantworten(0, 3, roh.data(), roh.size(), &antwort, &grund)) state.SkipWithError(grund);
        const std::vector<u8> p = Netz_Packen(antwort);
        bytes += p.size();
        benchmark::DoNotOptimize(p.data());
    }
    state.counters["gepackt"] = static_cast<double>(bytes) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations());
}

void BM_Spieler_Alle(benchmark::State& state) {
    const u8* p = nullptr;
    u32 n = 0;
    antworten(state,
              anfrage_packen(0, "iV<=0iiii",
                             {netz_arg(Netz_Zeiger{&p, &n}), netz_arg(7280), netz_arg(0), netz_arg(0), netz_arg(0)}));
}
void BM_Spieler_Kader(benchmark::State& state) {
    const u8* p = nullptr;
    u32 n = 0;
    antworten(state,
              anfrage_packen(0, "iV<=0iiii",
                             {netz_arg(Netz_Zeiger{&p, &n}), netz_arg(26), netz_arg(0), netz_arg(0), netz_arg(0)}));
}
void BM_Teams(benchmark::State& state) {
    std::vector<u8> b(280 * 52);
    antworten(state, anfrage_packen(13, "vV<14560", {netz_arg(Netz_Feld{b.data(), b.size()})}));
}
void BM_Startteams(benchmark::State& state) {
    std::vector<u8> b(80000), n(4);
    antworten(state, anfrage_packen(17, "vC<80000I<4",
                                    {netz_arg(Netz_Feld{b.data(), b.size()}), netz_arg(Netz_Feld{n.data(), 4})}));
}

}  // namespace

BENCHMARK(BM_Spieler_Alle);
BENCHMARK(BM_Spieler_Kader);
BENCHMARK(BM_Teams);
BENCHMARK(BM_Startteams);
BENCHMARK_MAIN();
