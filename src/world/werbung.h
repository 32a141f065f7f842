// Advertising contracts: eight boards and a main sponsor per managed club.
#pragma once

#include "base/feld_grenze.h"
#include "base/bytes.h"
#include "base/types.h"

struct Werbung_Slot {
    u8 sponsor;  // sponsor id (index of the sponsor table)
    u8 frei;
    u16 anzahl;  // matches left
    i32 betrag;  // per match; 0 = free slot
    i32 wert2;   // second value (0: the default board picture)
};
template <class V, bytes::Art<Werbung_Slot> S>
constexpr void felder(V& v, S& r) {
    v(r.sponsor), v(r.frei), v(r.anzahl), v(r.betrag), v(r.wert2);
}

// Slots 0..7 are the boards, slot 8 the main sponsor.
constexpr int WERBUNG_BANDEN = 8;
constexpr int WERBUNG_HAUPTSPONSOR = WERBUNG_BANDEN;
constexpr int WERBUNG_SLOTS = WERBUNG_BANDEN + 1;

struct Werbung_Daten {
    Werbung_Slot slot[WERBUNG_SLOTS];
    i32 ersatz[3];         // main sponsor's replacement amounts (board classes 0..2)
    u8 angebot_sponsor;
    u8 angebot_art;  // 0..2 board class, 3 main sponsor
    u16 angebot_dauer;
    i32 angebot_betrag;
    i32 angebot_betraege[3];
    u16 angebot_anzahl2;
    u16 frei1;
    u16 banden_flag;
    u8 suche_zu;
    u8 automatik;
    i32 zaehler[2];
    u8 frei2[20];
};
template <class V, bytes::Art<Werbung_Daten> S>
constexpr void felder(V& v, S& r) {
    v(r.slot), v(r.ersatz), v(r.angebot_sponsor), v(r.angebot_art), v(r.angebot_dauer), v(r.angebot_betrag);
    v(r.angebot_betraege), v(r.angebot_anzahl2), v(r.frei1), v(r.banden_flag), v(r.suche_zu), v(r.automatik);
    v(r.zaehler), v(r.frei2);
}
static_assert(sizeof(Werbung_Daten) == 176 && bytes::groesse<Werbung_Daten>() == 176,
              "an advertising record is 176 bytes");

// The ranges of an advertising record; a saved record outside them is
// refused. Sponsors index their table, a contract runs at most 60,000
// matches, amounts are never negative, the offer's kind is a board class
// (0..2) or the main sponsor (3), the switches are 0 or 1.
constexpr int WERBUNG_SPONSOREN = 24;
constexpr i32 WERBUNG_DAUER_MAX = 60000;
constexpr f64 WERBUNG_BETRAG_MAX = 2147483647.0;
inline constexpr Feld_Grenze<Werbung_Slot> WERBUNG_SLOT_FELDER[] = {
    FELD_GRENZE(Werbung_Slot, sponsor, 0, WERBUNG_SPONSOREN - 1),
    FELD_GRENZE(Werbung_Slot, anzahl, 0, WERBUNG_DAUER_MAX),
    FELD_GRENZE(Werbung_Slot, betrag, 0, WERBUNG_BETRAG_MAX),
};
inline constexpr Feld_Grenze<Werbung_Daten> WERBUNG_FELDER[] = {
    FELD_GRENZE(Werbung_Daten, ersatz[0], 0, WERBUNG_BETRAG_MAX),
    FELD_GRENZE(Werbung_Daten, ersatz[1], 0, WERBUNG_BETRAG_MAX),
    FELD_GRENZE(Werbung_Daten, ersatz[2], 0, WERBUNG_BETRAG_MAX),
    FELD_GRENZE(Werbung_Daten, angebot_sponsor, 0, WERBUNG_SPONSOREN - 1),
    FELD_GRENZE(Werbung_Daten, angebot_art, 0, 3),
    FELD_GRENZE(Werbung_Daten, angebot_dauer, 0, WERBUNG_DAUER_MAX),
    FELD_GRENZE(Werbung_Daten, angebot_betrag, 0, WERBUNG_BETRAG_MAX),
    FELD_GRENZE(Werbung_Daten, angebot_betraege[0], 0, WERBUNG_BETRAG_MAX),
    FELD_GRENZE(Werbung_Daten, angebot_betraege[1], 0, WERBUNG_BETRAG_MAX),
    FELD_GRENZE(Werbung_Daten, angebot_betraege[2], 0, WERBUNG_BETRAG_MAX),
    FELD_GRENZE(Werbung_Daten, angebot_anzahl2, 0, WERBUNG_DAUER_MAX),
    FELD_GRENZE(Werbung_Daten, banden_flag, 0, 1),
    FELD_GRENZE(Werbung_Daten, suche_zu, 0, 1),
    FELD_GRENZE(Werbung_Daten, automatik, 0, 1),
    FELD_GRENZE(Werbung_Daten, zaehler[0], 0, WERBUNG_BETRAG_MAX),
    FELD_GRENZE(Werbung_Daten, zaehler[1], 0, WERBUNG_BETRAG_MAX),
};

