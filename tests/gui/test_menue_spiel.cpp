// The menu's part of the frame of play: the screen used last opening again,
// the active manager's opponent, the end-of-turn button's grey state,
// halting a match for the line-up and the video release queue.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "base/files.h"
#include "graphics/video.h"
#include "graphics/zeichenspur.h"
#include "gui/hauptmenue.h"
#include "gui/menue_spiel.h"
#include "gui/text_cfg.h"
#include "gui/wappen.h"
#include "graphics/rastport.h"
#include "graphics/resf.h"
#include "match/spielfeld.h"
#include "base/ruf.h"
#include "menue_test.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/netz_rufe.h"
#include "world/welt.h"

namespace {

using menue_test::frame;

std::vector<std::string> gestartet;
i32 zuege = 0;

class MenueSpiel : public ::testing::Test {
  protected:
    Manager_Struktur mgr[2] = {};
    Manager_Struktur* tabelle[3] = {&mgr[0], &mgr[1], nullptr};
    std::vector<Team_Struktur> teams = std::vector<Team_Struktur>(3);
    Manager_Struktur** alt = Team_Manager;
    Team_Struktur* alt_teams = Team_Daten;
    i32 alt_anzahl = Team_Anzahl, alt_aktiv = Team_Aktiv;
    void SetUp() override {
        menue_test::starten();
        Team_Manager = tabelle, Team_Daten = teams.data(), Team_Anzahl = 3, Team_Aktiv = 0;
        gestartet.clear();
        zuege = 0;
        Hauptmenue_Set_Hooks({
            .gegner = [](i32 team, bool* auswaerts) {
                *auswaerts = team == 0;
                return team == 0 ? 2 : -1;
            },
            .zug_ende = [] { ++zuege; },
            .screen_starten = [](i32 k, i32 e) {
                gestartet.push_back(std::to_string(k) + "/" + std::to_string(e));
                return true;
            },
            .animation = [] { return false; },
            .wettbewerb = [](i32 team) { return team == 0 ? 7 : 99; },
        });
        frame(10, 5, 5, 0);
    }
    void TearDown() override {
        Hauptmenue_Set_Hooks({});
        Menue_Spiel_Set_Hooks({});
        Menue_Set_Icon707_Status(false);
        Team_Manager = alt, Team_Daten = alt_teams, Team_Anzahl = alt_anzahl, Team_Aktiv = alt_aktiv;
        menue_test::beenden();
    }
    static void klick(i32 x, i32 y) {
        frame(10, x, y, 0);
        frame(10, x, y, MAUS_LINKS);
        frame(10, x, y, 0);
    }
    // Opens dialog button k (0..3) and chooses entry e.
    static void waehlen(i32 k, i32 e) {
        const i32 x = 274 + 100 * k + 50;
        klick(x, 580);
        frame(20, x, 300, 0);
        klick(x, (k == 0 ? 436 : 480) + 23 + e * 22 + 5);
    }
};

TEST_F(MenueSpiel, DerZuletztGewaehlteScreenOeffnetSichWieder) {
    // (team, button, entry chosen or -1, what the next main menu opens)
    const struct {
        i32 team, knopf, eintrag;
        const char* wieder;
    } faelle[] = {
        {0, -1, -1, "0/0"},  // nothing chosen yet: the first entry
        {0, 1, 2, "1/2"},    // the tables' overview
        {0, 3, 1, "1/2"},    // saving is not remembered
        {0, 3, 0, "1/2"},    // nor loading
        {1, 2, 3, "2/3"},    // each manager his own
        {0, -1, -1, "1/2"},
    };
    for (const auto& f : faelle) {
        Menue_Manager_Wechsel(f.team);
        if (f.knopf >= 0) waehlen(f.knopf, f.eintrag);
        gestartet.clear();
        Menue_Manager_Wechsel(f.team);
        EXPECT_EQ(gestartet, (std::vector<std::string>{f.wieder})) << f.team << " " << f.knopf << "/" << f.eintrag;
    }
    i32 k = -1, e = -1;
    EXPECT_FALSE(Menue_Letzte_Wahl(2, &k, &e));  // no manager: the first entry
    EXPECT_EQ(k + e, 0);
    mgr[0].menue_wahl[1] = 9;  // a damaged record
    EXPECT_FALSE(Menue_Letzte_Wahl(0, &k, &e));
    EXPECT_EQ(k + e, 0);
}

TEST_F(MenueSpiel, AktiverManagerSiehtSeinenGegner) {
    // Team 1 has no match today: no competition either.
    const struct {
        i32 team, ansicht, auswaerts, wettbewerb;
    } faelle[] = {{0, 2, 1, 7}, {1, -1, 0, -1}, {0, 2, 1, 7}};
    for (const auto& f : faelle) {
        Menue_Set_Aktiver_Manager(f.team);
        EXPECT_EQ(Team_Aktiv, f.team);
        EXPECT_EQ(Team_Ansicht, f.ansicht) << f.team;
        EXPECT_EQ(Team_Auswaerts, f.auswaerts) << f.team;
        EXPECT_EQ(Team_Wettbewerb, f.wettbewerb) << f.team;
    }
}

// The header's series lines name the venue of the day's match: the home
// side's home series, the guest's away series. A match without a home side
// (a cup tie without home right, the team itself named first) shows both
// clubs' series over all venues, not a home series for a team that may well
// play away.
TEST_F(MenueSpiel, SerienZeilenNachHeimrecht) {
    // Without a fixture record every series is "none" in its venue's words
    // (menu texts 33 home, 34 away, 35 all venues).
    std::string texte = "SCREEN MENUE_SCREEN\n";
    for (i32 i = 0; i < 36; ++i)
        texte += "TEXT \"" + std::string(i == 33 ? "heim" : i == 34 ? "auswaerts" : i == 35 ? "alle" : "-") + "\"\n";
    ASSERT_TRUE(Text_cfg_Speicher(texte.data(), static_cast<u32>(texte.size()), 0));
    static bool heimrecht = true;
    static bool auswaerts = true;
    Hauptmenue_Set_Hooks({
        .gegner = [](i32 team, bool* aus) {
            *aus = team == 0 && auswaerts;
            return team == 0 ? 2 : -1;
        },
        .animation = [] { return false; },
        .wettbewerb = [](i32 team) { return team == 0 ? 7 : -1; },
        .heimrecht = [](i32 w) { return w != 7 || heimrecht; },
    });
    struct Fall {
        bool heimrecht, auswaerts;
        const char *links, *rechts;
    } faelle[] = {
        {true, true, "heim", "auswaerts"},   // away in the league: the opponent left at home
        {true, false, "heim", "auswaerts"},  // at home
        {false, false, "alle", "alle"},      // a cup tie without home side
    };
    for (const Fall& f : faelle) {
        heimrecht = f.heimrecht, auswaerts = f.auswaerts;
        Menue_Set_Aktiver_Manager(0);
        EXPECT_EQ(Menue_Kopf_Serie(0), f.links) << f.heimrecht << f.auswaerts;
        EXPECT_EQ(Menue_Kopf_Serie(1), f.rechts) << f.heimrecht << f.auswaerts;
    }
    Text_cfg_Free();
}

// The header's crest stands beside the first name, the home side's: on an
// away day the opponent's, never the manager's own beside another name.
TEST_F(MenueSpiel, KopfWappenGehoertZumErstenNamen) {
    static std::vector<i32> geladen;
    Wappen_Set_Hooks({.bild_laden = [](i32, i32 team) {
        geladen.push_back(team);
        return Rastport_Neu_Einfach(66, 66, 16);
    }});
    std::vector<Team_Fix> fix(3);
    Team_Fix* fix_alt = Team_Fix_Daten;
    Team_Fix_Daten = fix.data();
    // (active team, crest shown): team 1 has no match, team 0 plays at 2.
    const struct {
        i32 team, wappen, nicht;
    } faelle[] = {{1, 1, -1}, {0, 2, 0}};
    for (const auto& f : faelle) {
        geladen.clear();
        Menue_Manager_Wechsel(f.team);
        Screen_Icon* kopf = Menue_Screen_Icon_Aus_Nummer(ICON_KOPF_ZEILEN);
        ASSERT_TRUE(kopf && kopf->zeichnen);
        Rastport_Bild schirm(Rastport_Neu_Einfach(800, 600, 16));
        kopf->zeichnen(kopf, schirm.get(), kopf->x, kopf->y);
        EXPECT_NE(std::find(geladen.begin(), geladen.end(), f.wappen), geladen.end()) << f.team;
        EXPECT_EQ(std::find(geladen.begin(), geladen.end(), f.nicht), geladen.end()) << f.team;
    }
    Team_Fix_Daten = fix_alt;
    Wappen_Set_Hooks({});
}

TEST_F(MenueSpiel, ZugEndeKnopfGrau) {
    Menue_Manager_Wechsel(0);
    Menue_Set_Icon707_Status(true);
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_ZUG_ENDE)->status & MENUE_S_GRAU);
    klick(750, 580);
    EXPECT_EQ(zuege, 0) << "a grey button does not end the turn";
    Menue_Manager_Wechsel(0);  // the next main menu keeps it grey
    EXPECT_TRUE(Menue_Screen_Icon_Aus_Nummer(ICON_ZUG_ENDE)->status & MENUE_S_GRAU);
    Menue_Set_Icon707_Status(false);
    EXPECT_FALSE(Menue_Screen_Icon_Aus_Nummer(ICON_ZUG_ENDE)->status & MENUE_S_GRAU);
    EXPECT_FALSE(Menue_Get_Icon707_Status());
}

