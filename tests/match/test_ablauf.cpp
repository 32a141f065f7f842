// A match from kick-off to the final whistle: the runner's contract, the
// determinism of the shared random table, saving in the 60th minute, the
// shoot-out, the figures on the pitch and the events.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "base/spielstand.h"
#include "match_test.h"
#include "world/aufstellung.h"

namespace {

using Ablauf = MatchTest;

struct Spur {
    std::vector<Partie_Ereignis> ereignisse;
    std::vector<u32> summen;  // position checksum of every minute
    int tore[2];
};

// Plays a pitch to the end, keeping the checksum of every minute; with
// `fremd` someone else draws from the random table between the ticks.
Spur zu_ende(Spielfeld_Daten* sf, u32 spiel, bool fremd = false) {
    Spur s;
    int letzte = -1;
    for (int h = sf->halbzeit; h <= 2; h++) {
        if (h > sf->halbzeit || sf->halbzeit_status == 2) {
            if (sf->halbzeit_status != 2) break;
            sf->minute = static_cast<i16>(45 * (h - 1));
            sf->minuten_teil = 0;
            Spielfeld_Halbzeit_Start(spiel);
        }
        while (Partie_Schritt(sf, 45 * h)) {
            if (fremd) Rnd(0, 99);
            if (sf->minute != letzte) {
                letzte = sf->minute;
                s.summen.push_back(Spielfeld_Pruefsumme(sf));
            }
        }
        i32 steht = 0;
        Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0);
    }
    s.ereignisse = Partie_Ereignisse(spiel);
    s.tore[0] = sf->tore[0];
    s.tore[1] = sf->tore[1];
    return s;
}

bool gleich(const std::vector<Partie_Ereignis>& a, const std::vector<Partie_Ereignis>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i].spieler != b[i].spieler || a[i].zweiter != b[i].zweiter || a[i].flags != b[i].flags ||
            a[i].minute != b[i].minute)
            return false;
    return true;
}

TEST_F(Ablauf, TheSameCursorPlaysTheSameMatchWhateverElseDrawsInBetween) {
    Spielfeld_Daten* a = neu(1, liga[0], liga[1], 1234);
    ASSERT_NE(a, nullptr);
    Spur s1 = zu_ende(a, 1);
    ASSERT_GT(s1.summen.size(), 85u);
    // The same fixture again, shown (the animation entries are made) and with foreign draws between the ticks.
    Spielfeld_Loeschen(7);
    Partie_Spiele_Leeren();
    Spielfeld_Set_Fast(1);
    Spielfeld_Daten* b = neu(1, liga[0], liga[1], 1234, 1);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->anzeige, 1);
    Spur s2 = zu_ende(b, 1, true);
    Spielfeld_Set_Fast(0);
    EXPECT_EQ(s1.summen, s2.summen);
    EXPECT_TRUE(gleich(s1.ereignisse, Partie_Ereignisse(1)));
    // Another cursor gives another match.
    Spielfeld_Loeschen(7);
    Partie_Spiele_Leeren();
    Spielfeld_Daten* c = neu(1, liga[0], liga[1], 4321);
    Spur s3 = zu_ende(c, 1);
    EXPECT_NE(s1.summen, s3.summen);
}

// The roles of the tactics screen reach the pitch by their names: the
// penalty, corner and free-kick takers take those kicks; the captain takes none.
// The record of an ended match is kept and taken by the next one, which
// starts on it as on a fresh record: it plays the match a fresh record
// plays, minute by minute. The season change gives the kept records back.
TEST_F(Ablauf, AnEndedMatchsRecordIsTakenAgainAndStartsAfresh) {
    Spielfeld_Vorrat_Freigeben();
    Spielfeld_Daten* a = neu(1, liga[0], liga[1], 1234);
    ASSERT_NE(a, nullptr);
    const Spur frisch = zu_ende(a, 1);
    Spielfeld_Loeschen(7);
    Partie_Spiele_Leeren();
    EXPECT_EQ(Spielfeld_Vorrat_Anzahl(), 1u);
    // Another fixture plays on the kept record and leaves it as it ends.
    Spielfeld_Daten* b = neu(2, liga[2], liga[3], 777);
    ASSERT_EQ(b, a) << "the kept record is taken";
    EXPECT_EQ(Spielfeld_Vorrat_Anzahl(), 0u);
    zu_ende(b, 2);
    Spielfeld_Loeschen(7);
    Partie_Spiele_Leeren();
    Spielfeld_Daten* c = neu(1, liga[0], liga[1], 1234);
    ASSERT_EQ(c, a);
    const Spur wieder = zu_ende(c, 1);
    EXPECT_EQ(wieder.summen, frisch.summen);
    EXPECT_TRUE(gleich(wieder.ereignisse, frisch.ereignisse));
    Spielfeld_Loeschen(7);
    Partie_Spiele_Leeren();
    Spielfeld_Vorrat_Freigeben();
    EXPECT_EQ(Spielfeld_Vorrat_Anzahl(), 0u);
}

