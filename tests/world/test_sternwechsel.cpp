// Stars who move: a computer club with an open star place signs a star of
// another club that cannot hold him (more stars than star places, or fewer
// places than the buyer), a club that needs a star signs one from a club
// with a weaker eleven, as far as its money reaches, and the seller takes
// the player the star displaces in part payment.
#include <gtest/gtest.h>

#include <algorithm>
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

// The players' records, put back after a test that changes them.
struct Spielerstand {
    std::vector<Spieler_Struktur> s;
    Spielerstand() : s(Spieler_Daten, Spieler_Daten + Spieler_Anzahl) {}
    ~Spielerstand() {
        std::copy(s.begin(), s.end(), Spieler_Daten);
        Team_Kader_Neu_Aufbauen();
    }
};

void setzen(int s, i32 fein) {
    Spieler_Daten[s].staerke_fein = static_cast<u16>(fein);
    Spieler_Daten[s].staerke = static_cast<u8>(fein / 1000);
    Spieler_Daten[s].max_staerke = static_cast<u8>(fein / 1000);
    Spieler_Daten[s].marktwert = Spieler_Berechne_Marktwert(s);
}

// Every player of the squad at `fein`, grown to his potential.
void kader_setzen(int team, i32 fein) {
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) setzen(Team_Kader(team)[i], fein);
}

// A midfielder of the club made a star of `fein` (above any shipped player).
int star_machen(int team, i32 fein) {
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i) {
        const int s = Team_Kader(team)[i];
        if (Spieler_Fix_Daten[s].position != 2) continue;
        setzen(s, fein);
        return s;
    }
    return -1;
}

// Every club an account of a million.
void konten_anlegen() {
    for (int c = 0; c < Team_Anzahl; ++c)
        if (Team_Ist_Verein(c)) {
            ASSERT_TRUE(Bank_Konto_Anlegen(c, 1e6, 0));
        }
}

// n computer clubs without a manager from club ab on (fewer when the world
// runs out of them).
std::vector<int> eigene_clubs(int ab, int n) {
    std::vector<int> clubs;
    for (int c = ab; static_cast<int>(clubs.size()) < n && c < Team_Anzahl; ++c)
        if (Team_Ist_Verein(c) && !Team_Hat_Manager(c)) clubs.push_back(c);
    return clubs;
}

// What the seller receives for a star: his value with the transfer
// surcharge, less the value of the player given in part payment.
f64 preis_mit_teilzahlung(int star, int teilzahlung) {
    return static_cast<f64>(Spieler_Berechne_Marktwert(star)) * LEBEN_WECHSEL_AUFSCHLAG / 100.0 -
           Spieler_Berechne_Marktwert(teilzahlung);
}

void mittelfeld_setzen(int team, i32 fein) {
    for (int i = 0; i < Team_Kader_Anzahl(team); ++i)
        if (Spieler_Fix_Daten[Team_Kader(team)[i]].position == 2) setzen(Team_Kader(team)[i], fein);
}

TEST_F(Sternwechsel, AStarMovesToAClubWithAnOpenPlaceFromOneThatCannotHoldHim) {
    const Spielerstand vorher;
    konten_anlegen();
    struct Fall {
        const char* name;
        i32 offen;          // the buyer's open star places
        i32 plaetze_zwei;   // the second club's star places (the buyer has 2, the first club none)
        bool reich;         // the buyer's money reaches any star
        i32 mittelfeld;     // the buyer's midfielders (the others, and the sellers', at 5,000)
        int kommt;          // 1: the first club's star comes, 2: the second's, 0: none
    } faelle[] = {
        {"a place open: the star of a club without places comes, not a bigger club's", 1, 4, true, 5000, 1},
        {"a club with fewer places lets its better star go", 1, 1, true, 5000, 2},
        {"no place open, and a midfield that needs no star: none comes", 0, 4, true, 10000, 0},
        {"the money does not reach a star", 1, 1, false, 5000, 0},
    };
    int k = 0;
    for (const Fall& f : faelle) {
        // Three computer clubs of their own for each case.
        const std::vector<int> clubs = eigene_clubs(60 + 3 * k++, 3);
        ASSERT_EQ(clubs.size(), 3u);
        const int kaeufer = clubs[0], eins = clubs[1], zwei = clubs[2];
        // Elevens of one standing: no club lets a star go for a bigger one.
        for (int c : clubs) kader_setzen(c, 5000);
        mittelfeld_setzen(kaeufer, f.mittelfeld);
        const int star_eins = star_machen(eins, 11940), star_zwei = star_machen(zwei, 11960);
        ASSERT_GE(star_eins, 0);
        ASSERT_GE(star_zwei, 0);
        const int teilzahlung = Leben_Verdraengt(kaeufer, 2);
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
            EXPECT_EQ(Spieler_Get_Team(teilzahlung), verkaeufer) << f.name << ": the midfielder he displaces in part payment";
            EXPECT_EQ(Team_Kader_Anzahl(verkaeufer), MAX_SPIELER_PRO_TEAM) << f.name;
            const f64 preis = preis_mit_teilzahlung(star, teilzahlung);
            const f64 erhalten = Bank_Get_Kontostand(verkaeufer, 0, -1) - (f.kommt == 1 ? konto_eins : konto_zwei);
            EXPECT_NEAR(erhalten, preis, 1.0 + preis * 1e-6) << f.name;
            EXPECT_GT(Bank_Get_Kontostand(kaeufer, 0, -1), 0.0) << f.name;
        }
        // The stars leave the world's top, so the next case's are its best.
        Spieler_Daten[star_eins].staerke_fein = Spieler_Daten[star_zwei].staerke_fein = 3000;
    }
}

