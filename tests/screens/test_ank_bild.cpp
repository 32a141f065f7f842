// The pre-match picture: both elevens placed by their formation cells (the
// away keeper in the far goal, two players of one cell apart), crests,
// names and formations at the top, the labels' slide to rest, the shirt
// numbers, a club without a kit or crest, and the announcement's kind-1
// page that shows the picture before the manager's match.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/random.h"
#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/ank_seiten.h"
#include "kit.h"
#include "match/match_test.h"
#include "screens/match/ank_bild.h"
#include "screens/teile/namen.h"
#include "season/ankuendigung.h"
#include "world/aufstellung.h"
#include "world/spieler.h"
#include "world/trikot.h"
#include "world/welt.h"

namespace {

class AnkBild : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        heim = Team_Aktiv;
        for (u32 t : Liga_Vereine(groesste_erste_liga()))
            if (static_cast<i32>(t) != heim) gast = static_cast<i32>(t);
        ASSERT_GE(gast, 0);
    }
    void TearDown() override {
        bild.reset();
        Ank_Bild_Free();
        kit::Beenden();
    }
    // Every blit of a figure picture since the trace was emptied.
    std::vector<Zeichenspur_Eintrag> figur_blits() {
        std::vector<Zeichenspur_Eintrag> r;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_BLIT && e.ziel == bild.get() && e.grafik >= GRAFIK_VORSPIEL_TRIKOT &&
                e.grafik < GRAFIK_VORSPIEL_TRIKOT + GRAFIK_VORSPIEL_TRIKOT_ANZAHL &&
                (e.grafik - GRAFIK_VORSPIEL_TRIKOT) % TRIKOT_BILD_BLOCK >= 1 &&
                (e.grafik - GRAFIK_VORSPIEL_TRIKOT) % TRIKOT_BILD_BLOCK <= 6)
                r.push_back(e);
        return r;
    }
    i32 heim = -1, gast = -1;
    Rastport_Bild bild;
};

TEST_F(AnkBild, TwentyTwoFiguresStandInTheirCellsWithTheAwayKeeperInTheFarGoal) {
    kit::Spur_Leeren();
    const u32 cursor = Rnd_Get_Index();
    bild.reset(Ank_Bild_Init(heim, gast));
    ASSERT_NE(bild, nullptr);
    EXPECT_EQ(Rnd_Get_Index(), cursor);  // decoration never moves the shared random table
    EXPECT_EQ(figur_blits().size(), 22u);
    const std::vector<Ank_Bild_Figur>& f = Ank_Bild_Figuren_Gezeichnet();
    ASSERT_EQ(f.size(), 22u);
    int torwart_gast = 0;
    for (const Ank_Bild_Figur& x : f) {
        if (x.seite == 1 && x.reihe == 11) {
            ++torwart_gast;
            EXPECT_EQ(x.x, 387);
            EXPECT_EQ(x.y, 206);
        }
        EXPECT_GT(x.nummer, 0);
    }
    EXPECT_EQ(torwart_gast, 1);
    // Each eleven in its own half: every home figure stands no farther than
    // the row at the centre line (y 292, its feet short of the line), every
    // away figure beyond it, and the lines of one side stand in rows of their own.
    i32 heim_oben = 1000, gast_unten = 0;
    std::set<i32> reihen[2];
    for (const Ank_Bild_Figur& x : f) {
        if (x.seite == 0) heim_oben = std::min(heim_oben, x.y);
        else gast_unten = std::max(gast_unten, x.y);
        reihen[x.seite].insert(x.reihe);
    }
    EXPECT_GE(heim_oben, 292);
    EXPECT_LT(gast_unten, 292);
    for (i32 r : reihen[0]) EXPECT_EQ(reihen[1].count(r), 0u) << "row " << r << " holds both sides";
    EXPECT_GE(reihen[0].size(), 4u);  // keeper, defence, midfield, attack
    EXPECT_GE(reihen[1].size(), 4u);
    // Drawn from the far rows to the near ones.
    for (size_t i = 1; i < f.size(); ++i) EXPECT_GE(f[i - 1].reihe, f[i].reihe) << i;
    // Crests, names and formations at the top.
    bool wappen = false;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_BLIT && e.ziel == bild.get() && e.x == 55 && e.y == 19 && e.breite == 66 && e.hoehe == 66) wappen = true;
    EXPECT_TRUE(wappen);
    const std::string formation = Ank_Bild_Formation(heim);
    const Zeichenspur_Eintrag* t = kit::Text_Auf_Zeile(formation.c_str(), 46);
    ASSERT_NE(t, nullptr) << formation;
    EXPECT_TRUE(kit::Text_Auf_Zeile(Team_String(721, heim, nullptr, 0), 32));
    EXPECT_TRUE(kit::Text_Auf_Zeile(Team_String(721, gast, nullptr, 0), 77));
    // "4 - 4 - 2": defence, midfield, attack, eleven with the keeper.
    int a = 0, b = 0, c = 0;
    ASSERT_EQ(std::sscanf(formation.c_str(), "%d - %d - %d", &a, &b, &c), 3);
    EXPECT_EQ(a + b + c, 10);
}

