// The stadium's sounds, synthesised: the referee's whistle, the ball, the
// net and the post, and the crowd (murmur and loud loops, chants, cheers,
// groans, boos, whistling, applause, the goal roar). A crowd is many voices:
// each a buzzing source with a little vibrato through two formant filters
// (its vowel), switched on and off in syllables, over a bed of soft noise.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "resgen.h"

namespace resgen {

namespace {

constexpr double RATE = 22050;
constexpr double PI = 3.14159265358979;

struct Zufall {
    u32 z;
    explicit Zufall(u32 saat) : z(Streuen(saat) | 1) {}
    double gleich() {  // 0..1
        z = z * 1664525u + 1013904223u;
        return (z >> 8) / static_cast<double>(1 << 24);
    }
    double bereich(double a, double b) { return a + (b - a) * gleich(); }
};

// A band-pass (constant peak gain) of the usual two-pole form.
struct Band {
    double b0 = 0, b2 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    Band(double f, double q) {
        const double w = 2 * PI * f / RATE, al = std::sin(w) / (2 * q), a0 = 1 + al;
        b0 = al / a0, b2 = -al / a0, a1 = -2 * std::cos(w) / a0, a2 = (1 - al) / a0;
    }
    double operator()(double x) {
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return y;
    }
};

struct Vokal {
    double f1, f2;
};
constexpr Vokal A{730, 1090}, O{570, 840}, U{320, 800}, E{530, 1840};

// What a crowd does: how many voices, their pitch, vowel, the share of time
// each one sounds (syllables a second, 0 = held), and the loudness over time.
struct Menge {
    int stimmen = 30;
    double tief = 110, hoch = 260;  // fundamentals (Hz)
    Vokal vokal = A;
    double silben = 0;                                                  // babble rate; 0: sustained
    double gleiten = 0;                                                 // pitch glide over the sound (octaves, + up)
    std::function<double(double)> huelle = [](double) { return 1.0; };  // t in 0..1
    double rauschen = 0.3;                                              // level of the noise bed
    u32 saat = 1;
};

void menge(std::vector<float>& p, const Menge& m) {
    const size_t n = p.size();
    Zufall r(m.saat);
    for (int v = 0; v < m.stimmen; ++v) {
        const double f0 = r.bereich(m.tief, m.hoch), vib = r.bereich(4, 7), vib_phase = r.bereich(0, 2 * PI);
        const double lage = r.bereich(0.85, 1.2);  // each voice's own formant shift
        Band b1(m.vokal.f1 * lage, 6), b2(m.vokal.f2 * lage, 8);
        const double pegel = r.bereich(0.4, 1.0), silbe = m.silben * r.bereich(0.6, 1.4), s_phase = r.bereich(0, 1);
        const double einsatz = m.silben > 0 ? 0 : r.bereich(0, 0.08);  // held voices come in a little apart
        double phase = r.gleich();
        for (size_t i = 0; i < n; ++i) {
            const double t = i / RATE, rel = static_cast<double>(i) / n;
            if (rel < einsatz) continue;
            const double f = f0 * std::pow(2.0, m.gleiten * rel) * (1 + 0.012 * std::sin(2 * PI * vib * t + vib_phase));
            phase += f / RATE;
            phase -= std::floor(phase);
            const double quelle = 2 * phase - 1;
            double tor = 1;
            if (m.silben > 0) {
                const double s = std::sin(2 * PI * (silbe * t + s_phase));
                tor = s > 0.2 ? std::min(1.0, (s - 0.2) * 3) : 0;
            }
            p[i] += static_cast<float>(pegel * tor * m.huelle(rel) * (b1(quelle) + 0.6 * b2(quelle)));
        }
    }
    // The bed: the murmur of the rest of the stand, slowly swelling.
    Band tief(400, 0.7), mitte(1200, 0.9);
    const double schwell = r.bereich(0.1, 0.3);
    for (size_t i = 0; i < n; ++i) {
        const double t = i / RATE, w = r.bereich(-1, 1);
        const double l = m.rauschen * m.stimmen * 0.05 * (0.8 + 0.2 * std::sin(2 * PI * schwell * t));
        p[i] += static_cast<float>(l * m.huelle(static_cast<double>(i) / n) * (tief(w) + 0.5 * mitte(w)));
    }
}

// Makes a loop of `p` seamless: it was rendered `ueber` frames longer than
// the loop; the tail is faded over the start and cut off.
void schleife(std::vector<float>& p, size_t ueber) {
    const size_t l = p.size() - ueber;
    for (size_t i = 0; i < ueber; ++i) {
        const double a = static_cast<double>(i) / ueber;
        p[i] = static_cast<float>(p[i] * std::sqrt(a) + p[l + i] * std::sqrt(1 - a));
    }
    p.resize(l);
}

// A referee's pea whistle: a high tone trilled by the pea, blasts given as
// (start, length) in seconds.
void pfeife(std::vector<float>& p, std::initializer_list<std::pair<double, double>> stoesse) {
    Zufall r(77);
    for (auto [t0, d] : stoesse) {
        const size_t a = static_cast<size_t>(t0 * RATE), e = std::min(p.size(), a + static_cast<size_t>(d * RATE));
        double phase = 0;
        for (size_t i = a; i < e; ++i) {
            const double t = (i - a) / RATE;
            const double f = 3050 + 120 * std::sin(2 * PI * 31 * t);
            phase += f / RATE;
            const double triller = 0.75 + 0.25 * std::sin(2 * PI * 31 * t);
            const double h = std::min(1.0, t / 0.015) * std::min(1.0, (d - t) / 0.04);
            p[i] += static_cast<float>(h * triller * (std::sin(2 * PI * phase) + 0.12 * r.bereich(-1, 1)));
        }
    }
}

// A thump: a sine falling in pitch with a click of noise (kicks, headers,
// the ball on the board).
void stoss(std::vector<float>& p, double t0, double hz, double abfall, double klick, double pegel = 1) {
    Zufall r(static_cast<u32>(hz));
    Band hell(2500, 0.8);
    const size_t a = static_cast<size_t>(t0 * RATE);
    double phase = 0;
    for (size_t i = a; i < p.size(); ++i) {
        const double t = (i - a) / RATE;
        phase += hz * (1 + 1.5 * std::exp(-t * 40)) / RATE;
        const double ton = std::sin(2 * PI * phase) * std::exp(-t * abfall);
        const double k = hell(r.bereich(-1, 1)) * std::exp(-t * 300) * klick;
        p[i] += static_cast<float>(pegel * (ton + k));
    }
}

// Noise through a band, shaped by an envelope (the net, applause claps).
void rauschen(std::vector<float>& p, double t0, double dauer, double f, double q, std::function<double(double)> h,
              u32 saat, double pegel = 1) {
    Zufall r(saat);
    Band b(f, q);
    const size_t a = static_cast<size_t>(t0 * RATE), e = std::min(p.size(), a + static_cast<size_t>(dauer * RATE));
    for (size_t i = a; i < e; ++i) p[i] += static_cast<float>(pegel * h((i - a) / RATE) * b(r.bereich(-1, 1)));
}

// Partials with their own decay (the post, the horn, the gong).
struct Teil {
    double f, pegel, abkling;
};
void klang(std::vector<float>& p, double t0, double dauer, std::initializer_list<Teil> teile, double anschlag = 0.003) {
    const size_t a = static_cast<size_t>(t0 * RATE), e = std::min(p.size(), a + static_cast<size_t>(dauer * RATE));
    for (size_t i = a; i < e; ++i) {
        const double t = (i - a) / RATE;
        double v = 0;
        for (const auto& [f, l, abkling] : teile) v += l * std::sin(2 * PI * f * t) * std::exp(-t * abkling);
        p[i] += static_cast<float>(v * std::min(1.0, t / anschlag) * std::min(1.0, (dauer - t) * 40));
    }
}

void applaus(std::vector<float>& p, double t0, double dauer, double dichte, u32 saat, double pegel = 1) {
    Zufall r(saat);
    const int klatscher = static_cast<int>(dauer * dichte);
    for (int k = 0; k < klatscher; ++k) {
        const double t = t0 + r.bereich(0, dauer), f = r.bereich(900, 2600);
        const double h = std::sin(PI * std::min(1.0, (t - t0) / dauer));  // swells and fades
        rauschen(
            p, t, 0.03, f, 1.5, [](double x) { return std::exp(-x * 160); }, static_cast<u32>(k) + saat,
            pegel * r.bereich(0.3, 1.0) * (0.3 + 0.7 * h));
    }
}

double note_hz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// A chant: the stand sings a tune in unison (the voices a little apart in
// pitch and time) and claps the beats.
void gesang(std::vector<float>& p, const std::vector<std::pair<int, double>>& tune, double bpm,
            const std::vector<double>& klatschen, u32 saat) {
    const double schlag = 60.0 / bpm;
    Zufall r(saat);
    double t = 0;
    for (const auto& [note, schlaege] : tune) {
        const double d = schlaege * schlag;
        if (note > 0) {
            std::vector<float> n(static_cast<size_t>((d + 0.3) * RATE), 0.0f);
            Menge m;
            m.stimmen = 24;
            m.tief = note_hz(note) * 0.985, m.hoch = note_hz(note) * 1.015;
            m.vokal = (note % 2) ? O : E;
            m.rauschen = 0.15;
            const double ende = d / (d + 0.3);
            m.huelle = [ende](double x) {
                return std::min(1.0, x * 12) * (x < ende ? 1.0 : std::max(0.0, 1 - (x - ende) * 8));
            };
            m.saat = r.z;
            r.gleich();
            menge(n, m);
            const size_t a = static_cast<size_t>(t * RATE);
            for (size_t i = 0; i < n.size(); ++i) p[(a + i) % p.size()] += n[i];
        }
        t += d;
    }
    for (double b : klatschen) {
        for (double takt = 0; takt * schlag * 4 < p.size() / RATE - 1e-9; ++takt)
            applaus(p, (takt * 4 + b) * schlag, 0.06, 900, saat + static_cast<u32>(takt * 16 + b * 4), 0.9);
    }
}

}  // namespace

std::vector<float> Stadion_Ton(const std::string& art, i32 ms) {
    const size_t n = static_cast<size_t>(std::max(1, ms) * RATE / 1000);
    const size_t ueber = static_cast<size_t>(0.5 * RATE);  // crossfade of the loops
    std::vector<float> p(n, 0.0f);
    auto ramp = [](double x, double an, double ab) { return std::min(1.0, x / an) * std::min(1.0, (1 - x) / ab); };
    if (art == "pfiff_kurz") pfeife(p, {{0.0, ms / 1000.0 - 0.02}});
    else if (art == "pfiff_lang") pfeife(p, {{0.0, 0.25}, {0.35, ms / 1000.0 - 0.37}});
    else if (art == "pfiff_drei") pfeife(p, {{0.0, 0.35}, {0.5, 0.35}, {1.0, ms / 1000.0 - 1.02}});
    else if (art == "pfiff_abseits") pfeife(p, {{0.0, 0.15}, {0.22, 0.15}});
    else if (art == "schuss") stoss(p, 0, 95, 22, 0.9);
    else if (art == "pass") stoss(p, 0, 120, 35, 0.6, 0.7);
    else if (art == "kopfball") stoss(p, 0, 150, 45, 0.25, 0.8);
    else if (art == "aufprall") stoss(p, 0, 180, 50, 0.3, 0.6);
    else if (art == "fangen") {
        stoss(p, 0, 140, 60, 0.2, 0.6);
        rauschen(
            p, 0, 0.12, 1800, 1, [](double t) { return std::exp(-t * 40); }, 5, 0.5);
    } else if (art == "bande") stoss(p, 0, 70, 14, 0.5);
    else if (art == "netz") {
        stoss(p, 0, 110, 30, 0.4, 0.5);
        rauschen(
            p, 0.02, ms / 1000.0, 3200, 0.7,
            [ms](double t) { return std::sin(PI * std::min(1.0, t / (ms / 1000.0 - 0.02))) * std::exp(-t * 3); }, 9);
    } else if (art == "pfosten") {
        stoss(p, 0, 100, 40, 1.0, 0.6);
        klang(p, 0, ms / 1000.0, {{640, 1, 4}, {1580, 0.6, 6}, {2470, 0.4, 9}, {3900, 0.2, 14}});
    } else if (art == "tafel") {
        klang(p, 0, 0.15, {{1320, 1, 2}, {2640, 0.2, 2}}, 0.005);
        klang(p, 0.2, 0.15, {{1760, 1, 2}, {3520, 0.2, 2}}, 0.005);
    } else if (art == "torhorn") {
        for (int k = 1; k <= 7; ++k) klang(p, 0, ms / 1000.0, {{233.1 * k, 1.0 / k, 0.4}}, 0.08);
    } else if (art == "gong") {
        klang(p, 0, ms / 1000.0, {{784, 1, 2.5}, {1568, 0.3, 4}});
        klang(p, 0.55, ms / 1000.0 - 0.55, {{622.3, 1, 2}, {1244.5, 0.3, 3.5}});
    } else if (art == "applaus") {
        applaus(p, 0, ms / 1000.0, 500, 31);
    } else if (art == "trommeln") {
        // Three drums, a beat the stand follows: boom boom boom-boom-boom.
        const double schlag = 0.25;
        for (double b : {0.0, 2.0, 4.0, 5.0, 6.0})
            for (double takt = 0; takt * 8 * schlag < ms / 1000.0 - 0.3; ++takt)
                stoss(p, (takt * 8 + b) * schlag, 65, 9, 0.3);
    } else if (art.rfind("menge_ruhig", 0) == 0 || art.rfind("menge_laut", 0) == 0) {
        // The crowd's background: babble, rendered past the loop and faded over its start.
        const bool laut = art.rfind("menge_laut", 0) == 0;
        p.assign(n + ueber, 0.0f);
        Menge m;
        m.stimmen = laut ? 60 : 40;
        m.tief = laut ? 130 : 100, m.hoch = laut ? 320 : 230;
        m.silben = laut ? 2.5 : 3.5;
        m.vokal = laut ? A : E;
        m.rauschen = laut ? 0.5 : 0.6;
        m.saat = art.back() == '2' ? 202 : 101;
        menge(p, m);
        if (laut) applaus(p, 0, p.size() / RATE, 60, m.saat, 0.6);
        schleife(p, ueber);
    } else if (art == "gesang" || art == "gesang2") {
        // Chants, bars of 4 beats at 120 a minute, the loop as long as the tune.
        if (art == "gesang")
            gesang(p,
                   {{67, 1},
                    {67, 1},
                    {64, 1.5},
                    {62, 0.5},
                    {64, 1},
                    {67, 1},
                    {69, 2},
                    {67, 1},
                    {67, 1},
                    {64, 1.5},
                    {62, 0.5},
                    {60, 2},
                    {0, 2}},
                   120, {1, 3}, 41);
        else
            gesang(p,
                   {{60, 1},
                    {60, 1},
                    {0, 0.5},
                    {60, 0.5},
                    {62, 0.5},
                    {64, 0.5},
                    {65, 2},
                    {64, 1},
                    {0, 1},
                    {60, 1},
                    {60, 1},
                    {0, 0.5},
                    {60, 0.5},
                    {62, 0.5},
                    {64, 0.5},
                    {62, 2},
                    {60, 1},
                    {0, 1}},
                   120, {0, 2}, 43);
        // Under the singing the rest of the stand goes on murmuring.
        std::vector<float> bett(n + ueber, 0.0f);
        Menge m;
        m.stimmen = 16, m.silben = 3, m.vokal = E, m.rauschen = 0.6, m.saat = art == "gesang" ? 103 : 104;
        menge(bett, m);
        schleife(bett, ueber);
        for (size_t i = 0; i < n; ++i) p[i] += 0.35f * bett[i];
    } else {
        // The crowd's reactions, one shape each.
        Menge m;
        const double d = ms / 1000.0;
        if (art == "torjubel" || art == "torjubel_gast") {  // a roar swelling, held, fading
            const bool gast = art == "torjubel_gast";
            m.stimmen = gast ? 35 : 80;
            m.tief = 150, m.hoch = 380, m.gleiten = 0.15;
            m.rauschen = 0.6;
            m.huelle = [=](double x) { return std::min(1.0, x * 6) * (x < 0.5 ? 1.0 : std::exp(-(x - 0.5) * 3.5)); };
            m.saat = gast ? 12 : 11;
        } else if (art == "jubel" || art == "jubel2") {  // a short cheer
            m.stimmen = 45, m.tief = 160, m.hoch = 360, m.gleiten = 0.1, m.rauschen = 0.5;
            m.huelle = [=](double x) { return ramp(x, 0.12, 0.5); };
            m.saat = art == "jubel" ? 21 : 22;
        } else if (art == "chance") {  // "aah!": rising as the ball flies, breaking off
            m.stimmen = 60, m.tief = 150, m.hoch = 330, m.gleiten = 0.4, m.rauschen = 0.5;
            m.huelle = [=](double x) { return std::min(1.0, x * 2) * std::min(1.0, (1 - x) * 3); };
            m.saat = 31;
        } else if (art == "oh" || art == "aufschrei") {  // a groan falling away, or a short cry
            const bool schrei = art == "aufschrei";
            m.stimmen = 50, m.tief = schrei ? 180 : 120, m.hoch = schrei ? 380 : 250;
            m.vokal = schrei ? A : O, m.gleiten = schrei ? 0.2 : -0.5, m.rauschen = 0.4;
            m.huelle = [=](double x) { return ramp(x, schrei ? 0.05 : 0.15, 0.6); };
            m.saat = schrei ? 41 : 42;
        } else if (art == "raunen") {  // a murmur going through the stand
            m.stimmen = 40, m.tief = 100, m.hoch = 200, m.vokal = O, m.silben = 2, m.rauschen = 0.7;
            m.huelle = [](double x) { return std::sin(PI * x); };
            m.saat = 51;
        } else if (art == "buhrufe") {  // "buuh", low and long
            m.stimmen = 50, m.tief = 85, m.hoch = 160, m.vokal = U, m.gleiten = -0.1, m.rauschen = 0.3;
            m.huelle = [=](double x) { return ramp(x, 0.2, 0.3); };
            m.saat = 61;
        } else if (art == "pfeifkonzert") {  // fingers in mouths: many whistles
            Zufall r(71);
            for (int k = 0; k < 40; ++k) {
                const double t0 = r.bereich(0, d * 0.4), len = r.bereich(0.4, d - t0), f = r.bereich(1800, 3600);
                const double glitt = r.bereich(-0.3, 0.2);
                const size_t a = static_cast<size_t>(t0 * RATE), e = std::min(n, a + static_cast<size_t>(len * RATE));
                double phase = 0;
                for (size_t i = a; i < e; ++i) {
                    const double t = (i - a) / RATE;
                    phase += f * (1 + glitt * t / len) / RATE;
                    p[i] += static_cast<float>(0.3 * std::sin(2 * PI * phase) * ramp(t / len, 0.1, 0.2));
                }
            }
            m.stimmen = 20, m.vokal = U, m.tief = 90, m.hoch = 150, m.rauschen = 0.4;
            m.huelle = [=](double x) { return 0.5 * ramp(x, 0.2, 0.3); };
            m.saat = 72;
        } else {
            std::fprintf(stderr, "resgen: unbekannter Stadionklang %s\n", art.c_str());
            return {};
        }
        menge(p, m);
    }
    return p;
}

}  // namespace resgen