TEST_F(Ablauf, TheTacticsRolesGiveTheirSetPiecesOnThePitch) {
    i32 elf[64];
    ASSERT_GE(Teamspieler_Ins_Array(static_cast<int>(liga[0]), elf, 64, SP_STATUS_AUFGESTELLT), 4);
    const u32 alle = SP_STATUS_ELFMETER | SP_STATUS_ECKEN | SP_STATUS_FREISTOSS | SP_STATUS_KAPITAEN;
    for (int i = 0; i < 4; ++i) Spieler_Daten[elf[i]].status &= ~alle;
    const struct {
        u32 rolle;
        u8 flag;
    } faelle[] = {{SP_STATUS_ELFMETER, 1}, {SP_STATUS_ECKEN, 2}, {SP_STATUS_FREISTOSS, 4}, {SP_STATUS_KAPITAEN, 0}};
    for (int i = 0; i < 4; ++i) Spieler_Daten[elf[i]].status |= faelle[i].rolle;
    Spielfeld_Daten* sf = neu(1, liga[0], liga[1], 99);
    ASSERT_NE(sf, nullptr);
    for (int i = 0; i < 4; ++i) {
        const Spielfeld_Spieler* p = nullptr;
        for (int k = 0; k < SF_PRO_SEITE; ++k)
            if (sf->spieler[k].spieler == elf[i]) p = &sf->spieler[k];
        ASSERT_NE(p, nullptr) << i;
        EXPECT_EQ(p->flag & 7, faelle[i].flag) << i;
    }
    for (int i = 0; i < 4; ++i) Spieler_Daten[elf[i]].status &= ~alle;
}

TEST_F(Ablauf, AMatchSavedInItsSixtiethMinuteEndsAsOneNeverSaved) {
    std::string pfad = match_temp("match_sechzig.kdv");
    Spielfeld_Daten* sf = neu(5, liga[2], liga[3], 777);
    ASSERT_NE(sf, nullptr);
    bis_minute(sf, 45, 45);
    while (Partie_Schritt(sf, 45)) {
    }
    i32 steht = 0;
    Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0);
    sf->minute = 45;
    sf->minuten_teil = 0;
    Spielfeld_Halbzeit_Start(5);
    bis_minute(sf, 60, 90);
    ASSERT_EQ(sf->minute, 60);
    ASSERT_TRUE(Spielstand_Speichern(pfad.c_str(), 1)) << Spielstand_Letzter_Fehler();
    size_t schon = Partie_Ereignisse(5).size();
    Spur ohne = zu_ende(sf, 5);
    // Something else runs, then the save is loaded and the match played again.
    Rnd(0, 1000);
    Spielfeld_Daten* weg = neu(6, liga[4], liga[5], 5);
    ASSERT_NE(weg, nullptr);
    ASSERT_TRUE(Spielstand_Laden(pfad.c_str())) << Spielstand_Letzter_Fehler();
    EXPECT_EQ(Spielfeld_Zeiger(6), nullptr);
    Spielfeld_Daten* neu_sf = Spielfeld_Zeiger(5);
    ASSERT_NE(neu_sf, nullptr);
    EXPECT_EQ(neu_sf->minute, 60);
    Partie_Spiel_Anmelden(5, liga[2], liga[3], 7);
    Spur mit = zu_ende(neu_sf, 5);
    EXPECT_EQ(mit.tore[0], ohne.tore[0]);
    EXPECT_EQ(mit.tore[1], ohne.tore[1]);
    std::vector<Partie_Ereignis> rest(ohne.ereignisse.begin() + static_cast<long>(schon), ohne.ereignisse.end());
    EXPECT_TRUE(gleich(rest, mit.ereignisse));
    EXPECT_EQ(ohne.summen, mit.summen);
    std::remove(pfad.c_str());
}

