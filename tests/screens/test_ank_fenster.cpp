// The floating table and results windows over a running match: opened and
// closed by the control bar's buttons, the league table up to and including
// the running matchday with the live score, the matchday's results, dragging
// held to the window's limits and remembered per manager, the right click,
// the redraw only when the engine records an event, and no window without a
// shown match.
#include <gtest/gtest.h>

#include <string>

#include "base/globals.h"
#include "gui/ank_seiten.h"
#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "kit.h"
#include "match/spielfeld.h"
#include "screens/match/ank_fenster.h"
#include "screens/screens.h"
#include "wettbewerb_spielen.h"
#include "world/manager.h"

namespace {

constexpr i32 GESPIELT = 3;  // matchdays played before the running one

class AnkFenster : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        liga = Wettbewerb_Get_Liga_Von_Team(Team_Aktiv, true);
        ASSERT_GE(liga, 0);
        for (i32 tag = 0; tag < GESPIELT; ++tag) spieltag_spielen(liga, tag);
        vorher = Ank_Tabelle_Sammeln(liga);
        ASSERT_FALSE(vorher.empty());
        // The running match: the first game of the next matchday, 2:1 so far.
        handle = Spiele_Lock(static_cast<u32>(liga), GESPIELT, 0, 0);
        ASSERT_GT(handle, 0);
        const Spiel* s = Spiele_Get_Spiel(handle, false);
        heim = s->team_a, gast = s->team_b;
        Spiele_Set_Ergebnis(handle, 2, 1, 0);
        ASSERT_TRUE(Spielfeld_Neu(static_cast<u32>(handle), 1, 1, 20000, static_cast<u32>(heim), 1));
        sf = Spielfeld_Zeiger(static_cast<u32>(handle));
        ASSERT_NE(sf, nullptr);
        ASSERT_TRUE(Spielfeld_Anzeige_Hinzufuegen(sf, 1));
        Menue_Kontrollleiste_Zeigen();
        Menue_Set_Rechtsklick_Icon(-1);
        kit::Frames(1);
    }
    void TearDown() override {
        for (i32 w : {ANK_FENSTER_TABELLE, ANK_FENSTER_ERGEBNISSE}) Spielankuendigung_Set_Icons(w);
        Spielfeld_Anzeigeliste_Leeren();
        Spielfeld_Loeschen(static_cast<u32>(liga));
        if (handle > 0) Spiele_Unlock(handle);
        kit::Beenden();
    }
    void knopf(i16 nummer, u32 taste = MAUS_LINKS) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        ASSERT_TRUE(i) << nummer;
        kit::Klick(i->x + i->w / 2, i->y + i->h / 2, taste);
        kit::Frames(1);
    }
    const Ank_Tabellenzeile* zeile_vorher(i32 team) const {
        for (const Ank_Tabellenzeile& z : vorher)
            if (z.team == team) return &z;
        return nullptr;
    }
    i32 liga = -1, handle = 0, heim = -1, gast = -1;
    Spielfeld_Daten* sf = nullptr;
    std::vector<Ank_Tabellenzeile> vorher;
};

// Row text of a table row: "place. (before.) name difference points".
std::string zahlen_am_ende(const std::string& text) { return text.substr(text.find_last_of(' ', text.rfind(' ') - 1) + 1); }

TEST_F(AnkFenster, DerTabellenknopfZeigtDieTabelleMitDemLaufendenSpielUndSchliesstSieWieder) {
    knopf(ICON_LEISTE_TABELLE);
    ASSERT_TRUE(Ank_Fenster_Offen(ANK_FENSTER_TABELLE));
    EXPECT_NE(Menue_Icon_Zustand(ICON_LEISTE_TABELLE), 0u);
    const Ank_Fenster_Stand st = Ank_Fenster_Holen(ANK_FENSTER_TABELLE);
    EXPECT_EQ(st.wettbewerb, liga);
    EXPECT_EQ(st.spieltag, GESPIELT);
    ASSERT_EQ(st.zeilen.size(), vorher.size());
    EXPECT_EQ(st.breite, 164);
    EXPECT_EQ(st.hoehe, static_cast<i32>(vorher.size()) * 8 + 2);
    // The live 2:1 counts: three points more for the home side, the away
    // side's points stay; both goal differences move by one.
    struct Fall {
        i32 team, punkte, differenz;
    } faelle[] = {{heim, 3, 1}, {gast, 0, -1}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.team);
        const Ank_Tabellenzeile* alt = zeile_vorher(f.team);
        ASSERT_TRUE(alt);
        bool gefunden = false;
        for (const Ank_Fenster_Zeile& z : st.zeilen) {
            if (z.team != f.team) continue;
            gefunden = true;
            const std::string erwartet = std::to_string(alt->tore - alt->gegentore + f.differenz) + " " +
                                         std::to_string(alt->punkte + f.punkte);
            EXPECT_EQ(zahlen_am_ende(z.text), erwartet) << z.text;
            // The previous place is the table before this matchday's games.
            std::string platz_text = "(";
            platz_text += std::to_string(alt->platz);
            platz_text += ".)";
            EXPECT_NE(z.text.find(platz_text), std::string::npos) << z.text;
        }
        EXPECT_TRUE(gefunden);
    }
    // The manager's club is drawn in the managed clubs' colour.
    for (const Ank_Fenster_Zeile& z : st.zeilen) EXPECT_EQ(z.mensch, z.team == Team_Aktiv) << z.text;
    kit::Spur_Leeren();
    kit::Frames(1);
    kit::Png("ank_fenster_tabelle");
    // A second press takes it away and the button is off.
    knopf(ICON_LEISTE_TABELLE);
    EXPECT_FALSE(Ank_Fenster_Offen(ANK_FENSTER_TABELLE));
    EXPECT_EQ(Menue_Icon_Zustand(ICON_LEISTE_TABELLE), 0u);
    EXPECT_FALSE(Menue_Requester_Offen());
}

