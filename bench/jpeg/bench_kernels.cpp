// Nanoseconds per 8x8 block for every transform kernel and processor code.
//
// Each iteration copies one of 256 prepared blocks into a work block and runs
// the kernel on it; the copy (128 bytes) is measured on its own as "Kopie".
// The encoder's two-block AVX2 forms (with AVX2 only) copy and transform two
// blocks per iteration and report the time per block.
//
// The encoder's three-byte colour kernels run over whole pictures (the
// whole-program benchmark's 800x600 detailed and 8000x6000 smooth pictures),
// MCU by MCU as the encoder calls them; reported per picture and per MCU.
#include "jpeg/dec_simd.h"
#include "jpeg/enc_intern.h"
#include "jpeg/jpeg_kern.h"
#include "jpeg/jpeg_simd.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int POOL = 256;

struct Daten {
    alignas(16) int16_t proben[POOL][64];         // level-shifted samples
    alignas(16) int16_t koeffizienten[POOL][64];  // quantised coefficients, mostly small
    alignas(16) int16_t skaliert[POOL][64];       // dequantised (accurate scale)
    alignas(16) int16_t qtab_schnell[64];
    alignas(16) int16_t qtab_genau[64];
    alignas(16) int16_t dqtab_schnell[JPEG_QTAB_WORTE];
    alignas(16) int16_t dqtab_genau[JPEG_QTAB_WORTE];
    // The decoder's pair kernels: quantised coefficients (all; those of rows
    // and columns 0..3 alone; of rows 0..1 and columns 0..3 alone, as in
    // smooth pictures) and the same dequantised for the accurate and the
    // fast inverse.
    alignas(16) int16_t dek_quant[3][POOL][64];
    alignas(16) int16_t dek_genau[3][POOL][64];
    alignas(16) int16_t dek_schnell[3][POOL][64];

    Daten() {
        std::mt19937 z(7);
        std::uniform_int_distribution<int> probe(-128, 127);
        for (auto& b : proben)
            for (int16_t& v : b) v = int16_t(probe(z));
        for (int k = 0; k < POOL; ++k) {
            for (int i = 0; i < 64; ++i) {
                // Low frequencies carry most of the energy.
                const int spanne = i < 6 ? 60 : (i < 20 ? 6 : 1);
                koeffizienten[k][i] = int16_t(std::uniform_int_distribution<int>(-spanne, spanne)(z));
                if (i >= 20 && z() % 4) koeffizienten[k][i] = 0;
                skaliert[k][i] = int16_t(koeffizienten[k][i] * 8);
            }
        }
        // Quality 75 luminance steps, zigzag order.
        static const int16_t basis[64] = {8,  6,  6,  7,  6,  5,  8,  7,  7,  7,  9,  9,  8,  10, 12, 20,
                                          13, 12, 11, 11, 12, 25, 18, 19, 15, 20, 29, 26, 31, 30, 29, 26,
                                          28, 28, 32, 36, 46, 39, 32, 34, 44, 35, 28, 28, 40, 55, 41, 44,
                                          48, 49, 52, 52, 52, 31, 39, 57, 61, 56, 50, 60, 46, 51, 52, 50};
        std::memcpy(qtab_schnell, basis, sizeof basis);
        std::memcpy(qtab_genau, basis, sizeof basis);
        Jpeg_Qtab_Schnell(qtab_schnell);
        Jpeg_Qtab_Genau(qtab_genau);
        std::memcpy(dqtab_schnell, basis, sizeof basis);
        std::memcpy(dqtab_genau, basis, sizeof basis);
        Jpeg_Dqtab_Schnell(dqtab_schnell);
        Jpeg_Dqtab_Genau(dqtab_genau);
        for (int tief = 0; tief < 3; ++tief)
            for (int k = 0; k < POOL; ++k) {
                for (int i = 0; i < 64; ++i)
                    dek_quant[tief][k][i] =
                        (tief && (i >= (tief == 1 ? 32 : 16) || (i & 7) >= 4)) ? 0 : koeffizienten[k][i];
                std::memcpy(dek_genau[tief][k], dek_quant[tief][k], 128);
                Jpeg_Dequant_Genau(dek_genau[tief][k], dqtab_genau);
                std::memcpy(dek_schnell[tief][k], dek_quant[tief][k], 128);
                Jpeg_Dequant_Schnell(dek_schnell[tief][k], dqtab_schnell);
            }
    }
};

