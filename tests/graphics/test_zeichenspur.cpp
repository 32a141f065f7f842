// The draw trace: what the renderer and the blitter leave in it, and that
// nothing is recorded while it is off.
#include <gtest/gtest.h>

#include <memory>

#include "graphics/blitter.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/sound.h"
#include "graphics/video.h"
#include "graphics/zeichenspur.h"
#include "testfont.h"

namespace {


struct Spur : ::testing::Test {
    Rastport_Bild schirm{Rastport_Neu_Einfach(200, 100, 16)};
    Rastport_Bild bild{Rastport_Neu_Einfach(30, 20, 16)};
    std::unique_ptr<Font> f{testfont::neu(1)};
    void SetUp() override {
        bild->grafik = 4014;
        Zeichenspur_Einschalten();
    }
    void TearDown() override { Zeichenspur_Ausschalten(); }
};

TEST_F(Spur, TexteNachDemMarkup) {
    struct Fall {
        const char* text;
        u16 font_farbe;
        const char* sichtbar;
        u16 farbe;  // of the first visible character
    } faelle[] = {
        {"Hallo", 0xFFFF, "Hallo", 0xFFFF},
        {"^c00031Rot^c00000 zurueck", 0xFFFF, "Rot zurueck", 31},
        {"^bbFett^be", 0x1234, "Fett", 0x1234},
        {"Eins^lZwei", 0xFFFF, "Eins\nZwei", 0xFFFF},
        {"A^tl0050B^tr0100C", 0xFFFF, "A\tB\tC", 0xFFFF},
        {"^^ und ^%", 0xFFFF, "^ und %", 0xFFFF},
        {"\xC4rger", 0xFFFF, "\xC4rger", 0xFFFF},
    };
    for (const Fall& c : faelle) {
        Zeichenspur_Leeren();
        f->farbe = c.font_farbe;
        ASSERT_EQ(Font_Markup_Ausgabe(schirm.get(), f.get(), c.font_farbe, c.text, 7, 30, 0), 1) << c.text;
        ASSERT_EQ(Zeichenspur_Eintraege().size(), 1u) << c.text << ": glyphs leave no blits";
        const Zeichenspur_Eintrag& e = Zeichenspur_Eintraege()[0];
        EXPECT_EQ(e.art, SPUR_TEXT);
        EXPECT_EQ(e.text, c.text);
        EXPECT_EQ(e.sichtbar, c.sichtbar) << c.text;
        EXPECT_EQ(e.farbe, c.farbe) << c.text;
        EXPECT_EQ(e.font, -1) << "a font outside the table";
        EXPECT_EQ(e.ziel, schirm.get());
        EXPECT_EQ(e.x, 7);
        EXPECT_EQ(e.y, 30);
    }
    Zeichenspur_Leeren();
    ASSERT_EQ(Font_Printf(schirm.get(), f.get(), "Tore: %d", 10, 40, 3), 1);
    const Zeichenspur_Eintrag* e = Zeichenspur_Text("Tore: 3");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->x, 10);
    EXPECT_EQ(Zeichenspur_Text("Tore: 4"), nullptr);
}

// The smoothed text draws through helper surfaces and a cache: the trace
// still holds one record at the real place, every time it is drawn.
TEST_F(Spur, GeglaetteterTextEinmalAmRichtigenOrt) {
    for (int mal = 0; mal < 2; ++mal) {
        Zeichenspur_Leeren();
        ASSERT_EQ(Font_Printf_Glatt(schirm.get(), f.get(), "^c%05d%s", 50, 60, 31, "Hallo"), 1);
        ASSERT_EQ(Zeichenspur_Eintraege().size(), 1u) << mal;
        const Zeichenspur_Eintrag& e = Zeichenspur_Eintraege()[0];
        EXPECT_EQ(e.sichtbar, "Hallo");
        EXPECT_EQ(e.farbe, 31);
        EXPECT_EQ(e.ziel, schirm.get());
        EXPECT_EQ(e.x, 50);
        EXPECT_EQ(e.y, 60);
    }
    Blt_Cache_Leeren();
}

