// The intro program: a separate program of the game, started before the game
// with "-Intro -WndClass:%s -File1:%s\%s -File2:%s\%s -File3:%s\%s" and after
// it with "-Ontro -WndClass:%s -File1:%s\%s", and waited for until it has
// ended. The video files are named by the settings "res_22" to "res_24"
// (intro) and "res_25" (the closing video) in the "intro" folder.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

// The program's file name, looked for in the working folder and then beside
// the running program.
extern const char* const INTRO_PROGRAMM;

// The arguments of the start (ontro false) or the end (ontro true), one
// entry per word; paths are UTF-8.
std::vector<std::string> Intro_Argumente(bool ontro);

// Where the program is; "" when it is in neither place.
std::string Intro_Programm_Pfad();

// Runs a program with the arguments and waits until it has ended. False when
// it cannot be started; `exit_code` gets its exit code (-1 when it was ended
// by a signal).
bool Intro_Ausfuehren(const std::string& programm, const std::vector<std::string>& argumente, i32* exit_code);

// Starts the intro program (or, with ontro, the closing one) and waits for
// it. When it cannot be started the message "Don't find Intro.exe" is shown
// and the game goes on. Returns true when it ran.
bool Intro_Starten(bool ontro);
