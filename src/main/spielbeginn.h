// How a new game starts: through the start screen and the new-game wizard
// (the program's way), or scripted (the setting `Schnellstart`=1, and the
// tests that drive the game headless): the world of the start set is read
// and the player takes over a club at once.
#pragma once

#include "base/types.h"

// The scripted start as the season's set-up step (Main_Registrieren installs
// it): the wizard's finishing for the club of the setting "Verein" (a team
// number; else the first club of the world) and the hot-seat managers of
// the setting "Mitspieler", as the wizard would finish them.
bool Main_Spielstart_Pruefen(int arg, u8* wizard_byte);
// The start set of a new game, its competitions and events.
void Main_Spielstart_Registrieren();

// The program's choice: the start screen and the wizard, or the scripted
// start when the setting `Schnellstart` is 1 (also for KORDAVO_SCRIPT runs
// that skip the wizard).
using Main_Spielstart_Prozedur = bool (*)(int arg, u8* wizard_byte);
Main_Spielstart_Prozedur Main_Spielstart_Waehlen();
// Every hook registered with this start (Main_Registrieren), then the
// start's set registered with the calendar: the one order the program and
// the tests use.
void Main_Spielstart_Anmelden(Main_Spielstart_Prozedur prozedur);
// The start screen's set-up step and its start set (the wizard's finishing
// reads the competitions itself, so the calendar does not).
bool Main_Spielstart_Bildschirme(int arg, u8* wizard_byte);
void Main_Spielstart_Bildschirme_Registrieren();
