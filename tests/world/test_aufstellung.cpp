// The automatic line-up with players out, and the roles after line-up changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "base/ruf.h"
#include "welt_test.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/netz.h"
#include "world/netz_rufe.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

using Aufstellung = Geladene_Welt;

int klasse(int s) { return Spieler_Fix_Daten[s].position; }
bool kann(int s) { return (Spieler_Daten[s].status & SP_STATUS_NICHT_SPIELBEREIT) == 0; }
bool spielt(int s) { return (Spieler_Daten[s].status & SP_STATUS_AUFGESTELLT) != 0; }

void alle_spielbereit(int t) {
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i) Spieler_Daten[Team_Kader(t)[i]].status &= ~SP_STATUS_NICHT_SPIELBEREIT;
}

// The line-up's faults: a defender or goalkeeper up front while a fresh
// midfielder or forward who could play sits on the bench or in the
// reserve; fewer than eleven starters or an unavailable one while someone
// could play.
std::string fehler(int t) {
    std::string f;
    const i32* k = Team_Kader(t);
    const int n = Team_Kader_Anzahl(t);
    int starter = 0, frei = 0;
    for (int i = 0; i < n; ++i) {
        starter += spielt(k[i]);
        frei += !spielt(k[i]) && kann(k[i]);
    }
    if (starter < 11 && frei > 0) f += " only " + std::to_string(starter) + " starters;";
    for (int i = 0; i < n; ++i) {
        const int s = k[i];
        if (!spielt(s)) continue;
        if (!kann(s) && frei > 0) f += " unavailable starter " + std::to_string(s) + ";";
        if (Aufstellung_Linie(Spieler_Daten[s].zeile) != 3 || klasse(s) >= 2) continue;
        for (int j = 0; j < n; ++j)
            if (!spielt(k[j]) && kann(k[j]) && klasse(k[j]) >= 2 && Spieler_Daten[k[j]].erschoepfung <= 4) {
                f += " class " + std::to_string(klasse(s)) + " up front while " + std::to_string(k[j]) + " of class " +
                     std::to_string(klasse(k[j])) + " sits;";
                break;
            }
    }
    // Two field players of the eleven who would both stand nearer their own
    // lines, or put the stronger one of a line in it, by trading places.
    std::vector<int> elf;
    for (int i = 0; i < n; ++i)
        if (spielt(k[i]) && Spieler_Daten[k[i]].zeile > 0) elf.push_back(k[i]);
    const auto weg = [](int s, int zeile) { return std::abs(klasse(s) - Aufstellung_Linie(zeile)); };
    for (size_t a = 0; a < elf.size(); ++a)
        for (size_t b = a + 1; b < elf.size(); ++b) {
            const int x = elf[a], y = elf[b], zx = Spieler_Daten[x].zeile, zy = Spieler_Daten[y].zeile;
            if (klasse(x) == 0 || klasse(y) == 0) continue;
            const int jetzt = weg(x, zx) + weg(y, zy), getauscht = weg(x, zy) + weg(y, zx);
            const bool staerker_fremd =
                klasse(x) == klasse(y) && jetzt == getauscht && (weg(x, zx) > 0) != (weg(y, zy) > 0) &&
                Spieler_Daten[weg(x, zx) > 0 ? x : y].staerke > Spieler_Daten[weg(x, zx) > 0 ? y : x].staerke;
            if (getauscht < jetzt || staerker_fremd) {
                f += ' ';
                f += std::to_string(x);
                f += " and ";
                f += std::to_string(y);
                f += " in each other's places;";
            }
        }
    return f;
}

