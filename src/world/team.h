// Team operations.
#pragma once

#include "base/types.h"

// A country with clubs (the default of Team_Hooks::land_hat_wettbewerbe).
bool Team_Land_Hat_Vereine(int land);

// Calls into the season module, filled by src/main at start-up. Every entry
// is a function; the defaults do nothing and know nothing.
struct Team_Hooks {
    // True when the country has competitions this year.
    bool (*land_hat_wettbewerbe)(int land) = Team_Land_Hat_Vereine;
    // The post-match training of a managed team that asked for it.
    void (*automatisches_training)(int team) = [](int) {};
    // The base league whose start teams hold the team: its competition id,
    // -1 none, -2 not known (the team keeps its league slot).
    i32 (*basisliga)(int team) = [](int) { return i32{-2}; };
};
// Installs the whole table.
void Team_Set_Hooks(const Team_Hooks& hooks);

u32 Team_Get_Art(int team);
// Kind filter: mask 0 an ordinary club; otherwise the team's kind bits meet the mask.
bool Team_Ist_Normal(int team, u32 maske);
// True for a club of the loaded world: a team of the kind club, not the
// transfer market (the one test of what a club is).
bool Team_Ist_Verein(int team);
// True for a club a manager may take: an ordinary club, neither the
// transfer market nor a national team.
bool Team_Managebar(int team);
// The teams of a nation (clubs whose country is `nation`) into `aus`; sorted
// by league level when `sortiert`; clubs without a league only with `ohne_liga`.
int Team_Get_Teams_Von_Nation(int nation, u32* aus, int sortiert = 0, int ohne_liga = 1);
bool Team_Land_Hat_Wettbewerbe(int land);
// A random country team of the continent (shared random table), -1 none.
int Team_Suche_Zufaelligen_Spieler_Von_Kontinent(int kontinent);
// "%d,%d": v / 2 and 0 or 5.
const char* Team_Halbwert_String(int v);
// Number of special attributes of the selected players (at most 3 each).
int Team_Get_Attribut_Text(int team, u32 filter);
// Players per position class into aus[4].
void Team_Get_Spieler_Art_Array(int team, i32 aus[4], int, int);
bool Team_Spieler_Tauschen(int team_a, int team_b, int spieler_a, int spieler_b, int);
// Halves the strength of 4 random players of the team.
void Team_Schwaeche_Zufallsspieler(int team);
// Morale of all players of ordinary clubs moved by `prozent` (-100..100) of its range.
bool Team_Set_Moral(int prozent);
// Makes the competition the team's league (mode 11, and the players' mode
// 88); not on a client. (-1, -1) sets the league slots of all teams: each
// from Team_Hooks::basisliga when it knows the team, else the slot the team
// has; every squad's players then get their team's league as competition.
void Team_Set_Basisdaten(int wettbewerb, int team);
// Financial start data: kind 0 normal, 1 after promotion, 2 after relegation.
// A promoted club receives its promotion money (Team_Aufstiegsgeld_Buchen).
void Team_Set_Finanzdaten(int team, int art);
// The money promotion brings a club, booked once as it goes up (premiums and
// other income): TEAM_AUFSTIEG_MONATE months of its wage bill, spent in the
// summer window (season/welt_tag.h: WELT_DEALS_AUFSTEIGER). Why: a promoted
// club met its new division about 1,400 fine strength below the median
// club with under three months' wages in the bank, where a player of the
// new division costs several; the new division's sponsor money came month
// by month, after the summer window had closed, and 53 % of the promoted
// clubs went straight down again (real football: 30-40 %). With six summer
// deals: 51 % without the money, 47 % at 6 months, 42 % at 10, 36 % at 15;
// every month more rescues clubs in the red through the players they sell
// (clubs that ended a season in the red: 6 % of the clubs without, 2.5 %
// at 10, 1.6 % at 15, where the band asks for 2-10 %).
constexpr int TEAM_AUFSTIEG_MONATE = 10;
f64 Team_Aufstiegsgeld(int team);
// Books it to the club (not on a network client); false when nothing was booked.
bool Team_Aufstiegsgeld_Buchen(int team);
void Team_Init_Spieler_Nach_Liga(const i32* teams, int anzahl);
// A's defence against B's attack: out[0] A's defence, [1] B's attack, [2..3]
// the chances of A holding and of B scoring, in per cent.
void Team_Vergleiche_Abw_Mit_Stu(int a, int b, i32 aus[4], u32 modus);
// The post-match step: recovery, injuries healing, automatic line-up for
// computer clubs; the automatic training of a managed team.
void Team_Simuliere_Computerteam(int team);
void Team_Dauerspiel();
void Team_Reset_User_Active_Alle();
// The team is no longer played by an active human at another machine.
void Team_Reset_User_Active(int team);
// The assistant picks the team's line-up (formation bit 128).
void Team_Set_Automatische_Aufstellung(int team);
// The team's base league (-1: none yet).
void Team_Set_Liga(int team, i32 liga);
void Team_Reset_User_Active_Andere();
void Team_Transferfenster_Refresh_Alle();
// Status bit 8 (crest photo) for every team whose picture "<number>.jpg" is
// in the crest-picture folder (row W32_DIR_WAPPENBILDER of the folder table;
// as the picture lister does, a file name is read as the decimal number its
// first five characters begin with; a name without a leading digit names no
// team); cleared for every other team.
void Team_Set_Wappen_Flags();
void Team_Init_Aufstellungen();
void Team_Init_Aufstellung(int team);
void Team_Free(int mit_managern);
