// Crest cache hits and misses, the size rules and the neutral crest.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "base/files.h"
#include "graphics/farbe.h"
#include "graphics/grafik_start.h"
#include "graphics/resf.h"
#include "graphics/rastport.h"
#include "gui/wappen.h"
#include "world/welt.h"

namespace {

std::vector<i32> geladen;

// A 66 x 66 crest: a border of pixel 0 (transparent), the rest its number.
Rastport* test_wappen(i32 n, i32) {
    geladen.push_back(n);
    Rastport* r = Rastport_Neu_Einfach(66, 66, 16);
    for (i32 y = 0; y < 66; ++y)
        for (i32 x = 0; x < 66; ++x)
            r->bitmap->pixel16()[y * 66 + x] = (x < 3 || y < 3) ? 0 : static_cast<u16>(0x8000 | n);
    return r;
}

TEST(Wappen, CacheTrefferUndFehlgriffe) {
    Wappen_Set_Hooks({.bild_laden = test_wappen});
    Rastport_Bild ziel(Rastport_Neu_Einfach(200, 200, 16));
    struct Fall {
        i32 team, x, w;
        bool gezeichnet;
        i32 treffer, fehl;
    };
    const Fall faelle[] = {
        {7, 10, 66, true, 0, 1},                             // first time: drawn and stored
        {7, 10, 66, true, 1, 0},                             // same place and size: a hit
        {7, 10, 30, true, 0, 1},                             // another size: a miss, reduced
        {7, 10, 30, true, 1, 0}, {7, 10, 100, false, 0, 1},  // larger than the crest: nothing
        {8, 10, 66, true, 0, 1},                             // another team
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Wappen_Blit(f.team, ziel.get(), f.x, 20, f.w, f.w, nullptr), f.gezeichnet);
        i32 t = 0, m = 0;
        Wappen_Cache_Zaehler(&t, &m);
        EXPECT_EQ(t, f.treffer) << f.team << " " << f.w;
        EXPECT_EQ(m, f.fehl) << f.team << " " << f.w;
    }
    EXPECT_EQ(ziel->bitmap->pixel16()[40 * 200 + 40], 0x8000 | 8);
    EXPECT_EQ(ziel->bitmap->pixel16()[70 * 200 + 11], 0) << "transparent border keeps the background";
    geladen.clear();
    Farbe_Cache_Aufraeumen();
    Farbe_Cache_Aufraeumen();  // unused entries go
    EXPECT_TRUE(Wappen_Blit(-1, ziel.get(), 0, 0, 66, 66, nullptr));
    EXPECT_TRUE(Wappen_Blit(5000, ziel.get(), 100, 0, 66, 66, nullptr));
    EXPECT_EQ(geladen, (std::vector<i32>{WAPPEN_NEUTRAL, WAPPEN_NEUTRAL}));
    Farbe_Cache_Free();
}

// A highlight that comes or goes behind a crest shows around it: the crest
// kept from one background is not laid with that background over another.
TEST(Wappen, HervorhebungHinterDemWappenKommtUndGeht) {
    Wappen_Set_Hooks({.bild_laden = test_wappen});
    Rastport_Bild ziel(Rastport_Neu_Einfach(200, 200, 16));
    auto fuellen = [&](u16 farbe) {
        for (i32 i = 0; i < 200 * 200; ++i) ziel->bitmap->pixel16()[i] = farbe;
    };
    // The background of each frame; the crest drawn over it, cut to 33 x 33.
    const struct {
        u16 hinten;
        bool treffer;
    } bilder[] = {{0x1111, false}, {0x1111, true}, {0x7BEF, false}, {0x7BEF, true}, {0x1111, false}};
    for (const auto& b : bilder) {
        fuellen(b.hinten);
        ASSERT_TRUE(Wappen_Blit(7, ziel.get(), 40, 50, 33, 33, nullptr));
        i32 t = 0, m = 0;
        Wappen_Cache_Zaehler(&t, &m);
        EXPECT_EQ(t, b.treffer ? 1 : 0) << std::hex << b.hinten;
        // The crest's transparent top-left corner shows this frame's background.
        EXPECT_EQ(ziel->bitmap->pixel16()[50 * 200 + 40], b.hinten);
        EXPECT_EQ(ziel->bitmap->pixel16()[(50 + 20) * 200 + 40 + 20], 0x8000 | 7);
    }
    // Drawn again over itself: kept.
    ASSERT_TRUE(Wappen_Blit(7, ziel.get(), 40, 50, 33, 33, nullptr));
    i32 t = 0, m = 0;
    Wappen_Cache_Zaehler(&t, &m);
    EXPECT_EQ(t, 1);
    Farbe_Cache_Free();
    Wappen_Set_Hooks({});
}

