// The stadium screen's picture of a club's ground at each class 0..5 (a
// floodlit evening seen from above one goal line): from a sports ground with
// a grass bank to a roofed arena, the same ground the live view's stands
// grow through. The confirmation pictures of building show the same view.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "resgen.h"

namespace resgen {

namespace {

constexpr u32 NAVY = 0x0E1A2B, KANTE_HELL = 0x3C5A82, GOLD = 0xF2B33D, KREIDE = 0xEEF2EA;
constexpr u32 RASEN_A = 0x2E7D46, RASEN_B = 0x287040;

struct P3 {
    double x, y, z;
};
struct P2 {
    double x, y, tiefe;
};

// A pinhole camera behind and above the near goal line, looking at the pitch.
struct Kamera {
    double w, h, brennweite;
    P3 pos{0, -112, 78};
    P3 vor{}, oben{};
    Kamera(double bw, double bh) : w(bw), h(bh), brennweite(bw * 0.82) {
        const P3 ziel{0, 14, 0};
        P3 f{ziel.x - pos.x, ziel.y - pos.y, ziel.z - pos.z};
        const double l = std::sqrt(f.x * f.x + f.y * f.y + f.z * f.z);
        vor = {f.x / l, f.y / l, f.z / l};
        // right = (1, 0, 0); up = right x forward
        oben = {0, -vor.z, vor.y};
        if (oben.z < 0) oben = {0, vor.z, -vor.y};
    }
    P2 operator()(P3 p) const {
        const P3 d{p.x - pos.x, p.y - pos.y, p.z - pos.z};
        const double zc = d.x * vor.x + d.y * vor.y + d.z * vor.z;
        const double yc = d.x * oben.x + d.y * oben.y + d.z * oben.z;
        return {w / 2 + brennweite * d.x / zc, h * 0.56 - brennweite * yc / zc, zc};
    }
};

void rgb(cairo_t* c, u32 f, double a = 1.0) { Farbe_Setzen(c, f, a); }

u32 mischen(u32 a, u32 b, double t) {
    auto k = [&](int s) {
        const double x = ((a >> s) & 255) * (1 - t) + ((b >> s) & 255) * t;
        return static_cast<u32>(std::clamp(x, 0.0, 255.0)) << s;
    };
    return k(16) | k(8) | k(0);
}

void polygon(cairo_t* c, const Kamera& k, std::initializer_list<P3> punkte) {
    bool erster = true;
    for (const P3& p : punkte) {
        const P2 q = k(p);
        if (erster) cairo_move_to(c, q.x, q.y);
        else cairo_line_to(c, q.x, q.y);
        erster = false;
    }
    cairo_close_path(c);
}

// What a class builds: stand depth and height, roofs, corners, lights.
struct Ausbau {
    double tiefe, hoehe;
    bool seiten, ecken, dach_fern, dach_seiten, masten, ring;
    double fuellung;  // share of seats with spectators
};
constexpr Ausbau AUSBAU[6] = {
    {7, 2.2, false, false, false, false, false, false, 0.35},
    {9, 4.5, true, false, true, false, false, false, 0.55},
    {13, 8, true, false, true, false, true, false, 0.65},
    {18, 13, true, false, true, true, true, false, 0.75},
    {22, 17, true, true, true, true, false, true, 0.85},
    {28, 23, true, true, true, true, false, true, 0.95},
};

constexpr double HL = 52.5, HB = 34;  // half length and width of the pitch
constexpr double RAND = 5;             // from the touchline to the first row

// A point of the stand ring: the rounded rectangle around the pitch at
// distance `d` from its edge, parameter t in 0..2pi (0 the right goal line,
// pi/2 the far touchline).
P3 ring(double t, double d, double z) {
    const double n = 10;
    const double c = std::cos(t), s = std::sin(t);
    const double a = HL + RAND + d, b = HB + RAND + d;
    const double x = a * (c < 0 ? -1 : 1) * std::pow(std::fabs(c), 2 / n);
    const double y = b * (s < 0 ? -1 : 1) * std::pow(std::fabs(s), 2 / n);
    return {x, y, z};
}

// Which part of the ring an angle lies in: 0 far side, 1 right, 2 near, 3 left, 4 a corner.
int teil(double t) {
    const double c = std::cos(t), s = std::sin(t);
    const double x = std::fabs(c), y = std::fabs(s);
    if (y > 0.93) return s > 0 ? 0 : 2;
    if (x > 0.93) return c > 0 ? 1 : 3;
    return 4;
}

void himmel(cairo_t* c, double w, double h, int klasse, u32 saat) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h * 0.55);
    cairo_pattern_add_color_stop_rgb(g, 0, 0x0A / 255.0, 0x13 / 255.0, 0x20 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0x1C / 255.0, 0x30 / 255.0, 0x4D / 255.0);
    cairo_set_source(c, g);
    cairo_paint(c);
    cairo_pattern_destroy(g);
    // Stars, fewer the brighter the ground's lights.
    const int sterne = 40 - klasse * 6;
    for (int i = 0; i < sterne; ++i) {
        const u32 r = Streuen(saat + static_cast<u32>(i) * 7919u);
        rgb(c, KREIDE, 0.25 + (r % 50) / 100.0);
        cairo_rectangle(c, r % static_cast<u32>(w), (r >> 10) % static_cast<u32>(h * 0.3), 1, 1);
        cairo_fill(c);
    }
    // A far town's skyline and the haze of the lights above the ground.
    rgb(c, 0x0B1624);
    cairo_move_to(c, 0, h * 0.42);
    double x = 0;
    u32 r = saat;
    while (x < w) {
        r = Streuen(r + 1);
        const double bw = 8 + r % 18, bh = 4 + (r >> 8) % 14;
        cairo_line_to(c, x, h * 0.42 - bh);
        cairo_line_to(c, x + bw, h * 0.42 - bh);
        x += bw;
    }
    cairo_line_to(c, w, h * 0.6), cairo_line_to(c, 0, h * 0.6);
    cairo_close_path(c);
    cairo_fill(c);
    cairo_pattern_t* dunst = cairo_pattern_create_radial(w / 2, h * 0.42, 0, w / 2, h * 0.42, w * 0.6);
    const double a = 0.08 + klasse * 0.045;
    cairo_pattern_add_color_stop_rgba(dunst, 0, 0xF2 / 255.0, 0xE0 / 255.0, 0xB0 / 255.0, a);
    cairo_pattern_add_color_stop_rgba(dunst, 1, 0xF2 / 255.0, 0xE0 / 255.0, 0xB0 / 255.0, 0);
    cairo_set_source(c, dunst);
    cairo_paint(c);
    cairo_pattern_destroy(dunst);
}

