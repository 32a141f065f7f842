// The training videos of animationen.res: a player figure training each
// special attribute (uebung), the squad jogging through each camp (lager),
// and the learned-attribute film (meister): a common opening, then 48
// frames for each attribute, in the game's look.
//
// The figure is a small articulated body posed per frame and drawn side-on
// with soft shading and a dark outline, in the kit colours of the live
// view's figures (shirt, shorts, socks, skin, hair).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

#include "graphics/video.h"
#include "resgen.h"

namespace resgen {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr u32 NAVY = 0x0E1A2B, KREIDE = 0xF2F4F0, GOLD = 0xF2B33D, RASEN1 = 0x2E7D46, RASEN2 = 0x287040,
              UMRISS = 0x0A1320, HAUT = 0xC98E62, HAAR = 0x3A2A1E;

struct Trikot {
    u32 hemd, hose, stutzen;
};
constexpr Trikot FELD{0x4A90D9, KREIDE, 0x4A90D9}, TORWART{0x3FB26B, NAVY, 0x3FB26B};

// Joint angles in radians from straight down (positive: forward, to the right).
struct Pose {
    double x = 0, y = 0;  // the hip
    double rumpf = 0;     // the torso's lean from upright
    double schenkel[2] = {0, 0}, schienbein[2] = {0, 0};  // 0 near, 1 far
    double oberarm[2] = {0, 0}, unterarm[2] = {0, 0};
};

void farbe(cairo_t* c, u32 rgb, double a = 1.0) { Farbe_Setzen(c, rgb, a); }

void glied(cairo_t* c, double x0, double y0, double x1, double y1, double breite, u32 f) {
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    farbe(c, UMRISS);
    cairo_set_line_width(c, breite + 2);
    cairo_move_to(c, x0, y0), cairo_line_to(c, x1, y1);
    cairo_stroke(c);
    farbe(c, f);
    cairo_set_line_width(c, breite);
    cairo_move_to(c, x0, y0), cairo_line_to(c, x1, y1);
    cairo_stroke(c);
}

// Draws the figure; s is its height in pixels.
void figur(cairo_t* c, const Pose& p, double s, const Trikot& k) {
    const double bein = s * 0.25, arm = s * 0.17, rumpf = s * 0.32;
    const double sx = p.x + std::sin(p.rumpf) * rumpf, sy = p.y - std::cos(p.rumpf) * rumpf;  // shoulders
    // The shadow on the ground.
    farbe(c, NAVY, 0.35);
    cairo_save(c);
    cairo_translate(c, p.x, p.y + 2 * bein + s * 0.02);
    cairo_scale(c, 1, 0.25);
    cairo_arc(c, 0, 0, s * 0.2, 0, 2 * PI);
    cairo_fill(c);
    cairo_restore(c);
    for (int seite : {1, 0}) {
        const double dunkel = seite ? 0.75 : 1.0;
        auto ton = [&](u32 f) {
            const u32 r = static_cast<u32>(((f >> 16) & 255) * dunkel), g = static_cast<u32>(((f >> 8) & 255) * dunkel),
                      b = static_cast<u32>((f & 255) * dunkel);
            return (r << 16) | (g << 8) | b;
        };
        // Leg: thigh in the shorts' colour, shin in the socks'.
        const double kx = p.x + std::sin(p.schenkel[seite]) * bein, ky = p.y + std::cos(p.schenkel[seite]) * bein;
        const double fx = kx + std::sin(p.schienbein[seite]) * bein, fy = ky + std::cos(p.schienbein[seite]) * bein;
        glied(c, p.x, p.y, kx, ky, s * 0.085, ton(k.hose));
        glied(c, kx, ky, fx, fy, s * 0.07, ton(k.stutzen));
        glied(c, fx, fy, fx + s * 0.06, fy, s * 0.05, ton(UMRISS));
        if (seite == 1) {
            // The far arm behind the torso.
            const double ex = sx + std::sin(p.oberarm[1]) * arm, ey = sy + std::cos(p.oberarm[1]) * arm;
            glied(c, sx, sy, ex, ey, s * 0.06, ton(k.hemd));
            glied(c, ex, ey, ex + std::sin(p.unterarm[1]) * arm, ey + std::cos(p.unterarm[1]) * arm, s * 0.05,
                  ton(HAUT));
        }
    }
    glied(c, p.x, p.y, sx, sy, s * 0.15, k.hemd);  // the torso
    // The head with its hair.
    const double kx = sx + std::sin(p.rumpf) * s * 0.1, ky = sy - std::cos(p.rumpf) * s * 0.1;
    farbe(c, UMRISS);
    cairo_arc(c, kx, ky, s * 0.075 + 1, 0, 2 * PI);
    cairo_fill(c);
    farbe(c, HAUT);
    cairo_arc(c, kx, ky, s * 0.075, 0, 2 * PI);
    cairo_fill(c);
    farbe(c, HAAR);
    cairo_arc(c, kx - s * 0.01, ky - s * 0.02, s * 0.07, PI, 2 * PI);
    cairo_fill(c);
    // The near arm in front.
    const double ex = sx + std::sin(p.oberarm[0]) * arm, ey = sy + std::cos(p.oberarm[0]) * arm;
    glied(c, sx, sy, ex, ey, s * 0.06, k.hemd);
    glied(c, ex, ey, ex + std::sin(p.unterarm[0]) * arm, ey + std::cos(p.unterarm[0]) * arm, s * 0.05, HAUT);
}

void ball(cairo_t* c, double x, double y, double r) {
    farbe(c, UMRISS);
    cairo_arc(c, x, y, r + 1, 0, 2 * PI);
    cairo_fill(c);
    farbe(c, KREIDE);
    cairo_arc(c, x, y, r, 0, 2 * PI);
    cairo_fill(c);
    farbe(c, NAVY);
    cairo_arc(c, x, y, r * 0.35, 0, 2 * PI);
    cairo_fill(c);
}

// The training ground side-on: evening sky, stands far behind, the grass;
// `lauf` moves the grass stripes (a running camera).
void platz(cairo_t* c, double w, double h, double lauf) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h * 0.55);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.05, 0.10, 0.17);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.14, 0.22, 0.35);
    cairo_set_source(c, g);
    cairo_paint(c);
    cairo_pattern_destroy(g);
    farbe(c, 0x16263D);
    cairo_rectangle(c, 0, h * 0.42, w, h * 0.14);
    cairo_fill(c);
    for (int i = 0; i < 30; ++i) {  // the crowd as dots
        farbe(c, (Streuen(static_cast<u32>(i)) & 1) ? 0x3C5A82 : 0x5E6B7C);
        cairo_arc(c, w * (i + 0.5) / 30, h * 0.46 + (i % 3) * 3, 1.5, 0, 2 * PI);
        cairo_fill(c);
    }
    const double boden = h * 0.56;
    const double streifen = w / 6;
    const double versatz = std::fmod(lauf, 2 * streifen);
    for (double x = -2 * streifen - versatz; x < w + streifen; x += streifen) {
        const int n = static_cast<int>(std::floor((x + versatz) / streifen + 100));
        farbe(c, n % 2 ? RASEN2 : RASEN1);
        cairo_rectangle(c, x, boden, streifen + 0.5, h - boden);
        cairo_fill(c);
    }
    farbe(c, KREIDE, 0.8);
    cairo_rectangle(c, 0, boden + (h - boden) * 0.25, w, 1.2);
    cairo_fill(c);
}

