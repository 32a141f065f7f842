// The matchday table and its runner: rows move 0 waiting → 1 kicked off →
// 2 running ↔ 4 half-time break / 32 shoot-out → 8 finished → 16 done.
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
#include "world/stadion.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr f32 GESCHWINDIGKEIT = 90.0f;
constexpr int MAX_STARTER = 20;
constexpr int SPIELER_SPIELE = 55;  // the player's matches played
// Booking kind of a fine for a cancelled match.
constexpr int BANK_STRAFE = 22;
// A server waits this long (real time) after a kick-off for a client to
// fetch its pitch; then its club plays without it, as if it had gone.
constexpr u32 ANSTOSS_WARTEN_MS = 20000;
// Server: since when a kicked-off row waits for its clients, by game.
std::vector<std::pair<i16, u32>> anstoss_seit;

struct Elfmeter_Eintrag {
    i32 spiel;
    Spieltag_Elfmeter e;
};
template <class V, bytes::Art<Elfmeter_Eintrag> S>
constexpr void felder(V& v, S& e) {
    v(e.spiel), v(e.e);
}

struct Zustand {
    bool initialisiert = false;
    std::vector<Spieltag_Slot> slots;
    std::vector<Elfmeter_Eintrag> elfmeter;
    f32 schrittzaehler = GESCHWINDIGKEIT;
    i32 minute = 0;
    u32 eingetragen = 0;
    u32 fertig = 0;
    std::vector<i16> mit_engine;  // games kicked off on the engine, until done
    Spieltag_Zahlen zahlen;
};
Zustand z;
Spieltag_Hooks hooks;
// Goes up whenever rows are added, dropped or changed outside the runner's
// pass (the runner's memory of a quiet table, below).
u32 zeilen_stand = 0;

// A loaded block waits here until every block of the save game was read.
struct Staging {
    bool da = false;
    bool initialisiert = false;
    std::vector<Spieltag_Slot> slots;
    std::vector<Elfmeter_Eintrag> elfmeter;
};
Staging staging;

// The dice state of a match played without pitch record.
struct Wuerfel_Seite {
    i32 staerke = 0;
    i32 starter[MAX_STARTER] = {};
    u8 gebucht[MAX_STARTER] = {};
    int anzahl = 0;
};

Spiel* spiel_von(const Spieltag_Slot& r) { return r.spiel > 0 ? Spiele_Get_Spiel(r.spiel, true) : nullptr; }

Spieltag_Slot* slot_von_spiel(i32 spiel) {
    // The match engine asks on every tick: the last row found is tried first.
    static size_t zuletzt = 0;
    if (spiel <= 0) return nullptr;
    if (zuletzt < z.slots.size() && z.slots[zuletzt].spiel == spiel) return &z.slots[zuletzt];
    for (size_t i = 0; i < z.slots.size(); ++i)
        if (z.slots[i].spiel == spiel) {
            zuletzt = i;
            return &z.slots[i];
        }
    return nullptr;
}

// The row already holding the game a fresh lock points at: every lock is a
// handle of its own, so a game entered twice has two different handles.
Spieltag_Slot* slot_mit_spiel_von(i32 handle) {
    const Spiel* s = handle > 0 ? Spiele_Get_Spiel(handle, true) : nullptr;
    for (auto& r : z.slots)
        if (s && spiel_von(r) == s) return &r;
    return nullptr;
}

Spieltag_Elfmeter* elfmeter_von(i32 spiel) {
    for (auto& e : z.elfmeter)
        if (e.spiel == spiel) return &e.e;
    return nullptr;
}

// --- halves of a competition ------------------------------------------------------

// The tie of the game is still level after its last leg (a knock-out
// competition only): extra time or a shoot-out must follow.
bool unentschieden(const Spiel& s) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(s.wettbewerb);
    if (!w || !(w->modus & WB_KO_SYSTEM)) return false;
    const i32 legs = std::max(1, Wettbewerb_Get_Best_Of(s.wettbewerb));
    if (s.runde + 1 < legs) return false;
    return Wettbewerb_Get_Runden_Sieger(s.wettbewerb, s.spieltag, s.index, -1, 0, 0) == -1;
}

// The competition's answers on its halves: 2 play on, 4 the end of a half
// with another to follow, 8 the end of the regular time or of extra time.
constexpr i32 HZ_WEITER = 2, HZ_SPIELENDE = 8;

// The minute half h ends (-1: the competition has no such half).
i32 ende_von(i32 wettbewerb, i32 halbzeit) { return Wettbewerb_Get_Halbzeit_Ende(wettbewerb, 0x7fff, halbzeit); }

i32 regulaere_halbzeiten(i32 wettbewerb) {
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(wettbewerb);
    return w ? w->halbzeiten : 2;
}

// A half the engine has ended itself (a golden goal may end it before its
// minute): the answer the competition gives at the half's end.
i32 halbzeit_ergebnis_erzwungen(i32 wettbewerb, i32 minute, i32 halbzeit, bool bereit) {
    const i32 e = Wettbewerb_Halbzeit_Pruefen(wettbewerb, minute, halbzeit, true, bereit);
    if (e != HZ_WEITER) return e;
    return halbzeit + 1 >= regulaere_halbzeiten(wettbewerb) ? HZ_SPIELENDE : 4;
}

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

void Spieltag_Weiterschalten(const Spieltag_Slot& r);

namespace {

// A server plays the match of a club a client plays in lockstep with that
// client's copy (its side waits at each minute for the client's signal).
// A client holds its match at most as long as a manager watching it at the
// live view's normal speed would: the server's waits for it, added up over
// the match, stay within one such minute per minute played and a spare of
// NETZ_STILLE_MS; a client past that, or silent that long at one minute, no
// longer holds its match, which goes on as if it had left.
constexpr u32 NETZ_STILLE_MS = 15000;
constexpr u32 NETZ_MS_PRO_MINUTE = SF_FRAME_MS * SF_TICKS_PRO_MINUTE;
struct Netz_Spiel {
    u32 spiel;
    u32 wartet_seit;  // clock time when the present wait began (0 none)
    u32 zuletzt;      // clock time of the last look during a wait
    u64 gewartet;     // ms the server waited for the client in this match
};
std::vector<Netz_Spiel> netz_spiele;

void netz_anpfiff(Spielfeld_Daten* sf) {
    if (!sf || !ruf::Server()) return;
    for (int seite = 0; seite < 2; ++seite)
        if (Kalender_Team_Online_Woanders(static_cast<i32>(sf->team[seite]))) {
            Spielfeld_Set_Netz(sf, 1, 1 - seite);
            std::erase_if(netz_spiele, [&](const Netz_Spiel& n) { return n.spiel == sf->spiel; });
            netz_spiele.push_back({sf->spiel, 0, 0, 0});
            return;
        }
}

// A networked match whose client has gone, or has let the server wait too
// long, goes on without it.
void netz_pruefen() {
    std::erase_if(netz_spiele, [](Netz_Spiel& n) {
        Spielfeld_Daten* sf = Spielfeld_Zeiger(n.spiel);
        if (!sf || sf->netz != 1) return true;
        const i32 client = static_cast<i32>(sf->team[1 - (sf->netz_seite & 1)]);
        const u32 jetzt = W32_Get_Time();
        if (!sf->wartet) {
            n.wartet_seit = n.zuletzt = 0;
        } else {
            if (!n.wartet_seit) n.wartet_seit = n.zuletzt = jetzt;
            n.gewartet += jetzt - n.zuletzt;
            n.zuletzt = jetzt;
        }
        const u64 gespielt = static_cast<u64>(std::max<i32>(sf->ticks, 0)) / SF_TICKS_PRO_MINUTE;
        const bool still = n.wartet_seit && jetzt - n.wartet_seit > NETZ_STILLE_MS;
        const bool zu_lang = n.gewartet > NETZ_STILLE_MS + NETZ_MS_PRO_MINUTE * gespielt;
        if (Kalender_Team_Online_Woanders(client) && !still && !zu_lang) return false;
        Debug_Printf("Spieltag: Spiel %u geht ohne den Client von Team %d weiter (%llu ms gewartet)\n", n.spiel,
                     client, static_cast<unsigned long long>(n.gewartet));
        Spielfeld_Netz_Freigeben(sf);
        sf->netz = 0;
        return true;
    });
}

}  // namespace

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
            Bank_Buchen(t, -1, static_cast<f32>(f), BANK_STRAFE, 1, -1);
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
            Spieler_Wert(SPIELER_SPIELE, liste[i], Spieler_Wert(SPIELER_SPIELE, liste[i], 0, OP_LESEN) + 1, OP_SCHREIBEN);
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
    const i32 zuschauer =
        std::max(0, Stadion_Berechne_Zuschauer(ort, r.spiel, d, anteil_heim, anteil_gast, 0, x, wichtigkeit, 0));
    Spiele_Set_Zuschauer(r.spiel, static_cast<u32>(zuschauer));
    // The engine plays a match a human manager takes part in; the others are
    // played by dice minutes on a pitch record without engine.
    const bool mensch = Team_Hat_Manager(heim) || Team_Hat_Manager(gast);
    // The assistants' man-marking of both sides, home first. Only the engine
    // plays with markers: a dice match skips it and draws nothing for it.
    if (mensch) {
        Spieltag_Manndeckung(heim, gast);
        Spieltag_Manndeckung(gast, heim);
    }
    const int zeigen = mensch && hooks.live_ansicht() ? 1 : 0;
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

