// Substitutions, tactics in the match, the evaluation after the matchday and
// the refusals of bad input.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/datei.h"
#include "base/debug.h"
#include "match_test.h"
#include "world/aufstellung.h"

namespace {

using Wechsel = MatchTest;

std::string Protokoll;
void mitschreiben(u32, const char* zeile, void*) { Protokoll += zeile; }

// Plays until the next dead ball has carried out the queued changes.
void bis_ruhe(Spielfeld_Daten* sf, int seite, int gemacht) {
    for (int i = 0; i < 20000 && sf->seite[seite].wechsel_gemacht < gemacht; i++) Partie_Schritt(sf, 200);
}

TEST_F(Wechsel, ASubstituteComesOnAtTheNextDeadBallAndTheOneOffCannotReturn) {
    Spielfeld_Daten* sf = neu(1, liga[0], liga[1], 42);
    ASSERT_NE(sf, nullptr);
    const int rein = 11, raus = 5;  // bench slot 11 for field slot 5
    ASSERT_EQ(sf->spieler[rein].status & SFS_BANK, SFS_BANK);
    ASSERT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, rein, raus), SFW_OK);
    EXPECT_TRUE(Spielfeld_Ist_In_Rollenliste_A(sf, rein));
    EXPECT_TRUE(Spielfeld_Ist_In_Rollenliste_B(sf, raus));
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, rein, 6), SFW_SCHON_IN_LISTE);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 12, raus), SFW_SCHON_IN_LISTE);
    i32 sp_rein = sf->spieler[rein].spieler, sp_raus = sf->spieler[raus].spieler;
    bis_ruhe(sf, 0, 1);
    ASSERT_EQ(sf->seite[0].wechsel_gemacht, 1);
    EXPECT_EQ(sf->spieler[rein].status & SFS_AUF_DEM_PLATZ, SFS_AUF_DEM_PLATZ);
    EXPECT_EQ(sf->spieler[raus].status & SFS_AUSGEWECHSELT, SFS_AUSGEWECHSELT);
    EXPECT_EQ(sf->spieler[raus].status & SFS_AUF_DEM_PLATZ, 0u);
    EXPECT_FALSE(Spielfeld_Ist_In_Rollenliste_A(sf, rein));
    // The event names both players.
    bool gefunden = false;
    for (const auto& e : Partie_Ereignisse(1))
        if ((e.flags & SFE_WECHSEL) && e.spieler == sp_rein && e.zweiter == sp_raus) gefunden = true;
    EXPECT_TRUE(gefunden);
    // The one who went off cannot come back, nor can the one on come on again.
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, raus, 6), SFW_NICHT_AUF_BANK);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, rein, 6), SFW_NICHT_AUF_BANK);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 12, raus), SFW_NICHT_AUF_PLATZ);
    // The substitute plays from the place of the one he replaced.
    EXPECT_EQ(sf->spieler[rein].taktik_x, sf->spieler[raus].taktik_x);
}

TEST_F(Wechsel, ThreeSubstitutionsAtMostAndOnlyForTheOwnSide) {
    Spielfeld_Daten* sf = neu(2, liga[2], liga[3], 43);
    ASSERT_NE(sf, nullptr);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 28, 5), SFW_SEITE);  // away bench for the home side
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 1, 28, 5), SFW_SEITE);  // home field player for the away side
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 2, 11, 5), SFW_SEITE);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(nullptr, 0, 11, 5), SFW_KEIN_SPIELFELD);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 3, 5), SFW_NICHT_AUF_BANK);  // a field player
    // An empty bench slot.
    sf->spieler[16].spieler = -1;
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 16, 5), SFW_SLOT_LEER);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 11, 1), SFW_OK);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 12, 2), SFW_OK);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 13, 3), SFW_OK);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 14, 4), SFW_KEINE_WECHSEL);  // a fourth
    bis_ruhe(sf, 0, 3);
    EXPECT_EQ(sf->seite[0].wechsel_gemacht, 3);
    EXPECT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, 15, 4), SFW_KEINE_WECHSEL);
    int auf_platz = 0;
    for (int i = 0; i < SF_PRO_SEITE; i++) auf_platz += (sf->spieler[i].status & SFS_AUF_DEM_PLATZ) ? 1 : 0;
    EXPECT_EQ(auf_platz, 11);
}