TEST_F(AnkFenster, DerErgebnisknopfZeigtDieSpieleDesSpieltagsMitDemLiveStand) {
    kit::Spur_Leeren();
    knopf(ICON_LEISTE_ERGEBNISSE);
    ASSERT_TRUE(Ank_Fenster_Offen(ANK_FENSTER_ERGEBNISSE));
    const Ank_Fenster_Stand st = Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE);
    ASSERT_EQ(static_cast<i32>(st.zeilen.size()), Wettbewerb_Get_Anz_Spiele(liga, GESPIELT));
    EXPECT_EQ(st.breite, 186);
    // The running game with its score, the others not kicked off yet.
    const std::string& erste = st.zeilen[0].text;
    EXPECT_EQ(st.zeilen[0].team, heim);
    EXPECT_EQ(st.zeilen[0].gegner, gast);
    EXPECT_EQ(erste.substr(erste.size() - 4), " 2:1") << erste;
    for (size_t k = 1; k < st.zeilen.size(); ++k)
        EXPECT_EQ(st.zeilen[k].text.substr(st.zeilen[k].text.size() - 4), " -:-") << st.zeilen[k].text;
    // Composed once at the opening: the score in white, the clubs in their colours.
    const Zeichenspur_Eintrag* e = kit::Text("2\t:\t1");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->font, 5);
    kit::Png("ank_fenster_ergebnisse");
    // Both windows at once, each at its own place.
    knopf(ICON_LEISTE_TABELLE);
    EXPECT_TRUE(Ank_Fenster_Offen(ANK_FENSTER_TABELLE));
    EXPECT_TRUE(Ank_Fenster_Offen(ANK_FENSTER_ERGEBNISSE));
    kit::Frames(1);
    kit::Png("ank_fenster_beide");
}

// Dragging holds the window to its limits and remembers the place for the
// manager; a right click takes it away with the place kept.
TEST_F(AnkFenster, ZiehenBleibtInDenGrenzenUndWirdGemerkt) {
    knopf(ICON_LEISTE_ERGEBNISSE);
    ASSERT_TRUE(Ank_Fenster_Offen(ANK_FENSTER_ERGEBNISSE));
    const i32 h = Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE).hoehe;
    struct Fall {
        const char* name;
        i32 griff;  // where the window is taken, from its left edge
        i32 dx, dy;
        i32 x, y;  // where the window ends, -1: start + d
    } faelle[] = {
        {"inside", 10, 40, 30, -1, -1},
        // The pointer stops at the screen's edge: taken at its right end the
        // window goes out to the left as far as it may.
        {"far left and down", 180, -3000, 3000, -155, 565 - h},
        {"back inside", 170, 300, -100, -1, -1},
        {"far right and up", 10, 3000, -3000, 960 - 186, 31},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const Ank_Fenster_Stand a = Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE);
        const i32 gx = a.x + f.griff, gy = a.y + 3;
        kit::Ziehen(gx, gy, gx + f.dx, gy + f.dy, 6);
        kit::Frames(1);
        const Ank_Fenster_Stand b = Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE);
        const i32 ex = f.x < 0 && f.y < 0 ? a.x + f.dx : f.x, ey = f.x < 0 && f.y < 0 ? a.y + f.dy : f.y;
        EXPECT_EQ(b.x, ex);
        EXPECT_EQ(b.y, ey);
        EXPECT_EQ(static_cast<i32>(Menue_Icon_Zustand(ICON_ANK_FENSTER_ERGEBNISSE)), ex);
        EXPECT_EQ(static_cast<i32>(Menue_Icon_Zustand(ICON_ANK_FENSTER_ERGEBNISSE_INHALT)), ey);
        const Screen_Icon* inhalt = Menue_Screen_Icon_Aus_Nummer(ICON_ANK_FENSTER_ERGEBNISSE_INHALT);
        ASSERT_TRUE(inhalt);
        EXPECT_EQ(inhalt->x, ex);
        EXPECT_EQ(inhalt->y, ey);
    }
    // Back inside, then a right click: gone, button off, place kept.
    const Ank_Fenster_Stand a = Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE);
    kit::Ziehen(a.x + 10, a.y + 3, a.x - 190, a.y + 100, 6);
    const Ank_Fenster_Stand b = Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE);
    kit::Klick(b.x + 20, b.y + 3, MAUS_RECHTS);
    kit::Frames(1);
    EXPECT_FALSE(Ank_Fenster_Offen(ANK_FENSTER_ERGEBNISSE));
    EXPECT_EQ(Menue_Icon_Zustand(ICON_LEISTE_ERGEBNISSE), 0u);
    knopf(ICON_LEISTE_ERGEBNISSE);
    EXPECT_EQ(Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE).x, b.x);
    EXPECT_EQ(Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE).y, b.y);
}

