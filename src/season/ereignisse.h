// What happens in and after a game: match events with their 160-entry block
// per game, the per-player counters of a competition (cards, appearances,
// pending suspensions), the suspensions before a match, and after a match
// the all-time table, the series, the head-to-head record; the winners.
#pragma once

#include "base/ereignis_flags.h"
#include "base/types.h"

struct Spiel;

constexpr u32 EREIGNISSE_PRO_SPIEL = 160;

// The per-player counters of a competition (kinds 1..8).
enum Spieler_Zaehler : i32 {
    ZAEHLER_GELB = 1,  // bit 7: received in the last match
    ZAEHLER_GELBROT = 2,
    ZAEHLER_ROT = 3,
    ZAEHLER_EINSAETZE = 4,
    ZAEHLER_TORE = 5,         // the engine's matches: goals, assists and
    ZAEHLER_VORLAGEN = 6,     // grade points (7 - grade) summed
    ZAEHLER_NOTENPUNKTE = 7,
    ZAEHLER_SPERRE = 8,  // low five bits: matches to serve; 32 yellow, 64 yellow-red, 128 red
};
constexpr u8 SPERRE_GELB = 32, SPERRE_GELBROT = 64, SPERRE_ROT = 128, SPERRE_SPIELE = 31;
constexpr u8 GELB_LETZTES_SPIEL = 128;
// Player status bits of a suspension (Spieler_Struktur::status).
constexpr u32 STATUS_GESPERRT_GELB = 128, STATUS_GESPERRT_GELBROT = 256, STATUS_GESPERRT_ROT = 512,
              STATUS_GESPERRT_SONST = 1024, STATUS_GELB_GEFAEHRDET = 32768, STATUS_SPIELT = 16;

// Reserves the game's 160 event entries (once); false when the store is full.
bool Spiele_Ereignisse_Reservieren(i32 handle);
// Records an event (minute -1: the game's minute): a goal raises the score
// at once, a card updates the player's counters in the game's competition.
// Returns the game's event count, -1 when the game has no reserved block.
i32 Spiele_Ereignis_Eintragen(i32 handle, u32 flags, i32 minute, i32 spieler, i32 spieler2);

// A player's counter in a competition: set (wert >= 0) or add one (-1).
void Spiele_Set_Wettbewerb_Ereignis(i32 wettbewerb, i32 spieler, i32 art, i32 wert);
// A player's counter (0 without an entry), -1 for bad arguments.
i32 Spiele_Get_Wettbewerb_Ereignis(i32 wettbewerb, i32 art, i32 spieler);
// Network client: fetches the counters of the 100 keys from `schluessel` on
// (call 1042) and keeps them as the server has them; false when no answer
// came or it did not fit (nothing is changed then). A client's counter
// query fetches its block once after each cache reset (and forgets with
// Spiele_Wettbewerb_Ereignisse_Vergessen).
bool Spiele_Hole_Wettbewerb_Ereignisse(u32 schluessel);
void Spiele_Wettbewerb_Ereignisse_Vergessen();
// Removes one base competition's counters (-1: all).
void Spiele_Loesche_Wettbewerb_Ereignis(i32 basis);
// True when this count of yellow cards brings a ban in the competition:
// the first ban at ERSTE_GELBSPERRE, then every INTERVALL_GELBSPERRE.
bool Wettbewerb_Gelbsperre(i32 wettbewerb, i32 karten);
// Appearances (+1) of the team's line-up before a match.
void Spiele_Setze_Eingesetzte_Spieler_Vor_Spiel(i32 wettbewerb, i32 team);
// Suspensions before a match: the status bits of every player of the team;
// a match that counts serves one match of each pending suspension, except
// one from a card received in the last match (it is served from the next).
void Spiele_Setze_Sperren_Spieler_Vor_Spiel(i32 wettbewerb, i32 team, bool zaehlt);

