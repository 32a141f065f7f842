// Stadiums: records, attendance, gate income, building.
#pragma once

#include "base/bereich.h"
#include "base/bytes.h"
#include "base/types.h"

// The most places a stadium holds (seats and terraces together).
constexpr i32 STADION_PLAETZE_MAX = 200000;
// Ticket prices a club can set, and the comfort a renovation reaches.
constexpr i32 STADION_EINTRITT_MIN = 5, STADION_EINTRITT_MAX = 60;
constexpr i32 STADION_KOMFORT_HOECHST = 100;

struct Stadion_Daten {
    i32 kapazitaet;      // sitzplaetze + stehplaetze
    i32 sitzplaetze;
    i32 stehplaetze;
    i32 eintrittspreis;  // STADION_EINTRITT_MIN..MAX
    i32 komfort;         // 0..100 per cent
    i32 klasse;          // 0..5
    i32 groesse;         // capacity in thousands
    i32 zuschauer;       // last attendance
    f32 einnahme;        // last gate income (attendance x price)
    i32 bau_tage;        // days until building ends (0 none), at most a year
    i32 renovierung;     // level points bought, at most the comfort scale
    u8 frei[20];
};
// The range of every whole-number field a stadium can reach; a saved or sent
// record outside them is refused. Besides these, the capacity is seats plus
// terraces and the size its thousands, the last crowd fits the ground's class
// and a first-class ground builds nothing (Stadion_Daten_Gueltig).
inline constexpr Feld_Bereich<Stadion_Daten> STADION_FELDER[] = {
    {"kapazitaet", &Stadion_Daten::kapazitaet, 1, STADION_PLAETZE_MAX},  // a ground has places
    {"sitzplaetze", &Stadion_Daten::sitzplaetze, 0, STADION_PLAETZE_MAX},
    {"stehplaetze", &Stadion_Daten::stehplaetze, 0, STADION_PLAETZE_MAX},
    {"eintrittspreis", &Stadion_Daten::eintrittspreis, STADION_EINTRITT_MIN, STADION_EINTRITT_MAX},
    {"komfort", &Stadion_Daten::komfort, 0, STADION_KOMFORT_HOECHST},
    {"klasse", &Stadion_Daten::klasse, 0, 5},
    {"groesse", &Stadion_Daten::groesse, 0, STADION_PLAETZE_MAX / 1000},
    {"zuschauer", &Stadion_Daten::zuschauer, 0, STADION_PLAETZE_MAX},
    {"bau_tage", &Stadion_Daten::bau_tage, 0, 366},
    {"renovierung", &Stadion_Daten::renovierung, 0, STADION_KOMFORT_HOECHST},
};
// The gate income of a full stadium at the highest price.
constexpr f64 STADION_EINNAHME_MAX = static_cast<f64>(STADION_PLAETZE_MAX) * STADION_EINTRITT_MAX;
// True when a record's fields lie within their ranges and agree with each other.
bool Stadion_Daten_Gueltig(const Stadion_Daten& s);
template <class V, bytes::Art<Stadion_Daten> S>
constexpr void felder(V& v, S& r) {
    v(r.kapazitaet), v(r.sitzplaetze), v(r.stehplaetze), v(r.eintrittspreis), v(r.komfort), v(r.klasse);
    v(r.groesse), v(r.zuschauer), v(r.einnahme), v(r.bau_tage), v(r.renovierung), v(r.frei);
}
static_assert(sizeof(Stadion_Daten) == 64 && bytes::groesse<Stadion_Daten>() == 64, "a stadium record is 64 bytes");

// The extension table of a stadium: the matches played in it, one slot per
// match, filled by Stadion_Set_Erweiterung_Slots. A stadium gets its table
// with its first match; 60 slots, when all are used the oldest is replaced.
constexpr int STADION_ERWEITERUNG_SLOTS = 60;
struct Stadion_Erweiterung_Slot {
    i32 spiel;  // the fixture number the matchday passed
    i32 tag;    // day index of the match
    i16 heim;
    i16 gast;
    i32 zuschauer;
    f32 einnahme;  // attendance x ticket price
    i8 tore_heim;
    i8 tore_gast;
    u8 wettbewerb;  // competition id (255 none)
    u8 belegt;      // 1 when the slot is used
    i32 frei;
};
template <class V, bytes::Art<Stadion_Erweiterung_Slot> S>
constexpr void felder(V& v, S& r) {
    v(r.spiel), v(r.tag), v(r.heim), v(r.gast), v(r.zuschauer), v(r.einnahme), v(r.tore_heim), v(r.tore_gast);
    v(r.wettbewerb), v(r.belegt), v(r.frei);
}
static_assert(sizeof(Stadion_Erweiterung_Slot) == 28 && bytes::groesse<Stadion_Erweiterung_Slot>() == 28,
              "an extension slot is 28 bytes");
