// The competition record (`Wettbewerb`, 7,404 bytes) and the table of 128
// records, with its defaults, mode bits, round names, the display hierarchy
// of the league systems and the small lookups the other modules use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/feld_grenze.h"
#include "base/types.h"

constexpr int WETTBEWERB_ANZAHL = 128;
constexpr size_t WETTBEWERB_GROESSE = 7404;
constexpr i32 WETTBEWERB_ERSTE_ID = 50;
constexpr int WETTBEWERB_MAX_TEAMS = 128;  // room of the per-team lists
constexpr int WETTBEWERB_MAX_SPIELTAGE = 46;
constexpr int WETTBEWERB_PAARUNGS_BYTES = 1026;
constexpr i32 WETTBEWERB_KEIN_SUPER_ALIAS = 999999;
constexpr int WETTBEWERB_QUALI_LISTEN = 5;  // QUALI_FUER lines a record keeps

// Mode bits (field `modus`).
constexpr u32 WB_RUECKSPIELE = 0x1;
constexpr u32 WB_HEIMRECHT = 0x2;
constexpr u32 WB_KO_SYSTEM = 0x4;
constexpr u32 WB_VERLAENGERUNG = 0x8;
constexpr u32 WB_AUSWTORE_DOPPELT = 0x10;
constexpr u32 WB_LOSEN = 0x20;
constexpr u32 WB_ENGLISCHE_TABELLE = 0x40;
constexpr u32 WB_OHNE_SCHIRI = 0x80;
constexpr u32 WB_RUECKSPIEL_SOFORT = 0x100;
constexpr u32 WB_AMATEUR_HEIMRECHT = 0x200;
constexpr u32 WB_SUDDEN_DEATH = 0x400;
constexpr u32 WB_ELFMETERSCHIESSEN = 0x800;
constexpr u32 WB_AUSRICHTER_DABEI = 0x1000;
constexpr u32 WB_EINNAHMEN_TEILEN = 0x2000;
constexpr u32 WB_SPIELE_VARIABEL = 0x4000;
constexpr u32 WB_SCHIRI_NICHT_AUS_TEAMLAND = 0x8000;
constexpr u32 WB_QUALI_AUS_LIGABAUM = 0x10000;
constexpr u32 WB_GELBSPERRE_ZUSAMMEN = 0x20000;
constexpr u32 WB_WIEDERHOLUNGSSPIEL = 0x40000;
constexpr u32 WB_ENGLISCHE_GELBSPERRE = 0x80000;

