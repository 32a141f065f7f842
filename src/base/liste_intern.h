// Node helpers shared by the list code and its save-game reader.
#pragma once

#include "base/bytes.h"
#include "base/liste.h"

// A node's header in images and save games: previous, next, data (pointers,
// written as 0), id, size, reserved.
struct Liste_Knoten_Kopf {
    u32 vorher = 0, naechster = 0, daten = 0, id = 0, groesse = 0, frei = 0;
};
template <class V, bytes::Art<Liste_Knoten_Kopf> S>
constexpr void felder(V& v, S& k) {
    v(k.vorher), v(k.naechster), v(k.daten), v(k.id), v(k.groesse), v(k.frei);
}
static_assert(bytes::groesse<Liste_Knoten_Kopf>() == LISTE_ELEMENT_DISK_GROESSE);

// The saved head: first, last (0), count, registry row (0), check word.
struct Liste_Disk_Kopf {
    u32 erster = 0, letzter = 0, anzahl = 0, zeile = 0, magic = LISTE_MAGIC;
};
template <class V, bytes::Art<Liste_Disk_Kopf> S>
constexpr void felder(V& v, S& k) {
    v(k.erster), v(k.letzter), v(k.anzahl), v(k.zeile), v(k.magic);
}
static_assert(bytes::groesse<Liste_Disk_Kopf>() == LISTE_KOPF_DISK_GROESSE);

// The nodes from `e` on and the end mark, as images and save games hold them.
void Liste_Knoten_Schreiben(bytes::Schreiber& s, const Liste_Element* e);

// A new node (not linked) with the payload copied or zeroed; null when
// memory is short.
Liste_Element* Liste_Element_Neu(Liste_Kopf* liste, const void* daten, u32 groesse, u32 id);
// Links a free node in after `nach` (first when null) and counts it.
void Liste_Einhaengen(Liste_Kopf* liste, Liste_Element* nach, Liste_Element* e);
// Frees a chain of nodes from `e` on.
void Liste_Kette_Freigeben(Liste_Element* e);
// Replaces the nodes of a registered list by a detached chain (built on a
// scratch head) and makes the nodes belong to the list.
void Liste_Kette_Uebernehmen(Liste_Kopf* liste, Liste_Kopf* kette);