struct Stadion_Erweiterung {
    i32 anzahl;     // slots used
    i32 naechster;  // slot the next match goes to
    Stadion_Erweiterung_Slot slot[STADION_ERWEITERUNG_SLOTS];
};
template <class V, bytes::Art<Stadion_Erweiterung> S>
constexpr void felder(V& v, S& r) {
    v(r.anzahl), v(r.naechster), v(r.slot);
}
static_assert(sizeof(Stadion_Erweiterung) == 1688 && bytes::groesse<Stadion_Erweiterung>() == 1688,
              "the stadium extension is 1,688 bytes");

// The stadium models 1..6 (= classes 0..5) of the global configuration
// (keys STADION_MODELL_n and the eight after it, in this order).
struct Stadion_Modell {
    i32 min_kapazitaet;
    i32 max_kapazitaet;
    i32 baupreis;              // building price of the class
    i32 platz_baupreis;        // per place added
    i32 grundpreis_pro_spiel;  // running cost per home match
    i32 komfort_baupreis;      // per comfort point
    i32 platzkosten;           // running cost per place and match
    i32 normkomfort;           // comfort after building, per cent
};
const Stadion_Modell& Stadion_Get_Klasse(int klasse);
// Setters for the season module's reader of the global configuration:
// model 1..6, field 0..7 in the order above; level 0 attendance (per cent,
// default 100), 1 standard ticket price (default 20).
void Stadion_Modell_Setzen(int modell, int feld, i32 wert);
void Stadion_Level_Setzen(int welcher, i32 wert);
i32 Stadion_Get_Level(int welcher);
// Back to the built-in models and levels.
void Stadion_Modelle_Zuruecksetzen();
int Stadion_Klasse_Von_Kapazitaet(int kapazitaet);

void Stadion_Init();
void Stadion_Free();
Stadion_Daten* Stadion_Get(int team, int kopie);
i32 Stadion_Get_Kapazitaet(int team);
bool Stadion_Set_Prozent(int prozent);
i32 Stadion_Get_Prozent();
// A club's draw on spectators, 0..100: the mean fine strength of its eleven
// best players over 120.
i32 Stadion_Anziehung(int team);
// Attendance: (15 + demand x 3/8 + home draw/3 + opponent's draw/5) per cent of
// the capacity (demand 0..120 holds the match's importance; the fixture's
// sides come from Welt_Hooks::spiel_daten; at a neutral venue the home
// draw is the mean of both), moved by comfort (against the class's
// standard comfort), by the ticket price (against the standard price
// level), by the attendance level and the global stadium percentage; at
// least 5 % and one spectator (none only at attendance level 0), at most
// the capacity of the venue's ground.
i32 Stadion_Berechne_Zuschauer(int team, int spiel, int nachfrage, int heim_anteil, int gast_anteil, int, int mix,
                               int wichtigkeit, int);
// The gate of a match played at the ground of club `ort`: the crowd held to
// that ground's capacity is its last attendance, times its ticket price its
// last income; the income is booked (category 4) by shares in per cent, the
// home side's and the away side's, the rest to the ground's club (all of it
// at a neutral ground without shares). Returns the crowd held.
i32 Stadion_Spiel_Abrechnen(int ort, int heim, int gast, i32 zuschauer, int heim_anteil, int gast_anteil);
// Attendance and gate income of a home match at the team's own ground
// (income booked to it, category 4).
i32 Stadion_Spiel_Auswerten(int team, int spiel, int nachfrage);
// Running costs after a match (category 26): the model's base price per
// match plus its cost per place.
void Stadion_Nach_Spiel(int team, int spiel);
// Rebuilds the record from capacity, seats and terraces.
bool Stadion_Set_Daten(int team, const Stadion_Daten* daten);
// Records the fixture (values from Welt_Hooks::spiel_daten) in the extension
// table of the ground it was played at (the home team's unless the info
// names another); the crowd is held to that ground's capacity and the
// income taken at its ticket price. The same fixture again only updates its
// slot. Not on a network client.
void Stadion_Set_Erweiterung_Slots(int spiel);
bool Stadion_Set_Erweiterung_Slots_Info(int spiel, const struct Welt_Spiel_Info& info);
// The team's extension table, null before its first match.
const Stadion_Erweiterung* Stadion_Get_Erweiterung(int team);
// Builds up to the next class: pays the building price plus the price per
// place added (category 14).
bool Stadion_Ausbauen(int team);

// Save block 14 and block 4 of the configuration cache: u32 version 1, u32
// count, i32 percentage; per team a flag byte (bit 0 record present, bit 1
// extension follows), the 64-byte record and the 1,688-byte extension.
struct Datei_Status;
bool Stadion_Speichern(Datei_Status* d);
bool Stadion_Laden(Datei_Status* d);
void Stadion_Uebernehmen();
void Stadion_Verwerfen();
