// The rating bytes of a pitch record as the dice minutes read them: the
// chance share follows every step of the gap in strength (no flat part),
// leans to the home side at its ground, is even on a neutral one, and the
// bytes a pitch gets are those of its elevens.
#include <gtest/gtest.h>

#include <algorithm>

#include "match_test.h"

namespace {

// The dice formula's chance picks: p and q from the two bytes' difference.
struct Pq {
    int p, q;
};
Pq pq(int d) { return {std::clamp(d + 6, 10, 14), std::clamp(-d, 8, 14)}; }

// The home side's share of the chances: r = 0..5p against s = 0..5q, r >= s.
double heim_anteil(int d) {
    const Pq x = pq(d);
    int heim = 0;
    for (int r = 0; r <= x.p * 5; ++r)
        for (int s = 0; s <= x.q * 5; ++s) heim += r >= s;
    return static_cast<double>(heim) / ((x.p * 5 + 1) * (x.q * 5 + 1));
}

TEST(Rating, TheGapMapsToTheFormulasLiveRange) {
    const i32 k = SF_RATING_SCHRITT;
    const struct {
        i32 luecke;
        bool neutral;
        int d;
    } faelle[] = {
        // At home: the even match at the flat part's upper end (4), a step
        // of gap either way leaves it at once.
        {0, false, 4},
        {1, false, 4},
        {k - 1, false, 4},
        {k, false, 5},
        {4 * k, false, 8},
        {-1, false, -9},
        {-k, false, -9},
        {-k - 1, false, -10},
        {-6 * k, false, -14},
        {-12000, false, -30},
        {12000, false, 30},
        // On a neutral ground: the even match two steps below the flat part.
        {0, true, -10},
        {2 * k, true, 4},
        {2 * k - 1, true, -9},
        {-k, true, -11},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(::testing::Message() << "gap " << f.luecke << (f.neutral ? " neutral" : " home"));
        EXPECT_EQ(Spielfeld_Rating_Abstand(f.luecke, f.neutral), f.d);
    }
}

TEST(Rating, EveryStepOfGapMovesTheShareUntilTheBounds) {
    for (bool neutral : {false, true}) {
        SCOPED_TRACE(neutral ? "neutral ground" : "home ground");
        double vorher = -1;
        int gleich = 0;
        for (i32 luecke = -8 * SF_RATING_SCHRITT; luecke <= 6 * SF_RATING_SCHRITT; luecke += SF_RATING_SCHRITT) {
            const double a = heim_anteil(Spielfeld_Rating_Abstand(luecke, neutral));
            EXPECT_GE(a, vorher) << "gap " << luecke;
            if (a == vorher) gleich++;
            vorher = a;
        }
        // Only at the bounds (far stronger on either side) does the share stand.
        EXPECT_LE(gleich, 4);
        // An even match: the home side has the edge at its ground, nobody on a neutral one.
        const double eben = heim_anteil(Spielfeld_Rating_Abstand(0, neutral));
        if (neutral) {
            EXPECT_NEAR(eben, 0.5, 0.02);
        } else {
            EXPECT_GT(eben, 0.58);
            EXPECT_LT(eben, 0.64);
        }
    }
    // The bounds: a far stronger side takes about seven chances in ten at
    // home, two in three away.
    EXPECT_NEAR(heim_anteil(Spielfeld_Rating_Abstand(10 * SF_RATING_SCHRITT, false)), 0.71, 0.02);
    EXPECT_NEAR(1 - heim_anteil(Spielfeld_Rating_Abstand(-10 * SF_RATING_SCHRITT, false)), 0.64, 0.02);
}

using RatingPitch = MatchTest;

TEST_F(RatingPitch, APitchsBytesDifferByItsElevensGap) {
    // The strongest and the weakest club of the league, both ways round.
    u32 stark = liga[0], schwach = liga[0];
    auto mittel = [](u32 team) {
        i64 summe = 0;
        const int n = Team_Kader_Anzahl(static_cast<int>(team));
        for (int i = 0; i < n; ++i) summe += Spieler_Daten[Team_Kader(static_cast<int>(team))[i]].staerke_fein;
        return n ? summe / n : 0;
    };
    for (u32 t : liga) {
        if (mittel(t) > mittel(stark)) stark = t;
        if (mittel(t) < mittel(schwach)) schwach = t;
    }
    ASSERT_NE(stark, schwach);
    const struct {
        u32 spiel, heim, gast;
        bool heim_vorn;
    } faelle[] = {{21, stark, schwach, true}, {22, schwach, stark, false}};
    for (const auto& f : faelle) {
        Spielfeld_Daten* sf = neu(f.spiel, f.heim, f.gast, 5);
        ASSERT_NE(sf, nullptr);
        EXPECT_EQ(sf->rating[1], Spielfeld_Seitenwert(sf, 1)) << "the away byte is the away side's step";
        const double a = heim_anteil(sf->rating[0] - sf->rating[1]);
        if (f.heim_vorn) {
            EXPECT_GT(a, 0.61);
        } else {
            EXPECT_LT(a, 0.61);
        }
    }
}

}  // namespace
