// An open pop-up of the main menu's dialog bar over the squad screen: a
// right click closes it (the screen stays), a left click beside it closes
// it and opens nothing of the screen under it; with the pop-up closed the
// same click reaches the screen again.
#include <gtest/gtest.h>

#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "kit.h"
#include "screens/screens.h"
#include "screens/squad/attribut_popup.h"

namespace {

constexpr i32 zeile_y(i32 k) { return k < 11 ? 136 + 17 * k : 344 + 17 * (k - 11); }

bool team_offen() {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM);
    return i && (i->status & MENUE_S_AN);
}

void team_oeffnen() {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM);
    ASSERT_TRUE(i);
    kit::Frames(40);  // the screens' click throttles run out
    kit::Klick(i->x + i->w / 2, i->y + 12);
    kit::Frames(20);
    ASSERT_TRUE(team_offen()) << i->y << " " << i->status << " " << (Menue_Get_Aktives_Icon() ? Menue_Get_Aktives_Icon()->nummer : -1);
}

TEST(DialogFang, RechtsklickSchliesstUndKlickDanebenOeffnetNichtsDarunter) {
    ASSERT_TRUE(kit::Starten(1));
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 0));
    kit::Frames(10);
    ASSERT_TRUE(Screen_Offen(Screen_Id::KADER));
    team_oeffnen();
    kit::Png("dialog_team_offen");
    // Right click anywhere: the pop-up closes, the squad screen stays.
    kit::Klick(400, 300, MAUS_RECHTS);
    kit::Frames(20);
    EXPECT_FALSE(team_offen());
    EXPECT_TRUE(Screen_Offen(Screen_Id::KADER));
    // Left click on a row's attributes beside the open pop-up: it closes, no
    // attribute pop-up comes.
    team_oeffnen();
    kit::Klick(590, zeile_y(2) + 8);
    kit::Frames(10);
    EXPECT_FALSE(team_offen());
    EXPECT_FALSE(Attribut_Popup_Offen());
    // The pop-up closed, the same click reaches the row.
    kit::Klick(590, zeile_y(2) + 8);
    kit::Frames(10);
    EXPECT_TRUE(Attribut_Popup_Offen());
    kit::Beenden();
}

}  // namespace
