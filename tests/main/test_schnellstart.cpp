// The quick start as the program's entry chooses it from the settings
// (`Schnellstart=1`, `Verein=19`): the club plays in its league from the
// first day, and the game is finished as the wizard finishes one (the start
// money of the default difficulty, the advertising contracts, the club's
// ground fitted to its league). Played on as a player plays until the
// club's first league match has its result.
#include <gtest/gtest.h>

#include <string>

#include "fahrer.h"
#include "programm.h"
#include "screens/start/spielstart.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace f = fahrer;

namespace {

constexpr i32 VEREIN = 19;

TEST(Schnellstart, DerVereinDerEinstellungSpieltSeineLiga) {
    std::string ordner;
    ASSERT_TRUE(Test_Programm_Starten("kordavo_schnellstart", &ordner, false,
                                      {{"Schnellstart", "1"}, {"Verein", "19"}, {"Mitspieler", "1"}}, true));
    ASSERT_TRUE(f::bis_menue());
    ASSERT_EQ(Manager_Anzahl_Menschen(), 1);
    ASSERT_EQ(Team_Aktiv, VEREIN);

    // Its league and its first league match, as the wizard's game has them.
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(VEREIN, true);
    ASSERT_GE(liga, 0) << "no league for the club of the quick start";
    Statistik_Termin termin[8];
    ASSERT_GT(Statistik_Naechstes_Spiel(VEREIN, -1, liga, termin, 8, 0, true), 0);
    // (Its opponent is known once the league has entered its clubs.)
    const Statistik_Termin erstes = termin[0];

    // The wizard's finishing: start money of the default difficulty, the
    // advertising contracts.
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(VEREIN, 0, 0), static_cast<f64>(Spielstart_Startgeld(VEREIN, 2)));
    EXPECT_GT(Werbung_Get_Sponsorbetrag(VEREIN), 0);
    EXPECT_EQ(Spielstart_Get_Zustand().schwierigkeit, 2);

    // Played on until the day after that match: it has its result.
    for (int schritt = 0; schritt < 20000 && Kalender_Get_Tag() <= erstes.tag; ++schritt) {
        if (f::im_menue()) ASSERT_TRUE(f::zug_beenden());
        else ASSERT_TRUE(f::weiter());
    }
    ASSERT_GT(Kalender_Get_Tag(), erstes.tag);
    const int n = Statistik_Naechstes_Spiel(VEREIN, erstes.tag, liga, termin, 8, 0, false);
    ASSERT_GT(n, 0);
    EXPECT_EQ(termin[0].tag, erstes.tag);
    EXPECT_GE(termin[0].gegner, 0);
    EXPECT_GE(termin[0].tore, 0) << "the first league match was not played";
    EXPECT_GE(termin[0].gegentore, 0);
    Test_Programm_Beenden(ordner);
}

// The start's steps each have a frame of their own, none of them the
// whole start: the modules emptied, the world read (no manager yet), the
// managers seated (the season not begun), the first season begun.
TEST(Schnellstart, JederSchrittHatSeinenFrame) {
    std::string ordner;
    ASSERT_TRUE(Test_Programm_Starten("kordavo_schnellstart_frames", &ordner, false,
                                      {{"Schnellstart", "1"}, {"Verein", "19"}, {"Mitspieler", "2"}}, true));
    const struct {
        const char* schritt;
        i32 modus;
        bool welt, manager;  // the world read; the club's manager seated
    } frames[] = {
        {"Module geleert", RUNMODUS_WIZARD, false, false},
        {"Welt gelesen", RUNMODUS_WIZARD, true, false},
        {"Spiel eingerichtet", RUNMODUS_WIZARD, true, true},
        {"erste Saison begonnen", RUNMODUS_TAGE_LAUFEN, true, true},
    };
    for (const auto& f : frames) {
        f::frame();
        EXPECT_EQ(Kalender_Get_Runmodus(), f.modus) << f.schritt;
        EXPECT_EQ(Team_Anzahl > VEREIN, f.welt) << f.schritt;
        EXPECT_EQ(Team_Anzahl > VEREIN && Team_Hat_Manager(VEREIN), f.manager) << f.schritt;
    }
    EXPECT_TRUE(f::bis_menue());
    Test_Programm_Beenden(ordner);
}

}  // namespace
