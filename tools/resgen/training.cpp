// The pictures of the training screens (recipe tr:<part>[,...]): the
// training sheet, the training film screen, the talents tree and the
// training camp, in the game's look: night-navy panels with a light top
// edge, chalk text, the floodlight gold for what matters.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "resgen.h"

namespace resgen {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr u32 NAVY = 0x0E1A2B, PANEL = 0x16263D, KANTE_HELL = 0x3C5A82, KANTE_DUNKEL = 0x0A1320,
              KNOPF_OBEN = 0x23395A, KREIDE = 0xF2F4F0, GOLD = 0xF2B33D, SEKUNDAER = 0xA9B4C2, GUT = 0x3FB26B,
              SCHLECHT = 0xD9483B, INFO = 0x4A90D9, RASEN1 = 0x2E7D46, RASEN2 = 0x287040;

void farbe(cairo_t* c, u32 rgb, double a = 1.0) { Farbe_Setzen(c, rgb, a); }
void rund(cairo_t* c, double x, double y, double w, double h, double r) { Rund_Rechteck(c, x, y, w, h, r); }

void verlauf(cairo_t* c, double x0, double y0, double x1, double y1, u32 a, u32 b, double alpha = 1.0) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(g, 0, ((a >> 16) & 255) / 255.0, ((a >> 8) & 255) / 255.0, (a & 255) / 255.0,
                                      alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, ((b >> 16) & 255) / 255.0, ((b >> 8) & 255) / 255.0, (b & 255) / 255.0,
                                      alpha);
    cairo_set_source(c, g);
    cairo_pattern_destroy(g);
}

// A raised panel: soft shadow, gradient, light top edge, dark rim.
void panel(cairo_t* c, double x, double y, double w, double h, double r = 6) {
    farbe(c, NAVY, 0.4);
    rund(c, x + 1, y + 2, w, h, r);
    cairo_fill(c);
    verlauf(c, 0, y, 0, y + h, KNOPF_OBEN, PANEL);
    rund(c, x, y, w, h, r);
    cairo_fill_preserve(c);
    farbe(c, KANTE_DUNKEL);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
    farbe(c, KANTE_HELL);
    cairo_rectangle(c, x + r, y + 1, w - 2 * r, 1);
    cairo_fill(c);
}

// A sunken box: darker inside, dark top edge, light lower edge.
void mulde(cairo_t* c, double x, double y, double w, double h, double r = 4) {
    rund(c, x, y, w, h, r);
    farbe(c, NAVY);
    cairo_fill_preserve(c);
    farbe(c, KANTE_DUNKEL);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
    farbe(c, KANTE_HELL, 0.5);
    cairo_rectangle(c, x + r, y + h - 1, w - 2 * r, 1);
    cairo_fill(c);
}

// The gold rule under a title.
void regel(cairo_t* c, double x, double y, double w) {
    farbe(c, GOLD);
    cairo_rectangle(c, x, y, w, 1.5);
    cairo_fill(c);
}

void text(cairo_t* c, const std::string& t, double x, double y, double groesse, u32 f, bool mitte = false,
          const char* schrift = "DejaVuSans-Bold.ttf") {
    cairo_set_font_face(c, Cairo_Schrift(schrift));
    cairo_set_font_size(c, groesse);
    cairo_text_extents_t e;
    cairo_text_extents(c, t.c_str(), &e);
    farbe(c, f);
    cairo_move_to(c, mitte ? x - e.width / 2 - e.x_bearing : x, mitte ? y - e.height / 2 - e.y_bearing : y);
    cairo_show_text(c, t.c_str());
}

void stern(cairo_t* c, double cx, double cy, double r) {
    cairo_move_to(c, cx, cy - r);
    for (int i = 1; i < 10; ++i) {
        const double a = -PI / 2 + i * PI / 5, rr = i % 2 ? r * 0.45 : r;
        cairo_line_to(c, cx + std::cos(a) * rr, cy + std::sin(a) * rr);
    }
    cairo_close_path(c);
}

