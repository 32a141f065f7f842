// The dispatcher driven frame by frame with a test clock and a scripted mouse.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "base/bytes.h"
#include "base/files.h"
#include "graphics/bildformat.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "menue_test.h"
#include "world/manager.h"
#include "world/welt.h"

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
         {{20, 210, 110, 1, 0},
          {340, 210, 110, 1, 0},
          {10, 210, 110, 1, 0},
          {49, 210, 110, 1, 0},
          {1, 210, 110, 1, 0},
          {50, 210, 110, 1, 0},
          {20, 210, 110, 0, 0}},
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
    frame(20, 180, 330, 1);  // drag starts, raster cell 1 (x 160)
    frame(20, 240, 330, 1);  // nearest cell 2 (x 220)
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
    frame(20, 420, 150, 0, -1);                  // a notch toward the user, nearest list 51
    EXPECT_EQ(k2->y, 124);                       // 90 px track, 4 steps: 24 px
    frame(20, 100, 150, 0, 1);                   // away from the user: up by 200 / 11 + 2
    EXPECT_EQ(k1->y, 180);
    frame(600, 15, 290, 1);
    frame(20, 15, 290, 0);  // bar click centres the button on the mouse
    EXPECT_EQ(k1->y, 285);
    EXPECT_EQ(idx, (std::vector<i32>{100, 4, 9}));
    Menue_Scrollbutton_Setzen(k1, 3);
    EXPECT_EQ(Menue_Balkenpos_In_Index(k1), 3);
}

// Pictures for graphic numbers 5000 + c: 4 x 4 of colour c; 8331: white.
Rastport* farbbild(u32 g) {
    static std::map<u32, Rastport_Bild> bilder;
    auto& b = bilder[g];
    if (!b) {
        b.reset(Rastport_Neu_Einfach(4, 4, 16));
        Blt_Rechteck(b.get(), 0, 0, 4, 4, g == MENUE_GRAFIK_SCHLEIER ? 0xFFFF : g - 5000);
    }
    return b.get();
}

TEST_F(Menue, ScrollscreenFolgtBalkenUndRad) {
    // A window of 100 x 100 at (100, 100) over 400 px of content; rows 70..73
    // of 40 px at content y 0, 100, 200, 300; the button runs on 100..190.
    static Move_Struktur m;
    m = {Menue_Universale_Scroll_Prozedur, 0, 0, -1, 100, 190, 210, 4, 61, 0.f, 0};
    Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(0);
    ss->inhalt_b = 100, ss->inhalt_h = 400, ss->fenster_b = 100, ss->fenster_h = 100;
    ss->fenster_x = 100, ss->fenster_y = 100, ss->flags = 0, ss->knopf = 60, ss->inhalt_laenge = 400;
    Screen_Icon k = knopf(60, 210, 100, 10, 10, 2, 0, MENUE_F_SCROLLBUTTON), balken = knopf(61, 210, 100, 10, 100, 1);
    k.daten = &m, k.verknuepft = 61, balken.klick = Menue_Scrollbar_Klick, balken.verknuepft = 60;
    Menue_Screen_Icon_Hinzufuegen(k), Menue_Screen_Icon_Hinzufuegen(balken);
    for (i16 r = 0; r < 4; ++r) {
        Screen_Icon z = knopf(static_cast<i16>(70 + r), 100, static_cast<i16>(100 + 100 * r), 100, 40);
        z.scroll = 0, z.farbe = static_cast<u16>(0x1000 * (r + 1));
        Menue_Screen_Icon_Hinzufuegen(z);
    }
    Rastport_Bild ziel(Rastport_Neu_Einfach(800, 600, 16));
    auto pixel = [&](i32 x, i32 y) { return ziel->bitmap->pixel16()[y * 800 + x]; };
    frame(20, 150, 210, 1), frame(20, 150, 210, 0);  // row 71 lies below the window
    // A notch toward the user: 90 / 4 + 2 = 24 track px = 80 content px.
    frame(20, 150, 150, 0, -1);
    Menue_Screen_Refresh(ziel.get());
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(71)->y, 120);
    EXPECT_EQ(pixel(150, 130), 0x2000);
    frame(600, 150, 130, 1), frame(20, 150, 130, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"71:4"})) << "hit only inside the window";
    frame(20, 215, 199, 1), frame(20, 215, 199, 0);  // the bar's end shows the last row
    EXPECT_EQ(Menue_Abs_Balkenpos(Menue_Screen_Icon_Aus_Nummer(60)), 300);
    ss->inhalt_laenge = 90;  // content that fits: bar hidden, back to 0
    Menue_Abs_Balkenpos(Menue_Screen_Icon_Aus_Nummer(60));
    Menue_Screen_Refresh(ziel.get());
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(61)->status & MENUE_S_VERSTECKT);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(70)->y, 100);
    Menue_Kill_Scrollscreen(0);
    EXPECT_EQ(Menue_Screen_Icon_Anzahl(), 0);
}

