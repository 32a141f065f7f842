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