void gelaende(cairo_t* c, const Kamera& k) {
    // The ground around the pitch, dark in the evening.
    polygon(c, k, {{-220, -100, 0}, {220, -100, 0}, {220, 220, 0}, {-220, 220, 0}});
    rgb(c, 0x12261A);
    cairo_fill(c);
}

void spielfeld(cairo_t* c, const Kamera& k, int klasse) {
    // Surround and mowing stripes across the pitch.
    polygon(c, k, {{-HL - RAND, -HB - RAND, 0}, {HL + RAND, -HB - RAND, 0}, {HL + RAND, HB + RAND, 0},
                   {-HL - RAND, HB + RAND, 0}});
    rgb(c, RASEN_B);
    cairo_fill(c);
    const int streifen = 14;
    for (int i = 0; i < streifen; ++i) {
        const double x0 = -HL + 2 * HL * i / streifen, x1 = -HL + 2 * HL * (i + 1) / streifen;
        polygon(c, k, {{x0, -HB, 0}, {x1, -HB, 0}, {x1, HB, 0}, {x0, HB, 0}});
        rgb(c, i % 2 ? RASEN_A : RASEN_B);
        cairo_fill(c);
    }
    // The lights make the middle of the pitch brighter.
    const P2 m = k({0, 0, 0});
    cairo_pattern_t* g = cairo_pattern_create_radial(m.x, m.y, 0, m.x, m.y, k.w * 0.5);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 0.9, 0.05 + 0.02 * klasse);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 0.9, 0);
    cairo_set_source(c, g);
    polygon(c, k, {{-HL, -HB, 0}, {HL, -HB, 0}, {HL, HB, 0}, {-HL, HB, 0}});
    cairo_fill(c);
    // Chalk lines.
    rgb(c, KREIDE, 0.9);
    cairo_set_line_width(c, std::max(1.0, k.w / 380.0));
    polygon(c, k, {{-HL, -HB, 0}, {HL, -HB, 0}, {HL, HB, 0}, {-HL, HB, 0}});
    cairo_stroke(c);
    const P2 a = k({0, -HB, 0}), b = k({0, HB, 0});
    cairo_move_to(c, a.x, a.y), cairo_line_to(c, b.x, b.y);
    cairo_stroke(c);
    for (int i = 0; i <= 48; ++i) {
        const double t = 2 * M_PI * i / 48;
        const P2 q = k({9.15 * std::cos(t), 9.15 * std::sin(t), 0});
        if (i == 0) cairo_move_to(c, q.x, q.y);
        else cairo_line_to(c, q.x, q.y);
    }
    cairo_stroke(c);
    for (int s : {-1, 1}) {
        polygon(c, k, {{s * HL, -20.16, 0}, {s * (HL - 16.5), -20.16, 0}, {s * (HL - 16.5), 20.16, 0},
                       {s * HL, 20.16, 0}});
        cairo_stroke(c);
        polygon(c, k, {{s * HL, -9.16, 0}, {s * (HL - 5.5), -9.16, 0}, {s * (HL - 5.5), 9.16, 0}, {s * HL, 9.16, 0}});
        cairo_stroke(c);
        // The goal: posts and bar.
        const P2 p1 = k({s * HL, -3.66, 0}), p2 = k({s * HL, -3.66, 2.44}), p3 = k({s * HL, 3.66, 2.44}),
                 p4 = k({s * HL, 3.66, 0});
        cairo_move_to(c, p1.x, p1.y), cairo_line_to(c, p2.x, p2.y), cairo_line_to(c, p3.x, p3.y),
            cairo_line_to(c, p4.x, p4.y);
        cairo_stroke(c);
    }
}

