// The competition screen's table view in a new game with two human
// managers: opened from the main menu, the manager's league chosen, the
// table after played matchdays in order with its place colours, the filter
// and projection switches, the competition, matchday and group arrows, the
// choices per manager, and every competition of the world drawn without a
// row read past its table (also with damaged choice words).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/ruf.h"
#include "grafik_nummern.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "matchday/season_netz.h"
#include "wettbewerb_spielen.h"
#include "screens/club/wettbewerb_screen.h"
#include "screens/screens.h"
#include "season/paarungen.h"
#include "season/netz_rufe.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "season/wettbewerb_werte.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

// Text y of visible row r.
i32 zeile_y(i32 r) { return 136 + WB_ZEILE_H * r + 12; }
// The stop a row's place before stands at: the column stop right before its
// opening bracket ("" when the row has none).
std::string vorher_stopp(const Zeichenspur_Eintrag* e) {
    if (!e) return "";
    const size_t klammer = e->text.find('(');
    if (klammer == std::string::npos || klammer < 7) return "";
    const std::string stopp = e->text.substr(klammer - 7, 7);
    return stopp.rfind("^t", 0) == 0 ? stopp : "";
}

class Wettbewerb_Screen : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(2)); }
    void TearDown() override { kit::Beenden(); }
    // The league's table over its matchdays 0..letzter, as the table builder has it.
    static void tabelle_bis(i32 l, i32 letzter, Tabelle* t) {
        ASSERT_TRUE(Wettbewerb_Get_Tabellen_Teams(l, t));
        Tabelle_Argumente a;
        a.wettbewerb = l;
        a.erster_spieltag = 0;
        a.letzter_spieltag = letzter;
        a.optionen = 31 | (Wettbewerb_Get_Info(l)->modus & 64);
        Spiele_Get_Tabelle(a, t);
    }
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(1, 0));
        ASSERT_TRUE(Screen_Offen(Screen_Id::WETTBEWERB_TABELLE));
        kit::Frames(40);
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
    i32 wort(i32 icon) { return static_cast<i32>(Manager_Icon_Word_Data_Lesen(Team_Aktiv, icon)); }
    i32 liga() { return Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true); }
    bool grau(i16 nummer) { return Menue_Screen_Icon_Aus_Nummer(nummer)->status & MENUE_S_GRAU; }
    i32 liste_eintrag(i32 index) {
        i32 n = 0;
        const i32* l = Tabelle_Wettbewerbsliste(&n);
        return index >= 0 && index < n ? l[index] : -1;
    }
};

TEST_F(Wettbewerb_Screen, NeuerManagerSiehtSeineLigaVorDemErstenSpieltag) {
    // The ranking's daily refresh has already chosen his league; a manager
    // who has not chosen yet gets it when the screen opens.
    EXPECT_EQ(liste_eintrag(wort(ICON_WB_HINTERGRUND)), Wettbewerb_Get_Basis_Id(liga()));
    Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_HINTERGRUND, static_cast<u32>(-1));
    oeffnen();
    i32 anzahl = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&anzahl);
    ASSERT_GT(anzahl, 0);
    const i32 index = wort(ICON_WB_HINTERGRUND);
    ASSERT_GE(index, 0);
    ASSERT_LT(index, anzahl);
    EXPECT_EQ(liste[index], Wettbewerb_Get_Basis_Id(liga()));
    EXPECT_EQ(wort(ICON_WB_SPIELTAG), 0);
    frame();
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 34)));  // "before the first matchday"
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 17)));
    // The heading names the matchday once.
    EXPECT_TRUE(kit::Text("vor dem 1. Spieltag"));
    EXPECT_FALSE(kit::Text("Spieltag 1. Spieltag"));
    EXPECT_FALSE(kit::Text("1.Spieltag"));  // the number and the word apart
    EXPECT_TRUE(kit::Text("(-)"));
    kit::Png("wettbewerb_tabelle_vorher");
    EXPECT_TRUE(kit::Text(name(Team_Aktiv).c_str()));
    // Every club of the league has its row; the arrows are neutral; fewer
    // than two matchdays played: both matchday arrows are grey.
    const i32 teams = Wettbewerb_Get_Info(liga())->teams;
    EXPECT_EQ(static_cast<i32>(Tabelle_Screen_Tabelle().zeilen), teams);
    EXPECT_TRUE(Zeichenspur_Blit(GRAFIK_WB_FORM_0 + 2));
    for (i32 k : {0, 1, 3, 4}) EXPECT_FALSE(Zeichenspur_Blit(GRAFIK_WB_FORM_0 + k)) << k;
    EXPECT_TRUE(grau(ICON_WB_SPIELTAG_ZURUECK));
    EXPECT_TRUE(grau(ICON_WB_SPIELTAG_VOR));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_WB_TABELLE, 400, 100));
}