void huetchen(cairo_t* c, double x, double y, double s) {
    farbe(c, GOLD);
    cairo_move_to(c, x, y - s), cairo_line_to(c, x - s * 0.6, y), cairo_line_to(c, x + s * 0.6, y);
    cairo_fill(c);
}

// A running stride at phase ph (radians).
Pose lauf_pose(double x, double y, double ph, double weite) {
    Pose p;
    p.x = x, p.y = y - std::fabs(std::sin(ph)) * weite * 4;
    p.rumpf = 0.25;
    for (int i = 0; i < 2; ++i) {
        const double q = ph + i * PI;
        p.schenkel[i] = weite * 0.9 * std::sin(q);
        p.schienbein[i] = p.schenkel[i] - weite * (0.6 + 0.6 * std::max(0.0, -std::cos(q)));
        p.oberarm[i] = -weite * 0.8 * std::sin(q);
        p.unterarm[i] = p.oberarm[i] + 1.2;
    }
    return p;
}

Pose stand_pose(double x, double y) {
    Pose p;
    p.x = x, p.y = y;
    p.schenkel[0] = 0.08, p.schenkel[1] = -0.08;
    p.schienbein[0] = 0.08, p.schienbein[1] = -0.08;
    p.oberarm[0] = 0.15, p.oberarm[1] = -0.15;
    p.unterarm[0] = 0.4, p.unterarm[1] = 0.1;
    return p;
}