// The advertising settings of the global configuration (keys WERBUNG_...).
struct Werbung_Einstellungen {
    i32 grundpreis = 100;                   // per cent of the built-in prices
    i32 bande_aufpreis = 0;                 // board class 0, per cent added
    i32 tv_aufpreis = 100;                  // board class 1
    i32 hauptsponsor_aufpreis = 400;        // the main sponsor
    i32 ersatzpartner_aufpreis = 50;        // board class 2
    i32 ranglisten_progression = 0;         // 0..999: surcharge in tenths of a per cent for the best-ranked club
    i32 ranglisten_progression_grenze = 0;  // 0..500: the last ranking place that still gets a surcharge
    i32 suchpreis = 20000;                  // fee of a partner search
    i32 suchpreis_add = 5000;               // added per search this season
    i32 vertragsdauer = 34;                 // matches of a new contract
};
extern Werbung_Einstellungen Werbung_Einstellung;
// The ranking surcharge of a club's advertising prices, in tenths of a per
// cent: the club at place p of the club rankings (Welt_Hooks::rangliste_platz)
// gets progression x (limit - p + 1) / limit for p = 1..limit, 0 below the
// limit, without a ranking place or when either setting is 0.
i32 Werbung_Ranglisten_Aufschlag(int team);
// Setter for the season module's reader: field 0..9 in the order above.
void Werbung_Wert_Setzen(int feld, i32 wert);

const char* Werbung_Sponsor_Name(int sponsor);

void Werbung_Init();
void Werbung_Free();
// Sets up the records of every managed club.
void Werbung_Init_Manager_Teams();
// A record for the team with first contracts on every slot.
bool Werbung_Init_Team(int team, int flag);
Werbung_Daten* Werbung_Get(int team);
int Werbung_Get_Bandenklasse(int slot);
// What the club's advertising pays per match, as the match books it: the
// boards under contract, the main sponsor's own contract, and for every
// free board the main sponsor's replacement amount of its board class (while
// the club has a main sponsor with replacement amounts). Zero for a club
// without a record.
struct Werbung_Summen {
    i64 banden = 0, hauptsponsor = 0, ersatz = 0;
    i32 frei[3] = {};  // free boards per board class 0..2
    i64 summe = 0;
};
Werbung_Summen Werbung_Einnahmen(int team);
// The sum of Werbung_Einnahmen per match.
i32 Werbung_Get_Sponsorbetrag(int team);
// The fee the club's next partner search costs.
i64 Werbung_Suchgebuehr(int team);
// Pays the search fee (category 22) and draws an offer; false when refused.
bool Werbung_Neues_Angebot(int team, int zahlen);
// Takes the offer into a free slot of its class or in place of the cheapest.
bool Werbung_Angebot_Annehmen(int team);
// Fills the free boards with offers.
void Werbung_Banden_Vergeben(int team, int);
// Advances the search counter: 0, or 1, 2, 3 at a step (3 closes the search).
int Werbung_Zaehler_Weiter(int team);
// The board switch: on, the free boards are filled at once and after every
// match; off, they stay free. False for a club without a record.
bool Werbung_Banden_Automatik(int team, bool an);
// A network client mirrors the server's record of its club.
bool Werbung_Setzen(int team, const Werbung_Daten& daten);
// The actions a client asks the server for (call 1022); each answers 1 when
// done (the counter step answers the step 0..3), 0 when refused.
enum : i32 {
    WERBUNG_AKTION_ANNEHMEN = 0,
    WERBUNG_AKTION_SUCHEN = 1,
    WERBUNG_AKTION_BANDEN = 2,
    WERBUNG_AKTION_AUTOMATIK = 3,
    WERBUNG_AKTION_ZAEHLER = 4,
};
// On a network client, every operation above that changes the record goes
// to the server and the client then reads the record back.

