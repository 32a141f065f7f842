// The roles after line-up changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "welt_test.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

using Aufstellung = Geladene_Welt;

bool kann(int s) { return (Spieler_Daten[s].status & SP_STATUS_NICHT_SPIELBEREIT) == 0; }
bool spielt(int s) { return (Spieler_Daten[s].status & SP_STATUS_AUFGESTELLT) != 0; }

void alle_spielbereit(int t) {
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i) Spieler_Daten[Team_Kader(t)[i]].status &= ~SP_STATUS_NICHT_SPIELBEREIT;
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
        if (r.bit == SP_STATUS_KAPITAEN && im_kader != 1) f += " " + std::to_string(im_kader) + " captains;";
    }
    return f;
}

int halter(int t, u32 rolle) {
    for (int i = 0; i < Team_Kader_Anzahl(t); ++i)
        if (Spieler_Daten[Team_Kader(t)[i]].status & rolle) return Team_Kader(t)[i];
    return -1;
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

}  // namespace
