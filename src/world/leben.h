// A world that lives from season to season: players age with the calendar
// and their strength follows the age curve, old players retire and each
// one's place in his club (or the transfer market) goes to a youth player,
// and the clubs pay their players' wages month by month.
//
// Everything changed lives in the records the save game already holds
// (birth years, strengths, names and looks, the bank's bookings); the
// figures below are running totals for the tools and are not saved.
#pragma once

#include <vector>

#include "base/types.h"
#include "world/bank.h"

struct Welt_Zahlen {
    f64 gehaelter = 0;    // wages booked
    i32 ruecktritte = 0;  // players retired
    i32 jugend = 0;       // youth players come in
    i32 transfers = 0;    // computer clubs' deals (with the market or another club)
    i32 vereinswechsel = 0;  // of them, players signed from another club
};
const Welt_Zahlen& Welt_Zahlen_Lesen();
void Welt_Zahlen_Zuruecksetzen();

// The age at which the decline begins and the earliest retirement age:
// a goalkeeper's career is two years longer.
constexpr int LEBEN_ABBAU_AB = 32;
constexpr int LEBEN_RUECKTRITT_AB = 33;
constexpr int LEBEN_TORWART_PLUS = 2;
constexpr int LEBEN_RUECKTRITT_SPAETESTENS = 38;  // nobody plays on at this age

// The change of a player's fine strength over one year at age `alter`
// (the age reached in the new season): towards his potential
// (max_staerke x 1000 + 500) while young, faster with talent (0..50);
// flat in the late twenties; down from LEBEN_ABBAU_AB (goalkeepers later).
// `zufall` in -100..100 spreads it.
// A veteran of LEBEN_ABBAU_VOLL or more (a top division's median starter)
// loses 200 a year more for every year beyond the decline's start; a
// weaker one the same share of his strength. Why: at the same 200 a year a
// third division's veteran (about 1,600) lost a sixth of his strength
// every year where a top division's lost a twenty-fifth, and the third
// divisions ended twenty seasons up to a sixth below their start.
constexpr i32 LEBEN_ABBAU_VOLL = 5000;
i32 Leben_Staerke_Aenderung(i32 alter, bool torwart, i32 fein, i32 max_staerke, i32 talent, i32 zufall);
// The chance in per cent that a player of that age and strength retires at
// a season change: none before LEBEN_RUECKTRITT_AB (goalkeepers later),
// earlier for weak players, certain five years on (at 38 at the latest).
i32 Leben_Ruecktritt_Prozent(i32 alter, bool torwart, i32 fein);

// The season change of `jahr` (the calendar year in which the new season
// starts): every club's and the transfer market's players age, their
// strengths follow the curve, the retiring are replaced in place by youth
// players of the same position whose potential follows the club's
// strength (the market's at the potential of the player he succeeds).
// Uses the shared random table. Not on a network client.
//
// With `sterne` (star places per team) a club holds as many stars and
// talents who will become stars as it has star places: the first youth
// player of a season who comes while a place is open is a star talent
// (potential 10 to 12), every other stays below a star's potential (at most 9).
// A star of LEBEN_STAR_BIS or younger holds his place, an older one leaves
// it to his successor (a talent needs four to five years); a talent holds
// his up to LEBEN_TALENT_BIS. The market's youth stays below a star's
// potential; national teams' youth is not held (a negative entry is free).
// Without the list every youth player's potential is free.
struct Leben_Sterne {
    std::vector<i32> plaetze;  // per team: star places (negative: not held)
    std::vector<i32> liga;     // per team: its league (for the reports and tests), -1 none
    // Per team: its division's level in per cent (100 the top division, 0
    // none). A young club player grows towards his potential at that share
    // of the pace (the shipped lower divisions' young players, a step or
    // two below their potential, had lifted the third division by half in
    // five seasons). Empty: every one at the full pace.
    std::vector<i32> stufe;
};
// The slowest pace of growth, per cent: a second division (67) and a third
// (34) both grow their young players at 75 per cent of the top division's
// pace. Why: at 65 the third divisions ended twenty seasons 5-15 % below
// their start (and at 34 a sixth, at 50 a tenth), the second 2-6 % below;
// at 75, with the veterans' decline as a share, 6 % below to 7 % above and
// 2 % below to 4 % above (at 80 up to 14 % and 9 % above).
constexpr i32 LEBEN_TEMPO_MIN = 75;
void Leben_Saisonwechsel(i32 jahr, const Leben_Sterne* sterne = nullptr);

