// The clock in the live view's header, read from the draw trace frame by
// frame through whole matches: it follows the match, stands at the minute
// in which a half's stoppage time began until the next half starts, and never
// goes back: not when a half begins again at its end minute, not when a
// client's record is fetched anew a minute or two behind, not in a replay,
// which the control bar's replay button marks while it runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gui/hauptmenue.h"
#include "gui/menue.h"
#include "gui/spielfeld_uebersicht.h"
#include "kit.h"
#include "match/match_test.h"
#include "screens/live_view/spielansicht.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_werte.h"

namespace {

class LiveUhr : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kit::Starten(1));
        Partie_Spiele_Leeren();
        alte_hooks = Spielfeld_Get_Hooks();
        Spielfeld_Set_Hooks(Partie_Hooks());
        liga = Liga_Vereine(groesste_erste_liga());
        ASSERT_GE(liga.size(), 8u);
        st.periode_ms = 45;
    }
    void TearDown() override {
        Spielfeld_Replay_Stop(0);
        Spielfeld_Anzeigeliste_Leeren();
        Spielansicht_Free();
        Spielfeld_Loeschen(7);
        Spielfeld_Set_Hooks(alte_hooks);
        kit::Beenden();
    }
    // A match of the pair's clubs in a competition (7: none the world knows).
    Spielfeld_Daten* anpfiff(u32 spiel, u32 paar, i32 cursor, int slot = 0, int anzahl = 1, u32 wettbewerb = 7) {
        Partie_Spiel_Anmelden(spiel, liga[2 * paar], liga[2 * paar + 1], wettbewerb);
        if (!Spielfeld_Neu(spiel, 0, 0, 18250, liga[2 * paar], 1)) return nullptr;
        Spielfeld_Daten* sf = Spielfeld_Zeiger(spiel);
        if (sf) Spielfeld_Set_Zufall(sf, cursor);
        liste[slot] = sf;
        if (slot + 1 == anzahl) Spielansicht_Run(liste, anzahl, &st, 0);  // the view starts
        return sf;
    }
    // One frame of the views: the minute each header reads ("<n>. Min."), in
    // the order of the views; empty unless every view shows one.
    std::vector<int> Uhren(int anzahl) {
        kit::Spur_Leeren();
        Spielansicht_Run(liste, anzahl, &st, 0);
        std::vector<int> r;
        for (const Zeichenspur_Eintrag* t : kit::Texte(". Min.")) r.push_back(std::atoi(t->sichtbar.c_str()));
        if (static_cast<int>(r.size()) != anzahl) r.clear();
        return r;
    }
    int Uhr() {
        const std::vector<int> r = Uhren(1);
        return r.empty() ? -1 : r[0];
    }
    // The next half as the runner starts it: at the last half's end minute.
    static void naechste_halbzeit(Spielfeld_Daten* sf, const Partie_Optionen& o, int h) {
        sf->minute = static_cast<i16>(Partie_Halbzeit_Ende(o, h - 1));
        sf->minuten_teil = 0;
        sf->minuten_korrektur = 0;
        Spielfeld_Halbzeit_Start(sf->spiel);
    }

    std::vector<u32> liga;
    Spielfeld_Daten* liste[SA_VIEWS] = {};
    Spielfeld_Steuerung st{};
    Spielfeld_Hooks alte_hooks;
};

// The clock of each frame beside the match it shows; the first frame that
// reads an earlier minute and the first that reads another than expected
// are reported with the pitch's minute and half.
struct Pruefer {
    int vorher = 0, zurueck = 0, anders = 0;
    std::string erster_zurueck, erster_anders;
    void frame(int uhr, const Spielfeld_Daten& sf, int ende) {
        const int erwartet = sf.halbzeit_status == 0 ? sf.minute + 1 : ende;
        const std::string wo = "reads " + std::to_string(uhr) + " after " + std::to_string(vorher) + ", pitch minute " +
                               std::to_string(sf.minute) + " of half " + std::to_string(sf.halbzeit) + " (state " +
                               std::to_string(sf.halbzeit_status) + "), expected " + std::to_string(erwartet);
        if (uhr < vorher && zurueck++ == 0) erster_zurueck = wo;
        if (uhr != erwartet && anders++ == 0) erster_anders = wo;
        vorher = uhr;
    }
};

