// Match announcements: the pages the human managers see around a matchday
// (before the menu, the line-ups, goals / statistics / money after a match,
// the results, table and winners screens). One current record, a buffer of
// 20 waiting ones taken by priority, and the per-frame run that opens a
// page, ends it by click or time-out and takes the next one.
//
// The pages themselves are drawn above the season (src/gui/ank_seiten.h);
// they are reached through Ankuendigung_Hooks, filled in src/main.
#pragma once

#include <cstddef>

#include "base/bytes.h"
#include "base/datei.h"
#include "base/types.h"
#include "season/season_hooks.h"

// Page kinds.
enum Ank_Art : u32 {
    ANK_VOR_MENUE = 0,
    ANK_VOR_SPIEL = 1,  // the line-ups picture
    ANK_TORE = 2,
    ANK_STATISTIK = 3,
    ANK_GELD = 4,
    ANK_ERGEBNISSE = 5,  // screens: results, table, winners
    ANK_TABELLE = 6,
    ANK_SIEGER = 8,
};
constexpr u32 ANK_ARTEN = 9;
constexpr int ANK_PUFFER = 20;
constexpr u32 ANK_DAUER_MS = 50000;
constexpr int ANK_STUFEN = 7;
constexpr u32 ANK_STUFE_MS = 28;
constexpr size_t ANK_DATEN = 292;

// One announcement (336 bytes stored).
struct Spielankuendigung {
    u32 art = 0;
    u32 prioritaet = 0;  // in the buffer: 0 = free slot
    i32 wettbewerb = -1;
    i32 team_a = -1;
    i32 team_b = -1;
    i32 spieltag = 0;
    i32 index = 0;
    i32 runde = 0;
    i32 tag = 0;
    u32 fern_a = 0;  // a network user was active on the team when buffered
    u32 fern_b = 0;
    u8 daten[ANK_DATEN] = {};
};
template <class V, bytes::Art<Spielankuendigung> S>
constexpr void felder(V& v, S& r) {
    v(r.art), v(r.prioritaet), v(r.wettbewerb), v(r.team_a), v(r.team_b), v(r.spieltag), v(r.index), v(r.runde),
        v(r.tag), v(r.fern_a), v(r.fern_b), v(r.daten);
}
static_assert(bytes::groesse<Spielankuendigung>() == 336, "an announcement is 336 bytes");

// The page data after a match (the 292-byte payload).
struct Ank_Spieler {
    u8 b[8] = {};  // the pages read bytes 2 (shots), 3 and 4 (tackles lost / won), 5 (possession)
};
struct Ank_Nach_Spiel {
    i32 team1 = -1, team2 = -1;
    i8 tore1 = 0, tore2 = 0;
    u8 wert1 = 0, wert2 = 0;  // second statistics row
    i32 wettbewerb = -1;
    u32 zuschauer = 0;
    Ank_Spieler spieler[34];  // 0-16 team 1, 17-33 team 2
};
template <class V, bytes::Art<Ank_Nach_Spiel> S>
constexpr void felder(V& v, S& r) {
    v(r.team1), v(r.team2), v(r.tore1), v(r.tore2), v(r.wert1), v(r.wert2), v(r.wettbewerb), v(r.zuschauer);
    for (auto& s : r.spieler) v(s.b);
}
static_assert(bytes::groesse<Ank_Nach_Spiel>() == ANK_DATEN, "the page data fill the payload");
void Ank_Daten_Schreiben(const Ank_Nach_Spiel& d, u8 aus[ANK_DATEN]);
Ank_Nach_Spiel Ank_Daten_Lesen(const u8 ein[ANK_DATEN]);

