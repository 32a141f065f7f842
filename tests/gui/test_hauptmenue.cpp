// The requester's kinds and answers, and a dialog pop-up with the menu
// animation on and off, driven by mouse frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "match/spielfeld.h"
#include "menue_test.h"

namespace {

using menue_test::frame;

std::vector<std::string> antworten;

void antwort(const char* name, i32 n, const i32* l) {
    std::string s = name;
    for (i32 i = 0; i < n; ++i) {
        s += ' ';
        s += std::to_string(l[i]);
    }
    antworten.push_back(s);
}
void ja(i32 n, const i32* l) { antwort("ja", n, l); }
void nein(i32 n, const i32* l) { antwort("nein", n, l); }

class Frame : public ::testing::Test {
  protected:
    void SetUp() override {
        menue_test::starten();
        antworten.clear();
        frame(10, 5, 5, 0);
    }
    void TearDown() override {
        Hauptmenue_Set_Hooks({});
        menue_test::beenden();
    }
    // A full left click at (x, y).
    static void klick(i32 x, i32 y) {
        frame(10, x, y, 0);
        frame(10, x, y, MAUS_LINKS);
        frame(10, x, y, 0);
    }
};

// Under a message box the screen is darkened once: later frames copy the
// darkened picture without drawing what lies under the box again, and the
// picture is made anew when an icon under it comes or goes.
int unter_gezeichnet = 0;
void unter_zeichnen(Screen_Icon* i, Rastport* rp, i32 x, i32 y) {
    ++unter_gezeichnet;
    Blt_Rechteck(rp, x, y, i->w, i->h, 0x7BEF);
}

u16 abgedunkelt(u16 farbe) {
    Rastport_Bild p(Rastport_Neu_Einfach(1, 1, 16));
    p->bitmap->pixel16()[0] = farbe;
    Blt_Abdunkeln(p.get(), 0, 0, 1, 1, 90);
    return p->bitmap->pixel16()[0];
}

TEST_F(Frame, SchleierEinmalGezogenUndBeiNeuenIconsErneuert) {
    Rastport_Bild ziel(Rastport_Neu_Einfach(800, 600, 16));
    ASSERT_TRUE(ziel);
    const u16* px = ziel->bitmap->pixel16();
    auto pixel = [&](i32 x, i32 y) { return px[static_cast<size_t>(y) * 800 + x]; };
    Menue_Set_Hintergrund(nullptr, 0x001F);
    Screen_Icon unter = menue_test::knopf(40, 20, 20, 30, 30, 2);
    unter.zeichnen = unter_zeichnen;
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(unter));
    unter_gezeichnet = 0;
    Menue_Requester(REQUESTER_OK, 0, "Mitteilung", nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
    Menue_Screen_Refresh(ziel.get());
    EXPECT_EQ(unter_gezeichnet, 1);
    EXPECT_EQ(pixel(5, 5), abgedunkelt(0x001F)) << "the background darkened";
    EXPECT_EQ(pixel(25, 25), abgedunkelt(0x7BEF)) << "the icon under the box darkened";
    const std::vector<u16> erstes(px, px + 800 * 600);
    Menue_Screen_Refresh(ziel.get());
    EXPECT_EQ(unter_gezeichnet, 1) << "not drawn again under the box";
    EXPECT_TRUE(std::equal(erstes.begin(), erstes.end(), px)) << "the same picture, darkened once";
    // A new icon under the box: the darkened picture is made anew with it.
    Screen_Icon neu = menue_test::knopf(41, 100, 20, 30, 30, 2);
    neu.zeichnen = unter_zeichnen;
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(neu));
    Menue_Screen_Refresh(ziel.get());
    EXPECT_EQ(unter_gezeichnet, 3);
    EXPECT_EQ(pixel(110, 25), abgedunkelt(0x7BEF));
    EXPECT_EQ(pixel(5, 5), abgedunkelt(0x001F)) << "darkened once, not twice";
    // The box gone: the screen as it is.
    klick(690, 420);
    ASSERT_FALSE(Menue_Requester_Offen());
    Menue_Screen_Refresh(ziel.get());
    EXPECT_EQ(pixel(5, 5), 0x001F);
    EXPECT_EQ(pixel(25, 25), 0x7BEF);
}

