// A new game's first matchday played headless through the program's own run
// loop: the human manager's match comes up live (full view, figures, crowd,
// boards under the control bar), the control bar's fast play speeds it up,
// it plays to the final whistle, its result is the fixture's, and the live
// view lets go of its pictures when the matchday is over. PNGs of the view
// every fifteen minutes of play go into the test's screens folder. With a
// damaged animation set the view cannot start: the match is still played,
// shown as the overview, and keeps its result.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/bytes.h"
#include "base/memory.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "kaputtes_archiv.h"
#include "kit.h"
#include "main/programm.h"
#include "main/spieltag_weiter.h"
#include "match/spielfeld.h"
#include "matchday/spieltag.h"
#include "platform/headless.h"
#include "screens/live_view/spielansicht.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/spiele.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

class SpieltagLauf : public ::testing::Test {
  protected:
    void TearDown() override { kit::Beenden(); }

    // Frames of the program's run loop with an input script; the kit's clock
    // moves 20 ms a frame.
    void lauf(const std::string& skript, int frames) { ASSERT_TRUE(Spieltag_Lauf(skript, frames)); }
    // Takes away what stands between the player and his match: pages,
    // notices, the end of his turn.
    void weiter() { ASSERT_TRUE(Spieltag_Weiter()); }
};

class LiveSpieltag : public SpieltagLauf, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(GetParam()));
        Test_Live_Ansicht(true);
    }
};

