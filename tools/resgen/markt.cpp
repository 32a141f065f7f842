// The transfer market's pictures (Cairo): the transfer screen's frame and
// rows, the scouts' portraits, the negotiation window and its price bar, the
// scouting screen's frames, the world map of the fifteen areas (each area a
// picture of the whole map size holding only its own shape, so the areas
// stacked make the map and each is hit only on its shape), the continents,
// the search bar, the log box and the turning globe of the journey.
#include <cmath>
#include <cstdlib>
#include <string>

#include "resgen.h"

namespace resgen {

namespace {

constexpr u32 NAVY = 0x0E1A2B, PANEL = 0x16263D, KANTE_HELL = 0x3C5A82, KANTE_DUNKEL = 0x0A1320,
              KNOPF_OBEN = 0x23395A, GOLD = 0xF2B33D, KREIDE = 0xF2F4F0, KREIDE_2 = 0xA9B4C2, GUT = 0x3FB26B,
              SCHLECHT = 0xD9483B, MEER = 0x12304A, LAND = 0x2E7D46, LAND_DUNKEL = 0x1F4F30;
constexpr int KOPF_H = 86;  // the main menu's header band (its date ends at y 83)

struct Punkt {
    double x, y;
};
// The areas on a 620 x 160 map, by continent number (Europe drawn larger
// than it is, so that its six areas can be told apart and hit).
struct Gebiet {
    int n;
    Punkt p[12];
};
const Gebiet GEBIETE[15] = {
    {7, {{290, 42}, {310, 36}, {330, 40}, {335, 55}, {318, 62}, {300, 60}, {292, 52}}},           // Mitteleuropa
    {6, {{270, 58}, {290, 52}, {300, 60}, {298, 75}, {280, 80}, {268, 72}}},                      // Westeuropa
    {10, {{280, 80}, {298, 75}, {300, 62}, {318, 62}, {335, 58}, {355, 64}, {350, 75}, {325, 78}, {305, 82}, {290, 86}}},
    {6, {{250, 30}, {262, 24}, {268, 36}, {262, 50}, {250, 48}, {246, 40}}},                      // Britische Inseln
    {8, {{290, 10}, {320, 6}, {345, 12}, {340, 30}, {325, 38}, {310, 30}, {300, 40}, {292, 28}}},  // Nordeuropa
    {8, {{340, 30}, {345, 12}, {390, 10}, {400, 35}, {390, 60}, {360, 62}, {335, 55}, {330, 40}}},  // Osteuropa
    {8, {{150, 100}, {175, 98}, {195, 112}, {185, 130}, {170, 152}, {160, 155}, {155, 130}, {145, 112}}},
    {8, {{105, 75}, {130, 62}, {150, 70}, {145, 85}, {160, 95}, {150, 100}, {130, 90}, {115, 85}}},
    {10, {{20, 20}, {90, 8}, {150, 15}, {175, 35}, {160, 55}, {130, 62}, {105, 75}, {80, 70}, {50, 55}, {25, 40}}},
    {6, {{262, 108}, {290, 110}, {320, 112}, {318, 125}, {295, 128}, {272, 122}}},                // Westafrika
    {8, {{270, 92}, {300, 88}, {340, 86}, {365, 90}, {368, 105}, {330, 110}, {290, 108}, {268, 104}}},
    {7, {{320, 112}, {345, 110}, {360, 120}, {352, 140}, {335, 155}, {322, 140}, {318, 125}}},
    {7, {{360, 66}, {392, 62}, {415, 72}, {410, 92}, {385, 100}, {368, 90}, {355, 76}}},          // Naher Osten
    {10, {{400, 35}, {390, 10}, {470, 8}, {540, 20}, {560, 45}, {530, 70}, {490, 85}, {450, 80}, {415, 72}, {392, 62}}},
    {7, {{500, 105}, {540, 100}, {570, 110}, {575, 130}, {545, 145}, {510, 140}, {495, 125}}},    // Ozeanien
};
// The area icons' picture pairs from entry 164 on, by continent.
const int PAAR_KONTINENT[15] = {3, 4, 6, 5, 7, 8, 12, 14, 13, 9, 11, 2, 1, 0, 10};

void flaeche(cairo_t* c, const Gebiet& g, double sx, double sy, double dx, double dy) {
    cairo_move_to(c, dx + g.p[0].x * sx, dy + g.p[0].y * sy);
    for (int i = 1; i < g.n; ++i) cairo_line_to(c, dx + g.p[i].x * sx, dy + g.p[i].y * sy);
    cairo_close_path(c);
}

void gebiet_malen(cairo_t* c, int k, double sx, double sy, double dx, double dy, u32 fuell, u32 kante) {
    flaeche(c, GEBIETE[k], sx, sy, dx, dy);
    Farbe_Setzen(c, fuell);
    cairo_fill_preserve(c);
    Farbe_Setzen(c, kante);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
}

void text(cairo_t* c, const std::string& t, double x, double y, double groesse, u32 f) {
    cairo_set_font_face(c, Cairo_Schrift("DejaVuSans-Bold.ttf"));
    cairo_set_font_size(c, groesse);
    cairo_move_to(c, x, y);
    Farbe_Setzen(c, f);
    cairo_show_text(c, t.c_str());
}

// The sea of the map with faint meridians, at (x, y) in w x h.
void meer(cairo_t* c, double x, double y, double w, double h) {
    Mulde_Malen(c, x, y, w, h, MEER);
    Farbe_Setzen(c, KANTE_HELL, 0.25);
    for (int i = 1; i < 12; ++i) cairo_rectangle(c, x + w * i / 12.0, y + 2, 1, h - 4);
    for (int i = 1; i < 4; ++i) cairo_rectangle(c, x + 2, y + h * i / 4.0, w - 4, 1);
    cairo_fill(c);
}

// A scout's portrait: jacket, head, hair, each scout his own look.
void scout(cairo_t* c, int s, double w, double h) {
    static const u32 HAUT[4] = {0xE8B992, 0xD9A066, 0xA86B3C, 0xF0C8A8};
    static const u32 HAAR[4] = {0x8A8A8A, 0x2B1A10, 0x101010, 0xD8B860};
    static const u32 JACKE[4] = {0x3C5A82, 0x6B2B2B, 0x2E5A3A, 0x4A4A6A};
    Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, w / 16);
    Farbe_Setzen(c, KNOPF_OBEN);
    cairo_fill_preserve(c);
    Farbe_Setzen(c, KANTE_HELL);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
    const double cx = w / 2, k = w / 100.0;
    // Shoulders and jacket with a gold scarf.
    cairo_move_to(c, cx - 40 * k, h - 1);
    cairo_curve_to(c, cx - 40 * k, h - 40 * k, cx - 20 * k, h - 45 * k, cx, h - 45 * k);
    cairo_curve_to(c, cx + 20 * k, h - 45 * k, cx + 40 * k, h - 40 * k, cx + 40 * k, h - 1);
    cairo_close_path(c);
    Farbe_Setzen(c, JACKE[s & 3]);
    cairo_fill(c);
    cairo_rectangle(c, cx - 6 * k, h - 45 * k, 12 * k, 30 * k);
    Farbe_Setzen(c, GOLD);
    cairo_fill(c);
    // Head.
    cairo_arc(c, cx, h - 68 * k, 22 * k, 0, 2 * M_PI);
    Farbe_Setzen(c, HAUT[s & 3]);
    cairo_fill(c);
    // Hair (a cap for the third).
    if ((s & 3) == 2) {
        cairo_arc(c, cx, h - 74 * k, 23 * k, M_PI, 2 * M_PI);
        Farbe_Setzen(c, 0x23395A);
        cairo_fill(c);
        cairo_rectangle(c, cx - 2 * k, h - 76 * k, 30 * k, 5 * k);
        cairo_fill(c);
    } else {
        cairo_arc(c, cx, h - 72 * k, 23 * k, M_PI * 1.05, M_PI * 1.95);
        Farbe_Setzen(c, HAAR[s & 3]);
        cairo_set_line_width(c, 9 * k);
        cairo_stroke(c);
    }
    // Eyes and a calm mouth.
    Farbe_Setzen(c, NAVY);
    cairo_arc(c, cx - 8 * k, h - 70 * k, 2.2 * k, 0, 2 * M_PI);
    cairo_fill(c);
    cairo_arc(c, cx + 8 * k, h - 70 * k, 2.2 * k, 0, 2 * M_PI);
    cairo_fill(c);
    cairo_set_line_width(c, 1.5 * k);
    cairo_move_to(c, cx - 6 * k, h - 58 * k);
    cairo_line_to(c, cx + 6 * k, h - 58 * k);
    cairo_stroke(c);
    // Binoculars on the chest.
    Farbe_Setzen(c, 0x1A1A1A);
    cairo_arc(c, cx - 7 * k, h - 22 * k, 5 * k, 0, 2 * M_PI);
    cairo_arc(c, cx + 7 * k, h - 22 * k, 5 * k, 0, 2 * M_PI);
    cairo_fill(c);
}

}  // namespace

