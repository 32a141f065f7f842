// The screen test kit tests itself: clicks counted once, a throttled
// procedure, a requester answered, a text and a picture found in the draw
// trace and on the screen, the screenshot; and bad data that a screen must
// survive (a damaged text file, a missing picture, a missing text).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "grafik_nummern.h"
#include "graphics/font.h"
#include "graphics/glatt.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "graphics/video.h"
#include "graphics/zeichenspur.h"
#include "gui/menue.h"
#include "gui/text_cfg.h"
#include "kit.h"
#include "screens/teile/drossel.h"
#include "screens/teile/requester.h"

namespace {

constexpr i16 TOY = 3000;  // no screen owns it
i32 klicks = 0;
u32 letztes_ereignis = 0;
void zaehlen(Screen_Icon*, u32 e) {
    ++klicks;
    letztes_ereignis = e;
}

Screen_Icon toy(i16 nummer, i16 x, i16 y, i16 w, i16 h) {
    Screen_Icon i;
    i.nummer = nummer, i.x = x, i.y = y, i.w = w, i.h = h, i.ebene = 5;
    i.klick = zaehlen;
    return i;
}

class Kit : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten_Ohne_Spiel());
        klicks = 0;
        letztes_ereignis = 0;
    }
    void TearDown() override { kit::Beenden(); }
};

TEST_F(Kit, KlickZaehltEinmalRechtsklickIcon) {
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(toy(TOY, 100, 100, 80, 40)));
    kit::Klick(140, 120);
    EXPECT_EQ(klicks, 1);
    EXPECT_EQ(letztes_ereignis, MENUE_E_LINKS);
    // As the right-click icon it gets event 8 for a right press anywhere.
    Menue_Set_Rechtsklick_Icon(TOY);
    kit::Klick(600, 500, MAUS_RECHTS);
    EXPECT_EQ(klicks, 2);
    EXPECT_EQ(letztes_ereignis, MENUE_E_RECHTS);
    Menue_Set_Rechtsklick_Icon(-1);
}

TEST_F(Kit, KlickKlingt) {
    // A click on an icon sounds the engine's click (9); the rocker's right
    // click its own (10); an icon marked silent says nothing.
    Screen_Icon laut = toy(TOY, 100, 100, 80, 40), still = toy(TOY + 1, 300, 100, 80, 40);
    still.flags |= MENUE_F_KEIN_KLANG;
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(laut));
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(still));
    Zeichenspur_Einschalten();
    kit::Klick(140, 120);
    EXPECT_EQ(Zeichenspur_Klaenge(), std::vector<i32>{9});
    Zeichenspur_Einschalten();
    kit::Klick(340, 120);
    EXPECT_EQ(Zeichenspur_Klaenge(), std::vector<i32>{});
    EXPECT_EQ(klicks, 2);
}

// A screen's video steps are recorded as it asks for them, a video that
// cannot be opened included (the screen asked; nothing is shown).
void video_starten(Screen_Icon*, u32) { Bnk_InitV(12, "fehlt.bnk", 0, 0, 10, 20, 0, nullptr, false); }
TEST_F(Kit, VideosImRecorder) {
    Screen_Icon knopf = toy(TOY, 100, 100, 80, 40);
    knopf.klick = video_starten;
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(knopf));
    Zeichenspur_Einschalten();
    EXPECT_TRUE(kit::Videos().empty());
    kit::Klick(140, 120);
    EXPECT_EQ(kit::Videos(), std::vector<std::string>{"start 12"});
    kit::Spur_Leeren();
    EXPECT_TRUE(kit::Videos().empty());
}

Screen_Drossel drossel;
i32 gehandelt = 0;
void gedrosselt(Screen_Icon*, u32) {
    if (Screen_Drossel_Frei(&drossel, 150)) ++gehandelt;
}

TEST_F(Kit, GedrosselteProzedurHandeltZweimal) {
    drossel = {};
    gehandelt = 0;
    Screen_Icon i = toy(TOY, 100, 100, 80, 40);
    i.klick = gedrosselt;
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(i));
    // Clicks whose releases (where a click fires) fall at 0, 100 and 160 ms.
    kit::Maus(140, 120);
    const u32 start = kit::Jetzt() + 50;
    std::vector<i32> nach;
    for (u32 t : {0u, 100u, 160u}) {
        kit::Druecken();
        kit::Warten(start + t - kit::Jetzt() - 10);  // the release frame adds its 10 ms
        kit::Loslassen();
        ASSERT_EQ(kit::Jetzt(), start + t);
        nach.push_back(gehandelt);
    }
    EXPECT_EQ(nach, (std::vector<i32>{1, 1, 2}));
}

std::vector<i32> antwort;
void ja(i32 n, const i32* l) { antwort.assign(l, l + n); }
void nein(i32, const i32*) { antwort = {-1}; }

TEST_F(Kit, RequesterMitJaBeantwortet) {
    antwort.clear();
    const i32 werte[] = {4, 7};
    Screen_Frage("Wirklich?", ja, nein, 2, werte);
    kit::Frames(2);
    ASSERT_TRUE(kit::Requester_Offen());
    EXPECT_TRUE(kit::Text("Wirklich?"));
    kit::Requester_Antworten(true);
    EXPECT_FALSE(kit::Requester_Offen());
    EXPECT_EQ(antwort, (std::vector<i32>{4, 7}));
    // The one-button message: its procedure runs, and messages are recorded.
    antwort.clear();
    Screen_Mitteilung("Gespeichert.", ja, 1, werte);
    kit::Frames(2);
    kit::Requester_Antworten(false);
    EXPECT_EQ(antwort, (std::vector<i32>{4}));
}