// A kick with the near leg at phase t 0..1 (back-swing, strike, follow-through).
Pose schuss_pose(double x, double y, double t) {
    Pose p = stand_pose(x, y);
    const double schwung = t < 0.5 ? -1.0 * (t / 0.5) : -1.0 + 2.6 * std::min(1.0, (t - 0.5) / 0.3);
    p.schenkel[0] = schwung;
    p.schienbein[0] = schwung + (t < 0.5 ? -0.9 * t : 0.0);
    p.rumpf = -0.15 * schwung;
    p.oberarm[1] = 0.9, p.unterarm[1] = 1.2;
    p.oberarm[0] = -0.6, p.unterarm[0] = -0.3;
    return p;
}

// One frame of the drill of motion kind m at loop time t (0..1) in a w x h frame.
void uebung(cairo_t* c, double w, double h, int m, double t, bool torwart) {
    const double s = h * 0.62, boden = h * 0.9;
    const double hy = boden - s * 0.5;  // the hip's height when standing
    const Trikot& k = torwart ? TORWART : FELD;
    const double ph = 2 * PI * t;
    const bool laufend = m == 1 || m == 4 || m == 8;
    platz(c, w, h, laufend ? t * w * (m == 1 ? 3 : 1) : 0);
    const double bx = w * 0.42;
    switch (m) {
        case 0: {  // ball control: juggling
            const double hoch = std::fabs(std::sin(ph * 3));
            Pose p = stand_pose(bx, hy);
            p.schenkel[0] = -0.9 * std::max(0.0, 1 - hoch * 3) - 0.2;
            p.schienbein[0] = p.schenkel[0] + 0.5;
            figur(c, p, s, k);
            ball(c, bx + s * 0.18, boden - s * 0.3 - hoch * s * 0.45, s * 0.05);
            break;
        }
        case 1:  // pace: a sprint past the cones
        case 8: {  // stamina: a steady run
            for (int i = 0; i < 3; ++i) huetchen(c, std::fmod(w * (1.2 - t * (m == 1 ? 3 : 1)) + i * w / 3, w * 1.2), boden, s * 0.08);
            figur(c, lauf_pose(bx, hy, ph * (m == 1 ? 6 : 4), m == 1 ? 0.8 : 0.55), s, k);
            break;
        }
        case 2: {  // defending: a sliding tackle
            const double x = w * (0.1 + 0.6 * t);
            Pose p = t < 0.5 ? lauf_pose(x, hy, ph * 6, 0.7) : stand_pose(x, boden - s * 0.18);
            if (t >= 0.5) {
                p.rumpf = -1.1, p.schenkel[0] = -1.5, p.schienbein[0] = -1.5, p.schenkel[1] = -0.9;
                p.schienbein[1] = 0.2, p.oberarm[0] = 2.5, p.oberarm[1] = -1.6;
            }
            figur(c, p, s, k);
            const double bxx = t < 0.55 ? w * 0.75 : w * 0.75 + (t - 0.55) * w;
            ball(c, bxx, boden - s * 0.05, s * 0.05);
            break;
        }
        case 3:  // vision: a long pass into space
        case 5: {  // shooting: a shot at goal
            const double kt = std::min(1.0, t * 2);
            figur(c, schuss_pose(bx, hy, kt), s, k);
            if (m == 5) {  // the goal on the right
                farbe(c, KREIDE);
                cairo_set_line_width(c, 2);
                cairo_move_to(c, w * 0.92, boden), cairo_line_to(c, w * 0.92, boden - s * 0.55);
                cairo_line_to(c, w, boden - s * 0.55);
                cairo_stroke(c);
            }
            const double ft = std::max(0.0, kt - 0.6) / 0.4 + std::max(0.0, t - 0.5) * 2;
            const double x = bx + s * 0.2 + ft * (w * 0.55), y = boden - s * 0.05 - (m == 3 ? std::sin(std::min(1.0, ft) * PI) * s * 0.6 : ft * s * 0.3);
            ball(c, x, y, s * 0.05);
            break;
        }
        case 4: {  // power: pushing the sled
            figur(c, [&] {
                Pose p = lauf_pose(bx, hy + s * 0.05, ph * 3, 0.5);
                p.rumpf = 0.8;
                p.oberarm[0] = p.oberarm[1] = 1.9, p.unterarm[0] = p.unterarm[1] = 1.6;
                return p;
            }(), s, k);
            farbe(c, 0x5E6B7C);
            cairo_rectangle(c, bx + s * 0.36, boden - s * 0.3, s * 0.3, s * 0.3);
            cairo_fill(c);
            break;
        }
        case 6: {  // heading: a jump to the cross
            const double sprung = std::max(0.0, std::sin(ph)) * s * 0.35;
            Pose p = stand_pose(bx, hy - sprung);
            p.schenkel[0] = 0.5, p.schienbein[0] = -0.4, p.schenkel[1] = -0.2, p.schienbein[1] = -0.9;
            p.oberarm[0] = p.oberarm[1] = 2.4;
            p.rumpf = -0.2;
            figur(c, p, s, k);
            const double bt = t;  // the ball comes from the left, meets the head at the top
            ball(c, w * 0.05 + bt * w * 0.8, boden - s * 0.2 - std::sin(bt * PI) * s * 0.85, s * 0.05);
            break;
        }
        case 7: {  // passing: against the wall and back
            farbe(c, 0x3C5A82);
            cairo_rectangle(c, w * 0.88, boden - s * 0.4, w * 0.05, s * 0.4);
            cairo_fill(c);
            const double hin = std::fabs(std::fmod(t * 2, 2.0) - 1.0);
            figur(c, schuss_pose(bx, hy, std::fmod(t * 2, 1.0)), s, k);
            ball(c, bx + s * 0.2 + (1 - hin) * (w * 0.88 - bx - s * 0.25), boden - s * 0.05, s * 0.05);
            break;
        }
        case 10: {  // goalkeeping: a diving save
            const double sprung = std::sin(std::min(1.0, t * 1.6) * PI);
            Pose p = stand_pose(bx, hy - sprung * s * 0.3);
            p.rumpf = 1.3 * sprung;
            p.oberarm[0] = p.oberarm[1] = -2.6 * sprung + 0.2;
            p.schenkel[0] = -0.6 * sprung, p.schenkel[1] = -0.9 * sprung;
            figur(c, p, s, k);
            ball(c, w * (1.0 - t * 0.7), boden - s * 0.75, s * 0.05);
            break;
        }
        default: {  // leadership: calling the team forward
            Pose p = stand_pose(bx, hy);
            p.oberarm[0] = PI - 0.4 + 0.3 * std::sin(ph * 2), p.unterarm[0] = p.oberarm[0];
            figur(c, p, s, k);
            for (int i = 0; i < 2; ++i)
                figur(c, lauf_pose(w * (0.7 + 0.12 * i), hy + s * 0.08, ph * 4 + i, 0.5), s * 0.8, FELD);
            break;
        }
    }
}

