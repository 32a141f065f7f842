// The game world: players, teams, managers and the value accessors through
// which every other module reads and writes them.
//
// The records are plain data with fixed sizes. Each states its fields once
// (`felder`), and every save block, cache and network block writes and reads
// it through those visits (base/bytes.h), so their layout is binding.
#pragma once

#include <vector>

#include <bit>

#include "base/feld_grenze.h"
#include "base/bytes.h"
#include "base/types.h"

static_assert(std::endian::native == std::endian::little, "the world records are stored little-endian");

constexpr int MAX_SPIELER_PRO_TEAM = 20;
constexpr int MAX_SPIELER_EINGESETZT = 11;
constexpr int TRANSFERMARKT_SPIELER = 1700;
constexpr int ATTRIBUT_ANZAHL = 54;
constexpr int FORMATIONEN_PRO_TEAM = 16;
constexpr int MANAGER_ICONS = 4202;
// The manager's switch for training after each match (team screen).
constexpr int ICON_AUTOMATISCHES_TRAINING = 3487;
constexpr int MAX_TEAMS = 1000;
// A team's seven tactic bytes and their highest values: offside trap,
// pressing, attacking drive, -, pass risk, line height, hardness.
constexpr int TAKTIK_WERTE = 7;
constexpr u8 TAKTIK_GRENZE[TAKTIK_WERTE] = {1, 1, 9, 1, 4, 6, 4};

// Operations of the value accessors.
constexpr int OP_LESEN = 0;
constexpr int OP_SCHREIBEN = 1;
constexpr int OP_BITS_TAUSCHEN = 2;  // XOR
constexpr int OP_BITS_LOESCHEN = 4;  // AND-NOT
constexpr int OP_BITS_SETZEN = 8;    // OR

// Status word of a player (Spieler_Wert mode 75).
constexpr u32 SP_STATUS_AUFGESTELLT = 0x10;
constexpr u32 SP_STATUS_ERSATZ = 0x20;
constexpr u32 SP_STATUS_VERLETZT = 0x40;
constexpr u32 SP_STATUS_GELBSPERRE = 0x80;
constexpr u32 SP_STATUS_GELBROT = 0x100;
constexpr u32 SP_STATUS_ROT = 0x200;
constexpr u32 SP_STATUS_GESPERRT = 0x400;
constexpr u32 SP_STATUS_NICHT_SPIELBEREIT = 0x7C0;
constexpr u32 SP_STATUS_ROLLE_0 = 0x800;  // at most one player per squad
constexpr u32 SP_STATUS_ROLLE_1 = 0x1000;
constexpr u32 SP_STATUS_ROLLE_2 = 0x2000;
constexpr u32 SP_STATUS_ROLLE_3 = 0x4000;
// The four roles of the tactics screen, by name.
constexpr u32 SP_STATUS_KAPITAEN = SP_STATUS_ROLLE_0;   // the captain, at most one per squad
constexpr u32 SP_STATUS_FREISTOSS = SP_STATUS_ROLLE_1;  // free-kick taker
constexpr u32 SP_STATUS_ECKEN = SP_STATUS_ROLLE_2;      // corner taker
constexpr u32 SP_STATUS_ELFMETER = SP_STATUS_ROLLE_3;   // penalty taker
constexpr u32 SP_STATUS_GELB_WARNUNG = 0x8000;
constexpr u32 SP_STATUS_RESERVE = 0x10000;
constexpr u32 SP_STATUS_SCOUT = 0x20000;
// Filter of Teamspieler_Ins_Array only: every player except scout players.
constexpr u32 SP_FILTER_OHNE_SCOUT = 0x40000;

// Status word of a team (Team_Wert mode 7).
constexpr u32 TEAM_STATUS_ZAEHL_AUS = 1;
constexpr u32 TEAM_STATUS_LAND = 2;
constexpr u32 TEAM_STATUS_WAPPENFOTO = 8;
constexpr u32 TEAM_STATUS_USER = 16;
constexpr u32 TEAM_STATUS_USER_AKTIV = 32;
constexpr u32 TEAM_STATUS_SPIEL_BEREIT = 2048;

