// Writing lists to the save-game stream and reading them back.
#include <cstring>
#include <vector>

#include "base/debug.h"
#include "base/liste.h"
#include "base/liste_intern.h"
#include "base/memory.h"

#include "base/datei.h"

namespace {

bool Lesen(Datei_Status* datei, void* puffer, u32 groesse) {
    return static_cast<u64>(Datei_Lesen(datei, puffer, groesse)) == groesse;
}

}  // namespace

bool Liste_Save(const Liste_Kopf* liste, Datei_Status* datei) {
    if (!Liste_Gueltig(liste) || datei == nullptr) return false;
    u8 kopf[LISTE_KOPF_DISK_GROESSE];
    put_u32le(kopf, 0);  // first
    put_u32le(kopf + 4, 0);  // last
    put_u32le(kopf + 8, liste->anzahl);
    put_u32le(kopf + 12, 0);  // registry row: not saved
    put_u32le(kopf + 16, LISTE_MAGIC);
    if (!Datei_Schreiben(datei, kopf, sizeof kopf)) return false;
    for (const Liste_Element* e = liste->first; e != nullptr; e = e->next) {
        u8 h[4 + LISTE_ELEMENT_DISK_GROESSE] = {};
        put_u32le(h, LISTE_MARKE_ELEMENT);
        put_u32le(h + 16, e->id);
        put_u32le(h + 20, e->size);
        if (!Datei_Schreiben(datei, h, sizeof h)) return false;
        if (e->size > 0 && !Datei_Schreiben(datei, e->data, e->size)) return false;
    }
    u8 ende[4];
    put_u32le(ende, LISTE_MARKE_ENDE);
    return Datei_Schreiben(datei, ende, sizeof ende);
}

bool Liste_Load(Liste_Kopf* liste, Datei_Status* datei) {
    if (!Liste_Gueltig(liste) || datei == nullptr) return false;
    u8 kopf[LISTE_KOPF_DISK_GROESSE];
    if (!Lesen(datei, kopf, sizeof kopf) || get_u32le(kopf + 16) != LISTE_MAGIC) {
        Debug_Printf("Liste_Load: Listenkopf fehlerhaft!");
        return false;
    }
    const u32 anzahl = get_u32le(kopf + 8);
    // Build a detached chain first; the list keeps its nodes on failure.
    Liste_Kopf neu{};
    Liste_Element* letzter = nullptr;
    bool ok = true;
    std::vector<u8> nutzlast;
    for (;;) {
        u8 marke[4];
        if (!Lesen(datei, marke, 4)) {
            ok = false;
            break;
        }
        if (get_u32le(marke) == LISTE_MARKE_ENDE) break;
        u8 h[LISTE_ELEMENT_DISK_GROESSE];
        if (get_u32le(marke) != LISTE_MARKE_ELEMENT || neu.anzahl >= anzahl || !Lesen(datei, h, sizeof h)) {
            ok = false;
            break;
        }
        const u32 size = get_u32le(h + 16);  // header: previous, next, data, id, size, reserved
        // Never trust the size for more than the stream still holds.
        const i32 pos = Datei_Position(datei);
        const u32 gesamt = Datei_Groesse(datei);
        if (size > LISTE_MAX_NUTZLAST || pos < 0 || static_cast<u32>(pos) > gesamt || size > gesamt - static_cast<u32>(pos)) {
            ok = false;
            break;
        }
        nutzlast.resize(size);
        if (size > 0 && !Lesen(datei, nutzlast.data(), size)) {
            ok = false;
            break;
        }
        Liste_Element* e = Liste_Element_Neu(liste, nutzlast.data(), size, get_u32le(h + 12));
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
