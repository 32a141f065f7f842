// The news store and inbox: every module tells the human managers what
// happened through news items (a text, a 40-byte data block, a list of
// recipient teams each with its own flag word). The store keeps at most
// 1,500 items in memory, oldest first; the inbox pass shows a manager his
// unread items one at a time. The store is saved in block 16 behind the
// option block (docs/formats/season.md).
#pragma once

#include <string>
#include <vector>

#include "base/types.h"
#include "season/ankuendigung.h"

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
constexpr u32 NEWS_BINAER = 0x8000000;       // binary text, length in data word 0 - 1
constexpr u32 NEWS_GEZEIGT_1 = 0x10000000, NEWS_GEZEIGT_2 = 0x20000000;
constexpr u32 NEWS_GESPEICHERT = 0x40000000;

// News_Set modes.
enum News_Set_Modus : i32 { NEWS_SETZEN = 1, NEWS_XOR = 2, NEWS_BITS_LOESCHEN = 4, NEWS_BITS_SETZEN = 8 };

struct News_Daten {
    i32 w[10] = {};
};

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
i32 News_Get_Tag(i32 index);
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

