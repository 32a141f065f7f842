// The transfer screen and the negotiation in a new game with two human
// managers: opened from the main menu, both lists and the frame's texts, the
// proceeds of a sale, a sale with its requester, the transfer limit, the
// scout choice, a negotiation to a deal, a time-out, the seller's drops, the
// money check, and money summed over all clubs moving only by the bookings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "base/globals.h"
#include "base/random.h"
#include "grafik_nummern.h"
#include "graphics/font.h"
#include "graphics/zeichenspur.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "legende.h"
#include "screens/market/transfer.h"
#include "screens/market/verhandlung.h"
#include "screens/screens.h"
#include "screens/teile/namen.h"
#include "screens/squad/attribut_popup.h"
#include "screens/squad/spielerkarte.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/markt.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr i32 eigen_y(i32 i) { return i < 11 ? 136 + 17 * i : i < 17 ? 344 + 17 * (i - 11) : 467 + 17 * (i - 17); }
const char* text(i32 n) { return Text_cfg_Text(TEXT_TRANSFER, n); }

f64 geld_aller_vereine() {
    f64 s = 0;
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Bank_Konto_Offen(t)) s += Bank_Get_Kontostand(t, 0, -1);
    return s;
}

// A cursor of the random table at which the negotiation's first draws give
// n thresholds and m time marks (searched, the cursor put back).
i32 cursor_fuer(i32 n_soll, i32 m_soll, i32 q) {
    i64 wert = Spieler_Berechne_Marktwert(q);
    if (Spieler_Wert(75, q, 0, OP_LESEN) & SP_STATUS_SCOUT) wert -= wert * 10 / 100;
    const i32 v = static_cast<i32>(wert), a = Global_Transfer_Forderung(q);
    for (i32 c = 0; c < static_cast<i32>(RND_TABELLE_GROESSE); ++c) {
        Rnd_Push();
        Rnd_Set_Index(c, 0);
        i32 n = Rnd(0, 12);
        if (n != 0 && n % 2 == 0) --n;
        bool passt = n == n_soll;
        if (passt) {
            // The thresholds' draws come before the marks': skip them the way the window does.
            for (i32 i = 0; i < n; ++i) Rnd(v, a);
            passt = Rnd(0, n) == m_soll;
        }
        Rnd_Pop();
        if (passt) return c;
    }
    return -1;
}

class Transfer : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(2)); }
    void TearDown() override { kit::Beenden(); }
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 3));
        ASSERT_TRUE(Screen_Offen(Screen_Id::TRANSFER));
        kit::Frames(20);
    }
    i32 eigen(i32 i) { return Transfer_Screen_Spieler_Von(ICON_TRANSFER_EIGEN + i); }
    i32 markt(i32 i) { return Transfer_Screen_Spieler_Von(ICON_TRANSFER_MARKT + i); }
    void eigen_klicken(i32 i, u32 taste = MAUS_LINKS) { kit::Klick(150, eigen_y(i) + 8, taste); }
    void markt_klicken(i32 i, u32 taste = MAUS_LINKS) { kit::Klick(480, 136 + 17 * i + 8, taste); }
    void zeichnen() {
        kit::Spur_Leeren();
        kit::Frames(1);
    }
    // Marks market row i and opens the negotiation with own row k.
    void verhandeln(i32 i, i32 k, i32 cursor = -1) {
        markt_klicken(i);
        ASSERT_EQ(Transfer_Screen_Markt_Auswahl(), markt(i));
        if (cursor >= 0) Rnd_Set_Index(cursor, 0);
        eigen_klicken(k);
        ASSERT_TRUE(Verhandlung_Offen());
        kit::Frames(2);
    }
    void knopf(i32 x, i32 y) {
        kit::Warten(200);
        kit::Klick(x, y);
    }
    // A market row and a cursor of the random table for talks with own row
    // k that have one threshold and one time mark (early enough for the drop
    // to end inside the clock), the threshold at least a step above the
    // opening bid and below the asking price. Searched by opening the window
    // itself, since the generated market decides which rows leave room;
    // {-1, -1} when none does.
    std::pair<i32, i32> fall_mit_senkung(i32 k) {
        const i32 p = eigen(k);
        for (i32 i = 0; i < 11; ++i) {
            const i32 q = markt(i);
            if (p < 0 || q < 0 || Verhandlung_Geld(p) - Spieler_Berechne_Marktwert(q) <= 0) continue;
            for (i32 c = 0; c < static_cast<i32>(RND_TABELLE_GROESSE); ++c) {
                Rnd_Set_Index(c, 0);
                if (!Verhandlung_Oeffnen(p, q)) break;
                const Verhandlung_Daten& d = Verhandlung_Stand_Lesen();
                const bool raum = d.forderung - d.gebot >= 20000;
                const bool passt = d.n == 1 && d.m == 1 && d.schwelle[0] - 10000 >= d.gebot &&
                                   d.schwelle[0] < d.forderung && d.zeitmarke[0] <= 15000;
                Verhandlung_Schliessen();
                if (passt) return {i, c};
                if (!raum) break;  // no threshold fits between bid and price, whatever the cursor
            }
        }
        return {-1, -1};
    }
    // The first market row own row k can pay and whose demand stands above
    // its value (talks that run, not a deal at once); -1 when none.
    i32 zeile_mit_spanne(i32 k) {
        for (i32 i = 0; i < 11; ++i) {
            const i32 q = markt(i);
            if (q >= 0 && eigen(k) >= 0 && !(Spieler_Wert(75, q, 0, OP_LESEN) & SP_STATUS_SCOUT) &&
                Global_Transfer_Forderung(q) > Spieler_Berechne_Marktwert(q) &&
                Verhandlung_Geld(eigen(k)) >= Global_Transfer_Forderung(q))
                return i;
        }
        return -1;
    }
    void starten() { knopf(697, 227); }
    void plus_100k() { knopf(591, 227); }
    void plus_10k() { knopf(548, 227); }
    void verlassen() { knopf(722, 478); }
};