// Every club, with the strongest players of each position class out in the
// numbers given (goalkeepers, defenders, midfielders, forwards), some of the
// rest tired: the automatic line-up puts no defender up front while a fresh
// midfielder or forward sits.
TEST_F(Aufstellung, PlayersOutInEachLineNeverSendADefenderUpFrontWhileAForwardSits) {
    const struct {
        const char* fall;
        int aus[4];
        int muede;  // every muede-th player of the squad is tired (0 none)
    } faelle[] = {
        {"nobody out", {0, 0, 0, 0}, 0},
        {"two defenders", {0, 2, 0, 0}, 0},
        {"three midfielders", {0, 0, 3, 0}, 0},
        {"the two best forwards", {0, 0, 0, 2}, 0},
        {"one of each line", {1, 1, 1, 1}, 0},
        {"four from defence and midfield", {0, 2, 2, 0}, 0},
        {"two midfielders and two forwards", {0, 0, 2, 2}, 0},
        {"two midfielders and two forwards, some tired", {0, 0, 2, 2}, 3},
        {"every forward", {0, 0, 0, 20}, 0},
        {"every forward, some tired", {0, 0, 0, 20}, 2},
        {"every midfielder", {0, 0, 20, 0}, 0},
    };
    for (const auto& f : faelle) {
        int vereine = 0, falsch = 0;
        std::string erste;
        for (int t = 0; t < Team_Anzahl; ++t) {
            if (t == Team_Transfermarkt || Team_Kader_Anzahl(t) < 11) continue;
            ++vereine;
            alle_spielbereit(t);
            std::vector<int> kader(Team_Kader(t), Team_Kader(t) + Team_Kader_Anzahl(t));
            for (size_t i = 0; i < kader.size(); ++i)
                Spieler_Daten[kader[i]].erschoepfung = static_cast<u8>(f.muede && i % f.muede == 0 ? 8 : 0);
            std::stable_sort(kader.begin(), kader.end(),
                             [](int a, int b) { return Spieler_Daten[a].staerke > Spieler_Daten[b].staerke; });
            int aus[4] = {f.aus[0], f.aus[1], f.aus[2], f.aus[3]};
            for (int s : kader)
                if (aus[klasse(s)] > 0) --aus[klasse(s)], Spieler_Daten[s].status |= SP_STATUS_VERLETZT;
            Aufstellung_Automatisch(t);
            const std::string e = fehler(t);
            if (!e.empty() && falsch++ == 0) erste = "club " + std::to_string(t) + ":" + e;
            alle_spielbereit(t);
            for (int s : kader) Spieler_Daten[s].erschoepfung = 0;
        }
        EXPECT_GT(vereine, 20) << f.fall;
        EXPECT_EQ(falsch, 0) << f.fall << ", first " << erste;
    }
    for (int t = 0; t < Team_Anzahl; ++t)
        if (t != Team_Transfermarkt) Aufstellung_Automatisch(t);
}

// One club's squad rewritten player by player, 4-4-2: the automatic line-up
// sends forwards up front while any can play, leaves a much stronger
// defender in defence, and puts the stronger of two forwards in his own line.
TEST_F(Aufstellung, ForwardsPlayUpFrontWhenTheSquadHasThem) {
    struct Spieler {
        int klasse, staerke;
        bool aus;
    };
    const struct {
        const char* fall;
        std::vector<Spieler> kader;
        std::vector<int> vorne;  // squad places of the two players up front
    } faelle[] = {
        {"four out: the two best forwards and two midfielders",
         {{0, 8, false},
          {0, 4, false},
          {1, 9, false},
          {1, 8, false},
          {1, 8, false},
          {1, 7, false},
          {1, 6, false},
          {1, 6, false},
          {2, 8, false},
          {2, 7, false},
          {2, 9, true},
          {2, 9, true},
          {2, 5, false},
          {2, 4, false},
          {3, 11, true},
          {3, 10, true},
          {3, 6, false},
          {3, 5, false}},
         {16, 17}},
        {"strong forwards beside weak midfielders",
         {{0, 8, false},
          {0, 4, false},
          {1, 6, false},
          {1, 6, false},
          {1, 6, false},
          {1, 6, false},
          {1, 5, false},
          {2, 5, false},
          {2, 5, false},
          {2, 5, false},
          {2, 5, false},
          {2, 4, false},
          {3, 11, false},
          {3, 10, false},
          {3, 9, false},
          {3, 3, false}},
         {12, 13}},
        {"a defender far stronger than the forwards",
         {{0, 8, false},
          {0, 4, false},
          {1, 12, false},
          {1, 12, false},
          {1, 6, false},
          {1, 6, false},
          {1, 6, false},
          {1, 6, false},
          {1, 6, false},
          {2, 6, false},
          {2, 6, false},
          {2, 6, false},
          {2, 6, false},
          {3, 4, false},
          {3, 4, false}},
         {13, 14}},
        {"three forwards, two stronger than every midfielder",
         {{0, 8, false},
          {0, 4, false},
          {1, 7, false},
          {1, 7, false},
          {1, 7, false},
          {1, 7, false},
          {1, 7, false},
          {2, 8, false},
          {2, 8, false},
          {2, 8, false},
          {2, 6, false},
          {3, 11, false},
          {3, 10, false},
          {3, 4, false}},
         {11, 12}},
    };
    const int t = 23;
    const std::vector<int> kader(Team_Kader(t), Team_Kader(t) + Team_Kader_Anzahl(t));
    std::vector<Spieler_Struktur> alt;
    std::vector<u8> alt_klasse;
    for (int s : kader) alt.push_back(Spieler_Daten[s]), alt_klasse.push_back(Spieler_Fix_Daten[s].position);
    const i8 alt_formation = Team_Own_Daten[t].formation;
    const Formation alt_elf = Team_Own_Daten[t].formationen[0];
    Team_Own_Daten[t].formation = 0;
    Team_Own_Daten[t].formationen[0] = Formation_Standard(0);
    for (const auto& f : faelle) {
        ASSERT_LE(f.kader.size(), kader.size()) << f.fall;
        for (size_t i = 0; i < kader.size(); ++i) {
            Spieler_Struktur& p = Spieler_Daten[kader[i]];
            p.erschoepfung = 0;
            p.status &= ~SP_STATUS_NICHT_SPIELBEREIT;
            if (i >= f.kader.size()) {
                p.status |= SP_STATUS_VERLETZT;  // not in this squad
                continue;
            }
            Spieler_Fix_Daten[kader[i]].position = static_cast<u8>(f.kader[i].klasse);
            p.staerke = static_cast<u8>(f.kader[i].staerke);
            if (f.kader[i].aus) p.status |= SP_STATUS_VERLETZT;
        }
        Aufstellung_Automatisch(t);
        std::vector<int> vorne;
        for (size_t i = 0; i < kader.size(); ++i)
            if (spielt(kader[i]) && Aufstellung_Linie(Spieler_Daten[kader[i]].zeile) == 3)
                vorne.push_back(static_cast<int>(i));
        EXPECT_EQ(vorne, f.vorne) << f.fall;
        int elf = 0;
        for (int s : kader) elf += spielt(s) && kann(s);
        EXPECT_EQ(elf, 11) << f.fall;
        EXPECT_EQ(fehler(t), "") << f.fall;
    }
    for (size_t i = 0; i < kader.size(); ++i)
        Spieler_Daten[kader[i]] = alt[i], Spieler_Fix_Daten[kader[i]].position = alt_klasse[i];
    Team_Own_Daten[t].formation = alt_formation;
    Team_Own_Daten[t].formationen[0] = alt_elf;
    Aufstellung_Automatisch(t);
}

