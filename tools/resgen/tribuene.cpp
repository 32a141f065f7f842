// The stand pictures of the live match view (Cairo), one per stand side and
// level, drawn in the view's projection inside the side's box
// (spielansicht::Tribuene_Kasten) so the view lays them over any pitch
// picture. The terraces carry exactly the rows the crowd is seated on
// (screens/live_view/publikum.cpp): 0.85 m deep, 0.5 m apart in height.
//
// Sides 0..2 (left end, far side, right end): 0 a grass bank behind a white
// rail, 1 plain concrete steps with crush barriers, 2..4 seated stands of 8,
// 10 and 12 rows with a back wall, the highest with a gold band. Sides 3..5
// stand above them: 0 the clubhouse (left end only), 1 two floodlight masts,
// 2..4 a roof over the back rows (3 with lights on its edge, 4 deep with the
// gold band of the bowl), never over a seat, so the crowd drawn later does
// not sit on it.
#include <algorithm>
#include <cstdlib>

#include "graphics/farbe.h"
#include "graphics/rastport.h"
#include "resgen.h"
#include "screens/live_view/projektion.h"

namespace resgen {

namespace {

using spielansicht::Tribuene;

constexpr u32 BETON_HELL = 0x4A5561, BETON_RAND = 0x38414C, BETON_DUNKEL = 0x323A44, WAND = 0x1A2029,
              KANTE = 0x5C6B7D, SITZ = 0x2F5FA8, SITZ_HELL = 0x4F7FC8, GOLD = 0xC9A227, GRAS_WALL = 0x2E5A2A,
              GELAENDER = 0xE8ECEF, DACH = 0x8C98A6, DACH_UNTEN = 0x2A3038, MAST = 0x9AA3AD, LICHT = 0xFFF6D8;

struct Maler {
    cairo_t* c;
    const Tribuene& t;
    spielansicht::Kasten k;

    spielansicht::Punkt p(double a, double d, double z) const {
        const spielansicht::Punkt q = spielansicht::Tribuene_Punkt(spielansicht::VOLL, t, a, d, z);
        return {q.x - k.x, q.y - k.y};
    }
    // A quad from (a1..a2) x (d1, z1) to (d2, z2): a tread when z1 = z2, a
    // wall when d1 = d2.
    void viereck(double a1, double a2, double d1, double d2, double z1, double z2, u32 farbe, double alpha = 1) {
        const spielansicht::Punkt e[4] = {p(a1, d1, z1), p(a2, d1, z1), p(a2, d2, z2), p(a1, d2, z2)};
        cairo_move_to(c, e[0].x, e[0].y);
        for (int i = 1; i < 4; ++i) cairo_line_to(c, e[i].x, e[i].y);
        cairo_close_path(c);
        Farbe_Setzen(c, farbe, alpha);
        cairo_fill(c);
    }
    // A post standing at (a, d) from z1 to z2, `breite` pixels wide.
    void pfosten(double a, double d, double z1, double z2, double breite, u32 farbe) {
        const spielansicht::Punkt u = p(a, d, z1), o = p(a, d, z2);
        cairo_rectangle(c, u.x - breite / 2, o.y, breite, u.y - o.y);
        Farbe_Setzen(c, farbe);
        cairo_fill(c);
    }
    void licht(double a, double d, double z, double r) {
        const spielansicht::Punkt q = p(a, d, z);
        cairo_pattern_t* g = cairo_pattern_create_radial(q.x, q.y, 0, q.x, q.y, r * 3);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.97, 0.85, 0.55);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.97, 0.85, 0);
        cairo_set_source(c, g);
        cairo_arc(c, q.x, q.y, r * 3, 0, 6.2832);
        cairo_fill(c);
        cairo_pattern_destroy(g);
        cairo_rectangle(c, q.x - r, q.y - r * 0.6, 2 * r, 1.2 * r);
        Farbe_Setzen(c, LICHT);
        cairo_fill(c);
    }
};

double reihe_d(const Tribuene& t, double r) { return t.d0 + t.dd * r; }

void grasbank(Maler& m) {
    const Tribuene& t = m.t;
    m.viereck(t.a1, t.a2, reihe_d(t, -3), t.d0, 0, 0, 0x2B3138);
    m.viereck(t.a1, t.a2, t.d0, reihe_d(t, 7), 0, 2.2, GRAS_WALL);
    // A white rail in front of the bank.
    m.viereck(t.a1, t.a2, t.d0 - 0.3 * t.dd / std::abs(t.dd), t.d0 - 0.3 * t.dd / std::abs(t.dd), 0.9, 1.05, GELAENDER);
    for (double a = t.a1 + 1; a < t.a2; a += 3)
        m.pfosten(a, t.d0 - 0.3 * t.dd / std::abs(t.dd), 0, 1.0, 2, GELAENDER);
}