// The box's page is drawn with the darkened screen once: later frames copy
// it and draw only the buttons over it.
int seite_gezeichnet = 0;
void seite_zaehlen(Screen_Icon*, Rastport*, i32, i32) { ++seite_gezeichnet; }

TEST_F(Frame, DieSeiteDerBoxWirdEinmalGezeichnet) {
    Rastport_Bild ziel(Rastport_Neu_Einfach(800, 600, 16));
    Menue_Set_Hintergrund(nullptr, 0x001F);
    Menue_Requester(REQUESTER_OK, 0, "Mitteilung", nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
    Screen_Icon* seite = Menue_Screen_Icon_Aus_Nummer(ICON_REQ_SEITE);
    ASSERT_NE(seite, nullptr);
    Menue_Screen_Refresh(ziel.get());
    seite->zeichnen = seite_zaehlen;
    seite_gezeichnet = 0;
    Menue_Screen_Refresh(ziel.get());
    Menue_Screen_Refresh(ziel.get());
    EXPECT_EQ(seite_gezeichnet, 0);
    klick(690, 420);
    EXPECT_FALSE(Menue_Requester_Offen());
}

// A visible icon that copies its picture over the whole screen without a
// colour key hides the background: it is not drawn. A keyed, smaller,
// shifted or hidden one leaves it drawn.
TEST_F(Frame, EinBildUeberDemGanzenScreenSpartDenHintergrund) {
    Rastport_Bild ziel(Rastport_Neu_Einfach(800, 600, 16));
    const struct Fall {
        i16 x, w, h;
        u32 status;
        bool hintergrund;
    } faelle[] = {
        {0, 800, 600, 0, false},
        {0, 800, 600, MENUE_S_TRANSPARENT, true},
        {0, 800, 600, MENUE_S_VERSTECKT, true},
        {0, 800, 599, 0, true},
        {1, 800, 600, 0, true},
    };
    for (const Fall& f : faelle) {
        Menue_Screen_Freigeben();
        Menue_Set_Hintergrund(nullptr, 0x001F);
        Rastport_Bild bild(Rastport_Neu_Einfach(f.w, f.h, 16));
        Blt_Rechteck(bild.get(), 0, 0, -1, -1, 0x07E0);
        Screen_Icon i = menue_test::knopf(50, f.x, 0, f.w, f.h, 1, f.status);
        i.bild = bild.get();
        ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(i));
        Zeichenspur_Einschalten();
        Menue_Screen_Refresh(ziel.get());
        int flaechen = 0;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege())
            flaechen += e.art == SPUR_FLAECHE && e.breite == 800 && e.hoehe == 600 && e.farbe == 0x001F;
        Zeichenspur_Ausschalten();
        EXPECT_EQ(flaechen, f.hintergrund ? 1 : 0) << f.x << " " << f.h << " " << f.status;
        const u16 oben_links = ziel->bitmap->pixel16()[0];
        EXPECT_EQ(oben_links, f.x == 0 && !(f.status & MENUE_S_VERSTECKT) ? 0x07E0 : 0x001F);
        Menue_Screen_Icon_Loeschen(50);
    }
}

