// The pictures of the game as a player meets it, played headless through
// the program's own input. Sixty days of a new game with two managers at
// one machine: each manager's menu, an open pop-up with an entry under the
// mouse, the notice whose turn it is, the question before a turn with too
// few players, the running match under the control bar, every page and
// screen after a match, a save and a load question. Then every screen once:
// each entry of the main menu, the windows over them (player card, talents,
// attribute popup, training film, camp run, negotiation, scouting), the
// hidden keys' screens, the control bar's screens over a live match and
// the live view with one, two and four matches. Each picture is written as
// a PNG into the folder named by KORDAVO_GALERIE (default: "galerie" beside
// the test), and every one of them is checked: no text over another, no
// notice of an area still being built.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "base/settings.h"
#include "fahrer.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "programm.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "season/optionen.h"
#include "matchday/spieltag.h"
#include "screens/club/spielstand.h"
#include "screens/editor/attribut_edit.h"
#include "screens/live_view/spielansicht.h"
#include "screens/market/scouting.h"
#include "screens/match/ank_bild.h"
#include "screens/market/transfer.h"
#include "screens/market/verhandlung.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/spielerkarte.h"
#include "screens/training/film.h"
#include "screens/training/lager.h"
#include "screens/training/talente.h"
#include "spur.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/welt.h"

namespace fs = std::filesystem;
namespace f = fahrer;

