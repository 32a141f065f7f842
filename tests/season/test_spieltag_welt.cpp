// The matchday on the shipped world, beyond the plain league day:
// friendlies arranged on two days form two matchdays under a calendar mark
// of their own, are played and free their pitches; the bookings after the
// match; dummy ids; team exchanges and moves; a network client follows its
// match through the server's row and never ends it on its own.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "base/globals.h"
#include "base/ruf.h"
#include "match/spielfeld.h"
#include "season/freundschaft.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/news.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/spieltag.h"
#include "season/spieltag_netz.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/welt.h"

namespace {

class Spieltag_Welt : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Internet_Modus = INTERNET_MODUS_EINZEL;
        season_test::Meldungen m;
        ASSERT_TRUE(Welt_Laden_Ordner(season_test::Quelle("data/config").c_str(), 0)) << m.Alle();
        Stadion_Init();
        Bank_Init();
    }
    static void TearDownTestSuite() {
        Bank_Free();
        Welt_Freigeben();
    }
    void SetUp() override {
        Season_Hooks_Zuruecksetzen();
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
        ASSERT_TRUE(Kalender_Init(nullptr));
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(season_test::Quelle("data/config/1_wettbewerb.cfg").c_str(),
                                                 season_test::Quelle("data/config/1_wettbewerb_alias.cfg").c_str()));
        Wettbewerb_Spielplaene_Erstellen();
        ligen = Spieltag_Ligen_Starten();
        ASSERT_GE(ligen.size(), 2u);
        Spieltag_Hooks_Installieren();
        Spieltag_Init();
        News_Init();
    }
    void TearDown() override {
        News_Free();
        Spieltag_DeInit();
        Spiele_Free();
        Wettbewerb_Free();
        Kalender_Free();
        Season_Hooks_Zuruecksetzen();
        if (mensch > 0) Manager_Loeschen(mensch);
    }
    // The next day (after today) on which no competition plays.
    static i32 Freier_Tag(i32 nach) {
        for (i32 t = nach + 1;; ++t)
            if (Kalender_Spieltage_Heute(t - Kalender_Get_Basistag(), 1, nullptr) == 0) return t;
    }
    std::vector<i32> ligen;
    i32 mensch = -1;
};

