// The in-match line-up and tactics windows over a real engine match of the
// human manager's club: opening by the control bar's entries with the held
// match, the substitution queue and its refusals, the deduction, dragging a
// figure and the windows, the tactics buttons with their throttle, and a
// substitution made through the window on a network client's copy that the
// server plays in the same minute.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "base/globals.h"
#include "base/random.h"
#include "gui/hauptmenue.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/menue.h"
#include "grafik_nummern.h"
#include "kit.h"
#include "legende.h"
#include "match/match_test.h"
#include "match/partie.h"
#include "screens/match/im_spiel.h"
#include "screens/match/taktik_im_spiel.h"
#include "screens/screens.h"
#include "world/attribut.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

constexpr u32 SPIEL = 9400;

class ImSpiel : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Partie_Spiele_Leeren();
        alte_hooks = Spielfeld_Get_Hooks();
        Spielfeld_Set_Hooks(Partie_Hooks());
        team = static_cast<u32>(Team_Aktiv);
        for (u32 t : Liga_Vereine(groesste_erste_liga()))
            if (t != team) gegner = t;
        ASSERT_NE(gegner, team);
        Partie_Spiel_Anmelden(SPIEL, team, gegner, 7);
        ASSERT_TRUE(Spielfeld_Neu(SPIEL, 1, 1, 21000, team, 1));
        sf = Spielfeld_Zeiger(SPIEL);
        ASSERT_NE(sf, nullptr);
        Spielfeld_Set_Zufall(sf, 1234);
        while (sf->minute < 20 && Partie_Schritt(sf, 45)) {
        }
        ASSERT_TRUE(Spielfeld_Anzeige_Hinzufuegen(sf, 1));
        // Under a running match the control bar replaces the menu; no
        // screen holds the right button.
        Menue_Kontrollleiste_Zeigen();
        Menue_Set_Rechtsklick_Icon(-1);
        kit::Frames(1);
    }
    void TearDown() override {
        if (E_Im_Spiel_Screen_Ist_Offen()) E_Im_Spiel_Screen_Schliessen();
        if (Taktik_Im_Spiel_Screen_Ist_Offen()) Taktik_Im_Spiel_Screen_Schliessen();
        Spielfeld_Anzeigeliste_Leeren();
        Spielfeld_Loeschen(0);
        Spielfeld_Loeschen(7);
        Spielfeld_Set_Hooks(alte_hooks);
        kit::Beenden();
    }
    void oeffnen() {
        ASSERT_TRUE(Screen_Launch(MENUE_LAUNCH_LEISTE, 5));
        kit::Frames(2);
        ASSERT_TRUE(E_Im_Spiel_Screen_Ist_Offen());
    }
    Screen_Icon* zeile(int k) { return Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_ZEILE + k); }
    void klick_zeile(int k, u32 taste = MAUS_LINKS) {
        Screen_Icon* z = zeile(k);
        ASSERT_NE(z, nullptr);
        kit::Klick(z->x + 100, z->y + 8, taste);
    }
    int slot_von(i32 p) {
        for (int i = 0; i < SF_SPIELER; ++i)
            if (sf->spieler[i].spieler == p) return i;
        return -1;
    }
    int slot_der_zeile(int k) {
        const Im_Spiel_Stand st = E_Im_Spiel_Screen_Stand();
        return slot_von(k < IM_SPIEL_FELDZEILEN ? st.feld[k] : st.bank[k - IM_SPIEL_FELDZEILEN]);
    }
    // The first bench row whose player can come on, -1.
    int einsetzbare_bankzeile() {
        for (int k = IM_SPIEL_FELDZEILEN; k < IM_SPIEL_ZEILEN; ++k) {
            const int s = slot_der_zeile(k);
            if (s >= 0 && (sf->spieler[s].status & (SFS_BANK | SFS_VERLETZT | SFS_AUSGEWECHSELT)) == SFS_BANK) return k;
        }
        return -1;
    }
    bool listen_leer(int seite = 0) {
        for (int i = 0; i < SF_WECHSEL_LISTE; ++i)
            if (sf->seite[seite].rein[i] != 255 || sf->seite[seite].raus[i] != 255) return false;
        return true;
    }

    Spielfeld_Hooks alte_hooks;
    Spielfeld_Daten* sf = nullptr;
    u32 team = 0, gegner = 0;
};

TEST_F(ImSpiel, TheControlBarsLineUpEntryOpensBothWindowsWithTheMatchHeldAndASecondOneClosesThem) {
    oeffnen();
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_IM_SPIEL_LISTE));
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_IM_SPIEL_FELD));
    EXPECT_TRUE(Menue_Get_Spiel_Pause());
    EXPECT_EQ(Spielfeld_Get_Pause(), 1);
    EXPECT_NE(Menue_Icon_Zustand(ICON_LEISTE_AUFSTELLUNG), 0u);
    EXPECT_EQ(E_Im_Spiel_Screen_Team(-1), static_cast<i32>(team));
    // Eleven on the pitch and the bench in their rows; the headers drawn.
    const Im_Spiel_Stand st = E_Im_Spiel_Screen_Stand();
    for (int k = 0; k < IM_SPIEL_FELDZEILEN; ++k) EXPECT_GE(st.feld[k], 0) << k;
    EXPECT_GE(st.bank[0], 0);
    EXPECT_TRUE(kit::Text("Auf dem Platz"));
    EXPECT_TRUE(kit::Text("Auf der Bank"));
    kit::Png("im_spiel_aufstellung");
    ASSERT_TRUE(Screen_Launch(MENUE_LAUNCH_LEISTE, 5));
    EXPECT_FALSE(E_Im_Spiel_Screen_Ist_Offen());
    EXPECT_FALSE(Menue_Get_Spiel_Pause());
    EXPECT_EQ(Spielfeld_Get_Pause(), 0);
}