namespace {

class Galerie : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Test_Programm_Starten("kordavo_galerie", &ordner));
        const char* z = std::getenv("KORDAVO_GALERIE");
        ziel = z && *z ? z : "galerie";
        fs::create_directories(ziel);
    }
    void TearDown() override { Test_Programm_Beenden(ordner); }

    // The first sight of `name`: its picture, its texts checked.
    void aufnahme(const std::string& name) {
        if (!gesehen.insert(name).second) return;
        ASSERT_GT(Headless_Lauf("screenshot " + ziel + "/" + name + ".png\n", 3), 0) << name;
        const auto t = spur::frame();
        EXPECT_EQ(spur::ueberlappungen(t), std::vector<std::string>{}) << name;
        for (const spur::Text& x : t) EXPECT_EQ(x.sichtbar.find("im Aufbau"), std::string::npos) << name;
    }
    // Back to the main menu: whatever window is open closed by its own
    // button, a requester answered with its last one.
    static bool fenster_offen() {
        return Menue_Requester_Offen() || f::da(ICON_FILM_GELERNT_ZU) || Screen_Offen(Screen_Id::TRAININGSFILM) ||
               Screen_Offen(Screen_Id::TALENTE) || Spieler_Info_Offen() || f::da(ICON_ERGEBNIS_RAHMEN) ||
               Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF) || Verhandlung_Offen() ||
               Screen_Offen(Screen_Id::SCOUTING) || Attribut_Popup_Offen();
    }
    bool zurueck() {
        for (int n = 0; n < 40 && (fenster_offen() || !f::im_menue()); ++n) {
            bool ok = true;
            if (Menue_Requester_Offen()) ok = f::antworten(false);
            else if (f::da(ICON_FILM_GELERNT_ZU)) ok = f::icon(ICON_FILM_GELERNT_ZU, 6);
            else if (f::da(ICON_FILM_OK)) ok = f::icon(ICON_FILM_OK, 6);
            else if (f::da(ICON_FILM_ZU)) ok = f::icon(ICON_FILM_ZU, 6);
            else if (Screen_Offen(Screen_Id::TALENTE)) ok = f::icon(ICON_TALENTE_ZU, 6);
            else if (Spieler_Info_Offen()) ok = f::icon(ICON_KARTE_SCHLIESSEN, 6);
            else if (f::da(ICON_ERGEBNIS_RAHMEN)) ok = f::klick(400, 300, 6);
            else if (Verhandlung_Offen()) ok = f::icon(ICON_VERHANDLUNG_VERLASSEN, 6);
            else if (Screen_Offen(Screen_Id::SCOUTING))
                ok = f::icon(f::da(ICON_SUCHE_VERLASSEN) ? ICON_SUCHE_VERLASSEN : ICON_SCOUTING_ZURUECK, 6);
            else if (Attribut_Popup_Offen()) ok = f::icon(ICON_POPUP_SCHLIESSEN, 6);
            else ok = f::weiter() && f::rechtsklick(400, 300, 6);
            if (!ok) return false;
        }
        if (fenster_offen() || !f::im_menue())
            ADD_FAILURE() << "open: requester " << Menue_Requester_Offen() << " film " << Screen_Offen(Screen_Id::TRAININGSFILM)
                          << " talente " << Screen_Offen(Screen_Id::TALENTE) << " karte " << Spieler_Info_Offen()
                          << " lager " << Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF) << " verhandlung "
                          << Verhandlung_Offen() << " scouting " << Screen_Offen(Screen_Id::SCOUTING) << " popup "
                          << Attribut_Popup_Offen() << " menu " << f::im_menue();
        return !fenster_offen() && f::im_menue();
    }
    void lauf(const char* skript, i32 frames) { ASSERT_GT(Headless_Lauf(skript, frames), 0) << skript; }

    // One manager's turn: a look around on the first turns, then its end.
    void zug(int tag) {
        if (Menue_Requester_Offen()) {
            aufnahme(gesehen.count("wechsel_hinweis") ? "wechsel_hinweis_2" : "wechsel_hinweis");
            lauf("click right 400 300\nwait 3\n", 6);
        }
        if (tag == 0) {
            aufnahme(Team_Aktiv == erster ? "menue_manager_1" : "menue_manager_2");
            // The screen used last (at first the squad) reopens over the menu;
            // the menu's clip stands still under it and is not drawn.
            if (Menue_Screen_Icon_Ist_Vorhanden(2401)) {
                EXPECT_FALSE(Menue_Hintergrund_Video_Laeuft());
            }
            if (Team_Aktiv == erster) {
                lauf("move 324 580\nwait 2\nclick left\nwait 14\nmove 324 520\nwait 2\n", 22);
                aufnahme("menue_team_offen");
                lauf("click right 400 300\nwait 3\n", 6);
            }
        }
        // With a player short the question comes first; the manager then
        // sets his line-up and ends the turn.
        i32 elf[64];
        if (Teamspieler_Ins_Array(Team_Aktiv, elf, 64, 16) < 11) {
            lauf("move 750 583\nwait 2\nclick left\nwait 4\n", 10);
            if (Menue_Requester_Offen()) aufnahme("frage_zu_wenige_spieler");
            lauf("move 694 421\nwait 2\nclick left\nwait 3\n", 8);
            Aufstellung_Automatisch(Team_Aktiv);
        }
        lauf("move 750 583\nwait 2\nclick left\nwait 3\n", 8);
        for (int n = 0; n < 3000; ++n) {
            if (Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) &&
                Menue_Modus == 0)
                break;
            if (Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIEL_BILD)) {
                if (!gesehen.count("spiel_kontrollleiste")) lauf("move 400 300\nwait 20\n", 22);
                aufnahme("spiel_kontrollleiste");
            }
            if (Spielankuendigung_Screen_Offen() ||
                (Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG && !Spielankuendigung_Puffer_Leer())) {
                static const char* const namen[ANK_ARTEN] = {"seite_vor_menue", "seite_vor_spiel", "seite_tore",
                                                             "seite_statistik", "seite_finanzen", "screen_ergebnisse",
                                                             "screen_tabelle", "", "screen_sieger"};
                const u32 art = Spielankuendigung_Laufende_Art();
                if (art < ANK_ARTEN && *namen[art] && !gesehen.count(namen[art])) {
                    lauf("wait 12\n", 13);  // the page has opened
                    aufnahme(namen[art]);
                }
            }
            lauf((std::string(Ankuendigung_Wegklicken()) + "wait 5\n").c_str(), 8);
        }
    }

    std::string ordner, ziel;
    std::set<std::string> gesehen;
    i32 erster = -1;
};

