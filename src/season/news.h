// The news store and inbox: every module tells the human managers what
// happened through news items (a text, a 40-byte data block, a list of
// recipient teams each with its own flag word). The store keeps at most
// 1,500 items in memory, oldest first; the inbox pass shows a manager his
// unread items one at a time. The store is saved in block 16 behind the
// option block (docs/formats/season.md).
#pragma once

#include <string>
#include <vector>

#include "base/feld_grenze.h"
#include "base/types.h"
#include "season/ankuendigung.h"
#include "season/ereignis_zufall.h"
#include "season/kalender.h"
#include "season/richter.h"
#include "world/bank.h"
#include "world/welt.h"

struct Datei_Status;

constexpr i32 NEWS_MAX = 1500;
constexpr u32 NEWS_TEXT_MAX = 65535;  // longest text (binary ones included)
constexpr u32 NEWS_NETZ_TEXT = 4096;  // longest text a client posts, its NUL included

// Recipient flags.
constexpr u32 NEWS_FRAGE = 0x1;              // shown with yes/no buttons
constexpr u32 NEWS_ANTWORT = 0x2;            // a reply (to all: only the sender itself)
constexpr u32 NEWS_NACHRICHT = 0x4;          // an ordinary message
constexpr u32 NEWS_KATEGORIEN = 0x1FF8;      // category bits
constexpr u32 NEWS_KATEGORIE_SONST = 0x800;  // given when none is set
constexpr u32 NEWS_ANKUENDIGUNG = 0x2000;    // a match announcement
constexpr u32 NEWS_TAGESNOTIZ = 0x4000;      // a notice bound to its day
// A notice bound to its day is shown once it has stood this long in the
// receiving manager's turn (ms of the clock); ended sooner, his turn never
// shows it.
constexpr u32 NEWS_NOTIZ_FRIST_MS = 30000;
constexpr u32 NEWS_BINAER = 0x8000000;       // binary text, length in data word 0 - 1
constexpr u32 NEWS_GEZEIGT_1 = 0x10000000, NEWS_GEZEIGT_2 = 0x20000000;
constexpr u32 NEWS_GESPEICHERT = 0x40000000;

// News_Set modes.
enum News_Set_Modus : i32 { NEWS_SETZEN = 1, NEWS_XOR = 2, NEWS_BITS_LOESCHEN = 4, NEWS_BITS_SETZEN = 8 };

struct News_Daten {
    i32 w[10] = {};
};

// What the data words of an item hold depends on its kind: an ordinary
// message holds none, a binary item its length + 1 in word 0, a notice bound
// to its day the day and the team, the requests between clubs their request
// words (season/richter.h). The kind comes from the recipient flags (binary,
// day notice), else from word 0 (the request kind). Each kind's words have
// the ranges below: the loader refuses an item outside them, as does the
// server for a client's item.
constexpr i32 NEWS_ANGEBOT_FRIST = 40;  // days a request or an offer stays open
constexpr i32 NEWS_FRIST_MAX = KALENDER_TAG_MAX + NEWS_ANGEBOT_FRIST;
constexpr i32 NEWS_PREIS_MAX = std::numeric_limits<i32>::max();  // a price or sum the bank books (below BANK_GELD_MAX)
constexpr i32 NEWS_BILD_MAX = 0xFFFF;                            // the picture of an offer
constexpr i32 NEWS_EREIGNIS_WERT_MAX = ATTRIBUT_ANZAHL - 1;      // an attribute, or a maximum strength (0..12)
static_assert(NEWS_EREIGNIS_WERT_MAX >= 12, "a maximum strength fits the attribute range");