TEST_F(ImSpiel, AFieldPlayerAndASubstituteQueueAChangeAndAClickOnTheQueuedPlayerTakesItBack) {
    oeffnen();
    const int bank = einsetzbare_bankzeile();
    ASSERT_GE(bank, 0);
    const int raus = slot_der_zeile(3), rein = slot_der_zeile(bank);
    klick_zeile(3);
    EXPECT_NE(Menue_Icon_Zustand(ICON_IM_SPIEL_ZEILE + 3), 0u);
    klick_zeile(bank);
    EXPECT_EQ(sf->seite[0].rein[0], rein);
    EXPECT_EQ(sf->seite[0].raus[0], raus);
    EXPECT_NE(sf->seite[0].netz_aenderung & SFA_WECHSEL, 0);
    // The player going off keeps his row until the change is made; a click
    // on him takes the change back.
    int k = -1;
    for (int i = 0; i < IM_SPIEL_FELDZEILEN; ++i)
        if (slot_der_zeile(i) == raus) k = i;
    ASSERT_GE(k, 0);
    kit::Frames(1);
    kit::Png("im_spiel_wechsel");
    klick_zeile(k);
    EXPECT_TRUE(listen_leer());
    for (int i = 0; i < IM_SPIEL_ZEILEN; ++i) EXPECT_EQ(Menue_Icon_Zustand(ICON_IM_SPIEL_ZEILE + i), 0u) << i;
}