TEST(Wappen, HolenMitUndOhneZiel) {
    Wappen_Set_Hooks({.bild_laden = test_wappen,
                      .pokal_grafik = [](i32 wettbewerb, i32) { return wettbewerb == 3 ? -1 : wettbewerb; }});
    // Without a target: a picture of the asked size (0: 66; a negative side
    // takes the other), never enlarged; a competition without a cup: none.
    const struct {
        i32 w, h;
        bool wettbewerb;
        i32 breite;
    } faelle[] = {{0, 0, false, 66}, {-1, 33, false, 33}, {80, 80, false, 0}, {20, 20, true, 0}};
    for (const auto& f : faelle) {
        Rastport_Bild r(Wappen_Holen(nullptr, 7, 0, 0, true, f.w, f.h, f.wettbewerb, 3));
        EXPECT_EQ(r ? r->breite : 0, f.breite) << f.w;
    }
    Rastport_Bild ziel(Rastport_Neu_Einfach(200, 200, 16));
    for (i32 mal = 0; mal < 2; ++mal)
        EXPECT_EQ(Wappen_Holen(ziel.get(), 7, 10, 10, true, 40, 40, false, 0), ziel.get());
    EXPECT_EQ(ziel->bitmap->pixel16()[30 * 200 + 30], 0x8000 | 7);
    i32 t = 0, m = 0;
    Wappen_Cache_Anzeigen(&t, &m, nullptr, false);
    EXPECT_EQ(t, 1) << "the second time is a hit";
    Wappen_Set_Hooks({.bild_laden = test_wappen});
    Farbe_Cache_Free();
}

// A crest of many colours with holes, its pixels shifted by `art`.
Rastport* bunt(i32 n, i32 art) {
    geladen.push_back(n);
    Rastport* r = Rastport_Neu_Einfach(66, 66, 16);
    for (i32 y = 0; y < 66; ++y)
        for (i32 x = 0; x < 66; ++x)
            r->bitmap->pixel16()[y * 66 + x] =
                (x + 2 * y) % 7 == 0 ? 0 : static_cast<u16>((x * 997 + y * 331 + n * 71 + art * 4099) | 1);
    return r;
}
Rastport* bunt_a(i32 n, i32) { return bunt(n, 0); }
Rastport* bunt_b(i32 n, i32) { return bunt(n, 1); }

// The target area (x, y, w, h) as a list of pixels.
std::vector<u16> flaeche(const Rastport* r, i32 x, i32 y, i32 w, i32 h) {
    std::vector<u16> v;
    for (i32 j = 0; j < h; ++j)
        for (i32 i = 0; i < w; ++i) v.push_back(r->bitmap->pixel16()[(y + j) * r->breite + x + i]);
    return v;
}

