// A club's finance figures of one booking period, as the finance screen and
// the match announcement's money page show them: four income rows and seven
// expense rows by booking kind. The last row of each group ("others") takes
// every money kind no other row reads, so the two totals are the period's
// whole income and expenses (a credit, a fee of any kind: nothing is left
// out of the balance).
#pragma once

#include "base/types.h"

constexpr i32 FINANZ_ZEILEN = 11;
constexpr i32 FINANZ_EINNAHMEN = 4;  // rows 0..3 income, 4..10 expenses

struct Finanz_Zeile {
    const char* text;  // the row's label symbol ("*n") in the finance screen's texts
    i32 kategorie;     // the booking kind it reads (money paid out: with BANK_RICHTUNG_AUS)
    bool einnahme;
};
extern const Finanz_Zeile FINANZ_ZEILE[FINANZ_ZEILEN];
constexpr i32 FINANZ_SONSTIGE_EINNAHMEN = 3, FINANZ_SONSTIGE_AUSGABEN = 10;

struct Finanz_Summen {
    i64 betrag[FINANZ_ZEILEN] = {};
    i32 kategorie[FINANZ_ZEILEN] = {};  // as booked (with the out bit for expenses)
    i64 einnahmen = 0, ausgaben = 0;
};
// The team's figures of the period `offset` periods back (0 the current one).
Finanz_Summen Finanz_Summen_Holen(i32 team, i32 offset);
// The period of a club's match, as periods back from the current one: the
// current period or the one before, whichever's match line names the two
// clubs (in either order); -1 when neither does. A page about the match reads the books of that month,
// even when it is shown after the bank has gone on to the next.
i32 Finanz_Periode_Des_Spiels(i32 team, i32 heim, i32 gast);
