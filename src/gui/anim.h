// Animated icon slots: short runs of pictures with consecutive graphic
// numbers, drawn at a fixed place, advancing after a delay, played once or
// looped. Screens own arrays of slots and blit them once a frame.
//
// A run with frame limit N shows the pictures base + 0 .. base + N - 2
// (N - 1 pictures); data sets are made to that count.
#pragma once

#include "base/types.h"

struct Anim_Slot {
    u32 grafik = 0xFFFFFFFFu;  // first picture, -1 when cleared
    i32 x = 0, y = 0;
    u8 belegt = 0;
    u32 frame = 0;
    u32 grenze = 0;
    u32 zuletzt = 0;
    u32 verzoegerung = 0;
    u8 schleife = 0;
    u32 neustart = 0;
};

void Anim_Slots_Init(Anim_Slot* slots, i32 anzahl);
// Starts a run in the first free slot: its index, or -1 when all are busy.
i32 Anim_Slot_Neu(Anim_Slot* slots, i32 anzahl, i32 x, i32 y, u32 grafik, u32 grenze, u32 verzoegerung, bool schleife,
                  u32 neustart);
// Draws every running slot onto the screen (colour key 0) and advances it.
void Anim_Slots_Blit(Anim_Slot* slots, i32 anzahl);
bool Anim_Slot_Belegt(const Anim_Slot* slots, i32 index);
u32 Anim_Slot_Get_Frame(const Anim_Slot* slots, i32 index);
