// The dispatcher driven frame by frame with a test clock and a scripted mouse.
#include <gtest/gtest.h>

#include "base/bytes.h"
#include "menue_test.h"

using namespace menue_test;

namespace {

struct Schritt {
    u32 ms;
    i32 x, y;
    u32 tasten;
    i32 rad;
};

struct Fall {
    const char* name;
    std::vector<Schritt> schritte;
    std::vector<std::string> erwartet;
};

class Menue : public ::testing::Test {
  protected:
    void SetUp() override { starten(); }
    void TearDown() override { beenden(); }
    void laufen(const Fall& f) {
        for (const Schritt& s : f.schritte) frame(s.ms, s.x, s.y, s.tasten, s.rad);
        EXPECT_EQ(log, f.erwartet) << f.name;
        log.clear();
        frame(20, 700, 590, 0);  // let everything go between the cases
        log.clear();
    }
};

TEST_F(Menue, KlicksFeuernWieVorgesehen) {
    // 10: plain button; 11: auto-repeat; 12 on layer 5 overlaps 13 on layer 3;
    // 14 fires for both buttons.
    Menue_Screen_Icon_Hinzufuegen(knopf(10, 100, 100, 40, 20));
    Menue_Screen_Icon_Hinzufuegen(knopf(11, 200, 100, 40, 20, 0, MENUE_S_WIEDERHOLEN));
    Menue_Screen_Icon_Hinzufuegen(knopf(12, 300, 100, 100, 100, 5));
    Menue_Screen_Icon_Hinzufuegen(knopf(13, 340, 140, 20, 20, 3));
    Menue_Screen_Icon_Hinzufuegen(knopf(14, 500, 100, 40, 20, 0, 0, MENUE_F_BEIDE_TASTEN));
    Menue_Screen_Icon_Hinzufuegen(knopf(15, 600, 100, 40, 20, 0, MENUE_S_GRAU));
    const Fall faelle[] = {
        {"Klick beim Loslassen", {{20, 110, 110, 1, 0}, {20, 110, 110, 1, 0}, {20, 110, 110, 0, 0}}, {"10:4"}},
        {"Loslassen neben dem Knopf", {{20, 110, 110, 1, 0}, {20, 160, 110, 1, 0}, {20, 160, 110, 0, 0}}, {}},
        {"zurück auf den Knopf", {{20, 110, 110, 1, 0}, {20, 160, 110, 1, 0}, {20, 111, 111, 0, 0}}, {"10:4"}},
        {"Rechtsklick ohne Flag", {{20, 110, 110, 2, 0}, {20, 110, 110, 0, 0}}, {}},
        {"Rechtsklick beim Drücken", {{20, 510, 110, 2, 0}}, {"14:8"}},
        {"höhere Ebene gewinnt", {{20, 350, 150, 1, 0}, {20, 350, 150, 0, 0}}, {"12:4"}},
        {"grau feuert nicht", {{20, 610, 110, 1, 0}, {20, 610, 110, 0, 0}}, {}},
        {"Wiederholung 0/350/50",
         {{20, 210, 110, 1, 0}, {340, 210, 110, 1, 0}, {10, 210, 110, 1, 0}, {49, 210, 110, 1, 0}, {1, 210, 110, 1, 0},
          {50, 210, 110, 1, 0}, {20, 210, 110, 0, 0}},
         {"11:4", "11:4", "11:4", "11:4"}},
    };
    for (const Fall& f : faelle) laufen(f);
}

TEST_F(Menue, HoverUndZiehenMitRaster) {
    static const Icon_Raster raster{4, 1, 100, 300, 50, 50, 10, 0, nullptr};
    static std::vector<std::string> drops;
    static Menue_Drag drag;
    drag.drop = [](Screen_Icon* g, Screen_Icon* u, i32 x, i32 y, u32 e) {
        drops.push_back(std::to_string(x) + "," + std::to_string(y) + ":" + std::to_string(u ? u->nummer : -1) + ":" +
                        std::to_string(e));
    };
    Screen_Icon z = knopf(20, 100, 300, 50, 50, 2, 0, MENUE_F_ZIEHBAR | MENUE_F_HOVER);
    z.raster = &raster;
    z.drag = &drag;
    Menue_Screen_Icon_Hinzufuegen(z);
    Menue_Screen_Icon_Hinzufuegen(knopf(21, 200, 300, 120, 50, 0));
    frame(20, 120, 320, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"20:16"}));
    frame(20, 120, 320, 1);
    frame(20, 180, 330, 1);          // drag starts, raster cell 1 (x 160)
    frame(20, 240, 330, 1);          // nearest cell 2 (x 220)
    EXPECT_EQ(Menue_Get_Klick_Icon(), Menue_Screen_Icon_Aus_Nummer(20));
    frame(20, 240, 330, 0);
    EXPECT_EQ(drops, (std::vector<std::string>{"220,300:21:128"}));
    // A press and release without moving is a click.
    log.clear();
    frame(20, 120, 320, 1);
    frame(20, 120, 320, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"20:4"}));
}

