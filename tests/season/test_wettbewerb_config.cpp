// The competition file: keys in both languages, the cross references, the
// coded messages with their exact texts and lines, the display hierarchy,
// the record defaults and the shipped file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "base/debug.h"
#include "base/globals.h"
#include "base/spielstand.h"
#include "base/random.h"
#include "season/kalender.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/startkonten.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season/wettbewerb_werte.h"
#include "season_test_hilfen.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/global.h"
#include "world/welt.h"

namespace {

using season_test::Meldungen;

class WettbewerbConfig : public ::testing::Test {
  protected:
    void SetUp() override {
        Season_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Quit_Status = QUIT_STATUS_LAEUFT;
        Kalender_Init(nullptr);
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
        Wettbewerb_Config_Letzter_Set_Vergessen();
    }
    void TearDown() override {
        Spiele_Free();
        Wettbewerb_Free();
        Kalender_Free();
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
    bool Lesen(const std::string& text) {
        return Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size()));
    }
    const Wettbewerb& W(int i) { return Wettbewerb_Tabelle[i]; }
};

// League values: a negative value or an unknown id is refused.
TEST_F(WettbewerbConfig, LigawerteNurFuerBekannteIds) {
    EXPECT_FALSE(Wettbewerb_Set_Wert_A(50, 3));
    ASSERT_TRUE(Lesen("NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"A\"\n"));
    EXPECT_TRUE(Wettbewerb_Set_Wert_A(50, 3));
    EXPECT_FALSE(Wettbewerb_Set_Wert_A(50, -1));
    EXPECT_EQ(Wettbewerb_Get_Wert_A(50), 3);
    EXPECT_EQ(Wettbewerb_Get_Wert_B(77), -1);
}

TEST_F(WettbewerbConfig, BildDesDatensatzesHinUndZurueck) {
    ASSERT_TRUE(
        Lesen("NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"Pokal\"\nTEAMS 16\nMODUS KO_SYSTEM\n"
              "RUNDENTEXT FINALE\nSTARTTEILNEHMER 3,4,5\n"));
    u8 a[WETTBEWERB_GROESSE], b[WETTBEWERB_GROESSE];
    Wettbewerb_Bild_Schreiben(W(0), a);
    EXPECT_EQ(get_i32le(a + 1708), -1);  // first advance count
    EXPECT_EQ(get_i32le(a + 4484), W(0).best_of_x);
    EXPECT_EQ(get_i32le(a + 4568), 50);  // the id
    Wettbewerb kopie;
    Wettbewerb_Bild_Lesen(kopie, a);
    Wettbewerb_Bild_Schreiben(kopie, b);
    EXPECT_EQ(0, std::memcmp(a, b, sizeof a));
}

TEST_F(WettbewerbConfig, DatensaetzeIdsUndNamen) {
    Meldungen m;
    ASSERT_TRUE(
        Lesen("CHECKSUMME 0\n; Kommentar\nVERSION 201\nNAME \"Vorab\"\nIDENTIFIKATION NULL\n"
              "NEUER_WETTBEWERB\nTEAMS 4\nNEUER_WETTBEWERB\nIDENTIFIKATION EINS\n"
              "NEW_COMPETITION\nidentification ZWEI\nname \"Zwei\"\n"));
    EXPECT_TRUE(m.texte.empty()) << m.Alle();
    EXPECT_STREQ(W(0).name, "Vorab");
    EXPECT_EQ(W(0).teams, 4);  // keys before and after the first NEUER_WETTBEWERB fill record 0
    EXPECT_EQ(W(0).id, 50);
    EXPECT_STREQ(W(1).name, "Vorab");  // a nameless record shows the previous name
    EXPECT_EQ(W(1).id, 51);
    EXPECT_STREQ(W(2).name, "Zwei");
    EXPECT_EQ(W(2).id, 52);
    EXPECT_STREQ(W(2).identifikation, "ZWEI");
    EXPECT_EQ(Wettbewerb_Get_Index(52), 2);
}

TEST_F(WettbewerbConfig, SchluesselUndGrenzen) {
    Meldungen m;
    ASSERT_TRUE(
        Lesen("NEUER_WETTBEWERB\nIDENTIFIKATION KO\nNAME \"Pokal\"\nMODUS ko_system\nTEAMS 16\n"
              "SPIELTAGE 6\nQUOTE_WOCHENTAG 5\nWOCHENTAG Mittwoch\nBEST_OF_X 40\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION LIGA\nNAME \"Liga\"\nTEAMS 18\nFIXTURE_DAYS 40\n"
              "MODUS RETURN_GAMES\nMODUS REPLAY_IF_DRAW\nRUNDENTEXT FINALE\nROUNDTEXT SEMI_FINAL\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION GROSS\nNAME \"Gross\"\nTEAMS 300\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION ZWEI\nNAME \"Zwei\"\nMODUS KO_SYSTEM\nMODUS RUECKSPIELE\n"
              "TEAMS 8\n"));
    EXPECT_EQ(W(0).modus, 0x804u);
    EXPECT_EQ(W(0).spieltage, 4);
    EXPECT_EQ(W(0).quote_wochentag, 10);
    EXPECT_EQ(W(0).wochentag, 4);
    EXPECT_EQ(W(0).best_of_x, 20);
    EXPECT_EQ(W(1).spieltage, 40);  // a league may give more matchdays
    EXPECT_EQ(W(1).modus, WB_RUECKSPIELE);
    EXPECT_EQ(W(1).rundentext[0], 7);
    EXPECT_EQ(W(1).rundentext[1], 6);
    EXPECT_EQ(W(1).rundentext[2], -1);
    // TEAMS 300 is held to the room of the per-team lists.
    EXPECT_EQ(W(2).teams, 128);
    EXPECT_EQ(W(2).aktuelle_teams, 128);
    EXPECT_EQ(W(2).spieltage, 2 * 128 - 2 > 46 ? 46 : 254);
    EXPECT_EQ(W(3).best_of_x, 2);  // knock-out with return games
    EXPECT_TRUE(m.Genau("\nWarning in wettbewerb.cfg:\n - (201) Zuviele Spieltage angegeben (Pokal)\n\n")) << m.Alle();
    EXPECT_TRUE(m.Genau("[22] Warning in wettbewerb.cfg:\n - (205) Zu viele Eintraege (TEAMS)\n\n")) << m.Alle();
}

