// The player-settable options (one 140-byte block saved with the news block
// and sent to network clients) and the season keys of "global.cfg".
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "base/bytes.h"
#include "base/feld_grenze.h"

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

// The longest turn time (option 0), in milliseconds.
constexpr int32_t OPTION_ZUGZEIT_MAX = 600000;
// A server's bound on a network client's turn while option 0 sets no turn
// time, in real minutes (the server's manager steps it by a minute); 0 none.
constexpr int32_t OPTION_CLIENT_ZUGZEIT = 26;
constexpr int32_t OPTION_CLIENT_ZUGZEIT_MAX = 30;
constexpr int32_t OPTION_CLIENT_ZUGZEIT_VORGABE = 10;
// The network server switch (3 while a server is open).
constexpr int32_t OPTION_NETZ_SERVER_MAX = 3;

// The range of every option of the block: the manager teams' count and
// teams (-1 none), the turn time (option 0), the network server switch (21),
// the client turn bound (26); the others are switches.
#define OPTION_SCHALTER(i) FELD_GRENZE(Optionen_Block, wert[i], 0, 1)
inline constexpr Feld_Grenze<Optionen_Block> OPTIONEN_FELDER[] = {
    FELD_GRENZE(Optionen_Block, anz_teams, 1, OPTIONEN_MANAGER_TEAMS),
    FELD_GRENZE(Optionen_Block, manager_team[0], -1, 999),  // MAX_TEAMS - 1
    FELD_GRENZE(Optionen_Block, manager_team[1], -1, 999),
    FELD_GRENZE(Optionen_Block, manager_team[2], -1, 999),
    FELD_GRENZE(Optionen_Block, manager_team[3], -1, 999),
    FELD_GRENZE(Optionen_Block, wert[0], 0, OPTION_ZUGZEIT_MAX),
    OPTION_SCHALTER(1),  OPTION_SCHALTER(2),  OPTION_SCHALTER(3),  OPTION_SCHALTER(4),  OPTION_SCHALTER(5),
    OPTION_SCHALTER(6),  OPTION_SCHALTER(7),  OPTION_SCHALTER(8),  OPTION_SCHALTER(9),  OPTION_SCHALTER(10),
    OPTION_SCHALTER(11), OPTION_SCHALTER(12), OPTION_SCHALTER(13), OPTION_SCHALTER(14), OPTION_SCHALTER(15),
    OPTION_SCHALTER(16), OPTION_SCHALTER(17), OPTION_SCHALTER(18), OPTION_SCHALTER(19), OPTION_SCHALTER(20),
    FELD_GRENZE(Optionen_Block, wert[21], 0, OPTION_NETZ_SERVER_MAX),
    OPTION_SCHALTER(22), OPTION_SCHALTER(23), OPTION_SCHALTER(24), OPTION_SCHALTER(25),
    FELD_GRENZE(Optionen_Block, wert[OPTION_CLIENT_ZUGZEIT], 0, OPTION_CLIENT_ZUGZEIT_MAX),
    OPTION_SCHALTER(27), OPTION_SCHALTER(28), OPTION_SCHALTER(29),
};
#undef OPTION_SCHALTER
static_assert(std::size(OPTIONEN_FELDER) == 5 + OPTIONEN_WERTE, "a range for every option");

// Resets the block to its defaults.
void Optionen_Reset();
Optionen_Block& Optionen_Get();
// The block as 140 little-endian bytes, and back.
void Optionen_Schreiben(uint8_t* out);
void Optionen_Lesen(const uint8_t* in);
// True when every value of a 140-byte block lies in its option's range.
bool Optionen_Gueltig(const uint8_t* in);
// The client turn bound in milliseconds (0: none).
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
