// Remembered drawings of the draw probe: a drawing probed again with the
// same values gives the fingerprint and rectangle it gave when drawn, and
// draws nothing; other values, an unsure drawing, one left open or one
// within another are fingerprinted as usual; the clipped pass skips a
// remembered one outside its rectangle.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>

#include "graphics/abdruck.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"

namespace {

struct Probe {
    u64 abdruck = 0;
    Abdruck_Rechteck r;
    bool sicher = false;
};

bool gleich(const Probe& a, const Probe& b) {
    return a.abdruck == b.abdruck && a.sicher == b.sicher && a.r.x0 == b.r.x0 && a.r.y0 == b.r.y0 && a.r.x1 == b.r.x1 &&
           a.r.y1 == b.r.y1;
}

class Gemerkt : public ::testing::Test {
  protected:
    void SetUp() override {
        Abdruck_Gemerkt_Vergessen();
        ziel.reset(Rastport_Neu_Einfach(200, 100, 16));
        bild.reset(Rastport_Neu_Einfach(20, 10, 16));
        fluechtig.reset(Rastport_Neu_Einfach(20, 10, 16));
        ASSERT_TRUE(ziel && bild && fluechtig);
        bild->fest = true;
        bild->serie = Rastport_Serie_Neu();
    }
    void TearDown() override {
        Abdruck_Aus();
        Abdruck_Gemerkt_Vergessen();
    }

    // The drawing: the picture at (x, y), `mal` times one pixel apart (its
    // values: x, y, mal); `quelle` null: the fixed picture.
    void zeichnen(i32 x, i32 y, i32 mal, bool merken = true, Rastport* quelle = nullptr, bool schliessen = true) {
        const i64 werte[] = {x, y, mal};
        if (merken && Abdruck_Gemerkt(werte, static_cast<i32>(std::size(werte))) == Abdruck_Folge::FERTIG) return;
        ++gezeichnet;
        for (i32 k = 0; k < mal; ++k)
            Blt_Blit(quelle ? quelle : bild.get(), 0, 0, -1, -1, ziel.get(), x + k, y, nullptr);
        if (merken && schliessen) Abdruck_Gemerkt_Ende();
    }
    template <class F>
    Probe probe(F was) {
        Probe p;
        Abdruck_Probe_Beginnen(ziel.get());
        Blt_Rechteck(ziel.get(), 0, 0, 5, 5, 7);  // drawn before it in the section
        was();
        Abdruck_Abschnitt(&p.abdruck, &p.r);
        p.sicher = Abdruck_Probe_Ende();
        return p;
    }

    Rastport_Bild ziel, bild, fluechtig;
    int gezeichnet = 0;
};

// Remembered equals drawn: the second probe with the same values draws
// nothing and gives what the first gave; other values draw and differ.
TEST_F(Gemerkt, DieselbenWerteGebenDenGemerktenAbdruck) {
    const struct Fall {
        const char* was;
        i32 x, y, mal;
        bool gleich_dem_ersten, gezeichnet;
    } faelle[] = {
        {"first: drawn and remembered", 10, 20, 2, true, true},
        {"the same again: remembered", 10, 20, 2, true, false},
        {"another place", 11, 20, 2, false, true},
        {"drawn another way", 10, 20, 3, false, true},
        {"the first again: still remembered", 10, 20, 2, true, false},
    };
    const Probe erste = probe([&] { zeichnen(10, 20, 2); });
    gezeichnet = 0;
    Abdruck_Gemerkt_Vergessen();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        gezeichnet = 0;
        const Probe p = probe([&] { zeichnen(f.x, f.y, f.mal); });
        EXPECT_TRUE(p.sicher);
        EXPECT_EQ(gleich(p, erste), f.gleich_dem_ersten);
        EXPECT_EQ(gezeichnet, f.gezeichnet ? 1 : 0);
        // The rectangle holds the blits: the fill at (0, 0) and the pictures.
        EXPECT_EQ(p.r.x0, 0);
        EXPECT_EQ(p.r.x1, f.x + f.mal - 1 + 20);
        EXPECT_EQ(p.r.y1, f.y + 10);
    }
}

