// The shipped world loads with the right counts; the writers round-trip it;
// bad files give coded messages and leave the world as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/files.h"
#include "base/globals.h"
#include "base/memory.h"
#include "base/spielstand.h"
#include "welt_test.h"
#include "world/aufstellung.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/konfig_schluessel.h"
#include "world/speichern.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

void schreiben(const std::string& pfad, const std::string& text) {
    std::ofstream f(pfad, std::ios::binary);
    f << text;
}

// A copy of the shipped world in a test folder, with one file changed.
std::string kopie(const char* name, const std::string& datei = "", const std::string& inhalt = "") {
    std::string o = welt_temp_ordner(name);
    for (const char* n : {"team", "spieler", "personal", "global"}) {
        for (const char* a : {".cfg", "_alias.cfg"}) {
            std::string f = std::string("1_") + n + a;
            schreiben(o + "/" + f, datei_lesen(welt_quelle() + "/" + f));
        }
    }
    if (!datei.empty()) schreiben(o + "/" + datei, inhalt);
    return o;
}

using WeltLaden = Geladene_Welt;

TEST_F(WeltLaden, ShippedWorldHasTheRightCounts) {
    EXPECT_EQ(Team_Anzahl, 280);
    EXPECT_EQ(Spieler_Anzahl, (Team_Anzahl - 1) * 20 + 1700);
    EXPECT_EQ(Team_Transfermarkt, 0);
    EXPECT_EQ(Team_Kader_Anzahl(Team_Transfermarkt), 1700);
    int nationen = 0, vereine = 0, scouts = 0;
    for (int t = 0; t < Team_Anzahl; t++) {
        if (t != Team_Transfermarkt) {
            EXPECT_EQ(Team_Kader_Anzahl(t), 20) << t;
        }
        if (Team_Wert(7, t, 0, OP_LESEN) & TEAM_STATUS_LAND) nationen++;
        else if (t != Team_Transfermarkt) vereine++;
    }
    for (int i = 0; i < Team_Kader_Anzahl(0); i++)
        if (Spieler_Wert(75, Team_Kader(0)[i], 0, OP_LESEN) & SP_STATUS_SCOUT) scouts++;
    EXPECT_EQ(nationen, 15);
    EXPECT_EQ(vereine, 264);
    EXPECT_EQ(scouts, 60);
}

TEST_F(WeltLaden, WritersRoundTripTheWorld) {
    std::string o = welt_temp_ordner("rundreise");
    Abbild vorher, nachher;
    vorher.nehmen();
    ASSERT_TRUE(
        Convert_Team_Config_Speichern_Pfad((o + "/1_team.cfg").c_str(), (o + "/1_team_alias.cfg").c_str(), "test01"));
    ASSERT_TRUE(Convert_Spieler_Config_Speichern_Pfad((o + "/1_spieler.cfg").c_str(),
                                                      (o + "/1_spieler_alias.cfg").c_str(), "test01"));
    Melder_Mitschnitt m;
    ASSERT_TRUE(Team_Pfad((o + "/1_team.cfg").c_str(), (o + "/1_team_alias.cfg").c_str())) << m.alle();
    int ok = 0;
    ASSERT_TRUE(Spieler_Pfad((o + "/1_spieler.cfg").c_str(), (o + "/1_spieler_alias.cfg").c_str(), &ok)) << m.alle();
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(m.alle(), "");  // the written checksums are right
    Team_Nach_Spieler(0);
    nachher.nehmen();
    EXPECT_TRUE(nachher == vorher);
}

