#include "world/finanz_zahlen.h"

#include <cmath>
#include <map>
#include <utility>

#include "world/bank.h"

const Finanz_Zeile FINANZ_ZEILE[FINANZ_ZEILEN] = {
    {"*10", BANK_ZUSCHAUER, true},       {"*9", BANK_WERBUNG, true},          {"*8", BANK_TRANSFER_EINNAHME, true},
    {"*11", BANK_EINNAHME, true},        {"*17", BANK_GEHALT, false},         {"*16", BANK_PERSONAL, false},
    {"*15", BANK_STADIONBAU, false},     {"*13", BANK_TRANSFER_AUSGABE, false}, {"*12", BANK_STADIONBETRIEB, false},
    {"*14", BANK_TRAINING, false},       {"*18", BANK_AUSGABE, false},
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

i32 Finanz_Periode_Des_Spiels(i32 team, i32 heim, i32 gast) {
    const Bank_Konto* k = Bank_Get_Konto(team);
    if (!k || heim < 0 || gast < 0) return -1;
    // Per period the two clubs of its match line (the records of 178 and
    // 179; a later match of the period has overwritten an earlier one).
    std::map<i32, std::pair<i32, i32>> zeile;
    for (i32 i = 0; i < k->anzahl && i < BANK_BUCHUNGEN; ++i) {
        const Bank_Buchung& b = k->buchung[i];
        if (b.kategorie != BANK_SPIEL_HEIM && b.kategorie != BANK_SPIEL_GAST) continue;
        auto [it, neu] = zeile.try_emplace(b.periode, -1, -1);
        i32& club = b.kategorie == BANK_SPIEL_HEIM ? it->second.first : it->second.second;
        // A record emptied by the bank (0) names no club.
        if (club < 0 || b.betrag != 0.0f) club = static_cast<i32>(b.betrag);
    }
    // A page waits at most for the next day: the match is of this period or
    // the one before (an older match of the two is another match).
    for (i32 zurueck = 0; zurueck <= 1; ++zurueck) {
        const auto it = zeile.find(Bank_Get_Periode() - zurueck);
        if (it == zeile.end()) continue;
        const auto [h, g] = it->second;
        if ((h == heim && g == gast) || (h == gast && g == heim)) return zurueck;
    }
    return -1;
}
