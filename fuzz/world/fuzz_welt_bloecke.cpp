// Fuzz target: the world's save-game blocks (bank, advertising, managers,
// players, teams, stadiums) read one after the other from one stream, as a
// save game holds them. Whatever the bytes, the readers refuse or stage
// sound state; the running world is taken over only when all succeeded.
#include <cstdint>

#include "base/datei.h"
#include "world/bank.h"
#include "world/speichern.h"
#include "world/spieler.h"
#include "world/stadion.h"
#include "world/welt.h"
#include "world/werbung.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    if (groesse > (1u << 24)) return 0;
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(daten, static_cast<u32>(groesse));
    bool ok = Bank_Laden(d) && Werbung_Laden(d) && Manager_Block_Lesen(d) && Spieler_Block_Lesen(d) &&
              Team_Block_Lesen(d) && Stadion_Laden(d);
    Datei_Schliessen(d);
    if (ok) {
        Bank_Uebernehmen();
        Werbung_Uebernehmen();
        Welt_Block_Uebernehmen();
        Stadion_Uebernehmen();
        // The taken-over world must be usable.
        for (int t = 0; t < Team_Anzahl; t++) {
            Team_Wert(7, t, 0, 0);
            for (int i = 0; i < Team_Kader_Anzahl(t); i++) Spieler_Wert(92, Team_Kader(t)[i], 0, 0);
            if (const Stadion_Erweiterung* e = Stadion_Get_Erweiterung(t)) {
                const Stadion_Erweiterung_Slot& s = e->slot[e->naechster];
                if (s.belegt && (e->anzahl < 0 || e->anzahl > STADION_ERWEITERUNG_SLOTS)) __builtin_trap();
            }
        }
        i32 praesi = Spieler_Get_Gewerkschafts_Praesi();
        if (praesi >= 0) Spieler_String(505, praesi, nullptr, 0);
        else if (praesi <= -2) Spieler_String(505, -2 - praesi, nullptr, 0);
    } else {
        Bank_Verwerfen();
        Werbung_Verwerfen();
        Welt_Block_Verwerfen();
        Stadion_Verwerfen();
    }
    Bank_Free();
    Werbung_Free();
    Stadion_Free();
    Welt_Freigeben();
    return 0;
}
