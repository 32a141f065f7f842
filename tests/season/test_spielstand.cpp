// The season's blocks in a real save game: calendar and fixture database
// written, read back byte for byte, a damaged file refused, and the weekly
// autosave into slot 9 through the save-game driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "base/bytes.h"
#include "base/datei.h"
#include "base/feld_raender.h"
#include "base/files.h"
#include "base/globals.h"
#include "base/random.h"
#include "base/spielstand.h"
#include "season/archiv.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/optionen_block.h"
#include "season/season_hooks.h"
#include "season/season_spielstand.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_block.h"
#include "season/wettbewerb_config.h"
#include "season_test_hilfen.h"
#include "world/welt.h"

namespace {

const char* const TEXT =
    "NEUER_WETTBEWERB\nIDENTIFIKATION L\nNAME \"Liga\"\nTEAMS 10\n"
    "NEUER_WETTBEWERB\nIDENTIFIKATION P\nNAME \"Pokal\"\nTEAMS 8\nMODUS KO_SYSTEM\n";

class Spielstand : public ::testing::Test {
  protected:
    void SetUp() override {
        Season_Hooks_Zuruecksetzen();
        Internet_Modus = INTERNET_MODUS_EINZEL;
        Optionen_Reset();
        Kalender_Lauf_Reset();
        Season_Spielstand_Anmelden();
        Kalender_Init(nullptr);
        ASSERT_TRUE(Wettbewerb_Init());
        ASSERT_TRUE(Spiele_Init());
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(TEXT, static_cast<u32>(std::strlen(TEXT))));
        Wettbewerb_Spielplaene_Erstellen();
        Rnd_Set_Index(0, 0);
    }
    void TearDown() override {
        Season_Spielstand_Abmelden();
        Statistik_Spieler_Leeren();
        Statistik_Archiv_Leeren();
        Spiele_Free();
        Wettbewerb_Free();
        Kalender_Free();
        Kalender_Lauf_Reset();
    }
    season_test::Spielordner ordner;
};

TEST_F(Spielstand, KalenderUndSpieleByteGleichZurueck) {
    Kalender_Termine_Verteilen(18, -1, 0, 0, 90, 3, 44, 0, 24, 29, -1, false, false);
    for (int i = 0; i < 5; ++i) Kalender_Jeden_Tag();
    i32 h = Spiele_Lock(50, 3, 0, 2);
    Spiele_Set_Teams(h, 17, 18);
    Spiele_Set_Ergebnis(h, 1, 0, 0);
    const std::string a = Spielstand_Pfad(3);
    const std::vector<u8> vorher = season_test::Block_Bytes(Kalender_Save, Spiele_Save);
    ASSERT_TRUE(Spielstand_Speichern(a.c_str(), 1)) << Spielstand_Letzter_Fehler();
    // Change everything, then load: the saved state comes back.
    for (int i = 0; i < 9; ++i) Kalender_Jeden_Tag();
    Spiele_Set_Teams(h, 30, 31);
    Spiele_Unlock(-1);
    ASSERT_TRUE(Spielstand_Laden(a.c_str())) << Spielstand_Letzter_Fehler();
    EXPECT_EQ(Kalender_Get_Tag(), 5);
    ASSERT_NE(Spiele_Get_Spiel(h, true), nullptr);  // the lock came back with the game
    EXPECT_EQ(Spiele_Get_Spiel(h, true)->team_a, 17);
    const std::vector<u8> nachher = season_test::Block_Bytes(Kalender_Save, Spiele_Save);
    EXPECT_TRUE(vorher == nachher);
    EXPECT_GT(vorher.size(), 7468u);
}

TEST_F(Spielstand, OptionenKommenMitDemSpielstandZurueck) {
    Option_Wert(19, 1, 0);  // weekly autosave off
    Option_Wert(3, 1, 1);  // a switch, 0 by default
    const std::string a = Spielstand_Pfad(4);
    ASSERT_TRUE(Spielstand_Speichern(a.c_str(), 1)) << Spielstand_Letzter_Fehler();
    const i32 gespeichert = Option_Wert(3, 0, 0);
    Optionen_Reset();
    ASSERT_TRUE(Spielstand_Laden(a.c_str())) << Spielstand_Letzter_Fehler();
    EXPECT_EQ(Option_Wert(19, 0, 0), 0);
    EXPECT_EQ(Option_Wert(3, 0, 0), gespeichert);
    // A damaged file leaves the running options alone.
    const std::string datei = W32_Pfad_Uebersetzen(a.c_str());
    std::filesystem::resize_file(datei, season_test::Datei_Lesen(datei).size() - 3);
    Option_Wert(19, 1, 1);
    EXPECT_FALSE(Spielstand_Laden(a.c_str()));
    EXPECT_EQ(Option_Wert(19, 0, 0), 1);
}

