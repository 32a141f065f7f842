// Referee and rules: set pieces, offside, fouls and cards, injuries, goals,
// the end of a half and the kick of a penalty shoot-out.
#include "match/anim.h"
#include "match/spielfeld_intern.h"

namespace engine {

// Sets up a dead ball: ball placed, taker chosen, a wait before the kick.
void standard(Spielfeld_Daten* sf, u8 situation, int seite, f32 x, f32 y, int ausfuehrer, int warte) {
    // The referee's decisions are heard.
    if (situation == SIT_FREISTOSS || situation == SIT_ELFMETER) SF_Klang(sf, SF_KLANG_PFIFF);
    else if (situation == SIT_ABSEITS) SF_Klang(sf, SF_KLANG_PFIFF_ABSEITS);
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

// True when the receiver stands offside at the moment of the pass.
// The second-last man of side g (keeper included), seen from its own goal line.
f32 abwehrlinie(Spielfeld_Daten* sf, int g) {
    f32 a = 1e9f, b2 = 1e9f;
    int basis = g * SF_PRO_SEITE;
    for (int i = basis; i < basis + SF_PRO_SEITE; i++) {
        if (!sf_auf_platz(sf->spieler[i])) continue;
        f32 r = rel_x(sf, g, O(sf, i).x);
        if (r < a) {
            b2 = a;
            a = r;
        } else if (r < b2) b2 = r;
    }
    return b2;
}

// Whether the linesman flags the receiver of a pass offside. He judges by
// the receiver's distance beyond the second-last defender at the moment of
// the pass, and sees it best when he is level with that line.
bool abseits_gepfiffen(Spielfeld_Daten* sf, int geber, int empf) {
    int s = sf_seite(geber), g = s ^ 1;
    f32 erx = rel_x(sf, g, O(sf, empf).x);  // seen from the defenders' goal
    if (erx > SF_MITTE_X) return false;     // own half
    f32 brx = rel_x(sf, g, BALL(sf).x);
    if (erx >= brx) return false;  // behind the ball
    f32 b2 = abwehrlinie(sf, g);
    f32 vorsprung = b2 - erx;  // > 0: beyond the line
    if (vorsprung < -60.0f) return false;
    const auto& lr = O(sf, O(sf, empf).x < SF_MITTE_X ? SF_OBJ_LINIE_1 : SF_OBJ_LINIE_2);
    bool gut_im_blick = std::fabs(lr.x - abs_x(sf, g, b2)) < 800.0f;
    int p;
    if (vorsprung > 30.0f) p = 970 - (gut_im_blick ? 0 : 150) - (vorsprung < 100.0f ? 150 : 0);
    else p = gut_im_blick ? 40 : 100;
    return draw(1000) < p;
}

void abseits_pfiff(Spielfeld_Daten* sf, int empf) {
    int g = sf_seite(empf) ^ 1;
    sf->linienrichter_ruf = 1;
    int lr = O(sf, empf).x < SF_MITTE_X ? SF_OBJ_LINIE_1 : SF_OBJ_LINIE_2;
    anim(O(sf, lr), A_FAHNE);
    standard(sf, SIT_ABSEITS, g, O(sf, empf).x, O(sf, empf).y, naechster(sf, g, O(sf, empf).x, O(sf, empf).y, true),
             25);
}

namespace {

void verletzen(Spielfeld_Daten* sf, int opfer) {
    auto& s = sf->spieler[opfer];
    if (s.verletzung) return;
    int art = draw(42);
    s.verletzung = static_cast<u8>(art + 1);
    s.status |= SFS_VERLETZT;
    SF_Ereignis(sf, SFE_VERLETZUNG, opfer, art);
    anim(O(sf, opfer), A_WAELZEN);
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

}  // namespace

void vom_platz(Spielfeld_Daten* sf, int slot) {
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

void foul(Spielfeld_Daten* sf, int taeter, int opfer) {
    int s = sf_seite(opfer);
    stat(sf, taeter, SFST_FOULS);
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
    int p_gelb = KARTE_GELB + haerte + (orx < 3000 ? 60 : 0);
    int p_rot = KARTE_ROT + (strafraum ? 8 : 0);
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

void tor(Spielfeld_Daten* sf, int schuetze, bool eigentor) {
    if (schuetze < 0 || schuetze >= SF_SPIELER) return;
    int s = sf_seite(schuetze);
    int fuer = eigentor ? s ^ 1 : s;
    if (sf->tore[fuer] < 127) sf->tore[fuer]++;
    u32 f = SFE_TOR | (eigentor ? SFE_EIGENTOR : 0) | (sf->elfer_im_spiel ? SFE_ELFMETER : 0);
    if (sf->schuss_flags & 1) f |= SFE_KOPF;
    SF_Ereignis(sf, f, schuetze,
                eigentor ? -1 : (sf->pass_geber != KEIN_SLOT && sf_seite(sf->pass_geber) == s ? sf->pass_geber : -1));
    if (eigentor) {
        punkte(sf, schuetze, -8);
    } else {
        stat(sf, schuetze, SFST_TORE);
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
        case SIT_ANSTOSS: {
            SF_Klang(sf, SF_KLANG_PFIFF);
            // A short pass to the nearest team-mate, whatever the formation.
            int m = naechster(sf, s, b.x, b.y, false, a);
            if (m >= 0) pass_an(sf, a, m, 3);
            else passen(sf, a, 3);
            break;
        }
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

void halbzeit_ende(Spielfeld_Daten* sf) {
    sf->halbzeit_status = 2;
    sf->situation = SIT_HALBZEIT_ENDE;
    sf->ende_angefordert = 0;
    sf->halten = 0;
    sf->schuss = SCHUSS_KEINER;
    sf->elfer_im_spiel = 0;
    ball_frei(sf);
    anim(O(sf, SF_OBJ_SCHIRI), A_PFEIFT);
    SF_Klang(sf, sf->halbzeit % 2 ? SF_KLANG_PFIFF_LANG : SF_KLANG_PFIFF_ENDE);
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
            int k = tw >= 0 ? faehig(sf, tw, sf->spieler[tw].f_torwart) : 5;
            int sk = faehig(sf, a, sp.f_schuss);
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

}  // namespace engine