TEST_F(Spur, BlitsMitNummerUndGeschnittenemRechteck) {
    Rastport_Bild ohne{Rastport_Neu_Einfach(10, 10, 16)};
    Blt_Blit(bild.get(), 0, 0, -1, -1, schirm.get(), 20, 30, nullptr);
    Blt_Blit(bild.get(), 0, 0, -1, -1, schirm.get(), 190, -5, nullptr);  // clipped to 10 x 15
    Blt_Blit(bild.get(), 0, 0, -1, -1, schirm.get(), 500, 500, nullptr);  // outside: nothing drawn
    Blt_Blit(ohne.get(), 0, 0, -1, -1, schirm.get(), 25, 35, nullptr);
    const auto& s = Zeichenspur_Eintraege();
    ASSERT_EQ(s.size(), 3u);
    struct Soll {
        i32 grafik, x, y, w, h;
    } soll[] = {{4014, 20, 30, 30, 20}, {4014, 190, 0, 10, 15}, {0, 25, 35, 10, 10}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(s[i].art, SPUR_BLIT);
        EXPECT_EQ(s[i].grafik, soll[i].grafik) << i;
        EXPECT_EQ(s[i].x, soll[i].x) << i;
        EXPECT_EQ(s[i].y, soll[i].y) << i;
        EXPECT_EQ(s[i].breite, soll[i].w) << i;
        EXPECT_EQ(s[i].hoehe, soll[i].h) << i;
        EXPECT_EQ(s[i].ziel, schirm.get());
    }
    EXPECT_EQ(Zeichenspur_Blit(4014), &s[0]);
    EXPECT_EQ(Zeichenspur_Blit(4015), nullptr);
    // The picture seen at a point is the last one drawn over it.
    struct Punkt {
        i32 x, y;
        const Zeichenspur_Eintrag* e;
    } punkte[] = {{20, 30, &s[0]}, {49, 49, &s[0]}, {50, 30, nullptr}, {26, 36, &s[2]}, {199, 14, &s[1]},
                  {199, 15, nullptr}};
    for (const Punkt& p : punkte) EXPECT_EQ(Zeichenspur_Blit_Bei(p.x, p.y), p.e) << p.x << "," << p.y;
    EXPECT_EQ(Zeichenspur_Blit_Bei(21, 31, bild.get()), nullptr) << "another destination";
}

// Sounds are recorded as asked for, with the effect volume, even while
// effects are off; a video that cannot start is still recorded as asked for.
TEST_F(Spur, KlaengeUndVideos) {
    Sound_Set_Hooks({.musik_an = [] { return false; }, .effekte_an = [] { return false; }});
    Sound_Effekt_Solo_Lautstaerke(13, false, 100);
    Sound_Effekt_Play(9, false);
    Sound_Set_Hooks({});
    EXPECT_EQ(Zeichenspur_Klaenge(), (std::vector<i32>{13, 9}));
    ASSERT_EQ(Zeichenspur_Eintraege().size(), 2u);
    EXPECT_EQ(Zeichenspur_Eintraege()[0].art, SPUR_KLANG);
    EXPECT_EQ(Zeichenspur_Eintraege()[0].wert, 100);
    Zeichenspur_Leeren();
    EXPECT_EQ(Bnk_InitV(55, "/nicht/da.res", 1, 0, 10, 20, BNK_AUS_CONTAINER, "test", false), nullptr);
    ASSERT_EQ(Zeichenspur_Eintraege().size(), 1u);
    const Zeichenspur_Eintrag& v = Zeichenspur_Eintraege()[0];
    EXPECT_EQ(v.art, SPUR_VIDEO);
    EXPECT_EQ(v.nummer, 55);
    EXPECT_EQ(v.text, "start");
    EXPECT_EQ(v.x, 10);
    EXPECT_EQ(v.y, 20);
}

TEST_F(Spur, AusGeschaltetBleibtSieLeer) {
    Zeichenspur_Ausschalten();
    Font_Markup_Ausgabe(schirm.get(), f.get(), 0xFFFF, "Hallo", 0, 20, 0);
    Blt_Blit(bild.get(), 0, 0, -1, -1, schirm.get(), 0, 0, nullptr);
    EXPECT_TRUE(Zeichenspur_Eintraege().empty());
    // Switching on starts an empty trace.
    Zeichenspur_Einschalten();
    Blt_Blit(bild.get(), 0, 0, -1, -1, schirm.get(), 0, 0, nullptr);
    Zeichenspur_Einschalten();
    EXPECT_TRUE(Zeichenspur_Eintraege().empty());
}

}  // namespace
