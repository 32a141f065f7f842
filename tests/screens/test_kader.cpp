// The squad and line-up screen in a new game with two human managers: opened
// from the main menu, the rows in slot order, the click swap and its
// refusals, the message for an unavailable player, placing on the pitch,
// the automatic line-up, the view switch, hover texts, and each manager's
// screen state kept across a change of manager.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "base/ruf.h"
#include "grafik_nummern.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "legende.h"
#include "platform/mainloop.h"
#include "screens/screens.h"
#include "screens/squad/kader.h"
#include "screens/teile/namen.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/netz_rufe.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/welt.h"

namespace {

constexpr i32 zeile_y(i32 k) { return k < 11 ? 136 + 17 * k : k < 17 ? 344 + 17 * (k - 11) : 467 + 17 * (k - 17); }
constexpr u32 VERLETZT = 0x40;

i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }
i32 slot(i32 p) { return wert(87, p); }
const char* e1(i32 n) { return Text_cfg_Text(TEXT_EINSETZEN_1, n); }

// The own squad by slot.
std::array<i32, 20> nach_slot(i32 team) {
    std::array<i32, 20> a;
    a.fill(-1);
    i32 liste[20];
    const i32 n = Teamspieler_Ins_Array(team, liste, 20, 0);
    for (i32 i = 0; i < n; ++i)
        if (slot(liste[i]) >= 0 && slot(liste[i]) < 20) a[static_cast<size_t>(slot(liste[i]))] = liste[i];
    return a;
}

// A column of formation row `reihe` that no starter of the active team holds
// (nor a neighbour, whose shirt would overlap the point).
i32 leere_spalte(i32 reihe = 9) {
    const auto s = nach_slot(Team_Aktiv);
    for (i32 c = 0; c < 7; ++c) {
        bool frei = true;
        for (i32 k = 0; k < 11; ++k) {
            const i32 sc = wert(82, s[static_cast<size_t>(k)]), sr = wert(83, s[static_cast<size_t>(k)]);
            if ((sc == c || sc == c - 1) && sr == reihe) frei = false;
        }
        if (frei) return c;
    }
    return -1;
}
// The middle of a cell on the pitch preview.
i32 zelle_x(i32 c) { return 24 * c + 22; }
i32 zelle_y(i32 r) { return 342 - 25 * r + 12; }

class Kader : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(2)); }
    void TearDown() override { kit::Beenden(); }
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 0));
        ASSERT_TRUE(Screen_Offen(Screen_Id::KADER));
        kit::Frames(40);
        ASSERT_EQ(E1_Screen_Gezeigtes_Team(), Team_Aktiv);
    }
    void zeile_klicken(i32 k) { kit::Klick(300, zeile_y(k) + 8); }
    void verletzen(i32 p) { Spieler_Wert(75, p, static_cast<i32>(VERLETZT), OP_BITS_SETZEN); }
};

