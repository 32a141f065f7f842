// Kits: the table of 80 kits, the clubs' kit numbers and kit clashes.
#pragma once

#include "base/types.h"

constexpr int TRIKOT_ANZAHL = 80;
// The pre-match picture's archive (sefu_res.res) holds 16 fixed entries and
// then one block of 13 pictures per kit: kit k's block starts at entry
// TRIKOT_BILD_ERSTER + TRIKOT_BILD_BLOCK * k (docs/formats/screen-art.md).
constexpr int TRIKOT_BILD_ERSTER = 16;
constexpr int TRIKOT_BILD_BLOCK = 13;

// One kit. Colours are 0x00RRGGBB.
struct Trikot_Def {
    u32 hemd;     // main shirt colour
    u32 hemd2;    // second shirt colour (stripes, hoops, sleeves)
    u32 hose;     // shorts
    u32 stutzen;  // socks
    u32 muster;   // 0 plain, 1 stripes, 2 hoops, 3 halves, 4 sash
    i32 bild;     // first entry of the kit's block of 13 pictures in sefu_res.res
    i32 nummer;   // kit number 0..79
};

// The kit table entry (null for a number outside 0..79).
const Trikot_Def* Trikot_Get_TrikotStructure(int trikot);
// Kit number of a team's first (0), second (1) or goalkeeper (2) kit; -1 when none.
int Trikot_Get_TrikotNr(int team, int slot);
// Sets it and matches the team's colour block (Team_Zeiger 700) to the kit.
bool Trikot_Set_TrikotNr(int team, int trikot, int slot);
// Fills the four colour triples of a slot in a 36-byte colour block from a kit.
void Trikot_Farben_Setzen(u8 farben[36], int slot, int trikot);
// True when every channel of two colours differs by at most `toleranz`.
bool Trikot_Farbe_Gleich(u32 rgb1, u32 rgb2, int toleranz);
// True when two kits look alike: their main shirt colours match within the
// tolerance (flag 1: or the shorts match too).
bool Trikot_Is_Trikot_Equal(int trikot1, int trikot2, int toleranz, int flag);
// True when two kits could be taken for each other on the pitch: the same
// kit, or a colour that fills the shirt of one (its main colour, and for
// stripes, hoops and halves its second colour, half the shirt) matching the
// other's main colour (within TRIKOT_TOLERANZ for two main colours,
// TRIKOT_TOLERANZ_HALB for a second one). Two shirts that only share a
// second colour (red and blue, each striped with white) are told apart.
bool Trikot_Verwechselbar(int trikot1, int trikot2);
// Picks kits that differ for a match (no two of them Trikot_Verwechselbar): mode 0 the players' kits (home keeps
// its first kit, the away side takes its first, second or another kit of the
// table), mode 2 the goalkeepers' kits (differing from both sides' kits and
// each other). Out values are kit numbers.
void Trikot_Team_VS_Team(int heim, int gast, int* heim_trikot, int* gast_trikot, int modus);
// Tolerance used for clashes.
constexpr int TRIKOT_TOLERANZ = 120;
constexpr int TRIKOT_TOLERANZ_HALB = 60;
