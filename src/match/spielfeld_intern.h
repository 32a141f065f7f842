// Shared inside the match engine only.
//
// The engine's files by what they do: spielfeld.cpp (the table of pitches,
// their life cycle and stepping), engine.cpp (one tick and one minute),
// bewegung.cpp (positions, running, animation entries, officials), ball.cpp
// (the ball in flight, the lines, who takes it), entscheidung.cpp (the ball
// holder's choices: pass, shot, dribble, duel), regeln.cpp (referee and
// rules: set pieces, offside, fouls, cards, goals, the half's end, the
// shoot-out kick), eingriff.cpp (in-match changes: substitutions, tactics,
// the command slots), ereignis.cpp (statistics, grades, events and the
// client's signal: everything the engine tells the outside), anzeige.cpp
// (the shown list, replay, tick control), speichern.cpp (save block, record
// check, checksum), netz.cpp (the lockstep).
#pragma once

#include <cmath>

#include "base/random.h"
#include "match/spielfeld.h"

extern const Spielfeld_Hooks& SF_Hook;
extern Spielfeld_Steuerung SF_Steuerung;
extern bool SF_Spulen;  // the spool button is held
// A shown pitch steps once per frame period of the clock; a clock that has
// run further ahead than this many periods (a pause, a replay, a stall)
// starts afresh instead of catching up.
constexpr u32 SF_AUFHOLEN_PERIODEN = 8;
inline u32 SF_Periode() { return SF_Steuerung.periode_ms > 0 ? static_cast<u32>(SF_Steuerung.periode_ms) : 1u; }

// The running pitches and the shown list (spielfeld.cpp, anzeige.cpp, speichern.cpp).
struct Spielfeld_Register {
    Spielfeld_Daten* tabelle[SF_MAX_SPIELFELDER];
    Spielfeld_Daten* anzeige[SF_MAX_ANZEIGE];
    int anzeige_anzahl;
    bool anzeige_an;
    bool replay_aktiv;
    u32 stand;  // goes up whenever a pitch enters or leaves the table
};
extern Spielfeld_Register SF_Register;
// Keeps the final record of a networked match the server deletes, so that its
// client can still fetch how it ended (netz.cpp).
void SF_Netz_Ende_Merken(const Spielfeld_Daten* sf);
// Takes a pitch off the shown list (anzeige.cpp).
void SF_Anzeige_Entfernen(Spielfeld_Daten* sf);
// To be called whenever a pitch's display byte is set or cleared outside
// the pitch's creation (anzeige.cpp keeps the shown pitches by it).
void SF_Anzeige_Geaendert();
// Registers the save block of the pitches (speichern.cpp).
void Spielfeld_Speicherblock_Anmelden();

// Outcomes of a shot in flight.
enum : u8 {
    SCHUSS_KEINER = 0,
    SCHUSS_TOR = 1,
    SCHUSS_GEHALTEN = 2,
    SCHUSS_ABGEWEHRT_ECKE = 3,
    SCHUSS_VORBEI = 4,
    SCHUSS_ABGEWEHRT_FELD = 5,
    SCHUSS_EIGENTOR = 6
};

constexpr u8 KEIN_SLOT = 255;

inline int sf_seite(int slot) { return slot < SF_PRO_SEITE ? 0 : 1; }
inline bool sf_auf_platz(const Spielfeld_Spieler& s) {
    // Both tests at once (one branch where the loops over the slots ask).
    return ((s.status & (SFS_AUF_DEM_PLATZ | SFS_GELBROT | SFS_ROT | SFS_AUSGEWECHSELT)) == SFS_AUF_DEM_PLATZ) &
           (s.spieler >= 0);
}
// +1 when the side attacks towards x = SF_LAENGE.
inline int sf_richtung(const Spielfeld_Daten* sf, int seite) {
    return ((seite == 0) != (sf->seitenwechsel != 0)) ? 1 : -1;
}

