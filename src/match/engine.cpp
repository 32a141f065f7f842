// The match engine's tick: positions, running, duels, passes, shots, the ball
// in flight, the rules and the set pieces.
//
// A tick is a tenth of a second of play (90 ticks make a match minute). All
// draws come from the shared random table; the caller has set the cursor to
// the pitch's own one, so the order of the draws below is part of the game.
#include <cmath>
#include <cstring>

#include "base/random.h"
#include "match/anim.h"
#include "match/spielfeld_intern.h"
#include "world/welt.h"

namespace {

constexpr f32 DT = 0.1f;
constexpr f32 G = 981.0f;
constexpr f32 REICHWEITE = 90.0f;     // reach to take the ball
constexpr f32 ZWEIKAMPF_NAH = 130.0f;
constexpr f32 TOR_Y = 3403.0f;

// Set when a player left the pitch during the tick, so that the tick's lists are made anew.
bool Aufstellung_Geaendert = false;

inline Spielfeld_Objekt& O(Spielfeld_Daten* sf, int i) { return sf->objekt[i]; }
inline Spielfeld_Objekt& BALL(Spielfeld_Daten* sf) { return sf->objekt[SF_OBJ_BALL]; }
inline int draw(int n) { return Rnd_Basis(0, n - 1); }  // 0..n-1
inline f32 clampf(f32 v, f32 a, f32 b) { return v < a ? a : (v > b ? b : v); }
inline f32 d2(f32 ax, f32 ay, f32 bx, f32 by) { return (ax - bx) * (ax - bx) + (ay - by) * (ay - by); }
// x of the goal a side attacks.
inline f32 ziel_tor_x(const Spielfeld_Daten* sf, int seite) { return sf_richtung(sf, seite) > 0 ? SF_LAENGE : 0.0f; }
// Distance of a point from a side's own goal line.
inline f32 rel_x(const Spielfeld_Daten* sf, int seite, f32 x) { return sf_richtung(sf, seite) > 0 ? x : SF_LAENGE - x; }
inline f32 abs_x(const Spielfeld_Daten* sf, int seite, f32 rx) { return sf_richtung(sf, seite) > 0 ? rx : SF_LAENGE - rx; }

inline bool im_strafraum(f32 rx, f32 y) { return rx < SF_STRAFRAUM_TIEFE && y > SF_STRAFRAUM_Y1 && y < SF_STRAFRAUM_Y2; }

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

// The keeper slot of a side (the figure with the goalkeeper flag on the pitch), -1.
int torwart(Spielfeld_Daten* sf, int seite) {
    int b = seite * SF_PRO_SEITE;
    for (int i = b; i < b + SF_PRO_SEITE; i++)
        if (sf->objekt[i].torwart && sf_auf_platz(sf->spieler[i])) return i;
    return -1;
}

void stat(Spielfeld_Daten* sf, int slot, int byte) {
    if (slot >= 0 && slot < SF_SPIELER && sf->statistik[slot][byte] < 255) sf->statistik[slot][byte]++;
}
void punkte(Spielfeld_Daten* sf, int slot, int p) {
    if (slot >= 0 && slot < SF_SPIELER) sf->spieler[slot].bewertung = static_cast<i16>(sf->spieler[slot].bewertung + p);
}

// Effective skill with stamina and injury.
int faehig(const Spielfeld_Spieler& s, u8 wert) {
    int v = wert;
    if (s.ausdauer < 3300) v -= (3300 - s.ausdauer) / 220;
    if (s.verletzung) v -= 15;
    return v < 1 ? 1 : v;
}

// Pace bits of the current straight line in the slot's flag byte; F_STEHT: he stands at the target of alt_x/alt_y.
constexpr u8 F_EILIG = 0x80, F_LAUFEN = 0x40, F_LANGSAM = 0x20, F_STEHT = 0x10;

// A figure put to a new place: his straight line and his standing are forgotten.
void versetzt(Spielfeld_Spieler& sp) {
    sp.schritte = 0;
    sp.flag = static_cast<u8>(sp.flag & ~F_STEHT);
}

void ball_frei(Spielfeld_Daten* sf) {
    sf->ballfuehrer = KEIN_SLOT;
    sf->ballbesitz_ticks = 0;
}

void ball_geben(Spielfeld_Daten* sf, int slot) {
    sf->ballfuehrer = static_cast<u8>(slot);
    sf->ball_letzter = static_cast<u8>(slot);
    sf->ball_seite = static_cast<u8>(sf_seite(slot));
    sf->ballbesitz_ticks = 0;
    sf->pass_ziel = KEIN_SLOT;
    sf->schuss = SCHUSS_KEINER;
    auto& b = BALL(sf);
    b.vx = b.vy = b.vz = 0;
    stat(sf, slot, 5);
}

// Sets up a dead ball: ball placed, taker chosen, a wait before the kick.
void standard(Spielfeld_Daten* sf, u8 situation, int seite, f32 x, f32 y, int ausfuehrer, int warte) {
    sf->situation = situation;
    ball_frei(sf);
    sf->schuss = SCHUSS_KEINER;
    sf->pass_ziel = KEIN_SLOT;
    sf->elfer_im_spiel = 0;
    sf->vorteil = 0;
    auto& b = BALL(sf);
    b.x = clampf(x, 0, SF_LAENGE);
    b.y = clampf(y, 0, SF_BREITE);
    b.z = 0;
    b.vx = b.vy = b.vz = 0;
    sf->standard_x = b.x;
    sf->standard_y = b.y;
    sf->ball_seite = static_cast<u8>(seite);
    sf->ausfuehrer = static_cast<u8>(ausfuehrer);
    sf->wartezeit = static_cast<i16>(warte);
    anim_wenn_frei(O(sf, SF_OBJ_SCHIRI), A_PFEIFT);
}

// The player of a side nearest to a point (field players only when mit_tw is false).
int naechster(Spielfeld_Daten* sf, int seite, f32 x, f32 y, bool mit_tw, int ausser = -1) {
    int best = -1;
    f32 bd = 1e30f;
    int b = seite * SF_PRO_SEITE;
    for (int i = b; i < b + SF_PRO_SEITE; i++) {
        if (i == ausser || !sf_auf_platz(sf->spieler[i])) continue;
        if (!mit_tw && sf->objekt[i].torwart) continue;
        f32 d = d2(sf->objekt[i].x, sf->objekt[i].y, x, y);
        if (d < bd) { bd = d; best = i; }
    }
    return best;
}

// The taker of a set piece: a player with the role flag, else the best at the skill.
int schuetze_waehlen(Spielfeld_Daten* sf, int seite, u8 flag, int skill) {
    int b = seite * SF_PRO_SEITE, best = -1, bw = -1;
    for (int i = b; i < b + SF_PRO_SEITE; i++) {
        const auto& s = sf->spieler[i];
        if (!sf_auf_platz(s) || sf->objekt[i].torwart) continue;
        int w = skill == 0 ? s.f_pass : s.f_schuss;
        if (s.flag & flag) w += 1000;
        if (w > bw) { bw = w; best = i; }
    }
    return best;
}

void karte(Spielfeld_Daten* sf, int taeter, bool rot_direkt);
void halbzeit_ende(Spielfeld_Daten* sf);
void tor(Spielfeld_Daten* sf, int schuetze, bool eigentor);

// ---------------------------------------------------------------------------
// Passes and shots.

// Kicks the ball from its place towards a point at a speed (lofted when hoch).
void ball_spielen(Spielfeld_Daten* sf, f32 zx, f32 zy, bool hoch, f32 tempo) {
    auto& b = BALL(sf);
    f32 dx = zx - b.x, dy = zy - b.y;
    f32 d = std::sqrt(dx * dx + dy * dy);
    if (d < 1) d = 1;
    if (hoch) {
        f32 t = d / tempo;
        b.vx = dx / t;
        b.vy = dy / t;
        b.vz = 0.5f * G * t;
        if (b.z < 1) b.z = 1;
    } else {
        // Ground ball: it loses 7 % a tick, so it travels 1.43 x its speed per second.
        f32 v = d * 0.82f + 250.0f;
        b.vx = dx / d * v;
        b.vy = dy / d * v;
        b.vz = 0;
    }
    sf->ball_ziel[0] = zx;
    sf->ball_ziel[1] = zy;
    sf->ball_ziel[2] = 0;
}

// True when the receiver stands offside at the moment of the pass.
bool abseits(Spielfeld_Daten* sf, int geber, int empf) {
    int s = sf_seite(geber), g = s ^ 1;
    f32 erx = rel_x(sf, g, O(sf, empf).x);  // seen from the defenders' goal
    if (erx > SF_MITTE_X) return false;     // own half
    f32 brx = rel_x(sf, g, BALL(sf).x);
    if (erx >= brx) return false;           // behind the ball
    // Second-last defender.
    f32 a = 1e9f, b2 = 1e9f;
    int basis = g * SF_PRO_SEITE;
    for (int i = basis; i < basis + SF_PRO_SEITE; i++) {
        if (!sf_auf_platz(sf->spieler[i])) continue;
        f32 r = rel_x(sf, g, O(sf, i).x);
        if (r < a) { b2 = a; a = r; }
        else if (r < b2) b2 = r;
    }
    return erx < b2 - 30;
}

void abseits_pfiff(Spielfeld_Daten* sf, int empf) {
    int g = sf_seite(empf) ^ 1;
    sf->linienrichter_ruf = 1;
    int lr = O(sf, empf).y < SF_BREITE / 2 ? SF_OBJ_LINIE_1 : SF_OBJ_LINIE_2;
    anim(O(sf, lr), A_FAHNE);
    standard(sf, SIT_ABSEITS, g, O(sf, empf).x, O(sf, empf).y, naechster(sf, g, O(sf, empf).x, O(sf, empf).y, true), 25);
}

// Plays a pass: modus 0 normal, 1 long (keeper, goal kick), 2 cross into the box, 3 short (throw-in, kick-off).
void passen(Spielfeld_Daten* sf, int p, int modus) {
    int s = sf_seite(p), g = s ^ 1;
    auto& po = O(sf, p);
    const auto& ps = sf->spieler[p];
    f32 prx = rel_x(sf, s, po.x);
    int basis = s * SF_PRO_SEITE, gb = g * SF_PRO_SEITE;
    int risiko = sf->seite[s].taktik[TW_WERT2];
    int best = -1;
    f32 bw = -1e30f;
    for (int i = basis; i < basis + SF_PRO_SEITE; i++) {
        if (i == p || !sf_auf_platz(sf->spieler[i]) || O(sf, i).torwart) continue;
        auto& o = O(sf, i);
        f32 dd = d2(o.x, o.y, po.x, po.y);
        f32 d = std::sqrt(dd);
        if (modus == 3 && d > 2200) continue;
        if (modus == 2 && !im_strafraum(SF_LAENGE - rel_x(sf, s, o.x), o.y)) continue;
        f32 rx = rel_x(sf, s, o.x);
        f32 frei = 1500;
        for (int j = gb; j < gb + SF_PRO_SEITE; j++) {
            if (!sf_auf_platz(sf->spieler[j])) continue;
            f32 e = d2(O(sf, j).x, O(sf, j).y, o.x, o.y);
            if (e < frei * frei) frei = std::sqrt(e);
        }
        f32 w = (rx - prx) * (0.7f + risiko * 0.006f) + frei * 0.55f - d * 0.2f;
        if (modus == 1) w = rx * 0.5f + frei;
        if (d > 3500 && modus != 1) w -= (d - 3500) * 0.8f;
        w += static_cast<f32>(draw(400));
        if (w > bw) { bw = w; best = i; }
    }
    if (best < 0) {
        // Nobody to pass to: clear the ball forward.
        f32 zx = abs_x(sf, s, clampf(prx + 3000, 0, SF_LAENGE - 500));
        ball_frei(sf);
        sf->spieler[p].sperre = 6;
        ball_spielen(sf, zx, po.y, true, 1800);
        sf->ball_letzter = static_cast<u8>(p);
        sf->ball_seite = static_cast<u8>(s);
        anim(po, A_PASSEN);
        return;
    }
    auto& eo = O(sf, best);
    if (modus != 1 && modus != 3 && abseits(sf, p, best) && draw(100) < 90) {
        abseits_pfiff(sf, best);
        return;
    }
    f32 d = std::sqrt(d2(eo.x, eo.y, po.x, po.y));
    // Whether the pass arrives is drawn at the kick: the passer's skill, the
    // length and how closely the receiver is marked. A pass that fails goes
    // to the nearest opponent of the receiver.
    int abfang = naechster(sf, g, eo.x, eo.y, modus == 2);
    f32 frei = abfang >= 0 ? std::sqrt(d2(O(sf, abfang).x, O(sf, abfang).y, eo.x, eo.y)) : 5000.0f;
    f32 p_ok = 0.95f - d / 9000.0f + (faehig(ps, ps.f_pass) - 50) / 300.0f - (frei < 250 ? 0.30f : (frei < 500 ? 0.12f : 0.0f));
    if (modus == 2) p_ok -= 0.30f;
    if (modus == 3) p_ok += 0.1f;
    p_ok = clampf(p_ok, 0.25f, 0.97f);
    int ziel = best;
    if (abfang >= 0 && draw(1000) >= static_cast<int>(p_ok * 1000)) ziel = abfang;
    auto& zo = O(sf, ziel);
    f32 zx = zo.x + (ziel == best ? static_cast<f32>(sf_richtung(sf, s)) * clampf(d * 0.05f, 0, 120) : 0.0f);
    f32 zy = zo.y;
    zx = clampf(zx, 50, SF_LAENGE - 50);
    zy = clampf(zy, 50, SF_BREITE - 50);
    bool hoch = modus == 1 || modus == 2 || d > 2600;
    ball_frei(sf);
    sf->spieler[p].sperre = 6;  // the passer does not run after his own pass
    ball_spielen(sf, zx, zy, hoch, modus == 3 ? 900.0f : 1700.0f);
    sf->pass_ziel = static_cast<u8>(ziel);
    sf->pass_geber = static_cast<u8>(p);
    sf->ball_letzter = static_cast<u8>(p);
    sf->ball_seite = static_cast<u8>(s);
    sf->spieler[ziel].ziel_x = static_cast<i16>(zx);
    sf->spieler[ziel].ziel_y = static_cast<i16>(zy);
    anim(po, modus == 3 && sf->situation == SIT_EINWURF ? A_EINWURF : A_PASSEN);
}

// A shot: the outcome is drawn at the kick, the flight shows it.
void schiessen(Spielfeld_Daten* sf, int p, u32 art) {
    int s = sf_seite(p), g = s ^ 1;
    auto& po = O(sf, p);
    const auto& ps = sf->spieler[p];
    f32 tx = ziel_tor_x(sf, s);
    f32 dist = std::sqrt(d2(po.x, po.y, tx, TOR_Y));
    int tw = torwart(sf, g);
    int k = tw >= 0 ? faehig(sf->spieler[tw], sf->spieler[tw].f_torwart) : 5;
    int sk = faehig(ps, (art & SFE_KOPF) ? ps.f_kopf : ps.f_schuss);
    f32 winkel = std::fabs(po.y - TOR_Y) / (dist + 1.0f);  // 0 straight, 1 from the line
    stat(sf, p, 2);
    anim(po, (art & SFE_KOPF) ? A_KOPFBALL : A_SCHUSS);
    sf->schuss_seite = static_cast<u8>(s);
    sf->schuetze = static_cast<u8>(p);
    sf->schuss_flags = static_cast<u8>((art & SFE_KOPF) ? 1 : 0);
    sf->ball_letzter = static_cast<u8>(p);
    sf->ball_seite = static_cast<u8>(s);
    ball_frei(sf);
    sf->spieler[p].sperre = 6;
    sf->kamera_schnell = 1;
    int r1 = draw(1000), r2 = draw(1000), r3 = draw(1000), r4 = draw(1000);
    f32 p_tor;
    u8 ergebnis;
    if (art & SFE_ELFMETER) {
        p_tor = clampf(0.765f + (sk - k) / 600.0f, 0.64f, 0.86f);
        if (r1 < static_cast<int>(p_tor * 1000)) ergebnis = SCHUSS_TOR;
        else ergebnis = r2 < 600 ? SCHUSS_GEHALTEN : SCHUSS_VORBEI;
        SF_Ereignis(sf, SFE_CHANCE | SFE_ELFMETER, p, tw);
    } else {
        // Blocked by a defender close by.
        int blocker = naechster(sf, g, po.x, po.y, false);
        bool nah = blocker >= 0 && d2(O(sf, blocker).x, O(sf, blocker).y, po.x, po.y) < 250.0f * 250.0f;
        f32 p_auf = clampf(0.70f - dist / 10000.0f - winkel * 0.2f + (sk - 50) / 260.0f - ((art & SFE_KOPF) ? 0.12f : 0), 0.15f, 0.88f);
        f32 q = clampf(0.90f - dist / 5000.0f - winkel * 0.2f + (sk - k) / 150.0f, 0.05f, 0.85f);
        if (art & SFE_FREISTOSS) q *= 0.75f;
        q *= 0.4f + sf->tempo / 166.0f;
        // A side far in front no longer goes for every goal.
        if (sf->tore[s] - sf->tore[g] >= 4 || sf->tore[s] >= 7) q *= 0.4f;
        if (nah && r1 < 150) {
            ergebnis = r2 < 350 ? SCHUSS_ABGEWEHRT_ECKE : SCHUSS_ABGEWEHRT_FELD;
            // A deflection off the blocker now and then ends in his own goal.
            if (r3 < 10) {
                sf->schuetze = static_cast<u8>(blocker);
                ergebnis = SCHUSS_EIGENTOR;
            }
        } else if (r2 < static_cast<int>(p_auf * 1000)) {
            if (r3 < static_cast<int>(q * 1000)) ergebnis = SCHUSS_TOR;
            else ergebnis = r4 < 550 ? SCHUSS_GEHALTEN : (r4 < 800 ? SCHUSS_ABGEWEHRT_ECKE : SCHUSS_ABGEWEHRT_FELD);
        } else {
            ergebnis = SCHUSS_VORBEI;
        }
        if (ergebnis == SCHUSS_TOR || ergebnis == SCHUSS_GEHALTEN || ergebnis == SCHUSS_ABGEWEHRT_ECKE)
            SF_Ereignis(sf, SFE_CHANCE | art, p, tw);
    }
    sf->schuss = ergebnis;
    // The flight: into the goal, at the keeper, or past the post.
    f32 zy, zz;
    int r5 = draw(1000);
    if (ergebnis == SCHUSS_TOR || ergebnis == SCHUSS_EIGENTOR) {
        zy = SF_PFOSTEN_1 + 60.0f + static_cast<f32>(r5 % 600);
        zz = static_cast<f32>((r5 * 7) % 200);
    } else if (ergebnis == SCHUSS_VORBEI) {
        bool links = r5 < 500;
        zy = links ? SF_PFOSTEN_1 - 60.0f - static_cast<f32>(r5 % 400) : SF_PFOSTEN_2 + 60.0f + static_cast<f32>(r5 % 400);
        zz = static_cast<f32>((r5 * 3) % 320);
    } else {
        zy = tw >= 0 ? O(sf, tw).y + static_cast<f32>(r5 % 200) - 100.0f : TOR_Y;
        zz = static_cast<f32>(r5 % 180);
    }
    auto& b = BALL(sf);
    f32 tempo = (art & SFE_KOPF) ? 1400.0f : 2400.0f + static_cast<f32>(sk) * 6.0f;
    f32 zx = tx + (tx > 0 ? 150.0f : -150.0f);  // just beyond the line
    f32 dx = zx - b.x, dy = zy - b.y;
    f32 d = std::sqrt(dx * dx + dy * dy);
    f32 t = d / tempo;
    if (t < DT) t = DT;
    b.vx = dx / t;
    b.vy = dy / t;
    b.vz = (zz - b.z) / t + 0.5f * G * t;
    sf->ball_ziel[0] = zx;
    sf->ball_ziel[1] = zy;
    sf->ball_ziel[2] = zz;
}

// ---------------------------------------------------------------------------
// Rules.

void verletzen(Spielfeld_Daten* sf, int opfer) {
    auto& s = sf->spieler[opfer];
    if (s.verletzung) return;
    int art = draw(42);
    s.verletzung = static_cast<u8>(art + 1);
    s.status |= SFS_VERLETZT;
    SF_Ereignis(sf, SFE_VERLETZUNG, opfer, art);
    anim(O(sf, opfer), A_WAELZEN);
}

void vom_platz(Spielfeld_Daten* sf, int slot) {
    Aufstellung_Geaendert = true;
    auto& o = O(sf, slot);
    o.sichtbar = 0;
    o.x = SF_MITTE_X - 800.0f + static_cast<f32>(slot * 40);
    o.y = -400;
    o.vx = o.vy = 0;
    versetzt(sf->spieler[slot]);
    if (sf->ballfuehrer == slot) ball_frei(sf);
    if (sf->pass_ziel == slot) sf->pass_ziel = KEIN_SLOT;
    if (o.torwart) {
        // Another field player goes in goal.
        o.torwart = 0;
        int s = sf_seite(slot), b = s * SF_PRO_SEITE;
        for (int i = b; i < b + SF_PRO_SEITE; i++)
            if (i != slot && sf_auf_platz(sf->spieler[i])) {
                sf->objekt[i].torwart = 1;
                break;
            }
    }
}

void karte(Spielfeld_Daten* sf, int taeter, bool rot_direkt) {
    auto& s = sf->spieler[taeter];
    auto& schiri = O(sf, SF_OBJ_SCHIRI);
    if (rot_direkt || s.gelb >= 1) {
        u32 f = rot_direkt ? SFE_ROT : SFE_GELBROT;
        if (!rot_direkt) s.gelb++;
        s.status |= rot_direkt ? SFS_ROT : SFS_GELBROT;
        s.minute_aus = static_cast<u8>(sf->minute);
        SF_Ereignis(sf, f, taeter, -1);
        punkte(sf, taeter, -10);
        anim(schiri, A_ROT);
        vom_platz(sf, taeter);
    } else {
        s.gelb++;
        s.status |= SFS_GELB;
        SF_Ereignis(sf, SFE_GELB, taeter, -1);
        punkte(sf, taeter, -3);
        anim(schiri, A_GELB);
    }
}

void foul(Spielfeld_Daten* sf, int taeter, int opfer) {
    int s = sf_seite(opfer);
    stat(sf, taeter, 6);
    punkte(sf, taeter, -1);
    SF_Ereignis(sf, SFE_FOUL, taeter, opfer);
    anim(O(sf, taeter), A_GRAETSCHEN);
    anim(O(sf, opfer), A_FOUL_HINFALLEN);
    auto& oo = O(sf, opfer);
    f32 orx = rel_x(sf, s ^ 1, oo.x);  // seen from the fouling side's goal
    bool strafraum = im_strafraum(orx, oo.y);
    int r = draw(1000);
    int haerte = sf->spieler[taeter].f_haerte + sf->seite[s ^ 1].taktik[TW_WERT4] / 2;
    // Cards: more likely for hard players, near the goal and for a last man.
    int p_gelb = 230 + haerte + (orx < 3000 ? 60 : 0);
    int p_rot = 2 + (strafraum ? 8 : 0);
    // A booked player holds back.
    if (sf->spieler[taeter].gelb) p_gelb /= 5;
    if (r < p_rot) karte(sf, taeter, true);
    else if (r < p_rot + p_gelb) karte(sf, taeter, false);
    if (draw(1000) < 22) verletzen(sf, opfer);
    if (strafraum) {
        sf->elfer_im_spiel = 1;
        f32 px = abs_x(sf, s ^ 1, SF_ELFMETERPUNKT);
        int sch = schuetze_waehlen(sf, s, 1, 1);
        standard(sf, SIT_ELFMETER, s, px, TOR_Y, sch, 45);
        sf->elfer_im_spiel = 1;
        return;
    }
    // Advantage: the referee lets play run on when the fouled side keeps the ball forward.
    bool vorteil = sf->ballfuehrer == opfer && rel_x(sf, s, oo.x) > 6000 && sf_auf_platz(sf->spieler[opfer]) &&
                   !sf->spieler[opfer].verletzung && draw(100) < 35;
    if (vorteil) {
        anim_wenn_frei(O(sf, SF_OBJ_SCHIRI), A_WEITER);
        return;
    }
    int taker = schuetze_waehlen(sf, s, 4, 0);
    standard(sf, SIT_FREISTOSS, s, oo.x, oo.y, taker < 0 ? opfer : taker, 35);
    SF_Ereignis(sf, SFE_STANDARD, sf->ausfuehrer, -1);
}

void zweikampf(Spielfeld_Daten* sf, int ver, int ang) {
    // ver takes on the ball holder ang.
    auto& v = sf->spieler[ver];
    auto& a = sf->spieler[ang];
    int vs = sf_seite(ver);
    sf->zweikampf[0] = static_cast<i16>(ver);
    sf->zweikampf[1] = static_cast<i16>(ang);
    int haerte = v.f_haerte + sf->seite[vs].taktik[TW_WERT4] - 50;
    int r1 = draw(1000), r2 = draw(100), r3 = draw(100);
    f32 arx = rel_x(sf, vs, O(sf, ang).x);
    int p_foul = 95 + haerte + (im_strafraum(arx, O(sf, ang).y) ? 110 : 0);
    if (r1 < p_foul) {
        foul(sf, ver, ang);
        return;
    }
    int wa = faehig(a, a.f_technik) + faehig(a, a.f_tempo) / 2 + r2;
    int wv = faehig(v, v.f_zweikampf) + faehig(v, v.f_tempo) / 2 + r3 + 12;
    anim(O(sf, ver), A_GRAETSCHEN);
    if (wv > wa) {
        stat(sf, ver, 4);
        stat(sf, ang, 3);
        punkte(sf, ver, 1);
        punkte(sf, ang, -1);
        ball_geben(sf, ver);
        a.sperre = 8;
        anim(O(sf, ang), A_STOLPERN);
    } else {
        stat(sf, ang, 4);
        stat(sf, ver, 3);
        punkte(sf, ang, 1);
        punkte(sf, ver, -1);
        v.sperre = 14;
    }
}

void tor(Spielfeld_Daten* sf, int schuetze, bool eigentor) {
    if (schuetze < 0 || schuetze >= SF_SPIELER) return;
    int s = sf_seite(schuetze);
    int fuer = eigentor ? s ^ 1 : s;
    if (sf->tore[fuer] < 127) sf->tore[fuer]++;
    u32 f = SFE_TOR | (eigentor ? SFE_EIGENTOR : 0) | (sf->elfer_im_spiel ? SFE_ELFMETER : 0);
    if (sf->schuss_flags & 1) f |= SFE_KOPF;
    SF_Ereignis(sf, f, schuetze, eigentor ? -1 : (sf->pass_geber != KEIN_SLOT && sf_seite(sf->pass_geber) == s ? sf->pass_geber : -1));
    if (eigentor) {
        punkte(sf, schuetze, -8);
    } else {
        stat(sf, schuetze, 1);
        if (sf->spieler[schuetze].tore < 255) sf->spieler[schuetze].tore++;
        punkte(sf, schuetze, 12);
        int g = sf->pass_geber;
        if (g != KEIN_SLOT && g != schuetze && sf_seite(g) == s) {
            if (sf->spieler[g].vorlagen < 255) sf->spieler[g].vorlagen++;
            punkte(sf, g, 6);
        }
    }
    // The conceding defence loses points.
    int g = fuer ^ 1, b = g * SF_PRO_SEITE;
    for (int i = b; i < b + SF_PRO_SEITE; i++)
        if (sf_auf_platz(sf->spieler[i]) && (sf->objekt[i].torwart || sf->spieler[i].position == 1))
            punkte(sf, i, sf->objekt[i].torwart ? -3 : -1);
    sf->situation = SIT_TORJUBEL;
    sf->wartezeit = 100;
    sf->anstoss_seite = static_cast<u8>(g);
    sf->schuss = SCHUSS_KEINER;
    sf->elfer_im_spiel = 0;
    sf->pass_geber = KEIN_SLOT;
    sf->kamera_schnell = 1;
    ball_frei(sf);
    // The scorers' side celebrates, the other keeper despairs.
    for (int i = fuer * SF_PRO_SEITE; i < fuer * SF_PRO_SEITE + SF_PRO_SEITE; i++)
        if (sf_auf_platz(sf->spieler[i])) anim(O(sf, i), O(sf, i).torwart ? A_TW_JUBEL : A_JUBEL);
    int tw = torwart(sf, fuer ^ 1);
    if (tw >= 0) anim(O(sf, tw), A_TW_TRAUER);
}

// The ball left the pitch over a line.
void aus(Spielfeld_Daten* sf) {
    auto& b = BALL(sf);
    int letzt = sf->ball_seite;
    if (b.y < 0 || b.y > SF_BREITE) {
        int s = letzt ^ 1;
        f32 y = b.y < 0 ? 0.0f : static_cast<f32>(SF_BREITE);
        standard(sf, SIT_EINWURF, s, b.x, y, naechster(sf, s, b.x, y, false), 20);
        return;
    }
    // Over a goal line: which side defends it.
    int vert = (b.x <= 0) == (sf_richtung(sf, 0) > 0) ? 0 : 1;
    if (letzt == vert) {
        int s = vert ^ 1;
        f32 x = b.x <= 0 ? 0.0f : static_cast<f32>(SF_LAENGE);
        f32 y = b.y < TOR_Y ? 0.0f : static_cast<f32>(SF_BREITE);
        if (sf->seite[s].ecken < 255) sf->seite[s].ecken++;
        sf->weitere[s] = sf->seite[s].ecken;
        int lr = y < 1 ? SF_OBJ_LINIE_1 : SF_OBJ_LINIE_2;
        anim(O(sf, lr), y < 1 ? A_ECKE_LINKS : A_ECKE_RECHTS);
        standard(sf, SIT_ECKE, s, x, y, schuetze_waehlen(sf, s, 2, 0), 40);
        SF_Ereignis(sf, SFE_STANDARD, sf->ausfuehrer, -1);
    } else {
        f32 x = b.x <= 0 ? 550.0f : static_cast<f32>(SF_LAENGE - 550);
        standard(sf, SIT_ABSTOSS, vert, x, TOR_Y, torwart(sf, vert), 30);
    }
}

// ---------------------------------------------------------------------------
// Per-tick parts.

struct Lage {
    int jaeger[2];     // the chaser of each side
    int naechster;     // nearest player to the ball
    f32 nd;            // his squared distance
    int anzahl;        // players on the pitch at the start of the tick
    u8 aktiv[SF_SPIELER];
    // Field players of each side on the pitch (no keeper), positions at the start of the tick.
    int feld_n[2];
    i8 feld_slot[2][SF_PRO_SEITE];
    f32 feld_x[2][SF_PRO_SEITE];
    f32 feld_y[2][SF_PRO_SEITE];
    // Per side: the ball seen from the side's own goal line, and whether the side has the ball.
    f32 ball_rx[2];
    bool besitz[2];
};

void lage_bestimmen(Spielfeld_Daten* sf, Lage& l) {
    // Counters and bests are kept in locals: the byte lists would otherwise force every field to be read anew.
    const auto& b = BALL(sf);
    const f32 bx = b.x, by = b.y;
    const f32 px = bx + b.vx * 0.3f, py = by + b.vy * 0.3f;
    int naechster = -1, anzahl = 0;
    f32 nd = 1e30f;
    Aufstellung_Geaendert = false;
    const bool hat_ball = sf->ballfuehrer != KEIN_SLOT || sf->pass_ziel != KEIN_SLOT;
    // The nearest player and the chasers count in open play only (a set piece taken this tick
    // has its chasers from the next tick on).
    const bool im_spiel = sf->situation == SIT_SPIEL;
    for (int s = 0; s < 2; s++) {
        int jaeger = -1, feld = 0;
        l.ball_rx[s] = rel_x(sf, s, bx);
        l.besitz[s] = sf->ball_seite == s && hat_ball;
        f32 bd = 1e30f;
        const int basis = s * SF_PRO_SEITE;
        const f32 tor_x = sf_richtung(sf, s) > 0 ? 0.0f : SF_LAENGE;
        const bool ball_im_strafraum = std::fabs(bx - tor_x) < SF_STRAFRAUM_TIEFE && by > SF_STRAFRAUM_Y1 && by < SF_STRAFRAUM_Y2;
        for (int i = basis; i < basis + SF_PRO_SEITE; i++) {
            const auto& sp = sf->spieler[i];
            if (!sf_auf_platz(sp)) continue;
            const auto& o = sf->objekt[i];
            const f32 ox = o.x, oy = o.y;
            const bool tw = o.torwart != 0;
            const bool frei = sp.sperre == 0;
            l.aktiv[anzahl++] = static_cast<u8>(i);
            if (!tw) {
                l.feld_slot[s][feld] = static_cast<i8>(i);
                l.feld_x[s][feld] = ox;
                l.feld_y[s][feld] = oy;
                feld++;
            }
            if (!frei || !im_spiel) continue;
            f32 d = d2(ox, oy, bx, by);
            if (d < nd) { nd = d; naechster = i; }
            if (tw && !ball_im_strafraum) continue;
            f32 e = d2(ox, oy, px, py);
            if (e < bd) { bd = e; jaeger = i; }
        }
        l.jaeger[s] = jaeger;
        l.feld_n[s] = feld;
    }
    l.naechster = naechster;
    l.nd = nd;
    l.anzahl = anzahl;
}

// The field lists anew after a player left the pitch (chasers and the nearest player are kept).
void lage_listen(Spielfeld_Daten* sf, Lage& l) {
    Aufstellung_Geaendert = false;
    for (int s = 0; s < 2; s++) {
        int n = 0;
        for (int k = 0; k < l.feld_n[s]; k++) {
            int i = l.feld_slot[s][k];
            if (!sf_auf_platz(sf->spieler[i]) || sf->objekt[i].torwart) continue;
            l.feld_slot[s][n] = static_cast<i8>(i);
            l.feld_x[s][n] = l.feld_x[s][k];
            l.feld_y[s][n] = l.feld_y[s][k];
            n++;
        }
        l.feld_n[s] = n;
    }
}

// Where a player who is not chasing wants to stand.
void ziel_berechnen(Spielfeld_Daten* sf, int i, const Lage& l) {
    auto& sp = sf->spieler[i];
    auto& o = sf->objekt[i];
    int s = sf_seite(i);
    auto& b = BALL(sf);
    f32 brx = l.ball_rx[s];
    bool besitz = l.besitz[s];
    const auto& seite = sf->seite[s];
    f32 tx, ty;
    if (o.torwart) {
        tx = clampf(120.0f + brx / 22.0f, 60, 600);
        ty = TOR_Y + (b.y - TOR_Y) * 0.22f;
    } else {
        f32 linie = (seite.taktik[TW_WERT3] - 50) * 12.0f;
        f32 schub = (brx - SF_MITTE_X) * (sp.position == 1 ? 0.4f : 0.6f) + (besitz ? 900.0f : -500.0f) + linie;
        if (seite.schalter && besitz) schub += 1500.0f;
        // The offside trap keeps the back line up.
        if (!besitz && sp.position == 1 && seite.taktik[TW_SCHALTER1]) schub += 350.0f;
        tx = sp.taktik_x + schub;
        ty = sp.taktik_y * 0.72f + b.y * 0.28f;
        if (!besitz && sp.position <= 2) {
            // Mark the nearest attacker in the zone: stand goal-side of him.
            const int g = s ^ 1, n = l.feld_n[g];
            const f32* fx = l.feld_x[g];
            const f32* fy = l.feld_y[g];
            int best = -1;
            f32 bd = 1100.0f * 1100.0f;
            f32 ax = abs_x(sf, s, tx);
            for (int k = 0; k < n; k++) {
                f32 e = d2(fx[k], fy[k], ax, ty);
                if (e < bd) { bd = e; best = k; }
            }
            sp.deckt = static_cast<i8>(best >= 0 ? l.feld_slot[g][best] : -1);
            if (best >= 0) {
                tx = rel_x(sf, s, fx[best]) - 320.0f;
                ty = fy[best] + static_cast<f32>((i % 3) - 1) * 120.0f;
            }
        } else {
            sp.deckt = -1;
        }
        // Attackers stay onside when the side has the ball.
        if (besitz && sp.position == 3) tx = clampf(tx, 0, SF_LAENGE - 1300.0f);
        tx = clampf(tx, 250, SF_LAENGE - 700.0f);
    }
    // A slow drift so that nobody freezes on one spot.
    int phase = (sf->ticks / 60 + i * 7) % 8;
    static const i8 wx[8] = {0, 1, 2, 1, 0, -1, -2, -1};
    static const i8 wy[8] = {2, 1, 0, -1, -2, -1, 0, 1};
    tx += wx[phase] * 45.0f;
    ty += wy[phase] * 45.0f;
    sp.ziel_x = static_cast<i16>(abs_x(sf, s, tx));
    sp.ziel_y = static_cast<i16>(clampf(ty, 80, SF_BREITE - 80));
}


constexpr int ZIEL_TOLERANZ = 50;  // cm

void bewegen(Spielfeld_Daten* sf, int i, bool eilig) {
    auto& sp = sf->spieler[i];
    auto& o = sf->objekt[i];
    bool fuehrt = sf->ballfuehrer == i;
    f32 schritt;
    const u8 flag = sp.flag;
    // A target that moved by a step or less keeps the current line (or the standing) of a player who is
    // not in a hurry: nobody starts a new line for half a metre.
    const u32 t = eilig ? 0u : static_cast<u32>(ZIEL_TOLERANZ);
    const u32 ddx = static_cast<u32>(sp.alt_x - sp.ziel_x) + t, ddy = static_cast<u32>(sp.alt_y - sp.ziel_y) + t;
    const bool gleich = ddx <= 2 * t && ddy <= 2 * t && ((flag & F_EILIG) != 0) == eilig && !fuehrt;
    const bool steht = (flag & F_STEHT) != 0;
    if (gleich && (steht || sp.schritte > 0)) {
        // Standing at the same target, or still on the straight line to it: the step, the pace and the
        // figure are known (a standing figure has no speed). One path for both keeps the branches few.
        sp.schritte = static_cast<u8>(sp.schritte - (sp.schritte > 0 ? 1 : 0));
        o.x += o.vx * DT;
        o.y += o.vy * DT;
        // Stamina: standing gives most back, walking some; running and sprinting cost.
        static constexpr i8 ATEM[4] = {3, -4, 2, -1};
        const int art = steht ? 0 : (eilig ? 1 : ((flag & F_LANGSAM) ? 2 : 3));
        int a = sp.ausdauer + ATEM[art];
        sp.ausdauer = a < 1000 ? 1000 : (a > 10000 ? 10000 : a);
        const f32 sch = steht ? 0.0f : ((flag & F_LAUFEN) ? 50.0f : ((flag & F_LANGSAM) ? 20.0f : 35.0f));
        anim_basis(o, Anim_Basis(sch, eilig, false, sp.ausdauer < 3000, o.torwart != 0));
        return;
    } else {
        f32 dx = sp.ziel_x - o.x, dy = sp.ziel_y - o.y;
        f32 dd = dx * dx + dy * dy;
        if (dd < (eilig ? 1.0f : 625.0f)) {
            // Close enough: he stands and gets his breath back.
            sp.schritte = 0;
            sp.alt_x = sp.ziel_x;
            sp.alt_y = sp.ziel_y;
            sp.flag = static_cast<u8>((sp.flag & 0x0F) | F_STEHT | (eilig ? F_EILIG : 0));
            o.vx = o.vy = 0;
            anim_basis(o, Anim_Basis(0.0f, eilig, fuehrt, sp.ausdauer < 3000, o.torwart != 0));
            if (sp.ausdauer < 10000) sp.ausdauer += 3;
            return;
        }
        f32 v = (520.0f + static_cast<f32>(faehig(sp, sp.f_tempo)) * 3.0f) * (0.72f + static_cast<f32>(sp.ausdauer) * 0.000028f);
        if (!eilig) v *= dd > 400.0f * 400.0f ? 0.7f : 0.38f;
        if (fuehrt) v *= 0.9f;
        schritt = v * DT;
        f32 d = std::sqrt(dd);
        if (schritt > d) schritt = d;
        f32 k = schritt / d;
        o.x += dx * k;
        o.y += dy * k;
        o.vx = dx * k * (1.0f / DT);
        o.vy = dy * k * (1.0f / DT);
        o.anim.richtung = richtung_von(dx, dy);
        // The straight line is kept until the target moves.
        f32 rest = d / schritt - 1.0f;
        sp.schritte = static_cast<u8>(rest < 0 ? 0 : (rest > 40 ? 40 : rest));
        sp.alt_x = sp.ziel_x;
        sp.alt_y = sp.ziel_y;
        sp.flag = static_cast<u8>((sp.flag & 0x0F) | (eilig ? F_EILIG : 0) | (schritt > 40 ? F_LAUFEN : 0) |
                                  (schritt < 30 ? F_LANGSAM : 0));
    }
    anim_basis(o, Anim_Basis(schritt, eilig, fuehrt, sp.ausdauer < 3000, o.torwart != 0));
    // Stamina: sprinting costs, walking gives it back.
    if (eilig) sp.ausdauer -= 4;
    else if (schritt < 30) sp.ausdauer += 2;
    else sp.ausdauer -= 1;
    if (sp.ausdauer < 1000) sp.ausdauer = 1000;
    if (sp.ausdauer > 10000) sp.ausdauer = 10000;
}

void offizielle(Spielfeld_Daten* sf) {
    auto& b = BALL(sf);
    auto& r = O(sf, SF_OBJ_SCHIRI);
    f32 zx = clampf(b.x - 900.0f, 600, SF_LAENGE - 600), zy = clampf(b.y + 900.0f, 400, SF_BREITE - 400);
    f32 dx = zx - r.x, dy = zy - r.y, dd = dx * dx + dy * dy;
    if (dd > 100.0f) {
        f32 d = std::sqrt(dd), st = d > 60 ? 60 : d;
        r.x += dx / d * st;
        r.y += dy / d * st;
        r.anim.richtung = richtung_von(dx, dy);
        anim_basis(r, Anim_Basis(st, false, false, false, false));
    } else {
        anim_basis(r, A_SCHIRI);
    }
    // The linesmen follow the ball in their half.
    for (int k = 0; k < 2; k++) {
        auto& l = O(sf, SF_OBJ_LINIE_1 + k);
        f32 lx = k == 0 ? clampf(b.x, 0, SF_MITTE_X) : clampf(b.x, SF_MITTE_X, SF_LAENGE);
        f32 d = lx - l.x;
        f32 st = d > 50 ? 50 : (d < -50 ? -50 : d);
        l.x += st;
        // A raised flag or a corner signal plays to its end first (the table holds them).
        anim_basis(l, st == 0 ? static_cast<u16>(A_LINIE) : Anim_Basis(std::fabs(st), false, false, false, false));
    }
    sf->kamera[0] = clampf(b.x, 800, 10000);
    sf->kamera[1] = clampf(b.y, 1360, 5440);
    sf->kamera[2] = b.z;
    sf->kamera_schritte++;
}

// The ball holder decides.
void ballfuehrer(Spielfeld_Daten* sf, const Lage& l) {
    int p = sf->ballfuehrer;
    int s = sf_seite(p), g = s ^ 1;
    auto& sp = sf->spieler[p];
    auto& o = O(sf, p);
    auto& b = BALL(sf);
    sf->ballbesitz_ticks++;
    sf->ballbesitz[s]++;
    int dir = sf_richtung(sf, s);
    b.x = o.x + dir * 35.0f;
    b.y = o.y;
    b.z = o.torwart ? 90.0f : 0.0f;
    b.vx = o.vx;
    b.vy = o.vy;
    b.vz = 0;
    if (o.torwart) {
        sp.ziel_x = static_cast<i16>(o.x);
        sp.ziel_y = static_cast<i16>(o.y);
        if (sf->ballbesitz_ticks > 25) passen(sf, p, draw(100) < 55 ? 1 : 0);
        return;
    }
    f32 tx = ziel_tor_x(sf, s);
    f32 dg2 = d2(o.x, o.y, tx, TOR_Y);
    int c = l.jaeger[g];
    f32 dc2 = c >= 0 ? d2(O(sf, c).x, O(sf, c).y, o.x, o.y) : 1e12f;
    // Dribble towards the goal, a little towards the middle.
    f32 rx = rel_x(sf, s, o.x);
    sp.ziel_x = static_cast<i16>(abs_x(sf, s, clampf(rx + 400, 0, SF_LAENGE - 300)));
    sp.ziel_y = static_cast<i16>(o.y + (TOR_Y - o.y) * (rx > 7000 ? 0.12f : 0.03f));
    // A duel when an opponent is close.
    int angriff = sf->seite[g].taktik[TW_SCHALTER2] ? 12 : 9;  // pressing
    if (c >= 0 && dc2 < ZWEIKAMPF_NAH * ZWEIKAMPF_NAH && sf->spieler[c].sperre == 0 && draw(100) < angriff) {
        zweikampf(sf, c, p);
        return;
    }
    int r = draw(1000);
    int drang = sf->seite[s].taktik[TW_WERT1] - 50;
    int p_schuss = 0;
    if (dg2 < 1300.0f * 1300.0f) p_schuss = 420;
    else if (dg2 < 2000.0f * 2000.0f) p_schuss = 300;
    else if (dg2 < 2700.0f * 2700.0f) p_schuss = 170;
    else if (dg2 < 3300.0f * 3300.0f) p_schuss = 45;
    if (p_schuss) {
        p_schuss += p_schuss * drang / 100;
        p_schuss = p_schuss * sf->tempo / 100;
        // A side in front in the second half plays it safe; one behind pushes.
        int vorne = sf->tore[s] - sf->tore[g];
        if (vorne >= 4 || sf->tore[s] >= 6) p_schuss = p_schuss / 6;
        else if (vorne >= 3) p_schuss = p_schuss * 35 / 100;
        else if (vorne > 0) p_schuss = p_schuss * (sf->halbzeit >= 2 ? 50 : 70) / 100;
        else if (vorne < 0) p_schuss = p_schuss * (sf->halbzeit >= 2 ? 130 : 110) / 100;
        else if (sf->minute >= 60) p_schuss = p_schuss * 3 / 5;
    }
    if (r < p_schuss) {
        schiessen(sf, p, dg2 > 2000.0f * 2000.0f ? SFE_FERNSCHUSS : 0);
        return;
    }
    int p_pass = 20 + (dc2 < 400.0f * 400.0f ? 120 : 0) + (sf->ballbesitz_ticks > 40 ? 120 : 0);
    if (r - p_schuss < p_pass) {
        bool flanke = rx > 8200 && (o.y < SF_STRAFRAUM_Y1 || o.y > SF_STRAFRAUM_Y2);
        passen(sf, p, flanke ? 2 : 0);
    }
}

// The ball on its own: flight, bounces, the goal, the lines, who takes it.
void freier_ball(Spielfeld_Daten* sf, const Lage& l) {
    auto& b = BALL(sf);
    b.x += b.vx * DT;
    b.y += b.vy * DT;
    if (b.z > 0 || b.vz > 0) {
        b.z += b.vz * DT;
        b.vz -= G * DT;
        if (b.z <= 0) {
            b.z = 0;
            if (b.vz < -150) {
                b.vz = -b.vz * 0.45f;
                b.vx *= 0.75f;
                b.vy *= 0.75f;
            } else {
                b.vz = 0;
            }
        }
    } else {
        b.vx *= 0.93f;
        b.vy *= 0.93f;
        if (b.vx * b.vx + b.vy * b.vy < 400) b.vx = b.vy = 0;
    }
    // A shot reaching the goal line.
    if (sf->schuss != SCHUSS_KEINER) {
        int s = sf->schuss_seite;
        f32 tx = ziel_tor_x(sf, s);
        f32 rest = std::fabs(tx - b.x);
        u8 e = sf->schuss;
        if (e == SCHUSS_GEHALTEN || e == SCHUSS_ABGEWEHRT_ECKE || e == SCHUSS_ABGEWEHRT_FELD) {
            if (rest < 260) {
                int tw = torwart(sf, s ^ 1);
                if (tw >= 0) {
                    stat(sf, tw, 5);
                    punkte(sf, tw, 3);
                    anim(O(sf, tw), e == SCHUSS_GEHALTEN ? A_TW_FANGEN : A_TW_FAUST);
                }
                if (e == SCHUSS_GEHALTEN && tw >= 0) {
                    O(sf, tw).x = b.x - (tx > 0 ? 60.0f : -60.0f);
                    O(sf, tw).y = b.y;
                    versetzt(sf->spieler[tw]);
                    ball_geben(sf, tw);
                } else if (e == SCHUSS_ABGEWEHRT_ECKE) {
                    sf->ball_seite = static_cast<u8>(s ^ 1);
                    b.x = tx > 0 ? SF_LAENGE + 1.0f : -1.0f;
                    aus(sf);
                } else {
                    b.vx = -b.vx * 0.35f;
                    b.vy = static_cast<f32>(draw(1200) - 600);
                    b.vz = 200;
                    sf->schuss = SCHUSS_KEINER;
                    sf->ball_seite = static_cast<u8>(s ^ 1);
                }
                sf->elfer_im_spiel = 0;
                return;
            }
        } else if (e == SCHUSS_ABGEWEHRT_FELD) {
            sf->schuss = SCHUSS_KEINER;
        }
        if (b.x < 0 || b.x > SF_LAENGE) {
            if (e == SCHUSS_TOR) { tor(sf, sf->schuetze, false); return; }
            if (e == SCHUSS_EIGENTOR) { tor(sf, sf->schuetze, true); return; }
            sf->elfer_im_spiel = 0;
            sf->schuss = SCHUSS_KEINER;
            aus(sf);
            return;
        }
        if (b.y < 0 || b.y > SF_BREITE) {
            sf->schuss = SCHUSS_KEINER;
            aus(sf);
        }
        return;
    }
    if (b.x < 0 || b.x > SF_LAENGE || b.y < 0 || b.y > SF_BREITE) {
        // Into the goal without a shot (a cross, a back pass).
        if ((b.x < 0 || b.x > SF_LAENGE) && b.y > SF_PFOSTEN_1 && b.y < SF_PFOSTEN_2 && b.z < SF_LATTE &&
            sf->ball_letzter != KEIN_SLOT) {
            int vert = (b.x <= 0) == (sf_richtung(sf, 0) > 0) ? 0 : 1;
            int l2 = sf->ball_letzter;
            tor(sf, l2, sf_seite(l2) == vert);
            return;
        }
        aus(sf);
        return;
    }
    // Someone takes the ball: while a pass travels only the player it goes to.
    int n = l.naechster;
    f32 nd = l.nd;
    if (sf->pass_ziel != KEIN_SLOT) {
        if (b.vx * b.vx + b.vy * b.vy < 150.0f * 150.0f && b.z < 1) {
            sf->pass_ziel = KEIN_SLOT;
        } else if (sf_auf_platz(sf->spieler[sf->pass_ziel])) {
            n = sf->pass_ziel;
            nd = d2(O(sf, n).x, O(sf, n).y, b.x, b.y);
        }
    }
    if (n >= 0 && nd < REICHWEITE * REICHWEITE && b.z < 190) {
        int s = sf_seite(n);
        f32 v2 = b.vx * b.vx + b.vy * b.vy;
        if (s != sf->ball_seite && v2 > 900.0f * 900.0f && n != sf->pass_ziel) {
            // Intercepting a fast ball is not certain.
            auto& sp = sf->spieler[n];
            if (draw(100) > 40 + faehig(sp, sp.f_zweikampf) / 3) return;
        }
        bool kopf = b.z > 100;
        int geber = sf->pass_geber;
        bool eigener_pass = geber != KEIN_SLOT && sf_seite(geber) == s && sf->ball_seite == s;
        ball_geben(sf, n);
        if (eigener_pass) {
            sf->pass_geber = static_cast<u8>(geber);
            punkte(sf, geber, 0);
        } else {
            sf->pass_geber = KEIN_SLOT;
        }
        if (sf->ball_seite != s) stat(sf, n, 4);
        // A header or first-time shot in the box.
        f32 rx = rel_x(sf, s, O(sf, n).x);
        if (rx > SF_LAENGE - SF_STRAFRAUM_TIEFE && !O(sf, n).torwart && O(sf, n).y > SF_STRAFRAUM_Y1 &&
            O(sf, n).y < SF_STRAFRAUM_Y2) {
            int r = draw(1000);
            int v = naechster(sf, s ^ 1, O(sf, n).x, O(sf, n).y, false);
            if (r < 45 && v >= 0) foul(sf, v, n);
            else if (kopf && r < 600) schiessen(sf, n, SFE_KOPF);
            else if (!kopf && r < 250) schiessen(sf, n, 0);
        }
    }
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

void standard_tick(Spielfeld_Daten* sf) {
    int a = sf->ausfuehrer;
    auto& b = BALL(sf);
    if (a == KEIN_SLOT || !sf_auf_platz(sf->spieler[a])) {
        int s = sf->ball_seite;
        a = naechster(sf, s, b.x, b.y, sf->situation == SIT_ABSTOSS);
        if (a < 0) a = naechster(sf, s, b.x, b.y, true);
        sf->ausfuehrer = static_cast<u8>(a < 0 ? KEIN_SLOT : a);
        if (a < 0) return;
    }
    int s = sf_seite(a);
    auto& ao = O(sf, a);
    // The taker stands behind the ball.
    int dir = sf_richtung(sf, s);
    sf->spieler[a].ziel_x = static_cast<i16>(clampf(b.x - dir * 40.0f, -60, SF_LAENGE + 60));
    sf->spieler[a].ziel_y = static_cast<i16>(b.y);
    if (sf->situation == SIT_ELFMETER) {
        int tw = torwart(sf, s ^ 1);
        if (tw >= 0) {
            sf->spieler[tw].ziel_x = static_cast<i16>(ziel_tor_x(sf, s) - dir * 20.0f);
            sf->spieler[tw].ziel_y = static_cast<i16>(TOR_Y);
        }
    }
    if (--sf->wartezeit > 0) return;
    if (d2(ao.x, ao.y, b.x, b.y) > 120.0f * 120.0f) {
        // Fetch the ball to the taker when he is too slow.
        if (sf->wartezeit < -40) {
            ao.x = b.x - dir * 40.0f;
            ao.y = b.y;
            versetzt(sf->spieler[a]);
        }
        return;
    }
    u8 sit = sf->situation;
    sf->situation = SIT_SPIEL;
    sf->linienrichter_ruf = 0;
    ball_geben(sf, a);
    b.x = sf->standard_x;
    b.y = sf->standard_y;
    switch (sit) {
        case SIT_ANSTOSS:
        case SIT_EINWURF: passen(sf, a, 3); break;
        case SIT_ECKE: passen(sf, a, 2); break;
        case SIT_ABSTOSS: passen(sf, a, 1); break;
        case SIT_ELFMETER: schiessen(sf, a, SFE_ELFMETER); break;
        case SIT_FREISTOSS: {
            f32 d = std::sqrt(d2(b.x, b.y, ziel_tor_x(sf, s), TOR_Y));
            if (d < 2700 && draw(100) < 55) schiessen(sf, a, SFE_FREISTOSS);
            else passen(sf, a, 0);
            break;
        }
        default: passen(sf, a, 0); break;
    }
}

// Targets of everyone during a set piece: the usual positions, a wall, the box.
void standard_ziele(Spielfeld_Daten* sf, const Lage& l) {
    auto& b = BALL(sf);
    int s = sf->ball_seite;
    if (sf->situation == SIT_ANSTOSS) return;
    for (int i = 0; i < SF_SPIELER; i++) {
        if (!sf_auf_platz(sf->spieler[i]) || i == sf->ausfuehrer) continue;
        if (((sf->ticks + i) & 7) != 0) continue;
        ziel_berechnen(sf, i, l);
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

// A queued substitution is carried out at a dead ball.
bool wechsel_ausfuehren(Spielfeld_Daten* sf) {
    for (int s = 0; s < 2; s++) {
        auto& se = sf->seite[s];
        for (int k = 0; k < SF_WECHSEL_LISTE; k++) {
            if (se.rein[k] == 255) continue;
            int rein = se.rein[k], raus = se.raus[k];
            se.rein[k] = se.raus[k] = 255;
            auto& r = sf->spieler[rein];
            bool ok = se.wechsel_gemacht < se.wechsel_erlaubt && r.spieler >= 0 && (r.status & SFS_BANK) &&
                      !(r.status & (SFS_AUF_DEM_PLATZ | SFS_EINGEWECHSELT | SFS_AUSGEWECHSELT));
            if (raus != 255 && !sf_auf_platz(sf->spieler[raus])) ok = false;
            if (!ok) continue;
            se.wechsel_sperre = 1;
            se.wechsel_gemacht++;
            auto& ro = O(sf, rein);
            ro.x = SF_MITTE_X;
            ro.y = 20;
            versetzt(r);
            ro.sichtbar = 1;
            ro.torwart = 0;
            if (raus != 255) {
                auto& a = sf->spieler[raus];
                a.status = (a.status & ~SFS_AUF_DEM_PLATZ) | SFS_AUSGEWECHSELT;
                a.minute_aus = static_cast<u8>(sf->minute);
                bool tw = O(sf, raus).torwart;
                r.taktik_x = a.taktik_x;
                r.taktik_y = a.taktik_y;
                std::memcpy(r.zone_x, a.zone_x, sizeof r.zone_x);
                std::memcpy(r.zone_y, a.zone_y, sizeof r.zone_y);
                O(sf, raus).torwart = 0;
                vom_platz(sf, raus);
                // vom_platz may have named a new keeper; the substitute takes the keeper's place.
                if (tw) {
                    for (int i = s * SF_PRO_SEITE; i < s * SF_PRO_SEITE + SF_PRO_SEITE; i++) O(sf, i).torwart = 0;
                    ro.torwart = 1;
                }
            }
            r.status = (r.status & ~SFS_BANK) | SFS_AUF_DEM_PLATZ | SFS_EINGEWECHSELT;
            r.minute_ein = static_cast<u8>(sf->minute);
            SF_Ereignis(sf, SFE_WECHSEL, rein, raus == 255 ? -1 : raus);
            anim(O(sf, SF_OBJ_LINIE_1), A_WECHSEL);
            if (se.wechsel_gemacht >= se.wechsel_erlaubt) {
                std::memset(se.rein, 255, sizeof se.rein);
                std::memset(se.raus, 255, sizeof se.raus);
            }
            se.wechsel_sperre = 0;
            return true;
        }
    }
    return false;
}

// Computer sides change injured and tired players.
void computer_wechsel(Spielfeld_Daten* sf, int s) {
    auto& se = sf->seite[s];
    if (se.wechsel_gemacht >= se.wechsel_erlaubt) return;
    for (u8 r : se.rein)
        if (r != 255) return;
    if (Team_Wert(7, static_cast<int>(sf->team[s]), 0, OP_LESEN) & TEAM_STATUS_USER) return;
    int b = s * SF_PRO_SEITE, raus = -1, schlechtest = 1 << 30;
    for (int i = b; i < b + SF_PRO_SEITE; i++) {
        const auto& sp = sf->spieler[i];
        if (!sf_auf_platz(sp)) continue;
        int w = sp.verletzung ? 0 : (sf->minute >= 60 ? sp.ausdauer + sp.bewertung * 40 : 1 << 30);
        if (w < schlechtest && (sp.verletzung || w < 5200)) { schlechtest = w; raus = i; }
    }
    if (raus < 0) return;
    bool tw = O(sf, raus).torwart;
    int rein = -1;
    for (int i = b; i < b + SF_PRO_SEITE; i++) {
        const auto& sp = sf->spieler[i];
        if (sp.spieler < 0 || !(sp.status & SFS_BANK) || (sp.status & (SFS_EINGEWECHSELT | SFS_AUSGEWECHSELT))) continue;
        if ((sp.position == 0) != tw) continue;
        if (rein < 0 || sp.position == sf->spieler[raus].position) rein = i;
        if (sp.position == sf->spieler[raus].position) break;
    }
    if (rein < 0) return;
    se.rein[0] = static_cast<u8>(rein);
    se.raus[0] = static_cast<u8>(raus);
}

void noten_berechnen(Spielfeld_Daten* sf) {
    for (int i = 0; i < SF_SPIELER; i++) {
        const auto& sp = sf->spieler[i];
        if (sp.spieler < 0 || sf->statistik[i][7] == 0) continue;
        int g = sf_seite(i);
        int diff = sf->tore[g] - sf->tore[g ^ 1];
        int p = sp.bewertung + (diff > 0 ? 3 : (diff < 0 ? -3 : 0));
        int n = 35 - p * 10 / 6;
        sf->statistik[i][0] = static_cast<u8>(n < 10 ? 10 : (n > 60 ? 60 : n));
    }
}

void halbzeit_ende(Spielfeld_Daten* sf) {
    sf->halbzeit_status = 2;
    sf->situation = SIT_HALBZEIT_ENDE;
    sf->ende_angefordert = 0;
    sf->halten = 0;
    sf->schuss = SCHUSS_KEINER;
    sf->elfer_im_spiel = 0;
    ball_frei(sf);
    anim(O(sf, SF_OBJ_SCHIRI), A_PFEIFT);
    noten_berechnen(sf);
}

void elfer_tick(Spielfeld_Daten* sf) {
    auto& b = BALL(sf);
    int a = sf->elfer_schuetze;
    int s = sf->elfer_seite;
    if (sf->wartezeit > 0) {
        if (--sf->wartezeit == 0) {
            const auto& sp = sf->spieler[a];
            int tw = torwart(sf, s ^ 1);
            int k = tw >= 0 ? faehig(sf->spieler[tw], sf->spieler[tw].f_torwart) : 5;
            int sk = faehig(sp, sp.f_schuss);
            f32 p_tor = clampf(0.74f + (sk - k) / 600.0f, 0.6f, 0.86f);
            int r1 = draw(1000), r2 = draw(1000);
            u8 e = r1 < static_cast<int>(p_tor * 1000) ? SCHUSS_TOR : (r2 < 620 ? SCHUSS_GEHALTEN : SCHUSS_VORBEI);
            sf->elfer_ergebnis = e;
            f32 zy = e == SCHUSS_VORBEI ? (r2 & 1 ? SF_PFOSTEN_1 - 80.0f : SF_PFOSTEN_2 + 80.0f)
                                        : SF_PFOSTEN_1 + 80.0f + static_cast<f32>(r2 % 570);
            f32 zx = SF_LAENGE + 100.0f;
            b.vx = (zx - b.x) / 0.5f;
            b.vy = (zy - b.y) / 0.5f;
            b.vz = 0;
            anim(O(sf, a), A_SCHUSS);
            sf->ball_ziel[0] = zx;
            sf->ball_ziel[1] = zy;
        }
        return;
    }
    if (sf->elfer_ergebnis == SCHUSS_KEINER) {
        // The kick is over: back to the end of the match.
        if (--sf->wartezeit < -20) {
            sf->situation = SIT_HALBZEIT_ENDE;
            sf->halten = 0;
            sf->ende_gemeldet = 1;
        }
        return;
    }
    b.x += b.vx * DT;
    b.y += b.vy * DT;
    int tw = torwart(sf, s ^ 1);
    if (sf->elfer_ergebnis == SCHUSS_GEHALTEN && b.x > SF_LAENGE - 80.0f) {
        if (tw >= 0) {
            O(sf, tw).y = b.y;
            versetzt(sf->spieler[tw]);
            anim(O(sf, tw), A_TW_FANGEN);
        }
        b.vx = b.vy = 0;
    } else if (b.x > SF_LAENGE) {
        b.vx = b.vy = 0;
    } else {
        return;
    }
    auto& se = sf->seite[s];
    se.elfer_schuesse++;
    if (sf->elfer_ergebnis == SCHUSS_TOR) {
        se.elfer_tore++;
        SF_Ereignis(sf, SFE_TOR | (s == 0 ? SFE_TEAM_A : 0), a, 32767);
        anim(O(sf, a), A_JUBEL);
    }
    sf->elfer_ergebnis = SCHUSS_KEINER;
    sf->wartezeit = 0;
}

}  // namespace

// ---------------------------------------------------------------------------

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

void Engine_Kommandos_Anwenden(Spielfeld_Daten* sf) {
    // Due commands in the order (side, number), identical on every machine.
    for (;;) {
        Spielfeld_Kommando* k = nullptr;
        for (auto& c : sf->kommando)
            if (c.belegt == 1 && c.minute <= sf->minute &&
                (!k || c.seite < k->seite || (c.seite == k->seite && c.nummer < k->nummer)))
                k = &c;
        if (!k) return;
        int s = k->seite & 1;
        u8 netz = sf->netz;
        sf->netz = 0;  // carry out locally
        if (k->aenderung & SFA_POSITIONEN)
            for (int i = 0; i < SF_PRO_SEITE; i++)
                if (k->punkte[i][0] >= 0) Spielfeld_Set_Taktikposition(sf, sf->team[s], s * SF_PRO_SEITE + i, k->punkte[i][0], k->punkte[i][1]);
        if (k->aenderung & SFA_WECHSEL)
            for (int i = 0; i < SF_WECHSEL_LISTE; i++)
                if (k->rein[i] != 255) Spielfeld_Wechsel_Eintragen(sf, s, k->rein[i], k->raus[i]);
        if (k->aenderung & (SFA_WERT1 | SFA_SCHALTER | SFA_NEU_BERECHNEN)) {
            std::memcpy(sf->seite[s].taktik, k->taktik, sizeof k->taktik);
            std::memcpy(sf->seite[s].netz_taktik, k->taktik, sizeof k->taktik);
            sf->seite[s].schalter = k->schalter;
            if (k->aenderung & SFA_NEU_BERECHNEN) Engine_Taktik_Berechnen(sf, s);
        }
        sf->netz = netz;
        std::memset(k, 0, sizeof *k);
    }
}

void Engine_Minute_Vorbei(Spielfeld_Daten* sf) {
    for (int i = 0; i < SF_SPIELER; i++)
        if (sf_auf_platz(sf->spieler[i]) && sf->statistik[i][7] < 255) sf->statistik[i][7]++;
    Engine_Kommandos_Anwenden(sf);
    for (int s = 0; s < 2; s++) {
        computer_wechsel(sf, s);
        sf->seite[s].aufregung = sf->seite[s].aufregung * 3 / 4;
        sf->seite[s].ereignis_bits = 0;
    }
    // Minutes repeat after a half-time (45 ends the first half and starts the second): the key holds the half.
    int k = sf->minute & 7;
    sf->pruef_minute[k] = static_cast<u32>(sf->halbzeit) * 1000u + static_cast<u32>(sf->minute);
    sf->pruef_summe[k] = Spielfeld_Pruefsumme(sf);
    sf->grenze_eigen = static_cast<i16>(sf->minute + 2);
    if (sf->netz == 2 && SF_Hook.client_signal) {
        static Spielfeld_Sync_Signal sig;
        Spielfeld_Signal_Fuellen(sf, sf->team[sf->netz_seite & 1], &sig);
        SF_Hook.client_signal(&sig);
    }
}

void Engine_Tick(Spielfeld_Daten* sf) {
    sf->ticks++;
    if (sf->situation == SIT_SCHIESSEN) {
        elfer_tick(sf);
        return;
    }
    if (++sf->minuten_teil >= SF_TICKS_PRO_MINUTE) {
        sf->minuten_teil = 0;
        sf->minute++;
        Engine_Minute_Vorbei(sf);
    }
    Lage l;
    lage_bestimmen(sf, l);
    switch (sf->situation) {
        case SIT_SPIEL:
            if (sf->ballfuehrer != KEIN_SLOT) ballfuehrer(sf, l);
            else freier_ball(sf, l);
            break;
        case SIT_TORJUBEL:
            anstoss_positionen(sf);
            if (--sf->wartezeit <= 0) Engine_Aufstellen(sf, sf->anstoss_seite);
            break;
        case SIT_HALBZEIT_ENDE: return;
        default:
            if (sf->wartezeit > 3 && wechsel_ausfuehren(sf)) sf->wartezeit = static_cast<i16>(sf->wartezeit + 10);
            standard_tick(sf);
            break;
    }
    // Only when someone left the pitch during this tick must the players be checked again.
    const bool geaendert = Aufstellung_Geaendert;
    if (geaendert) lage_listen(sf, l);
    if (sf->situation != SIT_SPIEL && sf->situation != SIT_TORJUBEL && sf->situation != SIT_HALBZEIT_ENDE)
        standard_ziele(sf, l);
    // Everyone moves: the chasers and the receiver at full pace, the others to their places.
    auto& b = BALL(sf);
    for (int a = 0; a < l.anzahl; a++) {
        int i = l.aktiv[a];
        auto& sp = sf->spieler[i];
        if (geaendert && !sf_auf_platz(sp)) continue;  // sent off or changed during this tick
        if (sp.sperre) sp.sperre--;
        bool eilig = false;
        if (sf->situation == SIT_SPIEL) {
            if (i == sf->ballfuehrer) {
                eilig = true;
            } else if (i == sf->pass_ziel) {
                eilig = true;
            } else if (i == l.jaeger[0] || i == l.jaeger[1]) {
                sp.ziel_x = static_cast<i16>(b.x + b.vx * 0.25f);
                sp.ziel_y = static_cast<i16>(b.y + b.vy * 0.25f);
                eilig = true;
            } else if (((sf->ticks + i) & 7) == 0) {
                // Off the ball a player looks again every 8 ticks, staggered by slot.
                ziel_berechnen(sf, i, l);
            }
        } else if (i == sf->ausfuehrer) {
            eilig = true;
        }
        bewegen(sf, i, eilig);
    }
    offizielle(sf);
    sf->zweikampf[0] = sf->zweikampf[1] = -1;
    // End of the half as soon as play allows.
    if (sf->ende_angefordert) {
        bool tot = sf->situation != SIT_SPIEL && sf->situation != SIT_ELFMETER;
        f32 brx = b.x;
        bool ruhig = sf->schuss == SCHUSS_KEINER && brx > 3000 && brx < 7800;
        if (++sf->ende_angefordert > 200) sf->ende_angefordert = 200;
        if (tot || ruhig || sf->ende_angefordert >= 200) halbzeit_ende(sf);
    }
}
