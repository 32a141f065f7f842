#include "base/liste.h"

#include <cstring>

#include "base/debug.h"
#include "base/liste_intern.h"
#include "base/memory.h"

namespace {
Liste_Kopf* g_register[LISTE_MAX_LISTEN];
}  // namespace

Liste_Element* Liste_Element_Neu(Liste_Kopf* liste, const void* daten, u32 groesse, u32 id) {
    if (groesse > W32_MEMORY_MAX_GROESSE - sizeof(Liste_Element)) return nullptr;
    auto* e = static_cast<Liste_Element*>(W32_Memory_H_Alloc(sizeof(Liste_Element) + groesse, "Liste_Insert_Element"));
    if (e == nullptr) return nullptr;
    e->previous = nullptr;
    e->next = nullptr;
    e->data = reinterpret_cast<u8*>(e) + sizeof(Liste_Element);
    e->id = id;
    e->size = groesse;
    e->kopf = liste;
    e->reserve = nullptr;
    if (daten != nullptr && groesse > 0) std::memcpy(e->data, daten, groesse);  // else zeroed by the allocator
    return e;
}

void Liste_Einhaengen(Liste_Kopf* liste, Liste_Element* nach, Liste_Element* e) {
    e->kopf = liste;
    e->previous = nach;
    e->next = nach != nullptr ? nach->next : liste->first;
    if (e->next != nullptr) e->next->previous = e;
    else liste->last = e;
    if (nach != nullptr) nach->next = e;
    else liste->first = e;
    ++liste->anzahl;
}

void Liste_Kette_Freigeben(Liste_Element* e) {
    while (e != nullptr) {
        Liste_Element* n = e->next;
        e->kopf = nullptr;
        W32_Memory_H_Free(e);
        e = n;
    }
}

void Liste_Kette_Uebernehmen(Liste_Kopf* liste, Liste_Kopf* kette) {
    Liste_Delete_All(liste);
    liste->first = kette->first;
    liste->last = kette->last;
    liste->anzahl = kette->anzahl;
    for (Liste_Element* e = liste->first; e != nullptr; e = e->next) e->kopf = liste;
    kette->first = kette->last = nullptr;
    kette->anzahl = 0;
}

bool Liste_Gueltig(const Liste_Kopf* liste) {
    return liste != nullptr && liste->magic == LISTE_MAGIC && liste->nummer < LISTE_MAX_LISTEN &&
           g_register[liste->nummer] == liste;
}

bool Liste_Init(Liste_Kopf* liste) {
    if (liste == nullptr) return false;
    if (Liste_Gueltig(liste)) {
        Liste_Delete_All(liste);
        return true;
    }
    for (u32 i = 0; i < LISTE_MAX_LISTEN; ++i) {
        if (g_register[i] == nullptr) {
            g_register[i] = liste;
            liste->first = nullptr;
            liste->last = nullptr;
            liste->anzahl = 0;
            liste->nummer = i;
            liste->magic = LISTE_MAGIC;
            return true;
        }
    }
    Debug_Printf("Liste_Init: zu viele Listen!");
    return false;
}

void Liste_Freigeben(Liste_Kopf* liste) {
    if (!Liste_Gueltig(liste)) return;
    Liste_Delete_All(liste);
    g_register[liste->nummer] = nullptr;
    liste->magic = 0;
}

Liste_Element* Liste_Insert_Element(Liste_Kopf* liste, Liste_Element* nach, const void* daten, u32 groesse, u32 id) {
    if (!Liste_Gueltig(liste)) {
        Debug_Printf("Liste_Insert_Element: Liste ungueltig!");
        return nullptr;
    }
    if (nach != nullptr && nach->kopf != liste) {
        Debug_Printf("Liste_Insert_Element: Element nicht in der Liste!");
        return nullptr;
    }
    Liste_Element* e = Liste_Element_Neu(liste, daten, groesse, id);
    if (e == nullptr) return nullptr;
    Liste_Einhaengen(liste, nach, e);
    return e;
}

Liste_Element* Liste_Find_Element(const Liste_Kopf* liste, u32 id) {
    if (!Liste_Gueltig(liste)) return nullptr;
    for (Liste_Element* e = liste->first; e != nullptr; e = e->next)
        if (e->id == id) return e;
    return nullptr;
}

Liste_Element* Liste_First_Element(const Liste_Kopf* liste) { return Liste_Gueltig(liste) ? liste->first : nullptr; }

Liste_Element* Liste_Last_Element(const Liste_Kopf* liste) { return Liste_Gueltig(liste) ? liste->last : nullptr; }

Liste_Element* Liste_Next_Element(const Liste_Element* element) { return element != nullptr ? element->next : nullptr; }