TEST_F(Ablauf, TheRunnerContractOfHalvesTicksAndResults) {
    Spielfeld_Daten* sf = neu(2, liga[1], liga[2], 99);
    ASSERT_NE(sf, nullptr);
    EXPECT_EQ(sf->engine, 1);
    EXPECT_EQ(sf->halbzeit_status, 0);
    i32 steht = 0;
    // 90 ticks make a minute; the result is the pitch time.
    f32 r = 0;
    for (int i = 0; i < 90; i++) r = Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, 0);
    EXPECT_EQ(sf->minute, 1);
    EXPECT_FLOAT_EQ(r, 1.0f);
    // The end of the half: stoppage time, then the engine ends it at a quiet moment.
    bis_minute(sf, 44, 45);
    int returned_1000 = 0;
    while (true) {
        r = Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0);
        if (r == 1000.0f) returned_1000++;
        if (sf->halbzeit_status == 2) break;
        if (sf->halbzeit_status == 0 && sf->minute + 1 >= 45) sf->halbzeit_status = 1;
        if (sf->minute >= 46) Spielfeld_Set_Spielende(2);
        ASSERT_LT(sf->minute, 60);
    }
    EXPECT_EQ(sf->situation, SIT_HALBZEIT_ENDE);
    // 1000.0 once, then nothing more is stepped.
    if (!returned_1000) {
        EXPECT_EQ(Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0), 1000.0f);
    }
    EXPECT_EQ(Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0), -1.0f);
    i16 minute = sf->minute;
    EXPECT_EQ(Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0), -1.0f);
    EXPECT_EQ(sf->minute, minute);
    // The next half: ends changed, kick-off, half-start byte.
    u8 seiten = sf->seitenwechsel;
    sf->minute = 45;
    sf->minuten_teil = 0;
    Spielfeld_Halbzeit_Start(2);
    EXPECT_EQ(sf->halbzeit_start, 1);
    EXPECT_NE(sf->seitenwechsel, seiten);
    EXPECT_EQ(sf->situation, SIT_ANSTOSS);
    EXPECT_EQ(sf->halbzeit_status, 0);
    EXPECT_GT(Spielfeld_Run(45, 0, 1, sf, 1, &steht, 0, 0), 45.0f);
    // A record without the engine is never stepped.
    Spielfeld_Daten* ohne = nullptr;
    Partie_Spiel_Anmelden(3, liga[3], liga[4], 7);
    ASSERT_TRUE(Spielfeld_Neu(3, 0, 0, 100, liga[3], 0));
    ohne = Spielfeld_Zeiger(3);
    EXPECT_EQ(ohne->engine, 0);
    EXPECT_EQ(Spielfeld_Run(0, 0, 1, ohne, 1, &steht, 0, 0), -1.0f);
    EXPECT_EQ(Spielfeld_Run(0, 0, 1, nullptr, 1, &steht, 0, 0), -1.0f);
}

