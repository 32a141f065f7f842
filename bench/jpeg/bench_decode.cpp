// Decoding speed of our JPEG decoder beside libjpeg-turbo's (turbojpeg API),
// in megapixels per second, for a face-sized, a medium and a large picture,
// 4:2:0 and 4:4:4, baseline and progressive, with the SIMD kernels and with
// processor code 0. The pictures are made in memory by libjpeg-turbo's
// encoder. After the runs a table gives the ratios, and the peak working
// memory of one 2048x1536 decode is measured in a child process.
#include "jpeg/jpeg.h"
#include "jpeg/jpeg_kern.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

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
bool Unser_Dekodieren(const std::vector<uint8_t>& jpeg, std::vector<uint8_t>& pixel, int32_t prozessor) {
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
    ok = Jpeg_Lesen(&a, JMODUS_PUFFER_BILD) == 0;
  }
  Jpeg_Free(&a);
  return ok;
}

std::map<std::string, double> mpix;  // "<art>|<decoder>" -> megapixels per second

void Lauf(benchmark::State& state, const Art& art, int32_t dekoder) {
  const std::vector<uint8_t>& jpeg = Datei(art);
  if (jpeg.empty()) {
    state.SkipWithError("libturbojpeg missing");
    return;
  }
  std::vector<uint8_t> pixel(static_cast<size_t>(art.w) * art.h * 3);
#if KORDAVO_MIT_TURBOJPEG
  tjhandle t = dekoder == 2 ? tjInitDecompress() : nullptr;
#endif
  auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    bool ok = true;
    if (dekoder == 2) {
#if KORDAVO_MIT_TURBOJPEG
      ok = tjDecompress2(t, jpeg.data(), jpeg.size(), pixel.data(), art.w, 0, art.h, TJPF_RGB, TJFLAG_ACCURATEDCT) == 0;
#endif
    } else {
      ok = Unser_Dekodieren(jpeg, pixel, dekoder == 0 ? -1 : JCPU_ALLGEMEIN);
    }
    if (!ok) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(pixel.data());
  }
  double sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
#if KORDAVO_MIT_TURBOJPEG
  if (t) tjDestroy(t);
#endif
  double pixel_gesamt = static_cast<double>(art.w) * art.h * static_cast<double>(state.iterations());
  state.counters["MPix/s"] = benchmark::Counter(pixel_gesamt / 1e6, benchmark::Counter::kIsRate);
  if (sekunden > 0) mpix[art.name() + "|" + std::to_string(dekoder)] = pixel_gesamt / 1e6 / sekunden;
}

const char* DEKODER[] = {"kordavo simd", "kordavo code 0", "libjpeg-turbo"};

void Registrieren() {
  for (auto [w, h] : {std::pair{128, 128}, {800, 600}, {2048, 1536}})
    for (bool k420 : {true, false})
      for (bool prog : {false, true})
        for (int d = 0; d < 3; ++d) {
          Art art{w, h, k420, prog};
          benchmark::RegisterBenchmark((art.name() + " / " + DEKODER[d]).c_str(),
                                       [art, d](benchmark::State& s) { Lauf(s, art, d); })
              ->Unit(benchmark::kMillisecond);
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
  std::printf("\n%-36s %14s %14s %14s %9s %9s\n", "picture", "kordavo simd", "kordavo code 0", "libjpeg-turbo",
              "ratio", "ratio 0");
  for (auto [w, h] : {std::pair{128, 128}, {800, 600}, {2048, 1536}})
    for (bool k420 : {true, false})
      for (bool prog : {false, true}) {
        Art art{w, h, k420, prog};
        double a = mpix[art.name() + "|0"], b = mpix[art.name() + "|1"], t = mpix[art.name() + "|2"];
        if (t <= 0) continue;
        std::printf("%-36s %10.1f MP/s %10.1f MP/s %10.1f MP/s %9.2f %9.2f\n", art.name().c_str(), a, b, t, a / t, b / t);
      }
  for (bool prog : {false, true}) {
    Art art{2048, 1536, true, prog};
    std::printf("peak working memory, %s: kordavo %ld KB, libjpeg-turbo %ld KB\n", art.name().c_str(),
                Arbeitsspeicher_KB(art, 0), Arbeitsspeicher_KB(art, 2));
  }
  benchmark::Shutdown();
  return 0;
}
