// The configuration-file reader: value forms, nesting, memory levels,
// aliases, checksum, coded messages and broken input; the writer helper.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "base/config.h"
#include "base/debug.h"
#include "base/files.h"
#include "base/settings.h"
#include "base_test_util.h"

namespace fs = std::filesystem;

namespace {

auto& g_meldungen = Meldungen::liste;
bool gemeldet(const std::string& teil) { return Meldungen::Enthaelt(teil); }

class Config : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings_Neu_Laden();
        std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s", dir_.c_str());
        g_meldungen.clear();
        Read_Config_Set_Melder(Meldungen::Sammeln);
    }
    void TearDown() override {
        while (Read_Config_Ebenen() > 0) Read_Config_Close();
        Read_Config_Set_Melder(nullptr);
        Settings_Neu_Laden();
    }
    // Writes a file below the test folder (bytes as given: UTF-8 on disk).
    std::string datei(const std::string& name, const std::string& inhalt) { return ordner_.schreiben(name, inhalt); }
    // Reads every line key + value.
    std::vector<std::pair<std::string, std::string>> alles() {
        std::vector<std::pair<std::string, std::string>> r;
        for (;;) {
            std::string k = Read_Config_Next(nullptr, 0);
            if (k.empty()) break;
            r.emplace_back(k, Read_Config_Get_String());
        }
        return r;
    }
    Temp_Ordner ordner_;
    Env_Setzen env_{"KORDAVO_CONFIG_DIR", ordner_.pfad().c_str()};
    const std::string dir_ = ordner_.pfad();
};

TEST_F(Config, FileNamesOfTheKinds) {
    struct Fall {
        int art, satz, alias;
        const char* name;
    };
    const Fall faelle[] = {{CONFIG_WETTBEWERB, 2, 1, "3_wettbewerb_alias.cfg"},
                           {CONFIG_TEXT, 4, 0, "5_text.cfg"},
                           {CONFIG_TEAM, 0, 1, "1_team_alias.cfg"}};
    for (const Fall& f : faelle)
        EXPECT_EQ(std::string(Read_Config_Get_Filenamen(f.art, f.satz, f.alias)), dir_ + "\\" + f.name);

    Debug_Mitschnitt log;
    EXPECT_EQ(Read_Config_Get_Filenamen(9, 0, 0), nullptr);
    EXPECT_EQ(Read_Config_Get_Filenamen(-1, 0, 0), nullptr);
    EXPECT_EQ(log.Anzahl("Read_Config_Get_Filenamen: falscher Modus!"), 2);

    // A settings value "conf_%d" names another file for the kind.
    ASSERT_TRUE(W32_Registry_Write("conf_7", "events.cfg"));
    EXPECT_EQ(std::string(Read_Config_Get_Filenamen(CONFIG_EREIGNIS, 0, 0)), dir_ + "\\1_events.cfg");
    EXPECT_EQ(std::string(Read_Config_Get_Filenamen(CONFIG_EREIGNIS, 0, 1)), dir_ + "\\1_events_alias.cfg");
}

