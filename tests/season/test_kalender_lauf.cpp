// The game's main loop headless: a new game through the scripted wizard into
// normal play, days advancing with the weekly autosave, the daily tick, the
// calendar commands and the end of the game.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/debug.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/ruf.h"
#include "base/spielstand.h"
#include "base/tools.h"
#include "season/ankuendigung.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/kalender_zug.h"
#include "season/netz_rufe.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/season_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/bank.h"
#include "world/manager.h"
#include "world/team.h"
#include "world/werbung.h"
#include "world/welt.h"

namespace {

u32 uhr = 0;
std::vector<int> gespeichert;  // day index at each save
std::vector<std::string> reihenfolge;
bool speichern_gelingt = true;
std::vector<int> menschen;  // the teams the set-up gives human managers

// The set-up screen of these tests: it creates a world of ten teams with
// the human managers of `menschen`.
bool wizard(int, u8* wizard_byte) {
    if (wizard_byte) *wizard_byte = 0;
    if (Team_Anzahl == 0 && Welt_Anlegen(10, 0))
        for (int t : menschen) Manager_Neuer_Mitspieler(t, "Test", 0);
    return true;
}

// A save block that notes the day of every save and can fail.
bool probe_schreiben(Datei_Status*) {
    gespeichert.push_back(Kalender_Get_Tag());
    return speichern_gelingt;
}
bool probe_lesen(Datei_Status*) { return true; }

class Lauf : public ::testing::Test {
  protected:
    void SetUp() override {
        Season_Hooks_Zuruecksetzen();
        Season_Gui_Set_Hooks({.Spielstart_Pruefen = wizard});
        Kalender_Set_Spielstart(0);
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Quit_Status = QUIT_STATUS_LAEUFT;
        Optionen_Reset();
        Kalender_Free();
        Kalender_Lauf_Reset();
        gespeichert.clear();
        reihenfolge.clear();
        speichern_gelingt = true;
        menschen = {5};
        uhr = 1000;
        Uhr_Set_Hooks({.jetzt = []() { return uhr; }});
        Spielstand_Modul_Anmelden(SPIELSTAND_BLOCK_MENUE, {"probe", probe_schreiben, probe_lesen, nullptr, nullptr});
        for (const char* datei : {"1_global.cfg", "1_global_alias.cfg"})
            ordner.Schreiben(datei, season_test::Datei_Lesen(season_test::Quelle(std::string("data/config/") + datei)));
    }
    void TearDown() override {
        // A cache write or an autosave the test's days started in the background ends before its
        // folder goes: left running, it fails on the vanished folder and its message reaches the
        // next test.
        Spielstand_Config_Warten();
        Spielstand_Hintergrund_Pruefen(true);
        Uhr_Set_Hooks({});
        Ankuendigung_Set_Hooks({});
        News_Set_Hooks({});
        Spielstand_Modul_Abmelden(SPIELSTAND_BLOCK_MENUE);
        Spiele_Free();
        Wettbewerb_Free();
        Kalender_Free();
        Kalender_Lauf_Reset();
        Welt_Freigeben();
        Quit_Status = QUIT_STATUS_LAEUFT;
        Season_Hooks_Zuruecksetzen();
    }
    static void Pass() {
        uhr += 20;
        Kalender_Run();
    }
    season_test::Spielordner ordner;  // the save folder and the settings file (last slot)
    season_test::Meldungen meldungen;
};

TEST_F(Lauf, NeuesSpielBisInsSpielUndTageMitAutosave) {
    std::vector<i32> modi;
    for (int i = 0; i < 4; ++i) {
        Pass();
        modi.push_back(Kalender_Get_Runmodus());
    }
    EXPECT_EQ(modi, (std::vector<i32>{RUNMODUS_WIZARD, RUNMODUS_TAGE_LAUFEN, RUNMODUS_SPIEL, RUNMODUS_SPIEL}));
    EXPECT_EQ(Kalender_Get_Tag(), 1);  // run mode 0 lasted one day
    EXPECT_TRUE(Wettbewerb_Modul_Bereit());
    EXPECT_TRUE(Spiele_Bereit());
    EXPECT_EQ(Team_Aktiv, 5);
    // The only human manager ends his turn each day: one day per turn.
    EXPECT_EQ(K_NEUER_TAG(6, 0), 0);
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIELTAG);
    for (int tag = Kalender_Get_Tag(); tag < 30; ++tag) {
        Pass();
        Pass();
        ASSERT_EQ(Kalender_Get_Tag(), tag + 1);
        K_NEUER_TAG(6, 0);
    }
    Pass();
    Pass();
    EXPECT_EQ(gespeichert, (std::vector<int>{6, 13, 20, 27}));
    Spielstand_Beschreibung b{};
    EXPECT_EQ(Spielstand_Get_Beschreibung(KALENDER_AUTOSAVE_SLOT, &b), 1);
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
}

