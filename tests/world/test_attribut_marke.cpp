// The badges' looks over the attribute table: every attribute's group and
// short forms; no two attributes share letters and colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "welt_test.h"
#include "world/attribut_marke.h"
#include "world/global.h"

namespace {

std::vector<std::string> namen() {
    std::vector<std::string> r;
    for (int a = 0; a < ATTRIBUT_ANZAHL; ++a) r.push_back(Attribut_Tabelle[a].name);
    return r;
}

class Marken : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string o = welt_quelle();
        ASSERT_TRUE(Global_Cfg_Laden_Pfad((o + "/1_global.cfg").c_str(), (o + "/1_global_alias.cfg").c_str()));
    }
};

// On the squad view's cards (two letters) and on the lists (three): no two
// attributes of one group, that is of one colour, carry the same letters;
// the forms are made of the name's own letters, its first one leading.
TEST_F(Marken, KeineZweiGleichenMarken) {
    const std::vector<std::string> n = namen();
    for (size_t laenge : {2u, 3u}) {
        const std::vector<std::string> k = Attribut_Kurzformen(n, laenge);
        ASSERT_EQ(k.size(), n.size());
        for (int a = 0; a < ATTRIBUT_ANZAHL; ++a) {
            EXPECT_EQ(k[a].size(), laenge) << n[a];
            EXPECT_EQ(k[a][0], n[a][0]) << n[a];
            for (size_t i = 1, von = 1; i < k[a].size(); ++i) {
                const size_t s = n[a].find(k[a][i], von);
                EXPECT_NE(s, std::string::npos) << n[a] << ": " << k[a];
                von = s + 1;
            }
            for (int b = a + 1; b < ATTRIBUT_ANZAHL; ++b)
                EXPECT_FALSE(k[a] == k[b] && Attribut_Gruppe_Von(a) == Attribut_Gruppe_Von(b))
                    << n[a] << " and " << n[b] << " both " << k[a];
        }
    }
    // The two a player met as the same blue "T" on the cards.
    const std::vector<std::string> k = Attribut_Kurzformen(n, 2);
    EXPECT_NE(k[12], k[33]) << n[12] << " / " << n[33];
}

// Every badge with letters carries the same three: the lists' and the
// squad view's small card badges alike (the card once showed two).
TEST_F(Marken, EinMarkenTextFuerJedeMarke) {
    const std::vector<std::string> n = namen();
    const std::vector<std::string> drei = Attribut_Kurzformen(n, 3);
    for (int a = 0; a < ATTRIBUT_ANZAHL; ++a) {
        EXPECT_EQ(Attribut_Marke_Text(a), drei[static_cast<size_t>(a)]) << n[static_cast<size_t>(a)];
        EXPECT_EQ(Attribut_Marke_Text(n, a), drei[static_cast<size_t>(a)]);
        for (int b = a + 1; b < ATTRIBUT_ANZAHL; ++b) EXPECT_NE(Attribut_Marke_Text(a), Attribut_Marke_Text(b));
    }
    EXPECT_EQ(ATTRIBUT_MARKE_LAENGE, 3u);
    for (int bad : {-1, ATTRIBUT_ANZAHL}) EXPECT_EQ(Attribut_Marke_Text(bad), "") << bad;
}

TEST(Marken_Regel, GruppenUndKurzformen) {
    struct Gruppe {
        int attribut;
        Attribut_Gruppe gruppe;
    } gruppen[] = {{0, Attribut_Gruppe::GRUNDLAGEN},       {19, Attribut_Gruppe::GRUNDLAGEN},
                   {20, Attribut_Gruppe::FORTGESCHRITTEN}, {34, Attribut_Gruppe::FORTGESCHRITTEN},
                   {35, Attribut_Gruppe::MEISTERSCHAFT},   {39, Attribut_Gruppe::MEISTERSCHAFT},
                   {40, Attribut_Gruppe::SCHWAECHE},       {46, Attribut_Gruppe::SCHWAECHE},
                   {47, Attribut_Gruppe::TORWART},         {52, Attribut_Gruppe::TORWART},
                   {53, Attribut_Gruppe::STERNTRAINING},   {-1, Attribut_Gruppe::GRUNDLAGEN}};
    for (const Gruppe& g : gruppen) EXPECT_EQ(Attribut_Gruppe_Von(g.attribut), g.gruppe) << g.attribut;
    // The earliest free letters, spaces passed over; a name too short keeps itself.
    struct Fall {
        std::vector<std::string> namen;
        size_t laenge;
        std::vector<std::string> formen;
    } faelle[] = {
        {{"Torjäger", "Teamplayer", "Techniker", "Tempo"}, 2, {"To", "Te", "Tc", "Tm"}},
        {{"Abc", "Abd", "Ab"}, 3, {"Abc", "Abd", "Ab"}},
        {{"Ab cd", "Ab ce"}, 3, {"Abc", "Abe"}},
        {{"Kopf", "Kopf"}, 2, {"Ko", "Kp"}},
    };
    for (const Fall& f : faelle) EXPECT_EQ(Attribut_Kurzformen(f.namen, f.laenge), f.formen) << f.namen[0];
}

}  // namespace