// What is not remembered: an unsure drawing (its source may change), one
// left open (its section ends it), one within another (fingerprinted as
// usual, the outer one remembered whole), and nothing outside a probe.
TEST_F(Gemerkt, UnsicheresOffenesUndInneresWerdenNichtGemerkt) {
    // Unsure: drawn again each time and the probe stays unsure.
    for (int k = 0; k < 2; ++k) {
        gezeichnet = 0;
        const Probe p = probe([&] { zeichnen(1, 1, 1, true, fluechtig.get()); });
        EXPECT_FALSE(p.sicher);
        EXPECT_EQ(gezeichnet, 1);
    }
    // Left open: drawn again; the fingerprint is still the same each time.
    Probe offen[2];
    for (Probe& o : offen) {
        gezeichnet = 0;
        o = probe([&] { zeichnen(30, 5, 1, true, nullptr, false); });
        EXPECT_TRUE(o.sicher);
        EXPECT_EQ(gezeichnet, 1);
    }
    EXPECT_TRUE(gleich(offen[0], offen[1]));
    // Within another: the inner one is drawn once, with the outer; then both
    // come from the outer one remembered.
    const auto aussen = [&] {
        const i64 w[] = {99};
        if (Abdruck_Gemerkt(w, 1) == Abdruck_Folge::FERTIG) return;
        zeichnen(50, 5, 1);
        zeichnen(60, 5, 1);
        Abdruck_Gemerkt_Ende();
    };
    gezeichnet = 0;
    const Probe a1 = probe(aussen);
    EXPECT_EQ(gezeichnet, 2);
    gezeichnet = 0;
    const Probe a2 = probe(aussen);
    EXPECT_EQ(gezeichnet, 0);
    EXPECT_TRUE(gleich(a1, a2));
    // The inner ones were not remembered apart.
    gezeichnet = 0;
    probe([&] { zeichnen(50, 5, 1); });
    EXPECT_EQ(gezeichnet, 1);
    // Outside a probe it always draws.
    gezeichnet = 0;
    zeichnen(10, 20, 2);
    zeichnen(10, 20, 2);
    EXPECT_EQ(gezeichnet, 2);
}

// The clipped pass: a remembered drawing outside the clip draws nothing,
// one that meets it or is not remembered draws; forgotten, each draws.
TEST_F(Gemerkt, KlippUeberspringtGemerkteAusserhalb) {
    probe([&] {
        zeichnen(10, 20, 1);
        zeichnen(150, 60, 1);
    });
    const struct Fall {
        const char* was;
        i32 x, y;
        bool gezeichnet;
    } faelle[] = {
        {"remembered, outside", 150, 60, false},
        {"remembered, meets the clip", 10, 20, true},
        {"not remembered", 151, 60, true},
    };
    for (bool vergessen : {false, true}) {
        if (vergessen) Abdruck_Gemerkt_Vergessen();
        for (const Fall& f : faelle) {
            SCOPED_TRACE(f.was);
            gezeichnet = 0;
            Abdruck_Klipp_Beginnen(ziel.get(), {0, 0, 40, 40});
            zeichnen(f.x, f.y, 1);
            EXPECT_TRUE(Abdruck_Klipp_Ende());
            EXPECT_EQ(gezeichnet, f.gezeichnet || vergessen ? 1 : 0);
        }
    }
}

// A screen's drawings, probed every frame, all stay remembered: a few
// hundred of them, each probed once more after all were, draw nothing.
TEST_F(Gemerkt, VieleBleibenGemerkt) {
    constexpr i32 ANZAHL = 300;
    const auto alle = [&] {
        gezeichnet = 0;
        probe([&] {
            for (i32 k = 0; k < ANZAHL; ++k) zeichnen(k % 180, k / 180, 1 + k % 3);
        });
        return gezeichnet;
    };
    EXPECT_EQ(alle(), ANZAHL);
    EXPECT_EQ(alle(), 0);
    EXPECT_EQ(alle(), 0);
}

// The watch's stand: the same while nothing is drawn on the watched
// target, another after any drawing aimed at it or a new watch; 0 for a
// target not watched.
TEST_F(Gemerkt, WacheStandFolgtJedemZeichnenAufsZiel) {
    Rastport_Bild anderes(Rastport_Neu_Einfach(50, 50, 16));
    ASSERT_TRUE(anderes);
    Abdruck_Wache(ziel.get());
    const struct Fall {
        const char* was;
        std::function<void()> tun;
        bool anders;
    } faelle[] = {
        {"nothing", [] {}, false},
        {"a blit elsewhere", [&] { Blt_Blit(bild.get(), 0, 0, -1, -1, anderes.get(), 0, 0, nullptr); }, false},
        {"a blit on it", [&] { Blt_Blit(bild.get(), 0, 0, -1, -1, ziel.get(), 3, 3, nullptr); }, true},
        {"a fill on it", [&] { Blt_Rechteck(ziel.get(), 0, 0, 4, 4, 9); }, true},
        {"drawn over in a known place",
         [] {
             Abdruck_Flaeche_Beruehrt({1, 1, 5, 5});
         },
         true},
        {"written through its pixels", [] { Abdruck_Unsicher(); }, true},
        {"a new watch", [&] { Abdruck_Wache(ziel.get()); }, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        const u64 vorher = Abdruck_Wache_Stand(ziel.get());
        EXPECT_NE(vorher, 0u);
        f.tun();
        EXPECT_EQ(Abdruck_Wache_Stand(ziel.get()) != vorher, f.anders);
    }
    EXPECT_EQ(Abdruck_Wache_Stand(anderes.get()), 0u);
    Abdruck_Aus();
    EXPECT_EQ(Abdruck_Wache_Stand(ziel.get()), 0u);
}

}  // namespace