TEST_F(Wechsel, AKeeperIsReplacedInGoalAndTheComputerChangesTiredPlayers) {
    Spielfeld_Daten* sf = neu(3, liga[4], liga[5], 44);
    ASSERT_NE(sf, nullptr);
    ASSERT_EQ(sf->objekt[0].torwart, 1);
    int bank_tw = -1;
    for (int i = 11; i < SF_PRO_SEITE; i++)
        if (sf->spieler[i].spieler >= 0 && sf->spieler[i].position == 0) bank_tw = i;
    ASSERT_GE(bank_tw, 0);
    ASSERT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, bank_tw, 0), SFW_OK);
    bis_ruhe(sf, 0, 1);
    EXPECT_EQ(sf->objekt[bank_tw].torwart, 1);
    EXPECT_EQ(sf->objekt[0].torwart, 0);
    int torhueter = 0;
    for (int i = 0; i < SF_PRO_SEITE; i++) torhueter += sf->objekt[i].torwart;
    EXPECT_EQ(torhueter, 1);
    // The away side is a computer side: by the end it has made changes.
    Partie_Optionen o;
    Partie_Spielen(3, o);
    EXPECT_GE(sf->seite[1].wechsel_gemacht, 1);
    EXPECT_LE(sf->seite[1].wechsel_gemacht, 3);
}

TEST_F(Wechsel, TacticalPositionsAndValuesChangeTheSide) {
    Spielfeld_Daten* sf = neu(4, liga[6], liga[7], 45);
    ASSERT_NE(sf, nullptr);
    i32 y = 0;
    EXPECT_GE(Spielfeld_Get_Taktikposition(sf, 5, &y), 0);
    EXPECT_TRUE(Spielfeld_Set_Taktikposition(sf, sf->team[0], 5, 99999, -5));
    EXPECT_EQ(Spielfeld_Get_Taktikposition(sf, 5, &y), 9800);  // held to the tactical area
    EXPECT_EQ(y, 400);
    EXPECT_FALSE(Spielfeld_Set_Taktikposition(sf, sf->team[1], 5, 3000, 3000));  // not his team
    EXPECT_FALSE(Spielfeld_Set_Taktikposition(sf, sf->team[0], 40, 3000, 3000));
    EXPECT_EQ(Spielfeld_Get_Taktikposition(sf, 34, &y), -1);
    EXPECT_TRUE(Spielfeld_Set_Taktikwert(sf, 1, TW_WERT3, 100));
    EXPECT_EQ(sf->seite[1].taktik[TW_WERT3], 100);
    EXPECT_EQ(sf->seite[1].taktik[TW_WERT3_ABG], 75);
    EXPECT_TRUE(sf->seite[1].netz_aenderung & SFA_NEU_BERECHNEN);
    EXPECT_FALSE(Spielfeld_Set_Taktikwert(sf, 1, TW_FREI, 1));
    EXPECT_TRUE(Spielfeld_Set_Taktikwert(sf, 0, TW_WERT1, 250));
    EXPECT_EQ(sf->seite[0].taktik[TW_WERT1], 100);
    // Out of position: a goalkeeper up front loses his half stars.
    EXPECT_EQ(Spielfeld_Positionsabzug(sf, 0, 0, 200, 3400), 0);
    EXPECT_GT(Spielfeld_Positionsabzug(sf, 0, 0, 9000, 3400), 0);
}

// The tactical point of formation row r.
i32 reihe(int r) { return Spielfeld_Taktik_Aus_Cm(r == 0 ? 250 : 1200 + 520 * r); }

