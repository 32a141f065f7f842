// The player's windows over the squad screen: the attribute popup (opening
// beside the mouse, choosing attributes, another club's player, dragging,
// stepping) and the player card (opening by a right click, stepping in
// every mode, the throttle, the fit, injured and suspended states, its
// counts and their buffer).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <array>
#include <string>
#include <vector>

#include "grafik_nummern.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "legende.h"
#include "screens/editor/attribut_edit.h"
#include "screens/screens.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/kader.h"
#include "screens/squad/spielerkarte.h"
#include "screens/teile/schritt.h"
#include "screens/training/talente.h"
#include "season/ereignisse.h"
#include "season/wettbewerb_abfragen.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/welt.h"

namespace {

constexpr i32 zeile_y(i32 k) { return k < 11 ? 136 + 17 * k : k < 17 ? 344 + 17 * (k - 11) : 467 + 17 * (k - 17); }
constexpr i32 KARTE_RECHTS = 32 + 736;  // the card's right edge
i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
i32 slot(i32 p) { return wert(87, p); }

std::array<i32, 20> nach_slot(i32 team) {
    std::array<i32, 20> a;
    a.fill(-1);
    i32 liste[20];
    const i32 n = Teamspieler_Ins_Array(team, liste, 20, 0);
    for (i32 i = 0; i < n; ++i)
        if (slot(liste[i]) >= 0 && slot(liste[i]) < 20) a[static_cast<size_t>(slot(liste[i]))] = liste[i];
    return a;
}

// Attributes a field player can learn without anything before them.
std::vector<i32> freie_attribute(i32 p) {
    std::vector<i32> r;
    for (i32 a = 0; a < 40; ++a) {
        i32 v[3];
        if (Attribute_Get_Voraussetzungen(a, v) == 0 && !Attribute_Ist_Negativ(a) && Attribute_Erreichbar(p, a)) r.push_back(a);
    }
    return r;
}
void alle_weg(i32 p) {
    for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) Spieler_Wert(a, p, 0, OP_SCHREIBEN);
}
void lernen(i32 p, i32 a, bool aktiv) { Spieler_Wert(a, p, Attribut_Noetig(a) + (aktiv ? 1 : 0), OP_SCHREIBEN); }

// A club of another manager's league with a squad of 20 players.
i32 anderer_verein() {
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (t != Team_Aktiv && t != Team_Transfermarkt && Teamspieler_Ins_Array(t, nullptr, 40, 0) == 20) return t;
    return -1;
}

class Spielerfenster : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(2));
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 0));
        kit::Frames(40);
        ASSERT_EQ(E1_Screen_Gezeigtes_Team(), Team_Aktiv);
    }
    void TearDown() override { kit::Beenden(); }
    // A field player of the active team in slot k.
    i32 feldspieler(i32 k) { return nach_slot(Team_Aktiv)[static_cast<size_t>(k)]; }
};

TEST_F(Spielerfenster, PopupOeffnetNebenDerMaus) {
    const i32 p = feldspieler(3);
    kit::Klick(560, zeile_y(3) + 8);
    ASSERT_TRUE(Attribut_Popup_Offen());
    EXPECT_EQ(Attribut_Popup_Spieler(), p);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_KADER_ZEILE + 3), 0u) << "the row is not selected by it";
    Attribut_Popup_Schliessen();
    // Where it opens, by the mouse: near the right edge at x 534; in the lower
    // half above the mouse; always inside the work area.
    struct Fall {
        i32 mx, my, x;
    } faelle[] = {{700, 200, 534}, {300, 200, 290}, {564, 200, 534}, {563, 200, 553}, {300, 560, -1}, {300, 90, 290}};
    for (const Fall& f : faelle) {
        Attribut_Popup_Oeffnen(p, f.mx, f.my, Team_Aktiv);
        i32 x, y;
        Attribut_Popup_Position(&x, &y);
        if (f.x >= 0) {
            EXPECT_EQ(x, f.x) << f.mx;
        }
        i32 unten = y + POPUP_KOPF;
        for (i32 k = 0; k < POPUP_ZEILEN; ++k)
            if (const Screen_Icon* z = Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_ZEILE + k); !(z->status & MENUE_S_VERSTECKT))
                unten = std::max(unten, z->y + z->h);
        EXPECT_GE(y, 84) << f.my;
        EXPECT_LE(unten, 565) << f.my;
        Attribut_Popup_Schliessen();
    }
}

