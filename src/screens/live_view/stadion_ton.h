// The stadium's sounds in the live view: a table of 35 samples of the
// stadium sound archive (0..16 general sounds such as the whistle and the
// ball, 17..34 the crowd), a crowd sound set grouping the crowd samples into
// nine groups of up to six variants, and the plays the match engine and the
// view ask for: crowd sounds at a loudness step 0..4, crowd reactions and
// single samples panned to a place on the screen.
//
// The general samples are loaded with the view's resources and freed last;
// loading a crowd set starts its background loop (group 0). Without sound
// every play does nothing.
#pragma once

#include "base/types.h"

struct Sound_Slot;
struct Spielfeld_Daten;

constexpr int SA_SAMPLES = 35;
constexpr int SA_SAMPLES_ALLGEMEIN = 17;  // 0..16
constexpr int SA_SAMPLE_BEAMEN = 14;      // a figure beamed on or off the pitch
constexpr int SA_SOUND_GRUPPEN = 9;
constexpr int SA_SOUND_VARIANTEN = 6;

// Loads samples 0..16. False, with a message to the player and nothing of
// them kept, when sound is on and a sample is missing or refused.
bool Spielansicht_Sound_Allgemein_Laden();
void Spielansicht_Sound_Free_Allgemein();
// Makes crowd set 0..2 current (another number counts as 0): the old set's
// samples are freed, the new set's loaded and its background loop started.
// Nothing when it is current already. False, with a message and no set
// current, when sound is on and a sample is missing or refused.
bool Spielansicht_Sound_Set_Laden(int set);
// Frees the current set's samples; no set is current afterwards.
void Spielansicht_Sound_Free();
// The current set, -1 none.
int Spielansicht_Sound_Set();

// A crowd sound of group 0..8 at loudness step 0..4 (above 4 counts as 4):
// the table volume less 10 a step below 4. A variant outside 0..5, or one
// the group does not have, is drawn. A loop request for a sample that
// cannot loop plays it once; for a looping one already running, nothing.
void Spielansicht_Sound_Stadion(int gruppe, int schleife, int stufe, int variante);
// A crowd reaction of kind 0..4: two samples, the first quieter by 10 a
// step below 4, the second at its table volume.
void Spielansicht_Sound_Reaktion(int art, int stufe);
// Sample 0..34 once at its table volume, panned by (a - b) x 15 around the
// centre 128.
void Spielansicht_Sound_Stereo(int index, int a, int b);

// The sound slot of a sample (null when not loaded), its archive entry and
// whether it runs as a loop.
const Sound_Slot* Spielansicht_Sound_Slot(int index);
int Spielansicht_Sound_Eintrag(int index);
bool Spielansicht_Sound_Spielt(int index);

// With the view's resources: the general samples, then crowd set 0 (its
// background starts). False with nothing kept when either fails.
bool Spielansicht_Sound_Starten();
// The set first, the general samples last.
void Spielansicht_Sound_Beenden();

// Loudness step 0..4 of a crowd of this size: a step for every 10,000.
int Spielansicht_Sound_Stufe(u32 zuschauer);
// The crowd's mood for the shown match, once a frame: the background at
// the step of the attendance; while a side is excited (a goal or a card
// lately, crowd excitement 50 % and more) the loud crowd, until it calms
// below 20 %; in a calm match the fans sing for three minutes of every ten.
// Only for the pitch the focused view shows while its camera keeps up.
void Spielansicht_Sound_Stimmung(const Spielfeld_Daten* sf);
