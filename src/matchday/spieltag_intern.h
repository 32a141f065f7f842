// The matchday's parts shared by its files: the table's state, the rows'
// helpers and the steps of one match (kick-off in spieltag_anpfiff.cpp, the
// rest of a match in spieltag_partie.cpp, the save block in
// spieltag_block.cpp, the questions asked of the table in
// spieltag_abfragen.cpp, the table and its pass in spieltag.cpp).
#pragma once

#include <utility>
#include <vector>

#include "base/bytes.h"
#include "base/types.h"
#include "matchday/spieltag.h"

struct Datei_Status;
struct Spiel;
struct Spielfeld_Daten;

namespace spieltag_intern {
constexpr f32 GESCHWINDIGKEIT = 90.0f;
constexpr int MAX_STARTER = 20;
// A server waits this long (real time) after a kick-off for a client to
// fetch its pitch; then its club plays without it, as if it had gone.
constexpr u32 ANSTOSS_WARTEN_MS = 20000;
// Server: since when a kicked-off row waits for its clients, by game.
extern std::vector<std::pair<i16, u32>> anstoss_seit;

struct Elfmeter_Eintrag {
    i32 spiel;
    Spieltag_Elfmeter e;
};
template <class V, bytes::Art<Elfmeter_Eintrag> S>
constexpr void felder(V& v, S& e) {
    v(e.spiel), v(e.e);
}

struct Zustand {
    bool initialisiert = false;
    std::vector<Spieltag_Slot> slots;
    std::vector<Elfmeter_Eintrag> elfmeter;
    f32 schrittzaehler = GESCHWINDIGKEIT;
    i32 minute = 0;
    u32 eingetragen = 0;
    u32 fertig = 0;
    std::vector<i16> mit_engine;  // games kicked off on the engine, until done
    Spieltag_Zahlen zahlen;
};
extern Zustand z;
// Goes up whenever rows are added, dropped or changed outside the runner's
// pass (the runner's memory of a quiet table).
extern u32 zeilen_stand;
// Rows were added since the event store was last packed.
extern bool neue_spiele;

// The dice state of a match played without pitch record.
struct Wuerfel_Seite {
    i32 staerke = 0;
    i32 starter[MAX_STARTER] = {};
    u8 gebucht[MAX_STARTER] = {};
    int anzahl = 0;
};

// The row's fixture (null for a skipped row).
Spiel* spiel_von(const Spieltag_Slot& r);
// The row of a game (null: none).
Spieltag_Slot* slot_von_spiel(i32 spiel);
// The row already holding the game a fresh lock points at.
Spieltag_Slot* slot_mit_spiel_von(i32 handle);
// The shoot-out of a game (null: none).
Spieltag_Elfmeter* elfmeter_von(i32 spiel);

// --- one match from its kick-off (spieltag_anpfiff.cpp) ------------------------------
// The club's starters (at most MAX_STARTER) into aus; their number.
int starter(i32 team, i32* aus);
// An event of a game into the fixture store (a goal refreshes the results window).
void ereignis(i32 spiel, u32 flags, i32 minute, i32 spieler, i32 zweiter);
// The demand for tickets of a match.
void nachfrage(const Spiel& s, i32* x, i32* d, i32* wichtigkeit);
void Spieltag_Minute_Wuerfeln(Spieltag_Slot& r, Spiel& s, int minute, Wuerfel_Seite* seiten, const Spielfeld_Daten* sf);
void Spieltag_Ohne_Spielfeld_Spielen(Spieltag_Slot& r);
void Spieltag_Anpfiff(Spieltag_Slot& r);
// Server: the matches a client plays in lockstep; a client that holds its
// match too long lets it go on without it.
bool netz_spiele_offen();
void netz_pruefen();

// --- one match after its kick-off (spieltag_partie.cpp) -----------------------------
// The competition's answers on its halves: 2 play on, 4 the end of a half
// with another to follow, 8 the end of the regular time or of extra time.
constexpr i32 HZ_WEITER = 2, HZ_SPIELENDE = 8;
// The minute half h ends (-1: the competition has no such half).
i32 ende_von(i32 wettbewerb, i32 halbzeit);
// A half the engine has ended itself: the answer the competition gives at the half's end.
i32 halbzeit_ergebnis_erzwungen(i32 wettbewerb, i32 minute, i32 halbzeit, bool bereit);
void Spieltag_Weiterschalten(const Spieltag_Slot& r);
void Spieltag_Spiel_Abschliessen(Spieltag_Slot& r);
// The next half for the group of a row in its break (for the row alone
// when `allein`).
void Spieltag_Halbzeit_Weiter(Spieltag_Slot& r0, bool allein = false);
// The test holds for the row and every other row of its group.
bool gruppe_alle(const Spieltag_Slot& r, bool (*test)(const Spieltag_Slot&));
bool angekuendigt(const Spieltag_Slot& r);
bool alle_bereit(const Spieltag_Slot& r);
bool in_pause(const Spieltag_Slot& r);
// A kicked-off row whose clients have not fetched their pitch in time plays without them.
void anstoss_frist(Spieltag_Slot& r);
// One pass of a running row (status 2 or 32); true when a pitch was stepped.
bool laufen(Spieltag_Slot& r, int durchreichen);
// A new row for a game, waiting.
Spieltag_Slot neue_zeile(i32 spiel);
// Weather and line-ups of a new row.
void Spieltag_Spiel_Vorbereiten(Spieltag_Slot& r);

// --- the save block (spieltag_block.cpp) ----------------------------------------------
bool spieltag_lesen(Datei_Status* datei);
void spieltag_uebernehmen();
void spieltag_verwerfen();

}  // namespace spieltag_intern
