// Fuzz target: the save-game loader and the configuration cache loader on
// arbitrary files, with modules that parse their blocks as real ones do.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/meldung.h"
#include "base/spielstand.h"

namespace {

std::vector<u8> g_live, g_staging;
const uint8_t* g_block = nullptr;
size_t g_block_groesse = 0;

// Writes the fuzzer's bytes as the players' block, so that the loader's
// module phase sees arbitrary block contents behind valid framing.
bool schreiben(Datei_Status* d) { return Datei_Schreiben(d, g_block, static_cast<u32>(g_block_groesse)); }

bool lesen(Datei_Status* d) {
    u8 n[4];
    if (Datei_Lesen(d, n, 4) != 4) return false;
    u32 len = get_u32le(n);
    if (len > (1u << 20)) return false;
    g_staging.assign(len, 0);
    return Datei_Lesen_Gepackt(d, g_staging.data(), len) == len;
}
void uebernehmen() { g_live.swap(g_staging); }
void verwerfen() { g_staging.clear(); }
void still(const char*) {}

std::string g_ordner;

void einrichten() {
    if (!g_ordner.empty()) return;
    g_ordner = "/tmp/kordavo_fuzz_save_" + std::to_string(getpid());
    std::string befehl = "mkdir -p " + g_ordner;
    if (std::system(befehl.c_str()) != 0) std::abort();
    std::atexit([] { std::filesystem::remove_all(g_ordner); });
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s", g_ordner.c_str());
    Meldung_Hooks h;
    h.zeigen = still;
    Meldung_Set_Hooks(h);
    Spielstand_Modul m;
    m.name = "Fuzz";
    m.lesen = lesen;
    m.uebernehmen = uebernehmen;
    m.verwerfen = verwerfen;
    m.schreiben = schreiben;
    Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_SPIELER, m);
    Spielstand_Config_Modul_Anmelden(CONFIG_BLOCK_WETTBEWERBE, m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    einrichten();
    std::string pfad = g_ordner + "/game_0.kdv";
    if (size > 0 && (data[0] & 0x0F) == 0x0B) {
        g_block = data + 1;
        g_block_groesse = size - 1;
        if (Spielstand_Speichern(pfad.c_str(), 0)) Spielstand_Laden(pfad.c_str());
        g_block = nullptr;
        g_block_groesse = 0;
        std::remove(pfad.c_str());
        return 0;
    }
    if (std::FILE* f = std::fopen(pfad.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    Spielstand_Laden(pfad.c_str());
    // The same bytes as a configuration cache of set 0.
    std::string cache = g_ordner + "/1_config.bin";
    std::rename(pfad.c_str(), cache.c_str());
    char beschreibung[CONFIG_CACHE_BESCHREIBUNG];
    Spielstand_Config_Laden(0, beschreibung);
    std::remove(cache.c_str());
    return 0;
}
