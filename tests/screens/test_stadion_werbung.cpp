// The stadium and advertising screens in a new game: opened from the main
// menu, the steppers and their bounds, building from class 0 with its popup
// and sound, removing seats, the class-5 message, a refused booking that
// changes nothing; an accepted offer, the search's counter closing the
// search, the board switch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "grafik_nummern.h"
#include "main/spieltag_weiter.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "graphics/zeichenspur.h"
#include "gui/menue.h"
#include "match/spielfeld.h"
#include "screens/live_view/spielansicht.h"
#include "kit.h"
#include "main/programm.h"
#include "platform/headless.h"
#include "gui/hauptmenue.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "screens/club/finanzen.h"
#include "screens/club/stadion_screen.h"
#include "screens/club/werbung_screen.h"
#include "screens/screens.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_abfragen.h"
#include "world/bank.h"
#include "world/stadion.h"
#include "world/stadion_bau.h"
#include "world/welt.h"
#include "world/werbung.h"

namespace {

// Mouse x offsets inside a stepper: -10, -1, +1, +10 steps.
constexpr i32 MINUS_10 = 10, MINUS_1 = 40, PLUS_1 = 58, PLUS_10 = 85;
struct Stepper {
    i32 x, y;
} constexpr PREIS{620, 171 + 10}, KOMFORT{671, 271 + 10}, KAPAZITAET{671, 413 + 10};
constexpr i32 AUSBAU_X = 306 + 60, AUSBAU_Y = 483 + 15, RENOVIEREN_X = 670 + 50, RENOVIEREN_Y = 341 + 15,
              UMBAU_X = 670 + 50, UMBAU_Y = 483 + 15;

f64 geld_aller() {
    f64 s = 0;
    for (i32 t = 0; t < Team_Anzahl; ++t)
        if (Bank_Konto_Offen(t)) s += Bank_Get_Kontostand(t, 0, 0);
    return s;
}

class Verein : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten(1)); }
    void TearDown() override { kit::Beenden(); }
    void oeffnen(int eintrag, Screen_Id id) {
        ASSERT_TRUE(kit::Hauptmenue_Eintrag(2, eintrag));
        ASSERT_TRUE(Screen_Offen(id));
        kit::Frames(20);
    }
    void klick(i32 x, i32 y) {
        kit::Warten(200);
        kit::Klick(x, y);
    }
    Stadion_Daten& stadion() { return *Stadion_Get(Team_Aktiv, 1); }
    void stadion_setzen(i32 klasse, i32 kapazitaet, i32 komfort) {
        Stadion_Daten& s = stadion();
        s.klasse = klasse, s.sitzplaetze = kapazitaet, s.stehplaetze = 0, s.kapazitaet = kapazitaet;
        s.komfort = komfort;
    }
    void zeichnen() {
        kit::Spur_Leeren();
        kit::Frames(1);
    }
};

TEST_F(Verein, StadionAusDemHauptmenue) {
    stadion_setzen(2, 20000, 50);
    oeffnen(2, Screen_Id::STADION);
    // A new manager plans the stadium as it stands.
    EXPECT_EQ(Stadion_Screen_Komfort(), 50);
    EXPECT_EQ(Stadion_Screen_Kapazitaet(), 20000);
    EXPECT_EQ(Stadion_Screen_Renovierung_Kosten(), 0);
    zeichnen();
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_STADION_BILD + 2, 200, 250));
    for (const char* t : {"Eintrittspreis", "Komfort", "Fassungsvermögen", "Nächste Stufe", "Großes Stadion"})
        EXPECT_TRUE(kit::Text(t)) << t;
    EXPECT_TRUE(kit::Text_Auf_Zeile("20.000", 404));
    kit::Png("stadion");
}