TEST_F(Spielerfenster, AttributWaehlenNimmtDasAeltesteWeg) {
    const i32 p = feldspieler(5);
    const std::vector<i32> a = freie_attribute(p);
    ASSERT_GE(a.size(), 5u);
    alle_weg(p);
    for (size_t i = 0; i < 3; ++i) lernen(p, a[i], true);
    lernen(p, a[3], false);
    lernen(p, a[4], false);
    Attribut_Popup_Oeffnen(p, 300, 200, Team_Aktiv);
    // Rows: the five learned ones; the header says all places are taken.
    for (i32 k = 0; k < 5; ++k)
        EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_ZEILE + k)->status & MENUE_S_VERSTECKT) << k;
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_ZEILE + 5)->status & MENUE_S_VERSTECKT);
    i32 aktiv[3];
    Attribute_Get_Attribute(p, aktiv, 3, 0);
    const i32 aeltestes = aktiv[0];  // no negative attribute: the list's first
    // A fourth one by a click on its row: the oldest goes.
    i32 zeile = -1;
    for (i32 k = 0; k < 5; ++k)
        if (static_cast<i32>(Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_ZEILE + k)->user[0]) == a[3]) zeile = k;
    ASSERT_GE(zeile, 0);
    const Screen_Icon* z = Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_ZEILE + zeile);
    kit::Klick(z->x + 100, z->y + 8);
    EXPECT_TRUE(Attribute_Attribut_Aktief(p, a[3]));
    EXPECT_FALSE(Attribute_Attribut_Aktief(p, aeltestes));
    EXPECT_EQ(std::count_if(a.begin(), a.begin() + 5, [&](i32 x) { return Attribute_Attribut_Aktief(p, x); }), 3);
    // An active one clicked again is switched off; then one place is free.
    EXPECT_TRUE(Attribut_Popup_Waehlen(a[3]));
    EXPECT_FALSE(Attribute_Attribut_Aktief(p, a[3]));
    EXPECT_TRUE(Attribut_Popup_Waehlen(aeltestes));
    EXPECT_TRUE(Attribute_Attribut_Aktief(p, aeltestes));
    // An attribute he has not learned is no choice.
    EXPECT_FALSE(Attribut_Popup_Waehlen(a.size() > 5 ? a[5] : 53));
}

TEST_F(Spielerfenster, NegativeAttributeNehmenPlaetze) {
    const i32 p = feldspieler(6);
    const std::vector<i32> a = freie_attribute(p);
    ASSERT_GE(a.size(), 3u);
    alle_weg(p);
    Spieler_Wert(40, p, Attribut_Noetig(40) + 1, OP_SCHREIBEN);  // one negative: two places left
    lernen(p, a[0], true);
    lernen(p, a[1], true);
    lernen(p, a[2], false);
    Attribut_Popup_Oeffnen(p, 300, 200, Team_Aktiv);
    EXPECT_TRUE(Attribut_Popup_Waehlen(a[2]));
    EXPECT_TRUE(Attribute_Attribut_Aktief(p, a[2]));
    EXPECT_EQ(Attribute_Attribut_Aktief(p, a[0]) + Attribute_Attribut_Aktief(p, a[1]), 1);
    EXPECT_FALSE(Attribut_Popup_Waehlen(40)) << "a negative attribute cannot be chosen";
}

TEST_F(Spielerfenster, FremderSpielerUnveraendert) {
    const i32 anderes = anderer_verein();
    ASSERT_GE(anderes, 0);
    i32 liste[20];
    Teamspieler_Ins_Array(anderes, liste, 20, 0);
    i32 p = -1;
    for (i32 q : liste)
        if (wert(67, q) != 0 && freie_attribute(q).size() >= 4) p = q;
    ASSERT_GE(p, 0);
    const std::vector<i32> a = freie_attribute(p);
    alle_weg(p);
    for (size_t i = 0; i < 3; ++i) lernen(p, a[i], true);
    lernen(p, a[3], false);
    Attribut_Popup_Oeffnen(p, 300, 200, anderes);
    const Screen_Icon* z = Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_ZEILE + 3);
    kit::Klick(z->x + 100, z->y + 8);
    EXPECT_FALSE(Attribut_Popup_Waehlen(a[3]));
    for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(Attribute_Attribut_Aktief(p, a[i]));
    EXPECT_FALSE(Attribute_Attribut_Aktief(p, a[3]));
}