// Spectators as small dots of mixed colours on a slope quad.
void zuschauer(cairo_t* c, const Kamera& k, P3 i0, P3 i1, P3 o0, P3 o1, double fuellung, u32 saat, int reihen) {
    static const u32 farben[] = {0xF2F4F0, 0xF2B33D, 0xD9483B, 0x4A90D9, 0x3FB26B, 0xA9B4C2, 0xE8E2D0, 0x23395A};
    const double px = std::max(1.0, k.w / 330.0);
    for (int r = 0; r < reihen; ++r) {
        const double v = (r + 0.5) / reihen;
        const P3 a{i0.x + (o0.x - i0.x) * v, i0.y + (o0.y - i0.y) * v, i0.z + (o0.z - i0.z) * v};
        const P3 b{i1.x + (o1.x - i1.x) * v, i1.y + (o1.y - i1.y) * v, i1.z + (o1.z - i1.z) * v};
        const P2 pa = k(a), pb = k(b);
        const double laenge = std::hypot(pb.x - pa.x, pb.y - pa.y);
        const int n = static_cast<int>(laenge / (px * 1.6));
        for (int j = 0; j < n; ++j) {
            const u32 z = Streuen(saat + static_cast<u32>(r * 1000 + j));
            if ((z % 1000) / 1000.0 > fuellung) continue;
            const double u = (j + 0.5) / n;
            rgb(c, farben[(z >> 12) % 8], 0.85);
            cairo_rectangle(c, pa.x + (pb.x - pa.x) * u, pa.y + (pb.y - pa.y) * u - px, px, px);
            cairo_fill(c);
        }
    }
}

struct Segment {
    double t0, t1;
    int teil;
    double tiefe;  // camera distance of its middle (far first)
};