TEST_F(Wechsel, APlayerOutOfPositionIsRatedLowerByExactlyHisDeduction) {
    Spielfeld_Daten* sf = neu(6, liga[2], liga[3], 47);
    ASSERT_NE(sf, nullptr);
    // The row where each class has nothing deducted.
    const int eigene[4] = {0, 2, 5, 9};
    static int hook_antwort;
    static i32 hook_team, hook_spieler;
    const struct {
        int klasse, reihe, hook, erwartet;
    } faelle[] = {
        {1, 2, -1, 0},  // a defender in defence
        {1, 5, -1, 2},  // in midfield
        {1, 10, -1, 4},  // up front
        {3, 2, -1, 4},  // a forward in defence
        {2, 0, -1, 6},  // a field player in goal
        {0, 5, -1, 6},  // the keeper in midfield
        {1, 10, 3, 3},  // the installed rule (the line-up screen's) is asked instead
        {1, 10, 0, 0},
    };
    for (const auto& f : faelle) {
        int slot = -1;
        for (int i = 0; i < SF_PRO_SEITE && slot < 0; ++i)
            if (sf->spieler[i].spieler >= 0 && (sf->spieler[i].status & SFS_AUF_DEM_PLATZ) &&
                sf->spieler[i].position == f.klasse)
                slot = i;
        ASSERT_GE(slot, 0) << "class " << f.klasse;
        Spielfeld_Hooks h = Spielfeld_Get_Hooks();
        hook_antwort = f.hook, hook_team = -1, hook_spieler = -1;
        // The installed rule: its answer up front, nothing elsewhere (-1: the engine's own).
        h.positionsabzug = [](const Spielfeld_Daten*, i32 team, i32 spieler, i32 x, i32) {
            hook_team = team, hook_spieler = spieler;
            return hook_antwort < 0 ? -1 : (x > 8000 ? hook_antwort : 0);
        };
        Spielfeld_Set_Hooks(h);
        ASSERT_TRUE(Spielfeld_Set_Taktikposition(sf, sf->team[0], slot, reihe(eigene[f.klasse]), 3400));
        const int zu_hause = Spielfeld_Faehigkeit(sf, slot, 100);
        EXPECT_EQ(sf->abzug[slot], 0) << f.klasse;
        ASSERT_TRUE(Spielfeld_Set_Taktikposition(sf, sf->team[0], slot, reihe(f.reihe), 3400));
        EXPECT_EQ(sf->abzug[slot], f.erwartet) << "class " << f.klasse << " in row " << f.reihe;
        EXPECT_EQ(Spielfeld_Faehigkeit(sf, slot, 100), zu_hause - f.erwartet * SF_HALBSTERN_PUNKTE)
            << "class " << f.klasse << " in row " << f.reihe;
        if (f.hook >= 0) {
            EXPECT_EQ(hook_team, static_cast<i32>(sf->team[0]));
            EXPECT_EQ(hook_spieler, sf->spieler[slot].spieler);
        }
        ASSERT_TRUE(Spielfeld_Set_Taktikposition(sf, sf->team[0], slot, reihe(eigene[f.klasse]), 3400));
        Spielfeld_Set_Hooks(Partie_Hooks());
    }
}