// Engine entry points for the rest of the module.
void Engine_Tick(Spielfeld_Daten* sf);
void Engine_Aufstellen(Spielfeld_Daten* sf, int anstoss_seite);
void Engine_Taktik_Berechnen(Spielfeld_Daten* sf, int seite);
void Engine_Elfmeter_Vorbereiten(Spielfeld_Daten* sf, int seite, int slot);
void Engine_Kommandos_Anwenden(Spielfeld_Daten* sf);
void Engine_Minute_Vorbei(Spielfeld_Daten* sf);

// The one sink of everything the engine tells the outside (ereignis.cpp):
// match events, and the client's per-minute signal of a networked match.
void SF_Ereignis(Spielfeld_Daten* sf, u32 flags, int slot, int zweiter);
// The stadium samples the referee and the ball make.
enum : int { SF_KLANG_PFIFF = 0, SF_KLANG_PFIFF_LANG = 1, SF_KLANG_SCHUSS = 2, SF_KLANG_KOPFBALL = 4, SF_KLANG_NETZ = 5,
             SF_KLANG_PFIFF_ENDE = 8, SF_KLANG_PFIFF_ABSEITS = 13 };
// Plays a stadium sample for the pitch the focused view shows, while its
// camera keeps up (the crowd's sounds follow the same rule); the camera
// follows the ball, so the sound comes from the middle.
void SF_Klang(const Spielfeld_Daten* sf, int sample);
void SF_Signal_Senden(const Spielfeld_Daten* sf);
// True when a waiting client's copy may ask the server again now (its time
// is noted); see SF_NACHFRAGE_MS.
bool SF_Nachfrage_Faellig(Spielfeld_Daten* sf, u32 uhrzeit);
// A signal of the client's copy of match `spiel` went to the server.
void SF_Signal_Gesendet(u32 spiel);
// The running (not finished) pitch where the team plays, null.
Spielfeld_Daten* SF_Suche_Team(u32 team);