// A small tree: the talents.
void baum_zeichen(cairo_t* c, double cx, double cy, double s, u32 f) {
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(c, std::max(1.5, s / 6));
    farbe(c, f);
    cairo_move_to(c, cx, cy + s / 2), cairo_line_to(c, cx, cy - s / 6);
    cairo_move_to(c, cx, cy), cairo_line_to(c, cx - s / 3, cy - s / 4);
    cairo_move_to(c, cx, cy), cairo_line_to(c, cx + s / 3, cy - s / 4);
    cairo_stroke(c);
    for (double dx : {-s / 3, 0.0, s / 3}) {
        cairo_arc(c, cx + dx, cy - s / 4 - (dx == 0 ? s / 6 : 0), s / 7, 0, 2 * PI);
        cairo_fill(c);
    }
}

// The talents tree's background: tiers as bands, branches between them.
void baum(cairo_t* c, double w, double h, bool torwart) {
    verlauf(c, 0, 0, 0, h, 0x132238, NAVY);
    cairo_paint(c);
    panel(c, 2, 2, w - 4, 54, 6);
    regel(c, 16, 44, w - 32);
    baum_zeichen(c, w - 30, 26, 26, GOLD);
    farbe(c, KANTE_HELL, 0.35);
    cairo_set_line_width(c, 2);
    if (torwart) {
        mulde(c, 60, 214, 700, 80, 8);
        text(c, "Torwart", 400, 206, 13, SEKUNDAER, true);
        farbe(c, KANTE_HELL, 0.5);
        for (int j = 0; j < 5; ++j) {
            cairo_move_to(c, 83 + 120 * j + 40, 254), cairo_line_to(c, 83 + 120 * (j + 1) - 4, 254);
        }
        cairo_stroke(c);
    } else {
        // Branches: from each place of the first tier down to the second, and on to the specials.
        for (int i = 0; i < 20; ++i) {
            const double x0 = 3 + 40 * i + 18, x1 = 33 + 50 * std::min(14, i * 15 / 20) + 18;
            cairo_move_to(c, x0, 112), cairo_curve_to(c, x0, 190, x1, 190, x1, 268);
        }
        const double spezial[5][2] = {{616 + 24, 386}, {496 + 24, 386}, {376 + 24, 386}, {256 + 24, 386}, {32 + 24, 496}};
        for (int k = 0; k < 15; ++k) {
            const double x0 = 33 + 50 * k + 18;
            const double* z = spezial[std::min(3, (14 - k) * 4 / 15)];
            cairo_move_to(c, x0, 310), cairo_curve_to(c, x0, 350, z[0], 340, z[0], z[1]);
        }
        cairo_move_to(c, 33 + 18, 310), cairo_curve_to(c, 40, 420, spezial[4][0], 420, spezial[4][0], spezial[4][1]);
        cairo_stroke(c);
        mulde(c, 0, 64, w, 52, 6);
        mulde(c, 24, 264, 760, 52, 6);
        text(c, "Grundlagen", 10, 62, 11, SEKUNDAER);
        text(c, "Fortgeschritten", 30, 262, 11, SEKUNDAER);
        text(c, "Meisterschaft", 250, 380, 11, SEKUNDAER);
    }
}

// A sunken place for an attribute picture.
void platz(cairo_t* c, double w, double h) {
    rund(c, 1, 1, w - 2, h - 2, 6);
    farbe(c, NAVY);
    cairo_fill_preserve(c);
    farbe(c, KANTE_HELL, 0.8);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
}

// A bar: empty groove, filled (green into gold), or gold.
void balken(cairo_t* c, double w, double h, const std::string& art) {
    rund(c, 0.5, 0.5, w - 1, h - 1, std::min(4.0, h / 2));
    if (art == "leer") {
        farbe(c, 0x0B1524);
        cairo_fill_preserve(c);
        farbe(c, KANTE_DUNKEL);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        farbe(c, KANTE_HELL, 0.45);
        cairo_rectangle(c, 3, h - 1.5, w - 6, 1);
        cairo_fill(c);
        return;
    }
    if (art == "gold") verlauf(c, 0, 0, 0, h, 0xF8D27A, 0xB07E20);
    else verlauf(c, 0, 0, w, 0, GUT, GOLD);
    cairo_fill(c);
    farbe(c, KREIDE, 0.35);
    cairo_rectangle(c, 2, 1.5, w - 4, std::max(1.0, h / 5));
    cairo_fill(c);
}

