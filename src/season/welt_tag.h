// The world's own daily step. The run loop runs it right after the daily
// tick, which it leaves as it is: on the first day of a month the bank
// starts its next booking period (loans pay their monthly part) and every
// club pays its players' wages and receives its sponsor and broadcasting
// money, a managed club's players below the middle regain a step of
// morale, and in July, August and January the computer clubs trade with
// other clubs of their division level (and the transfer market) as their
// money says; on 3 July, when a new season begins,
// the players age, retire and come through; every day they rest
// (world/leben.h). Not on a network client.
#pragma once

#include <map>
#include <vector>

#include "base/types.h"
#include "world/leben.h"
#include "world/werbung.h"


// Each team's star places (world/leben.h) for the season change and the
// transfer windows, by its standing in its league (the mean fine strength
// of its eleven best, ties by the ground): in a top division with
// divisions below it these (every big league alike), in every other league
// none; -1 for a team that is not a club; with each club's league and its
// division's level.
// With `naechste_saison` each club counts in the league it plays next
// (Welt_Tag_Naechste_Liga): the summer window opens before the new season's
// fields start, and a promoted club trades with its new division, not with
// the one it has left.
constexpr i32 WELT_STERNPLAETZE_OBEN[] = {4, 3, 3, 2, 2, 1, 1, 1, 1, 1, 1};
Leben_Sterne Welt_Tag_Sterne(bool naechste_saison = false);

// The base league a club plays in next: the one whose next season's field
// already lists it (from the end of a season to the start of the next),
// else the one it plays in; -1 none.
i32 Welt_Tag_Naechste_Liga(int team);

// A club's size: its ground against the median ground of league `liga`'s
// clubs (1 when the league has none).
f64 Welt_Tag_Groesse(int team, i32 liga);
// Every club's league and each league's median wage bill and ground, taken
// in one pass over the clubs: the month's money books every club against
// its league's medians, which asked club by club went over all clubs again
// for each of them. Wages, grounds and leagues do not change while the
// month's money is booked, so the medians hold for the whole step.
struct Welt_Tag_Ligen {
    std::vector<i32> liga;   // each team's base league, -1 none or not a club
    std::map<i32, f64> gehalt;  // the median wage bill of each league's clubs
    std::map<i32, i32> platz;   // the median ground of each league's clubs
    // The team's league's median wage bill (0 without a league) and its
    // size (Welt_Tag_Groesse in its league; 1 without a league).
    f64 Gehalt(int team) const;
    f64 Groesse(int team) const;
};
Welt_Tag_Ligen Welt_Tag_Ligen_Erfassen();

// A club's monthly sponsor and broadcasting money (world/werbung.h) while
// it plays in a league, else 0.
f64 Welt_Tag_Sponsorgeld(int team);
// A computer club's monthly spending on its training and youth:
// WELT_UEBERSCHUSS_PROZENT of the money it holds beyond
// WELT_UEBERSCHUSS_AB_PROZENT of its reserve (world/werbung.h), booked
// (BANK_TRAINING); the amount, 0 for a managed club, a club outside the
// leagues or one within that.
f64 Welt_Tag_Ueberschuss_Ausgeben(int team);
// The deals a computer club makes at most in a transfer window
// (Leben_Transfer), `naechste` the star places by the next season's
// leagues (Welt_Tag_Sterne(true)): WELT_DEALS, a club entered for a
// division above its own (promoted, in the window before the new season
// starts) WELT_DEALS_AUFSTEIGER. Why: at two deals a promoted club spent
// much of its promotion money in January (its eleven rose by 100 in its
// first season, by 180 at fifteen months' money), strengthened after the
// matches that decide most; with six it signs before the first matchday
// (a rise of 50 in the season), and 42 % go straight down again against
// 43 % (at fifteen months 36 % against 40 %).
constexpr i32 WELT_DEALS = 2;
constexpr i32 WELT_DEALS_AUFSTEIGER = 6;
i32 Welt_Tag_Deals(int team, const Leben_Sterne& naechste);

// The step itself, told whether the day that has just begun opens a new
// month and a new season.
void Welt_Tag(bool neuer_monat, bool neue_saison);
