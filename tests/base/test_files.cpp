// Files and folders: game paths with '\' and any case, seek origins and
// results, the folder table and file listings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "base/files.h"
#include "base/settings.h"
#include "base/tempstr.h"
#include "base_test_util.h"

namespace {

// A game-style path: the folder, then "\"-separated parts.
std::string Spielpfad(const Temp_Ordner& o, const std::string& rest) { return o.pfad() + "\\" + rest; }

TEST(Pfad, BackslashesAndCaseAreResolvedPerComponent) {
    Temp_Ordner o;
    o.schreiben("config/1_team.cfg", "TEAM");
    o.schreiben("Spielstand/Game_0.KDV", "SAVE");
    o.schreiben("bilder/K\xC3\xB6ln.jpg", "JPG");  // file name with an umlaut, UTF-8 on disk

    EXPECT_EQ(W32_Pfad_Uebersetzen(Spielpfad(o, "Config\\1_Team.cfg").c_str()), o / "config/1_team.cfg");
    EXPECT_EQ(W32_Pfad_Uebersetzen(Spielpfad(o, "spielstand\\game_0.kdv").c_str()), o / "Spielstand/Game_0.KDV");
    // CP1252 path inside the game, UTF-8 name on disk, different case.
    EXPECT_EQ(W32_Pfad_Uebersetzen(Spielpfad(o, "BILDER\\KÖLN.JPG").c_str()), o / "bilder/K\xC3\xB6ln.jpg");
    // Missing parts keep the spelling they were given.
    EXPECT_EQ(W32_Pfad_Uebersetzen(Spielpfad(o, "Config\\Neu\\Datei.txt").c_str()), o / "config/Neu/Datei.txt");
    EXPECT_EQ(W32_Pfad_Uebersetzen("a\\\\b//c"), "a/b/c");
    EXPECT_EQ(W32_Pfad_Uebersetzen(""), "");
    EXPECT_EQ(W32_Pfad_Uebersetzen(nullptr), "");

    char inhalt[8] = {};
    const W32_Handle h = W32_File_Open_Read(Spielpfad(o, "CONFIG\\1_TEAM.CFG").c_str());
    ASSERT_GE(h, 0);
    EXPECT_EQ(W32_File_Read(inhalt, 1, sizeof inhalt, h), 4u);
    EXPECT_STREQ(inhalt, "TEAM");
    EXPECT_EQ(W32_File_Close(h), -1);
}

TEST(Datei, CreateDispositionsAndAccess) {
    Temp_Ordner o;
    const std::string name = Spielpfad(o, "neu.bin");
    EXPECT_EQ(W32_File_Create(name.c_str(), W32_GENERIC_READ, W32_OPEN_EXISTING, W32_FILE_ATTRIBUTE_NORMAL), -1);
    EXPECT_EQ(W32_File_Open_Read(name.c_str()), -1);

    W32_Handle h = W32_File_Create(name.c_str(), W32_GENERIC_WRITE, W32_CREATE_ALWAYS, W32_FILE_ATTRIBUTE_NORMAL);
    ASSERT_GE(h, 0);
    EXPECT_EQ(W32_File_Write("abcdef", 2, 3, h), 6u);  // element size times count
    char c;
    EXPECT_EQ(W32_File_Read(&c, 1, 1, h), 0u);  // opened for writing only
    W32_File_Close(h);
    EXPECT_TRUE(W32_File_Exists(name.c_str()));

    EXPECT_EQ(W32_File_Create(name.c_str(), W32_GENERIC_WRITE, W32_CREATE_NEW, 0), -1);  // exists already
    h = W32_File_Create(name.c_str(), W32_GENERIC_READ | W32_GENERIC_WRITE, W32_OPEN_ALWAYS, 0);
    ASSERT_GE(h, 0);
    EXPECT_EQ(W32_File_Size(h), 6u);  // not emptied
    char zurueck[8] = {};
    EXPECT_EQ(W32_File_Read(zurueck, 4, 2, h), 6u);  // a short read counts bytes
    EXPECT_STREQ(zurueck, "abcdef");
    W32_File_Close(h);
    h = W32_File_Create(name.c_str(), W32_GENERIC_WRITE, W32_TRUNCATE_EXISTING, 0);
    EXPECT_EQ(W32_File_Size(h), 0u);
    W32_File_Close(h);

    EXPECT_EQ(W32_File_Create(name.c_str(), W32_GENERIC_READ, 99, 0), -1);                     // unknown disposition
    EXPECT_EQ(W32_File_Create(o.pfad().c_str(), W32_GENERIC_READ, W32_OPEN_EXISTING, 0), -1);  // a folder
    EXPECT_TRUE(W32_File_Delete(name.c_str()));
    EXPECT_FALSE(W32_File_Exists(name.c_str()));
    EXPECT_FALSE(W32_File_Delete(name.c_str()));
}

TEST(Datei, SeekOriginsAndResults) {
    Temp_Ordner o;
    o.schreiben("zehn.bin", "0123456789");
    const W32_Handle h = W32_File_Open_Read(Spielpfad(o, "zehn.bin").c_str());
    ASSERT_GE(h, 0);
    EXPECT_EQ(W32_File_Size(h), 10u);
    // A seek gives the new position from the start, the offset given otherwise;
    // an unknown origin counts from the start; one before the start fails
    // (0) and keeps the position.
    const struct {
        i32 offset, origin, ergebnis;
        char danach;  // the byte read next
    } schritte[] = {{4, W32_SEEK_ANFANG, 4, '4'},  {2, W32_SEEK_AKTUELL, 2, '7'},
                    {-3, W32_SEEK_ENDE, -3, '7'},  {1, 1234, 1, '1'},
                    {-5, W32_SEEK_ANFANG, 0, '2'}, {-50, W32_SEEK_ENDE, 0, '3'}};
    for (const auto& s : schritte) {
        EXPECT_EQ(W32_File_Seek(h, s.offset, s.origin), s.ergebnis) << s.offset << " " << s.origin;
        char c = 0;
        W32_File_Read(&c, 1, 1, h);
        EXPECT_EQ(c, s.danach) << s.offset << " " << s.origin;
    }
    // Reading at the end moves nothing.
    W32_File_Seek(h, 0, W32_SEEK_ENDE);
    char c;
    EXPECT_EQ(W32_File_Read(&c, 1, 1, h), 0u);
    EXPECT_EQ(W32_File_Tell(h), 10);
    W32_File_Close(h);
}

TEST(Datei, BadHandlesAndBuffersAreHarmless) {
    char puffer[4];
    EXPECT_EQ(W32_File_Read(puffer, 1, 4, -1), 0u);
    EXPECT_EQ(W32_File_Write(puffer, 1, 4, -1), 0u);
    EXPECT_EQ(W32_File_Read(nullptr, 1, 4, 0), 0u);
    EXPECT_EQ(W32_File_Seek(-1, 5, W32_SEEK_ANFANG), 0);
    EXPECT_EQ(W32_File_Tell(-1), -1);
    EXPECT_EQ(W32_File_Size(-1), 0u);
    EXPECT_EQ(W32_File_Close(-1), -1);
    EXPECT_EQ(W32_File_Open_Read(nullptr), -1);
    EXPECT_EQ(W32_File_Open_Read(""), -1);
    EXPECT_FALSE(W32_File_Exists(nullptr));
}

TEST(Muster, WildcardsWithoutRegardToCase) {
    const std::tuple<const char*, const char*, bool> faelle[] = {
        {"game_0.kdv", "*.kdv", true},
        {"GAME_0.KDV", "game_?.kdv", true},
        {"game_10.kdv", "game_?.kdv", false},
        {"readme", "*.*", true},
        {"abc", "*", true},
        {"a.b.c", "*.c", true},
        {"aXbXc", "a*b*c", true},
        {"aXbXd", "a*b*c", false},
        {"ÄRGER.txt", "ärger*", true},
        {"abc", "abcd", false},
        {nullptr, "*", false},
    };
    for (const auto& [name, muster, passt] : faelle) EXPECT_EQ(W32_Muster_Passt(name, muster), passt) << muster;
}

TEST(Ordner, CountAndListFiles) {
    Temp_Ordner o;
    o.schreiben("Wappenbilder/b.JPG", "");
    o.schreiben("Wappenbilder/a.jpg", "");
    o.schreiben("Wappenbilder/c.tga", "");
    o.schreiben("Wappenbilder/unter.jpg/x", "");  // a folder is not counted
    const std::string ordner = Spielpfad(o, "wappenbilder");

    EXPECT_EQ(W32_Dir_Count_Files(ordner.c_str(), "*.jpg"), 2);
    EXPECT_EQ(W32_Dir_Count_Files(ordner.c_str(), "*.*"), 3);
    EXPECT_EQ(W32_Dir_Count_Files(ordner.c_str(), "*.bmp"), 0);
    EXPECT_EQ(W32_Dir_Count_Files(Spielpfad(o, "fehlt").c_str(), "*.*"), 0);
    EXPECT_EQ(W32_Dir_Count_Files(o.pfad().c_str(), "WAPPENBILDER\\*.jpg"), 2);  // folders in the pattern
    EXPECT_EQ(W32_Dir_Count_Files((o.pfad() + "/").c_str(), "wappenbilder/*.tga"), 1);

    std::vector<char> zeilen(3 * W32_DIR_LAENGE, 'X');
    EXPECT_EQ(W32_Dir_List_Files(ordner.c_str(), "*.*", 3, zeilen.data()), 3);
    EXPECT_STREQ(&zeilen[0], "a.jpg");  // sorted by name
    EXPECT_STREQ(&zeilen[W32_DIR_LAENGE], "b.JPG");
    EXPECT_STREQ(&zeilen[2 * W32_DIR_LAENGE], "c.tga");

    std::vector<char> eine(W32_DIR_LAENGE * 2, 'X');
    EXPECT_EQ(W32_Dir_List_Files(ordner.c_str(), "*.*", 1, eine.data()), 1);
    EXPECT_EQ(eine[W32_DIR_LAENGE], 'X');  // nothing written past the maximum
    EXPECT_EQ(W32_Dir_List_Files(ordner.c_str(), "*.*", 0, eine.data()), 0);
    EXPECT_EQ(eine[0], 'a');
    EXPECT_EQ(W32_Dir_List_Files(ordner.c_str(), "*.*", 5, nullptr), 0);
}

TEST(Ordner, TableFromWorkDirWithOverrides) {
    Temp_Ordner cfg;
    Temp_Ordner spiel;
    Env_Setzen env("KORDAVO_CONFIG_DIR", cfg.pfad().c_str());
    Env_Setzen env2("KORDAVO_GAME_DIR", nullptr);
    Settings_Neu_Laden();
    spiel.schreiben("Config/1_team.cfg", "");
    spiel.schreiben("woanders/x", "");
    ASSERT_TRUE(W32_Registry_Write("Work_dir", (spiel.pfad() + "/").c_str()));
    ASSERT_TRUE(W32_Registry_Write("verz_5", "woanders"));           // relative to the working folder
    ASSERT_TRUE(W32_Registry_Write("verz_13", "/var/tmp/kordavo"));  // absolute

    EXPECT_TRUE(W32_Dir_Init());
    EXPECT_STREQ(W32_Dir_Tabelle[W32_DIR_WORK], spiel.pfad().c_str());
    EXPECT_STREQ(W32_Dir_Tabelle[W32_DIR_CONFIG], (spiel / "Config").c_str());  // spelling on disk
    EXPECT_STREQ(W32_Dir_Tabelle[W32_DIR_SPIELSTAND], (spiel / "spielstand").c_str());
    EXPECT_STREQ(W32_Dir_Tabelle[W32_DIR_BACKUP], (spiel / "woanders").c_str());
    EXPECT_STREQ(W32_Dir_Tabelle[W32_DIR_TEMP], "/var/tmp/kordavo");
    EXPECT_STREQ(W32_Dir_Name(99), "");

    // The game's own formats work on the table.
    const char* pfad = Temp_Sprintf("%s\\%s\\%d_%s", W32_Dir_Tabelle[0], "config", 1, "team.cfg");
    EXPECT_TRUE(W32_File_Exists(pfad));

    EXPECT_TRUE(W32_Registry_Write("verz_13", ""));  // empty value: the default again
    EXPECT_TRUE(W32_Dir_Init());
    EXPECT_TRUE(W32_Dir_Anlegen());
    EXPECT_TRUE(W32_File_Exists((spiel.pfad() + "\\Config\\1_team.cfg").c_str()));
    EXPECT_STREQ(W32_Dir_Tabelle[W32_DIR_TEMP], (spiel / "temp").c_str());
    EXPECT_EQ(W32_Dir_Count_Files(W32_Dir_Tabelle[W32_DIR_TEMP], "*.*"), 0);

    ASSERT_TRUE(W32_Registry_Write("Work_dir", (spiel / "gibt_es_nicht").c_str()));
    EXPECT_FALSE(W32_Dir_Init());
    Settings_Neu_Laden();
}

}  // namespace
