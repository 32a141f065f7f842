// A whole season of the running program, headless at the fastest speed: two
// human managers at one machine, their matches shown live (fast play on),
// each turn ended at once, the pages after the matches clicked away. Reports
// the CPU time of the season and, per kind of frame, the average and worst
// frame time (the processor time of the frame's thread) and the frames over
// a display refresh (16.7 ms; with KORDAVO_BENCH_LANGE_FRAMES set, each is
// listed with its day and what it did; a value above 1 lists those over that
// many milliseconds): the main menu, each screen (opened from the main menu after
// the season, 120 frames each), and the live view with one, two and (in a
// game of four managers) four matches shown. Set beside it, in the same run:
// the processor time of the season tool's headless season without managers
// (`seasonsim -n 1 -m 0`, the whole process), the ratio of the two (goal: at
// most 5), the largest resident size (goal: 120 MB) and the season's frames
// over 8 ms (goal: none).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "base/settings.h"
#include "main/fahrer.h"
#include "match/spielfeld.h"
#include "screens/live_view/spielansicht.h"
#include "season/kalender.h"

namespace f = fahrer;

namespace {

struct Zeiten {
    double summe_ms = 0, max_ms = 0;
    long frames = 0, ueber = 0;  // frames over a display refresh (16.7 ms)
    long ueber_8 = 0;            // frames over 8 ms
    void dazu(double ms) {
        summe_ms += ms;
        max_ms = std::max(max_ms, ms);
        ++frames;
        ueber += ms > 16.7;
        ueber_8 += ms > 8;
    }
};
std::map<std::string, Zeiten> zeiten;
std::string art = "sonst";  // what the frames being run show

double cpu_sekunden() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// The kind of the frame about to run.
std::string frame_art() {
    Spielfeld_Daten* gezeigt[SF_MAX_ANZEIGE];
    if (Spielansicht_Laufzustand() == 1 && !Spielankuendigung_Screen_Offen())
        if (const int n = Spielfeld_Anzeigeliste(gezeigt); n > 0) return "live_" + std::to_string(n);
    if (f::im_menue()) return "hauptmenue";
    return "sonst";
}

// What the game showed after a frame: told apart from the frame before, it
// says what the frame did.
struct Lage {
    i32 tag = -1;
    int live = 0;  // matches shown live
    bool menue = false, hinweis = false, ankuendigung = false;
    size_t vorrat = 0;  // ground pictures kept for the live view
    bool gueltig = false;
};
Lage lage_vorher;

Lage lage_jetzt() {
    Lage l;
    l.tag = Kalender_Get_Tag();
    Spielfeld_Daten* gezeigt[SF_MAX_ANZEIGE];
    l.live = Spielansicht_Laufzustand() == 1 ? Spielfeld_Anzeigeliste(gezeigt) : 0;
    l.menue = f::im_menue();
    l.hinweis = Menue_Requester_Offen();
    l.ankuendigung = Spielankuendigung_Screen_Offen();
    l.vorrat = Spielansicht_Vorrat_Anzahl();
    l.gueltig = true;
    return l;
}

// What happened between the two: the day's change (with the weekly autosave
// the game makes on it), a kick-off, a page or the main menu built, a
// ground picture taken for the live view.
std::string was(const Lage& a, const Lage& b) {
    if (!a.gueltig) return "der erste Frame nach dem Start";
    std::string s;
    const auto dazu = [&s](const std::string& t) { s += (s.empty() ? "" : ", ") + t; };
    if (b.tag != a.tag) dazu((a.tag + 1) % 7 == 0 ? "Tageswechsel mit Autosave" : "Tageswechsel");
    if (!a.live && b.live) dazu("Anpfiff (" + std::to_string(b.live) + " live)");
    else if (a.live && !b.live) dazu("Ende der Live-Ansicht");
    else if (a.live != b.live) dazu("Live-Ansichten " + std::to_string(a.live) + " -> " + std::to_string(b.live));
    if (!a.menue && b.menue) dazu("Hauptmenue aufgebaut");
    if (!a.ankuendigung && b.ankuendigung) dazu("Ankuendigung geoeffnet");
    if (!a.hinweis && b.hinweis) dazu("Hinweis geoeffnet");
    if (b.vorrat > a.vorrat) dazu("Bodenbild fuer die Live-Ansicht uebernommen");
    return s.empty() ? "ein Frame wie die davor" : s;
}

double erster_frame_ms = 0;  // the time of the first frame after the start
double start_max_ms = 0;     // the longest frame from the start to the manager's first menu
bool im_start = false;

void messen(double ms) {
    if (!lage_vorher.gueltig) erster_frame_ms = ms;
    if (im_start) start_max_ms = std::max(start_max_ms, ms);
    zeiten[art].dazu(ms);
    const Lage jetzt = lage_jetzt();
    // KORDAVO_BENCH_LANGE_FRAMES=1 lists the frames over a display refresh,
    // a larger number those over that many milliseconds.
    static const char* liste = std::getenv("KORDAVO_BENCH_LANGE_FRAMES");
    static const double grenze = liste && std::atof(liste) > 1 ? std::atof(liste) : 16.7;
    if (liste && ms > grenze)
        std::fprintf(stderr, "Frame %.1f ms (%s), Tag %d: %s\n", ms, art.c_str(), Kalender_Get_Tag(),
                     was(lage_vorher, jetzt).c_str());
    lage_vorher = jetzt;
}

// The processor time of the season tool's headless season (the whole
// process); 0 when it cannot be run.
double seasonsim_sekunden() {
#ifdef KORDAVO_SEASONSIM
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) _exit(127);
        execl(KORDAVO_SEASONSIM, "seasonsim", "-n", "1", "-m", "0", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage ru{};
    if (pid < 0 || wait4(pid, &status, 0, &ru) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
    return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
#else
    return 0;
#endif
}

bool starten(const char* mitspieler, std::string* ordner) {
    setenv("KORDAVO_SOURCE_DIR", KORDAVO_QUELLE, 0);
    if (!Test_Programm_Starten("kordavo_bench_saison", ordner)) return false;
    if (!W32_Registry_Write("Mitspieler", mitspieler)) return false;
    Test_Live_Ansicht(true);
    f::Frame_Messung(messen);
    lage_vorher = Lage{};
    im_start = true;
    start_max_ms = 0;
    const bool ok = f::lauf("wait 12\n", 14) && f::bis_menue();
    im_start = false;
    return ok;
}

// One step of play: a turn ended, fast play switched on over a live match,
// a page or notice taken away, else a frame.
bool schritt() {
    art = frame_art();
    if (Menue_Requester_Offen()) return f::antworten(false);
    if (f::im_menue()) return f::zug_beenden();
    if (art.rfind("live_", 0) == 0 && Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_PAUSE)) {
        if (!Spielfeld_Get_Fast()) return f::klick(250, 582, 1);
        return f::lauf("wait 4\n", 0);
    }
    return f::weiter();
}

void BM_SaisonZweiManagerLive(benchmark::State& st) {
    std::string ordner;
    double cpu = 0;
    for (auto _ : st) {
        zeiten.clear();
        if (!starten("2", &ordner)) {
            st.SkipWithError("the game did not start");
            return;
        }
        const double start = cpu_sekunden();
        i32 tag = -1;
        for (long n = 0; n < 2000000 && Kalender_Get_Jahr() < 1; ++n) {
            if (!schritt()) {
                st.SkipWithError("a step failed");
                break;
            }
            if (Kalender_Get_Tag() / 30 != tag / 30) {
                tag = Kalender_Get_Tag();
                std::fprintf(stderr, "Tag %d, %.1f s CPU\n", tag, cpu_sekunden() - start);
            }
        }
        cpu = cpu_sekunden() - start;
        // Each screen from the main menu, its frames measured.
        const struct {
            i32 knopf, eintrag;
            const char* name;
        } screens[] = {{0, 0, "kader"},      {0, 1, "kaderansicht"},      {0, 2, "taktik"},    {0, 3, "transfer"},
                       {0, 4, "training"},   {0, 5, "trainingslager"},    {1, 0, "tabelle"},   {1, 1, "ergebnisse"},
                       {1, 2, "uebersicht"}, {1, 3, "rangliste"},         {2, 0, "bank"},      {2, 1, "werbung"},
                       {2, 2, "stadion"},    {2, 3, "finanzen"},          {3, 2, "optionen"}};
        for (const auto& s : screens) {
            art = "sonst";
            if (!f::bis_menue() || !f::menue(s.knopf, s.eintrag)) continue;
            art = std::string("screen_") + s.name;
            for (int k = 0; k < 120; ++k) f::frame();
        }
        Test_Programm_Beenden(ordner);
    }
    st.counters["cpu_s_saison"] = cpu;
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    st.counters["max_rss_mb"] = static_cast<double>(ru.ru_maxrss) / 1024.0;
    // The headless season after the live one, in a process of its own.
    if (const double ohne = seasonsim_sekunden(); ohne > 0) {
        st.counters["cpu_s_seasonsim"] = ohne;
        st.counters["mal_seasonsim"] = cpu / ohne;
    }
    long ueber_8 = 0;
    for (const auto& [name, z] : zeiten)
        if (name.rfind("screen_", 0) != 0) ueber_8 += z.ueber_8;
    st.counters["saison_ueber_8ms"] = static_cast<double>(ueber_8);
    for (const auto& [name, z] : zeiten) {
        if (z.frames == 0) continue;
        st.counters[name + "_avg_ms"] = z.summe_ms / static_cast<double>(z.frames);
        st.counters[name + "_max_ms"] = z.max_ms;
        if (name.rfind("screen_", 0) != 0) st.counters[name + "_summe_s"] = z.summe_ms / 1000;
        if (z.ueber) st.counters[name + "_ueber_16ms"] = static_cast<double>(z.ueber);
    }
}
BENCHMARK(BM_SaisonZweiManagerLive)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The first frame of a new game in starts of their own, two managers as in
// the season above: its average and worst time, the time of the process's
// first start (the season above has only that one), and the starts whose
// first frame went over 8 ms; likewise the longest frame of each start up
// to the manager's first menu (the game made, its first day begun, the
// menu built: steps that may each have a frame of their own).
void BM_ErsterFrame(benchmark::State& st) {
    std::string ordner;
    Zeiten erster, start;
    for (auto _ : st) {
        zeiten.clear();
        if (!starten("2", &ordner)) {
            st.SkipWithError("the game did not start");
            return;
        }
        Test_Programm_Beenden(ordner);
        if (erster.frames == 0) st.counters["erster_frame_erster_start_ms"] = erster_frame_ms;
        if (start.frames == 0) st.counters["start_max_erster_start_ms"] = start_max_ms;
        erster.dazu(erster_frame_ms);
        start.dazu(start_max_ms);
    }
    st.counters["erster_frame_avg_ms"] = erster.summe_ms / static_cast<double>(std::max(1L, erster.frames));
    st.counters["erster_frame_max_ms"] = erster.max_ms;
    st.counters["erster_frame_ueber_8ms"] = static_cast<double>(erster.ueber_8);
    st.counters["start_max_avg_ms"] = start.summe_ms / static_cast<double>(std::max(1L, start.frames));
    st.counters["start_max_ms"] = start.max_ms;
    st.counters["start_ueber_8ms"] = static_cast<double>(start.ueber_8);
}
BENCHMARK(BM_ErsterFrame)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// Four managers: days until four of their matches are shown at once, then
// that matchday's live frames.
void BM_VierLiveAnsichten(benchmark::State& st) {
    std::string ordner;
    for (auto _ : st) {
        zeiten.clear();
        if (!starten("4", &ordner)) {
            st.SkipWithError("the game did not start");
            return;
        }
        // At most two months of play (the four clubs must not meet each other).
        const i32 ende = Kalender_Get_Tag() + 60;
        for (long n = 0; n < 400000 && zeiten["live_4"].frames < 600 && Kalender_Get_Tag() < ende; ++n)
            if (!schritt()) break;
        Test_Programm_Beenden(ordner);
    }
    for (const char* name : {"live_1", "live_2", "live_3", "live_4"}) {
        const Zeiten& z = zeiten[name];
        if (z.frames == 0) continue;
        st.counters[std::string(name) + "_avg_ms"] = z.summe_ms / static_cast<double>(z.frames);
        st.counters[std::string(name) + "_max_ms"] = z.max_ms;
        st.counters[std::string(name) + "_frames"] = static_cast<double>(z.frames);
    }
}
BENCHMARK(BM_VierLiveAnsichten)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
