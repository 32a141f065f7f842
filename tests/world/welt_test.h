// Helpers of the world tests: the shipped world and collected messages.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/datei.h"
#include "base/globals.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/welt.h"

inline std::string welt_quelle() {
    const char* s = std::getenv("KORDAVO_SOURCE_DIR");
    return std::string(s ? s : ".") + "/data/config";
}

inline std::string welt_temp_ordner(const char* name) {
    const char* b = std::getenv("KORDAVO_BINARY_DIR");
    std::string o = std::string(b ? b : "/tmp") + "/welt_test_" + name;
    std::string cmd = "mkdir -p '" + o + "'";
    if (std::system(cmd.c_str()) != 0) return "/tmp";
    return o;
}

// Collects the configuration reader's messages while it lives.
struct Melder_Mitschnitt {
    static std::vector<std::string>& texte() {
        static std::vector<std::string> t;
        return t;
    }
    static void nimm(const char* text) { texte().push_back(text); }
    Melder_Mitschnitt() {
        texte().clear();
        Read_Config_Set_Melder(&nimm);
    }
    ~Melder_Mitschnitt() { Read_Config_Set_Melder(nullptr); }
    bool enthaelt(const std::string& s) const {
        for (auto& t : texte())
            if (t.find(s) != std::string::npos) return true;
        return false;
    }
    std::string alle() const {
        std::string r;
        for (auto& t : texte()) r += t;
        return r;
    }
};

inline std::string datei_lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The bytes a save routine writes into a memory stream.
template <class F>
std::vector<u8> block_schreiben(F schreiben) {
    Datei_Status* d = Datei_Oeffnen_Speicher();
    EXPECT_TRUE(schreiben(d));
    u32 n = 0;
    const u8* p = Datei_Speicher_Daten(d, &n);
    std::vector<u8> r(p, p + n);
    Datei_Schliessen(d);
    return r;
}

// A load routine on the bytes; its result.
template <class F>
bool block_lesen(const std::vector<u8>& daten, F lesen) {
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(daten.data(), static_cast<u32>(daten.size()));
    const bool ok = lesen(d);
    Datei_Schliessen(d);
    return ok;
}

// A copy of every world record, to prove a round trip or a refusal changed nothing.
struct Abbild {
    std::vector<Spieler_Struktur> s;
    std::vector<Spieler_Fix> sf;
    std::vector<Spieler_Client_Egal> sx;
    std::vector<Team_Struktur> t;
    std::vector<Team_Fix> tf;
    std::vector<Team_Own> to;
    std::vector<std::vector<i32>> kader;
    std::vector<std::vector<u8>> manager;
    std::vector<std::string> alias;
    i32 aktiv, schwierigkeit;
    void nehmen() {
        s.assign(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
        sf.assign(Spieler_Fix_Daten, Spieler_Fix_Daten + Spieler_Anzahl);
        sx.assign(Spieler_Texte, Spieler_Texte + Spieler_Anzahl);
        t.assign(Team_Daten, Team_Daten + Team_Anzahl);
        tf.assign(Team_Fix_Daten, Team_Fix_Daten + Team_Anzahl);
        to.assign(Team_Own_Daten, Team_Own_Daten + Team_Anzahl);
        kader.clear();
        manager.clear();
        alias.clear();
        for (int i = 0; i < Team_Anzahl; i++) {
            kader.emplace_back(Team_Kader(i), Team_Kader(i) + Team_Kader_Anzahl(i));
            std::vector<u8> m;
            if (Team_Manager[i])
                m.assign(reinterpret_cast<u8*>(Team_Manager[i]),
                         reinterpret_cast<u8*>(Team_Manager[i]) + sizeof(Manager_Struktur));
            manager.push_back(m);
            alias.push_back(Team_Alias_Name(i));
        }
        aktiv = Team_Aktiv;
        schwierigkeit = Schwierigkeit;
    }
    bool operator==(const Abbild& o) const {
        auto gleich = [](const auto& a, const auto& b) {
            return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(a[0])) == 0;
        };
        return gleich(s, o.s) && gleich(sf, o.sf) && gleich(sx, o.sx) && gleich(t, o.t) && gleich(tf, o.tf) &&
               gleich(to, o.to) && kader == o.kader && manager == o.manager && alias == o.alias && aktiv == o.aktiv &&
               schwierigkeit == o.schwierigkeit;
    }
};


// Test suites that work on the shipped world, read once per suite.
class Geladene_Welt : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Melder_Mitschnitt m;
        ASSERT_TRUE(Welt_Laden_Ordner(welt_quelle().c_str(), 0)) << m.alle();
        EXPECT_EQ(m.alle(), "") << "the shipped world loads without a message";
    }
    static void TearDownTestSuite() {
        Bank_Free();
        Welt_Freigeben();
    }
};
