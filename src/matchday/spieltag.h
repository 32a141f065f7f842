// The matchday: the table of today's matches and its pass. Each morning the
// competitions that play today enter their games; the rows are started in
// groups, kicked off (line-up check, attendance, the pitch record), played
// by the match engine when a human manager is concerned and by dice minutes
// otherwise, and finished competition by competition with the result kept
// in the fixture database.
#pragma once

#include <cstdint>
#include <vector>

#include "base/bytes.h"
#include "base/types.h"

struct Datei_Status;
struct Spielfeld_Daten;

// One row (24 bytes; its image travels in the save game).
struct Spieltag_Slot {
    i16 spiel;  // lock handle of the fixture; 0 = skipped
    i8 bereit[2];
    u32 start;
    u32 start2;
    u8 minute;
    i8 status;
    i8 halbzeit;
    i8 uhr_steht;
    i8 gruppe;
    u8 null17[3];
    f32 schritt;
};
template <class V, bytes::Art<Spieltag_Slot> S>
constexpr void felder(V& v, S& r) {
    v(r.spiel), v(r.bereit), v(r.start), v(r.start2), v(r.minute), v(r.status), v(r.halbzeit), v(r.uhr_steht),
        v(r.gruppe), v(r.null17), v(r.schritt);
}
static_assert(sizeof(Spieltag_Slot) == 24 && bytes::groesse<Spieltag_Slot>() == 24, "a matchday row is 24 bytes");

enum Spieltag_Status : i8 {
    ST_WARTET = 0,
    ST_ANGEPFIFFEN = 1,
    ST_LAEUFT = 2,
    ST_PAUSE = 4,
    ST_BEENDET = 8,
    ST_FERTIG = 16,
    ST_ELFMETER = 32,
};

// Fewer starters than this cancel a match.
constexpr int SPIELTAG_MIN_SPIELER = 8;
// Result flag of a match decided at the green table.
constexpr u8 SPIEL_FLAG_ABGESAGT = 4;
// The control bar's fast button, whose stored state per manager the day's
// preparation clears.
constexpr int SPIELTAG_KNOPF_SCHNELL = 718;

// Work the matchday hands on when a competition's games of the day are all
// done (the end of the matchday and of a round). Defaults do nothing.
struct Spieltag_Hooks {
    void (*wettbewerb_fertig)(i32 wettbewerb) = [](i32) {};
    // A live match view shows the human clubs' matches (paced to the clock).
    // Without one they are played on the engine unseen, at full speed.
    bool (*live_ansicht)() = [] { return false; };
};
void Spieltag_Set_Hooks(const Spieltag_Hooks& h);
const Spieltag_Hooks& Spieltag_Get_Hooks();

// Life cycle (Spieltag_Init also starts the match engine's module).
void Spieltag_Init();
void Spieltag_DeInit();
bool Spieltag_Initialisiert();
// Save block 6 (registered by Spieltag_Init): u32 byte count, then u8
// started; when started the rows (u32 count, 24 bytes each), the shoot-outs
// (u32 count; i32 game and 104 bytes each) and the match speed (i32). A
// block whose rows contradict themselves is refused and the running
// matchday kept.
bool Spieltag_Save(Datei_Status* datei);
bool Spieltag_Load(Datei_Status* datei);

// The daily preparation: switches fast play off (the fast-forward byte and
// every manager's fast button), drops finished rows, enters today's games of
// every competition that plays and prepares each new row.
void Spieltag_Vorbereiten();
// Enters the unplayed games of a competition's matchday and leg (-1: today's)
// as new rows and prepares them (weather, suspensions, line-ups of computer
// clubs); returns the number entered. The table grows as needed, so no
// game of the day is ever left out.
int Spieltag_Slots_Fuellen(i32 wettbewerb, i32 spieltag, i32 runde);
// A single game (a friendly) entered and started on its own; its game number.
i32 Spieltag_Einzelspiel_Eintragen(i32 wettbewerb, u32 spieltag, u32 runde, u32 index);
void Spieltag_Einzelspiel_Starten(i32 spiel);

// One pass over the rows; true while a pitch was stepped.
bool Spieltag_Run(int durchreichen);
bool Spieltag_Gruppe_Starten();
bool Spieltag_Set_Bereit(i32 spiel, int seite);
// A network client's team is ready for its matches of the day: 1 announced
// (the match may kick off), 2 ready to play (also for a team whose client
// has gone). True when a row changed.
bool Spieltag_Team_Bereit(i32 team, int stufe);
bool Spieltag_Check_Spielende(Spielfeld_Daten* sf);
// The end check of a half from the pitch record alone (its half, its
// competition's halves, draws from its own stream): what a network client's
// copy of a match runs in place of the row's check.
bool Spieltag_Halbzeit_Pruefen(Spielfeld_Daten* sf);