// Kind bits of a team (Team_Get_Art, Team_Ist_Normal).
constexpr u32 TEAM_ART_VEREIN = 0x01;         // an ordinary club
constexpr u32 TEAM_ART_NATIONALTEAM = 0x02;   // a country's national team
constexpr u32 TEAM_ART_TRANSFERMARKT = 0x04;  // the transfer-market pseudo-team
constexpr u32 TEAM_ART_NEUTRAL_OK = 0x08;     // may host a neutral match
constexpr u32 TEAM_ART_AUFFUELLEN = 0x100;    // may be drawn into an international fill-up
constexpr u32 TEAM_ART_RANGLISTE = 0x40;      // counts in the rankings

// ---------------------------------------------------------------------------
// Player records: three parallel arrays by player number.

// What changes during play; the only player record a client sends back.
struct Spieler_Struktur {
    i16 attribut[ATTRIBUT_ANZAHL];  // 0..53: -1 blocked, 0 none, 1.. points, required(+1) learned(active)
    i16 spiele;                     // 55 matches played / experience
    u8 erschoepfung;                // 56 0..9
    u8 moral;                       // 90 0..6
    i16 wert57;                     // 57
    u16 staerke_fein;               // 58 0..12000
    u8 verletzung_art;              // 70 0..41
    u8 staerke;                     // 92 0..12 half stars
    i16 verletzung_dauer;           // 71 days
    u32 status;                     // 75
    u8 spalte;                      // 82 0..6
    u8 zeile;                       // 83 0..10
    u8 rueckennummer;               // 84 0..99
    u8 slot;                        // 87 0..19
    i32 marktwert;                  // 85
    i32 team;                       // 86
    i32 wettbewerb;                 // 88
    u16 liga_wert[3];               // 76, 77, 78
    u8 max_staerke;                 // 97 0..12
    u8 trainings;                   // 98
    i32 trainingsgeld;              // 93
    i32 gedeckt_von;                // 99 the own player who marks him (-1 none)
    i32 liga_wort;                  // 100
    u8 wert74;                      // 74 1..50
    u8 frei[11];
};
template <class V, bytes::Art<Spieler_Struktur> S>
constexpr void felder(V& v, S& r) {
    v(r.attribut), v(r.spiele), v(r.erschoepfung), v(r.moral), v(r.wert57), v(r.staerke_fein);
    v(r.verletzung_art), v(r.staerke), v(r.verletzung_dauer), v(r.status), v(r.spalte), v(r.zeile);
    v(r.rueckennummer), v(r.slot), v(r.marktwert), v(r.team), v(r.wettbewerb), v(r.liga_wert);
    v(r.max_staerke), v(r.trainings), v(r.trainingsgeld), v(r.gedeckt_von), v(r.liga_wort), v(r.wert74);
    v(r.frei);
}
static_assert(sizeof(Spieler_Struktur) == 172 && bytes::groesse<Spieler_Struktur>() == 172,
              "Spieler_Struktur is 172 bytes");

// Fixed data of a player.
struct Spieler_Fix {
    u32 aussehen;   // 65 look value (negative as i32 = photo)
    u16 haarfarbe;  // 72
    u16 hautfarbe;  // 73
    i16 nation;     // 68 team number of the country team
    u8 position;    // 67 0 goalkeeper, 1 defence, 2 midfield, 3 attack
    u8 frei1;
    i32 geburtsjahr;  // shown on the player card
    u8 frei[32];
};
template <class V, bytes::Art<Spieler_Fix> S>
constexpr void felder(V& v, S& r) {
    v(r.aussehen), v(r.haarfarbe), v(r.hautfarbe), v(r.nation), v(r.position), v(r.frei1), v(r.geburtsjahr);
    v(r.frei);
}
static_assert(sizeof(Spieler_Fix) == 48 && bytes::groesse<Spieler_Fix>() == 48, "Spieler_Fix is 48 bytes");
// A player's year of birth: from the world's files (1900..2100) or a youth
// player's, 16 to 18 years before a season the game reaches.
constexpr i32 SPIELER_JAHRGANG_MIN = 1900, SPIELER_JAHRGANG_MAX = 2600;
// The fixed data's ranges besides those of the value modes (Spieler_Wert).
inline constexpr Feld_Grenze<Spieler_Fix> SPIELER_FIX_FELDER[] = {
    FELD_GRENZE(Spieler_Fix, geburtsjahr, SPIELER_JAHRGANG_MIN, SPIELER_JAHRGANG_MAX),
};

