// The fixture database: one fixture plan per competition with its 32-byte
// games, reached only through lock handles 1..500; the match-event store and
// the sorted statistics stores that travel in its save block; the server rows
// of the fixture remote calls.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/bytes.h"
#include "base/types.h"

static_assert(std::endian::native == std::endian::little, "games are stored as little-endian images");

struct Datei_Status;

// One game (32 bytes; the same image in the save game and on the wire).
struct Spiel {
    u32 zuschauer;
    u32 erstes_ereignis;
    i16 team_a;
    i16 team_b;
    u8 wettbewerb;
    u8 null13;
    u16 spieltag;
    u8 runde;  // leg within the matchday
    u8 null17;
    u16 index;
    u8 minute;
    u8 ereignis_anzahl;
    i8 tore_a;
    i8 tore_b;
    u8 flags;
    i8 temperatur;
    u8 niederschlag;
    u8 null27;
    u16 ort;  // the ground played at: its club + 1; 0 the home side's (Spiele_Ort)
    u8 null30[2];
};
static_assert(sizeof(Spiel) == 32 && offsetof(Spiel, ort) == 28, "a game is 32 bytes, its ground at byte 28");
template <class V, bytes::Art<Spiel> S>
constexpr void felder(V& v, S& r) {
    v(r.zuschauer), v(r.erstes_ereignis), v(r.team_a), v(r.team_b), v(r.wettbewerb), v(r.null13), v(r.spieltag);
    v(r.runde), v(r.null17), v(r.index), v(r.minute), v(r.ereignis_anzahl), v(r.tore_a), v(r.tore_b), v(r.flags);
    v(r.temperatur), v(r.niederschlag), v(r.null27), v(r.ort), v(r.null30);
}

// Header of a plan (five u32 in front of its games).
struct Spielplan_Kopf {
    u32 modus;  // 0 knock-out, else league
    u32 teams;
    u32 spieltage;
    u32 runden;  // legs per matchday
    u32 spiele;
};
static_assert(sizeof(Spielplan_Kopf) == 20, "the plan header is 20 bytes");

constexpr int SPIELE_LOCKS = 500;

// Knock-out rounds: each round pairs the teams still in; an odd field gives
// one game with a bye (a side left empty, its team goes through), so every
// round has games and a field of any size ends in one final. A field of n
// teams plays (n + 1) / 2 games in its first round.
constexpr u32 Spiele_KO_Folgerunde(u32 spiele) { return (spiele + 1) / 2; }
constexpr i32 Spiele_KO_Runden(u32 teams) {
    if (teams < 2) return 0;
    i32 runden = 1;
    for (u32 g = (teams + 1) / 2; g > 1; g = Spiele_KO_Folgerunde(g)) ++runden;
    return runden;
}

// --- the generic sorted store --------------------------------------------------
// Fixed-size entries sorted ascending by a u32 key in their first four bytes.
class Spiele_Speicher {
  public:
    Spiele_Speicher(u32 eintrag_groesse, u32 kapazitaet);
    u32 Groesse() const { return groesse_; }
    u32 Anzahl() const { return anzahl_; }
    u32 Kapazitaet() const { return kapazitaet_; }
    // Index of the key, -1 when absent; `einfuege` (may be null) gets the
    // place where it would be inserted.
    i32 Finden(u32 schluessel, u32* einfuege = nullptr) const;
    // The entry of the key, created zeroed (with its key) when absent; grows
    // by 20 % when the count would reach the capacity. Null when memory is
    // short.
    u8* Holen(u32 schluessel);
    u8* Eintrag(u32 i) { return daten_.data() + static_cast<size_t>(i) * groesse_; }
    const u8* Eintrag(u32 i) const { return daten_.data() + static_cast<size_t>(i) * groesse_; }
    void Loeschen(u32 i);
    // Removes every entry whose key lies in [von, bis) in one move; the
    // store is then as after removing them one by one. The number removed.
    u32 Loeschen_Bereich(u32 von, u64 bis);
    void Leeren();
    // Replaces the contents (count entries of packed data, capacity); false
    // when the data are unsorted or do not fit.
    bool Setzen(const u8* daten, u32 anzahl, u32 kapazitaet);

  private:
    u32 groesse_;
    u32 anzahl_ = 0;
    u32 kapazitaet_;
    std::vector<u8> daten_;
};