void hallo_zeichnen(Screen_Icon*, Rastport* ziel, i32, i32) {
    Font_Printf(ziel, Font_Tabelle_Holen(9), "^c%05d%s", 120, 300, 65535, "Hallo");
}

TEST_F(Kit, TextUndGrafikInDerSpurUndAmSchirm) {
    Screen_Icon t = toy(TOY, 0, 0, 1, 1);
    t.flags = MENUE_F_NICHT_ABFRAGEN;
    t.zeichnen = hallo_zeichnen;
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(t));
    Screen_Icon b = toy(TOY + 1, 197, 86, 20, 20);
    b.grafik = GRAFIK_OPTIONEN_HAKEN;
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(b));
    kit::Spur_Leeren();
    kit::Frames(1);
    const Zeichenspur_Eintrag* e = kit::Text("Hallo");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->font, 9);
    EXPECT_EQ(e->x, 120);
    EXPECT_EQ(e->y, 300);
    EXPECT_EQ(e->farbe, 65535);
    EXPECT_EQ(e->sichtbar, "Hallo");
    const Zeichenspur_Eintrag* g = Zeichenspur_Blit(GRAFIK_OPTIONEN_HAKEN);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->x, 197);
    EXPECT_EQ(g->y, 86);
    EXPECT_TRUE(kit::Grafik_Bei(GRAFIK_OPTIONEN_HAKEN, 199, 88));
    EXPECT_FALSE(kit::Grafik_Bei(GRAFIK_OPTIONEN_HAKEN, 230, 88));
    // The screen holds the picture's own pixel where it is opaque.
    Rastport_Bild bild(Resf_Grafik_Laden(GRAFIK_OPTIONEN_HAKEN));
    ASSERT_TRUE(bild && Rastport_Lock(bild.get()));
    i32 px = -1, py = -1;
    for (i32 y = 0; y < bild->hoehe && px < 0; ++y)
        for (i32 x = 0; x < bild->breite && px < 0; ++x)
            if (bild->alpha.empty() || bild->alpha[static_cast<size_t>(y) * bild->breite + x] == 255) px = x, py = y;
    ASSERT_GE(px, 0);
    EXPECT_EQ(kit::Probe(197 + px, 86 + py), bild->bitmap->pixel16()[static_cast<size_t>(py) * bild->breite + px]);
    // The same frame again hashes the same; another picture does not.
    const u64 h = kit::Hash();
    kit::Frames(1);
    EXPECT_EQ(kit::Hash(), h);
    Menue_Screen_Icon_Aus_Nummer(TOY + 1)->x = 300;
    kit::Frames(1);
    EXPECT_NE(kit::Hash(), h);
    Menue_Screen_Icon_Aus_Nummer(TOY + 1)->x = 197;
    kit::Frames(1);
    // The screenshot.
    const std::string png = kit::Png("kit_selbsttest");
    ASSERT_FALSE(png.empty());
    std::ifstream f(png, std::ios::binary);
    unsigned char kopf[24] = {};
    f.read(reinterpret_cast<char*>(kopf), sizeof kopf);
    auto be32 = [&](int o) { return kopf[o] << 24 | kopf[o + 1] << 16 | kopf[o + 2] << 8 | kopf[o + 3]; };
    EXPECT_EQ(be32(16), 800);
    EXPECT_EQ(be32(20), 600);
}

// Bad data: a picture no archive holds is not drawn, a missing text is
// empty, a damaged text file is reported with its line and the rest read.
TEST_F(Kit, FehlendeGrafikFehlenderTextKaputteTextdatei) {
    Screen_Icon b = toy(TOY, 100, 100, 40, 40);
    b.grafik = 16000 + 3999;  // an entry the archive does not have
    ASSERT_TRUE(Menue_Screen_Icon_Hinzufuegen(b));
    kit::Spur_Leeren();
    kit::Frames(2);
    EXPECT_FALSE(kit::Grafik_Bei(16000 + 3999, 110, 110));
    EXPECT_STREQ(Text_cfg_Text(TEXT_OPTIONEN, 199), "");
    EXPECT_STREQ(Text_cfg_Text(TEXT_OPTIONEN, 500), "");

    const std::string datei = kit::Ordner() + "/config/1_text.cfg";
    {
        std::ifstream in(datei);
        std::stringstream alt;
        alt << in.rdbuf();
        std::ofstream aus(datei, std::ios::trunc);
        aus << "TEXT \"vor jedem Abschnitt\"\n" << alt.str() << "\nSCRENE KAPUTT\n";
    }
    kit::Meldungen_Leeren();
    Text_cfg_Init();
    ASSERT_GE(kit::Meldungen().size(), 2u);
    EXPECT_NE(kit::Meldungen()[0].find("1"), std::string::npos) << kit::Meldungen()[0];
    EXPECT_STREQ(Text_cfg_Text(TEXT_OPTIONEN, 3), "Optionen");  // the rest was read
}

}  // namespace
