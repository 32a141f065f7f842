// Pictures around a running match (Cairo): the in-match line-up and tactics
// windows ("imspiel:<kind>") and the pre-match picture's background, overlay,
// shirt-number sheets, shadows and the kit blocks of figures ("vorspiel:<kind>").
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "resgen.h"
#include "world/trikot.h"

namespace resgen {

namespace {

constexpr u32 NAVY = 0x0E1A2B, PANEL = 0x16263D, KANTE_HELL = 0x3C5A82, KANTE_DUNKEL = 0x0A1320,
              KNOPF_OBEN = 0x23395A, GOLD = 0xF2B33D, KREIDE = 0xF2F4F0, SEKUNDAER = 0xA9B4C2, GUT = 0x3FB26B,
              SCHLECHT = 0xD9483B, RASEN_1 = 0x2E7D46, RASEN_2 = 0x287040, LINIE = 0xEEF2EA, HAUT = 0xC68B62,
              HAAR = 0x2A1C14;

void verlauf(cairo_t* c, double y0, double y1, u32 oben, u32 unten) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(g, 0, ((oben >> 16) & 255) / 255.0, ((oben >> 8) & 255) / 255.0, (oben & 255) / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, ((unten >> 16) & 255) / 255.0, ((unten >> 8) & 255) / 255.0,
                                     (unten & 255) / 255.0);
    cairo_set_source(c, g);
    cairo_fill(c);
    cairo_pattern_destroy(g);
}

// A panel: soft shadow, gradient, light top edge, dark lower edge.
void fenster(cairo_t* c, double w, double h) {
    Rund_Rechteck(c, 2, 3, w - 4, h - 4, 6);
    Farbe_Setzen(c, NAVY, 0.4);
    cairo_fill(c);
    Rund_Rechteck(c, 1.5, 0.5, w - 3, h - 4, 6);
    verlauf(c, 0, h, KNOPF_OBEN, PANEL);
    Rund_Rechteck(c, 1.5, 0.5, w - 3, h - 4, 6);
    Farbe_Setzen(c, KANTE_DUNKEL);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
    Farbe_Setzen(c, KANTE_HELL);
    cairo_rectangle(c, 7, 1, w - 14, 1);
    cairo_fill(c);
}

void text(cairo_t* c, const std::string& t, double x, double y, double groesse, u32 f, bool fett, bool mitte = true,
          double breite = 0, bool umriss = false) {
    cairo_set_font_face(c, Cairo_Schrift(fett ? "DejaVuSansCondensed-Bold.ttf" : "DejaVuSans.ttf"));
    cairo_set_font_size(c, groesse);
    cairo_text_extents_t e;
    cairo_text_extents(c, t.c_str(), &e);
    cairo_save(c);
    double sx = 1;
    if (breite > 0 && e.x_advance > breite) sx = breite / e.x_advance;
    cairo_translate(c, mitte ? x - e.x_advance * sx / 2 : x, y - e.height / 2 - e.y_bearing);
    cairo_scale(c, sx, 1);
    cairo_move_to(c, 0, 0);
    if (umriss) {
        // A dark edge keeps a chalk number readable on a light shirt.
        cairo_text_path(c, t.c_str());
        cairo_set_line_width(c, std::max(1.0, groesse / 8));
        Farbe_Setzen(c, NAVY, 0.9);
        cairo_stroke_preserve(c);
        Farbe_Setzen(c, f);
        cairo_fill(c);
    } else {
        Farbe_Setzen(c, f);
        cairo_show_text(c, t.c_str());
    }
    cairo_restore(c);
}

void linie(cairo_t* c, double x0, double y0, double x1, double y1, double b, u32 f, double a = 1) {
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(c, b);
    cairo_move_to(c, x0, y0);
    cairo_line_to(c, x1, y1);
    Farbe_Setzen(c, f, a);
    cairo_stroke(c);
}

// The small upright pitch of the line-up window (own goal at the bottom).
void kleines_feld(cairo_t* c, double x, double y, double w, double h) {
    for (int i = 0; i < 10; ++i) {
        cairo_rectangle(c, x, y + i * h / 10, w, h / 10 + 0.5);
        Farbe_Setzen(c, i % 2 ? RASEN_2 : RASEN_1);
        cairo_fill(c);
    }
    cairo_set_line_width(c, 1);
    Farbe_Setzen(c, LINIE, 0.85);
    cairo_rectangle(c, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(c);
    cairo_move_to(c, x, y + h / 2);
    cairo_line_to(c, x + w, y + h / 2);
    cairo_stroke(c);
    cairo_arc(c, x + w / 2, y + h / 2, w * 0.13, 0, 2 * M_PI);
    cairo_stroke(c);
    const double sw = w * 0.59, sh = h * 0.15, tw = w * 0.27, th = h * 0.05;
    cairo_rectangle(c, x + (w - sw) / 2 + 0.5, y + 0.5, sw, sh);
    cairo_rectangle(c, x + (w - sw) / 2 + 0.5, y + h - sh - 0.5, sw, sh);
    cairo_rectangle(c, x + (w - tw) / 2 + 0.5, y + 0.5, tw, th);
    cairo_rectangle(c, x + (w - tw) / 2 + 0.5, y + h - th - 0.5, tw, th);
    cairo_stroke(c);
    // The own goal: a gold mark below the pitch.
    Farbe_Setzen(c, GOLD);
    cairo_rectangle(c, x + w / 2 - 11, y + h + 1, 22, 2);
    cairo_fill(c);
}

// A toggle box at the left of a wide transparent picture.
void schaltkasten(cairo_t* c, double h, bool an) {
    Rund_Rechteck(c, 1.5, 1.5, h - 3, h - 3, 3);
    Farbe_Setzen(c, NAVY);
    cairo_fill_preserve(c);
    cairo_set_line_width(c, 1);
    Farbe_Setzen(c, an ? GOLD : KANTE_HELL);
    cairo_stroke(c);
    if (an) {
        Rund_Rechteck(c, 4.5, 4.5, h - 9, h - 9, 2);
        Farbe_Setzen(c, GOLD);
        cairo_fill(c);
    }
}

// --- Footballer figures of the pre-match picture -----------------------------------------

// One figure seen from behind, filling w x h: head, shirt in the kit's
// pattern, shorts, socks, boots. With `maske` everything is drawn white
// (the picture's alpha plane).
void figur(cairo_t* c, double w, double h, const Trikot_Def& t, bool torwart, bool maske, u32 einfarbig = 0xFFFFFFFF) {
    const double m = w / 2, s = h / 80.0;
    auto f = [&](u32 rgb) { Farbe_Setzen(c, einfarbig != 0xFFFFFFFF ? einfarbig : maske ? 0xFFFFFF : rgb); };
    maske = maske || einfarbig != 0xFFFFFFFF;
    const u32 hemd = torwart ? 0x2C8A7A : t.hemd, hemd2 = torwart ? 0x1E5F55 : t.hemd2;
    // Legs and socks.
    for (int seite = -1; seite <= 1; seite += 2) {
        const double bx = m + seite * 6 * s;
        cairo_rectangle(c, bx - 3.6 * s, 50 * s, 7.2 * s, 12 * s);
        f(HAUT);
        cairo_fill(c);
        cairo_rectangle(c, bx - 3.8 * s, 60 * s, 7.6 * s, 15 * s);
        f(t.stutzen);
        cairo_fill(c);
        Rund_Rechteck(c, bx - 4.5 * s, 74 * s, 9 * s, 5 * s, 2 * s);
        f(0x111111);
        cairo_fill(c);
    }
    // Shorts.
    Rund_Rechteck(c, m - 12 * s, 42 * s, 24 * s, 12 * s, 2.5 * s);
    f(torwart ? 0x1B2430 : t.hose);
    cairo_fill(c);
    // Arms.
    for (int seite = -1; seite <= 1; seite += 2) {
        cairo_save(c);
        cairo_translate(c, m + seite * 14 * s, 19 * s);
        cairo_rotate(c, seite * 0.18);
        Rund_Rechteck(c, -3.5 * s, 0, 7 * s, 25 * s, 3.5 * s);
        f(HAUT);
        cairo_fill(c);
        Rund_Rechteck(c, -4 * s, 0, 8 * s, 10 * s, 3 * s);
        f(hemd2);
        cairo_fill(c);
        cairo_restore(c);
    }
    // Shirt.
    cairo_new_path(c);
    cairo_move_to(c, m - 14 * s, 18 * s);
    cairo_curve_to(c, m - 8 * s, 15 * s, m + 8 * s, 15 * s, m + 14 * s, 18 * s);
    cairo_line_to(c, m + 12.5 * s, 45 * s);
    cairo_line_to(c, m - 12.5 * s, 45 * s);
    cairo_close_path(c);
    f(hemd);
    cairo_fill_preserve(c);
    if (!maske && !torwart && t.muster != 0) {
        cairo_save(c);
        cairo_clip(c);
        Farbe_Setzen(c, hemd2);
        if (t.muster == 1)
            for (double x = m - 14 * s; x < m + 14 * s; x += 7 * s) cairo_rectangle(c, x + 2 * s, 0, 3.5 * s, h);
        else if (t.muster == 2)
            for (double y = 18 * s; y < 46 * s; y += 8 * s) cairo_rectangle(c, 0, y + 2 * s, w, 4 * s);
        else if (t.muster == 3)
            cairo_rectangle(c, m, 0, w, h);
        else {
            cairo_move_to(c, m - 16 * s, 20 * s);
            cairo_line_to(c, m - 8 * s, 16 * s);
            cairo_line_to(c, m + 16 * s, 42 * s);
            cairo_line_to(c, m + 8 * s, 46 * s);
            cairo_close_path(c);
        }
        cairo_fill(c);
        cairo_restore(c);
    }
    cairo_new_path(c);
    if (!maske) {
        // Soft shading from the floodlights at the left.
        cairo_pattern_t* g = cairo_pattern_create_linear(m - 14 * s, 0, m + 14 * s, 0);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.12);
        cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0.25);
        cairo_rectangle(c, m - 14 * s, 16 * s, 28 * s, 30 * s);
        cairo_set_source(c, g);
        cairo_fill(c);
        cairo_pattern_destroy(g);
    }
    // Neck and head (the back of the head: hair).
    cairo_rectangle(c, m - 3 * s, 11 * s, 6 * s, 6 * s);
    f(HAUT);
    cairo_fill(c);
    cairo_arc(c, m, 8 * s, 6.5 * s, 0, 2 * M_PI);
    f(HAUT);
    cairo_fill(c);
    cairo_arc(c, m, 7 * s, 6.3 * s, M_PI * 0.95, M_PI * 2.05);
    cairo_line_to(c, m + 6 * s, 11 * s);
    cairo_line_to(c, m - 6 * s, 11 * s);
    cairo_close_path(c);
    f(HAAR);
    cairo_fill(c);
}

