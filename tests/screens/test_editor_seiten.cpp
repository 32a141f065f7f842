// The data editor's pages on the shipped world: the attribute edit with its
// prerequisites and the limit of 18, the attribute choice after the cheat
// (any number switched on, dragged by its title), the look page with its
// steps, style switch, grid, reset and the colours taken over, and the crest
// and kits page with its arrows, the kit skip, the grid's 1..1000, undo,
// the text fields' Tab order and the stadium size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "base/globals.h"
#include "grafik_nummern.h"
#include "graphics/zeichenspur.h"
#include "gui/gesicht.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "kit.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "screens/editor/attribut_edit.h"
#include "screens/editor/aussehen.h"
#include "screens/editor/editor.h"
#include "screens/editor/wappen.h"
#include "screens/screens.h"
#include "screens/squad/attribut_popup.h"
#include "season/wettbewerb_schreiben.h"
#include "world/attribut.h"
#include "world/global.h"
#include "world/trikot.h"
#include "world/welt.h"

namespace {

i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }

// Types as a player does, capitals with Shift.
void tippen(const char* text) {
    for (const char* c = text; *c; ++c) {
        Eingabe_Zeichen(static_cast<u8>(*c), std::isupper(static_cast<unsigned char>(*c)) ? 1 : 0);
        kit::Frames(1);
    }
}

// A field player with no attribute learned or blocked.
void leeren(i32 p) {
    for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) Spieler_Wert(a, p, 0, OP_SCHREIBEN);
}
// The depth of an attribute's prerequisite chain.
i32 tiefe(i32 a, i32 n = 0) {
    i32 v[3];
    const i32 k = Attribute_Get_Voraussetzungen(a, v);
    i32 t = 0;
    for (i32 i = 0; i < k && n < 60; ++i) t = std::max(t, 1 + tiefe(v[i], n + 1));
    return t;
}

class Seiten : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Menue_Screen_Icons_Loeschen_Bereich(BEREICH_AUCH_BLEIBENDE, -9999, -9999, 9999, 9999);
        ASSERT_TRUE(Screen_Oeffnen(Screen_Id::EDITOR));
        kit::Frames(3);
        team = Editor_Get_Zustand().team;
        for (i32 p : Editor_Get_Zustand().spieler) (wert(67, p) == 0 ? torwart : feld) = p;
        ASSERT_GE(torwart, 0);
        ASSERT_GE(feld, 0);
    }
    void TearDown() override {
        Global_Attribut_Wahl_Flag = 0;
        Screen_Schliessen(Screen_Id::EDITOR);
        Config_Modify_Free();
        kit::Beenden();
    }
    void klick_icon(i32 nummer, u32 taste = MAUS_LINKS) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        ASSERT_TRUE(i) << nummer;
        kit::Warten(250);
        kit::Klick(i->x + i->w / 2, i->y + i->h / 2, taste);
        kit::Frames(2);
    }
    i32 team = -1, torwart = -1, feld = -1;
};

TEST_F(Seiten, AttributeEditZeilenJeKlasse) {
    const struct {
        i32 spieler, zeilen, erstes;
    } faelle[] = {{torwart, 13, 40}, {feld, 47, 0}};
    for (const auto& f : faelle) {
        Attribut_Edit_Screen_Init(f.spieler, 30, 100, team);
        kit::Frames(2);
        EXPECT_EQ(Attribut_Edit_Zeilen(), f.zeilen);
        EXPECT_EQ(Attribut_Edit_Attribut(0), f.erstes);
        EXPECT_EQ(Attribut_Edit_Attribut(f.zeilen - 1), f.erstes + f.zeilen - 1);
        i32 sichtbar = 0;
        for (i32 k = 0; k < AEDIT_ZEILEN; ++k) {
            const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_AEDIT_ZEILE + k);
            sichtbar += i && !(i->status & MENUE_S_VERSTECKT);
        }
        EXPECT_EQ(sichtbar, f.zeilen);
        if (f.spieler == feld) kit::Png("editor_attribute");
        Attribut_Edit_Schliessen();
    }
}

