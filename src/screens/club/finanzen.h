// The finance screen: the active team's bookings of one booking period,
// income and expenses by kind with their shares, the two totals, the
// balance and the period's last match. Opened from the main menu (dialog
// button 704, entry 3) as Screen_Id::FINANZEN.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_FINANZ_RAHMEN = 1731,  // frame: the screen's frame icon
    ICON_FINANZ_AELTER = 1732,  // to the older period
    ICON_FINANZ_NEUER = 1733,   // to the newer period
};

#include "world/finanz_zahlen.h"  // FINANZ_ZEILEN, FINANZ_EINNAHMEN: the rows

// What the screen shows of a period.
struct Finanz_Zahlen {
    i32 betrag[FINANZ_ZEILEN] = {};
    i32 kategorie[FINANZ_ZEILEN] = {};  // the booking kind each row reads
    i32 einnahmen = 0, ausgaben = 0;
    // The match line: the two teams (-1 none), the goals (-1: no result) and the attendance.
    i32 team1 = -1, team2 = -1, tore1 = -1, tore2 = 0, zuschauer = 0;
};

// The screen's record for the registry.
Screen_Def Finanz_Screen_Def();

void Finanz_Screen_Init();
void Finanz_Screen_Texte_Setzen();
// Reads the active team's figures of the period (0 the current one, -1 the
// one before, ...).
void Finanz_Screen_Daten_Holen(i32 periode);
void Finanz_Screen_Jahr_Klick(Screen_Icon* icon, u32 ereignis);
void Finanz_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);

// The period shown and its figures.
i32 Finanz_Screen_Periode();
const Finanz_Zahlen& Finanz_Screen_Zahlen();
// A row's share of its group's total in whole per cent (a total of 0 counts as 1).
i32 Finanz_Anteil(i32 betrag, i32 summe);
