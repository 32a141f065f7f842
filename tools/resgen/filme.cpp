// The video clips of animationen.res: short loops drawn with Cairo in the
// game's look (night navy, the pitch, chalk and floodlight gold), written as
// KVID videos.
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
constexpr u32 NAVY = 0x0E1A2B, PANEL = 0x16263D, KANTE = 0x3C5A82, RASEN1 = 0x2E7D46, RASEN2 = 0x287040,
              KREIDE = 0xF2F4F0, GOLD = 0xF2B33D, ROT = 0xD9483B, SEKUNDAER = 0xA9B4C2;

void farbe(cairo_t* c, u32 rgb, double a = 1.0) {
    cairo_set_source_rgba(c, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, a);
}

void text(cairo_t* c, const char* t, double x, double y, double groesse, u32 rgb) {
    cairo_set_font_face(c, Cairo_Schrift("DejaVuSans-Bold.ttf"));
    cairo_set_font_size(c, groesse);
    cairo_text_extents_t e;
    cairo_text_extents(c, t, &e);
    farbe(c, rgb);
    cairo_move_to(c, x - e.width / 2 - e.x_bearing, y);
    cairo_show_text(c, t);
}

// A pitch seen from above, stripes and chalk lines, inside (x, y, w, h).
void rasen(cairo_t* c, double x, double y, double w, double h) {
    for (int i = 0; i < 8; ++i) {
        farbe(c, i % 2 ? RASEN2 : RASEN1);
        cairo_rectangle(c, x + w * i / 8, y, w / 8 + 0.5, h);
        cairo_fill(c);
    }
    farbe(c, KREIDE, 0.9);
    cairo_set_line_width(c, std::max(1.0, w / 160));
    cairo_rectangle(c, x + 4, y + 4, w - 8, h - 8);
    cairo_move_to(c, x + w / 2, y + 4), cairo_line_to(c, x + w / 2, y + h - 4);
    cairo_stroke(c);
    cairo_arc(c, x + w / 2, y + h / 2, h / 6, 0, 2 * PI);
    cairo_stroke(c);
}

void spieler(cairo_t* c, double x, double y, double r, u32 rgb) {
    farbe(c, 0x0A1320, 0.45);
    cairo_arc(c, x + r * 0.3, y + r * 0.4, r, 0, 2 * PI);
    cairo_fill(c);
    farbe(c, rgb);
    cairo_arc(c, x, y, r, 0, 2 * PI);
    cairo_fill(c);
    farbe(c, KREIDE);
    cairo_set_line_width(c, r / 3);
    cairo_arc(c, x, y, r, 0, 2 * PI);
    cairo_stroke(c);
}

void ball(cairo_t* c, double x, double y, double r) {
    farbe(c, KREIDE);
    cairo_arc(c, x, y, r, 0, 2 * PI);
    cairo_fill(c);
    farbe(c, NAVY);
    cairo_arc(c, x, y, r * 0.4, 0, 2 * PI);
    cairo_fill(c);
}

