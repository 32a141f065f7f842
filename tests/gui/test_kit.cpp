// The widget kit: texts keep their own colour whatever was drawn before,
// widgets stay inside their boxes, table rows share their header's span,
// and the layout helpers tile without overlap.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <string>

#include "graphics/alpha.h"
#include "graphics/font.h"
#include "graphics/rastport.h"
#include "graphics/testfont.h"
#include "graphics/zeichenspur.h"
#include "gui/icon_tabelle.h"
#include "gui/kit.h"
#include "gui/palette.h"
#include "gui/umbruch.h"

namespace {

constexpr u16 MARKE = 0x1234;  // background the widgets must not touch outside their box

Rastport_Bild flaeche(i32 w = 200, i32 h = 120) {
    Rastport_Bild rp(Rastport_Neu_Einfach(w, h, 16));
    u16* p = rp->bitmap->pixel16();
    for (i32 i = 0; i < w * h; ++i) p[i] = MARKE;
    return rp;
}
u16 px(Rastport* rp, i32 x, i32 y) { return rp->bitmap->pixel16()[static_cast<size_t>(y) * rp->breite + x]; }

// Colours of the pixels that differ from the background inside a box.
std::set<u16> farben(Rastport* rp, i32 x0, i32 y0, i32 x1, i32 y1) {
    std::set<u16> s;
    for (i32 y = y0; y < y1; ++y)
        for (i32 x = x0; x < x1; ++x)
            if (px(rp, x, y) != MARKE) s.insert(px(rp, x, y));
    return s;
}

// Two pictures of one text compared: both drawn the same, and drawn at all.
void gleich_gezeichnet(Rastport* alt, Rastport* neu) {
    const u16* a = alt->bitmap->pixel16();
    const u16* b = neu->bitmap->pixel16();
    i32 anders = 0, gezeichnet = 0;
    for (i32 i = 0; i < alt->breite * alt->hoehe; ++i) anders += a[i] != b[i], gezeichnet += b[i] != MARKE;
    EXPECT_EQ(anders, 0);
    EXPECT_GT(gezeichnet, 0);
}

// Whatever an earlier text left in the font (a colour code, a locked colour,
// a font colour set by hand), a kit text comes out in its own colour only.
TEST(Kit, TextHatSeineEigeneFarbe) {
    std::unique_ptr<Font> f(testfont::neu());
    const char* vorher[] = {"^c00123GEWINN", "^ic04321X", "PLAIN"};
    for (const char* v : vorher) {
        SCOPED_TRACE(v);
        auto rp = flaeche();
        f->farbe = 777;
        Font_Markup_Ausgabe(rp.get(), f.get(), 0xFFFF, v, 0, 14, 0);
        Kit_Text(rp.get(), f.get(), FARBE_GEWAEHLT, "JA", 0, 40);
        Kit_Text_Mitte(rp.get(), f.get(), FARBE_KNOPF_TEXT, "NEIN", 100, 70);
        Kit_Text_Rechts(rp.get(), f.get(), FARBE_FEHLER, "OK", 200, 100);
        EXPECT_EQ(farben(rp.get(), 0, 28, 200, 41), std::set<u16>{FARBE_GEWAEHLT});
        EXPECT_EQ(farben(rp.get(), 0, 58, 200, 71), std::set<u16>{FARBE_KNOPF_TEXT});
        EXPECT_EQ(farben(rp.get(), 0, 88, 200, 101), std::set<u16>{FARBE_FEHLER});
    }
}

// A word-wrapped text comes out in the colour it is given, whatever the
// text before left in the font.
TEST(Kit, UmbruchTextHatSeineFarbe) {
    std::unique_ptr<Font> f(testfont::neu());
    auto rp = flaeche();
    Font_Markup_Ausgabe(rp.get(), f.get(), 0xFFFF, "^c00123VORHER", 0, 14, 0);
    Umbruch_Text_Ausgabe(rp.get(), f.get(), "EINE ZEILE UND NOCH EINE", 0, 120, 40, 110, FARBE_WEISS, 0, -1);
    EXPECT_EQ(farben(rp.get(), 0, 40, 200, 120), std::set<u16>{FARBE_WEISS});
}

// Panels and buttons in every state draw inside their box (a panel's or
// button's shadow: two rows under it), leave the rounded corners' outer
// pixel alone, and draw something.
TEST(Kit, WidgetsBleibenInIhremKasten) {
    std::unique_ptr<Font> f(testfont::neu());
    constexpr i32 X = 20, Y = 20, W = 120, H = 40;
    struct Fall {
        const char* name;
        void (*zeichnen)(Rastport*, Font*);
        i32 unten;  // rows below the box that may change
        bool runde_ecken;
    };
    const Fall faelle[] = {
        {"panel", [](Rastport* rp, Font*) { Kit_Panel(rp, X, Y, W, H); }, 2, true},
        {"titelpanel", [](Rastport* rp, Font* f) { Kit_Panel_Titel(rp, f, "TITEL", X, Y, W, H); }, 2, true},
        {"knopf", [](Rastport* rp, Font* f) { Kit_Knopf(rp, f, "OK", X, Y, W, H, Kit_Zustand::NORMAL); }, 2, true},
        {"knopf ueber", [](Rastport* rp, Font* f) { Kit_Knopf(rp, f, "OK", X, Y, W, H, Kit_Zustand::UEBER); }, 2, true},
        {"knopf gedrueckt", [](Rastport* rp, Font* f) { Kit_Knopf(rp, f, "OK", X, Y, W, H, Kit_Zustand::GEDRUECKT); },
         2, true},
        {"knopf an", [](Rastport* rp, Font* f) { Kit_Knopf(rp, f, "OK", X, Y, W, H, Kit_Zustand::AN); }, 2, true},
        {"knopf grau", [](Rastport* rp, Font* f) { Kit_Knopf(rp, f, "OK", X, Y, W, H, Kit_Zustand::GRAU); }, 2, true},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        auto rp = flaeche();
        c.zeichnen(rp.get(), f.get());
        for (i32 y = 0; y < rp->hoehe; ++y)
            for (i32 x = 0; x < rp->breite; ++x) {
                const bool drin = x >= X && x < X + W && y >= Y && y < Y + H + c.unten;
                if (!drin) {
                    ASSERT_EQ(px(rp.get(), x, y), MARKE) << x << "," << y;
                }
            }
        EXPECT_FALSE(farben(rp.get(), X, Y, X + W, Y + H).empty());
        if (c.runde_ecken) {
            EXPECT_EQ(px(rp.get(), X, Y), MARKE);
        }
    }
}

// Every row of a table, the selected one included, spans exactly its
// header bar; the cells sit inside it.
TEST(Kit, TabellenzeilenTeilenDieBreiteDesKopfes) {
    std::unique_ptr<Font> f(testfont::neu());
    const Kit_Spalte spalten[] = {{"PL", 4, Kit_Ausrichtung::LINKS},
                                  {"VEREIN", 60, Kit_Ausrichtung::MITTE},
                                  {"PKT", 156, Kit_Ausrichtung::RECHTS}};
    Kit_Tabelle t;
    t.x = 20, t.y = 4, t.w = 160, t.spalten = spalten, t.anzahl = 3, t.font = f.get();
    auto rp = flaeche(200, 120);
    Kit_Tabelle_Kopf(rp.get(), t);
    const char* zellen[] = {"18", "ABC", "3"};
    for (i32 z = 0; z < 4; ++z) Kit_Tabelle_Zeile(rp.get(), t, z, zellen, FARBE_WEISS, z == 2);
    const i32 unten = Kit_Tabelle_Zeile_Y(t, 4);
    for (i32 y = t.y; y < unten; ++y) {
        ASSERT_EQ(px(rp.get(), t.x - 1, y), MARKE) << y;
        ASSERT_EQ(px(rp.get(), t.x + t.w, y), MARKE) << y;
    }
    EXPECT_EQ(farben(rp.get(), 0, unten, 200, 120), std::set<u16>{});
    // Rows 1 and 3 are shaded, the selected row gold; row 0 shows the background.
    EXPECT_EQ(px(rp.get(), t.x + 1, Kit_Tabelle_Zeile_Y(t, 1) + 1), FARBE_ZEILE_HELL);
    EXPECT_EQ(px(rp.get(), t.x + 1, Kit_Tabelle_Zeile_Y(t, 2) + 1), FARBE_GOLD_DUNKEL);
    EXPECT_EQ(px(rp.get(), t.x + 1, Kit_Tabelle_Zeile_Y(t, 0) + 1), MARKE);
}

// A column with a width: its head stands as `kopf` says over the width,
// its cells at the edge their alignment names, in the box table as in a
// table drawn as texts.
TEST(Kit, SpalteMitBreiteSetztKopfUndZellen) {
    constexpr Kit_Spalte PUNKTE{
        .x = 100, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 50, .kopf = Kit_Kopf::MITTE};
    constexpr Kit_Spalte PLATZ{.x = 16, .ausrichtung = Kit_Ausrichtung::MITTE, .breite = 48, .kopf = Kit_Kopf::LINKS};
    constexpr Kit_Spalte ALT{.x = 40, .ausrichtung = Kit_Ausrichtung::RECHTS};  // no width: x is the place
    static_assert(Kit_Spalte_X(PUNKTE) == 150 && Kit_Spalte_X(PUNKTE, true) == 125);
    static_assert(Kit_Spalte_X(PLATZ) == 40 && Kit_Spalte_X(PLATZ, true) == 16);
    static_assert(Kit_Spalte_X(ALT) == 40 && Kit_Spalte_X(ALT, true) == 40);
    // A head set off its cells moves alone, whatever its alignment.
    constexpr Kit_Spalte VERSETZT{
        .x = 100, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 50, .kopf = Kit_Kopf::MITTE, .kopf_versatz = 8};
    constexpr Kit_Spalte ZURUECK{.x = 16, .ausrichtung = Kit_Ausrichtung::MITTE, .breite = 48, .kopf_versatz = -3};
    static_assert(Kit_Spalte_X(VERSETZT) == 150 && Kit_Spalte_X(VERSETZT, true) == 133);
    static_assert(Kit_Spalte_X(ZURUECK) == 40 && Kit_Spalte_X(ZURUECK, true) == 37);
    static_assert(Kit_Spalte_Stelle(VERSETZT, true).ausrichtung == Kit_Ausrichtung::MITTE);

    std::unique_ptr<Font> f(testfont::neu());
    const Kit_Spalte spalten[] = {
        {.titel = "PKT", .x = 100, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 50, .kopf = Kit_Kopf::MITTE}};
    Kit_Tabelle t;
    t.x = 20, t.y = 4, t.w = 170, t.spalten = spalten, t.anzahl = 1, t.font = f.get();
    auto rp = flaeche(200, 120);
    Kit_Tabelle_Kopf(rp.get(), t);
    const char* zellen[] = {"7"};
    Kit_Tabelle_Zeile(rp.get(), t, 0, zellen, FARBE_WEISS);
    // "PKT" is 24 px wide, centred on 20 + 125; "7" ends at 20 + 150 (its 6 drawn columns).
    const i32 kopf_y = t.y + 1, zeile_y = Kit_Tabelle_Zeile_Y(t, 0);
    auto spalten_mit = [&](u16 farbe, i32 y0, i32 y1, i32* links, i32* rechts) {
        *links = 1000, *rechts = -1;
        for (i32 y = y0; y < y1; ++y)
            for (i32 x = 0; x < 200; ++x)
                if (px(rp.get(), x, y) == farbe) *links = std::min(*links, x), *rechts = std::max(*rechts, x);
    };
    i32 l = 0, r = 0;
    spalten_mit(FARBE_KREIDE_2, kopf_y, kopf_y + t.kopf_h - 2, &l, &r);
    EXPECT_EQ(l, 20 + 125 - 12);
    EXPECT_EQ(r, 20 + 125 + 12 - 3);
    spalten_mit(FARBE_WEISS, zeile_y, zeile_y + t.zeile_h, &l, &r);
    EXPECT_EQ(l, 20 + 150 - 8);
    EXPECT_EQ(r, 20 + 150 - 3);
}

}  // namespace

