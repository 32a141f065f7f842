// The competition screen's results and fixtures view and its team overview,
// on a league played for five matchdays: a matchday's games with their
// scores, the own club's games with the dates of those to come, projection
// only ahead and switched off by any arrow, the bound of the rows held; the
// clubs of a matchday by strength and the player selection switch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "graphics/font.h"
#include "kit.h"
#include "screens/club/wettbewerb_screen.h"
#include "screens/screens.h"
#include "season/kalender.h"
#include "wettbewerb_spielen.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

class Ansichten : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(2));
        l = Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true);
        for (i32 tag = 0; tag < 5; ++tag) spieltag_spielen(l, tag);
    }
    void TearDown() override { kit::Beenden(); }
    void oeffnen(int eintrag, Screen_Id id) {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(1, eintrag));
        ASSERT_TRUE(Screen_Offen(id));
        kit::Frames(20);
    }
    void klick_icon(i16 nummer) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        ASSERT_TRUE(i) << nummer;
        kit::Klick(i->x + i->w / 2, i->y + i->h / 2);
    }
    void spieltag(i32 tag) {
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_SPIELTAG, static_cast<u32>(tag));
        Tabelle_Screen_Aufbauen();
    }
    void frame() {
        kit::Spur_Leeren();
        kit::Frames(1);
    }
    bool grau(i16 nummer) { return Menue_Screen_Icon_Aus_Nummer(nummer)->status & MENUE_S_GRAU; }
    i32 l = -1;
};

TEST_F(Ansichten, ErgebnisseEinesSpieltags) {
    oeffnen(1, Screen_Id::WETTBEWERB_ERGEBNISSE);
    EXPECT_EQ(Tabelle_Screen_Get_Ansicht(), 1);
    spieltag(5);
    i32 n = 0;
    const Tabelle_Ergebnis_Zeile* z = Tabelle_Screen_Ergebnisse(&n);
    const i32 spiele = Wettbewerb_Get_Anz_Spiele(l, 4);
    ASSERT_EQ(n, spiele);
    // Every game of matchday 5 is listed once, with the score it was played with.
    for (i32 k = 0; k < spiele; ++k) {
        Spiele_Lock_Halter h(Spiele_Lock(static_cast<u32>(l), 4, 0, static_cast<u32>(k)));
        const Spiel* s = Spiele_Get_Spiel(h.Handle(), false);
        const auto* r = std::find_if(z, z + n, [&](const Tabelle_Ergebnis_Zeile& e) { return e.heim == s->team_a; });
        ASSERT_NE(r, z + n) << k;
        EXPECT_EQ(r->gast, s->team_b);
        EXPECT_EQ(r->tore[0][0], s->tore_a);
        EXPECT_EQ(r->tore[0][1], s->tore_b);
        EXPECT_EQ(r->tore[1][0], -1) << "one leg";
        EXPECT_GT(r->heim_platz, 0);
    }
    frame();
    char ergebnis[16];
    std::snprintf(ergebnis, sizeof ergebnis, "%d:%d", z[0].tore[0][0], z[0].tore[0][1]);
    EXPECT_TRUE(kit::Text(ergebnis));
    EXPECT_TRUE(kit::Text(name(z[0].heim).c_str()));
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 20)));
    kit::Png("wettbewerb_ergebnisse");
    // A matchday to come: no score, projection can be switched on.
    spieltag(6);
    z = Tabelle_Screen_Ergebnisse(&n);
    ASSERT_GT(n, 0);
    EXPECT_EQ(z[0].tore[0][0], -1);
    EXPECT_FALSE(grau(ICON_WB_PROGNOSE));
    frame();
    EXPECT_TRUE(kit::Text("- : -"));
    klick_icon(ICON_WB_PROGNOSE);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_PROGNOSE), 1u);
    z = Tabelle_Screen_Ergebnisse(&n);
    EXPECT_TRUE(std::all_of(z, z + n, [](const Tabelle_Ergebnis_Zeile& e) { return e.tore[0][0] >= 0; }))
        << "every game of the matchday to come gets a computed result";
    kit::Png("wettbewerb_prognose");
    klick_icon(ICON_WB_SPIELTAG_ZURUECK);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_PROGNOSE), 0u) << "any arrow switches projection off";
    // A matchday passed: projection cannot be switched on.
    spieltag(2);
    EXPECT_TRUE(grau(ICON_WB_PROGNOSE));
}

