// The competition configuration file "wettbewerb.cfg" with its alias file
// "wettbewerb_alias.cfg": the reader, the resolution of the cross references,
// the fixture plans of every competition, the table transfer of the network
// calls 1004 and 1005 and the competition block of the configuration cache.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/types.h"

struct Datei_Status;

constexpr i32 WETTBEWERB_CONFIG_VERSION = 201;
constexpr int WETTBEWERB_CONFIG_SCHLUESSEL = 59;

// German and English key of index 0..58.
const char* Wettbewerb_Config_Schluessel(int index, bool englisch);

// Reads wettbewerb.cfg of the set (with the alias set) into the competition
// table, resolves the cross references, checks the checksum and writes the
// configuration cache of that set. False when the file cannot be opened or
// a fatal syntax error leaves no set to fall back on.
bool Wettbewerb_Config_Eintrag_Lesen(int set, int alias_set);
// The same for a file given by its path, and for a text in memory (tests,
// the fuzz target). They write no cache.
bool Wettbewerb_Config_Lesen_Pfad(const char* pfad, const char* alias_pfad);
bool Wettbewerb_Config_Lesen_Text(const char* text, u32 laenge);
// Reads the set's file (with the alias set's) ahead on a worker: the next
// reading of that set takes the worker's table when the settings name the
// same files and they did not change since, and reads the file itself when
// they did or the worker found anything to report (so the player sees it).
// The draws of the fixture plans stay with the game's reading.
bool Wettbewerb_Config_Vorab_Lesen(int set, int alias_set);
// Whether the last reading of a set took the worker's table.
bool Wettbewerb_Config_Vorab_Genommen();
// The configuration set of the last read without a fatal error (-1 none).
int Wettbewerb_Config_Letzter_Set();
void Wettbewerb_Config_Letzter_Set_Vergessen();
// Whether the last read wrote its configuration cache (waits for the
// writer thread that puts it on disk).
bool Wettbewerb_Config_Cache_Geschrieben();

// The reference lists kept from the last read (the writer uses them):
// kind 0..13, each entry a text and the table index that named it.
// Warning of a list item outside its range (a negative team, a pairing
// above 255).
constexpr int WETTBEWERB_W_WERT = 206;

struct Wettbewerb_Referenz {
    std::string text;
    i32 index = -1;
    i32 zeile = 0;  // 0: made by the reader (a super alias), not read at a line
    bool aufgeloest = false;
    // Number lists (AUFFUELL_MIT_TEAMS, STARTTEILNEHMER, WER_GEGEN_WEN,
    // QUALI_LAND): the items, read at their own line; an item that is no
    // number or names an unknown alias is left out with its message, and
    // a row of the fill-up and national quota lists with such an item is
    // refused whole.
    std::vector<i32> werte;
    bool abgewiesen = false;
};
const std::vector<Wettbewerb_Referenz>& Wettbewerb_Config_Liste(int art);
void Wettbewerb_Config_Listen_Freigeben();
// All 14 lists taken out whole and put back (a read that is refused gives
// back those of the table it leaves in place).
constexpr int WETTBEWERB_CONFIG_LISTEN = 14;
using Wettbewerb_Config_Listen = std::array<std::vector<Wettbewerb_Referenz>, WETTBEWERB_CONFIG_LISTEN>;
Wettbewerb_Config_Listen Wettbewerb_Config_Listen_Nehmen();
void Wettbewerb_Config_Listen_Setzen(Wettbewerb_Config_Listen listen);

// Builds the fixture plan of every named competition (not the friendlies).
// Returns the number of plans built.
int Wettbewerb_Spielplaene_Erstellen();

// Reads the configuration of the set from its cache when the cache is of
// that set and version, else from the text (which rebuilds the cache).
bool Wettbewerb_Config_Spielstart(int set, int alias_set);

// --- table transfer (calls 1004 and 1005) --------------------------------------
// One chunk of the 1004 stream for table index i, appended to `aus`; false
// for a bad index or when the table is not ready.
bool Wettbewerb_Serialisieren(i32 index, std::vector<u8>& aus);
// Reads one chunk into the record (reset first); the position moves on.
// False when the chunk is damaged.
bool Wettbewerb_Deserialisieren(i32 index, const u8* daten, u32 groesse, u32* pos);
bool Wettbewerb_Status_Serialisieren(i32 index, std::vector<u8>& aus);
bool Wettbewerb_Status_Deserialisieren(i32 index, const u8* daten, u32 groesse, u32* pos);
// Server rows: the packed stream (RLE) of the whole table with the friendly
// id and dummy count; the packed status stream. Empty on failure.
std::vector<u8> Wettbewerb_Internet_Server_Send_Tabelle(i32* freundschaft_id, i32* dummy_anzahl);
std::vector<u8> Wettbewerb_Internet_Server_Send_Tabelle_2();
// Client side: unpacks and takes over a packed table (all or nothing), then
// builds the fixture plans; the status likewise. True on success.
bool Wettbewerb_Tabelle_Empfangen(const u8* gepackt, u32 groesse, i32 freundschaft_id, i32 dummy_anzahl);
bool Wettbewerb_Status_Empfangen(const u8* gepackt, u32 groesse);
bool Wettbewerb_Internet_Client_Hole_Tabelle();
bool Wettbewerb_Internet_Client_Hole_Status();
// A client's competitions as the server has them now. The server's matchday
// of a competition ends with its last match, which may come long after this
// client's own match has ended on the same day; the pages of standings and
// results ask this before they read the current matchday (not while the
// client's own match runs). True when anything
// changed: the server's tables this client keeps are then forgotten (they
// were asked for the old matchday or while matches still ran).
bool Wettbewerb_Internet_Client_Stand_Auffrischen();

// --- configuration cache block ------------------------------------------------------
bool Wettbewerb_Config_Bin_Save(Datei_Status* datei);
// Reads the block into staging (the table is untouched); refused when it was
// written for another set or version or its size does not fit.
bool Wettbewerb_Config_Bin_Load(Datei_Status* datei);
// Takes the staged table over and builds the fixture plans / drops it.
void Wettbewerb_Config_Bin_Uebernehmen();
void Wettbewerb_Config_Bin_Verwerfen();
// The set the cache block is written for and expected to hold.
void Wettbewerb_Config_Bin_Set(int set);
// Registers the competition block of the configuration cache.
void Wettbewerb_Config_Cache_Anmelden();
