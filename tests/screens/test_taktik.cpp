// The tactics screen from the main menu: stepping the four stepped values
// with their wrap and throttle, the switches and the marking assistant, the
// roles (the captain one in the whole squad), greyed roles of an
// unavailable starter, the hover texts and the card by a right click.
#include <gtest/gtest.h>

#include <array>

#include "grafik_nummern.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "legende.h"
#include "screens/screens.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/spielerkarte.h"
#include "screens/squad/taktik.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
std::array<u8, 7> taktik() {
    std::array<u8, 7> t{};
    Team_Get_Aktuelle_Taktik(Team_Aktiv, t.data());
    return t;
}
void setzen(i32 v, u8 w) {
    auto t = taktik();
    t[static_cast<size_t>(v)] = w;
    Team_Set_Aktuelle_Taktik(Team_Aktiv, t.data());
}
void klick(i32 icon) {
    const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(icon);
    ASSERT_TRUE(i) << icon;
    kit::Klick(i->x + i->w / 2, i->y + i->h / 2);
}

class Taktik : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(2));
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 2));
        ASSERT_TRUE(Screen_Offen(Screen_Id::TAKTIK));
        kit::Frames(30);
    }
    void TearDown() override { kit::Beenden(); }
    i32 spieler(i32 k) { return static_cast<i32>(Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_ZEILE + k)->user[0]); }
};

TEST_F(Taktik, ZeilenUndBild) {
    kit::Spur_Leeren();
    kit::Frames(1);
    for (i32 k = 0; k < TAKTIK_ZEILEN; ++k) {
        const i32 p = spieler(k);
        ASSERT_GE(p, 0);
        EXPECT_EQ(wert(87, p), k) << "rows in slot order";
        EXPECT_TRUE(kit::Text(Spieler_String(63, p, nullptr, 0)));
    }
    kit::Png("taktik");
}

TEST_F(Taktik, KurzerKlickAufWeiterBeendetDenZug) {
    // Pressed and released between two frames, as a quick hand does. The
    // run loop latches the mouse at the start of its pass, so the rows'
    // draw procedures read it before the icons are checked.
    const auto pass = [] {
        kit::Warten(10);
        Eingabe_Frame_Abtasten();
        Maus_Update();
        Menue_Tick();
    };
    const Screen_Icon* weiter = Menue_Screen_Icon_Aus_Nummer(ICON_ZUG_ENDE);
    ASSERT_TRUE(weiter);
    Eingabe_Maus_Position(weiter->x + weiter->w / 2, weiter->y + weiter->h / 2);
    pass(), pass();
    const i32 am_zug = Team_Aktiv;
    Eingabe_Maus_Taste(MAUS_LINKS, true);
    Eingabe_Maus_Taste(MAUS_LINKS, false);
    pass(), pass(), pass();
    EXPECT_NE(Team_Aktiv, am_zug) << "the turn went to the other manager";
    EXPECT_FALSE(Screen_Offen(Screen_Id::TAKTIK));
}

TEST_F(Taktik, StufenMitUmlaufUndDrossel) {
    struct Fall {
        i32 wert;      // tactic value
        u8 von;
        i32 icon;      // clicked
        u8 nach;
    } faelle[] = {
        {2, 0, ICON_TAKTIK_PFEIL_2, 9},      {2, 9, ICON_TAKTIK_PFEIL_2 + 1, 0}, {2, 4, ICON_TAKTIK_GROSS + 2, 5},
        {4, 0, ICON_TAKTIK_PFEIL_4, 4},      {4, 4, ICON_TAKTIK_PFEIL_4 + 1, 0}, {5, 6, ICON_TAKTIK_PFEIL_5 + 1, 0},
        {5, 0, ICON_TAKTIK_PFEIL_5, 6},      {5, 3, ICON_TAKTIK_GROSS + 5, 4},   {6, 2, ICON_TAKTIK_PFEIL_6 + 1, 3},
        {6, 0, ICON_TAKTIK_PFEIL_6, 4},
    };
    for (const Fall& f : faelle) {
        setzen(f.wert, f.von);
        kit::Frames(20);
        klick(f.icon);
        EXPECT_EQ(taktik()[static_cast<size_t>(f.wert)], f.nach) << "value " << f.wert << " from " << int(f.von);
        // The big icon shows the step, and the manager's word keeps it.
        const i32 basis = f.wert == 2 ? GRAFIK_TAKTIK_DRANG : f.wert == 4 ? GRAFIK_TAKTIK_RISIKO
                          : f.wert == 5                 ? GRAFIK_TAKTIK_STIL
                                                        : GRAFIK_TAKTIK_HAERTE;
        EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_GROSS + f.wert)->grafik, static_cast<u32>(basis + f.nach));
        EXPECT_EQ(Manager_Icon_Word_Data_Lesen(Team_Aktiv, ICON_TAKTIK_GROSS + f.wert), f.nach);
    }
    // Two clicks within 150 ms: one step.
    setzen(2, 3);
    kit::Frames(20);
    EXPECT_TRUE(Taktik_Screen_Stufe(2, true));
    kit::Warten(100);
    EXPECT_FALSE(Taktik_Screen_Stufe(2, true));
    EXPECT_EQ(taktik()[2], 4);
    kit::Warten(60);
    EXPECT_TRUE(Taktik_Screen_Stufe(2, true));
    EXPECT_EQ(taktik()[2], 5);
    EXPECT_FALSE(Taktik_Screen_Stufe(3, true)) << "a switch has no steps";
}

