// The clubs' bank accounts: a ring of 700 bookings per account, credits.
#pragma once

#include "base/feld_grenze.h"
#include "base/bytes.h"
#include "base/types.h"
#include "world/welt.h"

constexpr int BANK_BUCHUNGEN = 700;

struct Bank_Buchung {
    f32 betrag;    // always positive
    u8 kategorie;  // booking kind; bit 128 = money going out
    u8 frei;
    i16 partner;  // the other team, -1 nobody
    i32 periode;  // booking period (month counter)
};
template <class V, bytes::Art<Bank_Buchung> S>
constexpr void felder(V& v, S& r) {
    v(r.betrag), v(r.kategorie), v(r.frei), v(r.partner), v(r.periode);
}
static_assert(sizeof(Bank_Buchung) == 12 && bytes::groesse<Bank_Buchung>() == 12, "a booking is 12 bytes");

struct Bank_Konto {
    Bank_Buchung buchung[BANK_BUCHUNGEN];
    f64 kontostand;
    f32 kreditrahmen;
    i32 waehrung;
    i32 ring_index;  // next slot of the ring
    i32 anzahl;      // bookings in the ring (up to 700)
    i32 eroeffnet;   // 1 when the account exists
    i32 frei;
};
template <class V, bytes::Art<Bank_Konto> S>
constexpr void felder(V& v, S& r) {
    v(r.buchung), v(r.kontostand), v(r.kreditrahmen), v(r.waehrung), v(r.ring_index), v(r.anzahl);
    v(r.eroeffnet), v(r.frei);
}
static_assert(sizeof(Bank_Konto) == 8432 && bytes::groesse<Bank_Konto>() == 8432, "an account is 8,432 bytes");

struct Bank_Kredit_Eintrag {
    i32 partner;        // the other side (-1 the bank)
    f32 betrag_zins;    // amount with interest still to be paid back
    f32 betrag;         // amount
    i32 laufzeit;       // months
    i32 start_periode;  // booking period of the start
    f32 zins;           // rate in per cent
    i32 anlage;         // 0 a credit the team took, 1 money the team lent (the partner pays back)
};
template <class V, bytes::Art<Bank_Kredit_Eintrag> S>
constexpr void felder(V& v, S& r) {
    v(r.partner), v(r.betrag_zins), v(r.betrag), v(r.laufzeit), v(r.start_periode), v(r.zins), v(r.anlage);
}
static_assert(sizeof(Bank_Kredit_Eintrag) == 28 && bytes::groesse<Bank_Kredit_Eintrag>() == 28,
              "a credit entry is 28 bytes");

// Booking kinds named by the game, with the row of the finance screen
// they are counted in; every booking names its kind by one of these.
constexpr int BANK_OHNE_ART = 0;          // a sum booked without a kind ("others")
constexpr int BANK_ZUSCHAUER = 4;         // ticket takings ("Zuschauer")
constexpr int BANK_GEHALT = 8;            // the players' monthly wages ("Gehälter")
constexpr int BANK_WERBUNG = 13;          // advertising, sponsors and broadcasting ("Werbung")
constexpr int BANK_STADIONBAU = 14;       // building and seats bought ("Stadionbau")
constexpr int BANK_PERSONAL = 16;         // the staff ("Personal")
constexpr int BANK_AUSGABE = 22;          // fines, fees and other expenses ("Sonstige Ausgaben")
constexpr int BANK_STADIONBETRIEB = 26;   // the ground's running costs per match ("Stadionbetrieb")
constexpr int BANK_TRAINING = 27;         // training and camps ("Training")
constexpr int BANK_TRANSFER_EINNAHME = 30;  // a player sold ("Transfers")
constexpr int BANK_TRANSFER_AUSGABE = 31;   // a player bought, market fees ("Ablösen")
constexpr int BANK_EINNAHME = 40;         // premiums and other income ("Prämien und Sonstiges")
constexpr int BANK_KREDIT = 41;           // credits and their rates
constexpr int BANK_RICHTUNG_AUS = 128;

