// The advertising partners' logos (invented firms, flat, two or three
// colours each): "sponsor:<first entry>" gives partner entry - first entry,
// drawn as a board face with an emblem and the firm's name; the board marks
// of the advertising screen: "werbemarke:bande" (a standard board) and
// "werbemarke:aus" (a kind the offer is not of).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/cp1252.h"
#include "resgen.h"
#include "world/werbung.h"

namespace resgen {

namespace {

constexpr u32 KREIDE = 0xF2F4F0, GOLD = 0xF2B33D, NAVY = 0x0E1A2B, KANTE_HELL = 0x3C5A82;

// Two or three colours a firm: ground, emblem, writing.
struct Marke {
    u32 grund, zeichen, schrift;
    int emblem;  // 0 disc, 1 triangle, 2 wave, 3 star, 4 diamond, 5 bars, 6 ring, 7 leaf
};
constexpr Marke MARKEN[WERBUNG_SPONSOREN] = {
    {0x7A2E2A, 0xF2B33D, 0xF2F4F0, 0}, {0x0E3A5C, 0x7FD1F0, 0xF2F4F0, 3}, {0xF2F4F0, 0xD9483B, 0x16263D, 1},
    {0x2F5D4A, 0xE8E2D0, 0xE8E2D0, 4}, {0x16263D, 0xA9B4C2, 0xF2F4F0, 5}, {0x1F4E8C, 0xF2B33D, 0xF2F4F0, 6},
    {0x4A90D9, 0xF2F4F0, 0xF2F4F0, 2}, {0xD9483B, 0xF2F4F0, 0xF2F4F0, 1}, {0x8A6A48, 0xF2F4F0, 0xF2F4F0, 5},
    {0x3B2417, 0xE0B070, 0xF2E4C8, 0}, {0xF2B33D, 0x16263D, 0x16263D, 3}, {0x5E6B7C, 0xF2B33D, 0xF2F4F0, 5},
    {0xF28C3D, 0xF2F4F0, 0xF2F4F0, 0}, {0x6A3FB2, 0x7FE0C0, 0xF2F4F0, 4}, {0x2E7D46, 0xF2F4F0, 0xF2F4F0, 2},
    {0xF2F4F0, 0x4A90D9, 0x16263D, 7}, {0x0E1A2B, 0x4A90D9, 0xF2F4F0, 6}, {0x2C4870, 0xF2F4F0, 0xF2F4F0, 1},
    {0x3FB26B, 0x16263D, 0x16263D, 7}, {0xB8002E, 0xF2F4F0, 0xF2F4F0, 6}, {0xF2D23D, 0xD9483B, 0x16263D, 3},
    {0x16263D, 0x3FB26B, 0xF2F4F0, 1}, {0x1F4E8C, 0xE8E2D0, 0xE8E2D0, 2}, {0x101010, 0x7FD1F0, 0xF2F4F0, 4},
};

void emblem(cairo_t* c, int art, double cx, double cy, double r, u32 f) {
    Farbe_Setzen(c, f);
    switch (art) {
        case 0: cairo_arc(c, cx, cy, r, 0, 2 * M_PI); cairo_fill(c); break;
        case 1:
            cairo_move_to(c, cx, cy - r), cairo_line_to(c, cx + r, cy + r * 0.8), cairo_line_to(c, cx - r, cy + r * 0.8);
            cairo_close_path(c), cairo_fill(c);
            break;
        case 2:
            cairo_set_line_width(c, r * 0.45);
            for (int i = -1; i <= 1; i += 2) {
                cairo_move_to(c, cx - r, cy + i * r * 0.35);
                cairo_curve_to(c, cx - r * 0.3, cy + i * r * 0.35 - r * 0.6, cx + r * 0.3, cy + i * r * 0.35 + r * 0.6,
                               cx + r, cy + i * r * 0.35);
            }
            cairo_stroke(c);
            break;
        case 3:
            cairo_move_to(c, cx, cy - r);
            for (int i = 1; i < 10; ++i) {
                const double rr = i % 2 ? r * 0.45 : r, w = -M_PI / 2 + i * M_PI / 5;
                cairo_line_to(c, cx + rr * std::cos(w), cy + rr * std::sin(w));
            }
            cairo_close_path(c), cairo_fill(c);
            break;
        case 4:
            cairo_move_to(c, cx, cy - r), cairo_line_to(c, cx + r * 0.8, cy), cairo_line_to(c, cx, cy + r),
                cairo_line_to(c, cx - r * 0.8, cy);
            cairo_close_path(c), cairo_fill(c);
            break;
        case 5:
            for (int i = 0; i < 3; ++i) cairo_rectangle(c, cx - r + i * r * 0.75, cy + r - r * (0.8 + i * 0.6), r * 0.5, r * (0.8 + i * 0.6));
            cairo_fill(c);
            break;
        case 6:
            cairo_set_line_width(c, r * 0.4);
            cairo_arc(c, cx, cy, r * 0.75, 0, 2 * M_PI), cairo_stroke(c);
            break;
        default:
            cairo_move_to(c, cx - r, cy + r * 0.6);
            cairo_curve_to(c, cx - r, cy - r, cx + r * 0.4, cy - r, cx + r, cy - r * 0.8);
            cairo_curve_to(c, cx + r * 0.8, cy + r * 0.2, cx, cy + r, cx - r, cy + r * 0.6);
            cairo_fill(c);
            break;
    }
}

void name_schreiben(cairo_t* c, const std::string& t, double x0, double x1, double cy, double h, u32 f) {
    cairo_set_font_face(c, Cairo_Schrift("DejaVuSansCondensed-Bold.ttf"));
    double groesse = h;
    cairo_text_extents_t e;
    do {
        cairo_set_font_size(c, groesse);
        cairo_text_extents(c, t.c_str(), &e);
        groesse -= 0.5;
    } while (e.width > x1 - x0 && groesse > 5);
    Farbe_Setzen(c, f);
    cairo_move_to(c, x0 + (x1 - x0 - e.width) / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
    cairo_show_text(c, t.c_str());
}

}  // namespace

void Sponsor_Marke(cairo_t* c, int id, double w, double h, bool grund) {
    const Marke& m = MARKEN[std::clamp(id, 0, WERBUNG_SPONSOREN - 1)];
    if (grund) {
        cairo_rectangle(c, 0, 0, w, h);
        Farbe_Setzen(c, m.grund);
        cairo_fill(c);
    }
    emblem(c, m.emblem, h * 0.45, h / 2.0, h * 0.3, m.zeichen);
    name_schreiben(c, Cp1252_To_Utf8(Werbung_Sponsor_Name(std::clamp(id, 0, WERBUNG_SPONSOREN - 1))), h * 0.85, w - 3,
                   h / 2.0, h * 0.42, m.schrift);
}

Rastport* Sponsor_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag) {
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    const std::string art = arg.empty() ? "" : arg[0];
    if (art == "bande") {
        // A standard board: a small panel with a light stripe.
        Rund_Rechteck(c, 1, h * 0.2, w - 2, h * 0.6, 2);
        Farbe_Setzen(c, KANTE_HELL);
        cairo_fill(c);
        cairo_rectangle(c, 3, h * 0.45, w - 6, h * 0.12);
        Farbe_Setzen(c, KREIDE, 0.8);
        cairo_fill(c);
    } else if (art == "band") {
        // The ranking's overlay of a game: green won, red lost, blue drawn,
        // fading to the right.
        const std::string was = arg.size() > 1 ? arg[1] : "remis";
        const u32 f = was == "sieg" ? 0x3FB26B : was == "niederlage" ? 0xD9483B : 0x4A90D9;
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, w, 0);
        cairo_pattern_add_color_stop_rgba(g, 0, ((f >> 16) & 255) / 255.0, ((f >> 8) & 255) / 255.0, (f & 255) / 255.0, 1);
        cairo_pattern_add_color_stop_rgba(g, 1, ((f >> 16) & 255) / 255.0, ((f >> 8) & 255) / 255.0, (f & 255) / 255.0, 0.35);
        Rund_Rechteck(c, 0, 1, w, h - 2, 3);
        cairo_set_source(c, g);
        cairo_fill(c);
        cairo_pattern_destroy(g);
    } else if (art == "medaille") {
        // Places 1..3: a gold, silver or bronze medal on a ribbon.
        const int platz = std::clamp(eintrag - (arg.size() > 1 ? std::atoi(arg[1].c_str()) : eintrag), 0, 2);
        const u32 metall[3] = {0xF2B33D, 0xC9D3DE, 0xC2834A};
        cairo_move_to(c, w * 0.3, 0), cairo_line_to(c, w * 0.5, h * 0.45), cairo_line_to(c, w * 0.7, 0);
        Farbe_Setzen(c, 0xD9483B);
        cairo_set_line_width(c, 3);
        cairo_stroke(c);
        const double r = std::min(w, h) * 0.3;
        cairo_arc(c, w / 2.0, h - r - 1, r, 0, 2 * M_PI);
        Farbe_Setzen(c, metall[platz]);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, NAVY, 0.7);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        const std::string t = std::to_string(platz + 1);
        cairo_set_font_face(c, Cairo_Schrift("DejaVuSans-Bold.ttf"));
        cairo_set_font_size(c, r * 1.2);
        cairo_text_extents_t e;
        cairo_text_extents(c, t.c_str(), &e);
        cairo_move_to(c, w / 2.0 - e.width / 2 - e.x_bearing, h - r - 1 - e.height / 2 - e.y_bearing);
        Farbe_Setzen(c, NAVY);
        cairo_show_text(c, t.c_str());
    } else if (art == "aus") {
        cairo_arc(c, w / 2.0, h / 2.0, std::min(w, h) / 2.0 - 2, 0, 2 * M_PI);
        Farbe_Setzen(c, 0x5E6B7C, 0.7);
        cairo_set_line_width(c, 1.5);
        cairo_stroke(c);
    } else {
        const int id = std::clamp(eintrag - std::atoi(art.c_str()), 0, WERBUNG_SPONSOREN - 1);
        Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, std::min(4.0, h / 5.0));
        Farbe_Setzen(c, MARKEN[id].grund);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, NAVY, 0.6);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        Sponsor_Marke(c, id, w, h);
    }
    (void)GOLD;
    return Cairo_Fertig(c, sf, true);
}

}  // namespace resgen