TEST_F(Wettbewerb_Screen, TabelleNachGespieltenSpieltagenMitPlatzfarben) {
    const i32 l = liga();
    for (i32 tag = 0; tag < 3; ++tag) spieltag_spielen(l, tag);
    oeffnen();
    Tabelle_Screen_Aktualisieren();  // as after a matchday
    EXPECT_EQ(wort(ICON_WB_SPIELTAG), 3) << "clamped to the matchdays played";
    EXPECT_FALSE(grau(ICON_WB_SPIELTAG_ZURUECK));
    frame();
    // The rows in the order of the table builder, each with the colour of
    // its place and its points.
    Tabelle t{};
    tabelle_bis(l, 2, &t);
    if (HasFatalFailure()) return;
    const i32 sichtbar = std::min<i32>(static_cast<i32>(t.zeilen), WB_TABELLE_ZEILEN);
    ASSERT_GT(sichtbar, 2);
    for (i32 r = 0; r < sichtbar; ++r) {
        const u32 slot = t.reihenfolge[r];
        const i32 team = static_cast<i32>(t.team[slot]);
        const Zeichenspur_Eintrag* e = kit::Text_Auf_Zeile(name(team).c_str(), zeile_y(r));
        ASSERT_TRUE(e) << "row " << r << " " << name(team);
        // A place's colour says where it leads, in the palette's words; gold
        // is for our club and the scores, not for the top places.
        const i32 rgb = Wettbewerb_Get_Platz_Farbe(l, r);
        const u16 soll = rgb < 0 ? FARBE_WEISS
                         : rgb == WETTBEWERB_FARBE_AUFSTIEG ? FARBE_GUT
                         : rgb == WETTBEWERB_FARBE_ABSTIEG  ? FARBE_SCHLECHT
                                                            : FARBE_INFO;
        EXPECT_EQ(e->farbe, soll) << r;
        char platz[24], punkte[24];
        std::snprintf(platz, sizeof platz, "^fb0011%d.", r + 1);
        std::snprintf(punkte, sizeof punkte, "^tz0496%3u", t.punkte[0][slot]);
        EXPECT_NE(e->text.find(platz), std::string::npos) << e->sichtbar;
        EXPECT_NE(e->text.find(punkte), std::string::npos) << e->sichtbar;
        // Goals and difference each one text in its column: "4:1", "+3", "-2", "0".
        const i32 fuer = static_cast<i32>(t.tore[0][slot]), gegen = static_cast<i32>(t.gegentore[0][slot]);
        const i32 diff = fuer - gegen;
        std::string tore = "\t";  // built step by step: an optimised build misreads the sum as an overlapping copy
        tore += std::to_string(fuer);
        tore += ':';
        tore += std::to_string(gegen);
        tore += '\t';
        std::string differenz = diff > 0 ? "\t+" : "\t";
        differenz += std::to_string(diff);
        EXPECT_NE(e->sichtbar.find(tore), std::string::npos) << e->sichtbar;
        EXPECT_NE(e->sichtbar.find(differenz), std::string::npos) << e->sichtbar;
    }
    EXPECT_NE(Wettbewerb_Get_Platz_Farbe(l, 0), Wettbewerb_Get_Platz_Farbe(l, sichtbar / 2))
        << "the champion's place has its own colour";
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 18)));
    kit::Png("wettbewerb_tabelle");

    // Filter: home games only, then away games only, then all again; the
    // result columns count only that venue's games.
    const Zeichenspur_Eintrag* alle = kit::Text_Auf_Zeile(".", zeile_y(0));
    ASSERT_TRUE(alle);
    for (i32 filter : {1, 2, 0}) {
        klick_icon(ICON_WB_FILTER);
        EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_FILTER), static_cast<u32>(filter));
        const Tabelle& s = Tabelle_Screen_Tabelle();
        for (u32 z = 0; z < s.zeilen && z < 24; ++z) {
            i32 summe = 0;
            for (i32 art = 0; art < 3; ++art) summe += Spiele_Tabelle_Zaehle_Ergebnisse(s, z, art, 0, 2, filter);
            EXPECT_EQ(summe, static_cast<i32>(s.spiele[filter][z])) << "filter " << filter << " row " << z;
        }
        frame();
        EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, filter)));
    }

    // Matchday arrows: back to 2, 1, then wrap to the current one; forward wraps to 1.
    const std::string stopp_mit_platz = vorher_stopp(kit::Text_Auf_Zeile(".)", zeile_y(0)));
    ASSERT_FALSE(stopp_mit_platz.empty());
    std::vector<i32> tage;
    for (int k = 0; k < 3; ++k) {
        klick_icon(ICON_WB_SPIELTAG_ZURUECK);
        tage.push_back(wort(ICON_WB_SPIELTAG));
    }
    EXPECT_EQ(tage, (std::vector<i32>{2, 1, 3}));
    klick_icon(ICON_WB_SPIELTAG_VOR);
    EXPECT_EQ(wort(ICON_WB_SPIELTAG), 1);
    frame();
    EXPECT_TRUE(kit::Text("(-)")) << "no previous place after matchday 1";
    // The dash's bracket closes where the place's number does later.
    EXPECT_EQ(vorher_stopp(kit::Text_Auf_Zeile("(-)", zeile_y(0))), stopp_mit_platz);

    // Projection on, then any arrow switches it off.
    klick_icon(ICON_WB_PROGNOSE);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_PROGNOSE), 1u);
    frame();
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 4)));
    klick_icon(ICON_WB_SPIELTAG_VOR);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_PROGNOSE), 0u);
}

