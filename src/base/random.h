// The shared table of pre-drawn random numbers, shuffling and sorting.
//
// All game randomness draws from one table of 6,000 values (0..32767) with one
// cursor that wraps. The table is the same on every machine (a fixed
// generator and seed, see random.cpp), so server, clients and a reloaded game
// draw the same numbers as long as they make the same draws in the same order.
// Decoration that never affects the game state uses Rnd_Deko instead.
#pragma once

#include "base/types.h"

constexpr u32 RND_TABELLE_GROESSE = 6000;
constexpr u32 RND_MAX_WERT = 32767;

// The table itself (read only).
extern const u16 (&Rnd_Tabelle)[RND_TABELLE_GROESSE];
// Checksum of the table (FNV-1a over the values as u16 little-endian).
u32 Rnd_Tabelle_Pruefsumme();

// The next value mapped into von..bis by modulo, both included; von when
// bis < von (no message).
i32 Rnd_Basis(i32 von, i32 bis);
// A number in von..bis, both included. A range starting below 0 is drawn
// from 0 and shifted; a span of 10,000 or more is drawn as hundreds plus a
// remainder (two or more draws). bis < von logs "Rnd: bis (%d) < von (%d) !"
// and gives 0 without a draw.
i32 Rnd(i32 von, i32 bis);

// The cursor (0..5999).
u32 Rnd_Get_Index();
// Sets the cursor to |position| mod 6000; the second argument is not used.
void Rnd_Set_Index(i32 position, i32 unbenutzt);
// Saves the cursor and sets it to the start of the table (0); Rnd_Pop puts
// the saved cursor back. Pushes nest up to RND_STAPEL_TIEFE deep.
constexpr int RND_STAPEL_TIEFE = 16;
void Rnd_Push();
void Rnd_Pop();

// Save-game block of the random table: u32 cursor, u32 table checksum
// (little-endian). Reading refuses a block made with another table.
constexpr u32 RND_BLOCK_GROESSE = 8;
void Rnd_Block_Schreiben(u8 block[RND_BLOCK_GROESSE]);
bool Rnd_Block_Lesen(const u8 block[RND_BLOCK_GROESSE]);
// The checks of Rnd_Block_Lesen without taking the cursor: a cursor inside
// the table and this table's checksum.
bool Rnd_Block_Gueltig(const u8 block[RND_BLOCK_GROESSE]);

// Shuffles in place with draws from the table: each entry i (from the first)
// is swapped with the entry at Rnd_Basis(0, n - 1).
void SortMisch_Mische(u32* feld, i32 anzahl);
// The same with pairs of u32 kept together (anzahl counts u32 entries; an odd
// last entry stays where it is).
void SortMisch_Mische_Paare(u32* feld, i32 anzahl);
void SortMisch_Mische8(u8* feld, i32 anzahl);

// Quicksort of the keys around the middle element, moving each item with its
// key; absteigend 1 sorts the largest key first. Equal keys keep no
// guaranteed order (but the result is the same on every machine).
void SortMisch_Sortiere(u32* werte, i32* schluessel, i32 anzahl, i32 absteigend);
void SortMisch_Sortiere_U(u32* werte, u32* schluessel, i32 anzahl, i32 absteigend);
void SortMisch_Tausche8(u8* a, u8* b);
void SortMisch_Tausche16(u16* a, u16* b);

// Decoration generator (never touches the table): the platform's own
// numbers for effects that no other machine must reproduce.
u32 Rnd_Deko();                          // 0..0xFFFFFFFF
i32 Rnd_Deko_Von_Bis(i32 von, i32 bis);  // von..bis, von when bis < von
void Rnd_Deko_Seed(u32 seed);            // fixes the sequence (tests)
