// Every way into a screen, taken with the mouse or the keys in the running
// program (headless, the generated archives): each entry of the main menu's
// four dialog buttons, the player card from every list that shows players
// and the talents button on it, the hidden key mode, the match control
// bar's buttons over a live match, and the pages after a match. Each way
// must bring up its screen; none may answer with the notice that the area
// is still being built. A picture of each screen goes into the folder
// KORDAVO_ZUGAENGE names (default "zugaenge").
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "base/settings.h"
#include "fahrer.h"
#include "gui/text_cfg.h"
#include "match/spielfeld.h"
#include "screens/club/spielstand.h"
#include "screens/live_view/spielansicht.h"
#include "screens/market/transfer.h"
#include "screens/match/ank_fenster.h"
#include "screens/match/im_spiel.h"
#include "screens/match/taktik_im_spiel.h"
#include "screens/squad/spielerkarte.h"
#include "screens/squad/taktik.h"
#include "season/kalender.h"
#include "spur.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/welt.h"

namespace fs = std::filesystem;
namespace f = fahrer;

namespace {

constexpr i32 zeile_y(i32 i) { return i < 11 ? 136 + 17 * i : i < 17 ? 344 + 17 * (i - 11) : 467 + 17 * (i - 17); }

// Whether a screen is up; the in-match windows have no frame icon.
bool offen(Screen_Id id) {
    if (id == Screen_Id::IM_SPIEL_AUFSTELLUNG) return E_Im_Spiel_Screen_Ist_Offen();
    if (id == Screen_Id::IM_SPIEL_TAKTIK) return Taktik_Im_Spiel_Screen_Ist_Offen();
    if (id == Screen_Id::SPIEL_TABELLE) return Ank_Fenster_Offen(ANK_FENSTER_TABELLE);
    if (id == Screen_Id::SPIEL_ERGEBNISSE) return Ank_Fenster_Offen(ANK_FENSTER_ERGEBNISSE);
    return Screen_Offen(id);
}

class Zugaenge : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Test_Programm_Starten("kordavo_zugaenge", &ordner));
        const char* z = std::getenv("KORDAVO_ZUGAENGE");
        ziel = z && *z ? z : "zugaenge";
        fs::create_directories(ziel);
        ASSERT_TRUE(f::lauf("wait 12\n", 14));
        ASSERT_TRUE(f::bis_menue());
    }
    void TearDown() override { Test_Programm_Beenden(ordner); }
    void bild(const std::string& name) { ASSERT_TRUE(f::bild(ziel + "/" + name + ".png")) << name; }
    // The notice of an unbuilt area, if it is up.
    bool im_aufbau() {
        if (!Menue_Requester_Offen()) return false;
        for (const spur::Text& t : spur::frame())
            if (t.sichtbar.find("im Aufbau") != std::string::npos) return true;
        return false;
    }
    std::string ordner, ziel;
};

TEST_F(Zugaenge, HauptmenueJederEintragOeffnetSeinenScreen) {
    const struct {
        i32 knopf, eintrag;
        Screen_Id id;
        const char* name;
    } eintraege[] = {
        {0, 0, Screen_Id::KADER, "team_kader"},
        {0, 1, Screen_Id::KADER_ANSICHT, "team_kaderansicht"},
        {0, 2, Screen_Id::TAKTIK, "team_taktik"},
        {0, 3, Screen_Id::TRANSFER, "team_transfer"},
        {0, 4, Screen_Id::TRAININGSPLAN, "team_training"},
        {0, 5, Screen_Id::TRAININGSLAGER, "team_trainingslager"},
        {1, 0, Screen_Id::WETTBEWERB_TABELLE, "wettbewerb_tabelle"},
        {1, 1, Screen_Id::WETTBEWERB_ERGEBNISSE, "wettbewerb_ergebnisse"},
        {1, 2, Screen_Id::WETTBEWERB_UEBERSICHT, "wettbewerb_uebersicht"},
        {1, 3, Screen_Id::RANGLISTE, "wettbewerb_rangliste"},
        {2, 0, Screen_Id::BANK, "verein_bank"},
        {2, 1, Screen_Id::WERBUNG, "verein_werbung"},
        {2, 2, Screen_Id::STADION, "verein_stadion"},
        {2, 3, Screen_Id::FINANZEN, "verein_finanzen"},
        {3, 0, Screen_Id::LADEN, "spiel_laden"},
        {3, 1, Screen_Id::SPEICHERN, "spiel_speichern"},
        {3, 2, Screen_Id::OPTIONEN, "spiel_optionen"},
    };
    for (const auto& e : eintraege) {
        SCOPED_TRACE(e.name);
        ASSERT_TRUE(f::bis_menue());
        ASSERT_TRUE(f::menue(e.knopf, e.eintrag));
        EXPECT_FALSE(im_aufbau());
        ASSERT_TRUE(Screen_Offen(e.id));
        ASSERT_TRUE(f::lauf("wait 20\n", 2));
        bild(e.name);
        // The load and save screens go by their cancel button, the options
        // (over everything) by the right click; a main-menu screen stays
        // until the next one clears the work area.
        if (e.id == Screen_Id::LADEN) {
            ASSERT_TRUE(f::icon(ICON_LADEN_ABBRECHEN));
        }
        if (e.id == Screen_Id::SPEICHERN) {
            ASSERT_TRUE(f::icon(ICON_SPEICHERN_ABBRECHEN));
        }
        if (e.id == Screen_Id::OPTIONEN) {
            ASSERT_TRUE(f::rechtsklick(400, 300));
        }
        EXPECT_FALSE(Screen_Offen(Screen_Id::LADEN) || Screen_Offen(Screen_Id::SPEICHERN) ||
                     Screen_Offen(Screen_Id::OPTIONEN));
    }
    // "Beenden" asks first; "no" keeps the game.
    ASSERT_TRUE(f::bis_menue());
    ASSERT_TRUE(f::menue(3, 3));
    ASSERT_TRUE(Menue_Requester_Offen());
    EXPECT_FALSE(im_aufbau());
    ASSERT_TRUE(f::antworten(false));
    EXPECT_EQ(Quit_Status, QUIT_STATUS_LAEUFT);
}