// One frame of a recipe at loop time t (0..1).
void szene(cairo_t* c, const std::string& rezept, double w, double h, double t, i32 eintrag) {
    farbe(c, NAVY);
    cairo_paint(c);
    const double s = h / 120;  // scale against the 160 x 120 clips
    if (rezept == "training") {
        // A player dribbling a slalom through cones; the drill changes with the entry.
        rasen(c, 0, 0, w, h);
        const int huetchen = 3 + eintrag % 4;
        for (int i = 0; i < huetchen; ++i) {
            const double hx = w * (i + 1) / (huetchen + 1);
            farbe(c, GOLD);
            cairo_move_to(c, hx, h / 2 - 6 * s), cairo_line_to(c, hx - 4 * s, h / 2 + 3 * s),
                cairo_line_to(c, hx + 4 * s, h / 2 + 3 * s);
            cairo_fill(c);
        }
        const double x = w * (0.1 + 0.8 * (0.5 - 0.5 * std::cos(2 * PI * t)));
        const double y = h / 2 + 18 * s * std::sin(2 * PI * t * (huetchen + 1) / 2.0);
        spieler(c, x, y, 6 * s, eintrag % 2 ? ROT : 0x4A90D9);
        ball(c, x + 8 * s, y + 3 * s, 2.5 * s);
        char titel[32];
        std::snprintf(titel, sizeof titel, "Training %d", eintrag);
        text(c, titel, w / 2, h - 8 * s, 9 * s, KREIDE);
    } else if (rezept == "kwagen") {
        // The medical cart crosses the pitch.
        rasen(c, 0, 0, w, h);
        const double x = -40 * s + (w + 80 * s) * t, y = h * 0.55;
        farbe(c, KREIDE);
        cairo_rectangle(c, x - 22 * s, y - 14 * s, 44 * s, 20 * s);
        cairo_fill(c);
        farbe(c, ROT);
        cairo_rectangle(c, x - 3 * s, y - 12 * s, 6 * s, 16 * s),
            cairo_rectangle(c, x - 8 * s, y - 7 * s, 16 * s, 6 * s);
        cairo_fill(c);
        farbe(c, 0x0A1320);
        for (double dx : {-14.0, 14.0}) cairo_arc(c, x + dx * s, y + 8 * s, 5 * s, 0, 2 * PI), cairo_fill(c);
    } else if (rezept == "herz") {
        // A heart beating twice a loop.
        const double puls = 1 + 0.12 * std::exp(-std::pow((std::fmod(t * 2, 1.0) - 0.1) * 12, 2));
        cairo_save(c);
        cairo_translate(c, w / 2, h / 2);
        cairo_scale(c, puls * s, puls * s);
        cairo_move_to(c, 0, 30);
        cairo_curve_to(c, -50, -5, -25, -45, 0, -18);
        cairo_curve_to(c, 25, -45, 50, -5, 0, 30);
        farbe(c, ROT);
        cairo_fill(c);
        cairo_restore(c);
    } else if (rezept == "start") {
        // The floodlit stadium at night with the game's name: the pitch in
        // perspective, beams sweeping, a ball rolling.
        cairo_pattern_t* himmel = cairo_pattern_create_linear(0, 0, 0, h * 0.45);
        cairo_pattern_add_color_stop_rgb(himmel, 0, 0.03, 0.06, 0.11);
        cairo_pattern_add_color_stop_rgb(himmel, 1, 0.09, 0.15, 0.24);
        cairo_set_source(c, himmel);
        cairo_paint(c);
        cairo_pattern_destroy(himmel);
        const double hor = h * 0.45;
        for (int i = 0; i < 10; ++i) {
            farbe(c, i % 2 ? RASEN2 : RASEN1);
            const double a = (i / 10.0 - 0.5), b = ((i + 1) / 10.0 - 0.5);
            cairo_move_to(c, w / 2 + a * w * 0.6, hor), cairo_line_to(c, w / 2 + b * w * 0.6, hor);
            cairo_line_to(c, w / 2 + b * w * 1.8, h), cairo_line_to(c, w / 2 + a * w * 1.8, h);
            cairo_fill(c);
        }
        farbe(c, PANEL);
        cairo_rectangle(c, 0, hor - h * 0.08, w, h * 0.08);
        cairo_fill(c);
        for (int m = 0; m < 2; ++m) {
            const double mx = m ? w * 0.9 : w * 0.1;
            const double winkel = PI / 2 + (m ? 1 : -1) * (0.35 + 0.15 * std::sin(2 * PI * t + m));
            cairo_pattern_t* strahl =
                cairo_pattern_create_linear(mx, h * 0.08, mx + std::cos(winkel) * h, h * 0.08 + std::sin(winkel) * h);
            cairo_pattern_add_color_stop_rgba(strahl, 0, 0.95, 0.70, 0.24, 0.35);
            cairo_pattern_add_color_stop_rgba(strahl, 1, 0.95, 0.70, 0.24, 0.0);
            cairo_set_source(c, strahl);
            cairo_move_to(c, mx, h * 0.08);
            cairo_line_to(c, mx + std::cos(winkel - 0.12) * h * 1.2, h * 0.08 + std::sin(winkel - 0.12) * h * 1.2);
            cairo_line_to(c, mx + std::cos(winkel + 0.12) * h * 1.2, h * 0.08 + std::sin(winkel + 0.12) * h * 1.2);
            cairo_fill(c);
            cairo_pattern_destroy(strahl);
            farbe(c, KREIDE);
            cairo_rectangle(c, mx - w * 0.03, h * 0.05, w * 0.06, h * 0.03);
            cairo_fill(c);
        }
        const double bx = w * (0.5 + 0.3 * std::sin(2 * PI * t)),
                     by = hor + (h - hor) * (0.55 + 0.2 * std::cos(2 * PI * t));
        ball(c, bx, by, h / 60);
        text(c, "KORDAVO", w / 2, h * 0.3, h / 9, KREIDE);
        farbe(c, GOLD);
        cairo_rectangle(c, w / 2 - w * 0.18 * (0.6 + 0.4 * std::sin(PI * t)), h * 0.33,
                        w * 0.36 * (0.6 + 0.4 * std::sin(PI * t)), h / 150 + 1);
        cairo_fill(c);
    } else if (rezept == "band") {
        // The wizard's top band: the night sky over the stand with two
        // floodlights whose beams sweep, and the game's name.
        cairo_pattern_t* himmel = cairo_pattern_create_linear(0, 0, 0, h);
        cairo_pattern_add_color_stop_rgb(himmel, 0, 0.03, 0.06, 0.11);
        cairo_pattern_add_color_stop_rgb(himmel, 1, 0.09, 0.15, 0.24);
        cairo_set_source(c, himmel);
        cairo_paint(c);
        cairo_pattern_destroy(himmel);
        for (int m = 0; m < 2; ++m) {
            const double mx = m ? w - 60 : 60, my = h * 0.3;
            const double winkel = PI / 2 + (m ? 1 : -1) * (0.55 + 0.3 * std::sin(2 * PI * t + m * 1.7));
            cairo_pattern_t* strahl = cairo_pattern_create_radial(mx, my, 0, mx, my, w * 0.45);
            cairo_pattern_add_color_stop_rgba(strahl, 0, 0.95, 0.70, 0.24, 0.30);
            cairo_pattern_add_color_stop_rgba(strahl, 1, 0.95, 0.70, 0.24, 0.0);
            cairo_set_source(c, strahl);
            cairo_move_to(c, mx, my);
            cairo_line_to(c, mx + std::cos(winkel - 0.1) * w, my + std::sin(winkel - 0.1) * w);
            cairo_line_to(c, mx + std::cos(winkel + 0.1) * w, my + std::sin(winkel + 0.1) * w);
            cairo_fill(c);
            cairo_pattern_destroy(strahl);
            farbe(c, PANEL);
            cairo_rectangle(c, mx - 26, my - 10, 52, 18);
            cairo_fill(c);
            for (int i = 0; i < 4; ++i) {
                farbe(c, 0xFFF4D6, 0.7 + 0.3 * std::sin(2 * PI * t * 2 + i));
                cairo_arc(c, mx - 18 + 12 * i, my - 1, 3, 0, 2 * PI);
                cairo_fill(c);
            }
        }
        // The stand's roof line and the crowd's glow below it.
        farbe(c, KANTE);
        cairo_rectangle(c, 0, h - 6, w, 2);
        cairo_fill(c);
        farbe(c, GOLD);
        cairo_rectangle(c, 0, h - 2, w, 2);
        cairo_fill(c);
        text(c, "KORDAVO", w / 2, h * 0.62, h * 0.42, KREIDE);
    } else if (rezept.rfind("seite:", 0) == 0) {
        // The small loops beside a wizard page's buttons, one theme a page.
        const std::string thema = rezept.substr(6);
        farbe(c, PANEL);
        cairo_paint(c);
        farbe(c, KANTE);
        cairo_set_line_width(c, 1);
        cairo_rectangle(c, 0.5, 0.5, w - 1, h - 1);
        cairo_stroke(c);
        const double cx = w / 2, cy = h / 2, r = h * 0.36;
        if (thema == "land") {
            // A globe turning.
            farbe(c, 0x4A90D9);
            cairo_arc(c, cx, cy, r, 0, 2 * PI);
            cairo_fill(c);
            farbe(c, KREIDE, 0.8);
            cairo_set_line_width(c, 1);
            for (int i = 0; i < 3; ++i) {
                const double k = std::cos(2 * PI * (t + i / 3.0));
                cairo_save(c);
                cairo_translate(c, cx, cy);
                cairo_scale(c, std::max(0.05, std::fabs(k)), 1);
                cairo_arc(c, 0, 0, r, 0, 2 * PI);
                cairo_restore(c);
                cairo_stroke(c);
            }
            cairo_move_to(c, cx - r, cy), cairo_line_to(c, cx + r, cy);
            cairo_stroke(c);
        } else if (thema == "liga") {
            // A cup with a sparkle running over it.
            farbe(c, GOLD);
            cairo_move_to(c, cx - r * 0.8, cy - r), cairo_line_to(c, cx + r * 0.8, cy - r);
            cairo_curve_to(c, cx + r * 0.8, cy + r * 0.2, cx + r * 0.2, cy + r * 0.4, cx + r * 0.15, cy + r * 0.5);
            cairo_line_to(c, cx + r * 0.5, cy + r), cairo_line_to(c, cx - r * 0.5, cy + r);
            cairo_line_to(c, cx - r * 0.15, cy + r * 0.5);
            cairo_curve_to(c, cx - r * 0.2, cy + r * 0.4, cx - r * 0.8, cy + r * 0.2, cx - r * 0.8, cy - r);
            cairo_fill(c);
            const double sx = cx - r + 2 * r * t;
            farbe(c, KREIDE, 0.9 * std::sin(PI * t));
            cairo_arc(c, sx, cy - r * 0.4, 2.5, 0, 2 * PI);
            cairo_fill(c);
        } else if (thema == "gesicht") {
            // A camera flash on a portrait.
            farbe(c, SEKUNDAER);
            cairo_arc(c, cx, cy - r * 0.3, r * 0.45, 0, 2 * PI);
            cairo_fill(c);
            cairo_arc(c, cx, cy + r * 1.1, r * 0.9, PI, 2 * PI);
            cairo_fill(c);
            farbe(c, KREIDE, std::max(0.0, 1 - std::fabs(t - 0.5) * 6));
            cairo_paint(c);
        } else if (thema == "name") {
            // A pen writing a line.
            farbe(c, KREIDE, 0.8);
            cairo_set_line_width(c, 1.5);
            const double x1 = w * 0.15 + w * 0.7 * t;
            cairo_move_to(c, w * 0.15, cy + 6);
            for (double x = w * 0.15; x < x1; x += 2) cairo_line_to(c, x, cy + 6 - 4 * std::sin(x / 3));
            cairo_stroke(c);
            farbe(c, GOLD);
            cairo_move_to(c, x1, cy + 4), cairo_line_to(c, x1 + 10, cy - 12), cairo_line_to(c, x1 + 14, cy - 9);
            cairo_line_to(c, x1 + 3, cy + 6);
            cairo_fill(c);
        } else {
            // A ball bouncing on the pitch.
            rasen(c, 1, 1, w - 2, h - 2);
            const double x = w * (0.15 + 0.7 * t), y = h * 0.8 - h * 0.55 * std::fabs(std::sin(3 * PI * t));
            ball(c, x, y, h / 10);
        }
    } else if (rezept == "gelernt") {
        // A gold star rising: the player learned something new.
        rasen(c, 0, 0, w, h);
        farbe(c, NAVY, 0.55);
        cairo_paint(c);
        const double y = h * (0.75 - 0.3 * std::min(1.0, t * 2)), r = h * 0.16 * (0.8 + 0.2 * std::sin(2 * PI * t));
        cairo_move_to(c, w / 2, y - r);
        for (int i = 1; i < 10; ++i) {
            const double a = -PI / 2 + i * PI / 5, rr = i % 2 ? r * 0.45 : r;
            cairo_line_to(c, w / 2 + std::cos(a) * rr, y + std::sin(a) * rr);
        }
        cairo_close_path(c);
        farbe(c, GOLD);
        cairo_fill(c);
        text(c, "Gelernt!", w / 2, h * 0.92, h / 11, KREIDE);
    } else {
        // A one-frame placeholder: the panel with a light edge.
        farbe(c, PANEL);
        cairo_rectangle(c, 2, 2, w - 4, h - 4);
        cairo_fill(c);
        farbe(c, KANTE);
        cairo_set_line_width(c, 1);
        cairo_rectangle(c, 2.5, 2.5, w - 5, h - 5);
        cairo_stroke(c);
        farbe(c, SEKUNDAER);
    }
}

