// The input script of a headless run: timed mouse moves, clicks, wheel,
// keys, typed text, screenshots and quitting. Format:
// docs/formats/input-script.md.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

enum class Skript_Art : u8 {
    Warten,        // wait N frames
    Bewegen,       // move X Y
    Druecken,      // press BUTTON
    Loslassen,     // release BUTTON
    Klick,         // click BUTTON [X Y]
    Rad,           // wheel N
    Taste_Runter,  // keydown KEY
    Taste_Hoch,    // keyup KEY
    Taste,         // key KEY
    Text,          // text "..."
    Screenshot,    // screenshot FILE
    Beenden,       // quit
};

struct Skript_Befehl {
    Skript_Art art = Skript_Art::Warten;
    i32 a = 0, b = 0, c = 0;  // numbers: frames, x, y, button, key code, notches
    bool mit_position = false;
    std::string text;  // typed text (UTF-8) or screenshot path
    i32 zeile = 0;
};

// Largest script file that is read (bytes).
constexpr size_t SKRIPT_MAX_BYTES = 16u * 1024u * 1024u;

class Eingabe_Skript {
  public:
    // Reads the script text. `zeitschritt_ms` converts "wait N ms" into frames.
    // On a mistake nothing of the text is kept, the result is false and
    // `fehler` holds a German message with the line number.
    bool Parsen(std::string_view text, u32 zeitschritt_ms, std::string* fehler);
    // Reads a script file (UTF-8, at most SKRIPT_MAX_BYTES); false with a
    // message when it cannot be read, is too large or has a mistake.
    bool Laden(const std::string& pfad, u32 zeitschritt_ms, std::string* fehler);
    void Leeren();

    // Runs every command that is due in frame `frame` (counted from 0 when
    // the script was loaded): input goes to input.h, screenshots are asked
    // for from the display, quit posts WM_QUIT.
    void Schritt(u32 frame);
    // True once every command has run.
    bool Zu_Ende() const { return pos_ >= befehle_.size(); }
    bool Leer() const { return befehle_.empty(); }
    const std::vector<Skript_Befehl>& Befehle() const { return befehle_; }

  private:
    void Ausfuehren(const Skript_Befehl& b);
    std::vector<Skript_Befehl> befehle_;
    size_t pos_ = 0;
    u32 naechster_frame_ = 0;
};
