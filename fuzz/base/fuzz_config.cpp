// Fuzz target: the configuration reader on arbitrary text: files (UTF-8 or
// not, with an alias companion) and memory levels, read line by line and
// item by item, every value converted.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/config.h"

namespace {

void still(const char*) {}

std::string g_ordner;

void alles_lesen(int modus) {
    for (int i = 0; i < 100000; ++i) {
        const char* trenner = (modus & 2) ? ",=" : nullptr;
        const char* k = Read_Config_Next(trenner, (modus & 1) ? (i % 3 == 0) : 0);
        if (!*k) break;
        Read_Config_Get_String();
        Read_Config_Get_Wert();
        Read_Config_Get_Zeile();
        if (i % 7 == 0) {
            // A nested memory level over the value, as callers do with lists.
            std::string w = Read_Config_Get_String();
            if (Read_Config_Open_Mem(w.data(), static_cast<u32>(w.size()), -1, -1, -1)) {
                while (*Read_Config_Next(",", 1)) Read_Config_Get_Wert();
                Read_Config_Close();
            }
        }
    }
    u32 c = 0;
    Read_Config_Checksumme_Ok(&c);
    Read_Config_Get_Checksumme();
    Read_Config_Get_Alias_Name(static_cast<i32>(c % 64));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Read_Config_Set_Melder(still);
    if (size > 200000) size = 200000;
    if (g_ordner.empty()) g_ordner = "/tmp/kordavo_fuzz_config_" + std::to_string(getpid());
    const int modus = size ? data[0] & 3 : 0;

    // Memory level over the whole input.
    if (Read_Config_Open_Mem(reinterpret_cast<const char*>(data), static_cast<u32>(size), -1, 0, -1)) {
        alles_lesen(modus);
        Read_Config_Close();
    }

    // A file and its alias companion: the input split in two.
    size_t teil = size / 2;
    std::string datei = g_ordner + "_x.cfg", alias = g_ordner + "_x_alias.cfg";
    if (std::FILE* f = std::fopen(datei.c_str(), "wb")) {
        std::fwrite(data, 1, teil, f);
        std::fclose(f);
    }
    if (std::FILE* f = std::fopen(alias.c_str(), "wb")) {
        std::fwrite(data + teil, 1, size - teil, f);
        std::fclose(f);
    }
    if (Read_Config_Open_Pfad(datei.c_str(), alias.c_str())) {
        alles_lesen(modus ^ 1);
        Read_Config_Close();
    }
    std::remove(datei.c_str());
    std::remove(alias.c_str());
    return 0;
}
