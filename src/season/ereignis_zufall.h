// Random events: fan riots, series bonuses and penalties, players' habits
// and talents, crowd euphoria, the moods of the players' union. They are
// described in "ereignis.cfg" of the configuration set (category, texts,
// two values, a sound); the list is read at a new game and is not part of
// the save game. Every draw comes from the shared random table, so server,
// clients and a reloaded game pick the same event.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

enum Ereignis_Kategorie : i32 {
    EREIGNIS_RANDALE = 0,
    EREIGNIS_SERIEN_SIEGE = 1,
    EREIGNIS_SERIEN_NIEDERLAGEN = 2,
    EREIGNIS_NEGATIVES_ATTRIBUT_WEG = 3,
    EREIGNIS_TRAINING_BEENDET = 4,
    EREIGNIS_NEGATIVES_ATTRIBUT_DAZU = 5,
    EREIGNIS_ZUSCHAUER_EUPHORIE = 6,
    EREIGNIS_NICHT_EINGESETZT = 7,
    EREIGNIS_GEWERKSCHAFT_UNZUFRIEDEN = 8,
    EREIGNIS_GEWERKSCHAFT_ZUFRIEDEN = 9,
    EREIGNIS_TALENT_ERLERNBAR = 10,
    EREIGNIS_TALENT_NICHT_ERLERNBAR = 11,
    EREIGNIS_GEWERKSCHAFT_WAHL = 12,
    EREIGNIS_MAXSTAERKE_VERAENDERT = 13,
};
constexpr i32 EREIGNIS_KATEGORIEN = 14;
constexpr u32 EREIGNIS_TEXT_MAX = 300;  // characters of TEXT, JA_TEXT, NEIN_TEXT
constexpr i32 EREIGNIS_MAX = 1000;

// Message codes of the reader.
constexpr int EREIGNIS_W_TEXT_DOPPELT = 801;  // a second text of one kind in an event
constexpr int EREIGNIS_W_FORMAT = 802;        // a text with a conversion other than %s, %d, %%
constexpr int EREIGNIS_E_BEFEHL = 902;        // unknown keyword

// An event as read (number = its place in the file, counted from 0).
struct Ereignis {
    std::string text, ja_text, nein_text;
    i32 kategorie = -1, wert1 = 0, wert2 = 0, sound = 0;
};

void Ereignis_Init();  // a new game: reads configuration set 0, the counts at 0
void Ereignis_Free();
// Reads "ereignis.cfg" of the set; a missing file leaves the list empty
// (false). Events without a valid category are dropped.
bool Ereignis_Laden(int set);
// The same for a text held in memory (tests, tools).
bool Ereignis_Laden_Text(const char* text, u32 laenge);
i32 Ereignis_Anzahl();
// The event of that number, null when none.
const Ereignis* Ereignis_Get(i32 nummer);
// A random event of the category (its number), -1 when none: at the lowest
// difficulty none before day 90.
i32 Ereignis_Zufall(i32 kategorie);

// What the events have done since the new game (tools measure their rates):
// the matches of managed clubs and the days that gave them a chance, and per
// category the texts and the questions (offers) posted.
struct Ereignis_Zahlen {
    i64 spiele = 0, tage = 0;
    i64 texte[EREIGNIS_KATEGORIEN] = {};
    i64 fragen[EREIGNIS_KATEGORIEN] = {};
    i32 erste_frage_tag = -1;  // the day index of the first question, -1 none yet
};
const Ereignis_Zahlen& Ereignis_Get_Zahlen();
// The category's name as "ereignis.cfg" writes it, "" for none.
const char* Ereignis_Kategorie_Name(i32 kategorie);

// Fills an event text: each %s or %d takes the next argument as it stands
// (a missing one stays empty), %% gives %. The text never reaches printf.
std::string Ereignis_Text(const std::string& format, const std::vector<std::string>& argumente);

// After a match of a managed team (side 0 home, 1 away): offers to remove a
// bad habit, to finish a training or to raise a player's maximum strength
// (questions the arbiter hands back to Ereignis_Antwort), a new bad habit,
// and a riot after a home defeat (comfort lost, a fine).
void Ereignis_Nach_Spiel(i32 team, i32 seite, i32 tore_heim, i32 tore_gast);

// Series of a managed team after its match: a bonus (income) for a series of
// wins, a penalty (expense) for a series of defeats, when the length is a
// multiple of 5 and the table allows it; after a series of three or more a
// talent may open to a player (fewer than 3 defeats) or close to one.
void Ereignis_Serie(i32 team, i32 siege, i32 niederlagen);
// A strong, fit player of a managed team who hardly played lately loses
// morale (from the match's evaluation, for each player of the match).
void Ereignis_Spieler_Nach_Spiel(i32 team, i32 spieler);
// True when the player has or may get the attribute and each of its
// prerequisites, down the whole chain.
bool Ereignis_Attribut_Moeglich(i32 spieler, i32 attribut);
// The daily events: crowd euphoria; after the first year the union's
// election and moods. Every draw comes from the random table.
void Ereignis_Jeden_Tag();

// An accepted offer (the question's data block, handed back by the arbiter):
// word 1 the team, 2 the player, 4 the category, 5 the attribute or the new
// value, 6 the event, 7 the price, 9 the answer. Nothing happens when the
// event is gone or the answer is no.
struct News_Daten;
void Ereignis_Antwort(const News_Daten& d);