TEST_F(Lauf, EinSpieltagHaeltDenTageslaufAn) {
    menschen = {};  // without managers only matchdays stop the days
    for (int i = 0; i < 3; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    Wettbewerb& w = Wettbewerb_Tabelle[0];
    std::strcpy(w.name, "Liga");
    w.id = 50;
    w.kalendermarke = 0;
    ASSERT_TRUE(Kalender_Termin_Setzen(10, 0, -1));
    EXPECT_EQ(Kalender_Spieltage_Am_Tag(10), 1);
    while (Kalender_Lauf_Get().neuer_tag != 255 && Kalender_Get_Tag() < 100) Pass();
    EXPECT_EQ(Kalender_Get_Tag(), 10);
    EXPECT_EQ(Kalender_Lauf_Get().neuer_tag, 255);
    Pass();  // the stop is cleared; without managers the next advance follows
    EXPECT_NE(Kalender_Lauf_Get().neuer_tag, 255);
    EXPECT_EQ(Kalender_Get_Tag(), 10);
    EXPECT_EQ(Kalender_Get_Spieltermin(50, 0, 0), 10);
    EXPECT_EQ(Kalender_Get_Spieltag_Nummer(10, 50, nullptr), 0);
    EXPECT_EQ(Kalender_Get_Spieltag_Nummer(9, 50, nullptr), -1);
    EXPECT_TRUE(Kalender_Spielt_Am_Tag(10, 0));
    EXPECT_FALSE(Kalender_Spielt_Am_Tag(11, 0));
}

TEST_F(Lauf, TagesablaufInFesterReihenfolge) {
    Kalender_Init(nullptr);
    {
        Season_Module_Hooks h = Season_Module;
        h.Spieltag_Vorbereiten = []() { reihenfolge.push_back("spieltag"); };
        Season_Module_Set_Hooks(h);
    }
    {
        Season_Gui_Hooks h = Season_Gui;
        h.Menue_Set_Aktiver_Manager = [](int) { reihenfolge.push_back("manager"); };
        Season_Gui_Set_Hooks(h);
    }
    {
        Season_Module_Hooks h = Season_Module;
        h.Wettbewerb_Jeden_Tag = []() { reihenfolge.push_back("wettbewerb"); };
        Season_Module_Set_Hooks(h);
    }
    {
        Season_Gui_Hooks h = Season_Gui;
        h.Blt_Cache_Leeren = []() { reihenfolge.push_back("cache"); };
        Season_Gui_Set_Hooks(h);
    }
    wizard(0, nullptr);
    Team_Aktiv = 5;
    // Before the set-up is finished only the date moves.
    Kalender_Lauf_Get().spielstart_beendet = false;
    const u32 cursor = Rnd_Get_Index();
    EXPECT_EQ(Kalender_Jeden_Tag(), 1);  // the day before was day 0
    EXPECT_EQ(Rnd_Get_Index(), (cursor + 3) % RND_TABELLE_GROESSE);
    EXPECT_EQ(reihenfolge, (std::vector<std::string>{"cache"}));
    reihenfolge.clear();
    Kalender_Lauf_Get().spielstart_beendet = true;
    EXPECT_EQ(Kalender_Jeden_Tag(), 0);
    // The ranking, the arbiter and the events of the season's own modules
    // are called directly between these steps.
    EXPECT_EQ(reihenfolge, (std::vector<std::string>{"spieltag", "manager", "wettbewerb", "cache"}));
    EXPECT_EQ(Kalender_Get_Tag(), 2);
}

TEST_F(Lauf, SaisonjahrSteigtAmDrittenJuli) {
    Kalender_Init(nullptr);
    Kalender_Jeden_Tag();
    int starts = 0;
    while (Kalender_Get_Tag() < 365) starts += Kalender_Jeden_Tag();
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(Kalender_Get_Jahr(), 0);
    EXPECT_EQ(Kalender_Jeden_Tag(), 1);  // day 366 is 3 July 2004
    EXPECT_EQ(Kalender_Get_Jahr(), 1);
    EXPECT_STREQ(Kalender_Get_Datum().zahl_text, "Samstag, 3.7.2004");
    EXPECT_EQ(Kalender_Jeden_Tag(), 0);
    EXPECT_EQ(Kalender_Get_Jahr(), 1);
}

TEST_F(Lauf, AutosaveNurMitOptionUndFehlschlagOhneFolgen) {
    Kalender_Init(nullptr);
    Option_Wert(19, 1, 0);
    while (Kalender_Get_Tag() < 15) Kalender_Jeden_Tag();
    EXPECT_TRUE(gespeichert.empty());
    Option_Wert(19, 1, 1);
    speichern_gelingt = false;
    Debug_Mitschnitt log;
    while (Kalender_Get_Tag() < 22) Kalender_Jeden_Tag();
    EXPECT_EQ(gespeichert, (std::vector<int>{20}));
    EXPECT_TRUE(log.Enthaelt("Autosave in Slot 9 misslungen"));
    EXPECT_EQ(Kalender_Get_Tag(), 22);
}

TEST_F(Lauf, ClientTickBewegtDasDatumNicht) {
    Kalender_Init(nullptr);
    Kalender_Lauf_Get().neuer_tag = 1;
    Internet_Modus = INTERNET_MODUS_CLIENT;
    EXPECT_EQ(Kalender_Jeden_Tag(), 1);
    EXPECT_EQ(Kalender_Get_Tag(), 0);
    EXPECT_EQ(Kalender_Lauf_Get().neuer_tag, 0);
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

// A client whose turns are over follows the server's day. A row of the
// matchday table whose match has not kicked off holds nothing back: the
// server goes on only when its matches of the day are over, so the row is
// one the client took from the server's next day in the moment between the
// server's tick and its own question. A match under way keeps the client
// on its day without asking; on the server's own day nothing changes.
i32 server_tag = 0, datum_fragen = 0;
bool tabelle_offen = false, angepfiffen = false;

TEST_F(Lauf, ClientFolgtDemTagDesServers) {
    for (int i = 0; i < 3; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    ruf::Zeile_Anmelden(RUF_KALENDER_SAISON, [] {
        std::tuple<i32, i32, std::array<u8, 140>> a{};
        std::get<0>(a) = Kalender_Get_Jahr();
        std::get<1>(a) = server_tag;
        Optionen_Schreiben(std::get<2>(a).data());
        return a;
    });
    // The whole calendar (a client's first day): the client's own with the server's date.
    ruf::Zeile_Anmelden(RUF_KALENDER_KALENDER, [] {
        ++datum_fragen;
        std::tuple<std::vector<i32>, std::vector<u8>, i32> a{};
        Kalender_Zustand z = Kalender_Get_Zustand();
        z.aktuell = Kalender_Get_Datum_Von_Tag(server_tag, true);
        std::get<1>(a).resize(KALENDER_ZUSTAND_GROESSE);
        Kalender_Zustand_Schreiben(z, std::get<1>(a).data());
        return a;
    });
    ruf::Zeile_Anmelden(RUF_KALENDER_DATUM, [] {
        ++datum_fragen;
        std::tuple<std::vector<i32>, std::array<u8, 132>, i32, i32, i32> a{};
        Kalender_Datum_Schreiben(Kalender_Get_Datum_Von_Tag(server_tag, true), std::get<1>(a).data());
        std::get<3>(a) = RUNMODUS_SPIEL;
        return a;
    });
    Season_Module_Hooks m = Season_Module;
    m.Spieltag_Spiele_Offen = [] { return tabelle_offen; };
    m.Spieltag_Spiel_Angepfiffen = [] { return angepfiffen; };
    Season_Module_Set_Hooks(m);
    struct Fall {
        const char* name;
        bool offen, angepfiffen;
        i32 server_vor;  // the server's day ahead of the client's
        bool folgt;
    } faelle[] = {
        {"keine Tabelle, Server weiter", false, false, 1, true},
        {"Zeile ohne Anpfiff, Server weiter", true, false, 1, true},
        {"Zeile ohne Anpfiff, Server am selben Tag", true, false, 0, false},
        {"Spiel läuft, Server weiter", true, true, 1, false},
    };
    Internet_Modus = INTERNET_MODUS_CLIENT;
    for (const Fall& f : faelle) {
        const i32 tag = Kalender_Get_Tag();
        tabelle_offen = f.offen, angepfiffen = f.angepfiffen;
        server_tag = tag + f.server_vor;
        datum_fragen = 0;
        for (int i = 0; i < 30; ++i) {
            Kalender_Lauf_Get().neuer_tag = 1;
            uhr += 40;
            Pass();
        }
        EXPECT_EQ(Kalender_Get_Tag(), f.folgt ? server_tag : tag) << f.name;
        if (f.angepfiffen) {
            EXPECT_EQ(datum_fragen, 0) << f.name;
        }
        // Back on the server's day for the next case.
        if (!f.folgt) {
            tabelle_offen = angepfiffen = false;
            server_tag = Kalender_Get_Tag();
        }
    }
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

TEST_F(Lauf, FalscherRunmodusWirdAbgewiesen) {
    Kalender_Init(nullptr);
    Debug_Mitschnitt log;
    Kalender_Set_Runmodus(3);
    EXPECT_TRUE(log.Enthaelt("Falscher Wert für Kalender_Set_Runmodus"));
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_NEUES_SPIEL);
    Kalender_Set_Runmodus(RUNMODUS_WARTEN_18);
    // Without an open announcement screen the waiting mode returns to play.
    Kalender_Run();
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
}

TEST_F(Lauf, SpeichernPerTasteUndFehlschlagWirdGemeldet) {
    for (int i = 0; i < 3; ++i) Pass();
    K_NEUER_TAG(KALENDER_SPEICHERN, 4);
    Pass();
    ASSERT_EQ(gespeichert.size(), 1u);
    EXPECT_EQ(Spielstand_Get_Letzter(), 4);
    ASSERT_EQ(meldungen.texte.size(), 1u);
    EXPECT_EQ(meldungen.texte[0], "Das Spiel wurde in Platz 5 gespeichert.");
    meldungen.texte.clear();
    // Loading it back is confirmed the same way.
    K_NEUER_TAG(KALENDER_LADEN, 4);
    Pass();
    ASSERT_EQ(meldungen.texte.size(), 1u);
    EXPECT_EQ(meldungen.texte[0], "Das Spiel aus Platz 5 wurde geladen.");
    meldungen.texte.clear();
    speichern_gelingt = false;
    K_NEUER_TAG(KALENDER_SPEICHERN, 1);
    Pass();
    EXPECT_EQ(gespeichert.size(), 2u);
    EXPECT_EQ(Spielstand_Get_Letzter(), 4);
    EXPECT_FALSE(meldungen.texte.empty());
    // A cancelled save request writes nothing.
    K_NEUER_TAG(KALENDER_SPEICHERN_FRAGEN, 0);
    Pass();
    EXPECT_EQ(gespeichert.size(), 2u);
    // The load key asks first and loads nothing by itself.
    static int gefragt = -1;
    {
        Season_Gui_Hooks h = Season_Gui;
        h.Spielstand_Laden_Fragen = [](int slot) { gefragt = slot; };
        Season_Gui_Set_Hooks(h);
    }
    EXPECT_EQ(Kalender_Taste('l'), 1);
    EXPECT_EQ(gefragt, 0);
    EXPECT_EQ(Kalender_Lauf_Get().laden, 0);
}

// "Beenden" answered inside a pass (the menu's requester): the same pass
// frees the modules, since the program ends after this frame.
TEST_F(Lauf, BeendenImLaufGibtDieModuleFrei) {
    for (int i = 0; i < 3; ++i) Pass();
    ASSERT_TRUE(Wettbewerb_Modul_Bereit());
    Season_Gui_Hooks h = Season_Gui;
    h.Menue_Hintergrund_Video = [](int, int) {
        if (Quit_Status == QUIT_STATUS_LAEUFT) Quit_Status = QUIT_STATUS_ANGEFORDERT;
    };
    Season_Gui_Set_Hooks(h);
    Pass();
    EXPECT_EQ(Quit_Status, QUIT_STATUS_VERLASSEN);
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_ENDE);
    EXPECT_FALSE(Wettbewerb_Modul_Bereit());
    EXPECT_FALSE(Spiele_Bereit());
    EXPECT_FALSE(Kalender_Ist_Initialisiert());
}

TEST_F(Lauf, EndeGibtDieModuleFrei) {
    for (int i = 0; i < 3; ++i) Pass();
    Quit_Status = QUIT_STATUS_ANGEFORDERT;
    Pass();
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_ENDE);
    EXPECT_FALSE(Wettbewerb_Modul_Bereit());
    EXPECT_FALSE(Spiele_Bereit());
    EXPECT_FALSE(Kalender_Ist_Initialisiert());
    Pass();  // nothing more happens
    EXPECT_FALSE(Kalender_Ist_Initialisiert());
}

}  // namespace