TEST_F(Frame, RequesterArtenUndAntworten) {
    const i32 l1[] = {7, 8}, l2[] = {9};
    struct Fall {
        i32 art;
        Requester_Prozedur p2;
        i32 x, y;
        u32 taste;
        const char* erwartet;
    };
    const Fall faelle[] = {
        {REQUESTER_JA_NEIN, nein, 100, 420, MAUS_LINKS, "ja 7 8"},  // 713
        {REQUESTER_JA_NEIN, nein, 690, 420, MAUS_LINKS, "nein 9"},  // 714
        {REQUESTER_OK, nullptr, 690, 420, MAUS_LINKS, "ja 7 8"},    // the one button answers with procedure 1
        {REQUESTER_OK, nullptr, 300, 50, MAUS_RECHTS, "ja 7 8"},    // a right click anywhere
    };
    for (const Fall& f : faelle) {
        antworten.clear();
        Menue_Requester(f.art, 0, "Frage", nullptr, nullptr, ja, f.p2, 2, l1, 1, l2);
        ASSERT_TRUE(Menue_Requester_Offen());
        frame(10, f.x, f.y, 0);
        frame(10, f.x, f.y, f.taste);
        frame(10, f.x, f.y, 0);
        EXPECT_FALSE(Menue_Requester_Offen()) << f.erwartet;
        EXPECT_EQ(antworten, std::vector<std::string>{f.erwartet});
    }
}

TEST_F(Frame, RequesterKopiertHoechstensSeineGrenzen) {
    // 600 characters and 80 numbers: held to 499 and 50, nothing read or
    // written beyond (the sanitiser checks).
    const std::string lang(600, 'x');
    std::vector<i32> viele(80, 3);
    Menue_Requester(REQUESTER_JA_NEIN, 0, lang.c_str(), lang.c_str(), lang.c_str(), ja, nein, 80, viele.data(), 0,
                    nullptr);
    klick(100, 420);
    ASSERT_EQ(antworten.size(), 1u);
    EXPECT_EQ(antworten[0].size(), std::string("ja").size() + 50 * 2);
}

TEST_F(Frame, PopupOeffnetSichSchrittweiseOderSofort) {
    for (bool animation : {true, false}) {
        Menue_Screen_Freigeben();
        Hauptmenue_Set_Hooks({.animation = animation ? +[] { return true; } : +[] { return false; }});
        Menue_Hauptmenue_Zeigen();
        Screen_Icon* team = Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_TEAM);
        ASSERT_NE(team, nullptr);
        klick(320, 580);
        i32 ticks = 0;
        while (team->y != 436 && ticks < 50) {
            frame(20, 320, 300, 0);
            ++ticks;
        }
        // 135 pixels at 20 a tick (one tick per 20 ms frame) take seven frames;
        // without animation one.
        EXPECT_EQ(ticks, animation ? 7 : 1) << animation;
        frame(10, 320, 436 + 23 + 2 * 22 + 5, 0);
        EXPECT_EQ(Menue_Dialog_Eintrag(ICON_DIALOG_TEAM), 2);
    }
}

// "Beenden" of the game's pop-up asks first; the pop-up is shut before the
// question, not left open behind its dimmed picture.
TEST_F(Frame, BeendenSchliesstDasPopupVorDerFrage) {
    Hauptmenue_Set_Hooks({.animation = +[] { return true; }});
    Menue_Hauptmenue_Zeigen();
    Screen_Icon* spiel = Menue_Screen_Icon_Aus_Nummer(ICON_DIALOG_SPIEL);
    ASSERT_NE(spiel, nullptr);
    const i32 x = spiel->x + spiel->w / 2;
    klick(x, 580);
    for (i32 t = 0; t < 50 && spiel->y != 480; ++t) frame(20, 320, 300, 0);
    ASSERT_EQ(spiel->y, 480);
    klick(x, 480 + 23 + 3 * 22 + 5);
    ASSERT_TRUE(Menue_Requester_Offen());
    for (i32 t = 0; t < 3; ++t) {
        EXPECT_EQ(spiel->y, 571) << t;
        EXPECT_EQ(spiel->status & MENUE_S_AN, 0u) << t;
        frame(20, 320, 300, 0);
    }
}

}  // namespace