// Four whole matches in four quarter views, every frame drawn: the regular
// halves and, in two of them, extra time. Each clock reads the minute being
// played, in stoppage time and the break after it the half's end, and never
// less than before.
TEST_F(LiveUhr, WholeMatchesNeverReadAnEarlierMinute) {
    // The league's halves end at 45 and 90 and it has no extra time; the
    // clocks of matches of an unknown competition stand where they first
    // saw stoppage time (the headless driver begins it in a half's last
    // minute: at its end minute as well).
    const u32 l = static_cast<u32>(Wettbewerb_Get_Liga_Von_Team(static_cast<i32>(liga[0]), true));
    ASSERT_EQ(Wettbewerb_Get_Halbzeit_Ende(static_cast<i32>(l), 0x7fff, 1), 90);
    const struct Fall {
        i32 cursor;
        int halbzeiten;  // extra time after the regular halves or not
        u32 wettbewerb;
    } faelle[SA_VIEWS] = {{4711, 2, l}, {1234, 2, 7}, {99001, 4, l}, {31337, 4, 7}};
    const Partie_Optionen o;
    struct Lauf {
        Spielfeld_Daten* sf = nullptr;
        int ende = 0;
        bool laeuft = false;
        Pruefer p;
    } lauf[SA_VIEWS];
    for (int i = 0; i < SA_VIEWS; ++i) {
        lauf[i].sf = anpfiff(9200 + static_cast<u32>(i), static_cast<u32>(i), faelle[i].cursor, i, SA_VIEWS,
                             faelle[i].wettbewerb);
        ASSERT_NE(lauf[i].sf, nullptr);
    }
    int frames = 0, nachgespielt = 0;  // halves played on past their end minute
    auto frame = [&] {
        const std::vector<int> uhren = Uhren(SA_VIEWS);
        ASSERT_EQ(uhren.size(), static_cast<size_t>(SA_VIEWS)) << "frame " << frames;
        for (int i = 0; i < SA_VIEWS; ++i) lauf[i].p.frame(uhren[i], *lauf[i].sf, lauf[i].ende);
    };
    for (int h = 1; h <= 4; ++h) {
        bool einer = false;
        for (int i = 0; i < SA_VIEWS; ++i)
            if (h <= faelle[i].halbzeiten) {
                if (h > 1) naechste_halbzeit(lauf[i].sf, o, h);
                lauf[i].ende = Partie_Halbzeit_Ende(o, h);
                lauf[i].laeuft = einer = true;
            }
        while (einer && ++frames < 60000) {
            einer = false;
            for (Lauf& l : lauf) {
                if (!l.laeuft) continue;
                l.laeuft = Partie_Schritt(l.sf, l.ende);
                if (!l.laeuft) nachgespielt += l.sf->minute > l.ende;
                einer |= l.laeuft;
            }
            frame();
            if (HasFatalFailure()) return;
        }
        // The break: the clocks stand.
        for (int i = 0; i < 3; ++i) frame();
    }
    for (int i = 0; i < SA_VIEWS; ++i) {
        SCOPED_TRACE("match " + std::to_string(i));
        EXPECT_EQ(lauf[i].p.zurueck, 0) << lauf[i].p.erster_zurueck;
        EXPECT_EQ(lauf[i].p.anders, 0) << lauf[i].p.erster_anders;
        EXPECT_EQ(lauf[i].p.vorher, faelle[i].halbzeiten == 4 ? 120 : 90);
    }
    EXPECT_GE(nachgespielt, 3) << "halves played on past their end minute";
}

// One run of record states read by both clocks a player sees, the live
// view's header and the pitch overview drawn when the live view is off: for a
// match of a known competition, whose halves end at 45 and 90, and for one
// whose competition is unknown, where stoppage time stands at the minute in
// which the clock first saw it.
TEST_F(LiveUhr, BothClocksReadARunOfRecordStates) {
    const auto sf = std::make_unique<Spielfeld_Daten>();
    sf->team[0] = liga[0], sf->team[1] = liga[1];
    sf->kamera[0] = 5400, sf->kamera[1] = 3403;
    liste[0] = sf.get();
    Spielansicht_Run(liste, 1, &st, 0);  // the view starts
    const u32 BEKANNT = static_cast<u32>(Wettbewerb_Get_Liga_Von_Team(static_cast<i32>(liga[0]), true));
    constexpr u32 UNBEKANNT = 0xFFFFFF;
    ASSERT_EQ(Wettbewerb_Get_Halbzeit_Ende(BEKANNT, 0x7fff, 0), 45);
    ASSERT_EQ(Wettbewerb_Get_Halbzeit_Ende(BEKANNT, 0x7fff, 1), 90);
    ASSERT_EQ(Wettbewerb_Get_Halbzeit_Ende(UNBEKANNT, 0x7fff, 0), -1);
    const struct Schritt {
        u32 spiel;
        u8 halbzeit, zustand;  // half, half state (0 playing, 1 stoppage time, 2 over)
        i16 minute;
        int liest, ohne;  // the clock with the competition known, unknown
        const char* was;
    } schritte[] = {
        {1, 1, 0, 0, 1, 1, "kick-off"},
        {1, 1, 0, 44, 45, 45, "the first half's last minute"},
        {1, 1, 1, 45, 45, 46, "its stoppage time, begun at the end minute"},
        {1, 1, 1, 47, 45, 46, "two minutes on"},
        {1, 1, 2, 48, 45, 46, "half-time"},
        {1, 2, 0, 45, 46, 46, "the second half from the first half's end minute"},
        {1, 2, 0, 60, 61, 61, "the second half"},
        {1, 2, 0, 58, 61, 61, "a record fetched anew two minutes behind"},
        {1, 2, 0, 60, 61, 61, "still behind"},
        {1, 2, 0, 61, 62, 62, "caught up"},
        {1, 2, 1, 89, 90, 90, "stoppage time begun in the last minute"},
        {1, 2, 1, 92, 90, 90, "three minutes on"},
        {1, 2, 2, 94, 90, 90, "the whistle"},
        {1, 3, 0, 90, 91, 91, "extra time"},
        {2, 1, 0, 10, 11, 11, "another game in the same record"},
    };
    for (const u32 wettbewerb : {BEKANNT, UNBEKANNT}) {
        SCOPED_TRACE("competition " + std::to_string(wettbewerb));
        sf->wettbewerb = wettbewerb;
        for (const Schritt& s : schritte) {
            SCOPED_TRACE(s.was);
            const int soll = wettbewerb == BEKANNT ? s.liest : s.ohne;
            sf->spiel = s.spiel + 10 * (wettbewerb == UNBEKANNT);
            sf->halbzeit = s.halbzeit, sf->halbzeit_status = s.zustand, sf->minute = s.minute;
            EXPECT_EQ(Uhr(), soll) << "live view";
            kit::Spur_Leeren();
            ASSERT_TRUE(Spieltag_Blit_Spielfeld(*sf, Screen_Rastport, -100, -100));
            const Zeichenspur_Eintrag* t = kit::Text(".Minute");
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(std::atoi(t->sichtbar.c_str()), soll) << "overview: " << t->sichtbar;
        }
    }
}

