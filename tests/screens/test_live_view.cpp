// The live match view: layout of one to four views, the focus click and the
// side it hands to the line-up screen, matches leaving the list, the
// projection, the camera and the facing directions; real engine matches in
// one full and four quarter views with their bars and frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "base/random.h"
#include "grafik_nummern.h"
#include "graphics/abdruck.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "graphics/resf.h"
#include "gui/menue.h"
#include "gui/menue_spiel.h"
#include "gui/palette.h"
#include "kit.h"
#include "match/match_test.h"
#include "screens/live_view/kommentar.h"
#include "screens/live_view/spielansicht.h"
#include "world/trikot.h"

namespace {

std::vector<i32> gewaehlt;  // teams handed to the in-match line-up screen

struct Rechteck {
    i32 x, y, w, h;
    bool operator==(const Rechteck&) const = default;
};

class LiveView : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten_Ohne_Spiel());
        Menue_Spiel_Set_Hooks({.im_spiel_team = [](i32 t) {
            if (t >= 0) gewaehlt.push_back(t);  // -1 only asks which club it shows
            return t;
        }});
        gewaehlt.clear();
        for (int i = 0; i < 4; ++i) {
            felder[i] = std::make_unique<Spielfeld_Daten>();
            felder[i]->team[0] = 10 + 2 * static_cast<u32>(i);
            felder[i]->team[1] = 11 + 2 * static_cast<u32>(i);
            felder[i]->bild_art = static_cast<u8>(i);
            felder[i]->kamera[0] = 5400, felder[i]->kamera[1] = 3403;
            liste[i] = felder[i].get();
        }
        st.periode_ms = 45;
    }
    void TearDown() override {
        Spielansicht_Free();
        Menue_Spiel_Set_Hooks({});
        kit::Beenden();
    }
    bool Frame(int anzahl) { return Spielansicht_Run(liste, anzahl, &st, 0); }
    std::vector<Rechteck> Aktive() {
        std::vector<Rechteck> r;
        for (int s = 0; s < SA_VIEWS; ++s) {
            const Spielansicht_View& v = Spielansicht_Views()[s];
            if (v.active) r.push_back({v.screen_x, v.screen_y, v.breite, v.hoehe});
        }
        return r;
    }
    int Fokus() {
        int f = -1;
        for (int s = 0; s < SA_VIEWS; ++s)
            if (Spielansicht_Views()[s].focus) {
                EXPECT_EQ(f, -1) << "two focused views";
                f = s;
            }
        return f;
    }

    std::unique_ptr<Spielfeld_Daten> felder[4];
    Spielfeld_Daten* liste[4] = {};
    Spielfeld_Steuerung st{};
};

TEST_F(LiveView, LayoutForOneToFourMatches) {
    const struct Fall {
        int anzahl;
        std::vector<Rechteck> soll;
    } faelle[] = {
        {1, {{0, 0, 800, 564}}},
        {2, {{0, 0, 800, 282}, {0, 282, 800, 282}}},
        {3, {{0, 0, 800, 282}, {0, 282, 400, 282}, {400, 282, 400, 282}}},
        {4, {{0, 0, 400, 282}, {400, 0, 400, 282}, {0, 282, 400, 282}, {400, 282, 400, 282}}},
    };
    for (const Fall& f : faelle) {
        Spielansicht_Free();
        gewaehlt.clear();
        EXPECT_FALSE(Frame(f.anzahl)) << "the starting frame draws nothing";
        EXPECT_EQ(Spielansicht_Laufzustand(), 1u);
        EXPECT_TRUE(Frame(f.anzahl));
        EXPECT_EQ(Aktive(), f.soll) << f.anzahl << " matches";
        EXPECT_EQ(Fokus(), 0);
        EXPECT_EQ(gewaehlt, std::vector<i32>{10}) << "view 0's home side goes to the line-up screen";
        // Each view's picture is at its scale: full for one match, half otherwise.
        for (int s = 0; s < f.anzahl; ++s) {
            const Spielansicht_View& v = Spielansicht_Views()[s];
            ASSERT_NE(v.bild, nullptr);
            EXPECT_EQ(v.bild->breite, f.anzahl == 1 ? 3610 : 1805);
            EXPECT_EQ(v.bild->hoehe, f.anzahl == 1 ? 980 : 490);
        }
        EXPECT_EQ(Spielansicht_Get_Spielfeld(), liste[0]);
    }
}

TEST_F(LiveView, FocusClickAlternatesSides) {
    Frame(3);
    Frame(3);
    gewaehlt.clear();
    // Presses inside view 2 (400, 282, 400 x 282): focus moves there, and
    // each new press hands the other side; a held button does not repeat.
    const struct Schritt {
        bool druecken;
        i32 x, y;
        int fokus;
        std::vector<i32> gewaehlt;
    } schritte[] = {
        {true, 600, 400, 2, {15}},      // away side first (the side flips, then is handed over)
        {true, 600, 400, 2, {15}},      // held: nothing new
        {false, 600, 400, 2, {15}},     // released
        {true, 600, 400, 2, {15, 14}},  // again: home side
        {false, 600, 400, 2, {15, 14}},
        {true, 100, 100, 0, {15, 14, 11}},  // view 0: focus moves, side flips on
        {false, 100, 100, 0, {15, 14, 11}},
        // (400, 282) lies on the edges of views 0, 1 and 2: the first wins.
        {true, 400, 282, 0, {15, 14, 11, 10}},
    };
    int n = 0;
    for (const Schritt& s : schritte) {
        kit::Maus(s.x, s.y);
        if (s.druecken) kit::Druecken();
        else kit::Loslassen();
        Frame(3);
        EXPECT_EQ(Fokus(), s.fokus) << "step " << n;
        EXPECT_EQ(gewaehlt, s.gewaehlt) << "step " << n;
        ++n;
    }
    kit::Loslassen();
    Frame(3);
    EXPECT_EQ(Spielansicht_Get_Spielfeld(), liste[0]);
    kit::Maus(200, 500);  // view 1
    kit::Druecken();
    Frame(3);
    EXPECT_EQ(Spielansicht_Get_Spielfeld(), liste[1]);
}

