// A game folder of its own for a test of the program's wiring: a fresh
// folder in the build tree (under /tmp only for a test started by hand
// without it) with the shipped configuration set 1 and a save folder, the
// folder table and the settings pointing into it. The folder's name holds
// the id of the process that made it, so a test whose child process had to
// be killed takes that child's folders away (Test_Spielordner_Entfernen).
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/files.h"
#include "base/settings.h"

inline std::string Test_Quelle(const std::string& relativ) {
    const char* q = std::getenv("KORDAVO_SOURCE_DIR");
    return std::string(q ? q : ".") + "/" + relativ;
}

// Where the game folders go: the build tree's test folder when the test
// runs under ctest (which names the build tree), else /tmp.
inline std::string Test_Spielordner_Basis() {
    const char* b = std::getenv("KORDAVO_BINARY_DIR");
    if (!b || !*b) return "/tmp";
    const std::string basis = std::string(b) + "/test-spielordner";
    std::error_code ec;
    std::filesystem::create_directories(basis, ec);
    return ec ? std::string("/tmp") : basis;
}

// The part of a game folder's name that tells the process that made it.
inline std::string Test_Spielordner_Marke(pid_t prozess) { return "_p" + std::to_string(prozess) + "_"; }

inline std::string Test_Spielordner_Anlegen(const char* praefix) {
    namespace fs = std::filesystem;
    std::string vorlage = Test_Spielordner_Basis() + "/" + praefix + Test_Spielordner_Marke(getpid()) + "XXXXXX";
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

// Removes the game folders a process that has ended left behind (a child
// killed before it could clean up); the number removed.
inline int Test_Spielordner_Entfernen(pid_t prozess) {
    namespace fs = std::filesystem;
    const std::string marke = Test_Spielordner_Marke(prozess);
    std::error_code ec;
    int n = 0;
    for (fs::directory_iterator it(Test_Spielordner_Basis(), ec), ende; !ec && it != ende; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // <prefix><marke>XXXXXX, as Test_Spielordner_Anlegen names them.
        const size_t p = name.rfind(marke);
        if (p == std::string::npos || p == 0 || name.size() != p + marke.size() + 6 || !it->is_directory()) continue;
        std::error_code weg;
        if (fs::remove_all(it->path(), weg) > 0 && !weg) ++n;
    }
    return n;
}
