// The pictures of the matchday pitch overview (Cairo): the background with
// the pitch seen from above and the scoreboard, the two player markers, the
// 31 ball pictures from the ground to high in the air, and the goal nets
// beside the pitch.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "resgen.h"

namespace resgen {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr u32 NAVY = 0x0E1A2B, PANEL = 0x16263D, KANTE_HELL = 0x3C5A82;
constexpr u32 KREIDE = 0xF2F4F0, GOLD = 0xF2B33D, STREIFEN_A = 0x2E7D46, STREIFEN_B = 0x287040, LINIE = 0xEEF2EA;

// The pitch on the screen: 755 x 476 pixels from (22, 111); 10,800 x 6,806 cm.
constexpr double FX = 22, FY = 111, FW = 755, FH = 476, CM = 755.0 / 10800.0;

void farbe(cairo_t* c, u32 rgb, double a = 1.0) { Farbe_Setzen(c, rgb, a); }
void rund(cairo_t* c, double x, double y, double w, double h, double r) { Rund_Rechteck(c, x, y, w, h, r); }

void panel(cairo_t* c, double x, double y, double w, double h, double r) {
    // Soft shadow, gradient body, light top edge.
    farbe(c, NAVY, 0.5);
    rund(c, x, y + 2, w, h, r);
    cairo_fill(c);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, 0x23 / 255.0, 0x39 / 255.0, 0x5A / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 0x16 / 255.0, 0x26 / 255.0, 0x3D / 255.0);
    cairo_set_source(c, g);
    rund(c, x, y, w, h, r);
    cairo_fill(c);
    cairo_pattern_destroy(g);
    farbe(c, KANTE_HELL);
    cairo_set_line_width(c, 1);
    cairo_move_to(c, x + r, y + 0.5);
    cairo_line_to(c, x + w - r, y + 0.5);
    cairo_stroke(c);
}

