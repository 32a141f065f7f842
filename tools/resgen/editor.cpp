// The data editor's pictures (ed:<part>,...): its frame with the two list
// boxes, row markers, edit fields, the chooser's rows, the pages' frames,
// grids, tiles and marks, and the small row buttons.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "resgen.h"

namespace resgen {

namespace {

constexpr u32 NAVY = 0x0E1A2B, PANEL = 0x16263D, KANTE_HELL = 0x3C5A82, KANTE_DUNKEL = 0x0A1320,
              KNOPF_OBEN = 0x23395A, GOLD = 0xF2B33D, KREIDE = 0xF2F4F0, SEKUNDAER = 0xA9B4C2;

// A list box with alternating row bands (rows of `zeile` pixels from `oben`).
void liste(cairo_t* c, double x, double y, double w, double h, double oben, double zeile, int zeilen) {
    Mulde_Malen(c, x, y, w, h);
    for (int i = 1; i < zeilen; i += 2) {
        Farbe_Setzen(c, 0x1C304D, 0.55);
        cairo_rectangle(c, x + 2, oben + i * zeile, w - 4, zeile);
        cairo_fill(c);
    }
}

}  // namespace

Rastport* Editor_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h) {
    auto a = [&](size_t i, const char* standard = "") { return i < arg.size() ? arg[i] : std::string(standard); };
    const std::string teil = a(0);
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    bool mit_alpha = true;
    if (teil == "rahmen") {
        // The main frame at (3, 82): the club list box (rows from y 116),
        // the market rows and the mark below it; the player list box; a
        // gold rule under each list's heads.
        const double oy = 82, ox = 3;
        liste(c, 8 - ox, 112 - oy, 370, 344, 116 - oy, 17, 20);
        Mulde_Malen(c, 8 - ox, 460 - oy, 370, 38);
        Mulde_Malen(c, 8 - ox, 504 - oy, 370, 56, PANEL);
        liste(c, 382 - ox, 112 - oy, 410, 344, 116 - oy, 17, 20);
        Mulde_Malen(c, 382 - ox, 476 - oy, 410, 84, PANEL);
        Gold_Linie_Malen(c, 12 - ox, 114 - oy, 362);
        Gold_Linie_Malen(c, 386 - ox, 114 - oy, 402);
    } else if (teil == "marke") {
        // The chosen row: a gold bar at its left end and a faint band.
        Farbe_Setzen(c, GOLD, 0.16);
        Rund_Rechteck(c, 1, 1, w - 2, h - 2, 3);
        cairo_fill(c);
        Farbe_Setzen(c, GOLD);
        Rund_Rechteck(c, 1, 2, 3, h - 4, 1.5);
        cairo_fill(c);
    } else if (teil == "feld" || teil == "feld2") {
        // An edit field: a sunken box with a gold edge (feld2,an: lit).
        const bool an = a(1) == "an";
        Rund_Rechteck(c, 0.5, 0.5, w - 1, h - 1, 3);
        Farbe_Setzen(c, teil == "feld" || an ? NAVY : PANEL);
        cairo_fill_preserve(c);
        Farbe_Setzen(c, teil == "feld" || an ? GOLD : KANTE_HELL, teil == "feld" || an ? 0.95 : 0.6);
        cairo_set_line_width(c, 1);
        cairo_stroke(c);
    } else if (teil == "wahl") {
        // A row of the nationality chooser (an: pointed, letzte: rounded bottom).
        const bool an = a(1) == "an" || a(2) == "an", letzte = a(1) == "letzte";
        cairo_rectangle(c, 0, 0, w, h - (letzte ? 6 : 0));
        if (letzte) Rund_Rechteck(c, 0, 0, w, h, 6);
        Farbe_Setzen(c, an ? 0x2C4870 : PANEL);
        cairo_fill(c);
        Farbe_Setzen(c, KANTE_HELL, 0.5);
        cairo_rectangle(c, 0, 0, 1, h - 4), cairo_rectangle(c, w - 1, 0, 1, h - 4);
        cairo_fill(c);
        Farbe_Setzen(c, KANTE_DUNKEL);
        cairo_rectangle(c, 6, h - 1, w - 12, 1);
        cairo_fill(c);
        if (an) {
            Farbe_Setzen(c, GOLD);
            cairo_rectangle(c, 2, 3, 3, h - 6);
            cairo_fill(c);
        }
    } else if (teil == "seite") {
        // A page over the editor: a raised panel with a gold rule below its top row.
        Panel_Malen(c, 1.5, 0.5, w - 3, h - 4, 6, KNOPF_OBEN, PANEL);
        Gold_Linie_Malen(c, 16, 140, w - 120);
        Mulde_Malen(c, 12, 6, 94, 110);
    } else if (teil == "raster") {
        // The grid's ground: a sunken box with a title rule.
        Mulde_Malen(c, 0, 0, w, h);
        Gold_Linie_Malen(c, 12, 14, w - 40);
        mit_alpha = false;
    } else if (teil == "zu") {
        // The place of the closed grid: a faint pitch sketch.
        Mulde_Malen(c, 0, 0, w, h, 0x122036);
        Farbe_Setzen(c, SEKUNDAER, 0.18);
        cairo_set_line_width(c, 2);
        Rund_Rechteck(c, w * 0.12, h * 0.16, w * 0.76, h * 0.68, 4);
        cairo_stroke(c);
        cairo_move_to(c, w / 2.0, h * 0.16), cairo_line_to(c, w / 2.0, h * 0.84);
        cairo_stroke(c);
        cairo_arc(c, w / 2.0, h / 2.0, h * 0.14, 0, 2 * M_PI);
        cairo_stroke(c);
    } else if (teil == "tab") {
        // A tab of the crest page (an: the current one, with a gold rule).
        const bool an = a(1) == "an";
        Panel_Malen(c, 1.5, 0.5, w - 3, h - 4, 6, an ? 0x2C4870 : KNOPF_OBEN, PANEL);
        if (an) {
            Farbe_Setzen(c, GOLD);
            Rund_Rechteck(c, 10, 24, w - 20, 2, 1);
            cairo_fill(c);
        }
    } else if (teil == "zelle") {
        // A grid cell (hover: only its gold outline).
        if (a(1) == "hover") {
            Rund_Rechteck(c, 1, 1, w - 2, h - 2, 5);
            Farbe_Setzen(c, GOLD);
            cairo_set_line_width(c, 2);
            cairo_stroke(c);
        } else {
            Panel_Malen(c, 0.5, 0.5, w - 2, h - 3, 5, KNOPF_OBEN, PANEL);
        }
    } else if (teil == "rahmenmarke") {
        // The selected field's row on the look page: a gold outline.
        Rund_Rechteck(c, 1, 1, w - 2, h - 2, 4);
        Farbe_Setzen(c, GOLD);
        cairo_set_line_width(c, 1.5);
        cairo_stroke(c);
    } else if (teil == "symbol") {
        // Row buttons: a small shield (the crest page) or a head (the look page).
        cairo_set_line_width(c, 1.5);
        Farbe_Setzen(c, a(1) == "wappen" ? GOLD : KREIDE, 0.9);
        if (a(1) == "wappen") {
            cairo_move_to(c, 1.5, 1.5), cairo_line_to(c, w - 1.5, 1.5), cairo_line_to(c, w - 1.5, h * 0.5);
            cairo_curve_to(c, w - 1.5, h * 0.8, w / 2.0, h - 1, w / 2.0, h - 1);
            cairo_curve_to(c, w / 2.0, h - 1, 1.5, h * 0.8, 1.5, h * 0.5);
            cairo_close_path(c);
            cairo_stroke(c);
        } else {
            cairo_arc(c, w / 2.0, h * 0.36, w * 0.26, 0, 2 * M_PI);
            cairo_stroke(c);
            cairo_arc(c, w / 2.0, h + 1, w * 0.45, M_PI, 2 * M_PI);
            cairo_stroke(c);
        }
    } else if (teil == "tausch") {
        // Another club marked: two arrows, one over the other.
        cairo_set_line_width(c, 1.5);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        Farbe_Setzen(c, GOLD);
        cairo_move_to(c, 2, h * 0.33), cairo_line_to(c, w - 2, h * 0.33), cairo_line_to(c, w - 5, h * 0.33 - 3);
        cairo_move_to(c, w - 2, h * 0.67), cairo_line_to(c, 2, h * 0.67), cairo_line_to(c, 5, h * 0.67 + 3);
        cairo_stroke(c);
    } else if (teil == "raster_knopf") {
        // The grid button: a raised button with a 3 x 3 dot grid.
        const bool gedrueckt = a(1) == "gedrueckt";
        Panel_Malen(c, 1.5, 0.5, w - 3, h - 4, 3, gedrueckt ? PANEL : KNOPF_OBEN, gedrueckt ? KNOPF_OBEN : PANEL);
        Farbe_Setzen(c, gedrueckt ? GOLD : KREIDE);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                cairo_rectangle(c, w / 2.0 - 6 + 5 * x, (h - 4) / 2.0 - 6 + 5 * y, 3, 3);
                cairo_fill(c);
            }
    } else if (teil == "undo") {
        // The undo button: a raised button with a turning arrow.
        const bool gedrueckt = a(1) == "gedrueckt";
        Panel_Malen(c, 1.5, 0.5, w - 3, h - 4, 3, gedrueckt ? PANEL : KNOPF_OBEN, gedrueckt ? KNOPF_OBEN : PANEL);
        Farbe_Setzen(c, gedrueckt ? GOLD : KREIDE);
        cairo_set_line_width(c, 2);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        const double cx = w / 2.0, cy = (h - 4) / 2.0;
        cairo_arc(c, cx, cy, 5.5, M_PI * 0.9, M_PI * 2.4);
        cairo_stroke(c);
        cairo_move_to(c, cx - 8, cy - 3), cairo_line_to(c, cx - 5.5, cy + 1), cairo_line_to(c, cx - 1.5, cy - 2);
        cairo_stroke(c);
    } else {
        return Rezept_Unbekannt(c, sf, "Editor-Rezept", teil);
    }
    return Cairo_Fertig(c, sf, mit_alpha);
}

}  // namespace resgen
