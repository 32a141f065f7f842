// Start-up and shutdown of the graphics layer (see grafik_start.h).
#include "graphics/grafik_start.h"

#include "base/tools.h"
#include "graphics/farbe.h"
#include "graphics/font.h"
#include "graphics/resf.h"
#include "platform/display.h"

namespace {
constexpr i32 ARCHIV_WAPPEN = 8;                        // wappen.res
constexpr i32 ARCHIV_POKALE = 2, POKAL_ERSTER = 135;  // pilo_res.res, the cups from entry 135 on
}  // namespace

bool Grafik_Archive_Oeffnen() {
    if (Resf_Init() != 1) return false;
    // The crests and cups: a thousand small pictures that the competition
    // and club screens draw by the dozen, each reduced from the picture
    // unpacked. Unpacked on the worker from the start and kept, so that a
    // screen's first frame pays for none.
    Resf_Vorab_Halten(Resf_Spiel_Slot(ARCHIV_WAPPEN));
    Resf_Vorab_Halten(Resf_Spiel_Slot(ARCHIV_POKALE), POKAL_ERSTER);
    return true;
}

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