TEST_F(WeltLaden, GlobalAndStaffWritersRoundTrip) {
    std::string o = welt_temp_ordner("global");
    std::vector<u8> vorher;
    auto nehmen = [](std::vector<u8>* v) {
        v->clear();
        auto add = [v](const void* p, size_t n) {
            v->insert(v->end(), static_cast<const u8*>(p), static_cast<const u8*>(p) + n);
        };
        add(Kontinent_Tabelle, sizeof Kontinent_Tabelle);
        add(Trainingslager_Tabelle, sizeof Trainingslager_Tabelle);
        add(Attribut_Tabelle, sizeof Attribut_Tabelle);
        add(&Global_Param, sizeof Global_Param);
        add(&Global_Preis_Faktor, sizeof Global_Preis_Faktor);
        add(Scout_Tabelle, sizeof Scout_Tabelle);
    };
    nehmen(&vorher);
    ASSERT_TRUE(
        Global_Cfg_Speichern_Pfad((o + "/1_global.cfg").c_str(), (o + "/1_global_alias.cfg").c_str(), "test01"));
    ASSERT_TRUE(
        Personal_Cfg_Speichern_Pfad((o + "/1_personal.cfg").c_str(), (o + "/1_personal_alias.cfg").c_str(), "test01"));
    Global_Cfg_Leeren();
    std::vector<u8> leer;
    nehmen(&leer);
    EXPECT_NE(leer, vorher);
    Melder_Mitschnitt m;
    ASSERT_TRUE(Global_Cfg_Laden_Pfad((o + "/1_global.cfg").c_str(), (o + "/1_global_alias.cfg").c_str())) << m.alle();
    ASSERT_TRUE(Personal_Cfg_Laden_Pfad((o + "/1_personal.cfg").c_str(), (o + "/1_personal_alias.cfg").c_str()))
        << m.alle();
    EXPECT_EQ(m.alle(), "");
    std::vector<u8> nachher;
    nehmen(&nachher);
    EXPECT_EQ(nachher, vorher);
    // A block past its table's end is refused and the tables stay.
    const std::string gut = datei_lesen(o + "/1_global.cfg");
    for (const char* block : {"NEUER_KONTINENT", "NEUER_TR_LAGER", "NEUES_ATTRIBUT"}) {
        std::string zu_viele = gut;
        for (int i = 0; i < 60; i++) zu_viele += std::string("\r\n") + block + "\r\n";
        schreiben(o + "/1_global.cfg", zu_viele);
        EXPECT_FALSE(Global_Cfg_Laden_Pfad((o + "/1_global.cfg").c_str(), (o + "/1_global_alias.cfg").c_str()));
        nehmen(&nachher);
        EXPECT_EQ(nachher, vorher) << block;
    }
    EXPECT_TRUE(m.enthaelt("(105) Zu viele Kontinente")) << m.alle();
    EXPECT_TRUE(m.enthaelt("(105) Zu viele Trainingslager"));
    EXPECT_TRUE(m.enthaelt("(105) Zu viele Attribute"));
    schreiben(o + "/1_global.cfg", gut);
    // Unknown keys go to the season module's hook; what it does not know is an error.
    std::string text = datei_lesen(o + "/1_global.cfg");
    text += "\r\nSTADION_MODELL_2\r\nMIN_KAPAZITAET 4000\r\n";
    schreiben(o + "/1_global.cfg", text);
    EXPECT_FALSE(Global_Cfg_Laden_Pfad((o + "/1_global.cfg").c_str(), (o + "/1_global_alias.cfg").c_str()));
    EXPECT_TRUE(m.enthaelt("(101) Unbekannter Befehl (STADION_MODELL_2)"));
    Welt_Hooks h;
    h.global_cfg_schluessel = [](const char* k) {
        return std::strncmp(k, "STADION_", 8) == 0 || std::strcmp(k, "MIN_KAPAZITAET") == 0 ? 1 : 0;
    };
    Welt_Set_Hooks(h);
    EXPECT_TRUE(Global_Cfg_Laden_Pfad((o + "/1_global.cfg").c_str(), (o + "/1_global_alias.cfg").c_str()));
    Welt_Set_Hooks({});
}