TEST_F(Transfer, ListenUndRahmen) {
    oeffnen();
    // The own squad by line-up slot, the window by position class (descending).
    for (i32 i = 0; i < 20; ++i) {
        ASSERT_GE(eigen(i), 0) << i;
        EXPECT_EQ(Spieler_Get_Team(eigen(i)), Team_Aktiv);
        if (i > 0) {
            EXPECT_LE(Spieler_Wert(87, eigen(i - 1), 0, OP_LESEN), Spieler_Wert(87, eigen(i), 0, OP_LESEN));
        }
    }
    for (i32 i = 0; i < 11; ++i) {
        ASSERT_GE(markt(i), 0) << i;
        EXPECT_EQ(Spieler_Get_Team(markt(i)), Team_Transfermarkt);
        if (i > 0) {
            EXPECT_GE(Spieler_Wert(67, markt(i - 1), 0, OP_LESEN), Spieler_Wert(67, markt(i), 0, OP_LESEN));
        }
    }
    // No scout player yet: his row is off.
    EXPECT_EQ(markt(11), -1);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_TRANSFER_SCOUTSPIELER)->status & MENUE_S_GRAU);
    zeichnen();
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_TRANSFER_RAHMEN, 400, 95));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_TRANSFER_SCOUT, 430, 430));
    EXPECT_TRUE(kit::Text_Auf_Zeile(text(17), 415));
    EXPECT_TRUE(kit::Text(Scout_Tabelle[0].nachname));
    EXPECT_TRUE(kit::Text(Spieler_String(63, eigen(0), nullptr, 0)));
    EXPECT_TRUE(kit::Text(Bank_Geld_String(Global_Transfer_Forderung(markt(0)), Team_Aktiv, -1, 0)));
    // The count line: the plural word, and the hint to click a player.
    const i32 n = Team_Wert(20, Team_Aktiv, 0, OP_LESEN);
    ASSERT_GT(n, 1);
    const std::string zeile = std::string(text(21)) + " " + std::to_string(n) + " " + text(23);
    EXPECT_TRUE(kit::Text_Auf_Zeile(zeile.c_str(), 541));
    EXPECT_TRUE(kit::Text_Auf_Zeile(text(22), 558));
    kit::Png("transfer");
}

TEST_F(Transfer, ZaehlerZeileUndPuls) {
    struct Fall {
        i32 wechsel;
        bool auswahl;
        const char* text;
        i32 y;
    } faelle[] = {
        {1, false, text(42), 541}, {3, false, text(23), 348}, {0, false, text(40), 550},
        {0, true, text(40), 541},  {2, true, text(22), 558},
    };
    oeffnen();
    for (const Fall& f : faelle) {
        Team_Wert(20, Team_Aktiv, 3, OP_SCHREIBEN);
        Transfer_Screen_Auswahl_Loeschen();
        if (f.auswahl) markt_klicken(0);
        Team_Wert(20, Team_Aktiv, f.wechsel, OP_SCHREIBEN);
        zeichnen();
        EXPECT_TRUE(kit::Text_Auf_Zeile(f.text, f.y)) << f.wechsel << " " << f.auswahl;
    }
    // With a player marked the hint pulses: its colour changes from frame to frame.
    Team_Wert(20, Team_Aktiv, 2, OP_SCHREIBEN);
    std::vector<u16> farben;
    for (int i = 0; i < 8; ++i) {
        zeichnen();
        if (const Zeichenspur_Eintrag* e = kit::Text_Auf_Zeile(text(22), 558)) farben.push_back(e->farbe);
    }
    std::sort(farben.begin(), farben.end());
    EXPECT_GT(std::unique(farben.begin(), farben.end()) - farben.begin(), 2);
}