// The record. Its layout is the 7,404-byte image of the save game, the
// configuration cache and the network; the pairing table is held as a table
// number (the team count of the constant pairing order, 0 none), never as a
// pointer.
struct Wettbewerb {
    char name[25];
    char gruppen_name[20];
    char identifikation[11];
    u8 team_slots[510];
    u8 paarungen[WETTBEWERB_PAARUNGS_BYTES];
    i32 paarungs_tabelle;                          // 6: pairing order table (0 none)
    i32 spielplan;                                 // 7: fixture plan key, -1
    i32 laufzeit;                                  // 8
    u32 modus;                                     // 9
    i32 vorherige_runde;                           // 10
    i32 naechste_runde;                            // 11
    i32 vorherige_gruppe;                          // 12
    i32 naechste_gruppe;                           // 13
    i32 visuell_nachfolger;                        // 14
    i32 visuell_vorgaenger;                        // 15
    i32 visuell_gruppe;                            // 16
    i32 kalendermarke;                             // 17
    i32 super_alias;                               // 18
    i32 wochentag;                                 // 19
    i32 quote_wochentag;                           // 20
    i8 startwoche;                                 // 21
    u8 quali_aus_ligabaum;                         // 22
    u8 frei23[2];                                  // 23
    i8 endwoche;                                   // 24
    u8 frei25[2];                                  // 25
    i8 qualiwoche;                                 // 26
    i32 spielfrei_start;                           // 27
    i32 spielfrei_ende;                            // 28
    i32 teams;                                     // 29
    i32 sieg_praemie;                              // 30
    i32 unentschieden_praemie;                     // 31
    i32 paare_pro_runde;                           // 32
    i32 aktuelle_teams;                            // 33
    i32 spieltage;                                 // 34
    i32 aktueller_spieltag;                        // 35
    i32 aktuelle_runde;                            // 36
    i32 parallel_gruppen;                          // 37
    i32 gruppen_position;                          // 38
    i32 weiterkommen[5];                           // 39
    i32 quali_fuer[WETTBEWERB_QUALI_LISTEN][128];  // 40
    i32 laufzeit_worte[3];                         // 41
    i32 rundentext[WETTBEWERB_MAX_SPIELTAGE];      // 42
    i32 best_of_x;                                 // 43
    i32 sieger;                                    // 44
    i32 zweiter;                                   // 45
    i32 startteam_anzahl;                          // 46
    i32 halbzeit_laenge;                           // 47
    i32 halbzeit_laenge_verl;                      // 48
    i32 halbzeiten;                                // 49
    i32 halbzeiten_verl;                           // 50
    i32 alle_x_jahre;                              // 51
    i32 startjahr;                                 // 52
    i32 land;                                      // 53
    i32 auffuell_anzahl;                           // 54
    i32 quali_land_anzahl;                         // 55
    i32 ausrichter;                                // 56
    i32 aktueller_ausrichter;                      // 57
    i32 ausrichter_stadion;                        // 58
    i32 quali_fuer_anzahl;                         // 59
    i32 paarungs_anzahl;                           // 60
    i32 grafik_nummer;                             // 61
    i32 audio_nummer;                              // 62
    i32 wichtig;                                   // 63
    i32 id;                                        // 64
    i16 auffuellen[32][3];                         // 65
    i16 quali_land[64][2];                         // 66
    i32 ketten_spieltage[2];                       // 67
    i32 wurzel;                                    // 68
    i32 platz_slots[128];                          // 69
    i16 aktuelle_team[128];                        // 70
    i16 start_team[128];                           // 71
    i16 teilnehmer[128];                           // 72
    u32 ranglisten_wert[128];                      // 73
    i32 kalender_position;                         // 74
    u8 erste_gelbsperre;                           // 75
    u8 intervall_gelbsperre;                       // 76
    u8 flags[2];                                   // 77: table final, started
    u8 golden_goal;                                // 78
    u8 rueckspiel_zwei_wochen;                     // 79
    u8 mehrmals_pro_jahr;                          // 80
    u8 quali_mischen;                              // 81
    u8 basisliga;                                  // 82
    u8 amateur_liga;                               // 83
    u8 pokal_praemie;                              // 84
    u8 quali_saisonstart;                          // 85
    u8 schalter[4];                                // 86
    u8 nicht_schreiben;                            // 87
    u8 frei88[3];                                  // 88
    i32 slot_worte[128];                           // 89
    i32 antritts_praemie;                          // 90
    u8 kontinent;                                  // 91
    u8 frei91[3];
    i32 wert_a;     // 92
    i32 wert_b;     // 93
    i32 wert_c;     // 94
    u8 frei95[24];  // 95
};
static_assert(sizeof(Wettbewerb) == WETTBEWERB_GROESSE, "the competition record is 7,404 bytes");
static_assert(offsetof(Wettbewerb, paarungs_tabelle) == 1592, "layout");
static_assert(offsetof(Wettbewerb, weiterkommen) == 1708, "layout");
static_assert(offsetof(Wettbewerb, best_of_x) == 4484, "layout");
static_assert(offsetof(Wettbewerb, kalender_position) == 6824, "layout");
static_assert(offsetof(Wettbewerb, slot_worte) == 6848, "layout");

