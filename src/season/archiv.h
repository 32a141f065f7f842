// The season archive: the final tables of finished competitions in a
// compact form (u16 words: competition, rows, per row order, previous order,
// team and the four counters of each variant; the venue grid as bits and
// the result grid as 2-bit fields over the competition's matchdays),
// zlib-packed, under year and competition; saved as a block of the save
// game.
#pragma once

#include <vector>

#include "base/bytes.h"
#include "base/types.h"

struct Tabelle;
struct Datei_Status;

// Tables a competition can archive in one season (a competition held more
// than once a year); each keeps its own key.
constexpr int ARCHIV_PRO_SAISON = 4;
// Tables older than this many seasons are dropped when a newer one comes.
constexpr i32 ARCHIV_JAHRE = 20;

// The compact words of a table (the competition's matchday count for the
// grids), and back into a record; false when the words do not fit.
std::vector<u16> Archiv_Kompakt(const Tabelle& t, i32 spieltage);
bool Archiv_Entpacken(const std::vector<u16>& worte, i32 spieltage, Tabelle& t);

// Stores a finished table under the season `jahr`; false when the
// competition is unknown or the season already holds ARCHIV_PRO_SAISON
// of its tables.
bool Statistik_Archiv_Speichern(const Tabelle& t, i32 jahr);
// Expands the k-th table of a competition's season into the record (its
// other fields keep what they held); false when there is none.
bool Statistik_Archiv_Holen(Tabelle& t, i32 wettbewerb, i32 jahr, i32 k = 0);
// The seasons with a table of the competition, newest first, at most max.
int Statistik_Archiv_Jahre(i32 wettbewerb, i32* jahre, int max);
void Statistik_Archiv_Leeren();
// A team's places in the archived tables, in the archive's order (by
// season, then competition): season, competition, 0-based place, points
// lost (2 x games - points; -1 under the three-point rule), points, goals
// for and against of all its games. Returns the count, at most max.
// On a network client the server's archive answers (call 1045); an answer
// with more places than asked or a place out of range gives 0.
struct Statistik_Archiv_Platz {
    i32 jahr, wettbewerb, platz, verlustpunkte, punkte, tore, gegentore;
};
template <class V, bytes::Art<Statistik_Archiv_Platz> S>
constexpr void felder(V& v, S& p) {
    v(p.jahr), v(p.wettbewerb), v(p.platz), v(p.verlustpunkte), v(p.punkte), v(p.tore), v(p.gegentore);
}
constexpr int STATISTIK_ARCHIV_TEAM_MAX = 1000;  // places one answer carries at most
int Statistik_Archiv_Team(i32 team, Statistik_Archiv_Platz* aus, int max);
// Server side of call 1045: the team's places, at most max (held to
// STATISTIK_ARCHIV_TEAM_MAX).
std::vector<Statistik_Archiv_Platz> Statistik_Internet_Server_Send_Archiv_Team(i32 team, i32 max);
// Server side of a client's archive request (call 1044): the archived table
// expanded into a record and run-length packed; the packed size, 0 when
// there is none. On a client Statistik_Archiv_Holen asks the server.
u32 Statistik_Internet_Server_Send_Archiv(std::vector<u8>& aus, i32 wettbewerb, i32 jahr, i32 k);

// Save block: the archive's entries; staged while loading.
bool Archiv_Save(Datei_Status* datei);
bool Archiv_Lesen(Datei_Status* datei);
void Archiv_Uebernehmen();
void Archiv_Verwerfen();
// Stages an empty archive (a save without one); always true.
bool Archiv_Leer_Vormerken();
