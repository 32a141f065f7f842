// The main window over SDL2, or no window at all (headless).
//
// Headless: when KORDAVO_HEADLESS=1 is set or no display can be opened the
// program runs without window and sound; the frame loop is the same.
#pragma once

#include <string>

#include "base/types.h"

// The name of the main window's class, handed to the intro program.
extern const char* const W32_FENSTERKLASSE;

// Records the system, decides between window and headless, and creates the
// (still hidden) main window. Returns true with a window, false headless.
bool W32_Init_Window();
// Destroys the window and shuts SDL's video down.
void W32_Close_Window();
// Wakes the window's waiting event loop after a message was posted; does
// nothing without a window or while the loop is not waiting.
void W32_Fenster_Wecken();

// True when running without a window.
bool W32_Ist_Headless();
// Why the last W32_Init_Window could not open the window it was asked for
// (SDL's reason, Windows-1252); empty when it opened one or none was wanted.
const std::string& W32_Fenster_Fehler();
// Forces headless (tests; before W32_Init_Window).
void W32_Set_Headless(bool headless);

// False while the window is minimised or hidden (the main loop then waits
// for events instead of running frames).
bool W32_Fenster_Aktiv();

// Takes every pending window event in: input goes to input.h, closing the
// window posts WM_QUIT, Alt+Enter toggles full screen, F12 asks for a
// screenshot. Without a window it only looks for a termination signal.
void W32_Fenster_Ereignisse();
// Waits up to `ms` milliseconds for a window event or a posted message
// (without a window it sleeps). True when something arrived.
bool W32_Fenster_Warten(u32 ms);

// Handles one SDL event as the event loop does (tests feed events here).
union SDL_Event;
void W32_Sdl_Ereignis(const SDL_Event& e);

// Termination signals (SIGINT, SIGTERM) post WM_QUIT in a run without window.
void W32_Signale_Abfangen();

// Back end of the display (display.cpp).
bool Fenster_Display_Init(i32 farbtiefe);
void Fenster_Present(const u16* puffer, i32 pitch);
void Fenster_Display_Freigeben();
bool Fenster_Vollbild(bool an);
// The window's own drawing area in window coordinates (for mouse mapping).
void Fenster_Groesse(i32* w, i32* h);
// The SDL window (SDL_Window*), or null.
void* Fenster_Sdl();