// The screen kept while it does not change shows, after each change of
// what a row or a shirt on the pitch shows, what a frame drawn whole shows.
TEST_F(Kader, BehaltenerSchirmFolgtJederAenderung) {
    oeffnen();
    ASSERT_TRUE(W32_Frame_Gezeigt());
    Zeichenspur_Ausschalten();  // with the trace on a changed frame is drawn whole
    Rastport_Bild ganz(Rastport_Neu_Einfach(800, 600, 16));
    ASSERT_TRUE(ganz);
    const size_t bytes = size_t{800} * 600 * 2;
    const auto wie_ganz = [&] {
        Menue_Screen_Refresh(ganz.get());
        return std::memcmp(Screen_Rastport->bitmap->pixel16(), ganz->bitmap->pixel16(), bytes) == 0;
    };
    const auto s = nach_slot(Team_Aktiv);
    const i32 p = s[0], q = s[12];  // a starter and a substitute
    ASSERT_GE(p, 0);
    ASSERT_GE(q, 0);
    Spieler_Struktur &a = Spieler_Daten[p], &b = Spieler_Daten[q];
    char name[] = "Zwirbelmeier";
    const struct Fall {
        const char* was;
        std::function<void()> aendern;
    } faelle[] = {
        {"nothing", [] {}},
        {"a starter's shirt number", [&] { a.rueckennummer = static_cast<u8>(a.rueckennummer == 77 ? 78 : 77); }},
        {"a substitute's morale", [&] { b.moral = static_cast<u8>((b.moral + 3) % 7); }},
        {"a substitute injured", [&] { verletzen(q); }},
        {"a starter's strength", [&] { a.staerke = static_cast<u8>((a.staerke + 5) % 13); }},
        {"a substitute's exhaustion", [&] { b.erschoepfung = static_cast<u8>(b.erschoepfung < 5 ? 9 : 0); }},
        {"a starter's name", [&] { Spieler_String(63, p, name, 1); }},
        {"a starter's position",
         [&] { Spieler_Fix_Daten[p].position = static_cast<u8>((Spieler_Fix_Daten[p].position + 1) % 4); }},
        {"a substitute's attribute", [&] { Spieler_Wert(1, q, Attribut_Noetig(1) + 1, OP_SCHREIBEN); }},
    };
    Menue_Screen_Refresh();
    ASSERT_TRUE(wie_ganz());
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        f.aendern();
        Menue_Screen_Refresh();
        EXPECT_TRUE(wie_ganz());
        Menue_Screen_Refresh();
        EXPECT_TRUE(wie_ganz());
    }
}

TEST_F(Kader, ZeilenInSlotReihenfolge) {
    oeffnen();
    for (i32 n = ICON_KADER_RAHMEN; n <= ICON_KADER_ANSICHT; ++n) EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(n)) << n;
    kit::Spur_Leeren();
    kit::Frames(1);
    const auto kader = nach_slot(Team_Aktiv);
    for (i32 k = 0; k < 20; ++k) {
        ASSERT_GE(kader[static_cast<size_t>(k)], 0) << "slot " << k;
        const char* name = Spieler_String(63, kader[static_cast<size_t>(k)], nullptr, 0);
        EXPECT_TRUE(kit::Text_Auf_Zeile(name, zeile_y(k) + 12)) << "row " << k << ": " << name;
    }
    // Section labels and the shown club's name.
    EXPECT_TRUE(kit::Text_Auf_Zeile(e1(0), 131));
    EXPECT_TRUE(kit::Text_Auf_Zeile(e1(1), 339));
    EXPECT_TRUE(kit::Text_Auf_Zeile(e1(2), 462));
    EXPECT_TRUE(kit::Text(Team_String(721, Team_Aktiv, nullptr, 0)));
    kit::Png("kader");
}

TEST_F(Kader, KlickTauschUndAuswahlNach300ms) {
    oeffnen();
    const auto vorher = nach_slot(Team_Aktiv);
    const i32 a = vorher[0], b = vorher[5];
    Team_Wert(8, Team_Aktiv, 128, OP_BITS_SETZEN);
    zeile_klicken(0);
    EXPECT_NE(Menue_Icon_Zustand(ICON_KADER_ZEILE), 0u);
    EXPECT_NE(Menue_Icon_Zustand(ICON_KADER_FELD), 0u) << "a starter's pitch shirt is selected with his row";
    zeile_klicken(5);
    EXPECT_EQ(slot(a), 5);
    EXPECT_EQ(slot(b), 0);
    EXPECT_EQ(Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 128, 0) << "a manual change ends the automatic line-up";
    // The line-up check before a match keeps the manager's choice.
    Check_Und_Set_Aa(Team_Aktiv);
    EXPECT_EQ(slot(a), 5);
    kit::Frames(40);  // 400 ms
    for (i32 k = 0; k < 20; ++k) EXPECT_EQ(Menue_Icon_Zustand(ICON_KADER_ZEILE + k), 0u) << k;
    // Clicking the selected row again deselects it.
    zeile_klicken(3);
    zeile_klicken(3);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_KADER_ZEILE + 3), 0u);
}