TEST_F(Verein, StadionStepperUndGrenzen) {
    stadion_setzen(2, 20000, 50);
    stadion().eintrittspreis = 20;
    oeffnen(2, Screen_Id::STADION);
    struct Fall {
        const char* was;
        Stepper s;
        i32 dx;
        i32 (*wert)();
        i32 erwartet;
    } faelle[] = {
        {"price +10", PREIS, PLUS_10, [] { return Stadion_Get(Team_Aktiv, 1)->eintrittspreis; }, 30},
        {"price +10 again, held at 60", PREIS, PLUS_10, [] { return Stadion_Get(Team_Aktiv, 1)->eintrittspreis; }, 40},
        {"price -1", PREIS, MINUS_1, [] { return Stadion_Get(Team_Aktiv, 1)->eintrittspreis; }, 39},
        {"comfort below the current level", KOMFORT, MINUS_10, Stadion_Screen_Komfort, 50},
        {"comfort +10", KOMFORT, PLUS_10, Stadion_Screen_Komfort, 60},
        {"comfort +1", KOMFORT, PLUS_1, Stadion_Screen_Komfort, 61},
        {"capacity +1,000", KAPAZITAET, PLUS_1, Stadion_Screen_Kapazitaet, 21000},
        {"capacity -10,000", KAPAZITAET, MINUS_10, Stadion_Screen_Kapazitaet, 12000},
        {"capacity below the class", KAPAZITAET, MINUS_1, Stadion_Screen_Kapazitaet, 12000},
    };
    for (const Fall& f : faelle) {
        klick(f.s.x + f.dx, f.s.y);
        EXPECT_EQ(f.wert(), f.erwartet) << f.was;
    }
    EXPECT_EQ(Menue_Icon_Zustand(ICON_STADION_KOMFORT), 61u);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_STADION_KAPAZITAET), 12000u);
    EXPECT_EQ(Stadion_Screen_Renovierung_Kosten(), 11 * 50000);
    EXPECT_EQ(Stadion_Screen_Kapazitaet_Kosten(), 8000 * 50);
    // Held down, a stepper moves at most ten times a second.
    kit::Warten(200);
    kit::Maus(KOMFORT.x + PLUS_1, KOMFORT.y);
    kit::Druecken();
    kit::Frames(50, 10);  // 500 ms
    kit::Loslassen();
    EXPECT_LE(Stadion_Screen_Komfort() - 61, 6);
    EXPECT_GE(Stadion_Screen_Komfort() - 61, 1);
}

