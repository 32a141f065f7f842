// Driving the frame loop from a test: no window, a fixed time step, input
// from a script given as text, and the frame buffer to read back.
//
//   Headless_Starten();
//   Main_Set_Hooks({.Kalender_Run = Mein_Screen_Frame});   // or leave the default
//   Headless_Lauf("move 100 100\nclick left\nwait 2\nscreenshot a.png\n", 10);
//   std::vector<u16> bild = Headless_Bildpuffer();
//   Headless_Beenden();
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

// Prepares this process for headless frames: no window, the display at the
// given depth, the millisecond clock replaced by one that moves on by
// HEADLESS_ZEITSCHRITT_MS a frame (starting at 1000), input, messages and
// the quit state cleared, the frame count at 0, no script. May be called
// again to start afresh.
bool Headless_Starten(i32 farbtiefe = 16);
// Loads an input script; the script's frame 0 is the next frame. False (and
// the old script kept) with a German message on a mistake.
bool Headless_Skript(std::string_view text, std::string* fehler = nullptr);
// Runs up to n passes of the main loop (messages, network pump, frame) and
// returns the frames run; stops early once the quit state is 2. The end of
// the script does not end the run (a "quit" command does, when the frame
// hook turns the request into 2, as the default one does).
i32 Headless_Frames(i32 n);
// Headless_Skript and Headless_Frames together; -1 when the script is bad.
i32 Headless_Lauf(std::string_view skript, i32 max_frames);
// True once every command of the script has run.
bool Headless_Skript_Zu_Ende();
// A copy of the frame buffer (800 x 600 pixels, rows one after the other).
std::vector<u16> Headless_Bildpuffer();
// Puts the clock back and releases the display.
void Headless_Beenden();