// A place remembered too low is pulled up so that the window ends above the
// bar; a window left open comes back when the control bar is shown again.
TEST_F(AnkFenster, ZuTiefGemerktWirdHochgezogenUndOffeneFensterKommenMitDerLeisteWieder) {
    Menue_Icon_Zustand_Setzen(ICON_ANK_FENSTER_TABELLE, 100);
    Menue_Icon_Zustand_Setzen(ICON_ANK_FENSTER_TABELLE_INHALT, 560);
    knopf(ICON_LEISTE_TABELLE);
    const Ank_Fenster_Stand st = Ank_Fenster_Holen(ANK_FENSTER_TABELLE);
    EXPECT_EQ(st.x, 100);
    EXPECT_EQ(st.y, 565 - st.hoehe);
    // The screen is cleared, the bar with it (a page of the match came and
    // went): the bar brings the window back because its button is still on.
    Menue_Screen_Icons_Loeschen_Bereich(BEREICH_AUCH_BLEIBENDE, 0, 0, 799, 599);
    EXPECT_FALSE(Ank_Fenster_Offen(ANK_FENSTER_TABELLE));
    Menue_Kontrollleiste_Zeigen();
    kit::Frames(1);
    EXPECT_TRUE(Ank_Fenster_Offen(ANK_FENSTER_TABELLE));
    EXPECT_FALSE(Ank_Fenster_Offen(ANK_FENSTER_ERGEBNISSE));
}

// The window is composed once; it is composed again when the engine records
// an event (through its hook), not every frame.
TEST_F(AnkFenster, NeuAufgebautNurWennDieEngineEinEreignisMeldet) {
    knopf(ICON_LEISTE_ERGEBNISSE);
    const i32 einmal = Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE).aufbauten;
    kit::Frames(5);
    EXPECT_EQ(Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE).aufbauten, einmal);
    Spiele_Set_Ergebnis(handle, 3, 1, 0);
    kit::Frames(1);
    EXPECT_EQ(Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE).zeilen[0].text.substr(
                  Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE).zeilen[0].text.size() - 4),
              " 2:1");
    Spielfeld_Get_Hooks().ankuendigung_refresh();
    kit::Frames(1);
    const Ank_Fenster_Stand st = Ank_Fenster_Holen(ANK_FENSTER_ERGEBNISSE);
    EXPECT_EQ(st.aufbauten, einmal + 1);
    EXPECT_EQ(st.zeilen[0].text.substr(st.zeilen[0].text.size() - 4), " 3:1");
}

// Without a shown match nothing is built: the button stays off and no
// "not built yet" notice comes; when the match goes, an open window goes.
TEST_F(AnkFenster, OhneGezeigtesSpielKeinFenster) {
    knopf(ICON_LEISTE_TABELLE);
    ASSERT_TRUE(Ank_Fenster_Offen(ANK_FENSTER_TABELLE));
    Spielfeld_Anzeigeliste_Leeren();
    Spielfeld_Loeschen(static_cast<u32>(liga));
    kit::Frames(2);
    EXPECT_FALSE(Ank_Fenster_Offen(ANK_FENSTER_TABELLE));
    EXPECT_EQ(Menue_Icon_Zustand(ICON_LEISTE_TABELLE), 0u);
    for (i16 n : {ICON_LEISTE_TABELLE, ICON_LEISTE_ERGEBNISSE}) {
        SCOPED_TRACE(n);
        knopf(n);
        EXPECT_FALSE(Ank_Fenster_Offen(n == ICON_LEISTE_TABELLE ? ANK_FENSTER_TABELLE : ANK_FENSTER_ERGEBNISSE));
        EXPECT_EQ(Menue_Icon_Zustand(n), 0u);
        EXPECT_FALSE(Menue_Requester_Offen());
    }
}

}  // namespace