// The card comes up on a right click in every list of players; its talents
// button opens the talents screen.
TEST_F(Zugaenge, SpielerkarteAusJederListeUndTalente) {
    const struct {
        i32 knopf, eintrag;
        Screen_Id id;
        i32 x, y;  // a player's row or card
        const char* name;
    } listen[] = {
        {0, 0, Screen_Id::KADER, 300, zeile_y(2) + 8, "kader"},
        {0, 1, Screen_Id::KADER_ANSICHT, -1, -1, "kaderansicht"},
        {0, 2, Screen_Id::TAKTIK, -2, -2, "taktik"},
        {0, 3, Screen_Id::TRANSFER, 150, zeile_y(2) + 8, "transfer_eigen"},
        {0, 3, Screen_Id::TRANSFER, 480, 136 + 17 * 2 + 8, "transfer_markt"},
        {0, 4, Screen_Id::TRAININGSPLAN, 200, zeile_y(2) + 8, "training"},
    };
    for (const auto& l : listen) {
        SCOPED_TRACE(l.name);
        ASSERT_TRUE(f::bis_menue());
        ASSERT_TRUE(f::menue(l.knopf, l.eintrag));
        ASSERT_TRUE(Screen_Offen(l.id));
        ASSERT_TRUE(f::lauf("wait 20\n", 2));
        i32 x = l.x, y = l.y;
        if (x == -2) {
            // The tactics: the row of the third starter.
            const Screen_Icon* z = Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_ZEILE + 2);
            ASSERT_TRUE(z);
            x = z->x + z->w / 2, y = z->y + z->h / 2;
        } else if (x < 0) {
            // The squad view: the first card on the pitch.
            const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(2441);
            for (i32 n = 2441; n < 2497 && !(k && !(k->status & MENUE_S_VERSTECKT) && static_cast<i32>(k->user[0]) >= 0); ++n)
                k = Menue_Screen_Icon_Aus_Nummer(static_cast<i16>(n));
            ASSERT_TRUE(k);
            x = k->x + 10, y = k->y + 10;
        }
        ASSERT_TRUE(f::rechtsklick(x, y, 6));
        ASSERT_TRUE(Spieler_Info_Offen()) << "no card";
        bild(std::string("karte_aus_") + l.name);
        // The talents button over the card (the own players' cards).
        if (f::da(ICON_KARTE_TALENTE)) {
            ASSERT_TRUE(f::icon(ICON_KARTE_TALENTE, 6));
            EXPECT_TRUE(Screen_Offen(Screen_Id::TALENTE));
            if (std::string(l.name) == "kader") bild("talente_aus_karte");
            if (Screen_Offen(Screen_Id::TALENTE)) {
                ASSERT_TRUE(f::rechtsklick(400, 300, 6));
            }
        } else {
            EXPECT_EQ(std::string(l.name), "transfer_markt") << "an own player's card without its talents button";
        }
        if (Spieler_Info_Offen()) {
            ASSERT_TRUE(f::icon(ICON_KARTE_SCHLIESSEN, 6));
        }
        EXPECT_FALSE(Spieler_Info_Offen());
    }
}

// The hidden key mode: with shift held and the mouse in the corner, "g"
// gives the club a million.
TEST_F(Zugaenge, VersteckteTasten) {
    const f64 vorher = Bank_Get_Kontostand(Team_Aktiv, 0, -1);
    ASSERT_TRUE(f::lauf("move 1 1\nwait 2\nkeydown shift\nwait 2\nkey g\nwait 2\nkeyup shift\nwait 2\n", 4));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(Team_Aktiv, 0, -1), vorher + 1000000.0);
    // Without shift the same key does nothing.
    ASSERT_TRUE(f::lauf("move 1 1\nwait 2\nkey g\nwait 2\n", 4));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(Team_Aktiv, 0, -1), vorher + 1000000.0);
}

