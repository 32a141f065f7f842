// The arbiter: a credit answered before its deadline books it, one answered
// on or after it books nothing; unanswered requests expire by kind; a client
// settles nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>
#include <string>

#include "base/globals.h"
#include "base/ruf.h"
#include "season/kalender.h"
#include "season/news.h"
#include "season/richter.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

constexpr i32 FRAGER = 1, GEFRAGT = 2;

class Richter : public ::testing::Test {
  protected:
    void SetUp() override {
        Welt_Freigeben();
        ASSERT_TRUE(Welt_Anlegen(10, 0));
        for (i32 t : {FRAGER, GEFRAGT}) ASSERT_TRUE(Manager_Neuer_Mitspieler(t, "Test", 0));
        ASSERT_TRUE(Kalender_Init(nullptr));
        Bank_Init();
        ASSERT_TRUE(Bank_Konto_Anlegen(FRAGER, 100000.0, 0) && Bank_Konto_Anlegen(GEFRAGT, 2000000.0, 0));
    }
    void TearDown() override {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Bank_Free();
        News_Free();
        Kalender_Free();
        Welt_Freigeben();
    }
    // A request of the kind due in `frist` days; answer -1 posts the question, another the
    // question and its reply (from the asked club unless another `absender` is given), as the
    // asked manager's inbox does: the question deleted, then the reply posted.
    static void anfrage(i32 art, i32 frist, i32 antwort, i32 betrag = 500000, i32 absender = GEFRAGT) {
        News_Daten d;
        const i32 w[10] = {art, FRAGER, GEFRAGT, Kalender_Get_Tag() + frist, betrag, 6, 12, 0, 0, -1};
        std::copy(w, w + 10, d.w);
        const u32 frage = News_Neu_Text(FRAGER, GEFRAGT, -1, NEWS_FRAGE, &d, "?");
        if (antwort == -1) return;
        News_Set(News_Suche_Id(frage), -1, 0, NEWS_SETZEN);
        antworten(d, antwort, absender);
    }
    static void antworten(News_Daten d, i32 antwort, i32 absender = GEFRAGT) {
        d.w[ANFRAGE_ANTWORT] = antwort;
        News_Neu_Text(absender, FRAGER, -1, NEWS_ANTWORT, &d, "!");
    }
    // What the asker was told, and what stays open.
    static std::string lage() {
        std::string s;
        for (i32 i = 0; i < News_Anzahl(); ++i)
            s += News_Get_Flags(i, FRAGER) >= 0 ? News_Get_Text(i) + "|" : std::to_string(News_Get_Daten(i).w[0]) + "|";
        return s;
    }
};

TEST_F(Richter, KreditNurVorDerFristGebuchtUndAnfragenVerfallenNachArt) {
    const std::string name = Team_String(721, GEFRAGT, nullptr, 0);
    const struct {
        i32 frist, antwort, betrag;
        f64 dazu;
        std::string lage;
        i32 absender = GEFRAGT;
    } faelle[] = {
        {1, 1, 500000, 0.0, "", FRAGER},  // a yes the asked club did not send
        {1, 1, 500000, 500000.0,
         name + " stellte Ihnen den gewünschten Kredit zur Verfügung. Das Geld ist bereits "
                "auf Ihrem Konto eingegangen.|"},
        {0, 1, 500000, 0.0, ""},  // on the deadline day: too late
        {-3, 1, 500000, 0.0, ""},
        {1, 0, 500000, 0.0, "Ihre Anfrage nach einem Kredit von " + name + " wurde leider abgelehnt.|"},
        {1, 1, 90000000, 0.0,
         name + " wollte den gewünschten Kredit zur Verfügung stellen, das Konto war aber leider nicht gedeckt.|"},
    };
    for (const auto& f : faelle) {
        News_Init();
        const f64 vorher = Bank_Get_Kontostand(FRAGER, 0, -1);
        anfrage(ANFRAGE_KREDIT, f.frist, f.antwort, f.betrag, f.absender);
        Richter_Jeden_Tag();
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(FRAGER, 0, -1), vorher + f.dazu) << f.lage;
        EXPECT_EQ(lage(), f.lage);
    }
    // A reply for a request nobody made, one that changes the request, and a
    // second reply to an answered request book nothing.
    News_Init();
    const f64 vorher = Bank_Get_Kontostand(FRAGER, 0, -1);
    const int kredite = Bank_Get_Anzahl_Kredite(FRAGER);
    News_Daten erfunden;
    const i32 w[10] = {ANFRAGE_KREDIT, FRAGER, GEFRAGT, Kalender_Get_Tag() + 5, 400000, 100, 50, 0, 0, -1};
    std::copy(w, w + 10, erfunden.w);
    antworten(erfunden, 1);
    Richter_Jeden_Tag();
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(FRAGER, 0, -1), vorher);
    News_Neu_Text(FRAGER, GEFRAGT, -1, NEWS_FRAGE, &erfunden, "?");
    News_Daten mehr = erfunden;
    mehr.w[ANFRAGE_BETRAG] = 900000;
    antworten(mehr, 1);
    Richter_Jeden_Tag();
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(FRAGER, 0, -1), vorher);
    for (int k = 0; k < 3; ++k) antworten(erfunden, 1);
    Richter_Jeden_Tag();
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(FRAGER, 0, -1), vorher + 400000.0);
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(FRAGER), kredite + 1);

    // Unanswered: a due credit request expires with its message, kind 6 silently, kind 8 never; nothing on a client.
    News_Init();
    for (i32 art : {ANFRAGE_KREDIT, 6, ANFRAGE_UNBEFRISTET}) anfrage(art, 0, -1);
    anfrage(ANFRAGE_KREDIT, 1, -1);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Richter_Jeden_Tag();
    EXPECT_EQ(lage(), "5|6|8|5|");
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Richter_Jeden_Tag();
    EXPECT_EQ(lage(), "8|5|Ihre Anfrage nach einem Kredit von " + name + " wurde nicht beantwortet.|");
}

}  // namespace

namespace {

// The arbiter's own list stays empty: a request through block 52 is not
// kept (whoever sends it), and block 50 answers the empty list.
TEST_F(Richter, EigeneListeBleibtLeer) {
    Richter_Netz_Anmelden();
    std::array<i32, 10> a{};
    a[ANFRAGE_FRAGER] = Aktuelles_Team;
    struct Fall {
        i32 frager, groesse;
    } faelle[] = {{Aktuelles_Team, 40}, {Aktuelles_Team + 1, 40}, {Aktuelles_Team, 12}};
    for (const auto& f : faelle) {
        a[ANFRAGE_FRAGER] = f.frager;
        EXPECT_EQ(Richter_Neu(a, f.groesse, 1), 0);
        EXPECT_EQ(ruf::Rufen(RUF_RICHTER_NEU, a, f.groesse, 1), std::optional<i32>(0));
        std::vector<u8> liste;
        EXPECT_GT(Richter_Internet_Server_Send_Liste(liste), 0u);
        Internet_Modus = INTERNET_MODUS_CLIENT;
        EXPECT_EQ(Richter_Internet_Client_Get_Liste(), 0);
        Internet_Modus = INTERNET_MODUS_EINZEL;
    }
}

}  // namespace