// The stores: extended events, all-time table, series, head-to-head, winners.
enum Spiele_Store : int {
    SPEICHER_EREIGNIS_ERW = 0,
    SPEICHER_EWIG = 1,
    SPEICHER_SERIEN = 2,
    SPEICHER_DIREKT = 3,
    SPEICHER_SIEGER = 4,
};
Spiele_Speicher* Spiele_Get_Speicher(int welcher);

// The match-event store: 9-byte records, entry 0 never used.
constexpr u32 SPIELE_EREIGNIS_GROESSE = 9;
constexpr u32 SPIELE_EREIGNIS_KAPAZITAET = 60000;
u32 Spiele_Ereignis_Kapazitaet();
u32 Spiele_Ereignis_Anzahl();
u8* Spiele_Ereignis(u32 index);  // null outside the store
// Reserves `anzahl` consecutive entries at the end of the store (growing it
// by a fifth when needed); the first index, 0 when no room is left.
u32 Spiele_Ereignis_Block(u32 anzahl);
// Drops the events no game refers to any more (the games of a past season
// whose results were cleared): every game keeps its events, a game not yet
// played its whole block; the store shrinks to what is kept.
void Spiele_Ereignisse_Verdichten();
// The bytes the event store holds (its block and the compaction's second
// buffer).
size_t Spiele_Ereignis_Speicher_Bytes();
// One played game's events move down to just after what the blocks before
// it hold (a game not played yet keeps its whole reservation, so a running
// game never loses room); when no block lies behind it the store gives the
// unused rest back. False for a bad handle, an unplayed game or a client.
bool Spiele_Ereignis_Speicher_Packen(i32 handle);
// Packs every game of every plan (Spiele_Ereignisse_Verdichten).
void Spiele_Alle_Ereignisse_Packen();

// --- life cycle and plans -----------------------------------------------------
bool Spiele_Init();
void Spiele_Free();
bool Spiele_Bereit();
i32 Spiele_Neuer_Spielplan(i8 modus, u32 teams, i32 spieltage, i32 runden, u8 wettbewerb, i32 pro_spieltag);
i32 Spiele_Spiel_Einfuegen(i8 modus, i32 wettbewerb, u32 spieltag, i8 neuer_spieltag, u16 team_a, u16 team_b,
                           u32* aus_spieltag = nullptr, u32* aus_runde = nullptr, u32* aus_index = nullptr);
bool Spiele_Loesche_Spielplan(i32 plan);
u32 Spiele_Anzahl_Spiele(i32 plan);
const Spielplan_Kopf* Spiele_Get_Kopf(i32 plan);
// The games of a plan in storage order (matchday, leg, game), its header's
// count of them; valid until the plan changes. Null for no plan.
const Spiel* Spiele_Get_Spiele(i32 plan);
void Spiele_Ergebnisse_Loeschen(i32 wettbewerb);
void Spiele_Team_Tausch(i32 plan, i32 team_x, i32 team_y);

// --- locks ----------------------------------------------------------------------
i32 Spiele_Lock(u32 wettbewerb, u32 spieltag, u32 runde, u32 index);
i32 Spiele_Lock_Nummer(i32 plan, u32 position);
Spiel* Spiele_Get_Spiel(i32 handle, bool direkt);
void Spiele_Unlock(i32 handle);
i32 Spiele_Freier_Lock();
// Network client: frees every lock and renews the game cache (the
// competitions' status, the event counts) from the server. On a client
// Spiele_Lock reads through a cache of 5,000 games fetched page by page
// with call 1006; a game the server does not have is remembered as missing.
void Spiele_Internet_Client_Reset();
// Network client: the goals of the other games of a matchday and leg up to
// a minute (call 1011), written into the cached games (not into the game of
// the handle `eigenes_spiel`); returns the number of games updated.
// A game whose goals changed is fetched anew (its event range with it).
i32 Spiele_Hole_Tore(u32 wettbewerb, u32 spieltag, u32 runde, i32 minute, i32 eigenes_spiel);
// Network client: the games of a matchday and leg it keeps fetched anew
// (their pages), e.g. once the server's matchday has ended; the server's
// tables it keeps are forgotten when any came.
void Spiele_Client_Spieltag_Erneuern(u32 wettbewerb, u32 spieltag, u32 runde);
// Network client: a game of the server fetched anew into the cache (a match
// that has just ended there: its score and its events), also under the
// handles taken before.
void Spiele_Client_Spiel_Holen(u32 wettbewerb, u32 spieltag, u32 runde, u32 index);
// Network client: fetches `anzahl` event records from `index` on (call
// 1009) unless the last of them is here already; true when they are there.
bool Spiele_Ereignisse_Holen(u32 index, u32 anzahl = 100);

