// Screens open each other by id: the transfer screen and the training plan
// ask for the attribute popup and the player card, the card for the talents
// screen, the start screen for the load list, through the screens' registry. A screen registered in their place under that id
// is the one that opens; the popup opened by id shows the clicked player.
#include <gtest/gtest.h>

#include "gui/menue.h"
#include "kit.h"
#include "screens/club/spielstand.h"
#include "screens/editor/attribut_edit.h"
#include "screens/market/transfer.h"
#include "screens/screens.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/spielerkarte.h"
#include "screens/start/spielstart.h"
#include "screens/training/talente.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

// What the stand-in screens were asked for.
i32 fuer_aufrufe = 0, oeffnen_aufrufe = 0;
Screen_Anlass letzter{};

void fuer_merken(const Screen_Anlass& a) {
    ++fuer_aufrufe;
    letzter = a;
}
void oeffnen_merken() { ++oeffnen_aufrufe; }

class Oeffnen : public ::testing::Test {
  protected:
    void SetUp() override {
        fuer_aufrufe = oeffnen_aufrufe = 0;
        letzter = {};
    }
    void TearDown() override {
        // The real screens again for the next test.
        Screen_Registrieren(Screen_Id::ATTRIBUT_POPUP, Attribut_Popup_Def());
        Screen_Registrieren(Screen_Id::LADEN, Disk_Screen_Laden_Def());
        Screen_Registrieren(Screen_Id::SPIELERKARTE, Spielerkarte_Screen_Def());
        Screen_Registrieren(Screen_Id::TALENTE, Spieler_Talente_Screen_Def());
        Screen_Registrieren(Screen_Id::ATTRIBUT_WAHL, Attribut_Wahl_Screen_Def());
        Global_Attribut_Wahl_Flag = 0;
        kit::Beenden();
    }
};

constexpr i32 EIGEN_Y0 = 136, ATTRIBUTE_X = 320;

TEST_F(Oeffnen, TransferFragtDasPopupUeberSeineId) {
    ASSERT_TRUE(kit::Starten(2));
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 3));
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRANSFER));
    kit::Frames(20);
    const i32 p = Transfer_Screen_Spieler_Von(ICON_TRANSFER_EIGEN);
    ASSERT_GE(p, 0);

    // The real popup, opened by id, shows the clicked player.
    kit::Klick(ATTRIBUTE_X, EIGEN_Y0 + 8);
    ASSERT_TRUE(Screen_Offen(Screen_Id::ATTRIBUT_POPUP));
    EXPECT_EQ(Attribut_Popup_Spieler(), p);
    Attribut_Popup_Schliessen();
    kit::Frames(2);

    // A stand-in under the popup's id gets the request with player and club.
    Screen_Registrieren(Screen_Id::ATTRIBUT_POPUP,
                        {.name = "Ersatz", .icons = Icon_Besitzer::ATTRIBUT_POPUP, .oeffnen_fuer = fuer_merken});
    kit::Klick(ATTRIBUTE_X, EIGEN_Y0 + 8);
    EXPECT_EQ(fuer_aufrufe, 1);
    EXPECT_EQ(letzter.spieler, p);
    EXPECT_EQ(letzter.team, Team_Aktiv);
    EXPECT_EQ(letzter.x, ATTRIBUTE_X);
    EXPECT_FALSE(Attribut_Popup_Offen()) << "the screen did not call the popup itself";
}

