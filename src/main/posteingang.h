// The manager's inbox and help texts in the frame of play: the news pass
// shows its messages and questions in the requester, the help box follows
// the manager's option, the menu engine's byte goes into the save game, a
// club's crest photo replaces its archive crest.
#pragma once

// Installs the news, help and menu save-block wiring (after the menu
// engine's own table, which it extends).
void Main_Posteingang_Anmelden();