#define NEWS_WORT(n, unten, oben) FELD_GRENZE(News_Daten, w[n], (unten), (oben))
#define NEWS_NULL(n) NEWS_WORT(n, 0, 0)
inline constexpr Feld_Grenze<News_Daten> NEWS_DATEN_TEXT[] = {
    NEWS_NULL(0), NEWS_NULL(1), NEWS_NULL(2), NEWS_NULL(3), NEWS_NULL(4),
    NEWS_NULL(5), NEWS_NULL(6), NEWS_NULL(7), NEWS_NULL(8), NEWS_NULL(9),
};
inline constexpr Feld_Grenze<News_Daten> NEWS_DATEN_BINAER[] = {
    NEWS_WORT(0, 2, static_cast<f64>(NEWS_TEXT_MAX) + 1),  // the length + 1
    NEWS_NULL(1),
    NEWS_NULL(2),
    NEWS_NULL(3),
    NEWS_NULL(4),
    NEWS_NULL(5),
    NEWS_NULL(6),
    NEWS_NULL(7),
    NEWS_NULL(8),
    NEWS_NULL(9),
};
inline constexpr Feld_Grenze<News_Daten> NEWS_DATEN_TAGESNOTIZ[] = {
    NEWS_WORT(0, 0, KALENDER_TAG_MAX),  // the day
    NEWS_WORT(1, 0, MAX_TEAMS - 1),     // the team whose manager ended his turn
    NEWS_NULL(2),
    NEWS_NULL(3),
    NEWS_NULL(4),
    NEWS_NULL(5),
    NEWS_NULL(6),
    NEWS_NULL(7),
    NEWS_NULL(8),
    NEWS_NULL(9),
};
// A credit one club offers another (the credit screen).
inline constexpr Feld_Grenze<News_Daten> NEWS_DATEN_KREDIT[] = {
    NEWS_WORT(0, ANFRAGE_KREDIT, ANFRAGE_KREDIT),
    NEWS_WORT(1, 0, MAX_TEAMS - 1),                      // the club asking for the credit
    NEWS_WORT(2, 0, MAX_TEAMS - 1),                      // the club asked
    NEWS_WORT(3, NEWS_ANGEBOT_FRIST, NEWS_FRIST_MAX),    // the deadline
    NEWS_WORT(4, BANK_KREDIT_MIN, BANK_KREDIT_MAX),      // the amount
    NEWS_WORT(5, BANK_ZINS_MIN, BANK_ZINS_MAX),          // the rate
    NEWS_WORT(6, BANK_LAUFZEIT_MIN, BANK_LAUFZEIT_MAX),  // the term in months
    NEWS_NULL(7),
    NEWS_NULL(8),
    NEWS_WORT(9, -1, 1),  // the answer: -1 none yet, 0 no, 1 yes
};
// An offer of the random events (Ereignis_Antwort reads it back).
inline constexpr Feld_Grenze<News_Daten> NEWS_DATEN_EREIGNIS[] = {
    NEWS_WORT(0, ANFRAGE_EREIGNIS, ANFRAGE_EREIGNIS),
    NEWS_WORT(1, 0, MAX_TEAMS - 1),                                                 // the team
    NEWS_WORT(2, 0, SPIELER_ANZAHL_MAX - 1),                                        // the player
    NEWS_WORT(3, NEWS_ANGEBOT_FRIST, NEWS_FRIST_MAX),                               // the deadline
    NEWS_WORT(4, EREIGNIS_NEGATIVES_ATTRIBUT_WEG, EREIGNIS_MAXSTAERKE_VERAENDERT),  // the category (an offering one)
    NEWS_WORT(5, 0, NEWS_EREIGNIS_WERT_MAX),                                        // the attribute or new value
    NEWS_WORT(6, 0, EREIGNIS_MAX - 1),                                              // the event
    NEWS_WORT(7, 0, NEWS_PREIS_MAX),                                                // the price
    NEWS_WORT(8, 0, NEWS_BILD_MAX),                                                 // the event's picture
    NEWS_WORT(9, -1, 1),
};
// A player swap offered between clubs (Spieler_Vertrag_Ergebnis).
inline constexpr Feld_Grenze<News_Daten> NEWS_DATEN_VERTRAG[] = {
    NEWS_WORT(0, ANFRAGE_VERTRAG, ANFRAGE_VERTRAG),
    NEWS_WORT(1, 0, MAX_TEAMS - 1),                    // the buying club
    NEWS_WORT(2, 0, MAX_TEAMS - 1),                    // the selling club
    NEWS_WORT(3, NEWS_ANGEBOT_FRIST, NEWS_FRIST_MAX),  // the deadline
    NEWS_WORT(4, 0, NEWS_PREIS_MAX),                   // the sum paid
    NEWS_NULL(5),
    NEWS_NULL(6),
    NEWS_WORT(7, 0, SPIELER_ANZAHL_MAX - 1),  // the player wanted
    NEWS_WORT(8, 0, SPIELER_ANZAHL_MAX - 1),  // the player given
    NEWS_WORT(9, -1, 1),
};
#undef NEWS_NULL
#undef NEWS_WORT

struct News_Daten_Art {
    const char* name;
    const Feld_Grenze<News_Daten>* felder;  // ten rows, word 0 first
};
inline constexpr News_Daten_Art NEWS_DATEN_ARTEN[] = {
    {"Text", NEWS_DATEN_TEXT},     {"Binaer", NEWS_DATEN_BINAER},     {"Tagesnotiz", NEWS_DATEN_TAGESNOTIZ},
    {"Kredit", NEWS_DATEN_KREDIT}, {"Ereignis", NEWS_DATEN_EREIGNIS}, {"Vertrag", NEWS_DATEN_VERTRAG},
};
// The kind of an item with these recipient flags (all its recipients' flags
// together) and data words.
const News_Daten_Art& News_Daten_Art_Von(u32 flags, const News_Daten& d);
// True when the data words lie within their kind's ranges.
bool News_Daten_Pruefen(u32 flags, const News_Daten& d);