TEST_F(Taktik, SchalterUndManndeckung) {
    for (auto [wert, gross, klein] : {std::array<i32, 3>{0, ICON_TAKTIK_GROSS, ICON_TAKTIK_KLEIN_0},
                                      std::array<i32, 3>{1, ICON_TAKTIK_GROSS + 1, ICON_TAKTIK_KLEIN_1}}) {
        setzen(wert, 0);
        klick(gross);
        EXPECT_EQ(taktik()[static_cast<size_t>(wert)], 1);
        EXPECT_NE(Menue_Icon_Zustand(klein), 0u);
        klick(klein);
        EXPECT_EQ(taktik()[static_cast<size_t>(wert)], 0);
        EXPECT_EQ(Menue_Icon_Zustand(klein), 0u);
    }
    // Man-marking on by its small switch: the assistant gives the viewed
    // club's dangerous players markers; off takes them away.
    i32 gegner = -1;
    for (i32 t = 0; t < Team_Anzahl && gegner < 0; ++t)
        if (t != Team_Aktiv && t != Team_Transfermarkt && Teamspieler_Ins_Array(t, nullptr, 40, 0) == 20) gegner = t;
    ASSERT_GE(gegner, 0);
    Aufstellung_Automatisch(gegner);
    Team_Ansicht = gegner;
    auto bewacht = [&] {
        i32 liste[20], n = 0;
        const i32 m = Teamspieler_Ins_Array(gegner, liste, 20, 0);
        for (i32 i = 0; i < m; ++i) n += Spieler_Daten[liste[i]].gedeckt_von >= 0;
        return n;
    };
    setzen(3, 0);
    klick(ICON_TAKTIK_KLEIN_3);
    EXPECT_EQ(taktik()[3], 1);
    EXPECT_GT(bewacht(), 0);
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TAKTIK, 43)));
    klick(ICON_TAKTIK_KLEIN_3);
    EXPECT_EQ(taktik()[3], 0);
    EXPECT_EQ(bewacht(), 0);
    // The big button switches without the assistant.
    klick(ICON_TAKTIK_GROSS + 3);
    EXPECT_EQ(taktik()[3], 1);
    EXPECT_EQ(bewacht(), 0);
}

TEST_F(Taktik, RollenUndKapitaen) {
    const i32 a = spieler(2), b = spieler(7);
    // The captain: one in the whole squad, a reserve's bit included.
    i32 liste[40];
    const i32 n = Teamspieler_Ins_Array(Team_Aktiv, liste, 40, 0);
    i32 reserve = -1;
    for (i32 i = 0; i < n; ++i)
        if (wert(87, liste[i]) >= 17) reserve = liste[i];
    ASSERT_GE(reserve, 0);
    Spieler_Wert(75, reserve, 0x800, OP_BITS_SETZEN);
    klick(ICON_TAKTIK_ROLLE + 4 * 2 + 3);
    klick(ICON_TAKTIK_ROLLE + 4 * 7 + 3);
    for (i32 i = 0; i < n; ++i) EXPECT_EQ((wert(75, liste[i]) & 0x800) != 0, liste[i] == b) << liste[i];
    EXPECT_NE(Menue_Icon_Zustand(ICON_TAKTIK_ROLLE + 4 * 7 + 3), 0u);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_TAKTIK_ROLLE + 4 * 2 + 3), 0u);
    // The other roles: any number, each click flips it.
    for (i32 c = 0; c < 3; ++c) {
        const bool vorher = wert(75, a) & static_cast<i32>(TAKTIK_ROLLE_BIT[c]);
        klick(ICON_TAKTIK_ROLLE + 4 * 2 + c);
        EXPECT_NE((wert(75, a) & static_cast<i32>(TAKTIK_ROLLE_BIT[c])) != 0, vorher) << c;
    }
    // An unavailable starter's buttons are greyed and do nothing.
    Spieler_Wert(75, a, 0x40, OP_BITS_SETZEN);
    Taktik_Screen_Fuellen(Team_Aktiv);
    i32 k = -1;
    for (i32 z = 0; z < TAKTIK_ZEILEN; ++z)
        if (wert(75, spieler(z)) & 0x40) k = z;
    if (k < 0) {  // the line-up check benched him: mark the starter in row 4
        Spieler_Wert(75, spieler(4), 0x40, OP_BITS_SETZEN);
        Taktik_Screen_Fuellen(Team_Aktiv);
        for (i32 z = 0; z < TAKTIK_ZEILEN; ++z)
            if (wert(75, spieler(z)) & 0x40) k = z;
        if (k < 0) GTEST_SKIP() << "the line-up check keeps injured players out of the eleven";
    }
    const i32 verletzt = spieler(k);
    const i32 status = wert(75, verletzt);
    for (i32 c = 0; c < 4; ++c) EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_ROLLE + 4 * k + c)->status & MENUE_S_GRAU);
    Taktik_Screen_Rolle(k, 0);
    EXPECT_EQ(wert(75, verletzt), status);
}

