// The network layer's entries in the platform's hook table.
#pragma once

struct Main_Hook_Tabelle;

// Fills the network start and host look-up, the connection pump, the
// server's receive work, the server's and the client's part of the frame
// and the socket events.
void Netz_Main_Hooks_Eintragen(Main_Hook_Tabelle* hooks);