TEST_F(WettbewerbConfig, JedeKodierteMeldungMitTextUndZeile) {
    Meldungen m;
    std::string text =
        "VERSION 202\n"                                       // 1
        "NEUER_WETTBEWERB\n"                                  // 2
        "IDENTIFIKATION A\n"                                  // 3
        "NAME \"Erste\"\n"                                    // 4
        "MODUS HALBES_SYSTEM\n"                               // 5
        "FARBE blau\n"                                        // 6
        "RUNDENTEXT ENDSPIEL\n"                               // 7
        "STARTWOCHE 10\n"                                     // 8
        "QUALIWOCHE 12\n"                                     // 9
        "MODUS KO_SYSTEM\n"                                   // 10
        "TEAMS 16\n"                                          // 11
        "SPIELTAGE 9\n";                                      // 12
    for (int i = 0; i < 65; ++i) text += "QUALI_LAND 1,2\n";  // 13..77
    ASSERT_TRUE(Lesen(text));
    EXPECT_TRUE(
        m.Genau("Warning in wettbewerb.cfg:\n - (204) Wettbewerb-Konfiguration neuer als Programmversion (1)\n\n"))
        << m.Alle();
    EXPECT_TRUE(m.Genau("[5] Syntax-Error in wettbewerb.cfg:\n - (100) Unbekannter Modus (HALBES_SYSTEM)\n\n"));
    EXPECT_TRUE(m.Genau("[6] Syntax-Error in wettbewerb.cfg:\n - (101) Unbekannter Befehl (FARBE)\n\n"));
    EXPECT_TRUE(m.Genau("[7] Syntax-Error in wettbewerb.cfg:\n - (100) Unbekannter Modus (ENDSPIEL)\n\n"));
    EXPECT_TRUE(m.Genau("\nWarning in wettbewerb.cfg:\n - (201) Zuviele Spieltage angegeben (Erste)\n\n"));
    EXPECT_TRUE(m.Genau("[77] Warning in wettbewerb.cfg:\n - (202) Zu viele Quali_Laender (max.64)"));
    EXPECT_TRUE(
        m.Genau("Warning in wettbewerb.cfg:\n\r - (203) Im Wettbewerb Erste ist die Variable Qualiwoche(12) "
                "kleiner als die Startwoche(10)."));
    // Reading went on after each message.
    EXPECT_EQ(W(0).modus, 0x804u);
    EXPECT_EQ(W(0).spieltage, 4);
    EXPECT_EQ(W(0).qualiwoche, 10);
    EXPECT_EQ(W(0).quali_land_anzahl, 64);
    EXPECT_EQ(W(0).rundentext[0], -1);  // an unknown round name uses no matchday
    EXPECT_EQ(m.texte.size(), 7u) << m.Alle();
}

// Items of the number lists are read at their own line: a bad item is
// refused with a message naming that line, never taken as team -1 or
// country 0.
TEST_F(WettbewerbConfig, ListenEintraegeMitIhrerZeile) {
    Meldungen m;
    ASSERT_TRUE(
        Lesen("NEUER_WETTBEWERB\n"                 // 1
              "IDENTIFIKATION A\n"                 // 2
              "NAME \"A\"\n"                       // 3
              "TEAMS 8\n"                          // 4
              "STARTTEILNEHMER 3,#Niemand,5,-2\n"  // 5
              "QUALI_LAND #Atlantis,2\n"           // 6
              "QUALI_LAND 7,2\n"                   // 7
              "AUFFUELL_MIT_TEAMS 1,zwei,3\n"      // 8
              "WER_GEGEN_WEN 0,1,300,2\n"));       // 9
    EXPECT_TRUE(m.Genau("[5] Warning in wettbewerb.cfg:\n - (303) Unbekannter Alias (#Niemand)\n\n")) << m.Alle();
    EXPECT_TRUE(m.Genau("[5] Warning in wettbewerb.cfg:\n - (206) Ungueltiger Wert (-2)\n\n"));
    EXPECT_TRUE(m.Genau("[6] Warning in wettbewerb.cfg:\n - (303) Unbekannter Alias (#Atlantis)\n\n"));
    EXPECT_TRUE(m.Genau("[8] Warning in wettbewerb.cfg:\n - (302) Ungültige Zahl (zwei)\n\n"));
    EXPECT_TRUE(m.Genau("[9] Warning in wettbewerb.cfg:\n - (206) Ungueltiger Wert (300)\n\n"));
    EXPECT_EQ(m.texte.size(), 5u) << m.Alle();
    const Wettbewerb& w = W(0);
    EXPECT_EQ(w.startteam_anzahl, 2);
    EXPECT_EQ(w.start_team[0], 3);
    EXPECT_EQ(w.start_team[1], 5);
    EXPECT_EQ(w.quali_land_anzahl, 1);
    EXPECT_EQ(w.quali_land[0][0], 7);
    EXPECT_EQ(w.auffuell_anzahl, 0);
    EXPECT_EQ(w.paarungs_anzahl, 3);
    EXPECT_EQ(w.paarungen[2], 2);
}

TEST_F(WettbewerbConfig, FehlendeIdentifikationOhneGutenSatzIstFatal) {
    Meldungen m;
    EXPECT_FALSE(Lesen("NEUER_WETTBEWERB\nNAME \"Ohne\"\nTEAMS 4\nNEUER_WETTBEWERB\nIDENTIFIKATION B\n"));
    EXPECT_TRUE(m.Genau("[4] Syntax-Error in wettbewerb.cfg:\n - (102) Identifikation fue Wettbewerb fehlt \n\n"))
        << m.Alle();
    EXPECT_TRUE(m.Genau("Schwerer Syntaxfehler in wettbewerb.cfg !!!\n"));
    EXPECT_EQ(Quit_Status, QUIT_STATUS_ANGEFORDERT);
}

TEST_F(WettbewerbConfig, LetzterDatensatzOhneIdentifikationWirdVerworfen) {
    Meldungen m;
    ASSERT_TRUE(Lesen("NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"A\"\nNEUER_WETTBEWERB\nNAME \"B\"\nTEAMS 6\n"));
    EXPECT_TRUE(m.Genau("[6] Syntax-Error in wettbewerb.cfg:\n - (102) Identifikation fue Wettbewerb fehlt \n\n"))
        << m.Alle();
    EXPECT_EQ(W(1).name[0], 0);
    EXPECT_EQ(Quit_Status, QUIT_STATUS_LAEUFT);
}

