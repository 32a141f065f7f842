// The competition screens on a season the game played itself: a new game
// with one human manager run through the program's loop (pages clicked
// away, turns ended, every match played by the engine) until his league has
// five matchdays behind it and the national cup its first round. On that
// season: the table in the order and with the points of the table builder
// and with the home and away counts of the fixtures, the matchday and
// competition arrows, the cup round with its winners' band, the results of
// matchday 5 as the fixtures hold them, the own games with their dates,
// projection, the team overview by strength and the ranking pages with the
// real scorers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "grafik_nummern.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "main/programm.h"
#include "platform/headless.h"
#include "screens/club/rangliste_screen.h"
#include "screens/club/wettbewerb_screen.h"
#include "screens/screens.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "season/wettbewerb_werte.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/welt.h"
#include "wettbewerb_spielen.h"

namespace {

i32 zeile_y(i32 r) { return 136 + WB_ZEILE_H * r + 12; }

// Frames of the program's loop (the kit's clock 20 ms a frame).
void lauf(const std::string& skript, int frames) {
    ASSERT_TRUE(Headless_Skript(skript + "wait 1\n"));
    for (int i = 0; i < frames; ++i) {
        kit::Warten(20);
        Headless_Frames(1);
    }
}

bool hauptmenue_bereit() {
    return Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) &&
           Menue_Modus == 0 && !Menue_Requester_Offen() && !Spielankuendigung_Screen_Offen() &&
           Spielankuendigung_Puffer_Leer();
}

// What stands between the manager and the next day goes: pages, notices,
// the end of his turn.
void weiter() {
    std::string skript = Ankuendigung_Wegklicken();
    if (Menue_Requester_Offen()) {
        if (const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_2))
            skript = "move " + std::to_string(k->x + k->w / 2) + " " + std::to_string(k->y + k->h / 2) +
                     "\nwait 2\nclick left\n";
    } else if (hauptmenue_bereit()) {
        skript = "move 750 583\nwait 2\nclick left\n";  // end of the turn
    }
    lauf(skript, 6);
}

// The national cup the manager's club is entered in (a knock-out
// competition that starts a cup, not a later round), -1.
i32 pokal_von(i32 team) {
    for (i32 id = Wettbewerb_Get_Erster_Aktiver(); id >= 0; id = Wettbewerb_Get_Naechster_Aktiver(id)) {
        const i32 basis = Wettbewerb_Get_Basis_Id(id);
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(basis);
        if (!w || !Wettbewerb_Ist_KO(basis) || w->vorherige_gruppe >= 0 || Wettbewerb_Ist_International(basis)) continue;
        for (i32 k = 0; k < w->startteam_anzahl; ++k)
            if (w->start_team[k] == team) return basis;
    }
    return -1;
}

i32 LIGA = -1, POKAL = -1, TAGE = 0;

