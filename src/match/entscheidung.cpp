// Decisions: the ball holder shoots, passes or dribbles; a defender close by
// takes him on. What follows from a kick is drawn when the ball is kicked.
#include "match/anim.h"
#include "match/spielfeld_intern.h"

namespace engine {

// The taker of a set piece: a player with the role flag, else the best at the skill.
int schuetze_waehlen(Spielfeld_Daten* sf, int seite, u8 flag, int skill) {
    int b = seite * SF_PRO_SEITE, best = -1, bw = -1;
    for (int i = b; i < b + SF_PRO_SEITE; i++) {
        const auto& s = sf->spieler[i];
        if (!sf_auf_platz(s) || sf->objekt[i].torwart) continue;
        int w = skill == 0 ? s.f_pass : s.f_schuss;
        if (s.flag & flag) w += 1000;
        if (w > bw) {
            bw = w;
            best = i;
        }
    }
    return best;
}

namespace {

// The receiver a passer picks (-1 none): forward, free and not too far; a
// cross only to a team-mate in the box, a short pass within 22 m.
int empfaenger_waehlen(Spielfeld_Daten* sf, int p, int modus) {
    int s = sf_seite(p), g = s ^ 1;
    auto& po = O(sf, p);
    f32 prx = rel_x(sf, s, po.x);
    int basis = s * SF_PRO_SEITE, gb = g * SF_PRO_SEITE;
    int risiko = sf->seite[s].taktik[TW_WERT2];
    int best = -1;
    f32 bw = -1e30f;
    const f32 linie = SF_LAENGE - abwehrlinie(sf, g);  // the last line, seen from the passer's own goal
    // The opponents on the pitch, in slot order, once for every candidate.
    f32 gx[SF_PRO_SEITE], gy[SF_PRO_SEITE];
    int gn = 0;
    for (int j = gb; j < gb + SF_PRO_SEITE; j++) {
        if (!sf_auf_platz(sf->spieler[j])) continue;
        gx[gn] = O(sf, j).x;
        gy[gn] = O(sf, j).y;
        gn++;
    }
    for (int i = basis; i < basis + SF_PRO_SEITE; i++) {
        if (i == p || !sf_auf_platz(sf->spieler[i]) || O(sf, i).torwart) continue;
        auto& o = O(sf, i);
        f32 d = std::sqrt(d2(o.x, o.y, po.x, po.y));
        if (modus == 3 && d > 2200) continue;
        // A cross goes to a man near the box who attacks it.
        if (modus == 2 && (rel_x(sf, s, o.x) < SF_LAENGE - 2600.0f || std::fabs(o.y - TOR_Y) > 2300.0f)) continue;
        f32 rx = rel_x(sf, s, o.x);
        f32 frei = 1500;
        for (int j = 0; j < gn; j++) {
            f32 e = d2(gx[j], gy[j], o.x, o.y);
            if (e < frei * frei) frei = std::sqrt(e);
        }
        f32 w = (rx - prx) * (0.7f + risiko * 0.006f) + frei * 0.55f - d * 0.2f;
        if (modus == 0 && rx > linie - 150.0f && rx > prx) w += STEILPASS;
        if (modus == 1) w = rx * 0.5f + frei;
        if (d > 3500 && modus != 1) w -= (d - 3500) * 0.8f;
        w += static_cast<f32>(draw(400));
        if (w > bw) {
            bw = w;
            best = i;
        }
    }
    return best;
}

// Nobody to pass to: the ball is cleared forward.
void befreien(Spielfeld_Daten* sf, int p) {
    int s = sf_seite(p);
    auto& po = O(sf, p);
    f32 zx = abs_x(sf, s, clampf(rel_x(sf, s, po.x) + 3000, 0, SF_LAENGE - 500));
    ball_frei(sf);
    sf->spieler[p].sperre = 6;
    ball_spielen(sf, zx, po.y, true, 1800);
    sf->ball_letzter = static_cast<u8>(p);
    sf->ball_seite = static_cast<u8>(s);
    anim(po, A_PASSEN);
}

}  // namespace

// Plays a pass to a chosen receiver (modus as for passen). Whether it arrives
// is drawn at the kick: the passer's skill, the length and how closely the
// receiver is marked. A pass that fails goes to the receiver's nearest opponent.
void pass_an(Spielfeld_Daten* sf, int p, int best, int modus) {
    int s = sf_seite(p), g = s ^ 1;
    auto& po = O(sf, p);
    const auto& ps = sf->spieler[p];
    auto& eo = O(sf, best);
    if (modus != 1 && modus != 3 && abseits_gepfiffen(sf, p, best)) {
        abseits_pfiff(sf, best);
        return;
    }
    f32 d = std::sqrt(d2(eo.x, eo.y, po.x, po.y));
    int abfang = naechster(sf, g, eo.x, eo.y, modus == 2);
    f32 frei = abfang >= 0 ? std::sqrt(d2(O(sf, abfang).x, O(sf, abfang).y, eo.x, eo.y)) : 5000.0f;
    f32 p_ok = 0.95f - d / 9000.0f + (faehig(sf, p, ps.f_pass) - 50) / 300.0f -
               (frei < 250 ? 0.30f : (frei < 500 ? 0.12f : 0.0f));
    if (modus == 2) p_ok -= KREUZ_ABZUG;
    if (modus == 3) p_ok += 0.1f;
    p_ok = clampf(p_ok, 0.25f, 0.97f);
    int ziel = best;
    if (abfang >= 0 && draw(1000) >= static_cast<int>(p_ok * 1000)) ziel = abfang;
    auto& zo = O(sf, ziel);
    f32 zx = zo.x + (ziel == best ? static_cast<f32>(sf_richtung(sf, s)) * clampf(d * 0.05f, 0, 120) : 0.0f);
    f32 zy = zo.y;
    if (modus == 2 && ziel == best) {
        // Into the box in front of him, between the penalty spot and the six-yard line.
        f32 zrx = clampf(rel_x(sf, s, zo.x), SF_LAENGE - 1300.0f, SF_LAENGE - 600.0f);
        zx = abs_x(sf, s, zrx);
        zy = TOR_Y + (zo.y - TOR_Y) * 0.5f;
    }
    zx = clampf(zx, 50, SF_LAENGE - 50);
    zy = clampf(zy, 50, SF_BREITE - 50);
    bool hoch = modus == 1 || modus == 2 || d > 2600;
    ball_frei(sf);
    sf->spieler[p].sperre = 6;  // the passer does not run after his own pass
    ball_spielen(sf, zx, zy, hoch, modus == 3 ? 900.0f : 1700.0f, modus == 2 ? KOPFHOEHE : 0.0f);
    sf->pass_ziel = static_cast<u8>(ziel);
    sf->pass_geber = static_cast<u8>(p);
    sf->ball_letzter = static_cast<u8>(p);
    sf->ball_seite = static_cast<u8>(s);
    sf->spieler[ziel].ziel_x = static_cast<i16>(zx);
    sf->spieler[ziel].ziel_y = static_cast<i16>(zy);
    anim(po, modus == 3 && sf->situation == SIT_EINWURF ? A_EINWURF : A_PASSEN);
}

// Plays a pass: modus 0 normal, 1 long (keeper, goal kick), 2 cross into the box, 3 short (throw-in, kick-off).
void passen(Spielfeld_Daten* sf, int p, int modus) {
    int best = empfaenger_waehlen(sf, p, modus);
    // A short pass with nobody near goes to the nearest team-mate all the same.
    if (best < 0 && modus == 3) best = naechster(sf, sf_seite(p), O(sf, p).x, O(sf, p).y, false, p);
    // Nobody in the box to cross to: an ordinary pass.
    if (best < 0 && modus == 2) {
        modus = 0;
        best = empfaenger_waehlen(sf, p, modus);
    }
    if (best < 0) befreien(sf, p);
    else pass_an(sf, p, best, modus);
}

namespace {

// The defenders of side g between the ball and the goal near the line of a
// shot towards (tx, zy): the chance that one of them blocks it.
f32 block_chance(Spielfeld_Daten* sf, int g, f32 bx, f32 by, f32 tx, f32 zy) {
    f32 lx = tx - bx, ly = zy - by, ll = lx * lx + ly * ly + 1.0f;
    f32 p = 0;
    int b = g * SF_PRO_SEITE;
    for (int j = b; j < b + SF_PRO_SEITE; j++) {
        if (!sf_auf_platz(sf->spieler[j]) || sf->objekt[j].torwart) continue;
        f32 dx = O(sf, j).x - bx, dy = O(sf, j).y - by;
        f32 t = (dx * lx + dy * ly) / ll;  // 0 at the ball, 1 at the goal
        if (t <= 0.02f || t >= 0.95f) continue;
        f32 qx = dx - t * lx, qy = dy - t * ly;
        f32 quer = std::sqrt(qx * qx + qy * qy);
        if (quer < 120.0f) p += (1.0f - quer / 120.0f) * (t < 0.4f ? 0.55f : 0.35f);
    }
    return p > 0.6f ? 0.6f : p;
}

// A shot blocked by defender v: the ball goes behind (a corner) or loose.
void abgeblockt(Spielfeld_Daten* sf, int v, bool ecke, int r) {
    auto& b = BALL(sf);
    int g = v >= 0 ? sf_seite(v) : sf->ball_seite ^ 1;
    f32 tx = ziel_tor_x(sf, g ^ 1);
    if (ecke) {
        // Off the blocker past the post.
        f32 zy = r & 1 ? SF_PFOSTEN_1 - 300.0f - static_cast<f32>(r % 900)
                       : SF_PFOSTEN_2 + 300.0f + static_cast<f32>(r % 900);
        ball_spielen(sf, tx + (tx > 0 ? 200.0f : -200.0f), zy, true, 1500);
        sf->schuss = SCHUSS_VORBEI;
    } else {
        f32 zx = b.x - (tx > 0 ? 1.0f : -1.0f) * static_cast<f32>(500 + r % 900);
        f32 zy = b.y + static_cast<f32>(r % 1400) - 700.0f;
        ball_spielen(sf, clampf(zx, 50, SF_LAENGE - 50), clampf(zy, 50, SF_BREITE - 50), false, 1000);
        sf->schuss = SCHUSS_KEINER;
    }
    if (v >= 0) {
        sf->ball_letzter = static_cast<u8>(v);
        anim(O(sf, v), A_GRAETSCHEN);
    }
    sf->ball_seite = static_cast<u8>(g);
    sf->pass_ziel = KEIN_SLOT;
    sf->pass_geber = KEIN_SLOT;
}

// Whether the keeper gets to a shot: from where he stands, the point of the
// goal it goes to, its pace and his skill. The chance of a save.
f32 parade_chance(Spielfeld_Daten* sf, int tw, int k, f32 tx, f32 zy, f32 zz, f32 dist, f32 tempo) {
    if (tw < 0) return 0.0f;
    const auto& to = O(sf, tw);
    f32 seit = std::fabs(to.y - zy);
    f32 tief = std::fabs(to.x - tx);
    f32 zeit = dist / tempo;
    // Reach: arms and a dive, more the more time he has and the better he is.
    f32 reichweite = 140.0f + zeit * (250.0f + k * 3.0f) - tief * 0.15f;
    f32 hoehe = zz > 200.0f ? 0.85f : 1.0f;
    f32 p = (0.665f + (k - 50) / 180.0f) * hoehe;
    if (seit > reichweite) p -= (seit - reichweite) / 220.0f;
    return clampf(p, 0.04f, 0.93f);
}

}  // namespace

// A shot: what happens is drawn at the kick from the pitch as it is (the
// blockers in the line, the shooter's skill, stamina and the pressure on him,
// where the keeper stands); the flight shows it.
void schiessen(Spielfeld_Daten* sf, int p, u32 art) {
    int s = sf_seite(p), g = s ^ 1;
    auto& po = O(sf, p);
    const auto& ps = sf->spieler[p];
    f32 tx = ziel_tor_x(sf, s);
    f32 dist = std::sqrt(d2(po.x, po.y, tx, TOR_Y));
    int tw = torwart(sf, g);
    int k = tw >= 0 ? faehig(sf, tw, sf->spieler[tw].f_torwart) : 5;
    const bool kopf = (art & SFE_KOPF) != 0;
    SF_Klang(sf, kopf ? SF_KLANG_KOPFBALL : SF_KLANG_SCHUSS);
    int sk = faehig(sf, p, kopf ? ps.f_kopf : ps.f_schuss);
    f32 winkel = std::fabs(po.y - TOR_Y) / (dist + 1.0f);  // 0 straight, 1 from the line
    stat(sf, p, SFST_SCHUESSE);
    anim(po, kopf ? A_KOPFBALL : A_SCHUSS);
    sf->schuss_seite = static_cast<u8>(s);
    sf->schuetze = static_cast<u8>(p);
    sf->schuss_flags = static_cast<u8>(kopf ? 1 : 0);
    sf->ball_letzter = static_cast<u8>(p);
    sf->ball_seite = static_cast<u8>(s);
    ball_frei(sf);
    sf->spieler[p].sperre = 6;
    sf->kamera_schnell = 1;
    int r1 = draw(1000), r2 = draw(1000), r3 = draw(1000), r4 = draw(1000), r5 = draw(1000);
    u8 ergebnis;
    if (art & SFE_ELFMETER) {
        f32 p_tor = clampf(0.765f + (sk - k) / 600.0f, 0.64f, 0.86f);
        if (r1 < static_cast<int>(p_tor * 1000)) ergebnis = SCHUSS_TOR;
        else ergebnis = r2 < 600 ? SCHUSS_GEHALTEN : SCHUSS_VORBEI;
        SF_Ereignis(sf, SFE_CHANCE | SFE_ELFMETER, p, tw);
        sf->schuss = ergebnis;
        schuss_flug(sf, tw, sk, art, r5);
        return;
    }
    // Where he aims: inside a post, the better the nearer the corner.
    f32 zy = SF_PFOSTEN_1 + 60.0f + static_cast<f32>(r5 % 613);
    f32 zz = static_cast<f32>((r5 * 7) % 200);
    // Pressure: the nearest defender.
    int v = naechster(sf, g, po.x, po.y, false);
    f32 druck = v >= 0 ? std::sqrt(d2(O(sf, v).x, O(sf, v).y, po.x, po.y)) : 2000.0f;
    f32 bedraengt = druck < 150.0f ? 1.0f : (druck < 400.0f ? (400.0f - druck) / 250.0f : 0.0f);
    f32 p_block = kopf ? 0.0f : block_chance(sf, g, BALL(sf).x, BALL(sf).y, tx, zy);
    f32 p_auf =
        0.80f - dist / 7000.0f - winkel * 0.30f - bedraengt * 0.18f + (sk - 50) / 250.0f - (kopf ? 0.10f : 0.0f);
    // A tired marker gives more room.
    if (v >= 0) p_auf += static_cast<f32>(10000 - sf->spieler[v].ausdauer) / 40000.0f;
    if (art & SFE_FREISTOSS) p_auf -= 0.12f;
    p_auf = clampf(p_auf, 0.12f, 0.88f);
    f32 tempo = kopf ? 1400.0f : 2400.0f + static_cast<f32>(sk) * 6.0f;
    if (r1 < static_cast<int>(p_block * 1000)) {
        // Blocked: behind for a corner, back into play, now and then into his own goal.
        if (r3 < 12 && v >= 0) {
            sf->schuetze = static_cast<u8>(v);
            sf->schuss = SCHUSS_EIGENTOR;
            schuss_flug(sf, tw, sk, art, r5);
            return;
        }
        abgeblockt(sf, v, r2 < 600, r4);
        return;
    }
    if (r2 < static_cast<int>(p_auf * 1000)) {
        f32 p_parade = parade_chance(sf, tw, k, tx, zy, zz, dist, tempo);
        if (art & SFE_FREISTOSS) p_parade += 0.1f;
        if (r3 >= static_cast<int>(p_parade * 1000)) {
            ergebnis = SCHUSS_TOR;
        } else {
            // Caught when it is not hard or far to the side, else parried.
            int fangen = 380 + (k - 50) * 5 - static_cast<int>(6000.0f / (dist + 600.0f) * 40.0f);
            ergebnis = r4 < fangen
                           ? SCHUSS_GEHALTEN
                           : (r4 < fangen + (1000 - fangen) * 2 / 3 ? SCHUSS_ABGEWEHRT_ECKE : SCHUSS_ABGEWEHRT_FELD);
        }
        SF_Ereignis(sf, SFE_CHANCE | art, p, tw);
    } else {
        // Wide: off a defender's foot behind for a corner when one is close.
        if (druck < 350.0f && r4 < ABGEFAELSCHT_ECKE) {
            abgeblockt(sf, v, true, r4);
            return;
        }
        ergebnis = SCHUSS_VORBEI;
    }
    sf->schuss = ergebnis;
    schuss_flug(sf, tw, sk, art, r5);
}

namespace {

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
    // A tired defender comes in late.
    int p_foul =
        FOUL_GRUND + haerte + (10000 - v.ausdauer) / 200 + (im_strafraum(arx, O(sf, ang).y) ? FOUL_STRAFRAUM : 0);
    if (r1 < p_foul) {
        foul(sf, ver, ang);
        return;
    }
    int wa = faehig(sf, ang, a.f_technik) + faehig(sf, ang, a.f_tempo) / 2 + r2;
    int wv = faehig(sf, ver, v.f_zweikampf) + faehig(sf, ver, v.f_tempo) / 2 + r3 + 12;
    anim(O(sf, ver), A_GRAETSCHEN);
    if (wv > wa) {
        stat(sf, ver, SFST_ZWEIKAMPF_GEWONNEN);
        stat(sf, ang, SFST_ZWEIKAMPF_VERLOREN);
        punkte(sf, ver, 1);
        punkte(sf, ang, -1);
        ball_geben(sf, ver);
        a.sperre = 8;
        anim(O(sf, ang), A_STOLPERN);
    } else {
        stat(sf, ang, SFST_ZWEIKAMPF_GEWONNEN);
        stat(sf, ver, SFST_ZWEIKAMPF_VERLOREN);
        punkte(sf, ang, 1);
        punkte(sf, ver, -1);
        v.sperre = 14;
    }
}

}  // namespace

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
    f32 rx = rel_x(sf, s, o.x);
    const bool aussen = std::fabs(o.y - TOR_Y) > AUSSEN_AB;
    // Dribble towards the goal, a little towards the middle; a wide man in
    // the last third goes for the line to cross.
    sp.ziel_x = static_cast<i16>(abs_x(sf, s, clampf(rx + 400, 0, SF_LAENGE - 300)));
    if (aussen && rx > 7000) sp.ziel_y = static_cast<i16>(o.y);
    else sp.ziel_y = static_cast<i16>(o.y + (TOR_Y - o.y) * (rx > 7000 ? 0.12f : 0.03f));
    // A duel when an opponent is close.
    int angriff = sf->seite[g].taktik[TW_SCHALTER2] ? PRESSING_ZWEIKAMPF : 9;  // pressing
    if (c >= 0 && dc2 < ZWEIKAMPF_NAH * ZWEIKAMPF_NAH && sf->spieler[c].sperre == 0 && draw(100) < angriff) {
        zweikampf(sf, c, p);
        return;
    }
    int r = draw(1000);
    int drang = sf->seite[s].taktik[TW_WERT1] - 50 + spielstand_drang(sf, s);
    // Shots: the nearer and the more central, the likelier.
    int p_schuss = 0;
    if (dg2 < 1300.0f * 1300.0f) p_schuss = SCHUSS_NAH;
    else if (dg2 < 2000.0f * 2000.0f) p_schuss = SCHUSS_MITTEL;
    else if (dg2 < 2700.0f * 2700.0f) p_schuss = SCHUSS_WEIT;
    else if (dg2 < 3300.0f * 3300.0f) p_schuss = SCHUSS_FERN;
    if (p_schuss) {
        f32 winkel = std::fabs(o.y - TOR_Y) / (std::sqrt(dg2) + 1.0f);
        p_schuss = static_cast<int>(static_cast<f32>(p_schuss) * (1.0f - winkel * 0.7f));
        p_schuss += p_schuss * drang / 100;
    }

    if (r < p_schuss) {
        schiessen(sf, p, dg2 > 2000.0f * 2000.0f ? SFE_FERNSCHUSS : 0);
        return;
    }
    r -= p_schuss;
    int p_flanke = rx > FLANKE_AB ? (aussen ? FLANKE_RATE : FLANKE_MITTE) : 0;
    if (r < p_flanke) {
        passen(sf, p, 2);
        return;
    }
    r -= p_flanke;
    int p_pass = 20 + (dc2 < 400.0f * 400.0f ? 120 : 0) + (sf->ballbesitz_ticks > 40 ? 120 : 0);
    if (r < p_pass) passen(sf, p, 0);
}

}  // namespace engine
