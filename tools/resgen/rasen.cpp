// The pitch pictures of the live match view (Cairo): the pitch of a stadium
// kind drawn in the view's own projection (screens/live_view/projektion.h),
// so that the figures stand on its lines. Mown stripes across the length,
// the run-off around it, the chalk lines, the two goals with their nets and
// shadows, and the dark bowl where the view puts the stand pictures (its
// stadium's stands by side and level, tribuene.cpp) over it.
#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "graphics/farbe.h"
#include "graphics/rastport.h"
#include "resgen.h"
#include "screens/live_view/projektion.h"

namespace resgen {

namespace {

using spielansicht::Massstab;

// Grass tones of the seven stadium kinds (light stripe, dark stripe):
// from a village meadow to a floodlit arena.
constexpr u32 STREIFEN[7][2] = {{0x4F8A3A, 0x457D33}, {0x3F8A45, 0x377C3D}, {0x3C8746, 0x33793E}, {0x388A4A, 0x2F7B41},
                                {0x358C4D, 0x2C7C44}, {0x328E50, 0x297E46}, {0x2F9153, 0x268049}};
constexpr u32 KREIDE = 0xF4F6F0, SCHUESSEL = 0x1E2A33, NETZ = 0xE6E9EE;

// The picture point of a pitch point in metres (x along, y across, z up).
struct P {
    double x, y;
};
P punkt(const Massstab& m, double X, double Y, double Z = 0) {
    const double a = X * m.laenge / spielansicht::PLATZ_LAENGE_M;
    const double b = (spielansicht::PLATZ_BREITE_M - Y) * m.weite / spielansicht::PLATZ_BREITE_M;
    const double h = Z * m.weite / spielansicht::PLATZ_BREITE_M * 4.0;
    return {(a + b) * 4.0 + m.ursprung_x, a - b - h + m.ursprung_y};
}

void linie(cairo_t* c, const Massstab& m, double x1, double y1, double x2, double y2, double z1 = 0, double z2 = 0) {
    const P a = punkt(m, x1, y1, z1), b = punkt(m, x2, y2, z2);
    cairo_move_to(c, a.x, a.y);
    cairo_line_to(c, b.x, b.y);
}

// A closed polygon of ground points.
void flaeche(cairo_t* c, const Massstab& m, std::initializer_list<P> ecken) {
    bool erst = true;
    for (const P& e : ecken) {
        const P p = punkt(m, e.x, e.y);
        if (erst) cairo_move_to(c, p.x, p.y);
        else cairo_line_to(c, p.x, p.y);
        erst = false;
    }
    cairo_close_path(c);
}

// An arc of a circle on the ground (centre, radius, angles in radians).
void bogen(cairo_t* c, const Massstab& m, double cx, double cy, double r, double von, double bis) {
    const int n = 48;
    for (int i = 0; i <= n; ++i) {
        const double w = von + (bis - von) * i / n;
        const P p = punkt(m, cx + r * std::cos(w), cy + r * std::sin(w));
        if (i == 0) cairo_move_to(c, p.x, p.y);
        else cairo_line_to(c, p.x, p.y);
    }
}

void kreidelinien(cairo_t* c, const Massstab& m, double s) {
    const double L = spielansicht::PLATZ_LAENGE_M, B = spielansicht::PLATZ_BREITE_M, MY = B / 2;
    Farbe_Setzen(c, KREIDE, 0.92);
    cairo_set_line_width(c, 2.2 * s);
    cairo_set_line_join(c, CAIRO_LINE_JOIN_MITER);
    flaeche(c, m, {{0, 0}, {L, 0}, {L, B}, {0, B}});
    cairo_stroke(c);
    linie(c, m, L / 2, 0, L / 2, B);
    cairo_stroke(c);
    bogen(c, m, L / 2, MY, 9.15, 0, 2 * M_PI);
    cairo_stroke(c);
    for (int seite = 0; seite < 2; ++seite) {
        const double x0 = seite ? L : 0, r = seite ? -1 : 1;
        flaeche(c, m, {{x0, MY - 20.16}, {x0 + r * 16.5, MY - 20.16}, {x0 + r * 16.5, MY + 20.16}, {x0, MY + 20.16}});
        cairo_stroke(c);
        flaeche(c, m, {{x0, MY - 9.16}, {x0 + r * 5.5, MY - 9.16}, {x0 + r * 5.5, MY + 9.16}, {x0, MY + 9.16}});
        cairo_stroke(c);
        // The arc outside the penalty area (9.15 m around the spot).
        const double w = std::acos(5.5 / 9.15);
        if (seite) bogen(c, m, L - 11, MY, 9.15, M_PI - w, M_PI + w);
        else bogen(c, m, 11, MY, 9.15, -w, w);
        cairo_stroke(c);
        for (int ecke = 0; ecke < 2; ++ecke) {
            const double y0 = ecke ? B : 0, q = ecke ? -1 : 1;
            bogen(c, m, x0, y0, 1.0, seite ? (q > 0 ? M_PI / 2 : M_PI) : (q > 0 ? 0 : -M_PI / 2),
                  seite ? (q > 0 ? M_PI : 1.5 * M_PI) : (q > 0 ? M_PI / 2 : 0));
            cairo_stroke(c);
        }
    }
    // Spots.
    for (double x : {11.0, L / 2, L - 11.0}) {
        const P p = punkt(m, x, MY);
        cairo_save(c);
        cairo_translate(c, p.x, p.y);
        cairo_scale(c, 4, 1);
        cairo_arc(c, 0, 0, 1.6 * s, 0, 2 * M_PI);
        cairo_restore(c);
        cairo_fill(c);
    }
}

// The parts of a goal: its shadow on the grass; what stands behind a
// figure inside it (back net, far side net, far post); what stands in front
// (roof net, near side net, near post, crossbar). The view draws the front
// of the left goal (seen from the pitch) and the whole right goal (seen from
// behind its net) over the figures, so the pitch picture keeps only the rest.
enum : int { TOR_SCHATTEN = 1, TOR_HINTEN = 2, TOR_VORNE = 4 };

// A goal: posts 7.32 m apart, crossbar 2.44 m, a net 2 m deep behind.
void tor(cairo_t* c, const Massstab& m, bool rechts, double s, int teile) {
    const double L = spielansicht::PLATZ_LAENGE_M, MY = spielansicht::PLATZ_BREITE_M / 2;
    const double x = rechts ? L : 0, hinten = rechts ? L + spielansicht::TOR_TIEFE_M : -spielansicht::TOR_TIEFE_M;
    const double y1 = MY - spielansicht::TOR_BREITE_M / 2, y2 = MY + spielansicht::TOR_BREITE_M / 2,
                 z = spielansicht::TOR_HOEHE_M;
    if (teile & TOR_SCHATTEN) {
        // Shadow on the grass, cast towards the lower right.
        Farbe_Setzen(c, 0x000000, 0.18);
        flaeche(c, m,
                {{x, y1}, {hinten + (rechts ? 0.6 : -0.6), y1 - 0.8}, {hinten + (rechts ? 0.6 : -0.6), y2 - 0.8}, {x, y2}});
        cairo_fill(c);
    }
    // The net as a fine mesh (y1 is the far side, y2 the near one).
    Farbe_Setzen(c, NETZ, 0.45);
    cairo_set_line_width(c, 0.8 * s);
    for (int i = 0; i <= 24; ++i) {
        const double y = y1 + (y2 - y1) * i / 24;
        if (teile & TOR_HINTEN) linie(c, m, hinten, y, hinten, y, 0, z * 0.8);
        if (teile & TOR_VORNE) linie(c, m, x, y, hinten, y, z, z * 0.8);
    }
    for (int i = 0; i <= 8; ++i) {
        const double h = z * 0.8 * i / 8;
        if (teile & TOR_HINTEN) linie(c, m, hinten, y1, hinten, y2, h, h), linie(c, m, x, y1, hinten, y1, h * 1.25, h);
        if (teile & TOR_VORNE) linie(c, m, x, y2, hinten, y2, h * 1.25, h);
    }
    cairo_stroke(c);
    // Posts and crossbar.
    Farbe_Setzen(c, 0xFFFFFF);
    cairo_set_line_width(c, 3.0 * s);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    if (teile & TOR_HINTEN) linie(c, m, x, y1, x, y1, 0, z);
    if (teile & TOR_VORNE) linie(c, m, x, y2, x, y2, 0, z), linie(c, m, x, y1, x, y2, z, z);
    cairo_stroke(c);
}

// A straight (not premultiplied) picture with its alpha plane: the view
// blends it over whatever stands beneath it. Pixels fainter than `schwelle`
// stay empty.
Rastport* mit_alpha(cairo_surface_t* sf, i32 w, i32 h, u32 schwelle) {
    cairo_surface_flush(sf);
    Rastport* rp = Rastport_Neu_Einfach(w, h, 16);
    if (!rp) return nullptr;
    rp->alpha.assign(static_cast<size_t>(w) * h, 0);
    const u8* d = cairo_image_surface_get_data(sf);
    const i32 stride = cairo_image_surface_get_stride(sf);
    u16* p = rp->bitmap->pixel16();
    for (i32 y = 0; y < h; ++y)
        for (i32 x = 0; x < w; ++x) {
            u32 px;
            std::memcpy(&px, d + static_cast<size_t>(y) * stride + 4 * x, 4);
            const u32 a = px >> 24;
            const size_t i = static_cast<size_t>(y) * w + x;
            if (a < schwelle) continue;
            auto kanal = [&](int sh) { return static_cast<int>(std::min<u32>(255, ((px >> sh) & 255) * 255 / a)); };
            const u16 v = Farbe_Pack_565(kanal(16), kanal(8), kanal(0));
            p[i] = v ? v : 0x0001;
            rp->alpha[i] = static_cast<u8>(a);
        }
    return rp;
}

}  // namespace

Rastport* Rasen_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h) {
    const int art = arg.empty() ? 0 : std::atoi(arg[0].c_str()) % 7;
    const bool halb = arg.size() > 1 && arg[1] == "halb";
    const Massstab& m = halb ? spielansicht::HALB : spielansicht::VOLL;
    if (w != m.breite || h != m.hoehe) return nullptr;
    const double s = halb ? 0.5 : 1.0;
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    // The bowl the stand pictures are drawn over (rasen_tribuenen.res).
    Farbe_Setzen(c, SCHUESSEL);
    cairo_paint(c);
    // Run-off grass 4 m around the pitch, then stripes 5.4 m wide along the length.
    const double L = spielansicht::PLATZ_LAENGE_M, B = spielansicht::PLATZ_BREITE_M;
    Farbe_Setzen(c, STREIFEN[art][1]);
    flaeche(c, m, {{-6, -4}, {L + 6, -4}, {L + 6, B + 4}, {-6, B + 4}});
    cairo_fill(c);
    for (int i = 0; i < 20; ++i) {
        Farbe_Setzen(c, STREIFEN[art][i % 2]);
        flaeche(c, m, {{L * i / 20, 0}, {L * (i + 1) / 20, 0}, {L * (i + 1) / 20, B}, {L * i / 20, B}});
        cairo_fill(c);
    }
    // Wear in the goal mouths.
    for (double x : {0.0, L}) {
        const P p = punkt(m, x + (x > 0 ? -4 : 4), B / 2);
        cairo_pattern_t* g = cairo_pattern_create_radial(p.x, p.y, 0, p.x, p.y, 180 * s);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.45, 0.38, 0.22, 0.35);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.45, 0.38, 0.22, 0);
        cairo_save(c);
        cairo_translate(c, p.x, p.y);
        cairo_scale(c, 1, 0.3);
        cairo_translate(c, -p.x, -p.y);
        cairo_set_source(c, g);
        cairo_paint(c);
        cairo_restore(c);
        cairo_pattern_destroy(g);
    }
    kreidelinien(c, m, s);
    tor(c, m, false, s, TOR_SCHATTEN | TOR_HINTEN);
    tor(c, m, true, s, TOR_SCHATTEN);
    cairo_destroy(c);
    cairo_surface_flush(sf);
    Rastport* rp = Aus_Cairo(sf, false);
    cairo_surface_destroy(sf);
    return rp;
}