// The roles of a squad are fine when every holder is a starter who can
// play, each taker's role is held by one of the eleven and the squad has
// exactly one captain.
std::string rollen_fehler(int t) {
    std::string f;
    const struct {
        u32 bit;
        const char* name;
    } rollen[] = {{SP_STATUS_ELFMETER, "penalty"},
                  {SP_STATUS_FREISTOSS, "free kick"},
                  {SP_STATUS_ECKEN, "corners"},
                  {SP_STATUS_KAPITAEN, "captain"}};
    for (const auto& r : rollen) {
        int in_elf = 0, im_kader = 0;
        for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
            const int s = Team_Kader(t)[i];
            if (!(Spieler_Daten[s].status & r.bit)) continue;
            ++im_kader;
            if (spielt(s) && kann(s)) ++in_elf;
            else f += std::string(" ") + r.name + " held off the pitch by " + std::to_string(s) + ";";
        }
        if (in_elf == 0) f += std::string(" no ") + r.name + " on the pitch;";
        if (r.bit == SP_STATUS_KAPITAEN && im_kader != 1) {
            f += ' ';
            f += std::to_string(im_kader);
            f += " captains;";
        }
    }
    return f;
}

int halter(int t, u32 rolle) {
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i)
        if (Spieler_Daten[Team_Kader(t)[i]].status & rolle) return Team_Kader(t)[i];
    return -1;
}

// The club gets a human manager unless an earlier test of the suite gave it one.
bool verwaltet(int t, const char* name) {
    return (Team_Manager && Team_Manager[t]) || Manager_Neuer_Mitspieler(t, name, -1);
}

int im_slot(int t, int slot) {
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i)
        if (Spieler_Daten[Team_Kader(t)[i]].slot == slot) return Team_Kader(t)[i];
    return -1;
}