// Rows by line: the players of one line of the formation (defence,
// midfield, attack) stand in one row, each line in a row of its own, and a
// line stands far enough behind the one before it that its shirts show
// over the heads in front (no midfielder hidden behind a defender).
TEST_F(AnkBild, EachLineStandsInARowOfItsOwnBehindTheOneInFront) {
    bild.reset(Ank_Bild_Init(heim, gast));
    ASSERT_NE(bild, nullptr);
    constexpr i32 ABSTAND_MIN = 27;  // pixels between two lines' rows at the centre lane
    std::map<i32, std::set<i32>> reihen[2];  // line -> rows, per side
    for (const Ank_Bild_Figur& f : Ank_Bild_Figuren_Gezeichnet()) {
        const i32 linie = Aufstellung_Linie(std::clamp(Spieler_Wert(83, f.spieler, 0, OP_LESEN), 0, 10));
        if (linie > 0) reihen[f.seite][linie].insert(f.reihe);
    }
    for (int seite = 0; seite < 2; ++seite) {
        ASSERT_GE(reihen[seite].size(), 2u) << seite;
        i32 y_vorher = seite == 0 ? 1000 : -1;
        for (const auto& [linie, r] : reihen[seite]) {
            ASSERT_EQ(r.size(), 1u) << "side " << seite << " line " << linie;
            i32 x = 0, y = 0;
            Ank_Bild_Platz(*r.begin(), 3, &x, &y);
            if (seite == 0) EXPECT_LE(y, y_vorher - ABSTAND_MIN) << "line " << linie;
            else EXPECT_GE(y, y_vorher + ABSTAND_MIN) << "line " << linie;
            y_vorher = y;
        }
    }
}

TEST_F(AnkBild, TwoPlayersOfOneCellStandEightPixelsApart) {
    i32 liste[20];
    Check_Und_Set_Aa(heim);
    const int n = Teamspieler_Ins_Array(heim, liste, 20, 16);
    ASSERT_GE(n, 11);
    // Two field players of the home side into one cell.
    i32 p = -1, q = -1;
    for (int i = 0; i < n && q < 0; ++i)
        if (Spieler_Wert(83, liste[i], 0, OP_LESEN) > 0) {
            if (p < 0) p = liste[i];
            else q = liste[i];
        }
    ASSERT_GE(q, 0);
    Spieler_Wert(82, q, Spieler_Wert(82, p, 0, OP_LESEN), OP_SCHREIBEN);
    Spieler_Wert(83, q, Spieler_Wert(83, p, 0, OP_LESEN), OP_SCHREIBEN);
    bild.reset(Ank_Bild_Init(heim, gast));
    ASSERT_NE(bild, nullptr);
    const Ank_Bild_Figur *fp = nullptr, *fq = nullptr;
    for (const Ank_Bild_Figur& f : Ank_Bild_Figuren_Gezeichnet()) {
        if (f.spieler == p) fp = &f;
        if (f.spieler == q) fq = &f;
    }
    ASSERT_TRUE(fp && fq);
    if (fp->reihe != fq->reihe || fp->spalte != fq->spalte) GTEST_SKIP() << "the line-up check moved one of them";
    const Ank_Bild_Figur* erster = fp < fq ? fp : fq;
    const Ank_Bild_Figur* zweiter = fp < fq ? fq : fp;
    EXPECT_EQ(zweiter->x, erster->x + 8);
    EXPECT_EQ(zweiter->y, erster->y + 8);
}