TEST_F(Menue, WerteUndKnopfplaetzeUmrechnen) {
    // Button 40 runs vertically on y 100..300, button 41 horizontally on x 20..110.
    static Move_Struktur senk, waag;
    senk = {nullptr, 0, 0, -1, 100, 300, 10, 11, 30};
    waag = {nullptr, 20, 110, 50, 0, 0, -1, 4, 31};
    Screen_Icon s = knopf(40, 10, 200, 10, 10, 1, 0, MENUE_F_SCROLLBUTTON),
                w = knopf(41, 20, 50, 10, 10, 1, 0, MENUE_F_SCROLLBUTTON);
    s.daten = &senk, w.daten = &waag;
    Menue_Screen_Icon_Hinzufuegen(s), Menue_Screen_Icon_Hinzufuegen(w);
    // icon, value, reversal, range, track (-1: the button's), place, value read back
    const struct {
        i32 nr, wert, umkehr, min, max, s0, s1, pos, zurueck;
    } faelle[] = {
        {40, 1, 0, 1, 10, -1, -1, 300, 1},                                      // the lowest value at the bottom
        {40, 10, 0, 1, 10, -1, -1, 100, 10},                                    // the highest at the top
        {40, 1, 1, 1, 10, -1, -1, 100, 1},                                      // turned round
        {40, 0, 0, 0, 10, -1, -1, 300, 0},                                      // a range from 0 stays on the track
        {40, 99, 0, 1, 10, -1, -1, 100, 10},                                    // outside the range: its nearer end
        {40, -5, 0, 1, 10, -1, -1, 300, 1},  {40, 5, 0, 5, 5, -1, -1, 100, 5},  // a range of one value
        {40, 1, 1, 0, 1, -1, -1, 300, 1},                                       // one step
        {41, 1, 0, 0, 3, -1, -1, 50, 1},                                        // rounded to the nearest pixel
        {41, 2, 0, 0, 3, -1, -1, 80, 2},     {41, 2, 1, 0, 3, -1, -1, 50, 2},
        {41, 7, 0, 0, 10, 30, 40, 37, 7},  // a track of the caller's
        {41, 7, 0, 0, 10, 40, 40, 40, 0},  // a track of length 0
        {99, 7, 0, 0, 10, -1, -1, -1, 0},  // no such button
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(
            Menue_Wert_In_Scrollpos_Umrechnen(Team_Aktiv, f.nr, nullptr, f.wert, f.umkehr, f.min, f.max, f.s0, f.s1),
            f.pos)
            << f.nr << " " << f.wert;
        if (f.pos >= 0) {
            EXPECT_EQ(Menue_Icon_Zustand(f.nr), static_cast<u32>(f.pos)) << f.nr << " " << f.wert;
        }
        EXPECT_EQ(Menue_Scrollpos_In_Wert_Umrechnen(Team_Aktiv, f.nr, nullptr, f.umkehr, f.min, f.max, f.s0, f.s1),
                  f.zurueck)
            << f.nr << " " << f.wert;
    }
    // Every value of a range comes back from its place.
    for (i32 v = -3; v <= 17; ++v) {
        Menue_Wert_In_Scrollpos_Umrechnen(Team_Aktiv, -1, Menue_Screen_Icon_Aus_Nummer(40), v, 0, -3, 17);
        EXPECT_EQ(Menue_Scrollpos_In_Wert_Umrechnen(Team_Aktiv, -1, Menue_Screen_Icon_Aus_Nummer(40), 0, -3, 17), v);
    }
    // The icons already stand at the target: the next draw moves nothing.
    Menue_Dynamischen_Scrollbar_Korrigieren(nullptr);
    Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(0);
    Screen_Icon z = knopf(70, 1, 130, 50, 20);
    z.scroll = 0;
    Menue_Screen_Icon_Hinzufuegen(z);
    ss->ziel = 40;
    Menue_Dynamischen_Scrollbar_Korrigieren(ss);
    Menue_Universale_Scroll_Blit_Prozedur(0, nullptr);
    EXPECT_EQ(ss->aktuell, 40);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(70)->y, 130);
}

