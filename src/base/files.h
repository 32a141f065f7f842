// Files and folders.
//
// Paths inside the game are Windows-1252 texts written with '\' (for example
// "%s\%s\game_%d.kdv"). Every function here translates them at the boundary:
// '\' becomes '/', the text becomes UTF-8, and each component of the path is
// looked up without regard to case, so "Config\1_Team.cfg" finds
// config/1_team.cfg on disk. Components that do not exist yet keep the
// spelling they were given.
#pragma once

#include <string>

#include "base/types.h"

// File handles: a non-negative number, or -1.
using W32_Handle = i32;
constexpr W32_Handle W32_HANDLE_UNGUELTIG = -1;

// Access, disposition and attribute values of W32_File_Create (the values of
// the Windows constants of the same names).
constexpr u32 W32_GENERIC_READ = 0x80000000u;
constexpr u32 W32_GENERIC_WRITE = 0x40000000u;
constexpr u32 W32_CREATE_NEW = 1;
constexpr u32 W32_CREATE_ALWAYS = 2;
constexpr u32 W32_OPEN_EXISTING = 3;
constexpr u32 W32_OPEN_ALWAYS = 4;
constexpr u32 W32_TRUNCATE_EXISTING = 5;
constexpr u32 W32_FILE_ATTRIBUTE_READONLY = 0x01;
constexpr u32 W32_FILE_ATTRIBUTE_NORMAL = 0x80;

// Seek origins.
constexpr i32 W32_SEEK_ANFANG = 2001;   // from the start
constexpr i32 W32_SEEK_AKTUELL = 2002;  // from the current position
constexpr i32 W32_SEEK_ENDE = 2003;     // from the end

// Opens or creates a file (access: W32_GENERIC_READ and/or W32_GENERIC_WRITE;
// disposition: W32_CREATE_NEW .. W32_TRUNCATE_EXISTING; attributes are
// accepted and ignored). Returns the handle or -1.
W32_Handle W32_File_Create(const char* name, u32 zugriff, u32 verfuegung, u32 attribute);
// Opens an existing file for reading; handle or -1.
W32_Handle W32_File_Open_Read(const char* name);
// Like fread/fwrite: moves groesse * anzahl bytes; returns the bytes moved
// (0 for a bad handle or buffer).
u32 W32_File_Read(void* puffer, u32 groesse, u32 anzahl, W32_Handle handle);
u32 W32_File_Write(const void* puffer, u32 groesse, u32 anzahl, W32_Handle handle);
// Moves the file position. Origin 2001 from the start, 2002 from the current
// position, 2003 from the end; any other origin counts as from the start.
// Returns the offset it was given when the seek succeeds (for 2001 that is
// the new position), 0 when it fails (a position before the start, a bad
// handle). W32_File_Tell gives the position itself.
i32 W32_File_Seek(W32_Handle handle, i32 offset, i32 origin);
// Current position, -1 for a bad handle.
i32 W32_File_Tell(W32_Handle handle);
// Size in bytes (0 for a bad handle).
u32 W32_File_Size(W32_Handle handle);
// Closes the handle; always returns -1, which callers store as their handle.
W32_Handle W32_File_Close(W32_Handle handle);

// True when the file (not a folder) exists.
bool W32_File_Exists(const char* name);
// Deletes a file; true on success.
bool W32_File_Delete(const char* name);

// The folder table: full paths (CP1252, written with '/'), rows of 256
// characters. Row 0 is the working folder, rows 1 to 13 its sub-folders.
constexpr int W32_DIR_ANZAHL = 14;
constexpr int W32_DIR_LAENGE = 256;
enum W32_Dir_Zeile : int {
    W32_DIR_WORK = 0,
    W32_DIR_LIBRARIES = 1,
    W32_DIR_CONFIG = 2,
    W32_DIR_SPIELSTAND = 3,
    W32_DIR_RESFILE = 4,
    W32_DIR_BACKUP = 5,
    W32_DIR_INTRO = 6,
    W32_DIR_SPIELERBILDER = 7,
    W32_DIR_MANAGERBILDER = 8,
    W32_DIR_WAPPENBILDER = 9,
    W32_DIR_SZENARIO = 10,
    W32_DIR_AUTOPATCH = 11,
    W32_DIR_USERSOUNDS = 12,
    W32_DIR_TEMP = 13,
};
extern char W32_Dir_Tabelle[W32_DIR_ANZAHL][W32_DIR_LAENGE];
// Folder names of rows 1..13 ("libraries", "config", ...); row 0 has "".
const char* W32_Dir_Name(int zeile);

// Fills the folder table: row 0 from the setting "Work_dir" (see
// settings.h), each row k from "verz_%d" (k) when set (an absolute path, or a
// path below the working folder), otherwise working folder + "/" + name.
// Returns true when the working folder exists. W32_Dir_Anlegen creates the
// missing sub-folders (false when one cannot be created).
bool W32_Dir_Init();
bool W32_Dir_Anlegen();

// Number of files (not folders) in `ordner` whose names match `muster`
// ('*' and '?', case-insensitive; "*.*" matches every name). As the files
// searched are "ordner\muster", the pattern may begin with sub-folders.
i32 W32_Dir_Count_Files(const char* ordner, const char* muster);
// Writes the matching file names (CP1252, sorted by name) into rows of 256
// characters of `ausgabe`, at most `maximum` of them, and returns their
// number (0 when `maximum` is below 1).
i32 W32_Dir_List_Files(const char* ordner, const char* muster, i32 maximum, char* ausgabe);

// Translates a game path into the path on disk (see the top of this file).
std::string W32_Pfad_Uebersetzen(const char* pfad);
// True when the name matches the pattern ('*', '?', case-insensitive).
bool W32_Muster_Passt(const char* name, const char* muster);
// The last part of a game or disk path (after the last '\' or '/').
std::string W32_Pfad_Dateiname(const char* pfad);

// A file's size and time of change (all -1 when it cannot be read): what
// was worked out from the file ahead holds while they stay the same.
struct Datei_Stand {
    long long groesse = -1, zeit = -1, zeit_ns = -1;
    bool operator==(const Datei_Stand&) const = default;
};
// The stand of the file at a path on disk (not a game path).
Datei_Stand Datei_Stand_Lesen(const std::string& pfad);
