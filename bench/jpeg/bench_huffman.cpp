// The tables of the progressive scans: the code lengths as computed
// (Jpeg_Knappe_Huffman, what the encoder sends) against every code one bit
// longer (Jpeg_Optimale_Huffman), on the same pixels: stream size and
// encode speed (shortest of the runs), with the baseline stream (standard
// tables) beside them. Each pair of streams must decode to the same pixels
// (the same coefficients, other tables), else the run is marked failed.
// A table at the end.
#include "jpeg/enc_intern.h"
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"
#include "laufzeit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Photo-like: gradients, waves, a pattern of inverted patches, light noise.
std::vector<uint8_t> Foto(int w, int h) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
    uint32_t z = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            z = z * 1664525u + 1013904223u;
            const int rausch = static_cast<int>((z >> 24) % 9) - 4;
            const double fx = double(x) / w, fy = double(y) / h;
            int r = int(200 * fx + 30 * std::sin(fy * 9 + x * 0.05)) + rausch;
            int g = int(160 * fy + 60 * std::cos(fx * 7 + y * 0.03)) + rausch;
            int b = int(120 + 100 * std::sin((fx + fy) * 5)) + rausch;
            if ((x / 23 + y / 17) % 7 == 0) r = 255 - r, b = 40;
            uint8_t* p = &px[(static_cast<size_t>(y) * w + x) * 3];
            p[0] = static_cast<uint8_t>(std::clamp(r, 0, 255));
            p[1] = static_cast<uint8_t>(std::clamp(g, 0, 255));
            p[2] = static_cast<uint8_t>(std::clamp(b, 0, 255));
        }
    return px;
}

// Detailed: noise, fine waves and a checkerboard.
std::vector<uint8_t> Detail(int w, int h) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
    unsigned z = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            z = z * 1103515245u + 12345u;
            const int n = static_cast<int>((z >> 16) & 31);
            uint8_t* q = &px[(static_cast<size_t>(y) * w + x) * 3];
            q[0] = static_cast<uint8_t>(128 + 90 * std::sin(x / 23.0) * std::cos(y / 17.0) + n / 2);
            q[1] = static_cast<uint8_t>((x * 255) / w);
            q[2] = static_cast<uint8_t>(((x / 32 + y / 32) & 1) ? 200 - (y * 100) / h : 40 + (y * 150) / h + n / 4);
        }
    return px;
}

// Smooth: wide gradients only (long end-of-band runs).
std::vector<uint8_t> Glatt(int w, int h) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* q = &px[(static_cast<size_t>(y) * w + x) * 3];
            q[0] = static_cast<uint8_t>(40 + (x * 180) / w);
            q[1] = static_cast<uint8_t>(60 + (y * 150) / h);
            q[2] = static_cast<uint8_t>(128 + 100 * std::sin((x + y) / 400.0));
        }
    return px;
}

struct Bildart {
    const char* name;
    int w, h;
    std::vector<uint8_t> (*machen)(int, int);
};
const Bildart BILDER[] = {{"photo", 800, 600, Foto},
                          {"photo", 2048, 1536, Foto},
                          {"detail", 800, 600, Detail},
                          {"smooth", 3000, 2000, Glatt}};
constexpr uint32_t QUALITAETEN[] = {50, 75, 90};

// The table builders compared (index 0: the encoder's own).
constexpr Jpeg_Huffman_Bau_Fn BAUER[] = {Jpeg_Knappe_Huffman, Jpeg_Optimale_Huffman};
// Index 2: baseline with the standard tables.

const std::vector<uint8_t>& Pixel(int bild) {
    static std::map<int, std::vector<uint8_t>> vorrat;
    auto it = vorrat.find(bild);
    if (it == vorrat.end()) it = vorrat.emplace(bild, BILDER[bild].machen(BILDER[bild].w, BILDER[bild].h)).first;
    return it->second;
}

// One encode into puffer: the stream's size, 0 on failure. art 0/1: a
// progressive stream with builder BAUER[art]; 2: baseline.
size_t Kodieren(int bild, uint32_t q, bool voll, int art, std::vector<uint8_t>& puffer) {
    const Bildart& b = BILDER[bild];
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return 0;
    a.Bild_Pixel = const_cast<uint8_t*>(Pixel(bild).data());
    a.Bild_Breite = a.Jpg_Breite = static_cast<uint32_t>(b.w);
    a.Bild_Hoehe = b.h;
    a.Jpg_Hoehe = static_cast<uint32_t>(b.h);
    a.Bild_Farbraum = FARBE_RGB;
    a.Jpg_Abtastung = voll ? ABTASTUNG_KEINE : ABTASTUNG_411;
    a.Qualitaet = q;
    if (art < 2) {
        a.Intern.Scan_Zaehler = 1;
        a.Intern.Strom.Kern_Tabelle->Huffman_Bauen = BAUER[art];
    }
    a.Jpg_Puffer = puffer.data();
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(puffer.size());
    const size_t n = Jpeg_Schreiben(&a, JMODUS_PUFFER_BILD_SCHREIBEN) == 0 ? a.Jpg_Puffer_Groesse : 0;
    Jpeg_Free(&a);
    return n;
}