TEST_F(Seiten, AttributeEditVoraussetzungenUndSperre) {
    // The outfield attribute with the longest prerequisite chain.
    i32 ziel = 0;
    for (i32 a = 0; a < 40; ++a)
        if (tiefe(a) > tiefe(ziel)) ziel = a;
    ASSERT_GE(tiefe(ziel), 1);
    leeren(feld);
    i32 fehlend[20];
    const i32 n = Attribut_Edit_Fehlende(feld, ziel, fehlend, 20);
    ASSERT_GE(n, 1);
    // Deepest first: each prerequisite comes after its own prerequisites.
    for (i32 i = 0; i < n; ++i) {
        i32 v[3];
        const i32 k = Attribute_Get_Voraussetzungen(fehlend[i], v);
        for (i32 j = 0; j < k; ++j) {
            const i32* w = std::find(fehlend, fehlend + n, v[j]);
            EXPECT_TRUE(w < fehlend + i) << fehlend[i] << " needs " << v[j];
        }
    }
    // A click on the row: none -> learned, with its prerequisites.
    Attribut_Edit_Screen_Init(feld, 30, 100, team);
    kit::Frames(1);
    klick_icon(ICON_AEDIT_ZEILE + ziel);
    EXPECT_EQ(Attribut_Edit_Zustand(feld, ziel), 1);
    for (i32 i = 0; i < n; ++i) EXPECT_EQ(Attribut_Edit_Zustand(feld, fehlend[i]), 1) << fehlend[i];
    kit::Png("editor_attribute_gelernt");
    // Learned -> blocked -> none.
    klick_icon(ICON_AEDIT_ZEILE + ziel);
    EXPECT_EQ(Attribut_Edit_Zustand(feld, ziel), 2);
    EXPECT_EQ(wert(ziel, feld), -1);
    klick_icon(ICON_AEDIT_ZEILE + ziel);
    EXPECT_EQ(Attribut_Edit_Zustand(feld, ziel), 0);
    // Blocking a prerequisite removes what depended on it.
    EXPECT_EQ(Attribut_Edit_Schalten(feld, ziel), 1);
    const i32 basis = fehlend[0];
    EXPECT_EQ(Attribut_Edit_Schalten(feld, basis), 2);
    EXPECT_EQ(Attribut_Edit_Zustand(feld, ziel), 0);
    for (i32 a = 0; a < 40; ++a)
        if (wert(a, feld) > 0) {
            EXPECT_TRUE(Attribute_Voraussetzung_Erfuellt(feld, a)) << a;
        }
}

TEST_F(Seiten, AttributeEditMehrAlsAchtzehnWirdGesperrt) {
    leeren(feld);
    i32 ziel = 0;
    for (i32 a = 0; a < 40; ++a)
        if (tiefe(a) > tiefe(ziel)) ziel = a;
    ASSERT_GE(tiefe(ziel), 1);
    i32 fehlend[20];
    const i32 n = Attribut_Edit_Fehlende(feld, ziel, fehlend, 20);
    // Learned attributes without prerequisites up to 18 - n (one place short).
    i32 gelernt = 0;
    for (i32 a = 0; a < 40 && gelernt < AEDIT_MAX_GELERNT - n; ++a) {
        i32 v[3];
        if (a == ziel || Attribute_Get_Voraussetzungen(a, v) > 0 || std::find(fehlend, fehlend + n, a) != fehlend + n)
            continue;
        Spieler_Wert(a, feld, Attribut_Noetig(a), OP_SCHREIBEN);
        ++gelernt;
    }
    ASSERT_EQ(gelernt, AEDIT_MAX_GELERNT - n);
    EXPECT_EQ(Attribut_Edit_Schalten(feld, ziel), 2);
    for (i32 i = 0; i < n; ++i) EXPECT_EQ(wert(fehlend[i], feld), 0) << fehlend[i];
}

