// The manager's inbox in the frame of play: the news pass shows its
// messages and questions in the requester; the menu engine's byte and a
// training camp in progress go into the save game.
#pragma once

// Installs the news table and the menu's save block.
void Main_Posteingang_Anmelden();
