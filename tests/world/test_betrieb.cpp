// Line-ups, kits and the bank on the shipped world.
#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <set>
#include <vector>

#include "base/globals.h"
#include "base/random.h"
#include "welt_test.h"
#include "world/aufstellung.h"
#include "world/bank.h"
#include "world/global.h"
#include "world/konfig.h"
#include "world/manager.h"
#include "world/stadion.h"
#include "world/spieler.h"
#include "world/team.h"
#include "world/trikot.h"
#include "world/welt.h"

namespace {

using Betrieb = Geladene_Welt;

// Eleven available starters (one goalkeeper in goal, distinct cells), six substitutes.
void pruefe_aufstellung(int t) {
    i32 s[20];
    int a = Teamspieler_Ins_Array(t, s, 20, SP_STATUS_AUFGESTELLT);
    ASSERT_EQ(a, 11) << t;
    std::set<int> zellen, slots;
    int torhueter = 0;
    for (int i = 0; i < a; i++) {
        EXPECT_EQ(Spieler_Wert(75, s[i], 0, 0) & SP_STATUS_NICHT_SPIELBEREIT, 0) << t;
        zellen.insert(Spieler_Wert(82, s[i], 0, 0) * 100 + Spieler_Wert(83, s[i], 0, 0));
        slots.insert(Spieler_Wert(87, s[i], 0, 0));
        if (Spieler_Wert(83, s[i], 0, 0) == 0) {
            torhueter++;
            EXPECT_EQ(Spieler_Wert(67, s[i], 0, 0), 0) << "goalkeeper of " << t;
        }
    }
    EXPECT_EQ(zellen.size(), 11u) << t;
    EXPECT_EQ(slots, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10})) << t;
    EXPECT_EQ(torhueter, 1) << t;
    EXPECT_EQ(Teamspieler_Ins_Array(t, s, 20, SP_STATUS_ERSATZ), 6) << t;
    EXPECT_EQ(Teamspieler_Ins_Array(t, s, 20, 48), 17) << t;
    int linien[4];
    Aufstellung_Linien_Zaehlen(t, linien);
    EXPECT_EQ(linien[3], 1);
    EXPECT_EQ(linien[0] + linien[1] + linien[2], 10);
}

TEST_F(Betrieb, EveryClubGetsAValidElevenAndSixSubstitutes) {
    for (int t = 0; t < Team_Anzahl; t++) {
        if (t == Team_Transfermarkt) continue;
        Aufstellung_Automatisch(t);
        pruefe_aufstellung(t);
    }
}

TEST_F(Betrieb, UnavailablePlayersAreLeftOutAndCheckRepairs) {
    const int t = 20;
    Aufstellung_Automatisch(t);
    i32 s[20];
    Teamspieler_Ins_Array(t, s, 20, SP_STATUS_AUFGESTELLT);
    // Injure two starters, the goalkeeper among them: the check rebuilds the line-up.
    int tw = -1;
    for (int i = 0; i < 11; i++)
        if (Spieler_Wert(83, s[i], 0, 0) == 0) tw = s[i];
    ASSERT_TRUE(Spieler_Verletzen(t, tw, 3));
    ASSERT_TRUE(Spieler_Verletzen(t, s[tw == s[0] ? 1 : 0], 2));
    EXPECT_NE(Spieler_Wert(71, tw, 0, 0), 0);
    Check_Und_Set_Aa(t);
    pruefe_aufstellung(t);
    EXPECT_EQ(Spieler_Wert(75, tw, 0, 0) & (SP_STATUS_AUFGESTELLT | SP_STATUS_ERSATZ), 0);
    Spieler_Wert(75, tw, SP_STATUS_VERLETZT, OP_BITS_LOESCHEN);
}

