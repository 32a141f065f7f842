// Mouse and keyboard of the game.
//
// The window back end (or the input script of a headless run) reports what
// happens through the Eingabe_* functions; the game reads the state of the
// current frame through Maus_* and Taste_*. Positions are pixels of the
// 800x600 game area, whatever the size of the window.
#pragma once

#include "base/types.h"

constexpr u32 MAUS_LINKS = 1;
constexpr u32 MAUS_RECHTS = 2;

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------

// The right-click lock: a screen sets it after acting on a right click. While
// it is set and the right button is held, Maus_Get_Tasten gives 0 (the left
// button reads as released too); a call with the right button up clears it.
extern u32 Maus_Rechts_Sperre;

// Latches the mouse for this pass: position, buttons held, buttons pressed
// since the previous latch, wheel notches. Further calls before new input
// has been taken in (the next frame or message pump) change nothing, so the
// several callers of one pass see the same state.
void Maus_Update();
i32 Maus_Get_X();
i32 Maus_Get_Y();
// Buttons of the current frame (1 left, 2 right): the buttons held, or when
// none is held the buttons pressed since the previous latch (a click between
// two frames is not lost); reading that latch consumes it. Honours the
// right-click lock.
u32 Maus_Get_Tasten();
// The click of the current pass: the buttons pressed since the previous
// latch when none is held now, else 0. Reading it consumes nothing, so a
// click whose latch an earlier reader of Maus_Get_Tasten took in the same
// pass is still seen.
u32 Maus_Get_Klick();
// Buttons held right now (bit 0 left, bit 1 right), without latch or lock.
u32 W32_Get_Mouse_Buttons();
// True when x <= mouse x <= x + w and y <= mouse y <= y + h.
bool Maus_In_Rechteck(i32 x, i32 y, i32 w, i32 h);
// Wheel notches of the current frame (positive: turned away from the user),
// until Maus_Rad_Reset.
i32 Maus_Get_Rad();
void Maus_Rad_Reset();

// A picture as Maus_Ueber_Bitmap looks at it: the graphics layer's drawing
// surface hands its size, mask plane and pixels over in this form.
struct Maus_Bild_Sicht {
    i32 breite = 0;
    i32 hoehe = 0;
    const u8* maske = nullptr;    // 1-bit plane, bit n = y * breite + x, byte n / 8, bit 1 << (n % 8)
    const void* pixel = nullptr;  // rows of `pitch` pixels of `tiefe` bits
    i32 tiefe = 16;               // 8, 15 or 16 are looked at; other depths never hit
    i32 pitch = 0;                // pixels per row; 0 means breite
};
// True when the mouse lies inside the picture drawn at (x, y) (right and
// bottom edges excluded) and over a pixel its mask marks, or, without a
// mask, over a non-zero pixel; a picture without pixels counts as hit.
// (Maus_Ueber_Bitmap of the graphics layer passes its surface through this.)
bool Maus_Ueber_Bild(const Maus_Bild_Sicht& bild, i32 x, i32 y);

// ---------------------------------------------------------------------------
// Keyboard
// ---------------------------------------------------------------------------

// True when a typed character or key is waiting in this frame, or, when
// `auch_klick` is set, when a mouse button went down since the latch.
bool Taste_Oder_Klick(u32 auch_klick = 0);
// The typed character (Windows-1252) of this frame, letters folded to lower
// case when Shift was not held as it was typed; 0 when none.
u8 Taste_Get_Zeichen();
// The virtual-key code (keys.h) of this frame; 0 when none.
u32 Taste_Get_Code();
// True while a Shift key is held.
bool Taste_Shift();
// Clears this frame's key (the game does so at the end of every pass).
void Taste_Reset();
// Waits (keeping the message loop and the network running) until no key is
// held and none is waiting, then until a key is pressed; returns its
// character, or its key code when it types none. Returns 0 at once when the
// program is asked to quit meanwhile.
u32 Taste_Warten();

// ---------------------------------------------------------------------------
// Input from the back ends
// ---------------------------------------------------------------------------

// Keys typed faster than the frames run wait in a queue of this many entries
// (one key per frame reaches the game); further keys are dropped.
constexpr u32 TASTEN_PUFFER = 64;

void Eingabe_Maus_Position(i32 x, i32 y);  // game pixels, clamped into the game area
void Eingabe_Maus_Taste(u32 taste, bool gedrueckt);
void Eingabe_Maus_Rad(i32 rasten);
// A key went down (also auto-repeat) or up. A key that types text is then
// completed by the following Eingabe_Zeichen.
void Eingabe_Taste(u32 vk, bool gedrueckt);
// A typed character (Windows-1252), typed with Shift held (1), without (0)
// or as Shift is held now (-1).
void Eingabe_Zeichen(u8 zeichen, i32 shift = -1);
// Typed text in UTF-8 (SDL text input); characters without a Windows-1252
// byte are dropped.
void Eingabe_Text_Utf8(const char* text);
// Called once a frame before the game runs: the next waiting key becomes
// this frame's key (or none).
void Eingabe_Frame_Abtasten();
// Marks that new input has been taken in, so that the next Maus_Update
// latches afresh (the message pump calls it).
void Eingabe_Neuer_Durchgang();
// Everything released and cleared (start-up, tests).
void Eingabe_Zuruecksetzen();
// Any key held right now.
bool Eingabe_Taste_Gehalten();
