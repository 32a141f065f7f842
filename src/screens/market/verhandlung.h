// The negotiation window over the transfer screen: the manager bids for a
// market player against a falling asking price under a 30-second clock. The
// seller lowers his price in drops towards hidden thresholds, some when the
// bid reaches one, some at hidden moments of the clock. Starting the clock
// spends one of the club's transfers (also when the talks are broken off);
// an agreement is carried out when the manager leaves: his squad player goes
// to the market, the market player joins, the price is paid and the
// proceeds of the leaving player credited (Spieler_Tauschen, through the
// server on a network client).
#pragma once

#include "base/types.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_VERHANDLUNG = 3346,          // the window
    ICON_VERHANDLUNG_10K = 3347,      // raise the bid by 10,000
    ICON_VERHANDLUNG_100K = 3348,     // raise the bid by 100,000
    ICON_VERHANDLUNG_START = 3349,    // start the clock
    ICON_VERHANDLUNG_VERLASSEN = 3350,
    ICON_VERHANDLUNG_SCHILD = 3351,   // a label, never active
    ICON_VERHANDLUNG_KARTE = 3352,    // the market player's card
    ICON_VERHANDLUNG_SPERRE = 3353,   // blocks the screen beneath
};

enum Verhandlung_Stand : i32 { VH_BEREIT = 0, VH_LAEUFT = 1, VH_ENDE = 2, VH_SENKUNG = 3, VH_PAUSE = 4 };
constexpr i32 VERHANDLUNG_DAUER_MS = 30000;
constexpr i32 VERHANDLUNG_MARKEN = 12;

struct Verhandlung_Daten {
    i32 eigen = -1, markt = -1;  // the own player who goes, the market player who comes
    i32 gebot = 0, forderung = 0;
    bool einig = false;
    i32 stand = VH_BEREIT;
    i32 n = 0;                          // thresholds (0 or odd, at most 11)
    i32 schwelle[VERHANDLUNG_MARKEN] = {};
    i32 h = 0, l = 0;                   // next drop target (counts down), drops by bid done (counts up)
    i32 m = 0;                          // time marks
    i32 zeitmarke[VERHANDLUNG_MARKEN] = {};
    i32 k = 0;                          // time-mark cursor
    u32 start = 0;                      // the clock's start (moved on at a resume)
    i32 pause_vergangen = 0;            // elapsed ms kept while the abort question is open
    i32 karte_vergangen = -1;           // elapsed ms kept while the card is open, -1 none
    u32 senkung_start = 0;
    bool senkung_laeuft = false;
    u32 letzter_schritt = 0;
    u32 blink_start = 0;
};

// Opens the window for (own player, market player). False and the message
// "not enough money" when the money available does not reach the market
// player's value.
bool Verhandlung_Oeffnen(i32 eigen, i32 markt);
// Takes the window off (no exchange).
void Verhandlung_Schliessen();
bool Verhandlung_Offen();
const Verhandlung_Daten& Verhandlung_Stand_Lesen();
// The money the club can bid: its balance plus the proceeds of the own
// player, at least 0.
i64 Verhandlung_Geld(i32 eigen);

// One frame of the clock, the checks and the seller's drop (also run by the
// window's drawing).
void Verhandlung_Takt();

// The icons' procedures.
void Verhandlung_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
void Verhandlung_10k_Klick(Screen_Icon* icon, u32 ereignis);
void Verhandlung_100k_Klick(Screen_Icon* icon, u32 ereignis);
void Verhandlung_Start_Klick(Screen_Icon* icon, u32 ereignis);
void Verhandlung_Verlassen_Klick(Screen_Icon* icon, u32 ereignis);
void Verhandlung_Karte_Klick(Screen_Icon* icon, u32 ereignis);
const char* Verhandlung_Start_Hilfe(Screen_Icon* icon);
const char* Verhandlung_Karte_Hilfe(Screen_Icon* icon);