// Texts a client never refreshes.
struct Spieler_Client_Egal {
    char nachname[40];  // Spieler_String 63
    char vorname[32];   // Spieler_String 64 (initial)
    u8 frei[44];
};
template <class V, bytes::Art<Spieler_Client_Egal> S>
constexpr void felder(V& v, S& r) {
    v(r.nachname), v(r.vorname), v(r.frei);
}
static_assert(sizeof(Spieler_Client_Egal) == 116 && bytes::groesse<Spieler_Client_Egal>() == 116,
              "Spieler_Client_Egal is 116 bytes");

// ---------------------------------------------------------------------------
// Team records: three parallel arrays by team number.

struct Team_Struktur {
    u32 status;         // 7
    i32 liga;           // 11 competition id, -1 none
    i32 scout_spieler;  // 17 -1 none
    i32 sitzplaetze;    // 5
    i32 stehplaetze;    // 4
    i16 nation;         // 6
    i16 wappen;         // 9 crest number
    i16 transfers;      // 20 transfers still allowed this season
    i16 wert21;         // 21
    i8 scout;           // 16 -1 none
    u8 kontinent;       // 10
    u8 art;             // kind bits (TEAM_ART_*, low byte)
    u8 art_hoch;        // kind bits, second byte (TEAM_ART_AUFFUELLEN)
    u8 trikot[3];       // kit numbers: first, second, goalkeeper
    u8 frei[17];
};
template <class V, bytes::Art<Team_Struktur> S>
constexpr void felder(V& v, S& r) {
    v(r.status), v(r.liga), v(r.scout_spieler), v(r.sitzplaetze), v(r.stehplaetze), v(r.nation), v(r.wappen);
    v(r.transfers), v(r.wert21), v(r.scout), v(r.kontinent), v(r.art), v(r.art_hoch), v(r.trikot), v(r.frei);
}
static_assert(sizeof(Team_Struktur) == 52 && bytes::groesse<Team_Struktur>() == 52, "Team_Struktur is 52 bytes");

struct Team_Fix {
    char name[25];      // 0 / 721
    char kurzname[11];  // 706 / 722
    char stadion[28];   // 702
    char stadt[16];     // 703
    u8 farben[36];      // Team_Zeiger 700: 12 RGB triples
};
template <class V, bytes::Art<Team_Fix> S>
constexpr void felder(V& v, S& r) {
    v(r.name), v(r.kurzname), v(r.stadion), v(r.stadt), v(r.farben);
}
static_assert(sizeof(Team_Fix) == 116 && bytes::groesse<Team_Fix>() == 116, "Team_Fix is 116 bytes");

// One formation: the pitch cells of the 11 starters.
struct Formation {
    u16 spalte[11];
    u16 zeile[11];
};
template <class V, bytes::Art<Formation> S>
constexpr void felder(V& v, S& r) {
    v(r.spalte), v(r.zeile);
}
static_assert(sizeof(Formation) == 44 && bytes::groesse<Formation>() == 44, "a formation is 44 bytes");

// The team data a client's manager changes; bytes 2 and 3 stay the server's.
struct Team_Own {
    i8 formation;                                 // 0: Team_Wert 8 (bit 128 automatic line-up)
    u8 frei1;                                     // 1
    u16 server_wert;                              // 2..3
    Formation formationen[FORMATIONEN_PRO_TEAM];  // 4..707: Team_Zeiger 705
    u8 taktik[7];                                 // 708..714
    u8 frei2;                                     // 715
    i32 transferfenster[11];                      // 716..759: Team_Zeiger 726
    u8 frei3[8];
};
template <class V, bytes::Art<Team_Own> S>
constexpr void felder(V& v, S& r) {
    v(r.formation), v(r.frei1), v(r.server_wert), v(r.formationen), v(r.taktik), v(r.frei2);
    v(r.transferfenster), v(r.frei3);
}
static_assert(sizeof(Team_Own) == 768 && bytes::groesse<Team_Own>() == 768, "Team_Own is 768 bytes");

