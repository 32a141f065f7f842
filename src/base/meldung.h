// Messages to the human managers. The GUI layer installs the requester box
// through Meldung_Set_Hooks; until then texts go to stderr (UTF-8). Every
// text also goes to the debug log as "Meldung: <text>".
#pragma once

#include "base/types.h"

// Formats a German text and shows it to the manager whose turn it is (OK box).
void Meldung_Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same for the manager of `team` (-1: the current one); kind 1 is a plain
// message with an OK button.
void Meldung_Manager_Printf(i32 art, i32 team, const char* format, ...) __attribute__((format(printf, 3, 4)));
// The quit requester: a yes/no box for the current manager; yes sets the quit
// state to 1 (when it was 0). Returns true for yes. Without a GUI hook the
// answer is yes: a player who asks to quit where nobody can be asked wants
// the game to end.
bool Meldung_Beenden();

// Texts without a GUI: "Meldung: <text>" on stderr (UTF-8).
void Meldung_Auf_Stderr(const char* text);

// Calls upwards (the requester boxes). Every entry is a function: the
// defaults write to stderr and answer the quit question with yes.
struct Meldung_Hooks {
    void (*zeigen)(const char* text) = Meldung_Auf_Stderr;
    void (*manager_zeigen)(i32 art, i32 team, const char* text) = [](i32, i32, const char* text) {
        Meldung_Auf_Stderr(text);
    };
    // In play the dialog bar asks the quit question in its own yes/no box;
    // this question is asked only where no box can be shown, and there a
    // player who asks to quit wants to.
    // default kept: yes, quit.
    bool (*beenden_fragen)() = [] { return true; };  // true = yes
};
// Installs the whole table (src/main at start-up; entries left out of a
// designated initialiser keep their defaults).
void Meldung_Set_Hooks(const Meldung_Hooks& hooks);
// Back to the defaults (tests).
void Meldung_Hooks_Zuruecksetzen();
