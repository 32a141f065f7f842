// Fuzz target: the competition file "wettbewerb.cfg" through the reader,
// the resolution of its references and the building of every fixture plan.
// The text before the first 0 byte is the alias file, the rest the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/config.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "season/kalender.h"
#include "season/paarungen.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"

namespace {
void still(const char*) {}
void still_manager(i32, i32, const char*) {}

std::string datei(const char* name, const uint8_t* daten, size_t n) {
    std::string p = "/tmp/kordavo_fuzz_wb_" + std::to_string(getpid()) + "_" + name;
    if (FILE* f = std::fopen(p.c_str(), "wb")) {
        if (n) std::fwrite(daten, 1, n, f);
        std::fclose(f);
    }
    return p;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    Read_Config_Set_Melder(still);
    Meldung_Hooks h;
    h.zeigen = still;
    h.manager_zeigen = still_manager;
    Meldung_Set_Hooks(h);
    size_t trenn = 0;
    while (trenn < groesse && daten[trenn] != 0) trenn++;
    std::string alias = datei("alias.cfg", daten, trenn);
    const uint8_t* text = trenn < groesse ? daten + trenn + 1 : daten + groesse;
    size_t n = trenn < groesse ? groesse - trenn - 1 : 0;
    std::string pfad = datei("wettbewerb.cfg", text, n);
    if (!Kalender_Ist_Initialisiert()) Kalender_Init(nullptr);
    Wettbewerb_Init();
    Spiele_Init();
    Wettbewerb_Config_Letzter_Set_Vergessen();
    if (Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str())) {
        Wettbewerb_Spielplaene_Erstellen();
        for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
            if (Wettbewerb_Tabelle[i].name[0]) Wettbewerb_Paarungen_Setzen(Wettbewerb_Tabelle[i]);
        Spiele_Unlock(-1);
        // The table travels to a client and back.
        i32 f = 0, d = 0;
        std::vector<u8> gepackt = Wettbewerb_Internet_Server_Send_Tabelle(&f, &d);
        Wettbewerb_Tabelle_Empfangen(gepackt.data(), static_cast<u32>(gepackt.size()), f, d);
    }
    while (Read_Config_Ebenen() > 0) Read_Config_Close();
    Quit_Status = QUIT_STATUS_LAEUFT;
    std::remove(pfad.c_str());
    std::remove(alias.c_str());
    Spiele_Free();
    Wettbewerb_Free();
    return 0;
}
