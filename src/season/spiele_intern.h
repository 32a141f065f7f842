// What the fixture store's files share (spiele.cpp, spiele_speicher.cpp,
// spiele_netz.cpp, spiele_sichern.cpp): the plans, the locks, the network
// client's cache and the helpers that find a plan.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/datei.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/liste.h"
#include "base/ruf.h"
#include "base/tempstr.h"
#include "season/ereignisse.h"
#include "season/netz_rufe.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/spiele_saetze.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "world/welt.h"

namespace spiele_intern {

constexpr i32 LOCK_FREI = -1;
constexpr i32 LOCK_RING = -2;  // a network client's lock into its game cache

struct Lock {
    i32 plan = LOCK_FREI;  // plan key, LOCK_FREI or LOCK_RING
    u32 pos = 0;           // position of the game in the plan, or ring entry
};

// A network client's cache of games fetched from the server.
constexpr int RING_GROESSE = 5000;
constexpr u32 RING_LEER = 0xFFFFFFFFu;

struct Ring_Eintrag {
    u32 schluessel = RING_LEER;
    Spiel spiel{};
};

struct Zustand {
    bool bereit = false;
    Liste_Kopf* plaene = nullptr;
    i32 naechster_plan = 0;
    Lock locks[SPIELE_LOCKS];
    std::vector<u8> ereignisse;  // capacity × 9 bytes
    // The events' second buffer: compacting them (every day) builds the new
    // block here and swaps the two, so no day allocates half a megabyte anew
    // (a fresh block a day scattered the heap, and the process grew by it).
    std::vector<u8> ereignisse_neu;
    u32 ereignis_anzahl = 1;
    std::unique_ptr<Spiele_Speicher> speicher[5];
    Spiel kopie{};
    std::vector<Ring_Eintrag> ring;
    i32 ring_cursor = -1;
    bool reset_erledigt = false;
};

extern Zustand z;
constexpr u32 GROESSEN[5] = {bytes::groesse<spiele_satz::Zaehler>(), bytes::groesse<spiele_satz::Ewig>(),
                             bytes::groesse<spiele_satz::Serien>(), bytes::groesse<spiele_satz::Direkt>(),
                             bytes::groesse<spiele_satz::Sieger>()};

// Bounds of a loaded save block (far above anything a season produces).
constexpr u32 MAX_LADE_KAPAZITAET = 16u * 1024u * 1024u;

Liste_Kopf* neue_liste();
void liste_weg(Liste_Kopf*& l);
Spielplan_Kopf* kopf_von(Liste_Element* e);
Spiel* spiele_von(Liste_Element* e);
Spiel* lock_spiel(i32 handle);
Spiel* gesperrt(i32 handle);
i32 lock_nehmen(i32 plan, u32 pos);
// A network client's lock: the game fetched from the server into the cache
// (spiele_netz.cpp).
i32 client_lock(u32 wettbewerb, u32 spieltag, u32 runde, u32 index);

}  // namespace spiele_intern