TEST_F(Spielerfenster, PopupOhneAttributeUndZiehen) {
    const i32 p = feldspieler(2);
    alle_weg(p);
    Attribut_Popup_Oeffnen(p, 300, 200, Team_Aktiv);
    const Screen_Icon* leer = Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_LEER);
    EXPECT_FALSE(leer->status & MENUE_S_VERSTECKT);
    for (i32 k = 0; k < POPUP_ZEILEN; ++k)
        if (ICON_POPUP_ZEILE + k != ICON_POPUP_LEER) {
            EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_ZEILE + k)->status & MENUE_S_VERSTECKT) << k;
        }
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(Text_cfg_Text(TEXT_SPIELER_TRAINING, 19)));
    Attribut_Popup_Schliessen();

    // Dragging by the header keeps the rows at one spacing below the frame.
    const std::vector<i32> a = freie_attribute(p);
    for (size_t i = 0; i < 4 && i < a.size(); ++i) lernen(p, a[i], i < 2);
    Attribut_Popup_Oeffnen(p, 400, 200, Team_Aktiv);
    i32 x0, y0;
    Attribut_Popup_Position(&x0, &y0);
    auto pruefen = [](const char* wo) {
        i32 x, y;
        Attribut_Popup_Position(&x, &y);
        for (i32 k = 0; k < 4; ++k) {
            const Screen_Icon* z = Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_ZEILE + k);
            EXPECT_EQ(z->x, x) << wo << k;
            EXPECT_EQ(z->y, y + POPUP_KOPF + POPUP_ZEILE_H * k) << wo << k;
        }
    };
    pruefen("open ");
    kit::Ziehen(x0 + 60, y0 + 10, x0 - 190, y0 + 110, 6);
    i32 x1, y1;
    Attribut_Popup_Position(&x1, &y1);
    EXPECT_EQ(x1, x0 - 250);
    EXPECT_EQ(y1, y0 + 100);
    pruefen("dragged ");
    // Over the pitch preview the shirts are locked, and free again when it goes.
    EXPECT_LT(x1, 187);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_KADER_FELD)->status & MENUE_S_GRAU);
    kit::Maus(x1 + 100, y1 + POPUP_KOPF + 4);
    kit::Frames(2);
    kit::Png("attribut_popup");
    Attribut_Popup_Schliessen();
    kit::Frames(2);
    EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_KADER_FELD)->status & MENUE_S_GRAU);
}

TEST_F(Spielerfenster, KarteDurchRechtsklickUndBlaettern) {
    const auto s = nach_slot(Team_Aktiv);
    kit::Klick(300, zeile_y(19) + 8, MAUS_RECHTS);
    ASSERT_TRUE(Spieler_Info_Offen());
    EXPECT_EQ(Spieler_Info_Spieler(), s[19]);
    EXPECT_TRUE(Screen_Offen(Screen_Id::KADER)) << "the right click did not leave the screen";
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(Spieler_String(505, s[19], nullptr, 0)));
    kit::Png("spielerkarte");
    const Screen_Icon* vor = Menue_Screen_Icon_Aus_Nummer(ICON_KARTE_VOR);
    const Screen_Icon* zurueck = Menue_Screen_Icon_Aus_Nummer(ICON_KARTE_ZURUECK);
    kit::Klick(vor->x + 10, vor->y + 10);
    EXPECT_EQ(Spieler_Info_Spieler(), s[0]) << "slot 19 -> 0";
    kit::Klick(zurueck->x + 10, zurueck->y + 10);
    EXPECT_EQ(Spieler_Info_Spieler(), s[0]) << "within 200 ms: no step";
    kit::Frames(25);
    kit::Klick(zurueck->x + 10, zurueck->y + 10);
    EXPECT_EQ(Spieler_Info_Spieler(), s[19]) << "slot 0 -> 19";
    // A click beside the card closes it; the squad screen stays.
    kit::Klick(10, 590);
    EXPECT_FALSE(Spieler_Info_Offen());
    EXPECT_TRUE(Screen_Offen(Screen_Id::KADER));
    // A right click while it is open closes it and nothing else.
    kit::Klick(300, zeile_y(4) + 8, MAUS_RECHTS);
    ASSERT_TRUE(Spieler_Info_Offen());
    kit::Klick(300, 300, MAUS_RECHTS);
    EXPECT_FALSE(Spieler_Info_Offen());
    EXPECT_TRUE(Screen_Offen(Screen_Id::KADER));
}

