// Pre-match remarks: formats are checked before use, every sentence stays
// inside its buffer with extreme values (the sanitiser watches), and the
// order and the buffer rules of the sentences.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "season/tabelle.h"
#include "season/vorschau_saetze.h"

namespace {

std::map<i32, std::string> texte;
const char* text(i32 n) {
    auto it = texte.find(n);
    return it == texte.end() ? "" : it->second.c_str();
}

TEST(VorschauSaetze, FormateWerdenGeprueft) {
    const struct {
        const char* format;
        const char* typen;
        bool gut;
    } faelle[] = {
        {"%s hat %d Tore", "sd", true},   {"nur Text", "sdd", true},     {"%s", "", false},
        {"%d %s", "sd", false},           {"%s %s %s", "ss", false},     {"%n", "d", false},
        {"%ld", "d", false},              {"%*d", "d", false},           {"%x", "d", false},
        {"%-12s|%+05d%%", "sd", true},    {"%.20s", "s", true},          {"%0s", "s", false},
        {"%100d", "d", false},            {"%99d", "d", true},           {"Ende %", "", false},
        {"%f", "d", false},               {"%u und %i", "dd", true},     {"%-+ 0d", "d", true},
    };
    for (const auto& f : faelle) EXPECT_EQ(Satz_Format_Pruefen(f.format, f.typen), f.gut) << f.format;
    char b[64];
    const Satz_Wert w[2] = {{"Nordstadt", 0}, {nullptr, 3}};
    EXPECT_TRUE(Satz_Formatieren(b, sizeof b, "%s ist %s seit %d Spielen .", "ssd", nullptr) == false);
    EXPECT_TRUE(Satz_Formatieren(b, sizeof b, "%s  hat  %d Tore %s.", "sds", (const Satz_Wert[]){w[0], w[1], {"", 0}}));
    EXPECT_STREQ(b, "Nordstadt hat 3 Tore.");
}

TEST(VorschauSaetze, JedesFormatMitExtremwertenBleibtImPuffer) {
    // The widest format each entry's values allow, with the longest texts
    // and the largest numbers, into buffers of 256 and of 1 byte.
    const std::string lang(400, 'W');
    for (i32 n = 13; n <= 137; ++n) {
        const char* typen = Vorschau_Typen(n);
        if (!typen) continue;
        std::string format = "Satz " + std::to_string(n) + ":";
        std::vector<Satz_Wert> werte;
        for (const char* t = typen; *t; ++t) {
            format += *t == 's' ? " %-99s" : " %+99d";
            werte.push_back(*t == 's' ? Satz_Wert{lang.c_str(), 0}
                                      : Satz_Wert{nullptr, (t - typen) % 2 ? std::numeric_limits<i64>::min()
                                                                             : std::numeric_limits<i64>::max()});
        }
        for (size_t groesse : {size_t{256}, size_t{1}}) {
            std::vector<char> puffer(groesse);
            ASSERT_TRUE(Satz_Formatieren(puffer.data(), groesse, format.c_str(), typen, werte.data())) << n;
            EXPECT_LT(std::strlen(puffer.data()), groesse) << n;
        }
        texte[n] = format;
    }
    // The whole generator with every sentence at its widest and a record of
    // extreme counts: each of 40 buffers of 256 bytes stays whole.
    Vorschau_Set_Texte(text);
    EXPECT_EQ(Vorschau_Formate_Pruefen(), -1);
    std::vector<u32> w(STATISTIK_WORTE, 0xFFFFFFF0u);
    w[808] = w[818] = 0;
    Vorschau_Eingaben e;
    e.statistik = w.data();
    e.name1 = e.name2 = lang.c_str();
    e.team2 = e.wettbewerb = e.serien1_ok = e.serien2_ok = true;
    e.siege = 2'000'000'000, e.remis = 1, e.niederlagen = 1;
    for (u32& v : e.serien1) v = 0xFFFFFFFFu;
    e.beispiel = [](i32, i32* a, i32* b, const char** name) {
        *a = std::numeric_limits<i32>::max(), *b = std::numeric_limits<i32>::min();
        static const std::string n(300, 'G');
        *name = n.c_str();
        return true;
    };
    std::vector<std::vector<char>> speicher(40, std::vector<char>(256));
    std::vector<char*> puffer;
    for (auto& s : speicher) puffer.push_back(s.data());
    const i32 n = Vorschau_Saetze(e, puffer.data(), 40, 256);
    EXPECT_GT(n, 10);
    for (i32 i = 0; i < n; ++i) EXPECT_LT(std::strlen(puffer[i]), 256u);
    Vorschau_Set_Texte(nullptr);
    texte.clear();
}

TEST(VorschauSaetze, ReihenfolgeUndPuffer) {
    texte = {{32, "%s ist %s."}, {129, "seit %d Spielen %s ohne Tor"}, {131, "seit %d Spielen %s siegreich"},
             {134, "seit %d Spielen %s ohne Sieg"}, {136, "zu Hause"}, {33, "%s hat viele Chancen."},
             {39, "%s trifft oft."}, {100, "%s trifft spät"}, {101, "zwischen %d und %d."}, {50, "%s trifft immer%s."}};
    Vorschau_Set_Texte(text);
    std::vector<u32> w(STATISTIK_WORTE, 0);
    Vorschau_Eingaben e;
    e.statistik = w.data();
    e.name1 = "Nordstadt", e.name2 = "Südhafen";
    e.team2 = true;
    e.serien1_ok = e.serien2_ok = true;
    e.spalte1 = 0, e.spalte2 = 1;
    e.serien1[2] = 3;                    // three wins: a sentence for team 1
    e.serien2[2] = 2;                    // two wins: enough for team 2
    e.serien1[5] = 4, e.serien1[4] = 4;  // no win as long as the defeats: none
    w[800] = 30, w[801] = 100, w[802] = 10, w[803] = 40, w[804] = 9;
    for (int i = 1; i < 10; ++i) w[808 + i] = 1;  // a goal in each of 9 games
    char b[6][128];
    char* p[6] = {b[0], b[1], b[2], b[3], b[4], b[5]};
    ASSERT_EQ(Vorschau_Saetze(e, p, 6, 128), 5);
    EXPECT_STREQ(b[0], "Nordstadt ist seit 3 Spielen zu Hause siegreich.");
    EXPECT_STREQ(b[1], "Südhafen ist seit 2 Spielen siegreich.");
    EXPECT_STREQ(b[2], "Nordstadt hat viele Chancen.");
    EXPECT_STREQ(b[3], "Nordstadt trifft oft.");
    EXPECT_STREQ(b[4], "Nordstadt trifft immer.");
    // Three buffers take exactly the first three; none take nothing.
    EXPECT_EQ(Vorschau_Saetze(e, p, 3, 128), 3);
    EXPECT_STREQ(b[2], "Nordstadt hat viele Chancen.");
    EXPECT_EQ(Vorschau_Saetze(e, p, 0, 128), 0);
    Vorschau_Set_Texte(nullptr);
    texte.clear();
}

}  // namespace
