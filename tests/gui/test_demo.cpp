// The GUI demonstration replayed headless from its input script: the click
// procedures called and the last frame must equal the recorded ones.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "graphics/rastport.h"
#include "graphics/testfont.h"
#include "gui/demo.h"
#include "gui/eingabe.h"
#include "gui/menue.h"
#include "platform/headless.h"
#include "platform/hooks.h"
#include "base/pruefsumme.h"

#ifndef KORDAVO_TEST_DATEN
#define KORDAVO_TEST_DATEN "."
#endif

namespace {

// The start value the demo's frame was first pinned with.
constexpr u64 DEMO_START = 1469598103934665603ull;

TEST(GuiDemo, SkriptErgibtGoldeneKlicksUndBild) {
    std::ifstream datei(KORDAVO_TEST_DATEN "/demo.skript");
    ASSERT_TRUE(datei) << "demo.skript fehlt";
    std::stringstream skript;
    skript << datei.rdbuf();
    std::unique_ptr<Font> font(testfont::neu());
    ASSERT_TRUE(Headless_Starten());
    ASSERT_EQ(Rastport_Init_Screen(), 1);
    Gui_Demo_Starten(font.get());
    Menue_Set_Hooks(
        {.hilfe_zeigen = Hilfe_Text_Ausgabe, .hilfe_ende = Hilfe_Text_Ende, .hilfe_an = [] { return true; }});
    Main_Set_Hooks({.Kalender_Run = Gui_Demo_Frame});
    ASSERT_GT(Headless_Lauf(skript.str(), 400), 0);
    EXPECT_TRUE(Headless_Skript_Zu_Ende());

    // Button on release; toggle; auto-repeat at 0, 360 and 420 ms; rocker
    // button 0 (left + decrease); its context menu item 0 (reset, 1024); the
    // wheel and the bar click (0x4000000); the drop on the raster (128); the
    // input field opened and closed with Return (35); the requester; a row of
    // the scroll window after two wheel notches.
    const std::vector<Demo_Klick>
        golden =
            {
                {100, 4, 3},    {101, 4, 5},  {102, 4, 6},     {102, 4, 24},         {102, 4, 27},
                {103, 5, 32},   {171, 4, 36}, {103, 1024, 36}, {112, 0x4000000, 37}, {112, 0x4000000, 68},
                {120, 128, 72}, {130, 4, 75}, {130, 35, 87},   {140, 4, 143},        {152, 4, 146},
                {223, 4, 178},  // a row of the scroll window, brought into it by the wheel
            };
    std::string liste;
    for (const Demo_Klick& k : Gui_Demo_Klicks()) {
        // Appended piece by piece: GCC 12 warns (-Wrestrict) on a chain of
        // temporaries starting with a literal in optimised builds.
        liste += '{';
        liste += std::to_string(k.icon);
        liste += ", ";
        liste += std::to_string(k.ereignis);
        liste += ", ";
        liste += std::to_string(k.frame);
        liste += "}, ";
    }
    EXPECT_EQ(Gui_Demo_Klicks(), golden) << liste;
    EXPECT_EQ(Gui_Demo_Feldtext(), "Borussia");
    EXPECT_EQ(Gui_Demo_Wippenwert(), 250);
    const std::vector<u16>& bild = Headless_Bildpuffer();
    const u64 summe = pruef::fnv_pixel(bild.data(), bild.size(), DEMO_START);
    EXPECT_EQ(summe, 0x4e262dfeb8b5157full) << std::hex << summe;

    Gui_Demo_Beenden();
    Main_Hooks_Zuruecksetzen();
    Rastport_Free_Screen();
    Headless_Beenden();
}

}  // namespace