TEST_F(Wechsel, ASubstituteIsRatedAtThePlaceHeTakes) {
    Spielfeld_Daten* sf = neu(7, liga[4], liga[5], 48);
    ASSERT_NE(sf, nullptr);
    int raus = -1;
    for (int i = 1; i < MAX_SPIELER_EINGESETZT && raus < 0; ++i)
        if (sf->spieler[i].position == 1 && (sf->spieler[i].status & SFS_AUF_DEM_PLATZ)) raus = i;
    ASSERT_GE(raus, 0);
    int rein = -1;
    for (int i = MAX_SPIELER_EINGESETZT; i < SF_PRO_SEITE && rein < 0; ++i)
        if (sf->spieler[i].spieler >= 0 && sf->spieler[i].position != 0 && (sf->spieler[i].status & SFS_BANK)) rein = i;
    ASSERT_GE(rein, 0);
    ASSERT_TRUE(Spielfeld_Set_Taktikposition(sf, sf->team[0], raus, reihe(10), 3400));
    EXPECT_EQ(sf->abzug[raus], 4);
    EXPECT_EQ(sf->abzug[rein], 0) << "not rated on the bench";
    ASSERT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, rein, raus), SFW_OK);
    bis_ruhe(sf, 0, 1);
    ASSERT_NE(sf->spieler[rein].status & SFS_EINGEWECHSELT, 0u);
    EXPECT_EQ(sf->abzug[rein], Aufstellung_Abzug(sf->spieler[rein].position, 10));
    EXPECT_EQ(sf->abzug[raus], 0) << "off the pitch";
}

TEST_F(Wechsel, TheEvaluationBooksCardsInjuriesAndStatisticsOnce) {
    struct Buch {
        int aufrufe = 0, strafen = 0, nach_spiel = 0, z7 = 0;
    };
    static Buch b;
    b = Buch{};
    Spielfeld_Daten* sf = neu(5, liga[8], liga[9], 46);
    ASSERT_NE(sf, nullptr);
    Partie_Optionen o;
    Partie_Spielen(5, o);
    // Cards and an injury for the books.
    i32 rot = sf->spieler[3].spieler, verletzt = sf->spieler[20].spieler;
    sf->spieler[3].status |= SFS_ROT;
    sf->spieler[20].verletzung = 5;
    Spieler_Wert(98, rot, 7, OP_SCHREIBEN);
    Spielfeld_Hooks mit;
    mit.statistik_spieler = [](i32, u32, int, int minuten, int note, int) {
        b.aufrufe++;
        if (minuten > 0) {
            EXPECT_TRUE(note >= 1 && note <= 6);
        }
    };
    mit.strafe = [](u32, i32) { b.strafen++; };
    mit.spieler_nach_spiel = [](u32, i32) { b.nach_spiel++; };
    mit.wettbewerb_ereignis = [](u32, i32, int z, int) {
        if (z == 7) b.z7++;
    };
    Spielfeld_Set_Hooks(mit);
    Spielfeld_Auswertung(7);
    EXPECT_GE(b.aufrufe, 22);
    int vom_platz = 0;  // every sending-off is fined once
    for (const auto& sp : sf->spieler)
        if (sp.status & (SFS_ROT | SFS_GELBROT)) vom_platz++;
    EXPECT_EQ(b.strafen, vom_platz);
    // The left-out player's event is asked for the players who did not
    // play: the slots with a player that were never on the pitch.
    int nicht_gespielt = 0;
    for (int slot = 0; slot < SF_SPIELER; ++slot)
        if (const auto& sp = sf->spieler[slot];
            sp.spieler >= 0 && sf->statistik[slot][SFST_MINUTEN] == 0 &&
            !(sp.status & (SFS_AUF_DEM_PLATZ | SFS_EINGEWECHSELT | SFS_AUSGEWECHSELT)))
            ++nicht_gespielt;
    EXPECT_EQ(b.nach_spiel, nicht_gespielt);
    EXPECT_GE(b.z7, 22);
    // The sending-off is marked with the mark the check before the next
    // match clears (the ban itself lives in the competition's counters):
    // nothing else keeps the player out once his ban is served.
    EXPECT_TRUE(Spieler_Wert(75, rot, 0, OP_LESEN) & SP_STATUS_ROT);
    EXPECT_EQ(Spieler_Wert(75, rot, 0, OP_LESEN) & SP_STATUS_NICHT_SPIELBEREIT & ~(SP_STATUS_GELBSPERRE | SP_STATUS_GELBROT | SP_STATUS_ROT), 0);
    EXPECT_TRUE(Spieler_Wert(75, verletzt, 0, OP_LESEN) & SP_STATUS_VERLETZT);
    EXPECT_EQ(Spieler_Wert(70, verletzt, 0, OP_LESEN), 4);
    EXPECT_EQ(Spieler_Wert(98, rot, 0, OP_LESEN), 0);
    // A second evaluation books nothing twice.
    int vorher = b.aufrufe;
    Spielfeld_Auswertung(7);
    EXPECT_EQ(b.aufrufe, vorher);
    // On a client nothing is booked.
    Spieler_Wert(75, rot, SP_STATUS_GESPERRT | SP_STATUS_ROT, OP_BITS_LOESCHEN);
    sf->ausgewertet = 0;
    Internet_Modus = INTERNET_MODUS_CLIENT;
    Spielfeld_Auswertung(7);
    Internet_Modus = INTERNET_MODUS_EINZEL;
    EXPECT_FALSE(Spieler_Wert(75, rot, 0, OP_LESEN) & (SP_STATUS_GESPERRT | SP_STATUS_ROT));
    Spielfeld_Spieler_Wert56_Loeschen(rot);
    EXPECT_EQ(Spieler_Wert(56, rot, 0, OP_LESEN), 0);
    Spieler_Wert(98, rot, 9, OP_SCHREIBEN);
    Spielfeld_Reset_Trainingszaehler(sf->team[0]);
    EXPECT_EQ(Spieler_Wert(98, rot, 0, OP_LESEN), 0);
    Spieler_Wert(75, verletzt, SP_STATUS_VERLETZT, OP_BITS_LOESCHEN);
}