// A managed club on its own line-up: after a match has injured or
// suspended players, the check before the next match fills their slots
// from the bench (the bench from the reserves), so eleven start whenever
// eleven can; the manager's other choices stay where he put them.
TEST_F(Betrieb, ManagedLineUpRefillsTheSlotsOfUnavailablePlayers) {
    const int t = 21;
    ASSERT_TRUE(Manager_Neuer_Mitspieler(t, "Test", -1));
    Team_Aufstellung_Manuell(t);
    struct Fall {
        const char* name;
        std::vector<int> slots;  // slots whose players become unavailable
        u32 grund;
        int starter;             // starters after the check
    } faelle[] = {
        {"one starter injured", {4}, SP_STATUS_VERLETZT, 11},
        {"goalkeeper and two starters", {0, 5, 9}, SP_STATUS_ROT, 11},
        {"a substitute", {12}, SP_STATUS_GELBSPERRE, 11},
        {"starters and the whole bench", {1, 2, 3, 11, 12, 13, 14, 15, 16}, SP_STATUS_VERLETZT, 11},
        {"too few left", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, SP_STATUS_GESPERRT, Team_Kader_Anzahl(t) - 12},
    };
    for (const Fall& f : faelle) {
        Aufstellung_Automatisch(t);
        std::vector<int> im_slot(MAX_SPIELER_PRO_TEAM, -1);
        for (int i = 0; i < Team_Kader_Anzahl(t); i++) im_slot[Spieler_Wert(87, Team_Kader(t)[i], 0, 0)] = Team_Kader(t)[i];
        for (int slot : f.slots) Spieler_Wert(75, im_slot[slot], f.grund, OP_BITS_SETZEN);
        Check_Und_Set_Aa(t);
        i32 s[20];
        EXPECT_EQ(Teamspieler_Ins_Array(t, s, 20, SP_STATUS_AUFGESTELLT), f.starter) << f.name;
        const int bank = std::min(6, Team_Kader_Anzahl(t) - static_cast<int>(f.slots.size()) - f.starter);
        EXPECT_EQ(Teamspieler_Ins_Array(t, s, 20, SP_STATUS_ERSATZ), bank) << f.name;
        std::set<int> belegt;
        for (int i = 0; i < Team_Kader_Anzahl(t); i++) {
            const int sp = Team_Kader(t)[i];
            EXPECT_TRUE(belegt.insert(Spieler_Wert(87, sp, 0, 0)).second) << f.name << ": two players in one slot";
            if (Spieler_Wert(75, sp, 0, 0) & SP_STATUS_NICHT_SPIELBEREIT) {
                EXPECT_EQ(Spieler_Wert(75, sp, 0, 0) & 48, 0) << f.name << ": an unavailable player plays";
            }
        }
        // A starter who could play keeps his slot.
        for (int slot = 0; slot <= 10; slot++)
            if (std::find(f.slots.begin(), f.slots.end(), slot) == f.slots.end()) {
                EXPECT_EQ(Spieler_Wert(87, im_slot[slot], 0, 0), slot) << f.name;
            }
        if (f.starter == 11 && bank == 6) pruefe_aufstellung(t);
        for (int slot : f.slots) Spieler_Wert(75, im_slot[slot], f.grund, OP_BITS_LOESCHEN);
    }
    Manager_Loeschen(t);
}

// Attendance follows the home ground, the home club's size and the
// opponent's; the stadium set up before the world was read still serves
// every club; the gate money of the preparation is the attendance of the
// kick-off times the ticket price.
i32 spiel_heim = -1, spiel_gast = -1;
bool spiel_daten(i32, Welt_Spiel_Info* aus) {
    aus->heim = spiel_heim, aus->gast = spiel_gast;
    return true;
}

