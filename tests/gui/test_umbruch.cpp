// Word wrap and hyphenation with the fixed test font (letters 8 px, space 4 px).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/testfont.h"
#include "gui/umbruch.h"

namespace {

using Zeilen = std::vector<std::string>;

TEST(Umbruch, Zeilen) {
    std::unique_ptr<Font> f(testfont::neu());
    struct Fall {
        const char* name;
        std::string text;
        i32 x1, y1, flags;
        Zeilen erwartet;
        bool ueberlauf;
    };
    const Fall faelle[] = {
        {"Zucker", "Der Zucker", 70, 500, UMBRUCH_TRENNEN, {"Der Zuk-", "ker"}, false},
        {"ohne Trennung", "Der Zucker", 70, 500, 0, {"Der", "Zucker"}, false},
        {"Fragezeichen bleibt", "aaa bbb ?", 62, 500, 0, {"aaa", "bbb ?"}, false},
        {"zu langes Wort", "abcdefghij", 62, 500, 0, {"abcde-", "fghij"}, false},
        {"Blocksatz", "aa bb cc dddddd", 88, 500, UMBRUCH_BLOCKSATZ, {"aa     bb    cc", "dddddd"}, false},
        {"Zeilenende", "a^lb\rc", 200, 500, 0, {"a", "b", "c"}, false},
        {"Ueberlauf", "aaa bbb ccc", 40, 20, 0, {"aaa"}, true},
        {"Tasche", "xx Tasche", 62, 500, UMBRUCH_TRENNEN, {"xx Ta-", "sche"}, false},
        {"linksbuendig erzwungen", "#a b", 200, 500, UMBRUCH_ZENTRIERT, {"a b"}, false},
    };
    for (const Fall& c : faelle) {
        Umbruch_Text_Ausgabe(nullptr, f.get(), c.text.c_str(), 0, c.x1, 0, c.y1, 0xFFFF, c.flags, -1);
        EXPECT_EQ(Umbruch_Zeilen(), c.erwartet) << c.name;
        EXPECT_EQ(Umbruch_Ueberlauf(), c.ueberlauf) << c.name;
    }
}

TEST(Umbruch, Trennstellen) {
    struct Fall {
        const char* wort;
        i32 p;
        bool erlaubt;
    };
    const Fall faelle[] = {
        {"Zucker", 2, true},     {"Zucker", 1, true},      {"Zucker", 3, false},  {"Zucker", 4, false},
        {"Tasche", 2, false},    {"Tasche", 1, true},      {"Fenster", 3, false}, {"Fenster", 2, true},
        {"Mannschaft", 3, true}, {"Mannschaft", 4, false}, {"ab", 0, false},
    };
    for (const Fall& c : faelle)
        EXPECT_EQ(Umbruch_Trennbar(c.wort, static_cast<i32>(std::strlen(c.wort)), c.p), c.erlaubt)
            << c.wort << " " << c.p;
}

TEST(Umbruch, UeberlangesWortUndMalen) {
    std::unique_ptr<Font> f(testfont::neu());
    const std::string lang(1000, 'x');
    Umbruch_Text_Ausgabe(nullptr, f.get(), lang.c_str(), 0, 790, 0, 5000, 0xFFFF, UMBRUCH_TRENNEN, -1);
    EXPECT_GT(Umbruch_Zeilen().size(), 9u);
    Rastport_Bild rp(Rastport_Neu_Einfach(100, 40, 16));
    const i32 y = Umbruch_Text_Ausgabe(rp.get(), f.get(), "ab cd", 0, 100, 0, 40, 0xFFFF, UMBRUCH_ZENTRIERT, 14);
    EXPECT_EQ(y, 12 + 14);
    i32 gesetzt = 0;
    for (i32 i = 0; i < 100 * 40; ++i) gesetzt += rp->bitmap->pixel16()[i] != 0;
    EXPECT_GT(gesetzt, 0);
}

}  // namespace