// Only a player who did not play is the left-out player: a starter who
// played on, a starter taken off and a substitute brought on are not; a
// substitute left on the bench is. The substitute brought on carries the
// mark of coming on into the statistics.
TEST_F(Wechsel, TheLeftOutEventIsOnlyForPlayersWhoDidNotPlay) {
    static std::vector<i32> links_liegen;
    static std::map<i32, int> marken;
    links_liegen.clear();
    marken.clear();
    Spielfeld_Daten* sf = neu(6, liga[4], liga[5], 47);
    ASSERT_NE(sf, nullptr);
    const int rein = 11, raus = 5;
    bis_minute(sf, 20, 45);
    ASSERT_EQ(Spielfeld_Wechsel_Eintragen(sf, 0, rein, raus), SFW_OK);
    Partie_Optionen o;
    Partie_Spielen(6, o);
    ASSERT_GE(sf->seite[0].wechsel_gemacht, 1);
    ASSERT_TRUE(sf->spieler[rein].status & SFS_EINGEWECHSELT);
    Spielfeld_Hooks mit;
    mit.spieler_nach_spiel = [](u32, i32 sp) { links_liegen.push_back(sp); };
    mit.statistik_spieler = [](i32 sp, u32, int, int, int, int marke) { marken[sp] = marke; };
    Spielfeld_Set_Hooks(mit);
    Spielfeld_Auswertung(7);
    auto gemeldet = [](i32 sp) { return std::count(links_liegen.begin(), links_liegen.end(), sp); };
    struct Fall {
        const char* wer;
        int slot;
        bool links_liegen;
        int marke;
    };
    // The side's own coach may take off others too: the starters who played
    // on are those never taken off.
    std::vector<int> durch;
    for (int slot = 0; slot < rein && durch.size() < 2; ++slot)
        if (!(sf->spieler[slot].status & SFS_AUSGEWECHSELT)) durch.push_back(slot);
    ASSERT_EQ(durch.size(), 2u);
    const Fall faelle[] = {
        {"starter who played on", durch[0], false, 0},
        {"starter who played on", durch[1], false, 0},
        {"starter taken off", raus, false, 16},
        {"substitute brought on", rein, false, 8},
    };
    for (const Fall& f : faelle) {
        const i32 sp = sf->spieler[f.slot].spieler;
        ASSERT_GE(sp, 0) << f.wer;
        EXPECT_EQ(gemeldet(sp), f.links_liegen ? 1 : 0) << f.wer << " (slot " << f.slot << ")";
        if (f.marke >= 0) {
            ASSERT_TRUE(marken.count(sp)) << f.wer;
            EXPECT_EQ(marken[sp] & 24, f.marke) << f.wer;
        }
    }
    // Every substitute left on the bench to the end, of either side.
    int bank = 0;
    for (int slot = 0; slot < SF_SPIELER; ++slot)
        if (const auto& sp = sf->spieler[slot];
            sp.spieler >= 0 && (sp.status & SFS_BANK) && !(sp.status & (SFS_EINGEWECHSELT | SFS_AUF_DEM_PLATZ))) {
            ++bank;
            EXPECT_EQ(gemeldet(sp.spieler), 1) << "slot " << slot;
        }
    EXPECT_GE(bank, 4);
    EXPECT_EQ(static_cast<int>(links_liegen.size()), bank);
}