// --- The menu's stadium clip ---------------------------------------------------------
// The clip is the part of the menu's picture it covers, rendered from the
// same SVG and converted the same way (the dither pattern repeats every 4
// pixels, so the clip's place is a multiple of 4), so that its edges meet
// the picture without a seam. The life inside it fades out towards its
// edges: drifting night clouds, the beams' shimmer, flags on the roof, the
// crowd moving and camera flashes. Shapes follow data/art/hauptmenue.svg,
// in the picture's coordinates.
constexpr i32 BILD_W = 800, BILD_H = 600;
constexpr double RAND = 6, UEBERGANG = 40;  // untouched edge, then the fade into the life

double glatt(double a, double b, double x) {
    const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

double zufall(u32 a, u32 b) { return Streuen(a * 0x9E3779B9u ^ Streuen(b + 0x7F4A7C15u)) / 4294967296.0; }

// The stand's arcs: a cubic curve from (0, y0) over (150, y1) and (650, y1)
// to (800, y0); its height at x.
double bogen_y(double x, double y0, double y1) {
    double lo = 0, hi = 1;
    for (int i = 0; i < 40; ++i) {
        const double m = (lo + hi) / 2, u = 1 - m;
        (3 * u * u * m * 150 + 3 * u * m * m * 650 + m * m * m * 800 < x ? lo : hi) = m;
    }
    const double u = 1 - lo;
    return (u * u * u + lo * lo * lo) * y0 + 3 * u * lo * y1;
}

// Thin clouds lit faintly from below, each row drifting right by one
// spacing a loop.
void wolken(cairo_t* c, double t) {
    const struct {
        double y, abstand, rx, ry, a;
    } reihen[] = {{118, 170, 78, 6, 0.30}, {146, 210, 96, 8, 0.24}, {178, 150, 64, 5, 0.18}};
    for (const auto& r : reihen)
        for (double x = 60 + r.y + t * r.abstand - r.abstand; x < BILD_W; x += r.abstand)
            for (int teil = 0; teil < 3; ++teil) {
                const double cx = x + (teil - 1) * r.rx * 0.45, cy = r.y - (teil == 1) * r.ry * 0.5;
                const double rx = r.rx * (teil == 1 ? 0.7 : 0.5), ry = r.ry * (teil == 1 ? 1.2 : 0.8);
                cairo_save(c);
                cairo_translate(c, cx, cy);
                cairo_scale(c, rx, ry);
                cairo_pattern_t* p = cairo_pattern_create_radial(0, 0.3, 0, 0, 0, 1);
                cairo_pattern_add_color_stop_rgba(p, 0, 0x3C / 255.0, 0x5A / 255.0, 0x82 / 255.0, r.a);
                cairo_pattern_add_color_stop_rgba(p, 1, 0x3C / 255.0, 0x5A / 255.0, 0x82 / 255.0, 0);
                cairo_set_source(c, p);
                cairo_arc(c, 0, 0, 1, 0, 2 * PI);
                cairo_fill(c);
                cairo_pattern_destroy(p);
                cairo_restore(c);
            }
}

// The floodlights' beams breathe a little.
void strahlen(cairo_t* c, double t) {
    for (int seite = 0; seite < 2; ++seite) {
        const double a = 0.035 * (0.5 + 0.5 * std::sin(2 * PI * (3 * t + 0.37 * seite)));
        auto x = [&](double v) { return seite ? BILD_W - v : v; };
        farbe(c, 0xF2D690, a);
        cairo_move_to(c, x(60), 115), cairo_line_to(c, x(100), 110);
        cairo_line_to(c, x(420), BILD_H), cairo_line_to(c, x(120), BILD_H);
        cairo_fill(c);
    }
}

// Flags on the roof's edge, fluttering.
void fahnen(cairo_t* c, double t) {
    const double xs[] = {286, 343, 400, 457, 514};
    const u32 farben[] = {GOLD, KREIDE, GOLD, KREIDE, GOLD};
    for (int i = 0; i < 5; ++i) {
        const double fx = xs[i], fuss = bogen_y(fx, 250, 215) - 1, spitze = fuss - 22;
        farbe(c, SEKUNDAER, 0.8);
        cairo_set_line_width(c, 1.2);
        cairo_move_to(c, fx, fuss), cairo_line_to(c, fx, spitze - 1);
        cairo_stroke(c);
        const int streifen = 8;
        const double lang = 15, hoch = 9, phase = 2 * PI * (5 * t) + i * 1.3;
        auto welle = [&](double u) { return 1.8 * u * std::sin(phase - 4.5 * u); };
        for (int k = 0; k < streifen; ++k) {
            const double u0 = static_cast<double>(k) / streifen, u1 = (k + 1.0) / streifen;
            const double licht = 0.78 + 0.22 * std::cos(phase - 4.5 * (u0 + u1) / 2);
            const u32 f = farben[i];
            cairo_set_source_rgba(c, ((f >> 16) & 255) / 255.0 * licht, ((f >> 8) & 255) / 255.0 * licht,
                                  (f & 255) / 255.0 * licht, 0.92);
            cairo_move_to(c, fx + lang * u0, spitze + welle(u0));
            cairo_line_to(c, fx + lang * u1 + 0.3, spitze + welle(u1));
            cairo_line_to(c, fx + lang * u1 + 0.3, spitze + hoch * (1 - 0.15 * u1) + welle(u1));
            cairo_line_to(c, fx + lang * u0, spitze + hoch * (1 - 0.15 * u0) + welle(u0));
            cairo_close_path(c);
            cairo_fill(c);
        }
    }
}

// The crowd: heads of the picture's crowd pattern light up now and then
// (scarves, a few in gold), and camera flashes pop.
void publikum(cairo_t* c, double t, i32 bild) {
    cairo_save(c);
    cairo_move_to(c, 0, 262);
    cairo_curve_to(c, 150, 228, 650, 228, 800, 262);
    cairo_line_to(c, 800, 345), cairo_line_to(c, 0, 345);
    cairo_close_path(c);
    cairo_clip(c);
    // The pitch lies in front of the stand.
    cairo_rectangle(c, 0, 0, BILD_W, BILD_H);
    cairo_move_to(c, 120, 330), cairo_line_to(c, 680, 330), cairo_line_to(c, 800, 600), cairo_line_to(c, 0, 600);
    cairo_close_path(c);
    cairo_set_fill_rule(c, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(c);
    for (int j = 25; j < 38; ++j)
        for (int i = 0; i < 58; ++i) {
            const u32 n = static_cast<u32>(j * 64 + i);
            if (zufall(n, 1) > 0.4) continue;
            const double x = i * 14 + (zufall(n, 2) < 0.5 ? 3 : 10), y = j * 9 + (x - i * 14 < 5 ? 3 : 7);
            const double s = std::sin(2 * PI * ((1 + static_cast<int>(zufall(n, 3) * 3)) * t + zufall(n, 4)));
            const double a = 0.45 * std::pow(std::max(0.0, s), 8);
            if (a < 0.01) continue;
            farbe(c, zufall(n, 5) < 0.2 ? GOLD : SEKUNDAER, a);
            cairo_arc(c, x, y, 1.6, 0, 2 * PI);
            cairo_fill(c);
        }
    for (u32 k = 0; k < 3; ++k) {
        const u32 n = static_cast<u32>(bild) * 8 + k;
        if (zufall(n, 6) > 0.3) continue;
        const double x = 200 + 400 * zufall(n, 7), oben = bogen_y(x, 262, 228) + 4;
        const double y = oben + (336 - oben) * zufall(n, 8);
        cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, 7);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 0.97, 0.95);
        cairo_pattern_add_color_stop_rgba(p, 0.25, 1, 0.97, 0.88, 0.45);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.97, 0.88, 0);
        cairo_set_source(c, p);
        cairo_arc(c, x, y, 7, 0, 2 * PI);
        cairo_fill(c);
        cairo_pattern_destroy(p);
        farbe(c, 0xFFFFFF);
        cairo_arc(c, x, y, 1.4, 0, 2 * PI);
        cairo_fill(c);
    }
    cairo_restore(c);
}

