// A managed club's dealings with the transfer market, as the transfer and
// scouting screens make them: the proceeds of a player who leaves, the club's
// transfer window, the start of a negotiation and a scout's paid search and
// hiring. Every step that changes shared records runs on the server in a
// network game (the calls of netz_rufe.h); the server keeps what was started
// (an open negotiation, a paid search) so that each is paid and used once.
#pragma once

#include "base/types.h"

constexpr i32 TRANSFER_FENSTER = 11;    // players suggested to a club (Team_Zeiger 726)
constexpr i32 SCOUT_SPIELE_MINDEST = 75;  // matches a hired prospect counts at least

// What the market pays for a player who leaves a club: 0 for a player without
// strength; else his market value less market value x (P + r - 5) / 100
// rounded down to 10,000 (P the general parameter
// FAKTOR_0_100_COMPI_TRANSFER_VERKAUF_ABZUG, r 0..10 drawn with the random
// cursor at player x day; the cursor is put back). The same all day, on every
// machine.
i32 Transfer_Angebot_Differenz(i32 spieler);

// Refills the team's transfer window: an entry no longer on the market
// becomes free, and free entries take market players who are not scout
// players and not yet listed. The draws start at a cursor fixed by team and
// day and the cursor is put back, so the window is the same all day and on
// every machine. The window lives in the team's own record (a client sends it
// back with it).
void Transfer_Fenster_Fuellen(i32 team);

// A negotiation of the team for a market player starts: one of the team's
// transfers of the season is spent, even when it is broken off later. True
// when spent; false (nothing spent) without a transfer left, for a player
// not on the market or a team no manager may run. On a network client the
// server decides and the local count follows its answer.
bool Transfer_Verhandlung_Beginnen(i32 team, i32 markt_spieler);
// The market player of the team's open negotiation, -1 (kept where the
// decision is made: the server, or this machine outside a client).
i32 Transfer_Verhandlung_Offen(i32 team);
// The exchange of the negotiation was made: it is closed.
void Transfer_Verhandlung_Schliessen(i32 team);

// The continent 0..14 of a player: the continent named like his nation's
// team, else that team's continent; -1 none.
i32 Spieler_Kontinent(i32 spieler);
// Whether a player comes from the area (continents compared by name).
bool Spieler_Aus_Gebiet(i32 spieler, i32 gebiet);

// The scout's fee for the area: his base fee for the team plus the area's price.
i32 Scout_Gebuehr(i32 scout, i32 team, i32 gebiet);
// Pays the fee (category 31, to nobody, within the credit line) and opens the
// team's search in the area. False and nothing booked when the bank refuses
// or an argument is bad. On a network client the server books it.
bool Scout_Suche_Bezahlen(i32 team, i32 scout, i32 gebiet);
// Hires a prospect of the team's paid search: a scout player of the market
// from that area becomes the club's scout player (found by `scout`) and
// counts at least 75 matches; the search is closed. False and nothing
// changed otherwise. On a network client the server decides and the local
// records follow.
bool Scout_Spieler_Verpflichten(i32 team, i32 scout, i32 spieler);

// On a network client after an exchange: the squads, the team records and the
// team's account read again from the server (false outside a client).
bool Transfer_Client_Nachladen(i32 team);

// Forgets open negotiations and searches (new game, loaded game).
void Markt_Zuruecksetzen();
// The server rows of the calls above (called by Welt_Netz_Anmelden).
void Markt_Netz_Anmelden();
