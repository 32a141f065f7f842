// Writing lists to the save-game stream and reading them back.
#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/liste.h"
#include "base/liste_intern.h"
#include "base/memory.h"

#include "base/datei.h"

bool Liste_Save(const Liste_Kopf* liste, Datei_Status* datei) {
    if (!Liste_Gueltig(liste) || datei == nullptr) return false;
    // The registry row is not saved.
    return Datei_Schreiben_Felder(datei, [&](bytes::Schreiber& s) {
        s(Liste_Disk_Kopf{.anzahl = liste->anzahl});
        Liste_Knoten_Schreiben(s, liste->first);
    });
}

bool Liste_Load(Liste_Kopf* liste, Datei_Status* datei) {
    if (!Liste_Gueltig(liste) || datei == nullptr) return false;
    Liste_Disk_Kopf kopf;
    if (!Datei_Lesen_Felder(datei, LISTE_KOPF_DISK_GROESSE, [&](bytes::Leser& l) { l(kopf); }) ||
        kopf.magic != LISTE_MAGIC) {
        Debug_Printf("Liste_Load: Listenkopf fehlerhaft!");
        return false;
    }
    const u32 anzahl = kopf.anzahl;
    // Build a detached chain first; the list keeps its nodes on failure.
    Liste_Kopf neu{};
    Liste_Element* letzter = nullptr;
    bool ok = true;
    std::vector<u8> nutzlast;
    for (;;) {
        u32 marke = 0;
        if (!Datei_Lesen_Felder(datei, 4, [&](bytes::Leser& l) { l(marke); })) {
            ok = false;
            break;
        }
        if (marke == LISTE_MARKE_ENDE) break;
        Liste_Knoten_Kopf h;
        if (marke != LISTE_MARKE_ELEMENT || neu.anzahl >= anzahl ||
            !Datei_Lesen_Felder(datei, LISTE_ELEMENT_DISK_GROESSE, [&](bytes::Leser& l) { l(h); })) {
            ok = false;
            break;
        }
        const u32 size = h.groesse;
        // Never trust the size for more than the stream still holds.
        const i32 pos = Datei_Position(datei);
        const u32 gesamt = Datei_Groesse(datei);
        if (size > LISTE_MAX_NUTZLAST || pos < 0 || static_cast<u32>(pos) > gesamt ||
            size > gesamt - static_cast<u32>(pos)) {
            ok = false;
            break;
        }
        nutzlast.resize(size);
        if (size > 0 && Datei_Lesen(datei, nutzlast.data(), size) != size) {
            ok = false;
            break;
        }
        Liste_Element* e = Liste_Element_Neu(liste, nutzlast.data(), size, h.id);
        if (e == nullptr) {
            ok = false;
            break;
        }
        Liste_Einhaengen(&neu, letzter, e);
        letzter = e;
    }
    if (!ok || neu.anzahl != anzahl) {
        Debug_Printf("Liste_Load: Liste fehlerhaft!");
        Liste_Kette_Freigeben(neu.first);
        return false;
    }
    Liste_Kette_Uebernehmen(liste, &neu);
    return true;
}