namespace {

// A screen's text drawn through the kit comes out pixel for pixel as the
// colour-coded text it replaces, tabs and markup after the colour included,
// and the kit's colour wins over the one the font was left with.
TEST(Kit, PrintfZeichnetWieDerFarbigeText) {
    std::unique_ptr<Font> f(testfont::neu());
    struct Fall {
        const char* format;
        i32 zahl;
        const char* text;
    };
    const Fall FAELLE[] = {{"%s", 0, "JA"}, {"^tr0150%d %s", 42, "OK"}, {"^tz0100%s^tl0120%d", 7, "MITTE"}};
    for (const Fall& c : FAELLE) {
        SCOPED_TRACE(c.format);
        auto alt = flaeche(), neu = flaeche();
        f->farbe = 777;
        // The old way: the colour as a code in front of the format.
        if (std::string(c.format) == "%s") Font_Printf(alt.get(), f.get(), "^c%05d%s", 10, 40, FARBE_GOLD, c.text);
        else if (c.format[2] == 'r') Font_Printf(alt.get(), f.get(), "^c%05d^tr0150%d %s", 10, 40, FARBE_GOLD, c.zahl, c.text);
        else Font_Printf(alt.get(), f.get(), "^c%05d^tz0100%s^tl0120%d", 10, 40, FARBE_GOLD, c.text, c.zahl);
        f->farbe = 777;
        if (std::string(c.format) == "%s") Kit_Printf(neu.get(), f.get(), FARBE_GOLD, 10, 40, "%s", c.text);
        else if (c.format[2] == 'r') Kit_Printf(neu.get(), f.get(), FARBE_GOLD, 10, 40, "^tr0150%d %s", c.zahl, c.text);
        else Kit_Printf(neu.get(), f.get(), FARBE_GOLD, 10, 40, "^tz0100%s^tl0120%d", c.text, c.zahl);
        gleich_gezeichnet(alt.get(), neu.get());
        EXPECT_EQ(farben(neu.get(), 0, 0, 200, 120), std::set<u16>{FARBE_GOLD});
    }
}

// A text longer than the buffer is cut, never overrun; nothing drawn
// without a font or a format.
TEST(Kit, PrintfLangerTextUndOhneFont) {
    std::unique_ptr<Font> f(testfont::neu());
    auto rp = flaeche();
    const std::string lang(3000, 'A');
    EXPECT_EQ(Kit_Printf(rp.get(), f.get(), FARBE_WEISS, 0, 14, "%s", lang.c_str()), 1);
    EXPECT_EQ(Kit_Printf(rp.get(), nullptr, FARBE_WEISS, 0, 14, "%s", "X"), 0);
    EXPECT_EQ(Kit_Text_Alpha(rp.get(), f.get(), FARBE_WEISS, nullptr, 0, 14, 50), 0);
}

// A table drawn as texts: head and rows are one text each, every '\t'
// of the format the stop of the next column given (the head's place or
// the cells'), a '\v' passing over one, markup between the cells kept
// where it is written, a '\t' past the last column dropped; a cell alone and a text at a place get
// their stop in front.
TEST(Kit, TabelleAlsTextSetztDieStoppsDerSpalten) {
    constexpr Kit_Spalte SPALTEN[] = {
        {.x = 16, .ausrichtung = Kit_Ausrichtung::MITTE, .breite = 48, .kopf = Kit_Kopf::LINKS},
        {.x = 125},
        {.x = 430, .breite = 200},
        {.x = 685, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 50, .kopf = Kit_Kopf::MITTE},
    };
    std::unique_ptr<Font> f(testfont::neu());
    auto rp = flaeche(800, 40);
    struct Fall {
        const char* was;
        std::string text;      // the text as the renderer was given it
        std::string sichtbar;  // its visible characters
    };
    Zeichenspur_Einschalten();
    Kit_Tabelle_Kopf_Printf(rp.get(), f.get(), FARBE_KOPF, 0, 20, Kit_Schein::GLATT, SPALTEN, "\t%s\t%s\t%s\t%s", "PL",
                            "NAME", "LAND", "PKT");
    Kit_Tabelle_Zeile_Printf(rp.get(), f.get(), FARBE_WEISS, 0, 20, Kit_Schein::SCHLICHT, SPALTEN,
                             "\t%d.\t%s^fb0011\t%s^fe\t%d", 3, "ABC", "DE", 17);
    Kit_Tabelle_Zeile_Printf(rp.get(), f.get(), FARBE_GRAU, 0, 20, Kit_Schein::SCHLICHT, std::span(SPALTEN).subspan(2),
                             "\t-:-\t0\tX");
    Kit_Tabelle_Zeile_Printf(rp.get(), f.get(), FARBE_WEISS, 0, 20, Kit_Schein::SCHLICHT, SPALTEN, "\t%d.\v%s%s\t%s", 4,
                             Kit_Einzug_Bei({Kit_Ausrichtung::RECHTS, 92}).code, "X", "Z");
    Kit_Tabelle_Zelle_Printf(rp.get(), f.get(), FARBE_WEISS, 5, 20, Kit_Schein::GLATT, SPALTEN[3], "%d", 9);
    Kit_Printf_Stelle(rp.get(), f.get(), FARBE_WEISS, 0, 20, Kit_Schein::SCHLICHT, {Kit_Ausrichtung::MITTE, 435},
                      "%s^tl0500%s", "A", "B");
    Kit_Printf_Stelle(rp.get(), f.get(), FARBE_WEISS, 0, 20, Kit_Schein::SCHLICHT, {Kit_Ausrichtung::LINKS, -7}, "Y");
    // A head over two cells (the place and the place before), the other
    // cells' column without a head; a head set off its cells' centre.
    constexpr Kit_Spalte PLATZ[] = {
        {.x = 49, .ausrichtung = Kit_Ausrichtung::RECHTS, .kopf = Kit_Kopf::KEINER},
        {.x = 8, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 86, .kopf = Kit_Kopf::MITTE},
        {.x = 536, .ausrichtung = Kit_Ausrichtung::MITTE, .breite = 100, .kopf_versatz = 3},
    };
    Kit_Tabelle_Kopf_Printf(rp.get(), f.get(), FARBE_KOPF, 0, 20, Kit_Schein::GLATT, PLATZ, "\t%s\t%s", "P", "T");
    Kit_Tabelle_Zeile_Printf(rp.get(), f.get(), FARBE_WEISS, 0, 20, Kit_Schein::GLATT, PLATZ, "\t%d.\t(%d)\t%d:%d", 1,
                             2, 3, 1);
    std::vector<Zeichenspur_Eintrag> spur = Zeichenspur_Eintraege();
    Zeichenspur_Ausschalten();
    auto farbe = [](u16 c) {
        char s[8];
        std::snprintf(s, sizeof s, "^c%05d", c);
        return std::string(s);
    };
    const Fall faelle[] = {
        {"Kopf", farbe(FARBE_KOPF) + "^tl0016PL^tl0125NAME^tl0430LAND^tz0710PKT", "\tPL\tNAME\tLAND\tPKT"},
        {"Zeile", farbe(FARBE_WEISS) + "^tz00403.^tl0125ABC^fb0011^tl0430DE^fe^tr073517", "\t3.\tABC\tDE\t17"},
        {"Teil", farbe(FARBE_GRAU) + "^tl0430-:-^tr07350X", "\t-:-\t0X"},
        {"Ohne Stopp", farbe(FARBE_WEISS) + "^tz00404.^tr0092X^tl0430Z", "\t4.\tX\tZ"},
        {"Zelle", farbe(FARBE_WEISS) + "^tr07359", "\t9"},
        {"Stelle", farbe(FARBE_WEISS) + "^tz0435A^tl0500B", "\tA\tB"},
        {"Rand", farbe(FARBE_WEISS) + "^tl0000Y", "\tY"},
        {"Kopf ueber zwei Zellen", farbe(FARBE_KOPF) + "^tz0051P^tz0589T", "\tP\tT"},
        {"Zellen unter einem Kopf", farbe(FARBE_WEISS) + "^tr00491.^tr0094(2)^tz05863:1", "\t1.\t(2)\t3:1"},
    };
    std::vector<const Zeichenspur_Eintrag*> texte;
    for (const Zeichenspur_Eintrag& e : spur)
        if (e.art == SPUR_TEXT) texte.push_back(&e);
    ASSERT_EQ(texte.size(), std::size(faelle));
    for (size_t i = 0; i < std::size(faelle); ++i) {
        SCOPED_TRACE(faelle[i].was);
        EXPECT_EQ(texte[i]->text, faelle[i].text);
        EXPECT_EQ(texte[i]->sichtbar, faelle[i].sichtbar);
    }
    EXPECT_EQ(texte[4]->x, 5);
    // The same line set into a buffer is the drawn text without its colour;
    // a small buffer holds its start, ended.
    char zeile[128], klein[10];
    EXPECT_EQ(Kit_Tabelle_Zeile_Setzen(zeile, sizeof zeile, SPALTEN, "\t%d.\t%s^fb0011\t%s^fe\t%d", 3, "ABC", "DE",
                                       17),
              static_cast<i32>(faelle[1].text.size() - 7));
    EXPECT_EQ(std::string(zeile), faelle[1].text.substr(7));
    EXPECT_EQ(Kit_Tabelle_Zeile_Setzen(klein, sizeof klein, SPALTEN, "\t%d.\t%s", 3, "ABCDEFGH"), 9);
    EXPECT_STREQ(klein, "^tz00403.");
    EXPECT_EQ(Kit_Tabelle_Zeile_Setzen(klein, 0, SPALTEN, "\t%d", 1), 0);
    const Kit_Einzug e = Kit_Einzug_Bei({Kit_Ausrichtung::RECHTS, 92});
    EXPECT_STREQ(e.code, "^tr0092");
    EXPECT_STREQ(Kit_Einzug_Bei(Kit_Spalte_Stelle(SPALTEN[3], true)).code, "^tz0710");
}

// A table line draws the pixels of the text with its stops written out,
// with either renderer.
TEST(Kit, TabellenzeileZeichnetWieIhreStopps) {
    constexpr Kit_Spalte SPALTEN[] = {{.x = 10, .ausrichtung = Kit_Ausrichtung::MITTE, .breite = 40},
                                      {.x = 60, .ausrichtung = Kit_Ausrichtung::RECHTS, .breite = 100}};
    std::unique_ptr<Font> f(testfont::neu());
    for (Kit_Schein schein : {Kit_Schein::SCHLICHT, Kit_Schein::GLATT}) {
        auto alt = flaeche(), neu = flaeche();
        if (schein == Kit_Schein::GLATT)
            Kit_Printf_Glatt(alt.get(), f.get(), FARBE_GOLD, 0, 40, "^tz0030%d.^tr0160%s", 4, "AB");
        else Kit_Printf(alt.get(), f.get(), FARBE_GOLD, 0, 40, "^tz0030%d.^tr0160%s", 4, "AB");
        Kit_Tabelle_Zeile_Printf(neu.get(), f.get(), FARBE_GOLD, 0, 40, schein, SPALTEN, "\t%d.\t%s", 4, "AB");
        gleich_gezeichnet(alt.get(), neu.get());
    }
}

// A format longer than the buffer is cut, never overrun, its stops too;
// nothing is drawn without a format.
TEST(Kit, TabelleAlsTextLangUndOhneFormat) {
    constexpr Kit_Spalte SPALTEN[] = {{.x = 10}, {.x = 20}};
    std::unique_ptr<Font> f(testfont::neu());
    auto rp = flaeche();
    std::string lang;
    for (i32 i = 0; i < 600; ++i) lang += "\tA";
    EXPECT_EQ(Kit_Tabelle_Zeile_Printf(rp.get(), f.get(), FARBE_WEISS, 0, 14, Kit_Schein::SCHLICHT, SPALTEN, "%s",
                                       lang.c_str()),
              1);
#define KIT_T8 "\t\t\t\t\t\t\t\t"
#define KIT_A64 "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"
#define KIT_A1024                                                                                                   \
    KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 KIT_A64 \
        KIT_A64 KIT_A64
    Zeichenspur_Einschalten();
    EXPECT_EQ(Kit_Tabelle_Kopf_Printf(rp.get(), f.get(), FARBE_WEISS, 0, 14, Kit_Schein::SCHLICHT, SPALTEN,
                                      KIT_T8 KIT_T8 "B" KIT_A1024 KIT_A1024),
              1);
    ASSERT_EQ(Zeichenspur_Eintraege().size(), 1u);
    // The colour code and both stops lead; the text is cut to the buffer.
    const std::string& text = Zeichenspur_Eintraege()[0].text;
    EXPECT_EQ(text.substr(0, 22), "^c65535^tl0010^tl0020B");
    EXPECT_LE(text.size(), 1023u);
    EXPECT_GT(text.size(), 1000u);
    Zeichenspur_Ausschalten();
#undef KIT_T8
#undef KIT_A64
#undef KIT_A1024
    EXPECT_EQ(Kit_Tabelle_Zeile_Printf(rp.get(), f.get(), FARBE_WEISS, 0, 14, Kit_Schein::SCHLICHT, SPALTEN, nullptr),
              0);
    EXPECT_EQ(Kit_Printf_Stelle(rp.get(), f.get(), FARBE_WEISS, 0, 14, Kit_Schein::GLATT, {}, nullptr), 0);
}

}  // namespace