TEST_F(Transfer, VerkaufMitRequester) {
    oeffnen();
    const i32 team = Team_Aktiv, p = eigen(19);
    const i32 wechsel = Team_Wert(20, team, 0, OP_LESEN);
    const i32 erloes = Transfer_Screen_Angebot_Differenz(p);
    const f64 geld = geld_aller_vereine(), konto = Bank_Get_Kontostand(team, 0, -1);
    // "No" changes nothing.
    eigen_klicken(19);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(false);
    EXPECT_EQ(Spieler_Get_Team(p), team);
    EXPECT_EQ(Team_Wert(20, team, 0, OP_LESEN), wechsel);
    // "Yes": he goes to the market, one of its players comes, the proceeds are booked.
    eigen_klicken(19);
    ASSERT_TRUE(kit::Requester_Offen());
    EXPECT_TRUE(kit::Text(Spieler_String(63, p, nullptr, 0)));
    kit::Requester_Antworten(true);
    kit::Frames(2);
    EXPECT_EQ(Spieler_Get_Team(p), Team_Transfermarkt);
    EXPECT_EQ(Team_Kader_Anzahl(team), 20);
    EXPECT_EQ(Team_Wert(20, team, 0, OP_LESEN), wechsel - 1);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(team, 0, -1), konto + erloes);
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), geld + erloes) << "the market pays what it pays; nothing else moves";
    // The new player is in the list.
    bool neu = false;
    for (i32 i = 0; i < 20; ++i) neu = neu || eigen(i) < 0 || Spieler_Get_Team(eigen(i)) != team;
    EXPECT_FALSE(neu);
}

TEST_F(Transfer, KeinWechselMehr) {
    oeffnen();
    Team_Wert(20, Team_Aktiv, 0, OP_SCHREIBEN);
    const i32 p = eigen(5);
    for (auto klick : {0, 1}) {
        kit::Meldungen_Leeren();
        if (klick == 0) eigen_klicken(5);
        else markt_klicken(2);
        ASSERT_EQ(kit::Meldungen().size(), 1u);
        EXPECT_NE(kit::Meldungen()[0].find(text(36)), std::string::npos);
        kit::Requester_Antworten(true);
        EXPECT_EQ(Transfer_Screen_Markt_Auswahl(), -1);
        EXPECT_FALSE(Verhandlung_Offen());
    }
    EXPECT_EQ(Spieler_Get_Team(p), Team_Aktiv);
}

TEST_F(Transfer, HoverTextMitAllenVerletzungen) {
    oeffnen();
    const i32 p = eigen(3);
    kit::Maus(150, eigen_y(3) + 8);
    Screen_Icon* zeile = Menue_Screen_Icon_Aus_Nummer(ICON_TRANSFER_EIGEN + 3);
    // Every injury kind names itself (the list of six was too short).
    for (i32 art : {0, 5, 6, 23, 30, 41}) {
        Spieler_Wert(75, p, 0x40, OP_BITS_SETZEN);
        Spieler_Wert(70, p, art, OP_SCHREIBEN);
        const std::string t = Transfer_Screen_Zeile_Hilfe(zeile);
        EXPECT_NE(t.find(Verletzungs_Text(art)), std::string::npos) << art;
    }
    // Own players show the proceeds, market players do not.
    const std::string eigen_text = Transfer_Screen_Zeile_Hilfe(zeile);
    const std::string erloes = Bank_Geld_String(Transfer_Screen_Angebot_Differenz(p), Team_Aktiv, -1, 0);
    EXPECT_NE(eigen_text.find(erloes), std::string::npos);
    EXPECT_NE(eigen_text.find(Text_cfg_Text(TEXT_EINSETZEN_1, 37)), std::string::npos);
    kit::Maus(480, 136 + 8);
    const std::string markt_text = Transfer_Screen_Zeile_Hilfe(Menue_Screen_Icon_Aus_Nummer(ICON_TRANSFER_MARKT));
    EXPECT_EQ(markt_text.find(Text_cfg_Text(TEXT_EINSETZEN_1, 37)), std::string::npos);
    EXPECT_NE(markt_text.find(Text_cfg_Text(TEXT_EINSETZEN_1, 38)), std::string::npos);
}

TEST_F(Transfer, ScoutWahlGedrosselt) {
    oeffnen();
    const i32 s0 = Transfer_Screen_Scout();
    kit::Warten(400);
    kit::Klick(580, 475);
    kit::Klick(580, 475);  // within 300 ms: no second step
    EXPECT_EQ(Transfer_Screen_Scout(), (s0 + 1) % 4);
    kit::Warten(400);
    kit::Klick(540, 475);
    kit::Warten(400);
    kit::Klick(540, 475);
    EXPECT_EQ(Transfer_Screen_Scout(), (s0 + 3) % 4);
    zeichnen();
    EXPECT_TRUE(kit::Text(Scout_Tabelle[(s0 + 3) % 4].nachname));
}

