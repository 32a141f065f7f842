// A season of the shipped competitions at its first matchdays, shared by the
// tests that ask the competitions or play their matches: the world of the
// shipped configuration loaded once per suite, and for every test the
// competitions read, their fixtures made and the season's set-up run to the
// third week (the leagues enter their teams in week 2).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/globals.h"
#include "matchday/saison.h"
#include "season/kalender.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/stadion.h"
#include "world/welt.h"

namespace season_test {

class Saison_Am_Start : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Meldungen m;
        ASSERT_TRUE(Welt_Laden_Ordner(Quelle("data/config").c_str(), 0)) << m.Alle();
        Stadion_Init();
        Bank_Init();
    }
    static void TearDownTestSuite() {
        Bank_Free();
        Welt_Freigeben();
    }
    void SetUp() override {
        Season_Hooks_Zuruecksetzen();
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
        ASSERT_TRUE(Kalender_Init(nullptr));
        const std::string pfad = Quelle("data/config/1_wettbewerb.cfg");
        const std::string alias = Quelle("data/config/1_wettbewerb_alias.cfg");
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str()));
        Wettbewerb_Spielplaene_Erstellen();
        Wettbewerb_Jedes_Jahr();
        for (int t = 0; t < 15; ++t) {
            Kalender_Jeden_Tag();
            Wettbewerb_Jeden_Tag();
        }
    }
    void TearDown() override {
        Spiele_Free();
        Wettbewerb_Free();
        Kalender_Free();
        Season_Hooks_Zuruecksetzen();
    }
};

}  // namespace season_test
