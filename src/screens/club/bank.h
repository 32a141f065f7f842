// The bank screen: the active team's credits, and a new credit from the
// bank or, with several human managers, offered to another manager's club.
// Opened from the main menu (dialog button 704, entry 0) as Screen_Id::BANK.
#pragma once

#include "base/types.h"
#include "screens/screens.h"

struct Screen_Icon;
struct Rastport;

enum : i16 {
    ICON_BANK_RAHMEN = 2499,   // frame: the screen's frame icon
    ICON_BANK_PARTNER = 2500,  // lender selector (state: 0 the bank, else the lender's team)
    ICON_BANK_BETRAG = 2501,   // amount stepper (state: the amount)
    ICON_BANK_LAUFZEIT = 2502, // term stepper (state: months)
    ICON_BANK_ZINS = 2503,     // rate stepper (state: per cent)
    ICON_BANK_KREDIT = 2504,   // take the credit
};

// The most credits a club may hold before an offer to another manager
// becomes a credit from the bank.
constexpr i32 BANK_SCREEN_MAX_KREDITE = 4;
constexpr f32 BANK_SCREEN_BETRAG_SCHRITT = 100000.0f;

// The screen's record for the registry.
Screen_Def Bank_Screen_Def();

void Bank_Screen_Init();
// Reads the active manager's remembered choice.
void Bank_Screen_Daten_Holen();
void Bank_Screen_Texte_Setzen();
void Bank_Screen_Partner_Klick(Screen_Icon* icon, u32 ereignis);
void Bank_Screen_Wert_Klick(Screen_Icon* icon, u32 ereignis);
void Bank_Screen_Kredit_Klick(Screen_Icon* icon, u32 ereignis);
void Bank_Screen_Zeichnen(Screen_Icon* icon, Rastport* ziel, i32 x, i32 y);
const char* Bank_Screen_Hilfe(Screen_Icon* icon);
// Each of the other icons' help, one procedure an icon.
const char* Bank_Screen_Hilfe_Partner(Screen_Icon* icon);
const char* Bank_Screen_Hilfe_Betrag(Screen_Icon* icon);
const char* Bank_Screen_Hilfe_Laufzeit(Screen_Icon* icon);
const char* Bank_Screen_Hilfe_Zins(Screen_Icon* icon);
const char* Bank_Screen_Hilfe_Kredit(Screen_Icon* icon);

// The bank's rate for a term, as the screen shows and books it: the whole
// per cent of the term's class.
i32 Bank_Screen_Bankzins(i32 monate);
// The screen's state.
i32 Bank_Screen_Partner();
f32 Bank_Screen_Betrag();
i32 Bank_Screen_Laufzeit();
i32 Bank_Screen_Zins();
// The next lender after `partner` (0 the bank) for the active team `aktiv`
// among the human managers' teams (in list order).
i32 Bank_Screen_Naechster_Partner(i32 partner, i32 aktiv, const i32* teams, i32 anzahl);
