// A manager's matchday, played headless by an input script as a player
// plays it: on the first day his club has a match he opens the squad
// screen, the squad view and the tactics screen from the main menu, drags a
// reserve into his starting eleven, chooses another formation, changes
// tactics and names a captain, and ends his turn; the matchday runner then
// plays the match, and the match engine's pitch record holds exactly that
// eleven and those tactics. The script the test ran is written beside the
// screenshots (folder KORDAVO_GALERIE, default "team_spieltag").
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "match/spielfeld.h"
#include "matchday/spieltag.h"
#include "programm.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/statistik.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/welt.h"

namespace fs = std::filesystem;

namespace {

constexpr i32 TEAM_KNOPF = 702;

// What the match engine plays with: the club's eleven and tactic bytes in
// its pitch record, seen from the engine's end-of-match check (it runs every
// tick of a match being played).
struct Beobachtung {
    bool gesehen = false;
    std::set<i32> elf;
    std::array<u8, 7> taktik{};
};
Beobachtung beobachtung;
i32 beobachtet_team = -1;
bool (*alter_check)(Spielfeld_Daten*) = nullptr;
bool beobachten(Spielfeld_Daten* sf) {
    if (sf && !beobachtung.gesehen && sf->minute > 0)
        for (i32 seite = 0; seite < 2; ++seite)
            if (sf->team[seite] == static_cast<u32>(beobachtet_team)) {
                for (i32 k = 0; k < 11; ++k) beobachtung.elf.insert(sf->spieler[seite * SF_PRO_SEITE + k].spieler);
                for (i32 k = 0; k < 7; ++k) beobachtung.taktik[static_cast<size_t>(k)] = sf->seite[seite].team_taktik[k];
                beobachtung.gesehen = true;
            }
    return alter_check ? alter_check(sf) : false;
}
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }

class Team_Spieltag : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Test_Programm_Starten("kordavo_team_spieltag", &ordner));
        const char* z = std::getenv("KORDAVO_GALERIE");
        ziel = z && *z ? z : "team_spieltag";
        fs::create_directories(ziel);
    }
    void TearDown() override {
        std::ofstream(ziel + "/team_spieltag.txt") << skript;
        Test_Programm_Beenden(ordner);
    }

    // Runs script lines and keeps them for the record.
    void lauf(const std::string& s, i32 frames) {
        skript += s;
        ASSERT_GT(Headless_Lauf(s, frames), 0) << s;
    }
    bool im_menue() {
        return Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) &&
               Menue_Modus == 0 && !Menue_Requester_Offen();
    }
    // Until the manager's main menu is up again: notices answered, pages and
    // screens after a match taken away.
    void bis_menue(i32 max = 4000) {
        for (i32 n = 0; n < max && !im_menue(); ++n) {
            if (Menue_Requester_Offen()) {
                if (const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_KNOPF_2))
                    lauf("move " + std::to_string(k->x + k->w / 2) + " " + std::to_string(k->y + k->h / 2) +
                             "\nwait 2\nclick left\nwait 3\n",
                         6);
                continue;
            }
            lauf(std::string(Ankuendigung_Wegklicken()) + "wait 5\n", 8);
        }
    }
    // The team menu's entry, as a player picks it: the button, then the
    // entry under the mouse.
    void team_menue(i32 eintrag) {
        const Screen_Icon* b = Menue_Screen_Icon_Aus_Nummer(TEAM_KNOPF);
        ASSERT_TRUE(b);
        const i32 x = b->x + b->w / 2;
        lauf("# team menu, entry " + std::to_string(eintrag) + "\nmove " + std::to_string(x) + " " +
                 std::to_string(b->y + 10) + "\nwait 2\npress left\nwait 3\nrelease left\nwait 16\n",
             24);
        for (i32 y = b->y + 23; y < b->y + b->h; ++y) {
            Headless_Lauf("move " + std::to_string(x) + " " + std::to_string(y) + "\nwait 1\n", 2);
            if (Menue_Dialog_Eintrag(TEAM_KNOPF) == eintrag) {
                lauf("move " + std::to_string(x) + " " + std::to_string(y) + "\nwait 1\npress left\nwait 3\nrelease left\nwait 6\n",
                     12);
                return;
            }
        }
        FAIL() << "entry " << eintrag;
    }
    void klick(i32 x, i32 y, const char* was) {
        lauf(std::string("# ") + was + "\nmove " + std::to_string(x) + " " + std::to_string(y) +
                 "\nwait 2\npress left\nwait 3\nrelease left\nwait 4\n",
             12);
    }
    void klick_icon(i32 nummer, const char* was) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        ASSERT_TRUE(i) << nummer;
        klick(i->x + i->w / 2, i->y + i->h / 2, was);
        lauf("wait 12\n", 13);  // past the screens' throttles
    }
    void ziehen(i32 x0, i32 y0, i32 x1, i32 y1, const char* was) {
        std::string s = std::string("# ") + was + "\nmove " + std::to_string(x0) + " " + std::to_string(y0) +
                        "\nwait 2\npress left\nwait 2\n";
        for (i32 k = 1; k <= 6; ++k)
            s += "move " + std::to_string(x0 + (x1 - x0) * k / 6) + " " + std::to_string(y0 + (y1 - y0) * k / 6) +
                 "\nwait 2\n";
        lauf(s + "release left\nwait 4\n", 40);
    }
    void bild(const std::string& name) { lauf("screenshot " + ziel + "/" + name + ".png\nwait 1\n", 3); }

    std::array<i32, 20> nach_slot() {
        std::array<i32, 20> a;
        a.fill(-1);
        i32 liste[40];
        const i32 n = Teamspieler_Ins_Array(Team_Aktiv, liste, 40, 0);
        for (i32 i = 0; i < n; ++i)
            if (wert(87, liste[i]) >= 0 && wert(87, liste[i]) < 20) a[static_cast<size_t>(wert(87, liste[i]))] = liste[i];
        return a;
    }

    std::string ordner, ziel, skript;
};

