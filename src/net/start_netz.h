// The start screen's network: the connection test and the server search at
// the address the player typed, and opening the chosen role's connection.
#pragma once

#include "base/types.h"

// Tests whether a server listens at a.b.c.d (octets below 0 count as 0) on
// the game's port; with `warten` waits for the outcome (1 answered).
i32 Netz_Start_Server_Pruefen(const i32 adresse[4], bool warten);
// Starts a check of every last octet 0..254 of the address's network.
void Netz_Start_Suche_Starten(const i32 adresse[4]);
// -1 when a server answered (its address is written back), else the number
// of addresses still without an answer (their last octets to `offen`).
i32 Netz_Start_Suche_Stand(i32 adresse[4], u8* offen);
// Opens the role's connection: a server listens, a client connects to the
// address. False (and single play) when it failed.
bool Netz_Start_Verbinden(const i32 adresse[4]);