// Width and height of the figure pictures of a kit block by entry 1..6.
struct Groesse {
    int w, h;
};
constexpr Groesse FIGUR_GROESSE[7] = {{0, 0}, {56, 80}, {56, 80}, {31, 44}, {37, 50}, {39, 58}, {47, 70}};

Rastport* vorspiel_hintergrund(i32 w, i32 h) {
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    cairo_rectangle(c, 0, 0, w, h);
    verlauf(c, 0, h, 0x0B1522, NAVY);
    // Stands behind the far goal: dark tiers with a speckled crowd.
    cairo_rectangle(c, 0, 118, w, 80);
    verlauf(c, 118, 198, 0x1A2B42, 0x101C2C);
    u32 z = 17;
    for (int i = 0; i < 2600; ++i) {
        z = Streuen(z + static_cast<u32>(i));
        const double x = z % static_cast<u32>(w), y = 124 + (z >> 12) % 70;
        const u32 farben[5] = {0x8A97A8, 0xB8573F, 0x3D6BA8, 0xD9C27A, 0x5E6B7C};
        Farbe_Setzen(c, farben[(z >> 20) % 5], 0.35 + 0.3 * ((z >> 8) % 3) / 2.0);
        cairo_rectangle(c, x, y, 2, 2);
        cairo_fill(c);
    }
    // Floodlight masts with a glow.
    for (double mx : {70.0, 730.0}) {
        cairo_pattern_t* g = cairo_pattern_create_radial(mx, 112, 2, mx, 112, 90);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.95, 0.8, 0.55);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.95, 0.8, 0);
        cairo_arc(c, mx, 112, 90, 0, 2 * M_PI);
        cairo_set_source(c, g);
        cairo_fill(c);
        cairo_pattern_destroy(g);
        linie(c, mx, 112, mx, 198, 3, 0x33445C);
        Rund_Rechteck(c, mx - 14, 104, 28, 10, 2);
        Farbe_Setzen(c, 0xF7F0D8);
        cairo_fill(c);
    }
    // The pitch in perspective: the far goal line at y 200, the near one at 490.
    auto rand_x = [](double y, bool rechts) {
        const double t = (y - 200) / 290.0;
        return rechts ? 555 + t * (770 - 555) : 245 - t * (245 - 30);
    };
    for (int i = 0; i < 12; ++i) {
        // Mowing stripes that widen towards the camera.
        const double t0 = i / 12.0, t1 = (i + 1) / 12.0;
        const double y0 = 200 + 290 * t0 * t0 * 0.4 + 290 * t0 * 0.6, y1 = 200 + 290 * t1 * t1 * 0.4 + 290 * t1 * 0.6;
        cairo_move_to(c, rand_x(y0, false) - 30, y0);
        cairo_line_to(c, rand_x(y0, true) + 30, y0);
        cairo_line_to(c, rand_x(y1, true) + 30, y1);
        cairo_line_to(c, rand_x(y1, false) - 30, y1);
        cairo_close_path(c);
        Farbe_Setzen(c, i % 2 ? RASEN_2 : RASEN_1);
        cairo_fill(c);
    }
    cairo_rectangle(c, 0, 490, w, h - 490);
    verlauf(c, 490, h, 0x21583A, 0x0E1A2B);
    // Chalk lines: touch lines, goal lines, halfway line, penalty areas.
    cairo_set_line_width(c, 2);
    Farbe_Setzen(c, LINIE, 0.9);
    cairo_move_to(c, rand_x(200, false), 200);
    cairo_line_to(c, rand_x(200, true), 200);
    cairo_line_to(c, rand_x(490, true), 490);
    cairo_line_to(c, rand_x(490, false), 490);
    cairo_close_path(c);
    cairo_stroke(c);
    const double ym = 200 + 290 * 0.25 * 0.4 + 290 * 0.5 * 0.6 - 5;
    cairo_move_to(c, rand_x(ym, false), ym);
    cairo_line_to(c, rand_x(ym, true), ym);
    cairo_stroke(c);
    cairo_save(c);
    cairo_translate(c, 400, ym);
    cairo_scale(c, 1, 0.3);
    cairo_arc(c, 0, 0, 60, 0, 2 * M_PI);
    cairo_restore(c);
    cairo_stroke(c);
    // Penalty areas far and near.
    cairo_move_to(c, 330, 200), cairo_line_to(c, 325, 222), cairo_line_to(c, 475, 222), cairo_line_to(c, 470, 200);
    cairo_stroke(c);
    cairo_move_to(c, 250, 490), cairo_line_to(c, 262, 430), cairo_line_to(c, 538, 430), cairo_line_to(c, 550, 490);
    cairo_stroke(c);
    // The far goal.
    cairo_set_line_width(c, 2.5);
    Farbe_Setzen(c, 0xFFFFFF);
    cairo_move_to(c, 372, 200), cairo_line_to(c, 372, 183), cairo_line_to(c, 428, 183), cairo_line_to(c, 428, 200);
    cairo_stroke(c);
    // Header: a panel band with a gold rule at the top where crests, names
    // and formations go, and the band for the labels.
    cairo_rectangle(c, 0, 0, w, 112);
    verlauf(c, 0, 112, 0x1C304D, NAVY);
    Farbe_Setzen(c, GOLD, 0.9);
    cairo_rectangle(c, 24, 110, w - 48, 1.5);
    cairo_fill(c);
    text(c, "VS", 400, 55, 28, GOLD, true);
    return Cairo_Fertig(c, sf, false);
}

