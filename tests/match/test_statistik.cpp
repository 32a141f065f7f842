// 5,000 unseen matches between the clubs of one league of the shipped world
// fall in the bands of real top divisions. The seed is fixed, so the figures
// are exact; they are printed for the record.
#include <cstdio>
#include <set>

#include "match_test.h"

namespace {

using Statistik = MatchTest;

constexpr int SPIELE = 5000;

TEST_F(Statistik, FiveThousandMatchesOfOneLeagueLookLikeATopDivision) {
    Partie_Figuren f;
    Partie_Optionen o;
    o.elfmeterschiessen = true;  // a drawn match is decided from the spot: the shoot-out figure
    int falsche_ereignisse = 0, ohne_schuetze = 0, vom_platz_dabei = 0;
    for (int k = 0; k < SPIELE; k++) {
        u32 h, g;
        Liga_Paarung(liga, k, &h, &g);
        u32 spiel = static_cast<u32>(k + 1);
        Spielfeld_Daten* sf = neu(spiel, h, g, (k * 1237 + 17) % 6000);
        ASSERT_NE(sf, nullptr);
        Partie_Ergebnis e = Partie_Spielen(spiel, o);
        ASSERT_TRUE(e.ok);
        const auto& ev = Partie_Ereignisse(spiel);
        f.aufnehmen(sf, ev, e);
        // The events agree with the score; a sent-off player takes no further part.
        int tore[2] = {0, 0};
        std::set<i32> weg;
        for (const auto& x : ev) {
            if (x.flags & SFE_ELFMETERSCHIESSEN) break;
            if (weg.count(x.spieler)) vom_platz_dabei++;
            if (x.flags & SFE_TOR) {
                tore[(x.flags & SFE_TEAM_A) ? 0 : 1]++;
                if (x.spieler < 0 || x.minute < 1) ohne_schuetze++;
            }
            if (x.flags & (SFE_ROT | SFE_GELBROT)) weg.insert(x.spieler);
        }
        if (tore[0] != e.tore[0] || tore[1] != e.tore[1]) falsche_ereignisse++;
        Spielfeld_Loeschen(7);
        Partie_Spiele_Leeren();
    }
    std::printf("%s", f.text().c_str());
    EXPECT_EQ(falsche_ereignisse, 0);
    EXPECT_EQ(ohne_schuetze, 0);
    EXPECT_EQ(vom_platz_dabei, 0);
    double n = f.spiele;
    double tore = f.tore / n;
    EXPECT_GE(tore, 2.6);
    EXPECT_LE(tore, 3.2);
    EXPECT_GE(100 * f.heimsiege / n, 43);
    EXPECT_LE(100 * f.heimsiege / n, 50);
    EXPECT_GE(100 * f.remis / n, 22);
    EXPECT_LE(100 * f.remis / n, 30);
    EXPECT_GE(100 * f.auswaertssiege / n, 24);
    EXPECT_LE(100 * f.auswaertssiege / n, 33);
    EXPECT_GE(100 * f.null_null / n, 5);
    EXPECT_LE(100 * f.null_null / n, 11);
    EXPECT_GE((f.gelb + f.gelbrot) / n, 2.5);
    EXPECT_LE((f.gelb + f.gelbrot) / n, 4.5);
    EXPECT_LE((f.gelbrot + f.rot) / n, 0.3);
    ASSERT_GT(f.elfer, 100);
    EXPECT_GE(100.0 * f.elfer_tore / f.elfer, 70);
    EXPECT_LE(100.0 * f.elfer_tore / f.elfer, 86);
    ASSERT_GT(f.schiessen_kicks, 1000);
    EXPECT_GE(100.0 * f.schiessen_tore / f.schiessen_kicks, 68);
    EXPECT_LE(100.0 * f.schiessen_tore / f.schiessen_kicks, 80);
    EXPECT_LE(f.meiste_tore, 10);  // the league's giants meet its smallest clubs
    EXPECT_GT(f.eigentore, 0);
    // The stronger side wins more often the larger its margin, yet upsets happen.
    double vorher = -1;
    int stufen = 0;
    for (int i = 0; i < 6; i++) {
        if (f.stufe_spiele[i] < 60) continue;
        double quote = 100.0 * f.stufe_siege[i] / f.stufe_spiele[i];
        EXPECT_GE(quote, vorher - 10) << "margin bucket " << i;  // small buckets are noisy
        EXPECT_GT(f.stufe_niederlagen[i], 0) << "margin bucket " << i;
        vorher = quote;
        stufen++;
    }
    EXPECT_GE(stufen, 3);
}

}  // namespace
