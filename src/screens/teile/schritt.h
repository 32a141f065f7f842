// Stepping from one player to the next on the player card, the attribute
// popup and the attribute screens, and the value stepper of the bank and
// stadium screens.
#pragma once

#include "base/types.h"

constexpr i32 KADER_SLOTS = 20;  // line-up slots 0..10 starters, 11..16 substitutes, 17..19 reserves
// The top of a slot's row in the squad lists (squad, training sheet, the
// transfer screen's own squad): the eleven from 136, the substitutes from
// 344, the reserves from 467, 17 px apart.
constexpr i32 Kader_Slot_Y(i32 slot) {
    return slot < 11 ? 136 + 17 * slot : slot < 17 ? 344 + 17 * (slot - 11) : 467 + 17 * (slot - 17);
}

// The next line-up slot from `slot` in direction +1 / -1. The own team
// steps in slot order (19 -> 0, 0 -> 19); another team in the order the
// lists show it: 0..10, 17, 18, 19, 11..16 (and round).
i32 Slot_Schritt(i32 slot, i32 richtung, bool eigenes_team);
// The next entry of a list of n players (the transfer list), round.
i32 Listen_Schritt(i32 index, i32 richtung, i32 n);

// The value stepper: four zones from its left edge x (<30: -10, 30..49: -1,
// 50..67: +1, from 68: +10). The step of a mouse x, and the picture that
// shows that zone pressed.
i32 Stepper_Schritt(i32 x, i32 maus_x);
i32 Stepper_Grafik(i32 schritt);