void tribuenen(cairo_t* c, const Kamera& k, int klasse, u32 saat) {
    const Ausbau& a = AUSBAU[klasse];
    const int n = 160;
    std::vector<Segment> seg;
    for (int i = 0; i < n; ++i) {
        const double t0 = 2 * M_PI * i / n, t1 = 2 * M_PI * (i + 1) / n;
        const int t = teil((t0 + t1) / 2);
        const bool da = t == 0 || ((t == 1 || t == 3) && a.seiten) || (t == 4 && a.ecken) || (t == 2 && a.seiten);
        if (!da) continue;
        // Class 0: a grass bank along the far touchline only.
        if (klasse == 0 && t != 0) continue;
        seg.push_back({t0, t1, t, k(ring((t0 + t1) / 2, a.tiefe / 2, 0)).tiefe});
    }
    std::sort(seg.begin(), seg.end(), [](const Segment& x, const Segment& y) { return x.tiefe > y.tiefe; });
    const double h = a.hoehe, d = a.tiefe;
    for (const Segment& s : seg) {
        const double z0 = klasse == 0 ? 0 : 1.2;
        const P3 i0 = ring(s.t0, 0, z0), i1 = ring(s.t1, 0, z0), o0 = ring(s.t0, d, h), o1 = ring(s.t1, d, h);
        const P3 f0 = ring(s.t0, d, 0), f1 = ring(s.t1, d, 0);
        // The back wall (seen on the side stands and the near one).
        polygon(c, k, {f0, f1, o1, o0});
        rgb(c, 0x1A2A40);
        cairo_fill(c);
        // The front wall below the first row.
        if (z0 > 0) {
            polygon(c, k, {ring(s.t0, 0, 0), ring(s.t1, 0, 0), i1, i0});
            rgb(c, klasse >= 4 ? 0x2C4870 : 0x3A4A5C);
            cairo_fill(c);
        }
        // The slope: grass bank, concrete terraces or seats.
        polygon(c, k, {i0, i1, o1, o0});
        const double licht = 0.55 + 0.45 * (s.teil == 0 ? 1 : 0.7);
        const u32 grund = klasse == 0 ? 0x3E7A4A : klasse == 1 ? 0x5E6B7C : klasse <= 3 ? 0x3C5A82 : 0x23395A;
        rgb(c, mischen(0x0A1320, grund, licht));
        cairo_fill(c);
        // A tier band on two-tier stands.
        if (klasse >= 3) {
            const double v = 0.5;
            const P3 m0{i0.x + (o0.x - i0.x) * v, i0.y + (o0.y - i0.y) * v, i0.z + (o0.z - i0.z) * v};
            const P3 m1{i1.x + (o1.x - i1.x) * v, i1.y + (o1.y - i1.y) * v, i1.z + (o1.z - i1.z) * v};
            polygon(c, k, {m0, m1, {m1.x, m1.y, m1.z + 1.2}, {m0.x, m0.y, m0.z + 1.2}});
            rgb(c, klasse == 5 ? GOLD : 0x16263D, klasse == 5 ? 0.8 : 1.0);
            cairo_fill(c);
        }
        {
            const int reihen = std::max(3, static_cast<int>(d / 1.6));
            zuschauer(c, k, i0, i1, o0, o1, a.fuellung, saat + static_cast<u32>(s.t0 * 1000), reihen);
        }
        // The roof: from above the last row over half the slope.
        const bool dach = (s.teil == 0 && a.dach_fern) || ((s.teil == 1 || s.teil == 3) && a.dach_seiten) ||
                          (s.teil == 4 && a.ring) || (s.teil == 2 && a.ring);
        if (dach && !(klasse == 1 && std::fabs(std::cos((s.t0 + s.t1) / 2)) > 0.25)) {
            const double zr = h + 3.5;
            const double innen = a.ring ? d * 0.55 : d * 0.45;
            const P3 r0 = ring(s.t0, d, zr), r1 = ring(s.t1, d, zr), r2 = ring(s.t1, innen, zr),
                     r3 = ring(s.t0, innen, zr);
            polygon(c, k, {r0, r1, r2, r3});
            rgb(c, klasse == 5 ? 0xC9D3DE : 0xA9B4C2, klasse == 5 ? 0.55 : 0.85);
            cairo_fill(c);
            const P2 e0 = k(r3), e1 = k(r2);
            cairo_move_to(c, e0.x, e0.y), cairo_line_to(c, e1.x, e1.y);
            rgb(c, a.ring ? GOLD : KREIDE, a.ring ? 0.95 : 0.6);
            cairo_set_line_width(c, std::max(1.0, k.w / 300.0));
            cairo_stroke(c);
            // Supports of the roof.
            if (!a.ring && static_cast<int>(s.t0 * 100) % 9 == 0) {
                const P2 u = k(ring(s.t0, d, h)), o = k(r0);
                cairo_move_to(c, u.x, u.y), cairo_line_to(c, o.x, o.y);
                rgb(c, 0x5E6B7C);
                cairo_set_line_width(c, 1);
                cairo_stroke(c);
            }
        }
    }
}

