// The flags of a match event, shared by the match engine that records the
// events and the season that stores and counts them (stored in save games
// and sent over the network: the values never change).
#pragma once

#include "base/types.h"

constexpr u32 SFE_TEAM_A = 0x1;
constexpr u32 SFE_CHANCE = 0x2;
constexpr u32 SFE_TOR = 0x4;
constexpr u32 SFE_GELB = 0x10;
constexpr u32 SFE_GELBROT = 0x20;
constexpr u32 SFE_ROT = 0x40;
constexpr u32 SFE_KOPF = 0x80;
constexpr u32 SFE_EIGENTOR = 0x200;
constexpr u32 SFE_FERNSCHUSS = 0x2000;
constexpr u32 SFE_ELFMETER = 0x4000;
constexpr u32 SFE_FREISTOSS = 0x8000;
constexpr u32 SFE_FOUL = 0x10000;
constexpr u32 SFE_VERLETZUNG = 0x20000;
constexpr u32 SFE_WECHSEL = 0x40000;
constexpr u32 SFE_STANDARD = 0x80000;
constexpr u32 SFE_VERLAENGERUNG = 0x1000000;
constexpr u32 SFE_ELFMETERSCHIESSEN = 0x2000000;

// Older names of the first bits, still used by code written against them.
constexpr u32 EREIGNIS_FUER_A = SFE_TEAM_A, EREIGNIS_TORSCHUSS = SFE_CHANCE, EREIGNIS_TOR = SFE_TOR,
              EREIGNIS_GELB = SFE_GELB, EREIGNIS_GELBROT = SFE_GELBROT, EREIGNIS_ROT = SFE_ROT;