// Bad files: each gives a coded message with its line and leaves the world as it was.
// A new game reads global.cfg and then resets it: the reset undoes what the
// game changed and keeps what was read.
TEST_F(WeltLaden, ResetKeepsTheLoadedGlobalTables) {
    const Kontinent_Def kontinent = Kontinent_Tabelle[0];
    const i32 preis = Global_Preis_Faktor;
    const Scout_Def scout = Scout_Tabelle[0];
    ASSERT_NE(kontinent.name[0], 0);
    ASSERT_NE(scout.vorname[0], 0);
    Global_Preis_Faktor = preis + 17;
    Kontinent_Tabelle[0].name[0] = 0;
    Global_Attribut_Wahl_Flag = 1;
    Global_Cfg_Reset();
    EXPECT_EQ(Global_Preis_Faktor, preis);
    EXPECT_EQ(std::memcmp(&Kontinent_Tabelle[0], &kontinent, sizeof kontinent), 0);
    EXPECT_EQ(std::memcmp(&Scout_Tabelle[0], &scout, sizeof scout), 0);
    EXPECT_EQ(Global_Attribut_Wahl_Flag, 0);
    Global_Cfg_Leeren();
    EXPECT_EQ(Kontinent_Tabelle[0].name[0], 0);
    Global_Cfg_Reset();  // nothing read since: the defaults
    EXPECT_EQ(Kontinent_Tabelle[0].name[0], 0);
}

struct Fehlerfall {
    const char* datei;
    const char* alt;
    const char* neu;
    const char* meldung;
};