void mast(cairo_t* c, const Kamera& k, double x, double y, double hoehe) {
    const P2 fuss = k({x, y, 0}), kopf = k({x, y, hoehe});
    rgb(c, 0x5E6B7C);
    cairo_set_line_width(c, std::max(1.2, k.w / 260.0));
    cairo_move_to(c, fuss.x, fuss.y), cairo_line_to(c, kopf.x, kopf.y);
    cairo_stroke(c);
    const double r = std::max(3.0, k.w / 60.0);
    cairo_pattern_t* g = cairo_pattern_create_radial(kopf.x, kopf.y, 0, kopf.x, kopf.y, r * 3.5);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.97, 0.85, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.97, 0.85, 0);
    cairo_set_source(c, g);
    cairo_arc(c, kopf.x, kopf.y, r * 3.5, 0, 2 * M_PI);
    cairo_fill(c);
    cairo_pattern_destroy(g);
    rgb(c, 0xFFF6D8);
    cairo_rectangle(c, kopf.x - r * 0.8, kopf.y - r * 0.5, r * 1.6, r);
    cairo_fill(c);
}

// The ground's lights: lamp posts, four corner masts, or the roof's light ring.
void licht(cairo_t* c, const Kamera& k, int klasse) {
    const Ausbau& a = AUSBAU[klasse];
    if (klasse <= 1) {
        for (double x : {-HL * 0.6, HL * 0.6}) mast(c, k, x, HB + RAND + 1.5, 11);
    } else if (a.masten) {
        const double aus = a.tiefe + RAND + 3;
        for (int sx : {-1, 1}) mast(c, k, sx * (HL + aus * 0.7), HB + aus * 0.7, a.hoehe + 22);
    }
    if (a.ring) {
        // A glow over the pitch from the roof's lights.
        const P2 m = k({0, 0, 0});
        cairo_pattern_t* g = cairo_pattern_create_radial(m.x, m.y, 0, m.x, m.y, k.w * 0.55);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.95, 0.8, 0.10);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.95, 0.8, 0);
        cairo_set_source(c, g);
        cairo_paint(c);
        cairo_pattern_destroy(g);
    }
}

// Class 0's clubhouse beside the bank.
void vereinsheim(cairo_t* c, const Kamera& k) {
    const double x0 = HL - 8, x1 = HL + 6, y0 = HB + RAND + 9, y1 = y0 + 7;
    polygon(c, k, {{x0, y0, 0}, {x1, y0, 0}, {x1, y0, 4}, {x0, y0, 4}});
    rgb(c, 0x8A6A48);
    cairo_fill(c);
    polygon(c, k, {{x0 - 1, y0 - 1, 4}, {x1 + 1, y0 - 1, 4}, {x1 + 1, y1, 6}, {x0 - 1, y1, 6}});
    rgb(c, 0x7A2E2A);
    cairo_fill(c);
    for (int i = 0; i < 3; ++i) {
        const double x = x0 + 2 + i * 4;
        polygon(c, k, {{x, y0, 1.5}, {x + 2, y0, 1.5}, {x + 2, y0, 3}, {x, y0, 3}});
        rgb(c, 0xF5D68A);
        cairo_fill(c);
    }
    // A low fence around the pitch.
    rgb(c, 0xA9B4C2, 0.7);
    cairo_set_line_width(c, 1);
    polygon(c, k, {{-HL - 3, -HB - 3, 1}, {HL + 3, -HB - 3, 1}, {HL + 3, HB + 3, 1}, {-HL - 3, HB + 3, 1}});
    cairo_stroke(c);
}