std::vector<uint8_t> Dekodieren(const std::vector<uint8_t>& jpeg, size_t n, int w, int h) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return {};
    a.Jpg_Puffer = const_cast<uint8_t*>(jpeg.data());
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(n);
    bool ok = Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER) == 0;
    a.Bild_Pixel = px.data();
    a.Bild_Breite = static_cast<uint32_t>(w);
    a.Bild_Hoehe = h;
    a.Bild_Kanaele = 3;
    a.Bild_Farbraum = FARBE_RGB;
    ok = ok && Jpeg_Lesen(&a, JMODUS_PUFFER_BILD) == 0;
    Jpeg_Free(&a);
    return ok ? px : std::vector<uint8_t>{};
}

// (picture, quality, 4:4:4) -> per art: bytes, megapixels per second.
struct Messung {
    size_t bytes[3] = {};
    double mps[3] = {};
};
std::map<std::tuple<int, uint32_t, bool>, Messung> ergebnisse;

// Arguments: picture index, quality index, 4:4:4 (0/1), art (0 the
// encoder's tables, 1 one bit longer, 2 baseline).
void BM_Tabellen(benchmark::State& state) {
    const int bild = static_cast<int>(state.range(0));
    const uint32_t q = QUALITAETEN[state.range(1)];
    const bool voll = state.range(2) != 0;
    const int art = static_cast<int>(state.range(3));
    const Bildart& b = BILDER[bild];
    std::vector<uint8_t> puffer(static_cast<size_t>(b.w) * b.h * 3 * 2 + 65536);
    size_t n = 0;
    Laufzeit zeit;
    Pixel(bild);
    for (auto _ : state) {
        n = zeit.messen([&] { return Kodieren(bild, q, voll, art, puffer); });
        if (!n) return state.SkipWithError("encode failed");
        benchmark::DoNotOptimize(puffer.data());
    }
    if (art == 1) {
        // The same pixels as from the encoder's own tables.
        std::vector<uint8_t> eigen(puffer.size());
        const size_t m = Kodieren(bild, q, voll, 0, eigen);
        const std::vector<uint8_t> a = Dekodieren(puffer, n, b.w, b.h), e = Dekodieren(eigen, m, b.w, b.h);
        if (a.empty() || a != e) return state.SkipWithError("the longer codes decode to other pixels");
    }
    Messung& m = ergebnisse[{bild, q, voll}];
    m.bytes[art] = n;
    m.mps[art] = zeit.mp_pro_s(b.w, b.h);
    state.counters["bytes"] = double(n);
    state.counters["MP/s"] = m.mps[art];
}

void Argumente(benchmark::internal::Benchmark* b) {
    for (int bild = 0; bild < 4; ++bild)
        for (int q = 0; q < 3; ++q)
            for (int voll : {0, 1})
                for (int art : {0, 1, 2}) b->Args({bild, q, voll, art});
    b->ArgNames({"picture", "quality", "444", "tables"});
}

}  // namespace

BENCHMARK(BM_Tabellen)->Apply(Argumente)->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\n%-28s %9s %9s %9s %7s %9s %9s\n", "picture", "baseline", "computed", "one bit", "growth", "MP/s",
                "MP/s");
    std::printf("%-28s %9s %9s %9s %7s %9s %9s\n", "", "bytes", "bytes", "longer", "", "computed", "longer");
    for (const auto& [k, m] : ergebnisse) {
        const auto [bild, q, voll] = k;
        if (!m.bytes[0] || !m.bytes[1]) continue;
        const std::string name = std::string(BILDER[bild].name) + " " + std::to_string(BILDER[bild].w) + "x" +
                                 std::to_string(BILDER[bild].h) + " q" + std::to_string(q) +
                                 (voll ? " 4:4:4" : " 4:2:0");
        std::printf("%-28s %9zu %9zu %9zu %6.1f%% %9.1f %9.1f\n", name.c_str(), m.bytes[2], m.bytes[0], m.bytes[1],
                    100.0 * (double(m.bytes[1]) / double(m.bytes[0]) - 1.0), m.mps[0], m.mps[1]);
    }
    benchmark::Shutdown();
    return 0;
}