class Saison : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(kit::Starten(1));
        Test_Live_Ansicht(false);
        const i32 team = Team_Aktiv;
        LIGA = Wettbewerb_Get_Liga_Von_Team(team, true);
        ASSERT_GE(LIGA, 0);
        const i32 tag0 = Kalender_Get_Tag();
        // Day after day until five league matchdays and the cup's first round
        // are played, then on to the manager's main menu.
        auto fertig = [&] {
            if (POKAL < 0) POKAL = pokal_von(team);
            const Wettbewerb* l = Wettbewerb_Get_Zeiger(LIGA);
            const Wettbewerb* p = POKAL >= 0 ? Wettbewerb_Get_Zeiger(POKAL) : nullptr;
            return l && l->aktueller_spieltag >= 5 && p && p->aktueller_spieltag >= 1;
        };
        for (int n = 0; n < 60000 && !(fertig() && hauptmenue_bereit()); ++n) {
            weiter();
            if (::testing::Test::HasFatalFailure()) return;
        }
        ASSERT_TRUE(fertig()) << "league matchday " << Wettbewerb_Get_Zeiger(LIGA)->aktueller_spieltag << ", cup "
                              << POKAL;
        ASSERT_TRUE(hauptmenue_bereit());
        ASSERT_EQ(Team_Aktiv, team);
        TAGE = Kalender_Get_Tag() - tag0;
        std::printf("season played for %d days: league matchday %d, cup %d\n", TAGE,
                    Wettbewerb_Get_Zeiger(LIGA)->aktueller_spieltag, POKAL);
    }
    static void TearDownTestSuite() { kit::Beenden(); }
    void SetUp() override {
        ASSERT_GE(POKAL, 0);
        ASSERT_TRUE(hauptmenue_bereit());
    }
    void TearDown() override {
        for (Screen_Id id : {Screen_Id::WETTBEWERB_TABELLE, Screen_Id::WETTBEWERB_ERGEBNISSE,
                             Screen_Id::WETTBEWERB_UEBERSICHT, Screen_Id::RANGLISTE})
            if (Screen_Offen(id)) Screen_Schliessen(id);
        kit::Frames(2);
    }
    void oeffnen(int eintrag, Screen_Id id) {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(1, eintrag));
        ASSERT_TRUE(Screen_Offen(id));
        kit::Frames(10);
    }
    void klick_icon(i16 nummer) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        ASSERT_TRUE(i) << nummer;
        kit::Klick(i->x + i->w / 2, i->y + i->h / 2);
    }
    void frame() {
        kit::Spur_Leeren();
        kit::Frames(1);
    }
    void waehlen(i32 wettbewerb, i32 tag) {
        i32 n = 0;
        const i32* liste = Tabelle_Wettbewerbsliste(&n);
        i32 index = -1;
        for (i32 k = 0; k < n && index < 0; ++k)
            if (liste[k] == wettbewerb || Wettbewerb_Get_Basis_Id(liste[k]) == wettbewerb) index = k;
        ASSERT_GE(index, 0) << wettbewerb;
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_HINTERGRUND, static_cast<u32>(index));
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_SPIELTAG, static_cast<u32>(tag));
        Tabelle_Screen_Aufbauen();
    }
    i32 wort(i32 icon) { return static_cast<i32>(Manager_Icon_Word_Data_Lesen(Team_Aktiv, icon)); }
    bool grau(i16 nummer) { return Menue_Screen_Icon_Aus_Nummer(nummer)->status & MENUE_S_GRAU; }
    static i32 gespielt() { return Wettbewerb_Get_Zeiger(LIGA)->aktueller_spieltag; }
    // The fixture of a league game, read from the fixture store.
    static Spiel spiel(i32 tag, i32 k) {
        Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(LIGA), static_cast<u32>(tag), 0, static_cast<u32>(k)));
        const Spiel* s = h ? Spiele_Get_Spiel(h.Handle(), false) : nullptr;
        return s ? *s : Spiel{};
    }
};

