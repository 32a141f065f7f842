// Connects the menu engine's lookups to the world data (crest numbers,
// faces and shirt colours); called once at start-up.
#pragma once

void Gui_Welt_Anmelden();
