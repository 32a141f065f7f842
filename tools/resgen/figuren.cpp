// The live view's figures: every animation set as a blob of 8-bit run-length
// frames in 16 directions (docs/formats/animset.md).
//
// A figure is a small articulated body (head, torso, arms, legs, boots) posed
// per frame, turned to the direction and projected with the view's own
// projection (1 m is about 19 pixels across and up, 5 down the screen), then
// rasterised into palette indices of the part it belongs to, shaded by a
// light from the upper left and outlined a shade darker. The indices are
// those the view's colour tables tint (screens/live_view/figur_palette.h), so
// every kit, skin and hair colour comes out of the same frames.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/bytes.h"
#include "resgen.h"
#include "screens/live_view/figur_palette.h"
#include "screens/live_view/projektion.h"

namespace resgen {

namespace {

using figur::Teil;
constexpr double PI = 3.14159265358979323846;

struct V3 {
    double x = 0, y = 0, z = 0;  // forward, left, up (body) or along, across, up (pitch), metres
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }

// Pixels per metre of the full-scale projection along the pitch, across it
// and up (screens/live_view/projektion.h).
const double AX = 4 * spielansicht::VOLL.laenge / 108.0, AY = spielansicht::VOLL.laenge / 108.0;
const double BX = -4 * spielansicht::VOLL.weite / 68.06, BY = spielansicht::VOLL.weite / 68.06;
const double ZY = -4 * spielansicht::VOLL.weite / 68.06;
const double PX_M = -ZY;

// --- The pose -----------------------------------------------------------------------

// Joint angles of one frame (radians) and the whole body's placement.
struct Pose {
    double bein_a[2] = {0.05, -0.05}, knie[2] = {0.05, 0.05};  // leg swing forward, knee bend (0 right, 1 left)
    double arm_p[2] = {0.05, 0.05}, arm_q[2] = {0.15, 0.15}, ellbogen[2] = {0.25, 0.25};
    double neigung = 0, kopf = 0;                 // torso lean forward, head nod
    double hoch = 0;                              // lift (m)
    double kippen = 0, rollen = 0, drehen = 0;    // whole body: forward, sideways, about the vertical
    double seit = 0;                              // sideways shift (m)
    double kipp_hoehe = 0;                        // pivot height of kippen/rollen
};

struct Skelett {
    V3 becken, nacken, kopf, schulter[2], ellbogen[2], hand[2], huefte[2], knie[2], knoechel[2], zehe[2];
};

V3 drehen_x(V3 p, double w) {  // about the forward axis (roll)
    const double c = std::cos(w), s = std::sin(w);
    return {p.x, p.y * c - p.z * s, p.y * s + p.z * c};
}
V3 drehen_y(V3 p, double w) {  // about the left axis (pitch forward)
    const double c = std::cos(w), s = std::sin(w);
    return {p.x * c + p.z * s, p.y, -p.x * s + p.z * c};
}
V3 drehen_z(V3 p, double w) {
    const double c = std::cos(w), s = std::sin(w);
    return {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
}

Skelett skelett(const Pose& p) {
    Skelett s;
    s.becken = {0, 0, 0.95};
    s.nacken = s.becken + V3{std::sin(p.neigung), 0, std::cos(p.neigung)} * 0.5;
    s.kopf = s.nacken + V3{std::sin(p.neigung + p.kopf), 0, std::cos(p.neigung + p.kopf)} * 0.17;
    for (int i = 0; i < 2; ++i) {
        const double seite = i == 0 ? -1 : 1;  // 0 right, 1 left
        s.schulter[i] = s.nacken + V3{0, seite * 0.2, -0.05};
        const double pq = p.arm_p[i] + p.neigung, q = p.arm_q[i];
        s.ellbogen[i] = s.schulter[i] + V3{std::sin(pq) * std::cos(q), seite * std::sin(q), -std::cos(pq) * std::cos(q)} * 0.29;
        const double pe = pq + p.ellbogen[i];
        s.hand[i] = s.ellbogen[i] + V3{std::sin(pe) * std::cos(q), seite * std::sin(q), -std::cos(pe) * std::cos(q)} * 0.27;
        s.huefte[i] = s.becken + V3{0, seite * 0.1, -0.03};
        const double a = p.bein_a[i], k = a - p.knie[i];
        s.knie[i] = s.huefte[i] + V3{std::sin(a), 0, -std::cos(a)} * 0.45;
        s.knoechel[i] = s.knie[i] + V3{std::sin(k), 0, -std::cos(k)} * 0.43;
        s.zehe[i] = s.knoechel[i] + V3{std::cos(k), 0, std::sin(k)} * 0.17;
    }
    // The whole body: pitch and roll about a pivot, turn, lift.
    const V3 dreh{0, 0, p.kipp_hoehe};
    auto setzen = [&](V3& v) {
        v = drehen_x(drehen_y(v - dreh, p.kippen), p.rollen) + dreh;
        v = drehen_z(v, p.drehen) + V3{0, p.seit, p.hoch};
    };
    setzen(s.becken), setzen(s.nacken), setzen(s.kopf);
    for (int i = 0; i < 2; ++i) {
        setzen(s.schulter[i]), setzen(s.ellbogen[i]), setzen(s.hand[i]), setzen(s.huefte[i]);
        setzen(s.knie[i]), setzen(s.knoechel[i]), setzen(s.zehe[i]);
    }
    // Nothing sinks into the grass.
    double tief = 0;
    for (const V3* v : {&s.becken, &s.kopf, &s.knie[0], &s.knie[1], &s.zehe[0], &s.zehe[1], &s.knoechel[0],
                        &s.knoechel[1], &s.hand[0], &s.hand[1]})
        tief = std::min(tief, v->z - 0.05);
    if (tief < 0) {
        for (V3* v : {&s.becken, &s.nacken, &s.kopf}) v->z -= tief;
        for (int i = 0; i < 2; ++i)
            for (V3* v : {&s.schulter[i], &s.ellbogen[i], &s.hand[i], &s.huefte[i], &s.knie[i], &s.knoechel[i],
                          &s.zehe[i]})
                v->z -= tief;
    }
    return s;
}

// --- The motions ----------------------------------------------------------------------

enum Bewegung {
    STEHEN, STEHEN_2, MAUER, MUEDE, GEHEN, LAUFEN, SPRINT, DRIBBLING, STOPP, PASS, SCHUSS, VOLLEY, KOPFBALL,
    FLUGKOPF, GRAETSCHE, FALLEN, LIEGEN, AUFSTEHEN, FALLEN_HINTEN, STOLPERN, SPRINGEN, UEBERSCHLAG, JUBEL_BREIT,
    JUBEL_FINGER, JUBEL_SAEGE, ARME_HOCH, TRAUER, HUEFTE, KNIE, EINWURF, BRUST, ANNAHME, FALLRUECK,
    TW_STEHEN, TW_HALTEN, TW_FANGEN_HOCH, TW_FANGEN_TIEF, TW_HECHT, TW_ABWURF, TW_ABSCHLAG, TW_AUFTICKEN,
    TW_WINKEN, TW_FAUST, SITZEN, SITZEN_JUBEL, AUFWAERMEN, ARM_HOCH, ARME_VOR, PFEIFEN, ZEIGEN, ZEIGEN_TIEF,
    BEIDE_HOCH,
};

// Extra things a linked set draws at the hand or foot of its base motion.
enum Ding { NICHTS, BALL_HAENDE, BALL_FUSS, BALL_HOCH, FAHNE, FAHNE_HOCH, KARTE, FUNKELN };

Pose pose(Bewegung b, double t, double hecht_seite, double hecht_hoehe, double hecht_weit) {
    Pose p;
    const double w = 2 * PI * t, sn = std::sin(w), cs = std::cos(w);
    auto lauf = [&](double amp, double knie, double lean, double arm, double bob) {
        p.bein_a[0] = amp * sn, p.bein_a[1] = -amp * sn;
        p.knie[0] = 0.15 + knie * std::max(0.0, -cs), p.knie[1] = 0.15 + knie * std::max(0.0, cs);
        p.arm_p[0] = -arm * sn, p.arm_p[1] = arm * sn;
        p.ellbogen[0] = p.ellbogen[1] = 0.5 + arm;
        p.arm_q[0] = p.arm_q[1] = 0.12;
        p.neigung = lean;
        p.hoch = bob * std::abs(sn);
    };
    auto halb = [&](double v) { return 0.5 - 0.5 * std::cos(PI * std::clamp(v, 0.0, 1.0)); };
    switch (b) {
        case STEHEN: p.hoch = 0.006 * sn; p.arm_p[0] = 0.05 + 0.03 * sn; break;
        case STEHEN_2: p.bein_a[0] = 0.15, p.bein_a[1] = -0.12, p.arm_q[0] = 0.25, p.neigung = 0.04 * sn; break;
        case MAUER: p.arm_p[0] = p.arm_p[1] = 0.2, p.arm_q[0] = p.arm_q[1] = -0.05, p.ellbogen[0] = p.ellbogen[1] = 1.5; break;
        case MUEDE: p.neigung = 0.35 + 0.05 * sn, p.knie[0] = p.knie[1] = 0.3, p.arm_p[0] = p.arm_p[1] = 0.5,
                    p.ellbogen[0] = p.ellbogen[1] = 0.4; break;
        case GEHEN: lauf(0.35, 0.4, 0.04, 0.3, 0.01); break;
        case LAUFEN: lauf(0.6, 1.1, 0.14, 0.55, 0.04); break;
        case SPRINT: lauf(0.85, 1.5, 0.26, 0.8, 0.06); break;
        case DRIBBLING: lauf(0.5, 0.9, 0.2, 0.45, 0.03); break;
        case STOPP: lauf(0.3 * (1 - t), 0.5, 0.1 - 0.2 * t, 0.3, 0.0); p.bein_a[0] = 0.5 * (1 - t) + 0.1; break;
        case PASS:
        case SCHUSS:
        case VOLLEY: {
            const double stark = b == PASS ? 0.7 : 1.0;
            const double a = t < 0.45 ? -0.8 * stark * halb(t / 0.45) : -0.8 * stark + (1.9 * stark) * halb((t - 0.45) / 0.4);
            p.bein_a[0] = a, p.knie[0] = t < 0.45 ? 1.2 * halb(t / 0.45) : 1.2 * (1 - halb((t - 0.45) / 0.3));
            p.bein_a[1] = -0.1, p.knie[1] = 0.25;
            p.arm_q[0] = 0.5, p.arm_q[1] = 0.7, p.arm_p[1] = -0.4 + 0.8 * t, p.arm_p[0] = 0.4 - 0.6 * t;
            p.neigung = b == VOLLEY ? -0.25 : 0.05 - 0.15 * t;
            if (b == VOLLEY) p.rollen = 0.35 * std::sin(PI * t), p.kipp_hoehe = 0.2;
            break;
        }
        case KOPFBALL:
            p.hoch = 0.38 * std::sin(PI * t), p.knie[0] = p.knie[1] = 0.7, p.bein_a[0] = p.bein_a[1] = -0.15;
            p.neigung = -0.2 + 0.55 * t, p.kopf = 0.4 * t, p.arm_q[0] = p.arm_q[1] = 0.6, p.arm_p[0] = p.arm_p[1] = 0.4;
            break;
        case FLUGKOPF:
            p.kippen = 1.4 * halb(t * 1.4), p.kipp_hoehe = 0.2, p.hoch = 0.45 * std::sin(PI * t);
            p.arm_p[0] = p.arm_p[1] = 0.8, p.bein_a[0] = p.bein_a[1] = -0.2;
            break;
        case GRAETSCHE:
            p.kippen = -1.15 * halb(t * 2), p.kipp_hoehe = 0.1, p.bein_a[0] = 1.3, p.knie[0] = 0.1,
            p.bein_a[1] = 0.9, p.knie[1] = 1.2, p.arm_p[0] = p.arm_p[1] = -0.6, p.arm_q[0] = p.arm_q[1] = 0.6;
            p.rollen = 0.35;
            break;
        case FALLEN: p.kippen = 1.45 * halb(t), p.arm_p[0] = p.arm_p[1] = 0.6 + 1.0 * t, p.knie[0] = p.knie[1] = 0.3; break;
        case LIEGEN:
            p.kippen = 1.5, p.rollen = 0.5 * sn, p.knie[0] = 0.8 + 0.6 * std::max(0.0, sn), p.knie[1] = 0.5,
            p.bein_a[0] = 0.6, p.arm_p[0] = p.arm_p[1] = 1.2, p.ellbogen[0] = 1.8;
            break;
        case AUFSTEHEN: p.kippen = 1.45 * (1 - halb(t)), p.knie[0] = p.knie[1] = 1.2 * (1 - t), p.bein_a[0] = 0.8 * (1 - t); break;
        case FALLEN_HINTEN: p.kippen = -1.45 * halb(t), p.arm_p[0] = p.arm_p[1] = -0.8, p.arm_q[0] = p.arm_q[1] = 0.6; break;
        case STOLPERN: lauf(0.5, 0.8, 0.25 + 0.5 * std::sin(PI * t), 0.9, 0.02); p.arm_q[0] = p.arm_q[1] = 0.7; break;
        case SPRINGEN: lauf(0.6, 1.0, 0.15, 0.5, 0.0); p.hoch = 0.3 * std::sin(PI * t), p.knie[0] = 1.4; break;
        case UEBERSCHLAG: p.kippen = 2 * PI * halb(t), p.kipp_hoehe = 0.9, p.hoch = 0.5 * std::sin(PI * t),
                          p.knie[0] = p.knie[1] = 0.8, p.arm_p[0] = p.arm_p[1] = 2.8; break;
        case JUBEL_BREIT: lauf(0.5, 0.9, 0.05, 0.0, 0.04); p.arm_q[0] = p.arm_q[1] = 1.35, p.ellbogen[0] = p.ellbogen[1] = 0.1; break;
        case JUBEL_FINGER: lauf(0.4, 0.8, 0.0, 0.0, 0.03); p.arm_p[0] = 2.9, p.ellbogen[0] = 0.1, p.arm_p[1] = 0.3; break;
        case JUBEL_SAEGE: p.arm_p[0] = 0.6 + 0.5 * sn, p.ellbogen[0] = 1.8, p.knie[0] = p.knie[1] = 0.5,
                          p.bein_a[0] = 0.3, p.neigung = 0.15; break;
        case ARME_HOCH: p.arm_p[0] = p.arm_p[1] = 2.9, p.arm_q[0] = p.arm_q[1] = 0.35, p.ellbogen[0] = p.ellbogen[1] = 0.1,
                        p.hoch = 0.25 * std::abs(sn), p.knie[0] = p.knie[1] = 0.3; break;
        case TRAUER: p.arm_p[0] = p.arm_p[1] = 1.0, p.ellbogen[0] = p.ellbogen[1] = 2.3, p.arm_q[0] = p.arm_q[1] = 0.2,
                     p.neigung = 0.3, p.kopf = 0.35; break;
        case HUEFTE: p.arm_p[0] = p.arm_p[1] = -0.3, p.arm_q[0] = p.arm_q[1] = 0.55, p.ellbogen[0] = p.ellbogen[1] = 2.0,
                     p.kopf = 0.3 * sn; break;
        case KNIE: p.neigung = 0.9, p.knie[0] = p.knie[1] = 0.5, p.bein_a[0] = p.bein_a[1] = 0.25,
                   p.arm_p[0] = p.arm_p[1] = 0.5, p.ellbogen[0] = p.ellbogen[1] = 0.1; break;
        case EINWURF: p.arm_p[0] = p.arm_p[1] = 3.1 - 1.3 * halb(t), p.ellbogen[0] = p.ellbogen[1] = 1.2 * (1 - t),
                      p.neigung = -0.25 + 0.45 * t, p.bein_a[1] = 0.4; break;
        case BRUST: p.neigung = -0.3 * std::sin(PI * t), p.arm_q[0] = p.arm_q[1] = 0.6, p.knie[0] = p.knie[1] = 0.3; break;
        case ANNAHME: p.bein_a[0] = 0.8 * std::sin(PI * t), p.knie[0] = 1.0 * std::sin(PI * t), p.arm_q[0] = p.arm_q[1] = 0.5; break;
        case FALLRUECK: p.kippen = -2.0 * halb(t), p.kipp_hoehe = 0.9, p.hoch = 0.6 * std::sin(PI * t),
                        p.bein_a[0] = 1.8, p.knie[0] = 0.1, p.arm_q[0] = p.arm_q[1] = 0.8; break;
        case TW_STEHEN: p.knie[0] = p.knie[1] = 0.55, p.bein_a[0] = p.bein_a[1] = 0.25, p.neigung = 0.25,
                        p.arm_p[0] = p.arm_p[1] = 0.45, p.arm_q[0] = p.arm_q[1] = 0.45, p.ellbogen[0] = p.ellbogen[1] = 0.6,
                        p.hoch = 0.01 * sn; p.bein_a[0] += 0.15, p.bein_a[1] -= 0.15; break;
        case TW_HALTEN: p.arm_p[0] = p.arm_p[1] = 1.0, p.arm_q[0] = p.arm_q[1] = 0.0, p.ellbogen[0] = p.ellbogen[1] = 0.9,
                        p.neigung = 0.05; break;
        case TW_FANGEN_HOCH: p.arm_p[0] = p.arm_p[1] = 1.2 + 1.6 * halb(t * 2), p.ellbogen[0] = p.ellbogen[1] = 0.2,
                             p.hoch = 0.35 * std::sin(PI * t), p.knie[0] = p.knie[1] = 0.5; break;
        case TW_FANGEN_TIEF: p.neigung = 0.7 * std::sin(PI * t), p.knie[0] = p.knie[1] = 0.9 * std::sin(PI * t),
                             p.arm_p[0] = p.arm_p[1] = 0.4 + 0.6 * std::sin(PI * t); break;
        case TW_HECHT: {
            const double f = halb(t * 1.6);
            p.rollen = hecht_seite * 1.35 * f, p.kipp_hoehe = 0.5;
            p.hoch = (0.2 + hecht_hoehe) * std::sin(PI * std::min(1.0, t * 1.3));
            p.seit = hecht_seite * (0.4 + hecht_weit) * f;
            p.arm_p[0] = p.arm_p[1] = 1.2 + 1.8 * f, p.arm_q[0] = p.arm_q[1] = 0.2, p.ellbogen[0] = p.ellbogen[1] = 0.1;
            p.bein_a[0] = 0.1, p.bein_a[1] = -0.2, p.knie[1] = 0.5;
            break;
        }
        case TW_ABWURF: p.arm_p[0] = -1.2 + 3.8 * halb(t), p.ellbogen[0] = 0.2, p.arm_q[1] = 0.5, p.bein_a[1] = 0.4,
                        p.neigung = -0.1 + 0.3 * t; break;
        case TW_ABSCHLAG: p.bein_a[0] = -0.5 + 2.0 * halb(t), p.knie[0] = 0.6 * (1 - t), p.arm_p[1] = 1.0 - t,
                          p.arm_q[0] = 0.6, p.neigung = -0.2; break;
        case TW_AUFTICKEN: p.arm_p[0] = p.arm_p[1] = 0.9, p.ellbogen[0] = p.ellbogen[1] = 0.5 + 0.4 * sn, p.neigung = 0.15; break;
        case TW_WINKEN: p.arm_p[0] = 2.6, p.arm_q[0] = 0.4 + 0.4 * sn, p.ellbogen[0] = 0.3; break;
        case TW_FAUST: p.arm_p[0] = 2.2 + 0.8 * halb(t), p.ellbogen[0] = 0.1, p.hoch = 0.4 * std::sin(PI * t),
                       p.knie[0] = 1.0, p.arm_p[1] = 1.0; break;
        case SITZEN:
        case SITZEN_JUBEL:
            p.bein_a[0] = p.bein_a[1] = 1.55, p.knie[0] = p.knie[1] = 1.55, p.hoch = -0.45, p.kipp_hoehe = 0.5;
            p.arm_p[0] = p.arm_p[1] = 0.5, p.ellbogen[0] = p.ellbogen[1] = 0.9, p.neigung = 0.1;
            if (b == SITZEN_JUBEL) p.arm_p[0] = p.arm_p[1] = 2.2 + 0.6 * sn, p.ellbogen[0] = p.ellbogen[1] = 0.2, p.hoch += 0.1 * std::abs(sn);
            break;
        case AUFWAERMEN: lauf(0.45, 1.3, 0.05, 0.4, 0.06); p.arm_q[0] = p.arm_q[1] = 0.6 + 0.6 * std::abs(sn); break;
        case ARM_HOCH: p.arm_p[0] = 2.95 * halb(t * 2), p.ellbogen[0] = 0.05, p.arm_q[0] = 0.1; break;
        case ARME_VOR: p.arm_p[0] = p.arm_p[1] = 1.45, p.ellbogen[0] = p.ellbogen[1] = 0.05, p.arm_q[0] = p.arm_q[1] = 0.2; break;
        case PFEIFEN: p.arm_p[0] = 1.0, p.ellbogen[0] = 2.3, p.arm_q[0] = 0.05, p.kopf = -0.1; break;
        case ZEIGEN: p.arm_p[0] = 1.5, p.ellbogen[0] = 0.05, p.arm_q[0] = 0.2; break;
        case ZEIGEN_TIEF: p.arm_p[0] = 0.9, p.ellbogen[0] = 0.05, p.arm_q[0] = 0.7; break;
        case BEIDE_HOCH: p.arm_p[0] = p.arm_p[1] = 2.9, p.ellbogen[0] = p.ellbogen[1] = 0.05, p.arm_q[0] = p.arm_q[1] = 0.1; break;
    }
    return p;
}

// One archive entry: its motion, frame count and the thing a linked set draws.
struct Eintrag {
    Bewegung b = STEHEN;
    Ding ding = NICHTS;  // NICHTS: the body itself
    double seite = 0, hoehe = 0, weit = 0;
};

Eintrag eintrag_art(int e) {
    auto hecht = [](int nummer) {
        // Entries 77..118: catches and saves to either side, low, high,
        // very high, wide; an even entry from 78 on is the ball of the one before.
        Eintrag r{TW_HECHT};
        const int k = nummer - 77;
        r.seite = (k / 2) % 2 == 0 ? -1 : 1;
        r.hoehe = nummer >= 105 ? 0.9 : nummer >= 101 ? 0.5 : nummer >= 89 ? 0.9 : nummer >= 85 ? 0.5 : 0.05;
        r.weit = nummer >= 93 && nummer <= 108 ? 0.8 : 0.2;
        return r;
    };
    switch (e) {
        case 1: return {STEHEN};
        case 2: return {STEHEN_2};
        case 3: return {STEHEN};
        case 4: return {MAUER};
        case 5: return {MUEDE};
        case 6: return {GEHEN};
        case 7: case 8: case 9: return {LAUFEN};
        case 10: return {SPRINT};
        case 11: return {STOPP};
        case 12: case 13: return {PASS};
        case 14: case 15: case 21: return {SCHUSS};
        case 16: return {EINWURF};
        case 17: return {EINWURF, BALL_HOCH};
        case 18: return {BRUST};
        case 19: return {KOPFBALL};
        case 20: return {GRAETSCHE};
        case 22: case 23: case 24: case 25: case 26: case 32: return {DRIBBLING};
        case 33: return {DRIBBLING, BALL_FUSS};
        case 27: return {FALLRUECK};
        case 28: return {VOLLEY};
        case 29: return {FLUGKOPF};
        case 30: case 31: return {ANNAHME};
        case 34: case 40: return e == 34 ? Eintrag{FALLEN} : Eintrag{STOLPERN};
        case 35: case 38: return {LIEGEN};
        case 36: case 39: return {AUFSTEHEN};
        case 37: return {FALLEN_HINTEN};
        case 41: return {SPRINGEN};
        case 42: return {UEBERSCHLAG};
        case 47: case 48: case 49: case 50: case 150: return {TW_STEHEN};
        case 51: return {TW_HALTEN};
        case 52: return {TW_HALTEN, BALL_HAENDE};
        case 53: case 54: case 55: case 56: case 58: return e == 58 ? Eintrag{STOPP} : Eintrag{LAUFEN};
        case 57: return {SPRINT};
        case 59: return {TW_ABWURF};
        case 60: return {TW_ABWURF, BALL_HAENDE};
        case 61: return {TW_ABSCHLAG};
        case 62: return {TW_ABSCHLAG, BALL_HAENDE};
        case 63: case 65: return {TW_FANGEN_TIEF};
        case 64: case 66: return {TW_FANGEN_TIEF, BALL_HAENDE};
        case 67: return {TW_FANGEN_HOCH};
        case 68: return {TW_FANGEN_HOCH, BALL_HAENDE};
        case 69: return {TW_HALTEN};
        case 70: return {TW_HALTEN, BALL_HAENDE};
        case 71: return {PASS};
        case 72: case 73: case 74: return {SCHUSS};
        case 75: return {VOLLEY};
        case 76: return {TW_STEHEN};
        case 119: case 121: return {TW_FANGEN_TIEF};
        case 120: case 122: return {TW_FANGEN_TIEF, BALL_HAENDE};
        case 123: return {TW_FAUST};
        case 124: return {TW_HALTEN};
        case 125: return {TW_HALTEN, BALL_HAENDE};
        case 126: return {TW_AUFTICKEN};
        case 127: return {TW_AUFTICKEN, BALL_HAENDE};
        case 128: return {ZEIGEN};
        case 129: case 130: return {STEHEN};
        case 131: case 132: case 133: return {AUFWAERMEN};
        case 135: return {JUBEL_BREIT};
        case 137: return {JUBEL_FINGER};
        case 138: return {JUBEL_SAEGE};
        case 142: case 146: return {TRAUER};
        case 143: return {HUEFTE};
        case 144: return {KNIE};
        case 145: return {ARME_HOCH};
        case 148: return {TW_WINKEN};
        case 149: return {TW_WINKEN, BALL_HAENDE};
        case 151: return {ARME_VOR};
        case 153: return {PFEIFEN};
        case 154: return {ARM_HOCH};
        case 155: return {ARM_HOCH, KARTE};
        case 156: return {GEHEN, FAHNE};
        case 157: case 158: case 159: return {LAUFEN, FAHNE};
        case 160: return {SPRINT, FAHNE};
        case 161: return {BEIDE_HOCH};
        case 162: return {BEIDE_HOCH, FAHNE_HOCH};
        case 163: case 165: return {ZEIGEN_TIEF};
        case 164: case 166: return {ZEIGEN_TIEF, FAHNE};
        case 167: return {ZEIGEN};
        case 168: return {ZEIGEN, FAHNE};
        case 169: return {ARM_HOCH};
        case 170: return {ARM_HOCH, FAHNE_HOCH};
        case 171: case 174: case 177: case 183: return {SITZEN};
        case 172: case 175: case 178: case 184: return {SITZEN_JUBEL};
        case 186: case 187: return {STEHEN};
        case 188: return {STEHEN, FUNKELN};
        default: break;
    }
    if (e >= 77 && e <= 118) {
        Eintrag r = hecht(e - ((e - 77) % 2));
        if ((e - 77) % 2 == 1 && e <= 108) r.ding = BALL_HAENDE;
        return r;
    }
    return {STEHEN};
}

// --- Rasterising ----------------------------------------------------------------------

struct Bild {
    i32 x0, y0, w, h;  // picture box relative to the anchor
    std::vector<u8> index;
    std::vector<u8> teil;  // part + 1 (0 none) for the outline
    std::vector<float> tiefe;
};

struct Projiziert {
    double x, y, t;  // pixels from the anchor, depth (larger is nearer)
};

struct Blick {
    V3 vor, links;  // pitch directions of the body's forward and left
};

// The pitch direction (unit, on the ground) that the view shows as screen
// direction d (0 up, 4 right, 8 down, clockwise).
Blick blick(int d) {
    const double w = d * PI / 8, sx = std::sin(w), sy = -std::cos(w);
    const double det = AX * BY - BX * AY;
    double gx = (BY * sx - BX * sy) / det, gy = (-AY * sx + AX * sy) / det;
    const double n = std::hypot(gx, gy);
    gx /= n, gy /= n;
    return {{gx, gy, 0}, {-gy, gx, 0}};
}

Projiziert projizieren(const Blick& b, V3 k) {
    const V3 p = b.vor * k.x + b.links * k.y;
    // Depth: along the ground towards the viewer (down the screen).
    const double t = (p.x * AY + p.y * BY) / std::hypot(AY, BY);
    return {p.x * AX + p.y * BX, p.x * AY + p.y * BY + k.z * ZY, t};
}

const V3 LICHT = [] {
    const double x = -0.45, y = -0.6, z = 0.66, n = std::sqrt(x * x + y * y + z * z);
    return V3{x / n, y / n, z / n};
}();

struct Raster {
    Bild& b;
    void punkt(i32 px, i32 py, float t, u8 index, int teil) {
        const i32 x = px - b.x0, y = py - b.y0;
        if (x < 0 || y < 0 || x >= b.w || y >= b.h) return;
        const size_t i = static_cast<size_t>(y) * b.w + x;
        if (b.teil[i] && b.tiefe[i] >= t) return;
        b.tiefe[i] = t, b.index[i] = index, b.teil[i] = static_cast<u8>(teil + 1);
    }
    // A capsule between two projected points with radii r1, r2 (metres).
    // `farbe` gives the index for a shade.
    template <class F>
    void kapsel(Projiziert a, Projiziert c, double r1, double r2, int teil, F&& farbe) {
        const double R = std::max(r1, r2) * PX_M;
        const i32 xa = static_cast<i32>(std::floor(std::min(a.x, c.x) - R)), xb = static_cast<i32>(std::ceil(std::max(a.x, c.x) + R));
        const i32 ya = static_cast<i32>(std::floor(std::min(a.y, c.y) - R)), yb = static_cast<i32>(std::ceil(std::max(a.y, c.y) + R));
        const double dx = c.x - a.x, dy = c.y - a.y, ll = dx * dx + dy * dy;
        for (i32 y = ya; y <= yb; ++y)
            for (i32 x = xa; x <= xb; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double u = ll > 1e-9 ? std::clamp(((px - a.x) * dx + (py - a.y) * dy) / ll, 0.0, 1.0) : 0.0;
                const double qx = a.x + u * dx, qy = a.y + u * dy;
                const double r = (r1 + (r2 - r1) * u) * PX_M;
                const double ox = px - qx, oy = py - qy, d2 = ox * ox + oy * oy;
                if (d2 > r * r || r <= 0) continue;
                const double bz = std::sqrt(r * r - d2);
                const double n = LICHT.x * ox / r + LICHT.y * oy / r + LICHT.z * bz / r;
                const double s = std::clamp(n * 1.25 - 0.35, -1.0, 1.0);
                punkt(x, y, static_cast<float>(a.t + (c.t - a.t) * u + bz / PX_M), farbe(s), teil);
            }
    }
};

Bild leeres_bild() {
    Bild b;
    b.x0 = -30, b.y0 = -62, b.w = 60, b.h = 72;
    const size_t n = static_cast<size_t>(b.w) * b.h;
    b.index.assign(n, 0), b.teil.assign(n, 0), b.tiefe.assign(n, -1e9f);
    return b;
}

auto teil_farbe(Teil t) {
    return [t](double s) { return figur::Index(t, s); };
}

// A ball of radius r (m) at a projected centre; its panels turn with `dreh`.
void ball_zeichnen(Raster& r, const Blick& b, Projiziert m, double radius, double dreh, float tiefe_plus) {
    const double R = radius * PX_M;
    for (i32 y = static_cast<i32>(std::floor(m.y - R)); y <= static_cast<i32>(std::ceil(m.y + R)); ++y)
        for (i32 x = static_cast<i32>(std::floor(m.x - R)); x <= static_cast<i32>(std::ceil(m.x + R)); ++x) {
            const double ox = (x + 0.5 - m.x) / R, oy = (y + 0.5 - m.y) / R, d2 = ox * ox + oy * oy;
            if (d2 > 1) continue;
            const double oz = std::sqrt(1 - d2);
            // The surface turned back by the roll (about the axis across the motion).
            const double c = std::cos(dreh), s = std::sin(dreh);
            const double u = ox, v = oy * c - oz * s, w = oy * s + oz * c;
            // Dark patches around six axes (a simple panel pattern).
            static const double ACHSEN[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
            bool dunkel = false;
            for (const auto& a : ACHSEN)
                if (u * a[0] + v * a[1] + w * a[2] > 0.88) dunkel = true;
            const double n = LICHT.x * ox + LICHT.y * oy + LICHT.z * oz;
            const double sh = std::clamp(n * 1.3 - 0.3, -1.0, 1.0);
            const u8 idx = dunkel ? static_cast<u8>(figur::F_NAHT) : figur::Index(figur::HEMD, sh);
            r.punkt(x, y, static_cast<float>(m.t + oz * radius) + tiefe_plus, idx, dunkel ? figur::SCHUHE : figur::HEMD);
        }
    (void)b;
}

// The body (ding NICHTS) or only the linked thing of a pose.
void figur_zeichnen(Bild& bild, const Blick& b, const Skelett& s, Ding ding, double t) {
    Raster r{bild};
    auto P = [&](V3 v) { return projizieren(b, v); };
    if (ding == NICHTS) {
        // The shadow on the grass: an ellipse under the body, towards the lower right.
        const Projiziert m = P({s.becken.x, s.becken.y, 0});
        for (i32 y = -3; y <= 3; ++y)
            for (i32 x = -11; x <= 11; ++x) {
                const double ex = x / 10.5, ey = y / 2.6;
                if (ex * ex + ey * ey <= 1)
                    r.punkt(static_cast<i32>(std::lround(m.x + 3)) + x, static_cast<i32>(std::lround(m.y + 1)) + y, -1e8f,
                            figur::SCHATTEN, figur::TEILE);
            }
        auto haut = teil_farbe(figur::HAUT), hemd = teil_farbe(figur::HEMD), hose = teil_farbe(figur::HOSE),
             aermel = teil_farbe(figur::AERMEL), stutzen = teil_farbe(figur::STUTZEN), schuhe = teil_farbe(figur::SCHUHE),
             haar = teil_farbe(figur::HAAR);
        for (int i = 0; i < 2; ++i) {
            // Legs: shorts over the thigh's upper part, skin, socks from below the knee, boots.
            const V3 mitte = s.huefte[i] + (s.knie[i] - s.huefte[i]) * 0.55;
            r.kapsel(P(s.huefte[i]), P(mitte), 0.095, 0.085, figur::HOSE, hose);
            r.kapsel(P(mitte), P(s.knie[i]), 0.07, 0.06, figur::HAUT, haut);
            const V3 strumpf = s.knie[i] + (s.knoechel[i] - s.knie[i]) * 0.12;
            r.kapsel(P(s.knie[i]), P(strumpf), 0.06, 0.058, figur::HAUT, haut);
            r.kapsel(P(strumpf), P(s.knoechel[i]), 0.058, 0.045, figur::STUTZEN, stutzen);
            r.kapsel(P(s.knoechel[i]), P(s.zehe[i]), 0.05, 0.042, figur::SCHUHE, schuhe);
            // Arms: a short sleeve, the forearm and the hand.
            const V3 aermel_ende = s.schulter[i] + (s.ellbogen[i] - s.schulter[i]) * 0.6;
            r.kapsel(P(s.schulter[i]), P(aermel_ende), 0.065, 0.058, figur::AERMEL, aermel);
            r.kapsel(P(aermel_ende), P(s.ellbogen[i]), 0.047, 0.045, figur::HAUT, haut);
            r.kapsel(P(s.ellbogen[i]), P(s.hand[i]), 0.043, 0.04, figur::HAUT, haut);
            r.kapsel(P(s.hand[i]), P(s.hand[i]), 0.048, 0.048, figur::HAUT, haut);
        }
        // Shorts round the hips, the shirt as two halves of the chest, the collar.
        r.kapsel(P(s.huefte[0]), P(s.huefte[1]), 0.12, 0.12, figur::HOSE, hose);
        for (int i = 0; i < 2; ++i) {
            const V3 seite = (s.schulter[i] - s.nacken) * 0.45;
            r.kapsel(P(s.becken + seite * 0.8 + V3{0, 0, 0.02}), P(s.nacken + seite + (s.becken - s.nacken) * 0.12), 0.13,
                     0.14, figur::HEMD, hemd);
        }
        r.kapsel(P(s.nacken), P(s.nacken), 0.062, 0.062, figur::STUTZEN, teil_farbe(figur::STUTZEN));
        // Head and hair: the hair is a ball set back and up, so the face shows from the front.
        const V3 hinten = (s.kopf - s.nacken) * 0.18;
        r.kapsel(P(s.kopf), P(s.kopf), 0.105, 0.105, figur::HAUT, haut);
        const V3 achse = s.kopf - s.nacken;
        const V3 vor_dir = V3{1, 0, 0};
        r.kapsel(P(s.kopf + hinten - vor_dir * 0.035 + achse * 0.05), P(s.kopf + hinten - vor_dir * 0.035 + achse * 0.05),
                 0.104, 0.104, figur::HAAR, haar);
        return;
    }
    // A linked thing: drawn nearer than the body at the same place.
    const V3 haende = (s.hand[0] + s.hand[1]) * 0.5;
    switch (ding) {
        case BALL_HAENDE: ball_zeichnen(r, b, P(haende + V3{0.08, 0, 0}), 0.11, 0, 0.3f); break;
        case BALL_HOCH: ball_zeichnen(r, b, P(haende + V3{0, 0, 0.05}), 0.11, 0, 0.3f); break;
        case BALL_FUSS: ball_zeichnen(r, b, P(s.zehe[0] + V3{0.15, 0, 0.06}), 0.11, 2 * PI * t, 0.3f); break;
        case FAHNE:
        case FAHNE_HOCH: {
            // A stick from the right hand, the cloth at its end in red and yellow halves.
            const V3 hand = s.hand[0];
            const V3 ende = ding == FAHNE_HOCH ? hand + V3{0.05, -0.05, 0.55} : hand + V3{0.35, -0.05, -0.25};
            r.kapsel(P(hand), P(ende), 0.012, 0.012, figur::TEILE, [](double) { return static_cast<u8>(figur::F_HOLZ); });
            const double wehen = 0.06 * std::sin(2 * PI * t);
            for (int k = 0; k < 6; ++k) {
                const double f = k / 5.0;
                const V3 a = ende + V3{-0.28 * f, 0, -0.02 - wehen * f};
                r.kapsel(P(a), P(a + V3{0, 0, -0.2}), 0.022, 0.022, figur::TEILE, [k](double) {
                    return static_cast<u8>(k < 3 ? figur::F_FAHNE_ROT : figur::F_FAHNE_GELB);
                });
            }
            break;
        }
        case KARTE: {
            // The card in the raised hand: painted in the ball's parts, which the
            // red and yellow tables (objects 54, 55) tint; a referee's own table
            // shows it light.
            const V3 h = s.hand[0] + V3{0, 0, 0.08};
            r.kapsel(P(h), P(h + V3{0, 0, 0.1}), 0.045, 0.045, figur::HOSE,
                     [](double sh) { return figur::Index(figur::HOSE, sh * 0.3); });
            break;
        }
        case FUNKELN:
            for (int k = 0; k < 7; ++k) {
                const double w = 2 * PI * (k / 7.0 + t);
                const V3 p{0.35 * std::cos(w), 0.35 * std::sin(w), 0.2 + 0.22 * k + 0.3 * t};
                r.kapsel(P(p), P(p), 0.025, 0.025, figur::TEILE, [](double) { return static_cast<u8>(figur::F_WEISS); });
            }
            break;
        case NICHTS: break;
    }
}

// The outline: a body pixel next to an empty one, or next to a part nearer to
// the viewer by a step, takes its part's darkest shade.
void umranden(Bild& b) {
    std::vector<u8> neu = b.index;
    for (i32 y = 0; y < b.h; ++y)
        for (i32 x = 0; x < b.w; ++x) {
            const size_t i = static_cast<size_t>(y) * b.w + x;
            const int t = b.teil[i] - 1;
            if (t < 0 || t >= figur::TEILE || b.index[i] == figur::SCHATTEN) continue;
            bool rand = false;
            const i32 nb[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& n : nb) {
                const i32 u = x + n[0], v = y + n[1];
                if (u < 0 || v < 0 || u >= b.w || v >= b.h) {
                    rand = true;
                    continue;
                }
                const size_t j = static_cast<size_t>(v) * b.w + u;
                if (!b.teil[j] || b.index[j] == figur::SCHATTEN) rand = true;
                else if (b.teil[j] - 1 != t && b.tiefe[j] > b.tiefe[i] + 0.12f) rand = true;
            }
            if (rand) neu[i] = figur::Index(static_cast<Teil>(t), -0.9);
        }
    b.index = std::move(neu);
}

// A frame record: 36-byte header, the row table, the run-length rows.
void frame_schreiben(const Bild& b, std::vector<u8>& aus) {
    i32 x1 = b.w, y1 = b.h, x2 = -1, y2 = -1;
    for (i32 y = 0; y < b.h; ++y)
        for (i32 x = 0; x < b.w; ++x)
            if (b.index[static_cast<size_t>(y) * b.w + x]) x1 = std::min(x1, x), x2 = std::max(x2, x), y1 = std::min(y1, y), y2 = std::max(y2, y);
    if (x2 < 0) x1 = y1 = x2 = y2 = 0;
    const i32 w = x2 - x1 + 1, h = y2 - y1 + 1;
    std::vector<u8> zeilen_daten;
    std::vector<u32> zeilen;
    for (i32 y = y1; y <= y2; ++y) {
        zeilen.push_back(static_cast<u32>(zeilen_daten.size()));
        i32 x = x1;
        while (x <= x2) {
            const u8* z = &b.index[static_cast<size_t>(y) * b.w];
            i32 n = 0;
            if (!z[x]) {
                while (x + n <= x2 && !z[x + n] && n < 127) ++n;
                zeilen_daten.push_back(static_cast<u8>(n));
            } else {
                while (x + n <= x2 && z[x + n] && n < 127) ++n;
                zeilen_daten.push_back(static_cast<u8>(0x80 | n));
                for (i32 k = 0; k < n; ++k) zeilen_daten.push_back(z[x + k]);
            }
            x += n;
        }
    }
    bytes::Schreiber s{aus};
    s(static_cast<i16>(w)), s(static_cast<i16>(h)), s(static_cast<i16>(b.x0 + x1)), s(static_cast<i16>(b.y0 + y1));
    for (int i = 0; i < 6; ++i) s(static_cast<u16>(0));
    s(static_cast<u8>(0)), s(static_cast<u8>(8));  // mirrored, depth 8 (palette indices)
    s(static_cast<u16>(0));
    for (int i = 0; i < 3; ++i) s(static_cast<u32>(0));
    for (u32 z : zeilen) s(z);
    s.bytes(zeilen_daten.data(), zeilen_daten.size());
    while (aus.size() % 4) aus.push_back(0);
}

// A blob of n frames per direction.
template <class F>
std::vector<u8> blob(int n, F&& frame) {
    std::vector<u8> daten;
    std::vector<u32> versatz;
    for (int d = 0; d < 16; ++d)
        for (int f = 0; f < n; ++f) {
            versatz.push_back(static_cast<u32>(daten.size()));
            Bild b = leeres_bild();
            frame(b, d, f);
            frame_schreiben(b, daten);
        }
    std::vector<u8> aus;
    bytes::Schreiber s{aus};
    s(static_cast<u32>(daten.size())), s(static_cast<u32>(n)), s(static_cast<u32>(versatz.size()));
    for (u32 v : versatz) s(v);
    s.bytes(daten.data(), daten.size());
    return aus;
}

// Spectators: 15 groups (seated, standing, clapping, arms up, scarf ...), four frames.
Pose zuschauer_pose(int gruppe, double t) {
    const double sn = std::sin(2 * PI * t);
    Pose p;
    const bool sitzt = gruppe == 7 || gruppe == 8 || gruppe == 9 || gruppe >= 12;
    if (sitzt) p = pose(SITZEN, 0, 0, 0, 0);
    switch (gruppe % 7) {
        case 0: p.arm_p[0] = p.arm_p[1] = 2.6 + 0.3 * sn, p.ellbogen[0] = p.ellbogen[1] = 0.2, p.hoch += 0.1 * std::abs(sn); break;
        case 1: p.arm_p[0] = p.arm_p[1] = 1.1, p.ellbogen[0] = p.ellbogen[1] = 1.0 + 0.5 * sn, p.arm_q[0] = p.arm_q[1] = -0.1; break;
        case 2: p.arm_p[0] = 2.8, p.arm_q[0] = 0.3 + 0.4 * sn, p.ellbogen[0] = 0.2; break;
        case 3: p.arm_q[0] = p.arm_q[1] = 1.3 + 0.2 * sn, p.arm_p[0] = p.arm_p[1] = 0.3; break;
        case 4: p.arm_p[0] = p.arm_p[1] = 0.7 + 0.2 * sn, p.ellbogen[0] = p.ellbogen[1] = 1.2; break;
        case 5: p.arm_p[0] = 2.0 + 0.8 * sn, p.ellbogen[0] = 0.6; break;
        default: p.neigung = 0.1 * sn; break;
    }
    return p;
}

}  // namespace

std::vector<u8> Animset_Blob(i32 eintrag) {
    if (eintrag == 0) {
        // The ball: rolling in 16 directions, eight frames a turn.
        return blob(8, [](Bild& b, int d, int f) {
            Raster r{b};
            const Blick bl = blick(d);
            ball_zeichnen(r, bl, projizieren(bl, {0, 0, 0}), 0.16, 2 * PI * f / 8, 0);
            umranden(b);
        });
    }
    if (eintrag >= 189 && eintrag <= 203) {
        const int gruppe = eintrag - 189;
        return blob(4, [gruppe](Bild& b, int d, int f) {
            figur_zeichnen(b, blick(d), skelett(zuschauer_pose(gruppe, f / 4.0)), NICHTS, f / 4.0);
            umranden(b);
        });
    }
    const Eintrag e = eintrag_art(eintrag);
    return blob(8, [e](Bild& b, int d, int f) {
        const double t = f / 8.0;
        figur_zeichnen(b, blick(d), skelett(pose(e.b, t, e.seite, e.hoehe, e.weit)), e.ding, t);
        umranden(b);
    });
}

}  // namespace resgen
