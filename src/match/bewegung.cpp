// Movement: where every figure wants to stand, how it runs there, the
// animation entries the view shows, the referee and the linesmen.
#include <bit>

#include "match/anim.h"
#include "match/spielfeld_intern.h"

namespace engine {

namespace {

// The engine's timing fields of the sets, packed (the shared table keeps them
// among the view's fields, a quarter of a kilobyte apart).
struct Anim_Zeit {
    i16 dauer;
    u8 schleife;
    u8 unterbrechbar;
};
struct Anim_Zeiten {
    Anim_Zeit z[ANIM_SETS];
    Anim_Zeiten() {
        for (int i = 0; i < ANIM_SETS; i++)
            z[i] = {static_cast<i16>(Anim_Tabelle[i].dauer), Anim_Tabelle[i].schleife, Anim_Tabelle[i].unterbrechbar};
    }
};
const Anim_Zeiten Zeiten;

}  // namespace

// Starts a set on a figure (an action: a kick, a card, a fall ...). A set it
// already plays goes on: one that loops, or one that has not ended yet.
// anim.bild counts the ticks since the set (or its current round) began,
// anim.rest the ticks it still plays (in the current round for a set that loops).
void anim(Spielfeld_Objekt& o, u16 set) {
    auto& a = o.anim;
    if (a.set == set && (Zeiten.z[set].schleife || a.rest > 0)) return;
    a.set = set;
    a.bild = 0;
    a.rest = Zeiten.z[set].dauer;
}

// Starts a set unless an action that may not be cut short still plays (the
// whistle after a foul waits for the card being shown).
void anim_wenn_frei(Spielfeld_Objekt& o, u16 set) {
    if (o.anim.rest > 0 && !Zeiten.z[o.anim.set].unterbrechbar && o.anim.set != set) return;
    anim(o, set);
}

namespace {

// One tick of a figure that runs or stands on its own: its base set plays on,
// or replaces the current set once that has ended or may be cut short.
inline void anim_basis(Spielfeld_Objekt& o, u16 basis) {
    auto& a = o.anim;
    if (a.set == basis) {
        if (--a.rest > 0) {
            a.bild++;
        } else {
            a.bild = 0;
            a.rest = Zeiten.z[basis].dauer;
        }
        return;
    }
    if (a.rest <= 1 || Zeiten.z[a.set].unterbrechbar) {
        a.set = basis;
        a.bild = 0;
        a.rest = Zeiten.z[basis].dauer;
        return;
    }
    a.rest--;
    a.bild++;
}

u8 richtung_von(f32 dx, f32 dy) {
    // 0 up (y-), 4 right (x+), 8 down, 12 left: sixteen sectors without
    // trigonometry (borders at 11.25, 33.75, 56.25 and 78.75 degrees).
    f32 ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
    int k;  // 0..4: from the vertical towards the horizontal
    if (ax < ay * 0.19891f) k = 0;
    else if (ax < ay * 0.66818f) k = 1;
    else if (ax < ay * 1.49661f) k = 2;
    else if (ax < ay * 5.02734f) k = 3;
    else k = 4;
    int r;
    if (dx >= 0) r = dy <= 0 ? k : 8 - k;
    else r = dy <= 0 ? 16 - k : 8 + k;
    return static_cast<u8>(r & 15);
}

}  // namespace

// The keeper slot of a side (the figure with the goalkeeper flag on the pitch), -1.
int torwart(Spielfeld_Daten* sf, int seite) {
    int b = seite * SF_PRO_SEITE;
    for (int i = b; i < b + SF_PRO_SEITE; i++)
        if (sf->objekt[i].torwart && sf_auf_platz(sf->spieler[i])) return i;
    return -1;
}

// The player of a side nearest to a point (field players only when mit_tw is false).
int naechster(Spielfeld_Daten* sf, int seite, f32 x, f32 y, bool mit_tw, int ausser) {
    int best = -1;
    f32 bd = 1e30f;
    int b = seite * SF_PRO_SEITE;
    for (int i = b; i < b + SF_PRO_SEITE; i++) {
        if (i == ausser || !sf_auf_platz(sf->spieler[i])) continue;
        if (!mit_tw && sf->objekt[i].torwart) continue;
        f32 d = d2(sf->objekt[i].x, sf->objekt[i].y, x, y);
        if (d < bd) {
            bd = d;
            best = i;
        }
    }
    return best;
}

Ziel_Basis ziel_basis(const Spielfeld_Daten* sf, const Lage& l) {
    Ziel_Basis z;
    for (int s = 0; s < 2; s++) {
        const auto& seite = sf->seite[s];
        const f32 brx = l.ball_rx[s];
        const bool besitz = l.besitz[s];
        const f32 linie = static_cast<f32>(seite.taktik[TW_WERT3] - 50) * LINIE_JE_STUFE;
        for (int hinten = 0; hinten < 2; hinten++) {
            f32 schub = (brx - SF_MITTE_X) * (hinten ? 0.4f : 0.6f) + (besitz ? 900.0f : -500.0f) + linie;
            if (seite.schalter && besitz) schub += 1500.0f;
            schub += static_cast<f32>(spielstand_drang(sf, s)) * 25.0f;
            // The offside trap keeps the back line up.
            if (hinten && !besitz && seite.taktik[TW_SCHALTER1]) schub += ABSEITSFALLE_SCHUB;
            z.schub[s][hinten] = schub;
        }
        z.hoch[s] = SF_LAENGE - l.linie[s ^ 1] - 1500.0f;
        z.vorne[s] = SF_LAENGE - l.linie[s ^ 1];
    }
    z.ball_y = sf->objekt[SF_OBJ_BALL].y;
    z.ball_y_anteil = z.ball_y * 0.28f;
    z.spell_takt = static_cast<u32>(sf->ticks) / 40;
    z.drift_takt = static_cast<u32>(sf->ticks) / 60;
    return z;
}

// Where a player who is not chasing wants to stand.
void ziel_berechnen(Spielfeld_Daten* sf, int i, const Lage& l, const Ziel_Basis& z) {
    auto& sp = sf->spieler[i];
    auto& o = sf->objekt[i];
    int s = sf_seite(i);
    f32 brx = l.ball_rx[s];
    bool besitz = l.besitz[s];
    f32 tx, ty;
    if (o.torwart) {
        // On the line from the goal's centre to the ball, further out the nearer the ball comes.
        tx = clampf(120.0f + brx / 22.0f, 60, 600);
        ty = TOR_Y + (z.ball_y - TOR_Y) * clampf(tx / (brx > 200.0f ? brx : 200.0f), 0.0f, 0.9f);
        ty = clampf(ty, SF_PFOSTEN_1 - 150.0f, SF_PFOSTEN_2 + 150.0f);
    } else {
        tx = sp.taktik_x + z.schub[s][sp.position == 1];
        ty = sp.taktik_y * 0.72f + z.ball_y_anteil;
        // Forwards stay up when the other side has the ball.
        if (!besitz && sp.position == 3) {
            if (tx < z.hoch[s]) tx = z.hoch[s];
        }
        if (!besitz && sp.position <= 2) {
            // Mark the nearest attacker in the zone: stand goal-side of him.
            const int g = s ^ 1, n = l.feld_n[g];
            const f32* fx = l.feld_x[g];
            const f32* fy = l.feld_y[g];
            const int best = naechster_punkt(fx, fy, n, abs_x(sf, s, tx), ty, 1100.0f * 1100.0f);
            sp.deckt = static_cast<i8>(best >= 0 ? l.feld_slot[g][best] : -1);
            if (best >= 0) {
                // A defender of the back line follows a runner only so far: the line holds.
                const f32 linie = tx - LINIE_HALTEN;
                // Two men marking the same attacker take different spots.
                const u32 k = static_cast<u32>(i) % SF_PRO_SEITE;
                tx = rel_x(sf, s, fx[best]) - 320.0f - static_cast<f32>(k / 5 % 3) * 60.0f;
                if (sp.position == 1 && tx < linie) tx = linie;
                ty = fy[best] + static_cast<f32>(static_cast<int>(k % 5) - 2) * 110.0f;
            }
        } else {
            sp.deckt = -1;
        }
        // Attackers play on the last defender's shoulder when the side has the
        // ball, and now and then run in behind him.
        if (besitz && sp.position == 3) {
            const f32 linie = z.vorne[s];
            // Each 4-second spell he stands a little on or off the line, or runs in behind.
            const u32 spell = (z.spell_takt + static_cast<u32>(i) * 3) % 8;
            bool lauf = spell % LAUF_TAKT == 0;
            tx = lauf ? linie + 600.0f : linie - 300.0f + static_cast<f32>(spell) * 40.0f;
            tx = clampf(tx, 0, SF_LAENGE - 900.0f);
        }
        tx = clampf(tx, 250, SF_LAENGE - 700.0f);
    }
    // A slow drift so that nobody freezes on one spot.
    const u32 phase = (z.drift_takt + static_cast<u32>(i) * 7) % 8;
    static const i8 wx[8] = {0, 1, 2, 1, 0, -1, -2, -1};
    static const i8 wy[8] = {2, 1, 0, -1, -2, -1, 0, 1};
    tx += wx[phase] * 45.0f;
    ty += wy[phase] * 45.0f;
    sp.ziel_x = static_cast<i16>(abs_x(sf, s, tx));
    sp.ziel_y = static_cast<i16>(clampf(ty, 80, SF_BREITE - 80));
}

namespace {

constexpr int ZIEL_TOLERANZ = 50;  // cm

// The base set of a figure going on along its straight line (or standing).
// The animation entries are for the view only: an unseen pitch skips them,
// and nothing of the game depends on them.
void anim_linie(Spielfeld_Objekt& o, const Spielfeld_Spieler& sp, bool eilig) {
    const u8 flag = sp.flag;
    const bool steht = (flag & F_STEHT) != 0;
    const f32 sch = steht ? 0.0f : ((flag & F_LAUFEN) ? 50.0f : ((flag & F_LANGSAM) ? 20.0f : 35.0f));
    anim_basis(o, Anim_Basis(sch, eilig, false, sp.ausdauer < 3000, o.torwart != 0));
}

// A figure going on along his straight line for n ticks (a standing one has no speed).
inline void linie_folgen(Spielfeld_Daten* sf, Spielfeld_Objekt& o, Spielfeld_Spieler& sp, bool eilig, int n) {
    const int k = sp.schritte < n ? sp.schritte : n;
    if (k > 0) {
        sp.schritte = static_cast<u8>(sp.schritte - k);
        const f32 w = DT * static_cast<f32>(k);
        o.x += o.vx * w;
        o.y += o.vy * w;
    }
    if (sf->anzeige)
        for (int j = 0; j < n; j++) anim_linie(o, sp, eilig);
}

inline void atmen(Spielfeld_Spieler& sp, int delta) {
    const int a = sp.ausdauer + delta;
    sp.ausdauer = a < 1000 ? 1000 : (a > 10000 ? 10000 : a);
}

// The view's part of a new line: n ticks of the base set (and the new heading when he runs).
// Kept out of the engine's way: an unseen pitch never calls it.
[[gnu::noinline, gnu::cold]] void linie_zeigen(Spielfeld_Objekt& o, u16 set, int n, bool laeuft, f32 dx, f32 dy) {
    if (laeuft) o.anim.richtung = richtung_von(dx, dy);
    for (int j = 0; j < n; j++) anim_basis(o, set);
}

// A new straight line towards the target (or standing at it), and its first n ticks.
[[gnu::always_inline]] inline void neue_linie(Spielfeld_Daten* sf, int i, bool eilig, int n) {
    auto& sp = sf->spieler[i];
    auto& o = sf->objekt[i];
    const bool fuehrt = sf->ballfuehrer == i;
    f32 dx = sp.ziel_x - o.x, dy = sp.ziel_y - o.y;
    f32 dd = dx * dx + dy * dy;
    if (dd < (eilig ? 1.0f : 625.0f)) {
        // Close enough: he stands and gets his breath back.
        sp.schritte = 0;
        sp.alt_x = sp.ziel_x;
        sp.alt_y = sp.ziel_y;
        sp.flag = static_cast<u8>((sp.flag & 0x0F) | F_STEHT | (eilig ? F_EILIG : 0));
        o.vx = o.vy = 0;
        if (sf->anzeige) [[unlikely]]
            linie_zeigen(o, Anim_Basis(0.0f, eilig, fuehrt, sp.ausdauer < 3000, o.torwart != 0), n, false, dx, dy);
        atmen(sp, ATEM_STEHEN * n);
        return;
    }
    f32 v = (520.0f + static_cast<f32>(faehig(sf, i, sp.f_tempo)) * 3.0f) *
            (0.72f + static_cast<f32>(sp.ausdauer) * 0.000028f);
    if (!eilig) v *= dd > 400.0f * 400.0f ? 0.7f : 0.38f;
    if (fuehrt) v *= 0.9f;
    f32 schritt = v * DT;
    const f32 d = std::sqrt(dd);
    if (schritt > d) schritt = d;
    // n steps along the line, never past the target.
    const f32 weg = schritt * static_cast<f32>(n) < d ? schritt * static_cast<f32>(n) : d;
    const f32 inv = 1.0f / d;
    const f32 k = schritt * inv, kw = weg * inv;
    o.x += dx * kw;
    o.y += dy * kw;
    o.vx = dx * k * (1.0f / DT);
    o.vy = dy * k * (1.0f / DT);
    // The straight line is kept until the target moves.
    f32 rest = d / schritt - static_cast<f32>(n);
    sp.schritte = static_cast<u8>(rest < 0 ? 0 : (rest > 40 ? 40 : rest));
    sp.alt_x = sp.ziel_x;
    sp.alt_y = sp.ziel_y;
    sp.flag = static_cast<u8>((sp.flag & 0x0F) | (eilig ? F_EILIG : 0) | (schritt > 40 ? F_LAUFEN : 0) |
                              (schritt < 30 ? F_LANGSAM : 0));
    if (sf->anzeige) [[unlikely]]
        linie_zeigen(o, Anim_Basis(schritt, eilig, fuehrt, sp.ausdauer < 3000, o.torwart != 0), n, true, dx, dy);
    // Stamina: sprinting costs, walking gives it back.
    atmen(sp, (eilig ? ATEM_SPRINT : (schritt < 30 ? ATEM_GEHEN : ATEM_LAUFEN)) * n);
}

// One visit of a figure covering n ticks: 1 for a figure in a hurry, 2 for the others.
[[gnu::always_inline]] inline void bewegen(Spielfeld_Daten* sf, int i, bool eilig, int n) {
    auto& sp = sf->spieler[i];
    const u8 flag = sp.flag;
    // A target that moved by a step or less keeps the current line (or the standing) of a player who is
    // not in a hurry: nobody starts a new line for half a metre.
    const u32 t = eilig ? 0u : static_cast<u32>(ZIEL_TOLERANZ);
    const u32 ddx = static_cast<u32>(sp.alt_x - sp.ziel_x) + t, ddy = static_cast<u32>(sp.alt_y - sp.ziel_y) + t;
    const bool gleich = ddx <= 2 * t && ddy <= 2 * t && ((flag & F_EILIG) != 0) == eilig && sf->ballfuehrer != i;
    const bool steht = (flag & F_STEHT) != 0;
    if (!gleich || (!steht && sp.schritte == 0)) {
        neue_linie(sf, i, eilig, n);
        return;
    }
    // Standing at the same target, or still on the straight line to it: the step, the pace and the
    // figure are known. Stamina: standing gives most back, walking some; running and sprinting cost.
    linie_folgen(sf, sf->objekt[i], sp, eilig, n);
    static constexpr i8 ATEM[4] = {ATEM_STEHEN, ATEM_SPRINT, ATEM_GEHEN, ATEM_LAUFEN};
    atmen(sp, ATEM[steht ? 0 : (eilig ? 1 : ((flag & F_LANGSAM) ? 2 : 3))] * n);
}

// The chasers run to where the ball will be (a keeper never over his own line).
void jagen(Spielfeld_Daten* sf, int i) {
    auto& sp = sf->spieler[i];
    const auto& b = BALL(sf);
    f32 zx = b.x + b.vx * 0.25f;
    if (sf->objekt[i].torwart) zx = abs_x(sf, sf_seite(i), clampf(rel_x(sf, sf_seite(i), zx), 40.0f, SF_LAENGE));
    sp.ziel_x = static_cast<i16>(zx);
    sp.ziel_y = static_cast<i16>(b.y + b.vy * 0.25f);
}

// Off the ball everyone but the players of the ball (frei: their slots) looks
// at his place again every BLICK ticks (twice as many far from the ball).
void plaetze_pruefen(Spielfeld_Daten* sf, const Lage& l, u64 frei, bool geaendert) {
    const auto& b = BALL(sf);
    const bool alle = (sf->ticks & (2 * BLICK - 1)) == 0;
    const Ziel_Basis z = ziel_basis(sf, l);
    for (int a = 0; a < l.anzahl; a++) {
        const int i = l.aktiv[a];
        if ((frei >> i) & 1) continue;
        if (geaendert && !sf_auf_platz(sf->spieler[i])) continue;  // sent off or changed during this tick
        const auto& o = sf->objekt[i];
        if (alle || d2(o.x, o.y, b.x, b.y) <= FERN * FERN) ziel_berechnen(sf, i, l, z);
    }
}

}  // namespace

// Everyone moves. The figures in a hurry (the ball holder, the receiver of a
// pass, the chasers, a forward making his run, the taker of a set piece) run
// on every tick; the others go to their places on one tick in TAKT (by slot),
// TAKT ticks' way at once. A view may show them on their lines in between.
void alle_bewegen(Spielfeld_Daten* sf, const Lage& l, bool geaendert) {
    const bool spiel = sf->situation == SIT_SPIEL;
    u64 eilig = 0;
    auto dazu = [&eilig](int i) {
        if (i >= 0 && i < SF_SPIELER) eilig |= u64{1} << i;
    };
    if (spiel) {
        dazu(sf->ballfuehrer);
        dazu(sf->pass_ziel);
        for (int s = 0; s < 2; s++) {
            const int j = l.jaeger[s];
            // A chaser looks where the ball will be on every second tick.
            if (j >= 0 && j != sf->ballfuehrer && j != sf->pass_ziel && ((sf->ticks + j) & 1) == 0) jagen(sf, j);
            dazu(j);
        }
        if ((sf->ticks & (BLICK - 1)) == 0) plaetze_pruefen(sf, l, eilig, geaendert);
        eilig |= l.stuermer;  // the forwards of the side with the ball make their runs
    } else {
        dazu(sf->ausfuehrer);
    }
    for (u64 m = eilig; m != 0; m &= m - 1) {
        const int i = std::countr_zero(m);
        if (sf_auf_platz(sf->spieler[i])) bewegen(sf, i, true, 1);
    }
    for (int i = (TAKT - (sf->ticks & (TAKT - 1))) & (TAKT - 1); i < SF_SPIELER; i += TAKT) {
        if (!((eilig >> i) & 1) && sf_auf_platz(sf->spieler[i])) bewegen(sf, i, false, TAKT);
    }
}

namespace {

void schiri_bewegen(Spielfeld_Daten* sf) {
    const auto& b = BALL(sf);
    auto& r = O(sf, SF_OBJ_SCHIRI);
    f32 zx = clampf(b.x - 900.0f, 600, SF_LAENGE - 600), zy = clampf(b.y + 900.0f, 400, SF_BREITE - 400);
    f32 dx = zx - r.x, dy = zy - r.y, dd = dx * dx + dy * dy;
    if (dd > 100.0f) {
        f32 d = std::sqrt(dd), st = d > 60 * OFFIZIELLE_TAKT ? 60 * OFFIZIELLE_TAKT : d;
        r.x += dx / d * st;
        r.y += dy / d * st;
        if (sf->anzeige) {
            r.anim.richtung = richtung_von(dx, dy);
            for (int k = 0; k < OFFIZIELLE_TAKT; k++)
                anim_basis(r, Anim_Basis(st / OFFIZIELLE_TAKT, false, false, false, false));
        }
    } else if (sf->anzeige) {
        for (int k = 0; k < OFFIZIELLE_TAKT; k++) anim_basis(r, A_SCHIRI);
    }
}

// The linesmen keep level with the second-last defender of their half, or
// with the ball when it is nearer the goal line.
void linienrichter_bewegen(Spielfeld_Daten* sf, const Lage& ll) {
    const auto& b = BALL(sf);
    for (int k = 0; k < 2; k++) {
        auto& l = O(sf, SF_OBJ_LINIE_1 + k);
        int vert = (sf_richtung(sf, 0) > 0) == (k == 0) ? 0 : 1;  // the side defending this half
        f32 linie = abs_x(sf, vert, ll.linie[vert]);
        f32 lx = k == 0 ? clampf(b.x < linie ? b.x : linie, 0, SF_MITTE_X)
                        : clampf(b.x > linie ? b.x : linie, SF_MITTE_X, SF_LAENGE);
        constexpr f32 MAX = 50.0f * OFFIZIELLE_TAKT;
        f32 d = lx - l.x;
        f32 st = d > MAX ? MAX : (d < -MAX ? -MAX : d);
        l.x += st;
        // A raised flag or a corner signal plays to its end first (the table holds them).
        if (sf->anzeige)
            for (int j = 0; j < OFFIZIELLE_TAKT; j++)
                anim_basis(l, st == 0 ? static_cast<u16>(A_LINIE)
                                      : Anim_Basis(std::fabs(st) / OFFIZIELLE_TAKT, false, false, false, false));
    }
}

}  // namespace

void offizielle(Spielfeld_Daten* sf, const Lage& ll) {
    auto& b = BALL(sf);
    // The officials move on one tick in OFFIZIELLE_TAKT, that many ticks' way at once.
    if ((sf->ticks & (OFFIZIELLE_TAKT - 1)) == 0) {
        schiri_bewegen(sf);
        linienrichter_bewegen(sf, ll);
    }
    sf->kamera[0] = clampf(b.x, 800, 10000);
    sf->kamera[1] = clampf(b.y, 1360, 5440);
    sf->kamera[2] = b.z;
    sf->kamera_schritte++;
}

// The positions for a kick-off; everyone stands in his own half.
void anstoss_positionen(Spielfeld_Daten* sf) {
    for (int i = 0; i < SF_SPIELER; i++) {
        auto& sp = sf->spieler[i];
        auto& o = sf->objekt[i];
        if (!sf_auf_platz(sp)) continue;
        int s = sf_seite(i);
        f32 rx = o.torwart ? 120.0f : clampf(sp.taktik_x * 0.55f, 600, SF_MITTE_X - 250.0f);
        sp.ziel_x = static_cast<i16>(abs_x(sf, s, rx));
        sp.ziel_y = sp.taktik_y;
    }
}

// Targets of everyone during a set piece: the usual positions, a wall, the box.
void standard_ziele(Spielfeld_Daten* sf, const Lage& l) {
    auto& b = BALL(sf);
    int s = sf->ball_seite;
    if (sf->situation == SIT_ANSTOSS || (sf->ticks & (BLICK - 1)) != 0) return;
    const Ziel_Basis z = ziel_basis(sf, l);
    for (int i = 0; i < SF_SPIELER; i++) {
        if (!sf_auf_platz(sf->spieler[i]) || i == sf->ausfuehrer) continue;
        ziel_berechnen(sf, i, l, z);
        auto& sp = sf->spieler[i];
        int si = sf_seite(i);
        if (sf->situation == SIT_ELFMETER && !sf->objekt[i].torwart) {
            // Everyone outside the box.
            f32 rx = rel_x(sf, si == s ? s ^ 1 : si, sp.ziel_x);
            if (rx < 1900) sp.ziel_x = static_cast<i16>(abs_x(sf, si == s ? s ^ 1 : si, 1950 + (i % 5) * 90.0f));
        } else if ((sf->situation == SIT_ECKE || sf->situation == SIT_FREISTOSS) && !sf->objekt[i].torwart) {
            f32 tor_x = ziel_tor_x(sf, s);
            if (sf->situation == SIT_ECKE && sp.position >= 1 && (si == s ? sp.position >= 2 : true)) {
                int k = i % SF_PRO_SEITE;
                f32 rx = 500.0f + (k % 4) * 250.0f;
                sp.ziel_x = static_cast<i16>(tor_x > 0 ? SF_LAENGE - rx : rx);
                sp.ziel_y = static_cast<i16>(SF_PFOSTEN_1 - 500.0f + (k % 6) * 300.0f + (si == s ? 60.0f : 0));
            } else if (sf->situation == SIT_FREISTOSS && si != s && sp.position == 1 &&
                       d2(b.x, b.y, tor_x, TOR_Y) < 3000.0f * 3000.0f) {
                // A wall 9.15 m from the ball towards the goal.
                f32 dx = tor_x - b.x, dy = TOR_Y - b.y, d = std::sqrt(dx * dx + dy * dy) + 1;
                int k = i % 4;
                sp.ziel_x = static_cast<i16>(b.x + dx / d * 915.0f);
                sp.ziel_y = static_cast<i16>(b.y + dy / d * 915.0f + (k - 1.5f) * 60.0f);
                anim(O(sf, i), A_MAUER);
            }
        }
    }
}

}  // namespace engine

