#include "main/statistik_anmelden.h"

#include <algorithm>

#include "base/ruf.h"
#include "matchday/spieltag.h"
#include "season/ereignisse.h"
#include "season/statistik.h"

void Statistik_Spieler_Nach_Spiel(i32 spieler, u32 wettbewerb, int tore, int minuten, int note, int wechsel) {
    if (ruf::Client() || spieler < 0) return;
    // A starter's appearance was counted at the kick-off; a substitute's
    // when he has come on.
    if ((wechsel & 8) && minuten > 0) Spieltag_Einwechslung_Zaehlen(static_cast<i32>(wettbewerb), spieler);
    Statistik_Spieler u = Statistik_Spieler_Unveraendert(spieler);
    u.tore = static_cast<u16>(std::clamp(tore, 0, 255));
    u.minuten = static_cast<u16>(std::clamp(minuten, 0, 255));
    // The grade (1 best .. 6, 0 none) and the marks of coming on (8) and
    // being taken off (16).
    u.spiele[0] = static_cast<u8>((std::clamp(note, 0, 7) & 7) | (wechsel & 24));
    u.h3[0] = static_cast<u8>(std::clamp(minuten, 0, 254));
    Statistik_Spieler_Setze(spieler, u, true);
}

// The engine hands the figures of one match; the competition keeps their sum.
void Statistik_Wettbewerb_Zaehler(u32 wettbewerb, i32 spieler, int zaehler, int wert) {
    if (ruf::Client() || spieler < 0 || wert <= 0) return;
    const i32 w = static_cast<i32>(wettbewerb);
    const i32 bisher = std::max(Spiele_Get_Wettbewerb_Ereignis(w, zaehler, spieler), 0);
    Spiele_Set_Wettbewerb_Ereignis(w, spieler, zaehler, bisher + wert);
}

void Statistik_Spielfeld_Eintragen(Spielfeld_Hooks& h) {
    h.statistik_spieler = Statistik_Spieler_Nach_Spiel;
    h.wettbewerb_ereignis = Statistik_Wettbewerb_Zaehler;
}
