// The program's settings ("registry"): a small UTF-8 text file of
// "name=value" lines, kept in $KORDAVO_CONFIG_DIR/settings.ini, or else
// $XDG_CONFIG_HOME/kordavo/settings.ini, or else ~/.config/kordavo/settings.ini.
// Value names are compared without regard to case ("gme" and "Gme" are the
// same value). The file format is described in docs/formats/settings.md.
#pragma once

#include <string>

#include "base/types.h"

// Reads a text value (CP1252) into the buffer, at most size - 1 characters
// and always terminated. When the value is missing the buffer is left as it
// was and the result is false.
//
// "Work_dir" has a default when the file does not set it: $KORDAVO_GAME_DIR,
// else the folder "game" beside the running program, else "game" below the
// current folder, else the current folder.
bool W32_Registry_Read(const char* name, char* puffer, u32 groesse);
// Writes a text value (CP1252) and saves the file at once (written to a
// temporary file and renamed, so a crash never leaves half a file).
// False when the name is empty, has blanks around it or contains '=', '[',
// '#', ';' or a line break, when the value has a line break, or when the
// file cannot be written (the value is then kept for this run). Blanks
// around the value are dropped.
bool W32_Registry_Write(const char* name, const char* text);

// Full path of the settings file (UTF-8).
std::string Settings_Pfad();
// Forgets what was read and reads the file again at the next access (tests,
// or after the file was changed from outside).
void Settings_Neu_Laden();
// The message of the last problem with the settings file ("" if none), for
// example "settings.ini, Zeile 3: '=' fehlt". Problems are also written to
// stderr once; the lines in question are skipped.
std::string Settings_Letzter_Fehler();