TEST_F(Spielstand, BeschaedigteDateiLaesstDasSpielWieEsWar) {
    const std::string a = Spielstand_Pfad(2);
    ASSERT_TRUE(Spielstand_Speichern(a.c_str(), 1));
    const std::string datei = W32_Pfad_Uebersetzen(a.c_str());
    std::string daten = season_test::Datei_Lesen(datei);
    std::filesystem::resize_file(datei, daten.size() / 2);
    for (int i = 0; i < 3; ++i) Kalender_Jeden_Tag();
    i32 h = Spiele_Lock(51, 0, 0, 0);
    Spiele_Set_Teams(h, 40, 41);
    EXPECT_FALSE(Spielstand_Laden(a.c_str()));
    EXPECT_EQ(Kalender_Get_Tag(), 3);
    EXPECT_EQ(Spiele_Get_Spiel(h, true)->team_b, 41);
    Spiele_Unlock(-1);
}

// A save whose checksums are right but whose values are impossible is
// refused as a whole; the running game stays as it was.
// The statistics block (season archive and career records) comes back byte
// for byte; a game saved before the block existed loads with empty
// statistics; a cut or unsorted block is refused and the running state kept.
TEST_F(Spielstand, StatistikKommtMitDemSpielstandZurueck) {
    Tabelle t{};
    t.wettbewerb = static_cast<u32>(Wettbewerb_Tabelle[0].id);
    t.zeilen = 2;
    ASSERT_TRUE(Statistik_Archiv_Speichern(t, 3));
    for (i32 s : {700, 12}) {
        Statistik_Spieler neu = Statistik_Spieler_Unveraendert(s);
        neu.tore = 2;
        neu.einsaetze = 1;
        ASSERT_TRUE(Statistik_Spieler_Setze(s, neu, true));
    }
    const std::vector<u8> vorher = season_test::Block_Bytes(Statistik_Save);
    const std::string a = Spielstand_Pfad(4);
    ASSERT_TRUE(Spielstand_Speichern(a.c_str(), 1)) << Spielstand_Letzter_Fehler();
    Statistik_Spieler_Loesche(12);
    Statistik_Archiv_Leeren();
    ASSERT_TRUE(Spielstand_Laden(a.c_str())) << Spielstand_Letzter_Fehler();
    EXPECT_TRUE(season_test::Block_Bytes(Statistik_Save) == vorher);
    Statistik_Spieler s;
    ASSERT_TRUE(Statistik_Spieler_Get(12, &s));
    EXPECT_EQ(s.tore, 2);

    auto laden = [](const std::vector<u8>& block) {
        Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(block.data(), static_cast<u32>(block.size()));
        const bool gut = Statistik_Lesen(d) && !d->fehler && Datei_Position(d) == static_cast<i32>(block.size());
        Datei_Schliessen(d);
        if (gut) Statistik_Uebernehmen();
        else Statistik_Verwerfen();
        return gut;
    };
    std::vector<u8> kaputt(vorher.begin(), vorher.end() - 1), unsortiert = vorher;
    std::swap_ranges(unsortiert.end() - 136, unsortiert.end() - 68, unsortiert.end() - 68);
    EXPECT_FALSE(laden(kaputt));
    EXPECT_FALSE(laden(unsortiert));
    EXPECT_TRUE(season_test::Block_Bytes(Statistik_Save) == vorher);
    EXPECT_TRUE(laden({}));
    i32 jahre[4];
    EXPECT_EQ(Statistik_Archiv_Jahre(Wettbewerb_Tabelle[0].id, jahre, 4), 0);
    EXPECT_FALSE(Statistik_Spieler_Get(12, &s));
}