namespace {

TEST_F(Frame, UebergabeNachZugendeZeigtDasMenueWieder) {
    // After an end of turn the screen is empty and the byte marks the time
    // between two turns; the hand-over to the next manager shows his menu.
    Menue_Hauptmenue_Zeigen();
    Menue_Zug_Beenden();
    EXPECT_EQ(Menue_Modus, 1);
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));
    // A message that came between the turns stays up over the next menu.
    Menue_Requester(REQUESTER_OK, 0, "Speichern misslungen", nullptr, nullptr, ja, nullptr);
    Menue_Manager_Wechsel(0);
    EXPECT_EQ(Menue_Modus, 0);
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(ICON_DIALOG_TEAM));
    EXPECT_TRUE(Menue_Requester_Offen());
}

}  // namespace

namespace {

// Each control bar button clicked in turn: replay, pause and fast stay
// pressed (fast lifts the pause and releases its button), the windows and
// in-match screens still to come answer with a requester and stay up, load
// and save press the pause first.
TEST_F(Frame, KontrollleisteKnoepfeDerReiheNach) {
    Spielfeld_Set_Pause(0);
    Menue_Kontrollleiste_Zeigen();
    struct Fall {
        i16 x;
        bool an, requester;
        i32 pause;
    };
    const Fall faelle[] = {{111, true, false, 0}, {169, true, false, 1}, {224, true, false, 0},
                           {282, false, true, 0}, {342, false, true, 0}, {435, false, true, 0},
                           {501, false, true, 0}, {573, false, true, 1}, {639, false, false, 1}};
    for (i32 k = 0; k < 9; ++k) {
        const Fall& f = faelle[k];
        klick(f.x + 27, 582);
        const Screen_Icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_ERSTER + k);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ((i->status & MENUE_S_AN) != 0, f.an) << k;
        EXPECT_EQ(Menue_Requester_Offen(), f.requester) << k;
        EXPECT_EQ(Spielfeld_Get_Pause(), f.pause) << k;
        if (k == 2) {
            EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_PAUSE)->status & MENUE_S_AN);
        }
        if (Menue_Requester_Offen()) klick(690, 420);
    }
    Spielfeld_Set_Pause(0);
    Spielfeld_Set_Fast(0);
}

}  // namespace

namespace {

// A screen opened from the control bar over a running match clears the
// work area above the bar (its row 565 included): the bar stays, and only
// a clear that takes everything (the pages after the match, the main menu)
// removes it.
TEST_F(Frame, KontrollleisteBleibtUnterEinemScreen) {
    Menue_Set_Spiel_Pause(false);
    const struct {
        u32 modus;
        bool bleibt;
    } faelle[] = {{0, true}, {BEREICH_GANZ_INNEN, true}, {BEREICH_AUCH_BLEIBENDE, false}};
    for (const auto& f : faelle) {
        Menue_Kontrollleiste_Zeigen();
        Menue_Screen_Icons_Loeschen_Bereich(f.modus, 0, 0, 799, f.bleibt ? 565 : 599);
        for (i32 n = ICON_LEISTE_ERSTER; n <= ICON_LEISTE_RAHMEN; ++n)
            EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(n), f.bleibt) << f.modus << " icon " << n;
    }
    Menue_Kontrollleiste_Zeigen();
    Menue_Hauptmenue_Zeigen();
    EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_RAHMEN));
}

}  // namespace

// The header's money line and the screens' sums (the bank's money words)
// show one account alike: a balance with cents is rounded by both, so the
// negotiation's "Kontostand danach" and the header after the deal agree.
TEST(Geld, DieKopfzeileRundetWieDieBank) {
    const struct {
        f64 betrag;
        const char* text;
    } faelle[] = {
        {4842030.6, "4.842.031 \x80"}, {4842030.4, "4.842.030 \x80"}, {999.5, "1.000 \x80"},
        {-2500.7, "-2.501 \x80"},      {-0.4, "0 \x80"},              {0.0, "0 \x80"},
    };
    for (const auto& f : faelle) EXPECT_EQ(Menue_Geld_Text(f.betrag), f.text) << f.betrag;
}
