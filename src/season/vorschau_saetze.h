// Pre-match remarks: up to N short sentences about a club (its runs, how it
// scores and concedes, when its goals fall, its record against the
// opponent) for the page before the menu. The sentence texts are formats
// of the screen texts' miscellaneous section, entries 13 to 137; a format
// is used only when its conversions fit the values its sentence supplies,
// and every sentence is cut to its buffer.
#pragma once

#include <cstddef>

#include "base/types.h"

// One value of a sentence: a text or a whole number.
struct Satz_Wert {
    const char* text = nullptr;  // null: the number
    i64 zahl = 0;
};

// True when `format` uses only %%, and conversions %d / %i / %u (numbers)
// and %s (texts) with flags, a width and a precision of at most two digits
// each, in the order of `typen` ("s" text, "d" number), and no more of
// them than `typen` names. A text without conversions always passes.
bool Satz_Format_Pruefen(const char* format, const char* typen);
// Formats a checked format into `aus` (at most `groesse` bytes including
// the end mark); runs of blanks become one and a blank before . , ! ? or
// the end is dropped (empty phrases leave no gaps). False, with an empty
// text, when the format does not pass the check.
bool Satz_Formatieren(char* aus, size_t groesse, const char* format, const char* typen, const Satz_Wert* werte);
// The value types of each sentence entry (13 to 137); null for entries no
// sentence formats.
const char* Vorschau_Typen(i32 eintrag);

// The screen texts' miscellaneous section (filled by src/main; the default
// gives the empty text).
void Vorschau_Set_Texte(const char* (*text)(i32 eintrag));
// Checks every sentence format of the text table; the number of the first
// entry that does not fit, -1 when all do.
i32 Vorschau_Formate_Pruefen();

// What one call looks at (gathered by Statistik_Vorschau_Saetze, or given by a test).
struct Vorschau_Eingaben {
    const u32* statistik = nullptr;  // the 842-word team statistics of team 1
    const char* name1 = "";
    const char* name2 = "";
    bool team2 = false;
    bool wettbewerb = false;  // a competition was given
    i32 siege = -1, remis = -1, niederlagen = -1;  // head-to-head, -1 unknown
    bool serien1_ok = false, serien2_ok = false;
    u32 serien1[7] = {}, serien2[7] = {};
    i32 spalte1 = 2, spalte2 = 2;  // series column: 0 home, 1 away, 2 all
    i32 ort_phrase = 0;            // 0 no game, 1 team 1 is team A, 2 team B
    // The example game at a plan position: own goals, opponent's goals and
    // the opponent's name; false when there is none.
    bool (*beispiel)(i32 position, i32* eigene, i32* gegner, const char** name) = nullptr;
};
// The sentences for given inputs into `anzahl` buffers of `groesse` bytes.
i32 Vorschau_Saetze(const Vorschau_Eingaben& e, char* const* puffer, i32 anzahl, size_t groesse);

// The sentences about team 1 (competition -1 all, team 2 -1 none, venue -1
// none / 1 home / 2 away / 3 all, game a fixture handle or 0/-1) into
// `anzahl` buffers of `groesse` bytes; the number written.
i32 Statistik_Vorschau_Saetze(i32 wettbewerb, i32 team1, i32 team2, i32 ort, i32 spiel, char* const* puffer,
                              i32 anzahl, size_t groesse);