TEST_F(Transfer, VerhandlungBisZurEinigung) {
    oeffnen();
    const i32 team = Team_Aktiv;
    // A market row whose price the club can pay with own row 18.
    const i32 z = zeile_mit_spanne(18);
    ASSERT_GE(z, 0);
    const i32 c = cursor_fuer(0, 0, markt(z));
    ASSERT_GE(c, 0);
    const i32 q = markt(z), p = eigen(18);
    const i32 wechsel = Team_Wert(20, team, 0, OP_LESEN);
    verhandeln(z, 18, c);
    const Verhandlung_Daten& d = Verhandlung_Stand_Lesen();
    EXPECT_EQ(d.n, 0);
    EXPECT_EQ(d.stand, VH_BEREIT);
    EXPECT_EQ(d.gebot, std::min<i64>(Verhandlung_Geld(p), Spieler_Berechne_Marktwert(q)));
    // Raising before the start does nothing.
    plus_100k();
    EXPECT_EQ(d.gebot, std::min<i64>(Verhandlung_Geld(p), Spieler_Berechne_Marktwert(q)));
    starten();
    EXPECT_EQ(d.stand, VH_LAEUFT);
    EXPECT_EQ(Team_Wert(20, team, 0, OP_LESEN), wechsel - 1);
    for (int i = 0; i < 200 && d.stand != VH_ENDE; ++i) plus_100k();
    ASSERT_EQ(d.stand, VH_ENDE);
    EXPECT_TRUE(d.einig);
    EXPECT_EQ(d.gebot, d.forderung);
    zeichnen();
    EXPECT_TRUE(kit::Text(text(51)));
    // The window says what it is in its title bar (above the gold rule 34 px
    // under its top), and the block "Ihr Spieler" shows the player we give:
    // his name and value under the caption, above the deal's sums.
    const Screen_Icon* fenster = Menue_Screen_Icon_Aus_Nummer(ICON_VERHANDLUNG);
    ASSERT_TRUE(fenster);
    const Zeichenspur_Eintrag* titel = kit::Text("Transferverhandlung");
    ASSERT_TRUE(titel);
    EXPECT_GT(titel->y, fenster->y);
    EXPECT_LE(titel->y, fenster->y + 34);
    const Zeichenspur_Eintrag* ihr = kit::Text(text(43));
    const Zeichenspur_Eintrag* name = nullptr;
    for (const Zeichenspur_Eintrag* e : kit::Texte(Spieler_String(505, p, nullptr, 0)))
        if (e->sichtbar == Spieler_String(505, p, nullptr, 0)) name = e;
    const Zeichenspur_Eintrag* summe = kit::Text("+ Erlös f");
    ASSERT_TRUE(ihr && name && summe);
    EXPECT_GT(name->y, ihr->y);
    EXPECT_LT(name->y, summe->y - 12);
    const std::string wert = std::string(text(58)) + " " + Bank_Geld_String(Spieler_Berechne_Marktwert(p), team, -1, 0);
    const Zeichenspur_Eintrag* w = kit::Text(wert.c_str());
    ASSERT_TRUE(w) << wert;
    EXPECT_EQ(w->y, name->y);
    kit::Png("verhandlung_einig");
    const i32 preis = d.gebot, erloes = Transfer_Screen_Angebot_Differenz(p);
    const f64 geld = geld_aller_vereine();
    verlassen();
    EXPECT_FALSE(Verhandlung_Offen());
    EXPECT_EQ(Spieler_Get_Team(q), team);
    EXPECT_EQ(Spieler_Get_Team(p), Team_Transfermarkt);
    EXPECT_EQ(Team_Kader_Anzahl(team), 20);
    EXPECT_EQ(Team_Wert(20, team, 0, OP_LESEN), wechsel - 1) << "one transfer for the whole deal";
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), geld - preis + erloes);
    EXPECT_EQ(Transfer_Screen_Markt_Auswahl(), -1);
}

// The window's figures say what they are: a line named after the balance
// shows the balance (the deal's difference has a name of its own), the card
// button lies clear of the market player's face, and no empty box stands
// above the bid's caption.
TEST_F(Transfer, VerhandlungZahlenUndPlaetze) {
    oeffnen();
    const i32 p = eigen(18);
    verhandeln(3, 18);
    zeichnen();
    const Verhandlung_Daten& d = Verhandlung_Stand_Lesen();
    const f64 konto = Bank_Get_Kontostand(Team_Aktiv, 0, -1);
    const i32 saldo = Transfer_Screen_Angebot_Differenz(p) - d.gebot;
    const std::string danach = Bank_Geld_String(konto + saldo, Team_Aktiv, -1, 0);
    i32 kontozeilen = 0;
    for (const Zeichenspur_Eintrag* e : kit::Texte("Kontostand")) {
        if (e->y < 69 + 300) continue;  // the header's balance
        ++kontozeilen;
        EXPECT_NE(e->sichtbar.find(danach), std::string::npos) << e->sichtbar;
    }
    EXPECT_EQ(kontozeilen, 1);
    const std::string differenz = Bank_Geld_String(std::abs(saldo), Team_Aktiv, -1, 0);
    const Zeichenspur_Eintrag* zeile = kit::Text(text(33));
    ASSERT_TRUE(zeile);
    EXPECT_NE(zeile->sichtbar.find(differenz), std::string::npos) << zeile->sichtbar;
    // The card button and the face (85 x 100 at 55,135) do not overlap.
    const Screen_Icon* karte = Menue_Screen_Icon_Aus_Nummer(ICON_VERHANDLUNG_KARTE);
    ASSERT_TRUE(karte);
    const bool ueber =
        karte->x < 55 + 85 && karte->x + karte->w > 55 && karte->y < 135 + 100 && karte->y + karte->h > 135;
    EXPECT_FALSE(ueber) << karte->x << "," << karte->y;
    // Above the bid's caption the window is plain panel, as beside it.
    const Zeichenspur_Eintrag* gebot = kit::Text(text(45));
    ASSERT_TRUE(gebot);
    EXPECT_EQ(kit::Probe(640, gebot->y - 40), kit::Probe(450, gebot->y - 40));
    // The own player's line: his six star places end before his value begins.
    const Zeichenspur_Eintrag* wert = nullptr;
    for (const Zeichenspur_Eintrag* e : kit::Texte(text(58)))
        if (!wert || e->y > wert->y) wert = e;
    ASSERT_TRUE(wert);
    i32 plaetze = 0;
    bool im_fenster = false;  // the window's line comes after its caption; the list behind it before
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
        if (e.art == SPUR_TEXT && e.sichtbar == text(43)) im_fenster = true;
        if (!im_fenster) continue;
        const bool stern = e.grafik == GRAFIK_STERN_LEER || e.grafik == GRAFIK_STERN_LEER_GEWAEHLT ||
                           e.grafik == GRAFIK_STERN || e.grafik == GRAFIK_STERN_HALB;
        if (e.art != SPUR_BLIT || !stern || std::abs(e.y - wert->y) > 20 || e.x > wert->x + 200) continue;
        plaetze += e.grafik == GRAFIK_STERN_LEER || e.grafik == GRAFIK_STERN_LEER_GEWAEHLT;  // filled ones lie over them
        EXPECT_LE(e.x + e.breite, wert->x) << "a star place under \"" << wert->sichtbar << "\"";
    }
    EXPECT_EQ(plaetze, 6);
    kit::Png("verhandlung_offen");
}