TEST_F(Kader, TauschRegeln) {
    oeffnen();
    const auto s = nach_slot(Team_Aktiv);
    struct Fall {
        i32 p, q;           // slots
        bool p_aus, q_aus;  // unavailable
        bool erlaubt;
    } faelle[] = {
        {0, 5, false, false, true},    // two available starters
        {0, 12, false, false, true},   // starter and substitute
        {3, 4, true, true, false},     // both unavailable
        {3, 4, true, false, false},    // one unavailable, both starters
        {12, 2, true, false, false},   // an unavailable substitute into the eleven
        {11, 2, true, false, false},   // the first substitute as well
        {2, 11, false, true, false},   // ... from either side
        {3, 15, true, false, true},    // an unavailable starter out to the bench
        {17, 18, true, false, true},   // between reserves
    };
    for (const Fall& f : faelle) {
        const i32 p = s[static_cast<size_t>(f.p)], q = s[static_cast<size_t>(f.q)];
        const i32 sp = wert(75, p), sq = wert(75, q);
        if (f.p_aus) verletzen(p);
        if (f.q_aus) verletzen(q);
        EXPECT_EQ(E1_Screen_Tausch_Erlaubt(p, q), f.erlaubt) << f.p << " " << f.q;
        Spieler_Wert(75, p, sp, OP_SCHREIBEN);
        Spieler_Wert(75, q, sq, OP_SCHREIBEN);
    }
}

TEST_F(Kader, VerletzterStammspielerMitMeldungAbgelehnt) {
    oeffnen();
    const auto vorher = nach_slot(Team_Aktiv);
    verletzen(vorher[4]);
    E1_Screen_Aktualisieren();
    kit::Frames(2);
    // The line-up check benched the injured starter: put one back by hand.
    const auto jetzt = nach_slot(Team_Aktiv);
    i32 verletzter = -1;
    for (i32 k = 0; k < 11; ++k)
        if (wert(75, jetzt[static_cast<size_t>(k)]) & VERLETZT) verletzter = k;
    if (verletzter < 0) {
        verletzen(jetzt[4]);
        E1_Screen_Liste_Fuellen(Team_Aktiv);
        verletzter = 4;
    }
    const auto stand = nach_slot(Team_Aktiv);
    const i32 anderer = verletzter == 0 ? 1 : 0;
    kit::Meldungen_Leeren();
    zeile_klicken(verletzter);
    zeile_klicken(anderer);
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_EQ(kit::Meldungen()[0], e1(48));
    EXPECT_EQ(nach_slot(Team_Aktiv), stand) << "a refused swap changes nothing";
    kit::Requester_Antworten(true);
    EXPECT_FALSE(kit::Requester_Offen());
    // The hover text of his row names the injury.
    kit::Maus(300, zeile_y(verletzter) + 8);
    kit::Frames(2);
    Screen_Icon* zeile = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_ZEILE + verletzter);
    const i32 p = E1_Screen_Spieler_Von(ICON_KADER_ZEILE + verletzter);
    const i32 dauer = wert(71, p);
    const std::string erwartet = std::string(Spieler_String(508, p, nullptr, 0)) + "^l" + e1(44) + " " +
                                 Verletzungs_Text(wert(70, p)) + " " + e1(45) + " " + std::to_string(dauer) + " " +
                                 e1(dauer == 1 ? 42 : 43);
    const std::string text = E1_Screen_Hilfetext(zeile);
    EXPECT_EQ(text.substr(0, erwartet.size()), erwartet);
}