TEST_F(Ansichten, EigeneSpieleMitTerminen) {
    oeffnen(1, Screen_Id::WETTBEWERB_ERGEBNISSE);
    klick_icon(ICON_WB_EIGENE);
    ASSERT_EQ(Menue_Icon_Zustand(ICON_WB_EIGENE), 1u);
    i32 n = 0;
    const Tabelle_Ergebnis_Zeile* z = Tabelle_Screen_Ergebnisse(&n);
    const i32 teams = Wettbewerb_Get_Info(l)->teams;
    EXPECT_EQ(n, Wettbewerb_Get_Info(l)->spieltage) << teams << " clubs: one game a matchday";
    for (i32 k = 0; k < n; ++k) {
        EXPECT_TRUE(z[k].heim == Team_Aktiv || z[k].gast == Team_Aktiv) << k;
        EXPECT_EQ(z[k].tore[0][0] >= 0, k < 5) << "played only the first five: " << k;
    }
    EXPECT_TRUE(grau(ICON_WB_SPIELTAG_ZURUECK));
    EXPECT_TRUE(grau(ICON_WB_SPIELTAG_VOR));
    frame();
    // The games to come show their date in brackets.
    const std::string termin = std::string("(") + Kalender_Get_Datum_Text(z[5].tag, false) + ")";
    EXPECT_TRUE(kit::Text(termin.c_str())) << termin;
    // The switch's two lines ("Spiele von" over the club) stand on the switch.
    const Screen_Icon* schalter = Menue_Screen_Icon_Aus_Nummer(ICON_WB_EIGENE);
    ASSERT_TRUE(schalter);
    for (const char* zeile : {"Spiele von", Team_String(721, Team_Aktiv, nullptr, 0)}) {
        const Zeichenspur_Eintrag* e = nullptr;
        for (const Zeichenspur_Eintrag* t : kit::Texte(zeile))
            if (t->x >= schalter->x && t->x < schalter->x + schalter->w && t->y > schalter->y - 20 &&
                t->y < schalter->y + schalter->h + 20)
                e = t;
        ASSERT_TRUE(e) << zeile;
        const Font* f = Font_Tabelle_Holen(e->font);
        ASSERT_TRUE(f);
        EXPECT_GE(e->y - f->hoehe, schalter->y) << zeile;
        EXPECT_LE(e->y, schalter->y + schalter->h) << zeile;
    }
    kit::Png("wettbewerb_eigene_spiele");
    // The collection never writes past the room it is given.
    Tabelle_Team_Spiel liste[3];
    EXPECT_EQ(Tabelle_Team_Spiele_Sammeln(l, Team_Aktiv, liste, 3), 3);
    EXPECT_EQ(liste[0].gruppe, l);
}

TEST_F(Ansichten, UebersichtNachStaerke) {
    oeffnen(2, Screen_Id::WETTBEWERB_UEBERSICHT);
    EXPECT_EQ(Tabelle_Screen_Get_Ansicht(), 2);
    spieltag(5);
    i32 n = 0;
    const Tabelle_Uebersicht_Zeile* z = Tabelle_Screen_Uebersicht(&n);
    ASSERT_EQ(n, Wettbewerb_Get_Info(l)->teams);
    for (i32 k = 0; k + 1 < n; ++k) {
        const bool geordnet = z[k].staerke > z[k + 1].staerke ||
                              (z[k].staerke == z[k + 1].staerke && z[k].team > z[k + 1].team);
        EXPECT_TRUE(geordnet) << k;
    }
    for (i32 k = 0; k < n; ++k) {
        EXPECT_EQ(z[k].staerke, Team_Get_Staerke_Modus(z[k].team, 0)) << k;
        EXPECT_EQ(z[k].spieler, std::min(20, Teamspieler_Ins_Array(z[k].team, nullptr, 20, 0))) << k;
    }
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_WB_AUSWAHL_A)->status & MENUE_S_VERSTECKT);
    EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_WB_AUSWAHL_B)->status & MENUE_S_VERSTECKT);
    frame();
    EXPECT_TRUE(kit::Text(name(z[0].team).c_str()));
    // Strengths in stars with a German decimal comma.
    for (i32 k = 0; k < 3; ++k) {
        const i32 v = z[k].staerke;
        const std::string soll = std::to_string(v / 2) + "," + (v % 2 ? "5" : "0");
        EXPECT_TRUE(kit::Text(soll.c_str())) << soll;
        // and the mean per player with one decimal after a comma
        char schnitt[16];
        std::snprintf(schnitt, sizeof schnitt, "%.1f", v / static_cast<double>(z[k].spieler) / 2.0);
        *std::strchr(schnitt, '.') = ',';
        EXPECT_TRUE(kit::Text(schnitt)) << schnitt;
    }
    kit::Png("wettbewerb_uebersicht");
    // The selection switch: starters only, then all again.
    klick_icon(ICON_WB_AUSWAHL_B);
    z = Tabelle_Screen_Uebersicht(&n);
    for (i32 k = 0; k < n; ++k) EXPECT_EQ(z[k].staerke, Team_Get_Staerke_Modus(z[k].team, 16)) << k;
    klick_icon(ICON_WB_AUSWAHL_B);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_AUSWAHL_B), 0u);
}

