// The shipped world over twenty season changes: as many players retire in
// the first season as in the later ones, and the median age holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/random.h"
#include "welt_test.h"
#include "world/leben.h"
#include "world/spieler.h"
#include "world/team.h"

namespace {

class Leben_Jahre : public Geladene_Welt {
  protected:
    // The players as shipped: every case starts from them.
    static void SetUpTestSuite() {
        Geladene_Welt::SetUpTestSuite();
        start().nehmen();
    }
    static Abbild& start() {
        static Abbild a;
        return a;
    }
    void SetUp() override {
        const Abbild& a = start();
        ASSERT_EQ(a.s.size(), static_cast<size_t>(Spieler_Anzahl));
        std::memcpy(Spieler_Daten, a.s.data(), a.s.size() * sizeof a.s[0]);
        std::memcpy(Spieler_Fix_Daten, a.sf.data(), a.sf.size() * sizeof a.sf[0]);
        std::memcpy(Spieler_Texte, a.sx.data(), a.sx.size() * sizeof a.sx[0]);
        Welt_Zahlen_Zuruecksetzen();
    }
};

// The club players' median age in `jahr` (the upper middle of an even count).
double median_alter(i32 jahr) {
    std::vector<i32> a;
    for (int t = 0; t < Team_Anzahl; ++t)
        if (Team_Ist_Verein(t))
            for (int i = 0; i < Team_Kader_Anzahl(t); ++i)
                a.push_back(jahr - Spieler_Fix_Daten[Team_Kader(t)[i]].geburtsjahr);
    if (a.empty()) return 0;
    std::nth_element(a.begin(), a.begin() + static_cast<long>(a.size() / 2), a.end());
    return a[a.size() / 2];
}

// Every season's retirements within a fifth of the twenty seasons' mean,
// the first included: the shipped ages are those the yearly life keeps.
// With a quarter of the market evenly 31 to 36 the first season retired a
// quarter more than the mean.
TEST_F(Leben_Jahre, RetirementsStaySteadyFromTheFirstSeasonOn) {
    constexpr i32 ERSTES = 2004, SAISONS = 20;
    struct Fall {
        i32 cursor;  // of the shared random table
    } faelle[] = {{3}, {777}, {2500}, {4444}, {5999}};
    for (const Fall& f : faelle) {
        SetUp();
        Rnd_Set_Index(f.cursor, 0);
        std::vector<i32> weg;
        double alt_min = 99, alt_max = 0;
        for (i32 jahr = ERSTES; jahr < ERSTES + SAISONS; ++jahr) {
            const i32 vorher = Welt_Zahlen_Lesen().ruecktritte;
            Leben_Saisonwechsel(jahr);
            weg.push_back(Welt_Zahlen_Lesen().ruecktritte - vorher);
            alt_min = std::min(alt_min, median_alter(jahr));
            alt_max = std::max(alt_max, median_alter(jahr));
        }
        double mittel = 0;
        for (i32 w : weg) mittel += w;
        mittel /= SAISONS;
        ASSERT_GT(mittel, Spieler_Anzahl / 25.0) << "players retire, cursor " << f.cursor;
        for (size_t i = 0; i < weg.size(); ++i) {
            EXPECT_GE(weg[i], mittel * 0.8) << "season " << i + 1 << ", cursor " << f.cursor;
            EXPECT_LE(weg[i], mittel * 1.2) << "season " << i + 1 << ", cursor " << f.cursor;
        }
        EXPECT_GE(alt_min, 24) << "cursor " << f.cursor;
        EXPECT_LE(alt_max, 28) << "cursor " << f.cursor;
        EXPECT_LE(alt_max - alt_min, 1.5) << "no wave of ages, cursor " << f.cursor;
    }
}

}  // namespace
