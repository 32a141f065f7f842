// Conversion between the game's Windows-1252 text and UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "base/cp1252.h"

namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string alle;
    for (int c = 1; c < 256; ++c) alle += static_cast<char>(c);
    const std::string utf8 = Cp1252_To_Utf8(alle);
    EXPECT_EQ(Utf8_To_Cp1252(utf8), alle);
}

TEST(Cp1252, KnownCharacters) {
    // Source literals are CP1252 in the game; spell the UTF-8 side as bytes.
    EXPECT_EQ(Cp1252_To_Utf8("Müller"), "M\xC3\xBCller");
    EXPECT_EQ(Cp1252_To_Utf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Cp1252_To_Utf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
    EXPECT_EQ(Utf8_To_Cp1252("Stra\xC3\x9F"
                             "e"),
              "Straße");
    EXPECT_EQ(Utf8_To_Cp1252("\xE2\x80\x9E"), "\x84");  // low double quote
    EXPECT_EQ(Cp1252_Zeichen_Unicode(0x81), 0x81u);     // unassigned byte kept
    EXPECT_EQ(Cp1252_Zeichen_Aus_Unicode(0x20AC), 0x80);
    EXPECT_EQ(Cp1252_Zeichen_Aus_Unicode(0x4E2D), -1);
}

TEST(Cp1252, UnmappableAndMalformedUtf8BecomeReplacement) {
    EXPECT_EQ(Utf8_To_Cp1252("a\xE4\xB8\xAD"
                             "b"),
              "a?b");                                    // CJK character
    EXPECT_EQ(Utf8_To_Cp1252("\xF0\x9F\x98\x80"), "?");  // emoji
    EXPECT_EQ(Utf8_To_Cp1252("x\xC3"), "x?");            // cut short at the end
    EXPECT_EQ(Utf8_To_Cp1252("\xC3"
                             "a"),
              "?a");                                 // continuation missing
    EXPECT_EQ(Utf8_To_Cp1252("\x80\xBF"), "??");     // stray continuations
    EXPECT_EQ(Utf8_To_Cp1252("\xC0\xAF"), "?");      // overlong '/'
    EXPECT_EQ(Utf8_To_Cp1252("\xED\xA0\x80"), "?");  // surrogate
    EXPECT_EQ(Utf8_To_Cp1252("\xE2\x82\xAC", '_'), "\x80");
    EXPECT_EQ(Utf8_To_Cp1252("\xE4\xB8\xAD", '_'), "_");
}

// Runs of plain ASCII are copied whole: the sequences at the runs' edges,
// at the very start and end, and runs far longer than a sequence.
TEST(Cp1252, AsciiRunsAroundSequences) {
    const std::string lang(5000, 'x');
    struct Fall {
        const char* name;
        std::string utf8, cp1252;
    } faelle[] = {
        {"leer", "", ""},
        {"nur ascii", "Abc 123", "Abc 123"},
        {"sequenz vorn", "\xC3\xBC" "ber", "\xFC" "ber"},
        {"sequenz hinten", "Gr\xC3\xBC\xC3\x9F", "Gr\xFC\xDF"},
        {"abgeschnitten hinten", "abc\xF0\x9F\x98", "abc?"},
        {"abgeschnitten vor ascii", "\xF0\x9F" "abc", "?abc"},
        {"lange laeufe", lang + "\xE2\x82\xAC" + lang, lang + "\x80" + lang},
        {"fremd zwischen laeufen", lang + "\xE4\xB8\xAD" + lang + "\x80", lang + "?" + lang + "?"},
    };
    for (const Fall& f : faelle) EXPECT_EQ(Utf8_To_Cp1252(f.utf8), f.cp1252) << f.name;
}

}  // namespace