// Frame `bild` of `bilder` of the clip of (ox, oy, w, h) from the picture `hinten`.
void stadion_bild(cairo_t* c, cairo_surface_t* hinten, cairo_surface_t* leben, cairo_surface_t* maske, double ox,
                  double oy, i32 bild, i32 bilder) {
    const double t = static_cast<double>(bild) / bilder;
    cairo_set_operator(c, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(c, hinten, -ox, -oy);
    cairo_paint(c);
    cairo_set_operator(c, CAIRO_OPERATOR_OVER);
    cairo_t* l = cairo_create(leben);
    cairo_set_operator(l, CAIRO_OPERATOR_CLEAR);
    cairo_paint(l);
    cairo_set_operator(l, CAIRO_OPERATOR_OVER);
    cairo_translate(l, -ox, -oy);
    wolken(l, t);
    strahlen(l, t);
    publikum(l, t, bild);
    fahnen(l, t);
    cairo_destroy(l);
    cairo_set_source_surface(c, leben, 0, 0);
    cairo_mask_surface(c, maske, 0, 0);
}

// Draws `bilder` frames of w x h with `zeichnen` (context, frame number) and
// writes them as a KVID video at 12.5 frames a second; empty when a frame fails.
}  // namespace

std::vector<u8> Film_Aus_Bildern(i32 w, i32 h, i32 bilder, const std::function<void(cairo_t*, i32)>& zeichnen) {
    std::vector<std::vector<u16>> frames;
    for (i32 f = 0; f < bilder; ++f) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_t* c = cairo_create(s);
        zeichnen(c, f);
        cairo_destroy(c);
        std::unique_ptr<Rastport> rp(Aus_Cairo(s, false));
        cairo_surface_destroy(s);
        if (!rp) return {};
        const u16* p = rp->bitmap->pixel16();
        frames.emplace_back(p, p + static_cast<size_t>(w) * h);
    }
    return Vid_Schreiben(w, h, 25, 2, frames);
}

