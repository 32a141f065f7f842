// The figures of simulated seasons that tell whether a season is believable
// and the world alive: dice results by the gap in strength, champions and
// last places, the pre-season strongest clubs, promoted clubs that go down
// again, cup finalists from lower divisions, the ages, retirements, youth,
// stars, squads, balances and wages of the world. seasonsim prints them per
// season; the band test checks them over a few seeds.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/types.h"
#include "world/leben.h"

// A club's strength as the reports use it: the mean fine strength
// (0..12000) of its eleven strongest players.
i32 Bericht_Staerke(i32 team);

struct Bericht_Liga {
    i32 id = -1;
    std::string name;
    bool gross = false;  // a top division with relegation
    i32 meister = -1, letzter = -1;
    double meister_ppg = 0, letzter_ppg = 0;
    i32 staerkster = -1, staerkster_platz = 0;  // pre-season strongest club and its final place
    std::vector<i32> tabelle;                   // the clubs in their final order
    i32 abstieg = 0;                            // first relegation place (1-based, 0 none)
};

// A human club beside the computer clubs of its league and strength.
struct Bericht_Mensch {
    i32 team = -1;
    double ppg = 0, ppg_gleich = 0;  // its points a game; the computer clubs within 700 of its strength
    u32 gleich = 0;                  // how many those are
    double erschoepfung = 0, erschoepfung_liga = 0;  // mean exhaustion (0..9): its squad, the league's computer clubs
    double verletzt = 0, verletzt_liga = 0;          // injured players per squad
    double moral = 0, moral_liga = 0;                // mean morale (0..6)
};

struct Bericht_Saison {
    // Dice matches (no engine): results, and by the stronger side's margin
    // in fine strength (below 500, 1000, 2000, 3000, above) its wins,
    // draws and defeats.
    u32 spiele = 0, tore = 0, null_null = 0, remis = 0;
    u32 luecke[5][3] = {};
    // The same by margin for the matches of the match engine.
    u32 luecke_engine[5][3] = {};
    // League matches of the top divisions (dice and engine): home wins and goalless draws.
    u32 oben_spiele = 0, oben_heimsiege = 0, oben_auswaertssiege = 0, oben_null_null = 0;
    std::vector<Bericht_Liga> ligen;
    u32 aufsteiger = 0, aufsteiger_ab = 0;      // promoted clubs, and those relegated again
    u32 pokal_finalisten = 0, pokal_unten = 0;  // national cup finalists, from below the top division
    // The world at the season's end.
    double alter_median = 0;
    i32 alter_min = 0, alter_max = 0;
    u32 kader_min = 0, kader_max = 0;
    std::map<std::string, u32> stars;  // big league -> players of 10,000 fine strength or more
    double saldo_median = 0;           // top-division clubs
    double saldo_start = 0;            // their median when the first matchday was played
    u32 im_minus = 0, top_clubs = 0;
    double gehaelter = 0;              // wages booked this season, every club
    i32 abgaenge = 0, zugaenge = 0;    // players retired, youth players added
    i32 markt_deals = 0;               // computer clubs' deals with the transfer market
    u32 markt_wechsel = 0;             // players now at the market or a club who were at the other a season ago
    // Months of wages held at the season's end: the top-division clubs'
    // median and the richest club's.
    double monate_median = 0, reichster_monate = 0;
    std::vector<Bericht_Mensch> menschen;
    // Players of the world who share their full name with another.
    u32 namensgleiche = 0, spieler = 0;
    // Median club strength (Bericht_Staerke) by division level (league
    // percentage, 100 the top), now and when the first matchday was played.
    std::map<i32, double, std::greater<i32>> staerke_stufe, staerke_stufe_start;
    // Players now at another club than at the last season's end (the first
    // matchday for the first season), those of 9,000 fine strength or more;
    // the clubs' players of 9,000 or more at the season's end.
    u32 wechsel = 0, wechsel_stark = 0, clubs = 0, stark = 0;
    std::map<u32, u32> kader_groessen;  // squad size -> clubs
    i32 reichster = -1;                 // the club with the biggest balance
    double reichster_saldo = 0;
    std::vector<i32> im_minus_clubs;    // every club in the red at the season's end
};

