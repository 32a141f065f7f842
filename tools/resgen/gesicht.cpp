// Face parts for the composed player portraits: flat vector shapes drawn
// with Cairo at 85 x 100, each part a full head-sized picture with an alpha
// plane (transparent where empty), laid over the base picture in the order
// head, eyes, nose, mouth and beard, hair. Two styles: 0 (the full set) and
// 1 (a smaller, rounder set). The base pictures hold the shoulders in a
// neutral grey that the game tints in the club's colours through the two
// mask pictures (shirt and collar).
#include <cairo.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/rastport.h"
#include "resgen.h"

namespace resgen {

namespace {

struct Rgb {
    double r, g, b;
};
Rgb rgb(u32 c) { return {((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0}; }
void setzen(cairo_t* c, u32 f, double a = 1.0) {
    const Rgb x = rgb(f);
    cairo_set_source_rgba(c, x.r, x.g, x.b, a);
}
u32 dunkler(u32 f, double k) {
    auto ch = [&](int s) { return static_cast<u32>(((f >> s) & 255) * k) << s; };
    return ch(16) | ch(8) | ch(0);
}

constexpr u32 HAUT[6] = {0xF4D2B8, 0xE8B996, 0xD29E76, 0xB07B52, 0x8A5A3A, 0x5E3B26};
constexpr u32 HAAR[6] = {0x1E1A18, 0x4A3222, 0x7A5530, 0xD8B46A, 0xA8532C, 0x9A9A98};
constexpr double CX = 42.5;

void ellipse(cairo_t* c, double x, double y, double rx, double ry) {
    cairo_save(c);
    cairo_translate(c, x, y);
    cairo_scale(c, rx, ry);
    cairo_arc(c, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(c);
}

// Head geometry of a style and shape.
struct Kopf {
    double cy, rx, ry;
};
Kopf kopf_form(int stil, int form) {
    if (stil == 1) return {46, 23.5 + form * 0.6, 27};
    return {44, 21.5 + form * 1.6, 28.5 - form * 0.4};
}

// Mask regions: 1 the shirt, 2 the collar (same shapes as the base).
void maske_pfad(cairo_t* c, int stil, int teil) {
    if (teil == 1) {
        cairo_move_to(c, 4, 100);
        cairo_curve_to(c, 6, 84, 18, 78, 32, 76);
        cairo_line_to(c, 53, 76);
        cairo_curve_to(c, 67, 78, 79, 84, 81, 100);
        cairo_close_path(c);
    } else {
        cairo_move_to(c, 30, 76.5);
        cairo_line_to(c, CX, stil ? 88 : 92);
        cairo_line_to(c, 55, 76.5);
        cairo_line_to(c, 51, 76.5);
        cairo_line_to(c, CX, stil ? 84 : 87);
        cairo_line_to(c, 34, 76.5);
        cairo_close_path(c);
    }
}

void basis(cairo_t* c, int stil) {
    // Shoulders and shirt in neutral greys, tinted by the game through the masks.
    setzen(c, 0x767676);
    maske_pfad(c, stil, 1);
    cairo_fill(c);
    setzen(c, 0xC8C8C8);
    maske_pfad(c, stil, 2);
    cairo_fill(c);
}

void kopf(cairo_t* c, int stil, int i) {
    const int ton = i % 6, form = stil ? (i / 6) % 2 : i / 6;
    const Kopf k = kopf_form(stil, form);
    const u32 haut = HAUT[ton];
    setzen(c, dunkler(haut, 0.86));  // neck
    cairo_rectangle(c, CX - 9, k.cy + k.ry - 12, 18, 90 - (k.cy + k.ry) + 4);
    cairo_fill(c);
    setzen(c, dunkler(haut, 0.72), 0.6);  // shadow under the chin
    ellipse(c, CX, k.cy + k.ry - 4, 10, 5);
    cairo_fill(c);
    setzen(c, haut);  // ears
    ellipse(c, CX - k.rx + 1, k.cy + 2, 4, 6.5);
    ellipse(c, CX + k.rx - 1, k.cy + 2, 4, 6.5);
    cairo_fill(c);
    // The face: slightly narrower at the chin.
    cairo_save(c);
    cairo_move_to(c, CX, k.cy - k.ry);
    cairo_curve_to(c, CX + k.rx * 1.3, k.cy - k.ry, CX + k.rx, k.cy + k.ry * 0.55, CX + k.rx * 0.35,
                   k.cy + k.ry * 0.95);
    cairo_curve_to(c, CX + k.rx * 0.15, k.cy + k.ry * 1.02, CX - k.rx * 0.15, k.cy + k.ry * 1.02, CX - k.rx * 0.35,
                   k.cy + k.ry * 0.95);
    cairo_curve_to(c, CX - k.rx, k.cy + k.ry * 0.55, CX - k.rx * 1.3, k.cy - k.ry, CX, k.cy - k.ry);
    cairo_close_path(c);
    cairo_pattern_t* g = cairo_pattern_create_linear(CX - k.rx, 0, CX + k.rx, 0);
    const Rgb h = rgb(haut), d = rgb(dunkler(haut, 0.9));
    cairo_pattern_add_color_stop_rgb(g, 0, d.r, d.g, d.b);
    cairo_pattern_add_color_stop_rgb(g, 0.35, h.r, h.g, h.b);
    cairo_pattern_add_color_stop_rgb(g, 1, d.r, d.g, d.b);
    cairo_set_source(c, g);
    cairo_fill(c);
    cairo_pattern_destroy(g);
    cairo_restore(c);
}

void augen(cairo_t* c, int stil, int i) {
    static constexpr u32 IRIS[4] = {0x5A3A22, 0x3C6E9E, 0x4E7A4A, 0x2A1E18};
    const double abstand = (stil ? 9.5 : 8.5) + (i % 3) * 1.0;
    const double groesse = 1.0 + ((i / 3) % 2) * 0.25;
    const double y = stil ? 44 : 41;
    const u32 iris = IRIS[(i / 6) % 4];
    const int braue = (i / 2) % 4;
    for (int s : {-1, 1}) {
        const double x = CX + s * abstand;
        setzen(c, 0xFAFAF6);
        ellipse(c, x, y, 4.2 * groesse, 2.3 * groesse);
        cairo_fill(c);
        setzen(c, iris);
        cairo_arc(c, x + 0.3 * s, y + 0.1, 1.9 * groesse, 0, 2 * M_PI);
        cairo_fill(c);
        setzen(c, 0x101010);
        cairo_arc(c, x + 0.3 * s, y + 0.1, 0.9 * groesse, 0, 2 * M_PI);
        cairo_fill(c);
        setzen(c, 0x3A2A20, 0.55);  // upper lid
        cairo_set_line_width(c, 0.9);
        cairo_move_to(c, x - 4.3 * groesse, y);
        cairo_curve_to(c, x - 2, y - 3.2 * groesse, x + 2, y - 3.2 * groesse, x + 4.3 * groesse, y);
        cairo_stroke(c);
        // Eyebrow: thickness and tilt vary.
        setzen(c, braue == 3 ? 0x8A6A40 : 0x2A1E16, 0.85);
        cairo_set_line_width(c, 1.6 + braue * 0.4);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        const double neigung = (braue % 2) ? 1.2 : 0.0;
        cairo_move_to(c, x - 4.8 * s, y - 5 + neigung);
        cairo_curve_to(c, x - 1.5 * s, y - 7.2, x + 1.5 * s, y - 7.2, x + 4.8 * s, y - 5.5);
        cairo_stroke(c);
    }
}

void nase(cairo_t* c, int stil, int i) {
    const double laenge = 9 + (i % 4) * 1.5, breite = 3.2 + ((i / 4) % 4) * 0.6;
    const double y0 = stil ? 46 : 43;
    setzen(c, 0x3C1E10, 0.28);
    cairo_set_line_width(c, 1.3);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(c, CX - 0.5, y0);
    cairo_curve_to(c, CX - 1.5, y0 + laenge * 0.5, CX - breite, y0 + laenge * 0.8, CX - breite + 0.5, y0 + laenge);
    cairo_stroke(c);
    setzen(c, 0x3C1E10, 0.35);
    ellipse(c, CX - breite * 0.5, y0 + laenge + 0.8, 1.3, 0.8);
    ellipse(c, CX + breite * 0.5, y0 + laenge + 0.8, 1.3, 0.8);
    cairo_fill(c);
    setzen(c, 0xFFFFFF, 0.18);  // light on the bridge
    ellipse(c, CX + 0.8, y0 + laenge * 0.55, 1.2, laenge * 0.35);
    cairo_fill(c);
}

void mund(cairo_t* c, int stil, int i) {
    const int bart = i / 4, form = i % 4;
    const double y = stil ? 62 : 60 + (form % 2);
    const double b = 6 + form * 0.9;
    static constexpr u32 BART[8] = {0, 0x2A1E18, 0x2A1E18, 0x4A3222, 0x1E1A18, 0x7A5530, 0x9A9A98, 0x6E6E6C};
    const u32 bf = BART[bart];
    if (bart == 1 || bart == 6) {  // stubble
        setzen(c, bf, 0.22);
        cairo_move_to(c, CX - 17, y - 8);
        cairo_curve_to(c, CX - 16, y + 12, CX + 16, y + 12, CX + 17, y - 8);
        cairo_curve_to(c, CX + 8, y - 2, CX - 8, y - 2, CX - 17, y - 8);
        cairo_fill(c);
    } else if (bart == 3 || bart == 7) {  // full beard
        setzen(c, bf, 0.92);
        cairo_move_to(c, CX - 19, y - 12);
        cairo_curve_to(c, CX - 18, y + 16, CX + 18, y + 16, CX + 19, y - 12);
        cairo_curve_to(c, CX + 10, y + 2, CX - 10, y + 2, CX - 19, y - 12);
        cairo_fill(c);
    } else if (bart == 4) {  // goatee
        setzen(c, bf, 0.9);
        ellipse(c, CX, y + 7, 5.5, 4.5);
        cairo_fill(c);
    }
    if (bart == 2 || bart == 3 || bart == 5 || bart == 7) {  // moustache
        setzen(c, bf, 0.95);
        cairo_move_to(c, CX - b - 1, y - 1);
        cairo_curve_to(c, CX - 3, y - 6, CX + 3, y - 6, CX + b + 1, y - 1);
        cairo_curve_to(c, CX + 3, y - 3, CX - 3, y - 3, CX - b - 1, y - 1);
        cairo_fill(c);
    }
    // Lips: a neutral line with a fuller lower lip.
    setzen(c, 0x8A3E34, 0.8);
    cairo_move_to(c, CX - b, y);
    cairo_curve_to(c, CX - 2, y + 1.2, CX + 2, y + 1.2, CX + b, y);
    cairo_curve_to(c, CX + 2, y + 3.2 + form * 0.3, CX - 2, y + 3.2 + form * 0.3, CX - b, y);
    cairo_fill(c);
    setzen(c, 0x4A1E18, 0.7);
    cairo_set_line_width(c, 0.8);
    cairo_move_to(c, CX - b, y);
    cairo_curve_to(c, CX - 2, y + 1.0, CX + 2, y + 1.0, CX + b, y);
    cairo_stroke(c);
}

void haare(cairo_t* c, int stil, int i) {
    const int farbe = i % 6, art = stil ? i % 10 : i / 6;
    if (art >= 10) {  // bald (60) or bald with grey sides (61)
        if (i == 61) {
            setzen(c, HAAR[5], 0.85);
            for (int s : {-1, 1}) {
                ellipse(c, CX + s * 20, 44, 3.5, 8);
                cairo_fill(c);
            }
        }
        setzen(c, 0xFFFFFF, 0.14);
        ellipse(c, CX - 4, 22, 9, 4);
        cairo_fill(c);
        return;
    }
    const Kopf k = kopf_form(stil, 0);
    const u32 f = HAAR[stil ? (i / 2) % 6 : farbe];
    setzen(c, f);
    const double oben = k.cy - k.ry - 1;
    switch (art) {
        case 0:  // short
            cairo_move_to(c, CX - 22, 40);
            cairo_curve_to(c, CX - 25, oben - 2, CX + 25, oben - 2, CX + 22, 40);
            cairo_curve_to(c, CX + 16, 26, CX - 16, 26, CX - 22, 40);
            break;
        case 1:  // crew cut
            cairo_move_to(c, CX - 21, 33);
            cairo_curve_to(c, CX - 22, oben + 1, CX + 22, oben + 1, CX + 21, 33);
            cairo_curve_to(c, CX + 14, 25, CX - 14, 25, CX - 21, 33);
            break;
        case 2:  // side parting
            cairo_move_to(c, CX - 23, 42);
            cairo_curve_to(c, CX - 27, oben - 4, CX + 27, oben - 5, CX + 23, 40);
            cairo_curve_to(c, CX + 20, 27, CX - 2, 22, CX - 8, 24);
            cairo_curve_to(c, CX - 14, 26, CX - 19, 30, CX - 23, 42);
            break;
        case 3:  // curls
            for (int k2 = 0; k2 < 11; ++k2) {
                const double w = M_PI * (0.95 + k2 * 0.11);
                cairo_new_sub_path(c);
                cairo_arc(c, CX + std::cos(w) * 20, 34 + std::sin(w) * 18, 6.5, 0, 2 * M_PI);
            }
            break;
        case 4:  // long to the neck
            cairo_move_to(c, CX - 25, 62);
            cairo_curve_to(c, CX - 30, oben - 6, CX + 30, oben - 6, CX + 25, 62);
            cairo_line_to(c, CX + 20, 62);
            cairo_curve_to(c, CX + 22, 30, CX - 22, 30, CX - 20, 62);
            cairo_close_path(c);
            break;
        case 5:  // receding
            cairo_move_to(c, CX - 22, 42);
            cairo_curve_to(c, CX - 24, 22, CX - 14, oben + 2, CX - 8, oben + 3);
            cairo_curve_to(c, CX - 14, 24, CX - 18, 30, CX - 22, 42);
            cairo_move_to(c, CX + 22, 42);
            cairo_curve_to(c, CX + 24, 22, CX + 14, oben + 2, CX + 8, oben + 3);
            cairo_curve_to(c, CX + 14, 24, CX + 18, 30, CX + 22, 42);
            break;
        case 6:  // buzz: thin and translucent
            setzen(c, f, 0.55);
            cairo_move_to(c, CX - 21, 38);
            cairo_curve_to(c, CX - 23, oben, CX + 23, oben, CX + 21, 38);
            cairo_curve_to(c, CX + 15, 27, CX - 15, 27, CX - 21, 38);
            break;
        case 7:  // afro
            ellipse(c, CX, 28, 30, 20);
            cairo_move_to(c, CX - 24, 46);
            cairo_line_to(c, CX - 22, 28);
            cairo_line_to(c, CX + 22, 28);
            cairo_line_to(c, CX + 24, 46);
            cairo_close_path(c);
            cairo_fill(c);
            setzen(c, f, 0);
            return;
        case 8:  // quiff
            cairo_move_to(c, CX - 22, 40);
            cairo_curve_to(c, CX - 26, oben - 3, CX - 6, oben - 10, CX + 10, oben - 6);
            cairo_curve_to(c, CX + 26, oben - 2, CX + 24, 30, CX + 22, 40);
            cairo_curve_to(c, CX + 16, 26, CX - 16, 28, CX - 22, 40);
            break;
        default:  // fringe
            cairo_move_to(c, CX - 23, 42);
            cairo_curve_to(c, CX - 27, oben - 4, CX + 27, oben - 4, CX + 23, 42);
            cairo_line_to(c, CX + 20, 32);
            cairo_curve_to(c, CX + 10, 30, CX - 10, 31, CX - 20, 33);
            cairo_close_path(c);
            break;
    }
    cairo_fill(c);
    setzen(c, 0xFFFFFF, 0.10);  // a soft sheen
    ellipse(c, CX - 6, oben + 6, 8, 3);
    cairo_fill(c);
}

// Un-premultiplied colours with an alpha plane; alpha below 16 is the key 0.
Rastport* aus_flaeche(cairo_surface_t* s) {
    cairo_surface_flush(s);
    const i32 w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const i32 stride = cairo_image_surface_get_stride(s);
    const u8* d = cairo_image_surface_get_data(s);
    Rastport* rp = Rastport_Neu_Einfach(w, h, 16);
    if (!rp) return nullptr;
    rp->alpha.assign(static_cast<size_t>(w) * h, 0);
    u16* p = rp->bitmap->pixel16();
    for (i32 y = 0; y < h; ++y)
        for (i32 x = 0; x < w; ++x) {
            const u8* q = d + static_cast<size_t>(y) * stride + 4 * x;
            const u32 px = q[0] | q[1] << 8 | q[2] << 16 | static_cast<u32>(q[3]) << 24;
            const u32 a = px >> 24;
            const size_t i = static_cast<size_t>(y) * w + x;
            if (a < 16) {
                p[i] = 0;
                continue;
            }
            rp->alpha[i] = static_cast<u8>(a);
            const u32 r = std::min(255u, ((px >> 16) & 255) * 255 / a), g = std::min(255u, ((px >> 8) & 255) * 255 / a),
                      b = std::min(255u, (px & 255) * 255 / a);
            const u16 v = static_cast<u16>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
            p[i] = v ? v : 1;
        }
    return rp;
}

}  // namespace

Rastport* Gesicht_Teil(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag) {
    const std::string art = arg.empty() ? "" : arg[0];
    const int stil = arg.size() > 1 ? std::atoi(arg[1].c_str()) : 0;
    const int index = eintrag - (arg.size() > 2 ? std::atoi(arg[2].c_str()) : eintrag);
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    cairo_scale(c, w / 85.0, h / 100.0);
    bool maske = false;
    if (art == "basis") basis(c, stil);
    else if (art == "kopf") kopf(c, stil, index);
    else if (art == "augen") augen(c, stil, index);
    else if (art == "nase") nase(c, stil, index);
    else if (art == "mund") mund(c, stil, index);
    else if (art == "haare") haare(c, stil, index);
    else if (art == "maske") {
        setzen(c, 0xFFFFFF);
        maske_pfad(c, stil, index + 1);
        cairo_fill(c);
        maske = true;
    } else {
        cairo_destroy(c);
        cairo_surface_destroy(sf);
        return nullptr;
    }
    cairo_destroy(c);
    Rastport* rp = aus_flaeche(sf);
    cairo_surface_destroy(sf);
    if (rp && maske) {
        // The mask plane marks the region; the pixels stay as drawn.
        rp->maske.assign(Rastport_Maske_Groesse(w, h), 0);
        for (i32 i = 0; i < w * h; ++i)
            if (rp->alpha[i] >= 128) rp->maske[i >> 3] |= static_cast<u8>(1u << (i & 7));
        rp->alpha.clear();
    }
    return rp;
}

}  // namespace resgen