TEST(Wappen, BehalteneVerkleinerungZeichnetWieNeuVerkleinert) {
    Wappen_Set_Hooks({.bild_laden = bunt_a});
    Rastport_Bild ziel(Rastport_Neu_Einfach(200, 200, 16));
    // Each case: a size over a background; drawn once with the picture
    // loaded and reduced, then (patch cache emptied) from the kept sums over
    // another background. Both must be what reducing anew gives there.
    const struct {
        i32 team, w, h;
        u16 hinten_1, hinten_2;
    } faelle[] = {
        {7, 16, 16, 0x07E0, 0x001F}, {7, 40, 40, 0xF800, 0xFFFF}, {7, 23, 61, 0x0000, 0x1234},
        {9, 60, 60, 0x8410, 0x07E0}, {9, 1, 1, 0xFFFF, 0x0001},
    };
    for (const auto& f : faelle) {
        for (i32 mal = 0; mal < 2; ++mal) {
            const u16 hinten = mal == 0 ? f.hinten_1 : f.hinten_2;
            for (i32 i = 0; i < 200 * 200; ++i) ziel->bitmap->pixel16()[i] = hinten;
            Farbe_Cache_Free();
            geladen.clear();
            ASSERT_TRUE(Wappen_Blit(f.team, ziel.get(), 30, 40, f.w, f.h, nullptr));
            EXPECT_EQ(geladen.size(), mal == 0 ? 1u : 0u) << "kept: not loaded again (" << f.w << "x" << f.h << ")";
            Rastport_Bild quelle(bunt(f.team, 0)), neu(Rastport_Neu_Einfach(f.w, f.h, 16));
            for (i32 i = 0; i < f.w * f.h; ++i) neu->bitmap->pixel16()[i] = hinten;
            ASSERT_EQ(Bild_Verkleinern_Transparent(quelle.get(), neu.get()), 1);
            EXPECT_EQ(flaeche(ziel.get(), 30, 40, f.w, f.h), flaeche(neu.get(), 0, 0, f.w, f.h))
                << f.team << " " << f.w << "x" << f.h << " draw " << mal;
        }
    }
    // Other pictures behind the same numbers (hooks installed anew): drawn
    // from them, not from what was kept; emptied by hand: loaded again.
    Wappen_Set_Hooks({.bild_laden = bunt_b});
    for (i32 i = 0; i < 200 * 200; ++i) ziel->bitmap->pixel16()[i] = 0x1234;
    Farbe_Cache_Free();
    geladen.clear();
    ASSERT_TRUE(Wappen_Blit(7, ziel.get(), 30, 40, 40, 40, nullptr));
    EXPECT_EQ(geladen.size(), 1u);
    Rastport_Bild quelle(bunt(7, 1)), neu(Rastport_Neu_Einfach(40, 40, 16));
    for (i32 i = 0; i < 1600; ++i) neu->bitmap->pixel16()[i] = 0x1234;
    ASSERT_EQ(Bild_Verkleinern_Transparent(quelle.get(), neu.get()), 1);
    EXPECT_EQ(flaeche(ziel.get(), 30, 40, 40, 40), flaeche(neu.get(), 0, 0, 40, 40));
    Wappen_Verkleinerungen_Leeren();
    Farbe_Cache_Free();
    geladen.clear();
    ASSERT_TRUE(Wappen_Blit(7, ziel.get(), 30, 40, 40, 40, nullptr));
    EXPECT_EQ(geladen.size(), 1u);
    Farbe_Cache_Free();
    Wappen_Set_Hooks({});
}

