// The screen texts of configuration set 1: read without a message, every
// entry a screen shows is German text, every format takes exactly the
// values its caller passes, no "[n]" placeholder is left where a player
// could see it; the "*n" name tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/text_cfg.h"
#include "kit.h"
#include "screens/teile/namen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "world/spieler.h"

namespace {

// The conversions of a printf format as letters ("sd" for "%s ... %d"); "%%" is none.
std::string konversionen(const char* t) {
    std::string k;
    for (const char* p = t; *p; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p && std::string("-+ #0123456789.l").find(*p) != std::string::npos) ++p;
        if (!*p) break;
        k += *p;
    }
    return k;
}

struct Bereich {
    i32 von, bis;
};
struct Block {
    i32 sektion;
    std::vector<Bereich> eintraege;
};

// Every entry the screens show, by section.
const std::vector<Block> GEZEIGT = {
    {TEXT_REST, {{0, 10}, {165, 166}, {181, 195}, {198, 198}}},
    {TEXT_DISK, {{0, 14}}},
    {TEXT_FINANZ, {{0, 1}, {4, 18}, {26, 27}}},
    {TEXT_OPTIONEN, {{1, 1}, {3, 9}, {11, 11}, {15, 17}, {19, 27}, {30, 30}}},
    {TEXT_BANK, {{0, 10}, {17, 18}}},
    {TEXT_RANGLISTE, {{0, 12}}},
    {TEXT_TABELLE, {{0, 5}, {7, 18}, {20, 30}, {32, 44}, {46, 47}, {49, 49}, {51, 60}}},
    {TEXT_STADION, {{0, 24}}},
    {TEXT_WERBUNG, {{0, 26}, {47, 52}, {55, 57}}},
    {TEXT_EINSETZEN_1, {{0, 14}, {16, 32}, {34, 48}}},
    {TEXT_EINSETZEN_2, {{1, 3}, {9, 13}, {51, 52}, {56, 56}}},
    {TEXT_EINSETZEN_IM_SPIEL, {{0, 6}, {9, 11}}},
    {TEXT_TAKTIK, {{0, 14}, {17, 34}, {36, 39}, {41, 50}}},
    {TEXT_TAKTIK_IM_SPIEL, {{0, 7}, {15, 24}}},
    {TEXT_TRANSFER, {{0, 14}, {16, 31}, {33, 33}, {35, 37}, {40, 40}, {42, 51}, {53, 53}, {55, 60}}},
    {TEXT_SPIELER_INFO, {{0, 2}, {6, 13}, {15, 26}}},  // 3..5 and 14: captions the card leaves out
    {TEXT_SPIELER_SUCHE, {{1, 6}, {17, 26}, {29, 90}, {93, 96}}},
    {TEXT_SPIELER_TALENTE, {{2, 6}, {15, 20}}},
    {TEXT_SPIELER_TRAINING, {{0, 17}, {19, 34}, {39, 40}}},
    {TEXT_SPIELER_TRAINING2, {{0, 4}, {6, 10}, {12, 14}, {16, 22}, {24, 24}, {26, 30}}},
    {TEXT_TRAININGS_LAGER, {{0, 5}, {7, 22}}},
    {TEXT_EDITOR, {{0, 14}, {17, 61}}},
    {TEXT_ZUSATZ_BEXOT, {{0, 13}, {16, 18}}},
    {TEXT_ZUSATZ_DOLV, {{0, 5}, {7, 21}, {23, 23}}},
    {TEXT_ZUSATZ, {{69, 108}, {127, 139}, {141, 145}}},
    {TEXT_MENUE, {{0, 53}}},  // the frame of play: dialog buttons, requesters, series, turn messages
};

// The formats and the values their callers pass, in order.
struct Format {
    i32 sektion, eintrag;
    const char* werte;
};
const Format FORMATE[] = {
    {TEXT_DISK, 9, "d"},          {TEXT_OPTIONEN, 24, "s"},    {TEXT_STADION, 19, "s"},
    {TEXT_STADION, 20, "d"},      {TEXT_TRANSFER, 27, "s"},    {TEXT_TRANSFER, 30, "s"},
    {TEXT_TRANSFER, 31, "s"},     {TEXT_ZUSATZ_BEXOT, 16, "ssdf"}, {TEXT_ZUSATZ_BEXOT, 17, "s"},
    {TEXT_ZUSATZ, 70, "d"},       {TEXT_ZUSATZ, 81, "dd"},     {TEXT_ZUSATZ, 82, "s"},
    {TEXT_ZUSATZ, 139, "dddd"},
    // The frame of play fills one number and one word (Menue_Text_Fuellen).
    {TEXT_MENUE, 30, "d"},        {TEXT_MENUE, 36, "ds"},      {TEXT_MENUE, 37, "ds"},
    {TEXT_MENUE, 38, "ds"},       {TEXT_MENUE, 39, "ds"},      {TEXT_MENUE, 40, "ds"},
    {TEXT_MENUE, 41, "ds"},       {TEXT_MENUE, 42, "ds"},      {TEXT_MENUE, 47, "s"},
    {TEXT_MENUE, 49, "d"},        {TEXT_MENUE, 53, "s"},
    {TEXT_EDITOR, 44, "s"},       {TEXT_EDITOR, 54, "d"},      {TEXT_EDITOR, 57, "ddd"},
};

const char* format_werte(i32 sektion, i32 n) {
    for (const Format& f : FORMATE)
        if (f.sektion == sektion && f.eintrag == n) return f.werte;
    return "";
}

class Texte : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(kit::Starten_Ohne_Spiel()); }
    void TearDown() override { kit::Beenden(); }
};

