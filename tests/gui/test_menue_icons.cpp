// Icon pictures, fit boxes, text icons made after a template, the modal
// state and context menus of any icon, drawn through the screen refresh.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "menue_test.h"

using namespace menue_test;

namespace {


class MenueIcons : public ::testing::Test {
  protected:
    Rastport_Bild ziel{Rastport_Neu_Einfach(800, 600, 16)};
    void SetUp() override { starten(); }
    void TearDown() override {
        Menue_Set_Hooks({});
        beenden();
    }
    u16 px(i32 x, i32 y) { return ziel->bitmap->pixel16()[y * 800 + x]; }
};

Rastport* fake_grafik(u32 g) {
    static Rastport_Bild b(Rastport_Neu_Einfach(30, 12, 16));
    if (g != 4711) return nullptr;
    Blt_Rechteck(b.get(), 0, 0, -1, -1, 0x1234);
    return b.get();
}

TEST_F(MenueIcons, EigeneBilderStattRechtecken) {
    Menue_Set_Hooks({.grafik_holen = fake_grafik});
    Menue_Set_Hintergrund(nullptr, 0x0841);
    struct Fall {
        const char* name;
        Screen_Icon icon;
        i32 w, h;         // the picture's size
        u16 innen;        // pixel at the icon's corner after a refresh
        bool eigen;       // an own picture of the engine
    } faelle[] = {
        {"Farbe", knopf(20, 10, 10, 40, 20), 40, 20, 0x4208, true},
        {"Farbschlüssel 0", knopf(21, 100, 10, 40, 20, 0, MENUE_S_TRANSPARENT), 40, 20, 0x0841, true},
        {"zu groß", knopf(22, 200, 10, 900, 20), 25, 25, 50055, true},
        {"negative Höhe", knopf(23, 300, 10, 30, -4), 25, 25, 50055, true},
        {"Grafik", [] { auto i = knopf(24, 400, 10, 5, 5); i.grafik = 4711; return i; }(), 30, 12, 0x1234, false},
        // A missing picture: none to report, the icon shows its own colour.
        {"fehlende Grafik", [] { auto i = knopf(25, 500, 10, 5, 5); i.grafik = 4712; return i; }(), 0, 0, 0x4208, false},
    };
    for (Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Screen_Icon* i = Menue_Screen_Icon_Hinzufuegen(f.icon);
        ASSERT_TRUE(i);
        i32 w = -1, h = -1;
        Rastport* b = Menue_Screen_Icon_Bitmap(i, &w, &h);
        EXPECT_EQ(w, f.w);
        EXPECT_EQ(h, f.h);
        EXPECT_EQ(b != nullptr, f.w > 0);
        if (f.eigen) {
            EXPECT_EQ(Menue_Screen_Icon_Bitmap(i, nullptr, nullptr), b);  // made once
        }
        Menue_Screen_Refresh(ziel.get());
        EXPECT_EQ(px(f.icon.x, f.icon.y), f.innen);
        if (f.eigen) {
            EXPECT_EQ(px(f.icon.x + f.w - 1, f.icon.y + f.h - 1), f.innen);
        }
    }
    // A new colour makes a new picture; the icon's removal frees it (the
    // leak check of the sanitizer build watches).
    Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(20);
    i->farbe = 0xF800;
    Menue_Screen_Refresh(ziel.get());
    EXPECT_EQ(px(10, 10), 0xF800);
    Menue_Screen_Icon_Loeschen(20);
    Menue_Screen_Refresh(ziel.get());
    EXPECT_EQ(px(10, 10), 0x0841);
    // A whole-screen icon has no picture and covers the screen.
    Screen_Icon g = knopf(30, 50, 50, 10, 10, 0, 0, MENUE_F_GANZER_SCREEN);
    i32 w = 0, h = 0;
    EXPECT_EQ(Menue_Screen_Icon_Bitmap(&g, &w, &h), nullptr);
    EXPECT_EQ((std::vector<i32>{g.x, g.y, w, h}), (std::vector<i32>{0, 0, 800, 600}));
}

TEST_F(MenueIcons, Passgroesse) {
    struct Fall {
        i16 x, y, w, h, cx0, cy0, cx1, cy1;
        std::vector<i32> erwartet;  // x0, x1, y0, y1
    } faelle[] = {
        {10, 20, 30, 40, 0, 0, 799, 599, {10, 39, 20, 59}},     // inside its box
        {10, 20, 30, 40, 15, 25, 30, 50, {15, 30, 25, 50}},     // cut on all sides
        {10, 20, 30, 40, 35, 0, 799, 599, {35, 39, 20, 59}},    // cut on the left
        {10, 20, 30, 40, 100, 100, 200, 200, {10, 39, 20, 59}},  // no overlap: the whole rectangle
        {10, 20, 30, 40, 39, 59, 50, 60, {39, 39, 59, 59}},     // one pixel
    };
    for (const Fall& f : faelle) {
        Screen_Icon i = knopf(1, f.x, f.y, f.w, f.h);
        i.clip_x0 = f.cx0, i.clip_y0 = f.cy0, i.clip_x1 = f.cx1, i.clip_y1 = f.cy1;
        std::vector<i32> r(4, -7);
        Menue_Icon_Passgroesse_Ermitteln(&i, &r[0], &r[1], &r[2], &r[3]);
        EXPECT_EQ(r, f.erwartet) << f.cx0 << "," << f.cy0;
    }
}

TEST_F(MenueIcons, TextIconsNachVorlage) {
    Screen_Icon vorlage = knopf(0, 120, 140, 60, 22, 7, MENUE_S_DRUCKBILD, MENUE_F_TEXT | MENUE_F_HOVER);
    vorlage.clip_x1 = 400, vorlage.farbe = 0x07E0, vorlage.verknuepft = 99, vorlage.hilfe = "Hilfe";
    Icon_Textzeile zeilen[3];
    zeilen[0].text = "eins", zeilen[1].text = "zwei", zeilen[2].text = "drei";
    Screen_Icon tabelle[4] = {knopf(40, 0, 0, 0, 0), knopf(41, 0, 0, 10, 10), knopf(42, 0, 0, 0, 0), Screen_Icon{}};
    tabelle[1].grafik = 12;
    tabelle[1].user[0] = 5;
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(tabelle[0]));
    EXPECT_EQ(Menue_Init_Icon_Liste(tabelle, vorlage, zeilen, MENUE_KEINE_GRAFIK), 3);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(40));  // taken off the screen
    for (i32 k = 0; k < 3; ++k) {
        const Screen_Icon& i = tabelle[k];
        EXPECT_EQ(i.nummer, 40 + k);
        EXPECT_EQ((std::vector<i32>{i.x, i.y, i.clip_x1, i.ebene, i.farbe, i.verknuepft}),
                  (std::vector<i32>{120, 140, 400, 7, 0x07E0, 99}));
        EXPECT_EQ(i.flags, vorlage.flags);
        EXPECT_EQ(i.status, vorlage.status);
        EXPECT_EQ(i.klick, vorlage.klick);
        EXPECT_EQ(i.daten, &zeilen[k]);
        EXPECT_EQ(i.user[0], 0xFFFFFFFFu);
        EXPECT_EQ(i.user[1], 0xFFFFFFFFu);
    }
    EXPECT_EQ(tabelle[1].grafik, 12u);                            // -1 keeps the graphic
    EXPECT_EQ((std::vector<i32>{tabelle[1].w, tabelle[0].w}), (std::vector<i32>{10, 60}));  // own size kept
    Menue_Init_Text_Icon(&tabelle[2], vorlage, nullptr, 4001);
    EXPECT_EQ(tabelle[2].grafik, 4001u);
    EXPECT_EQ(tabelle[2].daten, nullptr);
}

