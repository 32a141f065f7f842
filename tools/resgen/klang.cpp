// Menu sounds, synthesised, and the background music, rendered with
// FluidSynth from a text score (docs/formats/partitur.md).
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "base/bytes.h"
#include "resgen.h"

namespace resgen {

namespace {

constexpr double RATE = 22050;
constexpr double PI = 3.14159265358979;
constexpr double SPITZE = 0.5;  // -6 dBFS

std::vector<u8> wav_datei(const std::vector<float>& pcm, i32 kanaele) {
    std::vector<u8> d;
    bytes::Schreiber s{d};
    const u32 bytes = static_cast<u32>(pcm.size() * 2);
    s(u32{0x46464952}), s(36 + bytes), s(u32{0x45564157}), s(u32{0x20746D66});  // "RIFF", size, "WAVE", "fmt "
    s(u32{16}), s(u16{1}), s(static_cast<u16>(kanaele)), s(u32{22050}), s(static_cast<u32>(22050 * 2 * kanaele)),
        s(static_cast<u16>(2 * kanaele)), s(u16{16});
    s(u32{0x61746164}), s(bytes);  // "data"
    for (float v : pcm) s(static_cast<i16>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767)));
    return d;
}

// Scales to the peak level of every effect.
void normieren(std::vector<float>& pcm, double spitze = SPITZE) {
    float m = 0;
    for (float v : pcm) m = std::max(m, std::fabs(v));
    if (m > 0)
        for (float& v : pcm) v = static_cast<float>(v * spitze / m);
}

// Deterministic noise, lightly low-passed.
struct Rauschen {
    u32 z = 12345;
    float tp = 0;
    float operator()(float glaettung) {
        z = z * 1664525u + 1013904223u;
        const float w = static_cast<float>(static_cast<i32>(z >> 8) - (1 << 23)) / static_cast<float>(1 << 23);
        tp += (w - tp) * glaettung;
        return tp;
    }
};

// A click: a few ms of filtered noise over a low decaying sine.
void klick(std::vector<float>& p, double t0, double hz, double rausch_ms, double glaettung, double pegel = 1) {
    Rauschen r;
    const size_t a = static_cast<size_t>(t0 * RATE);
    for (size_t i = a; i < p.size(); ++i) {
        const double t = (i - a) / RATE;
        const double sinus = std::sin(2 * PI * hz * t) * std::exp(-t * 60);
        const double n = t < rausch_ms / 1000 ? r(static_cast<float>(glaettung)) * std::exp(-t * 900) : 0;
        p[i] += static_cast<float>(pegel * (0.6 * sinus + 0.8 * n));
    }
}

// A struck tone of partials (frequency ratio, level), exponential decay.
void ton(std::vector<float>& p, double t0, double hz, double dauer,
         std::initializer_list<std::pair<double, double>> teile, double abkling, double pegel = 1,
         double anschlag = 0.004) {
    const size_t a = static_cast<size_t>(t0 * RATE), e = std::min(p.size(), a + static_cast<size_t>(dauer * RATE));
    for (size_t i = a; i < e; ++i) {
        const double t = (i - a) / RATE;
        double v = 0;
        for (auto [f, l] : teile) v += l * std::sin(2 * PI * hz * f * t);
        const double huelle = std::min(1.0, t / anschlag) * std::exp(-t * abkling) * std::min(1.0, (dauer - t) * 50);
        p[i] += static_cast<float>(pegel * v * huelle);
    }
}

// A brass-like note: odd and even harmonics falling off, a soft swell.
void blech(std::vector<float>& p, double t0, double hz, double dauer, double pegel = 1) {
    const size_t a = static_cast<size_t>(t0 * RATE), e = std::min(p.size(), a + static_cast<size_t>(dauer * RATE));
    for (size_t i = a; i < e; ++i) {
        const double t = (i - a) / RATE;
        double v = 0;
        const double hell = std::min(1.0, t / 0.05);
        for (int k = 1; k <= 8; ++k)
            v += std::sin(2 * PI * hz * k * t * (1 + 0.002 * std::sin(2 * PI * 5 * t))) / (k * (2.2 - hell));
        const double huelle =
            std::min(1.0, t / 0.03) * std::min(1.0, (dauer - t) / 0.06) * (0.85 + 0.15 * std::exp(-t * 8));
        p[i] += static_cast<float>(pegel * v * huelle * 0.3);
    }
}

