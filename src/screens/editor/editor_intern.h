// The editor's parts shared by its files: its texts, its state and the
// helpers its lists, fields, choosers and rows use (the screen and its
// lists in editor.cpp, the edit field in editor_feld.cpp, the nationality
// chooser in editor_wahl.cpp, the rows in editor_zeilen.cpp, saving and
// reloading in editor_speichern.cpp).
#pragma once

#include <vector>

#include "base/types.h"
#include "screens/editor/editor.h"
#include "screens/teile/drossel.h"

struct Move_Struktur;
struct Rastport;
struct Screen_Icon;

namespace editor_intern {
// The club rows: the country column cut at LAND_B, the league column from
// LIGA_X, LIGA_B wide (whole names of the shipped leagues), before the crest
// button at x + 340.
constexpr i32 LAND_B = 82, LIGA_X = 232, LIGA_B = 102;

constexpr i32 SATZ = 0;
constexpr i32 TEAM_NAME_MAX = 24, SPIELER_NAME_MAX = 25;
constexpr u32 STERNE_MS = 200, POSITION_MS = 300, TAB_MS = 150;

// Texts of the editor's section.
enum : i32 {
    T_VEREINE = 0, T_SPIELER = 1, T_LAENDER = 2, T_LIGEN = 3, T_STAERKE = 4, T_DATEN = 5, T_SPIELERLISTE = 6,
    T_SPIELER_GEMERKT = 7, T_TEAM_GEMERKT = 8, T_VEREIN = 9, T_NUMMER = 10, T_POSITION = 11, T_WERTE = 12,
    T_NEU_LADEN = 13, T_SPEICHERN = 14, T_AUSSEHEN = 17, T_JA = 18, T_NEIN = 19, T_GESPEICHERT = 20, T_OK = 21,
    T_SCOUTLISTE = 22, T_BEENDEN = 24, T_TITEL = 31, T_HINWEIS_SPIELER = 34, T_HINWEIS_TEAM = 35,
    T_KONTINENTE = 42, T_LAENDER_WAHL = 43, T_MARKT = 47, T_SCOUTS = 48, T_SPIELE = 49, T_ATTRIBUTE = 50,
    T_SPEICHERN_FEHLER = 51, T_LADEN_FEHLER = 52, T_NAME_LEER = 53, T_NAME_LANG = 54, T_NAME_ZEICHEN = 55,
    T_ZAHL_FEHLT = 56, T_GRENZE = 57, T_INITIAL = 58, T_NATION = 59, T_TIPP_TEAM = 60, T_TIPP_SPIELER = 61,
};

extern Editor_Zustand st;
extern std::vector<i16> verdeckt;  // the editor's icons a page hid
extern Screen_Drossel tab_drossel, sterne_drossel, position_drossel;
extern u32 alte_tasten;
extern Move_Struktur team_scroll, spieler_scroll;

// A text of the editor's section.
const char* text(i32 n);
// Shows or hides an icon of the editor.
void zeigen(i32 n, bool an);
i32 wert(int modus, i32 p);
// The list shows the transfer market.
bool ist_markt();
// The remembered club and player (the markers' user words).
i32 team_marke();
void team_marke_setzen(i32 team);
i32 spieler_marke(i32* team = nullptr);
void spieler_marke_setzen(i32 spieler, i32 team);
// A choice list's title row: its user word 0 names no row.
bool ist_titel(const Screen_Icon* i);
const char* team_name(i32 t);
const char* land_name(i32 t);
int vergleichen(const char* a, const char* b);
void knopf_stellen(i32 knopf, Move_Struktur* s, i32 anzahl, i32 erster);
void zeilen_zeigen();
i32 listen_spieler(i32 zeile);
i32 listen_team(i32 zeile);
void kontinente_zaehlen();
// A number right-aligned at x.
void zahl(Rastport* ziel, i32 x, i32 y, u16 farbe, i32 n);
// The edit field stands on this value of this player.
bool feld_bei(i32 spieler, i32 wert_);

}  // namespace editor_intern
