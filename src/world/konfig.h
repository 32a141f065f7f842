// Loading and writing the world's configuration files (team.cfg,
// spieler.cfg and their alias companions). Formats: docs/formats/world-*.md.
#pragma once

#include <string>

#include "base/types.h"

// Message codes of the world files (besides the reader's own 300-305).
constexpr int WELT_F_BEFEHL = 101;    // unknown keyword
constexpr int WELT_F_GRENZE = 103;    // value outside its bounds
constexpr int WELT_F_ALIAS = 104;     // unknown alias name
constexpr int WELT_F_STRUKTUR = 105;  // block structure (numbers, counts, kinds)
constexpr int WELT_F_DATEI = 106;     // file missing

// The configuration set the loaders read when they are given none.
extern i32 Welt_Config_Set;

// Reads team.cfg of the set into a pending table (nothing changes yet);
// false on an error.
bool Team(int set);
bool Team_Pfad(const char* pfad, const char* alias_pfad);
// Reads spieler.cfg of the same set; when the player count is
// (teams - 1) * 20 + 1,700 and every squad is complete the pending teams and
// the players replace the world and *ok becomes 1. Otherwise
// "Falsche Spielerzahl!" (or another coded message), *ok 0, and the old
// world stays.
bool Spieler(int* ok);
bool Spieler_Pfad(const char* pfad, const char* alias_pfad, int* ok);
// Reading the set's team and player files ahead, on a worker thread, so
// that no frame parses them: a call hands them to the worker unless it has
// them (or read them) already; it never waits. True once the world is read
// (or could not be: the files are then read in the frame as always, with
// their messages); false while the worker is at it. The next Team of the
// set takes the teams read ahead (waiting for the worker if need be) and
// Spieler the players, unless a file changed since.
bool Welt_Vorab_Lesen(int set);
// Waits until the worker reading a world ahead is done and has made the
// world's arrays (guarded blocks); what it read stays to be taken as
// above. Returns at once when no worker reads. For whoever counts the
// guarded blocks and must not have the worker's land inside the count.
void Welt_Vorab_Abwarten();

// Everything of a set: global, personal, team and spieler files.
bool Welt_Laden(int set);
// The same from a folder holding "<set+1>_team.cfg" and the others.
bool Welt_Laden_Ordner(const char* ordner, int set);

// Drops teams read by Team that no player file took over.
void Team_Free_Ladepuffer();
// An empty world with the globals at their defaults (new game).
void Team_Init_Leer();

// Team set-up after the players: market values, line-ups, formations.
void Team_Nach_Spieler(int flag);

// The alias name of a team as read from the alias file ("" when none).
const char* Team_Alias_Name(int team);
// The level of a club's league in its country (1 top, 0 none), from EBENE.
int Team_Get_Ebene(int team);

// Writers of the data editor: team.cfg / spieler.cfg of the set with their
// alias companions; `name` is the info text. False when a file cannot be written.
bool Convert_Team_Config_Speichern(int set, const char* name);
// The alias companion of every world file: one "NAME number" line per team with an alias.
bool Welt_Alias_Schreiben(const char* pfad);
bool Convert_Spieler_Config_Speichern(int set, const char* name);
bool Convert_Team_Config_Speichern_Pfad(const char* pfad, const char* alias_pfad, const char* name);
bool Convert_Spieler_Config_Speichern_Pfad(const char* pfad, const char* alias_pfad, const char* name);