// The climbing bar of a training: red at the top where it falls.
void saeule(cairo_t* c, double w, double h) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.85, 0.28, 0.23);
    cairo_pattern_add_color_stop_rgb(g, 0.35, 0.95, 0.70, 0.24);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.25, 0.70, 0.42);
    cairo_set_source(c, g);
    rund(c, 1, 0, w - 2, h, 4);
    cairo_fill(c);
    cairo_pattern_destroy(g);
    farbe(c, KREIDE, 0.3);
    cairo_rectangle(c, 4, 2, 3, h - 4);
    cairo_fill(c);
    farbe(c, NAVY, 0.35);
    for (int y = 20; y < h; y += 20) {
        cairo_rectangle(c, 1, y, w - 2, 1);
        cairo_fill(c);
    }
}

void symbol_pfeil(cairo_t* c, double cx, double cy, double s, bool links, u32 f) {
    farbe(c, f);
    cairo_set_line_width(c, 2);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    const double d = links ? -1 : 1;
    cairo_move_to(c, cx - d * s / 4, cy - s / 3), cairo_line_to(c, cx + d * s / 4, cy), cairo_line_to(c, cx - d * s / 4, cy + s / 3);
    cairo_stroke(c);
}

// A camp's landscape: sky, hills or sea, the training pitch, the camp's sign.
void ort(cairo_t* c, double w, double h, int n) {
    static const u32 himmel[8][2] = {{0x1C3558, 0x6A8FB8}, {0x2B4C7E, 0xE3A25B}, {0x14243A, 0x3A6B8F},
                                     {0x3A6EA5, 0xA8D0E6}, {0x25395A, 0xD98C5F}, {0x102038, 0x4A6E9A},
                                     {0x3C5A82, 0xC8DCEA}, {0x1A2C48, 0x8AA8C8}};
    verlauf(c, 0, 0, 0, h * 0.6, himmel[n][0], himmel[n][1]);
    cairo_paint(c);
    // The sun or the moon.
    farbe(c, n % 2 ? 0xF8D27A : KREIDE, 0.85);
    cairo_arc(c, w * (0.2 + 0.08 * n), h * 0.18, h * 0.06, 0, 2 * PI);
    cairo_fill(c);
    const double hor = h * 0.52;
    if (n == 0 || n == 2) {
        // The sea or the lake with a beach.
        verlauf(c, 0, hor - 20, 0, hor + 30, 0x2F6E9E, 0x1B4A72);
        cairo_rectangle(c, 0, hor - 20, w, 50);
        cairo_fill(c);
        farbe(c, 0xE6D3A3);
        cairo_rectangle(c, 0, hor + 28, w, 14);
        cairo_fill(c);
    } else {
        // Mountains or hills, two ranges.
        for (int k = 0; k < 2; ++k) {
            farbe(c, k ? 0x2A3F5E : 0x3B5677);
            cairo_move_to(c, 0, hor + 20);
            const int spitzen = n == 1 || n == 5 ? 5 : 3;
            if (n == 6) farbe(c, k ? 0xB8894F : 0xD2A66A);  // dunes
            for (int i = 0; i <= spitzen * 2; ++i) {
                const double x = w * i / (spitzen * 2.0);
                const double hoehe = (n == 1 || n == 5 ? 0.32 : 0.16) * h * (i % 2 ? 1.0 : 0.35) *
                                     (0.7 + 0.3 * ((Streuen(static_cast<u32>(n * 31 + i + k * 7)) % 100) / 100.0));
                cairo_line_to(c, x, hor + 20 - hoehe - k * 8);
            }
            cairo_line_to(c, w, hor + 40), cairo_line_to(c, 0, hor + 40);
            cairo_close_path(c);
            cairo_fill(c);
            if (n == 1 || n == 5) {
                farbe(c, KREIDE, 0.7);  // snow caps
                for (int i = 1; i <= spitzen * 2; i += 2) {
                    const double x = w * i / (spitzen * 2.0);
                    cairo_arc(c, x, hor - h * 0.22 - k * 8, 7, 0, 2 * PI);
                    cairo_fill(c);
                }
            }
        }
    }
    // The pitch in perspective with its lines.
    const double oben = hor + 42;
    for (int i = 0; i < 8; ++i) {
        farbe(c, i % 2 ? RASEN2 : RASEN1);
        const double a = i / 8.0, b = (i + 1) / 8.0;
        cairo_move_to(c, w * (0.15 + 0.7 * a), oben), cairo_line_to(c, w * (0.15 + 0.7 * b), oben);
        cairo_line_to(c, w * b * 1.3 - w * 0.15, h), cairo_line_to(c, w * a * 1.3 - w * 0.15, h);
        cairo_fill(c);
    }
    farbe(c, KREIDE, 0.85);
    cairo_set_line_width(c, 1.5);
    cairo_move_to(c, w * 0.5, oben), cairo_line_to(c, w * 0.5, h);
    cairo_move_to(c, w * 0.15, oben), cairo_line_to(c, w * 0.85, oben);
    cairo_stroke(c);
    // Trees or palms at the side.
    for (int i = 0; i < 4; ++i) {
        const double x = i < 2 ? 20 + i * 30 : w - 50 - (i - 2) * 30, y = oben + 10;
        farbe(c, 0x4A3420);
        cairo_rectangle(c, x - 2, y - 10, 4, 18);
        cairo_fill(c);
        farbe(c, n == 2 ? 0x3FA066 : 0x1F5A38);
        cairo_arc(c, x, y - 18, 12, 0, 2 * PI);
        cairo_fill(c);
    }
    // Cones and a ball on the pitch.
    for (int i = 0; i < 5; ++i) {
        const double x = w * (0.3 + 0.1 * i), y = h * 0.8;
        farbe(c, GOLD);
        cairo_move_to(c, x, y - 10), cairo_line_to(c, x - 6, y + 4), cairo_line_to(c, x + 6, y + 4);
        cairo_fill(c);
    }
    farbe(c, KREIDE);
    cairo_arc(c, w * 0.72, h * 0.86, 6, 0, 2 * PI);
    cairo_fill(c);
    // A soft frame.
    farbe(c, KANTE_HELL);
    cairo_set_line_width(c, 2);
    rund(c, 1, 1, w - 2, h - 2, 6);
    cairo_stroke(c);
}


