// Bad data on the team screens: a player record with values out of their
// range, a squad with fewer than eleven fit players, a tiny squad, a club
// without a manager viewed: every team screen, the card and the popup draw
// and react without a crash, and nothing changes that the manager did not
// change.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <ostream>
#include <vector>

#include "gui/menue.h"
#include "kit.h"
#include "screens/screens.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/kader.h"
#include "screens/squad/kaderansicht.h"
#include "screens/squad/spielerkarte.h"
#include "screens/squad/taktik.h"
#include "world/aufstellung.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

i32 wert(int modus, i32 p) { return Spieler_Wert(modus, p, 0, OP_LESEN); }

std::vector<i32> kader(i32 team) {
    i32 liste[40];
    const i32 n = Teamspieler_Ins_Array(team, liste, 40, 0);
    return std::vector<i32>(liste, liste + std::max(n, 0));
}

// Everything of a squad the screens must not change by only looking.
struct Stand {
    std::vector<std::array<i32, 6>> spieler;
    i32 formation;
    bool operator==(const Stand&) const = default;
};
void PrintTo(const Stand& s, std::ostream* o) {
    *o << "formation " << s.formation;
    for (const auto& p : s.spieler) *o << " [" << p[0] << " slot " << p[1] << " cell " << p[2] << "," << p[3] << " status " << p[4] << "]";
}
Stand stand(i32 team) {
    Stand s{{}, Team_Wert(8, team, 0, OP_LESEN)};
    for (i32 p : kader(team))
        s.spieler.push_back({p, wert(87, p), wert(82, p), wert(83, p), wert(75, p), wert(84, p)});
    return s;
}

// Opens every team screen with the card and the popup over it and draws.
void alles_zeigen(i32 team_karte) {
    for (i32 eintrag = 0; eintrag < 3; ++eintrag) {
        if (kit::Requester_Offen()) kit::Requester_Antworten(true);
        static constexpr Screen_Id SCREENS[3] = {Screen_Id::KADER, Screen_Id::KADER_ANSICHT, Screen_Id::TAKTIK};
        if (!Screen_Offen(SCREENS[eintrag])) {
            ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, eintrag)) << eintrag;
        }
        kit::Frames(5);
        for (i32 p : kader(team_karte)) {
            Spieler_Info_Screen_Init(p, team_karte, Spielerkarte_Modus_Fuer(team_karte));
            kit::Frames(1);
            Spieler_Info_Blaettern_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_KARTE_VOR), MENUE_E_LINKS);
            kit::Frames(1);
            Spieler_Info_Schliessen();
            Attribut_Popup_Oeffnen(p, 560, 300, team_karte);
            kit::Frames(1);
            Attribut_Popup_Schliessen();
        }
        // The mouse over each row, each card: the hover texts are built.
        for (i32 y = 136; y < 520; y += 17) kit::Maus(300, y);
        kit::Frames(120);
    }
}

class Team_Eingaben : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(1)); }
    void TearDown() override { kit::Beenden(); }
};

TEST_F(Team_Eingaben, WerteAusserhalbIhrerGrenzen) {
    const std::vector<i32> k = kader(Team_Aktiv);
    ASSERT_GE(k.size(), 12u);
    // Raw record values a damaged save could hold, one player each.
    const std::vector<std::function<void(Spieler_Struktur&, Spieler_Fix&)>> schaeden = {
        [](Spieler_Struktur& s, Spieler_Fix& f) { f.position = 9; },
        [](Spieler_Struktur& s, Spieler_Fix&) { s.rueckennummer = 250; },
        [](Spieler_Struktur& s, Spieler_Fix&) { s.staerke = 200, s.max_staerke = 250; },
        [](Spieler_Struktur& s, Spieler_Fix&) { s.erschoepfung = 200, s.moral = 99; },
        [](Spieler_Struktur& s, Spieler_Fix&) { s.spalte = 40, s.zeile = 77; },
        [](Spieler_Struktur& s, Spieler_Fix&) { s.verletzung_art = 200, s.verletzung_dauer = -5, s.status |= 0x40; },
        [](Spieler_Struktur& s, Spieler_Fix&) {
            for (i16& a : s.attribut) a = 32000;
        },
        [](Spieler_Struktur& s, Spieler_Fix&) { s.liga_wert[0] = 0, s.liga_wert[1] = 65535; },
    };
    for (size_t i = 0; i < schaeden.size(); ++i) schaeden[i](Spieler_Daten[k[i]], Spieler_Fix_Daten[k[i]]);
    alles_zeigen(Team_Aktiv);
    EXPECT_TRUE(Screen_Offen(Screen_Id::TAKTIK));
}

