// The calendar: game days from Thursday 3 July 2003 (day 0), dates and their
// texts, the season's per-day table of competition matchdays, the placing of
// a competition's matchdays, the calendar save block and its remote calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/bytes.h"

// A date built from a day index (132 bytes).
struct Datum {
    int32_t tag;           // day index
    int32_t tag_im_monat;  // 1..31
    int32_t wochentag;     // 0..6, 0 = Saturday (day 0 is 5)
    int32_t monat;         // 1..12
    int32_t jahr;
    uint8_t vor_schaltjahr;  // 1 in a year that precedes a leap year
    char name_text[50];
    char zahl_text[30];
    char wochentag_name[15];
    char monat_name[16];
};
template <class V, bytes::Art<Datum> S>
constexpr void felder(V& v, S& r) {
    v(r.tag), v(r.tag_im_monat), v(r.wochentag), v(r.monat), v(r.jahr), v(r.vor_schaltjahr);
    v(r.name_text), v(r.zahl_text), v(r.wochentag_name), v(r.monat_name);
}
static_assert(sizeof(Datum) == 132 && bytes::groesse<Datum>() == 132, "Datum is a 132-byte record");

constexpr int KALENDER_TAGE = 366;
constexpr int KALENDER_SLOTS = 128;
// The most groups one day lists (Kalender_Spieltage_Heute's `liste` holds as many).
constexpr int KALENDER_MAX_GRUPPEN = 1000;
// The seasons a game can run (a day index past them is refused on loading:
// the calendar counts days in i32 and walks years from day 0).
constexpr int32_t KALENDER_JAHRE_MAX = 500;
constexpr int32_t KALENDER_TAG_MAX = 366 * KALENDER_JAHRE_MAX;
// The days a season can count from its base day (the Thursday on or
// before its 3 July) to its last day.
constexpr int32_t KALENDER_SAISON_TAGE_MAX = KALENDER_TAGE + 6;
// Day kinds: -1 none, else a competition kind (SUPER_ART) 0..127.
constexpr int KALENDER_ARTEN = 128;

// The calendar state block (7,468 bytes, saved and sent whole).
struct Kalender_Zustand {
    int32_t basistag;
    int32_t wochentag_tag0;  // always 5
    int32_t jahr;            // season year, raised on 3 July
    Datum aktuell;           // Kalender_Aktuelles_Datum
    int32_t slot_zaehler;
    uint32_t bits[4][KALENDER_TAGE];
    int32_t art[KALENDER_TAGE];
};
template <class V, bytes::Art<Kalender_Zustand> S>
constexpr void felder(V& v, S& r) {
    v(r.basistag), v(r.wochentag_tag0), v(r.jahr), v(r.aktuell), v(r.slot_zaehler), v(r.bits), v(r.art);
}
constexpr size_t KALENDER_ZUSTAND_GROESSE = 7468;
static_assert(bytes::groesse<Kalender_Zustand>() == KALENDER_ZUSTAND_GROESSE);

// --- life cycle ------------------------------------------------------------
bool Kalender_Init(const Datum* datum);
void Kalender_Re_Init();
void Kalender_Jedes_Jahr();
void Kalender_Free();
bool Kalender_Ist_Initialisiert();

// --- dates -------------------------------------------------------------------
// Date of a day index (-1 = today); long form or short form texts.
Datum Kalender_Get_Datum_Von_Tag(int32_t tag, bool lang);
int32_t Kalender_Get_Tag();
int32_t Kalender_Get_Jahr();
Datum Kalender_Get_Datum();
const char* Kalender_Get_Datum_Text(int32_t tag, bool lang);
const char* Kalender_Get_Datum_Text_Lang(int32_t tag, bool lang);
int32_t Kalender_Get_Basistag();
const char* Kalender_Get_Wochentag_Text(int32_t index);
const char* Kalender_Get_Monat_Text(int32_t monat);
// The month and year of a booking period of the bank (one a month), given
// as its offset from the current one (0 this month, -1 the one before):
// "August 2004". The finance screen names its period by it, and the money
// page after a match when it has no match day.
const char* Kalender_Periode_Text(int32_t offset);
// The month and year of a day ("July 2004"), and the months from that
// day's month to today's (0 the same month, 1 the month before).
const char* Kalender_Monat_Text_Von_Tag(int32_t tag);
int32_t Kalender_Monate_Seit(int32_t tag);
int32_t Kalender_Get_Tag_Aus_Datum(int32_t tag, int32_t monat, int32_t jahr);