// The colour of an attribute's group: basics, advanced, mastery, weaknesses,
// goalkeeping, star training.
u32 gruppen_farbe(int a) {
    if (a < 20) return INFO;
    if (a < 35) return GUT;
    if (a < 40) return GOLD;
    if (a < 47) return SCHLECHT;
    if (a < 53) return 0x2FA7A0;
    return GOLD;
}

// A line symbol for an attribute, inside a square of side s centred at (cx, cy).
void attribut_zeichen(cairo_t* c, int a, double cx, double cy, double s, u32 f) {
    farbe(c, f);
    cairo_set_line_width(c, std::max(1.2, s / 9));
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
    const double r = s / 2;
    if (a == 53) {
        stern(c, cx, cy, r);
        cairo_fill(c);
        return;
    }
    if (a >= 40 && a < 47) {
        cairo_move_to(c, cx - r * 0.6, cy - r * 0.6), cairo_line_to(c, cx + r * 0.6, cy + r * 0.6);
        cairo_move_to(c, cx + r * 0.6, cy - r * 0.6), cairo_line_to(c, cx - r * 0.6, cy + r * 0.6);
        cairo_stroke(c);
        return;
    }
    switch (a % 10) {
        case 0:  // a ball
            cairo_arc(c, cx, cy, r * 0.8, 0, 2 * PI);
            cairo_stroke(c);
            cairo_arc(c, cx, cy, r * 0.3, 0, 2 * PI);
            cairo_fill(c);
            break;
        case 1:  // an arrow: pace
            cairo_move_to(c, cx - r * 0.8, cy), cairo_line_to(c, cx + r * 0.7, cy);
            cairo_move_to(c, cx + r * 0.2, cy - r * 0.5), cairo_line_to(c, cx + r * 0.75, cy),
                cairo_line_to(c, cx + r * 0.2, cy + r * 0.5);
            cairo_stroke(c);
            break;
        case 2:  // a shield: defending
            cairo_move_to(c, cx, cy - r * 0.85), cairo_line_to(c, cx + r * 0.7, cy - r * 0.55);
            cairo_curve_to(c, cx + r * 0.7, cy + r * 0.3, cx + r * 0.2, cy + r * 0.7, cx, cy + r * 0.85);
            cairo_curve_to(c, cx - r * 0.2, cy + r * 0.7, cx - r * 0.7, cy + r * 0.3, cx - r * 0.7, cy - r * 0.55);
            cairo_close_path(c);
            cairo_stroke(c);
            break;
        case 3:  // an eye: vision
            cairo_move_to(c, cx - r * 0.85, cy);
            cairo_curve_to(c, cx - r * 0.3, cy - r * 0.7, cx + r * 0.3, cy - r * 0.7, cx + r * 0.85, cy);
            cairo_curve_to(c, cx + r * 0.3, cy + r * 0.7, cx - r * 0.3, cy + r * 0.7, cx - r * 0.85, cy);
            cairo_stroke(c);
            cairo_arc(c, cx, cy, r * 0.25, 0, 2 * PI);
            cairo_fill(c);
            break;
        case 4:  // a lightning bolt: power
            cairo_move_to(c, cx + r * 0.2, cy - r * 0.9), cairo_line_to(c, cx - r * 0.4, cy + r * 0.1);
            cairo_line_to(c, cx + r * 0.1, cy + r * 0.1), cairo_line_to(c, cx - r * 0.2, cy + r * 0.9);
            cairo_line_to(c, cx + r * 0.45, cy - r * 0.15), cairo_line_to(c, cx - r * 0.05, cy - r * 0.15);
            cairo_close_path(c);
            cairo_fill(c);
            break;
        case 5:  // a target: shooting
            cairo_arc(c, cx, cy, r * 0.8, 0, 2 * PI);
            cairo_stroke(c);
            cairo_arc(c, cx, cy, r * 0.4, 0, 2 * PI);
            cairo_stroke(c);
            break;
        case 6:  // a head with a line above: heading
            cairo_arc(c, cx, cy + r * 0.2, r * 0.45, 0, 2 * PI);
            cairo_fill(c);
            cairo_arc(c, cx, cy - r * 0.75, r * 0.2, 0, 2 * PI);
            cairo_stroke(c);
            break;
        case 7:  // two arrows: passing
            for (double d : {-0.35, 0.35}) {
                cairo_move_to(c, cx - r * 0.8, cy + d * r), cairo_line_to(c, cx + r * 0.7, cy - d * r);
            }
            cairo_stroke(c);
            break;
        case 8:  // a heart: stamina
            cairo_move_to(c, cx, cy + r * 0.7);
            cairo_curve_to(c, cx - r * 1.1, cy - r * 0.1, cx - r * 0.5, cy - r * 0.9, cx, cy - r * 0.35);
            cairo_curve_to(c, cx + r * 0.5, cy - r * 0.9, cx + r * 1.1, cy - r * 0.1, cx, cy + r * 0.7);
            cairo_fill(c);
            break;
        default:  // a crown: leadership
            cairo_move_to(c, cx - r * 0.8, cy + r * 0.5), cairo_line_to(c, cx - r * 0.8, cy - r * 0.4);
            cairo_line_to(c, cx - r * 0.35, cy), cairo_line_to(c, cx, cy - r * 0.6), cairo_line_to(c, cx + r * 0.35, cy);
            cairo_line_to(c, cx + r * 0.8, cy - r * 0.4), cairo_line_to(c, cx + r * 0.8, cy + r * 0.5);
            cairo_close_path(c);
            cairo_fill(c);
            break;
    }
    if (a >= 47 && a < 53) {  // goalkeeping: a glove's cuff below
        cairo_rectangle(c, cx - r * 0.5, cy + r * 0.75, r, r * 0.2);
        cairo_fill(c);
    }
}