// A server that answers only call 1025 (a team's account), with `kontostand`
// for team 0; `antworten` off, it answers nothing.
f64 server_konto = 0;
bool server_antwortet = true;
std::vector<i32> server_teams;
bool konto_server(u16 nummer, const std::vector<u8>& ein, std::vector<u8>* aus) {
    if (nummer != RUF_BANK_KREDITE.nummer || !server_antwortet) return false;
    i32 team = -1;
    bytes::Leser(ein.data(), ein.size())(team);
    server_teams.push_back(team);
    Bank_Kredite_Antwort a;
    a.kontostand = team == 0 ? server_konto : 0.0, a.kreditrahmen = 250000.0f;
    bytes::Schreiber s{*aus};
    s(a);
    return true;
}

// A client books nothing itself: the balance its header shows is the
// server's, fetched whenever the main menu is refreshed; without an answer
// (or with one that is no number) the balance it had stays.
TEST_F(MenueSpiel, ClientKontoKommtVomServer) {
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(0, 0.0, 0));  // the account a joining client opens
    ruf::Leitung_Setzen(konto_server);
    ruf::Als_Netz(false);
    const struct {
        bool antwort;
        f64 server, gezeigt;
    } faelle[] = {
        {true, 3500000.0, 3500000.0},
        {true, -125000.5, -125000.5},                                     // in the red
        {false, 9.0, -125000.5},                                          // no answer: kept
        {true, std::numeric_limits<f64>::quiet_NaN(), -125000.5},         // no number: kept
        {true, 2000000.0, 2000000.0},
    };
    for (const auto& f : faelle) {
        server_antwortet = f.antwort, server_konto = f.server;
        server_teams.clear();
        Menue_Client_Aktualisieren();
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(0, 0, 0), f.gezeigt) << f.server;
        if (f.antwort) {
            EXPECT_EQ(server_teams, (std::vector<i32>{0})) << "the active team's account only";
        }
    }
    EXPECT_DOUBLE_EQ(Bank_Get_Kreditrahmen(0), 250000.0);
    // The main menu's header shows the fetched balance.
    server_konto = 1234567.0;
    Menue_Hauptmenue_Zeigen();
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(0, 0, 0), 1234567.0);
    ruf::Als_Einzel();
    ruf::Leitung_Setzen(nullptr);
    Bank_Free();
}

