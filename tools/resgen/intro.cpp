// The intro and closing videos of the game folder's intro folder: the
// maker's mark, the game's title over a pitch drawn in chalk, the floodlights
// coming on over a stadium at dusk, and a closing title. Drawn with Cairo in
// the game's look; backgrounds stand still so the frames pack small.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "resgen.h"

namespace resgen {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr u32 NAVY = 0x0E1A2B, NAVY_TIEF = 0x0A1320, PANEL = 0x16263D, KANTE = 0x3C5A82, RASEN1 = 0x2E7D46,
              RASEN2 = 0x287040, KREIDE = 0xF2F4F0, LINIE = 0xEEF2EA, GOLD = 0xF2B33D, SEKUNDAER = 0xA9B4C2;

void farbe(cairo_t* c, u32 rgb, double a = 1.0) { Farbe_Setzen(c, rgb, a); }

// 0 before a, 1 after b, smooth between.
double glatt(double a, double b, double t) {
    const double x = std::clamp((t - a) / (b - a), 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

void text_mitte(cairo_t* c, const char* t, double x, double y, double groesse, u32 rgb, double a,
                const char* schrift = "DejaVuSans-Bold.ttf", double sperren = 0) {
    cairo_set_font_face(c, Cairo_Schrift(schrift));
    cairo_set_font_size(c, groesse);
    cairo_text_extents_t e;
    cairo_text_extents(c, t, &e);
    const double breite = e.x_advance + sperren * (static_cast<double>(std::char_traits<char>::length(t)) - 1);
    double px = x - breite / 2;
    farbe(c, rgb, a);
    if (sperren == 0) {
        cairo_move_to(c, px, y);
        cairo_show_text(c, t);
        return;
    }
    // Letter-spaced, one character (ASCII) at a time.
    for (const char* p = t; *p; ++p) {
        const char z[2] = {*p, 0};
        cairo_move_to(c, px, y);
        cairo_show_text(c, z);
        cairo_text_extents(c, z, &e);
        px += e.x_advance + sperren;
    }
}

// The night sky: navy, lighter towards the middle.
void himmel(cairo_t* c, double w, double h) {
    cairo_pattern_t* p = cairo_pattern_create_radial(w / 2, h * 0.45, 10, w / 2, h * 0.45, w * 0.7);
    cairo_pattern_add_color_stop_rgb(p, 0, 0x1A / 255.0, 0x2C / 255.0, 0x46 / 255.0);
    cairo_pattern_add_color_stop_rgb(p, 1, 0x0A / 255.0, 0x13 / 255.0, 0x20 / 255.0);
    cairo_set_source(c, p);
    cairo_paint(c);
    cairo_pattern_destroy(p);
}

// The gold rule under a title, drawn out from the middle to `anteil` of its width.
void regel(cairo_t* c, double x, double y, double breite, double anteil) {
    if (anteil <= 0) return;
    farbe(c, GOLD);
    cairo_rectangle(c, x - breite / 2 * anteil, y, breite * anteil, 3);
    cairo_fill(c);
}

// 1: the maker's mark.
void hersteller(cairo_t* c, double w, double h, double t) {
    himmel(c, w, h);
    regel(c, w / 2, h / 2 + 14, 360, glatt(0.05, 0.4, t));
    const double aus = 1 - glatt(0.85, 1.0, t);
    text_mitte(c, "PLENMARK", w / 2, h / 2 - 8, 54, KREIDE, glatt(0.3, 0.6, t) * aus, "DejaVuSans-Bold.ttf", 10);
    text_mitte(c, "präsentiert", w / 2, h / 2 + 56, 22, SEKUNDAER, glatt(0.55, 0.75, t) * aus, "DejaVuSans.ttf");
}

// The pitch from above in (x, y, pw, ph), its chalk lines drawn to `anteil`.
void spielfeld(cairo_t* c, double x, double y, double pw, double ph, double anteil) {
    for (int i = 0; i < 12; ++i) {
        farbe(c, i % 2 ? RASEN2 : RASEN1);
        cairo_rectangle(c, x + pw * i / 12, y, pw / 12 + 0.5, ph);
        cairo_fill(c);
    }
    farbe(c, LINIE);
    cairo_set_line_width(c, 3);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    const double r = 10;
    const double umfang = 2 * (pw - 2 * r) + 2 * (ph - 2 * r);
    // The touch and goal lines, from the middle of the top line round.
    double rest = umfang * std::clamp(anteil / 0.5, 0.0, 1.0);
    const double punkte[6][2] = {{x + pw / 2, y + r},      {x + pw - r, y + r}, {x + pw - r, y + ph - r},
                                 {x + r, y + ph - r}, {x + r, y + r},      {x + pw / 2, y + r}};
    cairo_move_to(c, punkte[0][0], punkte[0][1]);
    for (int k = 1; k < 6 && rest > 0; ++k) {
        const double dx = punkte[k][0] - punkte[k - 1][0], dy = punkte[k][1] - punkte[k - 1][1];
        const double s = std::min(1.0, rest / std::hypot(dx, dy));
        cairo_line_to(c, punkte[k - 1][0] + dx * s, punkte[k - 1][1] + dy * s);
        rest -= std::hypot(dx, dy);
    }
    cairo_stroke(c);
    const double mitte = glatt(0.45, 0.8, anteil);
    if (mitte > 0) {
        cairo_move_to(c, x + pw / 2, y + r);
        cairo_line_to(c, x + pw / 2, y + r + (ph - 2 * r) * mitte);
        cairo_stroke(c);
        cairo_arc(c, x + pw / 2, y + ph / 2, ph / 6, -PI / 2, -PI / 2 + 2 * PI * mitte);
        cairo_stroke(c);
        // The penalty areas.
        const double tief = pw * 0.14 * mitte, breit = ph * 0.5;
        cairo_rectangle(c, x + r, y + (ph - breit) / 2, tief, breit);
        cairo_rectangle(c, x + pw - r - tief, y + (ph - breit) / 2, tief, breit);
        cairo_stroke(c);
    }
}

void ball(cairo_t* c, double x, double y, double r, double drehung) {
    farbe(c, NAVY_TIEF, 0.5);
    cairo_arc(c, x + r * 0.35, y + r * 0.45, r, 0, 2 * PI);
    cairo_fill(c);
    farbe(c, KREIDE);
    cairo_arc(c, x, y, r, 0, 2 * PI);
    cairo_fill(c);
    farbe(c, NAVY);
    for (int k = 0; k < 5; ++k) {
        const double a = drehung + k * 2 * PI / 5;
        cairo_arc(c, x + std::cos(a) * r * 0.62, y + std::sin(a) * r * 0.62, r * 0.2, 0, 2 * PI);
        cairo_fill(c);
    }
    cairo_arc(c, x, y, r * 0.24, 0, 2 * PI);
    cairo_fill(c);
}

// 2: the game's title over a pitch drawn in chalk; a ball rolls to the spot.
void titel(cairo_t* c, double w, double h, double t) {
    himmel(c, w, h);
    const double px = 120, py = 190, pw = w - 240, ph = 300;
    spielfeld(c, px, py, pw, ph, glatt(0.0, 0.6, t));
    const double roll = glatt(0.25, 0.6, t);
    if (t > 0.25) ball(c, px + 30 + (pw / 2 - 30) * roll, py + ph / 2, 11, roll * 7);
    // The title over the pitch on a panel.
    const double zeigen = glatt(0.55, 0.75, t);
    if (zeigen > 0) {
        farbe(c, PANEL, 0.92 * zeigen);
        cairo_rectangle(c, w / 2 - 250, 48, 500, 124);
        cairo_fill(c);
        farbe(c, KANTE, zeigen);
        cairo_rectangle(c, w / 2 - 250, 48, 500, 1);
        cairo_fill(c);
        text_mitte(c, "KORDAVO", w / 2, 122, 64, KREIDE, zeigen, "DejaVuSans-Bold.ttf", 8);
        regel(c, w / 2, 136, 380, glatt(0.65, 0.85, t));
        text_mitte(c, "Fußball-Manager", w / 2, 160, 18, SEKUNDAER, glatt(0.75, 0.9, t), "DejaVuSans.ttf");
    }
}

// 3: the floodlights come on over a stadium at dusk, mast by mast.
void flutlicht(cairo_t* c, double w, double h, double t) {
    himmel(c, w, h);
    const double boden = h * 0.62;
    // The pitch in perspective, lit as the masts come on.
    const double licht = glatt(0.15, 0.85, t);
    for (int i = 0; i < 10; ++i) {
        const double a = boden + (h - boden) * i / 10, b = boden + (h - boden) * (i + 1) / 10;
        const double l = 0.35 + 0.65 * licht;
        const u32 g = i % 2 ? RASEN2 : RASEN1;
        cairo_set_source_rgb(c, ((g >> 16) & 255) / 255.0 * l, ((g >> 8) & 255) / 255.0 * l, (g & 255) / 255.0 * l);
        cairo_rectangle(c, 0, a, w, b - a + 0.5);
        cairo_fill(c);
    }
    farbe(c, LINIE, 0.3 + 0.6 * licht);
    cairo_set_line_width(c, 2);
    cairo_move_to(c, 40, boden + 30), cairo_line_to(c, w - 40, boden + 30);
    cairo_move_to(c, w / 2, boden + 30), cairo_line_to(c, w / 2, h);
    cairo_stroke(c);
    // The stands: dark bands with a roof line.
    farbe(c, NAVY_TIEF);
    cairo_move_to(c, 0, boden), cairo_line_to(c, 0, boden - 120), cairo_line_to(c, w, boden - 120),
        cairo_line_to(c, w, boden);
    cairo_close_path(c);
    cairo_fill(c);
    farbe(c, KANTE);
    cairo_rectangle(c, 0, boden - 122, w, 2);
    cairo_fill(c);
    // Four masts, each lit at its time.
    const double mx[4] = {90, 290, w - 290, w - 90};
    for (int m = 0; m < 4; ++m) {
        const double an = glatt(0.12 + m * 0.16, 0.2 + m * 0.16, t);
        farbe(c, PANEL);
        cairo_rectangle(c, mx[m] - 3, boden - 250, 6, 130);
        cairo_fill(c);
        farbe(c, KANTE);
        cairo_rectangle(c, mx[m] - 26, boden - 270, 52, 22);
        cairo_fill(c);
        if (an > 0) {
            // The lamps and their cone of light over the pitch.
            cairo_pattern_t* p = cairo_pattern_create_radial(mx[m], boden - 259, 4, mx[m], boden - 259, 90);
            cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.86, 0.55, 0.9 * an);
            cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.86, 0.55, 0);
            cairo_set_source(c, p);
            cairo_arc(c, mx[m], boden - 259, 90, 0, 2 * PI);
            cairo_fill(c);
            cairo_pattern_destroy(p);
            for (int k = 0; k < 4; ++k) {
                farbe(c, GOLD, an);
                cairo_rectangle(c, mx[m] - 22 + k * 11, boden - 266, 9, 14);
                cairo_fill(c);
            }
            farbe(c, 0xFFE9B0, 0.10 * an);
            cairo_move_to(c, mx[m] - 20, boden - 250);
            cairo_line_to(c, mx[m] + 20, boden - 250);
            cairo_line_to(c, w / 2 + (mx[m] - w / 2) * 0.2 + 160, h);
            cairo_line_to(c, w / 2 + (mx[m] - w / 2) * 0.2 - 160, h);
            cairo_close_path(c);
            cairo_fill(c);
        }
    }
    // Over the stands, below the lamps' glow.
    text_mitte(c, "Anpfiff!", w / 2, boden - 44, 46, KREIDE, glatt(0.8, 0.95, t));
}

// The closing title.
void abschied(cairo_t* c, double w, double h, double t) {
    himmel(c, w, h);
    const double da = 1 - glatt(0.75, 1.0, t);
    text_mitte(c, "KORDAVO", w / 2, h / 2 - 10, 56, KREIDE, da, "DejaVuSans-Bold.ttf", 8);
    regel(c, w / 2, h / 2 + 6, 340, da);
    text_mitte(c, "Bis zum nächsten Spieltag!", w / 2, h / 2 + 48, 22, SEKUNDAER, glatt(0.1, 0.35, t) * da,
               "DejaVuSans.ttf");
}

}  // namespace

std::vector<u8> Intro_Film(const std::string& welcher, i32 w, i32 h, i32 bilder) {
    void (*szene)(cairo_t*, double, double, double) = welcher == "1"       ? hersteller
                                                      : welcher == "2"     ? titel
                                                      : welcher == "3"     ? flutlicht
                                                      : welcher == "ende" ? abschied
                                                                          : nullptr;
    if (!szene) {
        std::fprintf(stderr, "resgen: Film intro: erwartet intro:1, intro:2, intro:3 oder intro:ende\n");
        return {};
    }
    return Film_Aus_Bildern(w, h, bilder, [&](cairo_t* c, i32 f) {
        szene(c, w, h, bilder > 1 ? static_cast<double>(f) / (bilder - 1) : 1.0);
    });
}

}  // namespace resgen
