// The match engine's tick and minute: what the tick knows of the players,
// the situation's step, everyone's movement and the end of a half.
//
// 90 ticks make a minute of the match clock; the players move at the pace
// of a tenth of a second a tick, so the clock runs faster than the play. All
// draws come from the shared random table; the caller has set the cursor to
// the pitch's own one, so the order of the draws below is part of the game.
#include <algorithm>

#include "match/spielfeld_intern.h"
#include "world/welt.h"

namespace engine {
namespace {

// What to look at in a tick: the offside line (the officials' ticks), the list of the players on
// the pitch with it (every BLICK ticks, when the places are looked at), the chasers (open play),
// the nearest player to the ball (a free ball).
enum Blick_Art { NUR_JAGD = 0, MIT_LINIE = 1, MIT_LISTE = 2 };
enum Jagd_Art { KEINE_JAGD = 0, JAGD = 1, JAGD_UND_NAECHSTER = 2 };

// One side's part of the tick's picture, in one pass over its slots: the players on the pitch
// (listed on the ticks that read the list), its offside line (its second-last man seen from its own goal line), its chaser (nearest to
// where the ball will be; a keeper only with the ball in his box) and the nearest player.
template <Blick_Art LINIE, Jagd_Art JAGEN>
void seite_sehen(Spielfeld_Daten* sf, int s, Lage& l, int& anzahl) {
    const auto& b = sf->objekt[SF_OBJ_BALL];
    const f32 bx = b.x, by = b.y;
    const f32 px = bx + b.vx * 0.3f, py = by + b.vy * 0.3f;
    const f32 tor_x = sf_richtung(sf, s) > 0 ? 0.0f : SF_LAENGE;
    const bool ball_im_strafraum =
        std::fabs(bx - tor_x) < SF_STRAFRAUM_TIEFE && by > SF_STRAFRAUM_Y1 && by < SF_STRAFRAUM_Y2;
    const bool vorwaerts = sf_richtung(sf, s) > 0;
    f32 letzter = SF_LAENGE, vorletzter = SF_LAENGE;
    int jaeger = -1, naechster = l.naechster, n = anzahl;
    f32 bd = 1e30f, nd = l.nd;
    const int basis = s * SF_PRO_SEITE;
    const bool besitz = l.besitz[s];
    u64 stuermer = 0;
    for (int i = basis; i < basis + SF_PRO_SEITE; i++) {
        auto& sp = sf->spieler[i];
        if (!sf_auf_platz(sp)) continue;
        if constexpr (LINIE == MIT_LISTE) l.aktiv[n++] = static_cast<u8>(i);
        stuermer |= static_cast<u64>(besitz & (sp.position == 3)) << i;
        const auto& o = sf->objekt[i];
        const f32 ox = o.x, oy = o.y;
        if constexpr (LINIE != NUR_JAGD) {
            const f32 rx = vorwaerts ? ox : SF_LAENGE - ox;
            if (rx < letzter) {
                vorletzter = letzter;
                letzter = rx;
            } else if (rx < vorletzter) {
                vorletzter = rx;
            }
        }
        if constexpr (JAGEN != KEINE_JAGD) {
            // A beaten man's ticks count down in open play; he takes part again on the tick his count ends.
            if (sp.sperre != 0) [[unlikely]]
                if (--sp.sperre != 0) continue;
            if constexpr (JAGEN == JAGD_UND_NAECHSTER) {
                const f32 d = d2(ox, oy, bx, by);
                if (d < nd) [[unlikely]] {
                    nd = d;
                    naechster = i;
                }
            }
            // The keeper is looked at like everyone else; the rare tick on which he comes out nearest
            // with the ball outside his box looks again without him (below).
            const f32 e = d2(ox, oy, px, py);
            if (e < bd) {
                bd = e;
                jaeger = i;
            }
        }
    }
    if constexpr (JAGEN != KEINE_JAGD) {
        if (jaeger >= 0 && !ball_im_strafraum && sf->objekt[jaeger].torwart) [[unlikely]] {
            // The nearest of the others, as if the keeper had not been looked at (the first on a tie).
            jaeger = -1;
            bd = 1e30f;
            for (int i = basis; i < basis + SF_PRO_SEITE; i++) {
                const auto& sp = sf->spieler[i];
                const auto& o = sf->objekt[i];
                if (!sf_auf_platz(sp) || sp.sperre != 0 || o.torwart) continue;
                const f32 e = d2(o.x, o.y, px, py);
                if (e < bd) {
                    bd = e;
                    jaeger = i;
                }
            }
        }
    }
    l.stuermer |= stuermer;
    anzahl = n;
    if constexpr (LINIE != NUR_JAGD) l.linie[s] = vorletzter;
    l.jaeger[s] = jaeger;
    l.naechster = naechster;
    l.nd = nd;
}

template <Blick_Art LINIE>
void seite_sehen(Spielfeld_Daten* sf, int s, Lage& l, int& anzahl, Jagd_Art jagen) {
    switch (jagen) {
        case KEINE_JAGD: seite_sehen<LINIE, KEINE_JAGD>(sf, s, l, anzahl); break;
        case JAGD: seite_sehen<LINIE, JAGD>(sf, s, l, anzahl); break;
        case JAGD_UND_NAECHSTER: seite_sehen<LINIE, JAGD_UND_NAECHSTER>(sf, s, l, anzahl); break;
    }
}

// The padding of a side's field list up to the next four (the nearest-point search reads it).
void lage_auffuellen(Lage& l, int s) {
    for (int k = l.feld_n[s]; k < PUNKTE_PLATZ && k < l.feld_n[s] + 3; k++) l.feld_x[s][k] = l.feld_y[s][k] = 0.0f;
}

void lage_bestimmen(Spielfeld_Daten* sf, Lage& l) {
    const auto& b = BALL(sf);
    const bool hat_ball = sf->ballfuehrer != KEIN_SLOT || sf->pass_ziel != KEIN_SLOT;
    // The chasers count in open play only (a set piece taken this tick has its chasers from the
    // next tick on); the nearest player to the ball serves a free ball only.
    const Jagd_Art jagen = sf->situation != SIT_SPIEL     ? KEINE_JAGD
                           : sf->ballfuehrer == KEIN_SLOT ? JAGD_UND_NAECHSTER
                                                          : JAGD;
    // The offside line serves the places (looked at every BLICK ticks) and the linesmen (one
    // tick in OFFIZIELLE_TAKT): it is made on those ticks only. The field lists serve the
    // marking, which everyone looks at every BLICK ticks.
    const bool voll = (sf->ticks & (OFFIZIELLE_TAKT - 1)) == 0;
    const bool listen = (sf->ticks & (BLICK - 1)) == 0;
    // Only a player within reach of the ball can take it: the search starts at the longest reach.
    l.naechster = -1;
    l.nd = REICHWEITE_KOPF * REICHWEITE_KOPF;
    l.stuermer = 0;
    int anzahl = 0;
    for (int s = 0; s < 2; s++) {
        l.ball_rx[s] = rel_x(sf, s, b.x);
        l.besitz[s] = sf->ball_seite == s && hat_ball;
        l.jaeger[s] = -1;
        l.feld_n[s] = 0;
        // A tick without the line outside open play asks for nothing of the players.
        if (!voll && jagen == KEINE_JAGD) continue;
        const int anfang = anzahl;
        if (listen) seite_sehen<MIT_LISTE>(sf, s, l, anzahl, jagen);
        else if (voll) seite_sehen<MIT_LINIE>(sf, s, l, anzahl, jagen);
        else seite_sehen<NUR_JAGD>(sf, s, l, anzahl, jagen);
        int feld = 0;
        for (int k = anfang; listen && k < anzahl; k++) {
            const int i = l.aktiv[k];
            const auto& o = sf->objekt[i];
            if (o.torwart) continue;
            l.feld_slot[s][feld] = static_cast<i8>(i);
            l.feld_x[s][feld] = o.x;
            l.feld_y[s][feld] = o.y;
            feld++;
        }
        l.feld_n[s] = feld;
        if (listen) lage_auffuellen(l, s);
    }
    l.anzahl = anzahl;
}

// The field lists anew after a player left the pitch (chasers and the nearest player are kept).
void lage_listen(Spielfeld_Daten* sf, Lage& l) {
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
        lage_auffuellen(l, s);
    }
}

// True when a player of the tick's start left the pitch during the tick (sent
// off or substituted), so that the tick's lists must be made anew.
bool jemand_gegangen(const Spielfeld_Daten* sf, const Lage& l) {
    for (int a = 0; a < l.anzahl; a++)
        if (!sf_auf_platz(sf->spieler[l.aktiv[a]])) return true;
    return false;
}

// The end of the half as soon as play allows: at a dead ball, a quiet moment
// or after at most 200 ticks.
// The match's day for the keepers (TORWART_TAGESFORM), one draw at the
// kick-off, the same for both sides' keepers on the pitch and the bench.
void tagesform(Spielfeld_Daten* sf) {
    const int d = draw(2 * TORWART_TAGESFORM + 1) - TORWART_TAGESFORM;
    for (auto& s : sf->spieler)
        if (s.spieler >= 0 && s.position == 0) s.f_torwart = static_cast<u8>(std::clamp(s.f_torwart + d, 1, 100));
}

void ende_pruefen(Spielfeld_Daten* sf) {
    if (!sf->ende_angefordert) return;
    bool tot = sf->situation != SIT_SPIEL && sf->situation != SIT_ELFMETER;
    f32 brx = BALL(sf).x;
    bool ruhig = sf->schuss == SCHUSS_KEINER && brx > 3000 && brx < 7800;
    if (++sf->ende_angefordert > 200) sf->ende_angefordert = 200;
    if (tot || ruhig || sf->ende_angefordert >= 200) halbzeit_ende(sf);
}

}  // namespace
}  // namespace engine

