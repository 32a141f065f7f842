// The news store: eviction of the oldest item, recipients and their flags,
// the inbox pass, save block 16 (round trip, the empty store adds nothing,
// damaged blocks refused with the running store kept) and the server rows.
#include <gtest/gtest.h>

#include <cstring>

#include "base/datei.h"
#include "base/globals.h"
#include "base/tools.h"
#include "season/kalender.h"
#include "season/kalender_lauf.h"
#include "season/news.h"
#include "season/optionen.h"
#include "season/optionen_block.h"
#include "season_test_hilfen.h"
#include "world/manager.h"
#include "world/welt.h"

namespace {

class News : public ::testing::Test {
  protected:
    void SetUp() override {
        Welt_Freigeben();
        ASSERT_TRUE(Welt_Anlegen(10, 0));
        for (int t : {1, 2, 3}) ASSERT_TRUE(Manager_Neuer_Mitspieler(t, "Test", 0));
        Optionen_Reset();
        News_Init();
        News_Set_Hooks({});
    }
    void TearDown() override {
        News_Free();
        Welt_Freigeben();
    }
};

std::vector<u8> block() { return season_test::Block_Bytes(News_Save); }

bool laden(const std::vector<u8>& b) {
    Datei_Status* d = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
    const bool gut = News_Lesen(d);
    Datei_Schliessen(d);
    if (gut) News_Uebernehmen();
    else News_Verwerfen();
    return gut;
}

TEST_F(News, DasAeltesteWeichtUndEmpfaengerVerschwinden) {
    for (int i = 0; i < NEWS_MAX + 1; ++i) ASSERT_NE(News_Neu(0, 1, -1, NEWS_NACHRICHT, nullptr, "Nr. %d", i), 0u);
    ASSERT_EQ(News_Anzahl(), NEWS_MAX);
    EXPECT_EQ(News_Get_Id(0), 2u);
    EXPECT_EQ(News_Get_Text(NEWS_MAX - 1), "Nr. 1500");
    EXPECT_EQ(News_Suche_Id(1), -1);

    News_Init();
    // To a team without a manager nothing is stored; to all: every manager but the sender.
    EXPECT_EQ(News_Neu_Text(0, 5, -1, NEWS_NACHRICHT, nullptr, "niemand"), 0u);
    const u32 id = News_Neu_Text(1, -1, -1, NEWS_NACHRICHT, nullptr, "an alle");
    const i32 i = News_Suche_Id(id);
    EXPECT_EQ(News_Get_Flags(i, 1), -1);
    EXPECT_EQ(static_cast<u32>(News_Get_Flags(i, 2)), NEWS_NACHRICHT | NEWS_KATEGORIE_SONST | NEWS_GESPEICHERT);
    EXPECT_EQ(News_Erste(3, static_cast<i32>(NEWS_NACHRICHT)), i);
    EXPECT_EQ(News_Naechste(), -1);
    // Clearing the last bits of team 2 removes it; of team 3 the whole item.
    EXPECT_TRUE(News_Set(i, 2, NEWS_NACHRICHT | NEWS_KATEGORIE_SONST, NEWS_BITS_LOESCHEN));
    EXPECT_EQ(News_Get_Flags(i, 2), -1);
    EXPECT_TRUE(News_Set(i, 3, 0, NEWS_SETZEN));
    EXPECT_EQ(News_Anzahl(), 0);
    EXPECT_EQ(News_Erste(-1, -1), -1);
}

TEST_F(News, EingangZeigtFragenUndNachrichtenEinzeln) {
    static std::vector<std::string> gezeigt;
    static i32 frage = -1;
    gezeigt.clear();
    News_Set_Hooks({.icon_707_status = [] { return 0; },
                    .meldung = [](int, const char* t) { gezeigt.emplace_back(t); },
                    .requester =
                        [](int, i32 index, const char* t, i32) {
                            gezeigt.emplace_back(t);
                            frage = index;
                        }});
    News_Daten d;
    d.w[0] = 11;
    News_Schreiben(0, -5, 2, 1, -1, NEWS_TAGESNOTIZ | NEWS_NACHRICHT, nullptr, "alte Notiz");
    News_Neu_Text(2, 1, -1, NEWS_NACHRICHT, nullptr, "Hallo");
    News_Neu_Text(2, 1, -1, NEWS_FRAGE, &d, "Kredit?");
    EXPECT_TRUE(News_Pruefen(1));
    EXPECT_TRUE(News_Pruefen(1));
    EXPECT_FALSE(News_Pruefen(1));  // the open question is not shown twice
    ASSERT_EQ(gezeigt, (std::vector<std::string>{"Hallo", "Kredit?"}));
    Team_Aktiv = 1;
    News_Antwort_Ja(1, frage);
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_EQ(News_Get_Daten(0).w[9], 1);
    EXPECT_EQ(News_Get_Absender(0), 1);
    EXPECT_NE(News_Get_Flags(0, 2) & static_cast<i32>(NEWS_ANTWORT), 0);
}

// A client's news pass lets the competition pages take the server's state
// (its matches may have moved a competition on); elsewhere nothing is asked.
TEST_F(News, DerNewsgangDesClientsFrischtDieWettbewerbsseitenAuf) {
    static int aufgefrischt = 0;
    aufgefrischt = 0;
    News_Set_Hooks({.wettbewerb_auffrischen = [] { ++aufgefrischt; }});
    struct Fall {
        u32 modus;
        int erwartet;
    } faelle[] = {{INTERNET_MODUS_EINZEL, 0}, {INTERNET_MODUS_SERVER, 0}, {INTERNET_MODUS_CLIENT, 1}};
    for (const Fall& f : faelle) {
        aufgefrischt = 0;
        Internet_Modus = f.modus;
        News_Pruefen(1);
        Internet_Modus = INTERNET_MODUS_EINZEL;
        EXPECT_EQ(aufgefrischt, f.erwartet) << "Modus " << f.modus;
    }
}

TEST_F(News, SpeicherblockHinZurueckUndLeer) {
    // An empty store writes the option block alone, and that block loads
    // as an empty store.
    const std::vector<u8> leer = block();
    ASSERT_EQ(leer.size(), OPTIONEN_GROESSE);
    News_Neu_Text(0, 1, 2, NEWS_NACHRICHT | 0x10, nullptr, "Eins");
    News_Daten d;
    d.w[0] = 4;
    News_Neu_Text(0, 2, -1, NEWS_BINAER, &d, "a\0b");
    const std::vector<u8> voll = block();
    News_Init();
    ASSERT_TRUE(laden(voll));
    EXPECT_EQ(block(), voll);
    EXPECT_EQ(News_Get_Text(1), std::string("a\0b", 3));
    EXPECT_EQ(News_Neu_Text(0, 1, -1, 4, nullptr, "drei"), 3u);  // ids go on
    ASSERT_TRUE(laden(leer));
    EXPECT_EQ(News_Anzahl(), 0);
    EXPECT_EQ(block(), leer);
}

TEST_F(News, BeschaedigterBlockWirdAbgewiesen) {
    News_Neu_Text(0, 1, -1, NEWS_NACHRICHT, nullptr, "Eins");
    const std::vector<u8> gut = block();
    const size_t k = OPTIONEN_GROESSE;  // the store begins here: u8 1, u32 next id, u32 count
    const size_t item = k + 9;          // u32 id, i32 day, i32 sender, 40 data, u32 length, text, recipients
    struct Fall {
        const char* was;
        size_t pos;
        u32 wert;  // little-endian u32 written at pos (u8 when byte)
        bool byte;
    };
    const Fall faelle[] = {
        {"Kennbyte 2", k, 2, true},
        {"Anzahl 1501", k + 5, 1501, false},
        {"Id 0", item, 0, false},
        {"Id nach der naechsten", item, 7, false},
        {"Textlaenge ueber den Block", item + 52, 100000, false},
        {"Text ohne NUL", item + 56 + 4, 'x', true},
        {"Empfaenger 5000", item + 61, 5000, false},
        {"Empfaenger ohne Bits", item + 65, 0x40000000, false},
    };
    for (const Fall& f : faelle) {
        std::vector<u8> b = gut;
        if (f.byte) b[f.pos] = static_cast<u8>(f.wert);
        else put_u32le(b.data() + f.pos, f.wert);
        News_Init();
        News_Neu_Text(0, 2, -1, NEWS_NACHRICHT, nullptr, "laufend");
        const std::vector<u8> vorher = block();
        EXPECT_FALSE(laden(b)) << f.was;
        EXPECT_EQ(block(), vorher) << f.was;
    }
    std::vector<u8> b = gut;
    b.push_back(0);
    EXPECT_FALSE(laden(b)) << "ein Byte zu viel";
    b.resize(gut.size() - 1);
    EXPECT_FALSE(laden(b)) << "ein Byte zu wenig";
}

// Rows 1012 and 1013 are tested between processes (tests/net/test_welt.cpp).
TEST_F(News, Zeile1014NurFuerDasFragendeTeam) {
    const u32 a = News_Neu_Text(0, 1, -1, NEWS_NACHRICHT, nullptr, "abc");
    EXPECT_FALSE(News_Internet_Server_1014(2, a, 1, 0, NEWS_SETZEN));  // another team's flags
    EXPECT_TRUE(News_Internet_Server_1014(1, a, -1, 0, NEWS_SETZEN));
    EXPECT_EQ(News_Suche_Id(a), -1);
}

// A client changes its marks, never an item's kind: a credit offer made a
// day notice or a binary item would hold words no save game of it loads.
TEST_F(News, Zeile1014AendertDieArtNicht) {
    const News_Daten d{{ANFRAGE_KREDIT, 2, 1, 100, 500000, 8, 20, 0, 0, -1}};
    const u32 a = News_Neu_Text(2, 1, -1, NEWS_FRAGE | NEWS_NACHRICHT, &d, "Kredit?");
    const i32 i = News_Suche_Id(a);
    ASSERT_GE(i, 0);
    const u32 vorher = static_cast<u32>(News_Get_Flags(i, 1));
    const struct {
        u32 wert;
        i32 modus;
    } verboten[] = {{NEWS_TAGESNOTIZ, NEWS_BITS_SETZEN}, {NEWS_BINAER, NEWS_XOR},
                    {vorher | NEWS_TAGESNOTIZ, NEWS_SETZEN}, {NEWS_BINAER | NEWS_NACHRICHT, NEWS_SETZEN}};
    for (const auto& v : verboten) {
        EXPECT_FALSE(News_Internet_Server_1014(1, a, 1, v.wert, v.modus)) << v.wert;
        EXPECT_EQ(static_cast<u32>(News_Get_Flags(i, 1)), vorher) << v.wert;
    }
    EXPECT_TRUE(News_Internet_Server_1014(1, a, 1, NEWS_GEZEIGT_2, NEWS_BITS_SETZEN));  // marked shown
    EXPECT_EQ(static_cast<u32>(News_Get_Flags(i, 1)), vorher | NEWS_GEZEIGT_2);
    EXPECT_TRUE(News_Internet_Server_1014(1, a, 1, 0, NEWS_SETZEN));  // deleted
    EXPECT_EQ(News_Suche_Id(a), -1);
}

TEST_F(News, ZugendeImNetzspielAnDieAnderen) {
    Team_Aktiv = 1;
    EXPECT_EQ(News_Sende_Team_Text("hat seinen Zug beendet."), 0u);  // single play: nobody to tell
    Internet_Modus = INTERNET_MODUS_SERVER;
    const i32 i = News_Suche_Id(News_Sende_Team_Text("hat seinen Zug beendet."));
    Internet_Modus = INTERNET_MODUS_EINZEL;
    ASSERT_GE(i, 0);
    EXPECT_EQ(News_Get_Text(i), "Test (" + std::string(Team_String(721, 1, nullptr, 0)) + ") hat seinen Zug beendet.");
    EXPECT_EQ(News_Get_Flags(i, 1), -1);
    EXPECT_NE(News_Get_Flags(i, 2) & static_cast<i32>(NEWS_TAGESNOTIZ), 0);
    EXPECT_NE(News_Get_Flags(i, 3), -1);
    EXPECT_EQ(News_Get_Daten(i).w[1], 1);
}

// While the day waits for the other machines a manager's turn is handed
// back to him as often as he ends it: the others hear of it once a day.
TEST_F(News, ZugendeEinmalAmTag) {
    Internet_Modus = INTERNET_MODUS_SERVER;
    Team_Aktiv = 1;
    EXPECT_NE(News_Sende_Team_Text("hat seinen Zug beendet."), 0u);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(News_Sende_Team_Text("hat seinen Zug beendet."), 0u);
    Team_Aktiv = 2;  // another manager's end is news
    EXPECT_NE(News_Sende_Team_Text("hat seinen Zug beendet."), 0u);
    EXPECT_EQ(News_Anzahl(), 2);
    Kalender_Get_Zustand().aktuell.tag += 1;  // the next day
    Team_Aktiv = 1;
    EXPECT_NE(News_Sende_Team_Text("hat seinen Zug beendet."), 0u);
    Kalender_Get_Zustand().aktuell.tag -= 1;
    Internet_Modus = INTERNET_MODUS_EINZEL;
}

}  // namespace

