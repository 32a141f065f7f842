// The training screens in a new game: the sheet with its slots, rows and
// requesters; the training run on the film screen with its bookings, falls,
// bonus and outcomes; the talents tree; the training camp and its run.
#include <gtest/gtest.h>

#include "kit.h"
#include "gui/menue.h"
#include <cstdio>
#include "screens/screens.h"
#include "screens/training/ablauf.h"
#include "screens/training/film.h"
#include "screens/training/lager.h"
#include "screens/training/plan.h"
#include "screens/training/talente.h"
#include "world/welt.h"

namespace {

class Training : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(1)); }
    void TearDown() override { kit::Beenden(); }
};

TEST_F(Training, Ansehen) {
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 4));
    kit::Frames(40);
    kit::Png("plan");
    kit::Maus(499, 198);
    kit::Frames(2);
    Screen_Icon* ai = Menue_Get_Aktives_Icon();
    printf("aktiv %d modal %d\n", ai ? ai->nummer : -1, Menue_Get_Modal());
    kit::Klick(499, 198);
    kit::Frames(5);
    kit::Maus(40, 90);
    kit::Frames(5);
    kit::Png("talente");
    Spieler_Talente_Screen_Schliessen();
    kit::Frames(2);
    kit::Klick(650, 520);
    kit::Frames(20);
    kit::Png("film");
    kit::Klick(480, 450);
    kit::Frames(200, 20);
    kit::Png("film_lauf");
    Spieler_Training2_Screen_Schliessen();
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 5));
    kit::Frames(20);
    kit::Png("lager");
    kit::Klick(670, 310);
    kit::Frames(300, 20);
    kit::Png("lager_lauf");
    kit::Klick(530, 285);
    kit::Frames(10);
    kit::Png("lager_ergebnis");
}

}  // namespace