// Refusals: the message shown and nothing queued.
TEST_F(ImSpiel, RefusedClicksShowTheirMessageAndChangeNothing) {
    struct Fall {
        const char* name;
        void (*vorbereiten)(Spielfeld_Daten* sf, int bank_slot);
        int meldung;
        const char* text;
    };
    const Fall faelle[] = {
        {"three made", [](Spielfeld_Daten* sf, int) { sf->seite[0].wechsel_gemacht = 3; }, IM_SPIEL_KEINE_WECHSEL,
         "keine Wechsel mehr"},
        {"none allowed", [](Spielfeld_Daten* sf, int) { sf->seite[0].wechsel_erlaubt = 0; }, IM_SPIEL_KEINE_WECHSEL,
         "keine Wechsel mehr"},
        {"a fourth change", [](Spielfeld_Daten* sf, int) {
             sf->seite[0].wechsel_gemacht = 2;
             sf->seite[0].rein[0] = 16, sf->seite[0].raus[0] = 10;
         }, IM_SPIEL_ZU_VIELE, "zu viele Wechsel"},
        {"injured substitute", [](Spielfeld_Daten* sf, int b) { sf->spieler[b].status |= SFS_VERLETZT; },
         IM_SPIEL_NICHT_MOEGLICH, "nicht eingewechselt"},
        {"already substituted", [](Spielfeld_Daten* sf, int b) {
             sf->spieler[b].status = SFS_AUSGEWECHSELT;
         }, IM_SPIEL_NICHT_MOEGLICH, "nicht eingewechselt"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Spielfeld_Daten vorher;
        std::memcpy(static_cast<void*>(&vorher), sf, sizeof vorher);
        oeffnen();
        const int bank = einsetzbare_bankzeile();
        ASSERT_GE(bank, 0);
        const int b = slot_der_zeile(bank);
        f.vorbereiten(sf, b);
        kit::Frames(1);
        Spielfeld_Seite seite_davor = sf->seite[0];
        // The player to use, by his slot (the rows are rebuilt every frame).
        int k = -1;
        for (int i = 0; i < IM_SPIEL_ZEILEN; ++i)
            if (slot_der_zeile(i) == b) k = i;
        klick_zeile(k >= 0 ? k : 2);
        EXPECT_EQ(E_Im_Spiel_Screen_Stand().meldung, f.meldung);
        EXPECT_EQ(0, std::memcmp(seite_davor.rein, sf->seite[0].rein, sizeof seite_davor.rein));
        EXPECT_EQ(0, std::memcmp(seite_davor.raus, sf->seite[0].raus, sizeof seite_davor.raus));
        kit::Frames(1);
        EXPECT_TRUE(kit::Text(f.text));
        // The message pulses for 102 steps of 20 ms, then it is gone.
        kit::Frames(110, 20);
        EXPECT_EQ(E_Im_Spiel_Screen_Stand().meldung, 0);
        E_Im_Spiel_Screen_Schliessen();
        std::memcpy(static_cast<void*>(sf), &vorher, sizeof vorher);
    }
}

TEST_F(ImSpiel, ASentOffPlayerHasNoRowAndAnEmptyBenchOffersNothing) {
    sf->spieler[4].status |= SFS_ROT;
    for (int i = 11; i < SF_PRO_SEITE; ++i) sf->spieler[i].spieler = -1;
    oeffnen();
    const Im_Spiel_Stand st = E_Im_Spiel_Screen_Stand();
    for (i32 p : st.feld) EXPECT_NE(p, sf->spieler[4].spieler);
    for (i32 p : st.bank) EXPECT_EQ(p, -1);
    EXPECT_EQ(st.feld[IM_SPIEL_FELDZEILEN - 1], -1);  // ten left on the pitch
    klick_zeile(3);
    klick_zeile(12);
    klick_zeile(IM_SPIEL_FELDZEILEN - 1);  // the empty place
    EXPECT_TRUE(listen_leer());
    EXPECT_EQ(E_Im_Spiel_Screen_Stand().meldung, 0);
}

TEST(ImSpielAbbildung, PointsMapToTheUprightPitchAndBackWithinOnePixel) {
    // The own goal at the bottom, the far goal at the top.
    EXPECT_EQ(E_Im_Spiel_Screen_Abbilden(1000, 3403).y, IM_SPIEL_PLATZ_H);
    EXPECT_EQ(E_Im_Spiel_Screen_Abbilden(9800, 3403).y, 0);
    for (i32 tx = 1000; tx <= 9800; tx += 733)
        for (i32 ty = 400; ty <= 6406; ty += 611) {
            const Im_Spiel_Punkt p = E_Im_Spiel_Screen_Abbilden(tx, ty);
            EXPECT_GE(p.x, 0);
            EXPECT_LE(p.x, IM_SPIEL_PLATZ_B);
            const Im_Spiel_Punkt t = E_Im_Spiel_Screen_Zurueck(p.x, p.y);
            const Im_Spiel_Punkt q = E_Im_Spiel_Screen_Abbilden(t.x, t.y);
            EXPECT_NEAR(q.x, p.x, 1) << tx << "," << ty;
            EXPECT_NEAR(q.y, p.y, 1) << tx << "," << ty;
        }
}

TEST(ImSpielAbbildung, RowsRunFromTheOwnGoal) {
    const std::tuple<i32, i32> faelle[] = {{1000, 0}, {1300, 0}, {2300, 1}, {5400, 5}, {8000, 9}, {8800, 10}, {9800, 10}};
    for (auto [x, reihe] : faelle) EXPECT_EQ(E_Im_Spiel_Screen_Reihe(x, 3403), reihe) << x;
}

TEST_F(ImSpiel, TheDeductionOfAPlayerAtAPoint) {
    // A keeper, a defender (class 1) and their strength from the world.
    i32 torwart = -1, verteidiger = -1;
    for (int i = 0; i < SF_PRO_SEITE; ++i) {
        const i32 p = sf->spieler[i].spieler;
        if (p < 0) continue;
        const i32 k = Spieler_Wert(67, p, 0, OP_LESEN);
        if (k == 0 && torwart < 0) torwart = p;
        if (k == 1 && verteidiger < 0) verteidiger = p;
    }
    ASSERT_GE(torwart, 0);
    ASSERT_GE(verteidiger, 0);
    const i32 s = Spieler_Wert(92, torwart, 0, OP_LESEN);
    const struct {
        i32 spieler, x, erwartet;
    } faelle[] = {
        {torwart, 1000, 0},            // in goal
        {torwart, 5400, s * 80 / 100},  // row 5
        {verteidiger, 2300, 0},        // row 1: his own line
        {verteidiger, 5400, 2},        // midfield
        {verteidiger, 8000, 4},        // row 9: attack
        {-5, 5400, 0},                 // no player
        {Spieler_Anzahl + 3, 5400, 0},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(E_Im_Spiel_Screen_Positionsabzug(sf, static_cast<i32>(team), f.spieler, f.x, 3403), f.erwartet)
            << f.spieler << " at " << f.x;
        // The engine asks the same rule for a player of its pitch.
        if (const int slot = slot_von(f.spieler); slot >= 0) {
            EXPECT_EQ(Spielfeld_Positionsabzug(sf, 0, slot, f.x, 3403), f.erwartet) << f.spieler << " at " << f.x;
        }
    }
}

TEST_F(ImSpiel, DraggingAFigureMovesThePlayersTacticalPointAndTheWindowsKeepTheirPlaces) {
    oeffnen();
    // A field player's figure (not the keeper's).
    int k = -1;
    for (int i = 0; i < IM_SPIEL_FELDZEILEN && k < 0; ++i)
        if (Spieler_Wert(67, E_Im_Spiel_Screen_Stand().feld[i], 0, OP_LESEN) != 0) k = i;
    ASSERT_GE(k, 0);
    const int slot = slot_der_zeile(k);
    Screen_Icon* f = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_FIGUR + k);
    ASSERT_NE(f, nullptr);
    const i32 x0 = f->x + 12, y0 = f->y + 11;
    sf->seite[0].netz_aenderung = 0;
    kit::Ziehen(x0, y0, x0, y0 + 40, 4);
    const Screen_Icon* fe = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_FELD);
    const Im_Spiel_Punkt erwartet = E_Im_Spiel_Screen_Zurueck(x0 - fe->x - IM_SPIEL_PLATZ_X, y0 + 40 - fe->y - IM_SPIEL_PLATZ_Y);
    i32 ty = 0;
    EXPECT_NEAR(Spielfeld_Get_Taktikposition(sf, slot, &ty), erwartet.x, 40);
    EXPECT_NEAR(ty, erwartet.y, 50);
    EXPECT_NE(sf->seite[0].netz_aenderung & SFA_POSITIONEN, 0);
    // The list window dragged by its head is remembered for the manager.
    Screen_Icon* l = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE);
    kit::Ziehen(l->x + 200, l->y + 30, l->x + 150, l->y + 60, 4);
    const i32 lx = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE)->x, ly = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE)->y;
    EXPECT_EQ(lx, IM_SPIEL_LISTE_X - 50);
    EXPECT_EQ(ly, IM_SPIEL_LISTE_Y + 30);
    EXPECT_EQ(zeile(0)->x, lx + 2);
    E_Im_Spiel_Screen_Schliessen();
    oeffnen();
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE)->x, lx);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE)->y, ly);
    // Dragged far off, it is held to its limits.
    l = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE);
    kit::Ziehen(l->x + 200, l->y + 30, 790, 590, 6);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE)->y, 565 - IM_SPIEL_LISTE_H);
}