// The slots of the active club's penalty takers.
std::vector<i32> schuetzen_slots() {
    const auto kader = nach_slot(Team_Aktiv);
    std::vector<i32> slots;
    for (i32 i = 0; i < 20; ++i)
        if (kader[static_cast<size_t>(i)] >= 0 &&
            (wert(75, kader[static_cast<size_t>(i)]) & static_cast<i32>(SP_STATUS_ELFMETER)))
            slots.push_back(i);
    return slots;
}

// The slot and player of the penalty taker among the eleven's field
// players ({-1, -1} for none).
std::pair<i32, i32> schuetze_der_elf() {
    for (i32 i : schuetzen_slots())
        if (i >= 1 && i < 11) return {i, nach_slot(Team_Aktiv)[static_cast<size_t>(i)]};
    return {-1, -1};
}

// The penalty taker swapped to the bench by a click hands his role to a
// starter at once: the hover texts name the taker who plays.
TEST_F(Kader, AufDieBankGesetzterSchuetzeGibtSeineRolleAb) {
    oeffnen();
    const auto [k, schuetze] = schuetze_der_elf();
    ASSERT_GE(k, 0) << "the eleven has a penalty taker";
    zeile_klicken(k);
    zeile_klicken(12);
    ASSERT_EQ(slot(schuetze), 12);
    EXPECT_EQ(wert(75, schuetze) & static_cast<i32>(SP_STATUS_ELFMETER), 0);
    const std::vector<i32> schuetzen = schuetzen_slots();
    ASSERT_EQ(schuetzen.size(), 1u);
    const i32 neu = schuetzen[0];
    ASSERT_LT(neu, 11);
    const std::string rolle = Text_cfg_Text(TEXT_TAKTIK, 36);
    const auto hilfe = [](i32 zeile) {
        kit::Maus(300, zeile_y(zeile) + 8);
        kit::Frames(2);
        return std::string(E1_Screen_Hilfetext(Menue_Screen_Icon_Aus_Nummer(ICON_KADER_ZEILE + zeile)));
    };
    EXPECT_EQ(hilfe(12).find(rolle), std::string::npos) << hilfe(12);
    EXPECT_NE(hilfe(neu).find(rolle), std::string::npos) << hilfe(neu);
}

// The calls a network client's squad screen makes, answered here as the
// server would.
std::vector<u16> client_rufe;
bool client_leitung(u16 nummer, const std::vector<u8>& ein, std::vector<u8>* aus) {
    client_rufe.push_back(nummer);
    return ruf::Lokale_Leitung(nummer, ein, aus);
}

// On a network client the swap that benches the penalty taker sends the
// club's and its players' records to the server, which checks the line-up
// and hands the role over, and takes the squad back from it: the rows show
// one penalty taker, a starter.
TEST_F(Kader, BeimClientGehtDieAufstellungZumServer) {
    oeffnen();
    const auto [k, schuetze] = schuetze_der_elf();
    ASSERT_GE(k, 0) << "the eleven has a penalty taker";
    client_rufe.clear();
    ruf::Leitung_Setzen(client_leitung);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    struct Ende {
        ~Ende() {
            ruf::Leitung_Setzen(nullptr);
            Internet_Modus = INTERNET_MODUS_EINZEL;
        }
    } ende;
    zeile_klicken(k);
    zeile_klicken(12);
    ASSERT_EQ(slot(schuetze), 12);
    // The formation, the players, the squad back: in this order.
    const std::vector<u16> erwartet = {RUF_TEAM_OWN_ZURUECK.nummer, RUF_SPIELER_ZURUECK.nummer,
                                       RUF_TEAM_SPIELERBLOCK.nummer};
    EXPECT_EQ(client_rufe, erwartet);
    EXPECT_EQ(wert(75, schuetze) & static_cast<i32>(SP_STATUS_ELFMETER), 0);
    const std::vector<i32> schuetzen = schuetzen_slots();
    for (i32 i : schuetzen) EXPECT_LT(i, 11) << "a penalty taker in slot " << i;
    EXPECT_EQ(schuetzen.size(), 1u);
}

