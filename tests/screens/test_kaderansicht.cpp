// The squad view from the main menu: cards at their cells, the pitch point
// to cell rule, choosing a formation (the automatic bit kept), moving a
// starter by click and by drag, swapping two cards, resetting the
// formation, the viewed club read-only with its one formation pitch, and
// the greyed switch without one.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "grafik_nummern.h"
#include "kit.h"
#include "legende.h"
#include "screens/screens.h"
#include "screens/squad/kader.h"
#include "screens/squad/kaderansicht.h"
#include "screens/squad/spielerkarte.h"
#include "world/aufstellung.h"
#include "world/welt.h"

namespace {

i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
i32 slot(i32 p) { return wert(87, p); }
Screen_Icon* icon(i32 n) { return Menue_Screen_Icon_Aus_Nummer(n); }
i32 karten_spieler(i32 k) { return static_cast<i32>(icon(ICON_E2_KARTE + k)->user[0]); }
// The card showing player p, or null.
Screen_Icon* karte_von(i32 p) {
    for (i32 k = 0; k < E2_KARTEN; ++k)
        if (karten_spieler(k) == p) return icon(ICON_E2_KARTE + k);
    return nullptr;
}
i32 anderer_verein() {
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (t != Team_Aktiv && t != Team_Transfermarkt && Teamspieler_Ins_Array(t, nullptr, 40, 0) == 20) return t;
    return -1;
}
bool frei(i32 c, i32 r) {
    for (i32 k = 0; k < E2_KARTEN; ++k)
        if (wert(82, karten_spieler(k)) == c && wert(83, karten_spieler(k)) == r) return false;
    return true;
}

class Kaderansicht : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(2));
        Team_Ansicht = -1;
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 1));
        ASSERT_TRUE(Screen_Offen(Screen_Id::KADER_ANSICHT));
        kit::Frames(30);
        ASSERT_EQ(E2_Screen_Gezeigtes_Team(), Team_Aktiv);
    }
    void TearDown() override { kit::Beenden(); }
};

TEST_F(Kaderansicht, KartenAnIhrenZellen) {
    kit::Spur_Leeren();
    kit::Frames(1);
    for (i32 k = 0; k < E2_KARTEN; ++k) {
        const i32 p = karten_spieler(k);
        ASSERT_GE(p, 0);
        EXPECT_EQ(slot(p), k);
        i32 x, y;
        E2_Screen_Karten_Platz(wert(82, p), wert(83, p), true, &x, &y);
        EXPECT_EQ(icon(ICON_E2_KARTE + k)->x, x);
        EXPECT_EQ(icon(ICON_E2_KARTE + k)->y, y);
    }
    // The keeper's card keeps air to every other card (a line-up whose
    // defender stands in the first row included).
    {
        const i32 torwart = karten_spieler(0);
        ASSERT_EQ(wert(83, torwart), 0);
        i32 gx, gy, dx, dy;
        E2_Screen_Karten_Platz(3, 0, true, &gx, &gy);
        E2_Screen_Karten_Platz(3, 1, true, &dx, &dy);
        EXPECT_GE(gy - (dy + 35), 3) << "the keeper's card under a first-row defender's";
        E2_Screen_Karten_Platz(3, 0, false, &gx, &gy);
        E2_Screen_Karten_Platz(3, 1, false, &dx, &dy);
        EXPECT_GE(dy - (gy + 35), 3) << "the viewed club's keeper over its first row";
        const Screen_Icon* g = icon(ICON_E2_KARTE);
        for (i32 k = 1; k < E2_KARTEN; ++k) {
            const Screen_Icon* c = icon(ICON_E2_KARTE + k);
            if (c->status & MENUE_S_VERSTECKT) continue;
            const bool getrennt = c->x + c->w + 3 <= g->x || g->x + g->w + 3 <= c->x || c->y + c->h + 3 <= g->y ||
                                  g->y + g->h + 3 <= c->y;
            EXPECT_TRUE(getrennt) << k;
        }
    }
    // Three formation pitches with eleven dots each; the switch greyed without a viewed club.
    for (i32 d = 0; d < 33; ++d) EXPECT_FALSE(icon(ICON_E2_PUNKT + d)->status & MENUE_S_VERSTECKT) << d;
    EXPECT_TRUE(icon(ICON_E2_ANSICHT)->status & MENUE_S_GRAU);
    kit::Png("kaderansicht");
}