TEST_F(Galerie, SechzigTageZweiManager) {
    ASSERT_TRUE(W32_Registry_Write("Mitspieler", "2"));
    lauf("wait 12\n", 14);
    ASSERT_EQ(Manager_Anzahl_Menschen(), 2);
    Option_Wert(OPTION_ZUGZEIT, 1, 300000);  // the turn clock shows
    erster = Team_Aktiv;
    const i32 start = Kalender_Get_Tag();
    while (Kalender_Get_Tag() < start + 60) {
        const i32 tag = Kalender_Get_Tag() - start;
        zug(tag);
        if (HasFatalFailure()) return;
    }
    // Spiel > Speichern: the first slot chosen and saved; the message that
    // says so. Then the load key's question, answered with "no".
    if (Menue_Requester_Offen()) lauf("click right 400 300\nwait 3\n", 6);
    ASSERT_TRUE(f::oeffnen(3, 1, Screen_Id::SPEICHERN));
    ASSERT_TRUE(f::klick(300, DISK_ZEILE_Y0 + DISK_ZEILE_H / 2, 6));
    ASSERT_TRUE(f::icon(ICON_SPEICHERN_KNOPF, 6));
    for (int n = 0; n < 200 && !Menue_Requester_Offen(); ++n) lauf("wait 2\n", 0);
    ASSERT_TRUE(Menue_Requester_Offen());
    ASSERT_FALSE(Screen_Offen(Screen_Id::SPEICHERN));
    aufnahme("mitteilung_gespeichert");
    EXPECT_NE(Zeichenspur_Text("gespeichert"), nullptr);
    ASSERT_TRUE(f::antworten(true));
    ASSERT_TRUE(f::bis_menue());
    lauf("move 400 300\nwait 2\nkey l\nwait 4\n", 6);
    ASSERT_TRUE(Menue_Requester_Offen());
    ASSERT_FALSE(Screen_Offen(Screen_Id::LADEN));
    aufnahme("frage_laden");
    ASSERT_TRUE(f::antworten(false));
    // Everything a player meets in these days was seen.
    for (const char* n : {"menue_manager_1", "menue_manager_2", "menue_team_offen",
                          "wechsel_hinweis", "spiel_kontrollleiste", "seite_tore", "seite_statistik", "seite_finanzen",
                          "screen_ergebnisse", "screen_tabelle", "mitteilung_gespeichert", "frage_laden"})
        EXPECT_TRUE(gesehen.count(n)) << n;
}

// The first live matchday: the managers' turns ended until the live view
// runs; false when it does not come.
bool bis_live(i32 max = 6000) {
    for (int n = 0; n < max; ++n) {
        if (Spielansicht_Laufzustand() == 1 && Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_PAUSE) &&
            !Spielankuendigung_Screen_Offen() && !Menue_Requester_Offen() && Spielansicht_Get_Spielfeld())
            return true;
        if (f::im_menue() ? !f::zug_ende() : !f::weiter()) return false;
    }
    return false;
}

i32 ansichten() {
    i32 n = 0;
    for (int k = 0; k < SA_VIEWS; ++k) n += Spielansicht_Views()[k].present ? 1 : 0;
    return n;
}

constexpr i32 zeile_y(i32 i) { return i < 11 ? 136 + 17 * i : i < 17 ? 344 + 17 * (i - 11) : 467 + 17 * (i - 17); }