// After each change of the line-up, by the manager, by injuries and bans or
// by the automatic line-up, the penalty, free-kick and corner takers and
// the captain are players on the pitch; a role holder who leaves the eleven
// hands his role on.
TEST_F(Aufstellung, RolesPassToThePitchAfterEveryLineUpChange) {
    const int verwaltet = 22, computer = 23;
    ASSERT_TRUE(Manager_Neuer_Mitspieler(verwaltet, "Test", -1));
    const auto auf_bank = [](int t, u32 rolle) {
        const int s = halter(t, rolle);
        ASSERT_GE(s, 0);
        Spieler_Tauschen_Intern(s, im_slot(t, 12), t, t);
    };
    const auto ausfall = [](int t, u32 rolle, u32 grund) {
        const int s = halter(t, rolle);
        ASSERT_GE(s, 0);
        Spieler_Daten[s].status |= grund;
    };
    const struct {
        const char* fall;
        int team;
        std::function<void(int)> aendern;
    } faelle[] = {
        {"the manager benches his penalty taker", verwaltet,
         [&](int t) {
             auf_bank(t, SP_STATUS_ELFMETER);
             Check_Und_Set_Aa(t);
         }},
        {"the manager sends his captain to the reserve", verwaltet,
         [&](int t) {
             Spieler_Tauschen_Intern(halter(t, SP_STATUS_KAPITAEN), im_slot(t, 18), t, t);
             Check_Und_Set_Aa(t);
         }},
        {"the free-kick taker is injured", verwaltet,
         [&](int t) {
             ausfall(t, SP_STATUS_FREISTOSS, SP_STATUS_VERLETZT);
             Check_Und_Set_Aa(t);
         }},
        {"the corner taker is sent off", verwaltet,
         [&](int t) {
             ausfall(t, SP_STATUS_ECKEN, SP_STATUS_ROT);
             Check_Und_Set_Aa(t);
         }},
        {"all takers benched by the manager", verwaltet,
         [&](int t) {
             for (u32 r : {SP_STATUS_ELFMETER, SP_STATUS_FREISTOSS, SP_STATUS_ECKEN, SP_STATUS_KAPITAEN})
                 if (spielt(halter(t, r))) auf_bank(t, r);
             Check_Und_Set_Aa(t);
         }},
        {"a computer club's penalty taker is banned", computer,
         [&](int t) {
             ausfall(t, SP_STATUS_ELFMETER, SP_STATUS_GESPERRT);
             Check_Und_Set_Aa(t);
         }},
        {"a computer club's captain is injured", computer,
         [&](int t) {
             ausfall(t, SP_STATUS_KAPITAEN, SP_STATUS_VERLETZT);
             Aufstellung_Automatisch(t);
         }},
        {"the automatic line-up after a penalty taker's yellow-card ban", verwaltet,
         [&](int t) {
             ausfall(t, SP_STATUS_ELFMETER, SP_STATUS_GELBSPERRE);
             Team_Own_Daten[t].formation = static_cast<i8>(Team_Own_Daten[t].formation | 0x80);
             Check_Und_Set_Aa(t);
             Team_Aufstellung_Manuell(t);
         }},
    };
    for (const auto& f : faelle) {
        const int t = f.team;
        alle_spielbereit(t);
        Team_Aufstellung_Manuell(t);
        Aufstellung_Automatisch(t);
        ASSERT_EQ(rollen_fehler(t), "") << f.fall << ": before";
        f.aendern(t);
        EXPECT_EQ(rollen_fehler(t), "") << f.fall;
    }
    // A benched penalty taker who comes back finds the role with the man who
    // took it over: the eleven has one penalty taker, not two.
    const int t = verwaltet;
    alle_spielbereit(t);
    Aufstellung_Automatisch(t);
    const int alt = halter(t, SP_STATUS_ELFMETER), bank = im_slot(t, 12);
    Spieler_Tauschen_Intern(alt, bank, t, t);
    Check_Und_Set_Aa(t);
    const int neu = halter(t, SP_STATUS_ELFMETER);
    EXPECT_NE(neu, alt);
    Spieler_Tauschen_Intern(alt, bank, t, t);
    Check_Und_Set_Aa(t);
    int elfer = 0;
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i) elfer += (Spieler_Daten[Team_Kader(t)[i]].status & SP_STATUS_ELFMETER) != 0;
    EXPECT_EQ(elfer, 1);
    if (neu != bank) {
        EXPECT_EQ(halter(t, SP_STATUS_ELFMETER), neu);
    }
    EXPECT_EQ(rollen_fehler(t), "");
}

