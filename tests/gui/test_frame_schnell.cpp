// At the fastest speed the menu composes only the frames the loop shows;
// every frame still takes its clicks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "gui/menue.h"
#include "menue_test.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "platform/mainloop.h"

namespace {

int gezeichnet = 0;
bool schnell = false;

void zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    ++gezeichnet;
    Blt_Rechteck(rp, x, y, i->w, i->h, 0x07E0);
}

TEST(FrameSchnell, NurGezeigteFramesWerdenZusammengesetzt) {
    Rastport_Bild bild(Rastport_Neu_Einfach(800, 600, 16));
    ASSERT_TRUE(bild);
    Rastport* vorher = Screen_Rastport;
    Screen_Rastport = bild.get();
    ASSERT_TRUE(Headless_Starten());
    Main_Hook_Tabelle h;
    h.Kalender_Run = [] { Menue_Tick(); };
    h.Schnellster_Lauf = [] { return schnell; };
    Main_Set_Hooks(h);
    Eingabe_Zuruecksetzen();
    Menue_Init();
    menue_test::log.clear();
    Screen_Icon i = menue_test::knopf(10, 100, 100, 40, 20);
    i.zeichnen = zeichnen;
    Menue_Screen_Icon_Hinzufuegen(i);

    schnell = false;
    ASSERT_EQ(Headless_Lauf("wait 4\n", 4), 4);
    EXPECT_EQ(gezeichnet, 4) << "every frame is drawn at other speeds";

    schnell = true;
    gezeichnet = 0;
    Blt_Rechteck(bild.get(), 0, 0, 800, 600, 0);
    ASSERT_EQ(Headless_Lauf("move 110 105\nwait 2\nclick left\nwait 2\n", SCHNELL_HEADLESS_JEDER - 1),
              static_cast<i32>(SCHNELL_HEADLESS_JEDER) - 1);
    EXPECT_EQ(gezeichnet, 0);
    EXPECT_EQ(bild->bitmap->pixel16()[105 * 800 + 110], 0) << "the screen stays as it was";
    EXPECT_EQ(menue_test::log, std::vector<std::string>{"10:" + std::to_string(MENUE_E_LINKS)}) << "the click between shown frames counts";
    ASSERT_EQ(Headless_Frames(1), 1);
    EXPECT_EQ(gezeichnet, 1) << "the shown frame is composed";
    EXPECT_EQ(bild->bitmap->pixel16()[105 * 800 + 110], 0x07E0);
    // A target of its own is drawn whatever the frame.
    EXPECT_TRUE(W32_Frame_Gezeigt());
    Menue_Screen_Refresh(bild.get());
    EXPECT_EQ(gezeichnet, 2);

    Menue_Free_All();
    Headless_Beenden();
    Main_Hooks_Zuruecksetzen();
    Screen_Rastport = vorher;
}

}  // namespace