TEST_F(WettbewerbConfig, ZuVieleWettbewerbe) {
    Meldungen m;
    std::string text;
    for (int i = 0; i < 130; ++i) text += "NEUER_WETTBEWERB\nIDENTIFIKATION W" + std::to_string(i) + "\nNAME \"W\"\n";
    ASSERT_TRUE(Lesen(text));
    EXPECT_TRUE(m.Genau("Zu viele Wettbewerbe...\rWettbewerbe werden teilweise ignoriert.\n"));
    EXPECT_NE(W(126).name[0], 0);
    EXPECT_EQ(W(127).name[0], 0);
    EXPECT_EQ(W(126).id, 50 + 126);
}

TEST_F(WettbewerbConfig, ListenUeberDenPlatzDesDatensatzes) {
    Meldungen m;
    std::string text = "NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"A\"\nTEAMS 4\n";
    for (int i = 0; i < 48; ++i) text += "RUNDENTEXT FINALE\n";
    for (int i = 0; i < 7; ++i) text += "WEITERKOMM_ANZ 2\n";
    for (int i = 0; i < 7; ++i) text += "QUALI_FUER A\n";
    for (int i = 0; i < 34; ++i) text += "AUFFUELL_MIT_TEAMS 1,2,3,4\n";
    // A stored list keeps at most 360 characters: 180 slots per line.
    for (int zeile = 0; zeile < 7; ++zeile) {
        text += "WER_GEGEN_WEN ";
        for (int i = 0; i < 180; ++i) {
            if (i) text += ',';
            text += std::to_string(i % 4);
        }
        text += "\n";
    }
    text += "STARTTEILNEHMER 1,2,3,4,5,6\n";
    for (int i = 0; i < 5; ++i) text += "SIEGER 9\n";
    ASSERT_TRUE(Lesen(text));
    const Wettbewerb& w = W(0);
    EXPECT_EQ(w.rundentext[45], 7);
    EXPECT_EQ(w.weiterkommen[4], 2);
    EXPECT_EQ(w.quali_fuer_anzahl, 5);
    EXPECT_EQ(w.quali_fuer[4][0], 0);
    EXPECT_EQ(w.auffuell_anzahl, 32);
    EXPECT_EQ(w.paarungs_anzahl, WETTBEWERB_PAARUNGS_BYTES);
    EXPECT_EQ(w.startteam_anzahl, 5);  // five SIEGER lines, then the four start teams over them
    EXPECT_EQ(w.start_team[3], 4);
    EXPECT_EQ(w.start_team[4], -1);
    EXPECT_TRUE(m.Enthaelt("(205) Zu viele Eintraege (RUNDENTEXT)"));
    EXPECT_TRUE(m.Enthaelt("(205) Zu viele Eintraege (WEITERKOMM_ANZ)"));
    EXPECT_TRUE(m.Enthaelt("(205) Zu viele Eintraege (QUALI_FUER)"));
    EXPECT_TRUE(m.Enthaelt("(205) Zu viele Eintraege (AUFFUELL_MIT_TEAMS)"));
    EXPECT_TRUE(m.Enthaelt("(205) Zu viele Eintraege (WER_GEGEN_WEN)"));
    EXPECT_TRUE(m.Enthaelt("(205) Zu viele Eintraege (STARTTEILNEHMER)"));
}

TEST_F(WettbewerbConfig, QualiFuerUndVerweise) {
    Meldungen m;
    ASSERT_TRUE(
        Lesen("NEUER_WETTBEWERB\nIDENTIFIKATION L\nNAME \"Liga\"\nTEAMS 6\nQUALI_FUER A,NIX,B\n"
              "NACHFOLGERUNDE R2\nSUPER_ART liga\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"A\"\nPARALLELGRUPPE B\nSUPER_ART POKAL\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION B\nNAME \"B\"\nSUPER_ART LIGA\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION R2\nNAME \"R2\"\nTEAMS 4\nSTARTTEILNEHMER 3,3\n"));
    EXPECT_EQ(W(0).quali_fuer[0][0], 1);
    EXPECT_EQ(W(0).quali_fuer[0][1], -1);
    EXPECT_EQ(W(0).quali_fuer[0][2], 2);
    EXPECT_EQ(W(0).quali_fuer_anzahl, 1);
    EXPECT_EQ(W(0).naechste_runde, 3);
    EXPECT_EQ(W(3).vorherige_runde, 0);
    EXPECT_EQ(W(1).naechste_gruppe, 2);
    EXPECT_EQ(W(2).vorherige_gruppe, 1);
    EXPECT_EQ(W(1).visuell_gruppe, 1);
    EXPECT_EQ(W(2).visuell_gruppe, 1);
    EXPECT_EQ(W(0).super_alias, 0);
    EXPECT_EQ(W(1).super_alias, 1);
    EXPECT_EQ(W(2).super_alias, 0);
    EXPECT_EQ(W(3).super_alias, 999999);
    EXPECT_TRUE(m.Genau("Team 3 doppelt in Wettbewerb R2")) << m.Alle();
    // The group walk of a round: both groups of A's chain.
    Wettbewerb_Gruppen_Iterator it(W(2).id);
    EXPECT_EQ(it.Erste(), W(1).id);
    EXPECT_EQ(it.Naechste(), W(2).id);
    EXPECT_EQ(it.Naechste(), -1);
}

TEST_F(WettbewerbConfig, PruefsummeFalschUndRichtig) {
    const std::string rumpf = "NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"A\"\n";
    {
        Meldungen m;
        ASSERT_TRUE(Lesen("CHECKSUMME 12345\n" + rumpf));
        ASSERT_EQ(m.texte.size(), 1u) << m.Alle();
        const std::string anfang =
            "Die Wettbewerb-Konfigurationsdatei entspricht nicht dem Urzustand. Dies kann einen fehlerhaften "
            "Programmablauf verursachen.^lUm diese Warnung abzuschalten, tragen Sie bitte die Checksumme '";
        ASSERT_EQ(m.texte[0].substr(0, anfang.size()), anfang);
        std::string zahl = m.texte[0].substr(anfang.size());
        zahl = zahl.substr(0, zahl.find('\''));
        Meldungen m2;
        ASSERT_TRUE(Lesen("CHECKSUMME " + zahl + "\n" + rumpf));
        EXPECT_TRUE(m2.texte.empty()) << m2.Alle();
    }
}

