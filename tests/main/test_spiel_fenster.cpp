// A human manager's match played headless through the program's input
// script: the pre-match picture comes before it; in the second half the
// manager opens the line-up windows from the control bar, makes a
// substitution, then raises a tactic value in the tactics window; the match
// record shows both, and the match is played to its end. The same script
// runs with the match behind the overview and with the live view.
#include <gtest/gtest.h>

#include <string>

#include "base/globals.h"
#include "base/random.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "match/spielfeld.h"
#include "platform/headless.h"
#include "programm.h"
#include "screens/live_view/spielansicht.h"
#include "screens/match/ank_bild.h"
#include "screens/match/im_spiel.h"
#include "screens/match/taktik_im_spiel.h"
#include "season/ankuendigung.h"
#include "season/kalender_lauf.h"
#include "season/season_hooks.h"
#include "world/welt.h"

namespace {

// A click at a place: the mouse moved there first and resting two frames,
// as a player's hand does (under the live view a click without the move
// before it was not taken by the line-up rows).
std::string klick(i32 x, i32 y) {
    const std::string p = std::to_string(x) + " " + std::to_string(y);
    return "move " + p + "\nwait 2\nclick left " + p + "\nwait 2\n";
}
std::string klick(const Screen_Icon* i, i32 dx, i32 dy) { return i ? klick(i->x + dx, i->y + dy) : ""; }

// The human manager's pitch while it is shown (null otherwise).
Spielfeld_Daten* eigenes_spielfeld() {
    Spielfeld_Daten* sf = E_Im_Spiel_Screen_Spielfeld();
    if (!sf || (static_cast<i32>(sf->team[0]) != Team_Aktiv && static_cast<i32>(sf->team[1]) != Team_Aktiv)) return nullptr;
    return sf;
}

// The screenshots carry the way the match was shown in their names.
std::string png(const char* name, bool live) { return std::string(name) + (live ? "_live" : "") + ".png"; }

void spielen(bool live) {
    std::string ordner;
    ASSERT_TRUE(Test_Programm_Starten(live ? "kordavo_fenster_live" : "kordavo_fenster", &ordner));
    Test_Live_Ansicht(live);
    Rnd_Set_Index(0, 0);
    ASSERT_GT(Headless_Lauf("wait 12\n", 40), 0);
    // Day by day until the picture before the manager's first match is up.
    bool bild = false;
    for (int n = 0; n < 1500 && !bild; ++n) {
        if (Spielankuendigung_Laufende_Art() == ANK_VOR_SPIEL && Spielankuendigung_Stufe() == ANK_STUFEN &&
            Ank_Bild_Figuren_Gezeichnet().size() == 22) {
            bild = true;
            break;
        }
        if (Kalender_Get_Runmodus() == RUNMODUS_SPIEL && !Spielankuendigung_Screen_Offen() &&
            Spielankuendigung_Puffer_Leer() && Menue_Screen_Icon_Ist_Vorhanden(ICON_ZUG_ENDE))
            ASSERT_GT(Headless_Lauf("move 750 583\nwait 2\nclick left\nwait 6\n", 20), 0);
        else if (Spielankuendigung_Laufende_Art() == ANK_VOR_SPIEL)
            ASSERT_GT(Headless_Lauf("wait 2\n", 3), 0);
        else
            ASSERT_GT(Headless_Lauf(std::string(Ankuendigung_Wegklicken()) + "wait 3\n", 8), 0);
    }
    ASSERT_TRUE(bild) << "no pre-match picture";
    ASSERT_GT(Headless_Lauf("wait 40\nscreenshot " + png("vor_spiel", live) + "\nwait 2\nclick left\nwait 5\n", 60), 0);

    // The match runs; wait for the second half of the manager's match.
    Spielfeld_Daten* sf = nullptr;
    bool schnell = false;
    for (int n = 0; n < 20000; ++n) {
        sf = eigenes_spielfeld();
        if (sf && sf->halbzeit >= 2 && sf->minute >= 46 && sf->halbzeit_status == 0) break;
        // The live view plays at the pitch clock; the control bar's fast
        // play takes the first half through (switched off again for the
        // changes, as a player would).
        if (live && sf && !schnell && Spielansicht_Get_Spielfeld() == sf) {
            ASSERT_GT(Headless_Lauf("screenshot " + png("spiel", live) + "\nwait 1\n" + klick(250, 582), 6), 0);
            schnell = Spielfeld_Get_Fast() != 0;
            continue;
        }
        if (Kalender_Get_Runmodus() == RUNMODUS_SPIEL && !Spielankuendigung_Screen_Offen() &&
            Spielankuendigung_Puffer_Leer() && Menue_Screen_Icon_Ist_Vorhanden(ICON_ZUG_ENDE)) {
            ASSERT_GT(Headless_Lauf("move 750 583\nwait 2\nclick left\nwait 6\n", 20), 0);
            continue;
        }
        ASSERT_GT(Headless_Lauf(std::string(Ankuendigung_Wegklicken()) + "wait 4\n", 8), 0);
    }
    ASSERT_TRUE(sf && sf->halbzeit >= 2) << "the manager's match did not reach the second half";
    const int seite = static_cast<i32>(sf->team[0]) == Team_Aktiv ? 0 : 1;
    if (live) {
        EXPECT_TRUE(schnell) << "fast play from the control bar";
        EXPECT_EQ(Spielansicht_Get_Spielfeld(), sf) << "the match is shown live";
        if (Spielfeld_Get_Fast()) {
            ASSERT_GT(Headless_Lauf(klick(250, 582), 4), 0);
        }
        EXPECT_FALSE(Spielfeld_Get_Fast());
    }

    // The control bar's line-up button: both windows, the match held.
    ASSERT_GT(Headless_Lauf(klick(462, 582), 4), 0);
    ASSERT_TRUE(E_Im_Spiel_Screen_Ist_Offen());
    EXPECT_TRUE(Menue_Get_Spiel_Pause());
    // A field player (row 5), then the first bench row that can come on.
    const Im_Spiel_Stand st = E_Im_Spiel_Screen_Stand();
    int bank = -1;
    for (int k = 0; k < IM_SPIEL_BANKZEILEN && bank < 0; ++k)
        for (int i = seite * SF_PRO_SEITE; i < (seite + 1) * SF_PRO_SEITE; ++i)
            if (st.bank[k] >= 0 && sf->spieler[i].spieler == st.bank[k] &&
                (sf->spieler[i].status & (SFS_BANK | SFS_VERLETZT | SFS_AUSGEWECHSELT)) == SFS_BANK)
                bank = k;
    ASSERT_GE(bank, 0);
    i32 raus = -1, rein = -1;
    for (int i = seite * SF_PRO_SEITE; i < (seite + 1) * SF_PRO_SEITE; ++i) {
        if (sf->spieler[i].spieler == st.feld[5]) raus = i;
        if (sf->spieler[i].spieler == st.bank[bank]) rein = i;
    }
    ASSERT_GE(raus, 0);
    ASSERT_GE(rein, 0);
    std::string s = klick(Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_ZEILE + 5), 100, 8);
    s += klick(Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_ZEILE + IM_SPIEL_FELDZEILEN + bank), 100, 8);
    s += "screenshot " + png("im_spiel_wechsel", live) + "\nwait 1\n";
    ASSERT_GT(Headless_Lauf(s, 40), 0);
    // Queued, or already made at a dead ball of the running match.
    const bool gemacht = (sf->spieler[rein].status & SFS_EINGEWECHSELT) != 0;
    EXPECT_TRUE(gemacht || Spielfeld_Ist_In_Rollenliste_A(sf, rein));
    EXPECT_TRUE(gemacht || Spielfeld_Ist_In_Rollenliste_B(sf, raus));
    // The button again closes the windows and lets the match go on.
    ASSERT_GT(Headless_Lauf(klick(462, 582), 4), 0);
    EXPECT_FALSE(E_Im_Spiel_Screen_Ist_Offen());
    EXPECT_FALSE(Menue_Get_Spiel_Pause());

    // The tactics window: value 2 ("Risiko") five up.
    const i8 vorher = sf->seite[seite].taktik[TW_WERT2];
    ASSERT_GT(Headless_Lauf(klick(528, 582), 4), 0);
    ASSERT_TRUE(Taktik_Im_Spiel_Screen_Ist_Offen());
    const Screen_Icon* knopf = Menue_Screen_Icon_Aus_Nummer(vorher >= 100 ? ICON_TAKTIK_IM_SPIEL_MINUS + 2
                                                                           : ICON_TAKTIK_IM_SPIEL_MINUS + 3);
    ASSERT_GT(Headless_Lauf(klick(knopf, 8, 8) + "screenshot " + png("im_spiel_taktik", live) + "\nwait 1\n", 8), 0);
    const i8 nachher = sf->seite[seite].taktik[TW_WERT2];
    EXPECT_EQ(nachher, vorher >= 100 ? 95 : vorher + 5);
    ASSERT_GT(Headless_Lauf(klick(528, 582), 4), 0);
    EXPECT_FALSE(Taktik_Im_Spiel_Screen_Ist_Offen());
    if (live) {
        ASSERT_GT(Headless_Lauf(klick(250, 582), 4), 0);  // fast play again
    }

    // Played on: the substitution is made at the next dead ball; the match
    // record keeps both changes until the end.
    for (int n = 0; n < 4000 && eigenes_spielfeld() == sf && !(sf->spieler[rein].status & SFS_EINGEWECHSELT); ++n)
        ASSERT_GT(Headless_Lauf(std::string(Ankuendigung_Wegklicken()) + "wait 4\n", 8), 0);
    ASSERT_EQ(eigenes_spielfeld(), sf);
    EXPECT_NE(sf->spieler[rein].status & SFS_EINGEWECHSELT, 0u);
    // The partner going off is the field player clicked in the row as it
    // stood at the click (the running match may re-sort the rows): one
    // player of the side left in the minute the substitute came on.
    int raus_gemacht = 0;
    for (int i = seite * SF_PRO_SEITE; i < (seite + 1) * SF_PRO_SEITE; ++i)
        raus_gemacht += (sf->spieler[i].status & SFS_AUSGEWECHSELT) && sf->spieler[i].minute_aus == sf->spieler[rein].minute_ein;
    EXPECT_EQ(raus_gemacht, 1);
    EXPECT_GE(sf->spieler[rein].minute_ein, 46);
    EXPECT_EQ(sf->seite[seite].taktik[TW_WERT2], nachher);
    if (live) {
        EXPECT_EQ(Spielansicht_Get_Spielfeld(), sf) << "still shown live";
        ASSERT_GT(Headless_Lauf("wait 2\nscreenshot " + png("spiel_nach_wechsel", live) + "\nwait 1\n", 4), 0);
    }
    Test_Programm_Beenden(ordner);
}

TEST(SpielFenster, APreMatchPictureThenASubstitutionAndATacticChangeInTheSecondHalf) { spielen(false); }

TEST(SpielFenster, TheSameWithTheMatchShownLive) { spielen(true); }

}  // namespace