// The range of every number of a competition in use (one with a name) that
// the game reads back from a save: the configuration's own ranges for what
// the file sets, the record's room for what the season counts. Indices of
// other competitions are -1 or one of the 128 records; a week 0..51. The
// team lists are held to -1..MAX_TEAMS - 1 by the reader beside this table.
constexpr i32 WETTBEWERB_PRAEMIE_MAX = 5000000;
constexpr i32 WETTBEWERB_BEST_OF_MAX = 20;
#define WB_FELD(feld, unten, oben) FELD_GRENZE(Wettbewerb, feld, unten, oben)
inline constexpr Feld_Grenze<Wettbewerb> WETTBEWERB_FELDER[] = {
    WB_FELD(vorherige_runde, -1, WETTBEWERB_ANZAHL - 1),
    WB_FELD(naechste_runde, -1, WETTBEWERB_ANZAHL - 1),
    WB_FELD(vorherige_gruppe, -1, WETTBEWERB_ANZAHL - 1),
    WB_FELD(naechste_gruppe, -1, WETTBEWERB_ANZAHL - 1),
    WB_FELD(visuell_nachfolger, -1, WETTBEWERB_ANZAHL - 1),
    WB_FELD(visuell_vorgaenger, -1, WETTBEWERB_ANZAHL - 1),
    WB_FELD(visuell_gruppe, -1, WETTBEWERB_ANZAHL - 1),
    WB_FELD(kalendermarke, -1, 127),  // KALENDER_SLOTS - 1
    WB_FELD(wochentag, 0, 6),
    WB_FELD(quote_wochentag, 10, 100),
    WB_FELD(startwoche, 0, 51),
    WB_FELD(endwoche, 0, 51),
    WB_FELD(qualiwoche, 0, 51),
    WB_FELD(spielfrei_start, 0, 51),
    WB_FELD(spielfrei_ende, 0, 51),
    WB_FELD(teams, 0, WETTBEWERB_MAX_TEAMS),
    WB_FELD(sieg_praemie, 0, WETTBEWERB_PRAEMIE_MAX),
    WB_FELD(unentschieden_praemie, 0, WETTBEWERB_PRAEMIE_MAX),
    WB_FELD(antritts_praemie, 0, WETTBEWERB_PRAEMIE_MAX),
    WB_FELD(aktuelle_teams, 0, WETTBEWERB_MAX_TEAMS),
    WB_FELD(spieltage, -1, WETTBEWERB_MAX_SPIELTAGE),
    WB_FELD(aktueller_spieltag, 0, WETTBEWERB_MAX_SPIELTAGE),
    WB_FELD(aktuelle_runde, 0, WETTBEWERB_BEST_OF_MAX),
    WB_FELD(parallel_gruppen, 0, 20),
    WB_FELD(weiterkommen[0], -1, 255),
    WB_FELD(weiterkommen[1], -1, 255),
    WB_FELD(weiterkommen[2], -1, 255),
    WB_FELD(weiterkommen[3], -1, 255),
    WB_FELD(weiterkommen[4], -1, 255),
    WB_FELD(best_of_x, 0, WETTBEWERB_BEST_OF_MAX),
    WB_FELD(startteam_anzahl, 0, WETTBEWERB_MAX_TEAMS),
    WB_FELD(halbzeit_laenge, 1, 255),
    WB_FELD(halbzeit_laenge_verl, 1, 255),
    WB_FELD(halbzeiten, 1, 255),
    WB_FELD(halbzeiten_verl, 1, 255),
    WB_FELD(alle_x_jahre, 1, 255),
    WB_FELD(startjahr, 0, 255),
    WB_FELD(land, 0, 65535),
    WB_FELD(ausrichter, -1, 999),  // MAX_TEAMS - 1
    WB_FELD(aktueller_ausrichter, -1, 999),
    WB_FELD(ausrichter_stadion, -1, 100000),
    WB_FELD(wichtig, 0, 100),
    WB_FELD(id, 0, 255),  // a fixture's byte
    WB_FELD(kalender_position, 0, 500),
    WB_FELD(erste_gelbsperre, 1, 255),
    WB_FELD(intervall_gelbsperre, 1, 255),
    WB_FELD(flags[0], 0, 1),
    WB_FELD(flags[1], 0, 1),
    WB_FELD(golden_goal, 0, 1),
    WB_FELD(rueckspiel_zwei_wochen, 0, 1),
    WB_FELD(mehrmals_pro_jahr, 0, 1),
    WB_FELD(quali_mischen, 0, 1),
    WB_FELD(basisliga, 0, 1),
    WB_FELD(amateur_liga, 0, 1),
    WB_FELD(pokal_praemie, 0, 1),
    WB_FELD(quali_saisonstart, 0, 1),
    WB_FELD(kontinent, 0, 14),  // KONTINENT_ANZAHL - 1
};
#undef WB_FELD