// Every figure stands wholly on the window's pitch, the keeper on his goal
// line too (his shirt not cut by the window's foot).
TEST_F(ImSpiel, EveryFigureStandsWhollyOnThePitch) {
    oeffnen();
    const Screen_Icon* fe = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_FELD);
    ASSERT_NE(fe, nullptr);
    const i32 x0 = fe->x + IM_SPIEL_PLATZ_X, y0 = fe->y + IM_SPIEL_PLATZ_Y;
    int torwart = 0;
    for (int k = 0; k < IM_SPIEL_FELDZEILEN; ++k) {
        const Screen_Icon* f = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_FIGUR + k);
        ASSERT_NE(f, nullptr);
        if (f->status & MENUE_S_VERSTECKT) continue;
        if (Spieler_Wert(67, E_Im_Spiel_Screen_Stand().feld[k], 0, OP_LESEN) == 0) ++torwart;
        EXPECT_GE(f->x, x0) << k;
        EXPECT_GE(f->y, y0) << k;
        EXPECT_LE(f->x + IM_SPIEL_FIGUR_B, x0 + IM_SPIEL_PLATZ_B) << k;
        EXPECT_LE(f->y + IM_SPIEL_FIGUR_H, y0 + IM_SPIEL_PLATZ_H) << k;
    }
    EXPECT_EQ(torwart, 1);
}

TEST_F(ImSpiel, BothWindowsAreHeldToTheirLeftAndRightLimits) {
    // Each case: a window opened at a remembered place, then dragged by a
    // point of it to a mouse x (or not at all); where its left edge ends.
    constexpr i32 KEIN = -1;
    const struct {
        i32 icon, start_x, griff_dx, maus_x, erwartet_x;
    } faelle[] = {
        {ICON_IM_SPIEL_LISTE, IM_SPIEL_LISTE_X, 5, 795, 758},    // right: the pitch window's edge
        {ICON_IM_SPIEL_LISTE, IM_SPIEL_LISTE_X, 410, 5, -345},   // left
        {ICON_IM_SPIEL_LISTE, IM_SPIEL_LISTE_X, 5, 700, 695},    // inside: where it was dropped
        {ICON_IM_SPIEL_FELD, IM_SPIEL_FELD_X, 5, 795, 758},      // right
        {ICON_IM_SPIEL_FELD, IM_SPIEL_FELD_X, 170, 5, -142},     // left
        {ICON_IM_SPIEL_LISTE, 1145, KEIN, 0, 758},               // a remembered place past the edge
        {ICON_IM_SPIEL_FELD, -400, KEIN, 0, -142},
    };
    for (const auto& f : faelle) {
        Manager_Icon_Button_An_Aus(Team_Aktiv, f.icon, static_cast<u32>(f.start_x));
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, f.icon, 150);
        oeffnen();
        const Screen_Icon* w = Menue_Screen_Icon_Aus_Nummer(static_cast<i16>(f.icon));
        ASSERT_NE(w, nullptr);
        if (f.griff_dx != KEIN) {
            ASSERT_EQ(w->x, f.start_x) << f.icon;
            kit::Ziehen(w->x + f.griff_dx, w->y + 10, f.maus_x, w->y + 10, 6);
        }
        w = Menue_Screen_Icon_Aus_Nummer(static_cast<i16>(f.icon));
        EXPECT_EQ(w->x, f.erwartet_x) << f.icon << " from " << f.start_x << " to mouse " << f.maus_x;
        EXPECT_EQ(w->y, 150) << f.icon;
        E_Im_Spiel_Screen_Schliessen();
        kit::Frames(1);
    }
}

