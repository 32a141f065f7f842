// A team's fixture list: its games over the coming year, day by day in the
// calendar, with opponent, venue and (once played) the score.
#pragma once

#include <string>

#include "base/bytes.h"
#include "base/feld_grenze.h"
#include "base/types.h"

constexpr i32 TERMINE_TAGE = 366;

struct Statistik_Termin {
    i32 gegner;  // -1 while the opponent is not known yet
    i32 tag;     // day index
    i32 wettbewerb;
    i32 ort;   // 0 home, 1 away, 2 no home right
    i32 tore;  // -1 unplayed
    i32 gegentore;
    i32 spieltag;
    i32 runde;  // leg
    i32 index;  // game of the matchday
};

// The team's games (team -1: every game) from the first day (-1: today) to
// today + 366, of one competition (-1: all), at a venue (0 all, 1 home,
// 2 away), only unplayed ones when asked; at most `max`. Returns the count.
int Statistik_Naechstes_Spiel(i32 team, i32 erster_tag, i32 wettbewerb, Statistik_Termin* aus, int max, i32 ort,
                              bool nur_ungespielt);

// A player's career record (68 bytes in the save): goals, appearances,
// international appearances, minutes; per season his goals (h1) and
// strength (h2); per match his grade (bits 0-2, 1 best .. 6; 8 came on,
// 16 taken off, 32 entry closed) and minutes (h3); newest first, 255 none.
struct Statistik_Spieler {
    u32 spieler = 0;
    u16 tore = 0, einsaetze = 0, international = 0, minuten = 0;
    u8 h1[8];
    u16 h2[8];
    u8 spiele[16];
    u8 h3[16];
};
template <class V, bytes::Art<Statistik_Spieler> S>
constexpr void felder(V& v, S& r) {
    v(r.spieler), v(r.tore), v(r.einsaetze), v(r.international), v(r.minuten), v(r.h1), v(r.h2), v(r.spiele), v(r.h3);
}
constexpr u32 STATISTIK_SPIELER_GROESSE = 68;
static_assert(bytes::groesse<Statistik_Spieler>() == STATISTIK_SPIELER_GROESSE);
// A career counter stops here (65535 stands for "no change" in an update).
constexpr u16 STATISTIK_ZAEHLER_MAX = 65534;
// A match history entry: the grade bits, coming on, taken off and the
// entry closed (at most 63), or 255 for none.
constexpr u8 STATISTIK_SPIEL_BITS_MAX = 7 | 8 | 16 | 32;
// The range of every number of a career record a save brings back (the
// match history's entries are checked beside it: 0..63 or 255).
inline constexpr Feld_Grenze<Statistik_Spieler> STATISTIK_SPIELER_FELDER[] = {
    FELD_GRENZE(Statistik_Spieler, spieler, 0, 2147483647),  // a player's number
    FELD_GRENZE(Statistik_Spieler, tore, 0, STATISTIK_ZAEHLER_MAX),
    FELD_GRENZE(Statistik_Spieler, einsaetze, 0, STATISTIK_ZAEHLER_MAX),
    FELD_GRENZE(Statistik_Spieler, international, 0, STATISTIK_ZAEHLER_MAX),
    FELD_GRENZE(Statistik_Spieler, minuten, 0, STATISTIK_ZAEHLER_MAX),
};
// True when a career record read from a save lies within its ranges.
bool Statistik_Spieler_Gueltig(const Statistik_Spieler& s);
// An update that changes nothing (goals -1, other counters 65535, the first
// history entries 255 / 65535); set the fields that change.
Statistik_Spieler Statistik_Spieler_Unveraendert(i32 spieler);
// Applies an update: counters added, histories moved back with the new
// value first, the match history's grade entry closed; a player without a
// record gets one only with `anlegen`. False when nothing was applied.
bool Statistik_Spieler_Setze(i32 spieler, const Statistik_Spieler& neu, bool anlegen);
bool Statistik_Spieler_Get(i32 spieler, Statistik_Spieler* aus);
// The index of the player's record in the records sorted by player number;
// -1 when he has none.
i32 Statistik_Spieler_Suche(i32 spieler);
bool Statistik_Spieler_Loesche(i32 spieler);
void Statistik_Spieler_Leeren();
// A game's start and end: the career records and the archive of the
// seasons before are emptied (a new game starts without those of the last).
void Statistik_Init();
void Statistik_Free();
// Before a match: appearances (+ international ones) of the team's line-up.
void Spiele_Setze_Eingesetzte_Spieler_Gesamtstatistik_Vor_Spiel(i32 wettbewerb, i32 team);

// A team's titles: the competitions it won and the seasons, newest season
// first (within a season in the order of the competition table), from the
// current season + 30 down to the first; one competition or all
// (-1). Returns the count, at most `max`.
struct Statistik_Titel {
    i32 wettbewerb;  // the competition's base id
    i32 jahr;
};
int Statistik_Team_Titel(i32 team, i32 wettbewerb, Statistik_Titel* aus, int max);

struct Datei_Status;
// Save part of the career records: u32 count, u32 capacity, then the
// records (68 bytes each) by rising player number; staged while loading.
bool Statistik_Spieler_Save(Datei_Status* datei);
bool Statistik_Spieler_Lesen(Datei_Status* datei);
void Statistik_Spieler_Uebernehmen();
void Statistik_Spieler_Verwerfen();
// The statistics save block: the season archive, then the career records.
// An empty block (a game saved before the block existed) loads as empty
// statistics.
bool Statistik_Save(Datei_Status* datei);
bool Statistik_Lesen(Datei_Status* datei);
void Statistik_Uebernehmen();
void Statistik_Verwerfen();

// The head-to-head of a pairing in a competition (-1: all), at most its ten
// latest results: "Bilanz: 2 Siege, 1 Unentschieden, 0 Niederlagen" (from
// the first team's view; with `tauschen` from the second's) and
// "Ergebnisse: 2:1,0:0,3:1" (home goals first, newest first). False, and
// both texts empty, when the two never met.
bool Statistik_Bilanz_Text(i32 wettbewerb, i32 team_a, i32 team_b, std::string* text1, std::string* text2,
                           bool tauschen);
