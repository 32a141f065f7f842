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

// The stadium classes: capacity range, building price, price per seat and per
// comfort point, comfort after building.
struct Stadion_Klasse {
    i32 min_kapazitaet, max_kapazitaet, baupreis, platzpreis, komfortpreis, komfort_nach_bau;
};
const Stadion_Klasse& Stadion_Get_Klasse(int klasse);
int Stadion_Klasse_Von_Kapazitaet(int kapazitaet);

void Stadion_Init();
void Stadion_Free();
Stadion_Daten* Stadion_Get(int team, int kopie);
i32 Stadion_Get_Kapazitaet(int team);
bool Stadion_Set_Prozent(int prozent);
i32 Stadion_Get_Prozent();
// Attendance: (40 + demand/2 + importance/4) per cent of the capacity, moved
// by comfort and ticket price and the global stadium percentage; a full
// house for a top match.
i32 Stadion_Berechne_Zuschauer(int team, int spiel, int nachfrage, int heim_anteil, int gast_anteil, int,
                               int mix, int wichtigkeit, int);
// Attendance and gate income of a home match (income booked, category 4).
i32 Stadion_Spiel_Auswerten(int team, int spiel, int nachfrage);
// Running costs after a match (category 26): 2 per place.
void Stadion_Nach_Spiel(int team, int spiel);
// Rebuilds the record from capacity, seats and terraces.
bool Stadion_Set_Daten(int team, const Stadion_Daten* daten);
void Stadion_Set_Erweiterung_Slots(int spiel);
// Builds up to the next class: pays the building price (category 14).
bool Stadion_Ausbauen(int team);

struct Datei_Status;
bool Stadion_Speichern(Datei_Status* d);
bool Stadion_Laden(Datei_Status* d);
void Stadion_Uebernehmen();
void Stadion_Verwerfen();