TEST_F(AnkBild, AfterThreeHundredFramesEveryLabelRestsOnItsPlace) {
    bild.reset(Ank_Bild_Init(heim, gast));
    ASSERT_NE(bild, nullptr);
    for (int i = 0; i < 300; ++i) Ank_Bild_Zeichnen(bild.get());
    for (int s = 0; s < 2; ++s) {
        const Ank_Bild_Label* l = Ank_Bild_Labels_Von(s);
        int n = 0;
        for (int k = 0; k < ANK_BILD_LABELS; ++k) {
            if (!l[k].bild) continue;
            ++n;
            EXPECT_EQ(l[k].x, s == 0 ? 23 : 623) << s << "/" << k;
            EXPECT_EQ(l[k].y, 147 + 17 * k);
            EXPECT_EQ(l[k].zustand, 0);
            // Sorted by the line each stands in, the keeper first.
            if (k > 0) {
                EXPECT_GE(l[k].linie, l[k - 1].linie);
            }
        }
        EXPECT_EQ(n, 11) << s;  // only the starters: the rest stay empty
    }
    Blt_Blit(bild.get(), 0, 0, -1, -1, Screen_Rastport, 0, 0, Blt_Opt_Standard);
    kit::Png("vor_spiel_bild");
}

// The slide from both edges, for every start speed a column can have.
TEST(AnkBildLabel, TheSlideOvershootsAndComesToRestOnItsTarget) {
    for (int seite = 0; seite < 2; ++seite)
        for (int k = 0; k < ANK_BILD_LABELS; ++k) {
            Ank_Bild_Label l;
            l.x = seite == 0 ? -200 : 890;
            l.ziel_x = seite == 0 ? 23 : 623;
            l.tempo = k;
            l.zustand = -1;
            bool ueber = false;
            for (int i = 0; i < 300; ++i) {
                Ank_Bild_Label_Schritt(&l);
                ueber = ueber || (seite == 0 ? l.x > l.ziel_x : l.x < l.ziel_x);
            }
            EXPECT_EQ(l.x, l.ziel_x) << seite << "/" << k;
            EXPECT_EQ(l.tempo, 0);
            EXPECT_EQ(l.zustand, 0);
            if (seite == 0) {
                EXPECT_TRUE(ueber) << k;
            }
        }
}

TEST(AnkBildLabel, PlacesOfTheTable) {
    const struct {
        i32 reihe, spalte, x, y;
    } faelle[] = {{0, 0, 151, 400}, {0, 3, 362, 415}, {10, 6, 492, 213}, {11, 3, 387, 206}, {11, 0, 270, 213},
                  {-3, 9, 589, 400}};
    for (const auto& f : faelle) {
        i32 x = 0, y = 0;
        Ank_Bild_Platz(f.reihe, f.spalte, &x, &y);
        EXPECT_EQ(x, f.x);
        EXPECT_EQ(y, f.y);
    }
}

TEST_F(AnkBild, AClubWithoutKitOrCrestStillDrawsInTheNeutralOnes) {
    // A club number the world does not hold has neither kit nor crest nor
    // players; the other side still stands on the pitch.
    kit::Spur_Leeren();
    bild.reset(Ank_Bild_Init(heim, Team_Anzahl + 5));
    ASSERT_NE(bild, nullptr);
    EXPECT_EQ(Ank_Bild_Figuren_Gezeichnet().size(), 11u);
    bool wappen = false;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        if (e.art == SPUR_BLIT && e.ziel == bild.get() && e.x == 682 && e.y == 29) wappen = true;
    EXPECT_TRUE(wappen);
    for (int i = 0; i < 5; ++i) Ank_Bild_Zeichnen(bild.get());
    // A real club whose kit entries are missing stands in the neutral grey.
    for (u8& t : Team_Daten[heim].trikot) t = 255;
    bild.reset(Ank_Bild_Init(heim, gast));
    ASSERT_NE(bild, nullptr);
    int neutral = 0;
    for (const Ank_Bild_Figur& f : Ank_Bild_Figuren_Gezeichnet()) neutral += f.seite == 0 && f.figur_grafik == 0;
    EXPECT_EQ(neutral, 11);
    EXPECT_EQ(Ank_Bild_Figuren_Gezeichnet().size(), 22u);
    Ank_Bild_Free();
    Ank_Bild_Zeichnen(bild.get());  // nothing left to draw: nothing happens
    Ank_Bild_Zeichnen(nullptr);
}