TEST_F(Spieltag_Welt, ZweiTageZweiSpieltageGespieltUndFrei) {
    const i32 id = Wettbewerb_Freundschaftsspiele_Anlegen();
    ASSERT_EQ(id, Wettbewerb_Get_Freundschaftsspiele());
    Wettbewerb* f = Wettbewerb_Get_Zeiger(id);
    // A mark outside the calendar's counter is replaced by one of its own.
    f->kalendermarke = Kalender_Get_Zustand().slot_zaehler + 5;
    const Wettbewerb* a = Wettbewerb_Get_Zeiger(ligen[0]);
    const Wettbewerb* b = Wettbewerb_Get_Zeiger(ligen[1]);
    const i32 t1 = Freier_Tag(Kalender_Get_Tag() + 2), t2 = Freier_Tag(t1 + 6);
    struct Fall {
        i32 tag, heim, gast;
        u32 spieltag;
    } faelle[] = {{t1, a->aktuelle_team[0], b->aktuelle_team[0], 0},
                  {t1, a->aktuelle_team[1], b->aktuelle_team[1], 0},
                  {t2, b->aktuelle_team[2], a->aktuelle_team[2], 1}};
    for (const Fall& c : faelle) {
        u32 md = 99, leg = 99, idx = 99;
        ASSERT_TRUE(Wettbewerb_Freundschaftsspiel_Einfuegen(c.tag, c.heim, c.gast, &md, &leg, &idx));
        EXPECT_EQ(md, c.spieltag);
    }
    EXPECT_EQ(f->spieltage, 2);
    EXPECT_LT(f->kalendermarke, Kalender_Get_Zustand().slot_zaehler);
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        if (Wettbewerb_Tabelle[i].name[0] && Wettbewerb_Tabelle[i].id != id) {
            EXPECT_NE(Wettbewerb_Tabelle[i].kalendermarke, f->kalendermarke) << Wettbewerb_Tabelle[i].name;
        }
    }
    // Today, a past day or one team twice is refused.
    EXPECT_FALSE(Wettbewerb_Freundschaftsspiel_Einfuegen(Kalender_Get_Tag(), faelle[0].heim, faelle[0].gast, 0, 0, 0));
    EXPECT_FALSE(Wettbewerb_Freundschaftsspiel_Einfuegen(t1, faelle[0].heim, faelle[0].heim, 0, 0, 0));

    // A managed home side with seven starters forfeits and gets the news.
    mensch = faelle[2].heim;
    ASSERT_TRUE(Manager_Neuer_Mitspieler(mensch, "Test", 0));
    const i32 news_vorher = News_Anzahl();
    const i32 heim = faelle[0].heim;
    Bank_Konto_Anlegen(heim, 1000000.0, 0);
    const f64 konto = Bank_Get_Kontostand(heim, 0, 0);
    while (Kalender_Get_Tag() < t2) {
        Kalender_Jeden_Tag();
        Spieltag_Vorbereiten();
        if (Kalender_Get_Tag() == t2) {
            const i32* k = Team_Kader(mensch);
            for (int i = 0, n = 0; i < Team_Kader_Anzahl(mensch); ++i)
                if ((Spieler_Daten[k[i]].status & SP_STATUS_AUFGESTELLT) && n++ >= 7)
                    Spieler_Daten[k[i]].status &= ~SP_STATUS_AUFGESTELLT;
        }
        Spieltag_Gruppe_Starten();
        for (int i = 0; i < 200000 && Spieltag_Spiele_Offen(); ++i) {
            Kalender_Jetzt += SF_FRAME_MS;
            Spieltag_Run(0);
        }
        ASSERT_FALSE(Spieltag_Spiele_Offen()) << Kalender_Get_Tag();
    }
    const Spiel* spiele = Spiele_Get_Spiele(f->spielplan);
    ASSERT_EQ(Spiele_Get_Kopf(f->spielplan)->spiele, 3u);
    for (u32 i = 0; i < 3; ++i) EXPECT_GE(spiele[i].tore_a, 0) << i;
    EXPECT_EQ(Spielfeld_Anzahl(), 0);
    EXPECT_EQ(spiele[2].flags & SPIEL_FLAG_ABGESAGT, SPIEL_FLAG_ABGESAGT);
    ASSERT_GT(News_Anzahl(), news_vorher);
    EXPECT_NE(News_Get_Text(News_Anzahl() - 1).find("abgesagt"), std::string::npos);
    // After the match: the home side's stadium records the game, its gate
    // money came in and its stadium costs went out.
    const Stadion_Erweiterung* e = Stadion_Get_Erweiterung(heim);
    ASSERT_NE(e, nullptr);
    EXPECT_GE(e->anzahl, 1);
    EXPECT_NE(Bank_Get_Kontostand(heim, 0, 0), konto);
    // The statistics of the friendlies add up.
    Statistik_Argumente arg;
    arg.team = heim;
    arg.wettbewerb = id;
    u32 w[STATISTIK_WORTE];
    ASSERT_TRUE(Spiele_Get_Team_Statistik(arg, w));
    EXPECT_EQ(w[805] + w[806] + w[807], w[804]);
    u32 summe = 0;
    for (int m = 0; m < 200; ++m) summe += w[m];
    EXPECT_EQ(summe, w[800]);
}

TEST_F(Spieltag_Welt, DummyIdsUndTeamwechsel) {
    const i32 d1 = Dummy_Init(nullptr), d2 = Dummy_Init("B"), d3 = Dummy_Init("C");
    EXPECT_EQ(d1, WETTBEWERB_DUMMY_ERSTE_ID);
    EXPECT_EQ(d2, d1 + 1);
    EXPECT_EQ(d3, d1 + 2);
    EXPECT_STREQ(Wettbewerb_Get_Zeiger(d1)->name, "Dummy-Wettbewerb");
    EXPECT_TRUE(Dummy_Free(d1));
    EXPECT_FALSE(Dummy_Free(d1));
    EXPECT_EQ(Dummy_Init("D"), d1);

    // An exchange reaches every competition and plan either team is in.
    Wettbewerb* a = Wettbewerb_Get_Zeiger(ligen[0]);
    Wettbewerb* b = Wettbewerb_Get_Zeiger(ligen[1]);
    const i32 x = a->aktuelle_team[0], y = b->aktuelle_team[3];
    auto spiele_von = [](const Wettbewerb* w, i32 t) {
        int n = 0;
        const Spiel* s = Spiele_Get_Spiele(w->spielplan);
        for (u32 i = 0; i < Spiele_Get_Kopf(w->spielplan)->spiele; ++i) n += s[i].team_a == t || s[i].team_b == t;
        return n;
    };
    const int xa = spiele_von(a, x);
    ASSERT_GT(xa, 0);
    Wettbewerb_Team_Tauschen(a->id, -5, x, y);
    EXPECT_EQ(a->aktuelle_team[0], y);
    EXPECT_EQ(b->aktuelle_team[3], x);
    EXPECT_EQ(spiele_von(a, y), xa);
    EXPECT_EQ(spiele_von(a, x), 0);
    // A move: out of one list (the last entry takes the place), into the other.
    const i32 na = a->aktuelle_teams, nb = b->aktuelle_teams, letzter = a->aktuelle_team[na - 1];
    EXPECT_TRUE(Wettbewerb_Team_Wettbewerb_Wechsel(y, a->id, b->id));
    EXPECT_EQ(a->aktuelle_teams, na - 1);
    EXPECT_EQ(a->aktuelle_team[0], letzter);
    EXPECT_EQ(b->aktuelle_teams, nb + 1);
    EXPECT_EQ(b->aktuelle_team[nb], y);
    EXPECT_FALSE(Wettbewerb_Team_Wettbewerb_Wechsel(y, a->id, b->id));
}