TEST_F(Wechsel, BadFixturesAreRefusedWithAMessageAndNoRecord) {
    Protokoll.clear();
    Debug_Set_Capture(&mitschreiben, nullptr);
    // An unknown game, an unknown team, a club against itself.
    EXPECT_FALSE(Spielfeld_Neu(77, 0, 0, 0, 0, 1));
    Partie_Spiel_Anmelden(78, 5000, liga[0], 7);
    EXPECT_FALSE(Spielfeld_Neu(78, 0, 0, 0, 5000, 1));
    Partie_Spiel_Anmelden(79, liga[0], liga[0], 7);
    EXPECT_FALSE(Spielfeld_Neu(79, 0, 0, 0, liga[0], 1));
    // A side with ten players in its line-up.
    i32 s[20];
    int n = Teamspieler_Ins_Array(static_cast<int>(liga[1]), s, 20, SP_STATUS_AUFGESTELLT);
    ASSERT_EQ(n, 11);
    Spieler_Wert(75, s[4], SP_STATUS_AUFGESTELLT, OP_BITS_LOESCHEN);
    Partie_Spiel_Anmelden(80, liga[0], liga[1], 7);
    EXPECT_FALSE(Spielfeld_Neu(80, 0, 0, 0, liga[0], 1));
    Spieler_Wert(75, s[4], SP_STATUS_AUFGESTELLT, OP_BITS_SETZEN);
    EXPECT_EQ(Spielfeld_Anzahl(), 0);
    EXPECT_NE(Protokoll.find("unbekannt"), std::string::npos);
    EXPECT_NE(Protokoll.find("nur 10 Spieler"), std::string::npos);
    // A game twice.
    ASSERT_TRUE(Spielfeld_Neu(80, 0, 0, 0, liga[0], 1));
    EXPECT_FALSE(Spielfeld_Neu(80, 0, 0, 0, liga[0], 1));
    EXPECT_EQ(Spielfeld_Anzahl(), 1);
    Debug_Set_Capture(nullptr, nullptr);
}

