#include "world/finanz_zahlen.h"

#include <cmath>

#include "world/bank.h"

const Finanz_Zeile FINANZ_ZEILE[FINANZ_ZEILEN] = {
    {"*10", 4, true},   {"*9", 13, true},  {"*8", 30, true},  {"*11", 40, true},  {"*17", 8, false},  {"*16", 16, false},
    {"*15", 14, false}, {"*13", 31, false}, {"*12", 26, false}, {"*14", 27, false}, {"*18", 22, false},
};

Finanz_Summen Finanz_Summen_Holen(i32 team, i32 offset) {
    Finanz_Summen s;
    i32 zeile_von[256];
    for (i32& z : zeile_von) z = -1;
    for (i32 i = 0; i < FINANZ_ZEILEN; ++i) {
        const Finanz_Zeile& z = FINANZ_ZEILE[i];
        s.kategorie[i] = z.kategorie | (z.einnahme ? 0 : BANK_RICHTUNG_AUS);
        zeile_von[s.kategorie[i]] = i;
    }
    const Bank_Konto* k = Bank_Get_Konto(team);
    if (!k) return s;
    // One pass over the account's ring; the "others" rows take every money
    // kind no row reads.
    f64 summe[FINANZ_ZEILEN] = {};
    const i32 periode = Bank_Get_Periode() - offset;
    for (i32 i = 0; i < k->anzahl && i < BANK_BUCHUNGEN; ++i) {
        const Bank_Buchung& b = k->buchung[i];
        if (b.periode != periode || !Bank_Ist_Geldbuchung(b.kategorie)) continue;
        i32 z = zeile_von[b.kategorie];
        if (z < 0) z = (b.kategorie & BANK_RICHTUNG_AUS) ? FINANZ_SONSTIGE_AUSGABEN : FINANZ_SONSTIGE_EINNAHMEN;
        summe[z] += b.betrag;
    }
    for (i32 i = 0; i < FINANZ_ZEILEN; ++i) {
        s.betrag[i] = std::llround(summe[i]);
        (i < FINANZ_EINNAHMEN ? s.einnahmen : s.ausgaben) += s.betrag[i];
    }
    return s;
}
