// Node helpers shared by the list code and its save-game reader.
#pragma once

#include "base/liste.h"

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
