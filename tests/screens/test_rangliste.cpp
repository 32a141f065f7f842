// The ranking screen: the page switch cycling through its nine pages (and
// remembered), the scroll bar only on list pages, a leader list of at most
// 30 in descending order with the own club's best player in the footer (or
// "---"), the held arrow stepping at most every 50 ms, and the ranking
// pages' own line in the page's order.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "wettbewerb_spielen.h"
#include "screens/club/rangliste_screen.h"
#include "screens/screens.h"
#include "season/rangliste.h"
#include "world/global.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

bool eigene_ohne = false;

// A statistic every fifth player has; with `eigene_ohne` none of the active club's.
i32 statistik(i32 art, i32, i32 team, i32 spieler) {
    if (eigene_ohne && team == Team_Aktiv) return 0;
    return spieler % 5 == 0 ? (spieler * 7 + art) % 13 + 1 : 0;
}

class Rangliste : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(2));
        alt = Welt_Hook;
        Welt_Hooks h = Welt_Hook;
        h.spieler_statistik = statistik;
        Welt_Set_Hooks(h);
        eigene_ohne = false;
        // The league system's clubs are those of the season begun.
        spieltag_spielen(Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true), 0);
    }
    void TearDown() override {
        Welt_Set_Hooks(alt);
        kit::Beenden();
    }
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(1, 3));
        ASSERT_TRUE(Screen_Offen(Screen_Id::RANGLISTE));
        kit::Frames(10);
    }
    void weiter() {
        kit::Klick(400, 517);
        kit::Frames(1);
    }
    bool versteckt(i16 n) { return Menue_Screen_Icon_Aus_Nummer(n)->status & MENUE_S_VERSTECKT; }
    Welt_Hooks alt;
};

TEST_F(Rangliste, SeitenUmlaufUndScrollbalken) {
    oeffnen();
    EXPECT_EQ(Rangliste_Screen_Seite(), 0);
    EXPECT_TRUE(versteckt(ICON_RL_SPUR)) << "page 0 has no scroll bar";
    kit::Png("rangliste_spiele");
    std::vector<i32> seiten;
    for (int k = 0; k < 9; ++k) {
        weiter();
        seiten.push_back(Rangliste_Screen_Seite());
        EXPECT_EQ(Menue_Icon_Zustand(ICON_RL_SCHALTER), static_cast<u32>(Rangliste_Screen_Seite()));
        if (Rangliste_Screen_Seite() == 0) {
            EXPECT_TRUE(versteckt(ICON_RL_SPUR));
        } else {
            EXPECT_EQ(versteckt(ICON_RL_SPUR), Rangliste_Screen_Stufen() <= 1) << Rangliste_Screen_Seite();
        }
        kit::Spur_Leeren();
        kit::Frames(1);
        kit::Png("rangliste_seite_" + std::to_string(Rangliste_Screen_Seite()));
    }
    EXPECT_EQ(seiten, (std::vector<i32>{1, 2, 3, 4, 5, 6, 7, 8, 0}));
    // The page is remembered for the manager: opened again, it comes back.
    weiter();
    weiter();
    weiter();
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(2, 3));  // another screen
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(1, 3));
    kit::Frames(2);
    EXPECT_EQ(Rangliste_Screen_Seite(), 3);
}

TEST_F(Rangliste, TorschuetzenlisteUndEigenerBester) {
    struct Fall {
        bool eigene_ohne;
        const char* fuss;
    } faelle[] = {{false, nullptr}, {true, "---"}};
    for (const Fall& f : faelle) {
        eigene_ohne = f.eigene_ohne;
        Rangliste_Leaderliste l;
        Rangliste_Spieler_Liste_Bauen(3, &l);
        ASSERT_EQ(l.anzahl, RL_LEADER_MAX) << "more than 30 players have a value; the list stops at 30";
        for (i32 k = 0; k + 1 < l.anzahl; ++k) EXPECT_GE(l.eintrag[k].wert, l.eintrag[k + 1].wert) << k;
        for (i32 k = 0; k < l.anzahl; ++k) EXPECT_NE(l.eintrag[k].wert, 0);
        const auto* erster = std::find_if(l.eintrag, l.eintrag + l.anzahl,
                                          [](const Rangliste_Leader& e) { return e.team == Team_Aktiv; });
        if (erster == l.eintrag + l.anzahl) {
            EXPECT_EQ(l.eigener.spieler, -1);
        } else {
            EXPECT_EQ(l.eigener.spieler, erster->spieler);
            EXPECT_EQ(l.eigener_platz, static_cast<i32>(erster - l.eintrag) + 1);
        }
        if (f.eigene_ohne) {
            EXPECT_EQ(l.eigener.spieler, -1);
        }
    }
    // Pages 0..2 have no leader list.
    Rangliste_Leaderliste l;
    Rangliste_Spieler_Liste_Bauen(1, &l);
    EXPECT_EQ(l.anzahl, 0);
    // On the screen: the footer "---" when the own club has no listed player.
    eigene_ohne = true;
    Menue_Icon_Zustand_Setzen(ICON_RL_SCHALTER, 2);
    oeffnen();
    weiter();
    ASSERT_EQ(Rangliste_Screen_Seite(), 3);
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text_Auf_Zeile("---", 433));
    EXPECT_TRUE(kit::Text("Torschützenliste"));
}

