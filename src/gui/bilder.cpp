// Picture folders (see bilder.h).
#include "gui/bilder.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/files.h"
#include "graphics/bildformat.h"
#include "graphics/rastport.h"

namespace {

const char* ordner_pfad(i32 ordner) {
    static constexpr i32 ZEILE[4] = {W32_DIR_MANAGERBILDER, W32_DIR_SPIELERBILDER, W32_DIR_WAPPENBILDER,
                                     W32_DIR_CONFIG};
    return ordner >= 0 && ordner < 4 ? W32_Dir_Tabelle[ZEILE[ordner]] : nullptr;
}

}  // namespace

i32 Bilder_Anzahl(i32 ordner) {
    const char* o = ordner_pfad(ordner);
    return o && *o ? W32_Dir_Count_Files(o, "*.jpg") : 0;
}

i32 Bilder_Liste(i32 n, i32* nummern, i32 ordner) {
    const char* o = ordner_pfad(ordner);
    if (!o || !*o || n < 1 || !nummern) return 0;
    std::vector<char> namen(static_cast<size_t>(n) * W32_DIR_LAENGE);
    const i32 k = W32_Dir_List_Files(o, "*.jpg", n, namen.data());
    for (i32 i = 0; i < k; ++i) {
        char kurz[6] = {};
        std::snprintf(kurz, sizeof kurz, "%s", &namen[static_cast<size_t>(i) * W32_DIR_LAENGE]);
        nummern[i] = std::atoi(kurz);
    }
    return k;
}

Rastport* Bilder_Laden(i32 nummer, const char* name, i32 ordner) {
    const char* o = ordner_pfad(ordner);
    if (!o || !*o) return nullptr;
    char pfad[W32_DIR_LAENGE + 64];
    if (name) std::snprintf(pfad, sizeof pfad, "%s/%s.jpg", o, name);
    else std::snprintf(pfad, sizeof pfad, "%s/%d.jpg", o, nummer);
    i32 bits = 0, w = 0, h = 0;
    if (!Jpeg_Info_Datei(pfad, &bits, &w, &h) || w < 1 || h < 1 || w > 2048 || h > 2048) return nullptr;
    return Jpeg_Lesen_Datei(pfad, 16);
}