namespace {

std::vector<u8> stadion_film(const std::vector<std::string>& arg, i32 w, i32 h, i32 bilder, const Umgebung& u) {
    const i32 ox = arg.size() == 3 ? std::atoi(arg[1].c_str()) : -1, oy = arg.size() == 3 ? std::atoi(arg[2].c_str()) : -1;
    if (ox < 0 || oy < 0 || ox % 4 || oy % 4 || ox + w > BILD_W || oy + h > BILD_H) {
        std::fprintf(stderr, "resgen: Film menue: erwartet <svg>,<x>,<y> (Vielfache von 4) im Bild %dx%d\n", BILD_W,
                     BILD_H);
        return {};
    }
    cairo_surface_t* hinten = Svg_Flaeche(u.art_ordner + "/" + arg[0], BILD_W, BILD_H);
    if (!hinten) return {};
    cairo_surface_t* maske = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_surface_flush(maske);
    u8* m = cairo_image_surface_get_data(maske);
    const i32 stride = cairo_image_surface_get_stride(maske);
    for (i32 y = 0; y < h; ++y)
        for (i32 x = 0; x < w; ++x) {
            const double d = std::min({x, w - 1 - x, y, h - 1 - y});
            m[y * stride + x] = static_cast<u8>(std::lround(255 * glatt(RAND, RAND + UEBERGANG, d)));
        }
    cairo_surface_mark_dirty(maske);
    cairo_surface_t* leben = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    std::vector<u8> film = Film_Aus_Bildern(
        w, h, bilder, [&](cairo_t* c, i32 f) { stadion_bild(c, hinten, leben, maske, ox, oy, f, bilder); });
    cairo_surface_destroy(leben);
    cairo_surface_destroy(maske);
    cairo_surface_destroy(hinten);
    return film;
}

}  // namespace