// --- shoot-out ---------------------------------------------------------------------

// Sets up the engine's kick for a side: the pitch slot the turn names, or
// the next one whose player is still on the pitch (a starter may have been
// sent off or substituted). False when the side has nobody left to kick.
bool engine_schuss(i32 spiel, int seite, int naechster) {
    for (int i = 0; i < SF_PRO_SEITE; ++i)
        if (Spielfeld_Set_Elfmeter(static_cast<u32>(spiel), seite,
                                   seite * SF_PRO_SEITE + (naechster + i) % SF_PRO_SEITE))
            return true;
    return false;
}

void Spieltag_Elfmeterschiessen_Start(Spieltag_Slot& r) {
    r.status = ST_ELFMETER;
    r.uhr_steht = 1;
    Spiel* s = spiel_von(r);
    if (!s) return;
    Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
    Elfmeter_Eintrag neu{};
    neu.spiel = r.spiel;
    Spieltag_Elfmeter& e = neu.e;
    e.start_tore[0] = std::max<int>(0, s->tore_a);
    e.start_tore[1] = std::max<int>(0, s->tore_b);
    const i32 teams[2] = {s->team_a, s->team_b};
    for (int k = 0; k < 2; ++k) {
        i32 liste[MAX_STARTER];
        int n = starter(teams[k], liste);
        n = std::clamp(n, 0, 11);
        for (int i = 0; i < n; ++i) e.schuetzen[k][i] = static_cast<u32>(liste[i]);
        for (int i = n - 1; i > 0; --i) std::swap(e.schuetzen[k][i], e.schuetzen[k][Rnd_Basis(0, i)]);
        // A side without players still kicks (and misses): never index an empty list.
        e.anzahl[k] = static_cast<i8>(std::max(n, 1));
    }
    e.erste_seite = e.seite = static_cast<i8>(Rnd_Basis(0, 1));
    e.pro_runde = 5;
    e.runden = 5;
    z.elfmeter.push_back(neu);
    if (sf && sf->engine) engine_schuss(r.spiel, e.seite, 0);
    // A shoot-out the live view shows (KORDAVO_DEBUG): a watching script
    // reads it there.
    if (sf && sf->anzeige)
        Debug_Printf("Spieltag: Elfmeterschießen im gezeigten Spiel, Team %d - Team %d", teams[0], teams[1]);
}

// One kick; true when the shoot-out is decided.
bool Spieltag_Elfmeterschiessen_Schritt(Spieltag_Slot& r) {
    Spieltag_Elfmeter* e = elfmeter_von(r.spiel);
    Spiel* s = spiel_von(r);
    if (!e || !s) return true;
    Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
    const bool engine = sf && sf->engine;
    const int seite = e->seite;
    if (!engine && Rnd_Basis(0, 3) != 0) {
        ereignis(r.spiel, seite == 0 ? 5u : 4u, s->minute, static_cast<i32>(e->schuetzen[seite][e->naechster[seite]]),
                 32767);
        s = spiel_von(r);
    }
    const int tore[2] = {std::max<int>(0, s->tore_a) - e->start_tore[0],
                         std::max<int>(0, s->tore_b) - e->start_tore[1]};
    if (Spieltag_Elfmeter_Entschieden(*e, tore[seite], tore[1 - seite])) return true;
    if (engine) engine_schuss(r.spiel, e->seite, e->naechster[e->seite]);
    return false;
}

// --- finishing -----------------------------------------------------------------------

void Spieltag_Nachspiel(i32 wettbewerb) {
    for (auto& r : z.slots) {
        Spiel* s = spiel_von(r);
        if (!s || s->wettbewerb != wettbewerb) continue;
        Spiele_Set_Nachspiel_Statistik(r.spiel);
        if (s->team_a > 0) Spiele_Setze_Sperren_Spieler_Vor_Spiel(wettbewerb, s->team_a, false);
        if (s->team_b > 0) Spiele_Setze_Sperren_Spieler_Vor_Spiel(wettbewerb, s->team_b, false);
        Spieltag_Nachspiel_Spiel(r.spiel);
    }
}

void Spieltag_Weiterschalten(const Spieltag_Slot& r) {
    if (ruf::Client()) return;
    Spiel* s = spiel_von(r);
    if (!s) return;
    const i32 w = s->wettbewerb;
    if (!Spieltag_Wettbewerb_Fertig(w)) return;
    Spieltag_Nachspiel(w);
    Spielfeld_Auswertung(static_cast<u32>(w));
    hooks.wettbewerb_fertig(w);
    Spielfeld_Loeschen(static_cast<u32>(w));
}

void fertig_setzen(Spieltag_Slot& r) {
    if (r.status == ST_FERTIG) return;
    r.status = ST_FERTIG;
    ++z.fertig;
    const auto it = std::find(z.mit_engine.begin(), z.mit_engine.end(), r.spiel);
    const int e = it != z.mit_engine.end() ? 1 : 0;
    if (e) z.mit_engine.erase(it);
    const Spiel* s = spiel_von(r);
    if (!s || s->tore_a < 0 || s->tore_b < 0 || (s->flags & SPIEL_FLAG_ABGESAGT)) return;
    ++z.zahlen.spiele[e];
    z.zahlen.tore[e] += static_cast<u32>(s->tore_a + s->tore_b);
    ++(s->tore_a > s->tore_b   ? z.zahlen.heimsiege
       : s->tore_a < s->tore_b ? z.zahlen.auswaertssiege
                               : z.zahlen.remis)[e];
    // The pages after the match for the managers of its teams.
    Ank_Nach_Spiel d;
    d.team1 = s->team_a, d.team2 = s->team_b, d.tore1 = s->tore_a, d.tore2 = s->tore_b;
    d.wettbewerb = s->wettbewerb, d.zuschauer = s->zuschauer;
    if (const Spielfeld_Daten* sf = Spielfeld_Zeiger(Spieltag_Spielfeld_Nummer(r))) {
        d.wert1 = sf->weitere[0], d.wert2 = sf->weitere[1];
        for (int i = 0; i < SF_SPIELER; ++i) std::memcpy(d.spieler[i].b, sf->statistik[i], 8);
    }
    Spielankuendigung_Nach_Spiel(s->spieltag, s->index, s->runde, d);
}