TEST_F(Seiten, AttributeEditBlaettertDurchDenGanzenMarkt) {
    Editor_Transfermarkt_Liste(0, 0);
    const std::vector<i32>& l = Editor_Get_Zustand().spieler;
    ASSERT_GT(l.size(), 2u);
    // The last entry of the list is found too.
    Attribut_Edit_Screen_Init(l.back(), 30, 100, Team_Transfermarkt);
    klick_icon(ICON_AEDIT_VOR);
    EXPECT_EQ(Attribut_Edit_Spieler(), l.back());
    klick_icon(ICON_AEDIT_ZURUECK);
    EXPECT_EQ(Attribut_Edit_Spieler(), l[l.size() - 2]);
    // A club's squad: the next arrow stops at slot 19.
    Attribut_Edit_Schliessen();
    Editor_Spielerliste(team);
    const i32 letzter = Editor_Get_Zustand().spieler.back();
    ASSERT_EQ(wert(87, letzter), 19);
    Attribut_Edit_Screen_Init(letzter, 30, 100, team);
    klick_icon(ICON_AEDIT_VOR);
    EXPECT_EQ(Attribut_Edit_Spieler(), letzter);
    // A right click closes.
    klick_icon(ICON_AEDIT_ZEILE, MAUS_RECHTS);
    EXPECT_EQ(Attribut_Edit_Spieler(), -1);
}

TEST_F(Seiten, AttributWahlNachDemCheat) {
    leeren(feld);
    i32 an = 0;
    for (i32 a = 0; a < 40 && an < 6; ++a) {
        i32 v[3];
        if (Attribute_Get_Voraussetzungen(a, v) > 0) continue;
        Spieler_Wert(a, feld, Attribut_Noetig(a), OP_SCHREIBEN);
        ++an;
    }
    Global_Attribut_Wahl_Flag = 1;
    Attribut_Popup_Oeffnen(feld, 300, 300, team);
    kit::Frames(2);
    EXPECT_FALSE(Attribut_Popup_Offen());
    ASSERT_EQ(Attribut_Wahl_Spieler(), feld);
    EXPECT_EQ(Attribut_Wahl_Zeilen(), 6);
    // Every row switched on: more than the popup's three.
    for (i32 k = 0; k < 6; ++k) klick_icon(ICON_WAHL_ZEILE + k);
    i32 aktiv = 0;
    for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) aktiv += Attribute_Attribut_Aktief(feld, a);
    EXPECT_EQ(aktiv, 6);
    kit::Png("editor_attributwahl");
    // Dragged by its title.
    i32 x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    Attribut_Wahl_Position(&x0, &y0);
    kit::Ziehen(x0 + 60, y0 + 10, x0 + 160, y0 + 70, 6);
    kit::Frames(2);
    Attribut_Wahl_Position(&x1, &y1);
    EXPECT_EQ(x1, x0 + 100);
    EXPECT_EQ(y1, y0 + 60);
    // Without the flag the popup opens as ever.
    Attribut_Wahl_Schliessen();
    Global_Attribut_Wahl_Flag = 0;
    Attribut_Popup_Oeffnen(feld, 300, 300, team);
    EXPECT_TRUE(Attribut_Popup_Offen());
    Attribut_Popup_Schliessen();
}

