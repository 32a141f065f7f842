// The boards of a match show the home club's advertising partners: a board
// under contract its partner (every one of the 24), a free board and a club
// without advertising record the house boards.
#include <gtest/gtest.h>

#include "match_test.h"
#include "world/manager.h"
#include "world/werbung.h"

namespace {

class Werbebanden : public MatchTest {};

u8 standard(u32 heim, int i) { return static_cast<u8>(1 + (heim * 8 + i) % 14); }

TEST_F(Werbebanden, HeimvereinsPartnerAufDenBanden) {
    const u32 heim = liga[0], gast = liga[1];
    Werbung_Init();
    ASSERT_TRUE(Manager_Neuer_Mitspieler(static_cast<int>(heim), "Ole Brink", -1));
    ASSERT_TRUE(Werbung_Init_Team(static_cast<int>(heim), 1));
    Werbung_Daten* w = Werbung_Get(static_cast<int>(heim));
    ASSERT_TRUE(w);
    w->slot[2].betrag = 0;   // a free board
    w->slot[5].sponsor = 20;  // a partner past the 14 house boards
    w->slot[6].sponsor = 23;  // the last partner
    w->slot[7].sponsor = 200, w->slot[7].betrag = 1000;  // no such partner: a house board
    Spielfeld_Daten* sf = neu(900, heim, gast, 11);
    ASSERT_TRUE(sf);
    for (int i = 0; i < 8; ++i) {
        const bool partner = w->slot[i].betrag > 0 && w->slot[i].sponsor < WERBUNG_SPONSOREN;
        const u32 erwartet = partner ? SF_BANDE_PARTNER + w->slot[i].sponsor : standard(heim, i);
        EXPECT_EQ(sf->banden[i], erwartet) << i;
        if (!partner) {
            EXPECT_GE(sf->banden[i] % 15, 1) << "a house board 0..13";
        }
    }
    EXPECT_EQ(sf->banden[5], SF_BANDE_PARTNER + 20);
    EXPECT_EQ(sf->banden[2], standard(heim, 2));
    EXPECT_EQ(sf->banden[7], standard(heim, 7));
    // The away club's own partners do not count; a home club without a record shows the defaults.
    Spielfeld_Daten* zweites = neu(901, gast, heim, 11);
    ASSERT_TRUE(zweites);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(zweites->banden[i], standard(gast, i)) << i;
    Manager_Loeschen(static_cast<int>(heim));
    Werbung_Free();
}

}  // namespace