const Daten& daten() {
    static const Daten d;
    return d;
}

enum class Eingabe { Proben, Koeffizienten, Skaliert };

const int16_t (*pool(Eingabe e))[64] {
    const Daten& d = daten();
    switch (e) {
        case Eingabe::Proben: return d.proben;
        case Eingabe::Koeffizienten: return d.koeffizienten;
        default: return d.skaliert;
    }
}

void block_lauf(benchmark::State& state, Jpeg_Block_Fn fn, Eingabe e) {
    const int16_t(*quelle)[64] = pool(e);
    alignas(16) int16_t arbeit[64];
    int k = 0;
    for (auto _ : state) {
        std::memcpy(arbeit, quelle[k], sizeof arbeit);
        if (fn) fn(arbeit);
        benchmark::DoNotOptimize(arbeit);
        benchmark::ClobberMemory();
        k = (k + 1) & (POOL - 1);
    }
    state.counters["ns/Block"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void quant_lauf(benchmark::State& state, Jpeg_Quant_Fn fn, Eingabe e, const int16_t* tabelle) {
    const int16_t(*quelle)[64] = pool(e);
    alignas(16) int16_t arbeit[64];
    int k = 0;
    for (auto _ : state) {
        std::memcpy(arbeit, quelle[k], sizeof arbeit);
        fn(arbeit, tabelle);
        benchmark::DoNotOptimize(arbeit);
        benchmark::ClobberMemory();
        k = (k + 1) & (POOL - 1);
    }
    state.counters["ns/Block"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// kern == 0: the pair transform; 1: the pair transform with quantisation.
void paar_lauf(benchmark::State& state, int kern) {
    const Daten& d = daten();
    alignas(32) int16_t arbeit[2][64];
    int k = 0;
    for (auto _ : state) {
        std::memcpy(arbeit[0], d.proben[k], sizeof arbeit[0]);
        std::memcpy(arbeit[1], d.proben[k + 1], sizeof arbeit[1]);
        if (kern == 0) Jpeg_FDCT_Genau_AVX2_Paar(arbeit[0], arbeit[1]);
        else Jpeg_FDCT_Quant_Genau_AVX2_Paar(arbeit[0], arbeit[1], d.qtab_genau, d.qtab_genau);
        benchmark::DoNotOptimize(arbeit);
        benchmark::ClobberMemory();
        k = (k + 2) & (POOL - 1);
    }
    state.counters["ns/Block"] =
        benchmark::Counter(2.0 * double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The decoder's byte-writing inverse of two blocks at once (AVX2): art 0
// the accurate one, 1 the fast one on dequantised blocks (the block decoder
// dequantises on the way), 2 the fast one with its tables; all coefficients
// (tief 0), those of rows and columns 0..3 alone (1), of rows 0..1 and
// columns 0..3 (2). Per block.
void idct_paar_lauf(benchmark::State& state, int art, int tief) {
    const Daten& d = daten();
    const int16_t(*quelle)[64] = art == 0 ? d.dek_genau[tief] : (art == 1 ? d.dek_schnell[tief] : d.dek_quant[tief]);
    const int16_t* q = art == 2 ? d.dqtab_schnell : nullptr;
    alignas(32) uint8_t ziel[2][64];
    int k = 0;
    for (auto _ : state) {
        if (art == 0) Jpeg_IDCT_Genau_AVX2_Paar(quelle[k], quelle[k + 1], ziel[0], 8, ziel[1], 8);
        else Jpeg_IDCT_Schnell_AVX2_Paar(quelle[k], q, quelle[k + 1], q, ziel[0], 8, ziel[1], 8);
        benchmark::DoNotOptimize(ziel);
        benchmark::ClobberMemory();
        k = (k + 2) & (POOL - 1);
    }
    state.counters["ns/Block"] =
        benchmark::Counter(2.0 * double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The whole-program benchmark's test picture (RGB, rows of 3w bytes).
std::vector<uint8_t> Bild(int w, int h, bool glatt) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
    unsigned z = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            z = z * 1103515245u + 12345u;
            const int n = glatt ? 0 : static_cast<int>((z >> 16) & 31);
            uint8_t* q = &px[(static_cast<size_t>(y) * w + x) * 3];
            q[0] = static_cast<uint8_t>(
                128 + 90 * std::sin(x / (glatt ? 300.0 : 23.0)) * std::cos(y / (glatt ? 250.0 : 17.0)) + n / 2);
            q[1] = static_cast<uint8_t>((x * 255) / w);
            q[2] = static_cast<uint8_t>((((x / 32 + y / 32) & 1) && !glatt) ? 200 - (y * 100) / h
                                                                            : 40 + (y * 150) / h + n / 4);
        }
    return px;
}

const std::vector<uint8_t>& Bild_Klein() {
    static const std::vector<uint8_t> b = Bild(800, 600, false);
    return b;
}

const std::vector<uint8_t>& Bild_Gross() {
    static const std::vector<uint8_t> b = Bild(8000, 6000, true);
    return b;
}

// One picture's whole MCUs through a colour kernel of hf x vf blocks of
// luminance per MCU.
void farbe_lauf(benchmark::State& state, Jpeg_Kod_Kern_Fn fn, int hf, int vf, bool gross) {
    const int w = gross ? 8000 : 800, h = gross ? 6000 : 600;
    const std::vector<uint8_t>& px = gross ? Bild_Gross() : Bild_Klein();
    alignas(32) int16_t ab[6 * 64];
    const int mw = 8 * hf, mh = 8 * vf, spalten = w / mw, zeilen = h / mh;
    const int64_t st = int64_t{w} * 3;
    for (auto _ : state) {
        for (int zy = 0; zy < zeilen; ++zy)
            for (int sp = 0; sp < spalten; ++sp) {
                fn(px.data() + int64_t{zy} * mh * st + sp * mw * 3, st, ab, ab + 64 * hf * vf, ab + 64 * (hf * vf + 1),
                   nullptr);
                benchmark::ClobberMemory();
            }
        benchmark::DoNotOptimize(ab);
    }
    state.counters["ns/MCU"] = benchmark::Counter(double(state.iterations()) * spalten * zeilen,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void farbe_registrieren() {
    struct Form {
        const char* name;
        Jpeg_Kod_Kern_Fn k111, k422, k411;
        bool da;
    };
    const Form formen[] = {
        {"Allgemein", Jpeg_Kod_RGB_111, Jpeg_Kod_RGB_422, Jpeg_Kod_RGB_411, true},
        {"SSE2", Jpeg_Kod_RGB_111_SSE2, Jpeg_Kod_RGB_422_SSE2, Jpeg_Kod_RGB_411_SSE2, true},
        {"SSSE3", Jpeg_Kod_RGB_111_SSSE3, Jpeg_Kod_RGB_422_SSSE3, Jpeg_Kod_RGB_411_SSSE3, Jpeg_Simd_Hat(JSIMD_SSSE3)},
        {"AVX2", Jpeg_Kod_RGB_111_AVX2, Jpeg_Kod_RGB_422_AVX2, Jpeg_Kod_RGB_411_AVX2, Jpeg_Hat_AVX2()},
        {"VNNI", Jpeg_Kod_RGB_111_VNNI, Jpeg_Kod_RGB_422_VNNI, Jpeg_Kod_RGB_411_VNNI, Jpeg_Simd_Hat(JSIMD_AVX512_VNNI)},
    };
    for (bool gross : {false, true})
        for (const Form& f : formen) {
            if (!f.da) continue;
            const std::string g = gross ? "/8000x6000" : "/800x600";
            benchmark::RegisterBenchmark(("Farbe_444/" + std::string(f.name) + g).c_str(), farbe_lauf, f.k111, 1, 1,
                                         gross)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.2);
            benchmark::RegisterBenchmark(("Farbe_422/" + std::string(f.name) + g).c_str(), farbe_lauf, f.k422, 2, 1,
                                         gross)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.2);
            benchmark::RegisterBenchmark(("Farbe_420/" + std::string(f.name) + g).c_str(), farbe_lauf, f.k411, 2, 2,
                                         gross)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.2);
        }
}

void registrieren() {
    farbe_registrieren();
    // A short minimum time per kernel keeps the whole table under half a minute.
    benchmark::RegisterBenchmark("Kopie", block_lauf, nullptr, Eingabe::Proben)->MinTime(0.1);
    if (Jpeg_Hat_AVX2()) {
        benchmark::RegisterBenchmark("FDCT_Genau_AVX2_Paar", paar_lauf, 0)->MinTime(0.1);
        benchmark::RegisterBenchmark("FDCT_Quant_Genau_AVX2_Paar", paar_lauf, 1)->MinTime(0.1);
        for (int tief : {0, 1, 2}) {
            const std::string t = tief == 2 ? "/flach" : (tief ? "/tief" : "/alle");
            benchmark::RegisterBenchmark(("IDCT_Genau_AVX2_Paar" + t).c_str(), idct_paar_lauf, 0, tief)->MinTime(0.1);
            benchmark::RegisterBenchmark(("IDCT_Schnell_AVX2_Paar" + t).c_str(), idct_paar_lauf, 1, tief)
                ->MinTime(0.1);
            benchmark::RegisterBenchmark(("IDCT_Schnell_AVX2_Paar_Tabelle" + t).c_str(), idct_paar_lauf, 2, tief)
                ->MinTime(0.1);
        }
    }
    const uint32_t merkmale = Jpeg_CPUID_Daten()->Merkmale;
    const Daten& d = daten();
    for (int code = 0; code < JCPU_ANZAHL; ++code) {
        if (!Jpeg_Prozessor_Moeglich(code, merkmale)) continue;
        Jpeg_Kern_Tabelle t;
        std::memset(&t, 0, sizeof t);
        Jpeg_Kerne_Fuellen(&t, code);
        const std::string c = "/code:" + std::to_string(code);
        struct Block {
            const char* name;
            Jpeg_Block_Fn fn;
            Eingabe e;
        };
        const Block bloecke[] = {
            {"FDCT_Schnell", t.FDCT_Schnell, Eingabe::Proben},
            {"FDCT_Genau", t.FDCT_Genau, Eingabe::Proben},
            {"IDCT_8x8_Schnell", t.IDCT_8x8_Schnell, Eingabe::Skaliert},
            {"IDCT_4x4_Schnell", t.IDCT_4x4_Schnell, Eingabe::Skaliert},
            {"IDCT_2x2_Schnell", t.IDCT_2x2_Schnell, Eingabe::Skaliert},
            {"IDCT_1x1_Schnell", t.IDCT_1x1_Schnell, Eingabe::Skaliert},
            {"IDCT_8x8_Genau", t.IDCT_8x8_Genau, Eingabe::Skaliert},
            {"IDCT_4x4_Genau", t.IDCT_4x4_Genau, Eingabe::Skaliert},
            {"IDCT_2x2_Genau", t.IDCT_2x2_Genau, Eingabe::Skaliert},
            {"IDCT_1x1_Genau", t.IDCT_1x1_Genau, Eingabe::Skaliert},
        };
        for (const Block& b : bloecke)
            benchmark::RegisterBenchmark((b.name + c).c_str(), block_lauf, b.fn, b.e)->MinTime(0.1);
        struct Quant {
            const char* name;
            Jpeg_Quant_Fn fn;
            Eingabe e;
            const int16_t* tabelle;
        };
        const Quant quants[] = {
            {"Quantisieren_Schnell", t.Quantisieren_Schnell, Eingabe::Proben, d.qtab_schnell},
            {"Quantisieren_Genau", t.Quantisieren_Genau, Eingabe::Proben, d.qtab_genau},
            {"Dequantisieren_Schnell", t.Dequantisieren_Schnell, Eingabe::Koeffizienten, d.dqtab_schnell},
            {"Dequantisieren_Genau", t.Dequantisieren_Genau, Eingabe::Koeffizienten, d.dqtab_genau},
        };
        for (const Quant& q : quants)
            benchmark::RegisterBenchmark((q.name + c).c_str(), quant_lauf, q.fn, q.e, q.tabelle)->MinTime(0.1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    registrieren();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