TEST_F(Betrieb, AttendanceFollowsGroundClubAndOpponent) {
    Bank_Init();
    Stadion_Free();  // the season's modules are set up before the world is read
    Stadion_Init();
    Stadion_Free();
    const Welt_Hooks alt = Welt_Hook;
    {
        Welt_Hooks h = Welt_Hook;
        h.spiel_daten = spiel_daten;
        Welt_Set_Hooks(h);
    }
    // Clubs by their draw: the weakest, a middling and the strongest.
    std::vector<int> clubs;
    for (int t = 0; t < Team_Anzahl; t++)
        if (t != Team_Transfermarkt && (Team_Daten[t].art & TEAM_ART_VEREIN)) clubs.push_back(t);
    std::sort(clubs.begin(), clubs.end(), [](int a, int b) { return Stadion_Anziehung(a) < Stadion_Anziehung(b); });
    const int klein = clubs.front(), mitte = clubs[clubs.size() / 2], gross = clubs.back();
    ASSERT_LT(Stadion_Anziehung(klein) + 20, Stadion_Anziehung(gross));
    auto zuschauer = [](int heim, int gast, int nachfrage) {
        spiel_heim = heim, spiel_gast = gast;
        return Stadion_Berechne_Zuschauer(heim, 1, nachfrage, 100, 0, 0, 0, 0, 0);
    };
    struct Fall {
        const char* name;
        int heim, gast, nachfrage;
        int weniger_heim, weniger_gast, weniger_nachfrage;  // the same match with less of one thing
    } faelle[] = {
        {"a bigger club draws more", gross, mitte, 100, klein, mitte, 100},
        {"a bigger opponent draws more", mitte, gross, 100, mitte, klein, 100},
        {"a more important match draws more", mitte, mitte, 120, mitte, mitte, 20},
    };
    for (const Fall& f : faelle) {
        // The same capacity for both, so only the clubs and the demand differ.
        Stadion_Daten d = *Stadion_Get(f.heim, 0), e = *Stadion_Get(f.weniger_heim, 0);
        d.sitzplaetze = e.sitzplaetze = 30000, d.stehplaetze = e.stehplaetze = 0;
        ASSERT_TRUE(Stadion_Set_Daten(f.heim, &d));
        ASSERT_TRUE(Stadion_Set_Daten(f.weniger_heim, &e));
        EXPECT_GT(zuschauer(f.heim, f.gast, f.nachfrage), zuschauer(f.weniger_heim, f.weniger_gast, f.weniger_nachfrage))
            << f.name;
    }
    // Every club at home to every kind of opponent: someone comes, never
    // more than the ground holds; the gate money is attendance x price.
    for (int heim : clubs) {
        for (int gast : {klein, mitte, gross}) {
            for (int nachfrage : {0, 60, 120}) {
                const int z = zuschauer(heim, gast, nachfrage);
                ASSERT_GE(z, 1) << heim;
                ASSERT_LE(z, Stadion_Get_Kapazitaet(heim)) << heim;
            }
        }
    }
    Bank_Konto_Anlegen(gross, 0.0, 0);
    spiel_heim = gross, spiel_gast = klein;
    const int z = Stadion_Spiel_Auswerten(gross, 1, 80);
    EXPECT_EQ(z, zuschauer(gross, klein, 80));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(gross, 0, -1),
                     static_cast<double>(static_cast<f32>(z) * static_cast<f32>(Stadion_Get(gross, 0)->eintrittspreis)));
    Welt_Set_Hooks(alt);
    Stadion_Free();
    Bank_Free();
}

TEST_F(Betrieb, StrengthByModeAndFilters) {
    const int t = 17;
    Aufstellung_Automatisch(t);
    int alle = Team_Get_Staerke_Modus(t, 0), elf = Team_Get_Staerke_Modus(t, 16);
    EXPECT_GT(alle, elf);
    EXPECT_LE(elf, 132);
    EXPECT_EQ(Team_Get_Staerke(t), alle);
    EXPECT_EQ(Teamspieler_Ins_Array(0, nullptr, 2000, SP_STATUS_SCOUT), 60);
    EXPECT_EQ(Teamspieler_Ins_Array(0, nullptr, 2000, SP_FILTER_OHNE_SCOUT), 1640);
    EXPECT_EQ(Teamspieler_Ins_Array(0, nullptr, 20, 0), 20);
}

// The shown strength: a player's half stars held to the six stars of his
// row, a team's the sum of its players' shown strengths (the starters unless
// told otherwise), as text in stars with a decimal comma.
TEST_F(Betrieb, ShownStrengthOfPlayerAndTeam) {
    const int t = 17;
    Aufstellung_Automatisch(t);
    i32 elf[20];
    const int n = Teamspieler_Ins_Array(t, elf, 20, TEAM_STAERKE_STARTELF);
    ASSERT_GE(n, 3);
    struct Fall {
        u8 gespeichert;
        int gezeigt;
    } faelle[] = {{0, 0}, {7, 7}, {12, 12}, {13, 12}, {255, 12}};
    for (const Fall& f : faelle) {
        Spieler_Daten[elf[0]].staerke = f.gespeichert;
        EXPECT_EQ(Spieler_Staerke_Anzeige(elf[0]), f.gezeigt) << int(f.gespeichert);
        int summe = 0;
        for (int k = 0; k < n; ++k) summe += Spieler_Staerke_Anzeige(elf[k]);
        EXPECT_EQ(Team_Staerke_Anzeige(t), summe) << int(f.gespeichert);
        EXPECT_STREQ(Team_Staerke_Anzeige_Text(t), Team_Halbwert_String(summe));
    }
    Spieler_Daten[elf[0]].staerke = 7;
    EXPECT_EQ(Team_Staerke_Anzeige(t), Team_Get_Staerke_Modus(t, TEAM_STAERKE_STARTELF)) << "in range: the stored sum";
    EXPECT_EQ(Team_Staerke_Anzeige(t, 0), Team_Get_Staerke_Modus(t, 0));
    // Nobody and no team show nothing.
    for (int bad : {-1, Spieler_Anzahl}) EXPECT_EQ(Spieler_Staerke_Anzeige(bad), 0) << bad;
    for (int bad : {-1, Team_Anzahl}) EXPECT_EQ(Team_Staerke_Anzeige(bad), 0) << bad;
}