// The server answers a team's question for its running match; a client
// takes that row with the local lock of its fixture, keeps a running match
// whose pitch has not arrived, and stops asking when there is no match.
TEST_F(Spieltag_Welt, ClientFolgtDerZeileDesServers) {
    while (Kalender_Spieltage_Heute(-1, 1, nullptr) == 0) Kalender_Jeden_Tag();
    Spieltag_Vorbereiten();
    Spieltag_Gruppe_Starten();
    ASSERT_GE(Spieltag_Slots().size(), 3u);
    const Spieltag_Slot zeile = Spieltag_Slots()[2];
    const Spiel s = *Spiele_Get_Spiel(zeile.spiel, true);
    const i32 alt = Aktuelles_Team;
    Aktuelles_Team = s.team_b;
    Spieltag_Slot_Antwort a = Spieltag_Internet_Server_Send_Slot(s.team_b);
    const std::tuple<i32, i32, i32, i32> schluessel{s.wettbewerb, s.spieltag, s.runde, s.index};
    EXPECT_EQ(std::make_tuple(a.wettbewerb, a.spieltag, a.runde, a.index), schluessel);
    EXPECT_EQ(a.zeile.spiel, zeile.spiel);
    EXPECT_EQ(Spieltag_Internet_Server_Send_Slot(0).wettbewerb, -2);
    EXPECT_EQ(Spieltag_Internet_Server_Send_Slot(s.team_a).wettbewerb, -1);  // not the asking team
    Aktuelles_Team = alt;

    // The client's line answers 1031 with the server's row (now running) and
    // 1006 with the fixtures; the pitch (1032) never comes.
    static std::vector<u8> antwort;
    a.zeile.status = ST_LAEUFT;
    antwort.clear();
    bytes::Schreiber w{antwort};
    w(a);
    ruf::Leitung_Setzen([](u16 n, const std::vector<u8>&, std::vector<u8>* aus) {
        if (n != RUF_SPIELTAG_SLOT.nummer) return false;
        *aus = antwort;
        return true;
    });
    Season_Netz.Client_Read = [](int code, const char*, void** args, int) {
        if (code != 1006) return 0;
        Internet_Modus = INTERNET_MODUS_EINZEL;
        const i32 n = Spiele_Internet_Server_Send_Spiele(*static_cast<u32*>(args[2]), *static_cast<u32*>(args[3]),
                                                         *static_cast<u32*>(args[4]), *static_cast<u32*>(args[5]),
                                                         static_cast<Spiel*>(args[0]));
        *static_cast<i32*>(args[1]) = n;
        Internet_Modus = INTERNET_MODUS_CLIENT;
        return n > 0 ? 1 : 0;
    };
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Team_Aktiv = s.team_b;
    Spieltag_Vorbereiten();
    ASSERT_EQ(Spieltag_Slots().size(), 1u);
    const Spiel* c = Spiele_Get_Spiel(Spieltag_Slots()[0].spiel, true);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::make_tuple(c->team_a, c->team_b), std::make_tuple(s.team_a, s.team_b));
    for (int i = 0; i < 50; ++i) {
        Kalender_Jetzt += 100;
        Spieltag_Run(0);
    }
    EXPECT_EQ(Spieltag_Slots()[0].status, ST_LAEUFT);
    EXPECT_EQ(Spielfeld_Anzahl(), 0);
    a.wettbewerb = -1;
    antwort.clear();
    w(a);
    Spieltag_Vorbereiten();
    EXPECT_TRUE(Spieltag_Slots().empty());
    EXPECT_TRUE(Spieltag_Kein_Spiel());
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ruf::Leitung_Setzen(nullptr);
}

}  // namespace