TEST_F(WeltLaden, BadFilesAreRefusedWithCodedMessagesAndTheWorldStays) {
    const std::string team = datei_lesen(welt_quelle() + "/1_team.cfg");
    const std::string spieler = datei_lesen(welt_quelle() + "/1_spieler.cfg");
    const Fehlerfall faelle[] = {
        {"1_team.cfg", "\tKURZNAME", "\tKURZNAMEN", "(101) Unbekannter Befehl (KURZNAMEN)"},
        {"1_team.cfg", "\tKONTINENT                          3", "\tKONTINENT                          15",
         "(103) Wert ausserhalb der Grenzen"},
        {"1_team.cfg", "#ENG", "#ENGLAND", "(104) Unbekannter Alias (#ENGLAND)"},
        {"1_team.cfg", "\tNUMMER                             2\r\n", "\tNUMMER                             7\r\n",
         "(105) Falsche Teamnummer"},
        {"1_team.cfg", "TRANSFERMARKT", "VEREIN", "(105) Kein Transfermarkt"},
        {"1_team.cfg", "\tTRIKOT                             ", "\tTRIKOT                             1,", "(103)"},
        {"1_spieler.cfg", "NEUER_SPIELER\r\n\tTEAM                               #MARKT",
         "NEUER_SPIELER\r\n\tTEAM                               #ENG", "Falsche Spielerzahl!"},
        {"1_spieler.cfg", "\tSTAERKE                            ", "\tSTAERKE                            12001",
         "(103)"},
        {"1_spieler.cfg", "\tPOSITION                           TOR", "\tPOSITION                           LIBERO",
         "(103)"},
        {"1_spieler.cfg", "\tATTRIBUTE                          ", "\tATTRIBUTE                          x1,",
         "(103) Keine Zahl"},
    };
    std::vector<Spieler_Struktur> vorher(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
    int teams = Team_Anzahl;
    for (const auto& f : faelle) {
        std::string text = std::string(f.datei) == "1_team.cfg" ? team : spieler;
        size_t p = text.find(f.alt);
        ASSERT_NE(p, std::string::npos) << f.alt;
        text.replace(p, std::strlen(f.alt), f.neu);
        std::string o = kopie("fehler", f.datei, text);
        Melder_Mitschnitt m;
        EXPECT_FALSE(Welt_Laden_Ordner(o.c_str(), 0)) << f.neu;
        EXPECT_TRUE(m.enthaelt(f.meldung)) << f.neu << ": " << m.alle();
        EXPECT_TRUE(m.enthaelt("] Syntax-Error in ")) << m.alle();
        ASSERT_EQ(Team_Anzahl, teams);
        EXPECT_EQ(0, std::memcmp(vorher.data(), Spieler_Daten, vorher.size() * sizeof vorher[0]));
    }
    // A missing file.
    std::string o = kopie("fehlt");
    std::remove((o + "/1_spieler.cfg").c_str());
    Melder_Mitschnitt m;
    EXPECT_FALSE(Welt_Laden_Ordner(o.c_str(), 0));
    EXPECT_TRUE(m.enthaelt("(106) Datei fehlt")) << m.alle();
    EXPECT_EQ(Team_Anzahl, teams);
}

TEST_F(WeltLaden, SetsFromTheGameFolderAndTheCache) {
    ASSERT_TRUE(W32_Dir_Init());
    Melder_Mitschnitt m;
    ASSERT_TRUE(Welt_Laden(0)) << m.alle();
    EXPECT_EQ(Team_Anzahl, 280);
    // The binary cache of a set (the writers' round trip: WritersRoundTripTheWorld).
    std::vector<Spieler_Struktur> s(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
    Welt_Spielstand_Anmelden();
    ASSERT_TRUE(Spielstand_Config_Speichern(7, "Welt")) << Spielstand_Letzter_Fehler();
    Welt_Freigeben();
    ASSERT_TRUE(Spielstand_Config_Laden(7, nullptr)) << Spielstand_Letzter_Fehler();
    EXPECT_EQ(Spieler_Anzahl, static_cast<int>(s.size()));
    EXPECT_EQ(0, std::memcmp(s.data(), Spieler_Daten, s.size() * sizeof s[0]));
    EXPECT_STREQ(Team_Alias_Name(1), "DEU");
    EXPECT_EQ(Team_Kader_Anzahl(0), 1700);
    Spielstand_Config_Loeschen(7);
    for (int b : {SPIELSTAND_BLOCK_BANK, SPIELSTAND_BLOCK_WERBUNG, SPIELSTAND_BLOCK_MANAGER, SPIELSTAND_BLOCK_SPIELER,
                  SPIELSTAND_BLOCK_TEAMS, SPIELSTAND_BLOCK_STADIEN})
        Spielstand_Modul_Abmelden(b);
    Spielstand_Config_Modul_Abmelden(CONFIG_BLOCK_SPIELER);
    Spielstand_Config_Modul_Abmelden(CONFIG_BLOCK_TEAMS);
    // A missing set is refused and the world stays.
    EXPECT_FALSE(Welt_Laden(6));
    EXPECT_EQ(Team_Anzahl, 280);
}

// The world read ahead on a worker: what Team and Spieler then take equals
// the world read in the frame, without a message; a player file changed
// after it was read ahead is read anew; a damaged file read ahead shows its
// message once, from the frame's own reading.
TEST_F(WeltLaden, WorldReadAheadEqualsTheWorldReadInTheFrame) {
    const std::string o = kopie("vorab");
    char alt[W32_DIR_LAENGE];
    std::snprintf(alt, sizeof alt, "%s", W32_Dir_Tabelle[W32_DIR_CONFIG]);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s", o.c_str());
    const auto vorab = [] {
        for (int i = 0; i < 20000; ++i) {
            if (Welt_Vorab_Lesen(0)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    };
    const auto lesen = [] {
        int ok = 0;
        return Team(0) && Spieler(&ok) && ok;
    };
    ASSERT_TRUE(lesen());
    Abbild im_frame;
    im_frame.nehmen();

    Welt_Freigeben();
    {
        Melder_Mitschnitt m;
        EXPECT_FALSE(Welt_Vorab_Lesen(0)) << "handed to the worker";
        ASSERT_TRUE(vorab());
        EXPECT_TRUE(Welt_Vorab_Lesen(0)) << "read already";
        ASSERT_TRUE(lesen());
        EXPECT_EQ(m.alle(), "");
    }
    Abbild voraus;
    voraus.nehmen();
    EXPECT_TRUE(voraus == im_frame);

    // Changed after it was read ahead: the frame reads the new file.
    ASSERT_TRUE(vorab());
    std::string spieler = datei_lesen(o + "/1_spieler.cfg");
    // The first player's surname, the first name in quotes after NACHNAME.
    const size_t p = spieler.find('"', spieler.find("NACHNAME")) + 1;
    ASSERT_EQ(spieler[p], Spieler_Texte[0].nachname[0]);
    spieler[p] = spieler[p] == 'X' ? 'Y' : 'X';
    schreiben(o + "/1_spieler.cfg", spieler);
    ASSERT_TRUE(lesen());
    EXPECT_EQ(Spieler_Texte[0].nachname[0], spieler[p]) << "read anew";

    // Damaged: the message comes once, from the frame.
    std::string team = datei_lesen(o + "/1_team.cfg");
    team.replace(team.find("\tKURZNAME"), 10, "\tKURZNAMEN");
    schreiben(o + "/1_team.cfg", team);
    ASSERT_TRUE(vorab());
    {
        Melder_Mitschnitt m;
        EXPECT_FALSE(Team(0));
        EXPECT_EQ(Melder_Mitschnitt::texte().size(), 1u) << m.alle();
        EXPECT_TRUE(m.enthaelt("(101) Unbekannter Befehl (KURZNAMEN)")) << m.alle();
    }
    Team_Free_Ladepuffer();
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s", alt);
    ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
}

// Waiting for the worker reading ahead: when the wait returns, the world is
// read and its arrays made (a count of the guarded blocks taken then holds
// them), and it is still there to be taken; with no worker at it the wait
// returns at once and changes nothing.
TEST_F(WeltLaden, WaitingForTheReadAheadLeavesItsWorldToBeTaken) {
    const std::string o = kopie("vorab_abwarten");
    char alt[W32_DIR_LAENGE];
    std::snprintf(alt, sizeof alt, "%s", W32_Dir_Tabelle[W32_DIR_CONFIG]);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s", o.c_str());
    Welt_Freigeben();
    Welt_Vorab_Abwarten();  // none at it: returns at once
    const u32 leer = W32_Memory_Anzahl_Bloecke();
    Welt_Vorab_Abwarten();
    EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), leer);

    EXPECT_FALSE(Welt_Vorab_Lesen(0)) << "handed to the worker";
    Welt_Vorab_Abwarten();
    const u32 gelesen = W32_Memory_Anzahl_Bloecke();
    EXPECT_GT(gelesen, leer) << "the world's arrays are made by the worker";
    EXPECT_TRUE(Welt_Vorab_Lesen(0)) << "read already, not handed over again";
    EXPECT_EQ(W32_Memory_Anzahl_Bloecke(), gelesen);
    {
        Melder_Mitschnitt m;
        int ok = 0;
        ASSERT_TRUE(Team(0));
        ASSERT_TRUE(Spieler(&ok));
        EXPECT_EQ(ok, 1);
        EXPECT_EQ(m.alle(), "");
    }
    EXPECT_EQ(Team_Anzahl, 280) << "the world read ahead was taken";
    Welt_Vorab_Abwarten();  // taken: none at it any more
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s", alt);
    ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
}

// A learned attribute's value comes from the attribute table (its points),
// which the frame fills from the global file while a worker may be reading
// the players ahead: the players taken over carry the table as it stands at
// the take-over, whatever it held while the worker read, as the players read
// in the frame do.
TEST_F(WeltLaden, ReadAheadLearnedAttributesFollowTheTableAtTakeOver) {
    const std::string o = kopie("vorab_attribute");
    char alt[W32_DIR_LAENGE];
    std::snprintf(alt, sizeof alt, "%s", W32_Dir_Tabelle[W32_DIR_CONFIG]);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s", o.c_str());
    Attribut_Def tabelle[54];
    std::memcpy(tabelle, Attribut_Tabelle, sizeof tabelle);
    const auto punkte = [](i32 n) {
        for (Attribut_Def& a : Attribut_Tabelle) a.noetige_punkte = n;
    };
    const auto lesen = [] {
        int ok = 0;
        return Team(0) && Spieler(&ok) && ok;
    };
    // The learned attributes' values (any above 0) and how many there are.
    const auto gelernt = [] {
        std::vector<i32> werte;
        for (i32 s = 0; s < Spieler_Anzahl; ++s)
            for (i16 w : Spieler_Daten[s].attribut)
                if (w > 0) werte.push_back(w);
        return werte;
    };
    const struct {
        i32 beim_lesen, bei_uebernahme;
        bool vorab;
    } faelle[] = {{7, 11, true}, {11, 3, true}, {5, 5, true}, {9, 4, false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(f.beim_lesen) + " -> " + std::to_string(f.bei_uebernahme) +
                     (f.vorab ? " vorab" : " im Frame"));
        Welt_Freigeben();
        punkte(f.beim_lesen);
        if (f.vorab) {
            bool fertig = Welt_Vorab_Lesen(0);
            for (int i = 0; i < 20000 && !fertig; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                fertig = Welt_Vorab_Lesen(0);
            }
            ASSERT_TRUE(fertig);
        }
        punkte(f.bei_uebernahme);
        ASSERT_TRUE(lesen());
        const std::vector<i32> werte = gelernt();
        ASSERT_FALSE(werte.empty());
        EXPECT_EQ(std::count(werte.begin(), werte.end(), f.bei_uebernahme + 1), static_cast<long>(werte.size()));
    }
    std::memcpy(Attribut_Tabelle, tabelle, sizeof tabelle);
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s", alt);
    ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0));
}

