// Random events: the reader's coded messages with their exact texts and
// lines, the shipped events of set 1, the draw from the shared random
// table, the lowest difficulty's quiet first 90 days, and event texts that
// are filled without printf.
#include <gtest/gtest.h>

#include <cstring>

#include "base/random.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/news.h"
#include "season_test_hilfen.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

class Ereignisse : public ::testing::Test {
  protected:
    void SetUp() override {
        Ereignis_Init();  // no ereignis.cfg in the test folder: an empty list
        Kalender_Init(nullptr);
    }
    void TearDown() override {
        Ereignis_Free();
        Kalender_Free();
        Schwierigkeit = 2;
    }
    bool laden(const char* text) { return Ereignis_Laden_Text(text, static_cast<u32>(std::strlen(text))); }
    season_test::Spielordner ordner;
};

TEST_F(Ereignisse, MeldungenMitZeileUndGenauemText) {
    EXPECT_EQ(Ereignis_Anzahl(), 0);
    season_test::Meldungen m;
    ASSERT_TRUE(
        laden("NEUES_EREIGNIS\n"
              "KATEGORIE randale\n"
              "TEXT \"erster\"\n"
              "TEXT \"zweiter\"\n"
              "WERT1 7\n"
              "infotext \"egal\"\n"
              "NEUES_EREIGNIS\n"
              "TEXT \"ohne Kategorie\"\n"
              "NEUES_EREIGNIS\n"
              "KATEGORIE SERIEN_SIEGE\n"
              "GEWINN 3\n"
              "TEXT \"%n%s\"\n"));
    EXPECT_EQ(m.texte, (std::vector<std::string>{
                           "[4] Warning in ereignis.cfg:\n - (801) mehr als eine Text in einem Ereignis\n\n",
                           "[11] Syntax-Error in ereignis.cfg:\n - (902) Unbekannter Befehl (GEWINN)\n\n",
                           "[12] Warning in ereignis.cfg:\n - (802) Ungültiges Format im Text (%n%s)\n\n",
                       }));
    ASSERT_EQ(Ereignis_Anzahl(), 2);  // the event without a category is dropped
    EXPECT_EQ(Ereignis_Get(0)->text, "erster");
    EXPECT_EQ(Ereignis_Get(0)->wert1, 7);
    EXPECT_EQ(Ereignis_Get(1)->kategorie, EREIGNIS_SERIEN_SIEGE);
    EXPECT_EQ(Ereignis_Get(1)->text, "");  // the bad format is never used
    EXPECT_EQ(Ereignis_Get(2), nullptr);
}

TEST_F(Ereignisse, AusgelieferteEreignisseUndZiehung) {
    ordner.Schreiben("1_ereignis.cfg", season_test::Datei_Lesen(season_test::Quelle("data/config/1_ereignis.cfg")));
    {
        season_test::Meldungen m;
        ASSERT_TRUE(Ereignis_Laden(0));
        EXPECT_TRUE(m.texte.empty()) << m.Alle();
    }
    bool kategorie[EREIGNIS_KATEGORIEN] = {};
    for (i32 i = 0; i < Ereignis_Anzahl(); ++i) {
        const Ereignis* e = Ereignis_Get(i);
        kategorie[e->kategorie] = true;
        EXPECT_FALSE(e->text.empty()) << i;
    }
    for (i32 k = 0; k < EREIGNIS_KATEGORIEN; ++k) EXPECT_TRUE(kategorie[k]) << k;
    EXPECT_EQ(Ereignis_Get(0)->text.rfind("Nach der Heimniederlage", 0), 0u);

    // Difficulty 0: nothing before day 90; then the table decides, the same
    // way from the same cursor.
    Schwierigkeit = 0;
    Kalender_Get_Zustand().aktuell.tag = 89;
    for (i32 k = 0; k < EREIGNIS_KATEGORIEN; ++k) EXPECT_EQ(Ereignis_Zufall(k), -1) << k;
    Kalender_Get_Zustand().aktuell.tag = 90;
    Rnd_Set_Index(0, 0);
    const i32 a = Ereignis_Zufall(EREIGNIS_GEWERKSCHAFT_WAHL);
    Rnd_Set_Index(0, 0);
    EXPECT_EQ(Ereignis_Zufall(EREIGNIS_GEWERKSCHAFT_WAHL), a);
    EXPECT_EQ(Ereignis_Get(a)->kategorie, EREIGNIS_GEWERKSCHAFT_WAHL);
    Schwierigkeit = 1;
    Kalender_Get_Zustand().aktuell.tag = 0;
    EXPECT_EQ(Ereignis_Get(Ereignis_Zufall(EREIGNIS_RANDALE))->kategorie, EREIGNIS_RANDALE);
}

TEST_F(Ereignisse, SerieVonFuenfZahltVierNie) {
    ASSERT_TRUE(laden("NEUES_EREIGNIS\nKATEGORIE SERIEN_SIEGE\nTEXT \"Prämie %s\"\nWERT1 100000\n"));
    ASSERT_TRUE(Welt_Anlegen(4, 0));
    ASSERT_TRUE(Manager_Neuer_Mitspieler(1, "Test", 0));
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(1, 1000000, 0));
    News_Init();
    int bezahlt = 0;
    for (i32 k = 0; k < 200; ++k) {
        const f64 vorher = Bank_Get_Kontostand(1, 0, -1);
        Rnd_Set_Index(k, 0);
        Ereignis_Serie(1, 4, 0);
        EXPECT_EQ(Bank_Get_Kontostand(1, 0, -1), vorher) << k;
        Rnd_Set_Index(k, 0);
        Ereignis_Serie(1, 5, 0);
        const f64 praemie = Bank_Get_Kontostand(1, 0, -1) - vorher;
        if (praemie == 0) continue;
        ++bezahlt;
        EXPECT_TRUE(praemie >= 80000 && praemie <= 120000) << praemie;
        EXPECT_EQ(News_Get_Text(News_Anzahl() - 1).rfind("Prämie ", 0), 0u);
    }
    EXPECT_EQ(News_Anzahl(), bezahlt);
    EXPECT_GT(bezahlt, 20);  // a quarter of the draws
    News_Free();
    Bank_Free();
    Welt_Freigeben();
}

TEST_F(Ereignisse, TexteOhnePrintf) {
    EXPECT_EQ(Ereignis_Text("%s zahlt %s (%d %%)", {"Meier", "1.000 €", "5"}), "Meier zahlt 1.000 € (5 %)");
    EXPECT_EQ(Ereignis_Text("%s und %s", {"nur einer"}), "nur einer und ");
    EXPECT_EQ(Ereignis_Text("100%", {}), "100%");
}

}  // namespace