// The roles of a managed club, one holder at a time: benched, sent to the
// reserve, injured, suspended or sent off, he hands each of his roles to a
// starter who can play, the best suited by the role's rule (the strongest
// field player for a set piece, the most experienced starter for the
// captaincy); the other holders keep theirs. With every holder starting
// nothing moves. Both the check before a match and a squad screen's change.
TEST_F(Aufstellung, EachRolePassesFromAnAbsentHolderToTheBestSuitedStarter) {
    const int t = 22;
    ASSERT_TRUE(verwaltet(t, "Test"));
    const u32 rollen[] = {SP_STATUS_ELFMETER, SP_STATUS_FREISTOSS, SP_STATUS_ECKEN, SP_STATUS_KAPITAEN};
    const struct {
        const char* fall;
        int slot;     // where the holder goes (-1 stays)
        u32 ausfall;  // why he cannot play
        bool screen;  // the squad screen's change, else the check before a match
    } faelle[] = {
        {"benched", 12, 0, false},
        {"benched on the screen", 12, 0, true},
        {"to the reserve", 19, 0, true},
        {"injured", -1, SP_STATUS_VERLETZT, false},
        {"suspended", -1, SP_STATUS_GESPERRT, false},
        {"sent off", -1, SP_STATUS_ROT, false},
        {"every holder starts", -1, 0, false},
        {"every holder starts, screen", -1, 0, true},
    };
    const auto fit = [](int s) { return spielt(s) && kann(s); };
    const auto wert = [](u32 rolle, int s) {
        return rolle == SP_STATUS_KAPITAEN ? Spieler_Daten[s].spiele * 16 + Spieler_Daten[s].staerke
                                           : Spieler_Daten[s].staerke;
    };
    for (const auto& f : faelle)
        for (u32 rolle : rollen) {
            const std::string fall = std::string(f.fall) + ", role " + std::to_string(rolle);
            alle_spielbereit(t);
            Team_Aufstellung_Manuell(t);
            Aufstellung_Automatisch(t);
            const int weg = halter(t, rolle);
            ASSERT_GE(weg, 0) << fall;
            int vorher[4];
            for (int r = 0; r < 4; ++r) vorher[r] = halter(t, rollen[r]);
            if (f.slot >= 0) {
                ASSERT_GE(im_slot(t, f.slot), 0) << fall;
                Spieler_Tauschen_Intern(weg, im_slot(t, f.slot), t, t);
            }
            Spieler_Daten[weg].status |= f.ausfall;
            if (f.screen) EXPECT_TRUE(Aufstellung_Gesetzt(t)) << fall;
            else Check_Und_Set_Aa(t);
            EXPECT_EQ(rollen_fehler(t), "") << fall;
            const bool abwesend = f.slot >= 0 || f.ausfall;
            for (int r = 0; r < 4; ++r) {
                const int jetzt = halter(t, rollen[r]);
                if (!abwesend || vorher[r] != weg) {
                    // A role whose holder still starts stays with him.
                    EXPECT_EQ(jetzt, vorher[r]) << fall << ": role " << rollen[r] << " moved";
                    continue;
                }
                ASSERT_TRUE(jetzt >= 0 && fit(jetzt)) << fall << ": role " << rollen[r];
                EXPECT_TRUE(rollen[r] == SP_STATUS_KAPITAEN || klasse(jetzt) != 0) << fall << ": a keeper takes it";
                // Nobody of the eleven suits it better (the corners go to
                // another than the free-kick taker while one is left).
                for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
                    const int s = Team_Kader(t)[i];
                    const bool feld = rollen[r] == SP_STATUS_KAPITAEN || klasse(s) != 0;
                    if (!fit(s) || s == jetzt || !feld ||
                        (rollen[r] == SP_STATUS_ECKEN && s == halter(t, SP_STATUS_FREISTOSS)))
                        continue;
                    EXPECT_LE(wert(rollen[r], s), wert(rollen[r], jetzt)) << fall << ": " << s << " before " << jetzt;
                }
            }
        }
    alle_spielbereit(t);
    Aufstellung_Automatisch(t);
}

// The eleven by the rule in its plain form, each place's reserve counted
// anew over the players still free, then the same trades of places: the
// starters in place order.
std::vector<int> elf_nach_regel(int t) {
    const Formation f = Team_Own_Daten[t].formationen[Team_Own_Daten[t].formation & 0x0F];
    std::vector<int> frei(Team_Kader(t), Team_Kader(t) + Team_Kader_Anzahl(t)), elf;
    const auto wert = [](int s, int zeile) {
        return Spieler_Daten[s].staerke * 4 - Aufstellung_Abzug(klasse(s), zeile) * 4 -
               std::max(0, Spieler_Daten[s].erschoepfung - 4) * 6 - (kann(s) ? 0 : 1000);
    };
    const auto eigen = [&](int s) { return wert(s, std::array{0, 2, 5, 9}[std::min(klasse(s), 3)]); };
    const auto frisch = [](int s) { return kann(s) && Spieler_Daten[s].erschoepfung <= 4; };
    for (int i = 0; i < 11 && !frei.empty(); i++) {
        const auto vorbehalten = [&](int s) {
            if (klasse(s) == 0 || klasse(s) == Aufstellung_Linie(f.zeile[i]) || !frisch(s)) return false;
            int plaetze = 0, besser = 0;
            for (int j = i + 1; j < 11; j++) plaetze += Aufstellung_Linie(f.zeile[j]) == klasse(s);
            for (int x : frei) besser += frisch(x) && klasse(x) == klasse(s) && eigen(x) > eigen(s);
            return besser < plaetze;
        };
        const auto vorne_frisch = [&](int s) { return frisch(s) && klasse(s) >= 2; };
        const bool nur_vorne =
            Aufstellung_Linie(f.zeile[i]) == 3 && std::any_of(frei.begin(), frei.end(), vorne_frisch);
        size_t best = frei.size();
        for (int vorbehalt = 1; vorbehalt >= 0 && best == frei.size(); vorbehalt--)
            for (size_t j = 0; j < frei.size(); j++)
                if ((!nur_vorne || klasse(frei[j]) >= 2) && (!vorbehalt || (kann(frei[j]) && !vorbehalten(frei[j]))) &&
                    (best == frei.size() || wert(frei[j], f.zeile[i]) > wert(frei[best], f.zeile[i])))
                    best = j;
        elf.push_back(frei[best]);
        frei.erase(frei.begin() + static_cast<long>(best));
    }
    const auto kosten = [&](int platz, int zeile) {
        const int abzug = Aufstellung_Abzug(klasse(elf[platz]), zeile);
        return abzug * 1000 - (abzug == 0 ? Spieler_Daten[elf[platz]].staerke : 0);
    };
    const int n = static_cast<int>(elf.size());
    for (bool getauscht = true; getauscht;) {
        getauscht = false;
        for (int a = 1; a < n; a++)
            for (int b = a + 1; b < n; b++)
                if (kosten(a, f.zeile[b]) + kosten(b, f.zeile[a]) < kosten(a, f.zeile[a]) + kosten(b, f.zeile[b]))
                    std::swap(elf[a], elf[b]), getauscht = true;
    }
    return elf;
}