// The header's strength and the overview's are told apart by their labels:
// the header counts the starters, the overview the players its switch
// names; with the switch on the starters both show the same figure.
TEST_F(Ansichten, ZweiStaerkenBeschriftet) {
    oeffnen(2, Screen_Id::WETTBEWERB_UEBERSICHT);
    spieltag(5);
    const std::string elf = Team_Halbwert_String(Team_Get_Staerke_Modus(Team_Aktiv, 16));
    const std::string alle = Team_Halbwert_String(Team_Get_Staerke_Modus(Team_Aktiv, 0));
    ASSERT_NE(elf, alle);
    const std::string tabelle_stammelf = Text_cfg_Text(TEXT_TABELLE, 56), tabelle_alle = Text_cfg_Text(TEXT_TABELLE, 55);
    struct Fall {
        const std::string& titel;  // whose strength the overview's title names
        const std::string& zeile;  // the own club's figure in its row
    } faelle[] = {{tabelle_alle, alle}, {tabelle_stammelf, elf}};
    for (const Fall& f : faelle) {
        frame();
        const Zeichenspur_Eintrag* kopf = kit::Text(("Stärke (" + tabelle_stammelf + "): " + elf).c_str());
        ASSERT_NE(kopf, nullptr) << "the header names the starters";
        EXPECT_LT(kopf->y, 86);
        const Zeichenspur_Eintrag* titel = kit::Text(("(Stärke: " + f.titel + ")").c_str());
        ASSERT_NE(titel, nullptr) << f.titel;
        EXPECT_GT(titel->y, 86);
        const Zeichenspur_Eintrag* zeile = nullptr;
        for (const Zeichenspur_Eintrag* t : kit::Texte(name(Team_Aktiv).c_str()))
            if (t->y > 136) zeile = t;
        ASSERT_NE(zeile, nullptr) << "the own club's row";
        EXPECT_NE(zeile->sichtbar.find(f.zeile), std::string::npos) << zeile->sichtbar << " / " << f.zeile;
        klick_icon(ICON_WB_AUSWAHL_B);
    }
}