TEST_F(Kaderansicht, PunktZuZelle) {
    struct Fall {
        i32 x, y, c, r;
    } faelle[] = {
        {149, 469, 0, 1},  {419, 469, 3, 0}, {200, 490, 0, 1}, {509, 469, 4, 1}, {149, 119, 0, 10},
        {689, 119, 6, 10}, {10, 10, 0, 10},  {799, 599, 6, 1}, {239, 434, 1, 1}, {419, 300, 3, 5},
    };
    for (const Fall& f : faelle) {
        i32 x = f.x, y = f.y;
        E2_Screen_Maus_In_Feld(&x, &y);
        EXPECT_EQ(x, f.c) << f.x << "," << f.y;
        EXPECT_EQ(y, f.r) << f.x << "," << f.y;
    }
    // Every card's own place maps back to its cell.
    for (i32 c = 0; c < 7; ++c)
        for (i32 r = 1; r < 11; ++r) {
            i32 x, y;
            E2_Screen_Karten_Platz(c, r, true, &x, &y);
            E2_Screen_Maus_In_Feld(&x, &y);
            EXPECT_EQ(x, c);
            EXPECT_EQ(y, r);
        }
}

TEST_F(Kaderansicht, FormationWaehlenBehaeltAutomatik) {
    Team_Wert(8, Team_Aktiv, 128, OP_BITS_SETZEN);
    const Screen_Icon* f = icon(ICON_E2_FORMATION + 2);
    kit::Klick(f->x + 10, f->y + 5);
    EXPECT_EQ(Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 0xff, 2 | 128);
    EXPECT_NE(Menue_Icon_Zustand(ICON_E2_FORMATION + 2), 0u);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_E2_FORMATION), 0u);
    // The cells follow the formation.
    const Formation& fm = Team_Own_Daten[Team_Aktiv].formationen[2];
    for (i32 k = 0; k < E2_KARTEN; ++k) {
        const i32 p = karten_spieler(k);
        EXPECT_EQ(wert(82, p), fm.spalte[k]) << k;
        EXPECT_EQ(wert(83, p), fm.zeile[k]) << k;
    }
    Team_Wert(8, Team_Aktiv, 128, OP_BITS_LOESCHEN);
    E2_Screen_Formation_Waehlen(0);
    EXPECT_EQ(Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 0xff, 0);
}

TEST_F(Kaderansicht, KlickAufsFeldUndTausch) {
    // A selected card and a click in the goalkeeper's row off the middle: row 1.
    i32 p = -1;
    for (i32 k = 1; k < E2_KARTEN && p < 0; ++k)
        if (wert(67, karten_spieler(k)) != 0) p = karten_spieler(k);
    ASSERT_GE(p, 0);
    Screen_Icon* k = karte_von(p);
    kit::Klick(k->x + 20, k->y + 8);
    EXPECT_NE(Menue_Icon_Zustand(k->nummer), 0u);
    kit::Klick(200, 490);
    EXPECT_EQ(wert(82, p), 0);
    EXPECT_EQ(wert(83, p), 1);
    EXPECT_EQ(Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 128, 0);
    // Two cards clicked: the players change places.
    const i32 a = karten_spieler(2), b = karten_spieler(6);
    const i32 sa = slot(a), sb = slot(b);
    kit::Klick(karte_von(a)->x + 20, karte_von(a)->y + 8);
    kit::Klick(karte_von(b)->x + 20, karte_von(b)->y + 8);
    EXPECT_EQ(slot(a), sb);
    EXPECT_EQ(slot(b), sa);
    for (i32 n = 0; n < E2_KARTEN; ++n) EXPECT_EQ(Menue_Icon_Zustand(ICON_E2_KARTE + n), 0u);
}

TEST_F(Kaderansicht, ZiehenAufKarteUndZelle) {
    const i32 a = karten_spieler(3), b = karten_spieler(8);
    const i32 sa = slot(a), sb = slot(b);
    Screen_Icon* ka = karte_von(a);
    Screen_Icon* kb = karte_von(b);
    kit::Ziehen(ka->x + 20, ka->y + 8, kb->x + 20, kb->y + 8, 6);
    EXPECT_EQ(slot(a), sb);
    EXPECT_EQ(slot(b), sa);
    // Dragged to a free cell of the pitch (free cells beside it too): he
    // stands there. Eleven cards cannot put two into each of the rows 2..9,
    // so one of them always has such a cell, whatever squad the game drew.
    i32 c = -1, r = -1;
    for (i32 zeile : {6, 5, 7, 4, 8, 3, 9, 2})
        for (i32 s = 0; s < 7 && c < 0; ++s)
            if (frei(s, zeile) && (s == 0 || frei(s - 1, zeile)) && (s == 6 || frei(s + 1, zeile))) c = s, r = zeile;
    ASSERT_GE(c, 0);
    const i32 p = karten_spieler(5);
    Screen_Icon* kp = karte_von(p);
    i32 zx, zy;
    E2_Screen_Karten_Platz(c, r, true, &zx, &zy);
    kit::Ziehen(kp->x + 20, kp->y + 8, zx + 20, zy + 8, 8);
    EXPECT_EQ(wert(82, p), c);
    EXPECT_EQ(wert(83, p), r);
    // His card is drawn at that cell.
    ASSERT_NE(karte_von(p), nullptr);
    EXPECT_EQ(karte_von(p)->x, zx);
    EXPECT_EQ(karte_von(p)->y, zy);
    kit::Png("kaderansicht_gezogen");
}