namespace {

// A yearly set-up as the season cycle will do it: the shipped competitions
// read and every one's matchdays placed in the calendar.
int nicht_verteilt = 0;
void jahres_setup() {
    const std::string pfad = season_test::Quelle("data/config/1_wettbewerb.cfg");
    const std::string alias = season_test::Quelle("data/config/1_wettbewerb_alias.cfg");
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), alias.c_str()));
    nicht_verteilt = 0;
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || w.spieltage <= 0 || w.vorherige_gruppe != -1) continue;
        i32 vorgaenger = w.vorherige_runde >= 0 ? Wettbewerb_Tabelle[w.vorherige_runde].kalendermarke : -1;
        i32 slot =
            Kalender_Termine_Verteilen(w.spieltage * w.best_of_x, vorgaenger, 0, w.wochentag, w.quote_wochentag,
                                       w.startwoche, w.endwoche, w.super_alias, w.spielfrei_start, w.spielfrei_ende, -1,
                                       false, w.best_of_x == 2 && w.rueckspiel_zwei_wochen);
        if (slot < 0) {
            ++nicht_verteilt;
            continue;
        }
        // The groups of a round share its days.
        for (int k = i; k >= 0 && k < WETTBEWERB_ANZAHL; k = Wettbewerb_Tabelle[k].naechste_gruppe) {
            Wettbewerb_Tabelle[k].kalendermarke = slot;
            if (Wettbewerb_Tabelle[k].naechste_gruppe == k) break;
        }
    }
}

TEST_F(Lauf, NeuesSpielMitDenAusgeliefertenWettbewerben) {
    menschen = {};  // without managers only matchdays stop the days
    {
        Season_Module_Hooks h = Season_Module;
        h.Wettbewerb_Jedes_Jahr = jahres_setup;
        Season_Module_Set_Hooks(h);
    }
    for (int i = 0; i < 3; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    EXPECT_EQ(nicht_verteilt, 0);
    // Every league's days: as many as it has matchdays, none in the break.
    for (int i = 0; i < WETTBEWERB_ANZAHL; ++i) {
        const Wettbewerb& w = Wettbewerb_Tabelle[i];
        if (!w.name[0] || w.kalendermarke < 0 || (w.modus & WB_KO_SYSTEM)) continue;
        int tage = 0;
        for (int d = 0; d < KALENDER_TAGE; ++d)
            if (Kalender_Termin_Gesetzt(d, w.kalendermarke)) {
                ++tage;
                EXPECT_FALSE(d / 7 >= w.spielfrei_start && d / 7 <= w.spielfrei_ende) << w.name << " " << d;
            }
        EXPECT_EQ(tage, w.spieltage * w.best_of_x) << w.name;
    }
    // The day advance stops on the first matchday.
    K_NEUER_TAG(6, 0);
    while (Kalender_Lauf_Get().neuer_tag != 255 && Kalender_Get_Tag() < 365) Pass();
    EXPECT_LT(Kalender_Get_Tag(), 60);
    EXPECT_GT(Kalender_Spieltage_Heute(-1, 0, nullptr), 0);
}

}  // namespace