TEST_F(WettbewerbConfig, HierarchieDreierEbenen) {
    ASSERT_TRUE(
        Lesen("NEUER_WETTBEWERB\nIDENTIFIKATION L1\nNAME \"Oben\"\nBASISLIGA JA\nVISUELL_NACHFOLGER L2\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION L2\nNAME \"Mitte\"\nBASISLIGA JA\nVISUELL_NACHFOLGER L3A\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION X\nNAME \"Pokal\"\nMODUS KO_SYSTEM\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION L3A\nNAME \"Nord\"\nBASISLIGA JA\nVISUELL_PARALLEL L3B\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION L3B\nNAME \"Sued\"\nBASISLIGA JA\n"));
    for (int i = 0; i < 5; ++i) Wettbewerb_Tabelle[i].kalendermarke = i;
    i32 oben = W(0).id, mitte = W(1).id, nord = W(3).id, sued = W(4).id;
    EXPECT_EQ(Wettbewerb_Get_Hierarchie_Wurzel(sued), oben);
    EXPECT_EQ(Wettbewerb_Get_Hierarchie_Naechste(), mitte);
    EXPECT_EQ(Wettbewerb_Get_Hierarchie_Naechste(), nord);
    EXPECT_EQ(Wettbewerb_Get_Hierarchie_Naechste(), -1);
    EXPECT_EQ(Wettbewerb_Visuell_Horizontal_Erster(sued), nord);
    EXPECT_EQ(Wettbewerb_Visuell_Horizontal_Naechster(), sued);
    EXPECT_EQ(Wettbewerb_Visuell_Horizontal_Naechster(), -1);
    i32 anzahl = 0, position = 0;
    ASSERT_TRUE(Wettbewerb_Visuell_Horizontal_Anz(sued, &anzahl, &position));
    EXPECT_EQ(anzahl, 2);
    EXPECT_EQ(position, 1);
    i32 ebenen = 0, eigene = 0;
    Wettbewerb_Visuell_Vertikal_Anz(sued, &ebenen, &eigene);
    EXPECT_EQ(ebenen, 3);
    EXPECT_EQ(eigene, 2);
    // Walks nest: each has its own cursor.
    Wettbewerb_Vertikal v;
    Wettbewerb_Horizontal h;
    std::vector<i32> alle;
    for (i32 e = v.Wurzel(nord); e != -1; e = v.Naechste())
        for (i32 x = h.Erster(e); x != -1; x = h.Naechster()) alle.push_back(x);
    EXPECT_EQ(alle, (std::vector<i32>{oben, mitte, nord, sued}));
    // A competition not held this season is skipped.
    Wettbewerb_Tabelle[4].kalendermarke = -1;
    EXPECT_EQ(Wettbewerb_Visuell_Horizontal_Erster(nord), nord);
    EXPECT_EQ(Wettbewerb_Visuell_Horizontal_Naechster(), -1);
    // A cycle of visual links ends the count with 4 levels.
    Wettbewerb_Tabelle[1].visuell_vorgaenger = 3;
    Wettbewerb_Tabelle[3].visuell_nachfolger = 1;
    Wettbewerb_Visuell_Vertikal_Anz(mitte, &ebenen, &eigene);
    EXPECT_EQ(ebenen, 4);
    EXPECT_EQ(eigene, 0);
    EXPECT_EQ(Wettbewerb_Get_Liga_Von_Team(99, false), -1);
}

// Knock-out fields of any size: the rounds and the games of each round
// (a round of an odd field has one game with a bye), and warning 201 for
// more matchdays than rounds.
TEST_F(WettbewerbConfig, KoRundenJederFeldgroesse) {
    const struct {
        int teams;
        std::vector<u32> spiele;
    } faelle[] = {
        {2, {1}},           {3, {2, 1}},        {6, {3, 2, 1}},         {12, {6, 3, 2, 1}},
        {15, {8, 4, 2, 1}}, {16, {8, 4, 2, 1}}, {20, {10, 5, 3, 2, 1}}, {33, {17, 9, 5, 3, 2, 1}},
    };
    for (const auto& f : faelle) {
        const std::string text = "NEUER_WETTBEWERB\nIDENTIFIKATION K\nNAME \"Pokal\"\nMODUS KO_SYSTEM\nTEAMS " +
                                 std::to_string(f.teams) + "\n";
        Meldungen m;
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
        ASSERT_EQ(W(0).spieltage, static_cast<i32>(f.spiele.size())) << f.teams;
        ASSERT_EQ(Wettbewerb_Spielplaene_Erstellen(), 1);
        for (size_t md = 0; md < f.spiele.size(); ++md) {
            u32 k = 0;
            while (Spiele_Lock_Halter h{Spiele_Lock(50, static_cast<u32>(md), 0, k)}) ++k;
            EXPECT_EQ(k, f.spiele[md]) << f.teams << " teams, round " << md;
        }
        Spiele_Free();
        ASSERT_TRUE(Spiele_Init());
    }
    // 20 teams play five rounds: SPIELTAGE 5 is right, 6 is one too many.
    for (const auto& [tage, warnung] : {std::pair{5, false}, std::pair{6, true}}) {
        const std::string text =
            "NEUER_WETTBEWERB\nIDENTIFIKATION K\nNAME \"Pokal\"\nMODUS KO_SYSTEM\nTEAMS 20\n"
            "SPIELTAGE " +
            std::to_string(tage) + "\n";
        Meldungen m;
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text.data(), static_cast<u32>(text.size())));
        EXPECT_EQ(m.Enthaelt("(201) Zuviele Spieltage angegeben (Pokal)"), warnung) << tage;
        EXPECT_EQ(W(0).spieltage, 5);
    }
}