// A network client whose line to the server answers with the server's
// record of one league (`server_liga`) in place of its own; the questions
// it asked, the table questions (1010) apart.
namespace client_sicht {
Wettbewerb server_liga{};
i32 liga = -1;
int fragen = 0, tabellen_fragen = 0;
bool leitung(u16 nummer, const std::vector<u8>& ein, std::vector<u8>* aus) {
    ++fragen;
    if (nummer == RUF_SPIELE_TABELLE.nummer) ++tabellen_fragen;
    Wettbewerb* w = Wettbewerb_Get_Zeiger(liga);
    std::swap(*w, server_liga);
    const bool ok = ruf::Lokale_Leitung(nummer, ein, aus);
    std::swap(*w, server_liga);
    return ok;
}
}  // namespace client_sicht

// The table page open on a client while the server's last matches of a
// matchday end: the client's news pass takes the server's state and the page
// goes on to that matchday with its standings, without a click; with
// nothing new it is not built again, and with no view of the screen up the
// server is not asked.
TEST_F(Wettbewerb_Screen, ClientTabelleFolgtDemSpieltagDesServers) {
    const i32 l = liga();
    for (i32 tag = 0; tag < 4; ++tag) spieltag_spielen(l, tag);
    // The server's table after four matchdays, by club.
    Tabelle soll{};
    tabelle_bis(l, 3, &soll);
    if (HasFatalFailure()) return;
    // The page was built before the fourth matchday ended there.
    Wettbewerb_Get_Zeiger(l)->aktueller_spieltag = 3;
    client_sicht::liga = l;
    client_sicht::server_liga = *Wettbewerb_Get_Zeiger(l);
    oeffnen();
    Tabelle_Screen_Aktualisieren();
    ASSERT_EQ(wort(ICON_WB_SPIELTAG), 3);
    Season_Netz_Anmelden();
    ruf::Leitung_Setzen(client_sicht::leitung);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    struct Ende {
        ~Ende() {
            Spiele_Unlock(-1);
            ruf::Leitung_Setzen(nullptr);
            Internet_Modus = INTERNET_MODUS_EINZEL;
        }
    } ende;
    Spiele_Internet_Client_Reset();

    // Nothing new on the server: the page stays as built, no table is asked.
    client_sicht::tabellen_fragen = 0;
    Tabelle_Screen_Stand_Folgen();
    EXPECT_EQ(wort(ICON_WB_SPIELTAG), 3);
    EXPECT_EQ(client_sicht::tabellen_fragen, 0);

    // The server's fourth matchday ends.
    client_sicht::server_liga.aktueller_spieltag = 4;
    Tabelle_Screen_Stand_Folgen();
    EXPECT_EQ(wort(ICON_WB_SPIELTAG), 4);
    EXPECT_GT(client_sicht::tabellen_fragen, 0);
    frame();
    const i32 sichtbar = std::min<i32>(static_cast<i32>(soll.zeilen), WB_TABELLE_ZEILEN);
    ASSERT_GT(sichtbar, 2);
    for (i32 r = 0; r < sichtbar; ++r) {
        const u32 slot = soll.reihenfolge[r];
        const Zeichenspur_Eintrag* e = kit::Text_Auf_Zeile(name(static_cast<i32>(soll.team[slot])).c_str(), zeile_y(r));
        ASSERT_TRUE(e) << "row " << r;
        char punkte[24];
        std::snprintf(punkte, sizeof punkte, "^tz0496%3u", soll.punkte[0][slot]);
        EXPECT_NE(e->text.find(punkte), std::string::npos) << r << ": " << e->sichtbar;
    }

    // Another screen up: the competitions' state is not asked for.
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 0));
    ASSERT_FALSE(Screen_Offen(Screen_Id::WETTBEWERB_TABELLE));
    client_sicht::fragen = 0;
    client_sicht::server_liga.aktueller_spieltag = 5;
    Tabelle_Screen_Stand_Folgen();
    EXPECT_EQ(client_sicht::fragen, 0);
}

