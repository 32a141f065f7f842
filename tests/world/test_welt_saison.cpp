// The shipped competitions placed in the calendar as the yearly set-up does,
// for many draws of the random table: every season a fan would recognise.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/random.h"
#include "season/kalender.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "welt_test.h"

namespace {

struct Termine {
    std::map<std::string, std::vector<int>> tage;  // days of each competition, in order
    int nicht_verteilt = 0;
};

const Wettbewerb* suche(const char* id) {
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        if (!std::strcmp(Wettbewerb_Tabelle[i].identifikation, id)) return &Wettbewerb_Tabelle[i];
    return nullptr;
}

// Places every competition's matchdays, rounds after the rounds they follow.
Termine verteilen(u32 cursor) {
    Termine t;
    Kalender_Init(nullptr);
    Rnd_Set_Index(static_cast<i32>(cursor), 0);
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        w.kalendermarke = -1;
    }
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || w.spieltage <= 0 || w.vorherige_gruppe != -1) continue;
        i32 vorgaenger = w.vorherige_runde >= 0 ? Wettbewerb_Tabelle[w.vorherige_runde].kalendermarke : -1;
        i32 slot =
            Kalender_Termine_Verteilen(w.spieltage * w.best_of_x, vorgaenger, 0, w.wochentag, w.quote_wochentag,
                                       w.startwoche, w.endwoche, w.super_alias, w.spielfrei_start, w.spielfrei_ende, -1,
                                       false, w.best_of_x == 2 && w.rueckspiel_zwei_wochen);
        if (slot < 0) {
            ++t.nicht_verteilt;
            continue;
        }
        for (int k = i; k >= 0 && k < WETTBEWERB_ANZAHL; k = Wettbewerb_Tabelle[k].naechste_gruppe) {
            Wettbewerb_Tabelle[k].kalendermarke = slot;
            if (Wettbewerb_Tabelle[k].naechste_gruppe == k) break;
        }
        for (int d = 0; d < KALENDER_TAGE; ++d)
            if (Kalender_Termin_Gesetzt(d, slot)) t.tage[w.identifikation].push_back(d);
    }
    return t;
}

int woche(int tag) { return tag / 7; }
int wochentag(int tag) { return (5 + tag % 7) % 7; }  // as the competitions count: 0 Saturday .. 6 Friday

class Welt_Saison : public Geladene_Welt {
  protected:
    static void SetUpTestSuite() {
        Geladene_Welt::SetUpTestSuite();
        Season_Hooks_Zuruecksetzen();
        Kalender_Init(nullptr);
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
        std::string q = welt_quelle();
        ASSERT_TRUE(
            Wettbewerb_Config_Lesen_Pfad((q + "/1_wettbewerb.cfg").c_str(), (q + "/1_wettbewerb_alias.cfg").c_str()));
    }
    static void TearDownTestSuite() {
        Spiele_Free();
        Wettbewerb_Free();
        Kalender_Free();
        Geladene_Welt::TearDownTestSuite();
    }
};

// Ten-team leagues meet four times, the English cup takes every club (with
// byes); England and Spain play through the winter, Germany stops, and the
// indoor tournament fills its break.
TEST_F(Welt_Saison, SeasonsAsInTheirCountries) {
    for (const char* id : {"RN", "RS", "A1", "C1"}) EXPECT_EQ(suche(id)->spieltage, 36) << id;
    const int pokal = suche("POKAL_E")->teams;  // a field that needs byes
    EXPECT_NE(pokal & (pokal - 1), 0) << pokal;
    Termine t = verteilen(17);
    auto in_pause = [](const Wettbewerb* w, int d) {
        return woche(d) >= w->spielfrei_start && woche(d) <= w->spielfrei_ende;
    };
    const Wettbewerb* d1 = suche("D1");
    ASSERT_LT(d1->spielfrei_start, d1->spielfrei_ende);
    for (const char* id : {"E1", "S1"}) {
        bool winter = false;
        for (int d : t.tage[id]) winter = winter || in_pause(d1, d);
        EXPECT_TRUE(winter) << id;
    }
    ASSERT_FALSE(t.tage["HALLE"].empty());
    for (int d : t.tage["HALLE"]) EXPECT_TRUE(in_pause(d1, d)) << d;
    for (int d : t.tage["INTERKONT"]) EXPECT_EQ(wochentag(d), 4) << d;  // Wednesdays
}

}  // namespace
