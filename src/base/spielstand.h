// Save games and the binary configuration cache.
//
// A save game holds one block per game module in a fixed order. Modules
// register their callbacks here at start-up; a block without a module is
// written empty. Saving is atomic (a temporary file that replaces the old
// one only when it is complete and on the disk). Loading is all-or-nothing:
// the whole file is read and checked first, then every module parses its
// block into fresh state (lesen), and only when all succeeded do they take
// it over (uebernehmen); otherwise every module drops what it parsed
// (verwerfen) and the running game stays exactly as it was.
//
// File layouts: docs/formats/savegame.md.
#pragma once

#include "base/datei.h"
#include "base/types.h"

// The save-game blocks, in the order of the file.
enum Spielstand_Block : int {
    SPIELSTAND_BLOCK_ANKUENDIGUNGEN = 1,  // match announcements
    SPIELSTAND_BLOCK_STATISTIK = 2,
    SPIELSTAND_BLOCK_WETTBEWERBE = 3,
    SPIELSTAND_BLOCK_KALENDER = 4,
    SPIELSTAND_BLOCK_SPIELFELDER = 5,  // pitches
    SPIELSTAND_BLOCK_SPIELTAG = 6,     // matchday
    SPIELSTAND_BLOCK_SPIELE = 7,       // fixtures
    SPIELSTAND_BLOCK_BANK = 8,
    SPIELSTAND_BLOCK_WERBUNG = 9,  // advertising
    SPIELSTAND_BLOCK_MANAGER = 10,
    SPIELSTAND_BLOCK_SPIELER = 11,  // players
    SPIELSTAND_BLOCK_TEAMS = 12,
    SPIELSTAND_BLOCK_MENUE = 13,  // menu engine
    SPIELSTAND_BLOCK_STADIEN = 14,
    SPIELSTAND_BLOCK_RANGLISTEN = 15,  // rankings
    SPIELSTAND_BLOCK_NEWS = 16,
    SPIELSTAND_BLOCK_ZUFALL = 17,  // random table cursor (built in)
};
constexpr int SPIELSTAND_BLOECKE = 17;

// Blocks of the configuration cache, in the order of the file.
enum Spielstand_Config_Block : int {
    CONFIG_BLOCK_SPIELER = 1,
    CONFIG_BLOCK_TEAMS = 2,
    CONFIG_BLOCK_WETTBEWERBE = 3,
    CONFIG_BLOCK_STADIEN = 4,
};
constexpr int CONFIG_BLOECKE = 4;

// A module's callbacks. `lesen` gets a stream over exactly its block and must
// read all of it into staging state without touching the running game;
// `uebernehmen` makes the staged state the running one and cannot fail;
// `verwerfen` drops staged state (it is also called when `lesen` was not,
// or failed half-way, and must then do nothing harmful). `schreiben` writes
// the running state. Every entry may be null (a null `lesen` accepts only
// an empty block).
struct Spielstand_Modul {
    const char* name = "";
    bool (*schreiben)(Datei_Status* datei) = nullptr;
    bool (*lesen)(Datei_Status* datei) = nullptr;
    void (*uebernehmen)() = nullptr;
    void (*verwerfen)() = nullptr;
    // Called once every block was read, before any is taken over: checks
    // the staged state against what other modules staged; false refuses
    // the whole load.
    bool (*pruefen)() = nullptr;
    // Its writing reads only the module's own data and touches nothing
    // shared: it may run on a worker while the other modules are written.
    bool nebenher = false;
};

// Registers the module of a save block (1..16; block 17, the random table,
// is built in). False for another block number. A second registration
// replaces the first.
bool Spielstand_Modul_Anmelden(int block, const Spielstand_Modul& modul);
void Spielstand_Modul_Abmelden(int block);
// The module registered for a block (an empty one when none is).
Spielstand_Modul Spielstand_Modul_Holen(int block);
// The same for the blocks of the configuration cache (1..4).
bool Spielstand_Config_Modul_Anmelden(int block, const Spielstand_Modul& modul);
void Spielstand_Config_Modul_Abmelden(int block);

// The description block at the head of a save game (104 bytes on disk).
struct Spielstand_Beschreibung {
    char text[30];     // description
    char manager[30];  // manager's name of the first human manager in turn
    char verein[32];   // his club's short name
    u32 team;          // that club's team number; SPIELSTAND_NETZSPIEL marks a network server's game
    u32 kontostand;    // its bank balance
    u32 staerke;       // strength of the active team
};
// The top bit of the description's team word: the game was saved by a
// network game's server (a load opens it as the server again).
constexpr u32 SPIELSTAND_NETZSPIEL = 0x80000000u;
inline u32 Spielstand_Team(const Spielstand_Beschreibung& b) { return b.team & ~SPIELSTAND_NETZSPIEL; }
inline bool Spielstand_Ist_Netzspiel(const Spielstand_Beschreibung& b) { return (b.team & SPIELSTAND_NETZSPIEL) != 0; }
template <class V, bytes::Art<Spielstand_Beschreibung> S>
constexpr void felder(V& v, S& b) {
    v(b.text), v(b.manager), v(b.verein), v(b.team), v(b.kontostand), v(b.staerke);
}
static_assert(sizeof(Spielstand_Beschreibung) == 104 && bytes::groesse<Spielstand_Beschreibung>() == 104,
              "the description block is 104 bytes");