TEST_F(Spielerfenster, AndererVereinInListenfolge) {
    const i32 anderes = anderer_verein();
    ASSERT_GE(anderes, 0);
    Aufstellung_Automatisch(anderes);
    const auto s = nach_slot(anderes);

    // From slot: the arrow -> the slot it reaches.
    struct Fall {
        i32 von;
        bool vor;
        i32 nach;
    } faelle[] = {{10, false, 17}, {19, false, 11}, {16, false, 0}, {0, true, 16}, {11, true, 19}, {17, true, 10}};
    for (const Fall& f : faelle) {
        Spieler_Info_Screen_Init(s[static_cast<size_t>(f.von)], anderes, SPIELERKARTE_ANDERE);
        ASSERT_TRUE(Spieler_Info_Offen()) << f.von << " " << s[static_cast<size_t>(f.von)];
        kit::Frames(25);
        ASSERT_TRUE(Spieler_Info_Offen()) << f.von;
        const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(f.vor ? ICON_KARTE_VOR : ICON_KARTE_ZURUECK);
        kit::Klick(k->x + 10, k->y + 10);
        EXPECT_EQ(Spieler_Info_Spieler(), s[static_cast<size_t>(f.nach)]) << f.von << (f.vor ? " next" : " previous");
        Spieler_Info_Schliessen();
    }
    // Scouting: the arrows do nothing.
    Spieler_Info_Screen_Init(s[3], anderes, SPIELERKARTE_SCOUTING);
    kit::Frames(25);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_KARTE_VOR)->status & MENUE_S_GRAU);
    Spieler_Info_Blaettern_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_KARTE_VOR), MENUE_E_LINKS);
    EXPECT_EQ(Spieler_Info_Spieler(), s[3]);
    Spieler_Info_Schliessen();
}

TEST_F(Spielerfenster, TransferlisteUeberspringtFreiePlaetze) {
    ASSERT_TRUE(Team_Own_Daten);
    i32* fenster = Team_Own_Daten[Team_Aktiv].transferfenster;
    i32 markt[20];
    const i32 n = Teamspieler_Ins_Array(Team_Transfermarkt, markt, 20, 0);
    ASSERT_GE(n, 3);
    for (i32 k = 0; k < 11; ++k) fenster[k] = -1;
    // Three players on the list with free places between them, all of one class.
    fenster[1] = markt[0], fenster[5] = markt[1], fenster[9] = markt[2];
    for (i32 k = 0; k < 3; ++k) Spieler_Wert(67, markt[k], 2, OP_SCHREIBEN);
    const i32 extra = Team_Wert(17, Team_Aktiv, 0, OP_LESEN);
    Team_Wert(17, Team_Aktiv, -1, OP_SCHREIBEN);
    Spieler_Info_Screen_Init(markt[0], Team_Transfermarkt, SPIELERKARTE_TRANSFER);
    std::vector<i32> gesehen;
    for (i32 i = 0; i < 4; ++i) {
        kit::Frames(25);
        Spieler_Info_Blaettern_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_KARTE_VOR), MENUE_E_LINKS);
        gesehen.push_back(Spieler_Info_Spieler());
    }
    EXPECT_EQ(gesehen, (std::vector<i32>{markt[1], markt[2], markt[0], markt[1]}));
    // No shirt number for a player of the market.
    kit::Spur_Leeren();
    kit::Frames(1);
    Team_Wert(17, Team_Aktiv, extra, OP_SCHREIBEN);
    Spieler_Info_Schliessen();
}

