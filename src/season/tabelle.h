// The table record of a competition (26,508 bytes; also the answer of the
// packed table call 1010), the arguments of the table builder and of the
// team match statistics, and the records' wire images. The builder itself
// and the statistics are reached through Season_Module (season_hooks.h);
// the fixture database's server rows and the competitions' table
// preparation use what is declared here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/types.h"

constexpr int TABELLE_ZEILEN = 128;
constexpr int TABELLE_RASTER = 5888;  // matchday × 24 + row
constexpr int TABELLE_RASTER_ZEILEN = 24;
constexpr size_t TABELLE_GROESSE = 26508;
constexpr u32 TABELLE_OPTIONEN_VOLL = 1 + 2 + 4 + 8 + 16;

struct Tabelle {
    u32 reihenfolge[TABELLE_ZEILEN];  // order[rank] = row
    u32 vorherige[TABELLE_ZEILEN];    // order without the last matchday, -1
    u32 zeilen;                       // row count (at most 128)
    u32 team[TABELLE_ZEILEN];
    u32 schluessel[TABELLE_ZEILEN];
    u32 spiele[3][TABELLE_ZEILEN];  // variants: all, home, away
    u32 punkte[3][TABELLE_ZEILEN];
    u32 tore[3][TABELLE_ZEILEN];
    u32 gegentore[3][TABELLE_ZEILEN];
    u16 ergebnis[TABELLE_RASTER];  // 0 win, 1 draw, 2 defeat, 0xFFFF none
    u8 heim[TABELLE_RASTER];       // 1 when the row's team was team A
    u8 form[TABELLE_ZEILEN];
    u32 optionen;
    u8 reserviert[512];
    u32 wettbewerb;
};
static_assert(sizeof(Tabelle) == TABELLE_GROESSE, "the table record is 26,508 bytes");
static_assert(offsetof(Tabelle, zeilen) == 1024 && offsetof(Tabelle, spiele) == 2052 &&
                  offsetof(Tabelle, ergebnis) == 8196 && offsetof(Tabelle, heim) == 19972 &&
                  offsetof(Tabelle, form) == 25860 && offsetof(Tabelle, optionen) == 25988 &&
                  offsetof(Tabelle, wettbewerb) == 26504,
              "table layout");

// The little-endian image of a table record, field by field.
void Tabelle_Bild_Schreiben(const Tabelle& t, u8* aus);
void Tabelle_Bild_Lesen(Tabelle& t, const u8* ein);

// Rank (0 first) of a team in a built table; -1 when it has no row.
i32 Tabelle_Rang_Von_Team(const Tabelle& t, i32 team);

// The arguments of one table: matchdays (-1 all), the three-point rule
// (255: the competition's own), option bits, the team of option 32 and of
// the returned key, the spare byte, minute limits (-1 none), forecast and
// all-time flags, the live minute (-1 none).
struct Tabelle_Argumente {
    i32 wettbewerb = -1;
    i32 erster_spieltag = -1;
    i32 letzter_spieltag = -1;
    u8 drei_punkte = 255;
    u32 optionen = TABELLE_OPTIONEN_VOLL;
    i32 team = -1;
    u8 frei = 0;
    i32 erste_minute = -1;
    i32 letzte_minute = -1;
    u8 prognose = 0;
    u8 ewig = 0;
    i32 live_minute = -1;
};

// Builds a table into a record that the caller has prepared
// (Wettbewerb_Get_Tabellen_Teams): the rows' games, points, goals for and
// against (all, home, away), the result and venue grids, form, the order
// by key and the order without the last matchday. Returns the low word of
// the key of the team's row, 0xFFFFFFFF when it has none or when the
// competition has no plan. The all-time table (flag `ewig`) holds the 24
// best teams of the competition's all-time entries, with their wins, draws
// and defeats per variant in the grid area ((3 v + k) x 24 + row).
// Recent tables are cached; any change of a plan's games drops its tables.
u32 Spiele_Get_Tabelle(const Tabelle_Argumente& argumente, Tabelle* tabelle);
// The standings alone, as Spiele_Get_Tabelle gives them (rows, counters,
// keys, order), without the grid, the form and the order before the last
// matchday (left as Wettbewerb_Tabelle_Vorbereiten set them): what a
// match's meaning asks for at every kick-off.
u32 Spiele_Get_Tabelle_Stand(const Tabelle_Argumente& argumente, Tabelle* tabelle);
void Spiele_Tabellen_Cache_Leeren();
void Spiele_Tabellen_Cache_Leeren_Plan(i32 plan);
void Spiele_Tabellen_Cache_Schalter(bool an);