// An attribute's picture in a style: gross (a banner), slot, gewaehlt (chosen,
// gold rim), mini, klein, mittel.
void attribut(cairo_t* c, double w, double h, int a, const std::string& stil) {
    const u32 g = gruppen_farbe(a);
    const bool gewaehlt = stil == "gewaehlt";
    if (stil == "gross" || stil == "mittel") {
        rund(c, 0.5, 0.5, w - 1, h - 1, h / 2 - 1);
        verlauf(c, 0, 0, w, 0, g, PANEL);
        cairo_fill(c);
        cairo_arc(c, h / 2, h / 2, h / 2 - 1.5, 0, 2 * PI);
        farbe(c, NAVY);
        cairo_fill(c);
        attribut_zeichen(c, a, h / 2, h / 2, h * 0.62, KREIDE);
        // The tier as dots.
        const int stufe = a < 20 ? 1 : a < 35 ? 2 : a < 40 || a == 53 ? 3 : 1;
        for (int i = 0; i < 3; ++i) {
            farbe(c, i < stufe ? GOLD : KANTE_HELL, i < stufe ? 1.0 : 0.6);
            cairo_arc(c, h + 6 + i * 8, h / 2, 2.2, 0, 2 * PI);
            cairo_fill(c);
        }
        return;
    }
    rund(c, 0.5, 0.5, w - 1, h - 1, std::min(w, h) / 4);
    verlauf(c, 0, 0, 0, h, g, 0x0A1320);
    cairo_fill_preserve(c);
    farbe(c, gewaehlt ? GOLD : KANTE_DUNKEL);
    cairo_set_line_width(c, gewaehlt ? 1.5 : 1);
    cairo_stroke(c);
    attribut_zeichen(c, a, w / 2, h / 2, std::min(w, h) * 0.72, KREIDE);
}

}  // namespace

