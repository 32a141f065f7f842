// Stadiums: records, attendance, gate income, building.
#pragma once

#include "base/types.h"

struct Stadion_Daten {
    i32 kapazitaet;
    i32 sitzplaetze;
    i32 stehplaetze;
    i32 eintrittspreis;   // 5..60
    i32 komfort;          // 0..100 per cent
    i32 klasse;           // 0..5
    i32 groesse;          // capacity in thousands
    i32 zuschauer;        // last attendance
    f32 einnahme;         // last gate income
    i32 bau_tage;         // days until building ends (0 none)
    i32 renovierung;      // level points bought
    u8 frei[20];
};
static_assert(sizeof(Stadion_Daten) == 64, "a stadium record is 64 bytes");

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
// Attendance: (40 + demand/2 + importance/4) per cent of the capacity, moved
// by comfort (against the class's standard comfort), by the ticket price
// (against the standard price level), by the attendance level and the
// global stadium percentage; a full house for a top match.
i32 Stadion_Berechne_Zuschauer(int team, int spiel, int nachfrage, int heim_anteil, int gast_anteil, int,
                               int mix, int wichtigkeit, int);
// Attendance and gate income of a home match (income booked, category 4).
i32 Stadion_Spiel_Auswerten(int team, int spiel, int nachfrage);
// Running costs after a match (category 26): the model's base price per
// match plus its cost per place.
void Stadion_Nach_Spiel(int team, int spiel);
// Rebuilds the record from capacity, seats and terraces.
bool Stadion_Set_Daten(int team, const Stadion_Daten* daten);
void Stadion_Set_Erweiterung_Slots(int spiel);
// Builds up to the next class: pays the building price plus the price per
// place added (category 14).
bool Stadion_Ausbauen(int team);

struct Datei_Status;
bool Stadion_Speichern(Datei_Status* d);
bool Stadion_Laden(Datei_Status* d);
void Stadion_Uebernehmen();
void Stadion_Verwerfen();