TEST_F(Menue, BereichLoeschenNimmtDenScrollscreenMit) {
    // 10 at 10..29; 11 (stays unless asked) at 25..44; the scroll screen's
    // window 100..199 holds 70; its button 60 and bar 61 lie outside it.
    static Move_Struktur m;
    m = {Menue_Universale_Scroll_Prozedur, 0, 0, -1, 300, 390, 400, 4, 61, 0.f, 0};
    const struct {
        const char* name;
        u32 modus;
        i32 x0, y0, x1, y1;
        std::vector<i32> bleiben;
    } faelle[] = {
        {"ueberlappt", 0, 0, 0, 15, 15, {11, 60, 61, 70}},
        {"ganz innen", BEREICH_GANZ_INNEN, 0, 0, 29, 29, {11, 60, 61, 70}},
        {"nicht ganz innen", BEREICH_GANZ_INNEN, 0, 0, 28, 28, {10, 11, 60, 61, 70}},
        {"bleibende bleiben", 0, 0, 0, 30, 30, {11, 60, 61, 70}},
        {"auch bleibende", BEREICH_AUCH_BLEIBENDE, 0, 0, 30, 30, {60, 61, 70}},
        {"trifft das Fenster", 0, 199, 199, 210, 210, {10, 11}},
        {"Scrollscreen lassen", BEREICH_SCROLLSCREEN_LASSEN, 100, 100, 199, 199, {10, 11, 60, 61, 70}},
        {"Fenster nicht ganz innen", BEREICH_GANZ_INNEN, 150, 150, 250, 250, {10, 11, 60, 61, 70}},
        {"alles", 5, -9999, -9999, 9999, 9999, {}},
    };
    for (const auto& f : faelle) {
        Menue_Screen_Freigeben();
        Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(0);
        ss->inhalt_b = 100, ss->inhalt_h = 400, ss->fenster_b = 100, ss->fenster_h = 100;
        ss->fenster_x = 100, ss->fenster_y = 100, ss->knopf = 60;
        Screen_Icon k = knopf(60, 400, 300, 10, 10, 2, 0, MENUE_F_SCROLLBUTTON), z = knopf(70, 100, 100, 100, 40);
        k.daten = &m, k.verknuepft = 61, z.scroll = 0;
        for (const Screen_Icon& i : {knopf(10, 10, 10, 20, 20), knopf(11, 25, 25, 20, 20, 3, 0, MENUE_F_BLEIBT), k,
                                     knopf(61, 400, 300, 10, 100, 1), z})
            Menue_Screen_Icon_Hinzufuegen(i);
        Menue_Screen_Icons_Loeschen_Bereich(f.modus, f.x0, f.y0, f.x1, f.y1);
        std::vector<i32> da;
        for (i32 n : {10, 11, 60, 61, 70})
            if (Menue_Screen_Icon_Ist_Vorhanden(n)) da.push_back(n);
        EXPECT_EQ(da, f.bleiben) << f.name;
    }
}

TEST_F(Menue, HintergrundUnterDemScrollscreenKommtZurueck) {
    // Graphic 9000: 20 x 20, its left half colour key 0. It lies at the window
    // (100, 100) moved by the frame offset (0, -8).
    Menue_Set_Hooks({.grafik_holen = [](u32 g) -> Rastport* {
        static Rastport_Bild b;
        if (g != 9000) return nullptr;
        if (!b) {
            b.reset(Rastport_Neu_Einfach(20, 20, 16));
            Blt_Rechteck(b.get(), 0, 0, 20, 20, 0);
            Blt_Rechteck(b.get(), 10, 0, 10, 20, 0x1234);
        }
        return b.get();
    }});
    Rastport_Bild ziel(Rastport_Neu_Einfach(800, 600, 16));
    auto pixel = [&](i32 x, i32 y) { return ziel->bitmap->pixel16()[y * 800 + x]; };
    // flags, a key pixel after the screen changed under the graphic
    const struct {
        u8 flags;
        u16 loch;
    } faelle[] = {
        {SCROLL_HINTERGRUND, 0x0101},                       // the saved background comes back
        {SCROLL_HINTERGRUND | SCROLL_OHNE_RETTEN, 0x0202},  // left as it is
        {0, 0},                                             // drawn opaque
    };
    for (const auto& f : faelle) {
        Menue_Screen_Freigeben();
        Menue_Scrollscreen* ss = Menue_Get_Scrollscreen(0);
        ss->fenster_x = 100, ss->fenster_y = 100, ss->fenster_b = 50, ss->fenster_h = 50, ss->inhalt_b = 50,
        ss->inhalt_h = 50, ss->hintergrund = 9000, ss->flags = f.flags;
        Blt_Rechteck(ziel.get(), 0, 0, 800, 600, 0x0101);
        Menue_Universale_Scroll_Blit_Prozedur(0, ziel.get());
        Blt_Rechteck(ziel.get(), 0, 0, 800, 600, 0x0202);
        Menue_Universale_Scroll_Blit_Prozedur(0, ziel.get());
        EXPECT_EQ(pixel(105, 95), f.loch) << int(f.flags);
        EXPECT_EQ(pixel(115, 95), 0x1234) << int(f.flags);
    }
    Menue_Set_Hooks({});
}

