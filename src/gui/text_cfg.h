// Screen text tables: the German texts of every screen, read from the
// "text.cfg" files of configuration sets 1 to 5 into 27 sections of 200
// entries. Layout of the file: docs/formats/text-cfg.md.
//
// A lookup never gives null: a missing entry is the empty text.
#pragma once

#include "base/types.h"

constexpr i32 TEXT_SEKTIONEN = 27;
constexpr i32 TEXT_EINTRAEGE = 200;
constexpr i32 TEXT_DATEIEN = 5;
constexpr u32 TEXT_BLOCK = 100000;
// A TEXT line is refused once the block holds more than this many bytes.
constexpr u32 TEXT_BLOCK_GRENZE = 99744;

// Section indices (the order of the sections).
enum Text_Sektion : i32 {
    TEXT_SPIELER_INFO = 0,
    TEXT_TRANSFER,
    TEXT_SPIELER_SUCHE,
    TEXT_SPIELER_TRAINING,
    TEXT_SPIELER_TALENTE,
    TEXT_SPIELER_TRAINING2,
    TEXT_TRAININGS_LAGER,
    TEXT_EDITOR,
    TEXT_EINSETZEN_1,
    TEXT_EINSETZEN_2,
    TEXT_BANK,
    TEXT_TAKTIK,
    TEXT_EINSETZEN_IM_SPIEL,
    TEXT_TAKTIK_IM_SPIEL,
    TEXT_DISK,
    TEXT_STADION,
    TEXT_FINANZ,
    TEXT_WERBUNG,
    TEXT_RANGLISTE,
    TEXT_OPTIONEN,
    TEXT_REST,
    TEXT_KALENDER,
    TEXT_TABELLE,
    TEXT_MENUE,
    TEXT_ZUSATZ,
    TEXT_ZUSATZ_DOLV,
    TEXT_ZUSATZ_BEXOT,
};
extern const char* const Text_Sektion_Namen[TEXT_SEKTIONEN];

// The tables; an entry not read is null here (use Text_cfg_Text).
extern const char* Screen_Texte[TEXT_SEKTIONEN][TEXT_EINTRAEGE];

// Frees the old texts and reads files 0..4 (a missing file leaves its
// sections as they are). Afterwards a section that no file filled is
// reported (warning 201). The number of files read.
i32 Text_cfg_Init();
// Reads file n (0..4) of the configuration folder. False when it cannot be
// opened.
bool Text_cfg(i32 n);
// Reads a text held in memory (Windows-1252) as file n; tests and the
// fuzz target use it.
bool Text_cfg_Speicher(const char* text, u32 laenge, i32 n);
// Frees every text; every entry is null again.
void Text_cfg_Free();

// Entry n of a section, or "" when missing or out of range.
const char* Text_cfg_Text(i32 sektion, i32 n);
// A text "*n" becomes entry n of the section; other texts stay. The result
// is never null (null becomes "").
const char* Text_cfg_Aufloesen(const char** text, i32 sektion);
// Entry n for a text "*n", else "".
const char* Text_cfg_Wert(const char* text, i32 sektion);