TEST_F(LiveView, PressStartedOnAMenuIconDoesNotFocus) {
    Screen_Icon icon;
    icon.nummer = 3000, icon.x = 600, icon.y = 20, icon.w = 80, icon.h = 40, icon.ebene = 5;  // no screen owns 3000
    icon.klick = [](Screen_Icon*, u32) {};
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(icon));
    Frame(2);
    Frame(2);
    gewaehlt.clear();
    // Pressed on the icon (over view 0), dragged into view 1, released.
    kit::Maus(620, 30);
    kit::Druecken();
    Frame(2);
    kit::Maus(300, 400);
    Frame(2);
    kit::Maus(320, 420);
    Frame(2);
    EXPECT_EQ(Fokus(), 0);
    EXPECT_TRUE(gewaehlt.empty());
    kit::Loslassen();
    Frame(2);
    EXPECT_EQ(Fokus(), 0);
    // A fresh press in view 1 counts.
    kit::Druecken();
    Frame(2);
    EXPECT_EQ(Fokus(), 1);
    EXPECT_EQ(gewaehlt, std::vector<i32>{13}) << "a new start begins with the home side shown: the press flips to away";
}

TEST_F(LiveView, MatchLeavingTheList) {
    Frame(2);
    Frame(2);
    ASSERT_EQ(Aktive().size(), 2u);
    EXPECT_EQ(Spielansicht_Views()[0].bild->breite, 1805);
    // The second match ends: view 1 is cleared, view 0 turns full at full scale.
    EXPECT_TRUE(Frame(1));
    EXPECT_EQ(Aktive(), (std::vector<Rechteck>{{0, 0, 800, 564}}));
    EXPECT_EQ(Spielansicht_Views()[1].pitch, nullptr);
    EXPECT_EQ(Spielansicht_Views()[1].bild, nullptr);
    EXPECT_EQ(Spielansicht_Views()[0].bild->breite, 3610);
    EXPECT_EQ(Spielansicht_Suchen(liste[1]), nullptr);
    EXPECT_EQ(Spielansicht_Suchen(liste[0]), &Spielansicht_Views()[0]);
    // A new match at position 0 rebuilds that slot, keeping its layout.
    Spielfeld_Daten* neu_liste[1] = {liste[3]};
    EXPECT_TRUE(Spielansicht_Run(neu_liste, 1, &st, 0));
    EXPECT_EQ(Spielansicht_Views()[0].pitch, liste[3]);
    EXPECT_EQ(Spielansicht_Views()[0].bild->breite, 3610);
    // A new copy of the shown pitch record replaces the old one in place.
    Spielansicht_Spielfeld_Update(liste[3], liste[2]);
    EXPECT_EQ(Spielansicht_Views()[0].pitch, liste[2]);
    EXPECT_EQ(Spielansicht_Suchen(nullptr), nullptr);
    // No match left: nothing drawn, nothing focused.
    EXPECT_FALSE(Frame(0));
    EXPECT_TRUE(Aktive().empty());
    EXPECT_EQ(Spielansicht_Get_Spielfeld(), nullptr);
}

// A slot is cleared when its match leaves and stays cleared while it is
// empty (it is not cleared again every frame); a match that comes back to it
// finds nothing of the one before: no ticker line, no weather, no pictures.
TEST_F(LiveView, AnEmptiedSlotStaysClearAndStartsAfresh) {
    felder[1]->regen_staerke = 100;
    Frame(2);
    Frame(2);
    Spielansicht_Ticker_Setzen(liste[1], "Tor durch Halford");
    ASSERT_TRUE(Frame(2));
    const Spielansicht_View& v = Spielansicht_Views()[1];
    ASSERT_EQ(v.present, 1u);
    ASSERT_EQ(v.wetter_gestartet, 1);
    ASSERT_STREQ(v.ticker, "Tor durch Halford");
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(Frame(1)) << i;
        EXPECT_EQ(v.pitch, nullptr) << i;
        EXPECT_EQ(v.present, 0u) << i;
        EXPECT_EQ(v.bild, nullptr) << i;
        EXPECT_EQ(v.wetter_gestartet, 0) << i;
        EXPECT_EQ(v.zuschauer_anzahl, 0) << i;
        EXPECT_EQ(v.layout, static_cast<u32>(SA_VOLL)) << i;
        EXPECT_STREQ(v.ticker, "") << i;
    }
    // Another match in the slot: built for its own pitch, nothing kept.
    Spielfeld_Daten* zwei[2] = {liste[0], liste[2]};
    EXPECT_TRUE(Spielansicht_Run(zwei, 2, &st, 0));
    EXPECT_EQ(v.pitch, liste[2]);
    EXPECT_EQ(v.present, 1u);
    EXPECT_EQ(v.wetter_gestartet, 0) << "no weather on this pitch";
    EXPECT_STREQ(v.ticker, "");
    EXPECT_EQ(Aktive().size(), 2u);
}

TEST_F(LiveView, BadListsAreHeldToFourAndNullEntriesStayEmpty) {
    Spielfeld_Daten* l[4] = {liste[0], nullptr, liste[2], liste[3]};
    Spielansicht_Run(l, 9, &st, 0);
    Spielansicht_Run(l, 9, &st, 0);
    EXPECT_EQ(Spielansicht_Views()[1].present, 0u);
    EXPECT_EQ(Aktive().size(), 3u);
    EXPECT_FALSE(Spielansicht_Run(nullptr, 3, &st, 0));
    EXPECT_TRUE(Aktive().empty());
}