// Credit limits of the credit screen.
constexpr f32 BANK_KREDIT_MIN = 100000.0f;
constexpr f32 BANK_KREDIT_MAX = 12000000.0f;
constexpr int BANK_LAUFZEIT_MIN = 10;
constexpr int BANK_LAUFZEIT_MAX = 50;
// The rate of a credit from the bank: the bank's own for the term (a
// client's credit is booked by the server at exactly this rate).
constexpr f32 BANK_ZINS_DER_BANK = -1.0f;
constexpr f32 BANK_ZINS_MIN = 1.0f, BANK_ZINS_MAX = 100.0f;

// The most money an account holds, in debt or in credit, and a booking
// moves: a booking that would take an account past it is refused.
constexpr f64 BANK_GELD_MAX = 1.0e11;
// The most booking periods (months) a game runs.
constexpr i32 BANK_PERIODE_MAX = 12 * 1000;
// The most a credit costs back: the largest at the highest rate (100 %) for
// the longest term.
constexpr f64 BANK_RUECKZAHLUNG_MAX = static_cast<f64>(BANK_KREDIT_MAX) * (12 + BANK_LAUFZEIT_MAX) / 12;
static_assert(BANK_ZINS_MAX == 100.0f, "the rate of the largest repayment");

// The ranges of the bank's records; a saved record outside them is refused.
inline constexpr Feld_Grenze<Bank_Buchung> BANK_BUCHUNG_FELDER[] = {
    FELD_GRENZE(Bank_Buchung, betrag, 0.0, BANK_GELD_MAX),
    FELD_GRENZE(Bank_Buchung, partner, -1, MAX_TEAMS - 1),
    FELD_GRENZE(Bank_Buchung, periode, 0, BANK_PERIODE_MAX),
};
inline constexpr Feld_Grenze<Bank_Konto> BANK_KONTO_FELDER[] = {
    FELD_GRENZE(Bank_Konto, kontostand, -BANK_GELD_MAX, BANK_GELD_MAX),
    FELD_GRENZE(Bank_Konto, kreditrahmen, 0.0, BANK_GELD_MAX),
    FELD_GRENZE(Bank_Konto, waehrung, 0, 2),  // BANK_WAEHRUNGEN - 1
    FELD_GRENZE(Bank_Konto, ring_index, 0, BANK_BUCHUNGEN - 1),
    FELD_GRENZE(Bank_Konto, anzahl, 0, BANK_BUCHUNGEN),
    FELD_GRENZE(Bank_Konto, eroeffnet, 0, 1),
};
inline constexpr Feld_Grenze<Bank_Kredit_Eintrag> BANK_KREDIT_FELDER[] = {
    FELD_GRENZE(Bank_Kredit_Eintrag, partner, -1, MAX_TEAMS - 1),
    FELD_GRENZE(Bank_Kredit_Eintrag, betrag_zins, 0.0, BANK_RUECKZAHLUNG_MAX),
    FELD_GRENZE(Bank_Kredit_Eintrag, betrag, BANK_KREDIT_MIN, BANK_KREDIT_MAX),
    FELD_GRENZE(Bank_Kredit_Eintrag, laufzeit, BANK_LAUFZEIT_MIN, BANK_LAUFZEIT_MAX),
    FELD_GRENZE(Bank_Kredit_Eintrag, start_periode, 0, BANK_PERIODE_MAX),
    FELD_GRENZE(Bank_Kredit_Eintrag, zins, BANK_ZINS_MIN, BANK_ZINS_MAX),
    FELD_GRENZE(Bank_Kredit_Eintrag, anlage, 0, 1),
};