TEST_F(Wechsel, TwoHundredPitchesAtMostAndADamagedSaveBlockKeepsTheOldOnes) {
    for (u32 i = 0; i < SF_MAX_SPIELFELDER; i++) {
        Partie_Spiel_Anmelden(100 + i, liga[i % 10], liga[10 + i % 10], 7);
        ASSERT_TRUE(Spielfeld_Neu(100 + i, 0, 0, 0, liga[i % 10], 1)) << i;
    }
    Partie_Spiel_Anmelden(999, liga[0], liga[1], 7);
    EXPECT_FALSE(Spielfeld_Neu(999, 0, 0, 0, liga[0], 1));
    EXPECT_EQ(Spielfeld_Anzahl(), SF_MAX_SPIELFELDER);
    // The save block of all 200 and its refusals.
    Datei_Status* d = Datei_Oeffnen_Speicher();
    ASSERT_TRUE(Spielfeld_Save(d));
    u32 groesse = 0;
    const u8* daten = Datei_Speicher_Daten(d, &groesse);
    EXPECT_EQ(groesse, 4u + SF_MAX_SPIELFELDER * SPIELFELD_GROESSE + 4u + 8u);
    std::vector<u8> block(daten, daten + groesse);
    Datei_Schliessen(d);
    auto lesen = [](const std::vector<u8>& b) {
        Datei_Status* l = Datei_Oeffnen_Speicher_Lesen(b.data(), static_cast<u32>(b.size()));
        bool ok = Spielfeld_Load(l);
        Datei_Schliessen(l);
        return ok;
    };
    EXPECT_TRUE(lesen(block));
    std::vector<u8> kurz(block.begin(), block.end() - 9);
    EXPECT_FALSE(lesen(kurz));
    std::vector<u8> zuviel = block;
    put_u32le(zuviel.data(), 201);
    EXPECT_FALSE(lesen(zuviel));
    std::vector<u8> doppelt = block;
    std::memcpy(doppelt.data() + 4 + SPIELFELD_GROESSE + 12, doppelt.data() + 4 + 12, 4);  // two records of one game
    EXPECT_FALSE(lesen(doppelt));
    std::vector<u8> cursor = block;
    put_u32le(cursor.data() + 4 + offsetof(Spielfeld_Inhalt, zufall), 7000);
    EXPECT_FALSE(lesen(cursor));
    // Indices and coordinates out of range would steer the engine outside its arrays.
    std::vector<u8> fuehrer = block;
    fuehrer[4 + offsetof(Spielfeld_Inhalt, ballfuehrer)] = 200;
    EXPECT_FALSE(lesen(fuehrer));
    std::vector<u8> liste = block;
    liste[4 + offsetof(Spielfeld_Inhalt, seite) + offsetof(Spielfeld_Seite, rein) + 2] = 77;
    EXPECT_FALSE(lesen(liste));
    std::vector<u8> ort = block;
    put_f32le(ort.data() + 4 + offsetof(Spielfeld_Inhalt, objekt) + SF_OBJ_BALL * sizeof(Spielfeld_Objekt),
              0.0f / 0.0f);
    EXPECT_FALSE(lesen(ort));
    // The frame period at the block's end (normally 45 ms).
    for (i32 periode : {0, -5, 1001, 1000000}) {
        std::vector<u8> takt = block;
        put_u32le(takt.data() + takt.size() - 4, static_cast<u32>(periode));
        EXPECT_FALSE(lesen(takt)) << periode;
    }
    // The running pitches are untouched by the refused blocks.
    EXPECT_EQ(Spielfeld_Anzahl(), SF_MAX_SPIELFELDER);
    EXPECT_NE(Spielfeld_Zeiger(100), nullptr);
    Spielfeld_DeInit();
    EXPECT_EQ(Spielfeld_Anzahl(), 0);
}

TEST_F(Wechsel, ShootOutKicksOnlyForPlayersOnThePitch) {
    Spielfeld_Daten* sf = neu(6, liga[0], liga[2], 47);
    ASSERT_NE(sf, nullptr);
    EXPECT_FALSE(Spielfeld_Set_Elfmeter(6, 0, 40));
    EXPECT_FALSE(Spielfeld_Set_Elfmeter(6, -1, 3));
    EXPECT_FALSE(Spielfeld_Set_Elfmeter(12345, 0, 3));
    // A sent-off player cannot kick; a player number is taken as well as a slot.
    sf->spieler[4].status |= SFS_ROT;
    EXPECT_FALSE(Spielfeld_Set_Elfmeter(6, 0, 4));
    EXPECT_TRUE(Spielfeld_Set_Elfmeter(6, 0, sf->spieler[5].spieler));
    EXPECT_EQ(sf->elfer_schuetze, 5);
}

}  // namespace
