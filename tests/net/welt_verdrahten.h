// The world's network wiring as the program's start-up installs it, for the
// tests that serve the world over a real connection: the call layer's team
// frame and the world's slot table on the network's slots.
#pragma once

#include "base/globals.h"
#include "base/ruf.h"
#include "net/slots.h"
#include "world/netz.h"

inline void Welt_Netz_Verdrahten() {
    ruf::Team_Rahmen_Setzen([](i32 team, bool an) {
        static i32 alt = -1;
        if (an) alt = Aktuelles_Team, Aktuelles_Team = team;
        else Aktuelles_Team = alt;
    });
    Welt_Netz_Set_Hooks({
        .slot_anzahl = [] { return static_cast<int>(VERBINDUNG_CLIENT_SLOTS); },
        .slot_team = [](int slot) { return Netz_Slot_Team(slot); },
        .slot_setzen = [](int slot, i32 team, const char*, i32) { return Netz_Slot_Team_Setzen(slot, team); },
        .aktuelle_verbindung = [] { return static_cast<int>(Netz_Aktuelle_Verbindung()); },
    });
}
