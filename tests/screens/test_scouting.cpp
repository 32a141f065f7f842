// The scouting screen and the scout's journey in a new game: area 14's
// periods, the area's prices on hover, paying the fee, the results of the
// search, the talks to an agreement and the hiring, leaving before the end,
// the talks' rules (break-off, persuasion, results taken only by a prospect
// who appears, empty slots passed over, the log), and a whole market day:
// buying by negotiation, selling and hiring a scouted prospect with the
// money of all clubs moving only by the bookings made.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/globals.h"
#include "base/random.h"
#include "grafik_nummern.h"
#include "graphics/rastport.h"
#include "gui/hauptmenue.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "screens/market/scout_suche.h"
#include "screens/market/scouting.h"
#include "screens/market/transfer.h"
#include "screens/market/verhandlung.h"
#include "screens/screens.h"
#include "season/kalender.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/markt.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {

constexpr i32 GEBIET = 6;  // Südamerika: the shipped market has scout players from there
constexpr i32 GEBIET_X = 205, GEBIET_Y = 306;
const char* text(i32 n) { return Text_cfg_Text(TEXT_SPIELER_SUCHE, n); }
const char* geld(f64 b) { return Bank_Geld_String(b, Team_Aktiv, -1, 0); }

f64 geld_aller_vereine() {
    f64 s = 0;
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Bank_Konto_Offen(t)) s += Bank_Get_Kontostand(t, 0, -1);
    return s;
}

TEST(ScoutingGebiet14, NurInSeinenZeiten) {
    struct Fall {
        i32 tag;
        bool offen;
    } faelle[] = {{0, false},   {500, false}, {501, true},  {529, true},  {530, false}, {679, false},
                  {680, true},  {709, true},  {710, false}, {860, true},  {889, true},  {890, false}};
    for (const Fall& f : faelle) EXPECT_EQ(Scouting_Gebiet_14_Offen(f.tag), f.offen) << f.tag;
}

class Scouting : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(2)); }
    void TearDown() override { kit::Beenden(); }
    void oeffnen() {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 3));
        ASSERT_TRUE(Screen_Offen(Screen_Id::TRANSFER));
        kit::Frames(5);
        kit::Klick(693, 492);  // send the scout
        ASSERT_TRUE(Screen_Offen(Screen_Id::SCOUTING));
        kit::Frames(5);
        ASSERT_EQ(Scouting_Stufe(), 1);
    }
    void bezahlen() {
        kit::Klick(GEBIET_X, GEBIET_Y);
        ASSERT_EQ(Scouting_Stufe(), 2);
        ASSERT_EQ(Scouting_Gebiet(), GEBIET);
        for (const i32 n : {ICON_SCOUTING_BEZAHLEN, ICON_SCOUTING_BEZAHLEN_GRUND}) {
            const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(n);
            ASSERT_TRUE(k) << n;
            EXPECT_LE(k->x + k->w, 780 - 16) << n;
        }
        kit::Klick(711, 382);
        ASSERT_EQ(Scouting_Stufe(), 3);
    }
    // Frames until the talks reach the state (at most `sekunden` of the clock).
    bool bis(i32 dialog, i32 sekunden = 120) {
        for (i32 i = 0; i < sekunden * 10; ++i) {
            if (Scout_Suche_Lesen().dialog == dialog) return true;
            kit::Frames(1, 100);
        }
        return Scout_Suche_Lesen().dialog == dialog;
    }
};

// The main menu's header stays over the scouting screen, the map and the
// journey alike: the logo shows where it stands over every screen.
TEST_F(Scouting, DerKopfMitDemLogoBleibtSichtbar) {
    auto logo_sichtbar = [](const char* wann) {
        kit::Frames(2);
        Rastport* logo = Kit_Bild(Menue_Heimat_Grafik(GRAFIK_KOPF));
        ASSERT_TRUE(logo && Rastport_Lock(logo)) << wann;
        const Screen_Icon* icon = Menue_Screen_Icon_Aus_Nummer(ICON_KOPF_WAPPEN);
        ASSERT_TRUE(icon) << wann;
        i32 gezeigt = 0, punkte = 0;
        for (i32 y = 0; y < logo->hoehe; ++y)
            for (i32 x = 0; x < logo->breite; ++x) {
                const u16 p = logo->bitmap->pixel16()[static_cast<size_t>(y) * logo->breite + x];
                if (p == 0) continue;  // clear
                ++punkte;
                gezeigt += kit::Probe(icon->x + x, icon->y + y) == p;
            }
        ASSERT_GT(punkte, 1000) << wann;
        EXPECT_GT(gezeigt * 10, punkte * 9) << wann << ": " << gezeigt << " of " << punkte;
    };
    oeffnen();
    logo_sichtbar("Karte");
    kit::Png("scouting_kopf");
    bezahlen();
    logo_sichtbar("Reise");
}

