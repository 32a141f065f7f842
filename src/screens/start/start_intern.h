// What the start screen, the wizard and the finishing share among themselves.
#pragma once

#include "base/types.h"

constexpr i16 START_KNOPF_X = 260;
constexpr i16 START_ZEILE_Y[4] = {176, 262, 348, 434};

// Shows or hides, greys or un-greys an icon on the screen (nothing when it is not there).
void Start_Zeigen(i32 icon, bool zeigen);
void Start_Grau(i32 icon, bool grau);

// The wizard's own state back to its start (videos let go).
void Spielstart_Wizard_Zuruecksetzen();
// Builds the country list of the wizard (on a client only countries with a
// club in the server's start-team table).
void Spielstart_Laender_Bauen();
// The server's start-team table of a client: its entries (80 bytes each).
struct Startteam_Eintrag {
    i16 marke = -1;  // -1 no entry
    char team_name[25] = {};
    char user[37] = {};
    u32 status = 0;
    i32 slot = -1;
    i32 frager = -1;  // the asking client's connection slot
};
// A client may choose the club: no user is active on it and it is no club
// of a manager at the server's machine.
bool Spielstart_Client_Waehlbar(i32 team);
bool Spielstart_Startteams_Holen();
const Startteam_Eintrag* Spielstart_Startteam(i32 team);
// Closes both wizard videos.
void Spielstart_Videos_Schliessen();
void Spielstart_Hintergrund_Video_Oeffnen();
// The provisional manager of the transfer market while a game is set up
// (named "Neuer Manager"; the start screen's switches live in its record):
// made when the world has the market and it has no manager, removed once
// the set-up is finished (the market is never a manager's club).
void Spielstart_Marktmanager_Anlegen();
void Spielstart_Marktmanager_Entfernen();
