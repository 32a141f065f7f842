// The season's world hooks connected to the world library.
#include <gtest/gtest.h>

#include <cstring>

#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/season_welt.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

TEST(SeasonWelt, HooksLesenDieWeltdaten) {
    ASSERT_TRUE(Welt_Anlegen(10, 0));
    Team_Aktiv = 3;
    Season_Welt_Anbinden(0);
    EXPECT_EQ(Season_Welt.Team_Anzahl(), 10);
    EXPECT_EQ(Season_Welt.Team_Aktiv(), 3);
    Season_Welt.Set_Team_Aktiv(4);
    EXPECT_EQ(Team_Aktiv, 4);
    i32 teams[1000];
    EXPECT_EQ(Season_Welt.Manager_Ist_Dran(teams, 1000), 0);  // no human manager yet
    std::strcpy(Kontinent_Tabelle[2].name, "Nordeuropa");
    EXPECT_STREQ(Season_Welt.Kontinent_Name(2), "Nordeuropa");
    EXPECT_EQ(Season_Welt.Kontinent_Name(15), nullptr);
    // Without a manager record the team options give the value back.
    EXPECT_EQ(Option_Wert(40, 0, 77), 77);
    Welt_Freigeben();
    Season_Hooks_Zuruecksetzen();
}

}  // namespace