// Every shirt shows its player's own number (numbers above 50 too: a
// decoration number would be a shirt of no squad); number 0 has no strip.
TEST_F(AnkBild, ShirtNumbersAreThePlayersOwnAndNumberZeroHasNoStrip) {
    i32 liste[20];
    Check_Und_Set_Aa(heim);
    const int n = Teamspieler_Ins_Array(heim, liste, 20, 16);
    ASSERT_GE(n, 3);
    Spieler_Wert(84, liste[0], 0, OP_SCHREIBEN);
    Spieler_Wert(84, liste[1], 77, OP_SCHREIBEN);
    const u32 cursor = Rnd_Get_Index();
    bild.reset(Ank_Bild_Init(heim, gast));
    EXPECT_EQ(Rnd_Get_Index(), cursor);
    for (const Ank_Bild_Figur& f : Ank_Bild_Figuren_Gezeichnet()) {
        if (f.spieler == liste[0]) {
            EXPECT_EQ(f.nummer, 0);
        }
        if (f.spieler == liste[1]) {
            EXPECT_EQ(f.nummer, 77);
        }
    }
}

// A label's name is never cut in the middle while a shorter form fits:
// the full name, else the initial and the surname, else the surname cut.
TEST_F(AnkBild, LabelNamesKeepTheWholeSurname) {
    struct Fall {
        const char* vorname;
        const char* nachname;
        const char* gezeigt;  // null: the surname cut, within the label
    } faelle[] = {
        {"Jan", "Hartler", "Jan Hartler"},
        {"Christoph", "Gersbrecht", "Christoph Gersbrecht"},
        {"Maximilian", "Quaxendorfer", "M. Quaxendorfer"},
        {"Maximilian", "Oberkirchensteinbacher", nullptr},
    };
    i32 liste[20];
    Check_Und_Set_Aa(gast);
    ASSERT_GE(Teamspieler_Ins_Array(gast, liste, 20, 16), 3);
    for (size_t k = 0; k < std::size(faelle); ++k) {
        Spieler_Client_Egal& t = Spieler_Texte[liste[k]];
        std::snprintf(t.vorname, sizeof t.vorname, "%s", faelle[k].vorname);
        std::snprintf(t.nachname, sizeof t.nachname, "%s", faelle[k].nachname);
    }
    kit::Spur_Leeren();
    bild.reset(Ank_Bild_Init(heim, gast));
    ASSERT_NE(bild, nullptr);
    for (const Fall& f : faelle) {
        const Zeichenspur_Eintrag* e = nullptr;
        for (const Zeichenspur_Eintrag& x : Zeichenspur_Eintraege())
            if (x.art == SPUR_TEXT && x.sichtbar.find(std::string(f.nachname).substr(0, 5)) != std::string::npos) e = &x;
        ASSERT_TRUE(e) << f.nachname;
        const std::string name = e->sichtbar.substr(e->sichtbar.find_first_not_of('\t'));
        if (f.gezeigt) EXPECT_EQ(name, f.gezeigt);
        else EXPECT_EQ(std::string(f.nachname).rfind(name, 0), 0u) << name;
        // The name starts 65 px into its label and ends inside the picture.
        EXPECT_LE(e->x + e->breite, 65 + ANK_BILD_NAME_B) << name << " at " << e->x;
    }
}

}  // namespace

namespace {

// What the home column of labels reads: the starters per position text
// (keeper, defence, midfield, attack) as drawn into the labels, in the
// order the column lists them.
struct Spalte {
    std::array<int, 4> je_linie{};
    std::vector<int> folge;
};
Spalte heim_spalte() {
    Spalte s;
    const Ank_Bild_Label* l = Ank_Bild_Labels_Von(0);
    for (i32 k = 0; k < ANK_BILD_LABELS; ++k) {
        if (l[k].spieler < 0 || !l[k].bild) continue;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_TEXT && e.ziel == l[k].bild.get())
                for (int c = 0; c < 4; ++c)
                    if (e.sichtbar.find_first_not_of('\t') != std::string::npos &&
                        e.sichtbar.substr(e.sichtbar.find_first_not_of('\t')) == Positions_Text(c)) {
                        ++s.je_linie[static_cast<size_t>(c)];
                        s.folge.push_back(c);
                    }
    }
    return s;
}

