// The audio callback's work for 64 playing channels (time per 10 ms of
// audio at 22,050 Hz stereo; 50 us would be 0.5 % of a core) and decoding one 400 x 300 frame of the menu's
// background video from the generated animationen.res.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "base/files.h"
#include "graphics/container.h"
#include "graphics/mixer.h"
#include "graphics/video.h"

namespace {

std::vector<u8> wav(u32 frames, i32 kanaele, double hz) {
    std::vector<u8> d = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0};
    auto u16_ = [&](u32 v) { d.push_back(static_cast<u8>(v)), d.push_back(static_cast<u8>(v >> 8)); };
    auto u32_ = [&](u32 v) { u16_(v & 0xFFFF), u16_(v >> 16); };
    u16_(static_cast<u32>(kanaele)), u32_(22050), u32_(22050 * 2 * static_cast<u32>(kanaele)),
        u16_(2 * static_cast<u32>(kanaele)), u16_(16);
    d.insert(d.end(), {'d', 'a', 't', 'a'}), u32_(frames * 2 * static_cast<u32>(kanaele));
    for (u32 i = 0; i < frames * static_cast<u32>(kanaele); ++i)
        u16_(static_cast<u32>(static_cast<i32>(3000 * std::sin(i * hz / 22050))));
    return d;
}

void BM_Mischer_64_Kanaele_10ms(benchmark::State& st) {
    Mixer_Start(false);
    std::vector<u32> samples;
    for (int i = 0; i < MIXER_KANAELE; ++i) {
        const std::vector<u8> d = wav(i == 0 ? 22050 * 4 : 5000, i == 0 ? 2 : 1, 200 + 37 * i);
        samples.push_back(Mixer_Sample_Laden(d.data(), d.size()));
        Mixer_Sample_Loop(samples.back(), true);
        const i32 k = Mixer_Spielen(samples.back());
        Mixer_Lautstaerke(k, 60 + 3 * i);
        Mixer_Pan(k, i == 0 ? MIXER_PAN_STEREO : (i * 37) % 256);
    }
    std::vector<i16> aus(2 * 221);
    for (auto _ : st) {
        Mixer_Mischen(aus.data(), 221);
        benchmark::DoNotOptimize(aus.data());
    }
    Mixer_Ende();
}
BENCHMARK(BM_Mischer_64_Kanaele_10ms)->Unit(benchmark::kMicrosecond);

void BM_Videobild_400x300(benchmark::State& st) {
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
    const W32_Handle h = Res_OpenFile("animationen.res");
    Res_Resource r = Res_ReadResource(h, 59, RES_MODUS_SPEICHER);
    Vid_Zeiger f = Vid_Oeffnen(Res_Daten(r), r.groesse, nullptr);
    if (!f) {
        st.SkipWithError("animationen.res entry 59 is missing");
        return;
    }
    i32 k = 1;
    std::vector<u16> ziel(800 * 600);
    for (auto _ : st) {
        Vid_Goto(f.get(), k, false);
        Vid_Dekodieren(f.get());
        Vid_Kopieren(f.get(), ziel.data(), 1600, 600, 200, 150);
        k = k % Vid_Frames(f.get()) + 1;
    }
    Res_FreeResource(r);
    Res_CloseFile(h);
}
BENCHMARK(BM_Videobild_400x300)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
