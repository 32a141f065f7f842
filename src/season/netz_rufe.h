// The season's remote calls, each declared once with its arguments and its
// answer (base/ruf.h). Season_Netz_Anmelden (matchday/season_netz.h) registers
// their server rows; the calendar, the competitions and the fixtures call
// them on a client.
#pragma once

#include <array>
#include <tuple>
#include <vector>

#include "base/ruf.h"
#include "season/archiv.h"
#include "season/spiele.h"

// Calendar: year, day and the 140-byte options; today's matchday groups with
// the date (132 bytes), their count, the run mode and a spare word; the
// groups with the whole calendar state and their count.
inline constexpr ruf::Ruf<std::tuple<i32, i32, std::array<u8, 140>>> RUF_KALENDER_SAISON{1000, "Kalender_Saison"};
inline constexpr ruf::Ruf<std::tuple<std::vector<i32>, std::array<u8, 132>, i32, i32, i32>> RUF_KALENDER_DATUM{
    1001, "Kalender_Datum"};
inline constexpr ruf::Ruf<std::tuple<std::vector<i32>, std::vector<u8>, i32>> RUF_KALENDER_KALENDER{
    1002, "Kalender_Kalender"};
inline constexpr ruf::Ruf<ruf::Nichts> RUF_KALENDER_ZEITPLAN{1003, "Kalender_Zeitplan"};
// Competitions: the packed table with the friendly's id and the dummy count;
// the packed states.
inline constexpr ruf::Ruf<std::tuple<std::vector<u8>, i32, i32>> RUF_WETTBEWERB_TABELLE{1004, "Wettbewerb_Tabelle"};
inline constexpr ruf::Ruf<std::vector<u8>> RUF_WETTBEWERB_STATUS{1005, "Wettbewerb_Status"};
// Fixtures: one page of a matchday's games (competition, matchday, leg,
// index); the events' capacity and count; events from a first index; the
// score of every game of a matchday up to a minute (6 bytes a game); the
// table of a competition run-length packed; a competition's winner in a
// year; the events of a competition key (16 bytes each).
inline constexpr ruf::Ruf<std::tuple<std::vector<Spiel>, i32>, u32, u32, u32, u32> RUF_SPIELE_SEITE{1006,
                                                                                                    "Spiele_Seite"};
inline constexpr ruf::Ruf<std::tuple<u32, u32>> RUF_SPIELE_ANZAHL{1007, "Spiele_Anzahl"};
// The same two figures under the number a client asks at its start (no client
// of ours sends it; a peer may).
inline constexpr ruf::Ruf<std::tuple<u32, u32>> RUF_SPIELE_INIT{1008, "Spiele_Init"};
inline constexpr ruf::Ruf<std::vector<u8>, u32, u32> RUF_SPIELE_EREIGNISSE{1009, "Spiele_Ereignisse"};
// i32 competition, first and last matchday, u8 three points, u32 options,
// i32 team, u8 spare, i32 first and last minute, u8 forecast, u8 all-time,
// i32 live minute.
using Tabelle_Wunsch = std::tuple<i32, i32, i32, u8, u32, i32, u8, i32, i32, u8, u8, i32>;
inline constexpr ruf::Ruf<std::vector<u8>, i32, Tabelle_Wunsch> RUF_SPIELE_TABELLE{1010, "Spiele_Tabelle"};
inline constexpr ruf::Ruf<std::tuple<std::vector<u8>, i32>, u32, u32, u32, i32> RUF_SPIELE_TORE{1011, "Spiele_Tore"};
// The winner (-1 none), the runner-up (-1 none), the final's larger and
// smaller score.
inline constexpr ruf::Ruf<std::tuple<i32, i32, i32, i32>, i32, i32> RUF_SPIELE_SIEGER{1041, "Spiele_Sieger"};
// A team's series in a competition at a venue (found, the seven counts); the
// head-to-head of two teams (found, wins, draws, defeats, 12 bytes for each of
// at most `maximum` games); a team's match statistics (counted, 3,368 bytes:
// team, player, competition, first and last matchday, leg, venue).
inline constexpr ruf::Ruf<std::tuple<u8, std::array<u32, 7>>, i32, i32, i32> RUF_SPIELE_SERIEN{1033, "Spiele_Serien"};
inline constexpr ruf::Ruf<std::tuple<u8, u32, u32, u32, std::vector<u8>>, i32, i32, i32, i32> RUF_SPIELE_GEGEN{
    1034, "Spiele_Gegen"};
inline constexpr ruf::Ruf<std::tuple<i32, std::vector<u8>>, i32, i32, i32, i32, i32, i32, i32> RUF_SPIELE_STATISTIK{
    1035, "Spiele_Statistik"};
inline constexpr ruf::Ruf<std::tuple<std::vector<u8>, i32>, u32> RUF_WETTBEWERB_EREIGNISSE{1042,
                                                                                           "Wettbewerb_Ereignisse"};
// Matchday: the client's team is ready (during a matchday for its matches,
// after it for the next day; -1: the client leaves); the row of the team's
// match today with its competition, matchday, leg and game (all 0 and game 0:
// none).
inline constexpr ruf::Ruf<ruf::Nichts, i32> RUF_TEAM_BEREIT{1029, "Team_Bereit"};
// News: the asking team's items the client does not know (packed: id,
// flags, text length, day, sender, data block, text with NUL padded to 4; a
// zero word ends them), with the server's day and the team's opponent today
// (-1 none), for the ids the client knows and its team; a client's item
// (sender, recipient, second recipient or -1, flags, data block, text with
// its NUL) answered with its id (0 refused); an item's flags of the asking
// team (id, team or -1, value, mode).
inline constexpr ruf::Ruf<std::tuple<std::vector<u8>, i32, i32>, std::vector<u32>, i32> RUF_NEWS_NEU{1012, "News_Neu"};
inline constexpr ruf::Ruf<u32, i32, i32, i32, u32, std::array<i32, 10>, std::vector<u8>> RUF_NEWS_EINTRAGEN{
    1013, "News_Eintragen"};
inline constexpr ruf::Ruf<ruf::Nichts, i32, i32, i32, i32> RUF_NEWS_SETZEN{1014, "News_Setzen"};
// The team's rank after each matchday (count, 368 bytes: i32 ranks, the
// rest 0xFF): competition, a spare word, first and last matchday (-1 all),
// three points (255 the competition's), options, the team of option 32
// (-1), a spare byte, first and last minute (-1 none), forecast, all-time,
// and the team.
inline constexpr ruf::Ruf<std::tuple<i32, std::array<u8, 368>>, i32, i32, i32, i32, u8, u32, i32, u8, i32, i32, u8, u8,
                          i32>
    RUF_SPIELE_VERLAUF{1036, "Spiele_Verlauf"};
// An archived table (competition, season, its number in the season): the
// 26,508-byte record run-length packed, empty when there is none.
inline constexpr ruf::Ruf<std::vector<u8>, i32, i32, i32> RUF_STATISTIK_ARCHIV{1044, "Statistik_Archiv"};
// A team's places in the archived tables (team, at most that many).
inline constexpr ruf::Ruf<std::vector<Statistik_Archiv_Platz>, i32, i32> RUF_STATISTIK_ARCHIV_TEAM{
    1045, "Statistik_Archiv_Team"};
// Developer command (mode, value): answered only where the server allows it.
inline constexpr ruf::Ruf<i32, i32, i32> RUF_KALENDER_BEFEHL{1043, "Kalender_Befehl"};