TEST_F(Betrieb, MarkingAssistantTakesAtMostFiveAndClears) {
    Aufstellung_Automatisch(16);
    Aufstellung_Automatisch(17);
    Assi_Mannschaftsaufstellung(16, 17, 100);
    i32 g[20];
    int n = Teamspieler_Ins_Array(17, g, 20, 0), markiert = 0;
    std::set<int> decker;
    for (int i = 0; i < n; i++) {
        int d = Spieler_Wert(99, g[i], 0, 0);
        if (d >= 0) {
            markiert++;
            decker.insert(d);
            EXPECT_EQ(Spieler_Get_Team(d), 16);
            EXPECT_NE(Spieler_Wert(83, d, 0, 0), 0);  // never the goalkeeper
        }
    }
    EXPECT_EQ(markiert, 5);
    EXPECT_EQ(decker.size(), 5u);
    Assi_Mannschaftsaufstellung(16, 17, 0);
    for (int i = 0; i < n; i++) EXPECT_EQ(Spieler_Wert(99, g[i], 0, 0), -1);
}

TEST_F(Betrieb, EveryPairingOfClubsGetsKitsThatDoNotClash) {
    for (int h = 1; h < Team_Anzahl; h++) {
        for (int g = 1; g < Team_Anzahl; g++) {
            if (h == g) continue;
            int kh, kg, th, tg;
            Trikot_Team_VS_Team(h, g, &kh, &kg, 0);
            Trikot_Team_VS_Team(h, g, &th, &tg, 2);
            ASSERT_EQ(kh, Trikot_Get_TrikotNr(h, 0));
            ASSERT_FALSE(Trikot_Is_Trikot_Equal(kh, kg, TRIKOT_TOLERANZ, 0)) << h << " " << g;
            ASSERT_FALSE(Trikot_Is_Trikot_Equal(th, tg, TRIKOT_TOLERANZ, 0)) << h << " " << g;
            for (int k : {kh, kg}) {
                ASSERT_FALSE(Trikot_Is_Trikot_Equal(th, k, TRIKOT_TOLERANZ, 0)) << h << " " << g;
                ASSERT_FALSE(Trikot_Is_Trikot_Equal(tg, k, TRIKOT_TOLERANZ, 0)) << h << " " << g;
            }
        }
    }
}

