// Fuzz target: the news block of a save game and ereignis.cfg. The first
// byte picks the reader; whatever a news block left in the store is then
// scanned, shown and sent as the server's row 1012 would.
#include <cstdint>
#include <vector>

#include "base/datei.h"
#include "season/ereignis_zufall.h"
#include "season/news.h"
#include "world/welt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse < 1 || groesse > (1u << 20)) return 0;
    if (Team_Anzahl != 16) Welt_Anlegen(16, 0);
    const u8* p = daten + 1;
    const u32 n = static_cast<u32>(groesse - 1);
    if (daten[0] & 1) {
        Ereignis_Init();
        Ereignis_Laden_Text(reinterpret_cast<const char*>(p), n);
        for (i32 i = 0; i < Ereignis_Anzahl(); ++i) {
            const Ereignis* e = Ereignis_Get(i);
            (void)Ereignis_Text(e->text, {"a", "b"});
        }
        Ereignis_Free();
        return 0;
    }
    News_Init();
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(p, n);
    if (News_Lesen(d)) News_Uebernehmen();
    else News_Verwerfen();
    Datei_Schliessen(d);
    std::vector<u8> aus;
    for (i32 team = 0; team < 4; ++team) {
        News_Internet_Server_1012(team, {}, aus);
        while (News_Pruefen(team)) {
        }
    }
    News_Free();
    return 0;
}