TEST_F(Seiten, AussehenFelderSchritteUndArt) {
    const i32 hinten = GESICHT_TEILE[0][2] - 1;
    const struct {
        u32 look;
        i32 feld;
        bool vor;
        u32 teil;
    } faelle[] = {
        {0, 3, false, static_cast<u32>(hinten)}, {Aussehen_Feld_Setzen(0, 3, static_cast<u32>(hinten)), 3, true, 0},
        {0, 1, false, 11},                        {Aussehen_Feld_Setzen(0, 5, 31), 5, true, 0},
        {1, 2, true, 1},                          {Aussehen_Feld_Setzen(1, 2, 1), 2, true, 0},
    };
    for (const auto& f : faelle) {
        const u32 neu = Aussehen_Schritt(f.look, f.feld, f.vor);
        EXPECT_EQ(Aussehen_Feld(neu, f.feld), f.teil) << f.look << " " << f.feld;
        for (i32 g = 0; g < AUSSEHEN_FELDER; ++g)
            if (g != f.feld) {
                EXPECT_EQ(Aussehen_Feld(neu, g), Aussehen_Feld(f.look, g)) << g;
            }
    }
    // The style switched twice gives the starting look back.
    const u32 start = 0x12345678u & ~3u;
    const u32 einmal = Aussehen_Art_Wechseln(start, start);
    EXPECT_EQ(einmal, 1u);
    EXPECT_EQ(Aussehen_Art_Wechseln(einmal, start), start);
    // On the page.
    const i32 p = feld;
    Spieler_Wert(65, p, static_cast<i32>(start), OP_SCHREIBEN);
    Editor_Aussehen_Init(p);
    kit::Frames(2);
    ASSERT_TRUE(Editor_Aussehen_Offen());
    klick_icon(ICON_AUSSEHEN_ZURUECK + 3);
    EXPECT_EQ(Aussehen_Feld(static_cast<u32>(wert(65, p)), 3), Aussehen_Feld(start, 3) == 0 ? static_cast<u32>(hinten)
                                                                                          : Aussehen_Feld(start, 3) - 1);
    klick_icon(ICON_AUSSEHEN_VOR + 0);
    EXPECT_EQ(static_cast<u32>(wert(65, p)), 1u);
    klick_icon(ICON_AUSSEHEN_VOR + 0);
    EXPECT_EQ(static_cast<u32>(wert(65, p)), start);
    // The grid: a part picked; a right click restores what was there.
    klick_icon(ICON_AUSSEHEN_GITTER + 2);
    ASSERT_EQ(Editor_Aussehen_Zustand().raster_feld, 2);
    kit::Frames(2);
    kit::Png("editor_aussehen_raster");
    kit::Warten(50);
    kit::Klick(73 + 7 + 88 * 4 + 40, 126 + 22 + 103 + 50);  // row 1, column 4: part 11
    EXPECT_EQ(Aussehen_Feld(static_cast<u32>(wert(65, p)), 2), 11u);
    EXPECT_EQ(Editor_Aussehen_Zustand().raster_feld, -1);
    klick_icon(ICON_AUSSEHEN_GITTER + 4);
    const u32 vor_raster = static_cast<u32>(wert(65, p));
    EXPECT_TRUE(Editor_Aussehen_Raster_Waehlen(7));
    klick_icon(ICON_AUSSEHEN_GITTER + 4);
    kit::Klick(200, 300, MAUS_RECHTS);
    kit::Frames(1);
    EXPECT_EQ(Aussehen_Feld(static_cast<u32>(wert(65, p)), 4), 7u);
    (void)vor_raster;
    // Reset gives look 0; leaving takes the colours from the final look.
    klick_icon(ICON_AUSSEHEN_VOR + 3);
    klick_icon(ICON_AUSSEHEN_RESET);
    EXPECT_EQ(wert(65, p), 0);
    klick_icon(ICON_AUSSEHEN_VOR + 1);
    klick_icon(ICON_AUSSEHEN_VOR + 3);
    kit::Png("editor_aussehen");
    const u32 ende = static_cast<u32>(wert(65, p));
    klick_icon(ICON_AUSSEHEN_FERTIG);
    EXPECT_FALSE(Editor_Aussehen_Offen());
    u16 haar = 0, haut = 0;
    Gesicht_Farben(ende, &haar, &haut);
    EXPECT_EQ(wert(72, p), haar);
    EXPECT_EQ(wert(73, p), haut);
    EXPECT_NE(haar, haut);
}