void Attribut_Zeichen_Malen(cairo_t* c, int a, double cx, double cy, double s, u32 f) {
    attribut_zeichen(c, a, cx, cy, s, f);
}
void Lager_Ort_Malen(cairo_t* c, double w, double h, int n) { ort(c, w, h, std::clamp(n, 0, 7)); }

Rastport* Training_Zeichnen(const std::vector<std::string>& arg, i32 wi, i32 hi, i32 eintrag) {
    const double w = wi, h = hi;
    auto a = [&](size_t i) { return i < arg.size() ? arg[i] : std::string(); };
    const std::string teil = a(0);
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, wi, hi);
    cairo_t* c = cairo_create(sf);
    bool gut = true;
    if (teil == "attribut") {
        attribut(c, w, h, std::clamp(eintrag - std::atoi(a(1).c_str()), 0, 53), a(2));
    } else if (teil == "baum") {
        baum(c, w, h, a(1) == "tor");
    } else if (teil == "talentpanel") {
        panel(c, 1, 1, w - 2, h - 3);
        mulde(c, 8, 8, 112, 124, 6);
    } else if (teil == "platz") {
        platz(c, w, h);
    } else if (teil == "aus") {
        rund(c, 1.5, 0.5, w - 3, h - 3, 3);
        farbe(c, PANEL);
        cairo_fill(c);
        symbol_pfeil(c, w / 2, h / 2 - 1, h * 0.7, a(1) == "<", 0x5E6B7C);
    } else if (teil == "glanz") {
        cairo_pattern_t* g = cairo_pattern_create_radial(w / 2, h / 2, w * 0.25, w / 2, h / 2, w / 2);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.95, 0.70, 0.24, 0.0);
        cairo_pattern_add_color_stop_rgba(g, 0.6, 0.95, 0.70, 0.24, 0.75);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.95, 0.70, 0.24, 0.0);
        cairo_set_source(c, g);
        cairo_paint(c);
        cairo_pattern_destroy(g);
        cairo_set_operator(c, CAIRO_OPERATOR_CLEAR);
        rund(c, 5, 5, w - 10, h - 10, 5);
        cairo_fill(c);
    } else if (teil == "rahmen") {
        farbe(c, GOLD);
        cairo_set_line_width(c, 2.5);
        rund(c, 1.5, 1.5, w - 3, h - 3, 7);
        cairo_stroke(c);
        stern(c, w - 7, 7, 5);
        cairo_fill(c);
    } else if (teil == "schleier") {
        rund(c, 1, 1, w - 2, h - 2, 6);
        farbe(c, NAVY, 0.72);
        cairo_fill(c);
        // A small padlock.
        const double cx = w / 2, cy = h / 2 + 2, s = w / 5;
        farbe(c, SEKUNDAER);
        cairo_set_line_width(c, 2);
        cairo_arc(c, cx, cy - s * 0.6, s * 0.55, PI, 2 * PI);
        cairo_stroke(c);
        rund(c, cx - s * 0.9, cy - s * 0.6, s * 1.8, s * 1.4, 2);
        cairo_fill(c);
    } else if (teil == "plan") {
        // The list on the left, the player's panel on the right.
        panel(c, 2, 2, 472, h - 6);
        verlauf(c, 0, 8, 0, 26, KNOPF_OBEN, 0x1C304D);
        rund(c, 8, 8, 460, 20, 3);
        cairo_fill(c);
        regel(c, 8, 28, 460);
        for (int k = 0; k < 20; ++k) {
            const double y = (k < 11 ? 136 + 17 * k : k < 17 ? 344 + 17 * (k - 11) : 467 + 17 * (k - 17)) - 86;
            if (k % 2) {
                farbe(c, 0x1C304D, 0.8);
                cairo_rectangle(c, 8, y, 460, 17);
                cairo_fill(c);
            }
        }
        farbe(c, KANTE_HELL, 0.6);
        for (double y : {340.0 - 86, 463.0 - 86}) {
            cairo_rectangle(c, 8, y, 460, 1);
            cairo_fill(c);
        }
        panel(c, 478, 2, w - 481, h - 6);
        mulde(c, 508, 14, 93, 108, 6);                          // the face
        mulde(c, 486, 150, w - 496, 96, 6);                     // the slots
        mulde(c, 486, 330, w - 496, 136, 6);                    // the attribute in training
        regel(c, 494, 140, w - 512);
        regel(c, 494, 320, w - 512);
    } else if (teil == "ausfall") {
        rund(c, 0.5, 0.5, w - 1, h - 1, 3);
        farbe(c, SCHLECHT, 0.55);
        cairo_fill(c);
    } else if (teil == "zeile") {
        if (a(1) == "an") {
            rund(c, 1, 1, w - 2, h - 2, 3);
            farbe(c, GOLD, 0.3);
            cairo_fill_preserve(c);
            farbe(c, GOLD, 0.9);
            cairo_set_line_width(c, 1);
            cairo_stroke(c);
        } else {
            farbe(c, KANTE_HELL, 0.35);
            cairo_rectangle(c, 4, h - 1, w - 8, 1);
            cairo_fill(c);
        }
    } else if (teil == "balken") {
        balken(c, w, h, a(1));
    } else if (teil == "slot") {
        const bool mitte = a(1) == "mitte" || a(1) == "gedrueckt";
        rund(c, 1, 1, w - 2, h - 2, 6);
        if (a(1) == "gedrueckt") verlauf(c, 0, 0, 0, h, PANEL, KNOPF_OBEN);
        else farbe(c, NAVY);
        cairo_fill_preserve(c);
        farbe(c, mitte ? GOLD : KANTE_HELL, mitte ? 0.95 : 0.7);
        cairo_set_line_width(c, mitte ? 2 : 1);
        cairo_stroke(c);
    } else if (teil == "talente") {
        const bool gedrueckt = a(1) == "gedrueckt";
        cairo_arc(c, w / 2, h / 2, w / 2 - 1, 0, 2 * PI);
        verlauf(c, 0, 0, 0, h, gedrueckt ? PANEL : KNOPF_OBEN, gedrueckt ? KNOPF_OBEN : PANEL);
        cairo_fill_preserve(c);
        farbe(c, KANTE_HELL);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        baum_zeichen(c, w / 2, h / 2 + 1, w * 0.62, gedrueckt ? GOLD : KREIDE);
    } else if (teil == "film") {
        panel(c, 1, 1, w - 2, h - 4);
        mulde(c, 64, 0 + 10, 94, 104, 6);       // the face (148,90 on the screen)
        mulde(c, 98, 122, 36, 232, 5);         // the climbing bar (x 186)
        mulde(c, 480, 80, 110, 30, 5);         // the attribute's picture
        mulde(c, 480, 265, 150, 82, 5);        // the video (565,356)
        regel(c, 170, 76, 460);
        farbe(c, KANTE_HELL, 0.5);
        cairo_rectangle(c, 12, 342, w - 24, 1);
        cairo_fill(c);
    } else if (teil == "kasten") {
        mulde(c, 1, 1, w - 2, h - 2, 6);
    } else if (teil == "saeule") {
        saeule(c, w, h);
    } else if (teil == "tempo") {
        const bool an = a(1) == "an";
        cairo_arc(c, w / 2, h / 2, w / 2 - 2, 0, 2 * PI);
        farbe(c, NAVY);
        cairo_fill_preserve(c);
        farbe(c, an ? GOLD : KANTE_HELL);
        cairo_set_line_width(c, 2);
        cairo_stroke(c);
        for (int i = 0; i < (an ? 2 : 1); ++i) {
            const double x = w / 2 - (an ? 5 : 0) + i * 10;
            farbe(c, an ? GOLD : SEKUNDAER);
            cairo_move_to(c, x - 5, h / 2 - 8), cairo_line_to(c, x + 6, h / 2), cairo_line_to(c, x - 5, h / 2 + 8);
            cairo_close_path(c);
            cairo_fill(c);
        }
    } else if (teil == "minus") {
        cairo_arc(c, w / 2, h / 2, w / 2 - 1, 0, 2 * PI);
        farbe(c, SCHLECHT);
        cairo_fill(c);
        farbe(c, KREIDE);
        cairo_rectangle(c, w * 0.25, h / 2 - 1.5, w * 0.5, 3);
        cairo_fill(c);
    } else if (teil == "filmpanel") {
        panel(c, 1, 1, w - 2, h - 4);
        mulde(c, 4, 4, 326, 246, 4);
    } else if (teil == "bonus") {
        // A gold star bursting open and fading: frame f of 55.
        const int f = eintrag - std::atoi(a(1).c_str());
        const double t = f / 54.0;
        const double r = (w / 2 - 4) * std::min(1.0, 0.3 + t * 2.5);
        const double alpha = t < 0.7 ? 1.0 : std::max(0.1, 1 - (t - 0.7) / 0.3);
        for (int i = 0; i < 8; ++i) {
            const double ang = i * PI / 4 + t * PI / 3;
            farbe(c, GOLD, 0.5 * alpha);
            cairo_set_line_width(c, 2);
            cairo_move_to(c, w / 2 + std::cos(ang) * r * 0.6, h / 2 + std::sin(ang) * r * 0.6);
            cairo_line_to(c, w / 2 + std::cos(ang) * r * 1.0, h / 2 + std::sin(ang) * r * 1.0);
            cairo_stroke(c);
        }
        stern(c, w / 2, h / 2, r * 0.7);
        farbe(c, GOLD, alpha);
        cairo_fill_preserve(c);
        farbe(c, 0xFFF2C8, alpha);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
    } else if (teil == "betrag") {
        // The amount rising and fading: "+25" .. "+100".
        const int n = std::atoi(a(2).c_str());
        const int f = eintrag - std::atoi(a(1).c_str());
        const int frames = n == 100 ? 33 : 30;
        const double t = f / static_cast<double>(frames - 1);
        const double alpha = t < 0.6 ? 1.0 : std::max(0.15, 1 - (t - 0.6) / 0.4);
        farbe(c, NAVY, 0.6 * alpha);
        rund(c, 4, 4 + (1 - t) * 6, w - 8, h - 12, 6);
        cairo_fill(c);
        text(c, "+" + std::to_string(n), w / 2, h / 2 - 2 + (1 - t) * 6, 15, GOLD, true);
    } else if (teil == "lager") {
        panel(c, 1, 1, w - 2, h - 4);
        mulde(c, 444, 9, 330, 214, 6);     // ratings
        mulde(c, 444, 296, 330, 132, 6);   // the info text
        mulde(c, 4, 342, 436, 44, 6);      // the name
        // The three rating bars, full; the screen covers what is not reached.
        for (int k = 0; k < 3; ++k) {
                cairo_save(c);
                cairo_translate(c, 497, 45 + 25 * k);
                balken(c, 179, 14, "voll");
                cairo_restore(c);
        }
        regel(c, 452, 112, 314);
    } else if (teil == "ort") {
        ort(c, w, h, std::clamp(eintrag - std::atoi(a(1).c_str()), 0, 7));
    } else if (teil == "lauf") {
        panel(c, 1, 1, w - 2, h - 4);
        mulde(c, 3, 3, 304, 204, 4);   // the camp video (71,92)
        mulde(c, 150, 246, 365, 96, 6);  // the bars
        regel(c, 320, 162, 330);
    } else if (teil == "ergebnis") {
        panel(c, 1, 1, w - 2, h - 4);
        verlauf(c, 0, 30, 0, 46, KNOPF_OBEN, 0x1C304D);
        rund(c, 8, 30, w - 16, 18, 3);
        cairo_fill(c);
        regel(c, 8, 48, w - 16);
        farbe(c, KANTE_HELL, 0.6);
        for (double y : {134.0 + 17 * 11 + 10 - 79, 134.0 + 17 * 17 + 31 - 79}) {
            cairo_rectangle(c, 30, y, w - 60, 1);
            cairo_fill(c);
        }
    } else {
        gut = false;
    }
    cairo_destroy(c);
    Rastport* rp = gut ? Aus_Cairo(sf, true) : nullptr;
    cairo_surface_destroy(sf);
    if (!gut) std::fprintf(stderr, "resgen: unbekanntes Trainingsbild \"%s\"\n", teil.c_str());
    return rp;
}

}  // namespace resgen