std::vector<u8> Film(const std::string& rezept_voll, i32 w, i32 h, i32 eintrag, const Umgebung& u) {
    // "recipe", "recipe:frames" or "recipe:arguments:frames"; 12.5 frames a second.
    std::string rezept = rezept_voll;
    i32 frames = 1;
    if (const size_t k = rezept.rfind(':'); k != std::string::npos) {
        frames = std::atoi(rezept.c_str() + k + 1);
        rezept.erase(k);
    }
    if (frames < 1 || frames > 3000) {
        std::fprintf(stderr, "resgen: Film %s: Bildanzahl 1..3000\n", rezept_voll.c_str());
        return {};
    }
    if (rezept == "menue" || rezept.rfind("menue:", 0) == 0) return stadion_film(Argumente(rezept), w, h, frames, u);
    if (rezept.rfind("intro:", 0) == 0) return Intro_Film(rezept.substr(6), w, h, frames);
    if (rezept == "uebung" || rezept == "lager" || rezept == "meister") return Trainingsfilm(rezept, w, h, frames, eintrag);
    return Film_Aus_Bildern(w, h, frames,
                          [&](cairo_t* c, i32 f) { szene(c, rezept, w, h, static_cast<double>(f) / frames, eintrag); });
}

}  // namespace resgen