TEST_F(Kader, HilfetexteDerKoepfeUndKnoepfe) {
    oeffnen();
    Screen_Icon* rahmen = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_RAHMEN);
    struct Fall {
        i32 x, y, text;
    } faelle[] = {{210, 100, 16}, {250, 100, 17}, {300, 100, 18}, {450, 100, 19}, {520, 100, 20},
                  {600, 100, 21}, {670, 100, 22}, {740, 100, 23}, {220, 128, 24}, {300, 335, 25},
                  {250, 455, 26}, {500, 300, 27}};
    for (const Fall& f : faelle) {
        kit::Maus(f.x, f.y);
        const char* t = E1_Screen_Hilfetext(rahmen);
        ASSERT_TRUE(t) << f.x << "," << f.y;
        EXPECT_STREQ(t, e1(f.text)) << f.x << "," << f.y;
    }
    kit::Maus(640, 100);  // between two headers
    EXPECT_EQ(E1_Screen_Hilfetext(rahmen), nullptr);
    for (i32 n = ICON_KADER_MENUE; n <= ICON_KADER_ANSICHT; ++n)
        EXPECT_STREQ(E1_Screen_Hilfetext(Menue_Screen_Icon_Aus_Nummer(n)), e1(34 + n - ICON_KADER_MENUE));
}

TEST_F(Kader, AutomatischeAufstellung) {
    oeffnen();
    // Scramble the eleven by hand first.
    zeile_klicken(0);
    zeile_klicken(19);
    kit::Frames(40);
    ASSERT_EQ(Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 128, 0);
    Screen_Icon* knopf = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_AUTO);
    kit::Klick(knopf->x + 20, knopf->y + 10);
    EXPECT_NE(Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 128, 0);
    EXPECT_NE(Menue_Icon_Zustand(ICON_KADER_AUTO), 0u);
    const auto nach_klick = nach_slot(Team_Aktiv);
    Aufstellung_Automatisch(Team_Aktiv);
    EXPECT_EQ(nach_slot(Team_Aktiv), nach_klick) << "the click built the automatic line-up";
    // Switching it off keeps the line-up and clears the bit.
    kit::Klick(knopf->x + 20, knopf->y + 10);
    EXPECT_EQ(Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 128, 0);
    EXPECT_EQ(nach_slot(Team_Aktiv), nach_klick);
}

TEST_F(Kader, AufsSpielfeldSetzen) {
    oeffnen();
    // Pitch points to cells: the snapped corner of a shirt maps back to its cell.
    for (i32 c = 0; c < 7; ++c)
        for (i32 r = 1; r < 11; ++r) {
            i32 x = 24 * c + 10, y = 342 - 25 * r;
            ASSERT_TRUE(E1_Screen_Maus_In_Feld(&x, &y));
            EXPECT_EQ(x, c);
            EXPECT_EQ(y, r);
        }
    for (auto [x, y] : {std::pair{5, 200}, {100, 80}, {190, 200}, {40, 350}}) {
        i32 cx = x, cy = y;
        EXPECT_FALSE(E1_Screen_Maus_In_Feld(&cx, &cy));
        EXPECT_EQ(cx, x);
        EXPECT_EQ(cy, y);
    }
    // A starter selected and a click on the pitch: he moves to that cell.
    const auto s = nach_slot(Team_Aktiv);
    const i32 p = s[6];
    zeile_klicken(6);
    kit::Klick(24 * 3 + 10 + 5, 342 - 25 * 5 + 5);
    EXPECT_EQ(wert(82, p), 3);
    EXPECT_EQ(wert(83, p), 5);
    EXPECT_LE(slot(p), 10);
    EXPECT_EQ(Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 128, 0);
    // A reserve placed on a free cell takes the place of a starter, who
    // goes to the reserve's place.
    kit::Frames(40);
    const auto t = nach_slot(Team_Aktiv);
    const i32 reserve = t[18], c = leere_spalte();
    ASSERT_GE(c, 0);
    zeile_klicken(18);
    kit::Klick(zelle_x(c), zelle_y(9));
    EXPECT_LE(slot(reserve), 10);
    EXPECT_EQ(wert(82, reserve), c);
    EXPECT_EQ(wert(83, reserve), 9);
    i32 raus = 0;
    for (i32 k = 0; k < 11; ++k) raus += slot(t[static_cast<size_t>(k)]) == 18;
    EXPECT_EQ(raus, 1);
    // An unavailable player is refused with the message.
    verletzen(reserve);
    E1_Screen_Liste_Fuellen(Team_Aktiv);
    const auto vorher = nach_slot(Team_Aktiv);
    zeile_klicken(slot(reserve));
    ASSERT_NE(Menue_Icon_Zustand(ICON_KADER_ZEILE + slot(reserve)), 0u);
    kit::Meldungen_Leeren();
    kit::Klick(zelle_x(leere_spalte()), zelle_y(9));
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_EQ(kit::Meldungen()[0], e1(48));
    EXPECT_EQ(nach_slot(Team_Aktiv), vorher);
}

