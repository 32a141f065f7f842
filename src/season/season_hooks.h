// Calls the season makes upwards: into the menu engine and the screens, into
// the matchday and the modules beside it (match engine, news, rankings,
// events, arbiter, statistics, announcements), and the network client's
// remote call. The world data below is called directly. Every entry has its
// default in the struct: a do-nothing function that holds no state. Each
// table is installed whole, once, by src/main (`Season_Gui_Set_Hooks({...})`
// and the like); tests install fakes the same way and put the defaults back
// with `{}` (or Season_Hooks_Zuruecksetzen for all three). Modules read the
// installed tables through the const references Season_Gui, Season_Module
// and Season_Netz.
#pragma once

#include <cstdint>

#include "base/types.h"

// The defaults that do something: the new-game wizard finishes at once and
// asks nothing (wizard byte 0); the load key queues the load at once.
bool Season_Spielstart_Sofort(int arg, uint8_t* wizard_byte);
// The automatic line-up of a team with the automatic bit set (the default
// of Season_Gui_Hooks.Auto_Aufstellung).
void Season_Auto_Aufstellung(int team);
void Season_Laden_Sofort(int slot);

// The menu engine, the screens, sound and video (all optional headless).
struct Season_Gui_Hooks {
    // Resolves a screen text id such as "*7"; null when no text table.
    const char* (*Text)(const char* id) = [](const char*) -> const char* { return nullptr; };
    void (*Texte_Laden)() = [] {};
    void (*Texte_Free)() = [] {};
    void (*Menue_Init)() = [] {};
    void (*Menue_Free)() = [] {};
    void (*Menue_Tick)() = [] {};
    // The new-game wizard: true when the set-up is finished; the wizard
    // byte is written through the pointer (may be null). The default
    // finishes at once (a headless game).
    bool (*Spielstart_Pruefen)(int arg, uint8_t* wizard_byte) = Season_Spielstart_Sofort;
    void (*Menue_Manager_Wechsel)(int team) = [](int) {};
    void (*Menue_Set_Aktiver_Manager)(int team) = [](int) {};
    void (*Blt_Cache_Leeren)() = [] {};
    void (*Backsound_Update)() = [] {};
    void (*Backsound_Pause)(int on) = [](int) {};
    void (*Sound_Free)() = [] {};
    // Screen-presence checks of the run loop: icon number on the screen,
    // a modal screen up.
    bool (*Icon_Auf_Screen)(int icon) = [](int) { return false; };
    bool (*Modal_Screen)() = [] { return false; };
    // Input: a key or click waiting, the typed character, reset.
    bool (*Taste_Oder_Klick)() = [] { return false; };
    int (*Taste_Get_Zeichen)() = [] { return 0; };
    void (*Taste_Reset)() = [] {};
    void (*Maus_Update)() = [] {};
    int (*Maus_X)() = [] { return 0; };
    int (*Maus_Y)() = [] { return 0; };
    int (*Maus_Tasten)() = [] { return 0; };
    // The menu's background video (on: 1 on, 0 off, -1 unchanged; pause:
    // 1 pause, 0 resume), all videos paused (1) or resumed (0), all sound
    // effects stopped.
    void (*Menue_Hintergrund_Video)(int an, int pause) = [](int, int) {};
    void (*Bnk_Pause_Alle)(int pause) = [](int) {};
    void (*Sound_Alle_Stoppen)() = [] {};
    // Ends the active manager's turn as his end-of-turn button does (the
    // turn timer ran out).
    void (*Menue_Zug_Beenden)() = [] {};
    // A progress box with its caption and percent (0 to 100) shown at once
    // (a save or a load takes its moment).
    void (*Fortschritt)(const char* text, int prozent) = [](const char*, int) {};
    // The load key: asks the manager before the slot is loaded (the default
    // queues the load at once).
    void (*Spielstand_Laden_Fragen)(int slot) = Season_Laden_Sofort;
    // Turns: the bottom-bar mode icons of a network client (blink flag)
    // and the turn clock.
    void (*Kalender_Blit_Modus)(int blinken) = [](int) {};
    // default kept: the main menu's clock field draws the turn clock with the menu (Menue_Zugzeit_Zeichnen).
    void (*Kalender_Blit_Zugzeit)() = [] {};
    // The rankings were sorted anew: the ranking, table and overview screens
    // redraw what they show.
    void (*Rangliste_Screens_Auffrischen)() = [] {};
    // A shown match reached its break and the manager wants the pause at
    // half time (option 8): the match stops for him.
    void (*Spiel_Anhalten)() = [] {};
    // Each frame while a match of a manager at this machine is played
    // without a live view: the frame shown meanwhile (the match's overview
    // under the control bar).
    void (*Spiel_Warten)() = [] {};
    // The hidden key mode: Shift held; the end-of-turn button greyed (on)
    // or not; the diagnosis screen and the network read test of the player
    // data (none in a build without them).
    bool (*Taste_Shift)() = [] { return false; };
    void (*Menue_Set_Icon707_Status)(bool an) = [](bool) {};
    void (*Diagnose_Screen_Init)() = [] {};
    void (*Netz_Lesetest)() = [] {};
    // Continuous play's line-up of a managed club: the squad screen's own
    // switch to the automatic line-up (its button lit, the automatic bit
    // set); the default builds the line-up and sets the bit.
    void (*Auto_Aufstellung)(int team) = Season_Auto_Aufstellung;
};