// A knock-out round after its first matchday: the draw's clubs, the
// knock-out background, projection grey and off, the winners' rows under
// the "through" band and the losers' under the "out" band.
TEST_F(Wettbewerb_Screen, KoRundeZeigtWerWeiterIst) {
    i32 ko = -1;
    for (i32 id = Wettbewerb_Get_Erster_Aktiver(); id >= 0 && ko < 0; id = Wettbewerb_Get_Naechster_Aktiver(id)) {
        const i32 basis = Wettbewerb_Get_Basis_Id(id);
        const Wettbewerb* w = Wettbewerb_Get_Zeiger(basis);
        if (w && Wettbewerb_Ist_KO(basis) && w->startteam_anzahl >= 4 && w->vorherige_gruppe < 0) ko = basis;
    }
    ASSERT_GE(ko, 0) << "the world holds a cup with entered clubs";
    spieltag_spielen(ko, 0);
    oeffnen();
    i32 anzahl = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&anzahl);
    i32 index = -1;
    for (i32 k = 0; k < anzahl; ++k)
        if (liste[k] == ko || Wettbewerb_Get_Basis_Id(liste[k]) == ko) index = k;
    ASSERT_GE(index, 0);
    Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_HINTERGRUND, static_cast<u32>(index));
    Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_SPIELTAG, 1);
    Menue_Icon_Zustand_Setzen(ICON_WB_PROGNOSE, 1);
    Tabelle_Screen_Aufbauen();
    frame();
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_PROGNOSE), 0u);
    EXPECT_TRUE(grau(ICON_WB_PROGNOSE));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_WB_KO, 400, 100));
    const Tabelle& t = Tabelle_Screen_Tabelle();
    ASSERT_GE(t.zeilen, 4u);
    EXPECT_EQ(static_cast<i32>(t.zeilen), 2 * Wettbewerb_Get_Anz_Spiele(ko, 0));
    // Each visible row: the club's name, and its band by the tie's decision.
    i32 weiter = 0, raus = 0;
    for (i32 r = 0; r < std::min<i32>(static_cast<i32>(t.zeilen), WB_TABELLE_ZEILEN); ++r) {
        const i32 team = static_cast<i32>(t.team[t.reihenfolge[r]]);
        ASSERT_TRUE(kit::Text_Auf_Zeile(name(team).c_str(), zeile_y(r))) << r;
        const i32 sieger = Wettbewerb_Get_Runden_Sieger_Von_Team(ko, team, 0, 0);
        if (sieger == team) ++weiter;
        if (sieger >= 0 && sieger != team) ++raus;
    }
    EXPECT_GT(weiter, 0);
    EXPECT_GT(raus, 0);
    EXPECT_TRUE(Zeichenspur_Blit(GRAFIK_WB_WEITER));
    EXPECT_TRUE(Zeichenspur_Blit(GRAFIK_WB_RAUS));
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 36)));
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_TABELLE, 37)));
    EXPECT_FALSE(kit::Text("*")) << "round names resolved";
    kit::Png("wettbewerb_ko");
}

