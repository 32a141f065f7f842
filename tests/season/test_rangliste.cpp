// The ranking: league clubs only, points by strength (0 counts as 1), the
// form forgets the eleventh match back, the places, save block 15.
#include <gtest/gtest.h>

#include "base/bytes.h"
#include "base/datei.h"
#include "base/feld_raender.h"
#include "base/globals.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/welt.h"

namespace {

bool laden(const std::vector<u8>& b) {
    static const u8 leer = 0;
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(b.empty() ? &leer : b.data(), static_cast<u32>(b.size()));
    const bool gut = Rangliste_Lesen(d);
    Datei_Schliessen(d);
    gut ? Rangliste_Uebernehmen() : Rangliste_Verwerfen();
    return gut;
}

TEST(Rangliste, PunkteFormPlaetzeUndSpeicherblock) {
    Season_Hooks_Zuruecksetzen();
    ASSERT_TRUE(Welt_Anlegen(10, 0));  // no players: every strength is 0
    for (i32 t = 1; t <= 5; ++t) Team_Daten[t].art = static_cast<u8>(TEAM_ART_VEREIN | TEAM_ART_RANGLISTE);
    Kalender_Init(nullptr);
    ASSERT_TRUE(Wettbewerb_Init() && Spiele_Init());
    const std::string liga =
        "NEUER_WETTBEWERB\nIDENTIFIKATION L\nNAME \"L\"\nTEAMS 4\nBASISLIGA JA\nSTARTTEILNEHMER 1,2,3,4\n";
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(liga.data(), static_cast<u32>(liga.size())));
    Rangliste_Aufbauen();
    EXPECT_EQ(Rangliste_Anzahl(), 4);
    EXPECT_FALSE(Rangliste_Get_Eintrag(5, nullptr)) << "no league, no record";
    // Team 1 wins once at home, then loses ten times; a win is worth 1 + 1, anything else 1 (+ 0 / 2).
    for (int i = 0; i < 11; ++i) {
        Spiel s{};
        s.team_a = 1, s.team_b = 2, s.tore_a = i == 0 ? 3 : 0, s.tore_b = i == 0 ? 0 : 1;
        for (i32 t : {1, 2}) Rangliste_Nach_Spiel(t, s);
    }
    // The screens that show the rankings redraw after a sort, not without one.
    static int aufgefrischt = 0;
    Season_Gui_Hooks gui = Season_Gui;
    gui.Rangliste_Screens_Auffrischen = [] { ++aufgefrischt; };
    Season_Gui_Set_Hooks(gui);
    Rangliste_Sortieren();
    EXPECT_EQ(aufgefrischt, 1);
    Rangliste_Sortieren();
    EXPECT_EQ(aufgefrischt, 1) << "nothing new to sort";
    i32 teams[2], werte[2];
    ASSERT_TRUE(Rangliste_Get_Bereich(0, 2, teams, werte, 1));
    EXPECT_EQ(std::vector<i32>(teams, teams + 2), (std::vector<i32>{2, 1}));
    EXPECT_EQ(std::vector<i32>(werte, werte + 2), (std::vector<i32>{21, 12}));
    Rangliste_Get_Bereich(0, 2, teams, werte, 2);
    EXPECT_EQ(werte[1], 10) << "the first match has left the form";
    // Call 1020 answers only the asking team; a client takes only a whole answer.
    Rangliste_Anmelden();
    Aktuelles_Team = Team_Aktiv = 1;
    Internet_Modus = INTERNET_MODUS_CLIENT;
    EXPECT_TRUE(Rangliste_Internet_Client_Get());
    Rangliste_Internet_Client_Reset();
    Team_Aktiv = 2;
    EXPECT_FALSE(Rangliste_Internet_Client_Get());
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Rangliste_Get_Bereich(0, 2, teams, werte, 1);
    EXPECT_EQ(werte[0], 21);
    // The block round trip, a damaged block refused, an empty block builds afresh.
    const std::vector<u8> b = season_test::Block_Bytes(Rangliste_Save);
    Rangliste_Free();
    ASSERT_TRUE(laden(b));
    EXPECT_EQ(season_test::Block_Bytes(Rangliste_Save), b);
    std::vector<u8> falsch = b;
    falsch[8 + 16] = 9;  // the first record's form place
    EXPECT_FALSE(laden(falsch));
    EXPECT_EQ(season_test::Block_Bytes(Rangliste_Save), b);
    // The records are checked against the saved world's team count (the
    // block's size), not the running world's: a game loaded from the start
    // screen meets a world without its teams yet. A size that is no whole
    // number of records is refused.
    const struct {
        size_t weg;
        bool gut;
    } groessen[] = {{0, true}, {1, false}, {135, false}, {136, true}, {136 * 5, true}, {136 * 6, false}};
    for (const auto& g : groessen) {
        const std::vector<u8> k(b.begin(), b.end() - static_cast<std::ptrdiff_t>(g.weg));
        EXPECT_EQ(laden(k), g.gut) << g.weg;
    }
    ASSERT_TRUE(laden({}));
    EXPECT_FALSE(Rangliste_Bereit());
    Rangliste_Sortieren();
    EXPECT_EQ(Rangliste_Anzahl(), 4);
    Rangliste_Free();
    Spiele_Free();
    Wettbewerb_Free();
    Kalender_Free();
    Welt_Freigeben();
}

