// Buffer compression: the run-length packer of the save games and the
// network, zlib blocks (bitmaps, season archive) and the LZW stream of
// method 3696.
//
// Every unpacker comes in two forms: the classic one that trusts the sizes in
// the packed block's own head (the caller sized the destination from that
// head), and a bounded "_Sicher" one that also takes the number of packed
// bytes available and the destination's size. Data that came from a file or
// from the network goes through the bounded form. Neither form ever reads or
// writes outside the sizes it knows; a damaged block gives 0.
//
// Block formats: docs/formats/savegame.md (RLE), docs/formats/lzw.md (LZW).
#pragma once

#include "base/types.h"

// ---------------------------------------------------------------------------
// Run-length packing
//
// Packed block: u32 unpacked size, u32 packed size (head and end byte
// included), then control bytes: bit 7 set = a literal run of (c & 127) bytes
// that follow; bit 7 clear = (c) copies of the one byte that follows; every
// run holds 1..125 bytes; a control byte 0 ends the data.
// ---------------------------------------------------------------------------

constexpr u32 RLE_KOPF_GROESSE = 8;
constexpr u32 RLE_MAX_LAUF = 125;

// Largest packed size of `groesse` bytes (head and end byte included): the
// destination of Tools_RLE_Packen must hold this many bytes.
u32 Tools_RLE_Max_Gepackt(u32 groesse);

// Packs `groesse` bytes of `quelle` into `ziel` (which must hold
// Tools_RLE_Max_Gepackt(groesse) bytes) and returns the packed size
// including the head; 0 for a null pointer.
u32 Tools_RLE_Packen(const void* quelle, void* ziel, u32 groesse);

// Unpacks a block made by Tools_RLE_Packen; `ziel` must hold the unpacked
// size named in the block's head. Returns the number of unpacked bytes; 0
// when the packed-size field is below 9 or the block is damaged (a run that
// would pass the head's unpacked size or packed size, a missing end byte, an
// unpacked total that differs from the head).
u32 Tools_RLE_Entpacken(const void* gepackt, void* ziel);

// Bounded form: at most `verfuegbar` packed bytes are read and at most
// `ziel_groesse` bytes written; a head that names more than either gives 0.
u32 Tools_RLE_Entpacken_Sicher(const void* gepackt, u32 verfuegbar, void* ziel, u32 ziel_groesse);

// The unpacked size named in a block's head (0 when fewer than 8 bytes are
// available).
u32 Tools_RLE_Groesse_Entpackt(const void* gepackt, u32 verfuegbar);

// ---------------------------------------------------------------------------
// zlib (Debian's zlib, linked; there is no missing-library case on Linux)
// ---------------------------------------------------------------------------

constexpr u32 ZLIB_KOPF_GROESSE = 8;

// Packs `groesse` bytes behind an 8-byte head (u32 unpacked size, u32 packed
// size without the head) into `ziel`, which must hold groesse + 8 bytes.
// Returns the packed size + 8, or 0 when packing fails or the packed data
// would take more than `groesse` bytes.
u32 W32_Cmp_Zlib_Pack(const void* quelle, void* ziel, u32 groesse);
// Unpacks such a block into `ziel`, which must hold the unpacked size of the
// head. Returns the unpacked size, 0 on failure.
u32 W32_Cmp_Zlib_Unpack(const void* block, void* ziel);
// Bounded form: `verfuegbar` packed bytes (head included), `ziel_groesse`.
u32 W32_Cmp_Zlib_Unpack_Sicher(const void* block, u32 verfuegbar, void* ziel, u32 ziel_groesse);

// Packs into a new guarded block (W32_Memory_H_Alloc): u32 unpacked length,
// then the zlib data. `*gepackt_groesse` gets the block's whole size (the 4
// bytes included). Null on failure. The caller frees it (W32_Memory_H_Free).
void* W32_Cmp_Zlib_Pack_Neu(const void* puffer, u32 groesse, u32* gepackt_groesse);
// Unpacks a block of `gepackt_groesse` bytes made by W32_Cmp_Zlib_Pack_Neu
// into a new guarded block; `*groesse` gets the unpacked size. Null on
// failure (damaged data, a length that does not match the data, a length
// above ZLIB_NEU_MAX_GROESSE). The caller frees it.
void* W32_Cmp_Zlib_Unpack_Neu(const void* block, u32 gepackt_groesse, u32* groesse);
constexpr u32 ZLIB_NEU_MAX_GROESSE = 256u * 1024u * 1024u;

// ---------------------------------------------------------------------------
// Packing methods by number
// ---------------------------------------------------------------------------

constexpr u32 CMP_METHODE_ZLIB = 26;  // the block of W32_Cmp_Zlib_Pack
constexpr u32 CMP_METHODE_LZW = 3696;
constexpr u32 LZW_KOPF_GROESSE = 8;

// Unpacks a block of the method into `ziel`, which must be large enough for
// the unpacked data (its size stands in the block's head). Returns 1 when the
// data was complete (for LZW: the end code was reached), 0 for a null source
// or destination, a method it does not know or damaged data.
int W32_Cmp_Unpack(const void* quelle, void* ziel, u32 methode);
// Bounded form: reads at most `verfuegbar` bytes, writes at most
// `ziel_groesse`; `*entpackt` (may be null) gets the unpacked size.
int W32_Cmp_Unpack_Sicher(const void* quelle, u32 verfuegbar, void* ziel, u32 ziel_groesse, u32 methode, u32* entpackt);

// Largest packed size of `groesse` bytes for the method (0 for an unknown
// method).
u32 W32_Cmp_Max_Gepackt(u32 groesse, u32 methode);
// Packs with the method into `ziel` (room for `ziel_groesse` bytes); returns
// the packed size, 0 when it does not fit or the method is unknown. The game
// itself only unpacks LZW; the packer serves tests and tools.
u32 W32_Cmp_Pack(const void* quelle, u32 groesse, void* ziel, u32 ziel_groesse, u32 methode);
