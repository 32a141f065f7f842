// What the engine lets the stadium hear: the referee's whistles and the
// ball, only for the pitch the focused view shows while its camera keeps up.
#include <algorithm>
#include <vector>

#include "match_test.h"

namespace {

std::vector<int> gehoert;

class EngineKlang : public MatchTest {};

TEST_F(EngineKlang, RefereeAndBallAreHeardOnTheShownPitchOnly) {
    Spielfeld_Hooks h = Partie_Hooks();
    h.sound_stereo = [](int sample, int a, int b) {
        gehoert.push_back(sample);
        EXPECT_EQ(a, b) << "from the middle";
    };
    Spielfeld_Set_Hooks(h);
    const struct {
        u8 fokus;
        i32 kamera_schritte;  // held at this each step
        bool gehoert;
    } faelle[] = {{1, 0, true}, {0, 0, false}, {1, 5, false}};
    int nr = 0;
    for (const auto& f : faelle) {
        gehoert.clear();
        Spielfeld_Daten* sf = neu(9400 + static_cast<u32>(nr++), liga[0], liga[1], 4242);
        ASSERT_NE(sf, nullptr);
        sf->fokus = f.fokus;
        do sf->kamera_schritte = f.kamera_schritte;
        while (Partie_Schritt(sf, 45));
        if (!f.gehoert) {
            EXPECT_TRUE(gehoert.empty()) << int{f.fokus} << " " << f.kamera_schritte;
            continue;
        }
        ASSERT_FALSE(gehoert.empty());
        EXPECT_EQ(gehoert.front(), 0) << "the kick-off whistle first";
        EXPECT_EQ(gehoert.back(), 1) << "the long whistle ends the first half";
        const auto zahl = [](int s) { return std::count(gehoert.begin(), gehoert.end(), s); };
        EXPECT_EQ(zahl(5), sf->tore[0] + sf->tore[1]) << "the net at every goal";
        EXPECT_GE(zahl(0), 1 + sf->tore[0] + sf->tore[1]) << "a kick-off after every goal";
        EXPECT_GT(zahl(2) + zahl(4), 0) << "shots";
        EXPECT_EQ(zahl(1), 1);
        for (int s : gehoert) EXPECT_TRUE(s == 0 || s == 1 || s == 2 || s == 4 || s == 5 || s == 13) << s;
    }
}

}  // namespace