// The table (null until Wettbewerb_Init).
extern Wettbewerb* Wettbewerb_Tabelle;
extern i32 Wettbewerb_Freundschaft_Id;  // friendlies competition, -1 none
extern i32 Wettbewerb_Dummy_Anzahl;     // dummy competitions added at run time

// Allocates the table (all records reset) / frees it.
bool Wettbewerb_Init();
void Wettbewerb_Free();
bool Wettbewerb_Modul_Bereit();
void Wettbewerb_Reset(i32 index);
// A free record with every default (qualification lists and round texts -1).
Wettbewerb Wettbewerb_Standard();

// Field-by-field little-endian image of one record (7,404 bytes).
void Wettbewerb_Bild_Schreiben(const Wettbewerb& w, u8* out);
void Wettbewerb_Bild_Lesen(Wettbewerb& w, const u8* in);

// League values A, B, C (D is the country).
bool Wettbewerb_Set_Wert_A(i32 id, i32 wert);
bool Wettbewerb_Set_Wert_B(i32 id, i32 wert);
bool Wettbewerb_Set_Wert_C(i32 id, i32 wert);
i32 Wettbewerb_Get_Wert_A(i32 id);
i32 Wettbewerb_Get_Wert_B(i32 id);
i32 Wettbewerb_Get_Wert_C(i32 id);
i32 Wettbewerb_Get_Wert_D(i32 id);
void Wettbewerb_Quali_Markierungen_Loeschen();

// Mode flag keys and round names.
// Index of a flag key (German or English, any case) in the flag table:
// 0..19 the mode bits, 20 the dummy key; -1 unknown.
int Wettbewerb_Modus_Schluessel(const char* text);
u32 Wettbewerb_Modus_Bits(int index);
const char* Wettbewerb_Modus_Name(int index, bool englisch);
constexpr int WETTBEWERB_RUNDEN_NAMEN = 16;
int Wettbewerb_Rundenname_Index(const char* text);
const char* Wettbewerb_Rundenname(int index, bool englisch);
const char* Wettbewerb_Rundenname_Symbol(int index);

// --- lookups -------------------------------------------------------------------
i32 Wettbewerb_Get_Index(i32 id);
i32 Wettbewerb_Get_Index_Von_Marke(i32 marke);
Wettbewerb* Wettbewerb_Get_Zeiger(i32 id);
Wettbewerb* Wettbewerb_Get_Zeiger_Index(i32 index);  // named record or null
i32 Wettbewerb_Get_Best_Of(i32 id);
i32 Wettbewerb_Get_Spielplan(i32 id);
i32 Wettbewerb_Get_Id_Von_Kalendermarke(i32 marke);
i32 Wettbewerb_Get_Kalendermarke(i32 id);
bool Wettbewerb_Ist_Basisliga(i32 id);
i32 Wettbewerb_Get_Liga_Von_Team(i32 team, bool nur_basisligen);
bool Wettbewerb_Hat_Heimrecht(i32 id);
bool Wettbewerb_Ist_KO(i32 id);
i32 Wettbewerb_Get_Freundschaftsspiele();
bool Wettbewerb_Ist_Freundschaftsspiele(i32 id);

// Links and chains (record forms take and give records; null for no link
// or a free record).
i32 Wettbewerb_Get_Index_Von_Zeiger(const Wettbewerb* w);
i32 Wettbewerb_Get_Team_Slot(const Wettbewerb* w, i32 team);
Wettbewerb* Wettbewerb_Naechste_Runde(const Wettbewerb* w);
Wettbewerb* Wettbewerb_Vorherige_Runde(const Wettbewerb* w);
Wettbewerb* Wettbewerb_Naechste_Gruppe(const Wettbewerb* w);
Wettbewerb* Wettbewerb_Vorherige_Gruppe(const Wettbewerb* w);
// Round and group walks with the module's cursors (ids; -1 at the end).
i32 Wettbewerb_Get_Erste_Runde(i32 id);
i32 Wettbewerb_Get_Naechste_Runde();
i32 Wettbewerb_Get_Erste_Gruppe(i32 id);
i32 Wettbewerb_Get_Naechste_Gruppe();
i32 Wettbewerb_Get_Vorherige_Gruppe_Id(i32 id);
i32 Wettbewerb_Anz_Runden(i32 id);
i32 Wettbewerb_Anz_Gruppen(i32 id);
i32 Wettbewerb_Get_Wurzel_Id(i32 id);