TEST_F(Transfer, ZeitAbgelaufenUndAbbruchKostenDenWechsel) {
    oeffnen();
    const i32 team = Team_Aktiv;
    const i32 z = zeile_mit_spanne(17);
    ASSERT_GE(z, 0);
    const i32 q = markt(z), p = eigen(17);
    const i32 wechsel = Team_Wert(20, team, 0, OP_LESEN);
    verhandeln(z, 17, cursor_fuer(0, 0, markt(z)));
    starten();
    kit::Frames(310, 100);
    const Verhandlung_Daten& d = Verhandlung_Stand_Lesen();
    ASSERT_EQ(d.stand, VH_ENDE);
    EXPECT_FALSE(d.einig);
    zeichnen();
    // The failed talks' sentence stands whole inside the window: every
    // piece ends before its right edge, and the pieces make up the text.
    {
        const Screen_Icon* fenster = Menue_Screen_Icon_Aus_Nummer(ICON_VERHANDLUNG);
        ASSERT_TRUE(fenster);
        Font* f = Kit_Font(Kit_Schrift::SCHMAL_GROSS);
        ASSERT_TRUE(f);
        std::string ganz;
        i32 stuecke = 0;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
            if (e.art != SPUR_TEXT || e.sichtbar.empty() || std::string(text(60)).find(e.sichtbar) == std::string::npos) continue;
            if (e.y < fenster->y + 200 || e.x < fenster->x + 400) continue;
            EXPECT_LE(e.x + Font_Text_Breite(f, e.sichtbar.c_str()), fenster->x + fenster->w) << e.sichtbar;
            ganz += (ganz.empty() ? "" : " ") + e.sichtbar;
            ++stuecke;
        }
        EXPECT_EQ(ganz, text(60));
        EXPECT_GE(stuecke, 1);
    }
    const f64 geld = geld_aller_vereine();
    verlassen();
    EXPECT_EQ(Spieler_Get_Team(q), Team_Transfermarkt);
    EXPECT_EQ(Spieler_Get_Team(p), team);
    EXPECT_EQ(Team_Wert(20, team, 0, OP_LESEN), wechsel - 1);
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), geld);
    // Breaking off while the clock runs asks first; "no" resumes, "yes" ends it, the transfer spent.
    verhandeln(z, 17, cursor_fuer(0, 0, markt(z)));
    starten();
    kit::Frames(20, 100);
    verlassen();
    ASSERT_TRUE(kit::Requester_Offen());
    EXPECT_EQ(d.stand, VH_PAUSE);
    const i32 rest = d.pause_vergangen;
    kit::Frames(50, 100);  // the clock stands while the question is open
    kit::Requester_Antworten(false);
    EXPECT_EQ(d.stand, VH_LAEUFT);
    EXPECT_LT(static_cast<i32>(kit::Jetzt() - d.start), rest + 1000);
    verlassen();
    kit::Requester_Antworten(true);
    EXPECT_FALSE(Verhandlung_Offen());
    EXPECT_EQ(Team_Wert(20, team, 0, OP_LESEN), wechsel - 2);
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), geld);
}