TEST_F(Team_Spieltag, AufstellungUndTaktikSpielenMit) {
    lauf("wait 12\n", 14);
    bis_menue();
    ASSERT_TRUE(im_menue());
    const i32 team = Team_Aktiv;
    // Days go by until the club plays.
    auto spielt_heute = [&] {
        Statistik_Termin t{};
        return Statistik_Naechstes_Spiel(team, -1, -1, &t, 1, 0, true) == 1 && t.tag == Kalender_Get_Tag();
    };
    for (i32 tag = 0; tag < 90 && !spielt_heute(); ++tag) {
        lauf("# end of the turn\nmove 750 583\nwait 2\npress left\nwait 3\nrelease left\nwait 3\n", 12);
        bis_menue();
        ASSERT_TRUE(im_menue()) << "day " << tag;
    }
    ASSERT_TRUE(spielt_heute()) << "no match in 90 days";
    ASSERT_EQ(Team_Aktiv, team);

    // The squad screen: a reserve dragged onto the row of starter 5.
    team_menue(0);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(2401));
    auto vorher = nach_slot();
    i32 reserve_slot = -1;
    for (i32 s = 17; s < 20 && reserve_slot < 0; ++s)
        if (vorher[static_cast<size_t>(s)] >= 0 && !(wert(75, vorher[static_cast<size_t>(s)]) & 0x7c0)) reserve_slot = s;
    ASSERT_GE(reserve_slot, 0);
    const i32 reserve = vorher[static_cast<size_t>(reserve_slot)], raus = vorher[5];
    ziehen(300, 467 + 17 * (reserve_slot - 17) + 8, 300, 136 + 17 * 5 + 8, "a reserve onto starter 5's row");
    lauf("wait 40\n", 41);
    ASSERT_EQ(wert(87, reserve), 5);
    bild("team_kader");

    // The squad view: the third formation.
    team_menue(1);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(2437));
    klick_icon(2440, "formation 3");
    EXPECT_EQ(Team_Wert(8, team, 0, OP_LESEN) & 0xff, 2);
    bild("team_kaderansicht");

    // The tactics: attacking urge two up, pressing on, hardness one down,
    // the starter in row 3 captain.
    team_menue(2);
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(2505));
    std::array<u8, 7> t{};
    Team_Get_Aktuelle_Taktik(team, t.data());
    std::array<u8, 7> soll = t;
    soll[2] = static_cast<u8>((t[2] + 2) % 10);
    soll[1] = t[1] ? 0 : 1;
    soll[6] = static_cast<u8>((t[6] + 4) % 5);
    klick_icon(2517, "attacking urge up");
    klick_icon(2517, "attacking urge up");
    klick_icon(2515, "pressing");
    klick_icon(2523, "hardness down");
    const i32 kapitaen = nach_slot()[3];
    klick_icon(2536 + 4 * 3 + 3, "captain: row 3");
    Team_Get_Aktuelle_Taktik(team, t.data());
    EXPECT_EQ(t, soll);
    EXPECT_TRUE(wert(75, kapitaen) & 0x800);
    bild("team_taktik");

    // What the match should be played with.
    const auto elf_soll = nach_slot();
    const std::set<i32> elf(elf_soll.begin(), elf_soll.begin() + 11);
    ASSERT_TRUE(elf.count(reserve));
    ASSERT_FALSE(elf.count(raus));

    // End of the turn: the matchday runner plays the match; the engine's
    // record of the club's side is looked at once the ball rolls.
    beobachtet_team = team;
    Spielfeld_Hooks h = Spielfeld_Get_Hooks();
    alter_check = h.check_spielende;
    h.check_spielende = beobachten;
    Spielfeld_Set_Hooks(h);
    lauf("# end of the turn: the match\nmove 750 583\nwait 2\npress left\nwait 3\nrelease left\nwait 3\n", 12);
    bool gesehen = false, bild_gemacht = false;
    for (i32 n = 0; n < 6000 && !(gesehen && im_menue()); ++n) {
        gesehen = beobachtung.gesehen;
        if (gesehen && !bild_gemacht && Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG) {
            bild("team_spiel_tore");
            bild_gemacht = true;
        }
        if (Menue_Requester_Offen()) {
            bis_menue(1);
            continue;
        }
        lauf(std::string(Ankuendigung_Wegklicken()) + "wait 5\n", 8);
    }
    h.check_spielende = alter_check;
    Spielfeld_Set_Hooks(h);
    ASSERT_TRUE(gesehen) << "the match was not seen running";
    EXPECT_EQ(beobachtung.elf, elf) << "the engine plays the eleven set on the screens";
    EXPECT_EQ(beobachtung.taktik, soll) << "the engine plays the tactics set on the screen";
    bis_menue(8000);
    ASSERT_TRUE(im_menue());
}

}  // namespace