namespace {

// A picture button from the kit: transparent with its pressed picture, the
// label flag only with a label, no "on" picture unless given, its user
// words kept; built at compile time like the tables it stands in.
TEST(Kit, BildknopfWieEinTabelleneintrag) {
    static Icon_Textzeile label{};
    constexpr Screen_Icon ohne =
        Kit_Bildknopf({.nummer = 10, .grafik = 5, .gedrueckt = 6, .x = 1, .y = 2, .w = 30, .h = 20});
    static_assert(ohne.status == (MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD));
    static_assert(ohne.grafik_an == MENUE_KEINE_GRAFIK && ohne.grafik_gedrueckt == 6 && ohne.flags == 0);
    const Screen_Icon mit =
        Kit_Bildknopf({.nummer = 11, .grafik = 5, .text = &label, .flags = MENUE_F_BEIDE_TASTEN, .wort = {3, 4}});
    EXPECT_EQ(mit.flags, static_cast<u32>(MENUE_F_TEXT | MENUE_F_BEIDE_TASTEN));
    EXPECT_EQ(mit.daten, &label);
    EXPECT_EQ(mit.user[0], 3u);
    EXPECT_EQ(mit.user[1], 4u);
    const Icon_Textzeile b = Kit_Knopf_Beschriftung("OK");
    EXPECT_EQ(b.farbe, FARBE_KNOPF_TEXT);
    EXPECT_STREQ(b.text, "OK");
}

}  // namespace