// Over the manager's live match: the control bar's table, results,
// line-up, tactics, load and save buttons each bring up their screen; after
// the match its pages come one after the other.
TEST_F(Zugaenge, KontrollleisteUndSeitenNachDemSpiel) {
    Test_Live_Ansicht(true);
    Spielfeld_Daten* sf = nullptr;
    for (int n = 0; n < 6000 && !sf; ++n) {
        if (Spielansicht_Laufzustand() == 1 && Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_PAUSE) &&
            !Spielankuendigung_Screen_Offen() && !Menue_Requester_Offen()) {
            sf = Spielansicht_Get_Spielfeld();
            if (sf) break;
        }
        if (f::im_menue()) {
            ASSERT_TRUE(f::zug_ende());
        }
        else {
            ASSERT_TRUE(f::weiter());
        }
    }
    ASSERT_NE(sf, nullptr) << "no live match";
    const struct {
        i32 icon;
        Screen_Id id;
        const char* name;
    } knoepfe[] = {
        {ICON_LEISTE_TABELLE, Screen_Id::SPIEL_TABELLE, "leiste_tabelle"},
        {ICON_LEISTE_ERGEBNISSE, Screen_Id::SPIEL_ERGEBNISSE, "leiste_ergebnisse"},
        {ICON_LEISTE_AUFSTELLUNG, Screen_Id::IM_SPIEL_AUFSTELLUNG, "leiste_aufstellung"},
        {ICON_LEISTE_TAKTIK, Screen_Id::IM_SPIEL_TAKTIK, "leiste_taktik"},
        {ICON_LEISTE_LADEN, Screen_Id::LADEN, "leiste_laden"},
        {ICON_LEISTE_SPEICHERN, Screen_Id::SPEICHERN, "leiste_speichern"},
    };
    for (const auto& k : knoepfe) {
        SCOPED_TRACE(k.name);
        ASSERT_TRUE(f::icon(k.icon, 4));
        EXPECT_FALSE(im_aufbau());
        bild(k.name);
        ASSERT_TRUE(offen(k.id));
        // Closed again by the cancel button (load, save) or the same button:
        // the match is seen again, the bar still under it.
        if (k.id == Screen_Id::LADEN) {
            ASSERT_TRUE(f::icon(ICON_LADEN_ABBRECHEN));
        } else if (k.id == Screen_Id::SPEICHERN) {
            ASSERT_TRUE(f::icon(ICON_SPEICHERN_ABBRECHEN));
        } else {
            ASSERT_TRUE(f::icon(k.icon, 4));
        }
        EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIEL_BILD));
        EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_RAHMEN));
        EXPECT_FALSE(offen(k.id));
        // The match goes on (the pause the load and save screens forced is lifted).
        if (Spielfeld_Get_Pause()) {
            ASSERT_TRUE(f::icon(ICON_LEISTE_PAUSE, 2));
        }
        EXPECT_FALSE(Spielfeld_Get_Pause()) << "the match stays held";
    }
    // ">|" held: the shown match's clock races on while the button is down;
    // with the pointer only resting on it the match keeps its pace.
    {
        const Screen_Icon* v = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_VORSPULEN);
        ASSERT_TRUE(v);
        const auto frames = [](int n) {
            for (int k = 0; k < n; ++k) f::frame();
        };
        ASSERT_TRUE(f::lauf("wait 16\nmove " + f::ort(v->x + v->w / 2, v->y + v->h / 2) + "\nwait 2\n", 0));
        const u32 ruhig_ab = sf->uhr;
        frames(20);
        const u32 ruhig = sf->uhr - ruhig_ab;
        const u32 gespult_ab = sf->uhr;
        const i16 minute_ab = sf->minute;
        ASSERT_TRUE(f::lauf("press left\nwait 2\n", 0));
        frames(20);
        const u32 gespult = sf->uhr - gespult_ab;
        EXPECT_TRUE(Spielfeld_Get_Spulen());
        EXPECT_GE(sf->minute - minute_ab, 5) << "the clock did not race on";
        EXPECT_GT(gespult, 10 * ruhig) << ruhig << " ms at pace, " << gespult << " ms held";
        bild("leiste_vorspulen");
        ASSERT_TRUE(f::lauf("release left\nwait 4\nmove 400 300\nwait 4\n", 4));
        EXPECT_FALSE(Spielfeld_Get_Spulen()) << "still spooling once let go";
        const u32 danach_ab = sf->uhr;
        frames(20);
        EXPECT_LT(sf->uhr - danach_ab, 2 * ruhig + 200) << "the pace did not come back";
    }
    // To the end of the match and its pages.
    std::set<u32> arten;
    ASSERT_TRUE(f::icon(ICON_LEISTE_SCHNELL, 2));
    for (int n = 0; n < 20000 && !f::im_menue(); ++n) {
        if (Spielankuendigung_Screen_Offen() || (Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG && !Spielankuendigung_Puffer_Leer()))
            arten.insert(Spielankuendigung_Laufende_Art());
        ASSERT_TRUE(f::weiter());
    }
    for (u32 a : {ANK_TORE, ANK_STATISTIK, ANK_ERGEBNISSE, ANK_TABELLE}) EXPECT_TRUE(arten.count(a)) << a;
}

}  // namespace
