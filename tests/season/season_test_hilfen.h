// Helpers shared by the season tests: message capture, a temporary game
// folder, the shipped configuration files.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/datei.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/meldung.h"
#include "base/settings.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"

namespace season_test {

// Collects every message shown to the player (and the configuration
// reader's own messages) while it lives.
class Meldungen {
  public:
    Meldungen() {
        aktuell() = this;
        Meldung_Hooks h;
        h.zeigen = [](const char* t) { aktuell()->texte.emplace_back(t); };
        h.manager_zeigen = [](i32, i32, const char* t) { aktuell()->texte.emplace_back(t); };
        h.beenden_fragen = []() { return true; };
        Meldung_Set_Hooks(h);
        Read_Config_Set_Melder([](const char* t) { aktuell()->texte.emplace_back(t); });
    }
    ~Meldungen() {
        Read_Config_Set_Melder(nullptr);
        Meldung_Hooks h;
        h.zeigen = [](const char*) {};
        h.manager_zeigen = [](i32, i32, const char*) {};
        Meldung_Set_Hooks(h);
        aktuell() = nullptr;
    }
    bool Enthaelt(const std::string& t) const {
        for (auto& s : texte)
            if (s.find(t) != std::string::npos) return true;
        return false;
    }
    bool Genau(const std::string& t) const {
        for (auto& s : texte)
            if (s == t) return true;
        return false;
    }
    std::string Alle() const {
        std::string a;
        for (auto& s : texte) a += "<" + s + ">\n";
        return a;
    }
    std::vector<std::string> texte;

  private:
    static Meldungen*& aktuell() {
        static Meldungen* m = nullptr;
        return m;
    }
};

// A temporary working folder with a "config" folder; the folder table
// points at it while it lives.
class Spielordner {
  public:
    Spielordner() {
        char vorlage[] = "/tmp/kordavo_season_XXXXXX";
        pfad = mkdtemp(vorlage);
        std::filesystem::create_directories(pfad + "/config");
        std::filesystem::create_directories(pfad + "/spielstand");
        std::memcpy(alt, W32_Dir_Tabelle, sizeof alt);
        std::snprintf(W32_Dir_Tabelle[W32_DIR_WORK], W32_DIR_LAENGE, "%s", pfad.c_str());
        std::snprintf(W32_Dir_Tabelle[W32_DIR_CONFIG], W32_DIR_LAENGE, "%s/config", pfad.c_str());
        std::snprintf(W32_Dir_Tabelle[W32_DIR_SPIELSTAND], W32_DIR_LAENGE, "%s/spielstand", pfad.c_str());
        // The settings file (last save slot) lives there too.
        setenv("KORDAVO_CONFIG_DIR", pfad.c_str(), 1);
        Settings_Neu_Laden();
    }
    ~Spielordner() {
        std::memcpy(W32_Dir_Tabelle, alt, sizeof alt);
        unsetenv("KORDAVO_CONFIG_DIR");
        Settings_Neu_Laden();
        std::error_code ec;
        std::filesystem::remove_all(pfad, ec);
    }
    void Schreiben(const std::string& name, const std::string& text) const {
        std::ofstream(pfad + "/config/" + name, std::ios::binary) << text;
    }
    std::string pfad;

  private:
    char alt[W32_DIR_ANZAHL][W32_DIR_LAENGE];
};

inline std::string Quelle(const std::string& relativ) {
    const char* q = std::getenv("KORDAVO_SOURCE_DIR");
    return std::string(q ? q : ".") + "/" + relativ;
}

inline std::string Datei_Lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A fixture database of a test's own: the season's hooks at their defaults,
// a game at one machine, the competitions of `config` read and their
// `plaene` fixture plans made. Spielplaene_Freigeben undoes it.
inline void Spielplaene_Anlegen(const std::string& config, int plaene) {
    Season_Hooks_Zuruecksetzen();
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ASSERT_TRUE(Wettbewerb_Init());
    ASSERT_TRUE(Spiele_Init());
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(config.data(), static_cast<u32>(config.size())));
    ASSERT_EQ(Wettbewerb_Spielplaene_Erstellen(), plaene);
}
inline void Spielplaene_Freigeben() {
    Spiele_Free();
    Wettbewerb_Free();
}

// The bytes the block writers put into one memory stream, in order.
template <class... Schreiber>
std::vector<u8> Block_Bytes(Schreiber... schreiber) {
    Datei_Status* d = Datei_Oeffnen_Speicher();
    auto schreiben = [d](auto f) { EXPECT_TRUE(f(d)); };
    (schreiben(schreiber), ...);
    u32 n = 0;
    const u8* p = Datei_Speicher_Daten(d, &n);
    std::vector<u8> v(p, p + n);
    Datei_Schliessen(d);
    return v;
}

}  // namespace season_test
