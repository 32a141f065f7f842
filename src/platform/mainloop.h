// Program entry, start-up, main loop, frame and shutdown.
//
// Start-up: W32_Init_Window, Main_Startup_Checks (sound, folder table,
// resource archives), the intro program, W32_Init_Display,
// Main_Init_Fonts_Network. The main loop repeats until the quit state is 2:
// drain the messages, pump the network, and run one frame (W32_Frame) while
// the window is active or wait for the next event while it is not.
// Shutdown: compression tables, resource archives, the count of memory
// blocks still allocated, the display, the closing intro program.
#pragma once

#include <ctime>

#include "base/types.h"

// Fixed time step of a run without window that follows an input script
// (milliseconds per frame); the millisecond clock moves on by this much a frame.
constexpr u32 HEADLESS_ZEITSCHRITT_MS = 20;
// Shortest frame in a window (at most 100 frames a second when the display
// does not wait for its refresh).
constexpr u32 FENSTER_MIN_FRAME_MS = 10;
// At the fastest speed (Main_Hooks.Schnellster_Lauf) the passes run without
// waiting and a frame is composed and presented only when it is shown: in a
// window once this many milliseconds of real time have passed since the last
// shown one (the display's refresh), without a window every
// SCHNELL_HEADLESS_JEDER-th pass (a fixed count, so a script's run is the
// same every time). A frame that asks for a screenshot is always shown.
constexpr u32 SCHNELL_BILD_MS = 16;
constexpr u32 SCHNELL_HEADLESS_JEDER = 16;

// Recorded at start: the local time and the system's name and version.
extern std::tm Main_Startzeit;
extern char Main_Systemversion[160];

// The whole program (the role of WinMain): start-up, main loop, shutdown.
// Returns the exit code: 0, or 1 after a fatal start-up error (a German
// message has been shown). Reads the environment: KORDAVO_HEADLESS,
// KORDAVO_SCRIPT (input script of a headless run).
int Main_Programm(int argc, char** argv);

// Start-up steps; false ends the program.
bool Main_Startup_Checks();
bool Main_Init_Fonts_Network();

// One pass of the main loop: messages, network, then a frame or a wait.
void Main_Schleife_Durchgang();
// Runs passes until the quit state is 2.
void Main_Schleife();

// The network step of each pass, by network role: nothing in single play;
// a client runs 12 passes of the connection pump; a server 2 passes, the
// server's receive work, 2 more passes.
void Main_Network_Pump();
// Once a frame: a server answers what its clients sent, a client reads the
// server's packet, then the game's state machine runs once.
void Main_Frame_Dispatch();
// Releases fonts, the darkening table and sound (end of the game).
void Main_Free_Grafik_Sound();

// One frame: measure the time step, take the input in, run the frame
// dispatcher, draw the video overlay, present the screen.
void W32_Frame();
// Drains every pending message (window events and posted messages, socket
// events included), runs Main_Network_Pump once and resets the frame time
// base. Waiting loops call it over and over.
void W32_Message_Pump();
// False while a frame runs that will not be shown (the fastest speed): the
// screen is then left as it is and nothing need be drawn. True between frames.
bool W32_Frame_Gezeigt();
// Frames composed and presented so far (each shown frame counts once).
u32 W32_Frame_Gezeigt_Anzahl();
// Milliseconds between the last two frames.
u32 W32_Frame_Zeitschritt();
// Frames run so far.
u32 W32_Frame_Anzahl();
// The real time in milliseconds: monotonic, never the fixed step of a
// headless run (W32_Get_Time may be either).
u32 W32_Echtzeit_Ms();