Rastport* Markt_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag) {
    const std::string art = arg.empty() ? "" : arg[0];
    const std::string zwei = arg.size() > 1 ? arg[1] : "";
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    bool ok = true;
    if (art == "transfer") {
        // Own squad left, the transfer window right, the scout's corner below it.
        Panel_Malen(c, 0.5, 0.5, w - 2, h - 4, 6, PANEL, PANEL);
        Farbe_Setzen(c, KNOPF_OBEN);
        cairo_rectangle(c, 6, 8, w - 14, 18);
        cairo_fill(c);
        Gold_Linie_Malen(c, 6, 26, w - 14);
        Mulde_Malen(c, 4, 48, 390, 346);
        Mulde_Malen(c, 4, 376, 390, 57);
        Mulde_Malen(c, 397, 48, 390, 192);
        Mulde_Malen(c, 397, 318, 390, 124);
        Mulde_Malen(c, 397, 450, 390, 22);  // the scout's find
    } else if (art == "zeile") {
        Farbe_Setzen(c, 0x1C304D, 0.55);
        cairo_rectangle(c, 0, 1, w, h - 2);
        cairo_fill(c);
    } else if (art == "scout") {
        scout(c, eintrag >= 159 ? eintrag - 159 : eintrag - 27, w, h);
    } else if (art == "verhandlung") {
        Panel_Malen(c, 0.5, 0.5, w - 2, h - 4, 6, PANEL, PANEL);
        Gold_Linie_Malen(c, 12, 34, w - 24);
        Mulde_Malen(c, 20, 62, 92, 108);                  // the face
        Mulde_Malen(c, 480, 84, 260, 56);                 // the bid with its caption
        Mulde_Malen(c, 470, 204, 250, 28, KNOPF_OBEN);    // the price bar's rail
        Mulde_Malen(c, 6, 326, 740, 64);                  // the accounts
        Mulde_Malen(c, 6, 398, 600, 28, KNOPF_OBEN);      // the balance afterwards
    } else if (art == "balken") {
        if (zwei == "grund") {
            Mulde_Malen(c, 0, 0, w, h);
        } else {
            cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, w, 0);
            const u32 a = zwei == "gebot" ? GUT : SCHLECHT, b = zwei == "gebot" ? 0x7FD89A : GOLD;
            cairo_pattern_add_color_stop_rgb(g, 0, ((a >> 16) & 255) / 255.0, ((a >> 8) & 255) / 255.0, (a & 255) / 255.0);
            cairo_pattern_add_color_stop_rgb(g, 1, ((b >> 16) & 255) / 255.0, ((b >> 8) & 255) / 255.0, (b & 255) / 255.0);
            Rund_Rechteck(c, 1, 3, w - 2, h - 6, 3);
            cairo_set_source(c, g);
            cairo_fill(c);
            cairo_pattern_destroy(g);
        }
    } else if (art == "suche" || art == "reise") {
        // The scouting screen: stage 1 and 2 (the map) and stage 3 (the journey).
        // The header band above the panel stays clear: the main menu's
        // header (logo, club, balance, date) shows through it.
        Farbe_Setzen(c, NAVY);
        cairo_rectangle(c, 0, KOPF_H, w, h - KOPF_H);
        cairo_fill(c);
        // The panel ends under its lowest content (the hint under the map's
        // rows, the prospect's card): no empty band at its foot.
        Panel_Malen(c, 20, 92, 760, 406, 8, PANEL, PANEL);
        Gold_Linie_Malen(c, 36, 176, 728);
        Mulde_Malen(c, 226, 108, 64, 74, KNOPF_OBEN);  // the scout's portrait
        if (art == "suche") {
            meer(c, 33, 184, 624, 164);
            Mulde_Malen(c, 34, 352, 312, 100, KANTE_DUNKEL);
        } else {
            Mulde_Malen(c, 90, 240, 482, 112);
            Mulde_Malen(c, 560, 184, 100, 60, MEER);
        }
    } else if (art == "gebiet") {
        const int paar = (eintrag - 164) / 2;
        const bool an = (eintrag - 164) % 2 == 1;
        if (paar < 0 || paar >= 15) ok = false;
        else gebiet_malen(c, PAAR_KONTINENT[paar], 1, 1, 0, 0, an ? GOLD : LAND, an ? 0xFFE7A8 : LAND_DUNKEL);
    } else if (art == "kontinent") {
        const int k = eintrag - 194;
        meer(c, 0, 0, w, h);
        for (int i = 0; i < 15; ++i)
            gebiet_malen(c, i, w / 620.0, h / 160.0, 0, 0, i == k ? GOLD : LAND_DUNKEL, i == k ? 0xFFE7A8 : KANTE_DUNKEL);
    } else if (art == "kontinent_klein" || art == "heimkehr") {
        meer(c, 0, 0, w, h);
        if (art == "heimkehr") {
            text(c, "\u2713", w / 2.0 - 9, h / 2.0 + 9, 26, GUT);
        } else {
            const Gebiet& g = GEBIETE[(eintrag - 210 + 15) % 15];
            double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
            for (int i = 0; i < g.n; ++i)
                x0 = std::fmin(x0, g.p[i].x), y0 = std::fmin(y0, g.p[i].y), x1 = std::fmax(x1, g.p[i].x),
                y1 = std::fmax(y1, g.p[i].y);
            const double s = std::fmin((w - 12) / (x1 - x0), (h - 12) / (y1 - y0));
            gebiet_malen(c, (eintrag - 210 + 15) % 15, s, s, (w - (x1 - x0) * s) / 2 - x0 * s,
                         (h - (y1 - y0) * s) / 2 - y0 * s, GOLD, 0xFFE7A8);
        }
    } else if (art == "fortschritt") {
        Mulde_Malen(c, 0, 0, w, h);
        if (zwei == "voll") {
            Rund_Rechteck(c, 2, 3, w - 4, h - 6, 3);
            Farbe_Setzen(c, GOLD);
            cairo_fill(c);
        }
    } else if (art == "log") {
        Mulde_Malen(c, 0, 0, w, h);
    } else if (art == "globus") {
        // A globe turning once in the 50 pictures of the loop.
        const double t = (eintrag - 625) / 50.0, cx = w / 2.0, cy = h / 2.0, r = h / 2.0 - 3;
        cairo_arc(c, cx, cy, r, 0, 2 * M_PI);
        Farbe_Setzen(c, MEER);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, KANTE_HELL);
        cairo_set_line_width(c, 1.5);
        cairo_stroke(c);
        cairo_save(c);
        cairo_arc(c, cx, cy, r - 1, 0, 2 * M_PI);
        cairo_clip(c);
        for (int i = 0; i < 6; ++i) {
            const double phase = std::fmod(t + i / 6.0, 1.0) * 2 * M_PI;
            const double x = cx - r * std::cos(phase);
            if (std::sin(phase) < 0) continue;
            Farbe_Setzen(c, LAND);
            cairo_arc(c, x, cy - r * 0.3 + (i % 3) * r * 0.25, r * 0.28, 0, 2 * M_PI);
            cairo_fill(c);
        }
        cairo_restore(c);
        Farbe_Setzen(c, GOLD);
        cairo_arc(c, cx + r * 0.55, cy - r * 0.55, 3, 0, 2 * M_PI);
        cairo_fill(c);
    } else {
        ok = false;
    }
    (void)KREIDE_2;
    (void)KREIDE;
    cairo_destroy(c);
    Rastport* rp = ok ? Aus_Cairo(sf, true) : nullptr;
    cairo_surface_destroy(sf);
    return rp;
}

}  // namespace resgen
