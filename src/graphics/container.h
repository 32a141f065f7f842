// Blob containers of the resource folder (docs/formats/hrf.md): "HRF"
// plain, "HCF" with every entry byte XORed with RES_SCHLUESSEL. The config
// reader takes whole files from them, the video player its videos.
#pragma once

#include <cstdint>

#include "base/files.h"
#include "base/types.h"

constexpr u8 RES_SCHLUESSEL = 0xA7;

enum : u32 { RES_TYP_DATEN = 2, RES_TYP_VIDEO = 3 };
enum : u32 { RES_MODUS_HANDLE = 1, RES_MODUS_SPEICHER = 2 };

struct Res_Resource {
    u32 typ;            // RES_TYP_*
    u32 modus;          // RES_MODUS_*
    uintptr_t adresse;  // u8[] made with new[] (memory) or the W32 handle + 1 (handle)
    u32 groesse;
    u32 frei;
};

// Opens "<resfile>\name" for reading; the handle or -1.
W32_Handle Res_OpenFile(const char* name);
void Res_CloseFile(W32_Handle h);
// Entry `index`: mode 1 positions the container's own handle at the entry,
// any other mode reads it into memory (descrambled for HCF). All zero when
// the magic, the count, the index or the offsets are wrong (the reason in
// the debug trace). The handle of mode 1 is Res_Handle(r).
Res_Resource Res_ReadResource(W32_Handle h, i32 index, i32 modus);
Res_Resource Res_ReadHandleResource(W32_Handle h, i32 index);
Res_Resource Res_ReadMemoryResource(W32_Handle h, i32 index);
// Frees the memory (mode 2) or closes the handle (mode 1); zeroes the record.
void Res_FreeResource(Res_Resource& r);
inline W32_Handle Res_Handle(const Res_Resource& r) { return static_cast<W32_Handle>(r.adresse) - 1; }
inline const u8* Res_Daten(const Res_Resource& r) { return reinterpret_cast<const u8*>(r.adresse); }
// True when the last container checked was scrambled.
bool Res_Verschluesselt();