// A shirt lifted off the pitch and carried leaves a half-transparent copy
// at its place while it moves; dropped back, only the shirt stands there.
TEST_F(Kader, GezogenesTrikotLaesstHalbdurchsichtigeKopie) {
    oeffnen();
    const Screen_Icon* feld = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_FELD + 3);
    ASSERT_NE(feld, nullptr);
    const i32 hx = feld->x, hy = feld->y;
    auto trikot_bei = [](i32 x, i32 y) {
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            if (e.art != SPUR_TEXT && e.x == x && e.y == y && e.grafik >= GRAFIK_KADER_TRIKOT &&
                e.grafik < GRAFIK_KADER_TRIKOT + 4)
                return true;
        return false;
    };
    kit::Maus(hx + 8, hy + 8);
    kit::Druecken(MAUS_LINKS);
    kit::Maus(hx + 8, hy - 40);
    kit::Maus(hx + 8, hy - 100);
    kit::Spur_Leeren();
    kit::Frames(1);
    ASSERT_EQ(Menue_Get_Klick_Icon(), feld) << "the shirt is carried";
    EXPECT_TRUE(trikot_bei(hx, hy)) << "the copy at its place";
    kit::Png("kader_kopie");
    kit::Maus(hx + 8, hy + 8);
    kit::Loslassen(MAUS_LINKS);
    kit::Frames(2);
    EXPECT_EQ(Menue_Get_Klick_Icon(), nullptr);
}

