// The clubs' bank accounts: a ring of 700 bookings per account, credits.
#pragma once

#include "base/types.h"

constexpr int BANK_BUCHUNGEN = 700;

struct Bank_Buchung {
    f32 betrag;      // always positive
    u8 kategorie;    // booking kind; bit 128 = money going out
    u8 frei;
    i16 partner;     // the other team, -1 nobody
    i32 periode;     // booking period (month counter)
};
static_assert(sizeof(Bank_Buchung) == 12, "a booking is 12 bytes");

struct Bank_Konto {
    Bank_Buchung buchung[BANK_BUCHUNGEN];
    f64 kontostand;
    f32 kreditrahmen;
    i32 waehrung;
    i32 ring_index;      // next slot of the ring
    i32 anzahl;          // bookings in the ring (up to 700)
    i32 eroeffnet;       // 1 when the account exists
    i32 frei;
};
static_assert(sizeof(Bank_Konto) == 8432, "an account is 8,432 bytes");

struct Bank_Kredit_Eintrag {
    i32 partner;        // the other side (-1 the bank)
    f32 betrag_zins;    // amount with interest still to be paid back
    f32 betrag;         // amount
    i32 laufzeit;       // months
    i32 start_periode;  // booking period of the start
    f32 zins;           // rate in per cent
    i32 anlage;         // 0 a credit the team took, 1 money the team lent (the partner pays back)
};
static_assert(sizeof(Bank_Kredit_Eintrag) == 28, "a credit entry is 28 bytes");

// Booking kinds named by the game.
constexpr int BANK_STADIONBAU = 14;
constexpr int BANK_AUSGABE = 22;
constexpr int BANK_TRAINING = 27;
constexpr int BANK_TRANSFER_EINNAHME = 30;
constexpr int BANK_TRANSFER_AUSGABE = 31;
constexpr int BANK_EINNAHME = 40;
constexpr int BANK_KREDIT = 41;
constexpr int BANK_RICHTUNG_AUS = 128;

// Credit limits of the credit screen.
constexpr f32 BANK_KREDIT_MIN = 100000.0f;
constexpr f32 BANK_KREDIT_MAX = 12000000.0f;
constexpr int BANK_LAUFZEIT_MIN = 10;
constexpr int BANK_LAUFZEIT_MAX = 50;

void Bank_Init();
void Bank_Free();
// Opens a team's account with a start balance; the credit line is a tenth of
// the squad's market value (at least 500,000), rounded to 10,000.
bool Bank_Konto_Anlegen(int team, f64 start, int unbenutzt);
// Books a payment from `zahler` to `empfaenger` (either may be -1 = nobody).
// Refused (0) when the payer's balance plus credit line does not cover it and
// `erzwingen` is 0, for an amount below 1 or a team without account.
int Bank_Buchen(int zahler, int empfaenger, f32 betrag, int kategorie, int erzwingen, int waehrung);
f64 Bank_Get_Kontostand(int team, int unbenutzt, int waehrung);
f64 Bank_Get_Kreditrahmen(int team);
// A credit from a lender (a team, or -1 the bank) to a borrower (a team, or
// -1 the bank: the team invests its money at the bank). Amount
// 100,000..12,000,000, term 10..50 months, rate 1..100 % or -1 = the bank's
// rate for the term. The borrower pays back amount with interest in equal
// monthly parts (Bank_Neue_Periode). Both teams list the credit. False when
// the lender cannot cover it or a bound is broken.
bool Bank_Kredit(int geber, int nehmer, f32 betrag, int laufzeit, int option, f32 zins, int unbenutzt);
int Bank_Get_Anzahl_Kredite(int team);
const Bank_Kredit_Eintrag* Bank_Get_Naechster_Kredit(int team, int* cursor);
int Bank_Get_Laufzeit_Klasse(int monate);
f32 Bank_Get_Zins(int klasse);
// Sum of a team's bookings in the period `offset` periods back, of one kind
// (bit 128: outgoing) or of all kinds when kategorie is -1.
f64 Bank_Summe_Buchungen(int team, int offset, int kategorie, int unbenutzt);
bool Bank_Hat_Buchung_In_Periode(int team, int offset);
// Starts the next booking period (month); credits pay their monthly rate.
void Bank_Neue_Periode();
i32 Bank_Get_Periode();
// Money text "1.234.567 €" in a rotating buffer (the team's currency; one currency: the euro).
const char* Bank_Geld_String(f64 betrag, int team, int waehrung, int flags);
// Digit grouping "1.234.567" into the buffer, or a temporary string when it is null.
const char* Bank_Zahl_String(char* puffer, i64 wert, int flags);
// A number from the platform's generator (not the shared table), from..to.
i32 Bank_Rnd_Von_Bis(i32 von, i32 bis);
const Bank_Konto* Bank_Get_Konto(int team);

// Save block: accounts and credits. Reading parses into staging state;
// Bank_Uebernehmen makes it the running bank, Bank_Verwerfen drops it.
struct Datei_Status;
bool Bank_Speichern(Datei_Status* datei);
bool Bank_Laden(Datei_Status* datei);
void Bank_Uebernehmen();
void Bank_Verwerfen();