// Kits given on purpose so that they clash (kit number = colour x 5 +
// pattern; colours 0 white, 2 red, 4 blue, 7 green, 9 yellow; patterns 0
// plain, 1 stripes, 3 halves, 4 sash): the sides and each keeper against
// both sides and the other keeper are told apart, and a pair that only
// shares a second colour keeps its own kits.
TEST_F(Betrieb, ClashingKitsAreToldApart) {
    const struct {
        const char* fall;
        int heim, heim_tw, gast, gast2, gast_tw;
        int gast_traegt;  // the away side's kit when it is fixed, else -1
    } faelle[] = {
        {"white/black stripes against green/white stripes and halves", 1, 45, 36, 38, 50, -1},
        {"white against green/white halves, second kit white with a sash", 0, 45, 38, 4, 50, -1},
        {"the home keeper in the away side's sash", 14, 24, 24, 40, 50, 24},
        {"the away keeper in the home side's sash", 14, 45, 24, 40, 14, 24},
        {"both keepers in yellow", 2, 45, 20, 40, 45, 20},
        {"red and blue, both striped with white", 11, 45, 21, 40, 50, 21},
        {"the same first kit: the away side's second", 20, 45, 20, 0, 50, 0},
    };
    constexpr int H = 1, G = 2;
    int vorher[2][3];
    for (int s = 0; s < 3; ++s) vorher[0][s] = Trikot_Get_TrikotNr(H, s), vorher[1][s] = Trikot_Get_TrikotNr(G, s);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        ASSERT_TRUE(Trikot_Set_TrikotNr(H, f.heim, 0));
        ASSERT_TRUE(Trikot_Set_TrikotNr(H, f.heim_tw, 2));
        ASSERT_TRUE(Trikot_Set_TrikotNr(G, f.gast, 0));
        ASSERT_TRUE(Trikot_Set_TrikotNr(G, f.gast2, 1));
        ASSERT_TRUE(Trikot_Set_TrikotNr(G, f.gast_tw, 2));
        int kh = -1, kg = -1, th = -1, tg = -1;
        Trikot_Team_VS_Team(H, G, &kh, &kg, 0);
        Trikot_Team_VS_Team(H, G, &th, &tg, 2);
        EXPECT_EQ(kh, f.heim);
        if (f.gast_traegt >= 0) {
            EXPECT_EQ(kg, f.gast_traegt);
        }
        EXPECT_FALSE(Trikot_Verwechselbar(kh, kg)) << kh << " " << kg;
        EXPECT_FALSE(Trikot_Verwechselbar(th, tg)) << th << " " << tg;
        for (int k : {kh, kg}) {
            EXPECT_FALSE(Trikot_Verwechselbar(th, k)) << th << " " << k;
            EXPECT_FALSE(Trikot_Verwechselbar(tg, k)) << tg << " " << k;
        }
    }
    for (int s = 0; s < 3; ++s) Trikot_Set_TrikotNr(H, vorher[0][s], s), Trikot_Set_TrikotNr(G, vorher[1][s], s);
}

// The look-alike rule itself.
TEST_F(Betrieb, KitsThatLookAlike) {
    const struct {
        int a, b;
        bool gleich;
    } faelle[] = {
        {1, 36, true},    // white/black stripes, green/white stripes: white on both
        {36, 1, true},    // either way round
        {0, 38, true},    // white, green/white halves
        {11, 21, false},  // red/white and blue/white stripes
        {14, 24, false},  // red and blue, each with a sash
        {24, 24, true},   // the same kit
        {0, 4, true},     // white, white with a black sash
        {0, 5, false},    // white, black
        {0, 9, false},    // white, black with a white sash: the band is not half the shirt
        {20, 68, false},  // blue, claret/sky halves: the sky half is no blue
    };
    for (const auto& f : faelle) EXPECT_EQ(Trikot_Verwechselbar(f.a, f.b), f.gleich) << f.a << " " << f.b;
}

TEST_F(Betrieb, KitNumbersSetTheColourBlock) {
    u8 vorher[36];
    Team_Zeiger(700, 30, vorher, 32);
    ASSERT_TRUE(Trikot_Set_TrikotNr(30, 47, 1));
    const u8* f = static_cast<const u8*>(Team_Zeiger(700, 30, nullptr, 0));
    const Trikot_Def* d = Trikot_Get_TrikotStructure(47);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->nummer, 47);
    EXPECT_EQ(f[12], (d->hemd >> 16) & 0xFF);
    EXPECT_EQ(0, std::memcmp(f, vorher, 12));  // the first kit stays
    EXPECT_FALSE(Trikot_Set_TrikotNr(30, 80, 0));
    EXPECT_EQ(Trikot_Get_TrikotStructure(-1), nullptr);
    // The kits' picture blocks lie one after the other behind the fixed entries.
    for (int k : {0, 1, 47, TRIKOT_ANZAHL - 1})
        EXPECT_EQ(Trikot_Get_TrikotStructure(k)->bild, TRIKOT_BILD_ERSTER + TRIKOT_BILD_BLOCK * k) << k;
    EXPECT_EQ(Trikot_Get_TrikotStructure(TRIKOT_ANZAHL - 1)->bild + TRIKOT_BILD_BLOCK, 1056);
    EXPECT_TRUE(Trikot_Farbe_Gleich(0x102030, 0x1A2A3A, 10));
    EXPECT_FALSE(Trikot_Farbe_Gleich(0x102030, 0x1A2A3B, 10));
}