TEST_F(Scouting, GebietPreisBezahlenErgebnisse) {
    oeffnen();
    const i32 scout = Scouting_Scout();
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(ICON_SCOUTING_GEBIET_14)->status & MENUE_S_GRAU ? false : true,
              Scouting_Gebiet_14_Offen(Kalender_Get_Tag()));
    // The whole world on the map: Ozeanien out of its period is drawn too
    // (dimmed, not a button); the buttons stand inside the panel, whose
    // right edge is at x 780 with 16 px of padding.
    ASSERT_FALSE(Scouting_Gebiet_14_Offen(Kalender_Get_Tag()));
    kit::Spur_Leeren();
    kit::Frames(1);
    const Screen_Icon* ozeanien = Menue_Screen_Icon_Aus_Nummer(ICON_SCOUTING_GEBIET_14);
    ASSERT_TRUE(ozeanien);
    const Zeichenspur_Eintrag* karte = Zeichenspur_Blit(static_cast<i32>(ozeanien->grafik));
    ASSERT_TRUE(karte);
    EXPECT_EQ(karte->x, ozeanien->x);
    EXPECT_EQ(karte->y, ozeanien->y);
    for (const i32 n : {ICON_SCOUTING_ZURUECK, ICON_SCOUTING_ZURUECK_GRUND}) {
        const Screen_Icon* k = Menue_Screen_Icon_Aus_Nummer(n);
        ASSERT_TRUE(k) << n;
        EXPECT_LE(k->x + k->w, 780 - 16) << n;
    }
    kit::Maus(GEBIET_X, GEBIET_Y);
    kit::Frames(2);
    const i32 gesamt = Scout_Gebuehr(scout, Team_Aktiv, GEBIET);
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(geld(gesamt)));
    EXPECT_TRUE(kit::Text(Kontinent_Tabelle[GEBIET].name));
    kit::Png("scouting_karte");
    const f64 vorher = geld_aller_vereine();
    bezahlen();
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), vorher - gesamt) << "one booking of the base fee and the area's price";
    const Scout_Suche_Stand& s = Scout_Suche_Lesen();
    i32 spieler = 0;
    for (i32 p : s.ergebnis) {
        if (p < 0) continue;
        ++spieler;
        EXPECT_TRUE(Spieler_Aus_Gebiet(p, GEBIET)) << p;
        EXPECT_EQ(Spieler_Get_Team(p), Team_Transfermarkt);
        EXPECT_TRUE(Spieler_Wert(75, p, 0, OP_LESEN) & SP_STATUS_SCOUT);
    }
    EXPECT_GT(spieler, 0);
    kit::Frames(30, 100);
    kit::Png("scouting_reise");
}