TEST_F(Oeffnen, KarteUndTalenteUeberIhreId) {
    ASSERT_TRUE(kit::Starten(2));
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 3));
    kit::Frames(20);
    const i32 p = Transfer_Screen_Spieler_Von(ICON_TRANSFER_EIGEN);
    ASSERT_GE(p, 0);

    // A right click on an own player asks the card's id, for the own team.
    Screen_Registrieren(Screen_Id::SPIELERKARTE,
                        {.name = "Ersatz", .icons = Icon_Besitzer::SPIELERKARTE, .oeffnen_fuer = fuer_merken});
    kit::Klick(ATTRIBUTE_X, EIGEN_Y0 + 8, MAUS_RECHTS);
    EXPECT_EQ(fuer_aufrufe, 1);
    EXPECT_EQ(letzter.spieler, p);
    EXPECT_EQ(letzter.team, Team_Aktiv);
    EXPECT_EQ(letzter.modus, SPIELERKARTE_EIGEN);
    EXPECT_FALSE(Spieler_Info_Offen()) << "the screen did not call the card itself";

    // The real card; its talents button asks the talents screen's id.
    Screen_Registrieren(Screen_Id::SPIELERKARTE, Spielerkarte_Screen_Def());
    kit::Klick(ATTRIBUTE_X, EIGEN_Y0 + 8, MAUS_RECHTS);
    ASSERT_TRUE(Screen_Offen(Screen_Id::SPIELERKARTE));
    EXPECT_EQ(Spieler_Info_Spieler(), p);
    Screen_Registrieren(Screen_Id::TALENTE,
                        {.name = "Ersatz", .icons = Icon_Besitzer::TALENTE, .oeffnen_fuer = fuer_merken});
    kit::Frames(2);
    const Screen_Icon* t = Menue_Screen_Icon_Aus_Nummer(ICON_KARTE_TALENTE);
    ASSERT_NE(t, nullptr);
    kit::Klick(t->x + 20, t->y + 10);
    EXPECT_EQ(fuer_aufrufe, 2);
    EXPECT_EQ(letzter.spieler, p);
    EXPECT_EQ(letzter.modus, TALENTE_EIGENES_TEAM);
    EXPECT_FALSE(Screen_Offen(Screen_Id::TALENTE));
    Screen_Schliessen(Screen_Id::SPIELERKARTE);
    EXPECT_FALSE(Spieler_Info_Offen());
}

// After the cheat that gives every attribute the popup hands over to the
// attribute choice, by its id, with the player and the place asked for.
TEST_F(Oeffnen, PopupGibtNachDemCheatAnDieWahlAb) {
    ASSERT_TRUE(kit::Starten(2));
    const i32 p = Team_Kader(Team_Aktiv)[2];
    Global_Attribut_Wahl_Flag = 1;
    Screen_Registrieren(Screen_Id::ATTRIBUT_WAHL,
                        {.name = "Ersatz", .icons = Icon_Besitzer::ATTRIBUT_WAHL, .oeffnen_fuer = fuer_merken});
    Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP, {.spieler = p, .team = Team_Aktiv, .x = 300, .y = 200});
    EXPECT_EQ(fuer_aufrufe, 1);
    EXPECT_EQ(letzter.spieler, p);
    EXPECT_EQ(letzter.team, Team_Aktiv);
    EXPECT_EQ(letzter.x, 300);
    EXPECT_EQ(letzter.y, 200);
    EXPECT_FALSE(Attribut_Popup_Offen());
    // The real choice opens in its place.
    Screen_Registrieren(Screen_Id::ATTRIBUT_WAHL, Attribut_Wahl_Screen_Def());
    Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP, {.spieler = p, .team = Team_Aktiv, .x = 300, .y = 200});
    EXPECT_TRUE(Screen_Offen(Screen_Id::ATTRIBUT_WAHL));
    EXPECT_EQ(Attribut_Wahl_Spieler(), p);
    EXPECT_FALSE(Attribut_Popup_Offen());
    Attribut_Wahl_Schliessen();
}

TEST_F(Oeffnen, StartbildschirmOeffnetDieLadelisteUeberIhreId) {
    ASSERT_TRUE(kit::Starten_Ohne_Spiel());
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::SPIELSTART));
    Screen_Registrieren(Screen_Id::LADEN, {.name = "Ersatz",
                                           .icons = Icon_Besitzer::SPIELSTAND_LADEN,
                                           .rahmen = ICON_LADEN_RAHMEN,
                                           .arbeitsflaeche = true,
                                           .oeffnen = oeffnen_merken});
    Spielstart_Laden_Oeffnen_Klick(nullptr, MENUE_E_LINKS);
    EXPECT_EQ(oeffnen_aufrufe, 1);
    // Over the start screen: its buttons stay where they were.
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_START_LADEN));

    // The real load list lies over the start screen the same way.
    Screen_Registrieren(Screen_Id::LADEN, Disk_Screen_Laden_Def());
    Spielstart_Laden_Oeffnen_Klick(nullptr, MENUE_E_LINKS);
    EXPECT_TRUE(Screen_Offen(Screen_Id::LADEN));
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_START_LADEN));
}

TEST(OeffnenFuer, OhneEinenSolchenScreenNichts) {
    Screens_Zuruecksetzen();
    EXPECT_FALSE(Screen_Oeffnen_Fuer(Screen_Id::ATTRIBUT_POPUP, {.spieler = 1}));
    Screen_Registrieren(Screen_Id::BANK, {.name = "ohne Spieler", .oeffnen = oeffnen_merken});
    EXPECT_FALSE(Screen_Oeffnen_Fuer(Screen_Id::BANK, {.spieler = 1})) << "a screen that shows no player";
    Screens_Zuruecksetzen();
}

}  // namespace