TEST_F(Menue, ZustaendeLebenImManagerDesAktivenTeams) {
    // Teams 0 and 1 have human managers, team 2 none (the engine keeps it).
    static Manager_Struktur mgr[2];
    mgr[0] = {}, mgr[1] = {};
    Manager_Struktur* tabelle[3] = {&mgr[0], &mgr[1], nullptr};
    Manager_Struktur** alt = Team_Manager;
    const i32 alt_anzahl = Team_Anzahl, alt_aktiv = Team_Aktiv;
    Team_Manager = tabelle, Team_Anzahl = 3;
    static Move_Struktur m;
    m = {nullptr, 0, 0, -1, 100, 300, 10, 11, 30};
    Screen_Icon toggle = knopf(20, 100, 100, 40, 20, 0, MENUE_S_AN),
                k = knopf(40, 10, 100, 10, 10, 1, 0, MENUE_F_SCROLLBUTTON);
    toggle.klick = [](Screen_Icon* i, u32) { Menue_Icon_Zustand_Setzen(i->nummer, !Menue_Icon_Zustand(i->nummer)); };
    k.daten = &m;
    // team, click the toggle, button index to set (-1 none), toggle on, button y when the screen opens again
    const struct {
        i32 team;
        bool klick;
        i32 index;
        bool an;
        i32 y;
    } faelle[] = {
        {0, true, 5, true, 200},   {1, false, -1, false, 100}, {1, true, 8, true, 260},
        {0, false, -1, true, 200}, {2, true, 3, true, 160},
    };
    for (const auto& f : faelle) {
        Team_Aktiv = f.team;
        Menue_Screen_Freigeben();
        Menue_Screen_Icon_Hinzufuegen(toggle), Menue_Screen_Icon_Hinzufuegen(k);
        if (f.klick) frame(20, 110, 110, 1), frame(20, 110, 110, 0), frame(20, 700, 590, 0);
        if (f.index >= 0) Menue_Scrollbutton_Setzen(Menue_Screen_Icon_Aus_Nummer(40), f.index);
        EXPECT_EQ(Menue_Icon_An(Menue_Screen_Icon_Aus_Nummer(20)), f.an) << f.team;
        Menue_Screen_Freigeben();
        Menue_Screen_Icon_Hinzufuegen(k);
        EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(40)->y, f.y) << f.team;
    }
    EXPECT_EQ(Manager_Icon_Button_Lesen(0, 40), 200u);
    Team_Manager = alt, Team_Anzahl = alt_anzahl, Team_Aktiv = alt_aktiv;
}