TEST_F(Scouting, GespraechBisZurZusageUndVerpflichten) {
    oeffnen();
    const i32 scout = Scouting_Scout();
    Scout_Tabelle[scout].ueberredungskraft[GEBIET] = 100;
    Scout_Tabelle[scout].wahrscheinlichkeitsfactor[GEBIET] = 7000;
    bezahlen();
    // Before the first prospect no empty card stands under the log; it
    // shows with him.
    kit::Spur_Leeren();
    kit::Frames(1);
    ASSERT_LT(Scout_Suche_Lesen().prospekt, 0);
    EXPECT_FALSE(Zeichenspur_Blit(GRAFIK_SUCHE_KARTE));
    ASSERT_TRUE(bis(SD_JA));
    const i32 p = Scout_Suche_Lesen().prospekt;
    ASSERT_GE(p, 0);
    kit::Frames(2);
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(Zeichenspur_Blit(GRAFIK_SUCHE_KARTE));
    EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_SUCHE_VERPFLICHTEN)->status & MENUE_S_VERSTECKT);
    kit::Spur_Leeren();
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(text(34)));
    kit::Png("scouting_zusage");
    kit::Klick(696, 360);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(true);
    kit::Frames(3);
    EXPECT_TRUE(Screen_Offen(Screen_Id::TRANSFER));
    EXPECT_EQ(Team_Wert(17, Team_Aktiv, 0, OP_LESEN), p);
    EXPECT_EQ(Team_Wert(16, Team_Aktiv, 0, OP_LESEN), scout);
    EXPECT_GE(Spieler_Wert(55, p, 0, OP_LESEN), SCOUT_SPIELE_MINDEST);
    EXPECT_EQ(Transfer_Screen_Spieler_Von(ICON_TRANSFER_SCOUTSPIELER), p);
    EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_TRANSFER_SCOUTSPIELER)->status & MENUE_S_GRAU);
}

TEST_F(Scouting, VerlassenVorDemEndeFragtErst) {
    oeffnen();
    bezahlen();
    kit::Frames(5, 100);
    ASSERT_LT(Scout_Suche_Prozent(), 100);
    const f64 geld = geld_aller_vereine();
    kit::Spur_Leeren();
    kit::Klick(696, 436);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Frames(1);
    EXPECT_TRUE(kit::Text(text(41)));
    // While the question is open the talks stand still.
    const i32 fortschritt = Scout_Suche_Lesen().fortschritt;
    kit::Frames(30, 100);
    EXPECT_EQ(Scout_Suche_Lesen().fortschritt, fortschritt);
    kit::Spur_Leeren();
    kit::Requester_Antworten(false);
    EXPECT_TRUE(Screen_Offen(Screen_Id::SCOUTING));
    EXPECT_EQ(Scouting_Stufe(), 3);
    const std::vector<i32> k = kit::Klaenge();
    EXPECT_NE(std::find(k.begin(), k.end(), 3), k.end());
    kit::Klick(696, 436);
    kit::Requester_Antworten(true);
    EXPECT_TRUE(Screen_Offen(Screen_Id::TRANSFER));
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), geld) << "the fee stays paid, nothing else moves";
    // Back from stage 2 returns to the map; from the map to the transfer screen.
    kit::Klick(693, 492);
    kit::Klick(GEBIET_X, GEBIET_Y);
    ASSERT_EQ(Scouting_Stufe(), 2);
    kit::Klick(711, 427);
    EXPECT_EQ(Scouting_Stufe(), 1);
    kit::Klick(711, 427);
    EXPECT_TRUE(Screen_Offen(Screen_Id::TRANSFER));
}