TEST_F(Menue, HooksPeriodeUndGrenze) {
    static std::vector<u32> ereignisse;
    auto hook = [](void*, u32 e) { ereignisse.push_back(e); };
    Menue_Screen_Icon_Hinzufuegen(knopf(1, 0, 0, 10, 10));
    Menue_Screen_Icon_Hinzufuegen(knopf(2, 20, 0, 10, 10));
    Menue_Screen_Icon_Hinzufuegen(knopf(3, 40, 0, 10, 10, 0, MENUE_S_VERSTECKT));
    ASSERT_TRUE(Menue_Hook(hook, nullptr, false, 10));
    frame(0, 700, 500, 0);  // two visible icons: the period has run out, then one pass
    frame(5, 700, 500, 0);
    frame(6, 700, 500, 0);
    EXPECT_EQ(ereignisse, (std::vector<u32>{8192, 2048, 2048, 2048, 8192, 2048}));
    int args[MENUE_HOOKS];
    for (int k = 1; k < MENUE_HOOKS; ++k) EXPECT_TRUE(Menue_Hook(hook, &args[k], false, 0));
    EXPECT_FALSE(Menue_Hook(hook, &args[0], false, 0)) << "the 21st hook is refused";
    EXPECT_TRUE(Menue_Hook_Vorhanden(nullptr, &args[5]));
    EXPECT_TRUE(Menue_Hook(hook, &args[5], true, 0));
    EXPECT_FALSE(Menue_Hook(hook, &args[5], true, 0));
}

TEST_F(Menue, ScrollbalkenUndRad) {
    static Move_Struktur m1, m2;
    static std::vector<i32> idx;
    m1 = {[](Screen_Icon*, i32 i, u32) { idx.push_back(i); }, 0, 0, -1, 100, 300, 10, 11, 30};
    m2 = {[](Screen_Icon*, i32 i, u32) { idx.push_back(100 + i); }, 0, 0, -1, 100, 190, 500, 4, 31};
    Screen_Icon b1 = knopf(40, 10, 200, 10, 10, 1, 0, MENUE_F_SCROLLBUTTON);
    b1.daten = &m1;
    b1.verknuepft = 50;
    Screen_Icon b2 = knopf(41, 500, 100, 10, 10, 1, 0, MENUE_F_SCROLLBUTTON);
    b2.daten = &m2;
    b2.verknuepft = 51;
    Screen_Icon balken = knopf(30, 10, 100, 10, 210, 0);
    balken.klick = Menue_Scrollbar_Klick;
    balken.verknuepft = 40;
    for (const Screen_Icon& i : {b1, b2, balken, knopf(50, 50, 100, 100, 200), knopf(51, 400, 100, 100, 200)})
        Menue_Screen_Icon_Hinzufuegen(i);
    Screen_Icon* k1 = Menue_Screen_Icon_Aus_Nummer(40);
    Screen_Icon* k2 = Menue_Screen_Icon_Aus_Nummer(41);
    EXPECT_EQ(Menue_Balkenpos_In_Index(k1), 5);  // 11 steps, 100..300, at 200
    frame(20, 420, 150, 0, -1);                   // a notch toward the user, nearest list 51
    EXPECT_EQ(k2->y, 124);                       // 90 px track, 4 steps: 24 px
    frame(20, 100, 150, 0, 1);  // away from the user: up by 200 / 11 + 2
    EXPECT_EQ(k1->y, 180);
    frame(600, 15, 290, 1);
    frame(20, 15, 290, 0);  // bar click centres the button on the mouse
    EXPECT_EQ(k1->y, 285);
    EXPECT_EQ(idx, (std::vector<i32>{100, 4, 9}));
    Menue_Scrollbutton_Setzen(k1, 3);
    EXPECT_EQ(Menue_Balkenpos_In_Index(k1), 3);
}