TEST_F(Verein, StadionBauenAbreissenUndKlasseFuenf) {
    stadion_setzen(0, 5000, 30);
    oeffnen(2, Screen_Id::STADION);
    const f64 konto = Bank_Get_Kontostand(Team_Aktiv, 0, 0), alle = geld_aller();
    kit::Spur_Leeren();
    klick(AUSBAU_X, AUSBAU_Y);
    EXPECT_EQ(stadion().klasse, 1);
    EXPECT_EQ(stadion().komfort, 40);
    EXPECT_EQ(stadion().kapazitaet, 5000);
    EXPECT_DOUBLE_EQ(konto - Bank_Get_Kontostand(Team_Aktiv, 0, 0), 1200000.0);
    EXPECT_DOUBLE_EQ(alle - geld_aller(), 1200000.0);
    const Bank_Konto* k = Bank_Get_Konto(Team_Aktiv);
    const Bank_Buchung& b = k->buchung[(k->ring_index + BANK_BUCHUNGEN - 1) % BANK_BUCHUNGEN];
    EXPECT_EQ(b.kategorie, BANK_STADIONBAU | BANK_RICHTUNG_AUS);
    // The popup: the building picture, the text, sound 17.
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_STADION_POPUP));
    const auto klaenge = kit::Klaenge();
    EXPECT_NE(std::find(klaenge.begin(), klaenge.end(), STADION_KLANG_GEBAUT), klaenge.end());
    zeichnen();
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_STADION_POPUP_BAU, 400, 250));
    EXPECT_TRUE(kit::Text("nächsten Stufe ausgebaut"));
    kit::Png("stadion_popup");
    // The crane of the building picture stands whole inside it: gold in the
    // picture, none on the edges of its upper half (the sky and the far
    // stand; the near stands' crowd waves gold scarves).
    {
        Rastport* bau = Menue_Get_Hooks().grafik_holen(GRAFIK_STADION_POPUP_BAU);
        ASSERT_TRUE(bau && Rastport_Lock(bau) && bau->tiefe() == 16);
        auto gold = [&](i32 x, i32 y) {
            const u16 p = bau->bitmap->pixel16()[static_cast<size_t>(y) * static_cast<size_t>(bau->breite) + static_cast<size_t>(x)];
            const i32 r = p >> 11, g = (p >> 5) & 63, b = p & 31;
            return r >= 26 && g >= 36 && g <= 52 && b <= 12;
        };
        i32 innen = 0, rand = 0;
        for (i32 y = 0; y < bau->hoehe; ++y)
            for (i32 x = 0; x < bau->breite; ++x) {
                if (!gold(x, y)) continue;
                const bool am_rand = (x < 8 || y < 8 || x >= bau->breite - 8) && y < bau->hoehe / 2;
                (am_rand ? rand : innen)++;
            }
        EXPECT_GT(innen, 200) << "a crane";
        EXPECT_EQ(rand, 0) << "gold cut by the frame";
    }
    klick(400, 300);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_STADION_POPUP));
    // Removing 1,000 seats costs 50,000.
    stadion_setzen(1, 9000, 40);
    klick(KAPAZITAET.x + MINUS_1, KAPAZITAET.y);  // the plan after building: 5,000, held to the class
    EXPECT_EQ(Stadion_Screen_Kapazitaet(), 5000);
    for (int i = 0; i < 3; ++i) klick(KAPAZITAET.x + PLUS_1, KAPAZITAET.y);
    EXPECT_EQ(Stadion_Screen_Kapazitaet(), 8000);
    const f64 vorher = Bank_Get_Kontostand(Team_Aktiv, 0, 0);
    klick(UMBAU_X, UMBAU_Y);
    EXPECT_EQ(stadion().kapazitaet, 8000);
    EXPECT_DOUBLE_EQ(vorher - Bank_Get_Kontostand(Team_Aktiv, 0, 0), 50000.0);
    klick(400, 300);
    // At class 5 building only says so.
    stadion_setzen(5, 80000, 90);
    kit::Meldungen_Leeren();
    const f64 davor = geld_aller();
    klick(AUSBAU_X, AUSBAU_Y);
    EXPECT_EQ(stadion().klasse, 5);
    EXPECT_EQ(geld_aller(), davor);
    ASSERT_FALSE(kit::Meldungen().empty());
    EXPECT_NE(kit::Meldungen().back().find("höchste Stufe"), std::string::npos);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_STADION_POPUP));
}

TEST_F(Verein, StadionOhneGeldBleibtWieEsIst) {
    ASSERT_TRUE(Bank_Konto_Anlegen(Team_Aktiv, 0.0, 0));
    ASSERT_LT(Bank_Get_Kreditrahmen(Team_Aktiv), 24000000.0);
    // Class 5: 20,000 more seats at 1,200 a seat are 24 M.
    stadion_setzen(5, 60000, 60);
    oeffnen(2, Screen_Id::STADION);
    const f64 alle = geld_aller();
    Stadion_Daten alt = stadion();
    klick(KAPAZITAET.x + PLUS_10, KAPAZITAET.y);
    klick(KAPAZITAET.x + PLUS_10, KAPAZITAET.y);
    ASSERT_EQ(Stadion_Screen_Kapazitaet_Kosten(), 24000000);
    klick(UMBAU_X, UMBAU_Y);
    EXPECT_EQ(0, std::memcmp(&stadion(), &alt, sizeof alt));
    // Class 3: the next class for 35 M.
    stadion_setzen(3, 30000, 60);
    alt = stadion();
    klick(AUSBAU_X, AUSBAU_Y);
    EXPECT_EQ(0, std::memcmp(&stadion(), &alt, sizeof alt));
    EXPECT_EQ(geld_aller(), alle);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_STADION_POPUP));
}

