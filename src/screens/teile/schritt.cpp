#include "screens/teile/schritt.h"

#include "grafik_nummern.h"

namespace {
// Another team's slots in the order its lists show them.
constexpr i32 FREMD_FOLGE[KADER_SLOTS] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 18, 19, 11, 12, 13, 14, 15, 16};

i32 rund(i32 i, i32 n) { return ((i % n) + n) % n; }
}  // namespace

i32 Slot_Schritt(i32 slot, i32 richtung, bool eigenes_team) {
    const i32 r = richtung < 0 ? -1 : 1;
    if (slot < 0 || slot >= KADER_SLOTS) return 0;
    if (eigenes_team) return rund(slot + r, KADER_SLOTS);
    i32 platz = 0;
    while (FREMD_FOLGE[platz] != slot) ++platz;
    return FREMD_FOLGE[rund(platz + r, KADER_SLOTS)];
}

i32 Listen_Schritt(i32 index, i32 richtung, i32 n) {
    if (n <= 0) return -1;
    return rund(index + (richtung < 0 ? -1 : 1), n);
}

i32 Stepper_Schritt(i32 x, i32 maus_x) {
    const i32 d = maus_x - x;
    return d < 30 ? -10 : d < 50 ? -1 : d < 68 ? 1 : 10;
}

i32 Stepper_Grafik(i32 schritt) {
    switch (schritt) {
        case -10: return GRAFIK_STEPPER_MINUS_10;
        case -1: return GRAFIK_STEPPER_MINUS_1;
        case 1: return GRAFIK_STEPPER_PLUS_1;
        default: return GRAFIK_STEPPER_PLUS_10;
    }
}