// ---------------------------------------------------------------------------
// A human manager.

struct Manager_Daten {
    char name[36];
    i32 gesicht;  // face number
    i32 team;
    u8 frei[132];
};
template <class V, bytes::Art<Manager_Daten> S>
constexpr void felder(V& v, S& r) {
    v(r.name), v(r.gesicht), v(r.team), v(r.frei);
}
static_assert(sizeof(Manager_Daten) == 176 && bytes::groesse<Manager_Daten>() == 176, "the manager data are 176 bytes");

struct Manager_Struktur {
    Manager_Daten daten;  // Team_Zeiger 300
    u32 menue_wahl[2];    // Team_Zeiger 307: button 0..3, entry 0..5
    u8 einstellungen[3];  // Team_Zeiger 306: two option bytes, sound bits
    u8 frei1;
    u32 icon_status[MANAGER_ICONS];  // Team_Zeiger 302
    u32 icon_wort[MANAGER_ICONS];    // Team_Zeiger 303
    u8 frei2[40];
};
template <class V, bytes::Art<Manager_Struktur> S>
constexpr void felder(V& v, S& r) {
    v(r.daten), v(r.menue_wahl), v(r.einstellungen), v(r.frei1), v(r.icon_status), v(r.icon_wort), v(r.frei2);
}
static_assert(sizeof(Manager_Struktur) == 33844 && bytes::groesse<Manager_Struktur>() == 33844,
              "Manager_Struktur is 33,844 bytes");

// ---------------------------------------------------------------------------
// Globals.

extern i32 Spieler_Anzahl;
// The most players a world holds (a save game with more is refused).
constexpr i32 SPIELER_ANZAHL_MAX = 200000;
extern i32 Team_Anzahl;
extern i32 Team_Transfermarkt;
// The four "current team" numbers (all saved with the game, block of the
// globals). They mean different things and are not interchangeable:
// - Team_Aktiv: the team whose manager sits at this machine now, the one
//   taking his turn; the menus, options and remembered icon states are his.
//   The turn order (season/kalender_zug) and the main menu's hand-over set it.
// - Team_Ansicht: the team the screens look at; it may be another club
//   than the manager's own (the page before the menu shows its fixture).
// - Aktuelles_Team: the team a server row runs for: the asking client's
//   team while a client's call is served, the active team while a call is
//   answered on this machine (the call layer's frames set and restore it).
//   Server rows read it; code outside them asks Team_Aktiv.
// - Server_Lokales_Team: on a server, the team of the manager at the
//   server's own machine (set when the game is opened to the network).
extern i32 Team_Aktiv;
extern i32 Team_Ansicht;
extern i32 Aktuelles_Team;
extern i32 Server_Lokales_Team;
extern i32 Team_Auswaerts;
extern i32 Team_Wettbewerb;  // competition of the active team's match of the day (-1: none)
extern u16 Team_Heimnation;  // 65535: none
extern i32 Schwierigkeit;    // 0..4, default 2
extern i32 Spielstart_Beendet;
extern i32 Manager_Anzahl;

// The record arrays (only the world's loaders and accessors touch them).
extern Spieler_Struktur* Spieler_Daten;
extern Spieler_Fix* Spieler_Fix_Daten;
extern Spieler_Client_Egal* Spieler_Texte;
extern u8* Spieler_Flags;
extern Team_Struktur* Team_Daten;
extern Team_Fix* Team_Fix_Daten;
extern Team_Own* Team_Own_Daten;
extern Manager_Struktur** Team_Manager;

// ---------------------------------------------------------------------------
// Value accessors: (mode, number, value or buffer, operation).

i32 Spieler_Wert(int modus, int spieler, i32 wert, int op);
const char* Spieler_String(int modus, int spieler, char* puffer, int schreiben);
void* Spieler_Zeiger(int art, int spieler, void* puffer, int flag);
i32 Team_Wert(int modus, int team, i32 wert, int op);
const char* Team_String(int modus, int team, char* puffer, int schreiben);
void* Team_Zeiger(int art, int team, void* puffer, int flag);
i32 Manager_Wert(int modus, int team, i32 wert, int op);