double note_hz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

}  // namespace

std::vector<u8> Ton(const std::string& rezept, i32 ms) {
    std::vector<float> p(static_cast<size_t>(std::max(1, ms) * RATE / 1000), 0.0f);
    double pegel = SPITZE;
    if (rezept == "stille") {
        return wav_datei(p, 1);
    } else if (rezept == "klick") {
        klick(p, 0, 190, 6, 0.35);
    } else if (rezept == "klick_hell") {
        klick(p, 0, 420, 4, 0.6);
        pegel = 0.3;
    } else if (rezept == "tick") {  // the pop-up entry under the mouse
        klick(p, 0, 1200, 2, 0.8);
        pegel = 0.18;
    } else if (rezept == "wippe") {
        klick(p, 0, 240, 5, 0.4);
        klick(p, 0.045, 320, 4, 0.4, 0.7);
    } else if (rezept == "glocke") {  // the requester: a two-partial chime
        ton(p, 0, 1046.5, ms / 1000.0, {{1, 1}, {2.76, 0.35}}, 5.5);
        ton(p, 0.11, 1568, ms / 1000.0 - 0.11, {{1, 0.7}, {2.76, 0.25}}, 5.5);
        pegel = 0.4;
    } else if (rezept == "pfiff") {  // the pre-match page: a referee's whistle
        Rauschen r;
        for (size_t i = 0; i < p.size(); ++i) {
            const double t = i / RATE, d = ms / 1000.0;
            const double f = 2900 + 90 * std::sin(2 * PI * 28 * t);
            const double h = std::min(1.0, t / 0.02) * std::min(1.0, (d - t) / 0.05);
            p[i] = static_cast<float>(h * (std::sin(2 * PI * f * t) + 0.15 * r(0.5)));
        }
        pegel = 0.35;
    } else if (rezept == "bau") {  // a booking done (a stand built): a knock, then two rising tones
        klick(p, 0, 140, 8, 0.5);
        ton(p, 0.06, 784, ms / 1000.0 - 0.06, {{1, 1}, {2, 0.25}}, 7, 0.8);
        ton(p, 0.2, 1046.5, ms / 1000.0 - 0.2, {{1, 1}, {2, 0.25}}, 6, 0.9);
        pegel = 0.4;
    } else if (rezept == "herz") {
        for (double t0 : {0.0, 0.22}) ton(p, t0, 55, 0.25, {{1, 1}, {2, 0.3}}, 14, t0 > 0 ? 0.7 : 1, 0.01);
    } else if (rezept == "fanfare") {  // trophies: C E G, then a held C
        const int noten[] = {60, 64, 67, 72};
        const double start[] = {0, 0.16, 0.32, 0.48}, dauer[] = {0.15, 0.15, 0.15, 1.0};
        for (int i = 0; i < 4; ++i) {
            blech(p, start[i], note_hz(noten[i]), dauer[i]);
            blech(p, start[i], note_hz(noten[i] - 12), dauer[i], 0.5);
        }
    } else if (rezept == "jingle") {  // results: a bright loop, its tail wrapped to the start
        const double schlag = 60.0 / 120;
        const int melodie[] = {72, 76, 79, 84, 79, 76, 74, 77, 81, 77, 74, 71};
        const int bass[] = {48, 48, 53, 55};
        std::vector<float> lang(p.size() + static_cast<size_t>(RATE), 0.0f);
        for (int i = 0; i < 12; ++i)
            ton(lang, i * schlag, note_hz(melodie[i]), 0.9, {{1, 1}, {2, 0.3}, {3, 0.12}}, 5, 0.5);
        for (int i = 0; i < 4; ++i)
            ton(lang, i * 3 * schlag, note_hz(bass[i]), 1.4, {{1, 1}, {2, 0.4}}, 2.5, 0.6, 0.01);
        for (int i = 0; i < 24; ++i) klick(lang, i * schlag / 2, 3000, 3, 0.9, i % 2 ? 0.1 : 0.18);
        for (size_t i = 0; i < lang.size(); ++i) p[i % p.size()] += lang[i];
    } else if (rezept.rfind("stadion:", 0) == 0) {  // the stadium's sounds (stadion_klang.cpp)
        const std::string art = rezept.substr(8);
        p = Stadion_Ton(art, ms);
        if (p.empty()) return {};
        // The crowd's loops keep their ends as they are: they join seamlessly.
        const bool schleife = art.rfind("menge_", 0) == 0 || art.rfind("gesang", 0) == 0;
        normieren(p, schleife ? 0.4 : SPITZE);
        if (!schleife)
            for (size_t i = 0, n = std::min<size_t>(p.size(), 110); i < n; ++i)
                p[p.size() - 1 - i] *= static_cast<float>(i) / n;
        return wav_datei(p, 1);
    } else {
        std::fprintf(stderr, "resgen: unbekanntes Tonrezept %s\n", rezept.c_str());
        return {};
    }
    normieren(p, pegel);
    // A short fade at the end, so that no sound stops with a click of its own.
    if (rezept != "jingle")
        for (size_t i = 0, n = std::min<size_t>(p.size(), 110); i < n; ++i)
            p[p.size() - 1 - i] *= static_cast<float>(i) / n;
    return wav_datei(p, 1);
}

