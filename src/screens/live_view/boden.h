// The live view's grounds as the view's run starts and ends them.
#pragma once

struct Spielfeld_Daten;

namespace spielansicht {

// At a start (the views' pitch records and layouts set): each view's ground
// is built on a worker thread at the view's scale, and at the full one when
// the matches shown may not all end together.
void Boden_Vorab(int anzahl);
// Whether the listed matches (empty entries passed over) end in the same
// frame: competitions that end play at a fixed minute (no extra time, no
// shoot-out, no golden goal) with halves of the same number and length,
// and every match at the same point of play.
bool Enden_Zusammen(const Spielfeld_Daten* const* liste, int anzahl);
// Lets every kept ground picture go (the end of the live view).
void Boden_Freigeben();

}  // namespace spielansicht