// After a match: all-time table, series and head-to-head of both teams.
void Spiele_Set_Nachspiel_Statistik(i32 handle);
// One half (venue 0 home, 1 away) of a team's all-time entry: add a game
// (result 1 win, 0 draw, 2 defeat).
void Spiele_Set_Ewige_Tabelle(i32 wettbewerb, i32 team, i32 punkte, i32 tore, i32 gegentore, i32 ergebnis, i32 ort);
// A team's all-time values (kind 0 home, 1 away, 2 both): points, goals
// for, against, wins, draws, defeats; false without an entry.
bool Spiele_Get_Ewige_Tabelle(i32 wettbewerb, i32 team, u32 aus[6], i32 art);
// Runs of a team: each counter +1 where its condition holds, else 0, in the
// venue's column and the all-games column; counters hold at 255.
void Spiele_Set_Serien(i32 wettbewerb, i32 team, i32 tore, i32 gegentore, i32 ort);
// The pairing's head-to-head: wins, draws, defeats of the home team and the
// last five results (goals held to 15).
void Spiele_Set_Spiele_Gegen(i32 wettbewerb, i32 heim, i32 gast, i32 tore_heim, i32 tore_gast);
// The year's winner of a competition (created or overwritten).
void Spiele_Set_Wettbewerb_Sieger(i32 wettbewerb, i32 sieger, i32 jahr, i32 zweiter, i32 tore_hoch, i32 tore_tief);

// A player's statistic in a competition (the world asks it through its
// hook): 0 goals, 1 assists, 2 scorer points (goals + assists) from the goal
// events of the competition's games; 22 yellow, 23 yellow-red, 24 red cards.
constexpr i32 STATISTIK_TORE = 0, STATISTIK_VORLAGEN = 1, STATISTIK_SCORER = 2, STATISTIK_GELB = 22,
              STATISTIK_GELBROT = 23, STATISTIK_ROT = 24;
i32 Spiele_Spieler_Statistik(i32 statistik, i32 wettbewerb, i32 team, i32 spieler);

// On a network client: the match's event records fetched from the server
// unless they are here (the readers of events call it first).
void Spiele_Ereignisse_Bereit(const Spiel& s);
// Goals of each side counted from the game's goal events between two
// minutes (-1: open); false for no game.
bool Spiele_Get_Tore_Zeitraum(i32 handle, i32 erste_minute, i32 letzte_minute, i32* tore_a, i32* tore_b);
// A copy of the game with its goals counted from the goal events between
// two minutes (-1 open); an unplayed game gives -1 and 0. False for a bad
// handle.
bool Spiele_Get_Spiel_Zeitraum(i32 handle, i32 erste_minute, i32 letzte_minute, Spiel* aus);
// The events of a game one after another: player, second player, flags,
// minute. Each walk has its own position; the game is read afresh at each
// step, so a changed or packed block ends the walk (false) instead of
// reading stale entries.
struct Spiele_Ereignis_Daten {
    i32 spieler, spieler2;
    u32 flags;
    i32 minute;
};
class Spiele_Ereignis_Iterator {
  public:
    bool Erstes(i32 handle, Spiele_Ereignis_Daten* aus);
    bool Naechstes(Spiele_Ereignis_Daten* aus);

  private:
    i32 handle_ = 0;
    u32 naechstes_ = 0;
};
// The classic single walk of the module.
bool Spiele_Erstes_Ereignis(i32 handle, Spiele_Ereignis_Daten* aus);
bool Spiele_Naechstes_Ereignis(Spiele_Ereignis_Daten* aus);
// Drops every competition-counter entry whose key is not above the one
// before it (a damaged order); returns how many went. Not on a client.
i32 Spiele_Check_Wettbewerb_Ereignis();
// Every season with a winner of the competition, from the first to `bis`,
// in rising order: winners and seasons, at most `max`; the count.
int Spiele_Get_Wettbewerb_Sieger_Array(i32 wettbewerb, i32 bis, i32* sieger, i32* jahre, int max);