TEST_F(Spielstand, UnmoeglicheWerteWerdenAbgewiesen) {
    struct Fall {
        const char* was;
        void (*verderben)();
    };
    static i32 handle = 0;
    const Fall faelle[] = {
        {"Laufmodus 9999", [] { Kalender_Lauf_Get().runmodus = 9999; }},
        {"Neuer-Tag-Flag 7", [] { Kalender_Lauf_Get().neuer_tag = 7; }},
        {"Ladeanfrage Slot 40", [] { Kalender_Lauf_Get().laden = 41; }},
        {"Tagesart 99999", [] { Kalender_Get_Zustand().art[10] = 99999; }},
        {"Slotzaehler -5", [] { Kalender_Get_Zustand().slot_zaehler = -5; }},
        {"Zugindex hinter der Liste", [] { Kalender_Lauf_Get().zug_index = 3; }},
        {"Spieltag ausserhalb des Plans", [] { Spiele_Get_Spiel(handle, true)->spieltag = 999; }},
        {"Tore -7", [] { Spiele_Get_Spiel(handle, true)->tore_a = -7; }},
        {"Ereignisse hinter dem Speicher",
         [] {
             Spiel* g = Spiele_Get_Spiel(handle, true);
             g->erstes_ereignis = 1u << 30;
             g->ereignis_anzahl = 3;
         }},
        {"Teamanzahl 0", [] { Option_Wert(OPTION_ANZ_TEAMS, 1, 0); }},
        {"Tag 2^31-1", [] { Kalender_Get_Zustand().aktuell.tag = 0x7FFFFFFF; }},
        {"Kalenderjahr 99999", [] { Kalender_Get_Zustand().aktuell.jahr = 99999; }},
        {"Saisonjahr -1", [] { Kalender_Get_Zustand().jahr = -1; }},
        {"Optionswort 0x7FFFFFFF", [] { Option_Wert(3, 1, 0x7FFFFFFF); }},
        {"Zugzeit ueber zehn Minuten", [] { Option_Wert(0, 1, OPTION_ZUGZEIT_MAX + 1); }},
        {"Managerteam -2", [] { Optionen_Get().manager_team[1] = -2; }},
        {"Freundschaftsspiele 5000", [] { Wettbewerb_Freundschaft_Id = 5000; }},
        {"Freundschaftsspiele 49", [] { Wettbewerb_Freundschaft_Id = 49; }},
        {"Nachricht vom Tag 2^31-1",
         [] { News_Schreiben(0, 0x7FFFFFFF, -1, 3, -1, NEWS_FRAGE, nullptr, "?", 0); }},
        {"Nachricht vom Absender -7", [] { News_Schreiben(0, 2, -7, 3, -1, NEWS_FRAGE, nullptr, "?", 0); }},
        {"Kreditangebot zu 0 %",
         [] {
             const News_Daten d{{ANFRAGE_KREDIT, 1, 3, 100, 500000, 0, 20, 0, 0, -1}};
             News_Schreiben(0, 2, 1, 3, -1, NEWS_FRAGE, &d, "?", 0);
         }},
        {"Zugliste mit Team 99999",
         [] {
             Kalender_Lauf_Get().zug_anzahl = 1;
             Kalender_Lauf_Get().zugliste[0] = 99999;
         }},
    };
    const std::string a = Spielstand_Pfad(5);
    for (const Fall& f : faelle) {
        Kalender_Lauf_Reset();
        Optionen_Reset();
        Wettbewerb_Freundschaft_Id = -1;
        News_Init();
        handle = Spiele_Lock(50, 3, 0, 2);
        ASSERT_NE(handle, 0);
        const Spiel gut = *Spiele_Get_Spiel(handle, true);
        const Kalender_Zustand zustand = Kalender_Get_Zustand();
        f.verderben();
        ASSERT_TRUE(Spielstand_Speichern(a.c_str(), 1)) << f.was;
        // The running game: sound again, one day on.
        Kalender_Lauf_Reset();
        Optionen_Reset();
        Kalender_Get_Zustand() = zustand;
        *Spiele_Get_Spiel(handle, true) = gut;
        Wettbewerb_Freundschaft_Id = -1;
        Kalender_Jeden_Tag();
        const std::vector<u8> vorher = season_test::Block_Bytes(Kalender_Save, Spiele_Save, Optionen_Save);
        EXPECT_FALSE(Spielstand_Laden(a.c_str())) << f.was;
        EXPECT_STRNE(Spielstand_Letzter_Fehler(), "") << f.was;
        EXPECT_TRUE(vorher == season_test::Block_Bytes(Kalender_Save, Spiele_Save, Optionen_Save)) << f.was;
        EXPECT_EQ(Wettbewerb_Freundschaft_Id, -1) << f.was;
        Spiele_Unlock(-1);
    }
    News_Free();
}

