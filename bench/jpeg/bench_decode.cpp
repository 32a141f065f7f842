// Decoding speed of our JPEG decoder in megapixels per second, for a
// face-sized, a medium and a large picture, 4:2:0 and 4:4:4, baseline and
// progressive: plain (replicated) chroma, smooth chroma, processor code 0,
// and the decode into component planes (samples without colour
// conversion). The pictures are made in memory by our own encoder (quality
// 85). After the runs a table, and the peak working memory of one
// 2048x1536 decode measured in a child process. The comparison with the
// reference decoder runs as whole programs (bench_programme, djpeg as a
// black box).
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"
#include "laufzeit.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Art {
    int32_t w, h;
    bool k420;
    bool progressiv;
    std::string name() const {
        return std::to_string(w) + "x" + std::to_string(h) + (k420 ? " 4:2:0" : " 4:4:4") +
               (progressiv ? " progressive" : " baseline");
    }
};

std::vector<uint8_t> Bildpunkte(int32_t w, int32_t h) {
    std::vector<uint8_t> p(static_cast<size_t>(w) * h * 3);
    uint32_t z = 7;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            z = z * 1103515245u + 12345u;
            uint8_t* q = &p[(static_cast<size_t>(y) * w + x) * 3];
            q[0] = static_cast<uint8_t>(128 + 90 * std::sin(x / 23.0) * std::cos(y / 17.0) + ((z >> 16) & 15));
            q[1] = static_cast<uint8_t>((x * 255) / w);
            q[2] = static_cast<uint8_t>(((x / 32 + y / 32) & 1) ? 200 - (y * 100) / h : 40 + ((z >> 20) & 31));
        }
    return p;
}

std::vector<uint8_t> Kodieren(const Art& a) {
    std::vector<uint8_t> rgb = Bildpunkte(a.w, a.h);
    std::vector<uint8_t> puffer(static_cast<size_t>(a.w) * a.h * 3 + 65536);
    Jpeg_Auftrag j;
    if (Jpeg_Init(&j) != 0) return {};
    j.Bild_Pixel = rgb.data();
    j.Bild_Breite = j.Jpg_Breite = static_cast<uint32_t>(a.w);
    j.Bild_Hoehe = a.h;
    j.Jpg_Hoehe = static_cast<uint32_t>(a.h);
    j.Bild_Farbraum = FARBE_RGB;
    j.Jpg_Abtastung = a.k420 ? ABTASTUNG_411 : ABTASTUNG_KEINE;
    j.Qualitaet = 85;
    j.Intern.Scan_Zaehler = a.progressiv ? 1 : 0;
    j.Jpg_Puffer = puffer.data();
    j.Jpg_Puffer_Groesse = static_cast<uint32_t>(puffer.size());
    const bool ok = Jpeg_Schreiben(&j, JMODUS_PUFFER_BILD_SCHREIBEN) == 0;
    if (ok) puffer.resize(j.Jpg_Puffer_Groesse);
    Jpeg_Free(&j);
    return ok ? puffer : std::vector<uint8_t>{};
}

const std::vector<uint8_t>& Datei(const Art& a) {
    static std::map<std::string, std::vector<uint8_t>> cache;
    auto& d = cache[a.name()];
    if (d.empty()) d = Kodieren(a);
    return d;
}

// One decode with our codec: parameter read, then the picture into RGB.
bool Unser_Dekodieren(const std::vector<uint8_t>& jpeg, std::vector<uint8_t>& pixel, int32_t prozessor,
                      bool glatt = false) {
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return false;
    if (prozessor >= 0) {
        Jpeg_Kerne_Fuellen(a.Intern.Strom.Kern_Tabelle, prozessor);
        a.Intern.Strom.Prozessor = prozessor;
    }
    a.Jpg_Puffer = const_cast<uint8_t*>(jpeg.data());
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(jpeg.size());
    bool ok = Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER) == 0;
    if (ok) {
        pixel.resize(static_cast<size_t>(a.Jpg_Breite) * a.Jpg_Hoehe * 3);
        a.Bild_Pixel = pixel.data();
        a.Bild_Breite = a.Jpg_Breite;
        a.Bild_Hoehe = static_cast<int32_t>(a.Jpg_Hoehe);
        a.Bild_Kanaele = 3;
        a.Bild_Farbraum = FARBE_RGB;
        a.Intern.Glaettung = glatt ? 1 : 0;
        ok = Jpeg_Lesen(&a, JMODUS_PUFFER_BILD) == 0;
    }
    Jpeg_Free(&a);
    return ok;
}

// One decode into the component planes (samples, no colour conversion).
bool Unser_Ebenen(const std::vector<uint8_t>& jpeg, std::vector<int16_t>* ebene) {
    Jpeg_Auftrag a;
    if (Jpeg_Init(&a) != 0) return false;
    a.Jpg_Puffer = const_cast<uint8_t*>(jpeg.data());
    a.Jpg_Puffer_Groesse = static_cast<uint32_t>(jpeg.size());
    bool ok = Jpeg_Lesen(&a, JMODUS_PUFFER_PARAMETER) == 0;
    Jpeg_Komponenten_Ebenen e{};
    e.Modus = 1;
    if (ok) {
        const JPEG_PROPERTIES& p = a.Intern;
        int32_t mh = 1, mv = 1;
        for (int c = 0; c < p.Anzahl_Komponenten; ++c) {
            mh = std::max(mh, p.Komponenten[c].H);
            mv = std::max(mv, p.Komponenten[c].V);
        }
        const size_t mx = (a.Jpg_Breite + 8 * mh - 1) / (8 * mh), my = (a.Jpg_Hoehe + 8 * mv - 1) / (8 * mv);
        for (int c = 0; c < p.Anzahl_Komponenten && c < 4; ++c) {
            ebene[c].resize(mx * p.Komponenten[c].H * 8 * my * p.Komponenten[c].V * 8);
            e.Ebene[c] = ebene[c].data();
        }
        a.Intern.Komponenten_Ebenen = &e;
        ok = Jpeg_Lesen(&a, JMODUS_PUFFER_BILD) == 0;
        a.Intern.Komponenten_Ebenen = nullptr;
    }
    Jpeg_Free(&a);
    return ok;
}