TEST_F(LiveView, TwentyStartFreeCyclesLeaveNothingBehind) {
    // Leaks are caught by the sanitizer at the program's end; here every
    // cycle must start afresh and give every picture back.
    for (int i = 0; i < 20; ++i) {
        Frame(1 + i % 4);
        EXPECT_TRUE(Frame(1 + i % 4)) << i;
        Spielansicht_Free();
        EXPECT_EQ(Spielansicht_Laufzustand(), 0u);
        for (int s = 0; s < SA_VIEWS; ++s) {
            EXPECT_EQ(Spielansicht_Views()[s].bild, nullptr);
            EXPECT_EQ(Spielansicht_Views()[s].pitch, nullptr);
        }
    }
}

TEST_F(LiveView, WeatherMovesFortyParticlesAStrengthStep) {
    Frame(1);
    Frame(1);
    Spielansicht_View& v = Spielansicht_Views()[0];
    EXPECT_EQ(Spielansicht_Wetter(&v, 0, 0), 0) << "no weather: nothing scattered";
    EXPECT_EQ(v.wetter_gestartet, 0);
    const struct {
        u8 staerke;
        int bewegt;
    } faelle[] = {{1, 40}, {3, 120}, {99, 3960}, {100, 4000}, {200, 4000}, {255, 4000}};
    for (const auto& f : faelle) {
        Spielansicht_Partikel vorher[SA_PARTIKEL];
        Spielansicht_Wetter(&v, 1, 0);  // scattered once
        for (Spielansicht_Partikel& p : v.partikel) p.x = 100, p.y = 100, p.tempo = 5;
        std::copy(std::begin(v.partikel), std::end(v.partikel), vorher);
        EXPECT_EQ(Spielansicht_Wetter(&v, f.staerke, 0), f.bewegt);
        int bewegt = 0;
        for (int i = 0; i < SA_PARTIKEL; ++i)
            if (v.partikel[i].x != vorher[i].x || v.partikel[i].y != vorher[i].y) {
                ++bewegt;
                EXPECT_EQ(v.partikel[i].x, 100 + 2 * 5 + 3);  // rain falls along its slant
                EXPECT_EQ(v.partikel[i].y, 100 + 2 * 5 + 8);
            }
        EXPECT_EQ(bewegt, f.bewegt) << int(f.staerke);
    }
    // Snow drifts at most 4 px aside and falls 3 or 4 (or starts again at
    // the top); a flake that leaves the picture starts again at the top.
    for (Spielansicht_Partikel& p : v.partikel) p.x = 500, p.y = 300;
    v.partikel[0].y = 979;
    Spielansicht_Wetter(&v, 100, 1);
    EXPECT_EQ(v.partikel[0].y, 0);
    for (int i = 1; i < SA_PARTIKEL; ++i) {
        const Spielansicht_Partikel& p = v.partikel[i];
        if (p.y == 0) continue;
        EXPECT_LE(std::abs(p.x - 500), 4);
        EXPECT_TRUE(p.y == 303 || p.y == 304) << p.y;
    }
    // Particles far outside a smaller picture (after a rebuild) start anew
    // inside it and are never drawn outside the view.
    for (Spielansicht_Partikel& p : v.partikel) p.x = 65000, p.y = 65000;
    kit::Spur_Leeren();
    Spielansicht_Wetter(&v, 200, 0);
    for (const Spielansicht_Partikel& p : v.partikel) {
        EXPECT_LT(p.x, 3610);
        EXPECT_EQ(p.y, 0);
    }
}

// Unrecorded, rain and snow are drawn through their frames' runs: the
// picture is the one the recorded drawing (through the blitter) gives, for
// particles inside the view, on its edges and outside it.
TEST_F(LiveView, WeatherDrawsTheSamePixelsRecordedOrNot) {
    Frame(1);
    Frame(1);
    Spielansicht_View& v = Spielansicht_Views()[0];
    ASSERT_TRUE(v.bild && Rastport_Lock(Screen_Rastport));
    Abdruck_Wache(nullptr);  // the screen's watch between frames, as inside a frame
    ASSERT_EQ(Abdruck_Ziel, nullptr);
    Spielansicht_Wetter(&v, 1, 0);  // scattered once
    for (int i = 0; i < SA_PARTIKEL; ++i) {
        Spielansicht_Partikel& p = v.partikel[i];
        p.x = static_cast<u16>(v.scroll_x - 20 + (i * 37) % (v.breite + 40));
        p.y = static_cast<u16>(std::max(0, v.scroll_y - 20 + (i * 53) % (v.hoehe + 40)));
        p.tempo = static_cast<u16>(i % 10), p.bild = static_cast<u8>(i % 9);
    }
    Spielansicht_Partikel start[SA_PARTIKEL];
    std::copy(std::begin(v.partikel), std::end(v.partikel), start);
    const size_t n = static_cast<size_t>(Screen_Rastport->breite) * Screen_Rastport->hoehe;
    const u16* s = Screen_Rastport->bitmap->pixel16();
    for (const u8 art : {u8{0}, u8{1}}) {
        std::vector<u16> bilder[2];
        for (const bool aufgezeichnet : {true, false}) {
            std::copy(std::begin(start), std::end(start), v.partikel);
            Blt_Rechteck(Screen_Rastport, 0, 0, -1, -1, 0x1234);
            Rnd_Deko_Seed(77);
            const bool an = Zeichenspur_Anhalten();
            if (aufgezeichnet) Zeichenspur_Fortsetzen(true);
            ASSERT_EQ(Zeichenspur_An, aufgezeichnet);
            Spielansicht_Wetter(&v, 100, art);
            Zeichenspur_Fortsetzen(an);
            bilder[aufgezeichnet].assign(s, s + n);
        }
        EXPECT_EQ(bilder[0], bilder[1]) << "art " << int(art);
        EXPECT_GT(std::count_if(bilder[0].begin(), bilder[0].end(), [](u16 p) { return p != 0x1234; }), 1000)
            << "art " << int(art);
    }
}