void hintergrund(cairo_t* c) {
    farbe(c, NAVY);
    cairo_paint(c);
    // Scoreboard: two name plates, the score box, the clock and the progress box.
    panel(c, 6, 6, 380, 58, 6);
    panel(c, 414, 6, 380, 58, 6);
    panel(c, 334, 4, 132, 52, 6);
    farbe(c, GOLD);
    cairo_rectangle(c, 344, 50, 112, 1.5);
    cairo_fill(c);
    panel(c, 150, 70, 500, 34, 6);
    farbe(c, NAVY);
    rund(c, 296, 98, 208, 5, 2.5);  // the track of the match's progress
    cairo_fill(c);
    // Strength gauges' frames either side of the clock.
    farbe(c, KANTE_HELL, 0.6);
    cairo_set_line_width(c, 1);
    rund(c, 164.5, 79.5, 84, 18, 3);
    cairo_stroke(c);
    rund(c, 551.5, 79.5, 84, 18, 3);
    cairo_stroke(c);

    // Grass with mown stripes, a soft vignette of floodlight.
    for (int i = 0; i < 18; ++i) {
        farbe(c, i % 2 ? STREIFEN_B : STREIFEN_A);
        cairo_rectangle(c, FX + FW * i / 18.0, FY, FW / 18.0 + 0.5, FH);
        cairo_fill(c);
    }
    cairo_pattern_t* v = cairo_pattern_create_radial(FX + FW / 2, FY + FH / 2, FH * 0.2, FX + FW / 2, FY + FH / 2, FW * 0.62);
    cairo_pattern_add_color_stop_rgba(v, 0, 1, 1, 1, 0.05);
    cairo_pattern_add_color_stop_rgba(v, 1, 0, 0, 0, 0.22);
    cairo_set_source(c, v);
    cairo_rectangle(c, FX, FY, FW, FH);
    cairo_fill(c);
    cairo_pattern_destroy(v);

    // Chalk lines.
    farbe(c, LINIE, 0.92);
    cairo_set_line_width(c, 2);
    cairo_rectangle(c, FX, FY, FW, FH);
    cairo_move_to(c, FX + FW / 2, FY);
    cairo_line_to(c, FX + FW / 2, FY + FH);
    cairo_stroke(c);
    cairo_arc(c, FX + FW / 2, FY + FH / 2, 915 * CM, 0, 2 * PI);
    cairo_stroke(c);
    cairo_arc(c, FX + FW / 2, FY + FH / 2, 2.5, 0, 2 * PI);
    cairo_fill(c);
    const double strafraum_t = 1650 * CM, strafraum_y1 = FY + 1387 * CM, strafraum_y2 = FY + 5419 * CM;
    const double torraum_t = 550 * CM, torraum_y1 = FY + 2487 * CM, torraum_y2 = FY + 4319 * CM;
    for (int s = 0; s < 2; ++s) {
        const double x0 = s ? FX + FW : FX, d = s ? -1 : 1;
        cairo_move_to(c, x0, strafraum_y1);
        cairo_line_to(c, x0 + d * strafraum_t, strafraum_y1);
        cairo_line_to(c, x0 + d * strafraum_t, strafraum_y2);
        cairo_line_to(c, x0, strafraum_y2);
        cairo_move_to(c, x0, torraum_y1);
        cairo_line_to(c, x0 + d * torraum_t, torraum_y1);
        cairo_line_to(c, x0 + d * torraum_t, torraum_y2);
        cairo_line_to(c, x0, torraum_y2);
        cairo_stroke(c);
        const double px = x0 + d * 1100 * CM, py = FY + FH / 2;
        cairo_arc(c, px, py, 2, 0, 2 * PI);
        cairo_fill(c);
        // The arc outside the penalty area.
        const double r = 915 * CM, a = std::acos((strafraum_t - 1100 * CM) / r);
        if (s == 0) cairo_arc(c, px, py, r, -a, a);
        else cairo_arc(c, px, py, r, PI - a, PI + a);
        cairo_stroke(c);
        // Corner arcs.
        for (int e = 0; e < 2; ++e) {
            const double cy = e ? FY + FH : FY;
            const double a0 = s == 0 ? (e ? -PI / 2 : 0) : (e ? PI : PI / 2);
            cairo_arc(c, x0, cy, 6, a0, a0 + PI / 2);
            cairo_stroke(c);
        }
    }
}

