// The shipped competitions agree with the shipped world: every league names
// clubs of its own country and level, every league club plays in exactly one
// league, cups take clubs of their country, and the competition file's alias
// companion repeats the team aliases.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/globals.h"
#include "welt_test.h"
#include "world/konfig.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

std::vector<std::string> zeilen(const std::string& text) {
    std::vector<std::string> r;
    std::string z;
    std::istringstream in(text);
    while (std::getline(in, z)) {
        if (!z.empty() && z.back() == '\r') z.pop_back();
        r.push_back(z);
    }
    return r;
}

// One competition: its keys in file order.
struct Wettbewerb {
    std::multimap<std::string, std::string> werte;
    std::string wert(const std::string& k) const {
        auto it = werte.find(k);
        return it == werte.end() ? "" : it->second;
    }
    std::vector<int> start() const {
        std::vector<int> r;
        std::stringstream s(wert("STARTTEILNEHMER"));
        std::string x;
        while (std::getline(s, x, ',')) r.push_back(std::stoi(x));
        return r;
    }
};

std::vector<Wettbewerb> wettbewerbe_lesen() {
    std::vector<Wettbewerb> r;
    for (const std::string& z : zeilen(datei_lesen(welt_quelle() + "/1_wettbewerb.cfg"))) {
        if (z == "NEUER_WETTBEWERB") {
            r.emplace_back();
            continue;
        }
        if (r.empty() || z.empty() || z[0] != '\t') continue;
        size_t k = z.find_first_not_of('\t');
        size_t e = z.find(' ', k);
        std::string schluessel = z.substr(k, e - k);
        std::string wert = e == std::string::npos ? "" : z.substr(z.find_first_not_of(' ', e));
        if (wert.size() >= 2 && wert.front() == '"') wert = wert.substr(1, wert.size() - 2);
        r.back().werte.emplace(schluessel, wert);
    }
    return r;
}

int team_von_alias(const std::string& alias) {
    for (int t = 0; t < Team_Anzahl; t++)
        if (alias == Team_Alias_Name(t)) return t;
    return -1;
}

using Wettbewerbe = Geladene_Welt;

TEST_F(Wettbewerbe, LeaguesHoldTheClubsOfTheirCountryAndLevel) {
    std::vector<Wettbewerb> alle = wettbewerbe_lesen();
    ASSERT_GT(alle.size(), 20u);
    std::map<std::string, const Wettbewerb*> ligen;
    std::set<std::string> unten;  // leagues some other league points to
    for (const auto& w : alle) {
        if (w.wert("SUPER_ART") != "LIGA") continue;
        ligen[w.wert("IDENTIFIKATION")] = &w;
        for (const char* k : {"VISUELL_NACHFOLGER", "VISUELL_PARALLEL"})
            if (!w.wert(k).empty()) unten.insert(w.wert(k));
    }
    // Levels: the top leagues are the ones nothing points to; a successor is
    // one level lower, a parallel league on the same level.
    std::map<std::string, int> ebene;
    for (auto& [id, w] : ligen) {
        if (unten.count(id)) continue;
        std::string l = id;
        for (int e = 1; !l.empty(); e++) {
            std::string p = l;
            while (!p.empty()) {
                ASSERT_TRUE(ligen.count(p)) << p;
                ASSERT_FALSE(ebene.count(p)) << p << " reached twice";
                ebene[p] = e;
                p = ligen[p]->wert("VISUELL_PARALLEL");
            }
            l = ligen[l]->wert("VISUELL_NACHFOLGER");
        }
    }
    ASSERT_EQ(ebene.size(), ligen.size()) << "a league outside every chain";

    std::map<int, int> liga_von;  // club -> how many leagues name it
    for (auto& [id, w] : ligen) {
        std::string land = w->wert("LAND");
        ASSERT_EQ(land[0], '#') << id;
        int nation = team_von_alias(land.substr(1));
        ASSERT_GT(nation, 0) << id;
        std::vector<int> start = w->start();
        EXPECT_EQ(std::to_string(start.size()), w->wert("TEAMS")) << id;
        for (int t : start) {
            ASSERT_TRUE(t > 0 && t < Team_Anzahl) << id << " " << t;
            EXPECT_TRUE(Team_Get_Art(t) & TEAM_ART_VEREIN) << id << " " << t;
            EXPECT_EQ(Team_Wert(6, t, 0, OP_LESEN), nation) << id << " " << Team_String(721, t, nullptr, 0);
            EXPECT_EQ(Team_Get_Ebene(t), ebene[id]) << id << " " << Team_String(721, t, nullptr, 0);
            liga_von[t]++;
        }
    }
    int vereine = 0;
    for (int t = 0; t < Team_Anzahl; t++) {
        if (!(Team_Get_Art(t) & TEAM_ART_VEREIN) || Team_Get_Ebene(t) == 0) continue;
        vereine++;
        EXPECT_EQ(liga_von[t], 1) << Team_String(721, t, nullptr, 0) << " (" << t << ")";
    }
    EXPECT_EQ(vereine, 264);
}

TEST_F(Wettbewerbe, CupsAndTournamentsNameTeamsOfTheRightKind) {
    int pokale = 0;
    for (const auto& w : wettbewerbe_lesen()) {
        std::string art = w.wert("SUPER_ART");
        std::vector<int> start = w.start();
        for (int t : start) ASSERT_TRUE(t > 0 && t < Team_Anzahl) << w.wert("IDENTIFIKATION");
        if (art == "POKAL") {
            pokale++;
            int nation = team_von_alias(w.wert("LAND").substr(1));
            for (int t : start) EXPECT_EQ(Team_Wert(6, t, 0, OP_LESEN), nation) << w.wert("IDENTIFIKATION") << " " << t;
        } else if (art == "LAENDER") {
            for (int t : start)
                EXPECT_TRUE(Team_Get_Art(t) & TEAM_ART_NATIONALTEAM) << w.wert("IDENTIFIKATION") << " " << t;
        } else if (art == "EUROPA" || art == "TURNIER") {
            for (int t : start) {
                EXPECT_TRUE(Team_Get_Art(t) & TEAM_ART_VEREIN) << w.wert("IDENTIFIKATION") << " " << t;
                EXPECT_EQ(Team_Get_Ebene(t), 1) << w.wert("IDENTIFIKATION") << " " << t;
            }
        }
    }
    EXPECT_EQ(pokale, 5);
}

TEST_F(Wettbewerbe, AliasCompanionRepeatsTheTeamAliases) {
    std::vector<std::string> w = zeilen(datei_lesen(welt_quelle() + "/1_wettbewerb_alias.cfg"));
    std::vector<std::string> t = zeilen(datei_lesen(welt_quelle() + "/1_team_alias.cfg"));
    ASSERT_FALSE(w.empty());
    ASSERT_FALSE(t.empty());
    // Only the comment line at the top differs.
    EXPECT_EQ(std::vector<std::string>(w.begin() + 1, w.end()), std::vector<std::string>(t.begin() + 1, t.end()));
    // Besides the comment, the checksum line: a cut file is found.
    EXPECT_EQ(t[1].rfind("CHECKSUMME ", 0), 0u) << t[1];
    EXPECT_EQ(static_cast<int>(t.size()) - 2, Team_Anzahl);
}

}  // namespace