TEST_F(Kader, ZiehenAufsFeldUndAufZeilen) {
    oeffnen();
    // A reserve dragged onto a free cell while a starter is injured: he
    // takes the injured man's place and then the cell.
    const auto s = nach_slot(Team_Aktiv);
    const i32 verletzter = s[4], reserve = s[18];
    verletzen(verletzter);
    E1_Screen_Liste_Fuellen(Team_Aktiv);
    Team_Wert(8, Team_Aktiv, 128, OP_BITS_SETZEN);
    i32 reihe = 5, c = leere_spalte(reihe);
    if (c < 0) reihe = 6, c = leere_spalte(reihe);
    ASSERT_GE(c, 0);
    kit::Ziehen(300, zeile_y(18) + 8, zelle_x(c), zelle_y(reihe));
    EXPECT_LE(slot(reserve), 10);
    EXPECT_EQ(wert(82, reserve), c);
    EXPECT_EQ(wert(83, reserve), reihe);
    EXPECT_EQ(slot(verletzter), 18);
    EXPECT_EQ(Team_Wert(8, Team_Aktiv, 0, OP_LESEN) & 128, 0);
    kit::Frames(40);

    // A starter's shirt dragged onto a substitute's row: they change places.
    const auto t = nach_slot(Team_Aktiv);
    const i32 stamm = t[7], ersatz = t[13];
    Screen_Icon* hemd = nullptr;
    for (i32 k = 0; k < 11; ++k)
        if (E1_Screen_Spieler_Von(ICON_KADER_FELD + k) == stamm) hemd = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_FELD + k);
    ASSERT_TRUE(hemd);
    kit::Ziehen(hemd->x + 12, hemd->y + 10, 300, zeile_y(13) + 8);
    EXPECT_EQ(slot(stamm), 13);
    EXPECT_EQ(slot(ersatz), 7);
    kit::Frames(40);

    // The injured man's row dragged onto a starter's row is refused.
    kit::Meldungen_Leeren();
    const auto vorher = nach_slot(Team_Aktiv);
    kit::Ziehen(300, zeile_y(18) + 8, 300, zeile_y(2) + 8);
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_EQ(kit::Meldungen()[0], e1(48));
    EXPECT_EQ(nach_slot(Team_Aktiv), vorher);
    kit::Requester_Antworten(true);

    // While a row is held over the pitch it is drawn as a shirt on a cell;
    // let go on its own row, nothing changes.
    const auto stand = nach_slot(Team_Aktiv);
    kit::Maus(300, zeile_y(16) + 8);
    kit::Druecken();
    kit::Maus(200, 240);
    kit::Maus(zelle_x(1), zelle_y(4));
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_KADER_TRIKOT_GEHOBEN + 0, 24 + 10 + 8, 342 - 100 + 8) ||
                kit::Grafik_Bei(GRAFIK_KADER_TRIKOT_GEHOBEN + 1, 24 + 10 + 8, 342 - 100 + 8) ||
                kit::Grafik_Bei(GRAFIK_KADER_TRIKOT_GEHOBEN + 2, 24 + 10 + 8, 342 - 100 + 8) ||
                kit::Grafik_Bei(GRAFIK_KADER_TRIKOT_GEHOBEN + 3, 24 + 10 + 8, 342 - 100 + 8));
    kit::Png("kader_ziehen");
    kit::Maus(300, zeile_y(16) + 8);
    kit::Loslassen();
    EXPECT_EQ(nach_slot(Team_Aktiv), stand);
}

TEST_F(Kader, AnsichtAndererVereinNurLesen) {
    Team_Ansicht = -1;
    oeffnen();
    kit::Frames(1);
    EXPECT_NE(Menue_Screen_Icon_Aus_Nummer(ICON_KADER_ANSICHT)->status & MENUE_S_GRAU, 0u)
        << "no viewed club: the switch is greyed";
    // Another club (without a manager) viewed.
    i32 anderer = -1;
    for (i32 t = 0; t < Team_Anzahl && anderer < 0; ++t)
        if (t != Team_Aktiv && Team_Ist_Normal(t, 0) && !Team_Hat_Manager(t) && Teamspieler_Ins_Array(t, nullptr, 20, 0) == 20)
            anderer = t;
    ASSERT_GE(anderer, 0);
    Team_Ansicht = anderer;
    kit::Frames(2);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_KADER_ANSICHT)->status & MENUE_S_GRAU, 0u);
    Screen_Icon* knopf = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_ANSICHT);
    kit::Klick(knopf->x + 20, knopf->y + 10);
    ASSERT_EQ(E1_Screen_Gezeigtes_Team(), anderer);
    EXPECT_NE(Menue_Icon_Zustand(ICON_KADERANSICHT_ANSICHT), 0u);
    EXPECT_NE(Menue_Screen_Icon_Aus_Nummer(ICON_KADER_AUTO)->status & MENUE_S_GRAU, 0u);
    const auto s = nach_slot(anderer);
    // Seen from the other side: each part in reverse slot order.
    constexpr i32 REIHE[20] = {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 16, 15, 14, 13, 12, 11, 19, 18, 17};
    for (i32 k = 0; k < 20; ++k) EXPECT_EQ(E1_Screen_Spieler_Von(ICON_KADER_ZEILE + k), s[static_cast<size_t>(REIHE[k])]) << k;
    // Clicks change nothing of the other club.
    zeile_klicken(0);
    zeile_klicken(5);
    kit::Ziehen(300, zeile_y(1) + 8, 300, zeile_y(15) + 8);
    EXPECT_EQ(nach_slot(anderer), s);
    kit::Png("kader_anderer_verein");
    // Back to the own team.
    kit::Klick(knopf->x + 20, knopf->y + 10);
    EXPECT_EQ(E1_Screen_Gezeigtes_Team(), Team_Aktiv);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_KADERANSICHT_ANSICHT), 0u);
}

