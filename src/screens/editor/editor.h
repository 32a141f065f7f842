// The data editor: the world's clubs and players reworked before a game.
// The left list shows every club (by name, or by country and league) and
// the transfer market; the right list the chosen club's squad or the
// market's players. Club names and the player values (number, position,
// initial, name, stars, maximum stars, matches) are edited in place with a
// Tab walk through the columns; clubs swap leagues and players swap clubs
// by marking one and clicking the other; a player's nationality is chosen
// by continent and country. Buttons at the foot write the world back as
// configuration text, read it again, or leave the editor for the start
// screen. From the rows open the attribute edit, the look page and the
// crest and kits page.
//
// Opened from the start screen (Screen_Id::EDITOR) after the world was
// loaded; the competitions stay in their edit mode while it is open.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_EDITOR_RAHMEN = 3631,
    ICON_EDITOR_HINTERGRUND = 3632,
    ICON_EDITOR_TEAM_KNOPF = 3633,
    ICON_EDITOR_TEAM_BALKEN = 3634,
    ICON_EDITOR_TEAM = 3635,     // 3635..3654: the club rows
    ICON_EDITOR_SPIELER = 3655,  // 3655..3674: the player rows
    ICON_EDITOR_SORT_NAME = 3675,
    ICON_EDITOR_SORT_LAND = 3676,
    ICON_EDITOR_SPIELER_BALKEN = 3677,
    ICON_EDITOR_SPIELER_KNOPF = 3678,
    ICON_EDITOR_TEAM_MARKE = 3679,     // the marked club (user word 0: the club, -1 none)
    ICON_EDITOR_SPIELER_MARKE = 3680,  // the marked player (user words: player, his club)
    ICON_EDITOR_KONTINENT = 3681,      // 3681..3695: the continents of the nationality chooser
    ICON_EDITOR_LAND = 3696,           // 3696..3720: its countries
    ICON_EDITOR_MARKT = 3721,          // the transfer market without scout players
    ICON_EDITOR_SCOUTS = 3722,         // the scout players
    ICON_EDITOR_SPEICHERN = 3723,
    ICON_EDITOR_NEU_LADEN = 3724,
    ICON_EDITOR_BEENDEN = 3725,
    ICON_EDITOR_EINGABE = 3726,  // draws the edit field over the rows
    ICON_EDITOR_KONTINENT_TITEL = 3733,
    ICON_EDITOR_LAND_TITEL = 3734,
};
constexpr i32 EDITOR_ZEILEN = 20;
constexpr i32 EDITOR_KONTINENTE = 15;
constexpr i32 EDITOR_LAENDER = 25;
constexpr i32 EDITOR_ZEILE_Y0 = 116, EDITOR_ZEILE_H = 17;
constexpr i32 EDITOR_TEAM_X = 8, EDITOR_SPIELER_X = 382;
constexpr i32 EDITOR_MARKT_MAX = 1700;
// The info text of the files the editor writes.
inline constexpr const char* EDITOR_INFOTEXT = "test01";

// What the edit field edits.
enum Editor_Feld : i32 {
    FELD_NUMMER = 74,
    FELD_POSITION = 67,
    FELD_INITIAL = 64,
    FELD_NAME = 63,
    FELD_STERNE = 92,
    FELD_MAXSTERNE = 97,
    FELD_SPIELE = 55,
    FELD_TEAMNAME = 721,
};
// The Tab walk's columns, in order.
inline constexpr i32 EDITOR_SPALTEN[7] = {FELD_NUMMER, FELD_POSITION, FELD_INITIAL, FELD_NAME,
                                          FELD_STERNE, FELD_MAXSTERNE, FELD_SPIELE};
inline constexpr i32 EDITOR_SPALTEN_X[7] = {396, 420, 449, 467, 557, 572, 600};

struct Editor_Eingabefeld {
    bool aktiv = false;
    i32 spieler = -1, team = -1;
    i32 wert = 0;  // Editor_Feld
    i32 x = 0, y = 0;
    char puffer[64] = {};
    i32 laenge = 0;  // the most characters
    bool ziffern = false;
    bool tab = false;  // the Tab walk is on
    i32 spalte = 0;    // 0..6
};

struct Editor_Zustand {
    std::vector<i32> teams;  // every club but the transfer market, in the list's order
    i32 team_erster = 0;
    i32 sortierung = 0;  // 0 name up, 1 name down, 2 country, league, name
    i32 team = -1;       // the club whose players are listed (the transfer market for its lists)
    i32 markt = -1;      // -1 a club, 0 the market without scouts, 1 the scouts
    std::vector<i32> spieler;
    i32 spieler_erster = 0;
    Editor_Eingabefeld feld;
    i32 kontinent_zahl[EDITOR_KONTINENTE] = {};
    // Nationality chooser: the player, the continent whose countries are shown (-1 none).
    i32 wahl_spieler = -1, wahl_kontinent = -1;
    std::vector<i32> wahl_laender;
    std::string fehler;  // the last refusal shown to the user
};
Editor_Zustand& Editor_Get_Zustand();