namespace {

u32 uhr_ms = 0;
u32 uhr() { return uhr_ms; }

// Another manager's end of his turn reaches a manager who keeps him waiting:
// it waits while the turn goes on (the items behind it are shown meanwhile),
// is shown once it has stood its time, and is never shown when the turn
// ends in time (the next day drops it).
TEST_F(News, ZugendeErstWennDerAndereWartet) {
    static std::vector<std::string> gezeigt;
    static int icon = 0;
    News_Set_Hooks({.icon_707_status = [] { return icon; },
                    .meldung = [](int, const char* t) { gezeigt.emplace_back(t); }});
    Uhr_Set_Hooks({.jetzt = uhr});
    struct Fall {
        const char* name;
        u32 nach_ms;        // clock after the notice came
        bool neuer_tag;     // the receiving manager's day moved on meanwhile
        int icon;           // the end-of-turn button's state, -1 none on screen (a match shown)
        bool zuege_vorbei;  // this machine's turns are over, it waits for the day
        std::vector<std::string> erwartet;
    } faelle[] = {
        {"at once: the message behind it only", 0, false, 0, false, {"Hallo"}},
        {"just before its time", NEWS_NOTIZ_FRIST_MS - 1, false, 0, false, {"Hallo"}},
        {"its time has come: in its order", NEWS_NOTIZ_FRIST_MS, false, 0, false, {"Notiz", "Hallo"}},
        {"the turn ended in time", NEWS_NOTIZ_FRIST_MS, true, 0, false, {"Hallo"}},
        {"turns over, the own match shown", NEWS_NOTIZ_FRIST_MS, false, -1, true, {"Hallo"}},
        {"turns over, back in the menu", NEWS_NOTIZ_FRIST_MS, false, 0, true, {"Hallo"}},
    };
    for (const Fall& f : faelle) {
        News_Init();
        gezeigt.clear();
        uhr_ms = 1000;
        Team_Aktiv = 1;
        icon = f.icon;
        Internet_Modus = INTERNET_MODUS_SERVER;
        News_Neu_Text(2, 1, -1, NEWS_TAGESNOTIZ | NEWS_NACHRICHT, nullptr, "Notiz");
        News_Neu_Text(3, 1, -1, NEWS_NACHRICHT, nullptr, "Hallo");
        uhr_ms += f.nach_ms;
        if (f.neuer_tag) Kalender_Get_Zustand().aktuell.tag += 1;
        const u8 vorher = Kalender_Lauf_Get().neuer_tag;
        if (f.zuege_vorbei) Kalender_Lauf_Get().neuer_tag = 1;
        for (int k = 0; k < 4; ++k) News_Pruefen(1);
        Kalender_Lauf_Get().neuer_tag = vorher;
        if (f.neuer_tag) Kalender_Get_Zustand().aktuell.tag -= 1;
        Internet_Modus = INTERNET_MODUS_EINZEL;
        EXPECT_EQ(gezeigt, f.erwartet) << f.name;
    }
    Uhr_Set_Hooks({});
}

}  // namespace