// A build the credit line pays for goes through and its popup tells the
// balance it leaves, below zero as above.
TEST_F(Verein, StadionbauNenntDenKontostandDanach) {
    ASSERT_TRUE(Bank_Konto_Anlegen(Team_Aktiv, 0.0, 0));
    ASSERT_GT(Bank_Get_Kreditrahmen(Team_Aktiv), 1200000.0);
    const struct {
        const char* was;
        f64 konto;
    } faelle[] = {{"enough money", 5000000.0}, {"the credit line pays", 200000.0}};
    for (const auto& f : faelle) {
        const f64 jetzt = Bank_Get_Kontostand(Team_Aktiv, 0, 0);
        if (jetzt > f.konto) {
            ASSERT_TRUE(Bank_Buchen(Team_Aktiv, -1, static_cast<f32>(jetzt - f.konto), 0, 1, -1));
        } else if (jetzt < f.konto) {
            ASSERT_TRUE(Bank_Buchen(-1, Team_Aktiv, static_cast<f32>(f.konto - jetzt), 0, 1, -1));
        }
        stadion_setzen(0, 5000, 30);
        oeffnen(2, Screen_Id::STADION);
        klick(AUSBAU_X, AUSBAU_Y);
        ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_STADION_POPUP)) << f.was;
        const f64 danach = Bank_Get_Kontostand(Team_Aktiv, 0, 0);
        EXPECT_DOUBLE_EQ(danach, f.konto - 1200000.0) << f.was;
        kit::Spur_Leeren();
        zeichnen();
        EXPECT_NE(kit::Text("Kontostand danach"), nullptr) << f.was;
        EXPECT_NE(kit::Text(Menue_Geld_Text(danach).c_str()), nullptr) << f.was << ": " << Menue_Geld_Text(danach);
        klick(400, 300);
    }
}

// Every partner has its own logo in both sizes (the four past the first
// twenty too): the rows and the offer of partners 20..23 show theirs.
TEST_F(Verein, JederPartnerHatSeinLogo) {
    std::vector<i32> gesehen;
    for (i32 p = 0; p < WERBUNG_SPONSOREN; ++p)
        for (const bool gross : {false, true}) {
            const i32 g = Werbung_Logo_Grafik(gross, p);
            ASSERT_GE(g, 0) << p;
            const Rastport_Bild rp(Resf_Grafik_Laden(g));
            ASSERT_NE(rp, nullptr) << p << " " << gross;
            EXPECT_EQ(rp->breite, gross ? 140 : 86) << p;
            EXPECT_EQ(rp->hoehe, gross ? 40 : 26) << p;
            gesehen.push_back(g);
        }
    std::sort(gesehen.begin(), gesehen.end());
    EXPECT_EQ(std::adjacent_find(gesehen.begin(), gesehen.end()), gesehen.end()) << "one picture a partner and size";
    for (const i32 p : {-1, WERBUNG_SPONSOREN, 255}) {
        EXPECT_EQ(Werbung_Logo_Grafik(false, p), -1) << p;
        EXPECT_EQ(Werbung_Logo_Grafik(true, p), -1) << p;
    }
    Werbung_Daten* w = Werbung_Get(Team_Aktiv);
    ASSERT_TRUE(w);
    for (int i = 0; i < 4; ++i) w->slot[i].sponsor = static_cast<u8>(20 + i), w->slot[i].betrag = 40000 + i;
    w->angebot_sponsor = 23, w->angebot_art = 0, w->angebot_betrag = 25000, w->angebot_dauer = 17;
    oeffnen(1, Screen_Id::WERBUNG);
    zeichnen();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_WERBUNG_LOGO_2 + i, 360, WERBUNG_ZEILE_Y[i] + 1)) << i;
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_WERBUNG_LOGO_GROSS_2 + 3, 100, 140));
    kit::Png("werbung_partner_20_23");
}