// A club's youth comes at its own median player's fine strength (in a
// league; without the list of leagues at the level its ground stands for).
// A youth player's potential: LEBEN_JUGEND_VON to LEBEN_JUGEND_BIS per cent
// of his club's level (on average a little below it: the strongest of each
// year's youth make the eleven, and the eleven's level was kept over twenty
// seasons with these), a rare talent (one in ten) LEBEN_SELTEN_PROZENT of
// that. The club's level is its own median player's moved a
// LEBEN_JUGEND_LIGA_TEIL-th of the way to its league's median club's. Why:
// with its own median alone a club that rose in its first seasons (a young
// squad growing into its steps, its first star talents) kept the height
// through its youth for good, and the same young squads were among the
// world's five biggest risers in four or more of fifteen games; a quarter
// of the way keeps a promoted club's youth near its own level (at its new
// league's, the second divisions' big grounds rose in game after game).
constexpr i32 LEBEN_JUGEND_LIGA_TEIL = 4;
constexpr i32 LEBEN_JUGEND_VON = 60;
constexpr i32 LEBEN_JUGEND_BIS = 130;
constexpr i32 LEBEN_SELTEN_PROZENT = 150;

// A player of this fine strength or more is a star.
constexpr i32 LEBEN_STAR_FEIN = 10000;
constexpr i32 LEBEN_STAR_BIS = 26;
constexpr i32 LEBEN_TALENT_BIS = 27;

// The star places team `team` uses in `jahr`: its stars up to
// LEBEN_STAR_BIS (every star with `alle_stars`: a club signs a star only
// while it has fewer stars than places) and its talents (potential 10 or
// more) up to LEBEN_TALENT_BIS who are not stars yet.
i32 Leben_Stars_Belegt(int team, i32 jahr, bool alle_stars);

// How a youth player's potential is held: free, below a star's, a star talent's.
enum class Leben_Stern { frei, darunter, talent };

// Makes player `s` a new youth player of `jahr`: 16 to 18 years old, the
// same club, slot and position, a new name and look from the world's
// pool, potential around `niveau` (a club strength 0..12000), held as
// `stern` says (a star talent's at least 10, the club's level making it
// more).
void Leben_Jugendspieler(int s, i32 jahr, i32 niveau, Leben_Stern stern = Leben_Stern::frei);

// A computer club's deal, driven by its money; every deal is an exchange
// (each squad keeps its 20 places, the market its 1,700). More than
// LEBEN_MINUS_MONATE months' wages in the red, it sells its best-paid player
// to the market for four fifths of his value and takes the strongest market
// player of his position costing at most a quarter of it.
//
// With more than LEBEN_RESERVE_MONATE months' wages in the bank it first
// signs a star (LEBEN_STAR_KLASSE or more) of another computer club of its
// level (with `stufen`, per team its division's level; every club's stars
// are seen) when it needs him: for an open star place (a star of
// LEBEN_STAR_FEIN; `offene_sternplaetze` 0: none, negative: not held) from
// a club that holds more stars than places, fewer places than the buyer
// (with `sternplaetze`, per team its star places) or a weaker eleven, up to
// LEBEN_STAR_AUSGABE_PROZENT of the money beyond the reserve; or, when he
// is LEBEN_STAR_BEDARF stronger than the player of his position he
// displaces from its eleven (Leben_Verdraengt), from a club whose eleven is
// LEBEN_STAR_GEFAELLE weaker (a star goes to a bigger club), up to
// LEBEN_STAR_AUSGABE_PROZENT of the money beyond LEBEN_STAR_RESERVE_MONATE
// months' wages. He costs his value and LEBEN_WECHSEL_AUFSCHLAG, the
// displaced player going to the seller in part payment. Why: a star was
// signed only for an open star place (and otherwise at most
// LEBEN_KAUF_UEBER above the club's eleven, a step no star is from a club
// that needs one), and with the buyer's weakest player in part payment only
// the richest club or two could pay one: 1.9-3.3 of the world's 160
// players of 9,000 or more moved a season, none at all in 30 of 200
// seasons (ten seeds of twenty).
//
// Otherwise it strengthens where its weakest player plays: by a player of
// another computer club (LEBEN_WECHSEL_BLICK players looked at; his value
// and LEBEN_WECHSEL_AUFSCHLAG to the seller, who takes the weakest in part
// payment at his value), with `stufen` only one of a club of its own level;
// or by the market's player (the weakest going there for four fifths of his
// value): a star for an open star place when he is LEBEN_MARKT_VORSPRUNG
// stronger than the other club's, or, when no other club's fits, an
// ordinary player who fills its squad for a grown player far below its
// eleven (LEBEN_MARKT_BEDARF_PROZENT; the market never lifts the eleven,
// and the grown player goes to it). It spends at most
// LEBEN_AUSGABE_PROZENT of its money beyond the reserve, on a player at most
// LEBEN_KAUF_UEBER above its eleven's level. Proceeds and prices go through
// the bank (transfer kinds). False when no deal was made (a managed club,
// the market, no fitting player).
bool Leben_Transfer(int team, i32 offene_sternplaetze = -1, const std::vector<i32>* stufen = nullptr,
                    const std::vector<i32>* sternplaetze = nullptr);
