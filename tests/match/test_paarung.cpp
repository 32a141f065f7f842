// The pairings of a long series: every ordered pair once per cycle, the
// return leg right after the first, every club as often at home as away and
// as often as the others in any stretch of whole rounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "match/partie.h"

namespace {

std::vector<u32> vereine(int n) {
    std::vector<u32> v;
    for (int i = 0; i < n; ++i) v.push_back(static_cast<u32>(100 + 3 * i));
    return v;
}

TEST(Paarung, EveryOrderedPairOncePerCycleInRoundsOfEveryClub) {
    for (int n : {3, 4, 5, 17, 18, 20, 150}) {
        const std::vector<u32> v = vereine(n);
        const int paare = n * (n - 1);
        // Matches per round of every club once (the bye resting).
        const int runde = 2 * (n / 2);
        std::set<std::pair<u32, u32>> gesehen;
        std::map<u32, int> heim, gast;
        for (int k = 0; k < paare; ++k) {
            u32 h = 0, g = 0;
            Liga_Paarung(v, k, &h, &g);
            ASSERT_NE(h, g) << n << " clubs, pairing " << k;
            ASSERT_TRUE(std::count(v.begin(), v.end(), h) && std::count(v.begin(), v.end(), g));
            EXPECT_TRUE(gesehen.insert({h, g}).second) << n << " clubs, pairing " << k << " again";
            heim[h]++;
            gast[g]++;
            if (k % 2 == 1) {
                u32 h0 = 0, g0 = 0;
                Liga_Paarung(v, k - 1, &h0, &g0);
                EXPECT_TRUE(h0 == g && g0 == h) << n << " clubs: the return leg of pairing " << k - 1;
            }
            // After each whole round (both legs) no club has played twice
            // more than another, and none more at home than away.
            if ((k + 1) % runde == 0) {
                int wenigste = paare, meiste = 0;
                for (u32 c : v) {
                    const int spiele = heim[c] + gast[c];
                    wenigste = std::min(wenigste, spiele);
                    meiste = std::max(meiste, spiele);
                    EXPECT_EQ(heim[c], gast[c]) << n << " clubs after pairing " << k;
                }
                EXPECT_LE(meiste - wenigste, 2) << n << " clubs after pairing " << k;
            }
        }
        EXPECT_EQ(static_cast<int>(gesehen.size()), paare) << n << " clubs";
        // The next cycle begins as the first.
        u32 a = 0, b = 0, c = 0, d = 0;
        Liga_Paarung(v, 0, &a, &b);
        Liga_Paarung(v, paare, &c, &d);
        EXPECT_TRUE(a == c && b == d) << n << " clubs";
    }
}

}  // namespace