TEST_F(Kader, JederManagerBehaeltSeinenStand) {
    i32 menschen[8];
    ASSERT_EQ(Manager_Ist_Dran(menschen, 0, 1), 2);
    const i32 a = Team_Aktiv, b = menschen[0] == a ? menschen[1] : menschen[0];
    i32 anderer = -1;
    for (i32 t = 0; t < Team_Anzahl && anderer < 0; ++t)
        if (Team_Ist_Normal(t, 0) && !Team_Hat_Manager(t) && Teamspieler_Ins_Array(t, nullptr, 20, 0) == 20) anderer = t;
    ASSERT_GE(anderer, 0);
    Team_Ansicht = anderer;
    oeffnen();
    Screen_Icon* knopf = Menue_Screen_Icon_Aus_Nummer(ICON_KADER_ANSICHT);
    kit::Klick(knopf->x + 20, knopf->y + 10);  // manager A looks at the other club
    ASSERT_EQ(E1_Screen_Gezeigtes_Team(), anderer);
    // Manager B's turn: his own squad, his own switch states.
    Team_Aktiv = b;
    E1_Screen_Aktualisieren();
    kit::Frames(2);
    EXPECT_EQ(E1_Screen_Gezeigtes_Team(), b);
    EXPECT_TRUE(kit::Text(Spieler_String(63, nach_slot(b)[0], nullptr, 0)));
    Team_Wert(8, b, 128, OP_BITS_SETZEN);
    E1_Screen_Liste_Fuellen(b);
    EXPECT_NE(Manager_Icon_Button_Lesen(b, ICON_KADER_AUTO), 0u);
    // A's turn again: the screen as he left it.
    Team_Aktiv = a;
    E1_Screen_Aktualisieren();
    EXPECT_EQ(E1_Screen_Gezeigtes_Team(), anderer);
    EXPECT_NE(Manager_Icon_Button_Lesen(a, ICON_KADER_ANSICHT), 0u);
    EXPECT_EQ(Team_Wert(8, b, 0, OP_LESEN) & 128, 128) << "showing A's screen leaves B's line-up alone";
}

}  // namespace

namespace {

// Under the reserves every attribute badge of the rows is named, in three
// lines of the badges' small form (two lines of the big form held 15 of the
// test game's 17): its badge and the attribute's whole name, inside the
// frame, no entry on another.
TEST_F(Kader, FaehigkeitenMarkenUnterDenZeilenBenannt) {
    oeffnen();
    kit::Spur_Leeren();
    kit::Frames(1);
    Legende_Erklaert(GRAFIK_ATTRIBUT, {204, 136, 791, 520}, {{197, 515, 791, 562}}, 99, -1, GRAFIK_ATTRIBUT_KLEIN);
}

// Every row badge names its attribute when the mouse rests on it.
TEST_F(Kader, FaehigkeitenMarkenMitHilfe) {
    oeffnen();
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_GE(Marken_Hilfe_Pruefen(GRAFIK_ATTRIBUT, {204, 136, 791, 520}, GRAFIK_ATTRIBUT_GEWAEHLT), 6u);
}

}  // namespace