// The formation line at the top and the column of labels below it tell the
// same eleven: for every built-in formation, with a forward moved into
// midfield, a midfielder dropped into defence, and after a forward's place
// went to a bought midfielder, the line's three numbers are the column's
// defenders, midfielders and forwards, listed keeper first, forwards last.
TEST_F(AnkBild, FormationLineAndLabelColumnTellTheSameEleven) {
    enum class Schritt { KEINER, STUERMER_INS_MITTELFELD, MITTELFELD_IN_DIE_ABWEHR, GEKAUFT };
    const Schritt schritte[] = {Schritt::KEINER, Schritt::STUERMER_INS_MITTELFELD, Schritt::MITTELFELD_IN_DIE_ABWEHR,
                                Schritt::GEKAUFT};
    auto starter = [&](int linie) {
        i32 s[MAX_SPIELER_PRO_TEAM];
        const int n = Teamspieler_Ins_Array(heim, s, MAX_SPIELER_PRO_TEAM, 16);
        for (int i = 0; i < n; ++i)
            if (Aufstellung_Linie(Spieler_Daten[s[i]].zeile) == linie) return s[i];
        return i32{-1};
    };
    auto markt_spieler = [](int klasse) {
        for (i32 i = 0; i < Team_Kader_Anzahl(Team_Transfermarkt); ++i) {
            const i32 p = Team_Kader(Team_Transfermarkt)[i];
            if (Spieler_Fix_Daten[p].position == klasse && (Spieler_Daten[p].status & SP_STATUS_NICHT_SPIELBEREIT) == 0) return p;
        }
        return i32{-1};
    };
    for (int form = 0; form < FORMATIONEN_PRO_TEAM; ++form)
        for (Schritt schritt : schritte) {
            SCOPED_TRACE(::testing::Message() << "formation " << form << ", step " << static_cast<int>(schritt));
            Team_Own_Daten[heim].formation = static_cast<i8>(form | 0x80);
            Aufstellung_Automatisch(heim);
            Team_Aufstellung_Manuell(heim);
            if (schritt == Schritt::STUERMER_INS_MITTELFELD) {
                const i32 p = starter(3);
                ASSERT_GE(p, 0);
                Spieler_Daten[p].zeile = 5;
            } else if (schritt == Schritt::MITTELFELD_IN_DIE_ABWEHR) {
                const i32 p = starter(2);
                ASSERT_GE(p, 0);
                Spieler_Daten[p].zeile = 2;
            } else if (schritt == Schritt::GEKAUFT) {
                const i32 geht = starter(3), kommt = markt_spieler(2);
                ASSERT_GE(geht, 0);
                ASSERT_GE(kommt, 0);
                ASSERT_EQ(Spieler_Tauschen(heim, Team_Transfermarkt, geht, kommt, 1), 1);
                ASSERT_EQ(Aufstellung_Linie(Spieler_Daten[kommt].zeile), 3) << "the bought midfielder plays up front";
            }
            kit::Spur_Leeren();
            bild.reset(Ank_Bild_Init(heim, gast));
            ASSERT_NE(bild, nullptr);
            int abwehr = 0, mitte = 0, angriff = 0;
            const std::string formation = Ank_Bild_Formation(heim);
            ASSERT_EQ(std::sscanf(formation.c_str(), "%d - %d - %d", &abwehr, &mitte, &angriff), 3);
            EXPECT_TRUE(kit::Text_Auf_Zeile(formation.c_str(), 46)) << formation;
            const Spalte s = heim_spalte();
            EXPECT_EQ(s.je_linie[0], 1) << formation;
            EXPECT_EQ(s.je_linie[1], abwehr) << formation;
            EXPECT_EQ(s.je_linie[2], mitte) << formation;
            EXPECT_EQ(s.je_linie[3], angriff) << formation;
            EXPECT_TRUE(std::is_sorted(s.folge.begin(), s.folge.end())) << formation;
            bild.reset();
            Ank_Bild_Free();
        }
}

}  // namespace
