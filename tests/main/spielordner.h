// A game folder of its own for a test of the program's wiring: a fresh
// folder under /tmp with the shipped configuration set 1 and a save folder,
// the folder table and the settings pointing into it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/files.h"
#include "base/settings.h"

inline std::string Test_Quelle(const std::string& relativ) {
    const char* q = std::getenv("KORDAVO_SOURCE_DIR");
    return std::string(q ? q : ".") + "/" + relativ;
}

inline std::string Test_Spielordner_Anlegen(const char* praefix) {
    namespace fs = std::filesystem;
    std::string vorlage = std::string("/tmp/") + praefix + "_XXXXXX";
    const std::string ordner = mkdtemp(vorlage.data());
    fs::create_directories(ordner + "/config");
    fs::create_directories(ordner + "/spielstand");
    for (const auto& e : fs::directory_iterator(Test_Quelle("data/config")))
        if (e.path().filename().string().rfind("1_", 0) == 0)
            fs::copy_file(e.path(), ordner + "/config/" + e.path().filename().string());
    std::snprintf(W32_Dir_Tabelle[W32_DIR_WORK], W32_DIR_LAENGE, "%s", ordner.c_str());
    std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s/config", ordner.c_str());
    std::snprintf(W32_Dir_Tabelle[W32_DIR_SPIELSTAND], W32_DIR_LAENGE, "%s/spielstand", ordner.c_str());
    setenv("KORDAVO_CONFIG_DIR", ordner.c_str(), 1);
    Settings_Neu_Laden();
    return ordner;
}