// The statistics block read as a load reads it: taken over when it loads,
// dropped when it is refused.
bool statistik_laden(const std::vector<u8>& block) {
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(block.data(), static_cast<u32>(block.size()));
    const bool gut = Statistik_Lesen(d) && Datei_Position(d) == static_cast<i32>(block.size());
    Datei_Schliessen(d);
    gut ? Statistik_Uebernehmen() : Statistik_Verwerfen();
    return gut;
}

// Every bounded number of a player's career record at its two edges and one
// past them, each entry of his match history (a grade with its marks, or
// none), and the season of an archived table: the edges load, the values
// past them are refused and the running statistics stay as they were.
TEST_F(Spielstand, JederBegrenzteWertDerStatistik) {
    Statistik_Spieler neu = Statistik_Spieler_Unveraendert(12);
    neu.tore = 2, neu.einsaetze = 1, neu.spiele[0] = 2 | 8;
    ASSERT_TRUE(Statistik_Spieler_Setze(12, neu, true));
    const std::vector<u8> vorher = season_test::Block_Bytes(Statistik_Save);
    const size_t satz = vorher.size() - STATISTIK_SPIELER_GROESSE;  // the one record, last in the block
    auto mit = [&](auto setzen) {
        auto r = bytes::aus_bild<Statistik_Spieler>(vorher.data() + satz);
        setzen(r);
        std::vector<u8> b = vorher;
        bytes::in_bild(b.data() + satz, r);
        return b;
    };
    auto pruefen = [&](const std::vector<u8>& b, bool gut, const std::string& was) {
        EXPECT_EQ(statistik_laden(b), gut) << was;
        if (!gut) {
            EXPECT_TRUE(season_test::Block_Bytes(Statistik_Save) == vorher) << was << ": the game is kept";
        }
        ASSERT_TRUE(statistik_laden(vorher));
    };
    for (const Feld_Grenze<Statistik_Spieler>& f : STATISTIK_SPIELER_FELDER)
        for (const Rand& r : raender(f.min, f.max, f.typ_min, f.typ_max))
            pruefen(mit([&](Statistik_Spieler& x) { f.setzen(x, r.wert); }), r.gut,
                    std::string(f.name) + " = " + std::to_string(r.wert));
    const struct {
        u8 eintrag;
        bool gut;
    } spiele[] = {{0, true}, {STATISTIK_SPIEL_BITS_MAX, true}, {STATISTIK_SPIEL_BITS_MAX + 1, false},
                  {254, false}, {255, true}};
    for (int k : {0, 15})
        for (const auto& e : spiele)
            pruefen(mit([&](Statistik_Spieler& x) { x.spiele[k] = e.eintrag; }), e.gut,
                    "spiele[" + std::to_string(k) + "] = " + std::to_string(e.eintrag));
    // An archived table of the calendar's last season, and one past it.
    Tabelle t{};
    t.wettbewerb = static_cast<u32>(Wettbewerb_Tabelle[0].id);
    t.zeilen = 2;
    for (const auto& [jahr, gut] : {std::pair{KALENDER_JAHRE_MAX, true}, {KALENDER_JAHRE_MAX + 1, false}}) {
        Statistik_Archiv_Leeren();
        ASSERT_TRUE(Statistik_Archiv_Speichern(t, jahr));
        const std::vector<u8> b = season_test::Block_Bytes(Statistik_Save);
        ASSERT_TRUE(statistik_laden(vorher));
        pruefen(b, gut, "archived season " + std::to_string(jahr));
    }
}

// The competitions' block read as a load reads it: taken over when it
// loads, dropped when it is refused.
bool wettbewerbe_laden(const std::vector<u8>& b) {
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
    const bool gut = Wettbewerb_Lesen(d) && Wettbewerb_Pruefen();
    Datei_Schliessen(d);
    gut ? Wettbewerb_Uebernehmen() : Wettbewerb_Verwerfen();
    return gut;
}