// ---- Music ---------------------------------------------------------------------

namespace {

int note_nummer(const std::string& n) {
    static const std::map<char, int> stufe = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    if (n.size() < 2 || !stufe.count(n[0])) return -1;
    size_t i = 1;
    int v = stufe.at(n[0]);
    if (n[i] == '#') ++v, ++i;
    else if (n[i] == 'b') --v, ++i;
    if (i >= n.size() || !std::isdigit(static_cast<unsigned char>(n[i]))) return -1;
    return v + 12 * (n[i] - '0' + 1);
}

// The chords a score may name: root note and intervals.
bool akkord(const std::string& a, int* grund, std::vector<int>* stufen) {
    const int g = note_nummer(a.substr(0, a[1] == '#' || a[1] == 'b' ? 2 : 1) + "3");
    if (g < 0) return false;
    *grund = g;
    const std::string art = a.substr(a[1] == '#' || a[1] == 'b' ? 2 : 1);
    if (art.empty()) *stufen = {0, 4, 7};
    else if (art == "m") *stufen = {0, 3, 7};
    else if (art == "7") *stufen = {0, 4, 7, 10};
    else if (art == "sus4") *stufen = {0, 5, 7};
    else return false;
    return true;
}

struct Ereignis {
    u64 frame;
    int art;  // 0 off, 1 on
    int kanal, note, staerke;
    bool operator<(const Ereignis& o) const { return frame != o.frame ? frame < o.frame : art < o.art; }
};

}  // namespace

