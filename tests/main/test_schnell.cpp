// Fast play as a player meets it, headless through the program's own input
// with the live view on. The manager's first match shown live runs at the
// pitch clock (a match minute every 90 ticks of 45 ms) whether the mouse
// rests or moves: the run loop's extra passes for a resting mouse and for
// fast play never carry a shown match past its clock. ">>" in the control
// bar speeds it up until it is clicked again. Left on to the end of the
// match, it does not run the next one: that match's pre-match picture stands
// until it is clicked away, and the match then starts at its own pace with
// the button up.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "fahrer.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "match/spielfeld.h"
#include "platform/headless.h"
#include "platform/mainloop.h"
#include "programm.h"
#include "screens/live_view/spielansicht.h"
#include "screens/match/ank_bild.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "world/welt.h"

namespace f = fahrer;

namespace {

// Frames of a measure: 12 s of play, about three match minutes at the
// pitch clock (20 ms a headless frame).
constexpr u32 MESS_FRAMES = 600;
constexpr int MINUTEN_NORMAL_MAX = 4;  // 600 × 20 ms / 4050 ms, rounded up, plus the minute begun
constexpr int MINUTEN_SCHNELL_MIN = 30;

// The active manager's pitch while the live view shows it (null otherwise).
Spielfeld_Daten* eigenes_spielfeld() {
    Spielfeld_Daten* sf = Spielansicht_Get_Spielfeld();
    if (!sf || Spielansicht_Laufzustand() != 1) return nullptr;
    if (static_cast<i32>(sf->team[0]) != Team_Aktiv && static_cast<i32>(sf->team[1]) != Team_Aktiv) return nullptr;
    return sf;
}

// The picture before the manager's match stands, its figures drawn.
bool vor_spiel_bild() {
    return Spielankuendigung_Laufende_Art() == ANK_VOR_SPIEL && Spielankuendigung_Stufe() == ANK_STUFEN &&
           Ank_Bild_Figuren_Gezeichnet().size() == 22;
}

// One step on as a player takes it: a turn ended, a page clicked away.
bool weiter() {
    if (f::im_menue()) return f::zug_beenden();
    return f::weiter();
}

// The match minutes a shown match runs in `frames` frames (the frame
// count of the main loop), the mouse resting where it is or moved a little
// every other frame; ENDE when the match ended meanwhile.
constexpr int ENDE = 1000;
int minuten(Spielfeld_Daten* sf, u32 frames, bool bewegt) {
    const int vorher = sf->minute;
    const u32 anfang = W32_Frame_Anzahl();
    for (int k = 0; W32_Frame_Anzahl() - anfang < frames; ++k) {
        const std::string s = bewegt ? "move " + std::to_string(300 + (k & 1) * 4) + " 300\nwait 1\n" : "wait 1\n";
        if (!f::lauf(s, 0) || eigenes_spielfeld() != sf) return ENDE;
    }
    return sf->minute - vorher;
}

TEST(SchnellesSpiel, DasGezeigteSpielLaeuftNachSeinerUhrUndSchnellNurMitDemKnopf) {
    std::string ordner;
    ASSERT_TRUE(Test_Programm_Starten("kordavo_schnell", &ordner));
    Test_Live_Ansicht(true);
    ASSERT_TRUE(f::lauf("wait 12\n", 14));
    ASSERT_TRUE(f::bis_menue());

    // To the first match of the manager's club shown live, past its kick-off.
    Spielfeld_Daten* sf = nullptr;
    for (int n = 0; n < 4000 && !(sf && sf->minute >= 1); ++n) {
        sf = eigenes_spielfeld();
        if (!sf) {
            ASSERT_TRUE(weiter());
        } else {
            ASSERT_TRUE(f::lauf("wait 1\n", 0));
        }
    }
    ASSERT_TRUE(sf) << "no match of the manager shown live";
    ASSERT_FALSE(Spielfeld_Get_Fast());
    ASSERT_TRUE(f::lauf("move 300 300\nwait 1\n", 0));

    // At its own pace, the mouse resting (the run loop's idle-mouse passes
    // must not carry it on) and the mouse moving.
    const int ruhend = minuten(sf, MESS_FRAMES, false);
    EXPECT_GE(ruhend, 1) << "the shown match stood still";
    ASSERT_LE(ruhend, MINUTEN_NORMAL_MAX) << "the shown match ran on with the mouse at rest";
    const int bewegt = minuten(sf, MESS_FRAMES, true);
    EXPECT_GE(bewegt, 1);
    ASSERT_LE(bewegt, MINUTEN_NORMAL_MAX) << "the shown match ran on with the mouse moving";

    // ">>": fast until clicked again, the button pressed meanwhile.
    ASSERT_TRUE(f::icon(ICON_LEISTE_SCHNELL, 0));
    EXPECT_TRUE(Spielfeld_Get_Fast());
    EXPECT_TRUE(Menue_Icon_Zustand(ICON_LEISTE_SCHNELL));
    const int schnell = minuten(sf, MESS_FRAMES / 6, false);
    EXPECT_GE(schnell, MINUTEN_SCHNELL_MIN) << "fast play did not speed the match up";
    ASSERT_LT(schnell, ENDE) << "the match ended in a few seconds";
    ASSERT_TRUE(f::icon(ICON_LEISTE_SCHNELL, 0));
    EXPECT_FALSE(Spielfeld_Get_Fast());
    EXPECT_FALSE(Menue_Icon_Zustand(ICON_LEISTE_SCHNELL));
    const int wieder = minuten(sf, MESS_FRAMES, false);
    EXPECT_GE(wieder, 1);
    ASSERT_LE(wieder, MINUTEN_NORMAL_MAX) << "the match stayed fast after the second click";

    // Fast again, left on to the end of the match and beyond.
    ASSERT_TRUE(f::icon(ICON_LEISTE_SCHNELL, 0));
    ASSERT_TRUE(Spielfeld_Get_Fast());
    std::printf("Minuten: %d ruhend, %d bewegt (je %u Frames), %d schnell (%u Frames), %d danach\n", ruhend, bewegt,
                MESS_FRAMES, schnell, MESS_FRAMES / 6, wieder);
    const i32 erster_tag = Kalender_Get_Tag();
    for (int n = 0; n < 4000 && eigenes_spielfeld(); ++n) ASSERT_TRUE(f::lauf("wait 2\n", 0));
    ASSERT_FALSE(eigenes_spielfeld()) << "the fast match did not end";

    // The next match: its picture stands (the match waits behind it) until
    // it is clicked away.
    bool bild = false;
    for (int n = 0; n < 6000 && !bild; ++n) {
        bild = Kalender_Get_Tag() > erster_tag && vor_spiel_bild();
        if (!bild) {
            ASSERT_TRUE(weiter());
        }
    }
    ASSERT_TRUE(bild) << "no pre-match picture before the next match";
    ASSERT_TRUE(f::lauf("wait 300\n", 0));
    EXPECT_TRUE(vor_spiel_bild()) << "the pre-match picture went by itself";
    EXPECT_EQ(eigenes_spielfeld(), nullptr) << "the next match ran behind its picture";
    sf = nullptr;
    for (int n = 0; n < 2000 && !sf; ++n) {
        sf = eigenes_spielfeld();
        if (!sf) {
            ASSERT_TRUE(f::weiter());
        }
    }
    ASSERT_TRUE(sf) << "the next match was not shown live";
    EXPECT_LE(sf->minute, 1) << "the next match was shown late";
    EXPECT_FALSE(Spielfeld_Get_Fast()) << "fast play left over from the match before";
    EXPECT_FALSE(Menue_Icon_Zustand(ICON_LEISTE_SCHNELL)) << "the fast button came back pressed";
    ASSERT_TRUE(f::lauf("move 300 300\nwait 1\n", 0));
    const int naechstes = minuten(sf, MESS_FRAMES, false);
    EXPECT_GE(naechstes, 1);
    EXPECT_LE(naechstes, MINUTEN_NORMAL_MAX) << "the next match ran fast";
    Test_Programm_Beenden(ordner);
}

}  // namespace
