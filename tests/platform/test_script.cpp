// The input script's reader: every command, mistakes reported with their
// line number while the previous script stays in force, script files. How
// commands fall into frames is tested by the headless runs, arbitrary bytes
// by the fuzz target.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/keys.h"
#include "platform/script.h"

namespace {

// A command as "name a b c [+pos] [text] Lline".
std::string Text(const Skript_Befehl& b) {
    static const char* const namen[] = {"wait",    "move",  "press", "release", "click",      "wheel",
                                        "keydown", "keyup", "key",   "text",    "screenshot", "quit"};
    std::string s = std::string(namen[static_cast<int>(b.art)]) + " " + std::to_string(b.a) + " " +
                    std::to_string(b.b) + " " + std::to_string(b.c);
    if (b.mit_position) s += " +pos";
    if (!b.text.empty()) s += " [" + b.text + "]";
    return s + " L" + std::to_string(b.zeile);
}

std::vector<std::string> Lesen(const std::string& text) {
    Eingabe_Skript s;
    std::string fehler;
    EXPECT_TRUE(s.Parsen(text, 20, &fehler)) << fehler;
    std::vector<std::string> aus;
    for (const Skript_Befehl& b : s.Befehle()) aus.push_back(Text(b));
    return aus;
}

std::string Fehler(const std::string& text) {
    Eingabe_Skript s;
    std::string fehler;
    EXPECT_FALSE(s.Parsen(text, 20, &fehler)) << text;
    return fehler;
}

}  // namespace

TEST(Skript, AlleBefehle) {
    EXPECT_EQ(Lesen("# a comment\n"
                    "\n"
                    "move 10 20\n"
                    "press left\n"
                    "release right   # trailing comment\n"
                    "click left\n"
                    "click right 5 -6\n"
                    "wheel -2\n"
                    "keydown shift\n"
                    "keyup SHIFT\n"
                    "key f12\n"
                    "text \"M\xC3\xBCller \\\"#1\\\" \\\\\"\n"
                    "screenshot \"bild mit leerzeichen.png\"\n"
                    "wait 3\n"
                    "quit"),  // no newline at the end
              (std::vector<std::string>{
                  "move 0 10 20 L3", "press 1 0 0 L4", "release 2 0 0 L5", "click 1 0 0 L6", "click 2 5 -6 +pos L7",
                  "wheel -2 0 0 L8", "keydown 16 0 0 L9", "keyup 16 0 0 L10", "key 123 0 0 L11",
                  "text 0 0 0 [M\xC3\xBCller \"#1\" \\] L12", "screenshot 0 0 0 [bild mit leerzeichen.png] L13",
                  "wait 3 0 0 L14", "quit 0 0 0 L15"}));
    // Milliseconds are rounded up to whole frames of 20 ms.
    EXPECT_EQ(Lesen("wait 100ms\nwait 101 ms\nwait 0ms\nwait 0\n"),
              (std::vector<std::string>{"wait 5 0 0 L1", "wait 6 0 0 L2", "wait 0 0 0 L3", "wait 0 0 0 L4"}));
    // Byte order mark, CR LF, empty scripts.
    EXPECT_EQ(Lesen("\xEF\xBB\xBFmove 1 2\r\nwait 1\r\n\r\n"),
              (std::vector<std::string>{"move 0 1 2 L1", "wait 1 0 0 L2"}));
    EXPECT_TRUE(Lesen("").empty());
    EXPECT_TRUE(Lesen("\n\n# nur Kommentar\n").empty());
}

TEST(Skript, FehlerNennenDieZeile) {
    const char* const tabelle[][2] = {
        {"move 1 2\njump 3\n", "Zeile 2: unbekannter Befehl \"jump\""},
        {"\n\nmove 1\n", "Zeile 3: zu wenige Angaben für \"move\""},
        {"quit now\n", "Zeile 1: zu viele Angaben für \"quit\""},
        {"wait x\n", "Zeile 1: Zahl erwartet statt \"x\""},
        {"wait 5 s\n", "Zeile 1: Einheit \"s\" unbekannt (ms)"},
        {"press middle\n", "Zeile 1: Maustaste \"middle\" unbekannt (left oder right)"},
        {"key strg\n", "Zeile 1: Taste \"strg\" unbekannt"},
        {"text \"offen\n", "Zeile 1: Anführungszeichen nicht geschlossen"},
        {"click left 5\n", "Zeile 1: click erwartet eine Maustaste und wahlweise X Y"},
        {"screenshot \"\"\n", "Zeile 1: Dateiname fehlt"},
        {"l\xC3\xA4uft\n", "Zeile 1: unbekannter Befehl \"läuft\""},         // shown in the game's character set
        {"\x1B[2J\x07\n", "Zeile 1: unbekannter Befehl \"\\x1B[2J\\x07\""},  // control bytes escaped
        {"wait \"\x7F\"\n", "Zeile 1: Zahl erwartet statt \"\\x7F\""},
    };
    for (const auto& t : tabelle) EXPECT_EQ(Fehler(t[0]), std::string("Eingabeskript, ") + t[1]);
    for (const char* text : {"wait -1", "wait 99999999999", "wait 1e3", "wait 0x10", "wait 5x", "move 1 200000",
                             "wheel 1001", "move - 1", "wheel +"})
        EXPECT_EQ(Fehler(text).rfind("Eingabeskript, Zeile 1: Zahl erwartet statt", 0), 0u) << text;
}

TEST(Skript, EinFehlerBehaeltDasAlteSkript) {
    Eingabe_Skript s;
    std::string fehler;
    ASSERT_TRUE(s.Parsen("move 1 1\nquit\n", 20, &fehler));
    EXPECT_FALSE(s.Parsen("move 2 2\nbogus\n", 20, &fehler));
    ASSERT_EQ(s.Befehle().size(), 2u);
    EXPECT_EQ(s.Befehle()[0].b, 1);
    const char* const dateien[][2] = {
        {"/nonexistent/skript.txt", "Eingabeskript /nonexistent/skript.txt kann nicht gelesen werden"},
        {"/", "Eingabeskript / kann nicht gelesen werden"},    // a folder
        {"/dev/zero", "Eingabeskript /dev/zero ist zu groß"},  // never ends
        {"/nonexistent/\x1B]0;x\x07", "Eingabeskript /nonexistent/\\x1B]0;x\\x07 kann nicht gelesen werden"},
    };
    for (const auto& d : dateien) {
        EXPECT_FALSE(s.Laden(d[0], 20, &fehler));
        EXPECT_EQ(fehler, d[1]);
    }
    EXPECT_EQ(s.Befehle().size(), 2u);
}
