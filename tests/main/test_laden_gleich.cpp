// A game saved through the calendar's command and loaded again plays on as
// it did after the save: the same league table after the same matchdays,
// the random table's cursor at the same place. How long the manager lingers
// in the menus (frames in which nothing of the game moves) changes neither.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/random.h"
#include "base/spielstand.h"
#include "fahrer.h"
#include "season/kalender.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"

namespace f = fahrer;

namespace {

constexpr int SLOT = 3;
constexpr i32 SPIELTAGE = 2;  // matchdays played after the save

struct Zeile {
    u32 team, punkte, tore, gegentore;
    bool operator==(const Zeile&) const = default;
};
struct Stand {
    std::vector<Zeile> tabelle;
    u32 cursor = 0;
    i32 tag = 0;
};

std::vector<Zeile> tabelle_von(i32 liga) {
    std::vector<Zeile> aus;
    const Wettbewerb* w = Wettbewerb_Get_Zeiger(liga);
    if (!w) return aus;
    auto t = std::make_unique<Tabelle>();
    Wettbewerb_Tabelle_Vorbereiten(w, t.get());
    Tabelle_Argumente a;
    a.wettbewerb = liga;
    Spiele_Get_Tabelle(a, t.get());
    for (u32 r = 0; r < t->zeilen; ++r) {
        const u32 z = t->reihenfolge[r];
        aus.push_back({t->team[z], t->punkte[0][z], t->tore[0][z], t->gegentore[0][z]});
    }
    return aus;
}

class LadenGleich : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(Test_Programm_Starten("kordavo_laden_gleich", &ordner)); }
    void TearDown() override { Test_Programm_Beenden(ordner); }

    // Turns ended, notices answered, pages taken away until `fertig` holds.
    template <class P>
    void spielen(P fertig) {
        for (i32 n = 0; n < 200000 && !fertig(); ++n) {
            if (Menue_Requester_Offen()) {
                ASSERT_TRUE(f::antworten(false));
            } else if (f::im_menue()) {
                ASSERT_TRUE(f::zug_beenden());
            } else {
                ASSERT_TRUE(f::weiter());
            }
        }
        ASSERT_TRUE(fertig());
    }
    // A calendar command (save or load) carried out, its notice answered,
    // the main menu up again.
    void befehl(i32 kommando) {
        ASSERT_EQ(K_NEUER_TAG(kommando, SLOT), 1);
        ASSERT_TRUE(f::lauf("wait 3\n", 2));
        ASSERT_TRUE(f::bis_menue());
    }
    // From the menu after a save or a load: `warten` frames of a manager who
    // thinks, then `SPIELTAGE` matchdays to the menu of the day after.
    Stand weiterspielen(i32 warten) {
        Stand s;
        // (A long wait lets the arbiter's pass bring news up as well.)
        for (i32 i = 0; i < warten; ++i) Headless_Frames(1);
        const i32 ziel = w->aktueller_spieltag + SPIELTAGE;
        spielen([&] { return w->aktueller_spieltag >= ziel && f::im_menue(); });
        s.tabelle = tabelle_von(liga);
        s.cursor = Rnd_Get_Index();
        s.tag = Kalender_Get_Tag();
        return s;
    }

    std::string ordner;
    i32 liga = -1;
    const Wettbewerb* w = nullptr;
};

TEST_F(LadenGleich, SpieltWieNachDemSpeichern) {
    for (i32 n = 0; n < 400 && Kalender_Get_Runmodus() != RUNMODUS_SPIEL; ++n) ASSERT_TRUE(f::lauf("wait 5\n", 4));
    ASSERT_TRUE(f::bis_menue());
    liga = Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true);
    ASSERT_GE(liga, 0);
    w = Wettbewerb_Get_Zeiger(liga);
    ASSERT_TRUE(w);
    // A matchday behind the league, so the table has something to show.
    spielen([&] { return w->aktueller_spieltag >= 1 && f::im_menue(); });
    if (HasFatalFailure()) return;

    befehl(KALENDER_SPEICHERN);
    if (HasFatalFailure()) return;
    Spielstand_Beschreibung b{};
    ASSERT_TRUE(Spielstand_Get_Beschreibung(SLOT, &b));
    const u32 cursor_gespeichert = Rnd_Get_Index();
    const i32 tag_gespeichert = Kalender_Get_Tag();
    const Stand original = weiterspielen(0);
    if (HasFatalFailure()) return;
    ASSERT_GT(original.tag, tag_gespeichert);
    ASSERT_FALSE(original.tabelle.empty());

    // The same game from the save, its manager quick or slow in the menus.
    const struct {
        const char* name;
        i32 warten;
    } faelle[] = {
        {"sofort", 0},
        {"kurz gezoegert", 37},
        {"lange gezoegert", 400},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        befehl(KALENDER_LADEN);
        if (HasFatalFailure()) return;
        ASSERT_EQ(Kalender_Get_Tag(), tag_gespeichert);
        // The notices after the load (a picture of their own) drew nothing:
        // the cursor stands where it stood after the save.
        EXPECT_EQ(Rnd_Get_Index(), cursor_gespeichert);
        const Stand wieder = weiterspielen(fall.warten);
        if (HasFatalFailure()) return;
        EXPECT_EQ(wieder.tag, original.tag);
        EXPECT_EQ(wieder.cursor, original.cursor);
        EXPECT_TRUE(wieder.tabelle == original.tabelle);
    }
}

}  // namespace