TEST_F(MenueIcons, ModalNurMitSichtbaremModalemIcon) {
    EXPECT_FALSE(Menue_Get_Modal());
    Menue_Screen_Icon_Hinzufuegen(knopf(50, 0, 0, 10, 10));
    EXPECT_FALSE(Menue_Get_Modal());
    Screen_Icon* m = Menue_Screen_Icon_Hinzufuegen(knopf(51, 0, 0, 10, 10, 3, MENUE_S_VERSTECKT, MENUE_F_MODAL));
    EXPECT_FALSE(Menue_Get_Modal());
    m->status = 0;
    EXPECT_TRUE(Menue_Get_Modal());
    Menue_Screen_Icon_Loeschen(51);
    EXPECT_FALSE(Menue_Get_Modal());
}

std::vector<std::string> gewaehlt;
void waehlen(i32 e, i32 icon, i32 wert) {
    gewaehlt.push_back(std::to_string(e) + "/" + std::to_string(icon) + "/" + std::to_string(wert));
}

TEST_F(MenueIcons, KontextmenueFuerJedesIcon) {
    Kontextmenue k;
    Menue_Init_Kontextmenue(&k, "Spieler:", 77, -1, waehlen);  // -1 is taken as 0
    EXPECT_EQ(k.standard_status, 0u);
    Menue_Init_Kontextmenue(&k, "Spieler:", 77, 4, waehlen);
    i32 dazu = 0;
    for (i32 n = 0; n < KONTEXT_MAX + 3; ++n) dazu += Menue_Kontextmenue_Eintrag(&k, "Verkaufen", 100 + n);
    EXPECT_EQ(dazu, KONTEXT_MAX);
    EXPECT_EQ(k.eintrag[3].status, 4u);
    gewaehlt.clear();
    const struct {
        i32 eintrag;
        bool ok;
    } faelle[] = {{0, true}, {34, true}, {35, false}, {-1, false}};
    for (const auto& f : faelle) EXPECT_EQ(Menue_Kontextmenue_Waehlen(&k, f.eintrag), f.ok) << f.eintrag;
    EXPECT_EQ(gewaehlt, (std::vector<std::string>{"0/77/100", "34/77/134"}));
    Menue_Init_Kontextmenue(nullptr, "x", 1, 0, waehlen);  // reported, nothing else
    // The rocker's own menu is one of them: choosing "Setzen auf" writes the value.
    i32 wert = 7;
    Menue_Wippe w;
    w.wert_i = &wert, w.minimum = 0, w.maximum = 500, w.schritt = 5;
    Screen_Icon wi = knopf(60, 10, 10, 94, 40, 0, 0, MENUE_F_WIPPE);
    wi.daten = &w;
    Screen_Icon* i = Menue_Screen_Icon_Hinzufuegen(wi);
    Menue_Wippe_Kontextmenue(i, &k);
    ASSERT_GE(k.anzahl, 5);
    EXPECT_TRUE(Menue_Kontextmenue_Waehlen(&k, 4));
    EXPECT_EQ(wert, k.eintrag[4].wert);
    EXPECT_TRUE(Menue_Kontextmenue_Waehlen(&k, 0));
    EXPECT_EQ(wert, 7);
}

}  // namespace
