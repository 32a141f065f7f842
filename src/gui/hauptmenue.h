// The frame of play around the screens: the main menu of the active human
// manager (header with the two teams of the day, the dialog bar with its four
// pop-up menus, the end-of-turn button), the requester and the match control
// bar shown under a running match.
#pragma once

#include <string>

#include "base/types.h"

struct Bnk_Video;

struct Rastport;

struct Screen_Icon;

// Icon numbers of the frame of play.
enum : i16 {
    ICON_DIALOG_RAHMEN = 701,
    ICON_DIALOG_TEAM = 702,  // 702..705: the four dialog buttons
    ICON_DIALOG_SPIEL = 705,
    ICON_ZUGZEIT = 706,
    ICON_ZUG_ENDE = 707,
    ICON_KOPF_BILD = 708,
    ICON_KOPF_ZEILEN = 709,
    ICON_KOPF_WAPPEN = 710,
    ICON_KOPF_GELD = 711,
    ICON_REQ_SEITE = 712,
    ICON_REQ_KNOPF_1 = 713,
    ICON_REQ_KNOPF_2 = 714,
    ICON_REQ_DIMMER = 715,
    ICON_LEISTE_ERSTER = 716,  // 716..724: replay, pause, fast, table, results, line-up, tactics, load, save
    ICON_LEISTE_WIEDERHOLUNG = 716,
    ICON_LEISTE_PAUSE = 717,
    ICON_LEISTE_SCHNELL = 718,
    ICON_LEISTE_TABELLE = 719,
    ICON_LEISTE_ERGEBNISSE = 720,
    ICON_LEISTE_AUFSTELLUNG = 721,
    ICON_LEISTE_TAKTIK = 722,
    ICON_LEISTE_LADEN = 723,
    ICON_LEISTE_SPEICHERN = 724,
    ICON_LEISTE_LETZTER = 724,
    ICON_LEISTE_VORSPULEN = 725,
    ICON_LEISTE_RAHMEN = 726,
    ICON_SPIEL_BILD = 727,  // the running match's overview behind the control bar
    ICON_DIALOG_FANG = 728,  // under an open pop-up: a click beside it closes it
};

// The calls the frame of play makes into the layers beside and above it;
// the defaults do nothing (no opponent, a full line-up, the turn ends at once).
struct Hauptmenue_Hooks {
    // Today's opponent of the team (the next fixture's once today's game is
    // played; -1: none) and whether the team plays away.
    i32 (*gegner)(i32 team, bool* auswaerts) = [](i32, bool*) { return -1; };
    // Asks the calendar to end the active manager's day.
    void (*zug_ende)() = [] {};
    // Opens a screen of the launch table (button 0..3, entry 0..5; button
    // MENUE_LAUNCH_LEISTE: the match control bar, entry = its button 0..8);
    // false when no such screen exists yet.
    bool (*screen_starten)(i32 knopf, i32 eintrag) = [](i32, i32) { return false; };
    // Closes the screen of a launch entry when it is open; false when it was not.
    bool (*screen_schliessen)(i32 knopf, i32 eintrag) = [](i32, i32) { return false; };
    // The active manager's menu animation (off: a pop-up opens in one tick).
    bool (*animation)() = [] { return true; };
    // The competition of the team's match of the day (-1: none).
    i32 (*wettbewerb)(i32 team) = [](i32) { return -1; };
    // Whether a competition's matches have a home side (a cup without home
    // right has none: the header names the team itself first).
    bool (*heimrecht)(i32 wettbewerb) = [](i32) { return true; };
    // The result of the team's match today once it is over, the goals of
    // the side the header shows left first (the home side; without home
    // right the team itself), and its mark after extra time or a shoot-out
    // ("" none); false while it is still to come or there is none.
    bool (*ergebnis)(i32 team, i32 tore[2], const char** zusatz) = [](i32, i32*, const char**) { return false; };
    // Several managers take their turns at this machine (each hand-over
    // then tells whose turn it is).
    bool (*am_selben_rechner)() = [] { return false; };
};
void Hauptmenue_Set_Hooks(const Hauptmenue_Hooks& h);
// The match control bar's buttons as launch button 4 of the screens' table.
constexpr i32 MENUE_LAUNCH_LEISTE = 4;
// Opens the screen of a launch entry through the hook; false when none.
bool Menue_Screen_Starten(i32 knopf, i32 eintrag);
bool Menue_Screen_Schliessen(i32 knopf, i32 eintrag);

// --- Main menu ----------------------------------------------------------------
// Makes the team the active one (opponent and home/away flag of the day).
void Menue_Set_Aktiver_Manager(i32 team);
// Background, header and dialog bar of the active manager.
void Menue_Hauptmenue_Zeigen();
// Hands the main menu's pictures to the graphics workers ahead of its first
// frame (called while a new game is made).
void Menue_Hauptmenue_Vorab();
// Puts the header's lines, crest and money line (709..711) back on the
// screen unless one of them is there.
void Menue_Kopf_Zeigen();
// Hands the controls to the team's manager and shows its main menu.
void Menue_Manager_Wechsel(i32 team);
// Ends the active manager's turn.
void Menue_Zug_Beenden();
// The end-of-turn button: fewer than 11 players in the line-up ask first.
void Menue_Zug_Beenden_Klick(Screen_Icon* icon, u32 ereignis);
// The dialog buttons 702..705: open, close, launch an entry.
void Menue_Dialog_Klick(Screen_Icon* icon, u32 ereignis);
// The entry (0..) under the mouse of an open dialog button, -1 for none.
i32 Menue_Dialog_Eintrag(i32 knopf);
// The screen texts of the frame of play (section "MENUE_SCREEN").
const char* Menue_Text(i32 n);