// The bands over several seasons (and seeds): each figure beside the range
// real football gives.
struct Bericht_Summe {
    u32 saisons = 0;
    u32 ligen = 0, staerkster_meister = 0;  // big-league seasons, won by the pre-season strongest
    double meister_ppg = 0, letzter_ppg = 0;  // means over the big-league seasons
    double meister_je_10 = 0;                 // different champions per big league, per ten seasons
    u32 aufsteiger = 0, aufsteiger_ab = 0, pokal_finalisten = 0, pokal_unten = 0;
    u32 spiele = 0, tore = 0, null_null = 0, remis = 0;
    u32 luecke[5][3] = {}, luecke_engine[5][3] = {};
    u32 oben_spiele = 0, oben_heimsiege = 0, oben_auswaertssiege = 0, oben_null_null = 0;
    // Deals with the market; the span of the top divisions' median months
    // of wages and of the richest club's months.
    i32 markt_deals = 0;
    double monate_min = 1e9, monate_max = -1e9, reich_monate_min = 1e9, reich_monate_max = -1e9;
    // The world at the last season's end.
    double alter_median = 0;
    i32 alter_min = 0, alter_max = 0;
    u32 kader_min = 0, kader_max = 0, stars_min = 0, stars_max = 0;
    double saldo_median = 0, saldo_start = 0;
    u32 im_minus = 0;
    // Over all seasons: the most players sharing a full name at a season's
    // end; club-to-club transfers a club a season; the lowest top-division
    // median balance against the start; the most clubs in the red; the
    // squad sizes seen; the richest club against its top division's median.
    u32 namensgleiche_max = 0, wechsel = 0, wechsel_clubs = 0;
    double saldo_anteil_min = 1e9, reich_anteil_max = 0;
    u32 im_minus_erste = 0;  // top-division clubs in the red after the first season
    u32 top_clubs_erste = 0;
    std::set<u32> kader_groessen;
    // Clubs that ended some season in the red (and were in the black at the
    // last season's end); moves of players of 9,000 or more; the span of
    // retirements a season and of the median age at the seasons' ends; the
    // richest club's lowest multiple of the top divisions' median.
    std::set<i32> minus_clubs;
    u32 alle_clubs = 0, wechsel_stark = 0, minus_erholt = 0;
    // Players who went to or came from the transfer market in the seasons
    // after the first (the first starts its count late): the fewest and
    // the most in one season.
    u32 markt_wechsel_min = 0, markt_wechsel_max = 0;
    i32 abgaenge_min = 1 << 30, abgaenge_max = 0;
    double alter_median_min = 99, alter_median_max = 0, reich_anteil_min = 1e9;
    std::vector<i32> im_minus_jetzt;
    // Human clubs' seasons: sums of their points a game, of the computer
    // clubs' of their strength (seasons that have such), morale and their
    // league's morale.
    u32 mensch_saisons = 0, mensch_gleich_saisons = 0;
    double mensch_ppg = 0, mensch_ppg_gleich = 0, mensch_ppg_bei_gleich = 0, mensch_moral = 0, mensch_moral_liga = 0;
    std::map<i32, double, std::greater<i32>> staerke_stufe, staerke_stufe_start;  // at the end, at the start
    // Clubs that rose most in strength from the first matchday to the end
    // (strongest rise first).
    std::vector<std::pair<i32, i32>> aufsteiger_staerke;  // (club, rise)
    // Win rate of the stronger side by margin class.
    double sieg_anteil(int klasse) const;
};
// Adds a season to the sum; `meister` the champions per league of the run.
void Bericht_Summe_Dazu(Bericht_Summe& summe, const Bericht_Saison& s);
void Bericht_Summe_Meister(Bericht_Summe& summe, const std::map<std::string, std::vector<i32>>& meister);

class Saison_Bericht {
  public:
    // Called with each competition's finished matchday, before and after the
    // competition's end-of-games work.
    void Vor_Beendet(i32 wettbewerb);
    void Nach_Beendet(i32 wettbewerb);
    // Closes the season: the world's figures; the collected season returned
    // and a new one begun.
    Bericht_Saison Saison_Ende();
    // Champions of each league over all seasons so far (league name -> clubs).
    const std::map<std::string, std::vector<i32>>& Meister() const { return meister_; }

  private:
    struct Stand {
        i32 punkte = 0, spiele = 0;
    };
    Bericht_Saison s_;
    std::map<std::pair<i32, i32>, Stand> stand_;  // (competition, team)
    std::map<i32, i32> staerkster_;               // competition -> its strongest club at the first matchday
    std::map<i32, i32> stufe_;                    // league -> its level (league percentage) at the first matchday
    std::map<i32, i32> liga_stufe_vorher_;        // team -> level of last season's league
    std::map<i32, i32> liga_stufe_jetzt_;
    std::map<i32, Bericht_Liga> ligen_;                 // finished leagues of the season
    std::map<i32, std::pair<i32, i32>> finale_;         // national cups' finalists
    std::map<std::string, std::vector<i32>> meister_;
    Welt_Zahlen vorher_;
    double saldo_start_ = -1;
    std::map<i32, double, std::greater<i32>> staerke_stufe_start_;
    std::vector<i32> verein_vorher_;  // each player's club at the last season's end (-1 none)
    std::map<i32, i32> staerke_start_;  // club -> strength at the first matchday

  public:
    // Each club's rise in strength since the first matchday.
    std::vector<std::pair<i32, i32>> Staerke_Anstieg() const;
};
