// Fuzz target: list memory images and the save-game form of a list.
// Any input must be either refused (list unchanged) or rebuilt into a list
// whose own image reads back the same; no input may leak a node.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/datei.h"
#include "base/liste.h"
#include "base/memory.h"

namespace {

void Pruefen(bool bedingung) {
    if (!bedingung) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    const u32 bloecke = W32_Memory_Anzahl_Bloecke();
    const u32 n = static_cast<u32>(size);

    Liste_Kopf liste{};
    Pruefen(Liste_Init(&liste));
    Liste_Insert_Element(&liste, nullptr, "vorher", 6, 0xABCD);

    if (Liste_From_Mem(&liste, data, n)) {
        u32 groesse = 0;
        void* bild = Liste_To_Mem(&liste, &groesse);
        Pruefen(bild != nullptr && groesse == n);  // same nodes, same size
        Liste_Kopf zweite{};
        Pruefen(Liste_Init(&zweite));
        Pruefen(Liste_From_Mem(&zweite, bild, groesse));
        Pruefen(zweite.anzahl == liste.anzahl);
        u32 groesse2 = 0;
        void* bild2 = Liste_To_Mem(&zweite, &groesse2);
        Pruefen(groesse2 == groesse && std::memcmp(bild, bild2, groesse) == 0);
        W32_Memory_H_Free(bild2);
        W32_Memory_H_Free(bild);
        Liste_Freigeben(&zweite);
    } else {
        // Refused: the old node is still there.
        Pruefen(liste.anzahl == 1 && Liste_Find_Element(&liste, 0xABCD) != nullptr);
    }

    // The same bytes as a save-game stream.
    Datei_Status* s = Datei_Oeffnen_Speicher_Lesen(data, n);
    if (s != nullptr) {
        const u32 vorher = liste.anzahl;
        if (!Liste_Load(&liste, s)) Pruefen(liste.anzahl == vorher);
        Datei_Schliessen(s);
    }

    Liste_Freigeben(&liste);
    Pruefen(W32_Memory_Anzahl_Bloecke() == bloecke);
    return 0;
}