namespace {

void klick_a(Screen_Icon*, u32) {}
const char* hilfe_a(Screen_Icon*) { return "hilfe"; }
void klick_b(Screen_Icon*, u32) {}
constexpr i16 BLOCK_Y[4] = {100, 117, 200, 217};
constexpr i16 EIGENE_NUMMERN[3] = {40, 41, 90};
constexpr u32 EIGENE_BILDER[3] = {500, 700, 300};
Icon_Textzeile zeilen_texte[3]{};

// A table of n rows: numbers counted on (or the screen's own), places by
// step or from the screen's lists, the row index in the asked user word
// (the other word kept from the first row), pictures counted on or listed
// with the on picture beside each, labels from the screen's array.
TEST(Kit, ZeilenTabelle) {
    constexpr Screen_Icon ERSTE{
        .nummer = 20, .grafik = 50, .grafik_an = 51, .x = 8, .y = 100, .klick = klick_a, .user = {7, 9}};
    struct Fall {
        const char* name;
        std::array<Screen_Icon, 4> z;
        i16 nummer[4], x[4], y[4];
        u32 wort0[4], wort1[4], grafik[4];
    };
    const Fall FAELLE[] = {
        {"Schritt nach unten, Index in Wort 0",
         Kit_Zeilen<4>(ERSTE, {.dy = 17}),
         {20, 21, 22, 23},
         {8, 8, 8, 8},
         {100, 117, 134, 151},
         {0, 1, 2, 3},
         {9, 9, 9, 9},
         {50, 50, 50, 50}},
        {"Index in Wort 1 ab 5, Wort 0 bleibt",
         Kit_Zeilen<4>(ERSTE, {.dx = -3, .index_wort = 1, .erster_index = 5}),
         {20, 21, 22, 23},
         {8, 5, 2, -1},
         {100, 100, 100, 100},
         {7, 7, 7, 7},
         {5, 6, 7, 8},
         {50, 50, 50, 50}},
        {"ohne Index, Bloecke aus der Liste, Bild weitergezaehlt",
         Kit_Zeilen<4>(ERSTE, {.index_wort = -1, .grafik_schritt = 2, .y = BLOCK_Y}),
         {20, 21, 22, 23},
         {8, 8, 8, 8},
         {100, 117, 200, 217},
         {7, 7, 7, 7},
         {9, 9, 9, 9},
         {50, 52, 54, 56}},
        {"Spalte eines Rasters: Nummer und Index im Schritt der Zeilenbreite",
         Kit_Zeilen<4>(ERSTE, {.dy = 10, .erster_index = 2, .schritt = 4}),
         {20, 24, 28, 32},
         {8, 8, 8, 8},
         {100, 110, 120, 130},
         {2, 6, 10, 14},
         {9, 9, 9, 9},
         {50, 50, 50, 50}},
    };
    for (const Fall& f : FAELLE) {
        SCOPED_TRACE(f.name);
        for (size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(f.z[k].nummer, f.nummer[k]) << k;
            EXPECT_EQ(f.z[k].x, f.x[k]) << k;
            EXPECT_EQ(f.z[k].y, f.y[k]) << k;
            EXPECT_EQ(f.z[k].user[0], f.wort0[k]) << k;
            EXPECT_EQ(f.z[k].user[1], f.wort1[k]) << k;
            EXPECT_EQ(f.z[k].grafik, f.grafik[k]) << k;
            EXPECT_EQ(f.z[k].klick, &klick_a) << k;
        }
    }
    // Numbers, pictures and labels from the screen's own lists; the on
    // picture keeps its distance to the picture.
    const auto eigene =
        Kit_Zeilen<3>(ERSTE, {.nummern = EIGENE_NUMMERN, .grafiken = EIGENE_BILDER, .texte = zeilen_texte});
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(eigene[k].nummer, EIGENE_NUMMERN[k]);
        EXPECT_EQ(eigene[k].grafik, EIGENE_BILDER[k]);
        EXPECT_EQ(eigene[k].grafik_an, EIGENE_BILDER[k] + 1);
        EXPECT_EQ(eigene[k].daten, &zeilen_texte[k]);
        EXPECT_TRUE(eigene[k].flags & MENUE_F_TEXT);
    }
    // Places from a rule.
    constexpr auto lagen = Kit_Lagen<3>([](i32 k) { return 136 + 17 * k; });
    static_assert(lagen[0] == 136 && lagen[2] == 170);
}