// Every screen once, in a new game with one manager: the main menu's
// entries, the windows over them, the hidden keys' screens, the control
// bar's screens over the first live match and the pages after it.
TEST_F(Galerie, JederScreen) {
    Option_Wert(OPTION_ZUGZEIT, 1, 0);  // no turn clock (an earlier test may have set one)
    ASSERT_TRUE(f::lauf("wait 12\n", 14));
    ASSERT_TRUE(f::bis_menue());
    aufnahme("hauptmenue");
    const struct {
        i32 knopf, eintrag;
        Screen_Id id;
        const char* name;
    } eintraege[] = {
        {0, 0, Screen_Id::KADER, "kader"},
        {0, 1, Screen_Id::KADER_ANSICHT, "kaderansicht"},
        {0, 2, Screen_Id::TAKTIK, "taktik"},
        {0, 3, Screen_Id::TRANSFER, "transfer"},
        {0, 4, Screen_Id::TRAININGSPLAN, "trainingsplan"},
        {0, 5, Screen_Id::TRAININGSLAGER, "trainingslager"},
        {1, 0, Screen_Id::WETTBEWERB_TABELLE, "wettbewerb_tabelle"},
        {1, 1, Screen_Id::WETTBEWERB_ERGEBNISSE, "wettbewerb_ergebnisse"},
        {1, 2, Screen_Id::WETTBEWERB_UEBERSICHT, "wettbewerb_uebersicht"},
        {1, 3, Screen_Id::RANGLISTE, "rangliste"},
        {2, 0, Screen_Id::BANK, "bank"},
        {2, 1, Screen_Id::WERBUNG, "werbung"},
        {2, 2, Screen_Id::STADION, "stadion"},
        {2, 3, Screen_Id::FINANZEN, "finanzen"},
        {3, 0, Screen_Id::LADEN, "laden"},
        {3, 1, Screen_Id::SPEICHERN, "speichern"},
        {3, 2, Screen_Id::OPTIONEN, "optionen"},
    };
    for (const auto& e : eintraege) {
        SCOPED_TRACE(e.name);
        ASSERT_TRUE(f::oeffnen(e.knopf, e.eintrag, e.id));
        ASSERT_TRUE(f::lauf("wait 20\n", 2));
        aufnahme(e.name);
        const auto t = spur::frame();
        // The team overview before the first draw lists the league's clubs,
        // not a bye each; the lists of players head the stars' column
        // "Stärke" and the matches' column after it "Spiele".
        if (e.id == Screen_Id::WETTBEWERB_UEBERSICHT) {
            i32 freilos = 0, verein = 0;
            for (const spur::Text& x : t) {
                freilos += x.sichtbar.find("Freilos") != std::string::npos;
                // below the main menu's header, which names the club too
                verein += x.y0 > 100 && x.sichtbar.find("TSV Faldorf") != std::string::npos;
            }
            EXPECT_EQ(freilos, 0);
            EXPECT_EQ(verein, 1);
        }
        if (e.id == Screen_Id::KADER || e.id == Screen_Id::TAKTIK) {
            const spur::Text *st = spur::finden(t, "Stärke"), *sp = spur::finden(t, "Spiele");
            ASSERT_TRUE(st && sp);
            EXPECT_LT(st->x0, sp->x0);
            EXPECT_LT(st->x0, 440);  // over the stars at 407..
        }
        if (e.id == Screen_Id::LADEN) {
            ASSERT_TRUE(f::icon(ICON_LADEN_ABBRECHEN));
        }
        if (e.id == Screen_Id::SPEICHERN) {
            ASSERT_TRUE(f::icon(ICON_SPEICHERN_ABBRECHEN));
        }
        if (e.id == Screen_Id::OPTIONEN) {
            ASSERT_TRUE(f::rechtsklick(400, 300));
        }
    }
    // "Beenden": its question.
    ASSERT_TRUE(f::menue(3, 3));
    ASSERT_TRUE(Menue_Requester_Offen());
    aufnahme("frage_beenden");
    ASSERT_TRUE(f::antworten(false));

    // The squad: the attribute popup (a click on a row's attributes), the
    // card (a right click), the talents from the card, the training film
    // from a talent that can be learned.
    ASSERT_TRUE(f::bis_menue());
    ASSERT_TRUE(f::menue(0, 0));
    ASSERT_TRUE(f::klick(590, zeile_y(2) + 8, 8));
    ASSERT_TRUE(Attribut_Popup_Offen());
    aufnahme("attribut_popup");
    ASSERT_TRUE(f::icon(ICON_POPUP_SCHLIESSEN, 6));
    ASSERT_TRUE(f::rechtsklick(300, zeile_y(2) + 8, 6));
    ASSERT_TRUE(Spieler_Info_Offen());
    aufnahme("spielerkarte");
    ASSERT_TRUE(f::icon(ICON_KARTE_TALENTE, 6));
    ASSERT_TRUE(Screen_Offen(Screen_Id::TALENTE));
    aufnahme("talente");
    for (i32 n = ICON_TALENTE_ATTRIBUT; n < ICON_TALENTE_SPEZIAL && !Screen_Offen(Screen_Id::TRAININGSFILM); ++n) {
        if (!f::da(n)) continue;
        ASSERT_TRUE(f::icon(n, 6));
        if (Menue_Requester_Offen()) {
            ASSERT_TRUE(f::antworten(false));
        }
    }
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSFILM));
    aufnahme("trainingsfilm");
    // Started: the training runs to its end (the quick finish is on).
    ASSERT_TRUE(f::icon(ICON_FILM_START, 1));
    for (int n = 0; n < 3000 && !f::da(ICON_FILM_OK) && !f::da(ICON_FILM_GELERNT_ZU); ++n) {
        ASSERT_TRUE(f::lauf("wait 2\n", 0));
    }
    ASSERT_TRUE(f::lauf("wait 30\n", 2));
    aufnahme("trainingsfilm_ende");
    ASSERT_TRUE(zurueck());

    // The training camp: chosen, run, its results.
    ASSERT_TRUE(f::oeffnen(0, 5, Screen_Id::TRAININGSLAGER));
    ASSERT_TRUE(f::icon(ICON_LAGER_LOS, 90));
    if (Menue_Requester_Offen()) {
        ASSERT_TRUE(f::antworten(true));
    }
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRAININGSLAGER_LAUF));
    aufnahme("trainingslager_lauf");
    // A while of the run, then its end button: the results.
    ASSERT_TRUE(f::lauf("wait 300\n", 0));
    if (f::da(ICON_LAUF_ENDE)) {
        ASSERT_TRUE(f::icon(ICON_LAUF_ENDE, 12));
    }
    for (int n = 0; n < 400 && !f::da(ICON_ERGEBNIS_RAHMEN); ++n) {
        ASSERT_TRUE(f::lauf("wait 5\n", 0));
    }
    ASSERT_TRUE(f::da(ICON_ERGEBNIS_RAHMEN));
    ASSERT_TRUE(f::lauf("wait 30\n", 2));
    aufnahme("trainingslager_ergebnis");
    ASSERT_TRUE(zurueck());

    // The transfer market: a market player chosen, then an own one: the
    // negotiation; the scout sent: the scouting map.
    ASSERT_TRUE(f::bis_menue());
    ASSERT_TRUE(f::menue(0, 3));
    ASSERT_TRUE(f::klick(480, 136 + 17 * 2 + 8, 6));
    ASSERT_TRUE(f::klick(150, zeile_y(2) + 8, 12));
    ASSERT_TRUE(Verhandlung_Offen());
    aufnahme("verhandlung");
    ASSERT_TRUE(f::icon(ICON_VERHANDLUNG_VERLASSEN, 12));
    ASSERT_FALSE(Verhandlung_Offen());
    ASSERT_TRUE(f::icon(ICON_TRANSFER_SCOUT_SCHICKEN, 12));
    ASSERT_TRUE(Screen_Offen(Screen_Id::SCOUTING));
    aufnahme("scouting");
    ASSERT_TRUE(f::icon(ICON_SCOUTING_GEBIET + 3, 12));
    aufnahme("scouting_gebiet");
    ASSERT_TRUE(f::icon(ICON_SCOUTING_BEZAHLEN, 30));
    aufnahme("scouting_reise");
    // Leaving asks first while the journey runs.
    ASSERT_TRUE(f::icon(ICON_SUCHE_VERLASSEN, 6));
    if (Menue_Requester_Offen()) {
        aufnahme("scouting_frage_verlassen");
        ASSERT_TRUE(f::antworten(true));
    }
    ASSERT_TRUE(zurueck());

    // The hidden keys: every attribute for the squad, then the choice that
    // takes the popup's place; the balance page.
    ASSERT_TRUE(f::bis_menue());
    ASSERT_TRUE(f::lauf("move 1 1\nwait 2\nkeydown shift\nwait 2\nkey a\nwait 2\nkeyup shift\nwait 2\n", 4));
    ASSERT_TRUE(f::menue(0, 0));
    ASSERT_TRUE(f::klick(590, zeile_y(3) + 8, 8));
    ASSERT_TRUE(Screen_Offen(Screen_Id::ATTRIBUT_WAHL));
    aufnahme("attribut_wahl");
    ASSERT_TRUE(f::icon(ICON_WAHL_SCHLIESSEN, 6));
    ASSERT_TRUE(f::lauf("move 1 1\nwait 2\nkeydown shift\nwait 2\nkey d\nwait 2\nkeyup shift\nwait 2\n", 8));
    ASSERT_TRUE(Screen_Offen(Screen_Id::DIAGNOSE));
    aufnahme("diagnose");
    ASSERT_TRUE(f::rechtsklick(400, 300, 6));

    // The first live match: the picture before it, the control bar's
    // screens over it, the pages after it.
    Test_Live_Ansicht(true);
    for (int n = 0; n < 6000 && !(Spielansicht_Laufzustand() == 1 && Spielansicht_Get_Spielfeld()); ++n) {
        if (!Ank_Bild_Figuren_Gezeichnet().empty() && !gesehen.count("vor_dem_spiel_bild")) {
            // The picture once its line-up boards have come to rest.
            auto ruhig = [] {
                for (int s = 0; s < 2; ++s)
                    for (int k = 0; k < 11; ++k) {
                        const Ank_Bild_Label& l = Ank_Bild_Labels_Von(s)[k];
                        if (l.spieler >= 0 && (l.x != l.ziel_x || l.y != l.ziel_y)) return false;
                    }
                return true;
            };
            ASSERT_TRUE(f::lauf("move 400 300\nwait 2\n", 1));
            for (int n = 0; n < 400 && !Ank_Bild_Figuren_Gezeichnet().empty() && !ruhig(); ++n) {
                ASSERT_TRUE(f::lauf("wait 1\n", 0));
            }
            if (!Ank_Bild_Figuren_Gezeichnet().empty()) {
                const Ank_Bild_Label& l = Ank_Bild_Labels_Von(0)[0];
                EXPECT_TRUE(ruhig()) << l.x << " " << l.ziel_x << " " << l.tempo << " " << l.zustand;
                aufnahme("vor_dem_spiel_bild");
            }
        }
        if ((Spielankuendigung_Screen_Offen() ||
             (Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG && !Spielankuendigung_Puffer_Leer())) &&
            Spielankuendigung_Laufende_Art() == ANK_VOR_MENUE)
            aufnahme("seite_vor_dem_spiel");
        ASSERT_TRUE(f::im_menue() ? f::zug_ende() : f::weiter());
    }
    ASSERT_TRUE(bis_live());
    ASSERT_TRUE(f::lauf("wait 200\n", 2));
    aufnahme("live_1_ansicht");
    const struct {
        i32 icon;
        const char* name;
    } knoepfe[] = {
        {ICON_LEISTE_TABELLE, "leiste_tabelle"},     {ICON_LEISTE_ERGEBNISSE, "leiste_ergebnisse"},
        {ICON_LEISTE_AUFSTELLUNG, "leiste_aufstellung"}, {ICON_LEISTE_TAKTIK, "leiste_taktik"},
        {ICON_LEISTE_LADEN, "leiste_laden"},         {ICON_LEISTE_SPEICHERN, "leiste_speichern"},
    };
    for (const auto& k : knoepfe) {
        SCOPED_TRACE(k.name);
        ASSERT_TRUE(f::icon(k.icon, 8));
        aufnahme(k.name);
        if (k.icon == ICON_LEISTE_LADEN) {
            ASSERT_TRUE(f::icon(ICON_LADEN_ABBRECHEN));
        } else if (k.icon == ICON_LEISTE_SPEICHERN) {
            ASSERT_TRUE(f::icon(ICON_SPEICHERN_ABBRECHEN));
        } else {
            ASSERT_TRUE(f::icon(k.icon, 4));
        }
        if (Spielfeld_Get_Pause()) {
            ASSERT_TRUE(f::icon(ICON_LEISTE_PAUSE, 2));
        }
    }
    ASSERT_TRUE(f::icon(ICON_LEISTE_SCHNELL, 2));
    static const char* const seiten[ANK_ARTEN] = {"", "", "seite_tore", "seite_statistik", "seite_finanzen",
                                                  "screen_ergebnisse", "screen_tabelle", "", "screen_sieger"};
    for (int n = 0; n < 20000 && !f::im_menue(); ++n) {
        if (Spielankuendigung_Screen_Offen() || (Kalender_Get_Runmodus() == RUNMODUS_SPIELTAG && !Spielankuendigung_Puffer_Leer())) {
            const u32 art = Spielankuendigung_Laufende_Art();
            if (art < ANK_ARTEN && *seiten[art] && !gesehen.count(seiten[art])) {
                ASSERT_TRUE(f::lauf("wait 12\n", 1));
                aufnahme(seiten[art]);
            }
        }
        ASSERT_TRUE(f::weiter());
    }
    for (const char* n : {"vor_dem_spiel_bild", "seite_tore", "seite_statistik", "screen_ergebnisse", "screen_tabelle"})
        EXPECT_TRUE(gesehen.count(n)) << n;
}