// Leagues of 0, 2 and 24 clubs after two played matchdays: as many rows as
// clubs, the rest of the rows empty; 24 rows scroll to the last place.
TEST_F(Wettbewerb_Screen, LigenVonNullZweiUndVierundzwanzigClubs) {
    const i32 l = liga();
    spieltag_spielen(l, 0);
    spieltag_spielen(l, 1);
    Wettbewerb* w = Wettbewerb_Get_Zeiger(l);
    std::vector<i16> clubs(w->aktuelle_team, w->aktuelle_team + w->aktuelle_teams);
    i32 ligen[WB_LISTE_MAX];
    const i32 n_ligen = Wettbewerb_Get_Aktive(-1, ligen, true);
    for (i32 k = 0; k < n_ligen && clubs.size() < 24; ++k) {
        const Wettbewerb* andere = Wettbewerb_Get_Zeiger(ligen[k]);
        if (!andere || ligen[k] == l) continue;
        for (i32 j = 0; j < andere->startteam_anzahl && clubs.size() < 24; ++j)
            if (andere->start_team[j] >= 0) clubs.push_back(andere->start_team[j]);
    }
    ASSERT_EQ(clubs.size(), 24u);
    oeffnen();
    for (i32 n : {0, 2, 24}) {
        w->teams = w->aktuelle_teams = n;
        std::copy(clubs.begin(), clubs.begin() + n, w->aktuelle_team);
        Spiele_Tabellen_Cache_Leeren();
        Tabelle_Screen_Aktualisieren();
        frame();
        const Tabelle& t = Tabelle_Screen_Tabelle();
        EXPECT_EQ(static_cast<i32>(t.zeilen), n);
        const bool scrollt = !(Menue_Screen_Icon_Aus_Nummer(ICON_WB_KNOPF)->status & MENUE_S_VERSTECKT);
        EXPECT_EQ(scrollt, n > WB_TABELLE_ZEILEN) << n;
        i32 zeilen = 0;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            zeilen += e.art == SPUR_TEXT && e.text.find("^tr0049^fb0011") != std::string::npos;
        EXPECT_EQ(zeilen, std::min(n, WB_TABELLE_ZEILEN)) << n;
        if (n == 2) {
            // the two clubs' games against each other counted, the others not
            i32 spiele = 0;
            for (u32 z = 0; z < t.zeilen; ++z) spiele += static_cast<i32>(t.spiele[0][z]);
            EXPECT_LE(spiele, 4);
        }
    }
    // 24 clubs: the knob at the bottom shows places 7 to 24.
    const Screen_Icon* knopf = Menue_Screen_Icon_Aus_Nummer(ICON_WB_KNOPF);
    kit::Ziehen(knopf->x + 4, knopf->y + 5, knopf->x + 4, 460, 8);
    EXPECT_EQ(Tabelle_Screen_Scrollposition(), 24 - 17);
    frame();
    const Zeichenspur_Eintrag* letzte = kit::Text_Auf_Zeile("24.", zeile_y(WB_TABELLE_ZEILEN - 2));
    EXPECT_TRUE(letzte);
    EXPECT_FALSE(kit::Text_Auf_Zeile(".", zeile_y(WB_TABELLE_ZEILEN - 1))) << "no row past the last place";
    kit::Png("wettbewerb_24");
}