// In pause every shown pitch's clock is re-based, and only those: the shown
// set followed as pitches enter, are shown later and leave (the set is kept
// between passes, so a stale one would miss a pitch or touch a freed one).
TEST_F(Ablauf, InPauseExactlyTheShownPitchesAreReBased) {
    Spielfeld_Set_Pause(1);
    struct Schritt {
        const char* was;
        u32 spiel;       // the pitch the step makes or shows (0: none)
        int angezeigt;   // made shown
        bool zeigen;     // an existing pitch shown afterwards
        bool loeschen;   // every pitch deleted first
        std::set<u32> neu_basiert;  // the pitches whose clock is re-based
    };
    const Schritt schritte[] = {
        {"a shown and an unshown pitch", 11, 1, false, false, {11}},
        {"", 12, 0, false, false, {11}},
        {"the unshown one shown later", 12, 0, true, false, {11, 12}},
        {"a third enters shown", 13, 1, false, false, {11, 12, 13}},
        {"all deleted", 0, 0, false, true, {}},
        {"a new one after the deletion", 14, 1, false, false, {14}},
    };
    std::map<u32, Spielfeld_Daten*> felder;
    u32 uhr = 1000;
    for (const Schritt& x : schritte) {
        SCOPED_TRACE(x.was);
        if (x.loeschen) {
            Spielfeld_Loeschen(7);
            felder.clear();
        }
        if (x.spiel && !x.zeigen) {
            Spielfeld_Daten* sf = neu(x.spiel, liga[x.spiel % 4], liga[4 + x.spiel % 4], 9, x.angezeigt);
            ASSERT_NE(sf, nullptr);
            felder[x.spiel] = sf;
        }
        if (x.zeigen) {
            ASSERT_TRUE(Spielfeld_Anzeige_Hinzufuegen(felder[x.spiel], 1));
        }
        for (auto& [spiel, sf] : felder) sf->uhr_basis = 5;
        uhr += 1000;
        Spielfeld_Zeit_Fortsetzen(uhr);
        for (auto& [spiel, sf] : felder) {
            EXPECT_EQ(sf->uhr_basis, x.neu_basiert.count(spiel) ? uhr : 5u) << "pitch " << spiel;
        }
    }
    Spielfeld_Set_Pause(0);
}

TEST_F(Ablauf, AShownPitchKeepsToTheFramePeriodAndStandsStillInPause) {
    Spielfeld_Daten* sf = neu(4, liga[0], liga[5], 10, 1);
    ASSERT_NE(sf, nullptr);
    EXPECT_EQ(sf->anzeige, 1);
    Spielfeld_Anzeigeliste_Leeren();
    i32 steht = 0;
    u32 t = 100000;
    Spielfeld_Zeit_Fortsetzen(t);
    EXPECT_EQ(Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, t + 10), -1.0f);  // too early
    EXPECT_GE(Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, t + 45), 0.0f);   // one frame later
    EXPECT_EQ(Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, t + 50), -1.0f);
    // Frames of 20 ms, the clock re-based after each pass as the matchday does: a tick every 45 ms.
    int schritte = 0;
    for (u32 ms = 60; ms <= 960; ms += 20) {
        schritte += Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, t + ms) >= 0.0f;
        Spielfeld_Zeit_Fortsetzen(t + ms);
    }
    EXPECT_EQ(schritte, 20);
    Spielfeld_Daten* liste[4];
    EXPECT_EQ(Spielfeld_Anzeigeliste(liste), 1);  // re-added by the tick
    EXPECT_EQ(Spielfeld_Get_Aktuelles_Spielfeld(), sf);
    Spielfeld_Set_Pause(1);
    EXPECT_EQ(Spielfeld_Get_Pause(), 1);
    EXPECT_EQ(Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, t + 500), -1.0f);
    Spielfeld_Set_Pause(0);
    Spielfeld_Set_Fast(1);
    EXPECT_GE(Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, t + 500), 0.0f);
    EXPECT_GE(Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, t + 500), 0.0f);  // fast: no pacing
    // The replay ring holds the last frames; the simulation waits while it plays.
    for (int i = 0; i < 300 || (sf->ticks & 1); i++) Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, t);
    EXPECT_EQ(sf->replay_anzahl, SF_REPLAY_BILDER);
    i16 bild[SF_REPLAY_OBJEKTE][3];
    ASSERT_TRUE(Spielfeld_Replay_Bild(sf, 0, bild));
    EXPECT_EQ(bild[SF_OBJ_BALL][0], static_cast<i16>(sf->objekt[SF_OBJ_BALL].x));
    EXPECT_FALSE(Spielfeld_Replay_Bild(sf, SF_REPLAY_BILDER, bild));
    Spielfeld_Replay_Start(0);
    EXPECT_TRUE(Spielfeld_Replay_Laeuft());
    int ticks = sf->ticks;
    EXPECT_EQ(Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, t), -1.0f);
    EXPECT_EQ(sf->ticks, ticks);
    Spielfeld_Replay_Stop(0);
    // Not in network play.
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Spielfeld_Replay_Start(0);
    EXPECT_FALSE(Spielfeld_Replay_Laeuft());
    Internet_Modus = INTERNET_MODUS_EINZEL;
    Spielfeld_Set_Fast(0);
}

