// The header bars of the live view: the blank bar with both clubs' crests
// and names, one picture for full and half views and one for quarter views,
// made when a view is built. The score, attendance and minute are drawn over
// it every frame (Spielansicht_Kopfzeile). The club that the in-match
// line-up screen shows has its name in the highlight colour.
#pragma once

#include "base/types.h"

struct Spielansicht_View;

// Builds both bar pictures of the view (a bar whose picture cannot be made
// is left out); false only without a view.
bool Spielansicht_Kopfzeilen_Bauen(Spielansicht_View* v);
// Draws the club names anew on the bars of every active view: the club the
// in-match line-up screen shows in the highlight colour, the other white.
void Spielansicht_Kopfzeilen_Namen();
// Frees both bar pictures of the view.
void Spielansicht_Kopfzeilen_Free(Spielansicht_View* v);