using namespace engine;

void Engine_Taktik_Berechnen(Spielfeld_Daten* sf, int seite) {
    int b = seite * SF_PRO_SEITE;
    for (int i = b; i < b + SF_PRO_SEITE; i++) {
        auto& s = sf->spieler[i];
        if (s.spieler < 0) continue;
        s.zone_x[0] = static_cast<i16>(s.taktik_x - 1500 < 0 ? 0 : s.taktik_x - 1500);
        s.zone_x[1] = static_cast<i16>(s.taktik_x + 1500 > SF_LAENGE ? SF_LAENGE : s.taktik_x + 1500);
        s.marke[0][0] = s.zone_x[0];
        s.marke[1][0] = s.zone_x[1];
    }
}

void Engine_Aufstellen(Spielfeld_Daten* sf, int anstoss_seite) {
    sf->anstoss_seite = static_cast<u8>(anstoss_seite);
    anstoss_positionen(sf);
    for (int i = 0; i < SF_SPIELER; i++) {
        auto& sp = sf->spieler[i];
        auto& o = sf->objekt[i];
        o.vx = o.vy = o.vz = 0;
        o.z = 0;
        if (sf_auf_platz(sp)) {
            o.x = sp.ziel_x;
            o.y = sp.ziel_y;
            o.sichtbar = 1;
            o.anim = Spielfeld_Anim{};
            anim(o, o.torwart ? A_TW_STEHEN : A_STEHEN);
            o.anim.richtung = sf_richtung(sf, sf_seite(i)) > 0 ? 4 : 12;
        } else if (sp.spieler >= 0 && (sp.status & SFS_BANK)) {
            // On the bench beside the pitch.
            o.x = SF_MITTE_X - 1400.0f + (sf_seite(i) ? 1800.0f : 0) + static_cast<f32>((i % SF_PRO_SEITE) * 60);
            o.y = -250;
            o.sichtbar = 1;
            o.anim = Spielfeld_Anim{};
            anim(o, A_BANK);
            o.anim.richtung = 10;
        } else {
            o.sichtbar = 0;
            o.y = -400;
        }
        sp.sperre = 0;
        versetzt(sp);
    }
    auto& r = O(sf, SF_OBJ_SCHIRI);
    r.x = SF_MITTE_X - 600;
    r.y = SF_BREITE / 2 + 700;
    r.sichtbar = 1;
    anim(r, A_SCHIRI);
    O(sf, SF_OBJ_LINIE_1) = Spielfeld_Objekt{};
    O(sf, SF_OBJ_LINIE_1).x = SF_MITTE_X / 2;
    O(sf, SF_OBJ_LINIE_1).y = -80;
    O(sf, SF_OBJ_LINIE_1).sichtbar = 1;
    O(sf, SF_OBJ_LINIE_2) = Spielfeld_Objekt{};
    O(sf, SF_OBJ_LINIE_2).x = SF_MITTE_X + SF_MITTE_X / 2;
    O(sf, SF_OBJ_LINIE_2).y = SF_BREITE + 80;
    O(sf, SF_OBJ_LINIE_2).sichtbar = 1;
    anim(O(sf, SF_OBJ_LINIE_1), A_LINIE);
    anim(O(sf, SF_OBJ_LINIE_2), A_LINIE);
    auto& b = BALL(sf);
    b.sichtbar = 1;
    anim(b, A_BALL);
    int k = naechster(sf, anstoss_seite, SF_MITTE_X, SF_BREITE / 2, false);
    standard(sf, SIT_ANSTOSS, anstoss_seite, SF_MITTE_X, SF_BREITE / 2, k, 30);
    if (k >= 0) {
        O(sf, k).x = SF_MITTE_X - sf_richtung(sf, anstoss_seite) * 40.0f;
        O(sf, k).y = SF_BREITE / 2;
        versetzt(sf->spieler[k]);
        sf->spieler[k].ziel_x = static_cast<i16>(O(sf, k).x);
        sf->spieler[k].ziel_y = static_cast<i16>(O(sf, k).y);
    }
    sf->pass_geber = KEIN_SLOT;
}