// The live view with two and with four managers' matches at once (the
// four managers' first matchdays are played until none of them meet).
TEST_F(Galerie, LiveAnsichtenZweiUndVier) {
    for (const i32 mitspieler : {2, 4}) {
        SCOPED_TRACE(mitspieler);
        ASSERT_TRUE(W32_Registry_Write("Mitspieler", std::to_string(mitspieler).c_str()));
        ASSERT_TRUE(f::lauf("wait 12\n", 14));
        Test_Live_Ansicht(true);
        ASSERT_TRUE(bis_live());
        for (int tag = 0; tag < 6 && ansichten() < mitspieler; ++tag) {
            // This matchday at full speed, then the next live one.
            ASSERT_TRUE(f::icon(ICON_LEISTE_SCHNELL, 2));
            for (int n = 0; n < 20000 && Spielansicht_Laufzustand() == 1; ++n) {
                ASSERT_TRUE(f::weiter());
            }
            ASSERT_TRUE(bis_live());
        }
        ASSERT_TRUE(f::lauf("wait 200\n", 2));
        aufnahme("live_" + std::to_string(ansichten()) + "_ansichten");
        if (mitspieler == 2) {
            // A new game for the next count.
            TearDown();
            SetUp();
        }
    }
    EXPECT_TRUE(gesehen.count("live_2_ansichten"));
    EXPECT_TRUE(gesehen.count("live_4_ansichten"));
}

}  // namespace