// A client's record fetched anew may lie behind the minute the view read; the
// clock stands until the match has caught up and then follows it again.
TEST_F(LiveUhr, ARecordFetchedAnewBehindTheClockDoesNotTurnItBack) {
    Spielfeld_Daten* sf = anpfiff(9300, 0, 4242);
    ASSERT_NE(sf, nullptr);
    bis_minute(sf, 60, 45);
    naechste_halbzeit(sf, Partie_Optionen{}, 2);
    bis_minute(sf, 60, 90);
    ASSERT_EQ(Uhr(), 61);
    const auto server = std::make_unique<Spielfeld_Daten>(*sf);
    bis_minute(sf, 62, 90);
    ASSERT_EQ(Uhr(), 63);
    *sf = *server;  // as the client lays the server's image over its copy
    const struct {
        int minute, liest;
    } schritte[] = {{60, 63}, {61, 63}, {62, 63}, {63, 64}, {64, 65}};
    for (const auto& s : schritte) {
        bis_minute(sf, s.minute, 90);
        EXPECT_EQ(Uhr(), s.liest) << "pitch minute " << s.minute;
    }
}

// A replay started from the control bar: its button shows it running, the
// header goes on reading the match's minute (the match waits), and when the
// replay is over the button is up again and the clock goes on.
TEST_F(LiveUhr, AReplayIsMarkedAndLeavesTheClockAlone) {
    Spielfeld_Daten* sf = anpfiff(9400, 1, 777);
    ASSERT_NE(sf, nullptr);
    bis_minute(sf, 30, 45);
    Spielfeld_Anzeigeliste_Leeren();
    ASSERT_TRUE(Spielfeld_Anzeige_Hinzufuegen(sf, 1));
    sf->anzeige = 1;
    // Frames of the shown match until its replay ring is full.
    for (int i = 0; i < 2 * SF_REPLAY_BILDER + 2; ++i) {
        kit::Warten(st.periode_ms);
        Partie_Schritt(sf, 45);
        Uhr();
    }
    ASSERT_EQ(sf->replay_anzahl, SF_REPLAY_BILDER);
    const int vorher = Uhr();
    ASSERT_EQ(vorher, sf->minute + 1);
    Menue_Kontrollleiste_Zeigen();
    kit::Klick(111 + 27, 582);
    ASSERT_TRUE(Spielfeld_Replay_Laeuft());
    const Screen_Icon* knopf = Menue_Screen_Icon_Aus_Nummer(ICON_LEISTE_WIEDERHOLUNG);
    ASSERT_NE(knopf, nullptr);
    const i16 minute = sf->minute;
    int frames = 0;
    for (; Spielfeld_Replay_Laeuft() && frames < 400; ++frames) {
        EXPECT_TRUE(knopf->status & MENUE_S_AN) << "frame " << frames;
        kit::Warten(st.periode_ms);
        Partie_Schritt(sf, 45);
        EXPECT_EQ(Uhr(), vorher) << "frame " << frames;
        EXPECT_EQ(sf->minute, minute) << "the match waits";
    }
    EXPECT_FALSE(Spielfeld_Replay_Laeuft());
    EXPECT_GT(frames, SF_REPLAY_BILDER / 2);
    Menue_Kontrollleiste_Zeigen();
    EXPECT_FALSE(knopf->status & MENUE_S_AN) << "the replay is over";
    // The match goes on under a clock that moves on from where it stood.
    for (int i = 0; i < 200; ++i) {
        kit::Warten(st.periode_ms);
        Partie_Schritt(sf, 45);
    }
    EXPECT_GT(Uhr(), vorher);
}

}  // namespace
