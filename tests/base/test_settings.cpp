// The settings file that stands in for the registry.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "base/debug.h"
#include "base/settings.h"
#include "base_test_util.h"

namespace {

class Settings : public ::testing::Test {
  protected:
    void SetUp() override { Settings_Neu_Laden(); }
    void TearDown() override { Settings_Neu_Laden(); }
    Temp_Ordner ordner;
    Env_Setzen env{"KORDAVO_CONFIG_DIR", ordner.pfad().c_str()};

    std::string Lesen(const char* name) {
        char puffer[256] = "unberührt";
        return W32_Registry_Read(name, puffer, sizeof puffer) ? std::string(puffer) : std::string("<fehlt>");
    }
};

TEST_F(Settings, WriteThenReadBackAfterReload) {
    EXPECT_EQ(Settings_Pfad(), ordner / "settings.ini");
    EXPECT_TRUE(W32_Registry_Write("gme", "3"));
    EXPECT_TRUE(W32_Registry_Write("res_10", "fontres.res"));
    EXPECT_TRUE(W32_Registry_Write("conf_2", "Wettbewerb Müller.cfg"));  // CP1252 value
    EXPECT_TRUE(W32_Registry_Write("gme", "4"));                         // replaces, not appends
    Settings_Neu_Laden();
    EXPECT_EQ(Lesen("gme"), "4");
    EXPECT_EQ(Lesen("Gme"), "4");  // names without regard to case
    EXPECT_EQ(Lesen("RES_10"), "fontres.res");
    EXPECT_EQ(Lesen("conf_2"), "Wettbewerb Müller.cfg");
    // The file itself is UTF-8, one name=value line per value.
    EXPECT_EQ(ordner.lesen("settings.ini"), "gme=4\nres_10=fontres.res\nconf_2=Wettbewerb M\xC3\xBCller.cfg\n");
    // No temporary file is left behind.
    int dateien = 0;
    for (auto& e : std::filesystem::directory_iterator(ordner.pfad())) dateien += e.is_regular_file();
    EXPECT_EQ(dateien, 1);
}

TEST_F(Settings, MissingValueLeavesTheBufferLongValuesAreCut) {
    char puffer[16] = "alt";
    EXPECT_FALSE(W32_Registry_Read("verz_3", puffer, sizeof puffer));
    EXPECT_STREQ(puffer, "alt");
    EXPECT_FALSE(W32_Registry_Read("gme", puffer, 0));
    EXPECT_FALSE(W32_Registry_Read(nullptr, puffer, sizeof puffer));
    ASSERT_TRUE(W32_Registry_Write("res_27", "animationen.res"));
    std::memset(puffer, 'X', sizeof puffer);
    EXPECT_TRUE(W32_Registry_Read("res_27", puffer, 5));
    EXPECT_STREQ(puffer, "anim");
}

TEST_F(Settings, BadNamesAndValuesAreRefused) {
    for (const char* name : {"", "a=b", "[abschnitt]", " gme"}) EXPECT_FALSE(W32_Registry_Write(name, "x")) << name;
    EXPECT_FALSE(W32_Registry_Write("gme", "zwei\nZeilen"));
    EXPECT_FALSE(W32_Registry_Write("gme", nullptr));
    EXPECT_EQ(Lesen("gme"), "<fehlt>");
    // '=' inside a value is fine: only the first one separates.
    EXPECT_TRUE(W32_Registry_Write("intro", "-File1:a=b"));
    Settings_Neu_Laden();
    EXPECT_EQ(Lesen("intro"), "-File1:a=b");
}

TEST_F(Settings, DamagedFileKeepsGoodLinesAndReportsTheLine) {
    using namespace std::string_literals;
    ordner.schreiben("settings.ini",
                     "\xEF\xBB\xBF# Kommentar\r\n"
                     "gme=2\r\n"
                     "das ist kaputt\n"
                     "=ohne Namen\n"
                     "[Kordavo]\n"
                     "  res_0  =  menue_res.res  \n"
                     "verz_2=a\0b\n"
                     "\xFF\xFE\x01\x02\n"
                     "gme=5\n"
                     "letzte=ohne Zeilenende"s);
    Debug_Mitschnitt log;
    EXPECT_EQ(Lesen("gme"), "5");  // a later line wins
    EXPECT_EQ(Lesen("res_0"), "menue_res.res");
    EXPECT_EQ(Lesen("letzte"), "ohne Zeilenende");
    EXPECT_EQ(Lesen("verz_2"), "<fehlt>");
    EXPECT_EQ(Settings_Letzter_Fehler().rfind("settings.ini, Zeile ", 0), 0u);
    for (int zeile : {3, 4, 7, 8}) EXPECT_TRUE(log.Enthaelt("settings.ini, Zeile " + std::to_string(zeile) + ":"));

    // Writing keeps every other line of the file, damaged ones included.
    ASSERT_TRUE(W32_Registry_Write("gme", "6"));
    const std::string inhalt = ordner.lesen("settings.ini");
    for (const char* zeile : {"# Kommentar\n", "das ist kaputt\n", "gme=2\n", "gme=6\n", "letzte=ohne Zeilenende\n"})
        EXPECT_NE(inhalt.find(zeile), std::string::npos) << zeile;
    EXPECT_EQ(inhalt.find("gme=5"), std::string::npos);
    Settings_Neu_Laden();
    EXPECT_EQ(Lesen("gme"), "6");
}

TEST_F(Settings, LinesAcrossTheReadBlocksStayWhole) {
    // The file is read in blocks of 4 KB: a line that starts before a
    // block's end and ends after it is one line.
    for (size_t vorne : {size_t{4090}, size_t{4094}, size_t{4095}, size_t{4096}, size_t{4097}, size_t{9000}}) {
        SCOPED_TRACE(vorne);
        std::string text = "# " + std::string(vorne - 3, 'k') + "\n";
        text += "gme=" + std::to_string(vorne) + "\r\n" + std::string(5000, '#') + "\nres_1=" + std::string(3000, 'r');
        ordner.schreiben("settings.ini", text);
        Settings_Neu_Laden();
        EXPECT_EQ(Lesen("gme"), std::to_string(vorne));
        char puffer[4000] = "";
        ASSERT_TRUE(W32_Registry_Read("res_1", puffer, sizeof puffer));
        EXPECT_EQ(std::string(puffer), std::string(3000, 'r'));
        EXPECT_EQ(Settings_Letzter_Fehler(), "");
    }
}

TEST_F(Settings, BinaryGarbageNeverCrashes) {
    std::string muell;
    u32 x = 12345;
    for (int i = 0; i < 20000; ++i) {
        x = x * 1103515245u + 12345u;
        muell += static_cast<char>(x >> 24);
    }
    ordner.schreiben("settings.ini", muell);
    char puffer[64] = "";
    W32_Registry_Read("gme", puffer, sizeof puffer);
    EXPECT_TRUE(W32_Registry_Write("gme", "1"));
    Settings_Neu_Laden();
    EXPECT_EQ(Lesen("gme"), "1");
}

TEST_F(Settings, UnwritableFolderFailsButKeepsTheValueForThisRun) {
    // A folder below a plain file can be created by nobody, root included.
    ordner.schreiben("datei", "x");
    Env_Setzen env2("KORDAVO_CONFIG_DIR", (ordner / "datei/kordavo").c_str());
    Settings_Neu_Laden();
    Debug_Mitschnitt log;
    EXPECT_FALSE(W32_Registry_Write("gme", "2"));
    EXPECT_TRUE(log.Enthaelt("kann nicht geschrieben werden"));
    EXPECT_EQ(Lesen("gme"), "2");
    Settings_Neu_Laden();
    EXPECT_EQ(Lesen("gme"), "<fehlt>");
    EXPECT_EQ(ordner.lesen("datei"), "x");
}

TEST_F(Settings, SettingsFileThatIsAFolderIsReportedAndLeftAlone) {
    std::filesystem::create_directories(ordner / "settings.ini/inhalt");
    Settings_Neu_Laden();
    EXPECT_EQ(Lesen("gme"), "<fehlt>");
    EXPECT_EQ(Settings_Letzter_Fehler(), "settings.ini: ist ein Ordner, keine Datei; es gelten die Vorgaben");
    EXPECT_FALSE(W32_Registry_Write("gme", "2"));
    EXPECT_TRUE(std::filesystem::is_directory(ordner / "settings.ini/inhalt"));
}

TEST_F(Settings, FolderIsCreatedAndXdgIsUsedWithoutOverride) {
    {
        Env_Setzen ohne("KORDAVO_CONFIG_DIR", nullptr);
        Env_Setzen xdg("XDG_CONFIG_HOME", (ordner / "xdg").c_str());
        EXPECT_EQ(Settings_Pfad(), ordner / "xdg/kordavo/settings.ini");
        Settings_Neu_Laden();
        EXPECT_TRUE(W32_Registry_Write("gme", "9"));
        EXPECT_EQ(ordner.lesen("xdg/kordavo/settings.ini"), "gme=9\n");
        Env_Setzen home("HOME", (ordner / "home").c_str());
        Env_Setzen xdg_leer("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(Settings_Pfad(), ordner / "home/.config/kordavo/settings.ini");
    }
}

TEST_F(Settings, WorkDirDefaultsToTheGameFolder) {
    {
        Env_Setzen spiel("KORDAVO_GAME_DIR", "/pfad/zum/spiel");
        EXPECT_EQ(Lesen("Work_dir"), "/pfad/zum/spiel");
        EXPECT_EQ(Lesen("work_DIR"), "/pfad/zum/spiel");
        ASSERT_TRUE(W32_Registry_Write("Work_dir", "/anderswo"));
        EXPECT_EQ(Lesen("Work_dir"), "/anderswo");  // a set value wins
    }
    ordner.schreiben("settings.ini", "");
    Settings_Neu_Laden();
    Env_Setzen ohne("KORDAVO_GAME_DIR", nullptr);
    EXPECT_NE(Lesen("Work_dir"), "<fehlt>");  // beside the program or the current folder
}

}  // namespace