TEST_F(ImSpiel, AnInjuredPlayersFigureFadesAndCannotBeDragged) {
    oeffnen();
    int k = -1;
    for (int i = 0; i < IM_SPIEL_FELDZEILEN && k < 0; ++i)
        if (Spieler_Wert(67, E_Im_Spiel_Screen_Stand().feld[i], 0, OP_LESEN) != 0) k = i;
    ASSERT_GE(k, 0);
    const int slot = slot_der_zeile(k);
    sf->spieler[slot].status |= SFS_VERLETZT;
    kit::Frames(2);
    Screen_Icon* f = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_FIGUR + k);
    EXPECT_EQ(static_cast<i32>(f->user[0]), -1);
    const i16 tx = sf->spieler[slot].taktik_x, ty = sf->spieler[slot].taktik_y;
    kit::Ziehen(f->x + 12, f->y + 11, f->x + 12, f->y + 51, 4);
    EXPECT_EQ(sf->spieler[slot].taktik_x, tx);
    EXPECT_EQ(sf->spieler[slot].taktik_y, ty);
}

TEST_F(ImSpiel, ARightClickOnAWindowClosesTheScreenAndLetsTheMatchGo) {
    oeffnen();
    const Screen_Icon* l = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE);
    kit::Klick(l->x + 200, l->y + 10, MAUS_RECHTS);
    EXPECT_FALSE(E_Im_Spiel_Screen_Ist_Offen());
    EXPECT_FALSE(Menue_Get_Spiel_Pause());
}

TEST_F(ImSpiel, TheSwitchFlipsTheSidesSwitch) {
    oeffnen();
    const Screen_Icon* s = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_SCHALTER);
    ASSERT_NE(s, nullptr);
    const u8 vorher = sf->seite[0].schalter;
    kit::Klick(s->x + 8, s->y + 8);
    EXPECT_EQ(sf->seite[0].schalter, vorher ? 0 : 1);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_IM_SPIEL_SCHALTER) != 0, sf->seite[0].schalter != 0);
}

// --- Tactics ----------------------------------------------------------------------------------

class TaktikImSpiel : public ImSpiel {
  protected:
    void oeffnen_taktik() {
        ASSERT_TRUE(Screen_Launch(MENUE_LAUNCH_LEISTE, 6));
        kit::Frames(2);
        ASSERT_TRUE(Taktik_Im_Spiel_Screen_Ist_Offen());
    }
    void knopf(i32 nummer) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        ASSERT_NE(i, nullptr);
        kit::Warten(60);
        kit::Klick(i->x + 8, i->y + 8);
    }
    i8 wert(int index) { return sf->seite[0].taktik[index]; }
};

TEST_F(TaktikImSpiel, ButtonsStepTheValuesInFivesWithinTheirRangeAndTheirDerivedBytes) {
    sf->seite[0].taktik[TW_WERT2] = sf->seite[0].netz_taktik[TW_WERT2] = 100;
    sf->seite[0].taktik[TW_WERT3] = sf->seite[0].netz_taktik[TW_WERT3] = 5;
    oeffnen_taktik();
    kit::Png("im_spiel_taktik");
    {
        // Each value stands clear of its bar, its buttons and its label, inside the window.
        kit::Spur_Leeren();
        kit::Frames(1);
        const Screen_Icon* fenster = Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_IM_SPIEL_FENSTER);
        ASSERT_TRUE(fenster);
        std::vector<std::pair<i32, i32>> belegt;  // x ranges of the bars and buttons on the value rows
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art == SPUR_BLIT && e.ziel == Screen_Rastport && e.y > fenster->y + 30 && e.breite < 60 &&
                e.y < fenster->y + TAKTIK_IM_SPIEL_H && e.x >= fenster->x && e.x + e.breite <= fenster->x + TAKTIK_IM_SPIEL_B)
                belegt.push_back({e.x, e.x + e.breite});
        ASSERT_FALSE(belegt.empty());
        i32 werte = 0;
        for (i32 k = 0; k < TAKTIK_IM_SPIEL_WERTE; ++k) {
            const std::string v = std::to_string(Taktik_Im_Spiel_Screen_Wert(k));
            for (const Zeichenspur_Eintrag* e : kit::Texte(v.c_str())) {
                std::string sichtbar = e->sichtbar;
                std::erase(sichtbar, '\t');  // the tab stop
                if (sichtbar != v || e->y <= fenster->y || e->y > fenster->y + TAKTIK_IM_SPIEL_H) continue;
                Font* f = Font_Tabelle_Holen(e->font);
                ASSERT_TRUE(f);
                // A value right-aligned at its tab stop: its glyphs end there.
                const size_t tab = e->text.find("^tr");
                ASSERT_NE(tab, std::string::npos) << e->text;
                const i32 ende = e->x + std::stoi(e->text.substr(tab + 3, 4));
                const i32 anfang = ende - Font_Text_Breite(f, sichtbar.c_str());
                EXPECT_LE(ende, fenster->x + TAKTIK_IM_SPIEL_B) << v;
                for (const auto& [l, r] : belegt) EXPECT_TRUE(anfang >= r || ende <= l) << v << " over " << l << ".." << r;
                ++werte;
            }
        }
        EXPECT_GE(werte, TAKTIK_IM_SPIEL_WERTE);
    }
    knopf(ICON_TAKTIK_IM_SPIEL_MINUS + 3);  // value 2 plus
    EXPECT_EQ(wert(TW_WERT2), 100);
    EXPECT_EQ(wert(TW_WERT2_ABG), 75);
    knopf(ICON_TAKTIK_IM_SPIEL_MINUS + 4);  // value 3 minus: 0
    EXPECT_EQ(wert(TW_WERT3), 0);
    EXPECT_EQ(wert(TW_WERT3_NULL), 1);
    knopf(ICON_TAKTIK_IM_SPIEL_MINUS + 4);  // held at 0
    EXPECT_EQ(wert(TW_WERT3), 0);
    knopf(ICON_TAKTIK_IM_SPIEL_MINUS + 5);  // plus clears the flag
    EXPECT_EQ(wert(TW_WERT3), 5);
    EXPECT_EQ(wert(TW_WERT3_NULL), 0);
    EXPECT_EQ(wert(TW_WERT3_ABG), 27);
    const i8 s2 = wert(TW_SCHALTER2);
    knopf(ICON_TAKTIK_IM_SPIEL_SCHALTER2);
    EXPECT_EQ(wert(TW_SCHALTER2), s2 ? 0 : 100);
    const i8 s1 = wert(TW_SCHALTER1);
    knopf(ICON_TAKTIK_IM_SPIEL_SCHALTER1);
    EXPECT_EQ(wert(TW_SCHALTER1), s1 ? 0 : 1);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_TAKTIK_IM_SPIEL_SCHALTER1) != 0, wert(TW_SCHALTER1) != 0);
}