TEST_F(Texte, GelesenOhneMeldung) { EXPECT_TRUE(kit::Meldungen().empty()) << kit::Meldungen()[0]; }

TEST_F(Texte, JederGezeigteEintragDeutschMitPassendenWerten) {
    i32 gezaehlt = 0;
    for (const Block& b : GEZEIGT)
        for (const Bereich& r : b.eintraege)
            for (i32 n = r.von; n <= r.bis; ++n, ++gezaehlt) {
                const char* t = Text_cfg_Text(b.sektion, n);
                EXPECT_NE(t[0], '\0') << Text_Sektion_Namen[b.sektion] << " " << n;
                EXPECT_NE(t[0], '[') << Text_Sektion_Namen[b.sektion] << " " << n << ": " << t;
                // Labels passed as a value never carry a conversion; formats exactly theirs.
                EXPECT_EQ(konversionen(t), format_werte(b.sektion, n)) << Text_Sektion_Namen[b.sektion] << " " << n;
            }
    EXPECT_GT(gezaehlt, 700);
}

TEST_F(Texte, KeinPlatzhalterInDenBloeckenDerScreens) {
    for (const Block& b : GEZEIGT)
        for (i32 n = 0; n < TEXT_EINTRAEGE; ++n) {
            const std::string t = Text_cfg_Text(b.sektion, n);
            EXPECT_FALSE(t.size() > 2 && t[0] == '[' && t.back() == ']') << Text_Sektion_Namen[b.sektion] << " " << n;
        }
    // The calendar's block: names, date templates and round names, none a placeholder.
    for (i32 n = 0; n < TEXT_EINTRAEGE; ++n) {
        const std::string t = Text_cfg_Text(TEXT_KALENDER, n);
        EXPECT_FALSE(t.size() > 2 && t[0] == '[' && t.back() == ']') << "KALENDER_SCREEN " << n;
    }
}

// One word for one thing: the match's tactics window names its four values
// as the tactics screen names the values they start from, and the in-match
// line-up heads its column as the squad screens do.
TEST_F(Texte, GleicheDingeGleicheWorte) {
    struct Fall {
        i32 sektion, eintrag, wie_sektion, wie_eintrag;
    } faelle[] = {
        {TEXT_TAKTIK_IM_SPIEL, 4, TEXT_TAKTIK, 10},  // value 1: Angriffsdrang
        {TEXT_TAKTIK_IM_SPIEL, 5, TEXT_TAKTIK, 12},  // value 2: Risiko
        {TEXT_TAKTIK_IM_SPIEL, 6, TEXT_TAKTIK, 13},  // value 3: Spielweise
        {TEXT_TAKTIK_IM_SPIEL, 7, TEXT_TAKTIK, 14},  // value 4: Härte
        {TEXT_EINSETZEN_IM_SPIEL, 4, TEXT_EINSETZEN_1, 8},
        {TEXT_EINSETZEN_IM_SPIEL, 4, TEXT_TAKTIK, 5},
    };
    for (const Fall& f : faelle)
        EXPECT_STREQ(Text_cfg_Text(f.sektion, f.eintrag), Text_cfg_Text(f.wie_sektion, f.wie_eintrag))
            << Text_Sektion_Namen[f.sektion] << " " << f.eintrag;
    for (i32 n = 17; n <= 24; ++n) {
        const std::string hilfe = Text_cfg_Text(TEXT_TAKTIK_IM_SPIEL, n);
        EXPECT_EQ(hilfe.find("Einsatz"), std::string::npos) << n;
        EXPECT_EQ(hilfe.find("Konter"), std::string::npos) << n;
    }
}

// A result after extra time or a shoot-out carries its mark; the matchday
// word stays a word of its own.
TEST_F(Texte, ErgebnisZusaetze) {
    EXPECT_STREQ(Spiele_Ergebnis_Zusatz(1), "n.V.");
    EXPECT_STREQ(Spiele_Ergebnis_Zusatz(2), "i.E.");
    EXPECT_STREQ(Spiele_Ergebnis_Zusatz(3), "i.E.");  // a shoot-out after extra time
    EXPECT_STREQ(Spiele_Ergebnis_Zusatz(0), "");
    EXPECT_STREQ(Season_Gui.Text("*162"), "Spieltag");
}

TEST_F(Texte, Namenstabellen) {
    const char* positionen[] = {"TW", "AB", "MF", "ST"};
    for (i32 k = 0; k < 4; ++k) EXPECT_STREQ(Positions_Text(k), positionen[k]);
    for (i32 a = 0; a < VERLETZUNG_ANZAHL; ++a) {
        EXPECT_STREQ(Verletzungs_Text(a), Spieler_Get_Verletzungs_Text(a)) << a;
        EXPECT_NE(Verletzungs_Text(a)[0], '\0') << a;
    }
    for (i32 e = 0; e <= 8; ++e) EXPECT_NE(Status_Text(e)[0], '\0') << e;
    struct Fall {
        const char* id;
        std::string soll;
    } faelle[] = {{"*6", "TW"}, {"*9", "ST"}, {"*18", Spieler_Get_Verletzungs_Text(0)},
                  {"*59", Spieler_Get_Verletzungs_Text(41)}, {"*60", Status_Text(0)}, {"*68", Status_Text(8)},
                  {"*5", "*5"}, {"*10", "*10"}, {"*69", "*69"}, {"*6x", "*6x"}, {"Name", "Name"}};
    for (const Fall& f : faelle) {
        const char* t = f.id;
        EXPECT_EQ(Spieler_Namen_Aufloesen(&t), f.soll) << f.id;
    }
    EXPECT_STREQ(Positions_Text(4), "");
    EXPECT_STREQ(Status_Text(-1), "");
}

}  // namespace
