// The referee and the ball are heard only on the pitch the focused view
// shows while its camera keeps up.
#include <algorithm>
#include <vector>

#include "match_test.h"

namespace {

std::vector<int> gehoert;
class EngineKlang : public MatchTest {};

TEST_F(EngineKlang, RefereeAndBallOnTheShownPitchOnly) {
    Spielfeld_Hooks h = Partie_Hooks();
    h.sound_stereo = [](int sample, int a, int b) { gehoert.push_back(a == b ? sample : -1); };
    Spielfeld_Set_Hooks(h);
    const struct {
        u8 fokus;
        i32 kamera_schritte;  // held each step
    } faelle[] = {{1, 0}, {0, 0}, {1, 5}};
    u32 spiel = 9400;
    for (const auto& f : faelle) {
        gehoert.clear();
        Spielfeld_Daten* sf = neu(spiel++, liga[0], liga[1], 4242);
        ASSERT_NE(sf, nullptr);
        sf->fokus = f.fokus;
        do sf->kamera_schritte = f.kamera_schritte;
        while (Partie_Schritt(sf, 45));
        const auto zahl = [](int s) { return std::count(gehoert.begin(), gehoert.end(), s); };
        if (!f.fokus || f.kamera_schritte) {
            EXPECT_TRUE(gehoert.empty());
            continue;
        }
        ASSERT_FALSE(gehoert.empty());
        EXPECT_EQ(gehoert.front(), 0) << "the kick-off whistle first";
        EXPECT_EQ(gehoert.back(), 1) << "the long whistle ends the half";
        EXPECT_EQ(zahl(1), 1);
        EXPECT_EQ(zahl(5), sf->tore[0] + sf->tore[1]) << "the net at every goal";
        EXPECT_GE(zahl(0), 1 + sf->tore[0] + sf->tore[1]) << "a kick-off after every goal";
        EXPECT_GT(zahl(2) + zahl(4), 0) << "shots";
        EXPECT_EQ(zahl(-1), 0) << "from the middle";
    }
}

}  // namespace