TEST_F(Transfer, SpielerkarteHaeltDieUhrAn) {
    oeffnen();
    const i32 z = zeile_mit_spanne(15);
    ASSERT_GE(z, 0);
    verhandeln(z, 15, cursor_fuer(0, 0, markt(z)));
    starten();
    kit::Frames(30, 100);
    const Verhandlung_Daten& d = Verhandlung_Stand_Lesen();
    knopf(179, 221);
    ASSERT_TRUE(Spieler_Info_Offen());
    EXPECT_EQ(Spieler_Info_Spieler(), d.markt);
    EXPECT_EQ(d.stand, VH_PAUSE);
    const i32 stand = d.karte_vergangen;
    ASSERT_GE(stand, 3000);
    kit::Frames(50, 100);  // five seconds with the card up: the clock stands
    kit::Spur_Leeren();
    kit::Frames(1);
    kit::Png("verhandlung_karte");
    Spieler_Info_Schliessen();
    kit::Frames(1);
    EXPECT_EQ(d.stand, VH_LAEUFT);
    EXPECT_NEAR(static_cast<i32>(kit::Jetzt() - d.start), stand, 300);
}

TEST_F(Transfer, KarteUndAttributeDerZeilen) {
    oeffnen();
    // A right click shows the player's card: an own player, a market player.
    kit::Klick(150, eigen_y(4) + 8, MAUS_RECHTS);
    ASSERT_TRUE(Spieler_Info_Offen());
    EXPECT_EQ(Spieler_Info_Spieler(), eigen(4));
    Spieler_Info_Schliessen();
    kit::Frames(2);
    kit::Klick(480, 136 + 17 * 2 + 8, MAUS_RECHTS);
    ASSERT_TRUE(Spieler_Info_Offen());
    EXPECT_EQ(Spieler_Info_Spieler(), markt(2));
    Spieler_Info_Schliessen();
    kit::Frames(2);
    // A click on the special attributes opens the popup instead of a sale.
    kit::Klick(320, eigen_y(0) + 8);
    EXPECT_TRUE(Attribut_Popup_Offen());
    EXPECT_EQ(Attribut_Popup_Spieler(), eigen(0));
    EXPECT_FALSE(kit::Requester_Offen());
    // With the popup open a row shows its player there; on its attributes nothing else happens.
    kit::Klick(320, eigen_y(2) + 8);
    EXPECT_EQ(Attribut_Popup_Spieler(), eigen(2));
    EXPECT_FALSE(kit::Requester_Offen());
}

TEST_F(Transfer, PreisSenkungZurSchwelle) {
    oeffnen();
    const auto [zeile, c] = fall_mit_senkung(16);
    ASSERT_GE(zeile, 0) << "no market player leaves room for a drop";
    verhandeln(zeile, 16, c);
    const Verhandlung_Daten& d = Verhandlung_Stand_Lesen();
    ASSERT_EQ(d.n, 1);
    ASSERT_EQ(d.m, 1);
    const i32 ziel = d.schwelle[0], start_preis = d.forderung, gebot = d.gebot;
    ASSERT_GE(ziel - 10000, gebot);
    ASSERT_LT(ziel, start_preis);
    ASSERT_GE(d.zeitmarke[0], 2000);
    starten();
    // Until the time mark the price stands.
    while (static_cast<i32>(kit::Jetzt() - d.start) < d.zeitmarke[0] - 50) kit::Frames(1, 40);
    EXPECT_EQ(d.forderung, start_preis);
    EXPECT_EQ(d.stand, VH_LAEUFT);
    // The bid lies below the threshold: the mark alone starts the drop.
    kit::Frames(3, 40);
    ASSERT_EQ(d.stand, VH_SENKUNG);
    // A second after the drop starts the price falls, at most one step per 100 ms, to the threshold.
    kit::Frames(20, 40);
    EXPECT_EQ(d.forderung, start_preis);
    i32 vorher = d.forderung, schritte = 0;
    u32 letzter = 0;
    for (int i = 0; i < 400 && d.stand == VH_SENKUNG; ++i) {
        kit::Frames(1, 50);
        if (d.forderung != vorher) {
            const i32 schritt = vorher - d.forderung;
            // Steps of 100,000 while that much is left above the threshold, then of 10,000.
            EXPECT_EQ(schritt, vorher - ziel >= 100000 ? 100000 : 10000) << vorher;
            if (schritte > 0) {
                EXPECT_GE(kit::Jetzt() - letzter, 100u);
            }
            letzter = kit::Jetzt();
            vorher = d.forderung;
            ++schritte;
        }
    }
    EXPECT_GT(schritte, 0);
    // The bid stays a step below the threshold: no agreement; the price
    // stands at the threshold, the bid where it was, and the clock runs on.
    EXPECT_FALSE(d.einig);
    EXPECT_EQ(d.forderung, ziel);
    EXPECT_EQ(d.gebot, gebot);
    EXPECT_EQ(d.stand, VH_LAEUFT);
}

