// Human managers and team queries around them.
#pragma once

#include "base/types.h"
#include "world/welt.h"

// Creates the human manager of a team (name cut to 19 characters; face -1:
// the lowest face no other manager has). A new manager has knob 813 at 141,
// word 802 = -1 and word 834 = 0. False when the team has one already.
bool Manager_Neuer_Mitspieler(int team, const char* name, int gesicht);
// A placeholder manager for a team that is nobody's club (the transfer
// market during the set-up of a game: the start screen's switches live in
// its record). Like a new manager but the team's season data stay as they are.
bool Manager_Vorlaeufig_Anlegen(int team, const char* name);
// Gives the team a manager record made by Manager_Get_Kopie (the team owns it
// then). False, and the record freed, when the team has one or is out of range.
bool Manager_Uebernehmen(int team, Manager_Struktur* m);
bool Manager_Loeschen(int team);
// A new copy of the team's manager record (freed with W32_Memory_H_Free), or null.
Manager_Struktur* Manager_Get_Kopie(int team);
// The teams of the human managers who play now (Team_Mensch_Spielt) into
// `aus` (at most 1000) and their count: the turns of the day.
int Manager_Ist_Dran(i32* aus, int unbenutzt, int flag);
// Number of human managers, those away from a network game included.
int Manager_Anzahl_Menschen();
void Manager_Icon_Button_An_Aus(int team, int icon, u32 status);
u32 Manager_Icon_Button_Lesen(int team, int icon);
// Switches `icon` of the list on and every other icon of the list off.
void Manager_Icon_Togglebutton_An_Aus(int team, int anzahl, int icon, const int* liste);
void Manager_Icon_Word_Data_Schreiben(int team, int icon, u32 wert);
u32 Manager_Icon_Word_Data_Lesen(int team, int icon);

bool Team_Hat_Manager(int team);
bool Team_Hat_Manager_Aktiv(int team);
// At the server of a network game: the club of a network user whose manager
// is not at the game (he left it, or has not joined it again). It is run as
// a computer club is (no turns, no pages, no human's mark, its line-up set
// by the computer) until he takes it back; his manager record stays.
bool Team_Manager_Fort(int team);
// A human plays the club now: it has a manager who is not away.
bool Team_Mensch_Spielt(int team);
