// The ball: kicked, in flight with gravity, bounces and rolling friction, a
// shot reaching the goal line, the lines, and who takes a free ball.
#include "match/anim.h"
#include "match/spielfeld_intern.h"

namespace engine {

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
    stat(sf, slot, SFST_BALLKONTAKTE);
}

// Kicks the ball from its place towards a point at a speed (lofted when hoch).
void ball_spielen(Spielfeld_Daten* sf, f32 zx, f32 zy, bool hoch, f32 tempo, f32 hoehe) {
    auto& b = BALL(sf);
    f32 dx = zx - b.x, dy = zy - b.y;
    f32 d = std::sqrt(dx * dx + dy * dy);
    if (d < 1) d = 1;
    if (hoch) {
        f32 t = d / tempo;
        b.vx = dx / t;
        b.vy = dy / t;
        if (b.z < 1) b.z = 1;
        b.vz = (hoehe - b.z) / t + 0.5f * G * t;
    } else {
        // Ground ball: it loses 7 % a tick, so it travels 1.43 x its speed per second.
        f32 v = d * 0.82f + 250.0f;
        b.vx = dx / d * v;
        b.vy = dy / d * v;
        b.vz = 0;
    }
    sf->ball_ziel[0] = zx;
    sf->ball_ziel[1] = zy;
    sf->ball_ziel[2] = hoch ? hoehe : 0.0f;
}