TEST_F(Menue, BesondereIconArten) {
    Menue_Set_Hooks({.grafik_holen = farbbild});
    static Menue_Wippe w;
    static i32 wert = 5;
    w = {nullptr, &wert, 0, 10, 1, 0};
    w.grafik[0] = 5000 + 0x07E0, w.grafik[5] = 5000 + 0x001F, w.x_off[5] = 90, w.y_off[5] = 10;
    Screen_Icon wippe = knopf(60, 100, 100, 100, 40, 0, 0, MENUE_F_WIPPE | MENUE_F_HALTEN_WIEDERHOLT);
    wippe.daten = &w;
    Menue_Screen_Icon_Hinzufuegen(wippe);
    // TGA pictures come from the dummy folder of the resfile folder.
    const std::string alt_ordner = W32_Dir_Tabelle[W32_DIR_RESFILE], ordner = ::testing::TempDir() + "menue_tga";
    std::filesystem::create_directories(ordner + "/dummy");
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s", ordner.c_str());
    std::vector<u8> tga;
    ASSERT_TRUE(Tga_Schreiben(tga, farbbild(5000 + 0xF800)));
    std::ofstream(ordner + "/dummy/rot.tga", std::ios::binary)
        .write(reinterpret_cast<const char*>(tga.data()), tga.size());
    for (i16 n : {61, 63}) {
        Screen_Icon i = knopf(n, static_cast<i16>(300 + 40 * (n - 61)), 100, 20, 20, 0, 0, MENUE_F_TGA);
        i.tga = n == 61 ? "rot" : "fehlt";
        Menue_Screen_Icon_Hinzufuegen(i);
    }
    Rastport_Bild ziel(Rastport_Neu_Einfach(800, 600, 16));
    auto pixel = [&](i32 x, i32 y) { return ziel->bitmap->pixel16()[y * 800 + x]; };
    Menue_Screen_Refresh(ziel.get());
    // Rocker button 0 at its default point, 5 at its own, 3 without a picture;
    // the TGA picture; a missing TGA leaves the icon's face.
    const struct {
        i32 x, y;
        u16 farbe;
    } punkte[] = {{115, 123, 0x07E0}, {190, 110, 0x001F}, {158, 126, 0x4208}, {302, 102, 0xF800}, {385, 105, 0x4208}};
    for (const auto& p : punkte) EXPECT_EQ(pixel(p.x, p.y), p.farbe) << p.x << "," << p.y;
    frame(20, 190, 110, 1), frame(20, 190, 110, 0);
    EXPECT_EQ(wert, 10) << "x 190 is nearest button 5's own point: +100";
    Menue_Tga_Freigeben("rot");
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s", alt_ordner.c_str());
    // The whole-screen icon veils everything at 90 % and takes every click.
    Menue_Screen_Icon_Hinzufuegen(knopf(62, 5, 5, 1, 1, 20, 0, MENUE_F_GANZER_SCREEN));
    Menue_Screen_Refresh(ziel.get());
    EXPECT_GT(pixel(700, 500), 0xD000);
    log.clear();
    frame(600, 150, 120, 1), frame(20, 150, 120, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"62:4"}));
    Menue_Set_Hooks({});
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

TEST_F(Menue, KurzerKlickInEinemDurchgangFeuertEinmal) {
    // A press and release that fall between two frames: the button fires
    // once, also when a draw procedure of that frame reads the mouse (the
    // squad screens do, to close their popup) before the icons are checked,
    // and also when the icons are checked twice in the frame.
    Menue_Screen_Icon_Hinzufuegen(knopf(10, 100, 100, 40, 20));
    Screen_Icon leser = knopf(20, 400, 400, 20, 20);
    leser.zeichnen = [](Screen_Icon*, Rastport*, i32, i32) { static_cast<void>(Maus_Get_Tasten()); };
    Rastport_Bild ziel(Rastport_Neu_Einfach(800, 600, 16));
    // One pass: the buttons go down and up as given, the frame is latched and
    // drawn, then the icons are checked `pruefungen` times.
    const auto durchgang = [&](bool runter, bool hoch, i32 pruefungen) {
        uhr += 20;
        Eingabe_Maus_Position(110, 110);
        if (runter) Eingabe_Maus_Taste(MAUS_LINKS, true);
        if (hoch) Eingabe_Maus_Taste(MAUS_LINKS, false);
        Eingabe_Neuer_Durchgang();
        Maus_Update();
        Menue_Screen_Refresh(ziel.get());
        for (i32 k = 0; k < pruefungen; ++k) Menue_Icons_Check();
    };
    const struct {
        const char* name;
        bool leser;
        i32 pruefungen;
        bool gehalten;  // held over a frame instead of let go at once
    } faelle[] = {
        {"ohne Leser", false, 1, false},
        {"Leser vor der Prüfung", true, 1, false},
        {"Leser, zwei Prüfungen", true, 2, false},
        {"gehalten, Leser", true, 1, true},
    };
    for (const auto& f : faelle) {
        if (f.leser) Menue_Screen_Icon_Hinzufuegen(leser);
        durchgang(true, !f.gehalten, f.pruefungen);
        if (f.gehalten) durchgang(false, true, f.pruefungen);
        for (i32 k = 0; k < 3; ++k) durchgang(false, false, f.pruefungen);
        EXPECT_EQ(log, (std::vector<std::string>{"10:4"})) << f.name;
        log.clear();
        Menue_Screen_Icon_Loeschen(20);
    }
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
