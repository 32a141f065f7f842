// The network layer's entries in the platform's hook table.
#pragma once

#include <cstdint>

#include "base/types.h"
#include "platform/hooks.h"

// The network start (the log file, the port number), this machine's host
// name, port setting and address to listen on, a socket event (message 1025).
bool Netz_Start(const char* logdatei, i32 nummer);
bool Netz_Lokaler_Host();
void Netz_Socket_Ereignis(uintptr_t socket, u32 ereignisse);

// A table with the network's entries (network start and host look-up, the
// connection pump, the server's receive work, the server's and the client's
// part of the frame, socket events) and every other entry at its default:
// what the network tests and tools install, and what the game's table
// (src/main) is built from.
Main_Hook_Tabelle Netz_Main_Hooks();
