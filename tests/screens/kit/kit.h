// The screen test kit: every screen test drives the real program headless
// through it.
//
//   kit::Starten(2);                 // a new game with two human managers, main menu up
//   kit::Klick(570, 580);            // dialog button "Spiel"
//   ASSERT_TRUE(Screen_Oeffnen(Screen_Id::OPTIONEN));
//   kit::Frames(2);
//   EXPECT_TRUE(kit::Text("Optionen"));
//   kit::Png("optionen");
//   kit::Beenden();
//
// - The clock is the kit's own: it moves only by Frames/Warten (ms).
// - Input is scripted: mouse moves, presses, releases, clicks, drags, the
//   wheel and typed keys; each step runs frames of the menu engine
//   (Menue_Tick: the screen is drawn, then the input checked).
// - The draw trace is on: texts (font, colour, place, visible text), blits
//   (graphic number, place), sounds and videos are asked through it.
// - Messages to the player are recorded (and shown as the game shows them:
//   in the requester); a requester is answered by clicking its buttons.
// - Probe reads a pixel of the screen; Png writes the screen.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"
#include "graphics/zeichenspur.h"
#include "platform/input.h"

namespace kit {

// A game folder of its own, the program's wiring headless, a new game from
// the shipped world with `menschen` human managers (1 to 4, on the clubs
// that follow the first one's) run until the first manager's main menu is
// up. False when any step fails.
bool Starten(int menschen = 2);
// Only the frame of the game: wiring, archives, fonts and texts, the menu
// engine empty (for tests that bring their own icons).
bool Starten_Ohne_Spiel();
void Beenden();
// The game folder of the running test.
const std::string& Ordner();

// --- Clock and frames ----------------------------------------------------------
u32 Jetzt();
// Moves the clock on without a frame.
void Warten(u32 ms);
// n frames of `ms` each: clock, input latched, Menue_Tick.
void Frames(int n = 1, u32 ms = 10);

// --- Input (each step runs one frame) ------------------------------------------------
void Maus(i32 x, i32 y);
void Druecken(u32 taste = MAUS_LINKS);
void Loslassen(u32 taste = MAUS_LINKS);
// Move there, press, release (a frame after each).
void Klick(i32 x, i32 y, u32 taste = MAUS_LINKS);
// Press at (x0, y0), move in steps to (x1, y1), release there.
void Ziehen(i32 x0, i32 y0, i32 x1, i32 y1, int schritte = 4);
void Rad(i32 rasten);
// Types the characters (Windows-1252), one frame each.
void Tippen(const char* text);
// A key (virtual key code) pressed and released.
void Taste(u32 vk);

// Opens dialog button `knopf` (0..3: icons 702..705) of the main menu and
// clicks its entry `eintrag`, as a player does. False when the button or
// the entry cannot be reached.
bool Hauptmenue_Eintrag(int knopf, int eintrag);

// --- Recorders ---------------------------------------------------------------------
// Every message shown to the player since the start (or the last Leeren).
const std::vector<std::string>& Meldungen();
void Meldungen_Leeren();
bool Requester_Offen();
// Clicks "yes" (the first button) or "no"; a one-button requester is
// answered by its button either way.
void Requester_Antworten(bool ja);
// Sounds asked for since the trace was last emptied.
std::vector<i32> Klaenge();

// --- Draw trace and screen ----------------------------------------------------------
// Empties the trace (a frame after it shows what that frame drew).
void Spur_Leeren();
// The first text drawn whose visible characters contain `teil`, or null.
const Zeichenspur_Eintrag* Text(const char* teil);
// Every text drawn whose visible characters contain `teil`, in drawing order.
std::vector<const Zeichenspur_Eintrag*> Texte(const char* teil);
// The first such text drawn with its bottom at y, or null.
const Zeichenspur_Eintrag* Text_Auf_Zeile(const char* teil, i32 y);
// Whether the picture seen at (x, y) of the screen is graphic `grafik`.
bool Grafik_Bei(i32 grafik, i32 x, i32 y);
// The screen's pixel (565).
u16 Probe(i32 x, i32 y);
// A hash of the whole screen (FNV-1a over its pixels), for the few places
// where the picture itself is the point.
u64 Hash();
// Writes the screen as <build>/screens/<name>.png; its path, empty on failure.
std::string Png(const std::string& name);

}  // namespace kit