i32 aufstellungen = 0;
TEST_F(MenueSpiel, SpielAnhaltenUndTeamWaehlen) {
    aufstellungen = 0;
    Menue_Spiel_Set_Hooks({.im_spiel_team = [](i32 t) { return t * 10; },
                           .im_spiel_aufstellung = [] { ++aufstellungen; }});
    Menue_Set_Spiel_Pause(false);
    Menue_Spiel_Anhalten();
    EXPECT_TRUE(Menue_Get_Spiel_Pause());
    EXPECT_EQ(Menue_Icon_Zustand(ICON_LEISTE_PAUSE), 1u);
    EXPECT_EQ(Menue_Icon_Zustand(ICON_LEISTE_AUFSTELLUNG), 1u);
    Menue_Spiel_Anhalten();  // the line-up is up already
    EXPECT_EQ(aufstellungen, 1);
    EXPECT_EQ(Menue_Spiel_Team_Waehlen(nullptr, 4), 40);
    Menue_Set_Spiel_Pause(false);
    EXPECT_TRUE(Menue_Client_Aktualisieren());  // no client: nothing to fetch
    Menue_Leer(nullptr, 4);
}

TEST_F(MenueSpiel, VideosWerdenBeimNaechstenTickFreigegeben) {
    const char* spiel = std::getenv("KORDAVO_GAME_DIR");
    if (!spiel || !*spiel) GTEST_SKIP() << "KORDAVO_GAME_DIR fehlt";
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", spiel);
    std::vector<Bnk_Video*> v;
    for (i32 n = 0; n < 7; ++n) v.push_back(Bnk_InitV(59 + n % 3, "animationen.res", 0, 0, 0, 0, BNK_AUS_CONTAINER, "Test", false));
    for (Bnk_Video* x : v) ASSERT_TRUE(x && x->nummer >= 0);
    // Five places: the first five wait for the tick (one of them queued
    // twice), the sixth is let go at once.
    for (i32 n : {0, 1, 2, 2, 3, 4, 5}) Menue_Video_Freigabe_Vormerken(v[static_cast<size_t>(n)]);
    std::vector<i32> frei;
    for (Bnk_Video* x : v) frei.push_back(x->nummer < 0);
    EXPECT_EQ(frei, (std::vector<i32>{0, 0, 0, 0, 0, 1, 0}));
    Menue_Tick();
    frei.clear();
    for (Bnk_Video* x : v) frei.push_back(x->nummer < 0);
    EXPECT_EQ(frei, (std::vector<i32>{1, 1, 1, 1, 1, 1, 0}));
    Menue_Video_Freigabe_Vormerken(v[6]);
    Menue_Videos_Stoppen();  // every slot, and the queue forgotten
    EXPECT_LT(v[6]->nummer, 0);
    Menue_Tick();
}

}  // namespace

