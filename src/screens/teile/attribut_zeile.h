// The row of one special attribute in the attribute windows (the squad's
// attribute popup, the data editor's attribute edit and choice): the
// attribute's picture, its mark at the left, its name (a negative one in
// the warning colour), and over a row that cannot be chosen a grey veil.
#pragma once

#include "base/types.h"

struct Rastport;

enum class Attribut_Marke : u8 {
    KEINE,
    AKTIV,     // learned: the tick
    GESPERRT,  // blocked for the player
    NEGATIV,   // a negative attribute's own mark
};
// Draws the row with its top-left corner at (x, y); an attribute outside
// the table draws nothing, pictures and fonts that cannot be had are skipped.
void Attribut_Zeile_Zeichnen(Rastport* ziel, i32 attribut, Attribut_Marke marke, bool grau, i32 x, i32 y);