// A finished row waits for its group; the last of the group closes it. A row
// of its own (a friendly) is done at once, so its competition and its pitch
// are closed too.
// Whether a row of r's group other than r is still open. While one match
// of a group runs on, the others ask on every pass: the row found last
// time is tried first.
bool offen_in_gruppe(const Spieltag_Slot& o, const Spieltag_Slot& r) {
    return &o != &r && o.gruppe == r.gruppe && o.spiel > 0 && o.status != ST_BEENDET && o.status != ST_FERTIG;
}
bool gruppe_hat_offene(const Spieltag_Slot& r) {
    static size_t hinweis[256] = {};
    size_t& h = hinweis[static_cast<u8>(r.gruppe)];
    if (h < z.slots.size() && offen_in_gruppe(z.slots[h], r)) return true;
    for (size_t i = 0; i < z.slots.size(); ++i)
        if (offen_in_gruppe(z.slots[i], r)) {
            h = i;
            return true;
        }
    return false;
}

void Spieltag_Spiel_Abschliessen(Spieltag_Slot& r) {
    if (r.status != ST_BEENDET) return;
    if (r.gruppe != 0 && gruppe_hat_offene(r)) return;
    if (r.gruppe != 0) {
        // The group is done together; each competition it touched is
        // checked once.
        std::vector<const Spieltag_Slot*> neu;
        for (auto& o : z.slots)
            if (o.gruppe == r.gruppe && o.spiel > 0 && o.status == ST_BEENDET) {
                fertig_setzen(o);
                neu.push_back(&o);
            }
        std::vector<i32> geprueft;
        for (const Spieltag_Slot* o : neu) {
            const Spiel* s = spiel_von(*o);
            if (!s || std::find(geprueft.begin(), geprueft.end(), s->wettbewerb) != geprueft.end()) continue;
            geprueft.push_back(s->wettbewerb);
            Spieltag_Weiterschalten(*o);
        }
        return;
    }
    fertig_setzen(r);
    Spieltag_Weiterschalten(r);
}

// --- groups ---------------------------------------------------------------------------

bool gruppe_alle(const Spieltag_Slot& r, bool (*test)(const Spieltag_Slot&)) {
    if (r.gruppe == 0) return test(r);
    // The row that failed last time for this group and test usually still
    // fails (the group waits for one match): it is tried first.
    struct Hinweis {
        bool (*test)(const Spieltag_Slot&);
        i8 gruppe;
        size_t zeile;
    };
    static Hinweis hinweise[8] = {};
    static size_t naechster = 0;
    Hinweis* h = nullptr;
    for (Hinweis& x : hinweise)
        if (x.test == test && x.gruppe == r.gruppe) h = &x;
    auto faellt = [&](const Spieltag_Slot& o) { return o.spiel > 0 && o.gruppe == r.gruppe && !test(o); };
    if (h && h->zeile < z.slots.size() && faellt(z.slots[h->zeile])) return false;
    for (size_t i = 0; i < z.slots.size(); ++i)
        if (faellt(z.slots[i])) {
            if (!h) h = &hinweise[naechster++ % 8];
            *h = {test, r.gruppe, i};
            return false;
        }
    return true;
}

bool angekuendigt(const Spieltag_Slot& r) { return r.bereit[0] && r.bereit[1]; }
bool alle_bereit(const Spieltag_Slot& r) { return r.bereit[0] >= 2 && r.bereit[1] >= 2; }

// A client that was announced for its match and never fetches its pitch
// holds the kick-off only for a bounded time (a silent or hostile client
// must not stop the matchday).
void anstoss_frist(Spieltag_Slot& r) {
    auto it = std::find_if(anstoss_seit.begin(), anstoss_seit.end(), [&](const auto& e) { return e.first == r.spiel; });
    if (alle_bereit(r)) {
        if (it != anstoss_seit.end()) anstoss_seit.erase(it);
        return;
    }
    const u32 jetzt = W32_Get_Time();
    if (it == anstoss_seit.end()) {
        anstoss_seit.emplace_back(r.spiel, jetzt);
        return;
    }
    if (jetzt - it->second < ANSTOSS_WARTEN_MS) return;
    Debug_Printf("Spieltag: Spiel %d beginnt ohne den Client, der sein Spielfeld nicht holte\n", r.spiel);
    r.bereit[0] = r.bereit[1] = 2;
    anstoss_seit.erase(it);
}
bool in_pause(const Spieltag_Slot& r) {
    return r.status == ST_PAUSE || r.status == ST_BEENDET || r.status == ST_FERTIG || r.status == ST_ELFMETER;
}

// The next half for the group of a row in its break.
void Spieltag_Halbzeit_Weiter(Spieltag_Slot& r0) {
    if (r0.status != ST_PAUSE) return;
    const i8 gruppe = r0.gruppe;
    for (auto& r : z.slots) {
        if (r.status != ST_PAUSE || r.spiel <= 0) continue;
        if (gruppe == 0 ? &r != &r0 : r.gruppe != gruppe) continue;
        Spiel* s = spiel_von(r);
        if (!s) continue;
        const i32 w = s->wettbewerb;
        const int ende = ende_von(w, r.halbzeit);
        Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
        // The competition decides the shoot-out; a tie still level with no
        // half left to play takes one too (it could not end otherwise).
        const bool elfmeter = Wettbewerb_Elfmeterschiessen_Noetig(w, s->spieltag, s->index, r.halbzeit, -1, 0, 0) ||
                              (ende_von(w, r.halbzeit + 1) < 0 && unentschieden(*s));
        if (elfmeter) {
            s->flags |= 2;
            Spieltag_Elfmeterschiessen_Start(r);
            if (sf && sf->engine) Spielfeld_Ereignis_Eintragen(sf, 0x2000000, -1, -1);
        } else {
            r.status = ST_LAEUFT;
            s->minute = static_cast<u8>(ende);
            r.minute = static_cast<u8>(ende);
            z.schrittzaehler = 1.0f;
            if (sf) {
                if (r.halbzeit + 1 == regulaere_halbzeiten(w)) Spielfeld_Ereignis_Eintragen(sf, 0x1000000, -1, -1);
                sf->minute = static_cast<i16>(ende);
                sf->minuten_teil = 0;
                sf->minuten_korrektur = 0;
                Spielfeld_Halbzeit_Start(static_cast<u32>(r.spiel));
            }
        }
        ++r.halbzeit;
    }
}

