// Stars who move: a computer club with an open star place signs a star of
// another club that cannot hold him (more stars than star places, or fewer
// places than the buyer), as far as its money reaches, and the seller takes
// the buyer's weakest player of the star's position in part payment.
#include <gtest/gtest.h>

#include <vector>

#include "welt_test.h"
#include "world/bank.h"
#include "world/leben.h"
#include "world/spieler.h"
#include "world/team.h"

namespace {

class Sternwechsel : public Geladene_Welt {
  protected:
    void SetUp() override { Bank_Init(); }
    void TearDown() override { Bank_Free(); }
};

// A midfielder of the club made a star of `fein` (above any shipped player).
int star_machen(int team, i32 fein) {
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) {
        const int s = Team_Kader(team)[i];
        if (Spieler_Fix_Daten[s].position != 2) continue;
        Spieler_Daten[s].staerke_fein = fein;
        Spieler_Daten[s].staerke = static_cast<u8>(fein / 1000);
        Spieler_Daten[s].max_staerke = static_cast<u8>(fein / 1000);
        Spieler_Daten[s].marktwert = Spieler_Berechne_Marktwert(s);
        return s;
    }
    return -1;
}

int schwaechster_mittelfeld(int team) {
    int ab = -1;
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) {
        const int s = Team_Kader(team)[i];
        if (Spieler_Fix_Daten[s].position == 2 && (ab < 0 || Spieler_Daten[s].staerke_fein < Spieler_Daten[ab].staerke_fein))
            ab = s;
    }
    return ab;
}

TEST_F(Sternwechsel, AStarMovesToAClubWithAnOpenPlaceFromOneThatCannotHoldHim) {
    for (int c = 0; c < Team_Anzahl; ++c)
        if (Team_Ist_Verein(c)) {
            ASSERT_TRUE(Bank_Konto_Anlegen(c, 1e6, 0));
        }
    struct Fall {
        const char* name;
        i32 offen;          // the buyer's open star places
        i32 plaetze_zwei;   // the second club's star places (the buyer has 2, the first club none)
        bool reich;         // the buyer's money reaches any star
        int kommt;          // 1: the first club's star comes, 2: the second's, 0: none
    } faelle[] = {
        {"a place open: the star of a club without places comes, not a bigger club's", 1, 4, true, 1},
        {"a club with fewer places lets its better star go", 1, 1, true, 2},
        {"no place open: no star comes", 0, 4, true, 0},
        {"the money does not reach a star", 1, 1, false, 0},
    };
    int k = 0;
    for (const Fall& f : faelle) {
        // Three computer clubs of their own for each case.
        std::vector<int> clubs;
        for (int c = 60 + 3 * k; static_cast<int>(clubs.size()) < 3 && c < Team_Anzahl; ++c)
            if (Team_Ist_Verein(c) && !Team_Hat_Manager(c)) clubs.push_back(c);
        ++k;
        ASSERT_EQ(clubs.size(), 3u);
        const int kaeufer = clubs[0], eins = clubs[1], zwei = clubs[2];
        const int star_eins = star_machen(eins, 11940), star_zwei = star_machen(zwei, 11960);
        ASSERT_GE(star_eins, 0);
        ASSERT_GE(star_zwei, 0);
        const int teilzahlung = schwaechster_mittelfeld(kaeufer);
        const f64 monat = Leben_Gehaltssumme(kaeufer);
        ASSERT_TRUE(Bank_Konto_Anlegen(kaeufer, f.reich ? 1e9 : monat * 2 + 1e6, 0));
        std::vector<i32> plaetze(static_cast<size_t>(Team_Anzahl), 0);
        plaetze[static_cast<size_t>(kaeufer)] = 2;
        plaetze[static_cast<size_t>(zwei)] = f.plaetze_zwei;
        const f64 konto_eins = Bank_Get_Kontostand(eins, 0, -1), konto_zwei = Bank_Get_Kontostand(zwei, 0, -1);
        Leben_Transfer(kaeufer, f.offen, nullptr, &plaetze);
        EXPECT_EQ(Spieler_Get_Team(star_eins) == kaeufer, f.kommt == 1) << f.name;
        EXPECT_EQ(Spieler_Get_Team(star_zwei) == kaeufer, f.kommt == 2) << f.name;
        if (f.kommt > 0) {
            const int verkaeufer = f.kommt == 1 ? eins : zwei;
            const int star = f.kommt == 1 ? star_eins : star_zwei;
            EXPECT_EQ(Spieler_Get_Team(teilzahlung), verkaeufer) << f.name << ": the weakest midfielder in part payment";
            EXPECT_EQ(Team_Kader_Anzahl(verkaeufer), MAX_SPIELER_PRO_TEAM) << f.name;
            const f64 preis = static_cast<f64>(Spieler_Berechne_Marktwert(star)) * LEBEN_WECHSEL_AUFSCHLAG / 100.0 -
                              Spieler_Berechne_Marktwert(teilzahlung);
            const f64 erhalten = Bank_Get_Kontostand(verkaeufer, 0, -1) - (f.kommt == 1 ? konto_eins : konto_zwei);
            EXPECT_NEAR(erhalten, preis, 1.0 + preis * 1e-6) << f.name;
            EXPECT_GT(Bank_Get_Kontostand(kaeufer, 0, -1), 0.0) << f.name;
        }
        // The stars leave the world's top, so the next case's are its best.
        Spieler_Daten[star_eins].staerke_fein = Spieler_Daten[star_zwei].staerke_fein = 3000;
    }
}

}  // namespace