TEST_F(Rangliste, GehaltenerPfeilHoechstensAlle50ms) {
    Menue_Icon_Zustand_Setzen(ICON_RL_SCHALTER, 3);
    oeffnen();
    ASSERT_EQ(Rangliste_Screen_Seite(), 3);
    ASSERT_GT(Rangliste_Screen_Stufen(), 8);
    const Screen_Icon* runter = Menue_Screen_Icon_Aus_Nummer(ICON_RL_RUNTER);
    kit::Maus(runter->x + 7, runter->y + 8);
    kit::Druecken();
    kit::Frames(20, 10);  // 200 ms
    kit::Loslassen();
    EXPECT_GE(Rangliste_Screen_Position(), 1);
    EXPECT_LE(Rangliste_Screen_Position(), 5);
    // Up again to the top, never past it.
    const Screen_Icon* hoch = Menue_Screen_Icon_Aus_Nummer(ICON_RL_HOCH);
    for (int k = 0; k < 10; ++k) {
        kit::Warten(60);
        kit::Klick(hoch->x + 7, hoch->y + 8);
    }
    EXPECT_EQ(Rangliste_Screen_Position(), 0);
}

TEST_F(Rangliste, LetzteSpieleMitIhrenPunkten) {
    // The first matchday's games enter the ranking as the matchday does.
    Rangliste_Aufbauen();
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true);
    i32 gegner = -1;
    for (i32 k = 0; k < Wettbewerb_Get_Anz_Spiele(liga, 0); ++k) {
        Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(liga), 0, 0, static_cast<u32>(k)));
        const Spiel* s = h ? Spiele_Get_Spiel(h.Handle(), false) : nullptr;
        ASSERT_TRUE(s);
        Rangliste_Nach_Spiel(s->team_a, *s);
        Rangliste_Nach_Spiel(s->team_b, *s);
        if (s->team_a == Team_Aktiv) gegner = s->team_b;
        if (s->team_b == Team_Aktiv) gegner = s->team_a;
    }
    ASSERT_GE(gegner, 0);
    Rangliste_Sortieren();
    Rangliste_Eintrag e{};
    ASSERT_TRUE(Rangliste_Get_Eintrag(Team_Aktiv, &e));
    Menue_Icon_Zustand_Setzen(ICON_RL_SCHALTER, 0);
    oeffnen();
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text_Auf_Zeile(name(gegner).c_str(), 154));
    EXPECT_TRUE(kit::Text_Auf_Zeile(std::to_string(e.punkte[0]).c_str(), 432));
    EXPECT_EQ(kit::Texte("---").size(), 9u) << "the nine games not played yet";
    // The result stands as one text in its column, "2:0", its digits beside the colon.
    const bool auswaerts = e.ort[0] != 0;
    const std::string ergebnis = std::to_string(auswaerts ? e.gegentore[0] : e.tore[0]) + ":" +
                                 std::to_string(auswaerts ? e.tore[0] : e.gegentore[0]);
    const Zeichenspur_Eintrag* zeile = kit::Text_Auf_Zeile(("\t" + ergebnis + "\t").c_str(), 154);
    EXPECT_TRUE(zeile) << ergebnis;
    EXPECT_EQ(kit::Texte("\t-:-\t").size(), 9u);
    kit::Png("rangliste_letzte_spiele");
}

TEST_F(Rangliste, EigeneZeileInDerOrdnungDerSeite) {
    Rangliste_Aufbauen();
    Rangliste_Sortieren();
    Rangliste_Eintrag e{};
    ASSERT_TRUE(Rangliste_Get_Eintrag(Team_Aktiv, &e));
    Menue_Icon_Zustand_Setzen(ICON_RL_SCHALTER, 0);
    oeffnen();
    for (i32 seite : {1, 2}) {
        weiter();
        ASSERT_EQ(Rangliste_Screen_Seite(), seite);
        kit::Spur_Leeren();
        kit::Frames(1);
        const i32 platz = (seite == 1 ? e.platz : e.form_platz) + 1;
        const i32 wert = seite == 1 ? e.wert : e.form;
        const std::string erwartet = std::to_string(platz) + ".";
        const Zeichenspur_Eintrag* z = kit::Text_Auf_Zeile(erwartet.c_str(), platz <= 3 ? 432 : 433);
        ASSERT_TRUE(z) << seite;
        EXPECT_NE(z->sichtbar.find(std::to_string(wert)), std::string::npos) << z->sichtbar;
    }
}

}  // namespace
