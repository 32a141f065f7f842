// Decoding speed of our JPEG decoder beside libjpeg-turbo's (turbojpeg API),
// in megapixels per second, for a face-sized, a medium and a large picture,
// 4:2:0 and 4:4:4, baseline and progressive, like for like: our plain
// (replicated) chroma against turbo's fast up-sampling, our smooth chroma
// against turbo's default (fancy) up-sampling; processor code 0; and our
// decode into component planes (samples without colour conversion). The
// pictures are made in memory by libjpeg-turbo's encoder. After the runs a
// table gives both ratios, and the peak working memory of one 2048x1536
// decode is measured in a child process.
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#if KORDAVO_MIT_TURBOJPEG
#include <turbojpeg.h>
#endif

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

#if KORDAVO_MIT_TURBOJPEG
std::vector<uint8_t> Kodieren(const Art& a) {
    std::vector<uint8_t> rgb = Bildpunkte(a.w, a.h);
    tjhandle t = tjInitCompress();
    unsigned char* aus = nullptr;
    unsigned long groesse = 0;
    int flags = TJFLAG_ACCURATEDCT | (a.progressiv ? TJFLAG_PROGRESSIVE : 0);
    tjCompress2(t, rgb.data(), a.w, 0, a.h, TJPF_RGB, &aus, &groesse, a.k420 ? TJSAMP_420 : TJSAMP_444, 85, flags);
    std::vector<uint8_t> jpeg(aus, aus + groesse);
    tjFree(aus);
    tjDestroy(t);
    return jpeg;
}
#else
std::vector<uint8_t> Kodieren(const Art&) { return {}; }
#endif

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

// Like-for-like pairs, decoded alternately in one loop so that both meet the
// same load of the machine: 0 our plain chroma against turbo's fast
// up-sampling, 1 our smooth chroma against turbo's default (fancy) one; 2
// our plain decode with processor code 0 alone. The shortest decode of each
// counts (the others lost time to the machine's other work).
// 3: our decode into component planes (samples, no colour conversion).
const char* PAARE[] = {"plain / turbo fast", "smooth / turbo fancy", "code 0", "planes"};

double Sekunden_Seit(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

void Lauf(benchmark::State& state, const Art& art, int32_t paar) {
    const std::vector<uint8_t>& jpeg = Datei(art);
    if (jpeg.empty()) {
        state.SkipWithError("libturbojpeg missing");
        return;
    }
    std::vector<uint8_t> pixel(static_cast<size_t>(art.w) * art.h * 3);
#if KORDAVO_MIT_TURBOJPEG
    tjhandle t = paar < 2 ? tjInitDecompress() : nullptr;
    const int flags = TJFLAG_ACCURATEDCT | (paar == 0 ? TJFLAG_FASTUPSAMPLE : 0);
#endif
    double unser = 1e9, turbo = 1e9;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        static std::vector<int16_t> ebene[4];
        bool ok = paar == 3 ? Unser_Ebenen(jpeg, ebene)
                            : Unser_Dekodieren(jpeg, pixel, paar == 2 ? JCPU_ALLGEMEIN : -1, paar == 1);
        unser = std::min(unser, Sekunden_Seit(start));
        benchmark::DoNotOptimize(pixel.data());
#if KORDAVO_MIT_TURBOJPEG
        if (t) {
            start = std::chrono::steady_clock::now();
            ok = ok && tjDecompress2(t, jpeg.data(), jpeg.size(), pixel.data(), art.w, 0, art.h, TJPF_RGB, flags) == 0;
            turbo = std::min(turbo, Sekunden_Seit(start));
            benchmark::DoNotOptimize(pixel.data());
        }
#endif
        if (!ok) state.SkipWithError("decode failed");
    }
#if KORDAVO_MIT_TURBOJPEG
    if (t) tjDestroy(t);
#endif
    const double mp = static_cast<double>(art.w) * art.h / 1e6;
    state.counters["kordavo MP/s"] = mp / unser;
    if (paar < 2) state.counters["turbo MP/s"] = mp / turbo;
    double& u = mpix[art.name() + "|" + std::to_string(paar) + "u"];
    double& tb = mpix[art.name() + "|" + std::to_string(paar) + "t"];
    u = std::max(u, mp / unser);
    if (paar < 2) tb = std::max(tb, mp / turbo);
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
long Arbeitsspeicher_KB(const Art& art, int dekoder) {
    const std::vector<uint8_t>& jpeg = Datei(art);
    int rohr[2];
    if (jpeg.empty() || pipe(rohr) != 0) return -1;
    pid_t kind = fork();
    if (kind == 0) {
        std::vector<uint8_t> pixel(static_cast<size_t>(art.w) * art.h * 3, 1);
        malloc_trim(0);  // freed heap of the parent no longer counts as resident
        Spitze_Zuruecksetzen();
        long vorher = Spitze_KB();
        if (dekoder == 2) {
#if KORDAVO_MIT_TURBOJPEG
            tjhandle t = tjInitDecompress();
            tjDecompress2(t, jpeg.data(), jpeg.size(), pixel.data(), art.w, 0, art.h, TJPF_RGB, TJFLAG_ACCURATEDCT);
            tjDestroy(t);
#endif
        } else {
            Unser_Dekodieren(jpeg, pixel, -1);
        }
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
    std::printf("\n%-34s %8s %8s %6s | %8s %8s %6s | %8s | %8s\n", "picture (MP/s)", "plain", "t.fast", "ratio",
                "smooth", "t.fancy", "ratio", "code 0", "planes");
    for (auto [w, h] : {std::pair{128, 128}, {800, 600}, {2048, 1536}})
        for (bool k420 : {true, false})
            for (bool prog : {false, true}) {
                Art art{w, h, k420, prog};
                auto m = [&](const char* k) { return mpix[art.name() + "|" + k]; };
                if (m("0t") <= 0 || m("1t") <= 0) continue;
                std::printf("%-34s %8.1f %8.1f %6.2f | %8.1f %8.1f %6.2f | %8.1f | %8.1f\n", art.name().c_str(),
                            m("0u"), m("0t"), m("0u") / m("0t"), m("1u"), m("1t"), m("1u") / m("1t"), m("2u"), m("3u"));
            }
    for (bool prog : {false, true}) {
        Art art{2048, 1536, true, prog};
        std::printf("peak working memory, %s: kordavo %ld KB, libjpeg-turbo %ld KB\n", art.name().c_str(),
                    Arbeitsspeicher_KB(art, 0), Arbeitsspeicher_KB(art, 2));
    }
    benchmark::Shutdown();
    return 0;
}
