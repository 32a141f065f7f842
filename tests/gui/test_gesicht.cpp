// Faces composed from the generated parts: stable, varied, tinted; twenty of
// them are written to gesichter.png for review.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <vector>

#include "base/files.h"
#include "graphics/blitter.h"
#include "graphics/farbe.h"
#include "graphics/grafik_start.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "gui/gesicht.h"
#include "platform/png.h"

namespace {

TEST(Gesicht, KaderOhneDoppelteUndStabil) {
    std::set<u32> looks;
    for (i32 s = 0; s < 25; ++s) looks.insert(Gesicht_Aussehen_Aus_Nummer(1000 + s));
    EXPECT_EQ(looks.size(), 25u);
    EXPECT_EQ(Gesicht_Aussehen_Aus_Nummer(4711), Gesicht_Aussehen_Aus_Nummer(4711));
}

TEST(Gesicht, ZwanzigGesichterAusDenTeilen) {
    const i32 slot = Resf_Oeffnen(KORDAVO_SPIELORDNER "/resfile/spieler_gesicht.res", 0);
    ASSERT_GE(slot, 0);
    ASSERT_TRUE(Gesicht_Teile_Laden(slot));
    Rastport_Bild bogen(Rastport_Neu_Einfach(5 * 90, 4 * 105, 16));
    Blt_Rechteck(bogen.get(), 0, 0, bogen->breite, bogen->hoehe, 0x08C5);
    static const u32 vereine[4][2] = {
        {0xC8102E, 0xFFFFFF}, {0x1E4FA0, 0xF2B33D}, {0x2E7D46, 0xEEF2EA}, {0x202020, 0xF2B33D}};
    std::set<std::vector<u16>> verschieden;
    for (i32 i = 0; i < 20; ++i) {
        Rastport_Bild g(
            Gesicht_Bauen(Gesicht_Aussehen_Aus_Nummer(i), vereine[i / 5][0], vereine[i / 5][1]));
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->breite, 85);
        EXPECT_EQ(g->hoehe, 100);
        verschieden.insert(std::vector<u16>(g->bitmap->pixel16(), g->bitmap->pixel16() + 85 * 100));
        Blt_Blit(g.get(), 0, 0, -1, -1, bogen.get(), (i % 5) * 90 + 2, (i / 5) * 105 + 2, Blt_Opt_Transparent);
        if (i == 0) {
            // The shirt (below the collar, beside the neck) takes the first club colour's hue: red.
            u8 r = 0, gr = 0, b = 0;
            Png_Pixel_Rgb(g->bitmap->pixel16()[95 * 85 + 15], 16, &r, &gr, &b);
            EXPECT_GT(r, gr + 40);
        }
    }
    EXPECT_EQ(verschieden.size(), 20u);
    EXPECT_TRUE(
        Png_Schreiben("gesichter.png", bogen->bitmap->pixel16(), bogen->breite, bogen->hoehe, bogen->breite, 16));
    // Through the cache: the second request is the same picture.
    Rastport* a = Gesicht_Holen(3, 1, bogen.get(), 0, 0, 40, 47);
    EXPECT_NE(a, nullptr);
    EXPECT_EQ(Gesicht_Holen(3, 1, bogen.get(), 0, 0, 40, 47), a);
    Farbe_Cache_Free();
    Gesicht_Teile_Free();
    Resf_Schliessen(slot);
}

}  // namespace

#include <cstdlib>
#include <string>

#include "base/files.h"
#include "graphics/bildformat.h"
#include "gui/bilder.h"