TEST_F(Team_Eingaben, ZuWenigeEinsatzbereite) {
    // All but eight players injured: the screens show them, the line-up
    // check puts every fit player into the eleven, and looking again
    // changes nothing.
    const std::vector<i32> k = kader(Team_Aktiv);
    for (size_t i = 8; i < k.size(); ++i) Spieler_Wert(75, k[i], 0x40, OP_BITS_SETZEN);
    alles_zeigen(Team_Aktiv);
    const Stand vorher = stand(Team_Aktiv);
    alles_zeigen(Team_Aktiv);
    EXPECT_EQ(stand(Team_Aktiv), vorher);
    for (i32 p : k) {
        if (!(wert(75, p) & 0x7c0)) {
            EXPECT_LE(wert(87, p), 10) << "every fit player is in the eleven";
        }
    }
    // The preview needs exactly eleven starters: with ten it shows nothing.
    i32 elf = 0;
    for (i32 p : k) elf += wert(87, p) < 11;
    if (elf != 11) {
        E1_Screen_Set_Preview_Array(k[0]);
        EXPECT_EQ(E1_Screen_Vorschau(0), -1);
    }
}

TEST_F(Team_Eingaben, VereinOhneManager) {
    // Another club without a manager viewed on the squad view and opened on
    // the card and the popup: stepping goes round its twenty players, and
    // looking changes nothing of it.
    i32 t = -1;
    for (i32 x = 0; x < Team_Anzahl && t < 0; ++x)
        if (x != Team_Aktiv && x != Team_Transfermarkt && !Team_Hat_Manager(x) && kader(x).size() >= 20) t = x;
    ASSERT_GE(t, 0);
    Aufstellung_Automatisch(t);
    const std::vector<i32> k = kader(t);
    const Stand vorher = stand(t);
    Team_Ansicht = t;
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 1));
    kit::Frames(3);
    Screen_Icon* s = Menue_Screen_Icon_Aus_Nummer(ICON_E2_ANSICHT);
    kit::Klick(s->x + 20, s->y + 10);
    ASSERT_EQ(E2_Screen_Gezeigtes_Team(), t);
    Spieler_Info_Screen_Init(k[0], t, SPIELERKARTE_ANDERE);
    std::vector<i32> gesehen;
    for (i32 n = 0; n < 20; ++n) {
        kit::Frames(25);
        Spieler_Info_Blaettern_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_KARTE_ZURUECK), MENUE_E_LINKS);
        const i32 gezeigt = Spieler_Info_Spieler();
        EXPECT_NE(std::find(k.begin(), k.end(), gezeigt), k.end()) << gezeigt;
        gesehen.push_back(gezeigt);
    }
    std::sort(gesehen.begin(), gesehen.end());
    EXPECT_EQ(std::unique(gesehen.begin(), gesehen.end()) - gesehen.begin(), 20) << "each of the twenty once";
    Spieler_Info_Schliessen();
    Attribut_Popup_Oeffnen(k[1], 400, 300, t);
    for (i32 n = 0; n < 10; ++n) {
        kit::Frames(30);
        Attribut_Popup_Blaettern_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_POPUP_VOR), MENUE_E_LINKS);
        EXPECT_NE(std::find(k.begin(), k.end(), Attribut_Popup_Spieler()), k.end());
    }
    Attribut_Popup_Schliessen();
    kit::Frames(5);
    EXPECT_TRUE(stand(t) == vorher) << "viewing another club changes nothing of it";
}

TEST_F(Team_Eingaben, TaktikOhneGegner) {
    // Man-marking with no opponent known: the markers of nobody change.
    Team_Ansicht = -1;
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 2));
    kit::Frames(3);
    for (i32 i = 0; i < 3; ++i) {
        const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_KLEIN_3);
        kit::Klick(k->x + 10, k->y + 10);
        kit::Frames(20);
    }
    u8 t[7];
    Team_Get_Aktuelle_Taktik(Team_Aktiv, t);
    EXPECT_EQ(t[3], 1);
    // Values written above their maximum by a damaged save come back cut.
    const u8 zu_gross[7] = {7, 7, 70, 7, 70, 70, 70};
    Team_Set_Aktuelle_Taktik(Team_Aktiv, zu_gross);
    Taktik_Screen_Fuellen(Team_Aktiv);
    kit::Frames(20);
    EXPECT_TRUE(Taktik_Screen_Stufe(5, true));
    Team_Get_Aktuelle_Taktik(Team_Aktiv, t);
    EXPECT_EQ(t[5], 0) << "from the maximum 6 up wraps to 0";
}

}  // namespace