// A club's strength reads the same wherever it is shown: the header over
// the squad screen and over the competition views, the fixtures' lines and
// the overview's row (its switch on the starters). A starter whose stored
// strength is out of range (a damaged save) counts with the six stars his
// row shows, on every one of them alike.
TEST_F(Ansichten, EineStaerkeAufJedemScreen) {
    i32 elf[MAX_SPIELER_PRO_TEAM];
    const i32 n = Teamspieler_Ins_Array(Team_Aktiv, elf, MAX_SPIELER_PRO_TEAM, TEAM_STAERKE_STARTELF);
    ASSERT_GT(n, 1);
    Spieler_Daten[elf[0]].staerke = 200;
    i32 summe = 0;
    for (i32 k = 0; k < n; ++k) summe += std::min<i32>(Spieler_Daten[elf[k]].staerke, 12);
    const std::string soll = Team_Halbwert_String(summe);
    EXPECT_EQ(Team_Staerke_Anzeige_Text(Team_Aktiv), soll);
    const std::string kopf = "Stärke (" + std::string(Text_cfg_Text(TEXT_TABELLE, 56)) + "): " + soll;
    auto zeile_des_vereins = [&](i32 ab_y) -> const Zeichenspur_Eintrag* {
        const Zeichenspur_Eintrag* r = nullptr;
        for (const Zeichenspur_Eintrag* t : kit::Texte(name(Team_Aktiv).c_str()))
            if (t->y > ab_y && t->sichtbar.find(soll) != std::string::npos) r = t;
        return r;
    };
    struct Fall {
        const char* was;
        std::function<void()> hin;
        std::function<bool()> zeigt;  // besides the header
    } faelle[] = {
        {"Kader", [&] { ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 0)); }, [] { return true; }},
        {"Spielplan",
         [&] {
             oeffnen(1, Screen_Id::WETTBEWERB_ERGEBNISSE);
             klick_icon(ICON_WB_EIGENE);
         },
         [&] {
             for (const Zeichenspur_Eintrag* t : kit::Texte(soll.c_str()))
                 if (t->y > 136 && t->sichtbar.find(std::string(Text_cfg_Text(TEXT_TABELLE, 21)) + " " + soll) !=
                                       std::string::npos)
                     return true;
             return false;
         }},
        {"Übersicht",
         [&] {
             oeffnen(2, Screen_Id::WETTBEWERB_UEBERSICHT);
             spieltag(5);
             klick_icon(ICON_WB_AUSWAHL_B);
         },
         [&] { return zeile_des_vereins(136) != nullptr; }},
    };
    for (const Fall& f : faelle) {
        f.hin();
        kit::Frames(3);
        frame();
        const Zeichenspur_Eintrag* k = kit::Text(kopf.c_str());
        ASSERT_NE(k, nullptr) << f.was << ": the header shows " << kopf;
        EXPECT_LT(k->y, 86) << f.was;
        EXPECT_TRUE(f.zeigt()) << f.was << ": " << soll;
    }
}

// Every view of every competition of the shipped world, at its first and
// its last matchday and with a damaged matchday word, draws without reading
// outside its lists (the sanitizers watch); a picture of each.
TEST_F(Ansichten, JedeAnsichtJedesWettbewerbs) {
    const Screen_Id ansichten[3] = {Screen_Id::WETTBEWERB_TABELLE, Screen_Id::WETTBEWERB_ERGEBNISSE,
                                    Screen_Id::WETTBEWERB_UEBERSICHT};
    for (i32 v = 0; v < 3; ++v) {
        ASSERT_TRUE(Screen_Oeffnen(ansichten[v]));
        kit::Frames(2);
        i32 n = 0;
        Tabelle_Wettbewerbsliste(&n);
        ASSERT_GT(n, 3);
        for (i32 i = 0; i < n; ++i) {
            Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_HINTERGRUND, static_cast<u32>(i));
            const i32 gesamt = Wettbewerb_Spieltage_Gesamt(Tabelle_Wettbewerbsliste(nullptr)[i]);
            for (i32 tag : {1, gesamt, gesamt + 7, -3}) {
                spieltag(tag);
                i32 zeilen = 0;
                if (v == 1) {
                    Tabelle_Screen_Ergebnisse(&zeilen);
                    EXPECT_LE(zeilen, WB_ERGEBNISSE_MAX);
                }
                if (v == 2) {
                    Tabelle_Screen_Uebersicht(&zeilen);
                    EXPECT_LE(zeilen, WB_UEBERSICHT_MAX);
                }
                kit::Frames(1);
            }
            spieltag(1);
            kit::Spur_Leeren();
            kit::Frames(1);
            kit::Png("ansicht_" + std::to_string(v) + "_" + std::to_string(i));
            // A competition not begun lists its games as not drawn, never as byes.
            i32 zeilen = 0;
            const Tabelle_Ergebnis_Zeile* z = Tabelle_Screen_Ergebnisse(&zeilen);
            if (v == 1 && zeilen > 0 && z[0].heim < 0 && z[0].gast < 0) {
                EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 41))) << i;
                EXPECT_FALSE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 43))) << i;
            }
        }
        // The screen stays usable: the next competition's arrow still works.
        klick_icon(ICON_WB_WETTBEWERB_VOR);
        EXPECT_TRUE(Screen_Offen(ansichten[v]));
    }
}

}  // namespace