TEST_F(Spielerfenster, ZustandVerletztVorGesperrt) {
    const i32 p = feldspieler(7);
    const char* verletzt = Text_cfg_Text(TEXT_SPIELER_INFO, 23);
    const char* fit = Text_cfg_Text(TEXT_SPIELER_INFO, 25);
    struct Fall {
        u32 status;
        i32 zaehler;
        const char* kopf;
    } faelle[] = {
        {0, 0, fit},
        {0x40, 0, verletzt},
        {0x40 | 0x200, 0x20 | 2, verletzt},  // injured and suspended: injured
        {0x200, 0x20 | 2, Text_cfg_Text(TEXT_SPIELER_INFO, 18)},
        {0x200, 0x40 | 1, Text_cfg_Text(TEXT_SPIELER_INFO, 19)},
        {0x200, 0x80 | 3, Text_cfg_Text(TEXT_SPIELER_INFO, 17)},
        {0x200, 0, fit},  // a suspension bit without a counter
    };
    const i32 alt = wert(75, p);
    i32 ids[64];
    ASSERT_GT(Wettbewerb_Get_Aktive(-1, ids, false), 0);
    Team_Wettbewerb = ids[0];
    for (const Fall& f : faelle) {
        Spieler_Wert(75, p, static_cast<i32>((static_cast<u32>(alt) & ~0x7c0u) | f.status), OP_SCHREIBEN);
        Spiele_Set_Wettbewerb_Ereignis(Team_Wettbewerb, p, 8, f.zaehler);
        ASSERT_EQ(Spiele_Get_Wettbewerb_Ereignis(Team_Wettbewerb, 8, p), f.zaehler);
        Spieler_Info_Screen_Init(p, Team_Aktiv, SPIELERKARTE_EIGEN);
        kit::Spur_Leeren();
        kit::Frames(1);
        const Zeichenspur_Eintrag* e = kit::Text_Auf_Zeile(f.kopf, 290);
        EXPECT_TRUE(e) << f.status << " " << f.zaehler << ": " << f.kopf;
        Spieler_Info_Schliessen();
    }
    Spieler_Wert(75, p, alt, OP_SCHREIBEN);
}

TEST_F(Spielerfenster, ZahlenNurMitPuffer) {
    const i32 p = feldspieler(9);
    const Spielerkarte_Zahlen zu = Spieler_Info_Zahlen(p);
    EXPECT_EQ(zu.tore + zu.vorlagen + zu.gelb + zu.gelbrot + zu.rot, 0) << "closed: no buffer, all 0";
    Spieler_Info_Screen_Init(p, Team_Aktiv, SPIELERKARTE_EIGEN);
    EXPECT_EQ(Spieler_Info_Zahlen(-1).tore, 0);
    EXPECT_EQ(Spieler_Info_Zahlen(Spieler_Anzahl).tore, 0);
    Spieler_Info_Schliessen();
    EXPECT_EQ(Spieler_Info_Zahlen(p).tore, 0);
    // A second opening while one is open changes nothing.
    Spieler_Info_Screen_Init(p, Team_Aktiv, SPIELERKARTE_EIGEN);
    Spieler_Info_Screen_Init(feldspieler(1), Team_Aktiv, SPIELERKARTE_EIGEN);
    EXPECT_EQ(Spieler_Info_Spieler(), p);
    Spieler_Info_Screen_Init(-5, Team_Aktiv, SPIELERKARTE_EIGEN);
    EXPECT_EQ(Spieler_Info_Spieler(), p);
    Spieler_Info_Schliessen();
}

TEST_F(Spielerfenster, KarteFuerAlleListenUndTalente) {
    // The way in that every list uses opens this card.
    const i32 p = feldspieler(4);
    Spieler_Info_Screen_Init(p, Team_Aktiv, SPIELERKARTE_EIGEN);
    EXPECT_TRUE(Spieler_Info_Offen());
    EXPECT_EQ(Spieler_Info_Spieler(), p);
    // Its talents button opens the talents screen over it, which takes its
    // own clicks; the card stays.
    const Screen_Icon* t = Menue_Screen_Icon_Aus_Nummer(ICON_KARTE_TALENTE);
    ASSERT_FALSE(t->status & MENUE_S_VERSTECKT);
    // The button covers none of the card's captions.
    kit::Spur_Leeren();
    kit::Frames(2);
    for (const char* beschriftung : {"Tore", "Vorlagen", "Training", "Status", "Einsätze", "Gelbe Karten"}) {
        const Zeichenspur_Eintrag* e = kit::Text(beschriftung);
        ASSERT_NE(e, nullptr) << beschriftung;
        EXPECT_FALSE(e->x + 4 >= t->x && e->x < t->x + t->w && e->y - 4 >= t->y && e->y - 8 < t->y + t->h) << beschriftung;
    }
    kit::Klick(t->x + 20, t->y + 10);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TALENTE));
    EXPECT_EQ(Spieler_Talente_Spieler(), p);
    EXPECT_EQ(Spieler_Talente_Modus(), TALENTE_EIGENES_TEAM);
    EXPECT_TRUE(Spieler_Info_Offen());
    Spieler_Talente_Screen_Schliessen();
    Spieler_Info_Schliessen();
    EXPECT_FALSE(Spieler_Info_Offen());
    // The squad screen takes right clicks again: a player's card.
    kit::Frames(2);
    kit::Klick(300, zeile_y(2) + 8, MAUS_RECHTS);
    EXPECT_EQ(Spieler_Info_Spieler(), feldspieler(2));
    Spieler_Info_Schliessen();
}

