// Whole programs: our jpegwerk against djpeg and cjpeg (libjpeg-turbo's
// command-line tools, run as black boxes), start-up, file reading and
// writing included. Each pair runs alternately in one loop, the shortest
// wall time of each counts (the shared machine's load varies), and beside
// it the median of the per-round processor-time ratios; the peak
// resident size of every run is kept (the largest of each). The pictures
// are made here: a detailed 800x600 and 2048x1536 and a smooth 48-megapixel
// (8000x6000) one, encoded by cjpeg for the decode rows. Rows: baseline
// 4:2:0 and 4:4:4, progressive 4:2:0 and grey pictures, decoded plain,
// smooth, with the fast transform and to grey; encodes at 4:2:0, 4:4:4,
// progressive, grey and with the fast transform. A second jpegwerk (an
// earlier build) named by KORDAVO_JPEGWERK_ALT runs in the same rounds,
// its columns beside ours; KORDAVO_BENCH_ZEILE keeps only the rows whose
// name holds its text.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Lauf {
    double sekunden = 1e30;  // shortest wall time
    double cpu = 1e30;       // shortest processor time (user and system)
    long kb = 0;             // largest peak resident size
    bool ok = true;
    std::vector<double> cpus;  // processor time of every run, in order
};

// Runs a program (argument list, output to /dev/null) and measures it. Each
// row and program has its own output file: written over by the next round
// (the same size), or with `neu` removed first, so every run writes a new
// file.
void Ausfuehren(const std::vector<std::string>& args, const std::string& ziel, bool neu, Lauf* l) {
    std::error_code fehler;
    if (neu) fs::remove(ziel, fehler);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t kind = fork();
    if (kind == 0) {
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage ru {};
    wait4(kind, &status, 0, &ru);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) l->ok = false;
    l->sekunden = std::min(l->sekunden, s);
    const double cpu = ru.ru_utime.tv_sec + ru.ru_stime.tv_sec + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
    l->cpu = std::min(l->cpu, cpu);
    l->cpus.push_back(cpu);
    l->kb = std::max(l->kb, ru.ru_maxrss);
}

// A binary PPM: detailed (gradients, edges, noise) or smooth.
void PPM_Machen(const fs::path& name, int w, int h, bool glatt) {
    std::ofstream f(name, std::ios::binary);
    f << "P6\n" << w << " " << h << "\n255\n";
    std::vector<unsigned char> zeile(static_cast<size_t>(w) * 3);
    unsigned z = 7;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            z = z * 1103515245u + 12345u;
            const int n = glatt ? 0 : static_cast<int>((z >> 16) & 31);
            zeile[3 * x] = static_cast<unsigned char>(
                128 + 90 * std::sin(x / (glatt ? 300.0 : 23.0)) * std::cos(y / (glatt ? 250.0 : 17.0)) + n / 2);
            zeile[3 * x + 1] = static_cast<unsigned char>((x * 255) / w);
            zeile[3 * x + 2] = static_cast<unsigned char>(
                (((x / 32 + y / 32) & 1) && !glatt) ? 200 - (y * 100) / h : 40 + (y * 150) / h + n / 4);
        }
        f.write(reinterpret_cast<const char*>(zeile.data()), static_cast<std::streamsize>(zeile.size()));
    }
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Zeile {
    std::string name;
    std::vector<std::string> unser, ref;
    double mp;
    std::string ziel_u, ziel_r;  // output files
    Lauf u, r, a;                // ours, the reference, the earlier jpegwerk
    std::vector<std::string> alt;
    std::string ziel_a;
};

}  // namespace