// The near goal's net in front of the keeper (colour) or its alpha plane.
Rastport* vorspiel_overlay(i32 w, i32 h, bool alpha) {
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    if (alpha) {
        Farbe_Setzen(c, 0x000000);
        cairo_paint(c);
    }
    const u32 f = 0xFFFFFF;
    const double a_netz = alpha ? 0.45 : 1, a_pfosten = 1;
    cairo_set_line_width(c, 1);
    for (double x = 4; x < w - 4; x += 7) linie(c, x, 4, x, h, 1, alpha ? f : 0xDDE3EA, a_netz);
    for (double y = 6; y < h; y += 7) linie(c, 4, y, w - 4, y, 1, alpha ? f : 0xDDE3EA, a_netz);
    linie(c, 3, 2, 3, h, 5, alpha ? f : 0xF7F9FA, a_pfosten);
    linie(c, w - 3, 2, w - 3, h, 5, alpha ? f : 0xF7F9FA, a_pfosten);
    return Cairo_Fertig(c, sf, false);
}

// A shirt-number sheet: one column, number n at y = H - n * dh (1..99,
// every number a squad wears).
Rastport* vorspiel_nummern(i32 w, i32 h) {
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    const double dh = h / 99.0;
    for (int n = 1; n <= 99; ++n)
        text(c, std::to_string(n), w / 2.0, h - n * dh + dh / 2, dh * 0.9, KREIDE, true, true, w - 1, true);
    return Cairo_Fertig(c, sf, true);
}