// Promotion and relegation places, their colours and the league
// percentage follow the levels of a league system; a later round's matchday
// importance stays in range.
TEST_F(WettbewerbConfig, AufAbstiegFarbenUndLigaProzent) {
    ASSERT_TRUE(
        Lesen("NEUER_WETTBEWERB\nIDENTIFIKATION L1\nNAME \"Oben\"\nBASISLIGA JA\nTEAMS 6\n"
              "VISUELL_NACHFOLGER L2\nQUALI_FUER EC,,,,L2,L2\nSTARTTEILNEHMER 1,2,3,4,5,6\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION L2\nNAME \"Unten\"\nBASISLIGA JA\nTEAMS 6\n"
              "QUALI_FUER L1,L1\nSTARTTEILNEHMER 7,8,9,10,11,12\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION EC\nNAME \"Europa\"\nTEAMS 8\nWICHTIG 95\nQUALI_LAND 30,2\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION R1\nNAME \"Pokal\"\nTEAMS 8\nSPIELTAGE 10\nNACHFOLGERUNDE R2\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION R2\nNAME \"Pokal\"\nTEAMS 4\nSPIELTAGE 3\n"));
    const i32 oben = W(0).id, unten = W(1).id;
    i32 auf = -1, ab = -1;
    Wettbewerb_Get_Auf_Abstieg(oben, &auf, &ab);
    EXPECT_EQ(auf, 0);
    EXPECT_EQ(ab, 5);
    Wettbewerb_Get_Auf_Abstieg(unten, &auf, &ab);
    EXPECT_EQ(auf, 2);
    EXPECT_EQ(ab, 0);
    EXPECT_EQ(Wettbewerb_Get_Platz_Farbe(oben, 0), 0xFCFE28);   // international, important
    EXPECT_EQ(Wettbewerb_Get_Platz_Farbe(oben, 5), 0xC57139);   // relegation
    EXPECT_EQ(Wettbewerb_Get_Platz_Farbe(unten, 1), 0x11FF22);  // promotion
    EXPECT_EQ(Wettbewerb_Get_Platz_Farbe(unten, 3), -1);
    EXPECT_EQ(Wettbewerb_Get_Liga_Prozent(3), 100);
    EXPECT_EQ(Wettbewerb_Get_Liga_Prozent(9), 75);
    EXPECT_EQ(Wettbewerb_Get_Liga_Prozent(99), 100);  // no base league
    const i32* z = Wettbewerb_Get_Qualifikanten(oben, 0);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z[0], W(2).id);
    EXPECT_EQ(z[1], -1);
    EXPECT_EQ(Wettbewerb_Get_Qualifikanten(oben, 6), nullptr);
    // The second round's last matchday lies past the bonus table's end.
    const i32 r2 = W(4).id;
    for (i32 d = 0; d < 3; ++d) {
        const i32 v = Wettbewerb_Get_Wichtigkeit(r2, d);
        EXPECT_TRUE(v >= 0 && v <= 100) << d;
        EXPECT_GE(v, Wettbewerb_Get_Wichtigkeit(r2, 0));
    }

    // Start money by difficulty and league level (an unknown difficulty
    // counts as the default); a new game opens every club's account at its
    // league's level, a manager's club at the game's difficulty, and keeps
    // an account that is open already.
    const struct {
        i32 schwierigkeit, prozent;
        i64 betrag;
    } geld[] = {{2, 100, 3500000}, {0, 100, 6500000}, {4, 25, 1000000}, {2, 75, 2700000}, {9, 100, 3500000}, {1, 0, 500000}};
    for (const auto& g : geld) EXPECT_EQ(Startkonto_Betrag(g.schwierigkeit, g.prozent), g.betrag) << g.schwierigkeit;
    // A computer club's by its ground against its league's median: half
    // to two and a half times the default, rounded down to 100,000.
    const struct {
        i32 prozent;
        f64 groesse;
        i64 betrag;
    } computer[] = {{100, 1.0, 3500000}, {100, 2.0, 7000000}, {100, 9.0, 8750000 / 100000 * 100000},
                    {100, 0.1, 1700000}, {75, 1.3, 3510000 / 100000 * 100000}, {100, -1.0, 1700000},
                    {100, std::numeric_limits<f64>::quiet_NaN(), 3500000}};
    for (const auto& c : computer) EXPECT_EQ(Startkonto_Computerclub(c.prozent, c.groesse), c.betrag) << c.groesse;
    ASSERT_TRUE(Welt_Anlegen(13, 0));
    for (i32 t = 1; t < 13; ++t) Team_Daten[t].art = TEAM_ART_VEREIN;
    ASSERT_TRUE(Manager_Neuer_Mitspieler(9, "Manager", -1));
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(4, 42, 0));
    Schwierigkeit = 0;
    Startkonten_Eroeffnen();
    Schwierigkeit = 2;
    EXPECT_FALSE(Bank_Konto_Offen(0));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(3, 0, -1), 3500000);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(4, 0, -1), 42);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(8, 0, -1), 2700000);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(9, 0, -1), 5000000);
    Bank_Free();
    Welt_Freigeben();
}