TEST_F(Saison, DieTabelleIstDieDerGespieltenSpiele) {
    oeffnen(0, Screen_Id::WETTBEWERB_TABELLE);
    i32 n = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&n);
    ASSERT_GE(wort(ICON_WB_HINTERGRUND), 0);
    EXPECT_EQ(liste[wort(ICON_WB_HINTERGRUND)], Wettbewerb_Get_Basis_Id(LIGA)) << "his league";
    EXPECT_EQ(wort(ICON_WB_SPIELTAG), gespielt());
    frame();
    Tabelle t{};
    ASSERT_TRUE(Wettbewerb_Get_Tabellen_Teams(LIGA, &t));
    Tabelle_Argumente a;
    a.wettbewerb = LIGA;
    a.erster_spieltag = 0;
    a.letzter_spieltag = gespielt() - 1;
    a.optionen = 31 | (Wettbewerb_Get_Info(LIGA)->modus & 64);
    Spiele_Get_Tabelle(a, &t);
    EXPECT_EQ(static_cast<i32>(Tabelle_Screen_Tabelle().zeilen), Wettbewerb_Get_Info(LIGA)->teams);
    // Every club played every matchday: the engine's results, not a draw of dice.
    i32 tore = 0;
    for (u32 z = 0; z < t.zeilen; ++z) {
        EXPECT_EQ(static_cast<i32>(t.spiele[0][z]), gespielt()) << z;
        tore += static_cast<i32>(t.tore[0][z]);
    }
    EXPECT_GT(tore, gespielt()) << "goals were scored";
    for (i32 r = 0; r < std::min<i32>(static_cast<i32>(t.zeilen), WB_TABELLE_ZEILEN); ++r) {
        const u32 slot = t.reihenfolge[r];
        const Zeichenspur_Eintrag* e = kit::Text_Auf_Zeile(name(static_cast<i32>(t.team[slot])).c_str(), zeile_y(r));
        ASSERT_TRUE(e) << "row " << r;
        char punkte[24];
        std::snprintf(punkte, sizeof punkte, "^tz0496%3u", t.punkte[0][slot]);
        EXPECT_NE(e->text.find(punkte), std::string::npos) << e->sichtbar;
        EXPECT_EQ(e->farbe, Kit_Platz_Farbe(LIGA, r, FARBE_WEISS)) << r;
    }
    kit::Png("saison_tabelle");

    // Home and away: the counts are those of the fixtures played at home.
    std::vector<i32> heim(static_cast<size_t>(Team_Anzahl), 0);
    for (i32 tag = 0; tag < gespielt(); ++tag)
        for (i32 k = 0; k < Wettbewerb_Get_Anz_Spiele(LIGA, tag); ++k) {
            const Spiel s = spiel(tag, k);
            ASSERT_GE(s.tore_a, 0) << "played: matchday " << tag << " game " << k;
            ++heim[static_cast<size_t>(s.team_a)];
        }
    klick_icon(ICON_WB_FILTER);
    ASSERT_EQ(Menue_Icon_Zustand(ICON_WB_FILTER), 1u);
    const Tabelle& h = Tabelle_Screen_Tabelle();
    for (u32 z = 0; z < h.zeilen; ++z) {
        EXPECT_EQ(static_cast<i32>(h.spiele[1][z]), heim[h.team[z]]) << "home games of row " << z;
        EXPECT_EQ(static_cast<i32>(h.spiele[1][z] + h.spiele[2][z]), gespielt()) << z;
    }
    frame();
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 1)));
    klick_icon(ICON_WB_FILTER);
    klick_icon(ICON_WB_FILTER);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_FILTER), 0u);
}

TEST_F(Saison, SpieltagsUndWettbewerbsPfeileLaufenUm) {
    oeffnen(0, Screen_Id::WETTBEWERB_TABELLE);
    struct Fall {
        i16 pfeil;
        i32 von, nach;
    } faelle[] = {
        {ICON_WB_SPIELTAG_ZURUECK, 2, 1},
        {ICON_WB_SPIELTAG_ZURUECK, 1, gespielt()},  // wraps to the current one
        {ICON_WB_SPIELTAG_VOR, gespielt(), 1},
        {ICON_WB_SPIELTAG_VOR, 1, 2},
    };
    for (const Fall& f : faelle) {
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_SPIELTAG, static_cast<u32>(f.von));
        Tabelle_Screen_Aufbauen();
        klick_icon(f.pfeil);
        EXPECT_EQ(wort(ICON_WB_SPIELTAG), f.nach) << f.pfeil << " from " << f.von;
    }
    // The next competition after the last entry is the first, at its current matchday.
    i32 n = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&n);
    Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_HINTERGRUND, static_cast<u32>(n - 1));
    klick_icon(ICON_WB_WETTBEWERB_VOR);
    EXPECT_EQ(wort(ICON_WB_HINTERGRUND), 0);
    EXPECT_EQ(wort(ICON_WB_SPIELTAG), Wettbewerb_Aktueller_Spieltag_Gesamt(liste[0]));
}