// The flight of a shot whose outcome is drawn (sf->schuss): into the goal,
// at the keeper, or past the post. tw: the keeper, sk: the shooter's skill.
void schuss_flug(Spielfeld_Daten* sf, int tw, int sk, u32 art, int r5) {
    const u8 ergebnis = sf->schuss;
    const f32 tx = ziel_tor_x(sf, sf->schuss_seite);
    f32 zy, zz;
    if (ergebnis == SCHUSS_TOR || ergebnis == SCHUSS_EIGENTOR) {
        zy = SF_PFOSTEN_1 + 60.0f + static_cast<f32>(r5 % 600);
        zz = static_cast<f32>((r5 * 7) % 200);
    } else if (ergebnis == SCHUSS_VORBEI) {
        bool links = r5 < 500;
        zy = links ? SF_PFOSTEN_1 - 60.0f - static_cast<f32>(r5 % 400)
                   : SF_PFOSTEN_2 + 60.0f + static_cast<f32>(r5 % 400);
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

namespace {

// A shot reaching the goal line: the keeper's save, a corner, the goal.
void schuss_an_der_linie(Spielfeld_Daten* sf) {
    auto& b = BALL(sf);
    int s = sf->schuss_seite;
    f32 tx = ziel_tor_x(sf, s);
    f32 rest = std::fabs(tx - b.x);
    u8 e = sf->schuss;
    if (e == SCHUSS_GEHALTEN || e == SCHUSS_ABGEWEHRT_ECKE || e == SCHUSS_ABGEWEHRT_FELD) {
        if (rest < 260) {
            int tw = torwart(sf, s ^ 1);
            if (tw >= 0) {
                stat(sf, tw, SFST_BALLKONTAKTE);
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
        if (e == SCHUSS_TOR) {
            tor(sf, sf->schuetze, false);
            return;
        }
        if (e == SCHUSS_EIGENTOR) {
            tor(sf, sf->schuetze, true);
            return;
        }
        sf->elfer_im_spiel = 0;
        sf->schuss = SCHUSS_KEINER;
        aus(sf);
        return;
    }
    if (b.y < 0 || b.y > SF_BREITE) {
        sf->schuss = SCHUSS_KEINER;
        aus(sf);
    }
}

// A defender clears a high ball out of his box: behind for a corner or away upfield.
void klaeren(Spielfeld_Daten* sf, int n, int r) {
    int s = sf_seite(n);
    auto& o = O(sf, n);
    ball_frei(sf);
    sf->spieler[n].sperre = 6;
    anim(o, A_KOPFBALL);
    if (r < KLAERUNG_ECKE) {
        f32 tor_x = ziel_tor_x(sf, s ^ 1);
        f32 zy = o.y < TOR_Y ? SF_PFOSTEN_1 - 400.0f - static_cast<f32>(r % 800)
                             : SF_PFOSTEN_2 + 400.0f + static_cast<f32>(r % 800);
        ball_spielen(sf, tor_x + (tor_x > 0 ? 200.0f : -200.0f), zy, true, 1300);
    } else {
        f32 zx = abs_x(sf, s, clampf(rel_x(sf, s, o.x) + 1500.0f + static_cast<f32>(r % 1500), 0, SF_LAENGE - 500));
        f32 zy = clampf(o.y + static_cast<f32>(r % 2000) - 1000.0f, 100, SF_BREITE - 100);
        ball_spielen(sf, zx, zy, true, 1500);
    }
    sf->ball_letzter = static_cast<u8>(n);
    sf->ball_seite = static_cast<u8>(s);
    sf->pass_geber = KEIN_SLOT;
}

// Someone takes the free ball: while a pass travels only the player it goes to.
void ball_annehmen(Spielfeld_Daten* sf, const Lage& l) {
    auto& b = BALL(sf);
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
    // A high ball moves far in a tick: a man goes up for it within a longer reach.
    const f32 reichweite = b.z > 100 ? REICHWEITE_KOPF : REICHWEITE;
    if (n >= 0 && nd < reichweite * reichweite && b.z < 240) {
        int s = sf_seite(n);
        f32 v2 = b.vx * b.vx + b.vy * b.vy;
        if (s != sf->ball_seite && v2 > 900.0f * 900.0f && n != sf->pass_ziel) {
            // Intercepting a fast ball is not certain.
            auto& sp = sf->spieler[n];
            if (draw(100) > 40 + faehig(sf, n, sp.f_zweikampf) / 3) return;
        }
        bool kopf = b.z > 100;
        const int vorher = sf->ball_seite;
        int geber = sf->pass_geber;
        bool eigener_pass = geber != KEIN_SLOT && sf_seite(geber) == s && sf->ball_seite == s;
        ball_geben(sf, n);
        if (eigener_pass) {
            sf->pass_geber = static_cast<u8>(geber);
            punkte(sf, geber, 0);
        } else {
            sf->pass_geber = KEIN_SLOT;
        }
        if (vorher != s) stat(sf, n, SFST_ZWEIKAMPF_GEWONNEN);
        f32 rx = rel_x(sf, s, O(sf, n).x);
        // A defender meets a high ball of the other side in his own box: he heads it clear, often behind.
        if (b.z > 40 && vorher != s && !O(sf, n).torwart && im_strafraum(rx, O(sf, n).y)) {
            klaeren(sf, n, draw(1000));
            return;
        }
        // A header or first-time shot in the box.
        if (rx > SF_LAENGE - SF_STRAFRAUM_TIEFE && !O(sf, n).torwart && O(sf, n).y > SF_STRAFRAUM_Y1 &&
            O(sf, n).y < SF_STRAFRAUM_Y2) {
            int r = draw(1000);
            int v = naechster(sf, s ^ 1, O(sf, n).x, O(sf, n).y, false);
            if (r < FOUL_IM_STRAFRAUM && v >= 0) foul(sf, v, n);
            else if (kopf && r < KOPFBALL_SCHUSS) schiessen(sf, n, SFE_KOPF);
            else if (!kopf && r < 250) schiessen(sf, n, 0);
        }
    }
}

}  // namespace

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
        schuss_an_der_linie(sf);
        return;
    }
    if (b.x < 0 || b.x > SF_LAENGE || b.y < 0 || b.y > SF_BREITE) {
        // Into the goal without a shot: an own goal when a defender touched it
        // last; a pass of the attackers that rolls in is no goal (a goal kick).
        if ((b.x < 0 || b.x > SF_LAENGE) && b.y > SF_PFOSTEN_1 && b.y < SF_PFOSTEN_2 && b.z < SF_LATTE &&
            sf->ball_letzter != KEIN_SLOT) {
            int vert = (b.x <= 0) == (sf_richtung(sf, 0) > 0) ? 0 : 1;
            int l2 = sf->ball_letzter;
            if (sf_seite(l2) == vert) {
                tor(sf, l2, true);
                return;
            }
        }
        aus(sf);
        return;
    }
    ball_annehmen(sf, l);
}

}  // namespace engine