TEST_F(Verein, WerbungAngebotSucheUndBanden) {
    Werbung_Daten* w = Werbung_Get(Team_Aktiv);
    ASSERT_TRUE(w);
    // Two boards free, an offer for a board of class 1.
    w->slot[3].betrag = 0, w->slot[4].betrag = 0;
    w->angebot_sponsor = 5, w->angebot_art = 1, w->angebot_betrag = 30000, w->angebot_dauer = 34;
    w->angebot_anzahl2 = 34;
    oeffnen(1, Screen_Id::WERBUNG);
    Werbung_Summen s = Werbung_Einnahmen(Team_Aktiv);
    EXPECT_EQ(s.frei[1], 2);
    EXPECT_EQ(s.ersatz, 2LL * w->ersatz[1]);
    zeichnen();
    EXPECT_TRUE(kit::Text(Werbung_Sponsor_Name(5)));
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_WERBUNG_LOGO_GROSS + 5, 100, 140));
    kit::Png("werbung");
    // Accept: the offer fills a free board of its class.
    klick(61 + 75, 405 + 15);
    EXPECT_EQ(w->slot[3].sponsor, 5);
    EXPECT_EQ(w->slot[3].betrag, 30000);
    EXPECT_EQ(w->angebot_betrag, 0);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_WERBUNG_ANNEHMEN)->status & MENUE_S_GRAU);
    // A search pays its fee; the counter's third step closes the search.
    w->zaehler[0] = 20;
    const f64 konto = Bank_Get_Kontostand(Team_Aktiv, 0, 0);
    kit::Meldungen_Leeren();
    klick(61 + 75, 521 + 15);
    EXPECT_LT(Bank_Get_Kontostand(Team_Aktiv, 0, 0), konto);
    EXPECT_GT(w->angebot_betrag, 0);
    ASSERT_EQ(kit::Meldungen().size(), 1u);
    EXPECT_NE(kit::Meldungen()[0].find("beendet"), std::string::npos);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_WERBUNG_SUCHEN)->status & MENUE_S_GRAU);
    if (kit::Requester_Offen()) kit::Requester_Antworten(true);
    const f64 danach = Bank_Get_Kontostand(Team_Aktiv, 0, 0);
    klick(61 + 75, 521 + 15);
    EXPECT_EQ(Bank_Get_Kontostand(Team_Aktiv, 0, 0), danach) << "a closed search costs nothing";
    // The board switch fills the free board at once and is remembered.
    ASSERT_EQ(w->slot[4].betrag, 0);
    klick(442 + 100, 520 + 15);
    EXPECT_EQ(w->banden_flag, 1);
    EXPECT_GT(w->slot[4].betrag, 0);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_WERBUNG_BANDEN), 1u);
    s = Werbung_Einnahmen(Team_Aktiv);
    EXPECT_EQ(s.frei[0] + s.frei[1] + s.frei[2], 0);
    EXPECT_EQ(s.ersatz, 0);
    zeichnen();
    kit::Png("werbung_vergeben");
}