// Share of the money beyond the reserve a club spends on a star, per cent:
// a star costs a big club half a season's wages, more than half its money.
constexpr int LEBEN_STAR_AUSGABE_PROZENT = 90;
// A player of this fine strength or more is a star other clubs court (the
// world holds about 160 of them in its clubs).
constexpr i32 LEBEN_STAR_KLASSE = 9000;
// A club needs a star who is this much stronger than the player he
// displaces, and a club lets a star go to a club whose eleven is
// LEBEN_STAR_GEFAELLE stronger. A club keeps LEBEN_STAR_RESERVE_MONATE
// months' wages when it signs a star it has no place for. Why: with the
// star places' sellers too (a big club with more stars than places) the
// price of its surplus stars landed on its balance, and the richest club
// stood at up to 21.6 times the top divisions' median; spending half the
// money beyond three months moved 3 % of the stars a season, nine tenths
// beyond four 4 %, beyond three 5-8 % (and some in every season after the
// first, whose count starts after its summer window).
constexpr i32 LEBEN_STAR_BEDARF = 3000;
constexpr i32 LEBEN_STAR_GEFAELLE = 1500;
constexpr int LEBEN_STAR_RESERVE_MONATE = 3;
// A club fills its squad from the market while its weakest player grown to
// his potential (within LEBEN_AUSGEWACHSEN of it: a young one keeps his
// place) is below LEBEN_MARKT_BEDARF_PROZENT of its eleven's weakest, with
// the market's best of his position up to LEBEN_MARKT_BIS_PROZENT of that:
// a squad player, not one for the eleven. Why: the market's ordinary
// players came to no computer club (only the daily exchange of a computer
// team's weakest substitute, 120-190 players a season); at 60 per cent and
// up to the eleven's weakest 300-450 players went to or came from the
// market a season, 14-21 % of the clubs ended a season in the red and the
// divisions ended 7-14 % above their start; at 40 per cent up to the
// eleven's weakest the third divisions ended up to 15 % above it.
constexpr i32 LEBEN_MARKT_BEDARF_PROZENT = 40;
constexpr i32 LEBEN_MARKT_BIS_PROZENT = 80;
constexpr i32 LEBEN_AUSGEWACHSEN = 1000;
// The player of `position` a star displaces from team's eleven (its eleven
// strongest): the weakest of the position among them, else the squad's
// weakest of the position; -1 none.
int Leben_Verdraengt(int team, int position);

// A club this many months' wages in the red sells its best-paid player (at
// two the shipped clubs, which hold about a month's wages, stayed in the red
// for seasons while their wages ran on).
constexpr int LEBEN_MINUS_MONATE = 1;
// A club with more than this many months' wages in the bank signs. The shipped clubs hold about a month's wages: at
// three, as good as none of them ever signed and the market stood still.
constexpr int LEBEN_RESERVE_MONATE = 1;
// Players of the world a club looks at for a signing from another club in
// one deal (drawn from the shared random table): enough that about one
// fits in two deals (a quarter play the position, fewer are in reach).
constexpr int LEBEN_WECHSEL_BLICK = 60;
// A club takes the market's player instead of another club's only when he
// is this much stronger: the whole market is seen at once, other clubs'
// players only a few, and without it the market's won nearly every deal.
constexpr i32 LEBEN_MARKT_VORSPRUNG = 1000;
// The seller's premium on a player's value, per cent: a club lets a player
// go for more than the market would pay for him.
constexpr int LEBEN_WECHSEL_AUFSCHLAG = 120;
// Share of the money beyond three months' wages a club spends in one deal,
// per cent: the rest stays, so a club does not spend itself into the red
// over a window (the whole surplus went and the top divisions' median
// balance fell to a third of the start in the first season).
constexpr int LEBEN_AUSGABE_PROZENT = 50;
// A signing is at most this much fine strength above the club's eleven's
// level: a small club with a rich owner climbs a level in a few seasons,
// not in one window.
constexpr i32 LEBEN_KAUF_UEBER = 1500;

// A day's rest: every player's exhaustion (0..9) falls by one, so a club
// that plays twice a week on the match engine recovers as a club whose
// matches are played by dice; an injury has a day less to run (healed at 0).
void Leben_Erholung();

// A managed club's players sulk when left out (a morale step lost now and
// then) and nothing else moved their morale: it only fell, season after
// season, and the club played ever worse (morale 1-2 against its league's
// 2.5). Each month a managed club's player below LEBEN_MORAL_MITTE regains
// a step (up to the middle of the scale, 3, the club rose above its
// league: 3.1 against 2.5). Not on a network client.
constexpr u8 LEBEN_MORAL_MITTE = 2;
void Leben_Moral_Monat();

// A club's wage bill for one month (the players' monthly salaries).
f64 Leben_Gehaltssumme(int team);
// Books a club's monthly wages to nobody (BANK_GEHALT, forced: a club may
// go into the red); the amount booked.
f64 Leben_Gehaelter_Zahlen(int team);