// Every bounded number of a competition in use, and its team lists, at the
// two edges and one past them: the edges load, the values past them are
// refused and the running table stays as it was, byte for byte; in a whole
// save game with the German message.
TEST_F(Spielstand, JederBegrenzteWertEinesWettbewerbs) {
    Wettbewerb& w = Wettbewerb_Tabelle[1];
    ASSERT_STREQ(w.name, "Pokal");
    w.kalendermarke = -1;  // no days: the matchday counters meet no calendar check
    const Wettbewerb gut = w;
    const std::vector<Wettbewerb> vorher(Wettbewerb_Tabelle, Wettbewerb_Tabelle + WETTBEWERB_ANZAHL);
    // The table's rows, then the team lists (-1 none, else a team of the world).
    using Liste = i16(Wettbewerb::*)[WETTBEWERB_MAX_TEAMS];
    constexpr Liste LISTEN[] = {&Wettbewerb::aktuelle_team, &Wettbewerb::start_team, &Wettbewerb::teilnehmer};
    struct Fall {
        const char* name;
        Rand r;
        const Feld_Grenze<Wettbewerb>* feld;  // null: a team list
        Liste liste;
    };
    std::vector<Fall> faelle;
    for (const Feld_Grenze<Wettbewerb>& f : WETTBEWERB_FELDER)
        for (const Rand& r : raender(f.min, f.max, f.typ_min, f.typ_max)) faelle.push_back({f.name, r, &f, nullptr});
    for (Liste l : LISTEN)
        for (const Rand& r : raender(-1, MAX_TEAMS - 1, -32768, 32767)) faelle.push_back({"Teamliste", r, nullptr, l});
    int geladen = 0;
    for (const Fall& f : faelle) {
        if (f.feld) f.feld->setzen(w, f.r.wert);
        else (w.*f.liste)[5] = static_cast<i16>(f.r.wert);
        const std::vector<u8> mit_wert = season_test::Block_Bytes(Wettbewerb_Save);
        w = gut;
        EXPECT_EQ(wettbewerbe_laden(mit_wert), f.r.gut) << f.name << " = " << f.r.wert;
        if (f.r.gut) {
            ++geladen;
        } else {
            EXPECT_EQ(std::memcmp(vorher.data(), Wettbewerb_Tabelle, sizeof(Wettbewerb) * WETTBEWERB_ANZAHL), 0)
                << f.name << " = " << f.r.wert << ": the game is kept";
        }
        w = gut;
    }
    EXPECT_EQ(geladen, 2 * static_cast<int>(std::size(WETTBEWERB_FELDER) + std::size(LISTEN)));
    // A whole save game: refused with its message, the running game kept.
    w.teams = WETTBEWERB_MAX_TEAMS + 1;
    const std::string a = Spielstand_Pfad(6);
    ASSERT_TRUE(Spielstand_Speichern(a.c_str(), 1));
    w = gut;
    const std::vector<u8> spiel = season_test::Block_Bytes(Wettbewerb_Save, Kalender_Save, Spiele_Save);
    EXPECT_FALSE(Spielstand_Laden(a.c_str()));
    EXPECT_STRNE(Spielstand_Letzter_Fehler(), "");
    EXPECT_TRUE(spiel == season_test::Block_Bytes(Wettbewerb_Save, Kalender_Save, Spiele_Save));
}

TEST_F(Spielstand, WoechentlicherAutosaveInSlotNeun) {
    const std::string neun_spiel = Spielstand_Pfad(9);
    const std::string neun = W32_Pfad_Uebersetzen(neun_spiel.c_str());
    while (Kalender_Get_Tag() < 6) Kalender_Jeden_Tag();
    EXPECT_FALSE(std::filesystem::exists(neun));
    Kalender_Jeden_Tag();  // from day 6 to day 7: the save holds day 6
    EXPECT_TRUE(Spielstand_Hintergrund_Pruefen(true));  // written away from the day's frame
    ASSERT_TRUE(std::filesystem::exists(neun));
    while (Kalender_Get_Tag() < 10) Kalender_Jeden_Tag();
    ASSERT_TRUE(Spielstand_Laden(neun_spiel.c_str()));
    EXPECT_EQ(Kalender_Get_Tag(), 6);
}

}  // namespace

// The news block read as a load reads it: taken over when it loads, dropped
// when it is refused.
bool news_laden(const std::vector<u8>& b) {
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
    const bool gut = News_Lesen(d);
    Datei_Schliessen(d);
    gut ? News_Uebernehmen() : News_Verwerfen();
    return gut;
}