// --- matchday table ----------------------------------------------------------
int Kalender_Spieltage_Heute(int32_t offset, int modus, int32_t* liste);
int Kalender_Spieltage_Am_Tag(int32_t tag);
int32_t Kalender_Get_Spieltermin(int32_t wettbewerb, int32_t spieltag, int32_t runde);
int32_t Kalender_Get_Spieltag_Nummer(int32_t tag, int32_t wettbewerb, int32_t* runde);
void Kalender_Termine_Loeschen(int32_t wettbewerb);
int32_t Kalender_Neuer_Slot();
bool Kalender_Spielt_Am_Tag(int32_t offset, int32_t marke);
int32_t Kalender_Get_Tag_Art(int32_t offset);
bool Kalender_Termin_Setzen(int32_t tag, int32_t slot, int32_t art);
bool Kalender_Termin_Setzen_Extern(int32_t tag, int32_t slot, int32_t art);
bool Kalender_Termin_Gesetzt(int32_t offset, int32_t slot);

// Places n matchdays of a competition; returns the slot used or -1.
int32_t Kalender_Termine_Verteilen(int32_t n, int32_t vorgaenger_marke, int32_t p, int32_t wochentag, int32_t quote,
                                   int32_t erste_woche, int32_t letzte_woche, int32_t art, int32_t frei_von,
                                   int32_t frei_bis, int32_t slot, bool nicht_mischen, bool paare);

// --- state, save block, remote calls ----------------------------------------
Kalender_Zustand& Kalender_Get_Zustand();
void Kalender_Zustand_Schreiben(const Kalender_Zustand& z, uint8_t* out);
bool Kalender_Zustand_Lesen(Kalender_Zustand& z, const uint8_t* in, size_t n);
void Kalender_Datum_Schreiben(const Datum& d, uint8_t* out);
void Kalender_Datum_Lesen(Datum& d, const uint8_t* in);
// The calendar save block as bytes (turn list unpacked), and back.
std::vector<uint8_t> Kalender_Save_Bild();
bool Kalender_Load_Bild(const uint8_t* data, size_t n);

// The calendar block of the save game: the image above with the 4,000-byte
// turn list written packed. Lesen parses into staging (the running calendar
// is untouched); Uebernehmen takes it over; Load does both.
struct Datei_Status;
bool Kalender_Save(Datei_Status* datei);
bool Kalender_Lesen(Datei_Status* datei);
void Kalender_Uebernehmen();
void Kalender_Verwerfen();
bool Kalender_Load(Datei_Status* datei);
// The state block read by Kalender_Lesen and not yet taken over; false
// when none is staged.
bool Kalender_Gelesen(Kalender_Zustand* aus);

// Server rows of the calendar calls 1000..1003.
int32_t Kalender_Internet_Server_1000(int32_t* jahr, int32_t* tag, uint8_t* optionen140);
int32_t Kalender_Internet_Server_1001(std::vector<int32_t>& gruppen, uint8_t* datum132, int32_t* anzahl,
                                      int32_t* runmodus, int32_t* frei);
int32_t Kalender_Internet_Server_1002(std::vector<int32_t>& gruppen, uint8_t* zustand7468, int32_t* anzahl);
int32_t Kalender_Internet_Server_1003(int32_t a, int32_t b);
// Client side: loads the calendar state from the server (does nothing
// unless a client).
void Kalender_Internet_Client_Laden();
void Kalender_Internet_Client_Reset();
// Client side: the server's day and run mode (call 1001); false without an
// answer (then nothing is written).
bool Kalender_Internet_Client_Stand(int32_t* tag, int32_t* modus);
