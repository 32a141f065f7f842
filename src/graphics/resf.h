// Resource archives ("RESF", docs/formats/resf.md): typed entries loaded as
// pictures, fonts or blobs; 30 slots; the 22 game archives opened at start-up.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"
#include "graphics/rastport.h"

struct Font;

constexpr i32 RESF_SLOTS = 30;
constexpr i32 RESF_SPIEL_ARCHIVE = 22;
constexpr i32 RESF_FONT_ARCHIV = 10;  // fontres.res

// Entry types.
enum : i16 { RESF_BILD = 14, RESF_BLOB = 16, RESF_FONT = 17, RESF_SPRITE = 40, RESF_ANIMSET = 66 };

// Bit 31 of an entry's type word: the entry is stored packed, as a zlib
// block with its 8-byte head (u32 unpacked size, u32 packed size), the same
// block a packed picture carries. The reader unpacks a packed entry when it
// is asked for and keeps nothing of it: an open archive holds only its
// directory (its users keep what they load). The type is still the low 16 bits.
constexpr u32 RESF_GEPACKT = 0x80000000u;
// Largest unpacked size of a packed entry.
constexpr u32 RESF_ENTPACKT_MAX = 64u * 1024u * 1024u;
// An entry's bytes in their packed form (the writer's side): the zlib block,
// or empty when packing fails or would not save at least a quarter.
std::vector<u8> Resf_Eintrag_Packen(const std::vector<u8>& daten);

// Passed as `extra` to a type-40 load: the bare sprite record is wanted.
inline void* const RESF_NUR_SPRITE = reinterpret_cast<void*>(0xFFAAFF);

// Opens an archive; the entry-number base is added to every entry asked for.
// The slot (0..29) or -1 (missing file, wrong magic, a directory that does
// not fit the file, no free slot).
i32 Resf_Oeffnen(const char* name, i32 basis);
// Closes the slot; returns -1.
i32 Resf_Schliessen(i32 slot);
bool Resf_Slot_Gueltig(i32 slot);
// Moves on whenever an archive is opened or closed: what was made from
// archive pictures and kept under an older count may be stale.
u32 Resf_Stand();
bool Resf_Eintrag_Gueltig(i32 slot, i32 eintrag);
i32 Resf_Anzahl(i32 slot);
// The bytes of an entry (from its offset to the next one; a packed entry's
// unpacked bytes) and its type. False for a refused entry and for a packed
// entry whose data are damaged (the message in Grafik_Fehler).
bool Resf_Eintrag_Daten(i32 slot, i32 eintrag, i16* typ, std::vector<u8>& daten);
// Where an entry's bytes lie, for reading them away from the frame (on a
// worker thread, through a file of its own): the archive's path, the
// entry's place and size, its type and whether it is stored packed.
struct Resf_Ort {
    std::string pfad;
    u32 offset = 0, laenge = 0;
    i16 typ = 0;
    bool gepackt = false;
};
// False for a refused entry.
bool Resf_Eintrag_Ort(i32 slot, i32 eintrag, Resf_Ort* ort);
// The entry's bytes (a packed entry's unpacked bytes) read at its place;
// callable from any thread. False when the file cannot be read there or a
// packed entry is damaged.
bool Resf_Ort_Lesen(const Resf_Ort& ort, std::vector<u8>& daten);

// A loaded object: type 14 and 40 give a Rastport* (40 with RESF_NUR_SPRITE
// gives a Rle_Sprite*), 16 gives a u8[] blob made with new[] (its size in
// *(u32*)extra), 17 gives a Font*; null for other types and refused entries.
void* Resf_Lade_Eintrag(i32 slot, i32 eintrag, i32 tiefe, void* extra);
// Typed forms of the same.
Rastport* Resf_Lade_Rastport(i32 slot, i32 eintrag);
// Loading ahead, away from the frame: worker threads read the entry's
// picture and unpack its pixels; the next Resf_Lade_Rastport of the entry
// takes that picture (waiting for the worker when it is still at it), so
// the frame pays neither. Asked for an entry the first time, it is handed
// to the worker and the answer is false; false while the worker is at it;
// true once the picture waits to be taken, and for an entry that cannot be
// loaded ahead (a refused one, or one that is no picture: the load then
// does what it always did). A picture the worker could not unpack is taken
// packed and unpacked in the frame, with its message.
bool Resf_Vorab_Bereit(i32 slot, i32 eintrag);
// Pictures loaded ahead and not taken yet (also those still at the worker).
size_t Resf_Vorab_Anzahl();
// Every picture of the archive (from entry `von` on) read on the worker and
// kept, its pixels packed as stored (found whole on the worker), while the
// archive stays open: a load of one then gets a copy of the kept picture
// with its pixels unpacked (until the worker has come to it, and for one
// it could not unpack, the load does what it always did). The number of
// pictures handed to the worker.
i32 Resf_Vorab_Halten(i32 slot, i32 von = 0);
// Pictures kept so (those the worker is done with).
size_t Resf_Vorab_Gehalten();
bool Resf_Lade_Blob(i32 slot, i32 eintrag, std::vector<u8>& blob);

// The 22 game archives: names from the settings res_0..res_21 (defaults
// written back), opened from the resfile folder. All or nothing; on failure
// a message box names the file. 1 on success.
i32 Resf_Init();
void Resf_Free();
const char* Resf_Standard_Name(i32 archiv);
// The slot of game archive 0..21, or -1.
i32 Resf_Spiel_Slot(i32 archiv);
// A picture by graphic number n: entry n % 4000 of game archive n / 4000 - 1;
// numbers below 4000 and from 92000 on are refused.
bool Resf_Grafik_Nummer(i32 nummer, i32* archiv, i32* eintrag);
Rastport* Resf_Grafik_Laden(i32 nummer);