TEST_F(Saison, DiePokalrundeZeigtWerWeiterIst) {
    oeffnen(0, Screen_Id::WETTBEWERB_TABELLE);
    Menue_Icon_Zustand_Setzen(ICON_WB_PROGNOSE, 1);
    waehlen(POKAL, 1);
    frame();
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_PROGNOSE), 0u);
    EXPECT_TRUE(grau(ICON_WB_PROGNOSE));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_WB_KO, 400, 100));
    const Tabelle& t = Tabelle_Screen_Tabelle();
    ASSERT_GE(t.zeilen, 2u);
    i32 weiter_n = 0, raus = 0;
    for (i32 r = 0; r < std::min<i32>(static_cast<i32>(t.zeilen), WB_TABELLE_ZEILEN); ++r) {
        const i32 team = static_cast<i32>(t.team[t.reihenfolge[r]]);
        EXPECT_TRUE(kit::Text_Auf_Zeile(name(team).c_str(), zeile_y(r))) << r;
        const i32 sieger = Wettbewerb_Get_Runden_Sieger_Von_Team(POKAL, team, 0, 0);
        weiter_n += sieger == team;
        raus += sieger >= 0 && sieger != team;
    }
    EXPECT_GT(weiter_n, 0);
    EXPECT_GT(raus, 0) << "a knock-out round played: winners and losers";
    EXPECT_TRUE(Zeichenspur_Blit(GRAFIK_WB_WEITER));
    EXPECT_TRUE(Zeichenspur_Blit(GRAFIK_WB_RAUS));
    kit::Png("saison_pokalrunde");
}

TEST_F(Saison, ErgebnisseDesFuenftenSpieltagsUndDieEigenenSpiele) {
    oeffnen(1, Screen_Id::WETTBEWERB_ERGEBNISSE);
    waehlen(LIGA, 5);
    i32 n = 0;
    const Tabelle_Ergebnis_Zeile* z = Tabelle_Screen_Ergebnisse(&n);
    ASSERT_EQ(n, Wettbewerb_Get_Anz_Spiele(LIGA, 4));
    for (i32 k = 0; k < n; ++k) {
        const Spiel s = spiel(4, k);
        const auto* r = std::find_if(z, z + n, [&](const Tabelle_Ergebnis_Zeile& e) { return e.heim == s.team_a; });
        ASSERT_NE(r, z + n) << k;
        EXPECT_EQ(r->gast, s.team_b);
        EXPECT_EQ(r->tore[0][0], s.tore_a);
        EXPECT_EQ(r->tore[0][1], s.tore_b);
    }
    frame();
    for (i32 k = 0; k < n; ++k) {
        char ergebnis[16];
        std::snprintf(ergebnis, sizeof ergebnis, "%d:%d", z[k].tore[0][0], z[k].tore[0][1]);
        EXPECT_TRUE(kit::Text(ergebnis)) << ergebnis;
    }
    kit::Png("saison_ergebnisse");

    // The own games: the played ones with their scores, those to come with their date.
    klick_icon(ICON_WB_EIGENE);
    ASSERT_EQ(Menue_Icon_Zustand(ICON_WB_EIGENE), 1u);
    z = Tabelle_Screen_Ergebnisse(&n);
    EXPECT_EQ(n, Wettbewerb_Get_Info(LIGA)->spieltage);
    for (i32 k = 0; k < n; ++k) {
        EXPECT_TRUE(z[k].heim == Team_Aktiv || z[k].gast == Team_Aktiv) << k;
        EXPECT_EQ(z[k].tore[0][0] >= 0, k < gespielt()) << k;
    }
    EXPECT_TRUE(grau(ICON_WB_SPIELTAG_ZURUECK));
    EXPECT_TRUE(grau(ICON_WB_SPIELTAG_VOR));
    frame();
    const i32 naechstes = gespielt();
    ASSERT_LT(naechstes, n);
    const std::string termin = std::string("(") + Kalender_Get_Datum_Text(z[naechstes].tag, false) + ")";
    EXPECT_TRUE(kit::Text(termin.c_str())) << termin;
    kit::Png("saison_eigene_spiele");
    klick_icon(ICON_WB_EIGENE);

    // Projection ahead: every game of the next matchday gets a result; any arrow ends it.
    waehlen(LIGA, gespielt() + 1);
    EXPECT_FALSE(grau(ICON_WB_PROGNOSE));
    klick_icon(ICON_WB_PROGNOSE);
    ASSERT_EQ(Menue_Icon_Zustand(ICON_WB_PROGNOSE), 1u);
    z = Tabelle_Screen_Ergebnisse(&n);
    ASSERT_GT(n, 0);
    EXPECT_TRUE(std::all_of(z, z + n, [](const Tabelle_Ergebnis_Zeile& e) { return e.tore[0][0] >= 0; }));
    klick_icon(ICON_WB_SPIELTAG_VOR);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_PROGNOSE), 0u);
}