// Calls upward to the screens, filled in by src/main; the defaults do
// nothing (a headless game shows nothing and answers no question).
struct News_Hooks {
    // A modal screen is up (the inbox waits).
    bool (*modal_screen)() = [] { return false; };
    // The state of the end-of-turn icon 707 on the screen, -1 when absent.
    int (*icon_707_status)() = [] { return -1; };
    // Shows a message box for the team.
    void (*meldung)(int, const char*) = [](int, const char*) {};
    // Opens the yes/no box of question `index` for the team; `bild` is the
    // picture (0 none). The box calls News_Antwort_Ja / _Nein.
    void (*requester)(int, i32, const char*, i32) = [](int, i32, const char*, i32) {};
    // The squad screen, when it is up, shows the club's records anew (the
    // server's start teams went out, or a client fetched its own).
    void (*uebersicht_auffrischen)() = [] {};
    // A client's news pass: the competition pages, when one is up, take the
    // server's competition state anew and show it when it changed (the
    // server's matches of a matchday may have ended since it was built).
    void (*wettbewerb_auffrischen)() = [] {};
    // Hands an announcement (text, length) to the announcement module.
    // default kept: the season's own announcement module buffers and shows it.
    void (*ankuendigung)(const char*, u32) = [](const char* t, u32 n) {
        Spielankuendigung_Aus_News(reinterpret_cast<const u8*>(t), n);
    };
};
void News_Set_Hooks(const News_Hooks& hooks);

// A new game: an empty store, ids from 1. News_Free drops everything.
void News_Init();
void News_Free();
bool News_Bereit();

// Formats and posts an item (recipient -1: all human managers but the
// sender; second recipient -1: none). The item's id, 0 when nothing was
// stored.
u32 News_Neu(i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags, const News_Daten* daten, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
u32 News_Neu_Text(i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags, const News_Daten* daten, const char* text);
// In a network game, tells every other manager that the active team's
// manager has ended his turn: a notice bound to today, "manager (club) text".
// The item's id, 0 in single play or when nothing was stored.
u32 News_Sende_Team_Text(const char* text);
// The writer: id 0 takes the next id, day -1 today; `laenge` is used for
// binary items only (else the string length). The id stored, 0 when none.
u32 News_Schreiben(u32 id, i32 tag, i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags, const News_Daten* daten,
                   const char* text, u32 laenge = 0);

// Changes a recipient's flags (team -1: all). True when a recipient or the
// item was removed.
bool News_Set(i32 index, i32 team, u32 wert, i32 modus);

i32 News_Anzahl();
u32 News_Get_Id(i32 index);  // 0 for a bad index
i32 News_Suche_Id(u32 id);   // -1 when missing
i32 News_Get_Absender(i32 index);
News_Daten News_Get_Daten(i32 index);         // zeroed for a bad index
const std::string& News_Get_Text(i32 index);  // empty for a bad index
i32 News_Get_Flags(i32 index, i32 team);      // -1 when no recipient

// Scans: mask -1 matches all; a mask with 0x40000000 needs all its bits;
// another needs one of them. -1 at the end.
i32 News_Erste(i32 team, i32 maske);
i32 News_Naechste();
i32 News_Finde(i32 team, i32 maske, u32 muss, u32 nicht);
// Deletes every item whose data word 0 is `wert0` and word `wort` is `wert`.
void News_Loeschen_Team(i32 wert0, i32 wort, i32 wert);

// The inbox pass for the team: true while it showed or consumed something.
bool News_Pruefen(i32 team);
// The answers of a question box.
void News_Antwort_Ja(i32 team, i32 index);
void News_Antwort_Nein(i32 team, i32 index);

// Save block 16: the option block, then the store (nothing when it is
// empty and has never handed out an id). Loading parses into staging.
bool News_Save(Datei_Status* datei);
bool News_Lesen(Datei_Status* datei);
void News_Uebernehmen();
void News_Verwerfen();

// Network rows, run on the server for the requesting team.
// 1012: packs every item of the team whose id is not in `bekannt` (items
// while they fit into 49,000 bytes, then a zero word).
void News_Internet_Server_1012(i32 team, const std::vector<u32>& bekannt, std::vector<u8>& aus);
// 1013: stores a client's item; a sender that is neither the requesting
// team nor (without second recipient) the recipient is answered with a
// notice and id 0. A question or reply must come from the requesting team;
// the text (`laenge` bytes, its NUL the last and only one, at most
// NEWS_NETZ_TEXT) is a plain text. Id 0 when refused.
u32 News_Internet_Server_1013(i32 anfrager, i32 tag, i32 sender, i32 empfaenger, i32 empfaenger2, u32 flags,
                              const News_Daten& daten, const char* text, u32 laenge);
// 1014: changes the flags of an item of the requesting team (team -1 is
// taken as the requesting team); false for another team or an unknown id.
bool News_Internet_Server_1014(i32 anfrager, u32 id, i32 team, u32 wert, i32 modus);

// Client: takes the team's items that the server holds and this client
// does not know yet (1012); on a client News_Neu posts through 1013 and
// News_Set changes the server's item too (1014). The server's day and the
// team's opponent today (-1 none) go to the outs. False when nothing valid
// came (the store is then unchanged).
bool News_Internet_Client_Holen(i32 team, i32* tag = nullptr, i32* gegner = nullptr);