std::map<std::string, double> mpix;  // "<art>|<decoder>" -> megapixels per second

// The decoders measured: 0 plain chroma, 1 smooth chroma, 2 plain with
// processor code 0, 3 into component planes (samples, no colour
// conversion). The shortest decode counts (the others lost time to the
// machine's other work).
const char* PAARE[] = {"plain", "smooth", "code 0", "planes"};

void Lauf(benchmark::State& state, const Art& art, int32_t paar) {
    const std::vector<uint8_t>& jpeg = Datei(art);
    if (jpeg.empty()) {
        state.SkipWithError("encode failed");
        return;
    }
    std::vector<uint8_t> pixel(static_cast<size_t>(art.w) * art.h * 3);
    Laufzeit zeit;
    for (auto _ : state) {
        static std::vector<int16_t> ebene[4];
        const bool ok = zeit.messen([&] {
            return paar == 3 ? Unser_Ebenen(jpeg, ebene)
                             : Unser_Dekodieren(jpeg, pixel, paar == 2 ? JCPU_ALLGEMEIN : -1, paar == 1);
        });
        benchmark::DoNotOptimize(pixel.data());
        if (!ok) state.SkipWithError("decode failed");
    }
    const double mps = zeit.mp_pro_s(art.w, art.h);
    state.counters["kordavo MP/s"] = mps;
    double& u = mpix[art.name() + "|" + std::to_string(paar) + "u"];
    u = std::max(u, mps);
}

void Registrieren() {
    for (auto [w, h] : {std::pair{128, 128}, {800, 600}, {2048, 1536}})
        for (bool k420 : {true, false})
            for (bool prog : {false, true})
                for (int d = 0; d < 4; ++d) {
                    Art art{w, h, k420, prog};
                    benchmark::RegisterBenchmark((art.name() + " / " + PAARE[d]).c_str(), [art,
                                                                                           d](benchmark::State& s) {
                        Lauf(s, art, d);
                    })->Unit(benchmark::kMillisecond);
                }
}

// The peak resident size of this process in KB (VmHWM).
long Spitze_KB() {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char zeile[256];
    long kb = -1;
    while (std::fgets(zeile, sizeof zeile, f))
        if (std::sscanf(zeile, "VmHWM: %ld kB", &kb) == 1) break;
    std::fclose(f);
    return kb;
}

// Resets the peak resident size to the current one.
void Spitze_Zuruecksetzen() {
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

// Peak working memory of one decode (beyond the input and the output
// buffer), measured as the growth of the peak resident size of a child.
long Arbeitsspeicher_KB(const Art& art) {
    const std::vector<uint8_t>& jpeg = Datei(art);
    int rohr[2];
    if (jpeg.empty() || pipe(rohr) != 0) return -1;
    pid_t kind = fork();
    if (kind == 0) {
        std::vector<uint8_t> pixel(static_cast<size_t>(art.w) * art.h * 3, 1);
        malloc_trim(0);  // freed heap of the parent no longer counts as resident
        Spitze_Zuruecksetzen();
        long vorher = Spitze_KB();
        Unser_Dekodieren(jpeg, pixel, -1);
        long zuwachs = Spitze_KB() - vorher;
        if (write(rohr[1], &zuwachs, sizeof zuwachs) != sizeof zuwachs) _exit(1);
        _exit(0);
    }
    long zuwachs = -1;
    if (read(rohr[0], &zuwachs, sizeof zuwachs) != sizeof zuwachs) zuwachs = -1;
    waitpid(kind, nullptr, 0);
    close(rohr[0]);
    close(rohr[1]);
    return zuwachs;
}

}  // namespace

int main(int argc, char** argv) {
    Registrieren();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\n%-34s %8s %8s %8s %8s\n", "picture (MP/s)", "plain", "smooth", "code 0", "planes");
    for (auto [w, h] : {std::pair{128, 128}, {800, 600}, {2048, 1536}})
        for (bool k420 : {true, false})
            for (bool prog : {false, true}) {
                Art art{w, h, k420, prog};
                auto m = [&](const char* k) { return mpix[art.name() + "|" + k]; };
                if (m("0u") <= 0) continue;
                std::printf("%-34s %8.1f %8.1f %8.1f %8.1f\n", art.name().c_str(), m("0u"), m("1u"), m("2u"), m("3u"));
            }
    for (bool prog : {false, true}) {
        Art art{2048, 1536, true, prog};
        std::printf("peak working memory, %s: %ld KB\n", art.name().c_str(), Arbeitsspeicher_KB(art));
    }
    benchmark::Shutdown();
    return 0;
}
