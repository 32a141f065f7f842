#include "screens/teile/spielerzeile.h"

#include <algorithm>
#include <iterator>

#include "grafik_nummern.h"
#include "graphics/abdruck.h"
#include "graphics/alpha.h"
#include "graphics/blitter.h"
#include "graphics/font.h"
#include "gui/kit.h"
#include "gui/menue.h"
#include "gui/palette.h"
#include "screens/teile/attribut_legende.h"
#include "screens/teile/namen.h"
#include "screens/teile/sterne.h"
#include "world/attribut.h"
#include "world/aufstellung.h"
#include "world/modi.h"
#include "world/spieler.h"
#include "world/welt.h"

namespace {
constexpr u32 VERLETZT = 0x40, ANDERS_AUS = 0x780;
constexpr i32 STATUS_AUS = 7, STATUS_VERLETZT = 8;
constexpr i32 UEBERLAGE_PROZENT = 35;
// Position badge and exhaustion picture by class / level (entries of their groups).
constexpr i32 KLASSE_BILD[4] = {3, 1, 0, 2};       // classes 0..3 -> 24039, 24037, 24036, 24038
constexpr i32 ERSCHOEPFUNG_BILD[5] = {1, 2, 3, 0, 4};  // levels 0..4 -> 24043, 24044, 24045, 24042, 24046

i32 wert(int modus, i32 spieler) { return Spieler_Wert(modus, spieler, 0, OP_LESEN); }
void zeile_zeichnen(Rastport* ziel, const Spielerzeile& z, u32 status);
}  // namespace

Spieler_Status_Text Spieler_Status(i32 spieler) {
    const u32 status = static_cast<u32>(wert(SPIELER_WERT_STATUS, spieler));
    if (status & (VERLETZT | ANDERS_AUS))
        return {Status_Text(status & VERLETZT ? STATUS_VERLETZT : STATUS_AUS), FARBE_FEHLER};
    i32 note = wert(SPIELER_WERT_MORAL, spieler);
    note = note < 0 ? 0 : note > 6 ? 6 : note;
    return {Status_Text(note), FARBE_NOTE[note]};
}

namespace {
// A string's fingerprint, for the values a row is remembered by.
i64 text_wert(const char* t) {
    u64 h = 0xCBF29CE484222325ull;
    for (; t && *t; ++t) h = (h ^ static_cast<u8>(*t)) * 0x100000001B3ull;
    return static_cast<i64>(h);
}
}  // namespace

void Spielerzeile_Zeichnen(Rastport* ziel, const Spielerzeile& z) {
    if (!ziel) return;
    const i32 p = z.spieler, x = z.x, y = z.y;
    const u32 status = static_cast<u32>(wert(SPIELER_WERT_STATUS, p));
    // A probed frame: the row is drawn the same while everything it shows
    // is the same (the pulsing drag highlight changes with the time).
    const bool merken = Abdruck_Trifft(ziel) && !z.gezogen;
    if (merken) [[unlikely]] {
        i32 marken[SPIELER_MARKEN_MAX] = {};
        const i32 n = Spieler_Marken(p, marken);
        const Spieler_Status_Text st = Spieler_Status(p);
        const i64 werte[] = {0x5A31,
                             p,
                             x,
                             y,
                             z.hoehe,
                             z.abzug,
                             z.gewaehlt,
                             z.mit_zustand,
                             status,
                             wert(SPIELER_WERT_POSITION, p),
                             wert(SPIELER_WERT_RUECKENNUMMER, p),
                             wert(SPIELER_WERT_SPIELE, p),
                             text_wert(Spieler_String(63, p, nullptr, 0)),
                             text_wert(st.text),
                             st.farbe,
                             Spieler_Staerke_Anzeige(p),
                             n,
                             marken[0],
                             marken[1],
                             marken[2],
                             Erschoepfung_Grafik(p)};
        if (Abdruck_Gemerkt(werte, static_cast<i32>(std::size(werte))) == Abdruck_Folge::FERTIG) return;
    }
    zeile_zeichnen(ziel, z, status);
    if (merken) Abdruck_Gemerkt_Ende();
}