// A shadow's alpha plane: a soft ellipse at the feet, falling to the right.
Rastport* vorspiel_schatten(i32 w, i32 h) {
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    Farbe_Setzen(c, 0x000000);
    cairo_paint(c);
    cairo_save(c);
    cairo_translate(c, w * 0.62, h * 0.95);
    cairo_scale(c, w * 0.45, h * 0.06);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.6);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
    cairo_arc(c, 0, 0, 1, 0, 2 * M_PI);
    cairo_set_source(c, g);
    cairo_fill(c);
    cairo_pattern_destroy(g);
    cairo_restore(c);
    return Cairo_Fertig(c, sf, false);
}

// Entry j of kit k's block: 0 the kit (shirt and shorts), 1..6 the figures,
// 7..12 their alpha planes (white on black).
Rastport* vorspiel_trikot(i32 w, i32 h, i32 eintrag) {
    const i32 k = (eintrag - TRIKOT_BILD_ERSTER) / TRIKOT_BILD_BLOCK, j = (eintrag - TRIKOT_BILD_ERSTER) % TRIKOT_BILD_BLOCK;
    const Trikot_Def* t = Trikot_Get_TrikotStructure(k);
    if (!t) return nullptr;
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    if (j == 0) {
        // The kit: a shirt over shorts, filling the picture.
        const double s = std::min(w / 88.0, h / 88.0);
        cairo_translate(c, (w - 88 * s) / 2, (h - 88 * s) / 2);
        cairo_move_to(c, 22 * s, 8 * s), cairo_line_to(c, 36 * s, 4 * s), cairo_line_to(c, 52 * s, 4 * s);
        cairo_line_to(c, 66 * s, 8 * s), cairo_line_to(c, 84 * s, 26 * s), cairo_line_to(c, 74 * s, 38 * s);
        cairo_line_to(c, 66 * s, 32 * s), cairo_line_to(c, 66 * s, 66 * s), cairo_line_to(c, 22 * s, 66 * s);
        cairo_line_to(c, 22 * s, 32 * s), cairo_line_to(c, 14 * s, 38 * s), cairo_line_to(c, 4 * s, 26 * s);
        cairo_close_path(c);
        Farbe_Setzen(c, t->hemd);
        cairo_fill_preserve(c);
        cairo_save(c);
        cairo_clip(c);
        Farbe_Setzen(c, t->hemd2);
        if (t->muster == 1)
            for (double x = 24 * s; x < 66 * s; x += 12 * s) cairo_rectangle(c, x, 0, 6 * s, h);
        else if (t->muster == 2)
            for (double y = 12 * s; y < 66 * s; y += 14 * s) cairo_rectangle(c, 0, y, w, 7 * s);
        else if (t->muster == 3)
            cairo_rectangle(c, 44 * s, 0, w, h);
        else if (t->muster == 4) {
            cairo_move_to(c, 22 * s, 14 * s), cairo_line_to(c, 34 * s, 8 * s), cairo_line_to(c, 66 * s, 60 * s);
            cairo_line_to(c, 54 * s, 66 * s);
            cairo_close_path(c);
        }
        cairo_fill(c);
        cairo_restore(c);
        Rund_Rechteck(c, 24 * s, 68 * s, 40 * s, 18 * s, 3 * s);
        Farbe_Setzen(c, t->hose);
        cairo_fill(c);
        return Cairo_Fertig(c, sf, true);
    }
    const bool maske = j >= 7;
    const int f = maske ? j - 6 : j;
    if (maske) {
        Farbe_Setzen(c, 0x000000);
        cairo_paint(c);
    }
    // Every picture of a block has the block's size; a figure stands at
    // the top-left in the size of its row group (the number layouts count
    // from that corner).
    // A 1 px darker outline: the silhouette one pixel off to every side
    // under the figure (the alpha plane takes it in as well).
    const double fw = FIGUR_GROESSE[f].w - 2, fh = FIGUR_GROESSE[f].h - 2;
    for (const auto& [dx, dy] : {std::pair{0, 1}, {2, 1}, {1, 0}, {1, 2}}) {
        cairo_save(c);
        cairo_translate(c, dx, dy);
        figur(c, fw, fh, *t, false, maske, maske ? 0xFFFFFF : 0x0A0F16);
        cairo_restore(c);
    }
    cairo_save(c);
    cairo_translate(c, 1, 1);
    figur(c, fw, fh, *t, false, maske);
    cairo_restore(c);
    return Cairo_Fertig(c, sf, !maske);
}

}  // namespace

