// The records kept packed in the match stores and sent by the server: a
// match event, the entries of the five after-match stores (each led by its
// u32 key) and the rows of the server's answers. Each is read and written
// field by field through base/bytes.h (`bytes::aus_bild`, `bytes::in_bild`);
// their sizes are fixed by the save and the protocol.
#pragma once

#include "base/bytes.h"
#include "base/types.h"
#include "season/spiele.h"

namespace spiele_satz {

// One event of a match.
struct Ereignis {
    i16 spieler = -1;
    i16 spieler2 = -1;
    u32 flags = 0;
    u8 minute = 0;
};
template <class V, bytes::Art<Ereignis> S>
constexpr void felder(V& v, S& r) {
    v(r.spieler), v(r.spieler2), v(r.flags), v(r.minute);
}
static_assert(bytes::groesse<Ereignis>() == SPIELE_EREIGNIS_GROESSE);

// A player's counters in a base competition: kinds 1..8 at zaehler[art - 1].
struct Zaehler {
    u32 schluessel = 0;
    u8 zaehler[8] = {};
    u8& art(i32 a) { return zaehler[a - 1]; }
};
template <class V, bytes::Art<Zaehler> S>
constexpr void felder(V& v, S& r) {
    v(r.schluessel), v(r.zaehler);
}
static_assert(bytes::groesse<Zaehler>() == 12);

// A club's all-time record in a base competition: six pairs [home, away] of
// points, goals for, against, wins, draws, defeats.
struct Ewig {
    u32 schluessel = 0;
    u16 wert[6][2] = {};
};
template <class V, bytes::Art<Ewig> S>
constexpr void felder(V& v, S& r) {
    v(r.schluessel), v(r.wert);
}
static_assert(bytes::groesse<Ewig>() == 28);

// A club's current runs: seven kinds [home, away, all].
struct Serien {
    u32 schluessel = 0;
    u8 reihe[7][3] = {};
};
template <class V, bytes::Art<Serien> S>
constexpr void felder(V& v, S& r) {
    v(r.schluessel), v(r.reihe);
}
static_assert(bytes::groesse<Serien>() == 25);

// Two clubs' head-to-head: home wins, draws, away wins and the last five
// scores (home + 16 * away, newest first, 255 none).
struct Direkt {
    u32 schluessel = 0;
    u8 ergebnis[3] = {};
    u8 letzte[5] = {};
};
template <class V, bytes::Art<Direkt> S>
constexpr void felder(V& v, S& r) {
    v(r.schluessel), v(r.ergebnis), v(r.letzte);
}
static_assert(bytes::groesse<Direkt>() == 12);

// A competition's winner of a year.
struct Sieger {
    u32 schluessel = 0;
    u16 sieger = 0;
    i16 zweiter = -1;
    u8 tore_hoch = 0;
    u8 tore_tief = 0;
};
template <class V, bytes::Art<Sieger> S>
constexpr void felder(V& v, S& r) {
    v(r.schluessel), v(r.sieger), v(r.zweiter), v(r.tore_hoch), v(r.tore_tief);
}
static_assert(bytes::groesse<Sieger>() == 10);

// Answer rows of the server: a competition's winner of a year (winner and
// runner-up, -1 none, and the highest and lowest score of its final), a
// player's counters (call 1042), a game's goals up to a minute, one
// head-to-head score.
struct Sieger_Zeile {
    i32 sieger = -1;
    i32 zweiter = -1;
    i32 tore_hoch = 0;
    i32 tore_tief = 0;
};
template <class V, bytes::Art<Sieger_Zeile> S>
constexpr void felder(V& v, S& r) {
    v(r.sieger), v(r.zweiter), v(r.tore_hoch), v(r.tore_tief);
}
static_assert(bytes::groesse<Sieger_Zeile>() == 16);

struct Zaehler_Zeile {
    u32 basis = 0;
    u32 spieler = 0;
    u8 zaehler[8] = {};
};
template <class V, bytes::Art<Zaehler_Zeile> S>
constexpr void felder(V& v, S& r) {
    v(r.basis), v(r.spieler), v(r.zaehler);
}
static_assert(bytes::groesse<Zaehler_Zeile>() == 16);

struct Tore_Zeile {
    i32 team_a = 0;
    u8 tore_a = 0;
    u8 tore_b = 0;
};
template <class V, bytes::Art<Tore_Zeile> S>
constexpr void felder(V& v, S& r) {
    v(r.team_a), v(r.tore_a), v(r.tore_b);
}
static_assert(bytes::groesse<Tore_Zeile>() == 6);

struct Gegen_Zeile {
    u32 tore_heim = 0;
    u32 tore_gast = 0;
    u32 basis = 0;
};
template <class V, bytes::Art<Gegen_Zeile> S>
constexpr void felder(V& v, S& r) {
    v(r.tore_heim), v(r.tore_gast), v(r.basis);
}
static_assert(bytes::groesse<Gegen_Zeile>() == 12);

}  // namespace spiele_satz