// A button of a group's shape: the group's fields unless the button gives
// its own; its procedures are always its own.
TEST(Kit, KnopfDerGruppenform) {
    constexpr Kit_Bildknopf_Def FORM{.grafik = 5,
                                     .x = 667,
                                     .w = 90,
                                     .h = 34,
                                     .ebene = 19,
                                     .klick = klick_a,
                                     .flags = MENUE_F_MODAL,
                                     .wort = {0, 0xB0}};
    constexpr Screen_Icon a = Kit_Bildknopf(FORM, {.nummer = 3, .y = 366, .klick = klick_b});
    static_assert(a.nummer == 3 && a.grafik == 5 && a.x == 667 && a.y == 366 && a.w == 90 && a.h == 34);
    static_assert(a.ebene == 19 && a.flags == MENUE_F_MODAL && a.user[0] == 0 && a.user[1] == 0xB0);
    static_assert(a.status == (MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD));
    EXPECT_EQ(a.klick, &klick_b);
    constexpr Screen_Icon b =
        Kit_Bildknopf(FORM, {.nummer = 4, .grafik = 8, .x = 12, .status = MENUE_S_TRANSPARENT, .wort = {2, 0}});
    static_assert(b.grafik == 8 && b.x == 12 && b.status == MENUE_S_TRANSPARENT && b.user[0] == 2 && b.user[1] == 0xB0);
    EXPECT_EQ(b.klick, nullptr) << "the form's procedure is not the button's";
}