TEST_F(TaktikImSpiel, TwoClicksWithinFiftyMillisecondsChangeAValueOnce) {
    sf->seite[0].taktik[TW_WERT1] = sf->seite[0].netz_taktik[TW_WERT1] = 50;
    oeffnen_taktik();
    const Screen_Icon* plus = Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_IM_SPIEL_MINUS + 1);
    kit::Warten(100);
    Screen_Icon* p = const_cast<Screen_Icon*>(plus);
    Taktik_Im_Spiel_Screen_Knopf_Klick(p, MENUE_E_LINKS);
    kit::Warten(30);
    Taktik_Im_Spiel_Screen_Knopf_Klick(p, MENUE_E_LINKS);
    EXPECT_EQ(wert(TW_WERT1), 55);
    kit::Warten(30);
    Taktik_Im_Spiel_Screen_Knopf_Klick(p, MENUE_E_LINKS);
    EXPECT_EQ(wert(TW_WERT1), 60);
}

TEST_F(TaktikImSpiel, TheWindowComesBackWhereItWasLeftAndAPlaceWithAZeroCoordinateCountsAsNone) {
    const struct {
        u32 x, y;
        i32 erwartet_x, erwartet_y;
    } faelle[] = {
        {300, 200, 300, 200},
        {0, 200, TAKTIK_IM_SPIEL_X, TAKTIK_IM_SPIEL_Y},
        {300, 0, TAKTIK_IM_SPIEL_X, TAKTIK_IM_SPIEL_Y},
        {static_cast<u32>(-500), 200, -206, 200},
    };
    for (const auto& f : faelle) {
        Manager_Icon_Button_An_Aus(Team_Aktiv, ICON_TAKTIK_IM_SPIEL_FENSTER, f.x);
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_TAKTIK_IM_SPIEL_FENSTER, f.y);
        oeffnen_taktik();
        const Screen_Icon* w = Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_IM_SPIEL_FENSTER);
        EXPECT_EQ(w->x, f.erwartet_x);
        EXPECT_EQ(w->y, f.erwartet_y);
        EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_IM_SPIEL_MINUS)->x, f.erwartet_x + 38);
        Taktik_Im_Spiel_Screen_Schliessen();
    }
    // A right click on the window closes it.
    Manager_Icon_Button_An_Aus(Team_Aktiv, ICON_TAKTIK_IM_SPIEL_FENSTER, 0);
    oeffnen_taktik();
    const Screen_Icon* w = Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_IM_SPIEL_FENSTER);
    kit::Klick(w->x + 150, w->y + 100, MAUS_RECHTS);
    EXPECT_FALSE(Taktik_Im_Spiel_Screen_Ist_Offen());
}

// --- A network client's copy ----------------------------------------------------------------

