// A copy of the stadium sprite archive (stadion_gfx.res) with one entry
// changed, opened as the game's archive in place of the real one; put back
// by `zurueck`. For tests of a damaged animation set.
#pragma once

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/compress.h"
#include "base/files.h"
#include "base/settings.h"
#include "graphics/resf.h"

struct Kaputtes_Archiv {
    std::string name, pfad;
    i32 slot = 12;  // the archive copied (default: the stadium sprites)

    // Entry e's type word (without the packed flag) and bytes (unpacked)
    // go through `aendern`; the changed entry is stored unpacked behind the
    // other entries, so entries that shared its bytes keep theirs. False
    // when the archive cannot be read or opened.
    template <class F>
    bool anlegen(i32 e, F&& aendern) {
        const std::string ordner = W32_Dir_Tabelle[W32_DIR_RESFILE];
        std::ifstream in(ordner + "/" + Resf_Standard_Name(slot), std::ios::binary);
        std::vector<u8> d((std::istreambuf_iterator<char>(in)), {});
        if (d.size() < 12) return false;
        u32 n, verz;
        std::memcpy(&n, &d[4], 4), std::memcpy(&verz, &d[8], 4);
        if (static_cast<u32>(e) >= n) return false;
        const std::vector<u8> verzeichnis(d.begin() + verz, d.end());
        u32 typ, von;
        std::memcpy(&typ, &verzeichnis[8 * e], 4), std::memcpy(&von, &verzeichnis[8 * e + 4], 4);
        // The entry ends where the next piece of the file begins (as the reader sees it).
        u32 bis = verz;
        for (u32 i = 0; i < n; ++i) {
            u32 o;
            std::memcpy(&o, &verzeichnis[8 * i + 4], 4);
            if (o > von && o < bis) bis = o;
        }
        std::vector<u8> eintrag(d.begin() + von, d.begin() + bis);
        if (typ & RESF_GEPACKT) {
            u32 klar;
            std::memcpy(&klar, eintrag.data(), 4);
            std::vector<u8> entpackt(klar);
            if (W32_Cmp_Zlib_Unpack_Sicher(eintrag.data(), static_cast<u32>(eintrag.size()), entpackt.data(), klar) != klar)
                return false;
            eintrag = std::move(entpackt);
            typ &= ~RESF_GEPACKT;
        }
        aendern(typ, eintrag.data(), static_cast<u32>(eintrag.size()));
        d.resize(verz);
        const u32 neu = static_cast<u32>(d.size());
        d.insert(d.end(), eintrag.begin(), eintrag.end());
        const u32 neues_verz = static_cast<u32>(d.size());
        d.insert(d.end(), verzeichnis.begin(), verzeichnis.end());
        std::memcpy(&d[8], &neues_verz, 4);
        std::memcpy(&d[neues_verz + 8 * e], &typ, 4), std::memcpy(&d[neues_verz + 8 * e + 4], &neu, 4);
        name = "archiv_" + std::to_string(slot) + "_kaputt_" + std::to_string(::getpid()) + ".res";
        pfad = ordner + "/" + name;
        std::ofstream(pfad, std::ios::binary).write(reinterpret_cast<const char*>(d.data()), static_cast<long>(d.size()));
        Resf_Free();
        const std::string schluessel = "res_" + std::to_string(slot);
        return W32_Registry_Write(schluessel.c_str(), name.c_str()) && Resf_Init() == 1;
    }
    void zurueck() {
        Resf_Free();
        const std::string schluessel = "res_" + std::to_string(slot);
        W32_Registry_Write(schluessel.c_str(), Resf_Standard_Name(slot));
        Resf_Init();
        if (!pfad.empty()) std::remove(pfad.c_str());
        pfad.clear();
    }
};