Rastport* Tor_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h) {
    const bool rechts = !arg.empty() && arg[0] == "rechts";
    const bool halb = arg.size() > 1 && arg[1] == "halb";
    const Massstab& m = halb ? spielansicht::HALB : spielansicht::VOLL;
    const spielansicht::Kasten k = spielansicht::Tor_Kasten(m, rechts);
    if (w != k.breite || h != k.hoehe) return nullptr;
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    cairo_translate(c, -k.x, -k.y);
    tor(c, m, rechts, halb ? 0.5 : 1.0, rechts ? TOR_HINTEN | TOR_VORNE : TOR_VORNE);
    cairo_destroy(c);
    // Straight (not premultiplied) colours with their alpha: the view blends
    // the piece over whatever stands beneath it.
    Rastport* rp = mit_alpha(sf, w, h, 8);
    cairo_surface_destroy(sf);
    return rp;
}

}  // namespace resgen

namespace resgen {

namespace {

// The ground plane (metres, z = 0) as one affine map onto the picture: a
// figure drawn in metres under this matrix lies where the view projects it.
void boden_matrix(cairo_t* c, const Massstab& m) {
    const double l = m.laenge / spielansicht::PLATZ_LAENGE_M, w = m.weite / spielansicht::PLATZ_BREITE_M;
    cairo_matrix_t mx;
    cairo_matrix_init(&mx, 4 * l, l, -4 * w, w, 4 * m.weite + m.ursprung_x, -m.weite + m.ursprung_y);
    cairo_transform(c, &mx);
}


// A soft round pool on the ground (metres), alpha falling to 0 at r.
void pool(cairo_t* c, double x, double y, double r, u32 farbe, double alpha) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    const double R = ((farbe >> 16) & 255) / 255.0, G = ((farbe >> 8) & 255) / 255.0, B = (farbe & 255) / 255.0;
    cairo_pattern_add_color_stop_rgba(g, 0, R, G, B, alpha);
    cairo_pattern_add_color_stop_rgba(g, 0.55, R, G, B, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(g, 1, R, G, B, 0);
    cairo_set_source(c, g);
    cairo_arc(c, x, y, r, 0, 2 * M_PI);
    cairo_fill(c);
    cairo_pattern_destroy(g);
}

}  // namespace

// The light over the grass of a group of stadium kinds (0 the small
// grounds, 2 the floodlit ones, 4 the arenas): the linesmen's worn tracks
// (each runs one half of one touchline), the path from the tunnel, and by
// group the dusk, the four corner masts' pools of light, the far roof's
// shadow and the arena's sheen.
Rastport* Rasen_Licht_Zeichnen(const std::vector<std::string>& arg, i32 w, i32 h) {
    const int gruppe = (arg.empty() ? 0 : std::atoi(arg[0].c_str())) / 2;
    const bool halb = arg.size() > 1 && arg[1] == "halb";
    const Massstab& m = halb ? spielansicht::HALB : spielansicht::VOLL;
    if (w != m.breite || h != m.hoehe || gruppe < 0 || gruppe > 2) return nullptr;
    const double L = spielansicht::PLATZ_LAENGE_M, B = spielansicht::PLATZ_BREITE_M;
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    boden_matrix(c, m);
    // Only the grass: the bowl and the stands keep their own light.
    cairo_rectangle(c, -6, -4, L + 12, B + 8);
    cairo_clip(c);
    // Dusk over a ground without lights: the far side darker.
    if (gruppe == 0) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, -8, 0, B + 4);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.05, 0.10, 0.17, 0.30);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.05, 0.10, 0.17, 0.0);
        cairo_set_source(c, g);
        cairo_rectangle(c, -6, -8, L + 12, B + 12);
        cairo_fill(c);
        cairo_pattern_destroy(g);
    }
    // The arena's far roof throws its shadow over the far strip.
    if (gruppe == 2) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, -4, 0, 14);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.03, 0.06, 0.10, 0.42);
        cairo_pattern_add_color_stop_rgba(g, 0.6, 0.03, 0.06, 0.10, 0.20);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.03, 0.06, 0.10, 0.0);
        cairo_set_source(c, g);
        cairo_rectangle(c, -6, -4, L + 12, 18);
        cairo_fill(c);
        cairo_pattern_destroy(g);
        pool(c, L / 2, B / 2, 62, 0xFFF6D8, 0.10);
    }
    // Pools of the corner masts (floodlit grounds and arenas).
    if (gruppe >= 1)
        for (const double x : {-8.0, L + 8})
            for (const double y : {-10.0, B + 10}) pool(c, x + (x < 0 ? 22 : -22), y + (y < 0 ? 14 : -14), 38, 0xFFF3D0, gruppe == 1 ? 0.16 : 0.12);
    // The linesmen's tracks: the far touchline's right half, the near one's left half.
    const double abrieb = gruppe == 0 ? 0.34 : gruppe == 1 ? 0.22 : 0.12;
    Farbe_Setzen(c, 0x8A7448, abrieb);
    cairo_rectangle(c, L / 2 - 2, -1.7, L / 2 + 4, 1.1);
    cairo_rectangle(c, -2, B + 0.6, L / 2 + 4, 1.1);
    cairo_fill(c);
    // The path from the tunnel onto the pitch (the gap of the far boards).
    pool(c, (spielansicht::TUNNEL_MITTE_M), -1.2, 3.2, 0x8A7448, abrieb);
    cairo_destroy(c);
    Rastport* rp = mit_alpha(sf, w, h, 3);
    cairo_surface_destroy(sf);
    return rp;
}