TEST_F(Saison, UebersichtNachStaerkeUndRanglisteMitDenEchtenTorschuetzen) {
    oeffnen(2, Screen_Id::WETTBEWERB_UEBERSICHT);
    waehlen(LIGA, gespielt());
    i32 n = 0;
    const Tabelle_Uebersicht_Zeile* z = Tabelle_Screen_Uebersicht(&n);
    ASSERT_EQ(n, Wettbewerb_Get_Info(LIGA)->teams);
    for (i32 k = 0; k + 1 < n; ++k)
        EXPECT_TRUE(z[k].staerke > z[k + 1].staerke || (z[k].staerke == z[k + 1].staerke && z[k].team > z[k + 1].team))
            << k;
    klick_icon(ICON_WB_AUSWAHL_B);
    z = Tabelle_Screen_Uebersicht(&n);
    for (i32 k = 0; k < n; ++k) EXPECT_EQ(z[k].staerke, Team_Get_Staerke_Modus(z[k].team, 16)) << k;
    klick_icon(ICON_WB_AUSWAHL_B);
    frame();
    kit::Png("saison_uebersicht");
    Screen_Schliessen(Screen_Id::WETTBEWERB_UEBERSICHT);
    kit::Frames(2);

    // The ranking: page 3 lists the season's scorers, at most 30, by goals.
    Menue_Icon_Zustand_Setzen(ICON_RL_SCHALTER, 2);
    oeffnen(3, Screen_Id::RANGLISTE);
    kit::Klick(400, 517);
    ASSERT_EQ(Rangliste_Screen_Seite(), 3);
    const Rangliste_Leaderliste& l = Rangliste_Screen_Leader();
    ASSERT_GT(l.anzahl, 0) << "goals were scored";
    EXPECT_LE(l.anzahl, RL_LEADER_MAX);
    for (i32 k = 0; k + 1 < l.anzahl; ++k) EXPECT_GE(l.eintrag[k].wert, l.eintrag[k + 1].wert) << k;
    frame();
    if (l.eigener.spieler < 0) {
        EXPECT_TRUE(kit::Text_Auf_Zeile("---", 433));
    } else {
        EXPECT_TRUE(kit::Text(Spieler_String(63, l.eigener.spieler, nullptr, 0)));
    }
    kit::Png("saison_torschuetzen");
    // Held down for 200 ms (a frame every 10 ms): at most one step per 50 ms.
    if (Rangliste_Screen_Stufen() > 5) {
        const Screen_Icon* runter = Menue_Screen_Icon_Aus_Nummer(ICON_RL_RUNTER);
        const i32 vorher = Rangliste_Screen_Position();
        kit::Maus(runter->x + 7, runter->y + 8);
        kit::Druecken();
        kit::Frames(20, 10);
        kit::Loslassen();
        EXPECT_GE(Rangliste_Screen_Position() - vorher, 1);
        EXPECT_LE(Rangliste_Screen_Position() - vorher, 5);
    }
    // The page switch goes round to page 0, which has no scroll bar.
    std::vector<i32> seiten;
    for (int k = 0; k < 6; ++k) {
        kit::Klick(400, 517);
        seiten.push_back(Rangliste_Screen_Seite());
    }
    EXPECT_EQ(seiten, (std::vector<i32>{4, 5, 6, 7, 8, 0}));
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_RL_SPUR)->status & MENUE_S_VERSTECKT);
}

}  // namespace