// Match time of a cup with extra time and penalties: half ends, phases,
// golden goal, the stoppage decision with its draws, and the points money.
TEST_F(WettbewerbConfig, SpielzeitHalbzeitenUndPunktgeld) {
    ASSERT_TRUE(
        Lesen("NEUER_WETTBEWERB\nIDENTIFIKATION P\nNAME \"Pokal\"\nTEAMS 8\nMODUS KO_SYSTEM\n"
              "SIEG_PRAEMIE 5000\nUNENTSCHIEDEN_PRAEMIE 2000\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION L\nNAME \"Liga\"\nTEAMS 8\n"));
    Wettbewerb_Tabelle[0].modus |= WB_VERLAENGERUNG | WB_ELFMETERSCHIESSEN | WB_SUDDEN_DEATH;
    const i32 p = W(0).id, l = W(1).id;
    const struct {
        i32 minute, halbzeit, ende;
    } enden[] = {{44, 0, -1},   {45, 0, 45},   {89, 1, -1},  {93, 1, 90}, {104, 2, -1},
                 {105, 2, 105}, {120, 3, 120}, {200, 4, -1}, {50, -1, -1}};
    for (const auto& e : enden) EXPECT_EQ(Wettbewerb_Get_Halbzeit_Ende(p, e.minute, e.halbzeit), e.ende) << e.minute;
    EXPECT_EQ(Wettbewerb_Get_Anz_Halbzeiten(p), 5);
    EXPECT_EQ(Wettbewerb_Get_Anz_Halbzeiten(l), 2);
    EXPECT_EQ(Wettbewerb_Get_Spielzeit(p, false), 90);
    EXPECT_EQ(Wettbewerb_Get_Spielzeit(p, true), 120);
    EXPECT_TRUE(Wettbewerb_Ist_Sudden_Death(p, 2));
    EXPECT_FALSE(Wettbewerb_Ist_Sudden_Death(p, 1));
    EXPECT_FALSE(Wettbewerb_Ist_Sudden_Death(l, 2));
    EXPECT_FALSE(Wettbewerb_Elfmeterschiessen_Noetig(p, 0, 0, 2, -1, 0, 0));  // extra time still to come

    // Before the end no draw; five minutes over, one draw and the end; a
    // forced decision ends the half or, after the second half, the match.
    const u32 start = Rnd_Get_Index();
    EXPECT_EQ(Wettbewerb_Halbzeit_Pruefen(p, 44, 0, false, true), 2);
    EXPECT_EQ(Rnd_Get_Index(), start);
    EXPECT_EQ(Wettbewerb_Halbzeit_Pruefen(p, 50, 0, false, true), 4);
    EXPECT_EQ(Rnd_Get_Index(), start + 1);
    EXPECT_EQ(Wettbewerb_Halbzeit_Pruefen(p, 90, 1, true, false), 8);
    EXPECT_EQ(Wettbewerb_Halbzeit_Pruefen(p, 120, 3, true, false), 8);
    EXPECT_EQ(Wettbewerb_Halbzeit_Pruefen(l, 45, 0, false, false), 2);  // not ready: play on

    ASSERT_TRUE(Welt_Anlegen(8, 0));
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(3, 1000, 0));
    EXPECT_TRUE(Wettbewerb_Zahle_Punkt_U(p, 3, 1));
    EXPECT_TRUE(Wettbewerb_Zahle_Punkt_U(p, 3, 0));
    EXPECT_FALSE(Wettbewerb_Zahle_Punkt_U(p, 3, -1));  // a defeat pays nothing
    EXPECT_FALSE(Wettbewerb_Zahle_Punkt_U(l, 3, 1));   // no money set
    EXPECT_FALSE(Wettbewerb_Zahle_Punkt_U(p, 0, 1));
    Internet_Modus = INTERNET_MODUS_CLIENT;
    EXPECT_FALSE(Wettbewerb_Zahle_Punkt_U(p, 3, 1));
    Internet_Modus = INTERNET_MODUS_EINZEL;
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(3, 0, -1), 8000.0);
    Bank_Free();
    Welt_Freigeben();
}

// The shipped file without a message, its links and the home country's
// leagues and cup (the two-season run plays every competition of it).
TEST_F(WettbewerbConfig, ShippedFileReadsWithoutMessages) {
    const std::string pfad = season_test::Quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = season_test::Quelle("data/config/1_wettbewerb_alias.cfg");
    if (!std::filesystem::exists(pfad)) GTEST_SKIP() << "no shipped competition file";
    Meldungen m;
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str()));
    EXPECT_TRUE(m.texte.empty()) << m.Alle();
    int n = 0;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = W(i);
        if (!w.name[0]) continue;
        ++n;
        EXPECT_EQ(w.id, 50 + i);
        if (w.naechste_runde >= 0) {
            EXPECT_EQ(W(w.naechste_runde).vorherige_runde >= 0, true) << w.name;
        }
        if ((w.modus & WB_KO_SYSTEM) && (w.modus & WB_RUECKSPIELE)) {
            EXPECT_GE(w.best_of_x, 2) << w.name;
        }
        if (w.naechste_gruppe >= 0) {
            EXPECT_EQ(W(w.naechste_gruppe).visuell_gruppe, w.visuell_gruppe) << w.name;
        }
    }
    EXPECT_GT(n, 10);
    EXPECT_EQ(Wettbewerb_Spielplaene_Erstellen(), n);
    // The home country: three levels with two parallel lowest leagues,
    // promotion and relegation between them.
    i32 d1 = Wettbewerb_Get_Index(50);
    ASSERT_STREQ(W(d1).identifikation, "D1");
    EXPECT_EQ(W(d1).spieltage, 34);
    EXPECT_EQ(W(d1).land, 1);
    i32 ebenen = 0, eigene = 0;
    Wettbewerb_Visuell_Vertikal_Anz(W(3).id, &ebenen, &eigene);
    EXPECT_EQ(ebenen, 3);
    EXPECT_EQ(W(2).visuell_gruppe, W(3).visuell_gruppe);
    EXPECT_EQ(W(0).quali_fuer[1][17], 1);  // relegated to the second level
    EXPECT_EQ(W(1).quali_fuer[0][0], 0);   // promoted to the first
    EXPECT_EQ(W(1).quali_fuer[1][17], 3);
    // The national cup: knock-out with extra time and penalties, five rounds.
    EXPECT_EQ(W(4).modus & (WB_KO_SYSTEM | WB_VERLAENGERUNG | WB_ELFMETERSCHIESSEN),
              WB_KO_SYSTEM | WB_VERLAENGERUNG | WB_ELFMETERSCHIESSEN);
    EXPECT_EQ(W(4).spieltage, 5);
}

}  // namespace