namespace {

constexpr u32 T_WAND = 0x2A3442, T_FRONT = 0x354357, T_DACH = 0x56677A, T_DUNKEL = 0x0B1220, T_GOLD = 0xF2B33D,
              T_SITZ = 0x2F5FA8, T_SITZ_HELL = 0x4F7FC8, T_PLEXI = 0xA9CDE6, T_STAHL = 0x9AA3AD, T_HELL = 0xC8D1DA;

// A point of the tunnel picture (full scale, metres).
spielansicht::Punkt tp(double x, double y, double z) {
    const spielansicht::Punkt p = spielansicht::Projektion(spielansicht::VOLL, false, x * 100, y * 100, z * 100);
    return {p.x - spielansicht::TUNNEL_X, p.y - spielansicht::TUNNEL_Y};
}
void viereck(cairo_t* c, std::initializer_list<spielansicht::Punkt> e) {
    bool erst = true;
    for (const spielansicht::Punkt& p : e) {
        if (erst) cairo_move_to(c, p.x, p.y);
        else cairo_line_to(c, p.x, p.y);
        erst = false;
    }
    cairo_close_path(c);
}
// A box (x1..x2, y1..y2, z1..z2): its top, its face to the pitch (y2) and
// its right end (x2), the faces the camera sees.
void kiste(cairo_t* c, double x1, double x2, double y1, double y2, double z1, double z2, u32 oben, u32 vorn,
           u32 seite) {
    Farbe_Setzen(c, seite);
    viereck(c, {tp(x2, y1, z1), tp(x2, y2, z1), tp(x2, y2, z2), tp(x2, y1, z2)});
    cairo_fill(c);
    Farbe_Setzen(c, vorn);
    viereck(c, {tp(x1, y2, z1), tp(x2, y2, z1), tp(x2, y2, z2), tp(x1, y2, z2)});
    cairo_fill(c);
    Farbe_Setzen(c, oben);
    viereck(c, {tp(x1, y1, z2), tp(x2, y1, z2), tp(x2, y2, z2), tp(x1, y2, z2)});
    cairo_fill(c);
}

// A dugout: floor, back wall, two rows of seats, a perspex roof and side
// panels through which the seats show.
void bank(cairo_t* c, double x1, double x2) {
    const double hinten = -6.9, vorn = -4.3;
    Farbe_Setzen(c, 0x1A2029);
    viereck(c, {tp(x1 - 0.3, hinten, 0), tp(x2 + 0.3, hinten, 0), tp(x2 + 0.5, vorn + 0.4, 0), tp(x1 - 0.3, vorn + 0.4, 0)});
    cairo_fill(c);
    kiste(c, x1, x2, hinten, hinten + 0.25, 0, 2.5, T_STAHL, T_WAND, T_WAND);
    for (int r = 0; r < 2; ++r) {
        const double y = hinten + 0.7 + r * 0.95, z = 0.45 - r * 0.05;
        for (double x = x1 + 0.2; x + 0.45 < x2; x += 0.55)
            kiste(c, x, x + 0.45, y, y + 0.45, z, z + 0.55 - r * 0.08, (r ? T_SITZ_HELL : T_SITZ), T_SITZ, 0x24497F);
    }
    // The roof and the right side as perspex: every other pixel, the seats between.
    cairo_surface_t* muster = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 2);
    {
        cairo_t* m = cairo_create(muster);
        Farbe_Setzen(m, T_PLEXI);
        cairo_rectangle(m, 0, 0, 1, 1);
        cairo_rectangle(m, 1, 1, 1, 1);
        cairo_fill(m);
        cairo_destroy(m);
    }
    cairo_pattern_t* p = cairo_pattern_create_for_surface(muster);
    cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
    cairo_set_source(c, p);
    viereck(c, {tp(x2, hinten, 0), tp(x2, vorn, 0.3), tp(x2, vorn, 2.1), tp(x2, hinten, 2.5)});
    cairo_fill(c);
    cairo_set_source(c, p);
    viereck(c, {tp(x1, hinten, 2.5), tp(x2, hinten, 2.5), tp(x2, vorn, 2.1), tp(x1, vorn, 2.1)});
    cairo_fill(c);
    cairo_pattern_destroy(p);
    cairo_surface_destroy(muster);
    // The roof's steel edge with a gold line.
    Farbe_Setzen(c, T_HELL);
    viereck(c, {tp(x1, vorn, 2.1), tp(x2, vorn, 2.1), tp(x2, vorn, 1.95), tp(x1, vorn, 1.95)});
    cairo_fill(c);
    Farbe_Setzen(c, T_GOLD);
    viereck(c, {tp(x1, vorn, 1.95), tp(x2, vorn, 1.95), tp(x2, vorn, 1.88), tp(x1, vorn, 1.88)});
    cairo_fill(c);
}

}  // namespace