TEST_F(Scouting, RegelnDerGespraeche) {
    oeffnen();
    const i32 a = Team_Kader(Team_Transfermarkt)[5], b = Team_Kader(Team_Transfermarkt)[6];
    // Empty slots are passed over; only a prospect who appears takes a result.
    const i32 ergebnis[SUCHE_ERGEBNISSE] = {-1, a, -1, b, -1, -1, -1, -1, -1, -1};
    Scout_Suche_Starten(0, GEBIET, ergebnis);
    Scout_Suche_Karte(0);
    EXPECT_EQ(Scout_Suche_Lesen().prospekt, a);
    Scout_Suche_Karte(1);
    EXPECT_EQ(Scout_Suche_Lesen().cursor, 2) << "emptying the card takes nothing";
    Scout_Suche_Karte(0);
    EXPECT_EQ(Scout_Suche_Lesen().prospekt, b);
    Scout_Suche_Karte(0);
    EXPECT_EQ(Scout_Suche_Lesen().prospekt, -1);

    // A persuasion of 0 never wins; the talks break off or end in a no.
    Scout_Suche_Starten(0, GEBIET, ergebnis);
    Scout_Tabelle[0].ueberredungskraft[GEBIET] = 0;
    Scout_Tabelle[0].wahrscheinlichkeitsfactor[GEBIET] = 100;
    Scout_Suche_Starten(0, GEBIET, ergebnis);
    const u32 cursor = Rnd_Get_Index();
    for (i32 i = 0; i < 400; ++i) {
        kit::Warten(1600);
        Scout_Suche_Dialog_Tick(50);
        EXPECT_NE(Scout_Suche_Lesen().dialog, SD_JA);
    }
    EXPECT_NE(Rnd_Get_Index(), cursor) << "the talks draw from the shared table";

    // The log keeps the last five lines; an empty text adds none.
    Scout_Log_Leeren();
    for (i32 i = 0; i < 7; ++i) Scout_Log_Dazu(std::to_string(i).c_str());
    Scout_Log_Dazu("");
    const Scout_Suche_Stand& s = Scout_Suche_Lesen();
    ASSERT_EQ(s.zeilen, LOG_ZEILEN);
    EXPECT_STREQ(s.log[0].text, "2");
    EXPECT_STREQ(s.log[4].text, "6");

    // The search ends while a prospect is talked to: the closing words, the card emptied.
    const i32 ergebnis2[SUCHE_ERGEBNISSE] = {a, b, -1, -1, -1, -1, -1, -1, -1, -1};
    Scout_Suche_Starten(0, GEBIET, ergebnis2);
    Scout_Suche_Karte(0);
    const_cast<Scout_Suche_Stand&>(s).dialog = SD_GESPRAECH;
    Scout_Suche_Dialog_Tick(100);
    EXPECT_EQ(s.dialog, SD_SUCHT);
    EXPECT_EQ(s.fertig, 1);
    EXPECT_EQ(s.prospekt, -1);
    ASSERT_GE(s.zeilen, 2);
    EXPECT_STREQ(s.log[s.zeilen - 1].text, text(96));
    // After the end no prospect comes any more.
    Scout_Suche_Dialog_Tick(100);
    EXPECT_EQ(s.prospekt, -1);

    // An area without scout players: the scout travels, reports and comes
    // home without a prospect.
    i32 leer[SUCHE_ERGEBNISSE];
    Scout_Suche_Ergebnisse(Team_Aktiv, 0, 3, leer);
    EXPECT_TRUE(std::all_of(leer, leer + SUCHE_ERGEBNISSE, [](i32 p) { return p == -1; }));
    Scout_Tabelle[0].wahrscheinlichkeitsfactor[3] = 100;
    Scout_Suche_Starten(0, 3, leer);
    for (i32 i = 0; i < 400 && s.fertig != 1; ++i) {
        kit::Warten(2100);
        Scout_Suche_Dialog_Tick(Scout_Suche_Prozent());
        EXPECT_EQ(s.dialog, SD_SUCHT);
    }
    EXPECT_EQ(s.fertig, 1);
    EXPECT_EQ(Scout_Suche_Prozent(), 100);
    EXPECT_EQ(s.prospekt, -1);
}