// One figure per match on the advertising page, the one a match books: the
// income line and "Alle Verträge zusammen" both show it, in the cases of a
// full set of boards, free boards with a main sponsor who pays for them, and
// free boards without a main sponsor; the page's parts add up to it. The
// search button tells its fee before a click charges it.
TEST_F(Verein, WerbungEinnahmenWieGebucht) {
    struct Fall {
        const char* was;
        std::vector<int> frei;
        bool hauptsponsor;
    };
    const Fall faelle[] = {
        {"alle Banden belegt", {}, true},
        {"zwei Banden frei, der Hauptsponsor vergibt sie", {3, 7}, true},
        {"eine Bande frei, kein Hauptsponsor", {0}, false},
    };
    Werbung_Daten* w = Werbung_Get(Team_Aktiv);
    ASSERT_TRUE(w);
    const Werbung_Daten start = *w;
    bool offen = false;
    for (const Fall& f : faelle) {
        *w = start;
        for (int i : f.frei) w->slot[i].betrag = 0;
        if (!f.hauptsponsor) w->slot[8].betrag = 0, w->ersatz[0] = w->ersatz[1] = w->ersatz[2] = 0;
        if (!offen) oeffnen(1, Screen_Id::WERBUNG), offen = true;
        zeichnen();
        const Werbung_Summen e = Werbung_Einnahmen(Team_Aktiv);
        EXPECT_EQ(e.summe, e.banden + e.hauptsponsor + e.ersatz) << f.was;
        const std::string summe = Bank_Geld_String(static_cast<f64>(e.summe), Team_Aktiv, -1, 0);
        const Zeichenspur_Eintrag* zusammen = kit::Text("zusammen:");
        ASSERT_TRUE(zusammen) << f.was;
        EXPECT_NE(zusammen->sichtbar.find(summe), std::string::npos) << f.was << ": " << zusammen->sichtbar;
        // The income line: the page's last figure at the right, under "Einnahmen pro Spiel".
        const Zeichenspur_Eintrag* label = kit::Text("Einnahmen pro Spiel");
        ASSERT_TRUE(label);
        const Zeichenspur_Eintrag* einnahmen = nullptr;
        for (const Zeichenspur_Eintrag* t : kit::Texte(summe.c_str()))
            if (t->sichtbar.find("zusammen") == std::string::npos && std::abs(t->y - label->y) <= 4) einnahmen = t;
        EXPECT_TRUE(einnahmen) << f.was << ": " << summe;
        // The main sponsor's own contract is on the page too.
        if (f.hauptsponsor) {
            EXPECT_TRUE(kit::Text(Bank_Geld_String(static_cast<f64>(w->slot[8].betrag), Team_Aktiv, -1, 0))) << f.was;
        }
        // A match books exactly that.
        const f64 vorher = Bank_Get_Kontostand(Team_Aktiv, 0, 0);
        Werbung_Nach_Spiel(Team_Aktiv, 0);
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(Team_Aktiv, 0, 0) - vorher, static_cast<f64>(e.summe)) << f.was;
    }
    // The fee stands in the search button's help before the click; the click charges that much.
    *w = start;
    Screen_Icon* suchen = Menue_Screen_Icon_Aus_Nummer(ICON_WERBUNG_SUCHEN);
    ASSERT_TRUE(suchen && suchen->hilfe_prozedur);
    for (int runde = 0; runde < 2; ++runde) {
        const i64 gebuehr = Werbung_Suchgebuehr(Team_Aktiv);
        EXPECT_EQ(gebuehr, Werbung_Einstellung.suchpreis + static_cast<i64>(Werbung_Einstellung.suchpreis_add) * runde);
        const std::string hilfe = suchen->hilfe_prozedur(suchen);
        EXPECT_NE(hilfe.find(Bank_Geld_String(static_cast<f64>(gebuehr), Team_Aktiv, -1, 0)), std::string::npos)
            << hilfe;
        const f64 vorher = Bank_Get_Kontostand(Team_Aktiv, 0, 0);
        klick(61 + 75, 521 + 15);
        if (kit::Requester_Offen()) kit::Requester_Antworten(true);
        EXPECT_DOUBLE_EQ(vorher - Bank_Get_Kontostand(Team_Aktiv, 0, 0), static_cast<f64>(gebuehr));
    }
    zeichnen();
    kit::Png("werbung_einnahmen");
}

// The shared matchday driver's steps, a refused script failing the test.
void lauf(const std::string& skript, int frames) { ASSERT_TRUE(Spieltag_Lauf(skript, frames)); }
void weiter() { ASSERT_TRUE(Spieltag_Weiter()); }