TEST(LiveViewFarben, KitBrightening) {
    auto block = [](std::initializer_list<std::pair<int, u8>> werte, u8 rest) {
        std::array<u8, 36> b;
        b.fill(rest);
        for (auto [i, w] : werte) b[static_cast<size_t>(i)] = w;
        return b;
    };
    const struct Fall {
        const char* name;
        std::array<u8, 36> ein, aus;
    } faelle[] = {
        {"black stays black", block({}, 0), block({}, 0)},
        {"dark kits by 80 %", block({}, 100), block({}, 180)},
        // 36 overflowing bytes would take the factor to 0: it stops at 130 %.
        {"all 200 end at 255", block({}, 200), block({}, 255)},
        // Near-white bytes overflow without lowering the factor.
        {"white does not lower", block({{0, 10}}, 250), block({{0, 18}}, 255)},
        // One byte of 150 overflows (270): 175 % for the rest.
        {"one overflow", block({{5, 150}}, 10), block({{5, 255}}, 17)},
        // Ten of them: 130 %, and 141 is the border (253 fits, no lowering).
        {"ten overflows",
         block({{0, 150},
                {1, 150},
                {2, 150},
                {3, 150},
                {4, 150},
                {5, 150},
                {6, 150},
                {7, 150},
                {8, 150},
                {9, 150},
                {10, 141}},
               20),
         block({{0, 195},
                {1, 195},
                {2, 195},
                {3, 195},
                {4, 195},
                {5, 195},
                {6, 195},
                {7, 195},
                {8, 195},
                {9, 195},
                {10, 183}},
               26)},
    };
    for (const Fall& f : faelle) {
        std::array<u8, 36> b = f.ein;
        Spielansicht_Trikot_Aufhellen(b.data());
        EXPECT_EQ(b, f.aus) << f.name;
    }
}

TEST(LiveViewBild, PictureNumberByKindAndScale) {
    const struct {
        u32 art, layout;
        i32 nummer;
    } faelle[] = {{0, SA_VOLL, 0},  {0, SA_HALB, 1}, {0, SA_VIERTEL, 1},  {3, SA_VOLL, 6},
                  {6, SA_HALB, 13}, {7, SA_VOLL, 0}, {255, SA_VIERTEL, 7}};
    for (const auto& f : faelle) EXPECT_EQ(Spielansicht_Bild_Nummer(f.art, f.layout), f.nummer) << f.art;
}

TEST_F(LiveView, AFailedBuildIsRetriedAloneAndAnEmptyEntryRebuildsNothing) {
    Spielfeld_Daten* l[4] = {liste[0], nullptr, liste[2], liste[1]};
    Frame(0);
    Spielansicht_Run(l, 4, &st, 0);
    const Rastport* bild0 = Spielansicht_Views()[0].bild.get();
    const Rastport* bild2 = Spielansicht_Views()[2].bild.get();
    ASSERT_NE(bild0, nullptr);
    Spielansicht_Run(l, 4, &st, 0);
    EXPECT_EQ(Spielansicht_Views()[0].bild.get(), bild0) << "an empty entry does not rebuild the views";
    EXPECT_EQ(Spielansicht_Views()[2].bild.get(), bild2);
    // Another match at position 3 whose picture cannot be loaded (the
    // archives are gone): its slot waits, views 0 and 2 stay as they are.
    l[3] = liste[3];
    Resf_Free();
    EXPECT_TRUE(Spielansicht_Run(l, 4, &st, 0));
    EXPECT_TRUE(Spielansicht_Run(l, 4, &st, 0));
    EXPECT_EQ(Spielansicht_Views()[0].bild.get(), bild0);
    EXPECT_EQ(Spielansicht_Views()[2].bild.get(), bild2);
    EXPECT_EQ(Spielansicht_Views()[3].present, 0u);
    EXPECT_EQ(Spielansicht_Views()[3].pitch, liste[3]);
    EXPECT_EQ(Spielansicht_Views()[3].active, 0u);
    ASSERT_EQ(Resf_Init(), 1);
    EXPECT_TRUE(Spielansicht_Run(l, 4, &st, 0));
    EXPECT_EQ(Spielansicht_Views()[3].present, 1u);
    EXPECT_EQ(Spielansicht_Views()[0].bild.get(), bild0);
    EXPECT_EQ(Aktive().size(), 3u);
}

TEST_F(LiveView, PauseHoldsTheCameraButDraws) {
    Frame(1);
    Frame(1);
    Spielansicht_View& v = Spielansicht_Views()[0];
    const i32 sx = v.scroll_x, sy = v.scroll_y;
    liste[0]->kamera[0] = 9000;
    liste[0]->kamera_schritte = 10;
    st.pause = 1;
    EXPECT_TRUE(Frame(1));
    EXPECT_EQ(v.scroll_x, sx);
    EXPECT_EQ(v.scroll_y, sy);
    EXPECT_EQ(liste[0]->kamera_schritte, 10);
    st.pause = 0;
    Frame(1);
    EXPECT_GT(v.scroll_x, sx);
    EXPECT_EQ(liste[0]->kamera_schritte, 0);
}

}  // namespace

