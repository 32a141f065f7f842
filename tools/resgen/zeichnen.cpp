// The drawing recipes of the generator: crests, cups, panels, buttons, the
// score digits (Cairo) and authored SVG pictures (librsvg).
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graphics/farbe.h"
#include "resgen.h"

namespace resgen {

namespace {

constexpr double PI = 3.14159265358979323846;

// The palette of the art direction.
constexpr u32 NAVY = 0x0E1A2B, PANEL = 0x16263D, KANTE_HELL = 0x3C5A82, KANTE_DUNKEL = 0x0A1320;
constexpr u32 KNOPF_OBEN = 0x23395A, KREIDE = 0xF2F4F0, GOLD = 0xF2B33D, SEKUNDAER = 0xA9B4C2;

void farbe(cairo_t* c, u32 rgb, double a = 1.0) {
    cairo_set_source_rgba(c, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, a);
}

void stopp(cairo_pattern_t* p, double o, u32 rgb, double a = 1.0) {
    cairo_pattern_add_color_stop_rgba(p, o, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                                      (rgb & 255) / 255.0, a);
}

u32 mischen(u32 a, u32 b, double t) {
    u32 r = 0;
    for (int s = 0; s < 24; s += 8) {
        const double x = ((a >> s) & 255) * (1 - t) + ((b >> s) & 255) * t;
        r |= static_cast<u32>(std::lround(x)) << s;
    }
    return r;
}

double helligkeit(u32 rgb) { return 0.299 * ((rgb >> 16) & 255) + 0.587 * ((rgb >> 8) & 255) + 0.114 * (rgb & 255); }

void rund_rechteck(cairo_t* c, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(c);
    cairo_arc(c, x + w - r, y + r, r, -PI / 2, 0);
    cairo_arc(c, x + w - r, y + h - r, r, 0, PI / 2);
    cairo_arc(c, x + r, y + h - r, r, PI / 2, PI);
    cairo_arc(c, x + r, y + r, r, PI, 1.5 * PI);
    cairo_close_path(c);
}

// Deterministic mixing of a number (the generator has no global random state).
u32 streuen(u32 x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

// --- Crests --------------------------------------------------------------------------

void schild_pfad(cairo_t* c, int form, double s) {
    const double m = s * 0.06, w = s - 2 * m, x = m, y = m;
    cairo_new_path(c);
    switch (form) {
        case 0:  // classic: flat top, sides curving into a point
            cairo_move_to(c, x, y);
            cairo_line_to(c, x + w, y);
            cairo_line_to(c, x + w, y + w * 0.45);
            cairo_curve_to(c, x + w, y + w * 0.8, x + w * 0.7, y + w * 0.92, x + w / 2, y + w);
            cairo_curve_to(c, x + w * 0.3, y + w * 0.92, x, y + w * 0.8, x, y + w * 0.45);
            cairo_close_path(c);
            break;
        case 1:  // round
            cairo_arc(c, s / 2, s / 2, w / 2, 0, 2 * PI);
            break;
        case 2:  // rounded square
            rund_rechteck(c, x + w * 0.04, y + w * 0.04, w * 0.92, w * 0.92, w * 0.2);
            break;
        case 3:  // pointed: notched top corners, straight sides, point
            cairo_move_to(c, x + w * 0.12, y);
            cairo_line_to(c, x + w * 0.88, y);
            cairo_line_to(c, x + w, y + w * 0.1);
            cairo_line_to(c, x + w, y + w * 0.55);
            cairo_line_to(c, x + w / 2, y + w);
            cairo_line_to(c, x, y + w * 0.55);
            cairo_line_to(c, x, y + w * 0.1);
            cairo_close_path(c);
            break;
        default:  // banner: a hanging flag with a swallowtail
            cairo_move_to(c, x + w * 0.08, y);
            cairo_line_to(c, x + w * 0.92, y);
            cairo_line_to(c, x + w * 0.92, y + w);
            cairo_line_to(c, x + w / 2, y + w * 0.8);
            cairo_line_to(c, x + w * 0.08, y + w);
            cairo_close_path(c);
    }
}

void teilung(cairo_t* c, int art, double s, u32 f2) {
    farbe(c, f2);
    switch (art) {
        case 0: return;                                         // plain
        case 1: cairo_rectangle(c, s / 2, 0, s / 2, s); break;  // halves
        case 2:                                                 // quarters
            cairo_rectangle(c, s / 2, 0, s / 2, s / 2);
            cairo_rectangle(c, 0, s / 2, s / 2, s / 2);
            break;
        case 3:  // vertical stripes
            for (int i = 1; i < 7; i += 2) cairo_rectangle(c, s * i / 7.0, 0, s / 7.0, s);
            break;
        case 4:  // hoops
            for (int i = 1; i < 7; i += 2) cairo_rectangle(c, 0, s * i / 7.0, s, s / 7.0);
            break;
        case 5:  // chevron
            cairo_move_to(c, 0, s * 0.55);
            cairo_line_to(c, s / 2, s * 0.2);
            cairo_line_to(c, s, s * 0.55);
            cairo_line_to(c, s, s * 0.8);
            cairo_line_to(c, s / 2, s * 0.45);
            cairo_line_to(c, 0, s * 0.8);
            cairo_close_path(c);
            break;
        case 6:  // sash
            cairo_move_to(c, 0, s * 0.05);
            cairo_line_to(c, s * 0.3, 0);
            cairo_line_to(c, s, s * 0.7);
            cairo_line_to(c, s, s * 1.0);
            cairo_close_path(c);
            break;
        default:  // cross
            cairo_rectangle(c, s * 0.41, 0, s * 0.18, s);
            cairo_rectangle(c, 0, s * 0.36, s, s * 0.18);
    }
    cairo_fill(c);
}

void stern(cairo_t* c, double cx, double cy, double r, int zacken = 5) {
    cairo_new_path(c);
    for (int i = 0; i < 2 * zacken; ++i) {
        const double a = -PI / 2 + i * PI / zacken, rr = i % 2 ? r * 0.45 : r;
        if (i == 0) cairo_move_to(c, cx + rr * std::cos(a), cy + rr * std::sin(a));
        else cairo_line_to(c, cx + rr * std::cos(a), cy + rr * std::sin(a));
    }
    cairo_close_path(c);
}

// Emblems: 0 ball, 1 star, 2 tower, 3 wave, 4 oak leaf, 5 crown, 6 anchor, 7 key.
void emblem(cairo_t* c, int art, double cx, double cy, double r, u32 vorn, u32 hinten) {
    cairo_save(c);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
    farbe(c, vorn);
    switch (art) {
        case 0: {  // ball: a pentagon in the middle, seams to the rim
            cairo_arc(c, cx, cy, r, 0, 2 * PI);
            cairo_fill(c);
            farbe(c, hinten);
            cairo_new_path(c);
            for (int i = 0; i < 5; ++i) {
                const double a = -PI / 2 + i * 2 * PI / 5;
                cairo_line_to(c, cx + r * 0.38 * std::cos(a), cy + r * 0.38 * std::sin(a));
            }
            cairo_close_path(c);
            cairo_fill(c);
            cairo_set_line_width(c, std::max(1.0, r * 0.1));
            for (int i = 0; i < 5; ++i) {
                const double a = -PI / 2 + i * 2 * PI / 5;
                cairo_move_to(c, cx + r * 0.38 * std::cos(a), cy + r * 0.38 * std::sin(a));
                cairo_line_to(c, cx + r * 0.72 * std::cos(a), cy + r * 0.72 * std::sin(a));
            }
            cairo_stroke(c);
            cairo_arc(c, cx, cy, r, 0, 2 * PI);
            cairo_stroke(c);
            break;
        }
        case 1:
            stern(c, cx, cy, r * 1.1);
            cairo_fill(c);
            break;
        case 2:
            cairo_rectangle(c, cx - r * 0.55, cy - r * 0.4, r * 1.1, r * 1.35);
            for (int i = 0; i < 3; ++i)
                cairo_rectangle(c, cx - r * 0.55 + i * r * 0.42, cy - r * 0.8, r * 0.26, r * 0.45);
            cairo_fill(c);
            farbe(c, hinten);
            cairo_arc(c, cx, cy + r * 0.55, r * 0.22, PI, 2 * PI);
            cairo_rectangle(c, cx - r * 0.22, cy + r * 0.55, r * 0.44, r * 0.4);
            cairo_fill(c);
            break;
        case 3:
            cairo_set_line_width(c, r * 0.28);
            for (int k = -1; k <= 1; ++k) {
                cairo_move_to(c, cx - r, cy + k * r * 0.55);
                for (int i = 1; i <= 16; ++i) {
                    const double t = i / 16.0;
                    cairo_line_to(c, cx - r + 2 * r * t, cy + k * r * 0.55 + std::sin(t * 2 * PI) * r * 0.2);
                }
            }
            cairo_stroke(c);
            break;
        case 4:  // leaf: a pointed oval with a midrib and veins
            cairo_move_to(c, cx, cy - r * 1.1);
            cairo_curve_to(c, cx + r * 0.9, cy - r * 0.5, cx + r * 0.8, cy + r * 0.5, cx, cy + r * 0.95);
            cairo_curve_to(c, cx - r * 0.8, cy + r * 0.5, cx - r * 0.9, cy - r * 0.5, cx, cy - r * 1.1);
            cairo_fill(c);
            farbe(c, hinten);
            cairo_set_line_width(c, std::max(1.0, r * 0.1));
            cairo_move_to(c, cx, cy - r * 0.8);
            cairo_line_to(c, cx, cy + r * 1.2);
            for (int i = 0; i < 3; ++i) {
                const double y = cy - r * 0.45 + i * r * 0.4;
                cairo_move_to(c, cx, y + r * 0.2), cairo_line_to(c, cx + r * 0.45, y - r * 0.05);
                cairo_move_to(c, cx, y + r * 0.2), cairo_line_to(c, cx - r * 0.45, y - r * 0.05);
            }
            cairo_stroke(c);
            break;
        case 5:
            cairo_move_to(c, cx - r, cy + r * 0.5);
            cairo_line_to(c, cx - r, cy - r * 0.6);
            cairo_line_to(c, cx - r * 0.5, cy - r * 0.05);
            cairo_line_to(c, cx, cy - r * 0.8);
            cairo_line_to(c, cx + r * 0.5, cy - r * 0.05);
            cairo_line_to(c, cx + r, cy - r * 0.6);
            cairo_line_to(c, cx + r, cy + r * 0.5);
            cairo_close_path(c);
            cairo_fill(c);
            cairo_rectangle(c, cx - r, cy + r * 0.62, 2 * r, r * 0.28);
            cairo_fill(c);
            break;
        case 6:
            cairo_set_line_width(c, r * 0.22);
            cairo_arc(c, cx, cy - r * 0.72, r * 0.2, 0, 2 * PI);
            cairo_stroke(c);
            cairo_move_to(c, cx, cy - r * 0.5);
            cairo_line_to(c, cx, cy + r);
            cairo_move_to(c, cx - r * 0.45, cy - r * 0.2);
            cairo_line_to(c, cx + r * 0.45, cy - r * 0.2);
            cairo_stroke(c);
            cairo_arc_negative(c, cx, cy + r * 0.1, r * 0.85, PI * 0.95, PI * 0.05);
            cairo_stroke(c);
            break;
        default:
            cairo_set_line_width(c, r * 0.26);
            cairo_arc(c, cx - r * 0.45, cy, r * 0.42, 0, 2 * PI);
            cairo_stroke(c);
            cairo_move_to(c, cx - r * 0.03, cy);
            cairo_line_to(c, cx + r, cy);
            cairo_move_to(c, cx + r * 0.65, cy);
            cairo_line_to(c, cx + r * 0.65, cy + r * 0.4);
            cairo_move_to(c, cx + r * 0.9, cy);
            cairo_line_to(c, cx + r * 0.9, cy + r * 0.3);
            cairo_stroke(c);
    }
    cairo_restore(c);
}

// Initials of a club name: the first letters of the words that are not
// common prefixes, at most three.
std::string initialen(const std::string& name) {
    static const char* const fuell[] = {"FC", "SC", "SV", "VfB", "VfL", "TSV", "1.", "AC", "AS",  "CF",
                                        "CD", "FK", "SK", "de",  "of",  "the", "la", "el", "und", "&"};
    std::vector<std::string> woerter;
    size_t i = 0;
    while (i < name.size()) {
        while (i < name.size() && name[i] == ' ') ++i;
        size_t j = i;
        while (j < name.size() && name[j] != ' ') ++j;
        if (j > i) woerter.push_back(name.substr(i, j - i));
        i = j;
    }
    std::string r;
    for (const std::string& w : woerter) {
        bool f = false;
        for (const char* x : fuell) f |= w == x;
        if (!f && r.size() < 3 && static_cast<unsigned char>(w[0]) < 128 &&
            std::isalpha(static_cast<unsigned char>(w[0])))
            r += static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
    }
    if (r.empty() && !woerter.empty()) r = woerter[0].substr(0, 1);
    return r;
}

struct Merkmale {
    int form, art, ladung;
    u32 f1, f2;
    Verein v;
};

Merkmale merkmale(i32 nummer, const Umgebung& u) {
    Merkmale m{};
    if (nummer >= 0 && static_cast<size_t>(nummer) < u.wappen.size()) m.v = u.wappen[static_cast<size_t>(nummer)];
    const u32 h = streuen(static_cast<u32>(nummer) * 2654435761u + 17 + m.v.saat * 0x9E3779B9u);
    m.form = static_cast<int>(h % 5), m.art = static_cast<int>((h >> 4) % 8);
    m.ladung = static_cast<int>((h >> 8) % 13);  // 0..4 initials, 5..12 emblems
    m.f1 = m.v.farbe1, m.f2 = m.v.farbe2;
    if (!m.v.vorhanden) {
        static const u32 ersatz[] = {0x1448D0, 0xD01010, 0x10A030, 0xF8E010, 0x6A20A0, 0x108C8C, 0xF07810, 0x9A1850};
        m.f1 = ersatz[(h >> 12) % 8];
        m.f2 = (h >> 16) % 3 ? 0xFFFFFF : ersatz[(h >> 20) % 8];
        m.ladung = 5 + static_cast<int>((h >> 8) % 8);
    }
    if (nummer == 1000) m.form = 0, m.art = 0, m.ladung = 6, m.f1 = 0x5E6B7C, m.f2 = 0x5E6B7C;  // the neutral crest
    if (std::abs(helligkeit(m.f1) - helligkeit(m.f2)) < 40 && m.f1 != m.f2)
        m.f2 = helligkeit(m.f1) > 128 ? NAVY : 0xFFFFFF;
    if (m.f1 == m.f2) m.art = 0;
    if (m.ladung < 5 && initialen(m.v.name).empty()) m.ladung += 5;
    return m;
}

}  // namespace

std::string Wappen_Signatur(i32 nummer, const Umgebung& u) {
    const Merkmale m = merkmale(nummer, u);
    char t[96];
    // A plain shield does not show its second colour.
    std::snprintf(t, sizeof t, "%d/%d/%d/%06x/%06x/%s", m.form, m.art, m.ladung < 5 ? 0 : m.ladung, m.f1,
                  m.art ? m.f2 : 0, m.ladung < 5 ? initialen(m.v.name).c_str() : "");
    return t;
}

namespace {

Rastport* wappen(i32 s, i32 nummer, const Umgebung& u) {
    const Merkmale m = merkmale(nummer, u);
    const Verein& v = m.v;
    const int form = m.form, art = m.art, ladung = m.ladung;
    const u32 f1 = m.f1, f2 = m.f2;
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, s, s);
    cairo_t* c = cairo_create(sf);
    // Soft shadow under the shield.
    cairo_save(c);
    cairo_translate(c, 0, s * 0.03);
    schild_pfad(c, form, s);
    farbe(c, NAVY, 0.45);
    cairo_fill(c);
    cairo_restore(c);
    schild_pfad(c, form, s);
    cairo_save(c);
    cairo_clip(c);
    farbe(c, f1);
    cairo_paint(c);
    teilung(c, art, s, f2);
    // Charge on a disc of the main colour where the division would cut it.
    const double cx = s / 2.0, cy = s * 0.47, r = s * 0.2;
    const bool klein = s < 21;
    const u32 vorn = helligkeit(f1) > 150 ? NAVY : 0xF8F8F4;
    if (!klein) {
        if (art != 0) {
            farbe(c, f1);
            cairo_arc(c, cx, cy, r * 1.45, 0, 2 * PI);
            cairo_fill(c);
            farbe(c, vorn, 0.9);
            cairo_set_line_width(c, std::max(1.0, s / 50.0));
            cairo_arc(c, cx, cy, r * 1.45, 0, 2 * PI);
            cairo_stroke(c);
        }
        if (ladung < 5) {
            const std::string t = initialen(v.name);
            cairo_set_font_face(c, Cairo_Schrift("DejaVuSans-Bold.ttf"));
            cairo_set_font_size(c, t.size() >= 3 ? s * 0.24 : t.size() == 2 ? s * 0.3 : s * 0.4);
            cairo_text_extents_t e;
            cairo_text_extents(c, t.c_str(), &e);
            cairo_move_to(c, cx - e.width / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
            farbe(c, vorn);
            cairo_show_text(c, t.c_str());
        } else {
            emblem(c, (ladung - 5) % 8, cx, cy, r, vorn, f1);
        }
    }
    // Light from above: a soft gloss over the upper half.
    cairo_pattern_t* glanz = cairo_pattern_create_linear(0, 0, 0, s);
    stopp(glanz, 0, 0xFFFFFF, 0.28);
    stopp(glanz, 0.5, 0xFFFFFF, 0.0);
    stopp(glanz, 1, 0x000000, 0.18);
    cairo_set_source(c, glanz);
    cairo_paint(c);
    cairo_pattern_destroy(glanz);
    cairo_restore(c);
    // A darker outline of the main colour, and a thin dark rim around it.
    schild_pfad(c, form, s);
    farbe(c, KANTE_DUNKEL, 0.9);
    cairo_set_line_width(c, std::max(1.0, s / 33.0) + 1);
    cairo_stroke_preserve(c);
    farbe(c, mischen(f1, 0x000000, 0.45));
    cairo_set_line_width(c, std::max(1.0, s / 33.0));
    cairo_stroke(c);
    cairo_destroy(c);
    Rastport* rp = Aus_Cairo(sf, true);
    cairo_surface_destroy(sf);
    return rp;
}

// --- Cups ------------------------------------------------------------------------------

// The cup of one kind (five shapes) in the metal gradient.
void pokal_form(cairo_t* c, i32 art, cairo_pattern_t* metall, u32 dunkel) {
    switch (art % 5) {
        case 0:  // the classic cup with two handles
            cairo_move_to(c, 14, 8);
            cairo_line_to(c, 52, 8);
            cairo_curve_to(c, 52, 26, 44, 34, 36, 36);
            cairo_line_to(c, 36, 44);
            cairo_curve_to(c, 36, 47, 44, 49, 44, 54);
            cairo_line_to(c, 22, 54);
            cairo_curve_to(c, 22, 49, 30, 47, 30, 44);
            cairo_line_to(c, 30, 36);
            cairo_curve_to(c, 22, 34, 14, 26, 14, 8);
            cairo_close_path(c);
            cairo_fill(c);
            cairo_set_line_width(c, 3);
            cairo_arc(c, 13, 18, 7, PI * 0.5, PI * 1.5);
            cairo_stroke(c);
            cairo_arc_negative(c, 53, 18, 7, PI * 0.5, -PI * 0.5);
            cairo_stroke(c);
            break;
        case 1:  // a tall trophy with long handles
            cairo_move_to(c, 23, 5);
            cairo_line_to(c, 43, 5);
            cairo_curve_to(c, 44, 20, 40, 28, 36, 32);
            cairo_line_to(c, 36, 44);
            cairo_curve_to(c, 38, 48, 42, 50, 42, 54);
            cairo_line_to(c, 24, 54);
            cairo_curve_to(c, 24, 50, 28, 48, 30, 44);
            cairo_line_to(c, 30, 32);
            cairo_curve_to(c, 26, 28, 22, 20, 23, 5);
            cairo_close_path(c);
            cairo_fill(c);
            cairo_set_line_width(c, 2.5);
            cairo_move_to(c, 23, 8);
            cairo_curve_to(c, 10, 8, 12, 26, 29, 31);
            cairo_move_to(c, 43, 8);
            cairo_curve_to(c, 56, 8, 54, 26, 37, 31);
            cairo_stroke(c);
            break;
        case 2:  // a plate on a stand
            cairo_arc(c, 33, 28, 22, 0, 2 * PI);
            cairo_fill(c);
            farbe(c, dunkel, 0.6);
            cairo_set_line_width(c, 1.2);
            cairo_arc(c, 33, 28, 16, 0, 2 * PI);
            cairo_stroke(c);
            cairo_set_source(c, metall);
            cairo_rectangle(c, 30, 48, 6, 7);
            cairo_fill(c);
            break;
        case 3:  // a star on a column
            stern(c, 33, 21, 18);
            cairo_fill(c);
            cairo_move_to(c, 29, 34);
            cairo_line_to(c, 37, 34);
            cairo_line_to(c, 40, 54);
            cairo_line_to(c, 26, 54);
            cairo_close_path(c);
            cairo_fill(c);
            break;
        default:  // a globe held by two arms
            cairo_arc(c, 33, 22, 15, 0, 2 * PI);
            cairo_fill(c);
            farbe(c, dunkel, 0.7);
            cairo_set_line_width(c, 1);
            cairo_arc(c, 33, 22, 15, 0, 2 * PI);
            cairo_move_to(c, 18, 22);
            cairo_line_to(c, 48, 22);
            cairo_stroke(c);
            cairo_save(c);
            cairo_translate(c, 33, 22);
            cairo_scale(c, 0.45, 1);
            cairo_arc(c, 0, 0, 15, 0, 2 * PI);
            cairo_restore(c);
            cairo_stroke(c);
            cairo_set_source(c, metall);
            cairo_move_to(c, 22, 34);
            cairo_curve_to(c, 26, 42, 30, 44, 30, 54);
            cairo_line_to(c, 36, 54);
            cairo_curve_to(c, 36, 44, 40, 42, 44, 34);
            cairo_curve_to(c, 38, 38, 28, 38, 22, 34);
            cairo_fill(c);
    }
}

Rastport* pokal(i32 w, i32 h, i32 art) {
    const bool silber = art % 3 == 2;
    const u32 hell = silber ? 0xF4F6F8 : 0xFBE7A1, mitte = silber ? 0xAEB6C0 : 0xE0A930,
              dunkel = silber ? 0x5C6570 : 0x7A531A;
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    // Drawn on a 66-unit square, scaled evenly and centred in the picture.
    const double skala = std::min(w, h) / 66.0;
    cairo_translate(c, (w - 66 * skala) / 2, (h - 66 * skala) / 2);
    cairo_scale(c, skala, skala);
    cairo_pattern_t* metall = cairo_pattern_create_linear(10, 0, 56, 0);
    stopp(metall, 0, dunkel);
    stopp(metall, 0.3, hell);
    stopp(metall, 0.55, mitte);
    stopp(metall, 1, dunkel);
    cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
    // Plinth, common to every kind.
    cairo_pattern_t* sockel = cairo_pattern_create_linear(0, 54, 0, 63);
    stopp(sockel, 0, 0x2C4870);
    stopp(sockel, 1, 0x0E1A2B);
    rund_rechteck(c, 19, 55, 28, 8, 1.5);
    cairo_set_source(c, sockel);
    cairo_fill(c);
    farbe(c, GOLD);
    cairo_rectangle(c, 19, 55, 28, 1);
    cairo_fill(c);
    cairo_set_source(c, metall);
    pokal_form(c, art, metall, dunkel);
    // Highlight on the metal.
    farbe(c, 0xFFFFFF, 0.45);
    cairo_set_line_width(c, 1.5);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(c, 24, 12);
    cairo_line_to(c, 25, 20);
    cairo_stroke(c);
    cairo_pattern_destroy(metall);
    cairo_pattern_destroy(sockel);
    cairo_destroy(c);
    Rastport* rp = Aus_Cairo(sf, true);
    cairo_surface_destroy(sf);
    return rp;
}

// --- Panels, buttons, digits ------------------------------------------------------------------

// A panel: soft shadow, rounded corners, gradient, a light top edge.
void panel_zeichnen(cairo_t* c, double x, double y, double w, double h, double r, u32 oben, u32 unten,
                    bool gold_linie) {
    for (int i = 3; i >= 1; --i) {
        rund_rechteck(c, x - i * 0.5, y + 2 + i * 0.5, w + i, h, r + i);
        farbe(c, NAVY, 0.14);
        cairo_fill(c);
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    stopp(g, 0, oben);
    stopp(g, 1, unten);
    rund_rechteck(c, x, y, w, h, r);
    cairo_set_source(c, g);
    cairo_fill_preserve(c);
    cairo_pattern_destroy(g);
    farbe(c, KANTE_DUNKEL);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
    farbe(c, KANTE_HELL);
    cairo_move_to(c, x + r, y + 1.5);
    cairo_line_to(c, x + w - r, y + 1.5);
    cairo_stroke(c);
    if (gold_linie) {
        farbe(c, GOLD);
        cairo_rectangle(c, x + 14, y + 34, w - 28, 1.5);
        cairo_fill(c);
    }
}

void text_mitte(cairo_t* c, const std::string& t, double cx, double cy, double groesse, u32 f,
                const char* schrift = "DejaVuSans-Bold.ttf") {
    cairo_set_font_face(c, Cairo_Schrift(schrift));
    cairo_set_font_size(c, groesse);
    cairo_text_extents_t e;
    cairo_text_extents(c, t.c_str(), &e);
    cairo_move_to(c, cx - e.width / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
    farbe(c, f);
    cairo_show_text(c, t.c_str());
}

// Line icons of the match control bar (2 px chalk strokes, round caps).
void symbol(cairo_t* c, const std::string& name, double cx, double cy, u32 f) {
    cairo_save(c);
    farbe(c, f);
    cairo_set_line_width(c, 2);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
    if (name == "wiederholung") {
        cairo_arc(c, cx, cy, 7, PI * 0.3, PI * 1.9);
        cairo_stroke(c);
        cairo_move_to(c, cx + 7, cy - 6);
        cairo_line_to(c, cx + 7, cy - 1);
        cairo_line_to(c, cx + 2, cy - 1);
        cairo_stroke(c);
    } else if (name == "pause") {
        cairo_move_to(c, cx - 3, cy - 7), cairo_line_to(c, cx - 3, cy + 7);
        cairo_move_to(c, cx + 3, cy - 7), cairo_line_to(c, cx + 3, cy + 7);
        cairo_stroke(c);
    } else if (name == "schnell") {
        for (int k = 0; k < 2; ++k) {
            cairo_move_to(c, cx - 8 + k * 8, cy - 6);
            cairo_line_to(c, cx - 1 + k * 8, cy);
            cairo_line_to(c, cx - 8 + k * 8, cy + 6);
        }
        cairo_stroke(c);
    } else if (name == "tabelle") {
        cairo_rectangle(c, cx - 8, cy - 7, 16, 14);
        for (int k = -1; k <= 1; k += 2) cairo_move_to(c, cx - 8, cy + k * 2.5), cairo_line_to(c, cx + 8, cy + k * 2.5);
        cairo_stroke(c);
    } else if (name == "ergebnisse") {
        for (int k = -1; k <= 1; ++k) cairo_move_to(c, cx - 8, cy + k * 5), cairo_line_to(c, cx + 8, cy + k * 5);
        cairo_stroke(c);
    } else if (name == "aufstellung") {
        for (int k = 0; k < 3; ++k) cairo_arc(c, cx - 6 + k * 6, cy - 2 + (k % 2) * 6, 2, 0, 2 * PI), cairo_fill(c);
        cairo_rectangle(c, cx - 9, cy - 8, 18, 16);
        cairo_stroke(c);
    } else if (name == "taktik") {
        cairo_move_to(c, cx - 8, cy + 6), cairo_curve_to(c, cx - 2, cy - 6, cx + 2, cy + 2, cx + 7, cy - 6);
        cairo_move_to(c, cx + 3, cy - 7), cairo_line_to(c, cx + 7, cy - 6), cairo_line_to(c, cx + 7, cy - 2);
        cairo_stroke(c);
    } else if (name == "laden") {
        cairo_move_to(c, cx, cy - 8), cairo_line_to(c, cx, cy + 3);
        cairo_move_to(c, cx - 4, cy - 1), cairo_line_to(c, cx, cy + 3), cairo_line_to(c, cx + 4, cy - 1);
        cairo_move_to(c, cx - 8, cy + 7), cairo_line_to(c, cx + 8, cy + 7);
        cairo_stroke(c);
    } else if (name == "speichern") {
        cairo_rectangle(c, cx - 7, cy - 7, 14, 14);
        cairo_move_to(c, cx - 4, cy - 7), cairo_line_to(c, cx - 4, cy - 2), cairo_line_to(c, cx + 4, cy - 2),
            cairo_line_to(c, cx + 4, cy - 7);
        cairo_stroke(c);
    } else if (name == "netz") {
        // Two stations joined: connected to the game's server.
        cairo_arc(c, cx - 5, cy, 3, 0, 2 * PI), cairo_stroke(c);
        cairo_arc(c, cx + 5, cy, 3, 0, 2 * PI), cairo_stroke(c);
        cairo_move_to(c, cx - 2, cy), cairo_line_to(c, cx + 2, cy), cairo_stroke(c);
    } else if (name == "sanduhr") {
        // Waiting for the server.
        cairo_move_to(c, cx - 5, cy - 7), cairo_line_to(c, cx + 5, cy - 7), cairo_line_to(c, cx - 5, cy + 7),
            cairo_line_to(c, cx + 5, cy + 7), cairo_close_path(c);
        cairo_stroke(c);
    } else if (name == "ereignis") {
        // Something happened: an exclamation mark.
        cairo_move_to(c, cx, cy - 8), cairo_line_to(c, cx, cy + 3);
        cairo_stroke(c);
        cairo_arc(c, cx, cy + 7, 1.4, 0, 2 * PI), cairo_fill(c);
    } else if (name == "psychologe") {
        // A head in profile with a heart inside: the mind.
        cairo_arc(c, cx, cy - 1, 7, PI * 0.75, PI * 2.25);
        cairo_line_to(c, cx + 7, cy + 8);
        cairo_move_to(c, cx - 5, cy + 4), cairo_line_to(c, cx - 5, cy + 8);
        cairo_stroke(c);
        cairo_move_to(c, cx, cy + 2);
        cairo_curve_to(c, cx - 5, cy - 2, cx - 2, cy - 6, cx, cy - 3);
        cairo_curve_to(c, cx + 2, cy - 6, cx + 5, cy - 2, cx, cy + 2);
        cairo_fill(c);
    } else if (name == "pfeife") {
        // The coach's whistle on its cord.
        cairo_arc(c, cx + 2, cy + 2, 5, 0, 2 * PI);
        cairo_move_to(c, cx - 3, cy - 3), cairo_line_to(c, cx - 9, cy - 3), cairo_line_to(c, cx - 9, cy + 1),
            cairo_line_to(c, cx - 3, cy + 1);
        cairo_move_to(c, cx + 5, cy - 2), cairo_curve_to(c, cx + 8, cy - 8, cx + 3, cy - 10, cx, cy - 8);
        cairo_stroke(c);
    } else if (name == "staerke") {
        // Rising bars under an arrow: strength.
        for (int k = 0; k < 3; ++k) cairo_move_to(c, cx - 6 + k * 5, cy + 8), cairo_line_to(c, cx - 6 + k * 5, cy + 4 - k * 4);
        cairo_move_to(c, cx - 8, cy - 2), cairo_line_to(c, cx + 6, cy - 9);
        cairo_move_to(c, cx + 1, cy - 9), cairo_line_to(c, cx + 6, cy - 9), cairo_line_to(c, cx + 5, cy - 4);
        cairo_stroke(c);
    } else if (name == "vorspulen") {
        cairo_move_to(c, cx - 6, cy - 7), cairo_line_to(c, cx + 4, cy), cairo_line_to(c, cx - 6, cy + 7),
            cairo_close_path(c);
        cairo_move_to(c, cx + 7, cy - 7), cairo_line_to(c, cx + 7, cy + 7);
        cairo_stroke(c);
    }
    cairo_restore(c);
}

}  // namespace

std::vector<std::string> Argumente(const std::string& rezept) {
    std::vector<std::string> r;
    const size_t p = rezept.find(':');
    if (p == std::string::npos) return r;
    std::string rest = rezept.substr(p + 1);
    size_t i = 0;
    while (true) {
        const size_t j = rest.find(',', i);
        r.push_back(rest.substr(i, j == std::string::npos ? std::string::npos : j - i));
        if (j == std::string::npos) break;
        i = j + 1;
    }
    return r;
}

namespace {

Rastport* svg(const std::string& datei, i32 w, i32 h) {
    cairo_surface_t* sf = Svg_Flaeche(datei, w, h);
    Rastport* rp = sf ? Aus_Cairo(sf, true) : nullptr;
    if (sf) cairo_surface_destroy(sf);
    return rp;
}

}  // namespace

u32 Streuen(u32 x) { return streuen(x); }

cairo_surface_t* Svg_Flaeche(const std::string& datei, i32 w, i32 h) {
    GError* fehler = nullptr;
    RsvgHandle* hd = rsvg_handle_new_from_file(datei.c_str(), &fehler);
    if (!hd) {
        std::fprintf(stderr, "resgen: %s: %s\n", datei.c_str(), fehler ? fehler->message : "nicht lesbar");
        if (fehler) g_error_free(fehler);
        return nullptr;
    }
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    RsvgRectangle r{0, 0, static_cast<double>(w), static_cast<double>(h)};
    const bool ok = rsvg_handle_render_document(hd, c, &r, &fehler);
    if (!ok) std::fprintf(stderr, "resgen: %s: %s\n", datei.c_str(), fehler ? fehler->message : "nicht zeichenbar");
    if (fehler) g_error_free(fehler);
    cairo_destroy(c);
    g_object_unref(hd);
    if (!ok) {
        cairo_surface_destroy(sf);
        return nullptr;
    }
    cairo_surface_flush(sf);
    return sf;
}

void Farbe_Setzen(cairo_t* c, u32 rgb, double a) { farbe(c, rgb, a); }
void Rund_Rechteck(cairo_t* c, double x, double y, double w, double h, double r) { rund_rechteck(c, x, y, w, h, r); }

void Panel_Malen(cairo_t* c, double x, double y, double w, double h, double r, u32 oben, u32 unten) {
    rund_rechteck(c, x + 1, y + 2.5, w, h, r);
    farbe(c, NAVY, 0.4);
    cairo_fill(c);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, ((oben >> 16) & 255) / 255.0, ((oben >> 8) & 255) / 255.0, (oben & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, ((unten >> 16) & 255) / 255.0, ((unten >> 8) & 255) / 255.0,
                                     (unten & 255) / 255.0);
    rund_rechteck(c, x, y, w, h, r);
    cairo_set_source(c, g);
    cairo_fill(c);
    cairo_pattern_destroy(g);
    farbe(c, KANTE_HELL);
    cairo_rectangle(c, x + r, y, w - 2 * r, 1);
    cairo_fill(c);
}

void Mulde_Malen(cairo_t* c, double x, double y, double w, double h, u32 grund) {
    rund_rechteck(c, x + 0.5, y + 0.5, w - 1, h - 1, 4);
    farbe(c, grund);
    cairo_fill_preserve(c);
    farbe(c, KANTE_DUNKEL);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
}

void Gold_Linie_Malen(cairo_t* c, double x, double y, double w) {
    farbe(c, GOLD, 0.85);
    cairo_rectangle(c, x, y, w, 1);
    cairo_fill(c);
}

Rastport* Cairo_Fertig(cairo_t* c, cairo_surface_t* sf, bool mit_alpha) {
    cairo_destroy(c);
    Rastport* rp = Aus_Cairo(sf, mit_alpha);
    cairo_surface_destroy(sf);
    return rp;
}

Rastport* Rezept_Unbekannt(cairo_t* c, cairo_surface_t* sf, const char* art, const std::string& name) {
    std::fprintf(stderr, "resgen: unbekanntes %s \"%s\"\n", art, name.c_str());
    cairo_destroy(c);
    cairo_surface_destroy(sf);
    return nullptr;
}

Rastport* Aus_Cairo(cairo_surface_t* s, bool mit_alpha) {
    cairo_surface_flush(s);
    const i32 w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const i32 stride = cairo_image_surface_get_stride(s);
    const u8* d = cairo_image_surface_get_data(s);
    Rastport* rp = Rastport_Neu_Einfach(w, h, 16);
    if (!rp) return nullptr;
    if (mit_alpha) rp->alpha.assign(static_cast<size_t>(w) * h, 0);
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    u16* p = rp->bitmap->pixel16();
    for (i32 y = 0; y < h; ++y)
        for (i32 x = 0; x < w; ++x) {
            u32 px;
            std::memcpy(&px, d + static_cast<size_t>(y) * stride + 4 * x, 4);
            const int a = static_cast<int>(px >> 24);
            const size_t i = static_cast<size_t>(y) * w + x;
            if (mit_alpha) rp->alpha[i] = static_cast<u8>(a);
            if (a < 32) {
                p[i] = 0;
                continue;
            }
            // Premultiplied channels composed over the panel colour.
            const int inv = 255 - a;
            int r = static_cast<int>((px >> 16) & 255) + (((PANEL >> 16) & 255) * inv) / 255;
            int g = static_cast<int>((px >> 8) & 255) + (((PANEL >> 8) & 255) * inv) / 255;
            int b = static_cast<int>(px & 255) + ((PANEL & 255) * inv) / 255;
            const int t = bayer[y & 3][x & 3];
            r = std::min(255, r + (t * 8) / 16 - 3);
            g = std::min(255, g + (t * 4) / 16 - 1);
            b = std::min(255, b + (t * 8) / 16 - 3);
            u16 v = Farbe_Pack_565(r, g, b);
            p[i] = v ? v : 0x0001;
        }
    return rp;
}

Rastport* Zeichnen(const std::string& rezept, i32 w, i32 h, i32 eintrag, const Umgebung& u) {
    const std::string name = rezept.substr(0, rezept.find(':'));
    const std::vector<std::string> arg = Argumente(rezept);
    auto a = [&](size_t i, const char* standard = "") { return i < arg.size() ? arg[i] : std::string(standard); };
    if (name == "wappen") return wappen(w, eintrag, u);
    if (name == "pokal") return pokal(w, h, eintrag - (arg.empty() ? 0 : std::atoi(arg[0].c_str())));
    if (name == "svg") return svg(u.art_ordner + "/" + a(0), w, h);
    if (name == "gesicht") return Gesicht_Teil(arg, w, h, eintrag);
    if (name == "feld") return Uebersicht_Zeichnen(arg, w, h, eintrag);
    if (name == "rasen") return Rasen_Zeichnen(arg, w, h);
    if (name == "tor") return Tor_Zeichnen(arg, w, h);
    if (name == "tribuene") return Tribuene_Zeichnen(arg, w, h);
    if (name == "rasenlicht") return Rasen_Licht_Zeichnen(arg, w, h);
    if (name == "tunnel") return Tunnel_Zeichnen(arg, w, h);
    if (name == "stadion") return Stadion_Zeichnen(arg, w, h, eintrag);
    if (name == "imspiel") return Im_Spiel_Zeichnen(arg, w, h);
    if (name == "vorspiel") return Vorspiel_Zeichnen(arg, w, h, eintrag);
    if (Rastport* rp = Spielerbild_Zeichnen(name, arg, w, h, eintrag, u)) return rp;
    if (name == "markt") return Markt_Zeichnen(arg, w, h, eintrag);
    if (name == "tr") return Training_Zeichnen(arg, w, h, eintrag);
    if (name == "stadionbild") return Stadionbild_Zeichnen(arg, w, h, eintrag);
    if (name == "sponsor") return Sponsor_Zeichnen(arg, w, h, eintrag);
    if (name == "ed") return Editor_Zeichnen(arg, w, h);

    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    bool mit_alpha = true;
    if (name == "panel") {
        // panel[:title][,x,y,w,h]; the title "-" gives the title bar and its
        // rule without a text (the screen writes the title that fits); the box
        // places the panel inside a larger transparent picture.
        if (arg.size() >= 5) {
            cairo_translate(c, std::atoi(a(1).c_str()), std::atoi(a(2).c_str()));
            w = std::atoi(a(3).c_str()), h = std::atoi(a(4).c_str());
        }
        panel_zeichnen(c, 1.5, 0.5, w - 3, h - 4, 6, PANEL, PANEL, !a(0).empty());
        if (!a(0).empty() && a(0) != "-") text_mitte(c, a(0), w / 2.0, 20, 15, KREIDE);
    } else if (name == "fragesymbol") {
        // fragesymbol:<icon>: the symbol of a question box, a gold-rimmed
        // round badge holding a line icon drawn large.
        panel_zeichnen(c, 1.5, 0.5, w - 3, h - 4, (h - 4) / 2.0, KNOPF_OBEN, PANEL, false);
        farbe(c, GOLD);
        cairo_set_line_width(c, 2);
        cairo_arc(c, w / 2.0, (h - 3) / 2.0, (std::min(w, h) - 8) / 2.0, 0, 2 * PI);
        cairo_stroke(c);
        const double skala = std::min(w, h) / 28.0;
        cairo_translate(c, w / 2.0, (h - 3) / 2.0);
        cairo_scale(c, skala, skala);
        symbol(c, a(0), 0, 0, KREIDE);
    } else if (name == "knopf") {
        // knopf:<label or icon>,<state normal|an|hell|gedrueckt>[,x,y,w,h]: the
        // button fills the picture, or only the inner box given (the rest
        // stays transparent, so buttons at fixed places can keep even gaps).
        const std::string zustand = a(1, "normal");
        if (arg.size() >= 6) {
            const i32 bx = std::atoi(a(2).c_str()), by = std::atoi(a(3).c_str());
            w = std::atoi(a(4).c_str()), h = std::atoi(a(5).c_str());
            cairo_translate(c, bx, by);
        }
        const bool an = zustand == "an", gedrueckt = zustand == "gedrueckt", hell = zustand == "hell";
        u32 oben = hell ? 0x2C4870 : KNOPF_OBEN, unten = hell ? 0x1C304D : PANEL;
        if (gedrueckt) std::swap(oben, unten);
        panel_zeichnen(c, 1.5, 0.5, w - 3, h - 4, h < 26 ? 3 : 6, oben, unten, false);
        if (an) {
            farbe(c, GOLD);
            rund_rechteck(c, w * 0.25, h - 7, w * 0.5, 2, 1);
            cairo_fill(c);
        }
        const std::string t = a(0);
        const u32 tf = an ? GOLD : KREIDE;
        if (t.size() > 1 && t[0] == '@') symbol(c, t.substr(1), w / 2.0, (h - 4) / 2.0, tf);
        else if (!t.empty()) text_mitte(c, t, w / 2.0, (h - 4) / 2.0, std::min(14.0, h * 0.42), tf);
    } else if (name == "stern") {
        // stern:<voll|halb|abzug|halb_abzug|abzug_halb|leer|leer_gewaehlt|max>: a strength star. A half star
        // is its left half (drawn over an empty one); "abzug" stars are lost
        // to a player's place (dim red), "max" the potential behind them.
        const std::string art = a(0, "voll");
        // A small star (the 7-pixel ones of club lists) is drawn fuller and
        // without its edge line, or it shrinks to a dot of two pixels.
        const bool klein = std::min(w, h) < 10;
        const double cx = w / 2.0, cy = h / 2.0 + (klein ? 0.2 : 0.5),
                     ra = std::min(w, h) / 2.0 - (klein ? 0.0 : 0.5), ri = ra * (klein ? 0.62 : 0.45);
        cairo_move_to(c, cx, cy - ra);
        for (int i = 1; i < 10; ++i) {
            const double r = i % 2 ? ri : ra, wi = -M_PI / 2 + i * M_PI / 5;
            cairo_line_to(c, cx + r * std::cos(wi), cy + r * std::sin(wi));
        }
        cairo_close_path(c);
        const bool leer = art.rfind("leer", 0) == 0, max = art == "max";
        const u32 fuell = leer ? (art == "leer_gewaehlt" ? 0x3C5A82 : 0x23395A) : max ? 0x5E6B7C
                          : art.find("abzug") != std::string::npos ? 0xB8483B : GOLD;
        if (art == "halb" || art == "halb_abzug" || art == "abzug_halb") {
            cairo_save(c);
            cairo_rectangle(c, 0, 0, cx, h);
            cairo_clip(c);
            farbe(c, art == "halb" ? GOLD : 0xB8483B);
            cairo_fill_preserve(c);
            cairo_restore(c);
            if (art == "halb_abzug") {  // a star half kept, half lost
                cairo_save(c);
                cairo_rectangle(c, cx, 0, w - cx, h);
                cairo_clip(c);
                farbe(c, 0xB8483B);
                cairo_fill_preserve(c);
                cairo_restore(c);
                cairo_save(c);
                cairo_rectangle(c, 0, 0, cx, h);
                cairo_clip(c);
                farbe(c, GOLD);
                cairo_fill_preserve(c);
                cairo_restore(c);
            }
            cairo_new_path(c);
        } else {
            farbe(c, fuell);
            if (klein) {
                cairo_fill(c);
            } else {
                cairo_fill_preserve(c);
                farbe(c, leer ? KANTE_HELL : KANTE_DUNKEL, 0.9);
                cairo_set_line_width(c, 1);
                cairo_stroke(c);
            }
        }
    } else if (name == "stepper") {
        // stepper:<-10|-1|+1|+10>: the four zones of a value stepper
        // (<< < > >>), the given one pressed.
        const std::string zone = a(0, "");
        const char* marken[4] = {"-10", "-1", "+1", "+10"};
        const double grenzen[5] = {0, 30, 50, 68, static_cast<double>(w)};
        for (int i = 0; i < 4; ++i) {
            const bool gedrueckt = zone == marken[i];
            const double x0 = grenzen[i] * w / 98.0, x1 = grenzen[i + 1] * w / 98.0;
            panel_zeichnen(c, x0 + 0.5, 0.5, x1 - x0 - 1, h - 3, 3, gedrueckt ? PANEL : KNOPF_OBEN,
                           gedrueckt ? KNOPF_OBEN : PANEL, false);
            const std::string t = i == 0 ? "\u00AB" : i == 1 ? "\u2039" : i == 2 ? "\u203A" : "\u00BB";
            text_mitte(c, t, (x0 + x1) / 2, (h - 3) / 2.0, h * 0.5, gedrueckt ? GOLD : KREIDE);
        }
    } else if (name == "bankrahmen") {
        // The bank screen's frame: a panel with the credit list in a sunken
        // box, a gold rule under the list's column heads, and the new credit
        // below a rule.
        panel_zeichnen(c, 81.5, 0.5, 647, h - 4, 6, PANEL, PANEL, false);
        rund_rechteck(c, 188, 26, 480, 90, 4);
        farbe(c, NAVY);
        cairo_fill_preserve(c);
        farbe(c, KANTE_DUNKEL);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        farbe(c, GOLD, 0.8);
        cairo_rectangle(c, 196, 24, 464, 1);
        cairo_fill(c);
        farbe(c, KANTE_HELL, 0.7);
        cairo_rectangle(c, 100, 134, 610, 1);
        cairo_fill(c);
        // A light band under the lender's side of the form.
        rund_rechteck(c, 562, 150, 160, 122, 5);
        farbe(c, KNOPF_OBEN, 0.55);
        cairo_fill(c);
    } else if (name == "auswahl") {
        // auswahl:<normal|gedrueckt>: a selector whose text the screen writes
        // inside: an open frame with a cycle mark at its left end.
        const bool gedrueckt = a(0, "normal") == "gedrueckt";
        rund_rechteck(c, 1.5, 1.5, w - 3, h - 3, 4);
        farbe(c, gedrueckt ? GOLD : KANTE_HELL, gedrueckt ? 1.0 : 0.9);
        cairo_set_line_width(c, gedrueckt ? 2 : 1.5);
        cairo_stroke(c);
        rund_rechteck(c, 4, 4, h - 8, h - 8, 3);
        farbe(c, gedrueckt ? PANEL : KNOPF_OBEN);
        cairo_fill(c);
        text_mitte(c, "\u21BB", h / 2.0, h / 2.0, h * 0.5, GOLD);
        mit_alpha = false;
    } else if (name == "finanzrahmen") {
        // The finance screen's frame: a panel, a gold rule under the title,
        // income and expenses in sunken boxes with a rule above each total,
        // the balance in a band, a rule above the match line.
        panel_zeichnen(c, 1.5, 0.5, w - 3, h - 4, 6, PANEL, PANEL, false);
        farbe(c, GOLD, 0.8);
        cairo_rectangle(c, 140, 28, 545, 1);
        cairo_fill(c);
        const double kasten[2][3] = {{50, 96, 119}, {164, 142, 285}};  // top, height, rule (the picture stands at y 86)
        for (const auto& k : kasten) {
            rund_rechteck(c, 140, k[0], 545, k[1], 4);
            farbe(c, NAVY);
            cairo_fill_preserve(c);
            farbe(c, KANTE_DUNKEL);
            cairo_set_line_width(c, 1);
            cairo_stroke(c);
            farbe(c, KANTE_HELL, 0.6);
            cairo_rectangle(c, 146, k[2], 533, 1);
            cairo_fill(c);
        }
        // A bar chart emblem in the left column.
        rund_rechteck(c, 18, 50, 104, 120, 6);
        farbe(c, KNOPF_OBEN, 0.7);
        cairo_fill(c);
        const double balken[4] = {38, 62, 50, 84};
        for (int i = 0; i < 4; ++i) {
            rund_rechteck(c, 30 + i * 22, 150 - balken[i], 14, balken[i], 2);
            farbe(c, i == 3 ? GOLD : SEKUNDAER, i == 3 ? 1.0 : 0.55);
            cairo_fill(c);
        }
        farbe(c, KANTE_HELL);
        cairo_rectangle(c, 26, 151, 88, 1.5);
        cairo_fill(c);
        rund_rechteck(c, 140, 310, 545, 30, 4);
        farbe(c, KNOPF_OBEN, 0.8);
        cairo_fill(c);
        farbe(c, KANTE_HELL, 0.7);
        cairo_rectangle(c, 20, 354, w - 40, 1);
        cairo_fill(c);
    } else if (name == "bilanz") {
        // bilanz:<plus|minus>: the balance's mark, a green rising or a red
        // falling arrow.
        const bool plus = a(0, "plus") == "plus";
        rund_rechteck(c, 1, 1, w - 2, h - 2, 4);
        farbe(c, plus ? 0x2E7D4F : 0x9C2F2F);
        cairo_fill(c);
        const double m = w / 2.0, o = 4, u = h - 4;
        if (plus) {
            cairo_move_to(c, m, o);
            cairo_line_to(c, w - 5, h / 2.0);
            cairo_line_to(c, 5, h / 2.0);
        } else {
            cairo_move_to(c, m, u);
            cairo_line_to(c, w - 5, h / 2.0);
            cairo_line_to(c, 5, h / 2.0);
        }
        cairo_close_path(c);
        farbe(c, KREIDE);
        cairo_fill(c);
        cairo_rectangle(c, m - 2.5, plus ? h / 2.0 : o, 5, h / 2.0 - o);
        cairo_fill(c);
    } else if (name == "bankhaus") {
        // The bank: a columned building in gold strokes over a soft disc.
        cairo_arc(c, w / 2.0, h / 2.0, std::min(w, h) / 2.0 - 1, 0, 2 * M_PI);
        farbe(c, KNOPF_OBEN, 0.9);
        cairo_fill(c);
        const double l = w * 0.2, r = w * 0.8, dach = h * 0.2, sims = h * 0.38, fuss = h * 0.78;
        cairo_move_to(c, w / 2.0, dach);
        cairo_line_to(c, r + 4, sims);
        cairo_line_to(c, l - 4, sims);
        cairo_close_path(c);
        farbe(c, GOLD);
        cairo_fill(c);
        for (int i = 0; i < 4; ++i) {
            const double x = l + 3 + i * (r - l - 6) / 3.0;
            cairo_rectangle(c, x - 3, sims + 4, 6, fuss - sims - 8);
            cairo_fill(c);
        }
        cairo_rectangle(c, l - 6, fuss - 4, r - l + 12, 6);
        cairo_fill(c);
        text_mitte(c, "\u20AC", w / 2.0, (dach + sims) / 2.0 + 3, h * 0.11, NAVY);
    } else if (name == "offen") {
        // offen:<graphic number of entry 0>: a picture whose art is not made
        // yet: a dim panel with a dashed gold edge and its graphic number.
        rund_rechteck(c, 0.5, 0.5, w - 1, h - 1, std::min(4.0, std::min(w, h) / 4.0));
        farbe(c, PANEL);
        cairo_fill_preserve(c);
        const double strich[] = {4.0, 3.0};
        cairo_set_dash(c, strich, 2, 0);
        cairo_set_line_width(c, 1);
        farbe(c, GOLD, 0.7);
        cairo_stroke(c);
        cairo_set_dash(c, nullptr, 0, 0);
        const std::string nummer = std::to_string(std::atoi(a(0, "0").c_str()) + eintrag);
        const double groesse = std::min(h * 0.6, w / (nummer.size() * 0.62 + 0.4));
        if (groesse >= 5) text_mitte(c, nummer, w / 2.0, h / 2.0, groesse, SEKUNDAER);
    } else if (name == "haken") {
        // A tick in a small sunken box: a switched-on option.
        rund_rechteck(c, 1, 1, w - 2, h - 2, 3);
        farbe(c, NAVY);
        cairo_fill_preserve(c);
        farbe(c, KANTE_HELL);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(c, std::max(2.0, w / 7.0));
        cairo_move_to(c, w * 0.24, h * 0.52);
        cairo_line_to(c, w * 0.43, h * 0.72);
        cairo_line_to(c, w * 0.78, h * 0.28);
        farbe(c, GOLD);
        cairo_stroke(c);
    } else if (name == "scrollspur") {
        // The track of a vertical scroll bar: a sunken groove.
        rund_rechteck(c, 1, 1, w - 2, h - 2, w / 2.0 - 1);
        farbe(c, NAVY);
        cairo_fill_preserve(c);
        farbe(c, KANTE_DUNKEL);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        farbe(c, KANTE_HELL, 0.6);
        cairo_rectangle(c, w / 2.0 - 0.5, 6, 1, h - 12);
        cairo_fill(c);
    } else if (name == "scrollknopf") {
        // The knob of a scroll bar: raised, with three grip lines.
        panel_zeichnen(c, 0.5, 0.5, w - 1, h - 2, std::min(4.0, w / 2.0 - 1), KNOPF_OBEN, PANEL, false);
        farbe(c, GOLD, 0.9);
        for (int i = -1; i <= 1; ++i) {
            cairo_rectangle(c, 3, h / 2.0 - 1 + i * 4, w - 6, 1);
            cairo_fill(c);
        }
    } else if (name == "hervorhebung") {
        // hervorhebung[:x,y,w,h]: the highlight in a box of the picture.
        if (arg.size() >= 4) {
            cairo_translate(c, std::atoi(a(0).c_str()), std::atoi(a(1).c_str()));
            w = std::atoi(a(2).c_str()), h = std::atoi(a(3).c_str());
        }
        rund_rechteck(c, 1, 1, w - 2, h - 2, 3);
        farbe(c, GOLD, 0.28);
        cairo_fill_preserve(c);
        farbe(c, GOLD, 0.8);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
    } else if (name == "leiste") {
        // A bar: the match control bar frame and the dialog bar.
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
        stopp(g, 0, 0x1C304D);
        stopp(g, 1, NAVY);
        cairo_set_source(c, g);
        cairo_paint(c);
        cairo_pattern_destroy(g);
        farbe(c, KANTE_HELL);
        cairo_rectangle(c, 0, 0, w, 1);
        cairo_fill(c);
        farbe(c, GOLD, 0.8);
        cairo_rectangle(c, 0, 1, w, 1);
        cairo_fill(c);
        mit_alpha = false;
    } else if (name == "abdunkeln") {
        farbe(c, NAVY, 1.0);
        cairo_paint(c);
        mit_alpha = false;
    } else if (name == "ziffern") {
        // Two columns (home, away) of ten digits, 56 x 30 each.
        for (int s = 0; s < 2; ++s)
            for (int z = 0; z < 10; ++z) {
                const double x = s * w / 2.0, y = z * h / 10.0;
                rund_rechteck(c, x + 2, y + 1, w / 2.0 - 4, h / 10.0 - 2, 3);
                farbe(c, s ? PANEL : KNOPF_OBEN);
                cairo_fill(c);
                text_mitte(c, std::string(1, static_cast<char>('0' + z)), x + w / 4.0, y + h / 20.0, h / 10.0 * 0.78,
                           s ? KREIDE : GOLD);
            }
    } else if (name == "ziffernstreifen") {
        // One row per digit, h / 20 high: rows 0..9 the digits across the
        // width, rows 10..19 the same digits in the left half (two of them side
        // by side make a number from 10). Floodlight gold with a soft shadow.
        const double zeile = h / 20.0;
        for (int r = 0; r < 20; ++r) {
            const bool halb = r >= 10;
            const double bw = halb ? w / 2.0 : w, y = r * zeile;
            const std::string t(1, static_cast<char>('0' + r % 10));
            const double g = zeile * (halb ? 0.62 : 0.8);
            text_mitte(c, t, bw / 2.0 + 1, y + zeile / 2.0 + 2, g, NAVY);
            text_mitte(c, t, bw / 2.0, y + zeile / 2.0, g, GOLD);
        }
    } else if (name == "ligabild") {
        // ligabild:<first entry>: the picture of a league by its graphic
        // number (entry - first): a pennant on a pole over a pitch with a
        // ball, the pennant in a colour of its own per number.
        static constexpr u32 WIMPEL[10] = {GOLD,     0xC9D1DA, 0xC98A4B, 0x3FB26B, 0x4A90D9,
                                           0xD9483B, 0x9B6AD6, 0x2FB7B0, 0xE07A2E, 0xA9B4C2};
        const i32 nr = std::clamp(eintrag - std::atoi(a(0, "0").c_str()), 0, 9);
        panel_zeichnen(c, 1.5, 0.5, w - 3, h - 4, 6, KNOPF_OBEN, PANEL, false);
        const double s = std::min(w, h) / 70.0;
        cairo_scale(c, s, s);
        // The pitch: two stripes and a chalk line under the pennant.
        rund_rechteck(c, 8, 46, 54, 14, 3);
        farbe(c, 0x2E7D46);
        cairo_fill(c);
        cairo_rectangle(c, 22, 46, 13, 14);
        farbe(c, 0x287040);
        cairo_fill(c);
        farbe(c, KREIDE, 0.85);
        cairo_set_line_width(c, 1);
        cairo_move_to(c, 35, 46.5);
        cairo_line_to(c, 35, 59.5);
        cairo_stroke(c);
        // The pole and its gold knob.
        farbe(c, KREIDE);
        cairo_set_line_width(c, 2);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(c, 17, 12);
        cairo_line_to(c, 17, 52);
        cairo_stroke(c);
        farbe(c, GOLD);
        cairo_arc(c, 17, 10, 2.5, 0, 2 * PI);
        cairo_fill(c);
        // The pennant, a little wave in it, with a shade along its lower edge.
        cairo_move_to(c, 18, 13);
        cairo_curve_to(c, 32, 11, 44, 19, 58, 21);
        cairo_curve_to(c, 44, 25, 32, 32, 18, 35);
        cairo_close_path(c);
        farbe(c, WIMPEL[nr]);
        cairo_fill_preserve(c);
        farbe(c, KANTE_DUNKEL, 0.8);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        farbe(c, NAVY, 0.25);
        cairo_move_to(c, 18, 29);
        cairo_curve_to(c, 32, 27, 44, 23, 58, 21);
        cairo_curve_to(c, 44, 25, 32, 32, 18, 35);
        cairo_close_path(c);
        cairo_fill(c);
        // A ball on the pitch.
        farbe(c, KREIDE);
        cairo_arc(c, 48, 50, 5, 0, 2 * PI);
        cairo_fill_preserve(c);
        farbe(c, NAVY);
        cairo_set_line_width(c, 0.8);
        cairo_stroke(c);
        stern(c, 48, 50, 2.2);
        cairo_fill(c);
    } else if (name == "kopfleiste") {
        panel_zeichnen(c, 0.5, 0.5, w - 1, h - 4, 4, KNOPF_OBEN, PANEL, false);
        farbe(c, GOLD);
        cairo_rectangle(c, 8, h - 6, w - 16, 1.5);
        cairo_fill(c);
    } else if (name == "seite") {
        // A page background for the pages before and after a match.
        panel_zeichnen(c, 1.5, 0.5, w - 3, h - 4, 6, PANEL, NAVY, false);
        farbe(c, GOLD);
        cairo_rectangle(c, 20, 46, w - 40, 1.5);
        cairo_fill(c);
        if (!a(0).empty()) text_mitte(c, a(0), w / 2.0, 26, 18, KREIDE);
        farbe(c, SEKUNDAER, 0.08);
        for (int i = 0; i < 6; ++i) {
            cairo_rectangle(c, 20, 70 + i * 2 * (h - 110) / 12.0, w - 40, (h - 110) / 12.0);
            cairo_fill(c);
        }
    } else {
        return Rezept_Unbekannt(c, sf, "Rezept", rezept);
    }
    return Cairo_Fertig(c, sf, mit_alpha);
}

}  // namespace resgen