using namespace engine;

void Engine_Minute_Vorbei(Spielfeld_Daten* sf) {
    for (int i = 0; i < SF_SPIELER; i++)
        if (sf_auf_platz(sf->spieler[i]) && sf->statistik[i][SFST_MINUTEN] < 255) sf->statistik[i][SFST_MINUTEN]++;
    Engine_Kommandos_Anwenden(sf);
    for (int s = 0; s < 2; s++) {
        computer_wechsel(sf, s);
        sf->seite[s].aufregung = sf->seite[s].aufregung * 3 / 4;
        sf->seite[s].ereignis_bits = 0;
    }
    // The checksums serve the lockstep of a networked pitch only. Minutes repeat after a half-time (45 ends
    // the first half and starts the second): the key holds the half.
    if (sf->netz) {
        int k = sf->minute & 7;
        sf->pruef_minute[k] = static_cast<u32>(sf->halbzeit) * 1000u + static_cast<u32>(sf->minute);
        sf->pruef_summe[k] = Spielfeld_Pruefsumme(sf);
    }
    sf->grenze_eigen = static_cast<i16>(sf->minute + 2);
    SF_Signal_Senden(sf);
}

void Engine_Tick(Spielfeld_Daten* sf) {
    if (++sf->ticks == 1) tagesform(sf);
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
    // (The lists serve the looks at the places every BLICK ticks; the rest checks each figure on its own.)
    const bool geaendert = (sf->ticks & (BLICK - 1)) == 0 && jemand_gegangen(sf, l);
    if (geaendert) lage_listen(sf, l);
    if (sf->situation != SIT_SPIEL && sf->situation != SIT_TORJUBEL && sf->situation != SIT_HALBZEIT_ENDE)
        standard_ziele(sf, l);
    alle_bewegen(sf, l, geaendert);
    offizielle(sf, l);
    sf->zweikampf[0] = sf->zweikampf[1] = -1;
    ende_pruefen(sf);
}
