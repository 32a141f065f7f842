// The scout's journey (the scouting screen's stage 3): a progress bar from 0
// to 100 %, a five-line log of his reports, and now and then a prospect from
// the search's results whom he talks to over four steps until the prospect
// says yes (a persuasion roll) or no. A willing prospect can be hired (the
// scouting screen); one who says no, breaks the talks off or is turned away
// makes the scout search on. Every draw that decides comes from the shared
// random table, in a fixed order, also the draws whose value is not used.
#pragma once

#include "base/types.h"

struct Rastport;

constexpr i32 SUCHE_ERGEBNISSE = 10;
constexpr i32 SUCHE_ZIEL = 211;  // progress at 100 %
constexpr i32 LOG_ZEILEN = 5;

enum Scout_Dialog : i32 {
    SD_SUCHT = -1,  // searching
    SD_GEFUNDEN = 0,
    SD_BEOBACHTET = 1,
    SD_GESPRAECH = 2,
    SD_ANGEBOT = 3,
    SD_JA = 4,
    SD_NEIN = 5,
};

struct Scout_Log_Zeile {
    char text[256] = {};
    i32 farbe = -1, font = -1;  // -1: the default look
};

struct Scout_Suche_Stand {
    i32 scout = 0, gebiet = -1;
    i32 fortschritt = 0;  // 0..211
    i32 dialog = SD_SUCHT;
    i32 fertig = -1;  // 1 once the search has ended
    u32 letzter_schritt = 0, letzter_bericht = 0, letzter_tick = 0;
    Scout_Log_Zeile log[LOG_ZEILEN];
    i32 zeilen = 0;
    i32 ergebnis[SUCHE_ERGEBNISSE] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    i32 cursor = 0;
    i32 w = 0, u = 0;       // probability and persuasion for the area, 0..100
    i32 prospekt = -1;      // the prospect on the card, -1 none
    i32 zugestimmt = -1;    // 0 once he agreed
};

// The results of a paid search (ten players, -1 for an empty slot, shuffled):
// the target strength from the scout's player strength factor for the area
// (held to 0..12) and the club's strength; the scout players of the market
// from the area, shuffled and sorted strongest first; the first ten, then
// those near the target written over them from the first slot.
void Scout_Suche_Ergebnisse(i32 team, i32 scout, i32 gebiet, i32 aus[SUCHE_ERGEBNISSE]);

// A new journey for the scout and area with these results.
void Scout_Suche_Starten(i32 scout, i32 gebiet, const i32 ergebnis[SUCHE_ERGEBNISSE]);
const Scout_Suche_Stand& Scout_Suche_Lesen();
// Progress in per cent (rounded, at most 100).
i32 Scout_Suche_Prozent();

// One step of the talks at the given percent (run by the frame when more
// than 10 ms passed, the prospect is not waiting and no requester is open).
void Scout_Suche_Dialog_Tick(i32 prozent);
// The card: 0 a new prospect (the next result that is a player), 1 emptied,
// 2 he agreed.
void Scout_Suche_Karte(i32 modus);
// The manager turns the prospect away.
void Scout_Suche_Abweisen();
// The prospect was hired or the screen left: the talks end.
void Scout_Suche_Beenden();

void Scout_Log_Dazu(const char* text, i32 farbe = -1, i32 font = -1);
void Scout_Log_Leeren();

// Stage 3's drawing: the bar, the log and the talks' tick, the prospect's card.
void Scout_Suche_Zeichnen(Rastport* ziel, bool requester_offen);
void Scout_Suche_Karte_Zeichnen(Rastport* ziel, i32 x, i32 y);
