// The live view's grounds as the view's run starts and ends them.
#pragma once

namespace spielansicht {

// At a start (the views' pitch records and layouts set): each view's lit
// grass is made on a worker thread at the view's scale and the full one,
// its stands and the tunnel are handed to the graphics workers.
void Boden_Vorab(int anzahl);
// Lets every kept ground picture go (the end of the live view).
void Boden_Freigeben();

}  // namespace spielansicht