// Holds a handle and releases it at the end of its scope.
class Spiele_Lock_Halter {
  public:
    explicit Spiele_Lock_Halter(i32 handle) : handle_(handle) {}
    ~Spiele_Lock_Halter() {
        if (handle_) Spiele_Unlock(handle_);
    }
    Spiele_Lock_Halter(const Spiele_Lock_Halter&) = delete;
    Spiele_Lock_Halter& operator=(const Spiele_Lock_Halter&) = delete;
    i32 Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }

  private:
    i32 handle_;
};

// --- records through handles ------------------------------------------------------
void Spiele_Spiel_Clear(i32 handle);
void Spiele_Set_Teams(i32 handle, i32 team_a, i32 team_b);
void Spiele_Ergebnis_Nullen(i32 handle);
void Spiele_Set_Ergebnis(i32 handle, u8 tore_a, u8 tore_b, u8 flags);
void Spiele_Set_Zuschauer(i32 handle, u32 zuschauer);
// The ground a game is played at (the kick-off chooses it): the club whose
// ground it is; the home side's until then, and for a number out of range.
void Spiele_Set_Ort(i32 handle, i32 team);
i32 Spiele_Ort(const Spiel& s);
void Spiele_Set_Minute(i32 handle, i32 minute);
i32 Spiele_Get_Seite(i32 handle, i32 team);
i32 Spiele_Get_Hinspiel(i32 handle);
// The goals of a game; for an unplayed game whose teams are known, the
// forecast (true), with the forecast suffix in the text (and the score when
// `mit_ergebnis` is set); the game itself stays unplayed. `text` (may be
// null) holds at least 64 bytes.
bool Spiele_Get_Ergebnis(i32 handle, i32* tore_a, i32* tore_b, char* text, u8 mit_ergebnis);
const char* Spiele_Ergebnis_Zusatz(u8 flags);
const char* Spiele_Get_Ergebnis_Text(i32 handle, bool prognose);
const char* Spiele_Format_Ergebnis(const Spiel* spiel, i32 unbenutzt, bool mit_ergebnis);

// --- save block -----------------------------------------------------------------
bool Spiele_Save(Datei_Status* datei);
bool Spiele_Load(Datei_Status* datei);
// The two halves of Spiele_Load: parse into staging (the running database is
// untouched), then take it over; or drop the staged block.
bool Spiele_Lesen(Datei_Status* datei);
void Spiele_Uebernehmen();
void Spiele_Verwerfen();

// --- server rows of the fixture remote calls ------------------------------------
// 1006: the games of a matchday and leg, one page of at most 50 from the page
// that holds `index` on; returns the number of records written to `aus`.
constexpr int SPIELE_SEITE = 50;
i32 Spiele_Internet_Server_Send_Spiele(u32 wettbewerb, u32 spieltag, u32 runde, u32 index, Spiel* aus);
// 1007 / 1008: event-store capacity and count.
i32 Spiele_Internet_Server_Send_Anzahl(u32* kapazitaet, u32* anzahl);
i32 Spiele_Internet_Server_Send_Anzahl_2(u32* kapazitaet, u32* anzahl);
// 1009: `anzahl` event records from `erster` on into `aus` (9 bytes each);
// returns the number copied.
i32 Spiele_Internet_Server_Send_Ereignisse(u32 erster, u32 anzahl, u8* aus, u32 aus_groesse);
// 1011: per game of the matchday and leg: u32 team A, goals A, goals B
// counted from the goal events up to the minute (-1 all); returns the count.
i32 Spiele_Internet_Server_Send_Tore(u32 wettbewerb, u32 spieltag, u32 runde, i32 minute, std::vector<u8>& aus);
// 1042: the extended-event entries with the keys k .. k + 99 (at most 100),
// each u32 competition, u32 player, eight counters; returns the count.
i32 Spiele_Internet_Server_Send_Wettbewerb_Ereignisse(u32 schluessel, i32 spieler_anzahl, std::vector<u8>& aus);

