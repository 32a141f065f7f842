#include "season/tabelle.h"

#include <algorithm>

#include "base/bytes.h"
#include "base/debug.h"
#include "base/globals.h"
#include "base/ruf.h"
#include "season/season_hooks.h"

namespace {

template <class Io, class T>
void tabelle_io(Io& io, T& t) {
    io(t.reihenfolge);
    io(t.vorherige);
    io(t.zeilen);
    io(t.team);
    io(t.schluessel);
    for (auto& v : t.spiele) io(v);
    for (auto& v : t.punkte) io(v);
    for (auto& v : t.tore) io(v);
    for (auto& v : t.gegentore) io(v);
    io(t.ergebnis);
    io(t.heim);
    io(t.form);
    io(t.optionen);
    io(t.reserviert);
    io(t.wettbewerb);
}

}  // namespace

void Tabelle_Bild_Schreiben(const Tabelle& t, u8* aus) {
    bytes::bild_schreiben(aus, TABELLE_GROESSE, [&](bytes::Schreiber& s) { tabelle_io(s, t); });
}

void Tabelle_Bild_Lesen(Tabelle& t, const u8* ein) {
    bytes::Leser l(ein, TABELLE_GROESSE);
    tabelle_io(l, t);
}

i32 Tabelle_Rang_Von_Team(const Tabelle& t, i32 team) {
    const u32 n = std::min<u32>(t.zeilen, TABELLE_ZEILEN);
    for (u32 rang = 0; rang < n; ++rang) {
        const u32 zeile = t.reihenfolge[rang];
        if (zeile < n && t.team[zeile] == static_cast<u32>(team)) return static_cast<i32>(rang);
    }
    return -1;
}

bool Spiele_Get_Team_Statistik(const Statistik_Argumente& a, u32* ergebnis) {
    if (!ergebnis) return false;
    std::fill(ergebnis, ergebnis + STATISTIK_WORTE, 0u);
    // The position fields start at -1: 828, 830 and the odd words 829..839.
    ergebnis[828] = ergebnis[830] = 0xFFFFFFFFu;
    for (int w = 829; w <= 839; w += 2) ergebnis[w] = 0xFFFFFFFFu;
    if (ruf::Client()) return Spiele_Team_Statistik_Holen(a, ergebnis);
    return Spiele_Team_Statistik_Bauen(a, ergebnis);
}