namespace {

TEST_F(Lauf, ZweiManagerNacheinanderDannDerNeueTag) {
    menschen = {5, 8};
    for (int i = 0; i < 4; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    const i32 erster = Team_Aktiv;
    EXPECT_TRUE(erster == 5 || erster == 8);
    const i32 tag = Kalender_Get_Tag();
    // A pass of a manager's turn moves nothing of the game and draws
    // nothing (only a pass whose day goes on draws normal play's number).
    const u32 cursor = Rnd_Get_Index();
    Pass();
    Pass();
    EXPECT_EQ(Rnd_Get_Index(), cursor);
    K_NEUER_TAG(6, 0);
    EXPECT_EQ(Team_Aktiv, erster == 5 ? 8 : 5);
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    Pass();
    EXPECT_EQ(Kalender_Get_Tag(), tag);
    K_NEUER_TAG(6, 0);
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIELTAG);
    Pass();
    EXPECT_EQ(Kalender_Get_Tag(), tag + 1);
}

// Several managers at one machine: the new game's first hand-over (the box
// naming whose turn it is, over the header's date) comes once the days have
// run on from the set-up, on the day of that turn; and only once.
std::vector<std::pair<i32, i32>> uebergaben;  // day and team of each hand-over
TEST_F(Lauf, ErsteUebergabeAmTagDesErstenZugs) {
    menschen = {5, 8};
    uebergaben.clear();
    {
        Season_Gui_Hooks h = Season_Gui;
        h.Menue_Manager_Wechsel = [](int team) { uebergaben.push_back({Kalender_Get_Tag(), team}); };
        Season_Gui_Set_Hooks(h);
    }
    for (int i = 0; i < 4; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    ASSERT_EQ(uebergaben.size(), 1u);
    EXPECT_EQ(uebergaben[0], std::make_pair(Kalender_Get_Tag(), Team_Aktiv));
    K_NEUER_TAG(KALENDER_ZUG_ENDE, 0);
    ASSERT_EQ(uebergaben.size(), 2u);
    EXPECT_EQ(uebergaben[1].first, uebergaben[0].first);
    EXPECT_NE(uebergaben[1].second, uebergaben[0].second);
}

}  // namespace

namespace {

TEST_F(Lauf, SkriptWizardLiestDieWettbewerbeSeinesSatzes) {
    ordner.Schreiben("1_wettbewerb.cfg", season_test::Datei_Lesen(season_test::Quelle("data/config/1_wettbewerb.cfg")));
    ordner.Schreiben("1_wettbewerb_alias.cfg",
                     season_test::Datei_Lesen(season_test::Quelle("data/config/1_wettbewerb_alias.cfg")));
    Kalender_Set_Spielstart(0, 0, 0);
    for (int i = 0; i < 3; ++i) Pass();
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    EXPECT_STREQ(Wettbewerb_Tabelle[0].name, "1. Liga Deutschland") << meldungen.Alle();
    EXPECT_GT(Spiele_Anzahl_Spiele(Wettbewerb_Tabelle[0].spielplan), 0u);
    EXPECT_TRUE(Spielstand_Config_Warten()) << "the cache's writer answers";
    EXPECT_TRUE(std::filesystem::exists(ordner.pfad + "/config/1_config.bin"));
    EXPECT_TRUE(meldungen.texte.empty()) << meldungen.Alle();
    Spielstand_Config_Modul_Abmelden(CONFIG_BLOCK_WETTBEWERBE);
}

}  // namespace

namespace {

std::vector<std::string> aufrufe;

// While a screen after a match stands at a server (and a question box over
// it waits for its answer) a client's running match goes on: it is played
// in step with the client's machine and never waits for the server's
// manager. Without a client's match, and in a game at one machine, the
// screen holds the matches as before.
TEST_F(Lauf, EinScreenNachDemSpielHaeltImNetzKeinSpielAn) {
    menschen = {5, 7};
    for (int i = 0; i < 3; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    static int schritte = 0;
    static bool im_spiel = true;
    Season_Module_Hooks h = Season_Module;
    h.Spieltag_Run = [](int) { return ++schritte > 0; };
    h.Spieltag_Team_Im_Spiel = [](i32 team) { return team == 7 && im_spiel; };
    Season_Module_Set_Hooks(h);
    Ankuendigung_Set_Hooks({.screen_offen = [] { return true; }});
    const struct {
        u32 rolle;
        bool client_da, spielt;
        i32 modus;
        bool schritte;
    } faelle[] = {
        {INTERNET_MODUS_EINZEL, false, true, RUNMODUS_WARTEN_17, false},
        {INTERNET_MODUS_SERVER, true, true, RUNMODUS_WARTEN_17, true},
        {INTERNET_MODUS_SERVER, true, true, RUNMODUS_WARTEN_18, true},
        {INTERNET_MODUS_SERVER, true, true, RUNMODUS_WARTEN_24, true},
        {INTERNET_MODUS_SERVER, true, false, RUNMODUS_WARTEN_17, false},   // the client's match is over
        {INTERNET_MODUS_SERVER, false, true, RUNMODUS_WARTEN_17, false},   // the club is played here
    };
    for (const auto& f : faelle) {
        Internet_Modus = f.rolle;
        Team_Wert(7, 7, static_cast<i32>(TEAM_STATUS_USER_AKTIV), f.client_da ? OP_BITS_SETZEN : OP_BITS_LOESCHEN);
        im_spiel = f.spielt;
        Kalender_Set_Runmodus(f.modus);
        schritte = 0;
        Pass();
        EXPECT_EQ(schritte > 0, f.schritte) << f.rolle << " " << f.client_da << f.spielt << " " << f.modus;
        EXPECT_EQ(Kalender_Get_Runmodus(), f.modus) << "the screen stays";
    }
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Ankuendigung_Set_Hooks({});
}

// Running matches refresh the match display, a server sends its start teams
// in every pass; the announcement check waits for the active team's match.
TEST_F(Lauf, NormalesSpielUndAnkuendigungenRufenOberflaecheUndSpieltag) {
    for (int i = 0; i < 3; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    aufrufe.clear();
    {
        Season_Gui_Hooks h = Season_Gui;
        h.Sound_Alle_Stoppen = []() { aufrufe.push_back("sound aus"); };
        Season_Gui_Set_Hooks(h);
    }
    {
        Season_Module_Hooks h = Season_Module;
        h.Spielfeld_Anzeige_Refresh = []() { aufrufe.push_back("anzeige"); };
        Season_Module_Set_Hooks(h);
    }
    {
        Season_Netz_Hooks h = Season_Netz;
        h.Startteams_Senden = []() { aufrufe.push_back("startteams"); };
        Season_Netz_Set_Hooks(h);
    }
    {
        Season_Module_Hooks h = Season_Module;
        h.Spieltag_Run = [](int) { return true; };
        Season_Module_Set_Hooks(h);
    }
    Internet_Modus = INTERNET_MODUS_SERVER;
    Pass();
    Internet_Modus = INTERNET_MODUS_EINZEL;
    {
        Season_Module_Hooks h = Season_Module;
        h.Spieltag_Run = [](int) { return false; };
        Season_Module_Set_Hooks(h);
    }
    EXPECT_EQ(aufrufe, (std::vector<std::string>{"startteams", "anzeige"}));

    // The announcement check stays while the active team's announcement
    // starts now; the news pass waits for it.
    // The news pass is seen by its look at the screen (a modal screen keeps
    // it going); the announcement before the menu starts while the viewed
    // club is not the one announced last.
    static int news = 0;
    news = 0;
    News_Set_Hooks({.modal_screen = [] {
        ++news;
        return true;
    }});
    {
        Season_Module_Hooks h = Season_Module;
        h.Spieltag_Team_Offen = [](int team) { return team == 5; };
        Season_Module_Set_Hooks(h);
    }
    Team_Ansicht = 5;
    Kalender_Flags_Setzen();
    Pass();
    EXPECT_EQ(Kalender_Lauf_Get().ankuendigung_pruefen, 1);
    EXPECT_EQ(news, 0);
    Team_Ansicht = -1;
    Pass();
    EXPECT_EQ(Kalender_Lauf_Get().ankuendigung_pruefen, 0);
    Pass();
    EXPECT_EQ(news, 1);

    // Ending the turn leads to the matchday announcements; their end stops
    // the sound effects and returns to normal play.
    K_NEUER_TAG(6, 0);
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIELTAG);
    aufrufe.clear();
    Pass();
    EXPECT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    EXPECT_EQ(aufrufe, (std::vector<std::string>{"sound aus"}));
}

}  // namespace

namespace {

// Every hand-over of the controls: day, team, and for the first turn of a
// day the random cursor the turn list was drawn from.
struct Zug {
    i32 tag, team;
    bool erster;
    u32 cursor;
};
std::vector<Zug> zuege;
u32 cursor_vorher = 0;
int beendet = 0;

TEST_F(Lauf, DreiManagerJeTagEinZugInGezogenerReihenfolge) {
    menschen = {2, 5, 8};
    zuege.clear();
    // The last look at the announcement buffer comes just before a day's list is drawn.
    {
        Ankuendigung_Set_Hooks({.screen_offen = [] {
            cursor_vorher = Rnd_Get_Index();
            return false;
        }});
    }
    {
        Season_Gui_Hooks h = Season_Gui;
        h.Menue_Manager_Wechsel = [](int team) {
            zuege.push_back({Kalender_Get_Tag(), team, Kalender_Lauf_Get().zug_index == 0, cursor_vorher});
        };
        Season_Gui_Set_Hooks(h);
    }
    for (int i = 0; i < 3; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    const i32 start = Kalender_Get_Tag();
    zuege.clear();
    for (int tag = 0; tag <= 20; ++tag)
        for (int zug = 0; zug < 3; ++zug) {
            Pass();
            Pass();  // the turn goes on; the day stays until the last turn ends
            K_NEUER_TAG(KALENDER_ZUG_ENDE, 0);
        }
    Pass();
    Pass();
    EXPECT_EQ(Kalender_Get_Tag(), start + 21);

    // The list drawn from the cursor, as the turn list draws it.
    i32 menschen_liste[KALENDER_MAX_ZUGLISTE];
    const int n = Manager_Ist_Dran(menschen_liste, 0, 0);
    ASSERT_EQ(n, 3);
    auto gezogen = [&](u32 cursor) {
        std::vector<u32> t(menschen_liste, menschen_liste + n);
        Rnd_Push();
        Rnd_Set_Index(static_cast<i32>(cursor), 0);
        SortMisch_Mische(t.data(), n);
        Rnd_Pop();
        return std::vector<i32>(t.begin(), t.end());
    };
    // The first day's list was drawn by the set-up; each of the next 20 days gives
    // its three turns in its own drawn order, then the next day's list.
    ASSERT_EQ(zuege.size(), 2u + 20 * 3 + 1);
    std::set<std::vector<i32>> reihenfolgen;
    for (int tag = 1; tag <= 20; ++tag) {
        const size_t a = 2 + (tag - 1) * 3;
        ASSERT_TRUE(zuege[a].erster) << tag;
        std::vector<i32> teams;
        for (size_t k = a; k < a + 3; ++k) {
            EXPECT_EQ(zuege[k].tag, start + tag);
            teams.push_back(zuege[k].team);
        }
        EXPECT_EQ(teams, gezogen(zuege[a].cursor)) << "Tag " << tag;
        reihenfolgen.insert(teams);
    }
    EXPECT_GT(reihenfolgen.size(), 2u);  // the order changes from day to day
    Ankuendigung_Set_Hooks({});
}

// The timer of option 0: a turn that runs out ends, a stall of more than a
// second restarts it; a team played elsewhere in a network game is skipped.
// In a network game the turns are handed out again as often as the
// managers end them while the day's matches run: the list's draw leaves the
// shared cursor where it is and gives the same order all day; a local game
// draws it from the cursor.
TEST_F(Lauf, ZuglisteImNetzLaesstDenZufallStehen) {
    menschen = {2, 5, 8};
    for (int i = 0; i < 3; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    auto liste = [] {
        const Kalender_Lauf& l = Kalender_Lauf_Get();
        return std::vector<i32>(l.zugliste, l.zugliste + l.zug_anzahl);
    };
    for (const u32 modus : {INTERNET_MODUS_SERVER, INTERNET_MODUS_CLIENT, INTERNET_MODUS_EINZEL}) {
        Internet_Modus = modus;
        const u32 cursor = Rnd_Get_Index();
        Kalender_Neue_Zugliste();
        const std::vector<i32> erste = liste();
        ASSERT_EQ(erste.size(), 3u) << modus;
        bool gleich = true;
        for (int i = 0; i < 20; ++i) {
            Kalender_Neue_Zugliste();
            gleich = gleich && liste() == erste;
        }
        if (modus == INTERNET_MODUS_EINZEL) {
            EXPECT_NE(Rnd_Get_Index(), cursor);
        } else {
            EXPECT_EQ(Rnd_Get_Index(), cursor) << modus;
            EXPECT_TRUE(gleich) << modus;
        }
    }
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

TEST_F(Lauf, ZugzeitUndFremdeTeamsImNetz) {
    menschen = {5, 8};
    beendet = 0;
    {
        Season_Gui_Hooks h = Season_Gui;
        h.Menue_Zug_Beenden = [] { ++beendet; };
        Season_Gui_Set_Hooks(h);
    }
    for (int i = 0; i < 3; ++i) Pass();
    Option_Wert(OPTION_ZUGZEIT, 1, 5000);
    Kalender_Start_Spielzeit();
    struct Schritt {
        u32 ms;
        int beendet;
    };
    // 4,980 ms in (4 passes), then 40 ms late: the turn ends; a 7-second
    // stall restarts the new turn instead.
    for (const Schritt& s : {Schritt{4960, 0}, Schritt{60, 1}, Schritt{7000, 1}, Schritt{4000, 1}}) {
        uhr += s.ms - 20;
        Pass();
        EXPECT_EQ(beendet, s.beendet) << s.ms;
    }
    EXPECT_GT(Kalender_Zugzeit_Rest(), 0);

    Option_Wert(OPTION_ZUGZEIT, 1, 0);
    Internet_Modus = INTERNET_MODUS_SERVER;
    Team_Wert(7, 8, TEAM_STATUS_USER_AKTIV, OP_BITS_SETZEN);
    EXPECT_TRUE(Kalender_Team_Online_Woanders(8));
    Kalender_Neue_Zugliste();
    EXPECT_EQ(Team_Aktiv, 5);
    EXPECT_FALSE(Kalender_Weitere_Manager());
    EXPECT_FALSE(K_Setze_Manager_Im_Menue());
    // On a client the server's records mark its own club too: that club is
    // played at this machine and takes its turns here; another marked club
    // is played elsewhere.
    Team_Wert(7, 5, TEAM_STATUS_USER_AKTIV, OP_BITS_SETZEN);
    Internet_Modus = INTERNET_MODUS_CLIENT;
    for (i32 eigenes : {5, 8}) {
        Team_Aktiv = eigenes;
        EXPECT_FALSE(Kalender_Team_Online_Woanders(eigenes)) << eigenes;
        EXPECT_TRUE(Kalender_Team_Online_Woanders(13 - eigenes)) << eigenes;
    }
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

// A server whose client never ends its turns: the turn clock ends them, as
// it ends a manager's turn at this machine, and the days go on; without a
// limit, or while the clock is frozen, the server waits for the client.
i32 client_bereit_tag = -1;
int client_zuege_beendet = 0;
// The server's real clock, moved on by the tests (the turn clock is `uhr`).
u32 echtzeit = 0;
// A server in play whose one client ends its turn only when told to.
void server_mit_saeumigem_client(void (*pass)()) {
    menschen = {};
    for (int i = 0; i < 3; ++i) pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    client_bereit_tag = -1;
    client_zuege_beendet = 0;
    echtzeit = 5000;
    Season_Netz_Set_Hooks(
        {.Clients_Fertig = [] { return client_bereit_tag == Kalender_Get_Tag(); },
         .Clients_Zug_Beenden = [] { ++client_zuege_beendet, client_bereit_tag = Kalender_Get_Tag(); },
         .Echtzeit_Ms = [] { return echtzeit; }});
    Internet_Modus = INTERNET_MODUS_SERVER;
}
TEST_F(Lauf, DieZugzeitBeendetDenZugEinesClientsDerNieFertigWird) {
    server_mit_saeumigem_client(&Pass);
    if (HasFatalFailure()) return;
    const i32 tag = Kalender_Get_Tag();
    auto sekunden = [](int n) {
        for (int i = 0; i < n * 50; ++i) echtzeit += 20, Pass();
    };
    sekunden(20);
    EXPECT_EQ(Kalender_Get_Tag(), tag) << "no limit: the server waits";
    Option_Wert(OPTION_ZUGZEIT, 1, 5000);
    Kalender_Lauf_Get().zeit_stop = 1;
    sekunden(10);
    EXPECT_EQ(Kalender_Get_Tag(), tag) << "the clock is frozen";
    Kalender_Lauf_Get().zeit_stop = 0;
    sekunden(4);
    EXPECT_EQ(client_zuege_beendet, 0) << "within its time";
    sekunden(2);
    EXPECT_EQ(client_zuege_beendet, 1);
    EXPECT_GT(Kalender_Get_Tag(), tag);
    // Each new day the client has its time again.
    const i32 naechster = Kalender_Get_Tag();
    sekunden(3);
    EXPECT_EQ(Kalender_Get_Tag(), naechster);
    sekunden(3);
    EXPECT_GT(Kalender_Get_Tag(), naechster);
    EXPECT_EQ(client_zuege_beendet, 2);
    Option_Wert(OPTION_ZUGZEIT, 1, 0);
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

// Without a turn time the server's own bound on a client's turn holds (the
// minutes its manager set on the options screen): a client that never ends its
// turn has it ended as if it had pressed "Weiter", and the day goes on.
TEST_F(Lauf, OhneZugzeitBeendetDieServerschrankeDenZugEinesClients) {
    server_mit_saeumigem_client(&Pass);
    if (HasFatalFailure()) return;
    Option_Wert(OPTION_ZUGZEIT, 1, 0);
    auto echt_pass = [](u32 ms) { echtzeit += ms, Pass(); };
    const struct {
        i32 option, minuten;
    } faelle[] = {{10, 10}, {2, 2}};
    for (const auto& f : faelle) {
        Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, f.option);
        client_zuege_beendet = 0;
        for (int i = 0; i < 3; ++i) echt_pass(20);  // a new day starts the clock
        const i32 tag = Kalender_Get_Tag();
        for (int i = 0; i < (f.minuten * 60 - 2) * 50; ++i) echt_pass(20);
        EXPECT_EQ(client_zuege_beendet, 0) << f.minuten << " minutes: within its time";
        EXPECT_EQ(Kalender_Get_Tag(), tag) << f.minuten;
        for (int i = 0; i < 3 * 50; ++i) echt_pass(20);
        EXPECT_EQ(client_zuege_beendet, 1) << f.minuten;
        EXPECT_GT(Kalender_Get_Tag(), tag) << f.minuten;
    }
    Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, 0);
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

// The client bound counts real time, ten minutes unless the server's manager
// set another: a turn clock that runs far ahead of the real one (a headless
// run's fixed step) ends no client's turn, ten real minutes do.
TEST_F(Lauf, DieServerschrankeZaehltEchteZeitZehnMinutenVorgegeben) {
    EXPECT_EQ(Option_Client_Zugzeit_Ms(), 10 * 60000) << "on by default";
    server_mit_saeumigem_client(&Pass);
    if (HasFatalFailure()) return;
    Option_Wert(OPTION_ZUGZEIT, 1, 0);
    for (int i = 0; i < 3; ++i) echtzeit += 1, Pass();  // a new day starts the clock
    const i32 tag = Kalender_Get_Tag();
    const u32 start = echtzeit;
    // Eleven minutes of turn clock in 22 seconds of real time.
    for (int i = 0; i < 11 * 60 * 50; ++i) echtzeit += 2, Pass();
    EXPECT_EQ(client_zuege_beendet, 0) << "the turn clock is not the client's";
    EXPECT_EQ(Kalender_Get_Tag(), tag);
    // The real clock at a second before its ten minutes, then past them.
    echtzeit = start + 10 * 60000 - 1000;
    Pass();
    EXPECT_EQ(client_zuege_beendet, 0) << "within its ten minutes";
    EXPECT_EQ(Kalender_Get_Tag(), tag);
    echtzeit += 2000;
    for (int i = 0; i < 3; ++i) Pass();
    EXPECT_EQ(client_zuege_beendet, 1);
    EXPECT_GT(Kalender_Get_Tag(), tag);
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

// A limit set in the middle of a client's turn (the server's manager
// stepping through the minutes) counts from its change: the minutes the
// client has spent already never end its turn at once.
TEST_F(Lauf, EineGeaenderteGrenzeZaehltAbIhrerAenderung) {
    server_mit_saeumigem_client(&Pass);
    if (HasFatalFailure()) return;
    Option_Wert(OPTION_ZUGZEIT, 1, 0);
    Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, 10);
    auto echt = [](u32 ms) {
        for (u32 t = 0; t < ms; t += 20) echtzeit += 20, Pass();
    };
    echt(60);  // a new day starts the clock
    const i32 tag = Kalender_Get_Tag();
    echt(5 * 60000);
    struct Schritt {
        const char* name;
        void (*aendern)();
        u32 danach_ms;
        int beendet;
    } schritte[] = {
        {"the turn time stepped to one minute", [] { Option_Wert(OPTION_ZUGZEIT, 1, 60000); }, 1000, 0},
        {"the client bound stepped to two minutes",
         [] {
             Option_Wert(OPTION_ZUGZEIT, 1, 0);
             Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, 2);
         },
         2 * 60000 - 1000, 0},
        {"its two minutes are over", [] {}, 2000, 1},
    };
    for (const Schritt& st : schritte) {
        st.aendern();
        echt(st.danach_ms);
        EXPECT_EQ(client_zuege_beendet, st.beendet) << st.name;
    }
    EXPECT_GT(Kalender_Get_Tag(), tag);
    Option_Wert(OPTION_CLIENT_ZUGZEIT, 1, OPTION_CLIENT_ZUGZEIT_VORGABE);
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

}  // namespace

namespace {

bool shift_gehalten = false;
int maus_x = 1, maus_y = 1;
int icon707 = -1;  // last state handed to the end-of-turn button, -1 none
int engine_fast = -1;

// The keys reach the calendar as the run loop hands them over.
void tippen(const std::vector<int>& tasten) {
    for (int t : tasten) Kalender_Taste(t);
}

class Geheim : public Lauf {
  protected:
    void SetUp() override {
        Lauf::SetUp();
        shift_gehalten = true;
        maus_x = maus_y = 1;
        icon707 = engine_fast = -1;
        Season_Gui_Hooks h = Season_Gui;
        h.Taste_Shift = [] { return shift_gehalten; };
        h.Maus_X = [] { return maus_x; };
        h.Maus_Y = [] { return maus_y; };
        h.Menue_Set_Icon707_Status = [](bool an) { icon707 = an ? 1 : 0; };
        Season_Gui_Set_Hooks(h);
        Season_Module_Hooks m = Season_Module;
        m.Spielfeld_Set_Fast = [](int an) { engine_fast = an; };
        Season_Module_Set_Hooks(m);
    }
};

}  // namespace

// The detector takes keys only with Shift held and the pointer at (1, 1);
// a letter that fits no code, or the Shift key's code, starts it afresh.
TEST_F(Geheim, CodesNurMitShiftAmPunktEinsEins) {
    for (int i = 0; i < 4; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    const i32 team = Team_Aktiv;
    ASSERT_GE(team, 0);
    Bank_Konto_Anlegen(team, 0.0, 0);
    struct Fall {
        const char* name;
        bool shift;
        int x, y;
        std::vector<int> tasten;
        int testschalter;  // after the keys
        double geld;       // booked into the active club
    } faelle[] = {
        {"a single-letter code, typed as a capital", true, 1, 1, {'T'}, 1, 0},
        {"without Shift the key is the game's", false, 1, 1, {'t'}, 0, 0},
        {"the pointer one pixel off", true, 2, 1, {'t'}, 0, 0},
        {"a two-letter code beside a longer one of the same start", true, 1, 1, {'q', 'v'}, 0, 10000000},
        {"the longer one runs nothing and leaves the detector clean", true, 1, 1, {'q', 'q', 'q', 't'}, 1, 0},
        {"a wrong letter resets: the next code counts from its start", true, 1, 1, {'q', 'x', 't'}, 1, 0},
        {"the Shift key's code resets", true, 1, 1, {'q', 16, 'v'}, 0, 0},
        {"letting go of Shift resets", true, 1, 1, {'q'}, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Kalender_Lauf_Get().testschalter = 0;
        shift_gehalten = f.shift;
        maus_x = f.x;
        maus_y = f.y;
        const double vorher = Bank_Get_Kontostand(team, 0, -1);
        tippen(f.tasten);
        EXPECT_EQ(Kalender_Lauf_Get().testschalter, f.testschalter);
        EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(team, 0, -1) - vorher, f.geld);
    }
    // The last case left a "q" typed; without Shift the next "v" is the game's.
    shift_gehalten = false;
    const double vorher = Bank_Get_Kontostand(team, 0, -1);
    EXPECT_EQ(Kalender_Taste('v'), 0);
    shift_gehalten = true;
    tippen({'v'});
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(team, 0, -1), vorher);
}

// What each action changes; the actions without effect run and say so.
TEST_F(Geheim, AktionenUndIhreSchalter) {
    for (int i = 0; i < 4; ++i) Pass();
    const i32 team = Team_Aktiv;
    ASSERT_GE(team, 0);
    Kalender_Lauf& l = Kalender_Lauf_Get();
    struct Schalter {
        int aktion;
        i32* wert;  // the switch it toggles
    } schalter[] = {{4, &l.engine_fast}, {5, &l.spiel_fast}, {7, &l.testschalter}, {9, &l.zeit_stop}};
    for (const Schalter& s : schalter) {
        SCOPED_TRACE(s.aktion);
        const i32 alt = *s.wert;
        EXPECT_TRUE(Kalender_Geheimtaste_Ausfuehren(s.aktion));
        EXPECT_EQ(*s.wert, alt ? 0 : 1);
        EXPECT_TRUE(Kalender_Geheimtaste_Ausfuehren(s.aktion));
        EXPECT_EQ(*s.wert, alt);
    }
    EXPECT_EQ(engine_fast, 0) << "the engine was told both times";
    // Continuous play: every managed club gets automatic boards and is
    // switched to the automatic line-up as its squad screen switches it
    // (the automatic bit set, so the assistant keeps it up).
    ASSERT_TRUE(Werbung_Get(team));
    Werbung_Get(team)->automatik = 0;
    Team_Wert(8, team, 128, OP_BITS_LOESCHEN);
    EXPECT_TRUE(Kalender_Geheimtaste_Ausfuehren(12));
    EXPECT_EQ(Kalender_Ist_Automatik(), 1);
    EXPECT_EQ(Werbung_Get(team)->automatik, 1);
    EXPECT_NE(Team_Wert(8, team, 0, OP_LESEN) & 128, 0) << "the automatic line-up bit";
    EXPECT_TRUE(Kalender_Geheimtaste_Ausfuehren(12));
    EXPECT_EQ(Kalender_Ist_Automatik(), 0);
    for (int a : {11, 13, 14}) EXPECT_TRUE(Kalender_Geheimtaste_Ausfuehren(a)) << a;
    for (int a : {0, 16, -1}) EXPECT_FALSE(Kalender_Geheimtaste_Ausfuehren(a)) << a;
    // A code that began another would run first and hide it.
    for (int a = 1; a < KALENDER_GEHEIM_ANZAHL; ++a)
        for (int b = 1; b < KALENDER_GEHEIM_ANZAHL; ++b)
            if (a != b) {
                EXPECT_NE(std::string(Kalender_Geheim_Code(b)).rfind(Kalender_Geheim_Code(a), 0), 0u) << a << " " << b;
            }
}

// The end-of-turn button greys when the day goes on with nobody to hand
// over to, and is free while a manager takes his turn.
TEST_F(Geheim, ZugEndeKnopfGrauOhneWeitereManager) {
    struct Fall {
        std::vector<int> menschen;
        int icon707;
    } faelle[] = {{{}, 1}, {{5}, 0}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.menschen.size());
        TearDown();
        SetUp();
        menschen = f.menschen;
        for (int i = 0; i < 6; ++i) Pass();
        EXPECT_EQ(icon707, f.icon707);
    }
    // The last manager ends his turn without a match today: the day goes on.
    K_NEUER_TAG(KALENDER_ZUG_ENDE, 0);
    EXPECT_EQ(icon707, 1);
    // The next day's turn frees the button again.
    for (int i = 0; i < 20 && icon707 == 1; ++i) Pass();
    EXPECT_EQ(icon707, 0);
}

namespace {

struct Schrittprobe {
    static inline int schritte = 0;
    static inline bool gezeigt_faellig = false;  // a shown match's clock is due at the first step
    static inline bool modal = false, im_spiel = false;
    static inline bool client_im_spiel = false;  // the club of a network client (7) plays now
    static inline int x = 100;
};

// The matchday steps of one pass of normal play: one step, and when fast
// play or the single-step flag holds after it, more: in a manager's turn
// (also under a screen of his) one more and, for a mouse resting at least
// 300 ms, a tenth of its resting time in ms (at most 30) + 20 × the flag
// + 20; in other passes (his match played here) 20 × fast + 20 × the flag
// + 20. A shown match whose clock is due clears the flag in its step. At a
// server whose client's match runs, a turn's pass adds the passes of a
// screen that stands (1 + 20 × fast + 20 × the flag + 20): the client's
// match goes at the client's pace, whatever the server's mouse does.
TEST_F(Lauf, SpieltagsschritteJePassNachMausUndSchnellspiel) {
    for (int i = 0; i < 4; ++i) Pass();
    ASSERT_EQ(Kalender_Get_Runmodus(), RUNMODUS_SPIEL);
    Season_Module_Hooks m = Season_Module;
    m.Spieltag_Run = [](int) {
        if (Schrittprobe::schritte++ == 0 && Schrittprobe::gezeigt_faellig) Kalender_Reset_Spielschritt();
        return true;
    };
    m.Spieltag_Team_Im_Spiel = [](i32 team) {
        return (team == 5 && Schrittprobe::im_spiel) || (team == 7 && Schrittprobe::client_im_spiel);
    };
    Season_Module_Set_Hooks(m);
    ASSERT_TRUE(Manager_Neuer_Mitspieler(7, "Gast", 0));
    Season_Gui_Hooks g = Season_Gui;
    g.Maus_X = [] { return Schrittprobe::x; };
    g.Maus_Y = [] { return 200; };
    g.Modal_Screen = [] { return Schrittprobe::modal; };
    Season_Gui_Set_Hooks(g);
    const struct {
        const char* name;
        bool zug, modal, gezeigt, schnell;
        u32 ruhe_ms;  // 0: the mouse moved in this pass
        int schritte;
        int client = 0;  // 1: this machine a server whose client's club (7) plays now; 2: its match is over
    } faelle[] = {
        {"turn, mouse moved", true, false, false, false, 0, 2},
        {"turn, mouse resting 200 ms", true, false, false, false, 200, 2},
        {"turn, mouse resting 500 ms", true, false, false, false, 500, 2 + 5 + 20 + 20},
        {"turn, mouse resting 10 s", true, false, false, false, 10000, 2 + 30 + 20 + 20},
        {"turn under a screen, mouse resting 500 ms", true, true, false, false, 500, 2 + 5 + 20 + 20},
        {"turn, a shown match due", true, false, true, false, 10000, 1},
        {"turn, fast, a shown match due", true, false, true, true, 500, 2 + 5 + 0 + 20},
        {"match played here", false, false, false, false, 10000, 1 + 0 + 20 + 20},
        {"match played here, a shown match due", false, false, true, false, 10000, 1},
        {"match played here, fast, a shown match due", false, false, true, true, 0, 1 + 20 + 0 + 20},
        {"match played here, fast", false, false, false, true, 0, 1 + 20 + 20 + 20},
        {"server's turn, mouse moved, a client's match runs", true, false, false, false, 0, 2 + 1 + 20 + 20, 1},
        {"server's turn, mouse resting 500 ms, a client's match runs", true, false, false, false, 500,
         2 + 5 + 20 + 20 + 1 + 20 + 20, 1},
        {"server's turn, mouse moved, fast, a client's match runs", true, false, false, true, 0,
         2 + 1 + 20 + 20 + 20, 1},
        {"server's turn, mouse moved, the client's match over", true, false, false, false, 0, 2, 2},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        Kalender_Lauf& l = Kalender_Lauf_Get();
        l.zug_gestartet = f.zug ? 1 : 0;
        Schrittprobe::im_spiel = !f.zug;
        Schrittprobe::client_im_spiel = f.client == 1;
        Internet_Modus = f.client ? INTERNET_MODUS_SERVER : INTERNET_MODUS_EINZEL;
        Team_Wert(7, 7, static_cast<i32>(TEAM_STATUS_USER_AKTIV), f.client ? OP_BITS_SETZEN : OP_BITS_LOESCHEN);
        Schrittprobe::modal = f.modal;
        Schrittprobe::gezeigt_faellig = false;
        Kalender_Set_Spiel_Fast(0);
        // A pass that takes the mouse's new place and time.
        Schrittprobe::x += 7;
        Pass();
        if (f.zug) {
            ASSERT_EQ(l.letzte_maus_x, Schrittprobe::x);
        }
        if (f.ruhe_ms == 0) Schrittprobe::x += 7;
        else uhr += f.ruhe_ms - 20;
        Schrittprobe::gezeigt_faellig = f.gezeigt;
        Kalender_Set_Spiel_Fast(f.schnell ? 1 : 0);
        Schrittprobe::schritte = 0;
        Pass();
        EXPECT_EQ(Schrittprobe::schritte, f.schritte);
    }
    Kalender_Set_Spiel_Fast(0);
    Schrittprobe::modal = Schrittprobe::im_spiel = Schrittprobe::client_im_spiel = false;
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Team_Wert(7, 7, static_cast<i32>(TEAM_STATUS_USER_AKTIV), OP_BITS_LOESCHEN);
}

}  // namespace