TEST_F(Ablauf, TheShownListTakesFourPitchesAndOneOfEachHomeTeam) {
    std::vector<Spielfeld_Daten*> p;
    for (u32 i = 0; i < 6; i++) p.push_back(neu(10 + i, liga[i], liga[i + 6], 1));
    Spielfeld_Anzeigeliste_Leeren();
    for (int i = 0; i < 4; i++) EXPECT_TRUE(Spielfeld_Anzeige_Hinzufuegen(p[static_cast<size_t>(i)], 0));
    EXPECT_FALSE(Spielfeld_Anzeige_Hinzufuegen(p[4], 0));
    EXPECT_TRUE(Spielfeld_Anzeige_Hinzufuegen(p[0], 0));  // already there
    Spielfeld_Daten* liste[4];
    EXPECT_EQ(Spielfeld_Anzeigeliste(liste), 4);
    EXPECT_EQ(liste[0], p[0]);
    Spielfeld_Anzeigeliste_Leeren();
    EXPECT_TRUE(Spielfeld_Anzeige_Hinzufuegen(p[0], 0));
    // A second pitch of the same home team is refused.
    Spielfeld_Daten* zweit = neu(30, liga[0], liga[9], 1);
    EXPECT_FALSE(Spielfeld_Anzeige_Hinzufuegen(zweit, 0));
    // Deleting a competition's pitches clears them from the list.
    Spielfeld_Loeschen(7);
    EXPECT_EQ(Spielfeld_Anzeigeliste(liste), 0);
    EXPECT_EQ(Spielfeld_Anzahl(), 0);
}

TEST_F(Ablauf, TheShootOutIsPlayedKickByKickAndHoldsTheEnd) {
    Spielfeld_Daten* sf = neu(40, liga[3], liga[7], 55);
    ASSERT_NE(sf, nullptr);
    sf->situation = SIT_HALBZEIT_ENDE;
    sf->halbzeit_status = 2;
    sf->ende_gemeldet = 1;
    size_t vorher = Partie_Ereignisse(40).size();
    EXPECT_TRUE(Spielfeld_Darf_Enden(40));
    EXPECT_TRUE(Spielfeld_Darf_Enden(999));  // no pitch
    // A substitute cannot take a kick; the slot of the other side neither.
    EXPECT_FALSE(Spielfeld_Set_Elfmeter(40, 0, 12));
    EXPECT_FALSE(Spielfeld_Set_Elfmeter(40, 1, 3));
    EXPECT_FALSE(Spielfeld_Set_Elfmeter(40, 2, 3));
    int tore = 0, kicks = 0;
    for (int k = 0; k < 40; k++) {
        int seite = k & 1;
        int slot = seite * SF_PRO_SEITE + 1 + (k / 2) % 10;
        ASSERT_TRUE(Spielfeld_Set_Elfmeter(40, seite, slot));
        EXPECT_FALSE(Spielfeld_Darf_Enden(40));
        i16 minute = sf->minute;
        int n = 0;
        while (!Spielfeld_Darf_Enden(40)) {
            Partie_Schritt(sf, 9999);
            ASSERT_LT(++n, 500);
        }
        EXPECT_EQ(sf->minute, minute);  // the clock stands
        EXPECT_EQ(sf->situation, SIT_HALBZEIT_ENDE);
        kicks++;
    }
    for (int s = 0; s < 2; s++) tore += sf->seite[s].elfer_tore;
    EXPECT_EQ(sf->seite[0].elfer_schuesse + sf->seite[1].elfer_schuesse, kicks);
    // Every goal from the spot is a goal event of the kicking side without a second player.
    const auto& ev = Partie_Ereignisse(40);
    int tor_ev = 0;
    for (size_t i = vorher; i < ev.size(); i++)
        if (ev[i].flags & SFE_TOR) {
            tor_ev++;
            EXPECT_EQ(ev[i].zweiter, 32767);
        }
    EXPECT_EQ(tor_ev, tore);
    EXPECT_GT(tore, kicks / 2);
    EXPECT_LT(tore, kicks);
    // The match score is not touched by the shoot-out.
    EXPECT_EQ(sf->tore[0] + sf->tore[1], 0);
}