// A patch kept for one target is laid again only while the same pictures
// stand behind the numbers: hooks installed anew (another picture for the
// crest) draw that picture, on the same target over the same background.
TEST(Wappen, NeueHooksLegenKeinenAltenFlicken) {
    Rastport_Bild ziel(Rastport_Neu_Einfach(100, 100, 16));
    const struct {
        Rastport* (*laden)(i32, i32);
        bool neu_installiert;
        u16 mitte;
        i32 treffer;
    } schritte[] = {
        {bunt_a, true, 0, 0},   // first drawing
        {bunt_a, false, 0, 1},  // the same again: a hit
        {bunt_b, true, 1, 0},   // other pictures behind the same numbers
        {bunt_b, false, 1, 1},
        {bunt_a, true, 0, 0},   // back to the first: drawn anew as well
    };
    Farbe_Cache_Free();
    for (const auto& s : schritte) {
        if (s.neu_installiert) Wappen_Set_Hooks({.bild_laden = s.laden});
        for (i32 i = 0; i < 100 * 100; ++i) ziel->bitmap->pixel16()[i] = 0x0841;
        ASSERT_TRUE(Wappen_Blit(7, ziel.get(), 10, 10, 66, 66, nullptr));
        i32 t = 0, m = 0;
        Wappen_Cache_Zaehler(&t, &m);
        EXPECT_EQ(t, s.treffer);
        Rastport_Bild soll(bunt(7, s.mitte));
        EXPECT_EQ(ziel->bitmap->pixel16()[(10 + 33) * 100 + 10 + 33], soll->bitmap->pixel16()[33 * 66 + 33]);
    }
    Farbe_Cache_Free();
    Wappen_Set_Hooks({});
}

TEST(Wappen, FarbeDesTeamnamens) {
    const i32 alt = Team_Aktiv;
    Team_Aktiv = 4;
    const struct {
        i32 team, wettbewerb;
        u16 farbe;
    } faelle[] = {{4, -2, 61261}, {5, -1, 65530}, {5, -2, 52889}, {5, 700, 65535}};
    for (const auto& f : faelle)
        EXPECT_EQ(Farbe_Team_Name(f.team, f.wettbewerb), f.farbe) << f.team << "/" << f.wettbewerb;
    Team_Aktiv = alt;
}

TEST(Wappen, VerkleinernMitteltUndLaesstLoecher) {
    Rastport_Bild q(Rastport_Neu_Einfach(4, 2, 16)), z(Rastport_Neu_Einfach(2, 1, 16));
    const u16 weiss = 0xFFFF;
    const u16 px[8] = {weiss, 0, 0, 0, weiss, 0, 0, 0};
    std::copy(px, px + 8, q->bitmap->pixel16());
    z->bitmap->pixel16()[0] = 0x07E0;
    z->bitmap->pixel16()[1] = 0x001F;
    ASSERT_EQ(Bild_Verkleinern_Transparent(q.get(), z.get()), 1);
    EXPECT_NE(z->bitmap->pixel16()[0], weiss) << "mixed with the green background";
    EXPECT_EQ(z->bitmap->pixel16()[1], 0x001F) << "a box of holes keeps the background";
    Rastport_Bild gross(Rastport_Neu_Einfach(8, 4, 16));
    EXPECT_EQ(Bild_Skalieren(q.get(), gross.get(), 8, 4), 1);
    EXPECT_EQ(gross->bitmap->pixel16()[1], weiss);
    EXPECT_EQ(Bild_Verkleinern(gross.get(), q.get()), 1);
    EXPECT_EQ(Bild_Verkleinern(q.get(), gross.get()), 0) << "never enlarges";
}

// The archive's crests are held on the graphics workers only once a screen
// draws them by the dozen: opening the archives holds none, nor do seven
// crests loaded; the eighth sets the holding off.
TEST(Wappen, ArchivWappenErstAbDemAchtenGehalten) {
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", KORDAVO_SPIELORDNER);
    ASSERT_TRUE(Grafik_Archive_Oeffnen());
    const auto gehalten_nach = [](int ms) {
        for (int i = 0; i < ms && Resf_Vorab_Gehalten() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return Resf_Vorab_Gehalten();
    };
    for (i32 n = 0; n < 7; ++n) Rastport_Bild{Wappen_Aus_Archiv(n)};
    EXPECT_EQ(gehalten_nach(2000), 0u) << "held with seven crests shown";
    Rastport_Bild achtes(Wappen_Aus_Archiv(7));
    EXPECT_TRUE(achtes);
    EXPECT_GT(gehalten_nach(20000), 0u) << "not held from the eighth crest on";
    Grafik_Archive_Schliessen();
}

}  // namespace