TEST_F(Transfer, SchwellenUndZeitmarkenFuerVieleCursor) {
    oeffnen();
    markt_klicken(6);
    const i32 q = markt(6);
    const i32 wert = Spieler_Berechne_Marktwert(q), forderung = Global_Transfer_Forderung(q);
    for (i32 c = 0; c < 6000; c += 97) {
        Rnd_Set_Index(c, 0);
        ASSERT_TRUE(Verhandlung_Oeffnen(eigen(10), q));
        const Verhandlung_Daten& d = Verhandlung_Stand_Lesen();
        EXPECT_TRUE(d.n == 0 || (d.n % 2 == 1 && d.n <= 11)) << c;
        EXPECT_LE(d.m, d.n) << c;
        EXPECT_EQ(d.h, d.n > 1 ? d.n - 1 : 0);
        for (i32 i = 0; i < d.n; ++i) {
            EXPECT_EQ(d.schwelle[i] % 10000, 0);
            if (forderung >= wert) {
                EXPECT_GE(d.schwelle[i], Global_Runde_10000(wert));
                EXPECT_LE(d.schwelle[i], forderung);
            }
            if (i > 0) {
                EXPECT_LE(d.schwelle[i - 1], d.schwelle[i]) << c;
            }
        }
        for (i32 i = 0; i < d.m; ++i) {
            EXPECT_GE(d.zeitmarke[i], 2000);
            if (i > 0) {
                EXPECT_GE(d.zeitmarke[i] - d.zeitmarke[i - 1], 2000) << c << " " << i;
            }
        }
        Verhandlung_Schliessen();
    }
    // A scout player's bid starts at 90 % of his value at most.
    Spieler_Wert(75, q, static_cast<i32>(SP_STATUS_SCOUT), OP_BITS_SETZEN);
    ASSERT_TRUE(Verhandlung_Oeffnen(eigen(10), q));
    EXPECT_LE(Verhandlung_Stand_Lesen().gebot, wert - wert * 10 / 100);
    Verhandlung_Schliessen();
}

TEST_F(Transfer, OhneGeldKeineVerhandlung) {
    oeffnen();
    const i32 team = Team_Aktiv;
    // Empty the account down to nothing: the window refuses with the message.
    Bank_Buchen(team, -1, static_cast<f32>(Bank_Get_Kontostand(team, 0, -1) + Bank_Get_Kreditrahmen(team)), 27, 1, -1);
    const i32 billig = eigen(19);
    markt_klicken(0);
    kit::Meldungen_Leeren();
    const f64 geld = geld_aller_vereine();
    const i32 wechsel = Team_Wert(20, team, 0, OP_LESEN);
    if (Verhandlung_Geld(billig) - Spieler_Berechne_Marktwert(markt(0)) > 0) GTEST_SKIP() << "proceeds alone pay him";
    eigen_klicken(19);
    EXPECT_FALSE(Verhandlung_Offen());
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_NE(kit::Meldungen()[0].find(text(50)), std::string::npos);
    EXPECT_EQ(Team_Wert(20, team, 0, OP_LESEN), wechsel);
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), geld);
}

// A market player who asks no more than his value: the opening bid meets
// the demand, the deal is made at once and the price bar shows it full.
TEST_F(Transfer, EinigungOhneSpanneFuelltDenBalken) {
    oeffnen();
    const i32 k = 10;
    i32 zeile = -1;
    for (i32 i = 0; i < 11 && zeile < 0; ++i) {
        const i32 q = markt(i);
        if (q >= 0 && !(Spieler_Wert(75, q, 0, OP_LESEN) & SP_STATUS_SCOUT) &&
            Global_Transfer_Forderung(q) < Spieler_Berechne_Marktwert(q) &&
            Verhandlung_Geld(eigen(k)) >= Spieler_Berechne_Marktwert(q))
            zeile = i;
    }
    ASSERT_GE(zeile, 0) << "no market row asks less than its value";
    verhandeln(zeile, k);
    starten();
    kit::Frames(3);
    const Verhandlung_Daten& d = Verhandlung_Stand_Lesen();
    ASSERT_EQ(d.stand, VH_ENDE);
    ASSERT_TRUE(d.einig);
    zeichnen();
    ASSERT_NE(kit::Text(text(51)), nullptr);  // "Einigung erzielt!"
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_PREISBALKEN_GEBOT, 730, 282));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_PREISBALKEN_GEBOT, 512, 282));
    verlassen();  // the deal carried out, the window closed
    kit::Frames(2);
    EXPECT_FALSE(Verhandlung_Offen());
}

}  // namespace

