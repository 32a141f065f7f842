// The game's own main loop (`Kalender_Run`), its run modes, the calendar
// commands and the daily tick.
#pragma once

#include <cstdint>

#include "base/types.h"

// Run modes of Kalender_Runmodus.
constexpr i32 RUNMODUS_TAGE_LAUFEN = 0;
constexpr i32 RUNMODUS_SPIEL = 1;
constexpr i32 RUNMODUS_WARTEN_17 = 17;
constexpr i32 RUNMODUS_WARTEN_18 = 18;
constexpr i32 RUNMODUS_NEUES_SPIEL = 20;
constexpr i32 RUNMODUS_ENDE = 21;
constexpr i32 RUNMODUS_SPIELTAG = 22;
constexpr i32 RUNMODUS_WIZARD = 23;
constexpr i32 RUNMODUS_WARTEN_24 = 24;

constexpr int KALENDER_MAX_ZUGLISTE = 1000;  // as many as the world lists human managers

// State of the run loop; the parts that travel with the calendar save block
// are the request bytes, the run mode, the turn-started flag, the turn index,
// count, play time and list.
struct Kalender_Lauf {
    i32 runmodus = RUNMODUS_NEUES_SPIEL;
    u8 neuer_tag = 0;  // 0 idle, 1 advancing, 255 stopped on a matchday
    // The 7-byte request group: load, save, question key, save cancel,
    // reserved, key pending, new day (the new-day byte is `neuer_tag`).
    u8 laden = 0;
    u8 speichern = 0;
    u8 frage_taste = 0;
    u8 speichern_abbruch = 0;
    u8 reserviert = 0;
    u8 taste_wartet = 0;
    i32 zugliste[KALENDER_MAX_ZUGLISTE] = {};
    i32 zug_anzahl = 0;
    i32 zug_index = 0;
    i32 zug_gestartet = 0;
    u8 tag_fertig = 0;
    u32 jetzt = 0;
    u32 zug_start = 0;
    u32 letzte_musik = 0;
    u32 letzter_richter = 0;
    u32 letzte_maus_zeit = 0;
    i32 letzte_maus_x = 0;
    i32 letzte_maus_y = 0;
    i32 automatik = 0;
    i32 spiel_fast = 0;
    i32 spielschritt = 0;
    i32 testschalter = 0;
    i32 zeit_stop = 0;
    i32 engine_fast = 0;
    i32 menue_gezeigt = 0;
    i32 news_pruefen = 0;
    i32 ankuendigung_pruefen = 0;
    u8 links_klick = 0;
    u8 letzte_maustasten = 0;
    // The new-game set-up is finished (or a game was loaded).
    bool spielstart_beendet = false;
    // A network client: when it last asked the server for its date.
    u32 client_frage = 0;
    u32 client_news = 0;  // a waiting client's last look for its news (its pages)
    // The new game's first turn list is drawn; its first manager takes the
    // controls once the days have run on to the day of that turn.
    bool erste_uebergabe = false;
};

Kalender_Lauf& Kalender_Lauf_Get();
// Puts the run loop back to its start state (mode 20).
void Kalender_Lauf_Reset();
// The running game ends and the start screen comes back, single play (a
// client whose server has gone): at the next pass the modules are freed as
// at the end of the game, without ending the program, and a new game begins
// at the start screen.
void Kalender_Zurueck_Zum_Start();

extern i32 Kalender_Runmodus;  // mirrors Kalender_Lauf_Get().runmodus
extern u32 Kalender_Jetzt;

// One pass of the game's main loop (the frame dispatcher calls it).
void Kalender_Run();
// Calendar commands: load or save a slot (queued for the next pass), a save
// that asks first (4: with the reserved flag), the question key, the end of
// a manager's turn (the next manager, or the day advance after the last),
// the day advance.
enum Kalender_Befehl : i32 {
    KALENDER_LADEN = 1,
    KALENDER_SPEICHERN = 2,
    KALENDER_SPEICHERN_FRAGEN = 3,
    KALENDER_SPEICHERN_FRAGEN_RESERVIERT = 4,
    KALENDER_FRAGE_TASTE = 5,
    KALENDER_ZUG_ENDE = 6,
    KALENDER_NEUER_TAG = 7,
};
// 1 when a command was queued for the next pass, else 0.
i32 K_NEUER_TAG(i32 kommando, i32 slot);
void Kalender_Set_Runmodus(i32 modus);
i32 Kalender_Get_Runmodus();
bool Kalender_Ist_Im_Spiel();
void Kalender_Start_Spielzeit();
void Kalender_Clear_Neuer_Tag();
i32 Kalender_Ist_Automatik();
i32 Kalender_Get_Spiel_Fast();
void Kalender_Set_Spiel_Fast(i32 an);
void Kalender_Reset_Spielschritt();
i32 Kalender_Get_Testschalter();
// Sets the news-pass and announcement-check flags.
void Kalender_Flags_Setzen();

// The daily tick: true when the season start has been reached.
u8 Kalender_Jeden_Tag();
// The turn list of the human managers (shuffled through the random table).
void Kalender_Neue_Zugliste();

// The configuration set whose global.cfg a new game loads (src/main sets it
// at start-up), and for headless games without a wizard screen the set
// whose competitions are read when the set-up finishes (-1: none).
void Kalender_Set_Spielstart(int konfig_satz, int wettbewerb_satz = -1, int alias_satz = -1);
// Reads the running game's global.cfg again; false (the old tables kept)
// when it cannot be read.
bool Kalender_Konfig_Neu_Laden();
// The scouts of the start set (no part of a save: a loaded game reads them
// as a new game does).
bool Kalender_Scouts_Laden();
// Path of a save slot in the save folder ("" for a slot outside 0..9).
const char* Kalender_Spielstand_Pfad(int slot);
constexpr int KALENDER_AUTOSAVE_SLOT = 9;
