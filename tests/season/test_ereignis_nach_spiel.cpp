// After-match events: a riot needs a home defeat (over every position of the
// random table), and it books its fine and costs comfort.
#include <gtest/gtest.h>

#include <string>

#include "base/globals.h"
#include "base/random.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/news.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/welt.h"

namespace {

TEST(EreignisNachSpiel, RandaleNurNachHeimniederlage) {
    ASSERT_TRUE(Welt_Anlegen(4, 3 * 20 + TRANSFERMARKT_SPIELER));
    for (int s = 0; s < Spieler_Anzahl; s++)
        Spieler_Daten[s].team = s < TRANSFERMARKT_SPIELER ? 0 : 1 + (s - TRANSFERMARKT_SPIELER) / 20;
    Team_Kader_Neu_Aufbauen();
    ASSERT_TRUE(Manager_Neuer_Mitspieler(1, "Test", 0) && Kalender_Init(nullptr));
    Bank_Init();
    Stadion_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(1, 1000000.0, 0));
    Stadion_Daten* st = Stadion_Get(1, 1);
    ASSERT_NE(st, nullptr);
    Schwierigkeit = 2;
    const std::string cfg = "NEUES_EREIGNIS\nKATEGORIE RANDALE\nTEXT \"Randale: %s, %d\"\nWERT1 50000\nWERT2 10\n";
    Ereignis_Init();
    ASSERT_TRUE(Ereignis_Laden_Text(cfg.data(), static_cast<u32>(cfg.size())));
    int randale[3] = {};  // away defeat, home win, home defeat
    const i32 faelle[3][3] = {{1, 3, 0}, {0, 3, 0}, {0, 0, 3}};
    for (int f = 0; f < 3; ++f)
        for (i32 c = 0; c < 6000; ++c) {
            News_Init();
            st->komfort = 50, st->klasse = 5;
            const f64 vorher = Bank_Get_Kontostand(1, 0, -1);
            Rnd_Set_Index(c, 0);
            Ereignis_Nach_Spiel(1, faelle[f][0], faelle[f][1], faelle[f][2]);
            if (News_Anzahl() == 0) continue;
            ++randale[f];
            ASSERT_EQ(News_Get_Text(0).rfind("Randale: ", 0), 0u) << News_Get_Text(0);
            EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(1, 0, -1), vorher - 50000.0);
            EXPECT_TRUE(st->komfort >= 35 && st->komfort <= 45) << st->komfort;
        }
    EXPECT_EQ(randale[0] + randale[1], 0);
    EXPECT_GT(randale[2], 0);
    News_Free();
    Stadion_Free();
    Bank_Free();
    Kalender_Free();
    Ereignis_Free();
    Welt_Freigeben();
}

}  // namespace