// Income of a match (Werbung_Einnahmen, category 13); contracts run out, a
// main sponsor whose contract ran out takes his replacement amounts along.
void Werbung_Nach_Spiel(int team, int spiel);

// A club's monthly sponsor and broadcasting money: WELT_SPONSOR_PROZENT of
// its own wage bill; gate money and prizes come on top. Sponsors pay for the
// squad a club fields, the fans for its ground: a ground big for its squad
// earns more through the gate alone. Why not half the league's median wage
// bill and the ground's root against the league's median ground (within a
// quarter), as before: both paid a club more than its squad cost wherever
// the start world had given it a big ground or a cheap squad for its
// league, and that decided who bought his way up. The French second
// division's biggest grounds with squads of the middle rose far in game
// after game (without a managed club US Pontay was among the world's five
// biggest risers in 6 of 15 games of twenty seasons; now in none of 45).
// With only the ground's factor gone, the league's median still lifted its
// cheap squads and sank its dear ones, and up to one top-division club in
// ten was in the red after the first season (now none). At 90 per cent
// (every club's start money and reserve alike) one top-division club in
// nine was in the red after the first season.
constexpr int WELT_SPONSOR_PROZENT = 82;
// Sponsors and broadcasters pay a league's club for at least this share of
// the league's median wage bill, per cent: a promoted club's squad costs
// a second division's wages, the top division's money lets it build one
// that can stay up. Why: on its own wage bill alone a promoted club came
// at 0.72 of its new league's median strength and 55-61 % went straight
// down again (real football 30-50 %); at 85 per cent of the median 49-51 %
// (at 60 per cent 52 %).
constexpr int WELT_SPONSOR_LIGA_BODEN = 85;
// A club holding more than WELT_SPONSOR_POLSTER months' wages gets less
// from its sponsors, down to WELT_SPONSOR_REST per cent at
// WELT_SPONSOR_BIS_PROZENT per cent of that: money beyond what the club
// needs does not pile up (without it the top divisions' median grew
// sevenfold in twenty seasons, the richest club to twenty times it; at six
// months it still ended five to six times the start, at three two and a
// half).
//
// The reserve grows with the square of the club's size (its ground against
// its league's median, Welt_Tag_Groesse), WELT_POLSTER_MIN to
// WELT_POLSTER_MAX times: a big club builds real reserves, a small one
// lives from month to month. Why: with the same three months for all,
// every club settled at 2.4-6.9 months' wages, the richest never above
// 8.5 times the top divisions' median. And sponsors pay
// WELT_SPONSOR_PROZENT, not all of the wage bill: at 95 per cent the gate
// money alone kept every club in the black for ever (no club was in the
// red once in 240 season-runs), so a squad dearer than its ground could
// carry cost nothing; at 82 (with WELT_SPONSOR_LIGA_BODEN and the spending
// of WELT_UEBERSCHUSS_PROZENT) the gate decides, 3.4-6.8 % of the clubs end
// a season in the red and sell or recover (ten seeds of twenty seasons). At
// 83 it was 0.8-3.8 %, below 2 % in three or four seeds of ten: too few
// clubs live near the edge for the band to hold on every seed (at 80 a third
// of them, at 88 none).
//
// Why the money stops at one and a half reserves and the biggest club's
// reserve is 1.7 times the ordinary one's (it was a quarter of the
// sponsors' money left at twice the reserve, and 2.5 times): the biggest
// grounds' gate money with a quarter of the sponsors' still paid most of
// their wages, so the money a star's sale brought in (up to 68 M in a
// season) stayed for seasons, and the richest club held 10-17 months'
// wages against the top divisions' median club's 1.3-3; the richest stood
// at 7.1-17.0 times the top divisions' median (thirteen seeds of twenty
// seasons; over 15 in ten of them, most in the third to seventh season,
// before the median clubs had built theirs), and a small change elsewhere
// (the automatic line-up) pushed a seed over. Now the richest stands at
// 5.1-14.3 times the median (in the first three seasons of the band test's
// seeds at most 11.6, it was 14.7). What still spreads it are the seasons
// in which a big club sells a star or two (30-37 M) and the top divisions'
// median club, which builds its reserve over ten seasons (1.5 months'
// wages after the first, 2.9 after twenty). At 1.8 times with the money
// stopping at 1.25 reserves it stood at 5.1-15.3; at 1.6 times with a
// quarter left from 1.5 reserves on it fell to 5.5 times in three seeds.
constexpr int WELT_SPONSOR_POLSTER = 3;
constexpr int WELT_SPONSOR_BIS_PROZENT = 150;
constexpr int WELT_SPONSOR_REST = 0;
constexpr f64 WELT_POLSTER_MIN = 0.5, WELT_POLSTER_MAX = 1.7;
// A club's monthly sponsor and broadcasting money by the rule above (0 for
// a team that is not a club), and its booking (category 13); the calendar
// pays it to every club that plays in a league.
// `liga_gehalt` is the median wage bill of the club's league (0: none
// known), `groesse` the club's ground against its league's median.
f64 Werbung_Sponsorgeld(int team, f64 liga_gehalt = 0, f64 groesse = 1);
// The money a club holds beyond WELT_UEBERSCHUSS_AB_PROZENT per cent of its
// reserve (a little above where its sponsors stop paying), 0 for none or
// for a team that is not a club; the arguments as for Werbung_Sponsorgeld.
f64 Werbung_Ueberschuss(int team, f64 liga_gehalt = 0, f64 groesse = 1);
// A computer club spends WELT_UEBERSCHUSS_PROZENT of that money each month
// on its training and youth. Why: a star's sale (30-45 M in a season) landed
// on top of a big club's full reserve and stayed for seasons, its only
// outgoings its wages less its gate money: the richest club stood at up to
// 16.2 times the top divisions' median (ten seeds; with the sponsors at 82
// up to 15.3), mostly in the second season, before the median clubs had
// built their reserves. Now 10.2-14.3 times at most and 5.3-6.6 at least.
// From 150 per cent (where the sponsors stop) at 15 the richest club fell
// to 4.8 times in a seed, and from 175 at 15 it still rose to 14.7.
constexpr int WELT_UEBERSCHUSS_AB_PROZENT = 160;
constexpr int WELT_UEBERSCHUSS_PROZENT = 20;
void Werbung_Sponsorgeld_Buchen(int team, f64 liga_gehalt = 0, f64 groesse = 1);

struct Datei_Status;
bool Werbung_Speichern(Datei_Status* d);
bool Werbung_Laden(Datei_Status* d);
void Werbung_Uebernehmen();
void Werbung_Verwerfen();