Rastport* Im_Spiel_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h) {
    const std::string art = arg.empty() ? "" : arg[0];
    const bool an = arg.size() > 1 && (arg[1] == "an" || arg[1] == "gedrueckt");
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    if (art == "liste") {
        fenster(c, w, h);
        // The column heads' band and the bench's band.
        Rund_Rechteck(c, 6, 4, w - 12, 17, 3);
        Farbe_Setzen(c, NAVY, 0.6);
        cairo_fill(c);
        Farbe_Setzen(c, GOLD, 0.8);
        cairo_rectangle(c, 8, 44, w - 16, 1);
        cairo_rectangle(c, 8, 252, w - 16, 1);
        cairo_fill(c);
    } else if (art == "feld") {
        fenster(c, w, h);
        Farbe_Setzen(c, GOLD, 0.8);
        cairo_rectangle(c, 8, 22, w - 16, 1);
        cairo_fill(c);
        kleines_feld(c, 12, 27, 153, 257);
    } else if (art == "zeile") {
        // A list row: a faint band, the marked row in gold.
        Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, 3);
        Farbe_Setzen(c, an ? GOLD : KANTE_HELL, an ? 0.3 : 0.12);
        cairo_fill_preserve(c);
        if (an) {
            Farbe_Setzen(c, GOLD, 0.9);
            cairo_set_line_width(c, 1);
            cairo_stroke(c);
        }
        cairo_new_path(c);
    } else if (art == "schalter") {
        schaltkasten(c, h, an);
    } else if (art == "raus" || art == "rein") {
        // Arrows: going off (red, down), coming on (green, up).
        const bool rein = art == "rein";
        const double m = w / 2.0;
        cairo_move_to(c, m, rein ? 1 : h - 1);
        cairo_line_to(c, w - 1, h / 2.0);
        cairo_line_to(c, m + 2, h / 2.0);
        cairo_line_to(c, m + 2, rein ? h - 1 : 1);
        cairo_line_to(c, m - 2, rein ? h - 1 : 1);
        cairo_line_to(c, m - 2, h / 2.0);
        cairo_line_to(c, 1, h / 2.0);
        cairo_close_path(c);
        Farbe_Setzen(c, rein ? GUT : SCHLECHT);
        cairo_fill(c);
    } else if (art == "rot" || art == "gelbrot") {
        Rund_Rechteck(c, w * 0.25, 1, w * 0.5, h - 2, 1);
        Farbe_Setzen(c, SCHLECHT);
        cairo_fill(c);
        if (art == "gelbrot") {
            Rund_Rechteck(c, w * 0.1, 2, w * 0.45, h - 4, 1);
            Farbe_Setzen(c, 0xF2D03D);
            cairo_fill(c);
        }
    } else if (art == "platz") {
        cairo_arc(c, w / 2.0, h / 2.0, std::min(w, h) / 2.0 - 2, 0, 2 * M_PI);
        Farbe_Setzen(c, GUT);
        cairo_fill(c);
    } else if (art == "verletzt") {
        cairo_rectangle(c, w / 2.0 - 1.5, 1, 3, h - 2);
        cairo_rectangle(c, 1, h / 2.0 - 1.5, w - 2, 3);
        Farbe_Setzen(c, SCHLECHT);
        cairo_fill(c);
    } else if (art == "taktik") {
        fenster(c, w, h);
    } else if (art == "balken") {
        Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, 2);
        Farbe_Setzen(c, NAVY);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, KANTE_HELL);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
    } else if (art == "fuellung") {
        cairo_rectangle(c, 0, 0, w, h);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, w, 0);
        cairo_pattern_add_color_stop_rgb(g, 0, 0xB0 / 255.0, 0x7E / 255.0, 0x20 / 255.0);
        cairo_pattern_add_color_stop_rgb(g, 1, 0xF2 / 255.0, 0xB3 / 255.0, 0x3D / 255.0);
        cairo_set_source(c, g);
        cairo_fill(c);
        cairo_pattern_destroy(g);
    } else if (art == "plus" || art == "minus") {
        Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, 3);
        verlauf(c, 0, h, an ? PANEL : KNOPF_OBEN, an ? KNOPF_OBEN : PANEL);
        Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, 3);
        Farbe_Setzen(c, KANTE_HELL);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
        linie(c, 4.5, h / 2.0, w - 4.5, h / 2.0, 2, an ? GOLD : KREIDE);
        if (art == "plus") linie(c, w / 2.0, 4.5, w / 2.0, h - 4.5, 2, an ? GOLD : KREIDE);
    } else {
        std::fprintf(stderr, "resgen: unbekanntes Bild im Spiel \"%s\"\n", art.c_str());
        cairo_destroy(c);
        cairo_surface_destroy(sf);
        return nullptr;
    }
    (void)SEKUNDAER;
    return Cairo_Fertig(c, sf, true);
}

Rastport* Vorspiel_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h, i32 eintrag) {
    const std::string art = arg.empty() ? "" : arg[0];
    if (art == "hintergrund") return vorspiel_hintergrund(w, h);
    if (art == "overlay") return vorspiel_overlay(w, h, false);
    if (art == "overlay_alpha") return vorspiel_overlay(w, h, true);
    if (art == "nummern") return vorspiel_nummern(w, h);
    if (art == "schatten") return vorspiel_schatten(w, h);
    if (art == "trikot") {
        if (eintrag < TRIKOT_BILD_ERSTER || w < FIGUR_GROESSE[1].w || h < FIGUR_GROESSE[1].h) {
            std::fprintf(stderr, "resgen: Trikotbild %d: mindestens %dx%d\n", eintrag, FIGUR_GROESSE[1].w,
                         FIGUR_GROESSE[1].h);
            return nullptr;
        }
        return vorspiel_trikot(w, h, eintrag);
    }
    std::fprintf(stderr, "resgen: unbekanntes Bild vor dem Spiel \"%s\"\n", art.c_str());
    return nullptr;
}

}  // namespace resgen