// Squads of the shipped world with tiredness, players out and formations
// drawn at random: the line-up is the one the rule gives, and a second
// line-up on the same squad changes no player's record.
TEST_F(Aufstellung, TheElevenFollowsThePlainRuleAndASecondLineUpChangesNothing) {
    const struct {
        const char* fall;
        int muede_von_10, aus_von_10;
    } faelle[] = {{"fresh, all available", 0, 0},
                  {"some tired", 4, 0},
                  {"some out", 0, 3},
                  {"tired and out", 5, 3},
                  {"most out", 2, 8}};
    u32 zufall = 12345;
    const auto ziehen = [&zufall](u32 n) { return (zufall = zufall * 1103515245u + 12345u) / 65536u % n; };
    for (const auto& fall : faelle)
        for (int t = 0; t < std::min(Team_Anzahl, 60); ++t) {
            if (t == Team_Transfermarkt || Team_Kader_Anzahl(t) == 0) continue;
            const std::vector<Spieler_Struktur> vorher(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
            const i8 formation_vorher = Team_Own_Daten[t].formation;
            Team_Own_Daten[t].formation = static_cast<i8>(ziehen(FORMATIONEN_PRO_TEAM));
            for (int i = 0; i < Team_Kader_Anzahl(t); ++i) {
                Spieler_Struktur& s = Spieler_Daten[Team_Kader(t)[i]];
                const bool muede = ziehen(10) < static_cast<u32>(fall.muede_von_10);
                s.erschoepfung = static_cast<u8>(muede ? 5 + ziehen(5) : ziehen(5));
                s.status = (s.status & ~SP_STATUS_NICHT_SPIELBEREIT) |
                           (ziehen(10) < static_cast<u32>(fall.aus_von_10) ? SP_STATUS_VERLETZT : 0);
            }
            const std::vector<int> erwartet = elf_nach_regel(t);
            Aufstellung_Automatisch(t);
            std::vector<int> elf(erwartet.size(), -1);
            for (int i = 0; i < Team_Kader_Anzahl(t); ++i)
                if (const int s = Team_Kader(t)[i]; Spieler_Daten[s].slot < elf.size()) elf[Spieler_Daten[s].slot] = s;
            EXPECT_EQ(elf, erwartet) << fall.fall << ", team " << t;
            const std::vector<Spieler_Struktur> einmal(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
            Aufstellung_Automatisch(t);
            EXPECT_EQ(std::memcmp(einmal.data(), Spieler_Daten, einmal.size() * sizeof(Spieler_Struktur)), 0)
                << fall.fall << ", team " << t;
            std::copy(vorher.begin(), vorher.end(), Spieler_Daten);
            Team_Own_Daten[t].formation = formation_vorher;
        }
}

// Two ends of a network game: the client's records are the world's arrays,
// the server's a copy of them that the line swaps in while a row runs.
std::vector<Spieler_Struktur> server_daten;

template <class F>
void auf_dem_server(F schritt) {
    Spieler_Struktur* client = Spieler_Daten;
    const auto modus = Internet_Modus;
    Spieler_Daten = server_daten.data();
    Internet_Modus = INTERNET_MODUS_SERVER;
    schritt();
    Spieler_Daten = client;
    Internet_Modus = modus;
}

bool zum_server(u16 nummer, const std::vector<u8>& ein, std::vector<u8>* aus) {
    bool ok = false;
    auf_dem_server([&] { ok = ruf::Lokale_Leitung(nummer, ein, aus); });
    return ok;
}

class AufstellungNetz : public Geladene_Welt {
  protected:
    static void SetUpTestSuite() {
        Geladene_Welt::SetUpTestSuite();
        Welt_Netz_Anmelden();
    }
    static void TearDownTestSuite() {
        ruf::Leitung_Setzen(nullptr);
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Geladene_Welt::TearDownTestSuite();
    }
    void TearDown() override {
        ruf::Leitung_Setzen(nullptr);
        Internet_Modus = INTERNET_MODUS_EINZEL;
    }
};

// The client's club's line-up and roles as each end holds them, player by
// player: number, slot, starter and substitute bits, roles.
std::string rollen_und_plaetze(int t) {
    std::string r;
    const u32 bits = SP_STATUS_AUFGESTELLT | SP_STATUS_ERSATZ | SP_STATUS_ELFMETER | SP_STATUS_FREISTOSS |
                     SP_STATUS_ECKEN | SP_STATUS_KAPITAEN;
    std::vector<int> k(Team_Kader(t), Team_Kader(t) + Team_Kader_Anzahl(t));
    std::sort(k.begin(), k.end());
    for (int s : k)
        r += std::to_string(s) + ":" + std::to_string(Spieler_Daten[s].slot) + "/" +
             std::to_string(Spieler_Daten[s].status & bits) + " ";
    return r;
}

// A client's manager changes his line-up, the server plays the match
// (players are hurt or sent off) and the next day begins; the client takes
// the server's squad and opens his squad screen. After each step the roles
// are with starters who can play, and both ends hold the same roles and
// slots of the client's club.
TEST_F(AufstellungNetz, BothEndsHoldTheSameRolesAndSlots) {
    const int t = 22;
    ASSERT_TRUE(Manager_Neuer_Mitspieler(t, "Gast", -1));
    const int team_vorher = Team_Aktiv;
    Team_Aktiv = t;
    // The squad screen's change: two players swapped, the roles follow.
    const auto tauschen = [t](u32 rolle, int slot) {
        const int s = halter(t, rolle);
        ASSERT_GE(s, 0);
        Spieler_Tauschen_Intern(s, im_slot(t, slot), t, t);
        Aufstellung_Rollen_Vergeben(t);
    };
    const auto ausfall = [t](u32 rolle, u32 grund) {
        const int s = halter(t, rolle);
        ASSERT_GE(s, 0);
        Spieler_Daten[s].status |= grund;
    };
    const struct {
        const char* fall;
        std::function<void()> client, spiel;
    } faelle[] = {
        {"the client benches his penalty taker", [&] { tauschen(SP_STATUS_ELFMETER, 12); }, [] {}},
        {"the client sends his captain to the reserve", [&] { tauschen(SP_STATUS_KAPITAEN, 18); }, [] {}},
        {"the free-kick taker is hurt in the match", [] {}, [&] { ausfall(SP_STATUS_FREISTOSS, SP_STATUS_VERLETZT); }},
        {"the penalty taker is sent off", [] {}, [&] { ausfall(SP_STATUS_ELFMETER, SP_STATUS_ROT); }},
        {"the client benches his corner taker, the captain is hurt", [&] { tauschen(SP_STATUS_ECKEN, 14); },
         [&] { ausfall(SP_STATUS_KAPITAEN, SP_STATUS_VERLETZT); }},
    };
    for (const auto& f : faelle) {
        // Both ends start from the same line-up.
        alle_spielbereit(t);
        Team_Aufstellung_Manuell(t);
        Aufstellung_Automatisch(t);
        server_daten.assign(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
        ruf::Leitung_Setzen(zum_server);
        Internet_Modus = INTERNET_MODUS_CLIENT;
        // The client's turn: his change, then the end of the turn sends it.
        f.client();
        ASSERT_TRUE(Internet_Client_Send_Data_Back()) << f.fall;
        std::string client = rollen_und_plaetze(t);
        std::string server;
        // The server: the line-up check before the match, the match, the
        // next day's world step.
        auf_dem_server([&] {
            server = rollen_und_plaetze(t);
            Check_Und_Set_Aa(t);
            f.spiel();
            Aufstellung_Verwaltete_Pruefen();
        });
        EXPECT_EQ(client, server) << f.fall << ": the turn's end";
        // The client takes the server's squad; his squad screen checks it.
        ASSERT_TRUE(Spieler_Internet_Client_Refresh()) << f.fall;
        Check_Und_Set_Aa(t);
        client = rollen_und_plaetze(t);
        auf_dem_server([&] {
            server = rollen_und_plaetze(t);
            EXPECT_EQ(rollen_fehler(t), "") << f.fall << ", server";
        });
        EXPECT_EQ(client, server) << f.fall << ": the next day";
        EXPECT_EQ(rollen_fehler(t), "") << f.fall << ", client";
        ruf::Leitung_Setzen(nullptr);
        Internet_Modus = INTERNET_MODUS_EINZEL;
    }
    Team_Aktiv = team_vorher;
}

// What a client sends is checked where the game is held: a client that
// benches his penalty taker without handing the role over, puts two players
// in one slot, names two captains or gives a reserve a role finds, after its
// turn's end or its squad screen's change, the squad as the server holds
// it: the roles with starters who can play by the same rule (the captain
// the rule names, here the one before), a line-up that cannot be one
// refused (the old one kept).
TEST_F(AufstellungNetz, TheServerChecksTheClientsLineUpAndBothEndsAgree) {
    const int t = 22;
    ASSERT_TRUE(verwaltet(t, "Gast"));
    const int team_vorher = Team_Aktiv;
    Team_Aktiv = t;
    const auto bank = [t] {
        const int s = halter(t, SP_STATUS_ELFMETER);
        ASSERT_GE(s, 0);
        Spieler_Tauschen_Intern(s, im_slot(t, 12), t, t);
    };
    const struct {
        const char* fall;
        std::function<void()> client;
        std::function<bool()> senden;
        bool wie_vorher;  // the server's line-up and roles end as they were
    } faelle[] = {
        {"penalty taker benched, turn's end", bank, Internet_Client_Send_Data_Back, false},
        {"penalty taker benched, squad screen", bank, [t] { return Aufstellung_Gesetzt(t); }, false},
        {"two players in one slot", [t] { Spieler_Daten[im_slot(t, 3)].slot = 4; }, Internet_Client_Send_Data_Back,
         true},
        {"a slot beyond the squad", [t] { Spieler_Daten[im_slot(t, 0)].slot = MAX_SPIELER_PRO_TEAM + 5; },
         Internet_Client_Send_Data_Back, true},
        {"two captains",
         [t] {
             Spieler_Daten[im_slot(t, 2)].status |= SP_STATUS_KAPITAEN;
             Spieler_Daten[im_slot(t, 7)].status |= SP_STATUS_KAPITAEN;
         },
         Internet_Client_Send_Data_Back, true},
        {"a reserve who holds the penalty role", [t] { Spieler_Daten[im_slot(t, 18)].status |= SP_STATUS_ELFMETER; },
         Internet_Client_Send_Data_Back, true},
    };
    for (const auto& f : faelle) {
        alle_spielbereit(t);
        Team_Aufstellung_Manuell(t);
        Aufstellung_Automatisch(t);
        server_daten.assign(Spieler_Daten, Spieler_Daten + Spieler_Anzahl);
        const std::string vorher = rollen_und_plaetze(t);
        ruf::Leitung_Setzen(zum_server);
        Internet_Modus = INTERNET_MODUS_CLIENT;
        f.client();
        EXPECT_NE(rollen_und_plaetze(t), vorher) << f.fall << ": the client changed nothing";
        EXPECT_TRUE(f.senden()) << f.fall;
        const std::string client = rollen_und_plaetze(t);
        std::string server;
        auf_dem_server([&] {
            server = rollen_und_plaetze(t);
            EXPECT_EQ(rollen_fehler(t), "") << f.fall << ", server";
            EXPECT_TRUE(Aufstellung_Plaetze_Gueltig(t)) << f.fall << ", server";
        });
        EXPECT_EQ(client, server) << f.fall;
        if (f.wie_vorher) {
            EXPECT_EQ(server, vorher) << f.fall;
        } else {
            EXPECT_NE(server, vorher) << f.fall;
        }
        ruf::Leitung_Setzen(nullptr);
        Internet_Modus = INTERNET_MODUS_EINZEL;
    }
    Team_Aktiv = team_vorher;
}

// A client whose server does not answer keeps its line-up, says so, and
// sends it with the turn's end.
TEST_F(AufstellungNetz, WithoutAnAnswerTheClientKeepsItsLineUp) {
    const int t = 22;
    ASSERT_TRUE(verwaltet(t, "Gast"));
    const int team_vorher = Team_Aktiv;
    Team_Aktiv = t;
    alle_spielbereit(t);
    Team_Aufstellung_Manuell(t);
    Aufstellung_Automatisch(t);
    ruf::Leitung_Setzen([](u16, const std::vector<u8>&, std::vector<u8>*) { return false; });
    Internet_Modus = INTERNET_MODUS_CLIENT;
    const int s = halter(t, SP_STATUS_ELFMETER), b = im_slot(t, 12);
    Spieler_Tauschen_Intern(s, b, t, t);
    EXPECT_FALSE(Aufstellung_Gesetzt(t));
    EXPECT_EQ(Spieler_Daten[s].slot, 12);
    EXPECT_EQ(rollen_fehler(t), "");
    ruf::Leitung_Setzen(nullptr);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Team_Aktiv = team_vorher;
}

}  // namespace