TEST_F(Wettbewerb_Screen, WettbewerbsPfeileUndPokalstreifenUmlaufend) {
    oeffnen();
    i32 anzahl = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&anzahl);
    ASSERT_GT(anzahl, 1);
    Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_HINTERGRUND, static_cast<u32>(anzahl - 1));
    klick_icon(ICON_WB_WETTBEWERB_VOR);
    EXPECT_EQ(wort(ICON_WB_HINTERGRUND), 0);
    // current + 1, clamped back to the current one in the table view
    EXPECT_EQ(wort(ICON_WB_SPIELTAG), Wettbewerb_Aktueller_Spieltag_Gesamt(liste[0]));
    klick_icon(ICON_WB_WETTBEWERB_ZURUECK);
    EXPECT_EQ(wort(ICON_WB_HINTERGRUND), anzahl - 1);
    // The cup strip: left of the current cup acts as "previous", right as "next";
    // the name between does nothing.
    kit::Klick(360, 520);
    EXPECT_EQ(wort(ICON_WB_HINTERGRUND), anzahl - 2);
    kit::Klick(500, 520);
    EXPECT_EQ(wort(ICON_WB_HINTERGRUND), anzahl - 1);
    kit::Klick(435, 520);
    EXPECT_EQ(wort(ICON_WB_HINTERGRUND), anzahl - 1);
    frame();
    EXPECT_TRUE(kit::Text(Wettbewerb_Get_Name(liste[anzahl - 1], false).c_str()));
}

// Every competition of the world in turn, also with choice words that no
// longer fit (a save of another world): each frame draws, rows stay inside
// their table, groups can be stepped through and wrap.
TEST_F(Wettbewerb_Screen, JederWettbewerbZeichnetOhneUeberlauf) {
    oeffnen();
    i32 anzahl = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&anzahl);
    bool gruppen_gesehen = false, ko_gesehen = false;
    for (i32 k = 0; k < anzahl; ++k) {
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_HINTERGRUND, static_cast<u32>(k));
        for (i32 tag : {0, 1, Wettbewerb_Spieltage_Gesamt(liste[k]), 9999}) {
            Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_SPIELTAG, static_cast<u32>(tag));
            Tabelle_Screen_Aufbauen();
            frame();
            EXPECT_LE(Tabelle_Screen_Tabelle().zeilen, static_cast<u32>(TABELLE_ZEILEN));
        }
        i32 runde = -1;
        Tabelle_Screen_Get_Auswahl(&runde, nullptr, nullptr, nullptr);
        if (runde >= 0 && Wettbewerb_Ist_KO(runde)) ko_gesehen = true;
        const i32 gruppen = runde >= 0 ? Wettbewerb_Gruppen_Liste(runde, nullptr) : 0;
        const bool versteckt = Menue_Screen_Icon_Aus_Nummer(ICON_WB_GRUPPE)->status & MENUE_S_VERSTECKT;
        EXPECT_EQ(versteckt, gruppen <= 1) << Wettbewerb_Get_Name(liste[k], false);
        if (gruppen > 1) {
            gruppen_gesehen = true;
            std::vector<i32> folge;
            for (i32 s = 0; s < gruppen + 1; ++s) {
                Tabelle_Screen_Pfeil_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_WB_GRUPPE_VOR), MENUE_E_LINKS);
                folge.push_back(wort(ICON_WB_GRUPPE));
            }
            EXPECT_EQ(folge.front(), 1);
            EXPECT_EQ(folge[gruppen - 1], 0) << "wraps after the last group";
            Tabelle_Screen_Pfeil_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_WB_GRUPPE_ZURUECK), MENUE_E_LINKS);
            EXPECT_EQ(wort(ICON_WB_GRUPPE), 0);
            Tabelle_Screen_Pfeil_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_WB_GRUPPE_ZURUECK), MENUE_E_LINKS);
            EXPECT_EQ(wort(ICON_WB_GRUPPE), gruppen - 1);
        }
    }
    (void)gruppen_gesehen, (void)ko_gesehen;
    // Damaged words: an index past the list, a group word past the groups.
    for (u32 w : {9999u, 0xFFFFFFF0u}) {
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_HINTERGRUND, w);
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_WB_GRUPPE, w);
        Tabelle_Screen_Aufbauen();
        frame();
        klick_icon(ICON_WB_WETTBEWERB_VOR);
        EXPECT_GE(wort(ICON_WB_HINTERGRUND), 0);
        EXPECT_LT(wort(ICON_WB_HINTERGRUND), anzahl);
    }
}