namespace {

TEST_F(WettbewerbConfig, FehlendeIdentifikationFaelltAufDenLetztenGutenSatzZurueck) {
    season_test::Spielordner ordner;
    ordner.Schreiben("1_wettbewerb.cfg", "NEUER_WETTBEWERB\nIDENTIFIKATION GUT\nNAME \"Gut\"\n");
    ordner.Schreiben("1_wettbewerb_alias.cfg", "");
    ordner.Schreiben("2_wettbewerb.cfg", "NEUER_WETTBEWERB\nNAME \"Schlecht\"\nNEUER_WETTBEWERB\nIDENTIFIKATION X\n");
    Meldungen m;
    ASSERT_TRUE(Wettbewerb_Config_Eintrag_Lesen(0, 0));
    EXPECT_EQ(Wettbewerb_Config_Letzter_Set(), 0);
    EXPECT_TRUE(Wettbewerb_Config_Cache_Geschrieben());
    EXPECT_TRUE(std::filesystem::exists(ordner.pfad + "/config/1_config.bin"));
    EXPECT_TRUE(Wettbewerb_Config_Eintrag_Lesen(1, 0));
    EXPECT_TRUE(m.Genau("[3] Syntax-Error in wettbewerb.cfg:\n - (102) Identifikation fue Wettbewerb fehlt \n\n"))
        << m.Alle();
    EXPECT_STREQ(W(0).name, "Gut");  // set 0 was read again
    EXPECT_EQ(Wettbewerb_Config_Letzter_Set(), 0);
    EXPECT_FALSE(std::filesystem::exists(ordner.pfad + "/config/2_config.bin"));
    EXPECT_EQ(Quit_Status, QUIT_STATUS_LAEUFT);
    // A missing file ends the game with its message.
    EXPECT_FALSE(Wettbewerb_Config_Eintrag_Lesen(5, 0));
    EXPECT_TRUE(m.Genau("WCONFIG!\n"));
    EXPECT_EQ(Quit_Status, QUIT_STATUS_ANGEFORDERT);
}

}  // namespace

namespace {

TEST_F(WettbewerbConfig, RundenUndGruppenKetten) {
    ASSERT_TRUE(
        Lesen("NEUER_WETTBEWERB\nIDENTIFIKATION GA\nNAME \"Cup\"\nTEAMS 4\nPARALLELGRUPPE GB\nNACHFOLGERUNDE KO\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION GB\nNAME \"Cup\"\nTEAMS 4\nPARALLELGRUPPE GC\nNACHFOLGERUNDE KO\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION GC\nNAME \"Cup\"\nTEAMS 4\nNACHFOLGERUNDE KO\n"
              "NEUER_WETTBEWERB\nIDENTIFIKATION KO\nNAME \"Cup\"\nTEAMS 4\nMODUS KO_SYSTEM\n"));
    Wettbewerb_Tabelle[1].aktuelle_team[2] = 44;
    EXPECT_EQ(Wettbewerb_Get_Team_Slot(&Wettbewerb_Tabelle[1], 44), 2);
    EXPECT_EQ(Wettbewerb_Get_Team_Slot(&Wettbewerb_Tabelle[1], 45), -1);
    EXPECT_EQ(Wettbewerb_Get_Index_Von_Zeiger(&Wettbewerb_Tabelle[2]), 2);
    EXPECT_EQ(Wettbewerb_Naechste_Runde(&Wettbewerb_Tabelle[1]), &Wettbewerb_Tabelle[3]);
    EXPECT_EQ(Wettbewerb_Vorherige_Runde(&Wettbewerb_Tabelle[3]), &Wettbewerb_Tabelle[0]);
    EXPECT_EQ(Wettbewerb_Vorherige_Runde(&Wettbewerb_Tabelle[2]), nullptr);  // the first round has none
    EXPECT_EQ(Wettbewerb_Naechste_Gruppe(&Wettbewerb_Tabelle[2]), nullptr);
    EXPECT_EQ(Wettbewerb_Vorherige_Gruppe(&Wettbewerb_Tabelle[2]), &Wettbewerb_Tabelle[1]);
    EXPECT_EQ(Wettbewerb_Naechste_Runde(&Wettbewerb_Tabelle[100]), nullptr);
    EXPECT_EQ(Wettbewerb_Naechste_Runde(nullptr), nullptr);
    EXPECT_EQ(Wettbewerb_Get_Erste_Runde(53), 50);
    EXPECT_EQ(Wettbewerb_Get_Naechste_Runde(), 53);
    EXPECT_EQ(Wettbewerb_Get_Naechste_Runde(), -1);
    EXPECT_EQ(Wettbewerb_Get_Erste_Gruppe(52), 50);
    EXPECT_EQ(Wettbewerb_Get_Naechste_Gruppe(), 51);
    EXPECT_EQ(Wettbewerb_Get_Naechste_Gruppe(), 52);
    EXPECT_EQ(Wettbewerb_Get_Naechste_Gruppe(), -1);
    EXPECT_EQ(Wettbewerb_Get_Vorherige_Gruppe_Id(52), 51);
    EXPECT_EQ(Wettbewerb_Anz_Runden(51), 2);
    EXPECT_EQ(Wettbewerb_Anz_Runden(99), 0);
    EXPECT_EQ(Wettbewerb_Anz_Gruppen(51), 3);
    EXPECT_EQ(Wettbewerb_Get_Wurzel_Id(53), 53);
    Wettbewerb_Tabelle[3].wurzel = 0;
    EXPECT_EQ(Wettbewerb_Get_Wurzel_Id(53), 50);
    // A self link does not loop.
    Wettbewerb_Tabelle[3].naechste_runde = 3;
    EXPECT_EQ(Wettbewerb_Anz_Runden(53), 2);
}

}  // namespace