// The motion an attribute is trained with (the kinds of its picture).
int bewegung(int attribut) {
    if (attribut >= 47 && attribut <= 52) return 10;
    if (attribut == 53) return 0;
    return attribut % 10;
}

// A frame of the learned-attribute film: the common opening, then the
// attribute's part: its drill under a gold light, its symbol rising.
void meister(cairo_t* c, double w, double h, i32 f) {
    constexpr i32 OEFFNUNG = 125, TEIL = 48;
    if (f < OEFFNUNG) {
        const double t = f / static_cast<double>(OEFFNUNG);
        platz(c, w, h, 0);
        farbe(c, NAVY, 0.5);
        cairo_paint(c);
        // A gold star rising and a ring of light.
        const double y = h * (0.7 - 0.35 * std::min(1.0, t * 1.5)), r = h * 0.13 * (0.6 + 0.4 * std::min(1.0, t * 2));
        farbe(c, GOLD, 0.25 * std::min(1.0, t * 2));
        cairo_arc(c, w / 2, y, r * 2.2, 0, 2 * PI);
        cairo_fill(c);
        cairo_move_to(c, w / 2, y - r);
        for (int i = 1; i < 10; ++i) {
            const double a = -PI / 2 + i * PI / 5 + t * 2, rr = i % 2 ? r * 0.45 : r;
            cairo_line_to(c, w / 2 + std::cos(a - t * 2) * rr, y + std::sin(a - t * 2) * rr);
        }
        cairo_close_path(c);
        farbe(c, GOLD);
        cairo_fill(c);
        return;
    }
    const i32 a = std::min(53, (f - OEFFNUNG) / TEIL);
    const double t = std::min(1.0, ((f - OEFFNUNG) % TEIL) / static_cast<double>(TEIL - 1));
    uebung(c, w, h, bewegung(a), t, a >= 47 && a <= 52);
    // The gold light and the attribute's symbol.
    cairo_pattern_t* g = cairo_pattern_create_radial(w / 2, h * 0.2, 0, w / 2, h * 0.2, w * 0.6);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.95, 0.70, 0.24, 0.35);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.95, 0.70, 0.24, 0.0);
    cairo_set_source(c, g);
    cairo_paint(c);
    cairo_pattern_destroy(g);
    const double sy = h * (0.3 - 0.12 * t), sr = h * 0.09;
    farbe(c, NAVY, 0.8);
    cairo_arc(c, w * 0.82, sy, sr * 1.25, 0, 2 * PI);
    cairo_fill(c);
    Attribut_Zeichen_Malen(c, a, w * 0.82, sy, sr * 1.6, GOLD);
}