TEST_F(Seiten, WappenUndTrikots) {
    const i32 t = team;
    // The crest's arrows run round 1..1000.
    for (const auto& f : std::initializer_list<std::tuple<i32, bool, i32>>{
             {1000, true, 1}, {1, false, 1000}, {500, true, 501}, {0, true, 1}, {1001, false, 1000}})
        EXPECT_EQ(Wappen_Nummer_Schritt(std::get<0>(f), std::get<1>(f)), std::get<2>(f)) << std::get<0>(f);
    Trikot_Set_TrikotNr(t, 10, 0);
    Trikot_Set_TrikotNr(t, 11, 1);
    Trikot_Set_TrikotNr(t, 40, 2);
    Team_Wert(9, t, 1000, OP_SCHREIBEN);
    Editor_Wappen_Init(t);
    kit::Frames(2);
    ASSERT_TRUE(Editor_Wappen_Offen());
    kit::Png("editor_wappen");
    // The first kit steps over the second kit's number.
    klick_icon(ICON_WAPPEN_VOR + 7);  // 3843: the first kit's next arrow
    EXPECT_EQ(Trikot_Get_TrikotNr(t, 0), 12);
    klick_icon(ICON_WAPPEN_ZURUECK + 7);  // 3842
    EXPECT_EQ(Trikot_Get_TrikotNr(t, 0), 10);
    klick_icon(ICON_WAPPEN_VOR);
    EXPECT_EQ(Team_Wert(9, t, 0, OP_LESEN), 1);
    klick_icon(ICON_WAPPEN_ZURUECK);
    EXPECT_EQ(Team_Wert(9, t, 0, OP_LESEN), 1000);
    // The crest grid offers 1..1000: its first cell is crest 1, its last row reaches 1000.
    klick_icon(ICON_WAPPEN_RASTER_AUF);
    ASSERT_TRUE(Editor_Wappen_Zustand().raster);
    Editor_Wappen_Scroll(nullptr, 0, 0);
    kit::Frames(2);
    kit::Png("editor_wappen_raster");
    kit::Warten(50);
    kit::Klick(73 + 38 + 30, 187 + 64 + 30);
    EXPECT_EQ(Team_Wert(9, t, 0, OP_LESEN), 1);
    klick_icon(ICON_WAPPEN_RASTER_AUF);
    for (i32 falsch : {0, 1001}) EXPECT_FALSE(Editor_Wappen_Raster_Waehlen(falsch)) << falsch;
    EXPECT_TRUE(Editor_Wappen_Raster_Waehlen(1000));
    EXPECT_EQ(Team_Wert(9, t, 0, OP_LESEN), 1000);
    // The kit grid refuses a kit of another slot and shows it as not allowed.
    klick_icon(3848);  // the second kit's grid
    kit::Spur_Leeren();
    kit::Frames(2);
    kit::Png("editor_trikot_raster");
    EXPECT_FALSE(Editor_Wappen_Raster_Waehlen(10));
    EXPECT_TRUE(Editor_Wappen_Raster_Waehlen(20));
    EXPECT_EQ(Trikot_Get_TrikotNr(t, 1), 20);
    // Undo all: the values of the opening.
    klick_icon(ICON_WAPPEN_ALLES_ZURUECK);
    EXPECT_EQ(Team_Wert(9, t, 0, OP_LESEN), 1000);
    EXPECT_EQ(Trikot_Get_TrikotNr(t, 0), 10);
    EXPECT_EQ(Trikot_Get_TrikotNr(t, 1), 11);
    EXPECT_EQ(Trikot_Get_TrikotNr(t, 2), 40);
    // The tab captions from the one text with a string each.
    const char* erwartet[WAPPEN_TABS] = {"Wappen", "Trikot 1", "Trikot 2", nullptr};
    for (i32 k = 0; k < 3; ++k) EXPECT_STREQ(Editor_Wappen_Tab_Text(k), erwartet[k]);
    EXPECT_EQ(std::string(Editor_Wappen_Tab_Text(3)).find('%'), std::string::npos);
    EXPECT_EQ(std::string(Editor_Wappen_Tab_Text(3)).rfind("Trikot ", 0), 0u);
    kit::Spur_Leeren();
    kit::Frames(1);
    for (const auto* e : kit::Texte("")) EXPECT_EQ(e->text.find('%'), std::string::npos) << e->text;
    // The stadium's name is drawn as it is (no stray caret).
    EXPECT_TRUE(kit::Text(Team_String(702, t, nullptr, 0)));
}

// The crest and kit tabs: each its picture at its place, the open grid's
// tab its active picture with a gold caption, the others white, every
// caption centred over its tab on one line.
TEST_F(Seiten, WappenReiterZeigenDenOffenen) {
    Editor_Wappen_Init(team);
    kit::Frames(2);
    constexpr i32 TAB_X[WAPPEN_TABS] = {63, 213, 363, 513}, TAB_Y = 26;
    auto bild_bei = [](i32 x, i32 y) {
        i32 g = -1;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_BLIT && e.x == x && e.y == y &&
                (e.grafik == GRAFIK_WAPPEN_TAB || e.grafik == GRAFIK_WAPPEN_TAB_AN))
                g = e.grafik;
        return g;
    };
    for (i32 offen : {-1, 2, 0}) {
        if (offen >= 0) Editor_Wappen_Raster_Oeffnen(offen);
        kit::Spur_Leeren();
        kit::Frames(2);
        for (i32 t = 0; t < WAPPEN_TABS; ++t) {
            SCOPED_TRACE(testing::Message() << "offen " << offen << ", Reiter " << t);
            EXPECT_EQ(bild_bei(TAB_X[t], TAB_Y), t == offen ? GRAFIK_WAPPEN_TAB_AN : GRAFIK_WAPPEN_TAB);
            const Zeichenspur_Eintrag* e = kit::Text_Auf_Zeile(Editor_Wappen_Tab_Text(t), TAB_Y + 17);
            ASSERT_TRUE(e);
            EXPECT_EQ(e->farbe, t == offen ? FARBE_GOLD : FARBE_WEISS);
            EXPECT_NE(e->text.find(Kit_Einzug_Bei({Kit_Ausrichtung::MITTE, TAB_X[t] + 70}).code), std::string::npos)
                << e->text;
        }
    }
}