// --- Requester ------------------------------------------------------------------
using Requester_Prozedur = void (*)(i32 anzahl, const i32* liste);
constexpr i32 REQUESTER_JA_NEIN = 2;
constexpr i32 REQUESTER_OK = 1;
// Shows a modal message for the team: kind 2 with two buttons (defaults
// "Ja" / "Nein"), any other kind with one button (default "OK", also a right
// click anywhere). A button removes the requester and calls its procedure
// with its list (up to 50 numbers).
void Menue_Requester(i32 art, i32 team, const char* text, const char* knopf1, const char* knopf2, Requester_Prozedur p1,
                     Requester_Prozedur p2, i32 n1 = 0, const i32* l1 = nullptr, i32 n2 = 0, const i32* l2 = nullptr);
// The symbol (1..4, 0 none) the next requester shows beside the crest: the
// random events' questions carry one. Taken by the next Menue_Requester.
constexpr i32 REQUESTER_SYMBOLE = 4;
void Menue_Requester_Symbol(i32 symbol);
bool Menue_Requester_Offen();
// Adds the open requester again (its icons were removed with the screen).
void Menue_Requester_Wieder_Zeigen();
// Click procedure of the requester's buttons.
void Menue_Requester_Knopf(Screen_Icon* icon, u32 ereignis);

// --- Match control bar ------------------------------------------------------------
void Menue_Kontrollleiste_Zeigen();
void Menue_Kontrollleiste_Klick(Screen_Icon* icon, u32 ereignis);
// Each frame while a match of a manager at this machine is played without
// a live view: the overview of his match (clubs, score, minute, progress,
// players) under the control bar, with the menu engine's input.
void Menue_Spiel_Warten();
// The match shown by it: the active manager's, else another running match
// of a manager at this machine; null when none runs.
struct Spielfeld_Daten;
Spielfeld_Daten* Menue_Laufendes_Spiel();
void Menue_Set_Spiel_Pause(bool erzwungen);
bool Menue_Get_Spiel_Pause();
// Sets the live match's pause.
void Menue_Spiel_Pause_Setzen(bool an);

// --- Load and save ------------------------------------------------------------------
// Asks first, then loads the slot (-1: the one used last, slot 1 when none);
// a load that fails keeps the running game and says why.
void Menue_Laden_Fragen(i32 slot = -1);
// Saves into the slot used last (slot 1 when none); a failure is shown.
void Menue_Speichern();
// "Dieser Bereich ist noch im Aufbau." for a screen that does not exist yet.
void Menue_Im_Aufbau();

// --- Header lines, turn clock, background video ---------------------------------------
// A screen text with its "%d" and "%s" replaced (never used as a format).
std::string Menue_Text_Fuellen(const char* text, i32 zahl, const char* wort);
// The series line of a team for a venue (0 home, 1 away, 2 none): the next
// series kind of two or more matches after the one shown last, or the
// "no series" line; without an opponent " (Liga)" replaces the full stop.
std::string Menue_Serien_Text(i32 team, i32 ort, bool mit_gegner);
// The header's series line of side s (0 left, 1 right) as it is drawn.
const std::string& Menue_Kopf_Serie(i32 seite);
// An amount with thousands dots and the euro sign.
std::string Menue_Geld_Text(f64 betrag);
// "Kontostand danach: <amount>": the team's balance after money was spent
// or lent, told with the step that moved it.
std::string Menue_Kontostand_Danach(i32 team);
void Menue_Geld_Zeichnen(Screen_Icon* icon, Rastport* rp, i32 x, i32 y);
// The time left of a limited turn, in its warning colour for the last 20 s.
void Menue_Zugzeit_Zeichnen(Screen_Icon* icon, Rastport* rp, i32 x, i32 y);
// A progress box centred on the screen (caption, bar at the percent held to
// 0..100), shown at once.
void Menue_Fortschritt(const char* text, i32 prozent);
// The mode icons of a network client: in the bottom bar while the menu is
// shown and no match, else (blinking only) in the corner; `blinken` makes
// them alternate every 100 ms.
void Menue_Modus_Zeichnen(i32 blinken);
// The menu's background video: on 1 / off 0 / -1 as it is; pause 1 / 0.
// Off, the clip goes back to its first frame and stands still, kept: on
// again for a manager of the same league it starts as if opened anew,
// without reading it again (a change of turns does this every time).
void Menue_Hintergrund_Video(i32 an, i32 pause);
bool Menue_Hintergrund_Video_Laeuft();
// The clip kept (on or resting), null without one.
const Bnk_Video* Menue_Hintergrund_Clip();