// The building confirmations: a crane beside the ground (kind 1) or a gold
// ribbon with a star over it (kind 3, a renovation).
void bau_zeichen(cairo_t* c, const Kamera& k, int art) {
    if (art == 1) {
        // A tower crane behind the far stand's right end, low enough that
        // mast, jib and hook stay whole inside the picture: a crane cut by
        // the frame read as stray lines.
        const double x = HL + 8, y = HB + 40, jib = 46, gegen = 14;
        double hoch = 60;
        auto drinnen = [&](P2 p) { return p.x >= k.w * 0.04 && p.x <= k.w * 0.96 && p.y >= k.h * 0.06; };
        while (hoch > 24 && !(drinnen(k({x, y, hoch + 6})) && drinnen(k({x + gegen, y, hoch})) &&
                              drinnen(k({x - jib, y, hoch}))))
            hoch -= 2;
        const P2 fuss = k({x, y, 0}), kopf = k({x, y, hoch}), spitze = k({x, y, hoch + 6});
        const P2 arm = k({x - jib, y, hoch}), hinten = k({x + gegen, y, hoch});
        const double breit = std::max(2.0, k.w / 160.0);
        rgb(c, GOLD);
        cairo_set_line_width(c, breit);
        cairo_move_to(c, fuss.x, fuss.y), cairo_line_to(c, kopf.x, kopf.y);
        cairo_move_to(c, hinten.x, hinten.y), cairo_line_to(c, arm.x, arm.y);
        cairo_stroke(c);
        // The mast's lattice, the jib's stays from the top, the weight.
        cairo_set_line_width(c, 1);
        const int felder = 8;
        for (int i = 0; i < felder; ++i) {
            const P2 a = k({x, y, hoch * i / felder}), b = k({x, y, hoch * (i + 1) / felder});
            cairo_move_to(c, a.x - breit * 1.5, a.y), cairo_line_to(c, b.x + breit * 1.5, b.y);
        }
        cairo_move_to(c, arm.x, arm.y), cairo_line_to(c, spitze.x, spitze.y), cairo_line_to(c, hinten.x, hinten.y);
        cairo_stroke(c);
        const P2 gewicht = k({x + gegen - 3, y, hoch - 3});
        cairo_rectangle(c, gewicht.x - 3, gewicht.y, 7, std::max(4.0, hinten.y - gewicht.y + 4));
        cairo_fill(c);
        // The hook on its rope with a beam hanging from it.
        const P2 haken = k({x - jib + 8, y, hoch * 0.55}), oben = k({x - jib + 8, y, hoch});
        cairo_move_to(c, oben.x, oben.y), cairo_line_to(c, haken.x, haken.y);
        cairo_stroke(c);
        cairo_rectangle(c, haken.x - 7, haken.y, 14, 3);
        cairo_fill(c);
    } else {
        cairo_set_line_width(c, std::max(3.0, k.w / 90.0));
        rgb(c, GOLD, 0.9);
        cairo_move_to(c, k.w * 0.1, k.h * 0.12);
        cairo_curve_to(c, k.w * 0.35, k.h * 0.02, k.w * 0.65, k.h * 0.22, k.w * 0.9, k.h * 0.1);
        cairo_stroke(c);
        const double cx = k.w * 0.5, cy = k.h * 0.12, r = k.w * 0.04;
        cairo_move_to(c, cx, cy - r);
        for (int i = 1; i < 10; ++i) {
            const double rr = i % 2 ? r * 0.45 : r, wi = -M_PI / 2 + i * M_PI / 5;
            cairo_line_to(c, cx + rr * std::cos(wi), cy + rr * std::sin(wi));
        }
        cairo_close_path(c);
        rgb(c, KREIDE);
        cairo_fill(c);
    }
}

}  // namespace

Rastport* Stadionbild_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag) {
    // stadionbild:<first entry>: class = entry - first; stadionbild:bau,<kind>
    // the confirmation of building (1) or renovating (3) at class 3.
    int klasse = 3, art = 0;
    if (!arg.empty() && arg[0] == "bau") art = arg.size() > 1 ? std::atoi(arg[1].c_str()) : 1;
    else if (!arg.empty()) klasse = std::clamp(eintrag - std::atoi(arg[0].c_str()), 0, 5);
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    const u32 saat = 4711u + static_cast<u32>(klasse) * 97u;
    const Kamera k(w, h);
    himmel(c, w, h, klasse, saat);
    gelaende(c, k);
    if (klasse == 0) vereinsheim(c, k);
    tribuenen(c, k, klasse, saat);
    spielfeld(c, k, klasse);
    licht(c, k, klasse);
    if (art) bau_zeichen(c, k, art);
    // A rounded frame with a light top edge.
    cairo_set_operator(c, CAIRO_OPERATOR_DEST_IN);
    Rund_Rechteck(c, 0, 0, w, h, 6);
    cairo_set_source_rgba(c, 0, 0, 0, 1);
    cairo_fill(c);
    cairo_set_operator(c, CAIRO_OPERATOR_OVER);
    Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, 6);
    rgb(c, KANTE_HELL);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
    (void)NAVY;
    return Cairo_Fertig(c, sf, false);
}

}  // namespace resgen