namespace {

Spielansicht_View ansicht(u32 layout, Spielfeld_Daten* sf) {
    Spielansicht_View v;
    v.layout = layout;
    v.pitch = sf;
    v.breite = layout == SA_VIERTEL ? SA_VIERTEL_W : SA_VOLL_W;
    v.hoehe = layout == SA_VOLL ? SA_VOLL_H : SA_HALB_H;
    return v;
}

TEST(LiveViewProjektion, PitchCornersAndCentre) {
    const struct Fall {
        u32 layout;
        u32 gespiegelt;
        f32 x, y, z;
        i32 sx, sy;
    } faelle[] = {
        // Full scale: the four corners and the centre spot.
        {SA_VOLL, 0, 0, 0, 0, 1418, 93},
        {SA_VOLL, 0, 10800, 0, 0, 3498, 613},
        {SA_VOLL, 0, 0, 6806, 0, 102, 422},
        {SA_VOLL, 0, 10800, 6806, 0, 2182, 942},
        {SA_VOLL, 0, 5400, 3403, 0, 1800, 518},
        // Half scale (half and quarter views): halves round away from zero
        // before the origin is added.
        {SA_HALB, 0, 0, 0, 0, 709, 46},
        {SA_VIERTEL, 0, 10800, 0, 0, 1749, 307},
        {SA_HALB, 0, 0, 6806, 0, 51, 211},
        {SA_VIERTEL, 0, 10800, 6806, 0, 1091, 471},
        {SA_HALB, 0, 5400, 3403, 0, 900, 259},
        // Height lifts the point: the crossbar (2.44 m) over the left goal's centre.
        {SA_VOLL, 0, 0, 3403, 244, 760, 210},
        // Mirrored: the home goal on the right, the picture turned about its middle.
        {SA_VOLL, 1, 0, 0, 0, 112, 613},
        {SA_VOLL, 1, 10800, 0, 0, 2192, 93},
        {SA_VOLL, 1, 0, 6806, 0, 1428, 942},
        {SA_VOLL, 1, 10800, 6806, 0, 3508, 422},
        {SA_HALB, 1, 0, 6806, 0, 714, 471},
    };
    Spielfeld_Daten sf{};
    for (const Fall& f : faelle) {
        Spielansicht_View v = ansicht(f.layout, &sf);
        v.gespiegelt = f.gespiegelt;
        i32 x = -1, y = -1;
        Spielansicht_Projektion(&v, f.x, f.y, f.z, &x, &y);
        EXPECT_EQ(x, f.sx) << f.layout << "/" << f.gespiegelt << " (" << f.x << ", " << f.y << ", " << f.z << ")";
        EXPECT_EQ(y, f.sy) << f.layout << "/" << f.gespiegelt << " (" << f.x << ", " << f.y << ", " << f.z << ")";
    }
}

TEST(LiveViewKamera, SettlesInFiftyStepsWithItsDivisor) {
    const struct Fall {
        i32 periode;
        u8 schnell;
        f32 ziel_x;
        i32 kamera_x;
    } faelle[] = {
        {45, 0, 12000, 9675},  // beyond the pitch: held to 10000; a fifteenth of the way a step
        {45, 1, 12000, 9996},  // fast follow: a fifth
        {0, 0, 10000, 9984},   // no frame period: an eighth
        {45, 0, 100, 767},     // below 800 held to 800
    };
    for (const Fall& f : faelle) {
        Spielfeld_Daten sf{};
        sf.kamera[0] = f.ziel_x;
        sf.kamera[1] = 3403;
        sf.kamera_schnell = f.schnell;
        sf.kamera_schritte = 50;
        const Spielfeld_Steuerung st{.pause = 0, .schnell = 0, .frei = 0, .periode_ms = f.periode};
        Spielansicht_View v = ansicht(SA_VOLL, &sf);
        Spielansicht_Kamera(&v, &sf, &st, 0);
        EXPECT_EQ(v.kamera[0], f.kamera_x) << f.periode << "/" << int(f.schnell) << "/" << f.ziel_x;
        EXPECT_EQ(sf.kamera_schritte, 0);
        EXPECT_EQ(sf.scroll[0], v.scroll_x);
        EXPECT_EQ(sf.scroll[1], v.scroll_y);
    }
}

TEST(LiveViewKamera, ScrollStaysInsideThePicture) {
    // Targets in every corner (and far outside, high and low): the visible
    // part never leaves the picture, for every layout; a low point reaches
    // its bottom edge.
    const struct {
        u32 layout;
        i32 max_x, max_y;
    } layouts[] = {
        {SA_VOLL, 3610 - 800, 980 - 564}, {SA_HALB, 1805 - 800, 490 - 282}, {SA_VIERTEL, 1805 - 400, 490 - 282}};
    const f32 ziele[][3] = {{-50000, -50000, 0}, {50000, -50000, 0},  {-50000, 50000, 0},
                            {50000, 50000, 0},   {10000, 1360, 9000}, {800, 5440, -9000}};
    for (const auto& l : layouts) {
        i32 groesstes_x = 0, groesstes_y = 0;
        for (const auto& z : ziele) {
            Spielfeld_Daten sf{};
            sf.kamera[0] = z[0], sf.kamera[1] = z[1], sf.kamera[2] = z[2];
            sf.kamera_schritte = 200;
            const Spielfeld_Steuerung st{.pause = 0, .schnell = 0, .frei = 0, .periode_ms = 45};
            Spielansicht_View v = ansicht(l.layout, &sf);
            Spielansicht_Kamera(&v, &sf, &st, 0);
            EXPECT_GE(v.scroll_x, 0);
            EXPECT_GE(v.scroll_y, 0);
            EXPECT_LE(v.scroll_x, l.max_x);
            EXPECT_LE(v.scroll_y, l.max_y);
            groesstes_x = std::max(groesstes_x, v.scroll_x);
            groesstes_y = std::max(groesstes_y, v.scroll_y);
        }
        EXPECT_EQ(groesstes_y, l.max_y) << "layout " << l.layout << " reaches its bottom edge";
    }
}

TEST(LiveViewKamera, FixedCameraTakesTheStoredScroll) {
    Spielfeld_Daten sf{};
    sf.scroll[0] = 321, sf.scroll[1] = 45;
    sf.kamera_schritte = 7;
    const Spielfeld_Steuerung st{.pause = 0, .schnell = 0, .frei = 0, .periode_ms = 45};
    Spielansicht_View v = ansicht(SA_VOLL, &sf);
    Spielansicht_Kamera(&v, &sf, &st, 1);
    EXPECT_EQ(v.scroll_x, 321);
    EXPECT_EQ(v.scroll_y, 45);
    EXPECT_EQ(sf.kamera_schritte, 7);
}

TEST(LiveViewRichtung, SixteenDirectionsClockwiseFromUp) {
    const struct {
        i32 dx, dy;
        int soll;
    } faelle[] = {
        {0, 10, 8},     {10, 0, 4},     {0, -10, 0},     {-10, 0, 12},     {0, 0, 4},  // axes, and no move at all
        {10, 10, 6},    {10, -10, 2},   {-10, 10, 10},   {-10, -10, 14},               // diagonals
        {100, 20, 4},   {100, 40, 5},   {100, 150, 7},   {10, 1000, 8},                // right and down by the bounds
        {100, -40, 3},  {100, -150, 1}, {10, -1000, 0},                                // right and up
        {-100, 40, 11}, {-100, 150, 9}, {-100, -40, 13}, {-100, -150, 15},             // left
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Spielansicht_Richtung(50, 50, 50 + f.dx, 50 + f.dy), f.soll) << f.dx << ", " << f.dy;
}

}  // namespace