namespace {

TEST(Gesicht, FotoAusDemBilderordner) {
    char vorlage[] = "/tmp/kordavo_bilderXXXXXX";
    ASSERT_NE(mkdtemp(vorlage), nullptr);
    const std::string ordner = vorlage;
    std::snprintf(W32_Dir_Tabelle[W32_DIR_SPIELERBILDER], W32_DIR_LAENGE, "%s", ordner.c_str());
    std::vector<u16> px(120 * 160, 0xF800);
    ASSERT_TRUE(Jpeg_Schreiben_Datei((ordner + "/42.jpg").c_str(), px.data(), 120, 160, 16, 0, 90));
    std::FILE* kaputt = std::fopen((ordner + "/43.jpg").c_str(), "wb");
    std::fputs("kein jpeg", kaputt);
    std::fclose(kaputt);
    EXPECT_EQ(Bilder_Anzahl(BILDER_SPIELER), 2);
    i32 nummern[4] = {};
    EXPECT_EQ(Bilder_Liste(4, nummern, BILDER_SPIELER), 2);
    EXPECT_EQ(nummern[0], 42);
    EXPECT_EQ(Bilder_Laden(43, nullptr, BILDER_SPIELER), nullptr) << "a damaged file is refused";
    // A negative look value shows the photo, reduced to the face size.
    Gesicht_Set_Hooks({.aussehen = [](i32) { return 0x80000000u; }});
    Rastport_Bild ziel(Rastport_Neu_Einfach(100, 100, 16));
    Rastport* g = Gesicht_Holen(42, 0, ziel.get(), 0, 0, 0, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->breite, 85);
    u8 r = 0, gr = 0, b = 0;
    Png_Pixel_Rgb(ziel->bitmap->pixel16()[50 * 100 + 40], 16, &r, &gr, &b);
    EXPECT_GT(r, 200);
    EXPECT_EQ(Gesicht_Holen(43, 0, ziel.get(), 0, 0, 0, 0), nullptr);
    Gesicht_Set_Hooks({});
    Farbe_Cache_Free();
    std::remove((ordner + "/42.jpg").c_str());
    std::remove((ordner + "/43.jpg").c_str());
    std::remove(ordner.c_str());
    W32_Dir_Tabelle[W32_DIR_SPIELERBILDER][0] = 0;
}

// Without the parts loaded at once, a face loads the parts it needs from
// the game's archive when it is built, and only those: the faces are the
// same as from all the parts; without the game's archives there is none.
TEST(Gesicht, TeileWerdenGeladenWennEinGesichtSieBraucht) {
    Gesicht_Teile_Free();
    EXPECT_EQ(Gesicht_Bauen(Gesicht_Aussehen_Aus_Nummer(1), 0xC8102E, 0xFFFFFF), nullptr) << "no archives open";
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
    ASSERT_TRUE(Grafik_Archive_Oeffnen());
    // Looks of both styles: style 1 is a look value with bits 0-1 set.
    std::vector<u32> looks;
    for (i32 i = 0; looks.size() < 12; ++i) {
        const u32 a = Gesicht_Aussehen_Aus_Nummer(i * 37);
        if (Gesicht_Stil(a) == static_cast<i32>(looks.size() % 2)) looks.push_back(a);
    }
    const auto bauen = [&](u32 a) {
        Rastport_Bild b(Gesicht_Bauen(a, 0xC8102E, 0xFFFFFF));
        return b ? std::vector<u16>(b->bitmap->pixel16(), b->bitmap->pixel16() + b->breite * b->hoehe)
                 : std::vector<u16>{};
    };
    ASSERT_TRUE(Gesicht_Teile_Laden());
    std::vector<std::vector<u16>> alle;
    for (u32 a : looks) alle.push_back(bauen(a));
    Gesicht_Teile_Free();
    EXPECT_EQ(Gesicht_Teile_Anzahl(), 0);
    for (size_t i = 0; i < looks.size(); ++i) {
        SCOPED_TRACE(i);
        const i32 vorher = Gesicht_Teile_Anzahl();
        const std::vector<u16> g = bauen(looks[i]);
        ASSERT_FALSE(g.empty());
        EXPECT_EQ(g, alle[i]);
        // A base, five part fields and two masks at most.
        EXPECT_LE(Gesicht_Teile_Anzahl() - vorher, 8);
        EXPECT_GE(Gesicht_Teile_Anzahl(), 6);
    }
    EXPECT_LT(Gesicht_Teile_Anzahl(), 100) << "only the parts of twelve faces";
    // Through the cache as the screens draw them.
    Rastport_Bild ziel(Rastport_Neu_Einfach(40, 47, 16));
    EXPECT_NE(Gesicht_Holen(3, 1, ziel.get(), 0, 0, 40, 47), nullptr);
    // The rest loaded at once keeps what was loaded.
    ASSERT_TRUE(Gesicht_Teile_Laden());
    EXPECT_EQ(Gesicht_Teile_Anzahl(), 216);
    Farbe_Cache_Free();
    Gesicht_Teile_Free();
    Grafik_Archive_Schliessen();
}

}  // namespace
