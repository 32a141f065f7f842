// The server's work for one request of the largest blocks: unpacking the
// request, the dispatch with the row, and packing the answer (the socket's
// part is bench_netz's round trip). Rows of the shipped world's sizes: 280
// teams, 7,280 players of 174 bytes each.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "antwort_messen.h"
#include "base/ruf.h"
#include "match/netz_rufe.h"
#include "net/protokoll.h"
#include "season/netz_rufe.h"

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
    Antworten_Messen(state, gepackt);
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

// The season's largest answers: a match's whole pitch record (1032, fetched
// at kick-off and for every repair) and the calendar state (1002).
void BM_Spielfeld(benchmark::State& state) {
    ruf::Zeile_Anmelden(RUF_SPIELFELD_LADEN, [] {
        std::vector<u8> b(SPIELFELD_GROESSE);
        for (size_t k = 0; k < b.size(); k++) b[k] = static_cast<u8>(k % 7 == 0 ? k : 0);
        return std::tuple<u8, std::vector<u8>, u32, f32, u32, u32>{1, b, 12, 12.5f, 3, 4};
    });
    std::vector<u8> b(SPIELFELD_GROESSE);
    u32 w[4];
    antworten(state, anfrage_packen(1032, "iI<42276I<4F<4I<4I<4",
                                    {netz_arg(Netz_Feld{b.data(), b.size()}), netz_arg(Netz_Feld{&w[0], 4}),
                                     netz_arg(Netz_Feld{&w[1], 4}), netz_arg(Netz_Feld{&w[2], 4}),
                                     netz_arg(Netz_Feld{&w[3], 4})}));
}
void BM_Kalender(benchmark::State& state) {
    ruf::Zeile_Anmelden(RUF_KALENDER_KALENDER, [] {
        return std::tuple<std::vector<i32>, std::vector<u8>, i32>{std::vector<i32>(12, 3), std::vector<u8>(7468, 1),
                                                                  12};
    });
    const u8* p = nullptr;
    u32 n = 0;
    std::vector<u8> b(7468), z(4);
    antworten(state, anfrage_packen(1002, "iC000C<7468C<4",
                                    {netz_arg(Netz_Zeiger{&p, &n}), netz_arg(Netz_Feld{b.data(), b.size()}),
                                     netz_arg(Netz_Feld{z.data(), 4})}));
}

}  // namespace

BENCHMARK(BM_Spielfeld);
BENCHMARK(BM_Kalender);
BENCHMARK(BM_Spieler_Alle);
BENCHMARK(BM_Spieler_Kader);
BENCHMARK(BM_Teams);
BENCHMARK(BM_Startteams);
BENCHMARK_MAIN();
