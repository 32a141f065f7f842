// Start-up and shutdown of the graphics layer, as the platform's main loop
// calls them through its hook table.
#pragma once

// The 22 resource archives; false (after a message box) ends the program.
bool Grafik_Archive_Oeffnen();
// Screen surface, darkening table and the 17 fonts; false ends the program.
bool Grafik_Fonts_Laden();
// Fonts, darkening table, recoloured-picture cache and screen surface.
void Grafik_Freigeben();
void Grafik_Archive_Schliessen();