// Bounds of a mode (false for a mode the accessor does not know).
bool Spieler_Wert_Grenzen(int modus, i64* min, i64* max);
bool Team_Wert_Grenzen(int modus, i64* min, i64* max);
// Stores a value into a mode's field of a record as it stands, bounds or
// not (a record being built to be checked); false for an unknown mode.
bool Spieler_Feld_Setzen(int modus, Spieler_Struktur* s, Spieler_Fix* x, i64 wert);
bool Team_Feld_Setzen(int modus, Team_Struktur* t, Team_Own* o, i64 wert);
// Checks a loaded record: -1 when every field lies within the bounds of its
// mode (and the formations' cells and the menu choice within theirs), else
// the first mode outside.
int Spieler_Werte_Pruefen(const Spieler_Struktur& s, const Spieler_Fix& x);
int Team_Werte_Pruefen(const Team_Struktur& t, const Team_Own& o);
int Manager_Werte_Pruefen(const Manager_Struktur& m);
// Byte size of a Team_Zeiger / Spieler_Zeiger block kind (0 unknown).
int Team_Zeiger_Groesse(int art);
int Spieler_Zeiger_Groesse(int art);

// ---------------------------------------------------------------------------
// Life cycle of the world arrays.

// Allocates empty arrays for the given counts (old arrays are freed first).
bool Welt_Anlegen(int teams, int spieler);
// Frees every array of players, teams and managers.
void Welt_Freigeben();

// World arrays made apart from the running world (on any thread: nothing
// global is touched) and put in place later by Welt_Bloecke_Einsetzen, which
// only swaps them in. Freed with the object when they were not put in place.
struct Welt_Bloecke {
    int teams = 0, spieler = 0;
    Team_Struktur* team = nullptr;
    Team_Fix* team_fix = nullptr;
    Team_Own* team_own = nullptr;
    Manager_Struktur** manager = nullptr;
    Spieler_Struktur* spieler_daten = nullptr;
    Spieler_Fix* spieler_fix = nullptr;
    Spieler_Client_Egal* texte = nullptr;
    u8* flags = nullptr;
    std::vector<std::vector<i32>> kader;

    Welt_Bloecke() = default;
    Welt_Bloecke(const Welt_Bloecke&) = delete;
    Welt_Bloecke& operator=(const Welt_Bloecke&) = delete;
    Welt_Bloecke(Welt_Bloecke&& b) noexcept;
    Welt_Bloecke& operator=(Welt_Bloecke&&) = delete;
    ~Welt_Bloecke();
    void freigeben();
};
// Allocates the arrays for the counts with the values Welt_Anlegen gives
// (old blocks are freed first); false (and empty) on bad counts or no memory.
bool Welt_Bloecke_Anlegen(Welt_Bloecke* b, int teams, int spieler);
// Builds the blocks' squads from their players' team values, the transfer
// market being team `markt` (as Team_Kader_Neu_Aufbauen does for the world).
void Welt_Bloecke_Kader(Welt_Bloecke* b, int markt);
// Frees the running world and puts the blocks in its place; `b` is left empty.
void Welt_Bloecke_Einsetzen(Welt_Bloecke* b);

// The squad of a team: player numbers in squad order.
int Team_Kader_Anzahl(int team);
const i32* Team_Kader(int team);
// Rebuilds every squad from the players' team values (mode 86), in player order.
void Team_Kader_Neu_Aufbauen();
// Puts a player into a squad (at the end) / takes him out; false when full / absent.
bool Team_Kader_Einfuegen(int team, int spieler);
bool Team_Kader_Entfernen(int team, int spieler);
bool Team_Kader_Ersetzen(int team, int alt, int neu);
// A player who joins a club keeps his shirt number unless a team-mate wears
// it; then he takes the lowest free one (the market's numbers stay as they are).
void Team_Rueckennummer_Vergeben(int team, int spieler);

// True when the call runs on a network client and the team is not the client's own.
bool Welt_Client_Fremd(int team);