namespace {

// A picture asked for again is the one loaded before, also after pictures
// whose numbers share its low bits were asked for in between; one let go is
// loaded anew, the others stay where they are.
TEST_F(MenueSpiel, BildNummernFindenIhrGeladenesBild) {
    const char* spiel = std::getenv("KORDAVO_GAME_DIR");
    if (!spiel || !*spiel) GTEST_SKIP() << "KORDAVO_GAME_DIR fehlt";
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", spiel);
    ASSERT_EQ(Resf_Init(), 1);
    Menue_Slave_Freigeben(-1);
    constexpr u32 NUMMERN[] = {28019, 28019 + 256, 28019 + 512};
    Rastport* bild[3] = {};
    for (int k = 0; k < 3; ++k) ASSERT_NE(bild[k] = Menue_Get_Slave_Rastport(NUMMERN[k]), nullptr) << k;
    EXPECT_NE(bild[0], bild[1]);
    const struct {
        const char* was;
        i64 freigeben;  // the picture let go first (0 none, -1 all)
        bool neu[3];    // loaded anew
    } faelle[] = {
        {"asked again in turn", 0, {false, false, false}},
        {"the middle one let go", NUMMERN[1], {false, true, false}},
        {"all let go", -1, {true, true, true}},
    };
    for (const auto& f : faelle) {
        if (f.freigeben) Menue_Slave_Freigeben(f.freigeben);
        for (int k : {2, 0, 1, 0, 2, 1}) {
            Rastport* b = Menue_Get_Slave_Rastport(NUMMERN[k]);
            ASSERT_NE(b, nullptr) << f.was << " " << k;
            // A picture loaded anew is another one, the same one asked again.
            if (!f.neu[k]) {
                EXPECT_EQ(b, bild[k]) << f.was << " " << k;
            }
            bild[k] = b;
            EXPECT_EQ(Menue_Get_Slave_Rastport(NUMMERN[k]), b) << f.was << " " << k;
        }
    }
    Menue_Slave_Freigeben(-1);
    Resf_Free();
}

// ">>" belongs to the manager whose bar it is: the bar of the other manager
// comes up with his button up and his match at its own pace, the first
// manager's again with his button pressed and fast play on.
TEST_F(MenueSpiel, SchnellesSpielGehoertDemAktivenManager) {
    Spielfeld_Set_Fast(0);
    const auto leiste_von = [](i32 team) {
        Menue_Hauptmenue_Zeigen();
        ASSERT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(ICON_LEISTE_SCHNELL));
        Team_Aktiv = team;
        Menue_Kontrollleiste_Zeigen();
    };
    leiste_von(0);
    klick(224 + 27, 582);
    EXPECT_TRUE(Spielfeld_Get_Fast());
    EXPECT_EQ(Manager_Icon_Button_Lesen(0, ICON_LEISTE_SCHNELL), 1u);
    const struct {
        i32 team;
        bool schnell;
    } faelle[] = {{1, false}, {0, true}, {1, false}};
    for (const auto& f : faelle) {
        leiste_von(f.team);
        EXPECT_EQ(Menue_Icon_Zustand(ICON_LEISTE_SCHNELL) != 0, f.schnell) << f.team;
        EXPECT_EQ(Spielfeld_Get_Fast() != 0, f.schnell) << f.team;
    }
    // The second manager's ">>" is his own; the first one's stays.
    klick(224 + 27, 582);
    EXPECT_TRUE(Spielfeld_Get_Fast());
    leiste_von(0);
    EXPECT_TRUE(Spielfeld_Get_Fast());
    klick(224 + 27, 582);
    EXPECT_FALSE(Spielfeld_Get_Fast());
    EXPECT_EQ(Manager_Icon_Button_Lesen(0, ICON_LEISTE_SCHNELL), 0u);
    EXPECT_EQ(Manager_Icon_Button_Lesen(1, ICON_LEISTE_SCHNELL), 1u);
    Spielfeld_Set_Fast(0);
}

}  // namespace

