// The crowd of a match never outgrows the ground it is played in: at the
// home club's ground, at a neutral ground, with the match tool's fixed
// crowd, when the attendance is worked out at the strongest draw, after the
// ground was extended, and in the ground's record of its matches.
#include <algorithm>
#include <functional>
#include <string>

#include "match_test.h"
#include "world/global.h"
#include "world/stadion.h"
#include "world/stadion_bau.h"

namespace {

class Zuschauer : public MatchTest {
  protected:
    void SetUp() override {
        MatchTest::SetUp();
        Stadion_Init();
        Stadion_Modelle_Zuruecksetzen();
    }
    void TearDown() override {
        Stadion_Modelle_Zuruecksetzen();
        Stadion_Free();
        MatchTest::TearDown();
    }
};

i32 platz(u32 t) { return Stadion_Get_Kapazitaet(static_cast<int>(t)); }
i32 platz_im_teamsatz(u32 t) {
    return Team_Wert(4, static_cast<int>(t), 0, OP_LESEN) + Team_Wert(5, static_cast<int>(t), 0, OP_LESEN);
}

// The club of the league with the smallest ground, and the one with the biggest.
std::pair<u32, u32> klein_und_gross(const std::vector<u32>& liga) {
    const auto [k, g] = std::minmax_element(liga.begin(), liga.end(), [](u32 a, u32 b) { return platz(a) < platz(b); });
    return {*k, *g};
}

TEST_F(Zuschauer, NieMehrAlsDerPlatzFasst) {
    const auto [klein, gross] = klein_und_gross(liga);
    ASSERT_LT(platz(klein) + 1000, platz(gross));
    const u32 dritter = liga[0] != klein && liga[0] != gross ? liga[0] : liga[1] != klein && liga[1] != gross ? liga[1]
                                                                                                                : liga[2];
    u32 spiel = 4100;
    // The pitch of a match between two clubs at a venue with an asked crowd:
    // the crowd it shows and the ground's capacity.
    auto anpfiff = [&](u32 heim, u32 gast, u32 ort, u32 menge) -> std::pair<i64, i64> {
        ++spiel;
        Partie_Spiel_Anmelden(spiel, heim, gast, 7);
        if (!Spielfeld_Neu(spiel, 0, 0, menge, ort, 1)) return {-1, -1};
        const Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel);
        const i64 z = sf->zuschauer;
        for (int i = 0; i < 6; ++i) EXPECT_LE(sf->belegung[i], 100);
        Spielfeld_Loeschen(sf->wettbewerb);
        return {z, platz(ort)};
    };
    struct Zeile {
        const char* weg;
        std::function<std::pair<i64, i64>()> messen;  // the crowd seen, the capacity in use
        bool voll;                                    // the asked crowd fills the ground
    };
    const Zeile zeilen[] = {
        {"home ground, more asked than it holds",
         [&] { return anpfiff(klein, gross, klein, static_cast<u32>(platz(klein)) + 12345); }, true},
        {"home ground, fewer asked", [&] { return anpfiff(gross, klein, gross, 9000); }, false},
        {"neutral ground smaller than the home side's",
         [&] { return anpfiff(gross, dritter, klein, static_cast<u32>(platz(gross))); }, true},
        {"the match tool's fixed crowd in the smallest ground",
         [&] { return anpfiff(klein, dritter, klein, 30000u + static_cast<u32>(platz(klein))); }, true},
        {"attendance at the strongest draw (euphoria, the highest level)",
         [&] {
             Stadion_Level_Setzen(0, 1000);
             Stadion_Set_Prozent(200);
             const i64 z = Stadion_Berechne_Zuschauer(static_cast<int>(klein), 1, 120, 100, 0, 0, 0, 0, 0);
             Stadion_Modelle_Zuruecksetzen();
             return std::pair<i64, i64>{z, platz(klein)};
         },
         true},
        {"after an extension, the club's record and the ground agree",
         [&] {
             // Building costs nothing here: the bank is not the question.
             for (int m = 1; m <= 6; ++m) Stadion_Modell_Setzen(m, 2, 0), Stadion_Modell_Setzen(m, 3, 0);
             EXPECT_TRUE(Stadion_Ausbauen(static_cast<int>(klein)));
             EXPECT_EQ(platz_im_teamsatz(klein), platz(klein));
             return anpfiff(klein, gross, klein, static_cast<u32>(platz(klein)) * 2);
         },
         true},
        {"the ground's record of a match",
         [&] {
             Welt_Spiel_Info info;
             info.heim = static_cast<i32>(gross), info.gast = static_cast<i32>(klein);
             info.zuschauer = platz(gross) + 5000, info.tag = 12;
             EXPECT_TRUE(Stadion_Set_Erweiterung_Slots_Info(77, info));
             const Stadion_Erweiterung* e = Stadion_Get_Erweiterung(static_cast<int>(gross));
             return std::pair<i64, i64>{e ? e->slot[0].zuschauer : -1, platz(gross)};
         },
         true},
    };
    for (const Zeile& z : zeilen) {
        SCOPED_TRACE(z.weg);
        const auto [gesehen, kapazitaet] = z.messen();
        ASSERT_GT(kapazitaet, 0);
        EXPECT_GE(gesehen, 1);
        EXPECT_LE(gesehen, kapazitaet);
        if (z.voll) {
            EXPECT_EQ(gesehen, kapazitaet);
        }
    }
}

// A neutral ground shows its own stands, not the home side's.
TEST_F(Zuschauer, DerNeutralePlatzZeigtSeineTribuenen) {
    const auto [klein, gross] = klein_und_gross(liga);
    int stufe_klein[STADION_SEITEN], stufe_gross[STADION_SEITEN];
    Stadion_Tribuenen(*Stadion_Get(static_cast<int>(klein), 1), stufe_klein);
    Stadion_Tribuenen(*Stadion_Get(static_cast<int>(gross), 1), stufe_gross);
    ASSERT_FALSE(std::equal(stufe_klein, stufe_klein + STADION_SEITEN, stufe_gross)) << "grounds of different build";
    const u32 gast = liga[0] != klein && liga[0] != gross ? liga[0] : liga[1] != klein && liga[1] != gross ? liga[1]
                                                                                                              : liga[2];
    Partie_Spiel_Anmelden(4200, gross, gast, 7);
    ASSERT_TRUE(Spielfeld_Neu(4200, 0, 0, 5000, klein, 1));
    const Spielfeld_Daten* sf = Spielfeld_Zeiger(4200);
    for (int i = 0; i < STADION_SEITEN; ++i) EXPECT_EQ(sf->tribuene[i], SF_Tribuene_Byte(stufe_klein[i])) << i;
    EXPECT_EQ(sf->belegung[0], static_cast<i32>(5000LL * 100 / platz(klein)));
}

}  // namespace