// A draw after ninety minutes goes to extra time (the event is booked once, the
// match runs to 120 minutes); with the golden goal the first goal in extra
// time ends the match at once; a match still level goes to the shoot-out.
TEST_F(Ablauf, ExtraTimeFollowsADrawAndAGoldenGoalEndsIt) {
    int verlaengert = 0, golden = 0, entschieden = 0;
    for (int k = 0; k < 80 && (verlaengert < 8 || golden < 2); k++) {
        u32 spiel = 200 + static_cast<u32>(k);
        if (k % 10 == k % 7 + 3) continue;  // a club does not play itself
        Spielfeld_Daten* sf =
            neu(spiel, liga[static_cast<size_t>(k % 10)], liga[static_cast<size_t>(k % 7 + 3)], 97 * k + 5);
        ASSERT_NE(sf, nullptr);
        Partie_Optionen o;
        o.verlaengerung_halbzeiten = 2;
        o.verlaengerung_minuten = 15;
        o.golden_goal = (k & 1) != 0;
        o.elfmeterschiessen = true;
        Partie_Ergebnis e = Partie_Spielen(spiel, o);
        ASSERT_TRUE(e.ok);
        const auto& ev = Partie_Ereignisse(spiel);
        int tore_90[2] = {0, 0}, tore_verl[2] = {0, 0}, verl_ereignisse = 0, letztes_tor = -1;
        bool schiessen = false;
        for (const auto& x : ev) {
            if (x.flags & SFE_VERLAENGERUNG) verl_ereignisse++;
            if (x.flags & SFE_ELFMETERSCHIESSEN) schiessen = true;
            if (schiessen || !(x.flags & SFE_TOR)) continue;
            int s = (x.flags & SFE_TEAM_A) ? 0 : 1;
            (verl_ereignisse ? tore_verl : tore_90)[s]++;
            letztes_tor = x.minute;
        }
        if (tore_90[0] != tore_90[1]) {
            // Decided in ninety minutes: no extra time.
            EXPECT_EQ(verl_ereignisse, 0);
            EXPECT_FALSE(e.verlaengerung);
            EXPECT_LE(sf->halbzeit, 2);
            EXPECT_LT(sf->minute, 100);
            entschieden++;
            continue;
        }
        verlaengert++;
        EXPECT_EQ(verl_ereignisse, 1);
        EXPECT_TRUE(e.verlaengerung);
        EXPECT_GE(sf->halbzeit, 3);
        EXPECT_EQ(tore_verl[0], e.tore[0] - tore_90[0]);
        EXPECT_EQ(tore_verl[1], e.tore[1] - tore_90[1]);
        int in_verl = tore_verl[0] + tore_verl[1];
        if (o.golden_goal && in_verl > 0) {
            golden++;
            EXPECT_EQ(in_verl, 1) << "play went on after the golden goal";
            EXPECT_TRUE(e.golden_goal);
            EXPECT_FALSE(schiessen);
            EXPECT_LE(sf->minute + 1 - letztes_tor, 1) << "the match did not end at the golden goal";
        } else {
            EXPECT_FALSE(e.golden_goal);
            EXPECT_EQ(sf->halbzeit, 4);
            EXPECT_GE(sf->minute, 119);
            EXPECT_LE(sf->minute, 122);
            EXPECT_EQ(schiessen, e.tore[0] == e.tore[1]);
        }
        Spielfeld_Loeschen(7);
    }
    EXPECT_GE(verlaengert, 8);
    EXPECT_GE(golden, 2);
    EXPECT_GT(entschieden, 0);
}