// --- Drawing with real engine matches --------------------------------------------

namespace {

class LiveViewSpiel : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Partie_Spiele_Leeren();
        alte_hooks = Spielfeld_Get_Hooks();
        Spielfeld_Set_Hooks(Partie_Hooks());
        const std::vector<u32> liga = Liga_Vereine(groesste_erste_liga());
        ASSERT_GE(liga.size(), 8u);
        for (u32 i = 0; i < 4; ++i) {
            const u32 spiel = 9100 + i;
            Partie_Spiel_Anmelden(spiel, liga[2 * i], liga[2 * i + 1], 7);
            ASSERT_TRUE(Spielfeld_Neu(spiel, 0, 0, 18250 + 7000 * i, liga[2 * i], 1));
            liste[i] = Spielfeld_Zeiger(spiel);
            ASSERT_NE(liste[i], nullptr);
            liste[i]->bild_art = static_cast<u8>(2 * i);
            Spielfeld_Set_Zufall(liste[i], 4711 + i);
            // Play into the first half: minute 10, 17, 24, 31.
            while (liste[i]->minute < static_cast<i16>(10 + 7 * i) && Partie_Schritt(liste[i], 45)) {
            }
        }
        st.periode_ms = 45;
    }
    void TearDown() override {
        Spielansicht_Free();
        for (u32 i = 0; i < 4; ++i) Spielfeld_Loeschen(0);
        Spielfeld_Set_Hooks(alte_hooks);
        kit::Beenden();
    }
    void Frames(int anzahl, int n = 2) {
        for (int i = 0; i < n; ++i) Spielansicht_Run(liste, anzahl, &st, 0);
    }

    Spielfeld_Daten* liste[4] = {};
    Spielfeld_Steuerung st{};
    Spielfeld_Hooks alte_hooks;
};

TEST_F(LiveViewSpiel, OneFullViewWithHeaderAndBottomBar) {
    liste[0]->tore[0] = 2, liste[0]->tore[1] = 1;
    liste[0]->zuschauer = 41250;
    Frames(1);
    kit::Spur_Leeren();
    Frames(1, 1);
    const Spielansicht_View& v = Spielansicht_Views()[0];
    // The camera follows the play: the visible part holds the ball.
    i32 bx = 0, by = 0;
    const Spielfeld_Objekt& ball = liste[0]->objekt[SF_OBJ_BALL];
    Spielansicht_Projektion(&v, ball.x, ball.y, 0, &bx, &by);
    EXPECT_GE(bx, v.scroll_x);
    EXPECT_LT(bx, v.scroll_x + 800);
    EXPECT_GE(by, v.scroll_y);
    EXPECT_LT(by, v.scroll_y + 564);
    // The screen shows the pitch picture's visible part.
    EXPECT_EQ(kit::Probe(400, 300), v.bild->bitmap->pixel16()[(v.scroll_y + 300) * 3610 + v.scroll_x + 400]);
    // Bottom bar, header bar, the score digits "2" and "1", attendance and minute.
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_LIVE_LEISTE, 5, 598));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_LIVE_KOPF_GROSS, 5, 5));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_LIVE_ZIFFERN_GROSS, 255 + 15, 8 + 10));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_LIVE_ZIFFERN_GROSS, 285 + 15, 8 + 10));
    const Rastport_Bild blatt(Resf_Grafik_Laden(GRAFIK_LIVE_ZIFFERN_GROSS));
    ASSERT_TRUE(blatt && Rastport_Lock(blatt.get()));
    int gleich = 0;
    for (i32 y = 0; y < 20; ++y)
        for (i32 x = 0; x < 30; ++x) {
            const u16 home = blatt->bitmap->pixel16()[(23 * 2 + 2 + y) * 60 + x];
            const u16 away = blatt->bitmap->pixel16()[(23 * 1 + 2 + y) * 60 + 30 + x];
            gleich +=
                (home == 0 || kit::Probe(255 + x, 8 + y) == home) && (away == 0 || kit::Probe(285 + x, 8 + y) == away);
        }
    EXPECT_EQ(gleich, 600) << "the digit cells of 2 (home) and 1 (away) are on the screen";
    EXPECT_TRUE(kit::Text_Auf_Zeile("41.250 Zuschauer", 19));
    char minute[32];
    std::snprintf(minute, sizeof minute, "%d. Min.", liste[0]->minute + 1);
    EXPECT_TRUE(kit::Text_Auf_Zeile(minute, 20)) << minute;
    EXPECT_EQ(liste[0]->fokus, 1);
    // The view took both clubs' colour blocks, brightened, each side in the
    // kits the pre-match picture chose (first kit worn, third the keeper's).
    const int heim = static_cast<int>(liste[0]->team[0]), gast = static_cast<int>(liste[0]->team[1]);
    int spieler[2], torwart[2];
    Trikot_Team_VS_Team(heim, gast, &spieler[0], &spieler[1], 0);
    Trikot_Team_VS_Team(heim, gast, &torwart[0], &torwart[1], 2);
    for (int seite = 0; seite < 2; ++seite) {
        const int team = seite ? gast : heim;
        std::array<u8, 36> erwartet{};
        Team_Zeiger(700, team, erwartet.data(), 2);
        auto* b = erwartet.data();
        if (spieler[seite] == Trikot_Get_TrikotNr(team, 1)) std::copy(b + 12, b + 24, b);
        else if (spieler[seite] != Trikot_Get_TrikotNr(team, 0)) Trikot_Farben_Setzen(b, 0, spieler[seite]);
        if (torwart[seite] != Trikot_Get_TrikotNr(team, 2)) Trikot_Farben_Setzen(b, 2, torwart[seite]);
        Spielansicht_Trikot_Aufhellen(erwartet.data());
        EXPECT_TRUE(std::equal(erwartet.begin(), erwartet.end(), v.trikot_farben[seite])) << seite;
    }
    kit::Png("live_view_voll");
}