TEST_F(Scouting, EinMarkttagKaufVerkaufUndScout) {
    ASSERT_TRUE(kit::Hauptmenue_Eintrag(0, 3));
    kit::Frames(5);
    const i32 team = Team_Aktiv;
    const f64 start = geld_aller_vereine();
    f64 gebucht = 0;
    // Buy: mark a market player, negotiate with squad row 19, bid until the deal.
    const i32 q = Transfer_Screen_Spieler_Von(ICON_TRANSFER_MARKT + 1);
    const i32 p1 = Transfer_Screen_Spieler_Von(ICON_TRANSFER_EIGEN + 19);
    kit::Klick(480, 136 + 17 + 8);
    kit::Klick(150, 467 + 34 + 8);
    ASSERT_TRUE(Verhandlung_Offen());
    kit::Warten(200);
    kit::Klick(697, 227);
    for (int i = 0; i < 300 && Verhandlung_Stand_Lesen().stand != VH_ENDE; ++i) {
        kit::Warten(200);
        kit::Klick(591, 227);
    }
    ASSERT_TRUE(Verhandlung_Stand_Lesen().einig);
    gebucht += Transfer_Angebot_Differenz(p1) - Verhandlung_Stand_Lesen().gebot;
    kit::Warten(200);
    kit::Klick(722, 478);
    ASSERT_EQ(Spieler_Get_Team(q), team);
    // Sell squad row 18.
    const i32 p2 = Transfer_Screen_Spieler_Von(ICON_TRANSFER_EIGEN + 18);
    gebucht += Transfer_Angebot_Differenz(p2);
    kit::Klick(150, 467 + 17 + 8);
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(true);
    ASSERT_EQ(Spieler_Get_Team(p2), Team_Transfermarkt);
    // Scout: pay the fee, hire the prospect.
    const i32 scout = Transfer_Screen_Scout();
    Scout_Tabelle[scout].ueberredungskraft[GEBIET] = 100;
    Scout_Tabelle[scout].wahrscheinlichkeitsfactor[GEBIET] = 7000;
    kit::Klick(693, 492);
    kit::Klick(GEBIET_X, GEBIET_Y);
    gebucht -= Scout_Gebuehr(scout, team, GEBIET);
    kit::Klick(711, 382);
    ASSERT_EQ(Scouting_Stufe(), 3);
    for (i32 i = 0; i < 1200 && Scout_Suche_Lesen().dialog != SD_JA; ++i) kit::Frames(1, 100);
    ASSERT_EQ(Scout_Suche_Lesen().dialog, SD_JA);
    const i32 prospekt = Scout_Suche_Lesen().prospekt;
    kit::Klick(696, 360);
    kit::Requester_Antworten(true);
    kit::Frames(2);
    ASSERT_TRUE(Screen_Offen(Screen_Id::TRANSFER));
    EXPECT_EQ(Transfer_Screen_Spieler_Von(ICON_TRANSFER_SCOUTSPIELER), prospekt);
    // Squad, market and accounts agree.
    EXPECT_EQ(Team_Kader_Anzahl(team), 20);
    EXPECT_EQ(Team_Kader_Anzahl(Team_Transfermarkt), 1700);
    for (i32 i = 0; i < 20; ++i) EXPECT_EQ(Spieler_Get_Team(Transfer_Screen_Spieler_Von(ICON_TRANSFER_EIGEN + i)), team);
    EXPECT_DOUBLE_EQ(geld_aller_vereine(), start + gebucht);
    kit::Frames(3);
    kit::Png("transfer_scoutspieler");
}

}  // namespace

// The journey as the log tells it: a departure line first, "bricht auf
// nach" the area last; then the scout's reports while the screen is open,
// and the search over (100 %, the homecoming in the log) within the time
// its steps take: 12 points a report every 2 s while he searches, 3 a step
// every 1.5 s while he talks, the bar 211 points long.
TEST_F(Scouting, DieReiseBeginntMitDemAufbruchUndEndetMitDerHeimkehr) {
    oeffnen();
    bezahlen();
    kit::Frames(1, 100);
    const Scout_Suche_Stand& s = Scout_Suche_Lesen();
    ASSERT_GE(s.zeilen, 2);
    const std::string aufbruch = std::string(text(39)) + " " + Kontinent_Tabelle[GEBIET].name;
    EXPECT_EQ(std::string(s.log[1].text), aufbruch);
    bool abreise = false;
    for (i32 t = 86; t <= 90; ++t) abreise = abreise || std::string(s.log[0].text) == text(t);
    EXPECT_TRUE(abreise) << s.log[0].text;
    // Every line before the departure is one of the departure lines: no
    // report of his arrival or his search comes before he sets off.
    for (i32 t = 45; t <= 85; ++t) EXPECT_NE(std::string(s.log[0].text), text(t)) << t;
    i32 berichte = 0, letzter = s.fortschritt;
    for (i32 i = 0; i < 200 * 10 && Scout_Suche_Prozent() < 100; ++i) {
        if (Scout_Suche_Lesen().dialog == SD_JA)
            Scouting_Abweisen_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_SUCHE_ABWEISEN), MENUE_E_LINKS);
        kit::Frames(1, 100);
        if (Scout_Suche_Lesen().fortschritt != letzter) ++berichte, letzter = Scout_Suche_Lesen().fortschritt;
    }
    EXPECT_EQ(Scout_Suche_Prozent(), 100) << "the search did not end";
    EXPECT_GE(berichte, 10);
    kit::Frames(3, 100);
    bool heimkehr = false;
    for (i32 z = 0; z < Scout_Suche_Lesen().zeilen; ++z)
        for (i32 t = 93; t <= 95; ++t) heimkehr = heimkehr || std::string(Scout_Suche_Lesen().log[z].text) == text(t);
    EXPECT_TRUE(heimkehr);
}