// The end of a half with the competition's answer (4 or 8): a tie the
// competition has decided ends; a break when the competition has a further
// phase (extra time after the regular time, a shoot-out after it), else the
// end of the match.
void halbzeit_ende_behandeln(Spieltag_Slot& r, Spiel& s, Spielfeld_Daten* sf, i32 ergebnis) {
    const bool entschieden =
        ergebnis == HZ_SPIELENDE && Wettbewerb_Get_Runden_Sieger(s.wettbewerb, s.spieltag, s.index, -1, 0, 0) != -1;
    if (!entschieden && r.halbzeit + 1 < Wettbewerb_Get_Anz_Halbzeiten(s.wettbewerb)) {
        r.status = ST_PAUSE;
        if (ergebnis == HZ_SPIELENDE) s.flags |= 1;
        // The manager watching this match may want it to stop at the break.
        if (sf && sf->anzeige == 1 && Option_Wert(OPTION_HALBZEIT_PAUSE, 0, 0)) {
            Season_Gui.Spiel_Anhalten();
            // What a watching script reads of the break (KORDAVO_DEBUG).
            Debug_Printf("Spieltag: Pause im gezeigten Spiel nach Halbzeit %d", r.halbzeit + 1);
        }
        return;
    }
    r.status = ST_BEENDET;
    if (sf) Spielfeld_Set_Beendet(static_cast<u32>(r.spiel));
}

// One pass of a running row (status 2 or 32); true when a pitch was stepped.
bool laufen(Spieltag_Slot& r, int durchreichen) {
    Spielfeld_Daten* sf = Spielfeld_Zeiger(static_cast<u32>(r.spiel));
    if (!sf) {
        // A pitch that is gone ends its match (a client's rows follow the
        // server's instead).
        r.status = ST_BEENDET;
        return false;
    }
    const int vorher = sf->minute;
    bool erzwungen = false;
    f32 ergebnis;
    if (!sf->engine) {
        ergebnis = 2.0f;
        if (r.status != ST_ELFMETER) ++sf->minute;
        else r.uhr_steht = 1;
    } else {
        i32 steht = r.uhr_steht;
        const i32 sekunde =
            static_cast<i32>(GESCHWINDIGKEIT - z.schrittzaehler) * 60 / static_cast<i32>(GESCHWINDIGKEIT);
        ergebnis = Spielfeld_Run(z.minute, sekunde, 1, sf, 1, &steht, static_cast<u8>(durchreichen), Kalender_Jetzt);
        r.uhr_steht = static_cast<i8>(steht != 0 || r.status == ST_ELFMETER);
        r.minute = static_cast<u8>(std::clamp<int>(sf->minute, 0, 255));
        if (ergebnis == 1000.0f) erzwungen = true;
    }
    // A stopped clock (the shoot-out) is handled every pass.
    if (r.uhr_steht && sf->minute != 0) erzwungen = true;
    z.minute = sf->minute;
    // An idle pitch in a shoot-out (a kick over, or none set up) still takes
    // the next turn: the shoot-out never waits on a pitch that does nothing.
    if (ergebnis == -1.0f && r.status != ST_ELFMETER) return false;
    if (!erzwungen && vorher == sf->minute) return sf->engine != 0;
    z.schrittzaehler = GESCHWINDIGKEIT;
    Spiel* s = spiel_von(r);
    if (!s) {
        Debug_Printf("Spieltag_Run: sp==NULL!");
        r.status = ST_BEENDET;
        return true;
    }
    s->minute = static_cast<u8>(std::clamp<int>(sf->minute, 0, 255));
    if (r.status == ST_LAEUFT) {
        if (!sf->engine) {
            Spieltag_Minute_Wuerfeln(r, *s, sf->minute, nullptr, sf);
            s = spiel_von(r);
            if (!s || r.status != ST_LAEUFT) return true;
            // A half end found arms the end test; without the engine the
            // decision is forced.
            if (Wettbewerb_Get_Halbzeit_Ende(s->wettbewerb, sf->minute, r.halbzeit) != -1) {
                const i32 e = Wettbewerb_Halbzeit_Pruefen(s->wettbewerb, s->minute, r.halbzeit, true, true);
                if (e != HZ_WEITER) halbzeit_ende_behandeln(r, *s, sf, e);
            }
        } else if (sf->halbzeit_status == 2 && sf->situation == SIT_HALBZEIT_ENDE) {
            // The engine has ended the half itself.
            halbzeit_ende_behandeln(r, *s, sf,
                                    halbzeit_ergebnis_erzwungen(s->wettbewerb, s->minute, r.halbzeit, false));
        }
        r.minute = static_cast<u8>(std::clamp<int>(s->minute, 0, 255));
        r.schritt = z.schrittzaehler;
    } else if (r.status == ST_ELFMETER) {
        if (Spielfeld_Darf_Enden(static_cast<u32>(r.spiel)) && Spieltag_Elfmeterschiessen_Schritt(r)) {
            r.status = ST_BEENDET;
            Spielfeld_Set_Spielende(static_cast<u32>(r.spiel));
            Spielfeld_Set_Beendet(static_cast<u32>(r.spiel));
        }
    }
    return sf->engine != 0;
}

// Rows were added since the event store was last packed.
bool neue_spiele = false;

Spieltag_Slot neue_zeile(i32 spiel) {
    neue_spiele = true;
    Spieltag_Slot r{};
    r.spiel = static_cast<i16>(spiel);
    r.status = ST_WARTET;
    return r;
}

// Weather and line-ups of a new row.
void Spieltag_Spiel_Vorbereiten(Spieltag_Slot& r) {
    static const i8 kalt[12] = {90, 100, 84, 66, 50, 34, 16, 0, 16, 33, 55, 76};
    static const i8 warm[12] = {10, 0, 16, 33, 50, 66, 84, 100, 84, 66, 45, 24};
    const i32 t = Rnd_Basis(0, 6) - 3, w = Rnd_Basis(0, 100), m = Rnd_Basis(0, 50);
    Spiel* s = spiel_von(r);
    if (!s) return;
    // The stadium step: the home side's attendance and gate money.
    if (!ruf::Client() && s->team_a > 0) {
        i32 x, d, wichtigkeit;
        nachfrage(*s, &x, &d, &wichtigkeit);
        Stadion_Spiel_Auswerten(s->team_a, r.spiel, d);
        if (!(s = spiel_von(r))) return;
    }
    const int monat = std::clamp<int>(Kalender_Get_Datum().monat, 1, 12) - 1;
    const int temp = std::clamp((-5 * kalt[monat] + 25 * warm[monat]) / 100 + Rnd_Basis(0, 4) - 2 + t, -43, 50);
    int regen = std::clamp((50 * m + w * (100 - m)) / 100 + Rnd_Basis(0, 20) - 10, 0, 100);
    if (temp < 2 && Rnd_Basis(0, 4) == 0 && regen < 76) regen = 77;
    s->temperatur = static_cast<i8>(temp);
    s->niederschlag = static_cast<u8>(regen);
    for (i32 team : {static_cast<i32>(s->team_a), static_cast<i32>(s->team_b)}) {
        if (team <= 0) continue;
        Spiele_Setze_Sperren_Spieler_Vor_Spiel(s->wettbewerb, team, true);
        if (Team_Hat_Manager(team)) Check_Und_Set_Aa(team);
        else Aufstellung_Automatisch(team);
    }
}

}  // namespace

// --- shoot-out bookkeeping ---------------------------------------------------------

bool Spieltag_Elfmeter_Entschieden(Spieltag_Elfmeter& e, int k, int o) {
    int zweite = e.seite != e.erste_seite;
    if (e.runden > 0 && (k - 1 + e.runden < o || o + e.runden - zweite < k)) {
        e.runden = 0;
        zweite = 1;
    }
    if (e.runden == 0 && k != o && zweite) return true;
    const int s = e.seite;
    if (++e.naechster[s] >= std::max<int>(1, e.anzahl[s])) e.naechster[s] = 0;
    if (zweite && e.runden > 0 && --e.runden == 0) {
        e.pro_runde = 1;
        e.runden = 1;
    }
    e.seite = static_cast<i8>(1 - s);
    return false;
}