// Calls up to the pages (defaults: no page, nothing drawn).
struct Ankuendigung_Hooks {
    // Builds the page of kind 0, 1 or 2-4 for the record; false when none.
    bool (*seite_bauen)(u32 art, const Spielankuendigung& a) = [](u32, const Spielankuendigung&) { return false; };
    // Puts the page on the screen opened to `stufe` of 7 (7: whole page);
    // `hintergrund`: first restore the screen under it and lay the shadow.
    void (*seite_zeigen)(u32 art, int stufe, bool hintergrund) = [](u32, int, bool) {};
    // Puts back the screen under the page (all of it or the page's rectangle).
    void (*hintergrund_zeigen)(bool ganz) = [](bool) {};
    void (*seite_freigeben)() = [] {};
    // Opens the results (mode 1), table (0) or winners (2) screen; false
    // when it has nothing to show. Open while `screen_offen`.
    bool (*screen_oeffnen)(int modus, const Spielankuendigung& a) = [](int, const Spielankuendigung&) {
        return false;
    };
    bool (*screen_offen)() = [] { return false; };
    void (*effekt)(int nummer, bool exklusiv) = [](int, bool) {};
    void (*maus_rechts_sperre)() = [] {};
    // The mouse buttons of this frame (a click between two frames counts).
    int (*maus_tasten)() = [] { return Season_Gui.Maus_Tasten(); };
    // Client: fetches the bank data of a team before its money page.
    void (*bank_holen)(i32 team) = [](i32) {};
};
void Ankuendigung_Set_Hooks(const Ankuendigung_Hooks& h);

// Fills fields 3-9 of the current record (day = today) and the payload
// when one is given.
void Spielankuendigung_Setzen(i32 wettbewerb, i32 team_a, i32 team_b, i32 spieltag, i32 index, i32 runde,
                              const u8* daten);
// The record being built or shown.
Spielankuendigung& Spielankuendigung_Aktuell();
bool Spielankuendigung_Puffern(u32 art, u32 prioritaet);
// After a match: for its managed team the goals, statistics and money pages
// and the results and table screens; the money page also for a manager on
// the other side.
void Spielankuendigung_Nach_Spiel(i32 spieltag, i32 index, i32 runde, const Ank_Nach_Spiel& d);
// The end of a competition: its winners screen (winner as team A, runner-up
// as team B, the competition's mode bits as matchday), one for all human
// managers.
void Spielankuendigung_Sieger(i32 wettbewerb, i32 sieger, i32 zweiter, i32 modus);
// A record received as binary news (336 bytes): checked, then buffered.
bool Spielankuendigung_Aus_News(const u8* daten, u32 laenge);
// Server: the record to a team as binary news.
void Spielankuendigung_Als_News(const Spielankuendigung& a, i32 team);
bool Spielankuendigung_Jetzt(u32 art, bool nur_wenn_leer);
// One frame: 0 nothing shown, 1 a page is shown and the matches wait, 2
// the page is complete and the matches may run behind it.
int Spielankuendigung_Run(u32 jetzt);
void Spielankuendigung_Schritt();
void Spielankuendigung_Beenden();
bool Spielankuendigung_Aus_Puffer();
bool Spielankuendigung_Puffer_Leer();
bool Spielankuendigung_Screen_Offen();
// Forgets the team whose kind-0 page was shown last.
void Spielankuendigung_Reset();
// The screens' close buttons: ends the display and the jingle.
void Spielankuendigung_Screen_Schliessen();
bool Spielankuendigung_Jingle();
void Spielankuendigung_Set_Jingle(bool an);
// A new game: empty buffer, nothing running.
void Spielankuendigung_Init();
const Spielankuendigung* Spielankuendigung_Puffer();  // 20 slots
u32 Spielankuendigung_Laufende_Art();
int Spielankuendigung_Stufe();

// The first save block: the buffer (packed 6,720 bytes), then the current
// record (packed 336 bytes). Reading checks every record and takes nothing
// over from a damaged block.
bool Spielankuendigung_Save(Datei_Status* datei);
void Spielankuendigung_Spielstand_Anmelden();
// A record from a save or the network: kind known, priority above 0, the
// teams and competition in range.
// `teams`: the world's count of teams the entry's clubs must lie within
// (-1: the running world's).
bool Spielankuendigung_Gueltig(const Spielankuendigung& a, bool im_puffer, i32 teams = -1);