TEST_F(Taktik, HilfetexteUndKarte) {
    Screen_Icon* rahmen = Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_RAHMEN);
    struct Fall {
        i32 x, y;
        const char* text;
    } faelle[] = {
        {210, 100, Text_cfg_Text(TEXT_EINSETZEN_1, 16)}, {600, 100, Text_cfg_Text(TEXT_EINSETZEN_1, 21)},
        {700, 100, Text_cfg_Text(TEXT_ZUSATZ_BEXOT, 10)}, {640, 100, nullptr}, {300, 300, nullptr},
    };
    for (const Fall& f : faelle) {
        kit::Maus(f.x, f.y);
        const char* t = Taktik_Screen_Hilfetext(rahmen);
        if (f.text) {
            EXPECT_STREQ(t, f.text) << f.x;
        } else {
            EXPECT_EQ(t, nullptr) << f.x;
        }
    }
    for (i32 n = ICON_TAKTIK_GROSS; n <= ICON_TAKTIK_PFEIL_6 + 1; ++n)
        EXPECT_STREQ(Taktik_Screen_Hilfetext(Menue_Screen_Icon_Aus_Nummer(n)), Text_cfg_Text(TEXT_TAKTIK, 17 + n - ICON_TAKTIK_GROSS));
    // A row: the player's hover text without the roles.
    const i32 p = spieler(1);
    Spieler_Wert(75, p, 0x4000, OP_BITS_SETZEN);
    kit::Maus(300, 136 + 17 + 8);
    const std::string t = Taktik_Screen_Hilfetext(Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_ZEILE + 1));
    EXPECT_EQ(t.rfind(Spieler_String(508, p, nullptr, 0), 0), 0u);
    EXPECT_EQ(t.find(Text_cfg_Text(TEXT_TAKTIK, 36)), std::string::npos);
    // Right click: the card; a click on the attribute pictures: the popup.
    kit::Klick(300, 136 + 17 * 3 + 8, MAUS_RECHTS);
    EXPECT_EQ(Spieler_Info_Spieler(), spieler(3));
    kit::Klick(300, 300, MAUS_RECHTS);
    EXPECT_FALSE(Spieler_Info_Offen());
    kit::Klick(560, 136 + 17 * 5 + 8);
    EXPECT_EQ(Attribut_Popup_Spieler(), spieler(5));
    Attribut_Popup_Schliessen();
}

}  // namespace

namespace {

// The role buttons' letters are explained under the eleven rows: each
// role's full name in the game's texts beside its button's picture, in one
// line left to right (penalties, free kicks, corners, captain), inside the
// screen and clear of the rows above.
TEST_F(Taktik, RollenLegendeErklaertDieBuchstaben) {
    kit::Spur_Leeren();
    kit::Frames(1);
    constexpr i32 BILD[4] = {GRAFIK_TAKTIK_ROLLE + 1, GRAFIK_TAKTIK_ROLLE + 2, GRAFIK_TAKTIK_ROLLE,
                             GRAFIK_TAKTIK_ROLLE + 3};
    i32 links = 0;
    for (i32 c = 0; c < 4; ++c) {
        const char* name = Text_cfg_Text(TEXT_TAKTIK, 36 + c);
        SCOPED_TRACE(name);
        ASSERT_TRUE(name && *name);
        const Zeichenspur_Eintrag* t = nullptr;
        for (const Zeichenspur_Eintrag* e : kit::Texte(name))
            if (e->y > 323) t = e;  // under the last row (rows end at 136 + 11 * 17)
        ASSERT_TRUE(t) << "the role's name is drawn under the rows";
        EXPECT_GT(t->x, links) << "left to right, apart";
        EXPECT_LE(t->x + t->breite, 790);
        EXPECT_TRUE(kit::Grafik_Bei(BILD[c], t->x - 28, t->y - 12)) << "its button's picture before it";
        links = t->x + t->breite;
    }
}

}  // namespace

namespace {

// The rows' attribute badges are named beside "Startelf" and, what has no
// room there, under the rows left of the roles' legend.
TEST_F(Taktik, FaehigkeitenMarkenBenannt) {
    kit::Spur_Leeren();
    kit::Frames(1);
    // The test game's eleven show ten kinds of badges: the legend's two
    // lines hold seven of them (the rest name themselves by their help).
    Legende_Erklaert(GRAFIK_ATTRIBUT, {204, 134, 640, 325}, {{197, 112, 791, 134}, {197, 324, 370, 345}}, 7);
}

// Every row badge, the ones the legend has no room for too, names its
// attribute when the mouse rests on it. The test game's squad is fitted to
// its league as a new game's is, and its rows show three badges.
TEST_F(Taktik, FaehigkeitenMarkenMitHilfe) {
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_GE(Marken_Hilfe_Pruefen(GRAFIK_ATTRIBUT, {204, 134, 640, 325}), 3u);
}

}  // namespace