TEST_P(LiveSpieltag, TheHumanManagersMatchesAreShownLiveToTheFinalWhistle) {
    ASSERT_GT(Team_Aktiv, 0);
    // Days pass until the manager's match runs under the control bar.
    auto bis_live = [&] {
        Spielfeld_Daten* gefunden = nullptr;
        for (int n = 0; n < 4000 && !gefunden; ++n) {
            if (Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIEL_BILD) && Spielansicht_Laufzustand() == 1)
                gefunden = Spielansicht_Get_Spielfeld();
            if (!gefunden) weiter();
            if (HasFatalFailure()) return gefunden;
        }
        return gefunden;
    };
    Spielfeld_Daten* sf = bis_live();
    if (HasFatalFailure()) return;
    ASSERT_NE(sf, nullptr) << "no live match within the first days";
    // Four managers: the matchday on which none of them meets another shows
    // four matches at once (earlier matchdays are played through fast).
    for (int tag = 0; GetParam() == 4 && tag < 6; ++tag) {
        lauf("move 400 300\n", 3);
        Spielfeld_Daten* liste[SF_MAX_ANZEIGE];
        if (Spielfeld_Anzeigeliste(liste) == 4) break;
        Spielfeld_Set_Fast(1);
        for (int n = 0; n < 40000 && Spielansicht_Laufzustand() != 0; ++n) {
            if (Menue_Requester_Offen() || Spielankuendigung_Screen_Offen()) weiter();
            else lauf("", 1);
            if (HasFatalFailure()) return;
        }
        Spielfeld_Set_Fast(0);
        sf = bis_live();
        if (HasFatalFailure()) return;
        ASSERT_NE(sf, nullptr) << "no live match on the next matchday";
    }
    EXPECT_TRUE(Team_Hat_Manager(static_cast<int>(sf->team[0])) || Team_Hat_Manager(static_cast<int>(sf->team[1])));
    const u32 spiel = sf->spiel;
    // Each match of a human manager gets a view: one full view, or two halves.
    lauf("move 400 300\n", 3);
    Spielfeld_Daten* gezeigt[SF_MAX_ANZEIGE];
    const int anzahl = Spielfeld_Anzeigeliste(gezeigt);
    int menschen = 0;
    for (int i = 0; i < anzahl; ++i)
        menschen += Team_Hat_Manager(static_cast<int>(gezeigt[i]->team[0])) ||
                    Team_Hat_Manager(static_cast<int>(gezeigt[i]->team[1]));
    EXPECT_EQ(menschen, anzahl) << "only human managers' matches are shown";
    EXPECT_GE(anzahl, 1);
    EXPECT_LE(anzahl, GetParam());
    if (GetParam() == 4) {
        EXPECT_EQ(anzahl, 4) << "four matches shown at once";
    }
    for (int i = 0; i < SA_VIEWS; ++i) {
        const Spielansicht_View& w = Spielansicht_Views()[i];
        EXPECT_EQ(w.active != 0, i < anzahl) << i;
        if (i < anzahl) {
            EXPECT_EQ(w.pitch, gezeigt[i]) << i;
            // One full view; two halves; a half over two quarters; four quarters.
            const u32 soll = anzahl == 1 ? SA_VOLL : anzahl == 2 || (anzahl == 3 && i == 0) ? SA_HALB : SA_VIERTEL;
            EXPECT_EQ(w.layout, soll) << i;
        }
    }
    EXPECT_GT(Spielansicht_Animsets_Bytes(), 0u);
    int figuren = 0;
    for (const Anim_Def& a : Anim_Tabelle) figuren += a.gezeichnet != 0;
    EXPECT_GE(figuren, 2) << "players and ball drawn";
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_PAUSE)) << "the control bar over the view";
    kit::Png("live_spieltag_" + std::to_string(anzahl) + "_anpfiff");
    // The control bar's fast play: the match runs unpaced.
    // (A notice or page that comes up at that moment takes the click: it is
    // answered and the button clicked again.)
    for (int versuch = 0; versuch < 4 && !Spielfeld_Get_Fast(); ++versuch) {
        if (Menue_Requester_Offen() || Spielankuendigung_Screen_Offen()) weiter();
        lauf("move 250 582\nwait 2\nclick left\nwait 2\n", 6);
    }
    if (GetParam() == 1) {
        EXPECT_TRUE(Spielfeld_Get_Fast());
    }
    // With two managers at the machine the other one's notices may keep
    // taking the click; the test then switches fast play on itself.
    if (!Spielfeld_Get_Fast()) Spielfeld_Set_Fast(1);
    // To the final whistle, a picture every fifteen minutes.
    std::set<int> bilder;
    int letzte_minute = -1, frames = 0;
    int tore[2] = {0, 0};
    bool ende = false;
    for (; frames < 20000 && !ende; ++frames) {
        Spielfeld_Daten* jetzt = Spielfeld_Zeiger(spiel);
        if (!jetzt || jetzt->beendet) {
            ende = true;
            break;
        }
        if (jetzt->minute >= letzte_minute) letzte_minute = jetzt->minute;
        tore[0] = jetzt->tore[0], tore[1] = jetzt->tore[1];
        const int viertel = jetzt->minute / 15;
        if (!bilder.count(viertel) && Spielansicht_Get_Spielfeld() == jetzt && jetzt->halbzeit <= 2) {
            bilder.insert(viertel);
            kit::Png("live_spieltag_" + std::to_string(anzahl) + "_min" + std::to_string(viertel * 15));
        }
        if (Menue_Requester_Offen() || Spielankuendigung_Screen_Offen()) weiter();
        else lauf("", 1);
        if (HasFatalFailure()) return;
    }
    EXPECT_TRUE(ende) << "the match ended (" << frames << " frames, minute " << letzte_minute << ")";
    EXPECT_GE(letzte_minute, 89);
    EXPECT_GE(bilder.size(), 6u);
    // The result is the fixture's. Under fast play a match's last steps run
    // in one frame, and its pitch may be let go in that frame: a goal in
    // them (4:3 seen in the 94th minute, 4:4 at the whistle) reaches the
    // fixture but no frame of the test, which then holds the goals it saw,
    // never more than the fixture's.
    const Spielfeld_Daten* end = Spielfeld_Zeiger(spiel);
    if (end) tore[0] = end->tore[0], tore[1] = end->tore[1];
    const Spiel* fixture = Spiele_Get_Spiel(static_cast<i32>(spiel), true);
    ASSERT_NE(fixture, nullptr);
    if (end) {
        EXPECT_EQ(fixture->tore_a, tore[0]);
        EXPECT_EQ(fixture->tore_b, tore[1]);
    } else {
        EXPECT_GE(fixture->tore_a, tore[0]);
        EXPECT_GE(fixture->tore_b, tore[1]);
        EXPECT_LE(fixture->tore_a + fixture->tore_b, tore[0] + tore[1] + 1) << "at most the whistle's step unseen";
    }
    // The matchday ends: the live view lets go of its views; the figure sets
    // stay for the next kick-off.
    for (int n = 0; n < 3000 && Spielansicht_Laufzustand() != 0; ++n) {
        weiter();
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(Spielansicht_Laufzustand(), 0u);
    EXPECT_GT(Spielansicht_Animsets_Bytes(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Manager, LiveSpieltag, ::testing::Values(1, 2, 4));

// A network client shows its match from the server's record: its copy,
// made from the server's image, is what the live view draws; a repair lays
// the server's newer image over the same record (the view keeps it, score
// and minute the server's); an image of another match is refused with the
// record and the view as they were; the view lets go when the display ends.
class ClientAnsicht : public SpieltagLauf {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Test_Live_Ansicht(true);
        alt = Spielfeld_Get_Hooks();
        Spielfeld_Hooks h = alt;
        h.spiel_info = [](u32, u32* heim, u32* gast, u32* wettbewerb, i32* temperatur, i32* niederschlag) {
            *heim = static_cast<u32>(Team_Aktiv), *gast = static_cast<u32>(Team_Aktiv + 1), *wettbewerb = 0;
            *temperatur = 15, *niederschlag = 0;
            return true;
        };
        h.hole_spielfeld = [](u32 spiel, u8* aus, u32*) {
            if (spiel != SERVER_SPIEL || bild.empty()) return false;
            std::memcpy(aus, bild.data(), bild.size());
            return true;
        };
        Spielfeld_Set_Hooks(h);
    }
    void TearDown() override {
        Spielfeld_Anzeige_Aus();
        Spielfeld_Loeschen(0);
        Spielfeld_Set_Hooks(alt);
        bild.clear();
        SpieltagLauf::TearDown();
    }
    static constexpr u32 SERVER_SPIEL = 7001, CLIENT_SPIEL = 7002;
    static inline std::vector<u8> bild;
    Spielfeld_Hooks alt;
};

TEST_F(ClientAnsicht, AClientShowsItsMatchFromTheServersRecord) {
    // The server's record of the match, a few minutes in.
    ASSERT_TRUE(Spielfeld_Neu(SERVER_SPIEL, 0, 0, 25000, static_cast<u32>(Team_Aktiv), 1));
    auto server = std::make_unique<Spielfeld_Daten>(*Spielfeld_Zeiger(SERVER_SPIEL));
    Spielfeld_Loeschen(0);
    server->tore[0] = 1, server->minute = 20;
    bild = bytes::bild(server.get(), 1);
    // The client's copy as its matchday makes it: shown, then the server's image laid over it.
    Spielfeld_Anzeige_An();
    ASSERT_TRUE(Spielfeld_Neu(CLIENT_SPIEL, 1, 1, 25000, static_cast<u32>(Team_Aktiv), 1));
    Spielfeld_Daten* sf = Spielfeld_Zeiger(CLIENT_SPIEL);
    ASSERT_NE(sf, nullptr);
    ASSERT_TRUE(Spielfeld_Internet_Client_Get_Spielfeld(sf, SERVER_SPIEL));
    Spielfeld_Set_Netz(sf, 2, 0);
    for (int i = 0; i < 3; ++i) Spielfeld_Anzeige_Refresh();
    ASSERT_EQ(Spielansicht_Laufzustand(), 1u);
    Spielansicht_View& v = Spielansicht_Views()[0];
    ASSERT_TRUE(v.present && v.active);
    EXPECT_EQ(v.pitch, sf);
    EXPECT_EQ(Spielansicht_Get_Spielfeld(), sf);
    EXPECT_EQ(std::make_tuple(sf->spiel, sf->tore[0], sf->minute, sf->netz, sf->anzeige),
              std::make_tuple(SERVER_SPIEL, i8{1}, i16{20}, u8{2}, u8{1}));
    const Rastport* bild_vorher = v.bild.get();
    kit::Png("live_client_minute20");
    // A repair: the server's newer record over the same copy; the view goes on with it.
    server->tore[0] = 2, server->tore[1] = 1, server->minute = 60;
    bild = bytes::bild(server.get(), 1);
    sf->sync_fehler = 1;
    ASSERT_TRUE(Spielfeld_Sync_Fehler_Beheben(sf));
    Spielfeld_Anzeige_Refresh();
    EXPECT_EQ(v.pitch, sf);
    EXPECT_EQ(v.bild.get(), bild_vorher) << "the view is not built again";
    EXPECT_EQ(std::make_tuple(sf->tore[0], sf->tore[1], sf->minute, sf->anzeige), std::make_tuple(i8{2}, i8{1}, i16{60}, u8{1}));
    kit::Png("live_client_minute60");
    // Another match's image: refused, the copy and the view stay.
    const std::vector<u8> gut = bild;
    Spielfeld_Daten fremd = *server;
    fremd.team[1] = static_cast<u32>(Team_Aktiv + 2);
    fremd.tore[0] = 7;
    bild = bytes::bild(&fremd, 1);
    sf->sync_fehler = 1;
    EXPECT_FALSE(Spielfeld_Sync_Fehler_Beheben(sf));
    Spielfeld_Anzeige_Refresh();
    EXPECT_EQ(sf->tore[0], 2);
    EXPECT_EQ(v.pitch, sf);
    // The display ends: the view lets go of the record and its pictures.
    Spielfeld_Anzeige_Aus();
    EXPECT_EQ(Spielansicht_Laufzustand(), 0u);
    EXPECT_EQ(Spielansicht_Views()[0].pitch, nullptr);
    EXPECT_GT(Spielansicht_Animsets_Bytes(), 0u) << "the figure sets stay for the next kick-off";
}

// A damaged animation set: the live view cannot start, the match is shown
// as the overview instead and is still played to its end with its result.
class SpieltagOhneAnsicht : public SpieltagLauf {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Test_Live_Ansicht(true);
        ASSERT_TRUE(archiv.anlegen(7, [](u32& typ, u8*, u32) { typ = RESF_BILD; }));
    }
    void TearDown() override {
        archiv.zurueck();
        SpieltagLauf::TearDown();
    }
    Kaputtes_Archiv archiv;
};