TEST_F(WeltLaden, EnglishKeywordsAreAccepted) {
    std::string team = datei_lesen(welt_quelle() + "/1_team.cfg");
    for (auto [de, en] : {std::pair{"NEUES_TEAM", "NEW_TEAM"}, {"KURZNAME", "short_name"}, {"STADT  ", "CITY  "}}) {
        for (size_t p = team.find(de); p != std::string::npos; p = team.find(de, p + 1))
            team.replace(p, std::strlen(de), en);
    }
    std::string o = kopie("englisch", "1_team.cfg", team);
    Melder_Mitschnitt m;
    EXPECT_TRUE(Welt_Laden_Ordner(o.c_str(), 0)) << m.alle();
    EXPECT_TRUE(m.enthaelt("(200) Checksumme stimmt nicht"));  // the file was changed by hand
}

}  // namespace

// Every one-number parameter of the shared table (reader, writer and world
// generator use it): the line the writer wrote is found under its German
// keyword, the top of the range reads back under either keyword, and one
// past it is refused with a message while the loaded values stay.
TEST_F(WeltLaden, JederParameterDerTabelleLiestSeineGrenzen) {
    const std::string o = welt_temp_ordner("parameter");
    const std::string g = o + "/1_global.cfg", a = o + "/1_global_alias.cfg";
    ASSERT_TRUE(Global_Cfg_Speichern_Pfad(g.c_str(), a.c_str(), "test01"));
    const std::string gut = datei_lesen(g);
    Melder_Mitschnitt m;
    for (const Global_Parameter_Zahl& z : GLOBAL_PARAMETER_ZAHLEN) {
        const size_t pos = gut.find(std::string("\t") + z.deutsch + " ");
        ASSERT_NE(pos, std::string::npos) << z.deutsch << " fehlt in der geschriebenen Datei";
        const size_t ende = gut.find("\r\n", pos);
        auto mit = [&](const char* name, i64 wert) {
            std::string text = gut;
            text.replace(pos, ende - pos, std::string("\t") + name + " " + std::to_string(wert));
            schreiben(g, text);
            return Global_Cfg_Laden_Pfad(g.c_str(), a.c_str());
        };
        for (const char* name : {z.deutsch, z.englisch}) {
            ASSERT_TRUE(mit(name, z.max)) << name << m.alle();
            EXPECT_EQ(Global_Param.*z.feld, z.max) << name;
        }
        EXPECT_FALSE(mit(z.deutsch, i64{z.max} + 1)) << z.deutsch;
        EXPECT_EQ(Global_Param.*z.feld, z.max) << z.deutsch << ": the refused file changed the table";
        EXPECT_TRUE(m.enthaelt(z.deutsch)) << m.alle();
    }
    schreiben(g, gut);
    ASSERT_TRUE(Global_Cfg_Laden_Pfad(g.c_str(), a.c_str()));
}

