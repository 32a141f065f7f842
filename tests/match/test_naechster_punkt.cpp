// The nearest-point search of the engine (four points at a time) answers as a
// walk over the points in order that keeps a point strictly nearer than the
// best so far: the same point on every tie, at the bound, at any count.
#include <gtest/gtest.h>

#include <vector>

#include "match/spielfeld_intern.h"

namespace {

// The walk the search stands for.
int der_reihe_nach(const std::vector<f32>& x, const std::vector<f32>& y, f32 px, f32 py, f32 schranke) {
    int best = -1;
    f32 bd = schranke;
    for (size_t k = 0; k < x.size(); k++) {
        const f32 e = engine::d2(x[k], y[k], px, py);
        if (e < bd) {
            bd = e;
            best = static_cast<int>(k);
        }
    }
    return best;
}

int suchen(std::vector<f32> x, std::vector<f32> y, f32 px, f32 py, f32 schranke) {
    const int n = static_cast<int>(x.size());
    // Padding as the engine's lists hold it, and more behind it that must not count.
    x.resize(engine::PUNKTE_PLATZ, 0.0f);
    y.resize(engine::PUNKTE_PLATZ, 0.0f);
    return engine::naechster_punkt(x.data(), y.data(), n, px, py, schranke);
}

struct Fall {
    const char* name;
    std::vector<f32> x, y;
    f32 px, py, schranke;
    int erwartet;
};

TEST(NaechsterPunkt, AnswersAsTheWalkInOrder) {
    const f32 weit = 1100.0f * 1100.0f;
    const Fall faelle[] = {
        {"no points", {}, {}, 0, 0, weit, -1},
        {"one point inside the bound", {100}, {0}, 0, 0, weit, 0},
        {"one point exactly at the bound", {1100}, {0}, 0, 0, weit, -1},
        {"all beyond the bound", {2000, 3000, 4000}, {0, 0, 0}, 0, 0, weit, -1},
        {"the nearest in the middle", {500, 200, 300}, {0, 0, 0}, 0, 0, weit, 1},
        {"a tie within one lane keeps the first", {300, 9, 9, 9, 300}, {0, 0, 0, 0, 0}, 300, 0, weit, 0},
        {"a tie across lanes keeps the first", {50, 50, 10, 50, 50, 10}, {0, 0, 0, 0, 0, 0}, 0, 0, weit, 2},
        {"a tie of the last lane with a later group", {90, 90, 90, 5, 5, 90}, {0, 0, 0, 0, 0, 0}, 0, 0, weit, 3},
        {"the nearest in the last, short group",
         {900, 900, 900, 900, 900, 900, 900, 900, 7},
         {0, 0, 0, 0, 0, 0, 0, 0, 0},
         0,
         0,
         weit,
         8},
        {"the padding's zeros lie nearest but never count", {800, 700}, {0, 0}, 0, 0, weit, 1},
        {"seventeen points, the last nearest",
         {170, 160, 150, 140, 130, 120, 110, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         0,
         0,
         weit,
         16},
        {"mirrored points at the same distance keep the first", {-30, 30, 0, 0}, {0, 0, -30, 30}, 0, 0, weit, 0},
        {"the huge bound of the chase", {5000, 10000}, {6000, 100}, 10400, 0, 1e30f, 1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        ASSERT_EQ(f.x.size(), f.y.size());
        EXPECT_EQ(der_reihe_nach(f.x, f.y, f.px, f.py, f.schranke), f.erwartet);
        EXPECT_EQ(suchen(f.x, f.y, f.px, f.py, f.schranke), f.erwartet);
    }
}

// Points on a coarse grid (many ties) and on the pitch's scale, every count up to seventeen.
TEST(NaechsterPunkt, AgreesWithTheWalkOnManyTies) {
    u32 z = 12345;
    auto zufall = [&z](u32 n) {
        z = z * 1664525u + 1013904223u;
        return (z >> 8) % n;
    };
    int treffer = 0;
    for (int runde = 0; runde < 20000; runde++) {
        const int n = runde % (SF_PRO_SEITE + 1);
        const f32 raster = runde % 2 ? 100.0f : 1.0f;
        std::vector<f32> x(static_cast<size_t>(n)), y(static_cast<size_t>(n));
        for (int k = 0; k < n; k++) {
            x[static_cast<size_t>(k)] = static_cast<f32>(zufall(8)) * raster;
            y[static_cast<size_t>(k)] = static_cast<f32>(zufall(8)) * raster;
        }
        const f32 px = static_cast<f32>(zufall(8)) * raster, py = static_cast<f32>(zufall(8)) * raster;
        const f32 schranke = static_cast<f32>(zufall(40)) * raster * raster;
        const int r = der_reihe_nach(x, y, px, py, schranke);
        ASSERT_EQ(suchen(x, y, px, py, schranke), r) << "round " << runde << ", " << n << " points";
        treffer += r >= 0;
    }
    EXPECT_GT(treffer, 10000);  // most rounds find a point, so the ties are tried
}

}  // namespace