TEST_F(SpieltagOhneAnsicht, ADamagedSetLeavesTheMatchToTheOverview) {
    Spielfeld_Daten* sf = nullptr;
    for (int n = 0; n < 4000 && !sf; ++n) {
        if (Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIEL_BILD)) sf = Menue_Laufendes_Spiel();
        if (!sf) weiter();
        if (HasFatalFailure()) return;
    }
    ASSERT_NE(sf, nullptr);
    const u32 spiel = sf->spiel;
    lauf("move 400 300\n", 3);
    EXPECT_EQ(Spielansicht_Laufzustand(), 2u) << "the start failed and is not tried every frame";
    EXPECT_EQ(Spielansicht_Get_Spielfeld(), nullptr);
    EXPECT_EQ(Spielansicht_Animsets_Bytes(), 0u);
    kit::Png("live_spieltag_ohne_ansicht");
    Spielfeld_Set_Fast(1);
    int tore[2] = {0, 0}, minute = 0;
    for (int n = 0; n < 20000; ++n) {
        Spielfeld_Daten* jetzt = Spielfeld_Zeiger(spiel);
        if (!jetzt || jetzt->beendet) break;
        tore[0] = jetzt->tore[0], tore[1] = jetzt->tore[1], minute = jetzt->minute;
        if (Menue_Requester_Offen() || Spielankuendigung_Screen_Offen()) weiter();
        else lauf("", 1);
        if (HasFatalFailure()) return;
    }
    EXPECT_GE(minute, 89);
    if (Spielfeld_Daten* end = Spielfeld_Zeiger(spiel)) tore[0] = end->tore[0], tore[1] = end->tore[1];
    const Spiel* fixture = Spiele_Get_Spiel(static_cast<i32>(spiel), true);
    ASSERT_NE(fixture, nullptr);
    EXPECT_EQ(fixture->tore_a, tore[0]);
    EXPECT_EQ(fixture->tore_b, tore[1]);
}

}  // namespace