// The keyword tables are the only spelling of the world files' keywords:
// every key line the writers put into a file is a keyword of its file's
// table, and every keyword the writers use, misspelt in the written file,
// is refused with a German message naming the line and the wrong word,
// while the loaded world stays.
TEST_F(WeltLaden, SchluesselStehenEinmalInIhrerTabelle) {
    using namespace welt_konfig;
    struct Datei {
        const char* name;
        const Schluessel* tabelle;
        int anzahl;
        bool parameter;  // global.cfg: the one-number parameters too
    };
    const Datei dateien[] = {
        {"team", TEAM_SCHLUESSEL, T_ANZAHL, false},
        {"spieler", SPIELER_SCHLUESSEL, S_ANZAHL, false},
        {"personal", PERSONAL_SCHLUESSEL, P_ANZAHL, false},
        {"global", GLOBAL_SCHLUESSEL, G_ANZAHL, true},
    };
    const std::string o = welt_temp_ordner("schluessel");
    auto pfad = [&](const char* n, const char* endung) { return o + "/1_" + n + endung; };
    ASSERT_TRUE(
        Convert_Team_Config_Speichern_Pfad(pfad("team", ".cfg").c_str(), pfad("team", "_alias.cfg").c_str(), "t"));
    ASSERT_TRUE(Convert_Spieler_Config_Speichern_Pfad(pfad("spieler", ".cfg").c_str(),
                                                      pfad("spieler", "_alias.cfg").c_str(), "t"));
    ASSERT_TRUE(
        Personal_Cfg_Speichern_Pfad(pfad("personal", ".cfg").c_str(), pfad("personal", "_alias.cfg").c_str(), "t"));
    ASSERT_TRUE(Global_Cfg_Speichern_Pfad(pfad("global", ".cfg").c_str(), pfad("global", "_alias.cfg").c_str(), "t"));
    const int teams = Team_Anzahl;
    const std::vector<Spieler_Struktur> vorher(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
    for (const Datei& d : dateien) {
        const std::string gut = datei_lesen(pfad(d.name, ".cfg"));
        auto bekannt = [&](const std::string& k) {
            for (int i = 0; i < d.anzahl; i++)
                if (k == d.tabelle[i].deutsch) return true;
            if (d.parameter)
                for (const Global_Parameter_Zahl& z : GLOBAL_PARAMETER_ZAHLEN)
                    if (k == z.deutsch) return true;
            return false;
        };
        // Each key line: its keyword, first line (1-based) and offset.
        std::vector<std::string> gesehen;
        std::istringstream zeilen(gut);
        std::string zeile;
        size_t offset = 0;
        for (int nr = 1; std::getline(zeilen, zeile); nr++, offset += zeile.size() + 1) {
            const size_t a = zeile.find_first_not_of(" \t\r");
            if (a == std::string::npos || zeile[a] == ';') continue;
            const std::string k = zeile.substr(a, zeile.find_first_of(" \t\r", a) - a);
            if (k == "CHECKSUMME") continue;
            EXPECT_TRUE(bekannt(k)) << d.name << ": " << k << " (Zeile " << nr << ") steht in keiner Tabelle";
            if (std::find(gesehen.begin(), gesehen.end(), k) != gesehen.end()) continue;
            gesehen.push_back(k);
            if (d.parameter && k != deutsch(G_KOSTEN) && k != deutsch(G_PARAMETER) &&
                k != GLOBAL_PARAMETER_ZAHLEN[0].deutsch)
                continue;  // global.cfg: a few of its many keys suffice for the message
            std::string falsch = gut;
            falsch.insert(offset + a + k.size(), "Q");
            const std::string kopie_ordner = kopie("schluessel_falsch", std::string("1_") + d.name + ".cfg", falsch);
            Melder_Mitschnitt m;
            // personal.cfg alone: a world load keeps the scouts it had when it is bad.
            if (d.tabelle == PERSONAL_SCHLUESSEL)
                EXPECT_FALSE(Personal_Cfg_Laden_Pfad((kopie_ordner + "/1_personal.cfg").c_str(),
                                                     (kopie_ordner + "/1_personal_alias.cfg").c_str()))
                    << k;
            else EXPECT_FALSE(Welt_Laden_Ordner(kopie_ordner.c_str(), 0)) << k;
            std::string kopf = "[";
            kopf += std::to_string(nr);
            kopf += "] Syntax-Error in ";
            EXPECT_TRUE(m.enthaelt(kopf)) << k << ": " << m.alle();
            EXPECT_TRUE(m.enthaelt("(101) Unbekannter Befehl (" + k + "Q)")) << m.alle();
            ASSERT_EQ(Team_Anzahl, teams);
            EXPECT_EQ(0, std::memcmp(vorher.data(), Spieler_Daten, vorher.size() * sizeof vorher[0])) << k;
        }
        EXPECT_GT(gesehen.size(), 8u) << d.name;
    }
}