// --- venue, marking, value reset -------------------------------------------------------

i32 Spieltag_Neutraler_Ort(i32 wettbewerb, i32 heim, i32 gast, i32 wichtigkeit) {
    const Wettbewerb_Info* info = Wettbewerb_Get_Info(wettbewerb);
    if (info && info->ausrichter_stadion >= 0 && info->ausrichter_stadion < Team_Anzahl &&
        Stadion_Get(info->ausrichter_stadion, 0))
        return info->ausrichter_stadion;
    if (Team_Anzahl <= 0) return -1;
    const bool international = Wettbewerb_Ist_International(wettbewerb);
    const i32 land_heim = Team_Wert(6, heim, 0, OP_LESEN), land_gast = Team_Wert(6, gast, 0, OP_LESEN);
    // The needed size shrinks by 1,000 places every 100 failed draws, so the
    // search ends after at most (size / 1,000) x 100 draws.
    i32 noetig = static_cast<i32>(static_cast<i64>(std::max(0, wichtigkeit)) * 70000 / 100);
    for (int fehl = 0; noetig > 1000;) {
        const i32 t = Rnd_Basis(0, Team_Anzahl - 1);
        const i32 land = Team_Wert(6, t, 0, OP_LESEN);
        const bool land_passt = international ? land != land_heim && land != land_gast
                                              : land_heim != land_gast || land == land_heim;
        if (Stadion_Get_Kapazitaet(t) >= noetig && Team_Ist_Normal(t, SPIELTAG_NEUTRAL_MASKE) && Stadion_Get(t, 0) &&
            land_passt)
            return t;
        if (++fehl % 100 == 0) noetig -= 1000;
    }
    return -1;
}

void Spieltag_Manndeckung(i32 team, i32 gegner) {
    if (team <= 0) return;
    i32 prozent;
    if (Team_Hat_Manager(team)) {
        u8 taktik[7] = {};
        Team_Get_Aktuelle_Taktik(team, taktik);
        // Byte 3 is the tactics screen's man-marking switch: on gives every
        // dangerous opponent a marker, off takes the markers away.
        prozent = taktik[3] ? 100 : 0;
    } else {
        prozent = Rnd_Basis(0, 100);
    }
    Assi_Mannschaftsaufstellung(team, gegner, prozent);
}

void Spieltag_Team_Werte_Zuruecksetzen(i32 team) {
    if (team <= 0 || Schwierigkeit != 0 || Kalender_Get_Tag() >= 90) return;
    i32 kader[MAX_STARTER];
    const int n = Teamspieler_Ins_Array(team, kader, MAX_STARTER, 0);
    for (int i = 0; i < n; ++i) {
        Spieler_Wert(90, kader[i], 4, OP_SCHREIBEN);
        Spieler_Wert(56, kader[i], 0, OP_SCHREIBEN);
        for (int a = 0; a < ATTRIBUT_ANZAHL; ++a)
            if (Attribute_Hat_Attribut(kader[i], a)) Spieler_Wert(a, kader[i], 0, OP_SCHREIBEN);
    }
}

// --- module ---------------------------------------------------------------------------

void Spieltag_Set_Hooks(const Spieltag_Hooks& h) { hooks = h; }
const Spieltag_Hooks& Spieltag_Get_Hooks() { return hooks; }

// --- save block ---------------------------------------------------------------------------

namespace {

constexpr u32 SPIELTAG_BLOCK_MAX = 64u * 1024u * 1024u;

template <class V>
void block_felder(V& v, u8& an, std::vector<Spieltag_Slot>& slots, std::vector<Elfmeter_Eintrag>& elfmeter,
                  i32& tempo) {
    v(an);
    if (an) v(slots), v(elfmeter), v(tempo);
}

bool zeile_gueltig(const Spieltag_Slot& r) {
    switch (r.status) {
        case ST_WARTET:
        case ST_ANGEPFIFFEN:
        case ST_LAEUFT:
        case ST_PAUSE:
        case ST_BEENDET:
        case ST_FERTIG:
        case ST_ELFMETER: break;
        default: return false;
    }
    return r.spiel > 0 && r.spiel <= SPIELE_LOCKS && r.halbzeit >= 0 && r.halbzeit < 16 && r.bereit[0] >= 0 &&
           r.bereit[0] <= 2 && r.bereit[1] >= 0 && r.bereit[1] <= 2;
}

bool spieltag_lesen(Datei_Status* datei) {
    staging = Staging{};
    if (Datei_Groesse(datei) == 0) {
        // A save game from before the matchday existed: no match was running.
        staging.da = staging.initialisiert = true;
        return true;
    }
    u32 n = 0;
    if (!Datei_Lesen_Felder(datei, 4, [&](bytes::Leser& l) { l(n); })) return false;
    if (n == 0 || n > SPIELTAG_BLOCK_MAX) return false;
    u8 an = 0;
    i32 tempo = 0;
    Staging neu;
    if (!Datei_Lesen_Felder(datei, n, [&](bytes::Leser& l) { block_felder(l, an, neu.slots, neu.elfmeter, tempo); }))
        return false;
    // One row per game, every row sound, every shoot-out on a row in its shoot-out.
    std::vector<i16> spiele;
    for (const auto& r : neu.slots) {
        if (!zeile_gueltig(r) || std::find(spiele.begin(), spiele.end(), r.spiel) != spiele.end()) return false;
        spiele.push_back(r.spiel);
    }
    for (const auto& e : neu.elfmeter) {
        auto it = std::find_if(neu.slots.begin(), neu.slots.end(), [&](auto& r) { return r.spiel == e.spiel; });
        if (it == neu.slots.end() || e.e.anzahl[0] < 1 || e.e.anzahl[0] > 11 || e.e.anzahl[1] < 1 ||
            e.e.anzahl[1] > 11 || e.e.seite < 0 || e.e.seite > 1 || e.e.naechster[0] < 0 ||
            e.e.naechster[0] >= e.e.anzahl[0] || e.e.naechster[1] < 0 || e.e.naechster[1] >= e.e.anzahl[1])
            return false;
    }
    if (an && tempo != static_cast<i32>(GESCHWINDIGKEIT)) return false;
    neu.initialisiert = an != 0;
    neu.da = true;
    staging = std::move(neu);
    return true;
}

// The loaded rows take over; their fixture locks came with the fixture block.
void spieltag_uebernehmen() {
    ++zeilen_stand;
    if (!staging.da) return;
    z.slots = std::move(staging.slots);
    z.elfmeter = std::move(staging.elfmeter);
    z.initialisiert = staging.initialisiert;
    z.schrittzaehler = GESCHWINDIGKEIT;
    staging = Staging{};
}

void spieltag_verwerfen() { staging = Staging{}; }

}  // namespace

bool Spieltag_Save(Datei_Status* datei) {
    u8 an = z.initialisiert ? 1 : 0;
    i32 tempo = static_cast<i32>(GESCHWINDIGKEIT);
    std::vector<u8> b;
    bytes::Schreiber s{b};
    block_felder(s, an, z.slots, z.elfmeter, tempo);
    const u32 n = static_cast<u32>(b.size());
    std::vector<u8> kopf;
    bytes::Schreiber{kopf}(n);
    return Datei_Schreiben(datei, kopf.data(), 4) && Datei_Schreiben(datei, b.data(), n);
}