TEST_F(Menue, WippeUndKontextmenue) {
    static i32 wert = 500;
    static Menue_Wippe w;
    w = {nullptr, &wert, 0, 1000, 1, 0};
    Screen_Icon i = knopf(60, 100, 100, 100, 40, 0, 0, MENUE_F_WIPPE | MENUE_F_HALTEN_WIEDERHOLT);
    i.daten = &w;
    Menue_Screen_Icon_Hinzufuegen(i);
    frame(20, 100 + 9 + 6, 123, 1);  // button 0: -100, fires at the release
    frame(20, 100 + 9 + 6, 123, 0);
    frame(20, 100 + 68 + 4, 125, 1);  // button 4: +10
    frame(20, 100 + 68 + 4, 125, 0);
    EXPECT_EQ(wert, 410);
    EXPECT_EQ(log, (std::vector<std::string>{"60:5", "60:6"}));
    Kontextmenue k;
    Menue_Wippe_Kontextmenue(Menue_Screen_Icon_Aus_Nummer(60), &k);
    EXPECT_STREQ(k.titel, "Eingabefeld ändern:");
    EXPECT_EQ(k.anzahl, 3);
    w.schritt = 5;
    Menue_Wippe_Kontextmenue(Menue_Screen_Icon_Aus_Nummer(60), &k);
    ASSERT_EQ(k.anzahl, 8);
    EXPECT_STREQ(k.eintrag[4].text, "Setzen auf 200");
    EXPECT_TRUE(Menue_Kontext_Eingabefeld_Jump_Call(0, 60, 0));
    EXPECT_EQ(wert, 500);
    EXPECT_TRUE(Menue_Kontext_Eingabefeld_Jump_Call(2, 60, 0));
    EXPECT_EQ(wert, 1000);
    EXPECT_FALSE(Menue_Kontext_Eingabefeld_Jump_Call(8, 60, 0));
}

TEST_F(Menue, IconsUndGespeichertesByte) {
    EXPECT_NE(Menue_Screen_Icon_Hinzufuegen(knopf(7, 0, 0, 5, 5)), nullptr);
    EXPECT_EQ(Menue_Screen_Icon_Hinzufuegen(knopf(7, 0, 0, 5, 5)), nullptr) << "number taken";
    EXPECT_EQ(Menue_Screen_Icon_Hinzufuegen(knopf(4202, 0, 0, 5, 5)), nullptr);
    EXPECT_EQ(Menue_Screen_Icon_Hinzufuegen(knopf(8, 0, 0, 5, 5, 27)), nullptr);
    Menue_Screen_Icon_Loeschen(7);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(7));
    Menue_Modus = 42;
    std::vector<u8> block;
    bytes::Schreiber s{block};
    Menue_Speichern(s);
    ASSERT_EQ(block.size(), 1u);
    Menue_Modus = 0;
    bytes::Leser leer(block.data(), 0);
    EXPECT_FALSE(Menue_Laden(leer));
    EXPECT_EQ(Menue_Modus, 0);
    bytes::Leser l(block.data(), block.size());
    EXPECT_TRUE(Menue_Laden(l));
    EXPECT_EQ(Menue_Modus, 42);
}

}  // namespace

namespace {

TEST(MenueSlaves, GrafikNummernWerdenEinmalGeladen) {
    // Without archives nothing loads; bad numbers are refused either way.
    EXPECT_EQ(Menue_Get_Slave_Rastport(3999), nullptr);
    EXPECT_EQ(Menue_Get_Slave_Rastport(92000), nullptr);
    EXPECT_EQ(Menue_Get_Slave_Rastport(4001), nullptr);
    Menue_Slave_Freigeben(-1);
}

}  // namespace