bool Liste_Delete_Element(Liste_Kopf* liste, Liste_Element* element) {
    if (!Liste_Gueltig(liste) || element == nullptr || element->kopf != liste) return false;
    if (element->previous != nullptr) element->previous->next = element->next;
    else liste->first = element->next;
    if (element->next != nullptr) element->next->previous = element->previous;
    else liste->last = element->previous;
    --liste->anzahl;
    element->kopf = nullptr;
    W32_Memory_H_Free(element);
    return true;
}

void Liste_Delete_All(Liste_Kopf* liste) {
    if (!Liste_Gueltig(liste)) return;
    Liste_Kette_Freigeben(liste->first);
    liste->first = nullptr;
    liste->last = nullptr;
    liste->anzahl = 0;
}

u32 Liste_Mem_Groesse(const Liste_Kopf* liste) {
    if (!Liste_Gueltig(liste)) return 0;
    u64 n = 4;
    for (const Liste_Element* e = liste->first; e != nullptr; e = e->next)
        n += 4 + LISTE_ELEMENT_DISK_GROESSE + e->size;
    return n > W32_MEMORY_MAX_GROESSE ? 0 : static_cast<u32>(n);
}

void* Liste_To_Mem(const Liste_Kopf* liste, u32* groesse) {
    if (groesse != nullptr) *groesse = 0;
    const u32 n = Liste_Mem_Groesse(liste);
    if (n == 0) return nullptr;
    u8* block = static_cast<u8*>(W32_Memory_H_Alloc(n, "Liste_To_Mem"));
    if (block == nullptr) return nullptr;
    bytes::bild_schreiben(block, n, [&](bytes::Schreiber& s) { Liste_Knoten_Schreiben(s, liste->first); });
    if (groesse != nullptr) *groesse = n;
    return block;
}

void Liste_Knoten_Schreiben(bytes::Schreiber& s, const Liste_Element* e) {
    for (; e != nullptr; e = e->next) {
        s(LISTE_MARKE_ELEMENT), s(Liste_Knoten_Kopf{.id = e->id, .groesse = e->size});
        s.bytes(e->data, e->size);
    }
    s(LISTE_MARKE_ENDE);
}

namespace {

// One node of an image: its header and where its payload starts; false at
// the end mark. `fehler` is set for a damaged node.
bool knoten_lesen(bytes::Leser& l, Liste_Knoten_Kopf* k, size_t* nutzlast, bool* fehler) {
    u32 marke = 0;
    l(marke);
    if (!l.fehler && marke == LISTE_MARKE_ENDE) return false;
    if (marke != LISTE_MARKE_ELEMENT) {
        *fehler = true;
        return false;
    }
    l(*k);
    *nutzlast = l.pos;
    if (l.fehler || k->groesse > LISTE_MAX_NUTZLAST || !l.rest(k->groesse)) {
        *fehler = true;
        return false;
    }
    l.pos += k->groesse;
    return true;
}

}  // namespace

bool Liste_From_Mem(Liste_Kopf* liste, const void* image, u32 groesse) {
    if (!Liste_Gueltig(liste) || image == nullptr) return false;
    const u8* b = static_cast<const u8*>(image);
    // First pass: check the whole image before anything is changed.
    bytes::Leser l(b, groesse);
    Liste_Knoten_Kopf k;
    size_t nutzlast = 0;
    bool fehler = false;
    u32 knoten = 0;
    while (knoten_lesen(l, &k, &nutzlast, &fehler)) ++knoten;
    if (l.fehler) {
        Debug_Printf("Liste_From_Mem: Speicherabbild zu kurz!");
        return false;
    }
    if (fehler) {
        Debug_Printf("Liste_From_Mem: Speicherabbild fehlerhaft (Position %llu)!",
                     static_cast<unsigned long long>(l.pos));
        return false;
    }
    if (l.pos != groesse) {
        Debug_Printf("Liste_From_Mem: Daten hinter dem Ende!");
        return false;
    }
    // Second pass: build the nodes in a detached chain, then swap it in.
    Liste_Kopf neu{};
    neu.magic = LISTE_MAGIC;
    Liste_Element* letzter = nullptr;
    bytes::Leser zweiter(b, groesse);
    for (u32 i = 0; i < knoten; ++i) {
        knoten_lesen(zweiter, &k, &nutzlast, &fehler);
        Liste_Element* e = Liste_Element_Neu(liste, b + nutzlast, k.groesse, k.id);
        if (e == nullptr) {
            Liste_Kette_Freigeben(neu.first);
            Debug_Printf("Liste_From_Mem: kein Speicher!");
            return false;
        }
        Liste_Einhaengen(&neu, letzter, e);
        letzter = e;
    }
    Liste_Kette_Uebernehmen(liste, &neu);
    return true;
}