// The matchday and the match engine, which stand above the season: the
// calendar and the run loop call them in their fixed order. The season's own
// modules (news, rankings, events, arbiter, statistics, announcements) are
// called directly.
struct Season_Module_Hooks {
    void (*Spieltag_Init)() = [] {};
    void (*Spieltag_DeInit)() = [] {};
    void (*Spieltag_Vorbereiten)() = [] {};
    // True while a fixture of today's running-match table is not finished.
    bool (*Spieltag_Spiele_Offen)() = [] { return false; };
    // True while a match of today's table has kicked off and is not done.
    bool (*Spieltag_Spiel_Angepfiffen)() = [] { return false; };
    // Prepares the next group of today's matches.
    void (*Spieltag_Naechste_Gruppe)() = [] {};
    // One pass of the matchday runner; true while matches are running.
    bool (*Spieltag_Run)(int arg) = [](int) { return false; };
    // default kept: the matchday runner frees its pitches with itself (Spieltag_DeInit, the next release step).
    void (*Spielfeld_Free)() = [] {};
    // The competitions' yearly set-up and daily work (season cycle).
    void (*Wettbewerb_Jedes_Jahr)() = [] {};
    void (*Wettbewerb_Jeden_Tag)() = [] {};
    // The season change on 3 July (not on the first day of a game).
    void (*Saison_Wechsel)() = [] {};
    // Matchday: the team has a match today that is not done yet (a match
    // played already is announced no more, also after a load); the runner's
    // no-match flag; the live match display.
    bool (*Spieltag_Team_Offen)(int team) = [](int) { return false; };
    bool (*Spieltag_Kein_Spiel)() = [] { return false; };
    // default kept: the match screen's picture steps the live view once a frame (Season_Gui.Spiel_Warten).
    void (*Spielfeld_Anzeige_Refresh)() = [] {};
    // Clears the matchday runner's no-match flag (client cache reset).
    void (*Spieltag_Kein_Spiel_Loeschen)() = [] {};
    // The team's match of today has started and is not done yet: no turn
    // is handed out to its manager meanwhile.
    bool (*Spieltag_Team_Im_Spiel)(int team) = [](int) { return false; };
    // The team has a match today that is not done: the current announcement
    // is set from it.
    bool (*Spieltag_Team_Offen_Ankuendigen)(int team) = [](int) { return false; };
    // Today's opponent of a team (-1 none), whether it plays away and the
    // competition of that game (-1 none).
    int (*Spieltag_Get_Gegner)(int team, bool* auswaerts, int* wettbewerb) = [](int, bool* auswaerts, int* wettbewerb) {
        if (auswaerts) *auswaerts = false;
        if (wettbewerb) *wettbewerb = -1;
        return -1;
    };
    // The match engine's fast flag (the hidden key mode).
    void (*Spielfeld_Set_Fast)(int an) = [](int) {};
};

// Network play (the remote calls themselves are the typed calls of
// season/netz_rufe.h): the server sends the start teams
// to its clients (each pass of normal play); a client, at the end of the
// wizard, resets the stadium data, refreshes the active team's advertising
// and bank data and resets the other teams' user-active marks.
struct Season_Netz_Hooks {
    void (*Startteams_Senden)() = [] {};
    void (*Client_Teamdaten_Abgleichen)() = [] {};
    // A server: every client still there has ended its turns of today.
    bool (*Clients_Fertig)() = [] { return true; };
    // A server: the turn clock has run out; every client still in its turns
    // of today ends them as if its manager had pressed "Weiter".
    void (*Clients_Zug_Beenden)() = [] {};
    // A server: the real time in milliseconds (monotonic), on which a
    // client's turn and the matchday's patience with a client (its kick-off,
    // its match) are bounded: a client's manager sits at another machine,
    // so his time runs in real time even where this machine's clocks run
    // fixed-step. The default stands still (no client bound runs out).
    u32 (*Echtzeit_Ms)() = [] { return 0u; };
};

void Season_Gui_Set_Hooks(const Season_Gui_Hooks& h);
void Season_Module_Set_Hooks(const Season_Module_Hooks& h);
void Season_Netz_Set_Hooks(const Season_Netz_Hooks& h);
extern const Season_Gui_Hooks& Season_Gui;
extern const Season_Module_Hooks& Season_Module;
extern const Season_Netz_Hooks& Season_Netz;

// Restores every table to its defaults (tests use this).
void Season_Hooks_Zuruecksetzen();