TEST_F(Betrieb, BankBookingsCreditAndMoneyText) {
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(16, 1000000.0, 0));
    ASSERT_TRUE(Bank_Konto_Anlegen(17, 200000.0, 0));
    f64 rahmen = Bank_Get_Kreditrahmen(17);
    EXPECT_GE(rahmen, 500000.0);
    EXPECT_EQ(static_cast<i64>(rahmen) % 10000, 0);
    // Within balance and credit line; beyond it only when forced.
    EXPECT_EQ(Bank_Buchen(17, 16, 150000.0f, BANK_TRANSFER_AUSGABE, 0, -1), 1);
    EXPECT_EQ(Bank_Buchen(17, 16, static_cast<f32>(rahmen + 60000), BANK_TRANSFER_AUSGABE, 0, -1), 0);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(17, 0, -1), 50000.0);
    EXPECT_EQ(Bank_Buchen(-1, 17, 0.5f, BANK_EINNAHME, 1, -1), 0);
    EXPECT_EQ(Bank_Buchen(-1, 17, 25000.0f, BANK_EINNAHME, 1, -1), 1);
    EXPECT_EQ(Bank_Buchen(5, 17, 25000.0f, BANK_EINNAHME, 1, -1), 0);  // team 5 has no account
    EXPECT_DOUBLE_EQ(Bank_Summe_Buchungen(16, 0, BANK_TRANSFER_AUSGABE, 0), 150000.0);
    EXPECT_DOUBLE_EQ(Bank_Summe_Buchungen(17, 0, BANK_TRANSFER_AUSGABE | BANK_RICHTUNG_AUS, 0), 150000.0);
    EXPECT_TRUE(Bank_Hat_Buchung_In_Periode(17, 0));
    Bank_Neue_Periode();
    EXPECT_FALSE(Bank_Hat_Buchung_In_Periode(17, 0));
    EXPECT_TRUE(Bank_Hat_Buchung_In_Periode(17, 1));
    // The ring keeps the last 700 bookings.
    for (int i = 0; i < 750; i++) Bank_Buchen(-1, 16, 1.0f, BANK_EINNAHME, 1, -1);
    EXPECT_EQ(Bank_Get_Konto(16)->anzahl, 700);
    EXPECT_EQ(Bank_Get_Konto(16)->ring_index, 51);  // one booking from before + 750
    // Credits.
    EXPECT_FALSE(Bank_Kredit(-1, 17, 50000.0f, 12, 0, -1.0f, 0));   // below the least amount
    EXPECT_FALSE(Bank_Kredit(-1, 17, 200000.0f, 60, 0, -1.0f, 0));  // term too long
    EXPECT_FALSE(Bank_Kredit(17, 16, 900000.0f, 12, 0, 5.0f, 0));   // lender cannot cover it
    EXPECT_TRUE(Bank_Kredit(-1, 17, 1200000.0f, 12, 0, -1.0f, 0));
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(17), 1);
    int c = 0;
    const Bank_Kredit_Eintrag* e = Bank_Get_Naechster_Kredit(17, &c);
    ASSERT_NE(e, nullptr);
    EXPECT_FLOAT_EQ(e->zins, 8.0f);
    EXPECT_FLOAT_EQ(e->betrag_zins, 1200000.0f * 1.08f);
    EXPECT_EQ(Bank_Get_Naechster_Kredit(17, &c), nullptr);
    f64 vor = Bank_Get_Kontostand(17, 0, -1);
    for (int m = 0; m < 12; m++) Bank_Neue_Periode();
    EXPECT_NEAR(Bank_Get_Kontostand(17, 0, -1), vor - 1200000.0 * 1.08, 5.0);
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(17), 0);
    // An investment: the team lends to the bank and gets it back with interest.
    Bank_Buchen(-1, 16, 3000000.0f, BANK_EINNAHME, 1, -1);
    f64 anfang = Bank_Get_Kontostand(16, 0, -1);
    ASSERT_TRUE(Bank_Kredit(16, -1, 1000000.0f, 24, 0, -1.0f, 0));
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(16, 0, -1), anfang - 1000000.0);
    c = 0;
    e = Bank_Get_Naechster_Kredit(16, &c);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->anlage, 1);
    for (int m = 0; m < 24; m++) Bank_Neue_Periode();
    EXPECT_NEAR(Bank_Get_Kontostand(16, 0, -1), anfang + 1000000.0 * 0.078 * 2, 10.0);
    // Between two clubs: both list it; the lender gets the parts back.
    Bank_Buchen(-1, 17, 2000000.0f, BANK_EINNAHME, 1, -1);
    f64 geber = Bank_Get_Kontostand(16, 0, -1), nehmer = Bank_Get_Kontostand(17, 0, -1);
    ASSERT_TRUE(Bank_Kredit(16, 17, 500000.0f, 10, 0, 6.0f, 0));
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(16), 1);
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(17), 1);
    for (int m = 0; m < 10; m++) Bank_Neue_Periode();
    EXPECT_NEAR(Bank_Get_Kontostand(16, 0, -1), geber + 500000.0 * 0.05, 10.0);
    EXPECT_NEAR(Bank_Get_Kontostand(17, 0, -1), nehmer - 500000.0 * 0.05, 10.0);
    EXPECT_EQ(Bank_Get_Anzahl_Kredite(16), 0);
    EXPECT_FALSE(Bank_Kredit(-1, -1, 500000.0f, 10, 0, 6.0f, 0));
    // Money texts (currencies: ClubsKeepEurosAndShowTheirCountrysCurrency).
    EXPECT_STREQ(Bank_Geld_String(1234567.4, 16, -1, 0), "1.234.567 €");
    EXPECT_STREQ(Bank_Zahl_String(nullptr, 1000, 0), "1.000");
}