TEST_F(Ablauf, FiguresMoveAndDoNotStackUpAndEventsMatchTheScore) {
    for (int m = 0; m < 6; m++) {
        u32 spiel = 50 + static_cast<u32>(m);
        Spielfeld_Daten* sf = neu(spiel, liga[static_cast<size_t>(m)], liga[static_cast<size_t>(m + 7)], 300 * m + 11);
        ASSERT_NE(sf, nullptr);
        for (int h = 1; h <= 2; h++) {
            if (h == 2) {
                sf->minute = 45;
                sf->minuten_teil = 0;
                Spielfeld_Halbzeit_Start(spiel);
            }
            float start_x[SF_SPIELER], start_y[SF_SPIELER];
            bool bewegt[SF_SPIELER] = {};
            for (int i = 0; i < SF_SPIELER; i++) {
                start_x[i] = sf->objekt[i].x;
                start_y[i] = sf->objekt[i].y;
            }
            std::map<int, int> zusammen;  // pair -> ticks in a row on one spot
            int laengste = 0, paar = 0, lage = 0;
            while (Partie_Schritt(sf, 45 * h)) {
                for (int i = 0; i < SF_SPIELER; i++) {
                    if (std::fabs(sf->objekt[i].x - start_x[i]) > 100 || std::fabs(sf->objekt[i].y - start_y[i]) > 100)
                        bewegt[i] = true;
                }
                for (int i = 0; i < SF_SPIELER; i++) {
                    if (!(sf->spieler[i].status & SFS_AUF_DEM_PLATZ) || sf->objekt[i].y < 0) continue;
                    for (int j = i + 1; j < SF_SPIELER; j++) {
                        if (!(sf->spieler[j].status & SFS_AUF_DEM_PLATZ) || sf->objekt[j].y < 0) continue;
                        float dx = sf->objekt[i].x - sf->objekt[j].x, dy = sf->objekt[i].y - sf->objekt[j].y;
                        int k = i * 64 + j;
                        if (dx * dx + dy * dy < 30 * 30) {
                            int n = ++zusammen[k];
                            if (n > laengste) {
                                laengste = n;
                                paar = k;
                                lage = sf->situation;
                            }
                        } else {
                            zusammen.erase(k);
                        }
                    }
                }
            }
            i32 steht = 0;
            Spielfeld_Run(sf->minute, 0, 1, sf, 1, &steht, 0, 0);
            for (int i = 0; i < SF_SPIELER; i++)
                // Players sent off or taken off before this half began are left out.
                if ((sf->spieler[i].status & SFS_AUF_DEM_PLATZ) && sf->statistik[i][7] > 0 &&
                    !(sf->spieler[i].minute_aus != 255 && sf->spieler[i].minute_aus < 45 * (h - 1))) {
                    EXPECT_TRUE(bewegt[i]) << "slot " << i << " stood still in half " << h << ", status 0x" << std::hex
                                           << sf->spieler[i].status << std::dec;
                }
            EXPECT_LT(laengste, 90) << "two figures on one spot for a minute: slots " << paar / 64 << " and "
                                    << paar % 64 << ", situation " << lage;
        }
        // Every goal has a scorer and a minute; the goal events add up to the score.
        int tore[2] = {0, 0};
        std::set<i32> vom_platz;
        for (const auto& e : Partie_Ereignisse(spiel)) {
            EXPECT_EQ(vom_platz.count(e.spieler), 0u) << "a sent-off player took part";
            if (e.flags & SFE_TOR) {
                EXPECT_GE(e.spieler, 0);
                EXPECT_GE(e.minute, 1);
                tore[(e.flags & SFE_TEAM_A) ? 0 : 1]++;
                if (e.flags & SFE_EIGENTOR) {
                    // The scorer plays for the side that conceded.
                    int seite = (e.flags & SFE_TEAM_A) ? 1 : 0;
                    bool gefunden = false;
                    for (int i = seite * SF_PRO_SEITE; i < seite * SF_PRO_SEITE + SF_PRO_SEITE; i++)
                        gefunden |= sf->spieler[i].spieler == e.spieler;
                    EXPECT_TRUE(gefunden);
                }
            }
            if (e.flags & (SFE_ROT | SFE_GELBROT)) vom_platz.insert(e.spieler);
        }
        EXPECT_EQ(tore[0], sf->tore[0]);
        EXPECT_EQ(tore[1], sf->tore[1]);
        // Grades 1..6 for everyone who played; statistic minutes.
        for (int i = 0; i < SF_SPIELER; i++) {
            if (sf->statistik[i][7] == 0) continue;
            EXPECT_GE(sf->statistik[i][0], 10);
            EXPECT_LE(sf->statistik[i][0], 60);
        }
        Spielfeld_Bericht b;
        Spielfeld_Get_Bericht(sf, &b);
        EXPECT_EQ(b.tore[0], sf->tore[0]);
        EXPECT_EQ(b.heim, sf->team[0]);
        EXPECT_EQ(0, std::memcmp(b.statistik, sf->statistik, sizeof b.statistik));
    }
}

