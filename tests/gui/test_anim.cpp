// Animated slots: the frame limit, the delay, looping and a full array.
#include <gtest/gtest.h>

#include <vector>

#include "gui/anim.h"
#include "gui/menue.h"
#include "menue_test.h"

namespace {

std::vector<u32> gezeigt;
Rastport* merken(u32 g) {
    gezeigt.push_back(g);
    return nullptr;
}

TEST(Anim, GrenzeVerzoegerungUndSchleife) {
    menue_test::starten();
    Menue_Set_Hooks({.grafik_holen = merken});
    Anim_Slot s[2];
    Anim_Slots_Init(s, 2);
    EXPECT_EQ(Anim_Slot_Neu(s, 2, 0, 0, 5000, 30, 0, false, 0), 0);
    for (int i = 0; i < 40; ++i) Anim_Slots_Blit(s, 2);
    ASSERT_EQ(gezeigt.size(), 29u) << "limit 30 shows 29 pictures";
    EXPECT_EQ(gezeigt.front(), 5000u);
    EXPECT_EQ(gezeigt.back(), 5028u);
    EXPECT_FALSE(Anim_Slot_Belegt(s, 0));

    gezeigt.clear();
    EXPECT_EQ(Anim_Slot_Neu(s, 2, 0, 0, 6000, 4, 100, true, 1), 0);
    EXPECT_EQ(Anim_Slot_Neu(s, 2, 0, 0, 7000, 4, 100, true, 0), 1);
    EXPECT_EQ(Anim_Slot_Neu(s, 2, 0, 0, 8000, 4, 100, true, 0), -1) << "array full";
    Anim_Slots_Init(s + 1, 1);
    for (u32 t : {0u, 50u, 50u, 100u, 100u, 100u}) {
        menue_test::uhr += t;
        Anim_Slots_Blit(s, 2);
    }
    // Drawn first, then advanced once the delay has passed; frame 2 (limit 4 - 2) loops to 1.
    EXPECT_EQ(gezeigt, (std::vector<u32>{6000, 6000, 6000, 6001, 6002, 6001}));
    Menue_Set_Hooks({});
    menue_test::beenden();
}

}  // namespace