int main(int argc, char** argv) {
    const std::string werk = KORDAVO_JPEGWERK, djpeg = "/usr/bin/djpeg", cjpeg = "/usr/bin/cjpeg";
    if (access(djpeg.c_str(), X_OK) != 0 || access(cjpeg.c_str(), X_OK) != 0 || access(werk.c_str(), X_OK) != 0) {
        std::printf("bench_programme: djpeg, cjpeg or jpegwerk missing, nothing measured\n");
        return 0;
    }
    // Arguments: the number of rounds (7), then "d" or "k" for the decode or
    // the encode table alone ("dk": both), then "neu" for a new output file
    // in every run (else each run writes over its row's previous output).
    const int runden = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string nur = argc > 2 ? argv[2] : "dk";
    const bool neu = argc > 3 && std::string(argv[3]) == "neu";
    // KORDAVO_BENCH_ZEILE: only the rows whose name holds this text (e.g.
    // "8000x6000" or "grey"); the pictures are made all the same.
    const char* zeile_env = std::getenv("KORDAVO_BENCH_ZEILE");
    const std::string zeile_filter = zeile_env ? zeile_env : "";
    const char* alt_env = std::getenv("KORDAVO_JPEGWERK_ALT");
    const std::string alt = alt_env && access(alt_env, X_OK) == 0 ? alt_env : "";
    const fs::path dir = fs::temp_directory_path() / ("kordavo_bench_programme_" + std::to_string(getpid()));
    fs::create_directories(dir);
    auto p = [&](const char* n) { return (dir / n).string(); };
    struct Bild {
        const char* name;
        int w, h;
        bool glatt;
    } bilder[] = {{"d800", 800, 600, false}, {"d3mp", 2048, 1536, false}, {"g48", 8000, 6000, true}};
    for (const Bild& b : bilder) {
        const std::string ppm = p(b.name) + ".ppm";
        PPM_Machen(ppm, b.w, b.h, b.glatt);
        for (auto [art, opt] : {std::pair{"b420", "-quality 85 -sample 2x2"}, {"b444", "-quality 85 -sample 1x1"},
                                {"p420", "-quality 85 -sample 2x2 -progressive"}, {"grau", "-quality 85 -grayscale"}}) {
            const std::string cmd = cjpeg + " " + opt + " -outfile " + p(b.name) + art + ".jpg " + ppm;
            if (std::system(cmd.c_str()) != 0) return 1;
        }
    }
    std::vector<Zeile> dek, kod;
    for (const Bild& b : bilder) {
        const double mp = double(b.w) * b.h / 1e6;
        const std::string n = b.name;
        for (auto [art, text] : {std::pair{"b420", "baseline 4:2:0"}, {"b444", "baseline 4:4:4"},
                                 {"p420", "progressive 4:2:0"}, {"grau", "baseline grey"}}) {
            const std::string jpg = p(b.name) + art + ".jpg";
            const std::string titel = std::to_string(b.w) + "x" + std::to_string(b.h) + " " + text;
            const std::string aus = p(b.name) + art + "_aus.ppm", ref = p(b.name) + art + "_ref.ppm";
            const std::string aus_g = p(b.name) + art + "_aus_g.ppm", ref_g = p(b.name) + art + "_ref_g.ppm";
            const std::string aus_s = p(b.name) + art + "_aus_s.ppm", ref_s = p(b.name) + art + "_ref_s.ppm";
            const std::string aus_e = p(b.name) + art + "_aus_e.pgm", ref_e = p(b.name) + art + "_ref_e.pgm";
            const bool grau = std::string(art) == "grau";
            dek.push_back(
                {titel + ", plain", {werk, "d", jpg, aus}, {djpeg, "-nosmooth", "-outfile", ref, jpg}, mp, aus, ref});
            if (!grau)
                dek.push_back({titel + ", smooth", {werk, "d", "-glatt", jpg, aus_g}, {djpeg, "-outfile", ref_g, jpg},
                               mp, aus_g, ref_g});
            dek.push_back({titel + ", fast", {werk, "d", "-schnell", jpg, aus_s},
                           {djpeg, "-nosmooth", "-dct", "fast", "-outfile", ref_s, jpg}, mp, aus_s, ref_s});
            if (!grau)
                dek.push_back({titel + ", to grey", {werk, "d", "-grau", jpg, aus_e},
                               {djpeg, "-nosmooth", "-grayscale", "-outfile", ref_e, jpg}, mp, aus_e, ref_e});
        }
        const std::string ppm = p(b.name) + ".ppm";
        const std::string titel = std::to_string(b.w) + "x" + std::to_string(b.h);
        // Kind: 0 plain, 1 progressive, 2 grey, 3 fast transform.
        for (auto [art, abtastung, sample, weise] : {std::tuple{"k420", "420", "2x2", 0}, {"k444", "444", "1x1", 0},
                                                     {"kp420", "420", "2x2", 1}, {"kgrau", "420", "2x2", 2},
                                                     {"ks420", "420", "2x2", 3}}) {
            const std::string ja = p(b.name) + art + "_aus.jpg", jr = p(b.name) + art + "_ref.jpg";
            static const char* const zusatz[] = {"", " progressive", "", " fast"};
            Zeile z{titel + " " + (weise == 2 ? "grey" : (sample[0] == '2' ? "4:2:0" : "4:4:4")) + " q85" +
                        zusatz[weise],
                    {werk, "k", "-q", "85"},
                    {cjpeg, "-quality", "85"},
                    mp,
                    ja,
                    jr};
            if (weise == 2) {
                z.unser.push_back("-grau");
                z.ref.push_back("-grayscale");
            } else {
                z.unser.insert(z.unser.end(), {"-abtastung", abtastung});
                z.ref.insert(z.ref.end(), {"-sample", sample});
            }
            if (weise == 1) z.unser.push_back("-progressiv"), z.ref.push_back("-progressive");
            if (weise == 3) z.unser.push_back("-schnell"), z.ref.insert(z.ref.end(), {"-dct", "fast"});
            z.unser.insert(z.unser.end(), {ppm, ja});
            z.ref.insert(z.ref.end(), {"-outfile", jr, ppm});
            kod.push_back(z);
        }
    }
    if (!zeile_filter.empty())
        for (std::vector<Zeile>* t : {&dek, &kod})
            t->erase(std::remove_if(t->begin(), t->end(),
                                    [&](const Zeile& z) { return z.name.find(zeile_filter) == std::string::npos; }),
                     t->end());
    // The earlier jpegwerk's runs: our arguments, its own output file.
    if (!alt.empty())
        for (std::vector<Zeile>* t : {&dek, &kod})
            for (Zeile& z : *t) {
                z.alt = z.unser;
                z.alt[0] = alt;
                z.ziel_a = z.ziel_u + ".alt" + fs::path(z.ziel_u).extension().string();
                z.alt.back() = z.ziel_a;
            }
    // The order of the programs turns from round to round, so none always
    // runs on the caches another one left.
    for (int i = 0; i < runden; ++i)
        for (std::vector<Zeile>* t : {&dek, &kod})
            for (Zeile& z : *t) {
                if ((t == &dek && nur.find('d') == std::string::npos) || (t == &kod && nur.find('k') == std::string::npos))
                    continue;
                const int n = alt.empty() ? 2 : 3;
                for (int j = 0; j < n; ++j) {
                    const int w = (i + j) % n;
                    if (w == 0) Ausfuehren(z.unser, z.ziel_u, neu, &z.u);
                    else if (w == 1) Ausfuehren(z.ref, z.ziel_r, neu, &z.r);
                    else Ausfuehren(z.alt, z.ziel_a, neu, &z.a);
                }
            }
    // The processor-time ratio of each round's pair: median, lowest, highest.
    auto verhaeltnisse = [](const Zeile& z, const Lauf& u) {
        std::vector<double> v;
        for (size_t i = 0; i < u.cpus.size() && i < z.r.cpus.size(); ++i)
            if (u.cpus[i] > 0) v.push_back(z.r.cpus[i] / u.cpus[i]);
        std::sort(v.begin(), v.end());
        if (v.empty()) v.push_back(0);
        return std::array<double, 3>{Median(v), v.front(), v.back()};
    };
    auto drucken = [&](const char* titel, const char* ref, const std::vector<Zeile>& t) {
        std::printf("\n%-40s %8s %8s %6s | %6s | %17s | %8s %8s | %8s %8s %s\n", titel, "jpegwerk", ref, "ratio", "cpu",
                    "cpu median (range)", "ms ours", "ms ref", "KB ours", "KB ref",
                    "(MP/s by wall time and its ratio, the ratio of the shortest processor times, the median and "
                    "range of each round's processor-time ratio, the median processor times; peak resident size)");
        for (const Zeile& z : t) {
            const auto m = verhaeltnisse(z, z.u);
            std::printf("%-40s %8.1f %8.1f %6.2f | %6.2f | %5.2f (%4.2f-%4.2f) | %8.2f %8.2f | %8ld %8ld %s\n",
                        z.name.c_str(), z.mp / z.u.sekunden, z.mp / z.r.sekunden, z.r.sekunden / z.u.sekunden,
                        z.r.cpu / z.u.cpu, m[0], m[1], m[2], 1e3 * Median(z.u.cpus), 1e3 * Median(z.r.cpus), z.u.kb,
                        z.r.kb, z.u.ok && z.r.ok ? "" : "(a run failed)");
        }
    };
    // The earlier jpegwerk beside ours: each one's median processor-time
    // ratio against the reference, the median processor times and peak sizes.
    auto vergleichen = [&](const char* titel, const std::vector<Zeile>& t) {
        std::printf("\n%-40s | %6s %6s | %8s %8s | %8s %8s %s\n", titel, "ratio", "old", "ms ours", "ms old",
                    "KB ours", "KB old",
                    "(median of each round's processor-time ratio against the reference; median processor times; "
                    "peak resident size)");
        for (const Zeile& z : t)
            std::printf("%-40s | %6.2f %6.2f | %8.2f %8.2f | %8ld %8ld %s\n", z.name.c_str(),
                        verhaeltnisse(z, z.u)[0], verhaeltnisse(z, z.a)[0], 1e3 * Median(z.u.cpus),
                        1e3 * Median(z.a.cpus), z.u.kb, z.a.kb, z.u.ok && z.a.ok ? "" : "(a run failed)");
    };
    std::printf("\nOutput files: %s\n", neu ? "a new one in every run" : "each run writes over its row's previous output");
    if (nur.find('d') != std::string::npos) drucken("decode, whole programs", "djpeg", dek);
    if (nur.find('k') != std::string::npos) drucken("encode, whole programs", "cjpeg", kod);
    if (!alt.empty() && nur.find('d') != std::string::npos) vergleichen("decode, ours and the earlier jpegwerk", dek);
    if (!alt.empty() && nur.find('k') != std::string::npos) vergleichen("encode, ours and the earlier jpegwerk", kod);
    std::error_code f;
    fs::remove_all(dir, f);
    return 0;
}
