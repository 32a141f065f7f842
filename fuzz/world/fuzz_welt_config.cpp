// Fuzz target: the world's configuration files. The first byte picks the
// file kind (team + players, global, staff); the rest is the file text. The
// input is written to a temporary file because the readers take paths.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/config.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/welt.h"

namespace {
void still(const char*) {}

std::string datei(const char* name, const uint8_t* daten, size_t n) {
    std::string p = "/tmp/kordavo_fuzz_welt_" + std::to_string(getpid()) + "_" + name;
    FILE* f = std::fopen(p.c_str(), "wb");
    if (f) {
        if (n) std::fwrite(daten, 1, n, f);
        std::fclose(f);
    }
    return p;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 1) return 0;
    Read_Config_Set_Melder(still);
    const uint8_t art = daten[0] % 3;
    daten++;
    groesse--;
    // The alias file: the text up to the first 0 byte, the file after it.
    size_t trenn = 0;
    while (trenn < groesse && daten[trenn] != 0) trenn++;
    std::string alias = datei("alias.cfg", daten, trenn);
    const uint8_t* text = trenn < groesse ? daten + trenn + 1 : daten + groesse;
    size_t n = trenn < groesse ? groesse - trenn - 1 : 0;
    std::string pfad = datei("welt.cfg", text, n);
    if (art == 0) {
        if (Team_Pfad(pfad.c_str(), alias.c_str())) {
            int ok = 0;
            Spieler_Pfad(pfad.c_str(), alias.c_str(), &ok);
        }
    } else if (art == 1) {
        Global_Cfg_Laden_Pfad(pfad.c_str(), alias.c_str());
    } else {
        Personal_Cfg_Laden_Pfad(pfad.c_str(), alias.c_str());
    }
    std::remove(pfad.c_str());
    std::remove(alias.c_str());
    Welt_Freigeben();
    return 0;
}