TEST_F(Seiten, WappenFelderTabUndStadion) {
    const i32 t = team;
    Editor_Wappen_Init(t);
    kit::Frames(2);
    const struct {
        i32 von;
        bool zurueck;
        i32 nach;
    } tabs[] = {{4, false, 0}, {0, true, 4}, {1, false, 2}, {3, true, 2}};
    for (const auto& f : tabs) {
        Editor_Wappen_Feld_Beginnen(f.von);
        kit::Frames(2);
        kit::Warten(250);
        if (f.zurueck) Eingabe_Taste(VK_SHIFT, true);
        kit::Taste(VK_TAB);
        if (f.zurueck) Eingabe_Taste(VK_SHIFT, false);
        kit::Frames(2);
        EXPECT_EQ(Editor_Wappen_Zustand().feld, f.nach) << f.von << ": " << Editor_Get_Zustand().fehler;
    }
    // Escape drops what was typed and ends the edit.
    const std::string name = Team_String(721, t, nullptr, 0);
    Editor_Wappen_Feld_Beginnen(0);
    kit::Frames(1);
    tippen("Verworfen");
    kit::Taste(VK_ESCAPE);
    kit::Frames(2);
    EXPECT_EQ(Editor_Wappen_Zustand().feld, -1);
    EXPECT_EQ(Team_String(721, t, nullptr, 0), name);
    Editor_Wappen_Eingabe_Beenden();
    // The stadium size: seats, no terraces; above the bound refused.
    const struct {
        const char* eingabe;
        bool gut;
        i32 sitze;
    } groessen[] = {{"25000", true, 25000}, {"250000", false, 25000}, {"", false, 25000}, {"0", true, 0}};
    for (const auto& g : groessen) {
        kit::Warten(300);
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_WAPPEN_FELD + 3);
        ASSERT_TRUE(i);
        kit::Klick(i->x + 100, i->y + 10);
        ASSERT_EQ(Editor_Wappen_Zustand().feld, 3);
        kit::Frames(1);
        kit::Taste(VK_DELETE);
        kit::Tippen(g.eingabe);
        kit::Taste(VK_RETURN);
        kit::Frames(2);
        EXPECT_EQ(Editor_Get_Zustand().fehler.empty(), g.gut) << g.eingabe;
        EXPECT_EQ(Team_Wert(5, t, 0, OP_LESEN), g.sitze) << g.eingabe;
        EXPECT_EQ(Team_Wert(4, t, 0, OP_LESEN), 0) << g.eingabe;
    }
    // Texts within the club record's fields: a city of 16 characters is refused.
    const std::string stadt = Team_String(703, t, nullptr, 0);
    Editor_Wappen_Feld_Beginnen(4);
    kit::Frames(1);
    kit::Taste(VK_DELETE);
    kit::Tippen("Sechzehn Zeichen");
    kit::Taste(VK_RETURN);
    kit::Frames(2);
    EXPECT_LE(std::string(Team_String(703, t, nullptr, 0)).size(), 15u);
    Editor_Wappen_Feld_Beginnen(0);
    kit::Frames(1);
    tippen("Wappen Verein");
    kit::Taste(VK_RETURN);
    kit::Frames(2);
    EXPECT_STREQ(Team_String(721, t, nullptr, 0), "Wappen Verein");
    (void)stadt;
}

}  // namespace