namespace {

// The own rows' attribute badges are named under the counter on the right,
// in three lines of the badges' small form and the usual small font, or
// the narrow one with the lines a pixel closer (off the scout's panel) when
// the usual one cannot name them all.
TEST_F(Transfer, FaehigkeitenMarkenBenannt) {
    oeffnen();
    zeichnen();
    Legende_Erklaert(GRAFIK_ATTRIBUT, {5, 136, 398, 520}, {{400, 366, 791, 405}}, 13, -1, GRAFIK_ATTRIBUT_KLEIN);
}

// Squads whose rows show few and many kinds of badges: every badge a row
// shows is named in the band under the counter, in the usual font while
// they fit, and nothing there runs into another piece or into the
// counter's texts. The kinds are dealt out three to a row in turn.
TEST_F(Transfer, JedeGezeigteMarkeBenannt) {
    oeffnen();
    // The outfield attributes with a name (a keeper's rows show only keepers' badges).
    std::vector<i32> feld;
    for (i32 a = 46; a >= 0; --a)
        if (Attribut_Tabelle[a].name[0]) feld.push_back(a);
    auto laenger = [&](size_t n) {
        std::vector<i32> r = feld;
        Font* f = Kit_Font(Kit_Schrift::WINZIG);
        std::stable_sort(r.begin(), r.end(), [&](i32 a, i32 b) {
            return Font_Text_Breite(f, Attribut_Tabelle[a].name) > Font_Text_Breite(f, Attribut_Tabelle[b].name);
        });
        r.resize(std::min(n, r.size()));
        return r;
    };
    struct Fall {
        const char* was;
        std::vector<i32> arten;  // empty: the squad as the new game made it
        bool gewohnt;            // the legend keeps the usual font
    } faelle[] = {
        {"the new game's squad (17 kinds)", {}, false},
        {"three kinds", {34, 35, 18}, true},
        {"seventeen kinds", std::vector<i32>(feld.begin(), feld.begin() + 17), false},
        {"the thirteen longest names", laenger(13), false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        if (!fall.arten.empty()) {
            size_t k = 0;
            for (i32 i = 0; i < TRANSFER_EIGENE_ZEILEN; ++i) {
                const i32 p = eigen(i);
                if (p < 0) continue;
                for (i32 a = 0; a < ATTRIBUT_ANZAHL; ++a) Spieler_Wert(a, p, 0, OP_SCHREIBEN);
                for (i32 j = 0; j < 3; ++j, ++k) {
                    const i32 a = fall.arten[k % fall.arten.size()];
                    Spieler_Wert(a, p, Attribut_Noetig(a) + 1, OP_SCHREIBEN);
                }
            }
        }
        zeichnen();
        const std::vector<i32> gezeigt = Marken_In(GRAFIK_ATTRIBUT, {5, 136, 398, 520});
        if (!fall.arten.empty()) {
            EXPECT_EQ(gezeigt.size(), fall.arten.size());
        }
        Legende_Erklaert(GRAFIK_ATTRIBUT, {5, 136, 398, 520}, {{400, 366, 791, 405}}, 99, -1, GRAFIK_ATTRIBUT_KLEIN);
        EXPECT_GE(Legende_Frei(GRAFIK_ATTRIBUT_KLEIN, {400, 330, 791, 405}), 2 * gezeigt.size());
        for (i32 a : gezeigt)
            if (const Zeichenspur_Eintrag* t = kit::Text(Attribut_Tabelle[a].name); t && fall.gewohnt) {
                EXPECT_EQ(Font_Tabelle_Holen(t->font), Kit_Font(Kit_Schrift::SCHMAL)) << Attribut_Tabelle[a].name;
            }
    }
    kit::Png("transfer_legende");
}

// Every own row's badge names its attribute when the mouse rests on it.
TEST_F(Transfer, FaehigkeitenMarkenMitHilfe) {
    oeffnen();
    zeichnen();
    EXPECT_GE(Marken_Hilfe_Pruefen(GRAFIK_ATTRIBUT, {5, 136, 398, 520}, GRAFIK_ATTRIBUT_GEWAEHLT), 6u);
}

}  // namespace

namespace {

// Every star row of both lists stands on the same six places, empty ones
// drawn, whatever the player's maximum strength: a market player whose
// maximum is 0, one with 3 and one with 12 among them; and the stars drawn
// are the strength shown for him.
TEST_F(Transfer, JedeSternreiheHatSechsPlaetze) {
    oeffnen();
    const i32 maxima[3] = {0, 3, 12};
    for (i32 i = 0; i < 3; ++i) {
        ASSERT_GE(markt(i), 0);
        Spieler_Daten[markt(i)].max_staerke = static_cast<u8>(maxima[i]);
    }
    zeichnen();
    struct Reihe {
        i32 leer = 0, halbe = 0;
    };
    std::map<std::pair<i32, i32>, Reihe> reihen;  // (column, y) of the row's first place
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) {
        const bool stern = e.grafik == GRAFIK_STERN_LEER || e.grafik == GRAFIK_STERN_LEER_GEWAEHLT ||
                           e.grafik == GRAFIK_STERN || e.grafik == GRAFIK_STERN_HALB;
        if (e.art != SPUR_BLIT || !stern) continue;
        const bool links = e.x >= 170 && e.x < 170 + 6 * 15, rechts = e.x >= 541 && e.x < 541 + 6 * 15;
        if (!links && !rechts) continue;
        Reihe& r = reihen[{links ? 170 : 541, e.y}];
        if (e.grafik == GRAFIK_STERN_LEER || e.grafik == GRAFIK_STERN_LEER_GEWAEHLT) ++r.leer;
        else if (e.grafik == GRAFIK_STERN) r.halbe += 2;
        else if (e.grafik == GRAFIK_STERN_HALB) r.halbe += 1;
    }
    ASSERT_GE(reihen.size(), 20u);
    for (const auto& [wo, r] : reihen) EXPECT_EQ(r.leer, 6) << wo.first << "," << wo.second;
    // A market row's stars are his shown strength.
    for (i32 i = 0; i < 3; ++i) {
        const i32 y = Menue_Screen_Icon_Aus_Nummer(static_cast<i16>(ICON_TRANSFER_MARKT + i))->y;
        const auto r = reihen.find({541, y});
        ASSERT_NE(r, reihen.end()) << i;
        EXPECT_EQ(r->second.halbe, Spieler_Staerke_Anzeige(markt(i))) << i;
    }
}

}  // namespace
