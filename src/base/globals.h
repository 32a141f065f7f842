// Global state shared by every layer of the game.
#pragma once

#include "base/types.h"

// Network role: 0 single play (or several managers on one machine), 1 client, 2 server.
constexpr u32 INTERNET_MODUS_EINZEL = 0;
constexpr u32 INTERNET_MODUS_CLIENT = 1;
constexpr u32 INTERNET_MODUS_SERVER = 2;
extern u32 Internet_Modus;

// Quit state of the main loop: 0 running, 1 quit requested, 2 leave the main loop.
constexpr u32 QUIT_STATUS_LAEUFT = 0;
constexpr u32 QUIT_STATUS_ANGEFORDERT = 1;
constexpr u32 QUIT_STATUS_VERLASSEN = 2;
extern u32 Quit_Status;