bool Spieltag_Load(Datei_Status* datei) {
    if (!spieltag_lesen(datei)) {
        spieltag_verwerfen();
        return false;
    }
    spieltag_uebernehmen();
    return true;
}

void Spieltag_Init() {
    ++zeilen_stand;
    Spieltag_DeInit();
    z = Zustand{};
    neue_spiele = false;
    Spieltag_Netz_Zuruecksetzen();
    z.initialisiert = true;
    Spielfeld_Init();
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELTAG,
                              {"Spieltag", Spieltag_Save, spieltag_lesen, spieltag_uebernehmen, spieltag_verwerfen});
}

void Spieltag_DeInit() {
    ++zeilen_stand;
    if (!z.initialisiert) return;
    for (auto& r : z.slots)
        if (r.spiel > 0) Spiele_Unlock(r.spiel);
    z.slots.clear();
    z.elfmeter.clear();
    Spielfeld_DeInit();
    z.initialisiert = false;
}

bool Spieltag_Initialisiert() { return z.initialisiert; }

const std::vector<Spieltag_Slot>& Spieltag_Slots() { return z.slots; }
std::vector<Spieltag_Slot>& Spieltag_Slots_Bearbeiten() {
    ++zeilen_stand;
    return z.slots;
}
u32 Spieltag_Anzahl_Eingetragen() { return z.eingetragen; }
u32 Spieltag_Anzahl_Fertig() { return z.fertig; }
const Spieltag_Zahlen& Spieltag_Get_Zahlen() { return z.zahlen; }

int Spieltag_Slots_Fuellen(i32 wettbewerb, i32 spieltag, i32 runde) {
    ++zeilen_stand;
    if (!z.initialisiert) return 0;
    if (spieltag < 0) spieltag = Kalender_Get_Spieltag_Nummer(Kalender_Get_Tag(), wettbewerb, &runde);
    const i32 plan = Wettbewerb_Get_Spielplan(wettbewerb);
    const Spiel* spiele = Spiele_Get_Spiele(plan);
    const Spielplan_Kopf* kopf = Spiele_Get_Kopf(plan);
    if (spieltag < 0 || !spiele || !kopf) return 0;
    int n = 0;
    for (u32 i = 0; i < kopf->spiele; ++i) {
        const Spiel& s = spiele[i];
        // A bye (a side without a team) is no match: the tie's decision sends
        // the other side through.
        if (s.spieltag != spieltag || s.runde != runde || s.tore_a >= 0 || s.team_a <= 0 || s.team_b <= 0) continue;
        const i32 h = Spiele_Lock(static_cast<u32>(wettbewerb), s.spieltag, s.runde, s.index);
        if (h <= 0) {
            Debug_Printf("Spieltag: kein Lock frei fuer Wettbewerb %d\n", wettbewerb);
            continue;
        }
        if (slot_mit_spiel_von(h)) {
            Spiele_Unlock(h);
            continue;
        }
        z.slots.push_back(neue_zeile(h));
        ++z.eingetragen;
        ++n;
    }
    for (size_t i = z.slots.size() - static_cast<size_t>(n); i < z.slots.size(); ++i) Spieltag_Spiel_Vorbereiten(z.slots[i]);
    return n;
}

void Spieltag_Vorbereiten() {
    ++zeilen_stand;
    if (!z.initialisiert) return;
    // Every day's matches begin at the pitch clock: fast play switched on in
    // an earlier match does not run the next one while its pre-match pictures
    // show, and no manager's fast button comes back pressed.
    Spielfeld_Set_Fast(0);
    Spielfeld_Set_Spulen(false);
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Team_Hat_Manager(t)) Manager_Icon_Button_An_Aus(t, SPIELTAG_KNOPF_SCHNELL, 0);
    // A client follows its team's match on the server.
    if (ruf::Client()) {
        Spieltag_Internet_Client_Slot_Aktualisieren(Team_Aktiv);
        return;
    }
    anstoss_seit.clear();
    // Once a day, before any match of the day begins or ends: the order of
    // the competitions' player counters is checked and the passing marks of
    // the qualification lists are cleared.
    Spiele_Check_Wettbewerb_Ereignis();
    if (Wettbewerb_Modul_Bereit()) Wettbewerb_Quali_Markierungen_Loeschen();
    // Done rows leave; the others keep their order. While no row still
    // running had to move, yesterday's games are over: the event store is
    // packed once after new games (their unused reserved entries freed).
    bool luecke = false, bewegt = false;
    for (const Spieltag_Slot& r : z.slots) {
        if (r.status == ST_FERTIG || r.spiel <= 0) luecke = true;
        else if (luecke) bewegt = true;
    }
    std::erase_if(z.slots, [](const Spieltag_Slot& r) {
        if (r.status != ST_FERTIG && r.spiel > 0) return false;
        if (r.spiel > 0) Spiele_Unlock(r.spiel);
        std::erase_if(z.elfmeter, [&](const Elfmeter_Eintrag& e) { return e.spiel == r.spiel; });
        return true;
    });
    if (!bewegt && neue_spiele) {
        neue_spiele = false;
        Spiele_Alle_Ereignisse_Packen();
    }
    i32 liste[256];
    const int n = Kalender_Spieltage_Heute(-1, 1, liste);
    for (int i = 0; i < std::min(n, 256); ++i) Spieltag_Slots_Fuellen(liste[i], -1, -1);
}

i32 Spieltag_Einzelspiel_Eintragen(i32 wettbewerb, u32 spieltag, u32 runde, u32 index) {
    ++zeilen_stand;
    if (!z.initialisiert) return 0;
    const i32 h = Spiele_Lock(static_cast<u32>(wettbewerb), spieltag, runde, index);
    if (h <= 0) return 0;
    if (const Spieltag_Slot* r = slot_mit_spiel_von(h)) {
        Spiele_Unlock(h);
        return r->spiel;
    }
    z.slots.push_back(neue_zeile(h));
    ++z.eingetragen;
    Spieltag_Spiel_Vorbereiten(z.slots.back());
    return h;
}

void Spieltag_Einzelspiel_Starten(i32 spiel) {
    ++zeilen_stand;
    Spieltag_Slot* r = slot_von_spiel(spiel);
    if (!r || r->status != ST_WARTET) return;
    r->bereit[0] = r->bereit[1] = 2;
    r->gruppe = 0;
    r->start = r->start2 = Kalender_Jetzt;
    Spiele_Ereignisse_Reservieren(spiel);
    Spiele_Ergebnis_Nullen(spiel);
}

bool Spieltag_Gruppe_Starten() {
    ++zeilen_stand;
    if (!z.initialisiert) return false;
    i8 gruppe = 1;
    while (std::any_of(z.slots.begin(), z.slots.end(), [&](const Spieltag_Slot& r) { return r.gruppe == gruppe; }))
        ++gruppe;
    bool gestartet = false;
    for (auto& r : z.slots) {
        if (r.spiel <= 0 || r.status != ST_WARTET) continue;
        // A row is started once; a row of a started group whose sides have
        // both given no word yet moves on to the new group. A client's word
        // may come before the first start (its manager ended his turn
        // first): that side keeps it, the other side is started.
        if (r.gruppe != 0 ? (r.bereit[0] || r.bereit[1]) : (r.bereit[0] && r.bereit[1])) continue;
        const Spiel* s = spiel_von(r);
        const i32 teams[2] = {s ? s->team_a : -1, s ? s->team_b : -1};
        for (int k = 0; k < 2; ++k) {
            if (r.bereit[k]) continue;
            if (ruf::Einzel()) r.bereit[k] = 2;
            else if (ruf::Server() && (teams[k] <= 0 || !(Team_Wert(7, teams[k], 0, 0) & 32)))
                r.bereit[k] = 2;
        }
        r.gruppe = gruppe;
        r.start = r.start2 = Kalender_Jetzt;
        Spiele_Ereignisse_Reservieren(r.spiel);
        gestartet = true;
    }
    return gestartet;
}