TEST_F(Kaderansicht, ZuruecksetzenStelltDieFormationHer) {
    const i32 f = Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 15;
    const Formation vorher = Team_Own_Daten[Team_Aktiv].formationen[f];
    // Move a starter to another cell, then reset.
    const i32 p = karten_spieler(4);
    Screen_Icon* k = karte_von(p);
    kit::Klick(k->x + 20, k->y + 8);
    // A free cell up front (a one-forward formation holds the middle one).
    i32 fc = -1, fr = -1;
    for (i32 r = 9; r >= 1 && fc < 0; --r)
        for (i32 c = 0; c < 7 && fc < 0; ++c)
            if (frei(c, r)) fc = c, fr = r;
    ASSERT_GE(fc, 0);
    kit::Klick(149 + 90 * fc + 20, 503 - 35 * fr - 17);
    const Formation geaendert = Team_Own_Daten[Team_Aktiv].formationen[f];
    EXPECT_NE(std::memcmp(&vorher, &geaendert, sizeof vorher), 0);
    const Screen_Icon* z = icon(ICON_E2_ZURUECK);
    kit::Klick(z->x + 20, z->y + 10);
    const Formation standard = Formation_Standard(f);
    const Formation jetzt = Team_Own_Daten[Team_Aktiv].formationen[f];
    EXPECT_EQ(std::memcmp(&standard, &jetzt, sizeof jetzt), 0);
}

TEST_F(Kaderansicht, FremdesTeamNurAnsehen) {
    const i32 t = anderer_verein();
    ASSERT_GE(t, 0);
    Team_Ansicht = t;
    kit::Frames(2);
    EXPECT_FALSE(icon(ICON_E2_ANSICHT)->status & MENUE_S_GRAU);
    const Screen_Icon* s = icon(ICON_E2_ANSICHT);
    kit::Klick(s->x + 20, s->y + 10);
    ASSERT_EQ(E2_Screen_Gezeigtes_Team(), t);
    EXPECT_NE(Menue_Icon_Zustand(ICON_KADER_ANSICHT), 0u) << "the squad screen's switch follows";
    EXPECT_TRUE(icon(ICON_E2_ZURUECK)->status & MENUE_S_GRAU);
    for (i32 d = 0; d < 33; ++d)
        EXPECT_EQ((icon(ICON_E2_PUNKT + d)->status & MENUE_S_VERSTECKT) == 0, d >= 11 && d < 22) << d;
    // Mirrored, and nothing the manager clicks changes the club.
    const i32 p = karten_spieler(5);
    i32 x, y;
    E2_Screen_Karten_Platz(wert(82, p), wert(83, p), false, &x, &y);
    EXPECT_EQ(karte_von(p)->x, x);
    const i32 formation = Team_Wert(8, t, 0, OP_LESEN);
    const i32 vorher = slot(p), q = karten_spieler(7), sq = slot(q);
    kit::Klick(karte_von(p)->x + 20, karte_von(p)->y + 8);
    kit::Klick(karte_von(q)->x + 20, karte_von(q)->y + 8);
    kit::Klick(icon(ICON_E2_FORMATION + 1)->x + 10, icon(ICON_E2_FORMATION + 1)->y + 5);
    kit::Ziehen(karte_von(p)->x + 20, karte_von(p)->y + 8, karte_von(q)->x + 20, karte_von(q)->y + 8, 6);
    EXPECT_EQ(slot(p), vorher);
    EXPECT_EQ(slot(q), sq);
    EXPECT_EQ(Team_Wert(8, t, 0, OP_LESEN), formation);
    // A right click on a card: his card, for another club.
    kit::Klick(karte_von(p)->x + 20, karte_von(p)->y + 8, MAUS_RECHTS);
    EXPECT_EQ(Spieler_Info_Spieler(), p);
    kit::Klick(400, 300, MAUS_RECHTS);
    EXPECT_TRUE(Screen_Offen(Screen_Id::KADER_ANSICHT));
    kit::Png("kaderansicht_anderer_verein");
    // Back to the own team.
    kit::Klick(s->x + 20, s->y + 10);
    EXPECT_EQ(E2_Screen_Gezeigtes_Team(), Team_Aktiv);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_KADER_ANSICHT), 0u);
}

}  // namespace

namespace {

// The cards' one-letter badges are named beside the buttons.
TEST_F(Kaderansicht, FaehigkeitenMarkenDerKartenBenannt) {
    kit::Spur_Leeren();
    kit::Frames(1);
    Legende_Erklaert(GRAFIK_ATTRIBUT_KLEIN, {146, 116, 782, 508}, {{460, 510, 791, 560}});
}

// Every card badge names its attribute when the mouse rests on it.
TEST_F(Kaderansicht, FaehigkeitenMarkenMitHilfe) {
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_GE(Marken_Hilfe_Pruefen(GRAFIK_ATTRIBUT_KLEIN, {146, 116, 782, 508}), 3u);
}

}  // namespace