TEST_F(Ablauf, TheEventHeaderKeepsAGoalUntilAViewTookIt) {
    Spielfeld_Daten* sf = neu(60, liga[1], liga[8], 3);
    ASSERT_NE(sf, nullptr);
    Spielfeld_Ereignis_Eintragen(sf, SFE_TOR | SFE_TEAM_A, 3, -1);
    EXPECT_EQ(sf->ereignis.gueltig, 1);
    EXPECT_EQ(sf->ereignis.slot, 3);
    Spielfeld_Ereignis_Eintragen(sf, SFE_FOUL, 20, 4);
    EXPECT_EQ(sf->ereignis.flags & SFE_TOR, SFE_TOR);  // not overwritten
    sf->ereignis.gueltig = 0;                          // the view took it
    Spielfeld_Ereignis_Eintragen(sf, SFE_FOUL, 20, 4);
    EXPECT_EQ(sf->ereignis.flags, SFE_FOUL);
    EXPECT_EQ(sf->ereignis.zweiter, 4);
    // A chance alone does not fill the header; the runner's flags reach the fixture.
    sf->ereignis.gueltig = 0;
    Spielfeld_Ereignis_Eintragen(sf, SFE_CHANCE, 5, -1);
    EXPECT_EQ(sf->ereignis.flags, SFE_FOUL);
    size_t n = Partie_Ereignisse(60).size();
    Spielfeld_Ereignis_Eintragen(sf, SFE_ELFMETERSCHIESSEN, -1, -1);
    ASSERT_EQ(Partie_Ereignisse(60).size(), n + 1);
    EXPECT_EQ(Partie_Ereignisse(60).back().flags & SFE_ELFMETERSCHIESSEN, SFE_ELFMETERSCHIESSEN);
    // A slot outside the record is refused.
    Spielfeld_Ereignis_Eintragen(sf, SFE_TOR, 34, -1);
    Spielfeld_Ereignis_Eintragen(sf, SFE_TOR, -2, -1);
    EXPECT_EQ(Partie_Ereignisse(60).size(), n + 1);
    EXPECT_EQ(sf->tore[0] + sf->tore[1], 0);
}

TEST_F(Ablauf, TheDisplayGoesToTheLiveViewWhenItIsOnElseToTheOverview) {
    static int blits, laeufe, anzahl;
    blits = laeufe = anzahl = 0;
    Spielfeld_Hooks h = Spielfeld_Get_Hooks();
    h.blit_spielfeld = [](Spielfeld_Daten*, u32) { blits++; };
    h.ansicht_run = [](Spielfeld_Daten**, int n, Spielfeld_Steuerung* st) {
        laeufe++;
        anzahl = n;
        EXPECT_EQ(st->periode_ms, SF_FRAME_MS);
    };
    Spielfeld_Set_Hooks(h);
    Spielfeld_Anzeige_Refresh();  // nothing shown
    EXPECT_EQ(blits + laeufe, 0);
    EXPECT_FALSE(Spielfeld_Get_Anzeige());
    Spielfeld_Daten* sf = neu(70, liga[2], liga[6], 8, 1);
    ASSERT_NE(sf, nullptr);
    EXPECT_TRUE(Spielfeld_Get_Anzeige());
    Spielfeld_Anzeige_Refresh();
    EXPECT_EQ(blits, 1);
    Spielfeld_Anzeige_An();
    Spielfeld_Anzeige_Refresh();
    EXPECT_EQ(laeufe, 1);
    EXPECT_EQ(anzahl, 1);
    Spielfeld_Anzeige_Aus();
    Spielfeld_Anzeige_Refresh();
    EXPECT_EQ(blits, 2);
    // A finished pitch stays shown for a short countdown.
    Spielfeld_Set_Beendet(70);
    Spielfeld_Anzeigeliste_Leeren();
    i32 steht = 0;
    EXPECT_EQ(Spielfeld_Run(0, 0, 1, sf, 1, &steht, 0, 0), -1.0f);
    EXPECT_EQ(Spielfeld_Get_Aktuelles_Spielfeld(), sf);
}

}  // namespace