namespace {
void zeile_zeichnen(Rastport* ziel, const Spielerzeile& z, u32 status) {
    const i32 p = z.spieler, x = z.x, y = z.y;
    if (status & (VERLETZT | ANDERS_AUS))
        if (Rastport* b = Kit_Bild(GRAFIK_NICHT_VERFUEGBAR))
            Blt_Alpha_Prozent_Transparent(b, 0, 0, -1, -1, ziel, x + 1, y, UEBERLAGE_PROZENT);
    if (z.gezogen)
        if (Rastport* b = Kit_Bild(GRAFIK_ZEILE_ZIEHEN)) Blt_Pulsieren_Transparent(b, 0, 0, -1, -1, ziel, x, y);
    i32 klasse = wert(SPIELER_WERT_POSITION, p);
    klasse = klasse < 0 || klasse > 3 ? 0 : klasse;
    // While the highlight pulses the badge sits one pixel lower, two shorter.
    if (Rastport* b = Kit_Bild(GRAFIK_POSITION_KLASSE + KLASSE_BILD[klasse]))
        Blt_Blit(b, 0, 0, -1, z.gezogen ? b->hoehe - 2 : -1, ziel, x + 1, y + (z.gezogen ? 1 : 0), Blt_Opt_Transparent);

    const i32 ty = y - 5 + z.hoehe;
    const i32 nummer = wert(SPIELER_WERT_RUECKENNUMMER, p);
    if (Font* f = Kit_Font(Kit_Schrift::ZAHL))
        Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, x - 2 - (nummer >= 10 && nummer <= 19 ? 1 : 0), ty,
                                 Kit_Schein::SCHLICHT, SPIELERZEILE_SPALTEN, "^fb0006\t%d^fe", nummer);
    if (Font* f = Kit_Font(Kit_Schrift::TEXT)) {
        constexpr auto& S = SPIELERZEILE_SPALTEN;
        Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_KLASSE[klasse], x, ty, Kit_Schein::SCHLICHT, S[SZ_POSITION], "%s",
                                 Positions_Text(klasse));
        Kit_Tabelle_Zelle_Printf(ziel, f, FARBE_WEISS, x, ty, Kit_Schein::SCHLICHT, S[SZ_NAME], "%s",
                                 Spieler_String(63, p, nullptr, 0));
        Kit_Tabelle_Zeile_Printf(ziel, f, FARBE_WEISS, x, ty, Kit_Schein::SCHLICHT, std::span(S).subspan(SZ_SPIELE),
                                 "^fb0010\t%d^fe", wert(SPIELER_WERT_SPIELE, p));
        if (z.mit_zustand) {
            const Spieler_Status_Text s = Spieler_Status(p);
            Kit_Tabelle_Zelle_Printf(ziel, f, s.farbe, x, ty, Kit_Schein::SCHLICHT, S[SZ_STATUS], "%s", s.text);
        }
    }
    Spieler_Sterne_Zeichnen(ziel, p, x + 197, y + 1, z.abzug, z.gewaehlt);
    i32 attribute[SPIELER_MARKEN_MAX];
    const int n = Spieler_Marken(p, attribute);
    for (int i = 0; i < n; ++i)
            Kit_Bild_Zeichnen(ziel, (z.gewaehlt ? GRAFIK_ATTRIBUT_GEWAEHLT : GRAFIK_ATTRIBUT) + attribute[i],
                              x + 349 + 28 * i, y + 1);
    if (!z.mit_zustand) return;
    Kit_Bild_Zeichnen(ziel, Erschoepfung_Grafik(p), x + 469, y);
}
}  // namespace

u32 Erschoepfung_Grafik(i32 spieler) {
    const i32 e = std::clamp(Spieler_Get_Erschoepfung(spieler), 0, 4);
    return static_cast<u32>(GRAFIK_ERSCHOEPFUNG + ERSCHOEPFUNG_BILD[e]);
}