// A player marker: a disc in the side's colour with a ring and a soft shadow.
void marker(cairo_t* c, double s, bool heim) {
    const double m = s / 2, r = s / 2 - 2.5;
    farbe(c, NAVY, 0.45);
    cairo_arc(c, m + 0.8, m + 1.6, r + 1, 0, 2 * PI);
    cairo_fill(c);
    cairo_pattern_t* g = cairo_pattern_create_radial(m - r / 3, m - r / 3, 1, m, m, r);
    const u32 innen = heim ? 0xFFD16A : 0x7FB2EA, aussen = heim ? 0xD9901F : 0x2F6DB5;
    cairo_pattern_add_color_stop_rgb(g, 0, ((innen >> 16) & 255) / 255.0, ((innen >> 8) & 255) / 255.0, (innen & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, ((aussen >> 16) & 255) / 255.0, ((aussen >> 8) & 255) / 255.0, (aussen & 255) / 255.0);
    cairo_set_source(c, g);
    cairo_arc(c, m, m, r, 0, 2 * PI);
    cairo_fill(c);
    cairo_pattern_destroy(g);
    farbe(c, heim ? NAVY : KREIDE, 0.9);
    cairo_set_line_width(c, 1.3);
    cairo_arc(c, m, m, r, 0, 2 * PI);
    cairo_stroke(c);
}

// The ball at height step k of 31: it grows and its shadow falls behind.
void ball(cairo_t* c, double w, double h, int k) {
    const double t = k / 30.0, r = 3.2 + 4.3 * t;
    const double mx = w / 2 - 3 * t, my = h / 2 - 4 * t;
    farbe(c, 0x0A1A10, 0.45 - 0.25 * t);
    cairo_save(c);
    cairo_translate(c, w / 2 + 3 * t, h / 2 + 4 * t + 1);
    cairo_scale(c, 1.0, 0.6);
    cairo_arc(c, 0, 0, 3.6 + t, 0, 2 * PI);
    cairo_restore(c);
    cairo_fill(c);
    cairo_pattern_t* g = cairo_pattern_create_radial(mx - r / 3, my - r / 3, 0.5, mx, my, r);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(g, 1, 0xB8 / 255.0, 0xC0 / 255.0, 0xC8 / 255.0);
    cairo_set_source(c, g);
    cairo_arc(c, mx, my, r, 0, 2 * PI);
    cairo_fill(c);
    cairo_pattern_destroy(g);
    // The ball's patches: one in the middle, five cut by the edge.
    farbe(c, NAVY, 0.85);
    auto fuenfeck = [&](double x, double y, double rr, double dreh) {
        cairo_new_sub_path(c);
        for (int i = 0; i < 5; ++i) {
            const double a = dreh + i * 2 * PI / 5;
            i ? cairo_line_to(c, x + rr * std::cos(a), y + rr * std::sin(a))
              : cairo_move_to(c, x + rr * std::cos(a), y + rr * std::sin(a));
        }
        cairo_close_path(c);
    };
    cairo_save(c);
    cairo_arc(c, mx, my, r, 0, 2 * PI);
    cairo_clip(c);
    fuenfeck(mx, my, r * 0.32, -PI / 2);
    for (int i = 0; i < 5; ++i) {
        const double a = -PI / 2 + PI / 5 + i * 2 * PI / 5;
        fuenfeck(mx + r * 0.95 * std::cos(a), my + r * 0.95 * std::sin(a), r * 0.3, a);
    }
    cairo_fill(c);
    cairo_restore(c);
}

// A goal net beside the pitch: posts, a chalk frame and the mesh.
void netz(cairo_t* c, double w, double h, bool rechts) {
    farbe(c, PANEL);
    cairo_rectangle(c, 0, 0, w, h);
    cairo_fill(c);
    farbe(c, KREIDE, 0.35);
    cairo_set_line_width(c, 0.7);
    for (double x = 2; x < w; x += 4) cairo_move_to(c, x, 2), cairo_line_to(c, x, h - 2);
    for (double y = 2; y < h; y += 4) cairo_move_to(c, 1, y), cairo_line_to(c, w - 1, y);
    cairo_stroke(c);
    farbe(c, KREIDE);
    cairo_set_line_width(c, 2);
    const double x0 = rechts ? 1 : w - 1, x1 = rechts ? w - 2 : 2;
    cairo_move_to(c, x0, 1);
    cairo_line_to(c, x1, 1);
    cairo_line_to(c, x1, h - 1);
    cairo_line_to(c, x0, h - 1);
    cairo_stroke(c);
}

}  // namespace

Rastport* Uebersicht_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag) {
    const std::string art = arg.empty() ? "" : arg[0];
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    bool mit_alpha = true, ok = true;
    if (art == "hintergrund") hintergrund(c), mit_alpha = false;
    else if (art == "heim" || art == "gast") marker(c, std::min(w, h), art == "heim");
    else if (art == "ball") ball(c, w, h, std::clamp(eintrag - (arg.size() > 1 ? std::atoi(arg[1].c_str()) : eintrag), 0, 30));
    else if (art == "netz_links" || art == "netz_rechts") netz(c, w, h, art == "netz_rechts");
    else ok = false;
    cairo_destroy(c);
    Rastport* rp = ok ? Aus_Cairo(sf, mit_alpha) : nullptr;
    cairo_surface_destroy(sf);
    return rp;
}

}  // namespace resgen
