// Playing whole matches without the season: a small fixture table and a
// driver that steps a pitch exactly as the matchday runner does (halves,
// stoppage time, the shoot-out kick by kick). Used by the match simulator
// tool, the benchmarks and the tests.
#pragma once

#include <string>
#include <vector>

#include "match/spielfeld.h"

// One recorded event of the fixture (player numbers, minute 1..).
struct Partie_Ereignis {
    i32 spieler;
    i32 zweiter;
    u32 flags;
    u8 minute;
};

// Registers a game of the fixture table (replaces one with the same number).
void Partie_Spiel_Anmelden(u32 spiel, u32 heim, u32 gast, u32 wettbewerb);
void Partie_Spiele_Leeren();
// The engine's hooks of the fixture table and the event recorder, on top of
// the installed ones: what the tools, benchmarks and fuzz targets that play
// a match alone install (Spielfeld_Set_Hooks(Partie_Hooks())).
Spielfeld_Hooks Partie_Hooks();
// The events recorded for a game since it was registered.
const std::vector<Partie_Ereignis>& Partie_Ereignisse(u32 spiel);

struct Partie_Optionen {
    int halbzeit_minuten = 45;
    // Extra time after a draw: its halves (0 none) and their length; with the
    // golden goal the first goal in extra time ends the match.
    int verlaengerung_halbzeiten = 0;
    int verlaengerung_minuten = 15;
    bool golden_goal = false;
    bool elfmeterschiessen = false;  // a match still drawn is decided from the spot
};

// What the driver sees happen on the pitch, step by step (regular time only
// for the slices: 0..2 the first half in 15-minute slices, stoppage time in
// the last, 3..5 the second).
struct Partie_Zaehler {
    int abseits = 0;
    int elfer_gegeben = 0;
    int tore_ohne_schuss = 0;  // goals where no shot was in flight, own goals aside
    int tore_abschnitt[6] = {};
};

struct Partie_Ergebnis {
    int tore[2] = {0, 0};
    int elfer_tore[2] = {0, 0};
    int elfer_schuesse[2] = {0, 0};
    int ticks = 0;
    bool verlaengerung = false;  // extra time was played
    bool golden_goal = false;    // a golden goal decided it
    bool ok = false;
    Partie_Zaehler zaehler;
};

// Plays the pitch of a game from its current state to the end.
Partie_Ergebnis Partie_Spielen(u32 spiel, const Partie_Optionen& o);
// Steps one pitch once as the runner would (end test included); false when
// the half or match is over. In a golden-goal half the runner ends play as
// soon as the score is no longer level.
bool Partie_Schritt(Spielfeld_Daten* sf, int halbzeit_ende_minute, bool golden_goal = false,
                    Partie_Zaehler* zaehler = nullptr);
// The minute a half (1, 2, ... counting the extra halves) ends.
int Partie_Halbzeit_Ende(const Partie_Optionen& o, int halbzeit);

// Figures over many matches.
struct Partie_Figuren {
    int spiele = 0;
    int tore = 0;
    int heimsiege = 0, remis = 0, auswaertssiege = 0, null_null = 0;
    int gelb = 0, gelbrot = 0, rot = 0;
    int elfer = 0, elfer_tore = 0, elfer_gegeben = 0;
    int schiessen_kicks = 0, schiessen_tore = 0;
    int ab_6 = 0, meiste_tore = 0;  // matches with a side scoring 6 or more; most goals of one side
    int eigentore = 0, kopftore = 0, tore_ohne_schuss = 0;
    int schuesse = 0, aufs_tor = 0, ecken = 0, fouls = 0, abseits = 0;
    int tore_abschnitt[6] = {};
    int verlaengerungen = 0, golden_goals = 0;
    // Matches whose events disagree with the score, goals without a scorer,
    // events of a player after his sending-off.
    int falsche_ereignisse = 0, ohne_schuetze = 0, vom_platz_dabei = 0;
    i64 besitz_heim = 0, besitz_alle = 0;
    int ergebnis[8][8] = {};  // score lines up to 7:7
    // Wins of the stronger side by strength margin (buckets of stufe_breite on 0..999).
    int stufe_breite = 50;
    int stufe_spiele[6] = {}, stufe_siege[6] = {}, stufe_niederlagen[6] = {};
    void aufnehmen(const Spielfeld_Daten* sf, const std::vector<Partie_Ereignis>& ev, const Partie_Ergebnis& e);
    // One row per measure, with the band real football gives where there is one.
    std::string text() const;
};

// A run of many matches: the clubs, random pairings or the home-and-away
// series over them, and a seed that with the match number picks each match's
// random stream.
struct Partie_Lauf {
    std::vector<u32> vereine;
    bool zufaellig = false;
    u32 saat = 1;
    long long spiele = 1000;
    int stufe_breite = 50;  // of the strength-margin buckets
    Partie_Optionen optionen;
};
// Plays a run and gathers its figures; erstes (may be null) sees the first
// match before its pitch is cleared.
Partie_Figuren Partie_Lauf_Spielen(const Partie_Lauf& lauf,
                                   void (*erstes)(u32 spiel, u32 heim, u32 gast, const Partie_Ergebnis& e) = nullptr);
// The clubs of a league (country * 10 + level, liga >= 0), of one level in
// every country (ebene >= 1), or of the whole world (both < 0), in team order.
std::vector<u32> Vereine_Waehlen(int liga, int ebene);

// Clubs of a league (the clubs of one country on one level; key country * 10
// + level) in team order; the league with the most clubs.
std::vector<u32> Liga_Vereine(int liga);
int Liga_Groesste();
// The k-th pairing of a long series over the clubs: every club meets every
// other at home and away, the return leg right after the first, the pairs
// in rounds in which every club plays once (a bye with an odd number). Any
// stretch of the series plays every club about as often at home as away
// and as often as the others: a series in the clubs' order had played a
// level's first clubs at home against all the rest before the others had
// a home match, and a run shorter than the series counted the first
// clubs' home advantage alone.
void Liga_Paarung(const std::vector<u32>& vereine, int k, u32* heim, u32* gast);

// The event list of a game as text rows (UTF-8).
std::string Partie_Ereignisliste(u32 spiel);
