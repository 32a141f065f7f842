#include "screens/teile/sterne.h"

#include <cstdlib>

#include "grafik_nummern.h"
#include "graphics/blitter.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "world/aufstellung.h"
#include "world/modi.h"
#include "world/welt.h"

namespace {
constexpr i32 ABSTAND_GROSS = 15, ABSTAND_KLEIN = 7;
constexpr u32 NICHT_VERFUEGBAR = 0x7c0;  // injured, suspended and the other absences (status mode 75)

struct Satz {
    i32 voll, halb, abzug, halb_abzug, abzug_halb;
    i32 leer, leer_gewaehlt;  // the empty place
    i32 abstand;
};

void dazu(Sterne_Bild& b, i32 grafik, i32 x) {
    if (b.anzahl < STERNE_MAX) b.stern[b.anzahl++] = {grafik, x};
}

Sterne_Bild legen(const Satz& s, i32 h, i32 d, bool gewaehlt, i32 x) {
    Sterne_Bild b;
    h = h < 0 ? 0 : h > 12 ? 12 : h;
    d = d < 0 ? 0 : d > h ? h : d;
    // Every row has its six places, the empty ones drawn: a row's length
    // never tells anything, and rows line up under each other.
    const i32 leer = gewaehlt ? s.leer_gewaehlt : s.leer;
    for (i32 i = 0; i < STERNE_PLAETZE; ++i) dazu(b, leer, x + s.abstand * i);
    const i32 behalten = h - d;  // half stars kept
    for (i32 i = 0; i < h / 2; ++i) {
        i32 g = s.voll;
        if (d > 0 && i >= behalten / 2) g = behalten % 2 == 1 && i == behalten / 2 ? s.halb_abzug : s.abzug;
        dazu(b, g, x + s.abstand * i);
    }
    if (h % 2 == 1) dazu(b, d < 1 ? s.halb : s.abzug_halb, x + s.abstand * (h / 2));
    return b;
}
}  // namespace

i32 Formation_Linie(i32 reihe) {
    if (reihe == 0) return 0;
    if (reihe >= 1 && reihe <= 3) return 1;
    if (reihe >= 8 && reihe <= 10) return 3;
    return 2;
}

i32 Positionsabzug(i32 klasse, i32 halbe, bool verfuegbar, i32 reihe) {
    if (!verfuegbar) return halbe;
    const i32 linie = Formation_Linie(reihe);
    if (klasse == linie) return 0;
    if (klasse == 0 || linie == 0) return halbe * 80 / 100;
    return 2 * std::abs(linie - klasse);
}

i32 Spieler_Positionsabzug(i32 spieler, i32 reihe) {
    const bool verfuegbar = (static_cast<u32>(Spieler_Wert(SPIELER_WERT_STATUS, spieler, 0, OP_LESEN)) & NICHT_VERFUEGBAR) == 0;
    return Positionsabzug(Spieler_Wert(SPIELER_WERT_POSITION, spieler, 0, OP_LESEN),
                          Spieler_Wert(SPIELER_WERT_STAERKE, spieler, 0, OP_LESEN), verfuegbar, reihe);
}

Sterne_Bild Sterne_Gross(i32 halbe, i32 abzug, bool gewaehlt, i32 x) {
    static constexpr Satz GROSS{GRAFIK_STERN,          GRAFIK_STERN_HALB, GRAFIK_STERN_ABZUG,
                                GRAFIK_STERN_HALB_ABZUG, GRAFIK_STERN_ABZUG_HALB, GRAFIK_STERN_LEER,
                                GRAFIK_STERN_LEER_GEWAEHLT, ABSTAND_GROSS};
    return legen(GROSS, halbe, abzug, gewaehlt, x);
}

Sterne_Bild Sterne_Klein(i32 halbe, i32 abzug, i32 x) {
    static constexpr Satz KLEIN{GRAFIK_STERN_KLEIN,          GRAFIK_STERN_KLEIN_HALB, GRAFIK_STERN_KLEIN_ABZUG,
                                GRAFIK_STERN_KLEIN_HALB_ABZUG, GRAFIK_STERN_KLEIN_ABZUG_HALB, GRAFIK_STERN_MAX, GRAFIK_STERN_MAX,
                                ABSTAND_KLEIN};
    return legen(KLEIN, halbe, abzug, false, x);
}

void Sterne_Zeichnen(Rastport* ziel, const Sterne_Bild& b, i32 y) {
    for (i32 i = 0; i < b.anzahl; ++i) Kit_Bild_Zeichnen(ziel, static_cast<u32>(b.stern[i].grafik), b.stern[i].x, y);
}

void Spieler_Sterne_Zeichnen(Rastport* ziel, i32 spieler, i32 x, i32 y, i32 abzug, bool gewaehlt) {
    Sterne_Zeichnen(ziel, Sterne_Gross(Spieler_Staerke_Anzeige(spieler), abzug, gewaehlt, x), y);
}

void Spieler_Sterne_Klein_Zeichnen(Rastport* ziel, i32 spieler, i32 x, i32 y, i32 abzug) {
    Sterne_Zeichnen(ziel, Sterne_Klein(Spieler_Staerke_Anzeige(spieler), abzug, x), y);
}
