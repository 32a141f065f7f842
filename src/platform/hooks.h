// Calls from the platform layer up into the higher layers.
//
// The main loop starts sound, opens the resource archives, loads the fonts,
// pumps the network, runs the game's state machine once a frame and draws the
// video overlay, but it must not know those layers. It calls them through
// this table, which starts out filled with do-nothing defaults (the frame
// default draws a plain screen) and is installed whole, once, at start-up by
// the program's registration file (src/main) with Main_Set_Hooks. Tests
// install fakes the same way and restore the defaults with
// Main_Hooks_Zuruecksetzen.
#pragma once

#include <cstdint>

#include "base/types.h"

// The default of Kalender_Run: latches the mouse, turns a quit request into
// leaving the main loop (releasing graphics and sound first), draws a plain
// screen (dark background, colour bars, a cross at the mouse) and clears the
// key state.
void Main_Standard_Frame();

// Every entry is a function; the defaults do nothing (start-up steps
// succeed) and hold no state.
struct Main_Hook_Tabelle {
    // Start-up.
    bool (*Sound_Starten)() = [] { return true; };    // false: only the warning "Kein Sound!"
    bool (*Archive_Oeffnen)() = [] { return true; };  // the 22 resource archives; false ends the program
                                                      // (the opener has shown its own message)
    void (*Video_Init)(u16* pixel, i32 breite, i32 hoehe, i32 farbtiefe) = [](u16*, i32, i32, i32) {
    };                                            // display set-up
    bool (*Fonts_Laden)() = [] { return true; };  // screen bitmap, darkening table, fonts; false ends the program
    bool (*Verbindung_Start)(const char* logdatei, i32 wert) = [](const char*, i32) { return true; };  // network start
    bool (*Verbindung_Get_Local_Host)() = [] { return true; };  // host name, port, local address

    // Main loop and frame.
    void (*Verbindung_Pump)() = [] {};             // one pass of the connection pump
    void (*Verbindung_Server_Clients)() = [] {};   // the server's receive work
    void (*Server_Frame)() = [] {};                // server: answer the blocks of the client slots
    void (*Client_Frame)() = [] {};                // client: read and hand on the server's packet
    void (*Kalender_Run)() = Main_Standard_Frame;  // the game's state machine, once a frame
    void (*Video_Overlay)(u16* pixel, i32 pitch, i32 hoehe) = [](u16*, i32, i32) {};  // before presenting
    // True while play runs at its fastest speed: the frame loop then runs
    // its passes one after the other and composes and presents only some
    // of them (W32_Frame_Gezeigt).
    bool (*Schnellster_Lauf)() = [] { return false; };
    void (*Socket_Event)(uintptr_t socket, u32 ereignisse) = [](uintptr_t, u32) {};   // message 1025
    void (*Fenster_Aktiv)(bool aktiv) = [](bool) {};  // the window was minimised (false) or shown again (true)
    // The window's close: true when the game put a question to the player
    // instead (the program goes on; the answer decides); false ends it.
    bool (*Beenden_Fragen)() = [] { return false; };

    // Shutdown.
    void (*Grafik_Sound_Freigeben)() = [] {};  // fonts, darkening table, sound
    // The unpacker's tables are fixed arrays, the packer's dictionary lives for one call (base/lzw.cpp).
    // default kept: nothing is left to release.
    void (*Kompression_Freigeben)() = [] {};
    void (*Archive_Schliessen)() = [] {};
};

void Main_Set_Hooks(const Main_Hook_Tabelle& h);
extern const Main_Hook_Tabelle& Main_Hooks;

// Puts every entry back to its default.
void Main_Hooks_Zuruecksetzen();