// The replay button plays the shown match's ring of recorded positions
// from the oldest frame to the newest at the pace they were taken, the live
// positions untouched, and ends by itself.
TEST_F(LiveViewSpiel, ReplayPlaysTheRingAndEnds) {
    Spielfeld_Daten* sf = liste[0];
    Frames(1);
    const Spielansicht_View& v = Spielansicht_Views()[0];
    const i32 sw = [] {
        const Rastport_Bild schatten(Resf_Grafik_Laden(GRAFIK_LIVE_BALLSCHATTEN));
        return schatten ? schatten->breite : -1;
    }();
    ASSERT_GT(sw, 0);
    // Where the ball's shadow lands on the screen for a ball at x.
    auto schatten_x = [&](f32 x, f32 y) {
        i32 gx = 0, gy = 0;
        Spielansicht_Projektion(&v, x, y, 0, &gx, &gy);
        return gx - sw / 2 + 2 - v.scroll_x + v.screen_x;
    };
    // A ring whose ball runs 70 a frame along y 3400 from where the camera
    // shows it at the left (the camera stands where the match left it).
    i32 start = 0;
    while (start < SF_LAENGE && schatten_x(static_cast<f32>(start), 3400.0f) < 20) start += 100;
    ASSERT_LT(schatten_x(static_cast<f32>(start + 70 * 50), 3400.0f), 800 - sw);
    sf->replay_pos = 0;
    sf->replay_anzahl = SF_REPLAY_BILDER;
    for (int k = 0; k < SF_REPLAY_BILDER; ++k)
        for (int i = 0; i < SF_REPLAY_OBJEKTE; ++i) {
            const Spielfeld_Objekt& o = sf->objekt[i];
            const bool ball = i == SF_OBJ_BALL;
            sf->replay[k][i][0] = static_cast<i16>(ball ? start + 70 * k : o.x);
            sf->replay[k][i][1] = static_cast<i16>(ball ? 3400 : o.y);
            sf->replay[k][i][2] = static_cast<i16>(ball ? 0 : o.z);
        }
    const Spielfeld_Objekt live = sf->objekt[SF_OBJ_BALL];
    Spielfeld_Anzeigeliste_Leeren();
    ASSERT_TRUE(Spielfeld_Anzeige_Hinzufuegen(sf, 1));
    Spielfeld_Replay_Start(0);
    ASSERT_TRUE(Spielfeld_Replay_Laeuft());
    const struct {
        u32 warten;  // ms of the clock before the frame
        int ring;    // the ring frame shown (0 the oldest)
    } schritte[] = {{0, 0}, {2 * 45 * 10, 10}, {2 * 45 * 40, 50}};
    for (const auto& s : schritte) {
        kit::Warten(s.warten);
        kit::Spur_Leeren();
        Frames(1, 1);
        EXPECT_TRUE(Spielfeld_Replay_Laeuft()) << s.ring;
        const Zeichenspur_Eintrag* b = Zeichenspur_Blit(GRAFIK_LIVE_BALLSCHATTEN);
        ASSERT_TRUE(b) << s.ring;
        EXPECT_EQ(b->x, schatten_x(static_cast<f32>(start + 70 * s.ring), 3400.0f)) << s.ring;
        // The match's own positions are back after the frame.
        EXPECT_EQ(sf->objekt[SF_OBJ_BALL].x, live.x);
        EXPECT_EQ(sf->objekt[SF_OBJ_BALL].y, live.y);
    }
    kit::Png("live_view_wiederholung");
    // Past the newest frame the replay ends and the match is shown again.
    kit::Warten(2 * 45 * 60);
    kit::Spur_Leeren();
    Frames(1, 1);
    EXPECT_FALSE(Spielfeld_Replay_Laeuft());
    const Zeichenspur_Eintrag* b = Zeichenspur_Blit(GRAFIK_LIVE_BALLSCHATTEN);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->x, schatten_x(live.x, live.y));
}

