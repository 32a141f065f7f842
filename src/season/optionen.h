// The player-settable options (one 140-byte block saved with the news block
// and sent to network clients) and the season keys of "global.cfg".
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/bytes.h"

constexpr size_t OPTIONEN_GROESSE = 140;

// Option numbers of Option_Wert: the block's plain options 0..29 (19 the
// weekly autosave), the active manager's team options 40..43 (two signed
// bytes, then two bits), the team count and the manager teams.
constexpr int32_t OPTIONEN_WERTE = 30;
constexpr int32_t OPTION_HALBZEIT_PAUSE = 8;
constexpr int32_t OPTION_AUTOSAVE = 19;
constexpr int32_t OPTION_TEAM_ERSTE = 40;
constexpr int32_t OPTION_TEAM_BIT_0 = 42;
constexpr int32_t OPTION_TEAM_LETZTE = 43;
constexpr int32_t OPTION_ANZ_TEAMS = 200;
constexpr int32_t OPTION_MANAGER_TEAM = 201;
constexpr int OPTIONEN_MANAGER_TEAMS = 4;

struct Optionen_Block {
    int32_t anz_teams;                             // option 200 (ANZ_TEAMS)
    int32_t manager_team[OPTIONEN_MANAGER_TEAMS];  // option 201 (MANAGER_TEAM)
    int32_t wert[OPTIONEN_WERTE];                  // options 0..29
};
template <class V, bytes::Art<Optionen_Block> S>
constexpr void felder(V& v, S& r) {
    v(r.anz_teams), v(r.manager_team), v(r.wert);
}
static_assert(sizeof(Optionen_Block) == OPTIONEN_GROESSE && bytes::groesse<Optionen_Block>() == OPTIONEN_GROESSE,
              "option block is 140 bytes");

// Resets the block to its defaults.
void Optionen_Reset();
Optionen_Block& Optionen_Get();
// The block as 140 little-endian bytes, and back.
void Optionen_Schreiben(uint8_t* out);
void Optionen_Lesen(const uint8_t* in);
// True when every value of a 140-byte block lies in its option's range.
bool Optionen_Gueltig(const uint8_t* in);
// The longest turn time (option 0), in milliseconds.
constexpr int32_t OPTION_ZUGZEIT_MAX = 600000;
// A server's bound on a network client's turn while option 0 sets no turn
// time, in minutes (the server's manager steps it by a minute); 0 stands
// for the default.
constexpr int32_t OPTION_CLIENT_ZUGZEIT = 26;
constexpr int32_t OPTION_CLIENT_ZUGZEIT_MAX = 30;
constexpr int32_t OPTION_CLIENT_ZUGZEIT_VORGABE = 10;
// The client turn bound in milliseconds (the default for 0 or a value out of range).
int32_t Option_Client_Zugzeit_Ms();

// Reads (set flag 0) or writes an option; see the option table.
int32_t Option_Wert(int32_t index, int32_t setzen, int32_t wert);

// A key of the global configuration that the world's reader does not know.
// The value is read from the current configuration line. 1 when known.
int Global_Cfg_Schluessel(const char* schluessel);
// Same with the value given (the reader's value of the line).
int Global_Cfg_Schluessel_Wert(const char* schluessel, int32_t wert);
// The count of MANAGER_TEAM keys read so far (it never goes back).
int Global_Cfg_Manager_Team_Anzahl();
// The SPIEL_FAST switch as set by the global configuration.
int32_t Global_Cfg_Spiel_Fast();
