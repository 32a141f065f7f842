// The keyed, doubly linked list container.
//
// A list is a head (Liste_Kopf) and nodes (Liste_Element) each followed by
// its payload; node and payload are one guarded memory block. Heads are
// entered in a registry of up to LISTE_MAX_LISTEN lists when initialised;
// an operation on a head that is not registered fails.
//
// On disk and in memory images the head is 20 bytes (first, last, count,
// registry row, check word) and every node header 24 bytes (previous, next,
// data, id, size, a reserved word), all u32 little-endian; the pointer
// fields, the registry row and the reserved word are written as 0.
#pragma once

#include "base/types.h"

struct Datei_Status;  // the save-game stream (datei.h)

constexpr u32 LISTE_MAX_LISTEN = 1000;
constexpr u32 LISTE_KOPF_DISK_GROESSE = 20;
constexpr u32 LISTE_ELEMENT_DISK_GROESSE = 24;
constexpr u32 LISTE_MARKE_ELEMENT = 0xFFFFFFFFu;
constexpr u32 LISTE_MARKE_ENDE = 0xF0F0F0F0u;
constexpr u32 LISTE_MAGIC = 0x4C495354u;  // "LIST" (head check word)
// Largest payload of one node read back from an image or a save game.
constexpr u32 LISTE_MAX_NUTZLAST = 64u * 1024u * 1024u;

struct Liste_Kopf;

struct Liste_Element {
    Liste_Element* previous;
    Liste_Element* next;
    void* data;  // the payload, directly behind this header
    u32 id;
    u32 size;          // payload size in bytes
    Liste_Kopf* kopf;  // the list holding the node (in memory only)
    void* reserve;     // keeps the payload 16-byte aligned
};
static_assert(sizeof(Liste_Element) % 16 == 0, "payload alignment");

struct Liste_Kopf {
    Liste_Element* first;
    Liste_Element* last;
    u32 anzahl;  // number of nodes
    u32 nummer;  // row in the registry
    u32 magic;   // LISTE_MAGIC while registered
};

// Initialises a head as an empty list and registers it (a head that is
// already registered keeps its row and loses its nodes). False when the
// registry is full.
bool Liste_Init(Liste_Kopf* liste);
// Deletes all nodes and removes the head from the registry. Temporary lists
// (a head on the stack) must end with it.
void Liste_Freigeben(Liste_Kopf* liste);
// True when the head is registered.
bool Liste_Gueltig(const Liste_Kopf* liste);

// Inserts a node right after `nach`, or with `nach` null right after the
// head, so that it becomes the first node. The payload of `groesse` bytes is
// copied from `daten`, or zeroed when `daten` is null. Returns the node, or
// null when memory is short, the list is not valid or `nach` is not in it.
Liste_Element* Liste_Insert_Element(Liste_Kopf* liste, Liste_Element* nach, const void* daten, u32 groesse, u32 id);
// The first node with the id, null if none.
Liste_Element* Liste_Find_Element(const Liste_Kopf* liste, u32 id);
Liste_Element* Liste_First_Element(const Liste_Kopf* liste);
Liste_Element* Liste_Last_Element(const Liste_Kopf* liste);
// The node after `element` (null at the end or for null).
Liste_Element* Liste_Next_Element(const Liste_Element* element);
// Unlinks and frees one node; false when it is not in the list.
bool Liste_Delete_Element(Liste_Kopf* liste, Liste_Element* element);
// Frees every node; the head stays registered and empty.
void Liste_Delete_All(Liste_Kopf* liste);

// Memory image: per node the marker 0xFFFFFFFF, the 24-byte node header and
// the payload, then the end marker 0xF0F0F0F0. Returns a new guarded block
// (free it with W32_Memory_H_Free) and its size, or null.
void* Liste_To_Mem(const Liste_Kopf* liste, u32* groesse);
// Size of the image Liste_To_Mem would make.
u32 Liste_Mem_Groesse(const Liste_Kopf* liste);
// Replaces the nodes of the list by those of an image of `groesse` bytes, in
// their order. A malformed image (cut short, a wrong marker, a payload size
// that does not fit, bytes after the end marker) is refused with a debug
// message and leaves the list as it was.
bool Liste_From_Mem(Liste_Kopf* liste, const void* image, u32 groesse);

// Save game: writes the 20-byte head, then the nodes as in the memory image.
bool Liste_Save(const Liste_Kopf* liste, Datei_Status* datei);
// Reads such a block and replaces the nodes of the list (each inserted after
// the previous one, so the order is kept). A malformed block is refused with
// a debug message and the list keeps its old nodes.
bool Liste_Load(Liste_Kopf* liste, Datei_Status* datei);
