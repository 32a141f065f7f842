// The intro program's player: plays KVID videos one after the other on a
// screen of its own, each frame when it is due, until the last has ended or
// the player ends it with a key, a click or by closing the window.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

// Where the frames go and where the player's wish to end comes from.
struct Intro_Anzeige {
    virtual ~Intro_Anzeige() = default;
    // Shows a whole frame (w * h RGB565 pixels).
    virtual void zeigen(const u16* pixel, i32 w, i32 h) = 0;
    // A key, a mouse click or the window closed since the last call.
    virtual bool beendet() = 0;
    // The clock in milliseconds, and a pause on it.
    virtual u32 zeit() = 0;
    virtual void warten(u32 ms) = 0;
};

struct Intro_Ergebnis {
    i32 frames = 0;               // frames shown
    i32 videos = 0;               // videos played to their end
    bool abgebrochen = false;     // ended by the player
    std::vector<std::string> fehler;  // one German line per video that could not be played
};

// A video argument's path: the game writes '\' before the file name.
std::string Intro_Pfad(const std::string& argument);

// Plays the files in order; a missing or damaged file is told in `fehler`
// and the next one plays. The videos run on the display's clock.
Intro_Ergebnis Intro_Abspielen(const std::vector<std::string>& dateien, Intro_Anzeige& anzeige);
