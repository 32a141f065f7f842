// Start-up and shutdown of the graphics layer (see grafik_start.h).
#include "graphics/grafik_start.h"

#include "base/tools.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/resf.h"
#include "platform/display.h"

bool Grafik_Archive_Oeffnen() { return Resf_Init() == 1; }

bool Grafik_Fonts_Laden() {
    if (!Rastport_Init_Screen() || !Farbe_Schatten_Init(Display_Farbtiefe)) return false;
    return Font_Init(Resf_Spiel_Slot(RESF_FONT_ARCHIV), 0, FONT_ANZAHL) == 1;
}

void Grafik_Freigeben() {
    Font_Free_All();
    Farbe_Cache_Free();
    Farbe_Schatten_Free();
    Rastport_Free_Screen();
}

void Grafik_Archive_Schliessen() { Resf_Free(); }