constexpr char SPIELSTAND_MAGIC[11] = "kordavohub";
constexpr char SPIELSTAND_VERSION[5] = "1.00";
constexpr u32 SPIELSTAND_KOPF_GROESSE = 10 + 5 + 104;
constexpr int SPIELSTAND_SLOTS = 10;
// Largest save game or cache file read.
constexpr u32 SPIELSTAND_MAX_DATEI = 1024u * 1024u * 1024u;

// Calls upwards, filled in by src/main at start-up. Every entry is a
// function; the defaults do nothing.
struct Spielstand_Hooks {
    // Fills the description (given cleared); `still` is 1 for the weekly
    // autosave.
    void (*beschreibung)(Spielstand_Beschreibung* aus, int still) = [](Spielstand_Beschreibung*, int) {};
    // Closes the network connections after a game was loaded.
    void (*netz_schliessen)() = [] {};
    // A server's loaded game stays a network game: the server listens again
    // for its clients to rejoin (false when it cannot; the game then goes on
    // at this machine alone, and the player is told). So does a game saved
    // by a server, loaded at a machine that has not chosen the server role
    // (the host started again). The default has no network to open and
    // nothing to tell.
    bool (*server_wieder_oeffnen)() = [] { return true; };
};
// Installs the whole table (entries left out of a designated initialiser
// keep their defaults).
void Spielstand_Set_Hooks(const Spielstand_Hooks& hooks);

// The path of a slot: "%s\game_%d.kdv" in the "spielstand" folder (a
// temporary string; null for a slot outside 0..9).
char* Spielstand_Pfad(int slot);

// Writes a save game of every module's block. Refused on a network client
// (Internet_Modus 1). True on success; on failure the previous file at the
// path is untouched and a German message is shown.
bool Spielstand_Speichern(const char* pfad, int still);
// The same save with the disk's part away from the frame (the weekly
// autosave): every module's block is written into memory now, then a writer
// thread writes the file beside the old one, syncs it and renames it over it,
// so a crash mid-write leaves the previous file whole. False (and a German
// message) when the save could not be made in memory or on a network
// client; true once it is handed to the writer. A failed write is reported
// by Spielstand_Hintergrund_Pruefen. Saving and loading wait for the writer
// first.
bool Spielstand_Speichern_Hintergrund(const char* pfad, int still);
// Collects the writer's answer once it is there (at once with `warten`,
// waiting for it): false when the write failed, with the German message of
// Spielstand_Speichern shown (the old file is whole). True when it
// succeeded or nothing was pending. Called once a frame.
bool Spielstand_Hintergrund_Pruefen(bool warten = false);
// True while the writer is still at work.
bool Spielstand_Schreibt();
// Loads a save game. True on success (then the network is closed and
// Internet_Modus is 0); on failure the running game is untouched and a
// German message is shown (also kept for Spielstand_Letzter_Fehler).
bool Spielstand_Laden(const char* pfad);
// The last failure message of Spielstand_Speichern / _Laden / Config ("" when
// the last call succeeded).
const char* Spielstand_Letzter_Fehler();

// Reads the description of a slot: clears the first byte of the description
// text and manager's name, then fills `aus` when the file begins with the
// magic and a version whose first three characters match. 1 on success, 0
// otherwise (also for a slot outside 0..9 or a null `aus`).
int Spielstand_Get_Beschreibung(int slot, Spielstand_Beschreibung* aus);

// The last save slot used: settings value "gme" = slot + 1.
void Spielstand_Set_Letzter(int slot);
// The slot, -1 when none is recorded.
int Spielstand_Get_Letzter();

// Configuration cache "%d_config.bin" (set + 1) in the "config" folder:
// marker "<!-BIN-!conf00>", a 100-byte description, the registered blocks.
constexpr char CONFIG_CACHE_MARKE[16] = "<!-BIN-!conf00>";
constexpr u32 CONFIG_CACHE_BESCHREIBUNG = 100;
char* Spielstand_Config_Pfad(int set);
// Writes the cache of the set with a 100-byte description (null: empty).
bool Spielstand_Config_Speichern(int set, const char* beschreibung);
// The same with the disk's part away from the frame: the blocks are written
// into memory now, the writer thread packs them and puts the file in place
// (temporary file, sync, rename: a failed write leaves the old cache whole).
// False when a module failed (nothing handed over); true once handed over.
bool Spielstand_Config_Speichern_Hintergrund(int set, const char* beschreibung);
// Waits for a cache write handed to the writer. True when the last one
// handed over succeeded (or none was); false when it failed. Writing,
// loading and deleting a cache wait first.
bool Spielstand_Config_Warten();
// Reads the cache into the registered modules (all or nothing); `aus` (100
// bytes, may be null) gets the description. False when it is missing,
// damaged or a module refuses its block.
bool Spielstand_Config_Laden(int set, char* aus);
// Deletes the cache of the set.
bool Spielstand_Config_Loeschen(int set);