// A change of turns turns the menu's clip off and on again: it is kept
// (not read anew), back at its first frame, while every other video goes.
// After every video was let go (a load) the slot another video took is
// that video's: turning the clip off leaves it running.
TEST_F(MenueSpiel, DerClipDesMenuesBleibtUeberDenZugwechsel) {
    const char* spiel = std::getenv("KORDAVO_GAME_DIR");
    if (!spiel || !*spiel) GTEST_SKIP() << "KORDAVO_GAME_DIR fehlt";
    std::snprintf(W32_Dir_Tabelle[W32_DIR_RESFILE], W32_DIR_LAENGE, "%s/resfile", spiel);
    const auto starts = [] {
        i32 n = 0;
        for (const Zeichenspur_Eintrag& e : Zeichenspur_Eintraege()) n += e.art == SPUR_VIDEO && e.text == "start";
        return n;
    };
    Menue_Hintergrund_Video(1, 1);
    Bnk_Video* clip = const_cast<Bnk_Video*>(Menue_Hintergrund_Clip());
    ASSERT_TRUE(clip && clip->nummer >= 0);
    Bnk_GotoV(clip, 5);
    Bnk_Video* anderes = Bnk_InitV(60, "animationen.res", 0, 0, 0, 0, BNK_AUS_CONTAINER, "Test", false);
    ASSERT_TRUE(anderes && anderes->nummer >= 0);

    Zeichenspur_Einschalten();
    Menue_Videos_Stoppen();  // the turn ends
    EXPECT_LT(anderes->nummer, 0);
    EXPECT_EQ(Menue_Hintergrund_Clip(), clip);
    EXPECT_EQ(Bnk_Get_FrameV(clip), 1);
    EXPECT_TRUE(clip->pausiert);
    Bnk_Pause_Alle(0);  // a live match sets its videos going: not the resting clip
    EXPECT_TRUE(clip->pausiert);
    Menue_Hintergrund_Video(-1, 1);  // as it is: off
    EXPECT_FALSE(clip->laeuft);
    Menue_Hintergrund_Video(1, 1);  // the next turn
    EXPECT_EQ(Menue_Hintergrund_Clip(), clip);
    EXPECT_EQ(starts(), 0);
    EXPECT_TRUE(clip->laeuft);
    Zeichenspur_Ausschalten();

    Bnk_Alle_Freigeben();  // a load
    Bnk_Video* fremd = Bnk_InitV(61, "animationen.res", 0, 0, 0, 0, BNK_AUS_CONTAINER, "Test", false);
    ASSERT_EQ(fremd, clip);  // the same slot
    Bnk_PauseV(fremd, 0);
    EXPECT_EQ(Menue_Hintergrund_Clip(), nullptr);
    Menue_Hintergrund_Video(0, 1);
    EXPECT_GE(fremd->nummer, 0);
    EXPECT_FALSE(fremd->pausiert);
    EXPECT_FALSE(Menue_Hintergrund_Video_Laeuft());
    Bnk_Alle_Freigeben();
}