Screen_Def Editor_Screen_Def();
void Editor_Screen_Init();
void Editor_Screen_Schliessen();

// Lists.
void Editor_Teamliste(i32 erster, i32 sortierung);
void Editor_Spielerliste(i32 team);
void Editor_Transfermarkt_Liste(i32 erster, i32 art);
// Sorts club numbers as the list does (0 name up, 1 down, 2 country, league, name).
void Editor_Teams_Sortieren(std::vector<i32>& teams, i32 sortierung);
void Editor_Team_Scrollen(Screen_Icon* knopf, i32 index, u32 ereignis);
void Editor_Spieler_Scrollen(Screen_Icon* knopf, i32 index, u32 ereignis);
// The continent of a player's nationality as the chooser groups it.
i32 Editor_Kontinent_Von_Spieler(i32 spieler);

// The edit field.
void Editor_Feld_Beginnen(i32 wert, i32 spieler, i32 team, i32 x, i32 y);
void Editor_Feld_Zuruecksetzen();
// Takes the field's text over into the record; false (with the German
// reason in the state's `fehler`, shown to the user) when it is refused.
bool Editor_Eingabe_Uebernehmen();
void Editor_Tab_Weiter(bool rueckwaerts);
// The per-frame editing (keys, steppers).
void Editor_Eingabe();

// What a key does to the field being edited.
enum class Editor_Tastenwirkung : u8 {
    KEINE,
    UEBERNEHMEN,  // Return: the value taken over
    WEITER,       // Tab: taken over, on to the next field
    ZURUECK,      // Shift+Tab: taken over, back to the previous field
    VERWERFEN,    // Escape: the edit dropped
    HOCH,         // cursor up: a stepped value one up
    RUNTER,       // cursor down: one down
};
// The editor's keyboard: what this frame's key does to the field. A text
// field that ran this frame already read the key; its result (Return, Tab,
// Shift+Tab or Escape, Eingabefeld_Bearbeiten) comes first. Otherwise the
// key code itself, Tab with Shift held going back. Both the editor's lists
// and the crest and kits page read their keys through it.
Editor_Tastenwirkung Editor_Taste(i32 feld_ergebnis, u32 code, bool shift);
// The same for this frame's key and Shift.
Editor_Tastenwirkung Editor_Taste(i32 feld_ergebnis);

// The values' rules (pure).
i32 Editor_Sterne_Schritt(i32 sterne, i32 max, bool hoch);
i32 Editor_Maxsterne_Schritt(i32 max, i32 sterne, bool hoch);
i32 Editor_Maxsterne_Aus_Eingabe(i32 eingabe, i32 sterne);
// Whether the font of the lists has every character of the text and the
// text is neither empty nor longer than `max`; the reason otherwise.
bool Editor_Name_Pruefen(const char* text, i32 max, std::string* grund);
// Sets the position class and the attribute states that follow from it.
void Editor_Position_Setzen(i32 spieler, i32 klasse);

// The chooser.
void Editor_Wahl_Oeffnen(i32 spieler);
void Editor_Wahl_Schliessen();
void Editor_Wahl_Kontinent(i32 kontinent);

// The buttons' work (what the yes answers run).
// Writes teams, players and competitions of the world's set; the old files
// stay whole when any of them cannot be written. False with the message shown.
bool Editor_Speichern();
bool Editor_Neu_Laden();
void Editor_Beenden();
// A page over the whole editor hides its icons while it is up (nothing of
// the editor is drawn or hit beneath it) and shows them again.
void Editor_Verdecken(bool verdecken);
// The world's set the editor reads and writes.
i32 Editor_Satz();

// The icons' procedures.
void Editor_Team_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Spieler_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Transfermarkt_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Team_Marke_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Spieler_Marke_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Sort_Name(Screen_Icon* icon, u32 ereignis);
void Editor_Sort_Land(Screen_Icon* icon, u32 ereignis);
void Editor_Kontinent_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Land_Klick(Screen_Icon* icon, u32 ereignis);
void Editor_Speichern_Frage(Screen_Icon* icon, u32 ereignis);
void Editor_Neu_Laden_Frage(Screen_Icon* icon, u32 ereignis);
void Editor_Beenden_Frage(Screen_Icon* icon, u32 ereignis);
void Editor_Hintergrund_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Rahmen_Text(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Team_Zeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Spieler_Zeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Team_Marke_Zeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Spieler_Marke_Zeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Transfermarkt_Zeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Kontinent_Zeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Land_Zeile(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Editor_Eingabe_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
const char* Editor_Team_Hilfe(Screen_Icon* icon);
