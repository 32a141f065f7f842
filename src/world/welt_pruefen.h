// Whether a world folder can be read whole before a game starts on it: every
// configuration file of the set present, not empty, text, with its stored
// checksum, and the teams and players fitting together.
#pragma once

#include <string>

// True when the set's world in `ordner` can be read whole. Otherwise false
// and `meldung` holds a German message naming the file and, where it is
// known, the line. With `teams_lesen` the teams and players are read as well
// and the running world is left empty (Welt_Freigeben); without, only the
// files are checked and the running world stays as it is.
bool Welt_Ordner_Pruefen(const std::string& ordner, int set, std::string* meldung, bool teams_lesen = true);

// The files' check of Welt_Ordner_Pruefen made ahead on a worker thread,
// so that the frame that starts a game does not read every file: the next
// Welt_Ordner_Pruefen of the same folder and set takes its answer (waiting
// for the worker if need be) when no file changed since it was read, and
// checks the files itself otherwise. A call hands the check to the worker
// unless it has it already; it never waits, unless a check of another
// folder or set is still at work. True once the check handed over is made.
bool Welt_Ordner_Vorab_Pruefen(const std::string& ordner, int set);
