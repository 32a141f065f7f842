// The animation table and the sets the figures play: the table holds every
// set the view draws, and each figure's entry follows what it does.
#include <cmath>
#include <cstring>

#include "match/anim.h"
#include "match_test.h"

namespace {

using Anim = MatchTest;

TEST(AnimTabelle, HoldsTheSetsByNumberWithTheirArchiveEntriesAndTiming) {
    int ladbar = 0;
    for (int i = 0; i < ANIM_SETS; i++) {
        const Anim_Def& d = Anim_Tabelle[i];
        EXPECT_EQ(d.nummer, static_cast<u32>(i));
        EXPECT_GE(d.dauer, 1) << "set " << i;
        EXPECT_TRUE(d.verbunden == -1 || (d.verbunden >= 0 && d.verbunden < ANIM_SETS)) << "set " << i;
        EXPECT_TRUE(d.richtungen == 1 || d.richtungen == 16) << "set " << i;
        EXPECT_EQ(d.ladbar != 0, d.eintrag >= 0) << "set " << i;
        if (d.ladbar) ladbar++;
    }
    EXPECT_EQ(ladbar, 197);
    EXPECT_STREQ(Anim_Tabelle[0].name, "STEHEN 1");
    EXPECT_STREQ(Anim_Tabelle[9].name, "SPRINT");
    EXPECT_STREQ(Anim_Tabelle[144].name, "Überspringen");
    EXPECT_STREQ(Anim_Tabelle[235].name, "Torwart winken Ball Link Anim");
    EXPECT_EQ(Anim_Tabelle[74].verbunden, 135);  // the throw-in holds the ball
    EXPECT_EQ(Anim_Tabelle[90].verbunden, 221);  // the yellow card
    EXPECT_EQ(Anim_Tabelle[12].richtungen, 1u);
    // Standing and running loop and give way; a kick, a fall or a card plays to its end.
    for (u16 s : {A_STEHEN, A_GEHEN, A_LAUFEN, A_SPRINT, A_DRIBBLING, A_TW_STEHEN, A_SCHIRI, A_LINIE}) {
        EXPECT_TRUE(Anim_Tabelle[s].schleife && Anim_Tabelle[s].unterbrechbar) << "set " << s;
        EXPECT_TRUE(Anim_Tabelle[s].ladbar) << "set " << s;
    }
    for (u16 s : {A_SCHUSS, A_PASSEN, A_GRAETSCHEN, A_FOUL_HINFALLEN, A_JUBEL, A_GELB, A_ROT, A_FAHNE, A_TW_FANGEN}) {
        EXPECT_FALSE(Anim_Tabelle[s].schleife || Anim_Tabelle[s].unterbrechbar) << "set " << s;
        EXPECT_TRUE(Anim_Tabelle[s].ladbar) << "set " << s;
    }
    EXPECT_LT(Anim_Tabelle[A_GEHEN].tempo, Anim_Tabelle[A_LAUFEN].tempo);
    EXPECT_LT(Anim_Tabelle[A_LAUFEN].tempo, Anim_Tabelle[A_SPRINT].tempo);
    EXPECT_EQ(Anim_Tabelle[A_STEHEN].tempo, 0);
}

TEST(AnimTabelle, TheBaseSetFollowsStepHurryBallAndKeeper) {
    EXPECT_EQ(Anim_Basis(0, false, false, false, false), A_STEHEN);
    EXPECT_EQ(Anim_Basis(0, false, false, true, false), A_MUEDE);
    EXPECT_EQ(Anim_Basis(0, true, true, false, true), A_TW_STEHEN_BALL);
    EXPECT_EQ(Anim_Basis(15, false, false, false, false), A_GEHEN);
    EXPECT_EQ(Anim_Basis(45, false, false, false, false), A_LAUFEN);
    EXPECT_EQ(Anim_Basis(60, true, false, false, false), A_SPRINT);
    EXPECT_EQ(Anim_Basis(40, true, true, false, false), A_DRIBBLING);
    EXPECT_EQ(Anim_Basis(15, false, false, false, true), A_TW_GEHEN);
    EXPECT_EQ(Anim_Basis(60, true, false, false, true), A_TW_SPRINT);
}

// Over a whole match: every figure plays a loadable set; one that stands shows
// no running set, one that runs no standing set unless an action still plays;
// the frame counter stays inside the set; cards show at the referee.
TEST_F(Anim, EachFigureShowsTheSetOfWhatItDoes) {
    Spielfeld_Daten* sf = neu(70, liga[2], liga[5], 4711, 1);  // shown: an unseen pitch keeps no animation entries
    ASSERT_NE(sf, nullptr);
    int falsch_ladbar = 0, steht_rennt = 0, rennt_steht = 0, bild_aus = 0, karten = 0, karte_gezeigt = 0, geprueft = 0;
    size_t ereignisse = 0;
    for (int h = 1; h <= 2; h++) {
        if (h == 2) {
            sf->minute = 45;
            sf->minuten_teil = 0;
            Spielfeld_Halbzeit_Start(70);
        }
        while (Partie_Schritt(sf, 45 * h)) {
            const auto& ev = Partie_Ereignisse(70);
            for (; ereignisse < ev.size(); ereignisse++)
                if (ev[ereignisse].flags & (SFE_GELB | SFE_GELBROT | SFE_ROT)) {
                    karten++;
                    u16 s = sf->objekt[SF_OBJ_SCHIRI].anim.set;
                    if (s == A_GELB || s == A_ROT) karte_gezeigt++;
                }
            if (sf->situation != SIT_SPIEL) continue;
            for (int i = 0; i < SF_OBJ_BALL; i++) {
                const auto& o = sf->objekt[i];
                if (!o.sichtbar || (i < SF_SPIELER && !(sf->spieler[i].status & SFS_AUF_DEM_PLATZ))) continue;
                const auto& a = o.anim;
                ASSERT_LT(a.set, ANIM_SETS);
                const Anim_Def& d = Anim_Tabelle[a.set];
                geprueft++;
                if (!d.ladbar) falsch_ladbar++;
                if (a.bild >= d.dauer || a.rest > d.dauer) bild_aus++;
                if (i >= SF_SPIELER) continue;
                f32 v = std::sqrt(o.vx * o.vx + o.vy * o.vy);
                if (v == 0 && d.tempo > 0 && d.unterbrechbar) steht_rennt++;
                if (v > 300 && d.tempo == 0 && d.unterbrechbar) rennt_steht++;
            }
        }
        i32 steht = 0;
        Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0);
    }
    EXPECT_GT(geprueft, 100000);
    EXPECT_EQ(falsch_ladbar, 0);
    EXPECT_EQ(bild_aus, 0);
    // A figure may take one tick to change from running to standing and back.
    EXPECT_LT(steht_rennt, geprueft / 100);
    EXPECT_LT(rennt_steht, geprueft / 100);
    EXPECT_EQ(karte_gezeigt, karten);
}

}  // namespace

namespace {

// A record from a save game or the network with an animation entry outside
// the table is refused.
TEST_F(Anim, ARecordWithAnUnknownSetOrAnOverlongSetIsRefused) {
    Spielfeld_Daten* sf = neu(71, liga[1], liga[3], 99);
    ASSERT_NE(sf, nullptr);
    ASSERT_TRUE(Spielfeld_Pruefen(sf));
    Spielfeld_Anim alt = sf->objekt[5].anim;
    sf->objekt[5].anim.set = ANIM_SETS;
    EXPECT_FALSE(Spielfeld_Pruefen(sf));
    sf->objekt[5].anim = alt;
    sf->objekt[5].anim.rest = 30000;
    EXPECT_FALSE(Spielfeld_Pruefen(sf));
    sf->objekt[5].anim = alt;
    EXPECT_TRUE(Spielfeld_Pruefen(sf));
}

}  // namespace
