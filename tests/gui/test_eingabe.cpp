// Text input field and help box with scripted keys and the test clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>

#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "graphics/testfont.h"
#include "gui/eingabe.h"
#include "menue_test.h"
#include "platform/keys.h"

namespace {

class Eingabe : public ::testing::Test {
  protected:
    std::unique_ptr<Font> font{testfont::neu()};
    char puffer[32] = {};
    i32 wert = 0;
    void SetUp() override {
        menue_test::starten();
        Rastport_Init_Screen();
    }
    void TearDown() override {
        Eingabefeld_Free();
        Rastport_Free_Screen();
        menue_test::beenden();
    }
    // One frame with the key (a VK code, or a typed character when `zeichen`).
    i32 frame(u32 vk, u8 zeichen = 0, u32 flags = 0, bool shift = false) {
        menue_test::uhr += 20;
        if (shift) {
            Eingabe_Taste(VK_SHIFT, true);
            Eingabe_Frame_Abtasten();  // the Shift key's own frame
        }
        if (vk) Eingabe_Taste(vk, true);
        if (zeichen && std::isalnum(zeichen)) Eingabe_Taste(static_cast<u32>(std::toupper(zeichen)), true);
        if (zeichen) Eingabe_Zeichen(zeichen, shift ? 1 : 0);
        Eingabe_Frame_Abtasten();
        Eingabe_Neuer_Durchgang();
        Maus_Update();
        const i32 r = Eingabefeld_Bearbeiten(font.get(), puffer, sizeof puffer, 20, flags, 100, 100, 200, 20, 4, 1,
                                             nullptr, 0, 0, (flags & EINGABE_ZAHL) ? &wert : nullptr, 0xFFFF);
        if (vk) Eingabe_Taste(vk, false);
        if (zeichen && std::isalnum(zeichen)) Eingabe_Taste(static_cast<u32>(std::toupper(zeichen)), false);
        if (shift) Eingabe_Taste(VK_SHIFT, false);
        Taste_Reset();
        return r;
    }
    i32 tippen(const char* s, u32 flags) {
        i32 r = 0;
        for (; *s; ++s) r = frame(0, static_cast<u8>(*s), flags);
        return r;
    }
};

TEST_F(Eingabe, ZahlenfeldNimmtKeineBuchstaben) {
    wert = 12;
    frame(0, 0, EINGABE_ZAHL);
    EXPECT_STREQ(puffer, "12");
    tippen("3a,.x5", EINGABE_ZAHL);
    EXPECT_STREQ(puffer, "123,.5");
    EXPECT_EQ(frame(VK_RETURN, 0, EINGABE_ZAHL), EINGABE_FERTIG);
    EXPECT_EQ(wert, 123);
}

TEST_F(Eingabe, KurzerKlickBleibtDenKnoepfenWennDasFeldKeineMausWill) {
    // A click between two frames (pressed and released again) is latched;
    // only a field that acts on the mouse takes it, so the buttons of the
    // screen around a plain field still see it.
    const struct {
        u32 flags;
        bool bleibt;
    } faelle[] = {{0, true}, {EINGABE_NAMEN, true}, {EINGABE_ZAHL, true}, {EINGABE_MAUS, false},
                  {EINGABE_RECHTS_SCHLIESST, false}};
    for (const auto& f : faelle) {
        Eingabe_Maus_Position(20, 20);
        Eingabe_Maus_Taste(MAUS_LINKS, true);
        Eingabe_Maus_Taste(MAUS_LINKS, false);
        frame(0, 0, f.flags);
        EXPECT_EQ((Maus_Get_Tasten() & MAUS_LINKS) != 0, f.bleibt) << f.flags;
        Maus_Get_Tasten();
        Eingabefeld_Free();
    }
}

TEST_F(Eingabe, EscapeStelltWiederHer) {
    std::strcpy(puffer, "Borussia");
    frame(0, 0, EINGABE_NAMEN);
    frame(VK_BACK, 0, EINGABE_NAMEN);
    tippen("xyz", EINGABE_NAMEN);
    EXPECT_STREQ(puffer, "Borussixyz");
    EXPECT_EQ(frame(VK_ESCAPE, 0, EINGABE_NAMEN), EINGABE_ABBRUCH);
    EXPECT_STREQ(puffer, "Borussia");
}

TEST_F(Eingabe, ShiftPos1WaehltAllesUndTippenErsetzt) {
    std::strcpy(puffer, "Alt");
    frame(0, 0, EINGABE_NAMEN);
    frame(VK_HOME, 0, EINGABE_NAMEN, true);
    tippen("n", EINGABE_NAMEN);
    EXPECT_STREQ(puffer, "n");
    EXPECT_EQ(frame(VK_TAB, 0, EINGABE_NAMEN, true), EINGABE_SHIFT_TAB);
}

TEST_F(Eingabe, BreitenGrenzeUndCursorTakt) {
    tippen("abcdefghijklmnopqrstuvwxyz", EINGABE_STANDARD);
    // 200 px field, text at x 4: at 8 px a letter 24 letters stay below 194.
    EXPECT_EQ(std::strlen(puffer), 20u) << "maximum of 20 characters";
    Eingabefeld_Free();
    puffer[0] = 0;
    frame(0, 0, 0);
    const bool an = Eingabefeld_Cursor_Sichtbar();
    for (int i = 0; i < 17; ++i) frame(0, 0, 0);  // 340 ms
    EXPECT_EQ(Eingabefeld_Cursor_Sichtbar(), an);
    frame(0, 0, 0);  // 360 ms
    EXPECT_NE(Eingabefeld_Cursor_Sichtbar(), an);
    EXPECT_TRUE(Eingabefeld_Cursor_An());
    menue_test::uhr += 501;
    EXPECT_FALSE(Eingabefeld_Cursor_An());
}

TEST_F(Eingabe, HilfeboxHatVomErstenAufrufAnIhreGroesse) {
    Hilfe_Font = font.get();
    Blt_Rechteck(Screen_Rastport, 0, 0, 800, 600, 0);
    Hilfe_Text_Ausgabe("EINS^lZWEI^lDREI", 300, 200);
    // Rows of column 302 that the box changed: 2 x 10 + 13, and 2 more for
    // the 12 px test font.
    i32 hoch = 0;
    for (i32 y = 0; y < 600; ++y) hoch += Screen_Rastport->bitmap->pixel16()[y * 800 + 302] != 0;
    EXPECT_EQ(hoch, 35);
    EXPECT_EQ(Hilfe_Text_Zeilen("a^lb^lc"), 2);
    Hilfe_Font = nullptr;
}

// A help text wider or longer than the screen allows is wrapped into the
// widest box and cut after the last line that fits: the box never leaves
// the screen, however long the text.
TEST_F(Eingabe, LangerHilfetextWirdUmgebrochen) {
    Hilfe_Font = font.get();
    struct Fall {
        std::string text;
        i32 x, y;
    };
    std::string worte, wort(300, 'W'), zeilen;
    for (int i = 0; i < 120; ++i) worte += "Spieler ";
    for (int i = 0; i < 90; ++i) zeilen += "Zeile^l";
    for (const Fall& fall : {Fall{worte, 0, 0}, Fall{wort, 700, 500}, Fall{zeilen, 10, 10}, Fall{worte, -1, -1}}) {
        SCOPED_TRACE(fall.text.substr(0, 12));
        Blt_Rechteck(Screen_Rastport, 0, 0, 800, 600, 0);
        Hilfe_Text_Ausgabe(fall.text.c_str(), fall.x, fall.y);
        // The box: the changed pixels' bounds.
        i32 x0 = 800, x1 = -1, y0 = 600, y1 = -1;
        const u16* p = Screen_Rastport->bitmap->pixel16();
        for (i32 y = 0; y < 600; ++y)
            for (i32 x = 0; x < 800; ++x)
                if (p[y * 800 + x]) x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        ASSERT_GE(x1, 0);
        EXPECT_LE(x1 - x0 + 1, HILFE_BREITE_MAX);
        EXPECT_LT(y1, 600);
        Hilfe_Text_Ende();
    }
    // Words stay whole where they fit; every word comes through.
    const std::string u = Hilfe_Text_Umbrechen(font.get(), worte.c_str(), HILFE_BREITE_MAX, 100);
    EXPECT_GT(Hilfe_Text_Zeilen(u.c_str()), 1);
    EXPECT_EQ(u.find("Spi^l"), std::string::npos);
    size_t n = 0;
    for (size_t i = u.find("Spieler"); i != std::string::npos; i = u.find("Spieler", i + 1)) ++n;
    EXPECT_EQ(n, 120u);
    Hilfe_Font = nullptr;
}

}  // namespace