// --- keys of the sorted stores -------------------------------------------------
// Base competition of a competition's counters (every round and group of one
// competition shares them); the series and head-to-head of all competitions
// use SPIELE_ALLE_WETTBEWERBE. Each key is false when the world is too large
// for a 32-bit key or a number is out of range.
constexpr i32 SPIELE_ALLE_WETTBEWERBE = 640;
bool Spiele_Schluessel_Serien(i32 basis, i32 team, u32* schluessel);
bool Spiele_Schluessel_Direkt(i32 basis, i32 heim, i32 gast, u32* schluessel);
bool Spiele_Schluessel_Ewig(i32 basis, i32 team, u32* schluessel);
bool Spiele_Schluessel_Spieler(i32 basis, i32 spieler, u32* schluessel);
bool Spiele_Schluessel_Sieger(i32 basis, i32 jahr, u32* schluessel);

// --- forecast, series, head-to-head --------------------------------------------
// The forecast of an unplayed game between two teams; the same pairing
// always gives the same result and the random cursor is left as it was.
void Spiele_Berechne_Ergebnis(i32 team_a, i32 team_b, i32* tore_a, i32* tore_b);
// Current runs of a team in a competition's base competition (-1: over all
// competitions), venue 0 home, 1 away, 2 all: no goal scored, no goal
// conceded, wins, draws, defeats, no win, unbeaten. False when none.
bool Spiele_Get_Serien(i32 wettbewerb, i32 team, u32 aus[7], i32 ort);
// Head-to-head of a pairing (home team, away team) in a competition's base
// competition (-1: every base competition once): home wins, draws, home
// defeats summed; up to five latest results per competition, newest first,
// as 12-byte items (u32 home goals, u32 away goals, u32 base competition)
// until `maximum` items. Returns the number of items written.
i32 Spiele_Get_Spiele_Gegen(i32 wettbewerb, i32 heim, i32 gast, u32* siege, u32* unentschieden, u32* niederlagen,
                            u8* ergebnisse, i32 maximum);

// Winner of a competition's base competition in a year (-1 none); the
// runner-up (-1 none) and the final's larger and smaller score to the outs
// (may be null).
i32 Spiele_Get_Wettbewerb_Sieger(i32 wettbewerb, i32 jahr, i32* zweiter, i32* tore_hoch, i32* tore_tief);
// A client asks the server once per competition and year until it forgets
// (its cache reset).
void Spiele_Sieger_Vergessen();

// --- server rows of the table and statistics calls -------------------------------
// 1041: the winners query of a client (see Spiele_Get_Wettbewerb_Sieger);
// `aus` gets four i32: winner, runner-up, larger and smaller score.
i32 Spiele_Internet_Server_Send_Wettbewerb_Sieger(i32 wettbewerb, i32 jahr, u8* aus);
struct Tabelle_Argumente;
struct Statistik_Argumente;
// 1010: prepares the competition's table, drops its cached tables, builds
// the table and answers it run-length packed; returns the packed size
// (0 for an unknown competition).
u32 Spiele_Internet_Server_Send_Tabelle_Gepackt(const Tabelle_Argumente& argumente, std::vector<u8>& aus);
// 1033: the series of a team (see Spiele_Get_Serien); 1 when found.
i32 Spiele_Internet_Server_Send_Serien(i32 wettbewerb, i32 team, i32 ort, u32 aus[7]);
// 1034: `ergebnisse` (12 × maximum bytes) is filled with 0xFF first; then
// the head-to-head query.
i32 Spiele_Internet_Server_Send_Spiele_Gegen(i32 wettbewerb, i32 heim, i32 gast, i32 maximum, u32* siege,
                                             u32* unentschieden, u32* niederlagen, u8* ergebnisse);
// 1035: the team match statistics as 3,368 bytes (842 u32); 1 when a game
// was counted.
i32 Spiele_Internet_Server_Send_Statistik(const Statistik_Argumente& argumente, u8* aus);
// 1036: the team's rank after each matchday from the first (-1: 0) up to
// before the last (-1: the competition's matchdays), each table built over
// matchdays 0..md; at most 46 ranks (-1 where the team has no row) as i32,
// the rest of the 368-byte answer 0xFF. Returns the number of ranks.
constexpr int SPIELE_VERLAUF_MAX = 46;
constexpr u32 SPIELE_VERLAUF_BYTES = 368;
i32 Spiele_Internet_Server_Send_Tabelle(const Tabelle_Argumente& argumente, i32 erster, i32 letzter, i32 team, u8* aus);
