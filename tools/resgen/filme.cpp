// The video clips of animationen.res: short loops drawn with Cairo in the
// game's look (night navy, the pitch, chalk and floodlight gold), written as
// KVID videos.
#include <cmath>
#include <cstdio>
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
    } else if (rezept == "menue" || rezept == "start") {
        // The floodlit stadium at night: the pitch in perspective, beams sweeping, a ball rolling.
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
        if (rezept == "start") {
            text(c, "KORDAVO", w / 2, h * 0.3, h / 9, KREIDE);
            farbe(c, GOLD);
            cairo_rectangle(c, w / 2 - w * 0.18 * (0.6 + 0.4 * std::sin(PI * t)), h * 0.33,
                            w * 0.36 * (0.6 + 0.4 * std::sin(PI * t)), h / 150 + 1);
            cairo_fill(c);
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

}  // namespace

std::vector<u8> Film(const std::string& rezept_voll, i32 w, i32 h, i32 eintrag) {
    // "recipe" or "recipe:frames"; 12.5 frames a second.
    std::string rezept = rezept_voll;
    i32 frames = 1;
    if (const size_t k = rezept.find(':'); k != std::string::npos) {
        frames = std::atoi(rezept.c_str() + k + 1);
        rezept.erase(k);
    }
    if (frames < 1 || frames > 500) {
        std::fprintf(stderr, "resgen: Film %s: Bildanzahl 1..500\n", rezept_voll.c_str());
        return {};
    }
    std::vector<std::vector<u16>> bilder;
    for (i32 f = 0; f < frames; ++f) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_t* c = cairo_create(s);
        szene(c, rezept, w, h, static_cast<double>(f) / frames, eintrag);
        cairo_destroy(c);
        cairo_surface_flush(s);
        std::unique_ptr<Rastport> rp(Aus_Cairo(s, false));
        cairo_surface_destroy(s);
        if (!rp) return {};
        const u16* p = rp->bitmap->pixel16();
        bilder.emplace_back(p, p + static_cast<size_t>(w) * h);
    }
    return Vid_Schreiben(w, h, 25, 2, bilder);
}

}  // namespace resgen