// ---------------------------------------------------------------------------
// The tick's parts. Every draw comes from the shared random table; the
// caller has set the cursor to the pitch's own one, so the order of the
// draws is part of the game.
namespace engine {

constexpr f32 DT = 0.1f;
constexpr f32 G = 981.0f;
constexpr f32 REICHWEITE = 90.0f;        // reach to take the ball
constexpr f32 REICHWEITE_KOPF = 170.0f;  // reach to meet a high ball
constexpr f32 ZWEIKAMPF_NAH = 130.0f;
constexpr f32 TOR_Y = 3403.0f;
constexpr f32 FERN = 3500.0f;  // a figure this far from the ball looks at his place half as often
constexpr int TAKT = 8;        // a figure not in a hurry moves on one tick in TAKT, TAKT ticks at once
constexpr int BLICK = 16;      // ticks between two looks at one's place off the ball (twice as many far from it)
constexpr int OFFIZIELLE_TAKT = 4;  // ticks per step of the officials (the linesmen look at the offside line)
static_assert(BLICK % OFFIZIELLE_TAKT == 0, "the places look at the offside line on the officials' ticks");

// Pace bits of the current straight line in the slot's flag byte; F_STEHT: he stands at the target of alt_x/alt_y.
constexpr u8 F_EILIG = 0x80, F_LAUFEN = 0x40, F_LANGSAM = 0x20, F_STEHT = 0x10;
// Role bits of the flag byte.
constexpr u8 F_ELFMETER = 1, F_ECKE = 2, F_FREISTOSS = 4;

// How often things happen, per tick of the ball holder (in 1,000ths) and per
// event: the figures the realism test holds to real football.
// A carrier's shots a thousand ticks by his distance to goal. Why 480, 360,
// 240, 96 (were 600, 450, 300, 120): with the high lines' free edge gone
// (ABSEITSFALLE_SCHUB) play was less cramped and the world's random
// pairings scored 3.20 a match with 4.3 % goalless; at four fifths 3.07
// and 4.9 %, as before.
constexpr int SCHUSS_NAH = 480, SCHUSS_MITTEL = 360, SCHUSS_WEIT = 240, SCHUSS_FERN = 96;  // by distance to goal
constexpr f32
    FLANKE_AB = 7000.0f,
    AUSSEN_AB = 900.0f;  // and this far off the middle  // a wide man crosses from here on (cm from his own goal line)
constexpr int FLANKE_RATE = 400, FLANKE_MITTE = 80;  // wide, and a ball chipped in from the middle
constexpr f32 STEILPASS = 0.0f;                      // a passer's liking for a man at or beyond the last line
constexpr f32 KREUZ_ABZUG = 0.12f;                   // a cross arrives less often than a pass
constexpr f32 KOPFHOEHE = 170.0f;
constexpr int KOPFBALL_SCHUSS = 600;    // a man meeting a high ball in the box heads at goal
constexpr int ABGEFAELSCHT_ECKE = 450;  // a shot going wide past a close defender is deflected behind
constexpr int KLAERUNG_ECKE = 480;      // a header clear from the box goes behind
constexpr int FOUL_IM_STRAFRAUM = 21;   // a man receiving in the box is brought down
constexpr int SPIELNIVEAU = 55;         // the mean skill of every match
// Fine strength (0..12,000) a skill point, and the stronger eleven's
// skill points for the gap between the elevens' mean fine strength: one per
// ABSTAND_JE_PUNKT of it, up to ABSTAND_BIS. Why: the engine gave a stronger
// side fewer wins than the dice minutes for gaps below 2,000 and more above
// 3,000 (random pairings of the world by gap 0-599, -1199, -1799, -2399,
// -2999, more: 37/47/52/62/65/82 % against the dice's 44/52/59/66/68), so a
// managed club, whose matches the engine plays, gained less from being
// stronger than the computer clubs of its strength (-0.3 points a game on
// some seeds, in the second divisions). At 230 and one point a 300 up to
// 1,500: 40/55/60/67/71/83 %; at 185 alone with the points at 400 the small
// gaps stayed and the big ones grew (38/52/62/70/74/87).
constexpr int STAERKE_JE_PUNKT = 230;
constexpr int ABSTAND_BIS = 1500, ABSTAND_JE_PUNKT = 300;
// Beyond a gap of ABSTAND_KAPPE the weaker eleven gains a skill point per
// STAERKE_JE_PUNKT of the rest, so a wider gap counts no more. Why: the dice
// minutes' chances stop growing with the gap (their side ratings are held to
// a band), the engine's went on: the stronger side won 83 % of the engine
// matches at gaps of 3,000 and more against the dice's 68 %, and a managed
// club in a division of giants took far fewer points off them than the
// computer clubs of its strength (seed 4093: 0.2-0.4 points a game against
// their dice 0.6-0.9 at gaps around 2,400). At 2,400: 70 %.
constexpr int ABSTAND_KAPPE = 2400;
// Skill points of the home side at its own ground. Why 4: at 5 the home
// sides won 48-50 % of a division's series and the away sides 23-27 %
// (real football 43-50 and 24-32); at 4 it is 45-47 and 25-27.
constexpr int HEIMVORTEIL = 4;
// Every match has its own day: the light, the ball, the ground and the
// nerves make both keepers better or worse together, by up to this many
// skill points (drawn at the kick-off). Why: without it every match was as
// open as the last, the goals of a match fell as if drawn from one fixed
// rate, and only 4-5 % of the matches ended 0:0 where real football has
// 7 %; a match of its own kind leaves the mean goals as they were. At 28
// 5.5-6.9 % (draws 26-28 %); at 32 the draws rose to 28-29 %.
constexpr int TORWART_TAGESFORM = 28;
constexpr int SPIELSTAND_ZURUECK = 12, SPIELSTAND_VOR = 6;  // drive (and line, x 25 cm) late in a match
// A side three or more up sits back by this much a goal of its lead beyond
// the first, at any time. Why not SPIELSTAND_ZURUECK as late in a close
// match: with forwards in the forward places a side scored six or more in
// 1.4-1.7 % of the matches (real football below 1 %); at 30 0.4-1.0 %, at
// 40 0.5-0.7 % with the other figures as they were.
constexpr int FUEHRUNG_ZURUECK = 40;
// The tactic's weight in play: the offside trap's back line stands
// ABSEITSFALLE_SCHUB (cm) higher while the other side has the ball, a step
// of the line-height value moves the side LINIE_JE_STUFE (cm), and a
// pressing side goes into a duel with a close carrier in PRESSING_ZWEIKAMPF
// of a hundred ticks (9 without). Why: a side higher up the pitch paid
// nothing for it, so each switch was a free edge (random pairings of the
// world, the home side's points a game with it against without: trap +0.17,
// highest against lowest line +0.10, pressing +0.07 at 350, 12 and 12), and
// a managed club, whose matches the engine plays, fell behind the computer
// clubs of its strength when its shipped tactic had them off: their dice
// matches know no tactic. At 100, 4 and 10: +0.03, +0.01 and +0.01.
constexpr f32 ABSEITSFALLE_SCHUB = 100.0f;
constexpr f32 LINIE_JE_STUFE = 4.0f;
constexpr int PRESSING_ZWEIKAMPF = 10;
constexpr int LAUF_TAKT = 8;  // a forward runs in behind in one of this many 4-second spells
// Stamina per tick: standing, sprinting, walking, running.
constexpr i8 ATEM_STEHEN = 1, ATEM_SPRINT = -4, ATEM_GEHEN = 0, ATEM_LAUFEN = -2;
constexpr int FOUL_GRUND = 480, FOUL_STRAFRAUM = -220;
constexpr int KARTE_GELB = 105, KARTE_ROT = 0;  // after a foul (1,000ths)
constexpr f32 LINIE_HALTEN =
    200.0f;  // a back-line defender follows a runner this far behind his line  // a tackle is a foul (1,000ths): always, more in the box

inline Spielfeld_Objekt& O(Spielfeld_Daten* sf, int i) { return sf->objekt[i]; }
inline Spielfeld_Objekt& BALL(Spielfeld_Daten* sf) { return sf->objekt[SF_OBJ_BALL]; }
inline int draw(int n) { return Rnd_Basis(0, n - 1); }  // 0..n-1
inline f32 clampf(f32 v, f32 a, f32 b) { return v < a ? a : (v > b ? b : v); }
inline f32 d2(f32 ax, f32 ay, f32 bx, f32 by) { return (ax - bx) * (ax - bx) + (ay - by) * (ay - by); }

// Room of a list of points for the nearest-point search: SF_PRO_SEITE and the rest of the last group of four.
constexpr int PUNKTE_PLATZ = (SF_PRO_SEITE + 3) / 4 * 4;
// The first of the n points nearest to (px, py) nearer than the squared distance `schranke`: its
// index, -1 none. The same answer as a walk over the points in order that keeps a point strictly
// nearer (d2) than the best so far, four points at a time: each lane keeps its first nearest point,
// and of the lanes the nearest wins, the first on a tie. The arrays hold n rounded up to four
// entries (the padding is read, never chosen).
inline int naechster_punkt(const f32* x, const f32* y, int n, f32 px, f32 py, f32 schranke) {
    using v4f = f32 __attribute__((vector_size(16)));
    using v4i = i32 __attribute__((vector_size(16)));
    const v4f vx = {px, px, px, px}, vy = {py, py, py, py};
    const v4i vn = {n, n, n, n};
    v4f best = {schranke, schranke, schranke, schranke};
    v4i idx = {-1, -1, -1, -1};
    v4i k4 = {0, 1, 2, 3};
    for (int k = 0; k < n; k += 4) {
        v4f ax, ay;
        __builtin_memcpy(&ax, x + k, sizeof ax);
        __builtin_memcpy(&ay, y + k, sizeof ay);
        const v4f dx = ax - vx, dy = ay - vy;
        const v4f e = dx * dx + dy * dy;
        const v4i m = (e < best) & (k4 < vn);
        best = m ? e : best;
        idx = m ? k4 : idx;
        k4 += 4;
    }
    int bi = -1;
    f32 bw = schranke;
    for (int j = 0; j < 4; j++) {
        if (idx[j] < 0) continue;
        if (best[j] < bw || (best[j] == bw && idx[j] < bi)) {
            bw = best[j];
            bi = idx[j];
        }
    }
    return bi;
}
// x of the goal a side attacks.
inline f32 ziel_tor_x(const Spielfeld_Daten* sf, int seite) { return sf_richtung(sf, seite) > 0 ? SF_LAENGE : 0.0f; }
// Distance of a point from a side's own goal line, and back.
inline f32 rel_x(const Spielfeld_Daten* sf, int seite, f32 x) { return sf_richtung(sf, seite) > 0 ? x : SF_LAENGE - x; }
inline f32 abs_x(const Spielfeld_Daten* sf, int seite, f32 rx) {
    return sf_richtung(sf, seite) > 0 ? rx : SF_LAENGE - rx;
}
inline bool im_strafraum(f32 rx, f32 y) {
    return rx < SF_STRAFRAUM_TIEFE && y > SF_STRAFRAUM_Y1 && y < SF_STRAFRAUM_Y2;
}

inline void stat(Spielfeld_Daten* sf, int slot, int byte) {
    if (slot >= 0 && slot < SF_SPIELER && sf->statistik[slot][byte] < 255) sf->statistik[slot][byte]++;
}
inline void punkte(Spielfeld_Daten* sf, int slot, int p) {
    if (slot >= 0 && slot < SF_SPIELER) sf->spieler[slot].bewertung = static_cast<i16>(sf->spieler[slot].bewertung + p);
}
// Effective skill with stamina, injury and the out-of-position deduction.
inline int faehig(const Spielfeld_Daten* sf, int slot, u8 wert) {
    const Spielfeld_Spieler& s = sf->spieler[slot];
    int v = wert - (10000 - s.ausdauer) / 450 - sf->abzug[slot] * SF_HALBSTERN_PUNKTE;
    if (s.verletzung) v -= 15;
    return v < 1 ? 1 : v;
}
// A figure put to a new place: his straight line and his standing are forgotten.
inline void versetzt(Spielfeld_Spieler& sp) {
    sp.schritte = 0;
    sp.flag = static_cast<u8>(sp.flag & ~F_STEHT);
}

// How a side plays the score late in a match: one in front sits back (its
// line lower, less drive), one behind pushes; 0 before minute 60 or level.
// The change of drive and line height, in the units of the tactic values.
inline int spielstand_drang(const Spielfeld_Daten* sf, int s) {
    int d = sf->tore[s] - sf->tore[s ^ 1];
    // A side three up sits back at any time, harder the more it leads.
    if (d >= 3) return -FUEHRUNG_ZURUECK * (d - 1);
    if (sf->minute < 60) return 0;
    return d > 0 ? -SPIELSTAND_ZURUECK : (d < 0 ? SPIELSTAND_VOR : 0);
}

// What a tick knows of the players at its start (engine.cpp).
struct Lage {
    int jaeger[2];         // the chaser of each side
    int naechster;         // nearest player to the ball within the longest reach, -1
    f32 nd;                // his squared distance
    // Players on the pitch at the start of the tick and their slots, the home side's first (made
    // every BLICK ticks only, when the players look at their places).
    int anzahl;
    u8 aktiv[SF_SPIELER];
    // Field players of each side on the pitch (no keeper), positions at the start of the tick
    // (made every BLICK ticks only, when the players look at their places).
    int feld_n[2];
    i8 feld_slot[2][SF_PRO_SEITE];
    alignas(16) f32 feld_x[2][PUNKTE_PLATZ];  // zero beyond feld_n up to the next four
    alignas(16) f32 feld_y[2][PUNKTE_PLATZ];
    // Per side: the ball seen from the side's own goal line, and whether the side has the ball.
    f32 ball_rx[2];
    bool besitz[2];
    // Per side: its second-last man (keeper included) seen from its own goal line: the offside line
    // (made on the officials' ticks only, one in OFFIZIELLE_TAKT).
    f32 linie[2];
    u64 stuermer;  // bit per slot: the forwards of the side with the ball
};

// What every look at a place reads of its side and the ball, made once for a round of looks
// (ziel_basis): the places' push up the pitch by side and for the back line, and the rest.
struct Ziel_Basis {
    // The push up the pitch by side, [1] for a back-line defender: with the drive, the switch, the
    // score and the offside trap.
    f32 schub[2][2];
    f32 ball_y, ball_y_anteil;   // the ball across, and its share of a place across
    f32 hoch[2];                 // where a side's forwards stay at least without the ball
    f32 vorne[2];                // the other side's offside line seen from this side's goal
    u32 spell_takt, drift_takt;  // the ticks in 4-second and 6-second spells
};

// bewegung.cpp: figures, positions, animation entries.
void anim(Spielfeld_Objekt& o, u16 set);
void anim_wenn_frei(Spielfeld_Objekt& o, u16 set);
int torwart(Spielfeld_Daten* sf, int seite);
int naechster(Spielfeld_Daten* sf, int seite, f32 x, f32 y, bool mit_tw, int ausser = -1);
Ziel_Basis ziel_basis(const Spielfeld_Daten* sf, const Lage& l);
void ziel_berechnen(Spielfeld_Daten* sf, int i, const Lage& l, const Ziel_Basis& z);
void alle_bewegen(Spielfeld_Daten* sf, const Lage& l, bool geaendert);
void offizielle(Spielfeld_Daten* sf, const Lage& l);
void anstoss_positionen(Spielfeld_Daten* sf);
void standard_ziele(Spielfeld_Daten* sf, const Lage& l);

// ball.cpp: the ball.
void ball_frei(Spielfeld_Daten* sf);
void ball_geben(Spielfeld_Daten* sf, int slot);
// A lofted ball comes down to hoehe (cm) at the target: a cross arrives at head height.
void ball_spielen(Spielfeld_Daten* sf, f32 zx, f32 zy, bool hoch, f32 tempo, f32 hoehe = 0.0f);
void schuss_flug(Spielfeld_Daten* sf, int tw, int sk, u32 art, int r5);
void freier_ball(Spielfeld_Daten* sf, const Lage& l);
void aus(Spielfeld_Daten* sf);

// entscheidung.cpp: the ball holder and the duels.
void ballfuehrer(Spielfeld_Daten* sf, const Lage& l);
void passen(Spielfeld_Daten* sf, int p, int modus);
void pass_an(Spielfeld_Daten* sf, int p, int empfaenger, int modus);
void schiessen(Spielfeld_Daten* sf, int p, u32 art);
int schuetze_waehlen(Spielfeld_Daten* sf, int seite, u8 flag, int skill);

// regeln.cpp: referee and rules.
void standard(Spielfeld_Daten* sf, u8 situation, int seite, f32 x, f32 y, int ausfuehrer, int warte);
void standard_tick(Spielfeld_Daten* sf);
f32 abwehrlinie(Spielfeld_Daten* sf, int g);
bool abseits_gepfiffen(Spielfeld_Daten* sf, int geber, int empf);
void abseits_pfiff(Spielfeld_Daten* sf, int empf);
void foul(Spielfeld_Daten* sf, int taeter, int opfer);
void vom_platz(Spielfeld_Daten* sf, int slot);
void tor(Spielfeld_Daten* sf, int schuetze, bool eigentor);
void halbzeit_ende(Spielfeld_Daten* sf);
void elfer_tick(Spielfeld_Daten* sf);

// eingriff.cpp: substitutions at a dead ball and the computer's changes.
bool wechsel_ausfuehren(Spielfeld_Daten* sf);
// Rates the slot's player at his tactical point anew (Spielfeld_Daten::abzug);
// 0 for a slot not on the pitch.
void abzug_setzen(Spielfeld_Daten* sf, int slot);
void computer_wechsel(Spielfeld_Daten* sf, int s);

// ereignis.cpp: grades.
void noten_berechnen(Spielfeld_Daten* sf);

}  // namespace engine