TEST_F(Sternwechsel, AStarMovesToABiggerClubThatNeedsHimAndCanPayForHim) {
    const Spielerstand vorher;
    konten_anlegen();
    struct Fall {
        const char* name;
        i32 kaeufer, verkaeufer;  // every player of the buyer's and the seller's squads
        i32 star;                 // the seller's star (a midfielder)
        bool reich;               // the buyer holds far more than any star costs
        bool kommt;
    } faelle[] = {
        {"a bigger club with the money signs the star it needs", 6000, 3500, 9500, true, true},
        {"without the money it does not", 6000, 3500, 9500, false, false},
        {"a club of about the same standing keeps its star", 6000, 5500, 9500, true, false},
        {"a club whose player of his position is near him does not need him", 8000, 3500, 9500, true, false},
        {"a player below a star's class is not courted", 5500, 3000, 8900, true, false},
    };
    int k = 0;
    for (const Fall& f : faelle) {
        const std::vector<int> clubs = eigene_clubs(80 + 2 * k++, 2);
        ASSERT_EQ(clubs.size(), 2u);
        const int kaeufer = clubs[0], verkaeufer = clubs[1];
        kader_setzen(kaeufer, f.kaeufer);
        kader_setzen(verkaeufer, f.verkaeufer);
        const int star = star_machen(verkaeufer, f.star);
        ASSERT_GE(star, 0);
        const int teilzahlung = Leben_Verdraengt(kaeufer, 2);
        ASSERT_GE(teilzahlung, 0);
        ASSERT_TRUE(Bank_Konto_Anlegen(kaeufer, f.reich ? 1e9 : Leben_Gehaltssumme(kaeufer) * 2, 0));
        // The two clubs share a division level no other club plays at.
        std::vector<i32> stufen(static_cast<size_t>(Team_Anzahl), 100);
        stufen[static_cast<size_t>(kaeufer)] = stufen[static_cast<size_t>(verkaeufer)] = 1;
        const f64 konto = Bank_Get_Kontostand(verkaeufer, 0, -1);
        Leben_Transfer(kaeufer, -1, &stufen);
        EXPECT_EQ(Spieler_Get_Team(star) == kaeufer, f.kommt) << f.name;
        if (f.kommt) {
            EXPECT_EQ(Spieler_Get_Team(teilzahlung), verkaeufer) << f.name << ": the displaced midfielder in part payment";
            const f64 preis = preis_mit_teilzahlung(star, teilzahlung);
            EXPECT_NEAR(Bank_Get_Kontostand(verkaeufer, 0, -1) - konto, preis, 1.0 + preis * 1e-6) << f.name;
        }
        EXPECT_GT(Bank_Get_Kontostand(kaeufer, 0, -1), 0.0) << f.name << ": never spends into the red";
        EXPECT_EQ(Team_Kader_Anzahl(verkaeufer), MAX_SPIELER_PRO_TEAM) << f.name;
    }
}

// The player a star displaces is the weakest of his position in the
// buyer's eleven; a position the eleven lacks gives its weakest.
TEST_F(Sternwechsel, TheDisplacedPlayerIsTheWeakestOfHisPositionInTheEleven) {
    const Spielerstand vorher;
    const int t = 90;
    // Outfield players 3,000 and up, each stronger than the one before;
    // goalkeepers 500 and up (none of them in the eleven of eleven best).
    int feld = 0, tor = 0;
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
        const int s = Team_Kader(t)[i];
        setzen(s, Spieler_Fix_Daten[s].position == 0 ? 500 + 100 * tor++ : 3000 + 100 * feld++);
    }
    ASSERT_GE(tor, 1);
    ASSERT_GE(feld, 11);
    std::vector<int> kader(Team_Kader(t), Team_Kader(t) + Team_Kader_Anzahl(t));
    std::sort(kader.begin(), kader.end(),
              [](int a, int b) { return Spieler_Daten[a].staerke_fein > Spieler_Daten[b].staerke_fein; });
    const std::vector<int> elf(kader.begin(), kader.begin() + 11);
    for (int position = 0; position < 4; ++position) {
        int erwartet = -1;  // the weakest of the position among the eleven, else in the squad
        for (const auto& liste : {elf, kader}) {
            for (int s : liste)
                if (Spieler_Fix_Daten[s].position == position &&
                    (erwartet < 0 || Spieler_Daten[s].staerke_fein < Spieler_Daten[erwartet].staerke_fein))
                    erwartet = s;
            if (erwartet >= 0) break;
        }
        EXPECT_EQ(Leben_Verdraengt(t, position), erwartet) << "position " << position;
    }
    EXPECT_EQ(Spieler_Fix_Daten[Leben_Verdraengt(t, 0)].position, 0) << "a goalkeeper, though none is in the eleven";
    EXPECT_EQ(Leben_Verdraengt(t, 7), -1) << "no player of the position";
    EXPECT_EQ(Leben_Verdraengt(-1, 2), -1);
}

}  // namespace