TEST_F(Config, LinesCommentsQuotesAndLineNumbers) {
    datei("1_ereignis.cfg",
          "; comment\r\n"
          "\r\n"
          "NEUES_EREIGNIS\r\n"
          "   TEXT     \"Fans randalieren in M\xC3\xBCnchen!\"   \r\n"
          "\tKATEGORIE\tRANDALE\r"
          "WERT1 -250\n"
          "  ; another comment\n"
          "SOUND \"3\"\n"
          "ZITAT  \"Er rief \"Tor!\"\"\n"
          "LETZTE");
    struct Zeile {
        const char* schluessel;
        const char* wert;  // CP1252 in memory; only the outer quotes go
        int nummer;
    };
    const Zeile zeilen[] = {{"NEUES_EREIGNIS", "", 3},   {"TEXT", "Fans randalieren in München!", 4},
                            {"KATEGORIE", "RANDALE", 5}, {"WERT1", "-250", 6},
                            {"SOUND", "3", 8},           {"ZITAT", "Er rief \"Tor!\"", 9},
                            {"LETZTE", "", 10}};
    ASSERT_TRUE(Read_Config_Open(CONFIG_EREIGNIS, 0, -1));
    for (const Zeile& z : zeilen) {
        EXPECT_STREQ(Read_Config_Next(nullptr, 0), z.schluessel);
        EXPECT_STREQ(Read_Config_Get_String(), z.wert);
        EXPECT_EQ(Read_Config_Get_Zeile(), z.nummer);
        if (z.nummer == 6 || z.nummer == 8) {
            EXPECT_EQ(Read_Config_Get_Wert(), std::atoi(z.wert));
        }
    }
    EXPECT_STREQ(Read_Config_Next(nullptr, 0), "");
    EXPECT_STREQ(Read_Config_Next(nullptr, 0), "");  // stays at the end
    EXPECT_TRUE(g_meldungen.empty());
    Read_Config_Close();
    EXPECT_EQ(Read_Config_Ebenen(), 0);
    EXPECT_STREQ(Read_Config_Next(nullptr, 0), "");  // nothing open
}

TEST_F(Config, NumberForms) {
    datei("1_global.cfg",
          "A JA\nB ja\nC YES\nD NEIN\nE no\nF 42\nG -17\nH +5\nI \"201\"\n"
          "J #Bayern\nK #bayern\nL 2147483647\nM -2147483648\n");
    datei("1_global_alias.cfg", "BAYERN 17\nHAMBURG 4\n");
    ASSERT_TRUE(Read_Config_Open(CONFIG_GLOBAL, 0, 0));
    std::vector<i32> erwartet = {1, 1, 1, 0, 0, 42, -17, 5, 201, 17, 17, 2147483647, -2147483647 - 1};
    for (i32 w : erwartet) {
        ASSERT_STRNE(Read_Config_Next(nullptr, 0), "");
        EXPECT_EQ(Read_Config_Get_Wert(), w) << Read_Config_Get_String();
    }
    EXPECT_TRUE(g_meldungen.empty());
    EXPECT_STREQ(Read_Config_Get_Alias_Name(4), "HAMBURG");
    EXPECT_EQ(Read_Config_Get_Alias_Name(5), nullptr);
}

TEST_F(Config, BadNumbersAndAliasesAreReportedWithTheirLine) {
    datei("1_team.cfg", "A 12abc\nB abc\nC 99999999999\nD #NIEMAND\nE\n");
    datei("1_team_alias.cfg", "BAYERN 17\nKAPUTT x\nBAYERN 18\n");
    ASSERT_TRUE(Read_Config_Open(CONFIG_TEAM, 0, 0));
    // The alias file's own problems come first.
    EXPECT_TRUE(gemeldet("[2] Warning in 1_team_alias.cfg:\n - (304) Ungültige Alias-Zeile (KAPUTT)\n\n"));
    EXPECT_TRUE(gemeldet("[3] Warning in 1_team_alias.cfg:\n - (304) Alias doppelt (BAYERN)"));
    g_meldungen.clear();

    const std::pair<i32, const char*> werte[] = {{12, "(302) Ungültige Zahl (12abc)"},
                                                 {0, "(302) Ungültige Zahl (abc)"},
                                                 {2147483647, "(302) Zahl zu groß (99999999999)"},
                                                 {-1, "(303) Unbekannter Alias (#NIEMAND)"},
                                                 {0, "(302) Ungültige Zahl ()"}};
    for (int i = 0; i < 5; ++i) {
        Read_Config_Next(nullptr, 0);
        EXPECT_EQ(Read_Config_Get_Wert(), werte[i].first);
        ASSERT_EQ(g_meldungen.size(), i + 1u);
        EXPECT_EQ(g_meldungen[i],
                  "[" + std::to_string(i + 1) + "] Warning in team.cfg:\n - " + werte[i].second + "\n\n");
    }
    EXPECT_EQ(Read_Config_Anzahl_Warnungen(), 5);
    EXPECT_EQ(Read_Config_Anzahl_Fehler(), 0);
}