void terrasse(Maler& m, int stufe) {
    const Tribuene& t = m.t;
    const int reihen = spielansicht::TRIBUENE_REIHEN[stufe];
    const double h = spielansicht::REIHE_HOCH_M;
    // The concourse in front of the first row.
    m.viereck(t.a1, t.a2, reihe_d(t, -3.8), t.d0, 0, 0, 0x2B3138);
    for (int r = 0; r < reihen; ++r) {
        const double d = reihe_d(t, r), z = h * r;
        m.viereck(t.a1, t.a2, d, d, z, z + 0.45, r % 2 ? BETON_DUNKEL : BETON_RAND);  // riser
        m.viereck(t.a1, t.a2, d, d + t.dd, z + 0.45, z + 0.45, BETON_HELL);          // tread
        if (stufe >= 2) {
            const u32 farbe = stufe == 4 && r % 3 == 2 ? SITZ_HELL : SITZ;
            m.viereck(t.a1, t.a2, d + t.dd * 0.55, d + t.dd * 0.8, z + 0.45, z + 0.75, farbe);  // seat backs
        } else if (r % 2 == 1) {
            // Crush barriers on the standing steps.
            for (double a = t.a1 + 4 + (r % 4) * 2; a < t.a2 - 2; a += 9)
                m.viereck(a, a + 4, d + t.dd * 0.3, d + t.dd * 0.3, z + 1.35, z + 1.5, MAST);
        }
        // Stairs every twelve seats.
        if (stufe >= 2)
            for (double a = t.a1 + 11.6; a < t.a2; a += 12.05)
                m.viereck(a, a + 0.55, d, d + t.dd, z + 0.46, z + 0.46, 0x6A7583);
    }
    // The back wall, higher for a bigger stand, with its top edge.
    const double d = reihe_d(t, reihen), z = h * reihen + 0.45;
    const double oben = z + (stufe == 1 ? 1.2 : 2.6 + 0.4 * stufe);
    m.viereck(t.a1, t.a2, d, d, z - 0.45, oben, WAND);
    m.viereck(t.a1, t.a2, d, d, oben - 0.3, oben, stufe == 4 ? GOLD : KANTE);
    // The side walls at both ends of the stand.
    for (const double a : {t.a1, t.a2}) {
        const spielansicht::Punkt e[4] = {m.p(a, t.d0, 0), m.p(a, t.d0, 0.8), m.p(a, d, oben), m.p(a, d, 0)};
        cairo_move_to(m.c, e[0].x, e[0].y);
        for (int i = 1; i < 4; ++i) cairo_line_to(m.c, e[i].x, e[i].y);
        cairo_close_path(m.c);
        Farbe_Setzen(m.c, WAND);
        cairo_fill(m.c);
    }
}

void vereinsheim(Maler& m) {
    const Tribuene& t = m.t;
    const double a1 = t.a1 + 22, a2 = a1 + 12, d1 = reihe_d(t, 8), d2 = reihe_d(t, 15);
    m.viereck(a1, a2, d1, d1, 0, 4, 0x8E2F2A);                      // front wall
    m.viereck(a1, a2, d1, (d1 + d2) / 2, 4, 6, 0x3A2A26);           // roof
    for (double a = a1 + 1.2; a < a2 - 1; a += 2.4) m.viereck(a, a + 1.2, d1, d1, 1.6, 2.8, 0xF2D27A);  // windows
}

void masten(Maler& m, int reihen) {
    const Tribuene& t = m.t;
    const double d = reihe_d(t, reihen + 1.5);
    const double laenge = t.a2 - t.a1;
    for (const double a : {t.a1 + laenge * 0.18, t.a2 - laenge * 0.18}) {
        m.pfosten(a, d, 0, 15.5, 4, MAST);
        m.licht(a, d, 15.8, 9);
    }
}

void dach(Maler& m, int stufe) {
    const Tribuene& t = m.t;
    const int reihen = spielansicht::TRIBUENE_REIHEN[stufe];
    const double hinten = reihe_d(t, reihen), z_wand = spielansicht::REIHE_HOCH_M * reihen + 0.45 + 2.6 + 0.4 * stufe;
    const double z = z_wand + 1.5 + 0.5 * (stufe - 2), tief = 2.5 + stufe * 0.6;
    const double ende = reihe_d(t, reihen + tief / spielansicht::REIHE_TIEFE_M);
    // Posts from the wall's top, then the roof sloping back and its front edge.
    for (double a = t.a1 + 2; a < t.a2; a += 14) m.pfosten(a, hinten, z_wand - 0.3, z, 3, DACH_UNTEN);
    m.viereck(t.a1, t.a2, hinten, ende, z, z + 0.8, DACH);
    m.viereck(t.a1, t.a2, hinten, hinten, z - 0.7, z, stufe == 4 ? GOLD : 0xB8C2CC);
    if (stufe >= 3)
        for (double a = t.a1 + 3; a < t.a2 - 1; a += 8) m.licht(a, hinten, z - 0.35, stufe == 4 ? 3 : 2.5);
}

}  // namespace

Rastport* Tribuene_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h) {
    const int seite = arg.empty() ? 0 : std::atoi(arg[0].c_str());
    const int stufe = arg.size() > 1 ? std::atoi(arg[1].c_str()) : 0;
    if (seite < 0 || seite >= spielansicht::TRIBUENE_SEITEN || stufe < 0 || stufe >= spielansicht::TRIBUENE_STUFEN)
        return nullptr;
    const spielansicht::Kasten k = spielansicht::Tribuene_Kasten(seite);
    if (w != k.breite || h != k.hoehe) return nullptr;
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    // Hard edges: the view keys the picture on colour 0.
    cairo_set_antialias(c, CAIRO_ANTIALIAS_NONE);
    Maler m{c, spielansicht::TRIBUENE[seite], k};
    if (seite < 3) {
        if (stufe == 0)
            grasbank(m);
        else
            terrasse(m, stufe);
    } else if (stufe == 0) {
        vereinsheim(m);
    } else if (stufe == 1) {
        masten(m, spielansicht::TRIBUENE_REIHEN[1]);
    } else {
        dach(m, stufe);
    }
    return Cairo_Fertig(c, sf, false);
}

}  // namespace resgen