void Bank_Init();
void Bank_Free();
// Opens a team's account with a start balance; the credit line is a tenth of
// the squad's market value (at least 500,000), rounded to 10,000.
bool Bank_Konto_Anlegen(int team, f64 start, int unbenutzt);
bool Bank_Konto_Offen(int team);
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
// A network client mirrors the server's credits of its team (false for a
// team without account).
bool Bank_Kredite_Setzen(int team, const Bank_Kredit_Eintrag* eintraege, int anzahl);
const Bank_Kredit_Eintrag* Bank_Get_Naechster_Kredit(int team, int* cursor);
int Bank_Get_Laufzeit_Klasse(int monate);
f32 Bank_Get_Zins(int klasse);
// Sum of a team's bookings in the period `offset` periods back, of one kind
// (bit 128: outgoing) or of all money kinds when kategorie is -1 (the match
// line's records 178..182 are no money and never summed with them).
f64 Bank_Summe_Buchungen(int team, int offset, int kategorie, int unbenutzt);
bool Bank_Hat_Buchung_In_Periode(int team, int offset);
// The finance screen's match line: records (no money moves) of the team's
// last match of the current period: 178 first team (home), 179 second team,
// 180 and 181 their goals, 182 the attendance, as booking amounts. A later
// match of the same period replaces them, so the period's sums of 178..182
// are always one match. Not on a network client. The fixture's values come
// from Welt_Hooks::spiel_daten; nothing is recorded without them.
constexpr int BANK_SPIEL_HEIM = 178;
constexpr int BANK_SPIEL_GAST = 179;
constexpr int BANK_SPIEL_TORE_HEIM = 180;
constexpr int BANK_SPIEL_TORE_GAST = 181;
constexpr int BANK_SPIEL_ZUSCHAUER = 182;
void Bank_Buche_Spieldaten(int team, int spiel);
// False for the match line's records (178..182), which share their numbers
// with outgoing kinds 50..54 but move no money: pages that add up bookings
// by kind leave them out.
bool Bank_Ist_Geldbuchung(int kategorie);
struct Welt_Spiel_Info;
bool Bank_Buche_Spieldaten_Info(int team, const Welt_Spiel_Info& spiel);
// Starts the next booking period (month); credits pay their monthly rate.
void Bank_Neue_Periode();
i32 Bank_Get_Periode();
// A client takes the server's booking period with its bookings (the months
// its credits have left count from it); false, nothing changed, out of range.
bool Bank_Periode_Uebernehmen(i32 periode);
// The months a credit has left (its term less the periods since its start).
i32 Bank_Kredit_Restmonate(const Bank_Kredit_Eintrag& e);
// Currencies. Every amount the bank keeps, books and returns is in the
// base currency (the euro); only texts show an amount converted into a
// currency. A club's currency is that of its country (account field
// `waehrung`): the pound for England, the franc for Switzerland, else the euro.
constexpr int BANK_WAEHRUNGEN = 3;
static_assert(BANK_KONTO_FELDER[2].max == BANK_WAEHRUNGEN - 1, "the currency's range names the three");
constexpr int BANK_EURO = 0;
constexpr int BANK_PFUND = 1;
constexpr int BANK_FRANKEN = 2;
struct Bank_Waehrung {
    f32 faktor;       // units of the currency for one euro
    char zeichen[4];  // shown after the amount
    char name[16];
};
template <class V, bytes::Art<Bank_Waehrung> S>
constexpr void felder(V& v, S& r) {
    v(r.faktor), v(r.zeichen), v(r.name);
}
static_assert(sizeof(Bank_Waehrung) == 24 && bytes::groesse<Bank_Waehrung>() == 24, "a currency entry is 24 bytes");
const Bank_Waehrung& Bank_Get_Waehrung_Eintrag(int waehrung);
// The team's currency (its account's, else its country's; the euro for -1).
int Bank_Get_Waehrung(int team);

// Money text "1.234.567 €" in a rotating buffer: the amount (base currency)
// converted into the currency `waehrung`, or the team's currency when it is -1.
const char* Bank_Geld_String(f64 betrag, int team, int waehrung, int flags);
// Digit grouping "1.234.567" into the buffer, or a temporary string when it is null.
const char* Bank_Zahl_String(char* puffer, i64 wert, int flags);
const Bank_Konto* Bank_Get_Konto(int team);

// Save block: accounts and credits. Reading parses into staging state;
// Bank_Uebernehmen makes it the running bank, Bank_Verwerfen drops it.
struct Datei_Status;
bool Bank_Speichern(Datei_Status* datei);
bool Bank_Laden(Datei_Status* datei);
void Bank_Uebernehmen();
void Bank_Verwerfen();