// A camp: the squad jogging through the camp's landscape.
void lager(cairo_t* c, double w, double h, int n, double t) {
    Lager_Ort_Malen(c, w, h, n);
    const double s = h * 0.3;
    for (int i = 0; i < 4; ++i) {
        const double x = std::fmod(w * (t + i * 0.22), w * 1.2) - w * 0.1;
        figur(c, lauf_pose(x, h * 0.84 - s * 0.5 - i % 2 * 4, 2 * PI * t * 5 + i, 0.55), s, FELD);
    }
}

}  // namespace

std::vector<u8> Trainingsfilm(const std::string& rezept, i32 w, i32 h, i32 bilder, i32 eintrag) {
    std::function<void(cairo_t*, i32)> zeichnen;
    if (rezept == "uebung") {
        // Entries 11..50 the attributes 0..39, 51 star training, 52 the goalkeepers.
        const int a = eintrag == 51 ? 53 : eintrag == 52 ? 47 : eintrag - 11;
        zeichnen = [&, a](cairo_t* c, i32 f) { uebung(c, w, h, bewegung(a), f / static_cast<double>(bilder), a == 47); };
    } else if (rezept == "lager") {
        zeichnen = [&](cairo_t* c, i32 f) { lager(c, w, h, std::clamp(eintrag, 0, 7), f / static_cast<double>(bilder)); };
    } else if (rezept == "meister") {
        zeichnen = [&](cairo_t* c, i32 f) { meister(c, w, h, f); };
    } else {
        std::fprintf(stderr, "resgen: unbekannter Trainingsfilm \"%s\"\n", rezept.c_str());
        return {};
    }
    bool gut = true;
    std::vector<u8> film = Vid_Schreiben(w, h, 25, 2, bilder, [&](i32 f, std::vector<u16>& bild) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_t* c = cairo_create(s);
        zeichnen(c, f);
        cairo_destroy(c);
        std::unique_ptr<Rastport> rp(Aus_Cairo(s, false));
        cairo_surface_destroy(s);
        if (!rp) {
            gut = false;
            return;
        }
        const u16* p = rp->bitmap->pixel16();
        bild.assign(p, p + static_cast<size_t>(w) * h);
    });
    return gut ? film : std::vector<u8>{};
}

}  // namespace resgen