// A table whose icons share a form but differ in picture, size, click and
// user words: each icon's own fields over the form's, the rest shared.
TEST(Kit, ZeilenMitEigenenFeldern) {
    constexpr Screen_Icon FORM{.nummer = 40,
                               .grafik = 7,
                               .grafik_gedrueckt = 8,
                               .status = MENUE_S_TRANSPARENT,
                               .klick = klick_a,
                               .ebene = 4,
                               .w = 250,
                               .h = 44,
                               .user = {5, 5}};
    constexpr auto t = Kit_Zeilen_Eigen(
        FORM, {{.grafik = 100, .x = 10, .y = 112, .w = 186, .h = 88, .klick = klick_b, .wort = {0x100, 0x101}},
               {.x = 240, .y = 367, .klick = klick_a},
               {.nummer = 90,
                .gedrueckt = 12,
                .an = 13,
                .x = 1,
                .y = 2,
                .ebene = 0,
                .text = &zeilen_texte[2],
                .status = MENUE_S_DRUCKBILD,
                .wort = {3, 0}}});
    struct Fall {
        i16 nummer;
        u32 grafik, gedrueckt, an;
        i16 x, y, w, h;
        i8 ebene;
        Icon_Klick_Prozedur klick;
        u32 status, wort0, wort1;
    };
    const Fall faelle[] = {
        {40, 100, 8, MENUE_KEINE_GRAFIK, 10, 112, 186, 88, 4, klick_b, MENUE_S_TRANSPARENT, 0x100, 0x101},
        {41, 7, 8, MENUE_KEINE_GRAFIK, 240, 367, 250, 44, 4, klick_a, MENUE_S_TRANSPARENT, 0, 0},
        {90, 7, 12, 13, 1, 2, 250, 44, 0, nullptr, MENUE_S_DRUCKBILD, 3, 0},
    };
    for (size_t k = 0; k < std::size(faelle); ++k) {
        const Fall& f = faelle[k];
        const Screen_Icon& i = t[k];
        EXPECT_EQ(i.nummer, f.nummer) << k;
        EXPECT_EQ(i.grafik, f.grafik) << k;
        EXPECT_EQ(i.grafik_gedrueckt, f.gedrueckt) << k;
        EXPECT_EQ(i.grafik_an, f.an) << k;
        EXPECT_EQ(i.x, f.x) << k;
        EXPECT_EQ(i.y, f.y) << k;
        EXPECT_EQ(i.w, f.w) << k;
        EXPECT_EQ(i.h, f.h) << k;
        EXPECT_EQ(i.ebene, f.ebene) << k;
        EXPECT_EQ(i.klick, f.klick) << k << ": the click is always the icon's own";
        EXPECT_EQ(i.status, f.status) << k;
        EXPECT_EQ(i.user[0], f.wort0) << k;
        EXPECT_EQ(i.user[1], f.wort1) << k;
    }
    EXPECT_EQ(t[0].daten, nullptr);
    EXPECT_FALSE(t[0].flags & MENUE_F_TEXT);
    EXPECT_EQ(t[2].daten, &zeilen_texte[2]);
    EXPECT_TRUE(t[2].flags & MENUE_F_TEXT);
}