TEST_F(ImSpiel, OnANetworkClientTheChangesTravelAsCommandsAndTheServerPlaysThemInTheSameMinute) {
    // The server's record stays in the table; this machine shows a client's
    // copy of it (its own side: home).
    Spielfeld_Set_Netz(sf, 1, 1);
    auto client = std::make_unique<Spielfeld_Daten>();
    std::memcpy(static_cast<void*>(client.get()), sf, sizeof(Spielfeld_Daten));
    Spielfeld_Set_Netz(client.get(), 2, 0);
    Spielfeld_Anzeigeliste_Leeren();
    ASSERT_TRUE(Spielfeld_Anzeige_Hinzufuegen(client.get(), 1));
    Spielfeld_Daten* server = sf;
    sf = client.get();
    oeffnen();
    EXPECT_FALSE(Menue_Get_Spiel_Pause());  // a networked match cannot wait
    const int bank = einsetzbare_bankzeile();
    ASSERT_GE(bank, 0);
    const int raus = slot_der_zeile(2), rein = slot_der_zeile(bank);
    klick_zeile(2);
    klick_zeile(bank);
    // Not in the lists yet: a command of the client's side, shown as queued.
    EXPECT_TRUE(listen_leer());
    int befehle = 0;
    for (const Spielfeld_Kommando& k : client->kommando)
        if (k.belegt == 1 && (k.aenderung & SFA_WECHSEL) && k.rein[0] == rein && k.raus[0] == raus) ++befehle;
    EXPECT_EQ(befehle, 1);
    // A second click on the substitute does not queue him twice.
    int k2 = -1;
    for (int i = IM_SPIEL_FELDZEILEN; i < IM_SPIEL_ZEILEN; ++i)
        if (slot_der_zeile(i) == rein) k2 = i;
    if (k2 >= 0) klick_zeile(k2);
    E_Im_Spiel_Screen_Schliessen();
    // Tactics through the window go the same way.
    ASSERT_TRUE(Screen_Launch(MENUE_LAUNCH_LEISTE, 6));
    kit::Frames(2);
    const i8 w1 = client->seite[0].taktik[TW_WERT1];
    kit::Warten(60);
    Taktik_Im_Spiel_Screen_Knopf_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_IM_SPIEL_MINUS + (w1 >= 100 ? 0 : 1)),
                                       MENUE_E_LINKS);
    EXPECT_EQ(client->seite[0].taktik[TW_WERT1], w1);  // not yet in play
    const i8 neu = client->seite[0].netz_taktik[TW_WERT1];
    EXPECT_NE(neu, w1);
    Taktik_Im_Spiel_Screen_Schliessen();
    // Both machines play on in lockstep: the client's signal carries the
    // commands; both carry them out four minutes later.
    Spielfeld_Sync_Signal signal;
    Spielfeld_Signal_Fuellen(client.get(), team, &signal);
    std::vector<u8> b(sizeof signal);
    std::memcpy(b.data(), &signal, sizeof signal);
    ASSERT_EQ(Spielfeld_Signal_Verarbeiten(server, b.data(), static_cast<u32>(b.size()), team, false), SFN_OK);
    const int ziel = client->minute + SF_KOMMANDO_VERZUG + 1;
    auto spielen = [](Spielfeld_Daten* p, int bis, bool (*fertig)(const Spielfeld_Daten*)) {
        for (int n = 0; n < 200000 && p->minute < bis && !fertig(p); ++n) {
            p->grenze_eigen = p->grenze_andere = SF_GRENZE_OFFEN;
            if (!Partie_Schritt(p, 45)) break;
        }
    };
    for (auto* p : {server, client.get()}) spielen(p, ziel, [](const Spielfeld_Daten*) { return false; });
    EXPECT_EQ(server->seite[0].taktik[TW_WERT1], neu);
    EXPECT_EQ(client->seite[0].taktik[TW_WERT1], neu);
    // The change is made at the next dead ball on both, the same way.
    for (auto* p : {server, client.get()})
        spielen(p, 45, [](const Spielfeld_Daten* q) { return q->seite[0].wechsel_gemacht > 0; });
    EXPECT_EQ(server->seite[0].wechsel_gemacht, 1);
    EXPECT_EQ(client->seite[0].wechsel_gemacht, 1);
    EXPECT_NE(server->spieler[rein].status & SFS_EINGEWECHSELT, 0u);
    EXPECT_EQ(server->spieler[rein].minute_ein, client->spieler[rein].minute_ein);
    EXPECT_EQ(server->spieler[raus].minute_aus, client->spieler[raus].minute_aus);
    sf = server;
}

}  // namespace

namespace {

// The rows' attribute badges are named in the list window: beside "Auf dem
// Platz" and on the window's foot line.
TEST_F(ImSpiel, TheRowsBadgesAreNamedInTheWindow) {
    oeffnen();
    kit::Spur_Leeren();
    kit::Frames(1);
    const Screen_Icon* l = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE);
    ASSERT_NE(l, nullptr);
    const i32 x = l->x, y = l->y, r = x + IM_SPIEL_LISTE_B;
    Legende_Erklaert(GRAFIK_ATTRIBUT, {x, y + 44, r, y + 358},
                     {{x + 100, y + 22, r, y + 44}, {x, y + IM_SPIEL_LISTE_H - 26, r, y + IM_SPIEL_LISTE_H}}, 6);
}

// Every row badge of the list window names its attribute when the mouse
// rests on it.
TEST_F(ImSpiel, TheRowsBadgesNameTheirAttributeUnderTheMouse) {
    oeffnen();
    kit::Spur_Leeren();
    kit::Frames(1);
    const Screen_Icon* l = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE);
    ASSERT_NE(l, nullptr);
    EXPECT_GE(Marken_Hilfe_Pruefen(GRAFIK_ATTRIBUT, {l->x, l->y + 44, l->x + IM_SPIEL_LISTE_B, l->y + 358},
                                   GRAFIK_ATTRIBUT_GEWAEHLT),
              6u);
}