TEST_F(Betrieb, ExchangeWithTheMarketMovesPlayersAndMoney) {
    Bank_Init();
    ASSERT_TRUE(Bank_Konto_Anlegen(40, 5000000.0, 0));
    int geht = Team_Kader(40)[19];
    i32 m[20];
    ASSERT_GT(Teamspieler_Ins_Array(0, m, 20, SP_FILTER_OHNE_SCOUT), 0);
    int kommt = m[3];
    EXPECT_EQ(Spieler_Tauschen(40, 0, geht, kommt, 300000), 1);
    EXPECT_EQ(Spieler_Get_Team(kommt), 40);
    EXPECT_EQ(Spieler_Get_Team(geht), 0);
    EXPECT_EQ(Team_Kader_Anzahl(40), 20);
    EXPECT_EQ(Team_Kader_Anzahl(0), 1700);
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(40, 0, -1), 4700000.0);
    // Too dear: refused, nothing moves.
    EXPECT_EQ(Spieler_Tauschen(40, 0, kommt, geht, 900000000), 0);
    EXPECT_EQ(Spieler_Get_Team(kommt), 40);
    // Proceeds of the leaving player count against the price.
    Welt_Hooks h;
    h.transfer_erloes = [](i32) { return 4800000; };
    Welt_Set_Hooks(h);
    int dritter = m[5];
    EXPECT_EQ(Spieler_Tauschen(40, 0, kommt, dritter, 9000000), 1);  // 4.7 M balance + 4.8 M proceeds cover 9 M
    EXPECT_DOUBLE_EQ(Bank_Get_Kontostand(40, 0, -1), 4700000.0 - 9000000.0 + 4800000.0);
    EXPECT_EQ(Spieler_Tauschen(40, 0, dritter, kommt, 0), 1);
    Welt_Set_Hooks({});
    // Without a price one transfer of the season is used; -1 lets the market pick.
    Team_Wert(20, 40, 2, OP_SCHREIBEN);
    EXPECT_EQ(Spieler_Tauschen(40, 0, kommt, -1, 0), 1);
    EXPECT_EQ(Team_Wert(20, 40, 0, OP_LESEN), 1);
    EXPECT_EQ(Spieler_Get_Team(kommt), 0);
}

TEST_F(Betrieb, PricesAreRoundedAndDemandsStayTheSameAllDay) {
    EXPECT_EQ(Global_Runde_10000(0), 0);
    EXPECT_EQ(Global_Runde_10000(-5), 0);
    EXPECT_EQ(Global_Runde_10000(1239999), 1230000);
    const int s = 1800;
    i32 a = Global_Transfer_Forderung(s);
    Rnd_Basis(0, 5);
    EXPECT_EQ(Global_Transfer_Forderung(s), a);
    EXPECT_EQ(a % 10000, 0);
    EXPECT_GT(Global_Scout_Grundpreis(3, 16), 0);
    EXPECT_EQ(Global_Scout_Grundpreis(3, 16) % 10000, 0);
    EXPECT_GT(Global_Scout_Grundpreis(3, 16), Global_Scout_Grundpreis(0, 16));
    Team_Aktiv = 16;
    EXPECT_EQ(Global_Trainingslager_Kosten(2) % 10000, 0);
    EXPECT_EQ(Global_Trainingslager_Kosten(8), 0);
    EXPECT_STREQ(Spieler_Get_Verletzungs_Text(42), "");
}

}  // namespace