bool Spieltag_Set_Bereit(i32 spiel, int seite) {
    ++zeilen_stand;
    Spieltag_Slot* r = slot_von_spiel(spiel);
    if (!r || seite < 0 || seite > 1 || r->bereit[0] < 1 || r->bereit[1] < 1) return false;
    r->bereit[seite] = 2;
    return true;
}

bool Spieltag_Team_Bereit(i32 team, int stufe) {
    ++zeilen_stand;
    if (!z.initialisiert || team <= 0 || stufe < 1 || stufe > 2) return false;
    bool geaendert = false;
    for (auto& r : z.slots) {
        const Spiel* s = spiel_von(r);
        if (!s || r.status == ST_BEENDET || r.status == ST_FERTIG) continue;
        for (int k = 0; k < 2; ++k)
            if ((k ? s->team_b : s->team_a) == team && r.bereit[k] < stufe) {
                r.bereit[k] = static_cast<i8>(stufe);
                geaendert = true;
            }
    }
    return geaendert;
}

namespace {

// A row waiting in a break, finished or done (status 4, 8, 16) does nothing
// on a pass unless something its group or its pitch depends on changed:
// the rows' statuses and groups, the pitch table, the match pause. While
// one engine match runs on, its group's other rows wait thousands of
// passes: after a pass that changed none of that, the next pass that finds
// the table as it was left (nothing added, dropped or changed from outside)
// visits only the rows that are not waiting, until one of them changes;
// the rows behind it are then visited as usual. The answers are those of a
// full pass.
bool wartend(const Spieltag_Slot& r) { return r.status == ST_PAUSE || r.status == ST_BEENDET || r.status == ST_FERTIG; }

struct Ruhe {
    bool gueltig = false;
    u32 zeilen = 0, spielfelder = 0;
    bool pause = false;
    size_t groesse = 0;
    std::vector<size_t> aktiv;  // rows that are not waiting
} ruhe;

bool pause_gilt() { return Spielfeld_Get_Pause() && Spielfeld_Get_Anzeige(); }

}  // namespace

bool Spieltag_Run(int durchreichen) {
    if (!z.initialisiert) return false;
    Spieltag_Client_Verfolgen();
    if (!netz_spiele.empty()) netz_pruefen();
    bool ergebnis = false, wartet = false;
    const bool client = ruf::Client();
    const bool schnell = !client && ruhe.gueltig && ruhe.zeilen == zeilen_stand &&
                         ruhe.spielfelder == Spielfeld_Register_Stand() && ruhe.pause == pause_gilt() &&
                         ruhe.groesse == z.slots.size();
    bool ruhig = !client;
    // One row's step; false when the row changed (status or group).
    auto zeile = [&](Spieltag_Slot& r) {
        if (r.spiel <= 0) return true;
        // A client's running match follows the server's.
        if (Spieltag_Client_Zeile(r, durchreichen, &ergebnis)) return true;
        const i8 status_vorher = r.status, gruppe_vorher = r.gruppe;
        switch (r.status) {
            case ST_LAEUFT:
            case ST_ELFMETER: ergebnis |= laufen(r, durchreichen); break;
            case ST_WARTET: {
                const Spiel* s = spiel_von(r);
                if (!s || s->team_a <= 0 || s->team_b <= 0) {
                    r.status = ST_BEENDET;
                    break;
                }
                if (!r.bereit[0] || !r.bereit[1]) break;
                if (gruppe_alle(r, angekuendigt)) {
                    r.status = ST_ANGEPFIFFEN;
                    Spiele_Ereignisse_Reservieren(r.spiel);
                    Spiele_Ergebnis_Nullen(r.spiel);
                    Spieltag_Anpfiff(r);
                } else {
                    wartet = true;
                }
                break;
            }
            case ST_ANGEPFIFFEN:
                if (ruf::Server()) anstoss_frist(r);
                if (alle_bereit(r) && gruppe_alle(r, alle_bereit)) r.status = ST_LAEUFT;
                else wartet = true;
                break;
            case ST_FERTIG: break;
            default: {  // 4 and 8
                Spielfeld_Daten* sf = Spielfeld_Zeiger(Spieltag_Spielfeld_Nummer(r));
                if (!sf || r.status == ST_BEENDET) {
                    // A break whose pitch is gone ends its match; the table
                    // is never cut short.
                    r.status = ST_BEENDET;
                    Spieltag_Spiel_Abschliessen(r);
                } else if (!(Spielfeld_Get_Pause() && Spielfeld_Get_Anzeige()) && gruppe_alle(r, in_pause)) {
                    // The match pause holds the break of a match being watched only.
                    Spieltag_Halbzeit_Weiter(r);
                    if (sf->anzeige) ergebnis = true;
                }
                break;
            }
        }
        return r.status == status_vorher && r.gruppe == gruppe_vorher;
    };
    // Rows are visited by index: finishing a row never adds or drops rows.
    // In a quiet pass the rows not waiting stand for the table until one of
    // them changes; every row behind that one is then visited.
    size_t ab = 0;
    if (schnell) {
        ab = z.slots.size();
        for (size_t i : ruhe.aktiv)
            if (!zeile(z.slots[i])) {
                ruhig = false;
                ab = i + 1;
                break;
            }
    }
    for (size_t i = ab; i < z.slots.size(); ++i)
        if (!zeile(z.slots[i])) ruhig = false;
    Spielfeld_Zeit_Fortsetzen(Kalender_Jetzt);
    if (wartet && Spieltag_Gruppe_Starten()) ruhig = false;
    // A quiet pass leaves the table as it found it: remember it.
    if (ruhig && !schnell) {
        ruhe.aktiv.clear();
        for (size_t i = 0; i < z.slots.size(); ++i)
            if (z.slots[i].spiel > 0 && !wartend(z.slots[i])) ruhe.aktiv.push_back(i);
    }
    ruhe.gueltig = ruhig;
    ruhe.zeilen = zeilen_stand;
    ruhe.spielfelder = Spielfeld_Register_Stand();
    ruhe.pause = pause_gilt();
    ruhe.groesse = z.slots.size();
    return ergebnis;
}

bool Spieltag_Check_Spielende(Spielfeld_Daten* sf) {
    if (!sf || !sf->engine) return false;
    // A client's copy carries the server's game number and has no row of
    // that number: it ends its halves by the record alone.
    if (ruf::Client()) return Spieltag_Halbzeit_Pruefen(sf);
    const Spieltag_Slot* r = slot_von_spiel(static_cast<i32>(sf->spiel));
    if (!r || !spiel_von(*r)) return true;
    return Spieltag_Halbzeit_Pruefen(sf);
}