// The value stepper repeats while held (unless told to step once a click)
// and shows its pressed picture; a panel lies transparent under the
// screen's icons.
TEST(Kit, StepperUndPanelAlsEintrag) {
    constexpr Screen_Icon s =
        Kit_Stepperknopf({.nummer = 1, .grafik = 9, .x = 620, .y = 171, .ebene = 1, .klick = klick_a});
    static_assert(s.w == 98 && s.h == 22 && s.x == 620 && s.y == 171 && s.grafik == 9 && s.ebene == 1);
    static_assert(s.status == (MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD | MENUE_S_WIEDERHOLEN));
    EXPECT_EQ(s.klick, &klick_a);
    constexpr Screen_Icon einmal = Kit_Stepperknopf(
        {.nummer = 3, .grafik = 9, .x = 95, .y = 412, .hilfe = hilfe_a, .wort = {2, 0}, .wiederholen = false});
    static_assert(einmal.status == (MENUE_S_TRANSPARENT | MENUE_S_DRUCKBILD));
    static_assert(einmal.user[0] == 2 && einmal.w == 98 && einmal.h == 22);
    EXPECT_EQ(einmal.hilfe_prozedur, &hilfe_a);
    constexpr Screen_Icon p = Kit_Panel_Icon({.nummer = 2,
                                              .grafik = 4,
                                              .x = 32,
                                              .y = 87,
                                              .w = 744,
                                              .h = 424,
                                              .ebene = 17,
                                              .flags = MENUE_F_MODAL,
                                              .wort = {1, 0}});
    static_assert(p.status == MENUE_S_TRANSPARENT && p.flags == MENUE_F_MODAL && p.w == 744 && p.user[0] == 1);
    static_assert(p.grafik_gedrueckt == MENUE_KEINE_GRAFIK && p.klick == nullptr);
}

