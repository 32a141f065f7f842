// Guarded memory blocks.
//
// Every heap block carries a 36-byte header in front of its payload and a
// guard word behind it. W32_Memory_H_Free checks both (and that the pointer
// is a live block of this allocator at all) before it releases anything, so
// a damaged or foreign pointer is reported and never followed.
#pragma once

#include "base/types.h"

// The header in front of every block: nine little 32-bit words, so it needs
// only 4-byte alignment and is the same on every machine.
struct W32_Memory_Header {
    u32 magic_anfang;  // W32_MEMORY_MAGIC_ANFANG
    u32 art;           // W32_MEMORY_ART_HEAP or W32_MEMORY_ART_VIRTUELL
    u32 groesse;       // payload size in bytes
    u32 owner_lo;      // owner tag (pointer value), low and high half
    u32 owner_hi;
    u32 nummer;      // running allocation number (1, 2, ...)
    u32 versatz;     // distance from the start of the raw allocation to this header
    u32 pruefsumme;  // check word over the fields above
    u32 magic_ende;  // W32_MEMORY_MAGIC_ENDE, directly in front of the payload
};
static_assert(sizeof(W32_Memory_Header) == 36, "the block header is 36 bytes");

constexpr u32 W32_MEMORY_MAGIC_ANFANG = 0x4B4D4548;  // "HEMK"
constexpr u32 W32_MEMORY_MAGIC_ENDE = 0x4B444E45;    // "ENDK"
constexpr u32 W32_MEMORY_MAGIC_HINTEN = 0xB10CE9D5;  // guard word behind the payload
constexpr u32 W32_MEMORY_ART_HEAP = 1;
constexpr u32 W32_MEMORY_ART_VIRTUELL = 2;

// Gives the heap's free pages back to the system. The C library keeps the
// pages of freed large blocks once it has raised its bounds for them (to
// the largest block freed so far), and a long game would grow by them
// season by season; called at each season change.
void W32_Memory_Zurueckgeben();
// The same asked for the next quiet moment: walking the heap takes
// milliseconds, which a frame full of other work cannot spare.
// W32_Memory_Zurueckgeben_Faellig gives the pages back when it was asked
// (true) and is called where a frame has little to do.
void W32_Memory_Zurueckgeben_Spaeter();
bool W32_Memory_Zurueckgeben_Faellig();

// Largest payload one block may have.
constexpr size_t W32_MEMORY_MAX_GROESSE = 0x7FFF0000u;

// Page protection flags of W32_Memory_V_Alloc (the values of the Windows constants).
constexpr u32 W32_PAGE_READONLY = 0x02;
constexpr u32 W32_PAGE_READWRITE = 0x04;

// A new guarded block of `size` bytes, zero-filled; null for size 0, a size
// above W32_MEMORY_MAX_GROESSE or when memory is short. The owner tag names
// the caller (a text or a procedure) and is only recorded.
void* W32_Memory_H_Alloc(size_t size, const void* owner);
// The same with every payload byte set to `fill`.
void* W32_Memory_H_Alloc_Fill(size_t size, const void* owner, u8 fill);
// Releases a block and returns null. A pointer that is not a live heap block
// of this allocator, or whose guards are damaged, logs
// "Error: W32_Memory_H_Free wrong ptr" and comes back unchanged (nothing is
// released). Null is accepted and gives null.
void* W32_Memory_H_Free(void* ptr);

// A page-rounded block of whole pages (mmap), readable and writable unless
// `schutz` is W32_PAGE_READONLY; null on failure.
void* W32_Memory_V_Alloc(size_t size, u32 schutz, const void* owner);
// Releases a page block; null on success, the pointer unchanged (and the
// "wrong ptr" message) when it is not a live page block.
void* W32_Memory_V_Free(void* ptr);

// Owner tags may be procedures too.
template <class R, class... A>
inline void* W32_Memory_H_Alloc(size_t size, R (*owner)(A...)) {
    return W32_Memory_H_Alloc(size, reinterpret_cast<const void*>(owner));
}
template <class R, class... A>
inline void* W32_Memory_H_Alloc_Fill(size_t size, R (*owner)(A...), u8 fill) {
    return W32_Memory_H_Alloc_Fill(size, reinterpret_cast<const void*>(owner), fill);
}

// Payload size of a live block (0 for anything else).
size_t W32_Memory_Groesse(const void* ptr);
// True when ptr is a live block whose header and trailing guard are intact.
bool W32_Memory_Pruefen(const void* ptr);
// Number of blocks (heap and page) still allocated.
u32 W32_Memory_Anzahl_Bloecke();
// Bytes of payload still allocated.
u64 W32_Memory_Anzahl_Bytes();
// Shutdown check: logs one debug line per block still allocated (size,
// allocation number, owner tag) and returns their number.
u32 W32_Memory_Bericht();
