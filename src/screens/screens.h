// The screens' home: one record per screen, registered once at start-up
// (screens/anmelden.cpp), opened and closed by id. A screen opens another
// by its id, never by calling its functions; the main menu's launch table
// and every other way in go through Screen_Oeffnen.
#pragma once

#include "base/types.h"
#include "gui/icon_bereiche.h"

// Every screen, one line each.
enum class Screen_Id : i32 {
    OPTIONEN,
    KADER,
    LADEN,
    SPEICHERN,
    BANK,
    FINANZEN,
    WETTBEWERB_TABELLE,
    SPIELSTART,
    IM_SPIEL_AUFSTELLUNG,  // the in-match line-up windows
    IM_SPIEL_TAKTIK,       // the in-match tactics window
    KADER_ANSICHT,
    TAKTIK,
    // The transfer market.
    TRANSFER,
    SCOUTING,
    TRAININGSPLAN,
    TALENTE,
    TRAININGSFILM,
    TRAININGSLAGER,
    TRAININGSLAGER_LAUF,
    STADION,
    WERBUNG,
    WETTBEWERB_ERGEBNISSE,
    WETTBEWERB_UEBERSICHT,
    RANGLISTE,
    // The data editor and its pages; the diagnostic page; the attribute
    // choice that takes the popup's place after the cheat.
    EDITOR,
    EDITOR_ATTRIBUTE,
    EDITOR_AUSSEHEN,
    EDITOR_WAPPEN,
    ATTRIBUT_WAHL,
    ATTRIBUT_POPUP,    // one player's special attributes beside the mouse
    SPIEL_TABELLE,     // the floating table window over a match
    SPIEL_ERGEBNISSE,  // the floating results window over a match
    DIAGNOSE,          // the developers' balance page
    SPIELERKARTE,      // one player's card over the screen that lists him
    ANZAHL
};

// What a screen that shows one player is opened for: the player, his club,
// the mouse place it was asked at, how it shows him (the card's and the
// talents screen's modes; -1: as suits a player of that club) and the
// attribute it is about (the training film's). The training camp's run
// opens for its camp (`lager`), a player of none.
struct Screen_Anlass {
    i32 spieler = -1;
    i32 team = -1;
    i32 x = 0, y = 0;
    i32 modus = -1;
    i32 attribut = -1;
    i32 lager = -1;
};

struct Screen_Def {
    const char* name = nullptr;
    Icon_Besitzer icons = Icon_Besitzer::ANZAHL;  // the range it owns (gui/icon_bereiche.h)
    i16 rahmen = -1;                              // frame icon: opening does nothing while it is on the screen
    bool arbeitsflaeche = false;                  // a main-menu screen: clears the work area first
    // A screen one looks into in passing (the options): closed, the
    // main-menu screen it was opened over comes back.
    bool zurueck = false;
    void (*oeffnen)() = nullptr;                  // adds its tables, resolves its texts
    void (*schliessen)() = nullptr;               // null: every icon of its range is taken off
    // A screen that shows one player: opens for him, or, already open, shows him.
    void (*oeffnen_fuer)(const Screen_Anlass& anlass) = nullptr;
};

// Registers a screen (a second registration replaces the first).
void Screen_Registrieren(Screen_Id id, const Screen_Def& def);
const Screen_Def* Screen_Holen(Screen_Id id);
// Opens the screen. False when it is not registered or already open.
bool Screen_Oeffnen(Screen_Id id);
// Opens the screen over the one shown, whose icons stay (the load list over
// the start screen). False as Screen_Oeffnen.
bool Screen_Oeffnen_Darueber(Screen_Id id);
// Opens a one-player screen for the player of `anlass`; an open one shows
// him. False when the screen is not registered or shows no player.
bool Screen_Oeffnen_Fuer(Screen_Id id, const Screen_Anlass& anlass);
// Closes the screen; one that comes back from (`zurueck`) opens the
// main-menu screen it was opened over again.
void Screen_Schliessen(Screen_Id id);
// Whether its frame icon is on the screen.
bool Screen_Offen(Screen_Id id);
// Forgets every registration and launch entry (tests).
void Screens_Zuruecksetzen();

// The launch table: button 0..3 of the main menu's dialog bar (icons
// 702..705), entry 0..5; button 4 (MENUE_LAUNCH_LEISTE) the match control
// bar, entry = its button 0..8 (icons 716..724; 3 table, 4 results,
// 5 line-up, 6 tactics).
void Screen_Launch_Eintragen(i32 knopf, i32 eintrag, Screen_Id id);
// Opens the screen of a launch entry; false when the entry has none.
bool Screen_Launch(i32 knopf, i32 eintrag);
// Closes the screen of a launch entry when it is open; false when it was not.
bool Screen_Launch_Schliessen(i32 knopf, i32 eintrag);

// The work area a main-menu screen clears (everything above the dialog bar).
constexpr i32 ARBEITSFLAECHE_X1 = 799, ARBEITSFLAECHE_Y1 = 565;

// --- Calls of the screens into layers above them ------------------------------------
//
// Installed whole by the program at start-up; the defaults stand for a game
// without a network layer.
struct Screens_Hooks {
    // Opens this game as a network server; true when it listens (the role is
    // single play again when not).
    bool (*server_oeffnen)() = [] { return false; };
    // Closes the server's listening connection; the role becomes single play.
    void (*server_schliessen)() = [] {};
    // The address a server listens on.
    void (*lokale_adresse)(u8 adresse[4]) = [](u8 adresse[4]) { adresse[0] = adresse[1] = adresse[2] = adresse[3] = 0; };
    // The start screen's network. Tests whether a server answers at the
    // address; with `warten` the outcome (1 answered), else 0 at once.
    i32 (*server_pruefen)(const i32 adresse[4], bool warten) = [](const i32*, bool) { return 0; };
    // Starts the search of every last octet 0..254 of the address's network.
    void (*suche_starten)(const i32 adresse[4]) = [](const i32*) {};
    // The search's state: -1 a server answered (its address written back),
    // else the number of addresses still open (their last octets to `offen`,
    // 255 bytes).
    i32 (*suche_stand)(i32 adresse[4], u8* offen) = [](i32*, u8*) { return 0; };
    // Opens the role's connection (a server listens, a client connects to
    // the address); false when it failed and the role is single play again.
    bool (*verbinden)(const i32 adresse[4]) = [](const i32*) { return false; };
};
void Screens_Set_Hooks(const Screens_Hooks& h);
const Screens_Hooks& Screens_Hooks_Holen();