namespace {

// What a reading leaves: every record's image, the reference lists, the
// messages, the developer log and the cache file.
struct Stand {
    std::vector<u8> bilder;
    std::vector<std::string> listen, meldungen, protokoll;
    std::string cache;
    i32 dummy = 0, freundschaft = 0;
    bool operator==(const Stand&) const = default;
};

std::string datei_text(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Reads set 0 (read ahead first when `voraus`) and what that left.
Stand lesen_und_stand(const season_test::Spielordner& ordner, bool voraus, bool* ok) {
    Stand s;
    Spielstand_Config_Warten();  // a cache still being written by an earlier reading
    Wettbewerb_Reset(-1);
    std::filesystem::remove(ordner.pfad + "/config/1_config.bin");
    {
        Meldungen m;
        Debug_Mitschnitt d;
        if (voraus) Wettbewerb_Config_Vorab_Lesen(0, 0);
        *ok = Wettbewerb_Config_Eintrag_Lesen(0, 0);
        s.meldungen = m.texte;
        s.protokoll = d.Zeilen();
    }
    s.bilder.resize(WETTBEWERB_ANZAHL * WETTBEWERB_GROESSE);
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i)
        Wettbewerb_Bild_Schreiben(Wettbewerb_Tabelle[i], s.bilder.data() + i * WETTBEWERB_GROESSE);
    for (int art = 0; art < WETTBEWERB_CONFIG_LISTEN; ++art)
        for (const Wettbewerb_Referenz& r : Wettbewerb_Config_Liste(art)) {
            std::string z = std::to_string(art) + ":" + r.text + "@" + std::to_string(r.index) + "/" +
                             std::to_string(r.zeile) + (r.aufgeloest ? "+" : "-") + (r.abgewiesen ? "!" : "");
            for (i32 w : r.werte) {
                z += ' ';
                z += std::to_string(w);
            }
            s.listen.push_back(z);
        }
    if (*ok && Wettbewerb_Config_Cache_Geschrieben()) s.cache = datei_text(ordner.pfad + "/config/1_config.bin");
    s.dummy = Wettbewerb_Dummy_Anzahl;
    s.freundschaft = Wettbewerb_Freundschaft_Id;
    return s;
}

// The file read ahead on a worker leaves what the game's own reading
// leaves (records, lists, messages, log, cache); it is taken only when the
// reading had nothing to report, else the game reads the file again and
// the player sees the messages once.
TEST_F(WettbewerbConfig, VorausGelesenGleichtDemSelbstGelesenen) {
    const std::string versand = datei_text(season_test::Quelle("data/config/1_wettbewerb.cfg"));
    const std::string versand_alias = datei_text(season_test::Quelle("data/config/1_wettbewerb_alias.cfg"));
    const std::string kopf = "NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"A\"\nTEAMS 4\n";
    const std::string tag = Kalender_Get_Wochentag_Text(3);
    const Kontinent_Def kontinent_alt = Kontinent_Tabelle[2];
    std::snprintf(Kontinent_Tabelle[2].name, sizeof Kontinent_Tabelle[2].name, "Ozeanien");
    const struct {
        const char* name;
        std::string text, alias;
        bool genommen;
    } faelle[] = {
        {"ausgeliefert", versand, versand_alias, true},
        {"Wochentag und Kontinent (Namen des Spiels)",
         kopf + "WOCHENTAG " + tag + "\nKONTINENT Ozeanien\nNEUER_WETTBEWERB\nIDENTIFIKATION B\nWOCHENTAG " + tag +
             "\nKONTINENT Atlantis\n",
         "", true},
        {"Alias in Listen", kopf + "STARTTEILNEHMER #EINS, #ZWEI, 3, 4\n", "EINS 7\nZWEI 9\n", true},
        {"Syntaxfehler", kopf + "UNBEKANNT 3\n", "", false},
        {"ungueltige Zahl in einer Liste", kopf + "WER_GEGEN_WEN 1, 300\n", "", false},
        {"unbekannter Alias", kopf + "STARTTEILNEHMER #NIRGENDS\n", "", false},
        {"Identifikation fehlt", kopf + "NEUER_WETTBEWERB\nNAME \"B\"\n", "", false},
        {"Pruefsumme falsch", "CHECKSUMME 12345\n" + kopf, "", false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        if (f.text.empty()) continue;  // no shipped file beside the test
        season_test::Spielordner ordner;
        ordner.Schreiben("1_wettbewerb.cfg", f.text);
        ordner.Schreiben("1_wettbewerb_alias.cfg", f.alias);
        bool ok_selbst = false, ok_voraus = false;
        const Stand selbst = lesen_und_stand(ordner, false, &ok_selbst);
        EXPECT_FALSE(Wettbewerb_Config_Vorab_Genommen());
        const Stand voraus = lesen_und_stand(ordner, true, &ok_voraus);
        EXPECT_EQ(Wettbewerb_Config_Vorab_Genommen(), f.genommen);
        EXPECT_EQ(ok_voraus, ok_selbst);
        EXPECT_TRUE(voraus.bilder == selbst.bilder);
        EXPECT_EQ(voraus.listen, selbst.listen);
        EXPECT_EQ(voraus.meldungen, selbst.meldungen);
        EXPECT_EQ(f.genommen, selbst.meldungen.empty());
        EXPECT_EQ(voraus.protokoll, selbst.protokoll);
        EXPECT_TRUE(voraus.cache == selbst.cache);
        EXPECT_EQ(voraus.dummy, selbst.dummy);
        EXPECT_EQ(voraus.freundschaft, selbst.freundschaft);
    }
    Kontinent_Tabelle[2] = kontinent_alt;
}

// A reading ahead that no longer fits is left: the file changed after it,
// or another set is read. The game reads the file as it is now.
TEST_F(WettbewerbConfig, VorausGelesenesVeraltet) {
    season_test::Spielordner ordner;
    ordner.Schreiben("1_wettbewerb.cfg", "NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"Alt\"\n");
    ordner.Schreiben("1_wettbewerb_alias.cfg", "");
    ordner.Schreiben("2_wettbewerb.cfg", "NEUER_WETTBEWERB\nIDENTIFIKATION B\nNAME \"Zwei\"\n");
    // Changed after the worker's reading (the reading waits for the worker).
    Wettbewerb_Config_Vorab_Lesen(0, 0);
    ordner.Schreiben("1_wettbewerb.cfg", "NEUER_WETTBEWERB\nIDENTIFIKATION A\nNAME \"Neuer Name\"\n");
    ASSERT_TRUE(Wettbewerb_Config_Eintrag_Lesen(0, 0));
    EXPECT_STREQ(W(0).name, "Neuer Name");
    // Another set read ahead.
    Wettbewerb_Config_Vorab_Lesen(1, 0);
    ASSERT_TRUE(Wettbewerb_Config_Eintrag_Lesen(0, 0));
    EXPECT_FALSE(Wettbewerb_Config_Vorab_Genommen());
    EXPECT_STREQ(W(0).name, "Neuer Name");
    // Taken once only: the next reading reads itself.
    Wettbewerb_Config_Vorab_Lesen(0, 0);
    ASSERT_TRUE(Wettbewerb_Config_Eintrag_Lesen(0, 0));
    EXPECT_TRUE(Wettbewerb_Config_Vorab_Genommen());
    ASSERT_TRUE(Wettbewerb_Config_Eintrag_Lesen(0, 0));
    EXPECT_FALSE(Wettbewerb_Config_Vorab_Genommen());
    EXPECT_STREQ(W(0).name, "Neuer Name");
}

}  // namespace