// Sides whose rows show few and many kinds of badges, the window at its
// usual place and at the screen's foot: every badge a row shows is named,
// in the window's bands or on the strip under the window (over it at the
// foot), which stays on the screen clear of the window; nothing there runs
// into another piece or a row. The kinds are dealt three to a field
// player's row in turn (a keeper's row shows none).
TEST_F(ImSpiel, EveryBadgeOfTheRowsIsNamed) {
    std::vector<i32> feld;  // the outfield attributes with a name
    for (i32 a = 46; a >= 0; --a)
        if (Attribut_Tabelle[a].name[0]) feld.push_back(a);
    struct Fall {
        const char* was;
        size_t arten;  // 0: the side as the new game made it
        i32 fenster_y;
        bool leiste;   // a strip is needed
    } faelle[] = {
        {"the new game's side", 0, IM_SPIEL_LISTE_Y, true},
        {"three kinds", 3, IM_SPIEL_LISTE_Y, false},
        {"seventeen kinds", 17, IM_SPIEL_LISTE_Y, true},
        {"seventeen kinds, the window at the foot", 17, 565 - IM_SPIEL_LISTE_H, true},
        {"twenty-two kinds, the window in the middle", 22, 107, true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        Manager_Icon_Button_An_Aus(Team_Aktiv, ICON_IM_SPIEL_LISTE, static_cast<u32>(IM_SPIEL_LISTE_X));
        Manager_Icon_Word_Data_Schreiben(Team_Aktiv, ICON_IM_SPIEL_LISTE, static_cast<u32>(fall.fenster_y));
        oeffnen();
        if (fall.arten > 0) {
            const Im_Spiel_Stand st = E_Im_Spiel_Screen_Stand();
            std::vector<i32> reihen(st.feld, st.feld + IM_SPIEL_FELDZEILEN);
            reihen.insert(reihen.end(), st.bank, st.bank + IM_SPIEL_BANKZEILEN);
            size_t k = 0;
            for (i32 p : reihen) {
                if (p < 0) continue;
                for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) Spieler_Wert(a, p, 0, OP_SCHREIBEN);
                if (Spieler_Wert(67, p, 0, OP_LESEN) == 0) continue;
                for (i32 j = 0; j < 3; ++j, ++k) {
                    const i32 a = feld[k % fall.arten];
                    Spieler_Wert(a, p, Attribut_Noetig(a) + 1, OP_SCHREIBEN);
                }
            }
        }
        kit::Spur_Leeren();
        kit::Frames(1);
        const Screen_Icon* l = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LISTE);
        ASSERT_NE(l, nullptr);
        const i32 x = l->x, y = l->y, r = x + IM_SPIEL_LISTE_B;
        ASSERT_EQ(y, fall.fenster_y);
        const Kasten reihen{x, y + 44, r, y + 358};
        const std::vector<i32> gezeigt = Marken_In(GRAFIK_ATTRIBUT, reihen);
        if (fall.arten > 0) {
            EXPECT_EQ(gezeigt.size(), fall.arten);
        }
        const Im_Spiel_Kasten s = E_Im_Spiel_Screen_Legende_Leiste();
        EXPECT_EQ(s.h > 0, fall.leiste);
        if (s.h > 0) {
            EXPECT_GE(s.y, 31);
            EXPECT_LE(s.y + s.h, 565);
            EXPECT_TRUE(s.y + s.h <= y || s.y >= y + IM_SPIEL_LISTE_H) << "the strip at " << s.y << " over the window";
        }
        const Kasten kopf{x + 100, y + 22, r, y + 44}, fuss{x, y + IM_SPIEL_LISTE_H - 26, r, y + IM_SPIEL_LISTE_H},
            leiste{s.x, s.y, s.x + s.w, s.y + s.h};
        Legende_Erklaert(GRAFIK_ATTRIBUT, reihen, {kopf, fuss, leiste});
        size_t stuecke = 0;
        for (const Kasten& k : {kopf, fuss, leiste}) stuecke += Legende_Frei(GRAFIK_ATTRIBUT, k);
        EXPECT_GE(stuecke, 2 * gezeigt.size());
        if (fall.arten == 17 && fall.fenster_y == IM_SPIEL_LISTE_Y) kit::Png("im_spiel_legende");
        // The strip takes its clicks as the windows do: a left click leaves
        // everything as it is, a right click closes the windows (the live
        // view behind it gets neither).
        const Screen_Icon* fang = Menue_Screen_Icon_Aus_Nummer(ICON_IM_SPIEL_LEGENDE);
        ASSERT_NE(fang, nullptr);
        EXPECT_EQ((fang->status & MENUE_S_VERSTECKT) == 0, s.h > 0);
        if (s.h > 0) {
            EXPECT_EQ(fang->x, s.x);
            EXPECT_EQ(fang->y, s.y);
            EXPECT_EQ(fang->w, s.w);
            EXPECT_EQ(fang->h, s.h);
            kit::Klick(s.x + s.w / 2, s.y + s.h / 2);
            EXPECT_TRUE(E_Im_Spiel_Screen_Ist_Offen());
            kit::Klick(s.x + s.w / 2, s.y + s.h / 2, MAUS_RECHTS);
            EXPECT_FALSE(E_Im_Spiel_Screen_Ist_Offen());
        }
        E_Im_Spiel_Screen_Schliessen();
    }
}

}  // namespace