// A list's scroll bar is two icons: the track takes the clicks and names
// its knob; the knob is dragged along its path and names the list the
// wheel turns it over. Both share the screen's flags and state; the knob
// lies one above the track unless given its own level.
TEST(Kit, ScrollbalkenAusSpurUndKnopf) {
    static Move_Struktur weg{};
    struct Fall {
        Scrollbalken b;
        u32 status;
        i8 knopf_ebene;
    };
    const Fall faelle[] = {
        {{.spur = 5, .knopf = 6, .liste = 7, .grafik_spur = 40, .grafik_knopf = 41, .x = 777, .spur_y = 132,
          .spur_b = 9, .spur_h = 316, .knopf_x = 778, .knopf_y = 140, .knopf_b = 9, .knopf_h = 12, .move = &weg,
          .ebene = 4},
         MENUE_S_TRANSPARENT, 5},
        {{.spur = 5, .knopf = 6, .liste = 7, .grafik_spur = 40, .grafik_knopf = 41, .x = 361, .spur_y = 132,
          .spur_b = 14, .spur_h = 340, .knopf_x = 361, .knopf_y = 132, .knopf_b = 14, .knopf_h = 28, .move = &weg,
          .ebene = 14, .flags = MENUE_F_MODAL, .status = MENUE_S_VERSTECKT, .knopf_ebene = 16},
         MENUE_S_TRANSPARENT | MENUE_S_VERSTECKT, 16},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.b.x);
        const Screen_Icon spur = Icon_Scrollspur(f.b), knopf = Icon_Scrollknopf(f.b);
        EXPECT_EQ(spur.nummer, 5);
        EXPECT_EQ(spur.grafik, 40u);
        EXPECT_EQ(spur.klick, &Menue_Scrollbar_Klick);
        EXPECT_EQ(spur.verknuepft, 6);
        EXPECT_EQ(spur.x, f.b.x);
        EXPECT_EQ(spur.y, f.b.spur_y);
        EXPECT_EQ(spur.w, f.b.spur_b);
        EXPECT_EQ(spur.h, f.b.spur_h);
        EXPECT_EQ(spur.ebene, f.b.ebene);
        EXPECT_EQ(spur.status, f.status);
        EXPECT_EQ(spur.flags, f.b.flags);
        EXPECT_EQ(knopf.nummer, 6);
        EXPECT_EQ(knopf.grafik, 41u);
        EXPECT_EQ(knopf.flags, MENUE_F_SCROLLBUTTON | MENUE_F_ZIEHBAR | f.b.flags);
        EXPECT_EQ(knopf.daten, &weg);
        EXPECT_EQ(knopf.verknuepft, 7);
        EXPECT_EQ(knopf.x, f.b.knopf_x);
        EXPECT_EQ(knopf.y, f.b.knopf_y);
        EXPECT_EQ(knopf.w, f.b.knopf_b);
        EXPECT_EQ(knopf.h, f.b.knopf_h);
        EXPECT_EQ(knopf.ebene, f.knopf_ebene);
        EXPECT_EQ(knopf.status, f.status);
        EXPECT_EQ(knopf.klick, nullptr);
    }
}

}  // namespace

// The kit writes its texts without the C library where the format has only
// %s, %d and %%: the text is the library's, to the letter, also cut short;
// any other format goes through the library. Each format takes a number,
// then a text.
TEST(Kit, TextGleichDemDerBibliothek) {
    const std::string lang(1500, 'x');
    struct Fall {
        const char* was;
        const char* format;
        int zahl;
        const char* text;
        size_t groesse;
    };
    const Fall faelle[] = {
        {"zahl", "^fb0006%d^fe%s", 7, "", 64},
        {"null", "%d %s", 0, "a", 64},
        {"negativ", "%d %s", -45, "b", 64},
        {"kleinste", "%d%s", -2147483647 - 1, "", 64},
        {"groesste", "%d%s", 2147483647, "", 64},
        {"leerer text", "%d|%s|", 3, "", 64},
        {"prozent", "%d%% %s", 50, "c", 64},
        {"prozent am ende", "%d %s%%", 50, "c", 64},
        {"markup und umlaute", "^c00012%d ^tr0150%s", 3, "M\xFCller", 64},
        {"abgeschnitten im text", "%d.%s", 12, "ABCDEFGH", 8},
        {"abgeschnitten in der zahl", "AB%d%s", -12345, "", 6},
        {"ein byte", "%d%s", 5, "X", 1},
        {"lang", "%d %s", 1, lang.c_str(), 1024},
        {"breite: bibliothek", "%5d|%s", 42, "r", 64},
        {"vorzeichen: bibliothek", "%+d %s", 42, "r", 64},
        {"genauigkeit: bibliothek", "%d%.2s", 9, "abc", 64},
        {"hex: bibliothek", "%x %s", 255, "h", 64},
        {"zeichen: bibliothek", "%c%s", 65, "h", 64},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.was);
        std::string erwartet(c.groesse, '\1'), kit(c.groesse, '\1');
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat"
        std::snprintf(erwartet.data(), c.groesse, c.format, c.zahl, c.text);
        const i32 laenge = Kit_Tabelle_Zeile_Setzen(kit.data(), c.groesse, {}, c.format, c.zahl, c.text);
#pragma GCC diagnostic pop
        EXPECT_EQ(std::string(kit.c_str()), std::string(erwartet.c_str()));
        EXPECT_EQ(laenge, static_cast<i32>(std::string(erwartet.c_str()).size()));
    }
}
