// The live view's commentary and ticker line.
//
// Every view carries one line of text at its foot, shown for three seconds
// of its pitch's clock after it was written: a sentence about the last
// event the engine recorded on the pitch (goal, card, foul, injury,
// substitution, set piece), or a notice of the engine's own. The sentence's
// words are entries 181..195 of the REST_TAVESK texts, around the players'
// names.
#pragma once

#include "base/types.h"

struct Rastport;
struct Spielansicht_View;
struct Spielfeld_Daten;

// The pitch's last-event header is waiting to be taken and carries every
// bit of `maske`.
bool Spielansicht_Ereignis_Pruefen(const Spielfeld_Daten* sf, u32 maske);
// The event is taken: no view makes a sentence of it again.
void Spielansicht_Ereignis_Quittieren(Spielfeld_Daten* sf);

// Builds the sentence for the event waiting on the view's pitch into the
// view's `kommentar` and takes the event; true when a sentence was made.
// One event gives at most one sentence (an own goal never also the goal
// sentence, a card with a foul the card sentence).
bool Spielansicht_Kommentar(Spielansicht_View* v);

// Writes the text into the view's ticker line, stamped with its pitch's
// clock; nothing without a view, a text or a pitch.
void Spielansicht_Ticker_Zeile(Spielansicht_View* v, const char* text);
// The same for every view that shows this pitch (the engine's notices).
void Spielansicht_Ticker_Setzen(Spielfeld_Daten* sf, const char* text);

// Where a ticker text too wide for one line is split: the last space at or
// before half its length (not the first character), else half its length.
size_t Spielansicht_Ticker_Trennstelle(const char* text);
// Draws the view's ticker line onto `ziel`, centred at the view's foot with
// a dark shadow, in two lines when it is too wide; nothing once the pitch
// clock has reached the stamp + 3000 ms. The stored text is left as it was.
// Where advertising boards show at the foot, the line with its band goes up
// (at most to the view's middle) to a place clear of them.
void Spielansicht_Ticker_Zeichnen(Rastport* ziel, Spielansicht_View* v);