bool Spieltag_Halbzeit_Pruefen(Spielfeld_Daten* sf) {
    if (!sf || !sf->engine) return false;
    if (sf->halbzeit_status == 2) return true;
    // Everything asked comes from the record and the competition's rules, so
    // that a client's copy decides as the server does.
    const int halbzeit = std::max(0, sf->halbzeit - 1);
    const i32 w = static_cast<i32>(sf->wettbewerb);
    // The golden goal: the first goal of extra time ends the match.
    if (Wettbewerb_Ist_Sudden_Death(w, halbzeit) && sf->tore[0] != sf->tore[1]) {
        Spielfeld_Set_Spielende_Feld(sf);
        return true;
    }
    // Stoppage time begins at the half's minute and is decided once per
    // minute; the competition lets play go on up to five minutes over.
    const i32 ende = Wettbewerb_Get_Halbzeit_Ende(w, sf->minute, halbzeit);
    if (ende != -1 && sf->minute - sf->minuten_korrektur + 1 >= ende) sf->halbzeit_status = 1;
    if (sf->halbzeit_status != 1 || sf->minuten_teil != 0) return false;
    if (Wettbewerb_Halbzeit_Pruefen(w, sf->minute, halbzeit, false, false) == HZ_WEITER) return false;
    Spielfeld_Set_Spielende_Feld(sf);
    return true;
}

// --- queries ---------------------------------------------------------------------------

int Spieltag_Get_Status(i32 spiel) {
    const Spieltag_Slot* r = z.initialisiert ? slot_von_spiel(spiel) : nullptr;
    return r ? r->status : -1;
}

static bool team_in(const Spieltag_Slot& r, i32 team) {
    const Spiel* s = spiel_von(r);
    return s && team > 0 && (s->team_a == team || s->team_b == team);
}

bool Spieltag_Team_Spielt(i32 team) {
    return z.initialisiert && std::any_of(z.slots.begin(), z.slots.end(), [&](auto& r) { return team_in(r, team); });
}

bool Spieltag_Team_Offen(i32 team) {
    return z.initialisiert && std::any_of(z.slots.begin(), z.slots.end(),
                                          [&](auto& r) { return r.status != ST_FERTIG && team_in(r, team); });
}

bool Spieltag_Team_Offen_Ankuendigen(i32 team) {
    if (!z.initialisiert) return false;
    const auto r = std::find_if(z.slots.begin(), z.slots.end(),
                                [&](auto& r) { return r.status != ST_FERTIG && team_in(r, team); });
    if (r == z.slots.end()) return false;
    const Spiel* s = spiel_von(*r);
    Spielankuendigung_Setzen(s->wettbewerb, s->team_a, s->team_b, s->spieltag, s->index, s->runde, nullptr);
    return true;
}

bool Spieltag_Team_Im_Spiel(i32 team) {
    if (!z.initialisiert) return false;
    const int bereit = ruf::Client() ? 0 : 1;
    for (const auto& r : z.slots) {
        if (!team_in(r, team)) continue;
        const Spiel* s = spiel_von(r);
        if (r.status == ST_LAEUFT || r.status == ST_PAUSE || r.status == ST_ELFMETER) return true;
        if ((r.status == ST_WARTET || r.status == ST_ANGEPFIFFEN || r.status == ST_BEENDET) &&
            r.bereit[s->team_a == team ? 0 : 1] > bereit)
            return true;
    }
    return false;
}

i32 Spieltag_Get_Gegner(i32 team, bool* auswaerts, i32* wichtigkeit, i32* spiel, i32* wettbewerb) {
    if (auswaerts) *auswaerts = false;
    if (wichtigkeit) *wichtigkeit = 0;
    if (spiel) *spiel = -1;
    if (wettbewerb) *wettbewerb = -1;
    if (!z.initialisiert) return -1;
    // The first unplayed game of today's rows with the team.
    for (const auto& r : z.slots) {
        const Spiel* s = team_in(r, team) ? spiel_von(r) : nullptr;
        if (!s || s->tore_a >= 0) continue;
        const bool aus = s->team_b == team;
        if (auswaerts) *auswaerts = aus && Wettbewerb_Hat_Heimrecht(s->wettbewerb);
        if (spiel) *spiel = r.spiel;
        if (wettbewerb) *wettbewerb = s->wettbewerb;
        if (wichtigkeit) *wichtigkeit = Wettbewerb_Get_Wichtigkeit(s->wettbewerb, -1);
        return aus ? s->team_a : s->team_b;
    }
    // None left today: the team's next fixture.
    Statistik_Termin t{};
    if (Statistik_Naechstes_Spiel(team, -1, -1, &t, 1, 0, true) != 1) return -1;
    if (auswaerts) *auswaerts = t.ort == 1;
    if (wettbewerb) *wettbewerb = t.wettbewerb;
    return t.gegner;
}

i32 Spieltag_Get_Gegner_Des_Tages(i32 team, bool* auswaerts) {
    if (auswaerts) *auswaerts = false;
    if (!z.initialisiert) return -1;
    for (const auto& r : z.slots)
        if (team_in(r, team)) {
            const Spiel* s = spiel_von(r);
            if (auswaerts) *auswaerts = s->team_b == team && Wettbewerb_Hat_Heimrecht(s->wettbewerb);
            return s->team_a == team ? s->team_b : s->team_a;
        }
    return Spieltag_Get_Gegner(team, auswaerts);
}

i32 Spieltag_Spiele_Von_Wettbewerb(i32 wettbewerb, std::vector<i32>* liste) {
    if (!liste || !z.initialisiert) return 0;
    i32 n = 0;
    for (const auto& r : z.slots) {
        const Spiel* s = spiel_von(r);
        if (s && s->wettbewerb == wettbewerb) {
            liste->push_back(r.spiel);
            ++n;
        }
    }
    return n;
}

i32 Spieltag_Get_Wettbewerb_Zeile(i32 zeile) {
    if (!z.initialisiert || zeile < 0 || static_cast<size_t>(zeile) >= z.slots.size()) return -1;
    const Spiel* s = spiel_von(z.slots[static_cast<size_t>(zeile)]);
    return s ? s->wettbewerb : -1;
}

i32 Spieltag_Get_Wettbewerb(i32 team) {
    if (!z.initialisiert) return -1;
    for (const auto& r : z.slots)
        if (team_in(r, team)) return spiel_von(r)->wettbewerb;
    return -1;
}

bool Spieltag_Spiele_Offen() {
    return z.initialisiert &&
           std::any_of(z.slots.begin(), z.slots.end(), [](auto& r) { return r.spiel > 0 && r.status != ST_FERTIG; });
}

bool Spieltag_Spiel_Angepfiffen() {
    return z.initialisiert && std::any_of(z.slots.begin(), z.slots.end(), [](auto& r) {
               return r.spiel > 0 && r.status != ST_WARTET && r.status != ST_FERTIG;
           });
}

bool Spieltag_Wettbewerb_Fertig(i32 wettbewerb) {
    for (const auto& r : z.slots) {
        const Spiel* s = spiel_von(r);
        if (s && s->wettbewerb == wettbewerb && r.status != ST_FERTIG) return false;
    }
    return true;
}

void Spieltag_Team_Hat_Spielfeld(u32 team) {
    for (const auto& r : z.slots)
        if (const Spiel* s = spiel_von(r); s && team > 0)
            Spieltag_Set_Bereit(
                r.spiel, s->team_a == static_cast<i32>(team) ? 0 : (s->team_b == static_cast<i32>(team) ? 1 : -1));
}

void Spieltag_Strafe_Buchen(u32 team, i32 betrag) {
    if (betrag > 0) Bank_Buchen(static_cast<int>(team), -1, static_cast<f32>(betrag), BANK_STRAFE, 1, -1);
}

i32 Spieltag_Get_Gegner_Wettbewerb(i32 team, bool* auswaerts, i32* wettbewerb) {
    return Spieltag_Get_Gegner(team, auswaerts, nullptr, nullptr, wettbewerb);
}
