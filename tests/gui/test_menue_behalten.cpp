// The screen keeps the frame drawn last: a frame is drawn again only where
// it differs, and every kept or partly drawn frame shows the same pixels
// (and leaves the same draw trace) as a frame drawn whole.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphics/abdruck.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/menue.h"
#include "menue_test.h"

namespace {

constexpr i32 BREITE = 800, HOEHE = 600;

// What the pure procedure draws: a bar in a colour, a second bar further
// right when `zweiter` is set.
u16 balken_farbe = 0x001F;
bool zweiter = false;
void balken(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    Blt_Rechteck(rp, x, y, i->w, i->h / 2, balken_farbe);
    if (zweiter) Blt_Rechteck(rp, x + 300, y, 20, 20, 0xFFE0);
}
// `balken`, counted: every call, and the calls that drew for real (neither
// probed nor clipped).
int balken_aufrufe = 0, balken_gezeichnet = 0;
void balken_gezaehlt(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    ++balken_aufrufe;
    if (!Abdruck_Ziel) ++balken_gezeichnet;
    balken(i, rp, x, y);
}
// Writes a pixel past the blitter: the frame cannot be probed or clipped.
void vorbei(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    if (Rastport_Lock(rp)) rp->bitmap->pixel16()[static_cast<size_t>(y) * rp->breite + x] = i->farbe;
}
// Not marked as only drawing.
void fremd(Screen_Icon* i, Rastport* rp, i32 x, i32 y) { Blt_Rechteck(rp, x, y, i->w, i->h, 0x7BEF); }

class MenueBehalten : public ::testing::Test {
  protected:
    void SetUp() override {
        schirm.reset(Rastport_Neu_Einfach(BREITE, HOEHE, 16));
        vergleich.reset(Rastport_Neu_Einfach(BREITE, HOEHE, 16));
        ASSERT_TRUE(schirm && vergleich);
        vorher = Screen_Rastport;
        Screen_Rastport = schirm.get();
        menue_test::starten();
        Menue_Reiner_Zeichner(balken);
        Menue_Reiner_Zeichner(vorbei);
        Menue_Reiner_Zeichner(balken_gezaehlt);
        balken_farbe = 0x001F, zweiter = false;
        Menue_Set_Hintergrund(nullptr, 0x0841);
        // Two plain icons of their own colour, a bar drawn by a procedure
        // over one of them.
        Screen_Icon a = menue_test::knopf(10, 50, 50, 200, 100);
        a.farbe = 0xF800;
        Screen_Icon b = menue_test::knopf(11, 500, 400, 100, 60);
        b.farbe = 0x07E0;
        Screen_Icon c = menue_test::knopf(12, 60, 80, 150, 40, 1);
        c.zeichnen = balken;
        for (const Screen_Icon& i : {a, b, c}) ASSERT_NE(Menue_Screen_Icon_Hinzufuegen(i), nullptr);
    }
    void TearDown() override {
        Zeichenspur_Ausschalten();
        menue_test::beenden();
        Screen_Rastport = vorher;
    }
    u16& pixel(i32 x, i32 y) { return schirm->bitmap->pixel16()[static_cast<size_t>(y) * BREITE + x]; }
    // The screen shows what a frame drawn whole shows.
    ::testing::AssertionResult wie_ganz() {
        Menue_Screen_Refresh(vergleich.get());
        const u16* a = schirm->bitmap->pixel16();
        const u16* b = vergleich->bitmap->pixel16();
        for (i32 k = 0; k < BREITE * HOEHE; ++k)
            if (a[k] != b[k]) return ::testing::AssertionFailure() << "differs at " << k % BREITE << "," << k / BREITE;
        return ::testing::AssertionSuccess();
    }
    std::unique_ptr<Rastport> schirm, vergleich;
    Rastport* vorher = nullptr;
};

// A mark written past the blitter survives a frame that is not drawn there.
constexpr u16 MARKE = 0x1234;

TEST_F(MenueBehalten, OnlyWhatChangedIsDrawnAgain) {
    const struct Fall {
        const char* was;
        void (*aendern)();
        bool marke_bleibt;             // the mark at (700, 20), far from every change
        bool marke_bei_balken_bleibt;  // the mark at (70, 85), inside the bar
    } faelle[] = {
        {"nothing changed", [] {}, true, true},
        {"the bar's colour", [] { balken_farbe = 0x03E0; }, true, false},
        // The procedure's section grows: its old and new rectangles are drawn.
        {"a second bar appears", [] { zweiter = true; }, true, false},
        {"an icon moves", [] { Menue_Screen_Icon_Aus_Nummer(11)->x = 520; }, true, true},
        {"an icon is hidden", [] { Menue_Screen_Icon_Aus_Nummer(10)->status |= MENUE_S_VERSTECKT; }, true, false},
        {"an icon is added",
         [] {
             Screen_Icon d = menue_test::knopf(13, 300, 300, 20, 20);
             Menue_Screen_Icon_Hinzufuegen(d);
         },
         false, false},
        {"the background", [] { Menue_Set_Hintergrund(nullptr, 0x0000); }, false, false},
    };
    Menue_Screen_Refresh();
    ASSERT_TRUE(wie_ganz());
    for (const Fall& f : faelle) {
        Menue_Screen_Refresh();  // kept as it is
        pixel(700, 20) = MARKE;
        pixel(70, 85) = MARKE;
        f.aendern();
        Menue_Screen_Refresh();
        EXPECT_EQ(pixel(700, 20) == MARKE, f.marke_bleibt) << f.was;
        EXPECT_EQ(pixel(70, 85) == MARKE, f.marke_bei_balken_bleibt) << f.was;
        // Everywhere else the frame is the one drawn whole.
        Menue_Screen_Refresh(vergleich.get());
        for (auto [x, y] : {std::pair{700, 20}, {70, 85}})
            pixel(x, y) = vergleich->bitmap->pixel16()[static_cast<size_t>(y) * BREITE + x];
        EXPECT_TRUE(wie_ganz()) << f.was;
    }
}

// Changes in opposite corners (their enclosing rectangle past half the
// screen) are drawn again each in its own place: the middle stays, and the
// frame is the one drawn whole.
TEST_F(MenueBehalten, ChangesFarApartAreDrawnEachInItsPlace) {
    const struct Fall {
        const char* was;
        void (*aendern)();
        bool mitte_bleibt;  // the mark at (400, 300), between the changes
    } faelle[] = {
        {"bar and icon in opposite corners",
         [] {
             balken_farbe = static_cast<u16>(balken_farbe ^ 0x0300);
             Menue_Screen_Icon_Aus_Nummer(11)->x = static_cast<i16>(Menue_Screen_Icon_Aus_Nummer(11)->x == 690 ? 680 : 690);
             Menue_Screen_Icon_Aus_Nummer(11)->y = 530;
         },
         true},
        {"three places",
         [] {
             balken_farbe = static_cast<u16>(balken_farbe ^ 0x0300);
             Menue_Screen_Icon_Aus_Nummer(11)->x = static_cast<i16>(Menue_Screen_Icon_Aus_Nummer(11)->x == 690 ? 680 : 690);
             Screen_Icon d = menue_test::knopf(14, 740, 20, 30, 30);
             Menue_Screen_Icon_Hinzufuegen(d);
         },
         false},  // an added icon: the icons are not the same ones
        {"the background as well", [] {
             balken_farbe = static_cast<u16>(balken_farbe ^ 0x0300);
             Menue_Set_Hintergrund(nullptr, 0x0000);
         },
         false},
    };
    Menue_Screen_Refresh();
    ASSERT_TRUE(wie_ganz());
    for (const Fall& f : faelle) {
        Menue_Screen_Refresh();
        pixel(400, 300) = MARKE;
        f.aendern();
        Menue_Screen_Refresh();
        EXPECT_EQ(pixel(400, 300) == MARKE, f.mitte_bleibt) << f.was;
        Menue_Screen_Refresh(vergleich.get());
        pixel(400, 300) = vergleich->bitmap->pixel16()[static_cast<size_t>(300) * BREITE + 400];
        EXPECT_TRUE(wie_ganz()) << f.was;
    }
}

TEST_F(MenueBehalten, PartlyDrawnFramesMatchWholeOnes) {
    // A run of changes, each frame compared with one drawn whole.
    Menue_Screen_Refresh();
    for (int n = 0; n < 12; ++n) {
        balken_farbe = static_cast<u16>(0x0010 * (n % 3));
        zweiter = n % 4 == 1;
        Menue_Screen_Icon_Aus_Nummer(11)->x = static_cast<i16>(500 + 7 * (n % 5));
        Menue_Screen_Icon_Aus_Nummer(10)->status ^= n % 6 == 2 ? static_cast<u32>(MENUE_S_VERSTECKT) : 0u;
        Menue_Screen_Refresh();
        ASSERT_TRUE(wie_ganz()) << n;
    }
}

TEST_F(MenueBehalten, DrawingFromElsewhereMakesTheNextFrameWhole) {
    Menue_Screen_Refresh();
    Menue_Screen_Refresh();
    // Through the blitter: the watch sees it.
    Blt_Rechteck(schirm.get(), 690, 10, 20, 20, MARKE);
    Menue_Screen_Refresh();
    EXPECT_NE(pixel(700, 20), MARKE);
    EXPECT_TRUE(wie_ganz());
}

TEST_F(MenueBehalten, AVideosPlaceIsDrawnAgainNextFrame) {
    Menue_Screen_Refresh();
    Menue_Screen_Refresh();
    // A video's overlay marks only its place: drawn over it, the next frame
    // draws that place again and keeps the rest.
    pixel(700, 20) = MARKE;
    pixel(105, 105) = MARKE;
    Abdruck_Flaeche_Beruehrt({100, 100, 140, 130});
    Menue_Screen_Refresh();
    EXPECT_EQ(pixel(700, 20), MARKE);
    EXPECT_NE(pixel(105, 105), MARKE);
    Menue_Screen_Refresh(vergleich.get());
    pixel(700, 20) = vergleich->bitmap->pixel16()[20 * BREITE + 700];
    EXPECT_TRUE(wie_ganz());
}

TEST_F(MenueBehalten, FramesThatCannotBeFollowedAreDrawnWhole) {
    const struct Fall {
        const char* was;
        Icon_Zeichen_Prozedur zeichnen;
    } faelle[] = {
        {"a procedure not marked as only drawing", fremd},
        {"a write past the blitter", vorbei},
    };
    for (const Fall& f : faelle) {
        Screen_Icon e = menue_test::knopf(15, 600, 100, 30, 30, 2);
        e.zeichnen = f.zeichnen;
        e.farbe = 0x4321;
        ASSERT_NE(Menue_Screen_Icon_Hinzufuegen(e), nullptr) << f.was;
        Menue_Screen_Refresh();
        Menue_Screen_Refresh();
        pixel(700, 20) = MARKE;
        Menue_Screen_Refresh();
        EXPECT_NE(pixel(700, 20), MARKE) << f.was;
        EXPECT_TRUE(wie_ganz()) << f.was;
        Menue_Screen_Icon_Loeschen(15);
    }
}

TEST_F(MenueBehalten, UnderAKeptCoverOnlyWhatChangedIsDrawn) {
    // A box's dimmer: a cover over the whole screen, a button over it.
    Screen_Icon deckel = menue_test::knopf(20, 0, 0, BREITE, HOEHE, 5, MENUE_S_HALB, MENUE_F_DECKT);
    deckel.farbe = 0x4208;
    Screen_Icon knopf = menue_test::knopf(21, 600, 500, 60, 30, 6);
    knopf.zeichnen = balken;
    for (const Screen_Icon& i : {deckel, knopf}) ASSERT_NE(Menue_Screen_Icon_Hinzufuegen(i), nullptr);
    // (Compared with a whole frame only at the end: drawing the cover onto
    // another target keeps it for that one.)
    Menue_Screen_Refresh();  // draws and keeps the cover
    Menue_Screen_Refresh();
    pixel(700, 20) = MARKE;
    pixel(610, 505) = MARKE;
    Menue_Screen_Refresh();
    EXPECT_EQ(pixel(700, 20), MARKE) << "the frame was kept";
    balken_farbe = 0x7800;
    Menue_Screen_Refresh();
    EXPECT_EQ(pixel(700, 20), MARKE) << "only the button's bars were drawn";
    EXPECT_NE(pixel(610, 505), MARKE);
    Menue_Screen_Refresh(vergleich.get());
    pixel(700, 20) = vergleich->bitmap->pixel16()[20 * BREITE + 700];
    EXPECT_TRUE(wie_ganz());
}

// A clipped pass leaves out the icons whose part of the frame lies outside
// it: the bar far from the icon that moved is only probed.
TEST_F(MenueBehalten, AClippedPassDrawsOnlyTheIconsInItsPlace) {
    Menue_Screen_Icon_Aus_Nummer(12)->zeichnen = balken_gezaehlt;
    Menue_Screen_Refresh();
    Menue_Screen_Refresh();
    balken_aufrufe = 0;
    Menue_Screen_Icon_Aus_Nummer(11)->x = 520;
    Menue_Screen_Refresh();
    EXPECT_EQ(balken_aufrufe, 1) << "the bar was probed, not drawn";
    EXPECT_TRUE(wie_ganz());
}

// A box coming up over the kept frame: what lies under its dimmer is on the
// screen already and is not drawn again; when the box goes, the screen
// under it comes back from the copy kept then (and what changed under it
// meanwhile is drawn over the copy). Each frame is the one drawn whole.
TEST_F(MenueBehalten, ABoxComingUpAndGoingLeavesWhatLiesUnderIt) {
    Menue_Screen_Icon_Aus_Nummer(12)->zeichnen = balken_gezaehlt;
    const auto box_auf = [] {
        Screen_Icon deckel = menue_test::knopf(20, 0, 0, BREITE, HOEHE, 5, MENUE_S_HALB, MENUE_F_DECKT);
        deckel.farbe = 0x4208;
        Screen_Icon knopf = menue_test::knopf(21, 600, 500, 60, 30, 6);
        knopf.zeichnen = balken;
        for (const Screen_Icon& i : {deckel, knopf}) ASSERT_NE(Menue_Screen_Icon_Hinzufuegen(i), nullptr);
    };
    const struct Fall {
        const char* was;
        void (*unter_der_box)();  // what changes under the box while it is up
    } faelle[] = {
        {"nothing changed under the box", [] {}},
        {"an icon far from the bar moved under the box", [] { Menue_Screen_Icon_Aus_Nummer(11)->x += 9; }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Menue_Screen_Refresh();
        Menue_Screen_Refresh();
        balken_gezeichnet = 0;
        box_auf();
        Menue_Screen_Refresh();
        EXPECT_EQ(balken_gezeichnet, 0) << "the bar under the box stays as it was drawn";
        EXPECT_TRUE(wie_ganz());
        Menue_Screen_Refresh();  // (the box drawn on the other target is kept for that one)
        f.unter_der_box();
        Menue_Screen_Refresh();
        EXPECT_TRUE(wie_ganz());
        Menue_Screen_Icon_Loeschen(20);
        Menue_Screen_Icon_Loeschen(21);
        balken_gezeichnet = 0;
        Menue_Screen_Refresh();
        EXPECT_EQ(balken_gezeichnet, 0) << "the screen under the box came back";
        EXPECT_TRUE(wie_ganz());
    }
    // The bar itself changed while the box was up: drawn again.
    box_auf();
    Menue_Screen_Refresh();
    balken_farbe = 0x03E0;
    Menue_Screen_Refresh();
    Menue_Screen_Icon_Loeschen(20);
    Menue_Screen_Icon_Loeschen(21);
    Menue_Screen_Refresh();
    EXPECT_TRUE(wie_ganz());
}

// Boxes over two screens in turn (two managers at one machine, each with a
// screen of his own): each box starts from the copy kept under the box the
// last time its screen was shown, not from the other screen; a third
// screen's copy takes the place of the one used longer ago. Each frame is the one
// drawn whole.
TEST_F(MenueBehalten, BoxesOverTwoScreensInTurnStartFromTheirOwnCopies) {
    Menue_Screen_Icon_Aus_Nummer(12)->zeichnen = balken_gezaehlt;
    Screen_Icon deckel = menue_test::knopf(20, 0, 0, BREITE, HOEHE, 5, MENUE_S_HALB, MENUE_F_DECKT);
    deckel.farbe = 0x4208;
    Menue_Screen_Refresh();
    Menue_Screen_Refresh();
    ASSERT_NE(Menue_Screen_Icon_Hinzufuegen(deckel), nullptr);
    const struct Fall {
        u16 hintergrund;  // the screen under the box this turn
        bool aus_kopie;   // the bar under the box is not drawn again
    } faelle[] = {
        {0x0841, true},   // the screen drawn before the box came up
        {0x18E3, false},  // the other screen, shown for the first time
        {0x0841, true},   {0x18E3, true}, {0x0841, true},
        {0x2945, false},  // a third screen: the copy used longer ago goes for it
        {0x0841, true},   {0x2945, true}, {0x18E3, false},
    };
    int runde = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(runde++);
        Menue_Set_Hintergrund(nullptr, f.hintergrund);
        balken_gezeichnet = 0;
        Menue_Screen_Refresh();
        EXPECT_EQ(balken_gezeichnet == 0, f.aus_kopie);
        EXPECT_TRUE(wie_ganz());
        Menue_Screen_Refresh();  // (the box drawn on the other target is kept for that one)
    }
    Menue_Screen_Icon_Loeschen(20);
    balken_gezeichnet = 0;
    Menue_Screen_Refresh();
    EXPECT_EQ(balken_gezeichnet, 0) << "the screen under the box came back";
    EXPECT_TRUE(wie_ganz());
}

// A box coming up over a screen its copy differs from in places far apart
// (their enclosing rectangle past half the screen), and going after such
// changes under it: the copy is drawn again only in those places (the bar
// between them is not drawn whole, at most clipped where it changed); a
// screen that differs all over is drawn whole. Each frame is the one drawn
// whole.
TEST_F(MenueBehalten, ABoxOverChangesFarApartStartsFromItsCopy) {
    Menue_Screen_Icon_Aus_Nummer(12)->zeichnen = balken_gezaehlt;
    for (const Screen_Icon& i : {menue_test::knopf(13, 0, 0, 40, 40), menue_test::knopf(14, 760, 560, 40, 40)})
        ASSERT_NE(Menue_Screen_Icon_Hinzufuegen(i), nullptr);
    Screen_Icon deckel = menue_test::knopf(20, 0, 0, BREITE, HOEHE, 5, MENUE_S_HALB, MENUE_F_DECKT);
    deckel.farbe = 0x4208;
    const auto box = [&deckel](bool auf) {
        if (auf) ASSERT_NE(Menue_Screen_Icon_Hinzufuegen(deckel), nullptr);
        else Menue_Screen_Icon_Loeschen(20);
    };
    static void (*const ecken)() = [] {
        Menue_Screen_Icon_Aus_Nummer(13)->x ^= 4;
        Menue_Screen_Icon_Aus_Nummer(14)->y ^= 8;
    };
    const struct Fall {
        const char* was;
        void (*aendern)();  // before the box comes up, and again while it is up
        bool auf_aus_kopie, weg_aus_kopie;  // the bar is not drawn whole as the box comes up / goes
    } faelle[] = {
        {"nothing changed", [] {}, true, true},
        {"opposite corners", ecken, true, true},
        {"an icon moved across the screen", [] { Menue_Screen_Icon_Aus_Nummer(11)->x ^= 480; }, true, true},
        {"a corner and the bar", [] { ecken(), balken_farbe ^= 0x03E0; }, true, true},
        // Another background: drawn whole; going, the copy made as it came up.
        {"the background", [] { Menue_Set_Hintergrund(nullptr, 0x2945); }, false, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        // The box over the screen keeps its copy; another screen shown after.
        Menue_Set_Hintergrund(nullptr, 0x0841);
        Menue_Screen_Refresh();
        box(true);
        Menue_Screen_Refresh();
        box(false);
        Menue_Screen_Refresh();
        Menue_Set_Hintergrund(nullptr, 0x18E3);
        Menue_Screen_Refresh();
        // Back, changed, with the box coming up in the same frame.
        Menue_Set_Hintergrund(nullptr, 0x0841);
        f.aendern();
        box(true);
        balken_gezeichnet = 0;
        Menue_Screen_Refresh();
        EXPECT_EQ(balken_gezeichnet == 0, f.auf_aus_kopie) << "coming up";
        EXPECT_TRUE(wie_ganz());
        Menue_Screen_Refresh();
        f.aendern();
        box(false);
        balken_gezeichnet = 0;
        Menue_Screen_Refresh();
        EXPECT_EQ(balken_gezeichnet == 0, f.weg_aus_kopie) << "going";
        EXPECT_TRUE(wie_ganz());
    }
}

// A box's dimmer drawn by a procedure; the darkenings drawn for real counted.
int dimmer_gezeichnet = 0;
i32 dimmer_stufe = 90;
void dimmer(Screen_Icon*, Rastport* rp, i32, i32) {
    if (!Abdruck_Ziel) ++dimmer_gezeichnet;
    Blt_Abdunkeln(rp, 0, 0, BREITE, HOEHE, dimmer_stufe);
}

// A box coming up again over the screen it came up over before, with the
// same dimmer, shows the cover kept then: the dimmer is not drawn again.
// Anything else that differs (under the box or the dimmer) darkens anew.
// Each frame is the one drawn whole.
TEST_F(MenueBehalten, ABoxComingUpAgainOverTheSameScreenShowsItsKeptCover) {
    Menue_Reiner_Zeichner(dimmer);
    dimmer_stufe = 90;
    const auto box_auf = [] {
        Screen_Icon deckel = menue_test::knopf(20, 0, 0, BREITE, HOEHE, 5, 0, MENUE_F_DECKT);
        deckel.zeichnen = dimmer;
        Screen_Icon knopf = menue_test::knopf(21, 600, 500, 60, 30, 6);
        knopf.zeichnen = balken;
        for (const Screen_Icon& i : {deckel, knopf}) ASSERT_NE(Menue_Screen_Icon_Hinzufuegen(i), nullptr);
    };
    const struct Fall {
        const char* was;
        void (*vorher)();  // while no box is up
        bool gedunkelt;    // the dimmer is drawn for real
    } faelle[] = {
        {"the first box", [] {}, true},
        {"the same box over the same screen", [] {}, false},
        {"and again", [] {}, false},
        {"the bar under the box changed", [] { balken_farbe = 0x03E0; }, true},
        {"the same box over the changed screen", [] {}, false},
        {"a darker dimmer", [] { dimmer_stufe = 60; }, true},
        {"another background", [] { Menue_Set_Hintergrund(nullptr, 0x18E3); }, true},
        {"the same box over that one", [] {}, false},
    };
    Menue_Screen_Refresh();
    Menue_Screen_Refresh();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        f.vorher();
        Menue_Screen_Refresh();
        box_auf();
        dimmer_gezeichnet = 0;
        Menue_Screen_Refresh();
        EXPECT_EQ(dimmer_gezeichnet > 0, f.gedunkelt);
        EXPECT_TRUE(wie_ganz());
        Menue_Screen_Refresh();
        EXPECT_TRUE(wie_ganz());
        Menue_Screen_Icon_Loeschen(20);
        Menue_Screen_Icon_Loeschen(21);
        Menue_Screen_Refresh();
        EXPECT_TRUE(wie_ganz());
    }
}

TEST_F(MenueBehalten, AKeptFrameLeavesTheTraceOfAWholeOne) {
    Zeichenspur_Einschalten();
    Menue_Screen_Refresh();
    const std::vector<Zeichenspur_Eintrag> ganz = Zeichenspur_Eintraege();
    ASSERT_FALSE(ganz.empty());
    Zeichenspur_Leeren();
    pixel(700, 20) = MARKE;
    Menue_Screen_Refresh();
    EXPECT_EQ(pixel(700, 20), MARKE) << "the frame was kept";
    const std::vector<Zeichenspur_Eintrag>& behalten = Zeichenspur_Eintraege();
    ASSERT_EQ(behalten.size(), ganz.size());
    for (size_t k = 0; k < ganz.size(); ++k) {
        EXPECT_EQ(behalten[k].art, ganz[k].art) << k;
        EXPECT_EQ(behalten[k].x, ganz[k].x) << k;
        EXPECT_EQ(behalten[k].y, ganz[k].y) << k;
        EXPECT_EQ(behalten[k].breite, ganz[k].breite) << k;
        EXPECT_EQ(behalten[k].farbe, ganz[k].farbe) << k;
    }
    // A change with the trace on draws the frame whole (the trace of every icon).
    Zeichenspur_Leeren();
    balken_farbe = 0x0123;
    Menue_Screen_Refresh();
    EXPECT_EQ(Zeichenspur_Eintraege().size(), ganz.size());
    EXPECT_TRUE(wie_ganz());
}

}  // namespace
