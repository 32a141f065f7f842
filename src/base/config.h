// The configuration-file reader and the writer helper of the data editor.
//
// Configuration files are UTF-8 text on disk; the reader converts them to the
// game's Windows-1252 as it loads them. Open files and texts form a stack of
// nesting levels: every call works on the level opened last, and closing it
// returns to the one below (a file stays open while others are read).
//
// The syntax, the alias files and the checksum are described in
// docs/formats/config-files.md.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

#include "base/types.h"

// File kinds of Read_Config_Open / Read_Config_Get_Filenamen.
enum Config_Art : int {
    CONFIG_TEAM = 0,
    CONFIG_SPIELER = 1,
    CONFIG_WETTBEWERB = 2,
    CONFIG_PERSONAL = 3,
    CONFIG_ZEITPLAN = 4,
    CONFIG_GLOBAL = 5,
    CONFIG_TEXT = 6,
    CONFIG_EREIGNIS = 7,
    CONFIG_WETTBEWERB_ALIAS = 8,
};
constexpr int CONFIG_ART_ANZAHL = 9;

// Deepest nesting of open levels.
constexpr int CONFIG_MAX_EBENEN = 16;
// Longest line; the rest of a longer line is dropped with warning 301.
constexpr u32 CONFIG_MAX_ZEILE = 16000;
// Largest configuration file read.
constexpr u32 CONFIG_MAX_DATEI = 64u * 1024u * 1024u;

// Message codes of the reader itself (callers use 100-102, 200-204 and
// their own).
constexpr int CONFIG_W_ANFUEHRUNG = 300;   // quote not closed
constexpr int CONFIG_W_ZEILE_LANG = 301;   // line too long
constexpr int CONFIG_W_ZAHL = 302;         // not a number
constexpr int CONFIG_W_ALIAS = 303;        // unknown alias name
constexpr int CONFIG_W_ALIAS_DATEI = 304;  // bad line in an alias file
constexpr int CONFIG_W_CHECKSUMME = 305;   // CHECKSUMME value unreadable

// Path of a configuration file in a temporary string: "%s\%d_%s" with the
// "config" folder, set + 1 and the kind's file name (the settings value
// "conf_%d" of the kind may name another file); with `alias` the kind's
// alias companion ("<name>_alias.cfg"). Another kind logs
// "Read_Config_Get_Filenamen: falscher Modus!" and gives null.
char* Read_Config_Get_Filenamen(int art, int set, int alias);

// Opens the file of the kind and set (-1: the set of the level below, or 0)
// as a new level, reads its CHECKSUMME line and loads the alias names of
// the alias set's companion file (-1: the alias names of the level below,
// if any). False when the file cannot be opened (nothing is pushed).
bool Read_Config_Open(int art, int set, int alias_set);
// The same for a file given by its path (game path, '\' or '/'), with an
// optional alias file path (null: the names of the level below).
bool Read_Config_Open_Pfad(const char* pfad, const char* alias_pfad);
// Opens a text held in memory (Windows-1252, copied) as a new level, for
// example a stored comma list read item by item. A kind of -1 names the
// level "speicher" in messages. The alias names are those of the alias set
// (-1: of the level below).
bool Read_Config_Open_Mem(const char* text, u32 laenge, int art, int set, int alias_set);
// Closes the level opened last.
void Read_Config_Close();
// Number of open levels.
int Read_Config_Ebenen();

// Reads the next keyword. Without `nur_schluessel` the keyword is the first
// word of the next line and the rest of the line is its value; with it the
// next single item (ended by a blank, a line end or one of the separators)
// is both keyword and value, and the following call goes on after it on the
// same line. `trenner` (may be null) names extra characters that end a word,
// for example ",". Gives "" at the end (or without an open level). The text
// stays valid until the next call on this level.
const char* Read_Config_Next(const char* trenner, int nur_schluessel);
// The value of the last keyword as text (quotes removed).
const char* Read_Config_Get_String();
// The value as a number: "JA"/"YES" 1, "NEIN"/"NO" 0 (any case), "#name" the
// alias id of the name, otherwise a decimal number. A value that is none of
// these gives warning 302 (the leading number, or 0); an unknown alias
// warning 303 and -1.
i32 Read_Config_Get_Wert();
// Line number (from 1) of the last keyword.
i32 Read_Config_Get_Zeile();

