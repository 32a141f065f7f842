// The hover text of a player in every player list (squad, squad view,
// tactics, transfer, training): the full name with country, an injury or
// suspension line, goals and assists of this year's competitions, the
// share of matches played, and for the own team the attribute in training
// and the tactic roles; each on a new line with its value at a tab stop.
#pragma once

#include <cstddef>

#include "base/types.h"
#include "gui/kit.h"

// Writes the text into buf (cut to n) and returns buf. `eigen`: a player of
// the manager's own team (training and roles are shown).
// `rollen`: the tactic roles too (the tactics screen shows them beside the row).
// Where the figures' values stand in the help text (after their labels);
// a screen that adds lines of its own puts its values there too.
constexpr Kit_Stelle SPIELER_HILFE_WERT{Kit_Ausrichtung::LINKS, 116};
const char* Spieler_Hilfetext(i32 spieler, bool eigen, char* buf, size_t n, bool rollen = true);
// The transfer lists' variant: the figures at tab 97 after a blank line,
// with the proceeds of a sale (`erloes`: a player of the own squad), the
// market value and the salary, and the attribute in training; no roles.
const char* Spieler_Hilfetext_Markt(i32 spieler, bool erloes, char* buf, size_t n);
