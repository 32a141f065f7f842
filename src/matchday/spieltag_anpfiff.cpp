// One match from its kick-off: the dice minutes of a match played without
// the engine, the kick-off (line-ups, attendance, the pitch record) and the
// server's lockstep with a client's copy of a match.
#include "matchday/spieltag.h"


#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "match/spielfeld.h"
#include "matchday/nachspiel.h"
#include "matchday/spieltag_intern.h"
#include "matchday/spieltag_netz.h"
#include "season/ankuendigung.h"
#include "season/ereignis_zufall.h"
#include "season/ereignisse.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "season/wettbewerb_werte.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/modi.h"
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace spieltag_intern {

// --- events -------------------------------------------------------------------------

int starter(i32 team, i32* aus) { return team > 0 ? Teamspieler_Ins_Array(team, aus, MAX_STARTER, 16) : 0; }

void ereignis(i32 spiel, u32 flags, i32 minute, i32 spieler, i32 zweiter) {
    Spiele_Ereignis_Eintragen(spiel, flags, minute, spieler, zweiter);
    // A goal of a dice match changes the scores the floating results window
    // shows, as an engine match's event does.
    if (flags & EREIGNIS_TOR) Spielfeld_Get_Hooks().ankuendigung_refresh();
}

// One dice minute. Without pitch the sides' own lists are used (struck
// entries -1); with a pitch record that runs without the engine the
// starters are drawn afresh and its side ratings decide the chances.
void Spieltag_Minute_Wuerfeln(Spieltag_Slot& r, Spiel& s, int minute, Wuerfel_Seite* seiten, const Spielfeld_Daten* sf) {
    const bool golden = Wettbewerb_Ist_Sudden_Death(s.wettbewerb, r.halbzeit);
    const i32 teams[2] = {s.team_a, s.team_b};
    // A card.
    if (Rnd_Basis(0, seiten ? 30 : 25) == 4) {
        const int seite = Rnd_Basis(1, 5) < 3 ? 1 : 0;
        u32 flags = seite == 0 ? EREIGNIS_FUER_A : 0;
        i32 spieler = -1;
        int k = -1;
        if (seiten) {
            Wuerfel_Seite& w = seiten[seite];
            if (w.anzahl > 0) {
                k = Rnd_Basis(0, w.anzahl - 1);
                spieler = w.starter[k];
            }
        } else {
            i32 liste[MAX_STARTER];
            const int n = starter(teams[seite], liste);
            if (n > 0) spieler = liste[Rnd_Basis(0, n - 1)];
        }
        if (spieler >= 0) {
            if (Rnd_Basis(0, 10) == 2) {
                flags |= EREIGNIS_ROT;
                if (seiten) seiten[seite].starter[k] = -1;
            } else if (seiten) {
                if (seiten[seite].gebucht[k]) {
                    flags |= EREIGNIS_GELBROT;
                    seiten[seite].starter[k] = -1;
                } else {
                    seiten[seite].gebucht[k] = 1;
                    flags |= EREIGNIS_GELB;
                }
            } else {
                const i32 gelb = Spiele_Get_Wettbewerb_Ereignis(s.wettbewerb, 1, spieler);
                flags |= (gelb > 0 && (gelb & 0x80)) ? EREIGNIS_GELBROT : EREIGNIS_GELB;
            }
            ereignis(r.spiel, flags, minute, spieler, 32767);
        }
    }
    // A chance.
    const int a = std::max<int>(0, s.tore_a), b = std::max<int>(0, s.tore_b);
    const bool chance = seiten ? Rnd_Basis(0, a * 3 + 7 + b * 3) == 4 : Rnd_Basis(0, (a + b) * 2 + 6) == 4;
    if (!chance || r.status != ST_LAEUFT) return;
    const int schwelle = seiten ? 5 : (a != 0) + (b != 0) + 5;
    if (Rnd_Basis(0, 15) <= schwelle) return;
    const int sh = seiten ? seiten[0].staerke : sf->rating[0];
    const int sa = seiten ? seiten[1].staerke : sf->rating[1];
    const int p = std::clamp(sh - sa + 6, 10, seiten ? 20 : 14);
    const int q = std::clamp(sa - sh, 8, 14);
    const i32 rr = Rnd_Basis(0, p * 5), ss = Rnd_Basis(0, q * 5);
    u32 flags = EREIGNIS_TORSCHUSS | EREIGNIS_TOR;
    if (Rnd(0, 10) == 3) flags |= 0x80;
    else if (Rnd(0, 17) == 5) flags |= 0x8000;
    else if (Rnd(0, 12) == 7) flags |= 0x2000;
    else if (Rnd(0, 10) == 2) flags |= 0x4000;
    const int seite = rr < ss ? 1 : 0;
    if (seite == 0) flags |= EREIGNIS_FUER_A;
    i32 liste[MAX_STARTER];
    int n = 0;
    if (seiten) {
        for (int i = 0; i < seiten[seite].anzahl; ++i)
            if (seiten[seite].starter[i] >= 0) liste[n++] = seiten[seite].starter[i];
    } else {
        n = starter(teams[seite], liste);
    }
    if (n == 0) return;
    if (Rnd_Basis(0, 7) > 4) flags ^= EREIGNIS_TOR;
    const i32 schuetze = liste[Rnd_Basis(0, n - 1)];
    i32 zweiter = 0xFFFF;
    if (!(flags & (0x4000 | 0x8000)) && n > 1) {
        do zweiter = liste[Rnd_Basis(0, n - 1)];
        while (zweiter == schuetze);
    }
    // Without pitch a side that has scored already loses every other goal.
    if (seiten && (flags & EREIGNIS_TOR) && (seite == 0 ? a : b) > 0 && Rnd_Basis(0, 2) == 0) return;
    ereignis(r.spiel, flags, minute, schuetze, zweiter);
    if (golden && (flags & EREIGNIS_TOR)) r.status = ST_BEENDET;
}

// --- kick-off -------------------------------------------------------------------------

// The demand for tickets: the competition's importance and what the match
// means to each side in its table (80 each where the table says nothing,
// as in a knock-out round).
void nachfrage(const Spiel& s, i32* x, i32* d, i32* wichtigkeit) {
    const i32 i = std::max(1, Wettbewerb_Get_Wichtigkeit(s.wettbewerb, -1));
    const i32 teams[2] = {s.team_a, s.team_b};
    i32 werte[2] = {80, 80};
    if (!Wettbewerb_Get_Spiel_Bedeutung(s.wettbewerb, teams, werte, 2)) werte[0] = werte[1] = 80;
    *x = ((werte[0] * 80 + werte[1] * 20) / 100 - 50) * 60 / 100 + 50;
    *d = ((*x + 50) * 60 + 4000) / 100 * i / 100;
    *wichtigkeit = i;
}

i32 strafe_fuer(i32 team) {
    const i64 f = static_cast<i64>(Wettbewerb_Get_Liga_Prozent(team)) * 200000 / 100;
    return static_cast<i32>(f / 10000 * 10000);
}

bool Spieltag_Elfmeterschiessen_Schritt(Spieltag_Slot& r);
void Spieltag_Elfmeterschiessen_Start(Spieltag_Slot& r);
bool unentschieden(const Spiel& s);

// A match whose pitch record could not be made is played at once by dice
// minutes: the regular halves, extra time while the tie is level, then a
// shoot-out when the competition asks for one.
void Spieltag_Ohne_Spielfeld_Spielen(Spieltag_Slot& r) {
    Spiel* s = spiel_von(r);
    if (!s) return;
    Wuerfel_Seite seiten[2];
    const i32 teams[2] = {s->team_a, s->team_b};
    for (int k = 0; k < 2; ++k) {
        seiten[k].anzahl = starter(teams[k], seiten[k].starter);
        seiten[k].staerke = std::clamp(Team_Get_Staerke_Modus(teams[k], 16) * 999 / 132 / 10, 0, 99);
    }
    r.status = ST_LAEUFT;
    const i32 w = s->wettbewerb;
    int m = 0;
    for (int halbzeit = 0; r.status == ST_LAEUFT; ++halbzeit) {
        const i32 ende = ende_von(w, halbzeit);
        if (ende < 0) break;
        r.halbzeit = static_cast<i8>(halbzeit);
        for (; m < ende && r.status == ST_LAEUFT; ++m) {
            if (!(s = spiel_von(r))) return;
            s->minute = static_cast<u8>(m);
            Spieltag_Minute_Wuerfeln(r, *s, m + 1, seiten, nullptr);
        }
        if (r.status != ST_LAEUFT || !(s = spiel_von(r))) break;
        // The half's end as the competition answers it: a decided tie or
        // the last phase ends the match, a shoot-out follows when it says so.
        const i32 e = halbzeit_ergebnis_erzwungen(w, ende, halbzeit, true);
        if (e == HZ_SPIELENDE && Wettbewerb_Get_Runden_Sieger(w, s->spieltag, s->index, -1, 0, 0) != -1) break;
        if (halbzeit + 1 >= Wettbewerb_Get_Anz_Halbzeiten(w) || ende_von(w, halbzeit + 1) < 0) break;
        if (Wettbewerb_Elfmeterschiessen_Noetig(w, s->spieltag, s->index, halbzeit, -1, 0, 0)) break;
        if (e == HZ_SPIELENDE) s->flags |= 1;
    }
    if ((s = spiel_von(r))) s->minute = static_cast<u8>(std::min(m, 255));
    r.status = ST_BEENDET;
    if ((s = spiel_von(r)) && (Wettbewerb_Elfmeterschiessen_Noetig(w, s->spieltag, s->index, r.halbzeit, -1, 0, 0) ||
                               (Wettbewerb_Get_Anz_Halbzeiten(w) > r.halbzeit + 1 && unentschieden(*s)))) {
        s->flags |= 2;
        Spieltag_Elfmeterschiessen_Start(r);
        // Each kick is a draw; a shoot-out ends within a few hundred kicks.
        for (int i = 0; i < 10000 && !Spieltag_Elfmeterschiessen_Schritt(r); ++i) {
        }
        r.status = ST_BEENDET;
    }
}

namespace {

// A server plays the match of a club a client plays in lockstep with that
// client's copy (its side waits at each minute for the client's signal).
// A client holds its match at most as long as a manager watching it at the
// live view's normal speed would: the server's waits for it, added up over
// the match, stay within one such minute per minute played and a spare of
// NETZ_STILLE_MS; a client past that, or silent that long at one minute, no
// longer holds its match, which goes on as if it had left. A client whose
// signals come from further on is not silent, even when they raise no limit:
// after a break the server waits in its next half while the client still
// plays the last minutes of the half before. The waits count in real time
// (Season_Netz.Echtzeit_Ms): the client's manager sits at another machine,
// whose frames come at their own pace; this machine's frame clock may run
// ahead of the clock on the wall.
constexpr u32 NETZ_STILLE_MS = 15000;
constexpr u32 NETZ_MS_PRO_MINUTE = SF_FRAME_MS * SF_TICKS_PRO_MINUTE;
struct Netz_Spiel {
    u32 spiel;
    bool wartet;   // the server waits for the client now
    u32 seit;      // real time when the present wait began
    u32 zuletzt;   // real time of the last look during a wait
    u64 gewartet;  // ms the server waited for the client in this match
    u16 stand;     // the client's furthest signalled position seen (Spielfeld_Daten::stand_andere)
};
std::vector<Netz_Spiel> netz_spiele;

void netz_anpfiff(Spielfeld_Daten* sf) {
    if (!sf || !ruf::Server()) return;
    for (int seite = 0; seite < 2; ++seite)
        if (Kalender_Team_Online_Woanders(static_cast<i32>(sf->team[seite]))) {
            Spielfeld_Set_Netz(sf, 1, 1 - seite);
            std::erase_if(netz_spiele, [&](const Netz_Spiel& n) { return n.spiel == sf->spiel; });
            netz_spiele.push_back({sf->spiel, false, 0, 0, 0, 0});
            return;
        }
}

}  // namespace

// A networked match whose client has gone, or has let the server wait too
// long, goes on without it.
void netz_pruefen() {
    const u32 jetzt = Season_Netz.Echtzeit_Ms();
    std::erase_if(netz_spiele, [&](Netz_Spiel& n) {
        Spielfeld_Daten* sf = Spielfeld_Zeiger(n.spiel);
        if (!sf || sf->netz != 1) return true;
        const i32 client = static_cast<i32>(sf->team[1 - (sf->netz_seite & 1)]);
        if (!sf->wartet) {
            n.wartet = false;
        } else {
            if (!n.wartet) n.wartet = true, n.seit = n.zuletzt = jetzt;
            n.gewartet += jetzt - n.zuletzt;
            n.zuletzt = jetzt;
            if (sf->stand_andere > n.stand) n.seit = jetzt;
        }
        n.stand = std::max(n.stand, sf->stand_andere);
        const u64 gespielt = static_cast<u64>(std::max<i32>(sf->ticks, 0)) / SF_TICKS_PRO_MINUTE;
        const bool still = n.wartet && jetzt - n.seit > NETZ_STILLE_MS;
        const bool zu_lang = n.gewartet > NETZ_STILLE_MS + NETZ_MS_PRO_MINUTE * gespielt;
        if (Kalender_Team_Online_Woanders(client) && !still && !zu_lang) return false;
        Debug_Printf("Spieltag: Spiel %u geht ohne den Client von Team %d weiter (%llu ms gewartet)\n", n.spiel,
                     client, static_cast<unsigned long long>(n.gewartet));
        Spielfeld_Netz_Freigeben(sf);
        sf->netz = 0;
        return true;
    });
}

bool netz_spiele_offen() { return !netz_spiele.empty(); }

void Spieltag_Anpfiff(Spieltag_Slot& r) {
    if (ruf::Client()) return;
    Spiel* s = spiel_von(r);
    if (!s) return;
    const i32 heim = s->team_a, gast = s->team_b;
    // The line-up check: a side with too few starters is fined and loses at
    // the green table; when both are short, both are fined and neither wins.
    i32 liste[MAX_STARTER];
    const bool heim_kurz = starter(heim, liste) < SPIELTAG_MIN_SPIELER;
    const bool gast_kurz = starter(gast, liste) < SPIELTAG_MIN_SPIELER;
    if (heim_kurz || gast_kurz) {
        for (i32 t : {heim_kurz ? heim : -1, gast_kurz ? gast : -1}) {
            if (t <= 0) continue;
            const i32 f = strafe_fuer(t);
            Bank_Buchen(t, -1, static_cast<f32>(f), BANK_AUSGABE, 1, -1);
            Spieltag_Absage_Melden(t, f);
        }
        u8 a = (gast_kurz && !heim_kurz) ? 2 : 0, b = (heim_kurz && !gast_kurz) ? 2 : 0;
        Spiele_Set_Ergebnis(r.spiel, a, b, SPIEL_FLAG_ABGESAGT);
        // Neither side can play a shoot-out: a knock-out tie a double
        // forfeit leaves level is decided by lot (1:0 at the green table).
        if (heim_kurz && gast_kurz && (s = spiel_von(r)) && unentschieden(*s)) {
            (Rnd_Basis(0, 1) == 0 ? a : b) = 1;
            Spiele_Set_Ergebnis(r.spiel, a, b, SPIEL_FLAG_ABGESAGT);
        }
        Spiele_Set_Zuschauer(r.spiel, 0);
        r.status = ST_BEENDET;
        return;
    }
    Spiele_Setze_Eingesetzte_Spieler_Vor_Spiel(s->wettbewerb, heim);
    Spiele_Setze_Eingesetzte_Spieler_Vor_Spiel(s->wettbewerb, gast);
    // The career records count the appearance too (engine and dice matches).
    Spiele_Setze_Eingesetzte_Spieler_Gesamtstatistik_Vor_Spiel(s->wettbewerb, heim);
    Spiele_Setze_Eingesetzte_Spieler_Gesamtstatistik_Vor_Spiel(s->wettbewerb, gast);
    // Every starter has one match more (the squad's "Spiele"; the value
    // holds itself to its range).
    for (i32 t : {heim, gast})
        for (int i = 0, n = starter(t, liste); i < n; ++i)
            Spieler_Wert(SPIELER_WERT_SPIELE, liste[i], Spieler_Wert(SPIELER_WERT_SPIELE, liste[i], 0, OP_LESEN) + 1, OP_SCHREIBEN);
    i32 x, d, wichtigkeit;
    nachfrage(*s, &x, &d, &wichtigkeit);
    const i32 wettbewerb = s->wettbewerb;
    i32 ort = heim, anteil_heim = 100, anteil_gast = 0;
    if (const Wettbewerb_Info* info = Wettbewerb_Get_Info(wettbewerb)) {
        if (!(info->modus & WB_HEIMRECHT)) {
            // No home right: a neutral ground. None big enough in the right
            // country leaves the match at the home side's ground.
            if (const i32 n = Spieltag_Neutraler_Ort(wettbewerb, heim, gast, wichtigkeit); n >= 0) {
                ort = n;
                anteil_heim = anteil_gast = 0;
            }
        }
        if (info->modus & WB_EINNAHMEN_TEILEN) anteil_heim = anteil_gast = 50;
    }
    // The crowd and the gate of the ground played at, one figure for the
    // fixture, the pitch, the ground's records and the bank.
    const i32 zuschauer = Stadion_Spiel_Abrechnen(
        ort, heim, gast,
        std::max(0, Stadion_Berechne_Zuschauer(ort, r.spiel, d, anteil_heim, anteil_gast, 0, x, wichtigkeit, 0)),
        anteil_heim, anteil_gast);
    Spiele_Set_Ort(r.spiel, ort);
    Spiele_Set_Zuschauer(r.spiel, static_cast<u32>(zuschauer));
    // The engine plays a match a human manager takes part in; the others are
    // played by dice minutes on a pitch record without engine.
    const bool mensch = Team_Mensch_Spielt(heim) || Team_Mensch_Spielt(gast);
    // The assistants' man-marking of both sides, home first. Only the engine
    // plays with markers: a dice match skips it and draws nothing for it.
    if (mensch) {
        Spieltag_Manndeckung(heim, gast);
        Spieltag_Manndeckung(gast, heim);
    }
    // The live view shows (and paces to the clock) the matches of the
    // managers at this machine only: a match only a network client's club
    // plays is the client's to show; here it runs unseen, as fast as the
    // client's minutes allow.
    const bool hier = (Team_Mensch_Spielt(heim) && !Kalender_Team_Online_Woanders(heim)) ||
                      (Team_Mensch_Spielt(gast) && !Kalender_Team_Online_Woanders(gast));
    const int zeigen = hier && Spieltag_Get_Hooks().live_ansicht() ? 1 : 0;
    if (Spielfeld_Neu(static_cast<u32>(r.spiel), zeigen, zeigen, static_cast<u32>(zuschauer), static_cast<u32>(ort),
                      mensch ? 1 : 0)) {
        if (mensch) {
            z.mit_engine.push_back(r.spiel);
            // Each engine match plays its own random stream, a start in the
            // shared table and a step at every tick, as the match tools do: a
            // pitch walking the table without a step scores more often and
            // ends 0:0 more rarely than real football.
            const u32 start = static_cast<u32>(Rnd_Basis(0, static_cast<i32>(RND_TABELLE_GROESSE) - 1));
            const u32 schritt = static_cast<u32>(Rnd_Basis(1, static_cast<i32>(RND_TABELLE_GROESSE) - 1));
            Spielfeld_Set_Zufall(Spielfeld_Zeiger(static_cast<u32>(r.spiel)), schritt * RND_TABELLE_GROESSE + start);
            netz_anpfiff(Spielfeld_Zeiger(static_cast<u32>(r.spiel)));
        }
        return;
    }
    Spieltag_Ohne_Spielfeld_Spielen(r);
}


}  // namespace spieltag_intern

void Spieltag_Einwechslung_Zaehlen(i32 wettbewerb, i32 spieler) {
    if (ruf::Client() || spieler < 0 || spieler >= Spieler_Anzahl) return;
    Spiele_Set_Wettbewerb_Ereignis(wettbewerb, spieler, ZAEHLER_EINSAETZE, -1);
    Statistik_Spieler u = Statistik_Spieler_Unveraendert(spieler);
    u.einsaetze = 1;
    if (Wettbewerb_Ist_International(wettbewerb)) u.international = 1;
    Statistik_Spieler_Setze(spieler, u, true);
    Spieler_Wert(SPIELER_WERT_SPIELE, spieler,
                 Spieler_Wert(SPIELER_WERT_SPIELE, spieler, 0, OP_LESEN) + 1, OP_SCHREIBEN);
}