namespace {

// A score as read: tempo, one chord per bar, and the tracks.
struct Spur {
    std::string art;
    int kanal = 0, programm = 0, lautstaerke = 100;
    std::vector<std::pair<std::string, double>> noten;  // melody: name, beats
    std::string muster;                                 // drums: 16 steps per bar
    int note = 0;
};
struct Partitur {
    double tempo = 110;
    std::vector<std::string> akkorde;
    std::vector<Spur> spuren;
};

// One line of the score into `p`; false with the message in `fehler`.
bool zeile_lesen(std::istringstream& z, const std::string& wort, Partitur* p, std::string* fehler) {
    if (wort == "TEMPO") {
        if (!(z >> p->tempo) || p->tempo < 40 || p->tempo > 240) return *fehler = "TEMPO 40..240 erwartet", false;
    } else if (wort == "AKKORDE") {
        for (std::string a; z >> a;) {
            int g;
            std::vector<int> s;
            if (a != "|" && !akkord(a, &g, &s)) return *fehler = "unbekannter Akkord " + a, false;
            if (a != "|") p->akkorde.push_back(a);
        }
    } else if (wort == "SPUR") {
        Spur s;
        if (!(z >> s.art >> s.kanal >> s.programm >> s.lautstaerke) || s.kanal < 0 || s.kanal > 15 || s.programm < 0 ||
            s.programm > 127 || s.lautstaerke < 0 || s.lautstaerke > 127)
            return *fehler = "SPUR art kanal programm lautstärke erwartet", false;
        if (s.art != "flaeche" && s.art != "bass" && s.art != "melodie" && s.art != "schlag")
            return *fehler = "unbekannte Spurart " + s.art, false;
        p->spuren.push_back(s);
    } else if (wort == "NOTEN" || wort == "MUSTER") {
        if (p->spuren.empty()) return *fehler = wort + " vor der ersten SPUR", false;
        Spur& s = p->spuren.back();
        if (wort == "MUSTER") {
            std::string n;
            if (!(z >> n >> s.muster) || s.muster.size() != 16 || (s.note = note_nummer(n)) < 0 || s.art != "schlag")
                return *fehler = "MUSTER note und 16 Schritte erwartet", false;
            return true;
        }
        for (std::string n; z >> n;) {
            if (n == "|") continue;
            const size_t k = n.find(':');
            const double dauer = k == std::string::npos ? 1 : std::atof(n.c_str() + k + 1);
            const std::string name = n.substr(0, k);
            if (dauer <= 0 || dauer > 16 || (name != "-" && note_nummer(name) < 0))
                return *fehler = "falsche Note " + n, false;
            s.noten.emplace_back(name, dauer);
        }
    } else {
        return *fehler = "unbekanntes Wort " + wort, false;
    }
    return true;
}

bool partitur_lesen(const std::string& datei, Partitur* p, std::string* fehler) {
    std::ifstream in(datei);
    if (!in) return *fehler = "Partitur " + datei + " nicht lesbar", false;
    std::string zeile;
    for (int nr = 1; std::getline(in, zeile); ++nr) {
        if (const size_t k = zeile.find('#'); k != std::string::npos) zeile.erase(k);
        std::istringstream z(zeile);
        std::string wort;
        if (!(z >> wort)) continue;
        if (!zeile_lesen(z, wort, p, fehler)) return *fehler = datei + ":" + std::to_string(nr) + ": " + *fehler, false;
    }
    if (p->akkorde.empty() || p->spuren.empty()) return *fehler = datei + ": AKKORDE und SPUR fehlen", false;
    return true;
}

// The note events of the score, sorted; `schlag_frames` frames a beat.
std::vector<Ereignis> ereignisse(const Partitur& p, double schlag_frames) {
    auto frame = [&](double schlag) { return static_cast<u64>(schlag * schlag_frames); };
    std::vector<Ereignis> ev;
    auto note = [&](int kanal, int n, int staerke, double von, double dauer) {
        ev.push_back({frame(von), 1, kanal, n, staerke});
        ev.push_back({frame(von + dauer) - 1, 0, kanal, n, 0});
    };
    for (const Spur& s : p.spuren) {
        if (s.art == "melodie") {
            double t = 0;
            for (const auto& [name, dauer] : s.noten) {
                if (name != "-") note(s.kanal, note_nummer(name), 96, t, dauer * 0.95);
                t += dauer;
            }
            continue;
        }
        for (size_t b = 0; b < p.akkorde.size(); ++b) {
            int g;
            std::vector<int> st;
            akkord(p.akkorde[b], &g, &st);
            const double takt = b * 4.0;
            if (s.art == "flaeche")
                for (int i : st) note(s.kanal, g + 12 + i, 70, takt, 4);
            else if (s.art == "bass")
                for (int k = 0; k < 4; ++k)
                    note(s.kanal, g - 12 + (k == 3 ? st[2] : 0), k % 2 ? 80 : 100, takt + k, 0.9);
            else
                for (int k = 0; k < 16; ++k)
                    if (s.muster[static_cast<size_t>(k)] != '.')
                        note(s.kanal, s.note, s.muster[static_cast<size_t>(k)] == 'X' ? 100 : 60, takt + k / 4.0, 0.2);
        }
    }
    std::sort(ev.begin(), ev.end());
    return ev;
}

// Renders the events with FluidSynth into `l` and `r` (their length frames).
bool rendern(const Partitur& p, const std::vector<Ereignis>& ev, const std::string& soundfont, std::vector<float>* l,
             std::vector<float>* r, std::string* fehler) {
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    fluid_settings_t* einst = new_fluid_settings();
    fluid_settings_setnum(einst, "synth.sample-rate", RATE);
    fluid_settings_setint(einst, "synth.chorus.active", 0);
    fluid_settings_setint(einst, "synth.cpu-cores", 1);
    fluid_settings_setnum(einst, "synth.gain", 0.4);
    fluid_synth_t* syn = new_fluid_synth(einst);
    if (!syn || fluid_synth_sfload(syn, soundfont.c_str(), 1) == FLUID_FAILED) {
        if (syn) delete_fluid_synth(syn);
        delete_fluid_settings(einst);
        *fehler = "Soundfont " + soundfont + " nicht ladbar";
        return false;
    }
    for (const Spur& s : p.spuren) {
        fluid_synth_program_change(syn, s.kanal, s.programm);
        fluid_synth_cc(syn, s.kanal, 7, s.lautstaerke);
    }
    const u64 ende = l->size();
    u64 pos = 0;
    size_t e = 0;
    while (pos < ende) {
        while (e < ev.size() && ev[e].frame <= pos) {
            const Ereignis& x = ev[e++];
            if (x.art) fluid_synth_noteon(syn, x.kanal, x.note, x.staerke);
            else fluid_synth_noteoff(syn, x.kanal, x.note);
        }
        const u64 bis = std::min(ende, e < ev.size() ? std::max(ev[e].frame, pos + 1) : ende);
        const int n = static_cast<int>(std::min<u64>(bis - pos, 4096));
        fluid_synth_write_float(syn, n, l->data() + pos, 0, 1, r->data() + pos, 0, 1);
        pos += static_cast<u64>(n);
    }
    delete_fluid_synth(syn);
    delete_fluid_settings(einst);
    return true;
}

}  // namespace

std::vector<u8> Musik(const std::string& partitur, const std::string& soundfont, std::string* fehler) {
    Partitur p;
    if (!partitur_lesen(partitur, &p, fehler)) return {};
    const double schlag_frames = RATE * 60 / p.tempo;
    const u64 loop = static_cast<u64>(p.akkorde.size() * 4 * schlag_frames);
    // Rendered past the loop point; the tail is laid over the start, so the
    // loop joins without a seam.
    const u64 ende = loop + static_cast<u64>(4 * RATE);
    std::vector<float> l(ende), r(ende);
    if (!rendern(p, ereignisse(p, schlag_frames), soundfont, &l, &r, fehler)) return {};
    std::vector<float> pcm(loop * 2);
    for (u64 i = 0; i < ende; ++i) {
        pcm[2 * (i % loop)] += l[i];
        pcm[2 * (i % loop) + 1] += r[i];
    }
    normieren(pcm);
    return wav_datei(pcm, 2);
}

}  // namespace resgen

namespace resgen {

std::string Soundfont_Pfad() {
    const char* e = std::getenv("KORDAVO_SOUNDFONT");
    return e && *e ? e : "/usr/share/sounds/sf2/TimGM6mb.sf2";
}

}  // namespace resgen