TEST_F(Config, AStillThreadCountsWhatItHoldsBack) {
    // A worker reading ahead shows nothing, but tells how many messages it
    // held back, those of a file it has closed since and of its alias
    // companion included; making it still again counts anew.
    datei("1_team.cfg", "A 12abc\nB abc\n");
    datei("1_team_alias.cfg", "BAYERN 17\nKAPUTT x\n");
    datei("1_ereignis.cfg", "X 1\n");
    struct Fall {
        const char* was;
        int art;
        bool naechste;  // read every line's number
        int gehalten;   // messages held back
    } const faelle[] = {
        {"alias warning on opening", CONFIG_TEAM, false, 1},
        {"and two values", CONFIG_TEAM, true, 3},
        {"a whole file", CONFIG_EREIGNIS, true, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        int gehalten = -1, nachher = -1;
        std::thread arbeiter([&] {
            Read_Config_Still(true);
            if (Read_Config_Open(f.art, 0, 0)) {
                if (f.naechste)
                    while (*Read_Config_Next(nullptr, 0)) Read_Config_Get_Wert();
                Read_Config_Close();
            }
            gehalten = Read_Config_Still_Meldungen();
            Read_Config_Still(false);
            Read_Config_Still(true);
            nachher = Read_Config_Still_Meldungen();
            Read_Config_Still(false);
        });
        arbeiter.join();
        EXPECT_EQ(gehalten, f.gehalten);
        EXPECT_EQ(nachher, 0);
        EXPECT_TRUE(g_meldungen.empty());
    }
    // This thread was never still: it shows its messages and holds none back.
    ASSERT_TRUE(Read_Config_Open(CONFIG_TEAM, 0, 0));
    Read_Config_Close();
    EXPECT_EQ(g_meldungen.size(), 1u);
    EXPECT_EQ(Read_Config_Still_Meldungen(), 0);
}

TEST_F(Config, BrokenInputNeverCrashes) {
    // Unterminated quotes in a line and in a list item.
    datei("1_spieler.cfg", "NAME \"offen\nLISTE 1,\"zwei\n");
    ASSERT_TRUE(Read_Config_Open(CONFIG_SPIELER, 0, -1));
    EXPECT_STREQ(Read_Config_Next(nullptr, 0), "NAME");
    EXPECT_STREQ(Read_Config_Get_String(), "offen");
    EXPECT_EQ(g_meldungen.back(), "[1] Warning in spieler.cfg:\n - (300) Anführungszeichen nicht geschlossen\n\n");
    EXPECT_STREQ(Read_Config_Next(",", 1), "LISTE");
    EXPECT_STREQ(Read_Config_Next(",", 1), "1");
    EXPECT_STREQ(Read_Config_Next(",", 1), "zwei");
    EXPECT_EQ(g_meldungen.back(), "[2] Warning in spieler.cfg:\n - (300) Anführungszeichen nicht geschlossen\n\n");
    EXPECT_STREQ(Read_Config_Next(",", 1), "");
    Read_Config_Close();

    // An overlong line is cut and reported with its number.
    g_meldungen.clear();
    datei("1_zeitplan.cfg", "A 1\nB " + std::string(CONFIG_MAX_ZEILE + 100, 'x') + "\nC 3\n");
    ASSERT_TRUE(Read_Config_Open(CONFIG_ZEITPLAN, 0, -1));
    ASSERT_EQ(g_meldungen.size(), 1u);
    EXPECT_EQ(g_meldungen[0], "[2] Warning in zeitplan.cfg:\n - (301) Zeile zu lang (max. 16000 Zeichen)\n\n");
    auto z = alles();
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(z[1].second.size(), CONFIG_MAX_ZEILE - 2);
    EXPECT_EQ(z[2].first, "C");
    Read_Config_Close();

    // A missing file: false, and no level is left open.
    EXPECT_FALSE(Read_Config_Open(CONFIG_PERSONAL, 0, -1));
    EXPECT_EQ(Read_Config_Ebenen(), 0);
    EXPECT_FALSE(Read_Config_Open_Pfad((dir_ + "/fehlt.cfg").c_str(), nullptr));

    // A file that is no UTF-8 is taken as Windows-1252 (binary rubbish: the fuzz target).
    datei("1_personal.cfg", "NAME K\xF6ln\n");
    ASSERT_TRUE(Read_Config_Open(CONFIG_PERSONAL, 0, -1));
    Read_Config_Next(nullptr, 0);
    EXPECT_STREQ(Read_Config_Get_String(), "Köln");
}

TEST_F(Config, NestingKeepsTheOuterFileWhereItWas) {
    datei("1_wettbewerb.cfg", "NAME \"Liga\"\nSTARTTEILNEHMER #A, #B ,3\nTEAMS 18\n");
    datei("1_wettbewerb_alias.cfg", "A 10\nB 11\n");
    datei("1_ereignis.cfg", "X 1\nY 2\n");
    ASSERT_TRUE(Read_Config_Open(CONFIG_WETTBEWERB, 0, 0));
    EXPECT_STREQ(Read_Config_Next(nullptr, 0), "NAME");
    EXPECT_STREQ(Read_Config_Next(nullptr, 0), "STARTTEILNEHMER");
    std::string liste = Read_Config_Get_String();

    // A second file in between.
    ASSERT_TRUE(Read_Config_Open(CONFIG_EREIGNIS, -1, -1));
    EXPECT_EQ(Read_Config_Ebenen(), 2);
    EXPECT_EQ(alles().size(), 2u);
    Read_Config_Close();

    // The stored list, item by item, with the aliases of the level below.
    ASSERT_TRUE(Read_Config_Open_Mem(liste.data(), static_cast<u32>(liste.size()), -1, -1, -1));
    std::vector<i32> werte;
    while (*Read_Config_Next(",", 1)) werte.push_back(Read_Config_Get_Wert());
    EXPECT_EQ(werte, (std::vector<i32>{10, 11, 3}));
    Read_Config_Close();

    EXPECT_STREQ(Read_Config_Next(nullptr, 0), "TEAMS");
    EXPECT_EQ(Read_Config_Get_Wert(), 18);
    EXPECT_EQ(Read_Config_Get_Zeile(), 3);
    Read_Config_Close();
    EXPECT_TRUE(g_meldungen.empty());

    // A memory level on its own loads the alias companion of its kind and set.
    ASSERT_TRUE(Read_Config_Open_Mem("#b", 2, CONFIG_WETTBEWERB, 0, 0));
    Read_Config_Next(",", 1);
    EXPECT_EQ(Read_Config_Get_Wert(), 11);
    EXPECT_STREQ(Read_Config_Get_Dateiname(), "wettbewerb.cfg");
    Read_Config_Close();
    // Without one, "#name" is unknown.
    ASSERT_TRUE(Read_Config_Open_Mem("#b", 2, -1, 0, -1));
    Read_Config_Next(",", 1);
    EXPECT_EQ(Read_Config_Get_Wert(), -1);
    EXPECT_EQ(g_meldungen.back(), "[1] Warning in speicher:\n - (303) Unbekannter Alias (#b)\n\n");
}

TEST_F(Config, MemoryListsAndSeparators) {
    const char* text = "A,NIX,,B\n  7 , 8\n\"x, y\",z";
    ASSERT_TRUE(Read_Config_Open_Mem(text, static_cast<u32>(std::strlen(text)), -1, 0, -1));
    std::vector<std::string> items;
    for (const char* k; *(k = Read_Config_Next(",", 1));) items.emplace_back(k);
    EXPECT_EQ(items, (std::vector<std::string>{"A", "NIX", "B", "7", "8", "x, y", "z"}));
    Read_Config_Close();

    // A key ended by a separator: "KEY=VALUE".
    const char* zuweisung = "TEAMS=18\nNAME = Liga Eins";
    ASSERT_TRUE(Read_Config_Open_Mem(zuweisung, static_cast<u32>(std::strlen(zuweisung)), -1, 0, -1));
    EXPECT_STREQ(Read_Config_Next("=", 0), "TEAMS");
    EXPECT_EQ(Read_Config_Get_Wert(), 18);
    EXPECT_STREQ(Read_Config_Next("=", 0), "NAME");
    EXPECT_STREQ(Read_Config_Get_String(), "Liga Eins");
    Read_Config_Close();

    // Mixing: a key, then the items of its line, then the next line.
    const char* gemischt = "QUALI_FUER A,B\nTEAMS 4";
    ASSERT_TRUE(Read_Config_Open_Mem(gemischt, static_cast<u32>(std::strlen(gemischt)), -1, 0, -1));
    EXPECT_STREQ(Read_Config_Next(",", 1), "QUALI_FUER");
    EXPECT_STREQ(Read_Config_Next(",", 1), "A");
    EXPECT_STREQ(Read_Config_Next(nullptr, 0), "TEAMS");  // the rest of the line is skipped
    EXPECT_EQ(Read_Config_Get_Wert(), 4);
    Read_Config_Close();

    // Empty text.
    ASSERT_TRUE(Read_Config_Open_Mem("", 0, -1, 0, -1));
    EXPECT_STREQ(Read_Config_Next(",", 1), "");
}

TEST_F(Config, LevelLimit) {
    for (int i = 0; i < CONFIG_MAX_EBENEN; ++i) ASSERT_TRUE(Read_Config_Open_Mem("A 1", 3, -1, 0, -1));
    EXPECT_FALSE(Read_Config_Open_Mem("A 1", 3, -1, 0, -1));
    EXPECT_EQ(Read_Config_Ebenen(), CONFIG_MAX_EBENEN);
    for (int i = 0; i < CONFIG_MAX_EBENEN + 3; ++i) Read_Config_Close();
    EXPECT_EQ(Read_Config_Ebenen(), 0);
}

TEST_F(Config, MessageLayout) {
    EXPECT_STREQ(Read_Config_Meldung_Text(101, "wettbewerb.cfg", 12, "Unbekannter Befehl (%s)", "FOO"),
                 "[12] Syntax-Error in wettbewerb.cfg:\n - (101) Unbekannter Befehl (FOO)\n\n");
    EXPECT_STREQ(Read_Config_Meldung_Text(204, "wettbewerb.cfg", 3, "Wettbewerb-Konfiguration neuer (%d)", 202),
                 "[3] Warning in wettbewerb.cfg:\n - (204) Wettbewerb-Konfiguration neuer (202)\n\n");
    EXPECT_STREQ(Read_Config_Meldung_Text(201, "wettbewerb.cfg", -1, "Zuviele Spieltage angegeben (%s)", "Pokal"),
                 "Warning in wettbewerb.cfg:\n - (201) Zuviele Spieltage angegeben (Pokal)\n\n");
    // An overlong detail is cut, never overruns.
    std::string lang(5000, 'x');
    EXPECT_LT(std::strlen(Read_Config_Meldung_Text(100, "a.cfg", 1, "%s", lang.c_str())), 800u);

    // Read_Config_Melden uses the current level's name and line.
    datei("3_text.cfg", "SCREEN A\nFOO x\n");
    ASSERT_TRUE(Read_Config_Open(CONFIG_TEXT, 2, -1));
    Read_Config_Next(nullptr, 0);
    Read_Config_Next(nullptr, 0);
    Read_Config_Melden(101, "Unknown Command (%s)", "FOO");
    ASSERT_EQ(g_meldungen.size(), 1u);
    EXPECT_EQ(g_meldungen[0], "[2] Syntax-Error in 3_te.cfg:\n - (101) Unknown Command (FOO)\n\n");
    EXPECT_EQ(Read_Config_Anzahl_Fehler(), 1);
}

// ---------------------------------------------------------------------------
// Checksum and writer

std::string lesen(const std::string& pfad) {
    const Bytes b = Bytes_Lesen(pfad);
    return std::string(b.begin(), b.end());
}

TEST_F(Config, WriterLayoutAndChecksumRoundTrip) {
    std::string pfad = dir_ + "/1_wettbewerb.cfg";
    Config_Schreiber s;
    ASSERT_TRUE(Config_Schreiber_Oeffnen(&s, pfad.c_str()));
    Config_Schreiber_Text(&s, "; ÄNDERUNGEN KÖNNEN ZU FEHLERN FÜHREN!\r\n\r\n");
    Config_Schreiber_Checksumme_Platzhalter(&s);
    Config_Schreiber_Text(&s, "VERSION \"201\"\r\n");
    Config_Schreiber_Zeile(&s, "NAME", "\"Süd-Liga\"");
    Config_Schreiber_Zeile_Zahl(&s, "TEAMS", 18);
    Config_Schreiber_Zeile(&s, "WERBUNG_RANGLISTEN_PROGRESSION_GRENZE", "5");
    ASSERT_TRUE(Config_Schreiber_Schliessen(&s));

    std::string inhalt = lesen(pfad);
    // UTF-8 on disk; a tab, the key padded to 35 characters, the value, CR LF.
    EXPECT_NE(inhalt.find("; \xC3\x84NDERUNGEN K\xC3\x96NNEN"), std::string::npos);
    EXPECT_NE(inhalt.find("\tTEAMS" + std::string(30, ' ') + "18\r\n"), std::string::npos);
    EXPECT_NE(inhalt.find("\tNAME" + std::string(31, ' ') +
                          "\"S\xC3\xBC"
                          "d-Liga\"\r\n"),
              std::string::npos);
    // A key of 35 characters or more still gets one blank.
    EXPECT_NE(inhalt.find("\tWERBUNG_RANGLISTEN_PROGRESSION_GRENZE 5\r\n"), std::string::npos);
    // The checksum stands over the placeholder, blanks after it stay.
    size_t p = inhalt.find("CHECKSUMME ");
    ASSERT_NE(p, std::string::npos);
    std::string zeile = inhalt.substr(p + 11, 19);
    EXPECT_EQ(zeile.size(), 19u);
    EXPECT_EQ(zeile.substr(17), "\r\n");
    u32 berechnet = 0;
    ASSERT_TRUE(Read_Config_Checksumme_Datei(pfad.c_str(), &berechnet));
    EXPECT_EQ(std::stol(zeile), static_cast<i32>(berechnet));

    // The reader accepts it; the running checksum after reading everything
    // is the stored one.
    ASSERT_TRUE(Read_Config_Open(CONFIG_WETTBEWERB, 0, -1));
    u32 c = 0;
    EXPECT_TRUE(Read_Config_Checksumme_Ok(&c));
    EXPECT_EQ(c, berechnet);
    auto z = alles();
    ASSERT_EQ(z.size(), 4u);  // CHECKSUMME is the reader's own line
    EXPECT_EQ(z[1].second, "Süd-Liga");
    EXPECT_EQ(Read_Config_Get_Checksumme(), berechnet);
    Read_Config_Close();

    // Comments, blanks and line ends may change; a value may not.
    std::string anders = inhalt;
    anders.insert(0, "; new comment\n\n");
    size_t t = anders.find("\tTEAMS");
    anders.replace(t, 1, "      ");
    datei("1_wettbewerb.cfg", anders);
    ASSERT_TRUE(Read_Config_Open(CONFIG_WETTBEWERB, 0, -1));
    EXPECT_TRUE(Read_Config_Checksumme_Ok(nullptr));
    Read_Config_Close();
    std::string falsch = inhalt;
    falsch.replace(falsch.find("18\r\n"), 2, "19");
    datei("1_wettbewerb.cfg", falsch);
    ASSERT_TRUE(Read_Config_Open(CONFIG_WETTBEWERB, 0, -1));
    u32 neu = 0;
    EXPECT_FALSE(Read_Config_Checksumme_Ok(&neu));
    EXPECT_NE(neu, berechnet);
}

TEST_F(Config, WriterReplacesTheOldFileOnlyWhenComplete) {
    std::string pfad = datei("1_team.cfg", "ALT 1\n");
    Config_Schreiber s;
    ASSERT_TRUE(Config_Schreiber_Oeffnen(&s, pfad.c_str()));
    Config_Schreiber_Zeile(&s, "NEU", "2");
    EXPECT_EQ(lesen(pfad), "ALT 1\n");  // still the old file while writing
    Config_Schreiber_Abbrechen(&s);
    EXPECT_EQ(lesen(pfad), "ALT 1\n");
    EXPECT_FALSE(fs::exists(pfad + ".tmp"));
    {
        // A writer left on an early return gives up by itself.
        Config_Schreiber frueh;
        ASSERT_TRUE(Config_Schreiber_Oeffnen(&frueh, pfad.c_str()));
        ASSERT_TRUE(fs::exists(pfad + ".tmp"));
    }
    EXPECT_FALSE(fs::exists(pfad + ".tmp"));
    EXPECT_EQ(lesen(pfad), "ALT 1\n");

    ASSERT_TRUE(Config_Schreiber_Oeffnen(&s, pfad.c_str()));
    Config_Schreiber_Zeile(&s, "NEU", "2");
    ASSERT_TRUE(Config_Schreiber_Schliessen(&s));
    EXPECT_EQ(lesen(pfad), "\tNEU" + std::string(32, ' ') + "2\r\n");
    EXPECT_FALSE(fs::exists(pfad + ".tmp"));

    // A folder that does not exist: nothing is written.
    EXPECT_FALSE(Config_Schreiber_Oeffnen(&s, (dir_ + "/fehlt/1_team.cfg").c_str()));
    EXPECT_FALSE(Config_Schreiber_Schliessen(&s));
}

TEST_F(Config, ChecksumSpellingsAndOffSwitch) {
    const std::string rumpf = "A 1\nB \"zwei\"\n";
    u32 soll = Config_Checksumme_Start();
    soll = Config_Checksumme_Zeile(soll, "A", "1");
    soll = Config_Checksumme_Zeile(soll, "B", "\"zwei\"");
    auto pruefen = [&](const std::string& kopf) {
        datei("1_global.cfg", kopf + rumpf);
        EXPECT_TRUE(Read_Config_Open(CONFIG_GLOBAL, 0, -1));
        bool ok = Read_Config_Checksumme_Ok(nullptr);
        Read_Config_Close();
        return ok;
    };
    EXPECT_TRUE(pruefen(""));                                                                      // no line: off
    EXPECT_TRUE(pruefen("CHECKSUMME 0\n"));                                                        // 0: off
    EXPECT_TRUE(pruefen("CHECKSUMME " + std::to_string(soll) + "\n"));                             // unsigned
    EXPECT_TRUE(pruefen("checksumme " + std::to_string(static_cast<i32>(soll)) + "       \r\n"));  // signed, blanks
    EXPECT_FALSE(pruefen("CHECKSUMME " + std::to_string(soll + 1) + "\n"));
    g_meldungen.clear();
    EXPECT_FALSE(pruefen("CHECKSUMME                  \n"));  // placeholder never filled
    EXPECT_TRUE(g_meldungen.empty());
    EXPECT_FALSE(pruefen("CHECKSUMME 12x\n"));
    EXPECT_TRUE(gemeldet("(305) Checksumme nicht lesbar (12x)"));
    EXPECT_FALSE(pruefen("CHECKSUMME 99999999999\n"));
    // The CHECKSUMME line may stand anywhere and is not handed to the caller.
    datei("1_global.cfg", rumpf + "CHECKSUMME " + std::to_string(soll) + "\n");
    ASSERT_TRUE(Read_Config_Open(CONFIG_GLOBAL, 0, -1));
    EXPECT_TRUE(Read_Config_Checksumme_Ok(nullptr));
    EXPECT_EQ(alles().size(), 2u);
}

}  // namespace