TEST_F(Spielerfenster, VorschauBeimZiehenIstDieNeueOrdnung) {
    // A starter's shirt held over a free cell of the top row: the rows show
    // the eleven in the order the drop gives them, and the drop gives it.
    const auto s = nach_slot(Team_Aktiv);
    i32 c = -1;
    for (i32 sp = 0; sp < 7 && c < 0; ++sp) {
        bool frei = true;
        for (i32 k = 0; k < 11; ++k)
            if (wert(83, s[static_cast<size_t>(k)]) == 10 && std::abs(wert(82, s[static_cast<size_t>(k)]) - sp) <= 1) frei = false;
        if (frei) c = sp;
    }
    ASSERT_GE(c, 0);
    const i32 p = s[6];
    const Screen_Icon* hemd = nullptr;
    for (i32 k = 0; k < 11; ++k)
        if (static_cast<i32>(Menue_Screen_Icon_Aus_Nummer(ICON_KADER_FELD + k)->user[0]) == p)
            hemd = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_FELD + k);
    ASSERT_TRUE(hemd);
    const i32 x0 = hemd->x + 8, y0 = hemd->y + 8;
    const i32 x1 = 24 * c + 10 + 8, y1 = 342 - 25 * 10 + 8;
    kit::Maus(x0, y0);
    kit::Druecken();
    for (i32 k = 1; k <= 5; ++k) kit::Maus(x0 + (x1 - x0) * k / 5, y0 + (y1 - y0) * k / 5);
    kit::Frames(1);
    std::array<i32, 11> vorschau{};
    for (i32 k = 0; k < 11; ++k) vorschau[static_cast<size_t>(k)] = E1_Screen_Vorschau(k);
    EXPECT_EQ(vorschau[0], p) << "the top row's player leads the eleven";
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text_Auf_Zeile(Spieler_String(63, p, nullptr, 0), zeile_y(0) + 12)) << "his name on the first row";
    kit::Loslassen();
    EXPECT_EQ(E1_Screen_Vorschau(0), -1);
    const auto nach = nach_slot(Team_Aktiv);
    for (i32 k = 0; k < 11; ++k) EXPECT_EQ(nach[static_cast<size_t>(k)], vorschau[static_cast<size_t>(k)]) << k;
    EXPECT_EQ(wert(82, p), c);
    EXPECT_EQ(wert(83, p), 10);
}

}  // namespace