void Engine_Elfmeter_Vorbereiten(Spielfeld_Daten* sf, int seite, int slot) {
    sf->situation = SIT_SCHIESSEN;
    sf->halten = 1;
    sf->elfer_seite = static_cast<u8>(seite);
    sf->elfer_schuetze = static_cast<u8>(slot);
    sf->elfer_ergebnis = SCHUSS_KEINER;
    sf->wartezeit = 30;
    ball_frei(sf);
    auto& b = BALL(sf);
    b.x = SF_LAENGE - SF_ELFMETERPUNKT;
    b.y = TOR_Y;
    b.z = 0;
    b.vx = b.vy = b.vz = 0;
    // Everyone else waits in the centre circle.
    for (int i = 0; i < SF_SPIELER; i++) {
        if (!sf_auf_platz(sf->spieler[i])) continue;
        auto& o = O(sf, i);
        o.x = SF_MITTE_X + static_cast<f32>((i % SF_PRO_SEITE) * 25 - 200);
        o.y = SF_BREITE / 2 + (sf_seite(i) ? 300.0f : -300.0f);
        versetzt(sf->spieler[i]);
        sf->spieler[i].ziel_x = static_cast<i16>(o.x);
        sf->spieler[i].ziel_y = static_cast<i16>(o.y);
    }
    auto& k = O(sf, slot);
    k.x = b.x - 100;
    k.y = b.y;
    versetzt(sf->spieler[slot]);
    sf->spieler[slot].ziel_x = static_cast<i16>(k.x);
    sf->spieler[slot].ziel_y = static_cast<i16>(k.y);
    int tw = torwart(sf, seite ^ 1);
    if (tw >= 0) {
        O(sf, tw).x = SF_LAENGE - 15;
        O(sf, tw).y = TOR_Y;
        versetzt(sf->spieler[tw]);
        sf->spieler[tw].ziel_x = static_cast<i16>(SF_LAENGE - 15);
        sf->spieler[tw].ziel_y = static_cast<i16>(TOR_Y);
    }
}
