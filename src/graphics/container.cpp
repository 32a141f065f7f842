#include "graphics/container.h"

#include <cstdio>
#include <cstring>

#include "base/debug.h"

namespace {

bool verschluesselt = false;

bool lesen_bei(W32_Handle h, u32 pos, void* puffer, u32 n) {
    return W32_File_Seek(h, static_cast<i32>(pos), W32_SEEK_ANFANG) == static_cast<i32>(pos) &&
           W32_File_Read(puffer, 1, n, h) == n;
}

u32 le32(const u8* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<u32>(p[3]) << 24); }

// Checks the container and finds entry `index`: its offset and size.
bool eintrag_finden(W32_Handle h, i32 index, u32* start, u32* groesse, u32* typ) {
    u8 kopf[5];
    if (h < 0 || !lesen_bei(h, 0, kopf, 5)) return false;
    if (std::memcmp(kopf, "HRF", 3) == 0) verschluesselt = false;
    else if (std::memcmp(kopf, "HCF", 3) == 0) verschluesselt = true;
    else {
        Debug_Printf("Container: falsche Kennung\n");
        return false;
    }
    const u32 anzahl = kopf[3] | (kopf[4] << 8);
    if (anzahl == 0 || index < 0 || static_cast<u32>(index) >= anzahl) {
        Debug_Printf("Container: Eintrag %d gibt es nicht (%u Einträge)\n", index, anzahl);
        return false;
    }
    u8 off[8];
    if (!lesen_bei(h, 5 + 4 * static_cast<u32>(index), off, 8)) return false;
    const u32 a = le32(off), b = le32(off + 4), datei = W32_File_Size(h);
    const u32 daten_start = 5 + 4 * (anzahl + 1);
    if (a < daten_start || b < a || b > datei) {
        Debug_Printf("Container: Eintrag %d ist beschädigt\n", index);
        return false;
    }
    *start = a, *groesse = b - a;
    u8 kennung[3] = {0, 0, 0};
    *typ = *groesse >= 3 && lesen_bei(h, a, kennung, 3) && std::memcmp(kennung, "BIK", 3) == 0 ? RES_TYP_VIDEO
                                                                                               : RES_TYP_DATEN;
    return true;
}

}  // namespace

bool Res_Verschluesselt() { return verschluesselt; }

W32_Handle Res_OpenFile(const char* name) {
    char pfad[W32_DIR_LAENGE + 256];
    std::snprintf(pfad, sizeof pfad, "%s\\%s", W32_Dir_Tabelle[W32_DIR_RESFILE], name ? name : "");
    return W32_File_Open_Read(pfad);
}

void Res_CloseFile(W32_Handle h) {
    if (h >= 0) W32_File_Close(h);
}

Res_Resource Res_ReadHandleResource(W32_Handle h, i32 index) {
    u32 start = 0, groesse = 0, typ = 0;
    if (!eintrag_finden(h, index, &start, &groesse, &typ)) return {};
    if (W32_File_Seek(h, static_cast<i32>(start), W32_SEEK_ANFANG) != static_cast<i32>(start)) return {};
    return {typ, RES_MODUS_HANDLE, static_cast<uintptr_t>(h) + 1, groesse, 0};
}

Res_Resource Res_ReadMemoryResource(W32_Handle h, i32 index) {
    u32 start = 0, groesse = 0, typ = 0;
    if (!eintrag_finden(h, index, &start, &groesse, &typ)) return {};
    u8* d = new u8[groesse ? groesse : 1];
    if (!lesen_bei(h, start, d, groesse)) {
        delete[] d;
        return {};
    }
    if (verschluesselt)
        for (u32 i = 0; i < groesse; ++i) d[i] ^= RES_SCHLUESSEL;
    return {typ, RES_MODUS_SPEICHER, reinterpret_cast<uintptr_t>(d), groesse, 0};
}

Res_Resource Res_ReadResource(W32_Handle h, i32 index, i32 modus) {
    return modus == RES_MODUS_HANDLE ? Res_ReadHandleResource(h, index) : Res_ReadMemoryResource(h, index);
}

void Res_FreeResource(Res_Resource& r) {
    if (!r.adresse) return;
    if (r.modus == RES_MODUS_SPEICHER) delete[] reinterpret_cast<u8*>(r.adresse);
    else if (r.modus == RES_MODUS_HANDLE) W32_File_Close(Res_Handle(r));
    r = {};
}