TEST_F(LiveViewSpiel, FourQuarterViewsWithFrames) {
    liste[1]->regen_staerke = 100, liste[1]->regen_art = 0;
    liste[3]->regen_staerke = 60, liste[3]->regen_art = 1;
    Frames(4);
    kit::Spur_Leeren();
    Frames(4, 1);
    const u16 gold = FARBE_GOLD, grau = Farbe_565(0x141415);
    const struct {
        i32 x, y;
        u16 farbe;
    } rahmen[] = {{0, 100, gold}, {399, 100, gold}, {400, 100, grau}, {799, 100, grau},
                  {0, 400, grau}, {400, 400, grau}, {200, 562, grau}, {600, 563, grau}};
    for (const auto& r : rahmen) EXPECT_EQ(kit::Probe(r.x, r.y), r.farbe) << r.x << ", " << r.y;
    // The focused match's frame: four gold bars around its quarter, from the
    // palette, with nothing of it outside the quarter.
    const auto bars = Zeichenspur_Flaechen(FARBE_GOLD, Screen_Rastport);
    i32 im_viertel = 0;
    for (const Zeichenspur_Eintrag& b : bars)
        im_viertel += b.x >= 0 && b.x + b.breite <= 400 && b.y >= 0 && b.y + b.hoehe <= 300;
    EXPECT_EQ(im_viertel, 4);
    EXPECT_TRUE(Zeichenspur_Flaechen(Farbe_565(0xFFFF00), Screen_Rastport).empty());
    for (int i = 0; i < 4; ++i) {
        const Spielansicht_View& v = Spielansicht_Views()[i];
        EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_LIVE_KOPF_KLEIN, v.screen_x + 5, v.screen_y + 5)) << i;
        EXPECT_LE(v.scroll_x, 1805 - 400);
        EXPECT_LE(v.scroll_y, 490 - 282);
        EXPECT_EQ(liste[i]->fokus, i == 0 ? 1 : 0);
        char minute[32];
        std::snprintf(minute, sizeof minute, "%d. Min.", liste[i]->minute + 1);
        EXPECT_TRUE(kit::Text(minute)) << minute;
    }
    EXPECT_EQ(kit::Text("Zuschauer"), nullptr) << "quarter views show no attendance";
    kit::Png("live_view_viertel");
}

TEST_F(LiveViewSpiel, TwoAndThreeViewsCarryTheLargeHeader) {
    // Half views show the large header (with the attendance) and a frame
    // below it; the quarters of three matches the small one.
    const u16 gold = FARBE_GOLD, grau = Farbe_565(0x141415);
    const struct Fall {
        int anzahl;
        std::vector<std::pair<int, i32>> kopf;  // (graphic, y) at x 5
        std::vector<std::tuple<i32, i32, u16>> rahmen;
        int zuschauer;  // texts with the attendance
    } faelle[] = {
        {2,
         {{GRAFIK_LIVE_KOPF_GROSS, 5}, {GRAFIK_LIVE_KOPF_GROSS, 287}},
         {{0, 100, gold}, {799, 100, gold}, {0, 400, grau}, {400, 563, grau}},
         2},
        {3,
         {{GRAFIK_LIVE_KOPF_GROSS, 5}, {GRAFIK_LIVE_KOPF_KLEIN, 287}},
         {{0, 100, gold}, {0, 400, grau}, {401, 400, grau}, {399, 400, grau}},
         1},
    };
    for (const Fall& f : faelle) {
        Spielansicht_Free();
        Frames(f.anzahl);
        kit::Spur_Leeren();
        Frames(f.anzahl, 1);
        for (const auto& [grafik, y] : f.kopf)
            EXPECT_TRUE(kit::Grafik_Bei(grafik, 5, y)) << f.anzahl << " views, y " << y;
        for (const auto& [x, y, farbe] : f.rahmen)
            EXPECT_EQ(kit::Probe(x, y), farbe) << f.anzahl << ": " << x << ", " << y;
        EXPECT_EQ(static_cast<int>(kit::Texte("Zuschauer").size()), f.zuschauer) << f.anzahl;
        kit::Png("live_view_" + std::to_string(f.anzahl));
    }
}

// The bottom bar lies below every layout: copied once a frame, whole, its
// pixels on the screen's last rows however many views there are.
TEST_F(LiveViewSpiel, TheBottomBarIsCopiedOnceAFrameUnderEveryLayout) {
    const Rastport_Bild leiste(Resf_Grafik_Laden(GRAFIK_LIVE_LEISTE));
    ASSERT_TRUE(leiste && Rastport_Lock(leiste.get()));
    ASSERT_LE(leiste->hoehe, 600);
    for (int anzahl = 1; anzahl <= 4; ++anzahl) {
        Spielansicht_Free();
        for (int i = 0; i < 4; ++i) liste[i]->regen_staerke = 100, liste[i]->regen_art = static_cast<u8>(i & 1);
        Frames(anzahl);
        kit::Spur_Leeren();
        Frames(anzahl, 1);
        int kopien = 0;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            kopien += e.art == SPUR_BLIT && e.grafik == GRAFIK_LIVE_LEISTE;
        EXPECT_EQ(kopien, 1) << anzahl << " views";
        int anders = 0;
        for (i32 y = 0; y < leiste->hoehe; ++y)
            for (i32 x = 0; x < leiste->breite && x < 800; ++x)
                anders += kit::Probe(x, 600 - leiste->hoehe + y) != leiste->bitmap->pixel16()[y * leiste->breite + x];
        EXPECT_EQ(anders, 0) << anzahl << " views";
    }
}

TEST_F(LiveViewSpiel, StartFailsCleanlyWithoutItsPictures) {
    // An archive without the bar pictures: the start fails, nothing stays
    // loaded, no view is built; with the archives back the next start works.
    Resf_Free();
    EXPECT_FALSE(Spielansicht_Run(liste, 2, &st, 0));
    EXPECT_EQ(Spielansicht_Laufzustand(), 2u);
    EXPECT_FALSE(Spielansicht_Run(liste, 2, &st, 0));
    EXPECT_EQ(Spielansicht_Views()[0].pitch, nullptr);
    Spielansicht_Free();
    ASSERT_EQ(Resf_Init(), 1);
    Frames(2);
    EXPECT_TRUE(Spielansicht_Run(liste, 2, &st, 0));
    EXPECT_EQ(Spielansicht_Laufzustand(), 1u);
}

}  // namespace
