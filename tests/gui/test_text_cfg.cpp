// Screen text files: limits, messages and lookups that never give null.
#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/meldung.h"
#include "gui/text_cfg.h"

namespace {

std::vector<std::string> meldungen;

class TextCfg : public ::testing::Test {
  protected:
    void SetUp() override {
        meldungen.clear();
        Meldung_Set_Hooks({.zeigen = [](const char* t) { meldungen.emplace_back(t); }});
        Text_cfg_Free();
    }
    void TearDown() override {
        Text_cfg_Free();
        Meldung_Hooks_Zuruecksetzen();
    }
    static void lesen(const std::string& t, i32 n = 0) {
        ASSERT_TRUE(Text_cfg_Speicher(t.data(), static_cast<u32>(t.size()), n));
    }
    static std::string zeilen(i32 anzahl) {
        std::string s = "SCREEN BANK_SCREEN\n";
        for (i32 i = 0; i < anzahl; ++i) s += "TEXT \"t" + std::to_string(i) + "\"\n";
        return s;
    }
};

TEST_F(TextCfg, GrenzenUndMeldungen) {
    struct Fall {
        std::string text;
        i32 eintraege;  // entries of BANK_SCREEN afterwards
        std::vector<std::string> erwartet;
    };
    const Fall faelle[] = {
        {zeilen(200), 200, {}},
        {zeilen(201), 200, {}},
        {zeilen(202), 200, {"[203] Syntax-Error in 1_te.cfg:\n - (102) Expecting 'SCREEN' command, found 'TEXT'\n\n"}},
        {"TEXT \"vor\"\nSCREEN BANK_SCREEN\nTEXT \"a\"\n",
         1,
         {"[1] Syntax-Error in 1_te.cfg:\n - (102) Expecting 'SCREEN' command, found 'TEXT'\n\n"}},
        {"SCREEN BANK_SCREEN\nTEXT \"a\"\nFARBE 3\nTEXT \"b\"\n",
         2,
         {"[3] Syntax-Error in 1_te.cfg:\n - (101) Unknown Command (FARBE)\n\n"}},
        {"SCREEN GIBTS_NICHT\nTEXT \"x\"\nTEXT \"y\"\nSCREEN BANK_SCREEN\nTEXT \"a\"\n",
         1,
         {"[1] Syntax-Error in 1_te.cfg:\n - (101) Unknown Command (GIBTS_NICHT)\n\n"}},
    };
    for (const Fall& f : faelle) {
        Text_cfg_Free();
        meldungen.clear();
        lesen(f.text);
        i32 n = 0;
        while (n < TEXT_EINTRAEGE && Screen_Texte[TEXT_BANK][n]) ++n;
        EXPECT_EQ(n, f.eintraege) << f.text.substr(0, 60);
        EXPECT_EQ(meldungen, f.erwartet) << f.text.substr(0, 60);
    }
}

TEST_F(TextCfg, VolleBloeckeUndZweiteDatei) {
    // Entries of 999 bytes: the block takes 100 of them, the rest is refused.
    std::string s = "SCREEN BANK_SCREEN\n", lang(998, 'x');
    for (i32 i = 0; i < 101; ++i) s += "TEXT \"" + lang + "\"\n";
    lesen(s);
    EXPECT_NE(Screen_Texte[TEXT_BANK][99], nullptr);
    EXPECT_EQ(Screen_Texte[TEXT_BANK][100], nullptr);
    // A later file refills a section from entry 0 and keeps the rest.
    lesen("SCREEN MENUE_SCREEN\nTEXT \"a\"\nTEXT \"b\"\nTEXT \"c\"\n", 0);
    lesen("SCREEN MENUE_SCREEN\nTEXT \"neu\"\n", 1);
    EXPECT_STREQ(Text_cfg_Text(TEXT_MENUE, 0), "neu");
    EXPECT_STREQ(Text_cfg_Text(TEXT_MENUE, 2), "c");
}

TEST_F(TextCfg, NachschlagenGibtNieNull) {
    lesen("SCREEN MENUE_SCREEN\nTEXT \"Weiter\"\nTEXT \"Spiel %d\"\n");
    const char* a = "*1";
    const char* b = "*7";
    const char* c = "Klartext";
    const char* d = nullptr;
    EXPECT_STREQ(Text_cfg_Aufloesen(&a, TEXT_MENUE), "Spiel %d");
    EXPECT_STREQ(Text_cfg_Aufloesen(&b, TEXT_MENUE), "");
    EXPECT_STREQ(Text_cfg_Aufloesen(&c, TEXT_MENUE), "Klartext");
    EXPECT_STREQ(Text_cfg_Aufloesen(&d, TEXT_MENUE), "");
    for (const char* w : {"*", "*x", "*-1", "*200", "*99999999999"})
        EXPECT_STREQ(Text_cfg_Wert(w, TEXT_MENUE), "") << w;
    EXPECT_STREQ(Text_cfg_Text(-1, 0), "");
    EXPECT_STREQ(Text_cfg_Text(TEXT_SEKTIONEN, 0), "");
    EXPECT_STREQ(Text_cfg_Text(TEXT_MENUE, 200), "");
    Text_cfg_Free();
    EXPECT_EQ(Screen_Texte[TEXT_MENUE][0], nullptr) << "nothing dangles after freeing";
}

}  // namespace

namespace {

TEST_F(TextCfg, MitgelieferteDateiIstFehlerfrei) {
    std::string text;
    FILE* f = std::fopen(KORDAVO_QUELLE "/data/config/1_text.cfg", "rb");
    ASSERT_NE(f, nullptr);
    char b[4096];
    for (size_t n; (n = std::fread(b, 1, sizeof b, f)) > 0;) text.append(b, n);
    std::fclose(f);
    const std::string cp = Utf8_To_Cp1252(text);  // the game reads Windows-1252
    lesen(cp);
    EXPECT_TRUE(meldungen.empty()) << meldungen.front();
    for (i32 s = 0; s < TEXT_SEKTIONEN; ++s) EXPECT_NE(Screen_Texte[s][0], nullptr) << Text_Sektion_Namen[s];
    EXPECT_STREQ(Text_cfg_Text(TEXT_KALENDER, 9), "M\xE4rz");
    EXPECT_STREQ(Text_cfg_Text(TEXT_MENUE, 25), "Ja");
    EXPECT_STREQ(Text_cfg_Text(TEXT_REST, 137), "ausw\xE4rts");
    // Entries formatted by their callers carry exactly the conversions passed.
    const struct {
        i32 sektion, eintrag;
        const char* umwandlungen;
    } formate[] = {{TEXT_ZUSATZ_BEXOT, 16, "ssdf"},
                   {TEXT_ZUSATZ_BEXOT, 17, "s"},
                   {TEXT_OPTIONEN, 24, "s"},
                   {TEXT_ZUSATZ, 142, ""}};
    for (const auto& f : formate) {
        std::string u;
        for (const char* p = std::strchr(Text_cfg_Text(f.sektion, f.eintrag), '%'); p; p = std::strchr(p + 1, '%'))
            if (p[1] == '%') ++p;
            else u += *std::strpbrk(p + 1, "sdfuxc");
        EXPECT_EQ(u, f.umwandlungen) << f.sektion << "/" << f.eintrag;
    }
}

}  // namespace