// Every bounded number of a ranked club at its two edges and one past them,
// written into the saved block: the edges load, the values past them are
// refused and the running ranking stays as it was, byte for byte. A club's
// total stops at its bound instead of running past it.
TEST(Rangliste, JederBegrenzteWertDesSpeicherblocks) {
    Season_Hooks_Zuruecksetzen();
    ASSERT_TRUE(Welt_Anlegen(10, 0));
    for (i32 t = 1; t <= 4; ++t) Team_Daten[t].art = static_cast<u8>(TEAM_ART_VEREIN | TEAM_ART_RANGLISTE);
    Kalender_Init(nullptr);
    ASSERT_TRUE(Wettbewerb_Init() && Spiele_Init());
    const std::string liga =
        "NEUER_WETTBEWERB\nIDENTIFIKATION L\nNAME \"L\"\nTEAMS 4\nBASISLIGA JA\nSTARTTEILNEHMER 1,2,3,4\n";
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(liga.data(), static_cast<u32>(liga.size())));
    Rangliste_Aufbauen();
    Spiel s{};
    s.team_a = 1, s.team_b = 2, s.tore_a = 2, s.tore_b = 1;
    for (i32 t : {1, 2}) Rangliste_Nach_Spiel(t, s);
    Rangliste_Sortieren();
    const std::vector<u8> b = season_test::Block_Bytes(Rangliste_Save);
    ASSERT_GE(b.size(), 8 + bytes::groesse<Rangliste_Eintrag>());
    int geprueft = 0;
    for (const Feld_Grenze<Rangliste_Eintrag>& f : RANGLISTE_FELDER)
        for (const Rand& r : raender(f.min, f.max, f.typ_min, f.typ_max)) {
            auto e = bytes::aus_bild<Rangliste_Eintrag>(b.data() + 8);
            f.setzen(e, r.wert);
            std::vector<u8> mit_wert = b;
            bytes::in_bild(mit_wert.data() + 8, e);
            EXPECT_EQ(laden(mit_wert), r.gut) << f.name << " = " << r.wert;
            if (!r.gut) {
                EXPECT_EQ(season_test::Block_Bytes(Rangliste_Save), b) << f.name << ": the game is kept";
            }
            ASSERT_TRUE(laden(b));
            ++geprueft;
        }
    EXPECT_EQ(geprueft, 4 * static_cast<int>(std::size(RANGLISTE_FELDER)) - RANGLISTE_HISTORIE)
        << "a u8 venue has no value below 0";
    // A total at its bound stays there.
    auto e = bytes::aus_bild<Rangliste_Eintrag>(b.data() + 8);
    e.summe = RANGLISTE_SUMME_MAX - 1;
    std::vector<u8> voll = b;
    bytes::in_bild(voll.data() + 8, e);
    ASSERT_TRUE(laden(voll));
    for (i32 t : {1, 2}) Rangliste_Nach_Spiel(t, s);
    Rangliste_Sortieren();
    Rangliste_Eintrag nach{};
    ASSERT_TRUE(Rangliste_Get_Eintrag(e.team, &nach));
    EXPECT_EQ(nach.summe, RANGLISTE_SUMME_MAX);
    EXPECT_TRUE(laden(season_test::Block_Bytes(Rangliste_Save))) << "the game's own save loads";
    Rangliste_Free();
    Spiele_Free();
    Wettbewerb_Free();
    Kalender_Free();
    Welt_Freigeben();
}

}  // namespace
