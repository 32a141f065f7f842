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

}  // namespace spielansicht