// True when checking is off (no CHECKSUMME line, or the value 0) or the
// checksum of the whole level equals the stored value; `berechnet` (may be
// null) gets the computed checksum.
bool Read_Config_Checksumme_Ok(u32* berechnet);
// Running checksum of the lines passed so far on this level (after reading
// to the end: the checksum of the whole file, as the writer stores it).
u32 Read_Config_Get_Checksumme();
// The checksum of a file on disk, as the reader computes it (0 and false
// when the file cannot be read).
bool Read_Config_Checksumme_Datei(const char* pfad, u32* checksumme);
// The alias name with that id in the level's alias names, or null.
const char* Read_Config_Get_Alias_Name(i32 id);
// The alias id of a name (without '#'); false when unknown.
bool Read_Config_Get_Alias_Id(const char* name, i32* id);

// The name the messages give the current level ("wettbewerb.cfg").
const char* Read_Config_Get_Dateiname();

// Coded messages. The text is laid out as
//   "[%d] Syntax-Error in %s:\n - (%d) %s\n\n"   (codes below 200 and from 900)
//   "[%d] Warning in %s:\n - (%d) %s\n\n"        (codes 200 to 899)
// with line, file name, code and the formatted detail; a line below 0 leaves
// out the "[%d] " part. The result is a temporary string.
char* Read_Config_Meldung_Text(int code, const char* datei, i32 zeile, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
char* Read_Config_Meldung_Text_V(int code, const char* datei, i32 zeile, const char* format, va_list args);
// Formats a message for the current level (its file name and the line of
// the last keyword) and shows it: through the message sink, which by
// default is Meldung_Printf. Errors and warnings are also counted per level.
void Read_Config_Melden(int code, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Errors (codes below 200) and warnings reported on the current level.
int Read_Config_Anzahl_Fehler();
int Read_Config_Anzahl_Warnungen();
// Replaces the message sink (null: back to Meldung_Printf). Tests collect
// the messages this way.
// Each thread has its own open files. While `still` is set for a thread,
// the messages of its reading are only counted (Read_Config_Anzahl_Fehler),
// never shown: for reading ahead on a worker, whose failed file the frame
// reads again to show what is wrong.
void Read_Config_Still(bool still);
// The messages this thread held back since it was made still (on every
// level, also of files it has closed since).
int Read_Config_Still_Meldungen();
using Read_Config_Melder = void (*)(const char* text);
void Read_Config_Set_Melder(Read_Config_Melder melder);

// ---------------------------------------------------------------------------
// Writer helper: the layout of configuration files written by the data
// editor. Texts are Windows-1252 in memory and UTF-8 on disk.
// ---------------------------------------------------------------------------

// A writer that goes out of scope before Config_Schreiber_Schliessen gives
// up (Config_Schreiber_Abbrechen): an early return never leaves a stray
// temporary file behind.
struct Config_Schreiber {
    std::FILE* datei = nullptr;
    std::string pfad;          // path on disk
    std::string temp;          // the file being written (pfad + ".tmp")
    long checksumme_pos = -1;  // file position of the checksum placeholder
    bool fehler = false;

    Config_Schreiber() = default;
    Config_Schreiber(const Config_Schreiber&) = delete;
    Config_Schreiber& operator=(const Config_Schreiber&) = delete;
    ~Config_Schreiber();
};

// Starts writing the file. The text goes into "<pfad>.tmp", which replaces
// the file only when Config_Schreiber_Schliessen succeeds, so an existing
// file stays untouched until the new one is complete. False when the
// temporary file cannot be created.
bool Config_Schreiber_Oeffnen(Config_Schreiber* s, const char* pfad);
// Writes text as it is (comment lines, "\r\n"), converted to UTF-8.
void Config_Schreiber_Text(Config_Schreiber* s, const char* text);
// One key line: a tab, the key padded with blanks to 35 characters (at
// least one blank), the value, CR LF.
void Config_Schreiber_Zeile(Config_Schreiber* s, const char* schluessel, const char* wert);
// The same with a number value.
void Config_Schreiber_Zeile_Zahl(Config_Schreiber* s, const char* schluessel, i64 wert);
// "CHECKSUMME " and a placeholder of 17 blanks and CR LF; the placeholder's
// position is remembered for Config_Schreiber_Schliessen.
void Config_Schreiber_Checksumme_Platzhalter(Config_Schreiber* s);
// Closes the file. When a placeholder was written, the file's checksum is
// computed by the reader and written over it as a signed decimal number
// (the remaining blanks stay). Then the file replaces the old one. True when
// everything was written; otherwise the old file is kept.
bool Config_Schreiber_Schliessen(Config_Schreiber* s);
// Gives up: the temporary file is removed, the old file is kept.
void Config_Schreiber_Abbrechen(Config_Schreiber* s);

// The checksum: FNV-1a (32 bits) over "KEY=VALUE\n" of every key line (see
// docs/formats/config-files.md). Exposed for the tests and tools.
u32 Config_Checksumme_Start();
u32 Config_Checksumme_Zeile(u32 stand, const char* schluessel, const char* wert);