// The attribute choice locks the pitch shirts as the popup does: a click on a
// shirt beside it does nothing while it is open, and works again once it is
// closed or dragged off the pitch.
TEST_F(Spielerfenster, AttributWahlSperrtDieTrikots) {
    const i32 p = feldspieler(2);
    alle_weg(p);
    const std::vector<i32> a = freie_attribute(p);
    for (size_t i = 0; i < 2 && i < a.size(); ++i) lernen(p, a[i], true);
    // A shirt outside the choice's rows: its centre and whether it is on.
    auto mitte = [](i32 n, i32* x, i32* y) {
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(n);
        *x = i->x + std::max<i32>(i->w, 2) / 2, *y = i->y + std::max<i32>(i->h, 2) / 2;
    };
    auto unter_wahl = [](i32 x, i32 y) {
        for (i32 n = ICON_WAHL_RAHMEN; n <= ICON_WAHL_VOR; ++n) {
            const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(n);
            if (i && !(i->status & MENUE_S_VERSTECKT) && x >= i->x - 4 && x < i->x + i->w + 4 && y >= i->y - 4 &&
                y < i->y + i->h + 4)
                return true;
        }
        return false;
    };
    struct Fall {
        i32 x, y;
        bool gesperrt;
    };
    const Fall faelle[] = {{20, 60, true}, {400, 60, false}, {20, 450, false}};
    for (const Fall& f : faelle) {
        Attribut_Wahl_Screen_Init(p, f.x, f.y, Team_Aktiv);
        ASSERT_EQ(Attribut_Wahl_Spieler(), p);
        kit::Frames(2);
        i32 schirt = -1, sx = 0, sy = 0;
        for (i32 k = 0; k < KADER_FELDER && schirt < 0; ++k) {
            if (static_cast<i32>(Menue_Screen_Icon_Aus_Nummer(ICON_KADER_FELD + k)->user[0]) < 0) continue;
            mitte(ICON_KADER_FELD + k, &sx, &sy);
            if (!unter_wahl(sx, sy)) schirt = ICON_KADER_FELD + k;
        }
        ASSERT_GE(schirt, 0) << f.x;
        for (i32 k = 0; k < KADER_FELDER; ++k)
            EXPECT_EQ((Menue_Screen_Icon_Aus_Nummer(ICON_KADER_FELD + k)->status & MENUE_S_GRAU) != 0, f.gesperrt)
                << f.x << "/" << f.y << " shirt " << k;
        const u32 vorher = Menue_Icon_Zustand(schirt);
        kit::Klick(sx, sy);
        kit::Frames(2);
        EXPECT_EQ(Menue_Icon_Zustand(schirt) != vorher, !f.gesperrt) << f.x << "/" << f.y;
        E1_Screen_Auswahl_Zuruecksetzen();
        ASSERT_TRUE(Attribut_Wahl_Schliessen());
        kit::Frames(2);
        // Closed: the shirts are free and a click takes again.
        EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(schirt)->status & MENUE_S_GRAU);
        const u32 davor = Menue_Icon_Zustand(schirt);
        kit::Klick(sx, sy);
        kit::Frames(2);
        EXPECT_NE(Menue_Icon_Zustand(schirt), davor) << f.x << "/" << f.y;
        E1_Screen_Auswahl_Zuruecksetzen();
        kit::Frames(1);
    }
    EXPECT_FALSE(Attribut_Wahl_Schliessen());
}

// The card's left column: every caption at one x, every value beside it at
// another; the learned abilities on their caption's line, or a line saying
// there are none.
TEST_F(Spielerfenster, KarteZeigtGelernteFaehigkeitenInIhrerZeile) {
    const i32 p = feldspieler(5);
    const std::vector<i32> a = freie_attribute(p);
    ASSERT_GE(a.size(), 12u);
    const char* titel = Text_cfg_Text(TEXT_SPIELER_INFO, 14);
    const char* keine = Text_cfg_Text(TEXT_SPIELER_INFO, 27);
    ASSERT_TRUE(*keine);
    struct Fall {
        size_t gelernt;
        i32 grafik;  // the pictures' first number (0: the text instead)
    } faelle[] = {{0, 0}, {3, GRAFIK_ATTRIBUT_KARTE}, {12, GRAFIK_ATTRIBUT_GEWAEHLT}};
    for (const Fall& f : faelle) {
        alle_weg(p);
        for (size_t i = 0; i < f.gelernt; ++i) lernen(p, a[i], false);
        Spieler_Info_Screen_Init(p, Team_Aktiv, SPIELERKARTE_EIGEN);
        kit::Spur_Leeren();
        kit::Frames(1);
        const Zeichenspur_Eintrag* t = kit::Text(titel);
        ASSERT_TRUE(t) << f.gelernt;
        const i32 rechts = t->x + t->breite;
        if (f.grafik == 0) {
            const Zeichenspur_Eintrag* k = kit::Text_Auf_Zeile(keine, t->y);
            ASSERT_TRUE(k);
            EXPECT_GT(k->x, rechts);
        } else {
            i32 gezeigt = 0;
            for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
                if (e.art != SPUR_BLIT || e.grafik < f.grafik || e.grafik >= f.grafik + ATTRIBUT_ANZAHL) continue;
                ++gezeigt;
                EXPECT_GT(e.x, rechts) << f.gelernt << ": right of the caption";
                EXPECT_LE(e.y, t->y) << f.gelernt << ": on the caption's line";
                EXPECT_GE(e.y + e.hoehe, t->y - 8) << f.gelernt << ": on the caption's line";
                EXPECT_LE(e.x + e.breite, KARTE_RECHTS) << f.gelernt;
            }
            EXPECT_EQ(gezeigt, static_cast<i32>(f.gelernt));
            kit::Png("spielerkarte_gelernt_" + std::to_string(f.gelernt));
        }
        // One column of captions, one of values (the card's are drawn last,
        // over the screen beneath).
        std::vector<i32> spalte;
        for (i32 n : {0, 2, 6, 7, 14})
            for (const Zeichenspur_Eintrag* e : kit::Texte(Text_cfg_Text(TEXT_SPIELER_INFO, n)))
                if (e->sichtbar == Text_cfg_Text(TEXT_SPIELER_INFO, n) && e->y > 230) spalte.push_back(e->x);
        EXPECT_EQ(spalte, std::vector<i32>(5, t->x));
        const Zeichenspur_Eintrag* kein_training = kit::Text(Text_cfg_Text(TEXT_SPIELER_INFO, 22));
        const Zeichenspur_Eintrag* kondition = Zeichenspur_Blit_Bei(kein_training ? kein_training->x + 4 : 0, 240);
        ASSERT_TRUE(kein_training);
        ASSERT_TRUE(kondition);
        EXPECT_EQ(kondition->x, kein_training->x);
        EXPECT_EQ(kit::Text_Auf_Zeile(Text_cfg_Text(TEXT_SPIELER_INFO, 25), 290)->x, kein_training->x);
        Spieler_Info_Schliessen();
    }
}

