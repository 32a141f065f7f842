// Buttons light under the mouse: the start screen's big buttons, the main
// menu's tabs and its "Weiter". Checked by the draw trace: a fill in the
// hover colour inside the button while the mouse rests on it, none when it
// has moved away or the button is grey.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "kit.h"
#include "screens/screens.h"
#include "screens/start/spielstart.h"

namespace {

// The hover fills drawn inside the icon during one frame with the mouse at (x, y).
int leuchten(i32 nummer, i32 x, i32 y) {
    kit::Maus(x, y);
    kit::Frames(2);
    kit::Spur_Leeren();
    kit::Frames(1);
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    if (!i) return -1;
    int n = 0;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Flaechen(FARBE_UEBER_OBEN, Screen_Rastport))
        n += e.x >= i->x && e.y >= i->y && e.x + e.breite <= i->x + i->w && e.y + e.hoehe <= i->y + i->h;
    return n;
}

TEST(Ueber, StartKnoepfeLeuchtenUnterDerMaus) {
    ASSERT_TRUE(kit::Starten_Ohne_Spiel());
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::SPIELSTART));
    kit::Frames(5);
    const Screen_Icon* neu = Menue_Screen_Icon_Aus_Nummer(ICON_START_NEU);
    const Screen_Icon* editor = Menue_Screen_Icon_Aus_Nummer(ICON_START_EDITOR);
    ASSERT_TRUE(neu && editor);
    const i32 nx = neu->x + neu->w / 2, ny = neu->y + neu->h / 2;
    EXPECT_EQ(leuchten(ICON_START_NEU, nx, ny), 1);
    EXPECT_EQ(leuchten(ICON_START_EDITOR, nx, ny), 0);
    EXPECT_EQ(leuchten(ICON_START_EDITOR, editor->x + 20, editor->y + 20), 1);
    EXPECT_EQ(leuchten(ICON_START_NEU, editor->x + 20, editor->y + 20), 0);
    kit::Png("ueber_start");
    // Pressed: the pressed picture, no hover light.
    kit::Maus(nx, ny);
    kit::Druecken();
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(Zeichenspur_Flaechen(FARBE_UEBER_OBEN, Screen_Rastport).empty());
    kit::Beenden();
}

TEST(Ueber, ReiterUndWeiterLeuchtenUnterDerMaus) {
    ASSERT_TRUE(kit::Starten(1));
    const Screen_Icon* weiter = Menue_Screen_Icon_Aus_Nummer(ICON_ZUG_ENDE);
    const Screen_Icon* team = Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM);
    ASSERT_TRUE(weiter && team);
    const i32 wx = weiter->x + weiter->w / 2, wy = weiter->y + weiter->h / 2;
    const i32 tx = team->x + team->w / 2, ty = team->y + 12;
    EXPECT_EQ(leuchten(ICON_ZUG_ENDE, wx, wy), 1);
    EXPECT_EQ(leuchten(ICON_DIALOG_TEAM, wx, wy), 0);
    EXPECT_EQ(leuchten(ICON_DIALOG_TEAM, tx, ty), 1);
    EXPECT_EQ(leuchten(ICON_ZUG_ENDE, tx, ty), 0);
    kit::Png("ueber_reiter");
    EXPECT_EQ(leuchten(ICON_ZUG_ENDE, 400, 300), 0);
    EXPECT_EQ(leuchten(ICON_DIALOG_TEAM, 400, 300), 0);
    kit::Beenden();
}

}  // namespace
