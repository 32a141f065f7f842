// The schema table: for each remote call and block the server serves, the
// exact types string it accepts, and how the typed call of base/ruf.h maps
// onto the elements of that string (its argument bytes and its answer
// bytes, part by part). A number without a row in this table runs no row and
// is answered with the request's data (room for '<' arrays zeroed); a known
// number with another types string is refused.
#pragma once

#include <string_view>
#include <vector>

#include "base/types.h"

// One part of a call's argument or answer bytes.
struct Netz_Teil {
    // 0 the result slot, 1.. the element of the types string, or:
    static constexpr u8 KONSTANT = 0xFE;  // an argument that selects the row (its value: `wert`)
    static constexpr u8 LEER = 0xFD;      // an argument that does not travel
    u8 element = 0;
    u32 breite = 0;   // bytes; 0: a vector (u32 count, then count * einheit bytes)
    u32 einheit = 1;  // vector entry size
    // Vector argument: its count travels as the array's first word (the
    // array is the vector's bytes as they are); otherwise the array's
    // length gives the count.
    bool mit_anzahl = false;
    u8 zaehler = 0;   // vector: element holding its entry count (0: the array's length)
    u32 teiler = 1;   // vector: bytes per counted entry in `zaehler`
    u32 wert = 0;     // KONSTANT
};

struct Netz_Schema {
    u16 nummer;
    const char* name;
    // The types string; "%d" stands for a length that is a multiple of
    // `vielfaches` up to `hoechstens` (the blocks of all teams).
    const char* typen;
    u32 vielfaches = 0, hoechstens = 0;
    bool start = false;   // allowed before the client has taken its team
    u8 slot_element = 0;  // element that must name the asking slot (block 19)
    std::vector<Netz_Teil> argumente;
    std::vector<Netz_Teil> antwort;
    // Element whose value (an array: its first word) times `vielfaches`,
    // plus `laenge_zusatz`, the "%d" length must be (0: the number of teams
    // sets it, or a vector argument's bytes).
    u8 laenge_element = 0;
    u32 laenge_zusatz = 0;
    // Array element that must end with a NUL (a text), 0 none.
    u8 text_element = 0;
};

// The table.
const std::vector<Netz_Schema>& Netz_Schema_Tabelle();
// True when the number has rows in the table.
bool Netz_Schema_Bekannt(u32 nummer);
// The row for a received types string (null when none fits); `laenge` gets
// the length that stood for "%d".
const Netz_Schema* Netz_Schema_Suchen(u32 nummer, std::string_view typen, u32* laenge);
// The types string of a row with "%d" replaced.
std::string Netz_Schema_Typen(const Netz_Schema& s, u32 laenge);