// The players' tunnel in the gap of the far boards: the tunnel house with
// its dark mouth, the clock on its roof and the gold band of the club, the
// telescopic tunnel out to the touchline, and a dugout on either side.
Rastport* Tunnel_Zeichnen(const std::vector<std::string>&, i32 w, i32 h) {
    if (w != spielansicht::TUNNEL_BREITE || h != spielansicht::TUNNEL_HOEHE) return nullptr;
    cairo_surface_t* sf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(sf);
    // Hard edges: the view keys the picture on colour 0.
    cairo_set_antialias(c, CAIRO_ANTIALIAS_NONE);
    const double mitte = spielansicht::TUNNEL_MITTE_M;
    // Back to front: the house, the clock, the dugouts, the telescopic tunnel.
    const double hx1 = mitte - 3.5, hx2 = mitte + 3.5;
    kiste(c, hx1, hx2, -10, -6, 0, 4.2, T_DACH, T_FRONT, T_WAND);
    Farbe_Setzen(c, T_GOLD);
    viereck(c, {tp(hx1, -6, 4.2), tp(hx2, -6, 4.2), tp(hx2, -6, 3.9), tp(hx1, -6, 3.9)});
    cairo_fill(c);
    Farbe_Setzen(c, T_DUNKEL);
    viereck(c, {tp(mitte - 1.5, -6, 0), tp(mitte + 1.5, -6, 0), tp(mitte + 1.5, -6, 2.6), tp(mitte - 1.5, -6, 2.6)});
    cairo_fill(c);
    // The clock: a navy panel, its gold frame, two chalk figures of time.
    kiste(c, mitte - 2, mitte + 2, -9.8, -9.3, 4.2, 6.4, T_WAND, 0x0E1A2B, T_WAND);
    Farbe_Setzen(c, T_GOLD);
    cairo_set_line_width(c, 1);
    viereck(c, {tp(mitte - 1.9, -9.3, 4.3), tp(mitte + 1.9, -9.3, 4.3), tp(mitte + 1.9, -9.3, 6.3), tp(mitte - 1.9, -9.3, 6.3)});
    cairo_stroke(c);
    Farbe_Setzen(c, 0xF2F4F0);
    for (int i = 0; i < 4; ++i) {
        const double x = mitte - 1.6 + i * 0.8 + (i >= 2 ? 0.2 : 0);
        viereck(c, {tp(x, -9.3, 4.7), tp(x + 0.5, -9.3, 4.7), tp(x + 0.5, -9.3, 5.9), tp(x, -9.3, 5.9)});
        cairo_fill(c);
        Farbe_Setzen(c, 0x0E1A2B);
        viereck(c, {tp(x + 0.15, -9.3, 4.95), tp(x + 0.35, -9.3, 4.95), tp(x + 0.35, -9.3, 5.65), tp(x + 0.15, -9.3, 5.65)});
        cairo_fill(c);
        Farbe_Setzen(c, 0xF2F4F0);
    }
    bank(c, mitte - 14, mitte - 5.5);
    bank(c, mitte + 5.5, mitte + 14);
    // The telescopic tunnel: four rings, each a little lower than the last.
    for (int i = 0; i < 4; ++i) {
        const double y1 = -6 + i * 1.1, y2 = y1 + 1.15, z = 2.7 - i * 0.08, b = 1.5 - i * 0.04;
        kiste(c, mitte - b, mitte + b, y1, y2, 0, z, i % 2 ? T_HELL : 0xDDE3E9, T_STAHL, i % 2 ? 0x7C8896 : 0x8C98A6);
    }
    Farbe_Setzen(c, T_DUNKEL);
    const double yv = -6 + 4 * 1.1 + 0.05, bv = 1.5 - 3 * 0.04 - 0.25;
    viereck(c, {tp(mitte - bv, yv, 0), tp(mitte + bv, yv, 0), tp(mitte + bv, yv, 2.2), tp(mitte - bv, yv, 2.2)});
    cairo_fill(c);
    cairo_destroy(c);
    Rastport* rp = Aus_Cairo(sf, false);
    cairo_surface_destroy(sf);
    return rp;
}

}  // namespace resgen
