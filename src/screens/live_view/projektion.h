// The projection of the live match view: a point of the pitch (centimetres,
// z up) to a pixel of the view's pitch picture. Header-only, so the resource
// generator draws the pitch pictures with exactly the view's numbers.
//
// The pitch (108 m x 68.06 m) lies as a long rhombus in the picture: the
// length runs right and down, the width right and up. A full view uses the
// full-scale picture (3610 x 980), half and quarter views the half-scale one
// (1805 x 490). On a mirrored pitch the home goal is drawn on the right.
#pragma once

#include <cmath>
#include <initializer_list>

#include "base/types.h"

namespace spielansicht {

struct Massstab {
    double laenge, weite;        // pixels of the length and the width (before the x factor 4)
    i32 ursprung_x, ursprung_y;  // the picture point of pitch (0, 68.06 m)
    i32 breite, hoehe;           // the picture's size
};

constexpr Massstab VOLL{520.0, 329.0, 102, 422, 3610, 980};
constexpr Massstab HALB{260.0, 164.5, 51, 211, 1805, 490};
constexpr double PLATZ_LAENGE_M = 108.0, PLATZ_BREITE_M = 68.06;

// Nearest integer, halves away from zero.
inline i32 Runden(double v) { return static_cast<i32>(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)); }

struct Punkt {
    i32 x, y;
};

inline Punkt Projektion(const Massstab& m, bool gespiegelt, double x_cm, double y_cm, double z_cm) {
    const double X = x_cm / 100.0, Y = y_cm / 100.0, Z = z_cm / 100.0;
    const double b = (PLATZ_BREITE_M - Y) * m.weite / PLATZ_BREITE_M;
    const double h = Z != 0.0 ? Z * m.weite / PLATZ_BREITE_M * 4.0 : 0.0;
    if (!gespiegelt) {
        const double a = X * m.laenge / PLATZ_LAENGE_M;
        return {Runden((a + b) * 4.0) + m.ursprung_x, Runden(a - b - h) + m.ursprung_y};
    }
    const double a = (PLATZ_LAENGE_M - X) * m.laenge / PLATZ_LAENGE_M;
    return {Runden((-b - a) * 4.0) + m.breite - m.ursprung_x, Runden(a - b - h) + m.ursprung_y};
}

// The goals: posts 7.32 m apart on the goal lines, the crossbar 2.44 m up,
// the net 2 m deep behind.
constexpr double TOR_BREITE_M = 7.32, TOR_HOEHE_M = 2.44, TOR_TIEFE_M = 2.0;

// The box of a picture (pixels of the pitch picture).
struct Kasten {
    i32 x, y, breite, hoehe;
};

// The box around a whole goal (left or right, unmirrored) with a margin of
// 4 pixels: the place of its piece drawn over the figures.
inline Kasten Tor_Kasten(const Massstab& m, bool rechts) {
    const double mitte = PLATZ_BREITE_M / 2, x0 = rechts ? PLATZ_LAENGE_M : -TOR_TIEFE_M;
    i32 x1 = 1 << 30, y1 = 1 << 30, x2 = -(1 << 30), y2 = -(1 << 30);
    for (const double x : {x0, x0 + TOR_TIEFE_M})
        for (const double y : {mitte - TOR_BREITE_M / 2, mitte + TOR_BREITE_M / 2})
            for (const double z : {0.0, TOR_HOEHE_M}) {
                const Punkt p = Projektion(m, false, x * 100, y * 100, z * 100);
                x1 = p.x < x1 ? p.x : x1, y1 = p.y < y1 ? p.y : y1;
                x2 = p.x > x2 ? p.x : x2, y2 = p.y > y2 ? p.y : y2;
            }
    constexpr i32 RAND = 4;
    return {x1 - RAND, y1 - RAND, x2 - x1 + 2 * RAND + 1, y2 - y1 + 2 * RAND + 1};
}

// --- The players' tunnel and the pitch's light -------------------------------
// The players' tunnel with the two dugouts in front of the far stand, in the
// gap of the far boards: one picture at (TUNNEL_X, TUNNEL_Y) of the
// full-scale pitch picture, drawn over the stands (halved, at half the place,
// in half and quarter views).
constexpr i32 TUNNEL_X = 2243, TUNNEL_Y = 157, TUNNEL_BREITE = 690, TUNNEL_HOEHE = 270;
// Its middle along the pitch (m): the middle of the gap between the far boards.
constexpr double TUNNEL_MITTE_M = 57.5;
// The light over the grass (worn tracks, floodlight pools, a roof's shadow)
// is one of three pictures by stadium kind 0..6, each at full scale and, one
// entry on, at half scale.
inline i32 Rasen_Licht_Nummer(u32 bild_art, bool halb) {
    static constexpr i32 NUMMER[7] = {0, 0, 2, 2, 4, 4, 4};
    return NUMMER[bild_art % 7] + (halb ? 1 : 0);
}

