// The GUI demonstration replayed headless from its input script: the click
// procedures called must equal the recorded ones, and the last frame shows
// what the clicks, the drag, the wheel and the input field left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <tuple>
#include <vector>

#include "graphics/rastport.h"
#include "graphics/testfont.h"
#include "graphics/zeichenspur.h"
#include "gui/demo.h"
#include "gui/eingabe.h"
#include "gui/menue.h"
#include "platform/headless.h"
#include "platform/hooks.h"

#ifndef KORDAVO_TEST_DATEN
#define KORDAVO_TEST_DATEN "."
#endif

namespace {

// The last frame's records of one kind.
std::vector<const Zeichenspur_Eintrag*> spur(Zeichenspur_Art art) {
    std::vector<const Zeichenspur_Eintrag*> r;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == art) r.push_back(&e);
    return r;
}

// The last frame's text whose visible characters are `text`; null if none.
const Zeichenspur_Eintrag* text_genau(const char* text) {
    for (const Zeichenspur_Eintrag* e : spur(SPUR_TEXT))
        if (e->sichtbar == text) return e;
    return nullptr;
}

// The top of a scroll knob: the highest fill inside the bar's column.
i32 knopf_oben(i32 x) {
    i32 oben = 10000;
    for (const Zeichenspur_Eintrag* e : spur(SPUR_FLAECHE))
        if (e->x >= x && e->x + e->breite <= x + 12 && e->y > 80) oben = std::min(oben, e->y);
    return oben;
}

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
    // The trace holds the last frame's drawing.
    Main_Set_Hooks({.Kalender_Run = [] {
        Zeichenspur_Leeren();
        Gui_Demo_Frame();
    }});
    Zeichenspur_Einschalten();
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

    // The last frame, piece by piece.
    struct Text_Fall {
        const char* was;
        const char* text;
        i32 x, y;
    } texte[] = {
        {"the status line counts the clicks and holds the answers",
         "Weiter: 1  Plus: 3  Wert: 250  Feld: Borussia  Antwort: Nein", 40, 570},
        {"the rocker shows its value", "250", 78, 183},
        {"the closed input field shows the typed name", "Borussia", 304, 335},
        {"the list, dragged to its end, starts at row 18", "Spieler 18", 308, 96},
        {"and ends at row 27", "Spieler 27", 308, 276},
        {"the dragged knob sits in the fourth cell of the raster", "Z", 211, 330},
    };
    for (const Text_Fall& f : texte) {
        const Zeichenspur_Eintrag* e = text_genau(f.text);
        ASSERT_TRUE(e) << f.was;
        EXPECT_EQ(e->x, f.x) << f.was;
        EXPECT_EQ(e->y, f.y) << f.was;
    }
    EXPECT_EQ(Gui_Demo_Listenanfang(), 17);
    EXPECT_FALSE(Zeichenspur_Text("Wirklich beenden?")) << "the requester is gone after its answer";
    // The toggle, clicked once, is drawn in its other state: its label's
    // colour is not the other buttons'.
    ASSERT_TRUE(text_genau("Ton") && text_genau("Weiter"));
    EXPECT_NE(text_genau("Ton")->farbe, text_genau("Weiter")->farbe);
    // The scroll knobs (the top of their drawn panel): the list's at its
    // lowest place, the window's two wheel notches down from its top (81).
    EXPECT_EQ(knopf_oben(505), 239);
    EXPECT_EQ(knopf_oben(736), 119);
    // The scroll window shows its part of the scroll screen, whole.
    const auto blits = spur(SPUR_BLIT);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(std::tuple(blits[0]->x, blits[0]->y, blits[0]->breite, blits[0]->hoehe), std::tuple(570, 81, 160, 200));

    Zeichenspur_Ausschalten();
    Gui_Demo_Beenden();
    Main_Hooks_Zuruecksetzen();
    Rastport_Free_Screen();
    Headless_Beenden();
}

}  // namespace