// Every data word of every kind of news item (an ordinary message, a binary
// announcement, a day notice, a credit offer, an offer of the random events,
// a player swap) at its two edges and one past them, the other words at
// their lowest: the edges load, the values past them are refused and the
// running inbox stays as it was, byte for byte.
TEST_F(Spielstand, JedesBegrenzteDatenwortDerNachrichten) {
    const std::pair<const Feld_Grenze<News_Daten>*, u32> arten[] = {
        {NEWS_DATEN_TEXT, NEWS_NACHRICHT},
        {NEWS_DATEN_BINAER, NEWS_BINAER | NEWS_ANKUENDIGUNG},
        {NEWS_DATEN_TAGESNOTIZ, NEWS_NACHRICHT | NEWS_TAGESNOTIZ},
        {NEWS_DATEN_KREDIT, NEWS_FRAGE | NEWS_NACHRICHT | 0x1000},
        {NEWS_DATEN_EREIGNIS, NEWS_FRAGE},
        {NEWS_DATEN_VERTRAG, NEWS_ANTWORT},
    };
    ASSERT_EQ(std::size(arten), std::size(NEWS_DATEN_ARTEN));
    News_Init();
    const std::vector<u8> optionen = season_test::Block_Bytes(News_Save);  // an empty store adds nothing
    // A block of one item with these words and flags (a binary item's text
    // as long as its word 0 says).
    auto block = [&](const News_Daten& d, u32 flags) {
        std::vector<u8> b = optionen;
        bytes::Schreiber s{b};
        const std::string text((flags & NEWS_BINAER) ? static_cast<size_t>(std::clamp(d.w[0] - 1, 0, 70000)) : 1, 'x');
        s(u8{1}), s(u32{2}), s(u32{1});
        s(u32{1}), s(i32{4}), s(i32{3}), s(d.w), s(static_cast<u32>(text.size()));
        s.bytes(text.data(), text.size());
        s(u8{0}), s(i32{3}), s(flags | NEWS_GESPEICHERT), s(i32{-1});
        return b;
    };
    auto tiefst = [](const Feld_Grenze<News_Daten>* felder) {
        News_Daten d;
        for (int i = 0; i < 10; ++i) felder[i].setzen(d, felder[i].min);
        return d;
    };
    // The running inbox: a credit offer.
    const std::vector<u8> spiel = block(tiefst(NEWS_DATEN_KREDIT), NEWS_FRAGE | NEWS_NACHRICHT | 0x1000);
    ASSERT_TRUE(news_laden(spiel));
    ASSERT_TRUE(season_test::Block_Bytes(News_Save) == spiel);
    int geladen = 0, faelle = 0;
    for (const auto& [felder, flags] : arten) {
        const News_Daten unten = tiefst(felder);
        for (int i = 0; i < 10; ++i) {
            const Feld_Grenze<News_Daten>& f = felder[i];
            for (const Rand& r : raender(f.min, f.max, f.typ_min, f.typ_max)) {
                News_Daten d = unten;
                f.setzen(d, r.wert);
                // A request kind's word 0 one past may name another kind
                // (11 + 1 = 12): that kind's own rows walk its words.
                if (&News_Daten_Art_Von(flags, d) != &News_Daten_Art_Von(flags, unten)) continue;
                const std::string was = std::string(News_Daten_Art_Von(flags, d).name) + " " + f.name + " = " +
                                        std::to_string(r.wert);
                ++faelle;
                EXPECT_EQ(news_laden(block(d, flags)), r.gut) << was;
                if (r.gut) ++geladen;
                else EXPECT_TRUE(season_test::Block_Bytes(News_Save) == spiel) << was << ": the game is kept";
                ASSERT_TRUE(news_laden(spiel));
            }
        }
    }
    EXPECT_EQ(geladen, 2 * 10 * static_cast<int>(std::size(arten)));
    EXPECT_GT(faelle, 3 * geladen / 2);
    // An unknown request kind is refused too.
    News_Daten d;
    d.w[0] = ANFRAGE_UNBEFRISTET;
    EXPECT_FALSE(news_laden(block(d, NEWS_FRAGE)));
    EXPECT_TRUE(season_test::Block_Bytes(News_Save) == spiel);
    News_Free();
}