// The sort key of a row: 64 bits, so that no count overflows into another
// (points, then under the two-point rule fewer points lost, then goal
// difference, then goals scored, each by the option bits 1, 2, 4). The
// record keeps its low word in the key field and its high word in the
// first 512 reserved bytes.
u64 Tabelle_Schluessel_Berechnen(u32 optionen, bool drei_punkte, u64 punkte, u64 spiele, u64 tore, u64 gegentore);
u64 Tabelle_Schluessel(const Tabelle& t, u32 zeile);
void Tabelle_Schluessel_Setzen(Tabelle& t, u32 zeile, u64 schluessel);
// Sorts a built table again for other options (points, goals, the venues
// of bits 8 and 16) and the three-point rule: new keys from the rows'
// counters, the order by key (equal keys keep the row order). Tables of
// more than 24 rows are left as they are (false).
bool Spiele_Tabelle_Neu_Sortieren(Tabelle& t, u32 optionen, bool drei_punkte);
// How many results of a kind (0 win, 1 draw, 2 defeat) a row (0..23) has
// in the grid between two matchdays (-1: from the first / to the last), at
// a venue (0 all, 1 home, 2 away).
i32 Spiele_Tabelle_Zaehle_Ergebnisse(const Tabelle& t, u32 zeile, i32 art, i32 erster, i32 letzter, i32 ort);

// Team match statistics (842 words).
constexpr int STATISTIK_WORTE = 842;
constexpr size_t STATISTIK_GROESSE = STATISTIK_WORTE * 4;  // 3,368 bytes
struct Statistik_Argumente {
    i32 team = -1;
    i32 spieler = -1;     // -1 all
    i32 wettbewerb = -1;  // -1 all held this year
    i32 erster_spieltag = -1;
    i32 letzter_spieltag = -1;
    i32 runde = -1;  // leg, -1 all
    i32 ort = 0;     // 0 all; bit 0 home games, bit 1 away games
};
// Clears the record (position fields 828..839 to -1) and asks the
// statistics of Season_Module; true when a game was counted.
bool Spiele_Get_Team_Statistik(const Statistik_Argumente& argumente, u32* ergebnis);
// The counting behind it, into a record already cleared.
bool Spiele_Team_Statistik_Bauen(const Statistik_Argumente& argumente, u32* ergebnis);
// A client's form: the record asked of the server (call 1035); false when no
// game was counted or no answer came.
bool Spiele_Team_Statistik_Holen(const Statistik_Argumente& argumente, u32* ergebnis);

// The general counter over the played games of competitions (each with its
// rounds and groups), matchdays and minutes (-1 open): one row per selector
// of Spieler_Anzahl (player mode) or Team_Anzahl (team mode) counters,
// cleared first. A selector counts the events holding all its flag bits
// (player mode: for the event's player, for the second player when bit 31
// is set; team mode: for the event's team, for its opponent with
// STATISTIK_FUER_GEGNER); in team mode STATISTIK_ZUSCHAUER adds the
// attendance to the home team, STATISTIK_HEIMSPIELE counts home games and
// STATISTIK_SPIELE games of both sides. `seite`: 0 both sides' events,
// bit 0 team A's, bit 1 team B's. False for 0 or more than 10 selectors.
constexpr u32 STATISTIK_ZUSCHAUER = 0x08000000, STATISTIK_HEIMSPIELE = 0x20000000, STATISTIK_SPIELE = 1u << 28,
              STATISTIK_FUER_GEGNER = 1u << 26, STATISTIK_ZWEITER_SPIELER = 1u << 31;
constexpr int STATISTIK_MAX_SELEKTOREN = 10;
bool Spiele_Get_Statistik(bool spieler_modus, const i32* wettbewerbe, int wettbewerb_anzahl, const u32* selektoren,
                          int selektor_anzahl, i32 erster_spieltag, i32 letzter_spieltag, i32 erste_minute,
                          i32 letzte_minute, u32* aus, u32 seite);
