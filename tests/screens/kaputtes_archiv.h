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

#include "base/files.h"
#include "base/settings.h"
#include "graphics/resf.h"

struct Kaputtes_Archiv {
    std::string name, pfad;
    i32 slot = 12;  // the archive copied (default: the stadium sprites)

    // Entry e's type word and bytes go through `aendern`; false when the
    // archive cannot be read or opened.
    template <class F>
    bool anlegen(i32 e, F&& aendern) {
        const std::string ordner = W32_Dir_Tabelle[W32_DIR_RESFILE];
        std::ifstream in(ordner + "/" + Resf_Standard_Name(slot), std::ios::binary);
        std::vector<u8> d((std::istreambuf_iterator<char>(in)), {});
        if (d.size() < 12) return false;
        u32 n, verz;
        std::memcpy(&n, &d[4], 4), std::memcpy(&verz, &d[8], 4);
        if (static_cast<u32>(e) >= n) return false;
        u32 typ, von, bis = verz;
        std::memcpy(&typ, &d[verz + 8 * e], 4), std::memcpy(&von, &d[verz + 8 * e + 4], 4);
        if (static_cast<u32>(e) + 1 < n) std::memcpy(&bis, &d[verz + 8 * (e + 1) + 4], 4);
        aendern(typ, d.data() + von, bis - von);
        std::memcpy(&d[verz + 8 * e], &typ, 4);
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