// The summary of a competition (Wettbewerb_Get_Info); null for unknown ids.
struct Wettbewerb_Info {
    u32 modus;
    i32 teams, spieltage, aktueller_spieltag, aktuelle_runde, best_of_x, land;
    i32 basisliga, ausrichter, ausrichter_stadion, grafik_nummer, audio_nummer;
    i32 spielplan, ketten_summe, ketten_offset, wurzel_id;
    i32 halbzeit_laenge, halbzeit_laenge_verl, halbzeiten, halbzeiten_verl;
    i32 sieger, pokal_praemie, wert_a;
};
const Wettbewerb_Info* Wettbewerb_Get_Info(i32 id);

// Walks of the groups of a round (the group chain from its first group).
// Each walk has its own cursor, so walks may nest.
class Wettbewerb_Gruppen_Iterator {
  public:
    explicit Wettbewerb_Gruppen_Iterator(i32 id) : id_(id) {}
    i32 Erste();
    i32 Naechste();

  private:
    i32 id_;
    i32 index_ = -1;
    int schritte_ = 0;
};

// --- display hierarchy ---------------------------------------------------------
// Horizontal display group: the named records with a calendar mark and the
// same visual group, in table order.
class Wettbewerb_Horizontal {
  public:
    i32 Erster(i32 id);
    i32 Naechster();

  private:
    i32 gruppe_ = -1;
    i32 cursor_ = -1;
};
// Vertical walk: root of the hierarchy, then one level down at a time.
class Wettbewerb_Vertikal {
  public:
    i32 Wurzel(i32 id);
    i32 Naechste();

  private:
    i32 cursor_ = -1;
    int schritte_ = 0;
};

// The classic single-cursor forms of the walks.
i32 Wettbewerb_Visuell_Horizontal_Erster(i32 id);
i32 Wettbewerb_Visuell_Horizontal_Naechster();
bool Wettbewerb_Visuell_Horizontal_Anz(i32 id, i32* anzahl, i32* position);
i32 Wettbewerb_Get_Hierarchie_Wurzel(i32 id);
i32 Wettbewerb_Get_Hierarchie_Naechste();
void Wettbewerb_Visuell_Vertikal_Anz(i32 id, i32* ebenen, i32* eigene);
// The league systems: the hierarchy root of every named base league, each
// once, in table order of the leagues.
std::vector<i32> Wettbewerb_Get_Ligasysteme();

// --- knock-out decisions and table preparation ---------------------------------
// Base competition: from the root along the next rounds, the first round
// with matchdays; the own id when there is none; -1 for an unknown id.
i32 Wettbewerb_Get_Basis_Id(i32 id);
// The decision of tie k on a matchday (-1 current) over its BEST_OF_X legs,
// with extra goals for team A and team B of one leg (-1 the current leg):
// the winning team, -2 while the tie is open (or in a league without extra
// time and penalties), -1 when it is level. Legs won decide first, then the
// goals, then (AUSWTORE_DOPPELT) the away goals. A bye (one side without a
// team) sends the other side through. Winner and loser go to the outs
// (either may be null; -1 when there is none).
i32 Wettbewerb_KO_Sieger(const Wettbewerb* w, i32 spieltag, i32 k, i32* sieger, i32* verlierer, i32 extra_runde,
                         i32 extra_a, i32 extra_b);
// The same by id; -1 for an unknown id.
i32 Wettbewerb_Get_Runden_Sieger(i32 id, i32 spieltag, i32 k, i32 extra_runde, i32 extra_a, i32 extra_b);

struct Tabelle;
// Clears a table record for the competition: every result and venue cell
// -1, row count TEAMS (0 before the competition has started), team k the
// current team k.
void Wettbewerb_Tabelle_Vorbereiten(const Wettbewerb* w, Tabelle* t);
bool Wettbewerb_Tabelle_Vorbereiten_Id(i32 id, Tabelle* t);
bool Wettbewerb_Get_Tabellen_Teams(i32 id, Tabelle* t);
