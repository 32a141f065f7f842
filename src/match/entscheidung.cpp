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
        if (w > bw) { bw = w; best = i; }
    }
    return best;
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
    stat(sf, p, SFST_SCHUESSE);
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
    schuss_flug(sf, tw, sk, art, draw(1000));
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
    int p_foul = 95 + haerte + (im_strafraum(arx, O(sf, ang).y) ? 110 : 0);
    if (r1 < p_foul) {
        foul(sf, ver, ang);
        return;
    }
    int wa = faehig(a, a.f_technik) + faehig(a, a.f_tempo) / 2 + r2;
    int wv = faehig(v, v.f_zweikampf) + faehig(v, v.f_tempo) / 2 + r3 + 12;
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

}  // namespace engine