// Queries.
const std::vector<Spieltag_Slot>& Spieltag_Slots();
// The rows for the matchday's network calls.
std::vector<Spieltag_Slot>& Spieltag_Slots_Bearbeiten();
// The status of the game's row, -1 when it has none.
int Spieltag_Get_Status(i32 spiel);
bool Spieltag_Team_Spielt(i32 team);
bool Spieltag_Team_Offen(i32 team);
// As Spieltag_Team_Offen; when true the current announcement is set from
// that match (competition, home, away, matchday, game, leg).
bool Spieltag_Team_Offen_Ankuendigen(i32 team);
// The team's match has started and is not done: running, in a break or a
// shoot-out, or ready to kick off or finished but waiting for its group.
bool Spieltag_Team_Im_Spiel(i32 team);
bool Spieltag_Spiele_Offen();
// A match of the table has kicked off and is not done yet.
bool Spieltag_Spiel_Angepfiffen();
// The team's opponent of today (-1: none): from the first of today's rows
// whose game is not played yet, with whether the team plays away (never in
// a competition without home right), the matchday's importance, the game
// and its competition; without one, the team's next fixture gives
// opponent, competition and venue (game -1, importance 0). Every out may
// be null.
i32 Spieltag_Get_Gegner(i32 team, bool* auswaerts, i32* wichtigkeit = nullptr, i32* spiel = nullptr,
                        i32* wettbewerb = nullptr);
// The opponent of the team's match of today, played or not (the screens
// show its result after it); on a day without one the next fixture's.
i32 Spieltag_Get_Gegner_Des_Tages(i32 team, bool* auswaerts);
// Appends the game of each of today's rows of the competition to the list;
// returns how many.
i32 Spieltag_Spiele_Von_Wettbewerb(i32 wettbewerb, std::vector<i32>* liste);
// The competition of a row's game (-1: no game or no such row).
i32 Spieltag_Get_Wettbewerb_Zeile(i32 zeile);
// Today's opponent with the competition of that game (-1 none).
i32 Spieltag_Get_Gegner_Wettbewerb(i32 team, bool* auswaerts, i32* wettbewerb);
// The competition of the team's match of today (-1: none).
i32 Spieltag_Get_Wettbewerb(i32 team);
bool Spieltag_Wettbewerb_Fertig(i32 wettbewerb);
// Games entered and games done since the module started (checks and tools).
u32 Spieltag_Anzahl_Eingetragen();
u32 Spieltag_Anzahl_Fertig();
// Figures of the matches played since the module started, [0] by dice
// minutes, [1] by the match engine (forfeits left out).
struct Spieltag_Zahlen {
    u32 spiele[2] = {};
    u32 tore[2] = {};
    u32 heimsiege[2] = {}, remis[2] = {}, auswaertssiege[2] = {};
};
const Spieltag_Zahlen& Spieltag_Get_Zahlen();

// A fine of the match evaluation (cards) for the team, booked like a
// forfeit's (the match engine's fine hook, src/main).
void Spieltag_Strafe_Buchen(u32 team, i32 betrag);
// A client with this team has fetched its pitch: its side of the team's
// rows is ready (the match engine's readiness hook, src/main).
void Spieltag_Team_Hat_Spielfeld(u32 team);

// The ground of a match of a competition without home right: the host's
// ground the competition names, else a drawn ordinary club (mask 0x48) whose
// ground holds importance x 700 (1,000 fewer after every 100 failed draws)
// in a country neither side's (international) or the sides' shared country;
// -1 when none is found before the needed size reaches 1,000.
constexpr u32 SPIELTAG_NEUTRAL_MASKE = 0x48;
i32 Spieltag_Neutraler_Ort(i32 wettbewerb, i32 heim, i32 gast, i32 wichtigkeit);
// The assistant's man-marking of a side before kick-off: a managed team
// marks fully while its tactic's man-marking switch (byte 3) is on and not
// at all while it is off, a computer team by a draw 0..100.
void Spieltag_Manndeckung(i32 team, i32 gegner);
// The easiest level's grace: in the first 90 days every squad player is
// back to form 4, value 56 and his active attributes to 0 (the screens).
void Spieltag_Team_Werte_Zuruecksetzen(i32 team);
// A substitute who came on has played: one appearance more in the
// competition's counters, his career record and the squad's matches, as a
// starter has from the kick-off.
void Spieltag_Einwechslung_Zaehlen(i32 wettbewerb, i32 spieler);

// The penalty shoot-out of a tie: early decision and sudden death.
struct Spieltag_Elfmeter {
    i32 start_tore[2];
    u32 schuetzen[2][11];
    i8 anzahl[2];
    i8 naechster[2];
    i8 seite;
    i8 erste_seite;
    i8 pro_runde;
    i8 runden;
};
template <class V, bytes::Art<Spieltag_Elfmeter> S>
constexpr void felder(V& v, S& e) {
    v(e.start_tore), v(e.schuetzen), v(e.anzahl), v(e.naechster), v(e.seite), v(e.erste_seite), v(e.pro_runde),
        v(e.runden);
}
static_assert(bytes::groesse<Spieltag_Elfmeter>() == 104, "a shoot-out record is 104 bytes");
// One kick's bookkeeping: k goals of the side that kicked, o of the other;
// true when decided.
bool Spieltag_Elfmeter_Entschieden(Spieltag_Elfmeter& e, int k, int o);
