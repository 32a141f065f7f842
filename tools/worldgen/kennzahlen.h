// The figures of a loaded world, measured with the game's own rules (market
// values, wages, kit clashes): the generator's report prints them and the
// world tests hold them in their bands.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace worldgen {

// The season the world starts in: ages count from it.
constexpr int WELT_STICHJAHR = 2003;
// A star: a player in the top three half-star steps.
constexpr int STERN_AB = 10000;

struct Liga_Zahlen {
    std::string name;  // country code and level, "DEU 1"
    int nation = 0, ebene = 0;
    bool gross = false;  // top level of a country with two levels or more
    int teams = 0;
    int sterne = 0;  // players in the top three half-star steps
    int staerke_median = 0, staerke_max = 0;
    double kaderwert_max = 0, kaderwert_median = 0;  // squad values
    double lohnsumme_mittel = 0;                     // mean wage bill of a club
    int kapazitaet_min = 0, kapazitaet_max = 0;
    double kapazitaet_korrelation = 0;  // rank correlation of capacity and squad value
    int grund_ueber_kader = 0;          // pairs where the club with the bigger ground has an eleven 2,000 weaker
    int offene_sternplaetze = 0;        // star places (by standing) that clubs without a star leave open
    int trikot_konflikte = 0;           // pairings where the visitors wear a kit not their own
    int trikot_verwechselbar = 0;       // pairings whose two kits can be taken for each other
};

struct Kennzahlen {
    int vereinsspieler = 0;
    int alter_min = 0, alter_max = 0;
    double alter_median = 0;
    std::vector<int> alter_haeufigkeit;  // club players by age 0..49
    double korrelation_bis_gipfel = 0;   // age and strength of club players aged 17 to 27
    double korrelation_nach_gipfel = 0;  // the same for 30 and older
    double luft_mit_25_26 = 0;           // mean room to grow (step middle minus strength) of club players 25 and 26
    int staerke_median[4][4] = {};       // [level 1..3, 0 national teams][position]
    std::vector<Liga_Zahlen> ligen;
    double stern_wert = 0;          // median value of the big leagues' stars
    double ebene3_wert_median = 0;  // median value of a third-level player
    double lohn_verhaeltnis = 0;    // mean wage bill top level / third level
    int markt_spieler = 0, markt_max = 0, markt_veteranen = 0, markt_jung = 0;
    int bester_grosser_liga_min = 0;    // the weakest of the big leagues' best players
    int doppelte_namen = 0;             // full names held by more than one person
    int doppelte_stadien = 0;           // ground names held by more than one team
    std::vector<std::string> gesperrt;  // names on a block list, of a broken form, cut short names
    int eigene_trikots_gleich = 0;      // clubs whose two kits look alike
};

// Measures the world the game has loaded.
Kennzahlen kennzahlen_messen();
// Loads the world of a folder and prints its figures; false when it does not load.
bool bericht_drucken(const char* ordner, FILE* aus);

}  // namespace worldgen