namespace {

// The learned badges are named in the card's right block: each with its
// badge and whole name, three, ten and twelve of them alike.
TEST_F(Spielerfenster, KarteBenenntDieGelerntenMarken) {
    const i32 p = feldspieler(5);
    const std::vector<i32> a = freie_attribute(p);
    ASSERT_GE(a.size(), 12u);
    struct Fall {
        size_t gelernt;
        i32 grafik;
    } faelle[] = {{3, GRAFIK_ATTRIBUT_KARTE}, {10, GRAFIK_ATTRIBUT_KARTE}, {12, GRAFIK_ATTRIBUT_GEWAEHLT}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.gelernt);
        alle_weg(p);
        for (size_t i = 0; i < f.gelernt; ++i) lernen(p, a[i], false);
        Spieler_Info_Screen_Init(p, Team_Aktiv, SPIELERKARTE_EIGEN);
        kit::Spur_Leeren();
        kit::Frames(1);
        const std::vector<i32> gezeigt = Marken_In(f.grafik, {150, 300, 700, 350});
        EXPECT_EQ(gezeigt.size(), f.gelernt);
        // Named on the list's smaller badge, over and under the learned row.
        std::vector<i32> erklaert = Legende_In(GRAFIK_ATTRIBUT, {445, 285, 765, 318});
        for (i32 x : Legende_In(GRAFIK_ATTRIBUT, {445, 342, 765, 414})) erklaert.push_back(x);
        for (i32 x : gezeigt)
            EXPECT_NE(std::find(erklaert.begin(), erklaert.end(), x), erklaert.end()) << Attribut_Tabelle[x].name;
        Spieler_Info_Schliessen();
    }
}

// Each learned badge, large or on the strip, names its attribute under the
// mouse as well.
TEST_F(Spielerfenster, KarteGelernteMarkenMitHilfe) {
    const i32 p = feldspieler(5);
    const std::vector<i32> a = freie_attribute(p);
    ASSERT_GE(a.size(), 12u);
    struct Fall {
        size_t gelernt;
        i32 grafik;
    } faelle[] = {{3, GRAFIK_ATTRIBUT_KARTE}, {12, GRAFIK_ATTRIBUT_GEWAEHLT}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.gelernt);
        alle_weg(p);
        for (size_t i = 0; i < f.gelernt; ++i) lernen(p, a[i], false);
        Spieler_Info_Screen_Init(p, Team_Aktiv, SPIELERKARTE_EIGEN);
        kit::Spur_Leeren();
        kit::Frames(1);
        EXPECT_EQ(Marken_Hilfe_Pruefen(f.grafik, {150, 300, 700, 350}), f.gelernt);
        Spieler_Info_Schliessen();
    }
}

}  // namespace