// --- Stands -----------------------------------------------------------------
// Six stand sides around the pitch: 0 the left end, 1 the far side, 2 the
// right end (their terraces: 0 a grass bank, 1 plain steps, 2..4 seated
// stands of growing size), and over them 3, 4, 5 what stands above those
// three (0 the clubhouse, 1 floodlight masts, 2..4 roofs of growing size).
// The near side is the camera's. Mirrored pitches swap 0/2 and 3/5. The
// picture of a side at a level in the stand archive is side + 6 x level,
// drawn at the side's box.
constexpr int TRIBUENE_SEITEN = 6, TRIBUENE_STUFEN = 5;
// Terrace rows by level, 0.85 m deep, each 0.5 m above the one in front.
constexpr int TRIBUENE_REIHEN[TRIBUENE_STUFEN] = {0, 5, 8, 10, 12};
constexpr double REIHE_TIEFE_M = 0.85, REIHE_HOCH_M = 0.5;

// A block of terrace rows: its extent along the rows (m), the front of row 0
// and the step outwards (signed, m); along the pitch's length (far side and
// corners) or its width (ends).
struct Tribuene {
    double a1, a2, d0, dd;
    bool laengs;
};
constexpr Tribuene TRIBUENE[TRIBUENE_SEITEN] = {
    {-6, PLATZ_BREITE_M + 4, -10.05, -REIHE_TIEFE_M, false},
    {-13, PLATZ_LAENGE_M + 13, -9.05, -REIHE_TIEFE_M, true},
    {-6, PLATZ_BREITE_M + 4, PLATZ_LAENGE_M + 10.05, REIHE_TIEFE_M, false},
    {-6, PLATZ_BREITE_M + 4, -10.05, -REIHE_TIEFE_M, false},
    {-13, PLATZ_LAENGE_M + 13, -9.05, -REIHE_TIEFE_M, true},
    {-6, PLATZ_BREITE_M + 4, PLATZ_LAENGE_M + 10.05, REIHE_TIEFE_M, false},
};
// Highest point of any stand picture (a roof at level 4).
constexpr double TRIBUENE_HOEHE_M = 17.0;

// A point of a stand block: `a` along it, `d` across (m), `z` up (m).
inline Punkt Tribuene_Punkt(const Massstab& m, const Tribuene& t, double a, double d, double z) {
    return t.laengs ? Projektion(m, false, a * 100, d * 100, z * 100) : Projektion(m, false, d * 100, a * 100, z * 100);
}

// The box of a stand side's pictures (full scale, every level the same),
// kept inside the picture and at even coordinates, so the half-scale view
// draws it at half the place.
inline Kasten Tribuene_Kasten(int seite) {
    const Massstab& m = VOLL;
    const Tribuene& t = TRIBUENE[(seite % TRIBUENE_SEITEN + TRIBUENE_SEITEN) % TRIBUENE_SEITEN];
    const double tiefe = t.dd * (TRIBUENE_REIHEN[TRIBUENE_STUFEN - 1] + 4);
    i32 x1 = 1 << 30, y1 = 1 << 30, x2 = -(1 << 30), y2 = -(1 << 30);
    for (const double a : {t.a1, t.a2})
        for (const double d : {t.d0 - 4 * t.dd, t.d0 + tiefe})
            for (const double z : {0.0, TRIBUENE_HOEHE_M}) {
                const Punkt p = Tribuene_Punkt(m, t, a, d, z);
                x1 = p.x < x1 ? p.x : x1, y1 = p.y < y1 ? p.y : y1;
                x2 = p.x > x2 ? p.x : x2, y2 = p.y > y2 ? p.y : y2;
            }
    x1 = (x1 < 0 ? 0 : x1) & ~1, y1 = (y1 < 0 ? 0 : y1) & ~1;
    x2 = x2 >= m.breite ? m.breite - 1 : x2, y2 = y2 >= m.hoehe ? m.hoehe - 1 : y2;
    return {x1, y1, x2 - x1 + 1, y2 - y1 + 1};
}

// Picture of a side at a level (-1: none; side 5 has no level 0).
inline i32 Tribuene_Bild(int seite, int stufe) {
    if (seite < 0 || seite >= TRIBUENE_SEITEN || stufe < 0 || stufe >= TRIBUENE_STUFEN) return -1;
    if (seite == 5 && stufe == 0) return -1;
    return seite + TRIBUENE_SEITEN * stufe;
}

}  // namespace spielansicht