TEST_F(Wettbewerb_Screen, WahlProManagerUndSchalterGrenzen) {
    oeffnen();
    klick_icon(ICON_WB_FILTER);
    klick_icon(ICON_WB_WETTBEWERB_VOR);
    const i32 erster = Team_Aktiv, index = wort(ICON_WB_HINTERGRUND);
    i32 menschen[2];
    ASSERT_EQ(Manager_Ist_Dran(menschen, 0, 0), 2);
    const i32 zweiter = menschen[0] == erster ? menschen[1] : menschen[0];
    Screen_Schliessen(Screen_Id::WETTBEWERB_TABELLE);
    Menue_Manager_Wechsel(zweiter);
    kit::Frames(2);
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    ASSERT_TRUE(Screen_Oeffnen(Screen_Id::WETTBEWERB_TABELLE));
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_FILTER), 0u);
    i32 anzahl = 0;
    const i32* liste = Tabelle_Wettbewerbsliste(&anzahl);
    EXPECT_EQ(liste[wort(ICON_WB_HINTERGRUND)], Wettbewerb_Get_Basis_Id(liga()));
    Screen_Schliessen(Screen_Id::WETTBEWERB_TABELLE);
    Menue_Manager_Wechsel(erster);
    kit::Frames(2);
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    if (!Screen_Offen(Screen_Id::WETTBEWERB_TABELLE)) {
        ASSERT_TRUE(Screen_Oeffnen(Screen_Id::WETTBEWERB_TABELLE));
    }
    EXPECT_EQ(wort(ICON_WB_HINTERGRUND), index);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WB_FILTER), 1u);
    // The filter cycles 0, 1, 2, 0; projection 0, 1, 0.
    std::vector<u32> f, p;
    for (int k = 0; k < 3; ++k) {
        klick_icon(ICON_WB_FILTER);
        f.push_back(Menue_Icon_Zustand(ICON_WB_FILTER));
        klick_icon(ICON_WB_PROGNOSE);
        p.push_back(Menue_Icon_Zustand(ICON_WB_PROGNOSE));
    }
    EXPECT_EQ(f, (std::vector<u32>{2, 0, 1}));
    EXPECT_EQ(p, (std::vector<u32>{1, 0, 1}));
}

TEST(Wettbewerb_Form, KlassenNachSchwellen) {
    struct Fall {
        i32 form, spieltag, klasse;
    } faelle[] = {
        {50, 0, 2}, {-50, 0, 2},                        // before the first matchday: neutral
        {4, 1, 0},  {3, 1, 1},   {1, 1, 2}, {0, 1, 3}, {-1, 1, 4},
        {12, 5, 0}, {11, 5, 1},  {9, 5, 1}, {8, 5, 2}, {7, 5, 2}, {6, 5, 3}, {4, 5, 3}, {3, 5, 4},
        {12, 30, 0}, {-3, 30, 4},                       // later matchdays use the last row
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Tabelle_Screen_Form_Klasse(f.form, f.spieltag), f.klasse) << f.form << " " << f.spieltag;
}

TEST(Wettbewerb_Struktur, UnbekannteWettbewerbe) {
    EXPECT_EQ(Wettbewerb_Runden_Liste(-1, nullptr), 0);
    EXPECT_EQ(Wettbewerb_Spieltage_Gesamt(-1), 0);
    EXPECT_EQ(Wettbewerb_Aktueller_Spieltag_Gesamt(-1), 0);
    EXPECT_EQ(Wettbewerb_Runde_Zu_Spieltag(-1, 3), -1);
    i32 w = -1, tag = 5;
    Wettbewerb_Spieltag_In_Runde(&w, &tag);
    EXPECT_EQ(w, -1);
    EXPECT_EQ(tag, 5);
    i32 g = -1;
    Wettbewerb_Gruppe_Waehlen(&g, 1);
    EXPECT_EQ(g, -1);
}

}  // namespace
