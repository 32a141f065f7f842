// The data editor's edit of the competition configuration, and its writer:
// the competition table written back as "wettbewerb.cfg", in the reader's
// key forms, so that the file read again gives the same records without a
// message.
#pragma once

// Error code of an edit refused for a team the world does not have.
constexpr int WETTBEWERB_F_TEAM = 110;

// Begins the edit of a set (an open edit is ended first): wettbewerb.cfg of
// the set, with the alias set (-1: none), read into a fresh competition
// table and a fresh calendar; every named record gets calendar mark
// index + 1, its start teams as current teams and the index of its chain's
// first round as root. A set that cannot be read, or names a start team of
// `Team_Anzahl` or above, is refused with its message (line and team); the
// table, calendar and edit that were there stay as they were.
bool Config_Modify_Init(int set, int alias_set);
// Ends the edit and releases the calendar; false when none was open.
bool Config_Modify_Free();
// The set being edited, -1 when none.
int Config_Modify_Set();
// A new game cannot start while an edit is open: true then, and the manager
// is told so (once per edit) instead of the program ending.
bool Config_Modify_Sperrt_Spielstart();

// Writes the table as wettbewerb.cfg of the set while an edit is open (team,
// country and host numbers as "#name" where the edit's alias file names
// them), with the info text when given; the start lists are the edited
// current teams. Before writing, the cups that take their entrants from a
// league tree get the clubs now standing at its qualifying places, and the
// base leagues their calendar rows (the home nation's by level, the others
// 4, 5, 4, ...). The old file is replaced only by a complete new one.
// False when no edit is open or nothing could be written.
bool Wettbewerb_Config_Schreiben(int set, const char* infotext);
// The same for a file and an alias file given by path (alias may be null).
bool Wettbewerb_Config_Schreiben_Pfad(const char* pfad, const char* alias_pfad, const char* infotext);
