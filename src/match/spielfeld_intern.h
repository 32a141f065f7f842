// Shared inside the match engine only.
#pragma once

#include "match/spielfeld.h"

extern Spielfeld_Hooks SF_Hook;
extern Spielfeld_Steuerung SF_Steuerung;

// Outcomes of a shot in flight.
enum : u8 { SCHUSS_KEINER = 0, SCHUSS_TOR = 1, SCHUSS_GEHALTEN = 2, SCHUSS_ABGEWEHRT_ECKE = 3, SCHUSS_VORBEI = 4,
            SCHUSS_ABGEWEHRT_FELD = 5, SCHUSS_EIGENTOR = 6 };

constexpr u8 KEIN_SLOT = 255;

inline int sf_seite(int slot) { return slot < SF_PRO_SEITE ? 0 : 1; }
inline bool sf_auf_platz(const Spielfeld_Spieler& s) {
    return (s.status & (SFS_AUF_DEM_PLATZ | SFS_GELBROT | SFS_ROT | SFS_AUSGEWECHSELT)) == SFS_AUF_DEM_PLATZ && s.spieler >= 0;
}
// +1 when the side attacks towards x = SF_LAENGE.
inline int sf_richtung(const Spielfeld_Daten* sf, int seite) { return ((seite == 0) != (sf->seitenwechsel != 0)) ? 1 : -1; }

// Engine (engine.cpp).
void Engine_Tick(Spielfeld_Daten* sf);
void Engine_Aufstellen(Spielfeld_Daten* sf, int anstoss_seite);
void Engine_Taktik_Berechnen(Spielfeld_Daten* sf, int seite);
void Engine_Elfmeter_Vorbereiten(Spielfeld_Daten* sf, int seite, int slot);
void Engine_Kommandos_Anwenden(Spielfeld_Daten* sf);
void Engine_Minute_Vorbei(Spielfeld_Daten* sf);

// Events (spielfeld.cpp).
void SF_Ereignis(Spielfeld_Daten* sf, u32 flags, int slot, int zweiter);
// The running (not finished) pitch where the team plays, null.
Spielfeld_Daten* SF_Suche_Team(u32 team);