// A club's business through its screens: a credit from the bank, the next
// stadium class, a partner signed; then the matchday runner plays the
// club's matches, its first home match live: the partner's board around the
// pitch, the gate money at the ticket price for the attendance the view
// shows, the partners' money after the match; the finance screen shows each
// of them in its row.
TEST_F(Verein, KreditAusbauSponsorHeimspielUndFinanzen) {
    const i32 a = Team_Aktiv;
    stadion_setzen(0, 5000, 30);
    stadion().eintrittspreis = 20;
    // The credit (the bank as lender, 100,000 over 10 months).
    oeffnen(0, Screen_Id::BANK);
    klick(450, 485);
    ASSERT_EQ(Bank_Get_Anzahl_Kredite(a), 1);
    // The notice of the new balance is read and closed.
    ASSERT_TRUE(kit::Requester_Offen());
    kit::Requester_Antworten(true);
    // The stadium's next class.
    oeffnen(2, Screen_Id::STADION);
    klick(AUSBAU_X, AUSBAU_Y);
    ASSERT_EQ(stadion().klasse, 1);
    klick(400, 300);  // the popup away
    // A partner for a free board.
    Werbung_Daten* w = Werbung_Get(a);
    ASSERT_TRUE(w);
    w->slot[0].betrag = 0;
    w->angebot_sponsor = 3, w->angebot_art = 0, w->angebot_betrag = 25000, w->angebot_dauer = 34;
    oeffnen(1, Screen_Id::WERBUNG);
    klick(61 + 75, 405 + 15);
    ASSERT_EQ(w->slot[0].sponsor, 3);
    const i64 werbung = Werbung_Get_Sponsorbetrag(a);
    ASSERT_GT(werbung, 0);
    // The matchday runner plays the club's matches, shown live; an away
    // match is played through fast, the first home match watched.
    Test_Live_Ansicht(true);
    const i32 liga = Wettbewerb_Get_Liga_Von_Team(a, true);
    Spielfeld_Daten* sf = nullptr;
    for (int tag = 0; tag < 5 && !sf; ++tag) {
        Spielfeld_Daten* live = nullptr;
        for (int n = 0; n < 4000 && !live; ++n) {
            if (Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIEL_BILD) && Spielansicht_Laufzustand() == 1)
                live = Spielansicht_Get_Spielfeld();
            if (!live) weiter();
            if (HasFatalFailure()) return;
        }
        ASSERT_NE(live, nullptr) << "no live match on matchday " << tag;
        if (live->team[0] == static_cast<u32>(a) && static_cast<i32>(live->wettbewerb) == liga) {
            sf = live;
            break;
        }
        Spielfeld_Set_Fast(1);
        for (int n = 0; n < 40000 && Spielansicht_Laufzustand() != 0; ++n) {
            if (Menue_Requester_Offen() || Spielankuendigung_Screen_Offen()) weiter();
            else lauf("", 1);
            if (HasFatalFailure()) return;
        }
        Spielfeld_Set_Fast(0);
    }
    ASSERT_NE(sf, nullptr) << "a league home match within the club's first five matches";
    const u32 spiel = sf->spiel;
    // The signed partner's board stands around the pitch, in sight.
    EXPECT_EQ(sf->banden[0], SF_BANDE_PARTNER + 3);
    lauf("move 400 300\n", 2);
    kit::Spur_Leeren();
    lauf("", 3);
    EXPECT_EQ(Spielansicht_Views()[0].banden[0].logo[0], 14 + 3) << "board 0 shows slot 0's partner";
    int partner_bretter = 0;
    for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
        partner_bretter += e.art == SPUR_BLIT && e.grafik >= GRAFIK_LIVE_PARTNER_0 &&
                           e.grafik < GRAFIK_LIVE_PARTNER_1 + GRAFIK_LIVE_PARTNER_1_ANZAHL;
    EXPECT_GT(partner_bretter, 0) << "the club's partners on the boards in sight";
    kit::Png("heimspiel_live_partner");
    // The gate: the attendance the view shows, at the ticket price, booked
    // at kick-off.
    const u32 zuschauer = sf->zuschauer;
    ASSERT_GT(zuschauer, 0u);
    EXPECT_LE(zuschauer, 5000u);
    EXPECT_EQ(Stadion_Get(a, 1)->zuschauer, static_cast<i32>(zuschauer));
    const i64 gate = static_cast<i64>(zuschauer) * 20;
    EXPECT_EQ(static_cast<i64>(Stadion_Get(a, 1)->einnahme), gate);
    const f64 werbung_vorher = Bank_Summe_Buchungen(a, 0, 13, 0);
    // To the final whistle, fast.
    Spielfeld_Set_Fast(1);
    for (int n = 0; n < 40000; ++n) {
        const Spielfeld_Daten* jetzt = Spielfeld_Zeiger(spiel);
        if (!jetzt || jetzt->beendet) break;
        if (Menue_Requester_Offen() || Spielankuendigung_Screen_Offen()) weiter();
        else lauf("", 1);
        if (HasFatalFailure()) return;
    }
    for (int n = 0; n < 3000 && Spielansicht_Laufzustand() != 0; ++n) {
        weiter();
        if (HasFatalFailure()) return;
    }
    Spielfeld_Set_Fast(0);
    EXPECT_EQ(Spielansicht_Laufzustand(), 0u);
    const Spiel* fixture = Spiele_Get_Spiel(static_cast<i32>(spiel), true);
    ASSERT_NE(fixture, nullptr);
    EXPECT_EQ(fixture->team_a, a);
    // The partners paid after the match.
    EXPECT_DOUBLE_EQ(Bank_Summe_Buchungen(a, 0, 13, 0) - werbung_vorher, static_cast<f64>(werbung));
    // The finance screen: the gate money and the advertising of this month;
    // the stadium building and the credit in the month they were booked.
    // Back at the main menu (the pages after the match clicked away).
    for (int n = 0; n < 2000 && !(Kalender_Get_Runmodus() == RUNMODUS_SPIEL && Menue_Modus == 0 &&
                                  Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM) && !Menue_Requester_Offen());
         ++n) {
        if (Menue_Requester_Offen() || Spielankuendigung_Screen_Offen() || Kalender_Get_Runmodus() != RUNMODUS_SPIEL)
            weiter();
        else
            lauf("", 1);
        if (HasFatalFailure()) return;
    }
    oeffnen(3, Screen_Id::FINANZEN);
    Finanz_Screen_Daten_Holen(0);
    const Finanz_Zahlen& z = Finanz_Screen_Zahlen();
    // The month's gate money holds this match's; the partners' money of the
    // month holds this match's payment.
    EXPECT_EQ(z.betrag[0], static_cast<i64>(Bank_Summe_Buchungen(a, 0, 4, 0)));
    EXPECT_GE(z.betrag[0], gate);
    EXPECT_EQ(z.betrag[1], static_cast<i64>(Bank_Summe_Buchungen(a, 0, 13, 0)));
    EXPECT_GE(z.betrag[1], werbung);
    zeichnen();
    EXPECT_TRUE(kit::Text_Auf_Zeile(Bank_Geld_String(static_cast<f64>(z.betrag[0]), a, -1, 0), 151));
    EXPECT_TRUE(kit::Text_Auf_Zeile(Bank_Geld_String(static_cast<f64>(z.betrag[1]), a, -1, 0), 168));
    kit::Png("finanzen_nach_heimspiel");
    int gefunden = 0;
    for (int p = 0; p >= -2 && !gefunden; --p) {
        Finanz_Screen_Daten_Holen(p);
        if (z.betrag[6] < 1200000) continue;
        gefunden = 1;
        EXPECT_EQ(z.betrag[6], 1200000) << "the building in period " << p;
        EXPECT_GE(z.betrag[3], 100000) << "the credit is income of that month";
    }
    EXPECT_TRUE(gefunden) << "the stadium building on the finance screen";
}

}  // namespace
